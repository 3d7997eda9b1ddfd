// Runs the paragraphing check over every Old Testament book of a whole Bible, in a project of
// English versification, so that each book is first mapped to the original numbering and the
// messages mapped back. The reference list holds a record for every verse that follows a
// paragraph line (and a break inside every tenth verse); the English map moves every verse of the
// Psalms by one, as psalm titles do. Prints the time per book and the slowest book: the check runs
// in one tick of the main window, so the slowest book is what the user may feel.
//
//   core_paragraphing_bench.exe [folder holding the book files 01GENKJV.SFM ... 39MALKJV.SFM]
#include <cstdio>
#include <memory>
#include <string>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/MyRegistry.h"
#include "core/ParagraphingUnit.h"
#include "core/ProgramFolderUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "tests/support/TestSupport.h"

namespace {

const char* const kDefaultBooks = "Z:\\work\\shared\\data\\kjv\\KJV\\";

double Seconds(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

AnsiString BookFile(const AnsiString& folder, int book) {
  return folder + (book < 10 ? "0" : "") + IntToStr(book) + BookId(book) + "KJV.SFM";
}

// The reference list and the map, made from the books themselves.
void WriteReferenceFiles(const AnsiString& folder, const AnsiString& programFolder) {
  std::unique_ptr<TStringList> records(new TStringList());
  std::unique_ptr<TStringList> map(new TStringList());
  std::unique_ptr<TStringList> lines(new TStringList());
  for (int book = 1; book <= OldTestamentBookCount; ++book) {
    lines->LoadFromFile(BookFile(folder, book));
    AnsiString chapter = "0";
    bool afterParagraph = false;
    int verses = 0;
    for (int i = 0; i < lines->GetCount(); ++i) {
      const AnsiString line = lines->GetStrings(i);
      if (IsMarkerLine(line, "\\c")) chapter = FirstNumberInString(line);
      if (IsMarkerLine(line, "\\v")) {
        const AnsiString verse = FirstNumberInString(line);
        const AnsiString reference = BookId(book) + " " + chapter + ":" + verse;
        if (afterParagraph) {
          records->Add(reference);
          records->Add("0");
          records->Add(reference);
        }
        if (++verses % 10 == 0) {
          records->Add(reference);
          records->Add("50");
          records->Add(BookId(book) + " " + chapter + ":" + IntToStr(StrToInt(verse) + 1));
        }
        if (book == 19) map->Add("PSA " + chapter + ":" + IntToStr(StrToInt(verse) + 1) + " - " + reference);
      }
      afterParagraph = Copy(line, 1, 2) == "\\p";
    }
  }
  records->SaveToFile(programFolder + "OTParagraphs.txt");
  map->SaveToFile(programFolder + "English.map");
  std::printf("%d reference records, %d map lines\n", records->GetCount() / 3, map->GetCount());
}

}  // namespace

int main(int argc, char** argv) {
  const AnsiString folder = argc > 1 ? IncludeTrailingBackslash(argv[1]) : AnsiString(kDefaultBooks);
  if (!FileExists(BookFile(folder, 1))) {
    std::fprintf(stderr, "No book file %s\n", BookFile(folder, 1).c_str());
    return 1;
  }
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  const AnsiString projects = temp.Path() + "Projects\\";
  ForceDirectories(projects);
  std::unique_ptr<TStringList> ssf(new TStringList());
  ssf->Add("<ScriptureText>");
  ssf->Add("<FullName>Bench</FullName>");
  ssf->Add("<Directory>" + projects + "BEN</Directory>");
  ssf->Add("<Versification>4</Versification>");
  ssf->Add("</ScriptureText>");
  ssf->SaveToFile(projects + "BEN.ssf");
  InitializeMyRegistry();
  MyReg->SetParatextProjectsFolder(projects);
  MyReg->SetCurrentProject("Bench");
  ProgramFolder = temp.Path();
  WriteReferenceFiles(folder, ProgramFolder);

  std::unique_ptr<TStringList> results(new TStringList());
  SetMessageTarget(results.get(), nullptr);
  std::unique_ptr<TStringList> lines(new TStringList());
  double total = 0, slowest = 0;
  int slowestBook = 1;
  for (int book = 1; book <= OldTestamentBookCount; ++book) {
    lines->LoadFromFile(BookFile(folder, book));
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    CheckParagraphing(book, lines.get());
    const double seconds = Seconds(start);
    total += seconds;
    if (seconds > slowest) {
      slowest = seconds;
      slowestBook = book;
    }
  }
  std::printf("Paragraphing check of 39 books: %.3f s, %.1f ms per book, slowest %s %.1f ms, %d messages\n", total,
              total * 1000 / OldTestamentBookCount, EnglishBookName(slowestBook).c_str(), slowest * 1000,
              results->GetCount());
  for (int i = 0; i < results->GetCount() && i < 3; ++i) std::printf("    %s\n", results->GetStrings(i).c_str());
  SetMessageTarget(nullptr, nullptr);
  FinalizeMyRegistry();
  return 0;
}
