// The builder's registry options: set for the run whatever stood there before (or nothing), and
// put back as they were, type and all; the auto-saved values emptied both times.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "tools/eBookUnit.h"

namespace {

const std::string kBuilder = "Software\\OverDrive Systems, Inc.\\ReaderWorks";

// A registry value as text: "dword N", "sz TEXT", or "missing".
std::string ValueOf(const std::string& key, const char* name) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return "missing";
  DWORD type = 0, size = 0;
  std::string text = "missing";
  if (RegQueryValueExA(k, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string data(size, '\0');
    RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (type == REG_DWORD)
      text = "dword " + std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    else
      text = "sz " + std::string(data.c_str());
  }
  RegCloseKey(k);
  return text;
}

void SetDword(const std::string& key, const char* name, DWORD value) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(k);
}

void SetText(const std::string& key, const char* name, const std::string& value) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
}

bool KeyThere(const std::string& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

int ValueCount(const std::string& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
  DWORD values = 0;
  RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(k);
  return static_cast<int>(values);
}

struct Option {
  const char* Key;
  const char* Name;
  const char* RunValue;
};
const Option kOptions[] = {{"Options", "Show Startup Dialog", "dword 0"},
                           {"Options", "Extract HTML Titles", "dword 1"},
                           {"Settings", "Autorun Reader", "dword 0"},
                           {"Settings", "Build To CE", "dword 0"}};

std::map<std::string, std::string> Values() {
  std::map<std::string, std::string> values;
  for (const Option& o : kOptions) values[o.Name] = ValueOf(kBuilder + "\\" + o.Key, o.Name);
  return values;
}

class BuilderOptionsTest : public testing_support::IsolatedTest {};

TEST_F(BuilderOptionsTest, SetForTheRunAndPutBackAsTheyWere) {
  // Some values there (one of them as text), some missing; auto-saved values left by the builder.
  SetDword(kBuilder + "\\Options", "Show Startup Dialog", 1);
  SetText(kBuilder + "\\Options", "Extract HTML Titles", "no");
  SetDword(kBuilder + "\\Settings", "Autorun Reader", 7);
  SetText(kBuilder + "\\Auto-save", "Project", "C:\\old.rwp");
  SetText(kBuilder + "\\Auto-save", "Page", "C:\\old.html");
  const auto before = Values();
  ASSERT_EQ(before.at("Build To CE"), "missing");

  TBuilderOptions options;
  AnsiString error;
  ASSERT_TRUE(options.Set(error)) << error;
  EXPECT_TRUE(options.IsSet());
  for (const Option& o : kOptions) EXPECT_EQ(Values().at(o.Name), o.RunValue) << o.Name;
  EXPECT_EQ(ValueCount(kBuilder + "\\Auto-save"), 0);

  // The builder auto-saves again while it runs.
  SetText(kBuilder + "\\Auto-save", "Project", "C:\\new.rwp");
  options.Restore();
  EXPECT_FALSE(options.IsSet());
  EXPECT_EQ(Values(), before);
  EXPECT_EQ(ValueCount(kBuilder + "\\Auto-save"), 0);
  // Restoring twice changes nothing more.
  SetDword(kBuilder + "\\Settings", "Build To CE", 5);
  options.Restore();
  EXPECT_EQ(ValueOf(kBuilder + "\\Settings", "Build To CE"), "dword 5");
}

TEST_F(BuilderOptionsTest, KeysThatWereNotThereGoAgain) {
  // The builder was never run: none of its keys exist.
  ASSERT_FALSE(KeyThere("Software\\OverDrive Systems, Inc."));
  TBuilderOptions options;
  AnsiString error;
  ASSERT_TRUE(options.Set(error)) << error;
  for (const Option& o : kOptions) EXPECT_EQ(Values().at(o.Name), o.RunValue) << o.Name;
  EXPECT_FALSE(KeyThere(kBuilder + "\\Auto-save"));
  options.Restore();
  EXPECT_FALSE(KeyThere("Software\\OverDrive Systems, Inc."));

  // A key the builder filled meanwhile stays, with what it holds; so do the keys above it.
  ASSERT_TRUE(options.Set(error)) << error;
  SetDword(kBuilder + "\\Settings", "Window Left", 40);
  options.Restore();
  EXPECT_FALSE(KeyThere(kBuilder + "\\Options"));
  EXPECT_EQ(ValueOf(kBuilder + "\\Settings", "Window Left"), "dword 40");
  EXPECT_EQ(ValueOf(kBuilder + "\\Settings", "Autorun Reader"), "missing");
}

TEST_F(BuilderOptionsTest, NothingIsPutBackUnlessSet) {
  SetDword(kBuilder + "\\Options", "Show Startup Dialog", 1);
  SetText(kBuilder + "\\Auto-save", "Project", "C:\\old.rwp");
  TBuilderOptions options;
  options.Restore();
  EXPECT_EQ(ValueOf(kBuilder + "\\Options", "Show Startup Dialog"), "dword 1");
  EXPECT_EQ(ValueCount(kBuilder + "\\Auto-save"), 1);
}

}  // namespace
