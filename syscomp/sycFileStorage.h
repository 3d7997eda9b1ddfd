// File storage: keeps the bytes of a file inside a form (stored with it as the raw property
// "FileData") and can write them back to a file when the program starts.
#pragma once

#include "classlib/Streams.h"
#include "syscomp/sycComponentBase.h"

using TsycFileStorageOnFileOperation = Closure<void(TObject* Sender, bool Successful)>;
using TsycFileStorageOnConfirmOverride = Closure<void(TObject* Sender, bool& OverrideFile)>;

class TsycCustomFileStorage : public TsycComponent {
  CLASS_INFO(TsycCustomFileStorage, TsycComponent)
public:
  explicit TsycCustomFileStorage(TComponent* AOwner);
  ~TsycCustomFileStorage() override;

  void DefineProperties(TFiler* Filer) override;
  // With AutoSave, writes the stored bytes to SaveName once the form has been read.
  void Loaded() override;

  // Replaces the stored bytes by the whole file; false (and nothing stored) when it does not
  // exist or cannot be read. OnLoad tells the outcome.
  virtual bool LoadFromFile(const AnsiString& Name);
  // Writes the stored bytes to a file; an existing file is replaced only when OnConfirmOverride
  // allows it. OnSave tells the outcome.
  virtual bool SaveToFile(const AnsiString& Name);
  virtual void Load() { LoadFromFile(FFileName); }
  virtual void Save() { SaveToFile(FSaveName); }
  // The "FileData" form: a 4-byte little-endian size and that many bytes.
  virtual void ReadData(TStream* Stream);
  virtual void WriteData(TStream* Stream);
  // Forgets the stored bytes.
  virtual void Clear();

  bool GetAutoSave() const { return FAutoSave; }
  // In a designer, refused (with a warning) while SaveName cannot be created.
  virtual void SetAutoSave(bool Value);
  const AnsiString& GetFileName() const { return FFileName; }
  // In a designer, also loads the file.
  virtual void SetFileName(const AnsiString& Value);
  const AnsiString& GetSaveName() const { return FSaveName; }
  // In a designer, a name that cannot be created clears AutoSave.
  void SetSaveName(const AnsiString& Value);
  virtual Cardinal GetDataSize() const { return FDataSize; }
  // The size follows the data; writing it does nothing.
  virtual void SetDataSize(Cardinal) {}
  // The stored bytes.
  TMemoryStream* GetData() const { return FData; }

  TsycFileStorageOnFileOperation OnLoad;
  TsycFileStorageOnFileOperation OnSave;
  TsycFileStorageOnConfirmOverride OnConfirmOverride;

private:
  bool FAutoSave = false;
  Cardinal FDataSize = 0;
  AnsiString FFileName;
  AnsiString FSaveName;
  TMemoryStream* FData;
};

class TsycFileStorage : public TsycCustomFileStorage {
  CLASS_INFO(TsycFileStorage, TsycCustomFileStorage)
public:
  using TsycCustomFileStorage::TsycCustomFileStorage;
};
