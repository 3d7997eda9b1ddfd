// Import text for BibleWorks: one verse a line, the book's BibleWorks abbreviation, a blank,
// chapter ":" and the verse (its number, a blank and its text). Made from the standard-format
// books of a Paratext project, or from a text exported by the Online Bible program (a heading of
// book name and chapter number before each chapter, then one line a verse beginning with its
// number).
#pragma once

#include <functional>

#include "tools/ConversionText.h"

// Called with the English name of each book as its conversion starts.
using TBookProgress = std::function<void(const AnsiString& englishName)>;

// The verse lines of the books' lines (all books one after the other). Paragraph and poetry lines
// ("\p...", "\q...") continue the verse before them after a blank; titles, headings and other
// markers are left out. A book whose identifier is none of the 66 gets the abbreviation "Nil".
TextLines ConvertSFMToBibleWorks(const TextLines& books, const TBookProgress& progress = {});

// The verse lines of an Online Bible text. Lines before the first chapter heading have no book
// and chapter: they begin with a blank and a colon.
TextLines ConvertOnlineBibleToBibleWorks(const TextLines& input, const TBookProgress& progress = {});
