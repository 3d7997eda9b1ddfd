// Formatting: the items of a document cut into draw lines for a width, with indents, paragraph
// spacing, line spacing, alignment, justification and hyperlink areas.
#include "richtext/core/CUVFData.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "classlib/SysUtils.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

bool TCustomUVFormattedData::UseExtentArrayMeasuring = false;

// The running layout state shared by the per-item routines.
struct TCustomUVFormattedData::TFormatState {
  TCanvas* Canvas = nullptr;
  TUVStyle* Style = nullptr;
  TUVScreenAndDevice Sad;
  Integer LM = 0;  // margins scaled to the device
  Integer RM = 0;
  TUVFlags Flags = 0;
  bool Printing = false;
  bool NoCaching = false;
  // The items belong to another document (a printable copy): their draw line numbers stay its.
  bool SharedItems = false;
  Integer Insert = 0;  // where the next draw line goes
  Integer X = 0;       // x within the current line
  Integer BaseLine = 0;
  Integer Ascent = 0;
  Integer Descent = 0;
  Integer PendingExtra = 0;    // extra spacing below the line finished last
  bool NoLine = true;          // no line open yet
  bool LineStartPending = false;  // a line was started but holds no piece yet
  bool NewParaPending = true;
  Integer LineFirst = 0;  // the first draw line of the current line
  Integer LineLeft = 0;
  Integer LineWidth = 0;
  Integer FirstParaItemNo = 0;
  Integer CurStyle = -1;
  TEXTMETRICA TM{};
  Integer VShift = 0;
  // The layout resumes inside an item after a space that the wrap there dropped.
  bool WrapSpaceDropped = false;
  // Asked before each line's first text piece is placed (its item, offset and the line's top):
  // true stops the layout there, before the piece (the lines from there on are known).
  std::function<bool(Integer ItemNo, Integer Offs, Integer LineTop)> LineStartHook;
  bool Stopped = false;
};

namespace {

// Byte offset of the 1-based character Offs.
std::size_t ByteOffset(Integer Offs, bool Unicode) {
  return static_cast<std::size_t>(Offs - 1) * (Unicode ? 2 : 1);
}

SIZE PieceExtent(TCanvas* Canvas, const char* Text, Integer Count, bool Unicode) {
  SIZE sz{};
  HDC dc = Canvas->GetHandle();
  if (Unicode)
    ::GetTextExtentPoint32W(dc, reinterpret_cast<const WideChar*>(Text), Count, &sz);
  else
    ::GetTextExtentPoint32A(dc, Text, Count, &sz);
  return sz;
}

bool IsSpaceChar(const char* Text, Integer Index, bool Unicode) {
  if (Unicode) return reinterpret_cast<const WideChar*>(Text)[Index] == L' ';
  return Text[Index] == ' ';
}

// Moves a character count forward to the next character boundary of UTF-16 text.
Integer ToCharBoundary(const char* Text, Integer Index, Integer Count) {
  if (!UVIsNTPlatform || Index <= 0 || Index >= Count) return Index;
  const WideChar* base = reinterpret_cast<const WideChar*>(Text);
  while (Index < Count &&
         (::CharPrevW(base, base + Index + 1) != base + Index || UVUniSplitsPair(base, Count, Index)))
    ++Index;
  return Index;
}

class FormattingGuard {
public:
  FormattingGuard(Cardinal& State, Cardinal Bits) : state_(State), bits_(Bits) { state_ |= bits_; }
  ~FormattingGuard() { state_ &= ~bits_; }

private:
  Cardinal& state_;
  Cardinal bits_;
};

}  // namespace

TCustomUVFormattedData::TCustomUVFormattedData() : DrawItems(new TUVDrawLines()), Jumps(new TUVList()) {}

TCustomUVFormattedData::~TCustomUVFormattedData() {
  TCustomUVFormattedData::Clear();
  delete DrawItems;
  delete Jumps;
}

TCanvas* TCustomUVFormattedData::GetCanvas() {
  TCustomUVData* root = GetRootData();
  if (root && root != this) {
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(root)) return formatted->GetCanvas();
  }
  return nullptr;
}

void TCustomUVFormattedData::GetScreenAndDevice(TUVScreenAndDevice& Sad, TCanvas* Canvas) {
  UVGetResolution(Canvas, Sad);
}

void TCustomUVFormattedData::GetOrigin(Integer& X, Integer& Y) {
  X = 0;
  Y = 0;
}

TCPEventKind TCustomUVFormattedData::GetCPEventKind() {
  TCustomUVData* root = GetRootData();
  if (root && root != this)
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(root)) return formatted->GetCPEventKind();
  return cpeNone;
}

void TCustomUVFormattedData::Formatted(Integer, Integer, bool) {}

void TCustomUVFormattedData::ClearFormattingData() {
  MeasuredLastItem = -1;
  DrawItems->Clear();
  ClearJumps();
  JumpCount = 0;
  FSelStartNo = FSelEndNo = -1;
  FSelStartOffs = FSelEndOffs = 0;
  CaptureMouseDrawItemNo = -1;
  ActiveItem = nullptr;
  SoftPageBreaks.clear();
}

void TCustomUVFormattedData::Clear() {
  ClearFormattingData();
  PartialSelectedItem = nullptr;
  CaptureMouseItem = nullptr;
  ChosenItem = nullptr;
  ChosenUVData = nullptr;
  FocusedItemNo = -1;
  LastVisibleCP = nullptr;
  LastVisibleCPReported = false;
  TCustomUVData::Clear();
  LastFormattedItem = -1;
}

void TCustomUVFormattedData::DeleteItems(Integer First, Integer Count) {
  Deselect(nullptr, false);
  TCustomUVData::DeleteItems(First, Count);
}

void TCustomUVFormattedData::FreeItemObject(TCustomUVItemInfo* Item, bool Clearing) {
  ForgetItem(Item);
  TCustomUVData::FreeItemObject(Item, Clearing);
}

