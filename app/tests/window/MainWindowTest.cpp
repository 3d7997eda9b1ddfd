// The main window in the test's own process, driven by messages as a user drives it: the first
// cycle over the demonstration project, menu commands, the fonts dialog, ignoring a message from
// the results list and taking it back, opening a book by hand, and closing with a changed book.
#include <algorithm>
#include <memory>

#include "app/BookEditor.h"
#include "app/BookResults.h"
#include "app/CheckingCycle.h"
#include "app/MechanicalRun.h"
#include "app/UnitMain.h"
#include "controls/VisAboutDlg.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/DialogDriver.h"
#include "classlib/Clipbrd.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"
#include "classlib/Clipbrd.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"
#include "richtext/edit/UVEdit.h"
#include "spell/lx3SpellDialog.h"
#include "spell/richtext/lx3UzurUvadCmpnts.h"

namespace {

using namespace app_testing;
using testing_support::FindOwnWindow;
using testing_support::PressDialogButton;
using testing_support::PumpUntil;
using testing_support::SaveScreenshot;
using testing_support::WindowWatch;

std::vector<std::string> g_started;
bool RecordStart(const AnsiString& commandLine) {
  g_started.push_back(commandLine);
  return true;
}

// Clicks the button with the caption among the window's children (any depth).
void ClickChild(HWND parent, const char* caption) {
  struct Search {
    const char* caption;
    HWND found;
  } search{caption, nullptr};
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char text[256] = {};
        GetWindowTextA(wnd, text, sizeof text);
        if (std::string(text) != s->caption) return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  ASSERT_TRUE(search.found) << caption;
  SendMessageA(search.found, BM_CLICK, 0, 0);
}

class MainWindowTest : public AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    g_started.clear();
    StartProgram = &RecordStart;
  }
  void TearDown() override {
    delete form_;
    AppTest::TearDown();
  }

  TMainScreen* Open() {
    form_ = new TMainScreen(Application);
    form_->AfterConstruction();
    form_->Show();
    return form_;
  }
  std::string Panel(int i) const { return form_->StatusBar1->GetPanels()->GetItems(i)->GetText(); }
  bool WaitForCycle(DWORD ms = 20000) {
    return PumpUntil([&] { return form_->Cycle->State == 0 && form_->Mechanical->Idle(); }, ms);
  }
  void Command(const char* item) {
    auto* menuItem = static_cast<TMenuItem*>(form_->FindComponent(item));
    ASSERT_TRUE(menuItem) << item;
    PostMessageA(form_->GetHandle(), WM_COMMAND, menuItem->GetCommand(), 0);
  }
  // Opens the results list's popup menu over its first line and picks the item `downs` places
  // down with the keyboard.
  void PopupItem(int downs) {
    HWND list = form_->ResultsBox->GetHandle();
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    POINT p{item.left + 5, item.top + 3};
    ClientToScreen(list, &p);
    WindowWatch menu("", [&](HWND) {
      for (int i = 0; i < downs; ++i) PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    }, 30000, "#32768");
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(p.x, p.y));
    PumpUntil([&] { return menu.Done(); }, 30000);
    testing_support::PumpFor(50);
  }

  TMainScreen* form_ = nullptr;
};

TEST_F(MainWindowTest, FirstStartOnAnEmptyFolderChecksTheDemonstrationProject) {
  testing_support::RemoveTree(Projects());
  MyReg->SetCurrentProject("");
  Open();
  ASSERT_TRUE(WaitForCycle());
  const std::string work = Projects() + "PQ$\\Pelorin\\";
  const std::string age = std::to_string(FileAge(Projects() + "PQ$\\PQ$JHN.SFC"));
  // Of the book's words only its identifier is not in the program's dictionary.
  EXPECT_EQ(FileLines(work + "John.dat"),
            (Lines{age, "1", "[spelling errors]", "JHN", "[mechanical errors]", "[exceptions]"}));
  EXPECT_EQ(Panel(0), "John");
  EXPECT_EQ(Panel(1), "All checks done");
  EXPECT_EQ(Panel(2), "Mechanical proofreading ready");
  ASSERT_TRUE(PumpUntil([&] { return form_->NSpellNTLabel->GetCaption() == "1" && !form_->Book->RecountNeeded; }, 30000));
  for (TLabel* label : {form_->NSpellOTLabel, form_->NMechOTLabel, form_->NMechNTLabel})
    EXPECT_EQ(label->GetCaption(), "0");
  EXPECT_EQ(ItemsOf(form_->ComboBox1->GetItems()), Lines{"John"});
  EXPECT_EQ(form_->UzurUvadEdit1->GetItemText(0), "\\id JHN");
  EXPECT_FALSE(form_->GotoCurrentButton->GetVisible());
  SaveScreenshot(form_->GetHandle(), "main-window-demonstration");
}

