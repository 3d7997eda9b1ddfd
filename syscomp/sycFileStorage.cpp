#include "syscomp/sycFileStorage.h"

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycConsts.h"
#include "syscomp/sycSysUtils.h"

TsycCustomFileStorage::TsycCustomFileStorage(TComponent* AOwner) : TsycComponent(AOwner), FData(new TMemoryStream()) {}

TsycCustomFileStorage::~TsycCustomFileStorage() { delete FData; }

void TsycCustomFileStorage::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty("FileData", TStreamProc(this, &TsycCustomFileStorage::ReadData),
                              TStreamProc(this, &TsycCustomFileStorage::WriteData), FDataSize > 0);
}

void TsycCustomFileStorage::Loaded() {
  inherited::Loaded();
  if (FAutoSave && !IsDesigning()) Save();
}

void TsycCustomFileStorage::Clear() {
  FData->Clear();
  FDataSize = 0;
}

bool TsycCustomFileStorage::LoadFromFile(const AnsiString& Name) {
  Clear();
  bool ok = false;
  if (FileExists(Name)) {
    try {
      FData->LoadFromFile(Name);
      FDataSize = static_cast<Cardinal>(FData->GetSize());
      ok = true;
    } catch (const Exception&) {
      Clear();
    }
  }
  if (OnLoad) OnLoad(this, ok);
  return ok;
}

bool TsycCustomFileStorage::SaveToFile(const AnsiString& Name) {
  bool allowed = true;
  if (FileExists(Name) && OnConfirmOverride) OnConfirmOverride(this, allowed);
  bool ok = false;
  if (allowed && !Name.empty()) {
    try {
      FData->SaveToFile(Name);
      ok = true;
    } catch (const Exception&) {
      ok = false;
    }
  }
  if (OnSave) OnSave(this, ok);
  return ok;
}

void TsycCustomFileStorage::ReadData(TStream* Stream) {
  Clear();
  Cardinal size = 0;
  Stream->ReadBuffer(&size, sizeof size);
  if (size > 0) {
    FData->SetSize(size);
    Stream->ReadBuffer(FData->GetMemory(), static_cast<Integer>(size));
  }
  FDataSize = size;
}

void TsycCustomFileStorage::WriteData(TStream* Stream) {
  const Cardinal size = FDataSize;
  Stream->WriteBuffer(&size, sizeof size);
  if (size > 0) Stream->WriteBuffer(FData->GetMemory(), static_cast<Integer>(size));
}

void TsycCustomFileStorage::SetAutoSave(bool Value) {
  if (Value && IsDesigning() && !IsLoading() && !CanCreateFile(FSaveName)) {
    ::MessageBoxA(::GetActiveWindow(), SsycWrongSaveName, SsycWarning, MB_OK | MB_ICONWARNING);
    Value = false;
  }
  FAutoSave = Value;
}

void TsycCustomFileStorage::SetFileName(const AnsiString& Value) {
  FFileName = Value;
  if (IsDesigning() && !IsLoading()) Load();
}

void TsycCustomFileStorage::SetSaveName(const AnsiString& Value) {
  FSaveName = Value;
  if (IsDesigning() && !IsLoading() && !CanCreateFile(Value)) FAutoSave = false;
}

PUBLISHED(TsycFileStorage) {
  Prop("SaveName", &TsycFileStorage::GetSaveName, &TsycFileStorage::SetSaveName);
  Prop("FileName", &TsycFileStorage::GetFileName, &TsycFileStorage::SetFileName);
  Prop("DataSize", &TsycFileStorage::GetDataSize, &TsycFileStorage::SetDataSize).Stored(false);
  Prop("AutoSave", &TsycFileStorage::GetAutoSave, &TsycFileStorage::SetAutoSave).Default(false);
  Prop("OnLoad", &TsycFileStorage::OnLoad);
  Prop("OnSave", &TsycFileStorage::OnSave);
  Prop("OnConfirmOverride", &TsycFileStorage::OnConfirmOverride);
}
