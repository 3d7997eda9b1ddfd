// Stands in for Paratext 6:
//   ParatextPeer LOGFILE [REFERENCE]
// shows a top-level window titled "Paratext 6" and, when given, writes REFERENCE ("MAT 5:3") as
// the reference it shows: the default value of the current user's key
// "Software\SantaFe\Focus\ScriptureReference" (in the registry of the test that started it, see
// PELORIN_REGISTRY_ROOT). What it does besides:
// - the registered message "SantaFeFocus" adds the line "SantaFeFocus WPARAM LPARAM" and then
//   each line of the reference list (the default value of "...\ScriptureReferenceList") as
//   "list " + the line to LOGFILE;
// - a WM_COPYDATA text "focus REFERENCE" makes REFERENCE the reference it shows, "quit" ends it;
// - it ends when its window is closed, and by itself after five minutes.
#include <string>

#include "tests/peers/PeerSupport.h"

namespace {

std::string logFile;
UINT focusMessage = 0;

const char kReferenceKey[] = "Software\\SantaFe\\Focus\\ScriptureReference";
const char kListKey[] = "Software\\SantaFe\\Focus\\ScriptureReferenceList";

void WriteReference(const std::string& reference) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kReferenceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(reference.c_str()),
                   static_cast<DWORD>(reference.size() + 1));
  ::RegCloseKey(key);
}

std::string ReadList() {
  char buffer[65536] = {};
  DWORD size = sizeof(buffer) - 1;
  if (::RegGetValueA(HKEY_CURRENT_USER, kListKey, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return {};
  return buffer;
}

void RecordFocusMessage(WPARAM wParam, LPARAM lParam) {
  peer::AppendLine(logFile, "SantaFeFocus " + std::to_string(wParam) + " " + std::to_string(lParam));
  const std::string list = ReadList();
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find("\r\n", start);
    if (end == std::string::npos) end = list.size();
    peer::AppendLine(logFile, "list " + list.substr(start, end - start));
    start = end + 2;
  }
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (focusMessage && message == focusMessage) {
    RecordFocusMessage(wParam, lParam);
    return 0;
  }
  switch (message) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      const std::string command(static_cast<const char*>(data->lpData), data->cbData);
      if (command.rfind("focus ", 0) == 0) WriteReference(command.substr(6));
      if (command == "quit") ::DestroyWindow(wnd);
      return TRUE;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(wnd, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  peer::RedirectRegistryFromEnvironment();
  logFile = argv[1];
  if (argc > 2) WriteReference(argv[2]);
  focusMessage = ::RegisterWindowMessageA("SantaFeFocus");

  if (!peer::ShowTopLevelWindow("ParatextPeer", "Paratext 6", &WindowProc, 40)) return 1;
  peer::AppendLine(logFile, "started");
  peer::RunMessageLoop(300000);
  return 0;
}
