// Pages drawn on the document's canvas exactly as the print dialogs draw them, checked in the
// written file: the file checks, the text that pdftotext finds and where, and the pixels of
// rendered pages against the same drawing on a bitmap.
#include <cmath>
#include <functional>
#include <regex>

#include "PdfTestSupport.h"
#include "classlib/Bitmaps.h"

using namespace pdf_test;

namespace {

// One thing drawn, the part of the page it stays in, and points whose colour matters.
struct Item {
  const char* Name;
  std::function<void(TCanvas*)> Draw;
  TRect Area;
  std::vector<TPoint> Samples;
  // How far the edges of what is drawn may lie apart, pixels.
  int Tolerance = 2;
};

std::unique_ptr<TBitmap> Quadrants(int size, TPixelFormat format) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(size, size);
  TCanvas* c = b->GetCanvas();
  c->GetBrush()->SetColor(clWhite);
  c->FillRect(TRect(0, 0, size, size));
  if (format == pf1bit) {
    c->GetBrush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, size / 2, size / 2));
    c->FillRect(TRect(size / 2, size / 2, size, size));
    return b;
  }
  const TColor colors[4] = {clRed, clLime, clBlue, clYellow};
  for (int q = 0; q < 4; ++q) {
    c->GetBrush()->SetColor(colors[q]);
    const int x = (q % 2) * size / 2, y = (q / 2) * size / 2;
    c->FillRect(TRect(x, y, x + size / 2, y + size / 2));
  }
  return b;
}

void Pen(TCanvas* c, TColor color, int width, TPenStyle style = psSolid) {
  c->GetPen()->SetColor(color);
  c->GetPen()->SetWidth(width);
  c->GetPen()->SetStyle(style);
}

void Brush(TCanvas* c, TColor color, TBrushStyle style = bsSolid) {
  c->GetBrush()->SetColor(color);
  c->GetBrush()->SetStyle(style);
}

void Font(TCanvas* c, const char* name, int size, TColor color = clBlack, TFontStyles style = {}) {
  c->GetFont()->SetName(name);
  c->GetFont()->SetSize(size);
  c->GetFont()->SetColor(color);
  c->GetFont()->SetStyle(style);
}

