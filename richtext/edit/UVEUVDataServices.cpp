// What else the editor's data does for its control and for tables: streams inserted at the
// caret with their edges merged, the hyperlink mode, the writers, style bookkeeping, reformatting
// after a table changed, and renumbering lists after edits.
#include <algorithm>
#include <vector>

#include "classlib/SysUtils.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEUVDataEditing.h"

using UVEditing::EditScope;
using UVEditing::TrackJoin;

void TUVEditUVData::Refuse() {
  Beep();
  UndoList->DropEmptyLast();
}

// ---------------------------------------------------------------------------------------------
// Streams at the caret

bool TUVEditUVData::InsertStreamAtCaret(const std::function<bool(Integer& Index)>& Read) {
  Integer caretItem = GetCurItemNo();
  Integer caretOffs = GetOffsetInCurItem();
  if (caretItem < 0 || PartialSelectedItem) {
    Refuse();
    return false;
  }
  Integer index = caretItem;
  if (caretOffs >= GetOffsAfterItem(caretItem)) ++index;
  OpenUndoAction(uvutInsert);
  TUVUndoList* list = GetUndoListForRecording();
  Integer recordsBefore = list && list->LastAction() ? list->LastAction()->GetCount() : 0;
  Integer countBefore = GetItemCount();
  EditScope scope(this, caretItem, caretItem);
  Integer firstIndex = index;
  bool ok = Read(firstIndex);
  Integer added = GetItemCount() - countBefore;
  if (firstIndex < 0 || firstIndex >= GetItemCount()) {
    if (!ok) {
      Invalidate();
      Refuse();
    }
    return ok;
  }
  // The first item came through the caret placement, which recorded what it did (the item, and
  // a split text's tail or a replaced empty item); the rest went straight into the list and is
  // recorded here as one insertion.
  Integer placed = 0;
  if (list && list->LastAction()) {
    TUVUndoInfos* action = list->LastAction();
    for (Integer i = recordsBefore; i < action->GetCount(); ++i) {
      TUVUndoInfo* record = action->GetRecord(i);
      if (dynamic_cast<TUVUndoInsertItemInfo*>(record))
        ++placed;
      else if (dynamic_cast<TUVUndoDeleteItemInfo*>(record))
        --placed;
    }
  } else {
    placed = 1;
  }
  Integer rest = added - placed;
  // What was read straight in and goes on a paragraph takes that paragraph's style (the items are
  // new: their insertion record covers them as they are now).
  for (Integer i = firstIndex + 1; i <= firstIndex + rest && i < GetItemCount(); ++i)
    if (!GetItem(i)->StartsPara()) GetItem(i)->ParaNo = GetItemPara(i - 1);
  TUVUndoItemNoInfo* record = nullptr;
  if (list && rest > 0) {
    auto* items = new TUVUndoInsertItemsInfo();
    items->Kind = uvukInsertItems;
    items->ItemNo = firstIndex + 1;
    items->Count = rest;
    list->AppendRecord(items);
    record = items;
  }
  bool full = false;
  Integer insertedCount = rest + 1;
  FixParagraphsAfterInsert(firstIndex, insertedCount, full, record);
  scope.FullReformat = scope.FullReformat || full;
  MergeInsertedEdges(firstIndex, insertedCount, scope.FullReformat, caretItem, caretOffs);
  scope.Finish(std::max(firstIndex - 1, 0), std::min(caretItem + 1, GetItemCount() - 1));
  PlaceCaretAfterEdit(caretItem, caretOffs, false);
  RenumberListsAfterEdit(std::max(firstIndex - 1, 0), std::min(caretItem + 1, GetItemCount() - 1));
  Change(true);
  return true;
}

