#include "app/SentenceSettingsUnit.h"

#include <memory>

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/SSFUnit.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

extern const char SentenceSettingsUnitFormText[];

PUBLISHED(TSentenceSettings) {
  Field("ProjectComboBox", &TSentenceSettings::ProjectComboBox);
  Field("VersificationLabel", &TSentenceSettings::VersificationLabel);
  Field("StyleSheetLabel", &TSentenceSettings::StyleSheetLabel);
  Field("EndersEdit", &TSentenceSettings::EndersEdit);
  Field("IndifferentEdit", &TSentenceSettings::IndifferentEdit);
  Field("NonAdjacentEdit", &TSentenceSettings::NonAdjacentEdit);
  Field("RightOfQuotesEdit", &TSentenceSettings::RightOfQuotesEdit);
  Field("BracketsMemo", &TSentenceSettings::BracketsMemo);
  Field("SmallLettersEdit", &TSentenceSettings::SmallLettersEdit);
  Field("CapitalsEdit", &TSentenceSettings::CapitalsEdit);
  Field("ExtraCharsEdit", &TSentenceSettings::ExtraCharsEdit);
  Field("FilteredOutEdit", &TSentenceSettings::FilteredOutEdit);
  Field("OKButton", &TSentenceSettings::OKButton);
  Field("CancelButton", &TSentenceSettings::CancelButton);
  Method("FormCreate", &TSentenceSettings::FormCreate);
  Method("ProjectComboBoxChange", &TSentenceSettings::ProjectComboBoxChange);
  Method("OKButtonClick", &TSentenceSettings::OKButtonClick);
}

namespace {

// The settings the edits show, in the edits' order.
struct TCharacterSetting {
  TEdit* TSentenceSettings::*Edit;
  const char* Setting;
};
const TCharacterSetting kCharacterSettings[] = {
    {&TSentenceSettings::EndersEdit, "Sentence Enders"},
    {&TSentenceSettings::IndifferentEdit, "Sentence Indifferent Characters"},
    {&TSentenceSettings::NonAdjacentEdit, "Non Adjacent Characters"},
    {&TSentenceSettings::RightOfQuotesEdit, "Chars Right Of Closing Quotes"},
    {&TSentenceSettings::SmallLettersEdit, "Small Letters"},
    {&TSentenceSettings::CapitalsEdit, "Capitals"},
    {&TSentenceSettings::ExtraCharsEdit, "Extra chars in text"},
    {&TSentenceSettings::FilteredOutEdit, "Chars Filtered Out"},
};

// Where a list file lived before it got its present name in the work folder.
enum TOldFolder { ofProject, ofProgram };
struct TListFileMove {
  const char* OldName;
  TOldFolder OldFolder;
  const char* NewName;
};
const TListFileMove kListFileMoves[] = {
    {"names.txt", ofProject, "ApprovedNames.txt"},
    {"nonames.txt", ofProject, "DisapprovedNames.txt"},
    {"namescomparison.txt", ofProject, "ComparedNames.txt"},
    {"ffottra.txt", ofProgram, "FloraFaunaOTTranslation.txt"},
    {"ffnttra.txt", ofProgram, "FloraFaunaNTTranslation.txt"},
    {"bwnttra.txt", ofProgram, "BorrowedWordsNTTranslation.txt"},
    {"kwottra.txt", ofProgram, "KeyWordsOTTranslation.txt"},
    {"bookstarget.txt", ofProject, "HeadingsOfBooks.txt"},
    {"hyphenation.txt", ofProject, "HyphenatedWords.txt"},
    {"unwantedwords.txt", ofProgram, "UnwantedWords.txt"},
};

AnsiString BracketsFile() { return ProgramFolder + "brackets.txt"; }

}  // namespace

void MigrateListFile(const AnsiString& oldPath, const AnsiString& newPath) {
  if (FileExists(newPath) || !FileExists(oldPath)) return;
  std::unique_ptr<TStringList> lines(new TStringList());
  try {
    lines->LoadFromFile(oldPath);
  } catch (const Exception&) {
    return;
  }
  ForceDirectories(ExtractFilePath(newPath));
  if (ReplaceFileContents(newPath, lines->GetText()) == 0) DeleteFile(oldPath);
}

void MigrateListFiles(const AnsiString& projectFolder) {
  const AnsiString project = IncludeTrailingBackslash(projectFolder);
  const AnsiString work = project + "Pelorin\\";
  for (const TListFileMove& move : kListFileMoves)
    MigrateListFile((move.OldFolder == ofProject ? project : ProgramFolder) + move.OldName, work + move.NewName);
}

TSentenceSettings::TSentenceSettings(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, SentenceSettingsUnitFormText);
}

TSentenceSettings::~TSentenceSettings() { delete projects_; }

void TSentenceSettings::FormCreate(TObject*) {
  projects_ = new TAllScriptures();
  ProjectComboBox->GetItems()->Assign(projects_->FullNames);
  ProjectComboBox->SetItemIndex(projects_->CurrentIndex);
  ProjectComboBoxChange(this);
  for (const TCharacterSetting& c : kCharacterSettings)
    (this->*c.Edit)->SetText(ReadSettingString(c.Setting));
  std::unique_ptr<TStringList> brackets(new TStringList());
  ReadLinesOrNone(BracketsFile(), brackets.get());
  BracketsMemo->GetLines()->Assign(brackets.get());
}

void TSentenceSettings::ProjectComboBoxChange(TObject*) {
  const Integer index = ProjectComboBox->GetItemIndex();
  AnsiString versification, styleSheet;
  if (index >= 0 && index < projects_->ShortNames->GetCount()) {
    const AnsiString shortName = projects_->ShortNames->GetStrings(index);
    try {
      versification = VersificationName(GetProjectVersification(shortName));
      styleSheet = GetProjectStyleSheet(shortName);
    } catch (const Exception&) {
      // A settings file that went missing meanwhile shows nothing.
    }
  }
  VersificationLabel->SetCaption("Versification: " + versification);
  StyleSheetLabel->SetCaption("Stylesheet: " + styleSheet);
}

void TSentenceSettings::OKButtonClick(TObject*) {
  for (const TCharacterSetting& c : kCharacterSettings)
    WriteSettingString(c.Setting, (this->*c.Edit)->GetText());
  if (ReplaceFileContents(BracketsFile(), BracketsMemo->GetLines()->GetText()) != 0)
    Application->MessageBox("The bracket pairs cannot be saved as " + BracketsFile() + ".", "Pelorin",
                            MB_OK | MB_ICONERROR);
  const Integer index = ProjectComboBox->GetItemIndex();
  if (index < 0) return;
  MyReg->SetCurrentProject(projects_->FullNames->GetStrings(index));
  MigrateListFiles(projects_->Directories->GetStrings(index));
}
