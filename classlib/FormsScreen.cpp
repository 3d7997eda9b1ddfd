// TScreen: the forms of the program, the active form and control, cursors, fonts and the
// screen's measures.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

namespace {

struct SystemCursor {
  TCursor Index;
  int Id;  // IDC_* value
};

// The cursors every program has. The ones that are not system cursors (dragging, splitters)
// map to the nearest system cursor.
constexpr SystemCursor kSystemCursors[] = {
    {crArrow, 32512},     {crCross, 32515},    {crIBeam, 32513},      {crSizeNESW, 32643}, {crSizeNS, 32645},
    {crSizeNWSE, 32642},  {crSizeWE, 32644},   {crUpArrow, 32516},    {crHourGlass, 32514}, {crDrag, 32512},
    {crNoDrop, 32648},    {crHSplit, 32644},   {crVSplit, 32645},     {crMultiDrag, 32512}, {crSQLWait, 32514},
    {crNo, 32648},        {crAppStart, 32650}, {crHelp, 32651},       {crHandPoint, 32649}, {crSizeAll, 32646},
};

}  // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  FPixelsPerInch = ScreenLogPixels();
  FDefaultCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  for (const SystemCursor& c : kSystemCursors)
    FCursorList.emplace_back(c.Index, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(c.Id)));
  FHintFont = new TFont;
  FIconFont = new TFont;
  FMenuFont = new TFont;
  LoadSystemFonts();
}

TScreen::~TScreen() {
  delete FFonts;
  delete FHintFont;
  delete FIconFont;
  delete FMenuFont;
}

void TScreen::LoadSystemFonts() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    FHintFont->SetHandle(::CreateFontIndirectA(&metrics.lfStatusFont));
    FMenuFont->SetHandle(::CreateFontIndirectA(&metrics.lfMenuFont));
  }
  FHintFont->SetColor(clInfoText);
  FMenuFont->SetColor(clMenuText);
  LOGFONTA iconFont{};
  if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0))
    FIconFont->SetHandle(::CreateFontIndirectA(&iconFont));
}

TRect TScreen::GetDesktopRect() const {
  const Integer left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  Integer width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width == 0 || height == 0) {
    width = GetWidth();
    height = GetHeight();
  }
  return Bounds(left, top, width, height);
}

TRect TScreen::GetWorkAreaRect() const {
  TRect r;
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, AsRECT(r), 0)) r = Rect(0, 0, GetWidth(), GetHeight());
  return r;
}

// A default cursor is put back by asking the window under the mouse which cursor it wants.
void TScreen::SetCursor(TCursor Value) {
  if (Value != FCursor) {
    FCursor = Value;
    if (Value == crDefault) {
      POINT p;
      ::GetCursorPos(&p);
      HWND wnd = ::WindowFromPoint(p);
      if (wnd && ::GetWindowThreadProcessId(wnd, nullptr) == ::GetCurrentThreadId()) {
        const LRESULT hit = ::SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        ::SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
      } else {
        ::SetCursor(FDefaultCursor);
      }
    } else {
      ::SetCursor(GetCursors(Value));
    }
  }
  ++FCursorCount;
}

HCURSOR TScreen::GetCursors(TCursor Index) const {
  if (Index == crNone) return nullptr;
  if (Index == crDefault) return FDefaultCursor;
  for (const auto& [index, handle] : FCursorList)
    if (index == Index) return handle;
  return FDefaultCursor;
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  if (Index == crDefault) {
    FDefaultCursor = Handle ? Handle : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    return;
  }
  for (auto& entry : FCursorList)
    if (entry.first == Index) {
      if (entry.first >= 0 && entry.second) ::DestroyCursor(entry.second);
      entry.second = Handle;
      return;
    }
  FCursorList.emplace_back(Index, Handle);
}

TStrings* TScreen::GetFonts() {
  if (!FFonts) {
    FFonts = new TStringList;
    FFonts->SetSorted(true);
    FFonts->Duplicates = dupIgnore;
    WindowDC dc;
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(
        dc, &lf,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) -> int {
          if (font->lfFaceName[0] != '@') reinterpret_cast<TStringList*>(param)->Add(font->lfFaceName);
          return 1;
        },
        reinterpret_cast<LPARAM>(FFonts), 0);
  }
  return FFonts;
}

void TScreen::ResetFonts() { FreeAndNil(FFonts); }

Integer TScreen::GetFormCount() const {
  Integer n = 0;
  for (TCustomForm* form : FCustomForms)
    if (dynamic_cast<TForm*>(form)) ++n;
  return n;
}

TForm* TScreen::GetForms(Integer Index) const {
  for (TCustomForm* f : FCustomForms)
    if (auto* form = dynamic_cast<TForm*>(f))
      if (Index-- == 0) return form;
  throw EListError(Format("List index out of bounds (%d)", Index));
}

void TScreen::AddForm(TCustomForm* AForm) { FCustomForms.push_back(AForm); }

// Called from the form's destructor: the form is no longer a TForm by then, so it is looked
// for by address.
void TScreen::RemoveForm(TCustomForm* AForm) {
  FCustomForms.erase(std::remove(FCustomForms.begin(), FCustomForms.end(), AForm), FCustomForms.end());
  FSaveFocusedList.erase(std::remove(FSaveFocusedList.begin(), FSaveFocusedList.end(), AForm), FSaveFocusedList.end());
  if (FActiveCustomForm == AForm) FActiveCustomForm = nullptr;
  if (static_cast<TCustomForm*>(FActiveForm) == AForm) FActiveForm = nullptr;
  if (FFocusedForm == AForm) FFocusedForm = nullptr;
  if (FLastActiveCustomForm == AForm) FLastActiveCustomForm = nullptr;
  if (FActiveControl && AForm->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (FLastActiveControl && AForm->ContainsControl(FLastActiveControl)) FLastActiveControl = nullptr;
}

void TScreen::UpdateLastActive() {
  if (FLastActiveCustomForm != FActiveCustomForm) {
    FLastActiveCustomForm = FActiveCustomForm;
    if (OnActiveFormChange) OnActiveFormChange(this);
  }
  if (FLastActiveControl != FActiveControl) {
    FLastActiveControl = FActiveControl;
    if (OnActiveControlChange) OnActiveControlChange(this);
  }
}
