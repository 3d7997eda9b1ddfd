#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "classlib/Lists.h"

namespace {

// The items of a list as numbers, with nil as 0.
std::vector<int> Numbers(const TList& list) {
  std::vector<int> v;
  for (Integer i = 0; i < list.GetCount(); ++i)
    v.push_back(static_cast<int>(reinterpret_cast<std::intptr_t>(list[i])));
  return v;
}

void* P(std::intptr_t n) { return reinterpret_cast<void*>(n); }

// Tells what the list reports about its items.
class TRecordingList : public TList {
  CLASS_INFO(TRecordingList, TList)
public:
  std::vector<std::pair<int, TListNotification>> events;

protected:
  void Notify(void* Ptr, TListNotification Action) override {
    events.emplace_back(static_cast<int>(reinterpret_cast<std::intptr_t>(Ptr)), Action);
  }
};

TEST(List, EditsKeepOrder) {
  TList list;
  for (int i = 1; i <= 5; ++i) list.Add(P(i));
  list.Insert(0, P(9));
  list.Delete(3);
  EXPECT_EQ(Numbers(list), (std::vector<int>{9, 1, 2, 4, 5}));
  list.Exchange(0, 4);
  EXPECT_EQ(Numbers(list), (std::vector<int>{5, 1, 2, 4, 9}));
  list.Move(0, 3);
  EXPECT_EQ(Numbers(list), (std::vector<int>{1, 2, 4, 5, 9}));
  list.Move(4, 1);
  EXPECT_EQ(Numbers(list), (std::vector<int>{1, 9, 2, 4, 5}));
  EXPECT_EQ(list.IndexOf(P(4)), 3);
  EXPECT_EQ(list.IndexOf(P(7)), -1);
  EXPECT_EQ(list.Remove(P(9)), 1);
  EXPECT_EQ(list.Remove(P(9)), -1);
  EXPECT_EQ(list.First(), P(1));
  EXPECT_EQ(list.Last(), P(5));
  list.SetItems(0, nullptr);
  list.Add(nullptr);
  list.Pack();
  EXPECT_EQ(Numbers(list), (std::vector<int>{2, 4, 5}));
  list.SetCount(5);
  EXPECT_EQ(Numbers(list), (std::vector<int>{2, 4, 5, 0, 0}));
  list.SetCount(1);
  EXPECT_EQ(Numbers(list), (std::vector<int>{2}));
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCapacity(), 0);
}

