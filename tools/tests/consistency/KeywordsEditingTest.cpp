// What the keywords editor does to a list's definition and reference files, checked on the bytes
// of the files saved afterwards.
#include <functional>
#include <memory>

#include "classlib/SysUtils.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/KeywordsEditing.h"
#include "tools/tests/consistency/ListTestSupport.h"

namespace {

using namespace list_testing;
using testing_support::WriteFileBytes;

class KeywordsEditingTest : public ListFilesTest {
protected:
  // Opens the fixture file, changes it, saves it and gives its bytes.
  std::string Edited(const char* name, TListFile kind, const std::function<void(TDatabase*)>& change) {
    WriteFileBytes(temp_.File(name), Fixture(name));
    TListDatabase table(temp_.File(name), kind);
    change(&table);
    AnsiString error;
    EXPECT_TRUE(table.SaveChanges(error)) << error;
    return Bytes(name);
  }
};

TEST_F(KeywordsEditingTest, KeywordsAreAddedOnlyAsNewSingleWords) {
  WriteFileBytes(temp_.File("kwotdef.txt"), Fixture("kwotdef.txt"));
  TListDatabase definitions(temp_.File("kwotdef.txt"), TListFile::Definitions);
  struct Row {
    const char* Typed;
    TNewKeyword Check;
  } rows[] = {
      {"", TNewKeyword::Empty},         {"ruach elohim", TNewKeyword::HasBlank}, {" adam", TNewKeyword::HasBlank},
      {"ELOHIM", TNewKeyword::Exists},  {"bara", TNewKeyword::Exists},          {"adam", TNewKeyword::Accepted},
      {"elohim2", TNewKeyword::Accepted},
  };
  for (const Row& r : rows) EXPECT_EQ(CheckNewKeyword(&definitions, r.Typed), r.Check) << r.Typed;

  std::unique_ptr<TStringList> keywords(new TStringList());
  KeywordList(&definitions, keywords.get());
  EXPECT_EQ(ItemsOf(keywords.get()), (Lines{"bara", "elohim", "erets", "shamayim", "Bara", "nephesh"}));
  struct Group {
    Integer Record;
    Integer Number;
  } groups[] = {{0, 8}, {1, 3}, {5, 0}, {6, 0}};  // "x" is no number; record 6 does not exist
  for (const Group& g : groups) EXPECT_EQ(KeywordGroupNumber(&definitions, g.Record), g.Number) << g.Record;
}

TEST_F(KeywordsEditingTest, DefinitionFileAfterEachChange) {
  const std::string fixture = Fixture("kwotdef.txt");
  struct Row {
    const char* Name;
    std::function<void(TDatabase*)> Change;
    std::string Bytes;
  } rows[] = {
      {"a keyword added", [](TDatabase* d) { AddDefinition(d, "adam"); },
       fixture + CrLf({"adam", "1", "Enter English translation here"})},
      {"the first keyword deleted", [](TDatabase* d) { d->DeleteRecord(0); },
       CrLf({"elohim", "3", "God", "erets", "2", "earth", "shamayim", "2", "heaven", "Bara", "8",
             "create (a second spelling)", "nephesh", "x", "soul"})},
      {"gloss and group set", [](TDatabase* d) {
         d->SetField(2, dfEnglish, "land");
         d->SetField(2, dfGroup, "9");
       },
       CrLf({"bara", "8", "create", "elohim", "3", "God", "erets", "9", "land", "shamayim", "2", "heaven", "Bara", "8",
             "create (a second spelling)", "nephesh", "x", "soul"})},
  };
  for (const Row& r : rows) EXPECT_EQ(Edited("kwotdef.txt", TListFile::Definitions, r.Change), r.Bytes) << r.Name;
}

TEST_F(KeywordsEditingTest, ReferenceFileAfterEachChange) {
  struct Row {
    const char* Name;
    std::function<void(TDatabase*)> Change;
    std::string Bytes;
  } rows[] = {
      {"a keyword's references deleted",
       [](TDatabase* r) { EXPECT_EQ(DeleteKeywordReferences(r, "bara"), 5); },
       Records({kElohim, kShamayim, kErets1, kErets24, kNephesh, kBaraIsa})},
      {"a reference added and sorted into place",
       [](TDatabase* r) {
         AddReference(r, "erets", "GEN 1:2");
         SortReferenceDatabase(r);
       },
       Records({kBara1, kElohim, kShamayim, kErets1, {"erets", "GEN 1:2", "0"}, kBara21, kBara27a, kBara27b, kBara27c,
                kNephesh, kErets24, kBaraIsa})},
      {"an occurrence renumbered",
       [](TDatabase* r) { EXPECT_TRUE(RenumberReference(r, "bara", "GEN 1:27", 3, 4)); },
       Records({kBara1, kElohim, kShamayim, kErets1, kBara21, kBara27a, kBara27b, {"bara", "GEN 1:27", "4"}, kErets24,
                kNephesh, kBaraIsa})},
      {"renumbering onto an occurrence there is changes nothing",
       [](TDatabase* r) {
         EXPECT_FALSE(RenumberReference(r, "bara", "GEN 1:27", 3, 1));
         EXPECT_FALSE(RenumberReference(r, "bara", "GEN 1:28", 0, 1));  // no such record
         EXPECT_FALSE(r->Modified);
       },
       Fixture("kwotref.txt")},
      {"one occurrence deleted",
       [](TDatabase* r) {
         EXPECT_EQ(DeleteReference(r, "bara", "GEN 1:27", 2), 1);
         EXPECT_EQ(DeleteReference(r, "bara", "GEN 1:27", 0), 0);
         EXPECT_EQ(DeleteReference(r, "Bara", "GEN 1:27", 1), 0);
       },
       Records({kBara1, kElohim, kShamayim, kErets1, kBara21, kBara27a, kBara27c, kErets24, kNephesh, kBaraIsa})},
  };
  for (const Row& r : rows) EXPECT_EQ(Edited("kwotref.txt", TListFile::References, r.Change), r.Bytes) << r.Name;
}

TEST_F(KeywordsEditingTest, OccurrencesOfAKeywordInAVerse) {
  WriteFileBytes(temp_.File("kwotref.txt"), Fixture("kwotref.txt"));
  TListDatabase references(temp_.File("kwotref.txt"), TListFile::References);
  struct Exists {
    const char* Keyword;
    const char* Reference;
    Integer Item;
    bool Found;
  } exists[] = {
      {"bara", "GEN 1:27", 2, true}, {"bara", "GEN 1:27", 0, false}, {"Bara", "GEN 1:27", 2, false},
      {"bara", "gen 1:27", 2, false}, {"erets", "PSA 24:1", 0, true}, {"erets", "PSA 24:01", 0, false},
  };
  for (const Exists& e : exists)
    EXPECT_EQ(ReferenceExists(&references, e.Keyword, e.Reference, e.Item), e.Found)
        << e.Keyword << " " << e.Reference << " " << e.Item;

  struct Item {
    const char* Keyword;
    Integer Line;
    Integer Number;
  } items[] = {{"bara", 0, 0}, {"bara", 2, 1}, {"bara", 4, 3}, {"bara", 5, -1}, {"erets", 1, 0}, {"adam", 0, -1}};
  for (const Item& i : items)
    EXPECT_EQ(KeywordReferenceItem(&references, i.Keyword, i.Line), i.Number) << i.Keyword << " " << i.Line;
}

TEST_F(KeywordsEditingTest, SortingPutsReferencesInCanonicalOrderAndKeepsEqualRecordsInTheirOrder) {
  struct Row {
    const char* Name;
    Lines Before;
    Lines After;
  } rows[] = {
      {"numbers compare as numbers, books in canonical order",
       {"k", "PSA 119:100", "0", "k", "GEN 10:5", "0", "k", "GEN 2:3", "0"},
       {"k", "GEN 2:3", "0", "k", "GEN 10:5", "0", "k", "PSA 119:100", "0"}},
      {"one reference by item number",
       {"k", "MAT 5:3", "2", "k", "MAT 5:3", "10", "k", "MAT 5:3", "1"},
       {"k", "MAT 5:3", "1", "k", "MAT 5:3", "2", "k", "MAT 5:3", "10"}},
      {"equal reference and item keep their order, whatever the keyword",
       {"zeta", "JHN 1:1", "0", "alpha", "JHN 1:1", "0", "mu", "GEN 1:1", "0", "beta", "JHN 1:1", "0"},
       {"mu", "GEN 1:1", "0", "zeta", "JHN 1:1", "0", "alpha", "JHN 1:1", "0", "beta", "JHN 1:1", "0"}},
      {"leading zeros are dropped",
       {"k", "GEN 01:1", "0", "k", "GEN 1:002", "0", "k", "EXO 010:010", "0", "k", "GEN 0:0", "0"},
       {"k", "GEN 0:0", "0", "k", "GEN 1:1", "0", "k", "GEN 1:2", "0", "k", "EXO 10:10", "0"}},
      {"references of no book stay first in their order",
       {"k", "REV 1:1", "0", "k", "XYZ 2:1", "0", "k", "GEN 1:1", "0", "k", "abc", "0"},
       {"k", "XYZ 2:1", "0", "k", "abc", "0", "k", "GEN 1:1", "0", "k", "REV 1:1", "0"}},
      {"the lines of an incomplete record stay at the end",
       {"k", "MAT 2:1", "0", "k", "MAT 1:1", "0", "half"},
       {"k", "MAT 1:1", "0", "k", "MAT 2:1", "0", "half"}},
      {"a single record is left as it is", {"k", "GEN 01:1", "0"}, {"k", "GEN 01:1", "0"}},
  };
  for (const Row& r : rows) {
    for (bool modified : {false, true}) {
      auto lines = ListOf(r.Before);
      TDatabase table(temp_.File("sorted.txt"), 3, lines.get());
      table.Modified = modified;
      SortReferenceDatabase(&table);
      EXPECT_EQ(ItemsOf(table.Lines), r.After) << r.Name;
      EXPECT_EQ(table.Modified, modified) << r.Name << ": sorting alone is no change";
    }
  }

  // Sorting twice, or a file sorted before, gives the same bytes.
  const std::string once = Edited("kwotref.txt", TListFile::References, SortReferenceDatabase);
  EXPECT_EQ(once, Records({kBara1, kElohim, kShamayim, kErets1, kBara21, kBara27a, kBara27b, kBara27c, kNephesh,
                           kErets24, kBaraIsa}));
  WriteFileBytes(temp_.File("sorted.txt"), once);
  TListDatabase again(temp_.File("sorted.txt"), TListFile::References);
  SortReferenceDatabase(&again);
  EXPECT_EQ(CrLf(ItemsOf(again.Lines)), once);
}

TEST_F(KeywordsEditingTest, AnItemThatIsNoNumberStopsTheSortWithTheTableAsItWas) {
  const Lines before = {"k", "MAT 2:1", "0", "k", "MAT 1:1", "first"};
  auto lines = ListOf(before);
  TDatabase table(temp_.File("sorted.txt"), 3, lines.get());
  EXPECT_THROW(SortReferenceDatabase(&table), EConvertError);
  EXPECT_EQ(ItemsOf(table.Lines), before);
}

TEST_F(KeywordsEditingTest, ReferencesAreTakenFromTheStartOfTheExchangeFilesLines) {
  struct Row {
    const char* Line;
    const char* Reference;
  } rows[] = {
      {"GEN 1:21 - Hebrew: bara - English: create - only item - Translate as: ", "GEN 1:21"},
      {"PSA 119:176\t[1] text", "PSA 119:176"},
      {"MAT 5:3", "MAT 5:3"},
      {"MAT 5:3a", "MAT 5:3"},
      {"heading: not a reference", ""},
      {"", ""},
      {"GEN 1:", ""},
      {"GN 1:1 text", ""},
      {"  GEN 1:1", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(ExchangeLineReference(r.Line), r.Reference) << r.Line;

  WriteFileBytes(temp_.File("kwotref.txt"), Fixture("kwotref.txt"));
  TListDatabase references(temp_.File("kwotref.txt"), TListFile::References);
  auto file = ListOf({"GEN 1:27 - Hebrew: bara - 1st item",  // bara has GEN 1:27, but not as item 0
                      "GEN 1:1 - already there", "GEN 2:4 - new", "Results of the check:", "GEN 2:4 - once only",
                      "EXO 3:14 - new", "GEN 1:27 - twice"});
  std::unique_ptr<TStringList> collected(new TStringList());
  ReferencesToLoad(file.get(), &references, "bara", collected.get());
  EXPECT_EQ(ItemsOf(collected.get()), (Lines{"GEN 1:27", "GEN 2:4", "EXO 3:14"}));
  ReferencesToLoad(file.get(), &references, "adam", collected.get());
  EXPECT_EQ(ItemsOf(collected.get()), (Lines{"GEN 1:27", "GEN 1:1", "GEN 2:4", "EXO 3:14"}));
}

}  // namespace
