// The print settings ("Settings for printing", menu Settings, "P&rinting"): everything the
// typeset Bible and the e-books are made with. Page set-up (paper, margins, mirrored margins, line
// spacing, the PDF folder), the page headers (each book's heading, the date, capitals), the extra
// pages (whether each may be printed, and editing them in "Editor\editor.exe"), hyphenation (the
// rule, the distance from a word's ends, consonants and vowels, the words hyphenated by hand) and
// the e-books (folder, font size, builder program). "&OK" stores them all; "Cancel" nothing.
#pragma once

#include <array>

#include "classlib/Forms.h"
#include "tools/BookHeadings.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TPageControl;
class TRadioGroup;
class TTabSheet;
class TTrackBar;
class TUpDown;
class TUVStyle;
class TVisExtSpinEdit;
class VUzurUvadEdit;

class TBibleSettingsDialog : public TForm {
  CLASS_INFO(TBibleSettingsDialog, TForm)
public:
  explicit TBibleSettingsDialog(TComponent* AOwner);

  // "HyphenatedWords.txt" in the current project's work folder.
  static AnsiString HyphenatedWordsFileName();
  // "Font size of the ebook: " and the word of a track-bar position ("smallest" ... "largest").
  static AnsiString EBookFontSizeText(Integer position);

  // The folders and the builder program chosen; the buttons show them.
  AnsiString PDFFolder;
  AnsiString EBookFolder;
  AnsiString ReaderWorksProgram;

  TPageControl* PageControl1 = nullptr;
  TTabSheet* PageSetupSheet = nullptr;
  TComboBox* PaperSizeComboBox = nullptr;
  TVisExtSpinEdit* TopMarginEdit = nullptr;
  TVisExtSpinEdit* BottomMarginEdit = nullptr;
  TVisExtSpinEdit* LeftMarginEdit = nullptr;
  TVisExtSpinEdit* RightMarginEdit = nullptr;
  TCheckBox* MirrorCheckBox = nullptr;
  TEdit* Edit5 = nullptr;
  TUpDown* UpDown5 = nullptr;
  TButton* PDFFolderButton = nullptr;
  TListBox* HeadersListBox = nullptr;
  TEdit* HeadingEdit = nullptr;
  TCheckBox* DateCheckBox = nullptr;
  TCheckBox* AllCapsCheckBox = nullptr;
  // By extra page kind: cover, first, Old and New Testament title, last.
  std::array<TCheckBox*, 5> PageCheckBoxes{};
  std::array<TButton*, 5> PageButtons{};
  TRadioGroup* HyphenationGroup = nullptr;
  TEdit* NoHyphNumberEdit = nullptr;
  TUpDown* NoHyphNumberUpDown = nullptr;
  TEdit* ConsonantsEdit = nullptr;
  TEdit* VowelsEdit = nullptr;
  VUzurUvadEdit* HyphenUzurUvadEdit = nullptr;
  TButton* eBookButton = nullptr;
  TLabel* eBookFontSizeLabel = nullptr;
  TTrackBar* FontSizeTrackBar = nullptr;
  TButton* ReaderWorksButton = nullptr;
  TButton* OKBtn = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void HeadersListBoxClick(TObject* Sender);
  void HeadingEditChange(TObject* Sender);
  void CoverPageButtonClick(TObject* Sender);
  void FirstPageButtonClick(TObject* Sender);
  void OTPageButtonClick(TObject* Sender);
  void NTPageButtonClick(TObject* Sender);
  void LastPageButtonClick(TObject* Sender);
  void CoverPageCheckBoxClick(TObject* Sender);
  void FirstPageCheckBoxClick(TObject* Sender);
  void OTPageCheckBoxClick(TObject* Sender);
  void NTPageCheckBoxClick(TObject* Sender);
  void LastPageCheckBoxClick(TObject* Sender);
  void eBookButtonClick(TObject* Sender);
  void PDFFolderButtonClick(TObject* Sender);
  void ReaderWorksButtonClick(TObject* Sender);
  void FontSizeTrackBarChange(TObject* Sender);

private:
  // Opens the kind's document in the editor; says so when that fails.
  void EditExtraPage(int kind);
  // Each "Edit" button is enabled exactly when its check box is checked.
  void UpdateEditButtons();
  // The buttons show their folder or file ("&" shown as itself).
  void ShowChoices();
  // Writes a file of the settings; on failure says so and returns false.
  bool Saved(Cardinal error, const AnsiString& fileName);

  TBookHeadings headings_;
};
