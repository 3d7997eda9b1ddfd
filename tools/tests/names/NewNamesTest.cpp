// The search of the names list over books: which capitalised words become new names.
#include <memory>

#include "classlib/StringLists.h"
#include "core/DemonstrationProjectUnit.h"
#include "core/ScripturesUnit.h"
#include "core/USFMUnit.h"
#include "tools/NewNames.h"
#include "tools/tests/support/DifferentVersions.h"
#include "tools/tests/support/KjvBooks.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace {

using tools_testing::ItemsOf;
using tools_testing::Lines;
using tools_testing::ListOf;

class NewNamesTest : public tools_testing::ToolsTest {
protected:
  // Searches the books of the current project (all, or those named) with the lists given.
  std::unique_ptr<TNewNamesSearch> Search(const Lines& approved = {}, const Lines& disapproved = {},
                                          const Lines& onlyBooks = {}) {
    TScripture scripture(nullptr, -1);
    if (!onlyBooks.empty()) {
      for (int i = scripture.BookIds->GetCount() - 1; i >= 0; --i)
        if (std::find(onlyBooks.begin(), onlyBooks.end(), scripture.BookIds->GetStrings(i)) == onlyBooks.end()) {
          scripture.BookIds->Delete(i);
          scripture.BookNames->Delete(i);
          scripture.BookFiles->Delete(i);
        }
    }
    TUSFM usfm(&scripture);
    std::unique_ptr<TNewNamesSearch> search(new TNewNamesSearch());
    search->OnStatus = [this](const AnsiString& text) { statuses.push_back(text); };
    search->Run(&scripture, &usfm, ListOf(approved).get(), ListOf(disapproved).get());
    return search;
  }
  Lines statuses;
};

TEST_F(NewNamesTest, WordsOfOneVerse) {
  struct Row {
    const char* Verse;
    Lines Names;
  } rows[] = {
      {"so he said. Peter came, and Peter went.", {"Peter"}},  // a sentence opener proves nothing
      {"so he said. Peter came.", {}},
      {"so he said? Peter came.", {}},
      {"so the Word: Amen.", {"Word"}},
      {"so the Lion and the lion.", {}},  // also in lower case: no name
      {"so the Lion and the LION.", {}},  // also in capitals only
      {"so A man", {}},                   // one capital alone is a plain word
      {"so deRuth came", {"Ruth"}},       // a small-letter prefix is dropped
      {"so McDonald came", {"Donald"}},   // from the second capital on
      {"so it was. MacArthur came", {"Arthur"}},
      {"so Zeb[ed]ee came", {"Zebedee"}},  // characters filtered out do not end a word
      {"so Jesus-Christ came", {"Christ", "Jesus"}},
      {"so Mary, Martha and Lazarus.", {"Lazarus", "Martha", "Mary"}},
      // The last word of a book, with nothing after it, is not judged.
      {"so Mary, Martha and Lazarus", {"Martha", "Mary"}},
      // A word longer than the look-back window looks at the window's oldest character.
      {"so it was. Abcdefghijklmnopqrstuvw came", {"Abcdefghijklmnopqrstuvw"}},
  };
  for (const Row& r : rows) {
    WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", std::string("\\v 1 ") + r.Verse});
    EXPECT_EQ(ItemsOf(Search()->NewNames.get()), r.Names) << r.Verse;
  }
}

