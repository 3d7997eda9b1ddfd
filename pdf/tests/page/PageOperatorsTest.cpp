// The content operators of a page, called directly: the lines they write, their refusals, the
// state they keep, and the page's canvas and sizes.
#include <functional>

#include "PdfTestSupport.h"
#include "classlib/Bitmaps.h"

using namespace pdf_test;

namespace {

// The lines written after the page's own first "q".
std::vector<std::string> Lines(TPDFPage* page) {
  std::vector<std::string> lines;
  const std::string& content = page->GetContent();
  size_t pos = 0;
  while (pos < content.size()) {
    const size_t end = content.find("\r\n", pos);
    lines.push_back(content.substr(pos, end - pos));
    pos = end + 2;
  }
  if (!lines.empty() && lines.front() == "q") lines.erase(lines.begin());
  return lines;
}

using LinesList = std::vector<std::string>;

class PdfPageTest : public PdfTest {
protected:
  // A fresh page of a document in progress, at the given resolution.
  TPDFPage* NewPage(Integer resolution = 72) {
    if (doc_->GetPrinting()) doc_->Abort();
    doc_->SetResolution(resolution);
    doc_->OutputStream = &out_;
    doc_->BeginDoc();
    return doc_->GetCurrentPage();
  }
  TMemoryStream out_;
};

TEST_F(PdfPageTest, PathAndPaintingOperators) {
  const struct {
    const char* name;
    std::function<void(TPDFPage*)> draw;
    LinesList expected;
  } cases[] = {
      {"rectangle from two corners", [](TPDFPage* p) { p->Rectangle(10, 10, 110, 60); }, {"10 832 100 -50 re"}},
      {"corners in any order", [](TPDFPage* p) { p->Rectangle(110, 60, 10, 10); }, {"10 832 100 -50 re"}},
      {"moves, lines and curves",
       [](TPDFPage* p) {
         p->MoveTo(0, 0);
         p->LineTo(72, 842);
         p->CurveTo(1, 2, 3, 4, 5.5, 6.25);
         p->ClosePath();
         p->FillAndStroke();
       },
       {"0 842 m", "72 0 l", "1 840 3 838 5.5 835.75 c", "h", "B"}},
      {"painting operators",
       [](TPDFPage* p) {
         p->NewPath();
         p->Fill();
         p->Stroke();
         p->EoFill();
         p->EoFillAndStroke();
         p->Clip();
       },
       {"n", "f", "S", "f*", "B*", "W"}},
      {"colours and width",
       [](TPDFPage* p) {
         p->SetRGBFillColor(1, 0.5, 0);
         p->SetRGBStrokeColor(0, 0, 1.0 / 3);
         p->SetLineWidth(2.5);
       },
       {"1 0.5 0 rg", "0 0 0.3333 RG", "2.5 w"}},
      {"a dash pattern is written once and the plain line after it",
       [](TPDFPage* p) {
         p->NoDash();
         p->SetDash("[8 8] 0");
         p->SetDash("[8 8] 0");
         p->NoDash();
       },
       {"[8 8] 0 d", "[] 0 d"}},
      {"a restore brings back the dash saved with the state",
       [](TPDFPage* p) {
         p->GStateSave();
         p->SetDash("[2 2] 0");
         p->GStateRestore();
         p->SetDash("[2 2] 0");
         p->GStateRestore();  // the page's own first state stays open
       },
       {"q", "[2 2] 0 d", "Q", "[2 2] 0 d"}},
      {"a circle is four curves",
       [](TPDFPage* p) { p->CirclePt(100, 100, 10); },
       {"110 100 m", "110 105.5228 105.5228 110 100 110 c", "94.4772 110 90 105.5228 90 100 c",
        "90 94.4772 94.4772 90 100 90 c", "105.5228 90 110 94.4772 110 100 c"}},
      {"an ellipse in its box",
       [](TPDFPage* p) { p->Ellipse(0, 0, 40, 20); },
       {"40 832 m", "40 826.4772 31.0457 822 20 822 c", "8.9543 822 0 826.4772 0 832 c",
        "0 837.5228 8.9543 842 20 842 c", "31.0457 842 40 837.5228 40 832 c"}},
      {"equal angles draw a move and a line to the start",
       [](TPDFPage* p) { p->ArcPt(0, 0, 21, 21, 30, 30); }, {"19.1603 5.5 m", "19.1603 5.5 l"}},
      {"a rounded rectangle",
       [](TPDFPage* p) { p->RoundRect(0, 0, 100, 50, 20, 10); },
       {"10 842 m", "90 842 l", "95.5228 842 100 839.7614 100 837 c", "100 797 l",
        "100 794.2386 95.5228 792 90 792 c", "10 792 l", "4.4772 792 0 794.2386 0 797 c", "0 837 l",
        "0 839.7614 4.4772 842 10 842 c", "h"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPDFPage* page = NewPage();
    c.draw(page);
    EXPECT_EQ(Lines(page), c.expected);
  }
}

TEST_F(PdfPageTest, ArcsTurnLikeGdi) {
  TPDFPage* page = NewPage();
  // A whole turn is four quarter curves.
  page->ArcPt(0, 0, 101, 101, 0, 360);
  LinesList lines = Lines(page);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "100.4999 50.4999 m");
  for (int i = 1; i < 5; ++i) EXPECT_EQ(lines[i].substr(lines[i].size() - 2), " c") << lines[i];

  // The device form draws from the start ray counter-clockwise to the end ray, as seen on the
  // page, and returns the device point where the drawn curve begins: on the end ray.
  page = NewPage();
  const TPDFPoint begin = page->ArcByPoints(0, 0, 101, 101, 200, 50.5, 50.5, 0);
  EXPECT_NEAR(begin.x, 50.5, 1e-9);
  EXPECT_NEAR(begin.y, 0.5, 1e-9);
  lines = Lines(page);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "50.4999 841.4999 m");  // the top of the circle
  EXPECT_EQ(lines[1].substr(lines[1].rfind(' ', lines[1].size() - 3)), " 791.4999 c");  // ends at the right

  // A pie adds both radii.
  page = NewPage();
  page->Pie(0, 0, 101, 101, 200, 50.5, 50.5, 0);
  lines = Lines(page);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], "50.5 791.5 l");
  EXPECT_EQ(lines[3], "50.5 841.5 m");
  EXPECT_EQ(lines[4], "50.5 791.5 l");
}

