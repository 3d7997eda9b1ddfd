#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "controls/visprocs.h"

namespace {

TEST(VisProcsStrings, BlankAndFill) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" x "));
  EXPECT_EQ(FillString(3, '*'), "***");
  EXPECT_EQ(FillString(0, '*'), "");
  EXPECT_EQ(TrimString("  a b  "), "a b");
}

TEST(VisProcsPaths, Backslashes) {
  struct Case {
    const char* path;
    const char* added;
    const char* removed;
  };
  const Case cases[] = {
      {"", "\\", ""},
      {"  ", "\\", "  "},
      {"C:\\Data", "C:\\Data\\", "C:\\Data"},
      {"C:\\Data\\", "C:\\Data\\", "C:\\Data"},
      {"\\", "\\", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddBackslash(c.path), c.added) << c.path;
    EXPECT_EQ(RemoveBackslash(c.path), c.removed) << c.path;
  }
}

TEST(VisProcsPaths, PrefixFolders) {
  char windows[MAX_PATH];
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  char system[MAX_PATH];
  ::GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(GetPrefixPath(ppWindows, false), RemoveBackslash(windows));
  EXPECT_EQ(GetPrefixPath(ppWindows, true), AddBackslash(windows));
  EXPECT_EQ(GetPrefixPath(ppSystem, true), AddBackslash(system));
  EXPECT_EQ(GetPrefixPath(ppProgram, true), ExtractFilePath(ParamStr(0)));
  EXPECT_EQ(GetPrefixPath(ppProgram, true), ProgramFolder());
  EXPECT_EQ(GetPrefixPath(ppFixed, true), "");
  EXPECT_EQ(GetPrefixPath(ppFixed, false), "");
}

TEST(VisProcsPaths, ShortenPath) {
  struct Case {
    const char* path;
    Integer max;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Data\\file.txt", 40, "C:\\Data\\file.txt"},
      {"C:\\Program Files\\Pelorin\\Data\\file.txt", 30, "C:\\...\\Pelorin\\Data\\file.txt"},
      {"C:\\Program Files\\Pelorin\\Data\\file.txt", 24, "C:\\...\\Data\\file.txt"},
      {"C:\\Program Files\\Pelorin\\Data\\file.txt", 10, "C:\\...\\file.txt"},
      {"\\\\server\\share\\folder\\file.txt", 25, "\\...\\folder\\file.txt"},
      {"relative\\folder\\file.txt", 19, "...\\folder\\file.txt"},
      {"file.txt", 3, "file.txt"},
      {"C:file.txt", 3, "C:file.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortenPath(c.path, c.max), c.expected) << c.path << " " << c.max;
}

TEST(VisProcsRects, Arithmetic) {
  EXPECT_EQ(EnlargeRect(Rect(10, 10, 20, 20), 1, 2, 3, 4), Rect(9, 8, 23, 24));
  EXPECT_EQ(RectWidth(Rect(5, 0, 25, 7)), 20);
  EXPECT_EQ(RectHeight(Rect(5, 3, 25, 7)), 4);
  EXPECT_TRUE(RectInRect(Rect(1, 1, 5, 5), Rect(0, 0, 5, 5)));
  EXPECT_FALSE(RectInRect(Rect(1, 1, 6, 5), Rect(0, 0, 5, 5)));
  // A 2:1 picture in a square keeps its proportions and the square's corner.
  EXPECT_EQ(AspectRect(Rect(0, 0, 200, 100), Rect(10, 20, 110, 120)), Rect(10, 20, 110, 70));
  EXPECT_EQ(AspectRect(Rect(0, 0, 100, 200), Rect(0, 0, 100, 100)), Rect(0, 0, 50, 100));
}

TEST(VisProcsRects, Rotation) {
  EXPECT_EQ(RotatedRect(Rect(0, 0, 100, 40), 0), Rect(0, 0, 100, 40));
  EXPECT_EQ(RotatedRect(Rect(10, 10, 110, 50), 90), Rect(0, 0, 40, 100));
  EXPECT_EQ(RotatedRect(Rect(0, 0, 100, 100), 45), Rect(0, 0, 142, 142));
  EXPECT_EQ(RotatedRect(Rect(0, 0, 100, 40), 180), Rect(0, 0, 100, 40));
}

TEST(VisProcsArrays, Extremes) {
  const Integer ints[] = {3, -7, 12, 0};
  EXPECT_EQ(MaxIntValue(ints), 12);
  EXPECT_EQ(MinIntValue(ints), -7);
  const Extended floats[] = {1.5L, -2.0L, 9.25L};
  EXPECT_EQ(MaxValue(floats), 9.25L);
}

}  // namespace
