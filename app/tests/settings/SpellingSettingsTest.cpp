// The spelling settings dialog: the helper application chosen with a file dialog, the spell
// component's options, and checking the books' spelling again.
#include <memory>
#include <string>
#include <vector>

#include "app/SpellingSettingsUnit.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"
#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3SpellBase.h"

namespace {

using namespace dialog_testing;
using app_testing::FileLines;
using app_testing::ItemsOf;
using app_testing::Lines;
using testing_support::PressDialogButton;
using testing_support::SaveScreenshot;

const char kHelperBox[] = "Use a helper application for spelling check";

// Answers the file dialog: records how it was set up and picks a file, or cancels.
struct FilePicker : TDialogResponder {
  FilePicker() : previous(SetDialogResponder(this)) {}
  ~FilePicker() override { SetDialogResponder(previous); }
  bool Execute(TCommonDialog* dialog) override {
    auto* open = static_cast<TOpenDialog*>(dialog);
    Asked.push_back(open->Filter + "|" + open->InitialDir + "|" + open->FileName);
    if (Pick.empty()) return false;
    open->FileName = Pick;
    return true;
  }
  TDialogResponder* previous;
  std::string Pick;
  Lines Asked;
};

class SpellingSettingsTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    background_ = std::make_unique<app_testing::Background>();
  }
  void TearDown() override {
    background_.reset();
    AppTest::TearDown();
  }

  std::unique_ptr<TSpellingSettingsDialog> Dialog(TLexemeSpell3Base* spell = nullptr) {
    return std::unique_ptr<TSpellingSettingsDialog>(new TSpellingSettingsDialog(nullptr, spell, background_->Book.get()));
  }
  bool LabelShown(TSpellingSettingsDialog* dialog) { return dialog->HelperLabel->GetVisible(); }

  std::unique_ptr<app_testing::Background> background_;
};

TEST_F(SpellingSettingsTest, CheckingTheHelperBoxAsksForTheProgram) {
  WriteSettingString("Spelling helper application", "C:\\Tools\\OldHelper.exe");
  auto dialog = Dialog();
  FilePicker picker;
  picker.Pick = "D:\\Spell\\SpellHelper.exe";
  bool shownAtStart = true, shownAfter = false;
  std::string path;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    shownAtStart = LabelShown(dialog.get());
    Click(wnd, kHelperBox);
    shownAfter = LabelShown(dialog.get());
    path = dialog->HelperLabel->GetCaption();
    ProcessFor(50);
    SaveScreenshot(wnd, "spelling-settings");
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(shownAtStart);
  EXPECT_TRUE(shownAfter);
  EXPECT_EQ(path, "D:\\Spell\\SpellHelper.exe");
  EXPECT_EQ(picker.Asked, Lines{"Executables|*.exe|C:\\Tools\\|OldHelper.exe"});
  EXPECT_EQ(ReadSettingString("B3"), "-1");
  EXPECT_EQ(ReadSettingString("Spelling helper application"), "D:\\Spell\\SpellHelper.exe");

  // Unchecked again: no question, the label goes, OK stores the box.
  auto again = Dialog();
  RunModal(again.get(), [&](HWND wnd) {
    shownAtStart = LabelShown(again.get());
    Click(wnd, kHelperBox);
    shownAfter = LabelShown(again.get());
    Click(wnd, "OK");
  });
  EXPECT_TRUE(shownAtStart);
  EXPECT_FALSE(shownAfter);
  EXPECT_EQ(picker.Asked.size(), 1u);
  EXPECT_EQ(ReadSettingString("B3"), "0");
  EXPECT_EQ(ReadSettingString("Spelling helper application"), "D:\\Spell\\SpellHelper.exe");
}

