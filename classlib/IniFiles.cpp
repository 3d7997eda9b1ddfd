#include "classlib/IniFiles.h"

#include <memory>
#include <vector>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"

namespace {

// Reads a text value and converts it; an empty or unconvertible text gives the default.
template <class Convert>
double ReadConverted(TCustomIniFile& ini, const AnsiString& section, const AnsiString& name, double def,
                     Convert convert) {
  const AnsiString text = ini.ReadString(section, name, AnsiString());
  if (text.empty()) return def;
  try {
    return convert(text);
  } catch (const EConvertError&) {
    return def;
  }
}

// Calls a profile function that fills a buffer, with bigger buffers until the result fits.
// `slack` is how far below the buffer size a result that fits stays: the profile calls
// return size - 1 for a cut value and size - 2 for a cut list of names.
template <class Fill>
std::vector<char> FillGrowing(size_t size, DWORD slack, Fill fill) {
  std::vector<char> buffer;
  for (;;) {
    buffer.assign(size, '\0');
    const DWORD n = fill(buffer.data(), static_cast<DWORD>(size));
    if (n + slack < size) {
      buffer.resize(n);
      return buffer;
    }
    size *= 2;
  }
}

// Adds each name of a list of zero-terminated names.
void AddNames(TStrings* strings, const std::vector<char>& names) {
  size_t start = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] != '\0') continue;
    if (i > start) strings->Add(AnsiString(names.data() + start, i - start));
    start = i + 1;
  }
  if (start < names.size()) strings->Add(AnsiString(names.data() + start, names.size() - start));
}

// Brackets a replacement of a list's contents so that its owner hears of one change.
class IniUpdateScope {
public:
  explicit IniUpdateScope(TStrings* strings) : strings_(strings) { strings_->BeginUpdate(); }
  ~IniUpdateScope() { strings_->EndUpdate(); }
  IniUpdateScope(const IniUpdateScope&) = delete;
  IniUpdateScope& operator=(const IniUpdateScope&) = delete;

private:
  TStrings* strings_;
};

// Lists a section's values as "name=value" lines, reading them one by one.
void ReadValuesOneByOne(TCustomIniFile& ini, const AnsiString& section, TStrings* strings) {
  TStringList names;
  ini.ReadSection(section, &names);
  IniUpdateScope update(strings);
  strings->Clear();
  for (Integer i = 0; i < names.GetCount(); ++i)
    strings->Add(names[i] + "=" + ini.ReadString(section, names[i], AnsiString()));
}

// Lists the names a profile call gives for a section (or for the file, when section is null).
void ReadProfileNames(const char* section, const AnsiString& fileName, TStrings* strings) {
  const std::vector<char> names = FillGrowing(16384, 2, [&](char* buffer, DWORD size) {
    return ::GetPrivateProfileStringA(section, nullptr, nullptr, buffer, size, fileName.c_str());
  });
  IniUpdateScope update(strings);
  strings->Clear();
  AddNames(strings, names);
}

}  // namespace

// --- TCustomIniFile ----------------------------------------------------------------------------

bool TCustomIniFile::SectionExists(const AnsiString& Section) {
  TStringList names;
  ReadSection(Section, &names);
  return names.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) {
  TStringList names;
  ReadSection(Section, &names);
  return names.IndexOf(Ident) >= 0;
}

Integer TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) {
  return StrToIntDef(ReadString(Section, Ident, AnsiString()), Default);
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

TDateTime TCustomIniFile::ReadDate(const AnsiString& Section, const AnsiString& Name, TDateTime Default) {
  return ReadConverted(*this, Section, Name, Default, [](const AnsiString& s) { return StrToDate(s); });
}

TDateTime TCustomIniFile::ReadDateTime(const AnsiString& Section, const AnsiString& Name, TDateTime Default) {
  return ReadConverted(*this, Section, Name, Default, [](const AnsiString& s) { return StrToDateTime(s); });
}

double TCustomIniFile::ReadFloat(const AnsiString& Section, const AnsiString& Name, double Default) {
  return ReadConverted(*this, Section, Name, Default,
                       [](const AnsiString& s) { return static_cast<double>(StrToFloat(s)); });
}

void TCustomIniFile::WriteDate(const AnsiString& Section, const AnsiString& Name, TDateTime Value) {
  WriteString(Section, Name, DateToStr(Value));
}

void TCustomIniFile::WriteDateTime(const AnsiString& Section, const AnsiString& Name, TDateTime Value) {
  WriteString(Section, Name, DateTimeToStr(Value));
}

void TCustomIniFile::WriteFloat(const AnsiString& Section, const AnsiString& Name, double Value) {
  WriteString(Section, Name, FloatToStr(Value));
}

// --- TIniFile ----------------------------------------------------------------------------------

TIniFile::~TIniFile() { UpdateFile(); }

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
  const std::vector<char> value = FillGrowing(2048, 1, [&](char* buffer, DWORD size) {
    return ::GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(), buffer, size,
                                      FFileName.c_str());
  });
  return AnsiString(value.begin(), value.end());
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
  if (!::WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(), FFileName.c_str()))
    throw EIniFileException("Unable to write to " + FFileName);
}

