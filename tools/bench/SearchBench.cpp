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
#include "tests/support/TestSupport.h"
#include "tools/AdvancedSearch.h"

namespace {

class Stopwatch {
public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart - start_.QuadPart) / double(frequency_.QuadPart);
  }

private:
  LARGE_INTEGER frequency_, start_;
};

// Copies the project into `projects`, pointing its settings file at the copy.
bool CopyProject(const std::string& source, const std::string& projects) {
  if (!FileExists(source + "KJV.ssf")) return false;
  std::unique_ptr<TStringList> ssf(new TStringList());
  ssf->LoadFromFile(source + "KJV.ssf");
  ssf->SetText(StringReplace(ssf->GetText(), "C:\\My Paratext Projects\\", projects, rfReplaceAll | rfIgnoreCase));
  ForceDirectories(projects + "KJV");
  ssf->SaveToFile(projects + "KJV.ssf");
  FileCopy(source + "usfm.sty", projects + "usfm.sty");
  FileCopy(source + "English.lds", projects + "English.lds");
  TSearchRec rec;
  if (FindFirst(source + "KJV\\*.SFM", faAnyFile, rec) == 0) {
    do {
      FileCopy(source + "KJV\\" + rec.Name, projects + "KJV\\" + rec.Name);
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  return true;
}

struct Run {
  const char* Title;
  TSearchMode Mode;
  TSearchPhrases Phrases;
};

}  // namespace

int main(int argc, char** argv) {
  std::string source = argc > 1 ? IncludeTrailingBackslash(argv[1]) : testing_support::KjvDataFolder();
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  const std::string projects = temp.Path() + "Projects\\";
  if (source.empty() || !CopyProject(source, projects)) {
    std::fprintf(stderr, "No project settings file KJV.ssf in \"%s\"\n", source.c_str());
    return 1;
  }
  InitializeMyRegistry();
  MyReg->SetParatextProjectsFolder(projects);
  MyReg->SetCurrentProject("King James Version");
  ProgramFolder = temp.Path();
  WriteDefaultBrackets(ProgramFolder);
  LoadCheckSettings();

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

  std::printf("%d books of %s\n", scripture->BookNames->GetCount(), source.c_str());
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
  FinalizeMyRegistry();
  return 0;
}
