// The spelling dialog ("Spelling"): shows the word at which a check stopped with suggestions for
// it, and lets the user ignore, change, add, auto-correct, undo or cancel. It holds no checking
// logic: every button gives a command through its dialog control, which passes it to the
// spell-check component, and the component tells it each word to show through the control's
// OnPromptWord. The spell-check component creates it when a check first needs it.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TEdit;
class TLabel;
class TListBox;
class TConfigurationDialogCtrl;

class TSpellDialog : public TForm {
  CLASS_INFO(TSpellDialog, TForm)
public:
  explicit TSpellDialog(TComponent* AOwner);

  TLabel* NotFoundText = nullptr;
  TEdit* NotFoundEdit = nullptr;
  TLabel* ReplaceWithText = nullptr;
  TEdit* ReplaceWithEdit = nullptr;
  TLabel* SuggestionsText = nullptr;
  TListBox* SuggestionsListbox = nullptr;
  TButton* UndoButton = nullptr;
  TButton* OptionsButton = nullptr;
  TButton* IgnoreAllButton = nullptr;
  TButton* IgnoreButton = nullptr;
  TButton* ChangeAllButton = nullptr;
  TButton* ChangeButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* AutoCorrectButton = nullptr;
  TButton* HelpButton = nullptr;
  TButton* CancelButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  // The word shown is a repeated pair.
  bool GetRepeatedMode() const { return repeated_; }

  void DialogControlConfigurationAvailable(TObject* Sender);
  void DialogControlPromptWord(TObject* Sender, const AnsiString& Word, bool Repeated);
  void IgnoreButtonClick(TObject* Sender);
  void IgnoreAllButtonClick(TObject* Sender);
  void ChangeButtonClick(TObject* Sender);
  void ChangeAllButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void AutoCorrectButtonClick(TObject* Sender);
  void UndoButtonClick(TObject* Sender);
  void CancelButtonClick(TObject* Sender);
  void OptionsButtonClick(TObject* Sender);
  void HelpButtonClick(TObject* Sender);
  void SuggestionsListboxClick(TObject* Sender);
  void SuggestionsListboxDblClick(TObject* Sender);
  void NotFoundEditDblClick(TObject* Sender);
  void ReplaceWithEditChange(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

protected:
  // Owned by the window of its owner's owner when a form holds the component or the checked
  // control, so that it stays above that form.
  void CreateParams(TCreateParams& Params) override;

private:
  // Enables or disables the commands as the component allows them (E false disables all).
  void EnableCommands(bool E);
  bool HasActiveCustomDictionary() const;
  bool Enabled(Integer Command) const;
  bool Visible(Integer Command) const;
  AnsiString Text(Integer Id) const;

  bool repeated_ = false;
  bool deactivated_ = false;
};
