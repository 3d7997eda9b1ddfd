// Table layout: the width a table takes (a width of its own, a percentage of the line, or as wide
// as its columns), column widths from minimal widths, pixel and percentage best widths and the
// room left over, cells over several columns (also over columns of no width), padding, borders
// and spacing in the cells' boxes, row heights from the cells' contents and best heights, cells
// over several rows, the vertical alignment of a cell's content, and the table in its document.
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::CheckGrid;
using table_test::SetCellText;

class TableLayout : public ::testing::Test {
protected:
  TableLayout() {
    edit_test::SetUpStyles(style);
    doc.ClientWidth = 700;
  }
  // A table in the document whose cells are empty (minimal width 0), laid out at AvailWidth.
  TUVTableItemInfo* Table(Integer Rows, Integer Cols) {
    auto* table = new TUVTableItemInfo(Rows, Cols, &doc);
    table->ParaNo = 0;
    doc.AddItem(AnsiString(), table);
    return table;
  }
  void Layout(TUVTableItemInfo* Table, Integer AvailWidth) {
    Table->CalculateTableLayout(AvailWidth, Table->FormattingInfo, true);
  }
  std::vector<Integer> Widths(TUVTableItemInfo* Table) { return Table->FormattingInfo->ColWidths; }

  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
};

TEST_F(TableLayout, ATableWithoutRowsIsItsFrame) {
  TUVTableItemInfo* table = Table(0, 0);
  table->SetBorderWidth(3);
  table->SetBorderHSpacing(4);
  table->SetBorderVSpacing(5);
  Layout(table, 500);
  EXPECT_EQ(table->FormattingInfo->Width, 14);
  EXPECT_EQ(table->FormattingInfo->Height, 16);
  EXPECT_EQ(table->GetMinWidth(nullptr, nullptr, &doc), 14);
}

TEST_F(TableLayout, AutomaticColumnsShareWhatIsLeftWithoutLosingAPixel) {
  TUVTableItemInfo* table = Table(1, 2);
  // Overheads: one cell spacing of 2, border spacing 2 on each side, padding 1 on each side of
  // each column: 10 pixels, so 17 leaves 7 for the columns.
  Layout(table, 17);
  EXPECT_EQ(Widths(table), (std::vector<Integer>{3, 4}));
  EXPECT_EQ(table->FormattingInfo->Width, 17);
  Layout(table, 110);
  EXPECT_EQ(Widths(table), (std::vector<Integer>{50, 50}));
}

TEST_F(TableLayout, TheTablesOwnWidthInPixelsOrPercent) {
  TUVTableItemInfo* table = Table(1, 2);
  table->SetBestWidth(-50);
  Layout(table, 600);
  EXPECT_EQ(table->FormattingInfo->Width, 300);
  // Content that needs more makes the table wider than its percentage.
  SetCellText(table->GetCells(0, 0), "Antidisestablishmentarianism");
  SetCellText(table->GetCells(0, 1), "Floccinaucinihilipilification");
  Layout(table, 100);
  Integer minimum = table->GetCells(0, 0)->GetMinWidth(nullptr, table->GetCells(0, 0)->GetFormattingCanvas()) +
                    table->GetCells(0, 1)->GetMinWidth(nullptr, table->GetCells(0, 1)->GetFormattingCanvas());
  EXPECT_EQ(table->FormattingInfo->Width, minimum + 10);
  EXPECT_EQ(table->GetMinWidth(nullptr, nullptr, &doc), minimum + 10);
  table->SetBestWidth(500);
  Layout(table, 600);
  EXPECT_EQ(table->FormattingInfo->Width, 500);
  table->SetBestWidth(minimum);
  Layout(table, 600);
  EXPECT_EQ(table->FormattingInfo->Width, minimum + 10) << "a width of its own too small for the content";
}

