// The Linux tools of the machine the tests run on (the PDF tools, xmllint, Python), started from
// inside Wine to check the files the program writes.
#pragma once

#include <string>

namespace testing_support {

struct ToolResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

// Runs a command line in the Linux shell (the file names in it are Unix paths), waits for it and
// returns its exit code and both outputs. `folder` is a Windows folder for the temporary files.
ToolResult RunLinux(const std::string& commandLine, const std::string& folder);

// A command line started in the Linux shell and not yet waited for, so that several tools can
// read a large file side by side.
struct LinuxRun {
  std::string CommandLine;
  std::string Stem;  // Windows path of its files without their endings
  std::string Failure;
};
LinuxRun StartLinux(const std::string& commandLine, const std::string& folder);
// Waits for it (bounded by the clock) and returns its exit code and outputs.
ToolResult FinishLinux(const LinuxRun& run);

// The Unix path of a Windows path.
std::string UnixPath(const std::string& windowsPath);

}  // namespace testing_support
