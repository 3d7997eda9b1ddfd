#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/CheckMessages.h"
#include "core/DemonstrationProjectUnit.h"
#include "core/SSFUnit.h"
#include "core/ScripturesUnit.h"
#include "core/StyleSheetUnit.h"
#include "core/USFMUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using core_testing::CrLf;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class ProjectFilesTest : public core_testing::CoreTest {
protected:
  void WriteSsf(const std::string& shortName, const std::string& bytes) {
    WriteFileBytes(Projects() + shortName + ".ssf", bytes);
  }
};

TEST_F(ProjectFilesTest, TagsAreFoundByTheirElementNameAtTheLineStart) {
  WriteSsf("ABC", CrLf({"<ScriptureText>", "<DirectoryOld>X</DirectoryOld>", "<Directory>C:\\real</Directory>",
                        "\t <FullName>Alpha Bible Company</FullName>  ", "<StyleSheet>C:\\P\\usfm.sty</StyleSheet>",
                        "<Language>Gikuyu</Language>", "</ScriptureText>"}));
  // A prefix test: the first element whose name begins with the tag wins, cut as if it were the tag.
  EXPECT_EQ(GetProjectDirectory("ABC"), "ld>X</D");
  EXPECT_EQ(GetProjectFullName("ABC"), "Alpha Bible Company");
  EXPECT_EQ(GetProjectStyleSheet("ABC"), "C:\\P\\usfm.sty");
  EXPECT_EQ(ReadProjectTag("ABC", ptLanguage), "Gikuyu");
  EXPECT_EQ(ReadProjectTag("ABC", ptDefaultFont), "");
  EXPECT_THROW(ReadProjectTag("NONE", ptFullName), EFOpenError);
}

TEST_F(ProjectFilesTest, VersificationFallsBackToEnglish) {
  struct Row {
    const char* Line;
    int Expected;
  } rows[] = {
      {"<Versification>1</Versification>", 1}, {"<Versification>5</Versification>", 5},
      {"<Versification>7</Versification>", 4}, {"<Versification></Versification>", 4},
      {"<Versification>x</Versification>", 4}, {"<Name>V</Name>", 4},
  };
  for (const Row& r : rows) {
    WriteSsf("V", CrLf({"<ScriptureText>", r.Line, "</ScriptureText>"}));
    EXPECT_EQ(GetProjectVersification("V"), r.Expected) << r.Line;
  }
}

TEST_F(ProjectFilesTest, NamingAttributes) {
  AnsiString pre, post, form;
  WriteSsf("N1", CrLf({"<Naming PrePart=\"PQ$\" PostPart=\".SFC\" BookNameForm=\"MAT\"></Naming>"}));
  GetProjectNaming("N1", pre, post, form);
  EXPECT_EQ(pre, "PQ$");
  EXPECT_EQ(post, ".SFC");
  EXPECT_EQ(form, "MAT");
  WriteSsf("N2", CrLf({"<Naming PrePart=\"AB\" BookNameForm=\"41MAT\"></Naming>"}));
  GetProjectNaming("N2", pre, post, form);
  EXPECT_EQ(pre, "AB");
  EXPECT_EQ(post, "");
  EXPECT_EQ(form, "41MAT");
}

TEST_F(ProjectFilesTest, LanguageSettings) {
  WriteSsf("L", CrLf({"<Language>Kisii</Language>"}));
  WriteFileBytes(Projects() + "Kisii.lds", CrLf({"[General]", "codepage=1252", "  font=Kisii Serif", "name=Kisii"}));
  EXPECT_EQ(GetLanguageFontName("L"), "Kisii Serif");
  EXPECT_EQ(GetLanguageFontSize("L"), 12);  // no "size=" line
  WriteFileBytes(Projects() + "Kisii.lds", CrLf({"size=16", "font=Kisii Sans"}));
  EXPECT_EQ(GetLanguageFontSize("L"), 16);
  EXPECT_EQ(ReadLanguageSetting("Kisii", lkFont), "Kisii Sans");
}

TEST_F(ProjectFilesTest, ListsTheSettingsFilesOfTheProjectsFolder) {
  WriteSsf("KJV", "");
  WriteSsf("PQ$", "");
  WriteFileBytes(Projects() + "notes.txt", "");
  WriteFileBytes(Projects() + "KJV\\inner.ssf", "");
  std::unique_ptr<TStringList> list(new TStringList());
  list->Add("stale");
  ListProjectFiles(list.get());
  std::vector<std::string> names;
  for (int i = 0; i < list->GetCount(); ++i) names.push_back(list->GetStrings(i));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"KJV", "PQ$"}));
}

