// The application seen from other processes: found by its window's class and title and brought
// forward; a whole program that runs its loop and ends when closed.
#include <memory>
#include <string>

#include "FormsTestSupport.h"

using namespace forms_test;
using testing_support::ProgramFolder;

namespace {

// Starts a program of the program folder and returns its process handle.
HANDLE Start(const std::string& commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = commandLine;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &si, &pi))
    return nullptr;
  ::CloseHandle(pi.hThread);
  return pi.hProcess;
}

// The exit code of an ended process; closes its handle.
DWORD ExitCode(HANDLE process) {
  DWORD code = 999;
  ::GetExitCodeProcess(process, &code);
  ::CloseHandle(process);
  return code;
}

DWORD WaitWhileProcessing(HANDLE process, DWORD timeoutMs = 30000) {
  ProcessUntil([&] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
  return ExitCode(process);
}

// A window as a failure message names it: by its caption, or by its class when it has none.
std::string Describe(HWND window) {
  if (!window) return "no window";
  if (window == ::GetDesktopWindow()) return "the desktop";
  char text[128] = "";
  if (::GetWindowTextA(window, text, sizeof text) > 0) return '"' + std::string(text) + '"';
  ::GetClassNameA(window, text, sizeof text);
  return "a window of class " + std::string(text);
}

// Which window is in front, and which is active and has the focus in this thread.
std::string FrontState() {
  return "foreground: " + Describe(::GetForegroundWindow()) + ", active: " + Describe(::GetActiveWindow()) +
         ", focus: " + Describe(::GetFocus());
}

class ProcessesTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override { savedTitle = Application->GetTitle(); }
  void TearDown() override { Application->SetTitle(savedTitle); }
  AnsiString savedTitle;
};

}  // namespace

TEST_F(ProcessesTest, ASecondProcessBringsTheMainFormForward) {
  Application->SetTitle("Forms test activation");
  auto mainForm = std::make_unique<TForm>(Application);
  mainForm->SetCaption("Main");
  mainForm->Show();
  auto other = std::make_unique<TForm>(Application);
  other->SetCaption("Other");
  other->SetLeft(400);
  other->Show();
  ASSERT_TRUE(ProcessUntil([&] { return other->GetActive(); }));
  mainForm->BringToFront();
  other->BringToFront();
  ::SetForegroundWindow(other->GetHandle());
  auto otherInFront = [&] {
    return ::GetForegroundWindow() == other->GetHandle() && ::GetFocus() == other->GetHandle();
  };
  ASSERT_TRUE(ProcessUntil(otherInFront)) << FrontState();

  // What the application window found when it passed the activation on.
  int enters = 0;
  std::string enterFound = "no CM_ENTER";
  struct Watch {
    TWindowHook hook;
    ~Watch() { Application->UnhookMainWindow(hook); }
  } watch{TWindowHook::FromFunction([&](TMessage& m) {
    if (m.Msg == CM_ENTER) {
      ++enters;
      enterFound = "the focus on " + Describe(::GetFocus()) + " and " + Describe(::GetForegroundWindow()) + " in front";
    }
    return false;
  })};
  Application->HookMainWindow(watch.hook);

  struct Case {
    const char* when;
    bool heldUp;
  };
  const Case cases[] = {
      {"this program waits for input while the second copy runs", false},
      // This program gets the processor again only once the second copy has ended, as on a busy
      // machine: its wait for input then takes in the window system's events before its messages.
      // Under Wine the X server's word that the focus went to the second copy's window comes in
      // after the second copy has handed the foreground to this program; Wine's X11 driver then
      // finds the X focus on no window of this program and gives the foreground to the desktop.
      // The activation of the application window comes after that.
      {"this program runs again only after the second copy has ended", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    const int entersBefore = enters;
    HANDLE peer = Start("ApplicationFinderPeer.exe \"Forms test activation\"");
    ASSERT_TRUE(peer);
    if (c.heldUp) {
      EXPECT_EQ(::WaitForSingleObject(peer, 30000), WAIT_OBJECT_0);
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    }
    EXPECT_EQ(WaitWhileProcessing(peer), 0u);
    EXPECT_TRUE(ProcessUntil([&] { return enters > entersBefore; })) << "the application window was not activated";
    // The peer activated the application window; the application passes that on to its
    // top-most form, which comes in front with the focus.
    EXPECT_TRUE(ProcessUntil(otherInFront)) << FrontState() << "; CM_ENTER found " << enterFound;
    EXPECT_TRUE(other->GetActive());
  }

  // A minimised program is restored, with the top-most form in front.
  Application->Minimize();
  EXPECT_TRUE(::IsIconic(Application->GetHandle()));
  HANDLE peer = Start("ApplicationFinderPeer.exe \"Forms test activation\"");
  ASSERT_TRUE(peer);
  EXPECT_EQ(WaitWhileProcessing(peer), 0u);
  EXPECT_TRUE(ProcessUntil([&] { return !::IsIconic(Application->GetHandle()) && otherInFront(); }))
      << FrontState() << "; CM_ENTER found " << enterFound;
  EXPECT_TRUE(other->GetActive());

  // Another title is not found.
  peer = Start("ApplicationFinderPeer.exe \"No such title\"");
  ASSERT_TRUE(peer);
  EXPECT_EQ(WaitWhileProcessing(peer), 1u);
}

TEST_F(ProcessesTest, AProgramRunsItsLoopAndFreesItsFormsWhenClosed) {
  const std::string done = temp_.File("done.txt");
  HANDLE peer = Start("FormsApplicationPeer.exe \"Forms peer program\" \"" + done + "\"");
  ASSERT_TRUE(peer);
  HWND app = nullptr;
  ASSERT_TRUE(ProcessUntil([&] {
    app = ::FindWindowA("TApplication", "Forms peer program");
    HWND main = ::FindWindowA("TPeerMainForm", "Peer main form");
    // The application window shows (for the task bar) once the main form does.
    return app && main && ::IsWindowVisible(main) && ::IsWindowVisible(app);
  }));
  // The main form is owned by the application window.
  HWND main = ::FindWindowA("TPeerMainForm", "Peer main form");
  EXPECT_EQ(::GetWindow(main, GW_OWNER), app);
  ::PostMessageA(app, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitWhileProcessing(peer), 0u);
  EXPECT_EQ(testing_support::ReadFileBytes(done), "created and destroyed");
}
