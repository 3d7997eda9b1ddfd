#include <gtest/gtest.h>

#include "classlib/Strings.h"

namespace {

struct PosCase {
  const char* sub;
  const char* s;
  Integer expected;
};

TEST(Strings, PosIsOneBasedAndZeroForEmptyOrMissing) {
  const PosCase cases[] = {
      {"a", "abc", 1}, {"c", "abc", 3}, {"bc", "abc", 2}, {"x", "abc", 0}, {"", "abc", 0},
      {"", "", 0},     {"abcd", "abc", 0}, {"b", "abab", 2}, {"\xE9", "caf\xE9", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(Pos(c.sub, c.s), c.expected) << c.sub << " in " << c.s;
  EXPECT_EQ(Pos('c', "abc"), 3);
  EXPECT_EQ(Pos(L"\u0101", L"x\u0101"), 2);
  EXPECT_EQ(PosEx("b", "abab", 3), 4);
  EXPECT_EQ(PosEx("b", "abab", 5), 0);
  EXPECT_EQ(PosEx("b", "abab", 0), 0);
}

struct CopyCase {
  const char* s;
  Integer index, count;
  const char* expected;
};

TEST(Strings, CopyClampsItsArguments) {
  const CopyCase cases[] = {
      {"abcdef", 1, 3, "abc"}, {"abcdef", 4, 100, "def"}, {"abcdef", 0, 2, "ab"}, {"abcdef", -5, 2, "ab"},
      {"abcdef", 7, 1, ""},    {"abcdef", 6, 1, "f"},     {"abcdef", 2, 0, ""},   {"abcdef", 2, -1, ""},
      {"", 1, 1, ""},          {"abcdef", 3, 0x7FFFFFFF, "cdef"},
  };
  for (const auto& c : cases) EXPECT_EQ(Copy(c.s, c.index, c.count), c.expected) << c.s << " " << c.index << " " << c.count;
}

TEST(Strings, DeleteIgnoresPositionsOutsideTheString) {
  const CopyCase cases[] = {
      {"abcdef", 2, 2, "adef"}, {"abcdef", 5, 100, "abcd"}, {"abcdef", 0, 2, "abcdef"}, {"abcdef", 7, 1, "abcdef"},
      {"abcdef", 1, 0, "abcdef"}, {"abcdef", 1, 6, ""},     {"abcdef", 6, 1, "abcde"},
  };
  for (const auto& c : cases) {
    AnsiString s = c.s;
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.expected) << c.s << " " << c.index << " " << c.count;
  }
}

TEST(Strings, InsertClampsThePosition) {
  const struct {
    Integer index;
    const char* expected;
  } cases[] = {{1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {99, "abcXY"}, {0, "XYabc"}, {-3, "XYabc"}};
  for (const auto& c : cases) {
    AnsiString s = "abc";
    Insert("XY", s, c.index);
    EXPECT_EQ(s, c.expected) << c.index;
  }
}

TEST(Strings, CharactersCompareAsUnsignedBytes) {
  // "é" (233) sorts after "z" (122), as in an 8-bit character set.
  EXPECT_LT(AnsiString("z"), AnsiString("\xE9"));
  EXPECT_EQ(Ord('\xE9'), 233);
  EXPECT_EQ(UpCase('a'), 'A');
  EXPECT_EQ(UpCase('\xE9'), '\xE9');
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('-', -1), "");
  EXPECT_EQ(DupeString("ab", 3), "ababab");
  EXPECT_EQ(Length(AnsiString("abc")), 3);
}

TEST(CharSet, BuildsFromCharactersRangesAndStrings) {
  constexpr TCharSet digits{TCharRange('0', '9')};
  static_assert(digits.Contains('5') && !digits.Contains('a'));
  TCharSet letters{TCharRange('a', 'z'), TCharRange('A', 'Z'), '_', "\xE9\xFF"};
  EXPECT_TRUE(letters.Contains('q'));
  EXPECT_TRUE(letters.Contains('_'));
  EXPECT_TRUE(letters.Contains('\xE9'));
  EXPECT_TRUE(letters.Contains('\xFF'));
  EXPECT_FALSE(letters.Contains('1'));
  EXPECT_EQ(letters.Count(), 26 + 26 + 1 + 2);

  const TCharSet both = letters + digits;
  EXPECT_TRUE(both.Contains('7') && both.Contains('k'));
  EXPECT_EQ((both - digits), letters);
  EXPECT_EQ((both * digits), digits);
  EXPECT_TRUE(digits <= both);
  EXPECT_FALSE(both <= digits);

  TCharSet s = TCharSet::FromString("a.b");
  s.Exclude('.');
  s += 'c';
  s -= 'a';
  EXPECT_EQ(s.ToString(), "bc");
  EXPECT_TRUE(TCharSet().IsEmpty());
  EXPECT_TRUE(TCharSet{TCharRange(0, 255)}.Contains('\0'));
  EXPECT_EQ(TCharSet{TCharRange(0, 255)}.Count(), 256);
  EXPECT_TRUE(s.Contains(L'b'));
  EXPECT_FALSE(s.Contains(static_cast<WideChar>(0x162)));  // its low byte is "b"
}

TEST(CodePages, ConvertBothWaysWithQuestionMarksForWhatCannotBeHeld) {
  EXPECT_EQ(AnsiToWide("caf\xE9 \x80"), L"caf\u00E9 \u20AC");  // code page 1252
  EXPECT_EQ(WideToAnsi(L"caf\u00E9 \u20AC"), "caf\xE9 \x80");
  // No best-fit look-alikes: A with macron and the Greek alpha are not in code page 1252.
  EXPECT_EQ(WideToAnsi(L"\u0100\u03B1x"), "??x");
  EXPECT_EQ(WideToAnsi(L"\u0101", 1253), "?");
  EXPECT_EQ(WideToAnsi(L"\u03B1", 1253), "\xE1");
  EXPECT_EQ(UTF8Encode(L"\u00E9\u20AC"), "\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(UTF8Decode("\xC3\xA9\xE2\x82\xAC"), L"\u00E9\u20AC");
  EXPECT_EQ(UTF8Decode("a\xFF"
                       "b"),
            L"a\uFFFDb");
  EXPECT_EQ(AnsiToUtf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(Utf8ToAnsi("\xC3\xA9\xE2\x80\x9C\xC4\x80"), "\xE9\x93?");
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(WideToAnsi(L""), "");
}

}  // namespace
