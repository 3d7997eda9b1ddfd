// The whole KJV typeset into "Bible.pdf" as Print Bible does it, with hyphenation: both testament
// documents built from the book files into rich-text editors and laid out there, typeset into
// their page files with the widths of the PDF's fonts, and drawn page by page with their headers
// into a compressed PDF written a page at a time. The document's set-up, the typesetting and the
// printing are Print Bible's own code (SetUpBiblePdfDocument, TypesetTestament, TBiblePdfPrinting),
// so that the benchmark measures what the dialog runs. Prints the layout, the time of each step, the pages,
// the sizes of the page files and the PDF, and the peak memory of the process.
//   tools_BibleBench_bench [options] [folder of the book files] [output PDF]
// The layout, as the print settings and the fonts dialog would give it (defaults: the program's
// own, 12 pt on the line height of the font, A4 with margins of 25 mm):
//   --font-size=PT   the text and verse numbers in PT points, the other styles scaled with them
//                    (titles 20 and 16, chapter numbers 34, subheadings 12 at 12 pt), whole points
//   --line-pitch=PT  the text's lines PT points apart: the line spacing in percent that gives it
//                    (100 to 400, as the print settings allow; the pitch it gives is printed)
//   --margins=MM     all four margins, or --margins=TOP,BOTTOM,LEFT,RIGHT, whole millimetres
// The lines after "layout:" give what the pages are made of in points (1/72 inch; the pages are
// laid out in hundredths of them), for tools/bench/compare-with-office.sh to lay out the same
// pages elsewhere.
// For figures of one core: taskset -c 0 scripts/wine-env.sh build wine build/bin/tools_BibleBench_bench.exe
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
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
#include "tools/BibleMeasurer.h"
#include "tools/BiblePageRecords.h"
#include "tools/BiblePdf.h"
#include "tools/BiblePrinting.h"
#include "tools/BibleText.h"
// After the Windows headers, which it needs.
#include <psapi.h>

namespace {

using testing_support::Stopwatch;

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

// The layout asked for on the command line; 0 leaves the program's default.
struct TLayout {
  Integer FontSize = 0;
  Integer LinePitch = 0;
  TBiblePageSetup Page;  // A4, margins of 25 mm
  AnsiString Folder, Output;
};

bool WholeNumber(const char* text, Integer low, Integer high, Integer& value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || (*end != '\0' && *end != ',') || number < low || number > high) return false;
  value = static_cast<Integer>(number);
  return true;
}

bool ParseArguments(int argc, char** argv, TLayout& layout) {
  std::vector<AnsiString> positional;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strncmp(arg, "--font-size=", 12) == 0) {
      if (!WholeNumber(arg + 12, 4, 72, layout.FontSize)) return false;
    } else if (std::strncmp(arg, "--line-pitch=", 13) == 0) {
      if (!WholeNumber(arg + 13, 4, 200, layout.LinePitch)) return false;
    } else if (std::strncmp(arg, "--margins=", 10) == 0) {
      // The margins fields edit whole millimetres up to 70.
      Integer margins[4];
      const char* at = arg + 10;
      int count = 0;
      for (; count < 4; ++count) {
        if (!WholeNumber(at, 0, 70, margins[count])) return false;
        at = std::strchr(at, ',');
        if (at == nullptr) break;
        ++at;
      }
      if (count == 0) {
        layout.Page.Top = layout.Page.Bottom = layout.Page.Left = layout.Page.Right = margins[0];
      } else if (count == 3) {
        layout.Page.Top = margins[0];
        layout.Page.Bottom = margins[1];
        layout.Page.Left = margins[2];
        layout.Page.Right = margins[3];
      } else {
        return false;
      }
    } else if (arg[0] == '-' && arg[1] == '-') {
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() > 2) return false;
  if (positional.size() > 0) layout.Folder = positional[0];
  if (positional.size() > 1) layout.Output = positional[1];
  return true;
}

// The program's font table with the text at `size` points and the other records scaled with it
// from their defaults for 12 points, to whole points.
TFontTable FontsFor(Integer size) {
  TFontTable fonts = DefaultFontTable();
  if (size <= 0) return fonts;
  const Integer text = fonts[fiNormalText].Size;
  for (TFontRecord& record : fonts) record.Size = std::max<Integer>(1, (record.Size * size * 2 + text) / (text * 2));
  return fonts;
}

// The height of a line of each text style at 100 % in units of the resolution, as pagination
// measures it.
std::vector<Integer> TextHeights(TUVStyle* style, Integer resolution) {
  TBibleStyleFonts fonts(style);
  TPdfTextMeasurer measurer(resolution);
  std::vector<Integer> heights;
  for (Integer i = 0; i < fonts.Count(); ++i) measurer.SetFont(i, fonts.Font(i));
  for (Integer i = 0; i < fonts.Count(); ++i) heights.push_back(fonts.Font(i) ? measurer.TextHeight(i) : 0);
  return heights;
}

// The smallest line spacing in percent at which a line of `height` is `pitch` apart from the
// next (pagination takes height x spacing div 100), within the 100 to 400 % that the print
// settings offer.
Integer LineSpacingFor(Integer pitch, Integer height) {
  if (pitch <= 0 || height <= 0) return 100;
  Integer spacing = (pitch * 100 + height - 1) / height;
  while (height * spacing / 100 < pitch) ++spacing;
  return std::clamp<Integer>(spacing, 100, 400);
}

}  // namespace

