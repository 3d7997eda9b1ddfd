// The whole KJV printed into "Bible.pdf" through Print Bible, as a translation team prints its
// Bible for reviewers: the file is sound to the PDF tools and a second reader, every verse of
// every book comes back from it in order, and the page headers name the books and chapters of
// their pages. The file is then read as a reader's eye sees it, at the default layout, at a
// tighter one and for a text of many one-letter and accented words: every verse word stands
// whole and in order, every run is in its style's font on every page, nothing stands outside the
// text area, and the justified lines are even and end at their column's edge.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <map>
#include <sstream>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/tests/printing/BibleReadback.h"
#include "app/tests/printing/PrintingSupport.h"
#include "app/tests/support/ProgramDriver.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"
#include "tools/BiblePageRecords.h"
#include "tools/BibleText.h"
#include "tools/BookHeadings.h"
#include "tools/ExtraPages.h"

namespace {

using namespace printing_testing;
using namespace dialog_testing;

// What printing the chosen books left: the pages and page records of each testament, the text
// area, and the time it took.
struct Printed {
  Integer Pages[2] = {0, 0};
  std::vector<TPageRecord> Records[2];
  TBiblePageGeometry Geometry;
  std::vector<TContentsEntry> Contents[2];
  // The date of the headers, as the dialog took it when it was made (a run may pass midnight).
  std::string Date;
  Integer Resolution = 72;
  bool Mirror = false;
  double Seconds = 0;
};

// The words of the verses of book files ("\v" lines), in order, as UTF-8.
std::vector<std::string> VerseWords(const std::vector<std::string>& files) {
  std::vector<std::string> words;
  for (const std::string& file : files) {
    std::unique_ptr<TStringList> lines(new TStringList());
    lines->LoadFromFile(file);
    for (Integer i = 0; i < lines->GetCount(); ++i) {
      const std::string line = Trim(lines->GetStrings(i));
      if (line.rfind("\\v ", 0) != 0) continue;
      std::istringstream in(line.substr(3));
      std::string word;
      in >> word;  // the verse number
      while (in >> word) words.push_back(Utf8(word));
    }
  }
  return words;
}

class BibleReadbackTest : public PrintingTest {
protected:
  // 10 pt text, line spacing 108, 15 mm margins: the second layout the readback is tried at.
  void UseTighterLayout() {
    for (int record : {fiVerseNumber, fiNormalText, fiTextInBrackets}) Fonts[record].Size = 10;
    WriteSettingString("Line spacing", "108");
    MyReg->SetTopMargin(15);
    MyReg->SetBottomMargin(15);
    MyReg->SetLeftMargin(15);
    MyReg->SetRightMargin(15);
  }
  // Prints every book of the current project into Bible.pdf.
  Printed PrintAll() {
    auto dialog = MakePrintDialog();
    Printed printed;
    RunModal(dialog.get(), [&](HWND wnd) {
      SelectBooks(dialog.get(), {});
      const auto start = std::chrono::steady_clock::now();
      Click(wnd, "Pr&int");
      printed.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Ready");
      for (Integer testament = 0; testament < 2; ++testament) {
        printed.Pages[testament] = dialog->PageCount(testament);
        printed.Contents[testament] = dialog->Contents(testament);
        TFileStream file(TPrintBibleV3Dialog::PageFileName(testament), fmOpenRead | fmShareDenyNone);
        TPageFileReader reader(&file);
        TPageRecord record;
        while (reader.Next(record)) printed.Records[testament].push_back(record);
      }
      printed.Geometry = dialog->PageMeasures().Geometry;
      printed.Date = dialog->DateText;
      printed.Resolution = dialog->PDFDocument1->GetResolution();
      printed.Mirror = MyReg->GetMirrorMargins();
      Click(wnd, "&OK");
    }, 300000);  // the whole Bible takes a while on a slow or busy machine
    return printed;
  }