TEST_F(MainWindowTest, FontsDialogWritesTheFontsOnOkAndChangesNothingOnCancel) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  const std::string fontsFile = ProgramFolder + "pelorin.fnt";

  // Cancel: no file, no setting, no restart.
  {
    WindowWatch dialog("Fonts", [](HWND w) { ClickChild(w, "Cancel"); });
    Command("Fonts1");
    ASSERT_TRUE(PumpUntil([&] { return dialog.Done(); }));
    testing_support::PumpFor(50);
  }
  EXPECT_FALSE(FileExists(fontsFile));
  EXPECT_EQ(ReadSettingString("Text in brackets"), "");

  // A new normal-text font, the choice that puts text in brackets in its own font, and OK.
  struct Responder : TDialogResponder {
    bool Execute(TCommonDialog* dialog) override {
      auto* fonts = static_cast<TFontDialog*>(dialog);
      fonts->GetFont()->SetName("Arial");
      fonts->GetFont()->SetSize(15);
      fonts->GetFont()->SetStyle({fsItalic});
      return true;
    }
  } responder;
  TDialogResponder* previous = SetDialogResponder(&responder);
  bool bracketsEnabled = false;
  {
    WindowWatch dialog("Fonts", [&](HWND w) {
      ClickChild(w, "Remove the brackets and put the text in the font above");
      bracketsEnabled = IsWindowEnabled(FindWindowExA(w, nullptr, nullptr, "Text in brackets"));
      ClickChild(w, "Normal text");
      testing_support::PumpFor(100);
      SaveScreenshot(w, "fonts-dialog");
      ClickChild(w, "&OK");
    });
    Command("Fonts1");
    ASSERT_TRUE(PumpUntil([&] { return dialog.Done(); }));
    testing_support::PumpFor(50);
  }
  SetDialogResponder(previous);
  EXPECT_TRUE(bracketsEnabled);
  ASSERT_TRUE(FileExists(fontsFile));
  TFontTable expected = DefaultFontTable();
  expected[fiNormalText] = {"Arial", 15, clBlack, {fsItalic}};
  expected[fiChapter] = {"Arial", 40, clBlack, {fsItalic}};
  EXPECT_EQ(testing_support::ReadFileBytes(fontsFile), EncodeFontTable(expected));
  EXPECT_EQ(Fonts, expected);
  EXPECT_EQ(ReadSettingString("Text in brackets"), "1");
  // The cycle starts again.
  EXPECT_TRUE(form_->Cycle->RestartRequested || form_->Cycle->State != 0);
  ASSERT_TRUE(PumpUntil([&] { return Panel(1) == "Initializing check ..." || form_->Cycle->State == 0; }, 30000));
}

TEST_F(MainWindowTest, AMessageIsIgnoredFromThePopupMenuAndTakenBackInTheListOfIgnoredMessages) {
  MyReg->SetUSFMCheck(true);
  MyReg->SetStructureCheck(true);
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 in the beginning was the Word."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  const Lines found = ItemsOf(form_->ResultsBox->GetItems());
  ASSERT_EQ(found.size(), 3u);
  ASSERT_EQ(found[0].rfind("JHN 1:1 ", 0), 0u);
  ASSERT_TRUE(PumpUntil([&] { return form_->ResultsToParatextButton->GetEnabled(); }, 30000));
  testing_support::PumpFor(100);
  SaveScreenshot(form_->GetHandle(), "main-window-messages");

  PopupItem(1);
  EXPECT_EQ(ItemsOf(form_->Book->IgnoreList), Lines{found[0]});
  EXPECT_EQ(ItemsOf(form_->ResultsBox->GetItems()), Lines(found.begin() + 1, found.end()));
  Lines file = ResultsOf("John");
  EXPECT_EQ(Lines(file.begin() + 2, file.end()),
            (Lines{"[spelling errors]", "JHN", "[mechanical errors]", found[1], found[2], "[exceptions]", found[0]}));

  // The next check drops the ignored message.
  form_->Book->ResetResultsFileAges();
  form_->Cycle->Restart();
  ASSERT_TRUE(PumpUntil([&] { return form_->Cycle->State != 0; }, 30000));
  ASSERT_TRUE(WaitForCycle());
  EXPECT_EQ(ItemsOf(form_->ResultsBox->GetItems()), Lines(found.begin() + 1, found.end()));

  {
    WindowWatch dialog("Edit ignored messages", [&](HWND w) {
      HWND list = FindWindowExA(w, nullptr, "TListBox", nullptr);
      if (!list) list = GetWindow(w, GW_CHILD);
      SendMessageA(list, LB_SETSEL, TRUE, 0);
      testing_support::PumpFor(100);
      SaveScreenshot(w, "ignored-messages-dialog");
      ClickChild(w, "&Remove");
      ClickChild(w, "&OK");
    });
    PopupItem(2);
    ASSERT_TRUE(dialog.Done());
  }
  EXPECT_EQ(ItemsOf(form_->Book->IgnoreList), Lines{});
  EXPECT_EQ(ItemsOf(form_->ResultsBox->GetItems()), (Lines{found[1], found[2], found[0]}));
  file = ResultsOf("John");
  EXPECT_EQ(file.back(), "[exceptions]");
}

