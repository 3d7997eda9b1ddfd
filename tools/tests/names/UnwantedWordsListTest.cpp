// The entries of the unwanted words list and the search through them.
#include <memory>

#include "classlib/StringLists.h"
#include "tools/UnwantedWordsList.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace {

using tools_testing::ListOf;

TEST(UnwantedWordsListTest, EntryLines) {
  EXPECT_EQ(UnwantedWordEntry("Herr", true, "German"), "Herr (word) (German)");
  EXPECT_EQ(UnwantedWordEntry("holy ghost", false, ""), "holy ghost (phrase) ()");
}

TEST(UnwantedWordsListTest, WholeWordsMustBeRunsOfWordCharacters) {
  const TCharSet capitals{TCharRange('A', 'Z')};
  const TCharSet small{TCharRange('a', 'z')};
  const TCharSet filtered = TCharSet::FromString("[]");
  struct Row {
    const char* Text;
    bool WholeWord;
    bool CanMatch;
  } rows[] = {
      {"Herr", true, true},
      {"ab[c]", true, true},  // filtered out characters belong to words
      {"4th", true, false},
      {"4th", false, true},  // a phrase is always taken
      {"well-known", true, false},
      {"well-known", false, true},
      {"two words", true, false},
      {"\xE9t\xE9", true, false},  // letters outside the classes
      {"", true, true},
  };
  for (const Row& r : rows)
    EXPECT_EQ(WordCanMatch(r.Text, r.WholeWord, capitals, small, filtered), r.CanMatch) << r.Text << r.WholeWord;
  // With the hyphen filtered out, a hyphenated word is a whole word.
  EXPECT_TRUE(WordCanMatch("well-known", true, capitals, small, TCharSet::FromString("-")));
}

TEST(UnwantedWordsListTest, SearchStepsThroughTheMatchingLinesAndStartsAgain) {
  auto lines = ListOf({"Abba (word) ()", "herr (word) (German word)", "lord god (phrase) ()", "Mein HERR (phrase) ()"});
  Integer position = 0;
  struct Step {
    const char* Search;
    bool Changed;  // the search text was changed, which starts the search at the top
    Integer Found;
    Integer PositionAfter;
  } steps[] = {
      {"HERR", false, 1, 2},     // letter case ignored
      {"HERR", false, 3, 4},     // the next matching line
      {"HERR", false, 1, 2},     // past the last line: from the top again
      {"abba", true, 0, 1},      // a changed text starts at the top
      {"abba", false, -1, 4},    // not found from here to the end
      {"abba", false, 0, 1},     // and from the top again
      {"german", true, 1, 2},    // the comment is searched too
      {"(word)", false, -1, 4},  // nothing from line 2 on
      {"(word)", false, 0, 1},   // from the top again
  };
  for (const Step& s : steps) {
    if (s.Changed) position = 0;
    EXPECT_EQ(FindUnwantedEntry(lines.get(), s.Search, position), s.Found) << s.Search;
    EXPECT_EQ(position, s.PositionAfter) << s.Search;
  }
  std::unique_ptr<TStringList> none(new TStringList());
  position = 0;
  EXPECT_EQ(FindUnwantedEntry(none.get(), "x", position), -1);
}

// The search through the list ignores the letter case of the accented letters too, as the
// proofreading does when it looks for the entries in the text.
TEST(UnwantedWordsListTest, SearchIgnoresTheCaseOfEveryLetter) {
  auto lines = ListOf({"Herr (word) (German)", "se\xF1or (word) ()", "JES\xDAS CRISTO (phrase) (\xC9L)"});
  struct Row {
    const char* Search;
    Integer Found;
  } rows[] = {{"SE\xD1OR", 1}, {"jes\xFAs", 2}, {"\xE9l", 2}, {"HERR", 0}, {"senor", -1}};
  for (const Row& r : rows) {
    Integer position = 0;
    EXPECT_EQ(FindUnwantedEntry(lines.get(), r.Search, position), r.Found) << r.Search;
  }
}

}  // namespace
