// Printed pages drawn into the bitmap printer's pages at 600 pixels per inch, checked by their
// pixels against the formatter's draw lines: every line on its page at its place below the top
// margin and right of the left margin, pages drawn at an offset, the document colour, paragraph
// backgrounds and borders, the page background picture, pictures printed in parts, controls
// printed through pictures, and the correction of text measured wider than formatted.

#include "PrintTestSupport.h"
#include "classlib/StdCtrls.h"
#include "richtext/core/UVBack.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"

namespace {

using print_test::Report;

// Text styles whose text and background share a colour, so that each draw line is a solid box.
Integer BoxStyle(Report& R, TColor Color, Integer Size = 12) {
  TFontInfo* style = R.Style.GetTextStyles()->Add();
  style->Color = Color;
  style->BackColor = Color;
  style->Size = Size;
  return R.Style.GetTextStyles()->GetCount() - 1;
}

// Prints every page at (Left, Top) of the printer's pages, AreaHeight high.
void PrintAll(Report& R, Integer Left, Integer Top, Integer AreaHeight) {
  for (Integer p = 1; p <= R.Helper.GetPrintPageCount(); ++p) {
    if (p > 1) R.Printer.NewPage();
    R.Helper.DrawPageAt(Left, Top, p, R.Printer.GetCanvas(), false, AreaHeight);
  }
  R.Printer.EndDoc();
}

struct Box {
  Integer Left, Top, Right, Bottom;
};

// Where the page shows draw line d: below the top margin, right of the left margin, from the
// page's top on.
Box PlaceOf(Report& R, Integer Page, Integer DrawItemNo, Integer Left, Integer Top) {
  TUVDrawLineInfo* dli = R.Line(DrawItemNo);
  Integer x = Left + dli->Left;
  Integer y = Top + R.Data()->ScaledTopMargin + dli->Top - R.Page(Page)->PageTopY;
  return {x, y, x + dli->Width, y + dli->Height};
}

TEST(DrawPage, EveryLineOnItsPageAtItsPlace) {
  struct Case {
    const char* Name;
    Integer Left, Top;  // where the page is drawn
  };
  for (const Case& c : {Case{"at the corner", 0, 0}, Case{"at an offset", 90, 140}}) {
    SCOPED_TRACE(c.Name);
    Report r;
    Integer red = BoxStyle(r, clRed);
    Integer blue = BoxStyle(r, clBlue);
    r.Viewer()->SetLeftMargin(16);
    r.Viewer()->SetTopMargin(16);
    r.Viewer()->SetBottomMargin(8);
    for (Integer i = 0; i < 25; ++i) r.Viewer()->AddNL(("Line " + std::to_string(i)).c_str(), i % 2 ? blue : red, 0);
    const Integer pages = r.Paginate(1500);
    ASSERT_EQ(pages, 3);
    PrintAll(r, c.Left, c.Top, 1500);
    ASSERT_EQ(r.Printer.Pages.size(), 3u);
    EXPECT_EQ(r.Data()->ScaledTopMargin, 100);
    EXPECT_EQ(r.Line(0)->Left, 100);
    for (Integer p = 1; p <= pages; ++p) {
      SCOPED_TRACE(p);
      TBitmap& page = *r.Printer.Pages[static_cast<std::size_t>(p - 1)];
      if (c.Left == 0) pixels::SaveForViewing(page, "print-page-" + std::to_string(p));
      auto [first, last] = r.PageRanges()[static_cast<std::size_t>(p - 1)];
      Integer bottom = 0;
      for (Integer d = first; d <= last; ++d) {
        SCOPED_TRACE(d);
        Box b = PlaceOf(r, p, d, c.Left, c.Top);
        TColor colour = d % 2 ? clBlue : clRed;
        EXPECT_EQ(pixels::At(page, b.Left + 1, b.Top + 1), colour);
        EXPECT_EQ(pixels::At(page, b.Right - 2, b.Bottom - 2), colour);
        EXPECT_EQ(pixels::At(page, b.Left - 2, (b.Top + b.Bottom) / 2), clWhite);
        EXPECT_EQ(pixels::At(page, b.Right + 2, (b.Top + b.Bottom) / 2), clWhite);
        EXPECT_EQ(pixels::At(page, b.Left + 1, b.Top - 1), clWhite);
        bottom = b.Bottom;
      }
      // The page's first line sits at the top margin; nothing is drawn below its last.
      EXPECT_EQ(PlaceOf(r, p, first, c.Left, c.Top).Top, c.Top + 100);
      EXPECT_EQ(pixels::Count(page, clRed) + pixels::Count(page, clBlue) > 0, true);
      TRect red = pixels::BoundsOf(page, clRed);
      TRect blueBox = pixels::BoundsOf(page, clBlue);
      EXPECT_LE(std::max(red.Bottom, blueBox.Bottom), bottom);
      EXPECT_LE(bottom, c.Top + 100 + 1500 - 150);
    }
  }
}

TEST(DrawPage, DrawPageAtLeavesTheOriginAsItFoundIt) {
  Report r;
  r.Viewer()->AddNL("Line", 0, 0);
  r.Paginate(1500);
  HDC dc = r.Printer.GetCanvas()->GetHandle();
  ::SetViewportOrgEx(dc, 7, 9, nullptr);
  r.Helper.DrawPageAt(50, 60, 1, r.Printer.GetCanvas(), false, 1500);
  POINT origin{};
  ::GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 7);
  EXPECT_EQ(origin.y, 9);
  ::SetViewportOrgEx(dc, 0, 0, nullptr);
}

