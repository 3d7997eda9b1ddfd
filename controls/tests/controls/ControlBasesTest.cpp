// The bases of the controls on a shown form: defaults, the events that follow a focus change,
// the mouse coming and going, borders and backgrounds, and changes passed down the tree.
#include <string>
#include <vector>

#include "classlib/StdCtrls.h"
#include "controls/VisCustomControl.h"
#include "controls/VisPanel.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"

using namespace control_forms;

namespace {

// A windowed control of the set that counts the changes it is told of.
class TCountingControl : public TVisCustomControl {
  CLASS_INFO(TCountingControl, TVisCustomControl)
public:
  using TVisCustomControl::TVisCustomControl;
  void GetChange(TObject* Sender) override {
    ++changes;
    inherited::GetChange(Sender);
  }
  int changes = 0;
};

// A windowless control of the set that records what changed in its bounds.
class TBoundsRecorder : public TVisBaseGraphicControl {
  CLASS_INFO(TBoundsRecorder, TVisBaseGraphicControl)
public:
  using TVisBaseGraphicControl::TVisBaseGraphicControl;
  void BoundsChanged(Integer Changes) override {
    changes.push_back(Changes);
    inherited::BoundsChanged(Changes);
  }
  std::vector<Integer> changes;

protected:
  void Paint() override { PaintBackground(GetCanvas()); }
};

// A picture list that holds pictures at every index.
class TAnyPictureList : public TVisCustomImageList {
  CLASS_INFO(TAnyPictureList, TVisCustomImageList)
public:
  explicit TAnyPictureList(TComponent* AOwner) : TVisCustomImageList(AOwner) {}
  bool IsValid(Integer, Integer) override { return true; }
};

class ControlBasesTest : public ControlFormTest {};

TEST_F(ControlBasesTest, NewControlsHaveTheirDefaults) {
  auto* windowed = new TVisCustomControl(form_);
  EXPECT_EQ(windowed->GetWidth(), 100);
  EXPECT_EQ(windowed->GetHeight(), 40);
  EXPECT_FALSE(windowed->GetTabStop());
  EXPECT_TRUE(windowed->GetCtlXP());
  EXPECT_FALSE(windowed->GetFlat());
  EXPECT_FALSE(windowed->GetTransparent());
  EXPECT_FALSE(windowed->IsTransparentSet());
  EXPECT_EQ(windowed->GetBackEffect(), nullptr);
  auto* windowless = new TVisControl(form_);
  EXPECT_FALSE(windowless->GetCtlXP());
  auto* graphic = new TVisBaseGraphicControl(form_);
  EXPECT_EQ(graphic->GetWidth(), 30);
  EXPECT_EQ(graphic->GetHeight(), 30);
  EXPECT_TRUE(graphic->GetTransparent());
}

TEST_F(ControlBasesTest, ImageIndexesIgnoreNegativeValuesAndTellTheControlOnlyWithAList) {
  auto* control = Add<TCountingControl>(10, 10);
  control->SetImageIndex(3);
  EXPECT_EQ(control->GetImageIndex(), 3);
  EXPECT_EQ(control->changes, 0) << "no list yet";
  control->SetImageIndex(-1);
  EXPECT_EQ(control->GetImageIndex(), 3);
  auto* list = new TAnyPictureList(form_);
  control->SetImageList(list);
  EXPECT_EQ(control->changes, 1);
  control->SetListIndex(2);
  control->SetListIndex(-4);
  EXPECT_EQ(control->GetListIndex(), 2);
  EXPECT_EQ(control->changes, 2);
  // A change of the list's content reaches the control; a freed list is let go.
  list->EndUpdate(true);
  EXPECT_EQ(control->changes, 3);
  Free(list);
  EXPECT_EQ(control->GetImageList(), nullptr);
}

TEST_F(ControlBasesTest, AfterEnterAndAfterExitComeOnceTheFocusHasMoved) {
  auto* first = Add<TVisCustomControl>(10, 10);
  auto* second = Add<TVisCustomControl>(10, 60);
  std::vector<std::string> log;
  for (TVisCustomControl* c : {first, second}) {
    const std::string name = c == first ? "first" : "second";
    c->SetTabStop(true);
    c->OnEnter = TNotifyEvent::FromFunction([&log, name](TObject*) { log.push_back("enter " + name); });
    c->OnExit = TNotifyEvent::FromFunction([&log, name](TObject*) { log.push_back("exit " + name); });
    c->OnAfterEnter = TNotifyEvent::FromFunction([&log, name, c](TObject*) {
      log.push_back("after enter " + name + (::GetFocus() == c->GetHandle() ? " (focused)" : ""));
    });
    c->OnAfterExit = TNotifyEvent::FromFunction([&log, name, c](TObject*) {
      log.push_back("after exit " + name + (::GetFocus() != c->GetHandle() ? " (unfocused)" : ""));
    });
  }
  first->SetFocus();
  EXPECT_EQ(log, std::vector<std::string>{"enter first"}) << "not inside the focus change";
  EXPECT_TRUE(first->GetFocusMark());
  ProcessFor(50);
  EXPECT_EQ(log, (std::vector<std::string>{"enter first", "after enter first (focused)"}));
  log.clear();
  second->SetFocus();
  ProcessFor(50);
  EXPECT_EQ(log, (std::vector<std::string>{"exit first", "enter second", "after exit first (unfocused)",
                                           "after enter second (focused)"}));
  EXPECT_FALSE(first->GetFocusMark());
}

TEST_F(ControlBasesTest, TheMouseComingAndGoingIsReported) {
  auto* windowed = Add<TVisCustomControl>(10, 10);
  auto* windowless = Add<TVisBaseGraphicControl>(150, 10, 60, 40);
  std::vector<std::string> log;
  windowed->OnMouseEnter = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("enter windowed"); });
  windowed->OnMouseExit = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("exit windowed"); });
  windowless->OnMouseEnter = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("enter windowless"); });
  windowless->OnMouseExit = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("exit windowless"); });
  PointAt(form_, 300, 200);
  ProcessFor(50);
  log.clear();
  PointAt(windowed, 20, 20);
  ASSERT_TRUE(IdleUntil([&] { return windowed->GetMouseInside(); }));
  PointAt(windowless, 20, 20);
  ASSERT_TRUE(IdleUntil([&] { return log.size() == 3; }));
  EXPECT_FALSE(windowed->GetMouseInside());
  // Disabled, the windowless control reports nothing.
  windowless->SetEnabled(false);
  PointAt(form_, 300, 200);
  IdleUntil([] { return false; }, 200);
  EXPECT_EQ(log, (std::vector<std::string>{"enter windowed", "exit windowed", "enter windowless"}));
}

