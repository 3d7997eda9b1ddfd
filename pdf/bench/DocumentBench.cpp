// Writes a 1,500-page document, each page a full page of Bible text set line by line in an
// embedded TrueType face with bold verse numbers and a standard-font running head, compressed,
// and prints the time taken and the peak memory of the process.
//   pdf_document_bench [folder of the Bible's book files] [output file]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "classlib/SysUtils.h"

#include "pdf/PDF.h"
#include "pdf/bench/BenchSupport.h"

int main(int argc, char** argv) {
  const AnsiString folder = argc > 1 ? argv[1] : "Z:\\work\\shared\\data\\kjv\\KJV";
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const AnsiString output = argc > 2 ? argv[2] : AnsiString(temp) + "pdf_document_bench.pdf";
  const std::vector<AnsiString> verses = pdf_bench::ReadVerses(folder);
  if (verses.empty()) {
    std::fprintf(stderr, "no verses found in %s\n", folder.c_str());
    return 1;
  }

  constexpr int kPages = 1500;
  constexpr Extended kLeft = 56, kRight = 539, kTop = 780, kBottom = 56, kLeading = 13, kSize = 11;
  const auto start = std::chrono::steady_clock::now();
  TPDFDocument doc(nullptr);
  doc.SetFileName(output);
  doc.SetCompression(ctFlate);
  doc.BeginDoc();
  size_t verse = 0, lines = 0;
  for (int p = 0; p < kPages; ++p) {
    if (p) doc.NewPage();
    TPDFPage* page = doc.GetCurrentPage();
    page->SetActiveFont("Arial", {fsBold}, 9);
    page->BeginText();
    page->TextOutPt(kLeft, kTop + 20, 0, "The Holy Bible - page " + IntToStr(p + 1));
    Extended y = kTop;
    while (y > kBottom) {
      // One verse: its number in bold, then its words, wrapped at the right margin.
      const AnsiString& text = verses[verse++ % verses.size()];
      const size_t blank = text.find(' ');
      page->SetActiveFont("Liberation Serif", {fsBold}, kSize);
      const AnsiString number = text.substr(0, blank) + " ";
      page->TextOutPt(kLeft, y, 0, number);
      Extended x = kLeft + page->TextWidth(number), lineStart = x;
      page->SetActiveFont("Liberation Serif", {}, kSize);
      const Extended space = page->TextWidth(" ");
      AnsiString line;
      size_t pos = blank + 1;
      while (pos < text.size() && y > kBottom) {
        size_t end = text.find(' ', pos);
        if (end == AnsiString::npos) end = text.size();
        const AnsiString word = text.substr(pos, end - pos);
        const Extended w = page->TextWidth(word);
        if (x + w > kRight && !line.empty()) {
          page->TextOutPt(lineStart, y, 0, line);
          ++lines;
          y -= kLeading;
          x = lineStart = kLeft;
          line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
        x += w + space;
        pos = end + 1;
      }
      if (!line.empty() && y > kBottom) {
        page->TextOutPt(lineStart, y, 0, line);
        ++lines;
      }
      y -= kLeading;
    }
    page->EndText();
  }
  doc.EndDoc();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  pdf_bench::PrintFileAndMemory(output, kPages, lines, verse);
  std::printf("time: %.2f s\n", seconds);
  return 0;
}
