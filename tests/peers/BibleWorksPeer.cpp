// Stands in for BibleWorks:
//   BibleWorksPeer LOGFILE [--service NAME] [--missing VERSE] [--stall MS]
// shows a top-level window titled "BibleWorks - KJV" and serves DDE under the service NAME
// (default "bw500") on the topic "Commands" only:
// - execute: adds the command to LOGFILE as a line; "GoToVerse " followed by a verse ("Gen 1:1")
//   makes it the verse shown, followed by a version name alone ("WTT") makes that the version
//   shown; VERSE (as "Gen 1:1") is missing from the starting version KJV and cannot be gone to
//   until the version changes;
// - request "GetCurrentVerse": the version, a blank and the verse shown ("KJV Gen 1:1" at start);
//   other items are refused. With --stall it answers only after MS milliseconds, as a program
//   does that is busy.
// It ends when its window is closed, and by itself after five minutes.
#include <string>

#include "tests/peers/PeerSupport.h"

namespace {

peer::DdeServer server;
std::string logFile;
std::string missingVerse;
DWORD stallMs = 0;
std::string version = "KJV";
std::string verse = "Gen 1:1";

void Execute(const std::string& command) {
  peer::AppendLine(logFile, command);
  if (command.rfind("GoToVerse ", 0) != 0) return;
  const std::string target = command.substr(10);
  if (target.find(' ') == std::string::npos) {
    version = target;
  } else if (!(version == "KJV" && target == missingVerse)) {
    verse = target;
  }
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(server.Text(hsz1) == "Commands"));
    case XTYP_EXECUTE:
      Execute(peer::DdeServer::DataText(data));
      return peer::Acknowledged(true);
    case XTYP_REQUEST:
      if (format != CF_TEXT || server.Text(hsz2) != "GetCurrentVerse") return nullptr;
      if (stallMs) ::Sleep(stallMs);
      return server.Answer(hsz2, version + " " + verse);
    default:
      return nullptr;
  }
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(wnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  logFile = argv[1];
  std::string service = "bw500";
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--service") service = argv[i + 1];
    if (option == "--missing") missingVerse = argv[i + 1];
    if (option == "--stall") stallMs = std::stoul(argv[i + 1]);
  }
  if (!server.Start(service, &Callback)) return 1;

  if (!peer::ShowTopLevelWindow("BibleWorksPeer", "BibleWorks - KJV", &WindowProc, 360)) return 1;
  peer::RunMessageLoop(300000);
  return 0;
}
