// Drawing the pages of a testament from its page file: each record where it was placed, and each
// page's header with the date, the page number and the books and chapters of the page. The pages
// are drawn on metafile canvases whose text records are read back.
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Metafiles.h"
#include "classlib/Streams.h"
#include "richtext/core/UVStyle.h"
#include "tools/BibleDocument.h"
#include "tools/BiblePageRecords.h"
#include "tools/BiblePdf.h"
#include "tools/BiblePrinting.h"
#include "tools/BookHeadings.h"
#include "tools/tests/support/FixedMeasurer.h"

namespace {

struct DrawnText {
  int X = 0, Y = 0;
  std::string Text;
  std::string Face;  // the font it is drawn in
  int Height = 0;
  std::vector<int> Advances;  // of each character
};

// Pages on metafiles; the text drawn on each is read from its records. With `sameAddress` every
// page's canvas is made where the one before it was, as an allocator may well place it.
class MetafileSheets : public TBibleSheets {
public:
  explicit MetafileSheets(bool sameAddress = false) : sameAddress_(sameAddress) { NewPage(); }
  ~MetafileSheets() override { EndCanvas(); }
  TCanvas* Canvas() override { return canvas_; }
  void NewPage() override {
    EndCanvas();
    metafiles_.push_back(std::make_unique<TMetafile>());
    if (sameAddress_)
      canvas_ = new (storage_) TMetafileCanvas(metafiles_.back().get(), nullptr);
    else
      canvas_ = new TMetafileCanvas(metafiles_.back().get(), nullptr);
  }
  // The texts of every page, in the order drawn.
  std::vector<std::vector<DrawnText>> Pages() {
    EndCanvas();
    struct Reading {
      std::vector<DrawnText>* Texts;
      std::map<DWORD, std::pair<std::string, int>> Fonts;  // object handle -> face, height
      std::pair<std::string, int> Current;
    };
    std::vector<std::vector<DrawnText>> pages;
    for (const auto& metafile : metafiles_) {
      pages.emplace_back();
      Reading reading{&pages.back(), {}, {}};
      EnumEnhMetaFile(
          nullptr, metafile->GetHandle(),
          [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
            auto& reading = *reinterpret_cast<Reading*>(data);
            if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
              const auto* font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
              std::string face;
              for (const WCHAR* c = font->elfw.elfLogFont.lfFaceName; *c; ++c) face += static_cast<char>(*c);
              reading.Fonts[font->ihFont] = {face, static_cast<int>(font->elfw.elfLogFont.lfHeight)};
            } else if (record->iType == EMR_SELECTOBJECT) {
              const auto found = reading.Fonts.find(reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject);
              if (found != reading.Fonts.end()) reading.Current = found->second;
            } else if (record->iType == EMR_EXTTEXTOUTW) {
              const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
              const auto* chars = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(record) +
                                                                  text->emrtext.offString);
              std::string narrow;
              for (DWORD i = 0; i < text->emrtext.nChars; ++i) narrow += static_cast<char>(chars[i]);
              std::vector<int> advances;
              const auto* dx = reinterpret_cast<const INT*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offDx);
              if (text->emrtext.offDx)
                for (DWORD i = 0; i < text->emrtext.nChars; ++i) advances.push_back(dx[i]);
              reading.Texts->push_back(DrawnText{text->emrtext.ptlReference.x, text->emrtext.ptlReference.y, narrow,
                                                 reading.Current.first, reading.Current.second, advances});
            }
            return 1;
          },
          &reading, nullptr);
    }
    return pages;
  }

private:
  void EndCanvas() {
    if (!canvas_) return;
    if (sameAddress_)
      canvas_->~TMetafileCanvas();
    else
      delete canvas_;
    canvas_ = nullptr;
  }
  bool sameAddress_;
  alignas(TMetafileCanvas) unsigned char storage_[sizeof(TMetafileCanvas)];
  std::vector<std::unique_ptr<TMetafile>> metafiles_;
  TMetafileCanvas* canvas_ = nullptr;
};

