// The spell-check component with the dialog interface: a spelling dialog form supplied by the
// application, connected through its dialog control, shown, placed beside the word and hidden
// again; modal dialogs, series, reactivation, the end message; the popup menu of the class
// library and checks of a control of the class library.
#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "spell/lx3StringParser.h"
#include "spell/lx3Util.h"
#include "spell/lx3WinAPIParser.h"
#include "spell/tests/SpellComponentFixture.h"

namespace {

using namespace spell_testing;
using A = TestUser::Answer;
using K = TestUser::Kind;

// A spelling dialog as a descendant or the application would make one: a form holding a dialog
// control, counting what happens to it.
class TTestSpellDialog : public TForm {
  CLASS_INFO(TTestSpellDialog, TForm)
public:
  explicit TTestSpellDialog(TComponent* AOwner) : TForm(AOwner), Control(new TConfigurationDialogCtrl(this)) {
    SetBounds(0, 0, 240, 160);
    SetBorderStyle(bsDialog);
    Control->OnConfigurationAvailable = TNotifyEvent::FromFunction([this](TObject*) { ++Connected; });
    OnShow = TNotifyEvent::FromFunction([this](TObject*) { ++Shows; });
  }
  TConfigurationDialogCtrl* Control;
  int Connected = 0;
  int Shows = 0;
};

// A multi-line edit control of the class library.
class TTestMemo : public TWinControl {
  CLASS_INFO(TTestMemo, TWinControl)
public:
  explicit TTestMemo(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(10, 10, 400, 120); }

protected:
  void CreateParams(TCreateParams& Params) override {
    inherited::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  }
};

class SpellDialogTest : public SpellComponentTest {
protected:
  void SetUp() override {
    SpellComponentTest::SetUp();
    parent_.reset(CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500, 200, nullptr,
                                  nullptr, nullptr, nullptr));
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 480, 150, parent_.get(),
                            nullptr, nullptr, nullptr);
    dialog_ = new TTestSpellDialog(nullptr);
    Configure(Spell());
  }

  void TearDown() override {
    SpellComponentTest::TearDown();
    delete dialog_;
  }

  void Configure(TLexemeSpell3Base& spell) {
    spell.UIType = suiDialog;
    spell.OnCreateSpellDialog = TCreateSpellDialogEvent::FromFunction([this](TObject*, TForm*& form, bool create) {
      if (create) {
        form = dialog_;
        ++created;
      } else {
        EXPECT_EQ(form, dialog_);
        ++disposed;
      }
    });
    spell.OnSpellDialogShow = TNotifyEvent::FromFunction([this](TObject*) { ++shown; });
    spell.OnSpellDialogHide = TNotifyEvent::FromFunction([this](TObject*) { ++hidden; });
    spell.OnShowEndMessage = TNotifyEvent::FromFunction([this](TObject*) { ++endMessages; });
  }

  struct Result {
    List prompts;
    std::string text;
  };

  Result CheckEdit(const std::string& text, std::vector<A> answers, Integer kind = ckWholeText) {
    SetWindowTextA(edit_, text.c_str());
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    TestUser user(Spell(), std::move(answers), dialog_->Control);
    Spell().CheckWindow(edit_, kind);
    EXPECT_FALSE(Spell().IsChecking());
    char buf[1024] = {};
    GetWindowTextA(edit_, buf, sizeof buf);
    return {user.prompts, buf};
  }

  TRect FormRect() const {
    TRect r;
    GetWindowRect(dialog_->GetHandle(), AsRECT(r));
    return r;
  }

  TRect EditRect() const {
    TPoint origin;
    ClientToScreen(edit_, AsPOINT(origin));
    TRect window;
    GetWindowRect(edit_, AsRECT(window));
    return Bounds(origin.X, origin.Y, window.Width(), window.Height());
  }

  UniqueWindow parent_;
  HWND edit_ = nullptr;
  TTestSpellDialog* dialog_ = nullptr;
  int created = 0, disposed = 0, shown = 0, hidden = 0, endMessages = 0;
};

