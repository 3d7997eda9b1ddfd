// Panels on a shown form: children kept inside the bevel, the window border of bmWindows, and
// transparency over the parent.
#include "controls/VisPanel.h"
#include "controls/tests/support/ControlForms.h"

using namespace control_forms;

namespace {

using enum TVisBevelStyle;

class PanelTest : public ControlFormTest {};

TEST_F(PanelTest, ChildrenStayInsideTheBevel) {
  auto* panel = Add<TVisCustomBevelPanel>(20, 20, 200, 120);
  EXPECT_EQ(panel->GetColor(), clBtnFace);
  auto* child = Add<TVisCustomPanel>(0, 0, 10, 10, panel);
  child->SetAlign(alClient);
  // The default bevel: one pixel.
  EXPECT_EQ(child->GetBoundsRect(), Rect(1, 1, 199, 119));
  // A bevel of extent 4 keeps the child 4 pixels inside on every side, as soon as it changes.
  panel->GetBevel()->SetMode(bmCustom);
  panel->GetBevel()->SetStyleOuter(bvRaised);
  panel->GetBevel()->SetWidthOuter(2);
  panel->GetBevel()->SetBorderWidth(2);
  ASSERT_EQ(panel->GetBevel()->GetBevelExtent(), 4);
  EXPECT_EQ(child->GetBoundsRect(), Rect(4, 4, 196, 116));
  // Assigning a bevel lays the panel out again.
  TVisBevel wide;
  wide.SetMode(bmCustom);
  wide.SetBorderWidth(9);
  panel->SetBevel(&wide);
  EXPECT_EQ(child->GetBoundsRect(), Rect(9, 9, 191, 111));
  Shot("panel-bevel");
}

TEST_F(PanelTest, EachModeDrawsItsBorderWithinItsExtent) {
  VisApplication->SetUseXPThemes(false);
  const TVisBevelMode modes[] = {bmCustom, bmStandard, bmEdge, bmWindows};
  for (size_t i = 0; i < std::size(modes); ++i) {
    auto* panel = Add<TVisCustomBevelPanel>(10 + static_cast<Integer>(i) * 100, 20, 90, 60);
    panel->GetBevel()->SetMode(modes[i]);
    panel->GetBevel()->SetStyleOuter(bvRaised);
    panel->GetBevel()->SetBorderWidth(2);
    panel->GetBevel()->SetStyleInner(bvLowered);
    panel->GetBevel()->SetStandardStyle(lsRaised);
    panel->GetBevel()->SetEdgeStyle(etBump);
    panel->SetColor(clWhite);
    auto* child = Add<TVisCustomPanel>(0, 0, 10, 10, panel);
    child->SetAlign(alClient);
    child->SetColor(clYellow);
  }
  Shot("panel-modes");
  for (TControl* c : {form_->GetControls(0), form_->GetControls(1), form_->GetControls(2), form_->GetControls(3)}) {
    auto* panel = static_cast<TVisCustomBevelPanel*>(c);
    SCOPED_TRACE(panel->GetBevel()->GetMode());
    const Integer e = panel->GetBevel()->GetBevelExtent();
    const TRect client = panel->GetClientRect();
    // The child fills the inside; the border lies around it and shows no child colour.
    EXPECT_EQ(ScreenPixel(panel, e, e), Rgb(clYellow));
    EXPECT_NE(ScreenPixel(panel, e - 1, client.Height() / 2), Rgb(clYellow));
    EXPECT_NE(ScreenPixel(panel, client.Width() - e, client.Height() / 2), Rgb(clYellow));
  }
}

TEST_F(PanelTest, InWindowsModeThePanelHasAWindowBorder) {
  VisApplication->SetUseXPThemes(false);
  auto* panel = Add<TVisCustomBevelPanel>(20, 20, 200, 60);
  auto* child = Add<TVisCustomPanel>(0, 0, 10, 10, panel);
  child->SetAlign(alClient);
  panel->HandleNeeded();
  panel->GetBevel()->SetMode(bmWindows);
  panel->HandleNeeded();
  EXPECT_TRUE(::GetWindowLongPtrA(panel->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  panel->SetCtl3D(false);
  panel->HandleNeeded();
  EXPECT_TRUE(::GetWindowLongPtrA(panel->GetHandle(), GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(::GetWindowLongPtrA(panel->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  // Drawing with the visual styles, it has neither, and the bevel takes no room.
  VisApplication->SetUseXPThemes(true);
  panel->HandleNeeded();
  EXPECT_FALSE(::GetWindowLongPtrA(panel->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(::GetWindowLongPtrA(panel->GetHandle(), GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(panel->GetBevel()->GetBevelExtent(), 0);
  EXPECT_EQ(child->GetBoundsRect(), Rect(0, 0, 200, 60));
}

TEST_F(PanelTest, APanelCanTakeThemedFocusOnlyWithoutABorder) {
  struct Case {
    TVisBevelMode mode;
    TVisBorderStyle standard;
    bool focusable;
  };
  for (const Case& c : {Case{bmStandard, lsSingleLowered, false}, Case{bmStandard, lsNone, true},
                        Case{bmCustom, lsSingleLowered, true}, Case{bmWindows, lsNone, false}}) {
    auto* panel = Add<TVisCustomBevelPanel>(20, 20);
    panel->GetBevel()->SetMode(c.mode);
    panel->GetBevel()->SetStandardStyle(c.standard);
    panel->GetBevel()->SetOwnerThemed(true);
    EXPECT_EQ(panel->CanFocusThemed(), c.focusable) << c.mode << "/" << c.standard;
    delete panel;
  }
}

TEST_F(PanelTest, ATransparentPanelOnATransparentPanelShowsTheOuterParentsBackground) {
  ASSERT_TRUE(VisApplication->GetUseXPThemes());
  auto* outer = Add<TVisCustomBevelPanel>(20, 20, 240, 160);
  outer->SetColor(clRed);
  auto* inner = Add<TVisCustomBevelPanel>(20, 20, 120, 80, outer);
  inner->SetColor(clBlue);
  Shot("panels-opaque");
  EXPECT_EQ(ScreenPixel(outer, 10, 100), Rgb(clRed));
  EXPECT_EQ(ScreenPixel(inner, 60, 40), Rgb(clBlue));
  outer->SetTransparent(true);
  inner->SetTransparent(true);
  Shot("panels-transparent");
  EXPECT_EQ(ScreenPixel(outer, 10, 100), Rgb(kFormColor));
  EXPECT_EQ(ScreenPixel(inner, 60, 40), Rgb(kFormColor));
  // A transparent panel keeps its children and lays them out as before.
  EXPECT_EQ(inner->GetParent(), outer);
}

}  // namespace
