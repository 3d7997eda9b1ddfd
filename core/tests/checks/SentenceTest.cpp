#include <string>

#include "core/tests/checks/CheckFixture.h"

namespace {

using core_testing::Lines;

class SentenceTest : public core_testing::CheckTest {};

struct BookCase {
  const char* Name;
  Lines Book;  // after "\id JHN" and "\c 1"
  Lines Expected;
};

TEST_F(SentenceTest, MessagesOfSmallBooks) {
  WriteWorkFile("ApprovedNames.txt", core_testing::CrLf({"Jesus", "peter"}));
  const BookCase cases[] = {
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
      {"a title does not start a sentence",
       {"\\mt The Gospel", "\\p", "\\v 1 Text."},
       {"JHN 1:1 -------------------- Th - A sentence should not start with h but with a capital.",
        "JHN 1:1 ----------- The Gospel  - A capitalized word (Gospel) was found within a sentence.",
        "JHN 1:1 Hint: If this capitalized word is a name, add it to the names list."}},
  };
  for (const BookCase& c : cases) {
    usfm_.reset(new TUSFM(nullptr));
    Lines book = {"\\id JHN", "\\c 1"};
    book.insert(book.end(), c.Book.begin(), c.Book.end());
    EXPECT_EQ(RunStructure(book), c.Expected) << c.Name;
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