TEST_F(MainWindowTest, ABookChosenFromTheListIsOpenedByHand) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God created."});
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  SetForegroundWindow(form_->GetHandle());
  HWND combo = form_->ComboBox1->GetHandle();
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(form_->Book->LoadedBook, 1);
  EXPECT_EQ(Panel(0), "Genesis");
  EXPECT_EQ(Panel(1), "Book opened manually");
  EXPECT_EQ(Panel(2), "Number of spelling errors: 0");
  EXPECT_TRUE(form_->Cycle->ManualHold);
  EXPECT_EQ(form_->UzurUvadEdit1->GetItemText(3), "\\v 1 In the beginning God created.");
}

TEST_F(MainWindowTest, TheBookIsEditedWithTheEditorsKeysAndShortcuts) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  VUzurUvadEdit* editor = form_->UzurUvadEdit1;
  ASSERT_TRUE(viewer_test::ShowWithFocus(form_, editor));
  // The Edit menu's shortcuts reach the editor, which copies, pastes and undoes them itself.
  editor->SetSelectionBounds(3, 6, 3, 22);
  Clipboard()->SetAsText("old");
  viewer_test::TypeKey('C', false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), "In the beginning");
  viewer_test::TypeKey(VK_END);
  viewer_test::TypeKey(VK_SPACE);
  viewer_test::TypeKey('V', false, true);
  EXPECT_EQ(editor->GetItemText(3), "\\v 1 In the beginning was the Word. In the beginning");
  EXPECT_TRUE(editor->GetModified());
  EXPECT_TRUE(viewer_test::ProcessUntil([&] { return form_->SaveButton->GetEnabled(); }, 30000));
  // The caret stands right after the pasted text.
  POINT caret{};
  ::GetCaretPos(&caret);
  EXPECT_EQ(caret.x, viewer_test::XAt(editor, 3, 53) - editor->GetHOffs());
  form_->Update();
  SaveScreenshot(form_->GetHandle(), "main-window-editing");
  viewer_test::TypeKey('Z', false, true);
  viewer_test::TypeKey('Z', false, true);
  EXPECT_EQ(editor->GetItemText(3), "\\v 1 In the beginning was the Word.");
  // Not saved: closing the window asks.
  editor->SetModified(false);
}

