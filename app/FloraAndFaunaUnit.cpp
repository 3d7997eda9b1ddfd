#include "app/FloraAndFaunaUnit.h"

#include <memory>

#include "app/KeyWordsEditUnit.h"
#include "app/PrintGeneralLists.h"
#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Mapping.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/ConsistencyLists.h"

extern const char FloraAndFaunaUnitFormText[];

PUBLISHED(TFloraAndFaunaDlg) {
  Field("GroupLabel", &TFloraAndFaunaDlg::GroupLabel);
  Field("GroupComboBox", &TFloraAndFaunaDlg::GroupComboBox);
  Field("FloraFaunaListBox", &TFloraAndFaunaDlg::FloraFaunaListBox);
  Field("TranslationGroupBox", &TFloraAndFaunaDlg::TranslationGroupBox);
  Field("OriginalLanguageLabel", &TFloraAndFaunaDlg::OriginalLanguageLabel);
  Field("HebrewGreekEdit", &TFloraAndFaunaDlg::HebrewGreekEdit);
  Field("EnglishEdit", &TFloraAndFaunaDlg::EnglishEdit);
  Field("TargetEdit", &TFloraAndFaunaDlg::TargetEdit);
  Field("ReferencesMemo", &TFloraAndFaunaDlg::ReferencesMemo);
  Field("ProduceSelectedButton", &TFloraAndFaunaDlg::ProduceSelectedButton);
  Field("ProduceAllButton", &TFloraAndFaunaDlg::ProduceAllButton);
  Field("EditButton", &TFloraAndFaunaDlg::EditButton);
  Field("OKBtn", &TFloraAndFaunaDlg::OKBtn);
  Field("CancelBtn", &TFloraAndFaunaDlg::CancelBtn);
  Field("StatusBar1", &TFloraAndFaunaDlg::StatusBar1);
  Method("GroupComboBoxChange", &TFloraAndFaunaDlg::GroupComboBoxChange);
  Method("FloraFaunaListBoxClick", &TFloraAndFaunaDlg::FloraFaunaListBoxClick);
  Method("TargetEditChange", &TFloraAndFaunaDlg::TargetEditChange);
  Method("ProduceSelectedButtonClick", &TFloraAndFaunaDlg::ProduceSelectedButtonClick);
  Method("ProduceAllButtonClick", &TFloraAndFaunaDlg::ProduceAllButtonClick);
  Method("EditButtonClick", &TFloraAndFaunaDlg::EditButtonClick);
  Method("OKBtnClick", &TFloraAndFaunaDlg::OKBtnClick);
  Method("FormClose", &TFloraAndFaunaDlg::FormClose);
  Method("FormDestroy", &TFloraAndFaunaDlg::FormDestroy);
}

namespace {

// Versification 1 ("Original"), in which the lists give their references.
constexpr Integer kListVersification = 1;

}  // namespace

TFloraAndFaunaDlg::TFloraAndFaunaDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, FloraAndFaunaUnitFormText);
  AfterConstruction();
}

void TFloraAndFaunaDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  // Long runs give no chance to paint otherwise.
  StatusBar1->Update();
}

void TFloraAndFaunaDlg::SetupReferenceListDialog() {
  FillingEdits = false;
  if (ReferenceDatabase) ReferenceDatabase->Reload();
  else ReferenceDatabase = new TListDatabase(ReferenceFileName, TListFile::References);
  if (DefinitionDatabase) DefinitionDatabase->Reload();
  else DefinitionDatabase = new TListDatabase(DefinitionFileName, TListFile::Definitions);
  // Never read again: translations typed and not yet saved survive a new set-up.
  if (!TranslationDatabase) TranslationDatabase = new TListDatabase(TranslationFileName, TListFile::Translations);

  ListKindGroups(ListKind, GroupComboBox->GetItems());
  GroupComboBox->SetItemIndex(-1);
  OriginalLanguageLabel->SetCaption(LanguageLabel + ":");
  ReferencesMemo->Clear();
  ShowStatus("Ready");

  std::unique_ptr<TStringList> problems(new TStringList());
  CollectListProblems(problems.get(), {ReferenceDatabase, DefinitionDatabase,
                                       translationsReported_ ? nullptr : TranslationDatabase});
  translationsReported_ = true;
  if (problems->GetCount() > 0)
    Application->MessageBox(ListProblemsText(problems.get()), "Pelorin", MB_OK | MB_ICONWARNING);
}

void TFloraAndFaunaDlg::GroupComboBoxChange(TObject*) {
  GroupDefinitions(DefinitionDatabase, GroupComboBox->GetItemIndex() + 1, FloraFaunaListBox->GetItems(),
                   DefinitionIndexes);
  if (FloraFaunaListBox->GetItems()->GetCount() > 0) FloraFaunaListBox->SetItemIndex(0);
  ShowSelectedDefinition();
}

void TFloraAndFaunaDlg::FloraFaunaListBoxClick(TObject*) { ShowSelectedDefinition(); }

