// The editor's document data: construction, undo actions and the undoable primitives every
// editing operation is made of. Each primitive changes the item list in one elementary way and
// appends the record that reverses it to the list the destination names.
#include "richtext/edit/UVEUVData.h"

#include <algorithm>
#include <memory>

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

namespace {

constexpr Byte ParaBits = uvioSameAsPrev | uvioPageBreakBefore | uvioBR;

}  // namespace

void TUVCharPos::Assign(TPersistent* Source) {
  if (auto* pos = dynamic_cast<TUVCharPos*>(Source)) {
    X = pos->X;
    DrawItemNo = pos->DrawItemNo;
    Offset = pos->Offset;
    return;
  }
  TCollectionItem::Assign(Source);
}

TUVEditUVData::TUVEditUVData(TCustomUzurUvad* ARichView)
    : VUzurUvadUVData(ARichView),
      CharPositions(new TUVCharPosCollection()),
      UndoList(new TUVUndoList(this)),
      RedoList(new TUVUndoList(this)) {}

TUVEditUVData::~TUVEditUVData() {
  // Saved items are freed through this document, which must still be whole.
  UndoList->Clear();
  RedoList->Clear();
  delete UndoList;
  delete RedoList;
  delete CharPositions;
}

void TUVEditUVData::DoStyleConversion(Integer, Integer, bool, Integer&) {}
void TUVEditUVData::DoParaStyleConversion(Integer, Integer, bool, Integer&) {}

void TUVEditUVData::Change(bool ClearRedo) {
  if (ClearRedo) RedoList->Clear();
}

void TUVEditUVData::Clear() {
  UndoList->Clear();
  RedoList->Clear();
  CharPositions->Clear();
  RememberedCaretItemNo = -1;
  RememberedCaretOffs = -1;
  FormattedSinceClear = false;
  ClearModified();
  VUzurUvadUVData::Clear();
}

// ---------------------------------------------------------------------------------------------
// Undo actions

void TUVEditUVData::OpenNamedUndoAction(Byte UndoType, const AnsiString& Caption, bool Prepare) {
  if (Prepare && !(EditFlags & uvefPreparing)) {
    EditFlags |= uvefPreparing;
    if (GetInplaceEditor()) CloseInplaceEditor();
    EditFlags &= ~static_cast<Cardinal>(uvefPreparing);
  }
  UndoDest = UndoList->AddUndoAction(UndoType, Caption, GetOffsetInCurItem(), GetCurItemNo()) ? uvudUndo : uvudNone;
}

void TUVEditUVData::OpenRedoAction(Byte UndoType, const AnsiString& Caption) {
  UndoDest = RedoList->AddUndoAction(UndoType, Caption, GetOffsetInCurItem(), GetCurItemNo()) ? uvudRedo : uvudNone;
}

void TUVEditUVData::ChangeGroupCounter(bool Raise) {
  if (Raise)
    ++UndoList->GroupCounter;
  else if (UndoList->GroupCounter > 0)
    --UndoList->GroupCounter;
}

