// Version approval ("Version approval"): keeps dated copies of the current project's books, so
// that every approved state of a book stays on disk with a note. The user picks a book and sees
// it; the program compares it with the newest saved copy (and saves the first copy at once when
// there is none); the user saves the book as a new dated copy, writes comments on it, and can look
// at any earlier copy with its comments. Copies live in the project's work folder (VersionCopies).
#pragma once

#include "classlib/Forms.h"
#include "tools/ChangeThumb.h"

class TButton;
class TComboBox;
class TListBox;
class TMemo;
class TPageControl;
class TScripture;
class TStatusBar;
class TStringList;
class TTabSheet;
class TUVStyle;
class VUzurUvad;
class VUzurUvadEdit;

class TVersionManagementDlg : public TForm {
  CLASS_INFO(TVersionManagementDlg, TForm)
public:
  explicit TVersionManagementDlg(TComponent* AOwner);

  // Components of the form text.
  TPageControl* PageControl1 = nullptr;
  TTabSheet* CurrentSheet = nullptr;
  TTabSheet* ApprovalSheet = nullptr;
  TTabSheet* CommentsSheet = nullptr;
  TTabSheet* PreviousSheet = nullptr;
  TListBox* BookListBox = nullptr;
  VUzurUvad* UzurUvad1 = nullptr;
  VUzurUvadEdit* UzurUvadEdit1 = nullptr;
  TButton* SaveButton = nullptr;
  TButton* ThumbButton = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* CommentsButton = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TMemo* Memo2 = nullptr;
  VUzurUvad* PVUzurUvad = nullptr;
  TButton* OKBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TUVStyle* UVStyle1 = nullptr;

  // The chosen book (0 while none), its file, the copy made last and the last comparison.
  Integer BookNumber = 0;
  AnsiString BookFile;
  AnsiString SavedCopy;
  bool Compared = false;
  Integer ChangeCount = 0;
  TStringList* ChangePositions = nullptr;  // in document order
  TStringList* PreviousCopies = nullptr;   // full paths, oldest first

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void BookListBoxClick(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void SaveButtonClick(TObject* Sender);
  void ThumbButtonClick(TObject* Sender);
  void CommentsButtonClick(TObject* Sender);
  void ComboBox1Change(TObject* Sender);

private:
  void ShowStatus(const AnsiString& text);
  void FindPreviousCopies();
  void ProduceApprovalComparison();
  // Saves the book as a dated copy with its first comments; false (said in the status bar) when
  // the copy could not be written.
  bool SaveVersion();
  AnsiString BookName() const;

  TScripture* Books = nullptr;
  TChangeThumb Thumb;
};
