// Editing operations applied to the selected cells of a table at once (text and paragraph style
// changes of the editor): each selected cell's items are moved into a hidden editor document, the
// operation runs there on everything, and the items go back; the actions it recorded are kept,
// cell by cell, in one record of the table, which performs them again the same way.
#include <algorithm>
#include <memory>

#include "classlib/Handles.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/UVTableUndo.h"
#include "richtext/edit/UVWindowlessEdit.h"

namespace {

// A document for editing one cell's items out of sight, with the table's document's settings;
// it records undo when that document does.
std::unique_ptr<TUVWindowlessEditData> HiddenEditor(TUVEditUVData* Host) {
  auto hidden = std::make_unique<TUVWindowlessEditData>(Host->GetUVStyle());
  hidden->Options = Host->GetOptions();
  hidden->UVFOptions = Host->GetUVFOptions();
  hidden->RTFOptions = Host->GetRTFOptions();
  hidden->EditorOptions = Host->GetEditorOptions();
  hidden->LeftMargin = hidden->RightMargin = hidden->TopMargin = hidden->BottomMargin = 0;
  Integer limit = Host->UndoList->GetLimit() != 0 ? -1 : 0;
  hidden->UndoList->SetLimit(limit);
  hidden->RedoList->SetLimit(limit);
  // The style conversions of the hidden document are the host editor's.
  hidden->OnStyleConversion = [Host](Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo) {
    Host->DoStyleConversion(StyleNo, UserData, AppliedToText, NewStyleNo);
  };
  hidden->OnParaStyleConversion = [Host](Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo) {
    Host->DoParaStyleConversion(StyleNo, UserData, AppliedToText, NewStyleNo);
  };
  return hidden;
}

// Moves a cell's items into the hidden document, laid out at the cell's width, all selected.
void TakeCell(TUVWindowlessEditData& Hidden, TUVTableCellData* Cell) {
  Hidden.Clear();
  Hidden.ClientWidth = std::max(Cell->GetWidth(), 1);
  Hidden.AppendFrom(Cell);
  Cell->ClearFormattingData();
  Hidden.Format(false, true, false, 0, nullptr, false, false);
  Hidden.SelectAll();
}

// Runs Action with the hidden document's layout requests answered at once.
template <class Action>
void Unformatted(TUVWindowlessEditData& Hidden, Action&& Run) {
  Hidden.State |= uvstFormatting;
  ScopeExit restore([&Hidden] { Hidden.State &= ~static_cast<Cardinal>(uvstFormatting); });
  Run();
}

// Moves the first Count actions of From to the end of To.
void MoveActions(TUVUndoList* From, Integer Count, TUVUndoList* To) {
  for (Integer i = 0; i < Count && From->GetCount() > 0; ++i) {
    auto* action = From->GetAction(0);
    From->DeleteWithoutFree(0);
    To->AppendAction(action);
  }
}

}  // namespace

void TUVTableItemInfo::ApplyStyleConversionToSubDocuments(Integer UserData, bool /*SelectedOnly*/) {
  ApplyToSelectedCells(0, UserData);
}

void TUVTableItemInfo::ApplyParaStyleToSubDocuments(Integer ParaNo) { ApplyToSelectedCells(1, ParaNo); }

void TUVTableItemInfo::ApplyParaStyleConversionToSubDocuments(Integer UserData) { ApplyToSelectedCells(2, UserData); }

bool TUVTableItemInfo::AllowCellEditing(Integer Row, Integer Col, bool Automatic) {
  bool allow = true;
  if (OnCellEditing) OnCellEditing(this, Row, Col, Automatic, allow);
  return allow;
}

