// Standard-format books from a text exported by BibleWorks: one verse a line, each carrying its
// BibleWorks reference (abbreviation, blank, chapter ":" verse). Normally the reference comes
// first and one or two separator characters stand between it and the verse text; Hebrew text comes in
// visual order with the reference at the end, and its verses are cut into lines of about the
// chosen length.
#pragma once

#include <functional>

#include "tools/ConversionText.h"

struct TParatextConversionOptions {
  bool Hebrew = false;
  int CutLength = 60;         // Hebrew only: a line ends after the word that makes it longer than this
  bool OnlyMarkers = false;   // "\v" lines without their text
};

// One converted book: its identifier and its lines ("\id", "\c", "\v").
struct TConvertedBook {
  AnsiString Id;
  TextLines Lines;
};

// True when the first line holds "1:1" starting at a character position from 10 to 255: the
// reference stands at the end, as in a Hebrew export.
bool LooksLikeHebrewExport(const TextLines& lines);

// The books of the text, in the order they first appear (a book that comes again after another
// goes on where it stopped). Empty lines are passed over. A line that carries no BibleWorks
// reference (one of the 66 abbreviations, a chapter and a verse number) stops the conversion: the
// result is false, `error` names the line and `books` is left empty.
bool ConvertBibleWorksToParatext(const TextLines& lines, const TParatextConversionOptions& options,
                                 std::vector<TConvertedBook>& books, AnsiString& error,
                                 const std::function<void(const AnsiString& englishName)>& progress = {});

// Writes every book as identifier + ".sfc" into the folder, each through a temporary file; empty
// on success, otherwise the message of the first book that could not be written (the books before
// it are written, none after it).
AnsiString WriteConvertedBooks(const std::vector<TConvertedBook>& books, const AnsiString& folder);