TEST_F(SpellingSettingsTest, CancellingTheFileDialogUnchecksTheBoxAndCancelStoresNothing) {
  WriteSettingString("Spelling helper application", "C:\\Tools\\OldHelper.exe");
  const auto before = StoredSettings();
  auto dialog = Dialog();
  FilePicker picker;  // cancels
  bool checked = true, shown = true;
  std::string focused;
  RunModal(dialog.get(), [&](HWND wnd) {
    // Without a spell component the options button is disabled: the box has the focus.
    focused = FocusedText();
    PressKey(VK_SPACE);  // checks it by hand
    checked = IsChecked(wnd, kHelperBox);
    shown = LabelShown(dialog.get());
    picker.Pick = "D:\\Spell\\SpellHelper.exe";
    Click(wnd, kHelperBox);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(focused, kHelperBox);
  EXPECT_EQ(picker.Asked.size(), 2u);
  EXPECT_FALSE(checked);
  EXPECT_FALSE(shown);
  EXPECT_EQ(StoredSettings(), before);
}

TEST_F(SpellingSettingsTest, SpellingOptionsOpenTheSpellComponentsOptions) {
  TLexemeSpell3Base spell(nullptr);
  std::vector<TComponent*> owners;
  spell.OnShowConfigDialog = TShowDialogEvent::FromFunction([&](TObject*, TComponent* owner) { owners.push_back(owner); });
  auto dialog = Dialog(&spell);
  RunModal(dialog.get(), [&](HWND wnd) {
    PressKey('S', true);  // Alt+S
    Click(wnd, "Cancel");
  });
  EXPECT_EQ(owners, std::vector<TComponent*>{dialog.get()});

  // Without a spell component there are no options to show.
  auto without = Dialog();
  bool enabled = true;
  RunModal(without.get(), [&](HWND wnd) {
    enabled = IsWindowEnabled(Child(wnd, "&Spelling options"));
    Click(wnd, "Cancel");
  });
  EXPECT_FALSE(enabled);
}

TEST_F(SpellingSettingsTest, CheckAllBooksAgainForgetsTheSpellingOfTheChosenTestament) {
  struct Row {
    const char* Testament;  // the radio button clicked
    const char* Message;
    bool GenesisForgotten;
    bool MatthewForgotten;
  } rows[] = {
      {"&Old Testament", "The Old Testament will be checked again in the background", true, false},
      {"&New Testament", "The New Testament will be checked again in the background", false, true},
      {"&Both Testaments", "Both Testaments will be checked again in the background", true, true},
  };
  const Lines genesis = {"1234", "2", "[spelling errors]", "Adma", "Zeboim", "[mechanical errors]",
                         "GEN 1:1 ...beginning - Capital missing", "[exceptions]", "GEN 2:4 ...ignored"};
  const Lines matthew = {"5678", "1", "[spelling errors]", "Bethsaida", "[mechanical errors]", "[exceptions]"};
  const Lines genesisForgotten = {"0", "0", "[spelling errors]", "[mechanical errors]",
                                  "GEN 1:1 ...beginning - Capital missing", "[exceptions]", "GEN 2:4 ...ignored"};
  const Lines matthewForgotten = {"0", "0", "[spelling errors]", "[mechanical errors]", "[exceptions]"};
  for (const Row& r : rows) {
    auto write = [](const std::string& path, const Lines& lines) {
      std::string bytes;
      for (const std::string& line : lines) bytes += line + "\r\n";
      testing_support::WriteFileBytes(path, bytes);
    };
    write(ResultsPath("Genesis"), genesis);
    write(ResultsPath("Matthew"), matthew);
    background_->Book->KnownBadWords->Add("Adma");
    background_->Book->BookSpellingErrors->Add("Adma");
    auto dialog = Dialog();
    std::string message;
    const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
      WindowWatch testament("Testament selection", [&](HWND choice) {
        Click(choice, r.Testament);
        Click(choice, "OK");
      });
      WindowWatch box("Pelorin", [&](HWND msg) {
        message = TextOf(GetDlgItem(msg, 0xFFFF));
        PressDialogButton(msg, IDOK);
      });
      Click(wnd, "&Check all books again");
      Click(wnd, "Cancel");
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(message, r.Message);
    EXPECT_EQ(FileLines(ResultsPath("Genesis")), r.GenesisForgotten ? genesisForgotten : genesis) << r.Testament;
    EXPECT_EQ(FileLines(ResultsPath("Matthew")), r.MatthewForgotten ? matthewForgotten : matthew) << r.Testament;
    EXPECT_EQ(background_->Book->KnownBadWords->GetCount(), 0);
    EXPECT_EQ(background_->Book->BookSpellingErrors->GetCount(), 0);
    EXPECT_FALSE(FileExists(ResultsPath("Exodus")));
  }
}

TEST_F(SpellingSettingsTest, CheckAllBooksAgainCancelledForgetsNothing) {
  testing_support::WriteFileBytes(ResultsPath("Matthew"), "5678\r\n1\r\n[spelling errors]\r\nBethsaida\r\n");
  background_->Book->KnownBadWords->Add("Bethsaida");
  auto dialog = Dialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    WindowWatch testament("Testament selection", [&](HWND choice) { Click(choice, "Cancel"); });
    Click(wnd, "&Check all books again");
    Click(wnd, "Cancel");
  });
  EXPECT_EQ(FileLines(ResultsPath("Matthew")), (Lines{"5678", "1", "[spelling errors]", "Bethsaida"}));
  EXPECT_EQ(background_->Book->KnownBadWords->GetCount(), 1);
}

}  // namespace