TEST_F(ProjectFilesTest, DemonstrationProjectIsWrittenIntoAnEmptyFolder) {
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  const std::string f = Projects();
  EXPECT_EQ(ReadFileBytes(f + "PQ$.ssf"),
            CrLf({"", "<ScriptureText>", "<DefaultFont>Times New Roman</DefaultFont>",
                  "<DefaultFontSize>14</DefaultFontSize>", "<Directory>" + f + "PQ$</Directory>", "<Editable>T</Editable>",
                  "<FileNameForm>MAT</FileNameForm>", "<FileNamePostPart>.SFC</FileNamePostPart>",
                  "<FileNamePrePart>PQ$</FileNamePrePart>", "<FullName>Pelorin Demonstration Project</FullName>",
                  "<Language>English</Language>", "<Name>PQ$</Name>",
                  "<NeverShowBackupReminder>T</NeverShowBackupReminder>", "<SharedP5Project></SharedP5Project>",
                  "<StyleSheet>" + f + "default.sty</StyleSheet>", "<Versification>4</Versification>",
                  "<Naming PrePart=\"PQ$\" PostPart=\".SFC\" BookNameForm=\"MAT\"></Naming>", "</ScriptureText>",
                  ""}));
  EXPECT_EQ(ReadFileBytes(f + "PQ$\\PQ$JHN.SFC"),
            CrLf({"\\id JHN", "\\c 1", "\\p",
                  "\\v 1 In the beginning was the Word, and the Word was with God, and the Word was God."}));
  EXPECT_EQ(MyReg->GetCurrentProject(), "Pelorin Demonstration Project");
  ASSERT_EQ(all->ShortNames->GetCount(), 1);
  EXPECT_EQ(all->ShortNames->GetStrings(0), "PQ$");
  EXPECT_EQ(all->FullNames->GetStrings(0), "Pelorin Demonstration Project");
  EXPECT_EQ(all->CurrentIndex, 0);
  EXPECT_EQ(all->Problem, "");

  // The project is usable by every function: its language file and its style sheet exist.
  EXPECT_EQ(GetLanguageFontName("PQ$"), "Times New Roman");
  EXPECT_EQ(GetLanguageFontSize("PQ$"), 14);
  LoadStyleSheet();
  ASSERT_EQ(StyleSheetMarkers->GetCount(), 4);
  const struct {
    const char* Marker;
    StyleSheetTextTypeType Type;
    TStyleSheetTextProperties Properties;
  } expected[] = {
      {"id", sttOther, tpParagraph | tpNonPublishable | tpNonVernacular | tpBook},
      {"c", sttChapterNumber, tpChapter},
      {"p", sttVerseText, tpParagraph | tpPublishable | tpVernacular},
      {"v", sttVerseNumber, tpVerse},
  };
  for (const auto& e : expected) {
    const int i = FindStyleSheetMarker(e.Marker);
    ASSERT_GE(i, 0) << e.Marker;
    EXPECT_EQ(StyleSheetTextTypes[i], e.Type) << e.Marker;
    EXPECT_EQ(StyleSheetTextProperties[i], e.Properties) << e.Marker;
  }
}

TEST_F(ProjectFilesTest, DemonstrationBookPassesTheMarkerCheck) {
  std::unique_ptr<TScripture> scripture(new TScripture(nullptr, -1));
  LoadStyleSheet();
  std::unique_ptr<TStringList> results(new TStringList());
  SetMessageTarget(results.get(), nullptr);
  std::unique_ptr<TUSFM> usfm(new TUSFM(scripture.get()));
  usfm->BookId = "JHN";
  usfm->FileName = scripture->BookFiles->GetStrings(0);
  AnsiString name;
  ASSERT_TRUE(scripture->NextBook(name));
  EXPECT_EQ(name, "John");
  std::unique_ptr<TStringList> lines(new TStringList());
  lines->SetText(scripture->Text);
  for (int i = 0; i < lines->GetCount(); ++i) usfm->CheckLine(lines->GetStrings(i));
  SetMessageTarget(nullptr, nullptr);
  EXPECT_EQ(lines->GetCount(), 4);
  EXPECT_EQ(results->GetCount(), 0) << results->GetText();
  EXPECT_EQ(usfm->GetReference(), "JHN 1:1 ");
}

TEST_F(ProjectFilesTest, DemonstrationProjectKeepsASharedStyleSheetAndLanguageFile) {
  WriteFileBytes(Projects() + "default.sty", "\\Marker mine\r\n");
  WriteFileBytes(Projects() + "English.lds", "font=Mine\r\n");
  WriteDemonstrationProject();
  EXPECT_EQ(ReadFileBytes(Projects() + "default.sty"), "\\Marker mine\r\n");
  EXPECT_EQ(ReadFileBytes(Projects() + "English.lds"), "font=Mine\r\n");
  EXPECT_TRUE(FileExists(Projects() + "PQ$\\PQ$JHN.SFC"));
}

}  // namespace
