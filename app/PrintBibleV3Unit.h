// "Print Bible": the chosen books of the current project typeset into "Bible.pdf" in the printing
// folder. "&Produce" builds the Old and the New Testament documents (shown on "View &text" and
// editable there), "P&repare print" lays them out in pages of two balanced columns into the page
// files "otpages.dat" and "ntpages.dat" of the program folder, and "Pr&int" writes the extra pages
// and the testaments' pages with their headers into the PDF file. A run of the whole Bible shows
// its progress in the status bar and "&Stop" ends it; a stopped or failed run leaves an earlier
// "Bible.pdf" as it was.
//
// Produce (PrintBibleV3Unit.cpp), Prepare print (PrintBibleV3Prepare.cpp) and Print
// (PrintBibleV3Print.cpp) are the printing path; "Produce for &MS Reader" switches the dialog to
// making e-books instead, whose run is a unit of its own.
#pragma once

#include <set>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Strings.h"
#include "tools/BibleHyphenation.h"
#include "tools/BiblePdf.h"
#include "tools/BiblePrinting.h"

class TButton;
class TCheckBox;
class TEdit;
class TLabel;
class TListBox;
class TPageControl;
class TPDFDocument;
class TScripture;
class TStatusBar;
class TTabSheet;
class TUpDown;
class TUVReportHelper;
class TUVStyle;
class VUzurUvadEdit;

class TPrintBibleV3Dialog : public TForm {
  CLASS_INFO(TPrintBibleV3Dialog, TForm)
public:
  explicit TPrintBibleV3Dialog(TComponent* AOwner);
  ~TPrintBibleV3Dialog() override;

  // "Old Testament" for 0, "New Testament" for 1.
  static AnsiString TestamentName(Integer testament);
  // The page file of a testament: the program folder + "otpages.dat" or "ntpages.dat".
  static AnsiString PageFileName(Integer testament);

  // The chosen entries with book number 40 or more (New Testament) and the others (Old
  // Testament, entries that are no English book name included): the Old Testament's count for 0,
  // the New Testament's for 1, their sum for 2, else 0.
  Integer CountSelectedBooks(Integer which);
  // Builds one testament's document from the chosen books (testament 0 Old, 1 New).
  void ProduceTestament(Integer testament, bool eBook);

  // State the tests and the e-book run read.
  bool Produced() const { return produced_; }
  bool Prepared() const { return prepared_; }
  bool Running() const { return running_; }
  Integer PageCount(Integer testament) const { return layouts_[testament].Pages; }
  const std::vector<TContentsEntry>& Contents(Integer testament) const { return layouts_[testament].Contents; }
  const TBookStarts& BookStarts(Integer testament) const { return starts_[testament]; }
  const TBiblePageMeasures& PageMeasures() const { return page_; }
  // The PDF file written by "Pr&int": the printing folder + "Bible.pdf".
  AnsiString PdfFileName;
  // The date in the headers: now in the "Date format" setting, taken when the dialog opens.
  AnsiString DateText;

  // Components of the form text.
  TPageControl* PageControl1 = nullptr;
  TTabSheet* SelectSheet = nullptr;
  TTabSheet* ViewSheet = nullptr;
  TTabSheet* PrintingSheet = nullptr;
  TListBox* BooksListBox = nullptr;
  TCheckBox* OCCheckBox = nullptr;
  TEdit* OCEdit = nullptr;
  TUpDown* OCUpDown = nullptr;
  TCheckBox* eBookCheckBox = nullptr;
  VUzurUvadEdit* OTUzurUvadEdit = nullptr;
  VUzurUvadEdit* NTUzurUvadEdit = nullptr;
  TCheckBox* CoverPageBox = nullptr;
  TCheckBox* FirstPageBox = nullptr;
  TCheckBox* OTTitleBox = nullptr;
  TCheckBox* OTBox = nullptr;
  TCheckBox* NTTitleBox = nullptr;
  TCheckBox* NTBox = nullptr;
  TCheckBox* LastPageBox = nullptr;
  TButton* ProduceButton = nullptr;
  TLabel* PrepareLabel = nullptr;
  TButton* PreparePrintButton = nullptr;
  TLabel* PrintLabel = nullptr;
  TButton* PrintButton = nullptr;
  TButton* StopButton = nullptr;
  TButton* OKBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  VUzurUvadEdit* PrintUzurUvadEdit = nullptr;
  TUVStyle* UVStyle1 = nullptr;
  TUVStyle* PrintUVStyle = nullptr;
  TUVReportHelper* UVReportHelper1 = nullptr;
  TPDFDocument* PDFDocument1 = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void ProduceButtonClick(TObject* Sender);
  void PreparePrintButtonClick(TObject* Sender);
  void PrintButtonClick(TObject* Sender);
  void StopButtonClick(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void BooksListBoxClick(TObject* Sender);
  void OCCheckBoxClick(TObject* Sender);
  void OCEditChange(TObject* Sender);
  void OCUpDownClick(TObject* Sender, TUDBtnType Button);
  void eBookCheckBoxClick(TObject* Sender);
  void OTUzurUvadEditChange(TObject* Sender);
  void NTUzurUvadEditChange(TObject* Sender);
  void OTClipButtonClick(TObject* Sender);
  void NTClipButtonClick(TObject* Sender);

private:
  // A run of the printing path: the buttons but "&Stop" are disabled meanwhile.
  class TRun;
  friend class TRun;

  void ShowStatus(const AnsiString& text);
  // A status of a long run: shown, the window's messages handled, and the run ended with EAbort
  // when "&Stop" was pressed.
  void RunStatus(const AnsiString& text);
  // Forgets the documents built and the pages laid out (the selection or the chapter changed).
  void SelectionChanged();
  // The e-book mode shows or hides the printing controls.
  void UpdateEBookMode();
  void SaveSelection();
  void RestoreBookSelection();
  // Lays both documents out into their page files; false when stopped or failed (said).
  bool Prepare();
  void Print();
  void LoadPrintOptions();
  void PrintExtraPage(TBiblePagePrinter& printer, TBibleSheets& sheets, Integer kind);
  void CopyToClipboard(VUzurUvadEdit* editor);
  VUzurUvadEdit* Editor(Integer testament) const { return testament == 0 ? OTUzurUvadEdit : NTUzurUvadEdit; }

  TScripture* scripture_ = nullptr;
  std::set<Integer> selection_;
  TBookStarts starts_[2];
  TTestamentLayout layouts_[2];
  THyphenationList hyphenationList_;
  TCharSet consonants_;
  TCharSet vowels_;
  TBiblePageMeasures page_;
  Integer lineSpacing_ = 100;
  bool includeDate_ = false;
  bool headingInAllCaps_ = false;
  bool produced_ = false;
  bool prepared_ = false;
  bool running_ = false;
  bool stopRequested_ = false;
};
