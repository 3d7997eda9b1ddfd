// Controls on a form: alignment and anchors, painting, focus, Tab order and keys.
#include <vector>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

#include "FormsTestSupport.h"

using namespace forms_test;

namespace {

class ControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(50, 50, 400, 300);
  }
  void TearDown() override { delete form; }
  TColorBox* Box(TWinControl* parent, TAlign align, int w = 40, int h = 30) {
    auto* box = new TColorBox(form);
    box->SetBounds(0, 0, w, h);
    box->SetAlign(align);
    box->SetParent(parent);
    return box;
  }
  TForm* form = nullptr;
};

}  // namespace

TEST_F(ControlsTest, AlignedControlsShareTheClientArea) {
  TColorBox* top = Box(form, alTop, 10, 20);
  TColorBox* bottom = Box(form, alBottom, 10, 25);
  TColorBox* left = Box(form, alLeft, 30, 10);
  TColorBox* right = Box(form, alRight, 35, 10);
  TColorBox* client = Box(form, alClient);
  form->Show();
  const TRect c = form->GetClientRect();
  EXPECT_EQ(top->GetBoundsRect(), Rect(0, 0, c.Right, 20));
  EXPECT_EQ(bottom->GetBoundsRect(), Rect(0, c.Bottom - 25, c.Right, c.Bottom));
  EXPECT_EQ(left->GetBoundsRect(), Rect(0, 20, 30, c.Bottom - 25));
  EXPECT_EQ(right->GetBoundsRect(), Rect(c.Right - 35, 20, c.Right, c.Bottom - 25));
  EXPECT_EQ(client->GetBoundsRect(), Rect(30, 20, c.Right - 35, c.Bottom - 25));
  // The windows are where the objects say.
  RECT r;
  ::GetWindowRect(client->GetHandle(), &r);
  ::MapWindowPoints(nullptr, form->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 20);

  // Resizing the form realigns; hiding a control gives its strip to the others.
  form->SetWidth(form->GetWidth() + 50);
  const TRect c2 = form->GetClientRect();
  EXPECT_EQ(right->GetLeft(), c2.Right - 35);
  EXPECT_EQ(client->GetWidth(), c2.Right - 35 - 30);
  top->SetVisible(false);
  EXPECT_EQ(left->GetTop(), 0);
  EXPECT_EQ(client->GetTop(), 0);
  // Two controls at the top stack in the order of their tops.
  top->SetVisible(true);
  TColorBox* second = Box(form, alTop, 10, 15);
  second->SetTop(100);
  EXPECT_EQ(top->GetTop(), 0);
  EXPECT_EQ(second->GetTop(), 20);
  EXPECT_EQ(client->GetTop(), 35);
}

TEST_F(ControlsTest, AnchorsKeepTheDistancesToTheEdges) {
  form->Show();
  const TRect c = form->GetClientRect();
  TColorBox* rightBottom = Box(form, alNone);
  rightBottom->SetBounds(c.Right - 50, c.Bottom - 40, 40, 30);
  rightBottom->SetAnchors({akRight, akBottom});
  TColorBox* stretch = Box(form, alNone);
  stretch->SetBounds(10, 10, c.Right - 20, 30);
  stretch->SetAnchors({akLeft, akTop, akRight});
  TColorBox* fixed = Box(form, alNone);
  fixed->SetBounds(5, 50, 20, 20);
  form->SetBounds(form->GetLeft(), form->GetTop(), form->GetWidth() + 60, form->GetHeight() + 30);
  const TRect c2 = form->GetClientRect();
  EXPECT_EQ(rightBottom->GetLeft(), c2.Right - 50);
  EXPECT_EQ(rightBottom->GetTop(), c2.Bottom - 40);
  EXPECT_EQ(stretch->GetWidth(), c2.Right - 20);
  EXPECT_EQ(fixed->GetBoundsRect(), Bounds(5, 50, 20, 20));
}

