// The document data: its environment defaults, item access and navigation, the add family,
// merging, removal and clearing.
#include "richtext/core/CUVData.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

const char* const UVDefaultDelimiters = " .;,:(){}\"/\\";

// A document that shares another's items (a printable copy) replaces this list with that one.
TCustomUVData::TCustomUVData() : Items(new TStringList()) {}

TCustomUVData::~TCustomUVData() {
  if (Items) {
    // The derived parts are gone: clear with this class's own operations.
    TCustomUVData::Clear();
    if (!ShareItems()) delete Items;
  }
  FreeCheckpoint(NotAddedCP, false, false);
}

// ---------------------------------------------------------------------------------------------
// The environment: a root answers with defaults, other documents ask their root.

#define UV_FORWARD_TO_ROOT(call)                        \
  do {                                                  \
    TCustomUVData* root = GetRootData();                \
    if (root && root != this) return root->call;        \
  } while (false)

TUVPaletteAction TCustomUVData::GetDoInPaletteMode() {
  UV_FORWARD_TO_ROOT(GetDoInPaletteMode());
  return uvpaDoNothing;
}

HPALETTE TCustomUVData::GetUVPalette() {
  UV_FORWARD_TO_ROOT(GetUVPalette());
  return nullptr;
}

LOGPALETTE* TCustomUVData::GetUVLogPalette() {
  UV_FORWARD_TO_ROOT(GetUVLogPalette());
  return nullptr;
}

TUVOptions TCustomUVData::GetOptions() {
  UV_FORWARD_TO_ROOT(GetOptions());
  return TUVOptions();
}

void TCustomUVData::SetOptions(TUVOptions Value) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->SetOptions(Value);
}

TUVFOptions TCustomUVData::GetUVFOptions() {
  UV_FORWARD_TO_ROOT(GetUVFOptions());
  return TUVFOptions();
}

void TCustomUVData::SetUVFOptions(TUVFOptions Value) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->SetUVFOptions(Value);
}

TUVRTFOptions TCustomUVData::GetRTFOptions() {
  UV_FORWARD_TO_ROOT(GetRTFOptions());
  return TUVRTFOptions();
}

void TCustomUVData::SetRTFOptions(TUVRTFOptions Value) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->SetRTFOptions(Value);
}

Cardinal TCustomUVData::GetUVFWarnings() {
  UV_FORWARD_TO_ROOT(GetUVFWarnings());
  return 0;
}

void TCustomUVData::SetUVFWarnings(Cardinal Value) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->SetUVFWarnings(Value);
}

TUVFReaderStyleMode TCustomUVData::GetUVFTextStylesReadMode() {
  UV_FORWARD_TO_ROOT(GetUVFTextStylesReadMode());
  return uvf_sInsertMerge;
}

TUVFReaderStyleMode TCustomUVData::GetUVFParaStylesReadMode() {
  UV_FORWARD_TO_ROOT(GetUVFParaStylesReadMode());
  return uvf_sInsertMerge;
}

TUVBiDiMode TCustomUVData::GetBiDiMode() {
  UV_FORWARD_TO_ROOT(GetBiDiMode());
  return uvbdUnspecified;
}

AnsiString TCustomUVData::SaveComponentToFile(const AnsiString& Path, TControl* Control, Integer SaveFormat) {
  UV_FORWARD_TO_ROOT(SaveComponentToFile(Path, Control, SaveFormat));
  return AnsiString();
}

TUVStyle* TCustomUVData::GetUVStyle() {
  TCustomUVData* parent = GetParentData();
  return parent ? parent->GetUVStyle() : nullptr;
}

TCustomUVData* TCustomUVData::GetAbsoluteRootData() {
  TCustomUVData* data = this;
  while (TCustomUVData* parent = data->GetAbsoluteParentData()) data = parent;
  return data->GetRootData();
}

TUVFlags TCustomUVData::GetFlags() {
  UV_FORWARD_TO_ROOT(GetFlags());
  return 0;
}

void TCustomUVData::SetFlags(TUVFlags Value) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->SetFlags(Value);
}

AnsiString TCustomUVData::GetDelimiters() {
  UV_FORWARD_TO_ROOT(GetDelimiters());
  return UVDefaultDelimiters;
}

void TCustomUVData::ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->ItemAction(Action, Item, Text);
}

