#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/Registry.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycRegistryMonitor.h"
#include "syscomp/tests/MessageBoxes.h"
#include "syscomp/tests/WorkerThreads.h"
#include "tests/support/TestSupport.h"

namespace {

using syscomp_tests::ThreadIds;
using syscomp_tests::ThreadsSince;
using testing_support::PumpFor;
using testing_support::PumpUntil;

const char* const kWatched = "Software\\SycWatched";

class RegistryMonitorTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override { before_ = ThreadIds(); }
  std::size_t Workers() const { return ThreadsSince(before_); }

  std::unique_ptr<TsycRegistryMonitor> NewMonitor(const char* key, const char* name = "") {
    auto monitor = std::make_unique<TsycRegistryMonitor>(nullptr);
    monitor->SetName(name);
    monitor->SetRegistryKey(key);
    monitor->SetOnChange(TThreadMethod::FromFunction([this] {
      if (GetCurrentThreadId() != MainThreadID) onMainThread_ = false;
      ++count_;
      if (throwing_) throw Exception("handler failed");
    }));
    monitor->SetActive(true);
    return monitor;
  }

  // Pumps long enough for late reports, then answers how many came.
  int CountAfter(DWORD ms = 500) {
    PumpFor(ms);
    return count_.exchange(0);
  }

  static void Write(const char* key, const char* name, const char* value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteString(name, value);
  }

  std::atomic<int> count_{0};
  bool onMainThread_ = true;
  bool throwing_ = false;
  std::set<DWORD> before_;
};

TEST_F(RegistryMonitorTest, ReportsValueAndSubkeyChangesOnTheMainThread) {
  Write(kWatched, "Start", "0");
  auto monitor = NewMonitor(kWatched);
  Write(kWatched, "Value", "1");
  EXPECT_TRUE(PumpUntil([&] { return count_ > 0; }));
  CountAfter();
  Write("Software\\SycWatched\\Sub\\Deeper", "Value", "1");
  EXPECT_GE(CountAfter(), 1) << "a change below the key, watched with its subtree";
  Write("Software\\SycOther", "Value", "1");
  EXPECT_EQ(CountAfter(), 0) << "a key beside the watched one";
  EXPECT_TRUE(onMainThread_);
}

TEST_F(RegistryMonitorTest, DeletionAndCreationAreReportedOnceEach) {
  Write(kWatched, "Start", "0");
  auto monitor = NewMonitor(kWatched);
  ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kWatched), ERROR_SUCCESS);
  EXPECT_EQ(CountAfter(), 1) << "deleted";
  Write(kWatched, "Again", "1");
  EXPECT_GE(CountAfter(), 1) << "created again";
  Write(kWatched, "Again", "2");
  EXPECT_EQ(CountAfter(), 1) << "watched again";
}

TEST_F(RegistryMonitorTest, AKeyThatDoesNotExistYetIsReportedWhenCreated) {
  auto monitor = NewMonitor(kWatched);
  Write("Software\\SycOther", "Value", "1");
  EXPECT_EQ(CountAfter(), 0);
  TRegistry reg;
  ASSERT_TRUE(reg.CreateKey(kWatched));
  EXPECT_EQ(CountAfter(), 1);
  Write(kWatched, "Value", "1");
  EXPECT_EQ(CountAfter(), 1);
}

// The handler's failure is shown as the thread component shows one, and the watch goes on.
TEST_F(RegistryMonitorTest, AFailingHandlerIsShownAndDoesNotEndTheWatch) {
  Write(kWatched, "Start", "0");
  auto monitor = NewMonitor(kWatched, "Watcher1");
  EXPECT_TRUE(PumpUntil([&] { return Workers() == 1; }));
  const std::set<DWORD> withWorker = ThreadIds();
  {
    syscomp_tests::MessageBoxCloser closer(Application->GetTitle());
    throwing_ = true;
    Write(kWatched, "Value", "1");
    EXPECT_TRUE(PumpUntil([&] { return closer.Count() >= 1; }));
    EXPECT_GE(CountAfter(), 1);
    throwing_ = false;
    ASSERT_GE(closer.Count(), 1u);
    EXPECT_EQ(closer.Texts()[0], "Thread Watcher1 raised exception class Exception with message \"handler failed\".");
    EXPECT_EQ(closer.Owners()[0], Application->GetHandle());
  }
  Write(kWatched, "Value", "2");
  EXPECT_GE(CountAfter(), 1);
  for (DWORD id : withWorker) EXPECT_TRUE(ThreadIds().count(id)) << "the worker is still there";
}

TEST_F(RegistryMonitorTest, StoppingEndsTheWorkerAtOnceAndNothingIsReportedAfter) {
  Write(kWatched, "Start", "0");
  auto monitor = NewMonitor(kWatched);
  EXPECT_TRUE(PumpUntil([&] { return Workers() == 1; }));
  monitor->SetRootKey(rrkLocalMachine);
  monitor->SetRootKey(rrkCurrentUser);
  monitor->SetRegistryKey("Software\\SycWatched");
  EXPECT_TRUE(PumpUntil([&] { return Workers() == 1; }));
  Write(kWatched, "Value", "1");
  Sleep(300);  // the worker has seen the change and waits for the main thread
  monitor.reset();
  EXPECT_EQ(CountAfter(), 0);
  EXPECT_TRUE(PumpUntil([&] { return Workers() == 0; }, 30000));
}

TEST(RegistryMonitorDefaults, ConstructorValuesAndFilterMask) {
  TsycRegistryMonitor monitor(nullptr);
  EXPECT_FALSE(monitor.GetActive());
  EXPECT_EQ(monitor.GetRootKey(), rrkCurrentUser);
  EXPECT_EQ(monitor.GetRegistryKey(), "");
  EXPECT_TRUE(monitor.GetWatchSubTree());
  EXPECT_EQ(monitor.GetNotifyFilters(), (TsycRegistryMonitorFilters{rmfSubTreeChange, rmfValueChange}));
  EXPECT_EQ(RegistryFilterValue({rmfSubTreeChange, rmfValueChange}), 5u);
  EXPECT_EQ(RegistryFilterValue({rmfAttributeChange, rmfSecurityChange}), 10u);
  EXPECT_EQ(RegRootKeyHandle(rrkLocalMachine), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RegRootKeyHandle(rrkDynData), HKEY_DYN_DATA);
}

}  // namespace
