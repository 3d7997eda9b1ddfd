#include <gtest/gtest.h>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycSysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(SycPathsTest, ExpandDestinationName) {
  struct Case {
    const char* source;
    const char* dest;
    const char* expected;
  } cases[] = {
      {"C:\\a\\b.txt", "D:\\x\\*.bak", "D:\\x\\b.bak"},
      {"C:\\a\\b.txt", "D:\\x\\", "D:\\x\\b.txt"},
      {"C:\\a\\b.txt", "D:\\x\\new.?", "D:\\x\\new.txt"},
      {"C:\\a\\b.txt", "D:\\x\\new.doc", "D:\\x\\new.doc"},
      {"C:\\a\\b.txt", "new.doc", "C:\\a\\new.doc"},
      {"C:\\a\\b.txt", "new", "C:\\a\\new.txt"},
      {"C:\\a\\b.txt", "  ", "C:\\a\\b.txt"},
      {"C:\\a\\b.txt", "", "C:\\a\\b.txt"},
      {"C:\\a\\archive.tar.gz", "D:\\x\\*.zip", "D:\\x\\archive.tar.zip"},
      {"C:\\a\\noext", "D:\\x\\", "D:\\x\\noext"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandDestinationName(c.source, c.dest), c.expected) << c.source << " " << c.dest;
}

