// Labels, edits and memos on a shown form.
#include <vector>

#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

class LabelTest : public FormTest {};

TEST_F(LabelTest, AutoSizeFollowsTheTextAndWordWrapMakesItTaller) {
  auto* label = Add<TLabel>(10, 10);
  label->SetCaption("Select &book");
  const Integer oneLine = label->GetHeight();
  const Integer width = label->GetWidth();
  EXPECT_GT(width, 40);
  EXPECT_GT(oneLine, 10);
  label->SetCaption("Select &book and chapter");
  EXPECT_GT(label->GetWidth(), width);
  EXPECT_EQ(label->GetHeight(), oneLine);

  label->SetCaption("");
  EXPECT_EQ(label->GetHeight(), oneLine) << "an empty label keeps a line's height";

  // With word wrap the label keeps to its width (shrinking to its longest line).
  label->SetAutoSize(false);
  label->SetWidth(100);
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  label->SetCaption("Characters to be filtered out of the words");
  EXPECT_LE(label->GetWidth(), 100);
  EXPECT_GT(label->GetWidth(), 50);
  EXPECT_GE(label->GetHeight(), 3 * oneLine);
}

TEST_F(LabelTest, ARightAlignedLabelKeepsItsRightEdge) {
  auto* label = Add<TLabel>(100, 10);
  label->SetAlignment(taRightJustify);
  label->SetCaption("OT:");
  const Integer right = label->GetLeft() + label->GetWidth();
  label->SetCaption("Old Testament:");
  EXPECT_EQ(label->GetLeft() + label->GetWidth(), right);
}

TEST_F(LabelTest, PaintsItsBackgroundUnlessTransparentAndItsText) {
  form_->SetColor(clWhite);
  auto* label = Add<TLabel>(10, 10);
  label->SetCaption("WWWW");
  label->GetFont()->SetColor(clBlack);
  label->SetColor(clYellow);
  label->SetParentColor(false);
  ProcessFor(50);
  // The corner of the label shows its colour; its text has black pixels.
  EXPECT_EQ(PaintedPixel(form_, label->GetLeft() + label->GetWidth() - 1, label->GetTop()), Rgb(clYellow));
  bool black = false;
  for (int x = 0; x < label->GetWidth() && !black; ++x)
    for (int y = 0; y < label->GetHeight() && !black; ++y)
      black = PaintedPixel(form_, label->GetLeft() + x, label->GetTop() + y) == RGB(0, 0, 0);
  EXPECT_TRUE(black);

  label->SetTransparent(true);
  EXPECT_EQ(PaintedPixel(form_, label->GetLeft() + label->GetWidth() - 1, label->GetTop()), Rgb(clWhite));
}

TEST_F(LabelTest, ALabelThatShrinksLeavesItsParentShowingWhereItWas) {
  form_->SetColor(clWhite);
  auto* label = Add<TLabel>(10, 10);
  label->SetColor(clYellow);
  label->SetParentColor(false);
  label->SetCaption("Defining ...");
  ProcessFor(50);
  // What the screen shows at a point of the form's client area.
  auto shown = [&](Integer x, Integer y) {
    RECT window{};
    ::GetWindowRect(form_->GetHandle(), &window);
    POINT p{x, y};
    ::ClientToScreen(form_->GetHandle(), &p);
    return testing_support::CaptureWindow(form_->GetHandle()).Pixel(p.x - window.left, p.y - window.top);
  };
  const Integer oldRight = label->GetLeft() + label->GetWidth() - 1;
  ASSERT_EQ(shown(oldRight, label->GetTop()), Rgb(clYellow));
  label->SetCaption("0");
  ProcessFor(50);
  ASSERT_LT(label->GetLeft() + label->GetWidth() - 1, oldRight);
  EXPECT_EQ(shown(oldRight, label->GetTop()), Rgb(clWhite));
}

TEST_F(LabelTest, AltWithTheUnderlinedLetterFocusesTheControlOfTheLabel) {
  auto* first = Add<TEdit>(10, 40);
  auto* label = Add<TLabel>(10, 10);
  label->SetCaption("Select &book");
  auto* target = Add<TEdit>(100, 10);
  label->SetFocusControl(target);
  first->SetFocus();
  ASSERT_TRUE(first->Focused());
  PressAlt('b');
  EXPECT_TRUE(target->Focused());

  // Another letter, or a label without the mark, does nothing.
  first->SetFocus();
  PressAlt('s');
  EXPECT_TRUE(first->Focused());
  label->SetShowAccelChar(false);
  PressAlt('b');
  EXPECT_TRUE(first->Focused());
}

