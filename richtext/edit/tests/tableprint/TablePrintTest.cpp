// Tables printed through the report helper at 600 pixels per inch: the print record and its
// printable cells, cutting the rows into pages (rows joined by merged cells kept together, a row
// ending exactly at the room left moved on), the heading rows repeated at the top of every page,
// and each page's rows drawn below them on the printer's bitmap pages.
#include <gtest/gtest.h>

#include <string>

#include "richtext/core/tests/print/PrintTestSupport.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "tests/support/Pixels.h"

namespace {

using print_test::Report;

// The colour of body row Row's cells: each row its own.
TColor RowColor(Integer Row) { return static_cast<TColor>(RGB(40 + Row * 6, 160, 240 - Row * 6)); }

class TablePrint : public ::testing::Test {
protected:
  // A table of Rows x 2 cells reading "r,c", heading rows yellow, every other row its own
  // colour, no spacing, so that its rows lie one below the other.
  TUVTableItemInfo* AddTable(Integer Rows, Integer Headings) {
    table = table_test::NumberedTable(Rows, 2, report.Data());
    table->SetCellVSpacing(0);
    table->SetBorderVSpacing(0);
    table->SetHeadingRowCount(Headings);
    for (Integer row = 0; row < Rows; ++row)
      for (Integer col = 0; col < 2; ++col)
        table->GetCells(row, col)->SetCellColor(row < Headings ? clYellow : RowColor(row));
    report.Data()->AddItem(AnsiString(), table);
    return table;
  }
  TUVTablePrintInfo* Record() {
    for (Integer d = 0; d < report.LineCount(); ++d)
      if (auto* record = dynamic_cast<TUVTablePrintInfo*>(report.Line(d))) return record;
    return nullptr;
  }
  // The parts as "first+count".
  std::vector<std::string> Parts() {
    std::vector<std::string> parts;
    TUVTablePrintInfo* record = Record();
    for (Integer i = 0; record && i < record->GetPartCount(); ++i)
      parts.push_back(std::to_string(record->GetTablePart(i)->FirstRow) + "+" +
                      std::to_string(record->GetTablePart(i)->RowCount));
    return parts;
  }
  Report report;
  TUVTableItemInfo* table = nullptr;
};

TEST_F(TablePrint, ATallTableRepeatsItsHeadingOnEveryPage) {
  AddTable(40, 1);
  Integer pages = report.Paginate(print_test::kPageHeight);
  TUVTablePrintInfo* record = Record();
  ASSERT_NE(record, nullptr);
  ASSERT_GT(pages, 2);
  EXPECT_TRUE(record->RepeatHeadings);
  ASSERT_EQ(record->GetPartCount(), pages);
  // The parts take the body rows in turn, each within a page.
  Integer next = 1;
  for (Integer i = 0; i < record->GetPartCount(); ++i) {
    TUVTablePrintPart* part = record->GetTablePart(i);
    EXPECT_EQ(part->FirstRow, next) << "part " << i;
    EXPECT_GT(part->RowCount, 0) << "part " << i;
    EXPECT_LE(part->Height, print_test::kPageHeight) << "part " << i;
    next += part->RowCount;
  }
  EXPECT_EQ(next, 40);

  for (Integer p = 1; p <= pages; ++p) {
    if (p > 1) report.Printer.NewPage();
    report.Helper.DrawPageAt(0, 0, p, report.Printer.GetCanvas(), false, print_test::kPageHeight);
  }
  report.Printer.EndDoc();
  ASSERT_EQ(static_cast<Integer>(report.Printer.Pages.size()), pages);
  pixels::SaveForViewing(*report.Printer.Pages[1], "table-print-page-2");
  // Down the right end of the first column, past the text: the yellow heading, then the first
  // row of the page's part.
  Integer x = record->Left + record->FI.ColStarts[0] + record->FI.ColWidths[0] - 4;
  for (Integer p = 1; p <= pages; ++p) {
    TBitmap& page = *report.Printer.Pages[static_cast<std::size_t>(p - 1)];
    Integer y = 0;
    while (y < page.GetHeight() && pixels::At(page, x, y) != clYellow) ++y;
    ASSERT_LT(y, page.GetHeight() / 4) << "no heading on page " << p;
    while (y < page.GetHeight() && pixels::At(page, x, y) == clYellow) ++y;
    while (y < page.GetHeight() && (pixels::At(page, x, y) == clWhite || pixels::At(page, x, y) == clBlack)) ++y;
    ASSERT_LT(y, page.GetHeight()) << "page " << p;
    EXPECT_EQ(pixels::At(page, x, y), ColorToRGB(RowColor(record->GetTablePart(p - 1)->FirstRow))) << "page " << p;
  }
}

// The texts page PageNo draws, in the order drawn: the page is drawn onto an enhanced metafile
// made for the printer and its text records are read back, clipped or not (a text drawn outside
// the visible area is still in a PDF, found by search and text extraction).
std::vector<std::string> TextsDrawn(Report& R, Integer PageNo) {
  HDC dc = ::CreateEnhMetaFileA(R.Printer.GetCanvas()->GetHandle(), nullptr, nullptr, nullptr);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    R.Helper.DrawPageAt(0, 0, PageNo, &canvas, false, print_test::kPageHeight);
    canvas.SetHandle(nullptr);
  }
  HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
  std::vector<std::string> texts;
  auto collect = [](HDC, HANDLETABLE*, const ENHMETARECORD* Record, int, LPARAM Texts) -> int {
    auto* out = reinterpret_cast<std::vector<std::string>*>(Texts);
    const auto* bytes = reinterpret_cast<const BYTE*>(Record);
    if (Record->iType == EMR_EXTTEXTOUTW) {
      const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(Record);
      const auto* units = reinterpret_cast<const wchar_t*>(bytes + r->emrtext.offString);
      std::string text;
      for (DWORD i = 0; i < r->emrtext.nChars; ++i) text += static_cast<char>(units[i]);
      out->push_back(text);
    } else if (Record->iType == EMR_EXTTEXTOUTA) {
      const auto* r = reinterpret_cast<const EMREXTTEXTOUTA*>(Record);
      out->emplace_back(reinterpret_cast<const char*>(bytes + r->emrtext.offString), r->emrtext.nChars);
    }
    return 1;
  };
  ::EnumEnhMetaFile(nullptr, metafile, collect, &texts, nullptr);
  ::DeleteEnhMetaFile(metafile);
  return texts;
}