// The Edit menu's Cut, Copy and Paste serve the book editor: enabled from its selection and the
// clipboard when the menu opens, and acting on the editor.
TEST_F(MainWindowTest, TheEditMenuCutsCopiesAndPastesInTheBookEditor) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  VUzurUvadEdit* editor = form_->UzurUvadEdit1;
  ASSERT_TRUE(viewer_test::ShowWithFocus(form_, editor));
  auto* edit = static_cast<TMenuItem*>(form_->FindComponent("Edit1"));
  ASSERT_TRUE(edit);
  // Opens the Edit menu as Windows does and reads its items: "+" enabled, "o" greyed.
  const auto opened = [&] {
    SendMessageA(form_->GetHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit->GetHandle()), MAKELPARAM(1, 0));
    std::string states;
    for (const char* name : {"Cut1", "Copy1", "Paste1"}) {
      auto* item = static_cast<TMenuItem*>(form_->FindComponent(name));
      states += (GetMenuState(edit->GetHandle(), item->GetCommand(), MF_BYCOMMAND) & MF_GRAYED) ? "o" : "+";
    }
    return states;
  };
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  editor->SetSelectionBounds(3, 1, 3, 1);
  EXPECT_EQ(opened(), "ooo") << "no selection, nothing to paste";
  editor->SetSelectionBounds(3, 6, 3, 22);
  EXPECT_EQ(opened(), "++o");
  Command("Copy1");
  ASSERT_TRUE(PumpUntil([] { return Clipboard()->HasFormat(CF_TEXT) && Clipboard()->GetAsText() == "In the beginning"; }, 30000));
  EXPECT_EQ(opened(), "+++");
  Command("Cut1");
  ASSERT_TRUE(PumpUntil([&] { return editor->GetItemText(3) == "\\v 1  was the Word."; }, 30000)) << editor->GetItemText(3);
  EXPECT_EQ(opened(), "oo+");
  editor->SetSelectionBounds(3, 19, 3, 19);
  Command("Paste1");
  ASSERT_TRUE(PumpUntil([&] { return editor->GetItemText(3) == "\\v 1  was the WordIn the beginning."; }, 30000))
      << editor->GetItemText(3);
  // A read-only book takes nothing in.
  editor->SetReadOnly(true);
  editor->SetSelectionBounds(3, 6, 3, 10);
  EXPECT_EQ(opened(), "o+o");
  editor->SetReadOnly(false);
  editor->SetModified(false);
}

TEST_F(MainWindowTest, ClosingWithAChangedBookAsksWhetherToSaveIt) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word."});
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    testing_support::RemoveTree(WorkFolder());  // so that the cycle loads the book again
    Open();
    ASSERT_TRUE(WaitForCycle());
    HWND editor = form_->UzurUvadEdit1->GetHandle();
    form_->UzurUvadEdit1->SetSelectionBounds(0, 1, 0, 1);
    SendMessageA(editor, WM_CHAR, 'X', 0);
    ASSERT_TRUE(PumpUntil([&] { return form_->SaveButton->GetEnabled(); }, 30000));
    std::string question;
    WindowWatch box("Pelorin", [&](HWND w) {
      char text[1024] = {};
      GetDlgItemTextA(w, 0xFFFF, text, sizeof text);
      question = text;
      PressDialogButton(w, answer);
    }, 10000, "#32770");
    delete form_;
    form_ = nullptr;
    EXPECT_TRUE(box.Done());
    EXPECT_EQ(question, "File " + BookPath("JHN") + " has changed. Save?");
    EXPECT_EQ(FileLines(BookPath("JHN"))[0], answer == IDYES ? "X\\id JHN" : "\\id JHN");
  }
}

// A NUL byte in a book reaches the checks as it is, which report it as an unknown character (and
// nothing about a "?" that is not there), and an edited book is saved with the NUL in its place.
TEST_F(MainWindowTest, ANulByteInABookIsCheckedAndSavedAsItIs) {
  MyReg->SetUSFMCheck(true);
  MyReg->SetStructureCheck(true);
  const std::string verse("\\v 1 In the beginning was light\0 and all was good.", 50);
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", verse});
  Open();
  ASSERT_TRUE(WaitForCycle());
  const Lines found = ItemsOf(form_->ResultsBox->GetItems());
  EXPECT_EQ(found, Lines{"JHN 1:1 he beginning was light<NUL> - An unknown character has been found: <NUL>"});
  EXPECT_EQ(form_->UzurUvadEdit1->GetItemText(3), verse);
  // Edited and saved when the window closes.
  form_->UzurUvadEdit1->SetSelectionBounds(0, 1, 0, 1);
  SendMessageA(form_->UzurUvadEdit1->GetHandle(), WM_CHAR, 'X', 0);
  ASSERT_TRUE(PumpUntil([&] { return form_->SaveButton->GetEnabled(); }, 30000));
  WindowWatch box("Pelorin", [&](HWND w) { PressDialogButton(w, IDYES); }, 10000, "#32770");
  delete form_;
  form_ = nullptr;
  EXPECT_TRUE(box.Done());
  EXPECT_EQ(testing_support::ReadFileBytes(BookPath("JHN")), "X\\id JHN\r\n\\c 1\r\n\\p\r\n" + verse);
}

