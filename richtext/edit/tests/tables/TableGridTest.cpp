// The grid of a table: the cell that covers a position, merging (its checks, its best width and
// the content of the absorbed cells), inserting columns and rows with copied attributes, deleting
// columns with the cells cut at the range's edges, and random sequences of all of these on tables
// in an editor's document, each undone and redone back to the grid it started from.
#include <functional>
#include <random>

#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "richtext/edit/UVTableUndo.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::CellText;
using table_test::CheckGrid;
using table_test::DescribeGrid;
using table_test::NumberedTable;
using table_test::SetCellText;

class TableGrid : public ::testing::Test {
protected:
  TableGrid() {
    edit_test::SetUpStyles(style);
    doc.ClientWidth = 600;
  }
  // Puts a table between two paragraphs of the document, laid out.
  TUVTableItemInfo* Insert(TUVTableItemInfo* Table) {
    doc.AddNL("Before", 0, 0);
    doc.AddItem(AnsiString(), Table);
    doc.AddNL("After", 0, 0);
    doc.Format(false, false, false, 0, nullptr, false, false);
    return Table;
  }
  TUVTableItemInfo* Inserted(Integer Rows, Integer Cols) { return Insert(NumberedTable(Rows, Cols, &doc)); }
  void UndoAll() {
    while (doc.UndoList->GetCount() > 0) edit_test::Undo(doc);
  }
  void RedoAll() {
    while (doc.RedoList->GetCount() > 0) edit_test::Redo(doc);
  }

  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
};

TEST_F(TableGrid, ANewTableHasEmptyCellsAndTheDefaults) {
  TUVTableItemInfo* table = Inserted(3, 4);
  EXPECT_EQ(table->StyleNo, -60);
  EXPECT_EQ(table->GetRowCount(), 3);
  EXPECT_EQ(table->GetColCount(), 4);
  EXPECT_EQ(table->GetOptions().Bits(), 31u);
  EXPECT_EQ(table->GetPrintOptions().Bits(), 3u);
  EXPECT_EQ(table->TextRowSeparator, "\r\n");
  EXPECT_EQ(table->TextColSeparator, "\r\n");
  EXPECT_EQ(CheckGrid(table), "");
  TUVTableItemInfo one(nullptr);
  ASSERT_EQ(one.GetRowCount(), 1);
  ASSERT_EQ(one.GetColCount(), 1);
  TUVTableCellData* cell = one.GetCells(0, 0);
  ASSERT_EQ(cell->GetItemCount(), 1);
  EXPECT_EQ(cell->GetItemStyle(0), 0);
  EXPECT_EQ(cell->GetItemPara(0), 0);
  EXPECT_EQ(cell->GetItemText(0), "");
  EXPECT_FALSE(cell->HasData(true));
  // A cell takes its row's alignment until it has its own; a row without one gives the middle.
  EXPECT_EQ(cell->VAlign, uvcVDefault);
  EXPECT_EQ(cell->GetVAlign(), uvcTop);
  cell->GetRow()->VAlign = uvcVDefault;
  EXPECT_EQ(cell->GetVAlign(), uvcMiddle);
  cell->VAlign = uvcBottom;
  EXPECT_EQ(cell->GetVAlign(), uvcBottom);
}

TEST_F(TableGrid, HasDataTellsAnEmptyCellFromOneWithContent) {
  TUVTableItemInfo table(nullptr);
  TUVTableCellData* cell = table.GetCells(0, 0);
  struct Case {
    const char* Text;
    Integer StyleNo, ParaNo;
    bool Strict, Loose;
  } cases[] = {
      {"", 0, 0, false, false},
      {"", 1, 0, true, false},
      {"", 0, 2, true, false},
      {"x", 0, 0, true, true},
  };
  for (const Case& c : cases) {
    cell->Clear();
    cell->AddNL(c.Text, c.StyleNo, c.ParaNo);
    EXPECT_EQ(cell->HasData(true), c.Strict) << c.Text << " " << c.StyleNo << " " << c.ParaNo;
    EXPECT_EQ(cell->HasData(false), c.Loose) << c.Text << " " << c.StyleNo << " " << c.ParaNo;
  }
  cell->Clear();
  EXPECT_FALSE(cell->HasData(true));
  cell->AddNL("a", 0, 0);
  cell->AddNL("", 0, 0);
  EXPECT_TRUE(cell->HasData(false));
}

