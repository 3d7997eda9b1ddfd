// The button timer: the buttons it enables and the totals it counts from the results files.
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"

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