int main(int argc, char** argv) {
  TLayout layout;
  if (!ParseArguments(argc, argv, layout)) {
    std::fprintf(stderr,
                 "usage: tools_BibleBench_bench [--font-size=PT] [--line-pitch=PT] [--margins=MM|T,B,L,R] "
                 "[folder of the book files] [output PDF]\n");
    return 2;
  }
  AnsiString folder = layout.Folder.empty() ? testing_support::KjvDataFolder() + "KJV" : layout.Folder;
  folder = IncludeTrailingPathDelimiter(folder);
  testing_support::TempFolder temp;
  const AnsiString output = layout.Output.empty() ? AnsiString(temp.File("Bible.pdf")) : layout.Output;
  const std::vector<TBibleBook> books = BooksIn(folder);
  if (books.empty()) {
    std::fprintf(stderr, "no book files in %s\n", folder.c_str());
    return 1;
  }
  const Stopwatch total;

  // The document Print Bible writes, and its units.
  TPDFDocument document(nullptr);
  SetUpBiblePdfDocument(&document);
  document.SetFileName(output);
  const Integer resolution = document.GetResolution();
  auto points = [&](Integer units) { return units * 72.0 / resolution; };

  // The layout: fonts, line spacing and page, measured as pagination measures them.
  const TFontTable fontTable = FontsFor(layout.FontSize);
  Integer lineSpacing = 100;
  std::vector<Integer> heights;
  {
    TUVStyle measuring(nullptr);
    CreateBibleStyles(&measuring, 100);
    ApplyBibleFonts(&measuring, fontTable, false, 2);
    heights = TextHeights(&measuring, resolution);
    if (layout.LinePitch > 0) lineSpacing = LineSpacingFor(layout.LinePitch * resolution / 72, heights[bsText]);
  }
  const TBiblePageMeasures page = MeasureBiblePage(layout.Page, resolution);

  // The dialog's documents: one editor per testament on a form, in the Bible's styles.
  TUVStyle style(nullptr);
  CreateBibleStyles(&style, lineSpacing);
  ApplyBibleFonts(&style, fontTable, false, 2);
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

  const Stopwatch building;
  TBookStarts starts[2];
  for (int t = 0; t < 2; ++t) {
    TUzurUvadBibleText text(editors[t]);
    text.Clear();
    TBibleDocumentBuilder builder(text, &style);
    builder.Build(testaments[t], TBibleBuildOptions{}, starts[t]);
  }
  const double built = building.Seconds();
  const Stopwatch formatting;
  for (VUzurUvadEdit* editor : editors) editor->Format();
  const double formatted = formatting.Seconds();

  // Typesetting, with hyphenation from consonant to vowel three characters from each end.
  const Stopwatch typesetting;
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
    // An empty testament has an empty page file, as Print Bible leaves it.
    if (text.ItemCount() > 1) {
      layouts[t] = TypesetTestament(text, starts[t], &style, page.Geometry, resolution, lineSpacing, hyphenation,
                                    names[t], pageFiles[t], nullptr);
    } else {
      TFileStream(pageFiles[t], fmCreate);
    }
  }
  const double typeset = typesetting.Seconds();

  // Printing, a page written at a time.
  const Stopwatch printing;
  document.BeginDoc();
  {
    TBiblePrintSettings settings;
    settings.Geometry = page.Geometry;
    settings.LineSpacing = lineSpacing;
    settings.IncludeDate = true;
    settings.DateText = FormatDateTime("d mmm yyyy", Date());
    TBiblePdfPrinting printing(&document, PaperSizeToPageSize(layout.Page.PaperSize), &style, settings);
    TBiblePagePrinter& printer = printing.Printer();
    for (int t = 0; t < 2; ++t) {
      if (layouts[t].Pages <= 0) continue;
      printer.TestamentName = names[t];
      TFileStream pages(pageFiles[t], fmOpenRead | fmShareDenyWrite);
      printer.PrintTestamentPages(&pages, 1, layouts[t].Pages);
    }
  }
  document.EndDoc();
  const double printed = printing.Seconds();
  const double all = total.Seconds();

  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  const TRect& area = page.Geometry.OddPage;
  const Integer column = (area.Right - area.Left) * 55 / 116;  // as pagination divides the text width
  std::printf("The KJV typeset into %s with hyphenation (margins %d, %d, %d, %d mm, text %d pt on %.2f pt)\n",
              output.c_str(), layout.Page.Top, layout.Page.Bottom, layout.Page.Left, layout.Page.Right,
              fontTable[fiNormalText].Size, points(heights[bsText] * lineSpacing / 100));
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
  // The layout in points, one "name value..." a line.
  std::printf("layout:\n");
  std::printf("  page %.2f %.2f\n", points(page.Width), points(page.Height));
  std::printf("  text-area %.2f %.2f %.2f %.2f\n", points(area.Left), points(area.Top), points(area.Right),
              points(area.Bottom));
  std::printf("  column-width %.2f\n", points(column));
  std::printf("  line-spacing %d\n", lineSpacing);
  const char* styleNames[] = {"", "subtitle", "main-title", "chapter", "subheading", "verse-number", "text", "brackets"};
  for (Integer i = bsSubtitle; i <= bsBrackets; ++i) {
    const TFontRecord& record = fontTable[i - 1];
    // Font, size, bold, and the distance from one line of the style to the next.
    std::printf("  style %s \"%s\" %d %s %.2f\n", styleNames[i], record.Name.c_str(), record.Size,
                record.Style.Contains(fsBold) ? "bold" : "regular", points(heights[i] * lineSpacing / 100));
  }
  return 0;
}