TEST_F(TableGrid, TheCoveringCellOfEveryPosition) {
  TUVTableItemInfo* table = Inserted(4, 4);
  table->MergeCells(1, 1, 2, 2, true);
  table->MergeCells(0, 3, 1, 3, true);
  ASSERT_EQ(CheckGrid(table), "");
  struct Case {
    Integer Row, Col, MainRow, MainCol;
  } cases[] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {1, 2, 1, 1}, {2, 1, 1, 1}, {2, 2, 1, 1},
               {2, 3, 0, 3}, {1, 3, 0, 3}, {3, 3, 3, 3}, {2, 0, 2, 0}, {3, 2, 3, 2}};
  for (const Case& c : cases) {
    Integer mr, mc;
    TUVTableCellData* cell = table->Rows->GetMainCell(c.Row, c.Col, mr, mc);
    EXPECT_EQ(cell, table->GetCells(c.MainRow, c.MainCol)) << c.Row << "," << c.Col;
    EXPECT_EQ(mr, c.MainRow) << c.Row << "," << c.Col;
    EXPECT_EQ(mc, c.MainCol) << c.Row << "," << c.Col;
  }
}

// What walks an item's documents gets the cells in reading order, merged cells once, each with
// a position of its own to go on from.
TEST_F(TableGrid, CellsAreHandedOutInReadingOrder) {
  TUVTableItemInfo* table = Inserted(3, 3);
  table->MergeCells(0, 1, 2, 1, true);
  table->MergeCells(1, 0, 1, 2, true);
  ASSERT_EQ(CheckGrid(table), "");
  auto walk = [&](bool Forward) {
    std::vector<std::string> texts;
    UVForEachSubDocument(table, Forward, [&](TCustomUVFormattedData* Cell) {
      texts.push_back(CellText(static_cast<TUVTableCellData*>(Cell)));
      return false;
    });
    return texts;
  };
  // The first cell handed out from a position, its text.
  auto from = [&](TUVSubDocumentPosition Position) {
    TUVStoreSubUVData* state = nullptr;
    TCustomUVFormattedData* cell = table->GetSubDocument(state, Position);
    delete state;
    return cell ? CellText(static_cast<TUVTableCellData*>(cell)) : std::string("none");
  };
  const std::vector<std::string> order = {"0,0", "0,1|0,2", "1,0|2,0", "1,1", "1,2", "2,1", "2,2"};
  EXPECT_EQ(walk(true), order);
  EXPECT_EQ(walk(false), std::vector<std::string>(order.rbegin(), order.rend()));
  // The selected cells' first and last, else the chosen cell, else none.
  EXPECT_EQ(from(uvsdChosenUp), "none");
  table->ChosenRow = 1;
  table->ChosenCol = 2;
  EXPECT_EQ(from(uvsdChosenUp), "1,2");
  EXPECT_EQ(from(uvsdChosenDown), "1,2");
  table->Select(0, 1, 1, 1);
  EXPECT_EQ(from(uvsdChosenUp), "0,1|0,2");
  EXPECT_EQ(from(uvsdChosenDown), "1,2");
  table->Deselect();
  // A stored position names its cell, which becomes the document's chosen one.
  TUVTableStoreSubUVData at(2, 2);
  EXPECT_EQ(table->ChooseSubDocument(&at), table->GetCells(2, 2));
  EXPECT_EQ(doc.GetChosenData(), table->GetCells(2, 2));
  TUVTableStoreSubUVData outside(3, 0);
  EXPECT_EQ(table->ChooseSubDocument(&outside), nullptr);
}

