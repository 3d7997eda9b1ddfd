#include "app/CompareNamesUnit.h"

#include "app/ToolListFiles.h"
#include "classlib/ComCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "tools/NameComparison.h"

extern const char CompareNamesUnitFormText[];

PUBLISHED(TCompareNamesDialog) {
  Field("NamesListBox", &TCompareNamesDialog::NamesListBox);
  Field("MessagesListBox", &TCompareNamesDialog::MessagesListBox);
  Field("CompareButton", &TCompareNamesDialog::CompareButton);
  Field("RemoveButton", &TCompareNamesDialog::RemoveButton);
  Field("OKBtn", &TCompareNamesDialog::OKBtn);
  Field("CancelBtn", &TCompareNamesDialog::CancelBtn);
  Field("StatusBar1", &TCompareNamesDialog::StatusBar1);
  Method("FormCreate", &TCompareNamesDialog::FormCreate);
  Method("FormDestroy", &TCompareNamesDialog::FormDestroy);
  Method("CompareButtonClick", &TCompareNamesDialog::CompareButtonClick);
  Method("RemoveButtonClick", &TCompareNamesDialog::RemoveButtonClick);
  Method("OKBtnClick", &TCompareNamesDialog::OKBtnClick);
}

TCompareNamesDialog::TCompareNamesDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, CompareNamesUnitFormText);
}

AnsiString TCompareNamesDialog::ComparedNamesPath() const { return Scripture->WorkFolder + "ComparedNames.txt"; }

void TCompareNamesDialog::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TCompareNamesDialog::FormCreate(TObject*) {
  Scripture = new TScripture(this, -1);
  const AnsiString approved = Scripture->WorkFolder + "ApprovedNames.txt";
  if (FileExists(approved)) NamesListBox->GetItems()->LoadFromFile(approved);
  if (NamesListBox->GetItems()->GetCount() == 0) ShowStatus("No names available - produce them first");
  Dismissed = new TStringList();
  if (FileExists(ComparedNamesPath())) Dismissed->LoadFromFile(ComparedNamesPath());
}

void TCompareNamesDialog::FormDestroy(TObject*) {
  delete Dismissed;
  Dismissed = nullptr;
  delete Scripture;
  Scripture = nullptr;
}

void TCompareNamesDialog::CompareButtonClick(TObject*) {
  const TCursor cursor = Screen->GetCursor();
  Screen->SetCursor(crHourGlass);
  ScopeExit restore([cursor] { Screen->SetCursor(cursor); });
  // The pairs found are added to the ones the list holds.
  CompareNames(NamesListBox->GetItems(), Dismissed, MessagesListBox->GetItems(),
               [this](const AnsiString& text) { ShowStatus(text); });
  ShowStatus(CompareNamesReadyText(MessagesListBox->GetItems()->GetCount()));
}

void TCompareNamesDialog::RemoveButtonClick(TObject*) {
  TStrings* items = MessagesListBox->GetItems();
  int removed = 0;
  for (Integer i = items->GetCount() - 1; i >= 0; --i) {
    if (!MessagesListBox->GetSelected(i)) continue;
    Dismissed->Add(items->GetStrings(i));
    items->Delete(i);
    ++removed;
  }
  ShowStatus(NamesRemovedText(removed));
}

void TCompareNamesDialog::OKBtnClick(TObject*) {
  // When the list cannot be saved the dialog stays open, so that the removed pairs are not lost.
  if (!SaveListFile(Dismissed, ComparedNamesPath())) SetModalResult(mrNone);
}
