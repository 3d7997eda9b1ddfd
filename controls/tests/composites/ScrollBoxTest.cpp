// Scroll boxes on a shown form: their size and frame, the scroll event, and windows kept only
// for the children in view.
#include <vector>

#include "controls/VisScrollBox.h"
#include "controls/tests/support/ControlForms.h"

using namespace control_forms;

namespace {

class ScrollBoxTest : public ControlFormTest {
protected:
  // A box 150 pixels high with a child at the top and one far below it.
  TVisScrollBox* NewBox() {
    auto* box = Add<TVisScrollBox>(20, 20, 200, 150);
    top = Add<TPanel>(10, 10, 100, 40, box);
    bottom = Add<TPanel>(10, 500, 100, 40, box);
    box->OnScroll = TNotifyEvent::FromFunction([this](TObject*) { ++scrolls; });
    return box;
  }
  void Scroll(TVisScrollBox* Box, WORD Code) {
    ::SendMessageA(Box->GetHandle(), WM_VSCROLL, MAKEWPARAM(Code, 0), 0);
  }
  TPanel* top = nullptr;
  TPanel* bottom = nullptr;
  int scrolls = 0;
};

TEST_F(ScrollBoxTest, ANewBoxHasItsSizeAndAClientEdge) {
  VisApplication->SetUseXPThemes(false);
  auto* box = new TVisScrollBox(form_);
  box->SetParent(form_);
  EXPECT_EQ(box->GetWidth(), 185);
  EXPECT_EQ(box->GetHeight(), 41);
  EXPECT_TRUE(box->GetCtl3D());
  EXPECT_EQ(box->GetBorderStyle(), bsNone);
  EXPECT_EQ(box->GetBevel()->GetMode(), bmWindows);
  const LONG_PTR ex = ::GetWindowLongPtrA(box->GetHandle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(::GetWindowLongPtrA(box->GetHandle(), GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_EQ(box->GetClientWidth(), 185 - 4);
  // In another mode the bevel draws the border and takes its room.
  box->GetBevel()->SetMode(bmStandard);
  EXPECT_FALSE(::GetWindowLongPtrA(box->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(box->GetClientWidth(), 185 - 2 * box->GetBevel()->GetBevelExtent());
}

TEST_F(ScrollBoxTest, OnScrollRunsOnlyWhenThePositionMoves) {
  TVisScrollBox* box = NewBox();
  Shot("scroll-box");
  ASSERT_TRUE(::GetWindowLongPtrA(box->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  Scroll(box, SB_LINEUP);
  EXPECT_EQ(scrolls, 0) << "already at the top";
  Scroll(box, SB_LINEDOWN);
  EXPECT_EQ(scrolls, 1);
  EXPECT_GT(box->GetVertScrollBar()->GetPosition(), 0);
  Scroll(box, SB_BOTTOM);
  EXPECT_EQ(scrolls, 2);
  Scroll(box, SB_BOTTOM);
  EXPECT_EQ(scrolls, 2);
  Shot("scroll-box-bottom");
  EXPECT_GT(bottom->GetTop(), 0);
  EXPECT_LT(bottom->GetTop(), box->GetClientHeight());
}

TEST_F(ScrollBoxTest, SavingResourcesKeepsWindowsOnlyForChildrenInView) {
  TVisScrollBox* box = NewBox();
  Shot("scroll-box-saving");
  ASSERT_TRUE(bottom->HandleAllocated());
  box->SetSaveResources(true);
  EXPECT_TRUE(top->HandleAllocated());
  EXPECT_FALSE(bottom->HandleAllocated()) << "out of view";
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 0);

  Scroll(box, SB_BOTTOM);
  const Integer position = box->GetVertScrollBar()->GetPosition();
  EXPECT_GT(position, 0);
  EXPECT_TRUE(bottom->HandleAllocated());
  EXPECT_FALSE(top->HandleAllocated());
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), position) << "the position stays";
  EXPECT_EQ(scrolls, 1);
  Shot("scroll-box-saving-bottom");
  EXPECT_TRUE(::IsWindowVisible(bottom->GetHandle()));
}

}  // namespace