TEST_F(TableGrid, MergingAbsorbsTheCellsAndTheirText) {
  TUVTableItemInfo* table = Inserted(3, 3);
  SetCellText(table->GetCells(1, 1), "");
  table->MergeCells(0, 0, 2, 2, false);
  EXPECT_EQ(CheckGrid(table), "");
  TUVTableCellData* main = table->GetCells(0, 0);
  EXPECT_EQ(main->ColSpan, 2);
  EXPECT_EQ(main->RowSpan, 2);
  // An empty cell gives nothing.
  EXPECT_EQ(CellText(main), "0,0|0,1|1,0");
  EXPECT_EQ(doc.Beeps, 0);
  EXPECT_EQ(doc.UndoList->GetCount(), 1);
  EXPECT_EQ(doc.UndoList->LastUndoType(), uvutModifyTable);
}

TEST_F(TableGrid, MergesThatChangeNothingOrAreRefused) {
  TUVTableItemInfo* table = Inserted(2, 3);
  table->MergeCells(0, 1, 2, 1, true);
  std::vector<std::string> before = DescribeGrid(table);
  doc.UndoList->Clear();
  // Nothing to merge: silent.
  table->MergeCells(1, 1, 1, 1, false);
  table->MergeCells(0, 1, 2, 1, false);
  table->MergeCells(0, 1, 1, 1, false);
  EXPECT_EQ(doc.Beeps, 0);
  // A rectangle that cuts the merged cell: refused with a beep.
  table->MergeCells(0, 0, 2, 2, true);
  EXPECT_EQ(doc.Beeps, 1);
  table->MergeCells(1, 1, 2, 1, true);
  EXPECT_EQ(doc.Beeps, 1) << "the bottom row's cells merge";
  EXPECT_NE(DescribeGrid(table), before);
  EXPECT_EQ(CheckGrid(table), "");
  for (auto [colSpan, rowSpan] : {std::pair{0, 2}, std::pair{2, 0}, std::pair{-1, 3}}) {
    try {
      table->MergeCells(0, 0, colSpan, rowSpan, true);
      ADD_FAILURE() << colSpan << "x" << rowSpan << ": no error";
    } catch (const EUzurUvadError& e) {
      EXPECT_EQ(e.Message, "Parameters for cell merging are not correct");
    }
  }
}

TEST_F(TableGrid, AMergeThatLeavesAColumnWithoutACellNeedsPermission) {
  TUVTableItemInfo* table = Inserted(2, 2);
  // The second row merged, the first row merged too would leave column 1 without a cell.
  table->MergeCells(1, 0, 2, 1, false);
  ASSERT_EQ(table->GetCells(1, 0)->ColSpan, 2);
  table->MergeCells(0, 0, 2, 1, false);
  EXPECT_EQ(doc.Beeps, 1);
  EXPECT_EQ(table->GetCells(0, 0)->ColSpan, 1);
  table->MergeCells(0, 0, 2, 1, true);
  EXPECT_EQ(table->GetCells(0, 0)->ColSpan, 2);
  EXPECT_EQ(CheckGrid(table), "");
  // The same for a row without a cell of its own.
  TUVTableItemInfo* other = NumberedTable(2, 2, nullptr);
  other->Rows->MergeCells(0, 1, 1, 2, false, true);
  ASSERT_EQ(other->GetCells(0, 1)->RowSpan, 2);
  other->Rows->MergeCells(0, 0, 1, 2, false, true);
  EXPECT_EQ(other->GetCells(0, 0)->RowSpan, 1);
  other->Rows->MergeCells(0, 0, 1, 2, true, true);
  EXPECT_EQ(other->GetCells(0, 0)->RowSpan, 2);
  EXPECT_EQ(CheckGrid(other), "");
  delete other;
}

