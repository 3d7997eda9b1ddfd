// The application object: the previous-instance mutex, the timer slots, the theme switch, the
// pattern bitmap and the log file name; and the unit start-up that makes it.
#include "controls/visclass.h"

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "controls/VisWndProc.h"

TVisApplication* VisApplication = nullptr;

namespace {

// The system's check box bitmap: 4 glyphs across, 3 down.
constexpr WORD kCheckBoxesBitmap = 32759;

// Sends WM_THEMECHANGED to every windowed control below Control that has a window, depth first.
void SendThemeChanged(TWinControl* Control) {
  for (Integer i = 0; i < Control->GetControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Control->GetControls(i));
    if (!child) continue;
    SendThemeChanged(child);
    if (child->HandleAllocated()) ::SendMessageA(child->GetHandle(), WM_THEMECHANGED, 0, 0);
  }
}

}  // namespace

TVisApplication::TVisApplication(TComponent* AOwner) : TComponent(AOwner) {
  IniCtrl = new TVisIniCtrl(nullptr);
  if (!GetComponentState().Contains(csDesigning)) {
    // The file name, not the path, makes the mutex: a copy of the program anywhere counts.
    const AnsiString name = AnsiUpperCase(ExtractFileName(ParamStr(0)));
    FMutex.reset(::CreateMutexA(nullptr, FALSE, name.c_str()));
    if (FMutex && ::GetLastError() == ERROR_ALREADY_EXISTS) FPrevInstance = true;
  }
  TimerPool = new TVisTimerPool(nullptr, 50);
  SetLogFile("");
  LARGE_INTEGER frequency{};
  if (::QueryPerformanceFrequency(&frequency)) PerfFrequency = frequency.QuadPart;
  if (HBITMAP checks = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(kCheckBoxesBitmap))) {
    BITMAP info{};
    ::GetObjectA(checks, sizeof(info), &info);
    CheckSize = {info.bmWidth / 4, info.bmHeight / 3};
    ::DeleteObject(checks);
  }
}

TVisApplication::~TVisApplication() {
  delete IniCtrl;
  delete FPatternBitmap;
  delete TimerPool;
}

Word TVisApplication::AddTimer(Word Interval, TNotifyEvent Handler) {
  for (Integer slot = 0; slot < TimerSlots; ++slot) {
    if (FTimerSlots[slot]) continue;
    const Word ident = static_cast<Word>(TimerIdentBase + slot + 1);
    try {
      TimerPool->Add(ident, Interval, Handler);
    } catch (const Exception&) {
      return 0;
    }
    FTimerSlots[slot] = true;
    return ident;
  }
  return 0;
}

void TVisApplication::RemoveTimer(Word Ident) {
  if (Ident <= TimerIdentBase) return;
  TimerPool->Remove(Ident);
  const Integer slot = Ident - TimerIdentBase - 1;
  if (slot < TimerSlots) FTimerSlots[slot] = false;
}

TVisTimerItem* TVisApplication::GetTimer(Word Ident) const { return TimerPool->ItemByIdent(Ident); }

bool TVisApplication::GetUseXPThemes() const { return FThemesWanted && ThemesAvailable(); }

void TVisApplication::SetUseXPThemes(bool Value) {
  if (Value == FThemesWanted) return;
  // Switched off here, the application no longer counts as themed; the system's themes say
  // whether it may be switched on again.
  const bool available = ThemesAvailable() || (FThemesSwitchedOff && VisThemeLibrary.IsThemeActive &&
                                               VisThemeLibrary.IsThemeActive());
  if (Value && !available) return;
  FThemesWanted = Value;
  if (GetComponentState().Contains(csDesigning) || !VisThemeLibrary.Present) return;
  if (Application) ::SendMessageA(Application->GetHandle(), WM_THEMECHANGED, 0, 0);
  if (VisThemeLibrary.SetThemeAppProperties) {
    if (Value) {
      VisThemeLibrary.SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
      FThemesSwitchedOff = false;
    } else if (!ThemesFixed) {
      VisThemeLibrary.SetThemeAppProperties(0);
      FThemesSwitchedOff = true;
    }
  }
  ApplyThemeChange();
}

void TVisApplication::ApplyThemeChange() {
  if (!Screen) return;
  for (Integer i = 0; i < Screen->GetFormCount(); ++i) {
    TForm* form = Screen->GetForms(i);
    if (!form->GetVisible()) continue;
    TMessage message{VM_CHANGED, 0, 0, 0};
    form->Broadcast(message);
    SendThemeChanged(form);
    if (!ThemesFixed && form->HandleAllocated()) ::SendMessageA(form->GetHandle(), WM_THEMECHANGED, 0, 0);
  }
}

TBitmap* TVisApplication::GetPatternBitmap(TColor Color) {
  if (FPatternBitmap && Color == FPatternColor) return FPatternBitmap;
  if (!FPatternBitmap) {
    FPatternBitmap = new TBitmap;
    FPatternBitmap->SetSize(8, 8);
    FPatternBitmap->GetCanvas()->GetBrush()->SetColor(clWhite);
    FPatternBitmap->GetCanvas()->FillRect(Rect(0, 0, 8, 8));
  }
  for (Integer y = 0; y < 8; ++y)
    for (Integer x = 0; x < 8; ++x)
      if ((x + y) % 2 != 0) FPatternBitmap->GetCanvas()->SetPixels(x, y, Color);
  FPatternColor = Color;
  return FPatternBitmap;
}

void TVisApplication::SetLogFile(const AnsiString& Name) {
  AnsiString file = IsBlank(Name) ? ChangeFileExt(ParamStr(0), ".LOG") : Name;
  if (ExtractFileExt(file).empty()) file += ".LOG";
  if (LogPathPrefix != ppFixed) file = GetPrefixPath(LogPathPrefix, true) + ExtractFileName(file);
  FLogFile = file;
}

void TVisApplication::SetShiftFlags(Byte Value) {
  if (Value == FShiftFlags) return;
  FShiftFlags = Value;
  if (OnShiftFlagsChange) OnShiftFlagsChange(this);
}

// --- Unit start-up ----------------------------------------------------------------------------------

namespace {
int startCount = 0;
TVisXPThemeManager* themeManager = nullptr;
}  // namespace

visclass_detail::UnitStart::UnitStart() {
  if (startCount++ != 0) return;
  VisApplication = new TVisApplication(nullptr);
  themeManager = new TVisXPThemeManager(nullptr);
}

visclass_detail::UnitStart::~UnitStart() {
  if (--startCount != 0) return;
  FreeAndNil(themeManager);
  FreeAndNil(VisApplication);
}
