#include "spell/lx3NewCustomDictionaryDialog.h"

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3Spell.h"

extern const char lx3NewCustomDictionaryDialogFormText[];

PUBLISHED(TNewCustomDictionary) {
  Method("DialogControlConfigurationAvailable", &TNewCustomDictionary::DialogControlConfigurationAvailable);
}

TNewCustomDictionary::TNewCustomDictionary(TComponent* AOwner) : TForm(AOwner) {
  RegisterSpellFormClasses();
  ReadComponentFromText(this, lx3NewCustomDictionaryDialogFormText);
  EditLabel = static_cast<TLabel*>(FindComponent("EditLabel"));
  NameEdit = static_cast<TEdit*>(FindComponent("NameEdit"));
  OKButton = static_cast<TButton*>(FindComponent("OKButton"));
  CancelButton = static_cast<TButton*>(FindComponent("CancelButton"));
  DialogControl = static_cast<TConfigurationDialogCtrl*>(FindComponent("DialogControl"));
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