TEST_F(LabelTest, ForgetsAFocusControlThatIsFreed) {
  auto* label = Add<TLabel>(10, 10);
  auto* edit = Add<TEdit>(10, 40);
  label->SetFocusControl(edit);
  delete edit;
  EXPECT_EQ(label->GetFocusControl(), nullptr);
}

// ---- Edits ----

class EditTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    edit_ = Add<TEdit>(10, 10, 200);
    edit_->OnChange = TNotifyEvent::FromFunction([this](TObject*) {
      ++changes_;
      seen_ = edit_->GetText();
    });
  }
  TEdit* edit_ = nullptr;
  int changes_ = 0;
  std::string seen_;
};

TEST_F(EditTest, IsTheSystemsEditAndReportsEveryChange) {
  // The window answers the edit control's own messages.
  EXPECT_EQ(::SendMessageA(edit_->GetHandle(), EM_GETLINECOUNT, 0, 0), 1);

  edit_->SetText("Genesis");
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(seen_, "Genesis");
  ::SendMessageA(edit_->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Exodus"));
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(edit_->GetText(), "Exodus");

  edit_->SetFocus();
  edit_->SelectAll();
  Type("Ruth");
  EXPECT_EQ(edit_->GetText(), "Ruth");
  EXPECT_EQ(changes_, 6);
  EXPECT_TRUE(edit_->GetModified());
  edit_->SetModified(false);
  EXPECT_FALSE(edit_->GetModified());
}

TEST_F(EditTest, MaxLengthAndReadOnlyLimitTyping) {
  edit_->SetMaxLength(3);
  edit_->SetFocus();
  Type("abcdef");
  EXPECT_EQ(edit_->GetText(), "abc");
  edit_->SetText("longer text set in code");
  EXPECT_EQ(edit_->GetText(), "longer text set in code") << "the limit is for typing";

  edit_->SetReadOnly(true);
  edit_->SelectAll();
  Type("x");
  EXPECT_EQ(edit_->GetText(), "longer text set in code");
  EXPECT_NE(::GetWindowLongPtrA(edit_->GetHandle(), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(EditTest, SelectionCanBeReadReplacedAndUndone) {
  edit_->SetText("In the beginning");
  edit_->SetSelStart(3);
  edit_->SetSelLength(3);
  EXPECT_EQ(edit_->GetSelStart(), 3);
  EXPECT_EQ(edit_->GetSelLength(), 3);
  EXPECT_EQ(edit_->GetSelText(), "the");
  edit_->SetSelText("a");
  EXPECT_EQ(edit_->GetText(), "In a beginning");
  EXPECT_TRUE(edit_->GetCanUndo());
  edit_->Undo();
  EXPECT_EQ(edit_->GetText(), "In the beginning");
  edit_->SelectAll();
  EXPECT_EQ(edit_->GetSelLength(), 16);
  edit_->ClearSelection();
  EXPECT_EQ(edit_->GetText(), "");
}

TEST_F(EditTest, StateSurvivesANewWindowAndTextWithoutAWindowIsReported) {
  edit_->SetText("Kept");
  edit_->SetMaxLength(10);
  HWND before = edit_->GetHandle();
  edit_->SetCharCase(ecUpperCase);  // a style change: a new window
  EXPECT_NE(edit_->GetHandle(), before);
  EXPECT_EQ(edit_->GetText(), "KEPT") << "the text as the new style shows it";
  EXPECT_NE(::GetWindowLongPtrA(edit_->GetHandle(), GWL_STYLE) & ES_UPPERCASE, 0);
  EXPECT_EQ(::SendMessageA(edit_->GetHandle(), EM_GETLIMITTEXT, 0, 0), 10);

  auto* loose = new TEdit(form_);
  int changes = 0;
  loose->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  loose->SetText("no window yet");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(loose->GetText(), "no window yet");
  loose->SetParent(form_);
  EXPECT_EQ(forms_test::ProcessUntil([&] { return loose->HandleAllocated(); }), true);
  EXPECT_EQ(loose->GetText(), "no window yet");
}

TEST_F(EditTest, AutoSizeMakesTheEditAsTallAsItsFont) {
  const Integer small = edit_->GetHeight();
  edit_->GetFont()->SetSize(20);
  EXPECT_GT(edit_->GetHeight(), small + 10);
}

// ---- Memos ----

class MemoTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    memo_ = Add<TMemo>(10, 10, 200, 100);
    memo_->OnChange = TNotifyEvent::FromFunction([this](TObject*) { ++changes_; });
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (Integer i = 0; i < memo_->GetLines()->GetCount(); ++i) lines.push_back(memo_->GetLines()->GetStrings(i));
    return lines;
  }
  TMemo* memo_ = nullptr;
  int changes_ = 0;
};

TEST_F(MemoTest, LinesAreTheTextCutAtLineBreaks) {
  TStrings* lines = memo_->GetLines();
  lines->Add("[]");
  lines->Add("{}");
  lines->Add("()");
  EXPECT_EQ(memo_->GetText(), "[]\r\n{}\r\n()");
  lines->Insert(0, "<>");
  lines->Insert(4, "end");
  lines->SetStrings(1, "[ ]");
  lines->Delete(2);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"<>", "[ ]", "()", "end"}));
  lines->Delete(3);
  EXPECT_EQ(memo_->GetText(), "<>\r\n[ ]\r\n()");
  EXPECT_THROW(lines->GetStrings(3), EStringListError);
  EXPECT_GE(changes_, 7) << "each change of the text is reported";

  lines->SetText("one\ntwo\r\nthree\r\n");
  EXPECT_EQ(memo_->GetText(), "one\r\ntwo\r\nthree");
  EXPECT_EQ(lines->GetText(), "one\r\ntwo\r\nthree\r\n");
  lines->Clear();
  EXPECT_EQ(lines->GetCount(), 0);
}

