#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <vector>

#include "classlib/Threads.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpUntil;

// A thread whose work is a function given by the test. It starts only when its constructor has
// finished, as threads with members of their own must.
class TTestThread : public TThread {
  CLASS_INFO(TTestThread, TThread)
public:
  using Body = std::function<void(TTestThread&)>;
  TTestThread(bool CreateSuspended, Body body, std::atomic<bool>* destroyed = nullptr)
      : TThread(true), body_(std::move(body)), destroyed_(destroyed) {
    if (!CreateSuspended) Resume();
  }
  // Execute uses body_, so the thread has to be stopped before the members go; a thread that
  // frees itself has finished already.
  ~TTestThread() override {
    if (GetCurrentThreadId() != GetThreadID()) {
      Terminate();
      while (GetSuspended()) Resume();
      WaitFor();
    }
    if (destroyed_) *destroyed_ = true;
  }

  bool Stopping() const { return GetTerminated(); }
  void SetResult(Integer value) { ReturnValue = value; }
  void RunOnMain(std::function<void()> f) { Synchronize(TThreadMethod::FromFunction(std::move(f))); }

protected:
  void Execute() override { body_(*this); }

private:
  Body body_;
  std::atomic<bool>* destroyed_;
};

class ETestError : public Exception {
  CLASS_INFO(ETestError, Exception)
public:
  using Exception::Exception;
};

bool Ended(TThread& t) { return WaitForSingleObject(t.GetHandle(), 0) == WAIT_OBJECT_0; }

TEST(Thread, CreatedSuspendedRunsOnlyAfterResumeAndWaitForGivesTheReturnValue) {
  std::atomic<bool> ran{false};
  TTestThread t(true, [&](TTestThread& self) {
    ran = true;
    self.SetResult(42);
  });
  EXPECT_TRUE(t.GetSuspended());
  EXPECT_NE(t.GetThreadID(), 0u);
  Sleep(50);
  EXPECT_FALSE(ran);
  t.Resume();
  EXPECT_FALSE(t.GetSuspended());
  EXPECT_EQ(t.WaitFor(), 42u);
  EXPECT_TRUE(ran);
  EXPECT_EQ(t.GetFatalException(), nullptr);
}

TEST(Thread, TerminateIsSeenByExecuteAndDestroyingStopsARunningThread) {
  std::atomic<bool> looping{false}, left{false};
  auto* t = new TTestThread(false, [&](TTestThread& self) {
    looping = true;
    while (!self.Stopping()) Sleep(1);
    left = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return looping.load(); }));
  EXPECT_FALSE(t->GetTerminated());
  delete t;
  EXPECT_TRUE(left);
}

TEST(Thread, DestroyingANeverStartedThreadSkipsExecute) {
  std::atomic<bool> ran{false};
  delete new TTestThread(true, [&](TTestThread&) { ran = true; });
  EXPECT_FALSE(ran);
}

TEST(Thread, AnExceptionEndingExecuteIsKeptAsFatalException) {
  struct Case {
    const char* name;
    std::function<void()> raise;
    const char* message;
  };
  const Case cases[] = {
      {"class library", [] { throw ETestError("broken"); }, "broken"},
      {"standard", [] { throw std::runtime_error("std broken"); }, "std broken"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestThread t(false, [&](TTestThread& self) {
      self.SetResult(7);
      c.raise();
    });
    EXPECT_EQ(t.WaitFor(), 7u);
    auto* e = dynamic_cast<Exception*>(t.GetFatalException());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Message, c.message);
  }
  TTestThread t(false, [](TTestThread&) { throw ETestError("typed"); });
  t.WaitFor();
  EXPECT_NE(dynamic_cast<ETestError*>(t.GetFatalException()), nullptr);
}

TEST(Thread, PriorityReadsBackEveryLevel) {
  TTestThread t(true, [](TTestThread&) {});
  EXPECT_EQ(t.GetPriority(), tpNormal);
  for (TThreadPriority p : {tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical}) {
    t.SetPriority(p);
    EXPECT_EQ(t.GetPriority(), p);
  }
}

