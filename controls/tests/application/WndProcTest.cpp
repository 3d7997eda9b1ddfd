#include <gtest/gtest.h>

#include <vector>

#include "classlib/Forms.h"
#include "controls/VisWndProc.h"
#include "tests/support/TestSupport.h"

namespace {

[[gnu::noinline]] void FreeComponent(TComponent* Component) { delete Component; }

// Counts the messages its owner's window receives, and answers WM_USER + 1 itself.
class TMessageSpy : public TVisWndProcComponent {
  CLASS_INFO(TMessageSpy, TVisWndProcComponent)
public:
  using TVisWndProcComponent::TVisWndProcComponent;
  std::vector<UINT> Seen;
  std::vector<UINT> AppSeen;
  int Refreshes = 0;

protected:
  void WndProc(TMessage& Message) override {
    Seen.push_back(Message.Msg);
    if (Message.Msg == WM_USER + 1) {
      Message.Result = 42;
      return;
    }
    inherited::WndProc(Message);
  }
  bool AppWndProc(TMessage& Message) override {
    AppSeen.push_back(Message.Msg);
    return false;
  }
  void Refresh() override { ++Refreshes; }
};

bool Saw(const std::vector<UINT>& seen, UINT msg) {
  return std::find(seen.begin(), seen.end(), msg) != seen.end();
}

TEST(VisWndProcComponent, HooksItsOwnerFormWhenLoaded) {
  auto* form = new TForm(Application);
  HWND wnd = form->GetHandle();
  const LONG_PTR original = ::GetWindowLongPtrA(wnd, GWLP_WNDPROC);
  auto* spy = new TMessageSpy(form);
  EXPECT_EQ(spy->GetFormKind(), 0);
  EXPECT_FALSE(spy->GetHooked());
  spy->Loaded();
  ASSERT_TRUE(spy->GetHooked());
  EXPECT_NE(::GetWindowLongPtrA(wnd, GWLP_WNDPROC), original);

  // Its messages come first; the rest reach the form.
  EXPECT_EQ(::SendMessageA(wnd, WM_USER + 1, 0, 0), 42);
  ::SetWindowTextA(wnd, "Spied");
  EXPECT_TRUE(Saw(spy->Seen, WM_SETTEXT));
  EXPECT_EQ(form->GetCaption(), "Spied");

  // Disabled: the form's own procedure is back.
  spy->SetEnabled(false);
  EXPECT_FALSE(spy->GetHooked());
  EXPECT_EQ(spy->Refreshes, 1);
  EXPECT_EQ(::GetWindowLongPtrA(wnd, GWLP_WNDPROC), original);
  spy->Seen.clear();
  ::SendMessageA(wnd, WM_USER + 1, 0, 0);
  EXPECT_TRUE(spy->Seen.empty());
  spy->SetEnabled(true);
  EXPECT_TRUE(spy->GetHooked());
  FreeComponent(form);
}

TEST(VisWndProcComponent, TheWindowsOwnProcedureSeesItsDestruction) {
  auto* form = new TForm(Application);
  auto* spy = new TMessageSpy(form);
  spy->Loaded();
  ASSERT_TRUE(spy->GetHooked());
  form->Show();
  // Destroying the window while the hook is on: the form learns that its window is gone and can
  // make a new one.
  form->DestroyHandle();
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(spy->GetHooked());
  EXPECT_TRUE(::IsWindow(form->GetHandle()));
  FreeComponent(form);
}

TEST(VisWndProcComponent, NothingHooksWhileDesignedUnlessAsked) {
  auto* form = new TForm(Application);
  auto* spy = new TMessageSpy(form);
  spy->SetDesigning(true);
  spy->Loaded();
  EXPECT_FALSE(spy->GetHooked());
  spy->SetEnabled(false);
  spy->SetEnabled(true);
  EXPECT_FALSE(spy->GetHooked());
  spy->DesignActive = true;
  spy->Loaded();
  EXPECT_TRUE(spy->GetHooked());
  FreeComponent(form);
  // Without an owner there is no window to hook.
  TMessageSpy orphan(nullptr);
  orphan.Loaded();
  EXPECT_FALSE(orphan.GetHooked());
}

// A hook that leaves the application's messages alone.
class TPlainHook : public TVisWndProcComponent {
  CLASS_INFO(TPlainHook, TVisWndProcComponent)
public:
  using TVisWndProcComponent::TVisWndProcComponent;
};

// Hooking the application window takes none of its messages from it: its own procedure and the
// hooks put on after still get them.
TEST(VisWndProcComponent, AHookedApplicationStillGetsItsMessages) {
  auto* form = new TForm(Application);
  auto* hook = new TPlainHook(form);
  hook->HookApplication = true;
  hook->Loaded();
  ASSERT_TRUE(hook->GetHooked());
  std::vector<UINT> later;
  const TWindowHook laterHook = TWindowHook::FromFunction([&later](TMessage& Message) {
    later.push_back(Message.Msg);
    return false;
  });
  Application->HookMainWindow(laterHook);
  HWND app = Application->GetHandle();
  char title[256] = {};
  ::GetWindowTextA(app, title, sizeof title);
  ::SetWindowTextA(app, "Hooked application");
  char seen[256] = {};
  ::GetWindowTextA(app, seen, sizeof seen);
  EXPECT_STREQ(seen, "Hooked application") << "the application's own procedure keeps its title";
  ::SetWindowTextA(app, title);
  ::SendMessageA(app, WM_USER + 8, 0, 0);
  EXPECT_TRUE(Saw(later, WM_USER + 8));
  Application->UnhookMainWindow(laterHook);
  FreeComponent(form);
}

TEST(VisWndProcComponent, HooksTheApplicationWindowWhenAsked) {
  auto* form = new TForm(Application);
  auto* spy = new TMessageSpy(form);
  spy->HookApplication = true;
  spy->Loaded();
  ::SendMessageA(Application->GetHandle(), WM_USER + 7, 0, 0);
  EXPECT_TRUE(Saw(spy->AppSeen, WM_USER + 7));
  spy->SetEnabled(false);
  spy->AppSeen.clear();
  ::SendMessageA(Application->GetHandle(), WM_USER + 7, 0, 0);
  EXPECT_TRUE(spy->AppSeen.empty());
  FreeComponent(form);
}

}  // namespace
