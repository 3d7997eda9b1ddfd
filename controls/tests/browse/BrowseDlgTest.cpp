#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "controls/VisBrowseDlg.h"
#include "controls/visprocs.h"
#include "tests/support/TestSupport.h"

namespace {

class BrowseDlgTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    for (const char* name : {"Alpha", "Beta", "A folder with a rather long name\\and a second long one"})
      ForceDirectories(Folder(name));
  }
  // A folder below the test's temporary folder, without a trailing backslash.
  AnsiString Folder(const char* name) const { return temp_.File(name); }

  // Runs the picker; Answer is called once it is set up and answers it.
  bool Run(TVisBrowseDlg& dialog, std::function<void(HWND)> answer) {
    dialog.OnInit = TNotifyEvent::FromFunction([&dialog, answer](TObject* sender) {
      EXPECT_EQ(sender, &dialog);
      answer(dialog.GetDialogHandle());
    });
    return dialog.Execute();
  }
  static bool OkEnabled(HWND wnd) { return ::IsWindowEnabled(::GetDlgItem(wnd, IDOK)) != FALSE; }
  static void Press(HWND wnd, int button) { ::PostMessageA(wnd, WM_COMMAND, button, 0); }

  // Wine's picker now and then leaves the selection where it was when it is asked for a folder:
  // it finds the folder's place in its tree by comparing the shell's items byte for byte, and a
  // file system item holds its folder's time of last change, so a folder on the way that changed
  // between the two readings is not found. Ask again until the tree shows the folder (for at most
  // 30 s), then press.
  static void PressOnceShowing(TVisBrowseDlg& dialog, HWND wnd, const AnsiString& folder, int button) {
    struct Wait {
      TVisBrowseDlg* dialog;
      AnsiString folder;
      int button;
      int ticks;
    };
    static Wait wait;
    wait = {&dialog, folder, button, 0};
    ::SetTimer(wnd, 1, 50, [](HWND wnd, UINT, UINT_PTR id, DWORD) {
      if (SameText(testing_support::SelectedTreeItemText(wnd), ExtractFileName(wait.folder)) || ++wait.ticks > 600) {
        ::KillTimer(wnd, id);
        Press(wnd, wait.button);
      } else {
        wait.dialog->SetSelectedFolder(wait.folder);
      }
    });
  }
};

TEST_F(BrowseDlgTest, ReturnsTheFolderChosen) {
  TVisBrowseDlg dialog(nullptr);
  dialog.CaptionTitle = "Select location";
  dialog.Caption = "Location to save converted files";
  // Nothing is preselected: Wine's picker may apply a preselected folder after OnInit has
  // already moved on, and the test would race it. Starting at a folder is tested below.
  AnsiString title;
  ASSERT_TRUE(Run(dialog, [&](HWND wnd) {
    char text[128] = {};
    ::GetWindowTextA(wnd, text, sizeof text);
    title = text;
    dialog.SetSelectedFolder(Folder("Beta"));
    PressOnceShowing(dialog, wnd, Folder("Beta"), IDOK);
  }));
  EXPECT_EQ(title, "Select location");
  EXPECT_TRUE(SameText(dialog.GetSelectedFolder(), Folder("Beta"))) << dialog.GetSelectedFolder();
  // The shell's display name of the item (Wine gives the whole path).
  EXPECT_TRUE(AnsiEndsText("Beta", dialog.GetDisplayName())) << dialog.GetDisplayName();
  EXPECT_EQ(dialog.GetDialogHandle(), nullptr);
}

TEST_F(BrowseDlgTest, StartsAtThePreselectedFolder) {
  TVisBrowseDlg dialog(nullptr);
  dialog.SetSelectedFolder(Folder("Alpha"));
  ASSERT_TRUE(Run(dialog, [&](HWND wnd) { PressOnceShowing(dialog, wnd, Folder("Alpha"), IDOK); }));
  EXPECT_TRUE(SameText(dialog.GetSelectedFolder(), Folder("Alpha"))) << dialog.GetSelectedFolder();
}

