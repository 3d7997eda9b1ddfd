// What the program's test programs share: the tools' test case (its own registry, program folder
// and projects folder holding the project "Test Project" with the check settings loaded), with
// the font table the main window loads and books written with a given file age.
#pragma once

#include <string>
#include <utility>

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

// Where two long logs part: gtest prints only the first 32 lines of each, and a log that goes
// wrong late would show nothing of where. Empty when they are equal.
inline std::string WhereLinesPart(const Lines& actual, const Lines& expected) {
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  if (at == actual.size() && at == expected.size()) return {};
  std::string text = "the lines part at line " + std::to_string(at + 1) + "\n";
  for (const auto& [name, lines] : {std::pair{"actual", &actual}, std::pair{"expected", &expected}}) {
    text += std::string(name) + " from there:\n";
    for (std::size_t i = at; i < lines->size() && i < at + 16; ++i) text += "  " + (*lines)[i] + "\n";
  }
  return text;
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
