#include "app/SpellAllRun.h"

#include "app/BookResults.h"
#include "app/CheckingHost.h"
#include "app/SpellTimerRun.h"
#include "app/TickGuard.h"
#include "classlib/StringLists.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"

TSpellAllRun::TSpellAllRun(TCheckingHost& host, TSpellCheckPeer& spell, TBookResults& book)
    : host_(host), spell_(spell), book_(book) {}

void TSpellAllRun::Start() {
  State = 0;
  ticking_ = false;
  // The cancelled flag of a run cancelled before stays set until the next check starts: a new
  // run must not take it for its own.
  BookCheckStarted = false;
}

void TSpellAllRun::Tick() {
  TTickGuard guard(ticking_);
  if (guard.Entered() && !spell_.ComponentBusy()) Step();
}

void TSpellAllRun::Step() {
  if (BookCheckStarted && spell_.CheckCancelled()) {
    spell_.DisableAllBooksTimer();
    host_.SetStatus(spCycle, "Checks cancelled");
    spell_.SetEndMessage(emExceptCancel);
    return;
  }
  switch (State) {
    case 0:
      book_.Scripture->Load(-1);
      CurrentBook = 0;
      State = 1;
      spell_.SetEndMessage(emNever);
      break;
    case 1:
      NextBook();
      break;
    default:
      break;
  }
}

void TSpellAllRun::NextBook() {
  int first = 0, last = 0;
  TestamentRange(MyReg->GetTestament(), first, last);
  TStrings* names = book_.Scripture->BookNames;
  int next = 0;
  for (int i = 0; i < names->GetCount() && !next; ++i) {
    const int book = BookNumberFromEnglishName(names->GetStrings(i));
    if (book > CurrentBook && book >= first && book <= last) next = book;
  }
  if (!next) {
    spell_.DisableAllBooksTimer();
    host_.SetStatus(spCycle, "All checks done");
    spell_.SetEndMessage(emExceptCancel);
    spell_.ShowAllBooksFinished();
    return;
  }
  CurrentBook = next;
  // A book that cannot be loaded is passed over: checking would show the previous book again.
  if (!book_.LoadBookAndResults(next)) return;
  spell_.CheckEditor();
  BookCheckStarted = true;
}
