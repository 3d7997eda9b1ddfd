// The real Pelorin.exe with the stand-ins for Paratext and BibleWorks, talked to as a user and the
// other programs would: the book Paratext shows is checked first, "Results to Paratext" reaches
// Paratext, BibleWorks follows Paratext's verse, a book saved in Paratext or a move to another
// book re-orders the checking, the messages of all books are sent to Paratext from the list
// window, and the settings dialogs chosen from the menu store their settings.
#include <memory>
#include <string>
#include <vector>

#include "app/BookResults.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/ProgramDriver.h"
#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "core/FocusLink.h"

namespace {

using namespace app_testing;
using dialog_testing::Child;
using testing_support::Process;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

const Lines kGenesis = {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God created the heaven and the earth."};
const Lines kExodus = {"\\id EXO", "\\c 1", "\\p", "\\v 1 Now these are the names of the children of Israel."};
// "blessed" after a full stop: a sentence that begins without a capital.
const Lines kMatthew = {"\\id MAT", "\\c 5", "\\p", "\\v 3 Blessed are the poor in spirit. blessed are they."};

class LinkProgramTest : public AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteTestBook("GEN", kGenesis, 0);
    WriteTestBook("EXO", kExodus, 0);
    WriteTestBook("MAT", kMatthew, 0);
    // A line a millisecond, and BibleWorks under a service name of this test's own.
    MyReg->SetMechanicalSpeed(1);
    WriteSettingString("BibleWorks Filename", service_ + ".exe");
    WriteSettingString("BibleWorks Folder", BibleWorksFolder());
    CreateDirectoryA(BibleWorksFolder().c_str(), nullptr);
    CreateDirectoryA(ProgramFolderOfPelorin().c_str(), nullptr);
    // The stand-in for the program that starts Pelorin again, under the name Pelorin starts.
    CopyFileA((testing_support::ProgramFolder() + "RestartPeer.exe").c_str(),
              (ProgramFolderOfPelorin() + "restart.exe").c_str(), FALSE);
  }

  std::string ProgramFolderOfPelorin() const { return temp_.Path() + "Program\\"; }
  std::string BibleWorksFolder() const { return temp_.Path() + "BibleWorks"; }
  std::string ParatextLog() const { return temp_.Path() + "paratext.log"; }
  std::string BibleWorksLog() const { return temp_.Path() + "bibleworks.log"; }

  // What became of a stand-in whose window did not come.
  static std::string HowItStarted(const Process& process) {
    if (!process.Started()) return "the stand-in did not start";
    if (process.Ended()) return "the stand-in ended with exit code " + std::to_string(process.ExitCode());
    return "the stand-in runs";
  }
  std::unique_ptr<Process> StartParatext(const std::string& reference) {
    auto process = std::make_unique<Process>(
        "\"" + testing_support::ProgramFolder() + "ParatextPeer.exe\" \"" + ParatextLog() + "\" \"" + reference + "\"",
        std::vector<std::string>{"PELORIN_REGISTRY_ROOT=" + registry_.Root()});
    EXPECT_TRUE(PumpUntil([] { return FindWindowA("ParatextPeer", "Paratext 6") != nullptr; }, 30000))
        << HowItStarted(*process);
    return process;
  }
  std::unique_ptr<Process> StartBibleWorks() {
    auto process = std::make_unique<Process>("\"" + testing_support::ProgramFolder() + "BibleWorksPeer.exe\" \"" +
                                             BibleWorksLog() + "\" --service " + service_);
    EXPECT_TRUE(PumpUntil([] { return FindWindowA("BibleWorksPeer", nullptr) != nullptr; }, 30000))
        << HowItStarted(*process);
    return process;
  }
  static void TellParatext(const std::string& command) {
    HWND wnd = FindWindowA("ParatextPeer", "Paratext 6");
    ASSERT_TRUE(wnd);
    COPYDATASTRUCT data{0, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    SendMessageA(wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }

  std::unique_ptr<PelorinProcess> StartPelorin() {
    auto pelorin = std::make_unique<PelorinProcess>(ProgramFolderOfPelorin(), registry_.Root());
    EXPECT_TRUE(pelorin->MainWindow());
    return pelorin;
  }
  // Waits for a whole cycle: it starts, and it ends with every book checked.
  static bool WaitForCycle(PelorinProcess& pelorin, DWORD timeoutMs = 40000) {
    return pelorin.WaitForStatus("All checks done", timeoutMs);
  }

  unsigned long long Written(const std::string& englishName) const { return LastWriteTime(ResultsPath(englishName)); }

  // The Paratext stand-in, started before, was told of the list of these lines: the broadcast and
  // each reference as it read them from the registry, where the whole list stands.
  void ExpectParatextReceived(TStrings* lines) {
    Lines recorded = {"started", "SantaFeFocus 2 0"};
    for (const std::string& line : ItemsOf(lines)) {
      std::unique_ptr<TStringList> one(new TStringList());
      one->Add(line);
      const std::string text = FocusReferenceListText(one.get());
      recorded.push_back("list " + text.substr(0, text.size() - 2));
    }
    ASSERT_TRUE(PumpUntil([&] { return LogLines(ParatextLog()).size() >= recorded.size(); }, 30000));
    EXPECT_EQ(LogLines(ParatextLog()), recorded);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(FocusReferenceListKey));
    EXPECT_EQ(registry.ReadString(""), FocusReferenceListText(lines));
  }

  const std::string service_ = "bwpeer" + std::to_string(GetCurrentProcessId());
};

TEST_F(LinkProgramTest, TheBookParatextShowsIsCheckedFirstAndBibleWorksFollows) {
  auto paratext = StartParatext("MAT 5:3");
  auto bibleWorks = StartBibleWorks();
  const DWORD start = GetTickCount();
  auto pelorin = StartPelorin();
  ASSERT_TRUE(PumpUntil([&] { return FileExists(ResultsPath("Matthew")); }, 30000));
  const DWORD firstResults = GetTickCount() - start;
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);

