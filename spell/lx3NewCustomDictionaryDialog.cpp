#include "spell/lx3NewCustomDictionaryDialog.h"

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3Spell.h"

extern const char lx3NewCustomDictionaryDialogFormText[];

PUBLISHED(TNewCustomDictionary) {
  Field("EditLabel", &TNewCustomDictionary::EditLabel);
  Field("NameEdit", &TNewCustomDictionary::NameEdit);
  Field("OKButton", &TNewCustomDictionary::OKButton);
  Field("CancelButton", &TNewCustomDictionary::CancelButton);
  Field("DialogControl", &TNewCustomDictionary::DialogControl);
  Method("DialogControlConfigurationAvailable", &TNewCustomDictionary::DialogControlConfigurationAvailable);
}

TNewCustomDictionary::TNewCustomDictionary(TComponent* AOwner) : TForm(AOwner) {
  RegisterSpellFormClasses();
  ReadComponentFromText(this, lx3NewCustomDictionaryDialogFormText);
}

void TNewCustomDictionary::DialogControlConfigurationAvailable(TObject*) {
  AnsiString text;
  DialogControl->GetString(18, text);
  SetCaption(text);
  DialogControl->GetString(47, text);
  EditLabel->SetCaption(text);
  DialogControl->GetString(46, text);
  OKButton->SetCaption(text);
  DialogControl->GetString(32, text);
  CancelButton->SetCaption(text);
  if (auto* spell = dynamic_cast<TLexemeSpell3*>(DialogControl->GetSpellComponent()))
    spell->ApplyInterfaceFonts(this, false);
}
