// A table in a window, driven by mouse messages: dragging from cell to cell selects a rectangle of
// cells, a click on the table's left edge selects a row and on its top edge a column, the cursor
// changes over the edges and borders, the text of a cell is selected and copied, and in an
// editable document dragging a column or row border resizes it as one undoable change.
#include "classlib/StdCtrls.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "richtext/edit/UVEUVData.h"
#include "richtext/edit/UVTableUndo.h"

namespace {

using table_test::CheckGrid;
using table_test::NumberedTable;
using table_test::SetCellText;
using viewer_test::ProcessFor;
using viewer_test::ProcessUntil;

// A viewer whose document is an editor's: it records changes and lets the table be resized.
class TEditableViewer : public VUzurUvad {
public:
  explicit TEditableViewer(TComponent* AOwner)
      : VUzurUvad(AOwner, [](TCustomUzurUvad* Viewer) -> VUzurUvadUVData* { return new TUVEditUVData(Viewer); }) {}
  TUVEditUVData* GetEditData() const { return static_cast<TUVEditUVData*>(GetUVData()); }
};

class TableWindow : public viewer_test::ViewerFixture {
protected:
  // A table of Rows x Cols numbered cells after a line of text, laid out in the shown viewer.
  void ShowTable(Integer Rows, Integer Cols) {
    viewer->Clear();
    viewer->AddNL("A table of references", viewer_test::kReference, 0);
    table = NumberedTable(Rows, Cols, viewer->GetUVData());
    viewer->GetUVData()->AddItem(AnsiString(), table);
    viewer->AddNL("After the table", viewer_test::kText, 0);
    ShowForm();
    viewer->Format();
    ProcessFor(50);
  }
  // The table's corner in the viewer's client area.
  TPoint Corner() {
    TUVControlData* data = viewer->GetUVData();
    TUVDrawLineInfo* line = data->DrawItems->Get(data->ItemToFirstDrawItem(data->IndexOfItem(table)));
    return Point(line->Left - viewer->GetHOffs(), line->Top - viewer->GetVOffs());
  }
  TPoint CellPoint(Integer Row, Integer Col) {
    TUVTableCellData* cell = table->GetCells(Row, Col);
    TPoint corner = Corner();
    return Point(corner.X + cell->Left + cell->Width / 2, corner.Y + cell->Top + cell->Height / 2);
  }
  void Move(TPoint P, WPARAM Keys = 0) { Mouse(WM_MOUSEMOVE, Keys, P); }

  TUVTableItemInfo* table = nullptr;
};

TEST_F(TableWindow, DraggingFromCellToCellSelectsTheRectangle) {
  ShowTable(3, 3);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(0, 0));
  Move(CellPoint(1, 0), MK_LBUTTON);
  EXPECT_EQ(table->SelRowOffs, 1);
  Move(CellPoint(2, 1), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 0, CellPoint(2, 1));
  EXPECT_EQ(table->SelStartRow, 0);
  EXPECT_EQ(table->SelStartCol, 0);
  EXPECT_EQ(table->SelRowOffs, 2);
  EXPECT_EQ(table->SelColOffs, 1);
  EXPECT_TRUE(table->HasPartialSelection());
  for (Integer r = 0; r < 3; ++r)
    for (Integer c = 0; c < 3; ++c) EXPECT_EQ(table->IsCellSelected(r, c), c < 2) << r << "," << c;
  EXPECT_TRUE(viewer->SelectionExists());
  EXPECT_EQ(viewer->GetUVData()->CaptureMouseItem, nullptr);
  // The viewer has the focus: the selection colour of a focused control, on the screen.
  style->SelColor = clRed;
  style->InactiveSelColor = clGreen;
  viewer->Invalidate();
  ProcessFor(50);
  TUVTableCellData* selected = table->GetCells(1, 1);
  TPoint corner = Corner();
  TPoint inside(corner.X + selected->Left + selected->Width - 3, corner.Y + selected->Top + 2);
  EXPECT_EQ(forms_test::ScreenPixel(viewer, inside.X, inside.Y), ColorToRGB(clRed));
  testing_support::SaveScreenshot(form->GetHandle(), "table-cells-selected");
  // A click elsewhere in the document ends it.
  Click(MiddleOf(0));
  EXPECT_FALSE(table->HasPartialSelection());
  EXPECT_FALSE(table->IsCellSelected(0, 0));
}

TEST_F(TableWindow, AMergedStartCellSelectsWhole) {
  ShowTable(3, 3);
  table->MergeCells(0, 0, 2, 2, true);
  table->MarkChanged();
  viewer->Format();
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(0, 0));
  Move(CellPoint(0, 2), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 0, CellPoint(0, 2));
  Integer top, left, rows, cols;
  ASSERT_TRUE(table->GetNormalizedSelectionBounds(false, top, left, rows, cols));
  EXPECT_EQ(top, 0);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(cols, 3);
  EXPECT_TRUE(table->IsCellSelected(1, 2));
  EXPECT_FALSE(table->IsCellSelected(2, 0));
}

