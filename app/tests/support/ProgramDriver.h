// Starting the real Pelorin.exe and talking to it from outside, as a user and the other programs
// would: its own program folder (a copy of the executable in a folder of the test), its own
// registry (the test's isolated one), its main window, what its status bar and results list show,
// and its end. Every wait is bounded.
#pragma once

#include <string>
#include <vector>

#include "classlib/WinApi.h"
#include "tests/support/TestSupport.h"

namespace app_testing {

class PelorinProcess {
public:
  // Copies build/bin/Pelorin.exe into programFolder (when not there yet) and starts it there with
  // its settings under the registry root (see testing_support::IsolatedRegistry::Root).
  PelorinProcess(const std::string& programFolder, const std::string& registryRoot);
  // Ends the program when it still runs: closed, or else terminated.
  ~PelorinProcess();
  PelorinProcess(const PelorinProcess&) = delete;
  PelorinProcess& operator=(const PelorinProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD ProcessId() const { return pid_; }
  // The visible main window, waiting for it up to `timeoutMs`; nullptr when none showed.
  HWND MainWindow(DWORD timeoutMs = 30000);
  // The text of a status bar panel (0 book, 1 cycle, 2 mechanical run).
  std::string StatusPanel(int panel);
  // Waits until panel 1 reads `text`; false after the deadline.
  bool WaitForStatus(const std::string& text, DWORD timeoutMs);
  // Chooses a main menu item with the keyboard, as a user does: Alt with the first key opens a
  // menu, the others choose items by their underlined letters ("sf" for Settings, Fonts).
  void ChooseMenu(const std::string& keys);
  // A visible top-level window of the program with the caption; nullptr after the deadline.
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = 30000);
  // Closes the main window and waits for the program to end; false when it did not.
  bool Close(DWORD timeoutMs = 30000);
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const;
  // After this copy ended to be started again: waits for the main window of the new copy (a
  // process of its own) and talks to that copy from then on; false after the deadline.
  bool FollowRestart(DWORD timeoutMs);
  // The full path of the running program's executable; empty when it cannot be asked.
  std::string ExecutablePath() const;

private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND main_ = nullptr;
};

// The first child window (any depth) of the class, also of another program's window; nullptr when
// there is none.
HWND ChildOfClass(HWND parent, const std::string& windowClass);

// The full paths of the files in a folder that match a pattern, sorted.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern);
// The last-write time of a file (0 when it is missing).
unsigned long long LastWriteTime(const std::string& path);

// Copies the KJV project of the shared data into a projects folder, its settings file pointing at
// the copy, and makes it the current project.
void CopyKjvProject(const std::string& projectsFolder);
using testing_support::KjvDataFolder;

}  // namespace app_testing
