// What the core test programs share: a test case with its own registry (the settings store started
// on it) and its own projects folder, and small writers of project files.
#pragma once

#include <initializer_list>
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
