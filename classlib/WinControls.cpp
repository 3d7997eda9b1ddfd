// TWinControl: the window, children and alignment, focus and the keyboard.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"

namespace {

// The control whose window is being made: its window procedure is not installed yet when the
// first messages (WM_NCCREATE, WM_CREATE, ...) arrive, so the class's procedure (InitWndProc)
// installs it from here.
thread_local TWinControl* g_creationControl = nullptr;

// The window property that leads from a window to its control. The name carries the process
// id, so that a window of another process is never mistaken for one of ours.
const char* ControlPropName() {
  static const AnsiString name = Format("ClasslibControl%08X", Integer(::GetCurrentProcessId()));
  return name.c_str();
}

constexpr UINT kShowFlags[2] = {SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW,
                                SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW};

void MoveWindowOrg(HDC DC, Integer DX, Integer DY) {
  POINT p;
  ::GetWindowOrgEx(DC, &p);
  ::SetWindowOrgEx(DC, p.x - DX, p.y - DY, nullptr);
}

bool PtInRectangle(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

template <class T>
void EraseItem(std::vector<T*>& list, const void* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

TControl* g_captureControl = nullptr;

}  // namespace

LRESULT CALLBACK UnicodeCharWndProc(HWND HWindow, UINT Msg, WPARAM WParam, LPARAM LParam);

// The procedure of every window class registered for controls: it hands the window to the
// control being created and installs the control's object instance as the window procedure.
LRESULT CALLBACK InitWndProc(HWND HWindow, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* control = g_creationControl;
  if (!control) return ::DefWindowProcA(HWindow, Msg, WParam, LParam);
  g_creationControl = nullptr;
  control->FHandle = HWindow;
  ::SetPropA(HWindow, ControlPropName(), control);
  ::SetWindowLongPtrA(HWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->FObjectInstance));
  // A Unicode procedure over the object instance makes the window a Unicode window; what it
  // passes on reaches the object instance converted to ANSI by the system.
  if (control->FUnicodeChars)
    control->FAnsiWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(HWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UnicodeCharWndProc)));
  if ((::GetWindowLongPtrA(HWindow, GWL_STYLE) & WS_CHILD) && ::GetWindowLongPtrA(HWindow, GWLP_ID) == 0)
    ::SetWindowLongPtrA(HWindow, GWLP_ID, reinterpret_cast<LONG_PTR>(HWindow));
  return ::CallWindowProcA(control->FObjectInstance, HWindow, Msg, WParam, LParam);
}

// The Unicode window procedure of a control with UnicodeChars: a typed UTF-16 unit is offered to
// the control as such; everything else, and a unit it leaves, goes on as before.
LRESULT CALLBACK UnicodeCharWndProc(HWND HWindow, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* control = static_cast<TWinControl*>(::GetPropA(HWindow, ControlPropName()));
  if (!control || !control->FAnsiWndProc) return ::DefWindowProcW(HWindow, Msg, WParam, LParam);
  WNDPROC next = control->FAnsiWndProc;
  if (Msg == WM_CHAR && control->Perform(CM_UNICODECHAR, WParam, LParam) != 0) return 0;
  return ::CallWindowProcW(next, HWindow, Msg, WParam, LParam);
}

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(Handle, &pid);
  if (pid != ::GetCurrentProcessId()) return nullptr;
  return static_cast<TWinControl*>(::GetPropA(Handle, ControlPropName()));
}

bool IsVCLControl(HWND Handle) { return FindControl(Handle) != nullptr; }

TWinControl* FindVCLWindow(const TPoint& Pos) {
  for (HWND wnd = ::WindowFromPoint(POINT{Pos.X, Pos.Y}); wnd; wnd = ::GetParent(wnd))
    if (TWinControl* control = FindControl(wnd)) return control;
  return nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  TWinControl* window = FindVCLWindow(Pos);
  if (!window) return nullptr;
  TControl* control = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled);
  return control ? control : window;
}

TControl* GetCaptureControl() {
  TControl* result = FindControl(::GetCapture());
  if (result && g_captureControl && g_captureControl->GetParent() == result) result = g_captureControl;
  return result;
}

void SetCaptureControl(TControl* Control) {
  ::ReleaseCapture();
  g_captureControl = nullptr;
  if (!Control) return;
  auto* window = dynamic_cast<TWinControl*>(Control);
  if (!window) {
    if (!Control->GetParent()) return;
    g_captureControl = Control;
    window = Control->GetParent();
  }
  ::SetCapture(window->GetHandle());
}

// --- Construction and destruction -----------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FObjectInstance = MakeObjectInstance(TWndMethod(this, &TWinControl::MainWndProc));
  FBrush = new TBrush;
  FBrush->SetColor(FColor);
}

void TWinControl::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (FParent) RemoveFocus(true);
}

TWinControl::~TWinControl() {
  if (FParent) {
    TWinControl* parent = FParent;
    DestroyHandle();
    parent->RemoveControl(this);
  }
  if (FHandle) DestroyWindowHandle();
  // Children go with their parent; each takes itself out of the lists as it goes.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* child = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    Remove(child);
    delete child;
  }
  FreeObjectInstance(FObjectInstance);
  delete FBrush;
}

