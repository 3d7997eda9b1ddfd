// What the tests of the consistency lists share: the fixture files copied into the test's own
// folder, lines of tables and lists as vectors, and file bytes written from lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "core/DatabaseUnit.h"
#include "tests/support/TestSupport.h"

namespace list_testing {

using Lines = std::vector<std::string>;

// Lines each ended by carriage return and line feed, as the tables write them.
inline std::string CrLf(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

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

// A fixture file of tools/tests/fixtures/consistency/ as the program reads it.
inline std::string FixturePath(const std::string& name) {
  return std::string("Z:") + TOOLS_FIXTURES_DIR + "consistency/" + name;
}
inline std::string Fixture(const std::string& name) { return testing_support::ReadFileBytes(FixturePath(name)); }
inline Lines FixtureLines(const std::string& name) {
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->LoadFromFile(FixturePath(name));
  return ItemsOf(lines.get());
}

// A test with the fixtures of a keywords list (kwotref.txt, kwotdef.txt and
// KeyWordsOTTranslation.txt) copied into its own folder.
class ListFilesTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    for (const char* name : {"kwotref.txt", "kwotdef.txt", "KeyWordsOTTranslation.txt"}) {
      const std::string bytes = Fixture(name);
      ASSERT_FALSE(bytes.empty()) << name;
      testing_support::WriteFileBytes(temp_.File(name), bytes);
    }
  }
  std::string Bytes(const std::string& name) const { return testing_support::ReadFileBytes(temp_.File(name)); }
};

}  // namespace list_testing
