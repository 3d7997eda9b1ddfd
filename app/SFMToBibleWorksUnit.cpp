#include "app/SFMToBibleWorksUnit.h"

#include <memory>

#include "app/ImportTextFileDialog.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "core/ScripturesUnit.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BibleWorksConversion.h"
#include "tools/EditorText.h"

extern const char SFMToBibleWorksUnitFormText[];

PUBLISHED(TSFMToBibleWorksDlg) {
  Field("VersionsComboBox", &TSFMToBibleWorksDlg::VersionsComboBox);
  Field("UzurUvadEdit1", &TSFMToBibleWorksDlg::UzurUvadEdit1);
  Field("StatusBar1", &TSFMToBibleWorksDlg::StatusBar1);
  Method("FormCreate", &TSFMToBibleWorksDlg::FormCreate);
  Method("FormDestroy", &TSFMToBibleWorksDlg::FormDestroy);
  Method("VersionsComboBoxChange", &TSFMToBibleWorksDlg::VersionsComboBoxChange);
  Method("ConvertBtnClick", &TSFMToBibleWorksDlg::ConvertBtnClick);
  Method("SaveBtnClick", &TSFMToBibleWorksDlg::SaveBtnClick);
}

TSFMToBibleWorksDlg::TSFMToBibleWorksDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, SFMToBibleWorksUnitFormText);
}

void TSFMToBibleWorksDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TSFMToBibleWorksDlg::Refuse(const AnsiString& text) {
  ShowStatus(text);
  MessageBeep(0);
}

void TSFMToBibleWorksDlg::FormCreate(TObject*) {
  UzurUvadEdit1->Clear();
  Scriptures = new TAllScriptures();
  VersionsComboBox->GetItems()->Assign(Scriptures->FullNames);
  if (Scriptures->FullNames->GetCount() == 0) UzurUvadEdit1->AddNL("No versions found", 0, 0);
  UzurUvadEdit1->Format();
}

void TSFMToBibleWorksDlg::FormDestroy(TObject*) {
  delete Scriptures;
  Scriptures = nullptr;
}

void TSFMToBibleWorksDlg::VersionsComboBoxChange(TObject*) {
  std::unique_ptr<TScripture> project(new TScripture(this, VersionsComboBox->GetItemIndex()));
  UzurUvadEdit1->Clear();
  if (project->BookNames->GetCount() == 0) {
    UzurUvadEdit1->AddNL("No books found", 0, 0);
  } else {
    UzurUvadEdit1->AddNL("Available books:", 0, 0);
    for (Integer i = 0; i < project->BookNames->GetCount(); ++i)
      UzurUvadEdit1->AddNL(project->BookNames->GetStrings(i), 0, 0);
  }
  UzurUvadEdit1->Format();
}

void TSFMToBibleWorksDlg::ConvertBtnClick(TObject*) {
  if (VersionsComboBox->GetItemIndex() < 0) return Refuse("First select a version");
  std::unique_ptr<TScripture> project(new TScripture(this, VersionsComboBox->GetItemIndex()));
  if (project->BookFiles->GetCount() == 0) return Refuse("No books available");
  ShowStatus("Loading all books ...");
  TextLines books;
  for (Integer i = 0; i < project->BookFiles->GetCount(); ++i) {
    const AnsiString file = project->BookFiles->GetStrings(i);
    AnsiString bytes;
    if (!ReadResultFile(file, bytes)) return Refuse("The file " + file + " could not be read");
    TextLines lines = SplitTextLines(bytes);
    const AnsiString problem = CheckLineLengths(lines);
    if (!problem.empty()) return Refuse(project->BookNames->GetStrings(i) + ": " + problem);
    books.insert(books.end(), lines.begin(), lines.end());
  }
  const TextLines output =
      ConvertSFMToBibleWorks(books, [this](const AnsiString& name) { ShowStatus("Converting " + name); });
  UzurUvadEdit1->Clear();
  for (const AnsiString& line : output) UzurUvadEdit1->AddNL(line, 0, 0);
  ShowStatus("Formatting result ...");
  UzurUvadEdit1->Format();
  ShowStatus("Ready");
}

void TSFMToBibleWorksDlg::SaveBtnClick(TObject*) {
  AnsiString fileName;
  if (!ChooseImportTextFile(this, fileName)) return;
  ShowStatus("Saving ...");
  const AnsiString problem = WriteResultFile(fileName, DocumentText(UzurUvadEdit1));
  if (!problem.empty()) return Refuse(problem);
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
  ShowStatus("Ready");
}
