#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "spell/lx3Suggestions.h"
#include "spell/lx3Util.h"

namespace {

std::vector<std::string> Strings(const TStringList& list) {
  std::vector<std::string> out;
  for (Integer i = 0; i < list.GetCount(); ++i) out.push_back(list[i]);
  return out;
}

// The caller's test: a fixed set of correct words.
TCheckWordEvent WordsOf(std::set<std::string> words) {
  return TCheckWordEvent::FromFunction([words = std::move(words)](const char* w, bool& valid) { valid = words.count(w) > 0; });
}

std::vector<std::string> Generate(const AnsiString& word, std::set<std::string> words, Integer maximum = -1,
                                  TSuggestionsGenerator* generator = nullptr) {
  TSuggestionsGenerator own;
  TSuggestionsGenerator& g = generator ? *generator : own;
  TStringList list;
  g.Generate(word, maximum, WordsOf(std::move(words)), &list);
  return Strings(list);
}

using List = std::vector<std::string>;

TEST(SuggestionsGenerator, TriesEditsInTheirOrder) {
  // Transpositions first, then insertions, deletions and replacements (inner positions from the
  // end, then the first position with the first letters, capitals last).
  EXPECT_EQ(Generate("hte", {"the", "hate", "he", "hue", "ate", "Hte", "tee"}),
            (List{"the", "hate", "he", "hue", "ate", "Hte"}));
}

TEST(SuggestionsGenerator, StopsOneOverTheMaximum) {
  const std::set<std::string> words{"the", "hate", "he", "hue", "ate"};
  EXPECT_EQ(Generate("hte", words, 2), (List{"the", "hate", "he"}));
  EXPECT_EQ(Generate("hte", words, 0), List{});
  EXPECT_EQ(Generate("", words), List{});
  EXPECT_EQ(Generate(AnsiString(251, 'a'), {AnsiString(250, 'a')}), List{});
  EXPECT_EQ(Generate(AnsiString(250, 'a'), {AnsiString(249, 'a')}), List{AnsiString(249, 'a')});
}

TEST(SuggestionsGenerator, LowerCaseWordsSkipCapitalisedFormsOfCorrectWords) {
  EXPECT_EQ(Generate("hte", {"ate", "Ate"}), List{"ate"});
  EXPECT_EQ(Generate("hte", {"Ate"}), List{"Ate"});
}

TEST(SuggestionsGenerator, CapitalisedWordsAlsoTryCapitalsInside) {
  EXPECT_EQ(Generate("hxe", {"hXe"}), List{});
  EXPECT_EQ(Generate("Hxe", {"HXe"}), List{"HXe"});
}

TEST(SuggestionsGenerator, StrictCaseKeepsOnlyEvenlyCasedTails) {
  TSuggestionsGenerator g;
  EXPECT_EQ(Generate("Thw", {"The", "ThE"}, -1, &g), (List{"The", "ThE"}));
  g.StrictCase = true;
  EXPECT_EQ(Generate("Thw", {"The", "ThE"}, -1, &g), (List{"The"}));
}

TEST(SuggestionsGenerator, SplitsWordsAndMissingBlanksAfterAFullStop) {
  EXPECT_EQ(Generate("thecat", {"the", "cat"}), List{"the cat"});
  EXPECT_EQ(Generate("end.Next", {"end", "Next"}), List{"end. Next"});
  EXPECT_EQ(Generate("end.next", {"end", "next"}), List{});
  TSuggestionsGenerator swedish;
  swedish.SetLanguage(1053);
  EXPECT_EQ(swedish.GetTechniques(), 15);
  EXPECT_EQ(Generate("thecat", {"the", "cat"}, -1, &swedish), List{});
  swedish.SetTechniques(TSuggestionsGenerator::tcAll);
  EXPECT_FALSE(swedish.GetAllTechniques());
  EXPECT_EQ(Generate("thecat", {"the", "cat"}, -1, &swedish), List{"the cat"});
}

TEST(SuggestionsGenerator, TechniquesCanBeChosen) {
  TSuggestionsGenerator g;
  g.SetTechniques(TSuggestionsGenerator::tcDeletion);
  EXPECT_EQ(Generate("hte", {"the", "he"}, -1, &g), List{"he"});
  g.SetAllTechniques(true);
  EXPECT_EQ(g.GetTechniques(), TSuggestionsGenerator::tcAll);
}

TEST(SuggestionsGenerator, LanguagesAppendTheirLetters) {
  TSuggestionsGenerator g;
  const std::size_t inner = g.InnerLetters.size(), first = g.FirstLetters.size();
  EXPECT_EQ(inner, 67u);
  EXPECT_EQ(first, 122u);
  g.SetLanguage(1045);
  EXPECT_EQ(g.InnerLetters.size(), inner + 19);
  g.SetLanguage(1036);  // French: primary language 12
  EXPECT_EQ(g.FirstLetters.size(), first + 20);
  EXPECT_EQ(g.FirstLetters.back(), '\x9C');
  g.SetLanguage(1036);  // the same language again adds nothing
  EXPECT_EQ(g.FirstLetters.size(), first + 20);
}

TEST(SuggestionsGenerator, MixedCaseWordsAreAlsoTriedInLowerCase) {
  TSuggestionsGenerator g;
  TStringList list;
  g.GenerateCased("HOuse", -1, WordsOf({"house", "House"}), &list);
  EXPECT_EQ(Strings(list), (List{"House", "house"}));
  list.Clear();
  g.GenerateCased("hoUse", -1, WordsOf({"house"}), &list);
  EXPECT_EQ(Strings(list), (List{"house"}));
}

TEST(EditDistance, CountsEditsWithNeighbourSwapsOnce) {
  struct {
    const char* a;
    const char* b;
    Integer distance;
  } const cases[] = {
      {"", "", 0},          {"abc", "abc", 0},       {"abc", "abd", 1},   {"", "abc", 3},
      {"ab", "ba", 1},      {"form", "from", 1},     {"teh", "the", 1},   {"recieve", "receive", 1},
      {"kitten", "sitting", 3}, {"abcd", "badc", 1},  {"abab", "baba", 0},  // two swaps at once
  };
  for (const auto& c : cases) EXPECT_EQ(EditDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
  EXPECT_EQ(EditDistance(AnsiString(255, 'x'), "x"), 255);
  EXPECT_EQ(EditDistance(AnsiString(254, 'x'), "x"), 253);
}

}  // namespace
