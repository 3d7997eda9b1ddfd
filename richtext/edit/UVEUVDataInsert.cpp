// Putting things into the document at the caret: ready items, typed characters, text with line
// breaks, and Return. Each step is an undoable primitive inside the action the caller opened.
#include <algorithm>
#include <vector>

#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEUVDataEditing.h"

// ---------------------------------------------------------------------------------------------
// Protection

bool TUVEditUVData::IsStyleProtected(Integer ItemNo, TUVProtectOption Option) {
  TUVStyle* style = GetUVStyle();
  if (!style || ItemNo < 0 || ItemNo >= GetItemCount() || GetItemStyle(ItemNo) < 0) return false;
  return style->GetTextStyles()->GetItem(GetItemStyle(ItemNo))->Protection.Contains(Option);
}

bool TUVEditUVData::IsParaOptionSet(Integer ParaNo, TUVParaOption Option) {
  TUVStyle* style = GetUVStyle();
  return style && style->GetParaStyles()->GetItem(ParaNo)->Options.Contains(Option);
}

bool TUVEditUVData::IsItemParaReadOnly(Integer ItemNo) {
  return ItemNo >= 0 && ItemNo < GetItemCount() && IsParaOptionSet(GetItemPara(ItemNo), uvpaoReadOnly);
}

bool TUVEditUVData::IsAfterOwnMarker(Integer ItemNo) {
  return ItemNo > 0 && ItemNo < GetItemCount() && GetItemStyle(ItemNo - 1) == uvsListMarker &&
         GetItem(ItemNo)->GetContinuesPara();
}

bool TUVEditUVData::IsStickingAt(Integer Index) {
  Integer count = GetItemCount();
  if (count == 0) return false;
  bool refuse;
  if (Index < 0)
    refuse = IsStyleProtected(0, uvprSticking);
  else if (Index >= count - 1)
    refuse = IsStyleProtected(count - 1, uvprSticking);
  else
    refuse = IsStyleProtected(Index, uvprSticking) && IsStyleProtected(Index + 1, uvprSticking);
  if (refuse) Refuse();
  return refuse;
}

// ---------------------------------------------------------------------------------------------
// The edit frame shared by the operations

namespace UVEditing {

EditScope::EditScope(TUVEditUVData* AData, Integer First, Integer Last) : Data(AData) {
  Data->Deselect(nullptr, false);
  NoteParagraphs(First, Last);
  if (!Formatted) return;
  Integer paraFirst, paraLast;
  Data->ExpandToParagraphs(std::clamp(First, 0, ItemCount - 1), std::clamp(Last, 0, ItemCount - 1), paraFirst,
                           paraLast);
  WasWidest = Data->DocumentWidth >= 0 && MinWidthAround(paraFirst, paraLast) >= Data->DocumentWidth;
}

EditScope::EditScope(TUVEditUVData* AData, const TextChange& Change) : Data(AData), Text(Change) {
  Data->Deselect(nullptr, false);
  ItemCount = Data->GetItemCount();
  if (ItemCount == 0 || Data->DrawItems->GetCount() == 0) {
    Formatted = false;
    return;
  }
  Integer width = TextMinWidth(Change.Removed);
  if (width < 0) {
    // Its whole paragraph counts: the paragraphs are laid out again.
    NoteParagraphs(Change.ItemNo, Change.ItemNo);
    Integer paraFirst, paraLast;
    Data->ExpandToParagraphs(Change.ItemNo, Change.ItemNo, paraFirst, paraLast);
    WasWidest = Data->DocumentWidth >= 0 && MinWidthAround(paraFirst, paraLast) >= Data->DocumentWidth;
    return;
  }
  TextMode = true;
  WasWidest = Data->DocumentWidth >= 0 && width >= Data->DocumentWidth;
}

Integer EditScope::TextMinWidth(Integer Count) {
  return Data->CalculateTextMinWidth(Text.ItemNo, Text.Offs, Text.Offs + Count, nullptr, Data->GetFormattingCanvas());
}

void EditScope::FinishText(Integer Inserted) {
  if (!TextMode) {
    Finish(Text.ItemNo, Text.ItemNo);
    return;
  }
  bool full = WasWidest || FullReformat || TextMinWidth(Inserted) > Data->DocumentWidth;
  if (full && Data->DocumentWidthChanged()) {
    Data->Format(false, true, false, 0, nullptr, false, false);
  } else if (!Data->FormatChangedText(Text.ItemNo, Text.Offs, Inserted - Text.Removed)) {
    // The draw lines are still those of the text before the change.
    NoteParagraphs(Text.ItemNo, Text.ItemNo);
    Data->FormatParas(DrawFirst, DrawLast, 0);
  }
  Data->Invalidate();
}

void EditScope::NoteParagraphs(Integer First, Integer Last) {
  Integer count = Data->GetItemCount();
  if (count == 0 || Data->DrawItems->GetCount() == 0) {
    Formatted = false;
    return;
  }
  First = std::clamp(First, 0, count - 1);
  Last = std::clamp(Last, First, count - 1);
  Integer paraFirst, paraLast;
  Data->ExpandToParagraphs(First, Last, paraFirst, paraLast);
  Integer d1 = Data->ItemToFirstDrawItem(paraFirst);
  Integer d2 = Data->ItemToFirstDrawItem(paraLast);
  if (d1 < 0) d1 = 0;
  if (d2 < 0) d2 = Data->DrawItems->GetCount() - 1;
  while (d2 + 1 < Data->DrawItems->GetCount() && Data->DrawItems->Get(d2 + 1)->ItemNo == paraLast) ++d2;
  Data->GetParaBounds(d1, d2, DrawFirst, DrawLast);
  ItemCount = count;
}

Integer EditScope::MinWidthAround(Integer First, Integer Last) {
  // The neighbours count too: an item right after a list marker is measured with the marker.
  Integer count = Data->GetItemCount();
  First = std::clamp(First - 1, 0, count - 1);
  Last = std::clamp(Last + 1, First, count - 1);
  Data->ExpandToParagraphs(First, Last, First, Last);
  return Data->CalculateMinItemsWidth(First, Last, nullptr, Data->GetFormattingCanvas());
}

void EditScope::Finish(Integer First, Integer Last) {
  if (!Formatted) {
    Data->Format(false, true, false, 0, nullptr, false, false);
    return;
  }
  Integer count = Data->GetItemCount();
  bool full = WasWidest || FullReformat;
  if (!full && count > 0) full = MinWidthAround(First, Last) > Data->DocumentWidth;
  Data->ReformatAfterEdit(full, DrawFirst, DrawLast, count - ItemCount);
}

}  // namespace UVEditing

