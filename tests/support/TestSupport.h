// Helpers every test program uses: an isolated registry, a private temporary folder,
// a message loop that runs until a condition holds, and small binary fixtures.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/WinApi.h"

namespace testing_support {

// Redirects HKEY_CURRENT_USER (and HKEY_LOCAL_MACHINE) to fresh private keys for its lifetime,
// so a test never sees or changes the real user's settings, nor another test's. The keys are
// deleted afterwards.
class IsolatedRegistry {
public:
  IsolatedRegistry();
  ~IsolatedRegistry();
  IsolatedRegistry(const IsolatedRegistry&) = delete;
  IsolatedRegistry& operator=(const IsolatedRegistry&) = delete;
  // The key under the real current user's key that holds the private keys "HKCU" and "HKLM"
  // (for a program started by the test that redirects itself the same way).
  const std::string& Root() const { return root_; }

private:
  std::string root_;
  HKEY user_ = nullptr;
  HKEY machine_ = nullptr;
};

// A new empty folder under the temporary folder, removed with everything in it afterwards.
// Path() ends with a backslash.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + std::string(name); }

private:
  std::string path_;
};

// A test with its own registry root and temporary folder.
class IsolatedTest : public ::testing::Test {
protected:
  IsolatedRegistry registry_;
  TempFolder temp_;
};

// Dispatches window messages until `done` returns true or `timeoutMs` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000);
// Dispatches window messages for the given time.
void PumpFor(DWORD ms);

// Clicks the left mouse button at a point of a window's client area as the user's mouse does:
// the pointer moves there and the button goes down and up through the system's input queue.
// The messages arrive when the caller's loop runs.
void MouseClick(HWND window, int x, int y);

// Watches for a window of this process to show and then acts on it, from a timer of this thread,
// so that the action also runs while a modal window or message box runs its own message loop:
// as soon as a visible top-level window with the caption (and, when given, the window class)
// exists, `action` is called with it once. The watch ends after `timeoutMs` or when the object
// is destroyed.
class WindowWatch {
public:
  WindowWatch(std::string caption, std::function<void(HWND)> action, DWORD timeoutMs = 30000,
              std::string windowClass = {});
  ~WindowWatch();
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;
  // Whether the action has run.
  bool Done() const { return done_; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  std::string caption_;
  std::string class_;
  std::function<void(HWND)> action_;
  DWORD deadline_;
  UINT_PTR timer_ = 0;
  bool done_ = false;
};

// The first visible top-level window of this process with the caption (and class, when given).
HWND FindOwnWindow(const std::string& caption, const std::string& windowClass = {});

// Presses a button of a dialog by its control id (IDOK, IDYES, ...), as a click does.
void PressDialogButton(HWND dialog, int id);

// Writes bytes to a file exactly as given (no line-end translation); creates missing folders.
void WriteFileBytes(const std::string& path, std::string_view bytes);
// A program started by a test, ended when the object goes if it still runs. Each extra
// environment variable ("NAME=value") is added to the test's own environment for it.
class Process {
public:
  explicit Process(const std::string& commandLine, const std::vector<std::string>& environment = {},
                   const std::string& folder = {});
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  bool Started() const { return process_ != nullptr; }
  bool Ended() const;
  // Waits, dispatching this thread's messages, until the program has ended.
  bool WaitForEnd(DWORD timeoutMs = 30000) const;
  DWORD ExitCode() const;
  DWORD Id() const { return id_; }

private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The folder of the running test program, with a trailing backslash (stand-in peers live there).
std::string ProgramFolder();

// The folder of the KJV project of the shared data: PELORIN_KJV when set, else the folder
// "shared\data\kjv\" found from the program's folder upwards; empty when there is none.
std::string KjvDataFolder();

// Time since it was made, for the benchmarks.
class Stopwatch {
public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart - start_.QuadPart) / double(frequency_.QuadPart);
  }
  double Milliseconds() const { return 1000.0 * Seconds(); }

private:
  LARGE_INTEGER frequency_, start_;
};

// Copies the KJV project in `source` (its settings file KJV.ssf, style sheet, language file and
// books) into `projectsFolder`, both with a trailing backslash, pointing the copied settings file
// at the copy; the copies can be written. False when `source` holds no KJV.ssf.
bool CopyKjvProject(const std::string& source, const std::string& projectsFolder);

// Deletes a folder and everything below it.
void RemoveTree(const std::string& path);

// The text of the item selected in the first tree view below `parent` (the folder picker's tree);
// empty when there is none.
std::string SelectedTreeItemText(HWND parent);

}  // namespace testing_support

namespace testing_support {

// Captures what the screen shows of a window, its frame and caption included, as 24-bit RGB
// rows from the top (3 bytes a pixel, no padding), in the window's coordinates; what lies off the
// screen (a maximised window's frame) is black. Empty when the window cannot be captured.
struct ScreenImage {
  int width = 0;
  int height = 0;
  std::string rgb;
  // The pixel at (x, y) as a COLORREF; 0 outside the image.
  COLORREF Pixel(int x, int y) const;
};
ScreenImage CaptureWindow(HWND window);

// Writes the image as a PNG file, so that people can look at a window a test drove.
bool SavePng(const ScreenImage& image, const std::string& path);

// Captures the window and writes it as NAME.png into the folder named by the environment
// variable PELORIN_SCREENSHOTS (a Windows path); does nothing when the variable is not set.
// Returns the path written, or empty.
std::string SaveScreenshot(HWND window, const std::string& name);

}  // namespace testing_support
