// What a table's document asks of it to move, search and write through its cells: the cell next
// to another, its cells one after another in reading order, searching on from cell to cell,
// emptying the selected cells, the plain text of the grid, and the rows that merged cells join.
#include <algorithm>

#include "classlib/Handles.h"
#include "classlib/Streams.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEUVData.h"
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"

namespace {

// The position of a cell read from a saved position, or -1, -1.
void StoredPosition(TUVStoreSubUVData* State, Integer& Row, Integer& Col) {
  auto* stored = dynamic_cast<TUVTableStoreSubUVData*>(State);
  Row = stored ? stored->Row : -1;
  Col = stored ? stored->Col : -1;
}

}  // namespace

bool TUVTableItemInfo::GetCellNeighbour(Integer Row, Integer Col, Integer Direction, Integer& NewRow,
                                        Integer& NewCol) const {
  NewRow = NewCol = -1;
  Integer rows = GetRowCount(), cols = GetColCount();
  if (Row < 0 || Row >= rows || Col < 0 || Col >= cols) return false;
  Integer mainRow = Row, mainCol = Col;
  TUVTableCellData* cell = Rows->GetMainCell(Row, Col, mainRow, mainCol);
  if (!cell) return false;
  Integer r = Row, c = Col;
  switch (Direction) {
    case 0: c = mainCol - 1; break;
    case 1: r = mainRow - 1; break;
    case 2: c = mainCol + cell->ColSpan; break;
    case 3: r = mainRow + cell->RowSpan; break;
    case 6:
    case 7: {
      // Positions in reading order from the cell's own; the next that holds a cell of its own.
      Integer step = Direction == 6 ? 1 : -1;
      for (Integer p = mainRow * cols + mainCol + step; p >= 0 && p < rows * cols; p += step)
        if (GetCells(p / cols, p % cols)) {
          NewRow = p / cols;
          NewCol = p % cols;
          return true;
        }
      return false;
    }
    default: return false;
  }
  if (r < 0 || r >= rows || c < 0 || c >= cols) return false;
  return Rows->GetMainCell(r, c, NewRow, NewCol) != nullptr;
}

namespace {

// Numbers the hyperlinks of a document from JumpCount on, through the tables nested in it, and
// gives the areas it keeps for them the same numbers.
void NumberJumps(TCustomUVFormattedData* Data, Integer& JumpCount) {
  TUVStyle* style = Data->GetUVStyle();
  for (Integer i = 0; i < Data->GetItemCount(); ++i) {
    TCustomUVItemInfo* item = Data->GetItem(i);
    if (item->QueryStyledFlag(uvbspJump, style))
      item->HyperlinkId = JumpCount++;
    else
      item->BuildJumps(0, 0, JumpCount, nullptr);
  }
  for (Integer j = 0; j < Data->Jumps->GetCount(); ++j) {
    auto* jump = static_cast<TUVJumpInfo*>(Data->Jumps->Get(j));
    if (jump->DrawItemNo >= 0 && jump->DrawItemNo < Data->DrawItems->GetCount())
      jump->Id = Data->GetItem(Data->DrawItems->Get(jump->DrawItemNo)->ItemNo)->HyperlinkId;
  }
}

}  // namespace

void TUVTableItemInfo::BuildJumps(Integer Left, Integer Top, Integer& JumpCount, TUVList* Jumps) {
  Integer rows = GetRowCount(), cols = GetColCount();
  for (Integer r = 0; r < rows; ++r)
    for (Integer c = 0; c < cols; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      if (FInplaceEditor && FInplaceEditor->Cell == cell) {
        // The cell editor numbers its own hyperlinks: from here on, as the document's.
        auto* root = dynamic_cast<TCustomUVData*>(GetFormattedParent() ? GetFormattedParent()->GetAbsoluteRootData()
                                                                        : nullptr);
        FInplaceEditor->SetFirstJumpNo((root ? root->FirstJumpNo : 0) + JumpCount);
        JumpCount += FInplaceEditor->GetEditData()->JumpCount;
        continue;
      }
      NumberJumps(cell, JumpCount);
      // The document finds the cell's hyperlinks among its own, at the cell's place in the table.
      if (!Jumps) continue;
      for (Integer j = 0; j < cell->Jumps->GetCount(); ++j) {
        auto* own = static_cast<TUVJumpInfo*>(cell->Jumps->Get(j));
        if (own->DrawItemNo < 0 || own->DrawItemNo >= cell->DrawItems->GetCount()) continue;
        TUVDrawLineInfo* dli = cell->DrawItems->Get(own->DrawItemNo);
        auto* info = new TUVJumpInfo();
        info->Left = Left + cell->Left + FCellPadding + dli->Left;
        info->Top = Top + cell->Top + FCellPadding + cell->GetVAlignOffset() + dli->Top;
        info->Width = dli->Width;
        info->Height = dli->Height;
        info->Id = own->Id;
        info->UVData = cell;
        info->DrawItemNo = own->DrawItemNo;
        info->Cursor = own->Cursor;
        Jumps->Add(info);
      }
    }
}

