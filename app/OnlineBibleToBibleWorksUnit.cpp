#include "app/OnlineBibleToBibleWorksUnit.h"

#include <memory>

#include "app/ImportTextFileDialog.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BibleWorksConversion.h"
#include "tools/EditorText.h"

extern const char OnlineBibleToBibleWorksUnitFormText[];

PUBLISHED(TOnlineBibleToBibleWorksDialog) {
  Field("UzurUvadEdit1", &TOnlineBibleToBibleWorksDialog::UzurUvadEdit1);
  Field("Status", &TOnlineBibleToBibleWorksDialog::Status);
  Method("FormCreate", &TOnlineBibleToBibleWorksDialog::FormCreate);
  Method("OpenBtnClick", &TOnlineBibleToBibleWorksDialog::OpenBtnClick);
  Method("ConvertBtnClick", &TOnlineBibleToBibleWorksDialog::ConvertBtnClick);
  Method("SaveBtnClick", &TOnlineBibleToBibleWorksDialog::SaveBtnClick);
}

TOnlineBibleToBibleWorksDialog::TOnlineBibleToBibleWorksDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, OnlineBibleToBibleWorksUnitFormText);
}

void TOnlineBibleToBibleWorksDialog::ShowStatus(const AnsiString& text) {
  Status->SetCaption(text);
  Status->Update();
}

void TOnlineBibleToBibleWorksDialog::Refuse(const AnsiString& text) {
  ShowStatus(text);
  MessageBeep(0);
}

void TOnlineBibleToBibleWorksDialog::FormCreate(TObject*) {
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
}

void TOnlineBibleToBibleWorksDialog::OpenBtnClick(TObject*) {
  std::unique_ptr<TOpenDialog> open(new TOpenDialog(this));
  open->Filter = "Rich Text Files|*.rtf";
  if (!open->Execute()) return;
  UzurUvadEdit1->Clear();
  ShowStatus("Loading file ...");
  const AnsiString problem = LoadRTFDocument(UzurUvadEdit1, open->FileName);
  UzurUvadEdit1->Format();
  if (!problem.empty()) return Refuse(problem);
  ShowStatus("Loaded");
}

void TOnlineBibleToBibleWorksDialog::ConvertBtnClick(TObject*) {
  ShowStatus("Converting ...");
  const TextLines lines = DocumentLines(UzurUvadEdit1);
  const AnsiString problem = CheckLineLengths(lines);
  if (!problem.empty()) return Refuse(problem);
  ShowStatus("Loading file ...");
  const TextLines output = ConvertOnlineBibleToBibleWorks(lines, [this](const AnsiString& name) { ShowStatus(name); });
  ShowStatus("Loading result ...");
  ShowLines(UzurUvadEdit1, output);
  ShowStatus("Loaded");
}

void TOnlineBibleToBibleWorksDialog::SaveBtnClick(TObject*) {
  AnsiString fileName;
  if (!ChooseImportTextFile(this, fileName)) return;
  ShowStatus("Saving ...");
  const AnsiString problem = WriteResultFile(fileName, DocumentText(UzurUvadEdit1));
  if (!problem.empty()) return Refuse(problem);
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
  ShowStatus("Ready");
}
