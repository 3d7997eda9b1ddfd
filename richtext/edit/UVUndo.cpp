// Undo and redo: the records, performing an action, and the lists with their typing rules.
#include "richtext/edit/UVUndo.h"

#include <algorithm>
#include <vector>

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEUVData.h"

// ---------------------------------------------------------------------------------------------
// Records

void TUVUndoInfo::GetAffectedRange(Integer& First, Integer& Last) const {
  First = -1;
  Last = -1;
}

void TUVUndoItemNoInfo::GetAffectedRange(Integer& First, Integer& Last) const {
  First = ItemNo;
  Last = LastAffectedItemNo < 0 ? ItemNo : LastAffectedItemNo;
}

namespace {

// The minimal width of the paragraphs a record touches, with the items next to them (whose
// sections change when an item goes or comes: one that follows a list marker is wider); -1
// when none.
Integer RangeMinWidth(TUVEditUVData* UVData, const TUVUndoInfo* Record) {
  Integer first, last;
  Record->GetAffectedRange(first, last);
  Integer count = UVData->GetItemCount();
  if (count == 0 || UVData->DocumentWidth < 0) return -1;
  first = std::clamp(first - 1, 0, count - 1);
  last = std::clamp(last + 1, first, count - 1);
  UVData->ExpandToParagraphs(first, last, first, last);
  return UVData->CalculateMinItemsWidth(first, last, nullptr, UVData->GetFormattingCanvas());
}

}  // namespace

bool TUVUndoItemNoInfo::MayChangeMinWidthBefore(TUVEditUVData* UVData) {
  OldMinWidth = RangeMinWidth(UVData, this);
  return OldMinWidth >= 0 && OldMinWidth >= UVData->DocumentWidth;
}

bool TUVUndoItemNoInfo::MayChangeMinWidthAfter(TUVEditUVData* UVData) {
  Integer width = RangeMinWidth(UVData, this);
  if (width < 0 || width == OldMinWidth) return false;
  return width > UVData->DocumentWidth || OldMinWidth >= UVData->DocumentWidth;
}

void TUVUndoReformateRange::Perform(TUVEditUVData* UVData) {
  UVData->RecordReformatRange(ItemNo, LastAffectedItemNo, FullReformat);
}

TUVUndoItemInfo::~TUVUndoItemInfo() {
  if (Item && List && List->Owner) List->Owner->FreeItemObject(Item, false);
  else delete Item;
}

void TUVUndoDeleteItemInfo::Perform(TUVEditUVData* UVData) {
  TCustomUVItemInfo* item = Item;
  Item = nullptr;
  UVData->RestoreItem(ItemNo, ItemText, item);
}

TUVUndoItemRangeInfo::~TUVUndoItemRangeInfo() {
  for (Integer i = 0; i < Items.GetCount(); ++i) {
    auto* item = static_cast<TCustomUVItemInfo*>(Items.GetObjects(i));
    if (List && List->Owner) List->Owner->FreeItemObject(item, false);
    else delete item;
  }
}

void TUVUndoDeleteItemsInfo::GetAffectedRange(Integer& First, Integer& Last) const {
  First = ItemNo;
  Last = ItemNo + std::max(Count - 1, 0);
}

void TUVUndoDeleteItemsInfo::Perform(TUVEditUVData* UVData) { UVData->RestoreItems(ItemNo, Items); }

void TUVUndoDeleteSubstringInfo::Perform(TUVEditUVData* UVData) { UVData->UndoableInsertSubstring(ItemNo, Offs, S); }

void TUVUndoInsertItemInfo::Perform(TUVEditUVData* UVData) {
  bool full;
  UVData->UndoableDeleteItem(ItemNo, full);
}

void TUVUndoInsertItemsInfo::GetAffectedRange(Integer& First, Integer& Last) const {
  First = ItemNo;
  Last = std::max(ItemNo + Count - 1, LastAffectedItemNo);
}

void TUVUndoInsertItemsInfo::Perform(TUVEditUVData* UVData) {
  bool full;
  UVData->UndoableDeleteItems(ItemNo, ItemNo + Count - 1, full);
}

void TUVUndoInsertSubstringInfo::Perform(TUVEditUVData* UVData) {
  UVData->UndoableDeleteSubstring(ItemNo, Offs, Length);
}

