// Command lines of started programs: the program and its file arguments in quotes, and the
// program that CreateProcess is told to run as the application name.
#include <gtest/gtest.h>

#include "classlib/CommandLines.h"

namespace {

TEST(CommandLines, ProgramAndFileArgumentsAreQuoted) {
  EXPECT_EQ(QuotedCommandLine("C:\\Program Files\\Pelorin\\Editor\\editor.exe",
                              {"C:\\My Bible\\CoverPage.uvf", "C:\\My Bible\\CoverPage.uvf"}),
            "\"C:\\Program Files\\Pelorin\\Editor\\editor.exe\" \"C:\\My Bible\\CoverPage.uvf\" "
            "\"C:\\My Bible\\CoverPage.uvf\"");
  EXPECT_EQ(QuotedCommandLine("C:\\Pelorin\\restart.exe"), "\"C:\\Pelorin\\restart.exe\"");
}

TEST(CommandLines, TheQuotedProgramIsTheApplicationName) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\pel orin\\Editor\\editor.exe\" \"a b.uvf\"", "C:\\pel orin\\Editor\\editor.exe"},
      // The system adds ".exe" to a program without an extension; so must the application name.
      {"\"C:\\Spell Helpers\\Helper\"", "C:\\Spell Helpers\\Helper.exe"},
      {"\"C:\\Tools.v2\\Helper\" x", "C:\\Tools.v2\\Helper.exe"},
      // Not quoted, or a bare name: the system parses and searches as it does for any command line.
      {"C:\\Pelorin\\restart.exe", ""},
      {"\"Helper\"", ""},
      {"\"\" x", ""},
      {"\"C:\\unterminated", ""},
      {"", ""},
  };
  for (const auto& [line, program] : cases) EXPECT_EQ(QuotedProgramOf(line), program) << line;
}

}  // namespace