  // Matthew after the pause of 5 s, before the books that come before it.
  EXPECT_GE(firstResults, 4500u);
  EXPECT_LT(Written("Matthew"), Written("Genesis"));
  EXPECT_LT(Written("Matthew"), Written("Exodus"));
  EXPECT_EQ(pelorin->StatusPanel(0), "Matthew");
  HWND button = Child(pelorin->MainWindow(), "Matthew");
  EXPECT_TRUE(button && IsWindowVisible(button)) << "the button that opens the book Paratext shows";

  // BibleWorks is linked and sent to the verse.
  ASSERT_TRUE(PumpUntil([&] { return LogLines(BibleWorksLog()).size() >= 4; }, 30000));
  EXPECT_EQ(LogLines(BibleWorksLog()),
            (Lines{"ClipGoToVerse FALSE", "IgnoreErrors TRUE", "GoToVerse Mat 5:3", "IgnoreErrors FALSE"}));
  testing_support::SaveScreenshot(pelorin->MainWindow(), "pelorin-with-paratext");

  // View, Tasks shows what the links do.
  pelorin->ChooseMenu("it");
  HWND tasks = pelorin->WaitForWindow("View background tasks");
  ASSERT_TRUE(tasks);
  PumpFor(300);
  testing_support::SaveScreenshot(tasks, "pelorin-tasks");
  PostMessageA(Child(tasks, "&Close"), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(tasks); }, 30000));
}

TEST_F(LinkProgramTest, ResultsToParatextWritesTheListTheRegistryAndTheBroadcast) {
  MyReg->SetWhiteSpaceCheck(true);
  MyReg->SetUSFMCheck(true);
  MyReg->SetStructureCheck(true);
  auto paratext = StartParatext("MAT 5:3");
  auto pelorin = StartPelorin();
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);
  HWND button = Child(pelorin->MainWindow(), "&Results to Paratext");
  ASSERT_TRUE(button);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(button) != FALSE; }, 30000)) << ReadFileBytes(ResultsPath("Matthew"));
  PostMessageA(button, BM_CLICK, 0, 0);

  // The book Paratext shows is in the editor: its messages are the list.
  std::unique_ptr<TStringList> section(new TStringList());
  std::unique_ptr<TStringList> results(new TStringList());
  results->LoadFromFile(ResultsPath("Matthew"));
  SectionLines(results.get(), "[mechanical errors]", section.get());
  ASSERT_GT(section->GetCount(), 0);
  const std::string ref = Projects() + "pelorin.ref";
  ASSERT_TRUE(PumpUntil([&] { return LogLines(ref) == ItemsOf(section.get()); }, 30000)) << ReadFileBytes(ref);

  ExpectParatextReceived(section.get());

  // The list written for Paratext goes to BibleWorks's folder too, once the machine is idle.
  Lines vls = {"BWRL 1"};
  for (const std::string& line : ItemsOf(section.get())) vls.push_back("KJV Mat " + line.substr(4, line.find(' ', 4) - 4));
  const std::string vlsFile = BibleWorksFolder() + "\\pelorin.vls";
  EXPECT_TRUE(PumpUntil([&] { return LogLines(vlsFile) == vls; }, 30000)) << ReadFileBytes(vlsFile);
}

