// Typesetting testament documents into page records, measured with fixed widths: the page is
// 1000 x 1200 with margins of 100, so the text area runs from 100 to 900 across and 100 to 1100
// down; a column is 800 x 55 / 116 = 379 wide (left column 100..479, right column 521..900).
// Text characters are 10 wide and lines 20 high, so a column holds 50 lines.
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "tools/BiblePageRecords.h"
#include "tools/BiblePagination.h"
#include "tools/BibleText.h"
#include "tools/BookHeadings.h"
#include "tools/tests/support/FixedMeasurer.h"

namespace {

using bible_testing::TFixedMeasurer;

// Five-letter words separated by blanks: `count` of them, the paragraph ending in a blank as the
// document builder leaves it.
std::string Words(int count, const std::string& word = "aaaaa") {
  std::string text;
  for (int i = 0; i < count; ++i) text += word + " ";
  return text;
}

struct Layout {
  std::vector<TPageRecord> Records;
  std::string Bytes;
  Integer Pages = 0;
  std::vector<TContentsEntry> Contents;
  std::vector<std::string> Statuses;
};

class PaginationTest : public ::testing::Test {
protected:
  TBiblePageGeometry Geometry(Integer height = 1200) const {
    return MakePageGeometry(1000, height, 100, 100, 100, 100, false);
  }