TEST_F(TableLayout, ATableOfPixelColumnsIsAsWideAsTheyAre) {
  TUVTableItemInfo* table = Table(2, 2);
  table->SetCellPadding(3);
  table->SetCellHSpacing(4);
  table->SetCellBorderWidth(1);
  table->SetBorderWidth(2);
  table->SetBorderHSpacing(5);
  table->GetCells(0, 0)->BestWidth = 50;
  table->GetCells(1, 1)->BestWidth = 70;
  for (Integer avail : {600, 200}) {
    Layout(table, avail);
    EXPECT_EQ(Widths(table), (std::vector<Integer>{50, 70})) << avail;
    // Overhead: spacing 4 + frame 2 x (2 + 5) + cell borders 2 x 2 x 1, padding 2 x 2 x 3.
    EXPECT_EQ(table->FormattingInfo->Width, 4 + 14 + 4 + 12 + 120) << avail;
  }
  // The spacing between columns spread over them: each cell box starts after the frame and its
  // own border, its width is the column's with the padding.
  EXPECT_EQ(table->FormattingInfo->ColStarts, (std::vector<Integer>{8, 70}));
  EXPECT_EQ(table->GetCells(0, 0)->Left, 8);
  EXPECT_EQ(table->GetCells(0, 0)->Width, 56);
  EXPECT_EQ(table->GetCells(1, 1)->Left, 70);
  EXPECT_EQ(table->GetCells(1, 1)->Width, 76);
  // The content box is the cell's box less the padding.
  EXPECT_EQ(table->GetCells(1, 1)->GetWidth(), 70);
  // A percentage anywhere makes the table take the line.
  table->GetCells(1, 0)->BestWidth = -10;
  Layout(table, 600);
  EXPECT_EQ(table->FormattingInfo->Width, 600);
}

TEST_F(TableLayout, PercentagesOfTheTableAndPixelsShareTheWidth) {
  TUVTableItemInfo* table = Table(1, 3);
  table->GetCells(0, 0)->BestWidth = -50;
  table->GetCells(0, 1)->BestWidth = 60;
  Layout(table, 412);
  // Content room 412 - 8 spacing - 6 padding = 398. The percentage column asks half of the
  // width less the spacing (404 / 2) less its padding; the pixel column 60; the automatic
  // column the rest.
  std::vector<Integer> widths = Widths(table);
  EXPECT_EQ(widths[0], 200);
  EXPECT_EQ(widths[1], 60);
  EXPECT_EQ(widths[2], 398 - 200 - 60);
  EXPECT_EQ(table->FormattingInfo->Width, 412);
}

TEST_F(TableLayout, ACellOverColumnsWidensThemAlsoWhenTheyHaveNoWidth) {
  TUVTableItemInfo* table = Table(2, 2);
  table->SetCellPadding(0);
  SetCellText(table->GetCells(0, 0), "Antidisestablishmentarianism");
  table->MergeCells(0, 0, 2, 1, true);
  table->GetCells(1, 0)->Clear();
  table->GetCells(1, 1)->Clear();
  TUVTableCellData* wide = table->GetCells(0, 0);
  Integer need = wide->GetMinWidth(nullptr, wide->GetFormattingCanvas());
  // Both columns are 0 wide: the widening is shared equally, the odd pixel to the last column.
  Integer have = -2 + 2 * 2;
  EXPECT_EQ(table->GetMinWidth(nullptr, nullptr, &doc), 6 + need - have);
  table->SetBestWidth(1);
  Layout(table, 1);
  std::vector<Integer> widths = Widths(table);
  EXPECT_EQ(widths[0], (need - have) / 2);
  EXPECT_EQ(widths[1], need - have - (need - have) / 2);
  EXPECT_EQ(wide->Width, need);
}

TEST_F(TableLayout, RowsAreAsHighAsTheirCells) {
  TUVTableItemInfo* table = Table(3, 2);
  SetCellText(table->GetCells(0, 0), "One");
  SetCellText(table->GetCells(0, 1), "Big", 1);
  table->GetCells(1, 0)->BestHeight = 40;
  table->GetCells(2, 0)->Clear();
  table->GetCells(2, 1)->Clear();
  Layout(table, 300);
  std::vector<Integer> heights = table->FormattingInfo->RowHeights;
  EXPECT_EQ(heights[0], std::max(table->GetCells(0, 0)->DocumentHeight, table->GetCells(0, 1)->DocumentHeight));
  EXPECT_GT(table->GetCells(0, 1)->DocumentHeight, table->GetCells(0, 0)->DocumentHeight);
  EXPECT_EQ(heights[1], 40);
  // A row of cells without items keeps 10 pixels.
  EXPECT_EQ(heights[2], 10);
  // Overhead: padding, frame and spacing; the rows' boxes follow each other.
  EXPECT_EQ(table->FormattingInfo->Height, heights[0] + heights[1] + heights[2] + 2 * (3 + 0 + 2) + 2 * 2);
  EXPECT_EQ(table->FormattingInfo->RowStarts[0], 2);
  EXPECT_EQ(table->FormattingInfo->RowStarts[1], 2 + heights[0] + 4);
  EXPECT_EQ(table->GetCells(1, 0)->Top, table->FormattingInfo->RowStarts[1]);
  EXPECT_EQ(table->GetCells(1, 0)->Height, 42);
}

