#include "app/FontDialogUnit.h"

#include <algorithm>
#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/ComCtrlsPublished.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FileCtrl.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "controls/VisExtSpinEdit.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "tools/ExtraPages.h"

extern const char FontDialogUnitFormText[];

PUBLISHED(TBibleSettingsDialog) {
  Field("PageControl1", &TBibleSettingsDialog::PageControl1);
  Field("PageSetupSheet", &TBibleSettingsDialog::PageSetupSheet);
  Field("PaperSizeComboBox", &TBibleSettingsDialog::PaperSizeComboBox);
  Field("TopMarginEdit", &TBibleSettingsDialog::TopMarginEdit);
  Field("BottomMarginEdit", &TBibleSettingsDialog::BottomMarginEdit);
  Field("LeftMarginEdit", &TBibleSettingsDialog::LeftMarginEdit);
  Field("RightMarginEdit", &TBibleSettingsDialog::RightMarginEdit);
  Field("MirrorCheckBox", &TBibleSettingsDialog::MirrorCheckBox);
  Field("Edit5", &TBibleSettingsDialog::Edit5);
  Field("UpDown5", &TBibleSettingsDialog::UpDown5);
  Field("PDFFolderButton", &TBibleSettingsDialog::PDFFolderButton);
  Field("HeadersListBox", &TBibleSettingsDialog::HeadersListBox);
  Field("HeadingEdit", &TBibleSettingsDialog::HeadingEdit);
  Field("DateCheckBox", &TBibleSettingsDialog::DateCheckBox);
  Field("AllCapsCheckBox", &TBibleSettingsDialog::AllCapsCheckBox);
  Field("HyphenationGroup", &TBibleSettingsDialog::HyphenationGroup);
  Field("NoHyphNumberEdit", &TBibleSettingsDialog::NoHyphNumberEdit);
  Field("NoHyphNumberUpDown", &TBibleSettingsDialog::NoHyphNumberUpDown);
  Field("ConsonantsEdit", &TBibleSettingsDialog::ConsonantsEdit);
  Field("VowelsEdit", &TBibleSettingsDialog::VowelsEdit);
  Field("HyphenUzurUvadEdit", &TBibleSettingsDialog::HyphenUzurUvadEdit);
  Field("eBookButton", &TBibleSettingsDialog::eBookButton);
  Field("eBookFontSizeLabel", &TBibleSettingsDialog::eBookFontSizeLabel);
  Field("FontSizeTrackBar", &TBibleSettingsDialog::FontSizeTrackBar);
  Field("ReaderWorksButton", &TBibleSettingsDialog::ReaderWorksButton);
  Field("OKBtn", &TBibleSettingsDialog::OKBtn);
  Method("FormCreate", &TBibleSettingsDialog::FormCreate);
  Method("OKBtnClick", &TBibleSettingsDialog::OKBtnClick);
  Method("HeadersListBoxClick", &TBibleSettingsDialog::HeadersListBoxClick);
  Method("HeadingEditChange", &TBibleSettingsDialog::HeadingEditChange);
  Method("CoverPageButtonClick", &TBibleSettingsDialog::CoverPageButtonClick);
  Method("FirstPageButtonClick", &TBibleSettingsDialog::FirstPageButtonClick);
  Method("OTPageButtonClick", &TBibleSettingsDialog::OTPageButtonClick);
  Method("NTPageButtonClick", &TBibleSettingsDialog::NTPageButtonClick);
  Method("LastPageButtonClick", &TBibleSettingsDialog::LastPageButtonClick);
  Method("CoverPageCheckBoxClick", &TBibleSettingsDialog::CoverPageCheckBoxClick);
  Method("FirstPageCheckBoxClick", &TBibleSettingsDialog::FirstPageCheckBoxClick);
  Method("OTPageCheckBoxClick", &TBibleSettingsDialog::OTPageCheckBoxClick);
  Method("NTPageCheckBoxClick", &TBibleSettingsDialog::NTPageCheckBoxClick);
  Method("LastPageCheckBoxClick", &TBibleSettingsDialog::LastPageCheckBoxClick);
  Method("eBookButtonClick", &TBibleSettingsDialog::eBookButtonClick);
  Method("PDFFolderButtonClick", &TBibleSettingsDialog::PDFFolderButtonClick);
  Method("ReaderWorksButtonClick", &TBibleSettingsDialog::ReaderWorksButtonClick);
  Method("FontSizeTrackBarChange", &TBibleSettingsDialog::FontSizeTrackBarChange);
}