void TUVEditUVData::MergeInsertedEdges(Integer First, Integer Count, bool& FullReformat, Integer& CaretItemNo,
                                       Integer& CaretOffs) {
  bool full = false;
  Integer last = First + Count - 1;
  CaretItemNo = last;
  CaretOffs = GetOffsAfterItem(last);
  // The last inserted item and what follows.
  if (CanMergeTextItems(last, false)) {
    UndoableJoinTextItems(last, full);
    FullReformat = FullReformat || full;
  } else if (last + 1 < GetItemCount() && !GetItem(last + 1)->StartsPara() &&
             ((GetItem(last + 1)->QueryFlag(uvbpFullWidth) && GetItem(last + 1)->GetContinuesPara()) ||
              (GetItemStyle(last) < 0 && GetItem(last)->QueryFlag(uvbpFullWidth)))) {
    // A full-line item, and what follows one, begins a paragraph.
    UndoableNewLine(last + 1, false, full, GetItemPara(last + 1));
    FullReformat = FullReformat || full;
  }
  // Inside the inserted range, from its end back.
  for (Integer i = last; i > First; --i) {
    if (!CanMergeTextItems(i - 1, false)) continue;
    Integer firstLength = Items->GetStrings(i - 1).empty() ? 0 : GetItemLength(i - 1);
    UndoableJoinTextItems(i - 1, full);
    FullReformat = FullReformat || full;
    TrackJoin(i - 1, firstLength, CaretItemNo, CaretOffs);
  }
  // The first inserted item and what comes before it.
  if (First > 0 && CanMergeTextItems(First - 1, false)) {
    Integer firstLength = Items->GetStrings(First - 1).empty() ? 0 : GetItemLength(First - 1);
    UndoableJoinTextItems(First - 1, full);
    FullReformat = FullReformat || full;
    TrackJoin(First - 1, firstLength, CaretItemNo, CaretOffs);
  } else if (First > 0 && First < GetItemCount() && GetItemStyle(First) >= 0 && Items->GetStrings(First).empty() &&
             GetItem(First)->GetContinuesPara() && GetItemStyle(First - 1) != uvsListMarker) {
    UndoableDeleteItem(First, full);
    FullReformat = FullReformat || full;
    if (CaretItemNo == First) {
      CaretItemNo = First - 1;
      CaretOffs = GetOffsAfterItem(First - 1);
    } else if (CaretItemNo > First) {
      --CaretItemNo;
    }
  }
}

bool TUVEditUVData::InsertUVFAtCaret(TStream* Stream) {
  return InsertStreamAtCaret([&](Integer& Index) {
    bool inProgress = false;
    Integer added = 0;
    Integer paraNo = GetItemPara(GetCurItemNo());
    bool ok = InsertUVFFromStream(Stream, Index, inProgress, added, nullptr, nullptr, nullptr, true, true, false, paraNo);
    // Index now stands after the read items; the first of them went where the caret placed it.
    Index = added > 0 ? Index - added : -1;
    return ok;
  });
}

bool TUVEditUVData::InsertRTFAtCaret(TStream* Stream) {
  TUVRTFReaderProperties* properties = GetRTFReadProperties();
  if (!properties) return false;
  return InsertStreamAtCaret([&](Integer& Index) {
    try {
      TUVRTFResult result = properties->InsertFromStream(Stream, this, Index);
      return result == rtf_ec_OK;
    } catch (EAbort&) {
      return false;
    }
  });
}

// ---------------------------------------------------------------------------------------------
// Hyperlink mode

void TUVEditUVData::EnableJumps(bool Force) {
  if ((IsReadOnly() && !Force) || CaptureMouseItem) return;
  ClearJumps();
  SetFlags(GetFlags() | uvflBuildJumps);
  BuildJumpList();
  PlaceJumps();
  HoverJumpNo = -1;
  HoverDrawItemNo = -1;
  State &= ~static_cast<Cardinal>(uvstDrawHover);
  Invalidate();
}

void TUVEditUVData::DisableJumps() {
  if (IsReadOnly() || CaptureMouseItem || !(GetFlags() & uvflBuildJumps)) return;
  HoverJumpNo = -1;
  HoverDrawItemNo = -1;
  ClearJumps();
  SetFlags(static_cast<TUVFlags>(GetFlags() & ~uvflBuildJumps));
  State &= ~static_cast<Cardinal>(uvstDrawHover);
  ChangeCaret(false, false, true);
  Invalidate();
}

namespace {

// Hyperlink numbers exist only while hyperlinks are active: the root editor's writers turn them on
// for the write.
class JumpsForWriting {
public:
  explicit JumpsForWriting(TUVEditUVData* Data) : Data_(Data), On_((Data->GetFlags() & uvflRootEditor) != 0) {
    if (On_) Data_->EnableJumps(false);
  }
  ~JumpsForWriting() {
    if (On_) Data_->DisableJumps();
  }

private:
  TUVEditUVData* Data_;
  bool On_;
};

}  // namespace

bool TUVEditUVData::SaveRTFToStream(TStream* Stream, bool SelectionOnly, TColor Color, Integer Level,
                                    TUVRTFFontTable* FontTable, TUVColorList* ColorList,
                                    TUVIntegerList* ListOverrideOffsets, double TwipsPerPixel) {
  JumpsForWriting jumps(this);
  return VUzurUvadUVData::SaveRTFToStream(Stream, SelectionOnly, Color, Level, FontTable, ColorList,
                                          ListOverrideOffsets, TwipsPerPixel);
}

