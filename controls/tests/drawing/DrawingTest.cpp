// The drawing routines, checked by the pixels they leave on 24-bit bitmaps.
#include <gtest/gtest.h>

#include "tests/support/Pixels.h"
#include "classlib/Forms.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"

using namespace pixels;

namespace {

constexpr TColor kBack = 0x00F0F0F0;
constexpr TColor kLight = 0x0000FF00;
constexpr TColor kShadow = 0x00FF0000;

struct BevelCase {
  TVisBevelStyle style;
  Integer width;
  bool drawn;
  TRect inside;
  // (x, y, colour) samples; kBack where nothing may be drawn.
  std::vector<std::tuple<Integer, Integer, TColor>> samples;
};

TEST(DrawBevelFrame, StylesAndWidths) {
  using enum TVisBevelStyle;
  const BevelCase cases[] = {
      {bvNone, 2, false, {0, 0, 10, 10}, {{0, 0, kBack}}},
      {bvShadow, 2, false, {0, 0, 10, 10}, {{0, 0, kBack}}},
      {bvRaised, 0, false, {0, 0, 10, 10}, {{0, 0, kBack}}},
      {bvRaised, 1, true, {1, 1, 9, 9},
       {{0, 0, kLight}, {0, 9, kLight}, {8, 0, kLight}, {9, 0, kShadow}, {9, 9, kShadow}, {1, 9, kShadow},
        {5, 5, kBack}}},
      {bvLowered, 1, true, {1, 1, 9, 9}, {{0, 0, kShadow}, {9, 9, kLight}, {5, 5, kBack}}},
      {bvNormal, 1, true, {1, 1, 9, 9}, {{0, 0, clBlack}, {9, 9, clBlack}}},
      {bvRaised, 3, true, {3, 3, 7, 7},
       {{1, 5, kLight}, {5, 1, kLight}, {2, 2, kLight}, {8, 5, kShadow}, {5, 8, kShadow}, {9, 9, kShadow},
        {3, 3, kBack}, {6, 6, kBack}}},
      {bvLowered, 2, true, {2, 2, 8, 8}, {{0, 5, kShadow}, {9, 5, kLight}, {4, 4, kBack}}},
      {bvFrameRaised, 1, true, {2, 2, 8, 8},
       {{0, 0, kLight}, {8, 8, kLight}, {1, 1, kShadow}, {9, 9, kShadow}, {9, 0, kBack}, {5, 5, kBack}}},
      {bvFrameLowered, 1, true, {2, 2, 8, 8}, {{0, 0, kShadow}, {9, 9, kLight}}},
  };
  for (const BevelCase& c : cases) {
    auto bitmap = Bitmap24(10, 10, kBack);
    TRect r = Rect(0, 0, 10, 10);
    EXPECT_EQ(DrawBevelFrame(bitmap->GetCanvas(), r, c.style, c.width, kShadow, kLight), c.drawn)
        << int(c.style) << "/" << c.width;
    EXPECT_EQ(r, c.inside) << int(c.style) << "/" << c.width;
    for (const auto& [x, y, colour] : c.samples)
      EXPECT_EQ(At(*bitmap, x, y), colour) << int(c.style) << "/" << c.width << " at " << x << "," << y;
  }
}

TEST(DrawShadowFrame, StripsCornersAndFrames) {
  constexpr TColor frame = 0x000000FF;
  for (bool noCorners : {false, true}) {
    auto bitmap = Bitmap24(20, 20, 0x00123456);
    TRect r = Rect(0, 0, 20, 20);
    DrawShadowFrame(bitmap->GetCanvas(), r, frame, noCorners, 2, 4, kBack, kShadow);
    EXPECT_EQ(r, Rect(2, 2, 14, 14));
    EXPECT_EQ(At(*bitmap, 18, 4), kShadow);
    EXPECT_EQ(At(*bitmap, 18, 19), kShadow);
    EXPECT_EQ(At(*bitmap, 4, 18), kShadow);
    EXPECT_EQ(At(*bitmap, 18, 1), noCorners ? 0x00123456 : kBack);
    EXPECT_EQ(At(*bitmap, 1, 18), noCorners ? 0x00123456 : kBack);
    EXPECT_EQ(At(*bitmap, 0, 0), frame);
    EXPECT_EQ(At(*bitmap, 15, 15), frame);
    EXPECT_EQ(At(*bitmap, 14, 14), frame);  // the second frame
    EXPECT_EQ(At(*bitmap, 8, 8), 0x00123456);
  }
}

TEST(DrawBorderEdge, WidthsAndInsets) {
  struct Case {
    TVisBorderStyle style;
    Integer width;
    TRect inside;  // from (0, 0, 20, 20)
  };
  const Case cases[] = {
      {lsNone, 0, {0, 0, 20, 20}},         {lsSingle, 1, {1, 1, 19, 19}},      {lsLowered, 2, {2, 2, 18, 18}},
      {lsRaised, 2, {2, 2, 18, 18}},       {lsRaisedspb, 2, {1, 1, 18, 18}},   {lsLoweredspb, 2, {2, 2, 19, 19}},
      {lsRaisedExt, 2, {2, 2, 18, 18}},    {lsLoweredExt, 2, {2, 2, 18, 18}},  {lsFrameInset, 2, {2, 2, 18, 18}},
      {lsFrameOffset, 2, {2, 2, 18, 18}},  {lsWindowBorder, 2, {2, 2, 18, 18}}, {lsSingleRaised, 1, {1, 1, 19, 19}},
      {lsSingleLowered, 1, {1, 1, 19, 19}}, {lsDoubleRaised, 2, {2, 2, 18, 18}}, {lsDoubleLowered, 2, {2, 2, 18, 18}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BorderWidth(c.style), c.width) << c.style;
    auto bitmap = Bitmap24(20, 20, kBack);
    TRect r = Rect(0, 0, 20, 20);
    EXPECT_TRUE(DrawBorderEdge(bitmap->GetCanvas(), r, c.style));
    EXPECT_EQ(r, c.inside) << c.style;
    EXPECT_EQ(At(*bitmap, 10, 10), kBack) << c.style;
    if (c.style != lsNone) {
      EXPECT_TRUE(At(*bitmap, 10, 0) != kBack || At(*bitmap, 10, 1) != kBack) << c.style;
    }
  }
  // A sunken border is dark at the top-left and light at the bottom-right, a raised one the
  // other way round.
  const auto brightness = [](TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF); };
  for (TVisBorderStyle style : {lsLowered, lsRaised}) {
    auto bitmap = Bitmap24(20, 20, kBack);
    TRect r = Rect(0, 0, 20, 20);
    DrawBorderEdge(bitmap->GetCanvas(), r, style);
    const bool darkTop = brightness(At(*bitmap, 10, 0)) < brightness(At(*bitmap, 10, 19));
    EXPECT_EQ(darkTop, style == lsLowered) << style;
  }
}