TEST_F(SpellDialogTest, ShowsTheDialogForTheWordsAndHidesItAtTheEnd) {
  bool visible = false;
  TNotifyEvent ownShow = dialog_->OnShow;
  const Result r = CheckEdit("Teh cat\r\nsat on teh mat", {{K::Do, "", [&] {
                                                              visible = dialog_->GetVisible();
                                                              dialog_->Control->DialogChange("The");
                                                            }},
                                                           {K::ChangeAll, "the"}});
  EXPECT_EQ(r.prompts, (List{"Teh", "teh"}));
  EXPECT_EQ(r.text, "The cat\r\nsat on the mat");
  EXPECT_TRUE(visible);
  EXPECT_EQ(dialog_->Connected, 1);
  EXPECT_EQ(dialog_->Shows, 1) << "the form's own handler still runs";
  EXPECT_EQ(dialog_->Control->GetSpellComponent(), &Spell());
  EXPECT_EQ(created, 1);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(disposed, 1);
  EXPECT_EQ(endMessages, 1);
  EXPECT_FALSE(dialog_->GetVisible());
  EXPECT_EQ(Spell().GetSpellDialog(), nullptr);
  EXPECT_TRUE(dialog_->OnShow == ownShow) << "the form's handlers are given back";
  EXPECT_TRUE(dialog_->OnActivate == nullptr);

  // A text without errors never shows the dialog.
  const Result clean = CheckEdit("The cat sat", {});
  EXPECT_EQ(created, 1);
  EXPECT_EQ(endMessages, 2);
}

TEST_F(SpellDialogTest, PlacesTheDialogBesideTheControlThenWhereTheUserLeftIt) {
  Spell().DialogSelectionAvoid = saNone;
  TRect atPrompt;
  auto note = [&] {
    atPrompt = FormRect();
    Spell().DialogIgnore();
  };
  CheckEdit("teh", {{K::Do, "", note}});
  const TRect control = EditRect();
  EXPECT_EQ(atPrompt.Left, control.Left);
  EXPECT_EQ(atPrompt.Top, control.Bottom);
  EXPECT_EQ(Spell().GetConfiguration()->DialogX(), atPrompt.Left) << "stored when hidden";
  EXPECT_EQ(Spell().GetConfiguration()->DialogY(), atPrompt.Top);

  Spell().GetConfiguration()->SetDialogX(130);
  Spell().GetConfiguration()->SetDialogY(90);
  CheckEdit("teh", {{K::Do, "", note}});
  EXPECT_EQ(atPrompt.Left, 130);
  EXPECT_EQ(atPrompt.Top, 90);

  // Moved to the word when it would cover it.
  Spell().DialogSelectionAvoid = saMove;
  CheckEdit("The cat teh", {{K::Do, "", note}});
  TRect word;
  {
    SetWindowTextA(edit_, "The cat teh");
    TWinAPIControlParser walker;
    walker.Init(edit_);
    walker.SetPos(11, 0, pmCurrent);
    walker.MarkBack(3);
    walker.SelectionRect(word);
  }
  EXPECT_EQ(atPrompt.Left, word.Left);
  EXPECT_EQ(atPrompt.Top, word.Bottom);

  int positioned = 0;
  Spell().DialogInitialPos = ipUserDefined;
  Spell().DialogSelectionAvoid = saNone;
  Spell().OnPositionDialog = TNotifyEvent::FromFunction([&](TObject*) {
    ++positioned;
    ClampDialog(Spell().GetSpellDialog()->GetHandle(), 7, 9);
  });
  CheckEdit("teh", {{K::Do, "", note}});
  EXPECT_EQ(positioned, 1);
  EXPECT_EQ(atPrompt.Left, 7);
  EXPECT_EQ(atPrompt.Top, 9);
}

TEST_F(SpellDialogTest, AModalDialogRunsTheCheck) {
  Spell().DialogShowModal = true;
  bool modal = false;
  const Result r = CheckEdit("Teh cat sat on teh mat", {{K::Do, "", [&] {
                                                           modal = dialog_->GetFormState().Contains(fsModal);
                                                           Spell().DialogChange("The");
                                                         }},
                                                        {K::Ignore}});
  EXPECT_TRUE(modal);
  EXPECT_EQ(r.prompts, (List{"Teh", "teh"}));
  EXPECT_EQ(r.text, "The cat sat on teh mat");
  EXPECT_FALSE(dialog_->GetVisible());
  EXPECT_EQ(disposed, 1);

  // Shown at once, the modal dialog starts the loop itself.
  Spell().DialogShowImmediate = true;
  const Result again = CheckEdit("Teh cat", {{K::Change, "The"}});
  EXPECT_EQ(again.prompts, List{"Teh"});
  EXPECT_EQ(again.text, "The cat");
  EXPECT_EQ(created, 2);
}

