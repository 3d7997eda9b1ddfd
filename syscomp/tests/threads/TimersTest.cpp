#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycTimers.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

// Whether the component's window has a system timer now; asking takes it away.
bool HadSystemTimer(TsycCustomTimer& timer) { return KillTimer(timer.GetWindowHandle(), 1) != FALSE; }

TEST(CustomTimerTest, SetsASystemTimerOnlyWhenItHasSomethingToCall) {
  TsycCustomTimer timer(nullptr);
  EXPECT_TRUE(timer.GetEnabled());
  EXPECT_EQ(timer.GetInterval(), 1000u);
  timer.SetInterval(10);
  EXPECT_FALSE(HadSystemTimer(timer)) << "no OnTimer";

  int ticks = 0;
  timer.SetOnTimer(TNotifyEvent::FromFunction([&](TObject* Sender) {
    EXPECT_EQ(Sender, &timer);
    ++ticks;
  }));
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  PumpFor(100);
  EXPECT_EQ(ticks, stopped);
  EXPECT_FALSE(HadSystemTimer(timer));

  timer.SetEnabled(true);
  timer.SetInterval(0);
  EXPECT_FALSE(HadSystemTimer(timer)) << "interval 0";
  timer.SetInterval(20);
  EXPECT_TRUE(HadSystemTimer(timer));
}

TEST(CustomTimerTest, AnExceptionInOnTimerGoesToTheApplication) {
  TsycCustomTimer timer(nullptr);
  AnsiString seen;
  Application->OnException = TExceptionEvent::FromFunction([&](TObject* Sender, Exception* E) {
    EXPECT_EQ(Sender, &timer);
    seen = E->Message;
  });
  timer.SetInterval(10);
  timer.SetOnTimer(TNotifyEvent::FromFunction([&](TObject*) {
    timer.SetEnabled(false);
    throw EConvertError("tick failed");
  }));
  EXPECT_TRUE(PumpUntil([&] { return !seen.empty(); }));
  EXPECT_EQ(seen, "tick failed");
  Application->OnException = nullptr;
}

// A window of one colour under the mouse cursor.
class ColorPickerTest : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(10, 200, 30));
    wc.lpszClassName = "SycPickerSample";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr,
                              nullptr, wc.hInstance, nullptr);
    UpdateWindow(window_);
    PumpFor(100);
    SetCursorPos(200, 200);
  }
  void TearDown() override { DestroyWindow(window_); }
  HWND window_ = nullptr;
};

TEST_F(ColorPickerTest, TellsTheColourUnderTheCursorOnEveryTick) {
  TsycColorPicker picker(nullptr);
  EXPECT_EQ(picker.GetInterval(), 100u);
  EXPECT_TRUE(picker.GetEnabled());
  COLORREF seen = CLR_INVALID;
  picker.SetOnTimer(TNotifyEvent::FromFunction([&](TObject*) { seen = picker.GetColor(); }));
  ASSERT_TRUE(PumpUntil([&] { return seen != CLR_INVALID; }));
  EXPECT_EQ(seen, RGB(10, 200, 30));
}

TEST_F(ColorPickerTest, ShowsItsCursorWhilePicking) {
  TsycColorPicker picker(nullptr);
  int ticks = 0;
  picker.SetOnTimer(TNotifyEvent::FromFunction([&](TObject*) { ++ticks; }));
  picker.SetCursor(crCross);
  ::SetCursor(Screen->GetCursors(crDefault));
  ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }));
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crCross));
}

}  // namespace
