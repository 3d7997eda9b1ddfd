#include "app/SpellTimerRun.h"

#include "app/BookResults.h"
#include "app/CheckingHost.h"
#include "app/IdleWait.h"
#include "app/TickGuard.h"
#include "classlib/CommandLines.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"

AnsiString WithoutFilteredChars(const AnsiString& word) {
  AnsiString rest;
  rest.reserve(word.size());
  for (const AnsiChar c : word)
    if (!FilteredOutChars.Contains(c)) rest += c;
  return rest;
}

bool TFilterWordIgnore::IgnoreWord(const AnsiString& Word, TControlParser*) {
  const AnsiString rest = WithoutFilteredChars(Word);
  return rest.size() != Word.size() && spell_->IsWordAcceptable(rest);
}

TSpellTimerRun::TSpellTimerRun(TCheckingHost& host, TSpellCheckPeer& spell, THelperLink& helper, TIdleWaits& idle,
                               TBookResults& book, TSpellingHelperState& helperState,
                               const AnsiString& helperFolder, const AnsiString& helperFileName)
    : host_(host),
      spell_(spell),
      helper_(helper),
      idle_(idle),
      book_(book),
      helperState_(helperState),
      helperFolder_(helperFolder),
      helperFileName_(helperFileName) {}

void TSpellTimerRun::Tick() {
  TTickGuard guard(ticking_);
  if (guard.Entered()) Step();
}

void TSpellTimerRun::Step() {
  // An interactive check changes the text under the walker: the book is checked again from its
  // first word once the check is over.
  if (spell_.ComponentBusy()) SpellState = 1;
  switch (SpellState) {
    case 0:
      spell_.SetTimerInterval(1000);
      break;
    case 1:
      spell_.SetTimerInterval(5000);
      SpellState = 2;
      break;
    case 2:
      spell_.SetTimerInterval(1000);
      SpellState = spell_.ComponentBusy() ? 1 : 3;
      break;
    case 3:
      host_.SetStatus(spCycle, "Spelling checking ...");
      book_.BookSpellingErrors->Clear();
      book_.SpellingErrorCount = 0;
      spell_.SetTimerInterval(WordIntervalMs);
      if (spell_.ComponentBusy()) {
        SpellState = 1;
      } else {
        spell_.StartWords();
        SpellState = 4;
      }
      break;
    case 4:
      // Words until the tick has used its share, or until a word is put to the helper (one
      // question at a time) or the text ends.
      spell_.StartTickBudget();
      do NextWordStep();
      while (SpellState == 4 && !spell_.TickBudgetSpent());
      break;
    case 5:
      if (idle_.IdleWaitDone(TIdleWaits::HelperChannel)) SpellState = 6;
      break;
    case 6:
      AnswerStep();
      break;
    case 7:
      AskHelper();
      break;
    default:
      break;
  }
}

void TSpellTimerRun::NextWordStep() {
  CurrentWord = spell_.NextWord();
  if (CurrentWord.empty()) {
    SpellState = 0;
    host_.SetStatus(spCycle, "Spelling check ready");
    spell_.DisableTimer();
    book_.SpellingCheckFinished();
    return;
  }
  if (spell_.IsWordAcceptable(CurrentWord)) return;
  CurrentWord = WithoutFilteredChars(CurrentWord);
  if (book_.KnownBadWords->IndexOf(CurrentWord) >= 0) {
    book_.BookSpellingErrors->Add(CurrentWord);
    ++book_.SpellingErrorCount;
  } else if (book_.BookSpellingErrors->IndexOf(CurrentWord) >= 0) {
    book_.KnownBadWords->Add(CurrentWord);
  } else if (!HelperAvailable()) {
    CountMisspelt(CurrentWord);
  } else {
    AskHelper();
  }
}

void TSpellTimerRun::AskHelper() {
  if (!helperState_.Linked) {
    const TDdeOpenProgress progress = LinkHelper();
    if (progress == dopStarting) {
      spell_.SetTimerInterval(HelperStartIntervalMs);
      SpellState = 7;
      return;
    }
    spell_.SetTimerInterval(WordIntervalMs);
    if (progress == dopFailed || !helperState_.Linked) {
      HelperDidNotAnswer();
      CountMisspelt(CurrentWord);
      SpellState = 4;
      return;
    }
  }
  helper_.Ask(CurrentWord);
  helperState_.Status = "Enquiring about " + CurrentWord;
  idle_.StartIdleWait(TIdleWaits::HelperChannel, HelperWaitMs);
  SpellState = 5;
}

void TSpellTimerRun::AnswerStep() {
  AnsiString answer;
  // When the helper closed the conversation meanwhile, the word is not approved; the next
  // question opens the link again.
  const bool answered = !helperState_.Linked || helper_.Answer(answer);
  if (helperState_.Linked && answer.substr(0, 3) == "Yes") {
    spell_.AcceptWord(CurrentWord);
    helperState_.Status = "Approved of " + CurrentWord;
  } else {
    book_.KnownBadWords->Add(CurrentWord);
    book_.BookSpellingErrors->Add(CurrentWord);
    ++book_.SpellingErrorCount;
    helperState_.Status = "Disapproved of " + CurrentWord;
  }
  if (!answered) HelperDidNotAnswer();
  SpellState = 4;
}

void TSpellTimerRun::CountMisspelt(const AnsiString& word) {
  book_.BookSpellingErrors->Add(word);
  ++book_.SpellingErrorCount;
  book_.KnownBadWords->Add(word);
}

TDdeOpenProgress TSpellTimerRun::LinkHelper() {
  const AnsiString service = ChangeFileExt(helperFileName_, "");
  // The helper is started by its path in quotes: a blank in its folder must not split it.
  const TDdeOpenProgress progress = helper_.Open(service, QuotedArgument(helperFolder_ + service));
  helperState_.Status = "Making a link";
  return progress;
}

void TSpellTimerRun::HelperDidNotAnswer() {
  if (helperSilent_) return;
  helperSilent_ = true;
  helperState_.Status = HelperSilentText;
  host_.SetStatus(spCycle, HelperSilentText);
}

void TSpellTimerRun::WordCheck(const AnsiString& word, TWordCheckType& checkType) {
  if (checkType != wcNotFound) return;
  const AnsiString rest = WithoutFilteredChars(word);
  if (spell_.IsWordAcceptable(rest)) {
    checkType = wcAccepted;
    return;
  }
  if (book_.KnownBadWords->IndexOf(rest) >= 0 || book_.BookSpellingErrors->IndexOf(rest) >= 0 ||
      !HelperAvailable())
    return;
  if (!helperState_.Linked) {
    // The dialog does not wait for a starting helper: this word stays unknown, and the words
    // after it find the link open.
    const TDdeOpenProgress progress = LinkHelper();
    if (progress == dopFailed) HelperDidNotAnswer();
    if (progress != dopOpen || !helperState_.Linked) return;
  }
  helper_.Ask(rest);
  AnsiString answer;
  const bool answered = helper_.Answer(answer);
  if (answer.substr(0, 3) == "Yes") {
    spell_.AcceptWord(rest);
    checkType = wcAccepted;
  } else {
    book_.KnownBadWords->Add(rest);
  }
  if (!answered) HelperDidNotAnswer();
}
