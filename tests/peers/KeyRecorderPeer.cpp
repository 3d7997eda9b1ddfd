// A program that records the keys it receives, for the keystroke sender's tests. It shows one
// window titled "Key Recorder" and appends a line per keyboard message to the file named by the
// environment variable PELORIN_KEYLOG:
//   KD vk / KU vk   key down / up          SD vk / SU vk   system key down / up (Alt held)
//   CH code / SC code   character / system character (UTF-16 code)
// The lines are written at once, so a test can read them while the program runs.
//
// F2 opens a second window, "Key Recorder Note", in front of the first, which is disabled while it
// is open, as a program's dialog is; the note's lines begin with "note ", and Esc closes it.
// PELORIN_KEYDELAY makes every keyboard message take that many milliseconds, as on a busy machine,
// so that keys sent meanwhile wait in the program's queue.
#include <cstdio>
#include <cstdlib>

#include "classlib/WinApi.h"

namespace {

FILE* logFile = nullptr;
DWORD keyDelay = 0;
HWND mainWindow = nullptr;
HWND noteWindow = nullptr;

void Record(HWND wnd, const char* kind, WPARAM value) {
  if (!logFile) return;
  std::fprintf(logFile, "%s%s %u\n", wnd == noteWindow ? "note " : "", kind, static_cast<unsigned>(value));
  std::fflush(logFile);
}

void CloseNote() {
  ::EnableWindow(mainWindow, TRUE);
  ::DestroyWindow(noteWindow);
  noteWindow = nullptr;
  ::SetForegroundWindow(mainWindow);
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST && keyDelay) ::Sleep(keyDelay);
  switch (msg) {
    case WM_KEYDOWN:
      Record(wnd, "KD", wParam);
      if (wParam == VK_F2 && wnd == mainWindow && !noteWindow) {
        noteWindow = ::CreateWindowExW(0, L"PelorinKeyRecorder", L"Key Recorder Note", WS_POPUP | WS_CAPTION, 140, 140,
                                       240, 120, mainWindow, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::EnableWindow(mainWindow, FALSE);
        ::ShowWindow(noteWindow, SW_SHOW);
        ::SetForegroundWindow(noteWindow);
      }
      return 0;
    case WM_KEYUP:
      Record(wnd, "KU", wParam);
      if (wParam == VK_ESCAPE && wnd == noteWindow) CloseNote();
      return 0;
    // Handled here, so that Alt does not open the window menu and swallow the keys after it.
    case WM_SYSKEYDOWN: Record(wnd, "SD", wParam); return 0;
    case WM_SYSKEYUP: Record(wnd, "SU", wParam); return 0;
    case WM_CHAR: Record(wnd, "CH", wParam); return 0;
    case WM_SYSCHAR: Record(wnd, "SC", wParam); return 0;
    case WM_DESTROY:
      if (wnd == mainWindow) ::PostQuitMessage(0);
      return 0;
    default: return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

}  // namespace

int main() {
  if (const char* path = std::getenv("PELORIN_KEYLOG")) logFile = std::fopen(path, "ab");
  if (const char* delay = std::getenv("PELORIN_KEYDELAY")) keyDelay = static_cast<DWORD>(std::atoi(delay));
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PelorinKeyRecorder";
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  ::RegisterClassW(&wc);
  mainWindow = ::CreateWindowExW(0, wc.lpszClassName, L"Key Recorder", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                 nullptr, nullptr, wc.hInstance, nullptr);
  if (!mainWindow) return 1;
  ::ShowWindow(mainWindow, SW_SHOWNORMAL);
  ::SetForegroundWindow(mainWindow);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (logFile) std::fclose(logFile);
  return 0;
}
