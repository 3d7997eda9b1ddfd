#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "controls/visclass.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

std::string Join(const std::vector<std::string>& items) {
  std::string s;
  for (const std::string& i : items) s += (s.empty() ? "" : " ") + i;
  return s;
}

TEST(VisTimerPool, ItemsFireAtTheirFactors) {
  TVisTimerPool pool(nullptr, 50);
  std::vector<std::string> fired;
  pool.OnTimer = TVisTimerPoolEvent::FromFunction([&](TObject* sender, Word ident, Integer count) {
    EXPECT_EQ(sender, &pool);
    fired.push_back(IntToStr(ident) + "." + IntToStr(count));
    if (ident == 2 && count == 8) pool.Update(false);
  });
  pool.Add(1, 200, nullptr);
  pool.Add(2, 50, nullptr);
  EXPECT_TRUE(pool.GetActive());
  EXPECT_EQ(pool.ItemByIdent(1)->GetFactor(), 4);
  EXPECT_EQ(pool.ItemByIdent(2)->GetFactor(), 1);
  ASSERT_TRUE(PumpUntil([&] { return !pool.GetActive(); }, 30000));
  // The 200 ms item fires on every fourth tick of the 50 ms pool, before the other one (list
  // order).
  EXPECT_EQ(Join(fired), "2.1 2.2 2.3 1.1 2.4 2.5 2.6 2.7 1.2 2.8");
}

TEST(VisTimerPool, AddRefusesBadIntervalsAndIdentifiersInUse) {
  TVisTimerPool pool(nullptr, 50);
  const struct {
    Word ident;
    Word interval;
    const char* message;
  } cases[] = {
      {1, 120, "Interval not compatible with MinInterval property!"},
      {1, 25, "Interval not compatible with MinInterval property!"},
      {1, 0, "Interval not compatible with MinInterval property!"},
      {7, 100, "List index out of bounds (%d)"},
  };
  pool.Add(7, 100, nullptr);
  for (const auto& c : cases) {
    try {
      pool.Add(c.ident, c.interval, nullptr);
      ADD_FAILURE() << c.interval << " was taken";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, c.message) << c.interval;
    }
  }
  EXPECT_EQ(pool.GetCount(), 1);
  pool.Remove(7);
  EXPECT_FALSE(pool.GetActive());
  EXPECT_EQ(pool.GetCount(), 0);
}

TEST(VisTimerPool, ItemSettings) {
  TVisTimerPool pool(nullptr, 50);
  pool.Add(1, 1000, nullptr);
  TVisTimerItem* item = pool.ItemByIdent(1);
  EXPECT_EQ(item->GetFactor(), 20);
  item->Count = 5;
  item->SetInterval(120);  // not a multiple: ignored
  EXPECT_EQ(item->GetInterval(), 1000);
  EXPECT_EQ(item->Count, 5);
  item->SetInterval(100);
  EXPECT_EQ(item->GetFactor(), 2);
  EXPECT_EQ(item->Count, 0);

  item->MaxCount = 0;
  item->SetEnabled(false);
  item->SetEnabled(true);  // with MaxCount 0 enabling is ignored
  EXPECT_FALSE(item->GetEnabled());
  EXPECT_EQ(pool.EnabledCount(), 0);

  TList list;
  try {
    TVisTimerItem orphan(nullptr, 3, &list);
    ADD_FAILURE();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message, "TVisTimerItem: Invalid Owner or List");
  }
  // MinInterval is fixed once the pool is made in code.
  pool.SetMinInterval(10);
  EXPECT_EQ(pool.GetMinInterval(), 50);
}

TEST(VisTimerPool, MaxCountEndsAnItem) {
  TVisTimerPool pool(nullptr, 50);
  std::vector<Integer> counts;
  pool.Add(1, 50, TNotifyEvent::FromFunction([&](TObject* sender) {
    EXPECT_EQ(sender, &pool);
    counts.push_back(pool.ItemByIdent(1)->Count);
  }));
  pool.ItemByIdent(1)->MaxCount = 3;
  PumpUntil([&] { return !pool.ItemByIdent(1)->GetEnabled(); }, 30000);
  PumpFor(200);
  EXPECT_EQ(counts, (std::vector<Integer>{1, 2, 3}));
  EXPECT_EQ(pool.ItemByIdent(1)->Count, 3);
}

TEST(VisTimerPool, HandlersThatPumpOrRemoveAreSafe) {
  TVisTimerPool pool(nullptr, 50);
  int depth = 0, deepest = 0, calls = 0;
  pool.Add(1, 50, TNotifyEvent::FromFunction([&](TObject*) {
    ++calls;
    deepest = std::max(deepest, ++depth);
    if (calls == 1) PumpFor(300);  // ticks come meanwhile, but no nested one runs
    --depth;
  }));
  int removed = 0;
  pool.Add(2, 50, TNotifyEvent::FromFunction([&](TObject*) {
    ++removed;
    pool.Remove(2);
  }));
  PumpUntil([&] { return calls >= 3; }, 30000);
  pool.Update(false);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(removed, 1);
  EXPECT_EQ(pool.IndexOf(2), -1);
}

TEST(VisApplication, TimerSlots) {
  const Word a = VisApplication->AddTimer(100, nullptr);
  const Word b = VisApplication->AddTimer(200, nullptr);
  EXPECT_EQ(a, 0xFD01);
  EXPECT_EQ(b, 0xFD02);
  EXPECT_EQ(VisApplication->GetTimer(b)->GetInterval(), 200);
  // A refused interval takes no slot.
  EXPECT_EQ(VisApplication->AddTimer(120, nullptr), 0);
  VisApplication->RemoveTimer(a);
  EXPECT_EQ(VisApplication->GetTimer(a), nullptr);
  EXPECT_EQ(VisApplication->AddTimer(50, nullptr), 0xFD01);
  EXPECT_EQ(VisApplication->AddTimer(50, nullptr), 0xFD03);
  VisApplication->RemoveTimer(5);  // not one of the slots: ignored
  VisApplication->RemoveTimer(0xFD00);
  for (Word ident : {Word(0xFD01), Word(0xFD02), Word(0xFD03)}) VisApplication->RemoveTimer(ident);
  EXPECT_EQ(VisApplication->TimerPool->GetCount(), 0);
  EXPECT_FALSE(VisApplication->TimerPool->GetActive());
}

TEST(VisApplication, TimersFireThroughTheApplicationPool) {
  int fired = 0;
  const Word ident = VisApplication->AddTimer(100, TNotifyEvent::FromFunction([&](TObject*) { ++fired; }));
  ASSERT_NE(ident, 0);
  EXPECT_TRUE(PumpUntil([&] { return fired >= 3; }, 30000));
  VisApplication->RemoveTimer(ident);
}

}  // namespace
