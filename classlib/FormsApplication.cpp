// TApplication: the application window, the message loop, key routing, hints, help and
// exceptions; and the Application and Screen objects.
#include <algorithm>

#include "classlib/ActnList.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "classlib/Menus.h"
#include "classlib/Threads.h"
#include "classlib/Timers.h"

namespace {

constexpr char kApplicationClass[] = "TApplication";
constexpr UINT_PTR kHintTimer = 1;
constexpr int kHintShow = 1;
constexpr int kHintHide = 2;

void ApplicationExceptionHook(TObject* Sender) {
  if (Application) Application->HandleException(Sender);
}

// The top-most visible and enabled window of this thread other than the application window.
HWND TopMostThreadWindow() {
  HWND found = nullptr;
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (w == Application->GetHandle()) continue;
    if (::GetWindowThreadProcessId(w, nullptr) != ::GetCurrentThreadId()) continue;
    if (::IsWindowVisible(w) && ::IsWindowEnabled(w)) {
      found = w;
      break;
    }
  }
  return found;
}

// How far below the mouse's hot spot the cursor reaches, so that a hint does not cover it.
Integer CursorHeightMargin() {
  ICONINFO info{};
  if (HCURSOR cursor = ::GetCursor(); cursor && ::GetIconInfo(cursor, &info)) {
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return ::GetSystemMetrics(SM_CYCURSOR) - Integer(info.yHotspot);
  }
  return ::GetSystemMetrics(SM_CYCURSOR);
}

// HtmlHelpA, loaded when first needed: a ".chm" help file is opened with it.
using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
HtmlHelpProc HtmlHelpFunction() {
  static HtmlHelpProc proc = [] {
    HMODULE module = ::LoadLibraryA("hhctrl.ocx");
    return module ? reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpA")))
                  : nullptr;
  }();
  return proc;
}

}  // namespace

// The classes a form stream may name among a form's components.
const bool g_formClassesRegistered = [] {
  RegisterClasses({TForm::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass(),
                   TMenuItem::StaticClass(), TTimer::StaticClass(), TActionList::StaticClass(),
                   TAction::StaticClass(), TEditCut::StaticClass(), TEditCopy::StaticClass(),
                   TEditPaste::StaticClass(), TEditSelectAll::StaticClass(), TEditUndo::StaticClass(),
                   TEditDelete::StaticClass()});
  return true;
}();

// The application and screen objects, made while the program starts so that they exist
// before any form; they live as long as the process.
TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

// --- Construction ---------------------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  // The title is the program's file name without its extension.
  AnsiString name = ExtractFileName(GetExeName());
  const auto dot = name.find('.');
  if (dot != AnsiString::npos) name.erase(dot);
  if (name.size() > 1) ::CharLowerBuffA(name.data() + 1, DWORD(name.size() - 1));
  FTitle = name;
  FIcon = new TIcon;
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (HICON icon = ::LoadIconA(instance, "MAINICON")) FIcon->SetHandle(icon);

  WNDCLASSA wc{};
  if (!::GetClassInfoA(instance, kApplicationClass, &wc)) {
    wc = WNDCLASSA{};
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconA(instance, "MAINICON");
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = kApplicationClass;
    ::RegisterClassA(&wc);
  }
  // A window of no size in the middle of the screen: it owns the forms, stands for the program
  // in the task bar and is what another copy of the program finds by class and title.
  FHandle = ::CreateWindowExA(0, kApplicationClass, FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                              nullptr, instance, nullptr);
  FObjectInstance = MakeObjectInstance(TWndMethod(this, &TApplication::WndProc));
  ::SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
  ApplicationHandleException = &ApplicationExceptionHook;
}

TApplication::~TApplication() {
  ApplicationHandleException = nullptr;
  CancelHint();
  if (FHandle) ::DestroyWindow(FHandle);
  FreeObjectInstance(FObjectInstance);
  delete FIcon;
}

AnsiString TApplication::GetExeName() const {
  char path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return AnsiString(path, n);
}

void TApplication::SetTitle(const AnsiString& Value) {
  FTitle = Value;
  if (FHandle) ::SetWindowTextA(FHandle, Value.c_str());
}

