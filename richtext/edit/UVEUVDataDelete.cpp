// Taking things out of the document: the selection, Delete and Backspace, and the joining of
// paragraphs they cause. Each step is an undoable primitive inside a deleting action.
#include <algorithm>
#include <vector>

#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEUVDataEditing.h"

using UVEditing::EditScope;
using UVEditing::UnifyParaStyle;

namespace {

constexpr Byte LineBits = uvioSameAsPrev | uvioBR | uvioPageBreakBefore;

}  // namespace

// ---------------------------------------------------------------------------------------------
// What may go

bool TUVEditUVData::CanDeleteFromItem(Integer ItemNo, Integer From, Integer To) {
  Integer before = GetOffsBeforeItem(ItemNo);
  Integer after = GetOffsAfterItem(ItemNo);
  if (From == To || To <= before || From >= after || GetItemStyle(ItemNo) < 0) return true;
  bool whole = From <= before && To >= after;
  if (whole) return !IsStyleProtected(ItemNo, uvprDeleteProtect);
  return !IsStyleProtected(ItemNo, uvprModifyProtect);
}

bool TUVEditUVData::CanDeleteSelection() {
  if (!SelectionExists()) return !PartialSelectedItem || PartialSelectedItem->CanDeletePartiallySelected();
  Integer si, so, ei, eo;
  GetSelectionItemBounds(true, si, so, ei, eo);
  if (si < 0 || ei < 0) return true;
  for (Integer i = si + 1; i < ei; ++i)
    if (IsStyleProtected(i, uvprDeleteProtect)) return false;
  if (si == ei) {
    if (!CanDeleteFromItem(si, so, eo)) return false;
  } else {
    if (!CanDeleteFromItem(si, so, GetOffsAfterItem(si))) return false;
    if (!CanDeleteFromItem(ei, GetOffsBeforeItem(ei), eo)) return false;
  }
  if (IsItemParaReadOnly(si) && !(IsParaStart(si) && so <= GetOffsBeforeItem(si))) return false;
  if (IsItemParaReadOnly(ei) &&
      !(eo >= GetOffsAfterItem(ei) && (ei == GetItemCount() - 1 || IsParaStart(ei + 1))))
    return false;
  if (si == ei && so == eo && IsItemParaReadOnly(si)) return false;
  return !IsParaOptionSet(CurParaStyleNo, uvpaoReadOnly);
}

// ---------------------------------------------------------------------------------------------
// Items that lose their place

void TUVEditUVData::TakeOverLineStart(Integer ItemNo, Byte Bits, Integer ParaNo, bool& FullReformat) {
  bool full = false;
  if (ItemNo >= GetItemCount() || IsStyleProtected(ItemNo, uvprParaStartProtect)) return;
  if (!(Bits & (uvioSameAsPrev | uvioBR))) {
    UndoableNewLine(ItemNo, false, full, ParaNo);
  } else if (Bits & uvioBR) {
    UndoableSetBR(ItemNo, true, full);
  }
  FullReformat = FullReformat || full;
  if ((Bits & uvioPageBreakBefore) && !GetItem(ItemNo)->GetPageBreakBefore()) UndoableSetPageBreak(ItemNo, true);
}

void TUVEditUVData::DeleteItemKeepingLine(Integer ItemNo, bool& FullReformat, Integer& CaretItemNo,
                                          Integer& CaretOffs) {
  TCustomUVItemInfo* old = GetItem(ItemNo);
  Byte bits = old->ItemOptions & LineBits;
  Integer paraNo = old->ParaNo;
  bool startsLine = !(bits & uvioSameAsPrev) || ItemNo == 0;
  bool full = false;
  UndoableDeleteItem(ItemNo, full);
  FullReformat = FullReformat || full;
  if (startsLine && ItemNo < GetItemCount() && !GetItem(ItemNo)->StartsPara()) {
    // What followed on the line takes over its start.
    TakeOverLineStart(ItemNo, bits, paraNo, FullReformat);
    CaretItemNo = ItemNo;
    CaretOffs = GetOffsBeforeItem(ItemNo);
    return;
  }
  if (ItemNo > 0) {
    CaretItemNo = ItemNo - 1;
    CaretOffs = GetOffsAfterItem(ItemNo - 1);
    if (!startsLine && CanMergeTextItems(ItemNo - 1, false)) {
      UndoableJoinTextItems(ItemNo - 1, full);
      FullReformat = FullReformat || full;
    }
  } else {
    CaretItemNo = 0;
    CaretOffs = GetOffsBeforeItem(0);
  }
}

