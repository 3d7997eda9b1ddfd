// The application seen from other processes: found by its window's class and title and brought
// forward; a whole program that runs its loop and ends when closed.
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

DWORD WaitWhileProcessing(HANDLE process, DWORD timeoutMs = 10000) {
  ProcessUntil([&] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
  DWORD code = 999;
  ::GetExitCodeProcess(process, &code);
  ::CloseHandle(process);
  return code;
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
  auto* mainForm = new TForm(Application);
  mainForm->SetCaption("Main");
  mainForm->Show();
  auto* other = new TForm(Application);
  other->SetCaption("Other");
  other->SetLeft(400);
  other->Show();
  ASSERT_TRUE(ProcessUntil([&] { return other->GetActive(); }));
  mainForm->BringToFront();
  other->BringToFront();
  ::SetForegroundWindow(other->GetHandle());
  ProcessFor(50);

  int passedOn = 0;
  TWindowHook watch = TWindowHook::FromFunction([&](TMessage& m) {
    if (m.Msg == CM_ENTER) ++passedOn;
    return false;
  });
  Application->HookMainWindow(watch);
  HANDLE peer = Start("ApplicationFinderPeer.exe \"Forms test activation\"");
  ASSERT_TRUE(peer);
  EXPECT_EQ(WaitWhileProcessing(peer), 0u);
  EXPECT_TRUE(ProcessUntil([&] { return passedOn > 0; })) << "the application window was not activated";
  // The peer activated the application window; the application passes that on to its
  // top-most form.
  EXPECT_TRUE(ProcessUntil([&] { return ::GetForegroundWindow() == other->GetHandle(); }));
  EXPECT_TRUE(other->GetActive());

  // A minimised program is restored.
  Application->Minimize();
  EXPECT_TRUE(::IsIconic(Application->GetHandle()));
  peer = Start("ApplicationFinderPeer.exe \"Forms test activation\"");
  EXPECT_EQ(WaitWhileProcessing(peer), 0u);
  EXPECT_TRUE(ProcessUntil([&] { return !::IsIconic(Application->GetHandle()) && other->GetActive(); }));

  Application->UnhookMainWindow(watch);
  // Another title is not found.
  peer = Start("ApplicationFinderPeer.exe \"No such title\"");
  EXPECT_EQ(WaitWhileProcessing(peer), 1u);
  delete other;
  delete mainForm;
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