TEST_F(ControlBasesTest, AWindowlessControlReportsWhatChangedInItsBounds) {
  auto* control = Add<TBoundsRecorder>(10, 10, 40, 40);
  control->changes.clear();
  control->SetBounds(20, 10, 40, 40);
  control->SetBounds(20, 10, 50, 40);
  control->SetBounds(30, 20, 60, 50);
  control->SetBounds(30, 20, 60, 50);
  EXPECT_EQ(control->changes, (std::vector<Integer>{bcPosition, bcSize, bcPosition | bcSize}));
}

TEST_F(ControlBasesTest, BackgroundsFillTheColourOrShowTheParentThrough) {
  auto* opaque = Add<TVisCustomControl>(10, 10, 60, 40);
  opaque->SetColor(clYellow);
  auto* transparent = Add<TVisCustomControl>(100, 10, 60, 40);
  transparent->SetColor(clRed);
  transparent->SetTransparent(true);
  auto* windowless = Add<TBoundsRecorder>(200, 10, 60, 40);
  windowless->SetColor(clBlue);
  Shot("control-backgrounds");
  EXPECT_EQ(ScreenPixel(opaque, 30, 20), Rgb(clYellow));
  // With the visual styles the system draws the parent's background into a transparent
  // control; a windowless one draws nothing of its own.
  ASSERT_TRUE(VisApplication->GetUseXPThemes());
  EXPECT_EQ(ScreenPixel(transparent, 30, 20), Rgb(kFormColor));
  EXPECT_EQ(ScreenPixel(windowless, 30, 20), Rgb(kFormColor));
  windowless->SetTransparent(false);
  // Without the visual styles a transparent control over a parent without a background of the
  // components' own paints its colour.
  VisApplication->SetUseXPThemes(false);
  transparent->Invalidate();
  Shot("control-backgrounds-plain");
  EXPECT_EQ(ScreenPixel(transparent, 30, 20), Rgb(clRed));
  EXPECT_EQ(ScreenPixel(windowless, 30, 20), Rgb(clBlue));
}

