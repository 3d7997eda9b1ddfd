// The entries of the unwanted words list ("UnwantedWords.txt"): a word or phrase the translation
// should not contain, whether it is to be found as a whole word, and a comment, as one line
// "text (word) (comment)" or "text (phrase) (comment)".
#pragma once

#include "classlib/Strings.h"
#include "classlib/System.h"

class TStrings;

// The longest word or phrase an entry takes.
constexpr int MaxUnwantedWordLength = 150;

// text + " (" + "word" or "phrase" + ") (" + comment + ")".
AnsiString UnwantedWordEntry(const AnsiString& text, bool wholeWord, const AnsiString& comment);

// Whether the proofreading can ever find the text: a phrase always; a whole word only when every
// character is a capital, a small letter or a character filtered out, since whole words are found
// as runs of those.
bool WordCanMatch(const AnsiString& text, bool wholeWord, const TCharSet& capitals, const TCharSet& smallLetters,
                  const TCharSet& filteredOut);

// Finds the next line, from `position` on, that holds the search text (compared without regard to
// letter case, for every letter of the code page); `position` moves past every line tested and restarts at 0 when it is
// past the last line. The index of the line found, or -1 when none from `position` to the end does.
Integer FindUnwantedEntry(TStrings* lines, const AnsiString& searchText, Integer& position);
