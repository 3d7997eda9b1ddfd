// Panels, bevels, images, radio groups, splitters and scroll boxes on a shown form.
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/ExtCtrls.h"
#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

class ExtTest : public FormTest {};

TEST_F(ExtTest, APanelHoldsItsControlsInsideItsBevelsAndPaintsThem) {
  auto* panel = Add<TPanel>(10, 10, 200, 100);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  panel->SetBevelInner(bvLowered);
  auto* inside = Add<TEdit>(0, 0, -1, -1, panel);
  inside->SetAlign(alClient);
  // Outer bevel 2, border 3, inner bevel 2.
  EXPECT_EQ(inside->GetLeft(), 7);
  EXPECT_EQ(inside->GetTop(), 7);
  EXPECT_EQ(inside->GetWidth(), 200 - 14);

  panel->SetBorderWidth(0);
  panel->SetBevelInner(bvNone);
  inside->SetAlign(alNone);
  inside->SetBounds(50, 50, 20, 20);
  ProcessFor(20);
  // Raised: light on the top and left edges, shadow on the bottom and right.
  EXPECT_EQ(PaintedPixel(panel, 0, 50), Rgb(clBtnHighlight));
  EXPECT_EQ(PaintedPixel(panel, 199, 50), Rgb(clBtnShadow));
  EXPECT_EQ(PaintedPixel(panel, 100, 10), Rgb(clBtnFace));
  panel->SetBevelOuter(bvLowered);
  EXPECT_EQ(PaintedPixel(panel, 0, 50), Rgb(clBtnShadow));
}

TEST_F(ExtTest, APanelCaptionIsDrawnInTheMiddle) {
  auto* panel = Add<TPanel>(10, 10, 200, 60);
  panel->GetFont()->SetColor(clBlack);
  panel->SetCaption("IIIIIIII");
  auto darkColumns = [&](int from, int to) {
    int dark = 0;
    for (int x = from; x < to; ++x)
      for (int y = 20; y < 40; ++y)
        if (PaintedPixel(panel, x, y) == RGB(0, 0, 0)) ++dark;
    return dark;
  };
  EXPECT_GT(darkColumns(80, 120), 0);
  EXPECT_EQ(darkColumns(5, 40), 0);
  panel->SetAlignment(taLeftJustify);
  EXPECT_GT(darkColumns(1, 40), 0);
}

// A panel's window class repaints only what sizing uncovers; the bevel moves with the edges, so
// the panel is painted again whole: its edge where it now ends, plain face where it ended before.
TEST_F(ExtTest, APanelIsPaintedAgainWholeWhenItsSizeChanges) {
  auto* panel = Add<TPanel>(10, 10, 200, 100);
  ProcessFor(20);
  struct Case {
    const char* name;
    int width, height;
  };
  const Case cases[] = {{"taller", 200, 160}, {"wider", 260, 160}, {"smaller", 150, 60}};
  int width = 200, height = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    panel->SetBounds(10, 10, c.width, c.height);
    ProcessFor(50);
    EXPECT_EQ(forms_test::ScreenPixel(panel, c.width / 2, c.height - 1), Rgb(clBtnShadow));
    EXPECT_EQ(forms_test::ScreenPixel(panel, c.width - 1, c.height / 2), Rgb(clBtnShadow));
    if (height < c.height) EXPECT_EQ(forms_test::ScreenPixel(panel, c.width / 2, height - 1), Rgb(clBtnFace));
    if (width < c.width) EXPECT_EQ(forms_test::ScreenPixel(panel, width - 1, c.height / 2), Rgb(clBtnFace));
    width = c.width;
    height = c.height;
  }
}

