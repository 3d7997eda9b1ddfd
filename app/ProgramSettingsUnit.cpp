#include "app/ProgramSettingsUnit.h"

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

extern const char ProgramSettingsUnitFormText[];

PUBLISHED(TProgramSettingsDlg) {
  Field("DateFormatComboBox", &TProgramSettingsDlg::DateFormatComboBox);
  Field("OKButton", &TProgramSettingsDlg::OKButton);
  Field("CancelButton", &TProgramSettingsDlg::CancelButton);
  Method("FormCreate", &TProgramSettingsDlg::FormCreate);
  Method("OKButtonClick", &TProgramSettingsDlg::OKButtonClick);
}

namespace {

const char* const kDateFormatSetting = "Date format";

}  // namespace

TProgramSettingsDlg::TProgramSettingsDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ProgramSettingsUnitFormText);
}

void TProgramSettingsDlg::FormCreate(TObject*) {
  const TDateTime today = Date();
  const AnsiString stored = ReadSettingString(kDateFormatSetting);
  TStrings* items = DateFormatComboBox->GetItems();
  items->Clear();
  Integer selected = -1;
  for (int i = 0; i < static_cast<int>(std::size(DateFormats)); ++i) {
    items->Add(FormatDateTime(DateFormats[i], today));
    if (stored == DateFormats[i]) selected = i;
  }
  DateFormatComboBox->SetItemIndex(selected);
  if (selected < 0) DateFormatComboBox->SetText("<select a format>");
}

void TProgramSettingsDlg::OKButtonClick(TObject*) {
  const Integer selected = DateFormatComboBox->GetItemIndex();
  if (selected >= 0 && selected < static_cast<Integer>(std::size(DateFormats)))
    WriteSettingString(kDateFormatSetting, DateFormats[selected]);
}