TEST(DrawPage, DocumentColourParagraphBackgroundsAndBorders) {
  Report r;
  Integer red = BoxStyle(r, clRed);
  r.Viewer()->SetColor(clYellow);
  TParaInfo* framed = r.Style.GetParaStyles()->Add();
  framed->GetBackground()->Color = clAqua;
  framed->GetBorder()->Style = uvbSingle;
  framed->GetBorder()->Color = clNavy;
  for (TUVRect* offsets : {framed->GetBackground()->GetBorderOffsets(), framed->GetBorder()->GetBorderOffsets()}) {
    offsets->Left = offsets->Top = offsets->Right = offsets->Bottom = 4;
  }
  const Integer paraNo = r.Style.GetParaStyles()->GetCount() - 1;
  r.Viewer()->SetLeftMargin(16);
  r.Viewer()->AddNL("plain", red, 0);
  r.Viewer()->AddNL("framed", red, paraNo);
  r.Viewer()->AddNL("plain", red, 0);
  ASSERT_EQ(r.Paginate(1500), 1);
  const Integer areaWidth = r.Data()->DocumentAreaWidth;
  PrintAll(r, 0, 0, 1500);
  TBitmap& page = *r.Printer.Pages[0];
  pixels::SaveForViewing(page, "print-backgrounds");
  // The document colour fills the printed area, and only that.
  EXPECT_EQ(pixels::At(page, 3, 3), clYellow);
  EXPECT_EQ(pixels::At(page, areaWidth - 3, 1497), clYellow);
  EXPECT_EQ(pixels::At(page, areaWidth + 3, 3), clWhite);
  EXPECT_EQ(pixels::At(page, 3, 1503), clWhite);
  // The paragraph's background and its border surround its line, both widened by their offsets
  // taken to the printer (4 screen pixels are 25 printer pixels), once.
  Box line = PlaceOf(r, 1, 1, 0, 0);
  // The border's 6-pixel lines are centred on the widened rectangle's edges.
  const Integer offset = 25, border = 6;
  const Integer left = 100 - offset, middle = (line.Top + line.Bottom) / 2;
  EXPECT_EQ(pixels::At(page, left, middle), clNavy);
  EXPECT_EQ(pixels::At(page, left + border, middle), clAqua);
  EXPECT_EQ(pixels::At(page, left - border, middle), clYellow);
  EXPECT_EQ(pixels::At(page, line.Right + 20, line.Top - offset), clNavy);
  EXPECT_EQ(pixels::At(page, line.Right + 20, line.Top - offset + border), clAqua);
  EXPECT_EQ(pixels::At(page, line.Right + 20, line.Top - offset - border), clYellow);
  EXPECT_EQ(pixels::At(page, line.Right + 20, line.Bottom + offset + border), clYellow);

  // A transparent background leaves the page as it is.
  Report clear;
  clear.Viewer()->SetColor(clYellow);
  clear.Helper.SetTransparentBackground(true);
  clear.Viewer()->AddNL("text", 0, 0);
  clear.Paginate(1500);
  PrintAll(clear, 0, 0, 1500);
  EXPECT_EQ(pixels::Count(*clear.Printer.Pages[0], clYellow), 0);
}

