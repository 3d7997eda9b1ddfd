#include "app/tests/support/ProgramDriver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/TestSupport.h"

namespace app_testing {

namespace {

struct WindowSearch {
  DWORD pid;
  std::string caption;
  std::string windowClass;
  HWND found = nullptr;
};

BOOL CALLBACK FindStep(HWND wnd, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != s->pid || !IsWindowVisible(wnd)) return TRUE;
  char text[512] = {}, cls[256] = {};
  GetWindowTextA(wnd, text, sizeof text);
  GetClassNameA(wnd, cls, sizeof cls);
  if (!s->caption.empty() && s->caption != text) return TRUE;
  if (!s->windowClass.empty() && s->windowClass != cls) return TRUE;
  s->found = wnd;
  return FALSE;
}

// A window's class, caption and process, for messages about a test that went wrong.
std::string Describe(HWND wnd) {
  if (!wnd) return "no window";
  char text[256] = {}, cls[256] = {};
  GetWindowTextA(wnd, text, sizeof text);
  GetClassNameA(wnd, cls, sizeof cls);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  return std::string(cls) + " \"" + text + "\" of process " + std::to_string(pid) +
         (IsWindowVisible(wnd) ? "" : ", hidden") + (IsWindowEnabled(wnd) ? "" : ", disabled");
}

HWND FindProcessWindow(DWORD pid, const std::string& caption, const std::string& windowClass) {
  WindowSearch search{pid, caption, windowClass};
  EnumWindows(&FindStep, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  return testing_support::PumpUntil(done, timeoutMs);
}

}  // namespace

PelorinProcess::PelorinProcess(const std::string& programFolder, const std::string& registryRoot) {
  const std::string exe = programFolder + "Pelorin.exe";
  CreateDirectoryA(programFolder.c_str(), nullptr);
  if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES &&
      !CopyFileA((testing_support::ProgramFolder() + "Pelorin.exe").c_str(), exe.c_str(), FALSE))
    throw std::runtime_error("cannot copy Pelorin.exe into " + programFolder);
  // The main dictionary is installed beside the program (a test may have put one of its own there).
  const std::string dictionary = programFolder + "American.lxm";
  if (GetFileAttributesA(dictionary.c_str()) == INVALID_FILE_ATTRIBUTES)
    CopyFileA((testing_support::ProgramFolder() + "American.lxm").c_str(), dictionary.c_str(), FALSE);
  SetEnvironmentVariableA("PELORIN_REGISTRY_ROOT", registryRoot.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string line = "\"" + exe + "\"";
  const BOOL ok = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, programFolder.c_str(),
                                 &startup, &info);
  SetEnvironmentVariableA("PELORIN_REGISTRY_ROOT", nullptr);
  if (!ok) return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
}

PelorinProcess::~PelorinProcess() {
  if (!process_) return;
  if (!Close(10000)) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND PelorinProcess::MainWindow(DWORD timeoutMs) {
  if (main_ && IsWindow(main_)) return main_;
  WaitFor([&] { return (main_ = FindProcessWindow(pid_, "", "TMainScreen")) != nullptr || WaitForExit(0); }, timeoutMs);
  return main_;
}

std::string PelorinProcess::StatusPanel(int panel) {
  HWND main = MainWindow(0);
  HWND bar = main ? FindWindowExA(main, nullptr, "TStatusBar", nullptr) : nullptr;
  if (!bar) return {};
  // The status bar writes its text where the pointer says, in its own process: a buffer there.
  constexpr SIZE_T size = 1024;
  void* remote = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return {};
  std::string text(size, '\0');
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                          &result)) {
    SIZE_T read = 0;
    ReadProcessMemory(process_, remote, text.data(), size, &read);
  }
  VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
  text.resize(std::min(text.find('\0'), text.size()));
  return text;
}

bool PelorinProcess::WaitForStatus(const std::string& text, DWORD timeoutMs) {
  return WaitFor([&] { return StatusPanel(1) == text; }, timeoutMs);
}

