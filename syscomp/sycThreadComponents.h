// Components that run an event handler in a worker thread, once (TsycThreadComponent) or on an
// interval (TsycThreadTimer).
#pragma once

#include <atomic>
#include <vector>

#include "classlib/Threads.h"
#include "syscomp/sycComponentBase.h"

class TsycEventThread;

using TsycParamMethod = Closure<void(void* Param)>;

// OnExecute runs in the worker (on the main thread when Synchronized). At design time the thread
// properties live in the component; at run time they are the worker's. Execute starts a fresh
// worker at once; a worker that is still running its handler is cut off: it runs that handler
// to its end but nothing more, and the component waits for it before it goes itself, so that no
// handler ever runs on a freed component.
class TsycCustomThreadComponent : public TsycComponent {
  CLASS_INFO(TsycCustomThreadComponent, TsycComponent)
public:
  explicit TsycCustomThreadComponent(TComponent* AOwner);
  ~TsycCustomThreadComponent() override;

  // Applies Suspended and Synchronized written while the form was read.
  void Loaded() override;

  // Runs OnExecute; an exception goes to HandleException.
  virtual void DoExecute();
  // OnException with the exception as sender; without it a message box names the component, the
  // exception's class and its message.
  virtual void HandleException(Exception* E);
  // Makes the worker, started unless Suspended.
  virtual void CreateThread();
  // Replaces the worker by a fresh one and starts it.
  virtual void Execute();
  // Runs Method on the main thread and waits for it.
  virtual void Synchronize(TThreadMethod Method);
  // Runs Method(Param) on the main thread, unless such a call is running already.
  virtual void SynchronizeWithParam(TsycParamMethod Method, void* Param);

  TThreadPriority GetPriority() const;
  void SetPriority(TThreadPriority Value);
  Integer GetReturnValue() const;
  void SetReturnValue(Integer Value);
  bool GetSuspended() const;
  void SetSuspended(bool Value);
  bool GetSynchronized() const;
  void SetSynchronized(bool Value);
  TNotifyEvent GetOnTerminate() const { return FOnTerminate; }
  // Runs on the main thread when a worker ended by itself (its Sender is the worker).
  void SetOnTerminate(TNotifyEvent Value);
  // The present worker (none at design time).
  TsycEventThread* GetThread() const { return FThread; }

  TNotifyEvent OnExecute;
  // Called with the exception object as Sender.
  TNotifyEvent OnException;

protected:
  // With TimerWorker the workers run DoExecute on an interval.
  TsycCustomThreadComponent(TComponent* AOwner, bool TimerWorker);
  // Replaces the worker by a new suspended one and cuts the old one off.
  void Reset();
  // Whether the thread properties are the worker's (at run time). Suspended and Synchronized
  // written while a form is read stay in the component until Loaded.
  bool UsesWorker() const { return FThread && !IsDesigning(); }
  bool UsesWorkerState() const { return UsesWorker() && !IsLoading(); }

private:
  // A new suspended worker running DoExecute, set up as the component says.
  TsycEventThread* NewWorker();
  // Frees cut-off workers that have ended; with Wait, waits for all of them.
  void ReapRetired(bool Wait);
  void CallPending();

  const bool FTimerWorker;
  TThreadPriority FPriority = tpNormal;
  Integer FReturnValue = 0;
  bool FSuspended = true;
  bool FSynchronized = false;
  TNotifyEvent FOnTerminate;
  TsycEventThread* FThread = nullptr;
  std::vector<TsycEventThread*> FRetired;
  std::atomic<bool> FPendingBusy{false};
  TsycParamMethod FPendingMethod;
  void* FPendingParam = nullptr;
};

class TsycThreadComponent : public TsycCustomThreadComponent {
  CLASS_INFO(TsycThreadComponent, TsycCustomThreadComponent)
public:
  using TsycCustomThreadComponent::TsycCustomThreadComponent;
};

// Runs OnTimer (the OnExecute event) every Interval milliseconds while Enabled; a tick comes only
// after a full interval, and a new interval starts counting again.
class TsycCustomThreadTimer : public TsycCustomThreadComponent {
  CLASS_INFO(TsycCustomThreadTimer, TsycCustomThreadComponent)
public:
  explicit TsycCustomThreadTimer(TComponent* AOwner) : TsycCustomThreadComponent(AOwner, true) {}

  Cardinal GetInterval() const;
  void SetInterval(Cardinal Value);
  bool GetEnabled() const { return !GetSuspended(); }
  void SetEnabled(bool Value) { SetSuspended(!Value); }

private:
  Cardinal FInterval = 1000;
};

class TsycThreadTimer : public TsycCustomThreadTimer {
  CLASS_INFO(TsycThreadTimer, TsycCustomThreadTimer)
public:
  using TsycCustomThreadTimer::TsycCustomThreadTimer;
};
