// Cleaning the lines of a document and recognising titles, headings, chapters and verses in it.
#include "classlib/Strings.h"
#include "core/Utilities.h"
#include "tests/support/TestSupport.h"
#include "tools/TextToSFMConversion.h"

namespace {

const TCharSet kSmall = StringToCharSet("abcdefghijklmnopqrstuvwxyz");

TEST(PrepareLineTest, CleansAndRepairsScanningErrors) {
  struct Row {
    const char* Line;
    const char* Prepared;
  } rows[] = {
      {"I I \tIn the beginning,God", "11 In the beginning,God"},
      {"  I I  In  the   beginning  ", "11 In the beginning"},
      {"I I and I I again", "11 and I I again"},
      {"word ,word ;x :y ?z !w end .", "word,word;x:y?z!w end."},
      {"c0me", "cOme"},
      {"0ne", "0ne"},
      {"a 0ne", "a One"},
      {"10 and 100", "10 and 100"},
      {"G00D", "GOOD"},
      {"]ittle", "little"},
      {"end]", "end]"},
      {"x]Y", "x]Y"},
      {"\x01\x02 text \x1f", "text"},
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(PrepareLine(r.Line, TPrepareOptions{}, kSmall), r.Prepared) << r.Line;
}

TEST(PrepareLineTest, EachRepairOnlyWhenChosen) {
  TPrepareOptions none{false, false, false, false, false};
  EXPECT_EQ(PrepareLine("I I  c0me a 0ne ]ittle word ,x", none, kSmall), "I I c0me a 0ne ]ittle word ,x");
  struct Row {
    bool TPrepareOptions::*Option;
    const char* Line;
    const char* Prepared;
  } rows[] = {
      {&TPrepareOptions::CapitalsIIToEleven, "I I c0me", "11 c0me"},
      {&TPrepareOptions::ZeroBetweenSmallLetters, "c0me a 0ne", "cOme a 0ne"},
      {&TPrepareOptions::ZeroNotAfterDigit, "c0me 10", "cOme 10"},
      {&TPrepareOptions::BracketBeforeSmallLetter, "]ittle ]", "little ]"},
      {&TPrepareOptions::SpaceBeforePunctuation, "a , b . c", "a, b. c"},
  };
  for (const Row& r : rows) {
    TPrepareOptions one = none;
    one.*r.Option = true;
    EXPECT_EQ(PrepareLine(r.Line, one, kSmall), r.Prepared) << r.Line;
  }
}

TEST(IsMostlyNumbersTest, NeedsThreeRunsAndLittleElse) {
  struct Row {
    const char* Text;
    bool Mostly;
  } rows[] = {
      {"1 2 3", true},  // two blanks left beside three digits
      {"12 13", false},  // two runs only
      {"1 2 3 abcdefgh", true},   // 11 characters left, fewer than 12
      {"1 2 3 abcdefghi", false},  // 12 left
      {"Psalm 1, 2, 3", true},
      {"Psalm 119, verses 1 to 8 of it", false},
      {"", false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsMostlyNumbers(r.Text), r.Mostly) << r.Text;
}

TEST(ConvertTextToSFMTest, ReferenceForm) {
  EXPECT_EQ(ConvertTextToSFM({"Gen 1:1 In the beginning ...", "Gen 1:2 And ...", "Gen 2:1 Thus ..."}, "GEN", "chapter"),
            (TextLines{"\\id GEN", "\\c 1", "\\v 1 In the beginning ...", "\\v 2 And ...", "\\c 2", "\\v 1 Thus ..."}));
  // A leading book number is no chapter; a line without digits and an empty line stay verses.
  EXPECT_EQ(ConvertTextToSFM({"1 Sam 1:1 There was", "1 Sam 1:2 And he", "no digits", ""}, "1SA", "chapter"),
            (TextLines{"\\id 1SA", "\\c 1", "\\v 1 There was", "\\v 2 And he", "\\v no digits", "\\v"}));
}

TEST(ConvertTextToSFMTest, RunningText) {
  struct Row {
    TextLines Input;
    TextLines Output;  // after "\id GEN"
  } rows[] = {
      {{"Genesis", "Chapter 1", "1 In the beginning God created. 2 And the earth was", "without form."},
       {"\\mt Genesis", "\\c 1", "\\v 1 In the beginning God created.", "\\v 2 And the earth was without form."}},
      {{"Psalms", "Psalm 23"}, {"\\mt Psalms", "\\c 23 Psalm"}},
      // A heading before a chapter moves after it (with the empty paragraph after it); text before
      // the first verse of a paragraph is a paragraph of its own.
      {{"Title", "Chapter 4", "1 Verse one of the chapter.", "The Heading", "Chapter 5",
        "Intro words 1 First verse here. 2 Second."},
       {"\\mt Title", "\\c 4", "\\v 1 Verse one of the chapter.", "\\c 5", "\\s The Heading", "\\p", "\\p Intro words",
        "\\v 1 First verse here.", "\\v 2 Second."}},
      // Two headings in a row keep no empty paragraph between them.
      {{"Chapter 1", "First heading", "Second heading", "1 In the beginning was it."},
       {"\\c 1", "\\s First heading", "\\s Second heading", "\\p", "\\v 1 In the beginning was it."}},
      // A line of numbers is a heading; a line ending with ":" takes the next line.
      {{"Chapter 2", "1, 2, 3 and 4", "1 He said:", "Go now. 2 And they went."},
       {"\\c 2", "\\s 1, 2, 3 and 4", "\\p", "\\v 1 He said: Go now.", "\\v 2 And they went."}},
  };
  for (const Row& r : rows) {
    TextLines expected{"\\id GEN"};
    expected.insert(expected.end(), r.Output.begin(), r.Output.end());
    EXPECT_EQ(ConvertTextToSFM(r.Input, "GEN", "chapter"), expected) << r.Input[0];
  }
}

}  // namespace