void TUVTableItemInfo::SetFocusedCell(Integer Row, Integer Col) {
  FocusedRow = Row;
  FocusedCol = Col;
}

bool TUVTableItemInfo::LocateControl(TControl* Control, TCustomUVFormattedData*& FocusedData,
                                     Integer& FocusedItemNo) {
  Integer rows = GetRowCount(), cols = GetColCount();
  for (Integer r = 0; r < rows; ++r)
    for (Integer c = 0; c < cols; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      TCustomUVFormattedData* data = GetEditingData(cell);
      Integer itemNo = data->FindControlItemNo(Control);
      TCustomUVFormattedData* nestedData = nullptr;
      Integer nestedNo = -1;
      // A control of a table nested in the cell: that table answers for its own cells.
      for (Integer i = 0; itemNo < 0 && i < data->GetItemCount(); ++i)
        if (data->GetItem(i)->LocateControl(Control, nestedData, nestedNo)) itemNo = i;
      if (itemNo < 0) continue;
      SetFocusedCell(r, c);
      data->SetFocusedItemNo(itemNo);
      if (data->GetItem(itemNo)->QueryFlag(uvbpImmediateControlOwner)) {
        FocusedData = data;
        FocusedItemNo = itemNo;
      } else {
        FocusedData = nestedData;
        FocusedItemNo = nestedNo;
      }
      return true;
    }
  return false;
}

TCustomUVFormattedData* TUVTableItemInfo::GetSubDocument(TUVStoreSubUVData*& StoreState,
                                                         TUVSubDocumentPosition Position) {
  Integer rows = GetRowCount(), cols = GetColCount();
  if (Rows->IsEmpty()) return nullptr;
  Integer r = -1, c = -1;
  switch (Position) {
    case uvsdFirst: r = c = 0; break;
    case uvsdLast:
      // The last position that holds a cell of its own.
      for (Integer p = rows * cols - 1; p >= 0 && r < 0; --p)
        if (GetCells(p / cols, p % cols)) {
          r = p / cols;
          c = p % cols;
        }
      break;
    case uvsdChosenDown:
    case uvsdChosenUp: {
      Integer top, left, rowCount, colCount;
      if (GetNormalizedSelectionBounds(false, top, left, rowCount, colCount) && (State & uvtsCellsSelected)) {
        bool down = Position == uvsdChosenDown;
        Integer first = down ? rowCount * colCount - 1 : 0;
        for (Integer i = first; i >= 0 && i < rowCount * colCount && r < 0; i += down ? -1 : 1) {
          Integer row = top + i / colCount, col = left + i % colCount;
          if (GetCells(row, col)) {
            r = row;
            c = col;
          }
        }
      } else if (ChosenRow >= 0 && ChosenRow < rows && ChosenCol >= 0 && ChosenCol < cols &&
                 GetCells(ChosenRow, ChosenCol)) {
        r = ChosenRow;
        c = ChosenCol;
      }
      break;
    }
    case uvsdNext:
    case uvsdPrev: {
      auto* stored = dynamic_cast<TUVTableStoreSubUVData*>(StoreState);
      if (!stored || !GetCellNeighbour(stored->Row, stored->Col, Position == uvsdNext ? 6 : 7, r, c)) return nullptr;
      stored->Row = r;
      stored->Col = c;
      return GetCells(r, c);
    }
  }
  if (r < 0) return nullptr;
  StoreState = new TUVTableStoreSubUVData(r, c);
  return GetCells(r, c);
}

