// The BibleWorks settings ("BibleWorks settiings"): the abbreviations of the Hebrew and Greek
// versions that BibleWorks shows when it cannot find a verse in its current version, its program
// file name (the DDE service) and its folder (where the reference list "pelorin.vls" is
// exchanged), shown on a button that opens a folder browser there. "&OK" stores all four;
// "Cancel" changes nothing.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TEdit;

class TBibleWorksSettingsDialog : public TForm {
  CLASS_INFO(TBibleWorksSettingsDialog, TForm)
public:
  explicit TBibleWorksSettingsDialog(TComponent* AOwner);

  TEdit* HebrewEdit = nullptr;
  TEdit* GreekEdit = nullptr;
  TEdit* FileNameEdit = nullptr;
  TButton* FolderButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  void FolderButtonClick(TObject* Sender);
  void OKButtonClick(TObject* Sender);
};
