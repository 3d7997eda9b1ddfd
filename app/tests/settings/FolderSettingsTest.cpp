// The program, BibleWorks and Paratext settings dialogs: what they show of the stored settings,
// what OK stores, and that Cancel stores nothing.
#include <memory>
#include <string>
#include <vector>

#include "app/BibleWorksSettingsUnit.h"
#include "app/ParatextSettingsUnit.h"
#include "app/ProgramSettingsUnit.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/AppTestSupport.h"
#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"

namespace {

using namespace dialog_testing;
using app_testing::ItemsOf;
using app_testing::Lines;
using testing_support::SaveScreenshot;

// Answers the folder browser as a user would: sees where it starts and picks a folder, or
// cancels when there is none to pick.
struct FolderPicker : TDialogResponder {
  FolderPicker() : previous(SetDialogResponder(this)) {}
  ~FolderPicker() override { SetDialogResponder(previous); }
  bool SelectDirectory(const AnsiString&, const AnsiString&, AnsiString& Directory) override {
    StartedAt.push_back(Directory);
    if (Pick.empty()) return false;
    Directory = Pick;
    return true;
  }
  TDialogResponder* previous;
  std::string Pick;
  Lines StartedAt;
};

class FolderSettingsTest : public app_testing::AppTest {};

// --- Program settings ---------------------------------------------------------------------------

TEST_F(FolderSettingsTest, DateFormatsAreShownWithTodaysDate) {
  const TDateTime today = Date();
  const Lines dates = {FormatDateTime("d mmm yyyy", today), FormatDateTime("dd/mm/yy", today),
                       FormatDateTime("mm/dd/yy", today), FormatDateTime("d mmmm yyyy", today)};
  struct Row {
    const char* Stored;
    int Selected;
  } rows[] = {{"d mmm yyyy", 0}, {"dd/mm/yy", 1}, {"mm/dd/yy", 2}, {"d mmmm yyyy", 3}, {"yyyy-mm-dd", -1}};
  for (const Row& r : rows) {
    WriteSettingString("Date format", r.Stored);
    std::unique_ptr<TProgramSettingsDlg> dialog(new TProgramSettingsDlg(nullptr));
    Lines shown;
    int selected = -2;
    std::string text;
    const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
      HWND combo = dialog->DateFormatComboBox->GetHandle();
      shown = ItemsOf(dialog->DateFormatComboBox->GetItems());
      selected = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
      text = TextOf(combo);
      if (r.Selected < 0) SaveScreenshot(wnd, "program-settings");
      Click(wnd, "&OK");
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(shown, dates);
    EXPECT_EQ(selected, r.Selected) << r.Stored;
    EXPECT_EQ(text, r.Selected >= 0 ? dates[r.Selected] : "<select a format>") << r.Stored;
    // OK without a chosen format keeps the stored one.
    EXPECT_EQ(ReadSettingString("Date format"), r.Stored);
  }
}

TEST_F(FolderSettingsTest, DateFormatChosenByKeyboard) {
  WriteSettingString("Date format", "d mmm yyyy");
  std::unique_ptr<TProgramSettingsDlg> dialog(new TProgramSettingsDlg(nullptr));
  std::string focused;
  RunModal(dialog.get(), [&](HWND) {
    focused = GetFocus() == dialog->DateFormatComboBox->GetHandle() ||
                      GetParent(GetFocus()) == dialog->DateFormatComboBox->GetHandle()
                  ? "combo"
                  : FocusedText();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(focused, "combo");
  EXPECT_EQ(ReadSettingString("Date format"), "d mmmm yyyy");

  // Cancel after choosing another keeps it.
  const auto before = StoredSettings();
  std::unique_ptr<TProgramSettingsDlg> again(new TProgramSettingsDlg(nullptr));
  EXPECT_EQ(RunModal(again.get(),
                     [&](HWND) {
                       PressKey(VK_UP);
                       PressKey(VK_ESCAPE);
                     }),
            mrCancel);
  EXPECT_EQ(StoredSettings(), before);
}

// --- BibleWorks settings ------------------------------------------------------------------------

TEST_F(FolderSettingsTest, BibleWorksSettingsShowAndStoreAllFour) {
  // The defaults of a first start.
  std::unique_ptr<TBibleWorksSettingsDialog> dialog(new TBibleWorksSettingsDialog(nullptr));
  FolderPicker picker;
  picker.Pick = "D:\\Bible Programs\\BW7";
  Lines shown, tabOrder;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    for (HWND w : {dialog->HebrewEdit->GetHandle(), dialog->GreekEdit->GetHandle(), dialog->FileNameEdit->GetHandle(),
                   dialog->FolderButton->GetHandle()})
      shown.push_back(TextOf(w));
    SaveScreenshot(wnd, "bibleworks-settings");
    for (int i = 0; i < 6; ++i) {
      tabOrder.push_back(GetFocus() == dialog->FolderButton->GetHandle() ? "folder" : FocusedText());
      PressKey(VK_TAB);
    }
    PressKey('H', true);  // Alt+H: the Hebrew version, all of it selected
    TypeText("BHSX");     // three characters at most
    PressKey('G', true);
    TypeText("na27");
    PressKey('F', true);
    TypeText("bw700.exe");
    PressKey('L', true);  // Alt+L: the folder's button
    PressKey(VK_SPACE);
    Click(wnd, "&OK");
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(shown, (Lines{"WTT", "SCR", "bw500", "c:\\Program Files\\BibleWorks 5"}));
  EXPECT_EQ(tabOrder, (Lines{"WTT", "SCR", "bw500", "folder", "&OK", "Cancel"}));
  EXPECT_EQ(picker.StartedAt, Lines{"c:\\Program Files\\BibleWorks 5"});
  EXPECT_EQ(ReadSettingString("S1"), "BHS");
  EXPECT_EQ(ReadSettingString("S2"), "na2");
  EXPECT_EQ(ReadSettingString("BibleWorks Filename"), "bw700.exe");
  EXPECT_EQ(ReadSettingString("BibleWorks Folder"), "D:\\Bible Programs\\BW7");
}

TEST_F(FolderSettingsTest, BibleWorksSettingsCancelAndACancelledBrowserChangeNothing) {
  const auto before = StoredSettings();
  std::unique_ptr<TBibleWorksSettingsDialog> dialog(new TBibleWorksSettingsDialog(nullptr));
  FolderPicker picker;  // picks nothing
  std::string folderShown;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "c:\\Program Files\\BibleWorks 5");
    folderShown = TextOf(dialog->FolderButton->GetHandle());
    picker.Pick = "E:\\Elsewhere";
    Click(wnd, "c:\\Program Files\\BibleWorks 5");
    SetWindowTextA(dialog->HebrewEdit->GetHandle(), "XYZ");
    Click(wnd, "Cancel");
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(folderShown, "c:\\Program Files\\BibleWorks 5");
  EXPECT_EQ(picker.StartedAt.size(), 2u);
  EXPECT_EQ(StoredSettings(), before);
}

// --- Paratext settings --------------------------------------------------------------------------

TEST_F(FolderSettingsTest, ParatextProjectsFolderIsTypedOrBrowsed) {
  struct Row {
    const char* Name;
    const char* Picked;  // by the browser; nullptr: typed instead
    const char* Typed;
    const char* Stored;
  } rows[] = {
      {"browsed: a trailing backslash is added", "D:\\Translation\\Projects", nullptr, "D:\\Translation\\Projects\\"},
      {"browsed drive root", "E:\\", nullptr, "E:\\"},
      {"typed as it is", nullptr, "F:\\My Projects", "F:\\My Projects"},
  };
  for (const Row& r : rows) {
    MyReg->SetParatextProjectsFolder("C:\\My Paratext Projects\\");
    std::unique_ptr<TParatextSettingsDialog> dialog(new TParatextSettingsDialog(nullptr));
    FolderPicker picker;
    if (r.Picked) picker.Pick = r.Picked;
    std::string shown, focused;
    const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
      shown = TextOf(dialog->FolderEdit->GetHandle());
      focused = FocusedText();
      if (r.Picked) {
        PressKey('B', true);  // Alt+B: Browse
      } else {
        PressKey('M', true);  // Alt+M: the folder, all of it selected
        TypeText(r.Typed);
      }
      SaveScreenshot(wnd, "paratext-settings");
      PressKey(VK_RETURN);
    });
    EXPECT_EQ(result, mrOk) << r.Name;
    EXPECT_EQ(shown, "C:\\My Paratext Projects\\") << r.Name;
    EXPECT_EQ(focused, "C:\\My Paratext Projects\\") << r.Name;
    EXPECT_EQ(picker.StartedAt, r.Picked ? Lines{"C:\\My Paratext Projects"} : Lines{}) << r.Name;
    EXPECT_EQ(ReadSettingString("S6"), r.Stored) << r.Name;
  }
}

TEST_F(FolderSettingsTest, ParatextSettingsCancelChangesNothing) {
  const auto before = StoredSettings();
  std::unique_ptr<TParatextSettingsDialog> dialog(new TParatextSettingsDialog(nullptr));
  FolderPicker picker;
  picker.Pick = "D:\\Other";
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, "&Browse...");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(StoredSettings(), before);
}

}  // namespace