  Layout Run(const TBibleTextList& text, const TBookStarts& starts = {}, Integer height = 1200,
             const THyphenationSettings& hyphenation = {}) {
    TFixedMeasurer measurer;
    TBiblePaginator paginator(measurer, Geometry(height));
    paginator.TestamentName = "Old Testament";
    paginator.Hyphenation = hyphenation;
    Layout layout;
    paginator.OnStatus = [&](const AnsiString& status) { layout.Statuses.push_back(status); };
    TMemoryStream stream;
    TPageFileWriter writer(&stream);
    layout.Pages = paginator.Repaginate(text, starts, writer, layout.Contents);
    layout.Bytes.assign(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    for (std::size_t at = 0; at + PageRecordSize <= layout.Bytes.size(); at += PageRecordSize)
      layout.Records.push_back(DecodePageRecord(layout.Bytes.data() + at));
    return layout;
  }

  // The lines of the records: Y and the records' texts, in file order, by page.
  static std::map<std::pair<Integer, Integer>, std::vector<TPageRecord>> Lines(const Layout& layout, Integer page) {
    std::map<std::pair<Integer, Integer>, std::vector<TPageRecord>> lines;
    for (const TPageRecord& r : layout.Records)
      if (r.Page == page) lines[{r.X < 500 ? 0 : 1, r.Y}].push_back(r);
    return lines;
  }

  static void EndDocument(TBibleTextList& text) {
    for (int i = 0; i < 3; ++i) text.AddNL("", bsText, bpNormal);
  }
};

TEST_F(PaginationTest, ASmallDocumentGivesTheseRecordsByteForByte) {
  TBibleTextList text;
  text.AddNL("Title", bsMainTitle, bpCentered);
  text.AddNL("1", bsChapter, bpNormal);
  text.Add(Words(7), bsText);
  EndDocument(text);
  const Layout layout = Run(text, {{0, 1}, {1, 1}, {5, 1}});

  // The title centred over the full width; the chapter number at the left column's edge; the
  // first line beside it from 100 + 40 x 1.1 = 144, justified to 479 with gaps of
  // (479 - 144 - 250) / 4 = 21.25; the last line left as it is, blanks 10 wide.
  const std::vector<TPageRecord> expected = {
      {450, 100, "Title", 2, 1, 0, 0},   {100, 130, "1", 3, 1, 1, 1},     {144, 130, "aaaaa", 6, 1, 1, 1},
      {215, 130, "aaaaa", 6, 1, 1, 1},   {286, 130, "aaaaa", 6, 1, 1, 1}, {358, 130, "aaaaa", 6, 1, 1, 1},
      {429, 130, "aaaaa", 6, 1, 1, 1},   {144, 150, "aaaaa", 6, 1, 1, 1}, {204, 150, "aaaaa", 6, 1, 1, 1},
  };
  EXPECT_EQ(layout.Records, expected);
  EXPECT_EQ(layout.Pages, 1);
  std::string bytes;
  for (const TPageRecord& record : expected) {
    char encoded[PageRecordSize];
    EncodePageRecord(record, encoded);
    bytes.append(encoded, PageRecordSize);
  }
  EXPECT_EQ(layout.Bytes, bytes);
  EXPECT_EQ(layout.Contents, (std::vector<TContentsEntry>{{"Genesis", 1}}));
  EXPECT_EQ(layout.Statuses, (std::vector<std::string>{"Repaginating ...", "Formatting Old Testament page 1"}));
}

TEST_F(PaginationTest, ARecordIsTwoHundredAndEightyBytesLittleEndian) {
  char bytes[PageRecordSize];
  EncodePageRecord(TPageRecord{-2, 300, "In", 6, 1, 40, 5}, bytes);
  std::string expected(PageRecordSize, '\0');
  expected.replace(0, 4, "\xFE\xFF\xFF\xFF", 4);
  expected.replace(4, 4, "\x2C\x01\x00\x00", 4);
  expected.replace(8, 3, "\x02In", 3);
  expected[264] = 6;
  expected[268] = 1;
  expected[272] = 40;
  expected[276] = 5;
  EXPECT_EQ(std::string(bytes, PageRecordSize), expected);

  // A run longer than 255 characters keeps its first 255.
  const std::string longText(300, 'x');
  EncodePageRecord(TPageRecord{1, 2, longText, 6, 3, 4, 5}, bytes);
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 255);
  const TPageRecord back = DecodePageRecord(bytes);
  EXPECT_EQ(back, (TPageRecord{1, 2, std::string(255, 'x'), 6, 3, 4, 5}));
}

TEST_F(PaginationTest, ColumnsAndMirroredPagesHaveTheirEdges) {
  const TBiblePageGeometry plain = MakePageGeometry(1000, 1200, 100, 100, 300, 200, false);
  EXPECT_EQ(plain.OddPage, (TRect{300, 100, 800, 1100}));
  EXPECT_EQ(plain.EvenPage, plain.OddPage);
  const TBiblePageGeometry mirrored = MakePageGeometry(1000, 1200, 100, 100, 300, 200, true);
  EXPECT_EQ(mirrored.OddPage, (TRect{300, 100, 800, 1100}));
  EXPECT_EQ(mirrored.EvenPage, (TRect{200, 100, 700, 1100}));

  // 110 lines of six words: 50 + 50 on page 1, then 10 lines on page 2, balanced 5 and 5.
  TBibleTextList text;
  text.AddNL("", bsText, bpIndented);
  text.Add(Words(6 * 110), bsText);
  EndDocument(text);
  const Layout layout = Run(text);
  ASSERT_EQ(layout.Pages, 2);
  for (const TPageRecord& r : layout.Records) {
    const bool left = r.X < 500;
    EXPECT_GE(r.X, left ? 100 : 521) << r.X;
    EXPECT_LE(r.X + 10 * static_cast<Integer>(r.Text.size()), left ? 479 : 900) << r.X;
  }
  // Justified lines end at the column's right edge.
  for (const auto& [key, line] : Lines(layout, 1)) {
    const TPageRecord& last = line.back();
    EXPECT_EQ(last.X + 10 * static_cast<Integer>(last.Text.size()), key.first == 0 ? 479 : 900) << key.second;
  }
  int leftLines = 0, rightLines = 0;
  for (const auto& [key, line] : Lines(layout, 2)) (key.first == 0 ? leftLines : rightLines)++;
  EXPECT_EQ(leftLines, 5);
  EXPECT_EQ(rightLines, 5);
}

TEST_F(PaginationTest, ParagraphsAreIndentedAndChapterNumbersDropIntoTwoLines) {
  TBibleTextList text;
  text.AddNL("", bsText, bpIndented);
  text.Add(Words(8), bsText);
  text.AddNL("12", bsChapter, bpNormal);
  text.Add(Words(15), bsText);
  EndDocument(text);
  const Layout layout = Run(text);
  std::vector<std::pair<Integer, Integer>> starts;  // Y and X of each line's first text record
  for (const TPageRecord& r : layout.Records)
    if (r.Style == bsText && (starts.empty() || starts.back().first != r.Y)) starts.emplace_back(r.Y, r.X);
  // First line of a paragraph at 100 + 379 x 0.07 = 126.53, i.e. 127; the chapter "12" is 80
  // wide, so the two lines beside it start at 100 + 88; the third at the column's edge, which
  // balancing then moves to the top of the right column.
  const std::vector<std::pair<Integer, Integer>> expected = {{100, 127}, {120, 100}, {140, 188},
                                                             {160, 188}, {100, 521}};
  EXPECT_EQ(starts, expected);
  const auto chapter = std::find_if(layout.Records.begin(), layout.Records.end(),
                                    [](const TPageRecord& r) { return r.Style == bsChapter; });
  ASSERT_NE(chapter, layout.Records.end());
  EXPECT_EQ(chapter->X, 100);
  EXPECT_EQ(chapter->Y, 140);
  EXPECT_EQ(chapter->Chapter, 12);
}

TEST_F(PaginationTest, ABlockEndingBeforeATitleIsBalancedWithTheExtraLineOnTheLeft) {
  struct Row {
    int Lines;
    int Left;
  } rows[] = {{7, 4}, {6, 3}, {1, 1}};
  for (const Row& row : rows) {
    TBibleTextList text;
    text.AddNL("", bsText, bpIndented);
    text.Add(Words(6 * row.Lines), bsText);
    text.AddNL("Next", bsSubtitle, bpCentered);
    EndDocument(text);
    const Layout layout = Run(text);
    std::vector<Integer> left, right;
    for (const auto& [key, line] : Lines(layout, 1))
      if (line.front().Style == bsText) (key.first == 0 ? left : right).push_back(key.second);
    EXPECT_EQ(static_cast<int>(left.size()), row.Left) << row.Lines;
    EXPECT_EQ(static_cast<int>(right.size()), row.Lines - row.Left) << row.Lines;
    // The right column's lines stand level with the left column's first lines.
    for (std::size_t k = 0; k < right.size(); ++k) EXPECT_EQ(right[k], left[k]) << row.Lines;
    // The title follows below the left column.
    const TPageRecord& title = layout.Records.back();
    EXPECT_EQ(title.Text, "Next");
    EXPECT_EQ(title.Y, 100 + 20 * row.Left) << row.Lines;
  }
}

TEST_F(PaginationTest, TheLeftColumnKeepsTheLineAfterAChapterNumberEndingIt) {
  // Three lines, then a chapter of 5 + 5 + 6 + 2 words (the first two beside the number): seven
  // lines, of which the left column would keep four, the fourth being the chapter number's.
  TBibleTextList text;
  text.AddNL("", bsText, bpIndented);
  text.Add(Words(18), bsText);
  text.AddNL("2", bsChapter, bpNormal);
  text.Add(Words(18), bsText);
  text.AddNL("Next", bsSubtitle, bpCentered);
  EndDocument(text);
  const Layout layout = Run(text);
  int left = 0, right = 0;
  for (const auto& [key, line] : Lines(layout, 1))
    if (line.front().Style != bsSubtitle) (key.first == 0 ? left : right)++;
  EXPECT_EQ(left, 5);
  EXPECT_EQ(right, 2);
}

TEST_F(PaginationTest, ATitleNeedsRoomForSixLinesAndARunOfTitlesStaysTogether) {
  // 80 lines balance to 40 a column and leave Y at 900: 900 + 6 x 30 = 1080 is below 1100. 82
  // lines leave Y at 920: 1100 is not, so both titles go to the next page.
  struct Row {
    int Lines;
    Integer Page;
    Integer Y;
  } rows[] = {{80, 1, 900}, {82, 2, 100}};
  for (const Row& row : rows) {
    TBibleTextList text;
    text.AddNL("", bsText, bpIndented);
    text.Add(Words(6 * row.Lines), bsText);
    text.AddNL("First", bsSubtitle, bpCentered);
    text.AddNL("Second", bsMainTitle, bpCentered);
    text.AddNL("1", bsChapter, bpNormal);
    text.Add(Words(3), bsText);
    EndDocument(text);
    const Layout layout = Run(text);
    std::vector<TPageRecord> titles;
    for (const TPageRecord& r : layout.Records)
      if (r.Style == bsSubtitle || r.Style == bsMainTitle) titles.push_back(r);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].Page, row.Page) << row.Lines;
    EXPECT_EQ(titles[0].Y, row.Y) << row.Lines;
    EXPECT_EQ(titles[1].Page, row.Page) << row.Lines;
    EXPECT_EQ(titles[1].Y, row.Y + 30) << row.Lines;
  }
}

