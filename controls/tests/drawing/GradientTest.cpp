// Colour stepping, gradient styles and the fill object's fill, by pixels.
#include <gtest/gtest.h>

#include "tests/support/Pixels.h"
#include "controls/VisObject.h"
#include "controls/visgradient.h"

using namespace pixels;

namespace {

TEST(ColourSteps, TablesAndInterpolation) {
  TVisColorTable table{0x111111};
  BuildColorSteps(clBlack, clWhite, 3, true, &table);
  EXPECT_EQ(table, (TVisColorTable{0x000000, 0x808080, 0xFFFFFF}));
  // A continuation leaves out its first colour.
  BuildColorSteps(clWhite, 0x0000FF, 3, false, &table);
  // MulDiv rounds the half away from zero: 255 - 127.5 gives 127.
  EXPECT_EQ(table, (TVisColorTable{0x000000, 0x808080, 0xFFFFFF, 0x7F7FFF, 0x0000FF}));
  BuildColorSteps(clRed, clBlue, 1, true, &table);
  EXPECT_EQ(table, (TVisColorTable{0x0000FF}));
  BuildColorSteps(clRed, clBlue, 0, true, &table);
  EXPECT_EQ(table.size(), 1u);
  BuildColorSteps(clRed, clBlue, 4, true, nullptr);
  BuildColorSteps(clBtnFace, clBtnFace, 2, true, &table);
  EXPECT_EQ(table, (TVisColorTable{Sys(clBtnFace), Sys(clBtnFace)}));

  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 1, 2), 0x808080);  // 127.5 to the even 128
  EXPECT_EQ(InterpolateColor(clBlack, 0x0000FF, 1, 4), 0x000040);  // 63.75
  EXPECT_EQ(InterpolateColor(0x000064, 0x000000, 3, 8), 0x00003E);  // 62.5 to the even 62
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 0, 0), clRed);

  EXPECT_EQ(CreateGradientPalette(nullptr), nullptr);
  TVisColorTable empty;
  EXPECT_EQ(CreateGradientPalette(&empty), nullptr);
  TVisColorTable two{0x0000FF, 0x00FF00};
  HPALETTE palette = CreateGradientPalette(&two);
  PALETTEENTRY entries[2]{};
  EXPECT_EQ(::GetPaletteEntries(palette, 0, 2, entries), 2u);
  EXPECT_EQ(entries[0].peRed, 255);
  EXPECT_EQ(entries[1].peGreen, 255);
  ::DeleteObject(palette);
}

const TVisColorTable kFour{0x000011, 0x000022, 0x000033, 0x000044};

struct StyleCase {
  TVisGradientStyle style;
  std::vector<std::tuple<Integer, Integer, Integer>> samples;  // x, y, table entry
};

TEST(FillGradient, EveryStyle) {
  const StyleCase cases[] = {
      {gstHorizontal, {{5, 20, 0}, {15, 3, 1}, {25, 39, 2}, {39, 0, 3}}},
      {gstVertical, {{20, 5, 0}, {3, 15, 1}, {39, 25, 2}, {0, 39, 3}}},
      {gstSquare, {{20, 20, 0}, {25, 25, 0}, {26, 20, 1}, {12, 20, 1}, {7, 20, 2}, {0, 0, 3}, {39, 39, 3}}},
      {gstElliptic, {{20, 20, 0}, {20, 29, 1}, {0, 0, 3}}},
      {gstTopLeft, {{0, 0, 0}, {9, 9, 0}, {15, 5, 1}, {25, 5, 2}, {39, 39, 3}}},
      {gstTopRight, {{39, 0, 0}, {30, 9, 0}, {0, 39, 3}}},
      {gstBottomLeft, {{0, 39, 0}, {9, 30, 0}, {39, 0, 3}}},
      {gstBottomRight, {{39, 39, 0}, {30, 30, 0}, {0, 0, 3}}},
      {gstTopLeftDiagonal, {{20, 20, 0}, {0, 0, 0}, {39, 39, 0}, {39, 0, 3}, {0, 39, 3}}},
      {gstTopRightDiagonal, {{20, 20, 0}, {39, 0, 0}, {0, 39, 0}, {0, 0, 3}, {39, 39, 3}}},
  };
  for (Word flags : {Word(0), gfBitmap}) {
    for (const StyleCase& c : cases) {
      auto bitmap = Bitmap24(50, 50, clWhite);
      FillGradient(bitmap->GetCanvas(), Rect(0, 0, 40, 40), c.style, flags, nullptr, 0, &kFour);
      for (const auto& [x, y, entry] : c.samples)
        EXPECT_EQ(At(*bitmap, x, y), kFour[entry]) << c.style << " at " << x << "," << y << " flags " << flags;
      // Nothing outside the rectangle.
      EXPECT_EQ(At(*bitmap, 45, 45), clWhite) << c.style;
      EXPECT_EQ(Count(*bitmap, clWhite), 50 * 50 - 40 * 40) << c.style << " flags " << flags;
    }
  }
}

