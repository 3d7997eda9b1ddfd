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
  EXPECT_EQ(ItemsOf(lines.get()), kFixtureCheckList);
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
