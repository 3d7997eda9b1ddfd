// System information queries and the platform flags.
#include "controls/vissysinfo.h"

#include <vector>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

namespace {

OSVERSIONINFOEXA ExtendedVersion(bool& ok) {
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  ok = ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
  return info;
}

struct PlatformFlags {
  bool win9x = false, win98 = false, winME = false;
  bool nt = false, win2000 = false, win2000DC = false;
  bool winXP = false, winXPServer = false, winXPWorkstation = false, winXPDC = false;
  bool mouseWheel = false, newShell = false;

  PlatformFlags() {
    bool ok = false;
    const OSVERSIONINFOEXA v = ExtendedVersion(ok);
    if (!ok) return;
    newShell = v.dwMajorVersion >= 4;
    if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
      win9x = true;
      win98 = v.dwMinorVersion >= 10;
      winME = v.dwMajorVersion >= 4 && v.dwMinorVersion >= 90;
      BOOL wheel = FALSE;
      mouseWheel = ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &wheel, 0) != FALSE;
    } else if (v.dwPlatformId == VER_PLATFORM_WIN32_NT) {
      nt = true;
      const bool v50 = v.dwMajorVersion == 5 && v.dwMinorVersion == 0;
      const bool v51 = v.dwMajorVersion == 5 && v.dwMinorVersion == 1;
      win2000 = v50;
      win2000DC = v50 && v.wProductType == VER_NT_DOMAIN_CONTROLLER;
      winXP = v51;
      winXPServer = v51 && v.wProductType == VER_NT_SERVER;
      winXPWorkstation = v51 && v.wProductType != VER_NT_SERVER;
      winXPDC = v51 && v.wProductType == VER_NT_DOMAIN_CONTROLLER;
      mouseWheel = true;
    }
  }
};

const PlatformFlags& Platform() {
  static const PlatformFlags flags;
  return flags;
}

// The locale items of LocaleText, by index.
constexpr LCTYPE kLocaleItems[28] = {
    LOCALE_SLANGUAGE,        LOCALE_SENGLANGUAGE,     LOCALE_SABBREVLANGNAME, LOCALE_SNATIVELANGNAME,
    LOCALE_ICOUNTRY,         LOCALE_SCOUNTRY,         LOCALE_SENGCOUNTRY,     LOCALE_SABBREVCTRYNAME,
    LOCALE_SNATIVECTRYNAME,  LOCALE_IDEFAULTLANGUAGE, LOCALE_IDEFAULTCOUNTRY, LOCALE_IDEFAULTCODEPAGE,
    LOCALE_SLIST,            LOCALE_IMEASURE,         LOCALE_SDECIMAL,        LOCALE_STHOUSAND,
    LOCALE_SGROUPING,        LOCALE_IDIGITS,          LOCALE_ILZERO,          LOCALE_SNATIVEDIGITS,
    LOCALE_SCURRENCY,        LOCALE_SINTLSYMBOL,      LOCALE_SMONDECIMALSEP,  LOCALE_SMONTHOUSANDSEP,
    LOCALE_SDATE,            LOCALE_STIME,            LOCALE_SSHORTDATE,      LOCALE_SLONGDATE,
};

}  // namespace

bool IsWin9x() { return Platform().win9x; }
bool IsWin98() { return Platform().win98; }
bool IsWinME() { return Platform().winME; }
bool IsNT() { return Platform().nt; }
bool IsWin2000() { return Platform().win2000; }
bool IsWin2000DomainController() { return Platform().win2000DC; }
bool IsWinXP() { return Platform().winXP; }
bool IsWinXPServer() { return Platform().winXPServer; }
bool IsWinXPWorkstation() { return Platform().winXPWorkstation; }
bool IsWinXPDomainController() { return Platform().winXPDC; }
bool MouseWheelPresent() { return Platform().mouseWheel; }
bool NewShell() { return Platform().newShell; }

