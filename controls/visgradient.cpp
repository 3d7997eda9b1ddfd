// Colour stepping, gradient palettes and gradient painting.
#include "controls/visgradient.h"

#include "classlib/Bitmaps.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

namespace {

Integer Red(LongInt rgb) { return rgb & 0xFF; }
Integer Green(LongInt rgb) { return (rgb >> 8) & 0xFF; }
Integer Blue(LongInt rgb) { return (rgb >> 16) & 0xFF; }

// Paints the shapes of one style on dc, relative to (x0, y0), in a W x H area.
void PaintShapes(TCanvas* Canvas, Integer x0, Integer y0, Integer W, Integer H, TVisGradientStyle Style,
                 const TVisColorTable& Table, bool PaletteRelative) {
  const Integer n = static_cast<Integer>(Table.size());
  TBrush* brush = Canvas->GetBrush();
  brush->SetStyle(bsSolid);
  Canvas->GetPen()->SetStyle(psClear);
  const auto colour = [&](Integer i) {
    const LongInt rgb = Table[static_cast<std::size_t>(i)] & 0x00FFFFFF;
    // PALETTERGB: the colour is matched against the realized palette.
    brush->SetColor(PaletteRelative ? static_cast<TColor>(0x02000000 | rgb) : static_cast<TColor>(rgb));
  };
  if (Style == gstHorizontal) {
    for (Integer i = 0; i < n; ++i) {
      colour(i);
      Canvas->FillRect({x0 + ::MulDiv(i, W, n), y0, x0 + ::MulDiv(i + 1, W, n), y0 + H});
    }
    return;
  }
  const Integer cx = x0 + W / 2;
  const Integer cy = y0 + H / 2;
  for (Integer i = n - 1; i >= 0; --i) {
    colour(i);
    const Integer w = ::MulDiv(i + 1, W, n);
    const Integer h = ::MulDiv(i + 1, H, n);
    switch (Style) {
      case gstVertical: Canvas->FillRect({x0, y0 + ::MulDiv(i, H, n), x0 + W, y0 + h}); break;
      case gstSquare:
        // Without an outline GDI leaves out a rectangle's last column and row.
        Canvas->Rectangle(cx - w / 2, cy - h / 2, cx + w / 2 + 2, cy + h / 2 + 2);
        break;
      case gstElliptic: {
        const auto rx = static_cast<Integer>(Round(w / 1.4L));
        const auto ry = static_cast<Integer>(Round(h / 1.4L));
        Canvas->Ellipse(cx - rx, cy - ry, cx + rx, cy + ry);
        break;
      }
      case gstTopLeft: Canvas->FillRect({x0, y0, x0 + w, y0 + h}); break;
      case gstTopRight: Canvas->FillRect({x0 + W - w, y0, x0 + W, y0 + h}); break;
      case gstBottomLeft: Canvas->FillRect({x0, y0 + H - h, x0 + w, y0 + H}); break;
      case gstBottomRight: Canvas->FillRect({x0 + W - w, y0 + H - h, x0 + W, y0 + H}); break;
      case gstTopLeftDiagonal:
        // A band of height 2h centred on the diagonal from the top-left to the bottom-right corner.
        Canvas->Polygon({{x0, y0 - h}, {x0 + W, y0 + H - h}, {x0 + W, y0 + H + h}, {x0, y0 + h}});
        break;
      case gstTopRightDiagonal:
        Canvas->Polygon({{x0, y0 + H - h}, {x0 + W, y0 - h}, {x0 + W, y0 + h}, {x0, y0 + H + h}});
        break;
      default: break;
    }
  }
}

}  // namespace

