#include "spell/lx3ConfigurationDialogCtrl.h"

#include "classlib/ComCtrlsPublished.h"
#include "classlib/Forms.h"
#include "spell/lx3Util.h"

PUBLISHED(TConfigurationDialogCtrl) {
  using C = TConfigurationDialogCtrl;
  Prop("Version", &C::GetVersion);
  Prop("OnConfigurationAvailable", &C::OnConfigurationAvailable);
  Prop("OnCustomDictionaryAvailable", &C::OnCustomDictionaryAvailable);
  Prop("OnPromptWord", &C::OnPromptWord);
}

TConfigurationDialogCtrl::TConfigurationDialogCtrl(TComponent* AOwner) : inherited(AOwner) {}

TConfigurationDialogCtrl::~TConfigurationDialogCtrl() {
  if (spell_) RemoveFreeNotification(spell_);
}

void TConfigurationDialogCtrl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == spell_) {
    spell_ = nullptr;
    config_ = nullptr;
  }
}

void TConfigurationDialogCtrl::SetSpellComponent(TLexemeSpell3Base* Component) {
  if (spell_ || !Component) return;
  spell_ = Component;
  spell_->FreeNotification(this);
  config_ = spell_->GetConfiguration();
  availableOptions_ = spell_->ConfigAvailableOptions;
  if (OnConfigurationAvailable) OnConfigurationAvailable(this);
}

void TConfigurationDialogCtrl::SetCustomDictionary(TCustomDictionary* Dictionary) {
  dictionary_ = Dictionary;
  if (Dictionary && OnCustomDictionaryAvailable) OnCustomDictionaryAvailable(this);
}

AnsiString TConfigurationDialogCtrl::GetVersion() const { return EngineVersion(); }

// ---------------------------------------------------------------------------------------------
// Answers of the component

TStrings* TConfigurationDialogCtrl::AvailableMainDictionaries() {
  return spell_ ? spell_->AvailableMainDictionaries() : nullptr;
}

TStrings* TConfigurationDialogCtrl::AvailableCustomDictionaries() {
  return spell_ ? spell_->AvailableCustomDictionaries() : nullptr;
}

TStrings* TConfigurationDialogCtrl::AvailableMSWordDictionaries() {
  return spell_ ? spell_->AvailableMSWordDictionaries() : nullptr;
}

bool TConfigurationDialogCtrl::CanUndo() const { return spell_ && spell_->CanUndo(); }
bool TConfigurationDialogCtrl::UseExcludeWords() const { return !spell_ || spell_->UseExcludeWords; }
TCustomDictionary* TConfigurationDialogCtrl::InternalList() const { return spell_ ? spell_->GetInternalList() : nullptr; }

TCustomDictionary* TConfigurationDialogCtrl::ActiveCustomDictionary() const {
  return spell_ ? spell_->GetActiveCustomDictionary() : nullptr;
}

TSpellDialogCommands TConfigurationDialogCtrl::CommandsVisible() const {
  return spell_ ? spell_->CommandsVisible : TSpellDialogCommands();
}

TSpellDialogCommands TConfigurationDialogCtrl::CommandsEnabled() const {
  return spell_ ? spell_->CommandsEnabled : TSpellDialogCommands();
}

Integer TConfigurationDialogCtrl::HelpCtxSpellDialog() const { return spell_ ? spell_->HelpCtxSpellDialog : 0; }
Integer TConfigurationDialogCtrl::HelpCtxConfigDialog() const { return spell_ ? spell_->HelpCtxConfigDialog : 0; }

Integer TConfigurationDialogCtrl::HelpCtxDictionariesDialog() const {
  return spell_ ? spell_->HelpCtxDictionariesDialog : 0;
}

Integer TConfigurationDialogCtrl::HelpCtxDictionaryEditDialog() const {
  return spell_ ? spell_->HelpCtxDictionaryEditDialog : 0;
}

void TConfigurationDialogCtrl::OptionCaption(TSpellOption Option, AnsiString& Text) {
  Text.clear();
  if (!spell_) return;
  switch (Option) {
    case soUser1: Text = spell_->ConfigUserOption1; break;
    case soUser2: Text = spell_->ConfigUserOption2; break;
    case soUser3: Text = spell_->ConfigUserOption3; break;
    case soUser4: Text = spell_->ConfigUserOption4; break;
    default: spell_->GetString(static_cast<TSpellLanguageString>(Option), Text); break;
  }
}

void TConfigurationDialogCtrl::GetString(TSpellLanguageString Id, AnsiString& Text) {
  Text.clear();
  if (spell_) spell_->GetString(Id, Text);
}

