// The printed Bible's pages as PDF: its page set-up in the units of the PDF page canvas, the
// typesetting of a testament measured on a PDF page canvas that writes to memory (so that no file
// is touched, least of all a "Bible.pdf" a viewer holds open), and the sheets of the document that
// printing draws on.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/System.h"
#include "tools/BiblePagination.h"
#include "tools/BiblePrinting.h"

class TFont;
class TPDFDocument;
class TUVStyle;

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

// Typesets a testament document into the page file `pageFileName` (created anew), measuring on
// the canvas of a PDF page at `resolution` that writes nothing. A file that cannot be written
// raises the stream error; an exception from `status` ends the run.
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