TEST_F(LinkProgramTest, TheMechanicalMessagesOfAllBooksGoToParatextFromTheListWindow) {
  MyReg->SetUSFMCheck(true);
  MyReg->SetStructureCheck(true);
  auto paratext = StartParatext("GEN 1:1");
  auto pelorin = StartPelorin();
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);
  // Every book's messages in book order.
  std::unique_ptr<TStringList> messages(new TStringList());
  for (const char* book : {"Genesis", "Exodus", "Matthew"}) {
    std::unique_ptr<TStringList> file(new TStringList()), section(new TStringList());
    file->LoadFromFile(ResultsPath(book));
    SectionLines(file.get(), "[mechanical errors]", section.get());
    messages->AddStrings(section.get());
  }
  ASSERT_GT(messages->GetCount(), 0);

  // Text checking, Mechanical proofreading, All messages to editor; both testaments.
  pelorin->ChooseMenu("cma");
  HWND choice = pelorin->WaitForWindow("Testament selection");
  ASSERT_TRUE(choice);
  SendMessageA(Child(choice, "&Both Testaments"), BM_CLICK, 0, 0);
  PostMessageA(Child(choice, "OK"), BM_CLICK, 0, 0);
  HWND list = pelorin->WaitForWindow("Mechanical proofreading errors of all books");
  ASSERT_TRUE(list);
  EXPECT_EQ(LogLines(Projects() + "pelorin.ref"), ItemsOf(messages.get()));
  PumpFor(300);
  testing_support::SaveScreenshot(list, "pelorin-list-window");

  // Ctrl+T: File, Transfer to Paratext.
  SetForegroundWindow(list);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == list; }, 30000));
  dialog_testing::SendKeyEvents({{VK_CONTROL, false}, {'T', false}, {'T', true}, {VK_CONTROL, true}});
  ExpectParatextReceived(messages.get());

  PostMessageA(list, WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(list); }, 30000));
  EXPECT_TRUE(pelorin->Close());
}

TEST_F(LinkProgramTest, ABookSavedInParatextAndAMoveToAnotherBookAreCheckedAgain) {
  auto paratext = StartParatext("GEN 1:1");
  auto pelorin = StartPelorin();
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);
  const auto genesis = Written("Genesis"), exodus = Written("Exodus"), matthew = Written("Matthew");
  ASSERT_LT(genesis, exodus);

  // Paratext saves Exodus as it does: a new copy renamed over the book.
  const std::string exo = BookPath("EXO");
  WriteFileBytes(exo + ".new", "\\id EXO\r\n\\c 1\r\n\\p\r\n\\v 1 Now these are the names.\r\n");
  ASSERT_TRUE(MoveFileExA((exo + ".new").c_str(), exo.c_str(), MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(PumpUntil([&] { return Written("Exodus") != exodus; }, 30000));
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);
  EXPECT_EQ(Written("Genesis"), genesis);
  EXPECT_EQ(Written("Matthew"), matthew);

  // Both Exodus and Matthew change; Paratext moves to Matthew: it is checked before Exodus.
  WriteTestBook("EXO", kExodus, 100);
  WriteTestBook("MAT", kMatthew, 100);
  const auto exodusBefore = Written("Exodus");
  TellParatext("focus MAT 5:3");
  ASSERT_TRUE(PumpUntil([&] { return Written("Exodus") != exodusBefore; }, 30000));
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);
  EXPECT_NE(Written("Matthew"), matthew);
  EXPECT_LT(Written("Matthew"), Written("Exodus"));
  EXPECT_EQ(Written("Genesis"), genesis);
}

