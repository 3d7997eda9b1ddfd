// A formatted document painted into a window through its double-buffered paint, and what it asks
// its window to paint again: the areas of a hyperlink (grown by 5 pixels), the whole window, or
// what is pending.
#include <vector>

#include "classlib/Forms.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

// A document shown in a form: the form's paint paints the document and notes what it covered.
class WindowDoc : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  TWinControl* GetParentControl() override { return Window; }
  TWinControl* Window = nullptr;
};

class PaintWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    style.GetTextStyles()->GetItem(4)->HoverColor = clRed;  // "Jump 1", green otherwise
    for (Integer i = 0; i < style.GetTextStyles()->GetCount(); ++i) style.GetTextStyles()->GetItem(i)->Size = 14;
    form = new TForm(Application);
    form->SetBounds(60, 60, 360, 200);
    form->OnPaint = TNotifyEvent(this, &PaintWindowTest::FormPaint);
    doc.Window = form;
    doc.Color = clWhite;
    TRect client = form->GetClientRect();
    doc.ClientWidth = client.Right;
    doc.ClientHeight = client.Bottom;
    doc.AddNL("Words before ", 0, 0);
    doc.Add("a hyperlink", 4);
    doc.Add(" and after it.", 0);
    doc.AddNL("A second paragraph.", 0, 0);
    doc.FormatDefault(false);
    form->Show();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !painted.empty(); }));
    testing_support::PumpFor(50);
    painted.clear();
  }
  void TearDown() override { delete form; }

  void FormPaint(TObject*) {
    TRect clip = form->GetCanvas()->GetClipRect();
    painted.push_back(clip);
    doc.PaintBuffered(form->GetCanvas(), clip);
  }
  // The hyperlink's area in client coordinates, grown by 5 pixels.
  TRect JumpArea() {
    TUVDrawLineInfo* dli = doc.DrawItems->Get(doc.GetItem(1)->DrawItemNo);
    return Rect(dli->Left - 5, dli->Top - 5, dli->Left + dli->Width + 5, dli->Top + dli->Height + 5);
  }

  TUVStyle style{nullptr};
  WindowDoc doc{&style};
  TForm* form = nullptr;
  std::vector<TRect> painted;
};

TEST_F(PaintWindowTest, AHyperlinkUnderTheMouseRepaintsOnlyItsGrownArea) {
  doc.HoverJumpNo = 0;
  doc.State |= uvstDrawHover;
  doc.InvalidateJumpRect(0);
  ASSERT_EQ(painted.size(), 1u);  // painted at once
  EXPECT_EQ(painted[0], JumpArea());
  // The link shows in its hover colour on the screen (the capture includes the frame), once
  // the system has shown what was painted.
  auto redInArea = [&] {
    testing_support::ScreenImage shot = testing_support::CaptureWindow(form->GetHandle());
    POINT origin{0, 0};
    ::ClientToScreen(form->GetHandle(), &origin);
    RECT window;
    ::GetWindowRect(form->GetHandle(), &window);
    TRect area = JumpArea();
    Integer red = 0;
    for (Integer y = area.Top; y < area.Bottom; ++y)
      for (Integer x = area.Left; x < area.Right; ++x)
        red += shot.Pixel(x + origin.x - window.left, y + origin.y - window.top) == RGB(255, 0, 0);
    return red;
  };
  EXPECT_TRUE(testing_support::PumpUntil([&] { return redInArea() > 10; }, 30000));
  testing_support::SaveScreenshot(form->GetHandle(), "paint-window-hover");

  // With the style sheet's FullRedraw the whole window, and the colour changing does the same.
  painted.clear();
  style.FullRedraw = true;
  doc.ColorChanged();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0], form->GetClientRect());
}

TEST_F(PaintWindowTest, AColourChangeRepaintsTheHyperlinkUnderTheMouseOnly) {
  doc.ColorChanged();  // no hyperlink under the mouse
  EXPECT_TRUE(painted.empty());
  // The hyperlink under the mouse, as the mouse handling notes it.
  doc.HoverJumpNo = 0;
  doc.HoverDrawItemNo = doc.GetItem(1)->DrawItemNo;
  doc.ColorChanged();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0], JumpArea());
  EXPECT_TRUE(doc.State & uvstDrawHover);  // its hover colour differs
  // Colours that look the same under the mouse: no hover drawing any more.
  style.GetTextStyles()->GetItem(4)->HoverColor = clNone;
  doc.ColorChanged();
  EXPECT_FALSE(doc.State & uvstDrawHover);
  // Without hyperlinks in the document flags nothing happens.
  painted.clear();
  doc.Flags &= static_cast<TUVFlags>(~uvflBuildJumps);
  doc.ColorChanged();
  EXPECT_TRUE(painted.empty());
}

TEST_F(PaintWindowTest, InvalidateWaitsRefreshAndUpdatePaintAtOnce) {
  doc.Invalidate();
  EXPECT_TRUE(painted.empty());
  doc.UpdateView();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0], form->GetClientRect());
  painted.clear();
  doc.Refresh();
  EXPECT_EQ(painted.size(), 1u);
  // A document without a window asks nobody.
  doc.Window = nullptr;
  painted.clear();
  doc.Refresh();
  doc.InvalidateJumpRect(0);
  testing_support::PumpFor(50);
  EXPECT_TRUE(painted.empty());
}

}  // namespace