TEST_F(PaginationTest, ATitleWiderThanTheTextAreaTakesCentredLinesAndRoomForThemAll) {
  // Title letters are 20 wide: 40 of them fit the 800 of the text area. After 80 lines Y stands
  // at 900: a title of one line and five more (1080) fit below 1100, one of two lines (1110) goes
  // to the next page, and the subtitle after it goes along.
  struct Row {
    const char* Name;
    std::string Title;
    int LinesBefore;
    std::vector<std::string> Lines;  // as placed, each centred
    Integer Page;
    Integer Y;  // of the first line
  } rows[] = {
      {"one line", "The Book of Ruth", 0, {"The Book of Ruth"}, 1, 100},
      {"two lines", "The First Book of Samuel Otherwise Called the First Book of the Kings", 0,
       {"The First Book of Samuel Otherwise", "Called the First Book of the Kings"}, 1, 100},
      {"accented, three lines", "El Libro Primero de los Reyes Que Tambi\xE9n Se Llama el Libro Tercero de los Reyes", 0,
       {"El Libro Primero de los Reyes Que", "Tambi\xE9n Se Llama el Libro Tercero de los", "Reyes"}, 1, 100},
      {"a word wider than the page", std::string(45, 'W') + " end", 0, {std::string(40, 'W'), "WWWWW end"}, 1, 100},
      {"one line near the foot", "The Book of Ruth", 80, {"The Book of Ruth"}, 1, 900},
      {"two lines near the foot", "The First Book of Samuel Otherwise Called the First Book of the Kings", 80,
       {"The First Book of Samuel Otherwise", "Called the First Book of the Kings"}, 2, 100},
  };
  for (const Row& row : rows) {
    TBibleTextList text;
    if (row.LinesBefore > 0) {
      text.AddNL("", bsText, bpIndented);
      text.Add(Words(6 * row.LinesBefore), bsText);
    }
    text.AddNL(row.Title, bsMainTitle, bpCentered);
    text.AddNL("After", bsSubtitle, bpCentered);
    text.AddNL("1", bsChapter, bpNormal);
    text.Add(Words(3), bsText);
    EndDocument(text);
    const Layout layout = Run(text);
    std::vector<TPageRecord> titles;
    for (const TPageRecord& r : layout.Records)
      if (r.Style == bsMainTitle || r.Style == bsSubtitle) titles.push_back(r);
    ASSERT_EQ(titles.size(), row.Lines.size() + 1) << row.Name;
    for (std::size_t k = 0; k < titles.size(); ++k) {
      const TPageRecord& r = titles[k];
      const std::string expected = k < row.Lines.size() ? row.Lines[k] : "After";
      EXPECT_EQ(r.Text, expected) << row.Name;
      const Integer width = 20 * static_cast<Integer>(r.Text.size());
      EXPECT_EQ(r.X, (100 + 900 - width) / 2) << row.Name << ": " << r.Text;
      EXPECT_GE(r.X, 100) << row.Name;
      EXPECT_LE(r.X + width, 900) << row.Name;
      EXPECT_EQ(r.Page, row.Page) << row.Name << ": " << r.Text;
      EXPECT_EQ(r.Y, row.Y + 30 * static_cast<Integer>(k)) << row.Name << ": " << r.Text;
    }
  }
}

