// Painting a formatted document: paragraph backgrounds and borders, text backgrounds, page-break
// and checkpoint marks, text pieces in their selection and hover colours, and the items that draw
// themselves; the double-buffered paint of a view, its focus rectangles and the requests to the
// owning control to paint again.
#include "richtext/core/CUVFData.h"

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/Handles.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

namespace {

// One paint of one document: what PaintDrawLines works out once and the steps it takes.
class Painter {
public:
  Painter(TCustomUVFormattedData& Data, const TUVPaintRequest& Request, TUVStyle* AStyle)
      : D(Data),
        R(Request),
        Canvas(Request.Canvas),
        Style(AStyle),
        DX(Request.OriginX),
        DY(Request.OriginY),
        Page(Request.Printing ? Request.Page : nullptr) {}

  void Run();

private:
  TCustomUVItemInfo* ItemOf(Integer DrawItemNo) const { return D.GetItem(D.DrawItems->Get(DrawItemNo)->ItemNo); }
  // Whether draw line d is the first of an item that starts a paragraph.
  bool StartsParagraph(Integer DrawItemNo) const {
    if (DrawItemNo == 0) return true;
    TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
    return dli->ItemNo != D.DrawItems->Get(DrawItemNo - 1)->ItemNo && D.GetItem(dli->ItemNo)->StartsPara();
  }
  bool FirstOfItem(Integer DrawItemNo) const {
    return DrawItemNo == 0 || D.DrawItems->Get(DrawItemNo - 1)->ItemNo != D.DrawItems->Get(DrawItemNo)->ItemNo;
  }
  // A text item of a hyperlink style that is the hyperlink under the mouse.
  bool TextHover(TCustomUVItemInfo* Item) const {
    return Hover && Item->HyperlinkId == D.HoverJumpNo && Style->GetTextStyles()->GetItem(Item->StyleNo)->Jump;
  }

  void FindRange();
  void PaintParagraph(Integer DrawItemNo);
  void ParagraphsAndRange();
  void TextBacks();
  void SoftPageBreaks();
  void NonTextItem(Integer DrawItemNo);
  void TextLine(Integer DrawItemNo);
  // Characters A..B of the line's Text, X pixels right of where its text starts.
  void TextPiece(Integer DrawItemNo, const AnsiString& Text, Integer A, Integer B, bool Selected, Integer X);

  // --- A printed page
  // The canvas y of the document's y = 0 for a draw line: the content after a first draw line
  // drawn in part continues where pagination placed it.
  Integer OriginYOf(Integer DrawItemNo) const {
    return Page && Page->FirstPart >= 0 && DrawItemNo > First ? Page->ContinueOriginY : DY;
  }
  // The part of an item drawn in parts that the page shows (-1: the whole draw line): the page
  // starts inside the first, and ends with the first part of the last when it goes on.
  Integer PartOf(Integer DrawItemNo) const;
  // The canvas top and bottom of a draw line as the page shows it.
  void PageBox(Integer DrawItemNo, Integer& Top, Integer& Bottom) const;
  void PagePenPosition(Integer DrawItemNo);
  void PageText(Integer DrawItemNo);
  void PageItem(Integer DrawItemNo);
  // Gives the bitmap of an item printed through one what lies behind the item on the page.
  void FillBehind(TBitmap* Bitmap, Integer DrawItemNo, Integer Y);

