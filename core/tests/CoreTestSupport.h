// What the core test programs share: a test case with its own registry (the settings store started
// on it) and its own projects folder, and small writers of project files.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "core/MyRegistry.h"
#include "core/StyleSheetUnit.h"
#include "tests/support/TestSupport.h"

namespace core_testing {

// Lines joined with carriage return and line feed, each line ended.
inline std::string CrLf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The markers the check tests use, as a style sheet declares them.
inline std::string TestStyleSheet() {
  struct Row {
    const char* Marker;
    const char* TextType;
    const char* Properties;
  };
  const Row rows[] = {
      {"id", "Other", "paragraph nonpublishable nonvernacular book"},
      {"h", "Other", "paragraph publishable vernacular"},
      {"mt", "Title", "paragraph publishable vernacular level_1"},
      {"st", "Title", "paragraph publishable vernacular level_2"},
      {"s", "Section", "paragraph publishable vernacular level_1"},
      {"c", "ChapterNumber", "chapter"},
      {"v", "VerseNumber", "verse"},
      {"p", "VerseText", "paragraph publishable vernacular"},
      {"q", "VerseText", "paragraph publishable vernacular poetic"},
      {"nb", "VerseText", "paragraph publishable vernacular"},
      {"z", "Other", "paragraph nonpublishable"},
  };
  std::string text = "# markers of the test books\r\n";
  for (const Row& r : rows)
    text += std::string("\r\n\\Marker ") + r.Marker + "\r\n\\TextType " + r.TextType + "\r\n\\TextProperties " +
            r.Properties + "\r\n";
  return text;
}

// Every value of the settings key "Software\Pelorin" of the current user as stored, read with the
// plain Windows calls so that a test sees what was really stored; each must be a text value.
inline std::map<std::string, std::string> StoredSettings() {
  std::map<std::string, std::string> values;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Pelorin", 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256], data[1024];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
      break;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    values[name] = std::string(data, dataSize ? dataSize - 1 : 0);
  }
  RegCloseKey(key);
  return values;
}

// The letters of a Spanish team in Settings > Characters: "Capitals" and "Small Letters" hold A to Z
// and a to z with the accented vowels, N with tilde and U with diaeresis of code page 1252. They
// take effect when the check settings are loaded again (LoadCheckSettings).
inline void WriteSpanishLetters() {
  WriteSettingString("Capitals", "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC1\xC9\xCD\xD3\xDA\xD1\xDC");
  WriteSettingString("Small Letters", "abcdefghijklmnopqrstuvwxyz\xE1\xE9\xED\xF3\xFA\xF1\xFC");
}

// Stores a text value of the settings key, as another program (or the user) would.
inline void StoreSetting(const std::string& name, const std::string& text) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pelorin", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

// The values a first start writes into an empty settings key whose projects folder (slot S6) is
// `projects` (its default, or given beforehand): no "B3", whose default false is never written.
inline std::map<std::string, std::string> DefaultSettings(const std::string& projects = "C:\\My Paratext Projects\\") {
  return {
      {"Sentence Enders", ".:?!"},
      {"BibleWorks Folder", "c:\\Program Files\\BibleWorks 5"},
      {"BibleWorks Filename", "bw500"},
      {"Sentence Indifferent Characters", "[]{}()<>\"-"},
      {"Small Letters", "abcdefghijklmnopqrstuvwxyz"},
      {"Capitals", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {"Non Adjacent Characters", ",.:;?![{("},
      {"Chars Right Of Closing Quotes", ",.;?!"},
      {"Chars Filtered Out", "[]"},
      {"Default ID", "MAT"},
      {"Extra chars in text", ""},
      {"Line spacing", "100"},
      {"Include date", "T"},
      {"Hebrew cut length", "60"},
      {"Heading in All Caps", "F"},
      {"Date format", "d mmm yyyy"},
      {"Remove chapter line", "chapter"},
      {"I1", "1"},
      {"S1", "WTT"},
      {"S2", "SCR"},
      {"I5", "3"},
      {"S4", "bcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ"},
      {"S5", "aeiouAEIOU"},
      {"S6", projects},
      {"S10", projects + "eBooks\\"},
      {"I6", "2"},
      {"I7", "100"},
      {"S11", projects + "Printing\\"},
      {"I8", "25"},
      {"I9", "25"},
      {"I10", "25"},
      {"I11", "25"},
      {"I12", "1"},
      {"S12", "C:\\Program Files\\OverDrive ReaderWorks\\RWStan.exe"},
  };
}

// A test case whose settings store runs on an isolated registry, with the Paratext projects folder
// set to Projects() inside its temporary folder (not created).
class CoreTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    InitializeMyRegistry();
    MyReg->SetParatextProjectsFolder(Projects());
  }
  void TearDown() override {
    FinalizeStyleSheet();
    FinalizeMyRegistry();
  }

  std::string Projects() const { return temp_.Path() + "Projects\\"; }

  // Writes the settings file of a project whose books live in Projects() + shortName.
  void WriteProject(const std::string& shortName, const std::string& fullName, const std::string& prePart,
                    const std::string& postPart, const std::string& styleSheet = "test.sty",
                    const std::string& versification = "4") {
    testing_support::WriteFileBytes(
        Projects() + shortName + ".ssf",
        CrLf({"<ScriptureText>", "<DefaultFont>Arial</DefaultFont>", "<Directory>" + Projects() + shortName + "</Directory>",
              "<FullName>" + fullName + "</FullName>", "<Language>English</Language>", "<Name>" + shortName + "</Name>",
              "<StyleSheet>" + Projects() + styleSheet + "</StyleSheet>", "<Versification>" + versification + "</Versification>",
              "<Naming PrePart=\"" + prePart + "\" PostPart=\"" + postPart + "\" BookNameForm=\"41MAT\"></Naming>",
              "</ScriptureText>"}));
  }

  void WriteBook(const std::string& shortName, const std::string& fileName, const std::string& bytes) {
    testing_support::WriteFileBytes(Projects() + shortName + "\\" + fileName, bytes);
  }
};

}  // namespace core_testing