using UVEditing::EditScope;

void TUVEditUVData::ReformatAfterEdit(bool FullIfWider, Integer ParaFirst, Integer ParaLast, Integer ItemsAdded) {
  if (FullIfWider && DocumentWidthChanged()) {
    Format(false, true, false, 0, nullptr, false, false);
    Invalidate();
    return;
  }
  FormatParas(ParaFirst, ParaLast, ItemsAdded);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Placing an item at the caret

namespace UVEditing {

// The paragraph holding ItemNo keeps the style of its first item (after paragraphs joined).
void UnifyParaStyle(TUVEditUVData* Data, Integer ItemNo, bool& FullReformat) {
  if (ItemNo < 0 || ItemNo >= Data->GetItemCount()) return;
  Integer first, last;
  Data->ExpandToParagraphs(ItemNo, ItemNo, first, last);
  bool full = false;
  bool differs = false;
  for (Integer i = first + 1; i <= last && !differs; ++i) differs = Data->GetItemPara(i) != Data->GetItemPara(first);
  if (!differs) return;
  TUVIntegerList styles;
  for (Integer i = first; i <= last; ++i) styles.Add(Data->GetItemPara(first));
  Data->UndoableSetParaStyles(first, styles, full);
  FullReformat = FullReformat || full;
}

// A copy of the marker that begins the paragraph of ItemNo, continuing its numbering; none when
// the paragraph has no marker.
TCustomUVItemInfo* MarkerCopy(TUVEditUVData* Data, Integer ItemNo) {
  Integer first = Data->GetFirstParaItem(ItemNo);
  if (Data->GetItemStyle(first) != uvsListMarker) return nullptr;
  auto* source = static_cast<TUVMarkerItemInfo*>(Data->GetItem(first));
  auto* marker = new TUVMarkerItemInfo(Data, source->ListNo, source->Level, source->StartFrom, false);
  marker->ParaNo = source->ParaNo;
  return marker;
}

}  // namespace UVEditing

using UVEditing::MarkerCopy;
using UVEditing::TrackJoin;
using UVEditing::UnifyParaStyle;

bool TUVEditUVData::PlaceItemAtCaret(TCustomUVItemInfo* Item, const AnsiString& Text, bool CopyTag, Integer& Index,
                                     bool& FullReformat, bool FreeRefused) {
  FullReformat = false;
  bool full = false;
  TUVStyle* style = GetUVStyle();
  Integer remembered = Item->ParaNo;
  bool rememberedValid = style && remembered >= 0 && remembered < style->GetParaStyles()->GetCount();
  bool fullLine = Item->StyleNo < 0 && Item->QueryFlag(uvbpFullWidth);
  bool marker = Item->StyleNo == uvsListMarker;
  Integer caretItem = GetCurItemNo();
  Integer caretOffs = GetOffsetInCurItem();
  if (caretItem < 0) {
    if (FreeRefused) delete Item;
    return false;
  }
  if (!fullLine && !marker) {
    Item->ItemOptions = static_cast<Byte>((Item->ItemOptions & uvioUnicode) | uvioSameAsPrev);
    Item->ParaNo = GetItemPara(caretItem);
  } else {
    Item->ItemOptions &= static_cast<Byte>(~(uvioSameAsPrev | uvioBR));
    Item->ParaNo = CurParaStyleNo;
  }
  auto refuse = [&](bool Sound) {
    if (FreeRefused) {
      if (TagsArePChars()) UVFreeStringTag(Item->Tag);
      delete Item;
    }
    if (Sound) Refuse();
    return false;
  };
  if (IsParaOptionSet(Item->ParaNo, uvpaoReadOnly)) return refuse(true);

  // Takes over the paragraph or line start of the item at ItemNo, which continues behind the new
  // item once that is in.
  bool existingContinues = false;
  auto takeOverStart = [&](Integer ItemNo) {
    TCustomUVItemInfo* existing = GetItem(ItemNo);
    Byte bits = existing->ItemOptions & (uvioBR | uvioPageBreakBefore);
    Item->ItemOptions = static_cast<Byte>((Item->ItemOptions & ~(uvioSameAsPrev | uvioBR | uvioPageBreakBefore)) | bits);
    Item->ParaNo = existing->ParaNo;
    existingContinues = true;
  };

  TCustomUVItemInfo* current = GetItem(caretItem);
  if (current->StyleNo < 0) {
    if (marker) return refuse(false);
    if (caretOffs >= 1) {
      Index = caretItem + 1;
      // Nothing continues the paragraph of a full-line item.
      if (current->QueryFlag(uvbpFullWidth)) {
        Item->ItemOptions &= static_cast<Byte>(~(uvioSameAsPrev | uvioBR));
        Item->ParaNo = CurParaStyleNo;
      }
    } else {
      Index = caretItem;
      if (current->StyleNo == uvsListMarker) {
        // Before a list paragraph: a paragraph of its own.
        Item->ItemOptions &= static_cast<Byte>(~(uvioSameAsPrev | uvioBR));
        Item->ParaNo = CurParaStyleNo;
      } else if (current->GetContinuesPara()) {
        if (fullLine && caretItem > 0 && GetItemStyle(caretItem - 1) == uvsListMarker) {
          // The marker's line needs an item of its own.
          UndoableInsertItem(caretItem, AnsiString(), NewTextItem(CurTextStyleNo, GetItemPara(caretItem)), full);
          GetItem(caretItem)->SetContinuesPara(true);
          FullReformat = FullReformat || full;
          Index = caretItem + 1;
        }
      } else if (!fullLine) {
        takeOverStart(caretItem);
      }
    }
  } else if (Items->GetStrings(caretItem).empty()) {
    if (IsStickingAt(caretItem - 1) || IsStickingAt(caretItem)) return refuse(false);
    if (fullLine && IsAfterOwnMarker(caretItem)) {
      Index = caretItem + 1;
    } else {
      // The new item takes the empty item's place and paragraph start.
      Byte bits = current->ItemOptions & (uvioSameAsPrev | uvioBR | uvioPageBreakBefore);
      if (marker || fullLine) bits &= static_cast<Byte>(~(uvioBR | uvioSameAsPrev));
      Item->ItemOptions = static_cast<Byte>((Item->ItemOptions & ~(uvioSameAsPrev | uvioBR | uvioPageBreakBefore)) | bits);
      // A paragraph of its own takes the current paragraph style; a line inside a paragraph
      // keeps the paragraph's.
      Item->ParaNo = current->StartsPara() ? CurParaStyleNo : current->ParaNo;
      bool markerBefore = IsAfterOwnMarker(caretItem);
      if (markerBefore && !marker) Item->ItemOptions = static_cast<Byte>((Item->ItemOptions & uvioUnicode) | uvioSameAsPrev);
      UndoableDeleteItem(caretItem, full);
      FullReformat = FullReformat || full;
      Index = caretItem;
      if (marker && markerBefore) {
        TCustomUVItemInfo* old = GetItem(caretItem - 1);
        Item->ItemOptions = static_cast<Byte>((Item->ItemOptions & ~(uvioSameAsPrev | uvioBR | uvioPageBreakBefore)) |
                                              (old->ItemOptions & uvioPageBreakBefore));
        UndoableDeleteItem(caretItem - 1, full);
        FullReformat = FullReformat || full;
        Index = caretItem - 1;
      }
      if (marker) {
        // A numbered marker continues the list of the paragraph before when it has the same list.
        auto* newMarker = static_cast<TUVMarkerItemInfo*>(Item);
        if (Index > 0) {
          Integer previousFirst = GetFirstParaItem(Index - 1);
          if (GetItemStyle(previousFirst) == uvsListMarker && newMarker->HasNumbering(style)) {
            auto* previous = static_cast<TUVMarkerItemInfo*>(GetItem(previousFirst));
            if (previous->ListNo == newMarker->ListNo) newMarker->Reset = false;
          }
        }
      }
    }
  } else {
    if (marker) return refuse(false);
    Integer length = GetItemLength(caretItem);
    if (caretOffs <= 1) {
      if (IsStickingAt(caretItem - 1)) return refuse(false);
      Index = caretItem;
      if (!current->GetContinuesPara() && !fullLine) takeOverStart(caretItem);
    } else if (caretOffs <= length) {
      if (IsStyleProtected(caretItem, uvprModifyProtect)) return refuse(true);
      // The text is split and the new item goes between the halves.
      AnsiString tail = UVUniCopy(Items->GetStrings(caretItem), caretOffs, length - caretOffs + 1, current->ItemOptions);
      UndoableDeleteSubstring(caretItem, caretOffs, -1);
      TCustomUVItemInfo* second = CreateTextItemCopy(caretItem);
      second->ItemOptions = static_cast<Byte>((second->ItemOptions & uvioUnicode) | uvioSameAsPrev);
      UndoableInsertItem(caretItem + 1, tail, second, full);
      FullReformat = FullReformat || full;
      Index = caretItem + 1;
    } else {
      if (IsStickingAt(caretItem)) return refuse(false);
      Index = caretItem + 1;
    }
    if (CopyTag && Item->StyleNo == current->StyleNo && Item->Tag == 0)
      Item->Tag = CopyItemTag(current->Tag, TagsArePChars());
  }

  if (fullLine) {
    // What follows a full-line item begins a paragraph.
    if (Index < GetItemCount() && !GetItem(Index)->StartsPara()) {
      UndoableNewLine(Index, false, full, GetItemPara(Index));
      FullReformat = FullReformat || full;
    }
    if (Item->StyleNo == uvsBreak) Item->ParaNo = 0;
  }
  UndoableInsertItem(Index, Text, Item, full);
  FullReformat = FullReformat || full;
  if (existingContinues) {
    UndoableNewLine(Index + 1, true, full, Item->ParaNo);
    FullReformat = FullReformat || full;
  }
  if (rememberedValid && remembered != Item->ParaNo && Item->StyleNo != uvsBreak) {
    Integer first, last;
    ExpandToParagraphs(Index, Index, first, last);
    UndoableSetParaStyle(first, last, remembered, full);
    FullReformat = FullReformat || full;
  }
  // A new item that took a paragraph's start in a style of its own gives it to the paragraph.
  UnifyParaStyle(this, Index, FullReformat);
  return true;
}

bool TUVEditUVData::InsertItem(Integer Index, const AnsiString& Text, TCustomUVItemInfo* Item, bool AtCaret,
                               Integer& FirstItemNo) {
  if (!AtCaret) return VUzurUvadUVData::InsertItem(Index, Text, Item, AtCaret, FirstItemNo);
  FirstItemNo = -1;
  bool full;
  Integer index;
  if (!PlaceItemAtCaret(Item, Text, false, index, full, false)) {
    Refuse();
    return false;
  }
  FirstItemNo = index;
  return true;
}

bool TUVEditUVData::InsertItemAtCaretEx(const AnsiString& Text, TCustomUVItemInfo* Item, bool CaretBefore,
                                        bool CopyTag) {
  TUVStyle* style = GetUVStyle();
  if (!style || PartialSelectedItem) {
    delete Item;
    Refuse();
    return false;
  }
  if (Item->StyleNo != uvsBreak) Item->ParaNo = CurParaStyleNo;
  Integer caretItem = GetCurItemNo();
  EditScope scope(this, caretItem, caretItem);
  Integer index;
  bool full;
  if (!PlaceItemAtCaret(Item, Text, CopyTag, index, full)) return false;
  scope.FullReformat = full;
  scope.Finish(index, index);
  Integer offs = CaretBefore ? GetOffsBeforeItem(index) : GetOffsAfterItem(index);
  PlaceCaretAfterEdit(index, offs, false);
  return true;
}

bool TUVEditUVData::InsertItemAtCaret(const AnsiString& Text, TCustomUVItemInfo* Item, bool CaretBefore) {
  return InsertItemAtCaretEx(Text, Item, CaretBefore, false);
}

bool TUVEditUVData::InsertTextItemAtCaret(const AnsiString& Text, Integer StyleNo, bool CaretBefore) {
  AnsiString text = Text;
  TCustomUVItemInfo* item = MakeTextItem(text, StyleNo, CurParaStyleNo, 0);
  return InsertItemAtCaretEx(text, item, CaretBefore, false);
}

// ---------------------------------------------------------------------------------------------
// Typing

void TUVEditUVData::KeyPressChar(char Ch) {
  TUVStyle* style = GetUVStyle();
  AnsiString text(1, Ch);
  if (style && style->GetTextStyles()->GetItem(CurTextStyleNo)->Unicode) {
    text = KeyboardAnsiToUnicode(text);
    if (text.empty()) return;
  }
  TypeText(text);
}

void TUVEditUVData::TypeText(const AnsiString& Text) {
  TUVStyle* style = GetUVStyle();
  if (!style || PartialSelectedItem || !CanDeleteSelection()) {
    Refuse();
    return;
  }
  if (Text.empty()) return;
  bool unicode = style->GetTextStyles()->GetItem(CurTextStyleNo)->Unicode;
  if (unicode && Text.size() % 2 != 0) return;
  Integer length = unicode ? static_cast<Integer>(Text.size() / 2) : static_cast<Integer>(Text.size());
  Integer itemNo = GetCurItemNo();
  Integer offs = GetOffsetInCurItem();
  if (itemNo < 0) return;
  if (IsItemParaReadOnly(itemNo)) {
    Refuse();
    return;
  }
  TCustomUVItemInfo* item = GetItem(itemNo);
  auto insertNewItem = [&]() {
    OpenUndoAction(uvutInsert);
    TCustomUVItemInfo* newItem = NewTextItem(CurTextStyleNo, CurParaStyleNo);
    if (InsertItemAtCaretEx(Text, newItem, false, true)) Change(true);
  };
  if (item->StyleNo != CurTextStyleNo) {
    bool atEnd = offs >= GetOffsAfterItem(itemNo);
    if (atEnd && itemNo + 1 < GetItemCount() && GetItem(itemNo + 1)->GetContinuesPara() &&
        GetItemStyle(itemNo + 1) == CurTextStyleNo && !IsStyleProtected(itemNo + 1, uvprConcateProtect) &&
        !IsStyleProtected(itemNo + 1, uvprModifyProtect)) {
      ++itemNo;
      offs = 1;
      item = GetItem(itemNo);
    } else {
      insertNewItem();
      return;
    }
  } else if (IsStyleProtected(itemNo, uvprConcateProtect)) {
    insertNewItem();
    return;
  } else if (IsStyleProtected(itemNo, uvprModifyProtect)) {
    if (offs > 1 && offs <= GetItemLength(itemNo)) {
      Refuse();
      return;
    }
    insertNewItem();
    return;
  }

  bool empty = Items->GetStrings(itemNo).empty();
  bool paraChanges = empty && GetItemPara(itemNo) != CurParaStyleNo;
  // Characters typed into the text change only the lines around them; an empty item that takes
  // the current paragraph style changes its whole paragraph.
  EditScope scope = paraChanges ? EditScope(this, itemNo, itemNo) : EditScope(this, UVEditing::TextChange{itemNo, offs, 0});
  if (length == 1 && !paraChanges) {
    // One character joins the typing action it continues.
    if (UndoList->GetLimit() != 0) UndoList->AppendTyping(itemNo, offs, unicode);
    AnsiString text = Items->GetStrings(itemNo);
    UVUniInsert(text, Text, offs, item->ItemOptions);
    Items->SetStrings(itemNo, text);
  } else {
    // The new paragraph style of an empty item is undone with the characters.
    OpenUndoAction(uvutMiscTyping);
    if (paraChanges) {
      Integer first, last;
      ExpandToParagraphs(itemNo, itemNo, first, last);
      bool full = false;
      UndoableSetParaStyle(first, last, CurParaStyleNo, full);
      scope.FullReformat = full;
    }
    UndoableInsertSubstring(itemNo, offs, Text);
  }
  if (paraChanges)
    scope.Finish(itemNo, itemNo);
  else
    scope.FinishText(length);
  PlaceCaretAfterEdit(itemNo, offs + length, true);
  Change(true);
}

// ---------------------------------------------------------------------------------------------
// Text with line breaks

bool TUVEditUVData::InsertTextSegments(const std::vector<std::pair<AnsiString, Integer>>& Segments, bool CaretBefore) {
  TUVStyle* style = GetUVStyle();
  if (!style || PartialSelectedItem || Segments.empty()) {
    Refuse();
    return false;
  }
  Integer caretItem = GetCurItemNo();
  EditScope scope(this, caretItem, caretItem);
  bool full = false;
  TCustomUVItemInfo* first = NewTextItem(CurTextStyleNo, CurParaStyleNo);
  Integer index;
  if (!PlaceItemAtCaret(first, Segments[0].first, false, index, full)) {
    Refuse();
    return false;
  }
  scope.FullReformat = full;
  TCustomUVItemInfo* markerTemplate = nullptr;
  Integer paraFirst = GetFirstParaItem(index);
  if (GetItemStyle(paraFirst) == uvsListMarker) markerTemplate = GetItem(paraFirst);
  TStringList later;
  for (std::size_t s = 1; s < Segments.size(); ++s) {
    TCustomUVItemInfo* item = NewTextItem(CurTextStyleNo, CurParaStyleNo);
    item->ParaNo = CurParaStyleNo;
    Integer start = Segments[s].second;
    if (start == 1) {
      item->SetBreaksLine(true);
      item->ParaNo = -2;  // set below to the paragraph's style
    } else {
      if (markerTemplate) {
        auto* source = static_cast<TUVMarkerItemInfo*>(markerTemplate);
        auto* marker = new TUVMarkerItemInfo(this, source->ListNo, source->Level, source->StartFrom, false);
        marker->ParaNo = CurParaStyleNo;
        if (start == 2) marker->SetPageBreakBefore(true);
        later.AddObject(AnsiString(), marker);
        item->SetContinuesPara(true);
      } else if (start == 2) {
        item->SetPageBreakBefore(true);
      }
    }
    later.AddObject(Segments[s].first, item);
  }
  // A line inside a paragraph takes the paragraph's style.
  Integer paraNo = GetItemPara(index);
  for (Integer i = 0; i < later.GetCount(); ++i) {
    auto* item = static_cast<TCustomUVItemInfo*>(later.GetObjects(i));
    if (item->ParaNo == -2) item->ParaNo = paraNo;
    else if (item->StartsPara()) paraNo = item->ParaNo;
    else if (item->GetContinuesPara()) item->ParaNo = paraNo;
  }
  Integer laterCount = later.GetCount();
  UndoableInsertItems(index + 1, later);
  Integer last = index + laterCount;
  TUVUndoItemNoInfo* record = nullptr;
  if (TUVUndoList* list = GetUndoListForRecording(); list && laterCount > 0 && list->LastAction())
    record = dynamic_cast<TUVUndoItemNoInfo*>(list->LastAction()->GetRecord(list->LastAction()->GetCount() - 1));
  FixParagraphsAfterInsert(index + 1, laterCount, full, record);
  scope.FullReformat = scope.FullReformat || full;

  // The caret goes after the inserted text (before it when asked), wherever the joins with the
  // neighbours put that text.
  Integer caretItemNo = CaretBefore ? index : last;
  Integer caretOffs = CaretBefore ? GetOffsBeforeItem(index) : GetOffsAfterItem(last);
  if (CanMergeTextItems(last, false)) {
    UndoableJoinTextItems(last, full);
    scope.FullReformat = scope.FullReformat || full;
  }
  if (index > 0 && CanMergeTextItems(index - 1, false)) {
    Integer firstLength = Items->GetStrings(index - 1).empty() ? 0 : GetItemLength(index - 1);
    UndoableJoinTextItems(index - 1, full);
    scope.FullReformat = scope.FullReformat || full;
    TrackJoin(index - 1, firstLength, caretItemNo, caretOffs);
    --last;
  }
  scope.Finish(index > 0 ? index - 1 : 0, std::min(last + 1, GetItemCount() - 1));
  PlaceCaretAfterEdit(caretItemNo, caretOffs, false);
  if (GetItemStyle(GetFirstParaItem(std::min(caretItemNo, GetItemCount() - 1))) == uvsListMarker || markerTemplate)
    RenumberListsAfterEdit(std::max(index - 1, 0), std::min(last + 1, GetItemCount() - 1));
  return true;
}

bool TUVEditUVData::InsertCutText(std::vector<std::pair<AnsiString, Integer>>& Segments, bool Unicode,
                                  bool CaretBefore) {
  TUVStyle* style = GetUVStyle();
  if (!style) {
    Refuse();
    return false;
  }
  // Tabs become spaces, and the text takes the current style's form.
  bool styleUnicode = style->GetTextStyles()->GetItem(CurTextStyleNo)->Unicode;
  Integer codePage = GetStyleCodePage(CurTextStyleNo);
  for (auto& segment : Segments) {
    AnsiString& text = segment.first;
    text = Unicode ? ReplaceTabsUnicode(text, style->SpacesInTab) : ReplaceTabsAnsi(text, style->SpacesInTab);
    if (Unicode && !styleUnicode) text = UnicodeToAnsiCP(codePage, text);
    if (!Unicode && styleUnicode) text = AnsiToUnicodeCP(codePage, text);
  }
  return InsertTextSegments(Segments, CaretBefore);
}

bool TUVEditUVData::InsertTextA(const AnsiString& Text, bool CaretBefore) {
  if (Text.empty()) {
    Invalidate();
    return true;
  }
  // Every CR, LF and CR LF is a paragraph break.
  std::vector<std::pair<AnsiString, Integer>> segments{{AnsiString(), -1}};
  for (std::size_t i = 0; i < Text.size(); ++i) {
    char c = Text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
      segments.emplace_back(AnsiString(), 0);
    } else {
      segments.back().first += c;
    }
  }
  return InsertCutText(segments, false, CaretBefore);
}

