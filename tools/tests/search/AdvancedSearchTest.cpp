// The five modes of the advanced search over fixture books, and the saving of their hits.
#include <memory>

#include "classlib/StringLists.h"
#include "core/CheckPunctuation.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "tools/AdvancedSearch.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace {

using tools_testing::ItemsOf;
using tools_testing::Lines;
using tools_testing::ListOf;

class AdvancedSearchTest : public tools_testing::ToolsTest {
protected:
  void SetUp() override {
    ToolsTest::SetUp();
    WriteFixtureBook("MAT", "search/MAT.SFM");
    // Without an "\id" line and with a first line of text only: its first word follows the last
    // word of Matthew.
    WriteFixtureBook("MRK", "search/MRK.SFM");
  }

  Lines Search(TSearchMode mode, const TSearchPhrases& phrases, TStrings* wordList = nullptr) {
    TScripture scripture(nullptr, -1);
    TUSFM usfm(&scripture);
    TAdvancedSearch search(&scripture, &usfm, CapitalLetters, SmallLetters, FilteredOutChars);
    search.OnStatus = [this](const AnsiString& text) { statuses.push_back(text); };
    std::unique_ptr<TStringList> none(new TStringList());
    search.Run(mode, phrases, wordList ? wordList : none.get());
    return ItemsOf(search.Hits.get());
  }
  Lines statuses;
};

TEST_F(AdvancedSearchTest, PhraseNotPrecededOrFollowed) {
  TSearchPhrases phrases;
  phrases.Word = "lord";
  phrases.NotBefore[1] = "of the ";
  phrases.NotAfter[2] = "ship";
  // "Lordship" is the third occurrence of MAT 1:2 and "of the LORD" the fourth: not listed, but
  // counted. The phrase at the end of MRK 1:2 is only known not to be followed by "ship" when the
  // next verse has begun; it is listed in its own verse.
  EXPECT_EQ(Search(smPhrase, phrases),
            (Lines{"MAT 1:1 \t\t[1]LORD", "MAT 1:1 \t\t[2]Lord", "MAT 1:2 \t\t[1]LORD", "MAT 1:2 \t\t[2]lord",
                   "MAT 1:2 \t\t[5]Lord", "MRK 1:1 \t\t[1]Lord", "MRK 1:2 \t\t[1]Lord"}));
  EXPECT_EQ(statuses, (Lines{"Searching", "Matthew", "Mark"}));
}

TEST_F(AdvancedSearchTest, PhraseWithAnyCapitalAndFilteredOutCharacters) {
  TSearchPhrases phrases;
  phrases.Word = "<any capital>ord";
  EXPECT_EQ(Search(smPhrase, phrases),
            (Lines{"MAT 1:1 \t\t[1]LORD", "MAT 1:1 \t\t[2]Lord", "MAT 1:2 \t\t[1]LORD", "MAT 1:2 \t\t[2]Lord",
                   "MAT 1:2 \t\t[3]LORD", "MAT 1:2 \t\t[4]Lord", "MRK 1:1 \t\t[1]Lord", "MRK 1:2 \t\t[1]Lord"}));
  phrases.Word = "abraham";  // written "A[b]raham"; the brackets are filtered out
  EXPECT_EQ(Search(smPhrase, phrases), (Lines{"MAT 1:2 \t\t[1]Abraham"}));
  phrases.Word = "of <any capital>b";
  EXPECT_EQ(Search(smPhrase, phrases), (Lines{"MAT 1:2 \t\t[1]of Ab"}));
}

TEST_F(AdvancedSearchTest, WordsInCapitalsOnly) {
  // "JESUS" at the end of Matthew runs on into the first word of Mark.
  EXPECT_EQ(Search(smAllCaps, {}), (Lines{"MAT 1:1 \t\t[1]LORD", "MAT 1:2 \t\t[1]I", "MAT 1:2 \t\t[2]AM",
                                          "MAT 1:2 \t\t[3]LORD", "MAT 1:2 \t\t[4]LORD", "MAT 1:2 \t\t[5]GOD",
                                          "MAT 1:2 \t\t[6]O", "MRK 0:0 \t\t[1]JESUSALL", "MRK 1:1 \t\t[1]HALLELUJAH"}));
}

