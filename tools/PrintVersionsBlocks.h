// One book in up to seven versions, verse block by verse block, for printing side by side: for
// every verse of the first version a block holds the lines of that verse (with the headings and
// paragraph marks before it) from every version, one below the other, each labelled with its
// version's short name and reference, and optionally the same verse from a word-level comparison
// of a newer and an older version. The print versions dialog puts each block into a one-cell table.
#pragma once

#include <functional>
#include <vector>

#include "classlib/System.h"

class TCustomUVData;
class TStatusBar;
class TUVTableItemInfo;

// Text styles of the document the blocks go into: 0 labels and messages, 1 to 7 the versions,
// 8 and 9 the comparison's added and removed words.
enum : Integer {
  pvsNormal = 0,
  pvsFirstVersion = 1,
  pvsAdded = 8,
  pvsRemoved = 9,
};
constexpr int MaxPrintedVersions = 7;

struct TStyledText {
  AnsiString Text;
  Integer Style;
  bool operator==(const TStyledText&) const = default;
};
// One paragraph of a block: the items that follow its empty first item.
using TBlockEntry = std::vector<TStyledText>;
using TVersionBlock = std::vector<TBlockEntry>;

// A version as the blocks take it; version k (from 0) is written in text style k + 1.
struct TPrintedVersion {
  AnsiString Label;  // the project's short name; empty when the project lacks the book
  std::vector<AnsiString> Lines;
};

// The comparison of a newer and an older version, one line per paragraph of the comparison's
// document, with the items of each paragraph in the comparison's own styles (DynamicCompareUnit).
struct TPrintedComparison {
  AnsiString Title;  // empty: no comparison
  std::vector<AnsiString> Lines;
  std::vector<TBlockEntry> Paragraphs;
};

// The title of the comparison: the newer project's short name when it has the book, then "-" and
// the older project's short name when that one has it.
AnsiString ComparisonTitle(const AnsiString& newerName, bool newerHasBook, const AnsiString& olderName,
                           bool olderHasBook);

// The lines and paragraphs of a comparison document.
TPrintedComparison ReadPrintedComparison(TCustomUVData* document, const AnsiString& title);

// Cuts the versions into blocks, in the order of the first version's verses, and hands each to
// `block`. A version that has not got a verse within its next six lines gets the entry
// "<name> <chapter>: verse not found" and keeps its place; the comparison looks eight lines ahead.
// The status bar, when given, shows "Chapter " and the number of each chapter of the first version.
void BuildVersionBlocks(const std::vector<TPrintedVersion>& versions, const TPrintedComparison& comparison,
                        const std::function<void(const TVersionBlock&)>& block, TStatusBar* statusBar);

// The example shown while versions are chosen: "Example", an empty line, the first verse line of
// each version in its style, and the line that names the comparison.
void WriteVersionsExample(TCustomUVData* document, const std::vector<TPrintedVersion>& versions,
                          const AnsiString& comparisonTitle, bool newerMissing, bool olderMissing);

// A one-cell table for the document that holds the block's entries, each a paragraph of its own.
TUVTableItemInfo* MakeBlockTable(const TVersionBlock& block, TCustomUVData* document);
