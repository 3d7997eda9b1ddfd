// The name comparison dialog: comparing the approved names, removing reviewed pairs, and the
// removed pairs remembered by "&OK" and left out of the next comparison.
#include <memory>

#include "app/CompareNamesUnit.h"
#include "app/tests/names/NamesDialogsSupport.h"
#include "classlib/ComCtrls.h"

namespace {

using namespace names_testing;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

class CompareNamesDialogTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 so it was."});
  }
  std::string Compared() const { return WorkFolder() + "ComparedNames.txt"; }
  static std::string Status(TCompareNamesDialog* d) { return d->StatusBar1->GetSimpleText(); }
};

TEST_F(CompareNamesDialogTest, RemovedPairsAreRememberedByOkAndLeftOut) {
  WriteFileBytes(WorkFolder() + "ApprovedNames.txt", CrLf({"Isaac", "Isaak", "Peter", "Pieter", "Mary", "Marc"}));
  Lines names, pairs, statuses;
  {
    std::unique_ptr<TCompareNamesDialog> d(new TCompareNamesDialog(nullptr));
    const Integer result = RunModal(d.get(), [&](HWND wnd) {
      names = ItemsOf(d->NamesListBox->GetItems());
      statuses.push_back(Status(d.get()));
      ClickOn(wnd, "&Compare");
      pairs = ItemsOf(d->MessagesListBox->GetItems());
      statuses.push_back(Status(d.get()));
      ClickLine(d->MessagesListBox, 0);
      ClickLine(d->MessagesListBox, 2, true);
      SaveScreenshot(wnd, "compare-names");
      ClickOn(wnd, "&Remove");
      statuses.push_back(Status(d.get()));
      EXPECT_EQ(d->MessagesListBox->GetItems()->GetCount(), 4);
      ClickOn(wnd, "&OK");
    });
    EXPECT_EQ(result, mrOk);
  }
  EXPECT_EQ(names, (Lines{"Isaac", "Isaak", "Peter", "Pieter", "Mary", "Marc"}));
  EXPECT_EQ(pairs, (Lines{"Isaac and Isaak", "Isaak and Isaac", "Peter and Pieter", "Pieter and Peter", "Mary and Marc",
                          "Marc and Mary"}));
  EXPECT_EQ(statuses, (Lines{"", "Ready - 6 name combinations found", "2 name combination(s) removed"}));
  // Removed from the last selected line to the first.
  EXPECT_EQ(ReadFileBytes(Compared()), CrLf({"Peter and Pieter", "Isaac and Isaak"}));

  // The next comparison leaves the names of removed pairs out; a second click adds to the list.
  std::unique_ptr<TCompareNamesDialog> d(new TCompareNamesDialog(nullptr));
  statuses.clear();
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&Compare");
    statuses.push_back(Status(d.get()));
    ClickOn(wnd, "&Compare");
    pairs = ItemsOf(d->MessagesListBox->GetItems());
    statuses.push_back(Status(d.get()));
    ClickLine(d->MessagesListBox, 0);
    ClickOn(wnd, "&Remove");
    PressKey(VK_ESCAPE);  // Cancel keeps the file as it was
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(pairs, (Lines{"Mary and Marc", "Marc and Mary", "Mary and Marc", "Marc and Mary"}));
  EXPECT_EQ(statuses, (Lines{"Ready - 2 name combinations found", "Ready - 4 name combinations found"}));
  EXPECT_EQ(ReadFileBytes(Compared()), CrLf({"Peter and Pieter", "Isaac and Isaak"}));
}

TEST_F(CompareNamesDialogTest, WithoutApprovedNames) {
  std::unique_ptr<TCompareNamesDialog> d(new TCompareNamesDialog(nullptr));
  Lines statuses;
  RunModal(d.get(), [&](HWND wnd) {
    statuses.push_back(Status(d.get()));
    PressKey('C', true);  // Alt+C: "&Compare"
    statuses.push_back(Status(d.get()));
    ClickOn(wnd, "Cancel");
  });
  EXPECT_EQ(statuses, (Lines{"No names available - produce them first", "Ready - 0 name combinations found"}));
  EXPECT_FALSE(FileExists(Compared()));
}

}  // namespace
