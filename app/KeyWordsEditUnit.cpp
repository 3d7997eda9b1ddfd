#include "app/KeyWordsEditUnit.h"

#include <algorithm>
#include <memory>

#include "app/CheckListsUnit.h"
#include "app/UnitMain.h"
#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/Utilities.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/ConsistencyLists.h"
#include "tools/CorrectIDUnit.h"
#include "tools/KeywordsEditing.h"

extern const char KeyWordsEditUnitFormText[];

PUBLISHED(TKeyWordsEditDialog) {
  Field("KeywordComboBox", &TKeyWordsEditDialog::KeywordComboBox);
  Field("DeleteButton", &TKeyWordsEditDialog::DeleteButton);
  Field("NewEdit", &TKeyWordsEditDialog::NewEdit);
  Field("AddKeywordButton", &TKeyWordsEditDialog::AddKeywordButton);
  Field("EnglishEdit", &TKeyWordsEditDialog::EnglishEdit);
  Field("GroupComboBox", &TKeyWordsEditDialog::GroupComboBox);
  Field("ReferencesListBox", &TKeyWordsEditDialog::ReferencesListBox);
  Field("ItemComboBox", &TKeyWordsEditDialog::ItemComboBox);
  Field("DelRefButton", &TKeyWordsEditDialog::DelRefButton);
  Field("NewReferenceEdit", &TKeyWordsEditDialog::NewReferenceEdit);
  Field("AddReferenceButton", &TKeyWordsEditDialog::AddReferenceButton);
  Field("LoadButton", &TKeyWordsEditDialog::LoadButton);
  Field("SaveButton", &TKeyWordsEditDialog::SaveButton);
  Field("CheckListsButton", &TKeyWordsEditDialog::CheckListsButton);
  Field("OKBtn", &TKeyWordsEditDialog::OKBtn);
  Field("CancelBtn", &TKeyWordsEditDialog::CancelBtn);
  Field("StatusBar1", &TKeyWordsEditDialog::StatusBar1);
  Method("FormCreate", &TKeyWordsEditDialog::FormCreate);
  Method("FormDestroy", &TKeyWordsEditDialog::FormDestroy);
  Method("FormClose", &TKeyWordsEditDialog::FormClose);
  Method("OKBtnClick", &TKeyWordsEditDialog::OKBtnClick);
  Method("KeywordComboBoxChange", &TKeyWordsEditDialog::KeywordComboBoxChange);
  Method("AddKeywordButtonClick", &TKeyWordsEditDialog::AddKeywordButtonClick);
  Method("DeleteButtonClick", &TKeyWordsEditDialog::DeleteButtonClick);
  Method("EnglishEditChange", &TKeyWordsEditDialog::EnglishEditChange);
  Method("GroupComboBoxChange", &TKeyWordsEditDialog::GroupComboBoxChange);
  Method("ReferencesListBoxClick", &TKeyWordsEditDialog::ReferencesListBoxClick);
  Method("ItemComboBoxChange", &TKeyWordsEditDialog::ItemComboBoxChange);
  Method("AddReferenceButtonClick", &TKeyWordsEditDialog::AddReferenceButtonClick);
  Method("DelRefButtonClick", &TKeyWordsEditDialog::DelRefButtonClick);
  Method("LoadButtonClick", &TKeyWordsEditDialog::LoadButtonClick);
  Method("SaveButtonClick", &TKeyWordsEditDialog::SaveButtonClick);
  Method("CheckListsButtonClick", &TKeyWordsEditDialog::CheckListsButtonClick);
}

namespace {

// The most occurrences of a word in one verse that an item number names.
constexpr Integer kLastItem = 15;

}  // namespace

TKeyWordsEditDialog::TKeyWordsEditDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, KeyWordsEditUnitFormText);
  // The opener fills the editor between creating and showing it.
  AfterConstruction();
}

void TKeyWordsEditDialog::FormCreate(TObject*) {
  TStrings* items = ItemComboBox->GetItems();
  items->BeginUpdate();
  items->Add("only item");
  for (Integer n = 1; n <= kLastItem; ++n) items->Add(OrdinalWord(n) + " item");
  items->EndUpdate();
  CheckListsButton->SetVisible(ExpandedMode);
}

