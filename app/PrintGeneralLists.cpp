#include "app/PrintGeneralLists.h"

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/Handles.h"
#include "classlib/Menus.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FocusLink.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/Utilities.h"
#include "pdf/PDF.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

extern const char PrintGeneralListsFormText[];

PUBLISHED(TPrintGeneralListDialog) {
  Field("UzurUvadEdit1", &TPrintGeneralListDialog::UzurUvadEdit1);
  Field("UVStyle1", &TPrintGeneralListDialog::UVStyle1);
  Field("StatusBar1", &TPrintGeneralListDialog::StatusBar1);
  Field("PDFDocument1", &TPrintGeneralListDialog::PDFDocument1);
  Field("UVReportHelper1", &TPrintGeneralListDialog::UVReportHelper1);
  Field("MainMenu1", &TPrintGeneralListDialog::MainMenu1);
  Field("TransfertoParatext1", &TPrintGeneralListDialog::TransfertoParatext1);
  Field("Cut1", &TPrintGeneralListDialog::Cut1);
  Field("Copy1", &TPrintGeneralListDialog::Copy1);
  Field("Paste1", &TPrintGeneralListDialog::Paste1);
  Field("ShowWithoutValidTranslation1", &TPrintGeneralListDialog::ShowWithoutValidTranslation1);
  Field("SingleLineSpacing1", &TPrintGeneralListDialog::SingleLineSpacing1);
  Field("ShowOnlyChanges1", &TPrintGeneralListDialog::ShowOnlyChanges1);
  Field("AddVerseText1", &TPrintGeneralListDialog::AddVerseText1);
  Method("FormCreate", &TPrintGeneralListDialog::FormCreate);
  Method("FormDestroy", &TPrintGeneralListDialog::FormDestroy);
  Method("TransfertoParatext1Click", &TPrintGeneralListDialog::TransfertoParatext1Click);
  Method("Save1Click", &TPrintGeneralListDialog::Save1Click);
  Method("Print1Click", &TPrintGeneralListDialog::Print1Click);
  Method("Exit1Click", &TPrintGeneralListDialog::Exit1Click);
  Method("Edit1Click", &TPrintGeneralListDialog::Edit1Click);
  Method("Cut1Click", &TPrintGeneralListDialog::Cut1Click);
  Method("Copy1Click", &TPrintGeneralListDialog::Copy1Click);
  Method("Paste1Click", &TPrintGeneralListDialog::Paste1Click);
  Method("SelectAll1Click", &TPrintGeneralListDialog::SelectAll1Click);
  Method("ShowWithoutValidTranslation1Click", &TPrintGeneralListDialog::ShowWithoutValidTranslation1Click);
  Method("SingleLineSpacing1Click", &TPrintGeneralListDialog::SingleLineSpacing1Click);
  Method("ShowOnlyChanges1Click", &TPrintGeneralListDialog::ShowOnlyChanges1Click);
  Method("AddVerseText1Click", &TPrintGeneralListDialog::AddVerseText1Click);
  Method("UVReportHelper1Formatting", &TPrintGeneralListDialog::UVReportHelper1Formatting);
}

namespace {

// Saved text is not wrapped; the width only sets the length of horizontal lines.
constexpr Integer kSavedLineWidth = 80;

}  // namespace

TPrintGeneralListDialog::TPrintGeneralListDialog(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, PrintGeneralListsFormText);
  // Callers fill the window between creating and showing it, so it is ready as soon as it is
  // made, not only when it first shows.
  AfterConstruction();
}

void TPrintGeneralListDialog::FormCreate(TObject*) {
  if (ReadSettingString("Include date") == "T") DateText = FormatDateTime(ReadSettingString("Date format"), Date());
  UVStyle1->GetTextStyles()->GetItem(0)->Assign(FontRecordToFont(Fonts[fiNormalText]));
  const Integer spacing = LineSpacingSetting();
  SetLineSpacing(spacing);
  SingleLineSpacing1->SetEnabled(spacing != 100);
  SourceList = new TStringList();
  SourceStream = new TMemoryStream();
}

void TPrintGeneralListDialog::FormDestroy(TObject*) {
  delete SourceList;
  SourceList = nullptr;
  delete SourceStream;
  SourceStream = nullptr;
}

void TPrintGeneralListDialog::ShowList(Integer kind) {
  UzurUvadEdit1->Clear();
  switch (kind) {
    case lkReferenceFile:
    case lkReferenceFileOnly: {
      const AnsiString path = ReferenceFilePath();
      if (FileExists(path)) UzurUvadEdit1->LoadText(path, 0, 0, false);
      TransfertoParatext1->SetEnabled(true);
      if (kind == lkReferenceFile) AddVerseText1->SetEnabled(true);
      break;
    }
    case lkLines:
      for (Integer i = 0; i < SourceList->GetCount(); ++i) UzurUvadEdit1->AddNL(SourceList->GetStrings(i), 0, 0);
      break;
    case lkUVF:
      SourceStream->SetPosition(0);
      UzurUvadEdit1->LoadUVFFromStream(SourceStream);
      ShowOnlyChanges1->SetEnabled(true);
      break;
    case lkRTF:
      SourceStream->SetPosition(0);
      UzurUvadEdit1->LoadRTFFromStream(SourceStream);
      break;
    default:
      break;
  }
  UzurUvadEdit1->Format();
}

