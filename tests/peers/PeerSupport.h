// What the stand-in programs share: the program's own name and folder, a log that a test reads
// while the program runs, the registry of the test that started it, and the pieces of a DDE
// server.
#pragma once

#include <cstdlib>
#include <string>

#include "classlib/Registry.h"
#include "classlib/WinApi.h"

namespace peer {

// The full path of the running program.
inline std::string ProgramPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}
// Its folder, with a trailing backslash.
inline std::string ProgramFolder() {
  const std::string path = ProgramPath();
  return path.substr(0, path.find_last_of('\\') + 1);
}
// Its file name without the extension.
inline std::string ProgramName() {
  std::string name = ProgramPath();
  name = name.substr(name.find_last_of('\\') + 1);
  return name.substr(0, name.find_last_of('.'));
}

// Adds a line to the log file, opened and closed each time so that a test can read it at any
// moment. An empty path logs nothing.
inline void AppendLine(const std::string& path, const std::string& line) {
  if (path.empty()) return;
  HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

// PELORIN_REGISTRY_ROOT names a key under the current user's key, below which a test keeps its
// own "HKCU" and "HKLM": the stand-in then reads and writes those, as the program it talks to
// does.
inline void RedirectRegistryFromEnvironment() {
  const char* root = std::getenv("PELORIN_REGISTRY_ROOT");
  if (root && *root) RedirectRootKeys(root);
}

// Shows a top-level window of its own class with the title, without taking the activation from
// the program under test; null when it cannot be made. A window procedure that ends the message
// loop when the window is destroyed belongs to the caller.
inline HWND ShowTopLevelWindow(const char* windowClass, const char* title, WNDPROC procedure, int left) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = windowClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!::RegisterClassA(&wc)) return nullptr;
  HWND wnd = ::CreateWindowExA(0, windowClass, title, WS_OVERLAPPEDWINDOW, left, 40, 300, 120, nullptr, nullptr,
                               wc.hInstance, nullptr);
  if (wnd) ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
  return wnd;
}

// Runs the message loop until the program is told to quit, or for `ms` milliseconds at the most:
// a stand-in that a test left behind ends by itself.
inline void RunMessageLoop(DWORD ms) {
  ::SetTimer(nullptr, 0, ms, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == WM_TIMER) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// A DDE server of one service in this process.
class DdeServer {
public:
  // False when the DDE library or the service name cannot be set up.
  bool Start(const std::string& service, PFNCALLBACK callback) {
    if (::DdeInitializeA(&instance_, callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                         0) != DMLERR_NO_ERROR)
      return false;
    name_ = ::DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
    return ::DdeNameService(instance_, name_, nullptr, DNS_REGISTER) != nullptr;
  }
  ~DdeServer() {
    if (!instance_) return;
    if (name_) {
      ::DdeNameService(instance_, name_, nullptr, DNS_UNREGISTER);
      ::DdeFreeStringHandle(instance_, name_);
    }
    ::DdeUninitialize(instance_);
  }

  std::string Text(HSZ hsz) const {
    char buffer[256] = {};
    ::DdeQueryStringA(instance_, hsz, buffer, sizeof(buffer), CP_WINANSI);
    return buffer;
  }
  // The text of a client's data, up to its first null character.
  static std::string DataText(HDDEDATA data) {
    DWORD size = ::DdeGetData(data, nullptr, 0, 0);
    std::string text(size, '\0');
    if (size) ::DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
    return text.substr(0, text.find('\0'));
  }
  // An answer to a request for `item`.
  HDDEDATA Answer(HSZ item, const std::string& text) const {
    return ::DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                                 static_cast<DWORD>(text.size() + 1), 0, item, CF_TEXT, 0);
  }
  DWORD Instance() const { return instance_; }

private:
  DWORD instance_ = 0;
  HSZ name_ = nullptr;
};

inline HDDEDATA Acknowledged(bool ok) {
  return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(ok ? DDE_FACK : DDE_FNOTPROCESSED));
}

}  // namespace peer
