// Keeps a Wine server's desktop in use for the whole test run. Wine starts the program that owns
// the desktop when the first program needs one, and ends it soon after the last one has gone; the
// program started anew then holds the output of the test that happened to start it, and ctest,
// waiting for that output to end, counts the test as running until the desktop ends again. The
// test scripts start this program first, with its output going nowhere, and end it with the
// server. It owns a hidden window and waits for messages.
//   KeepDesktop [READY_FILE]
// Once its window is made (and with it the desktop and the program owning it), it writes
// READY_FILE, so that the scripts start the tests only then: a test started earlier would start
// the desktop's program itself.
#include <string>

#include "classlib/WinApi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "PelorinKeepDesktop";
  ::RegisterClassA(&windowClass);
  ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  if (commandLine && *commandLine) {
    // The path as given, or in quotes when it holds spaces.
    std::string path = commandLine;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    HANDLE ready = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) ::CloseHandle(ready);
  }
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
