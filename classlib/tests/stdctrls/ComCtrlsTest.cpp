// Status bars, progress bars, track bars, up-down buttons, page controls and list views.
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

std::string PartText(HWND bar, int part) {
  char text[256] = {};
  ::SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
  return text;
}

class ComTest : public FormTest {};

TEST_F(ComTest, AStatusBarHasItsPanelsAtTheirWidthsAtTheBottom) {
  auto* bar = new TStatusBar(form_);
  for (Integer width : {100, 300, 100}) bar->GetPanels()->Add()->SetWidth(width);
  bar->SetParent(form_);
  bar->GetPanels()->GetItems(0)->SetText("Genesis");
  bar->GetPanels()->GetItems(1)->SetText("Book opened manually");
  bar->GetPanels()->GetItems(2)->SetText("Number of spelling errors: 3");
  HWND wnd = bar->GetHandle();
  INT edges[3] = {};
  EXPECT_EQ(::SendMessageA(wnd, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 100);
  EXPECT_EQ(edges[1], 400);
  EXPECT_EQ(PartText(wnd, 1), "Book opened manually");
  EXPECT_EQ(bar->GetTop() + bar->GetHeight(), form_->GetClientHeight());
  EXPECT_EQ(bar->GetWidth(), form_->GetClientWidth());

  bar->GetPanels()->GetItems(2)->SetAlignment(taCenter);
  EXPECT_EQ(PartText(wnd, 2), "\tNumber of spelling errors: 3");

  // A new window (no grip) shows the same panels.
  bar->SetSizeGrip(false);
  EXPECT_EQ(PartText(bar->GetHandle(), 0), "Genesis");
}

TEST_F(ComTest, AStatusBarsSimpleTextReplacesThePanelsWhileShown) {
  auto* bar = Add<TStatusBar>(0, 0);
  bar->GetPanels()->Add()->SetText("panel");
  bar->SetSimplePanel(true);
  bar->SetSimpleText("Printing page 3");
  EXPECT_NE(::SendMessageA(bar->GetHandle(), SB_ISSIMPLE, 0, 0), 0);
  EXPECT_EQ(PartText(bar->GetHandle(), 0), "Printing page 3") << "the simple text is part 0";
  bar->SetSimplePanel(false);
  EXPECT_EQ(::SendMessageA(bar->GetHandle(), SB_ISSIMPLE, 0, 0), 0);
  EXPECT_EQ(PartText(bar->GetHandle(), 0), "panel");
}

TEST_F(ComTest, AnOwnerDrawnPanelIsDrawnByOnDrawPanel) {
  auto* bar = Add<TStatusBar>(0, 0);
  bar->GetPanels()->Add()->SetWidth(50);
  TStatusPanel* drawn = bar->GetPanels()->Add();
  drawn->SetStyle(psOwnerDraw);
  TStatusPanel* seen = nullptr;
  bar->OnDrawPanel = TDrawPanelEvent::FromFunction([&](TStatusBar* b, TStatusPanel* p, const TRect& r) {
    seen = p;
    b->GetCanvas()->GetBrush()->SetColor(clRed);
    b->GetCanvas()->FillRect(r);
  });
  ::UpdateWindow(bar->GetHandle());
  ::RedrawWindow(bar->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(seen, drawn);
  EXPECT_EQ(PaintedPixel(bar, 80, bar->GetHeight() / 2), Rgb(clRed));
}

// The bar follows its form's size: the last panel reaches the new end, where the grip stands; the
// grip is not left where the bar ended before, and is gone while the form is maximised.
TEST_F(ComTest, AStatusBarsGripStandsAtItsEndAndGoesWhileTheFormIsMaximised) {
  auto* bar = Add<TStatusBar>(0, 0);
  for (Integer width : {100, 100}) bar->GetPanels()->Add()->SetWidth(width);
  HWND wnd = bar->GetHandle();
  auto grip = [&] { return (::GetWindowLongA(wnd, GWL_STYLE) & SBARS_SIZEGRIP) != 0; };
  auto lastPanelEnd = [&] {
    RECT r{};
    ::SendMessageA(wnd, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&r));
    return r.right;
  };
  // The grip's dots: pixels of its corner other than the bar's face.
  auto gripDots = [&](int right) {
    int dots = 0;
    for (int x = right - 14; x < right; ++x)
      for (int y = bar->GetHeight() / 2; y < bar->GetHeight(); ++y)
        dots += forms_test::ScreenPixel(bar, x, y) != Rgb(clBtnFace);
    return dots;
  };
  ProcessFor(20);
  EXPECT_TRUE(grip());
  const int before = bar->GetWidth();
  EXPECT_GT(gripDots(before), 0);

  form_->SetBounds(50, 50, 500, 300);
  ProcessFor(50);
  EXPECT_EQ(bar->GetWidth(), form_->GetClientWidth());
  EXPECT_GE(lastPanelEnd(), bar->GetWidth() - 20);
  EXPECT_EQ(gripDots(before), 0) << "the grip left where the bar ended";
  EXPECT_GT(gripDots(bar->GetWidth()), 0);

  form_->SetWindowState(wsMaximized);
  ProcessFor(50);
  EXPECT_FALSE(grip());
  EXPECT_GE(lastPanelEnd(), bar->GetWidth() - 20);
  form_->SetWindowState(wsNormal);
  ProcessFor(50);
  EXPECT_TRUE(grip());
  EXPECT_EQ(bar->GetWidth(), form_->GetClientWidth());
}

TEST_F(ComTest, AProgressBarKeepsItsPositionWithinItsRange) {
  auto* bar = Add<TProgressBar>(10, 10);
  bar->SetMax(66);
  bar->SetStep(5);
  bar->StepIt();
  bar->StepBy(10);
  EXPECT_EQ(bar->GetPosition(), 15);
  EXPECT_EQ(::SendMessageA(bar->GetHandle(), PBM_GETPOS, 0, 0), 15);
  EXPECT_EQ(::SendMessageA(bar->GetHandle(), PBM_GETRANGE, FALSE, 0), 66);
  bar->SetPosition(100);
  EXPECT_EQ(bar->GetPosition(), 66);
  bar->SetSmooth(true);
  EXPECT_EQ(bar->GetPosition(), 66) << "kept by the new window";
  EXPECT_NE(::GetWindowLongPtrA(bar->GetHandle(), GWL_STYLE) & PBS_SMOOTH, 0);
}

TEST_F(ComTest, ATrackBarReportsMovesByTheKeysAndInCode) {
  auto* track = Add<TTrackBar>(10, 10, 200);
  track->SetMax(6);
  std::vector<Integer> changes;
  track->OnChange = TNotifyEvent::FromFunction([&](TObject*) { changes.push_back(track->GetPosition()); });
  track->SetPosition(3);
  EXPECT_EQ(::SendMessageA(track->GetHandle(), TBM_GETPOS, 0, 0), 3);
  track->SetFocus();
  PressKey(VK_RIGHT);
  PressKey(VK_END);
  EXPECT_EQ(track->GetPosition(), 6);
  EXPECT_EQ(changes, (std::vector<Integer>{3, 4, 6}));
  track->SetPosition(10);
  EXPECT_EQ(track->GetPosition(), 6);
  EXPECT_EQ(changes.size(), 3u) << "no move, no change";

  track->SetOrientation(trVertical);
  EXPECT_EQ(track->GetPosition(), 6) << "kept by the new window";
  EXPECT_NE(::GetWindowLongPtrA(track->GetHandle(), GWL_STYLE) & TBS_VERT, 0);
  EXPECT_GT(track->GetHeight(), track->GetWidth());
}

TEST_F(ComTest, UpDownButtonsStepTheNumberInTheirEdit) {
  auto* edit = Add<TEdit>(10, 10, 60);
  auto* updown = Add<TUpDown>(70, 10);
  updown->SetMax(10);
  updown->SetPosition(4);
  updown->SetAssociate(edit);
  EXPECT_EQ(edit->GetText(), "4");
  EXPECT_EQ(updown->GetLeft(), edit->GetLeft() + edit->GetWidth()) << "at the side of its edit";
  std::vector<TUDBtnType> clicks;
  updown->OnClick = TUDClickEvent::FromFunction([&](TObject*, TUDBtnType b) { clicks.push_back(b); });
  edit->SetFocus();
  PressKey(VK_UP);
  PressKey(VK_UP);
  PressKey(VK_DOWN);
  EXPECT_EQ(updown->GetPosition(), 5);
  EXPECT_EQ(edit->GetText(), "5");
  EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btNext, btPrev}));

  updown->OnChanging = TUDChangingEvent::FromFunction([](TObject*, bool& allow) { allow = false; });
  PressKey(VK_UP);
  EXPECT_EQ(updown->GetPosition(), 5) << "refused";
}

class PageTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    pages_ = Add<TPageControl>(10, 10, 300, 200);
    for (const char* caption : {"&General", "&Dictionaries", "&Auto-Correct Pairs"}) {
      auto* sheet = new TTabSheet(form_);
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages_);
      sheets_.push_back(sheet);
      edits_.push_back(Add<TEdit>(10, 10, -1, -1, sheet));
    }
    pages_->OnChange = TNotifyEvent::FromFunction([this](TObject*) { ++changes_; });
  }
  // Clicks the tab of a sheet.
  void ClickTab(int tab) {
    RECT r{};
    ::SendMessageA(pages_->GetHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    ClickAt(pages_, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  TPageControl* pages_ = nullptr;
  std::vector<TTabSheet*> sheets_;
  std::vector<TEdit*> edits_;
  int changes_ = 0;
};

TEST_F(PageTest, TheFirstPageShowsAndEachSheetHasATab) {
  EXPECT_EQ(pages_->GetPageCount(), 3);
  EXPECT_EQ(::SendMessageA(pages_->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(pages_->GetActivePage(), sheets_[0]);
  EXPECT_TRUE(::IsWindowVisible(edits_[0]->GetHandle()));
  EXPECT_FALSE(sheets_[1]->GetVisible());
  // The sheet fills the area inside the tabs.
  EXPECT_GT(sheets_[0]->GetTop(), 10);
  EXPECT_LT(sheets_[0]->GetWidth(), 300);
  char text[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  ::SendMessageA(pages_->GetHandle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "&Dictionaries");
}

TEST_F(PageTest, ClickingATabShowsItsPageUnlessOnChangingRefuses) {
  ClickTab(2);
  EXPECT_EQ(pages_->GetActivePage(), sheets_[2]);
  EXPECT_EQ(pages_->GetActivePageIndex(), 2);
  EXPECT_EQ(changes_, 1);
  EXPECT_TRUE(sheets_[2]->GetVisible());
  EXPECT_FALSE(sheets_[0]->GetVisible());

  pages_->OnChanging = TTabChangingEvent::FromFunction([](TObject*, bool& allow) { allow = false; });
  ClickTab(0);
  EXPECT_EQ(pages_->GetActivePage(), sheets_[2]);
  EXPECT_EQ(::SendMessageA(pages_->GetHandle(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(changes_, 1);
}

TEST_F(PageTest, CtrlTabMovesToTheNextPageAndCodeChoosesWithoutOnChange) {
  edits_[0]->SetFocus();
  PressKey(VK_TAB, false, true);
  EXPECT_EQ(pages_->GetActivePage(), sheets_[1]);
  EXPECT_EQ(changes_, 1);
  PressKey(VK_TAB, true, true);
  EXPECT_EQ(pages_->GetActivePage(), sheets_[0]);

  pages_->SetActivePage(sheets_[2]);
  EXPECT_EQ(::SendMessageA(pages_->GetHandle(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(changes_, 2);
}

TEST_F(PageTest, AHiddenTabLeavesTheTabsAndAFreedSheetLeavesThePages) {
  sheets_[1]->SetTabVisible(false);
  EXPECT_EQ(::SendMessageA(pages_->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(sheets_[2]->GetTabIndex(), 1);
  EXPECT_EQ(sheets_[1]->GetTabIndex(), -1);
  pages_->SetActivePage(sheets_[2]);
  delete sheets_[2];
  EXPECT_EQ(pages_->GetPageCount(), 2);
  EXPECT_EQ(pages_->GetActivePage(), sheets_[0]);
  EXPECT_EQ(::SendMessageA(pages_->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 1);
}

class ListViewTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    view_ = Add<TListView>(10, 10, 300, 200);
    view_->SetViewStyle(vsReport);
    view_->GetColumns()->Add()->SetCaption("Name");
    view_->GetColumns()->Add()->SetCaption("Filename");
    view_->GetColumns()->GetItems(1)->SetWidth(150);
    for (const char* name : {"English", "Dutch", "Swahili"}) {
      TListItem* item = view_->GetItems()->Add();
      item->SetCaption(name);
      item->GetSubItems()->Add(std::string(name) + ".lxm");
    }
  }
  std::string Cell(int row, int column) {
    char text[128] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(view_->GetHandle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  TListView* view_ = nullptr;
};

TEST_F(ListViewTest, RowsAndColumnsAreTheWindows) {
  HWND wnd = view_->GetHandle();
  EXPECT_EQ(::SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Cell(1, 0), "Dutch");
  EXPECT_EQ(Cell(2, 1), "Swahili.lxm");
  EXPECT_EQ(::SendMessageA(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 150);
  view_->GetItems()->GetItem(1)->SetCaption("Nederlands");
  view_->GetItems()->GetItem(1)->GetSubItems()->SetStrings(0, "nl.lxm");
  EXPECT_EQ(Cell(1, 0), "Nederlands");
  EXPECT_EQ(Cell(1, 1), "nl.lxm");
  TListItem* first = view_->GetItems()->GetItem(0);
  const TRect r = first->DisplayRect(false);
  EXPECT_EQ(view_->GetItemAt(r.Left + 5, r.Top + 2), first);
}

TEST_F(ListViewTest, CheckBoxesAndSelectionAreReportedAndSurviveANewWindow) {
  view_->SetCheckboxes(true);
  view_->SetRowSelect(true);
  std::vector<std::string> events;
  view_->OnChange = TLVChangeEvent::FromFunction([&](TObject*, TListItem* item, TItemChange change) {
    if (change == ctState) events.push_back("state:" + item->GetCaption());
  });
  view_->OnSelectItem = TLVSelectItemEvent::FromFunction(
      [&](TObject*, TListItem* item, bool selected) { events.push_back((selected ? "select:" : "unselect:") + item->GetCaption()); });
  TListItem* dutch = view_->GetItems()->GetItem(1);
  dutch->SetChecked(true);
  EXPECT_TRUE(dutch->GetChecked());
  EXPECT_NE(std::find(events.begin(), events.end(), "state:Dutch"), events.end());
  events.clear();
  view_->SetSelected(dutch);
  EXPECT_EQ(view_->GetSelected(), dutch);
  EXPECT_EQ(view_->GetItemIndex(), 1);
  EXPECT_NE(std::find(events.begin(), events.end(), "select:Dutch"), events.end());

  view_->SetViewStyle(vsList);
  view_->SetViewStyle(vsReport);
  EXPECT_TRUE(view_->GetItems()->GetItem(1)->GetChecked());
  EXPECT_FALSE(view_->GetItems()->GetItem(0)->GetChecked());
  EXPECT_EQ(view_->GetSelected(), dutch);
}

TEST_F(ListViewTest, ClickingTheBoxChecksTheRow) {
  view_->SetCheckboxes(true);
  TListItem* item = view_->GetItems()->GetItem(2);
  const TRect r = item->DisplayRect(false);
  ClickAt(view_, r.Left + 8, (r.Top + r.Bottom) / 2);
  EXPECT_TRUE(item->GetChecked());
}

TEST_F(ListViewTest, SortedByCaptionAndDeletionIsReported) {
  std::vector<std::string> deleted;
  view_->OnDeletion =
      TLVDeletedEvent::FromFunction([&](TObject*, TListItem* item) { deleted.push_back(item->GetCaption()); });
  view_->SetSortType(stText);
  EXPECT_EQ(Cell(0, 0), "Dutch");
  EXPECT_EQ(Cell(2, 0), "Swahili");
  EXPECT_EQ(view_->GetItems()->GetItem(0)->GetCaption(), "Dutch");
  view_->GetItems()->Add()->SetCaption("Afrikaans");
  EXPECT_EQ(Cell(0, 0), "Afrikaans");
  EXPECT_EQ(view_->GetItems()->GetItem(0)->GetSubItems()->GetCount(), 0);
  view_->GetItems()->Delete(1);
  EXPECT_EQ(deleted, std::vector<std::string>{"Dutch"});
  EXPECT_EQ(::SendMessageA(view_->GetHandle(), LVM_GETITEMCOUNT, 0, 0), 3);
  view_->Clear();
  EXPECT_EQ(deleted.size(), 4u);
}

TEST_F(ListViewTest, EditingALabelInPlaceGoesThroughOnEditingAndOnEdited) {
  std::string old;
  view_->OnEditing = TLVEditingEvent::FromFunction([&](TObject*, TListItem* item, bool& allow) {
    allow = item->GetIndex() != 0;
  });
  view_->OnEdited = TLVEditedEvent::FromFunction([&](TObject*, TListItem* item, AnsiString& text) {
    old = item->GetCaption();
    text += " (mine)";
  });
  TListItem* item = view_->GetItems()->GetItem(2);
  item->EditCaption();
  ASSERT_TRUE(view_->IsEditing());
  HWND edit = reinterpret_cast<HWND>(::SendMessageA(view_->GetHandle(), LVM_GETEDITCONTROL, 0, 0));
  ::SetWindowTextA(edit, "Kiswahili");
  ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  ProcessFor(20);
  EXPECT_EQ(old, "Swahili");
  EXPECT_EQ(item->GetCaption(), "Kiswahili (mine)");
  EXPECT_EQ(Cell(2, 0), "Kiswahili (mine)");

  view_->GetItems()->GetItem(0)->EditCaption();
  EXPECT_FALSE(view_->IsEditing()) << "OnEditing refused the first row";
  view_->SetReadOnly(true);
  item->EditCaption();
  EXPECT_FALSE(view_->IsEditing());
}

}  // namespace
