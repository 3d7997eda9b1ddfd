#include "tests/support/LinuxTools.h"

#include <atomic>
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

LinuxRun StartLinux(const std::string& commandLine, const std::string& folder) {
  // Wine starts a Linux program without a handle to wait on and without the standard handles
  // of the caller, so the shell itself writes the outputs and, last, the exit code to files.
  // Runs may be started from several threads: each takes a number of its own.
  static std::atomic<int> counter{0};
  LinuxRun run;
  run.CommandLine = commandLine;
  run.Stem = folder + "run" + std::to_string(++counter);
  const std::string unixStem = UnixPath(run.Stem);
  const std::string script = run.Stem + ".sh";
  WriteFileBytes(script, "(" + commandLine + ") >'" + unixStem + ".out' 2>'" + unixStem +
                             ".err' </dev/null\necho $? >'" + unixStem + ".tmp'\nmv '" + unixStem + ".tmp' '" +
                             unixStem + ".rc'\n");
  std::string cmd = "/bin/sh \"" + UnixPath(script) + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA("Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    run.Failure = "cannot start /bin/sh";
    return run;
  }
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  if (pi.hThread) ::CloseHandle(pi.hThread);
  return run;
}

ToolResult FinishLinux(const LinuxRun& run) {
  ToolResult result;
  if (!run.Failure.empty()) {
    result.Err = run.Failure;
    return result;
  }
  const std::string script = run.Stem + ".sh", out = run.Stem + ".out", err = run.Stem + ".err",
                    rc = run.Stem + ".rc";
  // A renderer at a high resolution takes seconds on a quiet machine and far longer on a busy one:
  // the wait is bounded by the clock, generously.
  const DWORD limitMs = 300000, started = ::GetTickCount();
  while (::GetFileAttributesA(rc.c_str()) == INVALID_FILE_ATTRIBUTES && ::GetTickCount() - started < limitMs)
    ::Sleep(20);
  const std::string code = ReadFileBytes(rc);
  if (code.empty()) {
    result.Err = "no answer within " + std::to_string(limitMs / 1000) + " s from: " + run.CommandLine;
    return result;
  }
  result.ExitCode = std::atoi(code.c_str());
  result.Out = ReadFileBytes(out);
  result.Err = ReadFileBytes(err);
  if (!::GetEnvironmentVariableA("PDF_KEEP", nullptr, 0))
    for (const std::string& f : {script, out, err, rc}) ::DeleteFileA(f.c_str());
  return result;
}

ToolResult RunLinux(const std::string& commandLine, const std::string& folder) {
  return FinishLinux(StartLinux(commandLine, folder));
}

}  // namespace testing_support
