// Lookups between items, draw lines and coordinates; minimal widths; the selection in draw-line
// terms; and the small services of a formatted document (capture, overlay, focus, hyperlinks).
#include <algorithm>
#include <cstdlib>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

// ---------------------------------------------------------------------------------------------
// Items and draw lines

Integer TCustomUVFormattedData::ItemToFirstDrawItem(Integer ItemNo) const {
  if (ItemNo < 0 || ItemNo >= GetItemCount()) return -1;
  Integer d = GetItem(ItemNo)->DrawItemNo;
  if (d >= 0 && d < DrawItems->GetCount() && DrawItems->Get(d)->ItemNo == ItemNo &&
      (d == 0 || DrawItems->Get(d - 1)->ItemNo != ItemNo))
    return d;
  return FindFirstDrawItemOfItem(ItemNo);
}

Integer TCustomUVFormattedData::FindFirstDrawItemOfItem(Integer ItemNo) const {
  for (Integer d = 0; d < DrawItems->GetCount(); ++d)
    if (DrawItems->Get(d)->ItemNo == ItemNo) return d;
  return -1;
}

void TCustomUVFormattedData::ItemToDrawItem(Integer ItemNo, Integer Offs, Integer& DrawItemNo,
                                            Integer& DrawOffs) const {
  DrawItemNo = ItemToFirstDrawItem(ItemNo);
  DrawOffs = 0;
  if (DrawItemNo < 0) return;
  if (GetItemStyle(ItemNo) < 0) {
    DrawOffs = Offs - DrawItems->Get(DrawItemNo)->Offs;
    return;
  }
  // The offset just after a piece's last character belongs to that piece.
  while (DrawItemNo + 1 < DrawItems->GetCount()) {
    TUVDrawLineInfo* cur = DrawItems->Get(DrawItemNo);
    TUVDrawLineInfo* next = DrawItems->Get(DrawItemNo + 1);
    if (next->ItemNo != ItemNo || next->Offs > Offs || Offs <= cur->Offs + cur->Length) break;
    ++DrawItemNo;
  }
  DrawOffs = Offs - DrawItems->Get(DrawItemNo)->Offs + 1;
}

void TCustomUVFormattedData::DrawItemToItem(Integer DrawItemNo, Integer DrawOffs, Integer& ItemNo,
                                            Integer& Offs) const {
  if (DrawItemNo < 0 || DrawItemNo >= DrawItems->GetCount()) {
    ItemNo = -1;
    Offs = 0;
    return;
  }
  TUVDrawLineInfo* dli = DrawItems->Get(DrawItemNo);
  ItemNo = dli->ItemNo;
  Offs = GetItemStyle(ItemNo) >= 0 ? DrawOffs + dli->Offs - 1 : DrawOffs;
}

Integer TCustomUVFormattedData::GetOffsBeforeDrawItem(Integer DrawItemNo) const {
  return GetItemStyle(DrawItems->Get(DrawItemNo)->ItemNo) >= 0 ? 1 : 0;
}

Integer TCustomUVFormattedData::GetOffsAfterDrawItem(Integer DrawItemNo) const {
  TUVDrawLineInfo* dli = DrawItems->Get(DrawItemNo);
  return GetItemStyle(dli->ItemNo) >= 0 ? dli->Length + 1 : 1;
}

void TCustomUVFormattedData::GetScreenLineBounds(Integer DrawItemNo, Integer& First, Integer& Last) const {
  First = DrawItemNo;
  while (First > 0 && !DrawItems->Get(First)->FromNewLine) --First;
  Last = DrawItemNo;
  while (Last + 1 < DrawItems->GetCount() && !DrawItems->Get(Last + 1)->FromNewLine) ++Last;
}

bool TCustomUVFormattedData::GetItemCoords(Integer ItemNo, Integer& Left, Integer& Top) const {
  Integer d = ItemToFirstDrawItem(ItemNo);
  if (d < 0) return false;
  Left = DrawItems->Get(d)->Left;
  Top = DrawItems->Get(d)->Top;
  return true;
}

bool TCustomUVFormattedData::GetItemClientCoords(Integer ItemNo, Integer& Left, Integer& Top) {
  if (!GetItemCoords(ItemNo, Left, Top)) return false;
  Left -= GetHOffs();
  Top -= GetVOffs();
  return true;
}

Integer TCustomUVFormattedData::FindDrawItemByY(Integer Y, Integer Mode) const {
  Integer count = DrawItems->GetCount();
  if (count == 0 || Y <= DrawItems->Get(0)->Top) return 0;
  if (Mode == uvfdyAtOrBelow && Y > DrawItems->Get(count - 1)->Top) return count - 1;
  // The draw line d with Top(d - 1) < Y <= Top(d).
  Integer lo = 1, hi = count;
  while (lo < hi) {
    Integer mid = (lo + hi) / 2;
    if (DrawItems->Get(mid)->Top >= Y)
      hi = mid;
    else
      lo = mid + 1;
  }
  Integer d = std::min(lo, count - 1);
  if (Mode == uvfdyFirstForPaint) {
    Integer first, last;
    GetScreenLineBounds(d, first, last);
    if (first > 0) GetScreenLineBounds(first - 1, first, last);
    d = std::max(first - 1, 0);
  }
  return d;
}

