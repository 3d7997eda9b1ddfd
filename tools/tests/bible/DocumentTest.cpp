// Building the Bible's documents from standard-format books: which items each marker gives, the
// filter of one chapter, the brackets modes, and the book starts that pagination reads.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/StringLists.h"
#include "richtext/core/UVStyle.h"
#include "tests/support/TestSupport.h"
#include "tools/BibleDocument.h"
#include "tools/BibleText.h"

using TItem = TBibleTextList::TItem;

// Printed as {"text", style, para} when a comparison fails.
void PrintTo(const TItem& item, std::ostream* out) {
  *out << "{\"" << item.Text << "\", " << item.Style << ", " << item.Para << (item.Checkpoint ? ", cp" : "") << "}";
}
void PrintTo(const TBookStart& start, std::ostream* out) { *out << "{" << start.Item << ", " << start.Book << "}"; }

namespace {

// Items that start a paragraph in a paragraph style, and items that continue one.
TItem P(const std::string& text, Integer style, Integer para) { return TItem{text, style, para, false}; }
TItem C(const std::string& text, Integer style) { return TItem{text, style, -1, false}; }

class DocumentTest : public testing_support::IsolatedTest {
protected:
  TBibleBook Book(const std::string& entry, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    const std::string path = temp_.File(entry + ".SFM");
    testing_support::WriteFileBytes(path, bytes);
    return TBibleBook{entry, path};
  }

  std::vector<TItem> Build(const std::vector<TBibleBook>& books, const TBibleBuildOptions& options = {}) {
    TBibleTextList text;
    TBibleDocumentBuilder builder(text, nullptr);
    builder.OnStatus = [&](const AnsiString& status) { statuses_.push_back(status); };
    builder.Build(books, options, starts_);
    return text.Items();
  }

