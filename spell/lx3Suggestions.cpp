#include "spell/lx3Suggestions.h"

#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"

namespace {

// "'" and a to z, then the lower-case letters of the upper half of the code page.
AnsiString DefaultInnerLetters() {
  AnsiString s = "'abcdefghijklmnopqrstuvwxyz\xD7\xDE\xDF";
  for (int b = 0xE0; b <= 0xFF; ++b) s += static_cast<char>(b);
  return s + "\xB8\xA8\xB9\xB3\xBF";
}

// "'", a to z, A to Z and the whole upper half's letters.
AnsiString DefaultFirstLetters() {
  AnsiString s = "'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int b = 0xC0; b <= 0xFF; ++b) s += static_cast<char>(b);
  return s + "\xB8\xA8\xB9\xB3\xBF";
}

constexpr Integer kSwedish = 1053;
constexpr Integer kCzech = 1029;
constexpr Integer kRussian = 1049;
constexpr Integer kPolish = 1045;
constexpr Integer kFrenchPrimaryLanguage = 12;  // primary language

bool IsLower(std::string_view s) { return AnsiLowerCase(s) == s; }
bool IsUpper(std::string_view s) { return AnsiUpperCase(s) == s; }

// Restores a string member when a call ends, however it ends.
class Restore {
public:
  explicit Restore(AnsiString& target) : target_(target), saved_(target) {}
  ~Restore() { target_ = std::move(saved_); }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

private:
  AnsiString& target_;
  AnsiString saved_;
};

}  // namespace

TSuggestionsGenerator::TSuggestionsGenerator()
    : InnerLetters(DefaultInnerLetters()), FirstLetters(DefaultFirstLetters()) {}

void TSuggestionsGenerator::SetLanguage(Integer Language) {
  if (Language == language_) return;
  language_ = Language;
  SetAllTechniques(allTechniques_);
  AnsiString extra;
  if (Language == kCzech)
    extra = "\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA"
            "\xD9\xDD\x8E";
  else if ((Language & 0xFF) == kFrenchPrimaryLanguage)
    extra = "\x9C";
  else if (Language == kRussian)
    extra = "\xB2\xA2\xB1\xA1\xBC\xAC\xB6\xA6";
  else if (Language == kPolish)
    extra = "\xB9\xE6\xEA\xB3\xB3\xF1\xF3\x9C\xBF\x9F\xA5\xC6\xCA\xA3\xD1\xD3\x8C\xAF\x8F";
  InnerLetters += extra;
  FirstLetters += extra;
}

void TSuggestionsGenerator::SetAllTechniques(bool Value) {
  allTechniques_ = Value;
  if (Value) techniques_ = language_ == kSwedish ? tcAll & ~tcSplit : tcAll;
}

void TSuggestionsGenerator::SetTechniques(Byte Value) {
  techniques_ = Value;
  allTechniques_ = false;
}

bool TSuggestionsGenerator::AddSuggestion(const AnsiString& Word) {
  const Integer at = results_->IndexOf(Word);
  if (at >= 0 && results_->GetStrings(at) == Word) return false;
  results_->Add(Word);
  return true;
}

bool TSuggestionsGenerator::IsValid(const AnsiString& Candidate) {
  bool valid = false;
  OnCheckWord(Candidate.c_str(), valid);
  return valid;
}

bool TSuggestionsGenerator::TryCandidate(const AnsiString& Word) {
  if (Word.size() <= 1 || !IsValid(Word)) return false;
  if (results_->GetCount() > MaxSuggestions) return true;
  if (wordIsLower_ && !IsLower(Word) && IsValid(AnsiLowerCase(Word))) return false;
  if (StrictCase && !IsLower(Word)) {
    const std::string_view tail = std::string_view(Word).substr(1);
    if (!IsLower(tail) && !IsUpper(tail)) return false;
  }
  AddSuggestion(Word);
  return false;
}

bool TSuggestionsGenerator::TryInsertions() {
  AnsiString candidate;
  for (Integer p = length_ + 1; p >= 2; --p) {
    for (char letter : InnerLetters) {
      candidate = word_;
      candidate.insert(static_cast<std::size_t>(p - 1), 1, letter);
      if (TryCandidate(candidate)) return true;
    }
  }
  for (char letter : FirstLetters) {
    candidate = word_;
    candidate.insert(candidate.begin(), letter);
    if (TryCandidate(candidate)) return true;
  }
  return false;
}

