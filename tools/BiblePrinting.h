// Drawing the typeset Bible onto pages: the pages of a testament from its page file, each with
// its header (page number, date and the books and chapters on the page), and the extra pages,
// rich-text documents laid out by the report helper, whose contents placeholders become a table
// of the testament's books and their first pages.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "classlib/System.h"
#include "tools/BiblePagination.h"

class TBibleMeasurer;
class TCanvas;
class TCustomUzurUvadEdit;
class TFont;
class TStream;
class TUVReportHelper;

// The pages drawn on: the canvas of the current page, and the start of the next page.
class TBibleSheets {
public:
  virtual ~TBibleSheets() = default;
  virtual TCanvas* Canvas() = 0;
  virtual void NewPage() = 0;
};

// The header of a page whose first chapter is (first book, first chapter) and whose last is
// (last book, last chapter), with each book's heading: "H c" for one chapter, "H c - d" within a
// book, "H c - K d" across books. Books of one chapter (Philemon, 2 and 3 John, Jude) show no
// chapter number.
AnsiString PageHeaderText(Integer firstBook, Integer firstChapter, Integer lastBook, Integer lastChapter);

struct TBiblePrintSettings {
  // The canvas's units per inch: the header stands 10 points above the text area.
  Integer Resolution = 72;
  TBiblePageGeometry Geometry;
  Integer LineSpacing = 100;
  bool MirrorMargins = false;
  bool IncludeDate = false;
  AnsiString DateText;
  bool HeadingInAllCaps = false;
};

class TBiblePagePrinter {
public:
  TBiblePagePrinter(TBibleSheets& sheets, const TBiblePrintSettings& settings);

  // The font of text style 1..7 (not owned).
  void SetFont(Integer style, TFont* font);
  // The widths the pages were laid out with (not owned; none: the canvas's own). Each run and
  // header is then drawn with exactly these advances, so that it fills the room the layout gave
  // it and no more.
  void SetMeasurer(TBibleMeasurer* measurer) { measurer_ = measurer; }

  // Set once something has been drawn: every extra page and testament then begins on a page of
  // its own.
  bool PageStarted = false;
  // "Old Testament" or "New Testament", for the status texts.
  AnsiString TestamentName;
  // Receives "Printing <testament> page <n>" as each page begins. It may raise to stop the run.
  std::function<void(const AnsiString&)> OnStatus;

  // Draws the pages first..last of the page file read from the stream.
  void PrintTestamentPages(TStream* pageFile, Integer first, Integer last);
  // Starts a page when something was drawn before.
  void StartPageIfStarted();

private:
  struct TChapter {
    Integer Book = 0;
    Integer Chapter = 0;
  };
  // Gives the canvas the style's font (and a clear brush on a new page).
  void Use(Integer style);
  void NewPage();
  // Draws text in the style's font (which Use has set) with its left edge at x and its top at y.
  void Draw(Integer style, Integer x, Integer y, const AnsiString& text);
  Integer Width(Integer style, const AnsiString& text);
  void DrawPageHeader(Integer page, const TChapter& first, const TChapter& last);

  TBibleSheets& sheets_;
  TBiblePrintSettings settings_;
  std::array<TFont*, 11> fonts_{};
  TBibleMeasurer* measurer_ = nullptr;
  // The style whose font the current page's canvas has; -1 when not known.
  Integer fontStyle_ = -1;
};

// The table of contents of a testament, as the placeholder of an extra page is replaced by it.
struct TExtraPageContents {
  std::vector<TContentsEntry> OldTestament;
  std::vector<TContentsEntry> NewTestament;
};

// Prints one extra page document: loads it into `editor` (whose style sheet the report helper's
// document shares), gives it the margins (top, right, bottom, left as the editor's units),
// replaces each placeholder by its contents table, and lays it out with the report helper on the
// sheets' canvas within the text area, drawing page after page.
void PrintExtraPageDocument(const AnsiString& fileName, TCustomUzurUvadEdit* editor, TUVReportHelper* helper,
                            const TExtraPageContents& contents, const TRect& margins, const TRect& textArea,
                            TBibleSheets& sheets);
