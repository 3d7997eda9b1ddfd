// Print Bible: the dialog's set-up, the choice of books and building the testament documents.
#include "app/PrintBibleV3Unit.h"

#include <memory>

#include "app/PrintBibleV3Run.h"
#include "classlib/ComCtrlsPublished.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/Timers.h"
#include "controls/VisSendKeys.h"
#include "core/FontTable.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "pdf/PDF.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BibleDocument.h"
#include "tools/BibleText.h"

extern const char PrintBibleV3UnitFormText[];

PUBLISHED(TPrintBibleV3Dialog) {
  Field("PageControl1", &TPrintBibleV3Dialog::PageControl1);
  Field("SelectSheet", &TPrintBibleV3Dialog::SelectSheet);
  Field("ViewSheet", &TPrintBibleV3Dialog::ViewSheet);
  Field("PrintingSheet", &TPrintBibleV3Dialog::PrintingSheet);
  Field("BooksListBox", &TPrintBibleV3Dialog::BooksListBox);
  Field("OCCheckBox", &TPrintBibleV3Dialog::OCCheckBox);
  Field("OCEdit", &TPrintBibleV3Dialog::OCEdit);
  Field("OCUpDown", &TPrintBibleV3Dialog::OCUpDown);
  Field("eBookCheckBox", &TPrintBibleV3Dialog::eBookCheckBox);
  Field("OTUzurUvadEdit", &TPrintBibleV3Dialog::OTUzurUvadEdit);
  Field("NTUzurUvadEdit", &TPrintBibleV3Dialog::NTUzurUvadEdit);
  Field("CoverPageBox", &TPrintBibleV3Dialog::CoverPageBox);
  Field("FirstPageBox", &TPrintBibleV3Dialog::FirstPageBox);
  Field("OTTitleBox", &TPrintBibleV3Dialog::OTTitleBox);
  Field("OTBox", &TPrintBibleV3Dialog::OTBox);
  Field("NTTitleBox", &TPrintBibleV3Dialog::NTTitleBox);
  Field("NTBox", &TPrintBibleV3Dialog::NTBox);
  Field("LastPageBox", &TPrintBibleV3Dialog::LastPageBox);
  Field("ProduceButton", &TPrintBibleV3Dialog::ProduceButton);
  Field("PrepareLabel", &TPrintBibleV3Dialog::PrepareLabel);
  Field("PreparePrintButton", &TPrintBibleV3Dialog::PreparePrintButton);
  Field("PrintLabel", &TPrintBibleV3Dialog::PrintLabel);
  Field("PrintButton", &TPrintBibleV3Dialog::PrintButton);
  Field("StopButton", &TPrintBibleV3Dialog::StopButton);
  Field("OKBtn", &TPrintBibleV3Dialog::OKBtn);
  Field("StatusBar1", &TPrintBibleV3Dialog::StatusBar1);
  Field("PrintUzurUvadEdit", &TPrintBibleV3Dialog::PrintUzurUvadEdit);
  Field("UVStyle1", &TPrintBibleV3Dialog::UVStyle1);
  Field("PrintUVStyle", &TPrintBibleV3Dialog::PrintUVStyle);
  Field("UVReportHelper1", &TPrintBibleV3Dialog::UVReportHelper1);
  Field("PDFDocument1", &TPrintBibleV3Dialog::PDFDocument1);
  Field("eBookTimer", &TPrintBibleV3Dialog::eBookTimer);
  Field("ConvertTimer", &TPrintBibleV3Dialog::ConvertTimer);
  Field("OLDTimer", &TPrintBibleV3Dialog::OLDTimer);
  Field("ReaderWorksTimer", &TPrintBibleV3Dialog::ReaderWorksTimer);
  Field("VisSendKeys1", &TPrintBibleV3Dialog::VisSendKeys1);
  Method("FormCreate", &TPrintBibleV3Dialog::FormCreate);
  Method("FormDestroy", &TPrintBibleV3Dialog::FormDestroy);
  Method("FormClose", &TPrintBibleV3Dialog::FormClose);
  Method("FormCloseQuery", &TPrintBibleV3Dialog::FormCloseQuery);
  Method("ProduceButtonClick", &TPrintBibleV3Dialog::ProduceButtonClick);
  Method("PreparePrintButtonClick", &TPrintBibleV3Dialog::PreparePrintButtonClick);
  Method("PrintButtonClick", &TPrintBibleV3Dialog::PrintButtonClick);
  Method("StopButtonClick", &TPrintBibleV3Dialog::StopButtonClick);
  Method("OKBtnClick", &TPrintBibleV3Dialog::OKBtnClick);
  Method("PageControl1Change", &TPrintBibleV3Dialog::PageControl1Change);
  Method("BooksListBoxClick", &TPrintBibleV3Dialog::BooksListBoxClick);
  Method("OCCheckBoxClick", &TPrintBibleV3Dialog::OCCheckBoxClick);
  Method("OCEditChange", &TPrintBibleV3Dialog::OCEditChange);
  Method("OCUpDownClick", &TPrintBibleV3Dialog::OCUpDownClick);
  Method("eBookCheckBoxClick", &TPrintBibleV3Dialog::eBookCheckBoxClick);
  Method("OTUzurUvadEditChange", &TPrintBibleV3Dialog::OTUzurUvadEditChange);
  Method("NTUzurUvadEditChange", &TPrintBibleV3Dialog::NTUzurUvadEditChange);
  Method("OTClipButtonClick", &TPrintBibleV3Dialog::OTClipButtonClick);
  Method("NTClipButtonClick", &TPrintBibleV3Dialog::NTClipButtonClick);
  Method("eBookTimerTimer", &TPrintBibleV3Dialog::eBookTimerTimer);
  Method("ConvertTimerTimer", &TPrintBibleV3Dialog::ConvertTimerTimer);
  Method("OLDTimerTimer", &TPrintBibleV3Dialog::OLDTimerTimer);
  Method("ReaderWorksTimerTimer", &TPrintBibleV3Dialog::ReaderWorksTimerTimer);
  Method("OTUzurUvadEditURLNeeded", &TPrintBibleV3Dialog::OTUzurUvadEditURLNeeded);
  Method("NTUzurUvadEditURLNeeded", &TPrintBibleV3Dialog::NTUzurUvadEditURLNeeded);
}