// --- Messages ----------------------------------------------------------------------------------------

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    WindowProc(Message);
  } catch (...) {
    FreeDeviceContexts();
    Application->HandleException(this);
    return;
  }
  FreeDeviceContexts();
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (ControlState.Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST: {
      inherited::WndProc(Message);
      if (Message.Result == HTTRANSPARENT) {
        const TWMNCHitTest m{Message};
        if (ControlAtPos(ScreenToClient(Point(m.XPos(), m.YPos())), false)) Message.Result = HTCLIENT;
      }
      return;
    }
    case WM_CANCELMODE:
      if (::GetCapture() == FHandle && g_captureControl && g_captureControl->GetParent() == this)
        g_captureControl->Perform(WM_CANCELMODE, 0, 0);
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
          Message.Msg != WM_MOUSEHWHEEL) {
        if (Message.Msg == WM_MOUSEMOVE && !FTrackingMouse && FHandle) {
          // Asks for WM_MOUSELEAVE, so that the control under the mouse is updated when the
          // mouse leaves the program's windows too.
          TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, FHandle, 0};
          FTrackingMouse = ::TrackMouseEvent(&tme) != FALSE;
        }
        if (IsControlMouseMsg(Message)) {
          // The routing may have run code that destroyed the window.
          if (Message.Result == 0 && FHandle) ::DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
          return;
        }
      } else if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
        if (Dragging()) return;
      }
      break;
  }
  inherited::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: WMNotify(Message); break;
    case WM_DRAWITEM: WMDrawItem(Message); break;
    case WM_MEASUREITEM: WMMeasureItem(Message); break;
    case WM_COMPAREITEM: WMCompareItem(Message); break;
    case WM_DELETEITEM: WMDeleteItem(Message); break;
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: WMCharToItem(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(Message); break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: WMCtlColor(Message); break;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_SYSKEYUP: WMSysKeyUp(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case WM_NCDESTROY: WMNCDestroy(Message); break;
    case WM_SYSCOLORCHANGE:
      Perform(CM_SYSCOLORCHANGE, 0, 0);
      DefaultHandler(Message);
      break;
    case WM_MOUSELEAVE: WMMouseLeave(Message); break;
    case CN_KEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(Message); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); break;
    case CM_INVALIDATE: CMInvalidate(Message); break;
    case CM_BIDIMODECHANGED: CMBiDiModeChanged(Message); break;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    case CM_TABSTOPCHANGED: CMTabStopChanged(Message); break;
    case CM_CHILDKEY: CMChildKey(Message); break;
    default: inherited::Dispatch(Message);
  }
}

// With a window, the window's original procedure; without one, the windowless defaults
// (the caption is kept in the object until the window is made).
void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    inherited::DefaultHandler(Message);
    return;
  }
  if (Message.Msg == WM_CONTEXTMENU && FParent) {
    Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
    if (Message.Result != 0) return;
  }
  Message.Result = ::CallWindowProcA(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* control = nullptr;
  const TWMMouse m{Message};
  if (::GetCapture() == FHandle) {
    if (g_captureControl && g_captureControl->GetParent() == this) control = g_captureControl;
  } else {
    control = ControlAtPos(m.Pos(), false);
  }
  if (!control) return false;
  const TPoint p{m.XPos() - control->GetLeft(), m.YPos() - control->GetTop()};
  Message.Result = control->Perform(Message.Msg, Message.WParam, MAKELPARAM(Word(SmallInt(p.X)), Word(SmallInt(p.Y))));
  return true;
}

// --- Notifications from child windows, reflected to the children's controls --------------------

void TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message, bool& Handled) {
  Handled = false;
  TWinControl* control = FindControl(ControlHandle);
  if (!control) return;
  Message.Result = control->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
  Handled = true;
}

void TWinControl::WMCommand(TMessage& Message) {
  bool handled;
  DoControlMsg(TWMCommand{Message}.Ctl(), Message, handled);
  if (!handled) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
  bool handled;
  DoControlMsg(TWMNotify{Message}.NMHdr()->hwndFrom, Message, handled);
  if (!handled) DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message) {
  bool handled = false;
  const DRAWITEMSTRUCT* dis = TWMDrawItem{Message}.DrawItemStruct();
  if (dis->CtlType != ODT_MENU) DoControlMsg(dis->hwndItem, Message, handled);
  if (!handled) DefaultHandler(Message);
}