TEST_F(TableWindow, TheEdgesSelectRowsAndColumns) {
  ShowTable(3, 4);
  TPoint corner = Corner();
  // The left edge at the middle of row 1.
  TPoint rowEdge(corner.X + 1, CellPoint(1, 0).Y);
  Move(rowEdge);
  EXPECT_EQ(viewer->GetShownCursor(), crUVSelectRow);
  Click(rowEdge);
  EXPECT_EQ(table->SelStartRow, 1);
  EXPECT_EQ(table->SelStartCol, 0);
  EXPECT_EQ(table->SelRowOffs, 0);
  EXPECT_EQ(table->SelColOffs, 3);
  EXPECT_TRUE(table->IsCellSelected(1, 3));
  EXPECT_FALSE(table->IsCellSelected(0, 0));
  ProcessFor(50);
  testing_support::SaveScreenshot(form->GetHandle(), "table-row-selected");
  // The top edge over column 2.
  TPoint colEdge(CellPoint(0, 2).X, corner.Y + 1);
  Move(colEdge);
  EXPECT_EQ(viewer->GetShownCursor(), crUVSelectCol);
  Click(colEdge);
  EXPECT_EQ(table->SelStartRow, 0);
  EXPECT_EQ(table->SelStartCol, 2);
  EXPECT_EQ(table->SelRowOffs, 2);
  EXPECT_EQ(table->SelColOffs, 0);
  EXPECT_TRUE(table->IsCellSelected(2, 2));
  EXPECT_FALSE(table->IsCellSelected(2, 1));
  // Over a cell the viewer's own cursor; a viewer offers no sizing.
  Move(CellPoint(1, 1));
  EXPECT_EQ(viewer->GetShownCursor(), crDefault);
  TPoint border(corner.X + table->FormattingInfo->ColStarts[1] - 1, CellPoint(1, 1).Y);
  Move(border);
  EXPECT_EQ(viewer->GetShownCursor(), crDefault);
}

TEST_F(TableWindow, AViewerWithoutSelectionSelectsNothing) {
  ShowTable(2, 2);
  viewer->SetOptions(viewer->GetOptions() - TUVOptions{uvoAllowSelection});
  table->SelectRows(0, 1);
  EXPECT_FALSE(table->HasPartialSelection());
  Click(Point(Corner().X + 1, CellPoint(1, 0).Y));
  EXPECT_FALSE(table->HasPartialSelection());
}

TEST_F(TableWindow, TextSelectedInACellIsCopied) {
  ShowTable(2, 2);
  SetCellText(table->GetCells(1, 1), "Bethlehem Ephratah");
  table->MarkChanged();
  viewer->Format();
  TUVTableCellData* cell = table->GetCells(1, 1);
  TPoint corner = Corner();
  Integer y = corner.Y + cell->Top + cell->Height / 2;
  Integer left = corner.X + cell->Left + 2;
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, Point(left, y));
  Move(Point(left + 40, y), MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 0, Point(left + 40, y));
  EXPECT_FALSE(table->HasPartialSelection());
  EXPECT_EQ(viewer->GetUVData()->GetChosenData(), cell);
  AnsiString selected = viewer->GetSelText();
  EXPECT_FALSE(selected.empty());
  EXPECT_EQ(AnsiString("Bethlehem Ephratah").substr(0, selected.size()), selected);
  // Pressing another item gives the cell up.
  Click(MiddleOf(0));
  EXPECT_EQ(viewer->GetUVData()->GetChosenData(), nullptr);
  EXPECT_FALSE(cell->SelectionExists());
}

