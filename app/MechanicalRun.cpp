#include "app/MechanicalRun.h"

#include "app/BookEditor.h"
#include "app/BookResults.h"
#include "app/CheckingHost.h"
#include "app/TickGuard.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ParagraphingUnit.h"
#include "core/TypesConstants.h"
#include "core/USFMUnit.h"

namespace {

// Replaces every tab by a blank.
AnsiString TabsToBlanks(AnsiString line) {
  for (char& c : line)
    if (c == '\t') c = ' ';
  return line;
}

}  // namespace

TMechanicalRun::TMechanicalRun(TCheckingHost& host, TBookResults& book, TUSFM* usfm)
    : host_(host), book_(book), usfm_(usfm) {}

Cardinal TMechanicalRun::LineInterval() {
  switch (const Integer speed = MyReg->GetMechanicalSpeed()) {
    case 800: case 400: case 200: case 100: case 30: case 5: case 1:
      return static_cast<Cardinal>(speed);
    default:
      return 100;
  }
}

void TMechanicalRun::Start() {
  State = 1;
  firstTick_ = true;
  ended_ = false;
  host_.SetMechanicalTimer(true);
}

void TMechanicalRun::Stop() { host_.SetMechanicalTimer(false); }

void TMechanicalRun::Tick(DWORD now) {
  TTickGuard guard(ticking_);
  if (!guard.Entered()) return;
  try {
    const DWORD elapsed = now - lastTick_;
    int steps = 1;
    if (!firstTick_ && interval_ > 0) steps = static_cast<int>(std::min<DWORD>(elapsed / interval_, MaxStepsPerTick));
    firstTick_ = false;
    lastTick_ = now;
    // The last step of a run (state 0) stops the timer; no step follows it in the same tick.
    for (int i = 0; i < std::max(steps, 1); ++i) {
      const bool last = State == 0;
      Step();
      if (last) break;
    }
    if (linesChanged_) {
      linesChanged_ = false;
      CopyLinesToEditor(book_.BookLines, host_.Editor());
    }
  } catch (const Exception& e) {
    // A check that fails on this book must not fail on every tick: the run ends with the reason.
    AddPlainMessage(e.Message);
    State = 16;
  }
}

void TMechanicalRun::Step() {
  switch (State) {
    case 0:
      host_.SetStatus(spMechanical, "Mechanical proofreading ready");
      host_.SetMechanicalTimer(false);
      ended_ = true;
      break;
    case 1:
      SetUp();
      break;
    case 2:
      WhiteSpaceLine();
      break;
    case 3:
      Line = 0;
      usfm_->Reset();
      usfm_->BookId = BookId(book_.LoadedBook);
      usfm_->FileName = book_.LoadedBookPath;
      ResultsBeforeMarkers = host_.Results()->GetCount();
      if (MyReg->GetUSFMCheck()) host_.SetStatus(spMechanical, "Checking of the Standard Format Markers ...");
      State = 4;
      break;
    case 4:
      MarkerLine();
      break;
    case 5:
      Line = 0;
      if (MyReg->GetStructureCheck()) host_.SetStatus(spMechanical, "Checking the structure of the text ...");
      usfm_->Reset();
      usfm_->BookId = BookId(book_.LoadedBook);
      State = 6;
      break;
    case 6:
      StructureLine();
      break;
    case 7:
      EndBookChecks(usfm_);
      State = 8;
      break;
    case 8:
      if (book_.LoadedBook > OldTestamentBookCount || !MyReg->GetStructureCheck()) {
        State = 16;
      } else {
        host_.SetStatus(spMechanical, "Checking the paragraphing of the text ...");
        State = 9;
      }
      break;
    case 9:
      try {
        CheckParagraphing(book_.LoadedBook, book_.BookLines);
      } catch (const Exception& e) {
        // Without the reference paragraphing (or its map) this step is skipped for the book; the
        // user learns why.
        AddPlainMessage(e.Message);
      }
      State = 10;
      break;
    case 10: case 11: case 12: case 13: case 14: case 15:
      ++State;
      break;
    case 16:
      State = 0;
      break;
    default:
      break;
  }
}

void TMechanicalRun::SetUp() {
  Line = 0;
  host_.Results()->Clear();
  BeginBookChecks();
  interval_ = LineInterval();
  host_.SetMechanicalTimer(true, interval_);
  if (MyReg->GetWhiteSpaceCheck()) host_.SetStatus(spMechanical, "Checking for superfluous white space ...");
  State = 2;
}

bool TMechanicalRun::WhiteSpaceLine() {
  TStringList* lines = book_.BookLines;
  if (!MyReg->GetWhiteSpaceCheck()) Line = lines->GetCount();
  if (Line >= lines->GetCount()) {
    State = 3;
    return false;
  }
  const AnsiString original = lines->GetStrings(Line);
  AnsiString l = original;
  if (l.find('\t') != AnsiString::npos) {
    AddPlainMessage("Superfluous tab characters have been removed from this line: " + l);
    l = TabsToBlanks(l);
  }
  // At most three leading and three trailing blanks go per line and run.
  for (int round = 0; round < 3; ++round) {
    if (!l.empty() && l.front() == ' ') {
      AddPlainMessage("Superflous leading white space has been removed from this line: " + l);
      l.erase(0, 1);
    }
    if (!l.empty() && l.back() == ' ') {
      AddPlainMessage("Superflous trailing white space has been removed from this line: " + l);
      l.pop_back();
    }
  }
  if (l.find("  ") != AnsiString::npos) {
    AddPlainMessage("Superfluous double spaces have been removed from this line: " + l);
    for (std::size_t at; (at = l.find("  ")) != AnsiString::npos;) l.erase(at, 1);
  }
  if (l != original) {
    lines->SetStrings(Line, l);
    linesChanged_ = true;
  }
  if (l.empty() || l == " ") {
    AddPlainMessage("Empty line has been removed");
    lines->Delete(Line);
    linesChanged_ = true;
  } else {
    ++Line;
  }
  return true;
}

bool TMechanicalRun::MarkerLine() {
  TStringList* lines = book_.BookLines;
  if (!MyReg->GetUSFMCheck()) Line = lines->GetCount();
  if (Line < lines->GetCount()) {
    usfm_->CheckLine(lines->GetStrings(Line));
    ++Line;
    return true;
  }
  if (host_.Results()->GetCount() != ResultsBeforeMarkers) {
    AddPlainMessage("As there were one or more problems with the text, further checks have been skipped.");
    AddPlainMessage("Correct the text in Paratext, then save it.");
    State = 16;
  } else {
    State = 5;
  }
  return false;
}

bool TMechanicalRun::StructureLine() {
  TStringList* lines = book_.BookLines;
  if (!MyReg->GetStructureCheck()) Line = lines->GetCount();
  if (Line < lines->GetCount()) {
    CheckStructureLine(usfm_, lines->GetStrings(Line));
    ++Line;
    return true;
  }
  State = 7;
  return false;
}
