#include <gtest/gtest.h>

#include <functional>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/tests/winbase/SortedNames.h"
#include "tests/support/TestSupport.h"

namespace {

using RegistryTest = testing_support::IsolatedTest;

// The message of the registry exception that f raises.
AnsiString RegistryError(const std::function<void()>& f) {
  try {
    f();
  } catch (const ERegistryException& e) {
    return e.Message;
  }
  return "no exception";
}

// Two tests in a row: what the first writes through TRegistry is gone for the second.
TEST_F(RegistryTest, IsolationFirstTestWrites) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  reg.WriteString("Probe", "1");
}

TEST_F(RegistryTest, IsolationSecondTestSeesNothing) {
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("\\Software\\Pelorin"));
  EXPECT_FALSE(reg.OpenKey("\\Software\\Pelorin", false));
}

TEST_F(RegistryTest, KeysOpenRelativeToTheCurrentKeyOrAbsoluteWithABackslash) {
  TRegistry reg;
  EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
  EXPECT_EQ(reg.Access, static_cast<LongWord>(KEY_ALL_ACCESS));
  EXPECT_EQ(reg.GetCurrentKey(), nullptr);

  EXPECT_FALSE(reg.OpenKey("Software\\Pelorin", false));
  ASSERT_TRUE(reg.OpenKey("Software\\Pelorin", true));
  EXPECT_NE(reg.GetCurrentKey(), nullptr);
  EXPECT_EQ(reg.GetCurrentPath(), "Software\\Pelorin");

  // Relative to the open key.
  ASSERT_TRUE(reg.OpenKey("Sub\\Deeper", true));
  EXPECT_EQ(reg.GetCurrentPath(), "Software\\Pelorin\\Sub\\Deeper");
  EXPECT_TRUE(reg.KeyExists("\\Software\\Pelorin\\Sub"));
  EXPECT_FALSE(reg.KeyExists("Sub"));  // not below Deeper

  // A key that cannot be opened leaves the current key as it was.
  const HKEY before = reg.GetCurrentKey();
  EXPECT_FALSE(reg.OpenKey("Missing", false));
  EXPECT_EQ(reg.GetCurrentKey(), before);
  EXPECT_EQ(reg.GetCurrentPath(), "Software\\Pelorin\\Sub\\Deeper");

  // Absolute.
  ASSERT_TRUE(reg.OpenKey("\\Software", false));
  EXPECT_EQ(reg.GetCurrentPath(), "Software");
  EXPECT_TRUE(reg.KeyExists("Pelorin\\Sub\\Deeper"));

  // CreateKey makes a key without opening it.
  EXPECT_TRUE(reg.CreateKey("Made\\Here"));
  EXPECT_EQ(reg.GetCurrentPath(), "Software");
  EXPECT_TRUE(reg.KeyExists("\\Software\\Made\\Here"));

  reg.CloseKey();
  EXPECT_EQ(reg.GetCurrentKey(), nullptr);
  EXPECT_EQ(reg.GetCurrentPath(), "");
  EXPECT_TRUE(reg.KeyExists("Software\\Pelorin"));  // relative to the root again
}

TEST_F(RegistryTest, AnotherRootKeyClosesTheCurrentKey) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  reg.WriteString("Where", "user");
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.GetCurrentKey(), nullptr);
  EXPECT_FALSE(reg.KeyExists("\\Software\\Pelorin"));
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  EXPECT_FALSE(reg.ValueExists("Where"));
}

TEST_F(RegistryTest, ReadOnlyKeysRefuseWrites) {
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey("\\Software\\Pelorin", true));
    writer.WriteString("Name", "value");
  }
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKeyReadOnly("\\Software\\Missing"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Pelorin"));
  EXPECT_EQ(reg.Access, static_cast<LongWord>(KEY_READ));
  EXPECT_EQ(reg.ReadString("Name"), "value");
  EXPECT_EQ(RegistryError([&] { reg.WriteString("Name", "other"); }), "Failed to set data for 'Name'");
}

TEST_F(RegistryTest, ValuesRoundTripWithTheirTypesAndSizes) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  reg.WriteString("Text", "Genesis 1:1");
  reg.WriteString("Empty", "");
  reg.WriteExpandString("Path", "%TEMP%\\x");
  reg.WriteInteger("Negative", -42);
  reg.WriteBool("Yes", true);
  reg.WriteBool("No", false);
  reg.WriteFloat("Float", 2.5);
  const unsigned char bytes[] = {0, 1, 2, 255};
  reg.WriteBinaryData("Bytes", bytes, sizeof(bytes));

  EXPECT_EQ(reg.ReadString("Text"), "Genesis 1:1");
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Path"), "%TEMP%\\x");  // not expanded
  EXPECT_EQ(reg.ReadInteger("Negative"), -42);
  EXPECT_TRUE(reg.ReadBool("Yes"));
  EXPECT_FALSE(reg.ReadBool("No"));
  EXPECT_EQ(reg.ReadFloat("Float"), 2.5);
  unsigned char back[8] = {};
  EXPECT_EQ(reg.ReadBinaryData("Bytes", back, sizeof(back)), 4);
  EXPECT_EQ(std::memcmp(back, bytes, 4), 0);

  struct Case {
    const char* name;
    TRegDataType type;
    int size;
  };
  const Case cases[] = {
      {"Text", rdString, 12}, {"Empty", rdString, 1}, {"Path", rdExpandString, 9}, {"Negative", rdInteger, 4},
      {"Yes", rdInteger, 4},  {"Float", rdBinary, 8}, {"Bytes", rdBinary, 4},      {"Missing", rdUnknown, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(reg.GetDataType(c.name), c.type);
    EXPECT_EQ(reg.GetDataSize(c.name), c.size);
    EXPECT_EQ(reg.ValueExists(c.name), c.size >= 0);
  }
  // Missing texts and binary data read as empty rather than failing.
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_EQ(reg.ReadBinaryData("Missing", back, sizeof(back)), 0);
}

