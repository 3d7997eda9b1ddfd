// What the tests of the consistency lists share: the fixture files copied into the test's own
// folder, lines of tables and lists as vectors, and file bytes written from lines.
#pragma once

#include <initializer_list>
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

// The records of the fixture kwotref.txt, one record a row, in the order of the file.
const Lines kBara1 = {"bara", "GEN 1:1", "0"};
const Lines kElohim = {"elohim", "GEN 1:1", "0"};
const Lines kShamayim = {"shamayim", "GEN 1:1", "0"};
const Lines kErets1 = {"erets", "GEN 1:1", "0"};
const Lines kBara21 = {"bara", "GEN 1:21", "0"};
const Lines kBara27a = {"bara", "GEN 1:27", "1"};
const Lines kBara27b = {"bara", "GEN 1:27", "2"};
const Lines kBara27c = {"bara", "GEN 1:27", "3"};
const Lines kErets24 = {"erets", "PSA 24:1", "0"};
const Lines kNephesh = {"nephesh", "GEN 2:7", "0"};
const Lines kBaraIsa = {"Bara", "ISA 43:1", "0"};

// The bytes of a file of the records.
inline std::string Records(std::initializer_list<Lines> records) {
  Lines lines;
  for (const Lines& r : records) lines.insert(lines.end(), r.begin(), r.end());
  return CrLf(lines);
}

// The reference list of every keyword of the fixtures (with their translations), in
// versification 1: in the order of the definitions, and for one keyword of its references.
const Lines kFixtureReferenceList = {
    "GEN 1:1 - Hebrew: bara - English: create - only item - Translate as: erschaffen",
    "GEN 1:21 - Hebrew: bara - English: create - only item - Translate as: erschaffen",
    "GEN 1:27 - Hebrew: bara - English: create - 1st item - Translate as: erschaffen",
    "GEN 1:27 - Hebrew: bara - English: create - 2nd item - Translate as: erschaffen",
    "GEN 1:27 - Hebrew: bara - English: create - 3rd item - Translate as: erschaffen",
    "GEN 1:1 - Hebrew: elohim - English: God - only item - Translate as: Gott",
    "GEN 1:1 - Hebrew: erets - English: earth - only item - Translate as: ",
    "PSA 24:1 - Hebrew: erets - English: earth - only item - Translate as: ",
    "GEN 1:1 - Hebrew: shamayim - English: heaven - only item - Translate as: ",
    "ISA 43:1 - Hebrew: Bara - English: create (a second spelling) - only item - Translate as: ",
    // A definition in no group is produced all the same.
    "GEN 2:7 - Hebrew: nephesh - English: soul - only item - Translate as: ",
};

// The checklist of the fixtures with the groups of a keywords list.
const Lines kFixtureCheckList = {
    "", "", "\\com clothes", "", "",
    "", "", "\\com natural things",
    "\\key erets", "\\keynote earth", "\\ref GEN 1:1", "\\ref PSA 24:1",
    "\\key shamayim", "\\keynote heaven", "\\ref GEN 1:1", "", "",
    "", "", "\\com holy things", "\\key elohim", "\\keynote God", "\\ref GEN 1:1", "", "",
    "", "", "\\com tools", "", "",
    "", "", "\\com grammar", "", "",
    // The two groups without a name.
    "", "", "\\com ", "", "",
    "", "", "\\com ", "", "",
    // "bara" and "Bara" are two keywords with references of their own.
    "", "", "\\com actions",
    "\\key bara", "\\keynote create", "\\ref GEN 1:1", "\\ref GEN 1:21", "\\ref GEN 1:27", "\\ref GEN 1:27",
    "\\ref GEN 1:27",
    "\\key Bara", "\\keynote create (a second spelling)", "\\ref ISA 43:1", "", "",
    "", "", "\\com invisible things", "", "",
    // "nephesh", whose group is "x", is in no group and left out.
};

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