TEST_F(PaginationTest, WhatDoesNotFitAFreshPageIsPlacedAnywayAndTheRunEnds) {
  // A text area 50 high: no title ever has room for six lines, a chapter number just fits, a
  // column holds two lines of text.
  TBibleTextList text;
  text.AddNL("A long title", bsMainTitle, bpCentered);
  text.AddNL("Another", bsSubtitle, bpCentered);
  text.AddNL("Heading", bsSubheading, bpCentered);
  text.AddNL("3", bsChapter, bpNormal);
  text.Add(Words(60), bsText);
  text.AddNL("Last", bsMainTitle, bpCentered);
  EndDocument(text);
  const Layout layout = Run(text, {}, 250);
  EXPECT_GT(layout.Pages, 2);
  EXPECT_LT(layout.Pages, 20);
  std::multiset<std::string> placed;
  for (const TPageRecord& r : layout.Records) placed.insert(r.Text);
  for (const char* text : {"A long title", "Another", "Heading", "3", "Last"}) EXPECT_EQ(placed.count(text), 1u) << text;
  EXPECT_EQ(placed.count("aaaaa"), 60u);
}

TEST_F(PaginationTest, AWordWiderThanTheColumnIsBrokenWhereItStopsFitting) {
  TBibleTextList text;
  text.AddNL("", bsText, bpNormal);
  text.Add(std::string(50, 'w') + " end", bsText);
  text.AddNL("A heading far wider than any column of the page can hold " + std::string(45, 'h'), bsSubheading,
             bpCentered);
  EndDocument(text);
  const Layout layout = Run(text);
  std::vector<std::string> texts;
  for (const TPageRecord& r : layout.Records) texts.push_back(r.Text);
  // The first line starts at 127: 35 characters fit in the 352 left; the rest follows.
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], std::string(35, 'w'));
  EXPECT_EQ(texts[1], std::string(15, 'w'));
  EXPECT_EQ(texts[2], "end");
  for (const TPageRecord& r : layout.Records)
    if (r.Style == bsSubheading) {
      EXPECT_LE(12 * static_cast<Integer>(r.Text.size()), 379) << r.Text;
    }
}

