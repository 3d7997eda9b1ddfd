// Pixel effects and the alpha and effect objects, by byte arithmetic on known bitmaps.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/Pixels.h"
#include "controls/VisObject.h"
#include "controls/viseffects.h"

using namespace pixels;

namespace {

// A 3 x 2 picture: the first row (10,20,30) (40,50,60) (70,80,90), the second (0,255,128)
// (1,2,3) (200,150,100), each as (red, green, blue).
std::unique_ptr<TBitmap> Known() {
  auto b = Bitmap24(3, 2);
  Put(*b, 0, 0, RGB(10, 20, 30));
  Put(*b, 1, 0, RGB(40, 50, 60));
  Put(*b, 2, 0, RGB(70, 80, 90));
  Put(*b, 0, 1, RGB(0, 255, 128));
  Put(*b, 1, 1, RGB(1, 2, 3));
  Put(*b, 2, 1, RGB(200, 150, 100));
  return b;
}

TEST(BitmapEffects, PixelFormatCheck) {
  auto good = Bitmap24(2, 2);
  EXPECT_TRUE(CheckPixelFormat(good.get(), "Source 1"));
  TBitmap eight;
  eight.SetPixelFormat(pf8bit);
  eight.SetSize(2, 2);
  try {
    AlphaBlendBitmaps(good.get(), good.get(), Rect(0, 0, 2, 2), Point(0, 0), 0.5f, &eight, Point(0, 0));
    FAIL() << "an 8-bit target was taken";
  } catch (const EVisWrongPixelFormat& e) {
    EXPECT_EQ(e.Message, "Wrong PixelFormat in Target bitmap!");
  }
  try {
    AlphaBlendBitmaps(good.get(), &eight, Rect(0, 0, 2, 2), Point(0, 0), 0.5f, good.get(), Point(0, 0));
    FAIL();
  } catch (const EVisWrongPixelFormat& e) {
    EXPECT_EQ(e.Message, "Wrong PixelFormat in Source 2 bitmap!");
  }
}

TEST(BitmapEffects, GreyScale) {
  auto b = Known();
  GrayScaleBitmap(b.get(), Rect(0, 0, 3, 2), b.get(), Point(0, 0));
  // Round(0.3 r) + Round(0.59 g) + Round(0.11 b), halves to even.
  const auto grey = [](int r, int g, int bl) {
    const auto half = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    const int v = half(r * 0.3) + half(g * 0.59) + half(bl * 0.11);
    return RGB(v, v, v);
  };
  EXPECT_EQ(At(*b, 0, 0), grey(10, 20, 30));
  EXPECT_EQ(At(*b, 0, 1), grey(0, 255, 128));
  EXPECT_EQ(At(*b, 2, 1), RGB(60 + 88 + 11, 60 + 88 + 11, 159));  // 88.5 to the even 88
}

TEST(BitmapEffects, Mirrors) {
  auto rows = Known();
  MirrorRowsBitmap(rows.get(), Rect(0, 0, 3, 2), rows.get(), Point(0, 0));
  EXPECT_EQ(At(*rows, 0, 0), RGB(0, 255, 128));
  EXPECT_EQ(At(*rows, 2, 1), RGB(70, 80, 90));

  auto columns = Known();
  MirrorColumnsBitmap(columns.get(), Rect(0, 0, 3, 2), columns.get(), Point(0, 0));
  EXPECT_EQ(At(*columns, 0, 0), RGB(70, 80, 90));
  EXPECT_EQ(At(*columns, 1, 0), RGB(40, 50, 60));  // the middle column stays
  EXPECT_EQ(At(*columns, 2, 1), RGB(0, 255, 128));

  // One pixel wide or high: nothing moves.
  auto narrow = Known();
  MirrorColumnsBitmap(narrow.get(), Rect(1, 0, 2, 2), narrow.get(), Point(1, 0));
  MirrorRowsBitmap(narrow.get(), Rect(0, 1, 3, 2), narrow.get(), Point(0, 1));
  for (Integer y = 0; y < 2; ++y)
    for (Integer x = 0; x < 3; ++x) EXPECT_EQ(At(*narrow, x, y), At(*Known(), x, y));

  // Into another bitmap at a point.
  auto dest = Bitmap24(4, 3, clWhite);
  MirrorRowsBitmap(Known().get(), Rect(1, 0, 3, 2), dest.get(), Point(2, 1));
  EXPECT_EQ(At(*dest, 2, 1), RGB(1, 2, 3));
  EXPECT_EQ(At(*dest, 3, 2), RGB(70, 80, 90));
  EXPECT_EQ(Count(*dest, clWhite), 8);
}

TEST(BitmapEffects, InvertAndBrightness) {
  auto b = Known();
  InvertBitmap(b.get(), Rect(0, 0, 3, 2), b.get(), Point(0, 0));
  EXPECT_EQ(At(*b, 0, 1), RGB(255, 0, 127));

  struct Case {
    Integer amount;
    TColor first;   // of (0, 255, 128)
    TColor second;  // of (1, 2, 3)
  };
  const Case cases[] = {
      {255, RGB(255, 255, 255), RGB(255, 255, 255)},
      {-255, RGB(0, 0, 0), RGB(0, 0, 0)},
      {10, RGB(10, 255, 138), RGB(11, 12, 13)},
      {-2, RGB(0, 253, 126), RGB(0, 0, 1)},
      {0, RGB(0, 255, 128), RGB(1, 2, 3)},
  };
  for (const Case& c : cases) {
    auto k = Known();
    BrightnessBitmap(k.get(), Rect(0, 1, 2, 2), k.get(), c.amount, Point(0, 1));
    EXPECT_EQ(At(*k, 0, 1), c.first) << c.amount;
    EXPECT_EQ(At(*k, 1, 1), c.second) << c.amount;
    EXPECT_EQ(At(*k, 2, 1), RGB(200, 150, 100)) << c.amount;  // outside the rectangle
  }
}

TEST(BitmapEffects, AlphaBlend) {
  auto one = Known();
  auto two = Bitmap24(3, 2, RGB(100, 100, 100));
  struct Case {
    Single alpha;
    TColor first;  // of (10, 20, 30) over (100, 100, 100)
  };
  const Case cases[] = {
      {1.0f, RGB(10, 20, 30)},
      {0.0f, RGB(100, 100, 100)},
      {0.25f, RGB(100 - 22, 100 - 20, 100 - 18)},  // Round(-22.5) is -22
  };
  for (const Case& c : cases) {
    auto target = Bitmap24(3, 2, clWhite);
    AlphaBlendBitmaps(one.get(), two.get(), Rect(0, 0, 3, 2), Point(0, 0), c.alpha, target.get(), Point(0, 0));
    EXPECT_EQ(At(*target, 0, 0), c.first) << c.alpha;
  }
  // Source 2 read from its own point, the result written at the target point.
  auto target = Bitmap24(3, 2, clWhite);
  auto second = Bitmap24(3, 2, clBlack);
  Put(*second, 2, 1, RGB(20, 40, 60));
  AlphaBlendBitmaps(one.get(), second.get(), Rect(0, 0, 1, 1), Point(1, 0), 0.5f, target.get(), Point(2, 1));
  EXPECT_EQ(At(*target, 1, 0), RGB(15, 30, 45));
  EXPECT_EQ(Count(*target, clWhite), 5);
}

TEST(EffectObjects, AlphaObjectBlendsWithItsFill) {
  TVisAlphaObject alpha;
  auto picture = Bitmap24(2, 2, clRed);
  alpha.Apply(picture.get());  // no fill: nothing
  EXPECT_EQ(At(*picture, 0, 0), clRed);
  alpha.GetFillObject()->SetStyle(sfBrush);
  alpha.GetFillObject()->GetBrush()->SetColor(clBlue);
  alpha.Apply(picture.get());
  // 0.6 red + 0.4 blue: red Round(255 x 0.6) = 153, blue 255 + Round(-255 x 0.6) = 102.
  EXPECT_EQ(At(*picture, 1, 1), RGB(153, 0, 102));
  EXPECT_EQ(picture->GetPixelFormat(), pf24bit);
}

TEST(EffectObjects, EffectsInOrder) {
  TVisBitmapEffectObject effects;
  effects.SetFlipVertical(true);  // left and right exchanged
  effects.SetInvert(true);
  effects.SetBrightness(5);
  auto picture = Known();
  effects.Apply(picture.get());
  EXPECT_EQ(At(*picture, 0, 0), RGB(255 - 70 + 5, 255 - 80 + 5, 255 - 90 + 5));
  EXPECT_EQ(At(*picture, 2, 1), RGB(255, 5, 132));

  TVisBitmapEffectObject upsideDown;
  upsideDown.SetFlipHorizontal(true);  // top and bottom exchanged
  upsideDown.SetGrayScale(true);
  auto other = Known();
  upsideDown.Apply(other.get());
  EXPECT_EQ(At(*other, 1, 0), RGB(1, 1, 1));  // grey of (1, 2, 3): 0 + 1 + 0
}

TEST(EffectObjects, MonochromeThenBrightnessStaysInItsRows) {
  TVisBitmapEffectObject effects;
  effects.SetMonochrome(true);
  effects.SetBrightness(-40);
  auto picture = Bitmap24(5, 3, clWhite);
  Put(*picture, 1, 1, clBlack);
  effects.Apply(picture.get());
  ASSERT_EQ(picture->GetPixelFormat(), pf24bit);
  EXPECT_EQ(At(*picture, 0, 0), RGB(215, 215, 215));
  EXPECT_EQ(At(*picture, 1, 1), clBlack);

  // Monochrome alone leaves a black and white bitmap.
  TVisBitmapEffectObject only;
  only.SetMonochrome(true);
  auto mono = Bitmap24(5, 3, clWhite);
  only.Apply(mono.get());
  EXPECT_TRUE(mono->GetMonochrome());
}

TEST(EffectObjects, BufferedResultIsDrawnAgain) {
  TVisBitmapEffectObject effects;
  effects.SetInvert(true);
  effects.SetBuffered(true);
  auto picture = Known();
  effects.Apply(picture.get());
  const TColor inverted = At(*picture, 0, 0);
  // A new picture gets the kept result, not its own inversion.
  auto fresh = Bitmap24(3, 2, clBlack);
  effects.Apply(fresh.get());
  EXPECT_EQ(At(*fresh, 0, 0), inverted);
  effects.SetBrightness(1);
  auto again = Bitmap24(3, 2, clBlack);
  effects.Apply(again.get());
  EXPECT_EQ(At(*again, 0, 0), RGB(255, 255, 255));
}

}  // namespace
