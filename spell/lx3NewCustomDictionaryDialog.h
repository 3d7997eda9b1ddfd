// Asks for the name of a new custom dictionary.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TEdit;
class TLabel;
class TConfigurationDialogCtrl;

class TNewCustomDictionary : public TForm {
  CLASS_INFO(TNewCustomDictionary, TForm)
public:
  explicit TNewCustomDictionary(TComponent* AOwner);

  TLabel* EditLabel = nullptr;
  TEdit* NameEdit = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  void DialogControlConfigurationAvailable(TObject* Sender);
};
