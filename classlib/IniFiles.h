// Settings stored as sections of named values: in an ini file through the system's profile
// calls (TIniFile), in an ini file held in memory (TMemIniFile), or as subkeys of a registry key
// (TRegistryIniFile).
#pragma once

#include <memory>

#include "classlib/WinApi.h"

class TStrings;
class TStringList;
class TRegistry;

// An ini file that cannot be written.
class EIniFileException : public Exception {
  CLASS_INFO(EIniFileException, Exception)
public:
  using Exception::Exception;
};

// The common interface. Reading a value that is missing, or that does not convert, gives the
// default. Numbers are stored as decimal text, booleans as "1" and "0", dates and floats in the
// locale's format.
class TCustomIniFile : public TObject {
  CLASS_INFO(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(const AnsiString& FileName) : FFileName(FileName) {}

  // Whether the section holds at least one value.
  bool SectionExists(const AnsiString& Section);
  bool ValueExists(const AnsiString& Section, const AnsiString& Ident);

  virtual AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) = 0;
  virtual void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) = 0;
  // Decimal, or hexadecimal written as "0x1F" or "$1F".
  virtual Integer ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default);
  virtual void WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value);
  // Any number other than 0 is true.
  virtual bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default);
  virtual void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value);
  virtual TDateTime ReadDate(const AnsiString& Section, const AnsiString& Name, TDateTime Default);
  virtual TDateTime ReadDateTime(const AnsiString& Section, const AnsiString& Name, TDateTime Default);
  virtual double ReadFloat(const AnsiString& Section, const AnsiString& Name, double Default);
  virtual void WriteDate(const AnsiString& Section, const AnsiString& Name, TDateTime Value);
  virtual void WriteDateTime(const AnsiString& Section, const AnsiString& Name, TDateTime Value);
  virtual void WriteFloat(const AnsiString& Section, const AnsiString& Name, double Value);

  // Replaces Strings with the names of the section's values.
  virtual void ReadSection(const AnsiString& Section, TStrings* Strings) = 0;
  // Replaces Strings with the names of all sections.
  virtual void ReadSections(TStrings* Strings) = 0;
  // Replaces Strings with the section's values as "name=value" lines.
  virtual void ReadSectionValues(const AnsiString& Section, TStrings* Strings) = 0;
  virtual void EraseSection(const AnsiString& Section) = 0;
  virtual void DeleteKey(const AnsiString& Section, const AnsiString& Ident) = 0;
  // Makes sure that what was written is in the file.
  virtual void UpdateFile() = 0;

  const AnsiString& GetFileName() const noexcept { return FFileName; }

protected:
  AnsiString FFileName;
};

// An ini file read and written through the system's profile calls. A file name without a folder
// means a file in the Windows folder.
class TIniFile : public TCustomIniFile {
  CLASS_INFO(TIniFile, TCustomIniFile)
public:
  explicit TIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {}
  ~TIniFile() override;

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
  // Raises EIniFileException "Unable to write to <file>" when the file cannot be written.
  void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
  void ReadSection(const AnsiString& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const AnsiString& Section, TStrings* Strings) override;
  void EraseSection(const AnsiString& Section) override;
  void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
  // Writes what the system keeps cached for the file.
  void UpdateFile() override;
};

// An ini file held in memory: read when created, written only by UpdateFile. Section and value
// names are case-insensitive unless CaseSensitive is set. Blank lines and lines starting with
// ";" are dropped when the file is read; blanks around names, "=" and values are trimmed.
class TMemIniFile : public TCustomIniFile {
  CLASS_INFO(TMemIniFile, TCustomIniFile)
public:
  explicit TMemIniFile(const AnsiString& FileName);
  ~TMemIniFile() override;

  void Clear();
  // Adds the whole file as lines of text: each section as "[name]", its lines, then an empty line.
  void GetStrings(TStrings* List);
  // Replaces the contents with the ini text in List.
  void SetStrings(TStrings* List);
  // Gives the object another file; with Reload the contents are read from it.
  void Rename(const AnsiString& FileName, bool Reload);

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
  void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
  void ReadSection(const AnsiString& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const AnsiString& Section, TStrings* Strings) override;
  void EraseSection(const AnsiString& Section) override;
  void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
  void UpdateFile() override;

  bool GetCaseSensitive() const;
  void SetCaseSensitive(bool Value);

private:
  TStrings* AddSection(const AnsiString& Section);
  TStrings* FindSection(const AnsiString& Section) const;
  void LoadValues();

  // Section names; each one's object is a TStringList of its "name=value" lines.
  TStringList* FSections;
};

// Sections are subkeys of a registry key and values are registry values. FileName is the key's
// path below HKEY_CURRENT_USER (a leading backslash is allowed); the key is created when missing.
// Integers are written as registry numbers and read back from numbers or text; floats and dates
// are written as text like in an ini file and read from text or from binary doubles.
class TRegistryIniFile : public TCustomIniFile {
  CLASS_INFO(TRegistryIniFile, TCustomIniFile)
public:
  explicit TRegistryIniFile(const AnsiString& FileName, LongWord AAccess = KEY_ALL_ACCESS);
  ~TRegistryIniFile() override;

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
  void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
  Integer ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) override;
  void WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) override;
  TDateTime ReadDate(const AnsiString& Section, const AnsiString& Name, TDateTime Default) override;
  TDateTime ReadDateTime(const AnsiString& Section, const AnsiString& Name, TDateTime Default) override;
  double ReadFloat(const AnsiString& Section, const AnsiString& Name, double Default) override;
  void ReadSection(const AnsiString& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const AnsiString& Section, TStrings* Strings) override;
  void EraseSection(const AnsiString& Section) override;
  void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
  // The registry keeps what is written; nothing to do.
  void UpdateFile() override {}

  // The registry object on the ini file's key.
  TRegistry* GetRegIniFile() const noexcept { return FRegistry; }

private:
  // A registry object on the section's key. A missing key gives nullptr, or with Create is made;
  // raises "Failed to create key X" when it cannot be.
  std::unique_ptr<TRegistry> OpenSection(const AnsiString& Section, bool Create) const;
  // Reads a float-like value: text in the locale's format (through Parse) or a binary double.
  template <class Parse>
  double ReadDouble(const AnsiString& Section, const AnsiString& Name, double Default, Parse parse);

  TRegistry* FRegistry;
};
