// Print versions ("Print Versions"): one book in up to seven versions (Paratext projects) verse
// block by verse block, each block a one-cell table holding the verse from every chosen version in
// that project's language font, optionally with the same verse from a word-level comparison of a
// newer and an older version. While versions are chosen an example shows the first verse of each;
// "&Produce" builds the whole document, "&To editor" hands it to the results list window for
// saving, printing or PDF.
#pragma once

#include <array>

#include "classlib/Forms.h"

class TAllScriptures;
class TButton;
class TComboBox;
class TStatusBar;
class TUVStyle;
class VUzurUvad;
class VUzurUvadEdit;

class TPrintVersionsDlg : public TForm {
  CLASS_INFO(TPrintVersionsDlg, TForm)
public:
  explicit TPrintVersionsDlg(TComponent* AOwner);

  // Components of the form text.
  std::array<TComboBox*, 7> VersionComboBoxes{};  // Version1ComboBox .. Version7ComboBox
  TComboBox* FileNamesComboBox = nullptr;
  TComboBox* NewerComboBox = nullptr;
  TComboBox* OlderComboBox = nullptr;
  TButton* ProduceBtn = nullptr;
  TButton* ClipboardBtn = nullptr;
  TButton* OKBtn = nullptr;
  VUzurUvadEdit* UzurUvadEdit1 = nullptr;  // the document
  VUzurUvad* UzurUvad1 = nullptr;          // the comparison, not shown
  TStatusBar* StatusBar1 = nullptr;
  TUVStyle* UVStyle1 = nullptr;
  TUVStyle* UVStyle2 = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void Version1ComboBoxChange(TObject* Sender);
  // Version2ComboBoxChange to Version7ComboBoxChange, FileNamesComboBoxChange,
  // NewerComboBoxChange and OlderComboBoxChange: the example of the choice.
  void ExampleChange(TObject* Sender);
  void ProduceBtnClick(TObject* Sender);
  void ClipboardBtnClick(TObject* Sender);

  // Builds the whole document (Full) or the example into the editor.
  void ProduceVersions(bool Full);

private:
  void ShowStatus(const AnsiString& text);

  TAllScriptures* Projects = nullptr;
};
