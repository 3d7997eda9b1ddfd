#include "core/CheckMessages.h"

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/USFMUnit.h"

namespace {

TStrings* g_results = nullptr;
TStrings* g_ignoreList = nullptr;

}  // namespace

void SetMessageTarget(TStrings* results, TStrings* ignoreList) {
  g_results = results;
  g_ignoreList = ignoreList;
}

TStrings* MessageResults() { return g_results; }
TStrings* MessageIgnoreList() { return g_ignoreList; }

AnsiString CheckMessageLine(TUSFM* usfm, const AnsiString& text, bool withReference) {
  return withReference ? usfm->GetReference() + text : text;
}

AnsiString WindowMessageText(TUSFM* usfm, const AnsiString& message) { return usfm->Window + " - " + message; }

bool IsIgnoredMessage(const AnsiString& line, TStrings* ignoreList) {
  if (!ignoreList) return false;
  // Every finding passes here, and the list is compared line by line: lines of different lengths
  // cannot differ in letter case only, so the locale's comparison runs only for equal lengths.
  for (int i = 0; i < ignoreList->GetCount(); ++i) {
    const AnsiString entry = ignoreList->GetStrings(i);
    if (entry.size() == line.size() && AnsiCompareText(entry, line) == 0) return true;
  }
  return false;
}

AnsiString ShowableMessage(const AnsiString& line) {
  if (line.find('\0') == AnsiString::npos) return line;
  // A NUL byte of the book would end the message where it is shown or sent (list boxes, other
  // programs take text up to the first NUL): it is named instead.
  AnsiString shown;
  for (char c : line) {
    if (c == '\0')
      shown += "<NUL>";
    else
      shown += c;
  }
  return shown;
}

void AddCheckMessage(TUSFM* usfm, const AnsiString& text, bool withReference) {
  if (!g_results) return;
  const AnsiString line = ShowableMessage(CheckMessageLine(usfm, text, withReference));
  if (!IsIgnoredMessage(line, g_ignoreList)) g_results->Add(line);
}

void AddWindowMessage(TUSFM* usfm, const AnsiString& message) {
  AddCheckMessage(usfm, WindowMessageText(usfm, message), true);
}

void AddPlainMessage(const AnsiString& text) {
  if (g_results) g_results->Add(text);
}
