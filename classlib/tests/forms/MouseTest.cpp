// The mouse: clicks and capture for windowless controls, the control under the mouse
// (CM_MOUSEENTER, CM_MOUSELEAVE), hints and dragging.
#include <vector>

#include "FormsTestSupport.h"
#include "classlib/Timers.h"

using namespace forms_test;

namespace {

class MouseTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(100, 100, 300, 200);
    waker = new TTimer(form);  // idle processing waits for the next message; this one comes soon
    waker->SetInterval(10);
  }
  void TearDown() override {
    Application->CancelHint();
    delete form;
  }
  // Runs the loop, idle processing included, until done() or the time-out.
  bool IdleUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
      if (::GetTickCount() - start > timeoutMs) return false;
      Application->HandleMessage();
    }
    return true;
  }
  void MoveMouseTo(TControl* control, int x, int y) {
    const TPoint p = control->ClientToScreen(Point(x, y));
    ::SetCursorPos(p.X, p.Y);
  }
  TForm* form = nullptr;
  TTimer* waker = nullptr;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

TEST_F(MouseTest, AWindowlessControlGetsTheMouseAndKeepsItWhileCaptured) {
  auto* spot = new TColorSpot(form);
  spot->SetBounds(50, 40, 20, 20);
  spot->SetParent(form);
  std::vector<std::string> log;
  spot->OnMouseDown = TMouseEvent::FromFunction([&](TObject*, TMouseButton, TShiftState s, Integer x, Integer y) {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y) + (s.Contains(ssLeft) ? " left" : ""));
  });
  spot->OnMouseMove = TMouseMoveEvent::FromFunction(
      [&](TObject*, TShiftState, Integer x, Integer y) { log.push_back("move " + std::to_string(x) + "," + std::to_string(y)); });
  spot->OnMouseUp = TMouseEvent::FromFunction(
      [&](TObject*, TMouseButton, TShiftState, Integer x, Integer y) { log.push_back("up " + std::to_string(x) + "," + std::to_string(y)); });
  spot->OnClick = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("click"); });
  form->Show();
  HWND wnd = form->GetHandle();
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(55, 45));
  EXPECT_TRUE(spot->GetMouseCapture());
  EXPECT_EQ(::GetCapture(), wnd);
  ::SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(150, 120));  // outside, still the spot's
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(150, 120));
  EXPECT_FALSE(spot->GetMouseCapture());
  EXPECT_EQ(log, (std::vector<std::string>{"down 5,5 left", "move 100,80", "up 100,80"}))
      << "released outside: no click";
  log.clear();
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(51, 41));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(52, 42));
  EXPECT_EQ(log, (std::vector<std::string>{"down 1,1 left", "click", "up 2,2"}));
  // Messages outside every windowless child are the form's own.
  log.clear();
  int formDowns = 0;
  form->OnMouseDown = TMouseEvent::FromFunction([&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++formDowns; });
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(formDowns, 1);
}

TEST_F(MouseTest, DoubleClicksAndTheRightButton) {
  auto* box = new TColorBox(form);
  box->SetParent(form);
  std::vector<std::string> log;
  box->OnDblClick = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("dblclick"); });
  box->OnMouseDown = TMouseEvent::FromFunction([&](TObject*, TMouseButton b, TShiftState s, Integer, Integer) {
    log.push_back(std::string(b == mbRight ? "right" : "left") + (s.Contains(ssDouble) ? " double" : ""));
  });
  form->Show();
  ::SendMessageA(box->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 3));
  ::SendMessageA(box->GetHandle(), WM_LBUTTONUP, 0, At(3, 3));
  ::SendMessageA(box->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, At(3, 3));
  EXPECT_EQ(log, (std::vector<std::string>{"dblclick", "left double", "right"}));
  // Without csDoubleClicks a double click is a second press.
  log.clear();
  box->ControlStyle >> csDoubleClicks;
  ::SendMessageA(box->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 3));
  EXPECT_EQ(log, std::vector<std::string>{"left"});
}

