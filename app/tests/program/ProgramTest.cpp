// The real Pelorin.exe, started on a registry and a program folder of the test's own and talked to
// from outside: the first start on an empty projects folder, the one-instance guard, the fonts
// dialog chosen from the menu, and the start again through restart.exe after the Scripture
// settings.
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

// A visible top-level window of the process with the class (and caption, when given).
HWND WindowOf(DWORD pid, const std::string& windowClass, const std::string& caption = {}) {
  for (HWND w = FindWindowExA(nullptr, nullptr, windowClass.c_str(), nullptr); w;
       w = FindWindowExA(nullptr, w, windowClass.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    if ((pid == 0 || owner == pid) && IsWindowVisible(w) && (caption.empty() || caption == text)) return w;
  }
  return nullptr;
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
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
      30000));
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
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindowVisible(dialog); }, 30000));
  EXPECT_FALSE(FileExists(ProgramFolder() + "pelorin.fnt"));
  EXPECT_EQ(StoredSetting("Text in brackets"), "<missing>");

  // The results removed while the program waits are not missed until the checking cycle starts
  // again (see ASecondCopyEndsBeforeItsMainWindowDoesAnyWork). OK starts it again: it finds the
  // book without results and checks it. (Its status "Initializing check ..." lasts a tick, too
  // short to be caught from outside on a busy machine; the results written are there to stay.)
  testing_support::RemoveTree(Projects() + "PQ$\\Pelorin");
  pelorin.ChooseMenu("sf");
  dialog = pelorin.WaitForWindow("Fonts");
  ASSERT_TRUE(dialog);
  ClickChild(dialog, "&OK");
  EXPECT_TRUE(testing_support::PumpUntil([&] { return FileExists(DemoResults()); }, 30000));
  EXPECT_TRUE(pelorin.WaitForStatus("All checks done", 30000)) << pelorin.StatusPanel(1);
  EXPECT_EQ(testing_support::ReadFileBytes(ProgramFolder() + "pelorin.fnt"), EncodeFontTable(DefaultFontTable()));
  EXPECT_EQ(StoredSetting("Text in brackets"), "0");
}