// The item's control is found by the control id, which is the window handle (see InitWndProc);
// an owner-drawn list box measures its items while its window is being made, before its id is
// set, and is then the control being created.
void TWinControl::WMMeasureItem(TMessage& Message) {
  const MEASUREITEMSTRUCT* mis = TWMMeasureItem{Message}.MeasureItemStruct();
  if (mis->CtlType != ODT_MENU) {
    TWinControl* control = nullptr;
    for (TWinControl* child : FWinControls)
      if (child->FHandle && UINT(reinterpret_cast<UINT_PTR>(child->FHandle)) == mis->CtlID) control = child;
    if (!control) {
      // A window is being created right now when its measurement arrives through its parent.
      for (TWinControl* child : FWinControls)
        if (!child->FHandle && child->ControlState.Contains(csCreating)) control = child;
    }
    if (control) {
      Message.Result = control->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMCompareItem(TMessage& Message) {
  bool handled;
  DoControlMsg(TWMCompareItem{Message}.CompareItemStruct()->hwndItem, Message, handled);
  if (!handled) DefaultHandler(Message);
}

void TWinControl::WMDeleteItem(TMessage& Message) {
  bool handled;
  DoControlMsg(TWMDeleteItem{Message}.DeleteItemStruct()->hwndItem, Message, handled);
  if (!handled) DefaultHandler(Message);
}

void TWinControl::WMCharToItem(TMessage& Message) {
  bool handled;
  DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message, handled);
  if (!handled) DefaultHandler(Message);
}

void TWinControl::WMScroll(TMessage& Message) {
  bool handled = false;
  if (Message.LParam) DoControlMsg(TWMScroll{Message}.ScrollBar(), Message, handled);
  if (!handled) DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message) {
  bool handled;
  DoControlMsg(TWMCtlColor{Message}.ChildWnd(), Message, handled);
  if (!handled) DefaultHandler(Message);
}

// A child control's colours: its font colour on its own colour.
void TWinControl::CNCtlColor(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  ::SetTextColor(dc, COLORREF(ColorToRGB(FFont->GetColor())));
  ::SetBkColor(dc, COLORREF(ColorToRGB(FBrush->GetColor())));
  Message.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
}

// --- The window ----------------------------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (UseRightToLeftAlignment()) Params.ExStyle |= WS_EX_RIGHT;
  if (UseRightToLeftReading()) Params.ExStyle |= WS_EX_RTLREADING;
  if (UseRightToLeftScrollBar()) Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
  if (ControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!GetComponentState().Contains(csDesigning) && !GetEnabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  // The parent window is filled in by CreateWnd, so that CreateParams stays free of side
  // effects (GetClientRect asks it for the styles of a control without a window).
  Params.WndParent = nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &::DefWindowProcA;
  Params.WindowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  Params.WindowClass.hbrBackground = nullptr;
  Params.WindowClass.hInstance = ::GetModuleHandleA(nullptr);
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  if (!ControlClassName) return;
  const HINSTANCE saveInstance = Params.WindowClass.hInstance;
  if (!::GetClassInfoA(::GetModuleHandleA(nullptr), ControlClassName, &Params.WindowClass))
    ::GetClassInfoA(nullptr, ControlClassName, &Params.WindowClass);
  Params.WindowClass.hInstance = saveInstance;
  Params.WindowClass.style = (Params.WindowClass.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS)) |
                             CS_VREDRAW | CS_HREDRAW;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent) params.WndParent = FParent ? FParent->GetHandle() : FParentWindow;
  if (!params.WndParent && (params.Style & WS_CHILD))
    throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
  FDefWndProc = params.WindowClass.lpfnWndProc;
  FUnicodeChars = params.UnicodeChars;
  FAnsiWndProc = nullptr;
  WNDCLASSA existing{};
  const bool registered = ::GetClassInfoA(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing);
  if (!registered || existing.lpfnWndProc != &InitWndProc) {
    if (registered) ::UnregisterClassA(params.WinClassName.c_str(), params.WindowClass.hInstance);
    params.WindowClass.lpfnWndProc = &InitWndProc;
    params.WindowClass.lpszClassName = params.WinClassName.c_str();
    if (!::RegisterClassA(&params.WindowClass)) RaiseLastOSError();
  }
  {
    ControlState << csCreating;
    g_creationControl = this;
    ScopeExit created([this] {
      g_creationControl = nullptr;
      ControlState >> csCreating;
    });
    CreateWindowHandle(params);
  }
  if (!FHandle) RaiseLastOSError();
  FText.clear();  // the window holds the caption now
  UpdateBounds();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 1);
  if (GetAutoSize()) AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HWND wnd = ::CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                               Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                               Params.WindowClass.hInstance, Params.Param);
  // InitWndProc has set FHandle already; a window that failed during creation leaves it empty.
  if (!wnd) FHandle = nullptr;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (FParent)
    ::SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (TControl* c : FControls) c->UpdateAnchorRules();
  for (TWinControl* c : FWinControls) c->UpdateAnchorRules();
  CreateWindowHandleDone();
}

HWND TWinControl::PrecedingWindow(TWinControl* Control) {
  auto it = std::find(FWinControls.begin(), FWinControls.end(), Control);
  if (it != FWinControls.end())
    for (++it; it != FWinControls.end(); ++it)
      if ((*it)->FHandle) return (*it)->FHandle;
  return HWND_TOP;
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* child : FWinControls) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  FreeDeviceContext(FHandle);
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  ControlState << csDestroyingHandle;
  HWND wnd = FHandle;
  const BOOL ok = ::DestroyWindow(wnd);
  ControlState >> csDestroyingHandle;
  FHandle = nullptr;
  FShowing = false;
  if (!ok && ::IsWindow(wnd)) RaiseLastOSError();
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  if (FHandle) ::RemovePropA(FHandle, ControlPropName());
  FHandle = nullptr;
  FShowing = false;
  FTrackingMouse = false;
}

void TWinControl::RecreateWnd() {
  if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || Value == FParentWindow) return;
  if (FHandle && FParentWindow && Value) {
    FParentWindow = Value;
    ::SetParent(FHandle, Value);
  } else {
    DestroyHandle();
    FParentWindow = Value;
  }
  UpdateControlState();
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (FParent && !AParent && FHandle) {
    // A control taken off its parent loses its window; it gets a new one when put back.
    DestroyHandle();
  }
  inherited::SetParent(AParent);
}

// --- Showing -------------------------------------------------------------------------------------------