Integer TCustomUVFormattedData::FindDrawItemByPoint(Integer X, Integer Y) const {
  Integer count = DrawItems->GetCount();
  if (count == 0) return -1;
  auto contains = [&](Integer d) {
    TUVDrawLineInfo* dli = DrawItems->Get(d);
    return X >= dli->Left && X < dli->Left + dli->Width && Y >= dli->Top && Y < dli->Top + dli->Height;
  };
  if (contains(0)) return 0;
  // The last draw line whose Top is at or above Y, then back over lines that still reach Y.
  Integer lo = 0, hi = count - 1;
  while (lo < hi) {
    Integer mid = (lo + hi + 1) / 2;
    if (DrawItems->Get(mid)->Top <= Y)
      lo = mid;
    else
      hi = mid - 1;
  }
  Integer d = lo;
  while (d > 0 && DrawItems->Get(d - 1)->Top + DrawItems->Get(d - 1)->Height > Y) --d;
  Integer first, last;
  GetScreenLineBounds(d, first, last);
  Integer lines = 0;
  for (Integer i = first; i < count && lines < 3; ++i) {
    if (DrawItems->Get(i)->FromNewLine && i != first) ++lines;
    if (lines >= 2 && DrawItems->Get(i)->FromNewLine) break;
    if (contains(i)) return i;
  }
  return -1;
}

Integer TCustomUVFormattedData::GetFirstVisibleItem() {
  if (DrawItems->GetCount() == 0) return -1;
  Integer d = std::clamp(FindDrawItemByY(GetVOffs(), uvfdyFirstForPaint), 0, DrawItems->GetCount() - 1);
  return DrawItems->Get(d)->ItemNo;
}

Integer TCustomUVFormattedData::GetLastVisibleItem() {
  if (DrawItems->GetCount() == 0) return -1;
  Integer d = std::clamp(FindDrawItemByY(GetVOffs() + GetHeight(), uvfdyAtOrBelow), 0, DrawItems->GetCount() - 1);
  return DrawItems->Get(d)->ItemNo;
}

// ---------------------------------------------------------------------------------------------
// Hit testing

Integer TCustomUVFormattedData::FindCaretInDrawItem(Integer DrawItemNo, Integer X) {
  TUVDrawLineInfo* dli = DrawItems->Get(DrawItemNo);
  if (dli->Length == 0) return 0;
  TUVStyle* style = GetUVStyle();
  TCanvas* canvas = GetFormattingCanvas();
  if (!style || !canvas) return 0;
  TCustomUVItemInfo* item = GetItem(dli->ItemNo);
  style->ApplyTextStyle(canvas, item->StyleNo, GetParaBiDiMode(item->ParaNo));
  AnsiString all = UVUniApplyAllCaps(Items->GetStrings(dli->ItemNo), style->GetTextStyles()->GetItem(item->StyleNo),
                                     item->ItemOptions);
  AnsiString text = UVUniCopy(all, dli->Offs, dli->Length, item->ItemOptions);
  Integer x = X - dli->Left - dli->JustifySpace;
  std::vector<Integer> positions;
  bool placed = false;
  if (GetItemBiDiMode(dli->ItemNo) != uvbdUnspecified)
    placed = GetTextCharPlacement(canvas, text, positions, item->ItemOptions);
  if (!placed) {
    std::vector<Integer> extents;
    Integer fit = 0;
    UVUniGetTextExtentEx(canvas, text, 10 * std::max(dli->Width, 1), item->ItemOptions, &extents, fit);
    positions.assign(static_cast<std::size_t>(dli->Length + 1), 0);
    for (Integer k = 1; k <= dli->Length; ++k)
      positions[static_cast<std::size_t>(k)] =
          k - 1 < static_cast<Integer>(extents.size()) ? extents[static_cast<std::size_t>(k - 1)] : dli->Width;
  }
  Integer best = 0;
  Integer bestDistance = std::abs(positions[0] - x);
  for (Integer k = 1; k <= dli->Length && k < static_cast<Integer>(positions.size()); ++k) {
    Integer distance = std::abs(positions[static_cast<std::size_t>(k)] - x);
    if (distance < bestDistance) {
      best = k;
      bestDistance = distance;
    }
  }
  // Never between the units of one character.
  if (item->IsUnicode() && best > 0 && best < dli->Length) {
    Integer offs = dli->Offs + best;
    Integer before = PrevCharOffset(dli->ItemNo, Items->GetStrings(dli->ItemNo), offs);
    Integer next = NextCharOffset(dli->ItemNo, Items->GetStrings(dli->ItemNo), before);
    if (next != offs) best = std::min(next - dli->Offs, dli->Length);
  }
  return best;
}

