// Captions: measuring against the font's own extents, the 3D styles by the bounding boxes of
// their coloured copies, placement, and the glyph-and-caption layout.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Handles.h"
#include "controls/VisObject.h"
#include "controls/viscaption.h"
#include "tests/support/Pixels.h"

using namespace pixels;

namespace {

constexpr TColor kBack = 0x00FFFFFF;
constexpr TColor kText = 0x00000000;
constexpr TColor kLight = 0x0000FF00;
constexpr TColor kShadow = 0x00FF0000;

// A white bitmap whose canvas writes in a large black bold font.
std::unique_ptr<TBitmap> Canvas24(Integer Width, Integer Height) {
  auto bitmap = Bitmap24(Width, Height, kBack);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetFont()->SetName("Arial");
  canvas->GetFont()->SetSize(20);
  canvas->GetFont()->SetColor(kText);
  canvas->GetFont()->SetStyle({fsBold});
  return bitmap;
}

// The text's own extent in the canvas's font.
TSize Extent(TCanvas* Canvas, const AnsiString& Text) {
  Canvas->RequiredState({csHandleValid, csFontValid});
  SIZE size{};
  ::GetTextExtentPoint32A(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &size);
  return {size.cx, size.cy};
}

TEST(Captions, ExtentOfEachStyle) {
  struct Case {
    TVisThreeDStyle style;
    Integer grow;  // with LightDepth 2 and ShadowDepth 5
  };
  const Case cases[] = {{tdNone, 0},         {tdSunken, 2},       {tdRaised, 2},        {tdSunkenShadow, 7},
                        {tdRaisedShadow, 7}, {tdPColorSunken, 7}, {tdPColorRaised, 7}, {tdShadow, 5},
                        {tdOutline, 5},      {tdExtrude, 5},      {tdExtrudeEnh, 5}};
  for (const Case& c : cases) {
    TVis3DCaption caption;
    caption.SetLightDepth(2);
    caption.SetShadowDepth(5);
    caption.SetStyle(c.style);
    TRect r = Rect(3, 4, 10, 20);
    Get3DTextExtent(&caption, r);
    EXPECT_EQ(r, Rect(3, 4, 10 + c.grow, 20 + c.grow)) << c.style;
  }
}

TEST(Captions, AlignBoxInRect) {
  const TRect box = Rect(0, 0, 4, 3);
  const TRect area = Rect(10, 20, 21, 30);  // 11 x 10: the middle offsets 3.5 and 3.5 become 3
  const TPoint expected[] = {{10, 20}, {13, 20}, {17, 20}, {10, 23}, {13, 23},
                             {17, 23}, {10, 27}, {13, 27}, {17, 27}};
  for (Integer a = agTopLeft; a <= agBottomRight; ++a) {
    TRect result;
    AlignBoxInRect(static_cast<TVisAlignment>(a), box, area, result);
    EXPECT_EQ(result, Bounds(expected[a].X, expected[a].Y, 4, 3)) << a;
  }
  // A box larger than the area: the negative half is rounded towards zero as well.
  TRect result;
  AlignBoxInRect(agCenter, Rect(0, 0, 14, 3), Rect(0, 0, 7, 3), result);
  EXPECT_EQ(result.Left, -3);
}

TEST(Captions, MeasureAgainstTheFont) {
  auto bitmap = Canvas24(10, 10);
  TCanvas* canvas = bitmap->GetCanvas();
  TEXTMETRICA metrics{};
  canvas->RequiredState({csHandleValid, csFontValid});
  ::GetTextMetricsA(canvas->GetHandle(), &metrics);
  const Integer line = metrics.tmHeight;

  struct Case {
    const char* what;
    AnsiString text;
    bool showAccel;
    Integer margin;
    TVisThreeDStyle style;
    Integer tracing;
    Integer width;  // expected, before the margin
  };
  const Integer file = Extent(canvas, "File").cx;
  const Integer ampFile = Extent(canvas, "&File").cx;
  const Case cases[] = {
      {"plain", "File", true, 0, tdNone, 0, file},
      {"accelerator hidden", "&File", true, 0, tdNone, 0, file},
      {"accelerator shown", "&File", false, 0, tdNone, 0, ampFile},
      {"margin", "File", true, 3, tdNone, 0, file},
      {"raised", "File", true, 0, tdRaised, 0, file + 1},
      {"tracing", "File", true, 0, tdNone, 2, file + 4 * 2},
  };
  for (const Case& c : cases) {
    TVis3DCaption caption;
    caption.SetStyle(c.style);
    caption.SetTracing(c.tracing);
    TRect r = Rect(5, 5, 500, 5);
    MeasureCaption(canvas, c.margin, c.showAccel, false, 0, &caption, c.text, r);
    const Integer extra = (c.margin + 1) * 2 + (c.style == tdRaised ? 1 : 0);
    EXPECT_EQ(r.Left, 5) << c.what;
    EXPECT_EQ(r.Width(), c.width + (c.margin + 1) * 2) << c.what;
    EXPECT_EQ(r.Height(), line + extra) << c.what;
  }

  // Word wrap breaks between words at the width given.
  const Integer words = Extent(canvas, "one two").cx;
  TRect wrapped = Rect(0, 0, words - 1, 0);
  MeasureCaption(canvas, 0, true, true, 0, nullptr, "one two", wrapped);
  EXPECT_EQ(wrapped.Height(), 2 * line + 2);
  EXPECT_LT(wrapped.Width(), words);
}

TEST(Captions, RotatedMeasureCentresTheText) {
  auto bitmap = Canvas24(10, 10);
  TCanvas* canvas = bitmap->GetCanvas();
  const TSize extent = Extent(canvas, "Turn");
  TVisFxCaption caption;
  caption.SetAngle(90);
  TRect r = Rect(0, 0, 0, 0);
  MeasureCaption(canvas, 0, true, false, 0, &caption, "Turn", r);
  EXPECT_EQ(r, Rect(0, 0, extent.cy + 2, extent.cx + 2));
  // Turned a quarter counter-clockwise, the text starts at the bottom-left corner and reads up.
  EXPECT_EQ(caption.GetPosX(), 0);
  EXPECT_EQ(caption.GetPosY(), extent.cx);

  // Drawn there, it stays in the box.
  auto target = Canvas24(extent.cy + 20, extent.cx + 20);
  TRect box = Rect(10, 10, 10 + extent.cy, 10 + extent.cx);
  Draw3DText(target->GetCanvas(), "Turn", &caption, nullptr, cfEnabled, 0, box);
  const TRect ink = BoundsOf(*target, kText);
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 10);
  EXPECT_LE(ink.Right, 10 + extent.cy);
  EXPECT_LE(ink.Bottom, 10 + extent.cx);
  EXPECT_GT(ink.Height(), ink.Width());

