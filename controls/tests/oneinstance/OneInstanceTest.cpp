#include <gtest/gtest.h>

#include <string>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "controls/VisOneInstance.h"
#include "controls/visclass.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpUntil;
using testing_support::ReadFileBytes;

constexpr char kTitle[] = "One instance peer";

// A copy of the peer program, started with its own log file.
class PeerCopy {
public:
  PeerCopy(const std::string& exe, const std::string& log, const std::string& mode = "activate",
           const std::string& start = "") : log_(log) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + exe + "\" \"" + kTitle + "\" \"" + log + "\" " + mode + " " + start;
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      ::CloseHandle(pi.hThread);
      process_ = pi.hProcess;
      id_ = pi.dwProcessId;
    }
  }
  ~PeerCopy() {
    if (!process_) return;
    if (!Ended()) ::TerminateProcess(process_, 1);
    ::CloseHandle(process_);
  }
  PeerCopy(const PeerCopy&) = delete;
  PeerCopy& operator=(const PeerCopy&) = delete;

  bool Started() const { return process_ != nullptr; }
  bool Ended() const { return ::WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
  bool WaitForEnd(DWORD ms = 30000) const { return PumpUntil([&] { return Ended(); }, ms); }
  // Started, shown and waiting for input: nothing of its start is left to come.
  bool WaitForInput() const {
    return PumpUntil([&] { return ::WaitForInputIdle(process_, 0) == 0; });
  }
  DWORD ExitCode() const {
    DWORD code = 999;
    ::GetExitCodeProcess(process_, &code);
    return code;
  }
  std::string Log() const { return ReadFileBytes(log_); }

  // The copy's top-level window of a class ("TApplication" or the main form's class).
  HWND Window(const char* className) const {
    struct Search {
      DWORD id;
      const char* cls;
      HWND found = nullptr;
    } search{id_, className};
    ::EnumWindows(
        [](HWND wnd, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD pid = 0;
          ::GetWindowThreadProcessId(wnd, &pid);
          char cls[64] = {};
          ::GetClassNameA(wnd, cls, sizeof cls);
          if (pid != s->id || std::string(cls) != s->cls) return TRUE;
          s->found = wnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND MainForm() const { return Window("TOneInstancePeerForm"); }
  HWND AppWindow() const { return Window("TApplication"); }

private:
  std::string log_;
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Takes the foreground with a window of the test, so that bringing a copy forward shows.
class ForegroundThief {
public:
  ForegroundThief()
      : wnd_(::CreateWindowExA(0, "STATIC", "thief", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr,
                               nullptr, nullptr)) {
    ::SetForegroundWindow(wnd_.get());
    PumpUntil([&] { return ::GetForegroundWindow() == wnd_.get(); }, 30000);
  }
  HWND get() const { return wnd_.get(); }

private:
  UniqueWindow wnd_;
};

// Which window is in front, for a failure's message.
std::string Describe(HWND window) {
  char cls[64] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return std::string(cls) + " of process " + std::to_string(process) +
         (process == ::GetCurrentProcessId() ? " (the test)" : "");
}

class OneInstanceTest : public testing_support::IsolatedTest {
protected:
  std::string Peer() const { return testing_support::ProgramFolder() + "OneInstancePeer.exe"; }

  // Starts the first copy and waits until it has shown its main form and waits for input.
  void StartFirst(const std::string& start = "") {
    first_ = std::make_unique<PeerCopy>(Peer(), temp_.File("first.log"), "activate", start);
    ASSERT_TRUE(first_->Started());
    ASSERT_TRUE(PumpUntil([&] { return first_->MainForm() && ::IsWindowVisible(first_->MainForm()); }));
    ASSERT_TRUE(first_->WaitForInput());
    EXPECT_EQ(first_->Log(), "prev=0\nshown\n");
  }
  void TearDown() override {
    if (first_) {
      ::PostMessageA(first_->AppWindow(), WM_CLOSE, 0, 0);
      EXPECT_TRUE(first_->WaitForEnd());
      EXPECT_EQ(first_->Log(), "prev=0\nshown\ndestroyed\n");
    }
  }

  std::unique_ptr<PeerCopy> first_;
};

class OneInstanceStartTest : public OneInstanceTest, public testing::WithParamInterface<const char*> {};

// The first copy starts at once, or as on a busy machine, visible a second before it waits for
// input; either way it is behind the test's window when the second copy starts.
TEST_P(OneInstanceStartTest, ASecondCopyBringsTheFirstForwardAndEndsUnseen) {
  StartFirst(GetParam());
  ForegroundThief thief;
  ASSERT_EQ(::GetForegroundWindow(), thief.get()) << "in front: " << Describe(::GetForegroundWindow());
  PeerCopy second(Peer(), temp_.File("second.log"));
  ASSERT_TRUE(second.WaitForEnd());
  EXPECT_EQ(second.ExitCode(), 0u);
  // Its main form was never shown.
  EXPECT_EQ(second.Log(), "prev=1\ndestroyed\n");
  EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == first_->MainForm(); }))
      << "in front: " << Describe(::GetForegroundWindow());
}

INSTANTIATE_TEST_SUITE_P(Starts, OneInstanceStartTest, testing::Values("quick", "slow"));

TEST_F(OneInstanceTest, AMinimisedFirstCopyIsRestored) {
  StartFirst();
  ::PostMessageA(first_->AppWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(first_->AppWindow()); }));
  PeerCopy second(Peer(), temp_.File("second.log"));
  ASSERT_TRUE(second.WaitForEnd());
  EXPECT_EQ(second.Log(), "prev=1\ndestroyed\n");
  EXPECT_TRUE(PumpUntil([&] { return !::IsIconic(first_->AppWindow()) && ::IsWindowVisible(first_->MainForm()); }));
}

