#include "spell/richtext/UVSer.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/DLines.h"
#include "richtext/core/UVItem.h"
#include "richtext/edit/UVEdit.h"
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"

TUVSerEntry::~TUVSerEntry() { delete CellIterator; }

TUVSerializer::TUVSerializer(TCustomUzurUvadEdit* Editor) : editor_(Editor) {
  auto root = std::make_unique<TUVSerEntry>();
  root->UVData = Editor->GetEditData();
  entries_.push_back(std::move(root));
}

TUVSerializer::~TUVSerializer() = default;

TCustomUVData* TUVSerializer::DataOf(const TUVSerEntry* E) const {
  if (E->Continues >= 0) return DataOf(Entry(E->Continues));
  if (E->Parent < 0) return E->UVData;
  auto* cell = dynamic_cast<TUVTableCellData*>(E->UVData);
  auto* table = cell ? dynamic_cast<TUVTableItemInfo*>(DataOf(Entry(E->Parent))->GetItem(E->TableItemNo)) : nullptr;
  return table ? table->GetEditingData(cell) : E->UVData;
}

void TUVSerializer::CurrentItem(TCustomUVData*& Data, Integer& ItemNo) const {
  Data = DataOf(Current());
  ItemNo = Current()->ItemNo;
}

bool TUVSerializer::HasItem() const {
  const TUVSerEntry* e = Current();
  return e->ItemNo >= e->FirstItemNo && e->ItemNo < DataOf(e)->GetItemCount();
}

void TUVSerializer::PushCell(TCustomUVFormattedData* Cell, TUVStoreSubUVData* Iterator, Integer Parent,
                             Integer TableItemNo, Integer LineBase) {
  auto entry = std::make_unique<TUVSerEntry>();
  entry->LineBase = LineBase;
  entry->UVData = Cell;
  entry->Parent = Parent;
  entry->TableItemNo = TableItemNo;
  entry->CellIterator = Iterator;
  entry->FirstItemNo = 0;
  entry->ItemNo = -1;
  entries_.push_back(std::move(entry));
  current_ = EntryCount() - 1;
}

void TUVSerializer::DropAfter(Integer Index) {
  // The rest of a document after a table carries the cell position of the entry it continues:
  // it goes back to that entry when the rest is dropped.
  for (Integer i = EntryCount() - 1; i > Index; --i) {
    TUVSerEntry* e = Entry(i);
    if (e->Continues >= 0 && e->CellIterator && !Entry(e->Continues)->CellIterator) {
      Entry(e->Continues)->CellIterator = e->CellIterator;
      e->CellIterator = nullptr;
    }
    entries_.pop_back();
  }
  current_ = std::min(current_, Index);
}

bool TUVSerializer::NextItem() {
  if (atEnd_) return false;
  // The last line reached: new entries number their items from the line after it.
  Integer reached = CurrentLine();
  for (;;) {
    TUVSerEntry* e = Current();
    reached = std::max(reached, e->CurrentLine());
    TCustomUVData* data = DataOf(e);
    if (e->ItemNo + 1 < data->GetItemCount()) {
      ++e->ItemNo;
      TUVStoreSubUVData* state = nullptr;
      TCustomUVItemInfo* item = data->GetItem(e->ItemNo);
      if (TCustomUVFormattedData* cell = item->GetSubDocument(state, uvsdFirst)) {
        PushCell(cell, state, current_, e->ItemNo, e->CurrentLine() + 1);
        continue;
      }
      delete state;
      return true;
    }
    if (e->Parent < 0) {
      atEnd_ = true;
      return false;
    }
    // The end of a cell: the table's next cell, or back to the table's document.
    TUVSerEntry* holder = Entry(e->Parent);
    TCustomUVItemInfo* table = DataOf(holder)->GetItem(e->TableItemNo);
    if (e->CellIterator) {
      // The item may move the position it is given to the next cell: it gets a copy, so that
      // this cell keeps its own position for stepping back into it.
      TUVStoreSubUVData* copy = e->CellIterator->Duplicate();
      TUVStoreSubUVData* next = copy ? copy : e->CellIterator;
      TCustomUVFormattedData* cell = table->GetSubDocument(next, uvsdNext);
      if (copy && next != copy) delete copy;
      if (cell) {
        if (next == e->CellIterator) e->CellIterator = nullptr;
        PushCell(cell, next, e->Parent, e->TableItemNo, reached + 1);
        continue;
      }
      if (next != e->CellIterator) delete next;
      delete e->CellIterator;
      e->CellIterator = nullptr;
    }
    // Back at the table's item of the entry that holds it.
    const Integer at = e->Parent;
    current_ = at;
    TUVSerEntry* back = holder;
    if (back->ItemNo + 1 < DataOf(back)->GetItemCount()) {
      auto rest = std::make_unique<TUVSerEntry>();
      rest->LineBase = reached + 1;
      rest->UVData = back->UVData;
      rest->Parent = back->Parent;
      rest->Continues = at;
      rest->TableItemNo = back->TableItemNo;
      rest->CellIterator = back->CellIterator;
      back->CellIterator = nullptr;
      rest->FirstItemNo = back->ItemNo + 1;
      rest->ItemNo = back->ItemNo;
      entries_.push_back(std::move(rest));
      current_ = EntryCount() - 1;
    }
  }
}

