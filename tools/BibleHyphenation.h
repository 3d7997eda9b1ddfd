// Hyphenation for the typeset Bible: where a word may be broken at a line's end, by a word list
// the user keeps ("HyphenatedWords.txt" in the project's work folder: one word a line, "-" at
// every allowed break) or else by a simple rule over the letters: a break between a vowel and a
// following consonant, or between a consonant and a following vowel.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/Strings.h"
#include "classlib/System.h"

class TStrings;

// The word list, read into two parallel lists: the lines as they stand and the same lines
// without their hyphens.
class THyphenationList {
public:
  void Clear();
  void Assign(TStrings* lines);
  // Reads the file; a missing or unreadable file leaves the list empty.
  void LoadFromFile(const AnsiString& fileName);

  // The index of the first line whose word without hyphens equals the word, letter case
  // ignored; -1 when none does.
  int IndexOf(const AnsiString& word) const;
  const std::vector<AnsiString>& Listed() const { return listed_; }
  const std::vector<AnsiString>& Plain() const { return plain_; }

private:
  std::vector<AnsiString> listed_;
  std::vector<AnsiString> plain_;
  std::unordered_map<std::string, int> index_;  // lower-case plain word -> first line
};

enum THyphenationRule : Integer {
  hrNone = 0,              // no automatic hyphenation (listed words only)
  hrVowelConsonant = 1,    // at a vowel followed by a consonant
  hrConsonantVowel = 2,    // at a consonant followed by a vowel
};

struct THyphenationSettings {
  Integer Rule = hrNone;
  // No break within this many characters of either end of a word.
  Integer MinimumDistance = 3;
  TCharSet Consonants;
  TCharSet Vowels;
  const THyphenationList* List = nullptr;  // not owned; none: no listed words
};

// The prefix lengths after which the word may be broken: Points[i] is true when a break may
// follow the word's first i characters (Points has the word's length + 1 entries). Characters
// before the first letter (neither consonant nor vowel) count in the positions; characters after
// the last letter are left out of the rule. A listed word breaks only where its listed form has
// hyphens; otherwise the rule gives a break after every "-" of the word and at every letter
// transition it names at least the minimum distance from both ends.
std::vector<bool> HyphenationPoints(const AnsiString& word, const THyphenationSettings& settings);
