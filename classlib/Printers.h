// The printer: the installed printers, the chosen one's page size and orientation, and printing
// a document page by page on its canvas.
//
// Without an installed printer every operation that needs one raises EPrinter ("There is no
// default printer currently selected"). The device calls are virtual, so that a descendant can
// send the pages somewhere else (the tests print into bitmaps).
#pragma once

#include <vector>

#include "classlib/Graphics.h"
#include "classlib/StringLists.h"

class EPrinter : public Exception {
  CLASS_INFO(EPrinter, Exception)
public:
  using Exception::Exception;
};

enum TPrinterOrientation { poPortrait, poLandscape };
enum TPrinterCapability { pcCopies, pcOrientation, pcCollation };
using TPrinterCapabilities = TSet<TPrinterCapability>;

class TPrinter;

// Draws on the printer's context. Before BeginDoc it measures on an information context;
// drawing is refused unless a document is being printed.
class TPrinterCanvas : public TCanvas {
  CLASS_INFO(TPrinterCanvas, TCanvas)
public:
  explicit TPrinterCanvas(TPrinter* APrinter) : FPrinter(APrinter) {}
  // The printer's answer for its context.
  Integer DeviceCaps(Integer Index) override;

protected:
  void CreateHandle() override;
  void Changing() override;

private:
  friend class TPrinter;
  // Sizes of fonts are in points: the font follows the device's resolution.
  void UpdateFont();
  TPrinter* FPrinter;
};

class TPrinter : public TObject {
  CLASS_INFO(TPrinter, TObject)
public:
  TPrinter();
  ~TPrinter() override;

  // Starts a document titled Title with its first page.
  void BeginDoc();
  // Ends the last page and the document.
  void EndDoc();
  // Ends the page and starts the next; the canvas's font, pen and brush carry over.
  void NewPage();
  // Abandons the document being printed.
  void Abort();
  bool GetPrinting() const { return FPrinting; }
  bool GetAborted() const { return FAborted; }
  // The page being printed, from 1; 0 when not printing.
  Integer GetPageNumber() const { return FPageNumber; }

  TCanvas* GetCanvas() { return FCanvas; }
  // The printer's context: the document's while printing, else an information context.
  HDC GetHandle();
  // The printable area in device pixels.
  Integer GetPageWidth();
  Integer GetPageHeight();

  TPrinterOrientation GetOrientation();
  // Refused while printing ("Printing in progress").
  void SetOrientation(TPrinterOrientation Value);
  Integer GetCopies();
  void SetCopies(Integer Value);
  TPrinterCapabilities GetCapabilities();

  // The names of the installed printers.
  TStrings* GetPrinters();
  // The chosen printer; -1 chooses the system's default printer.
  Integer GetPrinterIndex();
  void SetPrinterIndex(Integer Value);
  // Reads the printer list again and chooses the default printer.
  void Refresh();

  // The document's name in the print queue.
  AnsiString Title;

protected:
  // The device the printer drives; the defaults use the installed printers and the spooler.

  // The installed printers and the name of the default one (empty when there is none).
  virtual void ListPrinters(std::vector<AnsiString>& Names, AnsiString& DefaultName);
  // The printer's settings (a DEVMODEA with its driver data); empty when they cannot be read.
  virtual std::vector<Byte> ReadDevMode(const AnsiString& Name);
  // A device context (or an information context) for the printer with the settings.
  virtual HDC CreateContext(const AnsiString& Name, const DEVMODEA* Mode, bool InformationOnly);
  virtual void DeleteContext(HDC DC);
  virtual Integer DeviceCaps(HDC DC, Integer Index);
  // The spooler's document and page calls; false when they fail.
  virtual bool StartDocument(HDC DC, const AnsiString& DocTitle);
  virtual bool StartPage(HDC DC);
  virtual bool EndPage(HDC DC);
  virtual bool EndDocument(HDC DC);
  virtual bool AbortDocument(HDC DC);

  // The settings of the chosen printer (nullptr when it has none).
  const DEVMODEA* GetDevMode() const;

private:
  friend class TPrinterCanvas;
  enum class State { NoHandle, HandleIC, HandleDC };

  void SetState(State Value);
  void CheckPrinting(bool Value) const;
  void LoadPrinters();
  DEVMODEA* DevMode();

  TPrinterCanvas* FCanvas;
  TStringList* FPrinters;
  bool FPrintersLoaded = false;
  AnsiString FDefaultName;
  Integer FPrinterIndex = -1;
  std::vector<Byte> FDevMode;
  State FState = State::NoHandle;
  HDC FDC = nullptr;
  bool FPrinting = false;
  bool FAborted = false;
  Integer FPageNumber = 0;
};

// The printer object of the process, made when first used.
TPrinter* Printer();
// Replaces it (tests give a printer of their own); returns the previous one, which the caller
// then owns.
TPrinter* SetPrinter(TPrinter* NewPrinter);
