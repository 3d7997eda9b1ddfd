// A scope that holds a critical section, for the locks that the monitors share between threads.
#pragma once

#include "classlib/SyncObjs.h"

class TsycLockGuard {
public:
  explicit TsycLockGuard(TCriticalSection& lock) : lock_(lock) { lock_.Enter(); }
  ~TsycLockGuard() { lock_.Leave(); }
  TsycLockGuard(const TsycLockGuard&) = delete;
  TsycLockGuard& operator=(const TsycLockGuard&) = delete;

private:
  TCriticalSection& lock_;
};