TEST_F(LinkProgramTest, SettingsChosenFromTheMenuAreStoredAndFollowedUp) {
  auto pelorin = StartPelorin();
  ASSERT_TRUE(WaitForCycle(*pelorin)) << pelorin->StatusPanel(1);
  const auto genesis = Written("Genesis");

  // Mechanical proofreading: OK stores the boxes and the speed, and every book is checked again.
  pelorin->ChooseMenu("sm");
  HWND dialog = pelorin->WaitForWindow("Mechanical proofreading");
  ASSERT_TRUE(dialog);
  PostMessageA(Child(dialog, "Automatically check &structure"), BM_CLICK, 0, 0);
  PumpFor(200);
  PostMessageA(Child(dialog, "OK"), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Written("Genesis") != genesis; }, 30000));
  EXPECT_EQ(ReadSettingString("B2"), "-1");
  EXPECT_EQ(ReadSettingString("B8"), "-1");
  EXPECT_EQ(ReadSettingString("B9"), "-1");
  EXPECT_EQ(ReadSettingString("I7"), "1");
  ASSERT_TRUE(WaitForCycle(*pelorin));

  // BibleWorks settings cancelled: nothing stored, the program runs on.
  const auto before = core_testing::StoredSettings();
  pelorin->ChooseMenu("sb");
  dialog = pelorin->WaitForWindow("BibleWorks settiings");
  ASSERT_TRUE(dialog);
  PostMessageA(Child(dialog, "Cancel"), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 30000));
  EXPECT_EQ(core_testing::StoredSettings(), before);
  EXPECT_FALSE(pelorin->WaitForExit(500));

  // With OK it stores and the program is started again by "restart.exe".
  pelorin->ChooseMenu("sb");
  dialog = pelorin->WaitForWindow("BibleWorks settiings");
  ASSERT_TRUE(dialog);
  SendMessageA(Child(dialog, "SCR"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("BGT"));
  PostMessageA(Child(dialog, "&OK"), BM_CLICK, 0, 0);
  ASSERT_TRUE(pelorin->WaitForExit(15000));
  EXPECT_EQ(pelorin->ExitCode(), 0u);
  // restart.exe runs on after Pelorin has ended: its line may come a little later.
  PumpUntil([&] { return !LogLines(ProgramFolderOfPelorin() + "restart.log").empty(); }, 30000);
  // It is the one beside the program, named by its path in quotes.
  EXPECT_EQ(LogLines(ProgramFolderOfPelorin() + "restart.log"), Lines{"\"" + ProgramFolderOfPelorin() + "restart.exe\""});
  auto expected = before;
  expected["S2"] = "BGT";
  EXPECT_EQ(core_testing::StoredSettings(), expected);
}

