// The translation of hand-built metafile records: text objects, fonts and text placement, pens
// and brushes, shapes, paths, clipping, saved states and bitmaps. At 96 device units per inch
// a metafile unit is three quarters of a point, and y runs down from 842 points.
#include "EmfFixture.h"
#include "classlib/Bitmaps.h"

using namespace emf_fixture;

namespace {

using Lines = std::vector<std::string>;

constexpr std::uint32_t kStock = ENHMETA_STOCK_OBJECT;

// A transparent text background and a 16-pixel Arial as object 1, selected.
Emf TextSetup(const std::wstring& face = L"Arial", int charset = 0) {
  Emf e;
  e.Record(EMR_SETBKMODE, {TRANSPARENT});
  e.CreateFont(1, face, -16, 400, charset).Select(1);
  return e;
}

// A bit-block record with a 2 x 2 bitmap of the given depth (24 or 1).
Body DibRecord(std::uint32_t type, int x, int y, int w, int h, int bits) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = 2;
  info.biHeight = 2;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(bits);
  std::string table, pixels;
  if (bits == 1) {
    const RGBQUAD colors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    table.assign(reinterpret_cast<const char*>(colors), sizeof colors);
    info.biClrUsed = 2;
    pixels = std::string("\x40\0\0\0\x80\0\0\0", 8);
  } else {
    const unsigned char row0[8] = {0, 0, 255, 255, 0, 0, 0, 0};     // red, blue
    const unsigned char row1[8] = {0, 255, 0, 255, 255, 255, 0, 0};  // green, white
    pixels.assign(reinterpret_cast<const char*>(row0), 8);
    pixels.append(reinterpret_cast<const char*>(row1), 8);
  }
  const std::string bmi = std::string(reinterpret_cast<const char*>(&info), sizeof info) + table;
  Body b;
  b.I(x).I(y).I(x + w - 1).I(y + h - 1);  // bounds
  if (type == EMR_SETDIBITSTODEVICE) {
    const int offBmi = 76, offBits = offBmi + static_cast<int>(bmi.size());
    b.I(x).I(y).I(0).I(0).I(2).I(2).I(offBmi).I(static_cast<int>(bmi.size())).I(offBits);
    b.I(static_cast<int>(pixels.size())).I(DIB_RGB_COLORS).I(0).I(2);
  } else if (type == EMR_STRETCHDIBITS) {
    const int offBmi = 80, offBits = offBmi + static_cast<int>(bmi.size());
    b.I(x).I(y).I(0).I(0).I(2).I(2).I(offBmi).I(static_cast<int>(bmi.size())).I(offBits);
    b.I(static_cast<int>(pixels.size())).I(DIB_RGB_COLORS).I(SRCCOPY).I(w).I(h);
  } else {
    const bool stretch = type == EMR_STRETCHBLT;
    const int offBmi = stretch ? 108 : 100, offBits = offBmi + static_cast<int>(bmi.size());
    b.I(x).I(y).I(w).I(h).I(SRCCOPY).I(0).I(0);
    b.F(1).F(0).F(0).F(1).F(0).F(0).I(0).I(DIB_RGB_COLORS);
    b.I(offBmi).I(static_cast<int>(bmi.size())).I(offBits).I(static_cast<int>(pixels.size()));
    if (stretch) b.I(2).I(2);
  }
  b.Raw(bmi.data(), bmi.size()).Raw(pixels.data(), pixels.size());
  return b;
}

// A block operation without a bitmap (PatBlt) over the rectangle.
Body PatRecord(std::uint32_t type, int x, int y, int w, int h, DWORD rop) {
  Body b;
  b.I(x).I(y).I(x + w - 1).I(y + h - 1).I(x).I(y).I(w).I(h).I(static_cast<int>(rop)).I(0).I(0);
  b.F(1).F(0).F(0).F(1).F(0).F(0).I(0).I(0).I(0).I(0).I(0).I(0);
  if (type == EMR_STRETCHBLT) b.I(0).I(0);
  return b;
}

class RecordsTest : public TranslateTest {};

