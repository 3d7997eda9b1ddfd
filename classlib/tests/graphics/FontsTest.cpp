// Colours, fonts, pens and brushes, and text measured alike on the screen and on a metafile.
#include <memory>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Graphics.h"
#include "classlib/Handles.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(Colors, SystemColoursAndNames) {
  EXPECT_EQ(ColorToRGB(clWindowText), LongInt(::GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(ColorToRGB(clBtnFace), LongInt(::GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFF);
  EXPECT_EQ(clWindowText, TColor(0x80000008u));
  EXPECT_EQ(clDefault, 0x20000000);

  const struct {
    TColor color;
    const char* text;
  } cases[] = {{clRed, "clRed"},         {clWindowText, "clWindowText"}, {clNone, "clNone"},
               {clDefault, "clDefault"}, {0x123456, "$00123456"},        {clSilver, "clSilver"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color);
  }
  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

TEST(Font, DefaultsAndSizeToHeightAt96Dpi) {
  TFont font;
  EXPECT_EQ(font.PixelsPerInch, 96);
  EXPECT_EQ(font.GetName(), "MS Sans Serif");
  EXPECT_EQ(font.GetSize(), 8);
  EXPECT_EQ(font.GetHeight(), -11);
  EXPECT_EQ(font.GetCharset(), 1);
  EXPECT_EQ(font.GetColor(), clWindowText);
  EXPECT_EQ(font.GetPitch(), fpDefault);
  EXPECT_TRUE(font.GetStyle().Empty());

  // Height = -MulDiv(Size, PixelsPerInch, 72), rounding halves away from zero.
  const struct {
    int size, height;
  } table[] = {{6, -8}, {8, -11}, {9, -12}, {10, -13}, {11, -15}, {12, -16}, {14, -19}, {24, -32}, {72, -96}};
  for (const auto& row : table) {
    font.SetSize(row.size);
    EXPECT_EQ(font.GetHeight(), row.height) << row.size;
    font.SetHeight(row.height);
    EXPECT_EQ(font.GetSize(), row.size) << row.height;
  }
  font.SetHeight(-14);
  EXPECT_EQ(font.GetSize(), 11);  // 10.5 rounds up

  // At a printer's resolution the same size is a larger height.
  font.PixelsPerInch = 600;
  font.SetSize(10);
  EXPECT_EQ(font.GetHeight(), -83);
}

TEST(Font, AssignKeepsThePointSizeAcrossResolutions) {
  TFont screen;
  screen.SetName("Arial");
  screen.SetSize(12);
  screen.SetStyle({fsBold, fsItalic});
  screen.SetColor(clRed);
  screen.SetCharset(0);
  TFont printer;
  printer.PixelsPerInch = 300;
  printer.Assign(&screen);
  EXPECT_EQ(printer.GetName(), "Arial");
  EXPECT_EQ(printer.GetSize(), 12);
  EXPECT_EQ(printer.GetHeight(), -50);
  EXPECT_EQ(printer.GetStyle(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(printer.GetColor(), clRed);
  EXPECT_EQ(printer.GetCharset(), 0);

  TFont same;
  same.Assign(&screen);
  EXPECT_EQ(same.GetHeight(), -16);
  // Fonts of one description share one GDI font.
  EXPECT_EQ(same.GetHandle(), screen.GetHandle());
  same.SetSize(13);
  EXPECT_NE(same.GetHandle(), screen.GetHandle());
  same.SetSize(12);
  EXPECT_EQ(same.GetHandle(), screen.GetHandle());
}

TEST(Font, HandleDescribesTheFontAndCanBeTakenOver) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-20);
  font.SetStyle({fsUnderline, fsStrikeOut, fsBold});
  font.SetPitch(fpFixed);
  LOGFONTA lf{};
  ASSERT_EQ(::GetObjectA(font.GetHandle(), sizeof lf, &lf), int(sizeof lf));
  EXPECT_STREQ(lf.lfFaceName, "Courier New");
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_TRUE(lf.lfStrikeOut);
  EXPECT_FALSE(lf.lfItalic);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);

  LOGFONTA other{};
  other.lfHeight = -30;
  other.lfItalic = TRUE;
  other.lfCharSet = 161;
  std::strcpy(other.lfFaceName, "Times New Roman");
  HFONT handle = ::CreateFontIndirectA(&other);
  TFont adopted;
  adopted.SetHandle(handle);
  EXPECT_EQ(adopted.GetHandle(), handle);
  EXPECT_EQ(adopted.GetName(), "Times New Roman");
  EXPECT_EQ(adopted.GetHeight(), -30);
  EXPECT_EQ(adopted.GetStyle(), TFontStyles{fsItalic});
  EXPECT_EQ(adopted.GetCharset(), 161);
}

TEST(Font, OnChangeFiresForEveryChange) {
  TFont font;
  int changes = 0;
  font.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  font.SetName("Arial");
  font.SetSize(10);
  font.SetColor(clBlue);
  font.SetStyle({fsBold});
  font.SetColor(clBlue);  // unchanged
  EXPECT_EQ(changes, 4);
}

TEST(PenAndBrush, DefaultsAndHandles) {
  TPen pen;
  EXPECT_EQ(pen.GetColor(), clBlack);
  EXPECT_EQ(pen.GetWidth(), 1);
  EXPECT_EQ(pen.GetStyle(), psSolid);
  EXPECT_EQ(pen.GetMode(), pmCopy);
  const struct {
    TPenStyle style;
    UINT gdi;
  } styles[] = {{psSolid, PS_SOLID}, {psDash, PS_DASH},   {psDot, PS_DOT},
                {psDashDot, PS_DASHDOT}, {psDashDotDot, PS_DASHDOTDOT}, {psClear, PS_NULL},
                {psInsideFrame, PS_INSIDEFRAME}};
  for (const auto& s : styles) {
    pen.SetStyle(s.style);
    LOGPEN lp{};
    ASSERT_EQ(::GetObjectA(pen.GetHandle(), sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, s.gdi) << s.style;
  }

  TBrush brush;
  EXPECT_EQ(brush.GetColor(), clWhite);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
  const struct {
    TBrushStyle style;
    UINT gdi;
    ULONG_PTR hatch;
  } brushes[] = {{bsSolid, BS_SOLID, 0},           {bsClear, BS_HOLLOW, 0},
                 {bsHorizontal, BS_HATCHED, HS_HORIZONTAL}, {bsVertical, BS_HATCHED, HS_VERTICAL},
                 {bsFDiagonal, BS_HATCHED, HS_FDIAGONAL},   {bsBDiagonal, BS_HATCHED, HS_BDIAGONAL},
                 {bsCross, BS_HATCHED, HS_CROSS},           {bsDiagCross, BS_HATCHED, HS_DIAGCROSS}};
  for (const auto& b : brushes) {
    brush.SetStyle(b.style);
    LOGBRUSH lb{};
    ASSERT_EQ(::GetObjectA(brush.GetHandle(), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbStyle, b.gdi) << b.style;
    if (b.gdi == BS_HATCHED) {
      EXPECT_EQ(lb.lbHatch, b.hatch) << b.style;
    }
  }
  // A colour makes a clear brush solid again.
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
}

TEST(PenAndBrush, PatternBrushFromABitmap) {
  TBitmap pattern;
  pattern.SetPixelFormat(pf24bit);
  pattern.SetSize(2, 2);
  pattern.GetCanvas()->SetPixels(0, 0, clRed);
  pattern.GetCanvas()->SetPixels(1, 1, clRed);
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(4, 4);
  target.GetCanvas()->GetBrush()->SetBitmap(&pattern);
  target.GetCanvas()->FillRect(Rect(0, 0, 4, 4));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(target.GetCanvas()->GetPixels(x, y), (x + y) % 2 ? clWhite : clRed) << x << "," << y;
}

// Text is measured the same on a screen context, on a bitmap's canvas and on a metafile
// canvas, and the advances a metafile records add up to that width.
TEST(Font, TextMeasuresAlikeOnScreenAndMetafile) {
  const char* const faces[] = {"Arial", "Times New Roman", "Courier New"};
  const int sizes[] = {8, 10, 12, 18};
  const AnsiString text = "The LORD is my shepherd; I shall not want.";
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  TMetafile metafile;
  TMetafileCanvas recorder(&metafile, nullptr);
  WindowDC screen;
  for (const char* face : faces)
    for (int size : sizes)
      for (TFontStyles style : {TFontStyles{}, TFontStyles{fsBold}, TFontStyles{fsItalic}}) {
        TCanvas* canvas = bitmap.GetCanvas();
        canvas->GetFont()->SetName(face);
        canvas->GetFont()->SetSize(size);
        canvas->GetFont()->SetStyle(style);
        recorder.GetFont()->Assign(canvas->GetFont());
        SIZE onScreen{};
        {
          SelectedObject font(screen, canvas->GetFont()->GetHandle());
          ::GetTextExtentPoint32A(screen, text.data(), int(text.size()), &onScreen);
        }
        const TSize onBitmap = canvas->TextExtent(text), onMetafile = recorder.TextExtent(text);
        EXPECT_EQ(onBitmap.cx, onScreen.cx) << face << " " << size;
        EXPECT_EQ(onMetafile.cx, onScreen.cx) << face << " " << size;
        EXPECT_EQ(onMetafile.cy, onScreen.cy) << face << " " << size;
        EXPECT_EQ(recorder.GetFont()->GetHeight(), -::MulDiv(size, 96, 72));
      }

  // The Liberation fonts stand in for the three faces: their metrics, not a fallback's.
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetFont()->SetStyle({});
  canvas->GetFont()->SetName("Arial");
  canvas->GetFont()->SetSize(10);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(canvas->GetHandle(), &tm);
  EXPECT_EQ(tm.tmHeight, 15);
  EXPECT_EQ(tm.tmAscent, 12);
  EXPECT_EQ(canvas->TextWidth(AnsiString("Hello, world")), 67);
  canvas->GetFont()->SetName("Courier New");
  EXPECT_EQ(canvas->TextWidth(AnsiString("0123456789")), 80);
}

}  // namespace