  TCustomUVFormattedData& D;
  const TUVPaintRequest& R;
  TCanvas* Canvas;
  TUVStyle* Style;
  Integer DX;  // canvas = document + (DX, DY)
  Integer DY;
  TRect Clip;  // the clip rectangle in document coordinates
  TUVScreenAndDevice Sad;
  Integer LeftMargin = 0;  // margins in device pixels, as formatting placed them
  Integer RightMargin = 0;
  // What the checkpoint and page-break marks span: the whole width of the document's area.
  Integer XShift = 0;
  Integer WindowWidth = 0;
  TUVOptions Options;
  bool Explicit = false;
  Integer First = 0;
  Integer ParaFirst = 0;  // the first line of the paragraph that holds line First
  Integer Last = -1;
  Integer SelStartNo = -1, SelStartOffs = 0, SelEndNo = -1, SelEndOffs = 0;
  bool AllSelected = false;
  bool Hover = false;
  bool WantPieceBits = false;
  Integer LastStyleNo = -1;
  const TUVPagePaint* Page;
  HDC DC = nullptr;
  // The text-character extra in force when the page began; each piece restores it.
  int SavedExtra = 0;
  // Where the next piece of a printed line starts (with Correction, where the previous ended).
  Integer PenX = 0;
};

void Painter::Run() {
  D.GetScreenAndDevice(Sad, D.GetFormattingCanvas());
  LeftMargin = Sad.XToDevice(D.GetLeftMargin());
  RightMargin = Sad.XToDevice(D.GetRightMargin());
  Options = D.GetOptions();
  Clip = R.ClipRect;
  Clip.Left -= DX;
  Clip.Right -= DX;
  Clip.Top -= DY;
  Clip.Bottom -= DY;
  XShift = -DX;
  WindowWidth = std::max(D.GetWidth(), LeftMargin + D.DocumentWidth + RightMargin);
  if (!R.Printing) {
    D.GetSelDrawItemBounds(true, SelStartNo, SelStartOffs, SelEndNo, SelEndOffs);
    AllSelected = (D.State & uvstDrawAllSelected) != 0;
    Hover = (D.State & uvstDrawHover) != 0 && D.HoverJumpNo >= 0;
  }
  WantPieceBits = static_cast<bool>(Style->OnDrawStyleText);
  Canvas->GetBrush()->SetStyle(bsClear);

  if (D.DrawItems->GetCount() > 0) {
    FindRange();
    if (Page) {
      DC = Canvas->GetHandle();
      SavedExtra = ::GetTextCharacterExtra(DC);
    }
    ParagraphsAndRange();
    if (Style->OnDrawTextBack && !Page) TextBacks();
    if (!R.Printing && !D.SoftPageBreaks.empty() && Options.Contains(uvoShowPageBreaks)) SoftPageBreaks();
    for (Integer i = First; i <= Last; ++i) {
      TUVDrawLineInfo* dli = D.DrawItems->Get(i);
      TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
      if (Page) {
        PagePenPosition(i);
        if (item->StyleNo < 0)
          PageItem(i);
        else
          PageText(i);
        continue;
      }
      if (!R.Printing && FirstOfItem(i)) {
        if (item->GetPageBreakBefore() && Options.Contains(uvoShowPageBreaks))
          Style->DrawPageBreak(Canvas, dli->Top - 1 + DY, XShift, true, WindowWidth);
        if (item->Checkpoint && Options.Contains(uvoShowCheckpoints))
          Style->DrawCheckpoint(Canvas, dli->Left + DX, dli->Top + DY, dli->ItemNo, XShift, item->Checkpoint->RaiseEvent,
                                WindowWidth);
      }
      if (item->StyleNo < 0)
        NonTextItem(i);
      else
        TextLine(i);
    }
  }
  // The checkpoint after the last item marks the end of the document.
  if (!R.Printing && D.NotAddedCP && Options.Contains(uvoShowCheckpoints))
    Style->DrawCheckpoint(Canvas, DX, D.DocumentHeight + DY, -1, XShift, D.NotAddedCP->RaiseEvent, WindowWidth);
}

void Painter::FindRange() {
  Integer count = D.DrawItems->GetCount();
  if (R.FirstDrawItem >= 0 && R.LastDrawItem >= 0) {
    Explicit = true;
    First = std::min(R.FirstDrawItem, count - 1);
    ParaFirst = First;
    Last = std::min(R.LastDrawItem, count - 1);
    return;
  }
  // The paragraph that holds the first visible line has its background and border drawn whole,
  // from its first line; its lines only from the first that can be seen, however long it is.
  First = std::clamp(D.FindDrawItemByY(Clip.Top, uvfdyFirstForPaint), 0, count - 1);
  ParaFirst = First;
  while (ParaFirst > 0 && !StartsParagraph(ParaFirst)) --ParaFirst;
  Last = count - 1;
}

void Painter::ParagraphsAndRange() {
  bool pastBottom = false;
  if (ParaFirst < First) PaintParagraph(ParaFirst);
  for (Integer i = First; i <= Last; ++i) {
    if ((i == First && ParaFirst == First) || StartsParagraph(i)) PaintParagraph(i);
    if (Explicit) continue;
    // A line may hold pieces that start lower than its first one (a tall picture raises the
    // line), so the range ends only at the line after the first piece past the bottom.
    TUVDrawLineInfo* dli = D.DrawItems->Get(i);
    if (!pastBottom) {
      if (dli->Top >= Clip.Bottom) pastBottom = true;
    } else if (dli->FromNewLine) {
      Last = i;
      break;
    }
  }
}

void Painter::PaintParagraph(Integer DrawItemNo) {
  TCustomUVItemInfo* item = ItemOf(DrawItemNo);
  if (item->StyleNo == uvsBreak) return;
  TParaInfo* para = Style->GetParaStyles()->GetItem(item->ParaNo);
  if (para->GetBorder()->Style == uvbNone && para->GetBackground()->Color == clNone && !Style->OnDrawParaBack) return;
  Integer end = Explicit ? Last : D.DrawItems->GetCount() - 1;
  Integer top = 0, bottom = 0;
  PageBox(DrawItemNo, top, bottom);
  for (Integer j = DrawItemNo + 1; j <= end && !StartsParagraph(j); ++j) {
    Integer t = 0, b = 0;
    PageBox(j, t, b);
    top = std::min(top, t);
    bottom = std::max(bottom, b);
  }
  Integer left = LeftMargin + Sad.XToDevice(para->LeftIndent);
  if (para->FirstIndent < 0) left += Sad.XToDevice(para->FirstIndent);
  // A page spans the printed area, less the document's right margin; a view the formatted width.
  Integer right = (Page ? D.GetWidth() - RightMargin : LeftMargin + D.DocumentWidth) - Sad.XToDevice(para->RightIndent);
  TRect rect = Rect(left + DX, top, right + DX, bottom);
  // Printing widens the background by its offsets scaled to the device, once.
  Style->DrawParaBack(Canvas, item->ParaNo, rect, R.Printing ? &Sad : nullptr);
  para->GetBorder()->DrawScaled(rect, Canvas, Sad);
}

void Painter::TextBacks() {
  for (Integer i = First; i <= Last; ++i) {
    TUVDrawLineInfo* dli = D.DrawItems->Get(i);
    TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
    if (item->StyleNo < 0) continue;
    TUVTextDrawStates state;
    if (TextHover(item)) state << uvtsHover;
    Style->DrawTextBack(Canvas, item->StyleNo, dli->Left + DX, dli->Top + DY, dli->Width, dli->Height, state);
  }
}

void Painter::SoftPageBreaks() {
  Integer firstItem = D.DrawItems->Get(First)->ItemNo;
  for (const TUVSoftPageBreakInfo& pb : D.SoftPageBreaks) {
    if (pb.ItemNo < firstItem || pb.ItemNo >= D.GetItemCount()) continue;
    Integer d = -1, offs = 0;
    D.ItemToDrawItem(pb.ItemNo, pb.Offset, d, offs);
    if (d < 0 || d >= D.DrawItems->GetCount()) continue;
    Integer y = D.DrawItems->Get(d)->Top - 1;
    if (pb.ExtraData != -1) y += D.GetItem(pb.ItemNo)->GetSoftPageBreakDY(pb.ExtraData);
    if (y > Clip.Bottom) break;
    Style->DrawPageBreak(Canvas, y + DY, XShift, false, WindowWidth);
  }
}

void Painter::NonTextItem(Integer DrawItemNo) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
  TUVTextDrawStates state = R.BaseState;
  if (!R.Printing) {
    // Offset 0 is before the item and 1 after it: a selection ending before it or starting
    // after it leaves it out.
    bool inside = SelStartNo >= 0 && DrawItemNo >= SelStartNo && DrawItemNo <= SelEndNo &&
                  !(DrawItemNo == SelEndNo && SelEndOffs == 0) && !(DrawItemNo == SelStartNo && SelStartOffs == 1);
    if (inside || AllSelected) state << uvtsSelected;
    if (Hover && item->HyperlinkId == D.HoverJumpNo && item->QueryStyledFlag(uvbspJump, Style)) state << uvtsItemStart;
    if (D.ActiveItem == item) state << uvtsHover;
  }
  if (item->QueryFlag(uvbpFullWidth)) {
    Integer right = LeftMargin + (Options.Contains(uvoClientTextWidth) ? D.GetWidth() - LeftMargin - RightMargin
                                                                        : D.DocumentWidth);
    item->PaintFullWidth(dli->Left + DX, right + DX, dli->Top + DY, Canvas, state, Style, R.ClipRect, &D);
  } else {
    item->Paint(dli->Left + DX, dli->Top + DY, Canvas, state, Style, dli);
  }
  // Pictures and markers leave their own font on the canvas.
  if (item->QueryFlag(uvbpDrawingChangesFont)) LastStyleNo = -1;
}

