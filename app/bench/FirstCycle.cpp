// The time of Pelorin's whole first checking cycle over a copy of the KJV at the fastest speed
// (1 ms a line) with every mechanical check on, and the spelling check taking 1000 words a tick
// of its timer (at one word a tick the Bible takes hours): the real Pelorin.exe is started on a registry and
// folders of its own, and the time from its start to "All checks done" is printed.
//   scripts/wine-env.sh build wine build/bin/app_first_cycle_bench.exe
#include <cstdio>

#include "app/tests/support/ProgramDriver.h"
#include "core/tests/CoreTestSupport.h"

int main() {
  using namespace app_testing;
  using core_testing::StoreSetting;
  if (KjvDataFolder().empty()) {
    std::fprintf(stderr, "the KJV project of the shared data was not found (set PELORIN_KJV)\n");
    return 2;
  }
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  const std::string projects = temp.Path() + "Projects\\";
  CopyKjvProject(projects);
  StoreSetting("S6", projects);
  StoreSetting("S7", "King James Version");
  StoreSetting("I7", "1");
  for (const char* option : {"B2", "B8", "B9"}) StoreSetting(option, "-1");

  const DWORD start = GetTickCount();
  PelorinProcess pelorin(temp.Path() + "Program\\", registry.Root());
  if (!pelorin.MainWindow()) {
    std::fprintf(stderr, "Pelorin did not show its window\n");
    return 1;
  }
  const DWORD shown = GetTickCount();
  if (!pelorin.WaitForStatus("All checks done", 30 * 60 * 1000)) {
    std::fprintf(stderr, "the first cycle did not end within 30 minutes\n");
    return 1;
  }
  const DWORD done = GetTickCount();
  const auto files = FilesIn(projects + "KJV\\Pelorin\\", "*.dat");
  std::printf("Pelorin's first cycle over the KJV at speed 1, every check on\n");
  std::printf("  window shown after   %8.2f s\n", (shown - start) / 1000.0);
  std::printf("  all checks done after %7.2f s (%zu results files)\n", (done - start) / 1000.0, files.size());
  pelorin.Close();
  return files.size() == 66 ? 0 : 1;
}
