#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "classlib/SyncObjs.h"

namespace {

TEST(Event, ManualResetStaysSignalledAutoResetReleasesOnce) {
  struct Case {
    bool manual;
    bool initial;
    TWaitResult first, second;
  };
  const Case cases[] = {
      {true, false, wrTimeout, wrTimeout},
      {true, true, wrSignaled, wrSignaled},
      {false, false, wrTimeout, wrTimeout},
      {false, true, wrSignaled, wrTimeout},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "manual " << c.manual << ", initial " << c.initial);
    TEvent event(nullptr, c.manual, c.initial, "");
    EXPECT_EQ(event.WaitFor(0), c.first);
    EXPECT_EQ(event.WaitFor(0), c.second);
    event.SetEvent();
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), c.manual ? wrSignaled : wrTimeout);
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(10), wrTimeout);
  }
}

TEST(Event, SignalFromAnotherThreadWakesTheWaiter) {
  TSimpleEvent event;
  std::thread signaller([&] {
    Sleep(20);
    event.SetEvent();
  });
  EXPECT_EQ(event.WaitFor(5000), wrSignaled);
  signaller.join();
}

TEST(Event, NamedEventsShareOneObject) {
  const AnsiString name = "PelorinTestEvent" + std::to_string(GetCurrentProcessId());
  TEvent a(nullptr, true, false, name);
  TEvent b(nullptr, true, false, name);
  a.SetEvent();
  EXPECT_EQ(b.WaitFor(0), wrSignaled);
  b.ResetEvent();
  EXPECT_EQ(a.WaitFor(0), wrTimeout);
}

TEST(Event, ANameTakenByAnotherKindOfObjectIsAnError) {
  const AnsiString name = "PelorinTestMutex" + std::to_string(GetCurrentProcessId());
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  ASSERT_TRUE(mutex);
  EXPECT_THROW(TEvent(nullptr, true, false, name), ESyncObjectException);
  CloseHandle(mutex);
}

TEST(CriticalSection, OneThreadAtATimeAndReentrantForTheOwner) {
  TCriticalSection lock;
  lock.Enter();
  EXPECT_TRUE(lock.TryEnter());  // the owner may enter again
  lock.Leave();
  bool otherGotIn = true;
  std::thread([&] { otherGotIn = lock.TryEnter(); }).join();
  EXPECT_FALSE(otherGotIn);
  lock.Leave();
  std::thread([&] {
    otherGotIn = lock.TryEnter();
    if (otherGotIn) lock.Leave();
  }).join();
  EXPECT_TRUE(otherGotIn);

  // Counting under the lock from several threads loses nothing.
  int counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        lock.Acquire();
        ++counter;
        lock.Release();
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 40000);
}

}  // namespace
