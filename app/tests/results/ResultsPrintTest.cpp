// Printing the results list: "List.pdf" written into the printing folder, sound to the PDF tools,
// with a header and every line on its pages; and the same printing path onto a printer (no
// printer is installed here: a printer that prints into bitmaps stands in), where the text area
// and the headers are measured by their pixels.
#include <cstdlib>
#include <sstream>
#include <string>

#include "PdfChecks.h"
#include "PdfTestSupport.h"
#include "app/tests/results/ResultsSupport.h"
#include "classlib/SysUtils.h"
#include "tests/support/BitmapPrinter.h"
#include "tests/support/Pixels.h"

namespace {

using namespace results_testing;
using namespace dialog_testing;

// The lines pdftotext gives for each page, blanks at either end dropped, runs of blanks made one,
// empty lines left out.
std::vector<Lines> PdfPageLines(const std::string& path, const std::string& folder) {
  const std::string file = "'" + pdf_checks::UnixPath(path) + "'";
  const pdf_checks::ToolResult text = pdf_checks::RunLinux("pdftotext -layout " + file + " -", folder);
  std::vector<Lines> pages(1);
  std::istringstream in(text.Out);
  std::string line;
  while (std::getline(in, line)) {
    for (; !line.empty() && line.front() == '\f'; line.erase(0, 1)) pages.emplace_back();
    std::string squeezed;
    for (char c : line)
      if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
    while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    if (!squeezed.empty()) pages.back().push_back(squeezed);
  }
  while (!pages.empty() && pages.back().empty()) pages.pop_back();
  return pages;
}

Lines NumberedLines(int count) {
  Lines lines;
  for (int i = 1; i <= count; ++i)
    lines.push_back("GEN " + std::to_string(i / 30 + 1) + ":" + std::to_string(i % 30 + 1) + " Spelling: w" +
                    std::to_string(i) + "rd");
  return lines;
}

class ResultsPrintTest : public ResultsTest {
protected:
  void SetUp() override {
    ResultsTest::SetUp();
    WriteSettingString("Include date", "T");
    WriteSettingString("Date format", "yyyy-mm-dd");
    MyReg->SetTopMargin(25);
    MyReg->SetBottomMargin(20);
    MyReg->SetLeftMargin(20);
    MyReg->SetRightMargin(15);
  }
  std::string Today() const { return FormatDateTime("yyyy-mm-dd", Date()); }
};

TEST_F(ResultsPrintTest, ListPdfHoldsTheHeaderAndEveryLineOnItsPages) {
  const std::string folder = temp_.Path() + "Out\\Printing\\";  // not there yet
  MyReg->SetPrintingFolder(folder);
  MyReg->SetPaperSize(1);  // A4
  const std::string title = "Spelling errors of all books";
  struct Row {
    int Lines;
    int Pages;
  } rows[] = {{130, 3}, {0, 1}};
  for (const Row& r : rows) {
    auto dialog = Make(title);
    const Lines lines = NumberedLines(r.Lines);
    for (const std::string& line : lines) dialog->SourceList->Add(line);
    dialog->ShowList(lkLines);
    Lines statuses;
    RunModal(dialog.get(), [&](HWND) {
      StatusRecorder status(dialog->StatusBar1);
      SendKeyEvents({{VK_CONTROL, false}, {'P', false}, {'P', true}, {VK_CONTROL, true}});
      ProcessFor(300);
      statuses = status.Texts;
      Command(dialog.get(), "Exit1");
    });
    const std::string path = folder + "List.pdf";
    ASSERT_TRUE(FileExists(path)) << r.Lines;

    // The steps shown while printing.
    const int laidOut = r.Lines ? r.Pages : 0;
    Lines expected = {"Printing ...", "Repaginating..."};
    for (int p = 1; p <= laidOut; ++p) expected.push_back("Repaginating (" + std::to_string(p) + ")");
    expected.push_back("Repaginating finished");
    for (int p = 1; p <= r.Pages; ++p) expected.push_back("Printing page " + std::to_string(p));
    expected.insert(expected.end(), {"Writing PDF file", "Ready printing"});
    EXPECT_EQ(statuses, expected) << r.Lines;

    pdf_test::ExpectSoundPdf(path);
    const std::string file = "'" + pdf_checks::UnixPath(path) + "'";
    const pdf_checks::ToolResult info = pdf_checks::RunLinux("pdfinfo " + file, temp_.Path());
    for (const std::string& field : Lines{"Title:           List\n", "Subject:         List\n", "Keywords:        List\n",
                                     "Author:          Pelorin\n", "Creator:         Pelorin\n",
                                     "Pages:           " + std::to_string(r.Pages) + "\n",
                                     "Page size:       595 x 842 pts (A4)\n", "PDF version:     1.3\n"})
      EXPECT_NE(info.Out.find(field), std::string::npos) << field << info.Out;

    // Each page begins with its header; the lines follow whole and in order.
    const std::vector<Lines> pages = PdfPageLines(path, temp_.Path());
    ASSERT_EQ(static_cast<int>(pages.size()), r.Pages) << r.Lines;
    Lines found;
    for (int p = 0; p < r.Pages; ++p) {
      ASSERT_FALSE(pages[p].empty());
      EXPECT_EQ(pages[p].front(), title + " " + Today() + " " + std::to_string(p + 1));
      found.insert(found.end(), pages[p].begin() + 1, pages[p].end());
    }
    EXPECT_EQ(found, lines);

    // The first page as a viewer shows it, for people to look at.
    if (const char* shots = std::getenv("PELORIN_SCREENSHOTS"); shots && *shots && r.Lines) {
      const pdf_checks::Raster raster = pdf_checks::RenderPage(path, 1, 96);
      testing_support::SavePng({raster.Width, raster.Height, raster.Rgb}, std::string(shots) + "\\results-list-pdf.png");
    }
  }
}

// The bitmap printer as the sheets of a list.
class PrinterSheets : public TListSheets {
public:
  explicit PrinterSheets(testing_support::TBitmapPrinter& printer) : printer_(printer) {}
  TCanvas* Canvas() override { return printer_.GetCanvas(); }
  TSize PageSize() override { return TSize{printer_.GetPageWidth(), printer_.GetPageHeight()}; }
  void NewPage() override { printer_.NewPage(); }

private:
  testing_support::TBitmapPrinter& printer_;
};

// The smallest rectangle of the rows from Top to Bottom that holds every pixel that is not white.
TRect InkIn(TBitmap& page, Integer Top, Integer Bottom) {
  TRect r{page.GetWidth(), page.GetHeight(), 0, 0};
  for (Integer y = std::max<Integer>(Top, 0); y < std::min(Bottom, page.GetHeight()); ++y)
    for (Integer x = 0; x < page.GetWidth(); ++x)
      if (pixels::At(page, x, y) != clWhite) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

TEST_F(ResultsPrintTest, OnAPrinterTheTextKeepsToTheMarginsAndTheHeadersStandAboveIt) {
  // An A4 sheet at 150 dots per inch.
  constexpr int kDpi = 150;
  // Margins in millimetres become whole screen pixels first (25.4 mm = 96 pixels), then dots.
  auto dots = [](int millimetres) { return MulDiv(MulDiv(millimetres, 96 * 5, 127), kDpi, 96); };
  const TRect area{dots(20), dots(25), 1240 - dots(15), 1754 - dots(20)};
  const int gap = MulDiv(10, kDpi, 96);
  struct Row {
    bool Mirror;
    bool EvenFromLeft;
  } rows[] = {{true, true}, {false, false}};
  for (const Row& r : rows) {
    MyReg->SetMirrorMargins(r.Mirror);
    auto dialog = Make("Names");
    for (const std::string& line : NumberedLines(80)) dialog->SourceList->Add(line);
    dialog->ShowList(lkLines);
    testing_support::TBitmapPrinter printer(kDpi, 1240, 1754);
    printer.BeginDoc();
    PrinterSheets sheets(printer);
    dialog->PrintPages(sheets);
    printer.EndDoc();
    ASSERT_EQ(printer.Pages.size(), 2u);
    for (int p = 0; p < 2; ++p) {
      TBitmap& page = *printer.Pages[p];
      pixels::SaveForViewing(page, "results-printed-page-" + std::to_string(p + 1));
      const TRect body = InkIn(page, area.Top, page.GetHeight());
      EXPECT_GE(body.Left, area.Left) << p;
      EXPECT_LE(body.Left, area.Left + 3) << p;
      EXPECT_LE(body.Right, area.Right) << p;
      EXPECT_LE(body.Bottom, area.Bottom) << p;
      EXPECT_LE(body.Top, area.Top + dots(5)) << "the first line starts at the top of the area";
      const TRect header = InkIn(page, 0, area.Top);
      EXPECT_LE(header.Bottom, area.Top - gap) << p;
      EXPECT_GE(header.Bottom, area.Top - gap - dots(3)) << p;
      if (p == 1 && r.EvenFromLeft) {
        EXPECT_GE(header.Left, area.Left) << p;
        EXPECT_LE(header.Left, area.Left + 3) << p;
      } else {
        EXPECT_LE(header.Right, area.Right) << p;
        EXPECT_GE(header.Right, area.Right - 3) << p;
      }
    }
  }
}

}  // namespace