bool TUVEditUVData::SaveHTMLToStream(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                                     const AnsiString& ImagesPrefix, Integer Options, TColor Color,
                                     Integer LeftMargin, Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                                     TUVBackground* Background) {
  JumpsForWriting jumps(this);
  return VUzurUvadUVData::SaveHTMLToStream(Stream, Path, Title, ImagesPrefix, Options, Color, LeftMargin, TopMargin,
                                           RightMargin, BottomMargin, Background);
}

bool TUVEditUVData::SaveHTMLToStreamWithCSS(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                                            const AnsiString& ImagesPrefix, Integer Options, TColor Color,
                                            Integer LeftMargin, Integer TopMargin, Integer RightMargin,
                                            Integer BottomMargin, TUVBackground* Background,
                                            const AnsiString& CSSFileName) {
  JumpsForWriting jumps(this);
  return VUzurUvadUVData::SaveHTMLToStreamWithCSS(Stream, Path, Title, ImagesPrefix, Options, Color, LeftMargin,
                                                  TopMargin, RightMargin, BottomMargin, Background, CSSFileName);
}

void TUVEditUVData::GetSelectionBoundsEx(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo,
                                         Integer& EndOffs, TCustomUVItemInfo*& StartPartial,
                                         TCustomUVItemInfo*& EndPartial, bool Normalize) {
  VUzurUvadUVData::GetSelectionBoundsEx(StartItemNo, StartOffs, EndItemNo, EndOffs, StartPartial, EndPartial,
                                        Normalize);
  if (StartItemNo < 0 && !PartialSelectedItem && CaretDrawItemNo >= 0) {
    StartItemNo = EndItemNo = GetCurItemNo();
    StartOffs = EndOffs = GetOffsetInCurItem();
  }
}

// ---------------------------------------------------------------------------------------------
// After a table changed one of its cells

void TUVEditUVData::ReformatAroundSelection(bool Full) {
  Integer si, so, ei, eo;
  GetSelectionItemBounds(false, si, so, ei, eo);
  if (Full) {
    Format(false, true, false, 0, nullptr, false, false);
    Invalidate();
  } else {
    Integer sd, sdo, ed, edo;
    GetSelDrawItemBounds(true, sd, sdo, ed, edo);
    if (sd < 0) {
      sd = ed = CaretDrawItemNo >= 0 ? CaretDrawItemNo : 0;
    }
    Integer paraFirst, paraLast;
    GetParaBounds(sd, ed, paraFirst, paraLast);
    FormatParas(paraFirst, paraLast, 0);
    Invalidate();
  }
  if (si >= 0 && si < GetItemCount() && ei >= 0 && ei < GetItemCount()) {
    SetSelBoundsFromItems(si, so, ei, eo);
    PlaceCaretAfterEdit(ei, eo, true);
  }
}