TEST_F(PdfPageTest, TextOperators) {
  const struct {
    const char* name;
    std::function<void(TPDFPage*)> draw;
    LinesList expected;
  } cases[] = {
      {"a font chosen outside a text object", [](TPDFPage* p) { p->SetActiveFont("Arial", {}, 12); },
       {"BT", "/F0 12 Tf", "ET"}},
      {"character spacing outside a text object", [](TPDFPage* p) { p->SetCharacterSpacing(1.5); },
       {"BT", "1.5 Tc", "ET"}},
      {"text at its top left corner",
       [](TPDFPage* p) {
         p->SetActiveFont("Courier New", {}, 10);
         p->BeginText();
         p->TextOut(100, 42, 0, "A (b) \\c");
         p->EndText();
       },
       {"BT", "/F8 10 Tf", "ET", "BT", "1 0 0 1 100 790 Tm", "(A \\(b\\) \\\\c) Tj", "ET"}},
      {"turned text",
       [](TPDFPage* p) {
         p->SetActiveFont("Arial", {}, 10);
         p->BeginText();
         p->TextOut(100, 42, 90, "up");
         p->TextOut(200, 42, 90, "up again");
         p->EndText();
       },
       {"BT", "/F0 10 Tf", "ET", "BT", "1 0 0 1 110 800 Tm", "0 1 -1 0 110 800 Tm", "(up) Tj",
        "0 1 -1 0 210 800 Tm", "(up again) Tj", "ET"}},
      {"the Symbol face is the standard font",
       [](TPDFPage* p) {
         p->SetActiveFont("Symbol", {}, 10, SYMBOL_CHARSET);
         p->BeginText();
         p->ShowText("ab");
         p->EndText();
       },
       {"BT", "/F12 10 Tf", "ET", "BT", "(ab) Tj", "ET"}},
      {"bold simulated with three more showings",
       [](TPDFPage* p) {
         p->SetActiveFont("DejaVu Math TeX Gyre", {fsBold}, 10);
         p->BeginText();
         p->ShowText("x");
         p->EndText();
       },
       {"BT", "/TT1 10 Tf", "ET", "BT", "(x) Tj", "-0.02 -0.02 TD", "(x) Tj", "0.02 0 TD", "(x) Tj",
        "-0.02 0.02 TD", "(x) Tj", "ET"}},
      {"italic simulated by a skewed text matrix",
       [](TPDFPage* p) {
         p->SetActiveFont("DejaVu Math TeX Gyre", {fsItalic}, 10);
         p->BeginText();
         p->EndText();
       },
       {"BT", "/TT1 10 Tf", "ET", "BT", "1 0 0.1228 1 0 0 Tm", "ET"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPDFPage* page = NewPage();
    c.draw(page);
    EXPECT_EQ(Lines(page), c.expected);
  }
}

TEST_F(PdfPageTest, UnderlinedTextGetsABarBelowTheBaseline) {
  TPDFPage* page = NewPage();
  page->SetActiveFont("Arial", {fsUnderline}, 10);
  page->BeginText();
  page->TextOutPt(100, 700, 0, "ii");  // two letters of 222 thousandths
  page->EndText();
  EXPECT_EQ(Lines(page), (LinesList{"BT", "/F0 10 Tf", "ET", "BT", "1 0 0 1 100 700 Tm", "(ii) Tj", "ET",
                                    "100 697 m", "104.44 697 l", "104.44 697.5 l", "100 697.5 l", "f", "BT",
                                    "1 0 0 1 100 700 Tm", "ET"}));
}

TEST_F(PdfPageTest, WidthsInDeviceUnits) {
  TPDFPage* page = NewPage(96);
  page->SetActiveFont("Arial", {}, 12);
  // Helvetica's "A" is 667 thousandths of an em: 8.004 points, 10.672 device units at 96.
  EXPECT_NEAR(page->TextWidth("A"), 10.672, 1e-9);
  Integer widths[256];
  page->GetCharWidths(widths);
  EXPECT_EQ(widths['A'], 10672);
  EXPECT_EQ(widths[' '], 4448);
  page->SetCharacterSpacing(4);  // three points
  EXPECT_NEAR(page->TextWidth("AA"), 2 * 10.672 + 4, 1e-9);

  page->SetActiveFont("Arial", {}, 10, SHIFTJIS_CHARSET);
  EXPECT_EQ(page->TextWidth("abc"), 0);
  page->GetCharWidths(widths);
  EXPECT_EQ(widths['a'], 13333);
}

TEST_F(PdfPageTest, TextBoxAlignsInTheBox) {
  TPDFPage* page = NewPage();
  page->SetActiveFont("Courier New", {}, 10);  // every code is 6 points wide
  page->BeginText();
  page->TextBox(TRect(100, 100, 200, 140), "abcd", 0, 0);
  page->TextBox(TRect(100, 100, 200, 140), "abcd", 1, 1);
  page->TextBox(TRect(100, 100, 200, 140), "abcd", 2, 2);
  page->EndText();
  const LinesList lines = Lines(page);
  EXPECT_EQ(lines[4], "1 0 0 1 100 732 Tm");
  EXPECT_EQ(lines[6], "1 0 0 1 138 717 Tm");
  EXPECT_EQ(lines[8], "1 0 0 1 176 702 Tm");
}

TEST_F(PdfPageTest, Refusals) {
  TPDFPage* page = NewPage();
  const struct {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"text without a text object", [page] { page->ShowText("x"); }, "Text object not inited"},
      {"text without a font", [page] { page->BeginText(); page->ShowText("x"); }, "Active font not setting"},
      {"a second text object", [page] { page->BeginText(); }, "Cannot begin text object twice"},
      {"a path inside a text object", [page] { page->MoveTo(1, 1); }, "Text object inited"},
      {"a rectangle inside a text object", [page] { page->Rectangle(1, 1, 2, 2); }, "Text object inited"},
      {"an arc inside a text object", [page] { page->Arc(1, 1, 20, 20, 0, 90); }, "Text object inited"},
      {"painting inside a text object", [page] { page->Fill(); }, "Text object inited"},
      {"an image that is not there", [page] { page->EndText(); page->ShowImagePt(0, 0, 0, 1, 1); },
       "Out of range"},
      {"a width without a font", [page] { page->TextWidth("x"); }, "Active font not setting"},
      {"a second canvas", [page] { page->CreateCanvas(); }, "Canvas for this page already created"},
  };
  for (const auto& c : cases) EXPECT_EQ(Refusal(c.call), c.message) << c.what;
  // A refused operator wrote nothing.
  EXPECT_EQ(Lines(page), (LinesList{"BT", "ET"}));
}

TEST_F(PdfPageTest, SizeIsFrozenOnceDrawingBegan) {
  TPDFPage* page = NewPage(96);
  EXPECT_EQ(page->GetWidth(), 793);
  EXPECT_EQ(page->GetHeight(), 1123);
  page->SetOrientation(1);
  EXPECT_EQ(page->GetWidth(), 1123);
  page->MoveTo(0, 0);
  for (auto call : {std::function<void()>([page] { page->SetSize(1); }),
                    std::function<void()>([page] { page->SetOrientation(0); }),
                    std::function<void()>([page] { page->SetWidth(100); }),
                    std::function<void()>([page] { page->SetHeight(100); })})
    EXPECT_EQ(Refusal(call), "Page in progress");
  EXPECT_EQ(page->GetWidth(), 1123);
}

TEST_F(PdfPageTest, ImagesArePlacedByTheirCorner) {
  TPDFPage* page = NewPage(144);
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(2, 2);
  EXPECT_EQ(doc_->AddImage(&bitmap, itcFlate), 0);
  page->ShowImage(0, 20, 40, 200, 100, 0);  // device units: two per point
  page->ShowImagePt(0, 10, 20, 30, 40, 90);
  EXPECT_EQ(Lines(page), (LinesList{"q", "1 0 0 1 10 772 cm", "100 0 0 50 0 0 cm", "/Im0 Do", "Q", "q",
                                    "1 0 0 1 10 20 cm", "0 1 -1 0 0 0 cm", "30 0 0 40 0 0 cm", "/Im0 Do", "Q"}));
}

TEST_F(PdfPageTest, AnUndrawnFormWritesAnEmptyContentStream) {
  NewPage();
  TPDFPage form(doc_.get());
  form.SetIsForm(true);
  form.SetFormMatrix({1, 0, 0, 1, 5, 6});
  form.WritePageObject();
  doc_->EndDoc();
  const pdf_checks::PdfFile file = pdf_checks::ParsePdf(ReadStream(out_));
  EXPECT_TRUE(file.Errors.empty());
  const pdf_checks::PdfObject& object = file.Objects.at(form.GetPageNumber());
  EXPECT_EQ(object.Stream, "q\r\nQ\r\n");
  EXPECT_EQ(file.Value(form.GetPageNumber(), "/Matrix"), "[1 0 0 1 5 6 ]");
  EXPECT_EQ(file.Value(form.GetPageNumber(), "/Subtype"), "/Form");
}

}  // namespace