void TUVTableItemInfo::ApplyToSelectedCells(Integer Operation, Integer Value) {
  Integer top, left, rows, cols;
  if (!FOptions.Contains(uvtoEditing) || !GetNormalizedSelectionBounds(false, top, left, rows, cols) ||
      !CanChangeFromInside())
    return;
  TUVEditUVData* data = GetEditData();
  Integer itemNo = GetItemIndex();
  Integer oldMinWidth = data->GetParaSectionMinWidth(itemNo);
  BeginTableModify();
  {
    ScopeExit close([this] { EndTableModify(); });
    auto* record = new TUVUndoMultiCellsModify();
    record->ItemNo = itemNo;
    record->UndoList->Owner = data;
    record->UndoList->SetLimit(-1);
    if (!RecordUndo(static_cast<TUVUndoInfo*>(record))) record = nullptr;
    std::unique_ptr<TUVWindowlessEditData> hidden = HiddenEditor(data);
    for (Integer r = 0; r < GetRowCount(); ++r)
      for (Integer c = 0; c < GetColCount(); ++c) {
        TUVTableCellData* cell = GetCells(r, c);
        if (!cell || !IsCellSelected(r, c) || !AllowCellEditing(r, c, true)) continue;
        TakeCell(*hidden, cell);
        ScopeExit giveBack([&] { cell->AppendFrom(hidden.get()); });
        Unformatted(*hidden, [&] {
          switch (Operation) {
            case 0:
              hidden->ApplyStyleConversion(Value);
              break;
            case 1:
            case 2:
              hidden->OpenUndoAction(uvutPara);
              hidden->ApplyParaStyle(Value, Operation == 2);
              break;
          }
          hidden->UndoList->DropEmptyLast();
        });
        MarkChanged();
        Integer actions = hidden->UndoList->GetCount();
        if (record && actions > 0) {
          record->Rows.push_back(r);
          record->Cols.push_back(c);
          record->ActionCounts.push_back(actions);
          MoveActions(hidden->UndoList, actions, record->UndoList);
        }
      }
  }
  if (State & uvtsRelayout) data->ReformatItemIfWider(itemNo, oldMinWidth);
  data->Change(true);
}

bool TUVUndoMultiCellsModify::MayChangeMinWidthBefore(TUVEditUVData* UVData) {
  OldMinWidth = UVData->CalculateParaSectionMinWidthDef(ItemNo);
  return OldMinWidth >= UVData->DocumentWidth;
}

bool TUVUndoMultiCellsModify::MayChangeMinWidthAfter(TUVEditUVData* UVData) {
  Integer width = UVData->CalculateParaSectionMinWidthDef(ItemNo);
  return width != OldMinWidth && (width > UVData->DocumentWidth || OldMinWidth >= UVData->DocumentWidth);
}

void TUVUndoMultiCellsModify::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  auto* opposite = new TUVUndoMultiCellsModify();
  opposite->ItemNo = ItemNo;
  opposite->Redo = !Redo;
  opposite->UndoList->Owner = UVData;
  opposite->UndoList->SetLimit(-1);
  if (!table->RecordUndo(static_cast<TUVUndoInfo*>(opposite))) opposite = nullptr;
  std::unique_ptr<TUVWindowlessEditData> hidden = HiddenEditor(UVData);
  for (std::size_t i = 0; i < Rows.size(); ++i) {
    TUVTableCellData* cell = table->GetCells(Rows[i], Cols[i]);
    if (!cell) continue;
    TakeCell(*hidden, cell);
    ScopeExit giveBack([&] { cell->AppendFrom(hidden.get()); });
    // The cell's actions are performed again, last first, from the list they belong to (typing
    // records its opposite straight into the other list); what that records there is the
    // opposite.
    TUVUndoList* from = Redo ? hidden->RedoList : hidden->UndoList;
    TUVUndoList* back = Redo ? hidden->UndoList : hidden->RedoList;
    MoveActions(UndoList, ActionCounts[i], from);
    Unformatted(*hidden, [&] {
      while (from->GetCount() > 0) {
        if (Redo)
          from->Redo(hidden.get());
        else
          from->Undo(hidden.get());
      }
    });
    Integer actions = back->GetCount();
    if (opposite && actions > 0) {
      opposite->Rows.push_back(Rows[i]);
      opposite->Cols.push_back(Cols[i]);
      opposite->ActionCounts.push_back(actions);
      MoveActions(back, actions, opposite->UndoList);
    }
  }
  Rows.clear();
  Cols.clear();
  ActionCounts.clear();
  table->MarkChanged();
}