TUVUndoList* TUVEditUVData::GetUndoListForRecording() {
  if (UndoDest == uvudUndo && UndoList->GetLimit() != 0) return UndoList;
  if (UndoDest == uvudRedo) return RedoList;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Minimal widths: a change that makes a paragraph section wider than the document, or narrows
// the section that was as wide as the document, changes the document's laid-out width.

bool TUVEditUVData::SectionWasWidest(Integer ItemNo) {
  if (ItemNo < 0 || ItemNo >= GetItemCount() || DocumentWidth < 0) return false;
  return CalculateParaSectionMinWidthDef(ItemNo) >= DocumentWidth;
}

bool TUVEditUVData::SectionIsWider(Integer ItemNo) {
  if (ItemNo < 0 || ItemNo >= GetItemCount() || DocumentWidth < 0) return false;
  return CalculateParaSectionMinWidthDef(ItemNo) > DocumentWidth;
}

Integer TUVEditUVData::GetParaSectionMinWidth(Integer ItemNo) { return CalculateParaSectionMinWidthDef(ItemNo); }

bool TUVEditUVData::DocumentWidthChanged() {
  TCanvas* canvas = GetFormattingCanvas();
  if (!canvas || DocumentWidth < 0) return true;
  TUVScreenAndDevice sad;
  GetScreenAndDevice(sad, canvas);
  bool same = sad.ScreenPpiX == sad.DevicePpiX && sad.ScreenPpiY == sad.DevicePpiY;
  // The width a full format would choose (its steps 3 and 4).
  Integer margins = sad.XToDevice(GetLeftMargin()) + sad.XToDevice(GetRightMargin());
  Integer width = CalculateMinDocWidth(same ? nullptr : &sad, canvas, GetWidth() - margins);
  width = std::max(width, sad.XToDevice(GetMinTextWidth()));
  return width != DocumentWidth;
}

// ---------------------------------------------------------------------------------------------
// Primitives

void TUVEditUVData::RemoveItemToUndo(Integer ItemNo, TUVUndoItemInfo* Record) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  Record->Item = item;
  Record->ItemText = Items->GetStrings(ItemNo);
  item->NotifyRemoving(this, ItemNo);
  item->MovingToUndoList(ItemNo, this, Record);
  ForgetItem(item);
  Items->Delete(ItemNo);
}

void TUVEditUVData::UndoableDeleteItem(Integer ItemNo, bool& FullReformat) {
  FullReformat = SectionWasWidest(ItemNo);
  if (GetItemCheckpoint(ItemNo)) UndoableDeleteCheckpoint(ItemNo);
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoDeleteItemInfo();
    record->Kind = uvukDeleteItem;
    record->ItemNo = ItemNo;
    list->AppendRecord(record);
    RemoveItemToUndo(ItemNo, record);
  } else {
    FreeItem(ItemNo, false);
    Items->Delete(ItemNo);
  }
}

void TUVEditUVData::UndoableDeleteItems(Integer First, Integer Last, bool& FullReformat) {
  First = std::max(First, 0);
  Last = std::min(Last, GetItemCount() - 1);
  if (Last < First) {
    FullReformat = false;
    return;
  }
  FullReformat = DocumentWidth >= 0 && CalculateMinItemsWidth(First, Last, nullptr, GetFormattingCanvas()) >= DocumentWidth;
  for (Integer i = First; i <= Last; ++i)
    if (GetItemCheckpoint(i)) UndoableDeleteCheckpoint(i);
  TUVUndoList* list = GetUndoListForRecording();
  if (!list) {
    DeleteItems(First, Last - First + 1);
    return;
  }
  auto* record = new TUVUndoDeleteItemsInfo();
  record->Kind = uvukDeleteItems;
  record->ItemNo = First;
  list->AppendRecord(record);
  for (Integer i = First; i <= Last; ++i) {
    TCustomUVItemInfo* item = GetItem(First);
    record->Items.AddObject(Items->GetStrings(First), item);
    ++record->Count;
    item->NotifyRemoving(this, First);
    item->MovingToUndoList(First, this, record);
    ForgetItem(item);
    Items->Delete(First);
  }
}

void TUVEditUVData::UndoableDeleteSubstring(Integer ItemNo, Integer Offs, Integer Length) {
  if (Length == 0 || ItemNo < 0 || ItemNo >= GetItemCount() || GetItemStyle(ItemNo) < 0) return;
  AnsiString text = Items->GetStrings(ItemNo);
  Byte options = GetItemOptions(ItemNo);
  Integer count = UVUniLength(text, options);
  if (Length < 0 || Offs + Length - 1 > count) Length = count - Offs + 1;
  if (Length <= 0) return;
  AnsiString removed = UVUniCopy(text, Offs, Length, options);
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoDeleteSubstringInfo();
    record->Kind = uvukDeleteSubstring;
    record->ItemNo = ItemNo;
    record->Offs = Offs;
    record->S = removed;
    record->Unicode = (options & uvioUnicode) != 0;
    list->AppendRecord(record);
  }
  UVUniDelete(text, Offs, Length, options);
  Items->SetStrings(ItemNo, text);
}

