#include "app/ParatextSettingsUnit.h"

#include "classlib/FileCtrl.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

extern const char ParatextSettingsUnitFormText[];

PUBLISHED(TParatextSettingsDialog) {
  Field("FolderEdit", &TParatextSettingsDialog::FolderEdit);
  Field("BrowseButton", &TParatextSettingsDialog::BrowseButton);
  Field("OKButton", &TParatextSettingsDialog::OKButton);
  Field("CancelButton", &TParatextSettingsDialog::CancelButton);
  Method("FormCreate", &TParatextSettingsDialog::FormCreate);
  Method("BrowseButtonClick", &TParatextSettingsDialog::BrowseButtonClick);
  Method("OKButtonClick", &TParatextSettingsDialog::OKButtonClick);
}

TParatextSettingsDialog::TParatextSettingsDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ParatextSettingsUnitFormText);
}

void TParatextSettingsDialog::FormCreate(TObject*) { FolderEdit->SetText(MyReg->GetParatextProjectsFolder()); }

void TParatextSettingsDialog::BrowseButtonClick(TObject*) {
  AnsiString folder = ExcludeTrailingBackslash(FolderEdit->GetText());
  if (SelectDirectory("Location of My Paratext Projects", "", folder))
    FolderEdit->SetText(IncludeTrailingBackslash(folder));
}

void TParatextSettingsDialog::OKButtonClick(TObject*) { MyReg->SetParatextProjectsFolder(FolderEdit->GetText()); }