TEST_F(OneInstanceTest, TheDefaultMessageNamesTheProgram) {
  StartFirst();
  PeerCopy second(Peer(), temp_.File("second.log"), "message");
  // The message box of the second copy: its text, then OK.
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    box = second.Window("#32770");
    return box && ::IsWindowVisible(box);
  }));
  char text[256] = {};
  ::GetWindowTextA(box, text, sizeof text);
  EXPECT_EQ(std::string(text), "Information");
  std::string message;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    ::GetWindowTextA(child, text, sizeof text);
    if (SameText(cls, "Static") && text[0]) message = text;
  }
  EXPECT_EQ(message, "\"One instance peer\" was already started...");
  EXPECT_FALSE(second.Ended());
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(second.WaitForEnd());
  EXPECT_EQ(second.Log(), "prev=1\ndestroyed\n");
}

TEST_F(OneInstanceTest, CustomModeCallsItsHandlerInstead) {
  StartFirst();
  PeerCopy second(Peer(), temp_.File("second.log"), "custom");
  ASSERT_TRUE(second.WaitForEnd());
  EXPECT_EQ(second.Log(), "prev=1\ncustom\ndestroyed\n");
}

TEST_F(OneInstanceTest, ADisabledGuardLetsTheSecondCopyRun) {
  StartFirst();
  PeerCopy second(Peer(), temp_.File("second.log"), "disabled");
  ASSERT_TRUE(PumpUntil([&] { return second.MainForm() && ::IsWindowVisible(second.MainForm()); }));
  EXPECT_EQ(second.Log(), "prev=1\nshown\n");
  ::PostMessageA(second.AppWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(second.WaitForEnd());
}

TEST_F(OneInstanceTest, TheFileNameMakesTheInstanceNotThePath) {
  StartFirst();
  // The same file name in another folder is another copy of the program...
  const std::string sameName = temp_.File("copy\\OneInstancePeer.exe");
  ::CreateDirectoryA(temp_.File("copy").c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA(Peer().c_str(), sameName.c_str(), FALSE));
  PeerCopy second(sameName, temp_.File("second.log"));
  ASSERT_TRUE(second.WaitForEnd());
  EXPECT_EQ(second.Log(), "prev=1\ndestroyed\n");
  // ...a program under another name is not.
  const std::string otherName = temp_.File("OtherPeer.exe");
  ASSERT_TRUE(::CopyFileA(Peer().c_str(), otherName.c_str(), FALSE));
  PeerCopy other(otherName, temp_.File("other.log"));
  ASSERT_TRUE(PumpUntil([&] { return other.MainForm() && ::IsWindowVisible(other.MainForm()); }));
  EXPECT_EQ(other.Log(), "prev=0\nshown\n");
  ::PostMessageA(other.AppWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(other.WaitForEnd());
}

TEST(VisOneInstance, OnlyOnePerProgram) {
  TVisOneInstance first(nullptr);
  EXPECT_TRUE(first.Enabled);
  EXPECT_EQ(first.Mode, oiActivateOnly);
  try {
    TVisOneInstance second(nullptr);
    ADD_FAILURE() << "a second guard was made";
  } catch (const VisEOneInstError& e) {
    EXPECT_EQ(e.Message, "TVisOneInstance:\rAlready one TVisOneInstance control in this project!");
  }
  // Once the first is gone, another may be made.
  EXPECT_EQ(VisEOneInstError("TVisFormStyler", 0).Message,
            "TVisFormStyler:\rInvalid owner (<>TForm) or second instance on a form");
}

TEST(VisOneInstance, WithoutAnEarlierCopyNothingHappens) {
  ASSERT_FALSE(VisApplication->GetPrevInstance());
  auto* form = new TForm(Application);
  auto* guard = new TVisOneInstance(form);
  guard->Loaded();
  EXPECT_TRUE(Application->GetShowMainForm());
  EXPECT_FALSE(Application->GetTerminated());
  delete form;
}

TEST(VisOneInstance, CheckOwner) {
  auto* form = new TForm(Application);
  TComponent plain(nullptr);
  EXPECT_TRUE(CheckOwner(nullptr, TVisOneInstance::StaticClass(), false));
  EXPECT_TRUE(CheckOwner(&plain, TVisOneInstance::StaticClass(), true));
  auto* one = new TVisCustomComponent(form);
  EXPECT_FALSE(CheckOwner(form, TVisCustomComponent::StaticClass(), false));
  new TVisCustomComponent(form);
  EXPECT_TRUE(CheckOwner(form, TVisCustomComponent::StaticClass(), false));
  (void)one;
  delete form;
}

}  // namespace
