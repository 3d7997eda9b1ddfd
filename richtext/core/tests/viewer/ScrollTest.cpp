// A viewer filled as the program fills its result list, scrolled by the scroll bar's messages,
// the keys and the wheel; the scroll range and step, checkpoints coming into view, the controls
// placed in a document, the frame and what is painted without a style sheet.
#include <vector>

#include "classlib/ExtCtrls.h"
#include "richtext/core/UVXPTheme.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"

using namespace viewer_test;

namespace {

class ScrollTest : public ViewerFixture {
protected:
  void SendScroll(UINT Message, Integer Code) { ::SendMessageA(viewer->GetHandle(), Message, Code, 0); }
  Integer LastPosition() { return viewer->GetVScrollMax() - (viewer->GetVScrollPage() - 1); }
};

TEST_F(ScrollTest, AResultListScrollsByScrollBarMessagesKeysAndTheWheel) {
  FillResults(200);
  ShowForm();
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-result-list");
  TUVControlData* data = viewer->GetUVData();
  ASSERT_EQ(viewer->GetItemCount(), 400);
  // Ten pixels a step; the range covers the document, rounded up to whole steps.
  EXPECT_EQ(viewer->GetVSmallStep(), 10);
  Integer height = viewer->GetDocumentHeight();
  EXPECT_EQ(viewer->GetVScrollMax(), (height + 9) / 10 - 1);
  EXPECT_EQ(viewer->GetVScrollPage(), viewer->GetClientHeight() / 10);
  EXPECT_EQ(TopItem(), 0);
  const Integer page = viewer->GetVScrollPage();

  struct Step {
    const char* what;
    std::function<void()> act;
    Integer position;
  };
  const std::vector<Step> steps = {
      {"line down", [&] { SendScroll(WM_VSCROLL, SB_LINEDOWN); }, 1},
      {"page down", [&] { SendScroll(WM_VSCROLL, SB_PAGEDOWN); }, 1 + page},
      {"line up", [&] { SendScroll(WM_VSCROLL, SB_LINEUP); }, page},
      {"page up", [&] { SendScroll(WM_VSCROLL, SB_PAGEUP); }, 0},
      {"bottom", [&] { SendScroll(WM_VSCROLL, SB_BOTTOM); }, LastPosition()},
      {"top", [&] { SendScroll(WM_VSCROLL, SB_TOP); }, 0},
      {"Page Down key", [&] { TypeKey(VK_NEXT); }, page},
      {"Down key", [&] { TypeKey(VK_DOWN); }, page + 1},
      {"Up key", [&] { TypeKey(VK_UP); }, page},
      {"End key", [&] { TypeKey(VK_END); }, LastPosition()},
      {"Page Up key", [&] { TypeKey(VK_PRIOR); }, LastPosition() - page},
      {"Home key", [&] { TypeKey(VK_HOME); }, 0},
      {"wheel down", [&] {
         ::SendMessageA(viewer->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
       }, 2},
      {"wheel up", [&] { ::SendMessageA(viewer->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); }, 0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(viewer->GetVPos(), step.position) << step.what;
    EXPECT_EQ(::GetScrollPos(viewer->GetHandle(), SB_VERT), step.position) << step.what;
    EXPECT_EQ(viewer->GetVOffs(), step.position * 10) << step.what;
  }
  // The line at the top follows: a page down shows the lines below the first screen.
  TypeKey(VK_NEXT);
  Integer top = TopItem();
  Integer left, y;
  ASSERT_TRUE(viewer->GetItemCoords(top, left, y));
  EXPECT_GE(y, viewer->GetVOffs());
  EXPECT_LT(y - viewer->GetVOffs(), 30);
  EXPECT_EQ(data->GetItemText(top).substr(0, 6), "GEN 1:");
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-result-list-page-down");
}

TEST_F(ScrollTest, AWideDocumentScrollsSidewaysInPixels) {
  viewer->SetMinTextWidth(2000);
  FillResults(10);
  Integer scrolled = 0;
  viewer->OnHScrolled = TNotifyEvent::FromFunction([&](TObject*) { ++scrolled; });
  ShowForm();
  const Integer width = viewer->GetClientWidth();
  EXPECT_EQ(viewer->GetHScrollMax(), 5 + 2000 + 5 - 1);
  EXPECT_EQ(viewer->GetHScrollPage(), width);
  const Integer last = viewer->GetHScrollMax() - (width - 1);
  struct Step {
    const char* what;
    std::function<void()> act;
    Integer position;
  };
  const std::vector<Step> steps = {
      {"line right", [&] { SendScroll(WM_HSCROLL, SB_LINERIGHT); }, 10},
      {"page right", [&] { SendScroll(WM_HSCROLL, SB_PAGERIGHT); }, 10 + width},
      {"line left", [&] { SendScroll(WM_HSCROLL, SB_LINELEFT); }, width},
      {"right end", [&] { SendScroll(WM_HSCROLL, SB_RIGHT); }, last},
      {"page left", [&] { SendScroll(WM_HSCROLL, SB_PAGELEFT); }, last - width},
      {"left end", [&] { SendScroll(WM_HSCROLL, SB_LEFT); }, 0},
      {"Right key", [&] { TypeKey(VK_RIGHT); }, 10},
      {"Left key", [&] { TypeKey(VK_LEFT); }, 0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(viewer->GetHPos(), step.position) << step.what;
    EXPECT_EQ(viewer->GetHOffs(), step.position) << step.what;
  }
  EXPECT_EQ(scrolled, 8);
}

// Records the scroll-bar calls and answers the thumb's track position itself.
struct ScrollBarSpy {
  static inline Integer TrackPos = 0;
  static inline std::vector<std::pair<Integer, SCROLLINFO>> Sets;
  static BOOL WINAPI GetInfo(HWND Window, int Bar, LPSCROLLINFO Info) {
    BOOL ok = ::GetScrollInfo(Window, Bar, Info);
    if (Info->fMask & SIF_TRACKPOS) Info->nTrackPos = TrackPos;
    return ok;
  }
  static int WINAPI SetInfo(HWND Window, int Bar, LPCSCROLLINFO Info, BOOL Redraw) {
    Sets.emplace_back(Bar, *Info);
    return ::SetScrollInfo(Window, Bar, Info, Redraw);
  }
  ScrollBarSpy() {
    Sets.clear();
    UVGetScrollInfo = &GetInfo;
    UVSetScrollInfo = &SetInfo;
  }
  ~ScrollBarSpy() {
    UVGetScrollInfo = &::GetScrollInfo;
    UVSetScrollInfo = &::SetScrollInfo;
  }
};

TEST_F(ScrollTest, TheThumbIsReadAsThirtyTwoBitsAndFollowedOnlyWhileTracking) {
  FillResults(300);
  ShowForm();
  ScrollBarSpy spy;
  // The message's own 16-bit position (7) is not used: the bar's track position is.
  ScrollBarSpy::TrackPos = 123;
  ::SendMessageA(viewer->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
  EXPECT_EQ(viewer->GetVPos(), 123);
  viewer->SetTracking(false);
  ScrollBarSpy::TrackPos = 200;
  ::SendMessageA(viewer->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0);
  EXPECT_EQ(viewer->GetVPos(), 123);
  ::SendMessageA(viewer->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 200), 0);
  EXPECT_EQ(viewer->GetVPos(), 200);
  // A position beyond the end comes back to the last full page.
  viewer->ScrollToPosition(1000000, true);
  EXPECT_EQ(viewer->GetVPos(), LastPosition());
  viewer->ScrollToPosition(-5, true);
  EXPECT_EQ(viewer->GetVPos(), 0);
}

TEST_F(ScrollTest, AHiddenHorizontalBarGetsAPageLargerThanItsRangeOnce) {
  FillResults(20);
  ShowForm();
  ScrollBarSpy spy;
  viewer->SetHScrollVisible(false);
  auto horizontalSets = [] {
    std::vector<SCROLLINFO> sets;
    for (auto& [bar, info] : ScrollBarSpy::Sets)
      if (bar == SB_HORZ) sets.push_back(info);
    return sets;
  };
  std::vector<SCROLLINFO> sets = horizontalSets();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].nMin, 0);
  EXPECT_EQ(sets[0].nMax, 1);
  EXPECT_EQ(sets[0].nPage, 2u);
  EXPECT_EQ(sets[0].nPos, 0);
  // Formatting again leaves a bar that already shows that state alone.
  viewer->Format();
  viewer->SetMinTextWidth(2000);
  viewer->Format();
  EXPECT_EQ(horizontalSets().size(), 1u);
  EXPECT_EQ(viewer->GetHPos(), 0);
}

TEST_F(ScrollTest, CheckpointsReportThemselvesAsTheyScrollIntoView) {
  FillResults(200);
  std::vector<AnsiString> reported;
  viewer->OnCheckpointVisible = TUVCheckpointVisibleEvent::FromFunction(
      [&](TObject* sender, TUVCPInfo* cp) {
        EXPECT_EQ(sender, viewer);
        reported.push_back(cp ? cp->Name : AnsiString("(none)"));
      });
  viewer->SetCPEventKind(cpeAsSectionStart);
  ShowForm();
  TUVControlData* data = viewer->GetUVData();
  // The checkpoint of line 51 sits on its reference, item 100.
  TUVCPInfo* cp = data->GetItemCheckpoint(100);
  ASSERT_NE(cp, nullptr);
  EXPECT_EQ(cp->Name, "GEN 1:51");
  Integer left, top;
  ASSERT_TRUE(viewer->GetItemCoords(100, left, top));
  EXPECT_EQ(left, 5);
  viewer->ScrollTo(top);
  EXPECT_EQ(viewer->GetVOffs(), top / 10 * 10);
  EXPECT_EQ(TopItem(), 100);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), "GEN 1:51");
  // A line further: the next section starts at the top.
  reported.clear();
  TypeKey(VK_DOWN);
  TypeKey(VK_DOWN);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), data->GetItemCheckpoint(TopItem())->Name);
  // Back at the top: the first section.
  TypeKey(VK_HOME);
  EXPECT_EQ(reported.back(), "GEN 1:1");
  // Only when visible: scrolled to a place where a checkpoint's line starts above the window,
  // the first one in view is reported.
  viewer->SetCPEventKind(cpeWhenVisible);
  reported.clear();
  viewer->ScrollTo(top + 3);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), data->GetItemCheckpoint(TopItem())->Name);
}