namespace {

const char* const kPageNames[] = {"CoverPage", "FirstPage", "OTPage", "NTPage", "LastPage"};
const char* const kFontSizeWords[] = {"smallest", "small", "normal", "large", "largest"};
constexpr Integer kPaperSizes = 19;

// A caption that shows the text as it stands: "&" is no accelerator.
AnsiString Literal(const AnsiString& text) {
  AnsiString caption;
  for (char c : text) {
    caption += c;
    if (c == '&') caption += '&';
  }
  return caption;
}

AnsiString TrueFalse(bool value) { return value ? "T" : "F"; }

}  // namespace

TBibleSettingsDialog::TBibleSettingsDialog(TComponent* AOwner) : TForm(AOwner) {
  // The page control, its sheets and the up-down buttons are read from the form text.
  ComCtrlsClassesPublished();
  ReadComponentFromText(this, FontDialogUnitFormText);
  for (int kind = 0; kind < ExtraPageKindCount; ++kind) {
    PageCheckBoxes[kind] = static_cast<TCheckBox*>(FindComponent(AnsiString(kPageNames[kind]) + "CheckBox"));
    PageButtons[kind] = static_cast<TButton*>(FindComponent(AnsiString(kPageNames[kind]) + "Button"));
  }
}

AnsiString TBibleSettingsDialog::HyphenatedWordsFileName() {
  const AnsiString folder = CurrentProjectWorkFolder();
  return folder.empty() ? AnsiString() : folder + "HyphenatedWords.txt";
}

AnsiString TBibleSettingsDialog::EBookFontSizeText(Integer position) {
  return AnsiString("Font size of the ebook: ") + (position >= 0 && position <= 4 ? kFontSizeWords[position] : "");
}

void TBibleSettingsDialog::FormCreate(TObject*) {
  PageControl1->SetActivePage(PageSetupSheet);
  MirrorCheckBox->SetChecked(MyReg->GetMirrorMargins());
  const AnsiString spacing = ReadSettingString("Line spacing");
  UpDown5->SetPosition(StrToIntDef(spacing, 100));
  Edit5->SetText(spacing.empty() ? AnsiString("100") : spacing);
  DateCheckBox->SetChecked(ReadSettingString("Include date") == "T");
  AllCapsCheckBox->SetChecked(ReadSettingString("Heading in All Caps") == "T");
  TopMarginEdit->SetValue(MyReg->GetTopMargin());
  BottomMarginEdit->SetValue(MyReg->GetBottomMargin());
  LeftMarginEdit->SetValue(MyReg->GetLeftMargin());
  RightMarginEdit->SetValue(MyReg->GetRightMargin());
  const Integer paper = MyReg->GetPaperSize();
  PaperSizeComboBox->SetItemIndex(paper >= 0 && paper < kPaperSizes ? paper : -1);
  PDFFolder = MyReg->GetPrintingFolder();
  EBookFolder = MyReg->GetEBooksFolder();
  ReaderWorksProgram = MyReg->GetReaderWorksProgram();
  ShowChoices();
  PageCheckBoxes[epCover]->SetChecked(MyReg->GetPrintCoverPages());
  PageCheckBoxes[epFirst]->SetChecked(MyReg->GetPrintFirstPages());
  PageCheckBoxes[epOTTitle]->SetChecked(MyReg->GetPrintOTTitlePages());
  PageCheckBoxes[epNTTitle]->SetChecked(MyReg->GetPrintNTTitlePages());
  PageCheckBoxes[epLast]->SetChecked(MyReg->GetPrintLastPages());
  const Integer rule = MyReg->GetHyphenationRule();
  HyphenationGroup->SetItemIndex(rule >= 0 && rule <= 2 ? rule : 0);
  NoHyphNumberUpDown->SetPosition(MyReg->GetNoHyphenationLength());
  ConsonantsEdit->SetText(MyReg->GetConsonants());
  VowelsEdit->SetText(MyReg->GetVowels());
  FontSizeTrackBar->SetPosition(MyReg->GetEBookFontSize());

  LoadBookHeadings();
  headings_ = BookHeadings;
  HeadersListBox->GetItems()->Clear();
  for (const AnsiString& heading : headings_) HeadersListBox->GetItems()->Add(heading);
  HeadingEdit->SetText("");

  // A missing or unreadable list leaves the editor empty.
  HyphenUzurUvadEdit->Clear();
  const AnsiString words = HyphenatedWordsFileName();
  if (!words.empty() && FileExists(words)) HyphenUzurUvadEdit->LoadText(words, 0, 0, false);
  HyphenUzurUvadEdit->Format();
  HyphenUzurUvadEdit->SetModified(false);

  FontSizeTrackBarChange(this);
  UpdateEditButtons();
}