void Painter::TextLine(Integer DrawItemNo) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
  if (item->StyleNo != LastStyleNo) {
    Style->ApplyTextStyle(Canvas, item->StyleNo, D.GetParaBiDiMode(item->ParaNo));
    LastStyleNo = item->StyleNo;
  }
  // The characters shown, in capitals when the style asks for them, as formatting measured them.
  AnsiString text = UVUniApplyAllCaps(UVUniCopy(D.Items->GetStrings(dli->ItemNo), dli->Offs, dli->Length,
                                                item->ItemOptions),
                                      Style->GetTextStyles()->GetItem(item->StyleNo), item->ItemOptions);
  bool inRange = AllSelected || (SelStartNo >= 0 && DrawItemNo >= SelStartNo && DrawItemNo <= SelEndNo);
  if (!inRange) {
    TextPiece(DrawItemNo, text, 1, dli->Length, false, 0);
    return;
  }
  bool partAtStart = !AllSelected && DrawItemNo == SelStartNo && SelStartOffs > 1;
  bool partAtEnd = !AllSelected && DrawItemNo == SelEndNo && SelEndOffs <= dli->Length;
  if (!partAtStart && !partAtEnd) {
    TextPiece(DrawItemNo, text, 1, dli->Length, true, 0);
    return;
  }
  TextPiece(DrawItemNo, text, 1, dli->Length, false, 0);
  Integer a = partAtStart ? SelStartOffs : 1;
  Integer b = partAtEnd ? SelEndOffs - 1 : dli->Length;
  if (a > b) return;
  if (D.GetItemBiDiMode(dli->ItemNo) != uvbdUnspecified) {
    // Mixed-direction text shows a logical range as several visual runs.
    TUVTextDrawStates state = R.BaseState;
    state << uvtsSelected;
    Style->ApplyTextStyleColor(Canvas, item->StyleNo, state);
    if (UVUniDrawSelectedText(Canvas, text, a, b, dli->Left + dli->JustifySpace + DX, dli->Top + DY, dli->Height,
                              item->ItemOptions, true))
      return;
  }
  Integer x = a > 1 ? UVUniTextWidth(UVUniCopy(text, 1, a - 1, item->ItemOptions), Canvas, item->ItemOptions) : 0;
  TextPiece(DrawItemNo, text, a, b, true, x);
}

