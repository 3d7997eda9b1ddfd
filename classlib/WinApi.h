// The one place where the Windows headers are included. Every unit includes this header
// instead of <windows.h> and calls the explicit ANSI (...A) or wide (...W) functions.
// The headers' macros that clash with the class library's names are removed in WindowsHeaders.h.
#pragma once

#include "classlib/WindowsHeaders.h"
#include "classlib/System.h"

static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TRect) == sizeof(RECT) && sizeof(TSize) == sizeof(SIZE));

inline RECT* AsRECT(TRect& r) noexcept { return reinterpret_cast<RECT*>(&r); }
inline const RECT* AsRECT(const TRect& r) noexcept { return reinterpret_cast<const RECT*>(&r); }
inline POINT* AsPOINT(TPoint& p) noexcept { return reinterpret_cast<POINT*>(&p); }
inline const POINT* AsPOINT(const TPoint& p) noexcept { return reinterpret_cast<const POINT*>(&p); }