void TCustomUVFormattedData::ForgetItem(TCustomUVItemInfo* Item) {
  ReleaseMouseCapture(Item);
  if (PartialSelectedItem == Item) PartialSelectedItem = nullptr;
  if (ActiveItem == Item) ActiveItem = nullptr;
  if (ChosenItem == Item) {
    ChosenItem = nullptr;
    ChosenUVData = nullptr;
  }
  if (LastVisibleCP && LastVisibleCP == Item->Checkpoint) LastVisibleCP = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Format

void TCustomUVFormattedData::Format(bool KeepPosition, bool Force, bool NoScroll, Integer Depth, TCanvas* Canvas,
                                    bool OnlyTail, bool NoCaching) {
  if (SizeChangeGuard) {
    SizeChangeGuard = false;
    return;
  }
  TUVStyle* style = GetUVStyle();
  // A partial reformat that shows or hides a scroll bar lays the document out again itself
  // once its draw lines are whole: the size messages that arrive meanwhile find them half made.
  if (Depth > 1 || !style || (State & (uvstFormatting | uvstPartialFormatting))) return;
  TCanvas* canvas = Canvas ? Canvas : GetFormattingCanvas();
  if (!canvas) return;
  Cardinal guardBits = uvstFormatting;
  if (Depth == 0 && KeepPosition) guardBits |= uvstKeepPosition;
  FormattingGuard guard(State, guardBits);

  // Keep what the user sees and has selected across the new layout.
  Integer selStartItem = -1, selStartOffs = 0, selEndItem = -1, selEndOffs = 0;
  Integer topItemNo = -1, topDistance = 0, savedVOffs = 0;
  if (KeepPosition && Depth == 0) {
    GetSelectionItemBounds(false, selStartItem, selStartOffs, selEndItem, selEndOffs);
    if (!NoScroll && DrawItems->GetCount() > 0) {
      Integer d = std::min(FindDrawItemByY(GetVOffs(), uvfdyAtOrBelow), DrawItems->GetCount() - 1);
      topItemNo = DrawItems->Get(d)->ItemNo;
      topDistance = GetVOffs() - DrawItems->Get(d)->Top;
    }
  }
  if (OnlyTail) savedVOffs = GetVOffs();

  TFormatState st;
  InitFormatState(st, canvas, NoCaching);

  bool sameResolution = st.Sad.ScreenPpiX == st.Sad.DevicePpiX && st.Sad.ScreenPpiY == st.Sad.DevicePpiY;
  Integer clientWidth = GetWidth();
  const Integer floor = clientWidth - (st.LM + st.RM);
  const TUVScreenAndDevice* measuredSad = sameResolution ? nullptr : &st.Sad;
  // Measuring every item again would make each format of a growing document's tail cost as much
  // as formatting the whole: the items formatted before keep their measure.
  Integer newDocWidth;
  if (OnlyTail && LastFormattedItem >= 0 && MeasuredLastItem == LastFormattedItem && MeasuredFloor == floor &&
      MeasuredCanvas == canvas && LastFormattedItem < GetItemCount()) {
    newDocWidth = LastFormattedItem + 1 < GetItemCount()
                      ? CalculateMinItemsWidth(LastFormattedItem + 1, GetItemCount() - 1, measuredSad, canvas,
                                               MeasuredMinWidth)
                      : MeasuredMinWidth;
  } else {
    newDocWidth = CalculateMinDocWidth(measuredSad, canvas, floor);
  }
  const Integer measuredWidth = newDocWidth;
  Integer minTextWidth = st.Sad.XToDevice(GetMinTextWidth());
  Integer maxTextWidth = st.Sad.XToDevice(GetMaxTextWidth());
  if (newDocWidth < minTextWidth) newDocWidth = minTextWidth;
  Integer newTextWidth;
  if (GetOptions().Contains(uvoClientTextWidth)) {
    newTextWidth = std::max(clientWidth - (st.LM + st.RM), minTextWidth);
  } else if (GetMaxTextWidth() > 0 && maxTextWidth - (st.LM + st.RM) < newDocWidth) {
    newTextWidth = maxTextWidth - (st.LM + st.RM);
  } else {
    newTextWidth = newDocWidth;
  }
  // Lines formatted before at another width would not be those of the whole document: the tail
  // alone is laid out only while the widths stay.
  if (OnlyTail && (newTextWidth != TextWidth || newDocWidth != DocumentWidth)) OnlyTail = false;
  bool needed = !KeepPosition || newTextWidth != TextWidth || newDocWidth != DocumentWidth || Force;
  DocumentWidth = newDocWidth;
  TextWidth = newTextWidth;

  if (needed) {
    Integer first = 0;
    if (OnlyTail) {
      first = LastFormattedItem + 1;
      st.BaseLine = DocumentHeight - GetBottomMargin();
      if (LastFormattedItem != -1 && LastFormattedItem < GetItemCount())
        st.BaseLine -= st.Sad.YToDevice(style->GetParaStyles()->GetItem(GetItemPara(LastFormattedItem))->SpaceAfter);
    } else {
      ClearFormattingData();
      st.BaseLine = GetTopMargin();
    }
    st.Insert = DrawItems->GetCount();
    FormatItems(st, first, GetItemCount() - 1);
    FinishLine(st, true);
    DocumentHeight = GetBottomMargin() + st.BaseLine + st.Descent + st.PendingExtra;
    if (GetItemCount() > 0)
      DocumentHeight += st.Sad.YToDevice(style->GetParaStyles()->GetItem(GetItemPara(GetItemCount() - 1))->SpaceAfter);
    AdjustVScrollUnits();
    PlaceJumps();
  }
  MeasuredMinWidth = measuredWidth;
  MeasuredFloor = floor;
  MeasuredCanvas = canvas;
  MeasuredLastItem = GetItemCount() - 1;

  LastClientWidth = GetWidth();
  LastClientHeight = GetHeight();
  SizeChangeGuard = true;
  SetDocumentAreaSize(GetLeftMargin() + DocumentWidth + GetRightMargin(), DocumentHeight, true);
  SizeChangeGuard = false;
  if (GetWidth() != LastClientWidth || GetHeight() != LastClientHeight) {
    // A scroll bar came or went: one more pass for the new client size.
    State &= ~static_cast<Cardinal>(uvstFormatting);
    Format(KeepPosition, Force, false, Depth + 1, Canvas, false, NoCaching);
    State |= uvstFormatting;
  }

  if (Depth == 0) {
    if (KeepPosition && !NoScroll) {
      Integer d = topItemNo >= 0 && topItemNo < GetItemCount() ? FindFirstDrawItemOfItem(topItemNo) : -1;
      ScrollTo(d >= 0 ? DrawItems->Get(d)->Top + topDistance : 0, true);
    }
    AdjustChildrenCoords();
    if (OnlyTail) ScrollTo(GetOptions().Contains(uvoScrollToEnd) ? DocumentHeight : savedVOffs, true);
    if (KeepPosition && selStartItem >= 0 && selStartItem < GetItemCount() && selEndItem < GetItemCount())
      SetSelBoundsFromItems(selStartItem, selStartOffs, selEndItem, selEndOffs);
    LastFormattedItem = GetItemCount() - 1;
    Formatted(0, GetItemCount() - 1, false);
  }
}

void TCustomUVFormattedData::InitFormatState(TFormatState& St, TCanvas* Canvas, bool NoCaching) {
  St.Canvas = Canvas;
  St.Style = GetUVStyle();
  GetScreenAndDevice(St.Sad, Canvas);
  St.LM = St.Sad.XToDevice(GetLeftMargin());
  St.RM = St.Sad.XToDevice(GetRightMargin());
  St.Sad.LeftMargin = St.LM;
  St.Sad.RightMargin = St.RM;
  St.Flags = GetFlags();
  St.Printing = (St.Flags & uvflPrinting) != 0;
  St.NoCaching = NoCaching;
  St.SharedItems = ShareItems();
}

void TCustomUVFormattedData::PlaceJumps() {
  for (Integer i = 0; i < Jumps->GetCount(); ++i) {
    auto* jump = static_cast<TUVJumpInfo*>(Jumps->Get(i));
    TCustomUVFormattedData* owner = jump->UVData ? jump->UVData : this;
    if (jump->DrawItemNo < 0 || jump->DrawItemNo >= owner->DrawItems->GetCount()) continue;
    TUVDrawLineInfo* dli = owner->DrawItems->Get(jump->DrawItemNo);
    // A document's own hyperlinks in its own coordinates (it hit-tests them so); those of a
    // nested document at that document's place in this one.
    Integer ox = 0, oy = 0;
    if (owner != this) owner->GetOrigin(ox, oy);
    jump->Left = dli->Left + ox;
    jump->Top = dli->Top + oy;
    jump->Width = dli->Width;
    jump->Height = dli->Height;
  }
}

// ---------------------------------------------------------------------------------------------
// The per-item routines

void TCustomUVFormattedData::AddDrawItem(TFormatState& St, TUVDrawLineInfo* DrawItem) {
  if (DrawItems->DeleteCount > 0 && St.Insert == DrawItems->DeleteFirst)
    DrawItems->Insert(St.Insert, DrawItem);
  else if (St.Insert == DrawItems->GetCount())
    DrawItems->Add(DrawItem);
  else
    DrawItems->TList::Insert(St.Insert, DrawItem);
  ++St.Insert;
}

void TCustomUVFormattedData::FormatItems(TFormatState& St, Integer First, Integer Last) {
  for (Integer i = First; i <= Last && !St.Stopped; ++i) FormatItem(St, i);
}

void TCustomUVFormattedData::FormatItem(TFormatState& St, Integer ItemNo) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  if (item->StartsPara()) St.FirstParaItemNo = ItemNo;
  if (item->StyleNo < 0) {
    if (item->QueryFlag(uvbpFullWidth))
      FormatFullLineItem(St, ItemNo);
    else
      FormatRectItem(St, ItemNo);
    return;
  }
  AnsiString text = UVUniApplyAllCaps(Items->GetStrings(ItemNo), St.Style->GetTextStyles()->GetItem(item->StyleNo),
                                      item->ItemOptions);
  FormatItemText(St, ItemNo, text, 1);
}