TEST_F(ExtTest, BevelShapesPaintTheirEdges) {
  struct Case {
    TBevelShape shape;
    TBevelStyle style;
    TPoint at;
    TColor color;
  } cases[] = {
      {bsBox, bsLowered, {0, 10}, clBtnShadow},      {bsBox, bsLowered, {39, 10}, clBtnHighlight},
      {bsBox, bsRaised, {0, 10}, clBtnHighlight},    {bsTopLine, bsLowered, {20, 0}, clBtnShadow},
      {bsTopLine, bsLowered, {20, 1}, clBtnHighlight}, {bsBottomLine, bsLowered, {20, 39}, clBtnHighlight},
      {bsLeftLine, bsLowered, {0, 20}, clBtnShadow},  {bsRightLine, bsLowered, {38, 20}, clBtnShadow},
      {bsSpacer, bsLowered, {0, 10}, clBtnFace},
  };
  form_->SetColor(clBtnFace);
  auto* bevel = Add<TBevel>(10, 10, 40, 40);
  for (const Case& c : cases) {
    bevel->SetShape(c.shape);
    bevel->SetStyle(c.style);
    EXPECT_EQ(PaintedPixel(form_, 10 + c.at.X, 10 + c.at.Y), Rgb(c.color)) << c.shape << " " << c.style;
  }
}

TEST_F(ExtTest, AnImageShowsItsPictureAtItsSizeCentredStretchedOrProportional) {
  form_->SetColor(clWhite);
  auto* image = Add<TImage>(10, 10, 40, 40);
  TBitmap* bitmap = image->GetPicture()->GetBitmap();
  bitmap->SetSize(20, 10);
  bitmap->GetCanvas()->GetBrush()->SetColor(clRed);
  bitmap->GetCanvas()->FillRect(Rect(0, 0, 20, 10));
  image->GetPicture()->SetBitmap(bitmap);
  struct Case {
    bool center, stretch, proportional;
    TRect dest;
  } cases[] = {
      {false, false, false, {0, 0, 20, 10}},
      {true, false, false, {10, 15, 30, 25}},
      {false, true, false, {0, 0, 40, 40}},
      {false, true, true, {0, 0, 40, 20}},
      {true, true, true, {0, 10, 40, 30}},
  };
  for (const Case& c : cases) {
    image->SetCenter(c.center);
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    EXPECT_EQ(image->DestRect(), c.dest);
    const TRect d = c.dest;
    EXPECT_EQ(PaintedPixel(form_, 10 + d.Left + 1, 10 + d.Top + 1), Rgb(clRed));
    EXPECT_EQ(PaintedPixel(form_, 10 + d.Right - 2, 10 + d.Bottom - 2), Rgb(clRed));
  }
  EXPECT_EQ(PaintedPixel(form_, 10 + 39, 10 + 1), Rgb(clWhite)) << "outside the picture";

  image->SetAutoSize(true);
  EXPECT_EQ(image->GetWidth(), 20);
  EXPECT_EQ(image->GetHeight(), 10);
}

class RadioGroupTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    group_ = Add<TRadioGroup>(10, 10, 240, 120);
    group_->SetCaption("Testament");
    group_->GetItems()->SetCommaText("\"&Old Testament\",\"&New Testament\",\"&Both Testaments\"");
    group_->OnClick = TNotifyEvent::FromFunction([this](TObject*) { clicks_.push_back(group_->GetItemIndex()); });
  }
  TRadioGroup* group_ = nullptr;
  std::vector<Integer> clicks_;
};

TEST_F(RadioGroupTest, HasARadioButtonPerLineAndItemIndexIsTheCheckedOne) {
  ASSERT_NE(group_->GetButton(2), nullptr);
  EXPECT_EQ(group_->GetButton(3), nullptr);
  EXPECT_EQ(group_->GetButton(1)->GetCaption(), "&New Testament");
  EXPECT_EQ(group_->GetItemIndex(), -1);

  group_->SetItemIndex(2);
  EXPECT_TRUE(group_->GetButton(2)->GetChecked());
  EXPECT_EQ(clicks_, std::vector<Integer>{2}) << "choosing in code runs OnClick too";

  ::SendMessageA(group_->GetButton(0)->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group_->GetItemIndex(), 0);
  EXPECT_FALSE(group_->GetButton(2)->GetChecked());
  EXPECT_EQ(clicks_, (std::vector<Integer>{2, 0}));

  group_->SetItemIndex(7);
  EXPECT_EQ(group_->GetItemIndex(), 2) << "limited to the lines";
  group_->GetItems()->Delete(2);
  EXPECT_EQ(group_->GetItemIndex(), 1);
  EXPECT_EQ(group_->GetButton(2), nullptr);
}

