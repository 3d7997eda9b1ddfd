// The consistency-list dialog: one window for the seven lists of source-language words (flora and
// fauna, borrowed words, keywords, names), set up per list by the main menu. The user picks a
// group, then a word of it, and types the word's translation into the project's language; the
// dialog shows the verses where the word occurs and produces the reference list of one word or of
// all, which the results window shows and sends to Paratext. "&Edit keywords" opens the keywords
// editor on the same list.
//
// The reference and definition files belong to the program (program folder) and are only read
// here; the translations belong to the project (its work folder) and are saved on "&OK" or when
// the user agrees on closing.
#pragma once

#include <vector>

#include "classlib/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TListBox;
class TListDatabase;
class TMemo;
class TStatusBar;

class TFloraAndFaunaDlg : public TForm {
  CLASS_INFO(TFloraAndFaunaDlg, TForm)
public:
  explicit TFloraAndFaunaDlg(TComponent* AOwner);

  // Set by the caller before SetupReferenceListDialog: the source language ("Hebrew", "Greek"),
  // the full paths of the list's three files and the kind of list (1 to 4), which chooses the
  // group names.
  AnsiString LanguageLabel;
  AnsiString ReferenceFileName;
  AnsiString DefinitionFileName;
  AnsiString TranslationFileName;
  Integer ListKind = 0;

  // Reads the reference and definition files afresh (the translations only the first time, so
  // that translations not yet saved survive) and shows the list's groups, none chosen. Lines of
  // the files that cannot be read are left out and named in a message.
  void SetupReferenceListDialog();

  // The three tables (owned).
  TListDatabase* ReferenceDatabase = nullptr;
  TListDatabase* DefinitionDatabase = nullptr;
  TListDatabase* TranslationDatabase = nullptr;
  // For each line of the definitions list, the index of its definition record.
  std::vector<Integer> DefinitionIndexes;
  // The line of the definitions list shown in the edits, or -1.
  Integer SelectedDefinition = -1;
  // True while the dialog itself fills the translation edit, whose change is then not stored.
  bool FillingEdits = false;

  // Components of the form text.
  TLabel* GroupLabel = nullptr;
  TComboBox* GroupComboBox = nullptr;
  TListBox* FloraFaunaListBox = nullptr;
  TGroupBox* TranslationGroupBox = nullptr;
  TLabel* OriginalLanguageLabel = nullptr;
  TEdit* HebrewGreekEdit = nullptr;
  TEdit* EnglishEdit = nullptr;
  TEdit* TargetEdit = nullptr;
  TMemo* ReferencesMemo = nullptr;
  TButton* ProduceSelectedButton = nullptr;
  TButton* ProduceAllButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // --- Handlers named by the form text
  void GroupComboBoxChange(TObject* Sender);
  void FloraFaunaListBoxClick(TObject* Sender);
  void TargetEditChange(TObject* Sender);
  void ProduceSelectedButtonClick(TObject* Sender);
  void ProduceAllButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  // Shows the keyword, gloss, translation and references of the selected definition.
  void ShowSelectedDefinition();
  // Writes the reference list of the keyword (of every keyword when empty) into the Paratext
  // projects folder's "pelorin.ref", in the project's versification; false, after saying why,
  // when the file could not be written.
  bool ProduceReferences(const AnsiString& filter);
  // Shows "pelorin.ref" in the results window.
  void ShowReferenceList();
  // Saves the translations; false, after saying why, when they could not be saved.
  bool SaveTranslations();

  bool translationsReported_ = false;
};
