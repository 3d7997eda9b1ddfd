// Labels on a shown form: sizing to the caption, 3D captions, twinkling, the accelerator, and
// link labels opening their targets through the shell, clicked with real mouse messages.
#include <string>
#include <vector>

#include "classlib/StdCtrls.h"
#include "controls/VisLabel.h"
#include "controls/VisObject.h"
#include "controls/tests/support/ControlForms.h"

using namespace control_forms;
using namespace pixels;

namespace {

// Records what the labels ask the shell to open and answers with Result.
struct ShellRecorder {
  ShellRecorder() {
    current = this;
    VisShellExecute = &Record;
  }
  ~ShellRecorder() {
    VisShellExecute = &::ShellExecuteA;
    current = nullptr;
  }
  static HINSTANCE WINAPI Record(HWND, LPCSTR Operation, LPCSTR File, LPCSTR, LPCSTR, INT ShowCmd) {
    current->targets.push_back(File);
    current->verbNone = current->verbNone && Operation == nullptr;
    current->shown = ShowCmd;
    return reinterpret_cast<HINSTANCE>(current->result);
  }
  static inline ShellRecorder* current = nullptr;
  std::vector<std::string> targets;
  bool verbNone = true;
  INT shown = 0;
  INT_PTR result = 42;
};

class LabelTest : public ControlFormTest {
protected:
  TVisSimpleLabel* NewLabel(const AnsiString& Caption, Integer Left = 20, Integer Top = 20) {
    auto* label = Add<TVisSimpleLabel>(Left, Top);
    label->SetCaption(Caption);
    return label;
  }
  // The size of Text in the form's font.
  TSize TextSize(const AnsiString& Text) {
    TBitmap bitmap;
    bitmap.GetCanvas()->SetFont(form_->GetFont());
    return bitmap.GetCanvas()->TextExtent(Text);
  }
};

TEST_F(LabelTest, ANewLabelIsTransparentAndSizesItselfToItsCaption) {
  auto* label = new TVisSimpleLabel(form_);
  EXPECT_EQ(label->GetWidth(), 30);
  EXPECT_EQ(label->GetHeight(), 30);
  EXPECT_TRUE(label->GetTransparent());
  EXPECT_TRUE(label->GetAutoSize());
  EXPECT_EQ(label->GetJumpMode(), jmNone);
  EXPECT_EQ(label->GetTwinkleTimer(), 0);
  label->SetParent(form_);
  label->SetCaption("Genesis to Revelation");
  // The text and a pixel of margin on each side.
  const TSize text = TextSize("Genesis to Revelation");
  EXPECT_EQ(label->GetWidth(), text.cx + 2);
  EXPECT_EQ(label->GetHeight(), text.cy + 2);
  const Integer line = label->GetHeight();
  label->SetCaption("");
  EXPECT_EQ(label->GetHeight(), line) << "an empty label keeps a line's height";

  // Multi-line text wraps within the label's width and grows downwards.
  label->SetAutoSize(false);
  label->SetWidth(90);
  label->SetMultiLine(true);
  label->SetAutoSize(true);
  label->SetCaption("In the beginning God created the heaven and the earth.");
  EXPECT_LE(label->GetWidth(), 90);
  EXPECT_GE(label->GetHeight(), 3 * (line - 2));

  // A 3D caption takes the room of its depth.
  label->SetMultiLine(false);
  label->SetCaption("Psalms");
  const TRect flat = label->GetBoundsRect();
  label->GetFont3D()->SetStyle(tdRaisedShadow);
  label->GetFont3D()->SetShadowDepth(3);
  EXPECT_EQ(label->GetWidth(), flat.Width() + 4);
  EXPECT_EQ(label->GetHeight(), flat.Height() + 4);
}

TEST_F(LabelTest, AutoSizeKeepsTheSideTheAlignmentHolds) {
  struct Case {
    TVisAlignment alignment;
    bool keepsRight;
    bool keepsBottom;
  };
  for (const Case& c : {Case{agTopLeft, false, false}, Case{agTopRight, true, false},
                        Case{agBottomRight, true, true}, Case{agBottomLeft, false, true}}) {
    SCOPED_TRACE(c.alignment);
    auto* label = NewLabel("OT:", 200, 100);
    label->SetAlignment(c.alignment);
    const TRect before = label->GetBoundsRect();
    label->GetFont()->SetSize(14);
    label->SetCaption("Old Testament:");
    const TRect after = label->GetBoundsRect();
    EXPECT_GT(after.Width(), before.Width());
    EXPECT_GT(after.Height(), before.Height());
    EXPECT_EQ(after.Right == before.Right, c.keepsRight);
    EXPECT_EQ(after.Left == before.Left, !c.keepsRight);
    EXPECT_EQ(after.Bottom == before.Bottom, c.keepsBottom);
    EXPECT_EQ(after.Top == before.Top, !c.keepsBottom);
    delete label;
  }
}

TEST_F(LabelTest, DrawsItsCaptionInThe3DStyleOverItsParent) {
  auto* label = NewLabel("Mark");
  label->GetFont()->SetSize(20);
  label->GetFont()->SetColor(clBlue);
  label->GetFont3D()->SetStyle(tdShadow);
  label->GetFont3D()->SetShadowColor(clRed);
  label->GetFont3D()->SetShadowDepth(3);
  Shot("label-3d");
  auto picture = CaptureClient(label);
  // Transparent: the form shows around the text.
  EXPECT_EQ(At(*picture, 0, 0), kFormColor);
  // The shadow is a copy of the text moved by its depth.
  const TRect text = BoundsOf(*picture, clBlue);
  const TRect shadow = BoundsOf(*picture, clRed);
  ASSERT_FALSE(text.Width() == 0);
  EXPECT_EQ(shadow.Right - text.Right, 3);
  EXPECT_EQ(shadow.Bottom - text.Bottom, 3);

  // Opaque, it fills itself with its colour; disabled, its text is grey.
  label->SetTransparent(false);
  label->SetParentColor(false);
  label->SetColor(clYellow);
  label->SetEnabled(false);
  Shot("label-disabled");
  picture = CaptureClient(label);
  EXPECT_EQ(At(*picture, 0, 0), clYellow);
  EXPECT_EQ(Count(*picture, clBlue), 0);
  EXPECT_GT(Count(*picture, Sys(clGrayText)), 0);
}

TEST_F(LabelTest, TwinklingAlternatesShownAndHiddenAtTheTwoIntervals) {
  auto* label = NewLabel("Unsaved changes");
  label->GetFont()->SetColor(clBlue);
  // The test fires the timer itself; intervals far longer than the test keep the timer's own
  // ticks out of it, which a busy machine's slow screenshots would otherwise let in.
  label->SetTwinkleVisible(30000);
  label->SetTwinkleInVisible(15000);
  label->SetTwinkle(true);
  const Word ident = label->GetTwinkleTimer();
  ASSERT_NE(ident, 0);
  TVisTimerItem* timer = VisApplication->GetTimer(ident);
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->GetInterval(), 30000);
  timer->Fire();
  EXPECT_TRUE(label->GetTwinkleHidden());
  EXPECT_EQ(timer->GetInterval(), 15000);
  Shot("label-twinkle-hidden");
  EXPECT_EQ(Count(*CaptureClient(label), clBlue), 0) << "hidden without a twinkle colour";
  label->SetTwinkleColor(clRed);
  Shot("label-twinkle-coloured");
  EXPECT_GT(Count(*CaptureClient(label), clRed), 0);
  timer->Fire();
  EXPECT_FALSE(label->GetTwinkleHidden());
  EXPECT_EQ(timer->GetInterval(), 30000);
  timer->Fire();
  // Switching off removes the timer and shows the label.
  label->SetTwinkle(false);
  EXPECT_EQ(label->GetTwinkleTimer(), 0);
  EXPECT_FALSE(VisApplication->GetTimer(ident));
  EXPECT_FALSE(label->GetTwinkleHidden());
  Shot("label-twinkle-off");
  EXPECT_GT(Count(*CaptureClient(label), clBlue), 0);
  // Freeing a twinkling label gives its timer back.
  label->SetTwinkle(true);
  const Word again = label->GetTwinkleTimer();
  delete label;
  EXPECT_FALSE(VisApplication->GetTimer(again));
}