TGraphic* TCustomUVData::UVFPictureNeeded(const AnsiString& ItemName, TUVTag ItemTag) {
  UV_FORWARD_TO_ROOT(UVFPictureNeeded(ItemName, ItemTag));
  return nullptr;
}

TControl* TCustomUVData::UVFControlNeeded(const AnsiString& ItemName, TUVTag ItemTag) {
  UV_FORWARD_TO_ROOT(UVFControlNeeded(ItemName, ItemTag));
  return nullptr;
}

TCustomImageList* TCustomUVData::UVFImageListNeeded(Integer ImageListTag) {
  UV_FORWARD_TO_ROOT(UVFImageListNeeded(ImageListTag));
  return nullptr;
}

void TCustomUVData::HTMLSaveImage(TCustomUVData* UVData, Integer ItemNo, const AnsiString& Path, TColor BackColor,
                                  AnsiString& Location, bool& DoDefault) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) {
    root->HTMLSaveImage(UVData, ItemNo, Path, BackColor, Location, DoDefault);
    return;
  }
  Location.clear();
  DoDefault = true;
}

void TCustomUVData::ControlAction(TUVControlAction Action, Integer ItemNo, TControl*& Control) {
  TCustomUVData* root = GetRootData();
  if (root && root != this) root->ControlAction(Action, ItemNo, Control);
}

TWinControl* TCustomUVData::GetParentControl() {
  UV_FORWARD_TO_ROOT(GetParentControl());
  return nullptr;
}

TUVRTFReaderProperties* TCustomUVData::GetRTFReadProperties() {
  UV_FORWARD_TO_ROOT(GetRTFReadProperties());
  return nullptr;
}

TBitmap* TCustomUVData::GetControlPrintImage(TControl* Control) {
  UV_FORWARD_TO_ROOT(GetControlPrintImage(Control));
  return nullptr;
}

#undef UV_FORWARD_TO_ROOT

// ---------------------------------------------------------------------------------------------
// Operations that derived documents replace

void TCustomUVData::GetSelectionBounds(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                                       bool Normalize) {
  TCustomUVItemInfo* startPartial = nullptr;
  TCustomUVItemInfo* endPartial = nullptr;
  GetSelectionBoundsEx(StartItemNo, StartOffs, EndItemNo, EndOffs, startPartial, endPartial, Normalize);
}

void TCustomUVData::GetSelectionBoundsEx(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo,
                                         Integer& EndOffs, TCustomUVItemInfo*& StartPartial,
                                         TCustomUVItemInfo*& EndPartial, bool) {
  StartPartial = nullptr;
  EndPartial = nullptr;
  if (GetItemCount() == 0) {
    StartItemNo = EndItemNo = -1;
    StartOffs = EndOffs = 0;
    return;
  }
  StartItemNo = 0;
  StartOffs = GetOffsBeforeItem(0);
  EndItemNo = GetItemCount() - 1;
  EndOffs = GetOffsAfterItem(EndItemNo);
}

bool TCustomUVData::InsertItem(Integer Index, const AnsiString& Text, TCustomUVItemInfo* Item, bool,
                               Integer& FirstItemNo) {
  AnsiString text = Text;
  Item->Inserting(this, text, false);
  Items->InsertObject(Index, text, Item);
  Item->Inserted(this, Index);
  FirstItemNo = -1;
  return true;
}

void TCustomUVData::MarkUsedStyles(TUVStyleUsage& Used) {
  for (Integer i = 0; i < GetItemCount(); ++i) GetItem(i)->MarkUsedParaStyle(Used);
}

void TCustomUVData::RenumberStyles(TUVStyleUsage& Used) {
  for (Integer i = 0; i < GetItemCount(); ++i) GetItem(i)->RenumberParaStyle(Used);
}

void TCustomUVData::Beep() {
  TUVStyle* style = GetUVStyle();
  if (style && style->UseSound) ::MessageBeep(0xFFFFFFFF);
}

void TCustomUVData::GetParentInfo(Integer& ParentItemNo, TCustomUVItemInfo*& Location) {
  ParentItemNo = -1;
  Location = nullptr;
}

TUVMarkerList* TCustomUVData::GetMarkers(bool AllowCreate) {
  TCustomUVData* parent = GetAbsoluteParentData();
  return parent ? parent->GetMarkers(AllowCreate) : nullptr;
}

void TCustomUVData::DestroyMarkers() {
  TCustomUVData* parent = GetAbsoluteParentData();
  if (parent) parent->DestroyMarkers();
}

