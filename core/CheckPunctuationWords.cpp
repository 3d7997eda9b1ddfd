// The unwanted-word check: whole words of kind "word" as the text goes, and phrases of kind
// "phrase" across word and line boundaries, looked for in blocks of 100 characters.
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/CheckPunctuation.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "core/Utilities.h"

TStringList* UnwantedWords = nullptr;
TStringList* UnwantedKinds = nullptr;
TStringList* UnwantedComments = nullptr;

namespace {

constexpr int PhraseWindowLength = 150;
constexpr int PhraseBlock = 100;

// Where a character of the current block stood: its reference and the marker checker's Window.
// The reference text is made only for a character that ends a phrase.
struct PhrasePosition {
  AnsiString BookId;
  Integer Chapter;
  Integer Verse;
  char Window[TUSFM::WindowLength];
};

struct Phrase {
  AnsiString Lower;
  int Entry;
};

AnsiString g_currentWord;
AnsiString g_phraseWindow(PhraseWindowLength, ' ');
std::vector<PhrasePosition> g_positions;
// Entries of kind "phrase", lower case; and the first entry of each lower-case text.
std::vector<Phrase> g_phrases;
std::unordered_map<AnsiString, int> g_wordIndex;

struct ListOwner {
  ~ListOwner() {
    FreeAndNil(UnwantedWords);
    FreeAndNil(UnwantedKinds);
    FreeAndNil(UnwantedComments);
  }
} g_listOwner;

void ParseEntry(const AnsiString& line) {
  const int open = Pos(" (", line);
  const AnsiString rest = Copy(line, open + 2, Length(line));
  const int middle = Pos(") (", rest);
  AnsiString comment = Copy(rest, middle + 3, Length(rest));
  Delete(comment, Length(comment), 1);  // the closing bracket
  UnwantedWords->Add(Copy(line, 1, open - 1));
  UnwantedKinds->Add(Copy(rest, 1, middle - 1));
  UnwantedComments->Add(comment);
}

void CheckPhrases() {
  const int count = static_cast<int>(g_positions.size());
  for (const Phrase& phrase : g_phrases) {
    if (Pos(phrase.Lower, g_phraseWindow) == 0) continue;
    const int length = Length(phrase.Lower);
    for (int j = 0; j < count; ++j) {
      // The newest position is the last character of the phrase window.
      const int end = PhraseWindowLength - (count - 1 - j);
      const int start = end - length + 1;
      if (start < 1) continue;
      if (std::memcmp(g_phraseWindow.data() + start - 1, phrase.Lower.data(), length) != 0) continue;
      const PhrasePosition& at = g_positions[j];
      AddCheckMessage(nullptr,
                      at.BookId + " " + IntToStr(at.Chapter) + ":" + IntToStr(at.Verse) + " " + " " +
                          AnsiString(at.Window, TUSFM::WindowLength) + " - An unwanted phrase (" + phrase.Lower +
                          ") has been found. Comment: " + UnwantedComments->GetStrings(phrase.Entry) + ".",
                      false);
    }
  }
  g_positions.clear();
}

}  // namespace

void LoadUnwantedWords() {
  if (!UnwantedWords) {
    UnwantedWords = new TStringList();
    UnwantedKinds = new TStringList();
    UnwantedComments = new TStringList();
  }
  g_currentWord.clear();
  g_phraseWindow.assign(PhraseWindowLength, ' ');
  UnwantedWords->Clear();
  UnwantedKinds->Clear();
  UnwantedComments->Clear();
  g_phrases.clear();
  g_wordIndex.clear();
  g_positions.clear();

  const AnsiString path = CurrentProjectWorkFolder() + "UnwantedWords.txt";
  if (!FileExists(path)) return;
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->LoadFromFile(path);
  for (int i = 0; i < lines->GetCount(); ++i) ParseEntry(lines->GetStrings(i));
  for (int i = 0; i < UnwantedWords->GetCount(); ++i) {
    const AnsiString lower = LowerCaseText(UnwantedWords->GetStrings(i));
    g_wordIndex.emplace(lower, i);  // the first entry of a text wins
    if (UnwantedKinds->GetStrings(i) == "phrase" && !lower.empty()) g_phrases.push_back({lower, i});
  }
  g_positions.reserve(PhraseBlock);
}

void CheckUnwantedWords(TUSFM* usfm, char c, bool endOfBook) {
  if (CapitalLetters.Contains(c) || SmallLetters.Contains(c) || FilteredOutChars.Contains(c)) {
    g_currentWord.push_back(c);
  } else if (!g_currentWord.empty()) {
    if (!g_wordIndex.empty()) {
      auto found = g_wordIndex.find(LowerCaseText(g_currentWord));
      if (found != g_wordIndex.end() && UnwantedKinds->GetStrings(found->second) == "word")
        AddWindowMessage(usfm, "An unwanted word (" + g_currentWord + ") has been found. Comment: " +
                                   UnwantedComments->GetStrings(found->second) + ".");
    }
    g_currentWord.clear();
  }

  // Without phrases to look for, the phrase window and the positions would never be read.
  if (!g_phrases.empty()) {
    std::memmove(&g_phraseWindow[0], &g_phraseWindow[1], PhraseWindowLength - 1);
    g_phraseWindow[PhraseWindowLength - 1] = LowerCaseChar(c);
    PhrasePosition& at = g_positions.emplace_back();
    at.BookId = usfm->BookId;
    at.Chapter = usfm->Chapter;
    at.Verse = usfm->Verse;
    std::memcpy(at.Window, usfm->Window.data(), TUSFM::WindowLength);
    if (static_cast<int>(g_positions.size()) == PhraseBlock || endOfBook) CheckPhrases();
  }

  if (endOfBook) LoadUnwantedWords();
}
