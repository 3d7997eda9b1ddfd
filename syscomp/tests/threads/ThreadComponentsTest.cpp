#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycClasses.h"
#include "syscomp/sycThreadComponents.h"
#include "syscomp/tests/FormReading.h"
#include "syscomp/tests/MessageBoxes.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

TEST(ThreadComponentTest, RunsItsHandlerOnceInAWorkerWhenResumed) {
  TsycThreadComponent component(nullptr);
  std::atomic<int> runs{0};
  std::atomic<DWORD> thread{0};
  TObject* terminatedSender = nullptr;
  DWORD terminatedOn = 0;
  component.OnExecute = TNotifyEvent::FromFunction([&](TObject* Sender) {
    EXPECT_EQ(Sender, &component);
    thread = GetCurrentThreadId();
    ++runs;
  });
  component.SetOnTerminate(TNotifyEvent::FromFunction([&](TObject* Sender) {
    terminatedSender = Sender;
    terminatedOn = GetCurrentThreadId();
  }));
  EXPECT_TRUE(component.GetSuspended());
  PumpFor(100);
  EXPECT_EQ(runs, 0) << "suspended by default";
  component.SetSuspended(false);
  EXPECT_TRUE(PumpUntil([&] { return terminatedSender != nullptr; }));
  EXPECT_EQ(runs, 1);
  EXPECT_NE(thread, MainThreadID);
  EXPECT_EQ(terminatedSender, component.GetThread());
  EXPECT_EQ(terminatedOn, MainThreadID);
}

TEST(ThreadComponentTest, ASynchronizedHandlerRunsOnTheMainThread) {
  TsycThreadComponent component(nullptr);
  std::atomic<DWORD> thread{0};
  component.OnExecute = TNotifyEvent::FromFunction([&](TObject*) { thread = GetCurrentThreadId(); });
  component.SetSynchronized(true);
  EXPECT_TRUE(component.GetSynchronized());
  component.Execute();
  EXPECT_TRUE(PumpUntil([&] { return thread != 0; }));
  EXPECT_EQ(thread, MainThreadID);
}

TEST(ThreadComponentTest, ExecuteCutsARunningWorkerOffAndStartsAFreshOne) {
  auto component = std::make_unique<TsycThreadComponent>(nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> started{0};
  std::atomic<int> finished{0};
  int terminations = 0;
  component->OnExecute = TNotifyEvent::FromFunction([&](TObject*) {
    if (++started == 1) WaitForSingleObject(release, 5000);  // the first run hangs
    ++finished;
  });
  component->SetOnTerminate(TNotifyEvent::FromFunction([&](TObject*) { ++terminations; }));
  component->Execute();
  ASSERT_TRUE(PumpUntil([&] { return started == 1; }));
  TsycEventThread* first = component->GetThread();
  component->Execute();
  EXPECT_NE(component->GetThread(), first);
  EXPECT_TRUE(PumpUntil([&] { return started == 2 && finished == 1; })) << "the fresh worker runs at once";
  EXPECT_TRUE(PumpUntil([&] { return terminations == 1; }));
  SetEvent(release);
  EXPECT_TRUE(PumpUntil([&] { return finished == 2; }));
  PumpFor(200);
  EXPECT_EQ(terminations, 1) << "the cut-off worker reports nothing";
  component.reset();
  CloseHandle(release);
}

TEST(ThreadComponentTest, DestroyingWaitsForAHandlerStillRunning) {
  std::atomic<bool> done{false};
  std::atomic<bool> running{false};
  {
    TsycThreadComponent component(nullptr);
    component.OnExecute = TNotifyEvent::FromFunction([&](TObject*) {
      running = true;
      Sleep(300);
      done = true;
    });
    component.Execute();
    ASSERT_TRUE(PumpUntil([&] { return running.load(); }));
    component.Execute();  // the first one is cut off; the second starts
  }
  EXPECT_TRUE(done);
}

TEST(ThreadComponentTest, ExceptionsGoToOnException) {
  TsycThreadComponent component(nullptr);
  component.SetName("Worker1");
  std::atomic<bool> seen{false};
  AnsiString message;
  AnsiString className;
  component.OnExecute = TNotifyEvent::FromFunction([](TObject*) { throw EConvertError("bad value"); });
  component.OnException = TNotifyEvent::FromFunction([&](TObject* Sender) {
    auto* e = dynamic_cast<Exception*>(Sender);
    ASSERT_NE(e, nullptr);
    message = e->Message;
    className = e->ClassName();
    seen = true;
  });
  component.Execute();
  ASSERT_TRUE(PumpUntil([&] { return seen.load(); }));
  EXPECT_EQ(message, "bad value");
  EXPECT_EQ(className, "EConvertError");
}

TEST(ThreadComponentTest, AnExceptionWithoutOnExceptionIsShownOnceAndTheWorkerEndsNormally) {
  syscomp_tests::MessageBoxCloser closer(Application->GetTitle());
  TsycThreadComponent component(nullptr);
  component.SetName("Worker1");
  bool terminated = false;
  component.OnExecute = TNotifyEvent::FromFunction([](TObject*) { throw EConvertError("bad value"); });
  component.SetOnTerminate(TNotifyEvent::FromFunction([&](TObject*) { terminated = true; }));
  component.Execute();
  ASSERT_TRUE(PumpUntil([&] { return terminated; }));
  ASSERT_EQ(closer.Count(), 1u);
  EXPECT_EQ(closer.Texts()[0], "Thread Worker1 raised exception class EConvertError with message \"bad value\".");
  EXPECT_EQ(closer.Owners()[0], Application->GetHandle());
}

TEST(ThreadComponentTest, ThreadPropertiesAreTheWorkers) {
  TsycThreadComponent component(nullptr);
  component.SetPriority(tpLower);
  EXPECT_EQ(component.GetThread()->GetPriority(), tpLower);
  EXPECT_EQ(component.GetPriority(), tpLower);
  component.SetReturnValue(7);
  EXPECT_EQ(component.GetThread()->GetReturnValue(), 7);
  component.OnExecute = TNotifyEvent::FromFunction([&](TObject*) { component.SetReturnValue(42); });
  component.Execute();
  TsycEventThread* worker = component.GetThread();
  EXPECT_EQ(worker->GetPriority(), tpLower) << "a fresh worker keeps the priority";
  EXPECT_EQ(worker->WaitFor(), 42u);
  EXPECT_EQ(component.GetReturnValue(), 42);
}

TEST(ThreadComponentTest, SynchronizeWithParamRunsOnTheMainThreadWithItsArgument) {
  TsycThreadComponent component(nullptr);
  int value = 0;
  std::atomic<DWORD> thread{0};
  std::atomic<bool> done{false};
  int one = 1;
  component.OnExecute = TNotifyEvent::FromFunction([&](TObject*) {
    component.SynchronizeWithParam(TsycParamMethod::FromFunction([&](void* Param) {
                                     thread = GetCurrentThreadId();
                                     value = *static_cast<int*>(Param);
                                     // A call made while one is running is dropped.
                                     int other = 2;
                                     component.SynchronizeWithParam(
                                         TsycParamMethod::FromFunction([&](void* P) { value = *static_cast<int*>(P); }),
                                         &other);
                                   }),
                                   &one);
    done = true;
  });
  component.Execute();
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  EXPECT_EQ(value, 1);
  EXPECT_EQ(thread, MainThreadID);
}

// A form that holds a thread component, as a program's window would.
class TWorkerForm : public TComponent {
  CLASS_INFO(TWorkerForm, TComponent)
public:
  using TComponent::TComponent;
  void WorkerExecute(TObject*) {
    Thread = GetCurrentThreadId();
    ++Runs;
  }
  std::atomic<DWORD> Thread{0};
  std::atomic<int> Runs{0};
};

}  // namespace