  // Reads Bible.pdf back and checks it against the page records and the verses' words; prints
  // the figures of the typesetting under `label`.
  // `rawPages` is the file's text as pdftotext -raw gives it, when already read.
  void CheckReadback(const Printed& printed, const std::vector<std::string>& verseWords, const std::string& label,
                     std::vector<std::string> rawPages = {}) {
    SCOPED_TRACE(label);
    const auto start = std::chrono::steady_clock::now();
    const std::string pdf = Printing() + "Bible.pdf";
    // The PDF tools read the file while the test reads its content streams.
    const pdf_checks::LinuxRun words = StartPdfWords(pdf, Printing());
    const pdf_checks::LinuxRun raw = rawPages.empty() ? StartPdfRawPages(pdf, Printing()) : pdf_checks::LinuxRun();
    std::vector<std::string> errors;
    const std::vector<bible_readback::Page> pages =
        bible_readback::ReadPages(testing_support::ReadFileBytes(pdf), errors);
    EXPECT_EQ(errors, std::vector<std::string>{});
    ASSERT_EQ(static_cast<Integer>(pages.size()), printed.Pages[0] + printed.Pages[1]);

    // The testament and page number of each page of the file, and its text area in points.
    const double scale = printed.Resolution / 72.0;
    std::vector<std::pair<Integer, Integer>> pageOf;
    std::vector<bible_readback::Area> areas;
    for (Integer testament = 0; testament < 2; ++testament)
      for (Integer page = 1; page <= printed.Pages[testament]; ++page) {
        pageOf.emplace_back(testament, page);
        const TRect& r = page % 2 == 0 && printed.Mirror ? printed.Geometry.EvenPage : printed.Geometry.OddPage;
        areas.push_back(bible_readback::Area{r.Left / scale, r.Top / scale, r.Right / scale, r.Bottom / scale,
                                             ((r.Right - r.Left) * 55 / 116) / scale});
      }

    // Every run in its style's font: the runs of a page are its records' texts in order, then the
    // header's two; each style keeps one font, at the style's size.
    auto styleSize = [](Integer style) {
      return style >= 1 && style <= 7 ? static_cast<double>(Fonts[style - 1].Size) : 0.0;
    };
    std::map<std::pair<Integer, Integer>, std::vector<const TPageRecord*>> recordsOf;
    for (Integer testament = 0; testament < 2; ++testament)
      for (const TPageRecord& record : printed.Records[testament])
        if (!record.Text.empty()) recordsOf[{testament, record.Page}].push_back(&record);
    std::map<Integer, std::string> fontOf;
    int wrongFonts = 0, pagesWithWrongFonts = 0, runsChecked = 0;
    std::string firstWrong;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const auto& records = recordsOf[pageOf[p]];
      const auto& runs = pages[p].Runs;
      ASSERT_EQ(runs.size(), records.size() + 2) << "page " << p + 1;
      bool wrong = false;
      for (std::size_t i = 0; i < runs.size(); ++i) {
        const Integer style = i < records.size() ? records[i]->Style : bsText;
        if (i < records.size()) {
          ASSERT_EQ(runs[i].Text, records[i]->Text) << "page " << p + 1;
        }
        const std::string& font = fontOf.emplace(style, runs[i].Font).first->second;
        ++runsChecked;
        if (runs[i].Font != font || std::fabs(runs[i].Size - styleSize(style)) > 0.01) {
          if (!wrong && firstWrong.empty())
            firstWrong = "page " + std::to_string(p + 1) + ": \"" + runs[i].Text + "\" in " + runs[i].Font + " " +
                         std::to_string(runs[i].Size) + " for style " + std::to_string(style);
          ++wrongFonts;
          wrong = true;
        }
      }
      if (wrong) ++pagesWithWrongFonts;
    }
    EXPECT_EQ(wrongFonts, 0) << pagesWithWrongFonts << " pages, first " << firstWrong;
    EXPECT_GT(runsChecked, 0);