void TFloraAndFaunaDlg::ShowSelectedDefinition() {
  SelectedDefinition = -1;
  FillingEdits = true;
  SelectedDefinition = FloraFaunaListBox->GetItemIndex();
  if (SelectedDefinition >= 0 && SelectedDefinition < static_cast<Integer>(DefinitionIndexes.size())) {
    const Integer record = DefinitionIndexes[SelectedDefinition];
    HebrewGreekEdit->SetText(DefinitionDatabase->GetField(record, dfKeyword));
    EnglishEdit->SetText(DefinitionDatabase->GetField(record, dfEnglish));
  }
  const AnsiString keyword = HebrewGreekEdit->GetText();
  TargetEdit->SetText(LookupTranslation(TranslationDatabase, keyword));
  // When the translation shown was the text already there, no change came to clear the flag,
  // and the user's first keystroke would not be stored.
  FillingEdits = false;
  std::unique_ptr<TStringList> references(new TStringList());
  KeywordReferences(ReferenceDatabase, keyword, references.get());
  ReferencesMemo->GetLines()->SetText(references->GetText());
}

void TFloraAndFaunaDlg::TargetEditChange(TObject*) {
  if (!FillingEdits) StoreTranslation(TranslationDatabase, HebrewGreekEdit->GetText(), TargetEdit->GetText());
  FillingEdits = false;
}

bool TFloraAndFaunaDlg::ProduceReferences(const AnsiString& filter) {
  std::unique_ptr<TScripture> project(new TScripture(this, -1));
  std::unique_ptr<TStringList> list(new TStringList());
  ShowStatus("Producing references - please wait ...");
  // The record being produced is shown; painting it for each of thousands of records would take
  // longer than producing them, so the bar is painted a few times a second.
  DWORD painted = GetTickCount();
  ProduceReferenceLines(DefinitionDatabase, ReferenceDatabase, TranslationDatabase, LanguageLabel, filter, list.get(),
                        [this, &painted](Integer record) {
                          StatusBar1->SetSimpleText(IntToStr(record));
                          if (GetTickCount() - painted < 100) return;
                          StatusBar1->Update();
                          painted = GetTickCount();
                        });
  ShowStatus("Wait ...");
  MapReferencesVersification(kListVersification, project->Versification, list.get());
  const AnsiString path = MyReg->GetParatextProjectsFolder() + ParatextReferenceFileName;
  const Cardinal error = ReplaceFileContents(path, list->GetText());
  if (error != 0) {
    Application->MessageBox("Cannot create file \"" + path + "\". " + SysErrorMessage(error), "Pelorin",
                            MB_OK | MB_ICONERROR);
    return false;
  }
  ShowStatus("Ready. The results have been saved to " + path);
  return true;
}

void TFloraAndFaunaDlg::ShowReferenceList() {
  std::unique_ptr<TPrintGeneralListDialog> results(new TPrintGeneralListDialog(this));
  results->SetCaption(GetCaption());
  results->Title = GetCaption();
  results->ShowList(lkReferenceFile);
  results->ShowModal();
}

void TFloraAndFaunaDlg::ProduceSelectedButtonClick(TObject*) {
  if (ReferencesMemo->GetText().empty()) {
    ShowStatus("No references available. First select a group.");
    return;
  }
  if (ProduceReferences(HebrewGreekEdit->GetText())) ShowReferenceList();
}

void TFloraAndFaunaDlg::ProduceAllButtonClick(TObject*) {
  if (!ProduceReferences(AnsiString())) return;
  ShowStatus("Ready");
  ShowReferenceList();
}

void TFloraAndFaunaDlg::EditButtonClick(TObject*) {
  {
    std::unique_ptr<TKeyWordsEditDialog> editor(new TKeyWordsEditDialog(this));
    editor->ReferenceFileName = ReferenceFileName;
    editor->DefinitionFileName = DefinitionFileName;
    editor->GroupComboBox->GetItems()->Assign(GroupComboBox->GetItems());
    editor->OpenKeywordDatabases();
    editor->ShowModal();
  }
  const Integer group = GroupComboBox->GetItemIndex();
  SetupReferenceListDialog();
  GroupComboBox->SetItemIndex(group);
  GroupComboBoxChange(GroupComboBox);
  ShowStatus("Keywords edited");
}

bool TFloraAndFaunaDlg::SaveTranslations() {
  AnsiString error;
  if (TranslationDatabase->SaveChanges(error)) return true;
  Application->MessageBox(error, "Pelorin", MB_OK | MB_ICONERROR);
  return false;
}

void TFloraAndFaunaDlg::OKBtnClick(TObject*) {
  if (TranslationDatabase && TranslationDatabase->Modified) SaveTranslations();
}

void TFloraAndFaunaDlg::FormClose(TObject*, TCloseAction& Action) {
  if (!TranslationDatabase || !TranslationDatabase->Modified) return;
  if (Application->MessageBox("Do you want to save the changes in the lists?", "Pelorin", MB_YESNO | MB_ICONQUESTION) !=
      IDYES)
    return;
  // Translations that could not be saved are not thrown away with the window: it stays open, and
  // the user may try again or close without saving.
  if (!SaveTranslations()) Action = caNone;
}

void TFloraAndFaunaDlg::FormDestroy(TObject*) {
  delete ReferenceDatabase;
  ReferenceDatabase = nullptr;
  delete DefinitionDatabase;
  DefinitionDatabase = nullptr;
  delete TranslationDatabase;
  TranslationDatabase = nullptr;
  DefinitionIndexes.clear();
}
