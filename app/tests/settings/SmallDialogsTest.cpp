// The testament choice and the mechanical proofreading settings, driven by clicks and keys.
#include <memory>
#include <string>
#include <vector>

#include "app/MechanicalSettingsUnit.h"
#include "app/OTNTDialogUnit.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/AppTestSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"

namespace {

using namespace dialog_testing;
using testing_support::SaveScreenshot;

class SmallDialogsTest : public app_testing::AppTest {};

TEST_F(SmallDialogsTest, TestamentIsPresetAndStoredWithOk) {
  struct Row {
    const char* Stored;  // "I4" before
    const char* Click;   // the radio button clicked, or nullptr
    Integer Preset;
    const char* StoredAfterOk;
  } rows[] = {
      {"0", "&New Testament", 0, "1"},
      {"2", "&Old Testament", 2, "0"},
      {"1", nullptr, 1, "1"},
      {"", "&Both Testaments", 0, "2"},
  };
  for (const Row& r : rows) {
    WriteSettingString("I4", r.Stored);
    FinalizeMyRegistry();
    InitializeMyRegistry();
    std::unique_ptr<TOTNTDialog> dialog(new TOTNTDialog(nullptr));
    Integer preset = -1;
    const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
      preset = dialog->TestamentRadioGroup->GetItemIndex();
      if (r.Click) Click(wnd, r.Click);
      Click(wnd, "OK");
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(preset, r.Preset) << r.Stored;
    EXPECT_EQ(ReadSettingString("I4"), r.StoredAfterOk) << r.Stored;
    EXPECT_EQ(MyReg->GetTestament(), StrToInt(r.StoredAfterOk));
  }
}

TEST_F(SmallDialogsTest, TestamentCancelledByKeyChangesNothing) {
  MyReg->SetTestament(1);
  const auto before = StoredSettings();
  std::unique_ptr<TOTNTDialog> dialog(new TOTNTDialog(nullptr));
  std::string focused;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    SaveScreenshot(wnd, "testament-selection");
    focused = FocusedText();
    PressKey('O', true);  // Alt+O: Old Testament
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(focused, "&New Testament");
  EXPECT_EQ(StoredSettings(), before);
  EXPECT_EQ(MyReg->GetTestament(), 1);
}

TEST_F(SmallDialogsTest, TestamentChosenByKeysAndConfirmedWithEnter) {
  MyReg->SetTestament(0);
  WindowWatch watch("Testament selection", [](HWND wnd) {
    SetForegroundWindow(wnd);
    PressKey('B', true);  // Alt+B: Both Testaments
    PressKey(VK_RETURN);
  });
  EXPECT_TRUE(ChooseTestament(nullptr));
  EXPECT_TRUE(watch.Done());
  EXPECT_EQ(ReadSettingString("I4"), "2");

  // Ranges of book numbers of the three choices.
  int first = 0, last = 0;
  TOTNTDialog::BookRange(0, first, last);
  EXPECT_EQ(std::make_pair(first, last), std::make_pair(1, 39));
  TOTNTDialog::BookRange(1, first, last);
  EXPECT_EQ(std::make_pair(first, last), std::make_pair(40, 66));
  TOTNTDialog::BookRange(2, first, last);
  EXPECT_EQ(std::make_pair(first, last), std::make_pair(1, 66));
}

// --- Mechanical proofreading settings ------------------------------------------------------------

const char kWhiteSpace[] = "Automatically check &white space";
const char kUSFM[] = "Automatically check &USFMs";
const char kStructure[] = "Automatically check &structure";

TEST_F(SmallDialogsTest, ChecksNeedTheChecksBeforeThem) {
  struct Row {
    const char* Name;
    bool Stored[3];
    const char* Click;
    bool Shown[3];
  } rows[] = {
      {"structure alone checks the two others", {false, false, false}, kStructure, {true, true, true}},
      {"markers check white space", {false, false, false}, kUSFM, {true, true, false}},
      {"white space alone", {false, false, false}, kWhiteSpace, {true, false, false}},
      {"unchecking white space unchecks the others", {true, true, true}, kWhiteSpace, {false, false, false}},
      {"unchecking markers unchecks structure", {true, true, true}, kUSFM, {true, false, false}},
      {"unchecking structure alone", {true, true, true}, kStructure, {true, true, false}},
      {"a stored gap is shown as it is until a click", {false, false, true}, kUSFM, {true, true, true}},
  };
  for (const Row& r : rows) {
    MyReg->SetWhiteSpaceCheck(r.Stored[0]);
    MyReg->SetUSFMCheck(r.Stored[1]);
    MyReg->SetStructureCheck(r.Stored[2]);
    std::unique_ptr<TMechanicalSettingsDialog> dialog(new TMechanicalSettingsDialog(nullptr));
    bool before[3] = {}, after[3] = {};
    RunModal(dialog.get(), [&](HWND wnd) {
      for (int i = 0; i < 3; ++i) before[i] = IsChecked(wnd, (const char*[]){kWhiteSpace, kUSFM, kStructure}[i]);
      Click(wnd, r.Click);
      for (int i = 0; i < 3; ++i) after[i] = IsChecked(wnd, (const char*[]){kWhiteSpace, kUSFM, kStructure}[i]);
      Click(wnd, "OK");
    });
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(before[i], r.Stored[i]) << r.Name << " box " << i;
      EXPECT_EQ(after[i], r.Shown[i]) << r.Name << " box " << i;
    }
    EXPECT_EQ(ReadSettingString("B2"), r.Shown[0] ? "-1" : "0") << r.Name;
    EXPECT_EQ(ReadSettingString("B8"), r.Shown[1] ? "-1" : "0") << r.Name;
    EXPECT_EQ(ReadSettingString("B9"), r.Shown[2] ? "-1" : "0") << r.Name;
  }
}