void TUVEditUVData::UndoableInsertItem(Integer ItemNo, const AnsiString& Text, TCustomUVItemInfo* Item,
                                       bool& FullReformat) {
  // A checkpoint the item brings is attached undoably after it.
  TUVCPInfo* checkpoint = Item->Checkpoint;
  Item->Checkpoint = nullptr;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoInsertItemInfo();
    record->Kind = uvukInsertItem;
    record->ItemNo = ItemNo;
    list->AppendRecord(record);
  }
  AnsiString text = Text;
  Item->UpdatePaletteInfo(GetDoInPaletteMode(), false, GetUVPalette(), GetUVLogPalette());
  Item->Inserting(this, text, false);
  Items->InsertObject(ItemNo, text, Item);
  Item->Inserted(this, ItemNo);
  if (checkpoint) UndoableAddCheckpoint(ItemNo, checkpoint);
  FullReformat = SectionIsWider(ItemNo);
}

void TUVEditUVData::UndoableInsertItems(Integer First, TStringList& NewItems) {
  Integer count = NewItems.GetCount();
  if (count == 0) return;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoInsertItemsInfo();
    record->Kind = uvukInsertItems;
    record->ItemNo = First;
    record->Count = count;
    list->AppendRecord(record);
  }
  for (Integer i = 0; i < count; ++i) {
    auto* item = static_cast<TCustomUVItemInfo*>(NewItems.GetObjects(i));
    AnsiString text = NewItems.GetStrings(i);
    item->UpdatePaletteInfo(GetDoInPaletteMode(), false, GetUVPalette(), GetUVLogPalette());
    item->Inserting(this, text, false);
    Items->InsertObject(First + i, text, item);
    item->Inserted(this, First + i);
  }
  NewItems.Clear();
}

void TUVEditUVData::UndoableInsertSubstring(Integer ItemNo, Integer Offs, const AnsiString& Text) {
  if (ItemNo < 0 || ItemNo >= GetItemCount() || GetItemStyle(ItemNo) < 0) throw EUzurUvadError("Undo error");
  if (Text.empty()) return;
  Byte options = GetItemOptions(ItemNo);
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoInsertSubstringInfo();
    record->Kind = uvukInsertSubstring;
    record->ItemNo = ItemNo;
    record->Offs = Offs;
    record->Length = UVUniLength(Text, options);
    list->AppendRecord(record);
  }
  AnsiString text = Items->GetStrings(ItemNo);
  UVUniInsert(text, Text, Offs, options);
  Items->SetStrings(ItemNo, text);
}

void TUVEditUVData::ChangeParaBits(Integer ItemNo, Byte Options, Byte Kind) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  Byte old = item->ItemOptions & ParaBits;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    TUVUndoItemNoInfo* record;
    if (Kind == uvukBR) {
      auto* br = new TUVUndoBRInfo();
      br->OldOptions = old;
      record = br;
    } else {
      auto* pageBreak = new TUVUndoPageBreakInfo();
      pageBreak->OldOptions = old;
      record = pageBreak;
    }
    record->Kind = Kind;
    record->ItemNo = ItemNo;
    list->AppendRecord(record);
  }
  item->ItemOptions = static_cast<Byte>((item->ItemOptions & ~ParaBits) | (Options & ParaBits));
}

void TUVEditUVData::RestoreParaBits(Integer ItemNo, Byte Options, Integer ParaNo, Byte Kind) {
  if (Kind != uvukNewLine) {
    ChangeParaBits(ItemNo, Options, Kind);
    return;
  }
  TCustomUVItemInfo* item = GetItem(ItemNo);
  auto paragraphEnd = [this](Integer From) {
    Integer last = From;
    while (last + 1 < GetItemCount() && !IsParaStart(last + 1)) ++last;
    return last;
  };
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoNewLineInfo();
    record->Kind = uvukNewLine;
    record->ItemNo = ItemNo;
    record->OldOptions = item->ItemOptions & ParaBits;
    record->OldParaNo = item->ParaNo;
    list->AppendRecord(record);
    item->ItemOptions = static_cast<Byte>((item->ItemOptions & ~ParaBits) | (Options & ParaBits));
    record->LastAffectedItemNo = paragraphEnd(ItemNo);
  } else {
    item->ItemOptions = static_cast<Byte>((item->ItemOptions & ~ParaBits) | (Options & ParaBits));
  }
  Integer last = paragraphEnd(ItemNo);
  for (Integer i = ItemNo; i <= last; ++i) GetItem(i)->ParaNo = ParaNo;
}