TEST(FillGradient, TwoColoursClippingAndNothing) {
  // Two colours: two bands.
  auto bitmap = Bitmap24(10, 10);
  DrawGradientList(bitmap->GetCanvas(), Rect(0, 0, 10, 10), clRed, clBlue, 2, gstVertical, 0);
  EXPECT_EQ(Colours(*bitmap), (std::set<TColor>{clRed, clBlue}));
  EXPECT_EQ(BoundsOf(*bitmap, clRed), Rect(0, 0, 10, 5));

  // Clipped to the rectangle moved by the offset.
  auto clipped = Bitmap24(20, 10);
  FillGradient(clipped->GetCanvas(), Rect(0, 0, 10, 10), gstHorizontal, gfClip, nullptr, MAKELONG(5, 0), &kFour);
  EXPECT_EQ(At(*clipped, 2, 2), clWhite);
  EXPECT_EQ(At(*clipped, 6, 2), kFour[2]);
  EXPECT_EQ(At(*clipped, 12, 2), clWhite);

  // An empty table or rectangle paints nothing.
  auto blank = Bitmap24(10, 10);
  TVisColorTable none;
  FillGradient(blank->GetCanvas(), Rect(0, 0, 10, 10), gstSquare, 0, nullptr, 0, &none);
  FillGradient(blank->GetCanvas(), Rect(0, 0, 10, 10), gstSquare, 0, nullptr, 0, nullptr);
  FillGradient(blank->GetCanvas(), Rect(5, 5, 5, 9), gstSquare, 0, nullptr, 0, &kFour);
  EXPECT_EQ(Count(*blank, clWhite), 100);

  // With the palette realized the colours still come out (on a true-colour bitmap).
  auto paletted = Bitmap24(10, 10);
  TVisColorTable two{0x0000FF, 0x00FF00};
  HPALETTE palette = CreateGradientPalette(&two);
  FillGradient(paletted->GetCanvas(), Rect(0, 0, 10, 10), gstHorizontal, gfPalette, palette, 0, &two);
  EXPECT_EQ(At(*paletted, 1, 1), 0x0000FF);
  EXPECT_EQ(At(*paletted, 8, 8), 0x00FF00);
  ::DeleteObject(palette);
}


constexpr TColor kGradientBack = 0x00ABCDEF;

TEST(FillArea, BrushesAndNothing) {
  TVisFillObject fill;
  auto bitmap = Bitmap24(16, 16, clWhite);
  EXPECT_FALSE(fill.FillArea(bitmap->GetCanvas(), Rect(0, 0, 16, 16), kGradientBack));
  EXPECT_EQ(Count(*bitmap, clWhite), 256);

  fill.SetStyle(sfBrush);
  fill.GetBrush()->SetColor(clRed);
  EXPECT_TRUE(fill.FillArea(bitmap->GetCanvas(), Rect(0, 0, 8, 16), kGradientBack));
  EXPECT_EQ(BoundsOf(*bitmap, clRed), Rect(0, 0, 8, 16));

  // A hatch shows the background colour between its lines.
  fill.GetBrush()->SetStyle(bsCross);
  fill.GetBrush()->SetColor(clBlack);
  auto hatched = Bitmap24(16, 16, clWhite);
  EXPECT_TRUE(fill.FillArea(hatched->GetCanvas(), Rect(0, 0, 16, 16), kGradientBack));
  EXPECT_EQ(Colours(*hatched), (std::set<TColor>{clBlack, kGradientBack}));

  // A pattern brush repeats its bitmap.
  fill.SetStyle(sfBrushBitmap);
  auto pattern = Bitmap24(8, 8, clBlue);
  Put(*pattern, 2, 3, clLime);
  fill.SetBitmap(pattern.get());
  auto patterned = Bitmap24(16, 16, clWhite);
  EXPECT_TRUE(fill.FillArea(patterned->GetCanvas(), Rect(0, 0, 16, 16), kGradientBack));
  EXPECT_EQ(At(*patterned, 10, 11), clLime);
  EXPECT_EQ(Count(*patterned, clLime), 4);
  EXPECT_EQ(Count(*patterned, clBlue), 252);
  // The canvas's brush forgets the pattern afterwards.
  EXPECT_EQ(patterned->GetCanvas()->GetBrush()->GetBitmap(), nullptr);

  // Where pattern brushes hold 8 x 8 pixels only, the bitmap's top-left 8 x 8 repeat.
  auto large = Bitmap24(16, 16, clBlue);
  Put(*large, 12, 12, clLime);
  Put(*large, 1, 1, clRed);
  fill.SetBitmap(large.get());
  VisSmallPatternBrushes = true;
  auto small = Bitmap24(16, 16, clWhite);
  fill.FillArea(small->GetCanvas(), Rect(0, 0, 16, 16), kGradientBack);
  VisSmallPatternBrushes = false;
  EXPECT_EQ(Count(*small, clLime), 0);
  EXPECT_EQ(Count(*small, clRed), 4);
  EXPECT_EQ(At(*small, 9, 9), clRed);
}

