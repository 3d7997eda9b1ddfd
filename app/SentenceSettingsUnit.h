// The Scripture settings ("Scripture settings"): the current project, with its versification and
// style sheet, the characters that shape sentences (their ends, what may stand around them, the
// bracket pairs of "brackets.txt" in the program folder) and the characters of the language.
// "&OK" stores them, makes the chosen project the current one and moves the project's list files
// that still have their old names to the new names in its work folder; the program then starts
// again. "Cancel" changes nothing.
#pragma once

#include "classlib/Forms.h"

class TAllScriptures;
class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;

// When `newPath` does not exist and `oldPath` does, the old file's lines are saved under the new
// name (its folder made when missing) and the old file is deleted. An old file whose lines cannot
// be saved under the new name is kept.
void MigrateListFile(const AnsiString& oldPath, const AnsiString& newPath);

// Moves the list files of older versions to their present names: the project's names lists,
// name comparison, book headings and hyphenated words from the project folder, the consistency
// lists' translations and the unwanted words from the program folder, each into the project's
// work folder (the project folder's "Pelorin" subfolder).
void MigrateListFiles(const AnsiString& projectFolder);

class TSentenceSettings : public TForm {
  CLASS_INFO(TSentenceSettings, TForm)
public:
  explicit TSentenceSettings(TComponent* AOwner);
  ~TSentenceSettings() override;

  TComboBox* ProjectComboBox = nullptr;
  TLabel* VersificationLabel = nullptr;
  TLabel* StyleSheetLabel = nullptr;
  TEdit* EndersEdit = nullptr;
  TEdit* IndifferentEdit = nullptr;
  TEdit* NonAdjacentEdit = nullptr;
  TEdit* RightOfQuotesEdit = nullptr;
  TMemo* BracketsMemo = nullptr;
  TEdit* SmallLettersEdit = nullptr;
  TEdit* CapitalsEdit = nullptr;
  TEdit* ExtraCharsEdit = nullptr;
  TEdit* FilteredOutEdit = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  // Shows the versification and style sheet of the project chosen.
  void ProjectComboBoxChange(TObject* Sender);
  void OKButtonClick(TObject* Sender);

private:
  TAllScriptures* projects_ = nullptr;
};