TEST(SycPathsTest, ResolveDestination) {
  struct Case {
    const char* folder;
    const char* dest;
    const char* expected;
  } cases[] = {
      {"C:\\dest", "sub\\f.txt", "C:\\dest\\sub\\f.txt"},
      {"C:\\dest\\", "sub\\f.txt", "C:\\dest\\sub\\f.txt"},
      {"C:\\dest", "\\f.txt", "C:\\dest\\f.txt"},
      {"C:\\dest", "E:\\f.txt", "E:\\f.txt"},
      {"C:\\dest", "\\\\server\\share\\f.txt", "\\\\server\\share\\f.txt"},
      {"C:\\dest", "", "C:\\dest\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveDestination(c.folder, c.dest), c.expected) << c.folder << " " << c.dest;
}

TEST(SycPathsTest, NamePartsAndSlashes) {
  EXPECT_EQ(ExtractFileNameEx("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(ExtractFileNameEx("http://host/page.htm"), "page.htm");
  EXPECT_EQ(ExtractFileNameEx("C:b.txt"), "b.txt");
  EXPECT_EQ(ExtractFilePathEx("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(ExtractFilePathEx("dir/b.txt"), "dir/");
  EXPECT_EQ(ExtractFilePathEx("b.txt"), "");
  EXPECT_EQ(ExtractFileNameNoExt("C:\\a.b\\c.d.txt"), "c.d");
  EXPECT_EQ(ExtractFileNameNoExt("C:\\a.b\\c"), "c");
  EXPECT_EQ(AddSlash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(AddSlash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(AddSlash(""), "\\");
  EXPECT_EQ(RemoveDoubleSlashes("C:\\\\a\\\\\\b"), "C:\\a\\\\b");
}

TEST(SycStringsTest, ReplaceAllSearchesOnAfterTheInsertedText) {
  struct Case {
    const char* s;
    const char* oldText;
    const char* newText;
    const char* expected;
  } cases[] = {
      {"aaa", "a", "aa", "aaaaaa"},
      {"abcabc", "bc", "", "aa"},
      {"abc", "", "x", "abc"},
      {"x--y--", "--", "-", "x-y-"},
  };
  for (const Case& c : cases) {
    AnsiString s = c.s;
    ReplaceAll(s, c.oldText, c.newText);
    EXPECT_EQ(s, c.expected) << c.s;
  }
  AnsiString s = "a/b/c";
  ReplaceChar(s, '/', '\\');
  EXPECT_EQ(s, "a\\b\\c");
}

TEST(SycStringsTest, SplitToStringsAddsLines) {
  TStringList lines;
  lines.Add("first");
  SplitToStrings("a;;b;c;", ";", &lines);
  EXPECT_EQ(lines.GetText(), "first\r\na\r\n\r\nb\r\nc\r\n");
  lines.Clear();
  SplitToStrings("one<>two", "<>", &lines);
  EXPECT_EQ(lines.GetCount(), 2);
  EXPECT_EQ(lines.GetStrings(1), "two");
}

class SycFilesTest : public testing_support::IsolatedTest {};

TEST_F(SycFilesTest, CanCreateFileLeavesNothingBehind) {
  EXPECT_FALSE(CanCreateFile(""));
  const std::string fresh = temp_.File("fresh.dat");
  EXPECT_TRUE(CanCreateFile(fresh));
  EXPECT_FALSE(FileExists(fresh));
  const std::string existing = temp_.File("old.dat");
  testing_support::WriteFileBytes(existing, "keep");
  EXPECT_TRUE(CanCreateFile(existing));
  EXPECT_EQ(testing_support::ReadFileBytes(existing), "keep");
  EXPECT_FALSE(CanCreateFile(temp_.File("missing\\sub\\x.dat")));
}

TEST_F(SycFilesTest, AutoRunEntriesComeAndGo) {
  const AnsiString program = "C:\\Programs\\Tool\\tool.exe";
  struct Case {
    TsycAutoExecKind kind;
    HKEY root;
    const char* key;
  } cases[] = {
      {aekMachineRun, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
      {aekMachineRunOnce, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
      {aekUserRun, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
      {aekUserRunOnce, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
  };
  for (const Case& c : cases) {
    HKEY root;
    AnsiString key;
    GetAutoRunKey(c.kind, root, key);
    EXPECT_EQ(root, c.root);
    EXPECT_EQ(key, c.key);
    EXPECT_FALSE(RemoveFromAutoRun(c.kind, program)) << "no key yet";
    ASSERT_TRUE(AddToAutoRun(c.kind, program));
    TRegistry reg;
    reg.SetRootKey(c.root);
    ASSERT_TRUE(reg.OpenKey(c.key, false));
    EXPECT_EQ(reg.ReadString("tool.exe"), program);
    EXPECT_TRUE(RemoveFromAutoRun(c.kind, program));
    EXPECT_FALSE(reg.ValueExists("tool.exe"));
    EXPECT_TRUE(RemoveFromAutoRun(c.kind, program)) << "nothing left to remove";
  }
}

TEST_F(SycFilesTest, ServiceKindsAreRefusedOnNT) {
  ASSERT_TRUE(IsWinNT);
  HKEY root;
  AnsiString key;
  GetAutoRunKey(aekServiceRunOnce, root, key);
  EXPECT_EQ(key, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce");
  EXPECT_FALSE(AddToAutoRun(aekServiceRun, "C:\\x.exe"));
  EXPECT_FALSE(AddToAutoRun(aekServiceRunOnce, "C:\\x.exe"));
  EXPECT_FALSE(RemoveFromAutoRun(aekServiceRun, "C:\\x.exe"));
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.KeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"));
}

TEST_F(SycFilesTest, WriteRegStringCreatesTheKeyOrSaysWhichOneFailed) {
  WriteRegString(HKEY_CURRENT_USER, "Software\\SycTest\\Deep", "Name", "Value");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\SycTest\\Deep", false));
  EXPECT_EQ(reg.ReadString("Name"), "Value");
  // A root handle that was closed already cannot open anything.
  HKEY closed = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &closed), ERROR_SUCCESS);
  RegCloseKey(closed);
  try {
    WriteRegString(closed, "Sub\\Key", "Name", "Value");
    FAIL() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message, "Unable to open the Sub\\Key key");
  }
}

TEST(SycSystemTest, OSKindOfVersion) {
  constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
  constexpr DWORD kNT = VER_PLATFORM_WIN32_NT;
  struct Case {
    DWORD platform, major, minor, build;
    const char* service;
    Integer kind;
  } cases[] = {
      {k9x, 4, 0, 950, "", 1},
      {k9x, 4, 0, 0x04000000 | 1111, " B ", 2},
      {k9x, 4, 0, 1112, "B", 0},
      {k9x, 4, 10, 1998, "", 3},
      {k9x, 4, 10, 0x040A0000 | 2222, " A ", 4},
      {k9x, 4, 90, 3000, "", 8},
      {kNT, 3, 51, 1057, "", 5},
      {kNT, 4, 0, 1381, "Service Pack 6", 6},
      {kNT, 4, 0, 1380, "", 0},
      {kNT, 5, 0, 2195, "", 7},
      {kNT, 5, 1, 2600, "Service Pack 2", 9},
      {kNT, 5, 2, 3790, "", 0},
      {kNT, 6, 1, 7601, "", 0},
      {kNT, 10, 0, 19045, "", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OSKindOfVersion(c.platform, c.major, c.minor, c.build, c.service), c.kind)
        << c.platform << " " << c.major << "." << c.minor << "." << c.build;
  const Integer kind = GetOSKind();
  EXPECT_EQ(IsWinXP, kind == 9);
  EXPECT_EQ(IsWin2000, kind == 7);
}

TEST(SycSystemTest, ProgramPaths) {
  const AnsiString exe = ParamStr(0);
  EXPECT_TRUE(SameText(ExePath, ExtractFilePath(exe))) << ExePath;
  EXPECT_TRUE(SameText(LogFileName, ChangeFileExt(exe, ".log"))) << LogFileName;
}

TEST_F(SycFilesTest, RegistryNotificationSignalsAChange) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\SycNotify", true));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\SycNotify", 0, KEY_READ, &key), ERROR_SUCCESS);
  TsycRegNotifyRec rec;
  HANDLE event = RegNotifyStart(key, false, REG_NOTIFY_CHANGE_LAST_SET, rec);
  ASSERT_NE(event, INVALID_HANDLE_VALUE);
  EXPECT_EQ(rec.Key, key);
  EXPECT_EQ(rec.WatchSubTree, 0);
  EXPECT_EQ(rec.Filter, static_cast<DWORD>(REG_NOTIFY_CHANGE_LAST_SET));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  reg.WriteString("A", "1");
  EXPECT_EQ(WaitForSingleObject(event, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
  ASSERT_TRUE(RegNotifyReset(event, rec));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  reg.WriteString("A", "2");
  EXPECT_EQ(WaitForSingleObject(event, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_FALSE(RegNotifyReset(INVALID_HANDLE_VALUE, rec));
  CloseHandleIfValid(event);
  CloseHandleIfValid(INVALID_HANDLE_VALUE);
  RegCloseKey(key);

  SetLastError(0);
  EXPECT_EQ(RegNotifyStart(nullptr, true, REG_NOTIFY_CHANGE_NAME, rec), INVALID_HANDLE_VALUE);
  EXPECT_NE(GetLastError(), 0u);
}

}  // namespace
