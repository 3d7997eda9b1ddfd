// A result list of the whole King James Bible of the test data, one line per verse (reference in
// bold, then the verse), printed through the report helper into a PDF file the way the program
// writes "List.pdf": A4 pages at 72 units per inch with margins of 2 cm. Prints the time of
// filling, formatting and cutting the pages, and drawing them into the file, with the page count.
//   richtext_core_PrintBench_bench [output file]
#include <chrono>
#include <cstdio>

#include "pdf/PDF.h"
#include "pdf/bench/BenchSupport.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/bench/BibleDocument.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (bible_document::BookFiles().empty()) {
    std::printf("No book files in %s\n", bible_document::kBooks);
    return 1;
  }
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const AnsiString output = argc > 1 ? argv[1] : AnsiString(temp) + "richtext_print_bench.pdf";
  TUVStyle style(nullptr);
  TFontInfo* reference = style.GetTextStyles()->Add();
  reference->Style = TFontStyles{fsBold};
  const Integer referenceStyle = style.GetTextStyles()->GetCount() - 1;
  TUVReportHelper helper(nullptr);
  helper.GetUzurUvad()->SetStyle(&style);

  auto start = std::chrono::steady_clock::now();
  const Integer verses = bible_document::AddResultLines(*helper.GetUzurUvad(), referenceStyle);
  const double filled = Seconds(start);

  start = std::chrono::steady_clock::now();
  TPDFDocument doc(nullptr);
  doc.SetFileName(output);
  doc.SetCompression(ctFlate);
  doc.BeginDoc();
  TPDFPage* first = doc.GetCurrentPage();
  const Integer margin = 57;  // points
  const Integer width = MulDiv(first->GetWidth() - 2 * margin, 96, 72);
  const Integer height = first->GetHeight() - 2 * margin;
  helper.PrepareFormatting(doc.GetCanvas(), width);
  const double formatted = Seconds(start);
  start = std::chrono::steady_clock::now();
  while (helper.FormatNextPage(height)) {
  }
  const Integer pages = helper.GetPrintPageCount();
  const double paginated = Seconds(start);

  start = std::chrono::steady_clock::now();
  for (Integer p = 1; p <= pages; ++p) {
    if (p > 1) doc.NewPage();
    helper.DrawPageAt(MulDiv(margin, 96, 72), MulDiv(margin, 96, 72), p, doc.GetCanvas(), false, height);
  }
  doc.EndDoc();
  const double written = Seconds(start);

  const Integer drawLines = helper.GetUzurUvad()->GetUVData()->DrawItems->GetCount();
  std::printf("%d result lines, %d draw lines, %d pages\n", verses, drawLines, pages);
  std::printf("%-40s %8.3f s\n", "filled (AddNamedCheckpointEx, AddNL, Add)", filled);
  std::printf("%-40s %8.3f s\n", "PrepareFormatting (layout for the page)", formatted);
  std::printf("%-40s %8.3f s  (%.3f ms a page)\n", "FormatNextPage until the last page", paginated,
              paginated * 1000 / pages);
  std::printf("%-40s %8.3f s  (%.2f ms a page)\n", "DrawPageAt every page, EndDoc", written, written * 1000 / pages);
  std::printf("%-40s %8.3f s\n", "paginated and written", formatted + paginated + written);
  pdf_bench::PrintFileAndMemory(output, pages, static_cast<size_t>(drawLines), static_cast<size_t>(verses));
  return 0;
}
