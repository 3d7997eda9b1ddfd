// The Paratext settings ("Paratext settings"): the folder of the Paratext projects, typed or chosen
// in a folder browser. "&OK" stores it; "Cancel" changes nothing.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TEdit;

class TParatextSettingsDialog : public TForm {
  CLASS_INFO(TParatextSettingsDialog, TForm)
public:
  explicit TParatextSettingsDialog(TComponent* AOwner);

  TEdit* FolderEdit = nullptr;
  TButton* BrowseButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  // Puts the folder chosen in the browser, with a trailing backslash, into the edit.
  void BrowseButtonClick(TObject* Sender);
  void OKButtonClick(TObject* Sender);
};
