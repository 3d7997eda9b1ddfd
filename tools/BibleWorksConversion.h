// Import text for BibleWorks: one verse a line, the book's BibleWorks abbreviation, a blank,
// chapter ":" and the verse (its number, a blank and its text). Made from the standard-format
// books of a Paratext project, or from a text exported by the Online Bible program (a heading of
// book name and chapter number before each chapter, then one line a verse beginning with its
// number).
#pragma once

#include <functional>
#include <utility>

#include "tools/ConversionText.h"

// Called with the English name of each book as its conversion starts.
using TBookProgress = std::function<void(const AnsiString& englishName)>;

// The verse lines of the books' lines (all books one after the other). Paragraph and poetry lines
// ("\p...", "\q...") continue the verse before them after a blank; titles, headings and other
// markers are left out. A book whose identifier is none of the 66 gets the abbreviation "Nil".
TextLines ConvertSFMToBibleWorks(const TextLines& books, const TBookProgress& progress = {});

// The same conversion a book (or any run of lines) at a time: the lines added one run after the
// other give the output that ConvertSFMToBibleWorks gives for all of them at once (a paragraph line
// at the start of a run continues the last verse of the run before).
class TSFMToBibleWorks {
public:
  explicit TSFMToBibleWorks(TBookProgress progress = {}) : progress_(std::move(progress)) {}
  void Add(const TextLines& lines);
  const TextLines& Output() const { return output_; }
  TextLines& Output() { return output_; }

private:
  TBookProgress progress_;
  TextLines output_;
  AnsiString abbreviation_;
  AnsiString chapter_;
};

// The verse lines of an Online Bible text. Lines before the first chapter heading have no book
// and chapter: they begin with a blank and a colon.
TextLines ConvertOnlineBibleToBibleWorks(const TextLines& input, const TBookProgress& progress = {});
