// The table and the mouse: the cell selection, finding the cell or the border under a point,
// passing clicks and moves to the cells' documents, selecting cells by dragging and rows and
// columns by clicking the table's left and top edges, and resizing columns and rows by dragging
// their borders, the new sizes stored as the cells' best widths and heights in one undoable
// change.
#include <algorithm>
#include <cstdlib>

#include "classlib/Handles.h"
#include "richtext/edit/UVEUVData.h"
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"

namespace {

// The last index whose start is at or before Value; 0 when none.
Integer IndexAt(const std::vector<Integer>& Starts, Integer Value) {
  auto it = std::upper_bound(Starts.begin(), Starts.end(), Value);
  return std::max(static_cast<Integer>(it - Starts.begin()) - 1, 0);
}

bool Near(Integer X, Integer P, Integer Thickness) { return std::abs(X - P) <= std::max(Thickness / 2, 2); }

// Where border Index (1 .. Count) of a run of columns or rows is drawn, and the start of the
// column or row before it; Outer is the thickness of the table's edge, Inner of the gap between
// two columns or rows. -1 when there is no such border.
Integer BorderPosition(Integer Index, Integer Outer, Integer Inner, const std::vector<Integer>& Starts, Integer Size,
                       Integer Count, Integer& Limit, Integer& Pos) {
  Limit = Pos = 0;
  if (Index <= 0 || Index > Count || static_cast<Integer>(Starts.size()) != Count) return -1;
  Limit = Starts[static_cast<std::size_t>(Index - 1)];
  Pos = Index == Count ? Size - Outer / 2 : Starts[static_cast<std::size_t>(Index)] - (Inner + 1) / 2;
  return Index;
}

// The border under P: 0 the first edge, Count the last, an inner border between; the first found
// in that order wins. -1 when none is.
Integer BorderAt(Integer P, Integer Outer, Integer Inner, const std::vector<Integer>& Starts, Integer Size,
                 Integer Count, Integer& Limit, Integer& Pos) {
  Limit = Pos = 0;
  if (Count == 0 || static_cast<Integer>(Starts.size()) != Count) return -1;
  if (Near(P, Outer / 2, Outer)) {
    Pos = Outer / 2;
    return 0;
  }
  if (Near(P, Size - Outer / 2, Outer)) return BorderPosition(Count, Outer, Inner, Starts, Size, Count, Limit, Pos);
  for (Integer i = 1; i < Count; ++i)
    if (Near(P, Starts[static_cast<std::size_t>(i)] - Inner / 2, Inner))
      return BorderPosition(i, Outer, Inner, Starts, Size, Count, Limit, Pos);
  return -1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The cell selection

void TUVTableItemInfo::Select(Integer StartRow, Integer StartCol, Integer RowOffs, Integer ColOffs) {
  TCustomUVFormattedData* data = GetFormattedParent();
  if (!(State & uvtsInDocument) || !data || !data->GetOptions().Contains(uvoAllowSelection)) return;
  Integer itemNo = GetItemIndex();
  if (itemNo < 0) return;
  // The document's selection lies at the table, which holds the rest of it.
  data->SetPartialSelectedItem(this);
  data->SetSelBoundsFromItems(itemNo, 1, itemNo, 1);
  SelStartRow = StartRow;
  SelStartCol = StartCol;
  SelRowOffs = RowOffs;
  SelColOffs = ColOffs;
  State |= uvtsCellsSelected;
  RefreshCellMarks();
  data->Invalidate();
}

void TUVTableItemInfo::SelectRows(Integer StartRow, Integer Count) {
  Select(StartRow, 0, Count - 1, GetColCount() - 1);
}

void TUVTableItemInfo::SelectCols(Integer StartCol, Integer Count) {
  Select(0, StartCol, GetRowCount() - 1, Count - 1);
}

void TUVTableItemInfo::Deselect() {
  State &= ~static_cast<Word>(uvtsCellsSelected);
  SelStartRow = SelStartCol = -1;
  SelRowOffs = SelColOffs = 0;
  FSelectingCells = false;
  RefreshCellMarks();
  if (TCustomUVFormattedData* data = GetFormattedParent()) {
    data->ReleaseMouseCapture(this);
    data->Invalidate();
  }
}

bool TUVTableItemInfo::GetNormalizedSelectionBounds(bool IncludeEditedCell, Integer& TopRow, Integer& LeftCol,
                                                    Integer& RowCount, Integer& ColCount) {
  Integer rowCount = GetRowCount();
  Integer colCount = GetColCount();
  if (State & uvtsCellsSelected) {
    Integer farRow = SelStartRow + SelRowOffs;
    Integer farCol = SelStartCol + SelColOffs;
    // A selection made before the grid changed under it is dropped.
    if (SelStartRow < 0 || SelStartCol < 0 || SelStartRow >= rowCount || SelStartCol >= colCount || farRow < 0 ||
        farCol < 0 || farRow >= rowCount || farCol >= colCount) {
      State &= ~static_cast<Word>(uvtsCellsSelected);
      SelStartRow = SelStartCol = -1;
      SelRowOffs = SelColOffs = 0;
      RefreshCellMarks();
    } else {
      Integer r1, c1, r2, c2;
      TUVTableCellData* a = Rows->GetMainCell(SelStartRow, SelStartCol, r1, c1);
      TUVTableCellData* b = Rows->GetMainCell(farRow, farCol, r2, c2);
      if (a && b) {
        TopRow = std::min(r1, r2);
        LeftCol = std::min(c1, c2);
        Integer bottom = std::max(r1 + a->RowSpan - 1, r2 + b->RowSpan - 1);
        Integer right = std::max(c1 + a->ColSpan - 1, c2 + b->ColSpan - 1);
        RowCount = bottom - TopRow + 1;
        ColCount = right - LeftCol + 1;
        return true;
      }
    }
  }
  if (IncludeEditedCell) {
    Integer row, col;
    GetEditedCell(row, col);
    if (row >= 0 && col >= 0) {
      TUVTableCellData* cell = GetCells(row, col);
      TopRow = row;
      LeftCol = col;
      RowCount = cell->RowSpan;
      ColCount = cell->ColSpan;
      return true;
    }
  }
  return false;
}

bool TUVTableItemInfo::IsCellSelected(Integer Row, Integer Col) {
  if (!(State & uvtsCellsSelected)) return false;
  Integer top, left, rows, cols;
  if (!GetNormalizedSelectionBounds(false, top, left, rows, cols)) return false;
  Integer mr, mc;
  TUVTableCellData* cell = Rows->GetMainCell(Row, Col, mr, mc);
  if (!cell) return false;
  return mr <= top + rows - 1 && mr + cell->RowSpan - 1 >= top && mc <= left + cols - 1 &&
         mc + cell->ColSpan - 1 >= left;
}

void TUVTableItemInfo::RefreshCellMarks() {
  bool any = (State & uvtsCellsSelected) != 0;
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < GetColCount(); ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      if (any && IsCellSelected(r, c))
        cell->State |= uvstDrawAllSelected;
      else
        cell->State &= ~static_cast<Cardinal>(uvstDrawAllSelected);
    }
}

// ---------------------------------------------------------------------------------------------
// Hit tests

bool TUVTableItemInfo::GetCellAt(Integer X, Integer Y, Integer& Row, Integer& Col) {
  Row = Col = -1;
  TUVTableItemFormattingInfo* fi = FormattingInfo;
  if (Rows->IsEmpty() || static_cast<Integer>(fi->RowStarts.size()) != GetRowCount() ||
      static_cast<Integer>(fi->ColStarts.size()) != GetColCount())
    return false;
  TUVTableCellData* first = GetCells(0, 0);
  if (!first) return false;
  Integer left = first->Left + 1;
  Integer top = first->Top + 1;
  if (X < left || Y < top || X >= left + fi->Width - 2 * first->Left - 2 || Y >= top + fi->Height - 2 * first->Top - 2)
    return false;
  auto inside = [&](TUVTableCellData* Cell) {
    return X >= Cell->Left + 1 && X < Cell->Left + Cell->Width - 1 && Y >= Cell->Top + 1 &&
           Y < Cell->Top + Cell->Height - 1;
  };
  if (FHitRow >= 0 && FHitRow < GetRowCount() && FHitCol >= 0 && FHitCol < GetColCount())
    if (TUVTableCellData* cached = GetCells(FHitRow, FHitCol); cached && inside(cached)) {
      Row = FHitRow;
      Col = FHitCol;
      return true;
    }
  Integer r = IndexAt(fi->RowStarts, Y);
  Integer c = IndexAt(fi->ColStarts, X);
  Integer mr, mc;
  TUVTableCellData* cell = Rows->GetMainCell(r, c, mr, mc);
  if (!cell || !inside(cell)) return false;
  Row = FHitRow = mr;
  Col = FHitCol = mc;
  return true;
}

Integer TUVTableItemInfo::FindColumnBorder(Integer X, Integer& Limit, Integer& Pos) {
  return BorderAt(X, FBorderWidth + FBorderHSpacing + FCellBorderWidth, 2 * FCellBorderWidth + FCellHSpacing,
                  FormattingInfo->ColStarts, FormattingInfo->Width, GetColCount(), Limit, Pos);
}

Integer TUVTableItemInfo::FindRowBorder(Integer Y, Integer& Limit, Integer& Pos) {
  return BorderAt(Y, FBorderWidth + FBorderVSpacing + FCellBorderWidth, 2 * FCellBorderWidth + FCellVSpacing,
                  FormattingInfo->RowStarts, FormattingInfo->Height, GetRowCount(), Limit, Pos);
}

bool TUVTableItemInfo::InsideContent(TUVTableCellData* Cell, Integer X, Integer Y) const {
  return X >= Cell->Left + FCellPadding && X < Cell->Left + Cell->Width - FCellPadding &&
         Y >= Cell->Top + FCellPadding && Y < Cell->Top + Cell->Height - FCellPadding;
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TUVTableItemInfo::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer /*ItemNo*/,
                                 TCustomUVFormattedData* UVData) {
  if (Rows->IsEmpty() || FLockCount > 0 || (UVData->State & (uvstFormatting | uvstPartialFormatting))) return false;
  bool doubleClick = Shift.Contains(ssDouble);
  Integer row, col;
  // In an editor a click on a cell opens the cell editor there, which takes the click.
  if ((State & uvtsInEditor) && FOptions.Contains(uvtoEditing) && GetHostEditor() && GetCellAt(X, Y, row, col)) {
    if (doubleClick && IsCellSelected(row, col)) return true;
    if (EnterCell(row, col, false, !doubleClick) && FInplaceEditor) {
      TUVTableCellData* cell = FInplaceEditor->Cell;
      FInplaceEditor->GetEditData()->MouseDown(Button, Shift, X - cell->Left,
                                               Y - cell->Top - std::max(cell->GetVAlignOffset(), 0));
      FEditorMouse = Button == mbLeft;
      Integer left, top;
      if (FEditorMouse) UVData->SetMouseCapture(this, left, top);
      return true;
    }
  }
  if (GetCellAt(X, Y, row, col)) {
    CloseInplaceEditor(false);
    TUVTableCellData* cell = GetCells(row, col);
    if (!doubleClick) {
      UVData->Deselect(this, false);
      SelStartRow = row;
      SelStartCol = col;
      SelRowOffs = SelColOffs = 0;
      State &= ~static_cast<Word>(uvtsCellsSelected);
      RefreshCellMarks();
    }
    ChooseCell(cell);
    FMouseDownRow = row;
    FMouseDownCol = col;
    if (InsideContent(cell, X, Y))
      cell->MouseDown(Button, Shift, X - cell->Left - FCellPadding, Y - cell->Top - FCellPadding - cell->GetVAlignOffset());
    if (!doubleClick && Button == mbLeft) {
      FSelectingCells = true;
      Integer left, top;
      UVData->SetMouseCapture(this, left, top);
    }
    UVData->Invalidate();
    return true;
  }
  if (doubleClick || Button != mbLeft) return false;
  TUVTableOptions options = FOptions;
  if (!(options.Contains(uvtoEditing) || options.Contains(uvtoRowSizing) || options.Contains(uvtoColSizing) ||
        options.Contains(uvtoRowSelect) || options.Contains(uvtoColSelect)))
    return false;
  bool sizing = CanChangeFromInside();
  Integer colLimit = 0, colPos = 0, colBorder = -1;
  if ((sizing && options.Contains(uvtoColSizing)) || options.Contains(uvtoRowSelect))
    colBorder = FindColumnBorder(X, colLimit, colPos);
  if (colBorder > 0 && sizing && options.Contains(uvtoColSizing)) {
    StartResize(true, colBorder, X - colPos, colLimit, Shift, UVData);
    return true;
  }
  Integer rowLimit = 0, rowPos = 0, rowBorder = -1;
  if ((sizing && options.Contains(uvtoRowSizing)) || options.Contains(uvtoColSelect))
    rowBorder = FindRowBorder(Y, rowLimit, rowPos);
  if (rowBorder > 0 && sizing && options.Contains(uvtoRowSizing)) {
    StartResize(false, rowBorder, Y - rowPos, rowLimit, Shift, UVData);
    return true;
  }
  Integer left, top;
  if (rowBorder == 0 && options.Contains(uvtoColSelect)) {
    SelectCols(IndexAt(FormattingInfo->ColStarts, X), 1);
    UVData->SetMouseCapture(this, left, top);
    return true;
  }
  if (colBorder > 0) return false;
  if (colBorder == 0 && options.Contains(uvtoRowSelect)) {
    SelectRows(IndexAt(FormattingInfo->RowStarts, Y), 1);
    UVData->SetMouseCapture(this, left, top);
    return true;
  }
  return false;
}

bool TUVTableItemInfo::MouseMove(TShiftState Shift, Integer X, Integer Y, Integer /*ItemNo*/,
                                 TCustomUVFormattedData* UVData) {
  if (Rows->IsEmpty() || FLockCount > 0) return false;
  if (FInplaceEditor && FInplaceEditor->MouseDownInCell) {
    DragFromInplaceEditor(Shift, X, Y, UVData);
    return true;
  }
  if (FEditorMouse && FInplaceEditor) {
    Integer row, col, mainRow, mainCol;
    TUVTableCellData* cell = FInplaceEditor->Cell;
    TUVTableCellData* over = GetCellAt(X, Y, row, col) ? Rows->GetMainCell(row, col, mainRow, mainCol) : nullptr;
    if (!over || over == cell || !Shift.Contains(ssLeft)) {
      FInplaceEditor->GetEditData()->MouseMove(Shift, X - cell->Left,
                                               Y - cell->Top - std::max(cell->GetVAlignOffset(), 0));
      return true;
    }
    // Dragged on into another cell: the edited cell gives way to a selection of cells that
    // starts there.
    Integer startRow = FInplaceEditor->Row, startCol = FInplaceEditor->Col;
    FEditorMouse = false;
    CloseInplaceEditor(false);
    UVData->Deselect(this, false);
    SelStartRow = startRow;
    SelStartCol = startCol;
    SelRowOffs = SelColOffs = 0;
    State &= ~static_cast<Word>(uvtsCellsSelected);
    FMouseDownRow = startRow;
    FMouseDownCol = startCol;
    FSelectingCells = true;
    Integer left, top;
    UVData->SetMouseCapture(this, left, top);
  }
  if (FResizing) {
    UVData->SetCursor((State & uvtsColumnResize) ? crHSplit : crVSplit);
    return true;
  }
  Integer row, col;
  if (!GetCellAt(X, Y, row, col)) {
    bool sizing = CanChangeFromInside();
    Integer limit, pos;
    Integer colBorder = FindColumnBorder(X, limit, pos);
    Integer rowBorder = FindRowBorder(Y, limit, pos);
    TCursor cursor = crDefault;
    bool found = true;
    if (colBorder == 0 && FOptions.Contains(uvtoRowSelect) && UVData->GetOptions().Contains(uvoAllowSelection))
      cursor = crUVSelectRow;
    else if (colBorder > 0 && sizing && FOptions.Contains(uvtoColSizing))
      cursor = crHSplit;
    else if (rowBorder == 0 && FOptions.Contains(uvtoColSelect) && UVData->GetOptions().Contains(uvoAllowSelection))
      cursor = crUVSelectCol;
    else if (rowBorder > 0 && sizing && FOptions.Contains(uvtoRowSizing))
      cursor = crVSplit;
    else
      found = false;
    if (found) UVData->SetCursor(cursor);
    return found;
  }
  TUVTableCellData* cell = GetCells(row, col);
  if (FSelectingCells && Shift.Contains(ssLeft)) {
    Integer rowOffs = row - SelStartRow;
    Integer colOffs = col - SelStartCol;
    if (rowOffs != SelRowOffs || colOffs != SelColOffs) {
      bool wasSelected = (State & uvtsCellsSelected) != 0;
      SelRowOffs = rowOffs;
      SelColOffs = colOffs;
      if (rowOffs != 0 || colOffs != 0)
        State |= uvtsCellsSelected;
      else
        State &= ~static_cast<Word>(uvtsCellsSelected);
      // Cells selected: the start cell stops being the document's chosen one (its text selection
      // goes), and the document's selection lies at the table, which holds the rest of it.
      if (!wasSelected && (State & uvtsCellsSelected)) {
        if (TUVTableCellData* start = GetCells(SelStartRow, SelStartCol)) {
          FKeepSelection = true;
          ScopeExit keep([this] { FKeepSelection = false; });
          start->TCustomUVFormattedData::Deselect(nullptr, false);
          ReleaseChosenCell(start);
        }
        UVData->SetPartialSelectedItem(this);
      }
      RefreshCellMarks();
      UVData->Invalidate();
    }
  }
  if (!(State & uvtsCellsSelected) && InsideContent(cell, X, Y))
    cell->MouseMove(Shift, X - cell->Left - FCellPadding, Y - cell->Top - FCellPadding - cell->GetVAlignOffset());
  else
    UVData->SetCursor(UVData->GetCursor());
  return true;
}

void TUVTableItemInfo::DragFromInplaceEditor(TShiftState Shift, Integer X, Integer Y, TCustomUVFormattedData* UVData) {
  Integer row, col, mainRow, mainCol;
  TUVTableCellData* over = GetCellAt(X, Y, row, col) ? Rows->GetMainCell(row, col, mainRow, mainCol) : nullptr;
  if (!over || !Shift.Contains(ssLeft)) return;
  bool out = over != FInplaceEditor->Cell;
  Integer rowOffs = out ? row - FInplaceEditor->Row : 0;
  Integer colOffs = out ? col - FInplaceEditor->Col : 0;
  if (out == ((State & uvtsCellsSelected) != 0) && rowOffs == SelRowOffs && colOffs == SelColOffs) return;
  SelStartRow = FInplaceEditor->Row;
  SelStartCol = FInplaceEditor->Col;
  SelRowOffs = rowOffs;
  SelColOffs = colOffs;
  if (out) {
    State |= uvtsCellsSelected;
    // The release comes to the table through the host.
    if (UVData->CaptureMouseItem != this) {
      Integer left, top;
      UVData->SetMouseCapture(this, left, top);
    }
  } else {
    State &= ~static_cast<Word>(uvtsCellsSelected);
  }
  FInplaceEditor->SetDimmed(out);
  RefreshCellMarks();
  UVData->Invalidate();
}

bool TUVTableItemInfo::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer /*ItemNo*/,
                               TCustomUVFormattedData* UVData) {
  if (FResizing) {
    FinishResize(X, Y, UVData);
    return true;
  }
  if (FEditorMouse) {
    FEditorMouse = false;
    UVData->ReleaseMouseCapture(this);
    if (FInplaceEditor) {
      TUVTableCellData* cell = FInplaceEditor->Cell;
      FInplaceEditor->GetEditData()->MouseUp(Button, Shift, X - cell->Left,
                                             Y - cell->Top - std::max(cell->GetVAlignOffset(), 0));
    }
    return true;
  }
  Integer row, col;
  bool onCell = GetCellAt(X, Y, row, col);
  if (onCell) {
    TUVTableCellData* cell = GetCells(row, col);
    if (InsideContent(cell, X, Y))
      cell->MouseUp(Button, Shift, X - cell->Left - FCellPadding, Y - cell->Top - FCellPadding - cell->GetVAlignOffset());
  }
  bool held = UVData->CaptureMouseItem == this;
  UVData->ReleaseMouseCapture(this);
  FSelectingCells = false;
  return onCell || held;
}