  // Without an angle the position is reset.
  caption.SetAngle(0);
  MeasureCaption(canvas, 0, true, false, 0, &caption, "Turn", r);
  EXPECT_EQ(caption.GetPosY(), 0);
}

// Draws "Mg" in a style and returns the bounding boxes of the text, light and shadow copies.
struct Copies {
  TRect text, light, shadow;
};

Copies DrawStyle(TVis3DCaption& Caption, Word Flags = cfEnabled) {
  auto bitmap = Canvas24(120, 60);
  Caption.SetLightColor(kLight);
  Caption.SetShadowColor(kShadow);
  TRect r = Rect(20, 10, 110, 55);
  Draw3DText(bitmap->GetCanvas(), "Mg", &Caption, nullptr, Flags, 0, r);
  return {BoundsOf(*bitmap, kText), BoundsOf(*bitmap, kLight), BoundsOf(*bitmap, kShadow)};
}

TEST(Captions, ThreeDStylesPlaceTheirCopies) {
  const Integer L = 2;
  const Integer S = 3;
  TVis3DCaption caption;
  caption.SetLightDepth(L);
  caption.SetShadowDepth(S);

  caption.SetStyle(tdNone);
  const Copies plain = DrawStyle(caption);
  EXPECT_EQ(plain.light, TRect{});
  EXPECT_EQ(plain.shadow, TRect{});

  caption.SetStyle(tdSunken);  // light at (+L, +L), text at (0, 0)
  Copies c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left, plain.text.Left);
  EXPECT_EQ(c.light.Right - c.text.Right, L);
  EXPECT_EQ(c.light.Bottom - c.text.Bottom, L);

  caption.SetStyle(tdRaised);  // light at (0, 0), text at (+L, +L)
  c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left - c.light.Left, L);
  EXPECT_EQ(c.text.Top - c.light.Top, L);

  caption.SetStyle(tdSunkenShadow);  // shadow (0, 0), light (+L+S), text (+S)
  c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left - c.shadow.Left, S);
  EXPECT_EQ(c.light.Right - c.text.Right, L);
  EXPECT_EQ(c.shadow.Left, plain.text.Left);

  caption.SetStyle(tdRaisedShadow);  // shadow (+L+S), light (0, 0), text (+L)
  c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left - c.light.Left, L);
  EXPECT_EQ(c.shadow.Right - c.text.Right, S);
  EXPECT_EQ(c.shadow.Bottom - c.text.Bottom, S);

  caption.SetStyle(tdShadow);  // shadow (+S), text (0, 0)
  c = DrawStyle(caption);
  EXPECT_EQ(c.text, plain.text);
  EXPECT_EQ(c.shadow.Right - c.text.Right, S);
  EXPECT_EQ(c.light, TRect{});

  caption.SetStyle(tdExtrude);  // towards the top left: copies at 1 .. S, the text at S
  caption.SetOrientation(toTopLeft);
  c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left - plain.text.Left, S);
  EXPECT_EQ(c.text.Left - c.shadow.Left, S - 1);
  caption.SetOrientation(toBottomRight);  // copies at S .. 1, the text at 1
  c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left - plain.text.Left, 1);
  EXPECT_EQ(c.shadow.Right - c.text.Right, S - 1);
  caption.SetOrientation(toBottomLeft);  // pre-move (0, S+1), steps (+1, -1): the text at (S, 1)
  c = DrawStyle(caption);
  EXPECT_EQ(c.text.Left - plain.text.Left, S);
  EXPECT_EQ(c.text.Top - plain.text.Top, 1);
  EXPECT_EQ(c.shadow.Bottom - c.text.Bottom, S - 1);

  caption.SetShadowDepth(0);  // nothing to extrude: the text alone, in place
  c = DrawStyle(caption);
  EXPECT_EQ(c.text, plain.text);
  EXPECT_EQ(c.shadow, TRect{});
  caption.SetShadowDepth(S);

  // Enhanced: the farthest copy is nearly the light colour, the nearest the shadow colour.
  caption.SetStyle(tdExtrudeEnh);
  caption.SetOrientation(toTopLeft);
  auto bitmap = Canvas24(120, 60);
  caption.SetLightColor(kLight);
  caption.SetShadowColor(kShadow);
  TRect r = Rect(20, 10, 110, 55);
  Draw3DText(bitmap->GetCanvas(), "Mg", &caption, nullptr, cfEnabled, 0, r);
  const TRect farthest = BoundsOf(*bitmap, InterpolateColor(kShadow, kLight, S - 1, S));
  const TRect text = BoundsOf(*bitmap, kText);
  EXPECT_EQ(text.Left - farthest.Left, S - 1);

  // Outlined: strokes in the text colour, no other colour of the caption.
  caption.SetStyle(tdOutline);
  c = DrawStyle(caption);
  EXPECT_NE(c.text, TRect{});
  EXPECT_EQ(c.shadow, TRect{});
}

