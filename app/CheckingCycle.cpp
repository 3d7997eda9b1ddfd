#include "app/CheckingCycle.h"

#include "app/BookResults.h"
#include "app/CheckingHost.h"
#include "app/MechanicalRun.h"
#include "app/TickGuard.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

// The project folder of a work folder ("D:\Project\Pelorin\" gives "D:\Project").
AnsiString ProjectFolderOf(const AnsiString& workFolder) {
  return ExcludeTrailingBackslash(ExtractFilePath(ExcludeTrailingBackslash(workFolder)));
}

}  // namespace

TCheckingCycle::TCheckingCycle(TCheckingHost& host, TBookResults& book, TMechanicalRun& mechanical)
    : host_(host), book_(book), mechanical_(mechanical) {}

void TCheckingCycle::Restart() {
  // A book in the editor gets its results before the cycle starts again: the lists never stay
  // those of the book before it.
  if (ResultsPending()) book_.LoadResults(PendingBook());
  State = 1;
  host_.SetCheckInterval(IntervalMs);
}

void TCheckingCycle::StopChecks() {
  host_.StopSpellingCheck();
  mechanical_.Stop();
}

void TCheckingCycle::FolderChanged() {
  StopChecks();
  Restart();
}

void TCheckingCycle::Tick() {
  TTickGuard guard(ticking_);
  if (guard.Entered()) Step();
}

void TCheckingCycle::Step() {
  if (host_.InteractiveSpellCheckRunning()) {
    Restart();
    return;
  }
  const bool paratextRunning = host_.ParatextRunning();
  if (paratextRunning != LastParatextRunning) {
    LastParatextRunning = paratextRunning;
    StopChecks();
    Restart();
  }
  if (paratextRunning) {
    const AnsiString id = host_.FocusReference().substr(0, 3);
    if (id != LastBookId) {
      StopChecks();
      Restart();
      LastBookId = id;
    }
  } else {
    host_.ShowCurrentBookButton("");
  }
  if (RestartRequested) {
    StopChecks();
    RestartRequested = false;
    Restart();
  }
  if (ManualHold) {
    // Setting the state to 1 here keeps the cycle from getting past its initialisation.
    Restart();
    mechanical_.Stop();
    if (!host_.WindowActive()) ManualHold = false;
    if (++HoldTicks > MaxHoldTicks) ManualHold = false;
  }

  switch (State) {
    case 1:
      State = 2;
      break;
    case 2:
      Initialise();
      break;
    case 100:
      CurrentBookStep();
      break;
    case 104:
    case 204:
    case 205:
      ResultsStep();
      break;
    case 101:
    case 202:
      StartChecks();
      break;
    case 102:
      if (FinishChecks()) State = 200;
      break;
    case 200:
      host_.SetCheckInterval(ScanIntervalMs);
      CurrentBook = 0;
      State = 201;
      break;
    case 201:
      NextBookStep();
      break;
    case 203:
      if (FinishChecks()) State = 201;
      break;
    default:
      break;
  }
}

void TCheckingCycle::Initialise() {
  host_.SetStatus(spCycle, "Initializing check ...");
  host_.SetCheckInterval(IntervalMs);
  TScripture* scripture = book_.Scripture;
  scripture->Load(-1);
  book_.RecordBookAges();
  const bool paratextRunning = host_.ParatextRunning();
  host_.WatchProjectFolder(ProjectFolderOf(scripture->WorkFolder), paratextRunning);
  book_.RecountNeeded = true;
  host_.ShowBookNames(scripture->BookNames);
  CurrentBookId = host_.FocusReference().substr(0, 3);
  if (paratextRunning) {
    // The book shown in Paratext is checked after a pause of 5 s.
    State = 100;
    host_.SetCheckInterval(5000);
  } else {
    State = 200;
  }
  if (MyReg->GetUseSpellingHelper()) {
    const AnsiString helper = ReadSettingString("Spelling helper application");
    HelperFolder = ExtractFilePath(helper);
    HelperFileName = ExtractFileName(helper);
  } else {
    HelperFolder.clear();
    HelperFileName.clear();
  }
}

void TCheckingCycle::CurrentBookStep() {
  host_.SetCheckInterval(IntervalMs);
  CurrentBook = BookNumberFromId(CurrentBookId);
  host_.ShowCurrentBookButton(CurrentBook ? EnglishBookName(CurrentBook) : AnsiString());
  // A reference that names no book leaves nothing to check first: the scan goes on.
  if (CurrentBook && !book_.ResultsUpToDate(CurrentBook)) {
    State = book_.LoadBook(CurrentBook) ? 104 : 200;
  } else {
    host_.ResetSpellingCheck();
    State = 200;
  }
}

void TCheckingCycle::NextBookStep() {
  TScripture* scripture = book_.Scripture;
  int next = 0;
  for (int i = 0; i < scripture->BookNames->GetCount() && !next; ++i) {
    const int book = BookNumberFromEnglishName(scripture->BookNames->GetStrings(i));
    if (book > CurrentBook) next = book;
  }
  if (next) {
    CurrentBook = next;
    if (!book_.ResultsUpToDate(next) && book_.LoadBook(next)) {
      State = 204;
    } else {
      host_.ResetSpellingCheck();
    }
    return;
  }
  host_.SetStatus(spCycle, "All checks done");
  // The book Paratext shows is loaded again once the scan is over.
  const int shown = host_.ParatextRunning() ? BookNumberFromId(CurrentBookId) : 0;
  if (shown && book_.LoadBook(shown)) {
    State = 205;
  } else {
    EndScan();
  }
}

bool TCheckingCycle::ResultsPending() const { return State == 104 || State == 204 || State == 205; }

int TCheckingCycle::PendingBook() const { return State == 205 ? BookNumberFromId(CurrentBookId) : CurrentBook; }

void TCheckingCycle::ResultsStep() {
  const bool loaded = book_.LoadResults(PendingBook());
  switch (State) {
    case 104:
      State = loaded ? 101 : 200;
      break;
    case 204:
      // A book that cannot be loaded with its results is passed over: nothing is written for it.
      if (loaded) {
        State = 202;
      } else {
        host_.ResetSpellingCheck();
        State = 201;
      }
      break;
    default:
      if (loaded) host_.SetStatus(spBook, EnglishBookName(PendingBook()));
      EndScan();
      break;
  }
}

void TCheckingCycle::EndScan() {
  State = 0;
  host_.SetCheckInterval(IdleIntervalMs);
}

void TCheckingCycle::StartChecks() {
  host_.StartSpellingCheck();
  mechanical_.Start();
  State = State == 101 ? 102 : 203;
}

bool TCheckingCycle::FinishChecks() {
  if (!host_.SpellingCheckIdle() || !mechanical_.Idle()) return false;
  book_.ChecksFinished();
  book_.WriteResultsFile();
  return true;
}

void TCheckingCycle::OpenBookManually(const AnsiString& englishName) {
  ManualHold = true;
  HoldTicks = 0;
  StopChecks();
  Restart();
  const int book = BookNumberFromEnglishName(englishName);
  book_.LoadBookAndResults(book);
  host_.SetStatus(spBook, englishName);
  host_.SetStatus(spCycle, "Book opened manually");
  host_.SetStatus(spMechanical, "Number of spelling errors: " + (book_.ResultsUpToDate(book)
                                                                    ? IntToStr(book_.StoredSpellingErrorCount)
                                                                    : AnsiString("not yet defined")));
  CurrentBook = book;
}