void TPrintGeneralListDialog::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  // Long operations report their steps before the window's next paint.
  StatusBar1->Update();
}

AnsiString TPrintGeneralListDialog::ReferenceFilePath() const {
  return MyReg->GetParatextProjectsFolder() + ParatextReferenceFileName;
}

Integer TPrintGeneralListDialog::LineSpacingSetting() const {
  return StrToIntDef(Trim(ReadSettingString("Line spacing")), 100);
}

void TPrintGeneralListDialog::SetLineSpacing(Integer percent) {
  TParaInfos* styles = UVStyle1->GetParaStyles();
  for (Integer i = 0; i < styles->GetCount(); ++i) styles->GetItem(i)->LineSpacing = percent;
}

// --- File menu

void TPrintGeneralListDialog::TransfertoParatext1Click(TObject*) {
  const AnsiString path = ReferenceFilePath();
  // Without the file there is nothing to send; saying "Transferred" would be untrue.
  if (!FileExists(path)) {
    ShowStatus("File " + path + " does not exist");
    ::MessageBeep(MB_OK);
    return;
  }
  std::unique_ptr<TStringList> lines(new TStringList());
  ReadLinesOrNone(path, lines.get());
  SetFocusReferenceList(lines.get());
  ShowStatus("Transferred to Paratext");
}

void TPrintGeneralListDialog::Save1Click(TObject*) {
  std::unique_ptr<TSaveDialog> dialog(new TSaveDialog(this));
  dialog->Title = "Save";
  dialog->Filter = "RTF Files (*.rtf)|*.rtf|Text (*.txt)|*.txt|Unicode Text (*.txt)|*.txt|";
  dialog->DefaultExt = "rtf";
  dialog->Options << ofOverwritePrompt;
  if (!dialog->Execute()) return;
  bool saved = false;
  {
    const TCursor cursor = Screen->GetCursor();
    Screen->SetCursor(crHourGlass);
    ScopeExit restore([cursor] { Screen->SetCursor(cursor); });
    try {
      switch (dialog->FilterIndex) {
        case 2: saved = UzurUvadEdit1->SaveText(dialog->FileName, kSavedLineWidth); break;
        case 3: saved = UzurUvadEdit1->SaveTextUnicode(dialog->FileName, kSavedLineWidth); break;
        default: saved = UzurUvadEdit1->SaveRTF(dialog->FileName, false); break;
      }
    } catch (const Exception&) {
      saved = false;
    }
  }
  if (!saved) Application->MessageBox("Error during saving", "Error", MB_OK | MB_ICONERROR);
}

void TPrintGeneralListDialog::Exit1Click(TObject*) { Close(); }

// --- Edit menu: the list is shown read-only, so only copying and selecting apply.

void TPrintGeneralListDialog::Edit1Click(TObject*) {
  Cut1->SetEnabled(false);
  Copy1->SetEnabled(UzurUvadEdit1->SelectionExists());
  Paste1->SetEnabled(false);
}

void TPrintGeneralListDialog::Cut1Click(TObject*) {}

void TPrintGeneralListDialog::Copy1Click(TObject*) {
  if (UzurUvadEdit1->SelectionExists()) UzurUvadEdit1->CopyToClipboard();
}

void TPrintGeneralListDialog::Paste1Click(TObject*) {}

void TPrintGeneralListDialog::SelectAll1Click(TObject*) {
  UzurUvadEdit1->SelectAll();
  UzurUvadEdit1->Invalidate();
}

// --- View and Tools menus

void TPrintGeneralListDialog::SingleLineSpacing1Click(TObject*) {
  SingleLineSpacing1->SetChecked(!SingleLineSpacing1->GetChecked());
  SetLineSpacing(SingleLineSpacing1->GetChecked() ? 100 : LineSpacingSetting());
  UzurUvadEdit1->Format();
}

void TPrintGeneralListDialog::ShowWithoutValidTranslation1Click(TObject*) {
  ShowWithoutValidTranslation1->SetChecked(!ShowWithoutValidTranslation1->GetChecked());
  AddVerseText();
}

void TPrintGeneralListDialog::AddVerseText1Click(TObject*) {
  // Choosing only the verses without a valid translation makes sense once verses are shown.
  ShowWithoutValidTranslation1->SetEnabled(true);
  AddVerseText();
}

void TPrintGeneralListDialog::ShowOnlyChanges1Click(TObject*) {
  ShowStatus("Loading text again ...");
  ShowList(lkUVF);
  ShowOnlyChanges1->SetChecked(!ShowOnlyChanges1->GetChecked());
  ShowStatus("Viewing complete text");
  if (ShowOnlyChanges1->GetChecked()) KeepOnlyLinesWithChanges();
}
