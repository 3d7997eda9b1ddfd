// Measures the string list on a Bible's worth of lines: loading a 31,000-line file, sorting it
// with and without regard to case, finding every line, building a sorted list line by line,
// linear searches, and saving.
//
//   classlib_stringlist_bench.exe [folder of the standard-format book files]
//
// The lines are the verses of the books in the folder (default: the KJV project of the shared
// test data), each as "GEN 1:1 In the beginning...", written to a file in the temporary folder.
#include <cstdio>
#include <functional>

#include "classlib/Classes.h"
#include "classlib/SysUtils.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the step `repeat` times and prints the best time in milliseconds.
void Measure(const char* what, int repeat, const std::function<void()>& step) {
  double best = 1e30;
  for (int i = 0; i < repeat; ++i) {
    double start = Seconds();
    step();
    best = std::min(best, Seconds() - start);
  }
  std::printf("  %-46s %9.2f ms\n", what, best * 1000.0);
}

// The verse lines of every book file in the folder, as references followed by the verse text.
void CollectVerses(const AnsiString& folder, TStringList& verses) {
  TSearchRec found;
  TStringList book;
  if (FindFirst(folder + "*.SFM", faAnyFile & ~faDirectory, found) != 0) return;
  do {
    book.LoadFromFile(folder + found.Name);
    AnsiString id, chapter;
    for (Integer i = 0; i < book.GetCount(); ++i) {
      AnsiString line = book[i];
      if (line.rfind("\\id ", 0) == 0) {
        id = line.substr(4, 3);
      } else if (line.rfind("\\c ", 0) == 0) {
        chapter = Trim(line.substr(3));
      } else if (line.rfind("\\v ", 0) == 0) {
        std::size_t blank = line.find(' ', 3);
        AnsiString verse = line.substr(3, blank == AnsiString::npos ? AnsiString::npos : blank - 3);
        AnsiString text = blank == AnsiString::npos ? AnsiString() : line.substr(blank + 1);
        verses.Add(id + " " + chapter + ":" + verse + " " + text);
      }
    }
  } while (FindNext(found) == 0);
  FindClose(found);
}

}  // namespace

int main() {
  AnsiString folder = IncludeTrailingBackslash(ParamCount() >= 1 ? ParamStr(1) : AnsiString("Z:\\work\\shared\\data\\kjv\\KJV"));
  TStringList verses;
  CollectVerses(folder, verses);
  if (verses.GetCount() == 0) {
    std::fprintf(stderr, "No verse lines in %s*.SFM\n", folder.c_str());
    return 1;
  }
  char tempPath[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tempPath);
  const AnsiString fileName = IncludeTrailingBackslash(tempPath) + "pelorin_stringlist_bench.txt";
  verses.SaveToFile(fileName);
  std::printf("%d lines, %lld bytes, from %s\n", verses.GetCount(), static_cast<long long>(verses.GetText().size()),
              folder.c_str());

  TStringList list;
  Measure("LoadFromFile", 5, [&] { list.LoadFromFile(fileName); });

  TStringList sorted;
  Measure("Sort, without regard to case", 3, [&] {
    sorted.SetSorted(false);
    sorted.Assign(&list);
    sorted.SetSorted(true);
  });

  Integer found = 0;
  Measure("Find every line (binary search)", 3, [&] {
    found = 0;
    Integer index;
    for (Integer i = 0; i < list.GetCount(); ++i) found += sorted.Find(list[i], index) ? 1 : 0;
  });
  if (found != list.GetCount()) std::printf("  (only %d of %d lines found)\n", found, list.GetCount());

  TStringList caseSorted;
  caseSorted.SetCaseSensitive(true);
  Measure("Sort, case-sensitive", 3, [&] {
    caseSorted.SetSorted(false);
    caseSorted.Assign(&list);
    caseSorted.SetSorted(true);
  });

  Measure("Add one by one to a sorted list (dupIgnore)", 3, [&] {
    TStringList incremental;
    incremental.SetSorted(true);
    for (Integer i = 0; i < list.GetCount(); ++i) incremental.Add(list[i]);
  });

  Measure("IndexOf in the unsorted list, 200 lines", 1, [&] {
    for (Integer i = 0; i < 200; ++i) list.IndexOf(list[list.GetCount() - 1 - i * 7]);
  });

  Measure("Text, then Text of it again", 3, [&] {
    TStringList copy;
    copy.SetText(list.GetText());
  });

  Measure("SaveToFile", 5, [&] { list.SaveToFile(fileName); });
  DeleteFile(fileName);
  return 0;
}
