// The main window's menu commands and the results list's popup menu.
#include <memory>

#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/ExceptionsUnit.h"
#include "app/FontsDialogUnit.h"
#include "app/UnitMain.h"
#include "classlib/ActnList.h"
#include "classlib/CommandLines.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "controls/VisAboutDlg.h"
#include "core/FontTable.h"
#include "core/ProgramFolderUnit.h"
#include "richtext/edit/UVEdit.h"

void TMainScreen::Exit1Click(TObject*) { Close(); }

void TMainScreen::Settings1Click(TObject*) { Expandedmode1->SetChecked(ExpandedMode); }

void TMainScreen::Expandedmode1Click(TObject*) {
  ExpandedMode = !ExpandedMode;
  Expandedmode1->SetChecked(ExpandedMode);
}

void TMainScreen::Fonts1Click(TObject*) {
  {
    std::unique_ptr<TFontsDialog> dialog(new TFontsDialog(this));
    dialog->ShowModal();
  }
  LoadFontsFile();
  if (Cycle) Cycle->RestartRequested = true;
}

// The help file is shown by the system's help viewer. Without the file (it is installed apart from
// the program) or the viewer the user is told why no help appears, rather than nothing happening.
void TMainScreen::Help2Click(TObject*) {
  const AnsiString helpFile = ProgramFolder + "pelorin.chm";
  if (!FileExists(helpFile)) {
    Application->MessageBox("The help file " + helpFile + " is missing, so there is no help to show.", "Pelorin",
                            MB_OK | MB_ICONINFORMATION);
    return;
  }
  // The system's viewer, from the Windows folder: a bare "hh.exe" would be looked for in the
  // current folder first.
  if (!StartProgram(QuotedCommandLine(WindowsFolder() + "hh.exe", {helpFile})))
    Application->MessageBox("The help file " + helpFile + " cannot be shown: hh.exe, which shows it, cannot be started.",
                            "Pelorin", MB_OK | MB_ICONWARNING);
}

void TMainScreen::About1Click(TObject*) { VisAboutDlg1->Execute(); }

namespace {

// The book editor (or an editor laid over a cell of it) when it has the focus.
TCustomUzurUvadEdit* FocusedBookEditor(VUzurUvadEdit* Book) {
  const HWND focus = ::GetFocus();
  if (!focus || !Book->HandleAllocated()) return nullptr;
  if (focus != Book->GetHandle() && !::IsChild(Book->GetHandle(), focus)) return nullptr;
  return dynamic_cast<TCustomUzurUvadEdit*>(FindControl(focus));
}

}  // namespace

// The standard edit actions serve plain edit controls only. The book editor is none: the Edit
// menu's Cut, Copy and Paste are enabled from its selection and the clipboard and act on it as
// its own Ctrl+X, Ctrl+C and Ctrl+V do. Elsewhere the actions find their edit control themselves.
void TMainScreen::ActionList1Update(TBasicAction* Action, bool& Handled) {
  TCustomUzurUvadEdit* editor = FocusedBookEditor(UzurUvadEdit1);
  auto* action = dynamic_cast<TCustomAction*>(Action);
  if (!editor || !action) return;
  if (Action == EditCut1)
    action->SetEnabled(editor->SelectionExists() && !editor->GetReadOnly());
  else if (Action == EditCopy1)
    action->SetEnabled(editor->SelectionExists());
  else if (Action == EditPaste1)
    action->SetEnabled(!editor->GetReadOnly() && editor->CanPaste());
  else
    return;
  Handled = true;
}

void TMainScreen::ActionList1Execute(TBasicAction* Action, bool& Handled) {
  TCustomUzurUvadEdit* editor = FocusedBookEditor(UzurUvadEdit1);
  if (!editor) return;
  UINT message = 0;
  if (Action == EditCut1)
    message = WM_CUT;
  else if (Action == EditCopy1)
    message = WM_COPY;
  else if (Action == EditPaste1)
    message = WM_PASTE;
  else
    return;
  editor->Perform(message, 0, 0);
  Handled = true;
}

void TMainScreen::ResultsBoxContextPopup(TObject*, TPoint MousePos, bool&) {
  // A right click picks the message under the mouse, as the list's hint promises; the keyboard's
  // menu key (-1, -1) keeps the selection.
  if (MousePos.X >= 0 && MousePos.Y >= 0) {
    const Integer i = ResultsBox->ItemAtPos(MousePos, true);
    if (i >= 0) ResultsBox->SetItemIndex(i);
  }
  Alwaysignore1->SetEnabled(ResultsBox->GetItemIndex() >= 0);
}

void TMainScreen::Alwaysignore1Click(TObject*) {
  if (!Book) return;
  const Integer i = ResultsBox->GetItemIndex();
  if (i < 0) return;
  const AnsiString line = ResultsBox->GetItems()->GetStrings(i);
  // Lines without a reference cannot be ignored: they would not be found again.
  if (!BeginsWithBookId(line)) return;
  Book->IgnoreList->Add(line);
  ResultsBox->GetItems()->Delete(i);
  Book->WriteResultsFile();
}

void TMainScreen::Editlistofignoredmessages1Click(TObject*) {
  if (!Book) return;
  {
    std::unique_ptr<TDlgExceptions> dialog(new TDlgExceptions(this, Book->IgnoreList, ResultsBox->GetItems()));
    dialog->ShowModal();
  }
  Book->WriteResultsFile();
}
