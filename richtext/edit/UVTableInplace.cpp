// The table's side of the cell editor: opening it over a cell with the cell's items, moving it
// from cell to cell and out of the table, laying the table out again as the cell's text grows or
// shrinks, and giving the items back as one undoable change of the table when it closes.
#include <memory>

#include "classlib/Handles.h"
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/UVTableUndo.h"

TCustomUzurUvadEdit* TUVTableItemInfo::GetHostEditor() const {
  auto* data = dynamic_cast<VUzurUvadUVData*>(Rows->MainUVData);
  return data ? dynamic_cast<TCustomUzurUvadEdit*>(data->GetViewer()) : nullptr;
}

TCustomUVFormattedData* TUVTableItemInfo::GetEditingData(TUVTableCellData* Cell) {
  if (FInplaceEditor && FInplaceEditor->Cell == Cell) return FInplaceEditor->GetEditData();
  return Cell;
}

void TUVTableItemInfo::GetEditedCell(Integer& Row, Integer& Col) {
  Row = FInplaceEditor ? FInplaceEditor->Row : -1;
  Col = FInplaceEditor ? FInplaceEditor->Col : -1;
}

bool TUVTableItemInfo::EnterCell(Integer Row, Integer Col, bool AtEnd, bool ByClick) {
  TUVEditUVData* data = GetEditData();
  TCustomUzurUvadEdit* host = GetHostEditor();
  if (!data || !host || !FOptions.Contains(uvtoEditing) || !(State & uvtsInDocument) || Rows->IsEmpty() ||
      Row < 0 || Row >= GetRowCount() || Col < 0 || Col >= GetColCount())
    return false;
  Integer mainRow, mainCol;
  TUVTableCellData* cell = Rows->GetMainCell(Row, Col, mainRow, mainCol);
  if (!cell) return false;
  TUVTableInplaceEdit* editor = FInplaceEditor;
  if (!editor || editor->Cell != cell) {
    if (!AllowCellEditing(mainRow, mainCol, false)) return false;
    // The control moves on to the new cell (it may be running this very move).
    editor = DetachInplaceEditor();
    if (!editor) {
      editor = new TUVTableInplaceEdit(host);
      editor->SetParent(host);
      editor->ForwardEventsToHost();
    }
    Integer itemNo = GetItemIndex();
    Deselect();
    data->Deselect(this, false);
    editor->SetHostData(data);
    editor->SetEditorOptions(TUVEditorOptions(host->GetEditorOptions()) << uvoWantTabs);
    editor->SetReadOnly(host->GetReadOnly());
    editor->SetCell(mainRow, mainCol, FCellPadding, this);
    editor->SetColor(cell->GetEffectiveColor());
    FSectionMinWidth = data->GetParaSectionMinWidth(itemNo);
    TUVEditUVData* editData = editor->GetEditData();
    editData->Clear();
    editData->AppendFrom(cell);
    cell->ClearFormattingData();
    // Chosen once its items have moved: moving them deselects the cell, which lets go of it.
    ChooseCell(cell);
    FInplaceEditor = editor;
    host->SetInplaceEditor(editor);
    editor->OnChange = TNotifyEvent(this, &TUVTableItemInfo::InplaceChanged);
    PlaceInplaceEditor();
    editor->Format();
    FEditorHeight = editData->DocumentHeight;
    FEditorMinWidth = cell->GetMinWidth(nullptr, nullptr);
    editor->SetVisible(true);
  }
  editor->ClickTime = ByClick ? static_cast<DWORD>(::GetMessageTime()) : 0;
  TUVEditUVData* editData = editor->GetEditData();
  Integer count = editData->GetItemCount();
  if (count > 0) {
    Integer item = AtEnd ? count - 1 : 0;
    Integer offs = AtEnd ? editData->GetOffsAfterItem(item) : editData->GetOffsBeforeItem(item);
    editor->SetSelectionBounds(item, offs, item, offs);
  }
  if (editor->CanFocus()) editor->SetFocus();
  host->Invalidate();
  return true;
}

