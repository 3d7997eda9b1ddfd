// Printing the list: "List.pdf" in the printing folder, its pages laid out by the report helper
// within the margins of the settings, each with a header of the title, the date and the page
// number.
#include <algorithm>

#include "app/PrintGeneralLists.h"
#include "classlib/ComCtrls.h"
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "pdf/PDF.h"
#include "richtext/core/DLines.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

namespace {

// The pages of the PDF document: each of the paper size of the settings, upright.
class TPDFSheets : public TListSheets {
public:
  TPDFSheets(TPDFDocument* document, Integer pageSize) : document_(document), pageSize_(pageSize) { Shape(); }
  TCanvas* Canvas() override { return document_->GetCanvas(); }
  TSize PageSize() override {
    TPDFPage* page = document_->GetCurrentPage();
    return TSize{page->GetWidth(), page->GetHeight()};
  }
  void NewPage() override {
    document_->NewPage();
    Shape();
  }

private:
  void Shape() {
    TPDFPage* page = document_->GetCurrentPage();
    page->SetSize(static_cast<Byte>(pageSize_));
    page->SetOrientation(0);
  }
  TPDFDocument* document_;
  Integer pageSize_;
};

// Ten blanks stand between the page number and the rest of a header.
const char kHeaderGap[] = "          ";

}  // namespace

void TPrintGeneralListDialog::UVReportHelper1Formatting(TObject*, Integer PageCount, Integer Step) {
  switch (Step) {
    case 0: ShowStatus("Repaginating..."); break;
    case 1: ShowStatus(Format("Repaginating (%d)", {PageCount})); break;
    default: ShowStatus("Repaginating finished"); break;
  }
}

void TPrintGeneralListDialog::Print1Click(TObject*) {
  ShowStatus("Printing ...");
  AnsiString folder = MyReg->GetPrintingFolder();
  if (!folder.empty()) {
    folder = IncludeTrailingPathDelimiter(folder);
    ForceDirectories(folder);
  }
  PDFDocument1->SetFileName(folder + "List.pdf");
  PDFDocument1->BeginDoc();
  try {
    TPDFSheets sheets(PDFDocument1, PaperSizeToPageSize(MyReg->GetPaperSize()));
    PrintPages(sheets);
    ShowStatus("Writing PDF file");
    PDFDocument1->EndDoc();
  } catch (...) {
    // A file that cannot be written (one open in a viewer, say) leaves no half document behind.
    if (PDFDocument1->GetPrinting()) PDFDocument1->Abort();
    ShowStatus("");
    throw;
  }
  ShowStatus("Ready printing");
}

void TPrintGeneralListDialog::PrintPages(TListSheets& sheets) {
  TCanvas* canvas = sheets.Canvas();
  // The margins are screen pixels; the canvas measures in units of its own resolution (a PDF
  // page's 72 to the inch, a printer's dots), so they are converted to keep their millimetres.
  TUVScreenAndDevice sad;
  UVGetResolution(canvas, sad);
  const Integer screen = Screen->GetPixelsPerInch();
  auto toX = [&](Integer pixels) { return ::MulDiv(pixels, sad.DevicePpiX, screen); };
  auto toY = [&](Integer pixels) { return ::MulDiv(pixels, sad.DevicePpiY, screen); };
  const TSize sheet = sheets.PageSize();
  const TRect area{toX(MillimetresToPixels(MyReg->GetLeftMargin())), toY(MillimetresToPixels(MyReg->GetTopMargin())),
                   sheet.cx - toX(MillimetresToPixels(MyReg->GetRightMargin())),
                   sheet.cy - toY(MillimetresToPixels(MyReg->GetBottomMargin()))};
  const Integer areaHeight = area.Bottom - area.Top;

  // The report helper lays out its own copy of the text; the text area is all its page.
  TReportUzurUvad* report = UVReportHelper1->GetUzurUvad();
  {
    TMemoryStream stream;
    UzurUvadEdit1->SaveUVFToStream(&stream, false);
    stream.SetPosition(0);
    report->Clear();
    report->LoadUVFFromStream(&stream);
  }
  report->SetLeftMargin(0);
  report->SetRightMargin(0);
  report->SetTopMargin(0);
  report->SetBottomMargin(0);
  UVReportHelper1->PrepareFormatting(canvas, ::MulDiv(area.Right - area.Left, screen, sad.DevicePpiX));
  while (UVReportHelper1->FormatNextPage(areaHeight)) {
  }

  // An empty list still prints one page with its header.
  const Integer laidOut = UVReportHelper1->GetPrintPageCount();
  const Integer pages = std::max<Integer>(laidOut, 1);
  for (Integer page = 1; page <= pages; ++page) {
    ShowStatus("Printing page " + IntToStr(page));
    if (page > 1) sheets.NewPage();
    canvas = sheets.Canvas();
    if (page <= laidOut) {
      // The helper places a page by the device's own coordinates.
      POINT origin{area.Left, area.Top};
      ::LPtoDP(canvas->GetHandle(), &origin, 1);
      UVReportHelper1->DrawPageAt(origin.x, origin.y, page, canvas, false, areaHeight);
    }
    DrawPageHeader(canvas, page, area, toY(10));
  }
}

void TPrintGeneralListDialog::DrawPageHeader(TCanvas* canvas, Integer page, const TRect& area, Integer gap) {
  canvas->GetFont()->Assign(UVStyle1->GetTextStyles()->GetItem(0));
  canvas->GetBrush()->SetStyle(bsClear);
  const bool fromLeft = MyReg->GetMirrorMargins() && page % 2 == 0;
  const AnsiString text = fromLeft ? IntToStr(page) + kHeaderGap + DateText + " " + Title
                                   : Title + " " + DateText + kHeaderGap + IntToStr(page);
  const Integer top = area.Top - canvas->TextHeight(text) - gap;
  canvas->TextOut(fromLeft ? area.Left : area.Right - canvas->TextWidth(text), top, text);
}