void TUVUndoNewLineInfo::Perform(TUVEditUVData* UVData) {
  UVData->RestoreParaBits(ItemNo, OldOptions, OldParaNo, uvukNewLine);
}

void TUVUndoBRInfo::Perform(TUVEditUVData* UVData) { UVData->RestoreParaBits(ItemNo, OldOptions, 0, uvukBR); }

void TUVUndoParaInfo::GetAffectedRange(Integer& First, Integer& Last) const {
  First = ItemNo;
  Last = ItemNo + std::max(Count - 1, 0);
}

void TUVUndoParaInfo::Perform(TUVEditUVData* UVData) {
  TUVIntegerList styles;
  for (Integer i = 0; i < Count; ++i) styles.Add(ParaNo);
  UVData->RestoreParaStyles(ItemNo, styles);
}

void TUVUndoParaListInfo::GetAffectedRange(Integer& First, Integer& Last) const {
  First = ItemNo;
  Last = ItemNo + std::max(List.GetCount() - 1, 0);
}

void TUVUndoParaListInfo::Perform(TUVEditUVData* UVData) { UVData->RestoreParaStyles(ItemNo, List); }

void TUVUndoPageBreakInfo::Perform(TUVEditUVData* UVData) {
  UVData->RestoreParaBits(ItemNo, OldOptions, 0, uvukPageBreak);
}

void TUVUndoTypingInfo::Perform(TUVEditUVData* UVData) {
  if (Length <= 0) return;
  // Only the character typed last goes; the redo list learns it.
  Integer offs = Offs + Length - 1;
  Byte options = UVData->GetItemOptions(ItemNo);
  AnsiString text = UVData->Items->GetStrings(ItemNo);
  AnsiString removed = UVUniCopy(text, offs, 1, options);
  UVUniDelete(text, offs, 1, options);
  UVData->Items->SetStrings(ItemNo, text);
  --Length;
  UVData->RedoList->AppendRedoTyping(removed, ItemNo, offs);
}

void TUVRedoTypingInfo::Perform(TUVEditUVData* UVData) {
  Integer count = CharCount();
  if (count == 0) return;
  // The character taken back last is typed again first.
  Integer offs = Offs - count + 1;
  Integer unit = Unicode ? 2 : 1;
  AnsiString character = S.substr(S.size() - static_cast<std::size_t>(unit));
  S.resize(S.size() - static_cast<std::size_t>(unit));
  AnsiString text = UVData->Items->GetStrings(ItemNo);
  UVUniInsert(text, character, offs, UVData->GetItemOptions(ItemNo));
  UVData->Items->SetStrings(ItemNo, text);
  UVData->UndoList->AppendTyping(ItemNo, offs, Unicode);
}

TUVUndoTagInfo::~TUVUndoTagInfo() {
  if (TagsArePChars) UVFreeStringTag(OldTag);
}

void TUVUndoTagInfo::Perform(TUVEditUVData* UVData) {
  TUVTag tag = OldTag;
  OldTag = 0;
  UVData->UndoableSetTag(ItemNo, tag, true);
}

void TUVUndoStyleNoInfo::Perform(TUVEditUVData* UVData) { UVData->UndoableChangeStyleNo(ItemNo, OldStyleNo); }

void TUVUndoAddCPInfo::Perform(TUVEditUVData* UVData) { UVData->UndoableDeleteCheckpoint(ItemNo); }

TUVUndoDeleteCPInfo::~TUVUndoDeleteCPInfo() {
  if (!Checkpoint) return;
  if (TagsArePChars) UVFreeStringTag(Checkpoint->Tag);
  delete Checkpoint;
}

void TUVUndoDeleteCPInfo::Perform(TUVEditUVData* UVData) {
  TUVCPInfo* cp = Checkpoint;
  Checkpoint = nullptr;
  UVData->UndoableAddCheckpoint(ItemNo, cp);
}

bool TUVUndoModifyItemProps::MayChangeMinWidthBefore(TUVEditUVData* UVData) {
  return AffectWidth && TUVUndoItemNoInfo::MayChangeMinWidthBefore(UVData);
}