void Painter::TextPiece(Integer DrawItemNo, const AnsiString& Text, Integer A, Integer B, bool Selected, Integer X) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
  Byte options = item->ItemOptions;
  TUVTextDrawStates state = R.BaseState;
  if (Selected) state << uvtsSelected;
  if (TextHover(item)) state << uvtsHover;
  if (WantPieceBits) {
    if (dli->Offs + A - 1 == 1) state << uvtsItemStart;
    if (dli->Offs + B - 1 == UVUniLength(D.Items->GetStrings(dli->ItemNo), options)) state << uvtsItemEnd;
    if (A == 1) state << uvtsDrawItemStart;
    if (B == dli->Length) state << uvtsDrawItemEnd;
  }
  Style->ApplyTextStyleColor(Canvas, item->StyleNo, state);
  bool whole = A == 1 && B == dli->Length;
  AnsiString piece = whole ? Text : UVUniCopy(Text, A, B - A + 1, options);
  // The space that justification put before the line's text goes to a piece that starts the
  // line; a later piece starts after it.
  Integer left, width, spaceBefore;
  if (whole) {
    left = dli->Left;
    width = dli->Width;
    spaceBefore = dli->JustifySpace;
  } else if (A == 1) {
    left = dli->Left;
    spaceBefore = dli->JustifySpace;
    width = spaceBefore + UVUniTextWidth(piece, Canvas, options);
  } else {
    left = dli->Left + dli->JustifySpace + X;
    spaceBefore = 0;
    width = UVUniTextWidth(piece, Canvas, options);
  }
  Style->DrawStyleText(piece, Canvas, item->StyleNo, spaceBefore, left + DX, dli->Top + DY, width, dli->Height, state,
                       R.Printing);
}