void TCustomUVFormattedData::FindDrawItemAtPos(Integer X, Integer Y, bool Strict, Integer& DrawItemNo,
                                               Integer& DrawOffs) {
  DrawItemNo = -1;
  DrawOffs = -1;
  Integer count = DrawItems->GetCount();
  if (count == 0) return;
  Integer k;
  if (Y < DrawItems->Get(0)->Top + DrawItems->Get(0)->Height) {
    k = 0;
  } else {
    Integer lo = 0, hi = count - 1;
    while (lo < hi) {
      Integer mid = (lo + hi + 1) / 2;
      if (DrawItems->Get(mid)->Top <= Y)
        lo = mid;
      else
        hi = mid - 1;
    }
    k = lo;
  }
  Integer first, last;
  GetScreenLineBounds(k, first, last);
  if (last + 1 < count) {
    // A tall piece of the next line may reach above Y.
    Integer nextFirst, nextLast;
    GetScreenLineBounds(last + 1, nextFirst, nextLast);
    for (Integer i = nextFirst; i <= nextLast; ++i)
      if (DrawItems->Get(i)->Top <= Y) {
        first = nextFirst;
        last = nextLast;
        break;
      }
  }
  bool rightToLeft = GetParaBiDiMode(GetItemPara(DrawItems->Get(first)->ItemNo)) == uvbdRightToLeft;
  std::vector<Integer> order;
  for (Integer i = first; i <= last; ++i) order.push_back(i);
  if (rightToLeft) std::reverse(order.begin(), order.end());
  Integer hit = -1;
  for (std::size_t n = 0; n < order.size() && hit < 0; ++n) {
    TUVDrawLineInfo* dli = DrawItems->Get(order[n]);
    if (Strict) {
      if (X >= dli->Left && X < dli->Left + dli->Width && Y >= dli->Top && Y < dli->Top + dli->Height) hit = order[n];
    } else {
      bool lastInOrder = n + 1 == order.size();
      bool nextStartsRight = !lastInOrder && DrawItems->Get(order[n + 1])->Left > X;
      if ((dli->Left <= X && (lastInOrder || nextStartsRight)) || (n == 0 && X < dli->Left)) hit = order[n];
    }
  }
  if (hit < 0) return;
  TUVDrawLineInfo* dli = DrawItems->Get(hit);
  Integer itemNo = dli->ItemNo;
  if (GetItemStyle(itemNo) == uvsListMarker && hit + 1 < count) {
    DrawItemNo = hit + 1;
    DrawOffs = GetOffsBeforeDrawItem(hit + 1);
    return;
  }
  DrawItemNo = hit;
  if (GetItemStyle(itemNo) < 0) {
    bool right = X > dli->Left + dli->Width / 2;
    DrawOffs = (right != rightToLeft) ? 1 : 0;
    return;
  }
  if (dli->Length == 0) {
    DrawOffs = 1;
    return;
  }
  Integer caret = FindCaretInDrawItem(hit, X);
  DrawOffs = std::clamp(caret + 1, 1, dli->Length + 1);
}