bool TUVSerializer::PrevItem() {
  if (atEnd_) {
    atEnd_ = false;
    return true;
  }
  if (current_ != EntryCount() - 1) throw Exception("Internal error 1");
  TUVSerEntry* e = Current();
  if (e->ItemNo > e->FirstItemNo) {
    --e->ItemNo;
    return true;
  }
  if (current_ == 0) {
    e->ItemNo = e->FirstItemNo - 1;
    return false;
  }
  // Before the first item of a cell or of the rest after a table: back on the table's item.
  const Integer back = e->Continues >= 0 ? e->Continues : e->Parent;
  DropAfter(back);
  current_ = back;
  return true;
}

Integer TUVSerializer::FindEntry(TCustomUVData* Data, Integer ItemNo) const {
  for (Integer i = EntryCount() - 1; i >= 0; --i) {
    const TUVSerEntry* e = Entry(i);
    if (DataOf(e) == Data && ItemNo >= e->FirstItemNo && ItemNo <= std::max(e->ItemNo, e->FirstItemNo)) return i;
  }
  return -1;
}

bool TUVSerializer::SeekLine(Integer Line) {
  atEnd_ = false;
  if (Line < 0) {
    DropAfter(0);
    current_ = 0;
    Entry(0)->ItemNo = Entry(0)->FirstItemNo - 1;
    return false;
  }
  for (Integer i = EntryCount() - 1; i >= 0; --i) {
    TUVSerEntry* e = Entry(i);
    if (e->LineBase <= Line && Line <= std::max(e->CurrentLine(), e->LineBase)) {
      DropAfter(i);
      current_ = i;
      e->ItemNo = e->FirstItemNo + (Line - e->LineBase) - 1;
      return NextItem();
    }
  }
  return false;
}

void TUVSerializer::SetLine(Integer Line) {
  if (SeekLine(Line) || Line < 0) return;
  if (atEnd_ || CurrentLine() > Line) {
    SeekLine(-1);
  } else if (HasItem()) {
    // Standing on a table whose cells were not entered (an item located directly): back one,
    // so that stepping forward enters them.
    TUVStoreSubUVData* state = nullptr;
    const bool holdsDocuments = DataOf(Current())->GetItem(Current()->ItemNo)->GetSubDocument(state, uvsdFirst);
    delete state;
    if (holdsDocuments) SeekLine(CurrentLine() - 1);
  }
  while (CurrentLine() < Line || !HasItem())
    if (!NextItem()) return;
}

void TUVSerializer::LocateItem(TCustomUVData* Data, Integer ItemNo) {
  atEnd_ = false;
  const Integer i = FindEntry(Data, ItemNo);
  if (i >= 0) {
    DropAfter(i);
    current_ = i;
    Entry(i)->ItemNo = ItemNo;
    return;
  }
  // Not reached yet: forward from here, and once more from the start when it lies behind.
  for (int pass = 0; pass < 2; ++pass) {
    while (NextItem())
      if (DataOf(Current()) == Data && Current()->ItemNo == ItemNo) return;
    SeekLine(-1);
  }
}