Integer Painter::PartOf(Integer DrawItemNo) const {
  if (!Page) return -1;
  if (DrawItemNo == First) return Page->FirstPart;
  if (DrawItemNo == Last) {
    auto* multi = dynamic_cast<TUVMultiDrawItemInfo*>(D.DrawItems->Get(DrawItemNo));
    if (multi && multi->GetPartCount() > 0) return 0;
  }
  return -1;
}

void Painter::PageBox(Integer DrawItemNo, Integer& Top, Integer& Bottom) const {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  Integer oy = OriginYOf(DrawItemNo);
  Integer part = PartOf(DrawItemNo);
  auto* multi = dynamic_cast<TUVMultiDrawItemInfo*>(dli);
  if (part >= 0 && multi && part < multi->GetPartCount()) {
    // A page that starts inside the item shows the part from its own top.
    Top = DrawItemNo == First ? oy : oy + dli->Top;
    Bottom = Top + multi->GetPart(part)->Height;
    return;
  }
  Top = oy + dli->Top;
  Bottom = Top + dli->Height + dli->ExtraSpaceBelow;
}

void Painter::PagePenPosition(Integer DrawItemNo) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  // Text that the canvas measures wider than formatting did pushes the rest of its line right.
  bool keep = Page->Correction && !dli->FromNewLine && dli->Left <= PenX &&
              D.GetParaBiDiMode(ItemOf(DrawItemNo)->ParaNo) != uvbdRightToLeft;
  if (!keep) PenX = dli->Left;
}

void Painter::PageText(Integer DrawItemNo) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
  TFontInfo* font = Style->GetTextStyles()->GetItem(item->StyleNo);
  TUVBiDiMode paraMode = D.GetParaBiDiMode(item->ParaNo);
  Style->ApplyTextStyleColor(Canvas, item->StyleNo, TUVTextDrawStates());
  Style->ApplyTextStyle(Canvas, item->StyleNo, paraMode);
  TUVBiDiMode mode = font->BiDiMode != uvbdUnspecified ? font->BiDiMode : paraMode;
  AnsiString text = UVUniApplyAllCaps(UVUniCopy(D.Items->GetStrings(dli->ItemNo), dli->Offs, dli->Length,
                                                item->ItemOptions),
                                      font, item->ItemOptions);
  Integer x = PenX;
  if (mode != uvbdRightToLeft) {
    Integer spacing = Sad.XToDevice(font->CharSpacing);
    if (font->CharSpacing != 0) ::SetTextCharacterExtra(DC, spacing);
    Integer n = dli->Length;
    if (Page->Correction && n > 1) {
      // The characters are spaced so that the piece fills the width formatting gave it.
      Integer measured = UVUniTextWidth(text, Canvas, item->ItemOptions);
      ::SetTextCharacterExtra(DC, spacing + ((n - 1) * SavedExtra + (dli->Width - dli->JustifySpace - measured)) / (n - 1));
    }
  }
  Integer top = OriginYOf(DrawItemNo) + dli->Top;
  if (Style->OnDrawTextBack)
    Style->DrawTextBack(Canvas, item->StyleNo, x + DX, top, dli->Width, dli->Height, TUVTextDrawStates());
  Style->DrawStyleText(text, Canvas, item->StyleNo, dli->JustifySpace, x + DX, top, dli->Width, dli->Height,
                       TUVTextDrawStates(), true);
  ::SetTextCharacterExtra(DC, SavedExtra);
  if (Page->Correction)
    PenX = x + std::max(UVUniTextWidth(text, Canvas, item->ItemOptions) + dli->JustifySpace, dli->Width);
}

