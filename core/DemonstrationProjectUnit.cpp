#include "core/DemonstrationProjectUnit.h"

#include <initializer_list>
#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"

namespace {

const char* const kShortName = "PQ$";
const char* const kFullName = "Pelorin Demonstration Project";

// Saves the lines through a string list, so that each ends with carriage return and line feed.
void SaveLines(const AnsiString& path, std::initializer_list<AnsiString> lines) {
  std::unique_ptr<TStringList> list(new TStringList());
  for (const AnsiString& line : lines) list->Add(line);
  list->SaveToFile(path);
}

void CreateFolder(const AnsiString& folder) {
  if (!ForceDirectories(folder)) throw EInOutError("Unable to create directory " + folder);
}

// The markers the demonstration book uses, as a style sheet declares them.
void WriteStyleSheet(const AnsiString& path) {
  SaveLines(path, {
                      "# Style sheet of the Pelorin demonstration project",
                      "",
                      "\\Marker id",
                      "\\Name id - File - Identification",
                      "\\TextType Other",
                      "\\TextProperties paragraph nonpublishable nonvernacular book",
                      "\\StyleType Paragraph",
                      "",
                      "\\Marker c",
                      "\\Name c - Chapter Number",
                      "\\TextType ChapterNumber",
                      "\\TextProperties chapter",
                      "\\StyleType Paragraph",
                      "",
                      "\\Marker p",
                      "\\Name p - Paragraph - Normal - First Line Indent",
                      "\\TextType VerseText",
                      "\\TextProperties paragraph publishable vernacular",
                      "\\StyleType Paragraph",
                      "",
                      "\\Marker v",
                      "\\Name v - Verse Number",
                      "\\TextType VerseNumber",
                      "\\TextProperties verse",
                      "\\StyleType Character",
                  });
}

void WriteLanguageFile(const AnsiString& path) {
  SaveLines(path, {"[General]", "codepage=1252", "font=Times New Roman", "name=English", "RTL=F", "size=14"});
}

}  // namespace

void WriteDemonstrationProject() {
  const AnsiString f = MyReg->GetParatextProjectsFolder();
  // Without a folder the files would land in whatever the current folder is.
  if (f.empty()) throw Exception("no projects folder is set");
  const AnsiString name = kShortName;
  CreateFolder(f);
  SaveLines(f + name + ".ssf", {
                                   "",
                                   "<ScriptureText>",
                                   "<DefaultFont>Times New Roman</DefaultFont>",
                                   "<DefaultFontSize>14</DefaultFontSize>",
                                   "<Directory>" + f + name + "</Directory>",
                                   "<Editable>T</Editable>",
                                   "<FileNameForm>MAT</FileNameForm>",
                                   "<FileNamePostPart>.SFC</FileNamePostPart>",
                                   "<FileNamePrePart>" + name + "</FileNamePrePart>",
                                   "<FullName>" + AnsiString(kFullName) + "</FullName>",
                                   "<Language>English</Language>",
                                   "<Name>" + name + "</Name>",
                                   "<NeverShowBackupReminder>T</NeverShowBackupReminder>",
                                   "<SharedP5Project></SharedP5Project>",
                                   "<StyleSheet>" + f + "default.sty</StyleSheet>",
                                   "<Versification>4</Versification>",
                                   "<Naming PrePart=\"" + name + "\" PostPart=\".SFC\" BookNameForm=\"MAT\"></Naming>",
                                   "</ScriptureText>",
                                   "",
                               });
  MyReg->SetCurrentProject(kFullName);
  CreateFolder(f + name);
  SaveLines(f + name + "\\" + name + "JHN.SFC",
            {"\\id JHN", "\\c 1", "\\p",
             "\\v 1 In the beginning was the Word, and the Word was with God, and the Word was God."});
  if (!FileExists(f + "default.sty")) WriteStyleSheet(f + "default.sty");
  if (!FileExists(f + "English.lds")) WriteLanguageFile(f + "English.lds");
}