// ---------------------------------------------------------------------------------------------
// The selection

bool TUVEditUVData::DeleteSelection() {
  if (!SelectionExists()) {
    if (!PartialSelectedItem) return true;
    if (!PartialSelectedItem->CanDeletePartiallySelected()) {
      Refuse();
      return false;
    }
    PartialSelectedItem->DeletePartiallySelected();
    return true;
  }
  if (!CanDeleteSelection()) {
    Refuse();
    return false;
  }
  OpenUndoAction(uvutDelete);
  Integer si, so, ei, eo;
  GetSelectionItemBounds(true, si, so, ei, eo);
  EditScope scope(this, si, ei);
  bool full = false;
  Integer count = GetItemCount();
  // A start at the very beginning of a continuing item is the end of the item before it.
  if (so <= GetOffsBeforeItem(si) && si > 0 && GetItem(si)->GetContinuesPara()) {
    --si;
    so = GetOffsAfterItem(si);
  }
  // Markers stay whole: ends on them move to the neighbouring item.
  if (GetItemStyle(si) == uvsListMarker && si + 1 < count) {
    ++si;
    so = GetOffsBeforeItem(si);
  }
  if (GetItemStyle(ei) == uvsListMarker) {
    if (eo <= 0 && ei > 0) {
      --ei;
      eo = GetOffsAfterItem(ei);
    } else if (ei + 1 < count) {
      ++ei;
      eo = GetOffsBeforeItem(ei);
    }
  }
  std::vector<Integer> lists;
  Integer firstMarker = -1;
  CollectListsInRange(si, ei, lists, firstMarker);
  Integer caretItemNo = si;
  Integer caretOffs = so;
  if (si < ei || (si == ei && so < eo)) {
    bool multi = si != ei;
    bool lastKept = true;
    if (multi) {
      if (eo < GetOffsAfterItem(ei)) {
        if (GetItemStyle(ei) >= 0 && eo > 1) UndoableDeleteSubstring(ei, 1, eo - 1);
      } else {
        UndoableDeleteItem(ei, full);
        scope.FullReformat = scope.FullReformat || full;
        lastKept = false;
      }
      if (ei - 1 >= si + 1) {
        UndoableDeleteItems(si + 1, ei - 1, full);
        scope.FullReformat = scope.FullReformat || full;
      }
      eo = GetOffsAfterItem(si);
    }
    Integer before = GetOffsBeforeItem(si);
    Integer after = GetOffsAfterItem(si);
    bool whole = so <= before && eo >= after;
    if (!whole) {
      if (GetItemStyle(si) >= 0 && eo > so) UndoableDeleteSubstring(si, so, eo - so);
      caretItemNo = si;
      caretOffs = so;
      bool afterFullLine = GetItemStyle(si) < 0 && GetItem(si)->QueryFlag(uvbpFullWidth);
      if (afterFullLine && si + 1 < GetItemCount() && !GetItem(si + 1)->StartsPara()) {
        // What follows a full-line item begins a paragraph of its own.
        UndoableNewLine(si + 1, false, full, GetItemPara(si + 1));
        scope.FullReformat = scope.FullReformat || full;
      } else if (!afterFullLine && multi && lastKept && si + 1 < GetItemCount() &&
                 !GetItem(si + 1)->GetContinuesPara()) {
        // The kept rest of the last paragraph joins the first.
        UndoableNewLine(si + 1, true, full, GetItemPara(si));
        scope.FullReformat = scope.FullReformat || full;
      }
    } else {
      TCustomUVItemInfo* old = GetItem(si);
      Byte bits = old->ItemOptions & LineBits;
      Integer paraNo = old->ParaNo;
      bool startsLine = !(bits & uvioSameAsPrev);
      UndoableDeleteItem(si, full);
      scope.FullReformat = scope.FullReformat || full;
      bool remains = si < GetItemCount() && ((multi && lastKept) || !GetItem(si)->StartsPara());
      if (startsLine) {
        if (remains) {
          TakeOverLineStart(si, bits, paraNo, scope.FullReformat);
          caretItemNo = si;
          caretOffs = GetOffsBeforeItem(si);
        } else {
          // Nothing of the paragraph is left: an empty text item holds its place.
          TCustomUVItemInfo* empty = NewTextItem(CurTextStyleNo, paraNo);
          empty->ItemOptions = static_cast<Byte>((empty->ItemOptions & uvioUnicode) | (bits & ~uvioSameAsPrev));
          UndoableInsertItem(si, AnsiString(), empty, full);
          scope.FullReformat = scope.FullReformat || full;
          caretItemNo = si;
          caretOffs = 1;
        }
      } else if (remains) {
        if (multi && lastKept && !GetItem(si)->GetContinuesPara()) {
          UndoableNewLine(si, true, full, GetItemPara(si - 1));
          scope.FullReformat = scope.FullReformat || full;
        }
        caretItemNo = si;
        caretOffs = GetOffsBeforeItem(si);
      } else {
        caretItemNo = si - 1;
        caretOffs = GetOffsAfterItem(si - 1);
      }
    }
    if (CanMergeTextItems(caretItemNo, false)) {
      UndoableJoinTextItems(caretItemNo, full);
      scope.FullReformat = scope.FullReformat || full;
    }
    // A paragraph made of two keeps the first one's style.
    UnifyParaStyle(this, caretItemNo, scope.FullReformat);
  }
  scope.Finish(caretItemNo, caretItemNo);
  PlaceCaretAfterEdit(caretItemNo, caretOffs, true);
  RenumberLists(lists, firstMarker, caretItemNo);
  Change(true);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Delete

Integer TUVEditUVData::CaretItemForDeleting() {
  Integer itemNo = GetCurItemNo();
  if (itemNo < 0 || PartialSelectedItem) return -1;
  if (IsItemParaReadOnly(itemNo)) {
    Refuse();
    return -1;
  }
  return itemNo;
}

void TUVEditUVData::PressDelete(bool Ctrl) {
  Integer itemNo = CaretItemForDeleting();
  if (itemNo < 0) return;
  Integer offs = GetOffsetInCurItem();
  bool atItemEnd = offs >= GetOffsAfterItem(itemNo);
  if (CaretAtLineEnd() && atItemEnd) {
    TCustomUVItemInfo* item = GetItem(itemNo);
    bool emptyText = item->StyleNo >= 0 && Items->GetStrings(itemNo).empty();
    if (itemNo + 1 >= GetItemCount()) {
      if (emptyText && itemNo > 0) PressBackspace(false, false);
      return;
    }
    bool fullLine = item->StyleNo < 0 && item->QueryFlag(uvbpFullWidth);
    TCustomUVItemInfo* next = GetItem(itemNo + 1);
    bool nextFullLine = next->StyleNo < 0 && next->QueryFlag(uvbpFullWidth);
    if (fullLine || (nextFullLine && !emptyText)) {
      MoveCaretRight(false, false);
      return;
    }
    if (next->GetContinuesPara()) {
      // The line ends but the paragraph goes on: go on at the next line.
      Integer piece = CharPositions->Get(CaretOffs)->DrawItemNo + 1;
      if (piece < DrawItems->GetCount()) {
        CaretDrawItemNo = piece;
        BuildCaretPositions(GetOffsBeforeDrawItem(piece) - 2);
        PressDelete(Ctrl);
      }
      return;
    }
    DeleteAtParaEnd(itemNo);
    return;
  }
  if (atItemEnd && itemNo + 1 < GetItemCount() && !GetItem(itemNo + 1)->GetContinuesPara() &&
      CaretOffs == CharPositions->GetCount() - 1) {
    DeleteAtParaEnd(itemNo);
    return;
  }
  if (CaretOffs == CharPositions->GetCount() - 1) {
    // At the end of a wrapped line: the characters at the wrap belong to neither line.
    TUVDrawLineInfo* piece = DrawItems->Get(CharPositions->Get(CaretOffs)->DrawItemNo);
    Integer nextPiece = CharPositions->Get(CaretOffs)->DrawItemNo + 1;
    if (nextPiece >= DrawItems->GetCount()) return;
    TUVDrawLineInfo* next = DrawItems->Get(nextPiece);
    bool gap = next->ItemNo == piece->ItemNo && next->Offs > piece->Offs + piece->Length;
    CaretDrawItemNo = nextPiece;
    BuildCaretPositions(GetOffsBeforeDrawItem(nextPiece) - 2);
    if (gap)
      PressBackspace(false, true);
    else
      PressDelete(Ctrl);
    return;
  }
  // Inside a line. With Ctrl the rest of the word and the spaces after it go, as far as the item
  // goes; otherwise the caret steps one stop forward and the whole character before it goes.
  Integer length = GetItemStyle(itemNo) >= 0 ? GetItemLength(itemNo) : 0;
  if (Ctrl && GetItemStyle(itemNo) >= 0 && offs <= length) {
    const AnsiString& text = Items->GetStrings(itemNo);
    Byte options = GetItemOptions(itemNo);
    Integer n = offs;
    do {
      ++n;
    } while (n <= length && !(UVUniIsSpaceAt(text, n - 1, options) && !UVUniIsSpaceAt(text, n, options)));
    if (offs > 1 || n <= length) {
      DeleteCharacters(itemNo, offs, n);
    } else {
      // The whole text: as Backspace at its end would take it.
      SetCaretAtItem(itemNo, n);
      PressBackspace(true, true);
    }
    return;
  }
  ++CaretOffs;
  PressBackspace(false, true);
}

void TUVEditUVData::DeleteCharacters(Integer ItemNo, Integer From, Integer To) {
  if (IsStyleProtected(ItemNo, uvprModifyProtect)) {
    Refuse();
    return;
  }
  OpenUndoAction(uvutDelete);
  EditScope scope(this, UVEditing::TextChange{ItemNo, From, To - From});
  UndoableDeleteSubstring(ItemNo, From, To - From);
  scope.FinishText(0);
  PlaceCaretAfterEdit(ItemNo, From, true);
  Change(true);
}

void TUVEditUVData::DeleteAtParaEnd(Integer ItemNo) {
  Integer next = ItemNo + 1;
  if (next >= GetItemCount()) return;
  TCustomUVItemInfo* item = GetItem(ItemNo);
  bool emptyText = item->StyleNo >= 0 && Items->GetStrings(ItemNo).empty();
  bool nextEmpty = GetItemStyle(next) >= 0 && Items->GetStrings(next).empty();
  bool readOnly = IsItemParaReadOnly(ItemNo) || IsItemParaReadOnly(next);
  OpenUndoAction(uvutDelete);
  std::vector<Integer> lists;
  Integer firstMarker = -1;
  CollectListsInRange(ItemNo, next, lists, firstMarker);
  bool full = false;
  Integer caretItemNo = ItemNo;
  Integer caretOffs = GetOffsAfterItem(ItemNo);
  if (emptyText) {
    if (IsStyleProtected(ItemNo, uvprDeleteProtect) || readOnly) {
      Refuse();
      return;
    }
    EditScope scope(this, ItemNo, next);
    Integer first = ItemNo;
    bool markerBefore = IsAfterOwnMarker(ItemNo);
    UndoableDeleteItem(ItemNo, full);
    scope.FullReformat = scope.FullReformat || full;
    if (markerBefore) {
      --first;
      UndoableDeleteItem(first, full);
      scope.FullReformat = scope.FullReformat || full;
    }
    if (first < GetItemCount() && GetItem(first)->GetBreaksLine()) {
      UndoableSetBR(first, false, full);
      scope.FullReformat = scope.FullReformat || full;
    }
    caretItemNo = std::min(first, GetItemCount() - 1);
    caretOffs = GetOffsBeforeItem(caretItemNo);
    if (GetItemStyle(caretItemNo) == uvsListMarker && caretItemNo + 1 < GetItemCount()) {
      ++caretItemNo;
      caretOffs = GetOffsBeforeItem(caretItemNo);
    }
    UnifyParaStyle(this, caretItemNo, scope.FullReformat);
    scope.Finish(std::max(first - 1, 0), caretItemNo);
  } else if (nextEmpty && !(IsStyleProtected(next, uvprDeleteProtect) || IsItemParaReadOnly(next))) {
    EditScope scope(this, ItemNo, next);
    Integer paraNo = GetItem(next)->ParaNo;
    Byte bits = GetItem(next)->ItemOptions & LineBits;
    UndoableDeleteItem(next, full);
    scope.FullReformat = scope.FullReformat || full;
    // The rest of the removed item's paragraph keeps a paragraph start.
    if (next < GetItemCount() && !GetItem(next)->StartsPara() && !(bits & uvioSameAsPrev))
      TakeOverLineStart(next, bits, paraNo, scope.FullReformat);
    scope.Finish(ItemNo, std::min(next, GetItemCount() - 1));
  } else {
    if (readOnly || IsStyleProtected(next, uvprParaStartProtect) || nextEmpty) {
      Refuse();
      return;
    }
    EditScope scope(this, ItemNo, next);
    if (GetItemStyle(next) == uvsListMarker) {
      UndoableDeleteItem(next, full);
      scope.FullReformat = scope.FullReformat || full;
    }
    if (next < GetItemCount() && !GetItem(next)->GetContinuesPara()) {
      UndoableNewLine(next, true, full, GetItemPara(ItemNo));
      scope.FullReformat = scope.FullReformat || full;
    }
    UnifyParaStyle(this, ItemNo, scope.FullReformat);
    if (CanMergeTextItems(ItemNo, false)) {
      UndoableJoinTextItems(ItemNo, full);
      scope.FullReformat = scope.FullReformat || full;
    }
    caretOffs = std::min(caretOffs, GetOffsAfterItem(ItemNo));
    scope.Finish(ItemNo, std::min(ItemNo + 1, GetItemCount() - 1));
  }
  PlaceCaretAfterEdit(caretItemNo, caretOffs, true);
  RenumberLists(lists, firstMarker, std::min(ItemNo, GetItemCount() - 1));
  Change(true);
}

// ---------------------------------------------------------------------------------------------
// Backspace

void TUVEditUVData::PressBackspace(bool Ctrl, bool FromDelete) {
  Integer itemNo = CaretItemForDeleting();
  if (itemNo < 0) return;
  Integer offs = GetOffsetInCurItem();
  TCustomUVItemInfo* item = GetItem(itemNo);
  if (CaretAtLineStart()) {
    if (itemNo == 0) return;
    bool emptyText = item->StyleNo >= 0 && Items->GetStrings(itemNo).empty();
    bool fullLine = item->StyleNo < 0 && item->QueryFlag(uvbpFullWidth);
    TCustomUVItemInfo* previous = GetItem(itemNo - 1);
    bool previousFullLine = previous->StyleNo < 0 && previous->QueryFlag(uvbpFullWidth);
    if (fullLine || (previousFullLine && !emptyText)) {
      MoveCaretLeft(false, false);
      return;
    }
    if (item->GetContinuesPara() && previous->StyleNo != uvsListMarker) {
      // A wrapped line: go on at the end of the line before.
      Integer piece = CharPositions->Get(0)->DrawItemNo - 1;
      if (piece >= 0) {
        CaretDrawItemNo = piece;
        BuildCaretPositions(GetOffsAfterDrawItem(piece) - 2);
        PressBackspace(Ctrl, FromDelete);
      }
      return;
    }
    BackspaceAtLineStart(itemNo);
    return;
  }
  // Inside a line: the character or item before the caret (an empty item is itself what goes).
  Integer before = itemNo;
  Integer beforeOffs = offs;
  bool emptyItem = item->StyleNo >= 0 && Items->GetStrings(itemNo).empty();
  if (!emptyItem && offs <= GetOffsBeforeItem(itemNo) && itemNo > 0) {
    before = itemNo - 1;
    beforeOffs = GetOffsAfterItem(before);
  }
  bool full = false;
  TCustomUVItemInfo* target = GetItem(before);
  Integer length = target->StyleNo >= 0 ? GetItemLength(before) : 0;
  if (target->StyleNo >= 0 && beforeOffs > 1 && length > 1 && UnicodeCharCount(before) > 1) {
    const AnsiString& text = Items->GetStrings(before);
    Byte options = target->ItemOptions;
    Integer from;
    if (Ctrl) {
      Integer n = beforeOffs - 1;
      do {
        --n;
      } while (n > 0 && !(UVUniIsSpaceAt(text, n, options) && !UVUniIsSpaceAt(text, n + 1, options)));
      from = n + 1;
    } else if (FromDelete) {
      from = PrevCharOffset(before, text, beforeOffs);
    } else {
      from = beforeOffs - 1;
    }
    DeleteCharacters(before, std::max<Integer>(PairSafeStart(before, from), 1), beforeOffs);
    return;
  }
  // The whole item before the caret goes.
  OpenUndoAction(uvutDelete);
  if (IsItemParaReadOnly(before)) {
    Refuse();
    return;
  }
  bool startsLine = !target->GetContinuesPara();
  bool alone = startsLine && (before + 1 >= GetItemCount() || !GetItem(before + 1)->GetContinuesPara());
  std::vector<Integer> lists;
  Integer firstMarker = -1;
  CollectListsInRange(before, before, lists, firstMarker);
  EditScope scope(this, before, before);
  Integer caretItemNo = before;
  Integer caretOffs = 1;
  if (alone) {
    if (IsStyleProtected(before, uvprDeleteProtect)) {
      Refuse();
      return;
    }
    // Replaced by an empty text item that keeps the paragraph (or line).
    Byte bits = target->ItemOptions & LineBits;
    TCustomUVItemInfo* empty = NewTextItem(CurTextStyleNo, target->StartsPara() ? CurParaStyleNo : target->ParaNo);
    empty->ItemOptions = static_cast<Byte>((empty->ItemOptions & uvioUnicode) | (bits & (uvioBR | uvioPageBreakBefore)));
    if (target->StyleNo >= 0) empty->Tag = CopyItemTag(target->Tag, TagsArePChars());
    if (target->Checkpoint) {
      auto* cp = new TUVCPInfo();
      cp->Assign(target->Checkpoint, TagsArePChars());
      empty->Checkpoint = cp;
    }
    UndoableDeleteItem(before, full);
    scope.FullReformat = scope.FullReformat || full;
    UndoableInsertItem(before, AnsiString(), empty, full);
    scope.FullReformat = scope.FullReformat || full;
    UnifyParaStyle(this, before, scope.FullReformat);
  } else {
    if (IsStyleProtected(before, uvprDeleteProtect)) {
      Refuse();
      return;
    }
    DeleteItemKeepingLine(before, scope.FullReformat, caretItemNo, caretOffs);
    UnifyParaStyle(this, std::min(caretItemNo, GetItemCount() - 1), scope.FullReformat);
  }
  scope.Finish(std::max(before - 1, 0), std::min(before + 1, GetItemCount() - 1));
  PlaceCaretAfterEdit(caretItemNo, caretOffs, true);
  RenumberLists(lists, firstMarker, std::min(caretItemNo, GetItemCount() - 1));
  Change(true);
}

void TUVEditUVData::BackspaceAtLineStart(Integer ItemNo) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  Integer previousNo = ItemNo - 1;
  TCustomUVItemInfo* previous = GetItem(previousNo);
  bool full = false;
  OpenUndoAction(uvutDelete);
  if (GetPageBreakBefore(ItemNo)) {
    // Only the page break goes.
    UndoableSetPageBreak(ItemNo, false);
    Invalidate();
    PlaceCaretAfterEdit(ItemNo, GetOffsBeforeItem(ItemNo), true);
    Change(true);
    return;
  }
  std::vector<Integer> lists;
  Integer firstMarker = -1;
  CollectListsInRange(previousNo, ItemNo, lists, firstMarker);
  bool readOnly = IsItemParaReadOnly(ItemNo) || IsItemParaReadOnly(previousNo);
  Integer caretItemNo = ItemNo;
  Integer caretOffs = GetOffsBeforeItem(ItemNo);
  if (item->StyleNo == uvsListMarker) {
    // Before a marker standing alone on its line: the paragraph leaves its list.
    EditScope scope(this, ItemNo, ItemNo);
    bool alone = ItemNo + 1 >= GetItemCount() || GetItem(ItemNo + 1)->StartsPara();
    if (alone) {
      TCustomUVItemInfo* empty = NewTextItem(CurTextStyleNo, item->ParaNo);
      empty->ItemOptions |= static_cast<Byte>(item->ItemOptions & uvioPageBreakBefore);
      UndoableDeleteItem(ItemNo, full);
      scope.FullReformat = scope.FullReformat || full;
      UndoableInsertItem(ItemNo, AnsiString(), empty, full);
    } else {
      DeleteItemKeepingLine(ItemNo, full, caretItemNo, caretOffs);
    }
    scope.FullReformat = scope.FullReformat || full;
    caretItemNo = ItemNo;
    caretOffs = GetOffsBeforeItem(ItemNo);
    scope.Finish(std::max(previousNo, 0), std::min(ItemNo + 1, GetItemCount() - 1));
  } else if (IsAfterOwnMarker(ItemNo)) {
    // The paragraph leaves its list.
    EditScope scope(this, previousNo, ItemNo);
    Byte bits = previous->ItemOptions & LineBits;
    Integer paraNo = previous->ParaNo;
    UndoableDeleteItem(previousNo, full);
    scope.FullReformat = scope.FullReformat || full;
    TakeOverLineStart(previousNo, bits, paraNo, scope.FullReformat);
    caretItemNo = previousNo;
    caretOffs = GetOffsBeforeItem(previousNo);
    scope.Finish(std::max(previousNo - 1, 0), previousNo);
  } else if (item->StyleNo >= 0 && Items->GetStrings(ItemNo).empty()) {
    if (IsStyleProtected(ItemNo, uvprDeleteProtect) || readOnly) {
      Refuse();
      return;
    }
    EditScope scope(this, previousNo, ItemNo);
    Byte bits = item->ItemOptions & LineBits;
    Integer paraNo = item->ParaNo;
    UndoableDeleteItem(ItemNo, full);
    scope.FullReformat = scope.FullReformat || full;
    // What followed in the removed item's paragraph keeps its paragraph.
    if (ItemNo < GetItemCount() && !GetItem(ItemNo)->StartsPara() && !(bits & uvioSameAsPrev))
      TakeOverLineStart(ItemNo, bits, paraNo, scope.FullReformat);
    caretItemNo = previousNo;
    caretOffs = GetOffsAfterItem(previousNo);
    UnifyParaStyle(this, previousNo, scope.FullReformat);
    scope.Finish(previousNo, std::min(previousNo + 1, GetItemCount() - 1));
  } else if (previous->StyleNo >= 0 && Items->GetStrings(previousNo).empty()) {
    if (IsStyleProtected(previousNo, uvprDeleteProtect) || readOnly) {
      Refuse();
      return;
    }
    EditScope scope(this, previousNo, ItemNo);
    bool previousBeganPara = previous->StartsPara();
    bool markerBefore = IsAfterOwnMarker(previousNo);
    UndoableDeleteItem(previousNo, full);
    scope.FullReformat = scope.FullReformat || full;
    caretItemNo = previousNo;
    if (markerBefore) {
      UndoableNewLine(caretItemNo, true, full, GetItemPara(caretItemNo - 1));
    } else if (previousBeganPara && GetItem(caretItemNo)->GetBreaksLine()) {
      // The removed item began the paragraph: the caret item now begins it.
      UndoableSetBR(caretItemNo, false, full);
    }
    scope.FullReformat = scope.FullReformat || full;
    UnifyParaStyle(this, caretItemNo, scope.FullReformat);
    caretOffs = GetOffsBeforeItem(caretItemNo);
    scope.Finish(std::max(previousNo - 1, 0), caretItemNo);
  } else {
    if (IsStyleProtected(ItemNo, uvprParaStartProtect) || readOnly) {
      Refuse();
      return;
    }
    EditScope scope(this, previousNo, ItemNo);
    UndoableNewLine(ItemNo, true, full, GetItemPara(previousNo));
    scope.FullReformat = scope.FullReformat || full;
    caretItemNo = ItemNo;
    caretOffs = GetOffsBeforeItem(ItemNo);
    if (CanMergeTextItems(previousNo, false)) {
      caretItemNo = previousNo;
      caretOffs = GetOffsAfterItem(previousNo);
      UndoableJoinTextItems(previousNo, full);
      scope.FullReformat = scope.FullReformat || full;
    }
    UnifyParaStyle(this, caretItemNo, scope.FullReformat);
    scope.Finish(previousNo, std::min(caretItemNo + 1, GetItemCount() - 1));
  }
  PlaceCaretAfterEdit(caretItemNo, caretOffs, false);
  RenumberLists(lists, firstMarker, std::min(caretItemNo, GetItemCount() - 1));
  Change(true);
}