bool TCustomUVFormattedData::GetItemAtPos(Integer X, Integer Y, TCustomUVFormattedData*& UVData, Integer& ItemNo,
                                          Integer& OffsInItem, Integer& StyleNo, AnsiString& Word) {
  UVData = this;
  ItemNo = -1;
  OffsInItem = 0;
  StyleNo = 0;
  Word.clear();
  Integer d = FindDrawItemByPoint(X, Y);
  if (d < 0) return false;
  TUVDrawLineInfo* dli = DrawItems->Get(d);
  TCustomUVItemInfo* item = GetItem(dli->ItemNo);
  ItemNo = dli->ItemNo;
  StyleNo = item->StyleNo;
  if (item->StyleNo < 0) {
    if (TCustomUVFormattedData* sub = item->GetSubDocumentAtPos(X - dli->Left, Y - dli->Top)) {
      Integer ox = 0, oy = 0;
      sub->GetOrigin(ox, oy);
      return sub->GetItemAtPos(X - ox, Y - oy, UVData, ItemNo, OffsInItem, StyleNo, Word);
    }
    Word = Items->GetStrings(ItemNo);
    return true;
  }
  const AnsiString& text = Items->GetStrings(ItemNo);
  Byte options = item->ItemOptions;
  Integer length = UVUniLength(text, options);
  Integer p = FindCaretInDrawItem(d, X) + dli->Offs;
  if (p > length) p = length;
  if (p < 1) p = 1;
  if (length == 0 || IsDelimiter(text, p, options)) {
    OffsInItem = p;
    return true;
  }
  Integer s = p;
  while (s > 1 && !IsDelimiter(text, s - 1, options)) --s;
  Integer e = p;
  while (e + 1 <= length && !IsDelimiter(text, e + 1, options)) ++e;
  Word = UVUniCopy(text, s, e - s + 1, options);
  OffsInItem = s;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Minimal widths

void TCustomUVFormattedData::GetMinIndents(Integer ItemNo, Integer FirstParaItem, Integer& Indents,
                                           const TUVScreenAndDevice* Sad) {
  TUVStyle* style = GetUVStyle();
  TParaInfo* para = style->GetParaStyles()->GetItem(GetItemPara(ItemNo));
  TUVListLevel* level = nullptr;
  if (GetItemStyle(FirstParaItem) == uvsListMarker)
    level = static_cast<TUVMarkerItemInfo*>(GetItem(FirstParaItem))->GetLevelInfo(style);
  if (level) {
    bool rightToLeft = GetParaBiDiMode(GetItemPara(ItemNo)) == uvbdRightToLeft;
    Indents = level->LeftIndent + std::max(level->FirstIndent, 0) + (rightToLeft ? para->LeftIndent : para->RightIndent);
  } else {
    Indents = para->LeftIndent + para->RightIndent;
    if (para->FirstIndent > 0 && !GetItem(ItemNo)->QueryFlag(uvbpFullWidth)) Indents += para->FirstIndent;
  }
  if (Sad) Indents = Sad->XToDevice(Indents);
}

namespace {

// The widest run of characters without a space, measured in the canvas's font; Floor when none is
// wider (words that cannot be wider are not measured).
Integer WidestWord(TCanvas* Canvas, const AnsiString& Text, Byte Options, Integer MaxCharWidth, Integer Floor = 0) {
  bool unicode = (Options & uvioUnicode) != 0;
  Integer count = UVUniLength(Text, Options);
  Integer best = std::max<Integer>(Floor, 0);
  // No word of the text can be wider than the whole text could be.
  if (static_cast<Int64>(count) * MaxCharWidth <= best) return best;
  HDC dc = Canvas->GetHandle();
  Integer i = 0;
  while (i < count) {
    while (i < count && UVUniIsSpaceAt(Text, i + 1, Options)) ++i;
    Integer start = i;
    while (i < count && !UVUniIsSpaceAt(Text, i + 1, Options)) ++i;
    Integer length = i - start;
    // A word that could not be wider than the best one need not be measured.
    if (length == 0 || static_cast<Int64>(length) * MaxCharWidth <= best) continue;
    SIZE sz{};
    if (unicode)
      ::GetTextExtentPoint32W(dc, reinterpret_cast<const WideChar*>(Text.data()) + start, length, &sz);
    else
      ::GetTextExtentPoint32A(dc, Text.data() + start, length, &sz);
    best = std::max<Integer>(best, sz.cx);
  }
  return best;
}

}  // namespace

Integer TCustomUVFormattedData::CalculateParaSectionMinWidth(Integer ItemNo, const TUVScreenAndDevice* Sad,
                                                             TCanvas* Canvas, Integer Floor,
                                                             std::vector<Integer>* MaxCharWidths) {
  TUVStyle* style = GetUVStyle();
  if (!style || !Canvas || GetItemCount() == 0) return 0;
  Integer first = GetFirstLineItem(ItemNo);
  Integer last = first;
  while (last + 1 < GetItemCount() && !IsLineStart(last + 1)) ++last;
  Integer paraFirst = GetFirstParaItem(first);
  TParaInfo* para = style->GetParaStyles()->GetItem(GetItemPara(first));
  Integer indents = 0;
  GetMinIndents(first, paraFirst, indents, Sad);
  // Widths up to `floor` need not be measured (the widest word is then taken to be `floor`).
  auto textWidth = [&](Integer i, bool whole, Integer floor) {
    TCustomUVItemInfo* item = GetItem(i);
    // A text that could not be wider than the floor, even in the widest characters its style
    // had so far, is not looked at: the style need not even be applied.
    if (!whole && MaxCharWidths && item->StyleNo < static_cast<Integer>(MaxCharWidths->size())) {
      const Integer known = (*MaxCharWidths)[static_cast<std::size_t>(item->StyleNo)];
      if (known > 0 && static_cast<Int64>(UVUniLength(Items->GetStrings(i), item->ItemOptions)) * known <= floor)
        return std::max<Integer>(floor, 0);
    }
    style->ApplyTextStyle(Canvas, item->StyleNo, GetParaBiDiMode(item->ParaNo));
    AnsiString text = UVUniApplyAllCaps(Items->GetStrings(i), style->GetTextStyles()->GetItem(item->StyleNo),
                                        item->ItemOptions);
    if (whole) return UVUniTextWidth(text, Canvas, item->ItemOptions);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(Canvas->GetHandle(), &tm);
    const Integer maxCharWidth = std::max<Integer>(tm.tmMaxCharWidth, 1) * 2;
    if (MaxCharWidths && item->StyleNo >= 0) {
      if (static_cast<std::size_t>(item->StyleNo) >= MaxCharWidths->size())
        MaxCharWidths->resize(static_cast<std::size_t>(item->StyleNo) + 1, 0);
      (*MaxCharWidths)[static_cast<std::size_t>(item->StyleNo)] = maxCharWidth;
    }
    return WidestWord(Canvas, text, item->ItemOptions, maxCharWidth, floor);
  };
  if (para->Options.Contains(uvpaoNoWrap)) {
    Integer width = indents;
    for (Integer i = first; i <= last; ++i)
      width += GetItemStyle(i) >= 0 ? textWidth(i, true, 0) : GetItem(i)->GetMinWidth(Sad, Canvas, this);
    return width;
  }
  Integer result = std::max<Integer>(Floor, 0);
  for (Integer i = first; i <= last; ++i) {
    if (i > first && (IsParaStart(i) || IsLineStart(i))) GetMinIndents(i, GetFirstParaItem(i), indents, Sad);
    // A list marker before the item adds its width to the item's.
    const Integer marker =
        i > 0 && GetItemStyle(i - 1) == uvsListMarker ? GetItem(i - 1)->GetMinWidth(Sad, Canvas, this) : 0;
    const Integer width = GetItemStyle(i) >= 0 ? textWidth(i, false, result - indents - marker)
                                               : GetItem(i)->GetMinWidth(Sad, Canvas, this);
    result = std::max(result, indents + marker + width);
  }
  return result;
}

Integer TCustomUVFormattedData::CalculateTextMinWidth(Integer ItemNo, Integer From, Integer To,
                                                      const TUVScreenAndDevice* Sad, TCanvas* Canvas) {
  TUVStyle* style = GetUVStyle();
  if (!style || !Canvas || ItemNo < 0 || ItemNo >= GetItemCount() || GetItemStyle(ItemNo) < 0) return -1;
  // A line that does not wrap is as wide as all of its text.
  if (style->GetParaStyles()->GetItem(GetItemPara(ItemNo))->Options.Contains(uvpaoNoWrap)) return -1;
  TCustomUVItemInfo* item = GetItem(ItemNo);
  AnsiString text = UVUniApplyAllCaps(Items->GetStrings(ItemNo), style->GetTextStyles()->GetItem(item->StyleNo),
                                      item->ItemOptions);
  const Byte options = item->ItemOptions;
  const bool unicode = (options & uvioUnicode) != 0;
  Integer count = UVUniLength(text, options);
  // The words touching characters From..To - 1, or the place before From when the range is
  // empty: from the space before them to the space after them.
  Integer start = std::clamp(From - 1, 0, count);
  Integer end = std::clamp(To - 1, start, count);
  while (start > 0 && !UVUniIsSpaceAt(text, start, options)) --start;
  while (end < count && !UVUniIsSpaceAt(text, end + 1, options)) ++end;
  Integer unit = unicode ? 2 : 1;
  AnsiString words = text.substr(static_cast<std::size_t>(start * unit), static_cast<std::size_t>((end - start) * unit));
  style->ApplyTextStyle(Canvas, item->StyleNo, GetParaBiDiMode(item->ParaNo));
  TEXTMETRICA tm{};
  ::GetTextMetricsA(Canvas->GetHandle(), &tm);
  Integer width = WidestWord(Canvas, words, options, std::max<Integer>(tm.tmMaxCharWidth, 1) * 2);
  if (ItemNo > 0 && GetItemStyle(ItemNo - 1) == uvsListMarker) width += GetItem(ItemNo - 1)->GetMinWidth(Sad, Canvas, this);
  Integer first = GetFirstLineItem(ItemNo);
  Integer indents = 0;
  GetMinIndents(first, GetFirstParaItem(first), indents, Sad);
  return indents + width;
}

Integer TCustomUVFormattedData::CalculateParaSectionMinWidthDef(Integer ItemNo) {
  TCanvas* canvas = GetFormattingCanvas();
  if (!canvas) return 0;
  TUVScreenAndDevice sad;
  GetScreenAndDevice(sad, canvas);
  bool same = sad.ScreenPpiX == sad.DevicePpiX && sad.ScreenPpiY == sad.DevicePpiY;
  return CalculateParaSectionMinWidth(ItemNo, same ? nullptr : &sad, canvas);
}

Integer TCustomUVFormattedData::CalculateMinItemsWidth(Integer First, Integer Last, const TUVScreenAndDevice* Sad,
                                                       TCanvas* Canvas, Integer Floor) {
  Integer result = std::max<Integer>(Floor, 0);
  if (GetItemCount() == 0) return result;
  ExpandToLines(std::max(First, 0), std::min(Last, GetItemCount() - 1), First, Last);
  // What is measured only needs to beat the widest so far; the widest character of each text
  // style, once known, rules out most texts without applying their style.
  std::vector<Integer> maxCharWidths;
  for (Integer i = First; i <= Last; ++i)
    if (IsLineStart(i))
      result = std::max(result, CalculateParaSectionMinWidth(i, Sad, Canvas, result, &maxCharWidths));
  return result;
}

Integer TCustomUVFormattedData::CalculateMinItemsWidthPartial(Integer First, Integer Last,
                                                              const TUVScreenAndDevice* Sad, TCanvas* Canvas) {
  TUVStyle* style = GetUVStyle();
  if (!style || !Canvas || GetItemCount() == 0) return 0;
  First = std::max(First, 0);
  Last = std::min(Last, GetItemCount() - 1);
  Integer result = 0;
  for (Integer i = First; i <= Last; ++i) {
    bool noWrap = style->GetParaStyles()->GetItem(GetItemPara(i))->Options.Contains(uvpaoNoWrap);
    if (noWrap || IsLineStart(i) || i == First) result = std::max(result, CalculateParaSectionMinWidth(i, Sad, Canvas));
  }
  return result;
}

Integer TCustomUVFormattedData::CalculateMinDocWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, Integer Floor) {
  return CalculateMinItemsWidth(0, GetItemCount() - 1, Sad, Canvas, Floor);
}

