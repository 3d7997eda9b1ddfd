#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

TEST(Paths, PartsOfFileNames) {
  const struct {
    const char* name;
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
    const char* drive;
  } cases[] = {
      {"C:\\Bible\\GEN.sfm", "C:\\Bible\\", "C:\\Bible", "GEN.sfm", ".sfm", "C:"},
      {"C:\\GEN.sfm", "C:\\", "C:\\", "GEN.sfm", ".sfm", "C:"},
      {"C:GEN", "C:", "C:", "GEN", "", "C:"},
      {"GEN.old.sfm", "", "", "GEN.old.sfm", ".sfm", ""},
      {"dir.d\\file", "dir.d\\", "dir.d", "file", "", ""},
      {"\\\\server\\share\\x\\y.txt", "\\\\server\\share\\x\\", "\\\\server\\share\\x", "y.txt", ".txt",
       "\\\\server\\share"},
      {"name.", "", "", "name.", ".", ""},
      {"", "", "", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    EXPECT_EQ(ExtractFileDrive(c.name), c.drive) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("C:\\a\\GEN.sfm", ".dat"), "C:\\a\\GEN.dat");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\GEN", ".dat"), "C:\\a.b\\GEN.dat");
  EXPECT_EQ(ChangeFileExt("GEN.sfm", ""), "GEN");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\a\\"), "C:\\a");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\a"), "C:\\a");
  EXPECT_TRUE(IsPathDelimiter("a\\b", 2));
  EXPECT_EQ(ExpandFileName("C:\\a\\..\\b\\.\\c.txt"), "C:\\b\\c.txt");
}

class Files : public testing_support::IsolatedTest {};

TEST_F(Files, CreateRenameCopyAndDelete) {
  const AnsiString a = temp_.File("a.txt"), b = temp_.File("b.txt"), c = temp_.File("c.txt");
  EXPECT_FALSE(FileExists(a));
  WriteFileBytes(a, "hello");
  EXPECT_TRUE(FileExists(a));
  EXPECT_FALSE(DirectoryExists(a));
  EXPECT_TRUE(DirectoryExists(temp_.Path()));
  EXPECT_FALSE(FileExists(temp_.Path()));
  EXPECT_EQ(FileSizeOf(a), 5);

  EXPECT_TRUE(RenameFile(a, b));
  EXPECT_FALSE(FileExists(a));
  EXPECT_TRUE(CopyFile(b, c, true));
  EXPECT_EQ(ReadFileBytes(c), "hello");
  EXPECT_FALSE(CopyFile(b, c, true));  // exists
  EXPECT_TRUE(CopyFile(b, c, false));
  EXPECT_TRUE(DeleteFile(b));
  EXPECT_FALSE(DeleteFile(b));

  const AnsiString deep = temp_.Path() + "x\\y\\z";
  EXPECT_TRUE(ForceDirectories(deep + "\\"));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_FALSE(CreateDir(deep));
  EXPECT_TRUE(RemoveDir(deep));
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_THROW(ForceDirectories(""), EInOutError);

  EXPECT_TRUE(SetCurrentDir(temp_.Path()));
  EXPECT_EQ(IncludeTrailingBackslash(GetCurrentDir()), temp_.Path());
  SetCurrentDir(ExtractFileDir(ParamStr(0)));
}

