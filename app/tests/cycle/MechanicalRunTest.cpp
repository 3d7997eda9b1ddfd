// The mechanical run over the loaded book: its phases, the white-space messages, the pace of the
// speed setting, and the end of the run.
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"

namespace {

using namespace app_testing;

class MechanicalRunTest : public AppTest {
protected:
  // Loads the book into a fresh background, runs the mechanical run alone until it ends and
  // returns the results list. The states passed are kept in states_.
  Lines Run(Background& work, int book, int tickMilliseconds = 0, bool load = true) {
    if (load) EXPECT_TRUE(work.Book->LoadBookAndResults(book));
    work.Mechanical->Start();
    states_.clear();
    for (int i = 0; i < 100000 && work.Host.Mechanical.Enabled; ++i) {
      if (states_.empty() || states_.back() != work.Mechanical->State) states_.push_back(work.Mechanical->State);
      work.Host.Now += tickMilliseconds ? tickMilliseconds : work.Host.Mechanical.Interval;
      ++ticks_;
      work.Mechanical->Tick(work.Host.Now);
    }
    EXPECT_FALSE(work.Host.Mechanical.Enabled);
    return ItemsOf(work.Host.ResultLines);
  }
  static void Options(bool whiteSpace, bool markers, bool structure) {
    MyReg->SetWhiteSpaceCheck(whiteSpace);
    MyReg->SetUSFMCheck(markers);
    MyReg->SetStructureCheck(structure);
  }

  std::vector<Integer> states_;
  int ticks_ = 0;
};

TEST_F(MechanicalRunTest, WhiteSpaceIsMendedLineByLineWithAMessageForEachStep) {
  struct Case {
    const char* name;
    std::string line;
    Lines messages;
    Lines stored;  // the book's lines afterwards, the \id line first
  };
  const std::string tab = "Superfluous tab characters have been removed from this line: ";
  const std::string lead = "Superflous leading white space has been removed from this line: ";
  const std::string trail = "Superflous trailing white space has been removed from this line: ";
  const std::string twice = "Superfluous double spaces have been removed from this line: ";
  const Case cases[] = {
      {"clean line", "\\v 1 Jesus wept.", {}, {"\\id JHN", "\\v 1 Jesus wept."}},
      {"blanks at both ends and inside",
       "  \\v 1 Jesus  wept. ",
       {lead + "  \\v 1 Jesus  wept. ", trail + " \\v 1 Jesus  wept. ", lead + " \\v 1 Jesus  wept.",
        twice + "\\v 1 Jesus  wept."},
       {"\\id JHN", "\\v 1 Jesus wept."}},
      {"one tab", "\t", {tab + "\t", lead + " ", "Empty line has been removed"}, {"\\id JHN"}},
      {"empty line", "", {"Empty line has been removed"}, {"\\id JHN"}},
      {"four leading blanks", "    \\p", {lead + "    \\p", lead + "   \\p", lead + "  \\p"}, {"\\id JHN", " \\p"}},
      {"tab inside", "\\v 2\tHe", {tab + "\\v 2\tHe"}, {"\\id JHN", "\\v 2 He"}},
      {"three blanks inside", "\\v 3   a", {twice + "\\v 3   a"}, {"\\id JHN", "\\v 3 a"}},
  };
  Options(true, false, false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteTestBook("JHN", {"\\id JHN", c.line});
    Background work;
    EXPECT_EQ(Run(work, 43), c.messages);
    EXPECT_EQ(ItemsOf(work.Book->BookLines), c.stored);
    // The editor shows the mended lines and counts as changed; an untouched book does not.
    EXPECT_EQ(work.Host.EditorView.Modified, c.stored.size() != 2 || c.stored[1] != c.line);
    if (work.Host.EditorView.Modified) EXPECT_EQ(ItemsOf(work.Host.EditorView.Lines), c.stored);
    EXPECT_FALSE(FileExists(ProgramFolder + "CopyEditControlLinesToUzurUvadEdit.txt"));
    // The book file itself is untouched.
    EXPECT_EQ(FileLines(BookPath("JHN")), (Lines{"\\id JHN", c.line}));
  }
}

TEST_F(MechanicalRunTest, PhasesRunOnlyWhenTheirOptionIsOnAndTheRunAlwaysEnds) {
  struct Case {
    const char* name;
    bool whiteSpace, markers, structure;
    int book;
    std::vector<Integer> states;
  };
  const Case cases[] = {
      {"every option off", false, false, false, 43, {1, 2, 3, 4, 5, 6, 7, 8, 16, 0}},
      {"everything on, New Testament", true, true, true, 43, {1, 2, 3, 4, 5, 6, 7, 8, 16, 0}},
      {"everything on, Old Testament", true, true, true, 8,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0}},
      {"structure off, Old Testament", true, true, false, 8, {1, 2, 3, 4, 5, 6, 7, 8, 16, 0}},
  };
  // No reference paragraphing in the program folder: the paragraphing step says so and the run
  // goes on.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Options(c.whiteSpace, c.markers, c.structure);
    const std::string id = c.book == 8 ? "RUT" : "JHN";
    WriteTestBook(id, {"\\id " + id, "\\c 1", "\\p", "\\v 1 Now it came to pass."});
    Background work;
    const Lines results = Run(work, c.book);
    EXPECT_EQ(states_, c.states);
    EXPECT_EQ(work.Host.Status[spMechanical], "Mechanical proofreading ready");
    if (c.book == 8 && c.structure) {
      ASSERT_EQ(results.size(), 1u);
      EXPECT_NE(results[0].find("OTParagraphs.txt"), std::string::npos) << results[0];
    } else {
      EXPECT_EQ(results, Lines{});
    }
  }
}

