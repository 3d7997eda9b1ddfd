// A printer that prints into bitmaps at a resolution of its own: no printer is installed here, so
// page logic and printed pages are tested with it. Each page becomes a 24-bit bitmap of the
// page's size; the spooler calls it gets are recorded. Header only: it needs the class library,
// which the test programs that use it link.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Printers.h"

namespace testing_support {

class TBitmapPrinter : public TPrinter {
public:
  // Dpi pixels per inch; a portrait page ShortSide x LongSide pixels.
  TBitmapPrinter(int Dpi, int ShortSide, int LongSide) : dpi_(Dpi), short_(ShortSide), long_(LongSide) {}

  std::vector<std::string> Calls;
  std::vector<std::unique_ptr<TBitmap>> Pages;
  bool FailStartDoc = false;

protected:
  void ListPrinters(std::vector<AnsiString>& Names, AnsiString& DefaultName) override {
    Names = {"Draft Printer", "Bitmap Printer"};
    DefaultName = "Bitmap Printer";
  }
  std::vector<Byte> ReadDevMode(const AnsiString&) override {
    std::vector<Byte> buffer(sizeof(DEVMODEA));
    auto* mode = reinterpret_cast<DEVMODEA*>(buffer.data());
    mode->dmSize = sizeof(DEVMODEA);
    mode->dmFields = DM_ORIENTATION | DM_COPIES;
    mode->dmOrientation = DMORIENT_PORTRAIT;
    mode->dmCopies = 1;
    return buffer;
  }
  HDC CreateContext(const AnsiString& Name, const DEVMODEA* Mode, bool InformationOnly) override {
    Calls.push_back(std::string(InformationOnly ? "ic " : "dc ") + Name);
    landscape_ = Mode && Mode->dmOrientation == DMORIENT_LANDSCAPE;
    return ::CreateCompatibleDC(nullptr);
  }
  void DeleteContext(HDC DC) override { ::DeleteDC(DC); }
  Integer DeviceCaps(HDC DC, Integer Index) override {
    switch (Index) {
      case LOGPIXELSX:
      case LOGPIXELSY: return dpi_;
      case HORZRES: return landscape_ ? long_ : short_;
      case VERTRES: return landscape_ ? short_ : long_;
      default: return ::GetDeviceCaps(DC, Index);
    }
  }
  bool StartDocument(HDC, const AnsiString& DocTitle) override {
    Calls.push_back("startdoc " + DocTitle);
    return !FailStartDoc;
  }
  bool StartPage(HDC DC) override {
    Calls.push_back("startpage");
    auto page = std::make_unique<TBitmap>();
    page->SetPixelFormat(pf24bit);
    page->SetSize(DeviceCaps(DC, HORZRES), DeviceCaps(DC, VERTRES));
    previous_ = ::SelectObject(DC, page->ReleaseHandle());
    current_ = DC;
    // Like a real printer context, a new page starts with the context's default objects.
    ::SelectObject(DC, ::GetStockObject(BLACK_PEN));
    ::SelectObject(DC, ::GetStockObject(WHITE_BRUSH));
    ::SelectObject(DC, ::GetStockObject(SYSTEM_FONT));
    return true;
  }
  bool EndPage(HDC DC) override {
    Calls.push_back("endpage");
    auto page = std::make_unique<TBitmap>();
    page->SetHandle(static_cast<HBITMAP>(::SelectObject(DC, previous_)));
    Pages.push_back(std::move(page));
    return true;
  }
  bool EndDocument(HDC) override {
    Calls.push_back("enddoc");
    return true;
  }
  bool AbortDocument(HDC DC) override {
    Calls.push_back("abortdoc");
    if (DC == current_ && previous_) ::DeleteObject(::SelectObject(DC, previous_));
    previous_ = nullptr;
    return true;
  }

private:
  int dpi_;
  int short_;
  int long_;
  bool landscape_ = false;
  HGDIOBJ previous_ = nullptr;
  HDC current_ = nullptr;
};

}  // namespace testing_support
