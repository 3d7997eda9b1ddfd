#include <gtest/gtest.h>

#include "spell/lx3PhoneticsMap.h"

namespace {

struct KeyCase {
  Integer language;
  const char* word;
  const char* key;
};

class PhoneticKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PhoneticKeys, AreBuiltByTheLanguagesRules) {
  const KeyCase& c = GetParam();
  TPhoneticsMap map;
  map.SetLanguage(c.language);
  AnsiString key;
  map.GetKey(c.word, key);
  EXPECT_EQ(key, c.key) << c.word;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PhoneticKeys,
    ::testing::Values(
        // English: the first two characters as typed, then the codes of the rest.
        KeyCase{1033, "thompson", "thmpsn"}, KeyCase{1033, "THOMPSON", "THmpsn"},
        KeyCase{1033, "knight", "knkht"}, KeyCase{1033, "the", "th"},
        KeyCase{1033, "mother", "mo0r"},      // "th" is the digit zero
        KeyCase{1033, "box", "boks"},         // "x" adds two characters
        KeyCase{1033, "letter", "letr"},      // the second "t" collapses into the first
        KeyCase{1033, "lettuce", "lets"},     // "ce" is coded "s"
        KeyCase{1033, "ppp", "pp"},           // collapses into the kept prefix too
        KeyCase{1033, "takck", "takk"},       // a two-character rule never collapses
        KeyCase{1033, "abcdfghjklmnp", "abktfkhj"},  // six code characters at most
        KeyCase{1033, "abcdfghx", "abktfkhks"},      // seven when the last rule adds two
        KeyCase{1033, "phase", "phs"}, KeyCase{1033, "graph", "grf"},
        KeyCase{2057, "graph", "grf"},        // any English variant
        // French, default and Russian sets.
        KeyCase{1036, "papa", "pab"}, KeyCase{1036, "cadeau", "cad"},
        KeyCase{1031, "Haus", "Hak"}, KeyCase{1031, "Tante", "Tamd"},
        KeyCase{1049, "\xE0\xE0\xE7\xE0\xE7", "\xE0\xE0\xF1"},  // the later of two rules for one pattern holds
        KeyCase{1049, "\xE0\xE0\xE1", "\xE0\xE0\xE1\xFC"}));

TEST(PhoneticsMap, WithoutALanguageKeepsOnlyThePrefix) {
  TPhoneticsMap map;
  AnsiString key;
  map.GetKey("letter", key);
  EXPECT_EQ(key, "le");
}

TEST(PhoneticsMap, LongestPatternWinsAndLaterRuleReplacesEarlier) {
  TReplaceNode rules;
  rules.AddRule("a", "1", 1);
  rules.AddRule("abc", "3", 2);
  rules.AddRule("ab", "2", 2);
  AnsiString replacement;
  Integer count = 0;
  ASSERT_TRUE(rules.Match("xabcd", replacement, 2, count));
  EXPECT_EQ(replacement, "3");
  EXPECT_EQ(count, 2);
  ASSERT_TRUE(rules.Match("xabd", replacement, 2, count));
  EXPECT_EQ(replacement, "2");
  ASSERT_TRUE(rules.Match("a", replacement, 1, count));
  EXPECT_EQ(replacement, "1");
  EXPECT_FALSE(rules.Match("b", replacement, 1, count));
  EXPECT_FALSE(rules.Match("a", replacement, 2, count));
  rules.AddRule("ab", "two", 1);
  ASSERT_TRUE(rules.Match("abd", replacement, 1, count));
  EXPECT_EQ(replacement, "two");
  EXPECT_EQ(count, 1);
  rules.Clear();
  EXPECT_FALSE(rules.Match("abc", replacement, 1, count));
}

TEST(PhoneticsMap, DepthAndDivisorRefuseValuesBelowOne) {
  TPhoneticsMap map;
  map.SetLanguage(1033);
  map.SetDepth(0);
  EXPECT_EQ(map.GetPhoneticDepth(), 2);
  map.SetDepth(1);
  AnsiString key;
  map.GetKey("letter", key);
  EXPECT_EQ(key, "ltr");
  map.SetPhoneticDivisor(0);
  EXPECT_EQ(map.GetPhoneticDivisor(), 2);
  map.SetPhoneticDivisor(-3);
  EXPECT_EQ(map.GetPhoneticDivisor(), 2);
}

TEST(PhoneticsMap, WithinDistanceByLengthAndMaximum) {
  TPhoneticsMap map;
  struct {
    const char* word;
    Integer distance;
    bool within;
  } const cases[] = {
      {"abcde", 2, true},     {"abcde", 3, false},  // 5 div 2 = 2
      {"abcdefgh", 4, true},  {"abcdefgh", 5, false},
      {"abcdefghijkl", 4, true}, {"abcdefghijkl", 5, false},  // the maximum, 4
  };
  for (const auto& c : cases) EXPECT_EQ(map.WithinDistance(c.word, c.distance), c.within) << c.word << c.distance;
  map.SetPhoneticDivisor(3);
  map.PhoneticMaxDistance = 10;
  EXPECT_TRUE(map.WithinDistance("abcdefghijkl", 4));
  EXPECT_FALSE(map.WithinDistance("abcdefghijkl", 5));
}

}  // namespace
