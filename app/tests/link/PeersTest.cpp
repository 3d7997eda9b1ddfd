// The link with the stand-ins for Paratext and BibleWorks in their own processes: the window
// titles, the focus reference in the registry, the reference list with its broadcast, and the DDE
// macros BibleWorks receives.
#include <memory>
#include <string>

#include "app/ProgramsLink.h"
#include "app/tests/support/AppTestSupport.h"
#include "classlib/DdeMan.h"
#include "classlib/StringLists.h"
#include "core/FocusLink.h"

namespace {

using app_testing::FileLines;
using app_testing::LogLines;
using app_testing::Lines;
using testing_support::ProgramFolder;
using testing_support::PumpFor;
using testing_support::PumpUntil;

// Sends a command to the Paratext stand-in's window.
void TellParatext(const std::string& command) {
  HWND wnd = FindWindowA("ParatextPeer", "Paratext 6");
  ASSERT_TRUE(wnd);
  COPYDATASTRUCT data{0, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
  SendMessageA(wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

bool Contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class PeersTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    conversation_.reset(new TDdeClientConv(nullptr));
    peers_.reset(new TSystemLinkPeers(conversation_.get()));
    link_.reset(new TProgramsLink(*peers_, service_));
  }
  void TearDown() override {
    link_.reset();
    peers_.reset();
    conversation_.reset();
    AppTest::TearDown();
  }

  std::unique_ptr<testing_support::Process> StartParatext(const std::string& reference) {
    auto process = std::make_unique<testing_support::Process>(
        "\"" + ProgramFolder() + "ParatextPeer.exe\" \"" + ParatextLog() + "\" \"" + reference + "\"",
        std::vector<std::string>{"PELORIN_REGISTRY_ROOT=" + registry_.Root()});
    EXPECT_TRUE(PumpUntil([] { return FindWindowByTitle("Paratext 6"); }, 30000));
    return process;
  }
  std::unique_ptr<testing_support::Process> StartBibleWorks(const std::string& options = {}) {
    auto process = std::make_unique<testing_support::Process>("\"" + ProgramFolder() + "BibleWorksPeer.exe\" \"" +
                                                              BibleWorksLog() + "\" --service " + service_ + " " +
                                                              options);
    EXPECT_TRUE(PumpUntil([] { return FindWindowByTitle("BibleWorks - "); }, 30000));
    return process;
  }
  std::string ParatextLog() const { return temp_.Path() + "paratext.log"; }
  std::string BibleWorksLog() const { return temp_.Path() + "bibleworks.log"; }

  // Ticks the link (without waiting a second between ticks) until BibleWorks shows the verse.
  bool TickUntilBibleWorksShows(const std::string& verse) {
    return PumpUntil(
        [&] {
          link_->Tick();
          return link_->SyncCount == 0 && link_->BibleWorksVerse == verse;
        },
        15000);
  }

  const std::string service_ = "bw500peer" + std::to_string(GetCurrentProcessId());
  std::unique_ptr<TDdeClientConv> conversation_;
  std::unique_ptr<TSystemLinkPeers> peers_;
  std::unique_ptr<TProgramsLink> link_;
};

TEST_F(PeersTest, BibleWorksFollowsTheVerseParatextShows) {
  auto paratext = StartParatext("MAT 5:3");
  auto bibleWorks = StartBibleWorks();
  ASSERT_TRUE(TickUntilBibleWorksShows("KJV Mat 5:3"));
  EXPECT_TRUE(link_->ParatextRunning);
  EXPECT_TRUE(link_->BibleWorksRunning);
  EXPECT_TRUE(link_->BibleWorksLinked());
  EXPECT_EQ(link_->FocusReference, "MAT 5:3");
  EXPECT_EQ(LogLines(BibleWorksLog()),
            (Lines{"ClipGoToVerse FALSE", "IgnoreErrors TRUE", "GoToVerse Mat 5:3", "IgnoreErrors FALSE"}));

  // Paratext moves to another verse.
  TellParatext("focus GEN 1:31");
  ASSERT_TRUE(TickUntilBibleWorksShows("KJV Gen 1:31"));
  EXPECT_EQ(LogLines(BibleWorksLog()).size(), 7u);
  EXPECT_EQ(LogLines(BibleWorksLog())[5], "GoToVerse Gen 1:31");

  // BibleWorks ends: the link notices, and links again with the next BibleWorks.
  bibleWorks.reset();
  ASSERT_TRUE(PumpUntil(
      [&] {
        link_->Tick();
        return !link_->BibleWorksRunning && !link_->BibleWorksLinked();
      },
      30000));
  DeleteFileA(BibleWorksLog().c_str());
  bibleWorks = StartBibleWorks();
  TellParatext("focus JHN 3:16");
  ASSERT_TRUE(TickUntilBibleWorksShows("KJV Joh 3:16"));
  EXPECT_EQ(LogLines(BibleWorksLog()).front(), "ClipGoToVerse FALSE");
}

TEST_F(PeersTest, AVerseMissingFromBibleWorkssVersionIsFoundInTheOriginalText) {
  auto paratext = StartParatext("ROM 16:25");
  auto bibleWorks = StartBibleWorks("--missing \"Rom 16:25\"");
  ASSERT_TRUE(TickUntilBibleWorksShows("SCR Rom 16:25"));
  const Lines log = LogLines(BibleWorksLog());
  EXPECT_TRUE(Contains(log, "GoToVerse SCR"));
  // Four times the verse alone (counts 1 to 4), then the version before it.
  EXPECT_EQ(std::count(log.begin(), log.end(), "GoToVerse Rom 16:25"), 5);
}

// BibleWorks busy for 20 s with every request: the window must not wait for it.
TEST_F(PeersTest, ABibleWorksThatDoesNotAnswerHoldsNoTickLong) {
  auto paratext = StartParatext("MAT 5:3");
  auto bibleWorks = StartBibleWorks("--stall 20000");
  DWORD longest = 0;
  for (int i = 0; i < 6; ++i) {
    const DWORD start = GetTickCount();
    link_->Tick();
    longest = std::max<DWORD>(longest, GetTickCount() - start);
    PumpFor(100);
  }
  // The request's time-out (500 ms) and a moment for each macro that finds BibleWorks busy; a
  // tick that waited for BibleWorks would take its 20 s.
  EXPECT_LT(longest, 10000u);
  EXPECT_NE(link_->SyncCount, 0);
}

// The spelling helper stand-in, copied under a name of its own beside its word list, is started by
// the conversation that finds no server under that name and answers from the list.
TEST_F(PeersTest, TheSpellingHelperAnswersFromItsWordList) {
  const std::string folder = temp_.Path() + "Helper\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string name = "SpellHelper" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "SpellingHelperPeer.exe").c_str(), (folder + name + ".exe").c_str(), FALSE));
  testing_support::WriteFileBytes(folder + "words.txt", "Bethsaida\r\nCapernaum\r\n");
  TDdeClientConv helper(nullptr);
  helper.SetConnectMode(ddeManual);
  helper.ServiceApplication = folder + name;
  ASSERT_TRUE(helper.SetLink(name, "Spelling"));
  ASSERT_TRUE(helper.OpenLink());
  struct Row {
    const char* Word;
    const char* Answer;
  } rows[] = {{"Bethsaida", "Yes"}, {"Bethsayda", "No"}, {"capernaum", "No"}, {"Capernaum", "Yes"}};
  for (const Row& r : rows) {
    EXPECT_TRUE(helper.ExecuteMacro(r.Word, false));
    EXPECT_EQ(helper.RequestData("DoesWordExist"), r.Answer) << r.Word;
  }
  EXPECT_EQ(LogLines(folder + name + ".log"),
            (Lines{"Bethsaida Yes", "Bethsayda No", "capernaum No", "Capernaum Yes"}));
  // Another topic is refused.
  TDdeClientConv other(nullptr);
  other.SetConnectMode(ddeManual);
  other.SetLink(name, "Commands");
  EXPECT_FALSE(other.OpenLink());
  // The helper ends with its conversation, and its program file can go.
  helper.CloseLink();
  EXPECT_TRUE(PumpUntil([&] { return DeleteFileA((folder + name + ".exe").c_str()) != FALSE; }, 30000));
}

TEST_F(PeersTest, ParatextIsToldOfTheReferenceList) {
  auto paratext = StartParatext("MAT 5:3");
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->Add("MAT 5:3 ...poor in spirit - Capital missing");
  lines->Add("Superfluous white space in line 3");
  lines->Add("ROM 1:1 [2] second");
  SetFocusReferenceList(lines.get());
  ASSERT_TRUE(PumpUntil([&] { return LogLines(ParatextLog()).size() >= 4; }, 30000));
  EXPECT_EQ(LogLines(ParatextLog()), (Lines{"started", "SantaFeFocus 2 0", "list MAT 5:3\t[1]...poor in spirit - Capital missing",
                                             "list ROM 1:1\t[2] second"}));
}

}  // namespace
