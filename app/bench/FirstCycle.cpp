// Pelorin's pace over a whole Bible: the real Pelorin.exe on a copy of the KJV, on a registry and
// folders of its own, at the fastest mechanical speed (1 ms a step) with every check on.
// It prints:
// - the size of Pelorin.exe and the time from its start to its main window;
// - the first checking cycle, from the window to "All checks done", beside the mechanical run's
//   own floor: the steps it takes over every book at 1 ms a step (counted by running it in this
//   process on a clock that moves 1 ms a tick);
// - the longest delay of a message posted to the main window's results list during the cycle
//   (one after another, 5 ms apart; it takes effect when the window's thread dispatches it, which
//   is read back with sent messages);
// - the working set after the cycle, and the processor time it takes while idle over 30 s;
// - with the Paratext stand-in showing Psalms (so that the folder monitor watches the project), a
//   changed Psalms renamed over the book as an editor saves it: the times until its check starts,
//   until its spelling check is ready (its spelling count known), and until its results file,
//   from which the totals are shown, holds the new count.
//   scripts/wine-env.sh build wine build/bin/app_first_cycle_bench.exe
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/tests/support/FakeHost.h"
#include "app/tests/support/ProgramDriver.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using namespace app_testing;

double Milliseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The steps of the mechanical run over every book of the current project: its time at 1 ms a
// step when nothing else took any.
long MechanicalFloorSteps(const std::string& programFolder) {
  InitializeMyRegistry();
  InitializeStyleSheet();
  ProgramFolder = programFolder;
  WriteDefaultBrackets(ProgramFolder);
  LoadCheckSettings();
  long steps = 0;
  {
    Background work;
    TStrings* names = work.Scripture->BookNames;
    for (int i = 0; i < names->GetCount(); ++i) {
      if (!work.Book->LoadBookAndResults(BookNumberFromEnglishName(names->GetStrings(i)))) continue;
      work.Mechanical->Start();
      for (int tick = 0; tick < 10000000 && work.Host.Mechanical.Enabled; ++tick) {
        work.Host.Now += 1;
        work.Mechanical->Tick(work.Host.Now);
        ++steps;
      }
    }
  }
  FinalizeStyleSheet();
  FinalizeMyRegistry();
  return steps;
}

// Posts a change of the list's horizontal extent (one pixel either way, so nothing visible) and
// measures how long the window's thread takes to dispatch it.
class PostedMessageProbe {
public:
  explicit PostedMessageProbe(HWND list) : list_(list) { original_ = Extent(); }
  ~PostedMessageProbe() { SendMessageTimeoutA(list_, LB_SETHORIZONTALEXTENT, original_, 0, 0, 5000, nullptr); }
  // The delay in milliseconds; negative when the message was not dispatched within 10 s.
  double Measure() {
    const LRESULT next = (Extent() == original_) ? original_ + 1 : original_;
    const double posted = Milliseconds();
    if (!PostMessageA(list_, LB_SETHORIZONTALEXTENT, next, 0)) return -1;
    while (Milliseconds() - posted < 10000) {
      if (Extent() == next) return Milliseconds() - posted;
      SwitchToThread();
    }
    return -1;
  }

private:
  LRESULT Extent() const {
    DWORD_PTR extent = 0;
    SendMessageTimeoutA(list_, LB_GETHORIZONTALEXTENT, 0, 0, 0, 10000, &extent);
    return static_cast<LRESULT>(extent);
  }
  HWND list_;
  LRESULT original_ = 0;
};

// A file of the host's /proc (seen through the drive Z:), read to its end: such files say that
// they are empty.
std::string ProcFile(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

// The host's process that runs the program at `exePath`: the system's own count of its processor
// time is read from there (Wine does not give it for another process).
std::string HostProcessFolder(const std::string& exePath) {
  std::string found;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    const std::string name = data.cFileName;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string commandLine = ProcFile("Z:\\proc\\" + name + "\\cmdline");
    commandLine = commandLine.substr(0, commandLine.find('\0'));
    if (lstrcmpiA(commandLine.c_str(), exePath.c_str()) == 0) found = "Z:\\proc\\" + name + "\\";
  } while (found.empty() && FindNextFileA(find, &data));
  FindClose(find);
  return found;
}

