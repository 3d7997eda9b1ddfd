#include "classlib/Registry.h"

#include <vector>

#include "classlib/Handles.h"
#include "classlib/StringLists.h"

namespace {

// A path with a leading backslash starts at the root key; the backslash is not part of the name
// the registry calls take.
bool IsRelative(const AnsiString& key) { return key.empty() || key[0] != '\\'; }

AnsiString WithoutLeadingBackslash(const AnsiString& key) { return IsRelative(key) ? key : key.substr(1); }

// The path of a key opened relative to the current one.
AnsiString JoinPath(const AnsiString& current, const AnsiString& relative) {
  if (relative.empty()) return current;
  if (current.empty()) return relative;
  return current + "\\" + relative;
}

DWORD RegDataToDataType(TRegDataType value) {
  switch (value) {
    case rdString:
      return REG_SZ;
    case rdExpandString:
      return REG_EXPAND_SZ;
    case rdInteger:
      return REG_DWORD;
    case rdBinary:
      return REG_BINARY;
    default:
      return REG_NONE;
  }
}

TRegDataType DataTypeToRegData(DWORD value) {
  switch (value) {
    case REG_SZ:
      return rdString;
    case REG_EXPAND_SZ:
      return rdExpandString;
    case REG_DWORD:
      return rdInteger;
    case REG_BINARY:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

// The names of a key's subkeys, or of its values; count and maxLength come from RegQueryInfoKey.
std::vector<AnsiString> EnumNames(HKEY key, int count, int maxLength, bool values) {
  std::vector<AnsiString> names;
  std::vector<char> name(static_cast<size_t>(maxLength) + 1);
  for (int i = 0; i < count; ++i) {
    DWORD len = static_cast<DWORD>(name.size());
    const LONG result =
        values ? ::RegEnumValueA(key, static_cast<DWORD>(i), name.data(), &len, nullptr, nullptr, nullptr, nullptr)
               : ::RegEnumKeyExA(key, static_cast<DWORD>(i), name.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) names.emplace_back(name.data(), len);
  }
  return names;
}

[[noreturn]] void InvalidDataType(const AnsiString& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(LongWord AAccess) : Access(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::CloseKey() {
  if (!FCurrentKey) return;
  if (!LazyWrite) ::RegFlushKey(FCurrentKey);
  ::RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey) return;
  FRootKey = Value;
  CloseKey();
}

void TRegistry::ChangeKey(HKEY Value, const AnsiString& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

HKEY TRegistry::GetBaseKey(bool Relative) const { return (FCurrentKey && Relative) ? FCurrentKey : FRootKey; }

HKEY TRegistry::GetKey(const AnsiString& Key) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(GetBaseKey(IsRelative(Key)), WithoutLeadingBackslash(Key).c_str(), 0, Access, &key) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

bool TRegistry::CreateKey(const AnsiString& Key) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(GetBaseKey(IsRelative(Key)), WithoutLeadingBackslash(Key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + Key);
  ::RegCloseKey(key);
  return true;
}

bool TRegistry::OpenKey(const AnsiString& Key, bool CanCreate) {
  const bool relative = IsRelative(Key);
  AnsiString path = WithoutLeadingBackslash(Key);
  HKEY key = nullptr;
  LONG result;
  if (!CanCreate || path.empty())
    result = ::RegOpenKeyExA(GetBaseKey(relative), path.c_str(), 0, Access, &key);
  else
    result = ::RegCreateKeyExA(GetBaseKey(relative), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access,
                               nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return false;
  if (FCurrentKey && relative) path = JoinPath(FCurrentPath, path);
  ChangeKey(key, path);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& Key) {
  const bool relative = IsRelative(Key);
  AnsiString path = WithoutLeadingBackslash(Key);
  // The widest read access first: some keys grant reading values but not listing subkeys.
  static constexpr LongWord kReadAccess[] = {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                                             KEY_QUERY_VALUE};
  for (LongWord access : kReadAccess) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(GetBaseKey(relative), path.c_str(), 0, access, &key) != ERROR_SUCCESS) continue;
    Access = access;
    if (FCurrentKey && relative) path = JoinPath(FCurrentPath, path);
    ChangeKey(key, path);
    return true;
  }
  return false;
}

bool TRegistry::KeyExists(const AnsiString& Key) {
  const LongWord oldAccess = Access;
  Access = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;
  UniqueRegKey key(GetKey(Key));
  Access = oldAccess;
  return static_cast<bool>(key);
}

bool TRegistry::DeleteKey(const AnsiString& Key) {
  const bool relative = IsRelative(Key);
  // The registry deletes only keys without subkeys: empty the key first, depth first.
  if (UniqueRegKey doomed{GetKey(Key)}) {
    const HKEY oldKey = FCurrentKey;
    SetCurrentKey(doomed.get());
    TRegKeyInfo info;
    if (GetKeyInfo(info))
      for (const AnsiString& name : EnumNames(doomed.get(), info.NumSubKeys, info.MaxSubKeyLen, false)) DeleteKey(name);
    SetCurrentKey(oldKey);
  }
  return ::RegDeleteKeyA(GetBaseKey(relative), WithoutLeadingBackslash(Key).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const AnsiString& Name) {
  return ::RegDeleteValueA(FCurrentKey, Name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::GetDataInfo(const AnsiString& ValueName, TRegDataInfo& Value) {
  DWORD type = REG_NONE, size = 0;
  const bool ok = ::RegQueryValueExA(FCurrentKey, ValueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  Value.RegData = ok ? DataTypeToRegData(type) : rdUnknown;
  Value.DataSize = ok ? static_cast<int>(size) : 0;
  return ok;
}

int TRegistry::GetDataSize(const AnsiString& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const AnsiString& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.RegData : rdUnknown;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value) {
  Value = TRegKeyInfo();
  DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueLen = 0, maxDataLen = 0;
  if (::RegQueryInfoKeyA(FCurrentKey, nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr, &values,
                         &maxValueLen, &maxDataLen, nullptr, &Value.FileTime) != ERROR_SUCCESS)
    return false;
  Value.NumSubKeys = static_cast<int>(subKeys);
  Value.MaxSubKeyLen = static_cast<int>(maxSubKeyLen);
  Value.NumValues = static_cast<int>(values);
  Value.MaxValueLen = static_cast<int>(maxValueLen);
  Value.MaxDataLen = static_cast<int>(maxDataLen);
  return true;
}

bool TRegistry::HasSubKeys() {
  TRegKeyInfo info;
  return GetKeyInfo(info) && info.NumSubKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  TRegKeyInfo info;
  if (GetKeyInfo(info))
    for (const AnsiString& name : EnumNames(FCurrentKey, info.NumSubKeys, info.MaxSubKeyLen, false)) Strings->Add(name);
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  TRegKeyInfo info;
  if (GetKeyInfo(info))
    for (const AnsiString& name : EnumNames(FCurrentKey, info.NumValues, info.MaxValueLen, true)) Strings->Add(name);
}

bool TRegistry::ValueExists(const AnsiString& Name) {
  TRegDataInfo info;
  return GetDataInfo(Name, info);
}

int TRegistry::GetData(const AnsiString& Name, void* Buffer, int BufSize, TRegDataType& RegData) {
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(BufSize);
  if (::RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &type, static_cast<BYTE*>(Buffer), &size) !=
      ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '" + Name + "'");
  RegData = DataTypeToRegData(type);
  return static_cast<int>(size);
}

void TRegistry::PutData(const AnsiString& Name, const void* Buffer, int BufSize, TRegDataType RegData) {
  if (::RegSetValueExA(FCurrentKey, Name.c_str(), 0, RegDataToDataType(RegData), static_cast<const BYTE*>(Buffer),
                       static_cast<DWORD>(BufSize)) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + Name + "'");
}

AnsiString TRegistry::ReadString(const AnsiString& Name) {
  int len = GetDataSize(Name);
  if (len <= 0) return AnsiString();
  AnsiString result(static_cast<size_t>(len), '\0');
  TRegDataType type;
  len = GetData(Name, result.data(), len, type);
  if (type != rdString && type != rdExpandString) InvalidDataType(Name);
  // The stored size counts the terminating zero, when the writer stored one; the text ends there.
  result.resize(std::min(result.find('\0'), static_cast<size_t>(len)));
  return result;
}

void TRegistry::WriteString(const AnsiString& Name, const AnsiString& Value) {
  PutData(Name, Value.c_str(), static_cast<int>(Value.size()) + 1, rdString);
}

void TRegistry::WriteExpandString(const AnsiString& Name, const AnsiString& Value) {
  PutData(Name, Value.c_str(), static_cast<int>(Value.size()) + 1, rdExpandString);
}

Integer TRegistry::ReadInteger(const AnsiString& Name) {
  Integer result = 0;
  TRegDataType type;
  GetData(Name, &result, sizeof(result), type);
  if (type != rdInteger) InvalidDataType(Name);
  return result;
}

void TRegistry::WriteInteger(const AnsiString& Name, Integer Value) { PutData(Name, &Value, sizeof(Value), rdInteger); }

bool TRegistry::ReadBool(const AnsiString& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const AnsiString& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

double TRegistry::ReadFloat(const AnsiString& Name) {
  double result = 0;
  TRegDataType type;
  const int len = GetData(Name, &result, sizeof(result), type);
  if (type != rdBinary || len != static_cast<int>(sizeof(result))) InvalidDataType(Name);
  return result;
}

void TRegistry::WriteFloat(const AnsiString& Name, double Value) { PutData(Name, &Value, sizeof(Value), rdBinary); }

int TRegistry::ReadBinaryData(const AnsiString& Name, void* Buffer, int BufSize) {
  TRegDataInfo info;
  if (!GetDataInfo(Name, info)) return 0;
  if ((info.RegData != rdBinary && info.RegData != rdUnknown) || info.DataSize > BufSize) InvalidDataType(Name);
  TRegDataType type;
  return GetData(Name, Buffer, info.DataSize, type);
}

void TRegistry::WriteBinaryData(const AnsiString& Name, const void* Buffer, int BufSize) {
  PutData(Name, Buffer, BufSize, rdBinary);
}

void TRegistry::RenameValue(const AnsiString& OldName, const AnsiString& NewName) {
  if (!ValueExists(OldName) || ValueExists(NewName)) return;
  // The raw type is kept (a multi-string stays one), and the old value goes only once the new one
  // is written, so that a failed write loses nothing.
  DWORD type = REG_NONE, size = 0;
  LONG result = ::RegQueryValueExA(FCurrentKey, OldName.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data;
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    data.resize(size + 1);  // never empty, so that the data is asked for even when there is none
    DWORD got = static_cast<DWORD>(data.size());
    result = ::RegQueryValueExA(FCurrentKey, OldName.c_str(), nullptr, &type, data.data(), &got);
    if (result == ERROR_SUCCESS) {
      size = got;
      break;
    }
    size = got;
  }
  if (result != ERROR_SUCCESS) throw ERegistryException("Failed to get data for '" + OldName + "'");
  if (::RegSetValueExA(FCurrentKey, NewName.c_str(), 0, type, data.data(), size) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + NewName + "'");
  DeleteValue(OldName);
}

bool RedirectRootKeys(const AnsiString& Root) {
  HKEY user = nullptr, machine = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, (Root + "\\HKCU").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user,
                        nullptr) != ERROR_SUCCESS)
    return false;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, (Root + "\\HKLM").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &machine, nullptr) != ERROR_SUCCESS) {
    ::RegCloseKey(user);
    return false;
  }
  // The process keeps both keys open for as long as it runs: they stand for its root keys.
  ::RegOverridePredefKey(HKEY_CURRENT_USER, user);
  ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
  return true;
}
