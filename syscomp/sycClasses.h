// The worker threads of the system components: the folder and registry monitors' watchers and
// the threads that run a component's event once or on an interval.
#pragma once

#include <atomic>

#include "classlib/Handles.h"
#include "classlib/Threads.h"
#include "syscomp/sycSysUtils.h"

// Told on the main thread that a monitor's worker ended by itself (a failed wait, an exception
// from the change handler), so that its component lets go of it.
using TsycWorkerEndedEvent = Closure<void(TThread* Worker)>;

// The common ground of the monitors' workers: a worker waits for changes and for its wake-up
// event, runs OnChange on the main thread at every change, and frees itself when it ends.
//
// Stop (on the main thread) ends it at once: it sets the terminate flag and wakes the worker.
// A change that the worker was about to report when it was stopped is dropped on the main
// thread, so that nothing reaches the owner of a monitor that let go of its worker: the flag is
// set and read on the main thread, where the report runs.
class TsycMonitorThread : public TThread {
  CLASS_INFO(TsycMonitorThread, TThread)
public:
  ~TsycMonitorThread() override;

  // Resumes the worker and returns once it watches, so that no change made after this call is
  // missed.
  void Start();
  // Terminates the worker and wakes it. Call on the main thread; the object must not be touched
  // afterwards, as it frees itself.
  void Stop();

protected:
  // Created suspended and freeing itself when it ends.
  TsycMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded);

  // Wakes the worker from its wait (auto-reset).
  void Wake() { ::SetEvent(FWakeEvent.get()); }
  HANDLE GetWakeEvent() const noexcept { return FWakeEvent.get(); }
  // Execute calls this once it watches.
  void Ready() { ::SetEvent(FReadyEvent.get()); }
  // Runs OnChange on the main thread unless the worker was stopped; an exception of the handler
  // comes back here.
  void Report();
  void DoTerminate() override;

private:
  void ReportChange();
  void ReportEnded();

  UniqueHandle FWakeEvent;
  UniqueHandle FReadyEvent;
  TThreadMethod FOnChange;
  TsycWorkerEndedEvent FOnEnded;
};

// Waits on a change notification of one folder and reports every change. A folder that cannot be
// watched makes it report nothing until it is stopped or given another folder.
class TsycFolderMonitorThread : public TsycMonitorThread {
  CLASS_INFO(TsycFolderMonitorThread, TsycMonitorThread)
public:
  explicit TsycFolderMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded = {});
  ~TsycFolderMonitorThread() override;

  // Hands over what to watch: an empty or blank Folder is the current directory. Before the
  // worker runs, or while it runs (it then watches the new folder from its next wake-up on,
  // which this call brings about at once).
  void SetParams(const AnsiString& Folder, bool WatchSubTree, DWORD Filter);

protected:
  void Execute() override;

private:
  // Closes the change handle and opens one for the present parameters; under the lock.
  void OpenChangeHandle();
  void CloseChangeHandle();

  HANDLE FChangeHandle = INVALID_HANDLE_VALUE;
  AnsiString FFolder;
  bool FWatchSubTree = false;
  bool FParamsChanged = false;
  DWORD FFilter = 0;
};

// Watches one registry key, and its root for the key's creation and deletion, and reports every
// change of the key, its creation and its deletion. A key that does not exist yet is watched for
// through the root until it appears.
class TsycRegistryMonitorThread : public TsycMonitorThread {
  CLASS_INFO(TsycRegistryMonitorThread, TsycMonitorThread)
public:
  explicit TsycRegistryMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded = {});
  ~TsycRegistryMonitorThread() override;

  // Hands over what to watch; as the folder monitor's worker, before it runs or while it runs.
  void SetParams(HKEY RootKey, const AnsiString& RegistryKey, DWORD Filter, bool WatchSubTree);
  // The name of the component whose handler it calls, for telling the handler's failures.
  void SetOwnerName(const AnsiString& Name) { FOwnerName = Name; }

