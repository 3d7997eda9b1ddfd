// Read-only queries about the running system: platform flags decided once, window metrics,
// memory, processor, user and locale texts, and the texts of a version resource. The about box,
// the form styler and the settings control read them.
#pragma once

#include "classlib/System.h"
#include "classlib/WinApi.h"

// --- Platform flags ---------------------------------------------------------------------------------

// Windows 95 and its successors (platform 1), with 98 (minor version 10 or more) and ME (4.90).
bool IsWin9x();
bool IsWin98();
bool IsWinME();
// The NT platform (platform 2) and its versions 5.0 and 5.1, with the product types of the
// extended version record (1 workstation, 2 domain controller, 3 server).
bool IsNT();
bool IsWin2000();
bool IsWin2000DomainController();
bool IsWinXP();
bool IsWinXPServer();
bool IsWinXPWorkstation();
bool IsWinXPDomainController();
// Whether a mouse wheel is supported (always on NT).
bool MouseWheelPresent();
// Whether the system has the newer shell (version 4 and later) with small captions and icons.
bool NewShell();

// --- Metrics ----------------------------------------------------------------------------------------

Integer CaptionButtonWidth();
Integer CaptionHeight();
Integer FixedFrameWidth();
Integer FixedFrameHeight();
Integer BorderWidth();
Integer BorderHeight();
Integer SizingFrameWidth();
Integer SizingFrameHeight();
// The metrics of tool-window captions and small icons; without the newer shell, the caption
// height and the caption button width.
Integer SmallCaptionHeight();
Integer SmallCaptionButtonWidth();
Integer SmallIconWidth();

// Where a window's caption parts lie, in window coordinates (0, 0 is the window's top-left
// corner). Buttons[0] is the rightmost button (close), then maximise, minimise, or help; only
// the first ButtonCount entries are used. Icon is empty when the window shows no icon.
struct TVisCaptionMetrics {
  TRect Caption;
  TRect Icon;
  TRect Buttons[4];
  Integer ButtonCount = 0;
};
// The caption layout of Wnd from its style, extended style (tool window, help button, minimise
// and maximise boxes) and state.
TVisCaptionMetrics GetCaptionMetrics(HWND Wnd);

// --- System -----------------------------------------------------------------------------------------

// Bits per pixel times planes of the display.
Byte ColorDepth();
// Total physical memory in bytes.
UInt64 TotalMemory();
// A field of the extended version record: 0 major, 1 minor, 2 platform, 3 build, 4 service pack
// major, 5 service pack minor, 6 suite mask, 7 product type; 0 for any other index or when the
// query fails.
Cardinal VersionField(Integer Index);
Integer MajorVersion();
Integer MinorVersion();
Integer ProcessorCount();
// "Intel 386", "Intel 486", "Intel Pentium", "Alpha 21064", "Mips R2000"... or the processor
// type as a number.
AnsiString ProcessorName();
// Free system resources in per cent on the 9x platform; 0 on NT.
Integer FreeResources();
// The name of the logged-on user, or "Unknown user" when it cannot be read.
AnsiString UserName();
// One of 28 locale texts of the thread's locale (language, country, separators, formats...);
// "Hallo" for an index outside 0..27 or when the query fails.
AnsiString LocaleText(Integer Index);

// --- Version resources ------------------------------------------------------------------------------

struct TVisVersionInfo {
  bool Valid = false;  // the file has a version resource
  AnsiString CompanyName;
  AnsiString ProductName;
  AnsiString ProductVersion;
  AnsiString LegalCopyright;
  AnsiString LegalTrademark;
  AnsiString FileDescription;
  AnsiString Comments;
  // The file version numbers: major, minor, release, build.
  Word FileVersion[4] = {};

  // "1.2", "1.2.3.4" and "1.2.3 (Build 4)".
  AnsiString ShortVersion() const;
  AnsiString FullVersion() const;
  AnsiString BuildVersion() const;
};
// The version resource texts of a file (of the running executable when FileName is empty), from
// the string table of its first translation, else of U.S. English in code page 1252.
TVisVersionInfo GetVersionInfo(const AnsiString& FileName = AnsiString());
