// Drawing on memory bitmaps, checked pixel by pixel.
#include <memory>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Graphics.h"
#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

std::unique_ptr<TBitmap> NewBitmap(int width, int height, TColor fill = clWhite) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  bitmap->GetCanvas()->GetBrush()->SetColor(fill);
  bitmap->GetCanvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

TColor Pixel(TBitmap* bitmap, int x, int y) { return bitmap->GetCanvas()->GetPixels(x, y); }

// The rows of a bitmap as characters, one per pixel, from a legend of colours ('?' for others).
std::vector<std::string> Picture(TBitmap* bitmap, const std::vector<std::pair<char, TColor>>& legend) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap->GetHeight(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap->GetWidth(); ++x) {
      char c = '?';
      for (const auto& [ch, color] : legend)
        if (Pixel(bitmap, x, y) == color) c = ch;
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(Canvas, LinesEndBeforeTheirLastPoint) {
  auto bmp = NewBitmap(6, 3);
  TCanvas* c = bmp->GetCanvas();
  c->GetPen()->SetColor(clBlue);
  c->MoveTo(0, 1);
  c->LineTo(4, 1);
  EXPECT_EQ(Picture(bmp.get(), {{'.', clWhite}, {'b', clBlue}}),
            (std::vector<std::string>{"......", "bbbb..", "......"}));
  EXPECT_EQ(c->GetPenPos(), Point(4, 1));
}

TEST(Canvas, RectanglesWithAndWithoutPenAndBrush) {
  struct Case {
    const char* name;
    TPenStyle pen;
    TBrushStyle brush;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"pen and brush", psSolid, bsSolid, {"......", ".bbbb.", ".byyb.", ".byyb.", ".bbbb.", "......"}},
      {"clear brush", psSolid, bsClear, {"......", ".bbbb.", ".b..b.", ".b..b.", ".bbbb.", "......"}},
      // Without a pen GDI fills one pixel less to the right and bottom.
      {"clear pen", psClear, bsSolid, {"......", ".yyy..", ".yyy..", ".yyy..", "......", "......"}},
      {"neither", psClear, bsClear, {"......", "......", "......", "......", "......", "......"}},
  };
  for (const Case& t : cases) {
    auto bmp = NewBitmap(6, 6);
    TCanvas* c = bmp->GetCanvas();
    c->GetPen()->SetColor(clBlue);
    c->GetPen()->SetStyle(t.pen);
    c->GetBrush()->SetColor(clYellow);
    c->GetBrush()->SetStyle(t.brush);
    c->Rectangle(1, 1, 5, 5);
    EXPECT_EQ(Picture(bmp.get(), {{'.', clWhite}, {'b', clBlue}, {'y', clYellow}}), t.expected) << t.name;
  }
}

TEST(Canvas, FillFrameAndShapes) {
  auto bmp = NewBitmap(7, 7);
  TCanvas* c = bmp->GetCanvas();
  c->GetBrush()->SetColor(clRed);
  c->FillRect(Rect(0, 0, 3, 2));
  c->GetBrush()->SetColor(clGreen);
  c->FrameRect(Rect(3, 3, 7, 7));
  EXPECT_EQ(Picture(bmp.get(), {{'.', clWhite}, {'r', clRed}, {'g', clGreen}}),
            (std::vector<std::string>{"rrr....", "rrr....", ".......", "...gggg", "...g..g", "...g..g", "...gggg"}));

  auto shapes = NewBitmap(20, 20);
  c = shapes->GetCanvas();
  c->GetPen()->SetStyle(psClear);
  c->GetBrush()->SetColor(clBlue);
  c->Ellipse(0, 0, 20, 20);
  EXPECT_EQ(Pixel(shapes.get(), 10, 10), clBlue);
  EXPECT_EQ(Pixel(shapes.get(), 0, 0), clWhite);
  EXPECT_EQ(Pixel(shapes.get(), 18, 1), clWhite);
  c->GetBrush()->SetColor(clRed);
  c->Polygon({{0, 0}, {19, 0}, {0, 19}});
  EXPECT_EQ(Pixel(shapes.get(), 2, 2), clRed);
  EXPECT_EQ(Pixel(shapes.get(), 17, 17), clWhite);
  c->GetBrush()->SetColor(clLime);
  c->Pie(0, 0, 20, 20, 10, 20, 20, 10);  // counter-clockwise from the bottom to the right: a quarter
  EXPECT_EQ(Pixel(shapes.get(), 14, 14), clLime);
  EXPECT_EQ(Pixel(shapes.get(), 16, 8), clBlue);
}