bool TUVUndoModifyItemProps::MayChangeMinWidthAfter(TUVEditUVData* UVData) {
  return AffectWidth && TUVUndoItemNoInfo::MayChangeMinWidthAfter(UVData);
}

void TUVUndoModifyItemTerminator::Perform(TUVEditUVData* UVData) {
  // Performed backwards, a closing bracket opens the opposite group and an opening one closes it.
  UVData->RecordItemPropsBracket(ItemNo, !Opening);
}

void TUVUndoModifyItemIntProperty::Perform(TUVEditUVData* UVData) {
  UVData->UndoableModifyItemIntProperty(ItemNo, SubObject, ClassType(), AffectSize, AffectWidth, OldValue,
                                        PropertyName);
}

void TUVUndoModifyItemIntProperties::Perform(TUVEditUVData* UVData) {
  UVData->UndoableModifyItemIntProperties(ItemNo, SubObject, ClassType(), AffectSize, AffectWidth, &PropList);
}

void TUVUndoChangeTextInfo::Perform(TUVEditUVData* UVData) { UVData->UndoableChangeText(ItemNo, S); }

TUVCompositeUndo::TUVCompositeUndo() : UndoList(new TUVUndoList()) {}

TUVCompositeUndo::~TUVCompositeUndo() { delete UndoList; }

bool TUVCompositeUndo::IsEmpty() const { return UndoList->GetCount() == 0; }

// ---------------------------------------------------------------------------------------------
// Actions

bool TUVUndoInfos::IsEmptyAction() const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (!GetRecord(i)->IsEmpty()) return false;
  return true;
}

void TUVUndoInfos::Perform(TUVEditUVData* UVData, bool Reformat) {
  UVData->Deselect(nullptr, true);
  Integer count = GetCount();
  // Pass 1: what the action touches, in the numbering before it is performed.
  bool needsFormat = false;
  bool needsFullReformat = false;
  Integer first = UVData->GetItemCount() - 1;
  Integer last = 0;
  Integer added = 0;
  for (Integer i = count - 1; i >= 0; --i) {
    TUVUndoInfo* record = GetRecord(i);
    needsFormat = needsFormat || record->RequiresFormat();
    needsFullReformat = needsFullReformat || record->RequiresFullReformat();
    Integer start, end;
    record->GetAffectedRange(start, end);
    // The range is numbered as after the records performed before it; in the numbering before
    // the action, its end may lie further on by what they added or removed.
    end += added > 0 ? added : -added;
    Integer itemsAdded = record->ItemsAdded();
    if (itemsAdded > 0) end += itemsAdded;
    added += itemsAdded;
    first = std::min(first, start);
    last = std::max(last, end);
  }
  if (last < first) std::swap(first, last);
  if (first < 0) first = 0;
  if (last < first) last = first;
  if (last + added < first) last = first - added;
  last = std::min(last, UVData->GetItemCount() - 1);
  Integer paraFirst = 0, paraLast = -1;
  bool formatted = UVData->DrawItems->GetCount() > 0;
  if (needsFormat && formatted && first <= last) {
    Integer d1, o1, d2, o2;
    UVData->ItemToDrawItem(first, UVData->GetOffsBeforeItem(first), d1, o1);
    UVData->ItemToDrawItem(last, UVData->GetOffsAfterItem(last), d2, o2);
    if (d1 < 0) d1 = 0;
    if (d2 < 0) d2 = UVData->DrawItems->GetCount() - 1;
    UVData->GetParaBounds(d1, d2, paraFirst, paraLast);
  }

  // Pass 2: the records, last first; property groups are asked the width questions as a whole.
  bool widthMayChange = false;
  TUVUndoModifyItemTerminator* openBracket = nullptr;
  for (Integer i = count - 1; i >= 0; --i) {
    TUVUndoInfo* record = GetRecord(i);
    auto* terminator = dynamic_cast<TUVUndoModifyItemTerminator*>(record);
    bool ask = needsFormat && !widthMayChange;
    if (terminator) {
      if (!openBracket) {
        openBracket = terminator;
        if (ask) widthMayChange = terminator->MayChangeMinWidthBefore(UVData);
        terminator->Perform(UVData);
      } else {
        terminator->OldMinWidth = openBracket->OldMinWidth;
        terminator->Perform(UVData);
        if (ask) widthMayChange = terminator->MayChangeMinWidthAfter(UVData);
        openBracket = nullptr;
      }
      continue;
    }
    bool askThis = ask && !openBracket && record->RequiresFormat();
    if (askThis) widthMayChange = record->MayChangeMinWidthBefore(UVData);
    record->Perform(UVData);
    if (askThis && !widthMayChange) widthMayChange = record->MayChangeMinWidthAfter(UVData);
  }

  if (Reformat && needsFormat) {
    if (!formatted || (widthMayChange && UVData->DocumentWidthChanged()))
      UVData->Format(false, true, false, 0, nullptr, false, false);
    else
      UVData->FormatParas(paraFirst, paraLast, added);
  }
  if (!UVData->GetInplaceEditor() && UVData->GetItemCount() > 0 && UVData->DrawItems->GetCount() > 0) {
    Integer itemNo = std::clamp(CaretItemNo, 0, UVData->GetItemCount() - 1);
    Integer offs = std::clamp(CaretOffs, UVData->GetOffsBeforeItem(itemNo), UVData->GetOffsAfterItem(itemNo));
    UVData->SetSelectionBounds(itemNo, offs, itemNo, offs);
  }
  UVData->Invalidate();
  if (needsFullReformat) {
    if (auto* root = dynamic_cast<TCustomUVFormattedData*>(UVData->GetAbsoluteRootData()))
      root->Format(true, true, true, 0, nullptr, false, true);
  }
}

