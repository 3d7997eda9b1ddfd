#include <gtest/gtest.h>

#include "classlib/Graphics.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycComponents.h"
#include "syscomp/sycGraphics.h"

namespace {

TEST(RegistrationTest, EveryComponentClassIsKnownByName) {
  TsycShutdown anyComponent(nullptr);  // makes sure the components are part of the program
  for (const char* name : {"TsycComponent",
                           "TsycCustomThreadComponent",
                           "TsycCustomTimer",
                           "TsycCustomThreadTimer",
                           "TsycCustomWndProcHook",
                           "TsycCustomFileStorage",
                           "TsycAutoRun",
                           "TsycOneInstance",
                           "TsycShutdown",
                           "TsycTrayIcon",
                           "TsycWndProcHook",
                           "TsycFileStorage",
                           "TsycWav",
                           "TsycThreadComponent",
                           "TsycThreadTimer",
                           "TsycFileOperation",
                           "TsycCustomFolderMonitor",
                           "TsycFolderMonitor",
                           "TsycCustomRegistryMonitor",
                           "TsycRegistryMonitor",
                           "TsycStartButtonProperties",
                           "TsycColorPicker"}) {
    TClass c = GetClass(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_STREQ(c->Name, name);
  }
}

TEST(RegistrationTest, FormsKnowTheExtraColourNames) {
  const TTypeInfo* color = ColorTypeInfo();
  struct Case {
    const char* name;
    TColor value;
  } cases[] = {
      {"clBrown", TColor(RGB(144, 48, 0))},
      {"clOliveGreen", TColor(RGB(48, 48, 0))},
      {"clDarkTeal", TColor(RGB(0, 48, 96))},
      {"clOrange", TColor(RGB(255, 104, 0))},
      {"clLightBlue", TColor(RGB(48, 104, 255))},
      {"clGold", TColor(RGB(255, 200, 0))},
      {"clRose", TColor(RGB(255, 152, 208))},
      {"clLavender", TColor(RGB(192, 152, 255))},
      {"clPaleBlue", TColor(RGB(144, 200, 255))},
      {"clLightTurquoise", TColor(RGB(192, 255, 255))},
      {"clDefault", clDefault},
      {"clHotLight", clHotLight},
  };
  for (const Case& c : cases) {
    Integer value = 0;
    ASSERT_TRUE(color->IdentToInt(c.name, value)) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
    AnsiString name;
    ASSERT_TRUE(color->IntToIdent(c.value, name));
    EXPECT_EQ(name, c.name);
  }
  Integer red = 0;
  EXPECT_TRUE(color->IdentToInt("clRed", red)) << "the library's own names still count";
  EXPECT_EQ(red, clRed);
  EXPECT_FALSE(color->IdentToInt("clNoSuchColour", red));
}

}  // namespace
