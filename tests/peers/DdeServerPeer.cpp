// A DDE server in a second process, for the DDE client tests:
//   DdeServerPeer [SERVICE]
// registers SERVICE (default: the program's file name without extension) and accepts every
// topic. What it does:
// - execute: remembers the command as the last one and adds it to the list of commands;
//   "Quit" ends the program, "Disconnect" ends the conversation, a command beginning with
//   "Refuse" is refused;
// - poke: keeps the text under the item's name;
// - request: "DoesWordExist" answers "Yes" when the last command is one of the words "light",
//   "word" and "beginning", else "No"; "LastExecute" the last command; "Executes" all commands
//   joined by "|"; "Slow" answers "Slow" after 3 s; an item poked before answers its text;
//   other items are refused.
// The program ends by itself after two minutes.
#include <map>
#include <string>

#include "classlib/WinApi.h"

namespace {

constexpr UINT kDisconnect = WM_APP + 1;

DWORD instance = 0;
std::string lastExecute;
std::string executes;
std::map<std::string, std::string> poked;

std::string HszText(HSZ hsz) {
  char buffer[256] = {};
  ::DdeQueryStringA(instance, hsz, buffer, sizeof(buffer), CP_WINANSI);
  return buffer;
}

std::string DataText(HDDEDATA data) {
  DWORD size = ::DdeGetData(data, nullptr, 0, 0);
  std::string text(size, '\0');
  if (size) ::DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
  return text.substr(0, text.find('\0'));
}

HDDEDATA Text(HSZ item, const std::string& text) {
  return ::DdeCreateDataHandle(instance, reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                               static_cast<DWORD>(text.size() + 1), 0, item, CF_TEXT, 0);
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                           ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_EXECUTE: {
      std::string command = DataText(data);
      if (command.rfind("Refuse", 0) == 0) return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
      lastExecute = command;
      executes += (executes.empty() ? "" : "|") + command;
      if (command == "Quit") ::PostQuitMessage(0);
      if (command == "Disconnect") ::PostThreadMessageA(::GetCurrentThreadId(), kDisconnect, 0, (LPARAM)conv);
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_POKE:
      if (format != CF_TEXT) return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
      poked[HszText(hsz2)] = DataText(data);
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    case XTYP_REQUEST: {
      if (format != CF_TEXT) return nullptr;
      std::string item = HszText(hsz2);
      if (item == "DoesWordExist")
        return Text(hsz2, lastExecute == "light" || lastExecute == "word" || lastExecute == "beginning" ? "Yes" : "No");
      if (item == "LastExecute") return Text(hsz2, lastExecute);
      if (item == "Executes") return Text(hsz2, executes);
      if (item == "Slow") {
        ::Sleep(3000);
        return Text(hsz2, "Slow");
      }
      auto it = poked.find(item);
      return it == poked.end() ? nullptr : Text(hsz2, it->second);
    }
    default:
      return nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string service;
  if (argc > 1) {
    service = argv[1];
  } else {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    service = path;
    service = service.substr(service.find_last_of('\\') + 1);
    service = service.substr(0, service.find_last_of('.'));
  }
  if (::DdeInitializeA(&instance, &Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR)
    return 1;
  HSZ name = ::DdeCreateStringHandleA(instance, service.c_str(), CP_WINANSI);
  if (!::DdeNameService(instance, name, nullptr, DNS_REGISTER)) return 1;
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
  ::DdeNameService(instance, name, nullptr, DNS_UNREGISTER);
  ::DdeFreeStringHandle(instance, name);
  ::DdeUninitialize(instance);
  return 0;
}
