// The main window's lists over many books, shown in the results list window: the spelling errors
// and the mechanical messages of the books of a testament.
#include <memory>

#include "app/BookResults.h"
#include "app/OTNTDialogUnit.h"
#include "app/PrintGeneralLists.h"
#include "app/UnitMain.h"
#include "classlib/StringLists.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/Utilities.h"

namespace {

// Shows the list window with the title as its caption and heading, filled with the kind.
void ShowListWindow(TComponent* owner, const AnsiString& title, Integer kind, TStrings* lines = nullptr) {
  std::unique_ptr<TPrintGeneralListDialog> dialog(new TPrintGeneralListDialog(owner));
  dialog->SetCaption(title);
  dialog->Title = title;
  if (lines) dialog->SourceList->Assign(lines);
  dialog->ShowList(kind);
  dialog->ShowModal();
}

}  // namespace

void TMainScreen::Listspellingerrors1Click(TObject*) {
  if (!Book || !ChooseTestament(this)) return;
  const Integer testament = MyReg->GetTestament();
  std::unique_ptr<TStringList> words(new TStringList());
  Book->GatherSpellingErrors(testament, words.get());
  ShowListWindow(this, "Spelling errors of " + TestamentTitleEnding(testament), lkLines, words.get());
}

void TMainScreen::Allmessagestoeditor1Click(TObject*) {
  if (!Book || !ChooseTestament(this)) return;
  const Integer testament = MyReg->GetTestament();
  std::unique_ptr<TStringList> lines(new TStringList());
  Book->GatherMechanicalMessages(testament, lines.get());
  // The window shows the file; when it cannot be written, an older list would show instead.
  const AnsiString folder = MyReg->GetParatextProjectsFolder();
  if (folder.empty() || ReplaceFileContents(folder + ParatextReferenceFileName, lines->GetText()) != 0) {
    Application->MessageBox("The results cannot be saved as " + folder + ParatextReferenceFileName + ".", "Pelorin",
                            MB_OK | MB_ICONERROR);
    return;
  }
  ShowListWindow(this, "Mechanical proofreading errors of " + TestamentTitleEnding(testament), lkReferenceFile);
}
