// The main window's Settings menu: each settings dialog, and what the window does after it
// closed (start the program again, check the books again, or start the checking cycle afresh).
#include <memory>

#include "app/BibleWorksSettingsUnit.h"
#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/MechanicalSettingsUnit.h"
#include "app/ParatextSettingsUnit.h"
#include "app/ProgramSettingsUnit.h"
#include "app/SentenceSettingsUnit.h"
#include "app/SpellTimerRun.h"
#include "app/SpellingSettingsUnit.h"
#include "app/UnitMain.h"
#include "spell/richtext/lx3UzurUvadCmpnts.h"

namespace {

// Shows the dialog modally and frees it; its modal result.
template <class Dialog, class... Args>
Integer ShowSettingsDialog(TComponent* owner, Args&&... args) {
  std::unique_ptr<Dialog> dialog(new Dialog(owner, std::forward<Args>(args)...));
  return dialog->ShowModal();
}

}  // namespace

void TMainScreen::Scriptures1Click(TObject*) {
  if (ShowSettingsDialog<TSentenceSettings>(this) == mrOk) RestartProgram();
}

void TMainScreen::Paratext1Click(TObject*) {
  if (ShowSettingsDialog<TParatextSettingsDialog>(this) == mrOk) RestartProgram();
}

void TMainScreen::Program1Click(TObject*) { ShowSettingsDialog<TProgramSettingsDlg>(this); }

void TMainScreen::Spelling1Click(TObject*) {
  // New settings may name a helper that answers: one that did not is asked again.
  if (ShowSettingsDialog<TSpellingSettingsDialog>(this, UVLexemeSpell31, Book) == mrOk && Spelling)
    Spelling->HelperSettingsChanged();
  if (Cycle) Cycle->RestartRequested = true;
}

void TMainScreen::BibleWorks1Click(TObject*) {
  if (ShowSettingsDialog<TBibleWorksSettingsDialog>(this) == mrOk) RestartProgram();
}

void TMainScreen::Mechanicalproofreading1Click(TObject*) {
  const bool ok = ShowSettingsDialog<TMechanicalSettingsDialog>(this) == mrOk;
  if (Cycle) Cycle->RestartRequested = ok;
  if (ok && Book) Book->ResetResultsFileAges();
}