bool TUVTableItemInfo::EnterItem(Integer From, Integer Coord) {
  if (Rows->IsEmpty() || !FOptions.Contains(uvtoEditing) || !GetHostEditor()) return false;
  Integer last = GetRowCount() - 1;
  Integer col = -1;
  if (From == 2 || From == 3) {
    // The column under the caret's x; none left of a column's start or right of the last.
    const auto& starts = FormattingInfo->ColStarts;
    const auto& widths = FormattingInfo->ColWidths;
    for (std::size_t c = 0; c < starts.size() && c < widths.size() && col < 0; ++c)
      if (starts[c] <= Coord && Coord <= starts[c] + widths[c]) col = static_cast<Integer>(c);
    if (col < 0) return false;
  }
  switch (From) {
    case 0: EnterCell(0, 0, false); return true;
    case 1: EnterCell(last, GetColCount() - 1, true); return true;
    case 2: EnterCell(0, col, false); return true;
    case 3: EnterCell(last, col, true); return true;
    default: return false;
  }
}

void TUVTableItemInfo::PlaceInplaceEditor() {
  TCustomUVFormattedData* data = GetFormattedParent();
  if (!FInplaceEditor || !data) return;
  TUVTableCellData* cell = FInplaceEditor->Cell;
  Integer x, y;
  if (!data->GetItemClientCoords(GetItemIndex(), x, y)) return;
  Integer offset = std::max(cell->GetVAlignOffset(), 0);
  FInplaceEditor->SetBounds(x + cell->Left, y + cell->Top + offset, cell->Width, std::max(cell->Height - offset, 1));
}

void TUVTableItemInfo::InplaceChanged(TObject* /*Sender*/) {
  TUVEditUVData* data = GetEditData();
  if (!FInplaceEditor || !data || (State & uvtsEditorRelayout)) return;
  TUVEditUVData* editData = FInplaceEditor->GetEditData();
  Integer height = editData->DocumentHeight;
  Integer minWidth = FInplaceEditor->Cell->GetMinWidth(nullptr, nullptr);
  if (height != FEditorHeight || minWidth != FEditorMinWidth) {
    // The cell's text needs another size: the table is laid out again around the editor.
    State |= uvtsEditorRelayout;
    ScopeExit clear([this] { State &= ~static_cast<Word>(uvtsEditorRelayout); });
    FEditorHeight = height;
    FEditorMinWidth = minWidth;
    FormattingInfo->Width = 0;
    MarkChanged();
    Integer itemNo = GetItemIndex();
    data->ReformatItemIfWider(itemNo, FSectionMinWidth);
    FSectionMinWidth = data->GetParaSectionMinWidth(itemNo);
    PlaceInplaceEditor();
    if (TCustomUzurUvadEdit* host = GetHostEditor()) host->Invalidate();
  }
  data->Change(true);
}

TUVTableInplaceEdit* TUVTableItemInfo::DetachInplaceEditor() {
  TUVTableInplaceEdit* editor = FInplaceEditor;
  if (!editor) return nullptr;
  // A cell editor open inside this one (on a cell of a table in this cell) gives its cell back
  // first: its edits become an action of this editor and move on with the others below, and
  // nothing is left pointing at an editor about to go.
  if (editor->GetInplaceEditor()) editor->CloseInplaceEditor();
  FInplaceEditor = nullptr;
  FEditorMouse = false;
  editor->OnChange = TNotifyEvent();
  if (TCustomUzurUvadEdit* host = GetHostEditor(); host && host->GetInplaceEditor() == editor)
    host->SetInplaceEditor(nullptr);
  editor->SetVisible(false);
  TUVTableCellData* cell = editor->Cell;
  TUVEditUVData* editData = editor->GetEditData();
  TUVEditUVData* data = GetEditData();
  Integer row = -1, col = -1;
  FindCellPosition(cell, row, col);
  // What was done in the cell is one undoable change of the table, performed again out of
  // sight when it is undone.
  Integer actions = editData->UndoList->GetCount();
  if (actions > 0 && data && row >= 0) {
    BeginTableModify();
    ScopeExit close([this] { EndTableModify(); });
    auto* record = new TUVUndoMultiCellsModify();
    record->ItemNo = GetItemIndex();
    record->UndoList->Owner = data;
    record->UndoList->SetLimit(-1);
    if (RecordUndo(static_cast<TUVUndoInfo*>(record))) {
      record->Rows.push_back(row);
      record->Cols.push_back(col);
      record->ActionCounts.push_back(actions);
      while (editData->UndoList->GetCount() > 0) {
        auto* action = editData->UndoList->GetAction(0);
        editData->UndoList->DeleteWithoutFree(0);
        record->UndoList->AppendAction(action);
      }
    }
  }
  editData->UndoList->Clear();
  editData->RedoList->Clear();
  cell->Clear();
  cell->AppendFrom(editData);
  editData->Clear();
  editor->Table = nullptr;
  editor->Cell = nullptr;
  ReleaseChosenCell(cell);
  MarkChanged();
  FormattingInfo->Width = 0;
  if (data) {
    Integer itemNo = GetItemIndex();
    if (itemNo >= 0 && !(data->State & uvstFormatting)) data->ReformatItemIfWider(itemNo, FSectionMinWidth);
    data->Invalidate();
  }
  return editor;
}