TEST(DrawArrowGlyph, RowsOfEachDirection) {
  struct Case {
    bool down;
    Integer size;
    Integer pixels;
    TRect bounds;
  };
  const Case cases[] = {
      {true, 3, 9, {2, 2, 7, 5}},     // 5 + 3 + 1
      {false, 3, 9, {1, 2, 6, 5}},    // 1 + 3 + 5 around x = 3
      {true, 2, 4, {2, 2, 5, 4}},     // 3 + 1
      {true, 15, 15 * 15, {2, 2, 31, 17}},
      {true, 1, 0, {}},
      {true, 16, 0, {}},
  };
  for (const Case& c : cases) {
    auto bitmap = Bitmap24(40, 20);
    DrawArrowGlyph(bitmap->GetCanvas(), 2, 2, true, c.down, clRed, c.size);
    EXPECT_EQ(Count(*bitmap, clRed), c.pixels) << c.down << "/" << c.size;
    EXPECT_EQ(BoundsOf(*bitmap, clRed), c.bounds) << c.down << "/" << c.size;
  }
  // Disabled: the grey arrow over a highlight copy one pixel right and down.
  auto bitmap = Bitmap24(20, 20, kBack);
  DrawArrowGlyph(bitmap->GetCanvas(), 2, 2, false, true, clRed, 3);
  EXPECT_EQ(Count(*bitmap, clRed), 0);
  EXPECT_EQ(BoundsOf(*bitmap, Sys(clGrayText)), Rect(2, 2, 7, 5));
  EXPECT_EQ(At(*bitmap, 7, 3), Sys(clHighlightText));
}