bool TUVEditUVData::InsertTextW(const WideString& Text, bool CaretBefore) {
  if (Text.empty()) {
    Invalidate();
    return true;
  }
  // Each segment in raw UTF-16, with how it begins.
  std::vector<std::pair<AnsiString, Integer>> segments{{AnsiString(), -1}};
  auto begin = [&](Integer Start) { segments.emplace_back(AnsiString(), Start); };
  for (std::size_t i = 0; i < Text.size(); ++i) {
    WideChar c = Text[i];
    switch (c) {
      case 0x2029:
        begin(0);
        break;
      case 0x2028:
      case 0x000B:
      case 0x0000:
        begin(1);
        break;
      case L'\r':
      case L'\n':
        // CR LF and LF CR are one break.
        if (i + 1 < Text.size() && (Text[i + 1] == L'\r' || Text[i + 1] == L'\n') && Text[i + 1] != c) ++i;
        begin(0);
        break;
      case 0x000C:
        // A form feed at a segment's start marks that segment; elsewhere it begins one.
        if (segments.back().first.empty() && segments.size() > 1)
          segments.back().second = 2;
        else
          begin(2);
        break;
      default:
        segments.back().first += UVUniWideStringToRaw(WideString(1, c));
    }
  }
  return InsertCutText(segments, true, CaretBefore);
}

