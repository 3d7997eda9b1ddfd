#include "tools/UnwantedWordsList.h"

#include "classlib/StringLists.h"
#include "core/Utilities.h"

AnsiString UnwantedWordEntry(const AnsiString& text, bool wholeWord, const AnsiString& comment) {
  return text + " (" + (wholeWord ? "word" : "phrase") + ") (" + comment + ")";
}

bool WordCanMatch(const AnsiString& text, bool wholeWord, const TCharSet& capitals, const TCharSet& smallLetters,
                  const TCharSet& filteredOut) {
  if (!wholeWord) return true;
  const TCharSet wordChars = capitals + smallLetters + filteredOut;
  for (char c : text)
    if (!wordChars.Contains(c)) return false;
  return true;
}

Integer FindUnwantedEntry(TStrings* lines, const AnsiString& searchText, Integer& position) {
  if (position >= lines->GetCount()) position = 0;
  const AnsiString wanted = LowerCaseText(searchText);
  while (position < lines->GetCount()) {
    const Integer index = position++;
    if (LowerCaseText(lines->GetStrings(index)).find(wanted) != AnsiString::npos) return index;
  }
  return -1;
}