TCustomUVFormattedData* TUVTableItemInfo::ChooseSubDocument(TUVStoreSubUVData* StoreState) {
  Integer r, c;
  StoredPosition(StoreState, r, c);
  if (r < 0 || r >= GetRowCount() || c < 0 || c >= GetColCount() || !GetCells(r, c)) return nullptr;
  TUVTableCellData* cell = GetCells(r, c);
  // Choosing lets go of the cell chosen before; the selection made in this one stays.
  Integer si, so, ei, eo;
  cell->GetSelectionItemBounds(false, si, so, ei, eo);
  if (TCustomUVFormattedData* data = GetFormattedParent()) {
    data->Deselect(this, false);
    data->ChosenItem = this;
  }
  ChooseCell(cell);
  if (si >= 0 && ei >= 0) cell->SetSelBoundsFromItems(si, so, ei, eo);
  FocusedRow = r;
  FocusedCol = c;
  return cell;
}

TCustomUVFormattedData* TUVTableItemInfo::GetSubDocumentAtPos(Integer X, Integer Y) {
  Integer r, c;
  return GetCellAt(X, Y, r, c) ? GetCells(r, c) : nullptr;
}

bool TUVTableItemInfo::SearchText(bool Down, bool MatchCase, bool WholeWord, const AnsiString& Text) {
  // The cells are searched with their own items: the cell editor gives its cell back first, and
  // the search starts in that cell.
  if (FInplaceEditor) {
    Integer row = FInplaceEditor->Row, col = FInplaceEditor->Col;
    CloseInplaceEditor(false);
    FocusedRow = row;
    FocusedCol = col;
  }
  Integer rows = GetRowCount(), cols = GetColCount();
  auto valid = [&](Integer r, Integer c) { return r >= 0 && r < rows && c >= 0 && c < cols && GetCells(r, c); };
  // Positions left over from before rows or columns went are forgotten.
  if (!valid(FocusedRow, FocusedCol)) FocusedRow = FocusedCol = -1;
  Integer r = FocusedRow, c = FocusedCol;
  bool fromSelection = true;
  if (r < 0 && valid(ChosenRow, ChosenCol)) {
    r = ChosenRow;
    c = ChosenCol;
  }
  if (r < 0) {
    TUVStoreSubUVData* state = nullptr;
    if (!GetSubDocument(state, Down ? uvsdFirst : uvsdLast)) return false;
    StoredPosition(state, r, c);
    delete state;
    fromSelection = false;
  }
  for (;;) {
    TUVTableCellData* cell = GetCells(r, c);
    bool found = false;
    if (fromSelection) {
      found = cell->SearchText(Down, MatchCase, Text, WholeWord);
    } else if (Integer count = cell->GetItemCount(); count > 0) {
      Integer first = Down ? 0 : count - 1;
      found = cell->SearchFrom(Down, MatchCase, Text, WholeWord, first,
                               Down ? cell->GetOffsBeforeItem(first) : cell->GetOffsAfterItem(first), -1);
    }
    if (found) {
      TUVTableStoreSubUVData position(r, c);
      ChooseSubDocument(&position);
      return true;
    }
    if (!GetCellNeighbour(r, c, Down ? 6 : 7, r, c)) {
      // The search leaves the table: the document's own text is searched on.
      FocusedRow = FocusedCol = -1;
      if (TCustomUVFormattedData* data = GetFormattedParent(); data && data->GetChosenItem() == this) {
        if (auto* chosen = dynamic_cast<TUVTableCellData*>(data->GetChosenData())) ReleaseChosenCell(chosen);
        data->Deselect(nullptr, false);
      }
      return false;
    }
    fromSelection = false;
  }
}

void TUVTableItemInfo::StopSearch() {
  if (FocusedRow >= 0 && FocusedRow < GetRowCount() && FocusedCol >= 0 && FocusedCol < GetColCount())
    if (TUVTableCellData* cell = GetCells(FocusedRow, FocusedCol)) cell->TCustomUVFormattedData::Deselect(nullptr, false);
  FocusedRow = FocusedCol = -1;
}

bool TUVTableCellData::CanClear() {
  TUVStyle* style = GetUVStyle();
  if (!style) return true;
  for (Integer i = 0; i < GetItemCount(); ++i) {
    Integer styleNo = GetItemStyle(i);
    if (styleNo >= 0 && styleNo < style->GetTextStyles()->GetCount() &&
        style->GetTextStyles()->GetItem(styleNo)->Protection.Contains(uvprDeleteProtect))
      return false;
  }
  return true;
}

