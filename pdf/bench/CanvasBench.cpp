// Writes a 1,500-page document in two columns of Bible text, drawn on the page canvas with GDI
// calls as the print dialogs draw (a running head, a rule between the columns, bold verse
// numbers in an embedded face), compressed, and prints the time taken, split into drawing and
// writing, and the peak memory of the process.
//   pdf_canvas_bench [folder of the Bible's book files] [output file]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/SysUtils.h"

#include "pdf/PDF.h"
#include "pdf/bench/BenchSupport.h"

namespace {

// Word widths on the canvas, measured once per font as a layout engine keeps them.
class Measure {
public:
  explicit Measure(TCanvas* canvas) : FCanvas(canvas) {}
  void SetFont(int font) { FFont = font; }
  int Width(const AnsiString& word) {
    auto& widths = FWidths[FFont];
    auto it = widths.find(word);
    if (it != widths.end()) return it->second;
    const int w = FCanvas->TextWidth(word);
    widths.emplace(word, w);
    return w;
  }
  void SetCanvas(TCanvas* canvas) { FCanvas = canvas; }

private:
  TCanvas* FCanvas;
  int FFont = 0;
  std::unordered_map<int, std::unordered_map<std::string, int>> FWidths;
};

}  // namespace

int main(int argc, char** argv) {
  const AnsiString folder = argc > 1 ? argv[1] : "Z:\\work\\shared\\data\\kjv\\KJV";
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const AnsiString output = argc > 2 ? argv[2] : AnsiString(temp) + "pdf_canvas_bench.pdf";
  const std::vector<AnsiString> verses = pdf_bench::ReadVerses(folder);
  if (verses.empty()) {
    std::fprintf(stderr, "no verses found in %s\n", folder.c_str());
    return 1;
  }

  constexpr int kPages = 1500;
  const auto start = std::chrono::steady_clock::now();
  TPDFDocument doc(nullptr);
  doc.SetFileName(output);
  doc.SetCompression(ctFlate);
  doc.SetResolution(ScreenLogPixels());  // as the print dialogs set it
  doc.BeginDoc();
  // A4 at the screen's resolution: margins of half an inch, a gap of a quarter inch.
  const int ppi = doc.GetResolution();
  const int width = doc.GetCurrentPage()->GetWidth(), height = doc.GetCurrentPage()->GetHeight();
  const int margin = ppi / 2, gap = ppi / 4;
  const int columnWidth = (width - 2 * margin - gap) / 2;
  const int top = margin + ppi / 3, bottom = height - margin;

  Measure measure(doc.GetCanvas());
  size_t verse = 0, lines = 0;
  for (int p = 0; p < kPages; ++p) {
    if (p) doc.NewPage();
    TCanvas* c = doc.GetCanvas();
    measure.SetCanvas(c);
    c->GetBrush()->SetStyle(bsClear);
    c->GetFont()->SetName("Arial");
    c->GetFont()->SetSize(9);
    c->GetFont()->SetStyle({fsBold});
    c->TextOut(margin, margin, AnsiString("The Holy Bible"));
    const AnsiString folio = IntToStr(p + 1);
    c->TextOut(width - margin - c->TextWidth(folio), margin, folio);
    c->GetPen()->SetWidth(1);
    c->MoveTo(margin, top - ppi / 12);
    c->LineTo(width - margin, top - ppi / 12);
    c->MoveTo(margin + columnWidth + gap / 2, top);
    c->LineTo(margin + columnWidth + gap / 2, bottom);

    for (int column = 0; column < 2; ++column) {
      const int left = margin + column * (columnWidth + gap), right = left + columnWidth;
      int y = top;
      c->GetFont()->SetName("Liberation Serif");
      c->GetFont()->SetSize(10);
      const int leading = c->TextHeight("Wg");
      while (y + leading <= bottom) {
        // One verse: its number in bold, then its words, wrapped at the column's edge.
        const AnsiString& text = verses[verse++ % verses.size()];
        const size_t blank = text.find(' ');
        c->GetFont()->SetStyle({fsBold});
        measure.SetFont(1);
        const AnsiString number = text.substr(0, blank);
        c->TextOut(left, y, number);
        int x = left + measure.Width(number + " ");
        c->GetFont()->SetStyle({});
        measure.SetFont(0);
        const int space = measure.Width(" ");
        AnsiString line;
        int lineStart = x, lineWidth = 0;
        size_t pos = blank + 1;
        while (pos < text.size() && y + leading <= bottom) {
          size_t end = text.find(' ', pos);
          if (end == AnsiString::npos) end = text.size();
          const AnsiString word = text.substr(pos, end - pos);
          const int w = measure.Width(word);
          if (lineStart + lineWidth + (line.empty() ? 0 : space) + w > right && !line.empty()) {
            c->TextOut(lineStart, y, line);
            ++lines;
            y += leading;
            lineStart = left;
            lineWidth = 0;
            line.clear();
            if (y + leading > bottom) break;
          }
          if (!line.empty()) {
            line += ' ';
            lineWidth += space;
          }
          line += word;
          lineWidth += w;
          pos = end + 1;
        }
        if (!line.empty() && y + leading <= bottom) {
          c->TextOut(lineStart, y, line);
          ++lines;
        }
        y += leading;
      }
    }
  }
  const auto drawn = std::chrono::steady_clock::now();
  doc.EndDoc();
  const auto end = std::chrono::steady_clock::now();

  pdf_bench::PrintFileAndMemory(output, kPages, lines, verse);
  std::printf("time: %.2f s (drawing and translating %.2f s, writing %.2f s)\n",
              std::chrono::duration<double>(end - start).count(), std::chrono::duration<double>(drawn - start).count(),
              std::chrono::duration<double>(end - drawn).count());
  return 0;
}
