// The system's visual-styles library, bound at run time: the component set runs on systems
// without it, where every entry below is empty and themes count as unavailable.
//
// The binding is made by the first unit that includes this header, before that unit's own
// start-up code, and given back after the last one's close-down.
#pragma once

#include "classlib/WinApi.h"

#include <uxtheme.h>

struct TVisThemeLibrary {
  HMODULE Module = nullptr;
  // Whether "UxTheme.dll" could be loaded.
  bool Present = false;

  decltype(&::DrawThemeEdge) DrawThemeEdge = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
  decltype(&::DrawThemeParentBackground) DrawThemeParentBackground = nullptr;
  decltype(&::DrawThemeText) DrawThemeText = nullptr;
  decltype(&::DrawThemeIcon) DrawThemeIcon = nullptr;
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent = nullptr;
  decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect = nullptr;
  decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
  decltype(&::SetThemeAppProperties) SetThemeAppProperties = nullptr;
  decltype(&::IsThemePartDefined) IsThemePartDefined = nullptr;
  decltype(&::GetThemeColor) GetThemeColor = nullptr;
  decltype(&::GetThemeMetric) GetThemeMetric = nullptr;
  decltype(&::GetThemeString) GetThemeString = nullptr;
  decltype(&::GetThemeBool) GetThemeBool = nullptr;
  decltype(&::GetThemeInt) GetThemeInt = nullptr;
  decltype(&::GetThemeEnumValue) GetThemeEnumValue = nullptr;
  decltype(&::GetThemePosition) GetThemePosition = nullptr;
  decltype(&::GetThemeFont) GetThemeFont = nullptr;
  decltype(&::GetThemeRect) GetThemeRect = nullptr;
  decltype(&::GetThemeFilename) GetThemeFilename = nullptr;
  decltype(&::GetThemeSysColor) GetThemeSysColor = nullptr;
  decltype(&::GetThemeSysColorBrush) GetThemeSysColorBrush = nullptr;
  decltype(&::GetThemeSysBool) GetThemeSysBool = nullptr;
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::GetWindowTheme) GetWindowTheme = nullptr;
  decltype(&::EnableThemeDialogTexture) EnableThemeDialogTexture = nullptr;
  decltype(&::IsThemeDialogTextureEnabled) IsThemeDialogTextureEnabled = nullptr;
  decltype(&::EnableTheming) EnableTheming = nullptr;
};

// The bound entries.
extern TVisThemeLibrary VisThemeLibrary;

// Whether themes can be used: the library is bound and reports the application themed.
bool ThemesAvailable();

namespace visuxtheme_detail {
struct UnitStart {
  UnitStart();
  ~UnitStart();
};
static const UnitStart unitStart;
}  // namespace visuxtheme_detail
