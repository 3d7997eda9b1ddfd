// The printer.
#include "classlib/Printers.h"

#include <memory>

#include "classlib/SysUtils.h"

namespace {

const char kNoDefaultPrinter[] = "There is no default printer currently selected";
const char kInvalidPrinter[] = "Printer selected is not valid";
const char kNotPrinting[] = "Printer is not currently printing";
const char kPrinting[] = "Printing in progress";
const char kInvalidPrinterOp[] = "Operation not supported on selected printer";
const char kPrinterIndexError[] = "Printer index out of range";

// A failed spooler call, with the system's reason when it gives one.
[[noreturn]] void PrintingFailed() {
  const DWORD error = ::GetLastError();
  throw EPrinter(error ? SysErrorMessage(error) : AnsiString("The printer could not print the document"));
}

std::unique_ptr<TPrinter>& Instance() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPrinterCanvas

void TPrinterCanvas::CreateHandle() {
  FPrinter->SetState(TPrinter::State::HandleIC);
  SetHandle(FPrinter->FDC);
  UpdateFont();
}

void TPrinterCanvas::Changing() {
  FPrinter->CheckPrinting(true);
  inherited::Changing();
  UpdateFont();
}

Integer TPrinterCanvas::DeviceCaps(Integer Index) { return FPrinter->DeviceCaps(FPrinter->GetHandle(), Index); }

void TPrinterCanvas::UpdateFont() {
  if (!FPrinter->FDC) return;
  const Integer ppi = FPrinter->DeviceCaps(FPrinter->FDC, LOGPIXELSY);
  if (ppi > 0 && GetFont()->PixelsPerInch != ppi) {
    const Integer size = GetFont()->GetSize();
    GetFont()->PixelsPerInch = ppi;
    GetFont()->SetSize(size);
  }
}

// ---------------------------------------------------------------------------------------------
// TPrinter

TPrinter::TPrinter() : FCanvas(new TPrinterCanvas(this)), FPrinters(new TStringList) {}

TPrinter::~TPrinter() {
  if (FPrinting) {
    try {
      EndDoc();
    } catch (...) {
      // The document cannot be completed any more; nothing else is to be done.
    }
  }
  FPrinting = false;
  FCanvas->SetHandle(nullptr);
  if (FDC) DeleteContext(FDC);
  delete FCanvas;
  delete FPrinters;
}

void TPrinter::CheckPrinting(bool Value) const {
  if (FPrinting != Value) throw EPrinter(Value ? kNotPrinting : kPrinting);
}

void TPrinter::LoadPrinters() {
  if (FPrintersLoaded) return;
  std::vector<AnsiString> names;
  AnsiString defaultName;
  ListPrinters(names, defaultName);
  FPrinters->Clear();
  for (const AnsiString& name : names) FPrinters->Add(name);
  FDefaultName = defaultName;
  FPrintersLoaded = true;
}

TStrings* TPrinter::GetPrinters() {
  LoadPrinters();
  return FPrinters;
}

void TPrinter::Refresh() {
  CheckPrinting(false);
  SetState(State::NoHandle);
  FPrintersLoaded = false;
  FPrinterIndex = -1;
  FDevMode.clear();
}

Integer TPrinter::GetPrinterIndex() {
  if (FPrinterIndex == -1) SetPrinterIndex(-1);
  return FPrinterIndex;
}

void TPrinter::SetPrinterIndex(Integer Value) {
  CheckPrinting(false);
  LoadPrinters();
  if (Value == -1) {
    Value = FDefaultName.empty() ? -1 : FPrinters->IndexOf(FDefaultName);
    if (Value < 0) throw EPrinter(kNoDefaultPrinter);
  } else if (Value < 0 || Value >= FPrinters->GetCount()) {
    throw EPrinter(kPrinterIndexError);
  }
  SetState(State::NoHandle);
  FPrinterIndex = Value;
  FDevMode = ReadDevMode(FPrinters->GetStrings(Value));
}

const DEVMODEA* TPrinter::GetDevMode() const {
  return FDevMode.size() >= sizeof(DEVMODEA) ? reinterpret_cast<const DEVMODEA*>(FDevMode.data()) : nullptr;
}

DEVMODEA* TPrinter::DevMode() {
  GetPrinterIndex();
  if (FDevMode.size() < sizeof(DEVMODEA)) throw EPrinter(kInvalidPrinterOp);
  return reinterpret_cast<DEVMODEA*>(FDevMode.data());
}

void TPrinter::SetState(State Value) {
  if (Value == FState) return;
  HDC newDC = nullptr;
  if (Value == State::NoHandle) {
    CheckPrinting(false);
  } else {
    // A document's context also answers what an information context would.
    if (Value == State::HandleIC && FState == State::HandleDC) return;
    const Integer index = GetPrinterIndex();
    newDC = CreateContext(FPrinters->GetStrings(index), GetDevMode(), Value == State::HandleIC);
    if (!newDC) throw EPrinter(kInvalidPrinter);
  }
  FCanvas->SetHandle(nullptr);
  if (FDC) DeleteContext(FDC);
  FDC = newDC;
  FState = Value;
}

HDC TPrinter::GetHandle() {
  SetState(State::HandleIC);
  return FDC;
}

Integer TPrinter::GetPageWidth() {
  SetState(State::HandleIC);
  return DeviceCaps(FDC, HORZRES);
}

Integer TPrinter::GetPageHeight() {
  SetState(State::HandleIC);
  return DeviceCaps(FDC, VERTRES);
}

TPrinterOrientation TPrinter::GetOrientation() {
  return DevMode()->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  CheckPrinting(false);
  DEVMODEA* mode = DevMode();
  mode->dmOrientation = Value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  mode->dmFields |= DM_ORIENTATION;
  SetState(State::NoHandle);
}

Integer TPrinter::GetCopies() { return DevMode()->dmCopies; }

void TPrinter::SetCopies(Integer Value) {
  CheckPrinting(false);
  DEVMODEA* mode = DevMode();
  mode->dmCopies = static_cast<short>(Value);
  mode->dmFields |= DM_COPIES;
  SetState(State::NoHandle);
}

TPrinterCapabilities TPrinter::GetCapabilities() {
  const DWORD fields = DevMode()->dmFields;
  TPrinterCapabilities result;
  if (fields & DM_COPIES) result << pcCopies;
  if (fields & DM_ORIENTATION) result << pcOrientation;
  if (fields & DM_COLLATE) result << pcCollation;
  return result;
}

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  SetState(State::HandleDC);
  FCanvas->Refresh();
  FCanvas->UpdateFont();
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  if (!StartDocument(FDC, Title)) {
    FPrinting = false;
    FPageNumber = 0;
    PrintingFailed();
  }
  if (!StartPage(FDC)) {
    AbortDocument(FDC);
    FPrinting = false;
    FPageNumber = 0;
    PrintingFailed();
  }
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  if (!EndPage(FDC) || !StartPage(FDC)) {
    AbortDocument(FDC);
    FPrinting = false;
    FAborted = true;
    FPageNumber = 0;
    PrintingFailed();
  }
  ++FPageNumber;
  // Starting a page may reset the context: select the canvas's objects again.
  FCanvas->Refresh();
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  const bool ok = EndPage(FDC) && EndDocument(FDC);
  FPrinting = false;
  FPageNumber = 0;
  if (!ok) {
    FAborted = true;
    PrintingFailed();
  }
}

