// Counting the threads of the test process, to see that workers end.
#pragma once

#include <set>

#include "classlib/WinApi.h"
// The thread snapshot needs the Windows types first.
#include <tlhelp32.h>

namespace syscomp_tests {

inline std::set<DWORD> ThreadIds() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return ids;
}

inline std::size_t ThreadCount() { return ThreadIds().size(); }

}  // namespace syscomp_tests
