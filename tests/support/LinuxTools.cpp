#include "tests/support/LinuxTools.h"

#include <cstdlib>

#include "classlib/WinApi.h"
#include "tests/support/TestSupport.h"

namespace testing_support {

std::string UnixPath(const std::string& windowsPath) {
  using Convert = char*(CDECL*)(LPCWSTR);
  static const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unix = convert(wide.c_str());
  if (!unix) return {};
  std::string result = unix;
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return result;
}

ToolResult RunLinux(const std::string& commandLine, const std::string& folder) {
  // Wine starts a Linux program without a handle to wait on and without the standard handles
  // of the caller, so the shell itself writes the outputs and, last, the exit code to files.
  static int counter = 0;
  const std::string stem = folder + "run" + std::to_string(++counter);
  const std::string script = stem + ".sh", out = stem + ".out", err = stem + ".err", rc = stem + ".rc";
  const std::string unixStem = UnixPath(stem);
  WriteFileBytes(script, "(" + commandLine + ") >'" + unixStem + ".out' 2>'" + unixStem +
                             ".err' </dev/null\necho $? >'" + unixStem + ".tmp'\nmv '" + unixStem + ".tmp' '" +
                             unixStem + ".rc'\n");
  ToolResult result;
  std::string cmd = "/bin/sh \"" + UnixPath(script) + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA("Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    result.Err = "cannot start /bin/sh";
    return result;
  }
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  if (pi.hThread) ::CloseHandle(pi.hThread);
  // A renderer at a high resolution takes seconds on a quiet machine and far longer on a busy one:
  // the wait is bounded by the clock, generously.
  const DWORD limitMs = 300000, started = ::GetTickCount();
  while (::GetFileAttributesA(rc.c_str()) == INVALID_FILE_ATTRIBUTES && ::GetTickCount() - started < limitMs)
    ::Sleep(20);
  const std::string code = ReadFileBytes(rc);
  if (code.empty()) {
    result.Err = "no answer within " + std::to_string(limitMs / 1000) + " s from: " + commandLine;
    return result;
  }
  result.ExitCode = std::atoi(code.c_str());
  result.Out = ReadFileBytes(out);
  result.Err = ReadFileBytes(err);
  if (!::GetEnvironmentVariableA("PDF_KEEP", nullptr, 0))
    for (const std::string& f : {script, out, err, rc}) ::DeleteFileA(f.c_str());
  return result;
}

}  // namespace testing_support
