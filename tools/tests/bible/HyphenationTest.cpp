// Where words may break: by the letter rules, by the word list, at the word's own hyphens.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/StringLists.h"
#include "tests/support/TestSupport.h"
#include "tools/BibleHyphenation.h"

namespace {

// The prefix lengths after which a word may break.
std::vector<int> BreaksOf(const std::string& word, const THyphenationSettings& settings) {
  const std::vector<bool> points = HyphenationPoints(word, settings);
  std::vector<int> breaks;
  for (std::size_t i = 0; i < points.size(); ++i)
    if (points[i]) breaks.push_back(static_cast<int>(i));
  return breaks;
}

THyphenationSettings English(Integer rule, const THyphenationList* list = nullptr) {
  THyphenationSettings settings;
  settings.Rule = rule;
  settings.MinimumDistance = 3;
  settings.Consonants = TCharSet::FromString("bcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ");
  settings.Vowels = TCharSet::FromString("aeiouAEIOU\xE1\xE9\xED\xF3\xFA\xC1\xC9\xCD\xD3\xDA");
  settings.List = list;
  return settings;
}

TEST(HyphenationTest, TheRulesBreakAtLetterTransitionsAwayFromTheEnds) {
  struct Row {
    const char* Word;
    Integer Rule;
    std::vector<int> Breaks;
  } rows[] = {
      {"beginning", hrVowelConsonant, {4}},         // begi|nning (j from 3 to 6 only)
      {"beginning", hrConsonantVowel, {3, 6}},      // beg|inning, beginn|ing
      {"beginning", hrNone, {}},
      {"(beginning,", hrVowelConsonant, {5}},       // the bracket counts in the positions
      {"sun", hrVowelConsonant, {}},                // too short for any break 3 from each end
      {"well-known", hrVowelConsonant, {5}},        // after its hyphen only
      {"Abraham;", hrConsonantVowel, {3}},           // Abr|aham; the semicolon left out
      // A compound keeps the distance from its own hyphens too: not self-c|ontrol, eighty-f|our,
      // heav|en-ward or med|io-dia; well-bel|oved is three letters past the hyphen.
      {"self-control", hrConsonantVowel, {5}},
      {"self-control", hrVowelConsonant, {5}},
      {"eighty-four", hrConsonantVowel, {7}},
      {"heaven-ward", hrConsonantVowel, {7}},
      {"medio-d\xED" "a", hrConsonantVowel, {6}},
      {"well-beloved", hrConsonantVowel, {5, 8}},
      {"\xC1" "bsal\xF3n", hrConsonantVowel, {3}},  // Abs|alon: accented vowels are letters too
  };
  for (const Row& r : rows) EXPECT_EQ(BreaksOf(r.Word, English(r.Rule)), r.Breaks) << r.Word << " " << r.Rule;
}

TEST(HyphenationTest, AListedWordBreaksOnlyWhereItsListedFormHasHyphens) {
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->Add("Je-ru-sa-lem");
  lines->Add("be-gin-ning");
  lines->Add("begin-ning");  // a second form of the same word is not used
  THyphenationList list;
  list.Assign(lines.get());
  EXPECT_EQ(list.IndexOf("JERUSALEM"), 0);
  EXPECT_EQ(list.IndexOf("beginning"), 1);
  EXPECT_EQ(list.IndexOf("Jerusalems"), -1);
  EXPECT_EQ(list.Plain()[0], "Jerusalem");
  struct Row {
    const char* Word;
    Integer Rule;
    std::vector<int> Breaks;
  } rows[] = {
      {"Jerusalem", hrNone, {2, 4, 6}},
      {"jerusalem.", hrConsonantVowel, {2, 4, 6}},  // letter case ignored, the rule not applied
      {"\"beginning", hrVowelConsonant, {3, 6}},    // after the quote: be|gin|ning
  };
  for (const Row& r : rows) EXPECT_EQ(BreaksOf(r.Word, English(r.Rule, &list)), r.Breaks) << r.Word;
}

TEST(HyphenationTest, AMissingWordListGivesAnEmptyList) {
  testing_support::TempFolder temp;
  THyphenationList list;
  list.LoadFromFile(temp.File("HyphenatedWords.txt"));
  EXPECT_TRUE(list.Listed().empty());
  testing_support::WriteFileBytes(temp.File("HyphenatedWords.txt"), "Beth-le-hem\r\nNa-za-reth\r\n");
  list.LoadFromFile(temp.File("HyphenatedWords.txt"));
  EXPECT_EQ(list.Listed(), (std::vector<AnsiString>{"Beth-le-hem", "Na-za-reth"}));
  EXPECT_EQ(list.Plain(), (std::vector<AnsiString>{"Bethlehem", "Nazareth"}));
}

}  // namespace
