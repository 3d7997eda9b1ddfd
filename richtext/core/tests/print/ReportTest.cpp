// The report helper placed on a form, items printed by themselves (a horizontal line) and through
// the library's pictures of controls, and the printable copy of a document drawn inside a
// rectangle of a page, as a table prints its cells.
#include "PrintTestSupport.h"
#include "classlib/FormTextReader.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/Pixels.h"

namespace print_test {

class TReportForm : public TForm {
  CLASS_INFO(TReportForm, TForm)
public:
  explicit TReportForm(TComponent* AOwner) : TForm(AOwner) {}
  std::vector<Integer> Steps;
  void ReportFormatting(TObject*, Integer, Integer Step) { Steps.push_back(Step); }
};

}  // namespace print_test

PUBLISHED(print_test::TReportForm) { Method("ReportFormatting", &print_test::TReportForm::ReportFormatting); }

namespace {

using print_test::Report;

TEST(Report, AFormPlacesTheHelperWithItsViewersProperties) {
  const char kText[] =
      "object ListForm: TReportForm\r\n"
      "  Caption = 'Results'\r\n"
      "  object Report: TUVReportHelper\r\n"
      "    PreviewCorrection = False\r\n"
      "    TransparentBackground = True\r\n"
      "    UzurUvad.LeftMargin = 20\r\n"
      "    UzurUvad.TopMargin = 12\r\n"
      "    UzurUvad.Style = ListStyle\r\n"
      "    OnFormatting = ReportFormatting\r\n"
      "  end\r\n"
      "  object ListStyle: TUVStyle\r\n"
      "  end\r\n"
      "end\r\n";
  auto* form = new print_test::TReportForm(Application);
  ReadComponentFromText(form, kText);
  auto* helper = dynamic_cast<TUVReportHelper*>(form->FindComponent("Report"));
  ASSERT_NE(helper, nullptr);
  EXPECT_FALSE(helper->PreviewCorrection);
  EXPECT_TRUE(helper->GetTransparentBackground());
  TReportUzurUvad* viewer = helper->GetUzurUvad();
  EXPECT_EQ(viewer->GetLeftMargin(), 20);
  EXPECT_EQ(viewer->GetRightMargin(), 5);
  EXPECT_EQ(viewer->GetTopMargin(), 12);
  EXPECT_EQ(viewer->GetBottomMargin(), 0);
  EXPECT_EQ(viewer->GetStyle(), form->FindComponent("ListStyle"));
  // It formats for a canvas as any helper does.
  testing_support::TBitmapPrinter printer(print_test::kDpi, print_test::kPageWidth, print_test::kPageHeight);
  printer.BeginDoc();
  viewer->AddNL("GEN 1:1", 0, 0);
  helper->PrepareFormatting(printer.GetCanvas(), 150);
  while (helper->FormatNextPage(1000)) {
  }
  EXPECT_EQ(form->Steps, (std::vector<Integer>{0, 1, 2}));
  printer.Abort();
  delete form;
}

TEST(Report, ItemsThatPrintThemselvesAndControlsPrintedAsPictures) {
  Report r;
  r.Viewer()->SetLeftMargin(16);
  r.Viewer()->SetRightMargin(16);
  r.Viewer()->SetColor(clWhite);
  r.Data()->AddItem("", new TUVBreakItemInfo(r.Data(), 2, 0, clMaroon));
  print_test::AddButton(r, 60, 24)->SetCaption("OK");
  ASSERT_EQ(r.Paginate(1500), 1);
  for (Integer p = 1; p <= r.Helper.GetPrintPageCount(); ++p) r.Helper.DrawPage(p, r.Printer.GetCanvas(), false, 1500);
  r.Printer.EndDoc();
  TBitmap& page = *r.Printer.Pages[0];
  // The line goes across the printed area between the margins, 5 screen pixels (31 printer
  // pixels) in from each.
  TRect line = pixels::BoundsOf(page, clMaroon);
  const Integer areaWidth = r.Data()->DocumentAreaWidth;
  EXPECT_GT(line.Left, 100);
  EXPECT_LE(line.Left, 100 + 31);
  EXPECT_LT(line.Right, areaWidth - 100);
  EXPECT_GE(line.Right, areaWidth - 100 - 31);
  EXPECT_GE(line.Bottom - line.Top, 2 * 600 / 96 - 1);
  // The button is printed as the library's picture of it: its face and its caption.
  TUVDrawLineInfo* box = r.Line(1);
  const Integer inset = r.Data()->PrnSad.XToDevice(1);
  EXPECT_EQ(pixels::At(page, box->Left + inset + 20, box->Top + inset + 20), ColorToRGB(clBtnFace));
  Integer ink = 0;
  for (Integer y = box->Top + 40; y < box->Top + box->Height - 40; ++y)
    for (Integer x = box->Left + 40; x < box->Left + box->Width - 40; ++x) {
      TColor c = pixels::At(page, x, y);
      ink += GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
    }
  EXPECT_GT(ink, 500);
  pixels::SaveForViewing(page, "print-line-and-button");
}

TEST(Report, AnotherDocumentPrintedInsideARectangle) {
  Report r;
  r.Viewer()->AddNL("Main", 0, 0);
  r.Paginate(1500);
  Integer red = r.Style.GetTextStyles()->GetCount();
  TFontInfo* box = r.Style.GetTextStyles()->Add();
  box->Color = box->BackColor = clRed;
  TUVWindowlessData source(&r.Style);
  source.AddNL("Cell text", red, 0);
  source.AddNL("More", red, 0);
  source.FormatDefault(false);
  const Integer drawItemNo = source.GetItem(1)->DrawItemNo;
  {
    TRectPtblUVData cell(r.Data(), &source);
    EXPECT_EQ(cell.GetItemCount(), 2);
    EXPECT_EQ(cell.GetParentData(), r.Data());
    cell.Left = 200;
    cell.Top = 300;
    cell.DX = 10;
    cell.DY = 20;
    cell.Width = 600;
    cell.Height = 400;
    cell.Color = clYellow;
    cell.Format(false, true, true, 0, r.Printer.GetCanvas(), false, false);
    // The copy is laid out for the printer without margins; the source keeps its own layout.
    EXPECT_EQ(cell.DrawItems->Get(0)->Left, 0);
    EXPECT_EQ(cell.DrawItems->Get(0)->Top, 0);
    EXPECT_EQ(source.GetItem(1)->DrawItemNo, drawItemNo);
    EXPECT_GT(cell.DrawItems->Get(0)->Height, source.DrawItems->Get(0)->Height * 5);
    cell.DrawPage(1, r.Printer.GetCanvas(), false, true);
    r.Printer.EndDoc();
    TBitmap& page = *r.Printer.Pages[0];
    // The text at the rectangle's corner plus the offsets; the rectangle itself is not filled.
    TRect text = pixels::BoundsOf(page, clRed);
    EXPECT_EQ(text.Left, 210);
    EXPECT_EQ(text.Top, 320);
    EXPECT_EQ(text.Bottom, 320 + cell.DrawItems->Get(1)->Top + cell.DrawItems->Get(1)->Height);
    EXPECT_EQ(pixels::Count(page, clYellow), 0);
  }
  // The source's items outlive the copy.
  EXPECT_EQ(source.GetItemText(0), "Cell text");
  EXPECT_EQ(source.GetItemCount(), 2);
}

}  // namespace