void TUVTableItemInfo::DropInplaceEditor() {
  // The table goes: its cells need nothing back, and the control showing it may be going too.
  TUVTableInplaceEdit* editor = FInplaceEditor;
  if (!editor) return;
  FInplaceEditor = nullptr;
  editor->Table = nullptr;
  editor->Cell = nullptr;
  editor->OnChange = TNotifyEvent();
  if (TCustomUzurUvadEdit* host = GetHostEditor(); host && host->GetInplaceEditor() == editor)
    host->SetInplaceEditor(nullptr);
  delete editor;
}

void TUVTableItemInfo::CloseInplaceEditor(bool KeepCaret) {
  // The keyboard stays in the control showing the table.
  bool focused = FInplaceEditor && FInplaceEditor->Focused();
  std::unique_ptr<TUVTableInplaceEdit> editor(DetachInplaceEditor());
  if (!editor) return;
  TCustomUzurUvadEdit* host = GetHostEditor();
  Integer itemNo = GetItemIndex();
  if (KeepCaret && host && itemNo >= 0) host->SetSelectionBounds(itemNo, 1, itemNo, 1);
  if ((KeepCaret || focused) && host && host->CanFocus() && !host->GetComponentState().Contains(csDestroying))
    host->SetFocus();
}

void TUVTableItemInfo::SuspendInplaceEditor() {
  if (!FInplaceEditor) return;
  if (FEditorMouse) throw EUVTableInplaceError("Cannot destroy cell inplace editor at this time");
  FSuspendedRow = FInplaceEditor->Row;
  FSuspendedCol = FInplaceEditor->Col;
  Integer* s = FSuspendedSelection;
  FInplaceEditor->GetSelectionBounds(s[0], s[1], s[2], s[3], false);
  CloseInplaceEditor(false);
}

void TUVTableItemInfo::ResumeInplaceEditor() {
  if (FSuspendedRow < 0) return;
  Integer row = FSuspendedRow, col = FSuspendedCol;
  FSuspendedRow = FSuspendedCol = -1;
  if (row >= GetRowCount() || col >= GetColCount() || !EnterCell(row, col) || !FInplaceEditor) return;
  const Integer* s = FSuspendedSelection;
  Integer count = FInplaceEditor->GetEditData()->GetItemCount();
  if (s[0] >= 0 && s[0] < count && s[2] >= 0 && s[2] < count) FInplaceEditor->SetSelectionBounds(s[0], s[1], s[2], s[3]);
}

void TUVTableItemInfo::MoveFromCell(Integer Direction) {
  TUVTableInplaceEdit* editor = FInplaceEditor;
  TCustomUzurUvadEdit* host = GetHostEditor();
  if (!editor || !host) return;
  Integer itemNo = GetItemIndex();
  Integer row = editor->Row, col = editor->Col;
  Integer item = itemNo, offs = 1;
  if (Direction == 4 || Direction == 5) {
    TUVEditUVData* data = GetEditData();
    item = Direction == 4 ? 0 : data->GetItemCount() - 1;
    offs = Direction == 4 ? data->GetOffsBeforeItem(item) : data->GetOffsAfterItem(item);
  } else {
    Integer newRow, newCol;
    if (GetCellNeighbour(row, col, Direction, newRow, newCol)) {
      EnterCell(newRow, newCol, Direction == 0 || Direction == 1 || Direction == 7);
      return;
    }
    // Tab in the last cell and Shift+Tab in the first stay where they are.
    if (Direction == 6 || Direction == 7) return;
    offs = Direction == 0 || Direction == 1 ? 0 : 1;
  }
  // Out of the table: the host's caret before or after it, and the editor goes once its own
  // message has been handled.
  DetachInplaceEditor();
  item = std::min(item, GetEditData()->GetItemCount() - 1);
  host->SetSelectionBounds(item, offs, item, offs);
  if (host->CanFocus()) host->SetFocus();
  host->Invalidate();
  if (editor->HandleAllocated()) ::PostMessageA(editor->GetHandle(), WM_UVCLOSECELLEDITOR, 0, 0);
}
