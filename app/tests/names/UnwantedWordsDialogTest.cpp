// The unwanted words dialog: entries typed as the labels say (text, Tab, tick, Tab, comment, Tab,
// Enter), words that can never be found refused, removing, searching the list, and "&OK".
#include <memory>

#include "app/UnwantedWordsUnit.h"
#include "app/tests/names/NamesDialogsSupport.h"

namespace {

using namespace names_testing;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WriteFileBytes;

class UnwantedWordsDialogTest : public app_testing::AppTest {
protected:
  std::string ListFile() const { return WorkFolder() + "UnwantedWords.txt"; }
  // Types an entry into the three steps and presses Enter on "&Enter word".
  static void Enter(const std::string& text, const std::string& comment) {
    TypeText(text);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    TypeText(comment);
    PressKey(VK_TAB);
    EXPECT_EQ(FocusedText(), "&Enter word");
    PressKey(VK_RETURN);
  }
};

TEST_F(UnwantedWordsDialogTest, EntriesTypedRefusedRemovedAndSaved) {
  WriteFileBytes(ListFile(), CrLf({"Herr (word) (German)"}));
  std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
  Lines statuses, selected;
  bool tickedAfterBlank = true, tickedAgain = false;
  std::string focusedAfterEnter;
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    EXPECT_EQ(FocusedText(), "");  // the word edit has the focus
    Enter("thee", "archaic");
    statuses.push_back(d->Status->GetCaption());
    focusedAfterEnter = GetFocus() == d->Edit1->GetHandle() ? "Edit1" : "";
    selected = SelectedLines(d->ListBox1);

    TypeText("holy ghost");
    tickedAfterBlank = d->CheckBox1->GetChecked();
    Enter("", "");  // the blank made it a phrase
    tickedAgain = d->CheckBox1->GetChecked();
    TypeText("4th");
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_RETURN);
    statuses.push_back(d->Status->GetCaption());

    // An empty word adds nothing and says nothing, but counts as a change.
    d->Status->SetCaption("");
    ClickOn(wnd, "&Enter word");
    statuses.push_back(d->Status->GetCaption());
    SaveScreenshot(wnd, "unwanted-words");

    ClickLine(d->ListBox1, 1);  // holy ghost
    ClickOn(wnd, "&Remove word");
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(statuses, (Lines{"Word added.", "This word won't produce any result. Not added.", ""}));
  EXPECT_EQ(focusedAfterEnter, "Edit1");
  EXPECT_EQ(selected, (Lines{"thee (word) (archaic)"}));
  EXPECT_FALSE(tickedAfterBlank);
  EXPECT_TRUE(tickedAgain);
  EXPECT_EQ(result, 6);
  EXPECT_EQ(ReadFileBytes(ListFile()), CrLf({"Herr (word) (German)", "thee (word) (archaic)"}));
}

TEST_F(UnwantedWordsDialogTest, APhraseMayHoldWhatAWordMayNot) {
  std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    TypeText("well-known");
    PressKey(VK_TAB);
    PressKey(VK_SPACE);  // untick "Search for whole words"
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_RETURN);
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(result, 6);
  EXPECT_EQ(ReadFileBytes(ListFile()), CrLf({"well-known (phrase) ()"}));
}

TEST_F(UnwantedWordsDialogTest, SearchStepsThroughTheLinesThatHoldThePhrase) {
  WriteFileBytes(ListFile(), CrLf({"Herr (word) (German)", "lord god (phrase) ()", "Mein HERR (phrase) (German)"}));
  std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
  Lines statuses;
  std::vector<Lines> selections;
  const Integer result = RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&Search");
    statuses.push_back(d->Status->GetCaption());
    ClickOn(d->Edit3);
    TypeText("GERMAN");
    for (int i = 0; i < 4; ++i) {
      ClickOn(wnd, "&Search");
      statuses.push_back(d->Status->GetCaption());
      selections.push_back(SelectedLines(d->ListBox1));
    }
    ClickOn(wnd, "Cancel");
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(statuses, (Lines{"First enter phrase, then press the Search button", "Phrase found", "Phrase found",
                             "Phrase found", "Phrase found"}));
  EXPECT_EQ(selections, (std::vector<Lines>{{"Herr (word) (German)"},
                                            {"Mein HERR (phrase) (German)"},
                                            {"Herr (word) (German)"},
                                            {"Mein HERR (phrase) (German)"}}));
}

