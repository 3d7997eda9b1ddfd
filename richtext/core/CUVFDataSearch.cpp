// Text search in a formatted document: from the selection (or the part in view) forwards or
// backwards through the items and the documents nested in them, with or without case, whole
// words or any occurrence; the occurrence found becomes the selection, so that the next search
// goes on from it. UTF-16 items are searched as UTF-16; without match case both sides are
// upper-cased by the system (8-bit text in the system code page).
#include <algorithm>
#include <string_view>

#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVUni.h"

namespace {

// One search: the pattern in both forms and the rules, prepared once.
struct SearchPattern {
  SearchPattern(TCustomUVFormattedData& AData, const AnsiString& Text, bool AMatchCase, bool AWholeWords)
      : Data(AData), MatchCase(AMatchCase), WholeWords(AWholeWords), Delimiters(AData.GetDelimiters()) {
    Ansi = MatchCase ? Text : AnsiUpperCase(Text);
    Wide = AnsiToWide(Text);
    if (!MatchCase) Wide = WideUpperCase(Wide);
  }

  bool IsDelimiter(char C) const { return Delimiters.find(C) != AnsiString::npos; }
  bool IsDelimiter(WideChar C) const {
    return static_cast<Word>(C) < 256 && Delimiters.find(static_cast<char>(C)) != AnsiString::npos;
  }

  // The first occurrence of the pattern in Text (1-based) that starts at or after From and at
  // or before LastStart, passing the whole-word test against the whole text; 0 when none.
  // A rejected occurrence lets the search go on at the next character, so overlapping ones
  // are found.
  template <class Char>
  Integer Find(std::basic_string_view<Char> Text, std::basic_string_view<Char> Folded,
               std::basic_string_view<Char> Pattern, Integer From, Integer LastStart) const {
    Integer length = static_cast<Integer>(Text.size());
    Integer plen = static_cast<Integer>(Pattern.size());
    if (plen == 0) return 0;
    LastStart = std::min(LastStart, length - plen + 1);
    for (Integer p = std::max(From, 1); p <= LastStart;) {
      std::size_t at = Folded.find(Pattern, static_cast<std::size_t>(p - 1));
      if (at == std::basic_string_view<Char>::npos) return 0;
      p = static_cast<Integer>(at) + 1;
      if (p > LastStart) return 0;
      if (!WholeWords || ((p == 1 || IsDelimiter(Text[static_cast<std::size_t>(p - 2)])) &&
                          (p + plen - 1 == length || IsDelimiter(Text[static_cast<std::size_t>(p + plen - 1)]))))
        return p;
      ++p;
    }
    return 0;
  }

  // The last such occurrence.
  template <class Char>
  Integer FindLast(std::basic_string_view<Char> Text, std::basic_string_view<Char> Folded,
                   std::basic_string_view<Char> Pattern, Integer From, Integer LastStart) const {
    Integer last = 0;
    for (Integer p = Find(Text, Folded, Pattern, From, LastStart); p > 0; p = Find(Text, Folded, Pattern, p + 1, LastStart))
      last = p;
    return last;
  }

  // Searches text item ItemNo between offsets (an occurrence starting at or after From and
  // ending before Before), first or last by direction; the position and length, 0 when none.
  Integer SearchItem(Integer ItemNo, bool Down, Integer From, Integer Before, Integer& Length) const {
    const AnsiString& raw = Data.Items->GetStrings(ItemNo);
    if (Data.GetItemOptions(ItemNo) & uvioUnicode) {
      WideString text = UVUniRawToWide(raw);
      WideString folded = MatchCase ? text : WideUpperCase(text);
      Length = static_cast<Integer>(Wide.size());
      Integer lastStart = Before - Length;
      return Down ? Find<WideChar>(text, folded, Wide, From, lastStart)
                  : FindLast<WideChar>(text, folded, Wide, From, lastStart);
    }
    AnsiString folded = MatchCase ? raw : AnsiUpperCase(raw);
    Length = static_cast<Integer>(Ansi.size());
    Integer lastStart = Before - Length;
    return Down ? Find<char>(raw, folded, Ansi, From, lastStart) : FindLast<char>(raw, folded, Ansi, From, lastStart);
  }

  TCustomUVFormattedData& Data;
  bool MatchCase;
  bool WholeWords;
  AnsiString Delimiters;
  AnsiString Ansi;
  WideString Wide;
};

constexpr Integer kNoLimit = 0x7FFFFFFF;

}  // namespace

Integer TCustomUVFormattedData::FindInText(const AnsiString& Pattern, const AnsiString& Text, bool WholeWords) {
  SearchPattern search(*this, Pattern, true, WholeWords);
  return search.Find<char>(Text, Text, Pattern, 1, kNoLimit);
}

Integer TCustomUVFormattedData::FindLastInText(const AnsiString& Pattern, const AnsiString& Text, bool WholeWords) {
  SearchPattern search(*this, Pattern, true, WholeWords);
  return search.FindLast<char>(Text, Text, Pattern, 1, kNoLimit);
}

