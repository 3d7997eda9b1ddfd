// The main window's menu commands: printing the Bible and its settings.
#include <memory>

#include "app/FontDialogUnit.h"
#include "app/PrintBibleV3Unit.h"
#include "app/UnitMain.h"
#include "tools/BookHeadings.h"

void TMainScreen::PrintBible1Click(TObject*) {
  std::unique_ptr<TPrintBibleV3Dialog> dialog(new TPrintBibleV3Dialog(this));
  dialog->ShowModal();
}

void TMainScreen::PrintingSettings1Click(TObject*) {
  {
    std::unique_ptr<TBibleSettingsDialog> dialog(new TBibleSettingsDialog(this));
    dialog->ShowModal();
  }
  // A heading confirmed there is in force for the next print.
  LoadBookHeadings();
}
