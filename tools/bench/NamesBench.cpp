// Picks the new names out of a whole Bible as the names list's "&New names" does, then compares
// every name found with every other as "&Compare" of the name comparison does, and prints the time
// and the size of each result. The project is a copy of a Paratext 6 project (by default the King
// James Version of the shared test data) in a temporary projects folder, read with a private
// registry.
//
//   tools_NamesBench_bench.exe [project folder holding KJV.ssf, usfm.sty, English.lds and KJV\]
#include <cstdio>
#include <memory>

#include "classlib/StringLists.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "tools/NameComparison.h"
#include "tools/NewNames.h"
#include "tools/tests/support/KjvProject.h"

int main(int argc, char** argv) {
  tools_bench::KjvProject project(argc > 1 ? argv[1] : "");
  if (!project.Ready()) {
    std::fprintf(stderr, "No project settings file KJV.ssf in \"%s\"\n", project.Source().c_str());
    return 1;
  }
  std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
  std::unique_ptr<TUSFM> usfm(new TUSFM(scripture.get()));
  std::unique_ptr<TStringList> approved(new TStringList()), disapproved(new TStringList());

  tools_bench::Stopwatch searching;
  TNewNamesSearch search;
  search.Run(scripture.get(), usfm.get(), approved.get(), disapproved.get());
  std::printf("%d books of %s\n", scripture->BookNames->GetCount(), project.Source().c_str());
  std::printf("new names          %7.3f s  %6d new names, %6d names in all; first %s, last %s\n", searching.Seconds(),
              search.NewNames->GetCount(), search.AllNames->GetCount(), search.NewNames->GetStrings(0).c_str(),
              search.NewNames->GetStrings(search.NewNames->GetCount() - 1).c_str());

  tools_bench::Stopwatch comparing;
  std::unique_ptr<TStringList> pairs(new TStringList());
  CompareNames(search.NewNames.get(), disapproved.get(), pairs.get());
  std::printf("compare names      %7.3f s  %6d pairs of %d names; first %s\n", comparing.Seconds(), pairs->GetCount(),
              search.NewNames->GetCount(), pairs->GetCount() ? pairs->GetStrings(0).c_str() : "");
  return 0;
}