TEST(List, CapacityGrowsInSteps) {
  TList list;
  std::vector<int> capacities;
  for (int i = 0; i < 100; ++i) {
    list.Add(nullptr);
    if (capacities.empty() || capacities.back() != list.GetCapacity()) capacities.push_back(list.GetCapacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  list.SetCapacity(100);
  EXPECT_EQ(list.Expand(), &list);
  EXPECT_EQ(list.GetCapacity(), 125);
}

TEST(List, ErrorsNameTheBadValue) {
  TList list;
  list.Add(P(1));
  const std::pair<std::function<void()>, AnsiString> cases[] = {
      {[&] { list.GetItems(1); }, "List index out of bounds (1)"},
      {[&] { list.SetItems(-1, nullptr); }, "List index out of bounds (-1)"},
      {[&] { list.Delete(1); }, "List index out of bounds (1)"},
      {[&] { list.Insert(2, nullptr); }, "List index out of bounds (2)"},
      {[&] { list.Exchange(0, 3); }, "List index out of bounds (3)"},
      {[&] { list.Move(0, 1); }, "List index out of bounds (1)"},
      {[&] { list.First(); list.Delete(0); list.Last(); }, "List index out of bounds (-1)"},
      {[&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
      {[&] { list.Add(P(1)); list.SetCapacity(0); }, "List capacity out of bounds (0)"},
  };
  for (const auto& [action, message] : cases) {
    try {
      action();
      ADD_FAILURE() << message;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message, message);
    }
  }
}

TEST(List, NotifiesAddedDeletedAndExtractedItems) {
  using E = std::pair<int, TListNotification>;
  auto* list = new TRecordingList;
  list->Add(P(1));
  list->Add(nullptr);  // nil entries are not reported
  list->Insert(0, P(2));
  list->SetItems(0, P(3));
  list->Move(0, 2);
  list->Exchange(0, 1);
  EXPECT_EQ(list->Extract(P(1)), P(1));
  EXPECT_EQ(list->Extract(P(7)), nullptr);
  list->Add(P(4));
  list->Remove(P(3));
  EXPECT_EQ(list->events, (std::vector<E>{{1, lnAdded}, {2, lnAdded}, {2, lnDeleted}, {3, lnAdded}, {1, lnExtracted},
                                         {4, lnAdded}, {3, lnDeleted}}));
  list->events.clear();
  list->Clear();
  EXPECT_EQ(list->events, (std::vector<E>{{4, lnDeleted}}));
  delete list;
}

Integer CompareNumbers(void* a, void* b) {
  return static_cast<Integer>(reinterpret_cast<std::intptr_t>(a) - reinterpret_cast<std::intptr_t>(b));
}

TEST(List, Sorts) {
  TList list;
  for (int n : {5, 3, 9, 1, 3, 7, 2, 8, 0, 6}) list.Add(P(n));
  list.Sort(&CompareNumbers);
  EXPECT_EQ(Numbers(list), (std::vector<int>{0, 1, 2, 3, 3, 5, 6, 7, 8, 9}));
  TList empty;
  empty.Sort(&CompareNumbers);
}

class TCounted : public TObject {
  CLASS_INFO(TCounted, TObject)
public:
  explicit TCounted(int* live) : live_(live) { ++*live_; }
  ~TCounted() override { --*live_; }

private:
  int* live_;
};

class TCountedMore : public TCounted {
  CLASS_INFO(TCountedMore, TCounted)
public:
  using TCounted::TCounted;
};

TEST(ObjectList, OwnsItsObjectsWhileAsked) {
  int live = 0;
  {
    TObjectList list;
    EXPECT_TRUE(list.OwnsObjects);
    for (int i = 0; i < 4; ++i) list.Add(new TCounted(&live));
    list.Add(new TCountedMore(&live));
    EXPECT_EQ(live, 5);
    list.Delete(0);
    EXPECT_EQ(live, 4);
    TObject* kept = list.Extract(list[0]);
    EXPECT_EQ(live, 4);
    delete kept;
    list.SetItems(0, new TCounted(&live));  // the replaced object goes
    EXPECT_EQ(live, 3);
    EXPECT_EQ(list.FindInstanceOf(TCountedMore::StaticClass()), 2);
    EXPECT_EQ(list.FindInstanceOf(TCounted::StaticClass()), 0);
    EXPECT_EQ(list.FindInstanceOf(TCounted::StaticClass(), true, 1), 1);
    EXPECT_EQ(list.FindInstanceOf(TObject::StaticClass(), false, 2), 2);
    EXPECT_EQ(list.FindInstanceOf(TList::StaticClass(), false), -1);
    list.Remove(list.Last());
    EXPECT_EQ(live, 2);
  }
  EXPECT_EQ(live, 0);

  TCounted a(&live), b(&live);
  {
    TObjectList list(false);
    list.Add(&a);
    list.Add(&b);
    list.Delete(0);
  }
  EXPECT_EQ(live, 2);
}

TEST(Bits, GrowWhenSetAndRaiseWhenReadOutside) {
  TBits bits;
  EXPECT_EQ(bits.GetSize(), 0);
  EXPECT_EQ(bits.OpenBit(), 0);
  bits.SetBits(3, true);
  EXPECT_EQ(bits.GetSize(), 4);
  EXPECT_TRUE(bits[3]);
  EXPECT_FALSE(bits[2]);
  for (int i = 0; i < 3; ++i) bits.SetBits(i, true);
  EXPECT_EQ(bits.OpenBit(), 4);
  bits.SetBits(1, false);
  EXPECT_EQ(bits.OpenBit(), 1);
  // Bits cut off and grown back are clear.
  bits.SetSize(2);
  bits.SetSize(70);
  EXPECT_FALSE(bits[3]);
  EXPECT_TRUE(bits[0]);
  for (const auto& action : std::vector<std::function<void()>>{
           [&] { bits.GetBits(70); }, [&] { bits.GetBits(-1); }, [&] { bits.SetBits(-1, true); },
           [&] { bits.SetSize(-1); }}) {
    try {
      action();
      ADD_FAILURE();
    } catch (const EBitsError& e) {
      EXPECT_EQ(e.Message, "Bits index out of range");
    }
  }
}

}  // namespace