// The colour at a point of a window's whole rectangle (its frame included), on the screen.
COLORREF WindowPixel(TWinControl* Control, int X, int Y) {
  RECT r;
  ::GetWindowRect(Control->GetHandle(), &r);
  WindowDC screen(nullptr);
  return ::GetPixel(screen, r.left + X, r.top + Y);
}

TEST_F(ControlBasesTest, AFlatControlShowsItsThreeDimensionalBorderWhileFocused) {
  VisApplication->SetUseXPThemes(false);
  auto* edit = Add<TVisCustomBevelPanel>(20, 20, 120, 24);
  edit->GetBevel()->SetMode(bmWindows);
  edit->SetColor(clWindow);
  edit->SetTabStop(true);
  edit->SetFlat(true);
  auto* other = Add<TEdit>(20, 80, 120);
  other->SetFocus();
  Shot("flat-unfocused");
  EXPECT_EQ(WindowPixel(edit, 0, 0), Rgb(clBtnFace));
  EXPECT_EQ(WindowPixel(edit, 1, 1), Rgb(clBtnFace));
  edit->SetFocus();
  ProcessFor(50);
  Shot("flat-focused");
  EXPECT_EQ(WindowPixel(edit, 0, 0), Rgb(clWindowFrame));
  EXPECT_EQ(WindowPixel(edit, 1, 1), Rgb(clBtnFace));
  EXPECT_EQ(WindowPixel(edit, 2, 2), Rgb(clBtnShadow)) << "the sunken edge inside";
  other->SetFocus();
  ProcessFor(50);
  EXPECT_EQ(WindowPixel(edit, 0, 0), Rgb(clBtnFace));
  // Not flat, it always shows the three-dimensional border.
  edit->SetFlat(false);
  ProcessFor(50);
  EXPECT_EQ(WindowPixel(edit, 0, 0), Rgb(clWindowFrame));

  // A flat panel whose bevel lies in its client area: the flat border there, the bevel while
  // focused.
  auto* panel = Add<TVisCustomBevelPanel>(20, 120, 120, 24);
  panel->SetColor(clWindow);
  panel->SetTabStop(true);
  panel->SetFlat(true);
  ProcessFor(50);
  EXPECT_EQ(ScreenPixel(panel, 0, 0), Rgb(clBtnFace));
  panel->SetFocus();
  ProcessFor(50);
  Shot("flat-panel-focused");
  EXPECT_EQ(ScreenPixel(panel, 0, 0), Rgb(clBtnShadow)) << "the single lowered bevel";
}

TEST_F(ControlBasesTest, AChangeOfLookPassesDownTheWholeTree) {
  auto* outer = Add<TCountingControl>(10, 10, 200, 150);
  auto* middle = Add<TCountingControl>(10, 10, 150, 100, outer);
  auto* inner = Add<TCountingControl>(10, 10, 100, 50, middle);
  ::SendMessageA(outer->GetHandle(), VM_CHANGED, 0, 0);
  EXPECT_EQ(outer->changes, 1);
  EXPECT_EQ(middle->changes, 1);
  EXPECT_EQ(inner->changes, 1);
  ::SendMessageA(outer->GetHandle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(inner->changes, 2);
  middle->SetCtlXP(false);
  EXPECT_EQ(outer->changes, 2);
  EXPECT_EQ(middle->changes, 3);
  EXPECT_EQ(inner->changes, 3);
}

}  // namespace