// Answers the spelling dialog as a user: each word it shows is recorded, and the next action runs
// from the message loop of the check, as a click comes after the word has shown. With no action
// left the check is cancelled.
class DialogUser {
public:
  DialogUser(TLexemeSpell3Base& spell, std::vector<std::function<void()>> actions)
      : spell_(spell), actions_(std::move(actions)) {
    current_ = this;
    spell_.OnPromptWord = TPromptWordEvent::FromFunction([this](TObject*, const AnsiString& word, bool) {
      prompts.push_back(word);
      SetTimer(nullptr, 0, 1, &DialogUser::Answer);
    });
  }
  ~DialogUser() {
    spell_.OnPromptWord = nullptr;
    current_ = nullptr;
  }
  Lines prompts;

private:
  static void CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!current_) return;
    if (current_->next_ < current_->actions_.size())
      current_->actions_[current_->next_++]();
    else
      current_->spell_.DialogCancel();
  }
  static inline DialogUser* current_ = nullptr;
  TLexemeSpell3Base& spell_;
  std::vector<std::function<void()>> actions_;
  std::size_t next_ = 0;
};

TEST_F(MainWindowTest, TheBackgroundCheckPassesOverAWordInBracketsThatIsRightWithoutThem) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the [Word] was [Wrod], and Wrod was God."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  const Lines file = ResultsOf("John");
  ASSERT_GE(file.size(), 5u);
  EXPECT_EQ(Lines(file.begin() + 1, file.begin() + 5), (Lines{"3", "[spelling errors]", "JHN", "Wrod"}));
  EXPECT_EQ(Panel(1), "All checks done");
}

TEST_F(MainWindowTest, TheSpellingSettingsOpenTheSpellComponentsOptions) {
  WriteTestBook("JHN", {"\\id JHN"});
  Open();
  bool optionsShown = false;
  WindowWatch options("Spelling Options", [&](HWND w) {
    optionsShown = true;
    SaveScreenshot(w, "spelling-options");
    PostMessageA(w, WM_CLOSE, 0, 0);
  }, 10000);
  WindowWatch settings("Spelling and proofreading settings", [&](HWND w) {
    ClickChild(w, "&Spelling options");
    PumpUntil([&] { return options.Done(); }, 30000);
    ClickChild(w, "Cancel");
  });
  Command("Spelling1");
  ASSERT_TRUE(PumpUntil([&] { return settings.Done() && !FindOwnWindow("Spelling and proofreading settings"); }, 30000));
  EXPECT_TRUE(optionsShown);
}