namespace {

constexpr Integer kFirstNewTestamentBook = OldTestamentBookCount + 1;

bool IsNewTestamentEntry(const AnsiString& entry) {
  return BookNumberFromEnglishName(entry) >= kFirstNewTestamentBook;
}

}  // namespace

TPrintBibleV3Dialog::TPrintBibleV3Dialog(TComponent* AOwner) : TForm(AOwner) {
  // The page control, its sheets and the up-down buttons are read from the form text.
  ComCtrlsClassesPublished();
  ReadComponentFromText(this, PrintBibleV3UnitFormText);
  builder_ = std::make_unique<TSendKeysBuilder>(VisSendKeys1);
}

TPrintBibleV3Dialog::~TPrintBibleV3Dialog() = default;

AnsiString TPrintBibleV3Dialog::TestamentName(Integer testament) {
  return testament == 0 ? "Old Testament" : testament == 1 ? "New Testament" : "";
}

AnsiString TPrintBibleV3Dialog::PageFileName(Integer testament) {
  return ProgramFolder + (testament == 0 ? "otpages.dat" : "ntpages.dat");
}

void TPrintBibleV3Dialog::FormCreate(TObject*) {
  PageControl1->SetActivePage(SelectSheet);
  const Integer chapter = MyReg->GetOnlyChapterNumber();
  OCUpDown->SetPosition(chapter >= 1 && chapter <= 150 ? chapter : 1);
  OCEdit->SetColor(clBtnFace);
  OCEdit->SetEnabled(false);

  scripture_ = new TScripture(this, -1);
  BooksListBox->GetItems()->Assign(scripture_->BookNames);

  const AnsiString folder = MyReg->GetPrintingFolder();
  if (!folder.empty()) ForceDirectories(folder);
  PdfFileName = folder + "Bible.pdf";
  // The pages are laid out and drawn in hundredths of a point, so that the words of a justified
  // line stand where their widths put them; Bible.pdf is written a page at a time, so that the
  // whole Bible never stands in memory.
  SetUpBiblePdfDocument(PDFDocument1);
  page_ = MeasureBiblePage(TBiblePageSetup::FromSettings(), PDFDocument1->GetResolution());

  lineSpacing_ = StrToIntDef(ReadSettingString("Line spacing"), 100);
  if (lineSpacing_ <= 0) lineSpacing_ = 100;
  includeDate_ = ReadSettingString("Include date") == "T";
  AnsiString dateFormat = ReadSettingString("Date format");
  if (dateFormat.empty()) dateFormat = "d mmm yyyy";
  DateText = FormatDateTime(dateFormat, Now());
  CreateBibleStyles(UVStyle1, lineSpacing_);
  consonants_ = StringToCharSet(MyReg->GetConsonants());
  vowels_ = StringToCharSet(MyReg->GetVowels());

  // With e-book mode on, the builder timer starts the builder at its first tick.
  eBookCheckBox->SetChecked(MyReg->GetProduceEBook());
  UpdateEBookMode();
}

