// The checking cycle over a project's books with their results files: which books are checked,
// what is written, and what is kept.
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"

namespace {

using namespace app_testing;

class ResultsFilesTest : public AppTest {
protected:
  std::string Age(int seconds) const { return std::to_string(AgeAt(seconds)); }
};

TEST_F(ResultsFilesTest, FirstCycleChecksEveryBookAndWritesItsResultsFile) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."}, 10);
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God created."}, 20);
  Background work;
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(work.Host.Status[spCycle], "All checks done");
  EXPECT_EQ(work.Host.Status[spMechanical], "Mechanical proofreading ready");
  EXPECT_EQ(work.Host.EditorView.Loads, 2);
  EXPECT_EQ(ResultsOf("Genesis"), (Lines{Age(20), "0", "[spelling errors]", "[mechanical errors]", "[exceptions]"}));
  EXPECT_EQ(ResultsOf("John"), (Lines{Age(10), "0", "[spelling errors]", "[mechanical errors]", "[exceptions]"}));
  EXPECT_EQ(testing_support::ReadFileBytes(ResultsPath("John")),
            Age(10) + "\r\n0\r\n[spelling errors]\r\n[mechanical errors]\r\n[exceptions]\r\n");
  EXPECT_EQ(ItemsOf(work.Host.BookNames), (Lines{"Genesis", "John"}));
  EXPECT_TRUE(work.Book->RecountNeeded);

  // Started again, the cycle loads nothing: every results file is up to date.
  work.Cycle->Restart();
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(work.Host.EditorView.Loads, 2);

  // A book saved anew (a later file age) is the only one checked again.
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God made."}, 40);
  work.Cycle->FolderChanged();
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(work.Host.EditorView.Loads, 3);
  EXPECT_EQ(work.Book->LoadedBook, 1);
  EXPECT_EQ(ResultsOf("Genesis")[0], Age(40));
  EXPECT_EQ(ResultsOf("John")[0], Age(10));
}

