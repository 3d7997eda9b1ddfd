// Keeps the program in one of the registry's auto-run keys.
#pragma once

#include "syscomp/sycComponentBase.h"
#include "syscomp/sycSysUtils.h"

// While AutoRun is set, FileName has a value (named by its file name) in the key of Kind; every
// change moves or removes it. The service kinds do not exist on the NT platform.
class TsycAutoRun : public TsycComponent {
  CLASS_INFO(TsycAutoRun, TsycComponent)
public:
  // FileName starts as the program's own full name (not in a designer).
  explicit TsycAutoRun(TComponent* AOwner);

  void Loaded() override;
  // Removes the value, then writes it again when AutoRun is set.
  virtual void Apply();
  virtual void Remove();

  bool GetAutoRun() const { return FAutoRun; }
  void SetAutoRun(bool Value);
  const AnsiString& GetFileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value);
  TsycAutoExecKind GetKind() const { return FKind; }
  void SetKind(TsycAutoExecKind Value);

private:
  bool FAutoRun = false;
  AnsiString FFileName;
  TsycAutoExecKind FKind = aekMachineRun;
};