Integer TUVSerializer::LineOf(TCustomUVData* Data, Integer ItemNo) const {
  const Integer i = FindEntry(Data, ItemNo);
  if (i < 0) return -1;
  return Entry(i)->LineBase + ItemNo - Entry(i)->FirstItemNo;
}

TCustomUVFormattedData* TUVSerializer::EditedData() const {
  TCustomUzurUvadEdit* editor = editor_;
  TCustomUVFormattedData* data = editor->GetEditData();
  // Each editor laid over a cell edits the cell's items in its own document.
  while (TCustomUzurUvadEdit* inplace = editor->GetInplaceEdit()) {
    if (inplace == editor) break;
    data = inplace->GetEditData();
    editor = inplace;
  }
  return data;
}

void TUVSerializer::GoToCaret() {
  TCustomUzurUvadEdit* top = editor_->GetTopLevelEditor();
  const Integer item = top->GetEditData()->GetCurItemNo();
  LocateItem(EditedData(), std::max<Integer>(item, 0));
}

void TUVSerializer::GetSelectionLines(Integer& StartColumn, Integer& StartLine, Integer& EndColumn,
                                      Integer& EndLine) {
  TCustomUVFormattedData* data = EditedData();
  TUVEditUVData* edited = editor_->GetTopLevelEditor()->GetEditData();
  Integer startItem, startOffs, endItem, endOffs;
  edited->GetSelectionBounds(startItem, startOffs, endItem, endOffs, true);
  if (startItem < 0) {
    startItem = endItem = std::max<Integer>(edited->GetCurItemNo(), 0);
    startOffs = endOffs = edited->GetOffsetInCurItem();
  }
  if (startItem < data->GetItemCount() && data->GetItemStyle(startItem) >= 0) --startOffs;
  if (endItem < data->GetItemCount() && data->GetItemStyle(endItem) >= 0) --endOffs;
  StartColumn = std::max<Integer>(startOffs, 0);
  EndColumn = std::max<Integer>(endOffs, 0);
  LocateItem(data, endItem);
  EndLine = CurrentLine();
  StartLine = LineOf(data, startItem);
  if (StartLine < 0) {
    LocateItem(data, startItem);
    StartLine = CurrentLine();
  }
}

void TUVSerializer::EnterCell() {
  TUVSerEntry* e = Current();
  auto* open = dynamic_cast<TUVTableInplaceEdit*>(editor_->GetInplaceEdit());
  if (e->Parent < 0) {
    // A cell edited or chosen for an earlier word would keep the selection (and what the editor
    // reports as selected) in the cell: the cell goes before the document's own text is selected.
    if (open && open->Table) open->Table->CloseInplaceEditor(false);
    if (TCustomUVFormattedData* chosen = editor_->GetChosenData()) editor_->UnChoose(chosen);
    return;
  }
  // The cell's position: its own, or that of the entry the rest of the cell continues.
  TUVSerEntry* owner = e;
  while (!owner->CellIterator && owner->Continues >= 0) owner = Entry(owner->Continues);
  if (!owner->CellIterator) return;
  TCustomUVItemInfo* item = DataOf(Entry(e->Parent))->GetItem(e->TableItemNo);
  // A correction goes through the table's cell editor, which records it for undo; a read-only
  // editor only shows the word in its cell.
  auto* table = dynamic_cast<TUVTableItemInfo*>(item);
  auto* cell = dynamic_cast<TUVTableCellData*>(owner->UVData);
  Integer row, col;
  if (table && cell && !editor_->GetReadOnly() && table->FindCellPosition(cell, row, col)) {
    if (open && open->Table && open->Table != table) open->Table->CloseInplaceEditor(false);
    if (table->EnterCell(row, col) && table->GetEditingData(cell) != cell) return;
  }
  item->ChooseSubDocument(owner->CellIterator);
}
