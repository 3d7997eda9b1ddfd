// The names list dialog driven with the mouse and the keyboard: a search of the books, approving,
// disapproving and adding names, the lists saved by "&OK", "&Cancel" asking after a change, the
// approved names in the results list window, and a search of some books.
#include <memory>

#include "app/NamesList.h"
#include "app/PrintGeneralLists.h"
#include "app/tests/names/NamesDialogsSupport.h"
#include "app/tests/support/LockedFile.h"
#include "classlib/ComCtrls.h"

namespace {

using namespace names_testing;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WindowWatch;
using testing_support::WriteFileBytes;

class NamesListDialogTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 so Peter and John went to Bethany with McDonald.",
                          "\\v 2 so Simon saw a Lion and a lion."});
    WriteTestBook("MRK", {"\\id MRK", "\\c 1", "\\p", "\\v 1 so Andrew came."});
  }
  std::string Approved() const { return WorkFolder() + "ApprovedNames.txt"; }
  std::string Disapproved() const { return WorkFolder() + "DisapprovedNames.txt"; }
  static std::string Status(TNamesListDlg* d) { return d->StatusBar1->GetSimpleText(); }
};

TEST_F(NamesListDialogTest, SearchApproveDisapproveAddAndSaveWithOk) {
  WriteFileBytes(Approved(), CrLf({"Peter", "Moses"}));
  WriteFileBytes(Disapproved(), CrLf({"Simon"}));
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  Lines found, approvedAfterSearch, statuses;
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&New names");
    found = ItemsOf(d->ListBoxNew->GetItems());
    approvedAfterSearch = ItemsOf(d->ListBoxApproved->GetItems());
    statuses.push_back(Status(d.get()));
    EXPECT_FALSE(d->ListsChanged);  // a search changes no list the user keeps

    ClickLine(d->ListBoxNew, 3);        // John
    ClickLine(d->ListBoxNew, 0, true);  // and Andrew
    EXPECT_EQ(SelectedLines(d->ListBoxNew), (Lines{"Andrew", "John"}));
    ClickOn(wnd, "&Approve");
    ClickLine(d->ListBoxNew, 0);  // Bethany
    ClickOn(wnd, "&Disapprove");
    EXPECT_EQ(ItemsOf(d->ListBoxNew->GetItems()), (Lines{"Donald"}));

    ClickOn(d->Edit1);
    TypeText("aaron");
    ClickOn(wnd, "&Manually add");
    statuses.push_back(Status(d.get()));
    ClickOn(wnd, "&Manually add");  // the edit kept the name refused
    statuses.push_back(Status(d.get()));
    d->Edit1->SetText("");
    ClickOn(wnd, "&Manually add");
    statuses.push_back(Status(d.get()));
    ClickOn(d->Edit1);
    TypeText("Aaron");
    ClickOn(wnd, "&Manually add");
    statuses.push_back(Status(d.get()));
    EXPECT_EQ(d->Edit1->GetText(), "");
    SaveScreenshot(wnd, "names-list");
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(found, (Lines{"Andrew", "Bethany", "Donald", "John"}));
  EXPECT_EQ(approvedAfterSearch, (Lines{"Peter"}));  // Moses occurs in no book
  EXPECT_EQ(statuses, (Lines{"4 new names found - 1 old names removed", "Start the name with a capital",
                             "Start the name with a capital", "Enter a name first", "Name added: Aaron"}));
  EXPECT_EQ(result, 6);
  // The approved list came from its file, so it stays sorted.
  EXPECT_EQ(ReadFileBytes(Approved()), CrLf({"Aaron", "Andrew", "John", "Peter"}));
  EXPECT_EQ(ReadFileBytes(Disapproved()), CrLf({"Bethany", "Simon"}));
}

TEST_F(NamesListDialogTest, WithoutAnApprovedFileNewNamesAreAddedAtTheEnd) {
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&New names");
    ClickLine(d->ListBoxNew, 4);  // Peter
    ClickOn(wnd, "&Approve");
    ClickLine(d->ListBoxNew, 0);  // Andrew
    ClickOn(wnd, "&Approve");
    ClickOn(d->Edit1);
    PressKey(VK_RETURN);  // "&OK" is the default button
  });
  EXPECT_EQ(result, 6);
  EXPECT_EQ(ReadFileBytes(Approved()), CrLf({"Peter", "Andrew"}));
  EXPECT_EQ(ReadFileBytes(Disapproved()), "");
}

TEST_F(NamesListDialogTest, OkWithoutAChangeClosesWithOne) {
  WriteFileBytes(Approved(), CrLf({"Peter"}));
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&Approve");  // nothing selected: no change
    ClickOn(wnd, "&Reject");
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(ReadFileBytes(Approved()), CrLf({"Peter"}));
}

TEST_F(NamesListDialogTest, CancelAsksOnlyAfterAChange) {
  // Nothing changed: Escape closes at once.
  {
    std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
    EXPECT_EQ(RunModal(d.get(), [&](HWND) { PressKey(VK_ESCAPE); }), mrCancel);
  }
  // "&Delete" with nothing selected is a change: "&Cancel" asks; No keeps the dialog open, Yes
  // closes it without saving.
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  int asked = 0;
  bool openAfterNo = false;
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&Delete");
    {
      WindowWatch question("Confirmation", [&](HWND box) {
        ++asked;
        EXPECT_TRUE(Child(box, "Do you want to discard the changes in the lists?"));
        SaveScreenshot(box, "names-list-discard");
        ClickOn(box, "&No");
      });
      ClickOn(wnd, "&Cancel");
      PumpUntil([&] { return question.Done(); });
    }
    ProcessFor(100);
    openAfterNo = IsWindowVisible(wnd);
    WindowWatch question("Confirmation", [&](HWND box) {
      ++asked;
      ClickOn(box, "&Yes");
    });
    ClickOn(wnd, "&Cancel");
    PumpUntil([&] { return question.Done(); });
  });
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(openAfterNo);
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(FileExists(Approved()));
  EXPECT_FALSE(FileExists(Disapproved()));
}

TEST_F(NamesListDialogTest, ApprovedNamesGoToTheResultsListWindow) {
  WriteFileBytes(Approved(), CrLf({"Peter", "Andrew"}));
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  Lines shown;
  std::string caption, status;
  RunModal(d.get(), [&](HWND wnd) {
    const ShownList list = OpenResultsList(wnd, "&To editor", "names-list-to-editor");
    caption = list.Caption;
    shown = list.Text;
    status = Status(d.get());
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(caption, "Names list");
  EXPECT_EQ(shown, (Lines{"Andrew", "Peter"}));
  EXPECT_EQ(status, "Ready");
}

TEST_F(NamesListDialogTest, ASearchOfSomeBooksKeepsTheApprovedNames) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 so Moses and Abraham went."});
  WriteFileBytes(Approved(), CrLf({"Moses", "Peter"}));
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  Lines found, approved;
  std::string status;
  RunModal(d.get(), [&](HWND wnd) {
    WindowWatch books("Include or exclude books", [&](HWND w) {
      ClickOn(w, "&NT Books");
      ClickOn(w, "OK");
    });
    ClickOn(wnd, "&Select books");
    PumpUntil([&] { return books.Done(); });
    ProcessFor(100);
    ClickOn(wnd, "&New names");
    found = ItemsOf(d->ListBoxNew->GetItems());
    approved = ItemsOf(d->ListBoxApproved->GetItems());
    status = Status(d.get());
    PressKey(VK_ESCAPE);
  });
  // Genesis was left out: Moses stays approved, Abraham is not found.
  EXPECT_EQ(found, (Lines{"Andrew", "Bethany", "Donald", "John", "Simon"}));
  EXPECT_EQ(approved, (Lines{"Moses", "Peter"}));
  EXPECT_EQ(status, "5 new names found");
}

}  // namespace

namespace {

// A project whose book files are all gone shows no name at all: that is no sign that the approved
// names stopped occurring, and they are kept.
TEST_F(NamesListDialogTest, AProjectWithoutBooksKeepsTheApprovedNames) {
  DeleteFileA(BookPath("MAT").c_str());
  DeleteFileA(BookPath("MRK").c_str());
  WriteFileBytes(Approved(), CrLf({"Moses", "Peter"}));
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  Lines approved;
  std::string status;
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&New names");
    approved = ItemsOf(d->ListBoxApproved->GetItems());
    status = Status(d.get());
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(approved, (Lines{"Moses", "Peter"}));
  EXPECT_EQ(status, "0 new names found");
  EXPECT_NE(result, 6);
  EXPECT_EQ(ReadFileBytes(Approved()), CrLf({"Moses", "Peter"}));
}

// A book that another program holds open without sharing: the search stops with a box that names
// the book, its file and the reason, and the lists and their files stay as they were.
TEST_F(NamesListDialogTest, ALockedBookIsNamedWithTheReasonAndNothingChanges) {
  WriteFileBytes(Approved(), CrLf({"Moses", "Peter"}));
  WriteFileBytes(Disapproved(), CrLf({"Simon"}));
  std::unique_ptr<TNamesListDlg> d(new TNamesListDlg(nullptr));
  Lines foundBefore, foundAfter, approvedBefore, approved, disapproved;
  std::string box;
  RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&New names");
    foundBefore = ItemsOf(d->ListBoxNew->GetItems());
    approvedBefore = ItemsOf(d->ListBoxApproved->GetItems());
    app_testing::LockedFile lock(BookPath("MRK"));
    ASSERT_TRUE(lock.Locked());
    box = app_testing::ErrorBoxText([&] { ClickOn(wnd, "&New names"); });
    ProcessFor(100);
    foundAfter = ItemsOf(d->ListBoxNew->GetItems());
    approved = ItemsOf(d->ListBoxApproved->GetItems());
    disapproved = ItemsOf(d->DisapprovedListBox->GetItems());
    EXPECT_TRUE(IsWindowEnabled(Child(wnd, "&New names")));
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(box, "The book Mark could not be read from the file " + BookPath("MRK") + ": " +
                     app_testing::SharingViolationText() + ".");
  EXPECT_EQ(foundBefore, (Lines{"Andrew", "Bethany", "Donald", "John"}));
  EXPECT_EQ(foundAfter, foundBefore);
  EXPECT_EQ(approvedBefore, (Lines{"Peter"}));  // Moses occurs in no book
  EXPECT_EQ(approved, approvedBefore);
  EXPECT_EQ(disapproved, (Lines{"Simon"}));
  EXPECT_EQ(ReadFileBytes(Approved()), CrLf({"Moses", "Peter"}));
  EXPECT_EQ(ReadFileBytes(Disapproved()), CrLf({"Simon"}));
}

}  // namespace