void BuildColorSteps(TColor StartColor, TColor EndColor, Byte Count, bool Clear, TVisColorTable* Table) {
  if (!Table || Count == 0) return;
  const LongInt start = ColorToRGB(StartColor);
  const LongInt end = ColorToRGB(EndColor);
  if (Clear) Table->clear();
  const auto step = [Count](Integer a, Integer b, Integer i) {
    // MulDiv by Count - 1 = 0 would give -1; a single step is the start colour.
    return Count == 1 ? a : (a + ::MulDiv(i, b - a, Count - 1)) & 0xFF;
  };
  for (Integer i = Clear ? 0 : 1; i < Count; ++i)
    Table->push_back(step(Red(start), Red(end), i) | (step(Green(start), Green(end), i) << 8) |
                     (step(Blue(start), Blue(end), i) << 16));
}

TColor InterpolateColor(TColor Color1, TColor Color2, Integer Step, Integer Steps) {
  const LongInt c1 = ColorToRGB(Color1);
  const LongInt c2 = ColorToRGB(Color2);
  if (Steps == 0) return c1;
  const auto mix = [Step, Steps](Integer a, Integer b) {
    return static_cast<Integer>(Round(a + static_cast<Extended>(b - a) * Step / Steps)) & 0xFF;
  };
  return mix(Red(c1), Red(c2)) | (mix(Green(c1), Green(c2)) << 8) | (mix(Blue(c1), Blue(c2)) << 16);
}

HPALETTE CreateGradientPalette(const TVisColorTable* Table) {
  if (!Table || Table->empty()) return nullptr;
  const std::size_t n = Table->size();
  std::vector<Byte> memory(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(n);
  for (std::size_t i = 0; i < n; ++i) {
    const LongInt rgb = (*Table)[i];
    palette->palPalEntry[i] = {static_cast<BYTE>(Red(rgb)), static_cast<BYTE>(Green(rgb)),
                               static_cast<BYTE>(Blue(rgb)), PC_NOCOLLAPSE};
  }
  return ::CreatePalette(palette);
}

void FillGradient(TCanvas* Canvas, const TRect& Rect, TVisGradientStyle Style, Word Flags, HPALETTE Palette,
                  DWORD ClipOffset, const TVisColorTable* Table) {
  if (!Table || Table->empty() || Rect.Width() <= 0 || Rect.Height() <= 0) return;
  const bool usePalette = (Flags & gfPalette) && Palette && PalettesRealized();
  const Integer W = Rect.Width();
  const Integer H = Rect.Height();

  if (Flags & gfBitmap) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(W, H);
    TCanvas* target = bitmap.GetCanvas();
    HDC dc = target->GetHandle();
    HPALETTE old = usePalette ? ::SelectPalette(dc, Palette, FALSE) : nullptr;
    if (usePalette) ::RealizePalette(dc);
    PaintShapes(target, 0, 0, W, H, Style, *Table, usePalette);
    if (old) ::SelectPalette(dc, old, TRUE);
    Canvas->Draw(Rect.Left, Rect.Top, &bitmap);
    return;
  }

  Canvas->RequiredState({csHandleValid});
  HDC dc = Canvas->GetHandle();
  // The outer squares, ellipses and diagonal bands reach past the rectangle: they are cut off at
  // its edges, or with gfClip at the rectangle moved by the clip offset.
  const TRect clipRect = (Flags & gfClip) ? OffsetClipRect(Rect, ClipOffset) : Rect;
  ClipIntersection clip(dc, *AsRECT(clipRect));
  HPALETTE old = usePalette ? ::SelectPalette(dc, Palette, FALSE) : nullptr;
  if (usePalette) ::RealizePalette(dc);
  PaintShapes(Canvas, Rect.Left, Rect.Top, W, H, Style, *Table, usePalette);
  if (old) ::SelectPalette(dc, old, TRUE);
}

void DrawGradientList(TCanvas* Canvas, const TRect& Rect, TColor StartColor, TColor EndColor, Byte Count,
                      TVisGradientStyle Style, Word Flags, DWORD ClipOffset) {
  TVisColorTable table;
  BuildColorSteps(StartColor, EndColor, Count, true, &table);
  UniqueGdiObject palette((Flags & gfPalette) ? CreateGradientPalette(&table) : nullptr);
  FillGradient(Canvas, Rect, Style, Flags, static_cast<HPALETTE>(palette.get()), ClipOffset, &table);
}