Integer CaptionButtonWidth() { return ::GetSystemMetrics(SM_CXSIZE); }
Integer CaptionHeight() { return ::GetSystemMetrics(SM_CYCAPTION); }
Integer FixedFrameWidth() { return ::GetSystemMetrics(SM_CXFIXEDFRAME); }
Integer FixedFrameHeight() { return ::GetSystemMetrics(SM_CYFIXEDFRAME); }
Integer BorderWidth() { return ::GetSystemMetrics(SM_CXBORDER); }
Integer BorderHeight() { return ::GetSystemMetrics(SM_CYBORDER); }
Integer SizingFrameWidth() { return ::GetSystemMetrics(SM_CXSIZEFRAME); }
Integer SizingFrameHeight() { return ::GetSystemMetrics(SM_CYSIZEFRAME); }
Integer SmallCaptionHeight() { return NewShell() ? ::GetSystemMetrics(SM_CYSMCAPTION) : CaptionHeight(); }
Integer SmallCaptionButtonWidth() { return NewShell() ? ::GetSystemMetrics(SM_CXSMSIZE) : CaptionButtonWidth(); }
Integer SmallIconWidth() { return NewShell() ? ::GetSystemMetrics(SM_CXSMICON) : CaptionButtonWidth(); }

TVisCaptionMetrics GetCaptionMetrics(HWND Wnd) {
  TVisCaptionMetrics m;
  RECT window{};
  if (!::GetWindowRect(Wnd, &window)) return m;
  const LONG style = ::GetWindowLongA(Wnd, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongA(Wnd, GWL_EXSTYLE);
  const Integer width = window.right - window.left;

  // The frame around the caption: sizing, fixed (dialog frame or border with caption) or thin.
  Integer frameX = 0, frameY = 0;
  if (style & WS_THICKFRAME) {
    frameX = SizingFrameWidth();
    frameY = SizingFrameHeight();
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    frameX = FixedFrameWidth();
    frameY = FixedFrameHeight();
  } else if (style & WS_BORDER) {
    frameX = BorderWidth();
    frameY = BorderHeight();
  }
  const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
  // With the newer shell the caption height includes the line below the caption.
  const Integer height = (tool ? SmallCaptionHeight() : CaptionHeight()) - (NewShell() ? 1 : 0);
  m.Caption = Rect(frameX, frameY, width - frameX, frameY + height);
  if ((style & WS_CAPTION) != WS_CAPTION) return m;

  // Buttons: with the newer shell they sit 2 pixels inside the caption, 2 pixels apart between
  // groups, the minimise button directly beside the maximise button.
  const Integer buttonWidth = (tool ? SmallCaptionButtonWidth() : CaptionButtonWidth()) - (NewShell() ? 2 : 0);
  const Integer buttonTop = m.Caption.Top + (NewShell() ? 2 : 0);
  const Integer buttonBottom = m.Caption.Bottom - (NewShell() ? 2 : 0);
  Integer right = m.Caption.Right - (NewShell() ? 2 : 0);
  const auto addButton = [&](Integer gap) {
    right -= gap;
    m.Buttons[m.ButtonCount++] = Rect(right - buttonWidth, buttonTop, right, buttonBottom);
    right -= buttonWidth;
  };
  if (style & WS_SYSMENU) {
    addButton(0);  // close
    if (!tool && (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
      addButton(NewShell() ? 2 : 0);  // maximise or restore
      addButton(0);                   // minimise
    } else if (!tool && (exStyle & WS_EX_CONTEXTHELP)) {
      addButton(NewShell() ? 2 : 0);  // help
    }
    if (!tool && !(exStyle & WS_EX_DLGMODALFRAME) && !::IsIconic(Wnd)) {
      const Integer icon = SmallIconWidth();
      const Integer top = m.Caption.Top + (m.Caption.Height() - icon) / 2;
      m.Icon = Bounds(m.Caption.Left + 2, top, icon, icon);
    }
  }
  return m;
}

Byte ColorDepth() {
  UniqueMemoryDC dc(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
  if (!dc) return 0;
  return static_cast<Byte>(::GetDeviceCaps(dc.get(), BITSPIXEL) * ::GetDeviceCaps(dc.get(), PLANES));
}

UInt64 TotalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  return ::GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

Cardinal VersionField(Integer Index) {
  bool ok = false;
  const OSVERSIONINFOEXA v = ExtendedVersion(ok);
  if (!ok) return 0;
  switch (Index) {
    case 0: return v.dwMajorVersion;
    case 1: return v.dwMinorVersion;
    case 2: return v.dwPlatformId;
    case 3: return v.dwBuildNumber;
    case 4: return v.wServicePackMajor;
    case 5: return v.wServicePackMinor;
    case 6: return v.wSuiteMask;
    case 7: return v.wProductType;
    default: return 0;
  }
}

Integer MajorVersion() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof(v);
  return ::GetVersionExA(&v) ? static_cast<Integer>(v.dwMajorVersion) : 0;
}

Integer MinorVersion() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof(v);
  return ::GetVersionExA(&v) ? static_cast<Integer>(v.dwMinorVersion) : 0;
}

Integer ProcessorCount() {
  SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  return static_cast<Integer>(info.dwNumberOfProcessors);
}

AnsiString ProcessorName() {
  SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  switch (info.dwProcessorType) {
    case 386: return "Intel 386";
    case 486: return "Intel 486";
    case 586: return "Intel Pentium";
    case 21064: return "Alpha 21064";
    case 2000:
    case 3000:
    case 4000: return "Mips R" + IntToStr(info.dwProcessorType);
    default: return IntToStr(info.dwProcessorType);
  }
}

// The 9x platform reports free resources only through a 16-bit entry, which a 64-bit program
// cannot call; such a program runs on NT alone, where the answer is 0.
Integer FreeResources() { return 0; }

AnsiString UserName() {
  char buffer[64] = {};
  DWORD size = 63;
  if (!::GetUserNameA(buffer, &size)) return "Unknown user";
  return buffer;
}

AnsiString LocaleText(Integer Index) {
  if (Index < 0 || Index >= 28) return "Hallo";
  char buffer[256] = {};
  const int n = ::GetLocaleInfoA(::GetThreadLocale(), kLocaleItems[Index], buffer, sizeof(buffer));
  return n > 0 ? AnsiString(buffer) : AnsiString("Hallo");
}

AnsiString TVisVersionInfo::ShortVersion() const { return Format("%d.%d", FileVersion[0], FileVersion[1]); }

AnsiString TVisVersionInfo::FullVersion() const {
  return Format("%d.%d.%d.%d", FileVersion[0], FileVersion[1], FileVersion[2], FileVersion[3]);
}

AnsiString TVisVersionInfo::BuildVersion() const {
  return Format("%d.%d.%d (Build %d)", FileVersion[0], FileVersion[1], FileVersion[2], FileVersion[3]);
}

TVisVersionInfo GetVersionInfo(const AnsiString& FileName) {
  TVisVersionInfo result;
  const AnsiString file = FileName.empty() ? ParamStr(0) : FileName;
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return result;
  std::vector<Byte> data(size);
  if (!::GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return result;
  result.Valid = true;

  void* value = nullptr;
  UINT length = 0;
  if (::VerQueryValueA(data.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    result.FileVersion[0] = HIWORD(fixed->dwFileVersionMS);
    result.FileVersion[1] = LOWORD(fixed->dwFileVersionMS);
    result.FileVersion[2] = HIWORD(fixed->dwFileVersionLS);
    result.FileVersion[3] = LOWORD(fixed->dwFileVersionLS);
  }
  AnsiString translation = "040904E4";
  if (::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
    const auto* pair = static_cast<const WORD*>(value);
    translation = IntToHex(pair[0], 4) + IntToHex(pair[1], 4);
  }
  const auto text = [&](const char* name) -> AnsiString {
    const AnsiString path = "\\StringFileInfo\\" + translation + "\\" + name;
    void* p = nullptr;
    UINT n = 0;
    if (!::VerQueryValueA(data.data(), path.c_str(), &p, &n) || !p || n == 0) return AnsiString();
    return AnsiString(static_cast<const char*>(p));
  };
  result.CompanyName = text("CompanyName");
  result.ProductName = text("ProductName");
  result.ProductVersion = text("ProductVersion");
  result.LegalCopyright = text("LegalCopyright");
  result.LegalTrademark = text("LegalTrademark");
  result.FileDescription = text("FileDescription");
  result.Comments = text("Comments");
  return result;
}
