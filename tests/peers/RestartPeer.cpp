// Stands in for "restart.exe", the program that starts Pelorin again (a test copies it under that
// name beside the Pelorin it starts): it adds its command line to "restart.log" in its own folder,
// and ends.
#include "tests/peers/PeerSupport.h"

int main() {
  peer::AppendLine(peer::ProgramFolder() + "restart.log", ::GetCommandLineA());
  return 0;
}