bool TUVTableItemInfo::CanClearSelectedCells() {
  Integer top, left, rowCount, colCount;
  TUVEditUVData* data = GetEditData();
  if (!FOptions.Contains(uvtoEditing) || !(State & uvtsCellsSelected) || !data || data->IsReadOnly() ||
      !GetNormalizedSelectionBounds(false, top, left, rowCount, colCount))
    return false;
  for (Integer r = top; r < top + rowCount; ++r)
    for (Integer c = left; c < left + colCount; ++c)
      if (TUVTableCellData* cell = GetCells(r, c); cell && !cell->CanClear()) return false;
  return true;
}

void TUVTableItemInfo::ClearSelectedCells() {
  Integer top, left, rowCount, colCount;
  if (!(State & uvtsCellsSelected) || !GetNormalizedSelectionBounds(false, top, left, rowCount, colCount) ||
      !CanChangeFromInside())
    return;
  std::vector<Integer> rows, cols;
  for (Integer r = top; r < top + rowCount; ++r)
    for (Integer c = left; c < left + colCount; ++c)
      if (GetCells(r, c) && IsCellSelected(r, c) && AllowCellEditing(r, c, true)) {
        rows.push_back(r);
        cols.push_back(c);
      }
  if (rows.empty()) return;
  TUVEditUVData* data = GetEditData();
  Integer itemNo = GetItemIndex();
  Integer oldMinWidth = data->GetParaSectionMinWidth(itemNo);
  BeginTableModify();
  {
    ScopeExit close([this] { EndTableModify(); });
    Rows->ClearCells(rows, cols);
  }
  MarkChanged();
  data->ReformatItemIfWider(itemNo, oldMinWidth);
  data->Change(true);
}

AnsiString TUVTableItemInfo::AsText(Integer LineWidth, TCustomUVData* UVData, const AnsiString& /*Text*/,
                                    const AnsiString& Path, bool TextOnly, bool Unicode) {
  AnsiString rowSeparator = TextRowSeparator, colSeparator = TextColSeparator;
  if (Unicode) {
    TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
    Integer codePage = style ? style->DefCodePage : 0;
    rowSeparator = AnsiToUnicodeCP(codePage, rowSeparator);
    colSeparator = AnsiToUnicodeCP(codePage, colSeparator);
  }
  AnsiString result;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    bool first = true;
    for (Integer c = 0; c < GetColCount(); ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      if (!first) result += colSeparator;
      first = false;
      TMemoryStream stream;
      GetEditingData(cell)->SaveTextToStream(&stream, Path, LineWidth, false, TextOnly, Unicode);
      result.append(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    }
    result += rowSeparator;
  }
  return result;
}

bool TUVTableItemInfo::HeadingRowsValid() const {
  Integer count = std::min(FHeadingRowCount, GetRowCount());
  if (count <= 0) return false;
  for (Integer c = 0; c < GetColCount(); ++c) {
    Integer mainRow, mainCol;
    TUVTableCellData* cell = Rows->GetMainCell(count - 1, c, mainRow, mainCol);
    if (cell && mainRow + cell->RowSpan > count) return false;
  }
  return true;
}

Integer TUVTableItemInfo::ExtendRowRangeDown(Integer Row) const {
  // A cell over Row reaching further down takes the range to its last row, which may in turn
  // hold cells reaching further.
  for (Integer c = 0; c < GetColCount(); ++c) {
    Integer mainRow, mainCol;
    TUVTableCellData* cell = Rows->GetMainCell(Row, c, mainRow, mainCol);
    if (cell && mainRow + cell->RowSpan - 1 > Row) {
      Row = mainRow + cell->RowSpan - 1;
      c = -1;
    }
  }
  return Row;
}

Integer TUVTableItemInfo::ExtendRowRangeUp(Integer Row) const {
  for (Integer c = 0; c < GetColCount(); ++c) {
    Integer mainRow, mainCol;
    if (Rows->GetMainCell(Row, c, mainRow, mainCol) && mainRow < Row) {
      Row = mainRow;
      c = -1;
    }
  }
  return Row;
}