TEST(DrawBitmapInRect, Placements) {
  struct Case {
    const char* what;
    Word flags;
    TRect target;
    TRect covered;
    // Where picture pixel (0, 0) lands and how many target pixels one picture pixel takes.
    TPoint origin;
    Integer scale;
  };
  const Case cases[] = {
      {"plain", 0, {10, 10, 30, 30}, {10, 10, 14, 13}, {10, 10}, 1},
      {"centred", dbCenter, {10, 10, 30, 30}, {18, 18, 22, 21}, {18, 18}, 1},
      {"stretched", dbStretch, {0, 0, 8, 6}, {0, 0, 8, 6}, {0, 0}, 2},
      {"aspect", dbStretch | dbKeepWidth | dbKeepHeight, {0, 0, 8, 12}, {0, 3, 8, 9}, {0, 3}, 2},
      {"keep width", dbStretch | dbKeepWidth, {0, 0, 8, 30}, {0, 0, 8, 6}, {0, 0}, 2},
      {"keep height", dbStretch | dbKeepHeight, {0, 0, 30, 6}, {0, 0, 8, 6}, {0, 0}, 2},
  };
  auto picture = Picture();
  for (const Case& c : cases) {
    auto target = Bitmap24(40, 40, kBack);
    TRect r = c.target;
    DrawBitmapInRect(target->GetCanvas(), r, picture.get(), clNone, nullptr, nullptr, nullptr, c.flags,
                     Rect(0, 0, 4, 3));
    EXPECT_EQ(r, c.covered) << c.what;
    for (Integer y = 0; y < 3; ++y)
      for (Integer x = 0; x < 4; ++x)
        EXPECT_EQ(At(*target, c.origin.X + x * c.scale, c.origin.Y + y * c.scale), PictureAt(x, y))
            << c.what << " " << x << "," << y;
    EXPECT_EQ(Count(*target, kBack), 40 * 40 - c.covered.Width() * c.covered.Height()) << c.what;
  }
}

TEST(DrawBitmapInRect, TilesStopAtTheTarget) {
  auto picture = Picture();
  auto target = Bitmap24(20, 20, kBack);
  TRect r = Rect(1, 1, 11, 8);
  DrawBitmapInRect(target->GetCanvas(), r, picture.get(), clNone, nullptr, nullptr, nullptr, dbTile, Rect(0, 0, 4, 3));
  EXPECT_EQ(r, Rect(1, 1, 11, 8));
  EXPECT_EQ(At(*target, 1 + 4 + 2, 1 + 3 + 1), PictureAt(2, 1));
  EXPECT_EQ(At(*target, 10, 7), PictureAt(1, 0));  // the third column and row, cut off
  EXPECT_EQ(Count(*target, kBack), 20 * 20 - 10 * 7);
}

