// The button timer: the buttons it enables and the totals it counts from the results files.
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"
#include "core/Utilities.h"

namespace {

using namespace app_testing;

class TotalsTest : public AppTest {};

TEST_F(TotalsTest, TotalTextSaysHowCompleteACountIs) {
  struct Case {
    Integer sum;
    bool complete;
    const char* text;
  };
  for (const Case& c : {Case{0, true, "0"}, Case{12, true, "12"}, Case{12, false, "At least 12"},
                        Case{0, false, "Defining ..."}}) {
    EXPECT_EQ(TotalText(c.sum, c.complete), c.text);
  }
}

TEST_F(TotalsTest, TotalsAreCountedPerTestamentFromTheResultsFiles) {
  for (const char* id : {"GEN", "EXO", "MAT", "MRK"}) WriteTestBook(id, {std::string("\\id ") + id});
  testing_support::WriteFileBytes(ResultsPath("Genesis"), core_testing::CrLf({"1", "4", "[spelling errors]", "a",
                                                                             "[mechanical errors]", "GEN 1:1 x",
                                                                             "GEN 1:2 y", "[exceptions]", "GEN 1:3 z"}));
  testing_support::WriteFileBytes(ResultsPath("Matthew"),
                                  core_testing::CrLf({"1", "2", "[mechanical errors]", "MAT 1:1 x"}));
  testing_support::WriteFileBytes(ResultsPath("Mark"), core_testing::CrLf({"1", "3"}));
  Background work;
  work.Book->RecountNeeded = true;
  work.Buttons->Tick();
  // Exodus has no results file yet.
  EXPECT_EQ(work.Host.Totals, (std::vector<std::string>{"At least 4", "5", "At least 2", "1"}));
  EXPECT_FALSE(work.Book->RecountNeeded);

  testing_support::WriteFileBytes(ResultsPath("Exodus"), core_testing::CrLf({"1", "0"}));
  testing_support::WriteFileBytes(ResultsPath("Mark"), core_testing::CrLf({"1", "three"}));
  work.Buttons->Tick();
  EXPECT_EQ(work.Host.Totals[0], "At least 4");  // counted only when asked for
  work.Book->RecountNeeded = true;
  work.Buttons->Tick();
  EXPECT_EQ(work.Host.Totals, (std::vector<std::string>{"4", "At least 2", "2", "At least 1"}));

  // Files read before are read again once they changed, also at once and to the same size, as
  // the program writes them (a new file renamed over the old one).
  for (const char* count : {"7", "8", "9"}) {
    ASSERT_EQ(ReplaceFileContents(ResultsPath("Mark"), core_testing::CrLf({"1", count})), 0u);
    ASSERT_EQ(ReplaceFileContents(ResultsPath("Genesis"), core_testing::CrLf({"1", count})), 0u);
    work.Book->RecountNeeded = true;
    work.Buttons->Tick();
    EXPECT_EQ(work.Host.Totals, (std::vector<std::string>{count, std::to_string(2 + std::stoi(count)), "0", "1"}));
  }
}

TEST_F(TotalsTest, AResultsFileIsCountedLineByLineAsItsListReadsIt) {
  struct Case {
    const char* name;
    std::string text;
    bool hasCount;
    Integer count;
    Integer mechanical;
  };
  const Case cases[] = {
      {"empty", "", false, 0, 0},
      {"age only", "1\r\n", false, 0, 0},
      {"line feeds only", "1\n7\n[mechanical errors]\nGEN 1:1 x\nGEN 1:2 y\n", true, 7, 2},
      {"carriage returns only", "1\r7\r[mechanical errors]\rGEN 1:1 x\r", true, 7, 1},
      {"no line end at the end", "1\r\n7\r\n[mechanical errors]\r\nGEN 1:1 x", true, 7, 1},
      {"empty lines count in a section", "1\r\n2\r\n[mechanical errors]\r\n\r\nGEN 1:1 x\r\n[exceptions]\r\nz\r\n",
       true, 2, 2},
      {"two mechanical sections", "1\r\n2\r\n[mechanical errors]\r\na\r\n[spelling errors]\r\nb\r\n"
                                  "[mechanical errors]\r\nc\r\n",
       true, 2, 2},
      {"a header with a blank is no header", "1\r\n2\r\n[mechanical errors]\r\n[exceptions] \r\nx\r\n", true, 2, 2},
      {"a count that is no number", "1\r\nthree\r\n[mechanical errors]\r\nx\r\n", false, 0, 1},
      {"the age and the count are no section", "[mechanical errors]\r\n5\r\nx\r\n", true, 5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TResultsFileCounts counts = CountResultsFile(c.text);
    EXPECT_EQ(counts.HasCount, c.hasCount);
    EXPECT_EQ(counts.Count, c.count);
    EXPECT_EQ(counts.Mechanical, c.mechanical);
  }
}

TEST_F(TotalsTest, ListsGatherTheResultsOfATestament) {
  for (const char* id : {"GEN", "EXO", "MAT"}) WriteTestBook(id, {std::string("\\id ") + id});
  testing_support::WriteFileBytes(ResultsPath("Genesis"),
                                  core_testing::CrLf({"1", "2", "[spelling errors]", "beast", "Abram",
                                                      "[mechanical errors]", "GEN 1:1 x", "[exceptions]", "GEN 1:3 z"}));
  testing_support::WriteFileBytes(ResultsPath("Exodus"), core_testing::CrLf({"1", "1", "[spelling errors]", "abram",
                                                                            "beast", "[mechanical errors]", "EXO 2:2 y"}));
  testing_support::WriteFileBytes(ResultsPath("Matthew"),
                                  core_testing::CrLf({"1", "1", "[spelling errors]", "Zacharias", "[mechanical errors]",
                                                      "MAT 1:1 m"}));
  // A results file of a book the project no longer has counts for the messages, not the words.
  testing_support::WriteFileBytes(ResultsPath("Ruth"), core_testing::CrLf({"1", "1", "[spelling errors]", "Boaz",
                                                                          "[mechanical errors]", "RUT 1:1 r"}));
  struct Case {
    int testament;
    const char* title;
    Lines messages;
    Lines words;
  };
  const Case cases[] = {
      {0, "the Old Testament", {"GEN 1:1 x", "EXO 2:2 y", "RUT 1:1 r"}, {"abram", "Abram", "beast"}},
      {1, "the New Testament", {"MAT 1:1 m"}, {"Zacharias"}},
      {2, "all books", {"GEN 1:1 x", "EXO 2:2 y", "RUT 1:1 r", "MAT 1:1 m"}, {"abram", "Abram", "beast", "Zacharias"}},
  };
  // The words sort as the system sorts text, letter case counting.
  Background work;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.testament);
    EXPECT_EQ(TestamentTitleEnding(c.testament), c.title);
    std::unique_ptr<TStringList> lines(new TStringList());
    work.Book->GatherMechanicalMessages(c.testament, lines.get());
    EXPECT_EQ(ItemsOf(lines.get()), c.messages);
    std::unique_ptr<TStringList> words(new TStringList());
    work.Book->GatherSpellingErrors(c.testament, words.get());
    EXPECT_EQ(ItemsOf(words.get()), c.words);
  }
}

TEST_F(TotalsTest, ButtonsAreEnabledAsTheirStateAllows) {
  WriteTestBook("GEN", {"\\id GEN"});
  Background work;
  work.Buttons->Tick();
  EXPECT_FALSE(work.Host.ResultsToParatextEnabled);
  EXPECT_FALSE(work.Host.SaveEnabled);
  EXPECT_EQ(work.Host.Totals, (std::vector<std::string>{}));
  work.Host.ResultLines->Add("Empty line has been removed");
  work.Host.EditorView.Modified = true;
  work.Buttons->Tick();
  EXPECT_FALSE(work.Host.ResultsToParatextEnabled);
  EXPECT_FALSE(work.Host.SaveEnabled);  // no book loaded
  ASSERT_TRUE(work.Book->LoadBookAndResults(1));
  work.Host.ResultLines->Add("GEN 1:1 a message");
  work.Host.EditorView.Modified = true;
  work.Buttons->Tick();
  EXPECT_TRUE(work.Host.ResultsToParatextEnabled);
  EXPECT_TRUE(work.Host.SaveEnabled);
}

}  // namespace
