// Reading a printed Bible back from its PDF file as a reader's eye and a PDF viewer see it: every
// text showing of the pages' content streams with its font, size, place and width (from the
// embedded fonts' widths), the lines they make, and the figures of the typesetting: how evenly
// the gaps of a justified line are spread, how close two words come, how far a full line reaches
// past its column's edge.
#pragma once

#include <string>
#include <vector>

namespace bible_readback {

// One text showing (Tj) of a page: its text as the file holds it (code page 1252), its font
// (the font's /BaseFont) and size in points, where its first glyph starts and where its last one
// ends, in points from the page's left edge, and its baseline in points from the page's top.
struct TextRun {
  std::string Text;
  std::string Font;
  double Size = 0;
  double X = 0, End = 0;
  double Baseline = 0;
};

struct Page {
  double Width = 0, Height = 0;  // points
  std::vector<TextRun> Runs;     // in the order drawn
};

// The pages of a PDF file in their order. Errors (a font without widths, a content stream that
// cannot be read) are added to `errors`.
std::vector<Page> ReadPages(const std::string& pdfBytes, std::vector<std::string>& errors);

// The text area of a page in points, and the width of each of its two columns.
struct Area {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  double Column = 0;
};

struct Figures {
  int Pages = 0;
  int FullLines = 0;        // justified lines: ending at their column's right edge
  double MedianSpread = 0;  // of the gaps of a full line (largest less smallest), em
  double WorstSpread = 0;
  double ClosestPair = 1e9;  // the smallest gap between two words of a line, em
  std::string ClosestWords;  // the pair, and where
  int PairsCloserThan015 = 0;
  double MostOverhang = -1e9;  // how far a full line ends past its column's right edge, points
  std::string MostOverhangLine;
  int LinesOverHalfAPoint = 0;
};

// The figures of the body text of the pages: the runs in `bodySize` points below the top of the
// text area (the headers above it are left out), in lines by column and baseline. `areas` has the
// text area of each page.
Figures Measure(const std::vector<Page>& pages, const std::vector<Area>& areas, double bodySize);

std::string Describe(const Figures& figures);

}  // namespace bible_readback