// ---------------------------------------------------------------------------------------------
// Lists

bool TUVUndoList::AddUndoAction(Byte UndoType, const AnsiString& Caption, Integer CaretOffs, Integer CaretItemNo) {
  if (FLimit == 0) return false;
  if (GroupCounter >= 1 && GetCount() > 0) {
    TUVUndoInfos* last = LastAction();
    bool loneTyping = last->GetCount() == 1 && dynamic_cast<TUVUndoTypingInfo*>(last->GetRecord(0));
    if (!loneTyping) return true;
  }
  AnsiString caption = Caption;
  // An empty last action gives way, and the new one takes its name and caret.
  if (GetCount() > 0 && LastAction()->IsEmptyAction()) {
    TUVUndoInfos* empty = LastAction();
    caption = empty->Caption;
    CaretOffs = empty->CaretOffs;
    CaretItemNo = empty->CaretItemNo;
    Delete(GetCount() - 1);
  }
  if (FLimit > 0)
    while (GetCount() >= FLimit) Delete(0);
  auto* action = new TUVUndoInfos();
  action->UndoType = UndoType;
  action->Caption = caption;
  action->CaretOffs = CaretOffs;
  action->CaretItemNo = CaretItemNo;
  Add(action);
  return true;
}

void TUVUndoList::AppendRecord(TUVUndoInfo* Record) {
  TUVUndoInfos* last = LastAction();
  if (!last) {
    delete Record;
    throw EUzurUvadError("Can't modify empty undo list");
  }
  if (last->GetCount() == 1 && (dynamic_cast<TUVUndoTypingInfo*>(last->GetRecord(0)) ||
                                dynamic_cast<TUVRedoTypingInfo*>(last->GetRecord(0)))) {
    delete Record;
    throw EUzurUvadError("Incorrect adding into undo list");
  }
  Record->List = this;
  TakeOver(Record);
  last->Add(Record);
}

void TUVUndoList::AppendAction(TUVUndoInfos* Action) {
  for (Integer i = 0; i < Action->GetCount(); ++i) {
    TUVUndoInfo* record = Action->GetRecord(i);
    record->List = this;
    TakeOver(record);
  }
  Add(Action);
}

void TUVUndoList::TakeOver(TUVUndoInfo* Record) {
  // The actions of a cell, however deep, free what they saved through the document this list
  // belongs to: the editor they were made in (a cell's) may be gone by then.
  auto* composite = dynamic_cast<TUVCompositeUndo*>(Record);
  if (!composite || !Owner || composite->UndoList->Owner == Owner) return;
  composite->UndoList->Owner = Owner;
  for (Integer a = 0; a < composite->UndoList->GetCount(); ++a) {
    TUVUndoInfos* action = composite->UndoList->GetAction(a);
    for (Integer i = 0; i < action->GetCount(); ++i) composite->UndoList->TakeOver(action->GetRecord(i));
  }
}