void TCustomUVFormattedData::FormatItemText(TFormatState& St, Integer ItemNo, const AnsiString& Text, Integer Offs) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  if (St.Style->GetParaStyles()->GetItem(item->ParaNo)->Alignment == uvaJustify)
    FormatWords(St, ItemNo, Text, Offs);
  else
    FormatLine(St, ItemNo, Text, Offs, UVUniLength(Text, item->ItemOptions) - Offs + 1, Offs == 1);
}

void TCustomUVFormattedData::FormatWords(TFormatState& St, Integer ItemNo, const AnsiString& Text, Integer Offs) {
  Byte options = GetItemOptions(ItemNo);
  bool unicode = (options & uvioUnicode) != 0;
  Integer count = UVUniLength(Text, options);
  if (count == 0) {
    FormatLine(St, ItemNo, Text, 1, 0, true);
    return;
  }
  // Each word is an optional leading space and the characters up to the next space, so that
  // justification can widen the gaps between the pieces.
  Integer i = Offs - 1;
  while (i < count && !St.Stopped) {
    Integer start = i;
    if (IsSpaceChar(Text.data(), i, unicode)) ++i;
    while (i < count && !IsSpaceChar(Text.data(), i, unicode)) ++i;
    FormatLine(St, ItemNo, Text, start + 1, i - start, start == 0);
  }
}

void TCustomUVFormattedData::ApplyTextStyle(TFormatState& St, Integer StyleNo, Integer ItemNo) {
  if (StyleNo == St.CurStyle) return;
  St.CurStyle = StyleNo;
  St.Style->ApplyTextStyle(St.Canvas, StyleNo, GetParaBiDiMode(GetItemPara(ItemNo)));
  TFontInfo* font = St.Style->GetTextStyles()->GetItem(StyleNo);
  HDC dc = St.Canvas->GetHandle();
  if (font->CharSpacing != 0 && St.Sad.ScreenPpiX != St.Sad.DevicePpiX)
    ::SetTextCharacterExtra(dc, St.Sad.XToDevice(font->CharSpacing));
  ::GetTextMetricsA(dc, &St.TM);
  St.VShift = MulDiv(St.TM.tmHeight, font->VShift, 100);
}

void TCustomUVFormattedData::RaiseLineAscent(TFormatState& St, Integer Difference) {
  for (Integer i = St.LineFirst; i < St.Insert; ++i) DrawItems->Get(i)->Top += Difference;
  St.BaseLine += Difference;
  St.Ascent += Difference;
}

Integer TCustomUVFormattedData::GetFitCount(TFormatState& St, Integer ItemNo, const char* Text, Integer Count,
                                            Integer Width) {
  bool unicode = (GetItemOptions(ItemNo) & uvioUnicode) != 0;
  bool noWrap = St.Style->GetParaStyles()->GetItem(GetItemPara(ItemNo))->Options.Contains(uvpaoNoWrap);
  if (noWrap) return Count;
  if (UseExtentArrayMeasuring || (!UVIsNTPlatform && St.Printing)) {
    Integer fit = 0;
    UVUniGetFitExtents(St.Canvas, Text, Count, Width, GetItemOptions(ItemNo), nullptr, fit);
    return unicode ? ToCharBoundary(Text, fit, Count) : fit;
  }
  // Only a prefix that can hold the line is measured, in one measurement that tells how many of
  // its characters fit, growing until not all of it fits, so that a long paragraph costs about
  // one line's measuring per line rather than all of its text.
  const Byte options = GetItemOptions(ItemNo);
  Integer aveWidth = std::max<Integer>(1, St.TM.tmAveCharWidth);
  Integer probe = std::min<Integer>(Count, Width / aveWidth + 16);
  Integer fit = 0;
  for (;;) {
    UVUniGetFitExtents(St.Canvas, Text, probe, Width, options, nullptr, fit);
    if (probe >= Count || fit < probe) break;
    probe = probe > Count / 2 ? Count : std::max<Integer>(probe * 2, 1);
  }
  Integer lo = std::clamp<Integer>(fit, 0, std::max<Integer>(probe, 0));
  if (unicode) {
    Integer moved = ToCharBoundary(Text, lo, Count);
    if (moved != lo) {
      lo = moved;
      if (lo > 0 && PieceExtent(St.Canvas, Text, lo, unicode).cx > Width) {
        const WideChar* base = reinterpret_cast<const WideChar*>(Text);
        lo = static_cast<Integer>(::CharPrevW(base, base + lo) - base);
      }
    }
  }
  return lo;
}

void TCustomUVFormattedData::StartNewLine(TFormatState& St, Integer ItemNo, bool ParaStart) {
  FinishLine(St, ParaStart);
  TCustomUVItemInfo* item = GetItem(ItemNo);
  TParaInfo* para = St.Style->GetParaStyles()->GetItem(item->ParaNo);
  bool rightToLeft = GetParaBiDiMode(item->ParaNo) == uvbdRightToLeft;
  // A list paragraph takes its indents from the list level.
  TUVListLevel* level = nullptr;
  Integer levelIndent = 0;
  if (ParaStart && item->StyleNo == uvsListMarker) {
    level = static_cast<TUVMarkerItemInfo*>(item)->GetLevelInfo(St.Style);
    if (level) levelIndent = level->MarkerIndent;
  }
  if (!level && St.FirstParaItemNo < GetItemCount() && GetItemStyle(St.FirstParaItemNo) == uvsListMarker) {
    level = static_cast<TUVMarkerItemInfo*>(GetItem(St.FirstParaItemNo))->GetLevelInfo(St.Style);
    if (level) levelIndent = level->LeftIndent;
  }
  Integer left, right;
  if (level) {
    left = levelIndent;
    right = para->RightIndent;
    if (rightToLeft) {
      right = levelIndent;
      left = para->LeftIndent;
    }
  } else {
    left = para->LeftIndent;
    if (ParaStart && !item->GetBreaksLine() && !item->QueryFlag(uvbpFullWidth)) left += para->FirstIndent;
    right = para->RightIndent;
  }
  if (ParaStart && item->StartsPara()) {
    if (ItemNo > 0) St.BaseLine += St.Sad.YToDevice(St.Style->GetParaStyles()->GetItem(GetItemPara(ItemNo - 1))->SpaceAfter);
    St.BaseLine += St.Sad.YToDevice(para->SpaceBefore);
  }
  St.LineWidth =
      (para->Options.Contains(uvpaoNoWrap) ? DocumentWidth : TextWidth) - St.Sad.XToDevice(left + right);
  St.LineLeft = St.Sad.XToDevice(left) + St.LM;
  St.X = 0;
  St.NewParaPending = false;
  St.LineStartPending = true;
  St.NoLine = false;
  St.LineFirst = St.Insert;
}

