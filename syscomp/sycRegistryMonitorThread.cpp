#include <exception>

#include "classlib/SyncObjs.h"
#include "syscomp/sycClasses.h"
#include "syscomp/sycLocks.h"

namespace {

// Guards a worker's parameters between SetParams and the worker; one lock for every registry
// monitor of the process.
TCriticalSection& RegistryMonitorLock() {
  static TCriticalSection lock;
  return lock;
}

const bool g_registryLockMade = (RegistryMonitorLock(), true);

void CloseEvent(HANDLE& Event) {
  CloseHandleIfValid(Event);
  Event = INVALID_HANDLE_VALUE;
}

}  // namespace

TsycRegistryMonitorThread::TsycRegistryMonitorThread(TThreadMethod OnChange, TsycWorkerEndedEvent OnEnded)
    : TsycMonitorThread(std::move(OnChange), std::move(OnEnded)) {
  (void)g_registryLockMade;
}

TsycRegistryMonitorThread::~TsycRegistryMonitorThread() {
  CloseKey();
  CloseEvent(FRootEvent);
}

void TsycRegistryMonitorThread::SetParams(HKEY RootKey, const AnsiString& RegistryKey, DWORD Filter,
                                          bool WatchSubTree) {
  {
    TsycLockGuard guard(RegistryMonitorLock());
    FRootKey = RootKey;
    FRegistryKey = RegistryKey;
    FFilter = Filter;
    FWatchSubTree = WatchSubTree;
    FParamsChanged = true;
  }
  Wake();
}

bool TsycRegistryMonitorThread::KeyExists() const {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(FRootKey, FRegistryKey.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

void TsycRegistryMonitorThread::KeyAppeared(HKEY Key) {
  CloseKey();
  FKey = Key;
  FKeyOpened = true;
  FKeyEvent = RegNotifyStart(FKey, FWatchSubTree, FFilter, FKeyRec);
}

void TsycRegistryMonitorThread::KeyWent() { CloseKey(); }

void TsycRegistryMonitorThread::CloseKey() {
  CloseEvent(FKeyEvent);
  if (FKey) ::RegCloseKey(FKey);
  FKey = nullptr;
  FKeyOpened = false;
}

void TsycRegistryMonitorThread::OpenKey() {
  CloseKey();
  CloseEvent(FRootEvent);
  HKEY key = nullptr;
  if (::RegOpenKeyExA(FRootKey, FRegistryKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) KeyAppeared(key);
  // The root tells of keys that are created or deleted anywhere below it: the watched key's
  // coming and going among them.
  FRootEvent = RegNotifyStart(FRootKey, true, REG_NOTIFY_CHANGE_NAME, FRootRec);
  FParamsChanged = false;
}

void TsycRegistryMonitorThread::SafeReport() {
  try {
    Report();
  } catch (Exception& e) {
    ShowWorkerException(FOwnerName, &e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    ShowWorkerException(FOwnerName, &wrapped);
  }
}

void TsycRegistryMonitorThread::Execute() {
  {
    TsycLockGuard guard(RegistryMonitorLock());
    OpenKey();
  }
  Ready();
  while (!GetTerminated()) {
    HANDLE handles[3] = {GetWakeEvent()};
    DWORD count = 1;
    const DWORD rootIndex = FRootEvent != INVALID_HANDLE_VALUE ? count++ : MAXDWORD;
    if (rootIndex != MAXDWORD) handles[rootIndex] = FRootEvent;
    const DWORD keyIndex = FKeyEvent != INVALID_HANDLE_VALUE ? count++ : MAXDWORD;
    if (keyIndex != MAXDWORD) handles[keyIndex] = FKeyEvent;
    const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (result == WAIT_FAILED) break;
    const DWORD index = result - WAIT_OBJECT_0;
    if (index == rootIndex) {
      // A name changed somewhere below the root: tell only the watched key's own coming or going.
      HKEY key = nullptr;
      if (::RegOpenKeyExA(FRootKey, FRegistryKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        if (!FKeyOpened) {
          KeyAppeared(key);
          SafeReport();
        } else {
          ::RegCloseKey(key);
        }
      } else if (FKeyOpened) {
        KeyWent();
        SafeReport();
      }
      RegNotifyReset(FRootEvent, FRootRec);
    } else if (index == keyIndex) {
      // Deleting the key signals its own notification as well as the root's; it is told once,
      // as the key's going.
      if (KeyExists()) {
        SafeReport();
        RegNotifyReset(FKeyEvent, FKeyRec);
      } else {
        KeyWent();
        SafeReport();
      }
    }
    if (GetTerminated()) break;
    TsycLockGuard guard(RegistryMonitorLock());
    if (FParamsChanged) OpenKey();
  }
}
