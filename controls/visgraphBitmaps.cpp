// Pictures drawn into rectangles, transparency masks, and the disabled looks of glyphs.
#include <algorithm>
#include <array>
#include <memory>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"

Integer VisLastBrightness = 0;

namespace {

COLORREF RGBOf(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFF; }

// A monochrome device-dependent bitmap: copies from colour contexts into it follow GDI's rule
// for monochrome targets (a pixel of the source's background colour becomes white), and copies
// from it onto colour contexts turn white into the target's background colour and black into its
// text colour.
std::unique_ptr<TBitmap> NewMonochrome(Integer Width, Integer Height) {
  auto mask = std::make_unique<TBitmap>();
  HBITMAP handle = ::CreateBitmap(std::max(Width, 1), std::max(Height, 1), 1, 1, nullptr);
  if (!handle) GDIError();
  mask->SetHandle(handle);
  return mask;
}

// The rectangles the picture is drawn into, by the placement flags.
std::vector<TRect> PlaceCopies(const TRect& Target, Integer pw, Integer ph, Word Flags) {
  const Integer tw = Target.Width();
  const Integer th = Target.Height();
  if (Flags & dbTile) {
    std::vector<TRect> tiles;
    for (Integer row = 0; row <= th / ph; ++row)
      for (Integer col = 0; col <= tw / pw; ++col) {
        const TRect tile = Bounds(Target.Left + col * pw, Target.Top + row * ph, pw, ph);
        if (tile.Left < Target.Right && tile.Top < Target.Bottom) tiles.push_back(tile);
      }
    return tiles;
  }
  if (Flags & dbStretch) {
    const Word keep = Flags & (dbKeepHeight | dbKeepWidth);
    if (keep == (dbKeepHeight | dbKeepWidth)) {
      const TRect fitted = AspectRect(Rect(0, 0, pw, ph), Rect(0, 0, tw, th));
      return {Bounds(Target.Left + (tw - fitted.Right) / 2, Target.Top + (th - fitted.Bottom) / 2, fitted.Right,
                     fitted.Bottom)};
    }
    if (keep == dbKeepWidth) return {Bounds(Target.Left, Target.Top, tw, ::MulDiv(ph, tw, pw))};
    if (keep == dbKeepHeight) return {Bounds(Target.Left, Target.Top, ::MulDiv(pw, th, ph), th)};
    return {Target};
  }
  if (Flags & dbCenter) return {Bounds(Target.Left + (tw - pw) / 2, Target.Top + (th - ph) / 2, pw, ph)};
  return {Bounds(Target.Left, Target.Top, pw, ph)};
}

// Copies Source of one context into Dest of another, stretched when the sizes differ.
void Blit(HDC dest, const TRect& Dest, HDC src, const TRect& Source, DWORD rop) {
  if (Dest.Width() == Source.Width() && Dest.Height() == Source.Height())
    ::BitBlt(dest, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, Source.Left, Source.Top, rop);
  else
    ::StretchBlt(dest, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, Source.Left, Source.Top, Source.Width(),
                 Source.Height(), rop);
}

}  // namespace

void FillBitmapRect(TBitmap* Bitmap, const TRect& Rect, TColor Color) {
  if (Rect.Width() <= 0 || Rect.Height() <= 0) return;
  Bitmap->SetSize(Rect.Width(), Rect.Height());
  TCanvas* canvas = Bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(Color);
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->FillRect(::Rect(0, 0, Rect.Width(), Rect.Height()));
}

void FillBitmapBehind(TBitmap* Bitmap, TGraphic* Graphic, TColor Color) {
  FillBitmapRect(Bitmap, Rect(0, 0, Graphic->GetWidth(), Graphic->GetHeight()), Color);
  Bitmap->GetCanvas()->Draw(0, 0, Graphic);
}

TRect OffsetClipRect(const TRect& Rect, DWORD ClipOffset) {
  const auto dx = static_cast<SmallInt>(LOWORD(ClipOffset));
  const auto dy = static_cast<SmallInt>(HIWORD(ClipOffset));
  return {Rect.Left + dx, Rect.Top + dy, Rect.Right + dx, Rect.Bottom + dy};
}