class PagePrintingTest : public ::testing::Test {
protected:
  void TearDown() override { BookHeadings = DefaultBookHeadings(); }

  // A page file of records of (page, book, chapter); every record is a word at the left.
  static std::string PageFile(const std::vector<std::vector<Integer>>& records) {
    TMemoryStream stream;
    TPageFileWriter writer(&stream);
    Integer y = 100;
    for (const auto& r : records) writer.Append(TPageRecord{100, y += 20, "word", bsText, r[0], r[1], r[2]});
    writer.Flush();
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }

  std::vector<std::vector<DrawnText>> Print(const std::string& file, Integer first, Integer last, bool mirror,
                                            std::vector<std::string>* statuses = nullptr, bool sameAddress = false,
                                            TBibleMeasurer* measurer = nullptr) {
    TUVStyle style(nullptr);
    CreateBibleStyles(&style, 100);
    ApplyBibleFonts(&style, DefaultFontTable(), false, 2);
    TBibleStyleFonts fonts(&style);
    TBiblePrintSettings settings;
    settings.Geometry = MakePageGeometry(800, 1100, 100, 100, 120, 80, mirror);
    settings.MirrorMargins = mirror;
    settings.IncludeDate = true;
    settings.DateText = "1 May 2024";
    MetafileSheets sheets(sameAddress);
    TBiblePagePrinter printer(sheets, settings);
    for (Integer i = 0; i < fonts.Count(); ++i) printer.SetFont(i, fonts.Font(i));
    printer.TestamentName = "Old Testament";
    printer.SetMeasurer(measurer);
    if (statuses) printer.OnStatus = [&](const AnsiString& status) { statuses->push_back(status); };
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<Integer>(file.size()));
    stream.SetPosition(0);
    printer.PrintTestamentPages(&stream, first, last);
    return sheets.Pages();
  }

  // The last two texts of a page: the number (with the date) and the heading.
  static std::pair<std::string, std::string> Header(const std::vector<DrawnText>& page) {
    return {page[page.size() - 2].Text, page.back().Text};
  }
};

TEST_F(PagePrintingTest, EachHeaderNamesTheChaptersThatBeginOnItsPage) {
  const std::string file = PageFile({
      {1, 1, 3}, {1, 1, 3},             // Genesis 3, the only chapter begun
      {2, 1, 3}, {2, 1, 3}, {2, 1, 4}, {2, 1, 4},  // chapter 4 begins after the end of 3
      {3, 1, 4}, {3, 1, 4},             // no chapter begins: the one carried
      {4, 1, 4}, {4, 31, 1}, {4, 31, 1},  // Obadiah, of one chapter, shows it
      {5, 31, 1}, {5, 57, 1}, {5, 57, 1},  // Philemon shows none
      {6, 57, 1}, {6, 58, 1}, {6, 59, 1},  // across books
      {7, 59, 1}, {7, 59, 2}, {7, 59, 5},  // within a book: the chapters that begin
  });
  BookHeadings[0] = "In the beginning";
  const auto pages = Print(file, 1, 7, false);
  ASSERT_EQ(pages.size(), 7u);
  const std::vector<std::string> headings = {"In the beginning 3", "In the beginning 4", "In the beginning 4",
                                             "Obadiah 1",          "Philemon ",          "Hebrews 1 - James 1",
                                             "James 2 - 5"};
  for (std::size_t p = 0; p < pages.size(); ++p) {
    ASSERT_GE(pages[p].size(), 3u);
    EXPECT_EQ(Header(pages[p]).second, headings[p]) << p;
    EXPECT_EQ(Header(pages[p]).first, "1 May 2024          " + std::to_string(p + 1)) << p;
  }
}

