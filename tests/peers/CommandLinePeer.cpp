// Stands in for an outside program that Pelorin starts with arguments (a test copies it under the
// program's name, such as "Editor\editor.exe", and as a decoy wherever a wrongly built command
// line would find a program): it adds one line to "started.log" in its own folder, its file name
// and then each argument as the system split the command line, in angle brackets, and ends.
//   editor.exe <C:\...\CoverPage.uvf> <C:\...\CoverPage.uvf>
#include <string>

#include "tests/peers/PeerSupport.h"

int main(int argc, char** argv) {
  const std::string path = peer::ProgramPath();
  std::string line = path.substr(path.find_last_of('\\') + 1);
  for (int i = 1; i < argc; ++i) line += " <" + std::string(argv[i]) + ">";
  peer::AppendLine(peer::ProgramFolder() + "started.log", line);
  return 0;
}
