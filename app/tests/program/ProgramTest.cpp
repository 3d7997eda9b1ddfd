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

using core_testing::StoreSetting;
using core_testing::StoredSettings;

// A value of the program's settings key as stored; "<missing>" when there is none.
std::string StoredSetting(const std::string& name) {
  const auto values = StoredSettings();
  const auto found = values.find(name);
  return found == values.end() ? "<missing>" : found->second;
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
  // Of the book's words only its identifier is not in the dictionary installed beside the program.
  EXPECT_EQ(FileLines(DemoResults()), (Lines{std::to_string(FileAge(book)), "1", "[spelling errors]", "JHN",
                                             "[mechanical errors]", "[exceptions]"}));
  EXPECT_EQ(testing_support::ReadFileBytes(ProgramFolder() + "brackets.txt"), "[]\r\n{}\r\n()\r\n<>\r\n");
  for (const char* file : {"PQ$.ssf", "default.sty", "English.lds"})
    EXPECT_TRUE(FileExists(Projects() + file)) << file;

  // Every default, the projects folder given, and the demonstration project made current.
  auto expected = core_testing::DefaultSettings(Projects());
  expected["S7"] = "Pelorin Demonstration Project";
  EXPECT_EQ(StoredSettings(), expected);

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

TEST_F(ProgramTest, ThePrintingItemsOpenTheirDialogsAndTheBookHeadingsAreLoadedAtStart) {
  PelorinProcess pelorin(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(pelorin.MainWindow());
  ASSERT_TRUE(pelorin.WaitForStatus("All checks done", 30000));
  // The headings of the page headers are read when the main window is made, writing the file of
  // the English names into the project's work folder.
  const Lines headings = FileLines(Projects() + "PQ$\\Pelorin\\HeadingsOfBooks.txt");
  ASSERT_EQ(headings.size(), 66u);
  EXPECT_EQ(headings[42], "JHNJohn");

  pelorin.ChooseMenu("sr");  // Settings, Printing
  HWND dialog = pelorin.WaitForWindow("Settings for printing");
  ASSERT_TRUE(dialog);
  ClickChild(dialog, "Cancel");
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindowVisible(dialog); }, 5000));

  pelorin.ChooseMenu("pb");  // Printing, Print Bible
  dialog = pelorin.WaitForWindow("Print Bible");
  ASSERT_TRUE(dialog);
  testing_support::SaveScreenshot(dialog, "pelorin-print-bible");
  ClickChild(dialog, "&OK");
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  ASSERT_TRUE(pelorin.Close());
}

}  // namespace
