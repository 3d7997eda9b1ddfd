#include "core/CheckPunctuation.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/USFMUnit.h"
#include "core/Utilities.h"

TCharSet SentenceEnders;
TCharSet IndifferentChars;
TCharSet SmallLetters;
TCharSet CapitalLetters;
TCharSet NonAdjacentChars;
TCharSet RightOfClosingQuotes;
TCharSet FilteredOutChars;
TCharSet KnownChars;

TBracketPair BracketPairs[MaxBracketPairs];
int BracketPairCount = 0;

namespace {

constexpr int MaxBracketDepth = 5;

struct BracketLevel {
  char Opener = 0;
  char Closer = 0;
  AnsiString Text;  // reference and Window at the opener
};

bool g_afterOpener = false;
int g_bracketDepth = 0;
BracketLevel g_bracketLevels[MaxBracketDepth + 1];  // 1-based by depth
int g_quoteCount = 0;
bool g_afterDivider = false;
bool g_afterSpace = false;

const TBracketPair kDefaultPairs[] = {{'[', ']'}, {'{', '}'}, {'(', ')'}, {'<', '>'}};

AnsiString Char(char c) { return AnsiString(1, c); }

bool IsCloser(char c) {
  for (int i = 0; i < BracketPairCount; ++i)
    if (BracketPairs[i].Closer == c) return true;
  return false;
}

void ReadBracketPairs() {
  BracketPairCount = 0;
  const AnsiString path = ProgramFolder + "brackets.txt";
  std::unique_ptr<TStringList> lines(new TStringList());
  try {
    lines->LoadFromFile(path);
  } catch (const Exception&) {
    // Written at start-up when missing, so only a folder that cannot be written gets here: check
    // the default pairs rather than none.
    AddPlainMessage("The brackets to check for could not be read from " + path +
                    "; the brackets [], {}, () and <> are checked.");
    for (const TBracketPair& pair : kDefaultPairs) BracketPairs[BracketPairCount++] = pair;
    return;
  }
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = lines->GetStrings(i);
    if (Length(line) != 2) {
      AddPlainMessage("While reading the brackets to check for, an invalid set of brackets has been found: " + line);
    } else if (BracketPairCount == MaxBracketPairs) {
      AddPlainMessage("While reading the brackets to check for, more than " + IntToStr(MaxBracketPairs) +
                      " sets of brackets have been found; this set is not checked: " + line);
    } else {
      BracketPairs[BracketPairCount++] = {line[0], line[1]};
    }
  }
}

}  // namespace

void LoadCheckSettings() {
  SentenceEnders = StringToCharSet(ReadSettingString("Sentence Enders"));
  IndifferentChars = StringToCharSet(ReadSettingString("Sentence Indifferent Characters"));
  SmallLetters = StringToCharSet(ReadSettingString("Small Letters"));
  CapitalLetters = StringToCharSet(ReadSettingString("Capitals"));
  NonAdjacentChars = StringToCharSet(ReadSettingString("Non Adjacent Characters"));
  RightOfClosingQuotes = StringToCharSet(ReadSettingString("Chars Right Of Closing Quotes"));
  FilteredOutChars = StringToCharSet(ReadSettingString("Chars Filtered Out"));

  g_bracketDepth = 0;
  g_afterOpener = false;
  g_afterDivider = false;
  ReadBracketPairs();

  KnownChars = StringToCharSet("\" \\" + ReadSettingString("Extra chars in text"));
  for (int i = 0; i < BracketPairCount; ++i) {
    KnownChars.Include(BracketPairs[i].Opener);
    KnownChars.Include(BracketPairs[i].Closer);
  }
  KnownChars += SentenceEnders;
  KnownChars += IndifferentChars;
  KnownChars += SmallLetters;
  KnownChars += CapitalLetters;
  KnownChars += NonAdjacentChars;
  KnownChars += RightOfClosingQuotes;
  g_afterSpace = false;
}

void CheckUnknownCharacter(TUSFM* usfm, char c) {
  if (!KnownChars.Contains(c)) AddWindowMessage(usfm, "An unknown character has been found: " + Char(c));
}

void CheckNonAdjacent(TUSFM* usfm, char c) {
  const char previous = usfm->WindowChar(1);
  if (NonAdjacentChars.Contains(c) && NonAdjacentChars.Contains(previous))
    AddWindowMessage(usfm, "Two characters found which are not supposed to be adjacent to each other: " +
                               Char(previous) + " and " + Char(c));
}

