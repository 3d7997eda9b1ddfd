// What the PDF benchmarks share: the Bible text they set and the figures they print last.
#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
// After the Windows headers, which it needs.
#include <psapi.h>

namespace pdf_bench {

// The verses of every book file in the folder, markers removed.
inline std::vector<AnsiString> ReadVerses(const AnsiString& folder) {
  std::vector<AnsiString> verses;
  TSearchRec rec;
  std::vector<AnsiString> files;
  if (FindFirst(IncludeTrailingPathDelimiter(folder) + "*.SFM", faAnyFile, rec) == 0) {
    do files.push_back(IncludeTrailingPathDelimiter(folder) + rec.Name);
    while (FindNext(rec) == 0);
    FindClose(rec);
  }
  std::sort(files.begin(), files.end());
  for (const AnsiString& file : files) {
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    AnsiString text(::GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    ::CloseHandle(h);
    size_t pos = 0;
    while ((pos = text.find("\\v ", pos)) != AnsiString::npos) {
      const size_t end = text.find('\r', pos);
      verses.push_back(text.substr(pos + 3, end - pos - 3));
      pos = end;
    }
  }
  return verses;
}

// Prints the size of the document written and the peak memory of the process.
inline void PrintFileAndMemory(const AnsiString& output, int pages, size_t lines, size_t verses) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  WIN32_FILE_ATTRIBUTE_DATA info{};
  ::GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &info);
  std::printf("pages: %d, lines: %zu, verses: %zu, file: %s (%.1f MB)\n", pages, lines, verses, output.c_str(),
              info.nFileSizeLow / 1048576.0);
  std::printf("peak memory: working set %.1f MB, committed %.1f MB\n", counters.PeakWorkingSetSize / 1048576.0,
              counters.PeakPagefileUsage / 1048576.0);
}

}  // namespace pdf_bench
