// The background picture of a viewer and its five ways of covering the window.
#include "richtext/core/UVBack.h"

#include "classlib/Handles.h"
#include "richtext/core/UVFuncs.h"

TUVBackground::TUVBackground() : Bitmap(new TBitmap) {}

TUVBackground::~TUVBackground() {
  delete FPaletteCopy;
  delete Bitmap;
}

bool TUVBackground::ScrollRequiresFullRedraw() {
  if (Bitmap->GetEmpty()) return false;
  return Style == bsStretched || Style == bsTiled || Style == bsCentered;
}

void TUVBackground::UpdatePaletted(TUVPaletteAction Action, LOGPALETTE* LogPalette) {
  FreeAndNil(FPaletteCopy);
  if (!LogPalette || Bitmap->GetEmpty()) return;
  if (Action == uvpaAssignPallette) {
    UVApplyPalette(Bitmap, LogPalette);
  } else if (Action == uvpaCreateCopies || Action == uvpaCreateCopiesEx) {
    FPaletteCopy = new TBitmap;
    FPaletteCopy->Assign(Bitmap);
    UVApplyPalette(FPaletteCopy, LogPalette);
  }
}

void TUVBackground::Draw(HDC DC, const TRect& ClipRect, Integer HOffs, Integer VOffs, Integer ClientWidth,
                         Integer ClientHeight, TColor Color) {
  TBitmap* picture = FPaletteCopy ? FPaletteCopy : Bitmap;
  const bool hasPicture = !picture->GetEmpty();
  const Integer w = hasPicture ? picture->GetWidth() : 0;
  const Integer h = hasPicture ? picture->GetHeight() : 0;
  if (hasPicture && w > 0 && h > 0 && (Style == bsStretched || Style == bsTiled || Style == bsTiledAndScrolled)) {
    HDC source = picture->GetCanvas()->GetHandle();
    if (Style == bsStretched) {
      ::StretchBlt(DC, -ClipRect.Left, -ClipRect.Top, ClientWidth, ClientHeight, source, 0, 0, w, h, SRCCOPY);
      return;
    }
    // Tiles fixed to the window, or to the document when they scroll with it.
    const Integer dx = Style == bsTiledAndScrolled ? HOffs : 0;
    const Integer dy = Style == bsTiledAndScrolled ? VOffs : 0;
    for (Integer row = (ClipRect.Top + dy) / h; row <= (ClipRect.Bottom + dy) / h; ++row)
      for (Integer col = (ClipRect.Left + dx) / w; col <= (ClipRect.Right + dx) / w; ++col)
        ::BitBlt(DC, col * w - dx - ClipRect.Left, row * h - dy - ClipRect.Top, w, h, source, 0, 0, SRCCOPY);
    return;
  }
  UniqueGdiObject brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color))));
  RECT fill{0, 0, ClipRect.Right - ClipRect.Left, ClipRect.Bottom - ClipRect.Top};
  ::FillRect(DC, &fill, static_cast<HBRUSH>(brush.get()));
  if (hasPicture && Style == bsCentered)
    ::BitBlt(DC, (ClientWidth - w) / 2 - ClipRect.Left, (ClientHeight - h) / 2 - ClipRect.Top, w, h,
             picture->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}