TEST(Canvas, PixelsAndPenModes) {
  auto bmp = NewBitmap(4, 1, clBlack);
  TCanvas* c = bmp->GetCanvas();
  c->SetPixels(1, 0, clRed);
  EXPECT_EQ(Pixel(bmp.get(), 1, 0), clRed);
  c->GetPen()->SetMode(pmNot);
  c->MoveTo(0, 0);
  c->LineTo(2, 0);
  EXPECT_EQ(Pixel(bmp.get(), 0, 0), clWhite);
  EXPECT_EQ(Pixel(bmp.get(), 1, 0), clAqua);  // not red
  EXPECT_EQ(Pixel(bmp.get(), 2, 0), clBlack);
}

// Counts the pixels of a colour in a rectangle.
int Count(TBitmap* bitmap, const TRect& r, TColor color) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += Pixel(bitmap, x, y) == color;
  return n;
}

TEST(Canvas, TextColourAndTransparentText) {
  auto opaque = NewBitmap(60, 30, clYellow);
  TCanvas* c = opaque->GetCanvas();
  c->GetFont()->SetName("Arial");
  c->GetFont()->SetSize(12);
  c->GetFont()->SetColor(clRed);
  c->GetBrush()->SetColor(clWhite);
  c->TextOut(2, 2, AnsiString("Hg"));
  const TSize extent = c->TextExtent(AnsiString("Hg"));
  const TRect cell = Bounds(2, 2, extent.cx, extent.cy);
  // The text cell is painted in the brush colour; glyph pixels are red (or smoothed).
  EXPECT_EQ(Count(opaque.get(), cell, clYellow), 0);
  EXPECT_GT(Count(opaque.get(), cell, clWhite), 0);
  EXPECT_GT(Count(opaque.get(), cell, clRed), 5);
  EXPECT_EQ(Pixel(opaque.get(), 2 + extent.cx + 1, 5), clYellow);

  auto transparent = NewBitmap(60, 30, clYellow);
  c = transparent->GetCanvas();
  c->GetFont()->SetName("Arial");
  c->GetFont()->SetSize(12);
  c->GetFont()->SetColor(clRed);
  c->GetBrush()->SetStyle(bsClear);
  c->TextOut(2, 2, AnsiString("Hg"));
  EXPECT_EQ(Count(transparent.get(), cell, clWhite), 0);
  EXPECT_GT(Count(transparent.get(), cell, clYellow), 0);
  EXPECT_GT(Count(transparent.get(), cell, clRed), 5);
  // TextOut leaves the pen after the text.
  EXPECT_EQ(c->GetPenPos(), Point(2 + extent.cx, 2));

  // TextRect clips to its rectangle.
  auto clipped = NewBitmap(60, 30, clYellow);
  c = clipped->GetCanvas();
  c->GetFont()->SetName("Arial");
  c->GetFont()->SetSize(12);
  c->GetBrush()->SetColor(clWhite);
  c->TextRect(Rect(0, 0, 8, 30), 2, 2, AnsiString("WWWW"));
  EXPECT_EQ(Count(clipped.get(), Rect(8, 0, 60, 30), clYellow), 52 * 30);
  EXPECT_EQ(Count(clipped.get(), Rect(0, 0, 8, 30), clYellow), 0);
}