// The shapes page: pens of each style and width, solid and clear brushes, every shape.
std::vector<Item> Shapes() {
  std::vector<Item> items;
  int y = 40;
  const struct {
    TPenStyle style;
    int width;
  } pens[] = {{psSolid, 1}, {psSolid, 4}, {psSolid, 9}, {psDash, 1}, {psDot, 1}, {psDashDot, 1}, {psDashDotDot, 1}};
  for (const auto& p : pens) {
    const int at = y;
    items.push_back({"line", [p, at](TCanvas* c) {
                       Pen(c, clNavy, p.width, p.style);
                       c->MoveTo(40, at);
                       c->LineTo(340, at);
                     },
                     TRect(30, at - 12, 350, at + 12), {},
                     // Dash patterns of GDI and PDF differ: a line may end in a gap.
                     p.style == psSolid ? 2 : 12});
    y += 30;
  }
  items.push_back({"rectangle, solid brush", [](TCanvas* c) {
                     Pen(c, clBlack, 3);
                     Brush(c, clYellow);
                     c->Rectangle(400, 40, 520, 120);
                   },
                   TRect(390, 30, 530, 130), {TPoint(460, 80), TPoint(401, 80)}});
  items.push_back({"rectangle, clear brush", [](TCanvas* c) {
                     Pen(c, clRed, 2);
                     Brush(c, clWhite, bsClear);
                     c->Rectangle(560, 40, 680, 120);
                   },
                   TRect(550, 30, 690, 130), {TPoint(620, 80), TPoint(561, 80)}});
  items.push_back({"rounded rectangle", [](TCanvas* c) {
                     Pen(c, clBlack, 1);
                     Brush(c, clAqua);
                     c->RoundRect(400, 160, 520, 240, 40, 30);
                   },
                   TRect(390, 150, 530, 250), {TPoint(460, 200), TPoint(402, 162)}});
  items.push_back({"ellipse", [](TCanvas* c) {
                     Pen(c, clGreen, 3);
                     Brush(c, clFuchsia);
                     c->Ellipse(560, 160, 680, 240);
                   },
                   TRect(550, 150, 690, 250), {TPoint(620, 200), TPoint(570, 170)}});
  items.push_back({"arc", [](TCanvas* c) {
                     Pen(c, clBlue, 2);
                     c->Arc(40, 260, 160, 360, 160, 310, 40, 310);
                   },
                   TRect(30, 250, 170, 370), {}});
  items.push_back({"pie", [](TCanvas* c) {
                     Pen(c, clBlack, 1);
                     Brush(c, clLime);
                     c->Pie(200, 260, 320, 360, 320, 310, 260, 260);
                   },
                   TRect(190, 250, 330, 370), {TPoint(285, 295), TPoint(230, 330)}});
  items.push_back({"chord", [](TCanvas* c) {
                     Pen(c, clBlack, 1);
                     Brush(c, clSilver);
                     c->Chord(360, 260, 480, 360, 480, 310, 360, 310);
                   },
                   TRect(350, 250, 490, 370), {TPoint(420, 290), TPoint(420, 340)}});
  items.push_back({"polygon", [](TCanvas* c) {
                     Pen(c, clMaroon, 2);
                     Brush(c, clOlive);
                     c->Polygon({TPoint(520, 360), TPoint(580, 260), TPoint(640, 360)});
                   },
                   TRect(510, 250, 650, 370), {TPoint(580, 330)}});
  items.push_back({"polyline and Beziers", [](TCanvas* c) {
                     Pen(c, clPurple, 3);
                     c->Polyline({TPoint(40, 400), TPoint(100, 480), TPoint(160, 400)});
                     c->PolyBezier({TPoint(200, 480), TPoint(220, 380), TPoint(300, 380), TPoint(320, 480)});
                   },
                   TRect(30, 370, 330, 490), {}});
  items.push_back({"filled background", [](TCanvas* c) {
                     Brush(c, clTeal);
                     c->FillRect(TRect(360, 400, 480, 480));
                   },
                   TRect(350, 390, 490, 490), {TPoint(420, 440), TPoint(361, 401), TPoint(478, 478)}});
  return items;
}

// Clipping set and removed, a world transform, saved states.
std::vector<Item> Clipping() {
  std::vector<Item> items;
  items.push_back({"clipped ellipse", [](TCanvas* c) {
                     Pen(c, clBlack, 1);
                     Brush(c, clRed);
                     ::IntersectClipRect(c->GetHandle(), 60, 60, 140, 100);
                     c->Ellipse(20, 20, 180, 180);
                     ::SelectClipRgn(c->GetHandle(), nullptr);
                   },
                   TRect(10, 10, 190, 190), {TPoint(100, 80), TPoint(100, 140)}});
  items.push_back({"drawn after the clip was removed", [](TCanvas* c) {
                     Brush(c, clBlue);
                     c->Rectangle(220, 20, 300, 100);
                   },
                   TRect(210, 10, 310, 110), {TPoint(260, 60)}});
  items.push_back({"a world transform inside a saved state", [](TCanvas* c) {
                     HDC dc = c->GetHandle();
                     ::SaveDC(dc);
                     ::SetGraphicsMode(dc, GM_ADVANCED);
                     const XFORM twice{2, 0, 0, 2, 340, 20};
                     ::SetWorldTransform(dc, &twice);
                     Pen(c, clBlack, 1);
                     Brush(c, clYellow);
                     c->Rectangle(0, 0, 40, 40);
                     ::RestoreDC(dc, -1);
                     c->Refresh();
                   },
                   TRect(330, 10, 430, 110), {TPoint(380, 70)}});
  items.push_back({"restored to no transform", [](TCanvas* c) {
                     Pen(c, clBlack, 1);
                     Brush(c, clLime);
                     c->Rectangle(460, 20, 500, 60);
                   },
                   TRect(450, 10, 510, 70), {TPoint(480, 40)}});
  items.push_back({"a clip inside a saved state ends with it", [](TCanvas* c) {
                     HDC dc = c->GetHandle();
                     ::SaveDC(dc);
                     ::IntersectClipRect(dc, 40, 240, 100, 260);
                     Brush(c, clFuchsia);
                     c->FillRect(TRect(20, 220, 180, 300));
                     ::RestoreDC(dc, -1);
                     c->Refresh();
                     Brush(c, clAqua);
                     c->FillRect(TRect(120, 280, 180, 300));
                   },
                   TRect(10, 210, 190, 310), {TPoint(70, 250), TPoint(70, 230), TPoint(150, 290)}});
  return items;
}

