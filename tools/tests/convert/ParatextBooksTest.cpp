// Book files in standard format from BibleWorks text, normal and Hebrew.
#include <cstdio>

#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"
#include "tools/ParatextConversion.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::vector<TConvertedBook> Convert(const TextLines& lines, const TParatextConversionOptions& options = {}) {
  std::vector<TConvertedBook> books;
  AnsiString error;
  EXPECT_TRUE(ConvertBibleWorksToParatext(lines, options, books, error)) << error;
  return books;
}

AnsiString Reversed(const AnsiString& text) { return AnsiString(text.rbegin(), text.rend()); }

// The words "w0001" ... "w<to>" from `from` on, each followed by a blank: a verse in reading order.
AnsiString Words(int from, int to) {
  AnsiString text;
  for (int i = from; i <= to; ++i) {
    char word[8];
    std::snprintf(word, sizeof word, "w%04d", i);
    text += AnsiString(word) + " ";
  }
  return text;
}

// A verse of `words` five-letter words as a Hebrew export stores it: in visual order (reversed),
// then a blank and the reference.
AnsiString HebrewLine(int words, const AnsiString& reference) {
  return Reversed(Trim(Words(1, words))) + " " + reference;
}

TEST(BibleWorksToParatextTest, NormalLines) {
  struct Row {
    const char* Case;
    TextLines Input;
    bool OnlyMarkers;
    std::vector<std::pair<const char*, TextLines>> Books;
  } rows[] = {
      {"two separator characters", {"Gen 1:1  In the beginning", "Gen 1:2  And the earth", "Gen 2:1  Thus"}, false,
       {{"GEN", {"\\id GEN", "\\c 1", "\\v 1 In the beginning", "\\v 2 And the earth", "\\c 2", "\\v 1 Thus"}}}},
      {"one separator, as the import text has it", {"Gen 1:6 \xb6 And God said", "Gen 1:7 12 men"}, false,
       {{"GEN", {"\\id GEN", "\\c 1", "\\v 6 \xb6 And God said", "\\v 7 12 men"}}}},
      {"only markers", {"Gen 1:1  In the beginning", "Gen 1:2  And"}, true, {{"GEN", {"\\id GEN", "\\c 1", "\\v 1", "\\v 2"}}}},
      {"books of one chapter each get their chapter line", {"Oba 1:21  And saviours", "Jon 1:1  Now", "", "Jon 1:2  Arise"}, false,
       {{"OBA", {"\\id OBA", "\\c 1", "\\v 21 And saviours"}}, {"JON", {"\\id JON", "\\c 1", "\\v 1 Now", "\\v 2 Arise"}}}},
      {"a book that comes again goes on", {"Gen 1:1  A", "Exo 1:1  B", "Gen 1:2  C", "Gen 2:1  D"}, false,
       {{"GEN", {"\\id GEN", "\\c 1", "\\v 1 A", "\\v 2 C", "\\c 2", "\\v 1 D"}}, {"EXO", {"\\id EXO", "\\c 1", "\\v 1 B"}}}},
  };
  for (const Row& r : rows) {
    TParatextConversionOptions options;
    options.OnlyMarkers = r.OnlyMarkers;
    const std::vector<TConvertedBook> books = Convert(r.Input, options);
    ASSERT_EQ(books.size(), r.Books.size()) << r.Case;
    for (std::size_t i = 0; i < books.size(); ++i) {
      EXPECT_EQ(books[i].Id, r.Books[i].first) << r.Case;
      EXPECT_EQ(books[i].Lines, r.Books[i].second) << r.Case;
    }
  }
}

TEST(BibleWorksToParatextTest, HebrewTestLooksForTheFirstVerseAtTheEnd) {
  struct Row {
    AnsiString FirstLine;
    bool Hebrew;
  } rows[] = {
      {"Gen 1:1  In the beginning", false},  // "1:1" at position 5
      {"abcdefgh1:1", false},                 // position 9
      {"abcdefghi1:1", true},                 // position 10
      {AnsiString(254, 'a') + "1:1", true},   // position 255
      {AnsiString(255, 'a') + "1:1", false},  // position 256
      {"abcdefghijk", false},
  };
  for (const Row& r : rows) EXPECT_EQ(LooksLikeHebrewExport({r.FirstLine, "x Gen 1:1"}), r.Hebrew) << r.FirstLine;
  EXPECT_FALSE(LooksLikeHebrewExport({}));
}

