// The printed Bible's pages as PDF: its page set-up in the units of the PDF page canvas, the
// typesetting of a testament measured on a PDF page canvas that writes to memory (so that no file
// is touched, least of all a "Bible.pdf" a viewer holds open), and the sheets of the document that
// printing draws on.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "classlib/System.h"
#include "tools/BibleMeasurer.h"
#include "tools/BiblePagination.h"
#include "tools/BiblePrinting.h"

class TFont;
class TPDFDocument;
class TUVStyle;

// The units per inch of the printed Bible's PDF pages: a hundred to the point. Text is measured and
// placed in whole units; at this scale the rounding of a word's width or place is far below
// anything a reader sees, where whole points would make a justified line's gaps uneven.
constexpr Integer BiblePdfResolution = 7200;

// Measures text as the PDF shows it: the widths are those of the PDF font the text is shown in
// (the standard font's or the embedded font's own), in units of a page at `resolution` per inch,
// and the width of a text is the sum of its characters' widths, as drawing it with those advances
// gives; the heights are the page canvas's.
class TPdfTextMeasurer : public TBibleMeasurer {
public:
  explicit TPdfTextMeasurer(Integer resolution);
  ~TPdfTextMeasurer() override;
  // The font of style 0..10 (not owned).
  void SetFont(Integer style, TFont* font);
  Integer TextWidth(Integer style, std::string_view text) override;
  Integer TextHeight(Integer style) override;
  Integer CharWidth(Integer style, char c) override;

private:
  static constexpr int kStyles = 11;
  const std::array<Integer, 256>& Widths(Integer style);
  struct TDocument;
  std::unique_ptr<TDocument> document_;
  std::array<TFont*, kStyles> fonts_{};
  std::array<std::array<Integer, 256>, kStyles> widths_{};
  std::array<bool, kStyles> widthsKnown_{};
  std::array<Integer, kStyles> heights_{};
  std::array<bool, kStyles> heightsKnown_{};
};

// The Bible's page settings: paper size index (slot I12) and margins in millimetres.
struct TBiblePageSetup {
  Integer PaperSize = 1;
  Integer Top = 25, Bottom = 25, Left = 25, Right = 25;
  bool MirrorMargins = false;
  // From the settings store (slots I12, I8, I9, I10, I11 and B6).
  static TBiblePageSetup FromSettings();
};

// The size of a page and its text areas in the units of a PDF page canvas at `resolution` per
// inch. The margins are screen pixels of their millimetres, as everywhere in the program, and are
// brought into the canvas's units before they are taken off the page, so that the text fills the
// page between its margins on any paper.
struct TBiblePageMeasures {
  Integer Width = 0;
  Integer Height = 0;
  TRect Margins;  // left, top, right, bottom margins in canvas units
  TBiblePageGeometry Geometry;
};
TBiblePageMeasures MeasureBiblePage(const TBiblePageSetup& setup, Integer resolution);

// A font for each of the Bible's text styles of a style sheet.
class TBibleStyleFonts {
public:
  explicit TBibleStyleFonts(TUVStyle* style);
  ~TBibleStyleFonts();
  TFont* Font(Integer style) const;
  Integer Count() const { return static_cast<Integer>(fonts_.size()); }

private:
  std::vector<std::unique_ptr<TFont>> fonts_;
};

struct TTestamentLayout {
  Integer Pages = 0;
  std::vector<TContentsEntry> Contents;
};

// Typesets a testament document into the page file `pageFileName` (created anew), measuring as a
// PDF page at `resolution` shows the text (TPdfTextMeasurer), on a document that writes nothing.
// A file that cannot be written raises the stream error; an exception from `status` ends the run.
TTestamentLayout TypesetTestament(const TBibleText& text, const TBookStarts& starts, TUVStyle* style,
                                  const TBiblePageGeometry& geometry, Integer resolution, Integer lineSpacing,
                                  const THyphenationSettings& hyphenation, const AnsiString& testamentName,
                                  const AnsiString& pageFileName,
                                  const std::function<void(const AnsiString&)>& status);

// The pages of a PDF document being written: each of the paper size, upright.
class TPdfBibleSheets : public TBibleSheets {
public:
  TPdfBibleSheets(TPDFDocument* document, Integer pageSize);
  TCanvas* Canvas() override;
  void NewPage() override;

private:
  void Shape();
  TPDFDocument* document_;
  Integer pageSize_;
};

// Makes a document ready to take a printed Bible: pages in hundredths of a point
// (BiblePdfResolution), content deflated, and each page written out as soon as it is done, so
// that the whole Bible never stands in memory.
void SetUpBiblePdfDocument(TPDFDocument* document);

// Everything that draws a typeset Bible onto the pages of a document that SetUpBiblePdfDocument
// prepared and BeginDoc started: sheets of the paper size, and a page printer with the fonts of
// the style sheet's text styles that draws every run and header with the widths of the PDF's own
// fonts at the document's resolution, the widths pagination laid the pages out with. Print Bible
// and the Bible benchmark both print through it.
class TBiblePdfPrinting {
public:
  // `settings.Resolution` is taken from the document.
  TBiblePdfPrinting(TPDFDocument* document, Integer pageSize, TUVStyle* style, TBiblePrintSettings settings);
  ~TBiblePdfPrinting();
  TBibleSheets& Sheets() { return sheets_; }
  TBiblePagePrinter& Printer() { return printer_; }

private:
  TPdfBibleSheets sheets_;
  TBibleStyleFonts fonts_;
  TPdfTextMeasurer widths_;
  TBiblePagePrinter printer_;
};
