// The results list window ("Print list"): the window in which the main window and the tools show
// a list of results (reference lines, word lists, formatted comparison text). The user reads and
// copies the text, saves it as RTF or text, prints it into the PDF file "List.pdf" of the printing
// folder, sends the reference lines to Paratext, adds to each reference the text of its verse, and
// in comparison output keeps only the lines with a change.
//
// A caller creates the window, sets its caption and Title, fills SourceList or SourceStream, calls
// ShowList with a kind, shows the window modally and frees it.
#pragma once

#include "classlib/Forms.h"
#include "classlib/System.h"
#include "core/Utilities.h"

class TCanvas;
class TMainMenu;
class TMemoryStream;
class TMenuItem;
class TPDFDocument;
class TStatusBar;
class TStringList;
class TUVReportHelper;
class TUVStyle;
class VUzurUvad;

// What ShowList fills the window from.
enum : Integer {
  lkReferenceFile = 0,      // the Paratext projects folder's "pelorin.ref", with the verse tool
  lkLines = 1,              // SourceList, a paragraph a line
  lkUVF = 2,                // SourceStream as UVF (comparison output)
  lkRTF = 3,                // SourceStream as RTF
  lkReferenceFileOnly = 4,  // "pelorin.ref" without the verse tool
};

// The sheets a list is printed on: the canvas of the current page, which measures and draws in
// units of its own resolution, and the start of each further page of the same size.
class TListSheets {
public:
  virtual ~TListSheets() = default;
  virtual TCanvas* Canvas() = 0;
  // Width and height of a sheet in the canvas's units.
  virtual TSize PageSize() = 0;
  virtual void NewPage() = 0;
};

class TPrintGeneralListDialog : public TForm {
  CLASS_INFO(TPrintGeneralListDialog, TForm)
public:
  explicit TPrintGeneralListDialog(TComponent* AOwner);

  // Clears the text and fills it from the source of the kind (lkReferenceFile ...), then lays it
  // out; enables the menu items the kind offers.
  void ShowList(Integer kind);
  // Lays the text out in pages of the sheets, within the margins of the settings, and draws each
  // page with its header (title, date and page number). "&Print" prints onto the pages of
  // "List.pdf"; any canvas that draws like a printer's will do.
  void PrintPages(TListSheets& sheets);

  // The heading of printed pages; set by the caller, usually to the caption.
  AnsiString Title;
  // Today's date in the "Date format" setting when "Include date" is "T", else empty.
  AnsiString DateText;
  // The sources of ShowList (owned).
  TStringList* SourceList = nullptr;
  TMemoryStream* SourceStream = nullptr;

  // Components of the form text.
  VUzurUvad* UzurUvadEdit1 = nullptr;
  TUVStyle* UVStyle1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TPDFDocument* PDFDocument1 = nullptr;
  TUVReportHelper* UVReportHelper1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* TransfertoParatext1 = nullptr;
  TMenuItem* Cut1 = nullptr;
  TMenuItem* Copy1 = nullptr;
  TMenuItem* Paste1 = nullptr;
  TMenuItem* ShowWithoutValidTranslation1 = nullptr;
  TMenuItem* SingleLineSpacing1 = nullptr;
  TMenuItem* ShowOnlyChanges1 = nullptr;
  TMenuItem* AddVerseText1 = nullptr;

  // --- Handlers named by the form text
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void TransfertoParatext1Click(TObject* Sender);
  void Save1Click(TObject* Sender);
  void Print1Click(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void Edit1Click(TObject* Sender);
  void Cut1Click(TObject* Sender);
  void Copy1Click(TObject* Sender);
  void Paste1Click(TObject* Sender);
  void SelectAll1Click(TObject* Sender);
  void ShowWithoutValidTranslation1Click(TObject* Sender);
  void SingleLineSpacing1Click(TObject* Sender);
  void ShowOnlyChanges1Click(TObject* Sender);
  void AddVerseText1Click(TObject* Sender);
  void UVReportHelper1Formatting(TObject* Sender, Integer PageCount, Integer Step);

private:
  void ShowStatus(const AnsiString& text);
  // Every paragraph style takes the line spacing in percent.
  void SetLineSpacing(Integer percent);
  // The "Line spacing" setting; 100 when it is no number.
  Integer LineSpacingSetting() const;
  // The path of the Paratext projects folder's "pelorin.ref".
  AnsiString ReferenceFilePath() const;
  // Adds the verse text under each reference of "pelorin.ref" (PrintGeneralListsVerses.cpp).
  void AddVerseText();
  // Keeps the marker lines with a change (PrintGeneralListsChanges.cpp).
  void KeepOnlyLinesWithChanges();
  void DrawPageHeader(TCanvas* canvas, Integer page, const TRect& area, Integer gap);
};
