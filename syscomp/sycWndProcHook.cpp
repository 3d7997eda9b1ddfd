#include "syscomp/sycWndProcHook.h"

#include <algorithm>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/ObjectInstances.h"
#include "classlib/TypInfo.h"

// Every hook of the process, in the order they were made; the chains of the windows are built
// from it.
class TsycWndProcHookList {
public:
  static std::vector<TsycCustomWndProcHook*>& Hooks() {
    static std::vector<TsycCustomWndProcHook*> hooks;
    return hooks;
  }

  // The hooks in the chain of Window, in chain order.
  static std::vector<TsycCustomWndProcHook*> Chain(HWND Window) {
    std::vector<TsycCustomWndProcHook*> chain;
    for (TsycCustomWndProcHook* hook : Hooks())
      if (hook->FHookedWindow == Window) chain.push_back(hook);
    return chain;
  }

  // Links the chain of Window over its own procedure: the first hook passes messages on to that
  // procedure, each later one to the one before, and the window calls the last.
  static void Link(HWND Window, WNDPROC Original) {
    WNDPROC previous = Original;
    for (TsycCustomWndProcHook* hook : Chain(Window)) {
      hook->FPrevWndProc = previous;
      previous = hook->FObjectInstance;
    }
    ::SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }

  // The window's own procedure, as the first hook of its chain keeps it.
  static WNDPROC Original(HWND Window) {
    const auto chain = Chain(Window);
    return chain.empty() ? reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(Window, GWLP_WNDPROC))
                         : chain.front()->FPrevWndProc;
  }
};

TsycCustomWndProcHook::TsycCustomWndProcHook(TComponent* AOwner) : TsycComponent(AOwner) {
  TsycWndProcHookList::Hooks().push_back(this);
}

TsycCustomWndProcHook::~TsycCustomWndProcHook() {
  Unhook();
  auto& hooks = TsycWndProcHookList::Hooks();
  hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
}

void TsycCustomWndProcHook::Loaded() {
  inherited::Loaded();
  if (FActive) Hook();
}

void TsycCustomWndProcHook::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FWinControl) SetWinControl(nullptr);
}

void TsycCustomWndProcHook::Hook() {
  if (IsDesigning() || FObjectInstance) return;
  HWND window = GetHandle();
  if (!window || !::IsWindow(window)) return;
  const WNDPROC original = TsycWndProcHookList::Original(window);
  FObjectInstance = MakeObjectInstance(TWndMethod(this, &TsycCustomWndProcHook::WndProc));
  FHookedWindow = window;
  TsycWndProcHookList::Link(window, original);
}

void TsycCustomWndProcHook::Unhook() {
  if (!FObjectInstance) return;
  // A window destroyed meanwhile has no procedure left to restore.
  if (HWND window = FHookedWindow) {
    const WNDPROC original = TsycWndProcHookList::Original(window);
    FHookedWindow = nullptr;
    if (::IsWindow(window)) TsycWndProcHookList::Link(window, original);
  }
  FreeObjectInstance(FObjectInstance);
  FObjectInstance = nullptr;
  FPrevWndProc = nullptr;
}

void TsycCustomWndProcHook::WndProc(TMessage& Msg) {
  HWND window = FHookedWindow;
  const WNDPROC previous = FPrevWndProc;
  if (!window) return;
  bool handled = false;
  if (OnMessageBefore) OnMessageBefore(this, Msg, handled);
  if (!handled) {
    if (AutoDrag && Msg.Msg == WM_LBUTTONDOWN) {
      ::ReleaseCapture();
      ::SendMessageA(window, WM_SYSCOMMAND, 0xF012, 0);  // SC_MOVE by the mouse
    } else {
      Msg.Result = ::CallWindowProcA(previous, window, Msg.Msg, Msg.WParam, Msg.LParam);
    }
  }
  // After WM_NCDESTROY the window is gone; so is the chain.
  if (Msg.Msg == WM_NCDESTROY) {
    const auto chain = TsycWndProcHookList::Chain(window);
    for (TsycCustomWndProcHook* hook : chain) hook->FHookedWindow = nullptr;
  }
  handled = false;
  if (OnMessageAfter) OnMessageAfter(this, Msg, handled);
}

void TsycCustomWndProcHook::SetActive(bool Value) {
  FActive = Value;
  if (IsLoading()) return;
  if (Value)
    Hook();
  else
    Unhook();
}

HWND TsycCustomWndProcHook::GetHandle() const {
  if (FHandle) return FHandle;
  TWinControl* control = GetWinControl();
  if (!control || control->GetComponentState().Contains(csLoading)) return nullptr;
  if (control->GetComponentState().Contains(csDestroying) && !control->HandleAllocated()) return nullptr;
  return control->GetHandle();
}

TWinControl* TsycCustomWndProcHook::GetWinControl() const {
  if (FWinControl) return FWinControl;
  return dynamic_cast<TWinControl*>(GetOwner());
}

void TsycCustomWndProcHook::Rehook(const std::function<void()>& Change) {
  Unhook();
  Change();
  if (FActive && !IsLoading()) Hook();
}

void TsycCustomWndProcHook::SetHandle(HWND Value) {
  if (Value == FHandle) return;
  Rehook([&] { FHandle = Value; });
  if (OnChangeHandle) OnChangeHandle(this);
}

void TsycCustomWndProcHook::SetWinControl(TWinControl* Value) {
  if (Value == FWinControl) return;
  Rehook([&] { FWinControl = Value; });
  if (Value) Value->FreeNotification(this);
  if (OnChangeWinControl) OnChangeWinControl(this);
}

PUBLISHED(TsycWndProcHook) {
  Prop("Active", &TsycWndProcHook::GetActive, &TsycWndProcHook::SetActive).Default(false);
  Prop("AutoDrag", &TsycWndProcHook::AutoDrag).Default(false);
  Prop("WinControl", &TsycWndProcHook::GetWinControl, &TsycWndProcHook::SetWinControl)
      .Stored(&TsycWndProcHook::IsWinControlStored);
  Prop("OnChangeHandle", &TsycWndProcHook::OnChangeHandle);
  Prop("OnChangeWinControl", &TsycWndProcHook::OnChangeWinControl);
  Prop("OnMessageAfter", &TsycWndProcHook::OnMessageAfter);
  Prop("OnMessageBefore", &TsycWndProcHook::OnMessageBefore);
}