TEST_F(ScrollTest, ANewWidthWrapsAgainAndKeepsTheLineInView) {
  viewer->Clear();
  for (Integer i = 1; i <= 60; ++i)
    viewer->AddNL("Verse " + IntToStr(i) + ": and God said, Let there be light: and there was light.", kText, 0);
  viewer->Format();
  ShowForm();
  Integer wide = viewer->GetUVData()->DrawItems->GetCount();
  EXPECT_EQ(wide, 60);  // a line a verse
  Integer left, top;
  ASSERT_TRUE(viewer->GetItemCoords(30, left, top));
  viewer->ScrollTo(top);
  ASSERT_EQ(TopItem(), 30);
  form->SetWidth(220);
  ProcessFor(50);
  EXPECT_GT(viewer->GetUVData()->DrawItems->GetCount(), wide);
  EXPECT_EQ(TopItem(), 30);
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-narrow");
}

TEST_F(ScrollTest, TheStepKeepsTheRangeWithin32000Steps) {
  viewer->SetTopMargin(0);
  viewer->SetBottomMargin(0);
  FillResults(3);
  ShowForm();
  Integer content = viewer->GetDocumentHeight();
  viewer->SetTopMargin(400000 - content);
  viewer->Format();
  ASSERT_EQ(viewer->GetDocumentHeight(), 400000);
  // 400000 div 32000 = 12 would still give 33333 steps.
  EXPECT_EQ(viewer->GetVSmallStep(), 13);
  EXPECT_LE(viewer->GetVScrollMax(), 32000);
  // A step that would need more steps is refused.
  viewer->SetVSmallStep(10);
  EXPECT_EQ(viewer->GetVSmallStep(), 13);
  viewer->SetVSmallStep(0);
  EXPECT_EQ(viewer->GetVSmallStep(), 13);
  // Shrinking below 320000 pixels returns to 10.
  viewer->SetTopMargin(300000);
  viewer->Format();
  EXPECT_EQ(viewer->GetVSmallStep(), 10);
}

