// The dialog through which the user narrows a project's books to some of them (TScripture's
// SelectBooks): every book of the project in a list of five columns, selected while included,
// with buttons that select none, the Old Testament, the New Testament or all books.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TListBox;
class TStringList;
class TStrings;

class TExcludeBooksDialog : public TForm {
  CLASS_INFO(TExcludeBooksDialog, TForm)
public:
  explicit TExcludeBooksDialog(TComponent* AOwner);

  // Fills the list with AllNames and selects the names SelectedNames holds.
  void ShowBooks();
  // SelectedNames := the selected names, in list order.
  void TakeSelection();

  // The names of all the project's books; set by the caller, not owned.
  TStrings* AllNames = nullptr;
  // The names chosen; made when the dialog is created and freed with it.
  TStringList* SelectedNames = nullptr;

  TListBox* ListBox1 = nullptr;
  TButton* NoBooksButton = nullptr;
  TButton* OTBooksButton = nullptr;
  TButton* NTBooksButton = nullptr;
  TButton* AllBooksButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void NoBooksButtonClick(TObject* Sender);
  void OTBooksButtonClick(TObject* Sender);
  void NTBooksButtonClick(TObject* Sender);
  void AllBooksButtonClick(TObject* Sender);

private:
  // Clears the selection and selects the items equal (letter case counts) to the English names
  // of books first..last.
  void SelectRange(int first, int last);
};
