// Import text for BibleWorks from standard-format books and from Online Bible text.
#include "tests/support/TestSupport.h"
#include "tools/BibleWorksConversion.h"

namespace {

TEST(SFMToBibleWorksTest, OneLineAVerse) {
  struct Row {
    const char* Case;
    TextLines Books;
    TextLines Output;
  } rows[] = {
      {"paragraph and poetry lines join their verse",
       {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning", "\\v 2 And the earth", "\\q was without form"},
       {"Gen 1:1 In the beginning", "Gen 1:2 And the earth was without form"}},
      {"a paragraph marker alone adds a blank", {"\\id REV", "\\c 22", "\\v 21 The grace", "\\p"}, {"Rev 22:21 The grace "}},
      {"an unknown book is Nil", {"\\id XYZ", "\\c 3", "\\v 1 Text"}, {"Nil 3:1 Text"}},
      {"titles and headings are left out",
       {"\\id 1SA", "\\mt First Samuel", "\\c 2", "\\s Hannah", "\\v 1 And Hannah", "\\d title"}, {"1Sa 2:1 And Hannah"}},
      {"a numbered poetry marker leaves its digit out", {"\\id PSA", "\\c 1", "\\v 1 Blessed", "\\q1 text"},
       {"Psa 1:1 Blessed  text"}},
      {"a chapter label is no chapter", {"\\id PSA", "\\c 2", "\\cl Psalm 2", "\\v 1 Why"}, {"Psa 2:1 Why"}},
      {"books follow each other; the chapter starts at 1",
       {" \\id OBA ", "\\v 21 And saviours", "\\id JON", "\\v 1 Now the word"},
       {"Oba 1:21 And saviours", "Jon 1:1 Now the word"}},
  };
  for (const Row& r : rows) EXPECT_EQ(ConvertSFMToBibleWorks(r.Books), r.Output) << r.Case;
}

TEST(SFMToBibleWorksTest, LongVersesAreKeptWhole) {
  const AnsiString verse(3000, 'x');
  const AnsiString more(2000, 'y');
  EXPECT_EQ(ConvertSFMToBibleWorks({"\\id EST", "\\c 8", "\\v 9 " + verse, "\\p " + more}),
            TextLines{"Est 8:9 " + verse + " " + more});
}

TEST(SFMToBibleWorksTest, ReportsEachBook) {
  TextLines names;
  ConvertSFMToBibleWorks({"\\id SNG", "\\id XYZ", "\\id JHN"}, [&](const AnsiString& name) { names.push_back(name); });
  EXPECT_EQ(names, (TextLines{"Song of Solomon", "John"}));
}

TEST(OnlineBibleToBibleWorksTest, HeadingsGiveBookAndChapter) {
  const AnsiString pilcrow(1, static_cast<char>(182));
  struct Row {
    const char* Case;
    TextLines Input;
    TextLines Output;
  } rows[] = {
      {"verses after a heading",
       {"Genesis 1", "1 In the beginning God created", "2 And the earth"},
       {"Gen 1:1 In the beginning God created", "Gen 1:2 And the earth"}},
      {"names with blanks and numbers",
       {"Song of Solomon 2", "1 I am the rose", "Psalms 23", "1 The LORD", "1 Samuel 3", "1 And the child"},
       {"Sol 2:1 I am the rose", "Psa 23:1 The LORD", "1Sa 3:1 And the child"}},
      {"a verse ending with a number stays a verse", {"Exodus 1", "5 ... were 12"}, {"Exo 1:5 ... were 12"}},
      {"a pilcrow and a double blank go", {"Genesis 1", pilcrow + " 6  And God said"}, {"Gen 1:6 And God said"}},
      {"empty lines are passed over", {"", "Genesis 1", "  ", "1 In"}, {"Gen 1:1 In"}},
      {"lines before the first heading have no reference", {"Preface", "Genesis 1"}, {" :Preface"}},
      {"a name in another case is no heading", {"genesis 1"}, {" :genesis 1"}},
  };
  for (const Row& r : rows) EXPECT_EQ(ConvertOnlineBibleToBibleWorks(r.Input), r.Output) << r.Case;
}

}  // namespace