TEST(DrawBitmapInRect, Transparency) {
  auto picture = Picture();
  const TColor see = PictureAt(1, 1);
  // By colour.
  {
    auto target = Bitmap24(10, 10, kBack);
    TRect r = Rect(0, 0, 10, 10);
    DrawBitmapInRect(target->GetCanvas(), r, picture.get(), see, nullptr, nullptr, nullptr, dbTransparent,
                     Rect(0, 0, 4, 3));
    EXPECT_EQ(At(*target, 1, 1), kBack);
    EXPECT_EQ(At(*target, 2, 1), PictureAt(2, 1));
    EXPECT_EQ(At(*target, 0, 0), PictureAt(0, 0));
    EXPECT_EQ(Count(*target, kBack), 100 - 11);
  }
  // By a monochrome mask, set where the picture is transparent; stretched, too.
  auto mask = std::make_unique<TBitmap>();
  mask->SetMonochrome(true);
  mask->SetSize(4, 3);
  mask->GetCanvas()->GetBrush()->SetColor(clBlack);
  mask->GetCanvas()->FillRect(Rect(0, 0, 4, 3));
  mask->GetCanvas()->SetPixels(3, 2, clWhite);
  {
    auto target = Bitmap24(10, 10, kBack);
    TRect r = Rect(0, 0, 8, 6);
    DrawBitmapInRect(target->GetCanvas(), r, picture.get(), clNone, nullptr, mask.get(), nullptr,
                     dbMask | dbStretch, Rect(0, 0, 4, 3));
    EXPECT_EQ(At(*target, 6, 4), kBack);
    EXPECT_EQ(At(*target, 7, 5), kBack);
    EXPECT_EQ(At(*target, 4, 4), PictureAt(2, 2));
    EXPECT_EQ(Count(*target, kBack), 100 - 48 + 4);
  }
  // A cell of a strip: the mask's cell lines up with the picture's.
  {
    auto target = Bitmap24(10, 10, kBack);
    TRect r = Rect(0, 0, 10, 10);
    DrawBitmapInRect(target->GetCanvas(), r, picture.get(), clNone, nullptr, mask.get(), nullptr, dbMask,
                     Rect(2, 1, 4, 3));
    EXPECT_EQ(r, Rect(0, 0, 2, 2));
    EXPECT_EQ(At(*target, 0, 0), PictureAt(2, 1));
    EXPECT_EQ(At(*target, 1, 1), kBack);
  }
}

TEST(DrawBitmapInRect, GraphicsAndClipping) {
  auto picture = Picture();
  // The graphic draws itself, stretched.
  auto target = Bitmap24(10, 10, kBack);
  TRect r = Rect(0, 0, 8, 6);
  DrawBitmapInRect(target->GetCanvas(), r, nullptr, clNone, picture.get(), nullptr, nullptr, dbGraphic | dbStretch,
                   Rect(0, 0, 4, 3));
  EXPECT_EQ(At(*target, 6, 4), PictureAt(3, 2));

  // An empty picture rectangle draws nothing and reports the whole target.
  r = Rect(0, 0, 10, 10);
  auto blank = Bitmap24(10, 10, kBack);
  DrawBitmapInRect(blank->GetCanvas(), r, picture.get(), clNone, nullptr, nullptr, nullptr, 0, Rect(0, 0, 0, 0));
  EXPECT_EQ(r, Rect(0, 0, 10, 10));
  EXPECT_EQ(Count(*blank, kBack), 100);

  // A picture centred in a smaller target, clipped to it (the clip moved by an offset).
  auto big = Bitmap24(8, 8, clRed);
  for (DWORD offset : {DWORD(0), DWORD(MAKELONG(1, 0))}) {
    auto clipped = Bitmap24(20, 20, kBack);
    r = Rect(5, 5, 9, 9);
    DrawBitmapExt(clipped->GetCanvas(), r, big.get(), dbCenter | dbClip, clNone, nullptr, offset);
    EXPECT_EQ(r, Rect(3, 3, 11, 11));
    EXPECT_EQ(BoundsOf(*clipped, clRed), offset ? Rect(6, 5, 10, 9) : Rect(5, 5, 9, 9));
  }
  // Without clipping the picture reaches past the target.
  auto open = Bitmap24(20, 20, kBack);
  r = Rect(5, 5, 9, 9);
  DrawGraphicExt(open->GetCanvas(), r, big.get(), dbCenter);
  EXPECT_EQ(BoundsOf(*open, clRed), Rect(3, 3, 11, 11));
}