// The spelling helper's answers decide which words the dictionary does not know count as misspelt;
// a helper that cannot be started leaves every such word misspelt.
TEST_F(LinkProgramTest, TheSpellingHelpersAnswersDecideWhichUnknownWordsAreMisspelt) {
  struct Case {
    const char* name;
    bool helperThere;
    Lines results;
    Lines asked;
  };
  const Case cases[] = {
      {"helper", true, {"2", "[spelling errors]", "Chorazin"}, {"Chorazin No", "Bethsaida Yes"}},
      {"no helper program", false, {"3", "[spelling errors]", "Bethsaida", "Chorazin"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(BookPath("GEN").c_str());
    DeleteFileA(BookPath("EXO").c_str());
    DeleteFileA(ResultsPath("Matthew").c_str());
    for (const std::string& path : FilesIn(ProgramFolderOfPelorin(), "*.lxu")) DeleteFileA(path.c_str());
    WriteTestBook("MAT", {"\\id MAT", "\\c 11", "\\p", "\\v 21 Woe unto thee, Chorazin! woe unto thee, Bethsaida!",
                          "\\v 22 But Chorazin shall not be spared."});
    const std::string folder = temp_.Path() + "Helper\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string name = std::string("SpellHelper") + (c.helperThere ? "A" : "B") +
                             std::to_string(GetCurrentProcessId());
    if (c.helperThere) {
      ASSERT_TRUE(CopyFileA((testing_support::ProgramFolder() + "SpellingHelperPeer.exe").c_str(),
                            (folder + name + ".exe").c_str(), FALSE));
      WriteFileBytes(folder + "words.txt", "Bethsaida\r\n");
    }
    MyReg->SetUseSpellingHelper(true);
    WriteSettingString("Spelling helper application", folder + name + ".exe");

    auto pelorin = StartPelorin();
    // A look at the window while the book is spelled, when the check lasts long enough to be seen
    // from here (without a helper it may be over within a tick).
    std::string status;
    ASSERT_TRUE(PumpUntil(
        [&] {
          status = pelorin->StatusPanel(1);
          return status == "Spelling checking ..." || status == "All checks done";
        },
        30000));
    if (status == "Spelling checking ...")
      testing_support::SaveScreenshot(pelorin->MainWindow(), std::string("spelling-during-") + (c.helperThere ? "a" : "b"));
    // Each question waits until the machine is idle, at most 20 s.
    ASSERT_TRUE(WaitForCycle(*pelorin, 90000)) << pelorin->StatusPanel(1);
    PumpFor(1200);  // the totals are counted on the button timer's next tick
    testing_support::SaveScreenshot(pelorin->MainWindow(), std::string("spelling-after-") + (c.helperThere ? "a" : "b"));
    const Lines file = ResultsOf("Matthew");
    ASSERT_GE(file.size(), c.results.size() + 1);
    EXPECT_EQ(Lines(file.begin() + 1, file.begin() + 1 + static_cast<std::ptrdiff_t>(c.results.size())), c.results);
    EXPECT_EQ(LogLines(folder + name + ".log"), c.asked);
    ASSERT_TRUE(pelorin->Close());
    if (c.helperThere) {
      // The words the helper approved went into the user dictionary beside the program.
      std::string dictionaries;
      for (const std::string& path : FilesIn(ProgramFolderOfPelorin(), "*.lxu")) dictionaries += ReadFileBytes(path);
      EXPECT_NE(dictionaries.find("Bethsaida"), std::string::npos);
    }
  }
}

// A helper program that starts but never answers is started once; while its link is tried the
// window answers the keyboard, and once the link has failed no word is put to it again and the
// book's check goes on. That holds for a helper that reads its messages and serves nothing, and for
// one that hangs while it starts: it has made a window and never reads its messages, so that asking
// for the link while it starts would wait for as long as it lives.
TEST_F(LinkProgramTest, AHelperThatNeverAnswersIsStartedOnceAndTheWindowAnswersMeanwhile) {
  struct Case {
    const char* name;
    const char* modeFile;
  };
  const Case cases[] = {{"silent", "silent.txt"}, {"hung", "hung.txt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(BookPath("GEN").c_str());
    DeleteFileA(BookPath("EXO").c_str());
    DeleteFileA(ResultsPath("Matthew").c_str());
    WriteTestBook("MAT", {"\\id MAT", "\\c 11", "\\p", "\\v 21 Woe unto thee, Chorazin! woe unto thee, Bethsaida!",
                          "\\v 23 And thou, Capernaum, which art exalted.", "\\v 22 But Chorazin shall not be spared."});
    const std::string folder = temp_.Path() + "Helper" + c.name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string name = std::string("Helper") + c.name + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CopyFileA((testing_support::ProgramFolder() + "SpellingHelperPeer.exe").c_str(),
                          (folder + name + ".exe").c_str(), FALSE));
    WriteFileBytes(folder + c.modeFile, "");
    const std::string log = folder + name + ".log";
    MyReg->SetUseSpellingHelper(true);
    WriteSettingString("Spelling helper application", folder + name + ".exe");

    auto pelorin = StartPelorin();
    ASSERT_TRUE(PumpUntil([&] { return !LogLines(log).empty(); }, 30000)) << "the helper was not started";
    // The link is tried for up to 10 s; View, Tasks opens meanwhile. A window that waited for the
    // attempt would open only after it was given up, with the status saying so.
    pelorin->ChooseMenu("it");
    HWND tasks = pelorin->WaitForWindow("View background tasks", 30000);
    ASSERT_TRUE(tasks) << "the window did not answer while the helper was tried";
    EXPECT_NE(pelorin->StatusPanel(1), "Spelling helper does not answer; not asked again")
        << "the window opened only after the attempt";
    EXPECT_NE(pelorin->StatusPanel(1), "All checks done");
    PumpFor(300);
    testing_support::SaveScreenshot(tasks, std::string("tasks-while-helper-starts-") + c.name);
    PostMessageA(Child(tasks, "&Close"), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(tasks); }, 30000));

    ASSERT_TRUE(WaitForCycle(*pelorin, 40000)) << pelorin->StatusPanel(1);
    const Lines file = ResultsOf("Matthew");
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(Lines(file.begin() + 1, file.begin() + 6), (Lines{"4", "[spelling errors]", "Bethsaida", "Capernaum", "Chorazin"}));
    EXPECT_EQ(LogLines(log), Lines{"started"});

    // The tasks dialog says why the helper is no longer asked.
    pelorin->ChooseMenu("it");
    tasks = pelorin->WaitForWindow("View background tasks", 30000);
    ASSERT_TRUE(tasks);
    PumpFor(300);
    testing_support::SaveScreenshot(tasks, std::string("tasks-after-helper-") + c.name);
    PostMessageA(Child(tasks, "&Close"), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(tasks); }, 30000));
    ASSERT_TRUE(pelorin->Close());
  }
}

}  // namespace
