// Finding what lies under a point of a table: the cell (inside its box less a pixel, merged cells
// whole), the column and row borders and the table's edges with their reach, and the rectangle a
// cell selection covers.
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::NumberedTable;

class TableHits : public ::testing::Test {
protected:
  TableHits() {
    edit_test::SetUpStyles(style);
    doc.ClientWidth = 400;
    table = NumberedTable(3, 3, &doc);
    doc.AddItem(AnsiString(), table);
    doc.Format(false, false, false, 0, nullptr, false, false);
  }
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
  TUVTableItemInfo* table;
};

TEST_F(TableHits, TheCellUnderAPoint) {
  table->MergeCells(1, 1, 2, 2, true);
  table->MarkChanged();
  doc.Format(false, false, false, 0, nullptr, false, false);
  TUVTableCellData* merged = table->GetCells(1, 1);
  TUVTableCellData* first = table->GetCells(0, 0);
  struct Case {
    const char* Where;
    Integer X, Y;
    Integer Row, Col;  // -1: none
  } cases[] = {
      {"inside the first cell", first->Left + 5, first->Top + 5, 0, 0},
      {"the first cell's edge", first->Left, first->Top + 5, -1, -1},
      {"a pixel inside it", first->Left + 1, first->Top + 1, 0, 0},
      {"its right edge", first->Left + first->Width - 1, first->Top + 5, -1, -1},
      {"the frame", 0, 0, -1, -1},
      {"the merged cell's far corner", merged->Left + merged->Width - 2, merged->Top + merged->Height - 2, 1, 1},
      {"the merged cell's middle", merged->Left + merged->Width / 2, merged->Top + merged->Height / 2, 1, 1},
  };
  for (const Case& c : cases) {
    Integer row, col;
    bool found = table->GetCellAt(c.X, c.Y, row, col);
    EXPECT_EQ(found, c.Row >= 0) << c.Where;
    if (found) {
      EXPECT_EQ(row, c.Row) << c.Where;
      EXPECT_EQ(col, c.Col) << c.Where;
    }
  }
}

TEST_F(TableHits, BordersAreFoundWithinTheirReach) {
  // Spacing 2, no borders: an inner border lies a pixel before the next column and reaches
  // two pixels either way.
  const std::vector<Integer>& starts = table->FormattingInfo->ColStarts;
  Integer border = starts[1] - 1;
  struct Case {
    Integer X;
    Integer Border;
  } cases[] = {
      {border, 1}, {border - 2, 1}, {border + 2, 1}, {border - 3, -1}, {border + 3, -1},
      {1, 0},      {3, 0},          {4, -1},         {table->FormattingInfo->Width - 1, 3},
  };
  for (const Case& c : cases) {
    Integer limit, pos;
    EXPECT_EQ(table->FindColumnBorder(c.X, limit, pos), c.Border) << c.X;
    if (c.Border == 1) {
      EXPECT_EQ(limit, starts[0]);
      EXPECT_EQ(pos, starts[1] - 1);
    }
  }
  // Wider spacing and borders widen the reach: half the thickness.
  table->SetCellHSpacing(10);
  table->SetCellBorderWidth(2);
  table->MarkChanged();
  doc.Format(false, false, false, 0, nullptr, false, false);
  Integer inner = table->FormattingInfo->ColStarts[2] - 7;
  Integer limit, pos;
  EXPECT_EQ(table->FindColumnBorder(inner - 7, limit, pos), 2);
  EXPECT_EQ(table->FindColumnBorder(inner - 8, limit, pos), -1);
  Integer rowBorder = table->FormattingInfo->RowStarts[2] - 1;
  EXPECT_EQ(table->FindRowBorder(rowBorder, limit, pos), 2);
  EXPECT_EQ(limit, table->FormattingInfo->RowStarts[1]);
}

TEST_F(TableHits, TheSelectedRectangleCoversWholeMergedCells) {
  table->MergeCells(0, 0, 2, 2, true);
  struct Case {
    Integer StartRow, StartCol, RowOffs, ColOffs;
    Integer Top, Left, Rows, Cols;
  } cases[] = {
      {0, 0, 0, 2, 0, 0, 2, 3},  // from the merged cell to the end of its first row
      {2, 2, -1, -1, 0, 0, 3, 3},  // from the far corner up into the merged cell
      {2, 0, 0, 2, 2, 0, 1, 3},
      {1, 2, 1, 0, 1, 2, 2, 1},
  };
  for (const Case& c : cases) {
    table->Select(c.StartRow, c.StartCol, c.RowOffs, c.ColOffs);
    Integer top, left, rows, cols;
    ASSERT_TRUE(table->GetNormalizedSelectionBounds(false, top, left, rows, cols));
    EXPECT_EQ(std::vector<Integer>({top, left, rows, cols}), std::vector<Integer>({c.Top, c.Left, c.Rows, c.Cols}))
        << c.StartRow << "," << c.StartCol << " " << c.RowOffs << "," << c.ColOffs;
  }
  // A selection left by a grid that shrank under it is dropped.
  table->Select(2, 2, 0, 0);
  table->DeleteCols(1, 2, false);
  table->SelStartRow = 2;
  table->SelStartCol = 2;
  table->State |= uvtsCellsSelected;
  Integer top, left, rows, cols;
  EXPECT_FALSE(table->GetNormalizedSelectionBounds(false, top, left, rows, cols));
  EXPECT_FALSE(table->HasPartialSelection());
}

}  // namespace
