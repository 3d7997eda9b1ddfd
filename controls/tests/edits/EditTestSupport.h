// Keys for the tests of the edits, sent as the keyboard sends them: the modifier keys go down
// first and up last, with the keyboard state set to match, and every message is handled before
// the next is posted, so that the edit sees each key with the state it had.
#pragma once

#include <string>

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

}  // namespace edit_test