TEST_F(PaginationTest, LinesEndWithAHyphenAtTheLongestBreakThatFits) {
  // Five words of consonants take 290 of the first line's 352; after the blank 52 are left, 42
  // when the hyphen's 10 are taken: four letters.
  struct Row {
    const char* Name;
    std::string Word;
    Integer Rule;
    std::vector<std::string> List;
    std::string LineEnd;    // the last record of the first line
    std::string NextStart;  // the first record of the second line
  } rows[] = {
      {"vowel to consonant", "babababab", hrVowelConsonant, {}, "baba-", "babab"},
      {"a hyphen of the word itself", "bab-babab", hrVowelConsonant, {}, "bab-", "babab"},
      {"no rule", "babababab", hrNone, {}, "ccccc", "babababab"},
      {"listed breaks only, not fitting", "babababab", hrVowelConsonant, {"babab-abab"}, "ccccc", "babababab"},
      {"listed break, fitting", "babababab", hrNone, {"bab-ab-abab"}, "bab-", "ababab"},
      {"consonant to vowel", "bababbab", hrConsonantVowel, {}, "bab-", "abbab"},
      // bb-a|bab would fit, one letter after the word's own hyphen: the break is at the hyphen.
      {"not within the distance of the word's own hyphen", "bb-abab", hrVowelConsonant, {}, "bb-", "abab"},
  };
  for (const Row& row : rows) {
    THyphenationList list;
    std::unique_ptr<TStringList> lines(new TStringList());
    for (const std::string& line : row.List) lines->Add(line);
    list.Assign(lines.get());
    THyphenationSettings hyphenation;
    hyphenation.Rule = row.Rule;
    hyphenation.MinimumDistance = 2;
    hyphenation.Consonants = TCharSet::FromString("bcw");
    hyphenation.Vowels = TCharSet::FromString("a");
    hyphenation.List = &list;
    TBibleTextList text;
    text.AddNL("", bsText, bpIndented);
    text.Add(Words(5, "ccccc") + row.Word + " " + Words(10, "ccccc"), bsText);
    EndDocument(text);
    const Layout layout = Run(text, {}, 1200, hyphenation);
    ASSERT_GT(layout.Records.size(), 7u) << row.Name;
    const Integer firstY = layout.Records[0].Y;
    std::size_t last = 0;
    while (last + 1 < layout.Records.size() && layout.Records[last + 1].Y == firstY) ++last;
    EXPECT_EQ(layout.Records[last].Text, row.LineEnd) << row.Name;
    EXPECT_EQ(layout.Records[last].X + 10 * static_cast<Integer>(layout.Records[last].Text.size()), 479) << row.Name;
    EXPECT_EQ(layout.Records[last + 1].Text, row.NextStart) << row.Name;
  }
}

TEST_F(PaginationTest, TheContentsGiveEachBooksHeadingAndFirstPage) {
  BookHeadings = DefaultBookHeadings();
  BookHeadings[1] = "Exodus in our words";
  TBibleTextList text;
  text.AddNL("Genesis", bsMainTitle, bpCentered);
  text.AddNL("1", bsChapter, bpNormal);
  text.Add(Words(6 * 120), bsText);
  text.AddNL("2", bsChapter, bpNormal);
  text.Add(Words(6), bsText);
  text.AddNL("Exodus", bsMainTitle, bpCentered);
  text.AddNL("1", bsChapter, bpNormal);
  text.Add(Words(6), bsText);
  EndDocument(text);
  const Layout layout = Run(text, {{0, 1}, {1, 1}, {5, 2}, {6, 2}, {10, 2}});
  BookHeadings = DefaultBookHeadings();
  EXPECT_EQ(layout.Contents, (std::vector<TContentsEntry>{{"Genesis", 1}, {"Exodus in our words", 2}}));
  for (const TPageRecord& r : layout.Records) {
    if (r.Text == "Exodus") {
      // The title is placed before Exodus's first chapter: it still carries Genesis 2.
      EXPECT_EQ(r.Book, 1);
      EXPECT_EQ(r.Chapter, 2);
    }
  }
  EXPECT_EQ(layout.Records.back().Book, 2);
  EXPECT_EQ(layout.Records.back().Chapter, 1);
}

}  // namespace
