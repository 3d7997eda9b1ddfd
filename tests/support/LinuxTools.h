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

// The Unix path of a Windows path.
std::string UnixPath(const std::string& windowsPath);

}  // namespace testing_support
