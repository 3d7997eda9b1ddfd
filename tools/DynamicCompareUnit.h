// The comparison engine: compares two versions of one book (standard-format text files) word by
// word and writes the current version into a document with every difference marked, so that a
// translator sees what changed since the earlier version.
//
// Books are cut into chapters (everything before the first "\c" line, then each "\c" line with
// the lines up to the next), paired by position. Equal chapters are copied line by line. In a
// chapter that differs, lines are paired by their key (their first d + 4 characters, d being the
// length of the line's first run of digits: "\v 12 " for verse 12), looking a few lines ahead for
// a line that was added or removed; paired lines are compared token by token (a run of word characters, or
// any other single character), looking a few tokens ahead for removed words. How far to look is
// chosen per chapter and per line pair by trying several distances and keeping the one that
// gives the fewest changes.
#pragma once

#include <functional>
#include <memory>

#include "classlib/System.h"

class TCustomUVData;
class TCustomUzurUvad;
class TStatusBar;
class TStrings;

// The text styles of the document written.
enum : Integer {
  csCommon = 0,   // text both versions hold
  csAdded = 1,    // text only the current version holds
  csRemoved = 2,  // text only the earlier version held
};

// The position of a changed item in a list of changes: its item number as seven digits, so that a
// sorted list keeps the items in document order ("0000012"). Above 9,999,999 only the last seven
// digits remain.
AnsiString ChangePositionText(Integer itemNo);

// Compares the book file CurrentFile with EarlierFile and appends the current version to the
// document (which is not cleared and not laid out): one paragraph per line, added text in style
// csAdded, removed text in style csRemoved, the rest in csCommon, all in paragraph style 0. Every
// item written in csAdded or csRemoved adds its change position to Positions. The status bar, when
// given, shows "Chapter " and the number of each chapter met. Returns the number of changes: 1 for
// each added or removed line or token, 2 for a word that differs only in letter case; a blank of
// the current line never counts.
//
// A file that cannot be read is an empty book: with an empty current file nothing is written and
// 0 is returned; against an empty earlier file every line is added. Chapters of the earlier file
// past the current file's last are neither shown nor counted.
Integer CompareVersionTexts(const AnsiString& CurrentFile, const AnsiString& EarlierFile, TStrings* Positions,
                            TCustomUVData* Document, TStatusBar* StatusBar);
Integer CompareVersionTexts(const AnsiString& CurrentFile, const AnsiString& EarlierFile, TStrings* Positions,
                            TCustomUzurUvad* Viewer, TStatusBar* StatusBar);

// One comparison done a piece at a time, so that a window can answer between the pieces: the
// files are read when it is made; each Step compares on, a line at a time, until `spent` says
// that the step has taken its time, and returns true once the comparison is done. The document,
// the positions and the status bar are those of CompareVersionTexts, and so is the result, in
// whatever pieces it is done. Destroying an unfinished comparison leaves the document and the
// positions as far as they got.
class TVersionComparison {
public:
  TVersionComparison(const AnsiString& CurrentFile, const AnsiString& EarlierFile, TStrings* Positions,
                     TCustomUVData* Document, TStatusBar* StatusBar);
  ~TVersionComparison();
  TVersionComparison(const TVersionComparison&) = delete;
  TVersionComparison& operator=(const TVersionComparison&) = delete;

  bool Step(const std::function<bool()>& spent);
  bool Done() const;
  // The number of changes so far; once done, that of CompareVersionTexts.
  Integer Count() const;

private:
  class TState;
  std::unique_ptr<TState> state_;
};
