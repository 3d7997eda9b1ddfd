#include <string>

#include "core/MyRegistry.h"
#include "core/tests/checks/CheckFixture.h"

namespace {

using core_testing::Lines;

class PunctuationTest : public core_testing::CheckTest {};

struct BookCase {
  const char* Name;
  Lines Verses;  // after "\id JHN", "\c 1" and "\p"
  Lines Expected;
};

Lines Book(const Lines& verses) {
  Lines book = {"\\id JHN", "\\c 1", "\\p"};
  book.insert(book.end(), verses.begin(), verses.end());
  return book;
}

TEST_F(PunctuationTest, MessagesOfSmallBooks) {
  const BookCase cases[] = {
      {"clean text",
       {"\\v 1 In the beginning was light; and all was good.", "\\v 2 He said, \"go (now,) and see,\" and left."},
       {}},
      {"unknown characters",
       {"\\v 1 In the beginning was light.", "\\v 2 It was good\tand fine."},
       {"JHN 1:2 was light. It was good\t - An unknown character has been found: \t"}},
      // A NUL byte is checked as it is in the book, and named in the message.
      {"a NUL byte",
       {"\\v 1 In the beginning was light.", std::string("\\v 2 It was good\0and fine.", 26)},
       {"JHN 1:2 was light. It was good<NUL> - An unknown character has been found: <NUL>"}},
      {"a pilcrow before a sentence",
       {"\\v 1 In the beginning was light.", "\\v 2 \xB6 It was good."},
       {"JHN 1:2  beginning was light. \xB6 - An unknown character has been found: \xB6",
        "JHN 1:2  beginning was light. \xB6 - A sentence should not start with \xB6 but with a capital.",
        "JHN 1:2 inning was light. \xB6 It  - A capitalized word (It) was found within a sentence.",
        "JHN 1:2 Hint: If this capitalized word is a name, add it to the names list."}},
      {"characters that may not stand side by side",
       {"\\v 1 Who is he?!"},
       {"JHN 1:1 ----------- Who is he?! - A character ! ends the sentence which hasn't been started yet.",
        "JHN 1:1 ----------- Who is he?! - A sentence should not start with ! but with a capital.",
        "JHN 1:1 ----------- Who is he?! - Invalid character (!) found straight after a sentence closer.",
        "JHN 1:1 ----------- Who is he?! - Two characters found which are not supposed to be adjacent to each other: ? and !"}},
      {"a blank, a comma and a letter",
       {"\\v 1 Yes ,no."},
       {"JHN 1:1 ----------------- Yes , - A space precedes this punctuation character: ,",
        "JHN 1:1 ---------------- Yes ,n - A sentence divider is followed by an invalid character: n"}},
      {"dividers followed by letters",
       {"\\v 1 One,two; three;four."},
       {"JHN 1:1 ----------------- One,t - A sentence divider is followed by an invalid character: t",
        "JHN 1:1 ------ One,two; three;f - A sentence divider is followed by an invalid character: f"}},
      {"blanks before punctuation",
       {"\\v 1 Who is he ? I know !"},
       {"JHN 1:1 ----------- Who is he ? - No space allowed before a character ending a sentence.",
        "JHN 1:1 ----------- Who is he ? - A space precedes this punctuation character: ?",
        "JHN 1:1 -- Who is he ? I know ! - No space allowed before a character ending a sentence.",
        "JHN 1:1 -- Who is he ? I know ! - A space precedes this punctuation character: !"}},
      {"blanks inside brackets",
       {"\\v 1 He came ( by night )."},
       {"JHN 1:1 ------------ He came (  - A space has been found right after an opening bracket.",
        "JHN 1:1 -- He came ( by night ) - A space has been found right before a closing bracket."}},
      {"a closer that does not match its opener",
       {"\\v 1 He came (by night]."},
       {"JHN 1:1 ---- He came (by night] - Found a closing bracket ] which does not match its opener...",
        "JHN 1:1 ------------- He came ( - ... and here is the mismatched opener talked about in the previous message."}},
      {"a closer without opener",
       {"\\v 1 He came by night)."},
       {"JHN 1:1 ----- He came by night) - A closing bracket found without matching opener: )"}},
      {"brackets open at the end of the book, outer first",
       {"\\v 1 He came (by", "\\v 2 [night."},
       {"JHN 1:1 ------------- He came ( - An opening bracket without matching closer has been found: (",
        "JHN 1:2 --------- He came (by [ - An opening bracket without matching closer has been found: ["}},
      {"six nested brackets",
       {"\\v 1 A<<<<<<b>>>>>>."},
       {"JHN 1:1 --------------- A<<<<<< - Too many opening brackets nested: <",
        "JHN 1:1 ------------- A<<<<<<b> - A closing bracket found without matching opener: >"}},
      {"opening quotation mark without a blank before it",
       {"\\v 1 He said,\"come.\""},
       {"JHN 1:1 ------------- He said,\" - A space is supposed to be found left to an opening quotation mark, but another character was found: ,"}},
      {"a letter right after a closing quotation mark",
       {"\\v 1 He said \"come\"now."},
       {"JHN 1:1 ------- He said \"come\"n - An invalid character is found next to a closing quotation mark: n"}},
      {"quotation marks and brackets across lines",
       {"\\v 1 He said \"come (and", "\\v 2 see) now.\" And they came."},
       {}},
      {"a quotation left open",
       {"\\v 1 He said \"come.", "\\v 2 And they came."},
       {"JHN 1:2 Having reached the end of the book, it appears that one or more quotation marks have not been closed."}},
  };
  for (const BookCase& c : cases) {
    usfm_.reset(new TUSFM(nullptr));
    EXPECT_EQ(RunStructure(Book(c.Verses)), c.Expected) << c.Name;
  }
}

TEST_F(PunctuationTest, BracketPairsComeFromTheProgramFolder) {
  testing_support::WriteFileBytes(
      ProgramFolder + "brackets.txt",
      core_testing::CrLf({"()", "", "<<>>", "\xAB\xBB", "[]", "12", "34", "56", "78", "90", "@#", "$%", "^&"}));
  LoadCheckSettings();
  EXPECT_EQ(Results(),
            (Lines{"While reading the brackets to check for, an invalid set of brackets has been found: ",
                   "While reading the brackets to check for, an invalid set of brackets has been found: <<>>",
                   "While reading the brackets to check for, more than 10 sets of brackets have been found; this set is not checked: ^&"}));
  ASSERT_EQ(BracketPairCount, 10);
  EXPECT_EQ(BracketPairs[1].Opener, '\xAB');
  EXPECT_EQ(BracketPairs[1].Closer, '\xBB');
  EXPECT_TRUE(KnownChars.Contains('\xAB'));
  EXPECT_TRUE(KnownChars.Contains('@'));
  EXPECT_FALSE(KnownChars.Contains('^'));
  EXPECT_EQ(RunStructure(Book({"\\v 1 He came \xAB by night]."})),
            (Lines{"JHN 1:1 ------------ He came \xAB  - A space has been found right after an opening bracket.",
                   "JHN 1:1 --- He came \xAB by night] - Found a closing bracket ] which does not match its opener...",
                   "JHN 1:1 ------------- He came \xAB - ... and here is the mismatched opener talked about in the previous message."}));
}

TEST_F(PunctuationTest, DefaultBracketsFileIsWrittenOnlyWhenMissing) {
  testing_support::TempFolder folder;
  WriteDefaultBrackets(folder.Path());
  EXPECT_EQ(testing_support::ReadFileBytes(folder.File("brackets.txt")), "[]\r\n{}\r\n()\r\n<>\r\n");
  testing_support::WriteFileBytes(folder.File("brackets.txt"), "()\r\n");
  WriteDefaultBrackets(folder.Path());
  EXPECT_EQ(testing_support::ReadFileBytes(folder.File("brackets.txt")), "()\r\n");
}

TEST_F(PunctuationTest, MissingBracketsFileFallsBackToTheDefaultPairs) {
  DeleteFileA((ProgramFolder + "brackets.txt").c_str());
  results_->Clear();
  LoadCheckSettings();
  EXPECT_EQ(Results(), (Lines{"The brackets to check for could not be read from " + ProgramFolder +
                              "brackets.txt; the brackets [], {}, () and <> are checked."}));
  EXPECT_EQ(BracketPairCount, 4);
  EXPECT_TRUE(KnownChars.Contains('<'));
}

TEST_F(PunctuationTest, CharacterClassesComeFromTheSettings) {
  // A tab is unknown unless a setting holds it.
  WriteSettingString("Extra chars in text", "\t");
  WriteSettingString("Sentence Enders", ".");
  LoadCheckSettings();
  EXPECT_TRUE(KnownChars.Contains('\t'));
  EXPECT_TRUE(KnownChars.Contains('?'));  // still a non-adjacent character
  EXPECT_FALSE(SentenceEnders.Contains('?'));
  EXPECT_TRUE(FilteredOutChars.Contains('['));
  EXPECT_FALSE(KnownChars.Contains('\xE9'));
  EXPECT_EQ(RunStructure(Book({"\\v 1 It was good\tand fine."})), Lines{});
}

}  // namespace