TEST_F(NewNamesTest, FixtureBooksWithApprovedAndDisapprovedNames) {
  WriteFixtureBook("MAT", "names/MAT.SFM");
  WriteFixtureBook("MRK", "names/MRK.SFM");

  auto search = Search();
  EXPECT_EQ(ItemsOf(search->NewNames.get()),
            (Lines{"Andrew", "Arthur", "Bethsaida", "Christ", "David", "Donald", "Isaac", "Jacob", "Jesus", "Judas",
                   "Peter", "Philip", "Ruth", "Zebedee"}));
  EXPECT_EQ(statuses, (Lines{"Matthew", "Mark", "Now picking out the names...", "Sorting words"}));

  // Names already judged are not offered again; the approved names that were not found go.
  search = Search({"Jesus", "Moses", "Andrew"}, {"Judas", "david"});
  EXPECT_EQ(ItemsOf(search->NewNames.get()), (Lines{"Arthur", "Bethsaida", "Christ", "David", "Donald", "Isaac",
                                                    "Jacob", "Peter", "Philip", "Ruth", "Zebedee"}));
  EXPECT_EQ(ItemsOf(search->AllNames.get()),
            (Lines{"Andrew", "Arthur", "Bethsaida", "Christ", "David", "Donald", "Isaac", "Jacob", "Jesus", "Judas",
                   "Lion", "Peter", "Philip", "Ruth", "The", "Zebedee"}));
  auto approved = ListOf({"Jesus", "Moses", "Andrew"});
  const int removed = PruneApprovedNames(approved.get(), search->AllNames.get());
  EXPECT_EQ(removed, 1);
  EXPECT_EQ(ItemsOf(approved.get()), (Lines{"Jesus", "Andrew"}));
  EXPECT_EQ(NewNamesStatusText(search->NewNames->GetCount(), removed), "11 new names found - 1 old names removed");
  EXPECT_EQ(NewNamesStatusText(3, 0), "3 new names found");

  // One book of the two.
  search = Search({}, {}, {"MRK"});
  EXPECT_EQ(ItemsOf(search->NewNames.get()), (Lines{"Andrew", "Bethsaida", "Philip"}));
  EXPECT_EQ(ItemsOf(search->AllNames.get()), (Lines{"Andrew", "Bethsaida", "Philip"}));
}

TEST_F(NewNamesTest, DemonstrationProject) {
  MyReg->SetParatextProjectsFolder(temp_.Path() + "Demonstration\\");
  WriteDemonstrationProject();
  EXPECT_EQ(ItemsOf(Search()->NewNames.get()), (Lines{"God", "In", "Word"}));
}

TEST_F(NewNamesTest, ProjectWithoutBooks) {
  auto search = Search({"Jesus"});
  EXPECT_EQ(search->NewNames->GetCount(), 0);
  EXPECT_EQ(search->AllNames->GetCount(), 0);
  EXPECT_EQ(statuses, (Lines{"Now picking out the names...", "Sorting words"}));
}

// The whole KJV as the test project: the names found stay what they were (fingerprints taken from
// the search as it was first written), whatever steps the search is done in.
TEST_F(NewNamesTest, TheWholeKjvGivesTheNamesItGave) {
  const std::vector<tools_testing::KjvBook> kjv = tools_testing::ReadKjvBooks();
  if (kjv.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  for (const tools_testing::KjvBook& book : kjv)
    WriteTestBook(book.FileName.substr(2, 3), Lines(book.Lines.begin(), book.Lines.end()));
  auto search = Search({"Aaron", "Zebedee", "Nobody"}, {"Moses"});
  tools_testing::Fingerprint newNames, allNames;
  tools_testing::AddLines(newNames, search->NewNames.get());
  tools_testing::AddLines(allNames, search->AllNames.get());
  EXPECT_EQ(search->NewNames->GetCount(), 3191);
  EXPECT_EQ(search->AllNames->GetCount(), 4016);
  EXPECT_EQ(newNames.Hex(), "7e22f3e35a7d7615");
  EXPECT_EQ(allNames.Hex(), "6fd8a51461abbd9b");
  ASSERT_EQ(statuses.size(), 68u);
  EXPECT_EQ(statuses.front(), "Genesis");
  EXPECT_EQ(statuses.back(), "Sorting words");
}

// A search made in the smallest steps finds what the search in one go finds; a book that cannot be
// read raises from the step that reads it, naming the book and its file, and leaves the lists.
TEST_F(NewNamesTest, InStepsTheNamesAreThoseOfOneGo) {
  WriteFixtureBook("MAT", "names/MAT.SFM");
  WriteFixtureBook("MRK", "names/MRK.SFM");
  auto once = Search({"Jesus", "Moses", "Andrew"}, {"Judas", "david"});
  const Lines onceStatuses = statuses;
  statuses.clear();
  TScripture scripture(nullptr, -1);
  TUSFM usfm(&scripture);
  TNewNamesSearch stepped;
  stepped.OnStatus = [this](const AnsiString& text) { statuses.push_back(text); };
  stepped.Start(&scripture, &usfm, ListOf({"Jesus", "Moses", "Andrew"}).get(), ListOf({"Judas", "david"}).get());
  int steps = 1;
  while (!stepped.Step([] { return true; })) ++steps;
  EXPECT_GT(steps, 2);
  EXPECT_EQ(ItemsOf(stepped.NewNames.get()), ItemsOf(once->NewNames.get()));
  EXPECT_EQ(ItemsOf(stepped.AllNames.get()), ItemsOf(once->AllNames.get()));
  EXPECT_EQ(statuses, onceStatuses);
}

}  // namespace
