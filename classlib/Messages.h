// Window messages as the class library handles them: the message record every window procedure
// and handler receives, typed views of its parameters for the common messages, and the class
// library's own messages.
//
// CM_* messages are notifications between controls of the class library (a property changed,
// the mouse entered a control, a dialog key is looking for a taker). CN_* messages are the
// notifications Windows sends to a parent (WM_COMMAND, WM_DRAWITEM, ...) reflected back to the
// child control they are about, so that each control handles its own notifications.
#pragma once

#include <cstdint>

#include "classlib/WinApi.h"

// A signed integer as wide as a pointer: message parameters that carry handles or pointers.
using NativeInt = std::intptr_t;

// One message on its way through a window procedure: what Windows passed, and the result that
// goes back.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  Word WParamLo() const noexcept { return LOWORD(WParam); }
  Word WParamHi() const noexcept { return HIWORD(WParam); }
  Word LParamLo() const noexcept { return LOWORD(LParam); }
  Word LParamHi() const noexcept { return HIWORD(LParam); }
};

// --- The class library's own messages ------------------------------------------------------------

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr UINT CM_CHANGED = CM_BASE + 55;
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
// A character typed into a control whose window takes characters as UTF-16 (TCreateParams'
// UnicodeChars): wParam one UTF-16 unit (a pair comes as two), lParam the key data. A result
// other than 0 means the control took it; otherwise it arrives as WM_CHAR in the ANSI code page.
constexpr UINT CM_UNICODECHAR = CM_BASE + 69;

// Notifications reflected from the parent to the child control they concern: the number of
// the original message plus CN_BASE. The keyboard messages are sent this way by the message
// loop before the message itself is dispatched, so that menus, dialog keys and accelerators
// get the first look.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// --- Typed views of the parameters ----------------------------------------------------------------
//
// Each record is a view over the TMessage it is made from ({Message}): its accessors read the
// message's parameters and the setters write them back, so that a handler that changes a key
// code changes what the rest of the message's way sees. The result is Message.Result.

struct TWMKey {
  TMessage& Message;
  Word CharCode() const noexcept { return Word(Message.WParam); }
  void SetCharCode(Word Value) noexcept { Message.WParam = Value; }
  // Repeat count, scan code and the flags of the key message (bit 29: Alt held).
  Integer KeyData() const noexcept { return Integer(Message.LParam); }
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMSysChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

struct TWMMouse {
  TMessage& Message;
  // MK_* flags of the buttons and keys held.
  Word Keys() const noexcept { return Word(Message.WParam); }
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
  TPoint Pos() const noexcept { return {XPos(), YPos()}; }
  void SetPos(TPoint P) noexcept { Message.LParam = MAKELPARAM(Word(SmallInt(P.X)), Word(SmallInt(P.Y))); }
};
using TWMLButtonDown = TWMMouse;
using TWMMouseMove = TWMMouse;

// WM_MOUSEWHEEL and CM_MOUSEWHEEL: the position is in screen coordinates.
struct TWMMouseWheel {
  TMessage& Message;
  Word Keys() const noexcept { return LOWORD(Message.WParam); }
  SmallInt WheelDelta() const noexcept { return SmallInt(HIWORD(Message.WParam)); }
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
  TPoint Pos() const noexcept { return {XPos(), YPos()}; }
};

struct TWMSize {
  TMessage& Message;
  Cardinal SizeType() const noexcept { return Cardinal(Message.WParam); }  // SIZE_RESTORED, SIZE_MINIMIZED, ...
  Word Width() const noexcept { return LOWORD(Message.LParam); }
  Word Height() const noexcept { return HIWORD(Message.LParam); }
};

struct TWMMove {
  TMessage& Message;
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
};

struct TWMCommand {
  TMessage& Message;
  Word ItemID() const noexcept { return LOWORD(Message.WParam); }
  Word NotifyCode() const noexcept { return HIWORD(Message.WParam); }
  HWND Ctl() const noexcept { return reinterpret_cast<HWND>(Message.LParam); }
};

struct TWMNotify {
  TMessage& Message;
  WPARAM IDCtrl() const noexcept { return Message.WParam; }
  NMHDR* NMHdr() const noexcept { return reinterpret_cast<NMHDR*>(Message.LParam); }
};

struct TWMDrawItem {
  TMessage& Message;
  UINT Ctl() const noexcept { return UINT(Message.WParam); }
  DRAWITEMSTRUCT* DrawItemStruct() const noexcept { return reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam); }
};

struct TWMMeasureItem {
  TMessage& Message;
  UINT IDCtl() const noexcept { return UINT(Message.WParam); }
  MEASUREITEMSTRUCT* MeasureItemStruct() const noexcept {
    return reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  }
};

struct TWMCompareItem {
  TMessage& Message;
  UINT Ctl() const noexcept { return UINT(Message.WParam); }
  COMPAREITEMSTRUCT* CompareItemStruct() const noexcept {
    return reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
  }
};

struct TWMDeleteItem {
  TMessage& Message;
  UINT Ctl() const noexcept { return UINT(Message.WParam); }
  DELETEITEMSTRUCT* DeleteItemStruct() const noexcept { return reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam); }
};

