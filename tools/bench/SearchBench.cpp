// Searches a whole Bible in each mode of the advanced search, as the dialog's "&Search" does (the
// books read from their files, the markup skipped by the marker checker), and prints the time and
// the number of hits of each run. The project is a copy of a Paratext 6 project (by default the King
// James Version of the shared test data) in a temporary projects folder, read with a private
// registry.
//
//   tools_SearchBench_bench.exe [project folder holding KJV.ssf, usfm.sty, English.lds and KJV\]
#include <cstdio>
#include <memory>
#include <string>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "core/Utilities.h"
#include "tools/AdvancedSearch.h"
#include "tools/tests/support/KjvProject.h"

namespace {

using tools_bench::Stopwatch;

struct Run {
  const char* Title;
  TSearchMode Mode;
  TSearchPhrases Phrases;
};

}  // namespace

int main(int argc, char** argv) {
  tools_bench::KjvProject project(argc > 1 ? argv[1] : "");
  if (!project.Ready()) {
    std::fprintf(stderr, "No project settings file KJV.ssf in \"%s\"\n", project.Source().c_str());
    return 1;
  }

  std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
  std::unique_ptr<TUSFM> usfm(new TUSFM(scripture.get()));
  std::unique_ptr<TStringList> wordList(new TStringList());
  for (const char* word : {"Jesus", "Moses", "Israel", "Jerusalem", "David", "Egypt", "Babylon", "Pharaoh"})
    wordList->Add(word);

  Run runs[] = {
      {"1 phrase \"the lord\"", smPhrase, {}},       {"1 phrase with exclusions", smPhrase, {}},
      {"1 phrase with <any capital>", smPhrase, {}}, {"2 words in capitals", smAllCaps, {}},
      {"3 phrases in one verse", smVerse, {}},       {"4 words containing \"ness\"", smContaining, {}},
      {"5 words of a list of 8", smWordList, {}},
  };
  runs[0].Phrases.Word = "the lord";
  runs[1].Phrases.Word = "lord";
  runs[1].Phrases.NotBefore[0] = "the ";
  runs[1].Phrases.NotBefore[1] = "my ";
  runs[1].Phrases.NotAfter[0] = "'s";
  runs[1].Phrases.NotAfter[1] = "ship";
  runs[2].Phrases.Word = "the <any capital>ord";
  runs[3].Phrases = {};
  runs[4].Phrases.InVerse[0] = "jesus";
  runs[4].Phrases.InVerse[1] = "peter";
  runs[4].Phrases.InVerse[2] = "john";
  runs[5].Phrases.Containing = "ness";

  std::printf("%d books of %s\n", scripture->BookNames->GetCount(), project.Source().c_str());
  for (Run& run : runs) {
    TAdvancedSearch search(scripture.get(), usfm.get(), CapitalLetters, SmallLetters,
                           StringToCharSet(ReadSettingString("Chars Filtered Out")));
    Stopwatch watch;
    search.Run(run.Mode, run.Phrases, wordList.get());
    const double searched = watch.Seconds();
    bool saved = false;
    const AnsiString status = SaveSearchResults(
        search.Hits.get(), SearchResultsPath(run.Mode, MyReg->GetParatextProjectsFolder(), scripture->WorkFolder),
        saved);
    const double total = watch.Seconds();
    std::printf("%-30s %7.3f s searching, %7.3f s with saving  %7d hits  %s\n", run.Title, searched, total,
                search.Hits->GetCount(), search.Hits->GetCount() ? search.Hits->GetStrings(0).c_str() : "");
    if (!saved) std::printf("    %s\n", status.c_str());
  }
  return 0;
}
