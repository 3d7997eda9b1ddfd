// The checking cycle's states: what restarts it, the book Paratext shows, books opened by hand,
// and what it takes at its initialisation.
#include <map>

#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

using namespace app_testing;

class CheckingCycleTest : public AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God created."}, 10);
    WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 The book of the generation."}, 10);
    WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."}, 10);
  }
  // Ticks of the check timer alone (the other timers stand still).
  static void Ticks(Background& work, int n) {
    for (int i = 0; i < n; ++i) work.Cycle->Tick();
  }
};

TEST_F(CheckingCycleTest, EachTriggerRestartsTheCycleAndStopsTheChecksOfTheBook) {
  struct Case {
    const char* name;
    void (*trigger)(Background&);
  };
  const Case cases[] = {
      {"Paratext starts", [](Background& w) { w.Host.Paratext = true; }},
      {"a settings dialog asks for it", [](Background& w) { w.Cycle->RestartRequested = true; }},
      {"the folder monitor reports a change", [](Background& w) { w.Cycle->FolderChanged(); }},
      {"the spelling dialog runs", [](Background& w) { w.Host.Interactive = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Background work;
    work.Host.FinishSpellingAtOnce = false;
    Ticks(work, 6);  // 1 -> 2 -> 200 -> 201 -> 204 (Genesis loaded) -> 202 (its results) -> 203 (checks started)
    ASSERT_EQ(work.Cycle->State, 203);
    ASSERT_TRUE(work.Host.Mechanical.Enabled);
    ASSERT_TRUE(work.Host.SpellingRunning);
    c.trigger(work);
    work.Cycle->Tick();
    EXPECT_EQ(work.Cycle->State, std::string(c.name) == "the spelling dialog runs" ? 1 : 2);
    EXPECT_FALSE(work.Cycle->RestartRequested);
    if (std::string(c.name) != "the spelling dialog runs") {
      EXPECT_FALSE(work.Host.Mechanical.Enabled);
      EXPECT_FALSE(work.Host.SpellingRunning);
    }
  }
}

TEST_F(CheckingCycleTest, WithoutParatextTheScanVisitsEveryBookInCanonicalOrder) {
  Background work;
  work.Host.FinishSpellingAtOnce = false;
  std::vector<Integer> states;
  std::vector<Integer> loaded;
  for (int i = 0; i < 1000 && work.Cycle->State != 0; ++i) {
    work.FireNextTimer();
    // A book's results are written once its mechanical run has said that it is ready.
    if (!states.empty() && states.back() == 203 && work.Cycle->State != 203) {
      EXPECT_EQ(work.Host.Status[spMechanical], "Mechanical proofreading ready");
    }
    if (states.empty() || states.back() != work.Cycle->State) states.push_back(work.Cycle->State);
    // The scan looks every 10 ms, so that little time passes between the checks of two books.
    if (work.Cycle->State > 200) {
      EXPECT_EQ(work.Host.Check.Interval, TCheckingCycle::ScanIntervalMs);
    }
    if (work.Cycle->State == 203 && work.Host.SpellingRunning) {
      loaded.push_back(work.Book->LoadedBook);
      // The results file waits for the spelling check too.
      for (int t = 0; t < 20; ++t) work.FireNextTimer();
      EXPECT_EQ(work.Cycle->State, 203);
      work.Host.SpellingRunning = false;
      work.Host.SpellingIdle = true;
    }
  }
  EXPECT_EQ(loaded, (std::vector<Integer>{1, 40, 43}));
  EXPECT_EQ(states, (std::vector<Integer>{2, 200, 201, 204, 202, 203, 201, 204, 202, 203, 201, 204, 202, 203, 201, 0}));
  EXPECT_EQ(work.Host.Status[spCycle], "All checks done");
  // Done, it looks only once a second; a restart from outside looks again every 100 ms.
  EXPECT_EQ(work.Host.Check.Interval, TCheckingCycle::IdleIntervalMs);
  work.Cycle->FolderChanged();
  EXPECT_EQ(work.Host.Check.Interval, TCheckingCycle::IntervalMs);
  EXPECT_EQ(work.Host.SpellingStarts, 3);
  EXPECT_EQ(work.Host.CurrentBookButton, "");
  EXPECT_EQ(work.Host.WatchedFolder, Projects() + "TST");
  EXPECT_FALSE(work.Host.Watching);
}

// Laying out a long book and filling the results list with its thousands of messages each keep
// the window from answering for tens of milliseconds: the cycle takes them in ticks of their own.
TEST_F(CheckingCycleTest, ABookIsLaidOutInOneTickAndItsResultsListedInTheNext) {
  // Each book's results file is older than the book and holds its messages of an earlier check.
  struct Book {
    const char* id;
    const char* name;
    int messages;
  };
  const Book books[] = {{"GEN", "Genesis", 3}, {"MAT", "Matthew", 3000}, {"JHN", "John", 7}};
  std::map<std::string, Lines> stored;
  for (const Book& b : books)
    for (int i = 1; i <= b.messages; ++i)
      stored[b.name].push_back(std::string(b.id) + " 1:" + std::to_string(i) + " \xDC" "ber-long sentence: " +
                               std::to_string(i));
  for (bool restartBetween : {false, true}) {
    SCOPED_TRACE(restartBetween ? "a restart between the two ticks" : "one tick after another");
    for (const Book& b : books) {
      Lines file{"1", "2", "[spelling errors]", "\xC6gypt", "[mechanical errors]"};
      file.insert(file.end(), stored[b.name].begin(), stored[b.name].end());
      file.push_back("[exceptions]");
      std::string bytes;
      for (const std::string& line : file) bytes += line + "\r\n";
      testing_support::WriteFileBytes(ResultsPath(b.name), bytes);
    }
    Background work;
    work.Host.FinishSpellingAtOnce = false;
    std::vector<Integer> laidOut;
    for (int tick = 0; tick < 40 && laidOut.size() < 3; ++tick) {
      const Lines listed = ItemsOf(work.Host.ResultLines);
      const int loads = work.Host.EditorView.Loads;
      work.Cycle->Tick();
      if (work.Host.EditorView.Loads == loads) {
        // A book whose checks started is checked at once, so that the scan goes on.
        if (work.Cycle->State == 203) {
          work.Host.SpellingRunning = false;
          work.Host.SpellingIdle = true;
          for (int step = 0; step < 10000 && work.Host.Mechanical.Enabled; ++step)
            work.Mechanical->Tick(work.Host.Now += 1000);
        }
        continue;
      }
      // The tick that laid the book out left the list as it was, with the book before's lines ...
      EXPECT_EQ(ItemsOf(work.Host.ResultLines), listed);
      const int book = BookNumberFromId(work.Host.EditorView.Lines->GetStrings(0).substr(4, 3));
      laidOut.push_back(book);
      EXPECT_EQ(work.Book->LoadedBook, 0) << "no results are written for a book whose results are not read";
      if (restartBetween) {
        work.Cycle->FolderChanged();
      } else {
        work.Cycle->Tick();
        EXPECT_EQ(work.Cycle->State, 202);
      }
      // ... and its results are listed whole, before its checks start.
      EXPECT_EQ(work.Book->LoadedBook, book);
      EXPECT_EQ(ItemsOf(work.Host.ResultLines), stored[EnglishBookName(book)]);
      EXPECT_EQ(work.Book->StoredSpellingErrorCount, 2);
      EXPECT_EQ(work.Host.SpellingStarts, restartBetween ? 0 : static_cast<int>(laidOut.size()) - 1);
      if (restartBetween) break;
    }
    EXPECT_EQ(laidOut, (restartBetween ? std::vector<Integer>{1} : std::vector<Integer>{1, 40, 43}));
  }
}

TEST_F(CheckingCycleTest, BookShownInParatextIsCheckedFirstAfterAPause) {
  Background work;
  work.Host.Paratext = true;
  work.Host.Focus = "MAT 5:3";
  Ticks(work, 2);
  EXPECT_EQ(work.Cycle->State, 100);
  EXPECT_EQ(work.Host.Check.Interval, 5000u);
  EXPECT_TRUE(work.Host.Watching);
  work.Cycle->Tick();
  EXPECT_EQ(work.Host.Check.Interval, 100u);
  EXPECT_EQ(work.Host.CurrentBookButton, "Matthew");
  EXPECT_EQ(work.Book->LoadedBookPath, BookPath("MAT"));
  EXPECT_EQ(work.Cycle->State, 104);
  work.Cycle->Tick();
  EXPECT_EQ(work.Book->LoadedBook, 40);
  EXPECT_EQ(work.Cycle->State, 101);
  ASSERT_TRUE(work.RunCycle());
  // Matthew was checked first, then the others; at the end Matthew is shown again.
  EXPECT_EQ(work.Host.EditorView.Loads, 4);
  EXPECT_EQ(work.Book->LoadedBook, 40);
  EXPECT_EQ(work.Host.Status[spBook], "Matthew");
  EXPECT_EQ(ResultsOf("Matthew")[0], std::to_string(AgeAt(10)));

  // Paratext moves to another book: the cycle starts again with that one, which is up to date.
  work.Host.Focus = "JHN 1:1";
  Ticks(work, 3);
  EXPECT_EQ(work.Host.CurrentBookButton, "John");
  EXPECT_EQ(work.Cycle->State, 200);
  EXPECT_EQ(work.Host.EditorView.Loads, 4);
  // Paratext ends: the button goes.
  work.Host.Paratext = false;
  work.Cycle->Tick();
  EXPECT_EQ(work.Host.CurrentBookButton, "");
  EXPECT_EQ(work.Cycle->State, 2);
}

TEST_F(CheckingCycleTest, AReferenceThatNamesNoBookGoesOnWithTheScan) {
  Background work;
  work.Host.Paratext = true;
  work.Host.Focus = "XYZ 1:1";
  Ticks(work, 3);
  EXPECT_EQ(work.Cycle->CurrentBook, 0);
  EXPECT_EQ(work.Host.CurrentBookButton, "");
  EXPECT_EQ(work.Cycle->State, 200);
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(work.Host.EditorView.Loads, 3);
}

TEST_F(CheckingCycleTest, BookOpenedByHandHoldsTheCycleUntilTheWindowIsDeactivated) {
  Background work;
  ASSERT_TRUE(work.RunCycle());
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God made."}, 20);
  work.Cycle->OpenBookManually("John");
  EXPECT_EQ(work.Book->LoadedBook, 43);
  EXPECT_EQ(work.Host.Status[spBook], "John");
  EXPECT_EQ(work.Host.Status[spCycle], "Book opened manually");
  EXPECT_EQ(work.Host.Status[spMechanical], "Number of spelling errors: 0");
  for (int i = 0; i < 50; ++i) work.FireNextTimer();
  EXPECT_LE(work.Cycle->State, 2);
  EXPECT_EQ(work.Book->LoadedBook, 43);
  EXPECT_EQ(work.Cycle->HoldTicks, 50);

  // The user goes to another window: the cycle goes on and checks the changed Genesis.
  work.Host.Active = false;
  ASSERT_TRUE(work.RunCycle());
  EXPECT_FALSE(work.Cycle->ManualHold);
  EXPECT_EQ(ResultsOf("Genesis")[0], std::to_string(AgeAt(20)));

  // A changed book opened by hand has no count yet; a hold ends after 6000 ticks anyway.
  work.Host.Active = true;
  WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 The book."}, 30);
  work.Book->RecordBookAges();
  work.Cycle->OpenBookManually("Matthew");
  EXPECT_EQ(work.Host.Status[spMechanical], "Number of spelling errors: not yet defined");
  Ticks(work, TCheckingCycle::MaxHoldTicks + 1);
  EXPECT_FALSE(work.Cycle->ManualHold);
}

TEST_F(CheckingCycleTest, InitialisationTakesTheSpellingHelperFromTheSettings) {
  WriteSettingString("Spelling helper application", "C:\\Tools\\Speller\\checker.exe");
  for (bool use : {false, true}) {
    SCOPED_TRACE(use);
    MyReg->SetUseSpellingHelper(use);
    Background work;
    Ticks(work, 2);
    EXPECT_EQ(work.Cycle->HelperFolder, use ? "C:\\Tools\\Speller\\" : "");
    EXPECT_EQ(work.Cycle->HelperFileName, use ? "checker.exe" : "");
  }
}

}  // namespace
