// The printer: no printer is installed here, so its page logic is tested with a printer that
// prints into bitmaps at a resolution of its own.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Printers.h"
#include "tests/support/BitmapPrinter.h"
#include "tests/support/TestSupport.h"

namespace {

// Prints into bitmaps at 40 pixels per inch (an A4 sheet is 331 x 468 pixels).
class TBitmapPrinter : public testing_support::TBitmapPrinter {
public:
  TBitmapPrinter() : testing_support::TBitmapPrinter(40, 331, 468) {}
};

template <class F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const EPrinter& e) {
    return e.Message;
  }
  return "no error";
}

TEST(Printer, WithoutAnInstalledPrinterEverythingFailsCleanly) {
  TPrinter printer;
  if (printer.GetPrinters()->GetCount() > 0) GTEST_SKIP() << "this machine has a printer";
  const std::string noPrinter = "There is no default printer currently selected";
  EXPECT_EQ(ErrorOf([&] { printer.BeginDoc(); }), noPrinter);
  EXPECT_FALSE(printer.GetPrinting());
  EXPECT_EQ(ErrorOf([&] { printer.GetPageWidth(); }), noPrinter);
  EXPECT_EQ(ErrorOf([&] { printer.GetOrientation(); }), noPrinter);
  EXPECT_EQ(ErrorOf([&] { printer.GetCanvas()->TextWidth(AnsiString("x")); }), noPrinter);
  EXPECT_EQ(ErrorOf([&] { printer.SetPrinterIndex(0); }), "Printer index out of range");
  EXPECT_EQ(ErrorOf([&] { printer.EndDoc(); }), "Printer is not currently printing");
  // The process's printer is the same kind.
  EXPECT_EQ(ErrorOf([] { Printer()->BeginDoc(); }), noPrinter);
}

TEST(Printer, ChoosesTheDefaultPrinterAndReportsItsPage) {
  TBitmapPrinter printer;
  EXPECT_EQ(printer.GetPrinters()->GetCount(), 2);
  EXPECT_EQ(printer.GetPrinterIndex(), 1);
  EXPECT_EQ(printer.GetPageWidth(), 331);
  EXPECT_EQ(printer.GetPageHeight(), 468);
  EXPECT_EQ(printer.Calls, std::vector<std::string>{"ic Bitmap Printer"});
  EXPECT_EQ(printer.GetOrientation(), poPortrait);
  EXPECT_EQ(printer.GetCapabilities(), (TPrinterCapabilities{pcCopies, pcOrientation}));
  printer.SetOrientation(poLandscape);
  EXPECT_EQ(printer.GetOrientation(), poLandscape);
  EXPECT_EQ(printer.GetPageWidth(), 468);
  EXPECT_EQ(printer.GetPageHeight(), 331);
  // Measuring works before printing, at the printer's resolution; drawing does not.
  printer.GetCanvas()->GetFont()->SetName("Arial");
  printer.GetCanvas()->GetFont()->SetSize(18);
  EXPECT_GT(printer.GetCanvas()->TextWidth(AnsiString("Genesis")), 0);
  EXPECT_EQ(printer.GetCanvas()->GetFont()->PixelsPerInch, 40);
  // Its canvas reports the printer's device, whatever context stands in for it.
  EXPECT_EQ(printer.GetCanvas()->DeviceCaps(LOGPIXELSY), 40);
  EXPECT_EQ(printer.GetCanvas()->DeviceCaps(HORZRES), 468);
  EXPECT_EQ(printer.GetCanvas()->GetFont()->GetHeight(), -10);
  EXPECT_EQ(ErrorOf([&] { printer.GetCanvas()->Rectangle(0, 0, 5, 5); }), "Printer is not currently printing");
  printer.SetPrinterIndex(0);
  EXPECT_EQ(printer.GetPrinterIndex(), 0);
  EXPECT_EQ(ErrorOf([&] { printer.SetPrinterIndex(2); }), "Printer index out of range");
}