TEST_F(ControlsTest, ConstraintsLimitTheSize) {
  TColorBox* box = Box(form, alNone);
  box->GetConstraints()->SetMaxWidth(50);
  box->GetConstraints()->SetMinHeight(20);
  box->SetBounds(0, 0, 200, 5);
  EXPECT_EQ(box->GetWidth(), 50);
  EXPECT_EQ(box->GetHeight(), 20);
  form->Show();
  int resizes = 0;
  box->OnResize = TNotifyEvent::FromFunction([&](TObject*) { ++resizes; });
  box->SetWidth(30);
  EXPECT_EQ(resizes, 1);
  box->SetWidth(60);  // held at 50
  EXPECT_EQ(box->GetWidth(), 50);
}

TEST_F(ControlsTest, PaintToDrawsTheControlsAndTheirWindowlessChildren) {
  form->SetColor(clWhite);
  TColorBox* box = Box(form, alNone, 60, 40);
  box->SetLeft(20);
  box->SetTop(10);
  box->PaintColor = clRed;
  auto* spot = new TColorSpot(form);
  spot->SetBounds(100, 100, 10, 10);
  spot->PaintColor = clBlue;
  spot->SetParent(form);
  form->Show();
  EXPECT_EQ(PaintedPixel(form, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(PaintedPixel(form, 25, 15), RGB(255, 0, 0));
  EXPECT_EQ(PaintedPixel(form, 105, 105), RGB(0, 0, 255));
  // A hidden windowless child is not painted.
  spot->SetVisible(false);
  EXPECT_EQ(PaintedPixel(form, 105, 105), RGB(255, 255, 255));
  // Painting through the window: what is on the screen after the window painted itself.
  spot->SetVisible(true);
  form->Repaint();
  Application->ProcessMessages();
  EXPECT_EQ(ScreenPixel(box, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(form, 105, 105), RGB(0, 0, 255));
  EXPECT_GE(box->Paints, 1);
}

TEST_F(ControlsTest, FocusFollowsTabOrderAndRunsEnterAndExit) {
  std::vector<std::string> log;
  TNativeEdit* edits[3];
  for (int i = 0; i < 3; ++i) {
    edits[i] = new TNativeEdit(form);
    edits[i]->SetName("Edit" + std::to_string(i + 1));
    edits[i]->SetBounds(10, 10 + 30 * i, 100, 21);
    edits[i]->SetParent(form);
    edits[i]->OnEnter = TNotifyEvent::FromFunction(
        [&log, i](TObject*) { log.push_back("enter" + std::to_string(i + 1)); });
    edits[i]->OnExit =
        TNotifyEvent::FromFunction([&log, i](TObject*) { log.push_back("exit" + std::to_string(i + 1)); });
  }
  // Tab order: 1, 3, 2.
  edits[2]->SetTabOrder(1);
  EXPECT_EQ(edits[0]->GetTabOrder(), 0);
  EXPECT_EQ(edits[1]->GetTabOrder(), 2);
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return edits[0]->Focused(); }));
  EXPECT_EQ(form->GetActiveControl(), edits[0]);
  PressKey(VK_TAB);
  EXPECT_TRUE(edits[2]->Focused());
  PressKey(VK_TAB);
  EXPECT_TRUE(edits[1]->Focused());
  PressKey(VK_TAB);
  EXPECT_TRUE(edits[0]->Focused());
  PressKey(VK_TAB, /*shift=*/true);
  EXPECT_TRUE(edits[1]->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"enter1", "exit1", "enter3", "exit3", "enter2", "exit2", "enter1",
                                           "exit1", "enter2"}));
  EXPECT_EQ(Screen->GetActiveControl(), edits[1]);
  // A disabled or invisible control is skipped; one that is not a tab stop too.
  edits[0]->SetEnabled(false);
  edits[2]->SetTabStop(false);
  PressKey(VK_TAB);
  EXPECT_TRUE(edits[1]->Focused());
  // Hiding the active control makes the form forget it; focusing a hidden one is refused.
  edits[0]->SetEnabled(true);
  edits[0]->SetFocus();
  EXPECT_TRUE(edits[0]->Focused());
  edits[0]->SetVisible(false);
  EXPECT_NE(form->GetActiveControl(), edits[0]);
  EXPECT_THROW(edits[0]->SetFocus(), EInvalidOperation);
}

