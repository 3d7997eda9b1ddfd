// The sentence check: whether a sentence is running, how it starts and ends, headings and
// paragraphs that break into it, and capitalised words inside it that are no approved names.
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/CheckPunctuation.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"

TStringList* ApprovedNames = nullptr;

namespace {

bool g_inSentence = false;
bool g_afterEnder = false;
bool g_capWordPending = false;
AnsiString g_capWord;
AnsiString g_headingText;  // carries over from one book to the next
bool g_prevInHeading = false;
Integer g_prevHeadingCount = 0;

AnsiString CharText(char c) { return AnsiString(1, c); }

bool IsApprovedName(const AnsiString& word) {
  int index;
  return ApprovedNames && ApprovedNames->Find(word, index);
}

}  // namespace

void SentenceCheckSetup(bool start) {
  FreeAndNil(ApprovedNames);
  if (!start) return;
  g_inSentence = false;
  g_capWordPending = false;
  g_capWord.clear();
  g_prevInHeading = false;
  g_prevHeadingCount = 0;
  g_afterEnder = false;
  ApprovedNames = new TStringList();
  ApprovedNames->SetSorted(true);
  ApprovedNames->SetCaseSensitive(true);
  const AnsiString path = CurrentProjectWorkFolder() + "ApprovedNames.txt";
  if (FileExists(path)) ApprovedNames->LoadFromFile(path);
}

void CheckSentence(TUSFM* usfm, char c, bool endOfBook) {
  if (!IndifferentChars.Contains(c)) {
    const bool ender = SentenceEnders.Contains(c);
    if (ender && !g_inSentence)
      AddWindowMessage(usfm, "A character " + CharText(c) + " ends the sentence which hasn't been started yet.");
    if (!CapitalLetters.Contains(c) && c != ' ' && !g_inSentence) {
      // A title is no sentence: "The First Book of Moses" starts none and needs no capital.
      if (!usfm->InTitle) AddWindowMessage(usfm, "A sentence should not start with " + CharText(c) + " but with a capital.");
      g_inSentence = true;
    }
    if (g_afterEnder) {
      if (c != ' ') AddWindowMessage(usfm, "Invalid character (" + CharText(c) + ") found straight after a sentence closer.");
      g_afterEnder = false;
    }
    if (ender && usfm->WindowChar(1) == ' ')
      AddWindowMessage(usfm, "No space allowed before a character ending a sentence.");
    if (usfm->InHeading && c != ' ') g_headingText.push_back(c);
    // A chapter marker counts as a heading change too, so a chapter start ends the running
    // sentence without a message.
    if (usfm->InHeading != g_prevInHeading || usfm->HeadingCount != g_prevHeadingCount) {
      if (usfm->InHeading) {
        if (g_inSentence)
          AddWindowMessage(usfm, "A heading started whereas the running sentence has not yet been finished.");
      } else if (!g_headingText.empty() && !g_inSentence) {
        AddWindowMessage(usfm, "Heading should start with a capital, and not end with a full stop.");
      }
      g_inSentence = false;
      g_prevInHeading = usfm->InHeading;
      g_prevHeadingCount = usfm->HeadingCount;
    }
    if (!usfm->InHeading) g_headingText.clear();
    if (usfm->InParagraph) {
      if (g_inSentence)
        AddWindowMessage(usfm, "A new paragraph started whereas the running sentence has not yet been finished.");
      usfm->InParagraph = false;
    }
  }

  // The capitalised words of a title are no names to report.
  if (CapitalLetters.Contains(c) && g_inSentence && !usfm->InTitle) g_capWordPending = true;

  if (g_capWordPending) {
    if ((CapitalLetters.Contains(c) || SmallLetters.Contains(c) || FilteredOutChars.Contains(c)) && c != '-') {
      g_capWord.push_back(c);
    } else {
      g_capWordPending = false;
      // Words in capitals only (acronyms) are no names.
      if (g_capWord != AnsiUpperCase(g_capWord)) {
        if (!g_capWord.empty() && FilteredOutChars.Contains(g_capWord.back())) g_capWord.pop_back();
        if (!IsApprovedName(g_capWord)) {
          AddWindowMessage(usfm, "A capitalized word (" + g_capWord + ") was found within a sentence.");
          AddCheckMessage(usfm, "Hint: If this capitalized word is a name, add it to the names list.", true);
        }
      }
      g_capWord.clear();
    }
  }

  if (!IndifferentChars.Contains(c)) {
    if (SentenceEnders.Contains(c)) {
      g_inSentence = false;
      g_afterEnder = true;
    }
    // Every capital of the "Capitals" setting starts a sentence, the accented ones as well as "A" to
    // "Z"; but not inside a title.
    if (CapitalLetters.Contains(c) && !usfm->InTitle) g_inSentence = true;
  }

  if (endOfBook && g_inSentence)
    AddWindowMessage(usfm, "The sentence has not been ended properly at the end of the book.");
}
