#include "app/ConversionVariablesUnit.h"

#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

extern const char ConversionVariablesUnitFormText[];

PUBLISHED(TConversionVariablesDlg) {
  Field("HebrewEdit", &TConversionVariablesDlg::HebrewEdit);
  Field("UpDown1", &TConversionVariablesDlg::UpDown1);
  Field("ChapterLineEdit", &TConversionVariablesDlg::ChapterLineEdit);
  Method("FormCreate", &TConversionVariablesDlg::FormCreate);
  Method("OKBtnClick", &TConversionVariablesDlg::OKBtnClick);
}

namespace {

const char* const kCutLengthSetting = "Hebrew cut length";
const char* const kChapterLineSetting = "Remove chapter line";

}  // namespace

TConversionVariablesDlg::TConversionVariablesDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ConversionVariablesUnitFormText);
}

void TConversionVariablesDlg::FormCreate(TObject*) {
  UpDown1->SetPosition(StrToIntDef(ReadSettingString(kCutLengthSetting), 0));
  ChapterLineEdit->SetText(ReadSettingString(kChapterLineSetting));
}

void TConversionVariablesDlg::OKBtnClick(TObject*) {
  WriteSettingString(kCutLengthSetting, IntToStr(UpDown1->GetPosition()));
  WriteSettingString(kChapterLineSetting, ChapterLineEdit->GetText());
}