void TCustomUVFormattedData::FinishLine(TFormatState& St, bool LastInPara) {
  St.PendingExtra = 0;
  if (St.NoLine) return;
  if (St.LineFirst >= St.Insert) return;
  Integer first = St.LineFirst;
  Integer last = St.Insert - 1;
  TCustomUVItemInfo* lastItem = GetItem(DrawItems->Get(last)->ItemNo);
  if (lastItem->QueryFlag(uvbpFullWidth)) return;
  TParaInfo* para = St.Style->GetParaStyles()->GetItem(lastItem->ParaNo);
  Integer extra = 0;
  if (para->LineSpacingType == uvlsPercent && para->LineSpacing > 100) {
    Integer top = 0, bottom = 0;
    bool any = false;
    for (Integer i = first; i <= last; ++i) {
      TUVDrawLineInfo* dli = DrawItems->Get(i);
      if (GetItemStyle(dli->ItemNo) < 0) continue;
      if (!any || dli->Top < top) top = dli->Top;
      if (!any || dli->Top + dli->Height > bottom) bottom = dli->Top + dli->Height;
      any = true;
    }
    if (any) extra = (bottom - top) * (para->LineSpacing - 100) / 100;
  } else if (para->LineSpacingType == uvlsSpaceBetween && para->LineSpacing >= 0) {
    extra = St.Sad.YToDevice(para->LineSpacing);
  }
  for (Integer i = first; i <= last; ++i) DrawItems->Get(i)->ExtraSpaceBelow = extra;
  St.PendingExtra = extra;

  Integer right = St.LineLeft + St.LineWidth;
  TUVDrawLineInfo* lastPiece = DrawItems->Get(last);
  Integer shift = 0;
  if (!(para->Alignment == uvaLeft || (para->Alignment == uvaJustify && LastInPara))) {
    shift = right - (lastPiece->Left + lastPiece->Width);
    if (para->Alignment == uvaCenter) shift = std::max(shift / 2, 0);
  }
  if (para->Alignment == uvaJustify && !LastInPara && last > first) {
    auto startsWithSpace = [this](TUVDrawLineInfo* dli) {
      if (dli->Length <= 0 || GetItemStyle(dli->ItemNo) < 0) return false;
      return UVUniIsSpaceAt(Items->GetStrings(dli->ItemNo), dli->Offs, GetItemOptions(dli->ItemNo));
    };
    Integer spaces = 0;
    for (Integer i = first + 1; i <= last; ++i)
      if (startsWithSpace(DrawItems->Get(i))) ++spaces;
    for (Integer i = first + 1; i <= last; ++i) {
      TUVDrawLineInfo* dli = DrawItems->Get(i);
      if (spaces > 0 && startsWithSpace(dli)) {
        Integer add = shift / spaces;
        dli->JustifySpace = add;
        dli->Width += add;
        shift -= add;
        --spaces;
      }
      TUVDrawLineInfo* prev = DrawItems->Get(i - 1);
      dli->Left = prev->Left + prev->Width;
    }
  } else if (shift != 0) {
    for (Integer i = first; i <= last; ++i) DrawItems->Get(i)->Left += shift;
  }
  if (GetParaBiDiMode(lastItem->ParaNo) == uvbdRightToLeft) {
    TUVDrawLineInfo* firstPiece = DrawItems->Get(first);
    TCustomUVItemInfo* firstItem = GetItem(firstPiece->ItemNo);
    if (firstPiece->Offs <= 1 && firstItem->StartsPara()) {
      Integer move = firstItem->StyleNo == uvsListMarker
                         ? St.Sad.XToDevice(std::abs(static_cast<TUVMarkerItemInfo*>(firstItem)->MarkerOffset))
                         : St.Sad.XToDevice(para->FirstIndent);
      for (Integer i = first; i <= last; ++i) DrawItems->Get(i)->Left -= move;
    }
    // The pieces laid again in reverse order, each keeping the gap before it.
    std::vector<Integer> gaps(static_cast<std::size_t>(last - first + 1), 0);
    for (Integer i = first + 1; i <= last; ++i) {
      TUVDrawLineInfo* prev = DrawItems->Get(i - 1);
      gaps[static_cast<std::size_t>(i - first)] = DrawItems->Get(i)->Left - (prev->Left + prev->Width);
    }
    Integer x = DrawItems->Get(first)->Left;
    for (Integer i = last; i >= first; --i) {
      TUVDrawLineInfo* dli = DrawItems->Get(i);
      if (i != last) x += gaps[static_cast<std::size_t>(i + 1 - first)];
      dli->Left = x;
      x += dli->Width;
    }
  }
}

