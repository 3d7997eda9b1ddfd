// What the printing tests share: a report helper on a style sheet of its own that formats for a
// bitmap printer at 600 pixels per inch with pages of 2 x 3 inches, and checks of a pagination
// against the formatter's draw lines.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/StdCtrls.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"
#include "tests/support/BitmapPrinter.h"
#include "tests/support/Pixels.h"

namespace print_test {

constexpr Integer kDpi = 600;
constexpr Integer kPageWidth = 1200;
constexpr Integer kPageHeight = 1800;

class Report {
public:
  // The printer is printing: its canvas measures and draws only then.
  Report() : Printer(kDpi, kPageWidth, kPageHeight) {
    Style.GetTextStyles()->GetItem(0)->Size = 12;
    Helper.GetUzurUvad()->SetStyle(&Style);
    Printer.BeginDoc();
  }

  TReportUzurUvad* Viewer() { return Helper.GetUzurUvad(); }
  TReportUVData* Data() { return Helper.GetUzurUvad()->GetReportData(); }
  TUVDrawLineInfo* Line(Integer DrawItemNo) { return Data()->DrawItems->Get(DrawItemNo); }
  Integer LineCount() { return Data()->DrawItems->GetCount(); }
  TUVPageInfo* Page(Integer PageNo) { return Data()->GetPage(PageNo - 1); }

  // Formats for the printer's canvas, ScreenWidth screen pixels wide, and cuts pages of
  // PageHeight printer pixels; the number of pages.
  Integer Paginate(Integer PageHeight, Integer ScreenWidth = 150) {
    Helper.PrepareFormatting(Printer.GetCanvas(), ScreenWidth);
    Integer pages = 0;
    while (Helper.FormatNextPage(PageHeight)) {
      ++pages;
      if (pages > 10000) break;
    }
    return pages;
  }
  // The draw lines on each page.
  std::vector<std::pair<Integer, Integer>> PageRanges() {
    std::vector<std::pair<Integer, Integer>> ranges;
    for (Integer p = 1; p <= Helper.GetPrintPageCount(); ++p) {
      Integer first = 0, last = 0, part = 0;
      Data()->GetPageDrawItems(p, first, last, part);
      ranges.emplace_back(first, last);
    }
    return ranges;
  }

  testing_support::TBitmapPrinter Printer;
  TUVStyle Style{nullptr};
  TUVReportHelper Helper{nullptr};
};

// A red picture of Width x Height screen pixels in a paragraph of its own; MinHeight > 0 lets
// it be printed in parts. The picture, for drawing on.
inline TBitmap* AddPicture(Report& R, Integer Width, Integer Height, Integer MinHeight = 0) {
  TBitmap* bitmap = pixels::Bitmap24(Width, Height, clRed).release();
  auto* picture = new TUVGraphicItemInfo(R.Data(), bitmap, 0);
  picture->ParaNo = 0;
  picture->MinHeightOnPage = MinHeight;
  R.Data()->AddItem("picture", picture);
  return bitmap;
}

// A button of Width x Height screen pixels placed in a paragraph of its own.
inline TButton* AddButton(Report& R, Integer Width, Integer Height) {
  auto* button = new TButton(nullptr);
  button->SetBounds(0, 0, Width, Height);
  auto* control = new TUVControlItemInfo(R.Data(), button, 0);
  control->ParaNo = 0;
  R.Data()->AddItem("button", control);
  return button;
}

}  // namespace print_test