TEST_F(AdvancedSearchTest, PhrasesTogetherInOneVerse) {
  TSearchPhrases phrases;
  phrases.InVerse[0] = "jesus";
  phrases.InVerse[2] = "John";
  EXPECT_EQ(Search(smVerse, phrases), (Lines{"MAT 2:1 \t\t[1] Found: jesus John"}));
  phrases.InVerse[0] = "lord";
  phrases.InVerse[2] = "";
  EXPECT_EQ(Search(smVerse, phrases), (Lines{"MAT 1:1 \t\t[1] Found: lord", "MAT 1:2 \t\t[1] Found: lord",
                                             "MRK 1:1 \t\t[1] Found: lord", "MRK 1:2 \t\t[1] Found: lord"}));
}

TEST_F(AdvancedSearchTest, WholeWordsContainingAPhrase) {
  TSearchPhrases phrases;
  phrases.Containing = "LorD";
  EXPECT_EQ(Search(smContaining, phrases), (Lines{"LORD", "Lordship"}));  // the first of each spelling stays
  phrases.Containing = "sus";
  EXPECT_EQ(Search(smContaining, phrases), (Lines{"Jesus", "JESUSALL"}));
}

TEST_F(AdvancedSearchTest, WordsOfTheWordList) {
  auto words = ListOf({"jesus", "", "LORD", "hallelujah", ""});
  EXPECT_EQ(Search(smWordList, {}, words.get()),
            (Lines{"MAT 1:1 \t\t[1]LORD", "MAT 1:1 \t\t[2]Lord", "MAT 1:2 \t\t[1]LORD", "MAT 1:2 \t\t[2]lord",
                   "MAT 1:2 \t\t[3]LORD", "MAT 1:2 \t\t[4]Lord", "MAT 2:1 \t\t[1]Jesus", "MAT 2:1 \t\t[2]Jesus",
                   "MAT 2:2 \t\t[1]Jesus", "MRK 1:1 \t\t[1]Lord", "MRK 1:1 \t\t[2]Jesus", "MRK 1:1 \t\t[3]HALLELUJAH",
                   "MRK 1:2 \t\t[1]Lord"}));
  EXPECT_EQ(ItemsOf(words.get()), (Lines{"jesus", "LORD", "hallelujah"}));  // the empty lines went
}

// The letters of a Spanish team: every mode that ignores letter case finds every case of the
// accented letters, "JES\xDAS" as well as "Jes\xFAs", in the phrase, the texts around it, the verse
// phrases, the phrase words contain and the words of the list.
TEST_F(AdvancedSearchTest, EveryLetterCaseOfAccentedLetters) {
  core_testing::WriteSpanishLetters();
  LoadCheckSettings();
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 Jes\xFAs dijo: JES\xDAS es el SE\xD1OR.",
                        "\\v 2 \xC9L SE\xD1OR y jes\xFAs; se\xF1or\xEDo."});
  TSearchPhrases phrases;
  phrases.Word = "jes\xFAs";
  EXPECT_EQ(Search(smPhrase, phrases),
            (Lines{"JHN 1:1 \t\t[1]Jes\xFAs", "JHN 1:1 \t\t[2]JES\xDAS", "JHN 1:2 \t\t[1]jes\xFAs"}));
  phrases.Word = "se\xF1or";
  phrases.NotBefore[0] = "\xE9l ";
  phrases.NotAfter[3] = "\xCDO";
  EXPECT_EQ(Search(smPhrase, phrases), (Lines{"JHN 1:1 \t\t[1]SE\xD1OR"}));

  phrases = {};
  phrases.InVerse[0] = "JES\xDAS";
  phrases.InVerse[1] = "se\xF1or";
  EXPECT_EQ(Search(smVerse, phrases), (Lines{"JHN 1:1 \t\t[1] Found: JES\xDAS se\xF1or",
                                             "JHN 1:2 \t\t[1] Found: JES\xDAS se\xF1or"}));
  phrases = {};
  phrases.Containing = "\xD1O";
  EXPECT_EQ(Search(smContaining, phrases), (Lines{"SE\xD1OR", "se\xF1or\xEDo"}));

  auto words = ListOf({"se\xF1or"});
  EXPECT_EQ(Search(smWordList, {}, words.get()), (Lines{"JHN 1:1 \t\t[1]SE\xD1OR", "JHN 1:2 \t\t[1]SE\xD1OR"}));
}

