// The common ground of the folder and registry monitors: a component that, while Active and
// given OnChange, keeps one worker thread watching something and reporting on the main thread.
#pragma once

#include "classlib/Threads.h"
#include "syscomp/sycClasses.h"
#include "syscomp/sycComponentBase.h"

// Every change of a property replaces the worker by a new one; a stopped worker ends at once and
// reports nothing more, and nothing is started while the component is designed or read from a
// form (Loaded starts it).
class TsycCustomMonitor : public TsycComponent {
  CLASS_INFO(TsycCustomMonitor, TsycComponent)
public:
  explicit TsycCustomMonitor(TComponent* AOwner) : TsycComponent(AOwner) {}
  ~TsycCustomMonitor() override;

  // Starts the worker of a monitor that was read active from a form.
  void Loaded() override;

  bool GetActive() const { return FActive; }
  // Starts (again) or stops the worker, also when the value does not change.
  void SetActive(bool Value);
  TThreadMethod GetOnChange() const { return FOnChange; }
  // Runs on the main thread once per change the worker wakes up for.
  void SetOnChange(TThreadMethod Value);

protected:
  // Start when Active, else Stop.
  virtual void Update();
  // Replaces the worker by a new one (when Active and OnChange is set).
  virtual void Start();
  // Lets the worker go: it ends at once.
  virtual void Stop();
  // A new suspended worker with the component's parameters.
  virtual TsycMonitorThread* CreateWorker(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded) = 0;

private:
  void WorkerEnded(TThread* Worker);

  bool FActive = false;
  TThreadMethod FOnChange;
  TsycMonitorThread* FThread = nullptr;
};
