// Measures the consistency lists at the size of a whole Bible's keyword list: reading the three
// files, producing the reference list of every keyword and mapping it to another versification,
// sorting the references after a reference is added, taking the references of a long
// "pelorin.ref", and writing the checklist text. The list is made up: 8,000 keywords with 20
// references each spread over the whole Bible, a translation for every other keyword, and a map
// file that moves every tenth verse.
//
//   tools_ConsistencyLists_bench.exe
#include <cstdio>
#include <memory>
#include <string>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Mapping.h"
#include "core/ProgramFolderUnit.h"
#include "core/TypesConstants.h"
#include "tests/support/TestSupport.h"
#include "tools/CheckLists.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/ConsistencyLists.h"
#include "tools/KeywordsEditing.h"

namespace {

constexpr int kKeywords = 8000;
constexpr int kReferencesPerKeyword = 20;

using testing_support::Stopwatch;

// A reproducible reference for the n-th occurrence of keyword k.
AnsiString Reference(int k, int n) {
  const unsigned mixed = static_cast<unsigned>(k) * 2654435761u + static_cast<unsigned>(n) * 40503u;
  return BookId(1 + mixed % BookCount) + " " + IntToStr(1 + (mixed >> 8) % 50) + ":" + IntToStr(1 + (mixed >> 16) % 40);
}

void WriteList(const std::string& folder) {
  std::string references, definitions, translations, map;
  for (int k = 0; k < kKeywords; ++k) {
    const std::string keyword = "word" + std::to_string(k);
    definitions += keyword + "\r\n" + std::to_string(1 + k % 9) + "\r\ngloss of " + keyword + "\r\n";
    if (k % 2 == 0) translations += keyword + "\r\ntranslation " + std::to_string(k) + "\r\n";
    for (int n = 0; n < kReferencesPerKeyword; ++n) {
      const AnsiString reference = Reference(k, n);
      references += keyword + "\r\n" + reference + "\r\n" + std::to_string(n % 4) + "\r\n";
      if ((k + n) % 10 == 0) map += reference + " - " + Reference(k + 1, n) + "\r\n";
    }
  }
  testing_support::WriteFileBytes(folder + "kwotref.txt", references);
  testing_support::WriteFileBytes(folder + "kwotdef.txt", definitions);
  testing_support::WriteFileBytes(folder + "KeyWordsOTTranslation.txt", translations);
  testing_support::WriteFileBytes(folder + "English.map", map);
}

void Report(const char* what, double ms, const std::string& detail) {
  std::printf("%-44s %9.1f ms   %s\n", what, ms, detail.c_str());
}

}  // namespace

int main() {
  testing_support::TempFolder temp;
  ProgramFolder = temp.Path();
  WriteList(temp.Path());

  Stopwatch reading;
  TListDatabase references(temp.File("kwotref.txt"), TListFile::References);
  TListDatabase definitions(temp.File("kwotdef.txt"), TListFile::Definitions);
  TListDatabase translations(temp.File("KeyWordsOTTranslation.txt"), TListFile::Translations);
  Report("read the three files", reading.Milliseconds(),
         std::to_string(references.RecordCount()) + " references, " + std::to_string(definitions.RecordCount()) +
             " keywords");

  std::unique_ptr<TStringList> lines(new TStringList());
  Stopwatch producing;
  ProduceReferenceLines(&definitions, &references, &translations, "Hebrew", "", lines.get());
  Report("produce the reference list of every keyword", producing.Milliseconds(),
         std::to_string(lines->GetCount()) + " lines");

  Stopwatch one;
  ProduceReferenceLines(&definitions, &references, &translations, "Hebrew", "word7777", lines.get());
  Report("produce the reference list of one keyword", one.Milliseconds(), std::to_string(lines->GetCount()) + " lines");

  ProduceReferenceLines(&definitions, &references, &translations, "Hebrew", "", lines.get());
  Stopwatch mapping;
  MapReferencesVersification(1, 4, lines.get());
  Report("map the whole list to another versification", mapping.Milliseconds(), lines->GetStrings(0));

  Stopwatch sorting;
  AddReference(&references, "word42", "REV 22:21");
  SortReferenceDatabase(&references);
  Report("add a reference and sort", sorting.Milliseconds(), references.GetField(0, rfReference));

  Stopwatch sortedAgain;
  SortReferenceDatabase(&references);
  Report("sort a sorted list", sortedAgain.Milliseconds(), "");

  std::unique_ptr<TStringList> exchange(new TStringList());
  for (int n = 0; n < 5000; ++n) exchange->Add(Reference(n, 7) + " - a line of a list");
  std::unique_ptr<TStringList> collected(new TStringList());
  Stopwatch loading;
  ReferencesToLoad(exchange.get(), &references, "word42", collected.get());
  Report("take the references of a pelorin.ref", loading.Milliseconds(),
         std::to_string(exchange->GetCount()) + " lines, " + std::to_string(collected->GetCount()) + " new");

  std::unique_ptr<TStringList> groups(new TStringList());
  ListKindGroups(3, groups.get());
  Stopwatch checklist;
  CheckListLines(&references, &definitions, groups.get(), lines.get());
  Report("write the checklist text", checklist.Milliseconds(), std::to_string(lines->GetCount()) + " lines");

  AnsiString error;
  Stopwatch saving;
  const bool saved = references.SaveChanges(error);
  Report("save the references", saving.Milliseconds(), saved ? "" : error);
  return 0;
}