TEST_F(ControlsTest, KeysReachTheControlAndTheFormFirstWithKeyPreview) {
  TNativeEdit* edit = new TNativeEdit(form);
  edit->SetParent(form);
  std::vector<std::string> log;
  edit->OnKeyDown = TKeyEvent::FromFunction([&](TObject*, Word& Key, TShiftState) {
    log.push_back("edit down " + std::to_string(Key));
  });
  edit->OnKeyPress = TKeyPressEvent::FromFunction([&](TObject*, char& Key) {
    log.push_back(std::string("edit press ") + Key);
    if (Key == 'b') Key = 'B';
  });
  form->OnKeyDown = TKeyEvent::FromFunction([&](TObject*, Word& Key, TShiftState) {
    log.push_back("form down " + std::to_string(Key));
    if (Key == 'C') Key = 0;
  });
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
  PressKey('A');
  EXPECT_EQ(log, (std::vector<std::string>{"edit down 65", "edit press a"}));
  log.clear();
  form->SetKeyPreview(true);
  PressKey('B');
  PressKey('C');
  // A key cleared in OnKeyDown does not reach the control's own handling; its character
  // was made before and still arrives (OnKeyPress clears characters).
  EXPECT_EQ(log, (std::vector<std::string>{"form down 66", "edit down 66", "edit press b", "form down 67",
                                           "edit press c"}));
  EXPECT_EQ(edit->GetText(), "aBc");
}

TEST_F(ControlsTest, ARecreatedWindowKeepsTheControlsState) {
  auto* panel = new TColorBox(form);
  panel->ControlStyle << csAcceptsControls;
  panel->SetTabStop(false);
  panel->SetBounds(10, 10, 200, 100);
  panel->SetParent(form);
  auto* edit = new TNativeEdit(panel);
  edit->SetParent(panel);
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
  edit->SetText("kept");
  HWND oldPanel = panel->GetHandle();
  HWND oldEdit = edit->GetHandle();
  panel->RecreateWnd();
  EXPECT_NE(panel->GetHandle(), oldPanel);
  EXPECT_FALSE(::IsWindow(oldEdit));
  EXPECT_TRUE(::IsWindowVisible(edit->GetHandle()));
  EXPECT_EQ(edit->GetText(), "kept");
  EXPECT_EQ(::GetParent(edit->GetHandle()), panel->GetHandle());
  // Without a window the text lives in the object; it comes back with the next window.
  edit->DestroyHandle();
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(edit->GetText(), "kept");
  edit->SetText("changed meanwhile");
  edit->HandleNeeded();
  char text[64];
  ::GetWindowTextA(edit->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "changed meanwhile");
  // A form's border style change rebuilds its window, menu bar and children included.
  HWND oldForm = form->GetHandle();
  form->SetBorderStyle(bsSingle);
  EXPECT_NE(form->GetHandle(), oldForm);
  EXPECT_TRUE(::IsWindowVisible(form->GetHandle()));
  EXPECT_FALSE(::GetWindowLongPtrA(form->GetHandle(), GWL_STYLE) & WS_THICKFRAME);
}