// ---------------------------------------------------------------------------------------------
// Selection

void TCustomUVFormattedData::SetSelBoundsFromItems(Integer StartItemNo, Integer StartOffs, Integer EndItemNo,
                                                   Integer EndOffs) {
  ItemToDrawItem(StartItemNo, StartOffs, FSelStartNo, FSelStartOffs);
  ItemToDrawItem(EndItemNo, EndOffs, FSelEndNo, FSelEndOffs);
}

void TCustomUVFormattedData::GetSelDrawItemBounds(bool Ordered, Integer& StartDrawItemNo, Integer& StartOffs,
                                                  Integer& EndDrawItemNo, Integer& EndOffs) const {
  StartDrawItemNo = FSelStartNo;
  StartOffs = FSelStartOffs;
  EndDrawItemNo = FSelEndNo;
  EndOffs = FSelEndOffs;
  if (Ordered && (StartDrawItemNo > EndDrawItemNo || (StartDrawItemNo == EndDrawItemNo && StartOffs > EndOffs))) {
    std::swap(StartDrawItemNo, EndDrawItemNo);
    std::swap(StartOffs, EndOffs);
  }
}

void TCustomUVFormattedData::GetSelectionItemBounds(bool Ordered, Integer& StartItemNo, Integer& StartOffs,
                                                    Integer& EndItemNo, Integer& EndOffs) const {
  Integer sd, so, ed, eo;
  GetSelDrawItemBounds(Ordered, sd, so, ed, eo);
  DrawItemToItem(sd, so, StartItemNo, StartOffs);
  DrawItemToItem(ed, eo, EndItemNo, EndOffs);
}

