// Binding of the visual-styles library.
#include "controls/visuxtheme.h"

constinit TVisThemeLibrary VisThemeLibrary;

namespace {

int startCount = 0;

template <class F>
void Bind(HMODULE module, F& entry, const char* name) {
  entry = module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

bool ThemesAvailable() {
  return VisThemeLibrary.Present && VisThemeLibrary.IsAppThemed && VisThemeLibrary.IsAppThemed();
}

visuxtheme_detail::UnitStart::UnitStart() {
  if (startCount++ != 0) return;
  TVisThemeLibrary& lib = VisThemeLibrary;
  lib.Module = ::LoadLibraryA("UxTheme.dll");
  lib.Present = lib.Module != nullptr;
  HMODULE m = lib.Module;
  Bind(m, lib.DrawThemeEdge, "DrawThemeEdge");
  Bind(m, lib.DrawThemeBackground, "DrawThemeBackground");
  Bind(m, lib.DrawThemeParentBackground, "DrawThemeParentBackground");
  Bind(m, lib.DrawThemeText, "DrawThemeText");
  Bind(m, lib.DrawThemeIcon, "DrawThemeIcon");
  Bind(m, lib.OpenThemeData, "OpenThemeData");
  Bind(m, lib.CloseThemeData, "CloseThemeData");
  Bind(m, lib.IsThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
  Bind(m, lib.GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
  Bind(m, lib.SetWindowTheme, "SetWindowTheme");
  Bind(m, lib.SetThemeAppProperties, "SetThemeAppProperties");
  Bind(m, lib.IsThemePartDefined, "IsThemePartDefined");
  Bind(m, lib.GetThemeColor, "GetThemeColor");
  Bind(m, lib.GetThemeMetric, "GetThemeMetric");
  Bind(m, lib.GetThemeString, "GetThemeString");
  Bind(m, lib.GetThemeBool, "GetThemeBool");
  Bind(m, lib.GetThemeInt, "GetThemeInt");
  Bind(m, lib.GetThemeEnumValue, "GetThemeEnumValue");
  Bind(m, lib.GetThemePosition, "GetThemePosition");
  Bind(m, lib.GetThemeFont, "GetThemeFont");
  Bind(m, lib.GetThemeRect, "GetThemeRect");
  Bind(m, lib.GetThemeFilename, "GetThemeFilename");
  Bind(m, lib.GetThemeSysColor, "GetThemeSysColor");
  Bind(m, lib.GetThemeSysColorBrush, "GetThemeSysColorBrush");
  Bind(m, lib.GetThemeSysBool, "GetThemeSysBool");
  Bind(m, lib.IsThemeActive, "IsThemeActive");
  Bind(m, lib.IsAppThemed, "IsAppThemed");
  Bind(m, lib.GetWindowTheme, "GetWindowTheme");
  Bind(m, lib.EnableThemeDialogTexture, "EnableThemeDialogTexture");
  Bind(m, lib.IsThemeDialogTextureEnabled, "IsThemeDialogTextureEnabled");
  Bind(m, lib.EnableTheming, "EnableTheming");
}

visuxtheme_detail::UnitStart::~UnitStart() {
  if (--startCount != 0) return;
  if (VisThemeLibrary.Module) ::FreeLibrary(VisThemeLibrary.Module);
  VisThemeLibrary = TVisThemeLibrary();
}
