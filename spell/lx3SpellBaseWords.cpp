// The spell-check component's word tests (acceptable, excluded, auto-corrected, repeated,
// possessive) against the whole dictionary set, and its suggestions ranked by edit distance
// and by what the user chose before.
#include <algorithm>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3MainDictionary.h"
#include "spell/lx3ParserBase.h"
#include "spell/lx3PhoneticsMap.h"
#include "spell/lx3SpellBase.h"
#include "spell/lx3Suggestions.h"
#include "spell/lx3Util.h"

namespace {

constexpr Integer kEnglish = 9;

// A letter is a character whose upper- and lower-case forms differ in the system code page.
bool IsLetter(AnsiChar c) {
  const std::string_view s(&c, 1);
  return AnsiUpperCase(s) != AnsiLowerCase(s);
}

bool HasDigit(const AnsiString& word) { return word.find_first_of("0123456789") != AnsiString::npos; }

}  // namespace

void TLexemeSpell3Base::ModifyCase(const AnsiString& Word, AnsiString& Modified) {
  Modified = Word;
  if (Word.empty()) return;
  switch (AllowedCases) {
    case cmNone:
      break;
    case cmInitialCaps:
      Modified.replace(0, 1, AnsiLowerCase(Word.substr(0, 1)));
      break;
    case cmInitialCapsOrUpcase:
      if (AnsiUpperCase(Word) != Word)
        Modified.replace(0, 1, AnsiLowerCase(Word.substr(0, 1)));
      else
        Modified = AnsiLowerCase(Word);
      break;
    case cmAnyCase:
      Modified = AnsiLowerCase(Word);
      break;
    case cmCustom:
      if (OnCaseModification) OnCaseModification(this, Modified);
      break;
  }
}

bool TLexemeSpell3Base::IsInMainDictionaries(const AnsiString& Word) {
  EnsureConfiguration();
  for (const auto& d : mains_)
    if (d->WordExists(Word)) {
      d->IncUses();
      return true;
    }
  return false;
}

bool TLexemeSpell3Base::IsInDictionaries(const AnsiString& Word) {
  if (IsInMainDictionaries(Word)) return true;
  if (activeCustom_ && activeCustom_->IsIgnored(Word)) return true;
  for (const auto& d : customs_)
    if (d->IsIgnored(Word)) return true;
  for (const auto& d : msWord_)
    if (d->IsIgnored(Word)) return true;
  return internal_->IsIgnored(Word);
}

bool TLexemeSpell3Base::IsPossessiveForm(const AnsiString& Word) {
  Integer at = Pos("'s", Word);
  if (at == 0) at = Pos("'S", Word);
  if (at == 0 || at != Length(Word) - 1) return false;
  const AnsiString stem = Word.substr(0, Word.size() - 2);
  AnsiString modified;
  ModifyCase(stem, modified);
  for (const auto& d : mains_)
    if ((d->GetLanguage() & 0xFF) == kEnglish && (d->WordExists(modified) || d->WordExists(stem))) return true;
  return false;
}

bool TLexemeSpell3Base::IsWordAcceptable(const AnsiString& Word) {
  if (IsInDictionaries(Word)) return true;
  AnsiString modified;
  ModifyCase(Word, modified);
  if (modified != Word && IsInDictionaries(modified)) return true;
  if (englishOpen_ && IsPossessiveForm(Word)) return true;
  // A number needs a digit; looking for one first spares the conversion for every other word.
  Extended number;
  if (HasDigit(Word) && TryStrToFloat(Word, number)) return true;
  if (Word.size() == 1) return true;
  return IsIgnoredByFilters(Word, filterWalker_);
}

bool TLexemeSpell3Base::IsWordExcluded(const AnsiString& Word) {
  EnsureConfiguration();
  if (activeCustom_ && activeCustom_->IsExcluded(Word)) return true;
  for (const auto& d : customs_)
    if (d->IsExcluded(Word)) return true;
  AnsiString replacement;
  return mapping_ && mapping_->GetAutoCorrection(Word, replacement);
}

bool TLexemeSpell3Base::FindAutoCorrection(const AnsiString& Word, AnsiString& Replacement) {
  EnsureConfiguration();
  if (activeCustom_ && activeCustom_->GetAutoCorrection(Word, Replacement)) return true;
  if (internal_->GetAutoCorrection(Word, Replacement)) return true;
  for (const auto& d : customs_)
    if (d->GetAutoCorrection(Word, Replacement)) return true;
  if (mapping_ && MappingAutoReplace && mapping_->GetAutoCorrection(Word, Replacement)) return true;
  if (learning_ && SuggestionsAutoReplace && learning_->GetAutoCorrection(Word, Replacement)) return true;

  // DUal capitals: "THe" becomes "The" when that is a word.
  if (dualCaps_ && Word.size() > 2) {
    const std::string_view head = std::string_view(Word).substr(0, 2), tail = std::string_view(Word).substr(2);
    if (AnsiLowerCase(tail) == tail && AnsiUpperCase(head) == head) {
      AnsiString candidate = Word;
      candidate.replace(1, 1, AnsiLowerCase(Word.substr(1, 1)));
      if (candidate != Word && IsLetter(Word[0]) && IsLetter(Word[1]) && IsWordAcceptable(candidate)) {
        Replacement = candidate;
        return true;
      }
    }
  }
  return false;
}

