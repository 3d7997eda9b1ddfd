// The worker threads of the system components: the folder and registry monitors' watchers and
// the threads that run a component's event once or on an interval.
#pragma once

#include "classlib/Threads.h"

class TsycFolderMonitorThread;

// Told on the main thread that a monitor's worker ended by itself (a failed wait, an exception
// from the change handler), so that its component lets go of it.
using TsycWorkerEndedEvent = Closure<void(TThread* Worker)>;

// Waits on a change notification of one folder and runs OnChange on the main thread at every
// change. It frees itself when it ends.
//
// Stop (on the main thread) ends it at once: it sets the terminate flag and wakes the worker.
// A change that the worker was about to report when it was stopped is dropped on the main
// thread, so that nothing reaches the owner of a monitor that let go of its worker: the flag is
// set and read on the main thread, where the report runs.
class TsycFolderMonitorThread : public TThread {
  CLASS_INFO(TsycFolderMonitorThread, TThread)
public:
  // Created suspended and freeing itself when it ends; set the parameters, then Resume.
  TsycFolderMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded = {});
  ~TsycFolderMonitorThread() override;

  // Hands over what to watch: an empty or blank Folder is the current directory. Before the
  // worker runs, or while it runs (it then watches the new folder from its next wake-up on,
  // which this call brings about at once). The folder is watched from this call on: a change
  // made before the worker gets to run is not missed.
  void SetParams(const AnsiString& Folder, bool WatchSubTree, DWORD Filter);
  // Terminates the worker and wakes it. Call on the main thread; the object must not be touched
  // afterwards, as it frees itself.
  void Stop();

protected:
  void Execute() override;
  void DoTerminate() override;

private:
  // Replaces the change handle by the one SetParams opened; under the lock.
  void TakeParams();
  static void CloseChangeHandle(HANDLE& Handle);
  // Run on the main thread.
  void ReportChange();
  void ReportEnded();

  HANDLE FWakeEvent = nullptr;
  HANDLE FChangeHandle = INVALID_HANDLE_VALUE;
  // Opened by SetParams for the worker to take over; only the worker closes the handle it
  // waits on.
  HANDLE FNewChangeHandle = INVALID_HANDLE_VALUE;
  AnsiString FFolder;
  bool FWatchSubTree = false;
  bool FParamsChanged = false;
  DWORD FFilter = 0;
  TThreadMethod FOnChange;
  TsycWorkerEndedEvent FOnEnded;
};
