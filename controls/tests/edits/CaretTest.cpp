// The caret of the edits: its shape in the window, and the system's blink time given back.
#include "controls/tests/edits/EditTestSupport.h"
#include "controls/visclass.h"

using namespace edit_test;

namespace {

// The system caret's rectangle in its window, as the system reports it.
RECT CaretRect() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
  return info.rcCaret;
}

class CaretTest : public ControlFormTest {
protected:
  void SetUp() override {
    ControlFormTest::SetUp();
    edit = Add<TVisCustomEdit>(20, 20, 200, 25);
    other = Add<TVisCustomEdit>(20, 80, 200, 25);
  }
  // The focus goes to the other edit and comes back: the caret is made again.
  void Enter() {
    other->SetFocus();
    ProcessFor(20);
    edit->SetFocus();
    ProcessFor(20);
  }
  TVisCustomEdit* edit = nullptr;
  TVisCustomEdit* other = nullptr;
};

TEST_F(CaretTest, EachStyleMakesItsShape) {
  edit->SetText("Malachi");
  TVisCaret* caret = edit->GetCaret();
  caret->SetWidth(8);
  caret->SetHeight(6);
  TCanvas* canvas = edit->GetCanvas();
  canvas->SetFont(edit->GetFont());
  const Integer textHeight = canvas->TextHeight("Qp");
  struct Case {
    TVisCaretStyles style;
    LONG width, height;
  };
  const Case cases[] = {{csDefault, 1, textHeight}, {csBlock, 8, 6}, {csUnderBlock, 8, 6}, {csUnder, 8, 1}, {csOver, 8, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    caret->SetStyle(c.style);
    Enter();
    const RECT r = CaretRect();
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
  }
  // The underline sits at the bottom of the text.
  caret->SetStyle(csUnder);
  Enter();
  EXPECT_EQ(CaretRect().top, edit->GetInnerRect().Top + textHeight - 3);
}

TEST_F(CaretTest, APictureCaretTakesItsSizeOrTheCaretsSize) {
  TVisCaret* caret = edit->GetCaret();
  caret->GetBitmap()->SetSize(3, 12);
  caret->SetStyle(csBitmap);
  caret->SetWidth(6);
  caret->SetHeight(9);
  struct Case {
    TVisCaretBitmap mode;
    LONG width, height;
  };
  for (const Case& c : {Case{cbBmpSize, 3, 12}, Case{cbTile, 6, 9}, Case{cbStretch, 6, 9}}) {
    SCOPED_TRACE(c.mode);
    caret->SetCaretBmpMode(c.mode);
    Enter();
    const RECT r = CaretRect();
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
  }
}

TEST_F(CaretTest, TheBlinkTimeIsTheCaretsWhileShownAndTheSystemsAfterwards) {
  const UINT system = ::GetCaretBlinkTime();
  TVisCaret* caret = edit->GetCaret();
  EXPECT_EQ(caret->GetBlinkRate(), system);
  caret->SetBlinkRate(Word(system + 100));
  Enter();
  EXPECT_TRUE(caret->GetVisible());
  EXPECT_EQ(::GetCaretBlinkTime(), system + 100);
  caret->Hide();
  EXPECT_EQ(::GetCaretBlinkTime(), system);
  caret->Show();
  EXPECT_EQ(::GetCaretBlinkTime(), system + 100);
  other->SetFocus();
  ProcessFor(20);
  EXPECT_FALSE(caret->GetCreated());
  EXPECT_EQ(::GetCaretBlinkTime(), system) << "the focus went: the caret and its blink time";
  // Copied from another caret: the rate, the size and the style.
  TVisCaret other;
  other.SetBlinkRate(333);
  other.SetWidth(4);
  other.SetStyle(csBlock);
  caret->Assign(&other);
  EXPECT_EQ(caret->GetBlinkRate(), 333);
  EXPECT_EQ(caret->GetWidth(), 4);
  EXPECT_EQ(caret->GetStyle(), csBlock);
}

}  // namespace