bool PalettesRealized() {
  if (!VisApplication || (VisApplication->GraphicFlags & 1) == 0) return true;
  WindowDC screen;
  return ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES) > 8;
}

void MakeTransparentMask(TCanvas* SourceCanvas, const TRect& Rect, TBitmap* Mask, TColor TransparentColor,
                         TBitmap* Work) {
  const Integer w = Rect.Width();
  const Integer h = Rect.Height();
  Work->SetPixelFormat(pf24bit);
  Work->SetSize(w, h);
  HDC src = SourceCanvas->GetHandle();
  HDC work = Work->GetCanvas()->GetHandle();
  ::BitBlt(work, 0, 0, w, h, src, Rect.Left, Rect.Top, SRCCOPY);

  std::unique_ptr<TBitmap> mono = NewMonochrome(w, h);
  HDC mask = mono->GetCanvas()->GetHandle();
  {
    const COLORREF back = ::SetBkColor(work, RGBOf(TransparentColor));
    ::BitBlt(mask, 0, 0, w, h, work, 0, 0, SRCCOPY);
    ::SetBkColor(work, back);
  }
  // The transparent pixels of the picture become black: the mask's white turns into the
  // work context's text colour (black) and its black into the background colour (white).
  {
    DCColors colors(work, RGB(255, 255, 255), RGB(0, 0, 0));
    ::BitBlt(work, 0, 0, w, h, mask, 0, 0, SRCAND);
  }
  // The handle itself moves over: a copy would be a monochrome DIB, which copies onto colour
  // contexts through its colour table instead of the target's text and background colours.
  Mask->SetHandle(mono->ReleaseHandle());
}

void TransparentCopy(TCanvas* Dest, const TRect& DestRect, TCanvas* Mask, TCanvas* Picture, const TRect& SourceRect) {
  Dest->RequiredState({csHandleValid, csFontValid, csBrushValid});
  HDC dest = Dest->GetHandle();
  const TCopyMode copyMode = Dest->CopyMode;
  // A monochrome mask reaches a colour target as background colour (white) and text colour
  // (black).
  DCColors colors(dest, RGB(0, 0, 0), RGB(255, 255, 255));
  const int stretchMode = ::SetStretchBltMode(dest, COLORONCOLOR);
  Blit(dest, DestRect, Mask->GetHandle(), SourceRect, cmSrcAnd);
  Blit(dest, DestRect, Picture->GetHandle(), SourceRect, cmSrcPaint);
  ::SetStretchBltMode(dest, stretchMode);
  Dest->CopyMode = copyMode;
}