void TCustomUVFormattedData::FormatLine(TFormatState& St, Integer ItemNo, const AnsiString& Text, Integer Offs,
                                        Integer Count, bool FirstPieceOfItem) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  Byte options = item->ItemOptions;
  bool unicode = (options & uvioUnicode) != 0;
  ApplyTextStyle(St, item->StyleNo, ItemNo);
  if (FirstPieceOfItem && item->StartsPara()) St.NewParaPending = true;
  bool continues = item->GetContinuesPara();
  bool afterMarker = ItemNo > 0 && GetItemStyle(ItemNo - 1) == uvsListMarker;
  TFontInfo* font = St.Style->GetTextStyles()->GetItem(item->StyleNo);
  bool jump = (St.Flags & uvflBuildJumps) && font->Jump;
  Integer textAscent =
      St.TM.tmAscent + ((St.Flags & uvflExternalLeading) ? St.TM.tmExternalLeading : 0) + St.VShift;
  Integer fontDescent = St.TM.tmDescent - St.VShift;

  bool placedAny = false;
  auto place = [&](Integer pos, Integer length, Integer width, Integer height) {
    if (St.LineStartPending && St.LineStartHook &&
        St.LineStartHook(ItemNo, pos, St.BaseLine + St.PendingExtra + St.Descent)) {
      St.Stopped = true;
      return;
    }
    auto* dli = new TUVDrawLineInfo();
    dli->ItemNo = ItemNo;
    dli->Offs = pos;
    dli->Length = length;
    dli->Width = width;
    dli->Height = height;
    if (St.LineStartPending) {
      dli->FromNewLine = true;
      St.X = 0;
      St.BaseLine += St.PendingExtra;
      St.PendingExtra = 0;
      dli->Top = St.BaseLine + St.Descent;
      St.Ascent = textAscent;
      St.BaseLine = dli->Top + St.Ascent;
      St.Descent = fontDescent;
      St.LineStartPending = false;
    } else {
      if (textAscent > St.Ascent) RaiseLineAscent(St, textAscent - St.Ascent);
      dli->Top = St.BaseLine - textAscent;
      St.Descent = std::max(St.Descent, fontDescent);
    }
    dli->Left = St.LineLeft + St.X;
    St.X += width;
    Integer index = St.Insert;
    AddDrawItem(St, dli);
    if (FirstPieceOfItem && !placedAny && !St.SharedItems) item->DrawItemNo = index;
    placedAny = true;
    if (jump) {
      auto* info = new TUVJumpInfo();
      info->Left = dli->Left;
      info->Top = dli->Top;
      info->Width = width;
      info->Height = height;
      info->Id = Offs > 1 ? JumpCount - 1 : JumpCount;
      info->UVData = this;
      info->DrawItemNo = index;
      info->Cursor = font->JumpCursor;
      Jumps->Add(info);
    }
  };

  if (Count == 0) {
    Integer height = St.Canvas->TextHeight(" ");
    if (St.NoLine || !continues) StartNewLine(St, ItemNo, St.NewParaPending);
    place(Offs, 0, 0, height);
    if (St.Stopped) return;
    if (jump) {
      // An empty hyperlink has no area.
      delete static_cast<TUVJumpInfo*>(Jumps->Get(Jumps->GetCount() - 1));
      Jumps->DeleteWithoutFree(Jumps->GetCount() - 1);
      item->HyperlinkId = -3;
    }
    return;
  }

  const char* base = Text.data();
  Integer pos = Offs;
  Integer remaining = Count;
  bool newLineDue = (FirstPieceOfItem && !continues) || St.NoLine;
  bool firstPass = true;
  bool droppedSpace = St.WrapSpaceDropped;
  St.WrapSpaceDropped = false;
  bool dropWrapSpace = (St.Flags & uvflDropWrapSpace) != 0;
  while (remaining > 0) {
    if (newLineDue) {
      bool paraPending = St.NewParaPending;
      StartNewLine(St, ItemNo, paraPending);
      newLineDue = false;
      if (dropWrapSpace && !droppedSpace && !paraPending && remaining > 1 &&
          IsSpaceChar(base + ByteOffset(pos, unicode), 0, unicode)) {
        ++pos;
        --remaining;
        droppedSpace = true;
      }
    }
    bool atLineStart = St.LineStartPending;
    bool mayCut = atLineStart || (FirstPieceOfItem && firstPass && afterMarker);
    const char* piece = base + ByteOffset(pos, unicode);
    Integer available = std::max(0, St.LineWidth - St.X);
    Integer n = GetFitCount(St, ItemNo, piece, remaining, available);
    Integer length = 0;
    Integer skip = 0;
    if (n == 0) {
      if (!mayCut) {
        St.X = 0;
        St.NewParaPending = false;
        newLineDue = true;
        firstPass = false;
        continue;
      }
      length = unicode ? std::max(1, ToCharBoundary(piece, 1, remaining)) : 1;
    } else if (n < remaining) {
      Integer p = -1;
      if (unicode) {
        const WideChar* w = reinterpret_cast<const WideChar*>(piece);
        const WideChar* at = UVUniGetLineBreakPos(w, n);
        if (at) p = static_cast<Integer>(at - w);
      } else {
        for (Integer i = n - 1; i >= 0; --i)
          if (piece[i] == ' ') {
            p = i;
            break;
          }
      }
      // A line that would hold nothing but the dropped space before it is no break: the word is
      // cut instead, so the line keeps its indent and the spacing above it.
      if (p == 0 && atLineStart && dropWrapSpace && IsSpaceChar(piece, 0, unicode)) p = -1;
      if (p >= 0) {
        if (dropWrapSpace && IsSpaceChar(piece, p, unicode)) {
          length = p;
          skip = 1;
        } else {
          length = p + 1;
        }
      } else if (mayCut) {
        length = n;
      } else {
        St.X = 0;
        St.NewParaPending = false;
        newLineDue = true;
        firstPass = false;
        continue;
      }
    } else {
      length = remaining;
    }
    if (length > 0) {
      SIZE sz = PieceExtent(St.Canvas, piece, length, unicode);
      place(pos, length, sz.cx, sz.cy);
      if (St.Stopped) return;
    }
    pos += length + skip;
    remaining -= length + skip;
    droppedSpace = skip > 0;
    if (remaining > 0) newLineDue = true;
    firstPass = false;
  }
  if (jump && FirstPieceOfItem) item->HyperlinkId = JumpCount++;
}

void TCustomUVFormattedData::FormatRectItem(TFormatState& St, Integer ItemNo) {
  auto* item = static_cast<TUVNonTextItemInfo*>(GetItem(ItemNo));
  auto* rect = dynamic_cast<TUVRectItemInfo*>(item);
  if (item->StartsPara()) St.NewParaPending = true;
  TUVDrawLineInfo* dli =
      (St.Flags & uvflOwnDrawRecords) ? item->CreateDrawRecord(St.Printing, this, &St.Sad) : new TUVDrawLineInfo();
  Integer hshift = 0;
  item->OnDocWidthChange(TextWidth, dli, St.Printing, St.Canvas, this, &St.Sad, hshift, St.NoCaching);
  if (item->QueryFlag(uvbpDrawingChangesFont)) St.CurStyle = -1;
  Integer width, height;
  if (item->QueryStyledFlag(uvbspSetsDrawLineSize, St.Style)) {
    width = dli->Width;
    height = dli->Height;
  } else {
    width = St.Sad.XToDevice(item->GetBorderWidth());
    height = St.Sad.YToDevice(item->GetBorderHeight());
  }
  Integer descent = St.Sad.YToDevice(rect ? rect->GetRectMetric() : 1);
  Integer shift = 0;
  if (rect) shift = rect->VShiftAbs ? St.Sad.YToDevice(rect->VShift) : MulDiv(height, rect->VShift, 100);
  Integer above = rect && rect->VAlign == 1 ? height / 2 : height - descent;
  bool noWrap = St.Style->GetParaStyles()->GetItem(item->ParaNo)->Options.Contains(uvpaoNoWrap);
  bool afterMarker = ItemNo > 0 && GetItemStyle(ItemNo - 1) == uvsListMarker;
  bool joins = item->GetContinuesPara() && !dynamic_cast<TUVMultiDrawItemInfo*>(dli) && !St.NoLine &&
               !St.LineStartPending && (St.X + width <= St.LineWidth || noWrap || afterMarker);
  if (joins) {
    if (above + shift > St.Ascent) RaiseLineAscent(St, above + shift - St.Ascent);
    dli->Top = St.BaseLine - above - shift;
    St.Descent = std::max(St.Descent, height - above - shift);
    dli->FromNewLine = false;
  } else {
    if (item->GetContinuesPara()) St.NewParaPending = false;
    StartNewLine(St, ItemNo, St.NewParaPending);
    St.LineStartPending = false;
    dli->FromNewLine = true;
    St.X = 0;
    St.BaseLine += St.PendingExtra;
    St.PendingExtra = 0;
    dli->Top = St.BaseLine + St.Descent;
    St.Ascent = above + shift;
    St.BaseLine = dli->Top + St.Ascent;
    St.Descent = height - St.Ascent;
  }
  dli->ItemNo = ItemNo;
  dli->Offs = 0;
  dli->Length = 0;
  dli->Width = width;
  dli->Height = height;
  dli->Left = St.LineLeft + St.X + hshift;
  St.X += width + hshift;
  Integer index = St.Insert;
  AddDrawItem(St, dli);
  if (!St.SharedItems) item->DrawItemNo = index;
  if (St.Flags & uvflBuildJumps) {
    if (item->QueryStyledFlag(uvbspJump, St.Style)) {
      auto* info = new TUVJumpInfo();
      info->Left = dli->Left;
      info->Top = dli->Top;
      info->Width = width;
      info->Height = height;
      info->Id = JumpCount;
      info->UVData = this;
      info->DrawItemNo = index;
      info->Cursor = St.Style->JumpCursor;
      Jumps->Add(info);
      item->HyperlinkId = JumpCount++;
    }
    item->BuildJumps(dli->Left, dli->Top, JumpCount, Jumps);
  }
}

