#include "app/BibleWorksSettingsUnit.h"

#include "classlib/FileCtrl.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "core/MyRegistry.h"

extern const char BibleWorksSettingsUnitFormText[];

PUBLISHED(TBibleWorksSettingsDialog) {
  Field("HebrewEdit", &TBibleWorksSettingsDialog::HebrewEdit);
  Field("GreekEdit", &TBibleWorksSettingsDialog::GreekEdit);
  Field("FileNameEdit", &TBibleWorksSettingsDialog::FileNameEdit);
  Field("FolderButton", &TBibleWorksSettingsDialog::FolderButton);
  Field("OKButton", &TBibleWorksSettingsDialog::OKButton);
  Field("CancelButton", &TBibleWorksSettingsDialog::CancelButton);
  Method("FormCreate", &TBibleWorksSettingsDialog::FormCreate);
  Method("FolderButtonClick", &TBibleWorksSettingsDialog::FolderButtonClick);
  Method("OKButtonClick", &TBibleWorksSettingsDialog::OKButtonClick);
}

namespace {

const char* const kFileNameSetting = "BibleWorks Filename";
const char* const kFolderSetting = "BibleWorks Folder";

}  // namespace

TBibleWorksSettingsDialog::TBibleWorksSettingsDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, BibleWorksSettingsUnitFormText);
}

void TBibleWorksSettingsDialog::FormCreate(TObject*) {
  HebrewEdit->SetText(MyReg->GetHebrewVersion());
  GreekEdit->SetText(MyReg->GetGreekVersion());
  FileNameEdit->SetText(ReadSettingString(kFileNameSetting));
  FolderButton->SetCaption(ReadSettingString(kFolderSetting));
}

void TBibleWorksSettingsDialog::FolderButtonClick(TObject*) {
  AnsiString folder = FolderButton->GetCaption();
  if (SelectDirectory("Location of BibleWorks", "", folder)) FolderButton->SetCaption(folder);
}

void TBibleWorksSettingsDialog::OKButtonClick(TObject*) {
  MyReg->SetHebrewVersion(HebrewEdit->GetText());
  MyReg->SetGreekVersion(GreekEdit->GetText());
  WriteSettingString(kFileNameSetting, FileNameEdit->GetText());
  WriteSettingString(kFolderSetting, FolderButton->GetCaption());
}
