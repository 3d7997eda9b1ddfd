// The idle waits and the reference timer's exchange of reference lists between the two programs'
// files, on the test's own folders.
#include <memory>
#include <string>
#include <vector>

#include "app/IdleWait.h"
#include "app/ReferenceExchangeRun.h"
#include "app/tests/support/AppTestSupport.h"
#include "classlib/StringLists.h"

namespace {

using app_testing::ItemsOf;
using app_testing::Lines;
using core_testing::CrLf;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

// --- Idle waits ---------------------------------------------------------------------------------

TEST(IdleWaits, AChannelIsDoneWhenTheMachineWasIdleLongEnoughOrItsTimeIsUp) {
  struct Row {
    const char* Name;
    int AddedPerTick;  // what the idle thread adds before each tick
    Cardinal TimeoutMs;
    int Ticks;  // ticks until done
  } rows[] = {
      {"idle machine: counter passes 100", 2, 2000, 101},
      {"busy machine: time-out of 2 s", 0, 2000, 201},
      {"half idle: time-out comes first", 1, 2000, 201},
      {"idle, but the 20 s time-out is short", 2, 500, 51},
  };
  for (const Row& r : rows) {
    int timerSwitches = 0;
    bool timerOn = false;
    TIdleWaits waits([&](bool on) { timerOn = on, ++timerSwitches; }, false);
    EXPECT_TRUE(waits.IdleWaitDone(0)) << r.Name;
    waits.StartIdleWait(0, r.TimeoutMs);
    EXPECT_TRUE(timerOn) << r.Name;
    int ticks = 0;
    while (!waits.IdleWaitDone(0) && ticks < 10000) {
      waits.GetChannel(0).Counter += r.AddedPerTick;
      waits.Tick();
      ++ticks;
    }
    EXPECT_EQ(ticks, r.Ticks) << r.Name;
    EXPECT_FALSE(timerOn) << r.Name;
    EXPECT_TRUE(waits.IdleWaitDone(1)) << r.Name;
  }
}

TEST(IdleWaits, TheTimerRunsWhileEitherChannelWaits) {
  bool timerOn = false;
  TIdleWaits waits([&](bool on) { timerOn = on; }, false);
  waits.StartIdleWait(TIdleWaits::ExchangeChannel, 100);
  waits.StartIdleWait(TIdleWaits::HelperChannel, 300);
  for (int i = 0; i <= 10; ++i) waits.Tick();
  EXPECT_TRUE(waits.IdleWaitDone(TIdleWaits::ExchangeChannel));
  EXPECT_FALSE(waits.IdleWaitDone(TIdleWaits::HelperChannel));
  EXPECT_TRUE(timerOn);
  for (int i = 0; i < 20; ++i) waits.Tick();
  EXPECT_TRUE(waits.IdleWaitDone(TIdleWaits::HelperChannel));
  EXPECT_FALSE(timerOn);
}

TEST(IdleWaits, TheIdleThreadCountsIdleness) {
  // A time-out far beyond the ticks a busy machine needs: the wait ends by the counter. (Other
  // work on the machine holds the idle thread back, and the counter then takes more ticks to
  // pass its mark: that is what it measures.)
  TIdleWaits waits(nullptr, true);
  waits.StartIdleWait(TIdleWaits::HelperChannel, 600000);
  const DWORD start = GetTickCount();
  while (!waits.IdleWaitDone(TIdleWaits::HelperChannel) && GetTickCount() - start < 120000) {
    Sleep(TIdleWaits::TickMs);
    waits.Tick();
  }
  ASSERT_TRUE(waits.IdleWaitDone(TIdleWaits::HelperChannel));
  EXPECT_LT(waits.GetChannel(TIdleWaits::HelperChannel).Ticks, waits.GetChannel(TIdleWaits::HelperChannel).TimeoutTicks)
      << "done by the counter, not by the time-out";
}

// --- The reference timer --------------------------------------------------------------------------

const char kToBibleWorks[] = ": Conversion Paratext -> BibleWorks, open the Ref List Manager, then open file pelorin.vls.";
const char kToParatext[] = ": Conversion BibleWorks -> Paratext, open the List, then open file pelorin.ref.";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class ReferenceExchangeTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateDirectoryA(Projects().c_str(), nullptr);
    CreateDirectoryA(BibleWorks().c_str(), nullptr);
    WriteSettingString("BibleWorks Folder", BibleWorks());
    BuildRefFolders();
  }

  std::string BibleWorks() const { return temp_.Path() + "BibleWorks 5"; }
  std::string RefFile() const { return Projects() + "pelorin.ref"; }
  std::string VlsFile() const { return BibleWorks() + "\\pelorin.vls"; }

  // One tick; an idle wait that it started is over at once (as on an idle machine).
  void Tick() {
    run_.Tick();
    while (!waits_.IdleWaitDone(TIdleWaits::ExchangeChannel)) {
      waits_.GetChannel(TIdleWaits::ExchangeChannel).Counter += 2;
      waits_.Tick();
    }
  }
  // The states that the next ticks go through.
  std::vector<int> States(int ticks) {
    std::vector<int> states;
    for (int i = 0; i < ticks; ++i) {
      Tick();
      states.push_back(run_.State);
    }
    return states;
  }

  TIdleWaits waits_{nullptr, false};
  std::vector<Lines> published_;
  TReferenceExchangeRun run_{waits_, [this](TStrings* lines) { published_.push_back(ItemsOf(lines)); }};
};