void TUVEditUVData::UndoableNewLine(Integer ItemNo, bool SameAsPrev, bool& FullReformat, Integer ParaNo) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  FullReformat = false;
  // A full-line item never shares a paragraph, neither its own nor the one before.
  auto fullLine = [this](Integer I) { return GetItemStyle(I) < 0 && GetItem(I)->QueryFlag(uvbpFullWidth); };
  if (SameAsPrev && (ItemNo == 0 || fullLine(ItemNo) || fullLine(ItemNo - 1))) return;
  bool wasWidest = SectionWasWidest(ItemNo);
  Byte options = item->ItemOptions & ParaBits;
  if (SameAsPrev) {
    options = uvioSameAsPrev;
    ParaNo = ItemNo > 0 ? GetItemPara(ItemNo - 1) : item->ParaNo;
  } else {
    options &= static_cast<Byte>(~(uvioSameAsPrev | uvioBR));
  }
  RestoreParaBits(ItemNo, options, ParaNo, uvukNewLine);
  FullReformat = wasWidest || SectionIsWider(ItemNo);
}

void TUVEditUVData::UndoableSetBR(Integer ItemNo, bool BR, bool& FullReformat) {
  bool wasWidest = SectionWasWidest(ItemNo);
  TCustomUVItemInfo* item = GetItem(ItemNo);
  Byte options = item->ItemOptions & ParaBits;
  // An item that starts a paragraph counts as starting a line.
  bool hasBR = (options & uvioBR) || item->StartsPara();
  if (BR == hasBR || item->QueryFlag(uvbpFullWidth)) {
    FullReformat = false;
    return;
  }
  options = BR ? static_cast<Byte>((options & ~uvioSameAsPrev) | uvioBR) : static_cast<Byte>(options & ~uvioBR);
  ChangeParaBits(ItemNo, options, uvukBR);
  FullReformat = wasWidest || SectionIsWider(ItemNo);
}

void TUVEditUVData::UndoableSetPageBreak(Integer ItemNo, bool PageBreak) {
  // The page break of a list paragraph belongs to its marker.
  if (IsAfterOwnMarker(ItemNo)) --ItemNo;
  TCustomUVItemInfo* item = GetItem(ItemNo);
  if (item->GetPageBreakBefore() == PageBreak) return;
  Byte options = item->ItemOptions & ParaBits;
  if (PageBreak)
    options = uvioPageBreakBefore;
  else
    options &= static_cast<Byte>(~uvioPageBreakBefore);
  ChangeParaBits(ItemNo, options, uvukPageBreak);
}

void TUVEditUVData::RestoreParaStyles(Integer First, const TUVIntegerList& Styles) {
  Integer count = Styles.GetCount();
  if (TUVUndoList* list = GetUndoListForRecording()) {
    bool same = true;
    for (Integer i = 1; i < count && same; ++i) same = GetItemPara(First + i) == GetItemPara(First);
    TUVUndoItemNoInfo* record;
    if (same && count > 0) {
      auto* para = new TUVUndoParaInfo();
      para->Count = count;
      para->ParaNo = GetItemPara(First);
      record = para;
    } else {
      auto* paras = new TUVUndoParaListInfo();
      for (Integer i = 0; i < count; ++i) paras->List.Add(GetItemPara(First + i));
      record = paras;
    }
    record->Kind = uvukPara;
    record->ItemNo = First;
    list->AppendRecord(record);
  }
  for (Integer i = 0; i < count; ++i) GetItem(First + i)->ParaNo = Styles.Get(i);
}

