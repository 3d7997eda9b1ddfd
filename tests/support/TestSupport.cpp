#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cctype>
#include <atomic>
#include <cstdlib>
#include <optional>
#include <vector>

namespace testing_support {

namespace {

std::atomic<unsigned> g_counter{0};

std::string UniqueName(const char* prefix) {
  char buf[96];
  wsprintfA(buf, "%s%lu-%u-%lu", prefix, GetCurrentProcessId(), g_counter.fetch_add(1), GetTickCount());
  return buf;
}

HKEY CreateKey(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create the test registry key " + path);
  return key;
}

}  // namespace

IsolatedRegistry::IsolatedRegistry() {
  // The private keys live under the real current user's key, made before the redirection.
  root_ = "Software\\PelorinTests\\" + UniqueName("r");
  user_ = CreateKey(HKEY_CURRENT_USER, root_ + "\\HKCU");
  machine_ = CreateKey(HKEY_CURRENT_USER, root_ + "\\HKLM");
  RegOverridePredefKey(HKEY_CURRENT_USER, user_);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
}

IsolatedRegistry::~IsolatedRegistry() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegCloseKey(user_);
  RegCloseKey(machine_);
  RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
}

TempFolder::TempFolder() {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  path_ = std::string(tmp) + UniqueName("pelorin-test-") + "\\";
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  std::string dir = path;
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = dir + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 10), QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

void MouseClick(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  if (SendInput(2, inputs, sizeof(INPUT)) != 2) throw std::runtime_error("the mouse click was refused");
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  // Create missing folders on the way.
  for (size_t i = 3; i < path.size(); ++i)
    if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  if (!ok || written != bytes.size()) throw std::runtime_error("short write to " + path);
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string data(GetFileSize(h, nullptr), '\0');
  DWORD read = 0;
  if (!data.empty()) ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
  CloseHandle(h);
  data.resize(read);
  return data;
}

std::string ProgramFolder() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string s(buf, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string KjvDataFolder() {
  auto holdsKjv = [](const std::string& folder) {
    return GetFileAttributesA((folder + "KJV.ssf").c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  if (const char* env = std::getenv("PELORIN_KJV")) {
    std::string folder = env;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    if (holdsKjv(folder)) return folder;
  }
  // The checkouts lie beside the shared data: look upwards from the program's folder.
  std::string folder = ProgramFolder();
  while (folder.size() > 3) {
    folder.pop_back();
    folder = folder.substr(0, folder.find_last_of('\\') + 1);
    if (holdsKjv(folder + "shared\\data\\kjv\\")) return folder + "shared\\data\\kjv\\";
  }
  return holdsKjv("Z:\\work\\shared\\data\\kjv\\") ? "Z:\\work\\shared\\data\\kjv\\" : std::string();
}

bool CopyKjvProject(const std::string& source, const std::string& projectsFolder) {
  std::string ssf = ReadFileBytes(source + "KJV.ssf");
  if (ssf.empty()) return false;
  CreateDirectoryA(projectsFolder.c_str(), nullptr);
  CreateDirectoryA((projectsFolder + "KJV").c_str(), nullptr);
  const auto copy = [](const std::string& from, const std::string& to) {
    CopyFileA(from.c_str(), to.c_str(), FALSE);
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  };
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((source + "KJV\\*.SFM").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do copy(source + "KJV\\" + data.cFileName, projectsFolder + "KJV\\" + data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
  }
  for (const char* name : {"usfm.sty", "English.lds"}) copy(source + name, projectsFolder + name);
  // The settings file names the folder the project lived in, in any letter case.
  const std::string from = "c:\\my paratext projects\\";
  std::string lower = ssf;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  std::string result;
  std::size_t at = 0;
  for (std::size_t found; (found = lower.find(from, at)) != std::string::npos; at = found + from.size())
    result += ssf.substr(at, found - at) + projectsFolder;
  result += ssf.substr(at);
  WriteFileBytes(projectsFolder + "KJV.ssf", result);
  return true;
}

std::string SelectedTreeItemText(HWND parent) {
  const HWND tree = ::FindWindowExA(parent, nullptr, WC_TREEVIEWA, nullptr);
  char text[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!tree || !item.hItem || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
  return text;
}

namespace {

std::vector<WindowWatch*>& Watches() {
  static std::vector<WindowWatch*> watches;
  return watches;
}

struct FindWindowSearch {
  const std::string* caption;
  const std::string* windowClass;
  HWND found = nullptr;
};

BOOL CALLBACK FindWindowStep(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<FindWindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(wnd)) return TRUE;
  char text[512] = {};
  GetWindowTextA(wnd, text, sizeof text);
  if (*search->caption != text) return TRUE;
  if (!search->windowClass->empty()) {
    char cls[256] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (*search->windowClass != cls) return TRUE;
  }
  search->found = wnd;
  return FALSE;
}

}  // namespace

HWND FindOwnWindow(const std::string& caption, const std::string& windowClass) {
  FindWindowSearch search{&caption, &windowClass};
  EnumWindows(&FindWindowStep, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PressDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button) SendMessageA(button, BM_CLICK, 0, 0);
}

WindowWatch::WindowWatch(std::string caption, std::function<void(HWND)> action, DWORD timeoutMs,
                         std::string windowClass)
    : caption_(std::move(caption)),
      class_(std::move(windowClass)),
      action_(std::move(action)),
      deadline_(GetTickCount() + timeoutMs) {
  timer_ = SetTimer(nullptr, 0, 20, &WindowWatch::Tick);
  Watches().push_back(this);
}

WindowWatch::~WindowWatch() {
  if (timer_) KillTimer(nullptr, timer_);
  auto& watches = Watches();
  watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
}

void CALLBACK WindowWatch::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  for (WindowWatch* watch : Watches()) {
    if (watch->timer_ != id) continue;
    HWND wnd = FindOwnWindow(watch->caption_, watch->class_);
    const bool late = static_cast<int>(GetTickCount() - watch->deadline_) > 0;
    if (!wnd && !late) return;
    // Once only: the action may itself run a modal loop in which this timer would tick again.
    KillTimer(nullptr, watch->timer_);
    watch->timer_ = 0;
    if (wnd) {
      watch->done_ = true;
      watch->action_(wnd);
    }
    return;
  }
}

Process::Process(const std::string& commandLine, const std::vector<std::string>& environment,
                 const std::string& folder) {
  // The program inherits the environment as it is while it starts; the test's own is restored.
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  for (const std::string& entry : environment) {
    const std::string name = entry.substr(0, entry.find('='));
    char old[4096] = {};
    const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
    saved.emplace_back(name, length ? std::optional<std::string>(old) : std::nullopt);
    SetEnvironmentVariableA(name.c_str(), entry.substr(name.size() + 1).c_str());
  }
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = commandLine;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.empty() ? nullptr : folder.c_str(),
                     &si, &pi)) {
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
  }
  for (const auto& [name, value] : saved)
    SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
}

Process::~Process() {
  if (!process_) return;
  if (!Ended()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Process::Ended() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

bool Process::WaitForEnd(DWORD timeoutMs) const { return PumpUntil([&] { return Ended(); }, timeoutMs); }

DWORD Process::ExitCode() const {
  DWORD code = 999;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace testing_support