TEST_F(ResultsFilesTest, WhichBooksAreCheckedFollowsTheFirstLineOfTheirResultsFiles) {
  struct Case {
    const char* name;
    std::string firstLine;  // of an existing results file; empty text for none
    bool checked;
  };
  const Case cases[] = {
      {"no results file", "", true},
      {"same age", Age(10), false},
      {"other age", Age(12), true},
      {"age reset to 0", "0", true},
      {"not a number", "soon", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteTestBook("RUT", {"\\id RUT", "\\c 1", "\\p", "\\v 1 Now it came to pass."}, 10);
    testing_support::RemoveTree(WorkFolder());
    if (c.name != std::string("no results file"))
      testing_support::WriteFileBytes(ResultsPath("Ruth"), c.firstLine + "\r\n3\r\n[spelling errors]\r\n");
    Background work;
    ASSERT_TRUE(work.RunCycle());
    EXPECT_EQ(work.Host.EditorView.Loads, c.checked ? 1 : 0);
  }
}

TEST_F(ResultsFilesTest, ResultsFileIsReadBackIntoTheListsAndKeptWhereNoCheckChangesIt) {
  WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 The book of the generation."}, 10);
  testing_support::WriteFileBytes(ResultsPath("Matthew"),
                                  core_testing::CrLf({"0", "7", "a stray line", "[spelling errors]", "zebulun",
                                                      "Abia", "[mechanical errors]", "MAT 1:1 an old message",
                                                      "[exceptions]", "MAT 1:1 ignored for good"}));
  Background work;
  ASSERT_TRUE(work.Book->LoadBookAndResults(40));
  EXPECT_EQ(work.Book->StoredSpellingErrorCount, 7);
  EXPECT_EQ(ItemsOf(work.Book->BookSpellingErrors), (Lines{"Abia", "zebulun"}));
  EXPECT_EQ(ItemsOf(work.Book->IgnoreList), (Lines{"MAT 1:1 ignored for good"}));
  EXPECT_EQ(ItemsOf(work.Host.ResultLines), (Lines{"MAT 1:1 an old message"}));
  EXPECT_EQ(ItemsOf(work.Book->KnownBadWords), (Lines{"Abia", "zebulun"}));
  EXPECT_EQ(ItemsOf(work.Book->BookLines), (Lines{"\\id MAT", "\\c 1", "\\p", "\\v 1 The book of the generation."}));
  EXPECT_EQ(work.Book->LoadedBookPath, BookPath("MAT"));

  // No spelling check ran: the cycle writes the book's new age with the stored count and words.
  work.Cycle->Restart();
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(ResultsOf("Matthew"), (Lines{Age(10), "7", "[spelling errors]", "Abia", "zebulun", "[mechanical errors]",
                                         "[exceptions]", "MAT 1:1 ignored for good"}));
}

TEST_F(ResultsFilesTest, ShortOrDamagedResultsFilesReadWithoutMakingUpCounts) {
  struct Case {
    std::string bytes;
    Integer count;
  };
  const Case cases[] = {
      {"", 0},
      {"123456\r\n", 0},
      {"123456\r\n9\r\n", 9},
      {"123456\r\nnine\r\n[spelling errors]\r\n", 0},
      {"[spelling errors]\r\n", 0},
  };
  WriteTestBook("MRK", {"\\id MRK"}, 10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    testing_support::WriteFileBytes(ResultsPath("Mark"), c.bytes);
    Background work;
    ASSERT_TRUE(work.Book->LoadBookAndResults(41));
    EXPECT_EQ(work.Book->StoredSpellingErrorCount, c.count);
    EXPECT_EQ(work.Book->BookSpellingErrors->GetCount(), 0);
  }
}

TEST_F(ResultsFilesTest, OnlyMessagesWithAReferenceAreStored) {
  WriteTestBook("LUK", {"\\id LUK", "\\c 1", "\\p", "\\v 1 Forasmuch as many."}, 10);
  Background work;
  work.Book->RecordBookAges();
  ASSERT_TRUE(work.Book->LoadBookAndResults(42));
  for (const char* line : {"LUK 1:1 a message", "Superfluous double spaces have been removed from this line: a  b",
                           "MAT 5:3 a reference of another book", "luk 1:1 small letters are no identifier"})
    work.Host.ResultLines->Add(line);
  work.Book->ChecksFinished();
  ASSERT_TRUE(work.Book->WriteResultsFile());
  EXPECT_EQ(ResultsOf("Luke"), (Lines{Age(10), "0", "[spelling errors]", "[mechanical errors]", "LUK 1:1 a message",
                                      "MAT 5:3 a reference of another book", "[exceptions]"}));
}

TEST_F(ResultsFilesTest, WritingOutsideAFinishedCheckKeepsTheAgeTheFileHad) {
  WriteTestBook("ACT", {"\\id ACT", "\\c 1", "\\p", "\\v 1 The former treatise."}, 30);
  testing_support::WriteFileBytes(ResultsPath("Acts"),
                                  core_testing::CrLf({Age(10), "2", "[spelling errors]", "Theophilus",
                                                      "[mechanical errors]", "ACT 1:1 one", "ACT 1:1 two",
                                                      "[exceptions]"}));
  Background work;
  work.Book->RecordBookAges();
  // Opened by hand, the book is not checked; ignoring a message writes the file with its old age
  // and count, so that the changed book is still checked in the next cycle.
  ASSERT_TRUE(work.Book->LoadBookAndResults(44));
  work.Book->IgnoreList->Add("ACT 1:1 one");
  work.Host.ResultLines->Delete(0);
  ASSERT_TRUE(work.Book->WriteResultsFile());
  EXPECT_EQ(ResultsOf("Acts"), (Lines{Age(10), "2", "[spelling errors]", "Theophilus", "[mechanical errors]",
                                      "ACT 1:1 two", "[exceptions]", "ACT 1:1 one"}));
  EXPECT_FALSE(work.Book->ResultsUpToDate(44));

  // Once both checks have finished, the file gets the book's age, and keeps it.
  work.Book->ChecksFinished();
  ASSERT_TRUE(work.Book->WriteResultsFile());
  EXPECT_EQ(ResultsOf("Acts")[0], Age(30));
  ASSERT_TRUE(work.Book->WriteResultsFile());
  EXPECT_EQ(ResultsOf("Acts")[0], Age(30));
  // A finished spelling check gives the count it found.
  work.Book->SpellingErrorCount = 5;
  work.Book->SpellingCheckFinished();
  ASSERT_TRUE(work.Book->WriteResultsFile());
  EXPECT_EQ(ResultsOf("Acts")[1], "5");
}

TEST_F(ResultsFilesTest, BookThatCannotBeLoadedIsPassedOverAndNothingIsWrittenForIt) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God created."}, 10);
  WriteTestBook("EXO", {"\\id EXO", "\\c 1", "\\p", "\\v 1 Now these are the names."}, 10);
  WriteTestBook("LEV", {"\\id LEV", "\\c 1", "\\p", "\\v 1 And the LORD called."}, 10);
  // Exodus's results file cannot be read: it is open elsewhere without sharing.
  testing_support::WriteFileBytes(ResultsPath("Exodus"), "0\r\n4\r\n[spelling errors]\r\n");
  HANDLE locked = CreateFileA(ResultsPath("Exodus").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  Background work;
  // Leviticus vanishes after its age was recorded; Genesis cannot be shown by the editor.
  work.Cycle->Tick();
  work.Cycle->Tick();
  DeleteFileA(BookPath("LEV").c_str());
  work.Host.EditorView.FailFile = BookPath("GEN");
  ASSERT_TRUE(work.RunCycle());
  CloseHandle(locked);
  EXPECT_EQ(work.Host.Status[spCycle], "All checks done");
  EXPECT_FALSE(FileExists(ResultsPath("Genesis")));
  EXPECT_FALSE(FileExists(ResultsPath("Leviticus")));
  EXPECT_EQ(testing_support::ReadFileBytes(ResultsPath("Exodus")), "0\r\n4\r\n[spelling errors]\r\n");
  EXPECT_FALSE(FileExists(WorkFolder() + ".dat"));
  EXPECT_EQ(work.Host.SpellingStarts, 0);

  // The editor shows books again: the next cycle checks Genesis (Exodus is readable now too).
  work.Host.EditorView.FailFile.clear();
  work.Cycle->Restart();
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(ResultsOf("Genesis")[0], Age(10));
  EXPECT_EQ(ResultsOf("Exodus"), (Lines{Age(10), "4", "[spelling errors]", "[mechanical errors]", "[exceptions]"}));
}

TEST_F(ResultsFilesTest, ResettingTheAgesMakesEveryBookWithAResultsFileBeCheckedAgain) {
  WriteTestBook("JOB", {"\\id JOB"}, 10);
  WriteTestBook("PSA", {"\\id PSA"}, 10);
  testing_support::WriteFileBytes(ResultsPath("Job"), core_testing::CrLf({Age(10), "1", "[spelling errors]", "Uz"}));
  Background work;
  work.Book->ResetResultsFileAges();
  EXPECT_EQ(ResultsOf("Job"), (Lines{"0", "1", "[spelling errors]", "Uz"}));
  EXPECT_FALSE(FileExists(ResultsPath("Psalms")));
  ASSERT_TRUE(work.RunCycle());
  EXPECT_EQ(work.Host.EditorView.Loads, 2);
}

}  // namespace