TEST_F(ControlsTest, TheWheelGoesToTheFocusedControlThenItsParents) {
  auto* panel = new TColorBox(form);
  panel->ControlStyle << csAcceptsControls;
  panel->SetTabStop(false);
  panel->SetBounds(10, 10, 200, 100);
  panel->SetParent(form);
  auto* edit = new TNativeEdit(panel);
  edit->SetParent(panel);
  std::vector<std::string> log;
  bool editHandles = false;
  edit->OnMouseWheel = TMouseWheelEvent::FromFunction([&](TObject*, TShiftState, Integer delta, TPoint, bool& handled) {
    log.push_back("edit " + std::to_string(delta));
    handled = editHandles;
  });
  panel->OnMouseWheelDown = TMouseWheelUpDownEvent::FromFunction([&](TObject*, TShiftState, TPoint, bool& handled) {
    log.push_back("panel down");
    handled = true;
  });
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
  ::SendMessageA(edit->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
  EXPECT_EQ(log, (std::vector<std::string>{"edit -120", "panel down"}));
  log.clear();
  editHandles = true;
  ::SendMessageA(edit->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(100, 100));
  EXPECT_EQ(log, std::vector<std::string>{"edit 120"});
}

TEST_F(ControlsTest, ADoubleBufferedControlPaintsTheSame) {
  auto* panel = new TColorBox(form);
  panel->ControlStyle << csAcceptsControls;
  panel->PaintColor = clGreen;
  panel->SetBounds(10, 10, 100, 60);
  panel->SetDoubleBuffered(true);
  panel->SetParent(form);
  auto* spot = new TColorSpot(form);
  spot->SetBounds(20, 20, 10, 10);
  spot->SetParent(panel);
  form->Show();
  panel->Repaint();
  Application->ProcessMessages();
  EXPECT_EQ(ScreenPixel(panel, 5, 5), RGB(0, 128, 0));
  EXPECT_EQ(ScreenPixel(panel, 25, 25), RGB(0, 0, 255));
}

namespace forms_test {

// A windowed control and a windowless one whose painting raises while Fail is set.
class TFailingBox : public TColorBox {
  CLASS_INFO(TFailingBox, TColorBox)
public:
  using TColorBox::TColorBox;
  bool Fail = true;

protected:
  void Paint() override {
    if (Fail) throw Exception("The box cannot paint");
    inherited::Paint();
  }
};

class TFailingSpot : public TColorSpot {
  CLASS_INFO(TFailingSpot, TColorSpot)
public:
  using TColorSpot::TColorSpot;

protected:
  void Paint() override { throw Exception("The spot cannot paint"); }
};

}  // namespace forms_test

// A paint that raises is still ended, so the window is not painted again and again, and the
// context it was given comes back as it was: origin, clipping and saved states.
TEST_F(ControlsTest, PaintingThatRaisesEndsThePaintAndGivesTheContextBack) {
  std::vector<std::string> reported;
  Application->OnException = TExceptionEvent::FromFunction([&](TObject*, Exception* e) { reported.push_back(e->Message); });
  auto* box = new TFailingBox(form);
  box->SetBounds(10, 10, 100, 60);
  box->SetDoubleBuffered(true);
  box->SetParent(form);
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return !reported.empty(); }));
  for (int i = 0; i < 3; ++i) Application->ProcessMessages();
  EXPECT_EQ(reported, std::vector<std::string>{"The box cannot paint"});
  EXPECT_FALSE(::GetUpdateRect(box->GetHandle(), nullptr, FALSE)) << "the failed paint was ended";
  box->Fail = false;
  box->Repaint();
  EXPECT_TRUE(ProcessUntil([&] { return ScreenPixel(box, 5, 5) == RGB(255, 0, 0); })) << "later paints work";
  Application->OnException = nullptr;

  auto* spot = new TFailingSpot(form);
  spot->SetBounds(150, 100, 10, 10);
  spot->SetParent(form);
  UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  UniqueGdiObject bitmap(::CreateCompatibleBitmap(dc.get(), 400, 300));
  SelectedObject selected(dc.get(), bitmap.get());
  const auto state = [&dc] {
    POINT origin{};
    ::GetWindowOrgEx(dc.get(), &origin);
    RECT clip{};
    ::GetClipBox(dc.get(), &clip);
    const int level = ::SaveDC(dc.get());
    ::RestoreDC(dc.get(), -1);
    return std::vector<LONG>{origin.x, origin.y, clip.left, clip.top, clip.right, clip.bottom, level};
  };
  const std::vector<LONG> before = state();
  EXPECT_THROW(form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), 0), Exception);
  EXPECT_EQ(state(), before);
}