TEST(Captions, DisabledAndPanelColours) {
  const TColor grey = ColorToRGB(clGrayText);
  struct Case {
    TVisDisabledStyle disabled;
    Word flags;
    bool grey;
    bool sunken;  // a light copy appears
  };
  const Case cases[] = {
      {dsStandard, 0, true, false},          // keeps its own style (tdShadow)
      {ds3d, 0, true, true},
      {dsAuto, cfDisabledSunken, true, true},
      {dsAuto, 0, true, false},
      {dsNone, 0, false, false},
      {dsStandard, cfEnabled, false, false},
  };
  for (const Case& c : cases) {
    TVis3DCaption caption;
    caption.SetStyle(tdShadow);
    caption.SetDisabledStyle(c.disabled);
    auto bitmap = Canvas24(120, 60);
    caption.SetLightColor(kLight);
    caption.SetShadowColor(kShadow);
    TRect r = Rect(20, 10, 110, 55);
    Draw3DText(bitmap->GetCanvas(), "Mg", &caption, nullptr, c.flags, 0, r);
    EXPECT_EQ(BoundsOf(*bitmap, grey) != TRect{}, c.grey) << c.disabled << "/" << c.flags;
    EXPECT_EQ(BoundsOf(*bitmap, kText) != TRect{}, !c.grey) << c.disabled << "/" << c.flags;
    EXPECT_EQ(BoundsOf(*bitmap, kLight) != TRect{}, c.sunken) << c.disabled << "/" << c.flags;
    EXPECT_EQ(BoundsOf(*bitmap, kShadow) != TRect{}, !c.sunken) << c.disabled << "/" << c.flags;
  }

  // The panel-colour styles draw the text in the brush colour.
  TVis3DCaption caption;
  caption.SetStyle(tdPColorRaised);
  auto bitmap = Canvas24(120, 60);
  bitmap->GetCanvas()->GetBrush()->SetColor(0x00123456);
  TRect r = Rect(20, 10, 110, 55);
  Draw3DText(bitmap->GetCanvas(), "Mg", &caption, nullptr, cfEnabled, 0, r);
  EXPECT_NE(BoundsOf(*bitmap, 0x00123456), TRect{});
  EXPECT_EQ(BoundsOf(*bitmap, kText), TRect{});

  // Clipping keeps the text inside the clip rectangle; nothing for an empty text or rectangle.
  auto clipped = Canvas24(120, 60);
  r = Rect(20, 10, 110, 55);
  const TRect clip = Rect(0, 0, 30, 60);
  Draw3DText(clipped->GetCanvas(), "Mg", nullptr, &clip, cfEnabled | cfClip, 0, r);
  EXPECT_LE(BoundsOf(*clipped, kText).Right, 30);
  auto blank = Canvas24(40, 40);
  r = Rect(0, 0, 40, 40);
  Draw3DText(blank->GetCanvas(), "", nullptr, nullptr, cfEnabled, 0, r);
  r = Rect(0, 0, 0, 40);
  Draw3DText(blank->GetCanvas(), "Mg", nullptr, nullptr, cfEnabled, 0, r);
  EXPECT_EQ(BoundsOf(*blank, kText), TRect{});
}

