// Stands in for the spelling helper application. Copied under any name into a folder with a file
// "words.txt" (one word a line), it serves DDE under its own file name without extension on the
// topic "Spelling" only:
// - execute: the command is the word asked about;
// - request "DoesWordExist": "Yes" when that word is in the list (letter case counts), else "No";
// and adds "WORD Yes" or "WORD No" for each answer to the log "<name>.log" in its folder.
// It ends when its last conversation ends, and by itself after five minutes.
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

}  // namespace

int main() {
  std::ifstream list(peer::ProgramFolder() + "words.txt");
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) words.insert(line);
  }
  if (!server.Start(peer::ProgramName(), &Callback)) return 1;
  peer::RunMessageLoop(300000);
  return 0;
}
