// Stands in for the spelling helper application. Copied under any name into a folder with a file
// "words.txt" (one word a line), it serves DDE under its own file name without extension on the
// topic "Spelling" only:
// - execute: the command is the word asked about;
// - request "DoesWordExist": "Yes" when that word is in the list (letter case counts), else "No";
// and adds "WORD Yes" or "WORD No" for each answer to the log "<name>.log" in its folder.
// It ends when its last conversation ends, and by itself after five minutes.
//
// With a file "silent.txt" in its folder it stands in for a helper that never answers: it adds
// "started" to its log and runs, serving nothing, until the program that started it ends (or
// five minutes have passed).
//
// With a file "hung.txt" in its folder it stands in for a helper that hangs while it starts: it
// makes a window, adds "started" to its log and then never reads its messages, until the program
// that started it ends (or five minutes have passed).
#include <tlhelp32.h>

#include <fstream>
#include <set>
#include <string>

#include "tests/peers/PeerSupport.h"

namespace {

peer::DdeServer server;
std::set<std::string> words;
std::string word;
int conversations = 0;

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(server.Text(hsz1) == "Spelling"));
    case XTYP_CONNECT_CONFIRM:
      ++conversations;
      return nullptr;
    case XTYP_DISCONNECT:
      if (--conversations <= 0) ::PostQuitMessage(0);
      return nullptr;
    case XTYP_EXECUTE:
      word = peer::DdeServer::DataText(data);
      return peer::Acknowledged(true);
    case XTYP_REQUEST: {
      if (format != CF_TEXT || server.Text(hsz2) != "DoesWordExist") return nullptr;
      const std::string answer = words.count(word) ? "Yes" : "No";
      peer::AppendLine(peer::ProgramFolder() + peer::ProgramName() + ".log", word + " " + answer);
      return server.Answer(hsz2, answer);
    }
    default:
      return nullptr;
  }
}

// The program that started this one; null when it cannot be found.
HANDLE OpenParent() {
  const DWORD self = ::GetCurrentProcessId();
  DWORD parent = 0;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == self) parent = entry.th32ParentProcessID;
  ::CloseHandle(snapshot);
  return parent ? ::OpenProcess(SYNCHRONIZE, FALSE, parent) : nullptr;
}

// Runs its message loop, answering nothing, until the program that started it has ended.
void StaySilent() {
  peer::AppendLine(peer::ProgramFolder() + peer::ProgramName() + ".log", "started");
  HANDLE parent = OpenParent();
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 300000) {
    const DWORD rc = ::MsgWaitForMultipleObjects(parent ? 1 : 0, &parent, FALSE, 1000, QS_ALLINPUT);
    if (parent && rc == WAIT_OBJECT_0) break;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
  if (parent) ::CloseHandle(parent);
}

// Makes a window and waits, without reading its messages, until the program that started it has
// ended.
void Hang() {
  HWND wnd = peer::ShowTopLevelWindow("HungSpellingHelper", "Spelling helper", ::DefWindowProcA, 400);
  peer::AppendLine(peer::ProgramFolder() + peer::ProgramName() + ".log", wnd ? "started" : "no window");
  HANDLE parent = OpenParent();
  if (parent) {
    ::WaitForSingleObject(parent, 300000);
    ::CloseHandle(parent);
  }
}

bool InFolder(const char* name) {
  return ::GetFileAttributesA((peer::ProgramFolder() + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main() {
  if (InFolder("silent.txt")) {
    StaySilent();
    return 0;
  }
  if (InFolder("hung.txt")) {
    Hang();
    return 0;
  }
  std::ifstream list(peer::ProgramFolder() + "words.txt");
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) words.insert(line);
  }
  if (!server.Start(peer::ProgramName(), &Callback)) return 1;
  peer::RunMessageLoop(300000);
  return 0;
}
