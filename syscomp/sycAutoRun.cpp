#include "syscomp/sycAutoRun.h"

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

TsycAutoRun::TsycAutoRun(TComponent* AOwner) : TsycComponent(AOwner) {
  if (!IsDesigning()) FFileName = ParamStr(0);
}

void TsycAutoRun::Loaded() {
  inherited::Loaded();
  Apply();
}

// Nothing is written while the component is designed or read: a form's values come one by one,
// and Loaded applies them all at once.
void TsycAutoRun::Apply() {
  if (IsDesigning() || IsLoading()) return;
  Remove();
  if (FAutoRun && !FFileName.empty()) AddToAutoRun(FKind, FFileName);
}

// An empty name would stand for the key's default value, which is not ours.
void TsycAutoRun::Remove() {
  if (IsDesigning() || IsLoading() || FFileName.empty()) return;
  RemoveFromAutoRun(FKind, FFileName);
}

void TsycAutoRun::SetAutoRun(bool Value) {
  if (Value == FAutoRun) return;
  Remove();
  FAutoRun = Value;
  Apply();
}

void TsycAutoRun::SetFileName(const AnsiString& Value) {
  if (Value == FFileName) return;
  Remove();
  FFileName = Value;
  Apply();
}

void TsycAutoRun::SetKind(TsycAutoExecKind Value) {
  if (Value == FKind) return;
  Remove();
  FKind = Value;
  Apply();
}

PUBLISHED(TsycAutoRun) {
  Prop("AutoRun", &TsycAutoRun::GetAutoRun, &TsycAutoRun::SetAutoRun).Default(false);
  Prop("FileName", &TsycAutoRun::GetFileName, &TsycAutoRun::SetFileName);
  Prop("Kind", &TsycAutoRun::GetKind, &TsycAutoRun::SetKind).Default(aekMachineRun);
}