void TKeyWordsEditDialog::FormDestroy(TObject*) {
  delete ReferenceDatabase;
  ReferenceDatabase = nullptr;
  delete DefinitionDatabase;
  DefinitionDatabase = nullptr;
}

void TKeyWordsEditDialog::ShowStatus(const AnsiString& text) { StatusBar1->SetSimpleText(text); }

void TKeyWordsEditDialog::Refuse(const AnsiString& text) {
  ShowStatus(text);
  ::MessageBeep(MB_OK);
}

AnsiString TKeyWordsEditDialog::SelectedKeyword() {
  const Integer i = KeywordComboBox->GetItemIndex();
  return i >= 0 ? DefinitionDatabase->GetField(i, dfKeyword) : AnsiString();
}

AnsiString TKeyWordsEditDialog::ExchangeFilePath() {
  return MyReg->GetParatextProjectsFolder() + ParatextReferenceFileName;
}

void TKeyWordsEditDialog::OpenKeywordDatabases() {
  delete ReferenceDatabase;
  ReferenceDatabase = new TListDatabase(ReferenceFileName, TListFile::References);
  delete DefinitionDatabase;
  DefinitionDatabase = new TListDatabase(DefinitionFileName, TListFile::Definitions);
  FillKeywordList();
  if (KeywordComboBox->GetItems()->GetCount() > 0) {
    KeywordComboBox->SetItemIndex(0);
    KeywordComboBoxChange(KeywordComboBox);
  }
  std::unique_ptr<TStringList> problems(new TStringList());
  CollectListProblems(problems.get(), {ReferenceDatabase, DefinitionDatabase});
  if (problems->GetCount() > 0)
    Application->MessageBox(ListProblemsText(problems.get()), "Pelorin", MB_OK | MB_ICONWARNING);
}

void TKeyWordsEditDialog::FillKeywordList() { KeywordList(DefinitionDatabase, KeywordComboBox->GetItems()); }

void TKeyWordsEditDialog::ShowKeyword(const AnsiString& keyword) {
  KeywordComboBox->SetItemIndex(KeywordComboBox->GetItems()->IndexOf(keyword));
  KeywordComboBoxChange(KeywordComboBox);
}

void TKeyWordsEditDialog::KeywordComboBoxChange(TObject*) {
  ShowStatus("Loading references ...");
  FillingControls = true;
  const Integer i = KeywordComboBox->GetItemIndex();
  if (i >= 0) {
    // A group field that is no number gives 0: no group is selected.
    GroupComboBox->SetItemIndex(KeywordGroupNumber(DefinitionDatabase, i) - 1);
    EnglishEdit->SetText(DefinitionDatabase->GetField(i, dfEnglish));
  } else {
    GroupComboBox->SetItemIndex(-1);
    EnglishEdit->SetText(AnsiString());
  }
  RefreshReferenceList();
  FillingControls = false;
  ShowStatus("Keyword " + SelectedKeyword() + " has " + IntToStr(ReferencesListBox->GetItems()->GetCount()) +
             " references");
}

void TKeyWordsEditDialog::EnglishEditChange(TObject*) {
  const Integer i = KeywordComboBox->GetItemIndex();
  if (FillingControls || i < 0) return;
  const AnsiString text = EnglishEdit->GetText();
  DefinitionDatabase->SetField(i, dfEnglish, text);
  ShowStatus("The English translation now is " + text);
}

void TKeyWordsEditDialog::GroupComboBoxChange(TObject*) {
  const Integer i = KeywordComboBox->GetItemIndex();
  const Integer group = GroupComboBox->GetItemIndex();
  if (FillingControls || i < 0 || group < 0) return;
  DefinitionDatabase->SetField(i, dfGroup, IntToStr(group + 1));
  ShowStatus("The group into which the keyword falls is \"" + GroupComboBox->GetItems()->GetStrings(group) + "\"");
}