void TWinControl::UpdateShowing() {
  const bool show = FVisible && !ControlState.Contains(csReadingState);
  if (show) {
    if (!FHandle) CreateHandle();
    const std::vector<TWinControl*> children = FWinControls;
    for (TWinControl* child : children) child->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      FShowing = !show;
      throw;
    }
    if (!show) {
      const std::vector<TWinControl*> children = FWinControls;
      for (TWinControl* child : children) child->UpdateShowing();
    }
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* control = this;
  while (control->FParent) {
    control = control->FParent;
    if (!control->FShowing) return;
  }
  if (dynamic_cast<TCustomForm*>(control) || control->FParentWindow) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) { ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kShowFlags[FShowing]); }

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!FVisible && FParent) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::ShowControl(TControl*) {
  if (FParent) FParent->ShowControl(this);
}

// --- Children -----------------------------------------------------------------------------------------

TControl* TWinControl::GetControls(Integer Index) const {
  const auto n = Integer(FControls.size());
  if (Index < n) return FControls[static_cast<std::size_t>(Index)];
  return FWinControls.at(static_cast<std::size_t>(Index - n));
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->GetParent();
  return Control != nullptr;
}

void TWinControl::Insert(TControl* AControl) {
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
}

// By pointer, not by class: a control leaving from its destructor no longer has its final class.
void TWinControl::Remove(TControl* AControl) {
  EraseItem(FTabList, AControl);
  EraseItem(FWinControls, AControl);
  EraseItem(FControls, AControl);
  AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  Insert(AControl);
  if (!AControl->GetComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
      w->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      w->UpdateControlState();
    } else if (FHandle) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  const bool windowed = std::find(FWinControls.begin(), FWinControls.end(), AControl) != FWinControls.end();
  if (windowed) {
    auto* w = static_cast<TWinControl*>(AControl);
    w->RemoveFocus(true);
    w->DestroyHandle();
  } else if (FHandle) {
    AControl->InvalidateControl(AControl->FVisible, false);
  }
  Remove(AControl);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  Realign();
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (control->GetOwner() == Root) Proc(control);
  }
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  auto hit = [&](TControl* c) {
    const TPoint p{Pos.X - c->FLeft, Pos.Y - c->FTop};
    return PtInRectangle(c->GetClientRect(), p) && c->FVisible && (c->GetEnabled() || AllowDisabled) &&
           c->Perform(CM_HITTEST, 0, MAKELPARAM(Word(SmallInt(p.X)), Word(SmallInt(p.Y)))) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (Integer i = 0; i < GetControlCount(); ++i) {
    GetControls(i)->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage message{Msg, 0, 0, 0};
  Broadcast(message);
}

void TWinControl::Loaded() {
  inherited::Loaded();
  if (FHandle) Realign();
}

// --- Geometry and alignment ------------------------------------------------------------------------

TRect TWinControl::GetClientRect() {
  if (FHandle) {
    TRect r;
    ::GetClientRect(FHandle, AsRECT(r));
    return r;
  }
  // Without a window, the size the window's frame would leave, from the window's styles.
  TCreateParams params;
  CreateParams(params);
  RECT frame{0, 0, 0, 0};
  ::AdjustWindowRectEx(&frame, params.Style & ~(WS_VSCROLL | WS_HSCROLL), FALSE, params.ExStyle);
  Integer w = FWidth - (frame.right - frame.left);
  Integer h = FHeight - (frame.bottom - frame.top);
  if (auto* form = dynamic_cast<TCustomForm*>(this); form && form->GetMenu() && (params.Style & WS_CHILD) == 0)
    h -= ::GetSystemMetrics(SM_CYMENU);
  if (params.Style & WS_VSCROLL) w -= ::GetSystemMetrics(SM_CXVSCROLL);
  if (params.Style & WS_HSCROLL) h -= ::GetSystemMetrics(SM_CYHSCROLL);
  return Rect(0, 0, std::max(w, 0), std::max(h, 0));
}

TPoint TWinControl::GetClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(GetHandle(), &p);
  return {p.x, p.y};
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (FHandle && !::IsIconic(FHandle)) {
    ::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle) {
      WINDOWPLACEMENT wp{};
      wp.length = sizeof(wp);
      ::GetWindowPlacement(FHandle, &wp);
      wp.rcNormalPosition = RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
      ::SetWindowPlacement(FHandle, &wp);
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  TRect r;
  if (::IsIconic(FHandle)) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    ::GetWindowPlacement(FHandle, &wp);
    r = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right, wp.rcNormalPosition.bottom};
  } else {
    ::GetWindowRect(FHandle, AsRECT(r));
    if (::GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD) {
      HWND parent = ::GetParent(FHandle);
      if (parent) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
  }
  UpdateBoundsRect(r);
}

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
  DefaultHandler(Message);
  UpdateBounds();
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  const auto* wp = TWMWindowPosChanged{Message}.WindowPos();
  if (!wp) return;  // a windowless notification (TControl::SetBounds); nothing to tell Windows
  const bool framed = FCtl3D && ControlStyle.Contains(csFramed) && FParent && !(wp->flags & SWP_NOREDRAW);
  const bool moved = !(wp->flags & SWP_NOMOVE) && ::IsWindowVisible(FHandle);
  if (framed && moved) InvalidateFrame();
  DefaultHandler(Message);
  if (framed && (moved || (wp->flags & SWP_SHOWWINDOW))) InvalidateFrame();
}

