// Print Bible: "Pr&int", writing the extra pages and the testaments' pages into "Bible.pdf", and
// the print options that preparing sets.
#include <memory>

#include "app/PrintBibleV3Run.h"
#include "app/PrintBibleV3Unit.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/Utilities.h"
#include "pdf/PDF.h"
#include "richtext/core/UVReport.h"
#include "richtext/edit/UVEdit.h"
#include "tools/ExtraPages.h"

namespace {

// A cover, first or last page belongs to a print of at least this many books.
constexpr Integer kBooksForExtraPages = 5;

}  // namespace

void TPrintBibleV3Dialog::LoadPrintOptions() {
  TCheckBox* extraBoxes[ExtraPageKindCount] = {CoverPageBox, FirstPageBox, OTTitleBox, NTTitleBox, LastPageBox};
  for (Integer kind = 0; kind < ExtraPageKindCount; ++kind)
    extraBoxes[kind]->SetEnabled(FileExists(ExtraPageFileName(kind)));
  const Integer all = CountSelectedBooks(2);
  const Integer oldTestament = CountSelectedBooks(0);
  const Integer newTestament = CountSelectedBooks(1);
  if (MyReg->GetPrintCoverPages()) CoverPageBox->SetChecked(all >= kBooksForExtraPages);
  if (MyReg->GetPrintFirstPages()) FirstPageBox->SetChecked(all >= kBooksForExtraPages);
  if (MyReg->GetPrintLastPages()) LastPageBox->SetChecked(all >= kBooksForExtraPages);
  if (MyReg->GetPrintOTTitlePages()) OTTitleBox->SetChecked(oldTestament >= kBooksForExtraPages);
  OTBox->SetChecked(oldTestament > 0);
  NTBox->SetChecked(newTestament > 0);
  if (MyReg->GetPrintNTTitlePages())
    NTTitleBox->SetChecked((oldTestament > 0 && newTestament > 0) || newTestament >= kBooksForExtraPages);
}

void TPrintBibleV3Dialog::PrintButtonClick(TObject*) {
  if (running_) return;
  TRun run(*this);
  if (!prepared_) {
    PreparePrintButtonClick(this);
    if (!prepared_) return;
  }
  try {
    Print();
  } catch (const EAbort&) {
    if (PDFDocument1->GetPrinting()) PDFDocument1->Abort();
    ShowStatus("Stopped");
  } catch (const Exception& e) {
    // Bible.pdf is written under another name and put in place at the end: an earlier one stays.
    if (PDFDocument1->GetPrinting()) PDFDocument1->Abort();
    ShowStatus("");
    Application->MessageBox(e.Message, GetCaption(), MB_OK | MB_ICONERROR);
  }
}

void TPrintBibleV3Dialog::Print() {
  RunStatus("Start printing ...");
  PDFDocument1->SetFileName(PdfFileName);
  PDFDocument1->BeginDoc();
  TBiblePrintSettings settings;
  settings.Geometry = page_.Geometry;
  settings.LineSpacing = lineSpacing_;
  settings.MirrorMargins = MyReg->GetMirrorMargins();
  settings.IncludeDate = includeDate_;
  settings.DateText = DateText;
  settings.HeadingInAllCaps = headingInAllCaps_;
  TBiblePdfPrinting printing(PDFDocument1, PaperSizeToPageSize(MyReg->GetPaperSize()), UVStyle1, settings);
  TBibleSheets& sheets = printing.Sheets();
  TBiblePagePrinter& printer = printing.Printer();
  printer.OnStatus = [this](const AnsiString& status) { RunStatus(status); };

  auto extra = [&](TCheckBox* box, Integer kind, const char* status) {
    if (!box->GetChecked() || !box->GetEnabled()) return;
    RunStatus(status);
    PrintExtraPage(printer, sheets, kind);
  };
  auto testament = [&](Integer which, TCheckBox* box) {
    if (layouts_[which].Pages <= 0 || !box->GetChecked()) return;
    printer.TestamentName = TestamentName(which);
    TFileStream pages(PageFileName(which), fmOpenRead | fmShareDenyWrite);
    printer.PrintTestamentPages(&pages, 1, layouts_[which].Pages);
  };
  extra(CoverPageBox, epCover, "Printing cover page(s)");
  extra(FirstPageBox, epFirst, "Printing first page(s)");
  extra(OTTitleBox, epOTTitle, "Printing Old Testament title page");
  testament(0, OTBox);
  extra(NTTitleBox, epNTTitle, "Printing New Testament title page");
  testament(1, NTBox);
  extra(LastPageBox, epLast, "Printing last page(s)");
  RunStatus("Writing PDF file");
  PDFDocument1->EndDoc();
  ShowStatus("Ready");
}

void TPrintBibleV3Dialog::PrintExtraPage(TBiblePagePrinter& printer, TBibleSheets& sheets, Integer kind) {
  printer.StartPageIfStarted();
  TExtraPageContents contents;
  contents.OldTestament = layouts_[0].Contents;
  contents.NewTestament = layouts_[1].Contents;
  // The editor's margins are the plain millimetre numbers; the page's are the text area's.
  const TRect margins{MyReg->GetLeftMargin(), MyReg->GetTopMargin(), MyReg->GetRightMargin(),
                      MyReg->GetBottomMargin()};
  const TRect area{page_.Margins.Left, page_.Margins.Top, page_.Width - page_.Margins.Right,
                   page_.Height - page_.Margins.Bottom};
  PrintExtraPageDocument(ExtraPageFileName(kind), PrintUzurUvadEdit, UVReportHelper1, contents, margins, area, sheets);
  printer.PageStarted = true;
}