void TUVEditUVData::ReformatItemIfWider(Integer ItemNo, Integer OldMinWidth) {
  Integer width = CalculateParaSectionMinWidthDef(ItemNo);
  if (width != OldMinWidth && (OldMinWidth >= DocumentWidth || width > DocumentWidth)) {
    Format(false, true, false, 0, nullptr, false, false);
    Invalidate();
    return;
  }
  Integer d = ItemToFirstDrawItem(ItemNo);
  if (d < 0) return;
  Integer last = d;
  while (last + 1 < DrawItems->GetCount() && DrawItems->Get(last + 1)->ItemNo == ItemNo) ++last;
  Integer paraFirst, paraLast;
  GetParaBounds(d, last, paraFirst, paraLast);
  FormatParas(paraFirst, paraLast, 0);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Style bookkeeping

void TUVEditUVData::MarkUsedStyles(TUVStyleUsage& Used) {
  VUzurUvadUVData::MarkUsedStyles(Used);
  if (Used.TextStyles && CurTextStyleNo >= 0 && CurTextStyleNo < Used.TextStyles->GetCount())
    Used.TextStyles->Put(CurTextStyleNo, 1);
  if (Used.ParaStyles && CurParaStyleNo >= 0 && CurParaStyleNo < Used.ParaStyles->GetCount())
    Used.ParaStyles->Put(CurParaStyleNo, 1);
}

void TUVEditUVData::RenumberStyles(TUVStyleUsage& Used) {
  // The records hold the old numbers.
  UndoList->Clear();
  RedoList->Clear();
  auto shifted = [](TUVIntegerList* Shifts, Integer No) {
    return Shifts && No >= 0 && No < Shifts->GetCount() ? No - Shifts->Get(No) : No;
  };
  Integer text = shifted(Used.TextStyles, CurTextStyleNo);
  Integer para = shifted(Used.ParaStyles, CurParaStyleNo);
  // A style was removed when the styles after it moved one further.
  TUVIntegerList* shifts = Used.TextStyles;
  Integer last = LastSwitchTextStyleNo;
  if (shifts && last >= 0 && last < shifts->GetCount()) {
    bool removed = last + 1 < shifts->GetCount()
                       ? shifts->Get(last + 1) > shifts->Get(last)
                       : (GetUVStyle() && last - shifts->Get(last) >= GetUVStyle()->GetTextStyles()->GetCount());
    LastSwitchTextStyleNo = removed ? 0 : last - shifts->Get(last);
  }
  if (GetAbsoluteRootData() == this) {
    State |= uvstForceStyleNotify;
    SetCurrentTextStyle(text);
    SetCurrentParaStyle(para);
    State &= ~static_cast<Cardinal>(uvstForceStyleNotify);
  } else {
    CurTextStyleNo = text;
    CurParaStyleNo = para;
  }
  VUzurUvadUVData::RenumberStyles(Used);
}

void TUVEditUVData::SetPartialSelectedItem(TCustomUVItemInfo* Item) {
  bool changes = PartialSelectedItem != Item;
  VUzurUvadUVData::SetPartialSelectedItem(Item);
  if (changes && !IsDestroying()) DoCaretMove();
}

void TUVEditUVData::ReleasePartialSelection(TCustomUVItemInfo* Item) {
  bool held = PartialSelectedItem && PartialSelectedItem != Item;
  VUzurUvadUVData::ReleasePartialSelection(Item);
  if (held && !IsDestroying()) DoCaretMove();
}

// ---------------------------------------------------------------------------------------------
// Numbered lists after edits

void TUVEditUVData::CollectListsInRange(Integer First, Integer Last, std::vector<Integer>& Lists,
                                        Integer& FirstMarkerIndex) {
  Lists.clear();
  FirstMarkerIndex = -1;
  TUVStyle* style = GetUVStyle();
  TUVMarkerList* markers = GetMarkers(false);
  if (!style || !markers || GetItemCount() == 0) return;
  First = std::clamp(First, 0, GetItemCount() - 1);
  Last = std::clamp(Last, First, GetItemCount() - 1);
  ExpandToParagraphs(First, Last, First, Last);
  for (Integer i = First; i <= Last; ++i) {
    if (GetItemStyle(i) != uvsListMarker) continue;
    auto* marker = static_cast<TUVMarkerItemInfo*>(GetItem(i));
    TUVListLevel* level = marker->GetLevelInfo(style);
    if (!level || !level->HasTextNumbering()) continue;
    if (std::find(Lists.begin(), Lists.end(), marker->ListNo) == Lists.end()) Lists.push_back(marker->ListNo);
    if (FirstMarkerIndex < 0) FirstMarkerIndex = marker->GetIndexInList(markers);
  }
}

void TUVEditUVData::RenumberLists(const std::vector<Integer>& Lists, Integer FirstMarkerIndex, Integer ItemNo) {
  TUVMarkerList* markers = GetMarkers(false);
  if (Lists.empty() || !markers || GetItemCount() == 0 || DrawItems->GetCount() == 0) return;
  TUVMarkerItemInfo* lastMarker = nullptr;
  for (Integer i = std::max(FirstMarkerIndex, 0); i < markers->GetCount(); ++i) {
    TUVMarkerItemInfo* marker = markers->Get(i);
    if (std::find(Lists.begin(), Lists.end(), marker->ListNo) != Lists.end()) lastMarker = marker;
  }
  if (!lastMarker) return;
  // The item of this document that holds the marker (a table holds those of its cells).
  Integer markerItem = FindItemDeep(0, lastMarker);
  ItemNo = std::clamp(ItemNo, 0, GetItemCount() - 1);
  if (markerItem <= ItemNo) return;
  Integer first, last;
  ExpandToParagraphs(ItemNo, markerItem, first, last);
  Integer caretItem = GetCurItemNo();
  Integer caretOffs = GetOffsetInCurItem();
  RecordReformatRange(first, last, false);
  Integer d1 = ItemToFirstDrawItem(first);
  Integer d2 = ItemToFirstDrawItem(last);
  if (d1 < 0 || d2 < 0) return;
  while (d2 + 1 < DrawItems->GetCount() && DrawItems->Get(d2 + 1)->ItemNo == last) ++d2;
  FormatParasExact(d1, d2, 0, false);
  if (caretItem >= 0) PlaceCaretAfterEdit(caretItem, caretOffs, true);
}

void TUVEditUVData::RenumberListsAfterEdit(Integer First, Integer Last) {
  std::vector<Integer> lists;
  Integer firstMarker = -1;
  CollectListsInRange(First, Last, lists, firstMarker);
  RenumberLists(lists, firstMarker, First);
}
