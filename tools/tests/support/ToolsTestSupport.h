// What the tools' test programs share: a test case with its own registry and projects folder
// holding the project "Test Project" (short name TST, books named "<ID>TST.SFM", the markers of the
// core tests' style sheet), with the check settings loaded as the main window loads them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckPunctuation.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace tools_testing {

using Lines = std::vector<std::string>;

inline Lines ItemsOf(TStrings* list) {
  Lines lines;
  for (int i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
  return lines;
}

inline std::unique_ptr<TStringList> ListOf(const Lines& lines) {
  std::unique_ptr<TStringList> list(new TStringList());
  for (const std::string& line : lines) list->Add(line);
  return list;
}

// The file's lines; none when it is missing.
inline Lines FileLines(const std::string& path) {
  std::unique_ptr<TStringList> lines(new TStringList());
  if (FileExists(path)) lines->LoadFromFile(path);
  return ItemsOf(lines.get());
}

// The bytes of a fixture file of tools/tests/fixtures.
inline std::string Fixture(const std::string& name) {
  return testing_support::ReadFileBytes(std::string(TOOLS_FIXTURES_DIR) + name);
}

class ToolsTest : public core_testing::CoreTest {
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
  }

  // Writes a book of the project from its lines, each ended with carriage return and line feed.
  void WriteTestBook(const std::string& id, const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    testing_support::WriteFileBytes(BookPath(id), bytes);
  }
  // Copies a fixture file as a book of the project.
  void WriteFixtureBook(const std::string& id, const std::string& fixture) {
    const std::string bytes = Fixture(fixture);
    ASSERT_FALSE(bytes.empty()) << fixture;
    testing_support::WriteFileBytes(BookPath(id), bytes);
  }
  std::string BookPath(const std::string& id) const { return Projects() + "TST\\" + id + "TST.SFM"; }
  std::string WorkFolder() const { return Projects() + "TST\\Pelorin\\"; }
};

}  // namespace tools_testing