// OK in the Scripture settings ends the program, and the real restart.exe beside it starts it
// again: a new process of the same executable, on the same settings, which now checks the project
// chosen in the dialog.
TEST_F(ProgramTest, OkInTheScriptureSettingsStartsTheProgramAgainOnTheChosenProject) {
  CreateDirectoryA(ProgramFolder().c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((testing_support::ProgramFolder() + "restart.exe").c_str(),
                        (ProgramFolder() + "restart.exe").c_str(), FALSE));
  PelorinProcess pelorin(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(pelorin.MainWindow());
  ASSERT_TRUE(pelorin.WaitForStatus("All checks done", 30000)) << pelorin.StatusPanel(1);
  EXPECT_EQ(pelorin.StatusPanel(0), "John");

  // A second project beside the demonstration project.
  testing_support::WriteFileBytes(
      Projects() + "SEC.ssf",
      "<ScriptureText>\r\n<Directory>" + Projects() + "SEC</Directory>\r\n<FullName>Second Project</FullName>\r\n"
      "<Language>English</Language>\r\n<Name>SEC</Name>\r\n<StyleSheet>" + Projects() + "default.sty</StyleSheet>\r\n"
      "<Versification>4</Versification>\r\n<Naming PrePart=\"SEC\" PostPart=\".SFC\" BookNameForm=\"MAT\"></Naming>\r\n"
      "</ScriptureText>\r\n");
  CreateDirectoryA((Projects() + "SEC").c_str(), nullptr);
  testing_support::WriteFileBytes(Projects() + "SEC\\SECGEN.SFC",
                                  "\\id GEN\r\n\\c 1\r\n\\p\r\n\\v 1 In the beginning God created the heaven and "
                                  "the earth.\r\n");

  const DWORD first = pelorin.ProcessId();
  pelorin.ChooseMenu("ss");  // Settings, Scriptures
  HWND dialog = pelorin.WaitForWindow("Scripture settings");
  ASSERT_TRUE(dialog);
  HWND projects = ChildOfClass(dialog, "TComboBox");
  ASSERT_TRUE(projects);
  ASSERT_NE(SendMessageA(projects, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("Second Project")),
            CB_ERR);
  ClickChild(dialog, "&OK");

  ASSERT_TRUE(pelorin.FollowRestart(30000)) << "no main window came back";
  EXPECT_NE(pelorin.ProcessId(), first);
  EXPECT_EQ(Lowered(pelorin.ExecutablePath()), Lowered(ProgramFolder() + "Pelorin.exe"));
  EXPECT_EQ(StoredSetting("S7"), "Second Project");
  ASSERT_TRUE(pelorin.WaitForStatus("All checks done", 30000)) << pelorin.StatusPanel(1);
  EXPECT_EQ(pelorin.StatusPanel(0), "Genesis");
  EXPECT_TRUE(FileExists(Projects() + "SEC\\Pelorin\\Genesis.dat"));
  testing_support::PumpFor(1200);  // the totals of the new project on the button timer's next tick
  testing_support::SaveScreenshot(pelorin.MainWindow(), "pelorin-restarted");
  ASSERT_TRUE(pelorin.Close());
  EXPECT_EQ(pelorin.ExitCode(), 0u);
}

// Without restart.exe the program still ends after OK in the settings, and says that it cannot
// come back by itself.
TEST_F(ProgramTest, WithoutRestartTheProgramSaysSoAndEnds) {
  PelorinProcess pelorin(ProgramFolder(), registry_.Root());
  ASSERT_TRUE(pelorin.MainWindow());
  ASSERT_TRUE(pelorin.WaitForStatus("All checks done", 30000)) << pelorin.StatusPanel(1);
  pelorin.ChooseMenu("ss");  // Settings, Scriptures
  HWND dialog = pelorin.WaitForWindow("Scripture settings");
  ASSERT_TRUE(dialog);
  ClickChild(dialog, "&OK");
  HWND box = nullptr;
  ASSERT_TRUE(testing_support::PumpUntil([&] { return (box = WindowOf(pelorin.ProcessId(), "#32770", "Pelorin")); },
                                         30000));
  char text[1024] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ(text,
               "Pelorin ends now to take up the new settings, but restart.exe, which starts it again, cannot be "
               "started. Start Pelorin again yourself.");
  testing_support::SaveScreenshot(box, "restart-missing");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(pelorin.WaitForExit(15000));
  EXPECT_EQ(pelorin.ExitCode(), 0u);
}

// Started by hand (not by a running Pelorin), restart.exe starts the Pelorin.exe beside it at
// once; without one it says so and ends with an exit code that is not 0.
TEST_F(ProgramTest, RestartStartedByHandStartsThePelorinBesideItOrSaysItCannot) {
  struct Case {
    const char* name;
    bool pelorinThere;
  };
  for (const Case& c : {Case{"Pelorin beside it", true}, Case{"no Pelorin beside it", false}}) {
    SCOPED_TRACE(c.name);
    const std::string folder = temp_.Path() + (c.pelorinThere ? "With\\" : "Without\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((testing_support::ProgramFolder() + "restart.exe").c_str(), (folder + "restart.exe").c_str(),
                          FALSE));
    if (c.pelorinThere)
      for (const char* file : {"Pelorin.exe", "American.lxm"})
        ASSERT_TRUE(CopyFileA((testing_support::ProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE));

    testing_support::Process restart("\"" + folder + "restart.exe\"", {"PELORIN_REGISTRY_ROOT=" + registry_.Root()},
                                     folder);
    ASSERT_TRUE(restart.Started());
    if (c.pelorinThere) {
      HWND main = nullptr;
      ASSERT_TRUE(testing_support::PumpUntil([&] { return (main = WindowOf(0, "TMainScreen")) != nullptr; }, 30000));
      EXPECT_TRUE(restart.WaitForEnd(30000));
      EXPECT_EQ(restart.ExitCode(), 0u);
      DWORD pid = 0;
      GetWindowThreadProcessId(main, &pid);
      HANDLE started = OpenProcess(SYNCHRONIZE, FALSE, pid);
      PostMessageA(main, WM_CLOSE, 0, 0);
      EXPECT_EQ(WaitForSingleObject(started, 30000), WAIT_OBJECT_0);
      CloseHandle(started);
    } else {
      HWND box = nullptr;
      ASSERT_TRUE(testing_support::PumpUntil([&] { return (box = WindowOf(restart.Id(), "#32770", "Pelorin")); }, 30000));
      char text[1024] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      EXPECT_EQ(std::string(text).rfind("Pelorin could not be started again from " + folder + "Pelorin.exe: ", 0), 0u)
          << text;
      testing_support::SaveScreenshot(box, "restart-without-pelorin");
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      ASSERT_TRUE(restart.WaitForEnd(30000));
      EXPECT_EQ(restart.ExitCode(), 2u);
    }
  }
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
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindowVisible(dialog); }, 30000));

  pelorin.ChooseMenu("pb");  // Printing, Print Bible
  dialog = pelorin.WaitForWindow("Print Bible");
  ASSERT_TRUE(dialog);
  testing_support::SaveScreenshot(dialog, "pelorin-print-bible");
  ClickChild(dialog, "&OK");
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindowVisible(dialog); }, 30000));
  ASSERT_TRUE(pelorin.Close());
}

}  // namespace
