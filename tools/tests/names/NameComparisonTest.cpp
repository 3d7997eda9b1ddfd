// The name comparison: which names are alike, and which pairs are listed.
#include <memory>

#include "classlib/StringLists.h"
#include "tools/NameComparison.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace {

using tools_testing::ItemsOf;
using tools_testing::Lines;
using tools_testing::ListOf;

TEST(NamesAlikeTest, Pairs) {
  struct Row {
    const char* A;
    const char* B;
    bool Alike;
  } rows[] = {
      {"Isaac", "Isaak", true},   // same sound code
      {"Peter", "Pieter", true},  // same sound code, lengths differ
      {"Jonah", "Jonas", true},   // codes differ (J5, J52); one letter differs
      {"Mary", "Marc", true},     // ... in the last place
      {"Levi", "Kevi", true},     // ... in the first place
      {"Aaron", "Eran", false},   // codes differ in the first letter
      {"Jesus", "Jesse", false},  // two places differ, codes J22 and J2
      {"Judas", "Judas", true},   // equal
      {"mary", "Mary", true},     // the first letter's case does not count in the code
      {"Abel", "Cain", false},
      {"Ab", "Ba", false},           // two places differ
      {"Tymczak", "Tymzcak", true},  // same code
      {"", "", true},
      {"", "A", false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(NamesAlike(r.A, r.B), r.Alike) << r.A << " / " << r.B;
    EXPECT_EQ(NamesAlike(r.B, r.A), r.Alike) << r.B << " / " << r.A;
  }
}

const Lines kNames = {"Jesus", "Jesse", "Isaac", "Isaak", "Jonah", "Jonas", "Peter", "Pieter", "Mary",
                      "Marc",  "Levi",  "Kevi",  "Judas", "Judas", "Aaron", "Eran",  "Jona",   "Jonn"};

Lines Compare(const Lines& names, const Lines& dismissed, Lines* statuses = nullptr) {
  std::unique_ptr<TStringList> pairs(new TStringList());
  CompareNames(ListOf(names).get(), ListOf(dismissed).get(), pairs.get(), [&](const AnsiString& text) {
    if (statuses) statuses->push_back(text);
  });
  return ItemsOf(pairs.get());
}

TEST(CompareNamesTest, EveryPairInBothOrders) {
  Lines statuses;
  EXPECT_EQ(Compare(kNames, {}, &statuses),
            (Lines{"Isaac and Isaak", "Isaak and Isaac", "Jonah and Jonas", "Jonah and Jona", "Jonah and Jonn",
                   "Jonas and Jonah", "Peter and Pieter", "Pieter and Peter", "Mary and Marc", "Marc and Mary",
                   "Levi and Kevi", "Kevi and Levi", "Judas and Judas", "Judas and Judas", "Jona and Jonah",
                   "Jona and Jonn", "Jonn and Jonah", "Jonn and Jona"}));
  ASSERT_EQ(statuses.size(), kNames.size());
  EXPECT_EQ(statuses[0], "Comparing Jesus ...");
  EXPECT_EQ(CompareNamesReadyText(18), "Ready - 18 name combinations found");
  EXPECT_EQ(NamesRemovedText(2), "2 name combination(s) removed");
}

TEST(CompareNamesTest, NamesOfDismissedPairsAreLeftOutWhole) {
  // "Jona" only occurs inside a dismissed line: it is still compared.
  EXPECT_EQ(Compare(kNames, {"Jonah and Jonas", "Levi and Kevi"}),
            (Lines{"Isaac and Isaak", "Isaak and Isaac", "Peter and Pieter", "Pieter and Peter", "Mary and Marc",
                   "Marc and Mary", "Judas and Judas", "Judas and Judas", "Jona and Jonn", "Jonn and Jona"}));
  // A name holding " and " is found whole on either side; a line without " and " is one name.
  EXPECT_EQ(Compare({"Ruth and Naomi", "Ruth and Naomy", "Peter", "Pieter", "Mary", "Marc"},
                    {"Ruth and Naomi and Orpah", "Peter"}),
            (Lines{"Mary and Marc", "Marc and Mary"}));
  EXPECT_EQ(Compare({}, {}), Lines{});
}

}  // namespace