// ---------------------------------------------------------------------------------------------
// Item access and navigation

bool TCustomUVData::GetPageBreakBefore(Integer ItemNo) const {
  if (ItemNo < 0 || ItemNo >= GetItemCount()) throw EUzurUvadError("Item index is out of bounds");
  if (ItemNo > 0 && GetItemStyle(ItemNo - 1) == uvsListMarker) return GetItem(ItemNo - 1)->GetPageBreakBefore();
  return GetItem(ItemNo)->GetPageBreakBefore();
}

void TCustomUVData::SetPageBreakBefore(Integer ItemNo, bool Value) {
  if (ItemNo < 0 || ItemNo >= GetItemCount()) throw EUzurUvadError("Item index is out of bounds");
  GetItem(ItemNo)->SetPageBreakBefore(Value);
}

Integer TCustomUVData::GetFirstParaItem(Integer ItemNo) const {
  while (ItemNo >= 1 && !IsParaStart(ItemNo)) --ItemNo;
  return ItemNo < 0 ? 0 : ItemNo;
}

Integer TCustomUVData::GetFirstLineItem(Integer ItemNo) const {
  while (ItemNo >= 1 && !IsLineStart(ItemNo)) --ItemNo;
  return ItemNo < 0 ? 0 : ItemNo;
}

void TCustomUVData::ExpandToParagraphs(Integer First, Integer Last, Integer& NewFirst, Integer& NewLast) const {
  while (First > 0 && !IsParaStart(First)) --First;
  while (Last + 1 < GetItemCount() && !IsParaStart(Last + 1)) ++Last;
  NewFirst = First;
  NewLast = Last;
}

void TCustomUVData::ExpandToLines(Integer First, Integer Last, Integer& NewFirst, Integer& NewLast) const {
  while (First > 0 && !IsLineStart(First)) --First;
  while (Last + 1 < GetItemCount() && !IsLineStart(Last + 1)) ++Last;
  NewFirst = First;
  NewLast = Last;
}

void TCustomUVData::ClampItemNo(Integer& ItemNo) const {
  if (ItemNo >= GetItemCount()) ItemNo = GetItemCount() - 1;
  if (ItemNo < 0) ItemNo = 0;
}

Integer TCustomUVData::FindControlItemNo(TControl* Control) const {
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (GetItem(i)->OwnsControl(Control)) return i;
  return -1;
}

Integer TCustomUVData::FindItemDeep(Integer Start, TCustomUVItemInfo* Item) {
  for (Integer i = Start < 0 ? 0 : Start; i < GetItemCount(); ++i) {
    TCustomUVItemInfo* current = GetItem(i);
    if (current == Item) return i;
    if (UVForEachSubDocument(current, true, [Item](TCustomUVFormattedData* sub) {
          return static_cast<TCustomUVData*>(sub)->FindItemDeep(0, Item) >= 0;
        }))
      return i;
  }
  return -1;
}

void TCustomUVData::UnifyParaNo(Integer ItemNo) {
  if (GetItemCount() == 0) return;
  ClampItemNo(ItemNo);
  Integer first = GetFirstParaItem(ItemNo);
  Integer paraNo = GetItemPara(first);
  for (Integer i = first + 1; i < GetItemCount() && !IsParaStart(i); ++i) GetItem(i)->ParaNo = paraNo;
}

TUVBiDiMode TCustomUVData::GetItemBiDiMode(Integer ItemNo) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  TUVStyle* style = GetUVStyle();
  if (style && item->StyleNo >= 0) {
    TUVBiDiMode mode = style->GetTextStyles()->GetItem(item->StyleNo)->BiDiMode;
    if (mode != uvbdUnspecified) return mode;
  }
  return GetParaBiDiMode(item->ParaNo);
}

TUVBiDiMode TCustomUVData::GetParaBiDiMode(Integer ParaNo) {
  TUVStyle* style = GetUVStyle();
  if (style) {
    TUVBiDiMode mode = style->GetParaStyles()->GetItem(ParaNo)->BiDiMode;
    if (mode != uvbdUnspecified) return mode;
  }
  return GetBiDiMode();
}

Integer TCustomUVData::GetStyleCodePage(Integer StyleNo) {
  TUVStyle* style = GetUVStyle();
  return style ? UVCharsetToCodePage(style->GetTextStyles()->GetItem(StyleNo)->Charset) : 0;
}

bool TCustomUVData::IsDelimiterA(char Char) { return GetDelimiters().find(Char) != AnsiString::npos; }

