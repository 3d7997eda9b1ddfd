// Runs the marker check and the punctuation and sentence checks over a whole Bible as the
// mechanical proofreading does, book by book, and prints characters per second and the slowest
// book, with the first messages of each pass as a sample. The project is a copy of a Paratext 6
// project (by default the King James Version of the shared test data) in a temporary projects
// folder, read with a private registry.
//
//   core_checks_bench.exe [project folder holding KJV.ssf, usfm.sty, English.lds and KJV\]
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/USFMUnit.h"
#include "core/Utilities.h"
#include "tests/support/TestSupport.h"

namespace {

const char* const kDefaultSource = "Z:\\work\\shared\\data\\kjv\\";

struct Book {
  AnsiString Name;
  AnsiString Id;
  AnsiString File;
  std::vector<AnsiString> Lines;
  std::size_t Chars = 0;
};

using testing_support::Stopwatch;

// Lists words and phrases to look for, so that the unwanted-word check does real work.
void WriteWorkFiles(const std::string& workFolder) {
  std::unique_ptr<TStringList> list(new TStringList());
  list->Add("thee (word) (archaic)");
  list->Add("thou (word) (archaic)");
  list->Add("hath (word) (archaic)");
  list->Add("and it came to pass (phrase) (old style)");
  list->Add("unto the lord (phrase) (say: to the Lord)");
  list->SaveToFile(workFolder + "UnwantedWords.txt");
  list->Clear();
  for (const char* name : {"God", "Jesus", "Israel", "Moses", "David", "Jerusalem", "Egypt", "Judah", "LORD", "Lord"})
    list->Add(name);
  list->SaveToFile(workFolder + "ApprovedNames.txt");
}

using Pass = void (*)(TUSFM* usfm, const Book& book);

void MarkerPass(TUSFM* usfm, const Book& book) {
  usfm->Reset();
  usfm->BookId = book.Id;
  usfm->FileName = book.File;
  for (const AnsiString& line : book.Lines) usfm->CheckLine(line);
}

void StructurePass(TUSFM* usfm, const Book& book) {
  BeginBookChecks();
  usfm->Reset();
  usfm->BookId = book.Id;
  for (const AnsiString& line : book.Lines) CheckStructureLine(usfm, line);
  EndBookChecks(usfm);
}

// The walker with only the punctuation checks, or only the sentence and unwanted-word checks.
template <bool Punctuation>
void PartialPass(TUSFM* usfm, const Book& book) {
  BeginBookChecks();
  usfm->Reset();
  usfm->BookId = book.Id;
  for (const AnsiString& line : book.Lines) {
    for (std::size_t i = 0; i <= line.size(); ++i) {
      const char c = i < line.size() ? line[i] : '\n';
      if (usfm->ProcessChar(c)) continue;
      if (Punctuation) {
        CheckUnknownCharacter(usfm, c);
        CheckNonAdjacent(usfm, c);
        CheckBrackets(usfm, c, false);
        CheckQuotes(usfm, c, false);
        CheckDividers(usfm, c);
        CheckSpaceBeforePunctuation(usfm, c);
      } else {
        CheckSentence(usfm, c, false);
        CheckUnwantedWords(usfm, c, false);
      }
    }
  }
  if (Punctuation) {
    CheckBrackets(usfm, ' ', true);
    CheckQuotes(usfm, ' ', true);
    SentenceCheckSetup(false);
  } else {
    EndBookChecks(usfm);
  }
}

void Measure(const char* title, Pass pass, const std::vector<Book>& books, std::size_t chars, TStringList* results) {
  std::unique_ptr<TUSFM> usfm(new TUSFM(nullptr));
  results->Clear();
  double total = 0, slowest = 0;
  AnsiString slowestBook;
  for (const Book& book : books) {
    Stopwatch watch;
    pass(usfm.get(), book);
    const double seconds = watch.Seconds();
    total += seconds;
    if (seconds > slowest) {
      slowest = seconds;
      slowestBook = book.Name;
    }
  }
  std::printf("%-38s %7.3f s  %6.2f M chars/s  slowest book %-14s %6.1f ms  %6d messages\n", title, total,
              chars / total / 1e6, slowestBook.c_str(), slowest * 1000, results->GetCount());
  for (int i = 0; i < results->GetCount() && i < 3; ++i) std::printf("    %s\n", results->GetStrings(i).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string source = argc > 1 ? IncludeTrailingBackslash(argv[1]) : std::string(kDefaultSource);
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  const std::string projects = temp.Path() + "Projects\\";
  if (!testing_support::CopyKjvProject(source, projects)) {
    std::fprintf(stderr, "No project settings file %sKJV.ssf\n", source.c_str());
    return 1;
  }
  InitializeMyRegistry();
  MyReg->SetParatextProjectsFolder(projects);
  MyReg->SetCurrentProject("King James Version");
  InitializeStyleSheet();
  ProgramFolder = temp.Path();
  WriteDefaultBrackets(ProgramFolder);
  std::unique_ptr<TStringList> results(new TStringList());
  SetMessageTarget(results.get(), nullptr);
  LoadCheckSettings();

  // The books as the main window holds them: one string per line.
  std::vector<Book> books;
  std::size_t chars = 0, verses = 0;
  Stopwatch reading;
  {
    std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
    WriteWorkFiles(scripture->WorkFolder);
    AnsiString name;
    while (scripture->NextBook(name)) {
      Book& book = books.emplace_back();
      book.Name = name;
      book.Id = scripture->BookIds->GetStrings(scripture->BookIndex);
      book.File = scripture->BookFiles->GetStrings(scripture->BookIndex);
      std::size_t start = 0;
      const AnsiString& text = scripture->Text;
      while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == AnsiString::npos) end = text.size();
        book.Lines.push_back(text.substr(start, end - start));
        if (text.compare(start, 3, "\\v ") == 0) ++verses;
        start = end + 1;
      }
      book.Chars = text.size();
      chars += book.Chars;
    }
  }
  std::printf("%zu books, %zu verses, %zu characters, read in %.3f s\n", books.size(), verses, chars,
              reading.Seconds());

  Measure("Marker check (TUSFM.CheckLine)", &MarkerPass, books, chars, results.get());
  Measure("Punctuation checks", &PartialPass<true>, books, chars, results.get());
  Measure("Sentence and unwanted-word checks", &PartialPass<false>, books, chars, results.get());
  Measure("Structure phase (all checks together)", &StructurePass, books, chars, results.get());


  // The user's ignore list is compared with every message; 200 lines is a long one.
  std::unique_ptr<TStringList> ignored(new TStringList());
  for (int i = 0; i < 200; ++i) ignored->Add("GEN " + IntToStr(i + 1) + ":1 An ignored message of a long ignore list");
  ignored->Add(results->GetStrings(0));
  SetMessageTarget(results.get(), ignored.get());
  Measure("Structure phase, 200 ignored messages", &StructurePass, books, chars, results.get());

  SetMessageTarget(nullptr, nullptr);
  FinalizeStyleSheet();
  FinalizeMyRegistry();
  return 0;
}