TEST(DrawPage, TheBackgroundPictureAndWhatLiesBehindPrintedItems) {
  Report r;
  // A tiled picture: left half green, right half lime, 20 screen pixels square.
  auto tile = pixels::Bitmap24(20, 20, clGreen);
  tile->GetCanvas()->GetBrush()->SetColor(clLime);
  tile->GetCanvas()->FillRect(Rect(10, 0, 20, 20));
  r.Viewer()->SetBackgroundBitmap(tile.get());
  r.Viewer()->SetBackgroundStyle(bsTiledAndScrolled);
  r.Viewer()->SetLeftMargin(0);
  // A control printed through the picture its print component supplies, smaller than the
  // control: the rest of its box shows the page's background behind it.
  struct Supplier : TObject {
    Integer Asked = 0;
    void Supply(TCustomUVPrint*, TControl*, TBitmap*& Image) {
      ++Asked;
      Image = pixels::Bitmap24(10, 10, clRed).release();
    }
  } supplier;
  r.Helper.OnPrintComponent = TUVPrintComponentEvent(&supplier, &Supplier::Supply);
  print_test::AddButton(r, 40, 30);
  ASSERT_EQ(r.Paginate(1500), 1);
  PrintAll(r, 0, 0, 1500);
  TBitmap& page = *r.Printer.Pages[0];
  pixels::SaveForViewing(page, "print-background-picture");
  EXPECT_EQ(supplier.Asked, 1);
  // A picture that scrolls with the text on the screen is tiled from the page's corner.
  EXPECT_EQ(r.Viewer()->GetBackgroundStyle(), bsTiled);
  auto sad = r.Data()->PrnSad;
  auto screenToPage = [&](Integer X, Integer Y) { return pixels::At(page, sad.XToDevice(X), sad.YToDevice(Y)); };
  EXPECT_EQ(screenToPage(45, 205), clGreen);
  EXPECT_EQ(screenToPage(55, 205), clLime);
  EXPECT_EQ(screenToPage(65, 205), clGreen);
  // The control's box: the supplied picture in its middle, the background around it.
  TUVDrawLineInfo* box = r.Line(0);
  Integer x = box->Left + sad.XToDevice(1), y = box->Top + sad.YToDevice(1);
  EXPECT_EQ(pixels::At(page, x + sad.XToDevice(20), y + sad.YToDevice(15)), clRed);
  EXPECT_EQ(pixels::At(page, x + sad.XToDevice(5), y + sad.YToDevice(5)), clGreen);
  EXPECT_EQ(pixels::At(page, x + sad.XToDevice(15), y + sad.YToDevice(5)), clLime);
  EXPECT_EQ(pixels::At(page, x + sad.XToDevice(35), y + sad.YToDevice(25)), clLime);

  // Without a picture and without colours the box is white around the supplied picture.
  Report plain;
  plain.Helper.SetTransparentBackground(true);
  plain.Helper.OnPrintComponent = TUVPrintComponentEvent(&supplier, &Supplier::Supply);
  print_test::AddButton(plain, 40, 30);
  plain.Paginate(1500);
  // The page is green under the box, so that white can only come from the box.
  plain.Printer.GetCanvas()->GetBrush()->SetColor(clGreen);
  plain.Printer.GetCanvas()->FillRect(Rect(0, 0, 1200, 1800));
  PrintAll(plain, 0, 0, 1500);
  TBitmap& white = *plain.Printer.Pages[0];
  box = plain.Line(0);
  x = box->Left + sad.XToDevice(1);
  y = box->Top + sad.YToDevice(1);
  EXPECT_EQ(pixels::At(white, x + sad.XToDevice(5), y + sad.YToDevice(5)), clWhite);
  EXPECT_EQ(pixels::At(white, x + sad.XToDevice(20), y + sad.YToDevice(15)), clRed);
  EXPECT_EQ(pixels::At(white, x - 3, y - 3), clGreen);
}