// ---------------------------------------------------------------------------------------------
// Passed on to the component

TMainDictionary* TConfigurationDialogCtrl::OpenMainDictionary(const AnsiString& Name) {
  return spell_ ? spell_->OpenMainDictionary(Name) : nullptr;
}

TCustomDictionary* TConfigurationDialogCtrl::OpenCustomDictionary(const AnsiString& Name) {
  return spell_ ? spell_->OpenCustomDictionary(Name) : nullptr;
}

void TConfigurationDialogCtrl::ShowConfigDialog() {
  if (spell_) spell_->ShowConfigDialog(this);
}

void TConfigurationDialogCtrl::ShowCustomDictionariesDialog() {
  if (spell_) spell_->ShowCustomDictionariesDialog(this);
}

void TConfigurationDialogCtrl::ShowEditCustomDictionaryDialog(TCustomDictionary* Dictionary) {
  if (spell_) spell_->ShowEditCustomDictionaryDialog(this, Dictionary);
}

void TConfigurationDialogCtrl::ShowAddDictionaryDir() {
  if (spell_) spell_->ShowAddDictionaryDir(this);
}

void TConfigurationDialogCtrl::SetCustomDictionaryActive(const AnsiString& Name, bool Active) {
  if (spell_) spell_->SetCustomDictionaryActive(Name, Active);
}

void TConfigurationDialogCtrl::SetMSWordDictionaryActive(const AnsiString& Name, bool Active) {
  if (spell_) spell_->SetMSWordDictionaryActive(Name, Active);
}

void TConfigurationDialogCtrl::DeleteCustomDictionary(const AnsiString& Name) {
  if (spell_) spell_->DeleteCustomDictionary(Name);
}

void TConfigurationDialogCtrl::NewCustomDictionary(const AnsiString& Name) {
  if (spell_) spell_->NewCustomDictionary(Name);
}

bool TConfigurationDialogCtrl::RenameCustomDictionary(const AnsiString& OldName, const AnsiString& NewName) {
  return spell_ && spell_->RenameCustomDictionary(OldName, NewName);
}

void TConfigurationDialogCtrl::DialogIgnore() {
  if (spell_) spell_->DialogIgnore();
}

void TConfigurationDialogCtrl::DialogIgnoreAll() {
  if (spell_) spell_->DialogIgnoreAll();
}

void TConfigurationDialogCtrl::DialogChange(const AnsiString& Replacement) {
  if (spell_) spell_->DialogChange(Replacement);
}

void TConfigurationDialogCtrl::DialogChangeAll(const AnsiString& Replacement) {
  if (spell_) spell_->DialogChangeAll(Replacement);
}

void TConfigurationDialogCtrl::DialogAdd() {
  if (spell_) spell_->DialogAdd();
}

void TConfigurationDialogCtrl::DialogAutoCorrect(const AnsiString& Replacement) {
  if (spell_) spell_->DialogAutoCorrect(Replacement);
}

void TConfigurationDialogCtrl::DialogCancel() {
  if (spell_) spell_->DialogCancel();
}

void TConfigurationDialogCtrl::DialogUndo() {
  if (spell_) spell_->DialogUndo();
}

void TConfigurationDialogCtrl::DialogIgnoreRepeated() {
  if (spell_) spell_->DialogIgnoreRepeated();
}

void TConfigurationDialogCtrl::DialogDeleteRepeated() {
  if (spell_) spell_->DialogDeleteRepeated();
}

void TConfigurationDialogCtrl::GetSuggestions(const AnsiString& Word, TStrings* List) {
  if (spell_) spell_->GetSuggestions(Word, List);
}

// ---------------------------------------------------------------------------------------------
// Help

void TConfigurationDialogCtrl::ShowSpellDialogHelp() { Application->HelpContext(HelpCtxSpellDialog()); }
void TConfigurationDialogCtrl::ShowConfigDialogHelp() { Application->HelpContext(HelpCtxConfigDialog()); }
void TConfigurationDialogCtrl::ShowDictionariesDialogHelp() { Application->HelpContext(HelpCtxDictionariesDialog()); }

void TConfigurationDialogCtrl::ShowDictionaryEditDialogHelp() {
  Application->HelpContext(HelpCtxDictionaryEditDialog());
}

void RegisterSpellFormClasses() {
  ComCtrlsClassesPublished();
  if (!GetClass("TConfigurationDialogCtrl")) RegisterClass(TConfigurationDialogCtrl::StaticClass());
}
