// The one place where the Windows headers are included. Every unit includes this header
// instead of <windows.h> and calls the explicit ANSI (...A) or wide (...W) functions.
// The headers map many names (DeleteFile, CopyFile, TextOut, MessageBox, ...) to their ANSI
// forms with macros; those names are also the class library's own routines and methods,
// so the macros are removed here. Add a name to the list when a new clash appears.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <ddeml.h>
#include <imm.h>
#include <mmsystem.h>
#include <richedit.h>
#include <shellapi.h>
#include <shlobj.h>

#include "classlib/System.h"

#undef CopyFile
#undef CreateDirectory
#undef CreateFont
#undef CreateWindow
#undef DeleteFile
#undef DrawText
#undef FindText
#undef GetClassName
#undef GetCurrentDirectory
#undef GetObject
#undef GetTextMetrics
#undef LoadBitmap
#undef LoadCursor
#undef LoadIcon
#undef MessageBox
#undef MoveFile
#undef PostMessage
#undef ReplaceText
#undef SendMessage
#undef SetCurrentDirectory
#undef StartDoc
#undef TextOut
#undef Yield

static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TRect) == sizeof(RECT) && sizeof(TSize) == sizeof(SIZE));

inline RECT* AsRECT(TRect& r) noexcept { return reinterpret_cast<RECT*>(&r); }
inline const RECT* AsRECT(const TRect& r) noexcept { return reinterpret_cast<const RECT*>(&r); }
inline POINT* AsPOINT(TPoint& p) noexcept { return reinterpret_cast<POINT*>(&p); }
inline const POINT* AsPOINT(const TPoint& p) noexcept { return reinterpret_cast<const POINT*>(&p); }