void DrawBitmapInRect(TCanvas* Canvas, TRect& Rect, TBitmap* Bitmap, TColor TransparentColor, TGraphic* Graphic,
                      TBitmap* Mask, HPALETTE Palette, Word Flags, const TRect& SourceRect) {
  const TRect target = Rect;
  const Integer pw = SourceRect.Width();
  const Integer ph = SourceRect.Height();
  const bool drawGraphic = (Flags & dbGraphic) && Graphic;
  if (pw <= 0 || ph <= 0 || (!drawGraphic && !Bitmap)) return;
  if (!drawGraphic && Bitmap->GetEmpty()) return;

  Canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  HDC dc = Canvas->GetHandle();
  HPALETTE oldPalette = nullptr;
  if ((Flags & dbPalette) && Palette) {
    oldPalette = ::SelectPalette(dc, Palette, TRUE);
    ::RealizePalette(dc);
  }

  const std::vector<TRect> copies = PlaceCopies(target, pw, ph, Flags);
  // Tiles reach past the target's right and bottom edges; they are cut off there.
  std::unique_ptr<ClipIntersection> clip;
  if (Flags & dbTile) clip = std::make_unique<ClipIntersection>(dc, *AsRECT(target));

  if (drawGraphic) {
    for (const TRect& dest : copies) Canvas->StretchDraw(dest, Graphic);
  } else {
    TCanvas* picture = Bitmap->GetCanvas();
    std::unique_ptr<TBitmap> madeMask;
    std::unique_ptr<TBitmap> work;
    TCanvas* maskCanvas = nullptr;
    TRect source = SourceRect;
    if ((Flags & dbMask) && Mask && !Mask->GetEmpty()) {
      // The cell of the mask goes into a monochrome bitmap of known behaviour, and the picture,
      // which must be black where the mask is set, into a copy cleared there.
      madeMask = NewMonochrome(pw, ph);
      HDC m = madeMask->GetCanvas()->GetHandle();
      {
        // White pixels of the given mask become set ones: white is the source's background here.
        HDC given = Mask->GetCanvas()->GetHandle();
        DCColors colors(given, RGB(0, 0, 0), RGB(255, 255, 255));
        ::BitBlt(m, 0, 0, pw, ph, given, SourceRect.Left, SourceRect.Top, SRCCOPY);
      }
      work = std::make_unique<TBitmap>();
      work->SetPixelFormat(pf24bit);
      work->SetSize(pw, ph);
      HDC w = work->GetCanvas()->GetHandle();
      ::BitBlt(w, 0, 0, pw, ph, picture->GetHandle(), SourceRect.Left, SourceRect.Top, SRCCOPY);
      {
        DCColors colors(w, RGB(255, 255, 255), RGB(0, 0, 0));
        ::BitBlt(w, 0, 0, pw, ph, m, 0, 0, SRCAND);
      }
      maskCanvas = madeMask->GetCanvas();
      picture = work->GetCanvas();
      source = ::Rect(0, 0, pw, ph);
    } else if (Flags & dbTransparent) {
      madeMask = std::make_unique<TBitmap>();
      work = std::make_unique<TBitmap>();
      MakeTransparentMask(picture, SourceRect, madeMask.get(), TransparentColor, work.get());
      maskCanvas = madeMask->GetCanvas();
      picture = work->GetCanvas();
      source = ::Rect(0, 0, pw, ph);
    }
    for (const TRect& dest : copies) {
      if (maskCanvas) {
        TransparentCopy(Canvas, dest, maskCanvas, picture, source);
      } else {
        const int stretchMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        Blit(dc, dest, picture->GetHandle(), source, SRCCOPY);
        ::SetStretchBltMode(dc, stretchMode);
      }
    }
  }

  clip.reset();
  if (oldPalette) ::SelectPalette(dc, oldPalette, TRUE);
  if ((Flags & dbTile) || copies.empty())
    Rect = target;
  else
    Rect = copies.front();
}

void DrawBitmapExt(TCanvas* Canvas, TRect& Rect, TBitmap* Bitmap, Word Flags, TColor TransparentColor,
                   TBitmap* Mask, DWORD ClipOffset) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  HPALETTE palette = (Flags & dbPalette) && PalettesRealized() ? Bitmap->GetPalette() : nullptr;
  if ((Flags & dbTransparent) && TransparentColor == clNone) TransparentColor = Bitmap->GetTransparentColor();
  std::unique_ptr<ClipIntersection> clip;
  if (Flags & dbClip)
    clip = std::make_unique<ClipIntersection>(Canvas->GetHandle(), *AsRECT(OffsetClipRect(Rect, ClipOffset)));
  DrawBitmapInRect(Canvas, Rect, Bitmap, TransparentColor, nullptr, Mask, palette, Flags & ~dbGraphic,
                   ::Rect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()));
}