bool TLexemeSpell3Base::IsRepeatedWord(const AnsiString& Word, TControlParser* Walker) {
  if (!Walker || Word.empty()) return false;
  Integer column = 0, line = 0;
  Walker->GetPos(column, line);
  bool repeated = false;
  bool moved = true;
  for (std::size_t i = 0; i <= Word.size() && moved; ++i) moved = Walker->MovePrev();
  if (moved && Walker->CurChar() == ' ') {
    repeated = true;
    for (std::size_t i = Word.size(); i-- > 0;) {
      if (!Walker->MovePrev() || Walker->CurChar() != Word[i]) {
        repeated = false;
        break;
      }
    }
  }
  Walker->SetPos(column, line, pmCurrent);
  return repeated;
}

// ---------------------------------------------------------------------------------------------
// Suggestions

void TLexemeSpell3Base::IsSuggestionAcceptable(const AnsiString& Word, bool& Accepted) {
  AnsiString modified;
  ModifyCase(Word, modified);
  if (primaryOnly_)
    Accepted = IsInMainDictionaries(Word) || IsInMainDictionaries(modified);
  else
    Accepted = IsInDictionaries(Word) || IsInDictionaries(modified);
  if (!Accepted && englishOpen_) Accepted = IsPossessiveForm(Word);
}

void TLexemeSpell3Base::SuggestionTest(const char* Word, bool& Valid) { IsSuggestionAcceptable(Word, Valid); }

void TLexemeSpell3Base::BuildSuggestions(const AnsiString& Word, TStrings* List, Integer Maximum) {
  if (!List) return;
  AnsiString mapped;
  if (mapping_ && mapping_->GetAutoCorrection(Word, mapped)) {
    List->Add(mapped);
    return;
  }

  TStringList found;
  generator_->GenerateCased(Word, Maximum, TCheckWordEvent(this, &TLexemeSpell3Base::SuggestionTest), &found);
  const Integer edits = found.GetCount();

  if (PhoneticSuggestions && !mains_.empty()) {
    TMainDictionary* first = mains_.front().get();
    if (static_cast<Integer>(first->GetLanguage()) != phonetics_->GetLanguage()) {
      phonetics_->SetLanguage(static_cast<Integer>(first->GetLanguage()));
      if (OnAdjustPhoneticsMap) OnAdjustPhoneticsMap(this);
    }
    first->FindPhoneticMatches(Word, *phonetics_, &found);
    // English rules find little for some misspellings; the general rules get a second pass.
    constexpr bool kSecondPass = true;
    if ((phonetics_->GetLanguage() & 0xFF) == kEnglish && found.GetCount() < 20 && kSecondPass) {
      phonetics_->SetLanguage(0);
      if (OnAdjustPhoneticsMap) OnAdjustPhoneticsMap(this);
      first->FindPhoneticMatches(Word, *phonetics_, &found);
    }
  }

  std::vector<Integer> scores;
  scores.reserve(static_cast<std::size_t>(found.GetCount()));
  for (Integer i = 0; i < found.GetCount(); ++i) scores.push_back(EditDistance(Word, found[i]));
  // Phonetic matches stay only when they are close enough to the word.
  for (Integer i = found.GetCount() - 1; i >= edits; --i)
    if (!phonetics_->WithinDistance(Word, scores[static_cast<std::size_t>(i)])) {
      found.Delete(i);
      scores.erase(scores.begin() + i);
    }

  if (learning_) {
    AnsiString learned;
    if (learning_->GetAutoCorrection(Word, learned)) {
      Integer at = -1;
      for (Integer i = 0; i < found.GetCount() && at < 0; ++i)
        if (found[i] == learned) at = i;
      if (at >= 0) {
        scores[static_cast<std::size_t>(at)] = 0;
      } else {
        found.Insert(0, learned);
        scores.insert(scores.begin(), 0);
      }
    }
    // Words the user chose before rank ahead of others at the same distance.
    for (Integer i = 0; i < found.GetCount(); ++i) {
      Integer& s = scores[static_cast<std::size_t>(i)];
      s = learning_->IsIgnored(found[i]) ? 2 * s - 1 : 2 * s;
    }
  }

  // The exchange sort keeps its own order for equal scores, which the lists rely on.
  for (Integer i = 0; i + 1 < found.GetCount(); ++i)
    for (Integer j = i + 1; j < found.GetCount(); ++j)
      if (scores[static_cast<std::size_t>(i)] > scores[static_cast<std::size_t>(j)]) {
        std::swap(scores[static_cast<std::size_t>(i)], scores[static_cast<std::size_t>(j)]);
        found.Exchange(i, j);
      }

  if (Maximum >= 0)
    while (found.GetCount() > Maximum) found.Delete(found.GetCount() - 1);
  List->Assign(&found);
}

void TLexemeSpell3Base::GetSuggestions(const AnsiString& Word, TStrings* List) {
  EnsureConfiguration();
  BuildSuggestions(Word, List, MaxSuggestions);
}

void TLexemeSpell3Base::LearnReplacement(const AnsiString& Word, const AnsiString& Replacement) {
  if (!learning_) return;
  learning_->AddAutoCorrect(Word, Replacement);
  learning_->AddIgnore(Replacement);
}
