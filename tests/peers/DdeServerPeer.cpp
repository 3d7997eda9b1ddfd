// A DDE server in a second process, for the DDE client tests:
//   DdeServerPeer [SERVICE [--gated | --gated-window]]
// registers SERVICE (default: the program's file name without extension) and accepts every
// topic; with --gated only once the test has set the event "SERVICE.start" (CreateEvent, manual
// reset), so that a test can see what a client does while the server is not there yet; the event
// "SERVICE.gated" is set while it waits for that. With --gated-window it makes a window of its
// own first and reads none of its messages while it waits, as a program still starting does.
// What it does:
// - execute: remembers the command as the last one and adds it to the list of commands;
//   "Quit" ends the program, "Disconnect" ends the conversation, a command beginning with
//   "Refuse" is refused;
// - poke: keeps the text under the item's name;
// - request: "DoesWordExist" answers "Yes" when the last command is one of the words "light",
//   "word" and "beginning", else "No"; "LastExecute" the last command; "Executes" all commands
//   joined by "|"; "Slow" answers "Slow" once the test has set the event "SERVICE.release" (and stays
//   busy until then); an item poked before answers its text;
//   other items are refused.
// The program ends by itself after two minutes.
#include <map>
#include <string>

#include "tests/peers/PeerSupport.h"

namespace {

// The events a test sets, named after the service; made here or by the test, whichever is first.
HANDLE TestEvent(const std::string& name, const char* what) {
  return ::CreateEventA(nullptr, TRUE, FALSE, (name + "." + what).c_str());
}

// No test waits longer than this for a server: past it the peer goes on by itself.
constexpr DWORD kGateLimit = 60000;

std::string service;
constexpr UINT kDisconnect = WM_APP + 1;

peer::DdeServer server;
std::string lastExecute;
std::string executes;
std::map<std::string, std::string> poked;

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                           ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_EXECUTE: {
      std::string command = peer::DdeServer::DataText(data);
      if (command.rfind("Refuse", 0) == 0) return peer::Acknowledged(false);
      lastExecute = command;
      executes += (executes.empty() ? "" : "|") + command;
      if (command == "Quit") ::PostQuitMessage(0);
      if (command == "Disconnect") ::PostThreadMessageA(::GetCurrentThreadId(), kDisconnect, 0, (LPARAM)conv);
      return peer::Acknowledged(true);
    }
    case XTYP_POKE:
      if (format != CF_TEXT) return peer::Acknowledged(false);
      poked[server.Text(hsz2)] = peer::DdeServer::DataText(data);
      return peer::Acknowledged(true);
    case XTYP_REQUEST: {
      if (format != CF_TEXT) return nullptr;
      std::string item = server.Text(hsz2);
      if (item == "DoesWordExist")
        return server.Answer(hsz2, lastExecute == "light" || lastExecute == "word" || lastExecute == "beginning" ? "Yes" : "No");
      if (item == "LastExecute") return server.Answer(hsz2, lastExecute);
      if (item == "Executes") return server.Answer(hsz2, executes);
      if (item == "Slow") {
        HANDLE release = TestEvent(service, "release");
        ::WaitForSingleObject(release, kGateLimit);
        ::CloseHandle(release);
        return server.Answer(hsz2, "Slow");
      }
      auto it = poked.find(item);
      return it == poked.end() ? nullptr : server.Answer(hsz2, it->second);
    }
    default:
      return nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  service = argc > 1 ? argv[1] : peer::ProgramName();
  const std::string gate = argc > 2 ? argv[2] : "";
  if (gate == "--gated" || gate == "--gated-window") {
    if (gate == "--gated-window") peer::ShowTopLevelWindow("DdeServerPeerStarting", service.c_str(), ::DefWindowProcA, 40);
    HANDLE start = TestEvent(service, "start");
    HANDLE gated = TestEvent(service, "gated");
    ::SetEvent(gated);
    ::WaitForSingleObject(start, kGateLimit);
    ::ResetEvent(gated);
    ::CloseHandle(gated);
    ::CloseHandle(start);
  }
  if (!server.Start(service, &Callback)) return 1;
  ::SetTimer(nullptr, 0, 120000, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == WM_TIMER) break;
    if (msg.hwnd == nullptr && msg.message == kDisconnect) {
      // Ends the conversation the way a server does at the message level (Wine's library does
      // not end a conversation from the server's side).
      CONVINFO info{};
      info.cb = sizeof(info);
      if (::DdeQueryConvInfo(reinterpret_cast<HCONV>(msg.lParam), QID_SYNC, &info))
        ::PostMessageA(info.hwndPartner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(info.hwnd), 0);
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
