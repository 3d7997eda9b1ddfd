// The advanced search ("Advanced Search"): searches the running text of the current project's books
// in one of five modes and lists the hits; modes 1, 2, 3 and 5 also save them to "pelorin.ref" of
// the Paratext projects folder, which "&Results to editor" shows, and mode 4 writes the word list
// "SearchData.txt" of the work folder that mode 5 searches for. "&OK" (also Escape) stores what was
// typed and the word list.
#pragma once

#include "classlib/Forms.h"
#include "classlib/Strings.h"

class TButton;
class TEdit;
class TListBox;
class TMemo;
class TRadioButton;
class TScripture;
class TStatusBar;
class TUSFM;

class TAdvancedSearchForm : public TForm {
  CLASS_INFO(TAdvancedSearchForm, TForm)
public:
  explicit TAdvancedSearchForm(TComponent* AOwner);

  TListBox* ResultsBox = nullptr;
  TRadioButton* SearchRadioButton = nullptr;   // "&1 Search -->"
  TRadioButton* CAPSRadioButton = nullptr;     // "&2 Search ALL CAPS"
  TRadioButton* Search2RadioButton = nullptr;  // "&3 Search -->"
  TRadioButton* Search3RadioButton = nullptr;  // "&4 Search -->"
  TRadioButton* Search4RadioButton = nullptr;  // "&5 Search -->"
  TEdit* W = nullptr;
  TEdit* P[4] = {};
  TEdit* F[4] = {};
  TEdit* V[4] = {};
  TEdit* WW = nullptr;
  TMemo* PelorinTxtMemo = nullptr;
  TButton* OKBtn = nullptr;
  TButton* SelectBooksBtn = nullptr;
  TButton* SearchBtn = nullptr;
  TButton* RPButton = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // The current project's books (with the selection of books) and the marker checker over them.
  TScripture* Scripture = nullptr;
  TUSFM* USFM = nullptr;
  // The characters left out of the searched text, from the setting "Chars Filtered Out".
  TCharSet FilteredOutChars;

  // Colours the controls of the mode (as the mode buttons number it: "&1" 1, "&2" 0, "&3" 2, "&4"
  // 3, "&5" 4) as active and the others as inactive; only mode 4 makes the word list editable.
  void SetSearchMode(Integer mode);

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void SearchBtnClick(TObject* Sender);
  void SelectBooksBtnClick(TObject* Sender);
  void RPButtonClick(TObject* Sender);
  void SearchRadioButtonClick(TObject* Sender);
  void CAPSRadioButtonClick(TObject* Sender);
  void Search2RadioButtonClick(TObject* Sender);
  void Search3RadioButtonClick(TObject* Sender);
  void Search4RadioButtonClick(TObject* Sender);

private:
  // The edits and their setting names: W, P1..P4, F1..F4, V1..V4, WW.
  template <class Action>
  void ForEachEdit(Action action);
  Integer CheckedMode();
  void ShowStatus(const AnsiString& text);
  AnsiString WordListPath() const;
};