void Painter::FillBehind(TBitmap* Bitmap, Integer DrawItemNo, Integer Y) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
  TColor paraColor = Style->GetParaStyles()->GetItem(item->ParaNo)->GetBackground()->Color;
  TRect all = Rect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight());
  if (paraColor == clNone && Page->Background) {
    Integer x = Sad.XToScreen(dli->Left) + item->GetHorzInset();
    Integer y = Sad.YToScreen(Y - Page->AreaTop) + item->GetVertInset();
    Bitmap->GetCanvas()->CopyRect(all, Page->Background->GetCanvas(), Bounds(x, y, all.Right, all.Bottom));
    return;
  }
  TColor color = paraColor != clNone ? paraColor : D.GetColor();
  if (color == clNone) color = clWhite;
  TCanvas* canvas = Bitmap->GetCanvas();
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(color);
  canvas->FillRect(all);
}

void Painter::PageItem(Integer DrawItemNo) {
  TUVDrawLineInfo* dli = D.DrawItems->Get(DrawItemNo);
  TCustomUVItemInfo* item = D.GetItem(dli->ItemNo);
  Integer part = PartOf(DrawItemNo);
  Integer x = PenX;
  // A page that starts inside the item shows the part from the top of the page.
  Integer y = OriginYOf(DrawItemNo) + (DrawItemNo == First && part >= 0 ? 0 : dli->Top);
  bool fullWidth = item->QueryFlag(uvbpFullWidth);
  if (item->QueryStyledFlag(uvbspPrintToBitmap, Style)) {
    auto* multi = dynamic_cast<TUVMultiDrawItemInfo*>(dli);
    Integer width = fullWidth ? Sad.XToScreen(D.GetWidth() - RightMargin - dli->Left) : item->GetImageWidth(Style);
    Integer height = part >= 0 && multi && part < multi->GetPartCount() ? Sad.YToScreen(multi->GetPart(part)->Height)
                                                                       : item->GetImageHeight(Style);
    if (width > 0 && height > 0) {
      TBitmap bitmap;
      bitmap.SetPixelFormat(pf24bit);
      // A preview on a palette display draws with the document's palette.
      LOGPALETTE* palette = Page->Preview && D.GetUVPalette() ? D.GetUVLogPalette() : nullptr;
      if (palette) bitmap.SetPalette(::CreatePalette(palette));
      bitmap.SetSize(width, height);
      FillBehind(&bitmap, DrawItemNo, y);
      if (item->PrintToBitmap(&bitmap, Page->Preview, &D, dli, part))
        UVDrawGraphic(Canvas, x + DX + Sad.XToDevice(item->GetHorzInset()), y + Sad.YToDevice(item->GetVertInset()),
                      -1, -1, &bitmap, Sad, Page->Preview);
    }
  } else {
    Integer right = fullWidth ? DX + D.GetWidth() - RightMargin : 0;
    item->Print(Canvas, x + DX, y, right, Page->Preview, Page->Correction, Sad, &D, dli, part);
  }
  PenX += dli->Width;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The environment of painting

TUVBackground* TCustomUVFormattedData::GetBackground() {
  TCustomUVData* root = GetRootData();
  if (root && root != this)
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(root)) return formatted->GetBackground();
  return nullptr;
}

