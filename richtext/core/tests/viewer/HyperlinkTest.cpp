// Hyperlinks: the cursor and colour under the mouse, the hyperlink-changed event, clicks that
// fire the jump event and those that do not; Tab and Shift+Tab among the hyperlinks and a
// control placed in the document, Enter on a focused hyperlink.
#include <vector>

#include "classlib/StdCtrls.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"

using namespace viewer_test;

namespace {

// Item numbers of the document below.
constexpr Integer kGenesis = 1;  // "Genesis 1", the first hyperlink
constexpr Integer kJohn = 3;     // "John 1", the second
constexpr Integer kEdit = 6;     // an edit control between them and the third hyperlink
constexpr Integer kRomans = 8;   // "Romans 1", the third

class HyperlinkTest : public ViewerFixture {
protected:
  void SetUp() override {
    ViewerFixture::SetUp();
    before = new TButton(form);
    before->SetParent(form);
    before->SetCaption("&Before");
    before->SetAlign(alTop);
    after = new TButton(form);
    after->SetParent(form);
    after->SetCaption("&After");
    after->SetAlign(alBottom);
    before->SetTabOrder(0);
    viewer->SetTabOrder(1);
    after->SetTabOrder(2);
    TUVControlData* data = viewer->GetUVData();
    // Each hyperlink's tag is its target.
    viewer->AddNL("See ", kText, 0);
    data->AddTextItemTag("Genesis 1", kLink, -1, 1001);
    viewer->Add(" and ", kText);
    data->AddTextItemTag("John 1", kLink, -1, 4301);
    viewer->Add(" for the beginning.", kText);
    viewer->AddNL("Your note: ", kText, 0);
    edit = new TEdit(nullptr);
    edit->SetBounds(0, 0, 120, 22);
    auto* item = new TUVControlItemInfo(data, edit, 0);
    item->ParaNo = -1;
    data->AddItem("note", item);
    viewer->AddNL("Also ", kText, 0);
    data->AddTextItemTag("Romans 1", kLink, -1, 4501);
    viewer->SetFirstJumpNo(10);
    viewer->OnJump = TJumpEvent::FromFunction([this](TObject*, Integer id) { jumps.push_back(TargetOf(id)); });
    viewer->OnUVMouseMove = TUVMouseMoveEvent::FromFunction([this](TObject*, Integer id) { hovers.push_back(id); });
    viewer->Format();
    ShowForm();
  }
  // The target of the hyperlink numbered Id (the tag of its item).
  TUVTag TargetOf(Integer Id) {
    TUVControlData* data = viewer->GetUVData();
    for (Integer i = 0; i < data->GetItemCount(); ++i)
      if (data->GetItem(i)->StyleNo == kLink && data->GetItem(i)->HyperlinkId + viewer->GetFirstJumpNo() == Id)
        return data->GetItem(i)->Tag;
    return -1;
  }
  // Moves the real cursor there and sends the move the system would.
  void HoverAt(TPoint P) {
    CursorTo(P);
    Mouse(WM_MOUSEMOVE, 0, P);
  }
  // The item that has the document's focus, -1 when none.
  Integer FocusedItem() {
    TUVControlData* data = viewer->GetUVData();
    return data->HasFocusedItem() ? data->GetFocusedItemData()->FocusedItemNo : -1;
  }
  HWND Focus() { return ::GetFocus(); }

