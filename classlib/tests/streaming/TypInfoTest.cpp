#include <gtest/gtest.h>

#include "classlib/TypInfo.h"

namespace {

enum TShade { shLight, shMedium, shDark };
}  // namespace
ENUM_NAMES(TShade, "shLight", "shMedium", "shDark");
namespace {
using TShades = TSet<TShade>;

class TBrush : public TObject {
  CLASS_INFO(TBrush, TObject)
public:
  Integer Width = 1;
  TShade Shade = shLight;
  TShades Shades;
  bool Solid = false;
  double Ratio = 0;
  AnsiString Caption;
  WideString Title;
  Int64 Big = 0;
  char Letter = 'a';
  TNotifyEvent OnChange;
  TBrush* Next = nullptr;

  int GetSize() const { return size_; }
  void SetSize(int v) { size_ = v * 2; }
  void Changed(TObject*) {}
  void Other(TObject*) {}

private:
  int size_ = 0;
};

class TFancyBrush : public TBrush {
  CLASS_INFO(TFancyBrush, TBrush)
public:
  Byte Gloss = 0;
};

}  // namespace

PUBLISHED(TBrush) {
  Prop("Width", &TBrush::Width).Default(1);
  Prop("Shade", &TBrush::Shade).Default(shLight);
  Prop("Shades", &TBrush::Shades);
  Prop("Size", &TBrush::GetSize, &TBrush::SetSize);
  Prop("Solid", &TBrush::Solid);
  Prop("Ratio", &TBrush::Ratio);
  Prop("Caption", &TBrush::Caption);
  Prop("Title", &TBrush::Title);
  Prop("Big", &TBrush::Big);
  Prop("Letter", &TBrush::Letter);
  Prop("OnChange", &TBrush::OnChange);
  Prop("Next", &TBrush::Next);
  Method("Changed", &TBrush::Changed);
}

PUBLISHED(TFancyBrush) {
  Prop("Gloss", &TFancyBrush::Gloss);
  Prop("Width", &TFancyBrush::Width).Default(5);
}

namespace {

TEST(TypInfo, PropertyListsInheritAndRedeclareInPlace) {
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(TFancyBrush::StaticClass())) names.push_back(p->Name);
  ASSERT_EQ(names.size(), 13u);
  EXPECT_EQ(names.front(), "Width");
  EXPECT_EQ(names.back(), "Gloss");
  EXPECT_EQ(GetPropInfo(TFancyBrush::StaticClass(), "width")->Default, 5);
  EXPECT_EQ(GetPropInfo(TBrush::StaticClass(), "WIDTH")->Default, 1);
  EXPECT_EQ(GetPropInfo(TBrush::StaticClass(), "Gloss"), nullptr);
}

TEST(TypInfo, KindsFollowTheCppTypes) {
  struct Row {
    const char* name;
    TTypeKind kind;
  } rows[] = {{"Width", tkInteger},  {"Shade", tkEnumeration}, {"Shades", tkSet},  {"Size", tkInteger},
              {"Solid", tkEnumeration}, {"Ratio", tkFloat},    {"Caption", tkLString}, {"Title", tkWString},
              {"Big", tkInt64},      {"Letter", tkChar},        {"OnChange", tkMethod}, {"Next", tkClass}};
  for (const Row& r : rows) {
    const TPropInfo* p = GetPropInfo(TBrush::StaticClass(), r.name);
    ASSERT_NE(p, nullptr) << r.name;
    EXPECT_EQ(p->PropType->Kind, r.kind) << r.name;
  }
  EXPECT_EQ(GetPropInfo(TBrush::StaticClass(), "Shades")->PropType->CompType, TypeInfo<TShade>());
  EXPECT_EQ(GetPropInfo(TBrush::StaticClass(), "Next")->PropType->ClassType, TBrush::StaticClass());
}

TEST(TypInfo, GetAndSetByName) {
  TFancyBrush b;
  SetOrdProp(&b, "Size", 21);
  EXPECT_EQ(b.GetSize(), 42);
  EXPECT_EQ(GetOrdProp(&b, "size"), 42);
  SetEnumProp(&b, "Shade", "shDark");
  EXPECT_EQ(b.Shade, shDark);
  EXPECT_EQ(GetEnumProp(&b, "Shade"), "shDark");
  SetOrdProp(&b, "Shades", TShades{shLight, shDark}.Bits());
  EXPECT_TRUE(b.Shades.Contains(shDark));
  SetStrProp(&b, "Caption", "x");
  EXPECT_EQ(b.Caption, "x");
  SetFloatProp(&b, "Ratio", 1.5);
  EXPECT_EQ(b.Ratio, 1.5);
  SetObjectProp(&b, "Next", &b);
  EXPECT_EQ(b.Next, &b);
  EXPECT_THROW(SetStrProp(&b, "Width", "1"), EPropertyError);
  try {
    GetOrdProp(&b, "Nope");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message, "Property Nope does not exist");
  }
  TObject other;
  EXPECT_THROW(SetObjectProp(&b, "Next", &other), EPropertyError);
}

TEST(TypInfo, EventsResolveToPublishedMethods) {
  TBrush b;
  const TPropInfo* ev = GetPropInfo(&b, "OnChange");
  EXPECT_EQ(FindMethodOf(&b, ev, &b), nullptr);
  b.OnChange = TNotifyEvent(&b, &TBrush::Changed);
  const TMethodInfo* m = FindMethodOf(&b, ev, &b);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Name, "Changed");
  b.OnChange = TNotifyEvent(&b, &TBrush::Other);
  EXPECT_EQ(FindMethodOf(&b, ev, &b), nullptr);
  ev->Access->ClearMethod(&b);
  EXPECT_FALSE(b.OnChange);
  ASSERT_TRUE(ev->Access->SetMethod(&b, *FindPublishedMethod(TFancyBrush::StaticClass(), "changed"), &b));
  EXPECT_TRUE(b.OnChange == TNotifyEvent(&b, &TBrush::Changed));
}

}  // namespace
