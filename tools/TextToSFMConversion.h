// Turning a document typed or scanned outside Paratext into one book in standard format. First
// each line is cleaned, with optional repairs of typical scanning errors; then titles, section
// headings, chapters and verses are recognised, either in reference form (one verse a line, each
// beginning with book, chapter ":" verse) or in running text (verse numbers inside paragraphs).
#pragma once

#include "classlib/Strings.h"
#include "tools/ConversionText.h"

// The repairs of the preparation, each a check box of the dialog.
struct TPrepareOptions {
  bool CapitalsIIToEleven = true;      // the first "I I " becomes "11 "
  bool ZeroBetweenSmallLetters = true;  // "c0me" becomes "cOme"
  bool ZeroNotAfterDigit = true;        // "a 0ne" becomes "a One"; "10" stays
  bool BracketBeforeSmallLetter = true; // "]ittle" becomes "little"
  bool SpaceBeforePunctuation = true;   // "word ,word" becomes "word,word"
};

// One cleaned line: trimmed, tabs as blanks, no two blanks in a row, then the chosen repairs.
// `smallLetters` are the lower-case letters of the settings.
AnsiString PrepareLine(const AnsiString& line, const TPrepareOptions& options, const TCharSet& smallLetters);

// True when the text has at least three runs of digits and the text left without them is shorter
// than four times their digits: a line of numbers rather than of words.
bool IsMostlyNumbers(const AnsiString& text);

// The book in standard format: "\id " + id first, then the lines recognised in the input.
// `chapterWord` is the word that, standing alone beside a chapter number, is left out of the
// chapter line (the setting "Remove chapter line").
TextLines ConvertTextToSFM(const TextLines& input, const AnsiString& id, const AnsiString& chapterWord);
