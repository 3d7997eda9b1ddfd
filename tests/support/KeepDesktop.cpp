// Keeps a Wine server's desktop in use for the whole test run. Wine starts the program that owns
// the desktop when the first program needs one, and ends it soon after the last one has gone; the
// program started anew then holds the output of the test that happened to start it, and ctest,
// waiting for that output to end, counts the test as running until the desktop ends again. The
// test scripts start this program first, with its output going nowhere, and end it with the
// server. It owns a hidden window and waits for messages.
#include "classlib/WinApi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "PelorinKeepDesktop";
  ::RegisterClassA(&windowClass);
  ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
