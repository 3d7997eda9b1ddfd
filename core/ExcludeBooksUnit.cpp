#include "core/ExcludeBooksUnit.h"

#include <memory>

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"

extern const char ExcludeBooksUnitFormText[];

PUBLISHED(TExcludeBooksDialog) {
  Field("ListBox1", &TExcludeBooksDialog::ListBox1);
  Field("NoBooksButton", &TExcludeBooksDialog::NoBooksButton);
  Field("OTBooksButton", &TExcludeBooksDialog::OTBooksButton);
  Field("NTBooksButton", &TExcludeBooksDialog::NTBooksButton);
  Field("AllBooksButton", &TExcludeBooksDialog::AllBooksButton);
  Field("OKButton", &TExcludeBooksDialog::OKButton);
  Field("CancelButton", &TExcludeBooksDialog::CancelButton);
  Method("FormCreate", &TExcludeBooksDialog::FormCreate);
  Method("FormDestroy", &TExcludeBooksDialog::FormDestroy);
  Method("NoBooksButtonClick", &TExcludeBooksDialog::NoBooksButtonClick);
  Method("OTBooksButtonClick", &TExcludeBooksDialog::OTBooksButtonClick);
  Method("NTBooksButtonClick", &TExcludeBooksDialog::NTBooksButtonClick);
  Method("AllBooksButtonClick", &TExcludeBooksDialog::AllBooksButtonClick);
}

namespace {

}  // namespace

TExcludeBooksDialog::TExcludeBooksDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ExcludeBooksUnitFormText);
}

void TExcludeBooksDialog::FormCreate(TObject*) { SelectedNames = new TStringList(); }

void TExcludeBooksDialog::FormDestroy(TObject*) {
  delete SelectedNames;
  SelectedNames = nullptr;
}

void TExcludeBooksDialog::ShowBooks() {
  ListBox1->GetItems()->Assign(AllNames);
  for (int i = 0; i < ListBox1->GetItems()->GetCount(); ++i)
    ListBox1->SetSelected(i, SelectedNames->IndexOf(ListBox1->GetItems()->GetStrings(i)) >= 0);
}

void TExcludeBooksDialog::TakeSelection() {
  SelectedNames->Clear();
  for (int i = 0; i < ListBox1->GetItems()->GetCount(); ++i)
    if (ListBox1->GetSelected(i)) SelectedNames->Add(ListBox1->GetItems()->GetStrings(i));
}

void TExcludeBooksDialog::SelectRange(int first, int last) {
  for (int i = 0; i < ListBox1->GetItems()->GetCount(); ++i) {
    const AnsiString item = ListBox1->GetItems()->GetStrings(i);
    bool inRange = false;
    for (int book = first; book <= last && !inRange; ++book) inRange = item == EnglishBookName(book);
    ListBox1->SetSelected(i, inRange);
  }
}

void TExcludeBooksDialog::NoBooksButtonClick(TObject*) { SelectRange(1, 0); }
void TExcludeBooksDialog::OTBooksButtonClick(TObject*) { SelectRange(1, OldTestamentBookCount); }
void TExcludeBooksDialog::NTBooksButtonClick(TObject*) { SelectRange(OldTestamentBookCount + 1, BookCount); }

void TExcludeBooksDialog::AllBooksButtonClick(TObject*) {
  for (int i = 0; i < ListBox1->GetItems()->GetCount(); ++i) ListBox1->SetSelected(i, true);
}

void TScripture::SelectBooks() {
  std::unique_ptr<TScripture> all(new TScripture(Owner, ProjectIndex));
  std::unique_ptr<TExcludeBooksDialog> dialog(new TExcludeBooksDialog(Owner));
  dialog->AllNames = all->BookNames;
  dialog->AfterConstruction();
  dialog->SelectedNames->Assign(BookNames);
  dialog->ShowBooks();
  if (dialog->ShowModal() == mrOk) dialog->TakeSelection();

  BookNames->Clear();
  BookFiles->Clear();
  BookIds->Clear();
  for (int i = 0; i < all->BookNames->GetCount(); ++i) {
    if (dialog->SelectedNames->IndexOf(all->BookNames->GetStrings(i)) < 0) continue;
    BookNames->Add(all->BookNames->GetStrings(i));
    BookFiles->Add(all->BookFiles->GetStrings(i));
    BookIds->Add(all->BookIds->GetStrings(i));
  }
  dialog.reset();
  AllBooks = BookNames->GetCount() == all->BookNames->GetCount();
}