// The processor time (user and system, all threads) of the host's process, in seconds; negative
// when it cannot be read.
double ProcessorSeconds(const std::string& hostFolder) {
  const std::string stat = ProcFile(hostFolder + "stat");
  // The fields after the command's closing parenthesis: state is the 3rd field, utime the 14th.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  double user = 0, system = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) user = std::stod(field);
    if (i == 15) system = std::stod(field);
  }
  return (user + system) / 100.0;  // clock ticks of the host, 100 a second
}

// Waits until panel 1 reads `text`, polling every few milliseconds; the time it was first seen,
// or a negative number after the deadline.
double WaitForStatusText(PelorinProcess& pelorin, const std::string& text, double deadlineMs) {
  const double start = Milliseconds();
  while (Milliseconds() - start < deadlineMs) {
    if (pelorin.StatusPanel(1) == text) return Milliseconds();
    Sleep(2);
  }
  return -1;
}

}  // namespace

int main() {
  using core_testing::StoreSetting;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (KjvDataFolder().empty()) {
    std::fprintf(stderr, "the KJV project of the shared data was not found (set PELORIN_KJV)\n");
    return 2;
  }
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  const std::string projects = temp.Path() + "Projects\\";
  const std::string program = temp.Path() + "Program\\";
  const std::string work = projects + "KJV\\Pelorin\\";
  CopyKjvProject(projects);
  CreateDirectoryA(program.c_str(), nullptr);
  StoreSetting("S6", projects);
  StoreSetting("S7", "King James Version");
  StoreSetting("I7", "1");
  for (const char* option : {"B2", "B8", "B9"}) StoreSetting(option, "-1");

  const long floorSteps = MechanicalFloorSteps(program);
  // The floor run leaves no results behind: the program's first cycle checks every book.
  for (const std::string& file : FilesIn(work, "*.dat")) DeleteFileA(file.c_str());

  const double start = Milliseconds();
  PelorinProcess pelorin(program, registry.Root());
  if (!pelorin.MainWindow()) {
    std::fprintf(stderr, "Pelorin did not show its window\n");
    return 1;
  }
  const double shown = Milliseconds();
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pelorin.ProcessId());
  HWND list = ChildOfClass(pelorin.MainWindow(), "TListBox");
  if (!process || !list) {
    std::fprintf(stderr, "Pelorin's process or results list was not found\n");
    return 1;
  }

  // The first cycle, with a posted message 5 ms after the last was dispatched.
  double longestDelay = 0, totalDelay = 0;
  int probes = 0, lost = 0;
  // The delays of 50 ms or more, with what the status bar said just after each.
  std::vector<std::pair<double, std::string>> slow;
  double done = -1;
  {
    PostedMessageProbe probe(list);
    double lastStatus = 0;
    while (Milliseconds() - shown < 30 * 60 * 1000.0) {
      const double delay = probe.Measure();
      if (delay < 0) {
        ++lost;
      } else {
        longestDelay = std::max(longestDelay, delay);
        if (delay >= 50) slow.emplace_back(delay, pelorin.StatusPanel(0) + " | " + pelorin.StatusPanel(1));
        totalDelay += delay;
        ++probes;
      }
      if (Milliseconds() - lastStatus >= 200) {
        lastStatus = Milliseconds();
        if (pelorin.StatusPanel(1) == "All checks done") {
          done = Milliseconds();
          break;
        }
      }
      Sleep(5);
    }
  }
  if (done < 0) {
    std::fprintf(stderr, "the first cycle did not end within 30 minutes\n");
    return 1;
  }
  const auto files = FilesIn(work, "*.dat");

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  const std::string hostProcess = HostProcessFolder(program + "Pelorin.exe");
  const double cpuBefore = ProcessorSeconds(hostProcess);
  const double idleStart = Milliseconds();
  Sleep(30000);
  const double idleSeconds = (Milliseconds() - idleStart) / 1000.0;
  const double idleCpu = ProcessorSeconds(hostProcess) - cpuBefore;

  WIN32_FILE_ATTRIBUTE_DATA exe{};
  GetFileAttributesExA((program + "Pelorin.exe").c_str(), GetFileExInfoStandard, &exe);
  const double cycle = (done - shown) / 1000.0;
  std::printf("Pelorin's pace over the KJV at mechanical speed 1, every check on\n");
  std::printf("  Pelorin.exe                          %8.2f MB\n", exe.nFileSizeLow / 1048576.0);
  std::printf("  start to main window                 %8.3f s\n", (shown - start) / 1000.0);
  std::printf("  first cycle, window to all checks done %6.2f s (%zu results files)\n", cycle, files.size());
  std::printf("  mechanical run's own floor           %8.2f s (%ld steps at 1 ms), cycle at %.1f%% of it\n",
              floorSteps / 1000.0, floorSteps, 100.0 * cycle / (floorSteps / 1000.0));
  std::printf("  posted message to the main window    %8.1f ms longest, %.1f ms on average (%d posted, %d lost)\n",
              longestDelay, probes ? totalDelay / probes : 0.0, probes + lost, lost);
  std::sort(slow.begin(), slow.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::printf("  posted messages delayed 50 ms or more %6zu", slow.size());
  for (std::size_t i = 0; i < slow.size() && i < 5; ++i)
    std::printf("%s%.0f ms (%s)", i == 0 ? ": " : ", ", slow[i].first, slow[i].second.c_str());
  std::printf("\n");
  std::printf("  processor time of the program so far %8.2f s (%.0f%% of a core since its start)\n", cpuBefore,
              100.0 * cpuBefore / ((Milliseconds() - start) / 1000.0));
  if (cpuBefore < 0) std::printf("  (the host's process of Pelorin was not found: no processor times)\n");
  std::printf("  working set after the cycle          %8.1f MB (private %.1f MB)\n",
              memory.WorkingSetSize / 1048576.0, memory.PagefileUsage / 1048576.0);
  std::printf("  idle after the cycle                 %8.2f %% of a core (%.3f s in %.1f s)\n",
              100.0 * idleCpu / idleSeconds, idleCpu, idleSeconds);

  // Psalms saved in Paratext while Paratext shows it.
  {
    testing_support::Process paratext(
        "\"" + testing_support::ProgramFolder() + "ParatextPeer.exe\" \"" + temp.Path() + "paratext.log\" \"PSA 1:1\"",
        {"PELORIN_REGISTRY_ROOT=" + registry.Root()});
    // Pelorin sees Paratext start, restarts its cycle (watching the project folder now) and
    // finds every book up to date.
    const double seen = Milliseconds();
    while (Milliseconds() - seen < 10000 && pelorin.StatusPanel(1) == "All checks done") Sleep(20);
    if (WaitForStatusText(pelorin, "All checks done", 60000) < 0) {
      std::fprintf(stderr, "the cycle with Paratext running did not end\n");
      return 1;
    }
    const std::string psalms = projects + "KJV\\19PSAKJV.SFM";
    const std::string copy = projects + "KJV\\19PSAKJV.tmp";
    const std::string results = work + "Psalms.dat";
    const unsigned long long written = LastWriteTime(results);
    testing_support::WriteFileBytes(copy, testing_support::ReadFileBytes(psalms) + "\\rem saved again\r\n");
    const double saved = Milliseconds();
    MoveFileExA(copy.c_str(), psalms.c_str(), MOVEFILE_REPLACE_EXISTING);
    const double started = WaitForStatusText(pelorin, "Spelling checking ...", 30000);
    const double ready = WaitForStatusText(pelorin, "Spelling check ready", 30000);
    double rewritten = -1;
    while (Milliseconds() - saved < 60000 && rewritten < 0) {
      if (LastWriteTime(results) != written) rewritten = Milliseconds();
      Sleep(2);
    }
    auto since = [](double then, double at) { return at < 0 ? -1.0 : (at - then) / 1000.0; };
    std::printf("  Psalms saved while Paratext shows it (the cycle pauses 5 s for the book Paratext shows):\n");
    std::printf("    saved to its check started         %8.3f s\n", since(saved, started));
    std::printf("    check started to spelling ready    %8.3f s\n", since(started, ready));
    std::printf("    saved to spelling ready            %8.3f s\n", since(saved, ready));
    std::printf("    saved to its results file written  %8.3f s (the totals follow within 1 s)\n",
                since(saved, rewritten));
  }
  CloseHandle(process);
  pelorin.Close();
  return files.size() == 66 ? 0 : 1;
}