void TApplication::SetIcon(TIcon* Value) {
  FIcon->Assign(Value);
  if (FHandle) ::SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon->GetHandle()));
}

void TApplication::FormCreated(TCustomForm* Form) {
  if (!FMainForm)
    if (auto* form = dynamic_cast<TForm*>(Form)) {
      form->HandleNeeded();
      FMainForm = form;
    }
  Form->AfterConstruction();
}

// --- The message loop ----------------------------------------------------------------------------------

bool TApplication::ProcessMessage(MSG& Msg) {
  // A Unicode window's messages are taken and dispatched as UTF-16, so that its characters
  // keep what the ANSI code page cannot hold.
  if (!::PeekMessageA(&Msg, nullptr, 0, 0, PM_NOREMOVE)) return false;
  const bool unicode = Msg.hwnd && ::IsWindowUnicode(Msg.hwnd);
  if (!(unicode ? ::PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE) : ::PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)))
    return false;
  if (Msg.message == WM_QUIT) {
    FTerminate = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  if (!IsHintMsg(Msg) && !handled && !IsKeyMsg(Msg) && !IsDlgMsg(Msg)) {
    ::TranslateMessage(&Msg);
    if (unicode)
      ::DispatchMessageW(&Msg);
    else
      ::DispatchMessageA(&Msg);
  }
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

// Nothing to do: the control under the mouse and the hint are brought up to date, OnIdle runs,
// the actions are updated, workers waiting in Synchronize are served, and then the thread
// sleeps until a message arrives.
void TApplication::Idle(const MSG&) {
  TControl* control = DoMouseIdle();
  if (FShowHint && !FMouseControl) CancelHint();
  AnsiString hint;
  for (TControl* c = control; c; c = c->GetParent())
    if (!c->GetHint().empty()) {
      hint = c->GetHint();
      break;
    }
  SetHint(GetLongHint(hint));
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
    if (done) DoActionIdle();
  } catch (...) {
    HandleException(this);
  }
  if (::GetCurrentThreadId() == MainThreadID && CheckSynchronize()) done = false;
  if (done) ::WaitMessage();
}

void TApplication::DoActionIdle() {
  for (Integer i = 0; i < Screen->GetCustomFormCount(); ++i) {
    TCustomForm* form = Screen->GetCustomForms(i);
    if (!form->GetShowing()) continue;
    for (Integer j = 0; j < form->GetComponentCount(); ++j)
      if (auto* list = dynamic_cast<TCustomActionList*>(form->GetComponents(j))) list->UpdateActions();
  }
}

void TApplication::Run() {
  {
    FRunning = true;
    ScopeExit running([this] { FRunning = false; });
    if (FMainForm) {
      STARTUPINFOA startup{};
      startup.cb = sizeof(startup);
      ::GetStartupInfoA(&startup);
      if (startup.dwFlags & STARTF_USESHOWWINDOW) {
        if (startup.wShowWindow == SW_SHOWMINNOACTIVE || startup.wShowWindow == SW_SHOWMINIMIZED)
          FMainForm->FWindowState = wsMinimized;
        else if (startup.wShowWindow == SW_SHOWMAXIMIZED)
          FMainForm->SetWindowState(wsMaximized);
      }
      if (FShowMainForm) {
        if (FMainForm->FWindowState == wsMinimized) {
          FMainForm->FWindowState = wsNormal;
          FMainForm->SetVisible(true);
          Minimize();
        } else {
          FMainForm->SetVisible(true);
        }
      }
      while (!FTerminate) {
        try {
          HandleMessage();
        } catch (...) {
          HandleException(this);
        }
      }
    }
  }
  // What the end of the program would do: the forms go while the rest of the program still
  // stands, so that their OnDestroy handlers can save what they keep.
  SetShowHint(false);
  DestroyComponents();
}

void TApplication::Terminate() { ::PostQuitMessage(0); }

bool TApplication::IsHintMsg(MSG& Msg) {
  if (FHintWindow && FHintWindow->IsHintMsg(Msg)) CancelHint();
  return false;
}

