#include "app/OTNTDialogUnit.h"

#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "core/MyRegistry.h"
#include "core/TypesConstants.h"

extern const char OTNTDialogUnitFormText[];

PUBLISHED(TOTNTDialog) {
  Field("TestamentRadioGroup", &TOTNTDialog::TestamentRadioGroup);
  Field("OKButton", &TOTNTDialog::OKButton);
  Field("CancelButton", &TOTNTDialog::CancelButton);
  Method("FormCreate", &TOTNTDialog::FormCreate);
  Method("OKButtonClick", &TOTNTDialog::OKButtonClick);
}

TOTNTDialog::TOTNTDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, OTNTDialogUnitFormText);
}

void TOTNTDialog::BookRange(Integer testament, int& first, int& last) {
  first = testament == 1 ? OldTestamentBookCount + 1 : 1;
  last = testament == 0 ? OldTestamentBookCount : BookCount;
}

void TOTNTDialog::FormCreate(TObject*) {
  // A stored value out of range selects nothing; OK then keeps what is stored.
  TestamentRadioGroup->SetItemIndex(MyReg->GetTestament());
}

void TOTNTDialog::OKButtonClick(TObject*) {
  if (TestamentRadioGroup->GetItemIndex() >= 0) MyReg->SetTestament(TestamentRadioGroup->GetItemIndex());
}

bool ChooseTestament(TComponent* owner) {
  std::unique_ptr<TOTNTDialog> dialog(new TOTNTDialog(owner));
  return dialog->ShowModal() == mrOk;
}
