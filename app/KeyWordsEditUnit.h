// The keywords editor ("Keywords"): maintains the definition and reference files of one
// consistency list in four steps: the keywords (add, delete), each keyword's English gloss, its
// group, and its references (typed one by one or taken from the exchange file "pelorin.ref",
// numbered by their occurrence in the verse, deleted, or written to "pelorin.ref"). The references
// are kept in canonical order. Changes are saved on "&OK" or when the user agrees on closing. In
// expanded mode it also turns the list into the checklist text of Paratext.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TListBox;
class TListDatabase;
class TStatusBar;

class TKeyWordsEditDialog : public TForm {
  CLASS_INFO(TKeyWordsEditDialog, TForm)
public:
  explicit TKeyWordsEditDialog(TComponent* AOwner);

  // Set by the opener, with the group names in GroupComboBox, before OpenKeywordDatabases.
  AnsiString ReferenceFileName;
  AnsiString DefinitionFileName;

  // Reads both files, fills the keyword list and shows its first keyword. Lines of the files that
  // cannot be read are left out and named in a message.
  void OpenKeywordDatabases();

  TListDatabase* ReferenceDatabase = nullptr;   // owned
  TListDatabase* DefinitionDatabase = nullptr;  // owned
  // The item number of the selected reference, -1 when none.
  Integer CurrentItem = -1;
  // True while the editor fills the gloss and group, whose changes are then not stored.
  bool FillingControls = false;

  // Components of the form text.
  TComboBox* KeywordComboBox = nullptr;
  TButton* DeleteButton = nullptr;
  TEdit* NewEdit = nullptr;
  TButton* AddKeywordButton = nullptr;
  TEdit* EnglishEdit = nullptr;
  TComboBox* GroupComboBox = nullptr;
  TListBox* ReferencesListBox = nullptr;
  TComboBox* ItemComboBox = nullptr;
  TButton* DelRefButton = nullptr;
  TEdit* NewReferenceEdit = nullptr;
  TButton* AddReferenceButton = nullptr;
  TButton* LoadButton = nullptr;
  TButton* SaveButton = nullptr;
  TButton* CheckListsButton = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void OKBtnClick(TObject* Sender);
  void KeywordComboBoxChange(TObject* Sender);
  void AddKeywordButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void EnglishEditChange(TObject* Sender);
  void GroupComboBoxChange(TObject* Sender);
  void ReferencesListBoxClick(TObject* Sender);
  void ItemComboBoxChange(TObject* Sender);
  void AddReferenceButtonClick(TObject* Sender);
  void DelRefButtonClick(TObject* Sender);
  void LoadButtonClick(TObject* Sender);
  void SaveButtonClick(TObject* Sender);
  void CheckListsButtonClick(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  // Says why the user's command is refused, with a beep.
  void Refuse(const AnsiString& text);
  // The keyword selected, empty when none.
  AnsiString SelectedKeyword();
  // Fills the keyword list from the definitions.
  void FillKeywordList();
  // Selects the keyword's line (letter case aside) and shows it.
  void ShowKeyword(const AnsiString& keyword);
  // Fills the references list with the current keyword's references, keeping the reference
  // selected where it can.
  void RefreshReferenceList();
  // The Paratext projects folder's "pelorin.ref".
  AnsiString ExchangeFilePath();
  // Saves each table that changed; false, after saying why, when one could not be saved.
  bool SaveChanges();
};