bool TCustomUVData::IsDelimiterW(WideChar Char) {
  return static_cast<Word>(Char) < 256 && IsDelimiterA(static_cast<char>(Char));
}

bool TCustomUVData::IsDelimiter(const AnsiString& Text, Integer Position, Byte ItemOptions) {
  if (ItemOptions & uvioUnicode) {
    std::size_t byte = 2 * static_cast<std::size_t>(Position - 1);
    if (Position < 1 || byte + 1 >= Text.size()) return false;
    WideChar c = static_cast<WideChar>(static_cast<Byte>(Text[byte]) | (static_cast<Byte>(Text[byte + 1]) << 8));
    return IsDelimiterW(c);
  }
  if (Position < 1 || Position > Length(Text)) return false;
  return IsDelimiterA(Text[Position - 1]);
}

Integer TCustomUVData::NextCharOffset(Integer ItemNo, const AnsiString& Text, Integer Offset) const {
  if (!(GetItemOptions(ItemNo) & uvioUnicode) || !UVIsNTPlatform) return Offset + 1;
  const WideChar* base = reinterpret_cast<const WideChar*>(Text.data());
  Integer count = static_cast<Integer>(Text.size() / 2);
  if (Offset < 1 || Offset > count) return Offset + 1;
  const WideChar* p = base + (Offset - 1);
  const WideChar* q = ::CharNextW(p);
  Integer next = Offset + std::max<Integer>(static_cast<Integer>(q - p), 1);
  while (next - 1 < count && UVUniSplitsPair(base, count, next - 1)) ++next;
  return next;
}

Integer TCustomUVData::PrevCharOffset(Integer ItemNo, const AnsiString& Text, Integer Offset) const {
  if (!(GetItemOptions(ItemNo) & uvioUnicode) || !UVIsNTPlatform) return Offset - 1;
  const WideChar* base = reinterpret_cast<const WideChar*>(Text.data());
  Integer count = static_cast<Integer>(Text.size() / 2);
  if (Offset <= 1 || Offset > count + 1) return Offset - 1;
  const WideChar* p = base + (Offset - 1);
  const WideChar* q = ::CharPrevW(base, p);
  Integer previous = Offset - std::max<Integer>(static_cast<Integer>(p - q), 1);
  while (previous > 1 && UVUniSplitsPair(base, count, previous - 1)) --previous;
  return previous;
}

Integer TCustomUVData::GetItemLength(Integer ItemNo) const {
  if (GetItemStyle(ItemNo) < 0) return 1;
  return UVUniLength(Items->GetStrings(ItemNo), GetItemOptions(ItemNo));
}

Integer TCustomUVData::GetOffsAfterItem(Integer ItemNo) const {
  if (GetItemStyle(ItemNo) < 0) return 1;
  return GetItemLength(ItemNo) + 1;
}

void TCustomUVData::CheckUnicodeLength(const AnsiString& Text) {
  if (Text.size() % 2 != 0) throw EUzurUvadError("Can't perform Unicode operation");
}

// ---------------------------------------------------------------------------------------------
// Adding

void TCustomUVData::FreeTag(TUVTag& Tag) {
  if (TagsArePChars())
    UVFreeStringTag(Tag);
  else
    Tag = 0;
}

void TCustomUVData::AddItem(const AnsiString& Text, TCustomUVItemInfo* Item) {
  Integer count = GetItemCount();
  if (Item->ParaNo == -1 && count > 0 && !GetItem(count - 1)->QueryFlag(uvbpFullWidth)) {
    Item->SetContinuesPara(true);
    Item->ParaNo = GetItem(count - 1)->ParaNo;
  } else {
    // A marker is never the last item of its paragraph.
    if (count > 0 && GetItemStyle(count - 1) == uvsListMarker) {
      TCustomUVItemInfo* empty = UVTextItemConstructor(this);
      empty->StyleNo = 0;
      empty->ParaNo = -1;
      AddItem(AnsiString(), empty);
    }
    Item->ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
    if (Item->GetBreaksLine() || !AddParagraphs)
      Item->SetBreaksLine(true);
    else
      Item->ItemOptions &= static_cast<Byte>(~uvioBR);
    if (Item->ParaNo == -1) Item->ParaNo = 0;
  }
  if (TUVCPInfo* own = Item->Checkpoint) {
    // The item brings its checkpoint along: it becomes this document's pending one.
    Item->Checkpoint = nullptr;
    if (!NotAddedCP) {
      AddNamedCheckpointExTag(own->Name, own->RaiseEvent, own->Tag);
      own->Tag = 0;
    } else {
      FreeTag(own->Tag);
    }
    delete own;
  }
  if (TUVCPInfo* cp = NotAddedCP) {
    NotAddedCP = nullptr;
    cp->Prev = LastCP;
    cp->Next = nullptr;
    if (LastCP)
      LastCP->Next = cp;
    else
      FirstCP = cp;
    LastCP = cp;
    cp->ItemInfo = Item;
    cp->ItemNo = GetItemCount();
    Item->Checkpoint = cp;
  }
  Item->UpdatePaletteInfo(GetDoInPaletteMode(), false, GetUVPalette(), GetUVLogPalette());
  AnsiString text = Text;
  Item->Inserting(this, text, false);
  Items->AddObject(text, Item);
  Item->Inserted(this, GetItemCount() - 1);
}