TEST_F(Files, AttributesAndFindFirst) {
  WriteFileBytes(temp_.File("one.sfm"), "1");
  WriteFileBytes(temp_.File("two.sfm"), "22");
  WriteFileBytes(temp_.File("skip.txt"), "");
  WriteFileBytes(temp_.File("hidden.sfm"), "");
  ASSERT_TRUE(CreateDir(temp_.File("sub.sfm")));
  EXPECT_EQ(FileSetAttr(temp_.File("hidden.sfm"), faHidden), 0);
  EXPECT_EQ(FileGetAttr(temp_.File("hidden.sfm")) & faHidden, faHidden);
  EXPECT_EQ(FileGetAttr(temp_.File("missing")), -1);
  EXPECT_NE(FileSetAttr(temp_.File("missing"), 0), 0);
  EXPECT_EQ(FileSetAttr(temp_.File("one.sfm"), faReadOnly), 0);
  EXPECT_EQ(FileGetAttr(temp_.File("one.sfm")) & faReadOnly, faReadOnly);
  EXPECT_EQ(FileSetAttr(temp_.File("one.sfm"), 0), 0);

  auto find = [&](Integer attr) {
    std::vector<AnsiString> names;
    TSearchRec sr;
    if (FindFirst(temp_.File("*.sfm"), attr, sr) == 0) {
      do {
        names.push_back(sr.Name + ":" + IntToStr(sr.Size));
        if (sr.Name == "two.sfm") {
          EXPECT_NE(sr.Time, -1);
          EXPECT_EQ(sr.Time, FileAge(temp_.File("two.sfm")));
        }
      } while (FindNext(sr) == 0);
      FindClose(sr);
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  EXPECT_EQ(find(faAnyFile & ~faDirectory & ~faHidden), (std::vector<AnsiString>{"one.sfm:1", "two.sfm:2"}));
  EXPECT_EQ(find(faAnyFile), (std::vector<AnsiString>{"hidden.sfm:0", "one.sfm:1", "sub.sfm:0", "two.sfm:2"}));
  EXPECT_EQ(find(faDirectory), (std::vector<AnsiString>{"one.sfm:1", "sub.sfm:0", "two.sfm:2"}));
  TSearchRec none;
  EXPECT_NE(FindFirst(temp_.File("*.none"), faAnyFile, none), 0);
  FindClose(none);
}

TEST_F(Files, FileAgeIsTheLocalDosTimePackedInASignedInteger) {
  const AnsiString name = temp_.File("book.sfm");
  EXPECT_EQ(FileAge(name), -1);
  WriteFileBytes(name, "\\id GEN");
  // Set the last write time to 2024-03-05 14:07:09 local time through the Win32 calls.
  SYSTEMTIME local{};
  local.wYear = 2024;
  local.wMonth = 3;
  local.wDay = 5;
  local.wHour = 14;
  local.wMinute = 7;
  local.wSecond = 9;
  FILETIME localFt, utcFt;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localFt));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localFt, &utcFt));
  {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &utcFt));
    EXPECT_EQ(FileGetDate(h), static_cast<Integer>(0x586570E4));
    CloseHandle(h);
  }
  // (44 << 9 | 3 << 5 | 5) << 16 | (14 << 11 | 7 << 5 | 9 / 2)
  EXPECT_EQ(FileAge(name), static_cast<Integer>(0x586570E4));
  EXPECT_EQ(FileDateToDateTime(FileAge(name)), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 8, 0));

  // Years from 2044 on set the sign bit.
  const Integer late = DateTimeToFileDate(EncodeDate(2050, 6, 1) + EncodeTime(10, 0, 0, 0));
  ASSERT_LT(late, 0);
  EXPECT_EQ(FileSetDate(name, late), 0);
  EXPECT_EQ(FileAge(name), late);

  EXPECT_EQ(FileAge(temp_.Path() + "."), -1);  // a folder has no age
  EXPECT_EQ(FileAge(temp_.File("missing.sfm")), -1);
}

TEST_F(Files, LowLevelHandles) {
  const AnsiString name = temp_.File("raw.bin");
  HANDLE h = FileCreate(name);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileWrite(h, "abcdef", 6), 6);
  EXPECT_EQ(FileSeek(h, 2, 0), 2);
  char buf[8] = {};
  EXPECT_EQ(FileRead(h, buf, 8), 4);
  EXPECT_EQ(AnsiString(buf), "cdef");
  EXPECT_EQ(FileSeek(h, -1, 2), 5);
  FileClose(h);
  h = FileOpen(name, fmOpenRead | fmShareDenyWrite);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileOpen(name, fmOpenWrite), INVALID_HANDLE_VALUE);  // denied while shared for reading only
  EXPECT_EQ(FileWrite(h, "x", 1), -1);
  FileClose(h);
  EXPECT_EQ(FileOpen(temp_.File("missing"), fmOpenRead), INVALID_HANDLE_VALUE);
}

// The arguments are those the system's own splitting finds in the command line (the test
// runner's options have neither quotes nor backslashes, where the two rules differ).
TEST(CommandLine, ProgramPathAndArguments) {
  EXPECT_TRUE(AnsiEndsText("classlib_base_tests.exe", ParamStr(0))) << ParamStr(0);
  int count = 0;
  LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  ASSERT_NE(args, nullptr);
  EXPECT_EQ(ParamCount(), count - 1) << ::GetCommandLineA();
  for (int i = 1; i < count; ++i) EXPECT_EQ(AnsiToWide(ParamStr(i)), WideString(args[i])) << i;
  ::LocalFree(args);
  EXPECT_EQ(ParamStr(ParamCount() + 1), "");
  EXPECT_EQ(ParamStr(-1), "");
}

}  // namespace