TEST_F(TableGrid, TheMergedCellsBestWidth) {
  struct Case {
    std::vector<std::vector<TUVHTMLLength>> Widths;
    TUVHTMLLength Merged;
  } cases[] = {
      {{{40, -30}}, -30},
      {{{40, 60}}, 100},
      {{{-30, 40}}, -30},
      {{{-30, -20}}, -50},
      {{{40, 60}, {50, 70}}, 120},
      {{{40, 60}, {-10, 0}}, -10},
      {{{-10, 0}, {-20, 5}}, -20},
      {{{0, 0}}, 0},
  };
  for (const Case& c : cases) {
    Integer rows = static_cast<Integer>(c.Widths.size());
    Integer cols = static_cast<Integer>(c.Widths[0].size());
    TUVTableItemInfo table(rows, cols, nullptr);
    for (Integer r = 0; r < rows; ++r)
      for (Integer k = 0; k < cols; ++k)
        table.GetCells(r, k)->BestWidth = c.Widths[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
    table.Rows->MergeCells(0, 0, cols, rows, true, true);
    EXPECT_EQ(table.GetCells(0, 0)->BestWidth, c.Merged) << ::testing::PrintToString(c.Widths);
  }
}

TEST_F(TableGrid, InsertingColumnsInsideAMergedCellWidensIt) {
  TUVTableItemInfo* table = Inserted(3, 4);
  table->MergeCells(0, 0, 3, 2, true);
  table->InsertCols(1, 2, -1, false);
  EXPECT_EQ(CheckGrid(table), "");
  EXPECT_EQ(table->GetColCount(), 6);
  EXPECT_EQ(table->GetCells(0, 0)->ColSpan, 5);
  for (Integer r = 0; r < 2; ++r)
    for (Integer c = 1; c < 5; ++c) EXPECT_EQ(table->GetCells(r, c), nullptr) << r << "," << c;
  // The row below the merged cell gets new cells.
  EXPECT_EQ(CellText(table->GetCells(2, 1)), "");
  EXPECT_EQ(CellText(table->GetCells(2, 3)), "2,1");
  // At the column count the columns are appended.
  table->InsertCols(6, 1, -1, false);
  EXPECT_EQ(table->GetColCount(), 7);
  EXPECT_EQ(CellText(table->GetCells(2, 5)), "2,3");
  EXPECT_EQ(CheckGrid(table), "");
}

TEST_F(TableGrid, InsertedColumnsAndRowsCopyTheirSourcesAttributes) {
  TUVTableItemInfo* table = Inserted(3, 3);
  TUVTableCellData* source = table->GetCells(1, 1);
  source->SetCellColor(clRed);
  source->BestWidth = 90;
  source->BestHeight = 30;
  source->BorderColor = clBlue;
  source->VAlign = uvcBottom;
  source->GetVisibleBorders()->Left = false;
  table->MergeCells(1, 1, 2, 2, true);
  // Copying column 1 (which the merged cell starts): BestWidth divided by its ColSpan, the row span taken.
  table->InsertCols(1, 1, 1, false);
  ASSERT_EQ(CheckGrid(table), "");
  TUVTableCellData* copy = table->GetCells(1, 1);
  EXPECT_EQ(copy->GetCellColor(), clRed);
  EXPECT_EQ(copy->BestWidth, 45);
  EXPECT_EQ(copy->BestHeight, 30);
  EXPECT_EQ(copy->BorderColor, clBlue);
  EXPECT_EQ(copy->VAlign, uvcBottom);
  EXPECT_FALSE(copy->GetVisibleBorders()->Left);
  EXPECT_EQ(copy->RowSpan, 2);
  EXPECT_EQ(table->GetCells(2, 1), nullptr);
  // Rows inserted before the source row copy the row that was at the index, now below them:
  // BestHeight divided by the source's RowSpan, its ColSpan taken.
  table->InsertRows(1, 1, 1, false);
  ASSERT_EQ(CheckGrid(table), "");
  EXPECT_EQ(table->GetRowCount(), 4);
  TUVTableCellData* rowCopy = table->GetCells(1, 2);
  ASSERT_NE(rowCopy, nullptr);
  EXPECT_EQ(rowCopy->GetCellColor(), clRed);
  EXPECT_EQ(rowCopy->BestHeight, 15);
  EXPECT_EQ(rowCopy->BestWidth, 90);
  EXPECT_EQ(rowCopy->ColSpan, 2);
  EXPECT_EQ(table->GetCells(1, 3), nullptr);
  EXPECT_EQ(CellText(table->GetCells(2, 2)), "1,1|1,2|2,1|2,2");
}

TEST_F(TableGrid, BadIndexesRaiseBeforeAnythingChanges) {
  TUVTableItemInfo* table = Inserted(2, 3);
  std::vector<std::string> before = DescribeGrid(table);
  struct Case {
    const char* What;
    std::function<void()> Call;
  } cases[] = {
      {"column -1", [&] { table->InsertCols(-1, 1, -1, false); }},
      {"column past the end", [&] { table->InsertCols(4, 1, -1, false); }},
      {"copy column past the end", [&] { table->InsertCols(0, 1, 3, false); }},
      {"row past the end", [&] { table->InsertRows(3, 1, -1, false); }},
      {"copy row -2", [&] { table->InsertRows(0, 1, -2, false); }},
      {"delete at the column count", [&] { table->DeleteCols(3, 1, false); }},
      {"delete none", [&] { table->DeleteCols(1, 0, false); }},
      {"delete more than all from 0", [&] { table->DeleteCols(0, 4, false); }},
  };
  for (const Case& c : cases) {
    try {
      c.Call();
      ADD_FAILURE() << c.What << ": no error";
    } catch (const EUzurUvadError& e) {
      EXPECT_EQ(e.Message, "Invalid row or column index") << c.What;
    }
    EXPECT_EQ(DescribeGrid(table), before) << c.What;
  }
}

TEST_F(TableGrid, DeletingColumnsCutsCellsAtTheRangesEdges) {
  struct Case {
    const char* What;
    Integer Index, Count;
    Integer ColCount;
    std::vector<std::string> Row0;  // spans of row 0's slots, "-" for covered
  } cases[] = {
      {"the middle of a cell over three", 2, 1, 4, {"1x1", "1x2", "-", "1x1"}},
      {"the last two of a cell over three", 2, 2, 3, {"1x1", "1x1", "1x1"}},
      {"the first of a cell over three: the rest is a new cell", 1, 1, 4, {"1x1", "1x2", "-", "1x1"}},
      {"from 1 on, the count cut to the columns there", 1, 9, 1, {"1x1"}},
  };
  for (const Case& c : cases) {
    TUVTableItemInfo* table = NumberedTable(2, 5, nullptr);
    table->Rows->MergeCells(0, 1, 3, 1, true, true);
    table->DeleteCols(c.Index, c.Count, false);
    EXPECT_EQ(CheckGrid(table), "") << c.What;
    EXPECT_EQ(table->GetColCount(), c.ColCount) << c.What;
    std::vector<std::string> row0;
    for (Integer k = 0; k < table->GetColCount(); ++k) {
      TUVTableCellData* cell = table->GetCells(0, k);
      row0.push_back(cell ? std::to_string(cell->RowSpan) + "x" + std::to_string(cell->ColSpan) : "-");
    }
    EXPECT_EQ(row0, c.Row0) << c.What;
    delete table;
  }
}

TEST_F(TableGrid, DeletingColumnsWithDecreaseWidthScalesTheCutCells) {
  TUVTableItemInfo* table = NumberedTable(1, 5, nullptr);
  table->GetCells(0, 0)->BestWidth = 300;
  table->Rows->MergeCells(0, 0, 3, 1, true, false);
  table->GetCells(0, 3)->BestWidth = 100;
  table->Rows->MergeCells(0, 3, 2, 1, true, false);
  table->GetCells(0, 3)->BestWidth = 100;
  // Columns 2 and 3: the left cell keeps 2 of its 3 columns, the right cell is cut at column 4.
  table->DeleteCols(2, 2, true);
  ASSERT_EQ(CheckGrid(table), "");
  EXPECT_EQ(table->GetCells(0, 0)->ColSpan, 2);
  EXPECT_EQ(table->GetCells(0, 0)->BestWidth, 200);
  EXPECT_EQ(table->GetCells(0, 2)->ColSpan, 1);
  EXPECT_EQ(table->GetCells(0, 2)->BestWidth, 50);
  delete table;
}

// Random merges, inserts and deletes on tables in an editor: the grid stays sound after every
// step, undoing everything gives the grid back exactly, and redoing everything the grid reached.
TEST_F(TableGrid, ChangesOfATableInACellAreUndoneAndRedoneInTheEditorsDocument) {
  // A 2 x 2 table whose cell 1,1 holds a 2 x 3 table, two deep: that table's cell 0,0 holds a
  // 2 x 2 table of its own.
  TUVTableItemInfo* outer = Inserted(2, 2);
  TUVTableCellData* holder = outer->GetCells(1, 1);
  TUVTableItemInfo* inner = NumberedTable(2, 3, holder);
  holder->AddItem(AnsiString(), inner);
  TUVTableCellData* deepHolder = inner->GetCells(0, 0);
  TUVTableItemInfo* deep = NumberedTable(2, 2, deepHolder);
  deepHolder->AddItem(AnsiString(), deep);
  outer->MarkChanged();
  doc.Format(false, true, false, 0, nullptr, false, false);
  doc.UndoList->Clear();
  const std::vector<std::string> originalInner = DescribeGrid(inner), originalDeep = DescribeGrid(deep);
  struct Case {
    const char* Name;
    TUVTableItemInfo* Table;
    std::function<void()> Change;
  } cases[] = {
      {"merging", inner, [&] { inner->MergeCells(0, 1, 2, 2, true); }},
      {"inserting rows", inner, [&] { inner->InsertRows(1, 2, 0, false); }},
      {"inserting columns", inner, [&] { inner->InsertCols(3, 1, 2, false); }},
      {"deleting columns", inner, [&] { inner->DeleteCols(1, 1, false); }},
      {"a table property", inner, [&] { inner->SetCellPadding(6); }},
      {"a cell property", inner, [&] { inner->SetCellIntProperty("Color", clYellow, 1, 2, false, false); }},
      {"copied cell attributes", inner,
       [&] { inner->AssignCellAttributes(0, 2, inner->GetCells(1, 2), true, 1, 1); }},
      {"merging two tables deep", deep, [&] { deep->MergeCells(0, 0, 2, 1, true); }},
      {"a property two tables deep", deep, [&] { deep->SetBorderWidth(3); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto describe = [&] {
      std::vector<std::string> grid = DescribeGrid(c.Table);
      grid.push_back("padding " + std::to_string(c.Table->GetCellPadding()) + " border " +
                     std::to_string(c.Table->GetTableBorderWidth()));
      return grid;
    };
    std::vector<std::string> before = describe();
    Integer actions = doc.UndoList->GetCount();
    c.Change();
    std::vector<std::string> after = describe();
    ASSERT_NE(after, before);
    EXPECT_EQ(CheckGrid(c.Table), "");
    // One action of the editor's document, the grid still in the cell that holds it.
    ASSERT_EQ(doc.UndoList->GetCount(), actions + 1);
    EXPECT_EQ(doc.UndoList->LastUndoType(), uvutModifyTable);
    EXPECT_EQ(holder->GetItem(holder->GetItemCount() - 1), inner);
    EXPECT_EQ(deepHolder->GetItem(deepHolder->GetItemCount() - 1), deep);
    edit_test::Undo(doc);
    EXPECT_EQ(describe(), before);
    EXPECT_EQ(CheckGrid(c.Table), "");
    edit_test::Redo(doc);
    EXPECT_EQ(describe(), after);
    EXPECT_EQ(edit_test::CheckLayout(doc), "");
  }
  // Everything taken back, the last change first.
  UndoAll();
  EXPECT_EQ(DescribeGrid(inner), originalInner);
  EXPECT_EQ(DescribeGrid(deep), originalDeep);
}

TEST_F(TableGrid, RandomChangesKeepTheGridSoundAndUndoExactly) {
  for (unsigned round = 1; round <= 16; ++round) {
    TUVStyle sheet(nullptr);
    edit_test::SetUpStyles(sheet);
    TUVWindowlessEditData data(&sheet);
    data.ClientWidth = 500;
    std::mt19937 rng(round);
    auto random = [&](Integer Low, Integer High) { return std::uniform_int_distribution<Integer>(Low, High)(rng); };
    TUVTableItemInfo* table = NumberedTable(random(2, 5), random(2, 5), &data);
    const TUVHTMLLength widths[] = {0, 0, 30, 60, -20, -35};
    for (Integer r = 0; r < table->GetRowCount(); ++r)
      for (Integer c = 0; c < table->GetColCount(); ++c) {
        TUVTableCellData* cell = table->GetCells(r, c);
        cell->BestWidth = widths[random(0, 5)];
        if (random(0, 3) == 0) cell->SetCellColor(random(0, 1) ? clYellow : clAqua);
        if (random(0, 4) == 0) SetCellText(cell, "");
      }
    data.AddNL("Before", 0, 0);
    data.AddItem(AnsiString(), table);
    data.AddNL("After", 0, 0);
    data.Format(false, false, false, 0, nullptr, false, false);
    std::vector<std::string> initial = DescribeGrid(table);
    std::string trace;
    for (Integer step = 0; step < 40; ++step) {
      Integer rows = table->GetRowCount();
      Integer cols = table->GetColCount();
      Integer op = random(0, 9);
      std::ostringstream what;
      try {
      if (op < 4 && rows > 0 && cols > 0) {
        Integer top = random(0, rows - 1), left = random(0, cols - 1);
        Integer colSpan = random(1, 3), rowSpan = random(1, 3);
        bool allow = random(0, 1) == 1;
        what << "merge " << top << "," << left << " " << colSpan << "x" << rowSpan << (allow ? " allowed" : "");
        table->MergeCells(top, left, colSpan, rowSpan, allow);
      } else if (op < 6) {
        Integer index = random(0, cols), count = random(1, 2), copy = random(-1, cols - 1);
        what << "insert columns " << index << " " << count << " copying " << copy;
        table->InsertCols(index, count, copy, false);
      } else if (op < 8) {
        Integer index = random(0, rows), count = random(1, 2), copy = random(-1, rows - 1);
        what << "insert rows " << index << " " << count << " copying " << copy;
        table->InsertRows(index, count, copy, false);
      } else if (cols > 1) {
        Integer index = random(0, cols - 1);
        Integer count = random(1, std::max(1, std::min(2, cols - index - (index == 0 ? 1 : 0))));
        bool decrease = random(0, 1) == 1;
        what << "delete columns " << index << " " << count << (decrease ? " narrowing" : "");
        table->DeleteCols(index, count, decrease);
      }
      } catch (const std::exception& e) {
        FAIL() << "round " << round << ": " << e.what() << " in\n" << trace << what.str();
      }
      trace += what.str() + "\n";
      ASSERT_EQ(CheckGrid(table), "") << "round " << round << " after\n" << trace;
      if (step % 5 == 0) {
        try {
          data.Format(false, false, false, 0, nullptr, false, false);
        } catch (const std::exception& e) {
          FAIL() << "round " << round << ": formatting: " << e.what() << " after\n" << trace;
        }
      }
    }
    std::vector<std::string> reached = DescribeGrid(table);
    Integer actions = data.UndoList->GetCount();
    // Performs every action of a list, the grid sound after each.
    auto performAll = [&](TUVUndoList* List, const char* What) {
      while (List->GetCount() > 0) {
        try {
          if (List == data.UndoList)
            edit_test::Undo(data);
          else
            edit_test::Redo(data);
        } catch (const std::exception& e) {
          FAIL() << "round " << round << ": " << What << ": " << e.what() << " after\n" << trace;
        }
        ASSERT_EQ(CheckGrid(table), "") << "round " << round << " " << What << "\n" << trace;
      }
    };
    performAll(data.UndoList, "undoing");
    EXPECT_EQ(DescribeGrid(table), initial) << "round " << round << "\n" << trace;
    EXPECT_EQ(edit_test::CheckLayout(data), "") << "round " << round;
    EXPECT_EQ(data.RedoList->GetCount(), actions);
    performAll(data.RedoList, "redoing");
    EXPECT_EQ(DescribeGrid(table), reached) << "round " << round << "\n" << trace;
    EXPECT_EQ(edit_test::CheckLayout(data), "") << "round " << round;
  }
}

TEST_F(TableGrid, AChangeOfATableOutsideAnEditorRecordsNothing) {
  TUVTableItemInfo table(2, 2, nullptr);
  table.MergeCells(0, 0, 2, 1, true);
  table.InsertRows(0, 1, -1, false);
  table.DeleteCols(0, 1, false);
  EXPECT_EQ(CheckGrid(&table), "");
  EXPECT_EQ(table.GetRowCount(), 3);
  EXPECT_EQ(table.GetColCount(), 1);
}

}  // namespace
