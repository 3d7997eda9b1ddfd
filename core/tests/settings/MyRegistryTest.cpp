#include <map>
#include <optional>
#include <string>

#include "core/MyRegistry.h"
#include "core/tests/CoreTestSupport.h"

namespace {

const char* const kKey = "Software\\Pelorin";
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The registry is read and written here with the plain Windows calls, so that the tests see what
// the settings store really stored.
void SetText(HKEY root, const char* path, const std::string& name, const std::string& text) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), text.size() + 1);
  RegCloseKey(key);
}

void SetDword(const std::string& name, DWORD value) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

std::optional<std::string> GetText(HKEY root, const char* path, const std::string& name) {
  char buffer[1024];
  DWORD size = sizeof buffer, type = 0;
  if (RegGetValueA(root, path, name.c_str(), RRF_RT_REG_SZ, &type, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(buffer);
}

using core_testing::StoredSettings;

class MyRegistryTest : public testing_support::IsolatedTest {
protected:
  void TearDown() override { FinalizeMyRegistry(); }
};

TEST_F(MyRegistryTest, FirstStartWritesExactlyTheDefaults) {
  InitializeMyRegistry();
  const std::map<std::string, std::string> expected = core_testing::DefaultSettings();
  EXPECT_EQ(StoredSettings(), expected);  // no "B3": its default false is never written
  EXPECT_FALSE(MyReg->GetUseSpellingHelper());
  EXPECT_EQ(MyReg->GetMechanicalSpeed(), 100);
  EXPECT_EQ(MyReg->GetParatextProjectsFolder(), "C:\\My Paratext Projects\\");
}

TEST_F(MyRegistryTest, ExistingValuesAreKeptAndEmptyOnesGetTheirDefault) {
  SetText(HKEY_CURRENT_USER, kKey, "Small Letters", "abc");
  SetText(HKEY_CURRENT_USER, kKey, "Capitals", "");
  SetText(HKEY_CURRENT_USER, kKey, "I7", "30");
  SetText(HKEY_CURRENT_USER, kKey, "I1", "abc");  // present, though no number: kept
  SetText(HKEY_CURRENT_USER, kKey, "S6", "D:\\Translation\\");
  InitializeMyRegistry();
  const auto values = StoredSettings();
  EXPECT_EQ(values.at("Small Letters"), "abc");
  EXPECT_EQ(values.at("Capitals"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(values.at("I7"), "30");
  EXPECT_EQ(values.at("I1"), "abc");
  EXPECT_EQ(values.at("S10"), "D:\\Translation\\eBooks\\");
  EXPECT_EQ(values.at("S11"), "D:\\Translation\\Printing\\");
  EXPECT_EQ(MyReg->GetOnlyChapterNumber(), 0);
}

TEST_F(MyRegistryTest, ProjectsFolderAlwaysEndsWithABackslash) {
  SetText(HKEY_CURRENT_USER, kKey, "S6", "D:\\Translation");
  InitializeMyRegistry();
  EXPECT_EQ(MyReg->GetParatextProjectsFolder(), "D:\\Translation\\");
  EXPECT_EQ(StoredSettings().at("S10"), "D:\\Translation\\eBooks\\");
  EXPECT_EQ(StoredSettings().at("S11"), "D:\\Translation\\Printing\\");
}

TEST_F(MyRegistryTest, ValuesThatDoNotConvertReadAsFalseZeroOrEmpty) {
  struct Row {
    const char* Name;
    const char* Text;  // nullptr: the value is missing
    int Expected;
  };
  const Row rows[] = {
      {"B2", "", 0},   {"B4", "abc", 0}, {"B5", "-1", 1},  {"B6", "0", 0},  {"B7", nullptr, 0},
      {"I7", "abc", 0}, {"I4", "", 0},    {"I9", "12x", 0}, {"I10", "-5", -5},
  };
  for (const Row& row : rows)
    if (row.Text) SetText(HKEY_CURRENT_USER, kKey, row.Name, row.Text);
  SetDword("I2", 7);  // a value of another type
  InitializeMyRegistry();
  for (const Row& row : rows) {
    const int n = std::stoi(row.Name + 1);
    const int got = row.Name[0] == 'B' ? MyReg->GetB(n) : MyReg->GetI(n);
    EXPECT_EQ(got, row.Expected) << row.Name;
  }
  EXPECT_EQ(MyReg->GetHyphenationRule(), 0);
  EXPECT_EQ(MyReg->GetSpellingRemovalBook(), "");
  EXPECT_EQ(ReadSettingString("Spelling helper application"), "");
}

TEST_F(MyRegistryTest, OnlyChangedValuesAreWritten) {
  InitializeMyRegistry();
  // A slot read once answers from the cache; another process's change is not seen, and setting
  // the cached value again writes nothing.
  EXPECT_EQ(MyReg->GetParatextProjectsFolder(), "C:\\My Paratext Projects\\");
  SetText(HKEY_CURRENT_USER, kKey, "S6", "E:\\Elsewhere\\");
  EXPECT_EQ(MyReg->GetParatextProjectsFolder(), "C:\\My Paratext Projects\\");
  MyReg->SetParatextProjectsFolder("C:\\My Paratext Projects\\");
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "S6"), "E:\\Elsewhere\\");

  // A slot never read is loaded before the comparison: "1" reads as true, so setting true keeps it.
  SetText(HKEY_CURRENT_USER, kKey, "B5", "1");
  MyReg->SetStartMaximized(true);
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "B5"), "1");

  MyReg->SetStartMaximized(false);
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "B5"), "0");
  MyReg->SetWhiteSpaceCheck(true);
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "B2"), "-1");
  MyReg->SetMechanicalSpeed(30);
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "I7"), "30");
  MyReg->SetCurrentProject("King James Version");
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "S7"), "King James Version");
  EXPECT_TRUE(MyReg->GetWhiteSpaceCheck());
  EXPECT_EQ(MyReg->GetMechanicalSpeed(), 30);
}

TEST_F(MyRegistryTest, NamedValuesAreReadAndWrittenAsText) {
  InitializeMyRegistry();
  EXPECT_EQ(ReadSettingString("Search Word"), "");
  WriteSettingString("Search Word", "grace");
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kKey, "Search Word"), "grace");
  EXPECT_EQ(ReadSettingString("Search Word"), "grace");
  WriteSettingString("Search Word", "");
  EXPECT_EQ(ReadSettingString("Search Word"), "");
}

TEST_F(MyRegistryTest, StartRemovesTheProgramFromBothRunKeys) {
  SetText(HKEY_CURRENT_USER, kRunKey, "Pelorin.exe", "C:\\Pelorin\\Pelorin.exe");
  SetText(HKEY_CURRENT_USER, kRunKey, "Other.exe", "C:\\Other.exe");
  SetText(HKEY_LOCAL_MACHINE, kRunKey, "Pelorin.exe", "C:\\Pelorin\\Pelorin.exe");
  InitializeMyRegistry();
  EXPECT_FALSE(GetText(HKEY_CURRENT_USER, kRunKey, "Pelorin.exe"));
  EXPECT_FALSE(GetText(HKEY_LOCAL_MACHINE, kRunKey, "Pelorin.exe"));
  EXPECT_EQ(GetText(HKEY_CURRENT_USER, kRunKey, "Other.exe"), "C:\\Other.exe");
}

}  // namespace
