#include "app/ConvertBibleWorksToParatextUnit.h"

#include <memory>

#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "controls/VisBrowseDlg.h"
#include "core/MyRegistry.h"
#include "core/TypesConstants.h"
#include "richtext/edit/UVEdit.h"
#include "tools/EditorText.h"
#include "tools/ParatextConversion.h"

extern const char ConvertBibleWorksToParatextUnitFormText[];

PUBLISHED(TConvertBibleWorksToParatextDlg) {
  Field("UzurUvadEdit1", &TConvertBibleWorksToParatextDlg::UzurUvadEdit1);
  Field("CheckBox1", &TConvertBibleWorksToParatextDlg::CheckBox1);
  Field("Status", &TConvertBibleWorksToParatextDlg::Status);
  Field("VisBrowseDlg1", &TConvertBibleWorksToParatextDlg::VisBrowseDlg1);
  Method("FormCreate", &TConvertBibleWorksToParatextDlg::FormCreate);
  Method("OpenBtnClick", &TConvertBibleWorksToParatextDlg::OpenBtnClick);
  Method("ConvertBtnClick", &TConvertBibleWorksToParatextDlg::ConvertBtnClick);
  Method("SaveBtnClick", &TConvertBibleWorksToParatextDlg::SaveBtnClick);
}

TConvertBibleWorksToParatextDlg::TConvertBibleWorksToParatextDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, ConvertBibleWorksToParatextUnitFormText);
}

void TConvertBibleWorksToParatextDlg::ShowStatus(const AnsiString& text) {
  Status->SetCaption(text);
  Status->Update();
}

void TConvertBibleWorksToParatextDlg::FormCreate(TObject*) { Location.clear(); }

void TConvertBibleWorksToParatextDlg::OpenBtnClick(TObject*) {
  std::unique_ptr<TOpenDialog> open(new TOpenDialog(this));
  open->Filter = "Rich Text Files|*.rtf";
  if (!open->Execute()) return;
  UzurUvadEdit1->Clear();
  ShowStatus("Loading file ...");
  const AnsiString problem = LoadRTFDocument(UzurUvadEdit1, open->FileName);
  UzurUvadEdit1->Format();
  if (!problem.empty()) {
    ShowStatus(problem);
    MessageBeep(0);
    return;
  }
  ShowStatus("Loaded");
}

void TConvertBibleWorksToParatextDlg::SaveBtnClick(TObject*) {
  if (!Location.empty()) VisBrowseDlg1->SetSelectedFolder(Location);
  if (!VisBrowseDlg1->Execute()) return;
  Location = VisBrowseDlg1->GetSelectedFolder();
  ShowStatus("Path set");
}

void TConvertBibleWorksToParatextDlg::ConvertBtnClick(TObject*) {
  // The books are written as they are converted: without a location they would land nowhere
  // the user chose.
  if (Location.empty()) {
    ShowStatus("First choose the location to save files");
    MessageBeep(0);
    return;
  }
  ShowStatus("Converting ...");
  const TextLines lines = DocumentLines(UzurUvadEdit1);
  AnsiString problem = CheckLineLengths(lines);
  if (problem.empty() && lines.empty()) problem = "Load a file first";
  TParatextConversionOptions options;
  options.OnlyMarkers = CheckBox1->GetChecked();
  options.CutLength = StrToIntDef(ReadSettingString("Hebrew cut length"), 0);
  if (problem.empty() && LooksLikeHebrewExport(lines))
    options.Hebrew = MessageDlg("Hebrew file found. Treat it as such?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo},
                                0) == mrYes;
  std::vector<TConvertedBook> books;
  if (problem.empty())
    ConvertBibleWorksToParatext(lines, options, books, problem, [this](const AnsiString& name) { ShowStatus(name); });
  if (!problem.empty()) {
    // The text stays in the editor, so that the user can mend it; no book file was touched.
    ShowStatus(problem);
    MessageBeep(0);
    return;
  }
  problem = WriteConvertedBooks(books, Location);
  if (!problem.empty()) {
    ShowStatus(problem);
    MessageBeep(0);
    return;
  }
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
  ShowStatus("Converted");
}