TColor TCustomUVFormattedData::GetColor() {
  TCustomUVData* root = GetRootData();
  if (root && root != this)
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(root)) return formatted->GetColor();
  TUVStyle* style = GetUVStyle();
  return style ? style->Color : clWindow;
}

bool TCustomUVFormattedData::IsControlFocused() {
  TWinControl* control = GetParentControl();
  if (!control || !control->HandleAllocated()) return false;
  HWND focus = ::GetFocus();
  HWND window = control->GetHandle();
  return focus && (focus == window || ::IsChild(window, focus));
}

// ---------------------------------------------------------------------------------------------
// Painting

void TCustomUVFormattedData::PaintTo(TCanvas* Canvas, const TRect& ClipRect) {
  TUVPaintRequest request;
  request.Canvas = Canvas;
  request.OriginX = -(GetHOffs() + ClipRect.Left);
  request.OriginY = -(GetVOffs() + ClipRect.Top);
  request.ClipRect = Rect(0, 0, ClipRect.Right - ClipRect.Left, ClipRect.Bottom - ClipRect.Top);
  if (IsControlFocused()) request.BaseState << uvtsControlFocused;
  PaintDrawLines(request);
}

void TCustomUVFormattedData::PaintDrawLines(const TUVPaintRequest& Request) {
  TUVStyle* style = GetUVStyle();
  if (!style || !Request.Canvas) return;
  // A partial reformat frees the draw lines it replaces before it makes the new ones; a paint
  // that comes in meanwhile (a window shown by an item) waits for the repaint that follows it.
  if (State & uvstPartialFormatting) return;
  Painter(*this, Request, style).Run();
}

void TCustomUVFormattedData::PaintBuffered(TCanvas* Canvas, const TRect& ClipRect) {
  Integer width = ClipRect.Right - ClipRect.Left;
  Integer height = ClipRect.Bottom - ClipRect.Top;
  if (width <= 0 || height <= 0) return;
  HDC target = Canvas->GetHandle();
  AnsiString error;
  bool failed = false;
  {
    UniqueMemoryDC memory(::CreateCompatibleDC(target));
    UniqueGdiObject bitmap(::CreateCompatibleBitmap(target, width, height));
    if (!memory || !bitmap) GDIError();
    SelectedObject selectedBitmap(memory.get(), bitmap.get());
    HPALETTE palette = GetUVPalette();
    HPALETTE oldPalette = palette ? ::SelectPalette(memory.get(), palette, FALSE) : nullptr;
    if (palette) ::RealizePalette(memory.get());
    TUVBackground* background = GetBackground();
    if (background) {
      background->Draw(memory.get(), ClipRect, GetHOffs(), GetVOffs(), GetWidth(), GetHeight(), GetColor());
    } else {
      UniqueGdiObject brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(GetColor()))));
      RECT all{0, 0, width, height};
      ::FillRect(memory.get(), &all, static_cast<HBRUSH>(brush.get()));
    }
    TCanvas buffer;
    buffer.SetHandle(memory.get());
    try {
      PaintTo(&buffer, ClipRect);
    } catch (const std::exception& e) {
      error = e.what();
      failed = true;
    }
    buffer.SetHandle(nullptr);
    ::BitBlt(target, ClipRect.Left, ClipRect.Top, width, height, memory.get(), 0, 0, SRCCOPY);
    if (oldPalette) ::SelectPalette(memory.get(), oldPalette, FALSE);
  }
  if (failed) {
    TFont* font = Canvas->GetFont();
    font->SetName("Arial");
    font->SetSize(10);
    font->SetStyle(TFontStyles());
    font->SetColor(clRed);
    Canvas->GetBrush()->SetColor(clWhite);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->TextOut(0, 0, "Error:" + error);
  }
}