void TCustomUVFormattedData::GetSelectionBoundsEx(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo,
                                                  Integer& EndOffs, TCustomUVItemInfo*& StartPartial,
                                                  TCustomUVItemInfo*& EndPartial, bool Normalize) {
  GetSelectionItemBounds(Normalize, StartItemNo, StartOffs, EndItemNo, EndOffs);
  StartPartial = EndPartial = nullptr;
  if (PartialSelectedItem) {
    Integer index = IndexOfItem(PartialSelectedItem);
    if (StartItemNo < 0) {
      StartItemNo = EndItemNo = index;
      StartOffs = 0;
      EndOffs = 1;
    }
    if (index == StartItemNo) StartPartial = PartialSelectedItem;
    if (index == EndItemNo) EndPartial = PartialSelectedItem;
  }
}

void TCustomUVFormattedData::Deselect(TCustomUVItemInfo* NewPartiallySelected, bool MakeEvent) {
  FSelStartNo = FSelEndNo = -1;
  FSelStartOffs = FSelEndOffs = 0;
  if (PartialSelectedItem && PartialSelectedItem != NewPartiallySelected) PartialSelectedItem->DeselectPartial();
  PartialSelectedItem = NewPartiallySelected;
  SelectionChanged();
  if (MakeEvent) DoSelect();
}

void TCustomUVFormattedData::SelectAll() {
  if (DrawItems->GetCount() == 0) return;
  FSelStartNo = 0;
  FSelStartOffs = GetOffsBeforeDrawItem(0);
  FSelEndNo = DrawItems->GetCount() - 1;
  FSelEndOffs = GetOffsAfterDrawItem(FSelEndNo);
  SelectionChanged();
  DoSelect();
}

bool TCustomUVFormattedData::SelectionExists() const {
  return FSelStartNo >= 0 && FSelEndNo >= 0 && !(FSelStartNo == FSelEndNo && FSelStartOffs == FSelEndOffs);
}

