#include "app/ProgramsLink.h"
#include "app/TickGuard.h"

#include "classlib/DdeMan.h"
#include "classlib/Strings.h"
#include "core/FocusLink.h"
#include "core/MyRegistry.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

const char* const ParatextWindowTitle = "Paratext 6";
const char* const BibleWorksWindowTitle = "BibleWorks - ";
const char* const BibleWorksTopic = "Commands";

AnsiString BibleWorksProgramName() {
  AnsiString name = ReadSettingString("BibleWorks Filename");
  const std::size_t exe = name.find(".exe");
  if (exe != AnsiString::npos) name.erase(exe, 4);
  return name;
}

// --- The real outside world -------------------------------------------------------------------

TSystemLinkPeers::TSystemLinkPeers(TDdeClientConv* conversation) : conversation_(conversation) {
  conversation_->SetConnectMode(ddeManual);
  conversation_->Timeout = RequestTimeout;
}

bool TSystemLinkPeers::WindowExists(const AnsiString& title) { return FindWindowByTitle(title); }

AnsiString TSystemLinkPeers::FocusReference() { return GetFocusReference(); }

bool TSystemLinkPeers::BibleWorksLinked() { return conversation_->GetConv() != nullptr; }

bool TSystemLinkPeers::OpenBibleWorksLink(const AnsiString& service, const AnsiString& topic) {
  conversation_->SetLink(service, topic);
  return conversation_->OpenLink();
}

void TSystemLinkPeers::SendToBibleWorks(const AnsiString& macro) { conversation_->ExecuteMacro(macro, false); }

AnsiString TSystemLinkPeers::AskBibleWorks(const AnsiString& item) { return conversation_->RequestData(item); }

// --- The link ----------------------------------------------------------------------------------

TProgramsLink::TProgramsLink(TLinkPeers& peers, const AnsiString& bibleWorksService)
    : peers_(peers), service_(bibleWorksService) {}

AnsiString TProgramsLink::BibleWorksTarget(const AnsiString& focusReference) {
  const int book = BookNumberFromId(Copy(focusReference, 1, 3));
  if (!book) return AnsiString();
  return BibleWorksBookName(book) + " " + Copy(focusReference, 5, Length(focusReference));
}

void TProgramsLink::Tick() {
  TTickGuard guard(ticking_);
  if (guard.Entered()) Step();
}

void TProgramsLink::SendVerse(const AnsiString& verse) {
  peers_.SendToBibleWorks("IgnoreErrors TRUE");
  peers_.SendToBibleWorks("GoToVerse " + verse);
  peers_.SendToBibleWorks("IgnoreErrors FALSE");
}

void TProgramsLink::Step() {
  BibleWorksRunning = peers_.WindowExists(BibleWorksWindowTitle);
  ParatextRunning = peers_.WindowExists(ParatextWindowTitle);

  if (ParatextRunning) {
    const AnsiString reference = peers_.FocusReference();
    if (reference != FocusReference) {
      SyncCount = 1;
      FocusReference = reference;
    }
  }

  AnsiString target;
  if (ParatextRunning && BibleWorksRunning) {
    target = BibleWorksTarget(FocusReference);
    // A verse BibleWorks did not take may be missing from the version it shows: the original
    // text's version has every verse of the original versification.
    if (!target.empty() && SyncCount >= 5 && SyncCount <= 10) {
      const int book = BookNumberFromId(Copy(FocusReference, 1, 3));
      SendVerse(book <= OldTestamentBookCount ? MyReg->GetHebrewVersion() : MyReg->GetGreekVersion());
    }
  }

  if (!BibleWorksRunning) return;
  if (!peers_.BibleWorksLinked()) {
    // A link that cannot be opened is tried again on the next tick.
    if (peers_.OpenBibleWorksLink(service_, BibleWorksTopic)) peers_.SendToBibleWorks("ClipGoToVerse FALSE");
    return;
  }
  // A reference that names no book gives BibleWorks nothing to go to.
  if (ParatextRunning && SyncCount > 0 && !target.empty()) SendVerse(target);
  BibleWorksVerse = peers_.AskBibleWorks("GetCurrentVerse");
  if (SyncCount > 0) {
    if (target == Copy(BibleWorksVerse, 5, Length(BibleWorksVerse)))
      SyncCount = 0;
    else
      ++SyncCount;
  }
}
