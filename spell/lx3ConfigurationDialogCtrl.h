// The link between a spell dialog form and the spell-check component: every built-in spell
// dialog holds one TConfigurationDialogCtrl, through which it reaches the component without
// knowing its class. The component connects it when it shows the form (the control then fires
// OnConfigurationAvailable, where the form sets its captions and fills its lists) and tells it
// each word to show (OnPromptWord).
#pragma once

#include "classlib/Components.h"
#include "spell/lx3SpellBase.h"

using TWordPromptEvent = Closure<void(TObject* Sender, const AnsiString& Word, bool Repeated)>;

class TConfigurationDialogCtrl : public TComponent {
  CLASS_INFO(TConfigurationDialogCtrl, TComponent)
public:
  explicit TConfigurationDialogCtrl(TComponent* AOwner);
  ~TConfigurationDialogCtrl() override;

  // Connects the component, once: copies its configuration and available options and fires
  // OnConfigurationAvailable.
  virtual void SetSpellComponent(TLexemeSpell3Base* Component);
  TLexemeSpell3Base* GetSpellComponent() const { return spell_; }
  // The dictionary a dictionary editor works on; fires OnCustomDictionaryAvailable.
  virtual void SetCustomDictionary(TCustomDictionary* Dictionary);
  TCustomDictionary* GetCustomDictionary() const { return dictionary_; }
  TLexemeConfig* GetConfiguration() const { return config_; }
  TSpellOptions GetAvailableOptions() const { return availableOptions_; }
  AnsiString GetVersion() const;

  // Answers of the component; none, 0 or false while none is connected (UseExcludeWords: true).
  TStrings* AvailableMainDictionaries();
  TStrings* AvailableCustomDictionaries();
  TStrings* AvailableMSWordDictionaries();
  bool CanUndo() const;
  bool UseExcludeWords() const;
  TCustomDictionary* InternalList() const;
  TCustomDictionary* ActiveCustomDictionary() const;
  TSpellDialogCommands CommandsVisible() const;
  TSpellDialogCommands CommandsEnabled() const;
  Integer HelpCtxSpellDialog() const;
  Integer HelpCtxConfigDialog() const;
  Integer HelpCtxDictionariesDialog() const;
  Integer HelpCtxDictionaryEditDialog() const;
  // The caption of an option: ConfigUserOption1 to 4 for soUser1 to soUser4, else the interface
  // text numbered as the option.
  void OptionCaption(TSpellOption Option, AnsiString& Text);
  void GetString(TSpellLanguageString Id, AnsiString& Text);

  // Passed on to the component (the dialogs opened from here are owned by this control).
  TMainDictionary* OpenMainDictionary(const AnsiString& Name);
  TCustomDictionary* OpenCustomDictionary(const AnsiString& Name);
  void ShowConfigDialog();
  void ShowCustomDictionariesDialog();
  void ShowEditCustomDictionaryDialog(TCustomDictionary* Dictionary);
  void ShowAddDictionaryDir();
  void SetCustomDictionaryActive(const AnsiString& Name, bool Active);
  void SetMSWordDictionaryActive(const AnsiString& Name, bool Active);
  void DeleteCustomDictionary(const AnsiString& Name);
  void NewCustomDictionary(const AnsiString& Name);
  bool RenameCustomDictionary(const AnsiString& OldName, const AnsiString& NewName);
  void DialogIgnore();
  void DialogIgnoreAll();
  void DialogChange(const AnsiString& Replacement);
  void DialogChangeAll(const AnsiString& Replacement);
  void DialogAdd();
  void DialogAutoCorrect(const AnsiString& Replacement);
  void DialogCancel();
  void DialogUndo();
  void DialogIgnoreRepeated();
  void DialogDeleteRepeated();
  void GetSuggestions(const AnsiString& Word, TStrings* List);

  // The application's help topics of the component's help contexts.
  void ShowSpellDialogHelp();
  void ShowConfigDialogHelp();
  void ShowDictionariesDialogHelp();
  void ShowDictionaryEditDialogHelp();

  TNotifyEvent OnConfigurationAvailable;
  TNotifyEvent OnCustomDictionaryAvailable;
  TWordPromptEvent OnPromptWord;

protected:
  // Forgets a component that is freed before the form.
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TLexemeSpell3Base* spell_ = nullptr;
  TCustomDictionary* dictionary_ = nullptr;
  TLexemeConfig* config_ = nullptr;
  TSpellOptions availableOptions_;
};

// Makes the classes that the spell dialogs' form texts name known to the form reader: the
// dialog control and the common controls. The dialogs call it before reading their form text.
void RegisterSpellFormClasses();