void TCustomUVFormattedData::SetPartialSelectedItem(TCustomUVItemInfo* Item) {
  if (PartialSelectedItem == Item) return;
  FSelStartNo = FSelEndNo = -1;
  FSelStartOffs = FSelEndOffs = 0;
  if (PartialSelectedItem) PartialSelectedItem->DeselectPartial();
  PartialSelectedItem = Item;
  SelectionChanged();
}

void TCustomUVFormattedData::ReleasePartialSelection(TCustomUVItemInfo* Item) {
  if (PartialSelectedItem && PartialSelectedItem != Item) {
    TCustomUVItemInfo* item = PartialSelectedItem;
    PartialSelectedItem = nullptr;
    item->DeselectPartial();
  }
  if (ChosenItem && ChosenItem != Item) {
    TCustomUVItemInfo* chosen = ChosenItem;
    ChosenItem = nullptr;
    ChosenUVData = nullptr;
    chosen->CleanUpChosen();
  }
}

// ---------------------------------------------------------------------------------------------
// Services

void TCustomUVFormattedData::AdjustChildrenCoords() {
  if ((GetFlags() & uvflSharedContents) || (State & uvstNoChildMoves) || !CanMoveChildren()) return;
  for (Integer i = 0; i < GetItemCount(); ++i) {
    if (GetItemStyle(i) != uvsComponent) continue;
    Integer d = FindFirstDrawItemOfItem(i);
    if (d < 0) continue;
    TUVDrawLineInfo* dli = DrawItems->Get(d);
    static_cast<TUVNonTextItemInfo*>(GetItem(i))->SetPosition(dli->Left - GetHOffs(), dli->Top - GetVOffs(), this);
  }
}

void TCustomUVFormattedData::ClearJumps() {
  Jumps->Clear();
  HoverJumpNo = -1;
  HoverDrawItemNo = -1;
  LastDIUnderMouse = -1;
  if (auto* root = dynamic_cast<TCustomUVFormattedData*>(GetAbsoluteRootData()))
    if (root->HoverOwner == this) root->HoverOwner = nullptr;
}

void TCustomUVFormattedData::BuildJumpList() {
  ClearJumps();
  JumpCount = 0;
  TUVStyle* style = GetUVStyle();
  Integer lastItem = -1;
  for (Integer d = 0; d < DrawItems->GetCount(); ++d) {
    TUVDrawLineInfo* dli = DrawItems->Get(d);
    TCustomUVItemInfo* item = GetItem(dli->ItemNo);
    bool first = dli->ItemNo != lastItem;
    lastItem = dli->ItemNo;
    if (!item->QueryStyledFlag(uvbspJump, style)) {
      // Items holding documents number their hyperlinks on, as when the whole is laid out.
      if (first) item->BuildJumps(dli->Left, dli->Top, JumpCount, Jumps);
      continue;
    }
    if (first) item->HyperlinkId = JumpCount++;
    auto* info = new TUVJumpInfo();
    info->Left = dli->Left;
    info->Top = dli->Top;
    info->Width = dli->Width;
    info->Height = dli->Height;
    info->Id = item->HyperlinkId;
    info->UVData = this;
    info->DrawItemNo = d;
    info->Cursor = item->StyleNo >= 0 && style ? style->GetTextStyles()->GetItem(item->StyleNo)->JumpCursor
                                               : (style ? style->JumpCursor : 101);
    Jumps->Add(info);
  }
}

void TCustomUVFormattedData::SetMouseCapture(TCustomUVItemInfo* Item, Integer& Left, Integer& Top) {
  CaptureMouseItem = Item;
  Integer itemNo = IndexOfItem(Item);
  if (!(CaptureMouseDrawItemNo >= 0 && CaptureMouseDrawItemNo < DrawItems->GetCount() &&
        DrawItems->Get(CaptureMouseDrawItemNo)->ItemNo == itemNo))
    CaptureMouseDrawItemNo = FindFirstDrawItemOfItem(itemNo);
  Left = Top = 0;
  if (CaptureMouseDrawItemNo >= 0) {
    Left = DrawItems->Get(CaptureMouseDrawItemNo)->Left;
    Top = DrawItems->Get(CaptureMouseDrawItemNo)->Top;
  }
}

void TCustomUVFormattedData::ReleaseMouseCapture(TCustomUVItemInfo* Item) {
  if (CaptureMouseItem != Item) return;
  CaptureMouseItem = nullptr;
  CaptureMouseDrawItemNo = -1;
}

void TCustomUVFormattedData::AssignXorDrawing(TUVXorDrawingEvent Method) {
  HideXorDrawing();
  XorDrawing = Method;
}

void TCustomUVFormattedData::UnassignXorDrawing(TUVXorDrawingEvent Method) {
  if (!(XorDrawing == Method)) return;
  if (XorDrawingShown && !IsDestroying()) HideXorDrawing();
  XorDrawing = TUVXorDrawingEvent();
  XorDrawingShown = false;
}

void TCustomUVFormattedData::XorDrawingAt(Integer X, Integer Y) {
  if (!XorDrawing) return;
  XorX = X;
  XorY = Y;
  XorDrawing(this, X, Y);
  XorDrawingShown = !XorDrawingShown;
}