// Keys go first to the control under the focus as CN_ messages, so that menu shortcuts,
// dialog keys (Tab, Enter, Escape, the arrows) and accelerators are handled before the control
// sees the key itself.
bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  if (DragControl() && Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
    CancelDrag();
    return true;
  }
  HWND wnd = ::GetCapture();
  if (!wnd) {
    wnd = Msg.hwnd;
    while (wnd && !IsVCLControl(wnd)) wnd = ::GetParent(wnd);
    if (!wnd) return false;
    return ::SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
  }
  if (IsVCLControl(wnd)) return ::SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
  return false;
}

bool TApplication::IsDlgMsg(MSG& Msg) {
  if (!FDialogHandle) return false;
  return ::IsDialogMessageA(FDialogHandle, &Msg) != FALSE;
}

bool TApplication::IsShortCut(TMessage& Message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(Message, handled);
  if (handled) return true;
  return FMainForm && FMainForm->HandleAllocated() && ::IsWindowEnabled(FMainForm->GetHandle()) &&
         FMainForm->IsShortCut(Message);
}

// --- The application window ------------------------------------------------------------------------------

void TApplication::WndProc(TMessage& Message) {
  try {
    Message.Result = 0;
    const std::vector<TWindowHook> hooks = FWindowHooks;
    for (const TWindowHook& hook : hooks)
      if (hook(Message)) return;
    auto callDefault = [&] {
      Message.Result = ::DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
    };
    switch (Message.Msg) {
      case WM_SYSCOMMAND:
        switch (Message.WParam & 0xFFF0) {
          case SC_MINIMIZE: Minimize(); break;
          case SC_RESTORE: Restore(); break;
          default: callDefault(); break;
        }
        break;
      case WM_CLOSE:
        if (FMainForm) FMainForm->Close();
        break;
      case WM_SETFOCUS:
        // Activating the application window (another program bringing this one forward)
        // passes the activation on to the top-most form.
        ::PostMessageA(FHandle, CM_ENTER, 0, 0);
        callDefault();
        break;
      case WM_ACTIVATEAPP:
        callDefault();
        FActive = Message.WParam != 0;
        ::PostMessageA(FHandle, FActive ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
        break;
      case CM_ENTER:
        // The top-most form is made the foreground window, not only given the focus: the
        // focus moves within this thread alone and leaves the foreground where it is. Between
        // the activation and this message the system may have given the foreground away
        // (Wine's X11 driver gives it to the desktop when it takes in a late focus change of
        // the X server), and the form would then be active and focused but never in front.
        if (!::IsIconic(FHandle) && ::GetFocus() == FHandle)
          if (HWND top = TopMostThreadWindow()) ::SetForegroundWindow(top);
        break;
      case CM_ACTIVATE:
        if (OnActivate) OnActivate(this);
        break;
      case CM_DEACTIVATE:
        if (OnDeactivate) OnDeactivate(this);
        break;
      case WM_CTLCOLORMSGBOX:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORDLG:
      case WM_CTLCOLORSCROLLBAR:
      case WM_CTLCOLORSTATIC:
        if (IsVCLControl(reinterpret_cast<HWND>(Message.LParam)))
          Message.Result = ::SendMessageA(reinterpret_cast<HWND>(Message.LParam), CN_BASE + Message.Msg,
                                          Message.WParam, Message.LParam);
        else
          callDefault();
        break;
      case WM_QUERYENDSESSION: Message.Result = (!FMainForm || FMainForm->CloseQuery()) ? 1 : 0; break;
      case WM_ENDSESSION:
        if (Message.WParam) FTerminate = true;
        break;
      case WM_TIMER:
        if (Message.WParam == kHintTimer) HintTimerExpired();
        break;
      case CM_APPKEYDOWN: Message.Result = IsShortCut(Message) ? 1 : 0; break;
      case CM_APPSYSCOMMAND:
        if (FMainForm && FMainForm->HandleAllocated() && ::IsWindowEnabled(FMainForm->GetHandle()) &&
            ::IsWindowVisible(FMainForm->GetHandle())) {
          HWND saveFocus = ::GetFocus();
          ::SetFocus(FMainForm->GetHandle());
          FMainForm->Perform(WM_SYSCOMMAND, Message.WParam, Message.LParam);
          ::SetFocus(saveFocus);
          Message.Result = 1;
        }
        break;
      case CM_ACTIONEXECUTE:
      case CM_ACTIONUPDATE: {
        TCustomForm* form = Screen->GetActiveCustomForm();
        if ((form && form->Perform(Message.Msg, 0, Message.LParam) == 1) ||
            (FMainForm && static_cast<TCustomForm*>(FMainForm) != form &&
             FMainForm->Perform(Message.Msg, 0, Message.LParam) == 1))
          Message.Result = 1;
        break;
      }
      case WM_HELP:
      case CM_INVOKEHELP: InvokeHelp(Integer(Message.WParam), NativeInt(Message.LParam)); break;
      case WM_NULL: CheckSynchronize(); break;
      case CM_DIALOGHANDLE:
        if (Message.WParam == 1)
          Message.Result = reinterpret_cast<LRESULT>(FDialogHandle);
        else
          FDialogHandle = reinterpret_cast<HWND>(Message.LParam);
        break;
      case WM_SETTINGCHANGE:
      case WM_FONTCHANGE:
        Screen->ResetFonts();
        callDefault();
        break;
      default: callDefault(); break;
    }
  } catch (...) {
    HandleException(this);
  }
}

void TApplication::HookMainWindow(TWindowHook Hook) { FWindowHooks.push_back(Hook); }

void TApplication::UnhookMainWindow(TWindowHook Hook) {
  auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook);
  if (it != FWindowHooks.end()) FWindowHooks.erase(it);
}

