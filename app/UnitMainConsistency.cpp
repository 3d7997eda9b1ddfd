// The main window's menu commands: the consistency lists.
#include <memory>

#include "app/FloraAndFaunaUnit.h"
#include "app/UnitMain.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"
#include "tools/ConsistencyLists.h"

namespace {

// Opens the consistency-list dialog on one of the seven lists: its reference and definition files
// are the program's, its translations the current project's.
void ShowConsistencyList(TComponent* owner, Integer which) {
  const TConsistencyList& list = ConsistencyList(which);
  AnsiString workFolder;
  {
    // Made for the project's work folder, which it creates when missing.
    std::unique_ptr<TScripture> project(new TScripture(owner, -1));
    workFolder = project->WorkFolder;
  }
  std::unique_ptr<TFloraAndFaunaDlg> dialog(new TFloraAndFaunaDlg(owner));
  dialog->SetCaption(list.Caption);
  dialog->LanguageLabel = list.Language;
  dialog->ReferenceFileName = ProgramFolder + list.ReferenceFile;
  dialog->DefinitionFileName = ProgramFolder + list.DefinitionFile;
  dialog->TranslationFileName = workFolder + list.TranslationFile;
  dialog->ListKind = list.Kind;
  dialog->SetupReferenceListDialog();
  dialog->ShowModal();
}

}  // namespace

void TMainScreen::FloraFaunaOT1Click(TObject*) { ShowConsistencyList(this, clFloraFaunaOT); }
void TMainScreen::FloraFaunaNT1Click(TObject*) { ShowConsistencyList(this, clFloraFaunaNT); }
void TMainScreen::BorrowedWordsNT1Click(TObject*) { ShowConsistencyList(this, clBorrowedWordsNT); }
void TMainScreen::KeywordsOT1Click(TObject*) { ShowConsistencyList(this, clKeywordsOT); }
void TMainScreen::KeywordsNT1Click(TObject*) { ShowConsistencyList(this, clKeywordsNT); }
void TMainScreen::NamesOT1Click(TObject*) { ShowConsistencyList(this, clNamesOT); }
void TMainScreen::NamesNT1Click(TObject*) { ShowConsistencyList(this, clNamesNT); }
