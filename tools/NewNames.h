// The search of the names list: every capitalised word of the running text of a project's books
// that is not yet approved or disapproved and never occurs in lower case or in capitals only, as a
// candidate name for the translator to judge.
#pragma once

#include <functional>
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/System.h"

class TScripture;
class TUSFM;

// Uses the character classes of the mechanical checks (capitals, small letters, sentence enders and
// the characters filtered out, core/CheckPunctuation.h).
class TNewNamesSearch {
public:
  TNewNamesSearch();

  // Reads every selected book of the scripture (from its start) through the marker checker, and
  // fills NewNames and AllNames. A word is a run of letters, ended by any other running-text
  // character except the ones filtered out, which are skipped. Of a word with a capital and a small
  // letter (A to Z), the first letter is dropped when the word opens a sentence (a sentence ender
  // two characters before it), then small letters at its start, then everything before a capital
  // after its first letter; what is left, when it still has a capital A to Z, is a name.
  void Run(TScripture* scripture, TUSFM* usfm, TStrings* approved, TStrings* disapproved);

  // The same search a piece at a time, so that a window can answer between the pieces: Start,
  // then Step until it returns true. A step reads on until `spent` says that it has taken its
  // time; the step after the last book picks out the names and fills NewNames and AllNames. A book
  // that cannot be read raises from the step that reads it (TScripture::NextBook); NewNames and
  // AllNames are then left as they were.
  void Start(TScripture* scripture, TUSFM* usfm, TStrings* approved, TStrings* disapproved);
  bool Step(const std::function<bool()>& spent);

  // Status texts while the search runs: each book's name, then "Now picking out the names..." and
  // "Sorting words".
  std::function<void(const AnsiString&)> OnStatus;

  // The names found that are neither approved nor disapproved (exact text) and whose word never
  // occurs in lower case or capitals only (letter case ignored); sorted, letter case counting.
  std::unique_ptr<TStringList> NewNames;
  // Every name found, approved or not; sorted, letter case counting.
  std::unique_ptr<TStringList> AllNames;

  TNewNamesSearch(const TNewNamesSearch&) = delete;
  TNewNamesSearch& operator=(const TNewNamesSearch&) = delete;
  ~TNewNamesSearch();

private:
  class TJudge;
  void Status(const AnsiString& text);
  void Finish();

  // Where a search started with Start stands: its books, the judge of the words, and the word
  // being read.
  TScripture* scripture_ = nullptr;
  TUSFM* usfm_ = nullptr;
  std::unique_ptr<TJudge> judge_;
  AnsiString word_;
  bool inBook_ = false;
};

// Deletes every approved name that is not among the names found (exact text); returns how many.
int PruneApprovedNames(TStrings* approved, const TStringList* allNames);

// The status after a search: the number of new names + " new names found", with " - " + the number
// + " old names removed" when approved names were pruned.
AnsiString NewNamesStatusText(int newNames, int removed);