bool TSuggestionsGenerator::TryTranspositions(Integer Distance) {
  if (length_ <= Distance + 1) return false;
  AnsiString candidate = word_;
  for (Integer i = length_ - Distance; i >= 1; --i) {
    std::swap(candidate[i - 1], candidate[i - 1 + Distance]);
    if (TryCandidate(candidate)) return true;
    std::swap(candidate[i - 1], candidate[i - 1 + Distance]);
  }
  return false;
}

bool TSuggestionsGenerator::TryDeletions() {
  AnsiString candidate;
  for (Integer i = length_; i >= 1; --i) {
    candidate = word_;
    candidate.erase(static_cast<std::size_t>(i - 1), 1);
    if (TryCandidate(candidate)) return true;
  }
  return false;
}

bool TSuggestionsGenerator::TryReplacements() {
  AnsiString candidate = word_;
  for (Integer p = length_; p >= 2; --p) {
    const char original = candidate[p - 1];
    for (char letter : InnerLetters) {
      candidate[p - 1] = letter;
      if (TryCandidate(candidate)) return true;
    }
    candidate[p - 1] = original;
  }
  for (char letter : FirstLetters) {
    candidate[0] = letter;
    if (TryCandidate(candidate)) return true;
  }
  return false;
}

bool TSuggestionsGenerator::TrySplits() {
  for (Integer i = 2; i <= length_ - 2; ++i) {
    const AnsiString first = word_.substr(0, static_cast<std::size_t>(i));
    const AnsiString rest = word_.substr(static_cast<std::size_t>(i));
    if (IsValid(first) && IsValid(rest)) {
      if (results_->GetCount() > MaxSuggestions) return true;
      AddSuggestion(first + " " + rest);
    }
  }
  // A missing blank after a full stop: "end.Next" becomes "end. Next".
  const std::size_t dot = word_.find('.');
  if (dot != AnsiString::npos && word_.find('.', dot + 1) == AnsiString::npos && dot + 1 < word_.size()) {
    const std::string_view after = std::string_view(word_).substr(dot + 1, 1);
    if (AnsiUpperCase(after) == after && IsValid(word_.substr(0, dot)) && IsValid(word_.substr(dot + 1)) &&
        results_->GetCount() <= MaxSuggestions)
      AddSuggestion(word_.substr(0, dot + 1) + " " + word_.substr(dot + 1));
  }
  return false;
}

void TSuggestionsGenerator::Generate(const AnsiString& Word, Integer Maximum, const TCheckWordEvent& Test,
                                     TStrings* Results) {
  if (Maximum == -1) Maximum = 65535;
  if (!Test || !Results || Word.empty() || Maximum < 1 || Word.size() >= 251) return;
  word_ = Word;
  length_ = static_cast<Integer>(Word.size());
  results_ = Results;
  OnCheckWord = Test;
  MaxSuggestions = Maximum;
  wordIsLower_ = IsLower(Word);
  // A word with capitals also gets capitals inserted and substituted inside it.
  Restore inner(InnerLetters);
  if (!wordIsLower_) InnerLetters = FirstLetters;
  if ((techniques_ & tcTransposition) && TryTranspositions(1)) return;
  if ((techniques_ & tcInsertion) && TryInsertions()) return;
  if ((techniques_ & tcDeletion) && TryDeletions()) return;
  if ((techniques_ & tcReplacement) && TryReplacements()) return;
  if ((techniques_ & tcTransposition) && TryTranspositions(2)) return;
  if (techniques_ & tcSplit) TrySplits();
}

void TSuggestionsGenerator::GenerateCased(const AnsiString& Word, Integer Maximum, const TCheckWordEvent& Test,
                                          TStrings* Results) {
  Generate(Word, Maximum, Test, Results);
  if (Word.empty() || IsUpper(Word) || IsLower(Word)) return;
  const std::string_view first = std::string_view(Word).substr(0, 1);
  if (AnsiLowerCase(first) == first)
    Generate(AnsiLowerCase(Word), Maximum, Test, Results);
  else
    Generate(AnsiString(first) + AnsiLowerCase(std::string_view(Word).substr(1)), Maximum, Test, Results);
}
