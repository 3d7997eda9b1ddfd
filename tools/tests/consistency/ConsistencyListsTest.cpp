// The consistency lists' set-up and groups, the translations of a project, and the reference list
// produced from a list's files.
#include <memory>

#include "classlib/SysUtils.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/ConsistencyLists.h"
#include "tools/tests/consistency/ListTestSupport.h"

namespace {

using namespace list_testing;
using testing_support::WriteFileBytes;

class ConsistencyListsTest : public ListFilesTest {
protected:
  std::unique_ptr<TListDatabase> Open(const char* name, TListFile kind) {
    return std::unique_ptr<TListDatabase>(new TListDatabase(temp_.File(name), kind));
  }
};

TEST_F(ConsistencyListsTest, SevenListsOfFourKinds) {
  struct Row {
    Integer List;
    const char* Caption;
    const char* Language;
    const char* Files[3];
    Integer Kind;
  } rows[] = {
      {clFloraFaunaOT, "Flora and fauna of the Old Testament", "Hebrew", {"ffotref.txt", "ffotdef.txt", "FloraFaunaOTTranslation.txt"}, 1},
      {clFloraFaunaNT, "Flora and fauna of the New Testament", "Greek", {"ffntref.txt", "ffntdef.txt", "FloraFaunaNTTranslation.txt"}, 1},
      {clBorrowedWordsNT, "Borrowed words in the New Testament", "Greek", {"bwntref.txt", "bwntdef.txt", "BorrowedWordsNTTranslation.txt"}, 2},
      {clKeywordsOT, "Keywords of the Old Testament", "Hebrew", {"kwotref.txt", "kwotdef.txt", "KeyWordsOTTranslation.txt"}, 3},
      {clKeywordsNT, "Keywords of the New Testament", "Greek", {"kwntref.txt", "kwntdef.txt", "KeyWordsNTTranslation.txt"}, 3},
      {clNamesOT, "Names of the Old Testament", "Hebrew", {"NamesOTRef.txt", "NamesOTDef.txt", "NamesOTTranslation.txt"}, 4},
      {clNamesNT, "Names of the New Testament", "Hebrew", {"NamesNTRef.txt", "NamesNTDef.txt", "NamesNTTranslation.txt"}, 4},
  };
  ASSERT_EQ(ConsistencyListCount, 7);
  for (const Row& r : rows) {
    const TConsistencyList& list = ConsistencyList(r.List);
    EXPECT_STREQ(list.Caption, r.Caption);
    EXPECT_STREQ(list.Language, r.Language) << r.Caption;
    EXPECT_STREQ(list.ReferenceFile, r.Files[0]) << r.Caption;
    EXPECT_STREQ(list.DefinitionFile, r.Files[1]) << r.Caption;
    EXPECT_STREQ(list.TranslationFile, r.Files[2]) << r.Caption;
    EXPECT_EQ(list.Kind, r.Kind) << r.Caption;
  }

  struct Groups {
    Integer Kind;
    Lines Names;
  } groups[] = {
      {1, {"birds", "mammals", "amphibians", "fish", "insects", "other invertebrates", "lizards", "snakes", "flowers",
           "crops", "herbs and spices", "thorns and other wild plants", "trees and vines"}},
      {2, {"from Hebrew", "from Latin"}},
      {3, {"clothes", "natural things", "holy things", "tools", "grammar", "", "", "actions", "invisible things"}},
      {4, {"divine names", "human names", "place names"}},
      {0, {}},
      {5, {}},
  };
  std::unique_ptr<TStringList> names(new TStringList());
  for (const Groups& g : groups) {
    names->Add("left over");
    ListKindGroups(g.Kind, names.get());
    EXPECT_EQ(ItemsOf(names.get()), g.Names) << g.Kind;
  }
}

TEST_F(ConsistencyListsTest, TheLastTranslationOfAKeywordIsShownAndTypingChangesEveryOne) {
  auto translations = Open("KeyWordsOTTranslation.txt", TListFile::Translations);
  struct Lookup {
    const char* Keyword;
    const char* Translation;
  } lookups[] = {{"bara", "erschaffen"}, {"elohim", "Gott"}, {"Bara", ""}, {"erets", ""}, {"", ""}};
  for (const Lookup& l : lookups) EXPECT_EQ(LookupTranslation(translations.get(), l.Keyword), l.Translation) << l.Keyword;

  struct Store {
    const char* Name;
    const char* Keyword;
    const char* Text;
    bool Modified;
    Lines After;
  } stores[] = {
      {"every record of the keyword", "bara", "machen", true,
       {"bara", "machen", "elohim", "Gott", "bara", "machen"}},
      {"a keyword differing in case is another keyword", "Bara", "Schöpfung", true,
       {"bara", "schaffen", "elohim", "Gott", "bara", "erschaffen", "Bara", "Schöpfung"}},
      {"an empty text is stored too", "elohim", "", true, {"bara", "schaffen", "elohim", "", "bara", "erschaffen"}},
      {"no keyword: nothing", "", "Erde", false, {"bara", "schaffen", "elohim", "Gott", "bara", "erschaffen"}},
  };
  for (const Store& s : stores) {
    translations->Reload();
    StoreTranslation(translations.get(), s.Keyword, s.Text);
    EXPECT_EQ(translations->Modified, s.Modified) << s.Name;
    AnsiString error;
    ASSERT_TRUE(translations->SaveChanges(error)) << error;
    EXPECT_EQ(Bytes("KeyWordsOTTranslation.txt"), CrLf(s.After)) << s.Name;
    WriteFileBytes(temp_.File("KeyWordsOTTranslation.txt"), Fixture("KeyWordsOTTranslation.txt"));
  }

  // A project without translations yet: the first one makes the file.
  TListDatabase fresh(temp_.File("KeyWordsNTTranslation.txt"), TListFile::Translations);
  StoreTranslation(&fresh, "erets", "Erde");
  EXPECT_EQ(LookupTranslation(&fresh, "erets"), "Erde");
  AnsiString error;
  ASSERT_TRUE(fresh.SaveChanges(error)) << error;
  EXPECT_EQ(testing_support::ReadFileBytes(temp_.File("KeyWordsNTTranslation.txt")), CrLf({"erets", "Erde"}));
}

TEST_F(ConsistencyListsTest, AGroupShowsItsDefinitionsAndAKeywordItsReferences) {
  auto definitions = Open("kwotdef.txt", TListFile::Definitions);
  auto references = Open("kwotref.txt", TListFile::References);
  std::unique_ptr<TStringList> lines(new TStringList());
  std::vector<Integer> records{99};
  struct Group {
    Integer Group;
    Lines Lines;
    std::vector<Integer> Records;
  } groups[] = {
      {2, {"erets: earth", "shamayim: heaven"}, {2, 3}},
      {8, {"bara: create", "Bara: create (a second spelling)"}, {0, 4}},
      {3, {"elohim: God"}, {1}},
      {1, {}, {}},
      {6, {}, {}},  // the definition with the group "x" shows in no group
  };
  for (const Group& g : groups) {
    GroupDefinitions(definitions.get(), g.Group, lines.get(), records);
    EXPECT_EQ(ItemsOf(lines.get()), g.Lines) << g.Group;
    EXPECT_EQ(records, g.Records) << g.Group;
  }

  struct Keyword {
    const char* Keyword;
    Lines References;
  } keywords[] = {
      {"bara", {"GEN 1:1", "GEN 1:21", "GEN 1:27", "GEN 1:27", "GEN 1:27"}},
      {"Bara", {"ISA 43:1"}},
      {"erets", {"GEN 1:1", "PSA 24:1"}},
      {"adam", {}},
  };
  for (const Keyword& k : keywords) {
    KeywordReferences(references.get(), k.Keyword, lines.get());
    EXPECT_EQ(ItemsOf(lines.get()), k.References) << k.Keyword;
  }
}

TEST_F(ConsistencyListsTest, TheReferenceListHasALinePerOccurrenceInTheOrderOfTheFiles) {
  auto definitions = Open("kwotdef.txt", TListFile::Definitions);
  auto references = Open("kwotref.txt", TListFile::References);
  auto translations = Open("KeyWordsOTTranslation.txt", TListFile::Translations);
  std::unique_ptr<TStringList> lines(new TStringList());
  struct Row {
    const char* Filter;
    Lines Lines;
    std::vector<Integer> Progress;
  } rows[] = {
      {"", kFixtureReferenceList,
       {0, 1, 2, 3, 4, 5}},
      {"erets",
       {"GEN 1:1 - Hebrew: erets - English: earth - only item - Translate as: ",
        "PSA 24:1 - Hebrew: erets - English: earth - only item - Translate as: "},
       {2}},
      {"Bara", {"ISA 43:1 - Hebrew: Bara - English: create (a second spelling) - only item - Translate as: "}, {4}},
      {"adam", {}, {}},
  };
  for (const Row& r : rows) {
    std::vector<Integer> progress;
    lines->Add("left over");
    ProduceReferenceLines(definitions.get(), references.get(), translations.get(), "Hebrew", r.Filter, lines.get(),
                          [&](Integer i) { progress.push_back(i); });
    EXPECT_EQ(ItemsOf(lines.get()), r.Lines) << r.Filter;
    EXPECT_EQ(progress, r.Progress) << r.Filter;
  }

  // A keyword with a translation but no reference gives no line; the 15th item is the last named.
  auto more = ListOf({"adam", "1", "man", "kol", "1", "all"});
  TDatabase moreDefinitions(temp_.File("more.txt"), 3, more.get());
  auto moreRefs = ListOf({"kol", "GEN 1:21", "15", "kol", "GEN 1:21", "16"});
  TDatabase moreReferences(temp_.File("moreref.txt"), 3, moreRefs.get());
  auto moreTranslations = ListOf({"adam", "Mensch"});
  TDatabase moreTranslated(temp_.File("moretr.txt"), 2, moreTranslations.get());
  ProduceReferenceLines(&moreDefinitions, &moreReferences, &moreTranslated, "Greek", "", lines.get());
  EXPECT_EQ(ItemsOf(lines.get()), (Lines{"GEN 1:21 - Greek: kol - English: all - 15th item - Translate as: ",
                                         "GEN 1:21 - Greek: kol - English: all -  item - Translate as: "}));
}

}  // namespace
