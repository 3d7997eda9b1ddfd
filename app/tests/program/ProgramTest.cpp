// The real Pelorin.exe, started on a registry and a program folder of the test's own and talked to
// from outside: the first start on an empty projects folder, the one-instance guard, and the fonts
// dialog chosen from the menu.
#include <string>
#include <vector>

#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/ProgramDriver.h"
#include "core/FontTable.h"

namespace {

using namespace app_testing;

// A value of the program's settings key as stored; "<missing>" when there is none.
std::string StoredSetting(const std::string& name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Pelorin", name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return "<missing>";
  return value;
}

void StoreSetting(const std::string& name, const std::string& value) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pelorin", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void ClickChild(HWND parent, const char* caption) {
  HWND button = FindWindowExA(parent, nullptr, nullptr, caption);
  ASSERT_TRUE(button) << caption;
  PostMessageA(button, BM_CLICK, 0, 0);
}

class ProgramTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    // The projects folder is the one setting given; everything else starts missing.
    StoreSetting("S6", Projects());
  }
  std::string ProgramFolder() const { return temp_.Path() + "Program\\"; }
  std::string Projects() const { return temp_.Path() + "Projects\\"; }
  std::string DemoResults() const { return Projects() + "PQ$\\Pelorin\\John.dat"; }
};

TEST_F(ProgramTest, FirstStartWritesTheDefaultsAndTheDemonstrationProjectAndChecksIt) {
  PelorinProcess pelorin(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(pelorin.Started());
  ASSERT_TRUE(pelorin.MainWindow());
  ASSERT_TRUE(pelorin.WaitForStatus("All checks done", 30000)) << pelorin.StatusPanel(1);
  EXPECT_EQ(pelorin.StatusPanel(0), "John");
  EXPECT_EQ(pelorin.StatusPanel(2), "Mechanical proofreading ready");
  testing_support::PumpFor(1200);  // the totals are counted on the button timer's next tick
  testing_support::SaveScreenshot(pelorin.MainWindow(), "pelorin-first-start");

  const std::string book = Projects() + "PQ$\\PQ$JHN.SFC";
  EXPECT_EQ(testing_support::ReadFileBytes(book),
            "\\id JHN\r\n\\c 1\r\n\\p\r\n\\v 1 In the beginning was the Word, and the Word was with God, and the "
            "Word was God.\r\n");
  EXPECT_EQ(FileLines(DemoResults()), (Lines{std::to_string(FileAge(book)), "0", "[spelling errors]",
                                             "[mechanical errors]", "[exceptions]"}));
  EXPECT_EQ(testing_support::ReadFileBytes(ProgramFolder() + "brackets.txt"), "[]\r\n{}\r\n()\r\n<>\r\n");
  for (const char* file : {"PQ$.ssf", "default.sty", "English.lds"})
    EXPECT_TRUE(FileExists(Projects() + file)) << file;

  struct Setting {
    const char* name;
    std::string value;
  };
  const Setting settings[] = {
      {"Sentence Enders", ".:?!"},
      {"Sentence Indifferent Characters", "[]{}()<>\"-"},
      {"BibleWorks Folder", "c:\\Program Files\\BibleWorks 5"},
      {"BibleWorks Filename", "bw500"},
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
      {"B3", "<missing>"},
      {"I1", "1"},
      {"S1", "WTT"},
      {"S2", "SCR"},
      {"I5", "3"},
      {"S4", "bcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ"},
      {"S5", "aeiouAEIOU"},
      {"S6", Projects()},
      {"S10", Projects() + "eBooks\\"},
      {"I6", "2"},
      {"I7", "100"},
      {"S11", Projects() + "Printing\\"},
      {"I8", "25"},
      {"I9", "25"},
      {"I10", "25"},
      {"I11", "25"},
      {"I12", "1"},
      {"S12", "C:\\Program Files\\OverDrive ReaderWorks\\RWStan.exe"},
      {"S7", "Pelorin Demonstration Project"},
  };
  for (const Setting& s : settings) EXPECT_EQ(StoredSetting(s.name), s.value) << s.name;

  ASSERT_TRUE(pelorin.Close());
  EXPECT_EQ(pelorin.ExitCode(), 0u);
}

TEST_F(ProgramTest, ASecondCopyEndsBeforeItsMainWindowDoesAnyWork) {
  PelorinProcess first(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(first.MainWindow());
  ASSERT_TRUE(first.WaitForStatus("All checks done", 30000));
  const auto written = LastWriteTime(DemoResults());
  testing_support::RemoveTree(Projects() + "PQ$\\Pelorin");

  PelorinProcess second(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(second.Started());
  bool shown = false;
  EXPECT_TRUE(testing_support::PumpUntil(
      [&] {
        shown = shown || second.MainWindow(0) != nullptr;
        return second.WaitForExit(0);
      },
      15000));
  EXPECT_FALSE(shown);
  EXPECT_EQ(second.ExitCode(), 0u);
  // It checked nothing: the results removed meanwhile were not written again.
  EXPECT_FALSE(FileExists(DemoResults()));
  EXPECT_NE(written, 0u);
  EXPECT_FALSE(first.WaitForExit(0));
  EXPECT_EQ(first.StatusPanel(1), "All checks done");
}

TEST_F(ProgramTest, FontsDialogFromTheMenuChangesNothingOnCancelAndWritesTheFontsOnOk) {
  PelorinProcess pelorin(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(pelorin.MainWindow());
  ASSERT_TRUE(pelorin.WaitForStatus("All checks done", 30000));

  pelorin.ChooseMenu("sf");  // Settings, Fonts
  HWND dialog = pelorin.WaitForWindow("Fonts");
  ASSERT_TRUE(dialog);
  ClickChild(dialog, "Cancel");
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_FALSE(FileExists(ProgramFolder() + "pelorin.fnt"));
  EXPECT_EQ(StoredSetting("Text in brackets"), "<missing>");

  pelorin.ChooseMenu("sf");
  dialog = pelorin.WaitForWindow("Fonts");
  ASSERT_TRUE(dialog);
  ClickChild(dialog, "&OK");
  // The checking cycle starts again, and finds nothing to check.
  EXPECT_TRUE(pelorin.WaitForStatus("Initializing check ...", 5000));
  EXPECT_TRUE(pelorin.WaitForStatus("All checks done", 10000));
  EXPECT_EQ(testing_support::ReadFileBytes(ProgramFolder() + "pelorin.fnt"), EncodeFontTable(DefaultFontTable()));
  EXPECT_EQ(StoredSetting("Text in brackets"), "0");
}

}  // namespace