void TCustomUVFormattedData::GetSearchStart(bool Down, Integer& ItemNo, Integer& Offs) {
  // A collapsed selection (a click, an editor's caret) is a start too.
  if (FSelStartNo >= 0 && FSelEndNo >= 0) {
    Integer si, so, ei, eo;
    GetSelectionItemBounds(true, si, so, ei, eo);
    ItemNo = Down ? ei : si;
    Offs = Down ? eo : so;
  } else if (Down) {
    ItemNo = GetFirstVisibleItem();
    Offs = ItemNo >= 0 ? GetOffsBeforeItem(ItemNo) : 0;
  } else {
    ItemNo = GetLastVisibleItem();
    Offs = ItemNo >= 0 ? GetOffsAfterItem(ItemNo) : 0;
  }
  if (ItemNo < 0) {
    ItemNo = 0;
    Offs = GetItemCount() > 0 ? (Down ? GetOffsBeforeItem(0) : GetOffsAfterItem(0)) : 0;
  }
}

bool TCustomUVFormattedData::SearchText(bool Down, bool MatchCase, const AnsiString& Text, bool WholeWords) {
  if (GetItemCount() == 0 || Text.empty()) return false;
  // A nested document being edited is searched first.
  Integer searched = -1;
  if (TCustomUVItemInfo* chosen = GetChosenItem()) {
    Integer index = IndexOfItem(chosen);
    if (index >= 0) {
      if (chosen->SearchText(Down, MatchCase, WholeWords, Text)) return true;
      searched = index;
    }
  }
  Integer itemNo, offs;
  if (searched >= 0) {
    // The search goes on past the item whose documents were searched, wherever the selection is.
    itemNo = searched;
    offs = Down ? GetOffsAfterItem(searched) : GetOffsBeforeItem(searched);
  } else {
    GetSearchStart(Down, itemNo, offs);
  }
  return SearchFrom(Down, MatchCase, Text, WholeWords, itemNo, offs, searched);
}

bool TCustomUVFormattedData::SearchFrom(bool Down, bool MatchCase, const AnsiString& Text, bool WholeWords,
                                        Integer ItemNo, Integer Offs, Integer SearchedItemNo) {
  Integer count = GetItemCount();
  if (count == 0) return false;
  SearchPattern search(*this, Text, MatchCase, WholeWords);
  Integer step = Down ? 1 : -1;
  Integer itemNo = std::min(ItemNo, count - 1);
  // The start item: from the start offset on (down) or before it (up).
  // A start item holding documents is searched when the start lies on the side it is entered from.
  if (itemNo != SearchedItemNo && GetItemStyle(itemNo) < 0 &&
      (Down ? Offs <= GetOffsBeforeItem(itemNo) : Offs >= GetOffsAfterItem(itemNo)) &&
      SearchInSubDocuments(itemNo, Down, MatchCase, Text, WholeWords))
    return true;
  if (itemNo != SearchedItemNo && GetItemStyle(itemNo) >= 0) {
    Integer length = 0;
    Integer p = Down ? search.SearchItem(itemNo, true, Offs, kNoLimit, length)
                     : search.SearchItem(itemNo, false, 1, Offs, length);
    if (p > 0) {
      SelectFoundText(Down, itemNo, p, length);
      return true;
    }
  }
  for (itemNo += step; itemNo >= 0 && itemNo < count; itemNo += step) {
    if (GetItemStyle(itemNo) < 0) {
      if (SearchInSubDocuments(itemNo, Down, MatchCase, Text, WholeWords)) return true;
      continue;
    }
    Integer length = 0;
    Integer p = search.SearchItem(itemNo, Down, 1, kNoLimit, length);
    if (p > 0) {
      SelectFoundText(Down, itemNo, p, length);
      return true;
    }
  }
  return false;
}

bool TCustomUVFormattedData::SearchInSubDocuments(Integer ItemNo, bool Down, bool MatchCase, const AnsiString& Text,
                                                  bool WholeWords) {
  // A nested document is searched whole, from its edge in the direction; the one holding the
  // text becomes the item's chosen document, where the next search goes on.
  TCustomUVItemInfo* item = GetItem(ItemNo);
  return UVForEachSubDocument(
      item, Down,
      [&](TCustomUVFormattedData* sub) {
        Integer count = sub->GetItemCount();
        if (count == 0) return false;
        Integer first = Down ? 0 : count - 1;
        return sub->SearchFrom(Down, MatchCase, Text, WholeWords, first,
                               Down ? sub->GetOffsBeforeItem(first) : sub->GetOffsAfterItem(first), -1);
      },
      [item](TUVStoreSubUVData* Position) { item->ChooseSubDocument(Position); });
}

void TCustomUVFormattedData::SelectFoundText(bool Down, Integer ItemNo, Integer Offs, Integer Length) {
  if (Down)
    SetSelBoundsFromItems(ItemNo, Offs, ItemNo, Offs + Length);
  else
    SetSelBoundsFromItems(ItemNo, Offs + Length, ItemNo, Offs);
  Integer d, o;
  ItemToDrawItem(ItemNo, Offs, d, o);
  if (d >= 0 && d < DrawItems->GetCount()) {
    TUVDrawLineInfo* dli = DrawItems->Get(d);
    ScrollToShowRect(dli->Left, dli->Top, dli->Width, dli->Height);
  }
  Invalidate();
  SelectionChanged();
  DoSelect();
}