TEST_F(LabelTest, TheAcceleratorMovesTheFocusToTheFocusControl) {
  auto* edit = Add<TEdit>(20, 80, 120);
  auto* other = Add<TEdit>(20, 120, 120);
  auto* label = NewLabel("&Name:");
  label->SetFocusControl(edit);
  other->SetFocus();
  ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'n', LPARAM(1) | (LPARAM(1) << 29));
  ProcessFor(50);
  EXPECT_TRUE(edit->Focused());
  // Without ShowAccelChar the ampersand is text, not an accelerator.
  label->SetShowAccelChar(false);
  other->SetFocus();
  ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'n', LPARAM(1) | (LPARAM(1) << 29));
  ProcessFor(50);
  EXPECT_TRUE(other->Focused());
  // A freed focus control is let go.
  label->SetShowAccelChar(true);
  delete edit;
  EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST_F(LabelTest, AJumpLabelLooksLikeALinkAndOpensItsTarget) {
  struct Case {
    TVisJumpModes mode;
    const char* jump;
    const char* caption;
    const char* opened;
  };
  const Case cases[] = {
      {jmInternet, "", "translators@example.org", "mailto:translators@example.org"},
      {jmInternet, "  ", "www.example.org/pelorin", "www.example.org/pelorin"},
      {jmInternet, "https://example.org/help", "Help pages", "https://example.org/help"},
      {jmApplication, "", "notepad.exe", "notepad.exe"},
      {jmApplication, "editor.exe", "Edit the pages", "editor.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    ShellRecorder shell;
    auto* label = NewLabel(c.caption);
    label->SetJump(c.jump);
    label->SetJumpMode(c.mode);
    EXPECT_EQ(label->GetCursor(), crHandPoint);
    EXPECT_EQ(label->GetFont()->GetColor(), clBlue);
    EXPECT_TRUE(label->GetFont()->GetStyle().Contains(fsUnderline));
    int clicks = 0;
    label->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    ClickAt(label, 3, 3);
    EXPECT_EQ(shell.targets, std::vector<std::string>{c.opened});
    EXPECT_TRUE(shell.verbNone);
    EXPECT_EQ(shell.shown, SW_SHOWNORMAL);
    EXPECT_EQ(clicks, 0) << "a jump is the click";
    EXPECT_EQ(label->GetVisits(), 1);
    EXPECT_TRUE(label->GetEnabled());
    delete label;
  }
}

TEST_F(LabelTest, TheUsersMouseOpensALink) {
  ShellRecorder shell;
  auto* label = NewLabel("www.example.org");
  label->SetJumpMode(jmInternet);
  testing_support::MouseClick(form_->GetHandle(), label->GetLeft() + 5, label->GetTop() + 5);
  EXPECT_TRUE(ProcessUntil([&] { return !shell.targets.empty(); }));
  EXPECT_EQ(shell.targets, std::vector<std::string>{"www.example.org"});
  EXPECT_EQ(label->GetFont()->GetColor(), clBlue) << "released: the link colour again";
}

TEST_F(LabelTest, PressingALinkColoursItActiveUntilReleased) {
  ShellRecorder shell;
  auto* label = NewLabel("www.example.org");
  label->SetJumpMode(jmInternet);
  PointAt(label, 3, 3);
  SendMouse(label, WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
  EXPECT_EQ(label->GetFont()->GetColor(), TColor(8388736));
  // Released elsewhere: no jump, and the link colour comes back.
  SendMouse(label, WM_LBUTTONUP, 300, 200);
  EXPECT_EQ(label->GetFont()->GetColor(), clBlue);
  EXPECT_TRUE(shell.targets.empty());
  // Back to an ordinary label: black, not underlined, an ordinary click.
  label->SetJumpMode(jmNone);
  EXPECT_EQ(label->GetCursor(), crDefault);
  EXPECT_EQ(label->GetFont()->GetColor(), clBlack);
  EXPECT_FALSE(label->GetFont()->GetStyle().Contains(fsUnderline));
  int clicks = 0;
  label->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
  ClickAt(label, 3, 3);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(shell.targets.empty());
}

TEST_F(LabelTest, AnAddressTheShellCannotOpenSwitchesTheLinkOff) {
  ShellRecorder shell;
  shell.result = SE_ERR_NOASSOC;
  auto* label = NewLabel("nowhere.invalid");
  label->SetJumpMode(jmInternet);
  ClickAt(label, 3, 3);
  EXPECT_EQ(shell.targets.size(), 1u);
  EXPECT_EQ(label->GetJumpMode(), jmNone);
  EXPECT_FALSE(label->GetEnabled());
  ClickAt(label, 3, 3);
  EXPECT_EQ(shell.targets.size(), 1u) << "a disabled label opens nothing";
  // A program that cannot be started leaves the label as it was.
  auto* program = NewLabel("missing.exe", 20, 60);
  program->SetJumpMode(jmApplication);
  ClickAt(program, 3, 3);
  EXPECT_EQ(shell.targets.size(), 2u);
  EXPECT_EQ(program->GetJumpMode(), jmApplication);
  EXPECT_TRUE(program->GetEnabled());
}

TEST_F(LabelTest, AFormStoredWithUseAsJumpLoadsAnInternetLink) {
  auto* label = new TVisSimpleLabel(form_);
  label->SetParent(form_);
  ReadFormText(
      "object Label1: TVisSimpleLabel\n"
      "  Caption = 'www.example.org'\n"
      "  UseAsJump = True\n"
      "end\n",
      label);
  EXPECT_EQ(label->GetJumpMode(), jmInternet);
  EXPECT_EQ(label->GetFont()->GetColor(), clBlue);
  EXPECT_EQ(label->GetCaption(), "www.example.org");

  // Written again, the old property is gone and the mode is stored instead.
  const AnsiString written = FormText(label);
  EXPECT_EQ(written.find("UseAsJump"), std::string::npos);
  EXPECT_NE(written.find("JumpMode = jmInternet"), std::string::npos);
}

}  // namespace