void TBibleSettingsDialog::ShowChoices() {
  PDFFolderButton->SetCaption(Literal(PDFFolder));
  eBookButton->SetCaption(Literal(EBookFolder));
  ReaderWorksButton->SetCaption(Literal(ReaderWorksProgram));
}

// ---------------------------------------------------------------------------------------------
// Headings

void TBibleSettingsDialog::HeadersListBoxClick(TObject*) {
  const Integer index = HeadersListBox->GetItemIndex();
  if (index < 0) return;
  HeadingEdit->SetText(HeadersListBox->GetItems()->GetStrings(index));
}

void TBibleSettingsDialog::HeadingEditChange(TObject*) {
  const Integer index = HeadersListBox->GetItemIndex();
  if (index < 0 || index >= BookCount) return;
  const AnsiString heading = HeadingEdit->GetText();
  if (HeadersListBox->GetItems()->GetStrings(index) == heading) return;
  headings_[index] = heading;
  HeadersListBox->GetItems()->SetStrings(index, heading);
  // Replacing an entry's text would lose the choice.
  HeadersListBox->SetItemIndex(index);
}

// ---------------------------------------------------------------------------------------------
// Extra pages

void TBibleSettingsDialog::UpdateEditButtons() {
  for (int kind = 0; kind < ExtraPageKindCount; ++kind) PageButtons[kind]->SetEnabled(PageCheckBoxes[kind]->GetChecked());
}

void TBibleSettingsDialog::EditExtraPage(int kind) {
  const AnsiString problem = ::EditExtraPage(kind);
  if (!problem.empty()) Application->MessageBox(problem, GetCaption(), MB_OK | MB_ICONERROR);
}

void TBibleSettingsDialog::CoverPageButtonClick(TObject*) { EditExtraPage(epCover); }
void TBibleSettingsDialog::FirstPageButtonClick(TObject*) { EditExtraPage(epFirst); }
void TBibleSettingsDialog::OTPageButtonClick(TObject*) { EditExtraPage(epOTTitle); }
void TBibleSettingsDialog::NTPageButtonClick(TObject*) { EditExtraPage(epNTTitle); }
void TBibleSettingsDialog::LastPageButtonClick(TObject*) { EditExtraPage(epLast); }
void TBibleSettingsDialog::CoverPageCheckBoxClick(TObject*) { UpdateEditButtons(); }
void TBibleSettingsDialog::FirstPageCheckBoxClick(TObject*) { UpdateEditButtons(); }
void TBibleSettingsDialog::OTPageCheckBoxClick(TObject*) { UpdateEditButtons(); }
void TBibleSettingsDialog::NTPageCheckBoxClick(TObject*) { UpdateEditButtons(); }
void TBibleSettingsDialog::LastPageCheckBoxClick(TObject*) { UpdateEditButtons(); }

// ---------------------------------------------------------------------------------------------
// Folders, builder, font size

void TBibleSettingsDialog::PDFFolderButtonClick(TObject*) {
  AnsiString folder = PDFFolder;
  if (!SelectDirectory("", "", folder)) return;
  PDFFolder = folder;
  ShowChoices();
}

