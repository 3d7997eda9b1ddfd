// Access to the Windows registry through one open key at a time.
#pragma once

#include "classlib/WinApi.h"

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  int DataSize = 0;
};

struct TRegKeyInfo {
  int NumSubKeys = 0;
  int MaxSubKeyLen = 0;
  int NumValues = 0;
  int MaxValueLen = 0;
  int MaxDataLen = 0;
  FILETIME FileTime{};
};

// A registry value that cannot be read as asked, or a key or value that cannot be written.
class ERegistryException : public Exception {
  CLASS_INFO(ERegistryException, Exception)
public:
  using Exception::Exception;
};

// Reads and writes the values of the current key, which OpenKey chooses below RootKey.
//
// Key paths are relative to the current key, or to RootKey when no key is open or when they
// start with a backslash ("\Software\Pelorin"). CurrentPath is the open key's path below
// RootKey, without the leading backslash.
//
// Reading a value that is missing raises ERegistryException ("Failed to get data for 'X'"),
// except for ReadString (empty text) and ReadBinaryData (0 bytes); a value of another type raises
// "Invalid data type for 'X'".
class TRegistry : public TObject {
  CLASS_INFO(TRegistry, TObject)
  friend class TRegistryIniFile;

public:
  TRegistry();
  // Access is the access mask with which OpenKey opens keys.
  explicit TRegistry(LongWord AAccess);
  ~TRegistry() override;

  // Closes the current key; with LazyWrite off its changes are flushed to disk first.
  void CloseKey();
  // Creates a key (and missing keys on its path) without opening it; raises
  // "Failed to create key X" when the registry refuses.
  bool CreateKey(const AnsiString& Key);
  // Deletes a key with all its subkeys.
  bool DeleteKey(const AnsiString& Key);
  bool DeleteValue(const AnsiString& Name);
  bool GetDataInfo(const AnsiString& ValueName, TRegDataInfo& Value);
  // The size of a value's data in bytes (with the terminating zero for texts), -1 when missing.
  int GetDataSize(const AnsiString& ValueName);
  TRegDataType GetDataType(const AnsiString& ValueName);
  bool GetKeyInfo(TRegKeyInfo& Value);
  // Replace the contents of Strings with the names of the current key's subkeys or values.
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);
  bool HasSubKeys();
  bool KeyExists(const AnsiString& Key);
  // Makes Key the current key; with CanCreate a missing key is created. False when it cannot be
  // opened (or created), leaving the current key as it was.
  bool OpenKey(const AnsiString& Key, bool CanCreate);
  // Opens Key for reading only, with the widest read access the key grants; Access becomes that.
  bool OpenKeyReadOnly(const AnsiString& Key);
  // Copies a binary value into Buffer and returns its size; 0 when the value is missing.
  int ReadBinaryData(const AnsiString& Name, void* Buffer, int BufSize);
  bool ReadBool(const AnsiString& Name);
  double ReadFloat(const AnsiString& Name);
  Integer ReadInteger(const AnsiString& Name);
  AnsiString ReadString(const AnsiString& Name);
  // Gives a value a new name, keeping its type and data. Nothing happens when OldName is missing
  // or NewName exists already.
  void RenameValue(const AnsiString& OldName, const AnsiString& NewName);
  bool ValueExists(const AnsiString& Name);
  void WriteBinaryData(const AnsiString& Name, const void* Buffer, int BufSize);
  void WriteBool(const AnsiString& Name, bool Value);
  void WriteFloat(const AnsiString& Name, double Value);
  void WriteInteger(const AnsiString& Name, Integer Value);
  void WriteString(const AnsiString& Name, const AnsiString& Value);
  void WriteExpandString(const AnsiString& Name, const AnsiString& Value);

  HKEY GetCurrentKey() const noexcept { return FCurrentKey; }
  const AnsiString& GetCurrentPath() const noexcept { return FCurrentPath; }
  HKEY GetRootKey() const noexcept { return FRootKey; }
  // Choosing another root closes the current key.
  void SetRootKey(HKEY Value);

  // Off: CloseKey flushes the key's changes to disk before it returns.
  bool LazyWrite = true;
  // The access mask for OpenKey.
  LongWord Access = KEY_ALL_ACCESS;

protected:
  void ChangeKey(HKEY Value, const AnsiString& Path);
  HKEY GetBaseKey(bool Relative) const;
  int GetData(const AnsiString& Name, void* Buffer, int BufSize, TRegDataType& RegData);
  // Opens Key with Access; nullptr when it cannot. The caller closes the handle.
  HKEY GetKey(const AnsiString& Key);
  void PutData(const AnsiString& Name, const void* Buffer, int BufSize, TRegDataType RegData);
  // Makes Value the current key without closing the old one or changing CurrentPath.
  void SetCurrentKey(HKEY Value) noexcept { FCurrentKey = Value; }

private:
  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  AnsiString FCurrentPath;
};

// Makes HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process the keys Root\HKCU and
// Root\HKLM below the real current user's key (made when missing), so that a program that a test
// starts keeps its settings in the test's own registry. False, changing nothing, when either key
// cannot be made.
bool RedirectRootKeys(const AnsiString& Root);