void TUVEditUVData::UndoableSetParaStyle(Integer First, Integer Last, Integer ParaNo, bool& FullReformat) {
  First = std::max(First, 0);
  Last = std::min(Last, GetItemCount() - 1);
  FullReformat = false;
  if (Last < First) return;
  TUVStyle* style = GetUVStyle();
  TCanvas* canvas = GetFormattingCanvas();
  bool wasWidest = DocumentWidth >= 0 && CalculateMinItemsWidth(First, Last, nullptr, canvas) >= DocumentWidth;
  TUVIntegerList styles;
  bool changes = false;
  for (Integer i = First; i <= Last; ++i) {
    Integer current = GetItemPara(i);
    Integer wanted = ParaNo;
    if (style && IsParaOptionSet(current, uvpaoStyleProtect)) {
      // A protected paragraph keeps its style; a continuing item follows the item before it.
      Integer previous = i > First ? styles.Get(i - First - 1) : (i > 0 ? GetItemPara(i - 1) : -1);
      if (!(!IsParaStart(i) && previous == ParaNo)) wanted = current;
    }
    styles.Add(wanted);
    changes = changes || wanted != current;
  }
  if (!changes) return;
  RestoreParaStyles(First, styles);
  FullReformat = wasWidest || (DocumentWidth >= 0 && CalculateMinItemsWidth(First, Last, nullptr, canvas) > DocumentWidth);
}

void TUVEditUVData::UndoableSetParaStyles(Integer First, const TUVIntegerList& Styles, bool& FullReformat) {
  Integer last = First + Styles.GetCount() - 1;
  TCanvas* canvas = GetFormattingCanvas();
  bool wasWidest = DocumentWidth >= 0 && CalculateMinItemsWidth(First, last, nullptr, canvas) >= DocumentWidth;
  RestoreParaStyles(First, Styles);
  FullReformat = wasWidest || (DocumentWidth >= 0 && CalculateMinItemsWidth(First, last, nullptr, canvas) > DocumentWidth);
}

void TUVEditUVData::UndoableSetTag(Integer ItemNo, TUVTag Tag, bool AssignAsIs) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  bool strings = TagsArePChars();
  if (UVCompareTags(item->Tag, Tag, strings)) {
    if (AssignAsIs && strings && Tag != item->Tag) UVFreeStringTag(Tag);
    return;
  }
  TUVTag newTag = AssignAsIs ? Tag : CopyItemTag(Tag, strings);
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoTagInfo();
    record->Kind = uvukTag;
    record->ItemNo = ItemNo;
    record->TagsArePChars = strings;
    list->AppendRecord(record);
    record->OldTag = item->Tag;  // the record owns the old tag now
  } else {
    FreeTag(item->Tag);
  }
  item->Tag = newTag;
}

void TUVEditUVData::UndoableChangeStyleNo(Integer ItemNo, Integer StyleNo) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  if (item->StyleNo < 0 || item->StyleNo == StyleNo) return;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoStyleNoInfo();
    record->Kind = uvukStyleNo;
    record->ItemNo = ItemNo;
    record->OldStyleNo = item->StyleNo;
    list->AppendRecord(record);
  }
  if (TUVStyle* style = GetUVStyle()) {
    bool oldUnicode = style->GetTextStyles()->GetItem(item->StyleNo)->Unicode;
    bool newUnicode = style->GetTextStyles()->GetItem(StyleNo)->Unicode;
    if (oldUnicode != newUnicode) {
      if (newUnicode)
        item->ItemOptions |= uvioUnicode;
      else
        item->ItemOptions &= static_cast<Byte>(~uvioUnicode);
    }
  }
  item->StyleNo = StyleNo;
}