  TBookStarts starts_;
  std::vector<std::string> statuses_;
};

const TItem kEnd = P("", bsText, bpNormal);

TEST_F(DocumentTest, MarkersBecomeTitlesChaptersSubheadingsParagraphsAndVerses) {
  const TBibleBook genesis = Book("Genesis", {
                                                 "\\id GEN",
                                                 "\\h Genesis",
                                                 "\\mt Genesis",
                                                 "\\c 1",
                                                 "\\p",
                                                 "\\v 1 In the beginning",
                                                 "\\v 2 And the earth",
                                                 "\\p",
                                                 "  \\v 3 And God said  ",
                                                 "\\c 2",
                                                 "\\s The seventh day",
                                                 "\\p",
                                                 "\\v 1 Thus the heavens",
                                                 "\\q",
                                                 "\\v 2 And on the seventh day",
                                                 "\\nb more text",
                                                 "\\m Marker text",
                                             });
  const TBibleBook philemon = Book("Philemon", {
                                                   "\\id PHM",
                                                   "\\mt Philemon",
                                                   "\\c 1",
                                                   "\\p",
                                                   "\\v 1 Paul, a prisoner",
                                                   "\\v 2 And to [our] beloved",
                                               });
  const std::vector<TItem> expected = {
      P("Genesis", bsMainTitle, bpCentered),
      // Verse 1 shows the chapter number instead of its own; a verse right after "\p" no blank.
      P("1", bsChapter, bpNormal),
      C(" In the beginning", bsText),
      C(" ", bsText),
      C("2", bsVerseNumber),
      C(" And the earth", bsText),
      P("", bsText, bpIndented),
      C("3", bsVerseNumber),
      C(" And God said", bsText),
      P("The seventh day", bsSubheading, bpCentered),
      P("2", bsChapter, bpNormal),
      C(" Thus the heavens", bsText),
      // A bare "\q" adds nothing; "\nb" with text is a paragraph of it; another marker stays
      // in the text.
      C(" ", bsText),
      C("2", bsVerseNumber),
      C(" And on the seventh day", bsText),
      P("", bsText, bpIndented),
      C("more text ", bsText),
      C("\\m Marker text", bsText),
      // A title after running text, also of the next book, has two empty paragraphs before it.
      P("", bsText, bpNormal),
      P("", bsText, bpNormal),
      P("Philemon", bsMainTitle, bpCentered),
      // A book of one chapter: an empty chapter item, and verse 1 keeps its number.
      P("", bsChapter, bpNormal),
      C("1", bsVerseNumber),
      C(" Paul, a prisoner", bsText),
      C(" ", bsText),
      C("2", bsVerseNumber),
      C(" And to [our] beloved", bsText),
      kEnd,
      kEnd,
      kEnd,
  };
  EXPECT_EQ(Build({genesis, philemon}), expected);
  EXPECT_EQ(starts_, (TBookStarts{{0, 1}, {1, 1}, {10, 1}, {20, 57}, {21, 57}, {29, 57}}));
  EXPECT_EQ(statuses_, (std::vector<std::string>{"Formatting Genesis", "Formatting Philemon", "Formatting text..."}));
}

TEST_F(DocumentTest, PoetryAndNoBreakLinesKeepTheirTextAsParagraphs) {
  // The lines after "\c 2", "\p", "\v 1 Draw me" (what a verse's poetry looks like), and the
  // items they add after the verse's text; `chapterFirst` puts them right after "\c 2" instead.
  struct Row {
    std::vector<std::string> Lines;
    bool ChapterFirst;
    std::vector<TItem> Items;
  } rows[] = {
      {{"\\q"}, false, {}},
      {{"\\q1"}, false, {}},
      {{"\\nb"}, false, {}},
      {{"\\q1 we will run after thee"}, false, {P("", bsText, bpIndented), C("we will run after thee ", bsText)}},
      {{"\\q2   the king hath brought \xE1 m\xED"}, false,
       {P("", bsText, bpIndented), C("the king hath brought \xE1 m\xED ", bsText)}},
      {{"\\nb we will be glad"}, false, {P("", bsText, bpIndented), C("we will be glad ", bsText)}},
      {{"\\q1", "\\v 2 Let him kiss me"}, false, {C(" ", bsText), C("2", bsVerseNumber), C(" Let him kiss me", bsText)}},
      {{"\\q1 we will remember", "\\v 2 Let him kiss me"}, false,
       {P("", bsText, bpIndented), C("we will remember ", bsText), C("2", bsVerseNumber), C(" Let him kiss me", bsText)}},
      // A verse on the line: the verse begins the paragraph.
      {{"\\q1 \\v 2 Let him kiss me"}, false, {P("", bsText, bpIndented), C("2", bsVerseNumber), C(" Let him kiss me", bsText)}},
      // Before the chapter's first paragraph it is that paragraph, beside the chapter number.
      {{"\\q1 The song of songs"}, true, {P("2", bsChapter, bpNormal), C("The song of songs", bsText)}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> lines = {"\\id SNG", "\\c 1", "\\p", "\\v 1 Draw me", "\\c 2"};
    if (!row.ChapterFirst) lines.insert(lines.end(), {"\\p", "\\v 1 Draw me"});
    lines.insert(lines.end(), row.Lines.begin(), row.Lines.end());
    std::vector<TItem> expected = {P("1", bsChapter, bpNormal), C(" Draw me", bsText)};
    if (!row.ChapterFirst) expected.insert(expected.end(), {P("2", bsChapter, bpNormal), C(" Draw me", bsText)});
    expected.insert(expected.end(), row.Items.begin(), row.Items.end());
    expected.insert(expected.end(), {kEnd, kEnd, kEnd});
    EXPECT_EQ(Build({Book("Song of Solomon", lines)}), expected) << row.Lines[0];
  }
}

TEST_F(DocumentTest, OnlyTheChosenChapterIsBuiltWithTheBooksTitles) {
  const TBibleBook john = Book("John", {
                                           "\\id JHN",
                                           "\\h John",
                                           "\\st The Gospel",
                                           "\\mt John",
                                           "\\c 1",
                                           "\\s1 Heading one",
                                           "\\p",
                                           "\\v 1 Word",
                                           "Plain line",
                                           "\\cl 3",
                                           "\\s1 Nicodemus",
                                           "\\pi Jesus said [truly]",
                                           "\\v 2 The same came",
                                           "\\c 4",
                                           "\\v 1 When therefore",
                                       });
  TBibleBuildOptions options;
  options.OnlyChapter = true;
  options.Chapter = "3";
  options.Brackets = bmOwnStyle;
  const std::vector<TItem> expected = {
      P("The Gospel", bsSubtitle, bpCentered),
      P("John", bsMainTitle, bpCentered),
      // "\cl" counts as "\c", "\s1" as "\s" (its text from the fourth character, blank and
      // all), "\pi" as "\p".
      P(" Nicodemus", bsSubheading, bpCentered),
      P("3", bsChapter, bpNormal),
      C(" Jesus said ", bsText),
      C("truly", bsBrackets),
      C("2", bsVerseNumber),
      C(" The same came", bsText),
      kEnd,
      kEnd,
      kEnd,
  };
  EXPECT_EQ(Build({john}, options), expected);
  EXPECT_EQ(starts_, (TBookStarts{{0, 43}, {1, 43}, {5, 43}, {10, 43}}));
}

TEST_F(DocumentTest, TextInBracketsIsKeptStyledRemovedOrDropped) {
  struct Row {
    Integer Mode;
    std::vector<TItem> Text;  // the items after the chapter number
  } rows[] = {
      {bmKeep, {C(" a [b] c [d", bsText)}},
      {bmOwnStyle, {C(" a ", bsText), C("b", bsBrackets), C(" c ", bsText), C("d", bsBrackets)}},
      {bmRemove, {C(" a b c d", bsText)}},
      {3, {}},
  };
  const TBibleBook book = Book("Jude", {"\\c 1", "\\p", "\\v 5 a [b] c [d"});
  for (const Row& row : rows) {
    TBibleBuildOptions options;
    options.Brackets = row.Mode;
    std::vector<TItem> expected = {P("", bsChapter, bpNormal), C("5", bsVerseNumber)};
    expected.insert(expected.end(), row.Text.begin(), row.Text.end());
    expected.insert(expected.end(), {kEnd, kEnd, kEnd});
    EXPECT_EQ(Build({book}, options), expected) << row.Mode;
  }
}

TEST_F(DocumentTest, EBooksGetChapterLinksAndCheckpoints) {
  const TBibleBook ruth = Book("Ruth", {"\\mt Ruth", "\\c 1", "\\p", "\\v 1 Now", "\\c 2", "\\v 1 And"});
  TBibleBuildOptions options;
  options.EBook = true;
  const std::vector<TItem> items = Build({ruth}, options);
  const std::vector<TItem> expected = {
      TItem{"Go to chapter", bsText, 0, true},
      C(" ", bsText),
      C("1", bsEBookLink),
      C(" ", bsText),
      C("2", bsEBookLink),
      P("", bsText, bpNormal),
      P("Ruth", bsMainTitle, bpCentered),
      TItem{"1", bsChapter, bpNormal, true},
      C(" Now", bsText),
      TItem{"2", bsChapter, bpNormal, true},
      C(" And", bsText),
      kEnd,
      kEnd,
      kEnd,
  };
  EXPECT_EQ(items, expected);
  // No "Formatting text..." for e-books.
  EXPECT_EQ(statuses_, (std::vector<std::string>{"Formatting Ruth"}));
}

TEST_F(DocumentTest, TheStylesTakeTheFontTable) {
  TUVStyle style(nullptr);
  CreateBibleStyles(&style, 150);
  TFontTable fonts = DefaultFontTable();
  fonts[fiNormalText].Size = 15;
  fonts[fiChapter].Size = 34;
  ApplyBibleFonts(&style, fonts, false, 2);
  TFontInfos* text = style.GetTextStyles();
  ASSERT_EQ(text->GetCount(), BibleTextStyleCount);
  EXPECT_EQ(text->GetItem(bsVerseNumber)->StyleName, "Versenumber");
  EXPECT_EQ(text->GetItem(bsText)->Size, 15);
  EXPECT_EQ(text->GetItem(bsChapter)->Size, 34);
  EXPECT_TRUE(text->GetItem(bsEBookLink)->Style.Contains(fsUnderline));
  EXPECT_TRUE(text->GetItem(bsEBookLink)->Jump);
  EXPECT_EQ(style.GetParaStyles()->GetCount(), 3);
  EXPECT_EQ(style.GetParaStyles()->GetItem(bpIndented)->FirstIndent, 20);
  EXPECT_EQ(style.GetParaStyles()->GetItem(bpCentered)->Alignment, uvaCenter);
  EXPECT_EQ(style.GetParaStyles()->GetItem(bpNormal)->LineSpacing, 150);

  // E-books at 70 %: 15 x 0.7 = 10.5 goes to the even 10; the chapter is 1.6 x 10 = 16.
  ApplyBibleFonts(&style, fonts, true, 1);
  EXPECT_EQ(text->GetItem(bsText)->Size, 10);
  EXPECT_EQ(text->GetItem(bsChapter)->Size, 16);
  EXPECT_TRUE(text->GetItem(bsChapter)->Style.Contains(fsUnderline));
}

TEST_F(DocumentTest, AMissingBookFileEndsTheBuildWithAnError) {
  EXPECT_THROW(Build({TBibleBook{"Genesis", temp_.File("missing.SFM")}}), Exception);
}

}  // namespace