TEST(Captions, AlignCaptionPlacesTheMeasuredBox) {
  TFont font;
  font.SetName("Arial");
  font.SetSize(12);
  auto bitmap = Canvas24(2, 2);
  bitmap->GetCanvas()->SetFont(&font);
  const TSize extent = Extent(bitmap->GetCanvas(), "Label");
  TRect result;
  AlignCaption(agBottomRight, "Label", nullptr, result, 0, true, false, &font, Rect(0, 0, 200, 100));
  EXPECT_EQ(result, Rect(200 - extent.cx - 2, 100 - extent.cy - 2, 200, 100));
  AlignCaption(agCenter, "Label", nullptr, result, 0, true, false, &font, Rect(10, 10, 110, 60));
  EXPECT_EQ(result.Left, 10 + (100 - extent.cx - 2) / 2);
}

// A 16 x 16 glyph: a red square on a lime background, drawn transparently by its mask colour.
std::unique_ptr<TBitmap> Glyph() {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(pf24bit);
  glyph->SetSize(16, 16);
  glyph->GetCanvas()->GetBrush()->SetColor(clLime);
  glyph->GetCanvas()->FillRect(Rect(0, 0, 16, 16));
  glyph->GetCanvas()->GetBrush()->SetColor(clRed);
  glyph->GetCanvas()->FillRect(Rect(4, 4, 12, 12));
  return glyph;
}

TEST(GlyphLayout, EightArrangements) {
  auto bitmap = Canvas24(200, 100);
  TCanvas* canvas = bitmap->GetCanvas();
  const TSize t = Extent(canvas, "Caption");
  const Integer tw = t.cx;
  const Integer th = t.cy;
  constexpr Integer g = 16;
  const Integer sp = 2;
  const Integer H = std::max(g, th);
  const Integer W = std::max(g, tw);
  struct Case {
    TVisTextArrange arrange;
    TPoint glyph;
    TPoint text;
  };
  const Case cases[] = {
      {taLeft, {tw + sp, (H - g) / 2}, {0, (H - th) / 2}},
      {taLeftTop, {tw + sp, 0}, {0, (H - th) / 2}},
      {taRight, {0, (H - g) / 2}, {g + sp, (H - th) / 2}},
      {taRightTop, {0, 1}, {g + sp, (H - th) / 2}},
      {taTop, {(W - g) / 2, th + sp}, {(W - tw) / 2, 0}},
      {taTopLeft, {0, th + sp}, {(W - tw) / 2, 0}},
      {taBottom, {(W - g) / 2, 0}, {(W - tw) / 2, g + sp}},
      {taBottomLeft, {0, 0}, {(W - tw) / 2, g + sp}},
  };
  auto glyph = Glyph();
  TVisGlyphImage image;
  image.Width = g;
  image.Height = g;
  image.Image = glyph.get();
  image.TransparentColor = clLime;
  image.Source = Rect(0, 0, g, g);
  for (const Case& c : cases) {
    TVisGlyphTextLayout layout;
    layout.SetAlignText2Glyph(c.arrange);
    layout.SetOffsetX(7);
    layout.SetOffsetY(5);
    TRect glyphRect, textRect;
    CalcGlyphTextLayout(canvas, "Caption", nullptr, cfEnabled | cfMeasureOnly, 0, false, image, &layout,
                        Rect(10, 10, 190, 90), glyphRect, textRect);
    EXPECT_EQ(glyphRect, Bounds(17 + c.glyph.X, 15 + c.glyph.Y, g, g)) << c.arrange;
    EXPECT_EQ(textRect, Bounds(17 + c.text.X, 15 + c.text.Y, tw, th)) << c.arrange;
  }
}