// WM_PAINT: DC is set when the painting goes into a given context (PaintTo, WM_PRINTCLIENT).
struct TWMPaint {
  TMessage& Message;
  HDC DC() const noexcept { return reinterpret_cast<HDC>(Message.WParam); }
};

struct TWMEraseBkgnd {
  TMessage& Message;
  HDC DC() const noexcept { return reinterpret_cast<HDC>(Message.WParam); }
};

struct TWMSetFocus {
  TMessage& Message;
  HWND FocusedWnd() const noexcept { return reinterpret_cast<HWND>(Message.WParam); }
};
using TWMKillFocus = TWMSetFocus;

struct TWMActivate {
  TMessage& Message;
  Word Active() const noexcept { return LOWORD(Message.WParam); }  // WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE
  bool Minimized() const noexcept { return HIWORD(Message.WParam) != 0; }
  HWND ActiveWindow() const noexcept { return reinterpret_cast<HWND>(Message.LParam); }
};

struct TWMActivateApp {
  TMessage& Message;
  bool Active() const noexcept { return Message.WParam != 0; }
  DWORD ThreadId() const noexcept { return DWORD(Message.LParam); }
};

struct TWMSysCommand {
  TMessage& Message;
  UINT CmdType() const noexcept { return UINT(Message.WParam); }
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
  // For SC_KEYMENU: the character typed with Alt.
  Word Key() const noexcept { return LOWORD(Message.LParam); }
};

struct TWMSetCursor {
  TMessage& Message;
  HWND CursorWnd() const noexcept { return reinterpret_cast<HWND>(Message.WParam); }
  SmallInt HitTest() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  Word MouseMsg() const noexcept { return HIWORD(Message.LParam); }
};

struct TWMNCHitTest {
  TMessage& Message;
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
};

// WM_HSCROLL, WM_VSCROLL and their CN_ reflections.
struct TWMScroll {
  TMessage& Message;
  SmallInt ScrollCode() const noexcept { return SmallInt(LOWORD(Message.WParam)); }
  SmallInt Pos() const noexcept { return SmallInt(HIWORD(Message.WParam)); }
  HWND ScrollBar() const noexcept { return reinterpret_cast<HWND>(Message.LParam); }
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

struct TWMCtlColor {
  TMessage& Message;
  HDC ChildDC() const noexcept { return reinterpret_cast<HDC>(Message.WParam); }
  HWND ChildWnd() const noexcept { return reinterpret_cast<HWND>(Message.LParam); }
};

struct TWMContextMenu {
  TMessage& Message;
  HWND hWnd() const noexcept { return reinterpret_cast<HWND>(Message.WParam); }
  // Screen coordinates; both -1 when the menu was asked for from the keyboard.
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
  TPoint Pos() const noexcept { return {XPos(), YPos()}; }
};

struct TWMTimer {
  TMessage& Message;
  UINT_PTR TimerID() const noexcept { return Message.WParam; }
};

struct TWMWindowPosMsg {
  TMessage& Message;
  WINDOWPOS* WindowPos() const noexcept { return reinterpret_cast<WINDOWPOS*>(Message.LParam); }
};
using TWMWindowPosChanged = TWMWindowPosMsg;
using TWMWindowPosChanging = TWMWindowPosMsg;

struct TWMGetMinMaxInfo {
  TMessage& Message;
  MINMAXINFO* MinMaxInfo() const noexcept { return reinterpret_cast<MINMAXINFO*>(Message.LParam); }
};

struct TWMInitMenuPopup {
  TMessage& Message;
  HMENU MenuPopup() const noexcept { return reinterpret_cast<HMENU>(Message.WParam); }
  Word Pos() const noexcept { return LOWORD(Message.LParam); }
  bool SystemMenu() const noexcept { return HIWORD(Message.LParam) != 0; }
};

struct TWMMenuSelect {
  TMessage& Message;
  Word IDItem() const noexcept { return LOWORD(Message.WParam); }
  Word MenuFlag() const noexcept { return HIWORD(Message.WParam); }
  HMENU Menu() const noexcept { return reinterpret_cast<HMENU>(Message.LParam); }
};

struct TWMHelp {
  TMessage& Message;
  HELPINFO* HelpInfo() const noexcept { return reinterpret_cast<HELPINFO*>(Message.LParam); }
};

struct TWMSetText {
  TMessage& Message;
  const char* Text() const noexcept { return reinterpret_cast<const char*>(Message.LParam); }
};

struct TWMGetText {
  TMessage& Message;
  Integer TextMax() const noexcept { return Integer(Message.WParam); }
  char* Text() const noexcept { return reinterpret_cast<char*>(Message.LParam); }
};

struct TWMNCCalcSize {
  TMessage& Message;
  bool CalcValidRects() const noexcept { return Message.WParam != 0; }
  NCCALCSIZE_PARAMS* CalcSize_Params() const noexcept { return reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam); }
};

// CM_HITTEST: the point is in client coordinates; a non-zero result claims it.
struct TCMHitTest {
  TMessage& Message;
  SmallInt XPos() const noexcept { return SmallInt(LOWORD(Message.LParam)); }
  SmallInt YPos() const noexcept { return SmallInt(HIWORD(Message.LParam)); }
  TPoint Pos() const noexcept { return {XPos(), YPos()}; }
};