TEST(FillArea, Pictures) {
  struct Case {
    const char* what;
    TVisTileMode mode;
    TVisAlignment alignment;
    TPoint offset;
    bool fillInner;
    TPoint origin;  // where picture pixel (0, 0) lands
    Integer scale;
    Integer backPixels;  // pixels of the background colour afterwards
  };
  const Case cases[] = {
      {"top-left", tmNone, agTopLeft, {0, 0}, true, {0, 0}, 1, 20 * 12 - 12},
      {"centred by alignment, moved", tmNone, agCenter, {2, -1}, true, {10, 3}, 1, 20 * 12 - 12},
      {"bottom right without inner fill", tmNone, agBottomRight, {0, 0}, false, {16, 9}, 1, 0},
      {"centred", tmCenter, agTopLeft, {0, 0}, true, {8, 4}, 1, 20 * 12 - 12},
      {"stretched", tmStretch, agTopLeft, {0, 0}, true, {0, 0}, 5, 0},
  };
  auto picture = Picture();
  for (const Case& c : cases) {
    TVisFillObject fill;
    fill.SetStyle(sfBitmap);
    fill.SetBitmap(picture.get());
    fill.SetTileMode(c.mode);
    fill.SetAlignment(c.alignment);
    fill.SetOffsetX(c.offset.X);
    fill.SetOffsetY(c.offset.Y);
    if (!c.fillInner) fill.SetOptions({foGrUseBitmap});
    auto bitmap = Bitmap24(20, 15, clWhite);
    EXPECT_TRUE(fill.FillArea(bitmap->GetCanvas(), Rect(0, 0, 20, 12), kGradientBack)) << c.what;
    for (Integer y = 0; y < 3; ++y)
      for (Integer x = 0; x < 4; ++x)
        EXPECT_EQ(At(*bitmap, c.origin.X + x * c.scale, c.origin.Y + y * c.scale), PictureAt(x, y))
            << c.what << " " << x << "," << y;
    EXPECT_EQ(Count(*bitmap, kGradientBack), c.backPixels) << c.what;
  }

  // Tiled over the whole area.
  TVisFillObject tiled;
  tiled.SetStyle(sfBitmap);
  tiled.SetBitmap(picture.get());
  auto bitmap = Bitmap24(20, 15, clWhite);
  tiled.FillArea(bitmap->GetCanvas(), Rect(0, 0, 10, 7), kGradientBack);
  EXPECT_EQ(At(*bitmap, 9, 6), PictureAt(1, 0));
  EXPECT_EQ(Count(*bitmap, clWhite), 20 * 15 - 70);

  // Without a picture only the inner area is filled, and the fill did not cover it.
  TVisFillObject empty;
  empty.SetStyle(sfBitmapList);
  auto blank = Bitmap24(5, 5, clWhite);
  EXPECT_FALSE(empty.FillArea(blank->GetCanvas(), Rect(0, 0, 5, 5), kGradientBack));
  EXPECT_EQ(Count(*blank, kGradientBack), 25);
  // The list bitmap is the picture of sfBitmapList.
  empty.GetListBitmap()->Assign(picture.get());
  empty.SetTileMode(tmNone);
  EXPECT_TRUE(empty.FillArea(blank->GetCanvas(), Rect(0, 0, 5, 5), kGradientBack));
  EXPECT_EQ(At(*blank, 3, 2), PictureAt(3, 2));
}

TEST(FillArea, Gradients) {
  for (bool throughBitmap : {false, true}) {
    TVisFillObject fill;
    fill.SetStyle(sfGradient);
    fill.GetGradient()->SetColorCount(2);
    fill.GetGradient()->SetColor(clRed);
    fill.GetGradient()->SetEndColor(clLime);
    fill.GetGradient()->SetStyle(gstHorizontal);
    fill.SetOptions(throughBitmap ? TVisFillOptions{foGrUseBitmap} : TVisFillOptions{});
    auto bitmap = Bitmap24(12, 4, clWhite);
    EXPECT_TRUE(fill.FillArea(bitmap->GetCanvas(), Rect(0, 0, 10, 4), kGradientBack));
    EXPECT_EQ(BoundsOf(*bitmap, clRed), Rect(0, 0, 5, 4));
    EXPECT_EQ(BoundsOf(*bitmap, clLime), Rect(5, 0, 10, 4));
    EXPECT_EQ(Count(*bitmap, clWhite), 8);
  }
}

}  // namespace
