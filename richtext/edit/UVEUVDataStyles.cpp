// Giving the selection other styles: paragraph styles over whole paragraphs, and text styles
// mapped through the application's conversion event, splitting items where the selection ends
// inside them.
#include <algorithm>

#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEUVDataEditing.h"

using UVEditing::EditScope;

namespace UVEditing {

void TrackJoin(Integer JoinedItemNo, Integer FirstLength, Integer& ItemNo, Integer& Offs) {
  if (ItemNo == JoinedItemNo + 1) {
    ItemNo = JoinedItemNo;
    Offs += FirstLength;
  } else if (ItemNo > JoinedItemNo + 1) {
    --ItemNo;
  }
}

}  // namespace UVEditing

using UVEditing::TrackJoin;

Integer TUVEditUVData::ConvertStyleNo(Integer StyleNo) {
  Integer result = StyleNo;
  DoStyleConversion(StyleNo, ConversionUserData, true, result);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Paragraph styles

void TUVEditUVData::ApplyParaStyle(Integer ParaNo, bool Convert) {
  if (PartialSelectedItem) {
    if (Convert)
      PartialSelectedItem->ApplyParaStyleConversionToSubDocuments(ParaNo);
    else
      PartialSelectedItem->ApplyParaStyleToSubDocuments(ParaNo);
    return;
  }
  TUVStyle* style = GetUVStyle();
  Integer caretItemNo = GetCurItemNo();
  Integer caretOffs = GetOffsetInCurItem();
  if (!style || caretItemNo < 0) return;
  bool selected = SelectionExists();
  Integer si = caretItemNo, so = caretOffs, ei = caretItemNo, eo = caretOffs;
  Integer selStartItem = -1, selStartOffs = 0, selEndItem = -1, selEndOffs = 0;
  if (selected) {
    GetSelectionItemBounds(true, si, so, ei, eo);
    GetSelectionItemBounds(false, selStartItem, selStartOffs, selEndItem, selEndOffs);
  }
  Integer first, last;
  ExpandToParagraphs(si, ei, first, last);
  EditScope scope(this, first, last);
  bool full = false;
  if (!Convert) {
    UndoableSetParaStyle(first, last, ParaNo, full);
  } else {
    TUVIntegerList styles;
    for (Integer i = first; i <= last; ++i) {
      Integer converted = GetItemPara(i);
      DoParaStyleConversion(GetItemPara(i), ParaNo, false, converted);
      styles.Add(converted);
    }
    UndoableSetParaStyles(first, styles, full);
  }
  scope.FullReformat = full;
  scope.Finish(first, last);
  if (selected) {
    SetSelBoundsFromItems(selStartItem, selStartOffs, selEndItem, selEndOffs);
    Invalidate();
  }
  PlaceCaretAfterEdit(caretItemNo, caretOffs, false);
  Change(true);
}

// ---------------------------------------------------------------------------------------------
// Text styles

bool TUVEditUVData::ConvertTextPart(Integer ItemNo, Integer From, Integer To, Integer& PartItemNo) {
  TUVStyle* style = GetUVStyle();
  TCustomUVItemInfo* item = GetItem(ItemNo);
  Integer oldStyle = item->StyleNo;
  Integer newStyle = ConvertStyleNo(oldStyle);
  Integer length = GetItemLength(ItemNo);
  PartItemNo = ItemNo;
  if (newStyle == oldStyle || newStyle < 0) return false;
  bool clearTags = GetEditorOptions().Contains(uvoClearTagOnStyleApp);
  TFontInfo* oldFont = style->GetTextStyles()->GetItem(oldStyle);
  TFontInfo* newFont = style->GetTextStyles()->GetItem(newStyle);
  auto converted = [&](const AnsiString& Text) {
    if (oldFont->Unicode == newFont->Unicode) return Text;
    if (newFont->Unicode) return AnsiToUnicodeCP(UVCharsetToCodePage(oldFont->Charset), Text);
    return UnicodeToAnsiCP(UVCharsetToCodePage(newFont->Charset), Text);
  };
  if (From <= 1 && To > length) {
    // The item as a whole.
    if (clearTags) UndoableSetTag(ItemNo, 0, false);
    UndoableChangeText(ItemNo, converted(Items->GetStrings(ItemNo)));
    UndoableChangeStyleNo(ItemNo, newStyle);
    return true;
  }
  bool full = false;
  AnsiString text = Items->GetStrings(ItemNo);
  Byte options = item->ItemOptions;
  auto makePart = [&](const AnsiString& PartText) {
    TCustomUVItemInfo* part = CreateTextItemCopy(ItemNo);
    part->StyleNo = newStyle;
    part->ItemOptions = static_cast<Byte>(newFont->Unicode ? uvioUnicode : 0) | uvioSameAsPrev;
    if (clearTags) {
      if (TagsArePChars()) UVFreeStringTag(part->Tag);
      part->Tag = 0;
    }
    return std::pair<TCustomUVItemInfo*, AnsiString>(part, converted(PartText));
  };
  if (From <= 1) {
    // The head goes before the rest and takes over its place in the paragraph.
    AnsiString head = UVUniCopy(text, 1, To - 1, options);
    auto [part, partText] = makePart(head);
    part->ItemOptions = static_cast<Byte>((part->ItemOptions & uvioUnicode) |
                                          (item->ItemOptions & (uvioSameAsPrev | uvioBR | uvioPageBreakBefore)));
    part->ParaNo = item->ParaNo;
    if (item->Checkpoint) {
      auto* cp = new TUVCPInfo();
      cp->Assign(item->Checkpoint, TagsArePChars());
      part->Checkpoint = cp;
      UndoableDeleteCheckpoint(ItemNo);
    }
    UndoableDeleteSubstring(ItemNo, 1, To - 1);
    UndoableInsertItem(ItemNo, partText, part, full);
    if (!item->GetContinuesPara()) UndoableNewLine(ItemNo + 1, true, full, part->ParaNo);
    PartItemNo = ItemNo;
    return true;
  }
  if (To > length) {
    AnsiString tail = UVUniCopy(text, From, length - From + 1, options);
    auto [part, partText] = makePart(tail);
    UndoableDeleteSubstring(ItemNo, From, -1);
    UndoableInsertItem(ItemNo + 1, partText, part, full);
    PartItemNo = ItemNo + 1;
    return true;
  }
  // The middle: the item is cut into three.
  AnsiString middle = UVUniCopy(text, From, To - From, options);
  AnsiString rest = UVUniCopy(text, To, length - To + 1, options);
  auto [part, partText] = makePart(middle);
  TCustomUVItemInfo* restItem = CreateTextItemCopy(ItemNo);
  restItem->ItemOptions = static_cast<Byte>((restItem->ItemOptions & uvioUnicode) | uvioSameAsPrev);
  UndoableDeleteSubstring(ItemNo, From, -1);
  UndoableInsertItem(ItemNo + 1, partText, part, full);
  UndoableInsertItem(ItemNo + 2, rest, restItem, full);
  PartItemNo = ItemNo + 1;
  return true;
}

void TUVEditUVData::ApplyStyleConversion(Integer UserData) {
  ConversionUserData = UserData;
  if (PartialSelectedItem) {
    PartialSelectedItem->ApplyStyleConversionToSubDocuments(UserData, true);
    return;
  }
  TUVStyle* style = GetUVStyle();
  if (!style) return;
  if (!style->GetTextStyles()->GetItem(CurTextStyleNo)->Protection.Contains(uvprDoNotAutoSwitch))
    LastSwitchTextStyleNo = CurTextStyleNo;
  Integer newCurrent = CurTextStyleNo;
  DoStyleConversion(CurTextStyleNo, UserData, false, newCurrent);
  if (!SelectionExists()) {
    Integer itemNo = GetCurItemNo();
    if (itemNo >= 0 && GetItemStyle(itemNo) >= 0 && Items->GetStrings(itemNo).empty()) {
      OpenUndoAction(uvutStyleNo);
      EditScope scope(this, itemNo, itemNo);
      Integer part;
      ConvertTextPart(itemNo, 1, 1, part);
      scope.Finish(itemNo, itemNo);
      PlaceCaretAfterEdit(itemNo, 1, true);
    }
    SetCurrentTextStyle(newCurrent);
    return;
  }
  OpenUndoAction(uvutStyleNo);
  Integer si, so, ei, eo;
  GetSelectionItemBounds(true, si, so, ei, eo);
  Integer rsi, rso, rei, reo;
  GetSelectionItemBounds(false, rsi, rso, rei, reo);
  bool backwards = rsi != si || rso != so;
  EditScope scope(this, si, ei);
  auto convertItem = [&](Integer ItemNo, Integer From, Integer To) {
    Integer part = ItemNo;
    if (GetItemStyle(ItemNo) < 0)
      GetItem(ItemNo)->ApplyStyleConversion(this, ItemNo, UserData);
    else
      ConvertTextPart(ItemNo, From, To, part);
    return part;
  };
  // The selection follows the converted text where splits move it.
  Integer startItem = si, startOffs = so, endItem = ei, endOffs = eo;
  if (si == ei) {
    Integer part = convertItem(si, so, eo);
    if (part != si) {
      startItem = endItem = part;
      startOffs = GetOffsBeforeItem(part);
      endOffs = GetOffsAfterItem(part);
    }
  } else {
    // Last first, so that splits there do not move the items before.
    endItem = convertItem(ei, GetOffsBeforeItem(ei), eo);
    for (Integer i = ei - 1; i > si; --i) convertItem(i, GetOffsBeforeItem(i), GetOffsAfterItem(i) + 1);
    Integer count = GetItemCount();
    Integer part = convertItem(si, so, GetOffsAfterItem(si) + 1);
    endItem += GetItemCount() - count;
    if (part != si) {
      startItem = part;
      startOffs = GetOffsBeforeItem(part);
    }
  }
  // Neighbours that can be one item again become one.
  Integer low = std::max(startItem - 1, 0);
  Integer high = std::min(endItem + 1, GetItemCount() - 1);
  bool full = false;
  for (Integer i = high; i > low; --i) {
    if (!CanMergeTextItems(i - 1, false)) continue;
    Integer firstLength = Items->GetStrings(i - 1).empty() ? 0 : GetItemLength(i - 1);
    UndoableJoinTextItems(i - 1, full);
    scope.FullReformat = scope.FullReformat || full;
    TrackJoin(i - 1, firstLength, startItem, startOffs);
    TrackJoin(i - 1, firstLength, endItem, endOffs);
  }
  scope.Finish(std::max(startItem - 1, 0), std::min(endItem + 1, GetItemCount() - 1));
  if (backwards)
    SetSelBoundsFromItems(endItem, endOffs, startItem, startOffs);
  else
    SetSelBoundsFromItems(startItem, startOffs, endItem, endOffs);
  SetCurrentTextStyle(newCurrent);
  PlaceCaretAfterEdit(backwards ? startItem : endItem, backwards ? startOffs : endOffs, true);
  Invalidate();
  Change(true);
}