// Text in fonts, sizes, colours, alignments and backgrounds; bitmaps.
std::vector<Item> TextAndBitmaps() {
  std::vector<Item> items;
  items.push_back({"fonts and sizes", [](TCanvas* c) {
                     Brush(c, clWhite, bsClear);
                     Font(c, "Arial", 8);
                     c->TextOut(40, 40, AnsiString("Arial eight"));
                     Font(c, "Times New Roman", 12, clRed, {fsBold});
                     c->TextOut(40, 60, AnsiString("Times bold twelve"));
                     Font(c, "Courier New", 16, clBlue, {fsItalic});
                     c->TextOut(40, 90, AnsiString("Courier italic"));
                     Font(c, "Liberation Serif", 24, clGreen);
                     c->TextOut(40, 130, AnsiString("Embedded serif"));
                     Font(c, "DejaVu Sans", 36, clPurple);
                     c->TextOut(40, 180, AnsiString("DejaVu"));
                   },
                   TRect(30, 30, 420, 240), {}});
  items.push_back({"alignments", [](TCanvas* c) {
                     Brush(c, clWhite, bsClear);
                     Font(c, "Arial", 14);
                     HDC dc = c->GetHandle();
                     const UINT aligns[3] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM};
                     for (int i = 0; i < 3; ++i) {
                       ::SetTextAlign(dc, aligns[i]);
                       c->TextOut(600, 260 + 40 * i, AnsiString("Aligned text"));
                     }
                     ::SetTextAlign(dc, TA_LEFT | TA_TOP);
                   },
                   TRect(440, 240, 760, 400), {}});
  items.push_back({"opaque background", [](TCanvas* c) {
                     Brush(c, clYellow);
                     Font(c, "Arial", 14);
                     c->TextOut(40, 260, AnsiString("On yellow"));
                   },
                   TRect(30, 250, 200, 290), {TPoint(41, 262), TPoint(41, 280)}});
  items.push_back({"opaque and clipped rectangle", [](TCanvas* c) {
                     Brush(c, clAqua);
                     Font(c, "Times New Roman", 14);
                     c->TextRect(TRect(40, 300, 140, 330), 45, 305, AnsiString("Cut off at the box"));
                   },
                   TRect(30, 290, 260, 340), {TPoint(42, 302), TPoint(138, 328)}});
  items.push_back({"turned text", [](TCanvas* c) {
                     Brush(c, clWhite, bsClear);
                     LOGFONTA f{};
                     f.lfHeight = -24;
                     f.lfEscapement = f.lfOrientation = 900;
                     std::strcpy(f.lfFaceName, "Arial");
                     c->GetFont()->SetHandle(::CreateFontIndirectA(&f));
                     c->GetFont()->SetColor(clBlack);
                     c->TextOut(320, 520, AnsiString("Upward"));
                   },
                   TRect(280, 400, 360, 530), {}});
  items.push_back({"24-bit bitmap", [](TCanvas* c) { c->Draw(40, 400, Quadrants(64, pf24bit).get()); },
                   TRect(30, 390, 114, 474),
                   {TPoint(56, 416), TPoint(88, 416), TPoint(56, 448), TPoint(88, 448)}});
  items.push_back({"24-bit bitmap stretched", [](TCanvas* c) {
                     c->StretchDraw(TRect(140, 400, 260, 460), Quadrants(16, pf24bit).get());
                   },
                   TRect(130, 390, 270, 470), {TPoint(170, 415), TPoint(230, 415), TPoint(170, 445), TPoint(230, 445)}});
  items.push_back({"1-bit bitmap", [](TCanvas* c) {
                     c->StretchDraw(TRect(40, 500, 120, 580), Quadrants(32, pf1bit).get());
                   },
                   TRect(30, 490, 130, 590), {TPoint(60, 520), TPoint(100, 520), TPoint(60, 560), TPoint(100, 560)}});
  return items;
}