TEST_F(AdvancedSearchTest, ProjectWithoutBooksSearchesNothing) {
  DeleteFile((BookPath("MAT")).c_str());
  DeleteFile((BookPath("MRK")).c_str());
  EXPECT_EQ(Search(smAllCaps, {}), Lines{});
  EXPECT_EQ(statuses, Lines{});
}

TEST(AdvancedSearchPhraseTest, MatchesSearchWord) {
  const TCharSet capitals{TCharRange('A', 'Z'), '\xC4'};
  struct Row {
    const char* Window;
    const char* Phrase;
    bool Matches;
  } rows[] = {
      {"Lord", "lord", true},
      {"LORD", "lOrD", true},
      {"Lord", "lor", false},
      {"Lords", "lord", false},
      {"Lord", "<any capital>ord", true},
      {"lord", "<any capital>ord", false},
      {"\xC4rd", "<any capital>rd", true},     // a capital of the class, not only A to Z
      {"o Lord", "o <any capital>ORD", true},  // the rest without regard to case
      {"\xE4rd", "\xC4rd", true},              // letters beyond Z too
      {"SE\xD1OR", "se\xF1or", true},
      {"\x9A" "a", "\x8A" "A", true},          // S with caron
      // A phrase with the token twice has a window 12 characters shorter only: nothing matches it.
      {"ABCDEFGHIJKLMN", "<any capital><any capital>", false},
      {"", "", true},
  };
  for (const Row& r : rows) EXPECT_EQ(MatchesSearchWord(r.Window, r.Phrase, capitals), r.Matches) << r.Window;
}

TEST(AdvancedSearchPhraseTest, SearchPhraseNeeded) {
  TSearchPhrases phrases;
  struct Row {
    TSearchMode Mode;
    bool Needed;
  } rows[] = {{smPhrase, false}, {smAllCaps, true}, {smVerse, false}, {smContaining, false}, {smWordList, true}};
  for (const Row& r : rows) EXPECT_EQ(HasSearchPhrase(r.Mode, phrases), r.Needed) << r.Mode;
  phrases.InVerse[3] = "x";
  EXPECT_TRUE(HasSearchPhrase(smVerse, phrases));
  EXPECT_FALSE(HasSearchPhrase(smPhrase, phrases));
  phrases.Word = "x";
  phrases.Containing = "x";
  EXPECT_TRUE(HasSearchPhrase(smPhrase, phrases));
  EXPECT_TRUE(HasSearchPhrase(smContaining, phrases));
}

class SearchResultsFileTest : public testing_support::IsolatedTest {};

TEST_F(SearchResultsFileTest, SavedWholeOrNotAtAll) {
  EXPECT_EQ(SearchResultsPath(smPhrase, "P\\", "W\\"), "P\\pelorin.ref");
  EXPECT_EQ(SearchResultsPath(smWordList, "P\\", "W\\"), "P\\pelorin.ref");
  EXPECT_EQ(SearchResultsPath(smContaining, "P\\", "W\\"), "W\\SearchData.txt");

  const std::string path = temp_.File("pelorin.ref");
  bool saved = false;
  auto hits = ListOf({"MAT 1:1 \t\t[1]Lord", "MAT 1:2 \t\t[1]Lord"});
  EXPECT_EQ(SaveSearchResults(hits.get(), path, saved), "Ready. The results (2) have been saved to " + path + ".");
  EXPECT_TRUE(saved);
  EXPECT_EQ(testing_support::ReadFileBytes(path), "MAT 1:1 \t\t[1]Lord\r\nMAT 1:2 \t\t[1]Lord\r\n");

  std::unique_ptr<TStringList> none(new TStringList());
  EXPECT_EQ(SaveSearchResults(none.get(), path, saved), "No matches found.");
  EXPECT_TRUE(saved);
  EXPECT_EQ(testing_support::ReadFileBytes(path), "");

  const std::string missing = temp_.File("no such folder\\pelorin.ref");
  const AnsiString status = SaveSearchResults(hits.get(), missing, saved);
  EXPECT_FALSE(saved);
  EXPECT_EQ(status.rfind("The results cannot be saved to " + missing + ": ", 0), 0u) << status;
}

}  // namespace