TEST_F(BrowseDlgTest, CancellingKeepsTheSelectedFolder) {
  TVisBrowseDlg dialog(nullptr);
  dialog.SetSelectedFolder(Folder("Alpha"));
  EXPECT_FALSE(Run(dialog, [&](HWND wnd) {
    dialog.SetSelectedFolder(Folder("Beta"));
    Press(wnd, IDCANCEL);
  }));
  // What the picker showed is not a choice.
  EXPECT_EQ(dialog.GetSelectedFolder(), Folder("Beta"));
  EXPECT_EQ(dialog.GetDisplayName(), "");
}

TEST_F(BrowseDlgTest, OkStartsEnabledOnlyForAValidFolderOrWhenAsked) {
  struct Case {
    const char* what;
    AnsiString preselected;
    bool enableOK;
    bool expected;
  };
  const Case cases[] = {
      {"nothing preselected", "", false, false},
      {"a folder that exists", Folder("Alpha"), false, true},
      {"a folder that does not exist", Folder("Missing"), false, false},
      {"doEnableOK", "", true, true},
  };
  for (const Case& c : cases) {
    TVisBrowseDlg dialog(nullptr);
    dialog.SetSelectedFolder(c.preselected);
    if (c.enableOK) dialog.Options << doEnableOK;
    bool enabled = !c.expected;
    Run(dialog, [&](HWND wnd) {
      enabled = OkEnabled(wnd);
      Press(wnd, IDCANCEL);
    });
    EXPECT_EQ(enabled, c.expected) << c.what;
  }
}

TEST_F(BrowseDlgTest, ReportsSelectionsAndShowsTheShortenedPath) {
  TVisBrowseDlg dialog(nullptr);
  const AnsiString deep = Folder("A folder with a rather long name\\and a second long one");
  std::vector<AnsiString> paths;
  dialog.OnSelectionChanged = TVisBrowseDlgSelectionChangeEvent::FromFunction(
      [&](TObject* sender, HWND wnd, const AnsiString& path, LPCITEMIDLIST item) {
        EXPECT_EQ(sender, &dialog);
        EXPECT_EQ(wnd, dialog.GetDialogHandle());
        EXPECT_NE(item, nullptr);
        paths.push_back(path);
      });
  Run(dialog, [&](HWND wnd) {
    dialog.SetSelectedFolder(deep);
    PressOnceShowing(dialog, wnd, deep, IDCANCEL);
  });
  ASSERT_FALSE(paths.empty());
  EXPECT_TRUE(SameText(paths.back(), deep)) << paths.back();
  EXPECT_EQ(dialog.GetStatusText(), ShortenPath(paths.back(), 40));
  EXPECT_LE(dialog.GetStatusText().size(), 40u + 3);
}

// Wine's picker has no edit field, so the shell's call for a typed folder it did not accept is
// made here as the shell makes it.
TEST(VisBrowseDlgCallback, ATypedFolderThatIsNotThereIsValidated) {
  TVisBrowseDlg dialog(nullptr);
  std::vector<AnsiString> typed;
  dialog.OnValidate = TVisBrowseDlgEditValidateEvent::FromFunction([&](TObject* sender, const AnsiString& path,
                                                                       bool& cancel) {
    EXPECT_EQ(sender, &dialog);
    EXPECT_FALSE(cancel);
    typed.push_back(path);
    cancel = typed.size() == 1;
  });
  const auto validate = [&](const char* text) {
    return TVisBrowseDlg::Callback(nullptr, BFFM_VALIDATEFAILEDA, reinterpret_cast<LPARAM>(text),
                                   reinterpret_cast<LPARAM>(&dialog));
  };
  EXPECT_EQ(validate("No such folder"), 1);  // cancelled: the picker stays open
  EXPECT_EQ(validate("Still none"), 0);
  EXPECT_EQ(typed, (std::vector<AnsiString>{"No such folder", "Still none"}));
  dialog.OnValidate = nullptr;
  EXPECT_EQ(validate("x"), 0);
  EXPECT_EQ(TVisBrowseDlg::Callback(nullptr, BFFM_VALIDATEFAILEDA, reinterpret_cast<LPARAM>("x"), 0), 0);
}