void TWinControl::InvalidateFrame() {
  TRect r = GetBoundsRect();
  r = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
  if (FParent && FParent->FHandle) ::InvalidateRect(FParent->FHandle, AsRECT(r), TRUE);
}

void TWinControl::AdjustClientRect(TRect& Rect) {
  Rect = {Rect.Left + FBorderWidth, Rect.Top + FBorderWidth, Rect.Right - FBorderWidth, Rect.Bottom - FBorderWidth};
}

void TWinControl::SetBorderWidth(Integer Value) {
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TWinControl::AlignControl(TControl* AControl) {
  if (!FHandle || GetComponentState().Contains(csDestroying)) return;
  if (FAlignLevel != 0) {
    ControlState << csAlignmentNeeded;
    return;
  }
  DisableAlign();
  try {
    TRect r = GetClientRect();
    AlignControls(AControl, r);
  } catch (...) {
    // Enabling aligns again, which runs the controls' handlers and may raise: it stays out of a
    // destructor.
    ControlState >> csAlignmentNeeded;
    EnableAlign();
    throw;
  }
  ControlState >> csAlignmentNeeded;
  EnableAlign();
}

void TWinControl::EnableAlign() {
  --FAlignLevel;
  if (FAlignLevel == 0 && ControlState.Contains(csAlignmentNeeded)) Realign();
}

// Places the aligned children in the order top, bottom, left, right, client; each takes its
// strip off the remaining rectangle. Then the unaligned children with anchors other than the
// top left corner keep their distances to the anchored edges (or their relative centre).
void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  const Integer count = GetControlCount();
  bool alignWork = false;
  for (Integer i = 0; i < count && !alignWork; ++i) {
    const TControl* c = GetControls(i);
    alignWork = c->FAlign != alNone || c->FAnchors != TAnchors{akLeft, akTop};
  }
  if (alignWork) {
    AdjustClientRect(Rect);
    auto insertBefore = [](const TControl* c1, const TControl* c2, TAlign align) {
      switch (align) {
        case alTop: return c1->FTop < c2->FTop;
        case alBottom: return c1->FTop + c1->FHeight >= c2->FTop + c2->FHeight;
        case alLeft: return c1->FLeft < c2->FLeft;
        case alRight: return c1->FLeft + c1->FWidth >= c2->FLeft + c2->FWidth;
        default: return false;
      }
    };
    auto doPosition = [&](TControl* control, TAlign align) {
      if (align == alNone || control->FAnchors != AnchorAlign(align)) {
        if (control->FOriginalParentSize.X != 0 && control->FOriginalParentSize.Y != 0) {
          Integer newLeft = control->FLeft, newTop = control->FTop;
          Integer newWidth = control->FWidth, newHeight = control->FHeight;
          const TRect client = GetClientRect();
          const TPoint parentSize{client.Right, client.Bottom};
          const TAnchors anchors = control->FAnchors;
          if (anchors.Contains(akRight)) {
            if (anchors.Contains(akLeft))
              newWidth = parentSize.X - (control->FOriginalParentSize.X - control->FAnchorRules.X);
            else
              newLeft = parentSize.X - (control->FOriginalParentSize.X - control->FAnchorRules.X);
          } else if (!anchors.Contains(akLeft)) {
            newLeft = ::MulDiv(control->FAnchorRules.X, parentSize.X, control->FOriginalParentSize.X) - newWidth / 2;
          }
          if (anchors.Contains(akBottom)) {
            if (anchors.Contains(akTop))
              newHeight = parentSize.Y - (control->FOriginalParentSize.Y - control->FAnchorRules.Y);
            else
              newTop = parentSize.Y - (control->FOriginalParentSize.Y - control->FAnchorRules.Y);
          } else if (!anchors.Contains(akTop)) {
            newTop = ::MulDiv(control->FAnchorRules.Y, parentSize.Y, control->FOriginalParentSize.Y) - newHeight / 2;
          }
          control->FAnchorMove = true;
          ScopeExit moved([control] { control->FAnchorMove = false; });
          control->SetBounds(newLeft, newTop, newWidth, newHeight);
        }
        if (align == alNone) return;
      }
      Integer newWidth = Rect.Right - Rect.Left;
      if (newWidth < 0 || align == alLeft || align == alRight || align == alCustom) newWidth = control->FWidth;
      Integer newHeight = Rect.Bottom - Rect.Top;
      if (newHeight < 0 || align == alTop || align == alBottom || align == alCustom) newHeight = control->FHeight;
      Integer newLeft = Rect.Left, newTop = Rect.Top;
      switch (align) {
        case alTop: Rect.Top += newHeight; break;
        case alBottom:
          Rect.Bottom -= newHeight;
          newTop = Rect.Bottom;
          break;
        case alLeft: Rect.Left += newWidth; break;
        case alRight:
          Rect.Right -= newWidth;
          newLeft = Rect.Right;
          break;
        case alCustom:
          newLeft = control->FLeft;
          newTop = control->FTop;
          break;
        default: break;
      }
      {
        control->FAnchorMove = true;
        ScopeExit moved([control] { control->FAnchorMove = false; });
        control->SetBounds(newLeft, newTop, newWidth, newHeight);
      }
      // A control that would not take the size offered (constraints) gives back what it left.
      if (control->FWidth != newWidth || control->FHeight != newHeight) {
        switch (align) {
          case alTop: Rect.Top -= newHeight - control->FHeight; break;
          case alBottom: Rect.Bottom += newHeight - control->FHeight; break;
          case alLeft: Rect.Left -= newWidth - control->FWidth; break;
          case alRight: Rect.Right += newWidth - control->FWidth; break;
          case alClient:
            Rect.Right += newWidth - control->FWidth;
            Rect.Bottom += newHeight - control->FHeight;
            break;
          default: break;
        }
      }
    };
    auto doAlign = [&](TAlign align) {
      std::vector<TControl*> list;
      if (AControl && (align == alNone || AControl->FVisible) && AControl->FAlign == align) list.push_back(AControl);
      for (Integer i = 0; i < GetControlCount(); ++i) {
        TControl* control = GetControls(i);
        if (control->FAlign != align || control == AControl) continue;
        if (align != alNone && !control->FVisible) continue;
        std::size_t j = 0;
        while (j < list.size() && !insertBefore(control, list[j], align)) ++j;
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), control);
      }
      for (TControl* control : list) doPosition(control, align);
    };
    doAlign(alTop);
    doAlign(alBottom);
    doAlign(alLeft);
    doAlign(alRight);
    doAlign(alClient);
    doAlign(alCustom);
    doAlign(alNone);
    ControlsAligned();
  }
  if (FShowing) AdjustSize();
}

