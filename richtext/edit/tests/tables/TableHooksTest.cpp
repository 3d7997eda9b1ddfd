// What a table's document asks of it: the neighbouring cell in each direction, searching that
// walks the cells in reading order and goes on after the table, the grid's plain text, emptying
// the selected cells as one undoable change, and the rows merged cells join.
#include "classlib/Streams.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using table_test::CellText;
using table_test::NumberedTable;
using table_test::SetCellText;

class TableHooks : public ::testing::Test {
protected:
  TableHooks() {
    edit_test::SetUpStyles(style);
    doc.ClientWidth = 400;
  }
  // "before", a table of Rows x Cols cells reading "r,c", "after".
  TUVTableItemInfo* AddTable(Integer Rows, Integer Cols) {
    doc.AddNL("before", 0, 0);
    table = NumberedTable(Rows, Cols, &doc);
    doc.AddItem(AnsiString(), table);
    doc.AddNL("after", 0, 0);
    Format();
    return table;
  }
  void Format() { doc.Format(false, false, false, 0, nullptr, false, false); }
  // The position of the chosen cell, "none" without one, "doc" when the document holds the hit.
  std::string Found() {
    if (doc.GetChosenData() == nullptr) return "doc:" + doc.GetSelText(false);
    Integer r, c;
    table->FindCellPosition(static_cast<TUVTableCellData*>(doc.GetChosenData()), r, c);
    return std::to_string(r) + "," + std::to_string(c) + ":" + doc.GetChosenData()->GetSelText(false);
  }
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
  TUVTableItemInfo* table = nullptr;
};

TEST_F(TableHooks, TheNeighbouringCellInEachDirection) {
  // 0,0 0,1 0,2
  // 1,0 [1,1 over 2x2]
  // 2,0
  AddTable(3, 3);
  table->MergeCells(1, 1, 2, 2, true);
  struct Case {
    Integer Row, Col, Direction;
    bool Found;
    Integer NewRow, NewCol;
  } cases[] = {
      {0, 0, 0, false, -1, -1}, {0, 0, 1, false, -1, -1}, {0, 0, 2, true, 0, 1}, {0, 0, 3, true, 1, 0},
      {0, 2, 2, false, -1, -1}, {0, 2, 3, true, 1, 1},    {1, 0, 2, true, 1, 1}, {2, 0, 2, true, 1, 1},
      {1, 1, 2, false, -1, -1}, {1, 1, 3, false, -1, -1}, {1, 1, 1, true, 0, 1}, {1, 1, 0, true, 1, 0},
      {2, 2, 0, true, 2, 0},    {0, 2, 6, true, 1, 0},    {1, 0, 6, true, 1, 1}, {1, 1, 6, true, 2, 0},
      {2, 0, 6, false, -1, -1}, {2, 0, 7, true, 1, 1},    {1, 1, 7, true, 1, 0}, {0, 0, 7, false, -1, -1},
      {0, 0, 4, false, -1, -1},
  };
  for (const Case& c : cases) {
    Integer r = 9, col = 9;
    EXPECT_EQ(table->GetCellNeighbour(c.Row, c.Col, c.Direction, r, col), c.Found)
        << c.Row << "," << c.Col << " direction " << c.Direction;
    EXPECT_EQ(r, c.NewRow) << c.Row << "," << c.Col << " direction " << c.Direction;
    EXPECT_EQ(col, c.NewCol) << c.Row << "," << c.Col << " direction " << c.Direction;
  }
}

