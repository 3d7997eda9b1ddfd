#include <string>

#include "core/tests/checks/CheckFixture.h"

namespace {

using core_testing::Lines;

class UnwantedWordsTest : public core_testing::CheckTest {
protected:
  void SetUp() override {
    CheckTest::SetUp();
    WriteWorkFile("UnwantedWords.txt", core_testing::CrLf({"thee (word) (archaic)", "unto the lord (phrase) (say to the Lord)",
                                                           "Hath (word) ()", "the lord (word) (never found as a word)"}));
    WriteWorkFile("ApprovedNames.txt", core_testing::CrLf({"Lord"}));
  }
};

TEST_F(UnwantedWordsTest, EntriesAreRead) {
  LoadUnwantedWords();
  ASSERT_EQ(UnwantedWords->GetCount(), 4);
  EXPECT_EQ(UnwantedWords->GetStrings(1), "unto the lord");
  EXPECT_EQ(UnwantedKinds->GetStrings(1), "phrase");
  EXPECT_EQ(UnwantedComments->GetStrings(1), "say to the Lord");
  EXPECT_EQ(UnwantedComments->GetStrings(2), "");
}

TEST_F(UnwantedWordsTest, WordsAndPhrasesInAnyLetterCase) {
  const Lines book = {"\\id JHN", "\\c 1", "\\p", "\\v 1 I say to thee now.", "\\v 2 He came UNTO", "\\v 3 the Lord today.",
                      "\\v 4 It hath ended, THEE too."};
  // The phrase runs across a line end; it is found when the block is checked (here at the end of the
  // book) and reported with the reference and window of its last character.
  EXPECT_EQ(RunStructure(book),
            (Lines{"JHN 1:1 -------- I say to thee  - An unwanted word (thee) has been found. Comment: archaic.",
                   "JHN 1:4 he Lord today. It hath  - An unwanted word (hath) has been found. Comment: .",
                   "JHN 1:4 y. It hath ended, THEE  - An unwanted word (THEE) has been found. Comment: archaic.",
                   "JHN 1:3  . He came UNTO the Lord - An unwanted phrase (unto the lord) has been found. Comment: say to the Lord."}));
}

// The letters of a Spanish team: entries are found in any letter case of their accented letters, as
// the advanced search and the search of the unwanted words list find them.
TEST_F(UnwantedWordsTest, AccentedLettersInAnyLetterCase) {
  core_testing::WriteSpanishLetters();
  LoadCheckSettings();
  WriteWorkFile("UnwantedWords.txt", core_testing::CrLf({"se\xF1or (word) (Dios)", "jes\xFAs cristo (phrase) ()"}));
  EXPECT_EQ(RunStructure({"\\id JHN", "\\c 1", "\\p", "\\v 1 El SE\xD1OR habl\xF3 a JES\xDAS CRISTO."}),
            (Lines{"JHN 1:1 ------------- El SE\xD1OR  - An unwanted word (SE\xD1OR) has been found. Comment: Dios.",
                   "JHN 1:1  OR habl\xF3 a JES\xDAS CRISTO - An unwanted phrase (jes\xFAs cristo) has been found. Comment: ."}));
}

TEST_F(UnwantedWordsTest, APhraseAcrossABlockBoundaryIsFoundOnce) {
  // The phrase starts at the 95th running character and ends at the 107th.
  const std::string word = "A" + std::string(91, 'b');
  const Lines book = {"\\id JHN", "\\c 1", "\\p", "\\v 1 " + word + " unto the Lord, unto the Lord."};
  EXPECT_EQ(RunStructure(book),
            (Lines{"JHN 1:1  bbbbbbbbb unto the Lord - An unwanted phrase (unto the lord) has been found. Comment: say to the Lord.",
                   "JHN 1:1  the Lord, unto the Lord - An unwanted phrase (unto the lord) has been found. Comment: say to the Lord."}));
}

TEST_F(UnwantedWordsTest, EachBookStartsAfresh) {
  EXPECT_EQ(RunStructure({"\\id JHN", "\\c 1", "\\p", "\\v 1 Say th"}),
            (Lines{"JHN 1:1 ---------------- Say th - The sentence has not been ended properly at the end of the book."}));
  EXPECT_EQ(RunStructure({"\\id JHN", "\\c 1", "\\p", "\\v 1 Ee unto the Lord."}),
            (Lines{"JHN 1:1  ------ Ee unto the Lord - An unwanted phrase (unto the lord) has been found. Comment: say to the Lord."}));
}

}  // namespace