TEST(Printer, PrintsPageByPage) {
  TBitmapPrinter printer;
  printer.Title = "Genesis";
  TCanvas* canvas = printer.GetCanvas();
  canvas->GetFont()->SetName("Arial");
  canvas->GetFont()->SetSize(10);
  printer.BeginDoc();
  EXPECT_TRUE(printer.GetPrinting());
  EXPECT_EQ(printer.GetPageNumber(), 1);
  EXPECT_EQ(ErrorOf([&] { printer.BeginDoc(); }), "Printing in progress");
  EXPECT_EQ(ErrorOf([&] { printer.SetOrientation(poLandscape); }), "Printing in progress");
  // Font sizes are points at the printer's resolution.
  EXPECT_EQ(canvas->GetFont()->GetHeight(), -6);
  canvas->GetBrush()->SetColor(clRed);
  canvas->GetPen()->SetStyle(psClear);
  canvas->Rectangle(10, 10, 51, 51);

  printer.NewPage();
  EXPECT_EQ(printer.GetPageNumber(), 2);
  // The page started with the context's own objects; the canvas selects its own again.
  canvas->Rectangle(100, 200, 141, 241);
  canvas->GetBrush()->SetColor(clBlue);
  canvas->FillRect(Rect(300, 400, 331, 468));
  printer.EndDoc();
  EXPECT_FALSE(printer.GetPrinting());
  EXPECT_EQ(printer.GetPageNumber(), 0);

  EXPECT_EQ(printer.Calls, (std::vector<std::string>{"dc Bitmap Printer", "startdoc Genesis", "startpage", "endpage",
                                                     "startpage", "endpage", "enddoc"}));
  ASSERT_EQ(printer.Pages.size(), 2u);
  TBitmap* first = printer.Pages[0].get();
  TBitmap* second = printer.Pages[1].get();
  EXPECT_EQ(first->GetWidth(), 331);
  EXPECT_EQ(first->GetHeight(), 468);
  EXPECT_EQ(first->GetCanvas()->GetPixels(30, 30), clRed);
  EXPECT_EQ(first->GetCanvas()->GetPixels(120, 220), clWhite);
  EXPECT_EQ(second->GetCanvas()->GetPixels(30, 30), clWhite);
  EXPECT_EQ(second->GetCanvas()->GetPixels(120, 220), clRed);
  EXPECT_EQ(second->GetCanvas()->GetPixels(330, 467), clBlue);

  // A second document on the same printer.
  printer.Calls.clear();
  printer.BeginDoc();
  printer.EndDoc();
  EXPECT_EQ(printer.Calls, (std::vector<std::string>{"startdoc Genesis", "startpage", "endpage", "enddoc"}));
}

TEST(Printer, AbortAndFailures) {
  TBitmapPrinter printer;
  printer.BeginDoc();
  printer.GetCanvas()->Rectangle(0, 0, 10, 10);
  printer.Abort();
  EXPECT_FALSE(printer.GetPrinting());
  EXPECT_TRUE(printer.GetAborted());
  EXPECT_EQ(printer.Calls.back(), "abortdoc");
  EXPECT_TRUE(printer.Pages.empty());
  EXPECT_EQ(ErrorOf([&] { printer.NewPage(); }), "Printer is not currently printing");

  printer.FailStartDoc = true;
  ::SetLastError(0);
  EXPECT_NE(ErrorOf([&] { printer.BeginDoc(); }), "no error");
  EXPECT_FALSE(printer.GetPrinting());
  printer.FailStartDoc = false;
  printer.BeginDoc();
  EXPECT_FALSE(printer.GetAborted());
  printer.EndDoc();
}

TEST(Printer, TheProcessPrinterCanBeReplaced) {
  auto* mine = new TBitmapPrinter;
  std::unique_ptr<TPrinter> previous(SetPrinter(mine));
  EXPECT_EQ(Printer(), mine);
  Printer()->BeginDoc();
  Printer()->EndDoc();
  EXPECT_EQ(mine->Pages.size(), 1u);
  delete SetPrinter(previous.release());
}

}  // namespace
