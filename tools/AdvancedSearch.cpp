#include "tools/AdvancedSearch.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "core/Utilities.h"

const char AnyCapitalToken[] = "<any capital>";
const char NoSearchPhraseText[] = "First enter the search phrase, then press the Search button";

namespace {

constexpr std::string_view kToken = AnyCapitalToken;

// Letter case plays no part, for every letter of the code page.
bool SameLetter(char a, char b) { return LowerCaseChar(a) == LowerCaseChar(b); }

bool MatchesPhrase(std::string_view window, std::string_view phrase, bool hasToken, const TCharSet& capitals) {
  if (!hasToken) {
    if (window.size() != phrase.size()) return false;
    for (std::size_t i = 0; i < window.size(); ++i)
      if (!SameLetter(window[i], phrase[i])) return false;
    return true;
  }
  for (char c : window) {
    if (phrase.substr(0, kToken.size()) == kToken) {
      if (!capitals.Contains(c)) return false;
      phrase.remove_prefix(kToken.size());
    } else {
      if (phrase.empty() || !SameLetter(c, phrase[0])) return false;
      phrase.remove_prefix(1);
    }
  }
  return true;
}

bool StartsWithText(std::string_view text, std::string_view start) {
  if (start.size() > text.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (!SameLetter(text[i], start[i])) return false;
  return true;
}
bool EndsWithText(std::string_view text, std::string_view end) {
  return end.size() <= text.size() && StartsWithText(text.substr(text.size() - end.size()), end);
}

// The marker checker's reference, built again only when the book, chapter or verse changed; its
// generation tells a change apart cheaply.
class TReference {
public:
  explicit TReference(TUSFM* usfm) : usfm_(usfm) {}
  unsigned Generation() {
    if (usfm_->Chapter != chapter_ || usfm_->Verse != verse_ || usfm_->BookId != bookId_ || generation_ == 0) {
      chapter_ = usfm_->Chapter;
      verse_ = usfm_->Verse;
      bookId_ = usfm_->BookId;
      text_ = usfm_->GetReference();
      ++generation_;
    }
    return generation_;
  }
  const AnsiString& Current() {
    Generation();
    return text_;
  }

private:
  TUSFM* usfm_;
  Integer chapter_ = -1;
  Integer verse_ = -1;
  AnsiString bookId_;
  AnsiString text_;
  unsigned generation_ = 0;
};

// The reference of a character read some steps ago: a word or phrase is counted and listed in the
// verse of its last letter, also when the character that shows where it ends (the next non-letter,
// or the text after a phrase) comes from the next verse.
class TKeptReference {
public:
  void Keep(TReference& reference) {
    const unsigned generation = reference.Generation();
    if (generation != generation_) {
      generation_ = generation;
      text_ = reference.Current();
    }
  }
  const AnsiString& Text() const { return text_; }

private:
  unsigned generation_ = 0;
  AnsiString text_;
};

// Numbers the occurrences within a verse: 1 for the first after the reference changed.
class TOccurrences {
public:
  void BeginBook(int start) {
    last_.clear();
    counter_ = start;
  }
  int Count(const AnsiString& reference) {
    ++counter_;
    if (reference != last_) {
      counter_ = 1;
      last_ = reference;
    }
    return counter_;
  }

private:
  int counter_ = 0;
  AnsiString last_;
};

// What every mode has: the hits, the reference and the letters.
struct TModeBase {
  TModeBase(TUSFM* usfm, TStringList* hits, const TCharSet& letters) : reference(usfm), hits(hits), letters(letters) {}
  TReference reference;
  TStringList* hits;
  TCharSet letters;
};

// Mode 1: the last Lp + Lw + Lf characters read, in one buffer: the text before the phrase, the
// phrase window and the text after it, filled with blanks at the start. The references of the
// last Lf + 1 characters are kept, so that a phrase is listed in the verse of its last character.
class TPhraseMode : TModeBase {
public:
  TPhraseMode(TUSFM* usfm, TStringList* hits, const TCharSet& letters, const TCharSet& capitals,
              const TSearchPhrases& phrases)
      : TModeBase(usfm, hits, letters), capitals_(capitals), word_(phrases.Word) {
    for (const AnsiString& p : phrases.NotBefore) {
      before_ = std::max(before_, p.size());
      if (!p.empty()) notBefore_.push_back(p);
    }
    for (const AnsiString& f : phrases.NotAfter) {
      after_ = std::max(after_, f.size());
      if (!f.empty()) notAfter_.push_back(f);
    }
    hasToken_ = word_.find(kToken) != AnsiString::npos;
    phrase_ = word_.size() - (hasToken_ ? kToken.size() - 1 : 0);
    last_.assign(before_ + phrase_ + after_, ' ');
    references_.resize(after_ + 1);
  }
  void BeginBook() { occurrences_.BeginBook(0); }
  void Step(char c) {
    if (!last_.empty()) {
      std::memmove(&last_[0], &last_[1], last_.size() - 1);
      last_.back() = c;
    }
    // The slot of this character is also the slot of the one read after_ steps before it.
    newest_ = newest_ == after_ ? 0 : newest_ + 1;
    const std::size_t phraseEnd = newest_ == after_ ? 0 : newest_ + 1;
    references_[newest_].Keep(reference);
    const std::string_view all(last_);
    const std::string_view phrase = all.substr(before_, phrase_);
    if (!MatchesPhrase(phrase, word_, hasToken_, capitals_)) return;
    const AnsiString& ref = references_[phraseEnd].Text();
    const int n = occurrences_.Count(ref);
    const std::string_view before = all.substr(0, before_);
    const std::string_view after = all.substr(before_ + phrase_);
    for (const AnsiString& f : notAfter_)
      if (StartsWithText(after, f)) return;
    for (const AnsiString& p : notBefore_)
      if (EndsWithText(before, p)) return;
    hits->Add(SearchHitLine(ref, n, AnsiString(phrase)));
  }

private:
  TCharSet capitals_;
  AnsiString word_;
  std::vector<AnsiString> notBefore_, notAfter_;
  std::size_t before_ = 0, phrase_ = 0, after_ = 0;
  bool hasToken_ = false;
  AnsiString last_;
  std::vector<TKeptReference> references_;
  std::size_t newest_ = 0;
  TOccurrences occurrences_;
};

// Mode 2: words whose letters are all capitals.
class TCapsMode : TModeBase {
public:
  TCapsMode(TUSFM* usfm, TStringList* hits, const TCharSet& letters, const TCharSet& capitals)
      : TModeBase(usfm, hits, letters), capitals_(capitals) {}
  void BeginBook() { occurrences_.BeginBook(0); }
  void Step(char c) {
    if (letters.Contains(c)) {
      word_.push_back(c);
      lastLetter_.Keep(reference);
      return;
    }
    if (!word_.empty() && std::all_of(word_.begin(), word_.end(), [&](char l) { return capitals_.Contains(l); })) {
      const AnsiString& ref = lastLetter_.Text();
      hits->Add(SearchHitLine(ref, occurrences_.Count(ref), word_));
    }
    word_.clear();
  }

private:
  TCharSet capitals_;
  AnsiString word_;
  TKeptReference lastLetter_;
  TOccurrences occurrences_;
};

// Mode 3: a window as long as the longest phrase, lower-cased; a verse is reported once, when every
// phrase was last seen in it.
class TVerseMode : TModeBase {
public:
  TVerseMode(TUSFM* usfm, TStringList* hits, const TCharSet& letters, const TSearchPhrases& phrases)
      : TModeBase(usfm, hits, letters) {
    std::size_t longest = 0;
    found_ = "Found:";
    for (const AnsiString& p : phrases.InVerse) {
      if (p.empty()) continue;
      lower_.push_back(LowerCaseText(p));
      found_ += " " + p;
      longest = std::max(longest, p.size());
    }
    seen_.resize(lower_.size());
    window_.assign(longest, ' ');
  }
  void BeginBook() {}
  void Step(char c) {
    if (!window_.empty()) {
      std::memmove(&window_[0], &window_[1], window_.size() - 1);
      window_.back() = LowerCaseChar(c);
    }
    bool any = false;
    for (std::size_t i = 0; i < lower_.size(); ++i)
      if (window_.find(lower_[i]) != AnsiString::npos) {
        seen_[i] = reference.Current();
        any = true;
      }
    if (!any) return;
    const AnsiString& ref = reference.Current();
    for (const AnsiString& seen : seen_)
      if (seen != ref) return;
    if (ref != reported_) hits->Add(ref + "\t\t[1] " + found_);
    reported_ = ref;
  }

private:
  std::vector<AnsiString> lower_, seen_;
  AnsiString found_, window_, reported_;
};

// Mode 4: whole words containing the phrase, each once (letter case ignored), sorted.
class TContainingMode : TModeBase {
public:
  TContainingMode(TUSFM* usfm, TStringList* hits, const TCharSet& letters, const TSearchPhrases& phrases)
      : TModeBase(usfm, hits, letters), phrase_(LowerCaseText(phrases.Containing)) {
    hits->SetCaseSensitive(false);
    hits->SetSorted(true);
    hits->Duplicates = dupIgnore;
  }
  void BeginBook() {}
  void Step(char c) {
    if (letters.Contains(c)) {
      word_.push_back(c);
      return;
    }
    // The first of words that differ only in letter case stays; a word found again costs no search.
    if (LowerCaseText(word_).find(phrase_) != AnsiString::npos && seen_.insert(word_).second) hits->Add(word_);
    word_.clear();
  }

private:
  AnsiString phrase_;
  AnsiString word_;
  std::unordered_set<AnsiString> seen_;
};

// Mode 5: the words of the word list, compared without regard to letter case.
class TWordListMode : TModeBase {
public:
  TWordListMode(TUSFM* usfm, TStringList* hits, const TCharSet& letters, TStrings* wordList)
      : TModeBase(usfm, hits, letters) {
    for (Integer i = 0; i < wordList->GetCount(); ++i) words_.insert(LowerCaseText(wordList->GetStrings(i)));
  }
  void BeginBook() { occurrences_.BeginBook(1); }
  void Step(char c) {
    if (letters.Contains(c)) {
      word_.push_back(c);
      lastLetter_.Keep(reference);
      return;
    }
    if (!word_.empty() && words_.count(LowerCaseText(word_)) > 0) {
      const AnsiString& ref = lastLetter_.Text();
      hits->Add(SearchHitLine(ref, occurrences_.Count(ref), word_));
    }
    word_.clear();
  }

private:
  std::unordered_set<AnsiString> words_;
  AnsiString word_;
  TKeptReference lastLetter_;
  TOccurrences occurrences_;
};

}  // namespace

bool MatchesSearchWord(const AnsiString& window, const AnsiString& phrase, const TCharSet& capitals) {
  return MatchesPhrase(window, phrase, phrase.find(kToken) != AnsiString::npos, capitals);
}

AnsiString SearchHitLine(const AnsiString& reference, int occurrence, const AnsiString& text) {
  return reference + "\t\t[" + IntToStr(occurrence) + "]" + text;
}

bool HasSearchPhrase(TSearchMode mode, const TSearchPhrases& phrases) {
  switch (mode) {
    case smPhrase:
      return !phrases.Word.empty();
    case smVerse:
      return std::any_of(std::begin(phrases.InVerse), std::end(phrases.InVerse),
                         [](const AnsiString& p) { return !p.empty(); });
    case smContaining:
      return !phrases.Containing.empty();
    default:
      return true;
  }
}

TAdvancedSearch::TAdvancedSearch(TScripture* scripture, TUSFM* usfm, const TCharSet& capitals,
                                 const TCharSet& smallLetters, const TCharSet& filteredOut)
    : Hits(new TStringList()),
      scripture_(scripture),
      usfm_(usfm),
      capitals_(capitals),
      letters_(capitals + smallLetters),
      filteredOut_(filteredOut) {}

template <class Mode>
void TAdvancedSearch::Walk(Mode& mode) {
  scripture_->Rewind();
  if (scripture_->BookNames->GetCount() == 0) return;
  if (OnStatus) OnStatus("Searching");
  AnsiString name;
  while (scripture_->NextBook(name)) {
    if (OnStatus) OnStatus(name);
    usfm_->BookId = scripture_->BookIds->GetStrings(scripture_->BookIndex);
    usfm_->Reset();
    mode.BeginBook();
    char c;
    while (scripture_->NextChar(c))
      if (!usfm_->ProcessChar(c) && !filteredOut_.Contains(c)) mode.Step(c);
  }
}

void TAdvancedSearch::Run(TSearchMode mode, const TSearchPhrases& phrases, TStrings* wordList) {
  Hits.reset(new TStringList());
  TStringList* hits = Hits.get();
  switch (mode) {
    case smPhrase: {
      TPhraseMode m(usfm_, hits, letters_, capitals_, phrases);
      Walk(m);
      break;
    }
    case smAllCaps: {
      TCapsMode m(usfm_, hits, letters_, capitals_);
      Walk(m);
      break;
    }
    case smVerse: {
      TVerseMode m(usfm_, hits, letters_, phrases);
      Walk(m);
      break;
    }
    case smContaining: {
      TContainingMode m(usfm_, hits, letters_, phrases);
      Walk(m);
      break;
    }
    case smWordList: {
      for (Integer i = wordList->GetCount() - 1; i >= 0; --i)
        if (wordList->GetStrings(i).empty()) wordList->Delete(i);
      TWordListMode m(usfm_, hits, letters_, wordList);
      Walk(m);
      break;
    }
  }
}

AnsiString SearchResultsPath(TSearchMode mode, const AnsiString& projectsFolder, const AnsiString& workFolder) {
  return mode == smContaining ? workFolder + "SearchData.txt" : projectsFolder + "pelorin.ref";
}

AnsiString SaveSearchResults(TStrings* hits, const AnsiString& path, bool& saved) {
  const Cardinal error = ReplaceFileContents(path, hits->GetText());
  saved = error == 0;
  if (!saved) return "The results cannot be saved to " + path + ": " + Trim(SysErrorMessage(error));
  if (hits->GetCount() == 0) return "No matches found.";
  return "Ready. The results (" + IntToStr(hits->GetCount()) + ") have been saved to " + path + ".";
}