protected:
  void Execute() override;

private:
  // Opens the key and asks for both notifications; under the lock.
  void OpenKey();
  void CloseKey();
  // Starts watching a key that was opened; ends watching one that went.
  void KeyAppeared(HKEY Key);
  void KeyWent();
  // Whether the key can be opened now.
  bool KeyExists() const;
  // Reports a change; an exception of the handler is shown as the thread component shows one,
  // and the worker goes on.
  void SafeReport();

  HANDLE FKeyEvent = INVALID_HANDLE_VALUE;
  HANDLE FRootEvent = INVALID_HANDLE_VALUE;
  AnsiString FRegistryKey;
  HKEY FRootKey = nullptr;
  HKEY FKey = nullptr;
  bool FKeyOpened = false;
  bool FWatchSubTree = false;
  bool FParamsChanged = false;
  DWORD FFilter = 0;
  TsycRegNotifyRec FKeyRec;
  TsycRegNotifyRec FRootRec;
  AnsiString FOwnerName;
};

// Tells that a handler run by the worker of the named component raised E: a message box with
// the error icon, brought to the foreground, owned by the application window and titled with the
// application's title.
void ShowWorkerException(const AnsiString& ComponentName, Exception* E);

// Runs Event once: in this thread, or on the main thread when Synchronized. A worker that was
// terminated before it got to the event does not run it, and reports nothing when it ends:
// OnTerminate runs (on the main thread) only for a worker that ended by itself.
class TsycEventThread : public TThread {
  CLASS_INFO(TsycEventThread, TThread)
public:
  // Always made suspended, so that the event is in place before it runs; Resume starts it.
  explicit TsycEventThread(TThreadMethod Event);
  ~TsycEventThread() override;

  // Terminates the thread and waits until it has ended (serving Synchronize meanwhile when
  // called on the main thread); a thread never started ends without running.
  void StopAndWait();

  Integer GetReturnValue() const { return ReturnValue; }
  void SetReturnValue(Integer Value) { ReturnValue = Value; }
  // Whether the thread has been started (resumed once) at all.
  bool GetStarted() const { return FStarted; }
  void Start();
  // Whether it runs: started and not suspended. Setting it starts the thread the first time,
  // then suspends or resumes it.
  virtual bool GetRunning() const { return FStarted && !GetSuspended(); }
  virtual void SetRunning(bool Value);
  // Cuts the thread off: it is terminated and does not begin its event any more (one that is
  // running runs to its end); a suspended thread is let go on so that it can end.
  virtual void Stop();

  std::atomic<bool> Synchronized{false};

protected:
  void Execute() override;
  void DoTerminate() override;
  // Runs the event when it is set.
  virtual void DoEvent();

private:
  void RunEvent();
  void ReportTerminated();

  TThreadMethod FEvent;
  std::atomic<bool> FStarted{false};
};

// Runs Event every Interval milliseconds, each time after a full interval without a wake-up.
// Disabling pauses it between two runs of the event, never inside one.
class TsycTimerThread : public TsycEventThread {
  CLASS_INFO(TsycTimerThread, TsycEventThread)
public:
  explicit TsycTimerThread(TThreadMethod Event);
  ~TsycTimerThread() override;

  Cardinal GetInterval() const { return FInterval; }
  // A new interval restarts the wait with it.
  void SetInterval(Cardinal Value);
  // Enabled: started and not paused. Enabling starts the thread the first time; after that it
  // pauses and goes on.
  bool GetRunning() const override { return GetStarted() && !FPaused; }
  void SetRunning(bool Value) override;
  void Stop() override;
  // Ends the present wait at once; the next one is a full interval (or, while disabled, none).
  virtual void Wake();

protected:
  void Execute() override;

private:
  HANDLE FEvent = nullptr;
  std::atomic<Cardinal> FInterval{1000};
  std::atomic<bool> FPaused{false};
};