void TCustomUVFormattedData::FormatFullLineItem(TFormatState& St, Integer ItemNo) {
  auto* item = static_cast<TUVNonTextItemInfo*>(GetItem(ItemNo));
  TParaInfos* paras = St.Style->GetParaStyles();
  FinishLine(St, true);
  St.BaseLine += St.PendingExtra;
  St.PendingExtra = 0;
  if (ItemNo > 0) St.BaseLine += St.Sad.YToDevice(paras->GetItem(GetItemPara(ItemNo - 1))->SpaceAfter);
  St.BaseLine += St.Sad.YToDevice(paras->GetItem(item->ParaNo)->SpaceBefore);
  TUVDrawLineInfo* dli;
  if (item->StyleNo == uvsBreak) {
    St.BaseLine += St.Sad.YToDevice(paras->GetItem(0)->SpaceBefore);
    Integer h = MulDiv(5, St.Sad.DevicePpiY, St.Sad.ScreenPpiY);
    dli = new TUVDrawLineInfo(St.LM, St.BaseLine + St.Descent, TextWidth, 2 * h + 1, ItemNo, true);
    St.BaseLine += St.Descent + h + 1;
    St.Ascent = St.Descent = h;
  } else {
    TParaInfo* para = paras->GetItem(item->ParaNo);
    Integer available = TextWidth - St.Sad.XToDevice(para->LeftIndent + para->RightIndent);
    Integer left = St.Sad.XToDevice(para->LeftIndent) + St.LM;
    dli = (St.Flags & uvflOwnDrawRecords) ? item->CreateDrawRecord(true, this, &St.Sad) : new TUVDrawLineInfo();
    Integer hshift = 0;
    item->OnDocWidthChange(available, dli, St.Printing, St.Canvas, this, &St.Sad, hshift, St.NoCaching);
    if (item->QueryFlag(uvbpDrawingChangesFont)) St.CurStyle = -1;
    Integer width = St.Sad.XToDevice(item->GetBorderWidth());
    Integer height = St.Sad.YToDevice(item->GetBorderHeight());
    // A record drawn in parts was laid out for the device itself.
    if (auto* multi = dynamic_cast<TUVMultiDrawItemInfo*>(dli); multi && St.Printing && multi->Width > 0) {
      width = multi->Width;
      height = multi->Height;
    }
    if (para->Alignment == uvaRight) {
      left += available - width;
    } else if (para->Alignment == uvaCenter) {
      left += (available - width) / 2;
      if (left < 0) left = 0;
    }
    dli->SetData(left + hshift, St.BaseLine + St.Descent, ItemNo, true);
    dli->SetSize(width, height);
    St.BaseLine += St.Descent + height;
    St.Ascent = height;
    St.Descent = 0;
  }
  Integer index = St.Insert;
  AddDrawItem(St, dli);
  if (!St.SharedItems) item->DrawItemNo = index;
  St.LineFirst = index;
  St.NoLine = false;
  St.LineStartPending = false;
  St.NewParaPending = false;
  St.X = 0;
  if (St.Flags & uvflBuildJumps) item->BuildJumps(dli->Left, dli->Top, JumpCount, Jumps);
}

// ---------------------------------------------------------------------------------------------
// Partial reformatting: after an edit only the touched paragraphs are laid out again; the draw
// lines after them keep their layout and move as a whole.

void TCustomUVFormattedData::GetParaBounds(Integer FirstDrawItem, Integer LastDrawItem, Integer& ParaFirst,
                                           Integer& ParaLast) const {
  Integer count = DrawItems->GetCount();
  ParaFirst = FirstDrawItem;
  ParaLast = LastDrawItem;
  if (count == 0) return;
  // Here a line break inside a paragraph belongs to the paragraph before it.
  auto startsPara = [this](Integer d) {
    Integer itemNo = DrawItems->Get(d)->ItemNo;
    return itemNo >= 0 && itemNo < GetItemCount() && GetItem(itemNo)->StartsPara();
  };
  auto backToParaStart = [&](Integer& d) {
    while (d > 0 && !(startsPara(d) && DrawItems->Get(d)->ItemNo != DrawItems->Get(d - 1)->ItemNo)) --d;
  };
  Integer d = std::clamp(FirstDrawItem, 0, count - 1);
  backToParaStart(d);
  if (d > 0) {
    --d;
    backToParaStart(d);
  }
  ParaFirst = d;
  auto overParagraph = [&](Integer& e) {
    Integer itemNo = DrawItems->Get(e)->ItemNo;
    while (e < count && DrawItems->Get(e)->ItemNo == itemNo) ++e;
    while (e < count && DrawItems->Get(e)->ItemNo < GetItemCount() && !startsPara(e)) ++e;
  };
  Integer e = std::clamp(LastDrawItem, 0, count - 1);
  overParagraph(e);
  if (e < count) overParagraph(e);
  ParaLast = e - 1;
}

void TCustomUVFormattedData::FormatParas(Integer FirstDrawItem, Integer LastDrawItem, Integer ItemsInserted) {
  Integer count = DrawItems->GetCount();
  if (count == 0) {
    // Nothing was laid out before: there is nothing to keep.
    Format(false, true, false, 0, nullptr, false, false);
    return;
  }
  FirstDrawItem = std::clamp(FirstDrawItem, 0, count - 1);
  LastDrawItem = std::clamp(LastDrawItem, FirstDrawItem, count - 1);
  Integer itemCount = GetItemCount();
  // Here an item that only breaks the line counts as not continuing its paragraph.
  auto continues = [&](Integer ItemNo) {
    return ItemNo >= 0 && ItemNo < itemCount && GetItem(ItemNo)->GetContinuesPara();
  };
  Integer first = FirstDrawItem;
  while (first > 0) {
    Integer itemNo = DrawItems->Get(first)->ItemNo;
    if (!continues(itemNo) && itemNo != DrawItems->Get(first - 1)->ItemNo) break;
    --first;
  }
  Integer last = count - 1;
  Integer m = DrawItems->Get(LastDrawItem)->ItemNo;
  if (m + ItemsInserted < itemCount - 1) {
    Integer d = LastDrawItem;
    while (d < count && DrawItems->Get(d)->ItemNo == m) ++d;
    if (d < count && DrawItems->Get(d)->ItemNo + ItemsInserted < itemCount - 1) {
      while (d < count && continues(DrawItems->Get(d)->ItemNo + ItemsInserted)) ++d;
      last = d - 1;
    }
  }
  FormatParasExact(first, last, ItemsInserted, false);
}

