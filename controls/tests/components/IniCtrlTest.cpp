#include <gtest/gtest.h>

#include "classlib/TypInfo.h"
#include "controls/VisIniCtrl.h"
#include "controls/vissysinfo.h"

namespace {

TEST(VisIniCtrl, Defaults) {
  TVisIniCtrl ini(nullptr);
  EXPECT_FALSE(ini.GetAlphaCounter());
  EXPECT_TRUE(ini.Common);
  EXPECT_EQ(ini.GetIniFile(), "");
  EXPECT_EQ(ini.IniPrefix, ppWindows);
  EXPECT_EQ(ini.GetMaxEntries(), 16);
  EXPECT_FALSE(ini.GetNetUser());
  EXPECT_EQ(ini.RegRoot, rpCurrentUser);
  EXPECT_EQ(ini.GetTarget(), itAuto);
  EXPECT_EQ(ini.GetEffectiveTarget(), itRegistry);
  EXPECT_NE(ini.EncKey, 0);
  EXPECT_FALSE(ini.Encoded);
  EXPECT_EQ(GetEnumProp(&ini, "RegRoot"), "rpCurrentUser");
  EXPECT_EQ(GetEnumProp(&ini, "IniPrefix"), "ppWindows");
}

TEST(VisIniCtrl, AlphaCounterLimitsEntriesToLetters) {
  TVisIniCtrl ini(nullptr);
  ini.SetMaxEntries(40);
  EXPECT_EQ(ini.GetMaxEntries(), 40);
  ini.SetAlphaCounter(true);
  EXPECT_EQ(ini.GetMaxEntries(), 26);
  ini.SetMaxEntries(27);
  EXPECT_EQ(ini.GetMaxEntries(), 26);
  ini.SetMaxEntries(10);
  EXPECT_EQ(ini.GetMaxEntries(), 10);
  ini.SetAlphaCounter(false);
  ini.SetMaxEntries(200);
  EXPECT_EQ(ini.GetMaxEntries(), 200);
}

TEST(VisIniCtrl, IniFileGetsAnExtension) {
  struct Case {
    const char* name;
    const char* expected;
  };
  const Case cases[] = {{"Settings", "Settings.INI"}, {"Settings.cfg", "Settings.cfg"}, {"", ""}};
  for (const Case& c : cases) {
    TVisIniCtrl ini(nullptr);
    ini.SetIniFile(c.name);
    EXPECT_EQ(ini.GetIniFile(), c.expected) << c.name;
  }
}

TEST(VisIniCtrl, TargetsAndNetUser) {
  TVisIniCtrl ini(nullptr);
  ini.SetTarget(itIniFile);
  EXPECT_EQ(ini.GetEffectiveTarget(), itIniFile);
  ini.SetTarget(itAuto);
  EXPECT_EQ(ini.GetEffectiveTarget(), itRegistry);

  ini.SetNetUser(true);
  EXPECT_EQ(ini.User, UserName());
  EXPECT_FALSE(ini.User.empty());
}

}  // namespace