TEST_F(TablePrint, EveryRowIsDrawnOnceOnItsOwnPage) {
  AddTable(40, 1);
  table->SetBorderWidth(2);
  table->SetCellBorderWidth(1);
  Integer pages = report.Paginate(print_test::kPageHeight);
  TUVTablePrintInfo* record = Record();
  ASSERT_NE(record, nullptr);
  ASSERT_GT(pages, 2);
  for (Integer p = 1; p <= pages; ++p) {
    SCOPED_TRACE("page " + std::to_string(p));
    // The heading row, then the part's rows in order, each cell once.
    TUVTablePrintPart* part = record->GetTablePart(p - 1);
    std::vector<std::string> expected = {"0,0", "0,1"};
    for (Integer r = part->FirstRow; r < part->FirstRow + part->RowCount; ++r)
      for (Integer c = 0; c < 2; ++c) expected.push_back(std::to_string(r) + "," + std::to_string(c));
    EXPECT_EQ(TextsDrawn(report, p), expected);
  }
  // On paper: each page closed by the last row's cell borders and the table's frame.
  report.Helper.DrawPageAt(0, 0, 1, report.Printer.GetCanvas(), false, print_test::kPageHeight);
  report.Printer.EndDoc();
  ASSERT_EQ(report.Printer.Pages.size(), 1u);
  pixels::SaveForViewing(*report.Printer.Pages[0], "table-print-bordered-page-1");
}