  TButton* before = nullptr;
  TButton* after = nullptr;
  TEdit* edit = nullptr;  // owned by its item
  std::vector<TUVTag> jumps;
  std::vector<Integer> hovers;
};

TEST_F(HyperlinkTest, TheMouseOverAHyperlinkChangesCursorAndColourAndAClickJumps) {
  HoverAt(PointAt(0, 2));
  EXPECT_TRUE(hovers.empty());
  EXPECT_EQ(viewer->GetShownCursor(), crDefault);
  // Over "Genesis 1": the hyperlink cursor and its number (plus FirstJumpNo), once.
  HoverAt(MiddleOf(kGenesis));
  HoverAt(PointAt(kGenesis, 3));
  EXPECT_EQ(hovers, std::vector<Integer>{10});
  EXPECT_EQ(viewer->GetShownCursor(), style->GetTextStyles()->GetItem(kLink)->JumpCursor);
  EXPECT_EQ(::GetCursor(), Screen->GetCursors(style->GetTextStyles()->GetItem(kLink)->JumpCursor));
  // Painted in its hover colour.
  ProcessFor(50);
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-hyperlink-hover");
  auto redPixels = [&](Integer ItemNo) {
    TUVDrawLineInfo* dli = viewer->GetUVData()->DrawItems->Get(viewer->GetUVData()->ItemToFirstDrawItem(ItemNo));
    testing_support::ScreenImage shot = testing_support::CaptureWindow(viewer->GetHandle());
    RECT window;
    ::GetWindowRect(viewer->GetHandle(), &window);
    TPoint origin = viewer->ClientToScreen(Point(0, 0));
    Integer red = 0;
    for (Integer y = dli->Top; y < dli->Top + dli->Height; ++y)
      for (Integer x = dli->Left; x < dli->Left + dli->Width; ++x)
        red += shot.Pixel(x + origin.X - window.left, y + origin.Y - window.top) == RGB(255, 0, 0);
    return red;
  };
  EXPECT_TRUE(ProcessUntil([&] { return redPixels(kGenesis) > 10; }, 30000));
  EXPECT_EQ(redPixels(kJohn), 0);
  // From one hyperlink straight to the other.
  HoverAt(MiddleOf(kJohn));
  EXPECT_EQ(hovers, (std::vector<Integer>{10, 11}));
  EXPECT_TRUE(ProcessUntil([&] { return redPixels(kGenesis) == 0 && redPixels(kJohn) > 10; }, 30000));
  // Off every hyperlink: -1 once, the viewer's own cursor again.
  HoverAt(PointAt(0, 2));
  HoverAt(PointAt(0, 3));
  EXPECT_EQ(hovers, (std::vector<Integer>{10, 11, -1}));
  EXPECT_EQ(viewer->GetShownCursor(), crDefault);
  EXPECT_TRUE(ProcessUntil([&] { return redPixels(kJohn) == 0; }, 30000));

  // A click fires the jump with the hyperlink's number, which leads to its target; the press
  // and the release report the item under the mouse.
  std::vector<Integer> buttons;
  viewer->OnUVMouseDown = TUVMouseEvent::FromFunction(
      [&](TObject*, TMouseButton, TShiftState, Integer item, Integer, Integer) { buttons.push_back(item); });
  viewer->OnUVMouseUp = TUVMouseEvent::FromFunction(
      [&](TObject*, TMouseButton, TShiftState, Integer item, Integer, Integer) { buttons.push_back(-10 - item); });
  Click(MiddleOf(kJohn));
  EXPECT_EQ(jumps, std::vector<TUVTag>{4301});
  EXPECT_EQ(buttons, (std::vector<Integer>{kJohn, -10 - kJohn}));
  Click(MiddleOf(kRomans));
  EXPECT_EQ(jumps, (std::vector<TUVTag>{4301, 4501}));
}

TEST_F(HyperlinkTest, SelectingOverAHyperlinkOrReleasingOnAnotherFiresNothing) {
  // Pressed on a hyperlink, dragged out and back: a selection existed before the release.
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, PointAt(kGenesis, 2));
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, PointAt(4, 5));
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, PointAt(kGenesis, 6));
  Mouse(WM_LBUTTONUP, 0, PointAt(kGenesis, 6));
  EXPECT_EQ(viewer->GetSelText(), "enes");
  EXPECT_TRUE(jumps.empty());
  // Pressed on one hyperlink, released on the other.
  viewer->Deselect();
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, MiddleOf(kGenesis));
  Mouse(WM_LBUTTONUP, 0, MiddleOf(kJohn));
  EXPECT_TRUE(jumps.empty());
  // With single clicks, a click on a word is reported as a double click on it.
  std::vector<AnsiString> words;
  viewer->OnUVDblClick = TUVDblClickEvent::FromFunction([&](TObject*, const AnsiString& w, Integer) { words.push_back(w); });
  viewer->SetSingleClick(true);
  Click(PointAt(4, 7));
  EXPECT_EQ(words, std::vector<AnsiString>{"the"});
}

