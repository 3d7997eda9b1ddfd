#include <gtest/gtest.h>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "controls/vissysinfo.h"

namespace {

TEST(VisSysInfo, PlatformAndVersion) {
  EXPECT_TRUE(IsNT());
  EXPECT_FALSE(IsWin9x());
  EXPECT_TRUE(MouseWheelPresent());
  EXPECT_TRUE(NewShell());
  EXPECT_EQ(VersionField(0), static_cast<Cardinal>(MajorVersion()));
  EXPECT_EQ(VersionField(1), static_cast<Cardinal>(MinorVersion()));
  EXPECT_EQ(VersionField(2), static_cast<Cardinal>(VER_PLATFORM_WIN32_NT));
  EXPECT_NE(VersionField(7), 0u);  // a product type is reported
  EXPECT_EQ(VersionField(8), 0u);
  EXPECT_EQ(VersionField(-1), 0u);
  EXPECT_EQ(FreeResources(), 0);
}

TEST(VisSysInfo, Machine) {
  EXPECT_GE(ProcessorCount(), 1);
  EXPECT_FALSE(ProcessorName().empty());
  EXPECT_EQ(ColorDepth(), 32);
  EXPECT_GT(TotalMemory(), 16u * 1024 * 1024);
  EXPECT_FALSE(UserName().empty());
  EXPECT_NE(UserName(), "Unknown user");
}

TEST(VisSysInfo, LocaleTexts) {
  EXPECT_EQ(LocaleText(1), "English");
  EXPECT_EQ(LocaleText(14), ".");
  EXPECT_EQ(LocaleText(15), ",");
  EXPECT_EQ(LocaleText(28), "Hallo");
  EXPECT_EQ(LocaleText(-1), "Hallo");
}

TEST(VisSysInfo, VersionResources) {
  char system[MAX_PATH];
  ::GetSystemDirectoryA(system, MAX_PATH);
  const AnsiString file = AnsiString(system) + "\\kernel32.dll";
  const TVisVersionInfo info = GetVersionInfo(file);
  ASSERT_TRUE(info.Valid);
  EXPECT_FALSE(info.FileDescription.empty());
  EXPECT_FALSE(info.CompanyName.empty());

  DWORD handle = 0;
  std::string data(::GetFileVersionInfoSizeA(file.c_str(), &handle), '\0');
  ASSERT_TRUE(::GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  const AnsiString parts[4] = {IntToStr(HIWORD(fixed->dwFileVersionMS)), IntToStr(LOWORD(fixed->dwFileVersionMS)),
                               IntToStr(HIWORD(fixed->dwFileVersionLS)), IntToStr(LOWORD(fixed->dwFileVersionLS))};
  EXPECT_EQ(info.ShortVersion(), parts[0] + "." + parts[1]);
  EXPECT_EQ(info.FullVersion(), parts[0] + "." + parts[1] + "." + parts[2] + "." + parts[3]);
  EXPECT_EQ(info.BuildVersion(), parts[0] + "." + parts[1] + "." + parts[2] + " (Build " + parts[3] + ")");

  // The test program has no version resource.
  const TVisVersionInfo own = GetVersionInfo();
  EXPECT_FALSE(own.Valid);
  EXPECT_TRUE(own.ProductName.empty());
  EXPECT_EQ(own.FullVersion(), "0.0.0.0");
}

TEST(VisSysInfo, CaptionMetricsFollowTheWindowStyle) {
  struct Case {
    const char* what;
    DWORD style;
    DWORD exStyle;
    Integer buttons;
    bool icon;
  };
  const Case cases[] = {
      {"main window", WS_OVERLAPPEDWINDOW, 0, 3, true},
      {"dialog with help", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP | WS_EX_DLGMODALFRAME, 2, false},
      {"tool window", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, 1, false},
      {"caption without system menu", WS_POPUP | WS_CAPTION, 0, 0, false},
  };
  for (const Case& c : cases) {
    UniqueWindow wnd(::CreateWindowExA(c.exStyle, "STATIC", "x", c.style, 10, 10, 300, 200, nullptr, nullptr,
                                       nullptr, nullptr));
    ASSERT_TRUE(wnd) << c.what;
    const TVisCaptionMetrics m = GetCaptionMetrics(wnd.get());
    EXPECT_EQ(m.ButtonCount, c.buttons) << c.what;
    EXPECT_EQ(m.Icon.Right > m.Icon.Left, c.icon) << c.what;
    // The caption lies inside the window, and the buttons inside the caption from right to left.
    EXPECT_GT(m.Caption.Left, 0) << c.what;
    EXPECT_LT(m.Caption.Right, 300) << c.what;
    EXPECT_GT(m.Caption.Bottom, m.Caption.Top) << c.what;
    Integer right = m.Caption.Right;
    for (Integer i = 0; i < m.ButtonCount; ++i) {
      EXPECT_LE(m.Buttons[i].Right, right) << c.what << " button " << i;
      EXPECT_GT(m.Buttons[i].Right, m.Buttons[i].Left) << c.what << " button " << i;
      EXPECT_GE(m.Buttons[i].Top, m.Caption.Top) << c.what << " button " << i;
      EXPECT_LE(m.Buttons[i].Bottom, m.Caption.Bottom) << c.what << " button " << i;
      right = m.Buttons[i].Left;
    }
    if (c.icon) {
      EXPECT_LT(m.Icon.Right, right) << c.what;
    }
  }
}

}  // namespace