// ---------------------------------------------------------------------------------------------
// Resizing

void TUVTableItemInfo::StartResize(bool Column, Integer Index, Integer Offset, Integer Limit, TShiftState Shift,
                                   TCustomUVFormattedData* UVData) {
  FResizeIndex = Index;
  FResizeOffset = Offset;
  FResizeLimit = Limit;
  FResizeLimit2 = -1;
  State &= ~static_cast<Word>(uvtsColumnResize | uvtsResizeShift);
  if (Column) {
    State |= uvtsColumnResize;
    if (Shift.Contains(ssShift)) State |= uvtsResizeShift;
  }
  // The cell editor steps aside while the border moves under it.
  SuspendInplaceEditor();
  FResizing = true;
  UVData->AssignXorDrawing(TUVXorDrawingEvent(this, &TUVTableItemInfo::DrawResizeLine));
  Integer left, top;
  UVData->SetMouseCapture(this, left, top);
}

void TUVTableItemInfo::DrawResizeLine(TObject* Sender, Integer X, Integer Y) {
  auto* data = static_cast<TCustomUVFormattedData*>(Sender);
  TWinControl* control = data->GetParentControl();
  if (!control || !control->HandleAllocated()) return;
  Integer tx, ty;
  GetDocumentPosition(tx, ty);
  RECT client;
  ::GetClientRect(control->GetHandle(), &client);
  WindowDC dc(control->GetHandle());
  TCanvas canvas;
  canvas.SetHandle(dc.get());
  TPen* pen = canvas.GetPen();
  pen->SetMode(pmNot);
  pen->SetWidth(1);
  pen->SetStyle(psDashDotDot);
  canvas.GetBrush()->SetStyle(bsClear);
  if (State & uvtsColumnResize) {
    Integer x = std::max(X, tx + FResizeLimit) - data->GetHOffs();
    canvas.MoveTo(x, 0);
    canvas.LineTo(x, client.bottom);
  } else {
    Integer y = std::max(Y, ty + FResizeLimit) - data->GetVOffs();
    canvas.MoveTo(0, y);
    canvas.LineTo(client.right, y);
  }
  pen->SetMode(pmCopy);
  canvas.SetHandle(nullptr);
}