void TPrintBibleV3Dialog::FormDestroy(TObject*) {
  // The builder runs hidden: it goes with the window however the window is left.
  for (TTimer* timer : {eBookTimer, ConvertTimer, OLDTimer, ReaderWorksTimer}) timer->SetEnabled(false);
  conversion_.reset();
  CloseBuilder();
  builderOptions_.Restore();
  delete scripture_;
  scripture_ = nullptr;
}

void TPrintBibleV3Dialog::FormCloseQuery(TObject*, bool& CanClose) {
  // A run is asked to stop first; the window closes once it has.
  if (!running_ && !eBookRunning_) return;
  stopRequested_ = true;
  CanClose = false;
}

void TPrintBibleV3Dialog::FormClose(TObject*, TCloseAction&) {
  for (Integer testament = 0; testament < 2; ++testament) ::DeleteFileA(PageFileName(testament).c_str());
  if (OCCheckBox->GetChecked()) OCUpDown->SetPosition(OCUpDown->GetPosition() + 1);
  MyReg->SetOnlyChapterNumber(OCUpDown->GetPosition());
}

void TPrintBibleV3Dialog::OKBtnClick(TObject*) {
  CloseBuilder();
  MyReg->SetProduceEBook(eBookCheckBox->GetChecked());
}

void TPrintBibleV3Dialog::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

// ---------------------------------------------------------------------------------------------
// Choosing books

void TPrintBibleV3Dialog::SelectionChanged() {
  produced_ = false;
  prepared_ = false;
}

void TPrintBibleV3Dialog::BooksListBoxClick(TObject*) { SelectionChanged(); }
void TPrintBibleV3Dialog::OCEditChange(TObject*) { SelectionChanged(); }
void TPrintBibleV3Dialog::OCUpDownClick(TObject*, TUDBtnType) { SelectionChanged(); }

void TPrintBibleV3Dialog::OCCheckBoxClick(TObject*) {
  const bool only = OCCheckBox->GetChecked();
  OCEdit->SetColor(only ? clWindow : clBtnFace);
  OCEdit->SetEnabled(only);
  BooksListBox->SetMultiSelect(!only);
  SelectionChanged();
}

void TPrintBibleV3Dialog::eBookCheckBoxClick(TObject*) {
  // Switched on anew: what keeps the builder from running is said again.
  builderTrouble_ = false;
  UpdateEBookMode();
}

void TPrintBibleV3Dialog::UpdateEBookMode() {
  const bool eBook = eBookCheckBox->GetChecked();
  if (eBook) OCCheckBox->SetChecked(false);
  for (TControl* control : std::initializer_list<TControl*>{OCCheckBox, OCEdit, OCUpDown, PrepareLabel,
                                                            PreparePrintButton, PrintLabel, PrintButton})
    control->SetVisible(!eBook);
  PrintingSheet->SetTabVisible(!eBook);
}

void TPrintBibleV3Dialog::SaveSelection() {
  selection_.clear();
  for (Integer i = 0; i < BooksListBox->GetItems()->GetCount() && i < 256; ++i)
    if (BooksListBox->GetSelected(i)) selection_.insert(i);
}

void TPrintBibleV3Dialog::RestoreBookSelection() {
  for (Integer i = 0; i < BooksListBox->GetItems()->GetCount(); ++i)
    BooksListBox->SetSelected(i, selection_.count(i) > 0);
}