TEST_F(ReferenceExchangeTest, AListFromParatextGoesToBibleWorks) {
  WriteFileBytes(RefFile(), CrLf({"MAT 5:3 [1] Blessed are the poor", "JHN 3:16 - Capital missing"}));
  EXPECT_EQ(States(6), (std::vector<int>{1, 2, 3, 0, 3, 0}));
  EXPECT_EQ(ReadFileBytes(VlsFile()), CrLf({"BWRL 1", "KJV Mat 5:3", "KJV Joh 3:16"}));
  EXPECT_TRUE(EndsWith(run_.ParatextToBibleWorksMessage, kToBibleWorks)) << run_.ParatextToBibleWorksMessage;
  EXPECT_EQ(run_.BibleWorksToParatextMessage, "");
  EXPECT_TRUE(published_.empty());

  // Written again, it is converted again.
  WriteFileBytes(RefFile(), CrLf({"GEN 1:1"}));
  EXPECT_EQ(States(3), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ReadFileBytes(VlsFile()), CrLf({"BWRL 1", "KJV Gen 1:1"}));
}

TEST_F(ReferenceExchangeTest, AListFromBibleWorksGoesToParatextAndIsShownThere) {
  WriteFileBytes(VlsFile(), CrLf({"BWRL 1", "My list", "KJV Gen 1:1", "KJV Mat 5:3"}));
  EXPECT_EQ(States(5), (std::vector<int>{3, 4, 5, 0, 3}));
  EXPECT_EQ(ReadFileBytes(RefFile()), CrLf({"GEN 1:1", "MAT 5:3"}));
  EXPECT_TRUE(EndsWith(run_.BibleWorksToParatextMessage, kToParatext)) << run_.BibleWorksToParatextMessage;
  EXPECT_EQ(published_, (std::vector<Lines>{{"GEN 1:1", "MAT 5:3"}}));
  // The list it wrote for Paratext is not taken back to BibleWorks.
  EXPECT_EQ(States(4), (std::vector<int>{0, 3, 0, 3}));
  EXPECT_EQ(published_.size(), 1u);
}

TEST_F(ReferenceExchangeTest, WithBothListsWrittenOnlyParatextsIsConverted) {
  WriteFileBytes(RefFile(), CrLf({"ROM 1:1"}));
  WriteFileBytes(VlsFile(), CrLf({"BWRL 1", "", "KJV Gen 1:1"}));
  EXPECT_EQ(States(6), (std::vector<int>{1, 2, 3, 0, 3, 0}));
  EXPECT_EQ(ReadFileBytes(VlsFile()), CrLf({"BWRL 1", "KJV Rom 1:1"}));
  EXPECT_EQ(ReadFileBytes(RefFile()), CrLf({"ROM 1:1"}));
  EXPECT_TRUE(published_.empty());
}

TEST_F(ReferenceExchangeTest, TheConversionWaitsForTheIdleWait) {
  WriteFileBytes(RefFile(), CrLf({"ROM 1:1"}));
  run_.Tick();
  EXPECT_EQ(run_.State, 1);
  EXPECT_FALSE(waits_.IdleWaitDone(TIdleWaits::ExchangeChannel));
  for (int i = 0; i < 5; ++i) run_.Tick();
  EXPECT_EQ(run_.State, 1);
  // A busy machine: the wait ends after 2 s (200 ticks of the idle timer).
  for (int i = 0; i < 201; ++i) waits_.Tick();
  run_.Tick();
  EXPECT_EQ(run_.State, 2);
  run_.Tick();
  EXPECT_EQ(ReadFileBytes(VlsFile()), CrLf({"BWRL 1", "KJV Rom 1:1"}));
}

TEST_F(ReferenceExchangeTest, NoFilesNothingToDoAndStrayStatesStartOver) {
  EXPECT_EQ(States(4), (std::vector<int>{3, 0, 3, 0}));
  run_.State = 9;
  Tick();
  EXPECT_EQ(run_.State, 0);
  EXPECT_EQ(GetFileAttributesA(VlsFile().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(RefFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