TEST(BibleWorksToParatextTest, HebrewVersesAreCutAtTheLength) {
  TParatextConversionOptions options;
  options.Hebrew = true;
  options.CutLength = 60;
  // 25 words of five letters: 11 words (66 characters with their blanks) on each of the first two
  // lines, 3 on the last, each line turned back into the stored (visual) order; the first line
  // carries the verse marker, and every line begins with the blank that ended its piece.
  const std::vector<TConvertedBook> books = Convert({HebrewLine(25, "Gen 1:1"), "  " + HebrewLine(2, "Gen 1:2")}, options);
  ASSERT_EQ(books.size(), 1u);
  EXPECT_EQ(books[0].Lines, (TextLines{"\\id GEN", "\\c 1", "\\v 1" + Reversed(Words(1, 11)), Reversed(Words(12, 22)),
                                       Reversed(Words(23, 25)), "\\v 2" + Reversed(Words(1, 2))}));
  EXPECT_EQ(Words(1, 11).size(), 66u);
  EXPECT_EQ(books[0].Lines[2].substr(0, 11), "\\v 1 1100w ");

  options.CutLength = 200;
  EXPECT_EQ(Convert({HebrewLine(25, "Psa 23:4")}, options)[0].Lines,
            (TextLines{"\\id PSA", "\\c 23", "\\v 4" + Reversed(Words(1, 25))}));

  options.CutLength = 60;
  options.OnlyMarkers = true;
  EXPECT_EQ(Convert({HebrewLine(25, "Gen 1:1")}, options)[0].Lines, (TextLines{"\\id GEN", "\\c 1", "\\v 1", "", ""}));
}

TEST(BibleWorksToParatextTest, LinesWithoutReferenceAreRefused) {
  struct Row {
    TextLines Input;
    bool Hebrew;
    const char* Error;
  } rows[] = {
      {{"Gen 1:1  A", "Xyz 1:2  B"}, false, "Line 2 has no BibleWorks reference: Xyz 1:2  B"},
      {{"gen 1:1  A"}, false, "Line 1 has no BibleWorks reference: gen 1:1  A"},
      {{"Gen one:1  A"}, false, "Line 1 has no BibleWorks reference: Gen one:1  A"},
      {{"Gen 1 A"}, false, "Line 1 has no BibleWorks reference: Gen 1 A"},
      {{"", "Gen 1:  A"}, false, "Line 2 has no BibleWorks reference: Gen 1:  A"},
      {{"text without reference"}, true, "Line 1 has no BibleWorks reference: text without reference"},
      {{"text"}, true, "Line 1 has no BibleWorks reference: text"},
      {{AnsiString(100, 'a')}, false,
       "Line 1 has no BibleWorks reference: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa..."},
  };
  for (const Row& r : rows) {
    TParatextConversionOptions options;
    options.Hebrew = r.Hebrew;
    std::vector<TConvertedBook> books;
    AnsiString error;
    EXPECT_FALSE(ConvertBibleWorksToParatext(r.Input, options, books, error));
    EXPECT_EQ(error, r.Error);
    EXPECT_TRUE(books.empty());
  }
}

class BookFilesTest : public testing_support::IsolatedTest {};

TEST_F(BookFilesTest, WritesEachBookAsItsIdentifierWithSfc) {
  const std::string folder = temp_.Path() + "out";
  CreateDir(folder);
  WriteFileBytes(folder + "\\GEN.sfc", "old book");
  EXPECT_EQ(WriteConvertedBooks(Convert({"Gen 1:1  In", "Exo 2:3  And"}), folder), "");
  EXPECT_EQ(ReadFileBytes(folder + "\\GEN.sfc"), "\\id GEN\r\n\\c 1\r\n\\v 1 In\r\n");
  EXPECT_EQ(ReadFileBytes(folder + "\\EXO.sfc"), "\\id EXO\r\n\\c 2\r\n\\v 3 And\r\n");
}

TEST_F(BookFilesTest, AFailedWriteSaysSoAndLeavesTheBook) {
  const std::string folder = temp_.Path();
  WriteFileBytes(folder + "EXO.sfc", "old book");
  // A book file that another program holds open without sharing cannot be replaced.
  HANDLE held = CreateFileA((folder + "EXO.sfc").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const AnsiString message = WriteConvertedBooks(Convert({"Gen 1:1  In", "Exo 2:3  And"}), folder);
  CloseHandle(held);
  EXPECT_EQ(message.rfind("The file " + folder + "EXO.sfc could not be written: ", 0), 0u) << message;
  EXPECT_EQ(ReadFileBytes(folder + "EXO.sfc"), "old book");
  EXPECT_EQ(ReadFileBytes(folder + "GEN.sfc"), "\\id GEN\r\n\\c 1\r\n\\v 1 In\r\n");
}

}  // namespace