void TUVTableItemInfo::FinishResize(Integer X, Integer Y, TCustomUVFormattedData* UVData) {
  UVData->UnassignXorDrawing(TUVXorDrawingEvent(this, &TUVTableItemInfo::DrawResizeLine));
  FResizing = false;
  bool column = (State & uvtsColumnResize) != 0;
  Integer limit, oldPos;
  Integer border = column ? FindColumnBorderPos(FResizeIndex, limit, oldPos) : FindRowBorderPos(FResizeIndex, limit, oldPos);
  Integer position = std::max((column ? X : Y) - FResizeOffset, FResizeLimit);
  TUVEditUVData* data = GetEditData();
  if (border >= 0 && position != oldPos && data && CanChangeFromInside()) {
    Integer itemNo = GetItemIndex();
    Integer oldMinWidth = column ? data->GetParaSectionMinWidth(itemNo) : 0;
    BeginTableModify();
    {
      ScopeExit close([this] { EndTableModify(); });
      if (column)
        ResizeColumn(FResizeIndex, position);
      else
        ResizeRow(FResizeIndex, position);
    }
    FormattingInfo->Width = 0;
    MarkChanged();
    if (column) {
      data->ReformatItemIfWider(itemNo, oldMinWidth);
    } else {
      data->ReformatAroundSelection(false);
      data->Invalidate();
    }
    data->Change(true);
  }
  UVData->ReleaseMouseCapture(this);
  ResumeInplaceEditor();
}