// The application window is shown (of no size, for the task bar) while a form is visible.
void TApplication::UpdateVisible() {
  if (!FHandle) return;
  bool visible = false;
  for (Integer i = 0; i < Screen->GetFormCount() && !visible; ++i) {
    TForm* form = Screen->GetForms(i);
    if (form->GetVisible() && (!form->GetParentWindow() || !::IsWindowVisible(form->GetParentWindow())))
      visible = true;
  }
  if ((::IsWindowVisible(FHandle) != FALSE) != visible)
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::Minimize() {
  if (::IsIconic(FHandle)) return;
  ::SetActiveWindow(FHandle);
  ::ShowWindow(FHandle, SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!::IsIconic(FHandle)) return;
  ::SetActiveWindow(FHandle);
  ::ShowWindow(FHandle, SW_RESTORE);
  if (TWinControl* control = Screen->GetActiveControl(); control && control->HandleAllocated())
    ::SetFocus(control->GetHandle());
  else if (HWND top = TopMostThreadWindow())
    ::SetFocus(top);
  if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
  if (!FHandle) return;
  HWND top = ::GetLastActivePopup(FHandle);
  if (!top || top == FHandle) top = TopMostThreadWindow();
  if (top && ::IsWindowVisible(top) && ::IsWindowEnabled(top)) ::SetForegroundWindow(top);
}

// --- Exceptions ------------------------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  if (!std::current_exception()) return;
  if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
  auto report = [&](Exception& e) {
    if (OnException)
      OnException(Sender, &e);
    else
      ShowException(&e);
  };
  try {
    throw;
  } catch (EAbort&) {
  } catch (Exception& e) {
    report(e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    report(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    report(wrapped);
  }
}

void TApplication::ShowException(Exception* E) {
  AnsiString message = E->Message;
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  MessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, Integer Flags) {
  HWND active = ::GetActiveWindow();
  const TTaskWindowList windows = DisableTaskWindows(nullptr);
  Integer result = 0;
  {
    ScopeExit enable([&windows] { EnableTaskWindows(windows); });
    result = ::MessageBoxA(active ? active : FHandle, Text.c_str(), Caption.c_str(), UINT(Flags));
  }
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
  return result;
}

// --- Help -----------------------------------------------------------------------------------------------

AnsiString TApplication::GetCurrentHelpFile() const {
  if (TForm* form = Screen->GetActiveForm(); form && !form->GetHelpFile().empty()) return form->GetHelpFile();
  return FHelpFile;
}

bool TApplication::DoOnHelp(Integer Command, NativeInt Data, bool& CallHelp) {
  CallHelp = true;
  if (TForm* form = Screen->GetActiveForm(); form && form->OnHelp) return form->OnHelp(Word(Command), Data, CallHelp);
  if (OnHelp) return OnHelp(Word(Command), Data, CallHelp);
  return false;
}

// A ".chm" file opens in the HTML help viewer at the topic of the context number; other help
// files go to WinHelp.
bool TApplication::HelpCommand(Integer Command, NativeInt Data) {
  bool callHelp = true;
  bool result = DoOnHelp(Command, Data, callHelp);
  if (!callHelp) return result;
  const AnsiString file = GetCurrentHelpFile();
  if (file.empty()) return false;
  HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->GetHandle() : FHandle;
  if (SameText(ExtractFileExt(file), ".chm")) {
    HtmlHelpProc htmlHelp = HtmlHelpFunction();
    if (!htmlHelp) return false;
    switch (Command) {
      case HELP_CONTEXT:
      case HELP_CONTEXTPOPUP: return htmlHelp(owner, file.c_str(), 0x000F /* HH_HELP_CONTEXT */, DWORD_PTR(Data)) != nullptr;
      case HELP_QUIT: htmlHelp(nullptr, nullptr, 0x0012 /* HH_CLOSE_ALL */, 0); return true;
      default: return htmlHelp(owner, file.c_str(), 0x0000 /* HH_DISPLAY_TOPIC */, 0) != nullptr;
    }
  }
  return ::WinHelpA(owner, file.c_str(), UINT(Command), ULONG_PTR(Data)) != FALSE;
}

bool TApplication::HelpContext(THelpContext Context) { return HelpCommand(HELP_CONTEXT, Context); }

bool TApplication::HelpJump(const AnsiString& JumpID) {
  bool callHelp = true;
  bool result = DoOnHelp(HELP_COMMAND, reinterpret_cast<NativeInt>(JumpID.c_str()), callHelp);
  if (!callHelp) return result;
  const AnsiString command = "JumpID(\"\",\"" + JumpID + "\")";
  return HelpCommand(HELP_COMMAND, reinterpret_cast<NativeInt>(command.c_str()));
}

bool TApplication::InvokeHelp(Integer Command, NativeInt Data) { return HelpCommand(Command, Data); }

// --- Actions ---------------------------------------------------------------------------------------------

bool TApplication::ExecuteAction(TBasicAction* Action) {
  return OnActionExecute && OnActionExecute(Action);
}

bool TApplication::UpdateAction(TBasicAction* Action) { return OnActionUpdate && OnActionUpdate(Action); }

// --- The mouse and hints --------------------------------------------------------------------------------

TControl* TApplication::DoMouseIdle() {
  POINT p;
  ::GetCursorPos(&p);
  TControl* result = FindDragTarget(Point(p.x, p.y), true);
  TControl* capture = GetCaptureControl();
  if (FMouseControl != result) {
    if ((FMouseControl && !capture) || (capture && FMouseControl == capture))
      FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
    FMouseControl = result;
    if ((FMouseControl && !capture) || (capture && FMouseControl == capture))
      FMouseControl->Perform(CM_MOUSEENTER, 0, 0);
  }
  return result;
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (static_cast<TControl*>(FMainForm) == Control) FMainForm = nullptr;
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FHintControl == Control) {
    FHintControl = nullptr;
    CancelHint();
  }
  if (static_cast<TControl*>(Screen->FActiveControl) == Control) Screen->FActiveControl = nullptr;
  if (static_cast<TControl*>(Screen->FLastActiveControl) == Control) Screen->FLastActiveControl = nullptr;
}

void TApplication::SetHint(const AnsiString& Value) {
  if (Value == FHint) return;
  FHint = Value;
  if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool Value) {
  if (Value == FShowHint) return;
  FShowHint = Value;
  if (!Value) {
    CancelHint();
    if (FHintWindow) FreeAndNil(FHintWindow);
  }
}

void TApplication::StartHintTimer(Integer Value, int Mode) {
  StopHintTimer();
  if (::SetTimer(FHandle, kHintTimer, UINT(Value), nullptr)) FHintTimerMode = Mode;
}

void TApplication::StopHintTimer() {
  if (FHintTimerMode != 0) {
    ::KillTimer(FHandle, kHintTimer);
    FHintTimerMode = 0;
  }
}

void TApplication::HintTimerExpired() {
  const int mode = FHintTimerMode;
  StopHintTimer();
  if (mode == kHintShow) {
    POINT p;
    ::GetCursorPos(&p);
    ActivateHint(Point(p.x, p.y));
  } else {
    CancelHint();
  }
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->HandleAllocated() && ::IsWindowVisible(FHintWindow->GetHandle()))
    ::ShowWindow(FHintWindow->GetHandle(), SW_HIDE);
}

