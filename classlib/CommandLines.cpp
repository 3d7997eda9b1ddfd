#include "classlib/CommandLines.h"

#include "classlib/SysUtils.h"

AnsiString QuotedArgument(const AnsiString& Text) { return "\"" + Text + "\""; }

AnsiString QuotedCommandLine(const AnsiString& Program, std::initializer_list<AnsiString> Arguments) {
  AnsiString line = QuotedArgument(Program);
  for (const AnsiString& argument : Arguments) line += " " + QuotedArgument(argument);
  return line;
}

AnsiString QuotedProgramOf(const AnsiString& CommandLine) {
  if (CommandLine.empty() || CommandLine[0] != '"') return AnsiString();
  const std::size_t end = CommandLine.find('"', 1);
  if (end == AnsiString::npos || end == 1) return AnsiString();
  AnsiString program = CommandLine.substr(1, end - 1);
  // A bare name is left to the system's search.
  if (program.find_first_of("\\/:") == AnsiString::npos) return AnsiString();
  if (ExtractFileExt(program).empty()) program += ".exe";
  return program;
}

bool StartCommandLine(const AnsiString& CommandLine, WORD Show, PROCESS_INFORMATION& Info) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = Show;
  Info = PROCESS_INFORMATION{};
  const AnsiString program = QuotedProgramOf(CommandLine);
  AnsiString line = CommandLine;
  return ::CreateProcessA(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &Info) != FALSE;
}

AnsiString WindowsFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return AnsiString();
  return IncludeTrailingPathDelimiter(AnsiString(folder, length));
}