void TUVEditUVData::UndoableAddCheckpoint(Integer ItemNo, TUVCPInfo* Checkpoint) {
  if (ItemNo < 0 ? NotAddedCP != nullptr : GetItemCheckpoint(ItemNo) != nullptr) {
    delete Checkpoint;
    throw EUzurUvadError("Checkpoint error");
  }
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoAddCPInfo();
    record->Kind = uvukCheckpoint;
    record->ItemNo = ItemNo;
    list->AppendRecord(record);
  }
  Checkpoint->Next = Checkpoint->Prev = nullptr;
  // Counted first: linking renumbers the checkpoints it counts.
  ++CPCount;
  if (ItemNo < 0) {
    Checkpoint->ItemInfo = nullptr;
    Checkpoint->ItemNo = -1;
    NotAddedCP = Checkpoint;
  } else {
    TCustomUVItemInfo* item = GetItem(ItemNo);
    Checkpoint->ItemInfo = item;
    Checkpoint->ItemNo = ItemNo;
    item->Checkpoint = Checkpoint;
    LinkCheckpoint(Checkpoint);
  }
}

void TUVEditUVData::UndoableDeleteCheckpoint(Integer ItemNo) {
  TUVCPInfo* cp = ItemNo < 0 ? NotAddedCP : GetItemCheckpoint(ItemNo);
  if (!cp) throw EUzurUvadError("Checkpoint error");
  TUVUndoList* list = GetUndoListForRecording();
  TUVUndoDeleteCPInfo* record = nullptr;
  if (list) {
    record = new TUVUndoDeleteCPInfo();
    record->Kind = uvukCheckpoint;
    record->ItemNo = ItemNo;
    record->TagsArePChars = TagsArePChars();
    list->AppendRecord(record);
  }
  if (ItemNo < 0) {
    NotAddedCP = nullptr;
  } else {
    UnlinkCheckpoint(cp);
    GetItem(ItemNo)->Checkpoint = nullptr;
  }
  if (LastVisibleCP == cp) LastVisibleCP = nullptr;
  cp->ItemInfo = nullptr;
  --CPCount;
  if (record) {
    record->Checkpoint = cp;
  } else {
    FreeTag(cp->Tag);
    delete cp;
  }
}

void TUVEditUVData::UndoableChangeText(Integer ItemNo, const AnsiString& Text) {
  if (GetItemStyle(ItemNo) < 0 || Items->GetStrings(ItemNo) == Text) return;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoChangeTextInfo();
    record->Kind = uvukChangeText;
    record->ItemNo = ItemNo;
    record->S = Items->GetStrings(ItemNo);
    list->AppendRecord(record);
  }
  Items->SetStrings(ItemNo, Text);
}

namespace {

// A property record of RecordClass, or of Default when none is given.
// The value of a "name=value" line.
Integer ValueOfLine(TStrings* Lines, Integer Index) {
  AnsiString line = Lines->GetStrings(Index);
  std::size_t equals = line.find('=');
  return StrToIntDef(equals == AnsiString::npos ? AnsiString() : line.substr(equals + 1), 0);
}

template <class Record>
Record* MakePropertyRecord(TClass RecordClass) {
  if (!RecordClass || !RecordClass->InheritsFrom(Record::StaticClass())) return new Record();
  return static_cast<Record*>(RecordClass->Create(nullptr));
}

}  // namespace

TUVUndoModifyItemIntProperty* TUVEditUVData::UndoableModifyItemIntProperty(Integer ItemNo, TObject* SubObject,
                                                                           TClass RecordClass, bool AffectSize,
                                                                           bool AffectWidth, Integer Value,
                                                                           const AnsiString& PropName) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  TObject* object = SubObject ? SubObject : item;
  auto old = static_cast<Integer>(GetOrdProp(object, PropName));
  if (old == Value) return nullptr;
  TUVUndoModifyItemIntProperty* record = nullptr;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    record = MakePropertyRecord<TUVUndoModifyItemIntProperty>(RecordClass);
    record->Kind = uvukModifyItem;
    record->ItemNo = ItemNo;
    record->SubObject = object;
    record->AffectSize = AffectSize;
    record->AffectWidth = AffectWidth;
    record->PropertyName = PropName;
    record->OldValue = old;
    list->AppendRecord(record);
  }
  item->BeforeUndoChangeProperty();
  SetOrdProp(object, PropName, Value);
  item->AfterUndoChangeProperty();
  return record;
}