TEST_F(RecordsTest, TextRecordsShareTextObjectsUntilSomethingIsDrawn) {
  const struct {
    const char* name;
    std::function<void(Emf&)> between;
    Lines expected;
  } cases[] = {
      {"a colour change stays inside", [](Emf& e) { e.Record(EMR_SETTEXTCOLOR, {0x0000FF}); },
       {"BT", "Tf", "Tc", "Tm", "Tj", "rg", "Tc", "Tm", "Tj", "ET"}},
      {"a line ends it", [](Emf& e) { e.Record(EMR_LINETO, {50, 50}); },
       {"BT", "Tf", "Tc", "Tm", "Tj", "ET", "m", "l", "n", "BT", "Tc", "Tm", "Tj", "ET"}},
      {"a record drawing nothing ends it too", [](Emf& e) { e.Record(EMR_GDICOMMENT, {0}); },
       {"BT", "Tf", "Tc", "Tm", "Tj", "ET", "BT", "Tc", "Tm", "Tj", "ET"}},
      {"a block fill closes it around the fill",
       [](Emf& e) {
         e.CreateBrush(2, BS_SOLID, 0x00FF00).Select(2);
         e.Record(EMR_BITBLT, PatRecord(EMR_BITBLT, 0, 0, 8, 8, PATCOPY));
       },
       {"BT", "Tf", "Tc", "Tm", "Tj", "ET", "rg", "n", "re", "f", "BT", "rg", "Tc", "Tm", "Tj", "ET"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e = TextSetup();
    e.Text(10, 20, L"ab", {9, 9});
    c.between(e);
    e.Text(40, 20, L"cd", {9, 9});
    EXPECT_EQ(Operators(Translate(e)), c.expected);
  }
}

TEST_F(RecordsTest, TextIsPlacedOnGdisBaselineAndSpacedToItsWidth) {
  // Arial of 16 pixels is Helvetica of 12 points; GDI's ascent for it is 15 pixels here.
  Emf e = TextSetup();
  e.Text(100, 200, L"Hi", {20, 10});
  const Lines lines = Translate(e);
  TEXTMETRICA tm{};
  {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HFONT font = ::CreateFontA(-16, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = ::SelectObject(dc, font);
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::DeleteDC(dc);
  }
  const double baseline = 842 - (200 + tm.tmAscent) * 0.75;
  // 30 pixels less one make 21.75 points; "Hi" is 0.722 + 0.222 em of 12 points, 11.328.
  const double spacing = (21.75 - 11.328) / 2;
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "/F0 12 Tf");
  EXPECT_EQ(lines[2], FormatFloat(spacing) + " Tc");
  EXPECT_EQ(lines[3], "1 0 0 1 75 " + FormatFloat(baseline) + " Tm");
  EXPECT_EQ(lines[4], "(Hi) Tj");
}

TEST_F(RecordsTest, AlignmentsAndTheCurrentPosition) {
  const struct {
    const char* name;
    UINT align;
    double x;  // of the first text, points
  } cases[] = {
      {"left", TA_LEFT | TA_BASELINE, 75},
      {"centre", TA_CENTER | TA_BASELINE, 60},
      {"right: the reference point less the advances", TA_RIGHT | TA_BASELINE, 45},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e = TextSetup();
    e.Record(EMR_SETTEXTALIGN, {static_cast<int>(c.align)});
    e.Text(100, 200, L"ab", {20, 20});
    const Lines lines = Translate(e);
    ASSERT_GE(lines.size(), 4u);
    // On the baseline the text stands at the reference point's height.
    EXPECT_EQ(lines[3], "1 0 0 1 " + FormatFloat(c.x) + " 692 Tm");
  }

  // With the current position, text continues where the previous one ended.
  Emf e = TextSetup();
  e.Record(EMR_SETTEXTALIGN, {TA_UPDATECP | TA_BASELINE});
  e.Record(EMR_MOVETOEX, {100, 200});
  e.Text(0, 0, L"ab", {20, 20});
  e.Text(0, 0, L"cd", {20, 20});
  const Lines lines = Translate(e);
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[3], "1 0 0 1 75 692 Tm");
  EXPECT_EQ(lines[6], "1 0 0 1 105 692 Tm");
}

TEST_F(RecordsTest, SimpleTextIsMeasuredByGdiInsteadOfTheAdvances) {
  auto spacing = [&](bool simple) {
    doc_->SetEMFSimpleText(simple);
    Emf e = TextSetup(L"Courier New");
    e.Text(10, 10, L"ab", {100, 100});
    const Lines lines = Translate(e);
    doc_->Abort();
    return std::stod(lines.at(2));
  };
  // Courier's letters are 0.6 em, 9.6 pixels at 16: GDI's extent leaves next to nothing to
  // spread, the recorded advances 180 pixels more.
  const double measured = spacing(true), recorded = spacing(false);
  EXPECT_NEAR(measured, 0, 0.5);
  EXPECT_NEAR(recorded - measured, (200 - 2 * 9.6) * 0.75 / 2, 0.5);
}

TEST_F(RecordsTest, FontsAndCodePages) {
  const struct {
    const char* name;
    std::wstring face;
    int charset;
    std::wstring text;
    const char* font;   // the Tf line's font
    std::string shown;  // the Tj line
  } cases[] = {
      {"a face that is not installed is shown as Arial", L"No Such Face", 0, L"ab", "/F0", "(ab) Tj"},
      {"the Symbol face keeps its name", L"Symbol", SYMBOL_CHARSET, L"\xF061\xF062", "/F12", "(ab) Tj"},
      {"a Greek font takes code page 1253", L"Liberation Serif", GREEK_CHARSET, L"\x03B1\x03B2", "/TT1",
       "(\xE1\xE2) Tj"},
      {"a Cyrillic font takes code page 1251", L"Liberation Serif", RUSSIAN_CHARSET, L"\x0416", "/TT1",
       "(\xC6) Tj"},
      {"an embedded face", L"Liberation Serif", 0, L"\x201Cq\x201D", "/TT1", "(\x93q\x94) Tj"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e = TextSetup(c.face, c.charset);
    e.Text(10, 10, c.text, std::vector<int>(c.text.size(), 8));
    const Lines lines = Translate(e);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[1].substr(0, lines[1].find(' ')), c.font);
    const auto shown = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with(" Tj"); });
    ASSERT_NE(shown, lines.end());
    EXPECT_EQ(*shown, c.shown);
    doc_->Abort();
  }

  // Japanese text is not fitted: its characters are spaced by -0.6 device units.
  Emf e = TextSetup(L"MS Mincho", SHIFTJIS_CHARSET);
  e.Text(10, 10, L"\x3042", {16});
  const Lines lines = Translate(e);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "/CIDJ 12 Tf");
  EXPECT_EQ(lines[2], "-0.45 Tc");
}

