#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Icons.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycTrayIcon.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

// Whether the shell has an icon of this window and identifier: only a known icon can be modified.
bool ShellHasIcon(HWND Window, UINT ID) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = Window;
  data.uID = ID;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::string Buttons(TMouseButton Button) { return Button == mbLeft ? "left" : Button == mbRight ? "right" : "middle"; }

// A tray icon whose events are written down as words.
class TrayIconTest : public ::testing::Test {
protected:
  TrayIconTest() : tray_(new TsycTrayIcon(nullptr)) {
    tray_->SetName("TrayIcon1");
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    tray_->SetIcon(&icon);
    tray_->OnShow = Note("show");
    tray_->OnHide = Note("hide");
    tray_->OnClick = Note("click");
    tray_->OnDblClick = Note("double click");
    tray_->OnPopupMenu = Note("popup");
    tray_->OnMinimize = Note("minimize");
    tray_->OnMouseMove =
        TMouseMoveEvent::FromFunction([this](TObject*, TShiftState, Integer, Integer) { events_.push_back("move"); });
    tray_->OnMouseDown =
        TMouseEvent::FromFunction([this](TObject*, TMouseButton Button, TShiftState Shift, Integer, Integer) {
          const bool held = Shift.Contains(Button == mbLeft ? ssLeft : Button == mbRight ? ssRight : ssMiddle);
          events_.push_back("down " + Buttons(Button) + (held ? " held" : ""));
        });
    tray_->OnMouseUp = TMouseEvent::FromFunction([this](TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
      events_.push_back("up " + Buttons(Button));
    });
  }
  ~TrayIconTest() override { tray_.reset(); }

  TNotifyEvent Note(const char* what) {
    return TNotifyEvent::FromFunction([this, what](TObject* Sender) {
      EXPECT_EQ(Sender, tray_.get());
      events_.push_back(what);
    });
  }

  // What the shell sends the icon's window when the mouse acts on the icon.
  void Mouse(UINT MouseMessage) {
    SendMessageA(tray_->GetWindowHandle(), kTrayIconMessage, tray_->GetIconID(), MouseMessage);
  }

  std::vector<std::string> Take() { return std::exchange(events_, {}); }

  std::unique_ptr<TsycTrayIcon> tray_;
  std::vector<std::string> events_;
};

TEST_F(TrayIconTest, ShowsAndHidesTheIcon) {
  HWND window = tray_->GetWindowHandle();
  EXPECT_FALSE(ShellHasIcon(window, 0));
  tray_->SetVisible(true);
  EXPECT_TRUE(ShellHasIcon(window, 0));
  const NOTIFYICONDATAA& data = tray_->GetIconData();
  EXPECT_EQ(data.hWnd, window);
  EXPECT_EQ(data.uCallbackMessage, 1235u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP | NIF_ICON));
  EXPECT_NE(data.hIcon, nullptr);
  tray_->SetVisible(false);
  EXPECT_FALSE(ShellHasIcon(window, 0));
  EXPECT_EQ(tray_->GetIconData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP));
  EXPECT_EQ(Take(), (std::vector<std::string>{"show", "hide"}));
}

TEST_F(TrayIconTest, AShellThatRefusesIsAnError) {
  tray_->Show();
  try {
    tray_->Show();
    FAIL() << "added twice";
  } catch (const EsycTrayIcon& e) {
    EXPECT_EQ(e.Message, "TrayIcon1.InsertToTray failed");
  }
  tray_->Hide();
  try {
    tray_->Hide();
    FAIL() << "deleted twice";
  } catch (const EsycTrayIcon& e) {
    EXPECT_EQ(e.Message, "TrayIcon1.DeleteFromTray failed");
  }
}

TEST_F(TrayIconTest, TheHintIsCutToTheShellsSize) {
  tray_->SetHint(AnsiString(100, 'h'));
  EXPECT_EQ(tray_->GetHint(), AnsiString(63, 'h'));
  EXPECT_EQ(std::string(tray_->GetIconData().szTip), std::string(63, 'h'));
  tray_->SetShowHint(false);
  EXPECT_EQ(tray_->GetIconData().szTip[0], '\0');
}

