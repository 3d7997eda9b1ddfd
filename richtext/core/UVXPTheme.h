// The system's visual-styles functions for the scrolling control, reached without linking to
// their library: it is loaded when the program starts (on Windows NT 5.1 and later), and each
// function is a pointer that stays empty when the library or the function is missing. A caller
// tests the pointers it needs and otherwise draws the classic look.
#pragma once

#include "classlib/WinApi.h"

#include <uxtheme.h>

extern decltype(&::IsThemeActive) UV_IsThemeActive;
extern decltype(&::IsAppThemed) UV_IsAppThemed;
extern decltype(&::OpenThemeData) UV_OpenThemeData;
extern decltype(&::CloseThemeData) UV_CloseThemeData;
extern decltype(&::DrawThemeParentBackground) UV_DrawThemeParentBackground;
extern decltype(&::DrawThemeText) UV_DrawThemeText;
extern decltype(&::DrawThemeEdge) UV_DrawThemeEdge;
extern decltype(&::DrawThemeBackground) UV_DrawThemeBackground;
extern decltype(&::IsThemeBackgroundPartiallyTransparent) UV_IsThemeBackgroundPartiallyTransparent;

// Loads the library and fills the pointers; runs once, from the first unit that includes this
// header. The library stays loaded for the life of the program.
void UVXPThemeLoader();

namespace uvxptheme_detail {
struct UnitStart {
  UnitStart();
};
static const UnitStart unitStart;
}  // namespace uvxptheme_detail
