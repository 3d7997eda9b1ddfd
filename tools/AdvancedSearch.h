// The advanced search over the running text of a project's books, in five modes: a phrase that
// must not be preceded or followed by certain texts; words in capitals only; verses holding up to
// four phrases together; every whole word containing a phrase (the word list); and every
// occurrence of the words of the word list.
//
// A hit is a line of the reference list: the marker checker's reference ("JHN 1:1 "), two tabs,
// "[" + the number of the occurrence within the verse + "]" and the text matched.
#pragma once

#include <functional>
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "classlib/System.h"

class TScripture;
class TUSFM;

// The modes as the mode buttons number them ("&1" is mode 1, "&2" mode 0, "&3" mode 2, ...).
enum TSearchMode : Integer {
  smAllCaps = 0,     // words in capitals only
  smPhrase = 1,      // a phrase, not preceded or followed by certain texts
  smVerse = 2,       // verses holding all of up to four phrases
  smContaining = 3,  // whole words containing a phrase; writes the word list, no references
  smWordList = 4,    // occurrences of the words of the word list
};

// What the user typed for the modes.
struct TSearchPhrases {
  AnsiString Word;          // the phrase of mode 1; may hold AnyCapitalToken once
  AnsiString NotBefore[4];  // mode 1: texts that must not come directly before the phrase
  AnsiString NotAfter[4];   // mode 1: texts that must not come directly after the phrase
  AnsiString InVerse[4];    // mode 3: phrases that must all occur in one verse
  AnsiString Containing;    // mode 4: the phrase the words must contain
};

// Stands for one capital letter in the phrase of mode 1.
extern const char AnyCapitalToken[];  // "<any capital>"

// Whether the window matches the phrase: equal without regard to letter case (every letter of the
// code page, LowerCaseChar); where the phrase holds AnyCapitalToken, the window's character there
// must be a capital.
bool MatchesSearchWord(const AnsiString& window, const AnsiString& phrase, const TCharSet& capitals);

// reference + two tabs + "[" + occurrence + "]" + text.
AnsiString SearchHitLine(const AnsiString& reference, int occurrence, const AnsiString& text);

// Whether the mode has something to search for: the phrase of mode 1, one phrase of mode 3 or the
// phrase of mode 4 (modes 2 and 5 need none).
bool HasSearchPhrase(TSearchMode mode, const TSearchPhrases& phrases);
// The status text of a search refused for want of a phrase.
extern const char NoSearchPhraseText[];

class TAdvancedSearch {
public:
  // Letters are the capitals and the small letters; the characters filtered out never reach the
  // search, so that a phrase interrupted only by them is still found.
  TAdvancedSearch(TScripture* scripture, TUSFM* usfm, const TCharSet& capitals, const TCharSet& smallLetters,
                  const TCharSet& filteredOut);

  // Searches every selected book of the scripture from its start and fills Hits (cleared first).
  // Mode 5 first deletes the empty lines of the word list and searches for the others. Every mode
  // that compares texts does so without regard to letter case, for every letter of the code page.
  // The other modes ignore the list. The words of modes 2, 4 and 5 run on from the end of one book
  // into the next.
  void Run(TSearchMode mode, const TSearchPhrases& phrases, TStrings* wordList);

  // "Searching", then each book's name.
  std::function<void(const AnsiString&)> OnStatus;
  // The hit lines; for mode 4 the words found, sorted without regard to case, each once.
  std::unique_ptr<TStringList> Hits;

private:
  template <class Mode>
  void Walk(Mode& mode);

  TScripture* scripture_;
  TUSFM* usfm_;
  TCharSet capitals_;
  TCharSet letters_;
  TCharSet filteredOut_;
};

// Where a mode saves its hits: the projects folder's "pelorin.ref", or for mode 4 the work folder's
// "SearchData.txt". Both folders end with a backslash.
AnsiString SearchResultsPath(TSearchMode mode, const AnsiString& projectsFolder, const AnsiString& workFolder);

// Saves the hits to the path, replacing the file whole, and gives the status text: "Ready. The
// results (" + count + ") have been saved to " + path + ".", or "No matches found." without hits,
// or, when the file cannot be written (the old file is left as it was), what went wrong. `saved`
// tells which.
AnsiString SaveSearchResults(TStrings* hits, const AnsiString& path, bool& saved);