// ---------------------------------------------------------------------------------------------
// A table in a cell that is not edited in place

struct TUVTableItemInfo::TCellChange {
  std::unique_ptr<TUVWindowlessEditData> Hidden;
  TUVTableCellData* Cell = nullptr;
  TUVTableItemInfo* Outer = nullptr;
  Integer Row = -1;
  Integer Col = -1;
  // The minimal width of the holding table's paragraph section, when that table lies in an
  // editor's document itself.
  Integer OldMinWidth = 0;
};

void TUVTableItemInfo::BeginCellChange() {
  if (FCellChange || GetEditData() || !(State & uvtsInDocument) || !CanRecordUndo()) return;
  auto* cell = dynamic_cast<TUVTableCellData*>(Rows->MainUVData);
  TUVTableItemInfo* outer = cell ? cell->GetTable() : nullptr;
  auto* root = cell ? dynamic_cast<TUVEditUVData*>(cell->GetAbsoluteRootData()) : nullptr;
  Integer row, col;
  if (!outer || !root || !outer->FindCellPosition(cell, row, col)) return;
  auto* change = new TCellChange();
  change->Hidden = HiddenEditor(root);
  change->Cell = cell;
  change->Outer = outer;
  change->Row = row;
  change->Col = col;
  if (TUVEditUVData* data = outer->GetEditData()) change->OldMinWidth = data->GetParaSectionMinWidth(outer->GetItemIndex());
  TakeCell(*change->Hidden, cell);
  change->Hidden->Deselect(nullptr, false);
  FCellChange = change;
}

void TUVTableItemInfo::EndCellChange() {
  std::unique_ptr<TCellChange> change(FCellChange);
  FCellChange = nullptr;
  if (!change) return;
  TUVWindowlessEditData* hidden = change->Hidden.get();
  TUVTableCellData* cell = change->Cell;
  TUVTableItemInfo* outer = change->Outer;
  // The recorded actions are taken before the items go back (that clears the hidden document).
  TUVUndoList recorded;
  Integer actions = hidden->UndoList->GetCount();
  MoveActions(hidden->UndoList, actions, &recorded);
  cell->AppendFrom(hidden);
  outer->MarkChanged();
  outer->FormattingInfo->Width = 0;
  if (actions > 0) {
    // What the change recorded becomes the cell's actions in one change of the holding table.
    outer->BeginTableModify(false);
    ScopeExit close([outer] { outer->EndTableModify(); });
    TUVEditUVData* data = outer->GetEditData();
    auto* record = new TUVUndoMultiCellsModify();
    record->ItemNo = outer->GetItemIndex();
    record->UndoList->Owner = data;
    record->UndoList->SetLimit(-1);
    if (data && outer->RecordUndo(static_cast<TUVUndoInfo*>(record))) {
      record->Rows.push_back(change->Row);
      record->Cols.push_back(change->Col);
      record->ActionCounts.push_back(actions);
      MoveActions(&recorded, actions, record->UndoList);
    }
  }
  // The holding table in an editor's document is laid out again there; one that lies in a cell
  // itself is laid out with the table holding it.
  if (TUVEditUVData* data = outer->GetEditData(); data && !outer->FCellChange) {
    Integer itemNo = outer->GetItemIndex();
    if (itemNo >= 0 && data->DrawItems->GetCount() > 0) data->ReformatItemIfWider(itemNo, change->OldMinWidth);
    data->Change(true);
  }
}

void TUVTableItemInfo::DropCellChange() {
  delete FCellChange;
  FCellChange = nullptr;
}