TEST_F(TableWindow, TabGoesFromControlToControlThroughTheCells) {
  viewer->Clear();
  viewer->AddNL("Notes", viewer_test::kText, 0);
  table = NumberedTable(2, 2, viewer->GetUVData());
  viewer->GetUVData()->AddItem(AnsiString(), table);
  // An edit in cells 0,1 and 1,0 and one after the table.
  auto addEdit = [](TCustomUVFormattedData* Data) {
    auto* edit = new TEdit(nullptr);
    edit->SetBounds(0, 0, 60, 22);
    auto* item = new TUVControlItemInfo(Data, edit, 0);
    item->ParaNo = -1;
    Data->AddItem("note", item);
    return edit;
  };
  TEdit* first = addEdit(table->GetCells(0, 1));
  TEdit* second = addEdit(table->GetCells(1, 0));
  TEdit* after = addEdit(viewer->GetUVData());
  table->MarkChanged();
  ShowForm();
  viewer->Format();
  ProcessFor(50);
  testing_support::SaveScreenshot(form->GetHandle(), "table-controls-in-cells");
  first->SetFocus();
  ASSERT_TRUE(ProcessUntil([&] { return ::GetFocus() == first->GetHandle(); }));
  struct Step {
    const char* Name;
    bool Shift;
    TEdit* Focused;
    Integer FocusedRow, FocusedCol;  // the cell the table found the control left in
  } steps[] = {
      {"Tab to the next cell's control", false, second, 0, 1},
      {"Tab out of the table", false, after, 1, 0},
      {"Shift+Tab back into the last cell", true, second, 1, 0},
      {"Shift+Tab to the first cell's control", true, first, 1, 0},
  };
  for (const Step& s : steps) {
    viewer_test::TypeKey(VK_TAB, s.Shift);
    EXPECT_TRUE(ProcessUntil([&] { return ::GetFocus() == s.Focused->GetHandle(); })) << s.Name;
    EXPECT_EQ(table->FocusedRow, s.FocusedRow) << s.Name;
    EXPECT_EQ(table->FocusedCol, s.FocusedCol) << s.Name;
  }
}

TEST_F(TableWindow, EachHyperlinkOfTheDocumentHasItsOwnNumber) {
  // A hyperlink before the table, one in cell 0,0, two in cell 1,1; numbers from 10.
  viewer->Clear();
  viewer->GetUVData()->AddTextItemTag("Genesis", viewer_test::kLink, 0, 1);
  table = NumberedTable(2, 2, viewer->GetUVData());
  table->GetCells(0, 0)->Clear();
  table->GetCells(0, 0)->AddTextItemTag("Exodus", viewer_test::kLink, 0, 2);
  table->GetCells(1, 1)->Clear();
  table->GetCells(1, 1)->AddTextItemTag("Ruth", viewer_test::kLink, 0, 3);
  table->GetCells(1, 1)->AddTextItemTag("Job", viewer_test::kLink, 0, 4);
  viewer->GetUVData()->AddItem(AnsiString(), table);
  viewer->SetFirstJumpNo(10);
  std::vector<Integer> jumps;
  viewer->OnJump = TJumpEvent::FromFunction([&](TObject*, Integer id) { jumps.push_back(id); });
  ShowForm();
  viewer->Format();
  ProcessFor(50);
  testing_support::SaveScreenshot(form->GetHandle(), "table-hyperlinks");
  struct Link {
    TCustomUVFormattedData* Data;
    Integer ItemNo;
    Integer Id;
  } links[] = {{table->GetCells(1, 1), 1, 13},
               {viewer->GetUVData(), 0, 10},
               {table->GetCells(0, 0), 0, 11},
               {table->GetCells(1, 1), 0, 12}};
  for (const Link& l : links) {
    // The middle of the hyperlink's first draw record, in the viewer's client area.
    TUVDrawLineInfo* dli = l.Data->DrawItems->Get(l.Data->ItemToFirstDrawItem(l.ItemNo));
    TPoint p = Point(dli->Left + dli->Width / 2 - viewer->GetHOffs(), dli->Top + dli->Height / 2 - viewer->GetVOffs());
    if (auto* cell = dynamic_cast<TUVTableCellData*>(l.Data)) {
      TPoint corner = Corner();
      p = Point(corner.X + cell->Left + table->GetCellPadding() + dli->Left + dli->Width / 2,
                corner.Y + cell->Top + table->GetCellPadding() + dli->Top + dli->Height / 2);
    }
    Mouse(WM_MOUSEMOVE, 0, p);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, p);
    Mouse(WM_LBUTTONUP, 0, p);
    ProcessFor(20);
    ASSERT_FALSE(jumps.empty()) << l.Id;
    EXPECT_EQ(jumps.back(), l.Id);
  }
  EXPECT_EQ(jumps.size(), std::size(links));
}

// The same table in a document that records changes.
class TableResizing : public TableWindow {
protected:
  void SetUp() override {
    TableWindow::SetUp();
    delete viewer;
    editable = new TEditableViewer(form);
    viewer = editable;
    viewer->SetParent(form);
    viewer->SetAlign(alClient);
    viewer->SetStyle(style);
  }
  TUVEditUVData* Data() { return editable->GetEditData(); }
  void Drag(TPoint From, TPoint To) {
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, From);
    Move(Point((From.X + To.X) / 2, (From.Y + To.Y) / 2), MK_LBUTTON);
    Move(To, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 0, To);
    ProcessFor(30);
  }

  TEditableViewer* editable = nullptr;
};

