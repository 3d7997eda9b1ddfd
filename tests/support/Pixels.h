// Small 24-bit bitmaps and their pixels, for the tests that draw.
#pragma once

#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "classlib/Bitmaps.h"
#include "tests/support/TestSupport.h"

namespace pixels {

// A 24-bit bitmap of the size, filled with Color.
inline std::unique_ptr<TBitmap> Bitmap24(Integer Width, Integer Height, TColor Color = clWhite) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(Width, Height);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(Color);
  canvas->FillRect(Rect(0, 0, Width, Height));
  return bitmap;
}

// The pixel as a TColor ($00BBGGRR), read from the rows.
inline TColor At(TBitmap& Bitmap, Integer X, Integer Y) {
  const Byte* p = static_cast<const Byte*>(Bitmap.GetScanLine(Y)) + 3 * X;
  return p[0] << 16 | p[1] << 8 | p[2];
}

inline void Put(TBitmap& Bitmap, Integer X, Integer Y, TColor Color) {
  Byte* p = static_cast<Byte*>(Bitmap.GetScanLine(Y)) + 3 * X;
  p[0] = static_cast<Byte>(Color >> 16);
  p[1] = static_cast<Byte>(Color >> 8);
  p[2] = static_cast<Byte>(Color);
}

// The smallest rectangle holding every pixel of Color (empty when there is none).
inline TRect BoundsOf(TBitmap& Bitmap, TColor Color) {
  TRect r{Bitmap.GetWidth(), Bitmap.GetHeight(), 0, 0};
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x)
      if (At(Bitmap, x, y) == Color) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.Right == 0 ? TRect{} : r;
}

inline Integer Count(TBitmap& Bitmap, TColor Color) {
  Integer n = 0;
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x) n += At(Bitmap, x, y) == Color;
  return n;
}

inline std::set<TColor> Colours(TBitmap& Bitmap) {
  std::set<TColor> colours;
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x) colours.insert(At(Bitmap, x, y));
  return colours;
}

inline TColor Sys(TColor Color) { return ColorToRGB(Color); }

// The colour of pixel (x, y) of Picture(): every pixel differs.
inline TColor PictureAt(Integer X, Integer Y) { return RGB(40 * X + 10, 60 * Y + 10, 200); }

// A 4 x 3 picture of distinct colours.
inline std::unique_ptr<TBitmap> Picture() {
  auto picture = Bitmap24(4, 3);
  for (Integer y = 0; y < 3; ++y)
    for (Integer x = 0; x < 4; ++x) Put(*picture, x, y, PictureAt(x, y));
  return picture;
}

// Written as a PNG for people to look at, when PELORIN_SCREENSHOTS names a folder.
inline void SaveForViewing(TBitmap& Bitmap, const std::string& Name) {
  const char* folder = std::getenv("PELORIN_SCREENSHOTS");
  if (!folder || !*folder) return;
  testing_support::ScreenImage image;
  image.width = Bitmap.GetWidth();
  image.height = Bitmap.GetHeight();
  for (Integer y = 0; y < image.height; ++y)
    for (Integer x = 0; x < image.width; ++x) {
      TColor c = At(Bitmap, x, y);
      image.rgb += static_cast<char>(GetRValue(c));
      image.rgb += static_cast<char>(GetGValue(c));
      image.rgb += static_cast<char>(GetBValue(c));
    }
  testing_support::SavePng(image, std::string(folder) + "\\" + Name + ".png");
}

}  // namespace pixels
