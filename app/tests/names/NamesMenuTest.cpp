// The main window's menu items of the names list, name comparison, unwanted words and advanced
// search: each opens its dialog, and a changed list of names or unwanted words has every book
// checked again.
#include <memory>

#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/MechanicalRun.h"
#include "app/UnitMain.h"
#include "app/tests/names/NamesDialogsSupport.h"
#include "classlib/Menus.h"

namespace {

using namespace names_testing;
using app_testing::FileLines;
using testing_support::PumpUntil;
using testing_support::WindowWatch;

bool IgnoreStart(const AnsiString&) { return true; }

class NamesMenuTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    StartProgram = &IgnoreStart;
    WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."}, 10);
  }
  void TearDown() override {
    delete form_;
    AppTest::TearDown();
  }
  void Open() {
    form_ = new TMainScreen(Application);
    form_->AfterConstruction();
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Cycle->State == 0 && form_->Mechanical->Idle(); }, 30000));
  }
  // Chooses the menu item and lets `act` close the dialog with the caption.
  void Choose(const char* item, const char* caption, const std::function<void(HWND)>& act) {
    auto* menuItem = static_cast<TMenuItem*>(form_->FindComponent(item));
    ASSERT_TRUE(menuItem) << item;
    EXPECT_TRUE(menuItem->GetEnabled()) << item;
    WindowWatch dialog(caption, [&](HWND w) {
      SetForegroundWindow(w);
      ProcessFor(30);
      act(w);
    });
    PostMessageA(form_->GetHandle(), WM_COMMAND, menuItem->GetCommand(), 0);
    ASSERT_TRUE(PumpUntil([&] { return dialog.Done(); }, 30000)) << caption;
    testing_support::PumpFor(100);
  }
  std::string JohnsAge() {
    const Lines lines = FileLines(ResultsPath("John"));
    return lines.empty() ? "" : lines[0];
  }

  TMainScreen* form_ = nullptr;
};

TEST_F(NamesMenuTest, ChangedListsHaveEveryBookCheckedAgain) {
  Open();
  const std::string age = JohnsAge();
  ASSERT_NE(age, "");
  ASSERT_NE(age, "0");

  // Unchanged lists: the books stay as they were checked.
  Choose("Nameslist1", "Names list", [](HWND w) { ClickOn(w, "&OK"); });
  EXPECT_EQ(JohnsAge(), age);
  EXPECT_FALSE(form_->Cycle->RestartRequested);
  Choose("Comparenames1", "Compare names", [](HWND w) { ClickOn(w, "&OK"); });
  Choose("Advancedsearch1", "Advanced Search", [](HWND w) { ClickOn(w, "&OK"); });
  EXPECT_EQ(JohnsAge(), age);

  // The names list closed with 6: every book is checked again.
  Choose("Nameslist1", "Names list", [](HWND w) {
    ClickOn(w, "&Disapprove");  // a change even with nothing selected
    ClickOn(w, "&OK");
  });
  EXPECT_EQ(JohnsAge(), "0");
}

TEST_F(NamesMenuTest, UnwantedWordsRestartTheCheckAlwaysAndCheckEveryBookAfterAChange) {
  // The unwanted words are checked with the structure.
  MyReg->SetWhiteSpaceCheck(true);
  MyReg->SetUSFMCheck(true);
  MyReg->SetStructureCheck(true);
  Open();
  const std::string age = JohnsAge();
  Choose("Unwantedwords1", "Unwanted words", [](HWND w) { ClickOn(w, "Cancel"); });
  EXPECT_EQ(JohnsAge(), age);
  EXPECT_TRUE(form_->Cycle->RestartRequested || form_->Cycle->State != 0);
  ASSERT_TRUE(PumpUntil([&] { return form_->Cycle->State == 0 && form_->Mechanical->Idle(); }, 30000));

  Choose("Unwantedwords1", "Unwanted words", [](HWND w) {
    TypeText("beginning");
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_RETURN);
    ClickOn(w, "&OK");
  });
  EXPECT_TRUE(form_->Cycle->RestartRequested || form_->Cycle->State != 0);
  EXPECT_EQ(FileLines(WorkFolder() + "UnwantedWords.txt"), (Lines{"beginning (word) ()"}));
  // Checked again, the book reports the unwanted word.
  Lines lines;
  EXPECT_TRUE(PumpUntil(
      [&] {
        lines = FileLines(ResultsPath("John"));
        return form_->Cycle->State == 0 && form_->Mechanical->Idle() && !lines.empty() && lines[0] != "0" &&
               std::any_of(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.find("beginning") != std::string::npos; });
      },
      30000))
      << testing::PrintToString(lines) << " state " << form_->Cycle->State;
}

TEST_F(NamesMenuTest, TheNamesListOpensFromTheKeyboard) {
  Open();
  SetForegroundWindow(form_->GetHandle());
  ProcessFor(50);
  WindowWatch dialog("Names list", [](HWND w) {
    SetForegroundWindow(w);
    ProcessFor(30);
    PressKey(VK_ESCAPE);
  });
  // Alt+C opens "Text &checking" and N chooses "&Names list"; the keys are queued together, since
  // the menu runs its own loop until it is closed.
  SendKeyEvents({{VK_MENU, false}, {'C', false}, {'C', true}, {VK_MENU, true}, {'N', false}, {'N', true}});
  EXPECT_TRUE(PumpUntil([&] { return dialog.Done(); }, 30000));
}

}  // namespace