TEST(Thread, SuspendStopsTheThreadAtOnceAndResumeLetsItGoOn) {
  std::atomic<long> counter{0};
  TTestThread t(false, [&](TTestThread& self) {
    while (!self.Stopping()) counter.fetch_add(1);
  });
  ASSERT_TRUE(PumpUntil([&] { return counter > 0; }));
  t.Suspend();
  EXPECT_TRUE(t.GetSuspended());
  const long stopped = counter;
  Sleep(50);
  EXPECT_EQ(counter, stopped);
  // Suspended twice needs two resumes.
  t.SetSuspended(true);
  t.Suspend();
  t.Resume();
  EXPECT_TRUE(t.GetSuspended());
  Sleep(20);
  EXPECT_EQ(counter, stopped);
  t.SetSuspended(false);
  EXPECT_FALSE(t.GetSuspended());
  EXPECT_TRUE(PumpUntil([&] { return counter > stopped; }));
  // Destroying a suspended thread resumes it so that it can end.
  t.Suspend();
}

TEST(Thread, OnTerminateRunsOnTheMainThreadAndFreeOnTerminateDeletesTheObject) {
  std::atomic<bool> destroyed{false};
  DWORD handlerThread = 0;
  TObject* sender = nullptr;
  auto* t = new TTestThread(true, [](TTestThread&) {}, &destroyed);
  t->FreeOnTerminate = true;
  t->OnTerminate = TNotifyEvent::FromFunction([&](TObject* s) {
    handlerThread = GetCurrentThreadId();
    sender = s;
    EXPECT_FALSE(destroyed);
  });
  t->Resume();
  ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(handlerThread, MainThreadID);
  EXPECT_EQ(sender, t);
}

TEST(Thread, WaitForOnTheMainThreadServesOnTerminate) {
  DWORD handlerThread = 0;
  TTestThread t(true, [](TTestThread&) {});
  t.OnTerminate = TNotifyEvent::FromFunction([&](TObject*) { handlerThread = GetCurrentThreadId(); });
  t.Resume();
  t.WaitFor();
  EXPECT_EQ(handlerThread, MainThreadID);
}

TEST(Synchronize, RunsOnTheMainThreadAndRaisesItsExceptionInTheWorker) {
  std::vector<DWORD> ranOn;
  AnsiString caught;
  DWORD caughtOn = 0;
  bool typed = false;
  TTestThread t(false, [&](TTestThread& self) {
    self.RunOnMain([&] { ranOn.push_back(GetCurrentThreadId()); });
    try {
      self.RunOnMain([] { throw ETestError("from the main thread"); });
    } catch (const Exception& e) {
      caught = e.Message;
      caughtOn = GetCurrentThreadId();
      typed = dynamic_cast<const ETestError*>(&e) != nullptr;
    }
    self.RunOnMain([&] { ranOn.push_back(GetCurrentThreadId()); });
  });
  ASSERT_TRUE(PumpUntil([&] { return Ended(t); }));
  EXPECT_EQ(ranOn, (std::vector<DWORD>{MainThreadID, MainThreadID}));
  EXPECT_EQ(caught, "from the main thread");
  EXPECT_EQ(caughtOn, t.GetThreadID());
  EXPECT_TRUE(typed);
  EXPECT_EQ(t.GetFatalException(), nullptr);
}

TEST(Synchronize, OnTheMainThreadRunsTheMethodDirectly) {
  bool ran = false;
  TThread::Synchronize(nullptr, TThreadMethod::FromFunction([&] { ran = true; }));
  EXPECT_TRUE(ran);
}

TEST(Synchronize, CheckSynchronizeServesWaitingWorkersAndRefusesOtherThreads) {
  std::atomic<bool> refused{false};
  AnsiString message;
  int served = 0;
  TTestThread t(false, [&](TTestThread& self) {
    try {
      CheckSynchronize();
    } catch (const EThread& e) {
      refused = true;
      message = e.Message;
    }
    self.RunOnMain([&] { ++served; });
  });
  // Served without a message loop: CheckSynchronize waits for the request to arrive.
  for (int i = 0; i < 500 && served == 0; ++i) CheckSynchronize(10);
  EXPECT_EQ(served, 1);
  t.WaitFor();
  EXPECT_TRUE(refused);
  EXPECT_EQ(message.rfind("CheckSynchronize called from thread $", 0), 0u) << message;
  EXPECT_NE(message.find("which is NOT the main thread"), AnsiString::npos);
}

