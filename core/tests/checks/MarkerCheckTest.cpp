#include <memory>
#include <string>

#include "core/ScripturesUnit.h"
#include "core/tests/checks/CheckFixture.h"

namespace {

using core_testing::Lines;

class MarkerCheckTest : public core_testing::CheckTest {};

struct MarkerCase {
  const char* Name;
  Lines Book;
  Lines Expected;
};

TEST_F(MarkerCheckTest, MessagesOfSmallBooks) {
  const MarkerCase cases[] = {
      {"clean book",
       {"\\id JHN Test", "\\h John", "\\mt The Gospel", "\\c 1", "\\p", "\\v 1 Text.", "\\v 2 More.", "\\c 2",
        "\\s Heading", "\\P", "\\v 1 Again.", "\\q", "\\v 2 Poetry."},
       {}},
      {"line without a marker",
       {"\\id JHN", "\\c 1", "\\v 1 A.", "loose words", ""},
       {"JHN 1:1 Line \"loose words\" does not start with a backslash",
        "JHN 1:1 Line \"\" does not start with a backslash"}},
      {"too short and empty markers",
       {"\\ words", "\\"},
       {"JHN 0:0 Format marker in line \" words\" is too short", "JHN 0:0 Empty format marker in line \"\""}},
      {"marker not in the style sheet",
       {"\\xx text", "\\ID JHN"},
       {"JHN 0:0 The format marker \"xx\" that is in the text is not in the stylesheet"}},
      {"id of another book; the expected id stays",
       {"\\id MAT Matthew", "\\c 1", "\\v 1 a", "\\v 3 b"},
       {"JHN 0:0 The id \"MAT\" and the filename \"JHNTST.SFM\" do not agree.",
        "JHN 1:2 Verse number is out of sequence: 3; therefore rejected; it should be 2.",
        "JHN 1:2 Further checks on verse numbers within this chapter disabled."}},
      {"malformed and lower-case ids",
       {"\\id JH", "\\id jhn", "\\id"},
       {"JHN 0:0 The id \"JH\" and the filename \"JHNTST.SFM\" do not agree.",
        "JHN 0:0 The id \"jhn\" and the filename \"JHNTST.SFM\" do not agree.",
        "JHN 0:0 The id \"\" and the filename \"JHNTST.SFM\" do not agree."}},
      {"chapter without a number, and with letters",
       {"\\c", "\\c x1", "\\v 1 a"},
       {"JHN 0:0 No valid chapter number found in line \"c\"",
        "JHN 0:0 There is a formatting problem with the chapter number in line \"c x1\""}},
      {"chapter number followed by a blank is accepted",
       {"\\c 1", "\\v 1 a", "\\c 2 ", "\\v 1 b", "\\c 3"},
       {"JHN 1:1 There is a formatting problem with the chapter number in line \"c 2 \""}},
      {"first chapter is not 1",
       {"\\id JHN", "\\c 2", "\\v 1 a", "\\c 2"},
       {"JHN 1:1 Chapter number should be 1, but it is 2."}},
      {"chapters out of sequence",
       {"\\c 1", "\\c 2", "\\c 3", "\\c 5", "\\c 5", "\\c 12"},
       {"JHN 4:1 Chapter number is out of sequence: 5; therefore rejected; it should be 4.",
        "JHN 6:1 Chapter number is out of sequence: 12; therefore rejected; it should be 6."}},
      {"verse without a number",
       {"\\c 1", "\\v 1 a", "\\v x", "\\v 2 b"},
       {"JHN 1:1 No valid verse number found in line \"v x\""}},
      {"first verse is not 1",
       {"\\c 1", "\\v 2 a", "\\v 2 b"},
       {"JHN 1:1 Verse number should be 1, but it is 2."}},
      {"verse messages are off for the rest of the chapter",
       {"\\c 1", "\\v 1 a", "\\v 3 b", "\\v 5 c", "\\c 2", "\\v 1 d", "\\v 2 e", "\\v 4 f", "\\v 9 g"},
       {"JHN 1:2 Verse number is out of sequence: 3; therefore rejected; it should be 2.",
        "JHN 1:2 Further checks on verse numbers within this chapter disabled.",
        "JHN 2:3 Verse number is out of sequence: 4; therefore rejected; it should be 3.",
        "JHN 2:3 Further checks on verse numbers within this chapter disabled."}},
      {"a verse range counts as its first verse",
       {"\\c 1", "\\v 1-2 a", "\\v 3 b"},
       {"JHN 1:2 Verse number is out of sequence: 3; therefore rejected; it should be 2.",
        "JHN 1:2 Further checks on verse numbers within this chapter disabled."}},
      {"markers inside a line",
       {"\\c 1", "\\p And \\v 1 text", "\\v 1 a \\nd Lord\\nd* b \\f + \\ft note\\f*"},
       {"JHN 1:1 The format marker \"\\v\" is not at the beginning of the line",
        "JHN 1:1 The format marker \"\\nd\" is not at the beginning of the line",
        "JHN 1:1 The format marker \"\\f\" is not at the beginning of the line",
        "JHN 1:1 The format marker \"\\ft\" is not at the beginning of the line"}},
  };
  for (const MarkerCase& c : cases) {
    usfm_.reset(new TUSFM(nullptr));
    EXPECT_EQ(RunMarkers(c.Book), c.Expected) << c.Name;
  }
}

TEST_F(MarkerCheckTest, IdFromTheLineReplacesTheExpectedOne) {
  EXPECT_EQ(RunMarkers({"\\id JHN", "\\c 2"}, "jhn"), (Lines{"JHN 1:1 Chapter number should be 1, but it is 2."}));
  EXPECT_EQ(usfm_->BookId, "JHN");
}

// Problems before a book's first chapter line belong to no verse: both phases of the run report
// them at 0:0, whatever book was walked before, the same one included.
TEST_F(MarkerCheckTest, EveryBookStartsAtChapterZeroVerseZero) {
  const Lines john = {"\\id JHN", "\\c 1", "\\c 2", "\\p", "\\v 1 Text.", "\\v 2 More."};
  const Lines matthew = {"\\id MAT", "\\xx", "\\mt The Book^", "\\c 3", "\\p", "\\v 1 Text."};
  RunMarkers(john);
  RunStructure(john);
  EXPECT_EQ(RunMarkers(matthew, "MAT"),
            (Lines{"MAT 0:0 The format marker \"xx\" that is in the text is not in the stylesheet",
                   "MAT 1:1 Chapter number should be 1, but it is 3."}));
  for (int walk = 0; walk < 2; ++walk) {
    EXPECT_EQ(RunStructure(matthew, "MAT"),
              (Lines{"MAT 0:0 ------------- The Book^ - An unknown character has been found: ^"}))
        << "walk " << walk;
  }
}

TEST_F(MarkerCheckTest, ABookJustReadCountsAsAFirstChapter) {
  std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
  usfm_.reset(new TUSFM(scripture.get()));
  RunMarkers({"\\c 1", "\\c 2"});
  usfm_->CheckLine("\\c 1");  // not a first chapter: out of sequence
  scripture->Loaded = true;
  usfm_->CheckLine("\\c 1");  // a new book was read: a first chapter again
  EXPECT_FALSE(scripture->Loaded);
  EXPECT_EQ(Results(), (Lines{"JHN 3:1 Chapter number is out of sequence: 1; therefore rejected; it should be 3."}));
}

TEST_F(MarkerCheckTest, IgnoredMessagesAreDroppedWhateverTheirLetterCase) {
  ignored_->Add("jhn 1:2 VERSE number is out of sequence: 3; therefore rejected; it should be 2.");
  ignored_->Add("Further checks on verse numbers within this chapter disabled.");  // no reference: no match
  EXPECT_EQ(RunMarkers({"\\c 1", "\\v 1 a", "\\v 3 b"}),
            (Lines{"JHN 1:2 Further checks on verse numbers within this chapter disabled."}));
}

}  // namespace