TEST_F(RecordsTest, FontSizesFollowTheHeightAndTheMapping) {
  const struct {
    const char* name;
    std::function<void(Emf&)> setup;
    int height;
    const char* tf;
  } cases[] = {
      {"a character height", [](Emf&) {}, -20, "/F0 15 Tf"},
      {"a cell height is still a positive size", [](Emf&) {}, 20, nullptr},
      {"a mapping of two units per pixel",
       [](Emf& e) {
         e.Record(EMR_SETMAPMODE, {MM_ANISOTROPIC});
         e.Record(EMR_SETWINDOWEXTEX, {200, 200});
         e.Record(EMR_SETVIEWPORTEXTEX, {100, 100});
       },
       -20, "/F0 7.5 Tf"},
      {"a world transform scaling twice",
       [](Emf& e) { e.Record(EMR_SETWORLDTRANSFORM, Body().F(2).F(0).F(0).F(2).F(0).F(0)); }, -20,
       "/F0 30 Tf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e;
    e.Record(EMR_SETBKMODE, {TRANSPARENT});
    c.setup(e);
    e.CreateFont(1, L"Arial", c.height).Select(1);
    e.Text(10, 10, L"a", {10});
    const Lines lines = Translate(e);
    ASSERT_GE(lines.size(), 2u);
    if (c.tf) {
      EXPECT_EQ(lines[1], c.tf);
    } else {
      const double size = std::stod(lines[1].substr(4));
      EXPECT_GT(size, 12);
      EXPECT_LT(size, 15);
    }
    doc_->Abort();
  }
}

TEST_F(RecordsTest, BackgroundsOfText) {
  // An opaque rectangle is painted in the background colour before the text, which then takes
  // its own colour again.
  Emf e = TextSetup();
  e.Record(EMR_SETBKCOLOR, {0x00FFFF});
  e.Text(10, 20, L"a", {10}, ETO_OPAQUE, {8, 16, 40, 48});
  Lines lines = Translate(e);
  EXPECT_EQ(Operators(lines), (Lines{"BT", "Tf", "ET", "rg", "n", "re", "f", "BT", "rg", "Tc", "Tm", "Tj", "ET"}));
  EXPECT_EQ(lines[3], "1 1 0 rg");
  EXPECT_EQ(lines[5], "6 830 24 -24 re");
  EXPECT_EQ(lines[8], "0 0 0 rg");
  doc_->Abort();

  // A clipped text stands in a graphics state of its own.
  e = TextSetup();
  e.Text(10, 20, L"a", {10}, ETO_CLIPPED, {8, 16, 40, 48});
  EXPECT_EQ(Operators(Translate(e)),
            (Lines{"BT", "Tf", "ET", "q", "n", "re", "W", "n", "BT", "Tc", "Tm", "Tj", "ET", "Q", "BT", "ET"}));
  doc_->Abort();

  // In the opaque background mode the text's cell is filled in the background colour.
  e = Emf();
  e.CreateFont(1, L"Arial", -16).Select(1);
  e.Record(EMR_SETBKCOLOR, {0x00FF00});
  e.Text(10, 20, L"a", {10});
  lines = Translate(e);
  EXPECT_EQ(Operators(lines), (Lines{"BT", "Tf", "ET", "rg", "n", "m", "l", "l", "l", "h", "f", "BT", "rg", "Tc",
                                     "Tm", "Tj", "ET"}));
  EXPECT_EQ(lines[3], "0 1 0 rg");
  EXPECT_EQ(lines[6], "15 827 l");  // the cell's top right corner: the advance to the right
}

TEST_F(RecordsTest, PensAndBrushes) {
  const struct {
    const char* name;
    std::function<void(Emf&)> draw;
    Lines expected;
  } cases[] = {
      {"a dashed pen writes its pattern once, and only what the drawing uses",
       [](Emf& e) {
         e.CreatePen(1, PS_DASH, 2, 0x0000FF).Select(1);
         e.CreatePen(2, PS_DASH, 2, 0xFF0000).Select(2);
         e.Record(EMR_LINETO, {40, 0});
         e.CreatePen(3, PS_DASH, 2, 0x00FF00).Select(3);
         e.Record(EMR_LINETO, {40, 40});
       },
       {"0 0 1 RG", "[8 8] 0 d", "1.5 w", "0 842 m", "30 842 l", "S", "0 1 0 RG", "30 842 m", "30 812 l", "S"}},
      {"a pen of width 0 is one unit wide",
       [](Emf& e) {
         e.CreatePen(1, PS_SOLID, 0, 0).Select(1);
         e.Record(EMR_LINETO, {40, 0});
       },
       {"0.75 w", "0 842 m", "30 842 l", "S"}},
      {"every pen style",
       [](Emf& e) {
         for (int style : {PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_INSIDEFRAME}) {
           e.CreatePen(1, style, 1, 0).Select(1);
           e.Record(EMR_LINETO, {4, 0});
         }
       },
       {"[2 2] 0 d", "0.75 w", "0 842 m", "3 842 l", "S", "[8 2 2 2] 0 d", "3 842 m", "3 842 l", "S",
        "[8 2 2 2 2 2] 0 d", "3 842 m", "3 842 l", "S", "[] 0 d", "3 842 m", "3 842 l", "S"}},
      {"a winding polygon fills by the nonzero rule",
       [](Emf& e) {
         e.Record(EMR_SETPOLYFILLMODE, {WINDING});
         e.CreatePen(1, PS_SOLID, 1, 0).Select(1);
         e.CreateBrush(2, BS_SOLID, 0x00FFFF).Select(2);
         e.Poly(EMR_POLYGON, {{0, 0}, {40, 0}, {0, 40}});
       },
       {"0.75 w", "1 1 0 rg", "n", "0 842 m", "30 842 l", "0 812 l", "h", "B"}},
      {"an alternate polygon by the even-odd rule",
       [](Emf& e) {
         e.CreatePen(1, PS_SOLID, 1, 0).Select(1);
         e.CreateBrush(2, BS_SOLID, 0x00FFFF).Select(2);
         e.Poly(EMR_POLYGON, {{0, 0}, {40, 0}, {0, 40}});
       },
       {"0.75 w", "1 1 0 rg", "n", "0 842 m", "30 842 l", "0 812 l", "h", "B*"}},
      {"a rectangle with the stock null brush is stroked",
       [](Emf& e) {
         e.CreatePen(1, PS_SOLID, 1, 0).Select(1);
         e.Select(kStock | NULL_BRUSH);
         e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
       },
       {"0.75 w", "0 842 30 -30 re", "S"}},
      {"a rectangle with the null pen is filled",
       [](Emf& e) {
         e.Select(kStock | NULL_PEN);
         e.Select(kStock | GRAY_BRUSH);
         e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
       },
       {"0.502 0.502 0.502 rg", "0 842 30 -30 re", "f"}},
      {"with both null nothing is painted",
       [](Emf& e) {
         e.Select(kStock | NULL_PEN);
         e.Select(kStock | NULL_BRUSH);
         e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
       },
       {"0 842 30 -30 re", "n"}},
      {"stock pens",
       [](Emf& e) {
         e.Select(kStock | WHITE_PEN);
         e.Record(EMR_LINETO, {4, 0});
         e.Select(kStock | NULL_PEN);
         e.Record(EMR_LINETO, {8, 0});
         e.Select(kStock | BLACK_PEN);
         e.Record(EMR_LINETO, {12, 0});
       },
       {"1 1 1 RG", "0.75 w", "0 842 m", "3 842 l", "S", "3 842 m", "6 842 l", "n", "0 0 0 RG", "6 842 m",
        "9 842 l", "S"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e;
    c.draw(e);
    EXPECT_EQ(Translate(e), c.expected);
    doc_->Abort();
  }
}

TEST_F(RecordsTest, Shapes) {
  const struct {
    const char* name;
    std::function<void(Emf&)> draw;
    Lines expected;
  } cases[] = {
      {"a polyline", [](Emf& e) { e.Poly(EMR_POLYLINE, {{0, 0}, {4, 4}, {8, 0}}); },
       {"n", "0 842 m", "3 839 l", "6 842 l", "S"}},
      {"a polyline from the current position",
       [](Emf& e) {
         e.Record(EMR_MOVETOEX, {4, 4});
         e.Poly(EMR_POLYLINETO, {{8, 0}, {12, 4}});
         e.Record(EMR_LINETO, {16, 0});
       },
       {"n", "3 839 m", "6 842 l", "9 839 l", "S", "9 839 m", "12 842 l", "S"}},
      {"Beziers", [](Emf& e) { e.Poly(EMR_POLYBEZIER, {{0, 0}, {4, 0}, {4, 4}, {8, 4}}); },
       {"0 842 m", "3 842 3 839 6 839 c", "S"}},
      {"several polygons in one path",
       [](Emf& e) {
         Body b;
         b.I(0).I(0).I(0).I(0).I(2).I(5).I(3).I(2);
         for (int v : {0, 0, 4, 0, 4, 4, 8, 8, 12, 8}) b.I(v);
         e.Record(EMR_POLYPOLYGON, b);
       },
       {"n", "0 842 m", "3 842 l", "3 839 l", "0 842 l", "6 836 m", "9 836 l", "6 836 l", "S"}},
      {"a mixed path from the current position",
       [](Emf& e) {
         Body b;
         b.I(0).I(0).I(0).I(0).I(5);
         for (int v : {4, 0, 8, 0, 8, 4, 12, 4, 16, 16}) b.I(v);
         const unsigned char types[5] = {PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO | PT_CLOSEFIGURE,
                                         PT_MOVETO};
         b.Raw(types, 5);
         e.Record(EMR_POLYDRAW, b);
       },
       {"n", "0 842 m", "3 842 l", "6 842 6 839 9 839 c", "0 842 l", "12 830 m", "S"}},
      {"a pie has both radii, a chord closes on its arc",
       [](Emf& e) {
         e.Record(EMR_PIE, {0, 0, 40, 40, 40, 20, 20, 0});
         e.Record(EMR_CHORD, {0, 0, 40, 40, 40, 20, 20, 0});
       },
       {"m", "c", "l", "m", "l", "S", "m", "c", "l", "S"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e;
    e.CreatePen(1, PS_SOLID, 1, 0).Select(1);
    e.Select(kStock | NULL_BRUSH);
    c.draw(e);
    Lines lines = Translate(e);
    ASSERT_FALSE(lines.empty());
    lines.erase(lines.begin());  // the pen's width
    if (std::string(c.name).find("pie") == std::string::npos) {
      EXPECT_EQ(lines, c.expected);
    } else {
      EXPECT_EQ(Operators(lines), c.expected);
    }
    doc_->Abort();
  }
}

TEST_F(RecordsTest, ArcsRunCounterClockwiseUnlessToldOtherwise) {
  auto arc = [&](bool clockwise, POINT start, POINT end) {
    Emf e;
    e.CreatePen(1, PS_SOLID, 1, 0).Select(1);
    if (clockwise) e.Record(EMR_SETARCDIRECTION, {AD_CLOCKWISE});
    e.Record(EMR_ARC, {0, 0, 41, 41, start.x, start.y, end.x, end.y});
    Lines lines = Translate(e);
    doc_->Abort();
    return lines;
  };
  // Clockwise from A to B is counter-clockwise from B to A.
  EXPECT_EQ(arc(true, {41, 20}, {20, 0}), arc(false, {20, 0}, {41, 20}));
  const Lines quarter = arc(false, {41, 20}, {20, 0});
  EXPECT_EQ(Operators(quarter), (Lines{"w", "m", "c", "S"}));
  const Lines threeQuarters = arc(false, {20, 0}, {41, 20});
  EXPECT_EQ(Operators(threeQuarters), (Lines{"w", "m", "c", "c", "c", "S"}));

  // Angle arcs: a line to the arc's start, then the arc.
  Emf e;
  e.CreatePen(1, PS_SOLID, 1, 0).Select(1);
  e.Record(EMR_ANGLEARC, Body().I(100).I(100).I(40).F(0).F(90));
  e.Record(EMR_LINETO, {0, 0});
  const Lines lines = Translate(e);
  EXPECT_EQ(Operators(lines), (Lines{"w", "m", "l", "m", "c", "S", "m", "l", "S"}));
  EXPECT_EQ(lines[1], "0 842 m");
  EXPECT_EQ(lines[2], "105 767 l");  // the circle's point at 0 degrees
  EXPECT_EQ(lines[6], "75 797 m");   // the current position ends at 90 degrees
}

TEST_F(RecordsTest, PathsAndClipping) {
  const struct {
    const char* name;
    std::function<void(Emf&)> draw;
    Lines expected;
  } cases[] = {
      {"a path filled after a brush chosen while it was built goes behind the colour",
       [](Emf& e) {
         e.Record(EMR_BEGINPATH, {});
         e.Record(EMR_LINETO, {40, 0});
         e.CreateBrush(2, BS_SOLID, 0x0000FF).Select(2);
         e.Record(EMR_LINETO, {40, 40});
         e.Record(EMR_CLOSEFIGURE, {});
         e.Record(EMR_ENDPATH, {});
         e.Record(EMR_FILLPATH, {0, 0, 0, 0});
       },
       {"1 0 0 rg", "n", "0 842 m", "30 842 l", "30 812 l", "h", "f", "n"}},
      {"a clip path goes behind the graphics state that holds it",
       [](Emf& e) {
         e.Record(EMR_BEGINPATH, {});
         e.Poly(EMR_POLYLINE, {{0, 0}, {40, 0}, {40, 40}});
         e.Record(EMR_ENDPATH, {});
         e.Record(EMR_SELECTCLIPPATH, {RGN_COPY});
         e.Record(EMR_SELECTCLIPPATH, {RGN_COPY});
       },
       {"q", "n", "0 842 m", "0 842 m", "30 842 l", "30 812 l", "W", "n", "Q", "q", "W", "n"}},
      {"a clip rectangle replaces the one before",
       [](Emf& e) {
         e.Record(EMR_INTERSECTCLIPRECT, {0, 0, 40, 40});
         e.Record(EMR_INTERSECTCLIPRECT, {4, 4, 40, 40});
         e.Record(EMR_EXCLUDECLIPRECT, {0, 0, 4, 4});
         e.Record(EMR_EXCLUDECLIPRECT, {0, 0, 4, 4});
       },
       {"q", "n", "0 842 30 -30 re", "W", "n", "Q", "q", "n", "3 839 27 -27 re", "W", "n", "Q"}},
      {"a region given whole is the clip; none removes it",
       [](Emf& e) {
         Body b;
         b.I(64).I(RGN_COPY).I(32).I(RDH_RECTANGLES).I(2).I(32).I(0).I(0).I(40).I(40);
         b.I(0).I(0).I(40).I(8).I(0).I(32).I(40).I(40);
         e.Record(EMR_EXTSELECTCLIPRGN, b);
         e.Record(EMR_EXTSELECTCLIPRGN, {0, RGN_COPY});
       },
       {"q", "n", "0 842 30 -6 re", "0 818 30 -6 re", "W", "n", "Q"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e;
    c.draw(e);
    EXPECT_EQ(Translate(e), c.expected);
    doc_->Abort();
  }
}

TEST_F(RecordsTest, AfterAClipEndsColoursWidthAndFontAreWrittenAgain) {
  Emf e;
  e.Record(EMR_SETBKMODE, {TRANSPARENT});
  e.CreatePen(1, PS_SOLID, 2, 0x0000FF).Select(1);
  e.CreateBrush(2, BS_SOLID, 0x00FF00).Select(2);
  e.CreateFont(3, L"Arial", -16).Select(3);
  e.Record(EMR_INTERSECTCLIPRECT, {0, 0, 100, 100});
  e.Text(10, 10, L"a", {10});
  e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
  e.Record(EMR_INTERSECTCLIPRECT, {0, 0, 50, 50});  // the state of the first clip is gone
  e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
  e.Text(10, 10, L"a", {10});
  const Lines ops = Operators(Translate(e));
  EXPECT_EQ(ops, (Lines{"q", "n", "re", "W", "n", "BT", "Tf", "Tc", "Tm", "Tj", "ET", "RG", "w", "rg", "re", "B",
                        "Q", "q", "n", "re", "W", "n", "RG", "w", "rg", "re", "B", "BT", "Tf", "rg", "Tc", "Tm", "Tj",
                        "ET"}));
}

TEST_F(RecordsTest, SavedStatesBringTheTransformAndObjectsBack) {
  Emf e;
  e.CreatePen(1, PS_SOLID, 1, 0x0000FF).Select(1);
  e.Select(kStock | NULL_BRUSH);
  e.Record(EMR_SAVEDC, {});
  e.Record(EMR_SETWORLDTRANSFORM, Body().F(2).F(0).F(0).F(2).F(8).F(8));
  e.CreatePen(2, PS_SOLID, 1, 0xFF0000).Select(2);
  e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
  e.Record(EMR_RESTOREDC, {-1});
  e.Box(EMR_RECTANGLE, 0, 0, 40, 40);
  EXPECT_EQ(Translate(e), (Lines{"0 0 1 RG", "1.5 w", "6 836 60 -60 re", "S", "1 0 0 RG", "0.75 w",
                                 "0 842 30 -30 re", "S"}));
}

TEST_F(RecordsTest, PixelsAreFilledSquares) {
  Emf e;
  e.Record(EMR_SETPIXELV, {4, 8, 0x0000FF});
  EXPECT_EQ(Translate(e), (Lines{"1 0 0 rg", "n", "3 836 0.75 -0.75 re", "f"}));
}

TEST_F(RecordsTest, Bitmaps) {
  const struct {
    const char* name;
    std::function<void(Emf&)> draw;
    bool jpeg;
    Lines expected;
    TImageCompressionType compression;
  } cases[] = {
      {"a stretched picture is one image over its destination",
       [](Emf& e) { e.Record(EMR_STRETCHDIBITS, DibRecord(EMR_STRETCHDIBITS, 40, 80, 100, 60, 24)); }, false,
       {"q", "1 0 0 1 30 737 cm", "75 0 0 45 0 0 cm", "/Im0 Do", "Q"}, itcFlate},
      {"as JPEG when asked",
       [](Emf& e) { e.Record(EMR_STRETCHDIBITS, DibRecord(EMR_STRETCHDIBITS, 40, 80, 100, 60, 24)); }, true,
       {"q", "1 0 0 1 30 737 cm", "75 0 0 45 0 0 cm", "/Im0 Do", "Q"}, itcJpeg},
      {"black and white as fax data",
       [](Emf& e) { e.Record(EMR_STRETCHDIBITS, DibRecord(EMR_STRETCHDIBITS, 40, 80, 100, 60, 1)); }, true,
       {"q", "1 0 0 1 30 737 cm", "75 0 0 45 0 0 cm", "/Im0 Do", "Q"}, itcCCITT4},
      {"bits set at their own size",
       [](Emf& e) { e.Record(EMR_SETDIBITSTODEVICE, DibRecord(EMR_SETDIBITSTODEVICE, 40, 80, 2, 2, 24)); }, false,
       {"q", "1 0 0 1 30 780.5 cm", "1.5 0 0 1.5 0 0 cm", "/Im0 Do", "Q"}, itcFlate},
      {"a stretched block from a bitmap",
       [](Emf& e) { e.Record(EMR_STRETCHBLT, DibRecord(EMR_STRETCHBLT, 0, 0, 8, 4, 24)); }, false,
       {"q", "1 0 0 1 0 839 cm", "6 0 0 3 0 0 cm", "/Im0 Do", "Q"}, itcFlate},
      {"a block copied from a bitmap",
       [](Emf& e) { e.Record(EMR_BITBLT, DibRecord(EMR_BITBLT, 4, 0, 2, 2, 24)); }, false,
       {"q", "1 0 0 1 3 840.5 cm", "1.5 0 0 1.5 0 0 cm", "/Im0 Do", "Q"}, itcFlate},
      {"a block without a bitmap fills with the brush",
       [](Emf& e) {
         e.CreateBrush(1, BS_SOLID, 0xFF0000).Select(1);
         e.Record(EMR_BITBLT, PatRecord(EMR_BITBLT, 0, 0, 8, 4, PATCOPY));
         e.Record(EMR_STRETCHBLT, PatRecord(EMR_STRETCHBLT, 0, 0, 8, 4, PATCOPY));
         e.Record(EMR_BITBLT, PatRecord(EMR_BITBLT, 0, 0, 8, 4, WHITENESS));
       },
       false,
       {"0 0 1 rg", "n", "0 842 6 -3 re", "f", "n", "0 842 6 -3 re", "f", "1 1 1 rg", "n", "0 842 6 -3 re", "f"},
       itcFlate},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    doc_->SetEMFImageAsJpeg(c.jpeg);
    Emf e;
    c.draw(e);
    EXPECT_EQ(Translate(e), c.expected);
    if (doc_->GetImages()->GetCount() > 0) {
      TPDFImage* image = doc_->GetImages()->GetItems(0);
      EXPECT_EQ(image->Compression, c.compression);
      if (c.compression == itcFlate) {
        // The pixels from the top row down: green, white; red, blue.
        std::string rgb;
        ASSERT_TRUE(pdf_checks::Inflate(
            std::string(static_cast<const char*>(image->Data->GetMemory()), image->Data->GetSize()), rgb));
        if (image->Width == 2) {
          EXPECT_EQ(rgb, std::string("\0\xFF\0\xFF\xFF\xFF\xFF\0\0\0\0\xFF", 12));
        }
      }
    }
    doc_->Abort();
  }
}

// The body with the 32-bit field at Offset of the record (type and size counted) replaced.
Body Patched(const Body& body, size_t offset, std::int32_t value) {
  std::string bytes = body.Bytes();
  std::memcpy(&bytes[offset - 8], &value, 4);
  return Body().Raw(bytes.data(), bytes.size());
}

// Damaged records are skipped and the walk goes on: the pixel drawn after them is all the page
// gets. Each case runs in a moment, and none asks for more memory than its record justifies.
TEST_F(RecordsTest, DamagedRecordsAreSkipped) {
  const Lines pixel = {"1 0 0 rg", "n", "3 836 0.75 -0.75 re", "f"};
  const std::uint32_t pointLists[] = {
      EMR_POLYBEZIER,      EMR_POLYGON,        EMR_POLYLINE,   EMR_POLYBEZIERTO,   EMR_POLYLINETO,
      EMR_POLYBEZIER16,    EMR_POLYGON16,      EMR_POLYLINE16, EMR_POLYBEZIERTO16, EMR_POLYLINETO16,
      EMR_POLYPOLYLINE,    EMR_POLYPOLYGON,    EMR_POLYDRAW,   EMR_POLYDRAW16,     EMR_POLYPOLYLINE16,
      EMR_POLYPOLYGON16};
  // A 2 x 2 bitmap stretched: fields at 32-44 the source, 84 and 88 the bitmap's width and height.
  const Body stretched = DibRecord(EMR_STRETCHDIBITS, 40, 80, 100, 60, 24);
  const Body mono = DibRecord(EMR_STRETCHDIBITS, 40, 80, 100, 60, 1);
  const Body block = DibRecord(EMR_BITBLT, 0, 0, 2, 2, 24);
  const struct {
    const char* name;
    std::function<void(Emf&)> draw;
  } cases[] = {
      {"point lists shorter than their count",
       [&](Emf& e) {
         for (std::uint32_t type : pointLists)
           for (size_t bytes = 0; bytes < 20; bytes += 4) e.Record(type, Body().Raw(std::string(bytes, '\0').data(), bytes));
       }},
      {"point lists shorter than their header, with a count",
       [&](Emf& e) {
         for (std::uint32_t type : pointLists) e.Record(type, {0, 0, 0, 0, 1000});
       }},
      {"a point count beyond the points", [](Emf& e) { e.Record(EMR_POLYLINE, {0, 0, 0, 0, 1000000, 1, 1, 20, 20}); }},
      {"a bitmap header claiming more pixels than the record carries",
       [&](Emf& e) { e.Record(EMR_STRETCHDIBITS, Patched(Patched(stretched, 84, 10000), 88, 10000)); }},
      {"a stretched source larger than its bitmap",
       [&](Emf& e) { e.Record(EMR_STRETCHDIBITS, Patched(Patched(stretched, 40, 100000), 44, 100000)); }},
      {"a source beside its bitmap", [&](Emf& e) { e.Record(EMR_STRETCHDIBITS, Patched(stretched, 32, 1)); }},
      {"a block larger than its bitmap",
       [&](Emf& e) { e.Record(EMR_BITBLT, Patched(Patched(block, 32, 100000), 36, 100000)); }},
      {"a run-length bitmap claiming more pixels than its bytes can stand for",
       [&](Emf& e) {
         // 1-bit header made 4-bit run-length coded (planes and depth share a field), 100000
         // pixels square, its 8 bytes of pixels the image size, the whole bitmap the source.
         Body b = Patched(Patched(mono, 84, 100000), 88, 100000);
         b = Patched(Patched(Patched(b, 92, 1 | (4 << 16)), 96, BI_RLE4), 100, 8);
         e.Record(EMR_STRETCHDIBITS, Patched(Patched(b, 40, 100000), 44, 100000));
       }},
      {"an object number outside the table", [](Emf& e) { e.Select(5000).Delete(5000).CreatePen(5000, 0, 1, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Emf e;
    c.draw(e);
    e.Record(EMR_SETPIXELV, {4, 8, 0x0000FF});
    EXPECT_EQ(TranslateUnchecked(e), pixel);
    EXPECT_EQ(doc_->GetImages()->GetCount(), 0);
    doc_->Abort();
  }
}

// A restore naming a state never saved changes nothing, so a clip set after the last save stays
// and the content's saved states stay paired.
TEST_F(RecordsTest, RestoresOfStatesNeverSavedAreSkipped) {
  Emf e;
  e.CreatePen(1, PS_SOLID, 1, 0x0000FF).Select(1);
  e.Select(kStock | NULL_BRUSH);
  e.Record(EMR_SAVEDC, {});
  e.Record(EMR_INTERSECTCLIPRECT, {0, 0, 40, 40});
  for (int level : {0, 2, -2, 7, -7}) e.Record(EMR_RESTOREDC, {level});
  e.Box(EMR_RECTANGLE, 0, 0, 80, 80);
  e.Record(EMR_RESTOREDC, {1});
  e.Box(EMR_RECTANGLE, 0, 0, 80, 80);
  e.Record(EMR_RESTOREDC, {-1});
  EXPECT_EQ(TranslateUnchecked(e), (Lines{"q", "n", "0 842 30 -30 re", "W", "n", "1 0 0 RG", "0.75 w", "0 842 60 -60 re",
                                          "S", "Q", "1 0 0 RG", "0.75 w", "0 842 60 -60 re", "S"}));
}

TEST_F(RecordsTest, NothingDrawnLeavesThePageAlone) {
  TPDFPage* page = Page();
  TEMWParser parser(page);
  EXPECT_THROW(parser.GetMetaFileSize(), TPDFException);
  EXPECT_THROW(parser.Execute(), TPDFException);
  const std::string bytes = Emf().Bytes({0, 0, -1, -1});
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  stream.SetPosition(0);
  TMetafile metafile;
  metafile.LoadFromStream(&stream);
  parser.LoadMetaFile(&metafile);
  EXPECT_EQ(parser.GetMetaFileSize(), (TSize{0, 0}));

  // The page's own canvas, closed with nothing drawn.
  page->SetActiveFont("Arial", {}, 10);
  page->ClosePageCanvas();
  EXPECT_EQ(page->GetContent(), "q\r\nBT\r\n/F0 10 Tf\r\nET\r\n");
  EXPECT_EQ(page->GetCanvas(), nullptr);
}

}  // namespace