void PelorinProcess::ChooseMenu(const std::string& keys) {
  HWND main = MainWindow(0);
  // Menus are chosen with the keyboard: another process cannot reach the window's menu handles.
  SetForegroundWindow(main);
  // Keys go to the window with the focus: the main window takes them once it is in front and its
  // thread has moved the focus into it (a busy program does that late).
  auto inFront = [main] {
    if (GetForegroundWindow() != main) return false;
    GUITHREADINFO input{};
    input.cbSize = sizeof input;
    return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &input) && input.hwndActive == main &&
           (!input.hwndFocus || GetAncestor(input.hwndFocus, GA_ROOT) == main);
  };
  if (!WaitFor(inFront, 30000))
    std::fprintf(stderr, "ChooseMenu(\"%s\"): the main window did not come to the front; in front: %s\n", keys.c_str(),
                 Describe(GetForegroundWindow()).c_str());
  // A message answered after that: the program has handled what came with its window's turn in
  // front, Wine's focus events among them, which set its key state to the X server's (no key held).
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
  auto press = [](WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
  };
  // The menus of the process that show: each key but the last opens one more. A key is pressed
  // only once the menu it chooses from shows, as a user does, so a busy machine that is slow to
  // show a menu does not lose the key.
  const DWORD pid = pid_;
  auto menusShown = [pid] {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == pid && IsWindowVisible(w)) ++count;
    }
    return count;
  };
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const WORD key = static_cast<WORD>(toupper(static_cast<unsigned char>(keys[i])));
    if (i > 0 && !WaitFor([&] { return menusShown() >= static_cast<int>(i); }, 30000))
      std::fprintf(stderr, "ChooseMenu(\"%s\"): %d menus show before key %zu; in front: %s\n", keys.c_str(),
                   menusShown(), i + 1, Describe(GetForegroundWindow()).c_str());
    if (i == 0) press(VK_MENU, false);
    press(key, false);
    press(key, true);
    if (i == 0) press(VK_MENU, true);
    testing_support::PumpFor(100);
  }
}

HWND PelorinProcess::WaitForWindow(const std::string& caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindProcessWindow(pid_, caption, "")) != nullptr; }, timeoutMs);
  return found;
}

bool PelorinProcess::Close(DWORD timeoutMs) {
  if (WaitForExit(0)) return true;
  if (HWND main = MainWindow(0)) PostMessageA(main, WM_CLOSE, 0, 0);
  return WaitForExit(timeoutMs);
}

bool PelorinProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_) return true;
  return WaitFor([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

bool PelorinProcess::FollowRestart(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  if (!WaitForExit(timeoutMs)) return false;
  const DWORD old = pid_;
  HWND found = nullptr;
  DWORD pid = 0;
  const DWORD left = timeoutMs - std::min(timeoutMs, GetTickCount() - start);
  WaitFor(
      [&] {
        for (HWND w = FindWindowExA(nullptr, nullptr, "TMainScreen", nullptr); w;
             w = FindWindowExA(nullptr, w, "TMainScreen", nullptr)) {
          GetWindowThreadProcessId(w, &pid);
          if (pid != old && IsWindowVisible(w)) return (found = w) != nullptr;
        }
        return false;
      },
      left);
  if (!found) return false;
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                   PROCESS_VM_WRITE | PROCESS_TERMINATE,
                               FALSE, pid);
  if (!process) return false;
  CloseHandle(process_);
  process_ = process;
  pid_ = pid;
  main_ = found;
  return true;
}

std::string PelorinProcess::ExecutablePath() const {
  char path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  if (!process_ || !QueryFullProcessImageNameA(process_, 0, path, &length)) return {};
  return std::string(path, length);
}

DWORD PelorinProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

HWND ChildOfClass(HWND parent, const std::string& windowClass) {
  struct Search {
    std::string windowClass;
    HWND found = nullptr;
  } search{windowClass};
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char name[256] = {};
        GetClassNameA(wnd, name, sizeof name);
        if (s->windowClass != name) return TRUE;
        s->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(files.begin(), files.end());
  return files;
}

unsigned long long LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

void CopyKjvProject(const std::string& projectsFolder) {
  if (!testing_support::CopyKjvProject(KjvDataFolder(), projectsFolder))
    throw std::runtime_error("the KJV project of the shared data was not found");
}

}  // namespace app_testing
