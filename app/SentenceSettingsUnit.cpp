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
  Method("FormCreate", &TSentenceSettings::FormCreate);
  Method("ProjectComboBoxChange", &TSentenceSettings::ProjectComboBoxChange);
  Method("OKButtonClick", &TSentenceSettings::OKButtonClick);
}

namespace {

// The settings the edits show, in the edits' order.
struct TCharacterSetting {
  const char* Edit;
  const char* Setting;
};
const TCharacterSetting kCharacterSettings[] = {
    {"EndersEdit", "Sentence Enders"},
    {"IndifferentEdit", "Sentence Indifferent Characters"},
    {"NonAdjacentEdit", "Non Adjacent Characters"},
    {"RightOfQuotesEdit", "Chars Right Of Closing Quotes"},
    {"SmallLettersEdit", "Small Letters"},
    {"CapitalsEdit", "Capitals"},
    {"ExtraCharsEdit", "Extra chars in text"},
    {"FilteredOutEdit", "Chars Filtered Out"},
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
  ProjectComboBox = static_cast<TComboBox*>(FindComponent("ProjectComboBox"));
  VersificationLabel = static_cast<TLabel*>(FindComponent("VersificationLabel"));
  StyleSheetLabel = static_cast<TLabel*>(FindComponent("StyleSheetLabel"));
  EndersEdit = static_cast<TEdit*>(FindComponent("EndersEdit"));
  IndifferentEdit = static_cast<TEdit*>(FindComponent("IndifferentEdit"));
  NonAdjacentEdit = static_cast<TEdit*>(FindComponent("NonAdjacentEdit"));
  RightOfQuotesEdit = static_cast<TEdit*>(FindComponent("RightOfQuotesEdit"));
  BracketsMemo = static_cast<TMemo*>(FindComponent("BracketsMemo"));
  SmallLettersEdit = static_cast<TEdit*>(FindComponent("SmallLettersEdit"));
  CapitalsEdit = static_cast<TEdit*>(FindComponent("CapitalsEdit"));
  ExtraCharsEdit = static_cast<TEdit*>(FindComponent("ExtraCharsEdit"));
  FilteredOutEdit = static_cast<TEdit*>(FindComponent("FilteredOutEdit"));
  OKButton = static_cast<TButton*>(FindComponent("OKButton"));
  CancelButton = static_cast<TButton*>(FindComponent("CancelButton"));
}

TSentenceSettings::~TSentenceSettings() { delete projects_; }

void TSentenceSettings::FormCreate(TObject*) {
  projects_ = new TAllScriptures();
  ProjectComboBox->GetItems()->Assign(projects_->FullNames);
  ProjectComboBox->SetItemIndex(projects_->CurrentIndex);
  ProjectComboBoxChange(this);
  for (const TCharacterSetting& c : kCharacterSettings)
    static_cast<TEdit*>(FindComponent(c.Edit))->SetText(ReadSettingString(c.Setting));
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
    WriteSettingString(c.Setting, static_cast<TEdit*>(FindComponent(c.Edit))->GetText());
  if (ReplaceFileContents(BracketsFile(), BracketsMemo->GetLines()->GetText()) != 0)
    Application->MessageBox("The bracket pairs cannot be saved as " + BracketsFile() + ".", "Pelorin",
                            MB_OK | MB_ICONERROR);
  const Integer index = ProjectComboBox->GetItemIndex();
  if (index < 0) return;
  MyReg->SetCurrentProject(projects_->FullNames->GetStrings(index));
  MigrateListFiles(projects_->Directories->GetStrings(index));
}