void TKeyWordsEditDialog::AddKeywordButtonClick(TObject*) {
  const AnsiString keyword = NewEdit->GetText();
  AnsiString status;
  switch (CheckNewKeyword(DefinitionDatabase, keyword)) {
    case TNewKeyword::Empty:
      return Refuse("First enter a new keyword");
    case TNewKeyword::HasBlank: {
      // Without its blanks the word can be added with a second click.
      AnsiString joined;
      for (char c : keyword)
        if (c != ' ') joined += c;
      NewEdit->SetText(joined);
      return Refuse("The keyword cannot contain a space");
    }
    case TNewKeyword::Exists:
      status = "The keyword " + keyword + " already exists";
      ::MessageBeep(MB_OK);
      break;
    case TNewKeyword::Accepted:
      AddDefinition(DefinitionDatabase, keyword);
      status = keyword + " has been added - enter translation, group and references also";
      break;
  }
  FillKeywordList();
  ShowKeyword(keyword);
  NewEdit->SetText(AnsiString());
  // Said after the keyword is shown, whose own status would hide it.
  ShowStatus(status);
}

void TKeyWordsEditDialog::DeleteButtonClick(TObject*) {
  const Integer i = KeywordComboBox->GetItemIndex();
  if (i < 0) {
    ShowStatus("Nothing to delete");
    return;
  }
  const AnsiString keyword = SelectedKeyword();
  DefinitionDatabase->DeleteRecord(i);
  // The references go before the list is shown again, so that it shows what is left.
  DeleteKeywordReferences(ReferenceDatabase, keyword);
  FillKeywordList();
  KeywordComboBox->SetItemIndex(std::min(i, KeywordComboBox->GetItems()->GetCount() - 1));
  KeywordComboBoxChange(KeywordComboBox);
  ShowStatus("Definition " + keyword + " has been deleted");
}

void TKeyWordsEditDialog::ReferencesListBoxClick(TObject*) {
  const Integer line = std::max(ReferencesListBox->GetItemIndex(), 0);
  const Integer item = KeywordReferenceItem(ReferenceDatabase, SelectedKeyword(), line);
  ItemComboBox->SetItemIndex(item);
  CurrentItem = item;
}

void TKeyWordsEditDialog::ItemComboBoxChange(TObject*) {
  const Integer line = ReferencesListBox->GetItemIndex();
  const Integer item = ItemComboBox->GetItemIndex();
  if (line >= 0 && item >= 0 &&
      RenumberReference(ReferenceDatabase, SelectedKeyword(), ReferencesListBox->GetItems()->GetStrings(line),
                        CurrentItem, item)) {
    CurrentItem = item;
    ShowStatus("The item number within the verse has been changed");
    return;
  }
  if (line < 0) ItemComboBox->SetItemIndex(-1);
  ItemComboBox->SetItemIndex(CurrentItem);
  Refuse("This item in the verse already exists - not changed");
}

void TKeyWordsEditDialog::RefreshReferenceList() {
  TStrings* shown = ReferencesListBox->GetItems();
  Integer line = std::max(ReferencesListBox->GetItemIndex(), 0);
  std::unique_ptr<TStringList> references(new TStringList());
  KeywordReferences(ReferenceDatabase, SelectedKeyword(), references.get());
  if (line < shown->GetCount()) {
    // The reference selected stays selected; when it is gone, the line below it is.
    const Integer found = references->IndexOf(shown->GetStrings(line));
    if (found >= 0) line = found;
  } else {
    line = 0;
  }
  line = std::min(line, references->GetCount() - 1);
  shown->Assign(references.get());
  ReferencesListBox->SetItemIndex(line);
  ReferencesListBoxClick(ReferencesListBox);
}

