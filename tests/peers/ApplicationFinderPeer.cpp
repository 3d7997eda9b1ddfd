// Stands in for a second copy of a program: takes the foreground with a window of its own,
// then finds the first copy's application window by its class "TApplication" and its title and
// brings it forward (restoring it when it is minimised).
//   ApplicationFinderPeer.exe "<title>"
// Exit code 0 when the window was found, 1 when not, 2 on a usage error.
#include "classlib/WinApi.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND own = ::CreateWindowExA(0, "STATIC", "finder", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  ::SetForegroundWindow(own);
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  HWND found = ::FindWindowA("TApplication", argv[1]);
  ::DestroyWindow(own);
  if (!found) return 1;
  if (::IsIconic(found))
    ::ShowWindow(found, SW_RESTORE);
  else
    ::SetForegroundWindow(found);
  return 0;
}