TEST_F(TableResizing, CursorsOverTheBorders) {
  ShowTable(2, 3);
  TPoint corner = Corner();
  const std::vector<Integer>& cols = table->FormattingInfo->ColStarts;
  const std::vector<Integer>& rows = table->FormattingInfo->RowStarts;
  struct Case {
    const char* Where;
    TPoint At;
    TCursor Cursor;
  } cases[] = {
      {"inner column border", Point(corner.X + cols[1] - 1, CellPoint(0, 0).Y), crHSplit},
      {"right edge", Point(corner.X + table->FormattingInfo->Width - 1, CellPoint(0, 0).Y), crHSplit},
      {"inner row border", Point(CellPoint(0, 1).X, corner.Y + rows[1] - 1), crVSplit},
      {"bottom edge", Point(CellPoint(0, 1).X, corner.Y + table->FormattingInfo->Height - 1), crVSplit},
      {"left edge", Point(corner.X + 1, CellPoint(1, 0).Y), crUVSelectRow},
      {"top edge", Point(CellPoint(0, 2).X, corner.Y + 1), crUVSelectCol},
      {"a cell", CellPoint(1, 1), crDefault},
  };
  for (const Case& c : cases) {
    Move(c.At);
    EXPECT_EQ(viewer->GetShownCursor(), c.Cursor) << c.Where;
  }
}

TEST_F(TableResizing, DraggingAColumnBorderIsOneUndoableChange) {
  ShowTable(2, 3);
  TPoint corner = Corner();
  Integer before0 = table->FormattingInfo->ColWidths[0];
  Integer before1 = table->FormattingInfo->ColWidths[1];
  Integer actions = Data()->UndoList->GetCount();
  TPoint border(corner.X + table->FormattingInfo->ColStarts[1] - 1, CellPoint(0, 0).Y);
  Drag(border, Point(border.X + 30, border.Y));
  ASSERT_EQ(Data()->UndoList->GetCount(), actions + 1);
  EXPECT_EQ(Data()->UndoList->LastUndoType(), uvutModifyTable);
  // Both cells of the column take the new width, the next column keeps its right border.
  for (Integer r = 0; r < 2; ++r) {
    EXPECT_EQ(table->GetCells(r, 0)->BestWidth, before0 + 30) << r;
    EXPECT_EQ(table->GetCells(r, 1)->BestWidth, before1 - 30) << r;
  }
  EXPECT_EQ(table->FormattingInfo->ColWidths[0], before0 + 30);
  EXPECT_EQ(table->FormattingInfo->ColWidths[1], before1 - 30);
  EXPECT_EQ(Data()->CaptureMouseItem, nullptr);
  ProcessFor(50);
  testing_support::SaveScreenshot(form->GetHandle(), "table-column-resized");
  Data()->UndoList->Undo(Data());
  EXPECT_EQ(table->GetCells(0, 0)->BestWidth, 0);
  EXPECT_EQ(table->GetCells(1, 1)->BestWidth, 0);
  EXPECT_EQ(table->FormattingInfo->ColWidths[0], before0);
  EXPECT_EQ(CheckGrid(table), "");
}

TEST_F(TableResizing, ADraggedBorderStopsAtThePreviousColumnsStart) {
  ShowTable(1, 3);
  TPoint corner = Corner();
  TPoint border(corner.X + table->FormattingInfo->ColStarts[2] - 1, CellPoint(0, 0).Y);
  // Far to the left, beyond the start of column 1: column 1 keeps the least width there is.
  Drag(border, Point(corner.X + 3, border.Y));
  EXPECT_EQ(table->GetCells(0, 1)->BestWidth, 1);
}

TEST_F(TableResizing, DraggingARowBorderSetsTheRowsHeight) {
  ShowTable(3, 2);
  TPoint corner = Corner();
  const std::vector<Integer>& rows = table->FormattingInfo->RowStarts;
  Integer before = table->FormattingInfo->RowHeights[0];
  TPoint border(CellPoint(0, 1).X, corner.Y + rows[1] - 1);
  Integer actions = Data()->UndoList->GetCount();
  Drag(border, Point(border.X, border.Y + 25));
  ASSERT_EQ(Data()->UndoList->GetCount(), actions + 1);
  EXPECT_EQ(table->GetCells(0, 0)->BestHeight, before + 25);
  EXPECT_EQ(table->GetCells(0, 1)->BestHeight, before + 25);
  EXPECT_EQ(table->FormattingInfo->RowHeights[0], before + 25);
  ProcessFor(50);
  testing_support::SaveScreenshot(form->GetHandle(), "table-row-resized");
  Data()->UndoList->Undo(Data());
  EXPECT_EQ(table->FormattingInfo->RowHeights[0], before);
  // A click on a border that does not move it changes nothing.
  Drag(border, border);
  EXPECT_EQ(Data()->UndoList->GetCount(), actions);
}

}  // namespace