TEST_F(ScrollTest, ControlsFarAwayKeepTheirTruePositionWhileShownClamped) {
  ShowForm();
  auto* child = new TPanel(viewer);
  child->SetParent(viewer);
  child->SetBounds(10, 20, 30, 30);
  child->Tag = 20;
  viewer->ScrollChildren(0, -50000);
  EXPECT_EQ(child->Tag, -49980);
  EXPECT_EQ(child->GetTop(), -10000);
  viewer->ScrollChildren(7, 50000);
  EXPECT_EQ(child->Tag, 20);
  EXPECT_EQ(child->GetTop(), 20);
  EXPECT_EQ(child->GetLeft(), 17);
}

TEST_F(ScrollTest, AFixedBackgroundRepaintsTheWholeWindowWhenScrolling) {
  FillResults(100);
  std::vector<TRect> painted;
  viewer->OnPaint = TUVPaintEvent::FromFunction(
      [&](TObject*, TCanvas* canvas, bool) { painted.push_back(canvas->GetClipRect()); });
  ShowForm();
  ProcessFor(50);
  painted.clear();
  SendScroll(WM_VSCROLL, SB_LINEDOWN);
  ASSERT_FALSE(painted.empty());
  EXPECT_LT(painted.back().Height(), 20);  // only the strip scrolled in
  // A stretched picture stays where the window is: everything is painted again.
  TBitmap picture;
  picture.SetSize(8, 8);
  viewer->SetBackgroundBitmap(&picture);
  viewer->SetBackgroundStyle(bsStretched);
  EXPECT_TRUE(viewer->GetFullRedraw());
  ProcessFor(50);
  painted.clear();
  SendScroll(WM_VSCROLL, SB_LINEDOWN);
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.back(), viewer->GetClientRect());
}