TEST(DrawPage, EachPageShowsItsOwnPartOfAPicture) {
  Report r;
  // Red above, green below: 600 screen pixels that take three pages.
  TBitmap* bitmap = print_test::AddPicture(r, 100, 600, 50);
  bitmap->GetCanvas()->GetBrush()->SetColor(clGreen);
  bitmap->GetCanvas()->FillRect(Rect(0, 300, 100, 600));
  Integer blue = BoxStyle(r, clBlue);
  r.Viewer()->AddNL("After", blue, 0);
  ASSERT_EQ(r.Paginate(1800), 3);
  PrintAll(r, 0, 0, 1800);
  auto* multi = dynamic_cast<TUVMultiImagePrintInfo*>(r.Line(0));
  ASSERT_TRUE(multi);
  auto sad = r.Data()->PrnSad;
  Integer x = multi->Left + sad.XToDevice(50);
  for (Integer p = 1; p <= 3; ++p) {
    SCOPED_TRACE(p);
    TBitmap& page = *r.Printer.Pages[static_cast<std::size_t>(p - 1)];
    pixels::SaveForViewing(page, "print-picture-part-" + std::to_string(p));
    TUVImagePrintPart* part = multi->GetImagePart(p - 1);
    // The part's first and last rows: red above the picture's middle, green below it.
    Integer top = sad.YToDevice(1);
    for (Integer row : {part->ImgTop + 2, part->ImgTop + part->ImgHeight - 3}) {
      Integer y = top + sad.YToDevice(row - part->ImgTop);
      EXPECT_EQ(pixels::At(page, x, y), row < 300 ? clRed : clGreen) << "row " << row;
    }
  }
  // The line after the picture follows its last part on the last page.
  TBitmap& last = *r.Printer.Pages[2];
  Integer below = multi->GetPart(2)->Height;
  TRect after = pixels::BoundsOf(last, clBlue);
  EXPECT_GE(after.Top, below);
  EXPECT_LE(after.Top, below + sad.YToDevice(2));
}

TEST(DrawPage, CorrectionKeepsTextMeasuredWiderFromOverlapping) {
  // Formatted with 12-point text, drawn with 24-point: with the correction the second piece of
  // the line moves right of where the first now ends; without it stays at its own place.
  for (bool correction : {false, true}) {
    SCOPED_TRACE(correction);
    Report r;
    Integer red = BoxStyle(r, clRed);
    Integer blue = BoxStyle(r, clBlue);
    r.Viewer()->AddNL("Wider", red, 0);
    r.Viewer()->Add("Next", blue);
    r.Paginate(1500, 300);
    r.Helper.PreviewCorrection = correction;
    r.Style.GetTextStyles()->GetItem(red)->Size = 24;
    PrintAll(r, 0, 0, 1500);
    TBitmap& page = *r.Printer.Pages[0];
    pixels::SaveForViewing(page, correction ? "print-correction-on" : "print-correction-off");
    TRect blueBox = pixels::BoundsOf(page, clBlue);
    if (correction)
      EXPECT_GT(blueBox.Left, r.Line(1)->Left + 20);
    else
      EXPECT_EQ(blueBox.Left, r.Line(1)->Left);
  }
}

}  // namespace
