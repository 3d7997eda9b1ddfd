// restart.exe: Pelorin starts it (with no arguments) when a setting that it reads only at start
// changed, and ends. It waits until that Pelorin has ended, then starts it again, from the same
// executable and with everything it inherited from Pelorin (environment, current folder).
//
// The Pelorin to wait for is the process that started this one, when it still runs, began before
// this one and is a Pelorin.exe; its own executable is then started again. Started otherwise (by
// hand, or after Pelorin has already gone), it starts the Pelorin.exe beside itself at once.
// Waiting is bounded: a Pelorin that does not end is left alone and nothing is started; that,
// and a Pelorin that cannot be started, is said on the standard error and in a message box, and
// the exit code is not 0.
#include <windows.h>
#include <tlhelp32.h>

#include <string>

namespace {

// How long the Pelorin that asked for the restart may take to end. It may first ask the user
// whether to save a changed book, so this is generous.
constexpr DWORD kEndTimeoutMs = 5 * 60 * 1000;

enum ExitCode : int { kStarted = 0, kDidNotEnd = 1, kCannotStart = 2 };

std::string ModulePath() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

void Report(const std::string& message) {
  const std::string line = "restart: " + message + "\r\n";
  HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD written = 0;
  if (error && error != INVALID_HANDLE_VALUE)
    ::WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::MessageBoxA(nullptr, message.c_str(), "Pelorin", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

DWORD ParentProcessId() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  const DWORD self = ::GetCurrentProcessId();
  DWORD parent = 0;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == self) {
      parent = entry.th32ParentProcessID;
      break;
    }
  ::CloseHandle(snapshot);
  return parent;
}

ULONGLONG CreationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The Pelorin that started this program: its process (to wait on) and its executable. An empty
// result when the parent has ended, is another program, or is a newer process that took an ended
// parent's number.
struct Parent {
  HANDLE process = nullptr;
  std::string executable;
};

Parent RunningPelorinParent() {
  Parent found;
  const DWORD id = ParentProcessId();
  if (id == 0) return found;
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (!process) return found;
  char path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const bool named = ::QueryFullProcessImageNameA(process, 0, path, &length) != FALSE;
  const ULONGLONG created = CreationTime(process);
  if (!named || !SameTextIgnoringCase(FileNameOf(path), "Pelorin.exe") || created == 0 ||
      created > CreationTime(::GetCurrentProcess()) || ::WaitForSingleObject(process, 0) != WAIT_TIMEOUT) {
    ::CloseHandle(process);
    return found;
  }
  found.process = process;
  found.executable.assign(path, length);
  return found;
}

bool Start(const std::string& executable) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string line = "\"" + executable + "\"";
  if (!::CreateProcessA(executable.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = text ? text : "error " + std::to_string(error);
  if (text) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace

int main() {
  Parent parent = RunningPelorinParent();
  std::string executable = FolderOf(ModulePath()) + "Pelorin.exe";
  if (parent.process) {
    executable = parent.executable;
    const DWORD waited = ::WaitForSingleObject(parent.process, kEndTimeoutMs);
    ::CloseHandle(parent.process);
    if (waited != WAIT_OBJECT_0) {
      Report("Pelorin did not end within " + std::to_string(kEndTimeoutMs / 60000) +
             " minutes, so it was not started again.");
      return kDidNotEnd;
    }
  }
  if (!Start(executable)) {
    const DWORD error = ::GetLastError();
    Report("Pelorin could not be started again from " + executable + ": " + SystemMessage(error));
    return kCannotStart;
  }
  return kStarted;
}