TEST_F(TableHooks, SearchingVisitsTheCellsInReadingOrderAndGoesOnAfterTheTable) {
  struct Case {
    const char* Name;
    bool Merge;
    bool Down;
    std::vector<std::string> Hits;
  } cases[] = {
      {"down", false, true, {"0,0:x", "0,1:x", "1,0:x", "1,1:x", "doc:x"}},
      {"up", false, false, {"1,1:x", "1,0:x", "0,1:x", "0,0:x", "doc:x"}},
      // The merged cell took in the text of both cells: two paragraphs.
      {"a merged cell once", true, true, {"0,0:x", "0,1:x", "1,0:x", "1,0:x", "doc:x"}},
  };
  for (const Case& c : cases) {
    doc.Clear();
    AddTable(2, 2);
    for (Integer r = 0; r < 2; ++r)
      for (Integer col = 0; col < 2; ++col) SetCellText(table->GetCells(r, col), "x");
    doc.SetItemText(0, "x before");
    doc.SetItemText(2, "after x");
    if (c.Merge) table->MergeCells(1, 0, 2, 1, true);
    table->MarkChanged();
    Format();
    // The caret at the start (down) or the end (up) of the document.
    // The caret between the table and the x of the paragraph next to it.
    if (c.Down)
      edit_test::SetCaret(doc, 0, 3);
    else
      edit_test::SetCaret(doc, 2, 1);
    ASSERT_EQ(doc.GetSelText(false), "") << c.Name;
    std::vector<std::string> hits;
    for (std::size_t i = 0; i < c.Hits.size(); ++i) {
      if (!doc.SearchText(c.Down, false, "X", false)) break;
      hits.push_back(Found());
    }
    EXPECT_EQ(hits, c.Hits) << c.Name;
    EXPECT_FALSE(doc.SearchText(c.Down, false, "X", false)) << c.Name;
  }
}

TEST_F(TableHooks, ThePlainTextOfTheGrid) {
  AddTable(2, 3);
  table->MergeCells(0, 1, 2, 1, true);
  table->TextColSeparator = "|";
  table->TextRowSeparator = ";\r\n";
  auto text = [&](bool Unicode) {
    TMemoryStream stream;
    doc.SaveTextToStream(&stream, AnsiString(), 80, false, false, Unicode);
    return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  };
  // The merged cell holds the text of both cells it took in.
  EXPECT_EQ(text(false), "before\r\n0,0|0,1\r\n0,2;\r\n1,0|1,1|1,2;\r\n\r\nafter");
  AnsiString wide = text(true);
  ASSERT_EQ(wide.size() % 2, 0u);
  AnsiString narrow;
  for (std::size_t i = 0; i < wide.size(); i += 2) {
    EXPECT_EQ(wide[i + 1], '\0');
    narrow += wide[i];
  }
  EXPECT_EQ(narrow, text(false));
}

TEST_F(TableHooks, ClearingTheSelectedCellsUndoesAndRedoes) {
  AddTable(3, 3);
  table->GetCells(1, 1)->SetCellColor(clRed);
  table->GetCells(1, 1)->BestWidth = 40;
  table->MergeCells(1, 1, 2, 1, true);
  const std::vector<std::string> before = table_test::DescribeGrid(table);
  table->Select(0, 1, 1, 1);
  ASSERT_TRUE(table->CanClearSelectedCells());
  doc.UndoList->Clear();
  table->ClearSelectedCells();
  EXPECT_EQ(table_test::CheckGrid(table), "");
  for (auto [r, c] : std::vector<std::pair<Integer, Integer>>{{0, 1}, {0, 2}, {1, 1}})
    EXPECT_EQ(CellText(table->GetCells(r, c)), "") << r << "," << c;
  EXPECT_EQ(CellText(table->GetCells(0, 0)), "0,0");
  EXPECT_EQ(table->GetCells(1, 1)->GetCellColor(), clRed);
  EXPECT_EQ(table->GetCells(1, 1)->BestWidth, 40);
  EXPECT_EQ(table->GetCells(1, 1)->ColSpan, 2);
  EXPECT_EQ(doc.UndoList->GetCount(), 1);
  const std::vector<std::string> cleared = table_test::DescribeGrid(table);
  doc.UndoList->Undo(&doc);
  EXPECT_EQ(table_test::DescribeGrid(table), before);
  EXPECT_EQ(table_test::CheckGrid(table), "");
  doc.RedoList->Redo(&doc);
  EXPECT_EQ(table_test::DescribeGrid(table), cleared);
}

