// "Convert data to Paratext Checklists format": turns the definition and reference files of a
// consistency list, as last saved, into the checklist text that Paratext checks a translation
// against ("Convert"), shows it, and copies it to the clipboard ("To clipboard") for the user to
// paste into Paratext.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TMemo;
class TStringList;

class TCheckListsDialog : public TForm {
  CLASS_INFO(TCheckListsDialog, TForm)
public:
  explicit TCheckListsDialog(TComponent* AOwner);

  // Set by the opener before showing: the list's two files and its group names (in GroupNames,
  // which the dialog owns).
  AnsiString ReferenceFileName;
  AnsiString DefinitionFileName;
  TStringList* GroupNames = nullptr;

  // Components of the form text.
  TMemo* Memo1 = nullptr;
  TButton* ConvertButton = nullptr;
  TButton* ClipboardButton = nullptr;
  TButton* OKBtn = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void ConvertButtonClick(TObject* Sender);
  void ClipboardButtonClick(TObject* Sender);
};
