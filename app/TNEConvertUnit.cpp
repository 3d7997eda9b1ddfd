#include "app/TNEConvertUnit.h"

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "tools/TNEExport.h"

extern const char TNEConvertUnitFormText[];

PUBLISHED(TTNEConvertDialog) {
  Field("VersionsComboBox", &TTNEConvertDialog::VersionsComboBox);
  Field("NoteTypeComboBox", &TTNEConvertDialog::NoteTypeComboBox);
  Field("Category1ComboBox", &TTNEConvertDialog::Category1ComboBox);
  Field("Category2ComboBox", &TTNEConvertDialog::Category2ComboBox);
  Field("Category3ComboBox", &TTNEConvertDialog::Category3ComboBox);
  Field("ProjectEdit", &TTNEConvertDialog::ProjectEdit);
  Field("CreatedByEdit", &TTNEConvertDialog::CreatedByEdit);
  Field("NoteLanguageEdit", &TTNEConvertDialog::NoteLanguageEdit);
  Field("UnresolvedEdit", &TTNEConvertDialog::UnresolvedEdit);
  Field("StatusBar1", &TTNEConvertDialog::StatusBar1);
  Method("FormCreate", &TTNEConvertDialog::FormCreate);
  Method("FormDestroy", &TTNEConvertDialog::FormDestroy);
  Method("VersionsComboBoxChange", &TTNEConvertDialog::VersionsComboBoxChange);
  Method("SelectButtonClick", &TTNEConvertDialog::SelectButtonClick);
  Method("ConvertBtnClick", &TTNEConvertDialog::ConvertBtnClick);
  Method("SaveBtnClick", &TTNEConvertDialog::SaveBtnClick);
}

namespace {

struct NoteType {
  const char* Name;
  const char* Code;
};
const NoteType kNoteTypes[] = {
    {"Project Note - No Issue", "2"},
    {"Project Note - Resolved", "4"},
    {"Project Note - Unresolved", "3"},
};

const char* const kCategories[] = {
    "Communication [Co]",        "Culture (cross-cultural issues) [Cu]", "Discourse [D]",
    "Exegesis and text [E]",     "Grammar [G]",                          "Lexicon [L]",
    "Receptor Language output [RL]", "Rhetoric and highlighting [Rh]",
};

AnsiString TextOr(TEdit* edit, const char* otherwise) {
  const AnsiString text = edit->GetText();
  return text.empty() ? AnsiString(otherwise) : text;
}

AnsiString Chosen(TComboBox* box) {
  const Integer index = box->GetItemIndex();
  return index < 0 ? AnsiString() : box->GetItems()->GetStrings(index);
}

}  // namespace

TTNEConvertDialog::TTNEConvertDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, TNEConvertUnitFormText);
}

void TTNEConvertDialog::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TTNEConvertDialog::Refuse(const AnsiString& text) {
  ShowStatus(text);
  MessageBeep(0);
}

void TTNEConvertDialog::FormCreate(TObject*) {
  Scriptures = new TAllScriptures();
  VersionsComboBox->GetItems()->Assign(Scriptures->FullNames);
  if (Scriptures->FullNames->GetCount() == 0) ShowStatus("No versions found");
  for (const NoteType& type : kNoteTypes) NoteTypeComboBox->GetItems()->Add(type.Name);
  NoteTypeComboBox->SetItemIndex(0);
  for (TComboBox* box : {Category1ComboBox, Category2ComboBox, Category3ComboBox})
    for (const char* category : kCategories) box->GetItems()->Add(category);
  Output.clear();
  Project = new TScripture(this, -1);
}

void TTNEConvertDialog::FormDestroy(TObject*) {
  delete Scriptures;
  Scriptures = nullptr;
  delete Project;
  Project = nullptr;
}

void TTNEConvertDialog::VersionsComboBoxChange(TObject*) {
  delete Project;
  Project = new TScripture(this, VersionsComboBox->GetItemIndex());
  if (Project->BookNames->GetCount() == 0)
    ShowStatus("No books found");
  else
    ShowStatus("Available books: " + IntToStr(Project->BookNames->GetCount()));
}

void TTNEConvertDialog::SelectButtonClick(TObject*) { Project->SelectBooks(); }

void TTNEConvertDialog::ConvertBtnClick(TObject*) {
  if (VersionsComboBox->GetItemIndex() < 0) return Refuse("First select a version");
  if (Project->BookFiles->GetCount() == 0) return Refuse("No books available");

  TTNENoteSettings settings;
  settings.TypeCode = kNoteTypes[std::max<Integer>(NoteTypeComboBox->GetItemIndex(), 0)].Code;
  settings.Category1 = Chosen(Category1ComboBox);
  settings.Category2 = Chosen(Category2ComboBox);
  settings.Category3 = Chosen(Category3ComboBox);
  settings.Project = TextOr(ProjectEdit, "Translation");
  settings.CreatedBy = TextOr(CreatedByEdit, "Pelorin");
  settings.NoteLanguage = TextOr(NoteLanguageEdit, "English");
  settings.Unresolved = UnresolvedEdit->GetText();
  SYSTEMTIME now;
  GetLocalTime(&now);
  TTNEExport notes(settings, now);
  for (Integer i = 0; i < Project->BookFiles->GetCount(); ++i) {
    ShowStatus("Converting " + Project->BookNames->GetStrings(i));
    const AnsiString file = Project->BookFiles->GetStrings(i);
    AnsiString bytes;
    if (!ReadResultFile(file, bytes)) return Refuse("The file " + file + " could not be read");
    const TextLines lines = SplitTextLines(bytes);
    const AnsiString problem = CheckLineLengths(lines);
    if (!problem.empty()) return Refuse(Project->BookNames->GetStrings(i) + ": " + problem);
    notes.AddBook(Project->BookIds->GetStrings(i), lines);
  }
  Output = notes.Finish();
  ShowStatus("Number of notes converted: " + IntToStr(notes.NoteCount()));
}

void TTNEConvertDialog::SaveBtnClick(TObject*) {
  std::unique_ptr<TSaveDialog> save(new TSaveDialog(this));
  save->Title = "Save Translation Notes";
  save->Filter = "Translation Notes Editor Files (*.tne)|*.tne|All Files (*.*)|*.*|";
  save->DefaultExt = "tne";
  save->Options << ofOverwritePrompt;
  if (!save->Execute()) return;
  ShowStatus("Saving ...");
  const AnsiString problem = WriteResultFile(save->FileName, JoinLines(Output));
  if (!problem.empty()) return Refuse(problem);
  ShowStatus("File saved");
}
