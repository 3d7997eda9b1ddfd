// The main window's links with Paratext and BibleWorks: the DDE timer that follows the programs,
// the reference timer that exchanges reference lists, the idle timer of their idle waits,
// "Results to Paratext", the tasks dialog, and the save-book dialog.
#include <memory>

#include "app/BookResults.h"
#include "app/IdleWait.h"
#include "app/ProgramsLink.h"
#include "app/ReferenceExchangeRun.h"
#include "app/SaveBookDialogUnit.h"
#include "app/TasksDialogUnit.h"
#include "app/UnitMain.h"
#include "classlib/DdeMan.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"
#include "core/FocusLink.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"

namespace {

// The DDE service of BibleWorks, taken once when the program starts.
AnsiString bibleWorksService;

}  // namespace

void InitializeLinks() { bibleWorksService = BibleWorksProgramName(); }

void TMainScreen::CreateLinks() {
  IdleWaits = new TIdleWaits([this](bool on) { IdleTimer->SetEnabled(on); }, true);
  linkPeers_ = std::make_unique<TSystemLinkPeers>(DdeClientConv1);
  Link = new TProgramsLink(*linkPeers_, bibleWorksService);
  Exchange = new TReferenceExchangeRun(*IdleWaits, [](TStrings* lines) { SetFocusReferenceList(lines); });
  // The first look at Paratext comes before the checking cycle's first start, so that a book
  // Paratext shows is the first one checked, not one that the cycle reached before the link's
  // timer ran for the first time.
  Link->Tick();
}

void TMainScreen::FreeLinks() {
  DDETimer->SetEnabled(false);
  RefTimer->SetEnabled(false);
  IdleTimer->SetEnabled(false);
  DdeClientConv1->CloseLink();
  delete Exchange;
  delete Link;
  linkPeers_.reset();
  delete IdleWaits;
  Exchange = nullptr;
  Link = nullptr;
  IdleWaits = nullptr;
}

void TMainScreen::DDETimerTimer(TObject*) {
  if (Link) Link->Tick();
}

void TMainScreen::RefTimerTimer(TObject*) {
  if (Exchange) Exchange->Tick();
}

void TMainScreen::IdleTimerTimer(TObject*) {
  if (IdleWaits) IdleWaits->Tick();
}

void TMainScreen::ResultsToParatextButtonClick(TObject*) {
  if (SendResultsToParatext(ResultsBox->GetItems()).empty())
    Application->MessageBox("The results cannot be saved as " + MyReg->GetParatextProjectsFolder() + ParatextReferenceFileName + ".", "Pelorin",
                            MB_OK | MB_ICONERROR);
}

void TMainScreen::Tasks1Click(TObject*) {
  if (!Link) return;
  std::unique_ptr<TTasksDlg> dialog(new TTasksDlg(this, *Link, *Exchange, HelperState));
  dialog->ShowModal();
}

void TMainScreen::SaveLoadedBookAsked() {
  if (!Book || Book->LoadedBookPath.empty()) return;
  bool save = false;
  {
    std::unique_ptr<TParatextIsRunningDialog> dialog(new TParatextIsRunningDialog(this, *this, Book->LoadedBook));
    dialog->ShowModal();
    save = dialog->SaveBook;
  }
  if (save) SaveLoadedBook();
}
