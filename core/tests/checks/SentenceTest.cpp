#include <string>

#include "core/tests/checks/CheckFixture.h"

namespace {

using core_testing::Lines;

class SentenceTest : public core_testing::CheckTest {};

struct SentenceBookCase {
  const char* Name;
  Lines Book;  // MessagesOfSmallBooks puts "\id JHN" and "\c 1" before these lines
  Lines Expected;
};

TEST_F(SentenceTest, MessagesOfSmallBooks) {
  WriteWorkFile("ApprovedNames.txt", core_testing::CrLf({"Jesus", "peter"}));
  const SentenceBookCase cases[] = {
      {"a small letter starts a sentence, reported once",
       {"\\p", "\\v 1 in the beginning was light."},
       {"JHN 1:1 --------------------- i - A sentence should not start with i but with a capital."}},
      {"an ender before a sentence started",
       {"\\p", "\\v 1 The end.. Yes."},
       {"JHN 1:1 ------------- The end.. - A character . ends the sentence which hasn't been started yet.",
        "JHN 1:1 ------------- The end.. - A sentence should not start with . but with a capital.",
        "JHN 1:1 ------------- The end.. - Invalid character (.) found straight after a sentence closer.",
        "JHN 1:1 ------------- The end.. - Two characters found which are not supposed to be adjacent to each other: . and ."}},
      {"a letter straight after an ender",
       {"\\p", "\\v 1 The end.Yes."},
       {"JHN 1:1 ------------- The end.Y - Invalid character (Y) found straight after a sentence closer."}},
      {"a heading ending in a full stop",
       {"\\s The heading.", "\\p", "\\v 1 Text here."},
       {"JHN 1:1 --------- The heading.  - Heading should start with a capital, and not end with a full stop."}},
      {"a heading without full stop", {"\\s The heading", "\\p", "\\v 1 Text here."}, {}},
      {"a heading inside a sentence",
       {"\\p", "\\v 1 He said", "\\s Heading", "\\p", "\\v 2 Text."},
       {"JHN 1:1 -------------- He said  - A heading started whereas the running sentence has not yet been finished."}},
      {"a paragraph inside a sentence",
       {"\\p", "\\v 1 He said", "\\p", "\\v 2 that it was."},
       {"JHN 1:2 -------------- He said  - A new paragraph started whereas the running sentence has not yet been finished."}},
      {"a chapter ends the sentence without a message",
       {"\\p", "\\v 1 He said", "\\c 2", "\\v 1 More text."},
       {}},
      {"a sentence left open at the end of the book",
       {"\\p", "\\v 1 He said"},
       {"JHN 1:1 --------------- He said - The sentence has not been ended properly at the end of the book."}},
      {"capitalised words against the approved names",
       {"\\p", "\\v 1 Then Peter and NATO saw Jesus and [Jesus].", "\\v 2 So peter went."},
       {"JHN 1:1 ----------- Then Peter  - A capitalized word (Peter) was found within a sentence.",
        "JHN 1:1 Hint: If this capitalized word is a name, add it to the names list."}},
  };
  for (const SentenceBookCase& c : cases) {
    usfm_.reset(new TUSFM(nullptr));
    Lines book = {"\\id JHN", "\\c 1"};
    book.insert(book.end(), c.Book.begin(), c.Book.end());
    EXPECT_EQ(RunStructure(book), c.Expected) << c.Name;
  }
}

// Whole books, titles included: a title is no sentence and its capitalised words are no names,
// but the heading rules still hold at its end.
TEST_F(SentenceTest, TitlesAreNoSentences) {
  const SentenceBookCase cases[] = {
      {"a title of capitalised words after the header line",
       {"\\id GEN", "\\h Genesis", "\\mt The First Book of Moses, Commonly Called Genesis", "\\c 1", "\\p",
        "\\v 1 In the beginning."},
       {}},
      {"the header line after the title",
       {"\\id GEN", "\\mt The First Book of Moses, Commonly Called Genesis", "\\h Genesis", "\\c 1", "\\p",
        "\\v 1 In the beginning."},
       {}},
      {"a title starting with a small letter",
       {"\\id GEN", "\\mt the Book of Genesis", "\\c 1", "\\p", "\\v 1 In the beginning."},
       {}},
      {"the same text in a paragraph",
       {"\\id GEN", "\\c 1", "\\p", "\\v 1 The First Book of Moses, Commonly Called Genesis"},
       {"GEN 1:1 ------------ The First  - A capitalized word (First) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list.",
        "GEN 1:1 ------- The First Book  - A capitalized word (Book) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list.",
        "GEN 1:1 he First Book of Moses, - A capitalized word (Moses) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list.",
        "GEN 1:1 ook of Moses, Commonly  - A capitalized word (Commonly) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list.",
        "GEN 1:1 Moses, Commonly Called  - A capitalized word (Called) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list.",
        "GEN 1:1 Commonly Called Genesis - A capitalized word (Genesis) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list.",
        "GEN 1:1 Commonly Called Genesis - The sentence has not been ended properly at the end of the book."}},
      {"a title ending in a full stop, reported where the title ends",
       {"\\id GEN", "\\mt The Book.", "\\c 1", "\\p", "\\v 1 In the beginning."},
       {"GEN 1:1 ------------ The Book.  - Heading should start with a capital, and not end with a full stop."}},
      {"a section heading is no title",
       {"\\id GEN", "\\c 1", "\\s the Creation", "\\p", "\\v 1 In the beginning."},
       {"GEN 1:1 --------------------- t - A sentence should not start with t but with a capital.",
        "GEN 1:1 --------- the Creation  - A capitalized word (Creation) was found within a sentence.",
        "GEN 1:1 Hint: If this capitalized word is a name, add it to the names list."}},
  };
  for (const SentenceBookCase& c : cases) {
    usfm_.reset(new TUSFM(nullptr));
    EXPECT_EQ(RunStructure(c.Book, "GEN"), c.Expected) << c.Name;
  }
}

// The letters of a Spanish team in Settings > Characters: every capital of the setting starts a
// sentence, accented or not; with the English letters an accented capital is no capital, as ever.
TEST_F(SentenceTest, EveryCapitalOfTheSettingStartsASentence) {
  struct Row {
    const char* Name;
    bool Spanish;
    Lines Book;
    Lines Expected;
  } rows[] = {
      {"accented capitals start sentences",
       true,
       {"\\p", "\\v 1 \xC9l vino. \xC9sta es la verdad. \xD1" "and\xFA.", "\\v 2 \xDAltimo. \xCD" "dolo. \xD3leo. \xDC."},
       {}},
      {"the letters A to Z as before", true, {"\\p", "\\v 1 Entonces vino."}, {}},
      {"a small accented letter does not",
       true,
       {"\\p", "\\v 1 \xE9l vino."},
       {"JHN 1:1 --------------------- \xE9 - A sentence should not start with \xE9 but with a capital."}},
      {"an accented capital inside a sentence is a capitalised word",
       true,
       {"\\p", "\\v 1 Vino \xC1ngel y \xC1NGEL."},
       {"JHN 1:1 ----------- Vino \xC1ngel  - A capitalized word (\xC1ngel) was found within a sentence.",
        "JHN 1:1 Hint: If this capitalized word is a name, add it to the names list."}},
      {"English letters: no capital",
       false,
       {"\\p", "\\v 1 \xC9l vino."},
       {"JHN 1:1 --------------------- \xC9 - An unknown character has been found: \xC9",
        "JHN 1:1 --------------------- \xC9 - A sentence should not start with \xC9 but with a capital."}},
  };
  for (const Row& r : rows) {
    if (r.Spanish) {
      core_testing::WriteSpanishLetters();
    } else {
      WriteSettingString("Capitals", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
      WriteSettingString("Small Letters", "abcdefghijklmnopqrstuvwxyz");
    }
    LoadCheckSettings();
    usfm_.reset(new TUSFM(nullptr));
    Lines book = {"\\id JHN", "\\c 1"};
    book.insert(book.end(), r.Book.begin(), r.Book.end());
    EXPECT_EQ(RunStructure(book), r.Expected) << r.Name;
  }
}

TEST_F(SentenceTest, ApprovedNamesAreReleasedAfterTheBook) {
  WriteWorkFile("ApprovedNames.txt", core_testing::CrLf({"Jesus"}));
  BeginBookChecks();
  ASSERT_NE(ApprovedNames, nullptr);
  EXPECT_EQ(ApprovedNames->IndexOf("Jesus"), 0);
  EXPECT_EQ(ApprovedNames->IndexOf("jesus"), -1);
  EndBookChecks(usfm_.get());
  EXPECT_EQ(ApprovedNames, nullptr);
}

}  // namespace