TEST_F(BrowseDlgTest, PlacesThePicker) {
  struct Case {
    TVisDlgPosition position;
    bool right;
    bool bottom;
  };
  const Case cases[] = {{bpTopLeft, false, false}, {bpBottomRight, true, true}, {bpTopRight, true, false}};
  for (const Case& c : cases) {
    TVisBrowseDlg dialog(nullptr);
    dialog.RelatePos = brScreen;
    dialog.Position = c.position;
    RECT r{};
    Run(dialog, [&](HWND wnd) {
      ::GetWindowRect(wnd, &r);
      Press(wnd, IDCANCEL);
    });
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(c.right ? r.right : r.left, c.right ? screenW : 0) << c.position;
    EXPECT_EQ(c.bottom ? r.bottom : r.top, c.bottom ? screenH : 0) << c.position;
  }
}

// A picker placed beside the active window, which the user moved partly off the screen, opens
// wholly on the screen, its OK button in reach.
TEST_F(BrowseDlgTest, BesideAWindowOffTheScreenThePickerStaysOnIt) {
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  const TRect work = GetRelateRect(brScreenWorkArea);
  // Not the main form: the relation rectangle of the later tests stays the screen.
  auto beside = std::make_unique<TForm>(nullptr);
  struct Case {
    const char* name;
    TRect window;
    TVisDlgPosition position;
  };
  const Case cases[] = {
      {"past the right edge", Bounds(screenW - 120, 60, 600, 400), bpTopLeft},
      {"past the bottom edge", Bounds(40, screenH - 90, 600, 400), bpCenter},
      {"past the left and top edges", Bounds(-500, -300, 600, 400), bpBottomRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    beside->SetBounds(c.window.Left, c.window.Top, c.window.Width(), c.window.Height());
    beside->Show();
    ::SetForegroundWindow(beside->GetHandle());
    ASSERT_TRUE(testing_support::PumpUntil([&] { return Screen->GetActiveForm() == beside.get(); }));
    TVisBrowseDlg dialog(nullptr);
    dialog.RelatePos = brActiveWindow;
    dialog.Position = c.position;
    RECT r{}, ok{};
    Run(dialog, [&](HWND wnd) {
      ::GetWindowRect(wnd, &r);
      ::GetWindowRect(::GetDlgItem(wnd, IDOK), &ok);
      Press(wnd, IDCANCEL);
    });
    EXPECT_GE(r.left, work.Left);
    EXPECT_GE(r.top, work.Top);
    EXPECT_LE(r.right, work.Right);
    EXPECT_LE(r.bottom, work.Bottom);
    EXPECT_LE(ok.right, work.Right);
    EXPECT_LE(ok.bottom, work.Bottom);
    beside->Hide();
  }
}

// Answers the folder browser as a person would.
class FolderResponder : public TDialogResponder {
public:
  explicit FolderResponder(AnsiString answer) : answer_(std::move(answer)) { previous_ = SetDialogResponder(this); }
  ~FolderResponder() override { SetDialogResponder(previous_); }
  bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory) override {
    caption = Caption;
    root = Root;
    startedAt = Directory;
    if (answer_.empty()) return false;
    Directory = answer_;
    return true;
  }
  AnsiString caption, root, startedAt;

private:
  AnsiString answer_;
  TDialogResponder* previous_;
};

TEST_F(BrowseDlgTest, ADialogResponderAnswersInsteadOfThePicker) {
  TVisBrowseDlg dialog(nullptr);
  dialog.Caption = "Location to save converted files";
  dialog.SetSelectedFolder(Folder("Alpha"));
  {
    FolderResponder responder(Folder("Beta"));
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(responder.caption, "Location to save converted files");
    EXPECT_EQ(responder.startedAt, Folder("Alpha"));
    EXPECT_EQ(responder.root, "");
  }
  EXPECT_EQ(dialog.GetSelectedFolder(), Folder("Beta"));
  EXPECT_EQ(dialog.GetDisplayName(), "Beta");
  {
    FolderResponder cancelling("");
    dialog.StartFolder = bfoPersonal;
    EXPECT_FALSE(dialog.Execute());
    char personal[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, personal, CSIDL_PERSONAL, FALSE);
    EXPECT_EQ(cancelling.root, personal);
  }
  EXPECT_EQ(dialog.GetSelectedFolder(), Folder("Beta"));
}