void TUVEditUVData::UndoableModifyItemIntProperties(Integer ItemNo, TObject* SubObject, TClass RecordClass,
                                                    bool AffectSize, bool AffectWidth, TStrings* Values) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  TObject* object = SubObject ? SubObject : item;
  TStringList old;
  for (Integer i = 0; i < Values->GetCount(); ++i) {
    AnsiString name = Values->GetNames(i);
    Integer value = ValueOfLine(Values, i);
    auto current = static_cast<Integer>(GetOrdProp(object, name));
    if (current != value) old.Add(name + "=" + IntToStr(current));
  }
  if (old.GetCount() == 0) return;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = MakePropertyRecord<TUVUndoModifyItemIntProperties>(RecordClass);
    record->Kind = uvukModifyItem;
    record->ItemNo = ItemNo;
    record->SubObject = object;
    record->AffectSize = AffectSize;
    record->AffectWidth = AffectWidth;
    record->PropList.Assign(&old);
    list->AppendRecord(record);
  }
  item->BeforeUndoChangeProperty();
  for (Integer i = 0; i < Values->GetCount(); ++i)
    SetOrdProp(object, Values->GetNames(i), ValueOfLine(Values, i));
  item->AfterUndoChangeProperty();
}

void TUVEditUVData::RecordItemPropsBracket(Integer ItemNo, bool Opening) {
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoModifyItemTerminator();
    record->Kind = uvukModifyItem;
    record->ItemNo = ItemNo;
    record->Opening = Opening;
    record->SubObject = ItemNo >= 0 && ItemNo < GetItemCount() ? GetItem(ItemNo) : nullptr;
    list->AppendRecord(record);
  }
}

void TUVEditUVData::RecordReformatRange(Integer First, Integer Last, bool Full) {
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoReformateRange();
    record->Kind = uvukReformat;
    record->ItemNo = First;
    record->LastAffectedItemNo = Last;
    record->FullReformat = Full;
    list->AppendRecord(record);
  }
}

namespace {

// A copy of a checkpoint for another item (its tag copied by the document's tag model).
TUVCPInfo* CopyCheckpoint(const TUVCPInfo* Source, bool TagsArePChars) {
  auto* cp = new TUVCPInfo();
  cp->Assign(Source, TagsArePChars);
  return cp;
}

}  // namespace

void TUVEditUVData::UndoableJoinTextItems(Integer ItemNo, bool& FullReformat) {
  FullReformat = false;
  bool full = false;
  TCustomUVItemInfo* first = GetItem(ItemNo);
  TCustomUVItemInfo* second = GetItem(ItemNo + 1);
  bool strings = TagsArePChars();
  if (first->IsUnicode() != second->IsUnicode() && !Items->GetStrings(ItemNo + 1).empty()) {
    // The second keeps its text and takes the first's place in the paragraph.
    bool pageBreak = first->GetPageBreakBefore();
    if (first->StartsPara()) {
      UndoableNewLine(ItemNo + 1, false, full, first->ParaNo);
      FullReformat = FullReformat || full;
    } else {
      UndoableSetBR(ItemNo + 1, first->GetBreaksLine(), full);
      FullReformat = FullReformat || full;
    }
    if (pageBreak && !second->GetPageBreakBefore()) UndoableSetPageBreak(ItemNo + 1, true);
    if (first->Checkpoint && !second->Checkpoint)
      UndoableAddCheckpoint(ItemNo + 1, CopyCheckpoint(first->Checkpoint, strings));
    UndoableDeleteItem(ItemNo, full);
    FullReformat = FullReformat || full;
    return;
  }
  bool firstEmpty = Items->GetStrings(ItemNo).empty();
  AnsiString text = Items->GetStrings(ItemNo + 1);
  if (firstEmpty && !text.empty()) {
    // The text is the second item's: it keeps its style and tag.
    UndoableChangeStyleNo(ItemNo, second->StyleNo);
    UndoableSetTag(ItemNo, second->Tag, false);
  }
  if (!text.empty()) UndoableInsertSubstring(ItemNo, GetItemLength(ItemNo) + 1, text);
  if (second->Checkpoint && !first->Checkpoint) {
    TUVCPInfo* copy = CopyCheckpoint(second->Checkpoint, strings);
    UndoableDeleteCheckpoint(ItemNo + 1);
    UndoableAddCheckpoint(ItemNo, copy);
  }
  if (firstEmpty && text.empty()) UndoableChangeStyleNo(ItemNo, second->StyleNo);
  UndoableDeleteItem(ItemNo + 1, full);
  FullReformat = FullReformat || full || SectionIsWider(ItemNo);
}

