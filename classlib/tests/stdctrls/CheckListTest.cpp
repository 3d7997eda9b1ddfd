// Check list boxes on a shown form.
#include <vector>

#include "classlib/CheckLst.h"
#include "classlib/tests/stdctrls/StdTestSupport.h"

namespace {

using namespace stdctrls_test;

class TMarker : public TObject {
  CLASS_INFO(TMarker, TObject)
};

class CheckListTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    list_ = Add<TCheckListBox>(10, 10, 200, 150);
    list_->GetItems()->SetCommaText("Ignore,Change,Add");
    list_->OnClickCheck = TNotifyEvent::FromFunction([this](TObject*) { ++checks_; });
  }
  TCheckListBox* list_ = nullptr;
  int checks_ = 0;
};

TEST_F(CheckListTest, ClickingTheBoxTogglesItAndClickingTheTextOnlyChooses) {
  const TRect second = list_->ItemRect(1);
  ClickAt(list_, second.Left + 5, second.Top + 3);
  EXPECT_TRUE(list_->GetChecked(1));
  EXPECT_EQ(checks_, 1);
  ClickAt(list_, second.Left + 60, second.Top + 3);
  EXPECT_TRUE(list_->GetChecked(1));
  EXPECT_EQ(list_->GetItemIndex(), 1);
  EXPECT_EQ(checks_, 1);

  list_->SetFocus();
  Type(" ");
  EXPECT_FALSE(list_->GetChecked(1)) << "Space toggles the chosen line";
  EXPECT_EQ(checks_, 2);

  list_->SetItemEnabled(0, false);
  const TRect first = list_->ItemRect(0);
  ClickAt(list_, first.Left + 5, first.Top + 3);
  EXPECT_FALSE(list_->GetChecked(0));
  EXPECT_EQ(checks_, 2);
}

TEST_F(CheckListTest, AllowGrayedAddsTheThirdStateAndCodeChangesAreSilent) {
  list_->AllowGrayed = true;
  const TRect r = list_->ItemRect(2);
  const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
  for (TCheckBoxState expected : cycle) {
    ClickAt(list_, r.Left + 5, r.Top + 3);
    EXPECT_EQ(list_->GetState(2), expected);
  }
  list_->SetChecked(0, true);
  EXPECT_EQ(checks_, 3) << "only the user's changes call OnClickCheck";
  EXPECT_THROW(list_->GetChecked(9), EStringListError);
}

TEST_F(CheckListTest, ObjectsAndCheckMarksStayWithTheirLines) {
  TMarker marker;
  list_->GetItems()->SetObjects(2, &marker);
  list_->SetChecked(2, true);
  list_->GetItems()->Insert(0, "First");
  EXPECT_TRUE(list_->GetChecked(3));
  EXPECT_EQ(list_->GetItems()->GetObjects(3), &marker);
  list_->SetSorted(true);  // a new window, sorted
  const Integer add = list_->GetItems()->IndexOf("Add");
  EXPECT_EQ(add, 0);
  EXPECT_TRUE(list_->GetChecked(add));
  EXPECT_EQ(list_->GetItems()->GetObjects(add), &marker);
  list_->GetItems()->Delete(add);
  EXPECT_FALSE(list_->GetChecked(0));
  list_->GetItems()->Clear();
  EXPECT_EQ(list_->GetItems()->GetCount(), 0);
}

TEST_F(CheckListTest, ACheckedBoxIsDrawnInItsLine) {
  auto boxPixels = [&](int line) {
    const TRect r = list_->ItemRect(line);
    int dark = 0;
    for (int x = r.Left; x < r.Left + 17; ++x)
      for (int y = r.Top; y < r.Bottom; ++y)
        if (PaintedPixel(list_, x + 2, y + 2) == RGB(0, 0, 0)) ++dark;
    return dark;
  };
  const int unchecked = boxPixels(0);
  list_->SetChecked(0, true);
  EXPECT_GT(boxPixels(0), unchecked) << "the check mark";
}

}  // namespace
