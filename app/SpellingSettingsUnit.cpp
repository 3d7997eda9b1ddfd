#include "app/SpellingSettingsUnit.h"

#include <memory>

#include "app/BookResults.h"
#include "app/OTNTDialogUnit.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/Utilities.h"
#include "spell/lx3SpellBase.h"

extern const char SpellingSettingsUnitFormText[];

PUBLISHED(TSpellingSettingsDialog) {
  Field("SpellingOptionsButton", &TSpellingSettingsDialog::SpellingOptionsButton);
  Field("HelperCheckBox", &TSpellingSettingsDialog::HelperCheckBox);
  Field("HelperLabel", &TSpellingSettingsDialog::HelperLabel);
  Field("CheckAgainButton", &TSpellingSettingsDialog::CheckAgainButton);
  Field("OKButton", &TSpellingSettingsDialog::OKButton);
  Field("CancelButton", &TSpellingSettingsDialog::CancelButton);
  Method("FormCreate", &TSpellingSettingsDialog::FormCreate);
  Method("SpellingOptionsButtonClick", &TSpellingSettingsDialog::SpellingOptionsButtonClick);
  Method("HelperCheckBoxClick", &TSpellingSettingsDialog::HelperCheckBoxClick);
  Method("CheckAgainButtonClick", &TSpellingSettingsDialog::CheckAgainButtonClick);
  Method("OKButtonClick", &TSpellingSettingsDialog::OKButtonClick);
}

namespace {

const char* const kHelperSetting = "Spelling helper application";

bool IsSectionHeader(const AnsiString& line) {
  return line == SpellingErrorsHeader || line == MechanicalErrorsHeader || line == ExceptionsHeader;
}

}  // namespace

void ForgetSpellingResults(TBookResults& results, Integer testament) {
  int first = 0, last = 0;
  TOTNTDialog::BookRange(testament, first, last);
  for (int book = first; book <= last; ++book) {
    const AnsiString path = results.ResultsFilePath(book);
    if (!FileExists(path)) continue;
    std::unique_ptr<TStringList> lines(new TStringList());
    try {
      lines->LoadFromFile(path);
    } catch (const Exception&) {
      continue;
    }
    std::unique_ptr<TStringList> kept(new TStringList());
    kept->Add("0");
    kept->Add("0");
    bool inSpelling = false;
    for (int i = 2; i < lines->GetCount(); ++i) {
      const AnsiString line = lines->GetStrings(i);
      if (IsSectionHeader(line)) inSpelling = line == SpellingErrorsHeader;
      else if (inSpelling) continue;
      kept->Add(line);
    }
    ReplaceFileContents(path, kept->GetText());
  }
}

TSpellingSettingsDialog::TSpellingSettingsDialog(TComponent* AOwner, TLexemeSpell3Base* spell, TBookResults* results)
    : TForm(AOwner), spell_(spell), results_(results) {
  ReadComponentFromText(this, SpellingSettingsUnitFormText);
}

void TSpellingSettingsDialog::FormCreate(TObject*) {
  SpellingOptionsButton->SetEnabled(spell_ != nullptr);
  CheckAgainButton->SetEnabled(results_ != nullptr);
  HelperLabel->SetCaption(ReadSettingString(kHelperSetting));
  showing_ = true;
  HelperCheckBox->SetChecked(MyReg->GetUseSpellingHelper());
  showing_ = false;
  HelperLabel->SetVisible(HelperCheckBox->GetChecked());
}

void TSpellingSettingsDialog::SpellingOptionsButtonClick(TObject*) {
  if (spell_) spell_->ShowConfigDialog(this);
}

void TSpellingSettingsDialog::HelperCheckBoxClick(TObject*) {
  if (!showing_ && HelperCheckBox->GetChecked()) {
    std::unique_ptr<TOpenDialog> open(new TOpenDialog(this));
    open->Filter = "Executables|*.exe";
    open->InitialDir = ExtractFilePath(HelperLabel->GetCaption());
    open->FileName = ExtractFileName(HelperLabel->GetCaption());
    if (open->Execute()) {
      HelperLabel->SetCaption(open->FileName);
    } else {
      showing_ = true;
      HelperCheckBox->SetChecked(false);
      showing_ = false;
    }
  }
  HelperLabel->SetVisible(HelperCheckBox->GetChecked());
}

void TSpellingSettingsDialog::CheckAgainButtonClick(TObject*) {
  if (!results_ || !ChooseTestament(this)) return;
  const Integer testament = MyReg->GetTestament();
  ForgetSpellingResults(*results_, testament);
  results_->KnownBadWords->Clear();
  results_->BookSpellingErrors->Clear();
  const char* const testaments[] = {"The Old Testament", "The New Testament", "Both Testaments"};
  const AnsiString which = testaments[testament >= 0 && testament <= 2 ? testament : 2];
  Application->MessageBox(which + " will be checked again in the background", "Pelorin", MB_OK);
}

void TSpellingSettingsDialog::OKButtonClick(TObject*) {
  MyReg->SetUseSpellingHelper(HelperCheckBox->GetChecked());
  WriteSettingString(kHelperSetting, HelperLabel->GetCaption());
}
