#include "core/MyRegistry.h"

#include <algorithm>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

TMyReg* MyReg = nullptr;

namespace {

const char* const kSettingsKey = "Software\\Pelorin";
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The settings key, opened (and created when missing) for one access; empty when that fails.
UniqueRegKey OpenSettingsKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return UniqueRegKey();
  return UniqueRegKey(key);
}

AnsiString SlotName(char kind, int n) { return AnsiString(1, kind) + IntToStr(n); }

void CheckSlot(int n, int count) {
  if (n < 1 || n > count) throw Exception("Settings slot " + IntToStr(n) + " does not exist");
}

bool TextToBool(const AnsiString& text) {
  bool value = false;
  return TryStrToBool(text, value) && value;
}

Integer TextToInt(const AnsiString& text) {
  Integer value = 0;
  return TryStrToInt(text, value) ? value : 0;
}

struct NamedDefault {
  const char* Name;
  const char* Value;
};

// In the order in which they are written at start-up.
const NamedDefault kNamedDefaults[] = {
    {"Sentence Enders", ".:?!"},
    {"BibleWorks Folder", "c:\\Program Files\\BibleWorks 5"},
    {"BibleWorks Filename", "bw500"},
    {"Sentence Indifferent Characters", "[]{}()<>\"-"},
    {"Small Letters", "abcdefghijklmnopqrstuvwxyz"},
    {"Capitals", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {"Non Adjacent Characters", ",.:;?![{("},
    {"Chars Right Of Closing Quotes", ",.;?!"},
    {"Chars Filtered Out", "[]"},
    {"Default ID", "MAT"},
    {"Extra chars in text", ""},
    {"Line spacing", "100"},
    {"Include date", "T"},
    {"Hebrew cut length", "60"},
    {"Heading in All Caps", "F"},
    {"Date format", "d mmm yyyy"},
    {"Remove chapter line", "chapter"},
};

void RemoveFromRun(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  UniqueRegKey run(key);
  RegDeleteValueA(run.get(), "Pelorin.exe");
}

}  // namespace

AnsiString ReadSettingString(const AnsiString& name) {
  UniqueRegKey key = OpenSettingsKey();
  if (!key) return AnsiString();
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return AnsiString();  // missing, or a value of another type
  AnsiString value(size, '\0');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS)
    return AnsiString();
  value.resize(std::min<std::size_t>(size, value.size()));
  // The stored text usually ends with its terminating zero; the text stops at the first one.
  const std::size_t zero = value.find('\0');
  if (zero != AnsiString::npos) value.resize(zero);
  return value;
}

void WriteSettingString(const AnsiString& name, const AnsiString& value) {
  UniqueRegKey key = OpenSettingsKey();
  if (!key) return;
  RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

bool TMyReg::GetB(int n) {
  CheckSlot(n, BoolSlots);
  Slot<bool>& slot = bools_[n];
  if (!slot.Loaded) {
    slot.Value = TextToBool(ReadSettingString(SlotName('B', n)));
    slot.Loaded = true;
  }
  return slot.Value;
}

void TMyReg::SetB(int n, bool value) {
  // Loading first makes the comparison with the stored value real for a slot never read.
  if (GetB(n) != value) WriteSettingString(SlotName('B', n), BoolToStr(value));
  bools_[n].Value = value;
}

bool TMyReg::HasB(int n) {
  CheckSlot(n, BoolSlots);
  return !ReadSettingString(SlotName('B', n)).empty();
}

Integer TMyReg::GetI(int n) {
  CheckSlot(n, IntSlots);
  Slot<Integer>& slot = ints_[n];
  if (!slot.Loaded) {
    slot.Value = TextToInt(ReadSettingString(SlotName('I', n)));
    slot.Loaded = true;
  }
  return slot.Value;
}

void TMyReg::SetI(int n, Integer value) {
  if (GetI(n) != value) WriteSettingString(SlotName('I', n), IntToStr(value));
  ints_[n].Value = value;
}

bool TMyReg::HasI(int n) {
  CheckSlot(n, IntSlots);
  return !ReadSettingString(SlotName('I', n)).empty();
}

AnsiString TMyReg::GetS(int n) {
  CheckSlot(n, StringSlots);
  Slot<AnsiString>& slot = strings_[n];
  if (!slot.Loaded) {
    slot.Value = ReadSettingString(SlotName('S', n));
    slot.Loaded = true;
  }
  return slot.Value;
}

void TMyReg::SetS(int n, const AnsiString& value) {
  if (GetS(n) != value) WriteSettingString(SlotName('S', n), value);
  strings_[n].Value = value;
}

bool TMyReg::HasS(int n) {
  CheckSlot(n, StringSlots);
  return !ReadSettingString(SlotName('S', n)).empty();
}

AnsiString TMyReg::GetParatextProjectsFolder() {
  const AnsiString folder = GetS(6);
  return folder.empty() ? folder : IncludeTrailingBackslash(folder);
}

void WriteDefaultSettings() {
  RemoveFromRun(HKEY_CURRENT_USER);
  RemoveFromRun(HKEY_LOCAL_MACHINE);

  if (!OpenSettingsKey()) return;  // no settings key: nothing can be written
  for (const NamedDefault& d : kNamedDefaults)
    if (ReadSettingString(d.Name).empty()) WriteSettingString(d.Name, d.Value);

  TMyReg& r = *MyReg;
  // Slot B3 defaults to false: Set writes nothing for it, so the value stays missing.
  if (!r.HasB(3)) r.SetUseSpellingHelper(false);
  if (!r.HasI(1)) r.SetOnlyChapterNumber(1);
  if (!r.HasS(1)) r.SetHebrewVersion("WTT");
  if (!r.HasS(2)) r.SetGreekVersion("SCR");
  if (!r.HasI(5)) r.SetNoHyphenationLength(3);
  if (!r.HasS(4)) r.SetConsonants("bcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ");
  if (!r.HasS(5)) r.SetVowels("aeiouAEIOU");
  if (!r.HasS(6)) r.SetParatextProjectsFolder("C:\\My Paratext Projects\\");
  if (!r.HasS(10)) r.SetEBooksFolder(r.GetParatextProjectsFolder() + "eBooks\\");
  if (!r.HasI(6)) r.SetEBookFontSize(2);
  if (!r.HasI(7)) r.SetMechanicalSpeed(100);
  if (!r.HasS(11)) r.SetPrintingFolder(r.GetParatextProjectsFolder() + "Printing\\");
  if (!r.HasI(8)) r.SetTopMargin(25);
  if (!r.HasI(9)) r.SetBottomMargin(25);
  if (!r.HasI(10)) r.SetLeftMargin(25);
  if (!r.HasI(11)) r.SetRightMargin(25);
  if (!r.HasI(12)) r.SetPaperSize(1);
  if (!r.HasS(12)) r.SetReaderWorksProgram("C:\\Program Files\\OverDrive ReaderWorks\\RWStan.exe");
}

void InitializeMyRegistry() {
  if (MyReg) return;
  MyReg = new TMyReg();
  WriteDefaultSettings();
}

void FinalizeMyRegistry() { FreeAndNil(MyReg); }