TEST_F(PagePrintingTest, MirroredMarginsPutTheNumberOfEvenPagesOnTheLeft) {
  const std::string file = PageFile({{1, 1, 1}, {1, 1, 1}, {2, 1, 1}, {2, 1, 1}});
  for (bool mirror : {false, true}) {
    const auto pages = Print(file, 1, 2, mirror);
    ASSERT_EQ(pages.size(), 2u);
    // The text area of odd pages runs from 120 to 720; mirrored even pages from 80 to 680. The
    // metafile counts in screen pixels, which are the layout's units here.
    const DrawnText& odd = pages[0][pages[0].size() - 2];
    const DrawnText& even = pages[1][pages[1].size() - 2];
    EXPECT_EQ(odd.Text, "1 May 2024          1");
    EXPECT_GT(odd.X, 400);
    if (mirror) {
      EXPECT_EQ(even.Text, "2          1 May 2024");
      EXPECT_EQ(even.X, 80);
    } else {
      EXPECT_EQ(even.Text, "1 May 2024          2");
      EXPECT_GT(even.X, 400);
    }
    // Above the top margin.
    EXPECT_LT(odd.Y, 100);
  }
}

TEST_F(PagePrintingTest, OnlyThePagesOfTheRangeAreDrawn) {
  const std::string file = PageFile({{1, 1, 1}, {2, 1, 2}, {2, 1, 2}, {3, 1, 3}, {3, 1, 3}, {4, 1, 4}});
  std::vector<std::string> statuses;
  const auto pages = Print(file, 2, 3, false, &statuses);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Header(pages[0]).first, "1 May 2024          2");
  EXPECT_EQ(Header(pages[1]).first, "1 May 2024          3");
  EXPECT_EQ(statuses, (std::vector<std::string>{"Printing Old Testament page 2", "Printing Old Testament page 3"}));
}

TEST_F(PagePrintingTest, EveryPageDrawsItsTextInTheStylesFontWhereverItsCanvasLies) {
  // Text and header of every page in "Text" (Times New Roman, 12 points); the canvas of a page
  // starts with a font of its own even when it lies where the last page's canvas lay.
  std::vector<std::vector<Integer>> records;
  for (Integer page = 1; page <= 4; ++page)
    for (int i = 0; i < 3; ++i) records.push_back({page, 1, page});
  const std::string file = PageFile(records);
  for (bool sameAddress : {false, true}) {
    const auto pages = Print(file, 1, 4, false, nullptr, sameAddress);
    ASSERT_EQ(pages.size(), 4u);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      ASSERT_EQ(pages[p].size(), 5u);
      for (const DrawnText& text : pages[p]) {
        EXPECT_EQ(text.Face, "Times New Roman") << "page " << p + 1 << " \"" << text.Text << "\"" << sameAddress;
        EXPECT_EQ(text.Height, pages[0][0].Height) << "page " << p + 1 << " \"" << text.Text << "\"";
      }
    }
  }
}

TEST_F(PagePrintingTest, RunsAndHeadersAreDrawnWithTheWidthsTheyWereLaidOutWith) {
  // Text characters 10 wide: each run is drawn 10 units a character, whatever the canvas would
  // make of the font, so that it ends where the layout ended it; the number stands at the right
  // edge (720) by that width too.
  const std::string file = PageFile({{1, 1, 1}, {1, 1, 1}});
  bible_testing::TFixedMeasurer measurer;
  const auto pages = Print(file, 1, 1, false, nullptr, false, &measurer);
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 4u);
  for (const DrawnText& text : pages[0]) {
    EXPECT_EQ(text.Advances, std::vector<int>(text.Text.size(), 10)) << text.Text;
    EXPECT_EQ(text.Face, "Times New Roman") << text.Text;
  }
  const DrawnText& number = pages[0][2];
  EXPECT_EQ(number.X + 10 * static_cast<int>(number.Text.size()), 720);
}

}  // namespace