TEST_F(RadioGroupTest, ColumnsSetTheButtonsOutSideBySide) {
  TRadioButton* first = group_->GetButton(0);
  TRadioButton* third = group_->GetButton(2);
  EXPECT_EQ(first->GetLeft(), third->GetLeft());
  EXPECT_LT(first->GetTop(), third->GetTop());
  group_->SetColumns(3);
  EXPECT_LT(first->GetLeft(), group_->GetButton(1)->GetLeft());
  EXPECT_EQ(first->GetTop(), third->GetTop());
  EXPECT_GT(first->GetTop(), 8) << "below the caption";
}

TEST_F(RadioGroupTest, TheArrowKeysChooseWithinTheGroup) {
  group_->SetItemIndex(0);
  clicks_.clear();
  group_->GetButton(0)->SetFocus();
  PressKey(VK_DOWN);
  EXPECT_EQ(group_->GetItemIndex(), 1);
  EXPECT_EQ(clicks_, std::vector<Integer>{1});
}

class SplitterTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    left_ = Add<TPanel>(0, 0, 100, 100);
    left_->SetAlign(alLeft);
    splitter_ = Add<TSplitter>(100, 0);
    splitter_->SetAlign(alLeft);
    splitter_->OnMoved = TNotifyEvent::FromFunction([this](TObject*) { ++moves_; });
    rest_ = Add<TMemo>(200, 0);
    rest_->SetAlign(alClient);
  }
  // Drags the splitter by dx pixels with the mouse, through the form's window.
  void Drag(int dx, int steps = 3) {
    const int x = splitter_->GetLeft() + 1;
    HWND wnd = form_->GetHandle();
    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 20));
    for (int i = 1; i <= steps; ++i) ::SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx * i / steps, 20));
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, 20));
  }
  TPanel* left_ = nullptr;
  TSplitter* splitter_ = nullptr;
  TMemo* rest_ = nullptr;
  int moves_ = 0;
};

TEST_F(SplitterTest, DraggingSizesTheControlBeforeIt) {
  EXPECT_EQ(splitter_->GetLeft(), 100);
  EXPECT_EQ(splitter_->GetCursor(), crHSplit);
  Drag(50);
  EXPECT_EQ(left_->GetWidth(), 150);
  EXPECT_EQ(splitter_->GetLeft(), 150);
  EXPECT_EQ(rest_->GetLeft(), 153);
  EXPECT_EQ(moves_, 1);

  // Not so distant that the rest would be smaller than MinSize.
  Drag(1000);
  EXPECT_EQ(rest_->GetWidth(), splitter_->GetMinSize());
}

TEST_F(SplitterTest, DraggedBelowMinSizeTheControlClosesWithAutoSnap) {
  splitter_->ResizeStyle = rsUpdate;
  Drag(-90);
  EXPECT_EQ(left_->GetWidth(), 0);
  splitter_->AutoSnap = false;
  Drag(60);
  EXPECT_EQ(left_->GetWidth(), 60);
  Drag(-55);
  EXPECT_EQ(left_->GetWidth(), splitter_->GetMinSize());
}

TEST_F(ExtTest, AScrollBoxScrollsToControlsBeyondItsEdge) {
  auto* box = Add<TScrollBox>(10, 10, 200, 150);
  auto* distant = Add<TEdit>(10, 500, -1, -1, box);
  ProcessFor(20);
  EXPECT_NE(::GetWindowLongPtrA(box->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->GetHorzScrollBar()->IsScrollBarVisible());
  box->GetVertScrollBar()->SetPosition(100);
  EXPECT_EQ(distant->GetTop(), 400);
  box->ScrollInView(distant);
  EXPECT_LE(distant->GetTop() + distant->GetHeight(), box->GetClientHeight());
}

}  // namespace
