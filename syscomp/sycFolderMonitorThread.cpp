#include "classlib/SyncObjs.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycClasses.h"
#include "syscomp/sycLocks.h"

namespace {

// Guards a worker's parameters between SetParams and the worker; one lock for every folder
// monitor of the process.
TCriticalSection& FolderMonitorLock() {
  static TCriticalSection lock;
  return lock;
}

const bool g_folderLockMade = (FolderMonitorLock(), true);

}  // namespace

TsycFolderMonitorThread::TsycFolderMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded)
    : TsycMonitorThread(std::move(OnChange), std::move(OnEnded)) {
  (void)g_folderLockMade;
}

TsycFolderMonitorThread::~TsycFolderMonitorThread() { CloseChangeHandle(); }

void TsycFolderMonitorThread::SetParams(const AnsiString& Folder, bool WatchSubTree, DWORD Filter) {
  {
    TsycLockGuard guard(FolderMonitorLock());
    FFolder = Trim(Folder).empty() ? GetCurrentDir() : Folder;
    FWatchSubTree = WatchSubTree;
    FFilter = Filter;
    FParamsChanged = true;
  }
  Wake();
}

void TsycFolderMonitorThread::CloseChangeHandle() {
  if (FChangeHandle != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(FChangeHandle);
  FChangeHandle = INVALID_HANDLE_VALUE;
}

void TsycFolderMonitorThread::OpenChangeHandle() {
  CloseChangeHandle();
  FChangeHandle = ::FindFirstChangeNotificationA(FFolder.c_str(), FWatchSubTree, FFilter);
  FParamsChanged = false;
}

void TsycFolderMonitorThread::Execute() {
  {
    TsycLockGuard guard(FolderMonitorLock());
    OpenChangeHandle();
  }
  Ready();
  while (!GetTerminated()) {
    // A folder that cannot be watched leaves only the wake-up to wait for.
    HANDLE handles[2] = {GetWakeEvent(), FChangeHandle};
    const DWORD count = FChangeHandle != INVALID_HANDLE_VALUE ? 2 : 1;
    const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (result == WAIT_FAILED) break;
    if (result == WAIT_OBJECT_0 + 1) {
      Report();
      // The folder itself may have gone; a handle that cannot be renewed would stay signalled.
      if (!::FindNextChangeNotification(FChangeHandle)) CloseChangeHandle();
    }
    TsycLockGuard guard(FolderMonitorLock());
    if (FParamsChanged) OpenChangeHandle();
  }
}