TCustomUVItemInfo* TCustomUVData::MakeTextItem(AnsiString& Text, Integer StyleNo, Integer ParaNo, TUVTag Tag) {
  TUVStyle* style = GetUVStyle();
  bool unicode = style && style->GetTextStyles()->GetItem(StyleNo)->Unicode;
  if (unicode) CheckUnicodeLength(Text);
  Integer spaces = style ? style->SpacesInTab : 8;
  Text = unicode ? ReplaceTabsUnicode(Text, spaces) : ReplaceTabsAnsi(Text, spaces);
  TCustomUVItemInfo* item = UVTextItemConstructor(this);
  item->StyleNo = StyleNo;
  item->ParaNo = ParaNo;
  item->Tag = Tag;
  if (unicode) item->ItemOptions |= uvioUnicode;
  return item;
}

void TCustomUVData::AddTextItemTag(const AnsiString& Text, Integer StyleNo, Integer ParaNo, TUVTag Tag) {
  AnsiString text = Text;
  AddItem(text, MakeTextItem(text, StyleNo, ParaNo, Tag));
}

Integer TCustomUVData::AddNamedCheckpointExTag(const AnsiString& Name, bool RaiseEvent, TUVTag Tag) {
  if (NotAddedCP) {
    // The tag was handed over with the call; the pending checkpoint keeps its own.
    FreeTag(Tag);
    return CPCount - 1;
  }
  auto* cp = new TUVCPInfo();
  cp->Name = Name;
  cp->RaiseEvent = RaiseEvent;
  cp->Tag = Tag;
  NotAddedCP = cp;
  return CPCount++;
}

void TCustomUVData::AppendFrom(TCustomUVData* Source) {
  if (TagsArePChars() != Source->TagsArePChars())
    throw EUzurUvadError("Can't assign UzurUvad to UzurUvad - tags types mismatch");
  // The source's markers come over with their items; its list goes.
  Source->DestroyMarkers();
  for (Integer i = 0; i < Source->GetItemCount(); ++i) {
    TCustomUVItemInfo* item = Source->GetItem(i);
    if (item->GetContinuesPara()) item->ParaNo = -1;
    AddItem(Source->Items->GetStrings(i), item);
  }
  if (Source->NotAddedCP) {
    if (NotAddedCP) FreeCheckpoint(NotAddedCP, false, true);
    NotAddedCP = Source->NotAddedCP;
    ++CPCount;
    Source->NotAddedCP = nullptr;
  }
  Source->Items->Clear();
  Source->FirstCP = nullptr;
  Source->LastCP = nullptr;
  Source->CPCount = 0;
  Source->Clear();
}

// ---------------------------------------------------------------------------------------------
// Merging text items

