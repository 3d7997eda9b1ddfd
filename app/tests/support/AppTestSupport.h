// What the program's test programs share: the tools' test case (its own registry, program folder
// and projects folder holding the project "Test Project" with the check settings loaded), with
// the font table the main window loads and books written with a given file age.
#pragma once

#include <string>

#include "core/FontTable.h"
#include "tools/tests/support/ToolsTestSupport.h"

namespace app_testing {

using tools_testing::FileLines;
using tools_testing::ItemsOf;
using tools_testing::Lines;

// The lines of a log that another program may be writing meanwhile (read without keeping it from
// writing); none when it is missing.
inline Lines LogLines(const std::string& path) {
  const std::string bytes = testing_support::ReadFileBytes(path);
  Lines lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The tools' test case with the program's font table.
class AppTest : public tools_testing::ToolsTest {
protected:
  void SetUp() override {
    ToolsTest::SetUp();
    Fonts = DefaultFontTable();
  }

  // Writes a book of the project with the given file age (seconds after a fixed moment, so that
  // ages differ by whole two-second steps as file ages count them).
  std::string WriteTestBook(const std::string& id, const Lines& lines, int seconds = 0) {
    ToolsTest::WriteTestBook(id, lines);
    const std::string path = BookPath(id);
    SetAge(path, seconds);
    return path;
  }
  static Integer AgeAt(int seconds) { return DateTimeToFileDate(EncodeDate(2021, 3, 4) + seconds / 86400.0); }
  static void SetAge(const std::string& path, int seconds) { FileSetDate(path, AgeAt(seconds)); }

  std::string ResultsPath(const std::string& englishName) const { return WorkFolder() + englishName + ".dat"; }
  Lines ResultsOf(const std::string& englishName) const { return FileLines(ResultsPath(englishName)); }
};

}  // namespace app_testing