TEST_F(RegistryTest, TextsWrittenByOthersEndAtTheirFirstZero) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  RegSetValueExA(reg.GetCurrentKey(), "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
  RegSetValueExA(reg.GetCurrentKey(), "Embedded", 0, REG_SZ, reinterpret_cast<const BYTE*>("ab\0junk"), 8);
  EXPECT_EQ(reg.ReadString("Unterminated"), "abc");
  EXPECT_EQ(reg.ReadString("Embedded"), "ab");
}

TEST_F(RegistryTest, ReadingTheWrongWayRaisesTheRegistryMessages) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  reg.WriteString("Text", "12");
  reg.WriteString("Long", "a longer text");
  reg.WriteInteger("Number", 7);
  const unsigned char bytes[16] = {};
  reg.WriteBinaryData("Bytes", bytes, sizeof(bytes));

  unsigned char small[4];
  TRegistry closed, rootless;
  rootless.SetRootKey(nullptr);
  struct Case {
    const char* what;
    std::function<void()> read;
    const char* message;
  };
  const Case cases[] = {
      {"integer missing", [&] { reg.ReadInteger("Missing"); }, "Failed to get data for 'Missing'"},
      {"bool missing", [&] { reg.ReadBool("Missing"); }, "Failed to get data for 'Missing'"},
      {"float missing", [&] { reg.ReadFloat("Missing"); }, "Failed to get data for 'Missing'"},
      {"integer from short text", [&] { reg.ReadInteger("Text"); }, "Invalid data type for 'Text'"},
      {"integer from long text", [&] { reg.ReadInteger("Long"); }, "Failed to get data for 'Long'"},
      {"text from integer", [&] { reg.ReadString("Number"); }, "Invalid data type for 'Number'"},
      {"float from integer", [&] { reg.ReadFloat("Number"); }, "Invalid data type for 'Number'"},
      {"float from 16 bytes", [&] { reg.ReadFloat("Bytes"); }, "Failed to get data for 'Bytes'"},
      {"binary too big", [&] { reg.ReadBinaryData("Bytes", small, sizeof(small)); }, "Invalid data type for 'Bytes'"},
      {"binary from text", [&] { reg.ReadBinaryData("Text", small, sizeof(small)); }, "Invalid data type for 'Text'"},
      {"write with no key open", [&] { closed.WriteInteger("Anything", 1); }, "Failed to set data for 'Anything'"},
      {"create under no root", [&] { rootless.CreateKey("Software\\Pelorin"); },
       "Failed to create key Software\\Pelorin"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RegistryError(c.read), c.message);
  }
}

TEST_F(RegistryTest, KeyAndValueListsDeletionAndRenaming) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Pelorin", true));
  EXPECT_FALSE(reg.HasSubKeys());
  reg.CreateKey("Beta\\Inner\\Innermost");
  reg.CreateKey("Alpha");
  reg.WriteString("One", "1");
  reg.WriteInteger("Two", 2);

  TStringList names;
  names.Add("stale");
  reg.GetKeyNames(&names);
  EXPECT_EQ(SortedNames(names), "Alpha,Beta");
  reg.GetValueNames(&names);
  EXPECT_EQ(SortedNames(names), "One,Two");
  EXPECT_TRUE(reg.HasSubKeys());

  // DeleteKey takes the subkeys with it.
  EXPECT_TRUE(reg.DeleteKey("Beta"));
  EXPECT_FALSE(reg.KeyExists("Beta"));
  EXPECT_FALSE(reg.DeleteKey("Beta"));
  EXPECT_TRUE(reg.DeleteKey("\\Software\\Pelorin\\Alpha"));
  EXPECT_FALSE(reg.HasSubKeys());
  EXPECT_EQ(reg.GetCurrentPath(), "Software\\Pelorin");

  EXPECT_TRUE(reg.DeleteValue("One"));
  EXPECT_FALSE(reg.DeleteValue("One"));
  reg.GetValueNames(&names);
  EXPECT_EQ(SortedNames(names), "Two");

  // Renaming keeps type and data, even of a type TRegistry has no reader for; it never
  // overwrites a value that exists.
  const char multi[] = "a\0b\0";
  RegSetValueExA(reg.GetCurrentKey(), "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof(multi));
  reg.RenameValue("Multi", "Renamed");
  EXPECT_FALSE(reg.ValueExists("Multi"));
  DWORD type = 0, size = sizeof(multi);
  char back[sizeof(multi)] = {};
  ASSERT_EQ(RegQueryValueExA(reg.GetCurrentKey(), "Renamed", nullptr, &type, reinterpret_cast<BYTE*>(back), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(std::memcmp(back, multi, sizeof(multi)), 0);

  reg.RenameValue("Two", "Renamed");
  EXPECT_EQ(reg.ReadInteger("Two"), 2);
  EXPECT_EQ(reg.GetDataType("Renamed"), rdUnknown);
  reg.RenameValue("Missing", "Other");
  EXPECT_FALSE(reg.ValueExists("Other"));
  reg.RenameValue("Two", "Three");
  EXPECT_EQ(reg.ReadInteger("Three"), 2);
  EXPECT_FALSE(reg.ValueExists("Two"));
}

}  // namespace