bool TCustomUVData::CanMergeTextItems(Integer ItemNo, bool IgnorePara) const {
  if (ItemNo < 0 || ItemNo + 1 >= GetItemCount()) return false;
  TCustomUVItemInfo* item1 = GetItem(ItemNo);
  TCustomUVItemInfo* item2 = GetItem(ItemNo + 1);
  if (item1->StyleNo < 0 || item2->StyleNo < 0) return false;
  bool empty1 = Items->GetStrings(ItemNo).empty();
  bool empty2 = Items->GetStrings(ItemNo + 1).empty();
  // A checkpoint marks the place between the two items: merging must not lose it. Only an empty
  // first item can give way to the second, and its checkpoint moves to the second.
  if (item2->Checkpoint && !(empty1 && !item1->Checkpoint)) return false;
  if (item1->Checkpoint && empty1 && item2->Checkpoint) return false;
  if (empty1 || empty2) return IgnorePara || item2->GetContinuesPara();
  if (item1->StyleNo != item2->StyleNo) return false;
  if (!IgnorePara && !item2->GetContinuesPara()) return false;
  if (item1->IsUnicode() != item2->IsUnicode()) return false;
  auto* self = const_cast<TCustomUVData*>(this);
  if (!UVCompareTags(item1->Tag, item2->Tag, self->TagsArePChars())) return false;
  if (TUVStyle* style = self->GetUVStyle()) {
    TUVProtectOptions protection = style->GetTextStyles()->GetItem(item1->StyleNo)->Protection;
    if (protection.Contains(uvprModifyProtect) || protection.Contains(uvprConcateProtect)) return false;
  }
  return true;
}

void TCustomUVData::MergeTextItems(Integer ItemNo) {
  TCustomUVItemInfo* item1 = GetItem(ItemNo);
  TCustomUVItemInfo* item2 = GetItem(ItemNo + 1);
  if (Items->GetStrings(ItemNo).empty()) {
    // The empty first item gives way: the second keeps its style, options, tag and checkpoint,
    // and takes the first one's place in the paragraph structure.
    const Byte paraBits = uvioSameAsPrev | uvioPageBreakBefore | uvioBR;
    item2->ItemOptions = static_cast<Byte>((item2->ItemOptions & ~paraBits) | (item1->ItemOptions & paraBits));
    item2->ParaNo = item1->ParaNo;
    if (TUVCPInfo* cp = item1->Checkpoint) {
      item1->Checkpoint = nullptr;
      cp->ItemInfo = item2;
      item2->Checkpoint = cp;
    }
    FreeItemObject(item1, false);
    Items->Delete(ItemNo);
    return;
  }
  Items->SetStrings(ItemNo, Items->GetStrings(ItemNo) + Items->GetStrings(ItemNo + 1));
  FreeItemObject(item2, false);
  Items->Delete(ItemNo + 1);
}

void TCustomUVData::NormalizeTextItems(Integer First, Integer Last) {
  if (Last >= GetItemCount()) Last = GetItemCount() - 1;
  Integer low = (First < 0 ? 0 : First) + 1;
  for (Integer i = Last; i >= low; --i)
    if (CanMergeTextItems(i - 1, false)) MergeTextItems(i - 1);
}

// ---------------------------------------------------------------------------------------------
// Removal and clearing

void TCustomUVData::FreeItemObject(TCustomUVItemInfo* Item, bool Clearing) {
  if (Item->StyleNo == uvsListMarker) RemoveMarkerFromList(static_cast<TUVMarkerItemInfo*>(Item), Clearing);
  if (Item->Checkpoint) {
    TUVCPInfo* cp = Item->Checkpoint;
    FreeCheckpoint(cp, true, true);
    Item->Checkpoint = nullptr;
  }
  FreeTag(Item->Tag);
  delete Item;
}

void TCustomUVData::FreeItem(Integer ItemNo, bool Clearing) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  item->NotifyRemoving(this, ItemNo);
  FreeItemObject(item, Clearing);
}

void TCustomUVData::DeleteItems(Integer First, Integer Count) {
  if (ShareItems() || First < 0 || First >= GetItemCount() || Count <= 0) return;
  if (First + Count > GetItemCount()) Count = GetItemCount() - First;
  Items->BeginUpdate();
  for (Integer i = First; i < First + Count; ++i) {
    FreeItem(i, false);
    Items->SetObjects(i, nullptr);
  }
  for (Integer i = First + Count - 1; i >= First; --i) Items->Delete(i);
  Items->EndUpdate();
}

void TCustomUVData::Clear() {
  bool wasClearing = (State & uvstClearing) != 0;
  State |= uvstClearing;
  if (!ShareItems()) {
    Items->BeginUpdate();
    for (Integer i = 0; i < GetItemCount(); ++i) {
      FreeItem(i, true);
      Items->SetObjects(i, nullptr);
    }
    Items->Clear();
    Items->EndUpdate();
  }
  FreeCheckpoint(NotAddedCP, false, true);
  FirstCP = nullptr;
  LastCP = nullptr;
  CPCount = 0;
  if (!wasClearing) State &= ~static_cast<Cardinal>(uvstClearing);
}
