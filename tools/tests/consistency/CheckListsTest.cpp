// The checklist text of a consistency list.
#include <memory>

#include "tools/CheckLists.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/ConsistencyLists.h"
#include "tools/tests/consistency/ListTestSupport.h"

namespace {

using namespace list_testing;

class CheckListsTest : public ListFilesTest {};

TEST_F(CheckListsTest, GroupByGroupEachKeywordWithItsNoteAndReferences) {
  TListDatabase references(temp_.File("kwotref.txt"), TListFile::References);
  TListDatabase definitions(temp_.File("kwotdef.txt"), TListFile::Definitions);
  std::unique_ptr<TStringList> groups(new TStringList());
  ListKindGroups(3, groups.get());
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->Add("left over");
  CheckListLines(&references, &definitions, groups.get(), lines.get());
  const Lines expected = {
      "", "", "\\com clothes", "", "",
      "", "", "\\com natural things",
      "\\key erets", "\\keynote earth", "\\ref GEN 1:1", "\\ref PSA 24:1",
      "\\key shamayim", "\\keynote heaven", "\\ref GEN 1:1", "", "",
      "", "", "\\com holy things", "\\key elohim", "\\keynote God", "\\ref GEN 1:1", "", "",
      "", "", "\\com tools", "", "",
      "", "", "\\com grammar", "", "",
      // The two groups without a name.
      "", "", "\\com ", "", "",
      "", "", "\\com ", "", "",
      // "bara" and "Bara" are two keywords with references of their own.
      "", "", "\\com actions",
      "\\key bara", "\\keynote create", "\\ref GEN 1:1", "\\ref GEN 1:21", "\\ref GEN 1:27", "\\ref GEN 1:27",
      "\\ref GEN 1:27",
      "\\key Bara", "\\keynote create (a second spelling)", "\\ref ISA 43:1", "", "",
      "", "", "\\com invisible things", "", "",
      // "nephesh", whose group is "x", is in no group and left out.
  };
  EXPECT_EQ(ItemsOf(lines.get()), expected);
}

TEST_F(CheckListsTest, AKeywordWithoutReferencesAndListsWithoutGroups) {
  auto definitionLines = ListOf({"adam", "2", "man", "kol", "1", "all", "ish", "3", "husband"});
  TDatabase definitions(temp_.File("d.txt"), 3, definitionLines.get());
  auto referenceLines = ListOf({"adam", "GEN 2:7", "0"});
  TDatabase references(temp_.File("r.txt"), 3, referenceLines.get());
  auto groups = ListOf({"divine names", "human names"});
  std::unique_ptr<TStringList> lines(new TStringList());
  CheckListLines(&references, &definitions, groups.get(), lines.get());
  EXPECT_EQ(ItemsOf(lines.get()), (Lines{"", "", "\\com divine names", "\\key kol", "\\keynote all", "", "", "", "",
                                         "\\com human names", "\\key adam", "\\keynote man", "\\ref GEN 2:7", "",
                                         ""}));
  groups->Clear();
  CheckListLines(&references, &definitions, groups.get(), lines.get());
  EXPECT_EQ(lines->GetCount(), 0);
}

}  // namespace
