// The spelling dialog over a real editor: where it appears (clear of the word shown), what it
// shows for a word, a repeated pair and a word without suggestions, and its buttons driving a
// check of the editor's document to the expected text. A user clicks the buttons from the
// message loop of the synchronous check, as each word is shown.
#include <gtest/gtest.h>

#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3SpellDialog.h"
#include "spell/richtext/lx3UzurUvad.h"
#include "spell/richtext/tests/support/RichTextSpellFixture.h"

namespace {

using namespace richtext_spell_test;
using A = TestUser::Answer;
using K = TestUser::Kind;

bool Intersect(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TRect WindowRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return Rect(r.left, r.top, r.right, r.bottom);
}

class SpellDialogTest : public RichTextSpellTest {
protected:
  void SetUp() override {
    RichTextSpellTest::SetUp();
    UseDialog();
  }
  // The component checks with the dialog, which the test supplies, and no end message.
  void UseDialog() {
    UV().UIType = suiDialog;
    UV().EndMessage = emNever;
    UV().OnCreateSpellDialog = TCreateSpellDialogEvent(this, &SpellDialogTest::SupplyDialog);
    UV().OnShowConfigDialog = TShowDialogEvent(this, &SpellDialogTest::ShowOptions);
  }

  void SupplyDialog(TObject*, TForm*& SpellForm, bool Create) {
    if (Create)
      SpellForm = new TSpellDialog(editor);
    else
      SpellForm->Release();
  }
  void ShowOptions(TObject*, TComponent*) { ++optionsShown; }