TEST_F(MainWindowTest, CheckThisBookCorrectsTheBookInTheEditorThroughTheSpellingDialog) {
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the begining was the Wrod, and the Wrod was God."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  TUVLexemeSpell3* spell = form_->UVLexemeSpell31;
  auto dialog = [&] { return static_cast<TSpellDialog*>(spell->GetSpellDialog()); };
  auto click = [](TButton* button) { SendMessageA(button->GetHandle(), BM_CLICK, 0, 0); };
  auto changeTo = [&](const char* text, bool all) {
    return [&, text, all] {
      SendMessageA(dialog()->ReplaceWithEdit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
      click(all ? dialog()->ChangeAllButton : dialog()->ChangeButton);
    };
  };
  DialogUser user(*spell, {[&] {
                             SaveScreenshot(form_->GetHandle(), "check-this-book-window");
                             SaveScreenshot(dialog()->GetHandle(), "check-this-book-dialog");
                             click(dialog()->IgnoreButton);
                           },
                           changeTo("beginning", false), changeTo("Word", true)});
  WindowWatch end("Spelling", [](HWND box) { testing_support::PressDialogButton(box, IDOK); }, 15000, "#32770");
  Command("CheckThisbook1");
  ASSERT_TRUE(PumpUntil([&] { return end.Done() && !spell->IsChecking(); }, 30000));
  EXPECT_EQ(user.prompts, (Lines{"JHN", "begining", "Wrod"}));
  std::unique_ptr<TStringList> lines(new TStringList());
  form_->Editor()->GetLines(lines.get());
  EXPECT_EQ(ItemsOf(lines.get()),
            (Lines{"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Word, and the Word was God."}));
  EXPECT_TRUE(form_->Editor()->GetModified());
  form_->Editor()->SetModified(false);
}

TEST_F(MainWindowTest, CheckAllBooksChecksEachBookOfTheTestamentWithTheSpellingDialog) {
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the begining God."});
  WriteTestBook("EXO", {"\\id EXO", "\\c 1", "\\p", "\\v 1 Now these are the nmes."});
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 In the beginning was the Wrod."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  TUVLexemeSpell3* spell = form_->UVLexemeSpell31;
  auto ignoreAll = [&] { SendMessageA(static_cast<TSpellDialog*>(spell->GetSpellDialog())->IgnoreAllButton->GetHandle(),
                                      BM_CLICK, 0, 0); };
  std::string finished;
  {
    DialogUser user(*spell, {ignoreAll, ignoreAll, ignoreAll});
    WindowWatch choice("Testament selection", [&](HWND w) {
      ClickChild(w, "&Old Testament");
      ClickChild(w, "OK");
    });
    WindowWatch end("Spelling", [&](HWND box) {
      char text[200] = "";
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      finished = text;
      testing_support::PressDialogButton(box, IDOK);
    }, 20000, "#32770");
    Command("Allbooks1");
    ASSERT_TRUE(PumpUntil([&] { return end.Done() && !spell->IsChecking(); }, 30000));
    // Genesis and Exodus, each without an end message of its own ("GEN" is in the dictionary).
    EXPECT_EQ(user.prompts, (Lines{"begining", "EXO", "nmes"}));
  }
  EXPECT_EQ(finished, "All books spelling check finished");
  EXPECT_EQ(spell->EndMessage, emExceptCancel);
  EXPECT_FALSE(form_->SpellAllTimer->GetEnabled());

  // Cancelling the dialog ends the whole check (the words ignored before stay ignored).
  {
    DialogUser user(*spell, {});
    WindowWatch choice("Testament selection", [&](HWND w) {
      ClickChild(w, "&Both Testaments");
      ClickChild(w, "OK");
    });
    Command("Allbooks1");
    ASSERT_TRUE(PumpUntil([&] { return !form_->SpellAllTimer->GetEnabled() && !spell->IsChecking(); }, 30000));
    EXPECT_EQ(user.prompts, Lines{"JHN"});
    EXPECT_EQ(Panel(1), "Checks cancelled");
  }
}

TEST_F(MainWindowTest, TheTextCheckingMenuListsTheSpellingErrorsAndMechanicalMessagesOfATestament) {
  MyReg->SetUSFMCheck(true);
  MyReg->SetStructureCheck(true);
  WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 in the beginning God created."});
  WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 the book of the generation."});
  Open();
  ASSERT_TRUE(WaitForCycle());
  // Misspelt words as the spelling check records them, the books' ages kept.
  for (const char* book : {"Genesis", "Matthew"}) {
    Lines file = ResultsOf(book);
    const auto at = std::find(file.begin(), file.end(), "[spelling errors]");
    ASSERT_NE(at, file.end()) << book;
    file.insert(at + 1, {std::string("Zerubabel"), std::string(book == std::string("Genesis") ? "Abram" : "Zebedee")});
    std::string bytes;
    for (const std::string& line : file) bytes += line + "\r\n";
    testing_support::WriteFileBytes(ResultsPath(book), bytes);
  }
  const Lines genesisMessages = [&] {
    Lines file = ResultsOf("Genesis");
    const auto from = std::find(file.begin(), file.end(), "[mechanical errors]") + 1;
    return Lines(from, std::find(from, file.end(), "[exceptions]"));
  }();
  ASSERT_FALSE(genesisMessages.empty());

  // Chooses the testament, then copies what the list window shows and closes it.
  auto showList = [&](const char* item, const char* testament, const std::string& caption) {
    std::string copied;
    WindowWatch choice("Testament selection", [&](HWND w) {
      ClickChild(w, testament);
      ClickChild(w, "OK");
    });
    WindowWatch list(caption, [&](HWND w) {
      SetForegroundWindow(w);
      testing_support::PumpFor(100);
      SaveScreenshot(w, "main-window-list");
      Clipboard()->SetAsText("");
      // Ctrl+A selects the whole list, Ctrl+C copies it.
      dialog_testing::SendKeyEvents({{VK_CONTROL, false}, {'A', false}, {'A', true}, {'C', false}, {'C', true},
                                     {VK_CONTROL, true}});
      dialog_testing::ProcessFor(200);
      copied = Clipboard()->GetAsText();
      PostMessageA(w, WM_CLOSE, 0, 0);
    });
    Command(item);
    EXPECT_TRUE(PumpUntil([&] { return list.Done() && !FindOwnWindow(caption); }, 30000)) << caption;
    EXPECT_TRUE(choice.Done());
    return copied;
  };
  EXPECT_EQ(showList("Listspellingerrors1", "&Both Testaments", "Spelling errors of all books"),
            "Abram\r\nZebedee\r\nZerubabel");
  EXPECT_EQ(showList("Listspellingerrors1", "&New Testament", "Spelling errors of the New Testament"),
            "Zebedee\r\nZerubabel");
  std::string joined;
  for (const std::string& line : genesisMessages) joined += (joined.empty() ? "" : "\r\n") + line;
  EXPECT_EQ(showList("Allmessagestoeditor1", "&Old Testament", "Mechanical proofreading errors of the Old Testament"),
            joined);
  EXPECT_EQ(FileLines(Projects() + "pelorin.ref"), genesisMessages);
}

TEST_F(MainWindowTest, TheWindowStartsMaximizedAsItEnded) {
  WriteTestBook("JHN", {"\\id JHN"});
  MyReg->SetStartMaximized(true);
  Open();
  EXPECT_EQ(form_->GetWindowState(), wsMaximized);
  form_->SetWindowState(wsNormal);
  delete form_;
  form_ = nullptr;
  EXPECT_FALSE(MyReg->GetStartMaximized());
  EXPECT_EQ(ReadSettingString("B5"), "0");
}

TEST_F(MainWindowTest, HelpAboutShowsTheProgramsNameVersionAndDescription) {
  WriteTestBook("JHN", {"\\id JHN"});
  Open();
  EXPECT_EQ(form_->VisAboutDlg1->ApplicationText(), "Pelorin");
  EXPECT_EQ(form_->VisAboutDlg1->VersionText(), "Version 1.6");
  EXPECT_FALSE(form_->VisAboutDlg1->Description.empty());
  // The box is modal; Enter presses its default button and closes it.
  bool shown = false;
  {
    const std::string caption = "Info " + Application->GetTitle() + "...";
    WindowWatch about(caption, [&](HWND w) {
      shown = true;
      testing_support::PumpFor(100);
      SaveScreenshot(w, "about-box");
      PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    }, 30000);
    Command("About1");
    ASSERT_TRUE(PumpUntil([&] { return about.Done(); }, 30000));
    // Back from the modal loop only once the box has closed.
    ASSERT_TRUE(PumpUntil([&] { return !FindOwnWindow(caption); }, 30000));
  }
  EXPECT_TRUE(shown);
}

TEST_F(MainWindowTest, MenuCommandsToggleExpandedMode) {
  WriteTestBook("JHN", {"\\id JHN"});
  Open();
  ExpandedMode = false;
  Command("Expandedmode1");
  ASSERT_TRUE(PumpUntil([] { return ExpandedMode; }, 30000));
  TMenuItem* expanded = form_->Expandedmode1;
  EXPECT_TRUE(expanded->GetChecked());
  // Opening the Settings menu shows the flag as it is.
  ExpandedMode = false;
  auto* settings = static_cast<TMenuItem*>(form_->FindComponent("Settings1"));
  SendMessageA(form_->GetHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(settings->GetHandle()), MAKELPARAM(2, FALSE));
  EXPECT_FALSE(expanded->GetChecked());
  Command("Exit1");
  ASSERT_TRUE(PumpUntil([&] { return !form_->GetVisible(); }, 30000));
}

bool FailToStart(const AnsiString& commandLine) {
  g_started.push_back(commandLine);
  return false;
}

// Help, Help shows the help file with the system's viewer; without the file, or when the viewer
// cannot be started, a message says why no help appears. The viewer is the one of the Windows
// folder, named by its path in quotes, and the help file's path is one argument in quotes, also
// in a program folder whose name holds a blank.
TEST_F(MainWindowTest, HelpShowsTheHelpFileOrSaysWhyItCannot) {
  WriteTestBook("JHN", {"\\id JHN"});
  Open();
  ProgramFolder = temp_.Path() + "pel orin\\";
  ForceDirectories(ProgramFolder);
  const std::string helpFile = ProgramFolder + "pelorin.chm";
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string viewer = "\"" + std::string(windows) + "\\hh.exe\" \"" + helpFile + "\"";
  struct Case {
    const char* name;
    bool fileThere;
    bool viewerStarts;
    std::string message;
  };
  const Case cases[] = {
      {"help file", true, true, ""},
      {"no help file", false, true, "The help file " + helpFile + " is missing, so there is no help to show."},
      {"no viewer", true, false,
       "The help file " + helpFile + " cannot be shown: hh.exe, which shows it, cannot be started."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_started.clear();
    StartProgram = c.viewerStarts ? &RecordStart : &FailToStart;
    DeleteFileA(helpFile.c_str());
    if (c.fileThere) testing_support::WriteFileBytes(helpFile, "help");
    std::string message;
    {
      WindowWatch box("Pelorin", [&](HWND w) {
        message = dialog_testing::TextOf(GetDlgItem(w, 0xFFFF));
        SaveScreenshot(w, std::string("help-message-") + (c.fileThere ? "no-viewer" : "no-file"));
        PressDialogButton(w, IDOK);
      }, 30000, "#32770");
      Command("Help2");
      PumpUntil([&] { return box.Done(); }, c.message.empty() ? 1000 : 30000);
      EXPECT_EQ(box.Done(), !c.message.empty());
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(g_started, c.fileThere ? std::vector<std::string>{viewer} : std::vector<std::string>{});
  }
}

// Where a child window lies in a capture of the window (its frame included).
RECT PlaceIn(HWND child, HWND window) {
  RECT place{}, frame{};
  GetWindowRect(child, &place);
  GetWindowRect(window, &frame);
  OffsetRect(&place, -frame.left, -frame.top);
  return place;
}

// The pixels of the capture inside the rectangle whose colour is not `background`.
int PixelsOtherThan(const testing_support::ScreenImage& image, const RECT& r, COLORREF background) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (image.Pixel(x, y) != background) ++count;
  return count;
}

// The columns of the rectangle that hold a pixel other than `background`: a size grip's dots
// stand in several, a panel's border line in one.
int ColumnsMarked(const testing_support::ScreenImage& image, const RECT& r, COLORREF background) {
  int count = 0;
  for (int x = r.left; x < r.right; ++x) count += PixelsOtherThan(image, RECT{x, r.top, x + 1, r.bottom}, background) > 0;
  return count;
}

// Dragging the window's edge and maximising it, as a user does: what moved is painted again (no
// line of the left column's old bottom edge is left across it, the status bar's grip is not left
// where the bar used to end), the grip stands at the bar's right end, and not at all while the
// window is maximised.
TEST_F(MainWindowTest, SizingAndMaximisingRepaintWhatMovedAndKeepTheGripAtTheBarsEnd) {
  WriteTestBook("JHN", {"\\id JHN"});
  Open();
  ASSERT_TRUE(WaitForCycle());
  HWND window = form_->GetHandle();
  auto handleOf = [&](const char* name) {
    auto* control = dynamic_cast<TWinControl*>(form_->FindComponent(name));
    return control ? control->GetHandle() : nullptr;
  };
  HWND bar = handleOf("StatusBar1"), left = handleOf("LeftPanel"), totals = handleOf("TotalsBox"),
       results = handleOf("ResultsToParatextButton");
  ASSERT_TRUE(bar && left && totals && results);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  testing_support::PumpFor(300);

  struct Step {
    const char* name;
    int width, height;  // 0: maximised; -1: restored
    bool grip;
  };
  const Step steps[] = {
      {"main-window-sized-larger", 760, 640, true},
      {"main-window-sized-smaller", 600, 450, true},
      {"main-window-maximised", 0, 0, false},
      {"main-window-restored", -1, -1, true},
  };
  RECT before = PlaceIn(bar, window);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.width > 0)
      SetWindowPos(window, nullptr, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      ShowWindow(window, step.width == 0 ? SW_MAXIMIZE : SW_RESTORE);
    testing_support::PumpFor(300);
    const testing_support::ScreenImage image = testing_support::CaptureWindow(window);
    SaveScreenshot(window, step.name);
    ASSERT_GT(image.width, 0);

    // The left column between the totals and the button at its foot is plain, and its bottom edge
    // is drawn where the column now ends.
    const RECT column = PlaceIn(left, window), below = PlaceIn(totals, window), foot = PlaceIn(results, window);
    const int middle = (column.left + column.right) / 2;
    EXPECT_EQ(PixelsOtherThan(image, RECT{column.left + 2, below.bottom + 2, column.right - 2, foot.top - 2}, face), 0);
    EXPECT_EQ(image.Pixel(middle, column.bottom - 1), shadow);

    // The bar below its top line: the grip's dots in its last 16 pixels (else at most the last
    // panel's border), nothing where the bar ended before.
    RECT now = PlaceIn(bar, window);
    const int gripColumns = ColumnsMarked(image, RECT{now.right - 16, now.top + 1, now.right, now.bottom}, face);
    if (step.grip)
      EXPECT_GE(gripColumns, 4);
    else
      EXPECT_LE(gripColumns, 1);
    if (before.right + 16 < now.right)
      EXPECT_EQ(PixelsOtherThan(image, RECT{before.right - 16, now.top + 1, before.right + 16, now.bottom}, face), 0);
    EXPECT_EQ((GetWindowLongA(bar, GWL_STYLE) & SBARS_SIZEGRIP) != 0, step.grip);
    before = now;
  }
}

}  // namespace
