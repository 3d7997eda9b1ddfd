// The main window's menu commands: the comparison of versions, version approval and printing versions.
#include <memory>

#include "app/Compare.h"
#include "app/PrintVersionsUnit.h"
#include "app/UnitMain.h"
#include "app/VersionManagementUnit.h"

void TMainScreen::Compareversions1Click(TObject*) {
  std::unique_ptr<TCompareDlg> dialog(new TCompareDlg(this));
  dialog->ShowModal();
}

void TMainScreen::Approvebook1Click(TObject*) {
  std::unique_ptr<TVersionManagementDlg> dialog(new TVersionManagementDlg(this));
  dialog->ShowModal();
}

void TMainScreen::Printversions1Click(TObject*) {
  std::unique_ptr<TPrintVersionsDlg> dialog(new TPrintVersionsDlg(this));
  dialog->ShowModal();
}