void CheckBrackets(TUSFM* usfm, char c, bool endOfBook) {
  if (g_afterOpener) {
    g_afterOpener = false;
    if (c == ' ') AddWindowMessage(usfm, "A space has been found right after an opening bracket.");
  }
  for (int i = 0; i < BracketPairCount; ++i) {
    if (BracketPairs[i].Opener != c) continue;
    g_afterOpener = true;
    ++g_bracketDepth;
    if (g_bracketDepth <= MaxBracketDepth) {
      BracketLevel& level = g_bracketLevels[g_bracketDepth];
      level.Opener = c;
      level.Closer = BracketPairs[i].Closer;
      level.Text = usfm->GetReference() + usfm->Window;
    } else {
      AddWindowMessage(usfm, "Too many opening brackets nested: " + Char(c));
    }
  }
  for (int i = 0; i < BracketPairCount; ++i) {
    if (BracketPairs[i].Closer != c) continue;
    if (usfm->WindowChar(1) == ' ') AddWindowMessage(usfm, "A space has been found right before a closing bracket.");
    if (g_bracketDepth >= 1 && g_bracketDepth <= MaxBracketDepth) {
      const BracketLevel& level = g_bracketLevels[g_bracketDepth];
      if (level.Closer != c) {
        AddWindowMessage(usfm, "Found a closing bracket " + Char(c) + " which does not match its opener...");
        AddCheckMessage(usfm, level.Text + " - ... and here is the mismatched opener talked about in the previous message.",
                        false);
      }
    } else {
      AddWindowMessage(usfm, "A closing bracket found without matching opener: " + Char(c));
    }
    if (g_bracketDepth > 0) --g_bracketDepth;
  }
  if (endOfBook) {
    if (g_bracketDepth > MaxBracketDepth) g_bracketDepth = MaxBracketDepth;
    for (int depth = 1; depth <= g_bracketDepth; ++depth)
      AddCheckMessage(usfm,
                      g_bracketLevels[depth].Text + " - An opening bracket without matching closer has been found: " +
                          Char(g_bracketLevels[depth].Opener),
                      false);
    g_bracketDepth = 0;
  }
}

void CheckQuotes(TUSFM* usfm, char c, bool endOfBook) {
  const char previous = usfm->WindowChar(1);
  if (c == '"') {
    ++g_quoteCount;
    if (g_quoteCount % 2 == 1 && previous != ' ')
      AddWindowMessage(usfm,
                       "A space is supposed to be found left to an opening quotation mark, but another character was found: " +
                           Char(previous));
  }
  if (!RightOfClosingQuotes.Contains(c) && c != ' ' && g_quoteCount % 2 == 0 && previous == '"')
    AddWindowMessage(usfm, "An invalid character is found next to a closing quotation mark: " + Char(c));
  if (endOfBook && g_quoteCount % 2 == 1)
    AddCheckMessage(usfm,
                    "Having reached the end of the book, it appears that one or more quotation marks have not been closed.",
                    true);
}

void CheckDividers(TUSFM* usfm, char c) {
  if (g_afterDivider) {
    if (!IsCloser(c) && c != ' ' && c != '"')
      AddWindowMessage(usfm, "A sentence divider is followed by an invalid character: " + Char(c));
    g_afterDivider = false;
  }
  if (c == ',' || c == ':' || c == ';') g_afterDivider = true;
}

void CheckSpaceBeforePunctuation(TUSFM* usfm, char c) {
  if (g_afterSpace) {
    if (c == '!' || c == ',' || c == ':' || c == ';' || c == '?')
      AddWindowMessage(usfm, "A space precedes this punctuation character: " + Char(c));
    g_afterSpace = false;
  }
  if (c == ' ') g_afterSpace = true;
}

void ResetQuotes() { g_quoteCount = 0; }

void BeginBookChecks() {
  ResetQuotes();
  SentenceCheckSetup(true);
  LoadUnwantedWords();
}

void CheckStructureLine(TUSFM* usfm, const AnsiString& line) {
  auto feed = [usfm](char c) {
    if (usfm->ProcessChar(c)) return;
    CheckUnknownCharacter(usfm, c);
    CheckSentence(usfm, c, false);
    CheckNonAdjacent(usfm, c);
    CheckBrackets(usfm, c, false);
    CheckQuotes(usfm, c, false);
    CheckDividers(usfm, c);
    CheckUnwantedWords(usfm, c, false);
    CheckSpaceBeforePunctuation(usfm, c);
  };
  for (char c : line) feed(c);
  feed('\n');
}

void EndBookChecks(TUSFM* usfm) {
  CheckSentence(usfm, ' ', true);
  CheckBrackets(usfm, ' ', true);
  CheckQuotes(usfm, ' ', true);
  CheckUnwantedWords(usfm, ' ', true);
  SentenceCheckSetup(false);
}
