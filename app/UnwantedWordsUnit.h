// The unwanted words list ("Unwanted words"): the words and phrases that should not occur in the
// translation, each with a comment, kept in "UnwantedWords.txt" of the current project's work folder;
// the mechanical proofreading reports every occurrence. "&OK" saves the list and closes with 6 when
// it was changed (the main window then checks every book again), else with 1.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TLabel;
class TListBox;
class TScripture;

class TUnwantedWordsDlg : public TForm {
  CLASS_INFO(TUnwantedWordsDlg, TForm)
public:
  explicit TUnwantedWordsDlg(TComponent* AOwner);

  TListBox* ListBox1 = nullptr;
  TEdit* Edit1 = nullptr;          // the word or phrase
  TCheckBox* CheckBox1 = nullptr;  // "Search for whole words"
  TEdit* Edit2 = nullptr;          // the comment
  TEdit* Edit3 = nullptr;          // the text searched for in the list
  TButton* EnterBtn = nullptr;
  TButton* RemoveBtn = nullptr;
  TButton* Button1 = nullptr;  // "&Search"
  TLabel* Status = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  // The current project, for its work folder.
  TScripture* Scripture = nullptr;
  // Set by entering and removing, also when nothing was added or removed.
  bool ListsChanged = false;
  // The line the next search in the list starts at.
  Integer SearchPosition = 0;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void EnterBtnClick(TObject* Sender);
  void RemoveBtnClick(TObject* Sender);
  void Edit1Change(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Edit3Change(TObject* Sender);

private:
  // Selects the entry's line alone and scrolls it into view.
  void ShowEntry(const AnsiString& entry);
  AnsiString ListPath() const;
};