  TSpellDialog* Dialog() { return static_cast<TSpellDialog*>(UV().GetSpellDialog()); }
  static void Click(TButton* button) { SendMessageA(button->GetHandle(), BM_CLICK, 0, 0); }
  // Types the replacement as the edit receives it.
  void Replace(const char* text, TSpellDialog* dialog = nullptr) {
    SendMessageA((dialog ? dialog : Dialog())->ReplaceWithEdit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  A ClickOn(TButton* TSpellDialog::*button, std::function<void()> check = {}) {
    return {K::Do, "", [this, button, check] {
              texts.push_back(Text());
              if (check) check();
              Click(Dialog()->*button);
            }};
  }
  A ChangeTo(const char* text, TButton* TSpellDialog::*button) {
    return {K::Do, "", [this, text, button] {
              texts.push_back(Text());
              Replace(text);
              Click(Dialog()->*button);
            }};
  }
  std::vector<std::string> Suggestions() {
    std::vector<std::string> out;
    TStrings* items = Dialog()->SuggestionsListbox->GetItems();
    for (Integer i = 0; i < items->GetCount(); ++i) out.push_back(items->GetStrings(i));
    return out;
  }

  int optionsShown = 0;
  // The document's text at each word shown by ClickOn and ChangeTo answers.
  std::vector<std::string> texts;
};

TEST_F(SpellDialogTest, ButtonsDriveTheCheckToTheExpectedText) {
  form->SetBounds(20, 20, 460, 200);
  Show();
  Fill({"Teh cat sat on teh mat.", "The dog barked at the the moon.", "Zzxqv wrold and wrold."});
  editor->ClearUndoLists();
  TSpellDialog* d = nullptr;
  const std::vector<A> answers = {
      // A word with suggestions: the first one is the replacement; Change takes a typed one.
      ClickOn(&TSpellDialog::ChangeButton,
              [&] {
                d = Dialog();
                EXPECT_EQ(d->NotFoundEdit->GetText(), "Teh");
                EXPECT_EQ(d->NotFoundText->GetCaption(), "Not Found:");
                ASSERT_FALSE(Suggestions().empty());
                EXPECT_EQ(d->ReplaceWithEdit->GetText(), Suggestions().front());
                EXPECT_EQ(d->SuggestionsListbox->GetItemIndex(), 0);
                EXPECT_TRUE(d->AddButton->GetEnabled());
                EXPECT_FALSE(d->UndoButton->GetEnabled());
                testing_support::SaveScreenshot(d->GetHandle(), "spell-dialog-word");
                Replace("The");
              }),
      ClickOn(&TSpellDialog::IgnoreButton),
      // The repeated pair: only Ignore, Change, Options, Undo and Cancel act.
      ClickOn(&TSpellDialog::UndoButton,
              [&] {
                EXPECT_EQ(d->NotFoundText->GetCaption(), "Repeated Word:");
                EXPECT_EQ(d->ReplaceWithEdit->GetText(), "the");
                EXPECT_FALSE(d->IgnoreAllButton->GetEnabled());
                EXPECT_FALSE(d->ChangeAllButton->GetEnabled());
                EXPECT_FALSE(d->AddButton->GetEnabled());
                EXPECT_TRUE(d->ChangeButton->GetEnabled());
                EXPECT_TRUE(d->UndoButton->GetEnabled());
                testing_support::SaveScreenshot(d->GetHandle(), "spell-dialog-repeated");
              }),
      ChangeTo("the", &TSpellDialog::ChangeAllButton),
      ClickOn(&TSpellDialog::ChangeButton),
      // No suggestions: the list says so and Change waits for a typed replacement.
      ClickOn(&TSpellDialog::IgnoreAllButton,
              [&] {
                EXPECT_EQ(d->NotFoundText->GetCaption(), "Not Found:");
                EXPECT_EQ(Suggestions(), std::vector<std::string>{"(no suggestions)"});
                EXPECT_FALSE(d->SuggestionsListbox->GetEnabled());
                EXPECT_EQ(d->ReplaceWithEdit->GetText(), "");
                EXPECT_FALSE(d->ChangeButton->GetEnabled());
                EXPECT_FALSE(d->ChangeAllButton->GetEnabled());
                Replace("Zeke");
                EXPECT_TRUE(d->ChangeButton->GetEnabled());
              }),
      ClickOn(&TSpellDialog::AddButton),
  };
  TestUser user(UV(), answers);
  UV().CheckUzurUvadEdit(editor, ckWholeText);
  EXPECT_FALSE(UV().IsChecking());
  EXPECT_EQ(user.prompts, (List{"Teh", "teh", "the the (repeated)", "teh", "the the (repeated)", "Zzxqv", "wrold"}));
  // The text after each command.
  const std::string original = "Teh cat sat on teh mat.\nThe dog barked at the the moon.\nZzxqv wrold and wrold.";
  const std::string changed = "The cat sat on teh mat.\nThe dog barked at the the moon.\nZzxqv wrold and wrold.";
  const std::string changedAll = "The cat sat on the mat.\nThe dog barked at the the moon.\nZzxqv wrold and wrold.";
  const std::string deleted = "The cat sat on the mat.\nThe dog barked at the moon.\nZzxqv wrold and wrold.";
  EXPECT_EQ(texts, (std::vector<std::string>{original, changed, changed, changed, changedAll, deleted, deleted}));
  EXPECT_EQ(Text(), deleted);
  EXPECT_EQ(UV().GetSpellDialog(), nullptr);
  // The editor can take back every change of the check.
  int undone = 0;
  while (editor->CanUndo() && undone < 10) {
    editor->Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 3);
  EXPECT_EQ(Text(), "Teh cat sat on teh mat.\nThe dog barked at the the moon.\nZzxqv wrold and wrold.");
}

// With the dialog open the check steps from the document's own text into the table's cells and
// out again, whichever command answered the word before the table; in a cell every command works.
TEST_F(SpellDialogTest, TheCheckGoesThroughTheCellsOfATable) {
  form->SetBounds(20, 20, 460, 300);
  Show();
  // An error would be shown in a box that waits for the user: it is recorded instead.
  std::vector<std::string> errors;
  Application->OnException = TExceptionEvent::FromFunction([&](TObject*, Exception* e) { errors.push_back(e->Message); });
  struct Case {
    const char* name;
    TButton* TSpellDialog::*first;
    std::string firstLine;
  };
  const Case cases[] = {
      {"Ignore", &TSpellDialog::IgnoreButton, "Teh cat"},
      {"Change", &TSpellDialog::ChangeButton, "The cat"},
      {"Change All", &TSpellDialog::ChangeAllButton, "The cat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillTable();
    editor->ClearUndoLists();
    std::string commands;
    const auto usable = [&] {
      TSpellDialog* d = Dialog();
      std::string s;
      for (TButton* b : {d->IgnoreButton, d->IgnoreAllButton, d->ChangeButton, d->ChangeAllButton, d->AddButton})
        s += b->GetEnabled() ? "+" : "o";
      return s;
    };
    const std::vector<A> answers = {
        ChangeTo("The", c.first),
        {K::Do, "", [&] {
           commands = usable();
           testing_support::SaveScreenshot(GetDesktopWindow(), "spell-dialog-in-a-cell");
           Replace("the");
           Click(Dialog()->ChangeButton);
         }},
        ChangeTo("brown", &TSpellDialog::ChangeButton),
        ChangeTo("world", &TSpellDialog::ChangeButton),
        ChangeTo("dog", &TSpellDialog::ChangeButton),
    };
    TestUser user(UV(), answers);
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    EXPECT_FALSE(UV().IsChecking());
    EXPECT_FALSE(UV().GetCancelled());
    EXPECT_EQ(user.prompts, (List{"Teh", "teh", "brwn", "wrold", "dgo"}));
    EXPECT_EQ(commands, "+++++");
    EXPECT_EQ(editor->GetItemText(0), c.firstLine);
    EXPECT_EQ(Cells(), (std::vector<std::string>{"a the|dog", "the brown", "", "moon", "fox|hello world"}));
    EXPECT_EQ(editor->GetItemText(editor->GetItemCount() - 1), "the lazy dog");
    EXPECT_EQ(errors, std::vector<std::string>{});
    errors.clear();
    viewer_test::ProcessUntil([&] { return editor->FindComponent("SpellDialog") == nullptr; }, 30000);
  }
  Application->OnException = nullptr;
}

TEST_F(SpellDialogTest, OptionsShowTheWordAgainAndCancelEndsTheCheck) {
  Show();
  Fill({"Teh cat and teh dog."});
  const std::vector<A> answers = {
      ClickOn(&TSpellDialog::OptionsButton),
      // The word is shown again after the options: the check still waits at it.
      ClickOn(&TSpellDialog::CancelButton, [&] {
        EXPECT_EQ(optionsShown, 1);
        EXPECT_EQ(Dialog()->NotFoundEdit->GetText(), "Teh");
      }),
  };
  TestUser user(UV(), answers);
  UV().CheckUzurUvadEdit(editor, ckWholeText);
  EXPECT_FALSE(UV().IsChecking());
  EXPECT_TRUE(UV().GetCancelled());
  EXPECT_EQ(user.prompts, (List{"Teh"}));
  EXPECT_EQ(Text(), "Teh cat and teh dog.");
}

TEST_F(SpellDialogTest, ClosingTheDialogCancelsTheCheck) {
  Show();
  Fill({"Teh cat and teh dog."});
  const std::vector<A> answers = {{K::Do, "", [&] { SendMessageA(Dialog()->GetHandle(), WM_CLOSE, 0, 0); }}};
  TestUser user(UV(), answers);
  UV().CheckUzurUvadEdit(editor, ckWholeText);
  EXPECT_FALSE(UV().IsChecking());
  EXPECT_TRUE(UV().GetCancelled());
  EXPECT_EQ(user.prompts, (List{"Teh"}));
}

// While the user works in the book the dialog's commands are disabled; back in the dialog they
// are enabled again and the check goes on at the caret, where the user may have edited.
TEST_F(SpellDialogTest, ResumesAtTheCaretAfterTheUserWorkedInTheBook) {
  Show();
  Fill({"Teh cat", "wrold", "and teh moon"});
  bool disabled = false, enabled = false;
  const std::vector<A> answers = {
      {K::Do, "", [&] {
         TSpellDialog* d = Dialog();
         SetActiveWindow(form->GetHandle());
         viewer_test::ProcessUntil([&] { return !d->IgnoreButton->GetEnabled(); }, 30000);
         disabled = !d->IgnoreButton->GetEnabled() && !d->ChangeButton->GetEnabled();
         // The user puts the caret at the start of the third line and returns to the dialog.
         editor->SetSelectionBounds(2, 1, 2, 1);
         SetActiveWindow(d->GetHandle());
         viewer_test::ProcessUntil([&] { return d->IgnoreButton->GetEnabled(); }, 30000);
         enabled = d->IgnoreButton->GetEnabled();
       }},
      ClickOn(&TSpellDialog::CancelButton),
  };
  TestUser user(UV(), answers);
  UV().CheckUzurUvadEdit(editor, ckWholeText);
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(enabled);
  EXPECT_EQ(user.prompts, (List{"Teh", "teh"}));
}

// A word far down the book is scrolled into view before it is shown.
TEST_F(SpellDialogTest, TheWordShownIsInView) {
  Show();
  std::vector<std::string> lines(80, "the cat sat on the mat");
  lines.push_back("and teh moon");
  Fill(lines);
  TRect word, control;
  Integer scrolled = 0;
  const std::vector<A> answers = {ClickOn(&TSpellDialog::CancelButton, [&] {
    UV().GetWalker()->SelectionRect(word);
    UV().GetWalker()->ControlRect(control);
    scrolled = editor->GetVOffs();
  })};
  TestUser user(UV(), answers);
  UV().CheckUzurUvadEdit(editor, ckWholeText);
  ASSERT_EQ(user.prompts, (List{"teh"}));
  EXPECT_GT(scrolled, 0);
  EXPECT_GE(word.Top, control.Top);
  EXPECT_LE(word.Bottom, control.Bottom);
}

// Without a dialog of the application's, the component shows its own, which stays above the form
// that holds the component.
TEST_F(SpellDialogTest, TheComponentsOwnDialog) {
  auto* spell = Configure(new TUVLexemeSpell3(form));
  spell->EndMessage = emNever;
  // The dialog takes the interface fonts: the text font for what holds text.
  spell->UILanguageUseFonts = true;
  spell->GetUILanguageFontControls()->SetName("Courier New");
  spell->GetUILanguageFontText()->SetName("Times New Roman");
  Show();
  Fill({"Teh cat"});
  TForm* shown = nullptr;
  HWND ownerWindow = nullptr;
  const std::vector<A> answers = {{K::Do, "", [&] {
                                     shown = spell->GetSpellDialog();
                                     ownerWindow = GetWindow(shown->GetHandle(), GW_OWNER);
                                     ASSERT_NE(dynamic_cast<TSpellDialog*>(shown), nullptr);
                                     EXPECT_EQ(shown->GetOwner(), spell);
                                     auto* d = static_cast<TSpellDialog*>(shown);
                                     EXPECT_EQ(d->ChangeButton->GetFont()->GetName(), "Courier New");
                                     EXPECT_EQ(d->NotFoundText->GetFont()->GetName(), "Courier New");
                                     EXPECT_EQ(d->ReplaceWithEdit->GetFont()->GetName(), "Times New Roman");
                                     EXPECT_EQ(d->SuggestionsListbox->GetFont()->GetName(), "Times New Roman");
                                     Replace("The", static_cast<TSpellDialog*>(shown));
                                     Click(static_cast<TSpellDialog*>(shown)->ChangeButton);
                                   }}};
  TestUser user(*spell, answers);
  spell->CheckUzurUvadEdit(editor, ckWholeText);
  EXPECT_EQ(user.prompts, (List{"Teh"}));
  EXPECT_EQ(ownerWindow, form->GetHandle());
  EXPECT_EQ(Text(), "The cat");
  EXPECT_EQ(spell->GetSpellDialog(), nullptr);

  // Checking a standard edit control: the dialog belongs to the control.
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetText("Teh dog");
  TestUser second(*spell, {{K::Do, "", [&] {
                              shown = spell->GetSpellDialog();
                              EXPECT_EQ(shown->GetOwner(), edit);
                              ownerWindow = GetWindow(shown->GetHandle(), GW_OWNER);
                              Click(static_cast<TSpellDialog*>(shown)->CancelButton);
                            }}});
  spell->CheckControl(edit, ckWholeText);
  EXPECT_EQ(second.prompts, (List{"Teh"}));
  EXPECT_EQ(ownerWindow, form->GetHandle());
}

// Checks started one after another before the message loop runs (as for every book in turn) each
// make their own dialog; the released ones are freed once messages are handled.
TEST_F(SpellDialogTest, ChecksOneAfterAnotherEachMakeTheirDialog) {
  auto* spell = Configure(new TUVLexemeSpell3(form));
  spell->EndMessage = emNever;
  Show();
  auto dialogs = [spell] {
    int n = 0;
    for (Integer i = 0; i < spell->GetComponentCount(); ++i)
      n += dynamic_cast<TSpellDialog*>(spell->GetComponents(i)) != nullptr;
    return n;
  };
  for (const char* text : {"Teh cat", "Teh dog", "Teh mat"}) {
    SCOPED_TRACE(text);
    Fill({text});
    TestUser user(*spell, {{K::Do, "", [&] {
                              auto* shown = static_cast<TSpellDialog*>(spell->GetSpellDialog());
                              Replace("The", shown);
                              Click(shown->ChangeButton);
                            }}});
    spell->CheckUzurUvadEdit(editor, ckWholeText);
    EXPECT_EQ(user.prompts, (List{"Teh"}));
    EXPECT_EQ(Text(), "The" + std::string(text + 3));
    EXPECT_EQ(spell->GetSpellDialog(), nullptr);
  }
  EXPECT_TRUE(testing_support::PumpUntil([&] { return dialogs() == 0; }));
}

// Which buttons the dialog shows and enables for the first word, by the commands the component
// allows, its help topic and whether an active custom dictionary is open.
TEST_F(SpellDialogTest, ButtonsFollowTheCommandsTheComponentAllows) {
  using C = TSpellDialogCommands;
  struct Case {
    const char* name;
    C visible, enabled;
    Integer helpContext;
    bool activeDictionary;
    std::string shown, usable;  // the buttons by letters: U O IA I CA C A T H X
  };
  const C all = AllSpellDialogCommands;
  const Case cases[] = {
      {"everything", all, all, 7, true, "U O IA I CA C A T H X", "O IA I CA C A T H X"},
      {"no help topic hides Help", all, all, 0, true, "U O IA I CA C A T X", "O IA I CA C A T H X"},
      {"no active dictionary", all, all, 0, false, "U O IA I CA C A T X", "O IA I CA C H X"},
      {"commands hidden and disabled", C{sdcIgnore, sdcChange, sdcUndo, sdcCancel},
       C{sdcIgnore, sdcChange, sdcCancel, sdcOptions}, 7, true, "U I C X", "O I C X"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A new configuration of its own for each case.
    spell_.reset(Configure(new TUVLexemeSpell3(nullptr)));
    UV().SetConfigRegistryKey("Software\\PelorinSpellTest\\" + std::to_string(++n));
    UseDialog();
    UV().CommandsVisible = c.visible;
    UV().CommandsEnabled = c.enabled;
    UV().HelpCtxSpellDialog = c.helpContext;
    UV().ConfigDefaultActiveCustom = c.activeDictionary ? "%ConfigID%.lxu" : "";
    Show();
    Fill({"Teh cat"});
    std::string shown, usable;
    Integer undoTop = 0, optionsTop = 0;
    const std::vector<A> answers = {{K::Do, "", [&] {
                                       TSpellDialog* d = Dialog();
                                       const std::pair<const char*, TButton*> buttons[] = {
                                           {"U", d->UndoButton},       {"O", d->OptionsButton},
                                           {"IA", d->IgnoreAllButton}, {"I", d->IgnoreButton},
                                           {"CA", d->ChangeAllButton}, {"C", d->ChangeButton},
                                           {"A", d->AddButton},        {"T", d->AutoCorrectButton},
                                           {"H", d->HelpButton},       {"X", d->CancelButton}};
                                       for (const auto& [letters, button] : buttons) {
                                         if (button->GetVisible()) shown += (shown.empty() ? "" : " ") + std::string(letters);
                                         if (button->GetEnabled()) usable += (usable.empty() ? "" : " ") + std::string(letters);
                                       }
                                       undoTop = d->UndoButton->GetTop();
                                       optionsTop = d->OptionsButton->GetTop();
                                       UV().DialogCancel();
                                     }}};
    TestUser user(UV(), answers);
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(usable, c.usable);
    // Undo takes the place of a hidden Options button.
    if (!c.visible.Contains(sdcOptions)) EXPECT_EQ(undoTop, optionsTop);
    viewer_test::ProcessUntil([&] { return editor->FindComponent("SpellDialog") == nullptr; }, 30000);
  }
}

// Where the dialog appears: clear of the word shown, by the placement rules.
TEST_F(SpellDialogTest, PlacedAwayFromTheWord) {
  struct Case {
    const char* name;
    TSpellDialogInitialPos initial;
    TRect formBounds;
  };
  const TRect work = Screen->GetWorkAreaRect();
  const Case cases[] = {
      // Beside the editor: below it when there is room.
      {"beside the editor", ipLastUserPos, Bounds(20, 20, 460, 200)},
      // In the middle of the screen, over the word, then moved under it.
      {"moved off the word", ipScreenCenter,
       Bounds(work.Width() / 2 - 230, work.Height() / 2 - 100, 460, 240)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UV().DialogInitialPos = c.initial;
    form->SetBounds(c.formBounds.Left, c.formBounds.Top, c.formBounds.Width(), c.formBounds.Height());
    Show();
    Fill({"the cat sat on the mat", "", "the dog", "", "", "and teh moon"});
    TRect dialog, word, control;
    const std::vector<A> answers = {{K::Do, "", [&] {
                                       dialog = WindowRect(Dialog()->GetHandle());
                                       UV().GetWalker()->SelectionRect(word);
                                       UV().GetWalker()->ControlRect(control);
                                       form->Update();
                                       Dialog()->Update();
                                       testing_support::SaveScreenshot(
                                           GetDesktopWindow(), c.initial == ipLastUserPos ? "spell-dialog-beside-editor"
                                                                                          : "spell-dialog-under-word");
                                       Click(Dialog()->CancelButton);
                                     }}};
    TestUser user(UV(), answers);
    UV().CheckUzurUvadEdit(editor, ckWholeText);
    ASSERT_EQ(user.prompts, (List{"teh"}));
    EXPECT_FALSE(Intersect(dialog, word));
    if (c.initial == ipLastUserPos) {
      EXPECT_EQ(dialog.Top, control.Bottom);
      EXPECT_EQ(dialog.Left, control.Left);
    } else {
      EXPECT_EQ(dialog.Top, word.Bottom);
      EXPECT_EQ(dialog.Left, word.Left);
    }
    // The released dialog goes with the next messages.
    viewer_test::ProcessUntil([&] { return editor->FindComponent("SpellDialog") == nullptr; }, 30000);
  }
}

}  // namespace