TEST_F(TableHooks, CellsAreClearedOnlyWhereEditingIsAllowed) {
  AddTable(2, 2);
  // Without a selection of cells, nothing.
  EXPECT_FALSE(table->CanClearSelectedCells());
  table->Select(0, 0, 1, 1);
  // The owner refuses one cell: the others are cleared.
  table->OnCellEditing = TUVCellEditingEvent::FromFunction(
      [](TUVTableItemInfo*, Integer Row, Integer Col, bool, bool& Allow) { Allow = !(Row == 0 && Col == 0); });
  table->ClearSelectedCells();
  EXPECT_EQ(CellText(table->GetCells(0, 0)), "0,0");
  EXPECT_EQ(CellText(table->GetCells(1, 1)), "");
  // A read-only editor or a table without editing clears nothing.
  SetCellText(table->GetCells(0, 1), "again");
  doc.ReadOnly = true;
  EXPECT_FALSE(table->CanClearSelectedCells());
  doc.ReadOnly = false;
  table->SetOptions(TUVTableOptions(table->GetOptions()).Exclude(uvtoEditing));
  EXPECT_FALSE(table->CanClearSelectedCells());
}

TEST_F(TableHooks, HeadingRowsAndTheRowsMergedCellsJoin) {
  AddTable(6, 2);
  table->MergeCells(1, 0, 1, 2, true);  // rows 1-2
  table->MergeCells(3, 1, 1, 3, true);  // rows 3-5
  struct Case {
    Integer HeadingRows;
    bool Valid;
  } headings[] = {{0, false}, {1, true}, {2, false}, {3, true}, {4, false}, {5, false}, {9, true}};
  for (const Case& c : headings) {
    table->SetHeadingRowCount(c.HeadingRows);
    EXPECT_EQ(table->HeadingRowsValid(), c.Valid) << c.HeadingRows;
  }
  struct Range {
    Integer Row, Down, Up;
  } ranges[] = {{0, 0, 0}, {1, 2, 1}, {2, 2, 1}, {3, 5, 3}, {4, 5, 3}, {5, 5, 3}};
  for (const Range& r : ranges) {
    EXPECT_EQ(table->ExtendRowRangeDown(r.Row), r.Down) << r.Row;
    EXPECT_EQ(table->ExtendRowRangeUp(r.Row), r.Up) << r.Row;
  }
}

TEST_F(TableHooks, TheTableInTheDocumentsSelection) {
  AddTable(2, 2);
  const Integer afterEnd = doc.GetOffsAfterItem(2), beforeStart = doc.GetOffsBeforeItem(0);
  // Items: 0 "before", 1 the table (offsets 0 and 1), 2 "after".
  struct Case {
    const char* Name;
    Integer StartItem, StartOffs, EndItem, EndOffs;
    bool Inside;
  } cases[] = {
      {"everything", 0, beforeStart, 2, afterEnd, true},
      {"the table alone", 1, 0, 1, 1, true},
      {"backwards over it", 2, afterEnd, 0, beforeStart, true},
      {"from after the table", 1, 1, 2, afterEnd, false},
      {"up to its start", 0, beforeStart, 1, 0, false},
      {"the caret before it", 1, 0, 1, 0, false},
  };
  for (const Case& c : cases) {
    doc.SetSelBoundsFromItems(c.StartItem, c.StartOffs, c.EndItem, c.EndOffs);
    EXPECT_EQ(table->IsInParentSelection(), c.Inside) << c.Name;
  }
}

TEST_F(TableHooks, TheChosenCellIsGivenBackAndForgotten) {
  AddTable(2, 2);
  TUVTableStoreSubUVData at(1, 0);
  TUVTableCellData* cell = table->GetCells(1, 0);
  ASSERT_EQ(table->ChooseSubDocument(&at), cell);
  cell->SetSelBoundsFromItems(0, 1, 0, 3);
  ASSERT_EQ(cell->GetSelText(false), "1,");
  // Given back: the document holds no chosen cell, the cell no selection.
  table->DeselectChosenCell();
  EXPECT_EQ(doc.GetChosenData(), nullptr);
  EXPECT_EQ(table->ChosenRow, -1);
  EXPECT_EQ(cell->GetSelText(false), "");
  // A chosen position left stale by rows removed since is forgotten without harm.
  ASSERT_EQ(table->ChooseSubDocument(&at), cell);
  table->ChosenRow = 7;
  table->LeaveChosenCell();
  EXPECT_EQ(table->ChosenRow, -1);
  EXPECT_EQ(table->ChosenCol, -1);
}

}  // namespace
