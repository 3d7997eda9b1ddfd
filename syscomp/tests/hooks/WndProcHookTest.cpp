#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "syscomp/sycWndProcHook.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr UINT kProbe = WM_APP + 5;

// A plain window whose own procedure notes the probe message and answers 42.
class WndProcHookTest : public ::testing::Test {
protected:
  static LRESULT CALLBACK OwnProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbe) {
      log_->push_back("window");
      return 42;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
  }

  void SetUp() override {
    log_ = &log;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &OwnProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SycHookedWindow";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }

  std::unique_ptr<TsycWndProcHook> NewHook(const std::string& name) {
    auto hook = std::make_unique<TsycWndProcHook>(nullptr);
    hook->OnMessageBefore = TsycMessageEvent::FromFunction([this, name](TObject*, TMessage& Msg, bool& Handled) {
      if (Msg.Msg != kProbe) return;
      log.push_back(name + " before");
      if (name == handling) {
        Handled = true;
        Msg.Result = 7;
      }
    });
    hook->OnMessageAfter = TsycMessageEvent::FromFunction([this, name](TObject*, TMessage& Msg, bool&) {
      if (Msg.Msg == kProbe) log.push_back(name + " after");
    });
    hook->SetHandle(window);
    hook->SetActive(true);
    return hook;
  }

  std::vector<std::string> Probe(LRESULT* result = nullptr) {
    log.clear();
    const LRESULT r = SendMessageA(window, kProbe, 0, 0);
    if (result) *result = r;
    return log;
  }

  WNDPROC Installed() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

  static inline std::vector<std::string>* log_ = nullptr;
  std::vector<std::string> log;
  std::string handling;
  HWND window = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(WndProcHookTest, HooksFormAChainTheLastPutOnSeesFirst) {
  auto a = NewHook("A");
  auto b = NewHook("B");
  LRESULT result = 0;
  EXPECT_EQ(Probe(&result), (Log{"B before", "A before", "window", "A after", "B after"}));
  EXPECT_EQ(result, 42);

  handling = "B";
  EXPECT_EQ(Probe(&result), (Log{"B before", "B after"})) << "handled: passed on no further";
  EXPECT_EQ(result, 7);
  handling.clear();

  auto c = NewHook("C");
  b->SetActive(false);
  EXPECT_EQ(Probe(), (Log{"C before", "A before", "window", "A after", "C after"}));
  a.reset();
  EXPECT_EQ(Probe(), (Log{"C before", "window", "C after"}));
  c->SetActive(false);
  EXPECT_EQ(Installed(), &OwnProc) << "the window's own procedure is back";
  EXPECT_EQ(Probe(), (Log{"window"}));
}

TEST_F(WndProcHookTest, AHookFollowsItsHandleAndSurvivesItsWindow) {
  auto hook = NewHook("A");
  int changes = 0;
  hook->OnChangeHandle = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  HWND other = CreateWindowExA(0, "SycHookedWindow", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  hook->SetHandle(other);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Installed(), &OwnProc);
  EXPECT_EQ(Probe(), (Log{"window"}));
  log.clear();
  SendMessageA(other, kProbe, 0, 0);
  EXPECT_EQ(log, (Log{"A before", "window", "A after"}));
  DestroyWindow(other);
  EXPECT_FALSE(hook->IsHooked());
  hook->SetActive(false);
  hook->SetHandle(window);
  EXPECT_EQ(Probe(), (Log{"window"})) << "inactive: not hooked again";
  hook->SetActive(true);
  EXPECT_EQ(Probe(), (Log{"A before", "window", "A after"}));
}

TEST_F(WndProcHookTest, AutoDragTurnsAPressIntoAMoveOfTheWindow) {
  TsycWndProcHook hook(nullptr);
  hook.AutoDrag = true;
  std::vector<WPARAM> commands;
  bool pressReachedWindow = false;
  hook.OnMessageBefore = TsycMessageEvent::FromFunction([&](TObject*, TMessage& Msg, bool& Handled) {
    if (Msg.Msg == WM_SYSCOMMAND) {
      commands.push_back(Msg.WParam);
      Handled = true;  // no modal move loop in a test
    }
  });
  hook.OnMessageAfter = TsycMessageEvent::FromFunction([&](TObject*, TMessage& Msg, bool&) {
    if (Msg.Msg == WM_LBUTTONDOWN && Msg.Result != 0) pressReachedWindow = true;
  });
  hook.SetHandle(window);
  hook.SetActive(true);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(commands, std::vector<WPARAM>{0xF012});
  EXPECT_FALSE(pressReachedWindow);
}

TEST_F(WndProcHookTest, WatchesItsOwnerFormOrTheControlItIsGiven) {
  TForm* form = TForm::CreateNew(nullptr);
  auto* hook = new TsycWndProcHook(form);
  std::vector<UINT> seen;
  hook->OnMessageBefore = TsycMessageEvent::FromFunction([&](TObject*, TMessage& Msg, bool&) {
    if (Msg.Msg == kProbe) seen.push_back(1);
  });
  EXPECT_EQ(hook->GetWinControl(), form);
  EXPECT_EQ(hook->GetHandle(), form->GetHandle());
  hook->SetActive(true);
  SendMessageA(form->GetHandle(), kProbe, 0, 0);
  EXPECT_EQ(seen.size(), 1u);

  TForm* other = TForm::CreateNew(nullptr);
  int changes = 0;
  hook->OnChangeWinControl = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  hook->SetWinControl(other);
  EXPECT_EQ(changes, 1);
  SendMessageA(form->GetHandle(), kProbe, 0, 0);
  SendMessageA(other->GetHandle(), kProbe, 0, 0);
  EXPECT_EQ(seen.size(), 2u) << "the given control only";
  delete other;
  EXPECT_EQ(hook->GetWinControl(), form) << "a control that goes is forgotten";
  SendMessageA(form->GetHandle(), kProbe, 0, 0);
  EXPECT_EQ(seen.size(), 3u) << "back on the owner, still active";
  delete form;
}

}  // namespace
