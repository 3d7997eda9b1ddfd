#include <gtest/gtest.h>

#include "classlib/SysUtils.h"

namespace {

TEST(Trim, RemovesEveryCharacterUpToBlankButNotHighBytes) {
  const struct {
    const char* s;
    const char* both;
    const char* left;
    const char* right;
  } cases[] = {
      {"  ab c  ", "ab c", "ab c  ", "  ab c"},
      {"\t\r\n\x01x\x1F ", "x", "x\x1F ", "\t\r\n\x01x"},
      {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},  // no-break space is not a blank
      {"   ", "", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(c.s), c.both) << c.s;
    EXPECT_EQ(TrimLeft(c.s), c.left) << c.s;
    EXPECT_EQ(TrimRight(c.s), c.right) << c.s;
  }
  EXPECT_EQ(Trim(std::string_view("\0a\0", 3)), "a");
  EXPECT_EQ(Trim(L" \u00E9 "), L"\u00E9");
}

TEST(Case, AsciiRoutinesLeaveOtherLettersAndLocaleRoutinesFoldThem) {
  EXPECT_EQ(UpperCase("abz\xE9\xFF"), "ABZ\xE9\xFF");
  EXPECT_EQ(LowerCase("ABZ\xC9"), "abz\xC9");
  EXPECT_EQ(AnsiUpperCase("abz\xE9"), "ABZ\xC9");
  EXPECT_EQ(AnsiLowerCase("ABZ\xC9"), "abz\xE9");
  EXPECT_EQ(WideUpperCase(L"a\u00E9\u03B1"), L"A\u00C9\u0391");
  EXPECT_EQ(WideLowerCase(L"A\u00C9"), L"a\u00E9");
}

TEST(Compare, OrdinalAndLocaleComparisons) {
  EXPECT_LT(CompareStr("a", "b"), 0);
  EXPECT_GT(CompareStr("b", "a"), 0);
  EXPECT_LT(CompareStr("Z", "a"), 0);  // ordinal: upper case first
  EXPECT_GT(CompareStr("\xE9", "z"), 0);
  EXPECT_EQ(CompareStr("ab", "ab"), 0);
  EXPECT_LT(CompareStr("ab", "abc"), 0);
  EXPECT_EQ(CompareText("HeLLo", "hello"), 0);
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_NE(CompareText("\xE9", "\xC9"), 0);  // only ASCII folds
  EXPECT_EQ(AnsiCompareText("\xE9t\xE9", "\xC9T\xC9"), 0);
  EXPECT_LT(AnsiCompareStr("a", "B"), 0);  // the locale sorts by letter first
  EXPECT_LT(AnsiCompareStr("a", "A"), 0);
  EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
  EXPECT_TRUE(SameText("Genesis", "GENESIS"));
  EXPECT_TRUE(SameText("\xE9", "\xC9"));
  EXPECT_FALSE(SameText("Gen", "Genesis"));
  EXPECT_TRUE(AnsiSameStr("abc", "abc"));
  EXPECT_FALSE(AnsiSameStr("abc", "ABC"));
  EXPECT_TRUE(AnsiStartsText("gen", "Genesis"));
  EXPECT_TRUE(AnsiEndsText("SIS", "Genesis"));
  EXPECT_TRUE(AnsiContainsText("Genesis", "NES"));
  EXPECT_TRUE(WideSameText(L"\u00E9", L"\u00C9"));
}

TEST(StringReplace, FirstOrEveryOccurrenceWithOrWithoutCase) {
  const struct {
    const char* s;
    const char* from;
    const char* to;
    TReplaceFlags flags;
    const char* expected;
  } cases[] = {
      {"a-b-c", "-", "+", 0, "a+b-c"},
      {"a-b-c", "-", "+", rfReplaceAll, "a+b+c"},
      {"aXbxc", "x", "", rfReplaceAll, "aXbc"},
      {"aXbxc", "x", "", rfReplaceAll | rfIgnoreCase, "abc"},
      {"\xC9t\xE9", "\xE9", "e", rfReplaceAll | rfIgnoreCase, "ete"},
      {"aaa", "aa", "b", rfReplaceAll, "ba"},
      {"abc", "", "x", rfReplaceAll, "abc"},
      {"abc", "abc", "", 0, ""},
      {"", "a", "b", rfReplaceAll, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected) << c.s;
}

TEST(Quoting, QuotesAreDoubledAndUndoubled) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
  EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
  EXPECT_EQ(AnsiDequotedStr("''", '\''), "");
  std::size_t pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("'a''b' rest", pos, '\''), "a'b");
  EXPECT_EQ(pos, 6u);
  pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("'open", pos, '\''), "open");
}

TEST(LineBreaks, EveryLoneCrOrLfBecomesCrLf) {
  const struct {
    const char* s;
    const char* expected;
  } cases[] = {
      {"a\nb", "a\r\nb"},         {"a\rb", "a\r\nb"},       {"a\r\nb", "a\r\nb"},
      {"a\n\rb", "a\r\n\r\nb"},  // LF CR is two breaks
      {"\r\r\n\n", "\r\n\r\n\r\n"}, {"", ""},              {"x\r", "x\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(AdjustLineBreaks(c.s), c.expected);
}

TEST(Strings, ReverseDelimitersAndParts) {
  EXPECT_EQ(ReverseString("abc"), "cba");
  EXPECT_EQ(LastDelimiter("\\:", "C:\\a\\b.txt"), 5);
  EXPECT_EQ(LastDelimiter(".", "abc"), 0);
  EXPECT_TRUE(IsDelimiter(" ,", "a,b", 2));
  EXPECT_FALSE(IsDelimiter(" ,", "a,b", 4));
  EXPECT_EQ(LeftStr("abc", 2), "ab");
  EXPECT_EQ(RightStr("abc", 2), "bc");
  EXPECT_EQ(RightStr("abc", 9), "abc");
  EXPECT_EQ(MidStr("abcdef", 2, 3), "bcd");
}

TEST(Exceptions, AbortIsSilentAndErrorsCarryTheirCode) {
  try {
    Abort();
    FAIL();
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message, "Operation aborted");
  }
  EXPECT_TRUE(EOutOfResources("x").InheritsFrom(EOutOfMemory::StaticClass()));
  EXPECT_TRUE(EConvertError("x").InheritsFrom(Exception::StaticClass()));
  try {
    RaiseLastOSError(ERROR_FILE_NOT_FOUND);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Copy(e.Message, 1, 23), "System Error.  Code: 2.");
  }
}

}  // namespace