const std::vector<std::vector<Item>>& Pages() {
  static const std::vector<std::vector<Item>> pages{Shapes(), Clipping(), TextAndBitmaps()};
  return pages;
}

bool NearColour(unsigned a, unsigned b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

// A picture as RGB values: the screen bitmap or the rendered page.
struct Picture {
  int Width = 0, Height = 0;
  std::function<unsigned(int, int)> Pixel;

  bool Ink(int x, int y) const { return !NearColour(Pixel(x, y), 0xFFFFFF, 40); }
  // The smallest rectangle holding every inked pixel of the area (empty when none).
  TRect InkBox(const TRect& area) const {
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (Ink(x, y)) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
  }
};

std::string Describe(const TRect& r) {
  return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " + std::to_string(r.Right) + ", " +
         std::to_string(r.Bottom) + ")";
}

class PdfDrawingTest : public PdfTest {
protected:
  pdf_checks::ToolResult Run(const std::string& command) { return pdf_checks::RunLinux(command, temp_.Path()); }

  // Writes the pages at 96 device units per inch, the screen's, as the print dialogs do.
  std::string WritePages(bool flate) {
    doc_->SetResolution(96);
    doc_->SetCompression(flate ? ctFlate : ctNone);
    const std::string path = Begin(flate ? "drawing-flate.pdf" : "drawing.pdf");
    for (size_t p = 0; p < Pages().size(); ++p) {
      if (p) doc_->NewPage();
      for (const Item& item : Pages()[p]) item.Draw(doc_->GetCanvas());
    }
    doc_->EndDoc();
    return path;
  }
};

TEST_F(PdfDrawingTest, PagesMatchTheSameDrawingOnABitmap) {
  const std::string path = WritePages(true);
  ExpectSoundPdf(path);
  for (size_t p = 0; p < Pages().size(); ++p) {
    const pdf_checks::Raster raster = pdf_checks::RenderPage(path, static_cast<int>(p + 1), 96);
    ASSERT_EQ(raster.Width, 794);
    ASSERT_EQ(raster.Height, 1123);
    TBitmap screen;
    screen.SetPixelFormat(pf24bit);
    screen.SetSize(794, 1123);
    screen.GetCanvas()->GetBrush()->SetColor(clWhite);
    screen.GetCanvas()->FillRect(TRect(0, 0, 794, 1123));
    for (const Item& item : Pages()[p]) item.Draw(screen.GetCanvas());
    const Picture drawn{794, 1123, [&screen](int x, int y) {
                          const Byte* row = static_cast<const Byte*>(screen.GetScanLine(y));
                          return unsigned(row[3 * x + 2]) << 16 | unsigned(row[3 * x + 1]) << 8 | row[3 * x];
                        }};
    const Picture rendered{raster.Width, raster.Height, [&raster](int x, int y) { return raster.Pixel(x, y); }};
    for (const Item& item : Pages()[p]) {
      SCOPED_TRACE(item.Name);
      const TRect a = drawn.InkBox(item.Area), b = rendered.InkBox(item.Area);
      EXPECT_TRUE(a.Right > a.Left) << "nothing drawn";
      const int tolerance = item.Tolerance;
      EXPECT_TRUE(std::abs(a.Left - b.Left) <= tolerance && std::abs(a.Top - b.Top) <= tolerance &&
                  std::abs(a.Right - b.Right) <= tolerance && std::abs(a.Bottom - b.Bottom) <= tolerance)
          << "bitmap " << Describe(a) << ", page " << Describe(b);
      for (const TPoint& s : item.Samples) {
        char expected[16], got[16];
        std::snprintf(expected, sizeof expected, "%06X", drawn.Pixel(s.X, s.Y));
        std::snprintf(got, sizeof got, "%06X", rendered.Pixel(s.X, s.Y));
        EXPECT_TRUE(NearColour(drawn.Pixel(s.X, s.Y), rendered.Pixel(s.X, s.Y), 24))
            << "at " << s.X << ", " << s.Y << ": bitmap " << expected << ", page " << got;
      }
    }
  }
}

TEST_F(PdfDrawingTest, TextStandsWhereGdiLaidItOut) {
  const std::string path = WritePages(false);
  ExpectSoundPdf(path);
  const pdf_checks::ToolResult r = Run("pdftotext -f 3 -l 3 -bbox '" + pdf_checks::UnixPath(path) + "' -");
  struct Word {
    double xMin, yMin, xMax, yMax;
  };
  std::map<std::string, std::vector<Word>> words;
  static const std::regex word(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  for (std::sregex_iterator it(r.Out.begin(), r.Out.end(), word), end; it != end; ++it)
    words[(*it)[5].str()].push_back(
        {std::stod((*it)[1].str()), std::stod((*it)[2].str()), std::stod((*it)[3].str()), std::stod((*it)[4].str())});

  // Each line as GDI measures it: its left edge, its width and its cell, in points.
  TBitmap screen;
  screen.SetSize(10, 10);
  TCanvas* c = screen.GetCanvas();
  const struct {
    const char* font;
    int size;
    TFontStyles style;
    const char* text;
    int x, y;
  } lines[] = {
      {"Arial", 8, {}, "Arial eight", 40, 40},
      {"Times New Roman", 12, {fsBold}, "Times bold twelve", 40, 60},
      {"Courier New", 16, {fsItalic}, "Courier italic", 40, 90},
      {"Liberation Serif", 24, {}, "Embedded serif", 40, 130},
      {"Arial", 14, {}, "On yellow", 40, 260},
  };
  for (const auto& l : lines) {
    SCOPED_TRACE(l.text);
    Font(c, l.font, l.size, clBlack, l.style);
    const TSize extent = c->TextExtent(AnsiString(l.text));
    const std::string first = std::string(l.text).substr(0, std::string(l.text).find(' '));
    const std::string last = std::string(l.text).substr(std::string(l.text).rfind(' ') + 1);
    ASSERT_EQ(words[first].size(), 1u);
    ASSERT_EQ(words[last].size(), 1u);
    EXPECT_NEAR(words[first][0].xMin, l.x * 0.75, 0.5);
    EXPECT_NEAR(words[last][0].xMax, (l.x + extent.cx) * 0.75, 1.0);
    // The word's box lies within the text's cell.
    EXPECT_GT(words[first][0].yMin, l.y * 0.75 - 1.5);
    EXPECT_LT(words[first][0].yMax, (l.y + extent.cy) * 0.75 + 1.5);
  }

  // Aligned to the left of, the middle of and the right of x = 600.
  Font(c, "Arial", 14);
  const auto& aligned = words["Aligned"];
  ASSERT_EQ(aligned.size(), 3u);
  EXPECT_NEAR(aligned[0].xMin, 450, 0.5);
  const double full = c->TextExtent(AnsiString("Aligned text")).cx * 0.75;
  EXPECT_NEAR(aligned[1].xMin, 450 - full / 2, 0.75);
  EXPECT_NEAR(aligned[2].xMin, 450 - full, 0.75);
}

// Small drawings on the canvas and the operators they become (at 96 units per inch a canvas
// unit is three quarters of a point).
TEST_F(PdfDrawingTest, SmallDrawingsAndTheirOperators) {
  const struct {
    const char* name;
    std::function<void(TCanvas*)> draw;
    std::vector<std::string> expected;  // lines of the translated content, after "1 J" and "1 j"
  } cases[] = {
      {"a rectangle, its pen and brush",
       [](TCanvas* c) {
         Pen(c, clRed, 2);
         Brush(c, clYellow);
         c->Rectangle(40, 40, 120, 80);
       },
       {"1 0 0 RG", "1.5 w", "1 1 0 rg", "30 812 59.25 -29.25 re", "B"}},
      {"a dashed line",
       [](TCanvas* c) {
         Pen(c, clBlack, 1, psDash);
         c->MoveTo(0, 4);
         c->LineTo(40, 4);
       },
       {"[8 8] 0 d", "0.75 w", "0 839 m", "30 839 l", "S"}},
      {"text on a clear brush",
       [](TCanvas* c) {
         Brush(c, clWhite, bsClear);
         Font(c, "Courier New", 12, clBlue);
         c->TextOut(40, 40, AnsiString("Hi"));
       },
       {"BT", "/F8 12 Tf", "0 0 1 rg", "*", "*", "(Hi) Tj", "ET"}},
      {"an ellipse without a pen",
       [](TCanvas* c) {
         Pen(c, clBlack, 1, psClear);
         Brush(c, clLime);
         c->Ellipse(0, 0, 41, 21);
       },
       {"0 1 0 rg", "30 834.5 m", "*", "*", "*", "*", "f"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    doc_->SetResolution(96);
    Begin("small.pdf");
    c.draw(doc_->GetCanvas());
    doc_->NewPage();
    std::vector<std::string> lines;
    const std::string content = doc_->GetPage(0)->GetContent();
    for (size_t pos = 0; pos < content.size();) {
      const size_t end = content.find("\r\n", pos);
      lines.push_back(content.substr(pos, end - pos));
      pos = end + 2;
    }
    // The translation, then the empty line that the carriage return between the two ends, then
    // the page's own first "q" on a line of its own.
    ASSERT_EQ(lines.size(), c.expected.size() + 4) << content;
    EXPECT_EQ(lines[0], "1 J");
    EXPECT_EQ(lines[1], "1 j");
    EXPECT_EQ(lines[lines.size() - 2], "");
    EXPECT_EQ(lines.back(), "q");
    EXPECT_EQ(content.substr(content.size() - 7), "\r\n\r\nq\r\n");
    for (size_t i = 0; i < c.expected.size(); ++i) {
      if (c.expected[i] == "*") continue;
      EXPECT_EQ(lines[i + 2], c.expected[i]) << i;
    }
    doc_->Abort();
  }

  // Pictures: deflated colour, fax-coded black and white, JPEG when asked.
  for (bool jpeg : {false, true}) {
    doc_->SetResolution(96);
    doc_->SetEMFImageAsJpeg(jpeg);
    const std::string path = Begin(jpeg ? "jpeg.pdf" : "flate.pdf");
    doc_->GetCanvas()->Draw(40, 40, Quadrants(16, pf24bit).get());
    doc_->GetCanvas()->Draw(80, 40, Quadrants(16, pf1bit).get());
    doc_->EndDoc();
    const pdf_checks::PdfFile file = ExpectSoundPdf(path);
    std::vector<std::string> filters;
    for (const auto& [n, o] : file.Objects)
      if (file.Value(n, "/Subtype") == "/Image") filters.push_back(file.Value(n, "/Filter"));
    EXPECT_EQ(filters, (std::vector<std::string>{jpeg ? "/DCTDecode" : "/FlateDecode", "[/CCITTFaxDecode]"}));
    bool procSet = false;
    for (const auto& [n, o] : file.Objects)
      procSet = procSet || file.Value(n, "/ProcSet") == "[/PDF /ImageB /ImageC ]";
    EXPECT_TRUE(procSet);
  }
}

// Pages written as they are closed, each at the resolution it was begun with.
TEST_F(PdfDrawingTest, OnePassPagesKeepTheirOwnResolution) {
  doc_->SetOnePass(true);
  doc_->SetResolution(96);
  const std::string path = Begin("onepass.pdf");
  for (int p = 0; p < 3; ++p) {
    if (p) {
      doc_->SetResolution(p == 1 ? 72 : 144);
      doc_->NewPage();
    }
    TCanvas* c = doc_->GetCanvas();
    Brush(c, clYellow);
    c->FillRect(TRect(0, 0, doc_->GetCurrentPage()->GetWidth(), doc_->GetCurrentPage()->GetHeight()));
    Brush(c, clWhite, bsClear);
    Font(c, "Arial", 20);
    c->TextOut(doc_->GetCurrentPage()->GetWidth() / 4, 0, AnsiString("Page " + std::to_string(p + 1)));
  }
  doc_->EndDoc();
  ExpectSoundPdf(path);
  for (int p = 1; p <= 3; ++p) {
    SCOPED_TRACE(p);
    const pdf_checks::Raster raster = pdf_checks::RenderPage(path, p, 36);
    ASSERT_GT(raster.Width, 0);
    EXPECT_EQ(raster.Pixel(0, 0), 0xFFFF00u);
    // Whole device units end within a pixel of the sheet's edge (595 points are 793.3 units at 96).
    EXPECT_EQ(raster.Pixel(raster.Width - 2, raster.Height - 2), 0xFFFF00u);
    const pdf_checks::ToolResult r = Run("pdftotext -bbox -f " + std::to_string(p) + " -l " + std::to_string(p) +
                                         " '" + pdf_checks::UnixPath(path) + "' -");
    static const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>Page</word>)re");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.Out, m, word)) << r.Out;
    EXPECT_NEAR(std::stod(m[1].str()), 595 / 4.0, 1);
    EXPECT_LT(std::stod(m[2].str()), 5);
  }
}

// A page drawn from 0 to its width and height covers the whole sheet, at the screen's
// resolution and at 72 units per inch alike, and its fonts keep their point sizes.
TEST_F(PdfDrawingTest, CanvasUnitsArePageUnits) {
  for (Integer resolution : {96, 72}) {
    SCOPED_TRACE(resolution);
    doc_->SetResolution(resolution);
    doc_->SetCompression(ctNone);
    const std::string path = Begin("units" + std::to_string(resolution) + ".pdf");
    TPDFPage* page = doc_->GetCurrentPage();
    page->SetOrientation(1);
    const int w = page->GetWidth(), h = page->GetHeight();
    TCanvas* c = doc_->GetCanvas();
    Brush(c, clBlue);
    c->FillRect(TRect(0, 0, w, h));
    Brush(c, clWhite, bsClear);
    Font(c, "Arial", 12, clWhite);
    c->TextOut(w / 2, h / 2, AnsiString("Middle"));
    doc_->EndDoc();
    const pdf_checks::PdfFile file = ExpectSoundPdf(path);
    EXPECT_EQ(file.Value(2, "/MediaBox"), "[0 0 842 595]");
    const pdf_checks::Raster raster = pdf_checks::RenderPage(path, 1, 72);
    ASSERT_EQ(raster.Width, 842);
    ASSERT_EQ(raster.Height, 595);
    for (const TPoint& p : {TPoint(0, 0), TPoint(841, 0), TPoint(0, 594), TPoint(841, 594), TPoint(420, 100)})
      EXPECT_EQ(raster.Pixel(p.X, p.Y), 0x0000FFu) << p.X << ", " << p.Y;
    bool found = false;
    for (const auto& [n, o] : file.Objects)
      if (o.HasStream && o.Stream.find("/F0 12 Tf") != std::string::npos) found = true;
    EXPECT_TRUE(found) << "a twelve-point font";
    const pdf_checks::ToolResult r = Run("pdftotext -bbox '" + pdf_checks::UnixPath(path) + "' -");
    static const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>Middle</word>)re");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.Out, m, word)) << r.Out;
    EXPECT_NEAR(std::stod(m[1].str()), 421, 0.5);
  }
}

}  // namespace
