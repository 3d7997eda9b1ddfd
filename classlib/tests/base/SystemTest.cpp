#include <gtest/gtest.h>

#include "classlib/System.h"
#include "tests/support/TestSupport.h"

namespace {

class TAnimal : public TObject {
  CLASS_INFO(TAnimal, TObject)
public:
  int calls = 0;
  void Speak(TObject*) { ++calls; }
  void Other(TObject*) { ++calls; }
};

class TDog : public TAnimal {
  CLASS_INFO(TDog, TAnimal)
};

TEST(ClassInfo, NamesParentsAndVirtualConstructors) {
  TDog dog;
  EXPECT_EQ(dog.ClassName(), "TDog");
  EXPECT_TRUE(dog.InheritsFrom(TAnimal::StaticClass()));
  EXPECT_TRUE(dog.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(TAnimal().InheritsFrom(TDog::StaticClass()));
  std::unique_ptr<TObject> made(TDog::StaticClass()->Create(nullptr));
  ASSERT_TRUE(made);
  EXPECT_EQ(made->ClassType(), TDog::StaticClass());
}

TEST(Closure, ComparesByObjectAndMethodAndCallsThrough) {
  TAnimal a, b;
  TNotifyEvent e1(&a, &TAnimal::Speak), e2(&a, &TAnimal::Speak), e3(&b, &TAnimal::Speak), e4(&a, &TAnimal::Other);
  EXPECT_TRUE(e1 == e2);
  EXPECT_FALSE(e1 == e3);
  EXPECT_FALSE(e1 == e4);
  EXPECT_EQ(e1.Object(), &a);
  e1(nullptr);
  EXPECT_EQ(a.calls, 1);
  TNotifyEvent empty;
  EXPECT_FALSE(empty);
  EXPECT_TRUE(empty == nullptr);
  empty(nullptr);  // does nothing
  int n = 0;
  auto f = TNotifyEvent::FromFunction([&](TObject*) { ++n; });
  auto g = f;
  EXPECT_TRUE(f == g);
  EXPECT_FALSE(f == TNotifyEvent::FromFunction([&](TObject*) { ++n; }));
  g(nullptr);
  EXPECT_EQ(n, 1);
}

// Two tests in a row: what the first writes must be gone for the second.
TEST(IsolatedRegistry, FirstTestWrites) {
  testing_support::IsolatedRegistry reg;
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pelorin", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  RegCloseKey(key);
}

TEST(IsolatedRegistry, SecondTestSeesNothing) {
  testing_support::IsolatedRegistry reg;
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Pelorin", 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
