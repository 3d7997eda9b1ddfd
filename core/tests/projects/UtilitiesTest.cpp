#include <memory>
#include <set>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> Words(const std::string& line, bool keepBlanks) {
  std::unique_ptr<TStringList> list(new TStringList());
  list->Add("left over");
  SplitLineIntoWords(line, list.get(), keepBlanks);
  std::vector<std::string> words;
  for (int i = 0; i < list->GetCount(); ++i) words.push_back(list->GetStrings(i));
  return words;
}

TEST(Utilities, ExtractReference) {
  struct Row {
    const char* Line;
    const char* Reference;
  } rows[] = {
      {"MAT 5:3 Blessed are the poor", "MAT 5:3"},
      {"  JHN 1:14 text with 2:3 later", "JHN 1:14"},
      {"MAT 5:3-4 a range", "MAT 5:3"},
      {"GEN 1: no verse", "GEN 1:"},
      {"no colon but 12 and 13", "12"},
      {"nothing at all", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(ExtractReference(r.Line), r.Reference) << r.Line;
}

TEST(Utilities, FirstNumberAndLastChars) {
  EXPECT_EQ(FirstNumberInString("a12b"), "12");
  EXPECT_EQ(FirstNumberInString("x 3 45"), "3");
  EXPECT_EQ(FirstNumberInString("abc"), "");
  EXPECT_EQ(FirstNumberInString(""), "");
  EXPECT_EQ(LastChars("41MAT", 3), "MAT");
  EXPECT_EQ(LastChars("JN", 3), "JN");
  EXPECT_EQ(LastChars("abc", 0), "");
}

TEST(Utilities, SplitLineIntoWords) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Words("  one  two ", false), (V{"one", "", "two"}));
  EXPECT_EQ(Words("\\v 1 In the", false), (V{"\\v", "1", "In", "the"}));
  EXPECT_EQ(Words("   ", false), V{});
  EXPECT_EQ(Words(" a  bc ", true), (V{" ", "a", "  ", "bc", " "}));
  EXPECT_EQ(Words("", true), V{});
}

TEST(Utilities, OrdinalWords) {
  const char* expected[] = {"",    "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th", "8th",
                            "9th", "10th", "11th", "12th", "13th", "14th", "15th", ""};
  for (int n = 0; n <= 16; ++n) EXPECT_EQ(OrdinalWord(n), expected[n]) << n;
  EXPECT_EQ(OrdinalWord(-1), "");
}

TEST(Utilities, SmallTextRoutines) {
  EXPECT_EQ(LineFeedsToBlanks("a\nb\n"), "a b ");
  EXPECT_EQ(NumberToText(-42), "-42");
  const TCharSet enders = StringToCharSet(".:?!");
  EXPECT_TRUE(enders.Contains('.'));
  EXPECT_TRUE(enders.Contains('!'));
  EXPECT_FALSE(enders.Contains(','));
  EXPECT_TRUE(StringToCharSet("\xAB\xBB").Contains('\xBB'));
}

// Letter case of code page 1252, one character for one: every capital has its small letter; other
// characters, and small letters without a capital of their own in the code page, stay.
TEST(Utilities, LowerCaseOfTheCodePage) {
  const struct {
    char Char, Lower;
  } rows[] = {
      {'A', 'a'},       {'Z', 'z'},       {'a', 'a'},       {'\xC1', '\xE1'}, {'\xC9', '\xE9'}, {'\xD1', '\xF1'},
      {'\xDC', '\xFC'}, {'\xC0', '\xE0'}, {'\xDE', '\xFE'}, {'\x8A', '\x9A'}, {'\x8C', '\x9C'}, {'\x8E', '\x9E'},
      {'\x9F', '\xFF'}, {'\xDF', '\xDF'}, {'\xB5', '\xB5'}, {'\xD7', '\xD7'}, {'\x92', '\x92'}, {'1', '1'},
      {'\0', '\0'},
  };
  for (const auto& r : rows) EXPECT_EQ(LowerCaseChar(r.Char), r.Lower) << static_cast<int>(static_cast<unsigned char>(r.Char));
  EXPECT_EQ(LowerCaseText("SE\xD1OR Jes\xDAS \x8C"), "se\xF1or jes\xFAs \x9C");
}

TEST(BookTables, NamesAndNumbers) {
  EXPECT_EQ(BookNumberFromEnglishName("John"), 43);
  EXPECT_EQ(BookNumberFromEnglishName("john"), 0);
  EXPECT_EQ(BookNumberFromEnglishName("Song of Solomon"), 22);
  EXPECT_EQ(BookNumberFromEnglishName("Genesis"), 1);
  EXPECT_EQ(BookNumberFromEnglishName("Revelation"), 66);
  EXPECT_EQ(BookNumberFromId("GEN"), 1);
  EXPECT_EQ(BookNumberFromId("MAT"), 40);
  EXPECT_EQ(BookNumberFromId("REV"), 66);
  EXPECT_EQ(BookNumberFromId("mat"), 0);
  EXPECT_EQ(BookNumberFromId("MAT "), 0);
  EXPECT_EQ(BookNumberFromId(""), 0);
  EXPECT_EQ(BookId(43), "JHN");
  EXPECT_EQ(BookId(26), "EZK");
  EXPECT_EQ(BibleWorksBookName(26), "Eze");
  EXPECT_EQ(BibleWorksBookName(59), "Jam");
  EXPECT_EQ(EnglishBookName(62), "1 John");
  EXPECT_EQ(VersificationName(1), "Original");
  EXPECT_EQ(VersificationName(5), "Russian Canonical");
  std::set<std::string> ids;
  for (int book = 1; book <= BookCount; ++book) {
    EXPECT_EQ(BookId(book).size(), 3u);
    EXPECT_EQ(BookId(book), UpperCase(BookId(book)));
    ids.insert(BookId(book));
    EXPECT_EQ(BookNumberFromEnglishName(EnglishBookName(book)), book);
  }
  EXPECT_EQ(ids.size(), 66u);
  EXPECT_THROW(BookId(0), Exception);
  EXPECT_THROW(EnglishBookName(67), Exception);
}

class FileCopyTest : public testing_support::IsolatedTest {};

TEST_F(FileCopyTest, CopiesEveryByteAndReplacesTheTarget) {
  const std::string bytes("line\r\nbare\rlf\n\0zero\x1A end", 24);
  testing_support::WriteFileBytes(temp_.File("source.txt"), bytes);
  testing_support::WriteFileBytes(temp_.File("target.txt"), "an older and longer target file");
  EXPECT_TRUE(FileCopy(temp_.File("source.txt"), temp_.File("target.txt")));
  EXPECT_EQ(testing_support::ReadFileBytes(temp_.File("target.txt")), bytes);
  EXPECT_THROW(FileCopy(temp_.File("missing.txt"), temp_.File("other.txt")), EFOpenError);
}

}  // namespace
