// A program that records the keys it receives, for the keystroke sender's tests. It shows one
// window titled "Key Recorder" and appends a line per keyboard message to the file named by the
// environment variable PELORIN_KEYLOG:
//   KD vk / KU vk   key down / up          SD vk / SU vk   system key down / up (Alt held)
//   CH code / SC code   character / system character (UTF-16 code)
// The lines are written at once, so a test can read them while the program runs.
#include <cstdio>
#include <cstdlib>

#include "classlib/WinApi.h"

namespace {

FILE* logFile = nullptr;

void Record(const char* kind, WPARAM value) {
  if (!logFile) return;
  std::fprintf(logFile, "%s %u\n", kind, static_cast<unsigned>(value));
  std::fflush(logFile);
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN: Record("KD", wParam); return 0;
    case WM_KEYUP: Record("KU", wParam); return 0;
    // Handled here, so that Alt does not open the window menu and swallow the keys after it.
    case WM_SYSKEYDOWN: Record("SD", wParam); return 0;
    case WM_SYSKEYUP: Record("SU", wParam); return 0;
    case WM_CHAR: Record("CH", wParam); return 0;
    case WM_SYSCHAR: Record("SC", wParam); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

}  // namespace

int main() {
  if (const char* path = std::getenv("PELORIN_KEYLOG")) logFile = std::fopen(path, "ab");
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PelorinKeyRecorder";
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  ::RegisterClassW(&wc);
  HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"Key Recorder", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
  if (!wnd) return 1;
  ::ShowWindow(wnd, SW_SHOWNORMAL);
  ::SetForegroundWindow(wnd);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (logFile) std::fclose(logFile);
  return 0;
}
