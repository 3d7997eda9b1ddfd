// The main window's menu commands: the names list, name comparison, unwanted words and the advanced
// search; after a list of names or unwanted words was changed, every book is checked again.
#include <memory>

#include "app/AdvancedSearchUnit.h"
#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/CompareNamesUnit.h"
#include "app/NamesList.h"
#include "app/UnitMain.h"
#include "app/UnwantedWordsUnit.h"

namespace {

// Shows the dialog modally and frees it; its modal result.
template <class Dialog>
Integer ShowToolDialog(TComponent* owner) {
  std::unique_ptr<Dialog> dialog(new Dialog(owner));
  return dialog->ShowModal();
}

}  // namespace

void TMainScreen::Nameslist1Click(TObject*) {
  // 6: the lists were changed and saved.
  if (ShowToolDialog<TNamesListDlg>(this) == mrYes && Book) Book->ResetResultsFileAges();
}

void TMainScreen::Comparenames1Click(TObject*) { ShowToolDialog<TCompareNamesDialog>(this); }

void TMainScreen::Unwantedwords1Click(TObject*) {
  if (ShowToolDialog<TUnwantedWordsDlg>(this) == mrYes && Book) Book->ResetResultsFileAges();
  if (Cycle) Cycle->RestartRequested = true;
}

void TMainScreen::Advancedsearch1Click(TObject*) { ShowToolDialog<TAdvancedSearchForm>(this); }
