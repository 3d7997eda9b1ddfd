#include "app/ExceptionsUnit.h"

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"

extern const char ExceptionsUnitFormText[];

PUBLISHED(TDlgExceptions) {
  Field("ExceptionsListBox", &TDlgExceptions::ExceptionsListBox);
  Field("RemoveButton", &TDlgExceptions::RemoveButton);
  Field("OKButton", &TDlgExceptions::OKButton);
  Method("RemoveButtonClick", &TDlgExceptions::RemoveButtonClick);
}

TDlgExceptions::TDlgExceptions(TComponent* AOwner, TStrings* ignoreList, TStrings* results)
    : TForm(AOwner), ignoreList_(ignoreList), results_(results) {
  ReadComponentFromText(this, ExceptionsUnitFormText);
  ExceptionsListBox->GetItems()->Assign(ignoreList_);
}

void TDlgExceptions::RemoveButtonClick(TObject*) {
  TStrings* items = ExceptionsListBox->GetItems();
  for (Integer i = items->GetCount() - 1; i >= 0; --i) {
    if (!ExceptionsListBox->GetSelected(i)) continue;
    results_->Add(items->GetStrings(i));
    items->Delete(i);
  }
  ignoreList_->Assign(items);
}