TEST_F(ScrollTest, WithoutAStyleSheetTheViewerAsksForOne) {
  viewer->SetStyle(nullptr);
  ShowForm();
  ProcessFor(100);
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-no-style");
  // The message is drawn in the window text colour on the window colour.
  testing_support::ScreenImage shot = testing_support::CaptureWindow(viewer->GetHandle());
  Integer dark = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) dark += GetRValue(shot.Pixel(x, y)) < 80;
  EXPECT_GT(dark, 100);
}

TEST_F(ScrollTest, TheBorderIsThemedOnlyWithThemesOn) {
  ShowForm();
  ASSERT_NE(UV_OpenThemeData, nullptr);  // the prefix is themed
  EXPECT_NE(viewer->GetThemeHandle(), nullptr);
  EXPECT_TRUE(::GetWindowLongA(viewer->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  viewer->SetUseXPThemes(false);
  EXPECT_EQ(viewer->GetThemeHandle(), nullptr);
  viewer->SetUseXPThemes(true);
  EXPECT_NE(viewer->GetThemeHandle(), nullptr);
  // Without the library's functions the classic border is drawn.
  auto saved = UV_OpenThemeData;
  UV_OpenThemeData = nullptr;
  viewer->SetUseXPThemes(false);
  viewer->SetUseXPThemes(true);
  EXPECT_EQ(viewer->GetThemeHandle(), nullptr);
  UV_OpenThemeData = saved;
}

}  // namespace