Integer TCustomUVFormattedData::SpaceBeforeItem(const TFormatState& St, Integer ItemNo) {
  TCustomUVItemInfo* item = GetItem(ItemNo);
  bool fullLine = item->StyleNo < 0 && item->QueryFlag(uvbpFullWidth);
  if (!fullLine && !item->StartsPara()) return 0;
  TParaInfos* paras = St.Style->GetParaStyles();
  Integer space = St.Sad.YToDevice(paras->GetItem(item->ParaNo)->SpaceBefore);
  if (ItemNo > 0) space += St.Sad.YToDevice(paras->GetItem(GetItemPara(ItemNo - 1))->SpaceAfter);
  if (item->StyleNo == uvsBreak) space += St.Sad.YToDevice(paras->GetItem(0)->SpaceBefore);
  return space;
}

Integer TCustomUVFormattedData::LineBottomWithSpacing(TFormatState& St, Integer Last) {
  Integer first = Last;
  while (first > 0 && !DrawItems->Get(first)->FromNewLine) --first;
  Integer bottom = 0;
  Integer extra = 0;
  for (Integer d = first; d <= Last; ++d) {
    TUVDrawLineInfo* dli = DrawItems->Get(d);
    Integer pieceBottom = dli->Top + dli->Height;
    if (dli->ItemNo < GetItemCount() && GetItemStyle(dli->ItemNo) >= 0) {
      // A text piece's cell is the font's height, but its line reaches lower when the line
      // height includes the external leading (the piece's Top lies above the cell by it).
      ApplyTextStyle(St, GetItemStyle(dli->ItemNo), dli->ItemNo);
      pieceBottom = dli->Top + St.TM.tmAscent + St.TM.tmDescent +
                    ((St.Flags & uvflExternalLeading) ? St.TM.tmExternalLeading : 0);
    }
    if (d == first || pieceBottom > bottom) bottom = pieceBottom;
    extra = dli->ExtraSpaceBelow;
  }
  return bottom + extra;
}

void TCustomUVFormattedData::FormatParasExact(Integer FirstDrawItem, Integer LastDrawItem, Integer ItemsInserted,
                                              bool NoCaching) {
  TUVStyle* style = GetUVStyle();
  TCanvas* canvas = GetFormattingCanvas();
  if (!style || !canvas || (State & (uvstFormatting | uvstPartialFormatting))) return;
  Integer count = DrawItems->GetCount();
  Integer itemCount = GetItemCount();
  if (count == 0 || itemCount == 0) {
    Format(false, true, false, 0, nullptr, false, NoCaching);
    return;
  }
  FormattingGuard guard(State, uvstPartialFormatting);
  FirstDrawItem = std::clamp(FirstDrawItem, 0, count - 1);
  LastDrawItem = std::clamp(LastDrawItem, FirstDrawItem, count - 1);
  // The range never cuts the pieces of an item.
  while (FirstDrawItem > 0 && DrawItems->Get(FirstDrawItem - 1)->ItemNo == DrawItems->Get(FirstDrawItem)->ItemNo)
    --FirstDrawItem;
  while (LastDrawItem + 1 < count && DrawItems->Get(LastDrawItem + 1)->ItemNo == DrawItems->Get(LastDrawItem)->ItemNo)
    ++LastDrawItem;

  Integer first = DrawItems->Get(FirstDrawItem)->ItemNo;
  Integer last = DrawItems->Get(LastDrawItem)->ItemNo + ItemsInserted;
  // When every item of the range went, nothing is laid out: laying out a neighbour instead
  // would give it a second set of draw lines.
  bool nothingLeft = first > last || first >= itemCount;
  Integer nextItem = nothingLeft ? first : last + 1;
  first = std::clamp(first, 0, itemCount - 1);
  last = std::clamp(last, first, itemCount - 1);

  TFormatState st;
  InitFormatState(st, canvas, NoCaching);
  // The hyperlink areas are made again from all draw lines afterwards.
  st.Flags &= static_cast<TUVFlags>(~uvflBuildJumps);

  // Old geometry: where the range starts, and where the line after it starts.
  Integer top = GetTopMargin();
  if (FirstDrawItem > 0) top = std::max(top, LineBottomWithSpacing(st, FirstDrawItem - 1));
  bool hasNext = LastDrawItem + 1 < count;
  Integer oldNextTop = 0;
  if (hasNext) {
    oldNextTop = DrawItems->Get(LastDrawItem + 1)->Top;
    for (Integer d = LastDrawItem + 2; d < count && !DrawItems->Get(d)->FromNewLine; ++d)
      oldNextTop = std::min(oldNextTop, DrawItems->Get(d)->Top);
  }

  DrawItems->MarkForDelete(FirstDrawItem, LastDrawItem);
  st.Insert = FirstDrawItem;
  st.BaseLine = top;
  st.CurStyle = -1;
  // At every item boundary but the document's start, the layout has no paragraph pending: an
  // item that starts a paragraph says so itself, one that only breaks the line does not.
  st.NewParaPending = first == 0;
  st.FirstParaItemNo = GetFirstParaItem(first);
  if (!nothingLeft) FormatItems(st, first, last);
  bool lastInPara = nextItem >= itemCount || GetItem(nextItem)->StartsPara() ||
                    (GetItemStyle(nextItem) < 0 && GetItem(nextItem)->QueryFlag(uvbpFullWidth));
  FinishLine(st, lastInPara);
  st.BaseLine += st.PendingExtra;
  st.PendingExtra = 0;
  DrawItems->DeleteMarked();
  Integer newBottom = st.BaseLine + st.Descent;
  Integer newCount = DrawItems->GetCount();

  if (hasNext && nextItem >= itemCount) {
    // The lines after the range show items that no longer exist.
    while (DrawItems->GetCount() > st.Insert) DrawItems->Delete(DrawItems->GetCount() - 1);
    newCount = DrawItems->GetCount();
    hasNext = false;
  }
  Integer newHeight;
  if (hasNext) {
    Integer delta = newBottom + SpaceBeforeItem(st, nextItem) - oldNextTop;
    Integer after = st.Insert;
    if (ItemsInserted != 0 || newCount != count || delta != 0) {
      for (Integer d = after; d < newCount; ++d) {
        TUVDrawLineInfo* dli = DrawItems->Get(d);
        dli->Top += delta;
        dli->ItemNo += ItemsInserted;
        if (d == 0 || DrawItems->Get(d - 1)->ItemNo != dli->ItemNo) GetItem(dli->ItemNo)->DrawItemNo = d;
      }
    }
    // The document's end moves with its last line.
    newHeight = DocumentHeight + delta;
  } else {
    newHeight = GetBottomMargin() + newBottom +
                st.Sad.YToDevice(style->GetParaStyles()->GetItem(GetItemPara(itemCount - 1))->SpaceAfter);
  }
  FinishPartialFormat(newHeight, first, last, NoCaching);
}