// The abandoned document is not ended normally; Aborted stays set until the next BeginDoc.
void TPrinter::Abort() {
  CheckPrinting(true);
  AbortDocument(FDC);
  FAborted = true;
  FPrinting = false;
  FPageNumber = 0;
}

// ---------------------------------------------------------------------------------------------
// The installed printers through the spooler

void TPrinter::ListPrinters(std::vector<AnsiString>& Names, AnsiString& DefaultName) {
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  ::EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed) {
    std::vector<Byte> buffer(needed);
    if (::EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
      for (DWORD i = 0; i < count; ++i)
        if (info[i].pPrinterName) Names.emplace_back(info[i].pPrinterName);
    }
  }
  char name[MAX_PATH * 2] = {};
  DWORD size = sizeof name;
  DefaultName = ::GetDefaultPrinterA(name, &size) ? AnsiString(name) : AnsiString();
}

std::vector<Byte> TPrinter::ReadDevMode(const AnsiString& Name) {
  std::vector<Byte> result;
  HANDLE printer = nullptr;
  if (!::OpenPrinterA(const_cast<char*>(Name.c_str()), &printer, nullptr)) return result;
  const LONG size = ::DocumentPropertiesA(nullptr, printer, const_cast<char*>(Name.c_str()), nullptr, nullptr, 0);
  if (size >= static_cast<LONG>(sizeof(DEVMODEA))) {
    result.resize(static_cast<std::size_t>(size));
    if (::DocumentPropertiesA(nullptr, printer, const_cast<char*>(Name.c_str()),
                              reinterpret_cast<DEVMODEA*>(result.data()), nullptr, DM_OUT_BUFFER) != IDOK)
      result.clear();
  }
  ::ClosePrinter(printer);
  return result;
}

HDC TPrinter::CreateContext(const AnsiString& Name, const DEVMODEA* Mode, bool InformationOnly) {
  return InformationOnly ? ::CreateICA("WINSPOOL", Name.c_str(), nullptr, Mode)
                         : ::CreateDCA("WINSPOOL", Name.c_str(), nullptr, Mode);
}

void TPrinter::DeleteContext(HDC DC) { ::DeleteDC(DC); }

Integer TPrinter::DeviceCaps(HDC DC, Integer Index) { return ::GetDeviceCaps(DC, Index); }

bool TPrinter::StartDocument(HDC DC, const AnsiString& DocTitle) {
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = DocTitle.c_str();
  return ::StartDocA(DC, &info) > 0;
}

bool TPrinter::StartPage(HDC DC) { return ::StartPage(DC) > 0; }
bool TPrinter::EndPage(HDC DC) { return ::EndPage(DC) > 0; }
bool TPrinter::EndDocument(HDC DC) { return ::EndDoc(DC) > 0; }
bool TPrinter::AbortDocument(HDC DC) { return ::AbortDoc(DC) > 0; }

// ---------------------------------------------------------------------------------------------

TPrinter* Printer() {
  auto& printer = Instance();
  if (!printer) printer = std::make_unique<TPrinter>();
  return printer.get();
}

TPrinter* SetPrinter(TPrinter* NewPrinter) {
  auto& printer = Instance();
  TPrinter* old = printer.release();
  printer.reset(NewPrinter);
  return old;
}