TEST_F(TablePrint, ARowEndingExactlyAtTheRoomLeftGoesToTheNextPart) {
  AddTable(10, 1);
  report.Paginate(1000000);
  TUVTablePrintInfo* record = Record();
  ASSERT_NE(record, nullptr);
  const auto& fi = record->FI;
  auto bottom = [&](Integer Row) { return fi.RowStarts[Row] + fi.RowHeights[Row]; };
  // The frame and heading above the body, and the frame below it.
  Integer overhead = fi.RowStarts[1] + fi.Height - bottom(9);
  struct Case {
    const char* Name;
    Integer Room;
    bool Split;
    std::vector<std::string> Parts;
  } cases[] = {
      {"row 4 ends exactly at the limit", bottom(4) + overhead - fi.RowStarts[1], true, {"1+3", "4+6"}},
      {"a pixel more keeps it", bottom(4) + overhead - fi.RowStarts[1] + 1, true, {"1+4", "5+5"}},
      {"the whole table fits", fi.Height, false, {"1+9"}},
      {"not even a row: the first row alone", 1, true, {"1+1", "2+8"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(record->StartPages()) << c.Name;
    EXPECT_EQ(record->SplitAt(c.Room), c.Split) << c.Name;
    EXPECT_EQ(Parts(), c.Parts) << c.Name;
  }
  record->ResetPages();
  EXPECT_THROW(record->SplitAt(100), EUzurUvadError);
}

TEST_F(TablePrint, MergedRowsStayTogetherAndHeadingsCrossedByAMergeAreNotRepeated) {
  AddTable(10, 1);
  table->MergeCells(3, 0, 1, 3, true);  // rows 3 to 5
  report.Paginate(1000000);
  TUVTablePrintInfo* record = Record();
  ASSERT_NE(record, nullptr);
  const auto& fi = record->FI;
  Integer overhead = fi.RowStarts[1] + fi.Height - (fi.RowStarts[9] + fi.RowHeights[9]);
  // Room for rows up to 4: the break moves up to row 3, where the merged cell starts.
  ASSERT_TRUE(record->StartPages());
  EXPECT_TRUE(record->SplitAt(fi.RowStarts[4] + fi.RowHeights[4] + overhead - fi.RowStarts[1] + 1));
  EXPECT_EQ(Parts(), (std::vector<std::string>{"1+2", "3+7"}));
  // A part starting with the merged rows keeps all three however little room there is.
  EXPECT_TRUE(record->SplitAt(1));
  EXPECT_EQ(Parts(), (std::vector<std::string>{"1+2", "3+3", "6+4"}));

  // Heading rows 0-1 with a cell reaching from row 1 into row 2: printed once, not repeated.
  Report other;
  auto* crossed = table_test::NumberedTable(6, 2, other.Data());
  crossed->SetHeadingRowCount(2);
  crossed->MergeCells(1, 0, 1, 2, true);
  other.Data()->AddItem(AnsiString(), crossed);
  other.Paginate(1000000);
  for (Integer d = 0; d < other.LineCount(); ++d)
    if (auto* record2 = dynamic_cast<TUVTablePrintInfo*>(other.Line(d))) {
      EXPECT_FALSE(record2->RepeatHeadings);
      ASSERT_TRUE(record2->StartPages());
      EXPECT_EQ(record2->GetTablePart(0)->FirstRow, 0);
    }
}

TEST_F(TablePrint, WhatIsNotSplitAndWhatGetsNoPrintCopy) {
  struct Case {
    const char* Name;
    Integer Rows, Headings;
    bool RowsSplit;
    bool Starts;
    bool FirstFits;
  } cases[] = {
      {"rows split", 4, 0, true, true, true},
      {"without splitting the table prints whole", 4, 0, false, false, false},
      {"only heading rows are printed whole", 2, 2, true, false, false},
  };
  for (const Case& c : cases) {
    Report r;
    auto* t = table_test::NumberedTable(c.Rows, 2, r.Data());
    t->SetHeadingRowCount(c.Headings);
    if (!c.RowsSplit) t->SetPrintOptions(TUVTablePrintOptions(t->GetPrintOptions()).Exclude(uvtoRowsSplit));
    table_test::SetCellText(t->GetCells(0, 1), "");
    r.Data()->AddItem(AnsiString(), t);
    r.Paginate(1000000);
    TUVTablePrintInfo* record = nullptr;
    for (Integer d = 0; d < r.LineCount() && !record; ++d) record = dynamic_cast<TUVTablePrintInfo*>(r.Line(d));
    ASSERT_NE(record, nullptr) << c.Name;
    EXPECT_EQ(record->StartPages(), c.Starts) << c.Name;
    if (c.Starts) EXPECT_EQ(record->CanSplitFirst(1000000), c.FirstFits) << c.Name;
    // The empty cell has no print copy; the others have one each.
    EXPECT_EQ(record->FI.PrintCells->Get(1), nullptr) << c.Name;
    EXPECT_NE(record->FI.PrintCells->Get(0), nullptr) << c.Name;
    // Its row is still as high as the others.
    EXPECT_GE(record->FI.RowHeights[0], r.Data()->PrnSad.YToDevice(10)) << c.Name;
  }
}

// The widest drawing counts the canvas's device pixels: a canvas laid out in units finer than its
// pixels (as a PDF page is, in hundredths of a point) lays a full-width table out over its whole
// width in those units.
TEST_F(TablePrint, AFullWidthTableIsDrawnNoWiderThanTheWidestDrawingAllowed) {
  struct Case {
    Integer ScreenWidth;    // the report's width in screen pixels; printed at 600 dpi
    Integer UnitsPerPixel;  // the canvas's logical units in one of its pixels
    bool Clamped;
  } cases[] = {{150, 1, false}, {2000, 1, true}, {150, 12, false}, {2000, 12, true}};
  HDC dc = report.Printer.GetCanvas()->GetHandle();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.ScreenWidth) + " screen pixels, " + std::to_string(c.UnitsPerPixel) +
                 " units per pixel");
    ::SetMapMode(dc, c.UnitsPerPixel == 1 ? MM_TEXT : MM_ANISOTROPIC);
    if (c.UnitsPerPixel != 1) {
      ::SetWindowExtEx(dc, c.UnitsPerPixel, c.UnitsPerPixel, nullptr);
      ::SetViewportExtEx(dc, 1, 1, nullptr);
    }
    report.Data()->Clear();
    AddTable(2, 0)->SetBestWidth(-100);
    report.Paginate(print_test::kPageHeight, c.ScreenWidth);
    ::SetMapMode(dc, MM_TEXT);
    TUVTablePrintInfo* record = Record();
    ASSERT_NE(record, nullptr);
    const Integer widest = UVTableMaxDrawWidth * c.UnitsPerPixel;
    EXPECT_LE(record->Width, widest);
    EXPECT_EQ((table->State & uvtsWiderThanDrawing) != 0, c.Clamped);
    // Clamped, it still takes the whole width it is allowed; else the report's whole width.
    const Integer whole = c.Clamped ? widest : MulDiv(c.ScreenWidth, print_test::kDpi * c.UnitsPerPixel, 96);
    EXPECT_GT(record->Width, whole * 9 / 10);
  }
}

}  // namespace