void TCustomUVFormattedData::FinishPartialFormat(Integer NewHeight, Integer FirstItemNo, Integer LastItemNo,
                                                 bool NoCaching) {
  bool clientResized = false;
  if (NewHeight != DocumentHeight) {
    DocumentHeight = NewHeight;
    AdjustVScrollUnits();
    Integer vOffs = GetVOffs();
    Integer clientWidth = GetWidth(), clientHeight = GetHeight();
    SizeChangeGuard = true;
    SetDocumentAreaSize(GetLeftMargin() + DocumentWidth + GetRightMargin(), DocumentHeight, true);
    SizeChangeGuard = false;
    clientResized = GetWidth() != clientWidth || GetHeight() != clientHeight;
    if (GetVOffs() != vOffs) Invalidate();
  }
  if (GetFlags() & uvflBuildJumps) {
    BuildJumpList();
    PlaceJumps();
  }
  AdjustChildrenCoords();
  LastFormattedItem = GetItemCount() - 1;
  State &= ~static_cast<Cardinal>(uvstPartialFormatting);
  Formatted(FirstItemNo, LastItemNo, true);
  // A scroll bar came or went: the whole document for the new client size, as Format does.
  if (clientResized) Format(true, false, false, 0, nullptr, false, NoCaching);
}

bool TCustomUVFormattedData::FormatChangedText(Integer ItemNo, Integer Offs, Integer Delta) {
  TUVStyle* style = GetUVStyle();
  TCanvas* canvas = GetFormattingCanvas();
  if (!style || !canvas || (State & (uvstFormatting | uvstPartialFormatting))) return false;
  Integer count = DrawItems->GetCount();
  Integer itemCount = GetItemCount();
  if (count == 0 || ItemNo < 0 || ItemNo >= itemCount || GetItemStyle(ItemNo) < 0) return false;
  Integer d = GetItem(ItemNo)->DrawItemNo;
  if (d < 0 || d >= count || DrawItems->Get(d)->ItemNo != ItemNo || (d > 0 && DrawItems->Get(d - 1)->ItemNo == ItemNo))
    return false;
  // The piece that held the change: the item's last piece that starts at or before it.
  while (d + 1 < count && DrawItems->Get(d + 1)->ItemNo == ItemNo && DrawItems->Get(d + 1)->Offs <= Offs) ++d;
  auto lineStart = [&](Integer x) {
    while (x > 0 && !DrawItems->Get(x)->FromNewLine) --x;
    return x;
  };
  auto startsItem = [&](Integer x) { return x == 0 || DrawItems->Get(x - 1)->ItemNo != DrawItems->Get(x)->ItemNo; };
  Integer start = lineStart(d);
  // Text taken out of a line may let words of it move up to the line before, in the same
  // paragraph.
  if (start > 0 && !(startsItem(start) && GetItem(DrawItems->Get(start)->ItemNo)->StartsPara()))
    start = lineStart(start - 1);

  FormattingGuard guard(State, uvstPartialFormatting);
  TFormatState st;
  InitFormatState(st, canvas, false);
  st.Flags &= static_cast<TUVFlags>(~uvflBuildJumps);
  Integer top = GetTopMargin();
  if (start > 0) top = std::max(top, LineBottomWithSpacing(st, start - 1));
  TUVDrawLineInfo* resume = DrawItems->Get(start);
  const Integer firstItem = resume->ItemNo;
  const bool wholeItem = startsItem(start);
  const Integer resumeOffs = resume->Offs;

  // The old lines from the start on leave the list; the new ones are appended.
  std::vector<TUVDrawLineInfo*> old;
  DrawItems->Detach(start, old);
  // The old lines that begin past the change, where the new layout may meet the old one again:
  // their draw line index, their top, and where they begin in the changed text.
  struct OldLine {
    std::size_t Index;
    Integer ItemNo, Offs, Top;
  };
  std::vector<OldLine> lines;
  const Integer removed = std::max(-Delta, 0);
  for (std::size_t i = 0; i < old.size(); ++i) {
    TUVDrawLineInfo* dli = old[i];
    if (!dli->FromNewLine) continue;
    bool past = dli->ItemNo > ItemNo || (dli->ItemNo == ItemNo && dli->Offs >= Offs + removed);
    if (!past) continue;
    Integer lineTop = dli->Top;
    for (std::size_t j = i + 1; j < old.size() && !old[j]->FromNewLine; ++j) lineTop = std::min(lineTop, old[j]->Top);
    lines.push_back({i, dli->ItemNo, dli->ItemNo == ItemNo ? dli->Offs + Delta : dli->Offs, lineTop});
  }
  std::size_t next = 0;
  std::size_t metIndex = old.size();
  Integer shift = 0;
  st.LineStartHook = [&](Integer PieceItemNo, Integer PieceOffs, Integer LineTop) {
    while (next < lines.size() && (lines[next].ItemNo < PieceItemNo ||
                                   (lines[next].ItemNo == PieceItemNo && lines[next].Offs < PieceOffs)))
      ++next;
    if (next == lines.size() || lines[next].ItemNo != PieceItemNo || lines[next].Offs != PieceOffs) return false;
    metIndex = lines[next].Index;
    shift = LineTop - lines[next].Top;
    return true;
  };

  st.Insert = start;
  st.BaseLine = top;
  st.CurStyle = -1;
  st.NewParaPending = firstItem == 0 && wholeItem;
  st.FirstParaItemNo = GetFirstParaItem(firstItem);
  Integer lastItem = firstItem;
  if (!wholeItem) {
    // Inside an item: its text from the line's first character, after the space the wrap
    // dropped there, if any.
    TCustomUVItemInfo* item = GetItem(firstItem);
    AnsiString text = UVUniApplyAllCaps(Items->GetStrings(firstItem), style->GetTextStyles()->GetItem(item->StyleNo),
                                        item->ItemOptions);
    st.WrapSpaceDropped = (st.Flags & uvflDropWrapSpace) && resumeOffs > 1 &&
                          UVUniIsSpaceAt(text, resumeOffs - 1, item->ItemOptions);
    FormatItemText(st, firstItem, text, resumeOffs);
    ++lastItem;
  }
  for (; lastItem < itemCount && !st.Stopped; ++lastItem) FormatItem(st, lastItem);
  if (st.Stopped) --lastItem;
  bool met = st.Stopped;
  if (!met) {
    FinishLine(st, true);
    st.BaseLine += st.PendingExtra;
    st.PendingExtra = 0;
  }
  for (std::size_t i = 0; i < metIndex; ++i) delete old[i];
  Integer newHeight;
  if (met) {
    // The old lines from the meeting point on stay, moved by the change of height.
    for (std::size_t i = metIndex; i < old.size(); ++i) {
      TUVDrawLineInfo* dli = old[i];
      dli->Top += shift;
      if (dli->ItemNo == ItemNo) dli->Offs += Delta;
      Integer index = DrawItems->Add(dli);
      if (index == 0 || DrawItems->Get(index - 1)->ItemNo != dli->ItemNo) GetItem(dli->ItemNo)->DrawItemNo = index;
    }
    newHeight = DocumentHeight + shift;
  } else {
    newHeight = GetBottomMargin() + st.BaseLine + st.Descent +
                st.Sad.YToDevice(style->GetParaStyles()->GetItem(GetItemPara(itemCount - 1))->SpaceAfter);
  }
  FinishPartialFormat(newHeight, firstItem, std::max(std::min(lastItem, itemCount - 1), firstItem), false);
  return true;
}