    // The figures of the justified lines.
    const bible_readback::Figures figures =
        bible_readback::Measure(pages, areas, static_cast<double>(Fonts[fiNormalText].Size));
    std::printf("%s: %s; typeset and printed in %.1f s\n", label.c_str(), bible_readback::Describe(figures).c_str(),
                printed.Seconds);
    EXPECT_GT(figures.FullLines, 0);
    EXPECT_LE(figures.MedianSpread, 0.03);
    EXPECT_GE(figures.ClosestPair, 0.15) << figures.ClosestWords;
    EXPECT_LE(figures.MostOverhang, 0.5) << figures.MostOverhangLine;

    // Nothing outside the text area, as the PDF tools see the words; the header stands above it.
    const std::vector<PdfPage> boxes = PdfWordsOf(pdf_checks::FinishLinux(words).Out);
    ASSERT_EQ(boxes.size(), pages.size());
    int outside = 0;
    std::string firstOutside;
    for (std::size_t p = 0; p < boxes.size(); ++p) {
      const bible_readback::Area& area = areas[p];
      for (const PdfWord& word : boxes[p].Words) {
        const bool header = word.YMax < area.Top;
        if (word.XMin >= area.Left - 0.5 && word.XMax <= area.Right + 0.5 && (header || word.YMax <= area.Bottom + 1))
          continue;
        if (firstOutside.empty())
          firstOutside = "page " + std::to_string(p + 1) + ": \"" + word.Text + "\" " + std::to_string(word.XMin) +
                         ".." + std::to_string(word.XMax);
        ++outside;
      }
    }
    EXPECT_EQ(outside, 0) << firstOutside;