TEST(DrawingHelpers, FillsMasksAndDisabledLooks) {
  TBitmap filled;
  FillBitmapRect(&filled, Rect(5, 5, 12, 9), clRed);
  EXPECT_EQ(filled.GetWidth(), 7);
  EXPECT_EQ(filled.GetHeight(), 4);
  EXPECT_EQ(filled.GetCanvas()->GetPixels(6, 3), clRed);
  FillBitmapRect(&filled, Rect(5, 5, 5, 9), clBlue);  // empty: unchanged
  EXPECT_EQ(filled.GetWidth(), 7);

  auto picture = Picture();
  TBitmap behind;
  FillBitmapBehind(&behind, picture.get(), clRed);
  EXPECT_EQ(behind.GetWidth(), 4);
  EXPECT_EQ(behind.GetCanvas()->GetPixels(3, 2), PictureAt(3, 2));

  TBitmap mask;
  TBitmap work;
  MakeTransparentMask(picture->GetCanvas(), Rect(1, 1, 4, 3), &mask, PictureAt(2, 1), &work);
  EXPECT_EQ(mask.GetWidth(), 3);
  EXPECT_EQ(mask.GetCanvas()->GetPixels(1, 0), clWhite);
  EXPECT_EQ(mask.GetCanvas()->GetPixels(0, 0), clBlack);
  EXPECT_EQ(work.GetCanvas()->GetPixels(1, 0), clBlack);
  EXPECT_EQ(work.GetCanvas()->GetPixels(2, 1), PictureAt(3, 2));
}

TEST(DrawingHelpers, EmbossedGlyph) {
  constexpr TColor olive = 0x00008080;
  auto glyph = Bitmap24(5, 5, olive);
  Put(*glyph, 2, 2, clBlack);
  Put(*glyph, 3, 1, clWhite);
  Put(*glyph, 1, 3, 0x00404040);
  auto target = Bitmap24(5, 5, clRed);
  DrawEmbossedGlyph(target.get(), glyph.get(), 0, 0);
  EXPECT_EQ(At(*target, 2, 2), Sys(clBtnShadow));
  EXPECT_EQ(At(*target, 3, 3), Sys(clBtnHighlight));
  // Only black pixels are embossed.
  EXPECT_EQ(At(*target, 3, 1), olive);
  EXPECT_EQ(At(*target, 1, 3), olive);
  EXPECT_EQ(Count(*target, olive), 23);
}

TEST(DrawingHelpers, FourToneDisabledImage) {
  constexpr TColor olive = 0x00008080;
  auto source = Bitmap24(3, 2, olive);
  Put(*source, 1, 0, clBlack);              // brightness 0
  Put(*source, 2, 0, 0x00808080);           // 384
  Put(*source, 0, 1, clWhite);              // 765
  Put(*source, 1, 1, 0x00C0C0C0);           // 576
  // Average of the four: 431.25; base = -Round(200 - 431.25) = 231.
  TBitmap target;
  BuildDisabledImage(&target, source.get());
  EXPECT_EQ(target.GetCanvas()->GetPixels(0, 0), olive);
  EXPECT_EQ(target.GetCanvas()->GetPixels(2, 1), olive);
  EXPECT_EQ(target.GetCanvas()->GetPixels(1, 0), clBlack);                // 0 <= 281
  EXPECT_EQ(target.GetCanvas()->GetPixels(2, 0), Sys(clBtnShadow));       // 384 > 281
  EXPECT_EQ(target.GetCanvas()->GetPixels(1, 1), Sys(clBtnHighlight));    // 576 > 481
  EXPECT_EQ(target.GetCanvas()->GetPixels(0, 1), Sys(clBtnHighlight));    // 765, not above 781
  EXPECT_EQ(VisLastBrightness, 384);
}

