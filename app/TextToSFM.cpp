#include "app/TextToSFM.h"

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/ComCtrlsPublished.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "core/MyRegistry.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "richtext/edit/UVEdit.h"
#include "tools/CorrectIDUnit.h"
#include "tools/EditorText.h"
#include "tools/TextToSFMConversion.h"

extern const char TextToSFMFormText[];

PUBLISHED(TTextToSFMDialog) {
  Field("PageControl1", &TTextToSFMDialog::PageControl1);
  Field("PrepareUzurUvadEdit", &TTextToSFMDialog::PrepareUzurUvadEdit);
  Field("UzurUvadEdit1", &TTextToSFMDialog::UzurUvadEdit1);
  Field("IICheckBox", &TTextToSFMDialog::IICheckBox);
  Field("xOxCheckBox", &TTextToSFMDialog::xOxCheckBox);
  Field("OCheckBox", &TTextToSFMDialog::OCheckBox);
  Field("ClosingBracketCheckBox", &TTextToSFMDialog::ClosingBracketCheckBox);
  Field("PunctuationCheckBox", &TTextToSFMDialog::PunctuationCheckBox);
  Field("IDEdit", &TTextToSFMDialog::IDEdit);
  Field("StatusBar1", &TTextToSFMDialog::StatusBar1);
  Method("FormCreate", &TTextToSFMDialog::FormCreate);
  Method("OpenButtonClick", &TTextToSFMDialog::OpenButtonClick);
  Method("PrepareButtonClick", &TTextToSFMDialog::PrepareButtonClick);
  Method("Save1ButtonClick", &TTextToSFMDialog::Save1ButtonClick);
  Method("IDEditChange", &TTextToSFMDialog::IDEditChange);
  Method("ConvertBtnClick", &TTextToSFMDialog::ConvertBtnClick);
  Method("SaveBtnClick", &TTextToSFMDialog::SaveBtnClick);
}

namespace {

const char* const kDefaultIDSetting = "Default ID";

}  // namespace

TTextToSFMDialog::TTextToSFMDialog(TComponent* AOwner) : TForm(AOwner) {
  ComCtrlsClassesPublished();
  ReadComponentFromText(this, TextToSFMFormText);
}

void TTextToSFMDialog::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TTextToSFMDialog::Refuse(const AnsiString& text) {
  ShowStatus(text);
  MessageBeep(0);
}

void TTextToSFMDialog::FormCreate(TObject*) {
  for (VUzurUvadEdit* editor : {PrepareUzurUvadEdit, UzurUvadEdit1}) {
    editor->Clear();
    editor->Format();
  }
  IDEdit->SetText(ReadSettingString(kDefaultIDSetting));
  ShowStatus("Ready");
  PageControl1->SetActivePageIndex(0);
}

void TTextToSFMDialog::OpenButtonClick(TObject*) {
  std::unique_ptr<TOpenDialog> open(new TOpenDialog(this));
  open->Filter = "RTF Documents|*.rtf";
  if (!open->Execute()) return;
  PrepareUzurUvadEdit->Clear();
  const AnsiString problem = LoadRTFDocument(PrepareUzurUvadEdit, open->FileName);
  PrepareUzurUvadEdit->Format();
  if (!problem.empty()) return Refuse(problem);
  ShowStatus("File has been loaded");
}

void TTextToSFMDialog::PrepareButtonClick(TObject*) {
  const TextLines lines = DocumentLines(PrepareUzurUvadEdit);
  if (lines.empty()) {
    PrepareUzurUvadEdit->Clear();
    PrepareUzurUvadEdit->Format();
    return Refuse("Load a file first");
  }
  const AnsiString problem = CheckLineLengths(lines);
  if (!problem.empty()) return Refuse(problem);
  ShowStatus("Now preparing for the conversion");
  const TCharSet smallLetters = StringToCharSet(ReadSettingString("Small Letters"));
  TPrepareOptions options;
  options.CapitalsIIToEleven = IICheckBox->GetChecked();
  options.ZeroBetweenSmallLetters = xOxCheckBox->GetChecked();
  options.ZeroNotAfterDigit = OCheckBox->GetChecked();
  options.BracketBeforeSmallLetter = ClosingBracketCheckBox->GetChecked();
  options.SpaceBeforePunctuation = PunctuationCheckBox->GetChecked();
  TextLines prepared;
  prepared.reserve(lines.size());
  for (const AnsiString& line : lines) prepared.push_back(PrepareLine(line, options, smallLetters));
  ShowStatus("The file has been prepared for the conversion");
  ShowLines(PrepareUzurUvadEdit, prepared);
}

void TTextToSFMDialog::Save1ButtonClick(TObject*) {
  PageControl1->SelectNextPage(true);
  ShowStatus("Loading the file");
  // The document moves with its look: saved as the editor's own format and loaded again.
  TMemoryStream stream;
  PrepareUzurUvadEdit->SaveUVFToStream(&stream, false);
  PrepareUzurUvadEdit->Clear();
  PrepareUzurUvadEdit->Format();
  stream.SetPosition(0);
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->LoadUVFFromStream(&stream);
  UzurUvadEdit1->Format();
  ShowStatus("File has been transferred to the next phase");
}

void TTextToSFMDialog::IDEditChange(TObject*) {
  if (settingID_) return;
  AnsiString id = IDEdit->GetText();
  if (id.size() == 3) {
    Integer book = 0;
    if (ResolveBookID(id, book)) {
      ShowStatus("The ID has been set for " + EnglishBookName(book));
    } else {
      Refuse("The ID is not correct");
    }
    // The resolver gives the identifier as the table has it (or nothing).
    settingID_ = true;
    IDEdit->SetText(id);
    IDEdit->SetSelStart(static_cast<Integer>(id.size()));
    settingID_ = false;
  }
  WriteSettingString(kDefaultIDSetting, IDEdit->GetText());
}

void TTextToSFMDialog::ConvertBtnClick(TObject*) {
  const AnsiString id = IDEdit->GetText();
  if (BookNumberFromId(id) == 0) return Refuse("This is not a known ID");
  const TextLines input = DocumentLines(UzurUvadEdit1);
  const AnsiString problem = CheckLineLengths(input);
  if (!problem.empty()) return Refuse(problem);
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->AddNL("Converting ...", 0, 0);
  UzurUvadEdit1->Format();
  UzurUvadEdit1->Update();
  const TextLines output = ConvertTextToSFM(input, id, ReadSettingString("Remove chapter line"));
  UzurUvadEdit1->Clear();
  for (std::size_t i = 0; i < output.size(); ++i) {
    if (i == 0)
      UzurUvadEdit1->Add(output[i], 0);
    else
      UzurUvadEdit1->AddNL(output[i], 0, 0);
  }
  UzurUvadEdit1->Format();
  ShowStatus("The file has been converted");
}

void TTextToSFMDialog::SaveBtnClick(TObject*) {
  std::unique_ptr<TSaveDialog> save(new TSaveDialog(this));
  save->Filter = "Paratext File|*.sfc|All Files|*.*";
  save->DefaultExt = "*.sfc";
  save->Options << ofOverwritePrompt;
  if (!save->Execute()) return;
  const AnsiString problem = WriteResultFile(save->FileName, DocumentText(UzurUvadEdit1));
  if (!problem.empty()) return Refuse(problem);
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
  ShowStatus("File has been saved");
}
