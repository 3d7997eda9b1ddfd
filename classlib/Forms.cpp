// TCustomForm: a top-level window with its focus bookkeeping, showing, modal loop and closing.
#include "classlib/Forms.h"

#include <algorithm>

#include "classlib/ActnList.h"
#include "classlib/Handles.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};

// The top-most visible and enabled window of this thread other than the application window
// and Exclude, in z-order.
HWND FindTopMostWindow(HWND Exclude) {
  struct Data {
    HWND Exclude;
    HWND Found;
  } data{Exclude, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* d = reinterpret_cast<Data*>(param);
        if (wnd != d->Exclude && wnd != Application->GetHandle() && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) {
          // EnumThreadWindows does not go in z-order; keep the highest one found.
          if (!d->Found) {
            d->Found = wnd;
          } else {
            for (HWND w = ::GetWindow(d->Found, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
              if (w == wnd) {
                d->Found = wnd;
                break;
              }
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&data));
  return data.Found;
}

bool TraverseActionClients(TWinControl* Container, TBasicAction* Action, bool Execute) {
  for (Integer i = 0; i < Container->GetControlCount(); ++i) {
    TControl* control = Container->GetControls(i);
    if (!control->GetVisible()) continue;
    if (Execute ? control->ExecuteAction(Action) : control->UpdateAction(Action)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(control))
      if (TraverseActionClients(w, Action, Execute)) return true;
  }
  return false;
}

bool DispatchShortCut(TComponent* Owner, TMessage& Message) {
  for (Integer i = 0; i < Owner->GetComponentCount(); ++i) {
    TComponent* component = Owner->GetComponents(i);
    if (auto* list = dynamic_cast<TCustomActionList*>(component)) {
      if (list->IsShortCut(Message)) return true;
    } else if (DispatchShortCut(component, Message)) {
      return true;
    }
  }
  return false;
}

}  // namespace

// --- Helpers ------------------------------------------------------------------------------------------

TCustomForm* GetParentForm(TControl* Control, bool TopForm) {
  if (!Control) return nullptr;
  while ((TopForm || !dynamic_cast<TCustomForm*>(Control)) && Control->GetParent()) Control = Control->GetParent();
  return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control, bool TopForm) {
  TCustomForm* form = GetParentForm(Control, TopForm);
  if (!form) throw EInvalidOperation(Format("Control '%s' has no parent form", Control ? Control->GetName() : ""));
  return form;
}

TTaskWindowList DisableTaskWindows(HWND ActiveWindow) {
  struct Data {
    HWND Active;
    TTaskWindowList List;
  } data{ActiveWindow, {}};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* d = reinterpret_cast<Data*>(param);
        if (wnd != d->Active && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) d->List.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&data));
  for (HWND wnd : data.List) ::EnableWindow(wnd, FALSE);
  return data.List;
}

void EnableTaskWindows(const TTaskWindowList& WindowList) {
  for (HWND wnd : WindowList)
    if (::IsWindow(wnd)) ::EnableWindow(wnd, TRUE);
}

// --- Construction and destruction -----------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  ControlState << csCustomPaint;
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush->SetColor(clBtnFace);
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FIcon = new TIcon;
  auto* canvas = new TControlCanvas;
  canvas->SetControl(this);
  FCanvas = canvas;
  FPixelsPerInch = Screen->GetPixelsPerInch();
  Screen->AddForm(this);
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  if (!FReadFromStream) {
    const std::vector<TComponent*> components = [this] {
      std::vector<TComponent*> list;
      for (Integer i = 0; i < GetComponentCount(); ++i) list.push_back(GetComponents(i));
      return list;
    }();
    for (TComponent* component : components) component->Loaded();
    Loaded();
  }
  DoCreate();
}

void TCustomForm::ReadState(TReader* Reader) {
  FReadFromStream = true;
  inherited::ReadState(Reader);
}