Integer TPrintBibleV3Dialog::CountSelectedBooks(Integer which) {
  Integer oldTestament = 0, newTestament = 0;
  for (Integer i = 0; i < BooksListBox->GetItems()->GetCount(); ++i) {
    if (!BooksListBox->GetSelected(i)) continue;
    if (IsNewTestamentEntry(BooksListBox->GetItems()->GetStrings(i)))
      ++newTestament;
    else
      ++oldTestament;
  }
  switch (which) {
    case 0: return oldTestament;
    case 1: return newTestament;
    case 2: return oldTestament + newTestament;
    default: return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Building the documents

void TPrintBibleV3Dialog::ProduceButtonClick(TObject*) {
  SaveSelection();
  if (eBookCheckBox->GetChecked()) {
    StartEBookRun();
    RestoreBookSelection();
    return;
  }
  try {
    for (Integer testament = 0; testament < 2; ++testament) {
      starts_[testament].clear();
      layouts_[testament] = TTestamentLayout();
      VUzurUvadEdit* editor = Editor(testament);
      editor->Clear();
      if (CountSelectedBooks(testament) > 0)
        ProduceTestament(testament, false);
      else
        editor->Format();
    }
  } catch (const Exception& e) {
    ShowStatus("");
    Application->MessageBox(e.Message, GetCaption(), MB_OK | MB_ICONERROR);
  }
  RestoreBookSelection();
}

void TPrintBibleV3Dialog::ProduceTestament(Integer testament, bool eBook) {
  prepared_ = false;
  ApplyBibleFonts(UVStyle1, Fonts, eBook, MyReg->GetEBookFontSize());
  TBibleBuildOptions options;
  options.EBook = eBook;
  options.OnlyChapter = OCCheckBox->GetChecked();
  options.Chapter = OCEdit->GetText();
  options.Brackets = StrToIntDef(ReadSettingString("Text in brackets"), 0);
  headingInAllCaps_ = ReadSettingString("Heading in All Caps") == "T";

  std::vector<TBibleBook> books;
  for (Integer i = 0; i < BooksListBox->GetItems()->GetCount(); ++i) {
    if (!BooksListBox->GetSelected(i)) continue;
    const AnsiString entry = BooksListBox->GetItems()->GetStrings(i);
    if (IsNewTestamentEntry(entry) != (testament == 1)) continue;
    books.push_back(TBibleBook{entry, scripture_->BookFiles->GetStrings(i)});
  }
  layouts_[testament] = TTestamentLayout();
  VUzurUvadEdit* editor = Editor(testament);
  TUzurUvadBibleText text(editor);
  TBibleDocumentBuilder builder(text, UVStyle1);
  builder.OnStatus = [this](const AnsiString& status) { ShowStatus(status); };
  builder.Build(books, options, starts_[testament]);
  chapterCount_ = builder.ChapterCount();
  editor->Format();
  // The document is the program's, not the user's edit.
  editor->SetModified(false);
  editor->ScrollTo(0);
  if (!eBook) PageControl1->SetActivePage(ViewSheet);
  produced_ = true;
  if (!eBook) ShowStatus("Ready");
}

// ---------------------------------------------------------------------------------------------
// The views

void TPrintBibleV3Dialog::OTUzurUvadEditChange(TObject*) { prepared_ = false; }
void TPrintBibleV3Dialog::NTUzurUvadEditChange(TObject*) { prepared_ = false; }

void TPrintBibleV3Dialog::CopyToClipboard(VUzurUvadEdit* editor) {
  editor->SelectAll();
  editor->CopyToClipboard();
  editor->Deselect();
  editor->ScrollTo(0);
}

void TPrintBibleV3Dialog::OTClipButtonClick(TObject*) { CopyToClipboard(OTUzurUvadEdit); }
void TPrintBibleV3Dialog::NTClipButtonClick(TObject*) { CopyToClipboard(NTUzurUvadEdit); }

void TPrintBibleV3Dialog::PageControl1Change(TObject*) {
  if (PageControl1->GetActivePage() == PrintingSheet && !prepared_) PreparePrintButtonClick(this);
}