TEST_F(SmallDialogsTest, SpeedIsATrackBarPositionOfSevenIntervals) {
  struct Row {
    const char* Stored;  // "I7"
    int Position;
  } rows[] = {{"800", 0}, {"400", 1}, {"200", 2}, {"100", 3}, {"30", 4}, {"5", 5}, {"1", 6}, {"77", 3}, {"0", 3}};
  for (const Row& r : rows) {
    WriteSettingString("I7", r.Stored);
    FinalizeMyRegistry();
    InitializeMyRegistry();
    std::unique_ptr<TMechanicalSettingsDialog> dialog(new TMechanicalSettingsDialog(nullptr));
    int shown = -1;
    RunModal(dialog.get(), [&](HWND wnd) {
      shown = static_cast<int>(SendMessageA(dialog->SpeedTrackBar->GetHandle(), TBM_GETPOS, 0, 0));
      Click(wnd, "Cancel");
    });
    EXPECT_EQ(shown, r.Position) << r.Stored;
    EXPECT_EQ(ReadSettingString("I7"), r.Stored) << "Cancel keeps " << r.Stored;
  }
}

TEST_F(SmallDialogsTest, MechanicalSettingsByKeyboard) {
  MyReg->SetWhiteSpaceCheck(false);
  MyReg->SetUSFMCheck(false);
  MyReg->SetStructureCheck(false);
  MyReg->SetMechanicalSpeed(100);
  std::unique_ptr<TMechanicalSettingsDialog> dialog(new TMechanicalSettingsDialog(nullptr));
  std::vector<std::string> tabOrder;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    for (int i = 0; i < 6; ++i) {
      tabOrder.push_back(GetFocus() == dialog->SpeedTrackBar->GetHandle() ? "track bar" : FocusedText());
      PressKey(VK_TAB);
    }
    PressKey('S', true);        // Alt+S: structure, and with it the two others
    PressKey(VK_TAB);           // on to the track bar
    PressKey(VK_RIGHT);         // one step faster: 30 ms
    SaveScreenshot(wnd, "mechanical-proofreading");
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(tabOrder, (std::vector<std::string>{kWhiteSpace, kUSFM, kStructure, "track bar", "OK", "Cancel"}));
  EXPECT_EQ(ReadSettingString("B2"), "-1");
  EXPECT_EQ(ReadSettingString("B8"), "-1");
  EXPECT_EQ(ReadSettingString("B9"), "-1");
  EXPECT_EQ(ReadSettingString("I7"), "30");
}

TEST_F(SmallDialogsTest, MechanicalSettingsCancelChangesNothing) {
  MyReg->SetUSFMCheck(true);
  const auto before = StoredSettings();
  std::unique_ptr<TMechanicalSettingsDialog> dialog(new TMechanicalSettingsDialog(nullptr));
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    Click(wnd, kStructure);
    SendMessageA(dialog->SpeedTrackBar->GetHandle(), TBM_SETPOS, TRUE, 6);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(StoredSettings(), before);
}

}  // namespace