void TKeyWordsEditDialog::AddReferenceButtonClick(TObject*) {
  AnsiString reference;
  ParseTypedReference(NewReferenceEdit->GetText(), reference);
  NewReferenceEdit->SetText(reference);
  // References of more than three digits are none of a verse; the sorting relies on that.
  if (!IsListReference(reference)) {
    return Refuse("Enter a proper reference");
  }
  const AnsiString keyword = SelectedKeyword();
  if (keyword.empty()) {
    return Refuse("First enter a new keyword");
  }
  if (ReferenceExists(ReferenceDatabase, keyword, reference, 0)) {
    return Refuse("This reference has not been added, because it already exists");
  }
  AddReference(ReferenceDatabase, keyword, reference);
  ShowStatus(reference + " has been added");
  SortReferenceDatabase(ReferenceDatabase);
  RefreshReferenceList();
}

void TKeyWordsEditDialog::DelRefButtonClick(TObject*) {
  const Integer line = ReferencesListBox->GetItemIndex();
  AnsiString reference;
  Integer deleted = 0;
  if (line >= 0) {
    reference = ReferencesListBox->GetItems()->GetStrings(line);
    deleted = DeleteReference(ReferenceDatabase, SelectedKeyword(), reference, ItemComboBox->GetItemIndex());
  }
  SortReferenceDatabase(ReferenceDatabase);
  RefreshReferenceList();
  ShowStatus(deleted > 0 ? "Reference " + reference + " has been deleted" : AnsiString("Nothing to delete"));
}

void TKeyWordsEditDialog::LoadButtonClick(TObject*) {
  const AnsiString path = ExchangeFilePath();
  if (!FileExists(path)) {
    return Refuse("File " + path + " not found");
  }
  const AnsiString keyword = SelectedKeyword();
  if (keyword.empty()) {
    return Refuse("First enter a new keyword");
  }
  std::unique_ptr<TStringList> lines(new TStringList());
  ReadLinesOrNone(path, lines.get());
  std::unique_ptr<TStringList> collected(new TStringList());
  ReferencesToLoad(lines.get(), ReferenceDatabase, keyword, collected.get());
  const Integer before = ReferencesListBox->GetItems()->GetCount();
  for (Integer i = 0; i < collected->GetCount(); ++i) AddReference(ReferenceDatabase, keyword, collected->GetStrings(i));
  ShowStatus("There were already " + IntToStr(before) + " references - " + IntToStr(collected->GetCount()) + " added");
  SortReferenceDatabase(ReferenceDatabase);
  RefreshReferenceList();
}

void TKeyWordsEditDialog::SaveButtonClick(TObject*) {
  const AnsiString path = ExchangeFilePath();
  TStrings* references = ReferencesListBox->GetItems();
  const Cardinal error = ReplaceFileContents(path, references->GetText());
  if (error != 0) {
    Application->MessageBox("Cannot create file \"" + path + "\". " + SysErrorMessage(error), "Pelorin",
                            MB_OK | MB_ICONERROR);
    return;
  }
  ShowStatus("Number of references saved: " + IntToStr(references->GetCount()));
}

bool TKeyWordsEditDialog::SaveChanges() {
  for (TListDatabase* database : {DefinitionDatabase, ReferenceDatabase}) {
    if (!database || !database->Modified) continue;
    AnsiString error;
    if (database->SaveChanges(error)) continue;
    Application->MessageBox(error, "Pelorin", MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

void TKeyWordsEditDialog::OKBtnClick(TObject*) { SaveChanges(); }

void TKeyWordsEditDialog::FormClose(TObject*, TCloseAction& Action) {
  if (!(DefinitionDatabase && DefinitionDatabase->Modified) && !(ReferenceDatabase && ReferenceDatabase->Modified))
    return;
  if (Application->MessageBox("Do you want to save the changes?", GetCaption(), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  // Changes that could not be saved are not thrown away with the window: it stays open, and the
  // user may try again or close without saving.
  if (!SaveChanges()) Action = caNone;
}

void TKeyWordsEditDialog::CheckListsButtonClick(TObject*) {
  std::unique_ptr<TCheckListsDialog> dialog(new TCheckListsDialog(this));
  dialog->ReferenceFileName = ReferenceFileName;
  dialog->DefinitionFileName = DefinitionFileName;
  dialog->GroupNames->Assign(GroupComboBox->GetItems());
  dialog->ShowModal();
}
