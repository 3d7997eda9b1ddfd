// List boxes and combo boxes on a shown form.
#include <vector>

#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

std::vector<std::string> ItemsOf(TStrings* items) {
  std::vector<std::string> result;
  for (Integer i = 0; i < items->GetCount(); ++i) result.push_back(items->GetStrings(i));
  return result;
}

class TListMarker : public TObject {
  CLASS_INFO(TListMarker, TObject)
};

class ListBoxTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    list_ = Add<TListBox>(10, 10, 200, 120);
    list_->OnClick = TNotifyEvent::FromFunction([this](TObject*) { ++clicks_; });
  }
  TListBox* list_ = nullptr;
  int clicks_ = 0;
};

TEST_F(ListBoxTest, ItemsAreTheWindowsLinesAndKeepTheirObjects) {
  TListMarker marker;
  TStrings* items = list_->GetItems();
  items->Add("GEN 1:1 - first");
  items->AddObject("GEN 1:2 - second", &marker);
  items->Insert(0, "title");
  EXPECT_EQ(::SendMessageA(list_->GetHandle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(items->GetObjects(2), &marker);
  items->SetStrings(2, "GEN 1:2 - changed");
  EXPECT_EQ(items->GetObjects(2), &marker) << "a changed line keeps its object";
  EXPECT_EQ(items->IndexOf("gen 1:2 - CHANGED"), 2);
  items->Delete(0);
  EXPECT_EQ(ItemsOf(items), (std::vector<std::string>{"GEN 1:1 - first", "GEN 1:2 - changed"}));
  EXPECT_THROW(items->GetStrings(5), EStringListError);
  EXPECT_THROW(items->Delete(-1), EStringListError);
  list_->Clear();
  EXPECT_EQ(items->GetCount(), 0);
}

// Many lines added at once go after the lines there, in their order (or sorted in a sorted box),
// each with its object; lines without one have none.
TEST_F(ListBoxTest, AddStringsAddsEveryLineWithItsObject) {
  TListMarker marker;
  TStringList lines;
  for (int i = 0; i < 3000; ++i) lines.Add("line " + std::to_string(3000 - i));
  lines.SetObjects(1, &marker);
  list_->GetItems()->Add("first");
  list_->GetItems()->AddStrings(&lines);
  TStrings* items = list_->GetItems();
  ASSERT_EQ(items->GetCount(), 3001);
  EXPECT_EQ(items->GetStrings(1), "line 3000");
  EXPECT_EQ(items->GetStrings(3000), "line 1");
  EXPECT_EQ(items->GetObjects(2), &marker);
  EXPECT_EQ(items->GetObjects(3), nullptr);

  auto* sorted = Add<TListBox>(220, 10, 100, 120);
  sorted->SetSorted(true);
  TStringList books;
  books.SetCommaText("Numbers,exodus,Genesis");
  books.SetObjects(0, &marker);
  sorted->GetItems()->AddStrings(&books);
  EXPECT_EQ(ItemsOf(sorted->GetItems()), (std::vector<std::string>{"exodus", "Genesis", "Numbers"}));
  EXPECT_EQ(sorted->GetItems()->GetObjects(2), &marker);
}

TEST_F(ListBoxTest, ItemIndexIsTheSelectionAndChoosingWithTheUserIsAClick) {
  list_->GetItems()->SetCommaText("a,b,c,d");
  EXPECT_EQ(list_->GetItemIndex(), -1);
  list_->SetItemIndex(2);
  EXPECT_EQ(list_->GetItemIndex(), 2);
  EXPECT_TRUE(list_->GetSelected(2));
  EXPECT_EQ(clicks_, 0) << "a choice made in code is no click";

  list_->SetFocus();
  PressKey(VK_DOWN);
  EXPECT_EQ(list_->GetItemIndex(), 3);
  EXPECT_EQ(clicks_, 1);

  const TRect second = list_->ItemRect(1);
  ClickAt(list_, second.Left + 5, second.Top + 2);
  EXPECT_EQ(list_->GetItemIndex(), 1);
  EXPECT_EQ(clicks_, 2);
  EXPECT_EQ(list_->ItemAtPos(Point(5, second.Top + 2), true), 1);
  EXPECT_EQ(list_->ItemAtPos(Point(5, 110), true), -1) << "below the last line";
  EXPECT_EQ(list_->ItemAtPos(Point(5, 110), false), 3);

  list_->SetSelected(1, false);
  EXPECT_EQ(list_->GetItemIndex(), -1);
  list_->SetItemIndex(10);
  EXPECT_EQ(list_->GetItemIndex(), -1);
}

TEST_F(ListBoxTest, MultiSelectKeepsSeveralLinesSelected) {
  list_->GetItems()->SetCommaText("a,b,c,d");
  list_->SetItemIndex(0);
  list_->SetMultiSelect(true);
  EXPECT_EQ(ItemsOf(list_->GetItems()), (std::vector<std::string>{"a", "b", "c", "d"})) << "kept by the new window";
  EXPECT_NE(::GetWindowLongPtrA(list_->GetHandle(), GWL_STYLE) & LBS_EXTENDEDSEL, 0);
  EXPECT_TRUE(list_->GetSelected(0)) << "the line chosen before is still chosen";
  list_->SetSelected(0, false);
  list_->SetSelected(1, true);
  list_->SetSelected(3, true);
  EXPECT_EQ(list_->GetSelCount(), 2);
  EXPECT_FALSE(list_->GetSelected(0));
  EXPECT_TRUE(list_->GetSelected(3));

  // The selection survives another new window.
  list_->SetExtendedSelect(false);
  EXPECT_NE(::GetWindowLongPtrA(list_->GetHandle(), GWL_STYLE) & LBS_MULTIPLESEL, 0);
  EXPECT_EQ(list_->GetSelCount(), 2);
  EXPECT_TRUE(list_->GetSelected(1));

  // Deleting the selected lines from the last to the first, as the ignore command does.
  for (Integer i = list_->GetItems()->GetCount() - 1; i >= 0; --i)
    if (list_->GetSelected(i)) list_->GetItems()->Delete(i);
  EXPECT_EQ(ItemsOf(list_->GetItems()), (std::vector<std::string>{"a", "c"}));
}

TEST_F(ListBoxTest, SortedKeepsTheLinesInOrderAlsoBeforeTheWindow) {
  auto* loose = new TListBox(form_);
  loose->SetSorted(true);
  for (const char* s : {"Numbers", "exodus", "Genesis", "leviticus"}) loose->GetItems()->Add(s);
  EXPECT_EQ(ItemsOf(loose->GetItems()), (std::vector<std::string>{"exodus", "Genesis", "leviticus", "Numbers"}));
  loose->SetItemIndex(1);
  loose->SetParent(form_);
  EXPECT_EQ(::SendMessageA(loose->GetHandle(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(loose->GetItemIndex(), 1);
  EXPECT_EQ(loose->GetItems()->Add("Deuteronomy"), 0);
  EXPECT_EQ(loose->GetItemIndex(), 2) << "the selection moves with its line";

  TListMarker marker;
  list_->GetItems()->SetCommaText("c,a,b");
  list_->GetItems()->SetObjects(0, &marker);
  list_->SetItemIndex(0);
  list_->SetSorted(true);
  EXPECT_EQ(ItemsOf(list_->GetItems()), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list_->GetItems()->GetObjects(2), &marker) << "objects and selection move with their lines";
  EXPECT_EQ(list_->GetItemIndex(), 2);
}

TEST_F(ListBoxTest, ColumnsAndAHorizontalExtentScrollSideways) {
  list_->SetScrollWidth(1000);
  EXPECT_EQ(::SendMessageA(list_->GetHandle(), LB_GETHORIZONTALEXTENT, 0, 0), 1000);
  list_->GetItems()->Add(std::string(150, 'x'));
  EXPECT_NE(::GetWindowLongPtrA(list_->GetHandle(), GWL_STYLE) & WS_HSCROLL, 0) << "the scroll bar shows";

  list_->SetColumns(2);
  EXPECT_NE(::GetWindowLongPtrA(list_->GetHandle(), GWL_STYLE) & LBS_MULTICOLUMN, 0);
  EXPECT_EQ(list_->GetScrollWidth(), 1000) << "kept by the new window";
  for (int i = 0; i < 30; ++i) list_->GetItems()->Add("item");
  const TRect first = list_->ItemRect(0);
  const TRect later = list_->ItemRect(20);
  EXPECT_GT(later.Left, first.Left) << "items flow into the next column";
}

TEST_F(ListBoxTest, OwnerDrawnItemsAreDrawnByOnDrawItem) {
  list_->SetStyle(lbOwnerDrawFixed);
  list_->SetItemHeight(20);
  list_->GetItems()->SetCommaText("red,green");
  std::vector<Integer> drawn;
  list_->OnDrawItem = TDrawItemEvent::FromFunction([&](TWinControl* control, Integer index, TRect rect,
                                                       TOwnerDrawState) {
    auto* box = static_cast<TListBox*>(control);
    drawn.push_back(index);
    box->GetCanvas()->GetBrush()->SetColor(index == 0 ? clRed : clLime);
    box->GetCanvas()->FillRect(rect);
  });
  EXPECT_EQ(list_->ItemRect(1).Top, 20);
  // Painted through PaintTo: the items' colours come out at their places.
  EXPECT_EQ(PaintedPixel(list_, 10, 12), Rgb(clRed));
  EXPECT_EQ(PaintedPixel(list_, 10, 32), Rgb(clLime));
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end());
}

TEST_F(ListBoxTest, TheDefaultOwnerDrawingShowsTheSelectionColours) {
  list_->SetStyle(lbOwnerDrawFixed);
  list_->SetItemHeight(20);
  list_->GetItems()->SetCommaText("one,two");
  list_->SetItemIndex(1);
  EXPECT_EQ(PaintedPixel(list_, 150, 32), Rgb(clHighlight));
  EXPECT_EQ(PaintedPixel(list_, 150, 12), Rgb(clWindow));
}

// ---- Combo boxes ----

class ComboBoxTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    combo_ = Add<TComboBox>(10, 10, 200);
    combo_->OnChange = TNotifyEvent::FromFunction([this](TObject*) { events_.push_back("change:" + combo_->GetText()); });
    combo_->OnClick = TNotifyEvent::FromFunction([this](TObject*) { events_.push_back("click:" + combo_->GetText()); });
  }
  TComboBox* combo_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(ComboBoxTest, ChoosingAnItemSetsTheTextAndRunsClickAndSelect) {
  combo_->SetStyle(csDropDownList);
  combo_->GetItems()->SetCommaText("Genesis,Exodus,Leviticus");
  combo_->OnSelect = TNotifyEvent::FromFunction([this](TObject*) { events_.push_back("select:" + combo_->GetText()); });
  combo_->SetItemIndex(0);
  EXPECT_EQ(combo_->GetText(), "Genesis");
  EXPECT_TRUE(events_.empty()) << "a choice made in code runs no event";

  combo_->SetFocus();
  PressKey(VK_DOWN);
  EXPECT_EQ(combo_->GetItemIndex(), 1);
  EXPECT_EQ(events_, (std::vector<std::string>{"click:Exodus", "select:Exodus"}));
}

TEST_F(ComboBoxTest, WithoutOnSelectAChoiceRunsOnChangeAndTypingRunsOnChange) {
  combo_->GetItems()->SetCommaText("Genesis,Exodus");
  combo_->SetFocus();
  PressKey(VK_DOWN);
  EXPECT_EQ(events_, (std::vector<std::string>{"click:Genesis", "change:Genesis"}));
  events_.clear();
  combo_->SelectAll();
  HWND edit = ::GetWindow(combo_->GetHandle(), GW_CHILD);
  ASSERT_NE(edit, nullptr);
  ::SendMessageA(edit, WM_CHAR, 'R', 1);
  EXPECT_EQ(combo_->GetText(), "R");
  EXPECT_EQ(events_, (std::vector<std::string>{"change:R"}));
}

TEST_F(ComboBoxTest, ItemsAndIndexAreKeptWithoutAWindowAndThroughANewOne) {
  auto* loose = new TComboBox(form_);
  loose->SetStyle(csDropDownList);
  loose->SetSorted(true);
  loose->GetItems()->SetCommaText("John,Acts,Mark");
  loose->SetItemIndex(2);
  EXPECT_EQ(loose->GetText(), "Mark");
  loose->SetParent(form_);
  EXPECT_EQ(ItemsOf(loose->GetItems()), (std::vector<std::string>{"Acts", "John", "Mark"}));
  EXPECT_EQ(loose->GetItemIndex(), 2);
  EXPECT_EQ(loose->GetText(), "Mark");
  loose->SetStyle(csDropDown);
  EXPECT_EQ(loose->GetItemIndex(), 2);
  EXPECT_EQ(::SendMessageA(loose->GetHandle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_NE(::GetWindow(loose->GetHandle(), GW_CHILD), nullptr) << "the new style has an edit";
}

TEST_F(ComboBoxTest, ATextGivenWithoutAWindowIsShownInTheEdit) {
  auto* loose = new TComboBox(form_);
  loose->GetItems()->SetCommaText("John,Acts");
  loose->SetText("<choose a book>");
  loose->SetParent(form_);
  EXPECT_EQ(loose->GetItemIndex(), -1);
  EXPECT_EQ(loose->GetText(), "<choose a book>");
  char text[64] = {};
  ::GetWindowTextA(::GetWindow(loose->GetHandle(), GW_CHILD), text, sizeof text);
  EXPECT_STREQ(text, "<choose a book>");
}

TEST_F(ComboBoxTest, TheListDropsDownForDropDownCountItems) {
  combo_->SetStyle(csDropDownList);
  for (int i = 0; i < 20; ++i) combo_->GetItems()->Add("Book " + std::to_string(i));
  combo_->SetDropDownCount(5);
  combo_->SetDroppedDown(true);
  EXPECT_TRUE(combo_->GetDroppedDown());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(combo_->GetHandle(), &info));
  RECT list{};
  ::GetWindowRect(info.hwndList, &list);
  const LRESULT itemHeight = ::SendMessageA(combo_->GetHandle(), CB_GETITEMHEIGHT, 0, 0);
  EXPECT_NEAR(list.bottom - list.top, 5 * itemHeight + 2, 4);
  combo_->SetDroppedDown(false);
  EXPECT_FALSE(combo_->GetDroppedDown());
  EXPECT_LT(combo_->GetHeight(), 40) << "the closed box keeps its height";
}

}  // namespace
