// Checking a text with the spell-check component: the check loop over a text walker, the dialog
// commands that act on the word shown, undo, series of checks and silent word counting.
#include "classlib/Forms.h"
#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3ParserBase.h"
#include "spell/lx3SpellBase.h"
#include "spell/lx3StringParser.h"
#include "spell/lx3Util.h"
#include "spell/lx3WinAPIParser.h"

namespace {

// A stretch without a stop longer than this shows the hourglass.
constexpr DWORD kHourglassDelay = 1000;

Integer LengthOf(const AnsiString& s) { return static_cast<Integer>(s.size()); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Starting and stopping

void TLexemeSpell3Base::FreeWalkerIfOwned(TControlParser* Walker) {
  if (freesWalker_) delete Walker;
}

void TLexemeSpell3Base::ReleaseCallerWalker(TControlParser* Walker) {
  if (freesWalker_) return;
  // A check that still runs (one that does not wait for its end) keeps its walker to the end.
  if (running_ && walker_ == Walker)
    walkerAdopted_ = true;
  else
    delete Walker;
}

void TLexemeSpell3Base::CheckText(AnsiString& Text) {
  auto* walker = new TStringParser();
  walker->Init(Text);
  CheckWithWalker(walker, ckWholeText);
  ReleaseCallerWalker(walker);
}

void TLexemeSpell3Base::CheckWindow(HWND Window, Integer CheckKind) {
  auto* walker = new TWinAPIControlParser();
  walker->Init(Window);
  CheckWithWalker(walker, CheckKind);
  ReleaseCallerWalker(walker);
}

void TLexemeSpell3Base::CheckWindowAsRichEdit(HWND Window, Integer CheckKind) {
  auto* walker = new TWinAPIControlParser();
  walker->Init(Window);
  walker->SetControlKind(TWinAPIControlParser::ckRichEdit1);
  CheckWithWalker(walker, CheckKind);
  ReleaseCallerWalker(walker);
}

void TLexemeSpell3Base::CheckControl(TWinControl* Control, Integer CheckKind) {
  if (!Control) return;
  auto* walker = new TWinAPIControlParser();
  walker->Init(Control);
  CheckWithWalker(walker, CheckKind);
  ReleaseCallerWalker(walker);
}

void TLexemeSpell3Base::CheckWithWalker(TControlParser* Walker, Integer CheckKind) {
  if (!Walker) return;
  if (running_ || (seriesRunning_ && cancelled_)) {
    FreeWalkerIfOwned(Walker);
    return;
  }
  if (CheckKind == ckAroundCursor) {
    CheckAroundCursor(Walker);
    return;
  }
  changed_ = false;
  running_ = true;
  cancelled_ = false;
  EnsureConfiguration();
  walker_ = filterWalker_ = Walker;
  Walker->GetCursor(startColumn_, startLine_);
  previousWord_.clear();
  repeated_ = false;
  engine_->Initialize(Walker, CheckKind);
  ClearUndo();
  if (!seriesRunning_) {
    wordsChecked_ = 0;
    rankCountdown_ = 100;
  }
  if (DialogShowImmediate) ShowSpellDialog();
  RankMainDictionaries();
  // A modal dialog shown at once starts the loop from its show handler.
  if (!(DialogShowImmediate && DialogShowModal)) ContinueCheck();
  if (!SynchronousCheck) return;
  // The dialog's buttons (or the application, with the silent interface) drive the check from
  // here on; the call returns when the check has ended.
  while (running_) {
    Application->HandleMessage();
    if (Application->GetTerminated()) {
      // The application is closing: the check ends where it stands.
      StopCheck(true);
      break;
    }
  }
}

void TLexemeSpell3Base::ShowHourglass(DWORD startTicks) {
  if (!UseHourglassCursor || hourglass_ || GetTickCount() - startTicks <= kHourglassDelay) return;
  savedCursor_ = Screen->GetCursor();
  Screen->SetCursor(crHourGlass);
  hourglass_ = true;
}

void TLexemeSpell3Base::RestoreCursor() {
  if (!hourglass_) return;
  Screen->SetCursor(savedCursor_);
  hourglass_ = false;
}

void TLexemeSpell3Base::ContinueCheck() {
  if (!HasCheck()) return;
  const DWORD start = GetTickCount();
  for (;;) {
    AnsiString word;
    engine_->GetNextWord(word);
    if (word.empty()) {
      RestoreCursor();
      FinishCheck();
      return;
    }
    ++wordsChecked_;
    if (rankCountdown_ > 0 && --rankCountdown_ == 0) RankMainDictionaries();
    currentWord_ = word;

    TWordCheckType verdict = wcNotFound;
    AnsiString replacement;
    if (IsWordAcceptable(word)) {
      verdict = wcAccepted;
      if (UseExcludeWords && IsWordExcluded(word)) {
        verdict = FindAutoCorrection(word, replacement) ? wcAutoCorrect : wcExcluded;
      } else if (UseAutoCorrectFirst && FindAutoCorrection(word, replacement)) {
        verdict = wcAutoCorrect;
      } else if (repeatedOption_) {
        if (word == previousWord_ && IsRepeatedWord(word, walker_)) verdict = wcRepeated;
        previousWord_ = word;
      }
    } else if (FindAutoCorrection(word, replacement)) {
      verdict = wcAutoCorrect;
    }
    if (OnWordCheck) OnWordCheck(this, word, verdict, replacement);
    if (!HasCheck()) return;  // the handler ended the check

    if (verdict == wcAutoCorrect) {
      // Marked first, so that the undo record holds the start of the word.
      walker_->MarkBack(LengthOf(word));
      RecordUndo(uaChange, replacement, true);
      ReplaceCurrentWord(replacement, psAutoCorrect);
    }
    ShowHourglass(start);
    if (verdict != wcExcluded && verdict != wcNotFound && verdict != wcRepeated) continue;

    RestoreCursor();
    repeated_ = verdict == wcRepeated;
    if (repeated_) currentWord_ = word + " " + word;
    walker_->MarkBack(LengthOf(currentWord_));
    walker_->ScrollToWord();
    ShowSpellDialog();
    if (running_) PromptWord();
    return;
  }
}

void TLexemeSpell3Base::CheckAroundCursor(TControlParser* Walker) {
  const bool synchronous = SynchronousCheck;
  const bool freesWalker = freesWalker_;
  SynchronousCheck = true;
  freesWalker_ = false;
  BeginCheckSeries();
  Integer startColumn = 0, startLine = 0, endColumn = 0, endLine = 0;
  Walker->GetSelection(startColumn, startLine, endColumn, endLine);
  if (startColumn == endColumn && startLine == endLine) {
    CheckWithWalker(Walker, ckFromCursor);
    Walker->SetPos(0, 0, pmCurrent);
    Walker->SetPos(startColumn, startLine, pmEnd);
    CheckWithWalker(Walker, ckRange);
  } else {
    CheckWithWalker(Walker, ckSelection);
    // The question belongs to the dialog interface; a silent check covers the selection only.
    if (!cancelled_ && UIType == suiDialog) {
      if (Application->MessageBox(GetString(60), GetString(14), MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        Walker->SetPos(endColumn, endLine, pmCurrent);
        Walker->SetPos(2147483647, 2147483647, pmEnd);
        CheckWithWalker(Walker, ckRange);
        Walker->SetPos(0, 0, pmCurrent);
        Walker->SetPos(startColumn, startLine, pmEnd);
        CheckWithWalker(Walker, ckRange);
      } else {
        cancelled_ = true;
      }
    }
  }
  EndCheckSeries();
  SynchronousCheck = synchronous;
  freesWalker_ = freesWalker;
  FreeWalkerIfOwned(Walker);
}

void TLexemeSpell3Base::FinishCheck() {
  if (!running_) return;
  if (OnCompleteCheck) OnCompleteCheck(this);
  ShowEndMessage();
  if (!cancelled_ && walker_) {
    switch (EndCursorPosition) {
      case epHome:
        walker_->SetPos(0, 0, pmCurrent);
        break;
      case epOriginal:
        walker_->SetPos(startColumn_, startLine_, pmCurrent);
        break;
      case epNoModify:
        break;
    }
    walker_->MarkBack(0);
  }
  TControlParser* walker = walker_;
  walker_ = filterWalker_ = nullptr;
  engine_->Initialize(nullptr, ckWholeText);
  if (walkerAdopted_) delete walker;
  else FreeWalkerIfOwned(walker);
  walkerAdopted_ = false;
  HideSpellDialog();
  ClearUndo();
  running_ = false;
  ReleaseDictionaries();
}

void TLexemeSpell3Base::StopCheck(bool Cancelled) {
  if (!running_) return;
  cancelled_ = Cancelled;
  FinishCheck();
}

bool TLexemeSpell3Base::IsChecking() const { return running_; }

void TLexemeSpell3Base::BeginCheckSeries() {
  wordsChecked_ = 0;
  rankCountdown_ = 100;
  cancelled_ = false;
  seriesRunning_ = true;
  seriesCloseAtEnd_ = closeAtEnd_;
  seriesKeepActive_ = keepDictionariesActive_;
  closeAtEnd_ = false;
  SetKeepDictionariesActive(true);
}

void TLexemeSpell3Base::EndCheckSeries() {
  if (!seriesRunning_) return;
  seriesRunning_ = false;
  closeAtEnd_ = true;
  ShowEndMessage();
  CloseSpellDialog();
  closeAtEnd_ = seriesCloseAtEnd_;
  SetKeepDictionariesActive(seriesKeepActive_);
}

// ---------------------------------------------------------------------------------------------
// The current word in the text

void TLexemeSpell3Base::ReplaceCurrentWord(const AnsiString& Replacement, Integer State) {
  if (!walker_) return;
  if (!changed_) {
    changed_ = true;
    if (OnBeforeChange) OnBeforeChange(this);
  }
  if (OnParserReplaceWord) OnParserReplaceWord(this, true, Replacement, State);
  walker_->ReplaceWord(Replacement, State);
  if (OnParserReplaceWord) OnParserReplaceWord(this, false, Replacement, State);
}

void TLexemeSpell3Base::PassOverCurrentWord(Integer State) {
  if (!walker_) return;
  if (OnParserIgnoreWord) OnParserIgnoreWord(this, true, State);
  passOverListeners_->Call(this, State);
  walker_->SkipMarked();
  if (OnParserIgnoreWord) OnParserIgnoreWord(this, false, State);
  passOverListeners_->Call(this, State | kPassedOver);
}

void TLexemeSpell3Base::WalkerUndo(Integer State, TSpellAction Action, Integer& Data) {
  if (OnParserUndoLast) OnParserUndoLast(this, State, Action, Data);
  if (walker_) walker_->UndoLast(State, Action, Data);
}

// ---------------------------------------------------------------------------------------------
// Dialog commands

void TLexemeSpell3Base::DialogIgnore() {
  if (!HasCheck()) return;
  RecordUndo(uaIgnore, AnsiString(), false);
  PassOverCurrentWord(psIgnore);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogIgnoreAll() {
  if (!HasCheck() || repeated_) return;
  RecordUndo(uaIgnoreAll, AnsiString(), false);
  internal_->AddIgnore(currentWord_);
  PassOverCurrentWord(psIgnoreAll);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogChange(const AnsiString& Replacement) {
  if (!HasCheck() || repeated_) return;
  const AnsiString word = currentWord_;
  RecordUndo(uaChange, Replacement, false);
  ReplaceCurrentWord(Replacement, psChange);
  if (RecheckReplacedWords) {
    // Back to the start of the replacement, so that it is checked too.
    Integer column = 0, line = 0;
    walker_->GetPos(column, line);
    walker_->SetPos(column - LengthOf(Replacement), line, pmCurrent);
  }
  LearnReplacement(word, Replacement);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogChangeAll(const AnsiString& Replacement) {
  if (!HasCheck() || repeated_) return;
  RecordUndo(uaChangeAll, Replacement, false);
  internal_->AddAutoCorrect(currentWord_, Replacement);
  LearnReplacement(currentWord_, Replacement);
  ReplaceCurrentWord(Replacement, psChangeAll);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogAdd() {
  if (!HasCheck() || repeated_) return;
  RecordUndo(uaAdd, AnsiString(), false);
  if (activeCustom_) activeCustom_->AddIgnore(currentWord_);
  PassOverCurrentWord(psAdd);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogAutoCorrect(const AnsiString& Replacement) {
  if (!HasCheck() || repeated_) return;
  RecordUndo(uaAutoCorrect, Replacement, false);
  if (activeCustom_) activeCustom_->AddAutoCorrect(currentWord_, Replacement);
  LearnReplacement(currentWord_, Replacement);
  ReplaceCurrentWord(Replacement, psAutoCorrect);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogUndo() {
  if (!HasCheck()) return;
  if (CanUndo()) UndoLastAction();
  ContinueCheck();
}

void TLexemeSpell3Base::DialogIgnoreRepeated() { DialogIgnore(); }

void TLexemeSpell3Base::DialogDeleteRepeated() {
  if (!HasCheck() || !repeated_) return;
  const AnsiString single = currentWord_.substr(0, currentWord_.size() / 2);
  RecordUndo(uaChange, single, false);
  ReplaceCurrentWord(single, psChange);
  ContinueCheck();
}

void TLexemeSpell3Base::DialogCancel() {
  if (!running_) return;
  cancelled_ = true;
  FinishCheck();
}

void TLexemeSpell3Base::ResumeAtCursor() {
  if (!HasCheck()) return;
  ClearUndo();
  Integer lastColumn = 0, lastLine = 0, cursorColumn = 0, cursorLine = 0;
  walker_->GetPos(lastColumn, lastLine);
  lastColumn = std::max<Integer>(0, lastColumn - LengthOf(currentWord_));
  walker_->GetCursor(cursorColumn, cursorLine);
  Integer column = cursorColumn, line = cursorLine;
  if (ResumeFromLastPosition && (lastLine < cursorLine || (lastLine == cursorLine && lastColumn < cursorColumn))) {
    column = lastColumn;
    line = lastLine;
  }
  engine_->StartAt(column, line);
  ContinueCheck();
}

// ---------------------------------------------------------------------------------------------
// Undo

void TLexemeSpell3Base::RecordUndo(TSpellAction Action, const AnsiString& Replacement, bool Automatic) {
  if (!walker_ || MaxUndo == 0) return;
  auto record = std::make_unique<TLexemeUndo>();
  walker_->GetCursor(record->Column, record->Line);
  record->Word = currentWord_;
  record->Replacement = Replacement;
  record->Action = Action;
  record->Automatic = Automatic;
  WalkerUndo(0, Action, record->WalkerData);
  undo_.push_back(std::move(record));
  while (MaxUndo != -1 && GetUndoCount() > MaxUndo) undo_.erase(undo_.begin());
}

void TLexemeSpell3Base::UndoLastAction() {
  if (undo_.empty() || !walker_) return;
  TLexemeUndo& r = *undo_.back();
  WalkerUndo(1, r.Action, r.WalkerData);
  // Puts the word back in place of its replacement and returns to the word's start.
  auto restore = [&](Integer state) {
    walker_->SetPos(r.Column + LengthOf(r.Replacement), r.Line, pmCurrent);
    walker_->MarkBack(LengthOf(r.Replacement));
    ReplaceCurrentWord(r.Word, state);
    walker_->SetPos(r.Column, r.Line, pmCurrent);
  };
  switch (r.Action) {
    case uaIgnore:
      walker_->SetPos(r.Column, r.Line, pmCurrent);
      break;
    case uaIgnoreAll:
      internal_->RemoveIgnore(r.Word);
      walker_->SetPos(r.Column, r.Line, pmCurrent);
      break;
    case uaChange:
      restore(psUndoChange);
      break;
    case uaChangeAll:
      internal_->RemoveAutoCorrect(r.Word);
      restore(psUndoChangeAll);
      break;
    case uaAdd:
      if (activeCustom_) activeCustom_->RemoveIgnore(r.Word);
      walker_->SetPos(r.Column, r.Line, pmCurrent);
      break;
    case uaAutoCorrect:
      if (activeCustom_) activeCustom_->RemoveAutoCorrect(r.Word);
      internal_->RemoveAutoCorrect(r.Word);
      restore(psUndoAutoCorrect);
      break;
    default:
      break;
  }
  WalkerUndo(2, r.Action, r.WalkerData);
  const bool automatic = r.Automatic;
  undo_.pop_back();
  if (automatic) UndoLastAction();
}

// ---------------------------------------------------------------------------------------------
// Counting words

void TLexemeSpell3Base::CountWords(TControlParser* Walker, Integer CheckKind, Integer& Words, Integer& Errors,
                                   bool& AnyError, bool StopAtFirstError, bool CountErrors) {
  Words = Errors = 0;
  AnyError = false;
  if (!Walker) return;
  if (CheckKind != ckSelection && CheckKind != ckWholeText) {
    FreeWalkerIfOwned(Walker);
    return;
  }
  EnsureConfiguration();
  Integer cursorColumn = 0, cursorLine = 0;
  Walker->GetCursor(cursorColumn, cursorLine);

  // A word breaker of its own, so that a running check keeps its place; it cuts words as the
  // component's own does.
  TMainParsingEngine counter;
  if (const auto* own = dynamic_cast<const TMainParsingEngine*>(engine_)) {
    counter.SetWordChars(own->GetWordChars());
    counter.SetBreakChars(own->GetBreakChars());
    counter.SetTrimChars(own->GetTrimChars());
    counter.NoStartChars = own->NoStartChars;
  }
  counter.OnPreviewChar = TPreviewCharEvent(this, &TLexemeSpell3Base::FilterPreviewChar);
  counter.OnWordFound = TWordFoundEvent(this, &TLexemeSpell3Base::FilterPreviewWord);
  counter.Initialize(Walker, CheckKind);

  TControlParser* const checkWalker = filterWalker_;
  filterWalker_ = Walker;
  const DWORD start = GetTickCount();
  AnsiString previous, word;
  for (counter.GetNextWord(word); !word.empty(); counter.GetNextWord(word)) {
    ++Words;
    ShowHourglass(start);
    if (!CountErrors) continue;
    bool error = true;
    if (IsWordAcceptable(word)) {
      error = UseExcludeWords && IsWordExcluded(word);
      if (!error && repeatedOption_) {
        error = word == previous && IsRepeatedWord(word, Walker);
        previous = word;
      }
    }
    if (error) {
      ++Errors;
      if (StopAtFirstError) break;
    }
  }
  filterWalker_ = checkWalker;

  if (EndCursorPosition == epHome)
    Walker->SetPos(0, 0, pmCurrent);
  else if (EndCursorPosition == epOriginal)
    Walker->SetPos(cursorColumn, cursorLine, pmCurrent);
  Walker->MarkBack(0);
  RestoreCursor();
  FreeWalkerIfOwned(Walker);
  AnyError = Errors > 0;
}

Integer TLexemeSpell3Base::CountWordsWithWalker(TControlParser* Walker, Integer CheckKind) {
  Integer words = 0, errors = 0;
  bool anyError = false;
  CountWords(Walker, CheckKind, words, errors, anyError, false, false);
  return words;
}

Integer TLexemeSpell3Base::CountWordsInText(AnsiString& Text) {
  auto* walker = new TStringParser();
  walker->Init(Text);
  const Integer words = CountWordsWithWalker(walker, ckWholeText);
  ReleaseCallerWalker(walker);
  return words;
}

Integer TLexemeSpell3Base::CountWordsInWindow(HWND Window, Integer CheckKind) {
  auto* walker = new TWinAPIControlParser();
  walker->Init(Window);
  const Integer words = CountWordsWithWalker(walker, CheckKind);
  ReleaseCallerWalker(walker);
  return words;
}
