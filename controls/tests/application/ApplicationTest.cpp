#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "controls/VisWndProc.h"
#include "controls/visclass.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpUntil;

// Frees a form out of line: GCC 12 takes the component's destroying delete, seen through an
// inlined destructor, for a mismatch with the plain new.
[[gnu::noinline]] void Free(TComponent* Component) { delete Component; }

TEST(VisApplication, StartsWithItsDefaults) {
  ASSERT_NE(VisApplication, nullptr);
  EXPECT_FALSE(VisApplication->GetPrevInstance());
  EXPECT_EQ(VisApplication->ExplodeSteps, 3);
  EXPECT_EQ(VisApplication->GraphicFlags, 0x36);
  EXPECT_EQ(VisApplication->GetShiftFlags(), 1);
  EXPECT_EQ(VisApplication->TimerPool->GetMinInterval(), 50);
  EXPECT_NE(VisApplication->IniCtrl, nullptr);
  EXPECT_GT(VisApplication->PerfFrequency, 0);
  EXPECT_GT(VisApplication->CheckSize.cx, 0);
  EXPECT_GT(VisApplication->CheckSize.cy, 0);
  EXPECT_EQ(VisApplication->GetLogFile(), ChangeFileExt(ParamStr(0), ".LOG"));
}

TEST(VisApplication, ShiftFlagsTellTheirChanges) {
  int changes = 0;
  VisApplication->OnShiftFlagsChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
  VisApplication->SetShiftFlags(1);
  EXPECT_EQ(changes, 0);
  VisApplication->SetShiftFlags(1 | 2);
  EXPECT_EQ(changes, 1);
  VisApplication->SetShiftFlags(1);
  EXPECT_EQ(changes, 2);
  VisApplication->OnShiftFlagsChange = nullptr;
}

TEST(VisApplication, LogFileNames) {
  const AnsiString program = ExtractFilePath(ParamStr(0));
  char windows[MAX_PATH];
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  struct Case {
    TVisPathPrefix prefix;
    const char* name;
    AnsiString expected;
  };
  const Case cases[] = {
      {ppProgram, "", ChangeFileExt(ParamStr(0), ".LOG")},
      {ppProgram, "  ", ChangeFileExt(ParamStr(0), ".LOG")},
      {ppProgram, "trace", program + "trace.LOG"},
      {ppProgram, "C:\\elsewhere\\run.txt", program + "run.txt"},
      {ppWindows, "trace", AnsiString(windows) + "\\trace.LOG"},
      {ppFixed, "C:\\elsewhere\\run", "C:\\elsewhere\\run.LOG"},
      {ppFixed, "C:\\elsewhere\\run.txt", "C:\\elsewhere\\run.txt"},
  };
  for (const Case& c : cases) {
    VisApplication->LogPathPrefix = c.prefix;
    VisApplication->SetLogFile(c.name);
    EXPECT_EQ(VisApplication->GetLogFile(), c.expected) << c.name;
  }
  VisApplication->LogPathPrefix = ppProgram;
  VisApplication->SetLogFile("");
}

TEST(VisApplication, PatternBitmap) {
  TBitmap* pattern = VisApplication->GetPatternBitmap(clRed);
  ASSERT_NE(pattern, nullptr);
  EXPECT_EQ(pattern->GetWidth(), 8);
  EXPECT_EQ(pattern->GetHeight(), 8);
  for (Integer y = 0; y < 8; ++y)
    for (Integer x = 0; x < 8; ++x)
      EXPECT_EQ(pattern->GetCanvas()->GetPixels(x, y), (x + y) % 2 ? clRed : clWhite) << x << "," << y;
  EXPECT_EQ(VisApplication->GetPatternBitmap(clRed), pattern);
  EXPECT_EQ(VisApplication->GetPatternBitmap(clBlue), pattern);
  EXPECT_EQ(pattern->GetCanvas()->GetPixels(1, 0), clBlue);
  EXPECT_EQ(pattern->GetCanvas()->GetPixels(1, 1), clWhite);
}

TEST(VisThemes, TheLibraryIsBound) {
  EXPECT_TRUE(VisThemeLibrary.Present);
  EXPECT_NE(VisThemeLibrary.OpenThemeData, nullptr);
  EXPECT_NE(VisThemeLibrary.DrawThemeBackground, nullptr);
  EXPECT_NE(VisThemeLibrary.SetThemeAppProperties, nullptr);
  EXPECT_NE(VisThemeLibrary.IsAppThemed, nullptr);
  EXPECT_TRUE(ThemesAvailable());
}

// A windowed control that counts the theme messages it receives.
class TThemeWatcher : public TCustomControl {
  CLASS_INFO(TThemeWatcher, TCustomControl)
public:
  explicit TThemeWatcher(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(10, 10, 40, 20); }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_THEMECHANGED) ++ThemeChanged;
    if (Message.Msg == VM_CHANGED) ++Changed;
    inherited::WndProc(Message);
  }
  int ThemeChanged = 0;
  int Changed = 0;
};

class TWatchedForm : public TForm {
  CLASS_INFO(TWatchedForm, TForm)
public:
  explicit TWatchedForm(TComponent* AOwner) : TForm(AOwner) {
    Child = new TThemeWatcher(this);
    Child->SetParent(this);
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_THEMECHANGED) ++ThemeChanged;
    inherited::WndProc(Message);
  }
  TThemeWatcher* Child;
  int ThemeChanged = 0;
};

TEST(VisThemes, SwitchingThemesRefreshesTheVisibleForms) {
  ASSERT_TRUE(VisApplication->GetUseXPThemes());
  auto* form = new TWatchedForm(Application);
  form->Show();
  auto* hidden = new TWatchedForm(Application);

  VisApplication->SetUseXPThemes(false);
  EXPECT_FALSE(VisApplication->GetUseXPThemes());
  EXPECT_EQ(form->Child->Changed, 1);
  EXPECT_EQ(form->Child->ThemeChanged, 1);
  EXPECT_EQ(form->ThemeChanged, 1);
  EXPECT_EQ(hidden->Child->Changed, 0);

  // Switched off by the application, themes can be switched on again.
  VisApplication->SetUseXPThemes(true);
  EXPECT_TRUE(VisApplication->GetUseXPThemes());
  EXPECT_EQ(form->Child->ThemeChanged, 2);
  EXPECT_EQ(form->ThemeChanged, 2);

  // Setting the value it has changes nothing; with ThemesFixed the forms keep theirs.
  VisApplication->SetUseXPThemes(true);
  EXPECT_EQ(form->Child->ThemeChanged, 2);
  VisApplication->ThemesFixed = true;
  VisApplication->SetUseXPThemes(false);
  VisApplication->SetUseXPThemes(true);
  EXPECT_EQ(form->Child->ThemeChanged, 4);
  EXPECT_EQ(form->ThemeChanged, 2);
  VisApplication->ThemesFixed = false;
  Free(hidden);
  Free(form);
}

TEST(VisThemes, TheManagerFollowsSystemThemeChanges) {
  auto* form = new TWatchedForm(Application);
  form->Show();
  TVisXPThemeManager manager(nullptr);
  ASSERT_TRUE(manager.GetHooked());
  ::SendMessageA(manager.GetTargetWindow(), WM_THEMECHANGED, 0, 0);
  // Switched off and on again: the form heard of both.
  EXPECT_EQ(form->Child->ThemeChanged, 2);
  EXPECT_TRUE(VisApplication->GetUseXPThemes());
  Free(form);
}

}  // namespace
