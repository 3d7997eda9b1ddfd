#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "classlib/Forms.h"
#include "syscomp/sycOneInstance.h"
#include "syscomp/tests/FormReading.h"
#include "syscomp/tests/MessageBoxes.h"
#include "tests/support/TestSupport.h"

namespace {

// Another copy of the program, played by a thread of this one: it holds a named mutex for as
// long as it lives, as the other process would.
class OtherCopy {
public:
  explicit OtherCopy(const std::string& MutexName)
      : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, MutexName] {
      HANDLE mutex = CreateMutexA(nullptr, TRUE, MutexName.c_str());
      SetEvent(ready_);
      WaitForSingleObject(done_, INFINITE);
      ReleaseMutex(mutex);
      CloseHandle(mutex);
    });
    WaitForSingleObject(ready_, INFINITE);
  }
  ~OtherCopy() {
    SetEvent(done_);
    thread_.join();
    CloseHandle(ready_);
    CloseHandle(done_);
  }

private:
  HANDLE ready_;
  HANDLE done_;
  std::thread thread_;
};

// Each test runs under a title of its own, so that the mutexes of one do not meet another's.
class OneInstanceTest : public ::testing::Test {
protected:
  void SetUp() override {
    title_ = std::string("SycOne") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    Application->SetTitle(title_);
  }
  std::string title_;
};

TEST_F(OneInstanceTest, TheFirstCopyTakesTheMutexAndKeepsIt) {
  TsycOneInstance guard(nullptr);
  EXPECT_FALSE(guard.IsAnotherInstance());
  EXPECT_FALSE(guard.IsAnotherInstance()) << "this copy again";
  // Another thread (as another copy would) finds it held.
  std::atomic<DWORD> wait{0};
  std::thread probe([&] {
    HANDLE m = OpenMutexA(SYNCHRONIZE, FALSE, (title_ + ".OneInstance.Default").c_str());
    wait = m ? WaitForSingleObject(m, 0) : WAIT_FAILED;
    if (m) CloseHandle(m);
  });
  probe.join();
  EXPECT_EQ(wait, static_cast<DWORD>(WAIT_TIMEOUT));
  HANDLE section = OpenMutexA(SYNCHRONIZE, FALSE, (title_ + ".OneInstance.CriticalSection").c_str());
  EXPECT_EQ(section, nullptr) << "the check's own mutex is gone";
}

TEST_F(OneInstanceTest, AnotherCopyIsFoundByItsMutexOrByACheckInProgress) {
  TsycOneInstance guard(nullptr);
  {
    OtherCopy other(title_ + ".OneInstance.Default");
    EXPECT_TRUE(guard.IsAnotherInstance());
  }
  {
    OtherCopy starting(title_ + ".OneInstance.CriticalSection");
    EXPECT_TRUE(guard.IsAnotherInstance()) << "started at the same moment";
  }
  EXPECT_FALSE(guard.IsAnotherInstance()) << "alone again";
}

TEST_F(OneInstanceTest, ASecondCopyCanBeToldToRunOn) {
  OtherCopy other(title_ + ".OneInstance.Default");
  TsycOneInstance guard(nullptr);
  guard.ShowMessage = true;
  guard.ActivatePrevInstance = false;
  int asked = 0;
  guard.OnShowMessage = TsycOneInstanceShowMessage::FromFunction([&](TObject* Sender, bool& Terminate) {
    EXPECT_EQ(Sender, &guard);
    EXPECT_TRUE(Terminate);
    EXPECT_FALSE(Application->GetShowMainForm()) << "the main form waits meanwhile";
    ++asked;
    Terminate = false;
  });
  guard.Check();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Application->GetShowMainForm());
  EXPECT_FALSE(Application->GetTerminated());
}

// A form with the guard, read from its stream as the program's main form is. Last, because the
// application ends.
TEST_F(OneInstanceTest, ZAFormWithTheGuardEndsASecondCopyOnceRead) {
  RegisterClass(TsycOneInstance::StaticClass());
  OtherCopy other(title_ + ".OneInstance.Default");
  // The earlier copy's application window, minimised.
  HWND previous = CreateWindowExA(0, Application->ClassName().c_str(), title_.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0, 100, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  ShowWindow(previous, SW_MINIMIZE);
  TsycOneInstance guard(nullptr);
  syscomp_tests::MessageBoxCloser closer(title_);
  syscomp_tests::ReadFormText(
      "object OneInstance1: TsycOneInstance\r\n"
      "  ShowMessage = True\r\n"
      "end\r\n",
      &guard);
  ASSERT_EQ(closer.Count(), 1u);
  EXPECT_EQ(closer.Texts()[0], "Application \"" + title_ + "\" is already running.");
  EXPECT_FALSE(IsIconic(previous)) << "the earlier copy is brought back";
  EXPECT_FALSE(Application->GetShowMainForm());
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
  DestroyWindow(previous);
}

}  // namespace
