// The "Spelling Options" dialog: the main dictionaries to use, the custom dictionary that
// receives added words, the options, and buttons for the custom dictionaries dialog and for the
// defaults. Every change goes to the spell component's configuration at once, so there is no
// Cancel button.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TGroupBox;
class TLabel;
class TImageList;
class TConfigurationDialogCtrl;

class TSpellCheckConfigDialog : public TForm {
  CLASS_INFO(TSpellCheckConfigDialog, TForm)
public:
  explicit TSpellCheckConfigDialog(TComponent* AOwner);

  TGroupBox* OptionsGroup = nullptr;
  TCheckBox* Options[10] = {};
  TGroupBox* DictionariesGroup = nullptr;
  TListView* MainDictionaries = nullptr;
  TLabel* CustomLabel = nullptr;
  TComboBox* CustomCombo = nullptr;
  TButton* DictionariesButton = nullptr;
  TButton* OK = nullptr;
  TButton* HelpButton = nullptr;
  TButton* ResetButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;
  TImageList* XPImageList = nullptr;

  void DialogControlConfigurationAvailable(TObject* Sender);
  void MainDictionariesChange(TObject* Sender, TListItem* Item, TItemChange Change);
  void MainDictionariesClick(TObject* Sender);
  void MainDictionariesSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void OptionsClick(TObject* Sender);
  void CustomComboChange(TObject* Sender);
  void DictionariesButtonClick(TObject* Sender);
  void ResetButtonClick(TObject* Sender);
  void HelpButtonClick(TObject* Sender);
  void FormShow(TObject* Sender);

private:
  void FillMainDictionaries();
  void FillCustomCombo();
  // Returns the number of option boxes left hidden.
  Integer FillOptions();
  void SizeColumns();
  bool LocateRowShown() const;

  bool filling_ = false;
};
