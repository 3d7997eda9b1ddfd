// The correction lists window driven by clicks and keys: lists shown, pairs entered and removed,
// a book corrected (whole, or a chapter and the next), the settings and list files at closing;
// and the main menu's items that open the conversion windows.
#include <memory>

#include "app/RemovalSpellingErrorsUnit.h"
#include "app/UnitMain.h"
#include "app/tests/convert/ConvertTestSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "core/ProgramFolderUnit.h"

namespace {

using namespace dialog_testing;
using app_testing::ItemsOf;
using Lines = app_testing::Lines;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

class CorrectionWindowTest : public app_testing::AppTest {
protected:
  std::string ListPath(int list) { return ProgramFolder + "correctionlist" + std::to_string(list) + ".txt"; }
  // Waits until the list box shows the current list (the window refreshes it on its timer).
  static Lines Shown(TRemovalSpellingErrorsDlg* dialog) {
    ProcessFor(300);
    return ItemsOf(dialog->ListBox1->GetItems());
  }
};

TEST_F(CorrectionWindowTest, ListsAreShownEditedAndWrittenAtClosing) {
  WriteFileBytes(ListPath(3), "1teh\r\n2the\r\n1recieve\r\n2receive\r\n");
  std::unique_ptr<TRemovalSpellingErrorsDlg> dialog(new TRemovalSpellingErrorsDlg(nullptr));
  Lines first, third, afterAdd, afterRemove, fourthLabels;
  std::string emptyRemove, noWord, duplicate, added, removed;
  RunModal(dialog.get(), [&](HWND wnd) {
    first = Shown(dialog.get());
    Click(wnd, "Re&move word");
    emptyRemove = dialog->StatusBar1->GetSimpleText();
    PressKey('T', true);  // Alt+T: the third list
    third = Shown(dialog.get());
    SaveScreenshot(wnd, "correction-lists");
    PressKey('E', true);  // Alt+E: the misspelling
    TypeText("teh");
    Click(wnd, "Enter &word");
    noWord = dialog->StatusBar1->GetSimpleText();
    PressKey('E', true);
    TypeText("teh");
    PressKey('C', true);  // Alt+C: the correction
    TypeText("the");
    Click(wnd, "Enter &word");
    duplicate = dialog->StatusBar1->GetSimpleText();
    TypeText("Teh");  // the focus is back in the misspelling
    PressKey('C', true);
    TypeText("The");
    Click(wnd, "Enter &word");
    added = dialog->StatusBar1->GetSimpleText();
    afterAdd = Shown(dialog.get());
    SendMessageA(dialog->ListBox1->GetHandle(), LB_SETCURSEL, 2, 0);
    Click(wnd, "Re&move word");
    removed = dialog->StatusBar1->GetSimpleText();
    afterRemove = Shown(dialog.get());
    PressKey('L', true);  // Alt+L: the fourth list
    fourthLabels = {dialog->Label8->GetCaption(), dialog->Label9->GetCaption()};
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(first, (Lines{"No entries in this list"}));
  EXPECT_EQ(emptyRemove, "First select a word, then press the button");
  EXPECT_EQ(third, (Lines{"Whole word:  spelling mistake  -  correction", "", "teh  -  the", "recieve  -  receive"}));
  EXPECT_EQ(noWord, "First enter text under \"Enter the &correction\"");
  EXPECT_EQ(duplicate, "The word teh already exists in this list; it has not been added");
  EXPECT_EQ(added, "Words added");
  EXPECT_EQ(afterAdd.back(), "Teh  -  The");
  EXPECT_EQ(removed, "An entry has been deleted");
  EXPECT_EQ(afterRemove, (Lines{"Whole word:  spelling mistake  -  correction", "", "recieve  -  receive", "Teh  -  The"}));
  EXPECT_EQ(fourthLabels, (Lines{"&Enter the misspelled phrase", "Enter the &correction"}));
  dialog.reset();
  // Every list file is written at closing, the missing ones too.
  EXPECT_EQ(ReadFileBytes(ListPath(3)), "1recieve\r\n2receive\r\n1Teh\r\n2The\r\n");
  for (int list : {1, 2, 4}) EXPECT_EQ(ReadFileBytes(ListPath(list)), "") << list;
}

TEST_F(CorrectionWindowTest, ABookIsCorrectedWholeOrTwoChapters) {
  WriteFileBytes(ListPath(1), "1beleiv\r\n2believ\r\n");
  WriteFileBytes(ListPath(2), "1ed\r\n2ed\r\n");
  WriteFileBytes(ListPath(3), "1teh\r\n2the\r\n");
  WriteFileBytes(ListPath(4), "1Lord God\r\n2LORD God\r\n");
  const Lines book = {"\\id GEN", "\\c 1", "\\v 1 teh Lord God beleived", "\\c 2", "\\v 1 teh", "\\c 3", "\\v 1 teh",
                      "\\c 4", "\\v 1 teh"};
  const std::string path = WriteTestBook("GEN", book);
  WriteTestBook("EXO", {"\\id EXO"});
  MyReg->SetSpellingRemovalBook("Genesis");

  std::unique_ptr<TRemovalSpellingErrorsDlg> dialog(new TRemovalSpellingErrorsDlg(nullptr));
  std::string whole, chapters, books;
  bool chapterEnabled = true;
  RunModal(dialog.get(), [&](HWND wnd) {
    books = std::to_string(dialog->ComboBox1->GetItems()->GetCount()) + " " + TextOf(dialog->ComboBox1->GetHandle());
    chapterEnabled = IsWindowEnabled(dialog->Edit3->GetHandle());
    Click(wnd, "&Remove errors");
    whole = dialog->StatusBar1->GetSimpleText();
    WriteFileBytes(path, core_testing::CrLf({"\\id GEN", "\\c 1", "\\v 1 teh", "\\c 2", "\\v 1 teh", "\\c 3", "\\v 1 teh",
                                             "\\c 4", "\\v 1 teh"}));
    Click(wnd, "Only &correct chapter");
    SetFocus(dialog->Edit3->GetHandle());
    PressKey(VK_UP);  // chapter 2
    Click(wnd, "&Remove errors");
    chapters = dialog->StatusBar1->GetSimpleText();
    Click(wnd, "OK");
  });
  EXPECT_EQ(books, "2 Genesis");
  EXPECT_FALSE(chapterEnabled);
  EXPECT_EQ(whole, "Genesis corrected, 6 errors removed");
  EXPECT_EQ(chapters, "Genesis corrected, 2 errors removed");
  EXPECT_EQ(ReadFileBytes(path), core_testing::CrLf({"\\id GEN", "\\c 1", "\\v 1 teh", "\\c 2", "\\v 1 the", "\\c 3",
                                                     "\\v 1 the", "\\c 4", "\\v 1 teh"}));
  // Closing with the chapter choice on starts the next use at the next chapter.
  EXPECT_TRUE(MyReg->GetOnlyCorrectChapter());
  EXPECT_EQ(ReadSettingString("Only correct chapter"), "3");
  EXPECT_EQ(MyReg->GetSpellingRemovalBook(), "Genesis");
}

TEST_F(CorrectionWindowTest, NoBookChosen) {
  std::unique_ptr<TRemovalSpellingErrorsDlg> dialog(new TRemovalSpellingErrorsDlg(nullptr));
  std::string status;
  RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Remove errors");
    status = dialog->StatusBar1->GetSimpleText();
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(status, "Select a book first");
}

TEST_F(CorrectionWindowTest, TheMenuItemsOpenTheirWindows) {
  std::unique_ptr<TMainScreen> form(new TMainScreen(Application));
  form->AfterConstruction();
  form->Show();
  struct Row {
    const char* Item;
    const char* Caption;
  } rows[] = {
      {"Converttextdocument1", "Convert text document to Paratext format"},
      {"ConvertOnlineBible1", "Convert books from Online Bible to BibleWorks"},
      {"ConvertParatextbooks1", "Convert Paratext files to BibleWorks"},
      {"ConvertBibleWorksbooks1", "Convert BibleWorks books to Paratext"},
      {"Correctionofspellingerrors1", "Removal of spelling errors"},
      {"ConvertToTNE1", "Convert Paratext books to Translation Notes Editor"},
      {"Conversion1", "Conversion variables"},
  };
  for (const Row& r : rows) {
    auto* item = static_cast<TMenuItem*>(form->FindComponent(r.Item));
    ASSERT_TRUE(item) << r.Item;
    EXPECT_TRUE(item->GetEnabled()) << r.Item;
    WindowWatch watch(r.Caption, [](HWND wnd) {
      SetForegroundWindow(wnd);
      ProcessFor(30);
      PressKey(VK_ESCAPE);
    });
    PostMessageA(form->GetHandle(), WM_COMMAND, item->GetCommand(), 0);
    testing_support::PumpUntil([&] { return watch.Done(); }, 30000);
    EXPECT_TRUE(watch.Done()) << r.Item;
    ProcessFor(100);
  }
}

}  // namespace