void TCustomUVFormattedData::HideXorDrawing() {
  if (XorDrawingShown) XorDrawingAt(XorX, XorY);
}

bool UVForEachSubDocument(TCustomUVItemInfo* Item, bool Forward,
                          const std::function<bool(TCustomUVFormattedData* Data)>& Visit,
                          const std::function<void(TUVStoreSubUVData* Position)>& Stopped) {
  TUVStoreSubUVData* state = nullptr;
  TCustomUVFormattedData* sub = Item->GetSubDocument(state, Forward ? uvsdFirst : uvsdLast);
  bool stopped = false;
  while (sub && !(stopped = Visit(sub))) {
    // The item hands out a new saved position for the next one and the caller owns it.
    TUVStoreSubUVData* next = state;
    sub = Item->GetSubDocument(next, Forward ? uvsdNext : uvsdPrev);
    if (next != state) {
      delete state;
      state = next;
    }
  }
  if (stopped && Stopped) Stopped(state);
  delete state;
  return stopped;
}

Integer TCustomUVFormattedData::FindNextFocusableItem(Integer Start, bool Forward,
                                                      TCustomUVFormattedData*& FoundData) {
  FoundData = nullptr;
  if (FocusedItemNo >= GetItemCount()) FocusedItemNo = -1;
  Integer count = GetItemCount();
  Integer step = Forward ? 1 : -1;
  Integer i = Start < 0 ? (Forward ? 0 : count - 1) : Start + step;
  TUVStyle* style = GetUVStyle();
  for (; i >= 0 && i < count; i += step) {
    TCustomUVItemInfo* item = GetItem(i);
    if (item->QueryStyledFlag(uvbspAllowsFocus, style)) {
      FoundData = this;
      return i;
    }
    Integer found = -1;
    if (UVForEachSubDocument(item, Forward, [&](TCustomUVFormattedData* sub) {
          found = sub->FindNextFocusableItem(-1, Forward, FoundData);
          return found >= 0;
        }))
      return found;
  }
  return -1;
}

void TCustomUVFormattedData::ScrollToShowRect(Integer X, Integer Y, Integer Width, Integer Height) {
  Integer hoffs = GetHOffs();
  Integer clientWidth = GetWidth();
  if (X < hoffs || X + Width > hoffs + clientWidth) HScrollTo(X - clientWidth / 4);
  Integer voffs = GetVOffs();
  Integer clientHeight = GetHeight();
  Integer step = GetVSmallStep();
  Integer bottom = Y + Height;
  if (bottom > voffs + clientHeight - 2 * step && Y < voffs + step) return;
  if (bottom <= voffs + clientHeight && Y < voffs)
    ScrollTo(Y, true);
  else if (bottom > voffs + clientHeight)
    ScrollTo(Y + Height - clientHeight + step, true);
}

void TCustomUVFormattedData::NotifyCheckpointVisible() {
  TCPEventKind kind = GetCPEventKind();
  if (kind == cpeNone) return;
  Integer top = GetVOffs();
  Integer bottom = top + GetHeight();
  UpdateCheckpointItemNumbers();
  TUVCPInfo* answer = nullptr;
  TUVCPInfo* previous = nullptr;
  TUVCPInfo* firstBelowTop = nullptr;
  Integer firstBelowTopY = 0;
  bool ended = false;
  for (TUVCPInfo* cp = FirstCP; cp && !ended; cp = cp->Next) {
    if (!cp->RaiseEvent) continue;
    Integer d = ItemToFirstDrawItem(cp->ItemNo);
    if (d < 0) {
      ended = true;
      break;
    }
    Integer y = DrawItems->Get(d)->Top;
    if (y >= top) {
      firstBelowTop = cp;
      firstBelowTopY = y;
      break;
    }
    previous = cp;
  }
  // The checkpoint after the last item counts at the end of the document.
  TUVCPInfo* endCP = NotAddedCP && NotAddedCP->RaiseEvent ? NotAddedCP : nullptr;
  bool endInWindow = DocumentHeight >= top && DocumentHeight <= bottom;
  if (kind == cpeAsSectionStart) {
    if (firstBelowTop)
      answer = firstBelowTopY > bottom ? previous : firstBelowTop;
    else if (endCP && endInWindow)
      answer = endCP;
    else
      answer = previous;
    if (!answer && !LastVisibleCPReported) return;
  } else {
    if (firstBelowTop)
      answer = firstBelowTopY <= bottom ? firstBelowTop : nullptr;
    else if (endCP && endInWindow)
      answer = endCP;
  }
  if (LastVisibleCPReported && answer == LastVisibleCP) return;
  if (!LastVisibleCPReported && !answer) return;
  LastVisibleCP = answer;
  LastVisibleCPReported = answer != nullptr;
  DoCheckpointVisible(answer);
}