void TCustomForm::BeforeDestruction() {
  Destroying();
  Screen->FSaveFocusedList.erase(std::remove(Screen->FSaveFocusedList.begin(), Screen->FSaveFocusedList.end(), this),
                                 Screen->FSaveFocusedList.end());
  if (FFormStyle != fsMDIChild) SetVisible(false);
  if (FCreated) DoDestroy();
  inherited::BeforeDestruction();
}

TCustomForm::~TCustomForm() {
  // The window goes while the form is still a form: the menu is taken off first, because
  // Windows destroys the menu of a window it destroys, and the menu belongs to its component.
  if (FHandle && FMenu) ::SetMenu(FHandle, nullptr);
  DestroyHandle();
  // After the windows: destroying them moves the focus, which the screen would otherwise
  // record for this form.
  Screen->RemoveForm(this);
  delete FCanvas;
  FCanvas = nullptr;
  delete FIcon;
}

// --- Messages ------------------------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS && FActiveControl && FActiveControl != this) {
    // The form passes the focus on to its active control.
    ::SetFocus(FActiveControl->GetHandle());
    return;
  }
  inherited::WndProc(Message);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_CLOSE: WMClose(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_INITMENUPOPUP: WMInitMenuPopup(Message); break;
    case WM_MENUSELECT: WMMenuSelect(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case WM_HELP: WMHelp(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); break;
    case WM_QUERYENDSESSION: WMQueryEndSession(Message); break;
    case CM_ACTIVATE: CMActivate(Message); break;
    case CM_DEACTIVATE: CMDeactivate(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_ICONCHANGED: CMIconChanged(Message); break;
    case CM_MENUCHANGED: CMMenuChanged(Message); break;
    case CM_ACTIONEXECUTE:
    case CM_ACTIONUPDATE: {
      auto* action = reinterpret_cast<TBasicAction*>(Message.LParam);
      const bool execute = Message.Msg == CM_ACTIONEXECUTE;
      auto process = [&](TControl* c) { return c && (execute ? c->ExecuteAction(action) : c->UpdateAction(action)); };
      if (process(FActiveControl) || process(this) || TraverseActionClients(this, action, execute)) Message.Result = 1;
      break;
    }
    default: inherited::Dispatch(Message);
  }
}

void TCustomForm::WMActivate(TMessage& Message) { SetActive(TWMActivate{Message}.Active() != WA_INACTIVE); }

void TCustomForm::SetActive(bool Value) {
  FActive = Value;
  if (!Value) return;
  if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  HWND focus = (FActiveControl && FActiveControl != this) ? FActiveControl->GetHandle() : FHandle;
  if (!focus) return;
  ::SetFocus(focus);
  if (FActiveControl && Screen->FActiveControl == FActiveControl) FActiveControl->Perform(CM_UIACTIVATE, 0, 0);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMCommand(TMessage& Message) {
  const TWMCommand m{Message};
  if (m.Ctl() == nullptr && FMenu && FMenu->DispatchCommand(m.ItemID())) return;
  inherited::Dispatch(Message);
}

void TCustomForm::WMInitMenuPopup(TMessage& Message) {
  const TWMInitMenuPopup m{Message};
  if (FMenu && !m.SystemMenu()) FMenu->DispatchPopup(m.MenuPopup());
  inherited::Dispatch(Message);
}

// The hint of the menu item under the mouse becomes the application's hint (a status bar shows it).
void TCustomForm::WMMenuSelect(TMessage& Message) {
  const TWMMenuSelect m{Message};
  if (FMenu) {
    TMenuItem* item = nullptr;
    if (m.MenuFlag() != 0xFFFF || m.IDItem() != 0) {
      if (m.MenuFlag() & MF_POPUP)
        item = FMenu->FindItem(reinterpret_cast<NativeInt>(::GetSubMenu(m.Menu(), m.IDItem())), fkHandle);
      else
        item = FMenu->FindItem(m.IDItem(), fkCommand);
    }
    Application->SetHint(item ? GetLongHint(item->GetHint()) : AnsiString());
  }
  inherited::Dispatch(Message);
}

void TCustomForm::WMSysCommand(TMessage& Message) {
  const UINT command = TWMSysCommand{Message}.CmdType() & 0xFFF0;
  if (command == SC_MINIMIZE && Application->GetMainForm() == this) {
    Application->Minimize();
    return;
  }
  inherited::Dispatch(Message);
}

// F1: the help context of the control with the focus, or of its nearest parent that has one.
void TCustomForm::WMHelp(TMessage& Message) {
  const HELPINFO* info = TWMHelp{Message}.HelpInfo();
  THelpContext context = 0;
  if (info->iContextType == HELPINFO_WINDOW) {
    TControl* control = FindControl(static_cast<HWND>(info->hItemHandle));
    while (control && control->HelpContext == 0) control = control->GetParent();
    if (!control) return;
    context = control->HelpContext;
  } else if (FMenu) {
    if (TMenuItem* item = FMenu->FindItem(info->iCtrlId, fkCommand)) context = item->GetHelpContext();
  }
  if (context != 0) Application->HelpContext(context);
  Message.Result = 1;
}

void TCustomForm::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!FShowing) return;
  switch (TWMSize{Message}.SizeType()) {
    case SIZE_MAXIMIZED: FWindowState = wsMaximized; break;
    case SIZE_MINIMIZED: FWindowState = wsMinimized; break;
    case SIZE_RESTORED: FWindowState = wsNormal; break;
    default: break;
  }
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
  MINMAXINFO* info = TWMGetMinMaxInfo{Message}.MinMaxInfo();
  TSizeConstraints* c = GetConstraints();
  if (c->GetMinWidth() > 0) info->ptMinTrackSize.x = c->GetMinWidth();
  if (c->GetMinHeight() > 0) info->ptMinTrackSize.y = c->GetMinHeight();
  if (c->GetMaxWidth() > 0) info->ptMaxTrackSize.x = c->GetMaxWidth();
  if (c->GetMaxHeight() > 0) info->ptMaxTrackSize.y = c->GetMaxHeight();
  inherited::Dispatch(Message);
}

