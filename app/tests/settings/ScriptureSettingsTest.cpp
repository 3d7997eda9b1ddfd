// The Scripture settings dialog: the project choice with its versification and style sheet, the
// character settings and bracket pairs, and the list files moved to their present names.
#include <memory>
#include <string>
#include <vector>

#include "app/SentenceSettingsUnit.h"
#include "app/tests/support/DialogDriver.h"
#include "app/tests/support/AppTestSupport.h"
#include "classlib/StdCtrls.h"

namespace {

using namespace dialog_testing;
using app_testing::FileLines;
using app_testing::ItemsOf;
using app_testing::Lines;
using core_testing::CrLf;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

class ScriptureSettingsTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteProject("OTH", "Other Project", "", ".SFM", "other.sty", "1");
    CreateDirectoryA((Projects() + "OTH").c_str(), nullptr);
  }
  std::string OtherFolder() const { return Projects() + "OTH\\"; }
  std::string OtherWork() const { return OtherFolder() + "Pelorin\\"; }
};

TEST_F(ScriptureSettingsTest, ShowsTheProjectsAndStoresEverythingWithOk) {
  std::unique_ptr<TSentenceSettings> dialog(new TSentenceSettings(nullptr));
  Lines projects, edits, labelsBefore, labelsAfter, memo;
  int selected = -1;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    projects = ItemsOf(dialog->ProjectComboBox->GetItems());
    selected = dialog->ProjectComboBox->GetItemIndex();
    labelsBefore = {dialog->VersificationLabel->GetCaption(), dialog->StyleSheetLabel->GetCaption()};
    for (TEdit* e : {dialog->EndersEdit, dialog->IndifferentEdit, dialog->NonAdjacentEdit, dialog->RightOfQuotesEdit,
                     dialog->SmallLettersEdit, dialog->CapitalsEdit, dialog->ExtraCharsEdit, dialog->FilteredOutEdit})
      edits.push_back(TextOf(e->GetHandle()));
    memo = ItemsOf(dialog->BracketsMemo->GetLines());
    // The other project, chosen with the keyboard in the list that has the focus.
    const int other = static_cast<int>(std::find(projects.begin(), projects.end(), "Other Project") - projects.begin());
    PressKey(other > selected ? VK_DOWN : VK_UP);
    labelsAfter = {dialog->VersificationLabel->GetCaption(), dialog->StyleSheetLabel->GetCaption()};
    PressKey(VK_TAB);  // End of sentence
    TypeText(".?!");
    SetFocus(dialog->ExtraCharsEdit->GetHandle());
    TypeText("-'");
    SetFocus(dialog->BracketsMemo->GetHandle());
    const WPARAM end = GetWindowTextLengthA(dialog->BracketsMemo->GetHandle());
    SendMessageA(dialog->BracketsMemo->GetHandle(), EM_SETSEL, end, end);
    TypeText("\r");
    SendMessageA(dialog->BracketsMemo->GetHandle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\xAB\xBB"));
    ProcessFor(30);
    SaveScreenshot(wnd, "scripture-settings");
    Click(wnd, "&OK");
  });
  EXPECT_EQ(result, mrOk);
  std::sort(projects.begin(), projects.end());
  EXPECT_EQ(projects, (Lines{"Other Project", "Test Project"}));
  EXPECT_EQ(labelsBefore, (Lines{"Versification: English", "Stylesheet: " + Projects() + "test.sty"}));
  EXPECT_EQ(labelsAfter, (Lines{"Versification: Original", "Stylesheet: " + Projects() + "other.sty"}));
  EXPECT_EQ(edits, (Lines{".:?!", "[]{}()<>\"-", ",.:;?![{(", ",.;?!", "abcdefghijklmnopqrstuvwxyz",
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "", "[]"}));
  EXPECT_EQ(memo, (Lines{"[]", "{}", "()", "<>"}));

  EXPECT_EQ(ReadSettingString("S7"), "Other Project");
  EXPECT_EQ(ReadSettingString("Sentence Enders"), ".?!");
  EXPECT_EQ(ReadSettingString("Extra chars in text"), "-'");
  EXPECT_EQ(ReadSettingString("Sentence Indifferent Characters"), "[]{}()<>\"-");
  EXPECT_EQ(ReadSettingString("Capitals"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(ReadFileBytes(ProgramFolder + "brackets.txt"), CrLf({"[]", "{}", "()", "<>", "\xAB\xBB"}));
}

TEST_F(ScriptureSettingsTest, CancelChangesNothing) {
  const auto before = StoredSettings();
  const std::string brackets = ReadFileBytes(ProgramFolder + "brackets.txt");
  WriteFileBytes(OtherFolder() + "names.txt", "Abram\r\n");
  std::unique_ptr<TSentenceSettings> dialog(new TSentenceSettings(nullptr));
  const Integer result = RunModal(dialog.get(), [&](HWND) {
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    PressKey(VK_TAB);
    TypeText("x");
    SetWindowTextA(dialog->BracketsMemo->GetHandle(), "");
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(StoredSettings(), before);
  EXPECT_EQ(ReadFileBytes(ProgramFolder + "brackets.txt"), brackets);
  EXPECT_TRUE(FileExists(OtherFolder() + "names.txt"));
  EXPECT_FALSE(FileExists(OtherWork() + "ApprovedNames.txt"));
}

TEST_F(ScriptureSettingsTest, OldListFilesGetTheirPresentNames) {
  struct Row {
    std::string Old;
    std::string New;
  };
  const std::string program = ProgramFolder;
  const std::vector<Row> rows = {
      {OtherFolder() + "names.txt", "ApprovedNames.txt"},
      {OtherFolder() + "nonames.txt", "DisapprovedNames.txt"},
      {OtherFolder() + "namescomparison.txt", "ComparedNames.txt"},
      {program + "ffottra.txt", "FloraFaunaOTTranslation.txt"},
      {program + "ffnttra.txt", "FloraFaunaNTTranslation.txt"},
      {program + "bwnttra.txt", "BorrowedWordsNTTranslation.txt"},
      {program + "kwottra.txt", "KeyWordsOTTranslation.txt"},
      {OtherFolder() + "bookstarget.txt", "HeadingsOfBooks.txt"},
      {OtherFolder() + "hyphenation.txt", "HyphenatedWords.txt"},
      {program + "unwantedwords.txt", "UnwantedWords.txt"},
  };
  for (const Row& r : rows) WriteFileBytes(r.Old, "first of " + r.New + "\nsecond\r\n");
  // A list that has its present name already keeps it, and the old one stays too.
  WriteFileBytes(OtherWork() + "HyphenatedWords.txt", "hy-phen\r\n");

  std::unique_ptr<TSentenceSettings> dialog(new TSentenceSettings(nullptr));
  RunModal(dialog.get(), [&](HWND wnd) {
    dialog->ProjectComboBox->SetItemIndex(dialog->ProjectComboBox->GetItems()->IndexOf("Other Project"));
    Click(wnd, "&OK");
  });
  for (const Row& r : rows) {
    if (r.New == "HyphenatedWords.txt") {
      EXPECT_EQ(FileLines(OtherWork() + r.New), Lines{"hy-phen"});
      EXPECT_TRUE(FileExists(r.Old));
      continue;
    }
    EXPECT_EQ(ReadFileBytes(OtherWork() + r.New), "first of " + r.New + "\r\nsecond\r\n") << r.New;
    EXPECT_FALSE(FileExists(r.Old)) << r.Old;
  }
  // The project that was current is left alone.
  EXPECT_FALSE(FileExists(WorkFolder() + "ApprovedNames.txt"));
}

TEST_F(ScriptureSettingsTest, AListFileThatCannotBeWrittenKeepsItsOldFile) {
  const std::string old = OtherFolder() + "names.txt";
  WriteFileBytes(old, "Abram\r\n");
  // The work folder's place is taken by a file: no list can be saved there.
  WriteFileBytes(OtherFolder() + "Pelorin", "");
  MigrateListFile(old, OtherWork() + "ApprovedNames.txt");
  EXPECT_EQ(ReadFileBytes(old), "Abram\r\n");
  // Nothing to move, or nowhere to move it.
  MigrateListFile(OtherFolder() + "missing.txt", OtherFolder() + "new.txt");
  EXPECT_FALSE(FileExists(OtherFolder() + "new.txt"));
}

}  // namespace