TEST_F(HyperlinkTest, TabAndShiftTabGoThroughTheHyperlinksAndTheControlInOrder) {
  before->SetFocus();
  ASSERT_TRUE(ProcessUntil([&] { return Focus() == before->GetHandle(); }));
  struct Stop {
    HWND window;
    Integer item;
  };
  auto where = [&] { return Stop{Focus(), Focus() == viewer->GetHandle() ? FocusedItem() : -1}; };
  auto expectAt = [&](HWND window, Integer item, const char* what) {
    Stop s = where();
    EXPECT_EQ(s.window, window) << what;
    EXPECT_EQ(s.item, item) << what;
  };
  TypeKey(VK_TAB);
  expectAt(viewer->GetHandle(), kGenesis, "Tab into the viewer");
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-hyperlink-focused");
  TypeKey(VK_TAB);
  expectAt(viewer->GetHandle(), kJohn, "second hyperlink");
  TypeKey(VK_TAB);
  expectAt(edit->GetHandle(), -1, "the edit in the document");
  TypeKey(VK_TAB);
  expectAt(viewer->GetHandle(), kRomans, "back to the hyperlinks after the edit");
  TypeKey(VK_TAB);
  expectAt(after->GetHandle(), -1, "out to the next control");
  TypeKey(VK_TAB, true);
  expectAt(viewer->GetHandle(), kRomans, "Shift+Tab back to the last hyperlink");
  TypeKey(VK_TAB, true);
  expectAt(edit->GetHandle(), -1, "Shift+Tab to the edit");
  TypeKey(VK_TAB, true);
  expectAt(viewer->GetHandle(), kJohn, "Shift+Tab from the edit");
  TypeKey(VK_TAB, true);
  expectAt(viewer->GetHandle(), kGenesis, "first hyperlink");
  TypeKey(VK_TAB, true);
  expectAt(before->GetHandle(), -1, "out to the previous control");
  // Enter on a focused hyperlink follows it.
  TypeKey(VK_TAB);
  TypeKey(VK_TAB);
  ASSERT_EQ(FocusedItem(), kJohn);
  TypeKey(VK_RETURN);
  EXPECT_EQ(jumps, std::vector<TUVTag>{4301});
}

TEST_F(HyperlinkTest, AClickFocusesTheViewerButNoHyperlink) {
  before->SetFocus();
  ASSERT_TRUE(ProcessUntil([&] { return Focus() == before->GetHandle(); }));
  Click(PointAt(0, 2));
  EXPECT_EQ(Focus(), viewer->GetHandle());
  EXPECT_EQ(FocusedItem(), -1);
  // Once focused by the mouse, Tab starts at the first hyperlink.
  TypeKey(VK_TAB);
  EXPECT_EQ(FocusedItem(), kGenesis);
  // Out and back in by the keyboard: the first hyperlink again, not the one left.
  before->SetFocus();
  ProcessUntil([&] { return Focus() == before->GetHandle(); });
  TypeKey(VK_TAB);
  EXPECT_EQ(FocusedItem(), kGenesis);
}

TEST_F(HyperlinkTest, AViewerWithoutHyperlinksIsStillAStopOfTheTabOrder) {
  viewer->Clear();
  viewer->AddNL("Nothing to follow here.", kText, 0);
  viewer->Format();
  before->SetFocus();
  ASSERT_TRUE(ProcessUntil([&] { return Focus() == before->GetHandle(); }));
  TypeKey(VK_TAB);
  EXPECT_EQ(Focus(), viewer->GetHandle());
  EXPECT_EQ(FocusedItem(), -1);
  TypeKey(VK_TAB);
  EXPECT_EQ(Focus(), after->GetHandle());
  TypeKey(VK_TAB, true);
  EXPECT_EQ(Focus(), viewer->GetHandle());
  TypeKey(VK_TAB, true);
  EXPECT_EQ(Focus(), before->GetHandle());
}

TEST_F(HyperlinkTest, WithCtrlTabNavigationAPlainTabLeavesTheViewer) {
  viewer->SetTabNavigation(uvtnCtrlTab);
  before->SetFocus();
  ASSERT_TRUE(ProcessUntil([&] { return Focus() == before->GetHandle(); }));
  TypeKey(VK_TAB);
  ASSERT_EQ(Focus(), viewer->GetHandle());
  EXPECT_EQ(FocusedItem(), kGenesis);
  TypeKey(VK_TAB, false, true);
  EXPECT_EQ(FocusedItem(), kJohn);
  TypeKey(VK_TAB);
  EXPECT_EQ(Focus(), after->GetHandle());
  // Without navigation the viewer and the edit on it are plain stops of the form's order.
  viewer->SetTabNavigation(uvtnNone);
  TypeKey(VK_TAB, true);
  EXPECT_EQ(Focus(), edit->GetHandle());
  TypeKey(VK_TAB, true);
  EXPECT_EQ(Focus(), viewer->GetHandle());
  EXPECT_EQ(FocusedItem(), -1);
}

}  // namespace
