// The whole KJV typeset into "Bible.pdf" as Print Bible does it, with hyphenation: both testament
// documents built from the book files into rich-text editors and laid out there, typeset into
// their page files on a measuring PDF canvas, and drawn page by page with their headers into a
// compressed PDF written a page at a time. Prints the time of each step, the pages, the sizes of
// the page files and the PDF, and the peak memory of the process.
//   tools_BibleBench_bench [folder of the book files] [output PDF]
// For figures of one core: taskset -c 0 scripts/wine-env.sh build wine build/bin/tools_BibleBench_bench.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "pdf/PDF.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "tests/support/TestSupport.h"
#include "tools/BibleDocument.h"
#include "tools/BiblePageRecords.h"
#include "tools/BiblePdf.h"
#include "tools/BiblePrinting.h"
#include "tools/BibleText.h"
// After the Windows headers, which it needs.
#include <psapi.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The book files of the folder in canonical order, each with its English name.
std::vector<TBibleBook> BooksIn(const AnsiString& folder) {
  std::vector<TBibleBook> books;
  TSearchRec rec;
  if (FindFirst(folder + "*.SFM", faAnyFile, rec) == 0) {
    do {
      const int book = rec.Name.size() > 5 ? BookNumberFromId(rec.Name.substr(2, 3)) : 0;
      if (book > 0) books.push_back(TBibleBook{EnglishBookName(book), folder + rec.Name});
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  std::sort(books.begin(), books.end(), [](const TBibleBook& a, const TBibleBook& b) {
    return BookNumberFromEnglishName(a.Entry) < BookNumberFromEnglishName(b.Entry);
  });
  return books;
}


}  // namespace

int main(int argc, char** argv) {
  AnsiString folder = argc > 1 ? AnsiString(argv[1]) : testing_support::KjvDataFolder() + "KJV";
  folder = IncludeTrailingPathDelimiter(folder);
  testing_support::TempFolder temp;
  const AnsiString output = argc > 2 ? AnsiString(argv[2]) : AnsiString(temp.File("Bible.pdf"));
  const std::vector<TBibleBook> books = BooksIn(folder);
  if (books.empty()) {
    std::fprintf(stderr, "no book files in %s\n", folder.c_str());
    return 1;
  }
  const auto total = Clock::now();

  // The dialog's documents: one editor per testament on a form, in the Bible's styles.
  TUVStyle style(nullptr);
  CreateBibleStyles(&style, 100);
  ApplyBibleFonts(&style, DefaultFontTable(), false, 2);
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 800, 600);
  VUzurUvadEdit* editors[2];
  for (VUzurUvadEdit*& editor : editors) {
    editor = new VUzurUvadEdit(form);
    editor->SetParent(form);
    editor->SetAlign(alClient);
    editor->SetStyle(&style);
  }
  std::vector<TBibleBook> testaments[2];
  for (const TBibleBook& book : books)
    testaments[BookNumberFromEnglishName(book.Entry) > OldTestamentBookCount ? 1 : 0].push_back(book);

  auto start = Clock::now();
  TBookStarts starts[2];
  for (int t = 0; t < 2; ++t) {
    TUzurUvadBibleText text(editors[t]);
    text.Clear();
    TBibleDocumentBuilder builder(text, &style);
    builder.Build(testaments[t], TBibleBuildOptions{}, starts[t]);
  }
  const double built = Seconds(start);
  start = Clock::now();
  for (VUzurUvadEdit* editor : editors) editor->Format();
  const double formatted = Seconds(start);

  // Typesetting, with hyphenation from consonant to vowel three characters from each end.
  start = Clock::now();
  const TBiblePageSetup setup;  // A4, margins of 25 mm
  constexpr Integer kResolution = 72;
  const TBiblePageMeasures page = MeasureBiblePage(setup, kResolution);
  THyphenationSettings hyphenation;
  hyphenation.Rule = hrConsonantVowel;
  hyphenation.MinimumDistance = 3;
  hyphenation.Consonants = StringToCharSet("bcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ");
  hyphenation.Vowels = StringToCharSet("aeiouAEIOU");
  const char* names[2] = {"Old Testament", "New Testament"};
  const AnsiString pageFiles[2] = {temp.File("otpages.dat"), temp.File("ntpages.dat")};
  TTestamentLayout layouts[2];
  for (int t = 0; t < 2; ++t) {
    TUzurUvadBibleText text(editors[t]);
    layouts[t] = TypesetTestament(text, starts[t], &style, page.Geometry, kResolution, 100, hyphenation, names[t],
                                  pageFiles[t], nullptr);
  }
  const double typeset = Seconds(start);

  // Printing, a page written at a time.
  start = Clock::now();
  TPDFDocument document(nullptr);
  document.SetFileName(output);
  document.SetCompression(ctFlate);
  document.SetResolution(kResolution);
  document.SetOnePass(true);
  document.BeginDoc();
  {
    TPdfBibleSheets sheets(&document, PaperSizeToPageSize(setup.PaperSize));
    TBiblePrintSettings settings;
    settings.Geometry = page.Geometry;
    settings.IncludeDate = true;
    settings.DateText = FormatDateTime("d mmm yyyy", Date());
    TBibleStyleFonts fonts(&style);
    TBiblePagePrinter printer(sheets, settings);
    for (Integer i = 0; i < fonts.Count(); ++i) printer.SetFont(i, fonts.Font(i));
    for (int t = 0; t < 2; ++t) {
      printer.TestamentName = names[t];
      TFileStream pages(pageFiles[t], fmOpenRead | fmShareDenyWrite);
      printer.PrintTestamentPages(&pages, 1, layouts[t].Pages);
    }
  }
  document.EndDoc();
  const double printed = Seconds(start);
  const double all = Seconds(total);

  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  std::printf("The KJV typeset into %s with hyphenation (A4, margins 25 mm)\n", output.c_str());
  std::printf("  pages: %d (Old Testament %d, New Testament %d)\n", layouts[0].Pages + layouts[1].Pages,
              layouts[0].Pages, layouts[1].Pages);
  std::printf("  page files: %.1f MB + %.1f MB (%lld records)\n", FileSizeOf(pageFiles[0]) / 1048576.0,
              FileSizeOf(pageFiles[1]) / 1048576.0,
              static_cast<long long>((FileSizeOf(pageFiles[0]) + FileSizeOf(pageFiles[1])) / PageRecordSize));
  std::printf("  PDF: %.1f MB\n", FileSizeOf(output) / 1048576.0);
  std::printf("  documents built %.2f s, laid out in the editors %.2f s\n", built, formatted);
  std::printf("  typeset %.2f s, printed %.2f s\n", typeset, printed);
  std::printf("  total %.2f s\n", all);
  std::printf("  peak memory: working set %.1f MB, committed %.1f MB\n", counters.PeakWorkingSetSize / 1048576.0,
              counters.PeakPagefileUsage / 1048576.0);
  return 0;
}
