#include "richtext/core/UVXPTheme.h"

decltype(&::IsThemeActive) UV_IsThemeActive = nullptr;
decltype(&::IsAppThemed) UV_IsAppThemed = nullptr;
decltype(&::OpenThemeData) UV_OpenThemeData = nullptr;
decltype(&::CloseThemeData) UV_CloseThemeData = nullptr;
decltype(&::DrawThemeParentBackground) UV_DrawThemeParentBackground = nullptr;
decltype(&::DrawThemeText) UV_DrawThemeText = nullptr;
decltype(&::DrawThemeEdge) UV_DrawThemeEdge = nullptr;
decltype(&::DrawThemeBackground) UV_DrawThemeBackground = nullptr;
decltype(&::IsThemeBackgroundPartiallyTransparent) UV_IsThemeBackgroundPartiallyTransparent = nullptr;

namespace {

int startCount = 0;

template <class F>
void Bind(HMODULE Module, F& Entry, const char* Name) {
  Entry = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(Module, Name)));
}

// Visual styles exist from Windows XP (NT 5.1) on.
bool SystemHasVisualStyles() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(&info) || info.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
  return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1);
}

}  // namespace

void UVXPThemeLoader() {
  if (!SystemHasVisualStyles()) return;
  UV_IsThemeActive = nullptr;
  UV_IsAppThemed = nullptr;
  UV_OpenThemeData = nullptr;
  UV_CloseThemeData = nullptr;
  UV_DrawThemeParentBackground = nullptr;
  UV_DrawThemeText = nullptr;
  UV_DrawThemeEdge = nullptr;
  UV_DrawThemeBackground = nullptr;
  UV_IsThemeBackgroundPartiallyTransparent = nullptr;
  HMODULE module = ::LoadLibraryA("uxtheme.dll");
  if (!module) return;
  Bind(module, UV_IsThemeActive, "IsThemeActive");
  Bind(module, UV_IsAppThemed, "IsAppThemed");
  Bind(module, UV_OpenThemeData, "OpenThemeData");
  Bind(module, UV_CloseThemeData, "CloseThemeData");
  Bind(module, UV_DrawThemeParentBackground, "DrawThemeParentBackground");
  Bind(module, UV_DrawThemeText, "DrawThemeText");
  Bind(module, UV_DrawThemeEdge, "DrawThemeEdge");
  Bind(module, UV_DrawThemeBackground, "DrawThemeBackground");
  Bind(module, UV_IsThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
}

uvxptheme_detail::UnitStart::UnitStart() {
  if (startCount++ == 0) UVXPThemeLoader();
}
