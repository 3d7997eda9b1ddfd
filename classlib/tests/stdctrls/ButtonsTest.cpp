// Buttons, check boxes, radio buttons and group boxes on a shown form.
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/Timers.h"
#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

struct Clicks {
  int count = 0;
  TNotifyEvent Handler() {
    return TNotifyEvent::FromFunction([this](TObject*) { ++count; });
  }
};

class ButtonTest : public FormTest {};

TEST_F(ButtonTest, AClickRunsOnClickAndEndsTheModalLoopWithTheButtonsResult) {
  auto* ok = Add<TButton>(10, 10);
  ok->SetCaption("&OK");
  ok->ModalResult = mrOk;
  Clicks clicks;
  ok->OnClick = clicks.Handler();
  ::SendMessageA(ok->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(form_->GetModalResult(), mrOk);

  // In a modal loop the click closes the form with the result.
  form_->Hide();
  form_->SetModalResult(mrNone);
  ::PostMessageA(ok->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form_->ShowModal(), mrOk);
  EXPECT_EQ(clicks.count, 2);
}

TEST_F(ButtonTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  auto* edit = Add<TEdit>(10, 10);
  auto* ok = Add<TButton>(10, 50);
  auto* cancel = Add<TButton>(100, 50);
  auto* other = Add<TButton>(190, 50);
  ok->SetDefault(true);
  cancel->SetCancel(true);
  Clicks okClicks, cancelClicks, otherClicks;
  ok->OnClick = okClicks.Handler();
  cancel->OnClick = cancelClicks.Handler();
  other->OnClick = otherClicks.Handler();

  edit->SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(okClicks.count, 1);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(cancelClicks.count, 1);
  EXPECT_EQ((::GetWindowLongPtrA(ok->GetHandle(), GWL_STYLE) & 0x0F), BS_DEFPUSHBUTTON);

  // While another button has the focus, Enter is that button's, and it shows as the default.
  other->SetFocus();
  EXPECT_EQ((::GetWindowLongPtrA(other->GetHandle(), GWL_STYLE) & 0x0F), BS_DEFPUSHBUTTON);
  EXPECT_EQ((::GetWindowLongPtrA(ok->GetHandle(), GWL_STYLE) & 0x0F), BS_PUSHBUTTON);
  PressKey(VK_RETURN);
  EXPECT_EQ(otherClicks.count, 1);
  EXPECT_EQ(okClicks.count, 1);

  edit->SetFocus();
  EXPECT_EQ((::GetWindowLongPtrA(ok->GetHandle(), GWL_STYLE) & 0x0F), BS_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, AltWithTheUnderlinedLetterClicks) {
  auto* edit = Add<TEdit>(10, 10);
  auto* save = Add<TButton>(10, 50);
  save->SetCaption("&Save file");
  Clicks clicks;
  save->OnClick = clicks.Handler();
  edit->SetFocus();
  PressAlt('s');
  EXPECT_EQ(clicks.count, 1);
  PressAlt('f');
  EXPECT_EQ(clicks.count, 1);
}

TEST_F(ButtonTest, TabMovesTheFocusInTabOrder) {
  auto* a = Add<TEdit>(10, 10);
  auto* b = Add<TButton>(10, 50);
  auto* c = Add<TCheckBox>(10, 90);
  auto* d = Add<TListBox>(10, 120);
  auto* label = Add<TLabel>(200, 10);
  (void)label;
  a->SetFocus();
  const std::vector<TWinControl*> order = {b, c, d, a};
  for (TWinControl* next : order) {
    PressKey(VK_TAB);
    EXPECT_TRUE(next->Focused()) << next->ClassName();
  }
  PressKey(VK_TAB, /*shift=*/true);
  EXPECT_TRUE(d->Focused());
}

TEST_F(ButtonTest, AButtonOpensADialogThatTheResponderAnswers) {
  // The save-book flow of a dialog: a button shows a file dialog and the chosen file lands in
  // an edit.
  struct ChooseFile : TDialogResponder {
    bool Execute(TCommonDialog* dialog) override {
      auto* open = dynamic_cast<TOpenDialog*>(dialog);
      if (!open || open->Filter != "Executables|*.exe") return false;
      open->FileName = "C:\\Tools\\helper.exe";
      return true;
    }
  } responder;
  TDialogResponder* previous = SetDialogResponder(&responder);
  auto* dialog = new TOpenDialog(form_);
  dialog->Filter = "Executables|*.exe";
  auto* path = Add<TEdit>(10, 10, 250);
  auto* browse = Add<TButton>(270, 10);
  browse->OnClick = TNotifyEvent::FromFunction([&](TObject*) {
    if (dialog->Execute()) path->SetText(dialog->FileName);
  });
  ::SendMessageA(browse->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(path->GetText(), "C:\\Tools\\helper.exe");
  SetDialogResponder(previous);
}

// ---- Check boxes and radio buttons ----

class CheckTest : public FormTest {};

TEST_F(CheckTest, ClicksToggleTheCheckBoxAndCodeChangesRunOnClick) {
  auto* box = Add<TCheckBox>(10, 10);
  box->SetCaption("Use a helper application for spelling check");
  Clicks clicks;
  box->OnClick = clicks.Handler();
  ::SendMessageA(box->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->GetChecked());
  EXPECT_EQ(::SendMessageA(box->GetHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks.count, 1);
  box->SetChecked(false);
  EXPECT_EQ(clicks.count, 2);
  EXPECT_EQ(::SendMessageA(box->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  box->SetChecked(false);
  EXPECT_EQ(clicks.count, 2) << "no change, no click";

  box->SetAllowGrayed(true);
  const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
  for (TCheckBoxState expected : cycle) {
    ::SendMessageA(box->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box->GetState(), expected);
  }
  // A new window (another alignment) shows the same state.
  box->SetState(cbGrayed);
  box->SetAlignment(taLeftJustify);
  EXPECT_EQ(::SendMessageA(box->GetHandle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_NE(::GetWindowLongPtrA(box->GetHandle(), GWL_STYLE) & BS_LEFTTEXT, 0);
}

TEST_F(CheckTest, SpaceTogglesTheFocusedCheckBox) {
  auto* box = Add<TCheckBox>(10, 10);
  box->SetFocus();
  // The button acts on the release of the space bar.
  ::PostMessageA(box->GetHandle(), WM_KEYDOWN, VK_SPACE, 0);
  ::PostMessageA(box->GetHandle(), WM_KEYUP, VK_SPACE, LPARAM(0xC0000001));
  ProcessFor(50);
  EXPECT_TRUE(box->GetChecked());
}

TEST_F(CheckTest, CheckingARadioButtonUnchecksItsSiblingsOnly) {
  auto* group = Add<TGroupBox>(10, 10, 200, 100);
  auto* a = Add<TRadioButton>(10, 20, -1, -1, group);
  auto* b = Add<TRadioButton>(10, 40, -1, -1, group);
  auto* c = Add<TRadioButton>(10, 60, -1, -1, group);
  auto* outside = Add<TRadioButton>(10, 150);
  outside->SetChecked(true);
  Clicks clicks;
  b->OnClick = clicks.Handler();
  a->SetChecked(true);
  ::SendMessageA(b->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_FALSE(c->GetChecked());
  EXPECT_TRUE(outside->GetChecked());
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(::SendMessageA(a->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Only the checked one of the group is a tab stop.
  EXPECT_FALSE(a->GetTabStop());
  EXPECT_TRUE(b->GetTabStop());

  // The arrow keys move within the group and check the button they reach.
  b->SetFocus();
  PressKey(VK_DOWN);
  EXPECT_TRUE(c->Focused());
  EXPECT_TRUE(c->GetChecked());
  EXPECT_FALSE(b->GetChecked());
}

TEST_F(CheckTest, AGroupBoxHoldsItsControlsBelowItsCaptionAndPaintsAFrame) {
  form_->SetColor(clBtnFace);
  auto* group = Add<TGroupBox>(10, 10, 200, 100);
  group->SetCaption("&Sentence structure");
  auto* edit = Add<TEdit>(0, 0, 80, -1, group);
  edit->SetAlign(alTop);
  // Aligned to the top, the edit sits inside the frame and under the caption.
  EXPECT_GT(edit->GetTop(), 8);
  EXPECT_GE(edit->GetLeft(), 1);
  EXPECT_LE(edit->GetWidth(), 198);

  // The frame's shadow line runs along the bottom; the caption's background is the box's.
  const COLORREF shadow = Rgb(clBtnShadow);
  EXPECT_EQ(PaintedPixel(group, 100, group->GetHeight() - 2), shadow);

  auto* other = Add<TEdit>(10, 150);
  other->SetFocus();
  PressAlt('s');
  EXPECT_TRUE(edit->Focused()) << "the caption's letter goes to the first control inside";
}

}  // namespace