TEST(Canvas, StretchDrawOfABitmap) {
  auto source = NewBitmap(2, 2);
  source->GetCanvas()->SetPixels(0, 0, clRed);
  source->GetCanvas()->SetPixels(1, 0, clLime);
  source->GetCanvas()->SetPixels(0, 1, clBlue);
  source->GetCanvas()->SetPixels(1, 1, clYellow);
  auto target = NewBitmap(10, 10);
  target->GetCanvas()->StretchDraw(Rect(1, 1, 9, 9), source.get());
  EXPECT_EQ(Picture(target.get(), {{'.', clWhite}, {'r', clRed}, {'g', clLime}, {'b', clBlue}, {'y', clYellow}}),
            (std::vector<std::string>{"..........", ".rrrrgggg.", ".rrrrgggg.", ".rrrrgggg.", ".rrrrgggg.",
                                      ".bbbbyyyy.", ".bbbbyyyy.", ".bbbbyyyy.", ".bbbbyyyy.", ".........."}));
  target->GetCanvas()->Draw(0, 0, source.get());
  EXPECT_EQ(Pixel(target.get(), 0, 0), clRed);
  EXPECT_EQ(Pixel(target.get(), 1, 1), clYellow);
}

TEST(Canvas, TransparentColourOfABitmap) {
  auto glyph = NewBitmap(3, 3, clFuchsia);
  glyph->GetCanvas()->SetPixels(1, 1, clRed);
  glyph->GetCanvas()->SetPixels(2, 0, clBlue);
  // Under tmAuto the bottom-left pixel decides, marked with $02000000.
  EXPECT_EQ(glyph->GetTransparentMode(), tmAuto);
  EXPECT_EQ(glyph->GetTransparentColor(), clFuchsia | 0x02000000);
  glyph->SetTransparent(true);
  auto target = NewBitmap(5, 5, clGreen);
  target->GetCanvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(Picture(target.get(), {{'g', clGreen}, {'r', clRed}, {'b', clBlue}}),
            (std::vector<std::string>{"ggggg", "gggbg", "ggrgg", "ggggg", "ggggg"}));

  // A fixed colour: blue becomes the transparent one, fuchsia is drawn.
  glyph->SetTransparentColor(clBlue);
  EXPECT_EQ(glyph->GetTransparentMode(), tmFixed);
  EXPECT_EQ(glyph->GetTransparentColor(), clBlue | 0x02000000);
  target = NewBitmap(5, 5, clGreen);
  target->GetCanvas()->StretchDraw(Rect(0, 0, 3, 3), glyph.get());
  EXPECT_EQ(Picture(target.get(), {{'g', clGreen}, {'r', clRed}, {'f', clFuchsia}}),
            (std::vector<std::string>{"ffggg", "frfgg", "fffgg", "ggggg", "ggggg"}));
  glyph->SetTransparentMode(tmAuto);
  EXPECT_EQ(glyph->GetTransparentColor(), clFuchsia | 0x02000000);
}

TEST(Canvas, CopyRectAndBrushCopy) {
  auto source = NewBitmap(4, 4, clRed);
  source->GetCanvas()->SetPixels(0, 0, clBlue);
  auto target = NewBitmap(4, 4);
  target->GetCanvas()->CopyRect(Rect(0, 0, 2, 2), source->GetCanvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(Picture(target.get(), {{'.', clWhite}, {'r', clRed}, {'b', clBlue}}),
            (std::vector<std::string>{"br..", "rr..", "....", "...."}));

  // Every red pixel of the source becomes the brush's green.
  target = NewBitmap(4, 4);
  target->GetCanvas()->GetBrush()->SetColor(clLime);
  target->GetCanvas()->BrushCopy(Rect(1, 1, 4, 4), source.get(), Rect(0, 0, 3, 3), clRed);
  EXPECT_EQ(Picture(target.get(), {{'.', clWhite}, {'g', clLime}, {'b', clBlue}}),
            (std::vector<std::string>{"....", ".bgg", ".ggg", ".ggg"}));
}

TEST(Canvas, DrawingWithoutAContextFails) {
  TCanvas canvas;
  try {
    canvas.Rectangle(0, 0, 1, 1);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message, "Canvas does not allow drawing");
  }
}

TEST(Canvas, OnChangeFiresAroundDrawing) {
  auto bmp = NewBitmap(2, 2);
  int changing = 0, changed = 0;
  TCanvas* c = bmp->GetCanvas();
  c->OnChanging = TNotifyEvent::FromFunction([&](TObject*) { ++changing; });
  c->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changed; });
  int bitmapChanges = 0;
  bmp->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++bitmapChanges; });
  c->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(bitmapChanges, 1);
}

}  // namespace