TEST(GlyphLayout, AlignmentArrowsAndDrawing) {
  auto bitmap = Canvas24(200, 100);
  TCanvas* canvas = bitmap->GetCanvas();
  const TSize t = Extent(canvas, "Go");
  auto glyph = Glyph();
  TVisGlyphImage image;
  image.Width = 16;
  image.Height = 16;
  image.Image = glyph.get();
  image.TransparentColor = clLime;
  image.Source = Rect(0, 0, 16, 16);

  // Centred in the client area as one box: glyph, 2 pixels, text, then the arrow's room.
  TVisButtonLayout layout;
  layout.SetArrow(true);
  layout.SetArrowColor(kShadow);
  const Integer room = 3 * 2 - 1 + 3;
  const Integer boxW = 16 + 2 + t.cx + room;
  const Integer boxH = std::max(16, t.cy);
  TRect glyphRect, textRect;
  const TRect focus = CalcGlyphTextLayout(canvas, "Go", nullptr, cfEnabled | cfFocusRect, 0, false, image, &layout,
                                          Rect(0, 0, 200, 100), glyphRect, textRect);
  const Integer left = (200 - boxW) / 2;
  const Integer top = (100 - boxH) / 2;
  EXPECT_EQ(glyphRect, Bounds(left, top + (boxH - 16) / 2, 16, 16));
  EXPECT_EQ(textRect, Bounds(left + 18, top + (boxH - t.cy) / 2, t.cx, t.cy));
  EXPECT_EQ(focus, Rect(textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 1));
  // The glyph's red square is drawn, its lime background left out; the arrow sits after the text.
  EXPECT_EQ(At(*bitmap, glyphRect.Left + 8, glyphRect.Top + 8), clRed);
  EXPECT_EQ(At(*bitmap, glyphRect.Left + 1, glyphRect.Top + 1), kBack);
  EXPECT_EQ(BoundsOf(*bitmap, kShadow),
            Bounds(textRect.Right + 3, textRect.Top + (t.cy - 3) / 2, 5, 3));
  EXPECT_NE(BoundsOf(*bitmap, kText), TRect{});

  // The arrow before the text pushes the text right.
  layout.SetArrowPosition(apLeftText);
  CalcGlyphTextLayout(canvas, "Go", nullptr, cfEnabled | cfMeasureOnly, 0, false, image, &layout,
                      Rect(0, 0, 200, 100), glyphRect, textRect);
  EXPECT_EQ(textRect.Left, left + 18 + room);
  // Beside the glyph: the glyph moves right for apLeftGlyph only.
  layout.SetArrowPosition(apLeftGlyph);
  CalcGlyphTextLayout(canvas, "Go", nullptr, cfEnabled | cfMeasureOnly, 0, false, image, &layout,
                      Rect(0, 0, 200, 100), glyphRect, textRect);
  EXPECT_EQ(glyphRect.Left, left + room);
  EXPECT_EQ(textRect.Left, left + 16 + room + 2);
  layout.SetArrowPosition(apRightGlyph);
  CalcGlyphTextLayout(canvas, "Go", nullptr, cfEnabled | cfMeasureOnly, 0, false, image, &layout,
                      Rect(0, 0, 200, 100), glyphRect, textRect);
  EXPECT_EQ(glyphRect.Left, left);
  EXPECT_EQ(textRect.Left, left + 16 + room + 2);

  // No glyph: no spacing, the caption alone centred.
  TVisGlyphTextLayout plain;
  plain.SetAlignment(agCenter);
  CalcGlyphTextLayout(canvas, "Go", nullptr, cfEnabled | cfMeasureOnly, 0, false, TVisGlyphImage{}, &plain,
                      Rect(0, 0, 200, 100), glyphRect, textRect);
  EXPECT_EQ(textRect, Bounds((200 - t.cx) / 2, (100 - t.cy) / 2, t.cx, t.cy));

  // Measuring only draws nothing; cfClipText cuts the text to the client area.
  auto blank = Canvas24(60, 40);
  CalcGlyphTextLayout(blank->GetCanvas(), "Caption that is long", nullptr, cfEnabled | cfMeasureOnly | cfClipText, 0,
                      false, image, &plain, Rect(0, 0, 60, 40), glyphRect, textRect);
  EXPECT_EQ(BoundsOf(*blank, kText), TRect{});
  EXPECT_EQ(textRect.Left, std::max(0, textRect.Left));
  EXPECT_LE(textRect.Right, 60);
}

}  // namespace
