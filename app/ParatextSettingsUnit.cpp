#include "app/ParatextSettingsUnit.h"

#include "classlib/FileCtrl.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

extern const char ParatextSettingsUnitFormText[];

PUBLISHED(TParatextSettingsDialog) {
  Method("FormCreate", &TParatextSettingsDialog::FormCreate);
  Method("BrowseButtonClick", &TParatextSettingsDialog::BrowseButtonClick);
  Method("OKButtonClick", &TParatextSettingsDialog::OKButtonClick);
}

TParatextSettingsDialog::TParatextSettingsDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ParatextSettingsUnitFormText);
  FolderEdit = static_cast<TEdit*>(FindComponent("FolderEdit"));
  BrowseButton = static_cast<TButton*>(FindComponent("BrowseButton"));
  OKButton = static_cast<TButton*>(FindComponent("OKButton"));
  CancelButton = static_cast<TButton*>(FindComponent("CancelButton"));
}

void TParatextSettingsDialog::FormCreate(TObject*) { FolderEdit->SetText(MyReg->GetParatextProjectsFolder()); }

void TParatextSettingsDialog::BrowseButtonClick(TObject*) {
  AnsiString folder = ExcludeTrailingBackslash(FolderEdit->GetText());
  if (SelectDirectory("Location of My Paratext Projects", "", folder))
    FolderEdit->SetText(IncludeTrailingBackslash(folder));
}

void TParatextSettingsDialog::OKButtonClick(TObject*) { MyReg->SetParatextProjectsFolder(FolderEdit->GetText()); }