void TWinControl::AdjustSize() {
  if (!GetComponentState().Contains(csLoading) && FHandle) {
    SetBounds(FLeft, FTop, FWidth, FHeight);
    RequestAlign();
  }
}

void TWinControl::ScrollBy(Integer DeltaX, Integer DeltaY) {
  const bool visible = FHandle && ::IsWindowVisible(FHandle);
  if (visible) ::ScrollWindow(FHandle, DeltaX, DeltaY, nullptr, nullptr);
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    auto* w = dynamic_cast<TWinControl*>(control);
    if (!w || !w->FHandle) {
      control->FLeft += DeltaX;
      control->FTop += DeltaY;
    } else if (!visible) {
      ::SetWindowPos(w->FHandle, nullptr, w->FLeft + DeltaX, w->FTop + DeltaY, w->FWidth, w->FHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  Realign();
}

void TWinControl::SetZOrder(bool TopMost) {
  if (!FParent) {
    if (FHandle)
      ::SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  auto& list = FParent->FWinControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  if (FHandle)
    ::SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- Painting ------------------------------------------------------------------------------------------

HDC TWinControl::GetDeviceContext(HWND& WindowHandle) {
  WindowHandle = GetHandle();
  HDC dc = ::GetDC(WindowHandle);
  if (!dc) throw EOutOfResources("Out of system resources");
  return dc;
}

void TWinControl::WMPaint(TMessage& Message) {
  HDC given = TWMPaint{Message}.DC();
  if (!FDoubleBuffered || given) {
    if (!ControlState.Contains(csCustomPaint) && FControls.empty())
      DefaultHandler(Message);
    else
      PaintHandler(Message);
    return;
  }
  // Double buffered: everything is painted into a bitmap first and copied in one go.
  const TRect client = GetClientRect();
  PaintSession paint(FHandle);
  HDC dc = paint.get();
  UniqueMemoryDC memDC(::CreateCompatibleDC(dc));
  UniqueGdiObject bitmap(::CreateCompatibleBitmap(dc, std::max(client.Right, 1), std::max(client.Bottom, 1)));
  SelectedObject selected(memDC.get(), bitmap.get());
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memDC.get()), reinterpret_cast<LPARAM>(memDC.get()));
  TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(memDC.get()), 0, 0};
  WMPaint(inner);
  ::BitBlt(dc, 0, 0, client.Right, client.Bottom, memDC.get(), 0, 0, SRCCOPY);
}

// Painting that raises still ends the paint and gives the context back as it came.
void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = TWMPaint{Message}.DC();
  std::optional<PaintSession> paint;
  if (!dc) dc = paint.emplace(FHandle).get();
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    // The opaque windowless children are left out of the window's own painting.
    SavedDC saved(dc);
    int clip = SIMPLEREGION;
    for (TControl* c : FControls) {
      if (c->FVisible && c->ControlStyle.Contains(csOpaque)) {
        clip = ::ExcludeClipRect(dc, c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight);
        if (clip == NULLREGION) break;
      }
    }
    if (clip != NULLREGION) PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  std::size_t i = 0;
  if (First) {
    auto it = std::find(FControls.begin(), FControls.end(), First);
    if (it != FControls.end()) i = static_cast<std::size_t>(it - FControls.begin());
  }
  for (; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    const RECT r{c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight};
    if (!c->FVisible || !::RectVisible(DC, &r)) continue;
    if (ControlState.Contains(csPaintCopy)) c->ControlState << csPaintCopy;
    ScopeExit copied([c] { c->ControlState >> csPaintCopy; });
    SavedDC saved(DC);
    MoveWindowOrg(DC, c->FLeft, c->FTop);
    ::IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  }
  for (TWinControl* w : FWinControls) {
    if (!(w->FCtl3D && w->ControlStyle.Contains(csFramed) && w->FVisible)) continue;
    UniqueGdiObject shadow(::CreateSolidBrush(COLORREF(ColorToRGB(clBtnShadow))));
    RECT r{w->FLeft - 1, w->FTop - 1, w->FLeft + w->FWidth, w->FTop + w->FHeight};
    ::FrameRect(DC, &r, static_cast<HBRUSH>(shadow.get()));
    UniqueGdiObject light(::CreateSolidBrush(COLORREF(ColorToRGB(clBtnHighlight))));
    r = RECT{w->FLeft, w->FTop, w->FLeft + w->FWidth + 1, w->FTop + w->FHeight + 1};
    ::FrameRect(DC, &r, static_cast<HBRUSH>(light.get()));
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  const TRect r = GetClientRect();
  ::FillRect(TWMEraseBkgnd{Message}.DC(), AsRECT(r), FBrush->GetHandle());
  Message.Result = 1;
}

// The client area and the children, drawn into DC at (X, Y). A border of the control's own
// (WS_BORDER or a sunken client edge) is drawn around it; a form's caption and frame are not.
void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
  HWND wnd = GetHandle();
  ControlState << csPaintCopy;
  ScopeExit copied([this] { ControlState >> csPaintCopy; });
  SavedDC saved(DC);
  MoveWindowOrg(DC, X, Y);
  const LONG_PTR style = ::GetWindowLongPtrA(wnd, GWL_STYLE);
  const LONG_PTR exStyle = ::GetWindowLongPtrA(wnd, GWL_EXSTYLE);
  if (style & WS_CHILD) {
    ::IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    UINT edge = 0, flags = 0;
    if (exStyle & WS_EX_CLIENTEDGE) {
      edge = EDGE_SUNKEN;
      flags = BF_RECT | BF_ADJUST;
    } else if (style & WS_BORDER) {
      edge = BDR_OUTER;
      flags = BF_RECT | BF_ADJUST | BF_MONO;
    }
    if (flags) {
      RECT r{0, 0, FWidth, FHeight};
      ::DrawEdge(DC, &r, edge, flags);
      MoveWindowOrg(DC, r.left, r.top);
      ::IntersectClipRect(DC, 0, 0, r.right - r.left, r.bottom - r.top);
    }
  } else {
    const TRect client = GetClientRect();
    ::IntersectClipRect(DC, 0, 0, client.Right, client.Bottom);
  }
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (TWinControl* child : FWinControls)
    if (child->FVisible) child->PaintTo(DC, child->FLeft, child->FTop);
}

