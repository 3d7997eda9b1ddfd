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

// How many threads of the process were not among Before: the workers started since and still
// running. Ids, not totals: a helper thread of Wine's that ends meanwhile must not look like a
// worker that ended.
inline std::size_t ThreadsSince(const std::set<DWORD>& before) {
  std::size_t count = 0;
  for (DWORD id : ThreadIds()) count += before.count(id) == 0;
  return count;
}

}  // namespace syscomp_tests
