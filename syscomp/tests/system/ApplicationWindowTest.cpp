#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "syscomp/sycSysUtils.h"
#include "syscomp/sycVclUtils.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ShiftStateTest, ReadsTheModifierKeys) {
  BYTE saved[256];
  GetKeyboardState(saved);
  struct Case {
    std::initializer_list<int> keys;
    TShiftState expected;
  } cases[] = {
      {{}, {}},
      {{VK_SHIFT}, {ssShift}},
      {{VK_MENU}, {ssAlt}},
      {{VK_CONTROL}, {ssCtrl}},
      {{VK_SHIFT, VK_CONTROL, VK_MENU}, {ssShift, ssAlt, ssCtrl}},
      {{VK_LBUTTON}, {}},
  };
  for (const Case& c : cases) {
    BYTE keys[256] = {};
    for (int k : c.keys) keys[k] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(GetShiftState(), c.expected);
  }
  SetKeyboardState(saved);
}

// A stand-in for an earlier copy of the program: an application window of the same class and
// title, as that copy's application object makes.
class PrevInstanceTest : public ::testing::Test {
protected:
  void SetUp() override {
    other_ = CreateWindowExA(0, Application->ClassName().c_str(), Application->GetTitle().c_str(),
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 10, 10, 200, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    if (other_) DestroyWindow(other_);
  }
  HWND other_ = nullptr;
};

TEST_F(PrevInstanceTest, FindsAndActivatesTheOtherCopy) {
  ASSERT_NE(other_, nullptr);
  EXPECT_EQ(FindPrevInstanceWindow(), other_);
  ShowWindow(other_, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(other_));
  EXPECT_TRUE(syc::ActivatePrevInstance());
  EXPECT_FALSE(IsIconic(other_)) << "restored";
  DestroyWindow(other_);
  other_ = nullptr;
  EXPECT_EQ(FindPrevInstanceWindow(), nullptr) << "its own application window does not count";
  EXPECT_FALSE(syc::ActivatePrevInstance());
}

TEST(ApplicationWindowTest, ShowsAndHidesTheApplicationWindow) {
  HWND app = Application->GetHandle();
  ASSERT_NE(app, nullptr);
  const bool wasVisible = IsWindowVisible(app);
  ShowApplicationWindow();
  EXPECT_TRUE(IsWindowVisible(app));
  HideApplicationWindow();
  EXPECT_FALSE(IsWindowVisible(app));
  HideApplication();
  EXPECT_FALSE(IsWindowVisible(app));
  if (wasVisible) ShowApplicationWindow();
}

}  // namespace