Integer TUVTableItemInfo::FindColumnBorderPos(Integer Index, Integer& Limit, Integer& Pos) {
  return BorderPosition(Index, FBorderWidth + FBorderHSpacing + FCellBorderWidth, 2 * FCellBorderWidth + FCellHSpacing,
                        FormattingInfo->ColStarts, FormattingInfo->Width, GetColCount(), Limit, Pos);
}

Integer TUVTableItemInfo::FindRowBorderPos(Integer Index, Integer& Limit, Integer& Pos) {
  return BorderPosition(Index, FBorderWidth + FBorderVSpacing + FCellBorderWidth, 2 * FCellBorderWidth + FCellVSpacing,
                        FormattingInfo->RowStarts, FormattingInfo->Height, GetRowCount(), Limit, Pos);
}

void TUVTableItemInfo::ResizeColumn(Integer Border, Integer Position) {
  TUVTableItemFormattingInfo* fi = FormattingInfo;
  Integer colCount = GetColCount();
  Integer limit, oldPos;
  if (FindColumnBorderPos(Border, limit, oldPos) < 0) return;
  Integer Delta = Position - oldPos;
  Integer col = Border - 1;
  bool rightEdge = Border == colCount;
  // Half the gap between the dragged border and the next column (or the table's edge).
  Integer halfGap = rightEdge ? (FBorderWidth + FBorderHSpacing + FCellBorderWidth) / 2
                              : (2 * FCellBorderWidth + FCellHSpacing) / 2;
  auto hasPercent = [&](Integer C) {
    for (Integer r = 0; r < GetRowCount(); ++r) {
      TUVTableCellData* cell = GetCells(r, C);
      if (cell && cell->ColSpan == 1 && cell->BestWidth < 0) return true;
    }
    return false;
  };
  Integer newWidth = fi->ColWidths[static_cast<std::size_t>(col)] + Delta;
  if (!hasPercent(col)) {
    for (Integer r = 0; r < GetRowCount(); ++r)
      for (Integer c = 0; c <= col; ++c) {
        TUVTableCellData* cell = GetCells(r, c);
        if (!cell || c + cell->ColSpan - 1 != col) continue;
        Integer width = cell->ColSpan == 1 ? newWidth : cell->Width - 2 * FCellPadding + Delta;
        ChangeCellProperty(r, c, "BestWidth", std::max(width, 1), true, true);
      }
    if (!(State & uvtsResizeShift) && !rightEdge && !hasPercent(col + 1)) {
      // The next column keeps its right border where it was.
      Integer next = fi->ColWidths[static_cast<std::size_t>(col + 1)] - Delta;
      for (Integer r = 0; r < GetRowCount(); ++r) {
        TUVTableCellData* cell = GetCells(r, col + 1);
        if (cell && cell->ColSpan == 1) ChangeCellProperty(r, col + 1, "BestWidth", std::max(next, 1), true, true);
      }
    }
    return;
  }
  // Percentages of the width the columns share; a table whose columns have no width takes the
  // whole width as 1 pixel rather than dividing by nothing.
  Integer shared = std::max(fi->Width - GetHorzExtra(), 1);
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c <= col; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell || c + cell->ColSpan - 1 != col) continue;
      Integer w = Position - fi->ColStarts[static_cast<std::size_t>(c)] - halfGap;
      ChangeCellProperty(r, c, "BestWidth", std::min(-(w * 100) / shared, -1), true, true);
    }
}

void TUVTableItemInfo::ResizeRow(Integer Border, Integer Position) {
  TUVTableItemFormattingInfo* fi = FormattingInfo;
  Integer rowCount = GetRowCount();
  Integer row = Border - 1;
  Integer halfGap = Border == rowCount ? (FBorderWidth + FBorderVSpacing + FCellBorderWidth) / 2
                                       : (2 * FCellBorderWidth + FCellVSpacing) / 2;
  for (Integer r = 0; r <= row; ++r)
    for (Integer c = 0; c < GetColCount(); ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell || r + cell->RowSpan - 1 != row) continue;
      Integer height = Position - fi->RowStarts[static_cast<std::size_t>(r)] - 2 * FCellPadding - halfGap;
      ChangeCellProperty(r, c, "BestHeight", std::max(height, 0), false, true);
    }
}