TEST_F(TrayIconTest, MouseMessagesBecomeEvents) {
  tray_->SetVisible(true);
  Take();
  struct Case {
    UINT message;
    std::vector<std::string> events;
  } cases[] = {
      {WM_MOUSEMOVE, {"move"}},     {WM_LBUTTONDOWN, {"down left held"}},   {WM_LBUTTONUP, {"up left", "click"}},
      {WM_LBUTTONUP, {"up left"}},  {WM_LBUTTONDBLCLK, {"double click"}},   {WM_RBUTTONDOWN, {"down right held"}},
      {WM_RBUTTONUP, {"up right"}}, {WM_MBUTTONDOWN, {"down middle held"}}, {WM_MBUTTONUP, {"up middle"}},
  };
  for (const Case& c : cases) {
    Mouse(c.message);
    EXPECT_EQ(Take(), c.events) << c.message;
  }
  tray_->SetEnabled(false);
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(SendMessageA(tray_->GetWindowHandle(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(TrayIconTest, TheMenuPopsUpAndItsDefaultItemRunsOnADoubleClick) {
  TPopupMenu menu(nullptr);
  auto* open = new TMenuItem(&menu);
  open->SetCaption("Open");
  open->OnClick = TNotifyEvent::FromFunction([&](TObject* Sender) {
    EXPECT_EQ(Sender, open);
    events_.push_back("open");
  });
  menu.GetItems()->Add(open);
  tray_->SetPopupMenu(&menu);
  // Closes the menu once it is up.
  const UINT_PTR closer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });

  Mouse(WM_RBUTTONUP);
  EXPECT_EQ(Take(), (std::vector<std::string>{"up right", "popup"}));
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(Take(), (std::vector<std::string>{"up left"}));
  tray_->PopupByLeft = true;
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(Take(), (std::vector<std::string>{"up left", "popup"}));
  tray_->PopupByLeft = false;

  open->SetDefault(true);
  Mouse(WM_LBUTTONDBLCLK);
  EXPECT_EQ(Take(), (std::vector<std::string>{"open", "double click"}));
  menu.AutoPopup = false;
  Mouse(WM_RBUTTONUP);
  EXPECT_EQ(Take(), (std::vector<std::string>{"up right"}));
  KillTimer(nullptr, closer);
  tray_->SetPopupMenu(nullptr);
}

TEST_F(TrayIconTest, ANewTaskbarAndANewIdentifierKeepTheIconShown) {
  HWND window = tray_->GetWindowHandle();
  tray_->SetVisible(true);
  Shell_NotifyIconA(NIM_DELETE, const_cast<NOTIFYICONDATAA*>(&tray_->GetIconData()));
  ASSERT_FALSE(ShellHasIcon(window, 0)) << "as after the taskbar was restarted";
  SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(ShellHasIcon(window, 0));
  tray_->SetIconID(7);
  EXPECT_FALSE(ShellHasIcon(window, 0));
  EXPECT_TRUE(ShellHasIcon(window, 7));
  EXPECT_EQ(Take(), (std::vector<std::string>{"show"}));
}

TEST_F(TrayIconTest, CyclesTheIconsOfItsList) {
  TImageList images(nullptr);
  for (LPCSTR id : {IDI_APPLICATION, IDI_WARNING, IDI_ERROR}) {
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, id)));
    images.AddIcon(&icon);
  }
  tray_->SetImageList(&images);
  std::vector<Integer> indexes;
  tray_->OnCycleIcons = TNotifyEvent::FromFunction([&](TObject*) { indexes.push_back(tray_->GetImageIndex()); });
  tray_->SetCycleInterval(20);
  tray_->SetCycleIcons(true);
  EXPECT_TRUE(PumpUntil([&] { return indexes.size() >= 4; }));
  tray_->SetCycleIcons(false);
  ASSERT_GE(indexes.size(), 4u);
  EXPECT_EQ(std::vector<Integer>(indexes.begin(), indexes.begin() + 4), (std::vector<Integer>{1, 2, 0, 1}));
  tray_->SetImageList(nullptr);
}

TEST_F(TrayIconTest, MinimizingTheProgramPutsItIntoTheTray) {
  tray_->MinimizeToTray = true;
  HWND app = Application->GetHandle();
  ShowWindow(app, SW_SHOWNORMAL);
  Take();
  Application->Minimize();
  PumpFor(100);
  EXPECT_TRUE(tray_->GetVisible());
  EXPECT_FALSE(IsWindowVisible(app));
  EXPECT_EQ(Take(), (std::vector<std::string>{"show", "minimize"}));
  tray_->Hide();
  EXPECT_TRUE(IsWindowVisible(app)) << "back from the tray";
  ShowWindow(app, SW_HIDE);
}

}  // namespace