void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

// WParam 1: a child asks its parents to repaint what shows through it.
void TWinControl::CMInvalidate(TMessage& Message) {
  if (!FHandle) return;
  if (FParent) FParent->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam == 0) ::InvalidateRect(FHandle, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle) ::UpdateWindow(FHandle);
}

// --- Cursor ---------------------------------------------------------------------------------------------

void TWinControl::WMSetCursor(TMessage& Message) {
  const TWMSetCursor m{Message};
  if (m.CursorWnd() == FHandle && m.HitTest() == HTCLIENT) {
    TCursor cursor = Screen->GetCursor();
    if (cursor == crDefault) {
      POINT p;
      ::GetCursorPos(&p);
      if (TControl* control = ControlAtPos(ScreenToClient(Point(p.x, p.y)), false)) cursor = control->FCursor;
      if (cursor == crDefault) cursor = FCursor;
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen->GetCursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// --- Mouse ------------------------------------------------------------------------------------------------

void TWinControl::WMMouseLeave(TMessage& Message) {
  FTrackingMouse = false;
  Application->DoMouseIdle();
  DefaultHandler(Message);
}

void TWinControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  const TPoint pos = TWMContextMenu{Message}.Pos();
  if (pos.X != -1 || pos.Y != -1) {
    if (TControl* control = ControlAtPos(ScreenToClient(pos), false))
      Message.Result = control->Perform(WM_CONTEXTMENU, 0, Message.LParam);
  }
  if (Message.Result == 0) TControl::Dispatch(Message);
}

// --- Focus and Tab order --------------------------------------------------------------------------

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TWinControl* control = this; control != form; control = control->FParent) {
    if (!control) return false;
    if (!(control->FVisible && control->GetEnabled())) return false;
  }
  return true;
}

bool TWinControl::Focused() const { return FHandle && ::GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
  } else if (FParentWindow) {
    ::SetFocus(GetHandle());
  } else {
    ValidParentForm(this);
  }
}

void TWinControl::RemoveFocus(bool Removing) {
  if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, Removing);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

TTabOrder TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto it = std::find(FParent->FTabList.begin(), FParent->FTabList.end(), this);
  return it == FParent->FTabList.end() ? TTabOrder(-1) : TTabOrder(it - FParent->FTabList.begin());
}

void TWinControl::SetTabOrder(TTabOrder Value) { UpdateTabOrder(Value); }

void TWinControl::UpdateTabOrder(TTabOrder Value) {
  const TTabOrder current = GetTabOrder();
  if (current < 0) return;
  auto& list = FParent->FTabList;
  const auto count = TTabOrder(list.size());
  if (Value < 0) Value = 0;
  if (Value >= count) Value = TTabOrder(count - 1);
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == FTabStop) return;
  FTabStop = Value;
  if (FHandle) {
    LONG_PTR style = ::GetWindowLongPtrA(FHandle, GWL_STYLE);
    style = Value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP));
    ::SetWindowLongPtrA(FHandle, GWL_STYLE, style);
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::CMTabStopChanged(TMessage&) {}