void TBibleSettingsDialog::eBookButtonClick(TObject*) {
  AnsiString folder = EBookFolder;
  if (!SelectDirectory("", "", folder)) return;
  EBookFolder = folder;
  ShowChoices();
}

void TBibleSettingsDialog::ReaderWorksButtonClick(TObject*) {
  std::unique_ptr<TOpenDialog> dialog(new TOpenDialog(this));
  dialog->Filter = "Program Files|*.exe";
  dialog->DefaultExt = "*.exe";
  dialog->InitialDir = ExtractFilePath(ReaderWorksProgram);
  dialog->FileName = ReaderWorksProgram;
  if (!dialog->Execute()) return;
  ReaderWorksProgram = dialog->FileName;
  ShowChoices();
}

void TBibleSettingsDialog::FontSizeTrackBarChange(TObject*) {
  eBookFontSizeLabel->SetCaption(EBookFontSizeText(FontSizeTrackBar->GetPosition()));
}

// ---------------------------------------------------------------------------------------------
// Storing

bool TBibleSettingsDialog::Saved(Cardinal error, const AnsiString& fileName) {
  if (error == 0) return true;
  // The dialog stays open, so that nothing typed is lost: the user may try again or cancel.
  Application->MessageBox("The file " + fileName + " cannot be written: " + SysErrorMessage(error), GetCaption(),
                          MB_OK | MB_ICONERROR);
  return false;
}

void TBibleSettingsDialog::OKBtnClick(TObject*) {
  MyReg->SetMirrorMargins(MirrorCheckBox->GetChecked());
  WriteSettingString("Line spacing", Edit5->GetText());
  WriteSettingString("Include date", TrueFalse(DateCheckBox->GetChecked()));
  BookHeadings = headings_;
  if (!Saved(SaveBookHeadings(headings_), HeadingsFileName())) return;
  WriteSettingString("Heading in All Caps", TrueFalse(AllCapsCheckBox->GetChecked()));
  MyReg->SetPrintCoverPages(PageCheckBoxes[epCover]->GetChecked());
  MyReg->SetPrintFirstPages(PageCheckBoxes[epFirst]->GetChecked());
  MyReg->SetPrintOTTitlePages(PageCheckBoxes[epOTTitle]->GetChecked());
  MyReg->SetPrintNTTitlePages(PageCheckBoxes[epNTTitle]->GetChecked());
  MyReg->SetPrintLastPages(PageCheckBoxes[epLast]->GetChecked());
  MyReg->SetHyphenationRule(HyphenationGroup->GetItemIndex());
  MyReg->SetNoHyphenationLength(NoHyphNumberUpDown->GetPosition());
  const AnsiString words = HyphenatedWordsFileName();
  if (!words.empty()) {
    ForceDirectories(ExtractFilePath(words));
    TMemoryStream stream;
    HyphenUzurUvadEdit->SaveTextToStream(ExtractFilePath(words), &stream, 1000, false, false);
    const AnsiString bytes(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
    if (!Saved(ReplaceFileContents(words, bytes), words)) return;
  }
  MyReg->SetConsonants(ConsonantsEdit->GetText());
  MyReg->SetVowels(VowelsEdit->GetText());
  MyReg->SetEBooksFolder(EBookFolder);
  MyReg->SetEBookFontSize(FontSizeTrackBar->GetPosition());
  MyReg->SetPrintingFolder(PDFFolder.empty() ? PDFFolder : IncludeTrailingPathDelimiter(PDFFolder));
  MyReg->SetLeftMargin(LeftMarginEdit->GetAsInteger());
  MyReg->SetRightMargin(RightMarginEdit->GetAsInteger());
  MyReg->SetTopMargin(TopMarginEdit->GetAsInteger());
  MyReg->SetBottomMargin(BottomMarginEdit->GetAsInteger());
  if (PaperSizeComboBox->GetItemIndex() >= 0) MyReg->SetPaperSize(PaperSizeComboBox->GetItemIndex());
  MyReg->SetReaderWorksProgram(ReaderWorksProgram);
  SetModalResult(mrOk);
}