// ---------------------------------------------------------------------------------------------
// Characters of two UTF-16 units

Integer TUVEditUVData::UnicodeCharCount(Integer ItemNo) {
  if (!(GetItemOptions(ItemNo) & uvioUnicode)) return GetItemLength(ItemNo);
  const AnsiString& text = Items->GetStrings(ItemNo);
  Integer units = GetItemLength(ItemNo);
  const auto* w = reinterpret_cast<const WideChar*>(text.data());
  Integer count = 0;
  for (Integer i = 0; i < units; ++i, ++count)
    if (w[i] >= 0xD800 && w[i] < 0xDC00 && i + 1 < units && w[i + 1] >= 0xDC00 && w[i + 1] < 0xE000) ++i;
  return count;
}

Integer TUVEditUVData::PairSafeStart(Integer ItemNo, Integer Offs) {
  if (!(GetItemOptions(ItemNo) & uvioUnicode) || Offs <= 1) return Offs;
  const AnsiString& text = Items->GetStrings(ItemNo);
  const auto* w = reinterpret_cast<const WideChar*>(text.data());
  Integer units = GetItemLength(ItemNo);
  // Offs (1-based) names the first unit removed: never the second half of a pair.
  if (Offs <= units && w[Offs - 1] >= 0xDC00 && w[Offs - 1] < 0xE000 && w[Offs - 2] >= 0xD800 &&
      w[Offs - 2] < 0xDC00)
    return Offs - 1;
  return Offs;
}