TEST(DrawingHelpers, TrueTypeFonts) {
  TFont font;
  font.SetName("Arial");
  EXPECT_TRUE(IsTrueTypeFont(&font));
  auto bitmap = Bitmap24(2, 2);
  bitmap->GetCanvas()->GetFont()->SetName("Times New Roman");
  EXPECT_TRUE(IsCanvasFontTrueType(bitmap->GetCanvas()));
  // A raster font, if the system has one.
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  AnsiString raster;
  WindowDC screen;
  ::EnumFontFamiliesExA(
      screen, &wanted,
      [](const LOGFONTA* f, const TEXTMETRICA*, DWORD type, LPARAM found) -> int {
        if (!(type & RASTER_FONTTYPE)) return 1;
        *reinterpret_cast<AnsiString*>(found) = f->lfFaceName;
        return 0;
      },
      reinterpret_cast<LPARAM>(&raster), 0);
  if (!raster.empty()) {
    font.SetName(raster);
    EXPECT_FALSE(IsTrueTypeFont(&font)) << raster;
  }
}

TEST(WindowHelpers, PositionWindowKeepsItsSizeAndAvoidsNegativeCoordinates) {
  UniqueWindow window(::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                        nullptr, nullptr));
  ASSERT_TRUE(window);
  struct Case {
    TRect area;
    TVisDlgPosition position;
    TPoint expected;
  };
  const Case cases[] = {
      {{100, 100, 500, 400}, bpCenter, {150, 150}},
      {{100, 100, 500, 400}, bpBottomRight, {200, 200}},
      {{100, 100, 500, 400}, bpCustom, {100, 100}},
      {{100, 100, 500, 400}, bpTopCenter, {150, 100}},
      {{0, 0, 100, 100}, bpCenter, {0, 0}},
      {{0, 0, 100, 100}, bpBottomRight, {0, 0}},
      // Unlike the dialogs' placement, nothing pulls the window back onto the screen.
      {{2000, 2000, 2400, 2300}, bpTopLeft, {2000, 2000}},
  };
  for (const Case& c : cases) {
    PositionWindow(window.get(), c.area, c.position);
    RECT r{};
    ::GetWindowRect(window.get(), &r);
    EXPECT_EQ(Point(r.left, r.top), c.expected) << c.position;
    EXPECT_EQ(r.right - r.left, 300);
  }
}

TEST(WindowHelpers, ZoomFramesRunInEqualSteps) {
  const std::vector<TRect> frames = ZoomFrames(Rect(10, 10, 10, 10), Rect(0, 0, 100, 40), 5);
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[0], Rect(8, 8, 28, 16));
  EXPECT_EQ(frames[2], Rect(4, 4, 64, 28));
  EXPECT_EQ(frames.back(), Rect(0, 0, 100, 40));
  EXPECT_TRUE(ZoomFrames(Rect(0, 0, 1, 1), Rect(0, 0, 2, 2), 0).empty());

  // The animations leave the screen as they found it and finish.
  TForm* form = new TForm(nullptr);
  form->SetBounds(100, 100, 200, 150);
  const DWORD start = ::GetTickCount();
  ZoomRectAnimation(form, -1, 0, 1, 4);
  ZoomRectAnimation2(form, 10, 10, true, 1, 10, 20, 4);
  // They come back: a few frames each, far within this bound on any machine, however busy.
  EXPECT_LT(::GetTickCount() - start, 120000u);
  delete form;
}

TEST(WindowHelpers, ActivatePrevInstanceNeedsAnotherCopy) {
  Application->SetTitle("Drawing tests");
  ASSERT_FALSE(VisApplication->GetPrevInstance());
  ActivatePrevInstance();
  char title[64]{};
  ::GetWindowTextA(Application->GetHandle(), title, sizeof(title));
  EXPECT_STREQ(title, "Drawing tests");
}

}  // namespace
