#include "app/CheckListsUnit.h"

#include <memory>

#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "tools/CheckLists.h"
#include "tools/ConsistencyListFiles.h"

extern const char CheckListsUnitFormText[];

PUBLISHED(TCheckListsDialog) {
  Field("Memo1", &TCheckListsDialog::Memo1);
  Field("ConvertButton", &TCheckListsDialog::ConvertButton);
  Field("ClipboardButton", &TCheckListsDialog::ClipboardButton);
  Field("OKBtn", &TCheckListsDialog::OKBtn);
  Method("FormCreate", &TCheckListsDialog::FormCreate);
  Method("FormDestroy", &TCheckListsDialog::FormDestroy);
  Method("ConvertButtonClick", &TCheckListsDialog::ConvertButtonClick);
  Method("ClipboardButtonClick", &TCheckListsDialog::ClipboardButtonClick);
}

TCheckListsDialog::TCheckListsDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, CheckListsUnitFormText);
  // The opener gives the group names between creating and showing the dialog.
  AfterConstruction();
}

void TCheckListsDialog::FormCreate(TObject*) { GroupNames = new TStringList(); }

void TCheckListsDialog::FormDestroy(TObject*) {
  delete GroupNames;
  GroupNames = nullptr;
}

void TCheckListsDialog::ConvertButtonClick(TObject*) {
  Memo1->Clear();
  // Read afresh, so that the text shows the lists as they were last saved.
  std::unique_ptr<TListDatabase> references(new TListDatabase(ReferenceFileName, TListFile::References));
  std::unique_ptr<TListDatabase> definitions(new TListDatabase(DefinitionFileName, TListFile::Definitions));
  std::unique_ptr<TStringList> lines(new TStringList());
  CheckListLines(references.get(), definitions.get(), GroupNames, lines.get());
  // Every line ended by a line break, the last one too, as Paratext takes it.
  Memo1->SetText(lines->GetText());
  std::unique_ptr<TStringList> problems(new TStringList());
  CollectListProblems(problems.get(), {references.get(), definitions.get()});
  if (problems->GetCount() > 0)
    Application->MessageBox(ListProblemsText(problems.get()), "Pelorin", MB_OK | MB_ICONWARNING);
}

void TCheckListsDialog::ClipboardButtonClick(TObject*) {
  Memo1->SelectAll();
  Memo1->CopyToClipboard();
  Memo1->SetSelLength(0);
}
