// The background of a viewer: a picture and how it is laid under the document (stretched,
// tiled with the window or with the document, or centred on the background colour). The native
// format stores it with the document, and the HTML writers write it into the page.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"
#include "richtext/core/UVTypes.h"

enum TBackgroundStyle { bsNoBitmap, bsStretched, bsTiled, bsTiledAndScrolled, bsCentered };
ENUM_NAMES(TBackgroundStyle, "bsNoBitmap", "bsStretched", "bsTiled", "bsTiledAndScrolled", "bsCentered");

class TUVBackground : public TObject {
  CLASS_INFO(TUVBackground, TObject)
public:
  TUVBackground();
  ~TUVBackground() override;

  // Whether scrolling must repaint the whole window: the picture stays where the window is
  // while the text moves (stretched, tiled with the window, centred).
  bool ScrollRequiresFullRedraw();
  // Prepares the picture for a palette display: applies the palette to the picture itself, or to
  // a copy that is drawn from then on.
  void UpdatePaletted(TUVPaletteAction Action, LOGPALETTE* LogPalette);
  // Draws the background of ClipRect (window coordinates) onto DC, whose origin is the clip
  // rectangle's top-left corner; HOffs and VOffs are the document's scroll position.
  void Draw(HDC DC, const TRect& ClipRect, Integer HOffs, Integer VOffs, Integer ClientWidth, Integer ClientHeight,
            TColor Color);
  // Whether there is a picture to show.
  bool HasPicture() { return Style != bsNoBitmap && !Bitmap->GetEmpty(); }

  TBitmap* Bitmap;  // owned
  TBackgroundStyle Style = bsNoBitmap;

private:
  TBitmap* FPaletteCopy = nullptr;  // owned
};