// Synchronize must be served while the main thread sits in a modal loop that is not ours. Each
// case starts a modal loop; a thread timer ends it once the worker has finished (or after ten
// seconds, so that a failure cannot hang the run).
struct ModalLoop {
  const char* name;
  // Starts the modal loop and returns when it has ended.
  void (*run)();
  // Whether the modal loop's window is up (looked at from the synchronized method).
  bool (*active)();
  // Ends the modal loop.
  void (*close)();
};

const char kBoxTitle[] = "Pelorin synchronize test";
HWND g_dialog = nullptr;
HWND g_menuOwner = nullptr;
bool g_menuOpen = false;
std::function<bool()> g_closeWhen;
const ModalLoop* g_loop = nullptr;
DWORD g_deadline = 0;

void CALLBACK ClosingTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!g_closeWhen() && GetTickCount() < g_deadline) return;
  KillTimer(nullptr, id);
  g_loop->close();
}

void RunMessageBox() { MessageBoxA(nullptr, "Waiting for a worker", kBoxTitle, MB_OK); }
bool MessageBoxUp() { return FindWindowA(nullptr, kBoxTitle) != nullptr; }
void CloseMessageBox() { PostMessageA(FindWindowA(nullptr, kBoxTitle), WM_COMMAND, IDOK, 0); }

INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) {
    g_dialog = wnd;
    return TRUE;
  }
  return FALSE;
}
void RunDialog() {
  // An empty dialog: the template header followed by no menu, the default class and no title.
  alignas(DWORD) WORD buffer[64] = {};
  auto* tmpl = reinterpret_cast<DLGTEMPLATE*>(buffer);
  tmpl->style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME;
  tmpl->cx = 100;
  tmpl->cy = 50;
  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), tmpl, nullptr, &DialogProc, 0);
  g_dialog = nullptr;
}
bool DialogUp() { return g_dialog != nullptr; }
void CloseDialog() { EndDialog(g_dialog, IDOK); }

LRESULT CALLBACK MenuOwnerProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ENTERMENULOOP) g_menuOpen = true;
  if (msg == WM_EXITMENULOOP) g_menuOpen = false;
  return DefWindowProcA(wnd, msg, w, l);
}
void RunMenu() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &MenuOwnerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PelorinMenuOwner";
  RegisterClassA(&wc);
  g_menuOwner = CreateWindowExA(0, wc.lpszClassName, "menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(g_menuOwner);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Item");
  TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, g_menuOwner, nullptr);
  DestroyMenu(menu);
  DestroyWindow(g_menuOwner);
  g_menuOwner = nullptr;
}
bool MenuUp() { return g_menuOpen; }
void CloseMenu() { EndMenu(); }

const ModalLoop kModalLoops[] = {
    {"MessageBoxA", &RunMessageBox, &MessageBoxUp, &CloseMessageBox},
    {"DialogBoxIndirectParamA", &RunDialog, &DialogUp, &CloseDialog},
    {"TrackPopupMenu", &RunMenu, &MenuUp, &CloseMenu},
};

TEST(Synchronize, IsServedWhileTheMainThreadRunsAModalLoop) {
  for (const ModalLoop& loop : kModalLoops) {
    SCOPED_TRACE(loop.name);
    int calls = 0, callsInModal = 0;
    TTestThread worker(true, [&](TTestThread& self) {
      for (int i = 0; i < 3; ++i)
        self.RunOnMain([&] {
          ++calls;
          if (GetCurrentThreadId() == MainThreadID && loop.active()) ++callsInModal;
        });
    });
    g_loop = &loop;
    g_closeWhen = [&] { return Ended(worker); };
    g_deadline = GetTickCount() + 10000;
    SetTimer(nullptr, 0, 20, &ClosingTimer);
    worker.Resume();
    loop.run();
    EXPECT_TRUE(Ended(worker));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(callsInModal, 3);
  }
}

}  // namespace
