// Typesetting one testament document of the printed Bible into page records: justified lines in
// two balanced columns, full-width titles, centred subheadings, chapter numbers standing beside
// the chapter's first two lines, and hyphenation at the lines' ends. Every run of text placed
// becomes one record of the page file (BiblePageRecords.h), which printing draws.
//
// Text is measured through a TBibleMeasurer, so that the engine lays out for any page canvas and
// tests can measure with fixed widths. All positions are in the measurer's units.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/System.h"
#include "tools/BibleHyphenation.h"

class TBibleMeasurer;
class TBibleText;
class TPageFileWriter;
class TStrings;

// The text area of the pages, in the measurer's units: odd pages and even pages (which differ
// when the margins are mirrored; top and bottom are the same on both).
struct TBiblePageGeometry {
  TRect OddPage;
  TRect EvenPage;
};

// The text area of a page of Width x Height within margins given in the same units; with
// mirrored margins even pages swap the left and right margins.
TBiblePageGeometry MakePageGeometry(Integer width, Integer height, Integer top, Integer bottom, Integer left,
                                    Integer right, bool mirror);

// Which book begins at which item of a testament document, as the document builder records it:
// item index and book number 1..66 (0 when the book's entry is no English book name).
struct TBookStart {
  Integer Item = 0;
  Integer Book = 0;
  bool operator==(const TBookStart&) const = default;
};
using TBookStarts = std::vector<TBookStart>;

// One line of the contents of a testament: a book's heading and the page it starts on.
struct TContentsEntry {
  AnsiString Heading;
  Integer Page = 0;
  bool operator==(const TContentsEntry&) const = default;
};

class TBiblePaginator {
public:
  TBiblePaginator(TBibleMeasurer& measurer, const TBiblePageGeometry& geometry);

  // Line spacing in percent ("Line spacing").
  Integer LineSpacing = 100;
  THyphenationSettings Hyphenation;
  // "Old Testament" or "New Testament", for the status texts.
  AnsiString TestamentName;
  // Receives the status texts: "Repaginating ...", then "Formatting <testament> page <n>" as each
  // page begins. It may raise to stop the run.
  std::function<void(const AnsiString&)> OnStatus;

  // Lays the document out from page 1 and appends its records to the page file; fills `contents`
  // (cleared first) with the first page of every book. Returns the number of pages.
  Integer Repaginate(const TBibleText& text, const TBookStarts& starts, TPageFileWriter& file,
                     std::vector<TContentsEntry>& contents);

private:
  struct TRun {
    Integer First, Last;  // character indexes in the paragraph buffer
    Integer Style;
    bool Blank;  // exactly one blank
  };

  void Status(const AnsiString& text);
  void SetColumnGeometry();
  void AdvanceColumn(bool restart);
  void SetTwoColumns(bool on);
  void BalanceColumns();
  void PlaceTitle(const AnsiString& text, Integer style);
  void PlaceSubheading(const AnsiString& text);
  void PlaceChapterNumber(const AnsiString& text);
  void FlushParagraph();
  // The line that begins at `start` (after one leading blank, which moves `start`): its last
  // character and its left edge; true when it is the paragraph's last line.
  bool FindLineEnd(Integer& start, Integer& end, Integer& x);
  // Where a full line ends when its last blank stands at `blank` and `room` is left after the
  // text before it: before that blank, or within the word after it at a hyphenation point.
  Integer HyphenateAtLineEnd(Integer blank, Integer room);
  void PlaceLine(Integer start, Integer end, bool justify, Integer x);
  // Lines no wider than the width, words kept whole unless a single word is wider.
  std::vector<AnsiString> WrapTextToWidth(const AnsiString& text, Integer style, Integer width);
  Integer LineHeight(Integer style);
  void Write(Integer x, const AnsiString& text, Integer style);
  // Whether an item that does not fit must be placed anyway: nothing has been placed in the
  // column since it began at the top of a page, so moving on would not give more room.
  bool MustPlaceAnyway() const { return fresh_ && y_ == Top(); }
  Integer Top() const { return geometry_.OddPage.Top; }
  Integer Bottom() const { return geometry_.OddPage.Bottom; }

  TBibleMeasurer& measurer_;
  TBiblePageGeometry geometry_;
  TPageFileWriter* file_ = nullptr;

  Integer mode_ = 0;  // 0 full width, 1 left column, 2 right column
  Integer page_ = 1;
  Integer y_ = 0;
  Integer blockStartY_ = 0;
  Integer blockFirstRecord_ = 0;
  Integer left_ = 0, right_ = 0;
  bool fresh_ = true;

  Integer book_ = 0, chapter_ = 0, lastContentsBook_ = 0, currentBook_ = 0;
  std::string chars_;
  std::vector<Integer> styles_;
  Integer lineCounter_ = 3;
  Integer paragraphLine_ = 0;
  Integer dropIndentX_ = 0;
  bool titleFits_ = false;
  bool blockFits_ = false;
};
