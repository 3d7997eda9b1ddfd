#include "classlib/SyncObjs.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycClasses.h"

namespace {

// Guards a worker's parameters and change handle between SetParams and the worker; one lock for
// every folder monitor of the process.
TCriticalSection& FolderMonitorLock() {
  static TCriticalSection lock;
  return lock;
}

class LockGuard {
public:
  explicit LockGuard(TCriticalSection& lock) : lock_(lock) { lock_.Enter(); }
  ~LockGuard() { lock_.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

private:
  TCriticalSection& lock_;
};

const bool g_lockMade = (FolderMonitorLock(), true);

}  // namespace

TsycFolderMonitorThread::TsycFolderMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded)
    : TThread(true), FOnChange(std::move(OnChange)), FOnEnded(std::move(OnEnded)) {
  (void)g_lockMade;
  FreeOnTerminate = true;
  // Auto-reset: one wake-up per Stop or SetParams.
  FWakeEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!FWakeEvent) throw EThread("Thread Error: " + SysErrorMessage(::GetLastError()));
}

TsycFolderMonitorThread::~TsycFolderMonitorThread() {
  CloseChangeHandle(FChangeHandle);
  CloseChangeHandle(FNewChangeHandle);
  if (FWakeEvent) ::CloseHandle(FWakeEvent);
}

void TsycFolderMonitorThread::SetParams(const AnsiString& Folder, bool WatchSubTree, DWORD Filter) {
  {
    LockGuard guard(FolderMonitorLock());
    FFolder = Trim(Folder).empty() ? GetCurrentDir() : Folder;
    FWatchSubTree = WatchSubTree;
    FFilter = Filter;
    CloseChangeHandle(FNewChangeHandle);
    FNewChangeHandle = ::FindFirstChangeNotificationA(FFolder.c_str(), FWatchSubTree, FFilter);
    FParamsChanged = true;
  }
  ::SetEvent(FWakeEvent);
}

void TsycFolderMonitorThread::Stop() {
  Terminate();
  ::SetEvent(FWakeEvent);
}

void TsycFolderMonitorThread::CloseChangeHandle(HANDLE& Handle) {
  if (Handle != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(Handle);
  Handle = INVALID_HANDLE_VALUE;
}

void TsycFolderMonitorThread::TakeParams() {
  CloseChangeHandle(FChangeHandle);
  FChangeHandle = FNewChangeHandle;
  FNewChangeHandle = INVALID_HANDLE_VALUE;
  FParamsChanged = false;
}

void TsycFolderMonitorThread::Execute() {
  {
    LockGuard guard(FolderMonitorLock());
    if (FParamsChanged)
      TakeParams();
    else
      FChangeHandle = ::FindFirstChangeNotificationA(FFolder.c_str(), FWatchSubTree, FFilter);
  }
  while (!GetTerminated()) {
    // A folder that cannot be watched leaves only the wake-up to wait for: the worker then
    // reports nothing until it is stopped or given another folder.
    HANDLE handles[2] = {FWakeEvent, FChangeHandle};
    const DWORD count = FChangeHandle != INVALID_HANDLE_VALUE ? 2 : 1;
    const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (result == WAIT_FAILED) break;
    if (result == WAIT_OBJECT_0 + 1) {
      if (!GetTerminated() && FOnChange) Synchronize(TThreadMethod(this, &TsycFolderMonitorThread::ReportChange));
      // The folder itself may have gone; a handle that cannot be renewed would stay signalled.
      if (!::FindNextChangeNotification(FChangeHandle)) CloseChangeHandle(FChangeHandle);
    }
    LockGuard guard(FolderMonitorLock());
    if (FParamsChanged) TakeParams();
  }
}

void TsycFolderMonitorThread::ReportChange() {
  if (!GetTerminated() && FOnChange) FOnChange();
}

void TsycFolderMonitorThread::DoTerminate() {
  inherited::DoTerminate();
  if (!GetTerminated() && FOnEnded) Synchronize(TThreadMethod(this, &TsycFolderMonitorThread::ReportEnded));
}

void TsycFolderMonitorThread::ReportEnded() {
  if (!GetTerminated() && FOnEnded) FOnEnded(this);
}