TEST_F(SpellDialogTest, ReactivationResumesAtTheCursorOrTheLastWord) {
  int deactivated = 0, activated = 0;
  Spell().OnDialogDeactivate = TNotifyEvent::FromFunction([&](TObject*) { ++deactivated; });
  Spell().OnDialogActivate = TNotifyEvent::FromFunction([&](TObject*) { ++activated; });
  bool couldUndo = true;
  auto leaveAndComeBack = [&] {
    dialog_->OnDeactivate(dialog_);
    dialog_->OnDeactivate(dialog_);  // told once
    SendMessageA(edit_, EM_SETSEL, 8, 8);
    dialog_->OnActivate(dialog_);
    couldUndo = Spell().CanUndo();
  };
  Result r = CheckEdit("aaa bbb ccc", {{K::Ignore}, {K::Do, "", leaveAndComeBack}, {K::Ignore}, {K::Ignore}});
  EXPECT_EQ(r.prompts, (List{"aaa", "bbb", "bbb", "ccc"})) << "from the earlier position, the last word";
  EXPECT_EQ(deactivated, 1);
  EXPECT_EQ(activated, 1);
  EXPECT_FALSE(couldUndo);

  Spell().ResumeFromLastPosition = false;
  r = CheckEdit("aaa bbb ccc", {{K::Ignore}, {K::Do, "", leaveAndComeBack}, {K::Ignore}});
  EXPECT_EQ(r.prompts, (List{"aaa", "bbb", "ccc"})) << "from the cursor";
}

TEST_F(SpellDialogTest, ASeriesKeepsTheDialogUntilItsEnd) {
  Spell().BeginCheckSeries();
  CheckEdit("teh", {{K::Ignore}});
  EXPECT_TRUE(dialog_->GetVisible());
  CheckEdit("wrold", {{K::Ignore}});
  EXPECT_EQ(created, 1);
  EXPECT_EQ(disposed, 0);
  EXPECT_EQ(endMessages, 0);
  Spell().EndCheckSeries();
  EXPECT_EQ(disposed, 1);
  EXPECT_EQ(endMessages, 1);
  EXPECT_FALSE(dialog_->GetVisible());
}

TEST_F(SpellDialogTest, EndMessageOnlyAfterTheDialogWasShown) {
  Spell().EndMessage = emNoDialog;
  CheckEdit("The cat", {});
  EXPECT_EQ(endMessages, 0);
  CheckEdit("teh", {{K::Ignore}});
  EXPECT_EQ(endMessages, 1);
  Spell().DialogShowImmediate = true;
  CheckEdit("The cat", {});
  EXPECT_EQ(endMessages, 2) << "shown before any word was found";
}

TEST_F(SpellDialogTest, TheSilentInterfaceNeverShowsTheDialog) {
  Spell().UIType = suiSilent;
  TestUser user(Spell(), {{K::Ignore}});
  AnsiString text = "teh";
  Spell().CheckText(text);
  EXPECT_EQ(user.prompts, List{"teh"});
  EXPECT_EQ(created, 0);
  EXPECT_EQ(endMessages, 0);
}

TEST_F(SpellDialogTest, ChecksAControlOfTheClassLibrary) {
  TForm* host = TForm::CreateNew(nullptr);
  auto* memo = new TTestMemo(host);
  memo->SetParent(host);
  host->Show();
  SetWindowTextA(memo->GetHandle(), "Teh cat\r\nsat on teh mat");
  {
    TestUser user(Spell(), {{K::Change, "The"}, {K::ChangeAll, "the"}}, dialog_->Control);
    Spell().CheckControl(memo, ckWholeText);
    EXPECT_EQ(user.prompts, (List{"Teh", "teh"}));
  }
  char buf[256] = {};
  GetWindowTextA(memo->GetHandle(), buf, sizeof buf);
  EXPECT_STREQ(buf, "The cat\r\nsat on the mat");
  delete host;
}

TEST_F(SpellDialogTest, ThePopupMenuOfTheClassLibrary) {
  List captions;
  Spell().OnPopupDoMenu = TPopupDoMenuEvent::FromFunction(
      [&](TObject*, TObject* menu, const TPoint&, Integer&, AnsiString&) {
        auto* popup = dynamic_cast<TPopupMenu*>(menu);
        ASSERT_NE(popup, nullptr);
        TMenuItem* root = popup->GetItems();
        for (Integer i = 0; i < root->GetCount(); ++i) {
          TMenuItem* item = root->GetItems(i);
          captions.push_back(item->GetCaption() + (item->GetEnabled() ? "" : " (disabled)") +
                             (item->GetCount() ? " >" + std::to_string(item->GetCount()) : ""));
        }
        // The user picks the first suggestion under Change All.
        root->Find("Change All")->GetItems(0)->Click();
      });
  AnsiString word = "huose";
  EXPECT_EQ(Spell().PopupForWord(nullptr, poSuggestions | poIgnore | poChangeAll, word, TPoint{}), prChangeAll);
  EXPECT_EQ(word, "house");
  ASSERT_GE(captions.size(), 4u);
  EXPECT_EQ(captions[0], "house");
  const List tail(captions.end() - 4, captions.end());
  EXPECT_EQ(tail[0], "-");
  EXPECT_EQ(tail[1], "I&gnore");
  EXPECT_EQ(tail[2], "-");
  EXPECT_EQ(tail[3].substr(0, 13), "&Change All >");
}

}  // namespace
