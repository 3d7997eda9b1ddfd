#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Registry.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycAutoRun.h"
#include "syscomp/sycShutdown.h"
#include "syscomp/sycStartButton.h"
#include "syscomp/tests/FormReading.h"
#include "tests/support/TestSupport.h"

namespace {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

AnsiString RunValue(HKEY Root, const char* Key, const AnsiString& Name) {
  TRegistry reg;
  reg.SetRootKey(Root);
  if (!reg.OpenKeyReadOnly(Key) || !reg.ValueExists(Name)) return "(none)";
  return reg.ReadString(Name);
}

class AutoRunTest : public testing_support::IsolatedTest {};

TEST_F(AutoRunTest, KeepsTheProgramInTheChosenKey) {
  TsycAutoRun autoRun(nullptr);
  const AnsiString exe = ParamStr(0);
  const AnsiString name = ExtractFileName(exe);
  EXPECT_EQ(autoRun.GetFileName(), exe);
  EXPECT_EQ(autoRun.GetKind(), aekMachineRun);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunKey, name), "(none)");

  autoRun.SetAutoRun(true);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunKey, name), exe);

  autoRun.SetKind(aekUserRunOnce);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunKey, name), "(none)") << "moved";
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kRunOnceKey, name), exe);

  autoRun.SetFileName("C:\\Tools\\other.exe");
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kRunOnceKey, name), "(none)");
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kRunOnceKey, "other.exe"), "C:\\Tools\\other.exe");

  autoRun.SetAutoRun(false);
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kRunOnceKey, "other.exe"), "(none)");

  autoRun.SetKind(aekServiceRun);
  autoRun.SetAutoRun(true);
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.KeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"))
      << "no service keys on the NT platform";
}

TEST_F(AutoRunTest, AFormAppliesItsValuesOnceRead) {
  RegisterClass(TsycAutoRun::StaticClass());
  TsycAutoRun autoRun(nullptr);
  syscomp_tests::ReadFormText(
      "object AutoRun1: TsycAutoRun\r\n"
      "  AutoRun = True\r\n"
      "  FileName = 'C:\\Tools\\tool.exe'\r\n"
      "  Kind = aekUserRun\r\n"
      "end\r\n",
      &autoRun);
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kRunKey, "tool.exe"), "C:\\Tools\\tool.exe");
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.KeyExists(kRunKey)) << "nothing written on the way";
}

// A shutdown component whose system calls are recorded.
struct RecordedShutdown {
  TsycShutdown shutdown{nullptr};
  std::vector<UINT> exits;
  std::vector<std::pair<bool, bool>> powerStates;
  bool answer = true;
  RecordedShutdown() {
    shutdown.EndSession = TsycShutdown::TEndSession::FromFunction([this](UINT Flags) {
      exits.push_back(Flags);
      return answer;
    });
    shutdown.SetPowerState = TsycShutdown::TSetPowerState::FromFunction([this](bool Suspend, bool Force) {
      powerStates.emplace_back(Suspend, Force);
      return answer;
    });
  }
};

TEST(ShutdownTest, EachActionMakesItsSystemCall) {
  struct Case {
    TsycShutdownActionType action;
    UINT flags, forcedFlags;
  } exits[] = {
      {aatPowerOff, 8, 12},
      {aatShutdown, 1, 5},
      {aatReboot, 2, 6},
      {aatLogOff, 0, 4},
  };
  for (const Case& c : exits)
    for (bool force : {false, true}) {
      RecordedShutdown r;
      r.shutdown.ActionType = c.action;
      r.shutdown.Force = force;
      EXPECT_TRUE(r.shutdown.Execute());
      EXPECT_EQ(r.exits, std::vector<UINT>{force ? c.forcedFlags : c.flags});
      EXPECT_TRUE(r.powerStates.empty());
    }
  for (TsycShutdownActionType action : {aatSuspend, aatHibernate})
    for (bool force : {false, true}) {
      RecordedShutdown r;
      r.shutdown.ActionType = action;
      r.shutdown.Force = force;
      EXPECT_TRUE(r.shutdown.Execute());
      ASSERT_EQ(r.powerStates.size(), 1u);
      EXPECT_EQ(r.powerStates[0], std::make_pair(action == aatSuspend, force));
      EXPECT_TRUE(r.exits.empty());
    }
}

TEST(ShutdownTest, TheQueryCanStopItAndAFailedCallIsReported) {
  RecordedShutdown r;
  int asked = 0;
  r.shutdown.OnQueryShutdown = TsycQueryShutdownEvent::FromFunction([&](TObject* Sender, bool& CanShutdown) {
    EXPECT_EQ(Sender, &r.shutdown);
    EXPECT_TRUE(CanShutdown);
    ++asked;
    CanShutdown = false;
  });
  EXPECT_FALSE(r.shutdown.Execute());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(r.exits.empty());

  r.shutdown.OnQueryShutdown = nullptr;
  r.answer = false;
  EXPECT_FALSE(r.shutdown.Execute());
  EXPECT_EQ(r.exits.size(), 1u);
}

// A stand-in taskbar: a top-level "Shell_TrayWnd" window with a "Button" child, as the shell has.
// (Wine keeps a hidden taskbar window of that class without a button.)
class StartButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&wc);
    tray_ = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 570, 800, 30, nullptr,
                            nullptr, wc.hInstance, nullptr);
    button_ = CreateWindowExA(0, "Button", "start", WS_CHILD | WS_VISIBLE, 2, 3, 60, 24, tray_, nullptr, wc.hInstance,
                              nullptr);
  }
  void TearDown() override { DestroyWindow(tray_); }

  HWND tray_ = nullptr;
  HWND button_ = nullptr;
};

TEST_F(StartButtonTest, ReadsAndMovesTheButton) {
  TsycStartButtonProperties start(nullptr);
  ASSERT_EQ(start.GetButtonHandle(), button_);
  EXPECT_EQ(start.GetButtonLeft(), 2);
  EXPECT_EQ(start.GetButtonTop(), 3);
  EXPECT_EQ(start.GetButtonWidth(), 60);
  EXPECT_EQ(start.GetButtonHeight(), 24);

  start.SetButtonLeft(10);
  start.SetButtonWidth(70);
  start.SetButtonHeight(20);
  start.SetButtonTop(4);
  RECT r;
  GetWindowRect(button_, &r);
  MapWindowPoints(nullptr, tray_, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 4);
  EXPECT_EQ(r.right - r.left, 70);
  EXPECT_EQ(r.bottom - r.top, 20);

  EXPECT_TRUE(start.GetEnabled());
  start.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button_));
  EXPECT_FALSE(start.GetEnabled());
  EXPECT_TRUE(start.GetVisible());
  start.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(button_));
  start.SetVisible(true);
  EXPECT_TRUE(start.GetVisible());
}

TEST(StartButtonWithoutTaskbar, ReadsZerosAndChangesNothing) {
  for (HWND tray = nullptr; (tray = FindWindowExA(nullptr, tray, "Shell_TrayWnd", nullptr));)
    if (FindWindowExA(tray, nullptr, "Button", nullptr)) GTEST_SKIP() << "this system's taskbar has a start button";
  TsycStartButtonProperties start(nullptr);
  EXPECT_EQ(start.GetButtonHandle(), nullptr);
  EXPECT_EQ(start.GetButtonWidth(), 0);
  start.SetButtonLeft(5);
  start.SetVisible(false);
  EXPECT_FALSE(start.GetEnabled());
  EXPECT_FALSE(start.GetVisible());
}

}  // namespace