void TCustomUVFormattedData::DrawItemFocusRect(TCanvas* Canvas, Integer ItemNo) {
  if (ItemNo < 0 || ItemNo >= GetItemCount()) return;
  if (!GetItem(ItemNo)->QueryStyledFlag(uvbspXORFocus, GetUVStyle())) return;
  Integer d = ItemToFirstDrawItem(ItemNo);
  if (d < 0 || d >= DrawItems->GetCount() || DrawItems->Get(d)->ItemNo != ItemNo) d = FindFirstDrawItemOfItem(ItemNo);
  if (d < 0) return;
  // Client coordinates of the root view: its scroll position, and the origins of the documents
  // that hold this one.
  Integer x = 0, y = 0;
  TCustomUVData* data = this;
  for (TCustomUVData* parent = data->GetAbsoluteParentData(); parent; parent = data->GetAbsoluteParentData()) {
    Integer ox = 0, oy = 0;
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(data)) formatted->GetOrigin(ox, oy);
    x += ox;
    y += oy;
    data = parent;
  }
  if (auto* root = dynamic_cast<TCustomUVFormattedData*>(data)) {
    x -= root->GetHOffs();
    y -= root->GetVOffs();
  }
  Canvas->GetFont()->SetColor(clBlack);
  Canvas->GetBrush()->SetStyle(bsSolid);
  for (; d < DrawItems->GetCount() && DrawItems->Get(d)->ItemNo == ItemNo; ++d) {
    TUVDrawLineInfo* dli = DrawItems->Get(d);
    Canvas->DrawFocusRect(Bounds(dli->Left + x - 1, dli->Top + y - 1, dli->Width + 2, dli->Height + 2));
  }
}

// ---------------------------------------------------------------------------------------------
// Asking the control to paint

void TCustomUVFormattedData::Invalidate() {
  if (TWinControl* control = GetParentControl()) control->Invalidate();
}

void TCustomUVFormattedData::Refresh() {
  if (TWinControl* control = GetParentControl()) control->Refresh();
}

void TCustomUVFormattedData::UpdateView() {
  if (TWinControl* control = GetParentControl()) control->Update();
}

void TCustomUVFormattedData::InvalidateJumpRect(Integer JumpNo) {
  TWinControl* control = GetParentControl();
  if (!control) return;
  TUVStyle* style = GetUVStyle();
  if (style && style->FullRedraw) {
    control->Invalidate();
  } else if (control->HandleAllocated()) {
    // Grown, because hover colours may draw frames and underlines just outside the text.
    for (Integer i = 0; i < Jumps->GetCount(); ++i) {
      auto* jump = static_cast<TUVJumpInfo*>(Jumps->Get(i));
      if (jump->Id != JumpNo) continue;
      RECT r{jump->Left - GetHOffs() - 5, jump->Top - GetVOffs() - 5, jump->Left - GetHOffs() + jump->Width + 5,
             jump->Top - GetVOffs() + jump->Height + 5};
      ::InvalidateRect(control->GetHandle(), &r, FALSE);
    }
  }
  control->Update();
}

void TCustomUVFormattedData::ColorChanged() {
  if (!(GetFlags() & uvflBuildJumps)) return;
  Integer jump = HoverJumpNo;
  // Whether a hyperlink looks different under the mouse depends on the colours.
  if (jump >= 0 && HoverDrawItemNo >= 0 && HoverDrawItemNo < DrawItems->GetCount()) {
    TCustomUVItemInfo* item = GetItem(DrawItems->Get(HoverDrawItemNo)->ItemNo);
    if (item->QueryStyledFlag(uvbspHotColdJump, GetUVStyle()))
      State |= uvstDrawHover;
    else
      State &= ~static_cast<Cardinal>(uvstDrawHover);
  }
  if (jump >= 0) InvalidateJumpRect(jump);
}

void TCustomUVFormattedData::UpdateBackgroundPaletted(TUVBackground* Background) {
  if (!Background) return;
  State |= uvstUpdatingPalette;
  ScopeExit updated([this] { State &= ~static_cast<Cardinal>(uvstUpdatingPalette); });
  Background->UpdatePaletted(GetDoInPaletteMode(), GetUVLogPalette());
}
