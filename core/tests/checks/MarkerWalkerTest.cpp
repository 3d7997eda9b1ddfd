#include <string>

#include "core/USFMUnit.h"
#include "core/tests/checks/CheckFixture.h"

namespace {

// The running text the walker lets through, character by character.
std::string RunningText(TUSFM* usfm, const std::string& text) {
  std::string running;
  for (char c : text)
    if (!usfm->ProcessChar(c)) running.push_back(c);
  return running;
}

TEST(MarkerWalker, RunningText) {
  struct Row {
    const char* Name;
    const char* Text;
    const char* Running;
  } rows[] = {
      {"id, header, chapter and paragraph lines are markup; the blank after a verse number is text",
       "\\id JHN King James\n\\h John\n\\c 1\n\\p\n\\v 1 In the beginning.\n", " In the beginning."},
      {"the blank after a heading or title marker is text", "\\mt The Title\n\\s A heading\n",
       " The Title A heading"},
      {"a marker ended by a line feed makes the next line's first word markup", "\\q\nword and more\n",
       " and more"},
      {"verse numbers and ranges", "\\v 12 Twelve.\n\\v 13-14 Range.\n", " Twelve. Range."},
      {"a hidden line", "\\z hidden words\nvisible\n", "visible"},
      {"markers inside a line", "\\v 1 a \\nd Lord\\nd* b\n", " a  Lord b"},
      {"no-break paragraph", "\\nb text\n", " text"},
  };
  for (const Row& r : rows) {
    TUSFM usfm(nullptr);
    const std::string running = RunningText(&usfm, r.Text);
    EXPECT_EQ(running, r.Running) << r.Name;
    const std::string window = (std::string(23, '-') + running).substr(running.size());
    EXPECT_EQ(usfm.Window, window) << r.Name;
  }
}

TEST(MarkerWalker, FollowsTheBookChapterAndVerse) {
  TUSFM usfm(nullptr);
  usfm.BookId = "XXX";
  RunningText(&usfm, "\\id MAT\n\\c 3\n");
  EXPECT_EQ(usfm.BookId, "MAT");
  EXPECT_EQ(usfm.Chapter, 3);
  EXPECT_EQ(usfm.Verse, 1);
  EXPECT_EQ(usfm.PrevChapter, 0);
  RunningText(&usfm, "\\p\n\\v 5 Text.\n\\v 6-7 Range ");
  EXPECT_EQ(usfm.Verse, 6);
  EXPECT_EQ(usfm.PrevVerse, 5);
  EXPECT_EQ(usfm.GetReference(), "MAT 3:6 ");
  RunningText(&usfm, "\n\\c 4\n");
  EXPECT_EQ(usfm.GetReference(), "MAT 4:1 ");
  EXPECT_EQ(usfm.PrevChapter, 3);

  // Reset starts a book before its first chapter.
  usfm.Reset();
  EXPECT_EQ(usfm.GetReference(), "MAT 0:0 ");
  EXPECT_EQ(usfm.PrevChapter, 0);
  EXPECT_EQ(usfm.PrevVerse, 0);
  EXPECT_EQ(usfm.Window, std::string(23, '-'));
}

TEST(MarkerWalker, HeadingTitleAndParagraphFlags) {
  TUSFM usfm(nullptr);
  RunningText(&usfm, "\\mt Title\n");
  EXPECT_TRUE(usfm.InHeading);
  EXPECT_TRUE(usfm.InTitle);
  EXPECT_EQ(usfm.HeadingCount, 1);
  RunningText(&usfm, "\\c 1\n");
  EXPECT_FALSE(usfm.InHeading);
  EXPECT_FALSE(usfm.InTitle);
  EXPECT_EQ(usfm.HeadingCount, 2);
  RunningText(&usfm, "\\s Heading\n");
  EXPECT_TRUE(usfm.InHeading);
  EXPECT_FALSE(usfm.InTitle);
  EXPECT_EQ(usfm.HeadingCount, 3);
  RunningText(&usfm, "\\p\n");
  EXPECT_FALSE(usfm.InHeading);
  EXPECT_TRUE(usfm.InParagraph);
  RunningText(&usfm, "\\st Sub\n\\q\n");
  EXPECT_FALSE(usfm.InHeading);
  EXPECT_TRUE(usfm.InTitle);  // a poetry line ends a heading, not a title
}

TEST(MarkerWalker, WindowCharactersCountBackFromTheNewest) {
  TUSFM usfm(nullptr);
  RunningText(&usfm, "\\v 1 abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(usfm.Window, "defghijklmnopqrstuvwxyz");
  EXPECT_EQ(usfm.WindowChar(0), 'z');
  EXPECT_EQ(usfm.WindowChar(1), 'y');
  EXPECT_EQ(usfm.WindowChar(22), 'd');
}

}  // namespace