void TWinControl::GetTabOrderList(TList* List) {
  for (TWinControl* control : FTabList) {
    List->Add(control);
    control->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  TList list;
  GetTabOrderList(&list);
  const Integer count = list.GetCount();
  if (count == 0) return nullptr;
  Integer start = list.IndexOf(CurControl);
  if (start < 0) start = GoForward ? count - 1 : 0;
  Integer i = start;
  do {
    if (GoForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    auto* control = static_cast<TWinControl*>(list[i]);
    if (control->CanFocus() && (!CheckTabStop || control->FTabStop) && (!CheckParent || control->FParent == this))
      return control;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }

void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

// --- Keyboard ----------------------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

// The form sees the key first when it previews keys; a handler that clears the key consumes it.
bool TWinControl::DoKey(TMessage& Message, bool (TWinControl::*Preview)(TMessage&),
                        void (TWinControl::*Handler)(Word&, TShiftState)) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && (static_cast<TWinControl*>(form)->*Preview)(Message))
    return true;
  if (!ControlStyle.Contains(csNoStdEvents)) {
    TWMKey key{Message};
    Word code = key.CharCode();
    (this->*Handler)(code, KeyDataToShiftState(key.KeyData()));
    key.SetCharCode(code);
    if (code == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyDown(TMessage& Message) { return DoKey(Message, &TWinControl::DoKeyDown, &TWinControl::KeyDown); }

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(Message))
    return true;
  if (!ControlStyle.Contains(csNoStdEvents)) {
    TWMKey key{Message};
    char ch = char(key.CharCode());
    KeyPress(ch);
    key.SetCharCode(Word(Byte(ch)));
    if (ch == '\0') return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) { return DoKey(Message, &TWinControl::DoKeyUp, &TWinControl::KeyUp); }

void TWinControl::WMKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}

// Alt and a letter: an accelerator of a control of the form (a label, a button) goes before the
// menu bar's.
void TWinControl::WMSysCommand(TMessage& Message) {
  const TWMSysCommand m{Message};
  if ((m.CmdType() & 0xFFF0) == SC_KEYMENU && m.Key() != VK_SPACE && m.Key() != '-' && !::IsIconic(FHandle) &&
      ::GetCapture() == nullptr) {
    TCustomForm* form = GetParentForm(this);
    if (form && Application->GetMainForm() != form && form->Perform(CM_DIALOGCHAR, m.Key(), 0x20000000) != 0) return;
  }
  DefaultHandler(Message);
}

bool TWinControl::IsMenuKey(TMessage& Message) {
  for (TControl* control = this; control; control = control->GetParent()) {
    TPopupMenu* menu = control->FPopupMenu;
    if (menu && menu->GetOwner() && menu->IsShortCut(Message)) return true;
  }
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(Message)) return true;
  return ::SendMessageA(Application->GetHandle(), CM_APPKEYDOWN, Message.WParam, Message.LParam) != 0;
}

// Before the key reaches the focused control: its menu shortcuts, then - unless the control
// wants the key itself (WM_GETDLGCODE) - the form's dialog keys: Tab, the arrows, Enter and
// Escape.
void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  TWMKey key{Message};
  if (Perform(CM_CHILDKEY, key.CharCode(), reinterpret_cast<LPARAM>(this)) != 0) return;
  UINT mask = 0;
  switch (key.CharCode()) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, key.CharCode(), key.KeyData()) == 0 &&
      (UINT(Perform(WM_GETDLGCODE, 0, 0)) & mask) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key.CharCode(), key.KeyData()) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  TWMKey key{Message};
  if ((UINT(Perform(WM_GETDLGCODE, 0, 0)) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, key.CharCode(), key.KeyData()) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  TWMKey key{Message};
  if (Perform(CM_CHILDKEY, key.CharCode(), reinterpret_cast<LPARAM>(this)) != 0) return;
  TCustomForm* form = GetParentForm(this);
  if (form && form->Perform(CM_DIALOGKEY, key.CharCode(), key.KeyData()) != 0) return;
  Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message) {
  TWMKey key{Message};
  Message.Result = 0;
  if (key.CharCode() == VK_SPACE) return;
  if (TCustomForm* form = GetParentForm(this))
    Message.Result = form->Perform(CM_DIALOGCHAR, key.CharCode(), key.KeyData());
}

void TWinControl::CMChildKey(TMessage& Message) { Message.Result = 0; }

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

// --- Property-change notifications -------------------------------------------------------------------

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!GetEnabled() && FParent) RemoveFocus(false);
  if (FHandle) ::EnableWindow(FHandle, GetEnabled());
  Invalidate();
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::Dispatch(Message);
  FBrush->SetColor(FColor);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::Dispatch(Message);
  if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::SetCtl3D(bool Value) {
  if (Value == FCtl3D && !FParentCtl3D) return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (Value == FParentCtl3D) return;
  FParentCtl3D = Value;
  if (FParent && Value) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMParentCtl3DChanged(TMessage& Message) {
  if (!FParentCtl3D) return;
  if (Message.WParam != 0)
    SetCtl3D(Message.LParam != 0);
  else if (FParent)
    SetCtl3D(FParent->FCtl3D);
  FParentCtl3D = true;
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyControls(CM_PARENTCTL3DCHANGED); }

void TWinControl::CMSysColorChange(TMessage& Message) {
  TControl::Dispatch(Message);
  Broadcast(Message);
}

void TWinControl::CMBiDiModeChanged(TMessage&) { NotifyControls(CM_PARENTBIDIMODECHANGED); }

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }
