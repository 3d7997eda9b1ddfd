// Version approval, driven as a user drives it: a book chosen, its first copy saved when the
// comparison page opens, comments written and saved, a book compared with its newest copy and
// saved again, earlier copies browsed with their comments, and a copy that cannot be written.
#include <memory>
#include <string>

#include "app/VersionManagementUnit.h"
#include "app/tests/compare/CompareDialogsSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "richtext/edit/UVEdit.h"
#include "tools/VersionCopies.h"

namespace {

using namespace compare_dialogs;
using namespace dialog_testing;
using testing_support::MouseClick;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

const Lines kRuth = {"\\id RUT", "\\c 1", "\\v 1 Now it came to pass in the days when the judges ruled.",
                     "\\v 2 And the name of the man was Elimelech."};

// Chooses the entry of a list box as a click on it does.
void ChooseInList(TListBox* list, int index) {
  HWND box = list->GetHandle();
  SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
  ProcessFor(50);
}

// Clicks the tab of a page with the mouse.
void ClickTab(TPageControl* pages, int index) {
  RECT r{};
  SendMessageA(pages->GetHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  MouseClick(pages->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ProcessFor(150);
  // The pointer leaves the tabs, which the system paints otherwise while it rests on one.
  SetCursorPos(0, 0);
  ProcessFor(100);
}

Lines MemoLines(TMemo* memo) { return app_testing::ItemsOf(memo->GetLines()); }

std::string CrLf(const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

class VersionApprovalTest : public CompareDialogsTest {
protected:
  void SetUp() override {
    CompareDialogsTest::SetUp();
    Lines ruth = kRuth;
    ruth[2] = "\\v 1 Now it came to pass in the days when the judges governed.";
    ruthPath_ = WriteTestBook("RUT", ruth);
    judePath_ = WriteTestBook("JUD", {"\\id JUD", "\\c 1", "\\v 1 Jude, the servant of Jesus Christ."});
    WriteTestBook("JDG", {"\\id JDG", "\\c 1", "\\v 1 Now after the death of Joshua."});
    ForceDirectories(WorkFolder());
    // Earlier copies: one of Judges (not of Jude), two of Ruth, the older with comments.
    WriteFileBytes(WorkFolder() + "Judges 2020 01 01 10 00.sfc", "\\id JDG\r\n");
    WriteFileBytes(WorkFolder() + "Ruth 2020 01 01 10 00.sfc", "\\id RUT\r\n\\c 1\r\n");
    WriteFileBytes(WorkFolder() + "Ruth 2020 01 01 10 00.sfc.txt", "First draft.\r\nRead by the team.\r\n");
    WriteFileBytes(WorkFolder() + "Ruth 2021 06 01 09 30.sfc", CrLf(kRuth));
  }
  std::string ruthPath_, judePath_;
};

TEST_F(VersionApprovalTest, TheFirstCopyOfABookIsSavedWithItsComments) {
  std::unique_ptr<TVersionManagementDlg> dialog(new TVersionManagementDlg(nullptr));
  EXPECT_EQ(app_testing::ItemsOf(dialog->BookListBox->GetItems()), (Lines{"Judges", "Ruth", "Jude"}));
  EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Version approval ready");
  std::string viewing, afterCompare, afterThumb, afterComments;
  Lines shown, memo, compared;
  bool saveEnabled = true, commentsEnabledAfter = true;
  TTabSheet* pageAfterSave = nullptr;
  RunModal(dialog.get(), [&](HWND wnd) {
    ChooseInList(dialog->BookListBox, 2);
    viewing = dialog->StatusBar1->GetSimpleText();
    shown = TextOf(dialog->UzurUvad1);
    SaveScreenshot(wnd, "version-approval-book");
    ClickTab(dialog->PageControl1, 1);
    afterCompare = dialog->StatusBar1->GetSimpleText();
    pageAfterSave = dialog->PageControl1->GetActivePage();
    saveEnabled = dialog->SaveButton->GetEnabled();
    memo = MemoLines(dialog->Memo1);
    SaveScreenshot(wnd, "version-approval-comments");
    // The comments are written further and saved again.
    dialog->Memo1->SetFocus();
    SendKeyEvents({{VK_CONTROL, false}, {VK_END, false}, {VK_END, true}, {VK_CONTROL, true}});
    ProcessFor(30);
    TypeText("Approved by the team.");
    Click(wnd, "&Save comments");
    afterComments = dialog->StatusBar1->GetSimpleText();
    commentsEnabledAfter = dialog->CommentsButton->GetEnabled();
    ClickTab(dialog->PageControl1, 1);
    compared = TextOf(dialog->UzurUvadEdit1);
    SaveScreenshot(wnd, "version-approval-first-copy");
    Click(wnd, "&Thumb through");
    afterThumb = dialog->StatusBar1->GetSimpleText();
    Click(wnd, "&OK");
  });
  EXPECT_EQ(viewing, "Viewing Jude");
  EXPECT_EQ(shown, (Lines{"\\id JUD", "\\c 1", "\\v 1 Jude, the servant of Jesus Christ."}));
  EXPECT_EQ(afterCompare, "No older version available - the current has been saved for future reference");
  EXPECT_EQ(pageAfterSave, dialog->CommentsSheet);
  EXPECT_FALSE(saveEnabled);
  // The copy holds the book byte for byte; only Jude's own copies count, so this is its first.
  const std::string copy = dialog->SavedCopy;
  EXPECT_EQ(copy.rfind(WorkFolder() + "Jude " + FormatDateTime("yyyy mm dd", Date()) + " ", 0), 0u) << copy;
  EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(judePath_));
  ASSERT_EQ(memo.size(), 2u);
  EXPECT_EQ(memo[0].rfind("This version of Jude has been saved on ", 0), 0u) << memo[0];
  EXPECT_EQ(memo[1], "It is the first version to be saved - there was no previous version to compare with.");
  EXPECT_EQ(afterComments, "Comments saved to file " + copy + ".txt");
  EXPECT_FALSE(commentsEnabledAfter);
  EXPECT_EQ(ReadFileBytes(copy + ".txt"), CrLf({memo[0], memo[1] + "Approved by the team."}));
  EXPECT_EQ(compared, (Lines{"\\id JUD", "\\c 1", "\\v 1 Jude, the servant of Jesus Christ."}));
  EXPECT_EQ(afterThumb, "No differences found");
}

TEST_F(VersionApprovalTest, ABookIsComparedWithItsNewestCopyAndEarlierCopiesAreBrowsed) {
  std::unique_ptr<TVersionManagementDlg> dialog(new TVersionManagementDlg(nullptr));
  std::string afterCompare, afterThumb, afterSave;
  Lines compared, memo, copies, firstCopy, firstComments, secondComments, memoAfterChoosingAgain;
  bool saveEnabled = false;
  RunModal(dialog.get(), [&](HWND wnd) {
    ChooseInList(dialog->BookListBox, 1);
    ClickTab(dialog->PageControl1, 1);
    afterCompare = dialog->StatusBar1->GetSimpleText();
    compared = TextOf(dialog->UzurUvadEdit1);
    saveEnabled = dialog->SaveButton->GetEnabled();
    Click(wnd, "&Thumb through");
    afterThumb = dialog->StatusBar1->GetSimpleText();
    SaveScreenshot(wnd, "version-approval-comparison");
    Click(wnd, "&Save version");
    afterSave = dialog->StatusBar1->GetSimpleText();
    memo = MemoLines(dialog->Memo1);
    ClickTab(dialog->PageControl1, 3);
    copies = ItemsOf(dialog->ComboBox1);
    Choose(dialog->ComboBox1, 0);
    firstCopy = TextOf(dialog->PVUzurUvad);
    firstComments = MemoLines(dialog->Memo2);
    ProcessFor(100);
    SaveScreenshot(wnd, "version-approval-previous");
    Choose(dialog->ComboBox1, 1);
    secondComments = MemoLines(dialog->Memo2);
    ClickTab(dialog->PageControl1, 0);
    ChooseInList(dialog->BookListBox, 1);
    memoAfterChoosingAgain = MemoLines(dialog->Memo1);
    Click(wnd, "&OK");
  });
  EXPECT_EQ(afterCompare, "The current version has been compared with the previous version - displaying the comparison");
  EXPECT_TRUE(saveEnabled);
  ASSERT_EQ(compared.size(), 4u);
  EXPECT_EQ(compared[2], "\\v 1 Now it came to pass in the days when the judges governed.ruled.");
  EXPECT_EQ(dialog->ChangeCount, 4);
  EXPECT_EQ(afterThumb, "Viewing next change(s)");
  const std::string copy = dialog->SavedCopy;
  EXPECT_EQ(afterSave, "This version has been saved as " + copy);
  EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(ruthPath_));
  ASSERT_EQ(memo.size(), 3u);
  EXPECT_EQ(memo[1], "It has been compared with file " + WorkFolder() + "Ruth 2021 06 01 09 30.sfc");
  EXPECT_EQ(memo[2], "There were 4 differences between these two files");
  EXPECT_EQ(ReadFileBytes(copy + ".txt"), CrLf(memo));
  EXPECT_EQ(copies, (Lines{"Ruth 2020 01 01 10 00.sfc", "Ruth 2021 06 01 09 30.sfc", ExtractFileName(copy)}));
  EXPECT_EQ(firstCopy, (Lines{"\\id RUT", "\\c 1"}));
  EXPECT_EQ(firstComments, (Lines{"First draft.", "Read by the team."}));
  EXPECT_EQ(secondComments, (Lines{"No comments available for this version"}));
  EXPECT_TRUE(memoAfterChoosingAgain.empty());
}

TEST_F(VersionApprovalTest, ACopyThatCannotBeWrittenIsSaidAndNothingIsLeft) {
  // Folders stand where this minute's and the next minute's copies would go.
  const TDateTime now = Now();
  for (TDateTime moment : {now, now + 1.0 / 1440})
    ForceDirectories(WorkFolder() + "Ruth " + FormatDateTime("yyyy mm dd hh nn", moment) + ".sfc");
  std::unique_ptr<TVersionManagementDlg> dialog(new TVersionManagementDlg(nullptr));
  std::string status;
  bool saveEnabled = false, commentsEnabled = true;
  TTabSheet* page = nullptr;
  RunModal(dialog.get(), [&](HWND wnd) {
    ChooseInList(dialog->BookListBox, 1);
    ClickTab(dialog->PageControl1, 1);
    Click(wnd, "&Save version");
    status = dialog->StatusBar1->GetSimpleText();
    saveEnabled = dialog->SaveButton->GetEnabled();
    commentsEnabled = dialog->CommentsButton->GetEnabled();
    page = dialog->PageControl1->GetActivePage();
    SaveScreenshot(wnd, "version-approval-not-saved");
    Click(wnd, "&OK");
  });
  EXPECT_EQ(status.rfind("This version has not been saved. Could not write " + WorkFolder() + "Ruth ", 0), 0u) << status;
  EXPECT_TRUE(saveEnabled);
  EXPECT_FALSE(commentsEnabled);
  EXPECT_EQ(page, dialog->ApprovalSheet);
  EXPECT_TRUE(dialog->SavedCopy.empty());
  // Only the copies from before and the two folders are there: no temporary file, no comments.
  std::unique_ptr<TStringList> copies(new TStringList());
  FindPreviousCopies(WorkFolder(), "Ruth", copies.get());
  EXPECT_EQ(copies->GetCount(), 2);
  TSearchRec rec;
  int files = 0;
  if (FindFirst(WorkFolder() + "*", faAnyFile, rec) == 0) {
    do
      if (!(rec.Attr & faDirectory)) ++files;
    while (FindNext(rec) == 0);
    FindClose(rec);
  }
  EXPECT_EQ(files, 4);
}

}  // namespace