    // Every verse word whole and in order in the text a reader copies (the headers left out); a
    // word broken at a line's end reads as its two parts.
    const std::string& date = printed.Date;
    std::vector<std::string> tokens;
    if (rawPages.empty()) rawPages = PdfRawPagesOf(pdf_checks::FinishLinux(raw).Out);
    for (const std::string& page : rawPages) {
      std::istringstream in(page.substr(0, page.rfind(date)));
      std::string token;
      while (in >> token) {
        // A chapter number stands close beside its chapter's first word.
        const std::size_t letter = token.find_first_not_of("0123456789");
        if (letter != std::string::npos) token.erase(0, letter);
        // A line of another marker is copied into the text as it stands, right after the text
        // before it ("him.\\d A Psalm of David").
        const std::size_t marker = token.find('\\', 1);
        if (marker != std::string::npos) {
          tokens.push_back(token.substr(0, marker));
          token.erase(0, marker);
        }
        tokens.push_back(token);
      }
    }
    std::size_t at = 0;
    int missing = 0;
    std::string firstMissing;
    for (const std::string& word : verseWords) {
      bool found = false;
      // Between two verse words stand at most verse and chapter numbers, titles and the lines of
      // other markers (a psalm's superscription).
      for (std::size_t j = at; j < tokens.size() && j < at + 100 && !found; ++j) {
        if (tokens[j] == word) {
          at = j + 1;
          found = true;
        } else if (j + 1 < tokens.size() && tokens[j].size() > 1 && tokens[j].back() == '-' &&
                   (tokens[j].substr(0, tokens[j].size() - 1) + tokens[j + 1] == word ||
                    tokens[j] + tokens[j + 1] == word)) {
          at = j + 2;
          found = true;
        }
      }
      if (found) continue;
      if (missing < 4 || missing % 50000 == 0) {
        firstMissing += " \"" + word + "\" before:";
        for (std::size_t j = at; j < tokens.size() && j < at + 8; ++j) firstMissing += " " + tokens[j];
        firstMissing += ";";
      }
      ++missing;
    }
    EXPECT_EQ(missing, 0) << "of " << verseWords.size() << " words; the first:" << firstMissing;
    std::printf("%s: read back in %.1f s\n", label.c_str(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
};

class KjvBibleTest : public BibleReadbackTest {
protected:
  void SetUp() override {
    PrintingTest::SetUp();
    if (app_testing::KjvDataFolder().empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
    app_testing::CopyKjvProject(Projects());
    MyReg->SetCurrentProject("King James Version");
    LoadBookHeadings();
  }
  void TearDown() override {
    BookHeadings = DefaultBookHeadings();
    PrintingTest::TearDown();
  }
};

TEST_F(KjvBibleTest, TheWholeBibleIsPrintedWithEveryVerseInOrder) {
  MyReg->SetHyphenationRule(2);
  const Printed printed = PrintAll();
  const Integer oldPages = printed.Pages[0], newPages = printed.Pages[1];
  ASSERT_EQ(printed.Contents[0].size(), 39u);
  EXPECT_EQ(printed.Contents[0][0], (TContentsEntry{"Genesis", 1}));
  ASSERT_EQ(printed.Contents[1].size(), 27u);
  EXPECT_EQ(printed.Contents[1].back().Heading, "Revelation");
  std::printf("the KJV printed in %.1f s: %d + %d pages\n", printed.Seconds, oldPages, newPages);
  EXPECT_GT(oldPages, 400);
  EXPECT_GT(newPages, 100);

  const std::string pdf = Printing() + "Bible.pdf";
  const pdf_checks::LinuxRun raw = StartPdfRawPages(pdf, Printing());
  EXPECT_EQ(pdf_checks::ToolComplaints(pdf), std::vector<std::string>{});
  const std::vector<std::string> pages = PdfRawPagesOf(pdf_checks::FinishLinux(raw).Out);
  ASSERT_EQ(static_cast<Integer>(pages.size()), oldPages + newPages);

  // Each page is its text followed by its header; the header begins with the date.
  const std::string date = Squeezed(printed.Date);
  std::string text;
  std::vector<std::string> headers;
  for (const std::string& page : pages) {
    const std::string squeezed = Squeezed(page);
    const std::size_t header = squeezed.rfind(date);
    ASSERT_NE(header, std::string::npos);
    text += squeezed.substr(0, header);
    headers.push_back(squeezed.substr(header + date.size()));
  }
  std::size_t at = 0, verses = 0;
  for (const std::string& file : app_testing::FilesIn(Projects() + "KJV\\", "*.SFM")) {
    std::unique_ptr<TStringList> lines(new TStringList());
    lines->LoadFromFile(file);
    for (Integer i = 0; i < lines->GetCount(); ++i) {
      const std::string line = lines->GetStrings(i);
      if (line.rfind("\\v ", 0) != 0) continue;
      const std::string verse = Squeezed(Utf8(line.substr(line.find(' ', 3) + 1)));
      const std::size_t found = text.find(verse, at);
      ASSERT_NE(found, std::string::npos) << file << ": " << line;
      at = found + verse.size();
      ++verses;
    }
  }
  EXPECT_EQ(verses, 31102u);

  // Headers: the page number after the date, the books and chapters before it; the New
  // Testament's pages count from 1 again; Obadiah shows its one chapter, Philemon none.
  EXPECT_EQ(headers[0], "1Genesis12");
  EXPECT_EQ(headers[oldPages].substr(0, 9), "1Matthew1");
  bool obadiah = false, philemon = false;
  for (std::size_t p = 0; p < headers.size(); ++p) {
    const std::string number = std::to_string(p < static_cast<std::size_t>(oldPages) ? p + 1 : p + 1 - oldPages);
    EXPECT_EQ(headers[p].substr(0, number.size()), number) << p;
    const std::string& h = headers[p];
    const std::size_t o = h.find("Obadiah");
    if (o != std::string::npos) {
      obadiah = true;
      EXPECT_EQ(h.substr(o, 8), "Obadiah1") << h;
    }
    const std::size_t f = h.find("Philemon");
    if (f != std::string::npos) {
      philemon = true;
      EXPECT_TRUE(f + 8 == h.size() || !std::isdigit(static_cast<unsigned char>(h[f + 8]))) << h;
    }
  }
  EXPECT_TRUE(obadiah);
  EXPECT_TRUE(philemon);

  CheckReadback(printed, VerseWords(app_testing::FilesIn(Projects() + "KJV\\", "*.SFM")), "KJV, default layout",
                pages);
}

TEST_F(KjvBibleTest, ATighterLayoutReadsBackAsEvenly) {
  // 10-point text on a 12-point pitch within 15 mm margins: another typesetting in the same run,
  // whose pages' canvases fall where they may.
  const std::vector<std::string> words = VerseWords(app_testing::FilesIn(Projects() + "KJV\\", "*.SFM"));
  ASSERT_GT(words.size(), 700000u);
  MyReg->SetHyphenationRule(2);
  UseTighterLayout();
  CheckReadback(PrintAll(), words, "KJV, 10 pt text, 15 mm margins");
}

// The testaments' title pages of the whole KJV, each with its contents table in place of its
// placeholder, at the program's defaults and on the narrowest paper the settings offer: every book
// of the testament stands in order beside the page its first chapter begins on, its heading on
// the left, its page number right-aligned at the table's right edge, the table as wide as the
// text area. A heading too long for its column ("1 Thessalonians", "Song of Solomon" on the
// narrow paper) takes more lines in its row; the numbers of the rows below stay beside their own
// books.
class KjvTitlePagesTest : public KjvBibleTest {
protected:
  // What the title pages were printed from: each testament's books with their first pages, as the
  // page files have them, and the text area of the extra pages in points.
  struct TitlePages {
    std::vector<TContentsEntry> Books[2];
    double Left = 0, Right = 0;
  };

  // Lays the whole Bible out and prints only the two title pages into Bible.pdf.
  TitlePages PrintTitlePages() {
    TitlePages printed;
    auto dialog = MakePrintDialog();
    RunModal(dialog.get(), [&](HWND wnd) {
      SelectBooks(dialog.get(), {});
      Click(wnd, "P&repare print");
      EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Ready for printing");
      EXPECT_TRUE(dialog->OTTitleBox->GetChecked());
      EXPECT_TRUE(dialog->NTTitleBox->GetChecked());
      // The testaments' own pages are read back by the tests above.
      Click(wnd, "Print Ol&d Testament");
      Click(wnd, "Print Ne&w Testament");
      EXPECT_FALSE(dialog->OTBox->GetChecked());
      EXPECT_FALSE(dialog->NTBox->GetChecked());
      Click(wnd, "Pr&int");
      EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Ready");
      // A book's first page is the page of its first chapter number.
      for (Integer testament = 0; testament < 2; ++testament) {
        TFileStream file(TPrintBibleV3Dialog::PageFileName(testament), fmOpenRead | fmShareDenyNone);
        TPageFileReader reader(&file);
        TPageRecord record;
        Integer last = 0;
        while (reader.Next(record)) {
          if (record.Style != bsChapter || record.Book == last) continue;
          last = record.Book;
          printed.Books[testament].push_back(TContentsEntry{BookHeading(record.Book), record.Page});
        }
      }
      const TBiblePageMeasures& page = dialog->PageMeasures();
      const double scale = dialog->PDFDocument1->GetResolution() / 72.0;
      printed.Left = page.Margins.Left / scale;
      printed.Right = (page.Width - page.Margins.Right) / scale;
      Click(wnd, "&OK");
    }, 300000);  // the whole Bible takes a while on a slow or busy machine
    return printed;
  }

  // A line of words of a page, left to right.
  struct Line {
    std::vector<const PdfWord*> Words;
    std::string Text() const {
      std::string text;
      for (const PdfWord* word : Words) text += (text.empty() ? "" : " ") + word->Text;
      return text;
    }
  };

  // The lines of the contents tables on the pages, in order: the words of each page by baseline
  // (the titles' large type left out).
  static std::vector<Line> TableLines(const std::vector<PdfPage>& pages) {
    std::vector<Line> lines;
    for (const PdfPage& page : pages) {
      std::vector<const PdfWord*> words;
      for (const PdfWord& word : page.Words)
        if (word.YMax - word.YMin < 20) words.push_back(&word);
      std::stable_sort(words.begin(), words.end(), [](const PdfWord* a, const PdfWord* b) {
        return std::lround(a->YMax * 4) != std::lround(b->YMax * 4) ? a->YMax < b->YMax : a->XMin < b->XMin;
      });
      double baseline = -1;
      for (const PdfWord* word : words) {
        if (lines.empty() || std::fabs(word->YMax - baseline) > 1) {
          lines.emplace_back();
          baseline = word->YMax;
        }
        lines.back().Words.push_back(word);
      }
    }
    return lines;
  }

  static bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  }
};

TEST_F(KjvTitlePagesTest, EveryBookStandsBesideItsFirstPageOnBothTitlePages) {
  PrepareExtraPage(epOTTitle);
  PrepareExtraPage(epNTTitle);
  MyReg->SetPrintOTTitlePages(true);
  MyReg->SetPrintNTTitlePages(true);
  struct Layout {
    const char* Name;
    Integer Paper;   // the index in the settings' list
    Integer Margin;  // millimetres, on every side
  } layouts[] = {
      {"the defaults: A4, 25 mm margins", 1, 25},
      // The narrowest paper (98 mm) at the default margins: with side margins a few millimetres
      // wider the table's longest heading word ("Thessalonians") and four-digit page numbers no
      // longer fit in the text area, and the most the settings take (70 mm) leaves no text width.
      {"Envelope Monarch, 25 mm margins", 15, 25},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.Name);
    MyReg->SetPaperSize(layout.Paper);
    MyReg->SetTopMargin(layout.Margin);
    MyReg->SetBottomMargin(layout.Margin);
    MyReg->SetLeftMargin(layout.Margin);
    MyReg->SetRightMargin(layout.Margin);
    const TitlePages printed = PrintTitlePages();
    ASSERT_EQ(printed.Books[0].size(), 39u);
    ASSERT_EQ(printed.Books[1].size(), 27u);
    std::vector<TContentsEntry> expected = printed.Books[0];
    expected.insert(expected.end(), printed.Books[1].begin(), printed.Books[1].end());

    // A row begins with the line that ends in its page number; the lines after it without a
    // number are the rest of its heading.
    const std::vector<PdfPage> pages = PdfWords(Printing() + "Bible.pdf", Printing());
    const std::vector<Line> lines = TableLines(pages);
    std::vector<TContentsEntry> rows;
    std::vector<const PdfWord*> numbers;
    std::vector<double> lineStarts;
    for (const Line& line : lines) {
      const PdfWord* last = line.Words.back();
      const bool starts = IsNumber(last->Text);
      std::string heading;
      for (std::size_t i = 0; i + (starts ? 1 : 0) < line.Words.size(); ++i)
        heading += (heading.empty() ? "" : " ") + line.Words[i]->Text;
      if (starts) {
        rows.push_back(TContentsEntry{heading, std::stoi(last->Text)});
        numbers.push_back(last);
      } else if (!rows.empty()) {
        rows.back().Heading += " " + heading;
      }
      if (!rows.empty()) lineStarts.push_back(line.Words.front()->XMin);
    }
    std::string read;
    for (const Line& line : lines) read += "\n  " + line.Text();
    EXPECT_EQ(rows.size(), expected.size()) << "the tables read:" << read;
    int wrong = 0;
    std::string first;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const TContentsEntry found = i < rows.size() ? rows[i] : TContentsEntry{"(none)", 0};
      if (found == expected[i]) continue;
      if (++wrong == 1)
        first = "\"" + found.Heading + "\" " + std::to_string(found.Page) + " where \"" + expected[i].Heading + "\" " +
                std::to_string(expected[i].Page) + " belongs";
    }
    EXPECT_EQ(wrong, 0) << "rows, the first: " << first << "; the tables read:" << read;

    // The headings start at one left edge; the page numbers end at one right edge, where the
    // table's whole width puts them: the text area's right edge less the page's right margin (its
    // millimetres taken as pixels, as the page's editor takes them) and the table's border, the
    // cell's border and the cell's padding (2 + 2 + 3 pixels). A number wider than its column
    // may widen the table, within the text area.
    ASSERT_FALSE(numbers.empty());
    const auto [leftmost, rightmost] = std::minmax_element(lineStarts.begin(), lineStarts.end());
    EXPECT_LT(*rightmost - *leftmost, 0.5);
    double lowest = 1e9, highest = -1e9;
    for (const PdfWord* number : numbers) {
      lowest = std::min(lowest, number->XMax);
      highest = std::max(highest, number->XMax);
    }
    EXPECT_LT(highest - lowest, 0.5);
    const double fullWidth = printed.Right - (layout.Margin + 2 + 2 + 3) * 72.0 / 96;
    EXPECT_GE(lowest, fullWidth - 1) << "text area " << printed.Left << ".." << printed.Right;
    EXPECT_LE(highest, printed.Right);
  }
}

// A Spanish-like text: many one-letter words ("y", "a", "o" and accented ones), accented
// capitals, and words that break at the lines' ends.
class AccentedBibleTest : public BibleReadbackTest {};

TEST_F(AccentedBibleTest, ReadBackOneLetterAndAccentedWordsStandApart) {
  const char* const sentences[] = {
      "Y dijo Jehov\xE1 \xE1 Mois\xE9s: Ve y di \xE1 los hijos de Israel que \xE9l os env\xED" "a.",
      "\xC9l iba \xE1 la puerta de la ciudad, y \xE1 la tarde volvi\xF3 \xE1 su casa.",
      "\xC1 los que o\xED" "an, y \xE1 los que no o\xED" "an, les habl\xF3 \xE9l con voz alta.",
      "Y \xE9sta es la se\xF1" "al: o \xE9l \xF3 yo iremos, y \xE1 ti te ser\xE1 dado.",
      "Entonces \xD3scar y Mar\xED" "a fueron \xE1 Jerusal\xE9n, y all\xED \xE1 la ma\xF1" "ana oraron.",
      "No temas, y \xE1 ninguno digas nada; \xE9 ir\xE1s y volver\xE1s \xF3 te quedar\xE1s.",
      "\xC9ste es mi hijo, y \xE1 \xE9l oid; y \xE1 la voz de \xE9l respondieron todos.",
      "Bienaventurados los mansos, y \xE1 ellos ser\xE1 dada la tierra \xF3 la heredad.",
  };
  const int count = static_cast<int>(sizeof sentences / sizeof sentences[0]);
  for (const char* id : {"GEN", "EXO"}) {
    Lines lines = {std::string("\\id ") + id, std::string("\\mt ") + (id[0] == 'G' ? "G\xC9NESIS" : "\xC9XODO")};
    for (int chapter = 1; chapter <= 6; ++chapter) {
      lines.push_back("\\c " + std::to_string(chapter));
      lines.push_back("\\p");
      for (int verse = 1; verse <= 24; ++verse) {
        std::string text;
        for (int k = 0; k < 3; ++k) text += std::string(k ? " " : "") + sentences[(verse * 3 + chapter + k * 5) % count];
        lines.push_back("\\v " + std::to_string(verse) + " " + text);
        if (verse % 8 == 0) lines.push_back("\\p");
      }
    }
    WriteTestBook(id, lines);
  }
  MyReg->SetHyphenationRule(2);
  MyReg->SetVowels("aeiou\xE1\xE9\xED\xF3\xFA" "AEIOU\xC1\xC9\xCD\xD3\xDA");
  MyReg->SetConsonants("bcdfghjklmn\xF1pqrstvwxyz" "BCDFGHJKLMN\xD1PQRSTVWXYZ");
  const std::vector<std::string> words = VerseWords({BookPath("GEN"), BookPath("EXO")});
  CheckReadback(PrintAll(), words, "one-letter and accented words, default layout");

  UseTighterLayout();
  CheckReadback(PrintAll(), words, "one-letter and accented words, 10 pt text, 15 mm margins");
}

}  // namespace