// The search typed in capitals finds an entry written in small letters, accented letters too.
TEST_F(UnwantedWordsDialogTest, SearchIgnoresTheCaseOfAccentedLetters) {
  WriteFileBytes(ListFile(), CrLf({"Herr (word) (German)", "se\xF1or (word) (Dios)"}));
  std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
  std::string typed, status;
  Lines selected;
  RunModal(d.get(), [&](HWND wnd) {
    ClickOn(d->Edit3);
    TypeText("SE\xD1OR");
    typed = d->Edit3->GetText();
    ClickOn(wnd, "&Search");
    status = d->Status->GetCaption();
    selected = SelectedLines(d->ListBox1);
    SaveScreenshot(wnd, "unwanted-words-accented-search");
    ClickOn(wnd, "Cancel");
  });
  EXPECT_EQ(typed, "SE\xD1OR");
  EXPECT_EQ(status, "Phrase found");
  EXPECT_EQ(selected, (Lines{"se\xF1or (word) (Dios)"}));
}

TEST_F(UnwantedWordsDialogTest, RemovingNothingIsAChangeAndCancelSavesNothing) {
  {
    std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
    EXPECT_EQ(RunModal(d.get(),
                       [&](HWND wnd) {
                         ClickOn(wnd, "&Remove word");
                         ClickOn(wnd, "Cancel");
                       }),
              mrCancel);
  }
  EXPECT_FALSE(FileExists(ListFile()));
  std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
  EXPECT_EQ(RunModal(d.get(),
                     [&](HWND wnd) {
                       ClickOn(wnd, "&Remove word");
                       ClickOn(wnd, "&OK");
                     }),
            6);
  EXPECT_EQ(ReadFileBytes(ListFile()), "");
}

}  // namespace

namespace {

using namespace names_testing;

class UnwantedWordsSaveTest : public app_testing::AppTest {};

// When the list cannot replace its file (another program holds it open), the old file stays whole,
// a message says so, and the dialog stays open so that the entries are not lost.
TEST_F(UnwantedWordsSaveTest, AListThatCannotBeSavedKeepsTheOldFileAndTheDialog) {
  const std::string file = WorkFolder() + "UnwantedWords.txt";
  testing_support::WriteFileBytes(file, CrLf({"Herr (word) (German)"}));
  std::unique_ptr<TUnwantedWordsDlg> d(new TUnwantedWordsDlg(nullptr));
  std::string message, whileHeld;
  bool openAfterOk = false;
  Integer result = 0;
  {
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    result = RunModal(d.get(), [&](HWND wnd) {
      TypeText("thee");
      ClickOn(wnd, "&Enter word");
      testing_support::WindowWatch box("Pelorin", [&](HWND w) {
        char text[512] = {};
        GetDlgItemTextA(w, 0xFFFF, text, sizeof text);
        message = text;
        testing_support::SaveScreenshot(w, "unwanted-words-not-saved");
        testing_support::PressDialogButton(w, IDOK);
      });
      ClickOn(wnd, "&OK");
      PumpUntil([&] { return box.Done(); });
      ProcessFor(100);
      openAfterOk = IsWindowVisible(wnd);
      whileHeld = testing_support::ReadFileBytes(file);
      CloseHandle(held);
      ClickOn(wnd, "&OK");
    });
  }
  EXPECT_EQ(message.rfind("The list cannot be saved as " + file + ": ", 0), 0u) << message;
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(whileHeld, CrLf({"Herr (word) (German)"}));
  EXPECT_EQ(result, 6);
  EXPECT_EQ(testing_support::ReadFileBytes(file), CrLf({"Herr (word) (German)", "thee (word) ()"}));
}

}  // namespace