TEST_F(MouseTest, TheControlUnderTheMouseIsToldWhenTheMouseEntersAndLeaves) {
  auto* box = new TColorBox(form);
  box->SetBounds(10, 10, 60, 40);
  box->SetParent(form);
  auto* spot = new TColorSpot(form);
  spot->SetBounds(100, 10, 40, 40);
  spot->SetParent(form);
  form->Show();
  ASSERT_TRUE(IdleUntil([&] { return form->GetActive(); }));
  MoveMouseTo(box, 5, 5);
  EXPECT_TRUE(IdleUntil([&] { return box->Enters == 1; }));
  MoveMouseTo(spot, 5, 5);
  EXPECT_TRUE(IdleUntil([&] { return spot->Enters == 1 && box->Leaves == 1; }));
  MoveMouseTo(form, 200, 100);
  EXPECT_TRUE(IdleUntil([&] { return spot->Leaves == 1; }));
  EXPECT_EQ(box->Enters, 1);
}

TEST_F(MouseTest, AHintShowsTheShortTextAndTheApplicationHintTheLongOne) {
  auto* box = new TColorBox(form);
  box->SetBounds(10, 10, 60, 40);
  box->SetHint("Short|The long hint");
  box->SetShowHint(true);
  box->SetParent(form);
  std::vector<std::string> hints;
  Application->OnHint = TNotifyEvent::FromFunction([&](TObject*) { hints.push_back(Application->GetHint()); });
  const Integer savedPause = Application->HintPause;
  Application->HintPause = 20;
  form->Show();
  ASSERT_TRUE(IdleUntil([&] { return form->GetActive(); }));
  MoveMouseTo(box, 20, 20);
  ::PostMessageA(box->GetHandle(), WM_MOUSEMOVE, 0, At(20, 20));
  auto hintShown = [] {
    THintWindow* w = Application->GetHintWindow();
    return w && w->HandleAllocated() && ::IsWindowVisible(w->GetHandle());
  };
  EXPECT_TRUE(IdleUntil(hintShown));
  ASSERT_TRUE(Application->GetHintWindow());
  EXPECT_EQ(Application->GetHintWindow()->GetText(), "Short");
  EXPECT_EQ(Application->GetHint(), "The long hint");
  EXPECT_FALSE(hints.empty());
  // CM_HINTSHOW may change the text or refuse.
  Application->CancelHint();
  EXPECT_FALSE(hintShown());
  Application->HintPause = savedPause;
  Application->OnHint = nullptr;
  MoveMouseTo(form, 250, 150);
}

TEST_F(MouseTest, ADraggedControlIsDroppedOnAControlThatAcceptsIt) {
  auto* source = new TColorBox(form);
  source->SetBounds(10, 10, 40, 40);
  source->SetParent(form);
  auto* target = new TColorBox(form);
  target->SetBounds(150, 50, 60, 60);
  target->SetParent(form);
  std::vector<std::string> log;
  target->OnDragOver = TDragOverEvent::FromFunction(
      [&](TObject*, TObject* Source, Integer, Integer, TDragState, bool& Accept) { Accept = Source == source; });
  target->OnDragDrop = TDragDropEvent::FromFunction([&](TObject*, TObject* Source, Integer x, Integer y) {
    log.push_back("drop " + std::to_string(x) + "," + std::to_string(y) + (Source == source ? " from source" : ""));
  });
  source->OnEndDrag = TEndDragEvent::FromFunction([&](TObject*, TObject* Target, Integer, Integer) {
    log.push_back(Target == target ? "ended on target" : "ended nowhere");
  });
  form->Show();
  MoveMouseTo(source, 5, 5);
  source->BeginDrag(true);
  EXPECT_TRUE(source->Dragging());
  HWND capture = ::GetCapture();
  ASSERT_TRUE(capture);
  MoveMouseTo(target, 7, 8);
  ::SendMessageA(capture, WM_MOUSEMOVE, 0, 0);
  ::SendMessageA(capture, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(log, (std::vector<std::string>{"drop 7,8 from source", "ended on target"}));
  // Dropped where nobody accepts it, the drag ends without a target; Escape cancels.
  log.clear();
  source->BeginDrag(true);
  MoveMouseTo(form, 100, 150);
  ::SendMessageA(::GetCapture(), WM_MOUSEMOVE, 0, 0);
  ::SendMessageA(::GetCapture(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(log, std::vector<std::string>{"ended nowhere"});
  log.clear();
  source->BeginDrag(true);
  ::PostMessageA(form->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
  Application->ProcessMessages();
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(log, std::vector<std::string>{"ended nowhere"});
}
