#include "app/FontsDialogUnit.h"

#include <memory>

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

extern const char FontsDialogUnitFormText[];

PUBLISHED(TFontsDialog) {
  Field("BracketsRadioGroup", &TFontsDialog::BracketsRadioGroup);
  Field("OKButton", &TFontsDialog::OKButton);
  Field("CancelButton", &TFontsDialog::CancelButton);
  Method("FormCreate", &TFontsDialog::FormCreate);
  Method("FontButtonClick", &TFontsDialog::FontButtonClick);
  Method("BracketsRadioGroupClick", &TFontsDialog::BracketsRadioGroupClick);
  Method("OKButtonClick", &TFontsDialog::OKButtonClick);
}

namespace {

// The buttons' names in table order.
const char* const kButtonNames[FontCount] = {
    "SubtitleButton",    "MainTitleButton", "ChapterButton",     "SubheadingButton",  "VerseNumberButton",
    "NormalTextButton",  "BracketsTextButton", "AddedTextButton", "RemovedTextButton", "EditorTextButton",
};

const char* const kBracketsSetting = "Text in brackets";
constexpr int kBracketsInFontAbove = 1;

}  // namespace

TFontsDialog::TFontsDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, FontsDialogUnitFormText);
  for (int i = 0; i < FontCount; ++i) FontButtons[i] = static_cast<TButton*>(FindComponent(kButtonNames[i]));
}

Integer TFontsDialog::ChapterSize(Integer normalSize) {
  // In whole tenths, so that 15 x 2.7 is exactly 40.5 and goes to the even 40.
  const Int64 tenths = static_cast<Int64>(normalSize) * 27;
  Int64 whole = tenths / 10;
  const Int64 rest = tenths % 10;
  if (rest > 5 || (rest == 5 && whole % 2 != 0)) ++whole;
  if (rest < -5 || (rest == -5 && whole % 2 != 0)) --whole;
  return static_cast<Integer>(whole);
}

void TFontsDialog::FormCreate(TObject*) {
  Working = Fonts;
  for (int i = 0; i < FontCount; ++i) ShowFont(i);
  const Integer choice = StrToIntDef(ReadSettingString(kBracketsSetting), 0);
  BracketsRadioGroup->SetItemIndex(choice >= 0 && choice <= 2 ? choice : 0);
  BracketsRadioGroupClick(this);
}

void TFontsDialog::ShowFont(int index) { FontButtons[index]->GetFont()->Assign(FontRecordToFont(Working[index])); }

void TFontsDialog::FontButtonClick(TObject* Sender) {
  int index = -1;
  for (int i = 0; i < FontCount; ++i)
    if (FontButtons[i] == Sender) index = i;
  if (index < 0 || index == fiChapter) return;
  std::unique_ptr<TFontDialog> dialog(new TFontDialog(this));
  dialog->GetFont()->Assign(FontRecordToFont(Working[index]));
  if (!dialog->Execute()) return;
  FontToFontRecord(dialog->GetFont(), Working[index]);
  ShowFont(index);
  if (index == fiNormalText) {
    Working[fiChapter] = Working[fiNormalText];
    Working[fiChapter].Size = ChapterSize(Working[fiNormalText].Size);
    ShowFont(fiChapter);
  }
}

void TFontsDialog::BracketsRadioGroupClick(TObject*) {
  FontButtons[fiTextInBrackets]->SetEnabled(BracketsRadioGroup->GetItemIndex() == kBracketsInFontAbove);
}

void TFontsDialog::OKButtonClick(TObject*) {
  if (const Cardinal error = SaveFontsFile(Working)) {
    // The dialog stays open, so that nothing chosen is lost: the user may try again or cancel.
    Application->MessageBox("The fonts cannot be saved in " + FontsFileName() + ": " + SysErrorMessage(error),
                            "Fonts", MB_OK | MB_ICONERROR);
    return;
  }
  Fonts = Working;
  if (BracketsRadioGroup->GetItemIndex() >= 0)
    WriteSettingString(kBracketsSetting, IntToStr(BracketsRadioGroup->GetItemIndex()));
  SetModalResult(mrOk);
}