PUBLISHED(TWorkerForm) { Method("WorkerExecute", &TWorkerForm::WorkerExecute); }

namespace {

TEST(ThreadComponentTest, AComponentReadFromAFormStartsOnceTheFormIsRead) {
  RegisterClass(TsycThreadComponent::StaticClass());
  TWorkerForm form(nullptr);
  syscomp_tests::ReadFormText(
      "object WorkerForm: TWorkerForm\r\n"
      "  object Worker: TsycThreadComponent\r\n"
      "    Priority = tpLower\r\n"
      "    Suspended = False\r\n"
      "    Synchronized = True\r\n"
      "    OnExecute = WorkerExecute\r\n"
      "  end\r\n"
      "end\r\n",
      &form);
  auto* worker = static_cast<TsycThreadComponent*>(form.FindComponent("Worker"));
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(worker->GetThread()->GetPriority(), tpLower);
  EXPECT_TRUE(worker->GetThread()->Synchronized);
  EXPECT_TRUE(PumpUntil([&] { return form.Runs > 0; }));
  PumpFor(100);
  EXPECT_EQ(form.Runs, 1);
  EXPECT_EQ(form.Thread, MainThreadID) << "Synchronized, read with the form, holds";
}

TEST(ThreadTimerTest, TicksOnlyWhileEnabled) {
  TsycThreadTimer timer(nullptr);
  std::atomic<int> ticks{0};
  timer.OnExecute = TNotifyEvent::FromFunction([&](TObject*) { ++ticks; });
  EXPECT_FALSE(timer.GetEnabled());
  EXPECT_EQ(timer.GetInterval(), 1000u);
  timer.SetInterval(50);
  PumpFor(200);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.GetEnabled());
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 30000));
  timer.SetEnabled(false);
  PumpFor(100);
  const int stopped = ticks;
  PumpFor(300);
  EXPECT_EQ(ticks, stopped);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks > stopped; }, 30000));
}

TEST(ThreadTimerTest, ANewIntervalRestartsTheWait) {
  TsycThreadTimer timer(nullptr);
  std::atomic<int> ticks{0};
  timer.OnExecute = TNotifyEvent::FromFunction([&](TObject*) { ++ticks; });
  timer.SetInterval(400);
  timer.SetEnabled(true);
  // Changing the interval every 100 ms keeps the timer from ever completing a wait.
  for (int i = 0; i < 8; ++i) {
    timer.SetInterval(i % 2 ? 400 : 300);
    PumpFor(100);
  }
  EXPECT_EQ(ticks, 0);
  PumpFor(700);
  EXPECT_GE(ticks, 1);
}

TEST(ThreadTimerTest, SynchronizedTicksRunOnTheMainThread) {
  TsycThreadTimer timer(nullptr);
  std::atomic<int> offMain{0};
  std::atomic<int> ticks{0};
  timer.SetSynchronized(true);
  timer.SetInterval(20);
  timer.OnExecute = TNotifyEvent::FromFunction([&](TObject*) {
    if (GetCurrentThreadId() != MainThreadID) ++offMain;
    ++ticks;
  });
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(offMain, 0);
}

}  // namespace
