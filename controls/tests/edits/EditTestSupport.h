// Keys for the tests of the edits, sent as the keyboard sends them: the modifier keys go down
// first and up last, with the keyboard state set to match, and every message is handled before
// the next is posted, so that the edit sees each key with the state it had.
#pragma once

#include <string>
#include <vector>

#include "classlib/Clipbrd.h"
#include "controls/VisCustomEdit.h"
#include "controls/tests/support/ControlForms.h"

namespace edit_test {

using namespace control_forms;

enum Modifier : unsigned { None = 0, Shift = 1, Ctrl = 2 };

inline void SetKeyState(int VirtualKey, bool Down) {
  BYTE state[256];
  ::GetKeyboardState(state);
  state[VirtualKey] = Down ? 0x80 : 0;
  ::SetKeyboardState(state);
}

inline void PostKey(UINT Msg, Word VirtualKey) {
  const UINT scan = ::MapVirtualKeyA(VirtualKey, 0);
  LPARAM data = LPARAM(1 | (scan << 16));
  if (Msg == WM_KEYUP) data |= LPARAM((1u << 30) | (1u << 31));
  ::PostMessageA(::GetFocus(), Msg, VirtualKey, data);
  Application->ProcessMessages();
}

// One key press with the modifiers held around it; a character key becomes WM_CHAR through the
// application's loop.
inline void Key(Word VirtualKey, unsigned Modifiers = None) {
  const auto modifier = [&](int vk, bool down) {
    SetKeyState(vk, down);
    PostKey(down ? WM_KEYDOWN : WM_KEYUP, Word(vk));
  };
  if (Modifiers & Shift) modifier(VK_SHIFT, true);
  if (Modifiers & Ctrl) modifier(VK_CONTROL, true);
  SetKeyState(VirtualKey, true);
  PostKey(WM_KEYDOWN, VirtualKey);
  SetKeyState(VirtualKey, false);
  PostKey(WM_KEYUP, VirtualKey);
  if (Modifiers & Ctrl) modifier(VK_CONTROL, false);
  if (Modifiers & Shift) modifier(VK_SHIFT, false);
}

// Each character typed with the key (and Shift) that gives it on the US keyboard.
inline void Type(const std::string& Text) {
  for (char c : Text) {
    const SHORT scan = ::VkKeyScanA(c);
    ASSERT_NE(scan, -1) << "no key types '" << c << "'";
    Key(Word(LOBYTE(scan)), (HIBYTE(scan) & 1) ? Shift : None);
  }
}

inline AnsiString ClipboardText() {
  return Clipboard()->HasFormat(CF_TEXT) ? Clipboard()->GetAsText() : AnsiString("(none)");
}

// The screen x of the boundary before the 1-based character index, in the edit's client area.
inline Integer XBefore(TVisBaseEdit* Edit, Integer Index) {
  return Integer(SmallInt(LOWORD(::SendMessageA(Edit->GetHandle(), EM_POSFROMCHAR, WPARAM(Index - 1), 0))));
}

// Watches for a popup menu of this thread while one opens: once it shows, its items are read
// and the keys are posted to it (Down moves to the next item that is no separator, Return
// chooses). A menu still open at the deadline is closed with Escape, so a test never hangs.
class MenuWatch {
public:
  struct Item {
    std::string caption;
    bool enabled;
  };

  explicit MenuWatch(std::vector<Word> Keys = {VK_ESCAPE}, DWORD TimeoutMs = 30000)
      : keys_(std::move(Keys)), deadline_(::GetTickCount() + TimeoutMs) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 20, &MenuWatch::Tick);
  }
  ~MenuWatch() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  MenuWatch(const MenuWatch&) = delete;
  MenuWatch& operator=(const MenuWatch&) = delete;

  // The keys that choose the Index-th item that is no separator.
  static std::vector<Word> Choose(int Index) {
    std::vector<Word> keys(std::size_t(Index + 1), VK_DOWN);
    keys.push_back(VK_RETURN);
    return keys;
  }

  std::vector<Item> items;
  bool seen = false;

private:
  static HWND FindMenu() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM result) -> BOOL {
          char name[32] = {};
          ::GetClassNameA(wnd, name, sizeof name);
          if (std::string(name) == "#32768" && ::IsWindowVisible(wnd)) {
            *reinterpret_cast<HWND*>(result) = wnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuWatch* self = current_;
    if (!self) return;
    HWND menuWindow = FindMenu();
    if (!menuWindow) return;
    if (self->seen) {
      if (::GetTickCount() > self->deadline_) ::PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    }
    self->seen = true;
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
      char caption[64] = {};
      ::GetMenuStringA(menu, UINT(i), caption, sizeof caption, MF_BYPOSITION);
      const UINT state = ::GetMenuState(menu, UINT(i), MF_BYPOSITION);
      self->items.push_back({state & MF_SEPARATOR ? std::string("-") : std::string(caption),
                             !(state & (MF_GRAYED | MF_DISABLED))});
    }
    for (Word key : self->keys_) ::PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
  }

  std::vector<Word> keys_;
  DWORD deadline_;
  UINT_PTR timer_ = 0;
  static inline MenuWatch* current_ = nullptr;
};

// A right click at (X, Y) of the edit; returns once its menu has closed.
inline void RightClick(TControl* Control, Integer X, Integer Y) {
  SendMouse(Control, WM_RBUTTONDOWN, X, Y, MK_RBUTTON);
  SendMouse(Control, WM_RBUTTONUP, X, Y);
  Application->ProcessMessages();
}

}  // namespace edit_test