TEST_F(TableLayout, ATallCellOverRowsGivesItsExtraToTheRowNoOtherCellEndsIn) {
  TUVTableItemInfo* table = Table(3, 2);
  table->MergeCells(0, 0, 1, 2, true);
  table->MergeCells(1, 1, 1, 2, true);
  ASSERT_EQ(CheckGrid(table), "");
  table->GetCells(0, 0)->BestHeight = 200;
  Layout(table, 300);
  std::vector<Integer> heights = table->FormattingInfo->RowHeights;
  Integer natural = table->GetCells(0, 1)->DocumentHeight;
  // Row 0 holds cell (0, 1), which ends inside the tall cell's rows; row 1 holds only a cell
  // that reaches past them.
  EXPECT_EQ(heights[0], natural);
  EXPECT_GT(heights[1], natural);
  TUVTableCellData* tall = table->GetCells(0, 0);
  EXPECT_EQ(tall->Height, 200 + 2);
  std::vector<Integer> starts = table->FormattingInfo->RowStarts;
  EXPECT_EQ(tall->Top + tall->Height, starts[1] + heights[1] + 2) << "it ends with row 1";
}

TEST_F(TableLayout, ContentSitsAtTheCellsVerticalAlignment) {
  TUVTableItemInfo* table = Table(1, 2);
  table->SetCellPadding(4);
  table->GetCells(0, 0)->BestHeight = 80;
  TUVTableCellData* cell = table->GetCells(0, 1);
  Layout(table, 300);
  Integer free = cell->Height - cell->DocumentHeight;
  struct Case {
    TUVCellVAlign Align;
    Integer Offset;
  } cases[] = {{uvcTop, 0}, {uvcMiddle, free / 2 - 4}, {uvcBottom, free - 8}};
  for (const Case& c : cases) {
    cell->VAlign = c.Align;
    EXPECT_EQ(cell->GetVAlignOffset(), c.Offset) << Integer(c.Align);
    Integer x, y, tx, ty;
    cell->GetOrigin(x, y);
    table->GetDocumentPosition(tx, ty);
    EXPECT_EQ(x, tx + cell->Left + 4);
    EXPECT_EQ(y, ty + cell->Top + 4 + c.Offset);
  }
}

TEST_F(TableLayout, TheDocumentLaysTheTableOutOnItsLine) {
  doc.AddNL("Above", 0, 0);
  TUVTableItemInfo* table = Table(2, 2);
  SetCellText(table->GetCells(0, 0), "Cell");
  doc.AddNL("Below", 0, 0);
  doc.Format(false, false, false, 0, nullptr, false, false);
  TUVDrawLineInfo* line = doc.DrawItems->Get(doc.ItemToFirstDrawItem(1));
  EXPECT_EQ(line->Width, table->FormattingInfo->Width);
  EXPECT_EQ(line->Height, table->FormattingInfo->Height);
  EXPECT_EQ(table->FormattingInfo->Width, 700 - 10);
  // A table wider than the line widens the document.
  table->GetCells(0, 0)->BestWidth = 900;
  table->MarkChanged();
  doc.Format(false, false, false, 0, nullptr, false, false);
  EXPECT_GE(doc.DocumentWidth, 900);
  // A cell's content, laid out at its width, knows its place in the document.
  line = doc.DrawItems->Get(doc.ItemToFirstDrawItem(1));
  TUVTableCellData* cell = table->GetCells(0, 0);
  Integer x = 0, y = 0;
  cell->ConvertToRootCoords(x, y);
  EXPECT_EQ(x, line->Left + cell->Left + 1);
  EXPECT_EQ(y, line->Top + cell->Top + 1);
}

}  // namespace