void TUVEditUVData::FixParagraphsAfterInsert(Integer First, Integer Count, bool& FullReformat,
                                             TUVUndoItemNoInfo* Record) {
  FullReformat = false;
  if (Count <= 0) return;
  Integer last = First + Count - 1;
  if (last + 1 < GetItemCount() && !IsParaStart(last + 1)) {
    Integer end = last + 1;
    while (end + 1 < GetItemCount() && !IsParaStart(end + 1)) ++end;
    UndoableSetParaStyle(last + 1, end, GetItemPara(last), FullReformat);
    if (Record) Record->LastAffectedItemNo = end;
  }
  // Checkpoints the items brought are not in the chain yet: all are taken off first, so that
  // the chain's numbering sees only chained ones while they are attached one by one.
  std::vector<std::pair<Integer, TUVCPInfo*>> carried;
  for (Integer i = First; i <= last; ++i) {
    TCustomUVItemInfo* item = GetItem(i);
    TUVCPInfo* cp = item->Checkpoint;
    if (!cp || cp->Next || cp->Prev || FirstCP == cp) continue;
    item->Checkpoint = nullptr;
    carried.emplace_back(i, cp);
  }
  for (auto& [itemNo, cp] : carried) UndoableAddCheckpoint(itemNo, cp);
}

TCustomUVItemInfo* TUVEditUVData::CreateTextItemCopy(Integer ItemNo) {
  TCustomUVItemInfo* source = GetItem(ItemNo);
  TCustomUVItemInfo* item = source->NewInstance(this);
  item->Assign(source);
  item->ItemOptions = static_cast<Byte>((source->ItemOptions & uvioUnicode) | (source->ItemOptions & uvioSameAsPrev));
  item->Tag = CopyItemTag(source->Tag, TagsArePChars());
  return item;
}

TCustomUVItemInfo* TUVEditUVData::NewTextItem(Integer StyleNo, Integer ParaNo) {
  TCustomUVItemInfo* item = UVTextItemConstructor(this);
  item->StyleNo = StyleNo;
  item->ParaNo = ParaNo;
  if (TUVStyle* style = GetUVStyle())
    if (style->GetTextStyles()->GetItem(StyleNo)->Unicode) item->ItemOptions |= uvioUnicode;
  return item;
}

// ---------------------------------------------------------------------------------------------
// Putting things back (undo records)

void TUVEditUVData::RestoreItem(Integer ItemNo, const AnsiString& Text, TCustomUVItemInfo* Item) {
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoInsertItemInfo();
    record->Kind = uvukInsertItem;
    record->ItemNo = ItemNo;
    list->AppendRecord(record);
  }
  Items->InsertObject(ItemNo, Text, Item);
  Item->MovingFromUndoList(ItemNo, this);
  Item->AfterUndoRestore(this, ItemNo);
}

void TUVEditUVData::RestoreItems(Integer ItemNo, TStringList& Saved) {
  Integer count = Saved.GetCount();
  if (count == 0) return;
  if (TUVUndoList* list = GetUndoListForRecording()) {
    auto* record = new TUVUndoInsertItemsInfo();
    record->Kind = uvukInsertItems;
    record->ItemNo = ItemNo;
    record->Count = count;
    list->AppendRecord(record);
  }
  for (Integer i = 0; i < count; ++i) Items->InsertObject(ItemNo + i, Saved.GetStrings(i), Saved.GetObjects(i));
  for (Integer i = 0; i < count; ++i) {
    auto* item = static_cast<TCustomUVItemInfo*>(Saved.GetObjects(i));
    item->MovingFromUndoList(ItemNo + i, this);
    item->AfterUndoRestore(this, ItemNo + i);
  }
  Saved.Clear();
}
