// Driving a modal dialog as a user does: the test's actions run once the dialog shows, inside
// its modal loop, with clicks and keys sent to its controls through the system's input queue.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "tests/support/TestSupport.h"

namespace dialog_testing {

using testing_support::WindowWatch;

// The child window (any depth) with the text, also of another program's window; null when there
// is none.
inline HWND Child(HWND parent, const std::string& text) {
  struct Search {
    const std::string* text;
    HWND found = nullptr;
  } search{&text};
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        // Asked by message, which also reads the text of an edit in another program.
        char buffer[512] = {};
        DWORD_PTR copied = 0;
        SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                            &copied);
        if (*s->text != buffer) return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Clicks the button (push button, check box, radio button) with the caption.
inline void Click(HWND dialog, const std::string& caption) {
  HWND button = Child(dialog, caption);
  ASSERT_TRUE(button) << caption;
  SendMessageA(button, BM_CLICK, 0, 0);
}

inline bool IsChecked(HWND dialog, const std::string& caption) {
  return SendMessageA(Child(dialog, caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Lets the application handle its messages for a while, as its own message loop does (keys go
// through the forms' key handling: default and cancel buttons, accelerators, Tab).
inline void ProcessFor(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    Application->ProcessMessages();
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

// Sends key events (key, released) through the system's input queue, as the keyboard does, into
// the window with the focus.
inline void SendKeyEvents(const std::vector<std::pair<WORD, bool>>& events) {
  std::vector<INPUT> inputs(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = events[i].first;
    inputs[i].ki.dwFlags = events[i].second ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Presses a key, with Alt or Shift held when asked, and lets the application handle it.
inline void PressKey(WORD key, bool alt = false, bool shift = false) {
  std::vector<std::pair<WORD, bool>> events;
  if (alt) events.emplace_back(VK_MENU, false);
  if (shift) events.emplace_back(VK_SHIFT, false);
  events.emplace_back(key, false);
  events.emplace_back(key, true);
  if (shift) events.emplace_back(VK_SHIFT, true);
  if (alt) events.emplace_back(VK_MENU, true);
  SendKeyEvents(events);
  ProcessFor(60);
}

// Types text on the keyboard into the window with the focus. A character beyond ASCII, which the
// US keyboard has no key for (an accented letter), comes as an on-screen keyboard sends it: its
// Unicode character as the key event's character. (Wine's key lookup would give the key of the
// letter without its accent.)
inline void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    if (static_cast<unsigned char>(c) >= 0x80 || scan == -1) {
      wchar_t unit = 0;
      MultiByteToWideChar(CP_ACP, 0, &c, 1, &unit, 1);
      INPUT keys[2] = {};
      for (int i = 0; i < 2; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wScan = unit;
        keys[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
      }
      SendInput(2, keys, sizeof(INPUT));
      ProcessFor(10);
      continue;
    }
    const WORD key = LOBYTE(scan);
    if ((scan >> 8) & 1)
      SendKeyEvents({{VK_SHIFT, false}, {key, false}, {key, true}, {VK_SHIFT, true}});
    else
      SendKeyEvents({{key, false}, {key, true}});
    ProcessFor(10);
  }
  ProcessFor(30);
}

// The text of a window.
inline std::string TextOf(HWND wnd) {
  char buffer[1024] = {};
  GetWindowTextA(wnd, buffer, sizeof buffer);
  return buffer;
}

// The window that has the keyboard focus, and its text.
inline std::string FocusedText() {
  char buffer[512] = {};
  GetWindowTextA(GetFocus(), buffer, sizeof buffer);
  return buffer;
}

// Runs `show`, which shows a modal dialog with the caption; `act` runs once the dialog shows and
// is expected to close it. A dialog still open after `guardMs` (20 s unless a test's work takes
// longer) is closed, and every `guardMs` after that the active window (a dialog the test left open
// on top of it), so that a failing test cannot hang. Returns whether `act` ran.
inline bool RunShown(const std::string& caption, const std::function<void()>& show,
                     const std::function<void(HWND)>& act, UINT guardMs = 60000) {
  WindowWatch watch(caption, [&](HWND wnd) {
    SetForegroundWindow(wnd);
    ProcessFor(30);
    act(wnd);
  });
  static HWND shown = nullptr;
  shown = nullptr;
  WindowWatch guard(caption, [](HWND wnd) { shown = wnd; }, guardMs);
  const UINT_PTR closer = SetTimer(nullptr, 0, guardMs, [](HWND, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "a dialog was left open";
    if (GetActiveWindow() && GetActiveWindow() != shown) PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0);
    if (shown) PostMessageA(shown, WM_CLOSE, 0, 0);
  });
  show();
  KillTimer(nullptr, closer);
  EXPECT_TRUE(watch.Done()) << caption;
  return watch.Done();
}

// Shows the dialog modally as RunShown does; returns the modal result.
inline Integer RunModal(TCustomForm* dialog, const std::function<void(HWND)>& act, UINT guardMs = 60000) {
  Integer result = 0;
  RunShown(dialog->GetCaption(), [&] { result = dialog->ShowModal(); }, act, guardMs);
  return result;
}

}  // namespace dialog_testing
