// A result list printed through the report helper onto the PDF writer's page canvases, the way
// the program writes "List.pdf": the file passes the PDF tools' checks, has the pages that
// pagination cut, and gives back every line in order.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "PdfChecks.h"
#include "PdfTestSupport.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"

namespace {

// Screen pixels of a length in points.
Integer PointsToScreen(Integer Points) { return MulDiv(Points, 96, 72); }

class ReportPdf : public pdf_test::PdfTest {};

TEST_F(ReportPdf, AResultListOfTwoThousandLines) {
  TUVStyle style(nullptr);
  TFontInfo* reference = style.GetTextStyles()->Add();
  reference->Style = TFontStyles{fsBold};
  const Integer referenceStyle = style.GetTextStyles()->GetCount() - 1;
  TUVReportHelper helper(nullptr);
  TReportUzurUvad* list = helper.GetUzurUvad();
  list->SetStyle(&style);
  std::vector<std::string> lines;
  for (int i = 1; i <= 2000; ++i) {
    std::string ref = "GEN " + std::to_string(i / 31 + 1) + ":" + std::to_string(i % 31 + 1);
    std::string message = "Line " + std::to_string(i) + " spelling: unknown word";
    list->AddNL(ref.c_str(), referenceStyle, 0);
    list->Add((" " + message).c_str(), 0);
    lines.push_back(ref + " " + message);
  }
  std::vector<Integer> steps;
  struct Listener : TObject {
    std::vector<Integer>* Steps;
    void Formatting(TObject*, Integer, Integer Step) { Steps->push_back(Step); }
  } listener;
  listener.Steps = &steps;
  helper.OnFormatting = TUVFormattingEvent(&listener, &Listener::Formatting);

  // An A4 page at 72 units per inch with margins of 2 cm (57 points), the way the program sets
  // them: the text width and the drawing position in screen pixels, the page height in units.
  const std::string path = Begin("List.pdf");
  TPDFPage* first = doc_->GetCurrentPage();
  const Integer margin = 57;
  const Integer width = PointsToScreen(first->GetWidth()) - 2 * PointsToScreen(margin);
  const Integer height = first->GetHeight() - 2 * margin;
  helper.PrepareFormatting(doc_->GetCanvas(), width);
  while (helper.FormatNextPage(height)) {
  }
  const Integer pages = helper.GetPrintPageCount();
  ASSERT_GT(pages, 20);
  EXPECT_EQ(steps.front(), 0);
  EXPECT_EQ(steps.back(), 2);
  EXPECT_EQ(static_cast<Integer>(steps.size()), pages + 2);
  for (Integer p = 1; p <= pages; ++p) {
    if (p > 1) doc_->NewPage();
    helper.DrawPageAt(PointsToScreen(margin), PointsToScreen(margin), p, doc_->GetCanvas(), false, height);
  }
  doc_->EndDoc();

  pdf_test::ExpectSoundPdf(path);
  const std::string file = "'" + pdf_checks::UnixPath(path) + "'";
  const pdf_checks::ToolResult info = pdf_checks::RunLinux("pdfinfo " + file, temp_.Path());
  EXPECT_NE(info.Out.find("Pages:           " + std::to_string(pages) + "\n"), std::string::npos) << info.Out;
  // Every line comes back whole and in order; only page breaks (form feeds) come between them.
  const pdf_checks::ToolResult text = pdf_checks::RunLinux("pdftotext -layout " + file + " -", temp_.Path());
  std::vector<std::string> found;
  std::istringstream in(text.Out);
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.front() == '\f' || line.front() == ' ')) line.erase(0, 1);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (!line.empty()) found.push_back(line);
  }
  EXPECT_EQ(found, lines);
}

}  // namespace