void DrawGraphicExt(TCanvas* Canvas, TRect& Rect, TGraphic* Graphic, Word Flags, TColor TransparentColor,
                    DWORD ClipOffset) {
  if (!Graphic || Graphic->GetEmpty()) return;
  if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic)) {
    DrawBitmapExt(Canvas, Rect, bitmap, Flags, TransparentColor, nullptr, ClipOffset);
    return;
  }
  HPALETTE palette = (Flags & dbPalette) && PalettesRealized() ? Graphic->GetPalette() : nullptr;
  std::unique_ptr<ClipIntersection> clip;
  if (Flags & dbClip)
    clip = std::make_unique<ClipIntersection>(Canvas->GetHandle(), *AsRECT(OffsetClipRect(Rect, ClipOffset)));
  DrawBitmapInRect(Canvas, Rect, nullptr, TransparentColor, Graphic, nullptr, palette, Flags | dbGraphic,
                   ::Rect(0, 0, Graphic->GetWidth(), Graphic->GetHeight()));
}

void DrawEmbossedGlyph(TBitmap* Target, TBitmap* Glyph, Integer X, Integer Y) {
  const Integer w = Glyph->GetWidth();
  const Integer h = Glyph->GetHeight();
  // The monochrome copy is set where the glyph is black (the source's background colour in the
  // copy); those are the pixels that are embossed.
  std::unique_ptr<TBitmap> mono = NewMonochrome(w, h);
  HDC mask = mono->GetCanvas()->GetHandle();
  HDC glyph = Glyph->GetCanvas()->GetHandle();
  {
    DCColors colors(glyph, RGB(255, 255, 255), RGB(0, 0, 0));
    ::BitBlt(mask, 0, 0, w, h, glyph, 0, 0, SRCCOPY);
  }

  TCanvas* canvas = Target->GetCanvas();
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(static_cast<TColor>(RGBOf(Glyph->GetTransparentColor())));
  canvas->FillRect(Rect(0, 0, Target->GetWidth(), Target->GetHeight()));
  // DSPDxax: where the mask is set the brush paints, elsewhere the target stays.
  constexpr DWORD kDSPDxax = 0x00E20746;
  const auto emboss = [&](TColor Color, Integer AtX, Integer AtY) {
    canvas->GetBrush()->SetColor(Color);
    canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    HDC dc = canvas->GetHandle();
    DCColors colors(dc, RGB(0, 0, 0), RGB(255, 255, 255));
    ::BitBlt(dc, AtX, AtY, w, h, mask, 0, 0, kDSPDxax);
  };
  emboss(clBtnHighlight, X + 1, Y + 1);
  emboss(clBtnShadow, X, Y);
}

void BuildDisabledImage(TBitmap* Target, TBitmap* Source) {
  Target->Assign(Source);
  const Integer w = Source->GetWidth();
  const Integer h = Source->GetHeight();
  if (w <= 0 || h <= 0) return;
  TBitmap pixels;
  pixels.Assign(Source);
  pixels.SetPixelFormat(pf24bit);
  const auto at = [&](Integer x, Integer y) {
    const Byte* p = static_cast<const Byte*>(pixels.GetScanLine(y)) + 3 * x;
    return std::array<Byte, 3>{p[0], p[1], p[2]};
  };
  const auto transparent = at(0, 0);

  Int64 sum = 0;
  Int64 count = 0;
  for (Integer x = 0; x < w; ++x)
    for (Integer y = 0; y < h; ++y) {
      const auto p = at(x, y);
      if (p == transparent) continue;
      sum += p[0] + p[1] + p[2];
      ++count;
    }
  Integer base = 0;
  if (count > 0) base = -static_cast<Integer>(Round(200.0L - static_cast<Extended>(sum) / count));

  TCanvas* canvas = Target->GetCanvas();
  for (Integer x = 0; x < w; ++x)
    for (Integer y = 0; y < h; ++y) {
      const auto p = at(x, y);
      if (p == transparent) continue;
      VisLastBrightness = p[0] + p[1] + p[2];
      TColor color = clBlack;
      if (VisLastBrightness > base + 550)
        color = clWhite;
      else if (VisLastBrightness > base + 250)
        color = clBtnHighlight;
      else if (VisLastBrightness > base + 50)
        color = clBtnShadow;
      canvas->SetPixels(x, y, color);
    }
}
