// The window-procedure hook component.
#include "controls/VisWndProc.h"

#include "classlib/Forms.h"
#include "classlib/ObjectInstances.h"
#include "controls/visclass.h"

TVisWndProcComponent::TVisWndProcComponent(TComponent* AOwner) : TVisCustomComponent(AOwner) {
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) {
    if (form->GetFormStyle() == fsMDIChild)
      FFormKind = 1;
    else if (form->GetFormStyle() == fsMDIForm)
      FFormKind = 2;
  }
}

TVisWndProcComponent::~TVisWndProcComponent() { Unhook(); }

bool TVisWndProcComponent::IsDesigningInactive() const {
  return GetComponentState().Contains(csDesigning) && !DesignActive;
}

HWND TVisWndProcComponent::GetTargetWindow() {
  auto* owner = dynamic_cast<TWinControl*>(GetOwner());
  if (!owner) return nullptr;
  HWND wnd = owner->GetHandle();
  if (FFormKind == 2 && !UseFormHandle)
    if (HWND client = ::FindWindowExA(wnd, nullptr, "MDICLIENT", nullptr)) return client;
  return wnd;
}

void TVisWndProcComponent::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (!GetComponentState().Contains(csDesigning)) {
    if (FEnabled)
      Hook();
    else
      Unhook();
  }
  Refresh();
}

void TVisWndProcComponent::Loaded() {
  inherited::Loaded();
  if (!IsDesigningInactive()) Hook();
}

bool TVisWndProcComponent::AppWndProc(TMessage&) { return false; }

void TVisWndProcComponent::Hook() {
  if (!FEnabled || FSavedProc || IsDesigningInactive()) return;
  HWND wnd = GetTargetWindow();
  if (!wnd) return;
  FDestroying = false;
  if (HookApplication && Application) {
    // The application calls its hooks until one answers true ("handled") and then stops; only
    // messages no hook handled reach its own procedure.
    Application->HookMainWindow(TWindowHook(this, &TVisWndProcComponent::AppWndProc));
    FAppHooked = true;
  }
  FObjectInstance = MakeObjectInstance(TWndMethod(this, &TVisWndProcComponent::HookedWndProc));
  FHookedWindow = wnd;
  FSavedProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC));
  ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
}

void TVisWndProcComponent::Unhook() {
  if (FSavedProc && FHookedWindow && ::IsWindow(FHookedWindow))
    ::SetWindowLongPtrA(FHookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedProc));
  FSavedProc = nullptr;
  FHookedWindow = nullptr;
  FreeObjectInstance(FObjectInstance);
  FObjectInstance = nullptr;
  if (FAppHooked && Application) Application->UnhookMainWindow(TWindowHook(this, &TVisWndProcComponent::AppWndProc));
  FAppHooked = false;
  FDestroying = false;
}

void TVisWndProcComponent::CheckDesign() {
  if (IsDesigningInactive()) Unhook();
}

void TVisWndProcComponent::Refresh() {}

void TVisWndProcComponent::CallSavedProc(TMessage& Message) {
  if (!FSavedProc) {
    Message.Result = ::DefWindowProcA(FHookedWindow, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  Message.Result = ::CallWindowProcA(FSavedProc, FHookedWindow, Message.Msg, Message.WParam, Message.LParam);
}

void TVisWndProcComponent::HookedWndProc(TMessage& Message) {
  // Once the window is being destroyed the messages go straight on: the window's own procedure
  // still has to see them (to the last, WM_NCDESTROY), only this component's work is over.
  if (FDestroying) {
    CallSavedProc(Message);
    if (Message.Msg == WM_NCDESTROY) {
      // The window is gone; there is no procedure left to put back.
      FSavedProc = nullptr;
      FHookedWindow = nullptr;
    }
    return;
  }
  if (Message.Msg == WM_DESTROY) {
    FDestroying = true;
    if (FFormKind == 1) {
      // An MDI child's window goes while the form may live on: put the procedure back now.
      WNDPROC saved = FSavedProc;
      HWND wnd = FHookedWindow;
      Unhook();
      Message.Result = ::CallWindowProcA(saved, wnd, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    CallSavedProc(Message);
    return;
  }
  WndProc(Message);
}

void TVisWndProcComponent::WndProc(TMessage& Message) { CallSavedProc(Message); }

// --- Theme manager ----------------------------------------------------------------------------------

TVisXPThemeManager::TVisXPThemeManager(TComponent* AOwner) : TVisWndProcComponent(AOwner) {
  if (VisApplication) VisApplication->FThemesWanted = ThemesAvailable();
  FWindow = AllocateHWnd(TWndMethod());
  Hook();
}

TVisXPThemeManager::~TVisXPThemeManager() {
  Unhook();
  DeallocateHWnd(FWindow);
}

void TVisXPThemeManager::WndProc(TMessage& Message) {
  if (Message.Msg == WM_THEMECHANGED && VisApplication && VisApplication->GetUseXPThemes()) {
    VisApplication->SetUseXPThemes(false);
    VisApplication->SetUseXPThemes(true);
  }
  inherited::WndProc(Message);
}