TEST_F(MechanicalRunTest, MarkerProblemsEndTheRunBeforeTheLaterPhases) {
  Options(false, true, true);
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 2 and no verse 1.", "\\xx unknown"});
  Background work;
  const Lines results = Run(work, 43);
  ASSERT_GE(results.size(), 3u);
  EXPECT_EQ(results[results.size() - 2],
            "As there were one or more problems with the text, further checks have been skipped.");
  EXPECT_EQ(results.back(), "Correct the text in Paratext, then save it.");
  EXPECT_EQ(states_, (std::vector<Integer>{1, 2, 3, 4, 16, 0}));
  for (std::size_t i = 0; i + 2 < results.size(); ++i) EXPECT_EQ(results[i].rfind("JHN 1:", 0), 0u) << results[i];
}

TEST_F(MechanicalRunTest, FindingsOnTheIgnoreListAreDroppedWhateverTheirLetterCase) {
  Options(false, true, true);
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 in the beginning was the Word."});
  Background work;
  const Lines found = Run(work, 43);
  ASSERT_FALSE(found.empty());
  // Ignored as the results file keeps it: the whole line, here in capitals.
  work.Book->IgnoreList->Add(UpperCase(found[0]));
  const Lines again = Run(work, 43, 0, false);
  EXPECT_EQ(again, Lines(found.begin() + 1, found.end()));
}

TEST_F(MechanicalRunTest, SpeedSettingGivesTheTimeALineTakes) {
  struct Case {
    Integer setting;
    Cardinal interval;
  };
  const Case cases[] = {{800, 800}, {400, 400}, {200, 200}, {100, 100}, {30, 30},
                        {5, 5},     {1, 1},     {0, 100},   {50, 100},  {-1, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    MyReg->SetMechanicalSpeed(c.setting);
    EXPECT_EQ(TMechanicalRun::LineInterval(), c.interval);
  }
}

TEST_F(MechanicalRunTest, FastSpeedsKeepTheirPaceOnTimersThatTickMoreSlowly) {
  // 300 lines through three per-line phases: at 1 ms a line on a 10 ms timer a tick takes 10
  // lines; at 100 ms a line on a 100 ms timer, one.
  Lines book{"\\id JHN", "\\c 1", "\\p"};
  for (int v = 1; book.size() < 300; ++v) book.push_back("\\v " + std::to_string(v) + " And it was so.");
  WriteTestBook("JHN", book);
  Options(true, true, true);
  struct Case {
    Integer speed;
    int tick;
    int maxTicks;
  };
  for (const Case& c : {Case{1, 10, 3 * 30 + 30}, Case{100, 100, 3 * 300 + 30}}) {
    SCOPED_TRACE(c.speed);
    MyReg->SetMechanicalSpeed(c.speed);
    Background work;
    ticks_ = 0;
    EXPECT_EQ(Run(work, 43, c.tick), Lines{});
    EXPECT_LE(ticks_, c.maxTicks);
    EXPECT_GE(ticks_, c.maxTicks - 40);
    EXPECT_EQ(work.Host.Mechanical.Interval, static_cast<Cardinal>(c.speed));
  }
}

TEST_F(MechanicalRunTest, SetUpsAndFlushesKeepThePaceOfTheFastSpeedsToo) {
  // A short Old Testament book passes through every state: about 25 steps, at 1 ms a step on a
  // 10 ms timer three ticks; at 100 ms a step on a 100 ms timer one state a tick.
  WriteTestBook("RUT", {"\\id RUT", "\\c 1", "\\p", "\\v 1 Now it came to pass."});
  Options(true, true, true);
  struct Case {
    Integer speed;
    int tick;
    int maxTicks;
  };
  for (const Case& c : {Case{1, 10, 4}, Case{100, 100, 30}}) {
    SCOPED_TRACE(c.speed);
    MyReg->SetMechanicalSpeed(c.speed);
    Background work;
    ticks_ = 0;
    Run(work, 8, c.tick);
    EXPECT_LE(ticks_, c.maxTicks);
    EXPECT_EQ(work.Host.Status[spMechanical], "Mechanical proofreading ready");
  }
  EXPECT_EQ(states_, (std::vector<Integer>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0}));
}

}  // namespace
