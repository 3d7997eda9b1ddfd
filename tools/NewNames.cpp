#include "tools/NewNames.h"

#include <algorithm>
#include <unordered_set>

#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"

namespace {

std::unique_ptr<TStringList> SortedList(bool caseSensitive) {
  std::unique_ptr<TStringList> list(new TStringList());
  list->SetCaseSensitive(caseSensitive);
  list->SetSorted(true);
  list->Duplicates = dupIgnore;
  return list;
}

// A sorted list that ignores duplicates, with the words already added remembered exactly: most words
// of a book come again and again, and a duplicate costs no search of the list.
class TWordSet {
public:
  explicit TWordSet(bool caseSensitive) : list_(SortedList(caseSensitive)) {}
  void Add(const AnsiString& word) {
    if (seen_.insert(word).second) list_->Add(word);
  }
  TStringList* List() const { return list_.get(); }
  std::unique_ptr<TStringList> Release() { return std::move(list_); }

private:
  std::unique_ptr<TStringList> list_;
  std::unordered_set<AnsiString> seen_;
};

bool HasCapitalAToZ(const AnsiString& w) {
  for (char c : w)
    if (c >= 'A' && c <= 'Z') return true;
  return false;
}
bool HasSmallAToZ(const AnsiString& w) {
  for (char c : w)
    if (c >= 'a' && c <= 'z') return true;
  return false;
}

}  // namespace

// The state of one search over the books.
class TNewNamesSearch::TJudge {
public:
  TJudge(TUSFM* usfm, TStrings* approved, TStrings* disapproved)
      : usfm_(usfm), approved_(SortedList(true)), disapproved_(SortedList(true)) {
    approved_->AddStrings(approved);
    disapproved_->AddStrings(disapproved);
  }

  void Judge(AnsiString w) {
    if (!HasCapitalAToZ(w) || !HasSmallAToZ(w)) {
      plain.Add(w);
      return;
    }
    // The character two places before the word's first letter; the look-back window ends with the
    // character that ended the word. A word longer than the window looks at its oldest character.
    const int back = std::min(Length(w) + 2, TUSFM::WindowLength - 1);
    if (SentenceEnders.Contains(usfm_->WindowChar(back))) w.erase(0, 1);
    if (w.empty() || !HasCapitalAToZ(w)) return;
    // A small-letter prefix written onto a name, and whatever stands before a second capital, are
    // no part of the name.
    std::size_t start = 0;
    while (start < w.size() && SmallLetters.Contains(w[start])) ++start;
    w.erase(0, start);
    for (std::size_t i = 1; i < w.size(); ++i)
      if (CapitalLetters.Contains(w[i])) {
        w.erase(0, i);
        break;
      }
    all.Add(w);
    Integer at;
    if (!approved_->Find(w, at) && !disapproved_->Find(w, at)) found.Add(w);
  }

  TWordSet found{true};
  TWordSet plain{false};
  TWordSet all{true};

private:
  TUSFM* usfm_;
  std::unique_ptr<TStringList> approved_;
  std::unique_ptr<TStringList> disapproved_;
};

TNewNamesSearch::TNewNamesSearch() : NewNames(SortedList(true)), AllNames(SortedList(true)) {}

TNewNamesSearch::~TNewNamesSearch() = default;

void TNewNamesSearch::Status(const AnsiString& text) {
  if (OnStatus) OnStatus(text);
}

void TNewNamesSearch::Run(TScripture* scripture, TUSFM* usfm, TStrings* approved, TStrings* disapproved) {
  Start(scripture, usfm, approved, disapproved);
  while (!Step([] { return false; })) {
  }
}

void TNewNamesSearch::Start(TScripture* scripture, TUSFM* usfm, TStrings* approved, TStrings* disapproved) {
  scripture_ = scripture;
  usfm_ = usfm;
  judge_.reset(new TJudge(usfm, approved, disapproved));
  word_.clear();
  inBook_ = false;
  scripture->Rewind();
}

bool TNewNamesSearch::Step(const std::function<bool()>& spent) {
  if (!judge_) return true;
  const TCharSet letters = CapitalLetters + SmallLetters;
  // The clock is asked every so many characters: a character costs far less than asking.
  constexpr int kCharsPerLook = 2048;
  while (scripture_->BookNames->GetCount() > 0) {
    if (!inBook_) {
      AnsiString name;
      if (!scripture_->NextBook(name)) break;
      Status(name);
      usfm_->BookId = scripture_->BookIds->GetStrings(scripture_->BookIndex);
      usfm_->Reset();
      word_.clear();
      inBook_ = true;
    }
    char c;
    int chars = 0;
    while (true) {
      if (++chars % kCharsPerLook == 0 && spent()) return false;
      if (!scripture_->NextChar(c)) break;
      if (usfm_->ProcessChar(c) || FilteredOutChars.Contains(c)) continue;
      if (letters.Contains(c)) {
        word_.push_back(c);
      } else if (!word_.empty()) {
        judge_->Judge(word_);
        word_.clear();
      }
    }
    inBook_ = false;
    if (spent()) return false;
  }
  Finish();
  return true;
}

void TNewNamesSearch::Finish() {
  Status("Now picking out the names...");
  // A capitalised word that also occurs in lower case or in capitals only is no name.
  std::unique_ptr<TStringList> names(new TStringList());
  TStringList* found = judge_->found.List();
  TStringList* plain = judge_->plain.List();
  for (Integer i = 0; i < found->GetCount(); ++i) {
    Integer at;
    if (!plain->Find(found->GetStrings(i), at)) names->Add(found->GetStrings(i));
  }
  Status("Sorting words");
  NewNames = SortedList(true);
  NewNames->AddStrings(names.get());
  AllNames = judge_->all.Release();
  judge_.reset();
}

int PruneApprovedNames(TStrings* approved, const TStringList* allNames) {
  int removed = 0;
  for (Integer i = approved->GetCount() - 1; i >= 0; --i) {
    Integer at;
    if (!allNames->Find(approved->GetStrings(i), at)) {
      approved->Delete(i);
      ++removed;
    }
  }
  return removed;
}

AnsiString NewNamesStatusText(int newNames, int removed) {
  AnsiString text = IntToStr(newNames) + " new names found";
  if (removed > 0) text += " - " + IntToStr(removed) + " old names removed";
  return text;
}