void TCustomForm::WMQueryEndSession(TMessage& Message) { Message.Result = CloseQuery() ? 1 : 0; }

void TCustomForm::CMActivate(TMessage&) { Activate(); }

void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

// Tab and Shift+Tab go through the controls in Tab order; the arrows move among the siblings of
// the active control; other dialog keys go to the controls (Enter to the default button).
void TCustomForm::CMDialogKey(TMessage& Message) {
  if (::GetKeyState(VK_MENU) >= 0) {
    switch (TWMKey{Message}.CharCode()) {
      case VK_TAB:
        if (::GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, ::GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->GetParent()) {
          const Word key = TWMKey{Message}.CharCode();
          FActiveControl->GetParent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
      default: break;
    }
  }
  inherited::Dispatch(Message);
}

void TCustomForm::CMRelease(TMessage&) { delete this; }

void TCustomForm::CMIconChanged(TMessage&) { UpdateIcon(); }

void TCustomForm::CMMenuChanged(TMessage&) { UpdateMenu(); }

// --- Showing -------------------------------------------------------------------------------------------

void TCustomForm::CMShowingChanged(TMessage&) {
  if (FFormState.Contains(fsShowing)) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
  FFormState << fsShowing;
  ScopeExit shown([this] { FFormState >> fsShowing; });
  if (FShowing) {
    AfterConstruction();
    try {
      DoShow();
    } catch (...) {
      Application->HandleException(this);
    }
    Integer x = FLeft, y = FTop;
    bool place = true;
    const TRect desktop = Screen->GetDesktopRect();
    switch (FPosition) {
      case poScreenCenter:
        x = (Screen->GetWidth() - FWidth) / 2;
        y = (Screen->GetHeight() - FHeight) / 2;
        break;
      case poDesktopCenter:
        x = desktop.Left + (desktop.Width() - FWidth) / 2;
        y = desktop.Top + (desktop.Height() - FHeight) / 2;
        break;
      case poMainFormCenter:
      case poOwnerFormCenter: {
        TCustomForm* center = Application->GetMainForm();
        if (FPosition == poOwnerFormCenter)
          if (auto* owner = dynamic_cast<TCustomForm*>(GetOwner())) center = owner;
        if (center && center != this) {
          x = center->FLeft + (center->FWidth - FWidth) / 2;
          y = center->FTop + (center->FHeight - FHeight) / 2;
        } else {
          x = (Screen->GetWidth() - FWidth) / 2;
          y = (Screen->GetHeight() - FHeight) / 2;
        }
        break;
      }
      default: place = false; break;
    }
    if (place) {
      x = std::max(x, desktop.Left);
      y = std::max(y, desktop.Top);
      SetBounds(x, y, FWidth, FHeight);
    }
    // A form is placed once; after that it stays where the user put it.
    FPosition = poDesigned;
    if (FFormStyle == fsStayOnTop)
      ::SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::ShowWindow(FHandle, kShowCommands[FWindowState]);
    if (FWindowState != wsMinimized) ::BringWindowToTop(FHandle);
    Application->UpdateVisible();
  } else {
    try {
      DoHide();
    } catch (...) {
      Application->HandleException(this);
    }
    HWND newActive = nullptr;
    if (::GetActiveWindow() == FHandle && !::IsIconic(FHandle)) newActive = FindTopMostWindow(FHandle);
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (newActive) ::SetActiveWindow(newActive);
    Application->UpdateVisible();
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::SetZOrder(bool TopMost) {
  if (FParent) {
    inherited::SetZOrder(TopMost);
    return;
  }
  if (!FHandle) return;
  if (TopMost)
    ::SetWindowPos(FHandle, FFormStyle == fsStayOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | (FShowing ? 0 : SWP_NOACTIVATE));
  else
    ::SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (Value == FWindowState) return;
  FWindowState = Value;
  if (FShowing) ::ShowWindow(FHandle, Value == wsNormal ? SW_RESTORE : kShowCommands[Value]);
}

Integer TCustomForm::ShowModal() {
  CancelDrag();
  if (FVisible || !GetEnabled() || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  AfterConstruction();
  if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ::ReleaseCapture();
  FFormState << fsModal;
  HWND activeWindow = ::GetActiveWindow();
  const Integer saveFocusCount = FFocusCount;
  Screen->FSaveFocusedList.insert(Screen->FSaveFocusedList.begin(), Screen->FFocusedForm);
  Screen->FFocusedForm = this;
  const TCursor saveCursor = Screen->GetCursor();
  Screen->SetCursor(crDefault);
  const Integer saveCount = Screen->FCursorCount;
  const TTaskWindowList windows = DisableTaskWindows(nullptr);
  Integer result = mrNone;
  // The program's state comes back however the modal loop ends.
  ScopeExit restore([&] {
    if (Screen->FCursorCount == saveCount)
      Screen->SetCursor(saveCursor);
    else
      Screen->SetCursor(crDefault);
    EnableTaskWindows(windows);
    if (!Screen->FSaveFocusedList.empty()) {
      Screen->FFocusedForm = Screen->FSaveFocusedList.front();
      Screen->FSaveFocusedList.erase(Screen->FSaveFocusedList.begin());
    } else {
      Screen->FFocusedForm = nullptr;
    }
    if (activeWindow && ::IsWindow(activeWindow)) ::SetActiveWindow(activeWindow);
    FFocusCount = saveFocusCount;
    FFormState >> fsModal;
  });
  Show();
  try {
    ::SendMessageA(FHandle, CM_ACTIVATE, 0, 0);
    FModalResult = mrNone;
    do {
      Application->HandleMessage();
      if (Application->GetTerminated())
        FModalResult = mrCancel;
      else if (FModalResult != mrNone)
        CloseModal();
    } while (FModalResult == mrNone);
    result = FModalResult;
    ::SendMessageA(FHandle, CM_DEACTIVATE, 0, 0);
    if (::GetActiveWindow() != FHandle) activeWindow = nullptr;
  } catch (...) {
    // Hiding runs the form's handlers, which may raise: it stays out of a destructor.
    SetVisible(false);
    throw;
  }
  SetVisible(false);
  return result;
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    switch (action) {
      case caNone: FModalResult = mrNone; break;
      case caFree: Release(); break;
      default: break;
    }
  } catch (...) {
    FModalResult = mrNone;
    Application->HandleException(this);
  }
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (FFormStyle == fsMDIChild) action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
  DoClose(action);
  if (action == caNone) return;
  if (Application->GetMainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    SetVisible(false);
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Release() {
  if (FReleasing) return;
  FReleasing = true;
  ::PostMessageA(GetHandle(), CM_RELEASE, 0, 0);
}

// --- Events ----------------------------------------------------------------------------------------------

void TCustomForm::DoCreate() {
  try {
    if (OnCreate) OnCreate(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TCustomForm::DoDestroy() {
  try {
    if (OnDestroy) OnDestroy(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC) {
  TCanvasPaintScope scope(FCanvas, DC);
  Paint();
}

void TCustomForm::Loaded() {
  inherited::Loaded();
  if (FActiveControl && !FActiveControl->CanFocus()) FActiveControl = nullptr;
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
  inherited::GetChildren(Proc, Root);
  if (Root != this) return;
  for (Integer i = 0; i < GetComponentCount(); ++i)
    if (TComponent* component = GetComponents(i); !component->HasParent()) Proc(component);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) SetMenu(nullptr);
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

// --- Focus ---------------------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  if (Control && !(Control != this && GetParentForm(Control) == this &&
                   (GetComponentState().Contains(csLoading) || Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (!GetComponentState().Contains(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (FActive) return;
  if (!(FVisible && GetEnabled())) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->GetParent();
  if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

bool TCustomForm::SendFocusMessage(HWND Window, UINT Msg) {
  const Integer count = FFocusCount;
  ::SendMessageA(Window, Msg, 0, 0);
  return FFocusCount == count;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (GetComponentState().Contains(csDestroying)) return true;
  ++FFocusCount;
  FActiveControl = Control != this ? Control : nullptr;
  Screen->FActiveControl = Control;
  Screen->FActiveCustomForm = this;
  auto& custom = Screen->FCustomForms;
  custom.erase(std::remove(custom.begin(), custom.end(), this), custom.end());
  custom.insert(custom.begin(), this);
  Screen->FActiveForm = dynamic_cast<TForm*>(this);
  if (Control->ControlState.Contains(csFocusing)) return false;
  Control->ControlState << csFocusing;
  bool ok = false;
  {
    ScopeExit focused([Control] { Control->ControlState >> csFocusing; });
    ok = [&] {
      if (Screen->FFocusedForm != this) {
        if (TCustomForm* old = Screen->FFocusedForm) {
          Screen->FFocusedForm = nullptr;
          if (old->FHandle && !SendFocusMessage(old->FHandle, CM_DEACTIVATE)) return false;
        }
        Screen->FFocusedForm = this;
        if (!SendFocusMessage(FHandle, CM_ACTIVATE)) return false;
      }
      if (!FFocusedControl) FFocusedControl = this;
      if (FFocusedControl != Control) {
        // OnExit from the old control up to the common parent, OnEnter down to the new one.
        while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
          HWND wnd = FFocusedControl->FHandle;
          FFocusedControl = FFocusedControl->GetParent();
          if (wnd && !SendFocusMessage(wnd, CM_EXIT)) return false;
        }
        while (FFocusedControl != Control) {
          TWinControl* next = Control;
          while (next->GetParent() != FFocusedControl) next = next->GetParent();
          FFocusedControl = next;
          if (!SendFocusMessage(next->GetHandle(), CM_ENTER)) return false;
        }
        for (TWinControl* p = Control->GetParent(); p; p = p->GetParent())
          if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(p)) scrolling->AutoScrollInView(Control);
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
      }
      return true;
    }();
  }
  if (!ok) return false;
  Screen->UpdateLastActive();
  return true;
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (FActive && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

// --- Keys ----------------------------------------------------------------------------------------------

bool TCustomForm::IsShortCut(TMessage& Message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(Message, handled);
  if (handled) return true;
  if (FMenu && FMenu->GetWindowHandle() && FMenu->IsShortCut(Message)) return true;
  return DispatchShortCut(this, Message);
}

bool TCustomForm::WantChildKey(TControl*, TMessage&) { return false; }

// --- The window ------------------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!FParent && !FParentWindow) {
    Params.WndParent = Application->GetHandle();
    Params.Style &= ~DWORD(WS_CHILD | WS_GROUP | WS_TABSTOP);
  }
  Params.WindowClass.style = CS_DBLCLKS;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
  }
  TBorderIcons icons = FBorderIcons;
  TFormBorderStyle style = FBorderStyle;
  if (FFormStyle == fsMDIChild && (style == bsNone || style == bsDialog)) style = bsSizeable;
  switch (style) {
    case bsNone:
      if (!FParent && !FParentWindow) Params.Style |= WS_POPUP;
      icons.Clear();
      break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      icons = icons * TBorderIcons{biSystemMenu, biHelp};
      Params.WindowClass.style |= CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
      break;
  }
  if (style == bsToolWindow || style == bsSizeToolWin) {
    Params.ExStyle = WS_EX_TOOLWINDOW;
    icons = icons * TBorderIcons{biSystemMenu};
  }
  if (style == bsSingle || style == bsSizeable || style == bsNone) {
    if (icons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    if (FWindowState == wsMinimized)
      Params.Style |= WS_MINIMIZE;
    else if (FWindowState == wsMaximized)
      Params.Style |= WS_MAXIMIZE;
  }
  if (icons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
  if (icons.Contains(biHelp) && !icons.Contains(biMinimize) && !icons.Contains(biMaximize))
    Params.ExStyle |= WS_EX_CONTEXTHELP;
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (UseRightToLeftReading()) Params.ExStyle |= WS_EX_RTLREADING;
}

void TCustomForm::CreateWnd() {
  inherited::CreateWnd();
  UpdateMenu();
  UpdateIcon();
}

void TCustomForm::DestroyWnd() {
  if (FMenu) {
    ::SetMenu(FHandle, nullptr);
    FMenu->SetWindowHandle(nullptr);
  }
  inherited::DestroyWnd();
}

void TCustomForm::UpdateMenu() {
  if (!FHandle) return;
  if (FMenu && (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin)) {
    FMenu->SetWindowHandle(FHandle);
    if (::GetMenu(FHandle) != FMenu->GetHandle()) ::SetMenu(FHandle, FMenu->GetHandle());
    ::DrawMenuBar(FHandle);
  } else if (::GetMenu(FHandle)) {
    ::SetMenu(FHandle, nullptr);
  }
}

void TCustomForm::UpdateIcon() {
  if (!FHandle) return;
  HICON icon = FIcon->GetEmpty() ? nullptr : FIcon->GetHandle();
  if (!icon && Application->GetIcon() && !Application->GetIcon()->GetEmpty()) icon = Application->GetIcon()->GetHandle();
  ::SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) {
    if (FHandle) ::SetMenu(FHandle, nullptr);
    FMenu->SetWindowHandle(nullptr);
  }
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  UpdateMenu();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == FBorderIcons) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (Value == FFormStyle) return;
  if (Value == fsMDIChild || Value == fsMDIForm || FFormStyle == fsMDIChild || FFormStyle == fsMDIForm)
    throw EInvalidOperation("Multiple-document forms are not supported");
  FFormStyle = Value;
  if (FHandle)
    ::SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- Published properties ------------------------------------------------------------------------------

PUBLISHED(TForm) {
  Prop("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl);
  Prop("Align", &TControl::GetAlign, &TControl::SetAlign).Default(alNone);
  Prop("AutoScroll", &TScrollingWinControl::GetAutoScroll, &TScrollingWinControl::SetAutoScroll).Default(true);
  Prop("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode).Default(bdLeftToRight);
  Prop("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  Prop("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
  Prop("BorderWidth", &TWinControl::GetBorderWidth, &TWinControl::SetBorderWidth).Default(0);
  Prop("Caption", &TControl::GetCaption, &TControl::SetCaption);
  Prop("ClientHeight", &TControl::GetClientHeight, &TControl::SetClientHeight).Stored(false);
  Prop("ClientWidth", &TControl::GetClientWidth, &TControl::SetClientWidth).Stored(false);
  Prop("Color", &TControl::GetColor, &TControl::SetColor).Type(ColorTypeInfo()).Default(clBtnFace);
  Prop("Constraints", &TControl::GetConstraints, &TControl::SetConstraints);
  Prop("Ctl3D", &TWinControl::GetCtl3D, &TWinControl::SetCtl3D).Default(true);
  Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);
  Prop("Font", &TControl::GetFont, &TControl::SetFont);
  Prop("FormStyle", &TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
  Prop("HelpFile", &TCustomForm::GetHelpFile, &TCustomForm::SetHelpFile);
  Prop("HorzScrollBar", &TScrollingWinControl::GetHorzScrollBar, &TScrollingWinControl::SetHorzScrollBar);
  Prop("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  Prop("Menu", &TCustomForm::GetMenu, &TCustomForm::SetMenu);
  Prop("ParentBiDiMode", &TControl::GetParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  Prop("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont).Default(false);
  Prop("PixelsPerInch", &TCustomForm::GetPixelsPerInch, &TCustomForm::SetPixelsPerInch);
  Prop("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
  Prop("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition).Default(poDesigned);
  Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint).Default(false);
  Prop("VertScrollBar", &TScrollingWinControl::GetVertScrollBar, &TScrollingWinControl::SetVertScrollBar);
  Prop("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(false);
  Prop("WindowState", &TCustomForm::GetWindowState, &TCustomForm::SetWindowState).Default(wsNormal);
  Prop("OnActivate", &TCustomForm::OnActivate);
  Prop("OnClick", &TControl::OnClick);
  Prop("OnClose", &TCustomForm::OnClose);
  Prop("OnCloseQuery", &TCustomForm::OnCloseQuery);
  Prop("OnContextPopup", &TControl::OnContextPopup);
  Prop("OnCreate", &TCustomForm::OnCreate);
  Prop("OnDblClick", &TControl::OnDblClick);
  Prop("OnDeactivate", &TCustomForm::OnDeactivate);
  Prop("OnDestroy", &TCustomForm::OnDestroy);
  Prop("OnDragDrop", &TControl::OnDragDrop);
  Prop("OnDragOver", &TControl::OnDragOver);
  Prop("OnHelp", &TCustomForm::OnHelp);
  Prop("OnHide", &TCustomForm::OnHide);
  Prop("OnKeyDown", &TWinControl::OnKeyDown);
  Prop("OnKeyPress", &TWinControl::OnKeyPress);
  Prop("OnKeyUp", &TWinControl::OnKeyUp);
  Prop("OnMouseDown", &TControl::OnMouseDown);
  Prop("OnMouseMove", &TControl::OnMouseMove);
  Prop("OnMouseUp", &TControl::OnMouseUp);
  Prop("OnMouseWheel", &TControl::OnMouseWheel);
  Prop("OnMouseWheelDown", &TControl::OnMouseWheelDown);
  Prop("OnMouseWheelUp", &TControl::OnMouseWheelUp);
  Prop("OnPaint", &TCustomForm::OnPaint);
  Prop("OnResize", &TControl::OnResize);
  Prop("OnShortCut", &TCustomForm::OnShortCut);
  Prop("OnShow", &TCustomForm::OnShow);
}