TEST_F(MemoTest, AWrappedLineIsStillOneLine) {
  memo_->SetWordWrap(true);
  memo_->GetLines()->SetText(std::string(200, 'w') + "\r\nshort");
  EXPECT_GT(::SendMessageA(memo_->GetHandle(), EM_GETLINECOUNT, 0, 0), 2) << "shown on several rows";
  EXPECT_EQ(memo_->GetLines()->GetCount(), 2);
  EXPECT_EQ(memo_->GetLines()->GetStrings(1), "short");
}

TEST_F(MemoTest, ScrollBarsAndWordWrapAreWindowStyles) {
  struct Case {
    TScrollStyle bars;
    bool wrap;
    LONG_PTR has, hasNot;
  } cases[] = {
      {ssNone, true, ES_MULTILINE, WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL},
      {ssVertical, true, WS_VSCROLL, WS_HSCROLL | ES_AUTOHSCROLL},
      {ssBoth, false, WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL, 0},
      {ssNone, false, ES_AUTOHSCROLL, WS_HSCROLL},
  };
  memo_->GetLines()->Add("kept");
  for (const Case& c : cases) {
    memo_->SetScrollBars(c.bars);
    memo_->SetWordWrap(c.wrap);
    const LONG_PTR style = ::GetWindowLongPtrA(memo_->GetHandle(), GWL_STYLE);
    EXPECT_EQ(style & c.has, c.has);
    EXPECT_EQ(style & c.hasNot, 0);
    EXPECT_EQ(Lines(), std::vector<std::string>{"kept"});
  }
}

TEST_F(MemoTest, LinesWorkBeforeTheMemoHasAWindow) {
  auto* memo = new TMemo(form_);
  memo->GetLines()->Add("first");
  memo->GetLines()->Add("second");
  EXPECT_EQ(memo->GetLines()->GetCount(), 2);
  memo->SetParent(form_);
  EXPECT_EQ(memo->GetLines()->GetStrings(1), "second");
  EXPECT_EQ(::GetWindowTextLengthA(memo->GetHandle()), 13);
}

TEST_F(MemoTest, EnterTypesALineBreakUnlessTheMemoDoesNotWantReturns) {
  auto* ok = Add<TButton>(250, 10);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
  memo_->SetFocus();
  Type("a");
  PressKey(VK_RETURN);
  Type("b");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(clicks, 0);

  memo_->SetWantReturns(false);
  memo_->SetFocus();
  PressKey(VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(memo_->GetLines()->GetCount(), 2);
}

}  // namespace
