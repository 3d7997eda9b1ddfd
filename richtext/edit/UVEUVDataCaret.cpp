// The editor's caret: its stops on the current screen line, the system caret, movement by keys,
// keyboard selection and the caret across formatting.
#include <algorithm>
#include <vector>

#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEUVData.h"

namespace {

// The caret never exceeds this height, so a very tall piece does not get a caret as tall.
constexpr Integer MaxCaretHeight = 1000;
// The system caret is a line one pixel wide.
constexpr Integer CaretWidth = 1;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Where the caret is

bool TUVEditUVData::CaretPlaced() {
  // While a reformat replaces draw lines the caret may still name one that is gone.
  return CaretDrawItemNo >= 0 && CaretOffs >= 0 && CaretOffs < CharPositions->GetCount() &&
         CharPositions->Get(CaretOffs)->DrawItemNo < DrawItems->GetCount();
}

Integer TUVEditUVData::GetCurItemNo() {
  PrepareForEdit();
  if (PartialSelectedItem) return IndexOfItem(PartialSelectedItem);
  if (!CaretPlaced()) return -1;
  return DrawItems->Get(CharPositions->Get(CaretOffs)->DrawItemNo)->ItemNo;
}

Integer TUVEditUVData::GetOffsetInCurItem() {
  PrepareForEdit();
  if (PartialSelectedItem) return 1;
  if (!CaretPlaced()) return -1;
  TUVCharPos* pos = CharPositions->Get(CaretOffs);
  TUVDrawLineInfo* dli = DrawItems->Get(pos->DrawItemNo);
  return GetItemStyle(dli->ItemNo) >= 0 ? dli->Offs + pos->Offset - 1 : pos->Offset;
}

void TUVEditUVData::PrepareForEdit() {
  if (GetItemCount() > 0 || !GetUVStyle() || (EditFlags & uvefPreparingEdit) || (State & uvstFormatting)) return;
  EditFlags |= uvefPreparingEdit;
  TCustomUVItemInfo* item = NewTextItem(CurTextStyleNo, CurParaStyleNo);
  AddItem(AnsiString(), item);
  Format(false, true, false, 0, nullptr, false, false);
  EditFlags &= ~static_cast<Cardinal>(uvefPreparingEdit);
  if (DrawItems->GetCount() > 0) {
    CaretDrawItemNo = 0;
    BuildCaretPositions(GetOffsBeforeDrawItem(0) - 2);
    CaretOffs = 0;
  }
}

void TUVEditUVData::SetCaretAtItem(Integer ItemNo, Integer Offs) {
  Integer d = -1, o = 0;
  if (ItemNo >= 0 && ItemNo < GetItemCount()) ItemToDrawItem(ItemNo, Offs, d, o);
  if (d < 0) {
    CaretDrawItemNo = -1;
    CaretOffs = -1;
    CharPositions->Clear();
    return;
  }
  if (MarkerBeginsLine(d)) {
    ++d;
    o = GetOffsBeforeDrawItem(d);
  }
  CaretDrawItemNo = d;
  BuildCaretPositions(o - 2);
}

bool TUVEditUVData::MarkerBeginsLine(Integer DrawItemNo) {
  return GetItemStyle(DrawItems->Get(DrawItemNo)->ItemNo) == uvsListMarker &&
         DrawItemNo + 1 < DrawItems->GetCount() && !DrawItems->Get(DrawItemNo + 1)->FromNewLine;
}

void TUVEditUVData::PlaceCaretAfterEdit(Integer ItemNo, Integer Offs, bool KeepCurrentStyles) {
  SetCaretAtItem(ItemNo, Offs);
  ChangeCaret(true, false, KeepCurrentStyles);
}

// ---------------------------------------------------------------------------------------------
// The caret's stops

void TUVEditUVData::BuildCaretPositions(Integer OffsetInPiece) {
  CharPositions->Clear();
  if (CaretDrawItemNo < 0 || CaretDrawItemNo >= DrawItems->GetCount()) {
    CaretDrawItemNo = -1;
    return;
  }
  CaretOffs = 100000;
  Integer wanted = OffsetInPiece + 2;
  Integer first, last;
  GetScreenLineBounds(CaretDrawItemNo, first, last);
  if (GetItemStyle(DrawItems->Get(first)->ItemNo) == uvsListMarker && first < last) {
    // A marker has no caret stops: the caret goes to the piece after it.
    if (CaretDrawItemNo == first) {
      CaretDrawItemNo = first + 1;
      wanted = GetOffsBeforeDrawItem(CaretDrawItemNo);
    }
    ++first;
  }
  for (Integer d = first; d <= last; ++d) {
    bool bidi = GetItemStyle(DrawItems->Get(d)->ItemNo) >= 0 &&
                GetItemBiDiMode(DrawItems->Get(d)->ItemNo) != uvbdUnspecified;
    if (!bidi || !AddPiecePositionsBiDi(d, d == first, wanted)) AddPiecePositions(d, d == first, wanted);
  }
  if (CaretOffs >= CharPositions->GetCount()) CaretOffs = CharPositions->GetCount() - 1;
}

namespace {

// The caret stop of the caret piece among the positions [Start, End) of the piece: the wanted
// offset, the piece's end beyond it, and before the piece the stop before it.
Integer MatchWanted(TUVCharPosCollection* Positions, Integer Start, Integer End, Integer Wanted, Integer Before,
                    bool HasBefore) {
  if (Wanted <= Before && !HasBefore) return Start > 0 ? Start - 1 : Start;
  if (Wanted < 0) return Start;
  for (Integer i = Start; i < End; ++i)
    if (Positions->Get(i)->Offset >= Wanted) return i;
  return End - 1;
}

}  // namespace

void TUVEditUVData::AddPiecePositions(Integer DrawItemNo, bool FirstOfLine, Integer WantedOffset) {
  TUVDrawLineInfo* dli = DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = GetItem(dli->ItemNo);
  bool text = item->StyleNo >= 0;
  bool rightToLeft = GetParaBiDiMode(item->ParaNo) == uvbdRightToLeft;
  Integer start = CharPositions->GetCount();
  bool hasBefore = FirstOfLine && (!text || dli->Length > 0);
  if (hasBefore) {
    TUVCharPos* pos = CharPositions->Add();
    pos->DrawItemNo = DrawItemNo;
    pos->Offset = text ? 1 : 0;
    pos->X = dli->Left;
    pos->Shift = 1;
    if (!text && rightToLeft) {
      pos->X = dli->Left + dli->Width;
      pos->Shift = 2;
    }
  }
  if (text && dli->Length > 0) {
    TUVStyle* style = GetUVStyle();
    TCanvas* canvas = GetFormattingCanvas();
    style->ApplyTextStyle(canvas, item->StyleNo, GetParaBiDiMode(item->ParaNo));
    AnsiString all = UVUniApplyAllCaps(Items->GetStrings(dli->ItemNo),
                                       style->GetTextStyles()->GetItem(item->StyleNo), item->ItemOptions);
    AnsiString piece = UVUniCopy(all, dli->Offs, dli->Length, item->ItemOptions);
    std::vector<Integer> extents;
    Integer fit = 0;
    UVUniGetTextExtentEx(canvas, piece, 10 * std::max(dli->Width, 1), item->ItemOptions, &extents, fit);
    auto extent = [&](Integer Chars) {
      return Chars - 1 < static_cast<Integer>(extents.size()) ? extents[static_cast<std::size_t>(Chars - 1)]
                                                               : dli->Width - dli->JustifySpace;
    };
    Integer left = dli->Left + dli->JustifySpace;
    if (item->IsUnicode() && UVIsNTPlatform) {
      // One stop per character, however many UTF-16 units it takes (a surrogate pair is one
      // character whatever the system's stepping says).
      const WideChar* base = reinterpret_cast<const WideChar*>(piece.data());
      Integer units = 0;
      while (units < dli->Length) {
        Integer next = static_cast<Integer>(::CharNextW(base + units) - base);
        if (next <= units) next = units + 1;
        while (next < dli->Length && UVUniSplitsPair(base, dli->Length, next)) ++next;
        units = next;
        if (units >= dli->Length) break;
        TUVCharPos* pos = CharPositions->Add();
        pos->DrawItemNo = DrawItemNo;
        pos->Offset = units + 1;
        pos->X = left + extent(units);
      }
    } else {
      for (Integer i = 1; i < dli->Length; ++i) {
        TUVCharPos* pos = CharPositions->Add();
        pos->DrawItemNo = DrawItemNo;
        pos->Offset = i + 1;
        pos->X = left + extent(i);
      }
    }
  }
  TUVCharPos* after = CharPositions->Add();
  after->DrawItemNo = DrawItemNo;
  after->Offset = GetOffsAfterDrawItem(DrawItemNo);
  after->X = dli->Left + dli->Width;
  after->Shift = text ? 1 : 2;
  if (!text && rightToLeft) {
    after->X = dli->Left;
    after->Shift = 1;
  }
  if (DrawItemNo == CaretDrawItemNo)
    CaretOffs = MatchWanted(CharPositions, start, CharPositions->GetCount(), WantedOffset,
                            GetOffsBeforeDrawItem(DrawItemNo), hasBefore);
}

bool TUVEditUVData::AddPiecePositionsBiDi(Integer DrawItemNo, bool FirstOfLine, Integer WantedOffset) {
  TUVDrawLineInfo* dli = DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = GetItem(dli->ItemNo);
  if (item->StyleNo < 0 || dli->Length == 0) return false;
  TUVStyle* style = GetUVStyle();
  TCanvas* canvas = GetFormattingCanvas();
  style->ApplyTextStyle(canvas, item->StyleNo, GetParaBiDiMode(item->ParaNo));
  AnsiString all = UVUniApplyAllCaps(Items->GetStrings(dli->ItemNo), style->GetTextStyles()->GetItem(item->StyleNo),
                                     item->ItemOptions);
  AnsiString piece = UVUniCopy(all, dli->Offs, dli->Length, item->ItemOptions);
  std::vector<Integer> placement;
  if (!GetTextCharPlacement(canvas, piece, placement, item->ItemOptions) ||
      static_cast<Integer>(placement.size()) < dli->Length + 1)
    return false;
  Integer start = CharPositions->GetCount();
  const WideChar* base = item->IsUnicode() ? reinterpret_cast<const WideChar*>(piece.data()) : nullptr;
  for (Integer offs = FirstOfLine ? 1 : 2; offs <= dli->Length + 1; ++offs) {
    if (base && UVIsNTPlatform && offs > 1 && offs <= dli->Length) {
      // Only at character starts.
      const WideChar* p = base + (offs - 1);
      if (::CharPrevW(base, p + 1) != p || UVUniSplitsPair(base, dli->Length, offs - 1)) continue;
    }
    TUVCharPos* pos = CharPositions->Add();
    pos->DrawItemNo = DrawItemNo;
    pos->Offset = offs;
    pos->X = dli->Left + dli->JustifySpace + placement[static_cast<std::size_t>(offs - 1)];
    pos->Shift = 0;
  }
  if (DrawItemNo == CaretDrawItemNo)
    CaretOffs = MatchWanted(CharPositions, start, CharPositions->GetCount(), WantedOffset, 1, FirstOfLine);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Showing the caret

void TUVEditUVData::ChangeCaret(bool ScrollToCaret, bool UpdateFirst, bool KeepCurrentStyles) {
  if (State & uvstFormatting) return;
  TWinControl* control = GetParentControl();
  if (UpdateFirst && control && control->HandleAllocated()) control->Update();
  bool focused = IsControlFocused();
  if (PartialSelectedItem || GetInplaceEditor() || (State & uvstDrawAllSelected)) {
    if (CaretHeight != 0 && focused) ::HideCaret(control->GetHandle());
  } else {
    Integer height = 0;
    if (CaretDrawItemNo >= 0) {
      if (CaretOffs < 0 || CaretOffs >= CharPositions->GetCount()) {
        CaretDrawItemNo = 0;
        CaretOffs = 0;
        BuildCaretPositions(DrawItems->GetCount() > 0 ? GetOffsBeforeDrawItem(0) - 2 : -2);
        throw EUzurUvadError(
            "Invalid caret position. Please contact the developer, if you can reproduce this problem");
      }
      CaretDrawItemNo = CharPositions->Get(CaretOffs)->DrawItemNo;
      height = std::min(DrawItems->Get(CaretDrawItemNo)->Height + 2, MaxCaretHeight);
    }
    if (CaretHeight != 0 && focused) {
      ::HideCaret(control->GetHandle());
      ::DestroyCaret();
      CaretHeight = 0;
    }
    if (height != 0 && focused && !(IsReadOnly() && GetEditorOptions().Contains(uvoHideReadOnlyCaret))) {
      ::CreateCaret(control->GetHandle(), nullptr, CaretWidth, height);
      CaretHeight = height;
      PlaceSystemCaret();
      ::ShowCaret(control->GetHandle());
    }
    if (CaretDrawItemNo >= 0) {
      TUVDrawLineInfo* dli = DrawItems->Get(CaretDrawItemNo);
      TCustomUVItemInfo* item = GetItem(dli->ItemNo);
      TUVStyle* style = GetUVStyle();
      if (!KeepCurrentStyles && style) {
        SetCurrentParaStyle(item->ParaNo);
        if (item->StyleNo >= 0) {
          if (style->GetTextStyles()->GetItem(item->StyleNo)->Protection.Contains(uvprDoNotAutoSwitch)) {
            SetCurrentTextStyle(LastSwitchTextStyleNo);
          } else {
            SetCurrentTextStyle(item->StyleNo);
            LastSwitchTextStyleNo = item->StyleNo;
          }
        }
      }
      // A picture at the caret is marked as the active item.
      if (item->QueryFlag(uvbpDisplayActiveState)) {
        if (ActiveItem != item) {
          ActiveItem = item;
          Invalidate();
        }
      } else if (ActiveItem) {
        ActiveItem = nullptr;
        Invalidate();
      }
      // A hyperlink at the caret is drawn highlighted; after a backward selection that ends at a
      // piece's end, the item that follows in the paragraph is the one at the caret.
      Integer jumpDrawItem = CaretDrawItemNo;
      Integer sd, so, ed, eo;
      GetSelDrawItemBounds(false, sd, so, ed, eo);
      if (ed >= 0 && (ed < sd || (ed == sd && eo < so)) && ed + 1 < DrawItems->GetCount() &&
          eo == GetOffsAfterDrawItem(ed) && GetItem(DrawItems->Get(ed + 1)->ItemNo)->GetContinuesPara())
        jumpDrawItem = ed + 1;
      TCustomUVItemInfo* jumpItem = GetItem(DrawItems->Get(jumpDrawItem)->ItemNo);
      if (style && jumpItem->QueryStyledFlag(uvbspJump, style) && jumpItem->QueryStyledFlag(uvbspHotColdJump, style)) {
        HoverJumpNo = jumpItem->HyperlinkId;
        HoverDrawItemNo = jumpDrawItem;
        State |= uvstDrawHover;
        Invalidate();
      } else if (State & uvstDrawHover) {
        HoverJumpNo = -1;
        HoverDrawItemNo = -1;
        State &= ~static_cast<Cardinal>(uvstDrawHover);
        Invalidate();
      }
    }
  }
  if (ScrollToCaret && CaretDrawItemNo >= 0 && CaretOffs >= 0 && CaretOffs < CharPositions->GetCount() &&
      !CaptureMouseItem) {
    Integer hOffs = GetHOffs(), vOffs = GetVOffs();
    TUVCharPos* pos = CharPositions->Get(CaretOffs);
    TUVDrawLineInfo* dli = DrawItems->Get(CaretDrawItemNo);
    ScrollToShowRect(pos->X, dli->Top - 1, 5, CaretHeight);
    // A system caret placed before the view scrolled moves with it.
    if (hOffs != GetHOffs() || vOffs != GetVOffs()) PlaceSystemCaret();
  }
  if (!IsDestroying()) DoCaretMove();
}

void TUVEditUVData::PlaceSystemCaret() {
  if (CaretHeight == 0 || CaretDrawItemNo < 0 || CaretOffs < 0 || CaretOffs >= CharPositions->GetCount() ||
      !IsControlFocused())
    return;
  TUVCharPos* pos = CharPositions->Get(CaretOffs);
  TUVDrawLineInfo* dli = DrawItems->Get(CaretDrawItemNo);
  ::SetCaretPos(pos->X - 1 + pos->Shift - GetHOffs() - CaretWidth / 2,
                dli->Top + dli->Height - GetVOffs() - CaretHeight);
}

TPoint TUVEditUVData::GetCaretClientPos() {
  if (CaretDrawItemNo < 0 || CaretOffs < 0 || CaretOffs >= CharPositions->GetCount()) return TPoint{0, 0};
  TUVCharPos* pos = CharPositions->Get(CaretOffs);
  return TPoint{pos->X - 1 + pos->Shift - GetHOffs(), DrawItems->Get(CaretDrawItemNo)->Top - 1 - GetVOffs()};
}

bool TUVEditUVData::CaretAtLineStart() { return CaretOffs == 0; }

bool TUVEditUVData::CaretAtLineEnd() { return CaretOffs == CharPositions->GetCount() - 1; }

// ---------------------------------------------------------------------------------------------
// Moving

bool TUVEditUVData::MoveCaretLeft(bool Shift, bool Ctrl) {
  if (CaretDrawItemNo < 0) return true;
  Integer itemNo = GetCurItemNo();
  Integer offs = GetOffsetInCurItem();
  if (Ctrl && GetItemStyle(itemNo) >= 0 && offs > 1) {
    // Back to the start of the word before the caret.
    const AnsiString& text = Items->GetStrings(itemNo);
    Byte options = GetItemOptions(itemNo);
    Integer n = offs - 1;
    do {
      --n;
    } while (n > 0 && !(UVUniIsSpaceAt(text, n, options) && !UVUniIsSpaceAt(text, n + 1, options)));
    SetCaretAtItem(itemNo, n + 1);
  } else if (CaretOffs > 0) {
    TCustomUVItemInfo* item = GetItem(itemNo);
    if (!Shift && !Ctrl && item->StyleNo < 0 && item->EnterItem(1, CharPositions->Get(CaretOffs)->X)) {
      ChangeCaret(true, false, false);
      return false;
    }
    --CaretOffs;
  } else {
    Integer first, last;
    GetScreenLineBounds(CaretDrawItemNo, first, last);
    Integer d = CharPositions->Get(0)->DrawItemNo;
    if (d > first) first = d;
    Integer previous = first - 1;
    if (previous >= 0 && MarkerBeginsLine(previous)) --previous;
    if (previous < 0) return true;
    CaretDrawItemNo = previous;
    BuildCaretPositions(GetOffsAfterDrawItem(previous) - 2);
  }
  ChangeCaret(true, false, false);
  return false;
}

bool TUVEditUVData::MoveCaretRight(bool Shift, bool Ctrl) {
  if (CaretDrawItemNo < 0) return true;
  Integer itemNo = GetCurItemNo();
  Integer offs = GetOffsetInCurItem();
  if (Ctrl && GetItemStyle(itemNo) >= 0 && offs <= GetItemLength(itemNo)) {
    // On past the next space that a non-space follows, or to the item's end.
    const AnsiString& text = Items->GetStrings(itemNo);
    Byte options = GetItemOptions(itemNo);
    Integer length = GetItemLength(itemNo);
    Integer n = offs;
    do {
      ++n;
    } while (n <= length && !(UVUniIsSpaceAt(text, n - 1, options) && !UVUniIsSpaceAt(text, n, options)));
    SetCaretAtItem(itemNo, n);
  } else if (CaretOffs < CharPositions->GetCount() - 1) {
    TCustomUVItemInfo* next = GetItem(DrawItems->Get(CharPositions->Get(CaretOffs + 1)->DrawItemNo)->ItemNo);
    if (!Shift && !Ctrl && next->StyleNo < 0 && next->EnterItem(0, CharPositions->Get(CaretOffs)->X)) {
      ChangeCaret(true, false, false);
      return false;
    }
    ++CaretOffs;
  } else {
    Integer next = CharPositions->Get(CaretOffs)->DrawItemNo + 1;
    if (next < DrawItems->GetCount() && MarkerBeginsLine(next)) ++next;
    if (next >= DrawItems->GetCount()) return true;
    CaretDrawItemNo = next;
    BuildCaretPositions(GetOffsBeforeDrawItem(next) - 2);
  }
  ChangeCaret(true, false, false);
  return false;
}

namespace {

// The top of the visual line that holds draw line D.
Integer LineTop(TCustomUVFormattedData* Data, Integer D) {
  Integer first, last;
  Data->GetScreenLineBounds(D, first, last);
  Integer top = Data->DrawItems->Get(first)->Top;
  for (Integer i = first + 1; i <= last; ++i) top = std::min(top, Data->DrawItems->Get(i)->Top);
  return top;
}

}  // namespace

bool TUVEditUVData::MoveCaretToLine(Integer DrawItemNo, Integer EnterFrom, bool Shift, bool Ctrl) {
  // The caret keeps its x, one pixel below the top of the line that holds DrawItemNo.
  Integer x = CharPositions->Get(CaretOffs)->X;
  Integer d, o;
  FindDrawItemAtPos(x, LineTop(this, DrawItemNo) + 1, false, d, o);
  if (d < 0) return true;
  TUVDrawLineInfo* dli = DrawItems->Get(d);
  TCustomUVItemInfo* item = GetItem(dli->ItemNo);
  if (!Shift && !Ctrl && item->StyleNo < 0 && x >= dli->Left && x < dli->Left + dli->Width &&
      item->EnterItem(EnterFrom, x - dli->Left)) {
    ChangeCaret(true, false, false);
    return false;
  }
  CaretDrawItemNo = d;
  BuildCaretPositions(o - 2);
  ChangeCaret(true, false, false);
  return false;
}

bool TUVEditUVData::MoveCaretUp(bool Shift, bool Ctrl) {
  if (CaretDrawItemNo < 0) return true;
  Integer first, last;
  GetScreenLineBounds(CaretDrawItemNo, first, last);
  Integer previous = first - 1;
  if (previous < 0) {
    ScrollTo(0, true);
    return true;
  }
  return MoveCaretToLine(previous, 3, Shift, Ctrl);
}

bool TUVEditUVData::MoveCaretDown(bool Shift, bool Ctrl) {
  if (CaretDrawItemNo < 0) return true;
  Integer next = CharPositions->Get(CharPositions->GetCount() - 1)->DrawItemNo + 1;
  if (next >= DrawItems->GetCount()) {
    ScrollTo(DocumentHeight, true);
    return true;
  }
  return MoveCaretToLine(next, 2, Shift, Ctrl);
}

bool TUVEditUVData::MoveCaretHome(bool Ctrl) {
  if (CaretDrawItemNo < 0) return Ctrl;
  if (Ctrl) {
    CaretDrawItemNo = 0;
    BuildCaretPositions(GetOffsBeforeDrawItem(0) - 2);
  } else {
    CaretOffs = 0;
  }
  ChangeCaret(true, false, false);
  return Ctrl;
}

bool TUVEditUVData::MoveCaretEnd(bool Ctrl) {
  if (CaretDrawItemNo < 0) return Ctrl;
  if (Ctrl) {
    CaretDrawItemNo = DrawItems->GetCount() - 1;
    BuildCaretPositions(GetOffsAfterDrawItem(CaretDrawItemNo) - 2);
  } else {
    CaretOffs = CharPositions->GetCount() - 1;
  }
  ChangeCaret(true, false, false);
  return Ctrl;
}

void TUVEditUVData::MoveCaretPageUp() {
  if (CaretDrawItemNo < 0) return;
  Integer x = CharPositions->Get(CaretOffs)->X;
  Integer height = GetHeight();
  Integer y = GetVOffs() - 2 * height / 3;
  while (y > 0) {
    Integer d, o;
    FindDrawItemAtPos(x, y, false, d, o);
    if (d >= 0 && d < CaretDrawItemNo) {
      CaretDrawItemNo = d;
      BuildCaretPositions(o - 2);
      ChangeCaret(true, false, false);
      return;
    }
    y -= std::max(height / 2, 1);
  }
  MoveCaretHome(true);
}

void TUVEditUVData::MoveCaretPageDown() {
  if (CaretDrawItemNo < 0) return;
  Integer x = CharPositions->Get(CaretOffs)->X;
  Integer height = GetHeight();
  Integer y = GetVOffs() + 2 * height / 3;
  while (y < DocumentHeight) {
    Integer d, o;
    FindDrawItemAtPos(x, y, false, d, o);
    if (d > CaretDrawItemNo) {
      ScrollTo(DrawItems->Get(d)->Top, true);
      CaretDrawItemNo = d;
      BuildCaretPositions(o - 2);
      ChangeCaret(true, false, false);
      return;
    }
    y += std::max(height / 2, 1);
  }
  MoveCaretEnd(true);
}

// ---------------------------------------------------------------------------------------------
// Selection and formatting

void TUVEditUVData::AnchorSelectionAtCaret() {
  if (SelectionExists() || CaretDrawItemNo < 0) return;
  TUVCharPos* pos = CharPositions->Get(CaretOffs);
  FSelStartNo = FSelEndNo = pos->DrawItemNo;
  FSelStartOffs = FSelEndOffs = pos->Offset;
}

void TUVEditUVData::ExtendSelectionToCaret() {
  if (CaretDrawItemNo < 0) return;
  TUVCharPos* pos = CharPositions->Get(CaretOffs);
  if (FSelStartNo < 0) {
    FSelStartNo = pos->DrawItemNo;
    FSelStartOffs = pos->Offset;
  }
  FSelEndNo = pos->DrawItemNo;
  FSelEndOffs = pos->Offset;
  Invalidate();
}

void TUVEditUVData::SelectionChanged() {
  VUzurUvadUVData::SelectionChanged();
  // The caret follows the end of a selection the mouse or a program made.
  if ((State & (uvstFormatting | uvstPartialFormatting)) || FSelEndNo < 0 || FSelEndNo >= DrawItems->GetCount())
    return;
  Integer d = FSelEndNo;
  Integer o = FSelEndOffs;
  if (MarkerBeginsLine(d)) {
    ++d;
    o = GetOffsBeforeDrawItem(d);
  }
  CaretDrawItemNo = d;
  BuildCaretPositions(o - 2);
  ChangeCaret(true, false, false);
}

void TUVEditUVData::GetSearchStart(bool Down, Integer& ItemNo, Integer& Offs) {
  ItemNo = GetCurItemNo();
  Offs = GetOffsetInCurItem();
  if (ItemNo < 0) return;
  if (Down && Offs >= GetOffsAfterItem(ItemNo) && ItemNo + 1 < GetItemCount()) {
    ++ItemNo;
    Offs = GetOffsBeforeItem(ItemNo);
  } else if (!Down && Offs <= GetOffsBeforeItem(ItemNo) && ItemNo > 0) {
    --ItemNo;
    Offs = GetOffsAfterItem(ItemNo);
  }
}

void TUVEditUVData::Format(bool KeepPosition, bool Force, bool NoScroll, Integer Depth, TCanvas* Canvas,
                           bool OnlyTail, bool NoCaching) {
  PrepareForEdit();
  bool whole = Depth == 0 && !(State & uvstFormatting) && !SizeChangeGuard && GetItemCount() > 0;
  if (whole && KeepPosition) {
    RememberedCaretItemNo = -1;
    RememberedCaretOffs = -1;
    if (CaretPlaced()) {
      RememberedCaretItemNo = GetCurItemNo();
      RememberedCaretOffs = GetOffsetInCurItem();
    }
  }
  VUzurUvadUVData::Format(KeepPosition, Force, NoScroll, Depth, Canvas, OnlyTail, NoCaching);
  if (!whole) return;
  if (KeepPosition && RememberedCaretItemNo >= 0 && RememberedCaretItemNo < GetItemCount()) {
    SetCaretAtItem(RememberedCaretItemNo, RememberedCaretOffs);
  } else if (DrawItems->GetCount() > 0) {
    CaretDrawItemNo = 0;
    BuildCaretPositions(GetOffsBeforeDrawItem(0) - 2);
  } else {
    CaretDrawItemNo = -1;
    CaretOffs = -1;
  }
  bool scroll = FormattedSinceClear;
  FormattedSinceClear = true;
  if (CaretDrawItemNo >= 0) ChangeCaret(scroll, false, false);
}

void TUVEditUVData::ClearFormattingData() {
  CaretDrawItemNo = -1;
  CaretOffs = -1;
  CharPositions->Clear();
  VUzurUvadUVData::ClearFormattingData();
}
