// What the program's test programs share: a test case with its own registry, program folder and
// projects folder holding the project "Test Project" (short name TST, books named "<ID>TST.SFM",
// the markers of the core tests' style sheet), with the check settings loaded as the main window
// loads them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace app_testing {

using Lines = std::vector<std::string>;

inline Lines ItemsOf(TStrings* list) {
  Lines lines;
  for (int i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
  return lines;
}

// The file's lines; none when it is missing.
inline Lines FileLines(const std::string& path) {
  std::unique_ptr<TStringList> lines(new TStringList());
  if (FileExists(path)) lines->LoadFromFile(path);
  return ItemsOf(lines.get());
}

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

class AppTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    ProgramFolder = temp_.Path();
    WriteDefaultBrackets(ProgramFolder);
    WriteProject("TST", "Test Project", "", "TST.SFM");
    MyReg->SetCurrentProject("Test Project");
    testing_support::WriteFileBytes(Projects() + "test.sty", core_testing::TestStyleSheet());
    LoadStyleSheet();
    LoadCheckSettings();
    Fonts = DefaultFontTable();
  }

  // Writes a book of the project with the given file age (seconds after a fixed moment, so that
  // ages differ by whole two-second steps as file ages count them).
  std::string WriteTestBook(const std::string& id, const Lines& lines, int seconds = 0) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    const std::string path = BookPath(id);
    testing_support::WriteFileBytes(path, bytes);
    SetAge(path, seconds);
    return path;
  }
  std::string BookPath(const std::string& id) const { return Projects() + "TST\\" + id + "TST.SFM"; }
  static Integer AgeAt(int seconds) { return DateTimeToFileDate(EncodeDate(2021, 3, 4) + seconds / 86400.0); }
  static void SetAge(const std::string& path, int seconds) { FileSetDate(path, AgeAt(seconds)); }

  std::string WorkFolder() const { return Projects() + "TST\\Pelorin\\"; }
  std::string ResultsPath(const std::string& englishName) const { return WorkFolder() + englishName + ".dat"; }
  Lines ResultsOf(const std::string& englishName) const { return FileLines(ResultsPath(englishName)); }
};

}  // namespace app_testing