TEST(VisBrowseDlgSettings, DefaultsFlagsAndFolders) {
  TVisBrowseDlg dialog(nullptr);
  EXPECT_EQ(dialog.StartFolder, bfoDesktopExpanded);
  EXPECT_EQ(dialog.Options, (TVisBrowseDlgOptions{doReturnFileSysDirs, doShowPath}));
  EXPECT_EQ(dialog.Position, bpCenter);
  EXPECT_EQ(dialog.RelatePos, brActiveWindow);
  EXPECT_EQ(BrowseFlagsOf(dialog.Options), static_cast<UINT>(BIF_RETURNONLYFSDIRS));
  EXPECT_EQ(BrowseFlagsOf({doAllowEdit, doEnableOK, doShowPath}), static_cast<UINT>(0x30));
  EXPECT_EQ(BrowseFlagsOf({doBrowseForComputer, doBrowseForPrinter, doShowFiles, doStatusText}), 0x7004u);
  EXPECT_EQ(SpecialFolderOf(bfoDesktop), 0);
  EXPECT_EQ(SpecialFolderOf(bfoDesktopExpanded), 0xFEFE);
  EXPECT_EQ(SpecialFolderOf(bfoInternet), 1);
  EXPECT_EQ(SpecialFolderOf(bfoAltStartup), 29);
  EXPECT_EQ(SpecialFolderOf(bfoHistory), 34);
}

TEST(VisDialogPlace, Positions) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN);
  const int h = ::GetSystemMetrics(SM_CYSCREEN);
  const TRect r = Rect(100, 100, 500, 400);
  const TRect work = GetRelateRect(brScreenWorkArea);
  struct Case {
    TVisDlgPosition position;
    TRect in;
    TPoint expected;
  };
  const Case cases[] = {
      {bpCustom, r, {100, 100}},
      {bpTopCenter, r, {100 + 150, 100}},
      {bpCenter, r, {250, 100 + 125}},
      {bpCenterRight, r, {400, 225}},
      {bpBottomLeft, r, {100, 350}},
      {bpBottomCenter, r, {250, 350}},
      {bpBottomRight, r, {400, 350}},
      // Near the right edge the window is pulled back to end at the rectangle's right edge.
      {bpTopLeft, Rect(w - 50, 0, w, 100), {w - 100, 0}},
      // Never negative.
      {bpCenter, Rect(0, 0, 40, 20), {0, 0}},
      {bpBottomRight, Rect(0, 0, w, h), {std::min(w, work.Right) - 100, std::min(h, work.Bottom) - 50}},
      // Beside a window that reaches off the screen the dialog stays wholly inside the work area.
      {bpTopLeft, Rect(w - 50, 10, w + 550, 400), {work.Right - 100, 10}},
      {bpTopRight, Rect(w - 50, 10, w + 550, 400), {work.Right - 100, 10}},
      {bpBottomLeft, Rect(20, h - 30, 600, h + 300), {20, work.Bottom - 50}},
      {bpTopLeft, Rect(-400, -300, 200, 100), {work.Left, work.Top}},
      {bpBottomRight, Rect(w - 20, h - 20, w + 400, h + 400), {work.Right - 100, work.Bottom - 50}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlacedPosition(c.in, c.position, 100, 50), c.expected) << c.position;
  // Without a main or active form the relation is the screen.
  EXPECT_EQ(GetRelateRect(brMainForm), Rect(0, 0, w, h));
  EXPECT_EQ(GetRelateRect(brScreen), Rect(0, 0, w, h));
  EXPECT_GT(work.Width(), 0);
  EXPECT_LE(work.Width(), w);
}

}  // namespace