void TUVUndoList::DropEmptyLast() {
  if (GroupCounter < 1 && GetCount() > 0 && LastAction()->IsEmptyAction()) Delete(GetCount() - 1);
}

void TUVUndoList::AppendTyping(Integer ItemNo, Integer Offs, bool Unicode) {
  if (FLimit == 0) return;
  if (GetCount() > 0 && LastAction()->IsEmptyAction()) Delete(GetCount() - 1);
  if (TUVUndoInfos* last = LastAction(); last && last->GetCount() > 0) {
    auto* typing = dynamic_cast<TUVUndoTypingInfo*>(last->GetRecord(0));
    if (typing && typing->ItemNo == ItemNo && typing->Offs + typing->Length == Offs) {
      ++typing->Length;
      ++last->CaretOffs;
      return;
    }
  }
  // A typing action is always an action of its own, whatever group is open.
  Integer saved = GroupCounter;
  GroupCounter = 0;
  AddUndoAction(uvutTyping, AnsiString(), Offs, ItemNo);
  GroupCounter = saved;
  auto* record = new TUVUndoTypingInfo();
  record->Kind = uvukTyping;
  record->ItemNo = ItemNo;
  record->Offs = Offs;
  record->Length = 1;
  record->Unicode = Unicode;
  record->List = this;
  LastAction()->Add(record);
}

void TUVUndoList::AppendRedoTyping(const AnsiString& Text, Integer ItemNo, Integer Offs) {
  if (GetCount() > 0 && LastAction()->IsEmptyAction()) Delete(GetCount() - 1);
  if (TUVUndoInfos* last = LastAction(); last && last->GetCount() > 0) {
    auto* redo = dynamic_cast<TUVRedoTypingInfo*>(last->GetRecord(0));
    if (redo && redo->ItemNo == ItemNo && redo->Offs - redo->CharCount() == Offs) {
      redo->S += Text;
      --last->CaretOffs;
      return;
    }
  }
  Integer saved = GroupCounter;
  GroupCounter = 0;
  AddUndoAction(uvutTyping, AnsiString(), Offs + 1, ItemNo);
  GroupCounter = saved;
  auto* record = new TUVRedoTypingInfo();
  record->Kind = uvukTyping;
  record->ItemNo = ItemNo;
  record->Offs = Offs;
  record->S = Text;
  record->Unicode = Text.size() > 1;
  record->List = this;
  LastAction()->Add(record);
}

void TUVUndoList::SetLimit(Integer Value) {
  FLimit = Value;
  if (FLimit >= 0)
    while (GetCount() > FLimit) Delete(0);
}

void TUVUndoList::PerformLast(TUVEditUVData* UVData, bool Redo) {
  if (GetCount() == 0) throw EUzurUvadError("Undo buffer is empty");
  TUVUndoInfos* action = LastAction();
  Byte dest = UVData->UndoDest;
  if (Redo)
    UVData->OpenNamedUndoAction(action->UndoType, action->Caption, true);
  else
    UVData->OpenRedoAction(action->UndoType, action->Caption);
  action->Perform(UVData, FormatLock <= 0);
  if (!Redo) UVData->UndoDest = dest;
  // Performing records only into the other list, so the action is still the last one here. It
  // is done with, unless it is a typing action that still holds characters: those give way one
  // at a time.
  TUVUndoInfo* first = action->GetCount() > 0 ? action->GetRecord(0) : nullptr;
  bool typing = dynamic_cast<TUVUndoTypingInfo*>(first) || dynamic_cast<TUVRedoTypingInfo*>(first);
  if (!typing || action->IsEmptyAction())
    Delete(GetCount() - 1);
  else if (dynamic_cast<TUVUndoTypingInfo*>(first))
    --action->CaretOffs;
  else
    ++action->CaretOffs;
  (Redo ? UVData->UndoList : UVData->RedoList)->DropEmptyLast();
}

void TUVUndoList::Undo(TUVEditUVData* UVData) { PerformLast(UVData, false); }

void TUVUndoList::Redo(TUVEditUVData* UVData) { PerformLast(UVData, true); }