void TApplication::CancelHint() {
  if (!FHintControl) return;
  HideHint();
  FHintControl = nullptr;
  FHintActive = false;
  StopHintTimer();
}

// The control that shows a hint for a control: the control itself or the nearest parent whose
// ShowHint is on.
static TControl* GetHintControl(TControl* Control) {
  while (Control && !Control->GetShowHint()) Control = Control->GetParent();
  return Control;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (!FShowHint) return;
  const TPoint pos = Control->ClientToScreen(TWMMouse{Message}.Pos());
  TControl* hintControl = GetHintControl(FindDragTarget(pos, true));
  if (!hintControl) {
    CancelHint();
    return;
  }
  const bool inside = pos.X >= FHintCursorRect.Left && pos.X < FHintCursorRect.Right &&
                      pos.Y >= FHintCursorRect.Top && pos.Y < FHintCursorRect.Bottom;
  if (hintControl != FHintControl || !inside) {
    const bool wasActive = FHintActive;
    Integer pause = wasActive ? HintShortPause : HintPause;
    hintControl->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
    CancelHint();
    FHintActive = wasActive;
    FHintControl = hintControl;
    if (pause > 0)
      StartHintTimer(pause, kHintShow);
    else
      ActivateHint(pos);
  }
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  if (!FHintControl) return;
  THintInfo info;
  info.HintControl = FHintControl;
  info.HintWindowClass = THintWindow::StaticClass();
  info.HintPos = {CursorPos.X, CursorPos.Y + CursorHeightMargin()};
  info.HintMaxWidth = Screen->GetWidth();
  info.HintColor = HintColor;
  info.CursorRect = FHintControl->GetClientRect();
  info.CursorPos = FHintControl->ScreenToClient(CursorPos);
  AnsiString hint;
  for (TControl* c = FHintControl; c; c = c->GetParent())
    if (!c->GetHint().empty()) {
      hint = c->GetHint();
      break;
    }
  info.HintStr = GetShortHint(hint);
  info.ReshowTimeout = 0;
  info.HideTimeout = HintHidePause;
  bool canShow = FHintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  FHintActive = canShow && FHintControl;
  if (FHintActive && !info.HintStr.empty()) {
    if (!FHintWindow) FHintWindow = new THintWindow(this);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = {r.Left + info.HintPos.X, r.Top + info.HintPos.Y, r.Right + info.HintPos.X, r.Bottom + info.HintPos.Y};
    FHintWindow->SetColor(info.HintColor);
    FHintWindow->ActivateHint(r, info.HintStr);
    const TPoint topLeft = FHintControl->ClientToScreen(info.CursorRect.TopLeft());
    const TPoint bottomRight = FHintControl->ClientToScreen(info.CursorRect.BottomRight());
    FHintCursorRect = {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    if (info.ReshowTimeout > 0)
      StartHintTimer(info.ReshowTimeout, kHintShow);
    else
      StartHintTimer(info.HideTimeout, kHintHide);
    return;
  }
  if (info.ReshowTimeout > 0)
    StartHintTimer(info.ReshowTimeout, kHintShow);
  else
    CancelHint();
}