// ---------------------------------------------------------------------------------------------
// Return

void TUVEditUVData::PressReturn(bool Shift) {
  TUVStyle* style = GetUVStyle();
  Integer itemNo = GetCurItemNo();
  Integer offs = GetOffsetInCurItem();
  if (!style || itemNo < 0 || PartialSelectedItem) {
    Refuse();
    return;
  }
  if (IsParaOptionSet(GetItemPara(itemNo), uvpaoDoNotWantReturns)) {
    Refuse();
    return;
  }
  OpenUndoAction(uvutMiscTyping);
  bool atStart = CaretAtLineStart();
  bool atEnd = CaretAtLineEnd();
  TCustomUVItemInfo* item = GetItem(itemNo);
  bool full = false;
  if (atStart || atEnd) {
    if (IsStyleProtected(itemNo, uvprParaStartProtect)) {
      Refuse();
      return;
    }
    bool nextIsBreak = itemNo + 1 < GetItemCount() && GetItem(itemNo + 1)->GetBreaksLine();
    if (atEnd && item->StyleNo == CurTextStyleNo) {
      Integer next = style->GetTextStyles()->GetItem(CurTextStyleNo)->NextStyleNo;
      if (next != -1) SetCurrentTextStyle(next);
    }
    if (!Shift && !nextIsBreak) {
      TParaInfo* para = style->GetParaStyles()->GetItem(item->ParaNo);
      if (para->Options.Contains(uvpaoReadOnly))
        SetCurrentParaStyle(para->NextParaNo < 0 ? 0 : para->NextParaNo);
      else if (atEnd && para->NextParaNo != -1)
        SetCurrentParaStyle(para->NextParaNo < 0 ? 0 : para->NextParaNo);
    }
    Integer textStyle = CurTextStyleNo;
    if (style->GetTextStyles()->GetItem(textStyle)->Protection.Contains(uvprModifyProtect)) textStyle = 0;
    EditScope scope(this, itemNo, itemNo);
    TCustomUVItemInfo* empty = NewTextItem(textStyle, Shift ? item->ParaNo : CurParaStyleNo);
    empty->Tag = CopyItemTag(item->Tag, TagsArePChars());
    if (Shift) empty->SetBreaksLine(true);
    Integer caretItemNo, caretOffs;
    if (atEnd) {
      Integer index = itemNo + 1;
      if (!Shift) {
        if (TCustomUVItemInfo* marker = MarkerCopy(this, itemNo)) {
          marker->ParaNo = CurParaStyleNo;
          UndoableInsertItem(index, AnsiString(), marker, full);
          scope.FullReformat = scope.FullReformat || full;
          ++index;
          empty->SetContinuesPara(true);
        }
      }
      UndoableInsertItem(index, AnsiString(), empty, full);
      scope.FullReformat = scope.FullReformat || full;
      // The paragraph the new item ends keeps one style.
      if (Shift) UnifyParaStyle(this, index, scope.FullReformat);
      if (index + 1 < GetItemCount() && !GetItem(index + 1)->StartsPara()) UnifyParaStyle(this, index, scope.FullReformat);
      caretItemNo = index;
      caretOffs = 1;
    } else {
      bool markerBefore = IsAfterOwnMarker(itemNo);
      if (markerBefore) {
        // The empty item stays in the marker's paragraph; the text goes on behind a new marker.
        empty->ItemOptions = static_cast<Byte>((empty->ItemOptions & uvioUnicode) | uvioSameAsPrev);
        empty->ParaNo = item->ParaNo;
        UndoableInsertItem(itemNo, AnsiString(), empty, full);
        scope.FullReformat = scope.FullReformat || full;
        Integer textNo = itemNo + 1;
        if (!Shift) {
          TCustomUVItemInfo* marker = MarkerCopy(this, itemNo);
          UndoableInsertItem(textNo, AnsiString(), marker, full);
          scope.FullReformat = scope.FullReformat || full;
          ++textNo;
        } else {
          UndoableSetBR(textNo, true, full);
          scope.FullReformat = scope.FullReformat || full;
        }
        caretItemNo = textNo;
      } else {
        // The new item takes over the start; the caret item begins a new paragraph (or line).
        Byte bits = item->ItemOptions & (uvioSameAsPrev | uvioBR | uvioPageBreakBefore);
        empty->ItemOptions = static_cast<Byte>((empty->ItemOptions & uvioUnicode) | bits);
        if (Shift || !item->StartsPara()) empty->ParaNo = item->ParaNo;
        if (bits & uvioPageBreakBefore) UndoableSetPageBreak(itemNo, false);
        UndoableInsertItem(itemNo, AnsiString(), empty, full);
        scope.FullReformat = scope.FullReformat || full;
        if (Shift) {
          UndoableSetBR(itemNo + 1, true, full);
        } else {
          UndoableNewLine(itemNo + 1, false, full, CurParaStyleNo);
        }
        scope.FullReformat = scope.FullReformat || full;
        UnifyParaStyle(this, itemNo + 1, scope.FullReformat);
        caretItemNo = itemNo + 1;
      }
      caretOffs = GetOffsBeforeItem(caretItemNo);
    }
    scope.Finish(std::max(itemNo - 1, 0), std::min(caretItemNo + 1, GetItemCount() - 1));
    PlaceCaretAfterEdit(caretItemNo, caretOffs, true);
    RenumberListsAfterEdit(itemNo, std::min(caretItemNo + 1, GetItemCount() - 1));
    return;
  }
  if (IsItemParaReadOnly(itemNo)) {
    Refuse();
    return;
  }
  EditScope scope(this, itemNo, itemNo);
  Integer caretItemNo = itemNo;
  if (offs <= GetOffsBeforeItem(itemNo)) {
    // Before a non-text item or at a text's start.
    if (IsStyleProtected(itemNo, uvprParaStartProtect)) {
      Refuse();
      return;
    }
    if (Shift) {
      UndoableSetBR(itemNo, true, full);
    } else if (TCustomUVItemInfo* marker = MarkerCopy(this, itemNo)) {
      UndoableInsertItem(itemNo, AnsiString(), marker, full);
      ++caretItemNo;
      scope.FullReformat = scope.FullReformat || full;
      UndoableNewLine(caretItemNo, true, full, marker->ParaNo);
    } else {
      UndoableNewLine(itemNo, false, full, item->ParaNo);
    }
    scope.FullReformat = scope.FullReformat || full;
  } else if (item->StyleNo >= 0 && offs <= GetItemLength(itemNo)) {
    // Inside a text.
    if (IsStyleProtected(itemNo, uvprParaStartProtect) || IsStyleProtected(itemNo, uvprModifyProtect)) {
      Refuse();
      return;
    }
    Integer length = GetItemLength(itemNo);
    AnsiString tail = UVUniCopy(Items->GetStrings(itemNo), offs, length - offs + 1, item->ItemOptions);
    UndoableDeleteSubstring(itemNo, offs, -1);
    TCustomUVItemInfo* second = CreateTextItemCopy(itemNo);
    second->ItemOptions &= static_cast<Byte>(uvioUnicode);
    Integer index = itemNo + 1;
    if (Shift) {
      second->SetBreaksLine(true);
    } else if (TCustomUVItemInfo* marker = MarkerCopy(this, itemNo)) {
      UndoableInsertItem(index, AnsiString(), marker, full);
      scope.FullReformat = scope.FullReformat || full;
      ++index;
      second->SetContinuesPara(true);
    }
    UndoableInsertItem(index, tail, second, full);
    scope.FullReformat = scope.FullReformat || full;
    caretItemNo = index;
  } else {
    // After a non-text item (or at a text's end) inside a line: the next item begins anew.
    Integer next = itemNo + 1;
    if (next >= GetItemCount() || IsStyleProtected(next, uvprParaStartProtect)) {
      Refuse();
      return;
    }
    if (Shift)
      UndoableSetBR(next, true, full);
    else
      UndoableNewLine(next, false, full, GetItemPara(next));
    scope.FullReformat = scope.FullReformat || full;
    caretItemNo = next;
  }
  scope.Finish(std::max(itemNo - 1, 0), std::min(caretItemNo + 1, GetItemCount() - 1));
  PlaceCaretAfterEdit(caretItemNo, GetOffsBeforeItem(caretItemNo), true);
  RenumberListsAfterEdit(itemNo, std::min(caretItemNo + 1, GetItemCount() - 1));
}