void TIniFile::ReadSections(TStrings* Strings) { ReadProfileNames(nullptr, FFileName, Strings); }

void TIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) {
  ReadProfileNames(Section.c_str(), FFileName, Strings);
}

void TIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) {
  ReadValuesOneByOne(*this, Section, Strings);
}

void TIniFile::EraseSection(const AnsiString& Section) {
  if (!::WritePrivateProfileStringA(Section.c_str(), nullptr, nullptr, FFileName.c_str()))
    throw EIniFileException("Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
  ::WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() { ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str()); }

// --- TMemIniFile -------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const AnsiString& FileName) : TCustomIniFile(FileName), FSections(new TStringList) {
  LoadValues();
}

TMemIniFile::~TMemIniFile() {
  Clear();
  delete FSections;
}

void TMemIniFile::Clear() {
  for (Integer i = 0; i < FSections->GetCount(); ++i) delete FSections->GetObjects(i);
  FSections->Clear();
}

TStrings* TMemIniFile::AddSection(const AnsiString& Section) {
  std::unique_ptr<TStringList> lines(new TStringList);
  lines->SetCaseSensitive(GetCaseSensitive());
  FSections->AddObject(Section, lines.get());
  return lines.release();
}

TStrings* TMemIniFile::FindSection(const AnsiString& Section) const {
  const Integer i = FSections->IndexOf(Section);
  return i >= 0 ? static_cast<TStrings*>(FSections->GetObjects(i)) : nullptr;
}

bool TMemIniFile::GetCaseSensitive() const { return FSections->GetCaseSensitive(); }

void TMemIniFile::SetCaseSensitive(bool Value) {
  if (Value == FSections->GetCaseSensitive()) return;
  FSections->SetCaseSensitive(Value);
  for (Integer i = 0; i < FSections->GetCount(); ++i)
    static_cast<TStringList*>(FSections->GetObjects(i))->SetCaseSensitive(Value);
}

void TMemIniFile::LoadValues() {
  if (!FFileName.empty() && FileExists(FFileName)) {
    TStringList lines;
    lines.LoadFromFile(FFileName);
    SetStrings(&lines);
  } else {
    Clear();
  }
}

void TMemIniFile::GetStrings(TStrings* List) {
  IniUpdateScope update(List);
  for (Integer i = 0; i < FSections->GetCount(); ++i) {
    List->Add("[" + FSections->GetStrings(i) + "]");
    List->AddStrings(static_cast<TStrings*>(FSections->GetObjects(i)));
    List->Add(AnsiString());
  }
}

void TMemIniFile::SetStrings(TStrings* List) {
  Clear();
  TStrings* section = nullptr;
  for (Integer i = 0; i < List->GetCount(); ++i) {
    const AnsiString line = Trim(List->GetStrings(i));
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']') {
      section = AddSection(Trim(std::string_view(line).substr(1, line.size() - 2)));
    } else if (section) {
      const size_t eq = line.find('=');
      if (eq != AnsiString::npos)
        section->Add(Trim(std::string_view(line).substr(0, eq)) + "=" + Trim(std::string_view(line).substr(eq + 1)));
      else
        section->Add(line);
    }
  }
}

void TMemIniFile::Rename(const AnsiString& FileName, bool Reload) {
  FFileName = FileName;
  if (Reload) LoadValues();
}

AnsiString TMemIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
  if (TStrings* lines = FindSection(Section)) {
    const Integer i = lines->IndexOfName(Ident);
    if (i >= 0) {
      const AnsiString line = lines->GetStrings(i);
      return line.substr(std::min(line.size(), line.find('=') + 1));
    }
  }
  return Default;
}

void TMemIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
  TStrings* lines = FindSection(Section);
  if (!lines) lines = AddSection(Section);
  const AnsiString line = Ident + "=" + Value;
  const Integer i = lines->IndexOfName(Ident);
  if (i >= 0)
    lines->SetStrings(i, line);
  else
    lines->Add(line);
}

void TMemIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) {
  IniUpdateScope update(Strings);
  Strings->Clear();
  if (TStrings* lines = FindSection(Section))
    for (Integer i = 0; i < lines->GetCount(); ++i) Strings->Add(lines->GetNames(i));
}

void TMemIniFile::ReadSections(TStrings* Strings) {
  // Only the names: the section lists stay this object's own.
  IniUpdateScope update(Strings);
  Strings->Clear();
  for (Integer i = 0; i < FSections->GetCount(); ++i) Strings->Add(FSections->GetStrings(i));
}

void TMemIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) {
  IniUpdateScope update(Strings);
  Strings->Clear();
  if (TStrings* lines = FindSection(Section)) Strings->AddStrings(lines);
}

void TMemIniFile::EraseSection(const AnsiString& Section) {
  const Integer i = FSections->IndexOf(Section);
  if (i < 0) return;
  delete FSections->GetObjects(i);
  FSections->Delete(i);
}

void TMemIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
  if (TStrings* lines = FindSection(Section)) {
    const Integer i = lines->IndexOfName(Ident);
    if (i >= 0) lines->Delete(i);
  }
}

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(&lines);
  lines.SaveToFile(FFileName);
}

// --- TRegistryIniFile --------------------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const AnsiString& FileName, LongWord AAccess)
    : TCustomIniFile(FileName), FRegistry(new TRegistry(AAccess)) {
  FRegistry->OpenKey(FileName, true);
}

TRegistryIniFile::~TRegistryIniFile() { delete FRegistry; }

std::unique_ptr<TRegistry> TRegistryIniFile::OpenSection(const AnsiString& Section, bool Create) const {
  // Without the ini file's own key there is no section: a path relative to the root would reach
  // a key of somebody else.
  if (!FRegistry->GetCurrentKey()) {
    if (Create) throw ERegistryException("Failed to create key " + FFileName);
    return nullptr;
  }
  auto section = std::make_unique<TRegistry>(FRegistry->Access);
  section->SetRootKey(FRegistry->GetRootKey());
  AnsiString path = "\\" + FRegistry->GetCurrentPath();
  if (!Section.empty()) path += (FRegistry->GetCurrentPath().empty() ? "" : "\\") + Section;
  if (section->OpenKey(path, Create)) return section;
  if (Create) throw ERegistryException("Failed to create key " + path);
  return nullptr;
}

AnsiString TRegistryIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                        const AnsiString& Default) {
  std::unique_ptr<TRegistry> section = OpenSection(Section, false);
  if (!section || !section->ValueExists(Ident)) return Default;
  // Numbers written by WriteInteger read back as their decimal text, as from an ini file.
  if (section->GetDataType(Ident) == rdInteger) return IntToStr(section->ReadInteger(Ident));
  return section->ReadString(Ident);
}

void TRegistryIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
  std::unique_ptr<TRegistry> section = OpenSection(Section, true);
  section->WriteString(Ident, Value);
}

Integer TRegistryIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) {
  std::unique_ptr<TRegistry> section = OpenSection(Section, false);
  if (!section || !section->ValueExists(Ident)) return Default;
  const TRegDataType type = section->GetDataType(Ident);
  if (type == rdString || type == rdExpandString) return StrToIntDef(section->ReadString(Ident), Default);
  return section->ReadInteger(Ident);
}

void TRegistryIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) {
  std::unique_ptr<TRegistry> section = OpenSection(Section, true);
  section->WriteInteger(Ident, Value);
}

template <class Parse>
double TRegistryIniFile::ReadDouble(const AnsiString& Section, const AnsiString& Name, double Default, Parse parse) {
  std::unique_ptr<TRegistry> section = OpenSection(Section, false);
  if (!section || !section->ValueExists(Name)) return Default;
  const TRegDataType type = section->GetDataType(Name);
  if (type == rdString || type == rdExpandString) return ReadConverted(*this, Section, Name, Default, parse);
  return section->ReadFloat(Name);
}

TDateTime TRegistryIniFile::ReadDate(const AnsiString& Section, const AnsiString& Name, TDateTime Default) {
  return ReadDouble(Section, Name, Default, [](const AnsiString& s) { return StrToDate(s); });
}

TDateTime TRegistryIniFile::ReadDateTime(const AnsiString& Section, const AnsiString& Name, TDateTime Default) {
  return ReadDouble(Section, Name, Default, [](const AnsiString& s) { return StrToDateTime(s); });
}

double TRegistryIniFile::ReadFloat(const AnsiString& Section, const AnsiString& Name, double Default) {
  return ReadDouble(Section, Name, Default, [](const AnsiString& s) { return static_cast<double>(StrToFloat(s)); });
}

void TRegistryIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) {
  if (std::unique_ptr<TRegistry> section = OpenSection(Section, false))
    section->GetValueNames(Strings);
  else
    Strings->Clear();
}

void TRegistryIniFile::ReadSections(TStrings* Strings) { FRegistry->GetKeyNames(Strings); }

void TRegistryIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) {
  ReadValuesOneByOne(*this, Section, Strings);
}

void TRegistryIniFile::EraseSection(const AnsiString& Section) {
  // An empty section name would be the ini file's own key, a leading backslash a key below the
  // root.
  if (FRegistry->GetCurrentKey() && !Section.empty() && Section[0] != '\\') FRegistry->DeleteKey(Section);
}

void TRegistryIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
  if (std::unique_ptr<TRegistry> section = OpenSection(Section, false)) section->DeleteValue(Ident);
}
