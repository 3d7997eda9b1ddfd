#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "spell/lx3Configuration.h"
#include "spell/lx3Util.h"
#include "tests/support/TestSupport.h"

namespace {

using List = std::vector<std::string>;

List Strings(TStrings* list) {
  List out;
  for (Integer i = 0; i < list->GetCount(); ++i) out.push_back(list->GetStrings(i));
  return out;
}

// Stands in for the spell-check component: its configuration properties, its macro expansion and
// its callbacks, counted.
class Owner : public TLexemeConfigOwner {
public:
  Owner() {
    defaultMain.Add("American.lxm");
    msWordFound.Add("C:\\Users\\me\\custom.dic");
  }

  TConfigStorage GetConfigStorage() const override { return storage; }
  AnsiString GetConfigID() const override { return configID; }
  AnsiString GetConfigFilename() const override { return fileName; }
  AnsiString GetConfigRegistryKey() const override { return registryKey; }
  TStrings* GetConfigDefaultMain() const override { return const_cast<TStringList*>(&defaultMain); }
  TStrings* GetConfigDefaultCustom() const override { return const_cast<TStringList*>(&defaultCustom); }
  AnsiString GetConfigDefaultActiveCustom() const override { return defaultActiveCustom; }
  TSpellOptions GetConfigDefaultOptions() const override { return defaultOptions; }
  bool GetConfigUseMSWordCustom() const override { return useMSWord; }
  bool GetConfigDefaultUseMSWordCustom() const override { return defaultUseMSWord; }
  TStrings* AvailableMSWordDictionaries() override { return &msWordFound; }
  void ExpandPath(const AnsiString& Path, AnsiString& Expanded) override {
    ExpandConfigID(ExpandPathMacros(Path), Expanded);
  }
  void ExpandConfigID(const AnsiString& Path, AnsiString& Expanded) override {
    Expanded = Path;
    const std::size_t at = Expanded.find("%ConfigID%");
    if (at != AnsiString::npos) Expanded.replace(at, 10, ExpandPathMacros(configID));
  }
  bool IsDesigning() const override { return false; }
  void ReadConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Default,
                        AnsiString& Value) override {
    auto it = callbackStore.find(ConfigID + "/" + Key);
    Value = it == callbackStore.end() ? Default : it->second;
  }
  void WriteConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Value) override {
    callbackStore[ConfigID + "/" + Key] = Value;
  }
  void ConfigLoaded() override { ++loaded; }
  void ConfigSaved() override { ++saved; }
  void ReloadConfiguration(bool Reopen) override { ++(Reopen ? reopened : reloaded); }

  TConfigStorage storage = csRegistry;
  AnsiString configID = "Paratext";
  AnsiString fileName = "%AppDir%\\Spell.cfg";
  AnsiString registryKey = "\\Software\\Pelorin";
  TStringList defaultMain, defaultCustom, msWordFound;
  AnsiString defaultActiveCustom = "%ConfigID%.lxu";
  TSpellOptions defaultOptions{soLiveSpelling, soLiveCorrect, soInternet, soAbbreviations, soRepeated, soDUalCaps};
  bool useMSWord = true, defaultUseMSWord = false;
  std::map<std::string, std::string> callbackStore;
  int loaded = 0, saved = 0, reopened = 0, reloaded = 0;
};

class ConfigurationTest : public testing_support::IsolatedTest {
protected:
  // The value as the registry holds it, "(none)" when missing.
  static std::string RegistryValue(const std::string& name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly("\\Software\\Pelorin\\Paratext") || !reg.ValueExists(name)) return "(none)";
    return reg.ReadString(name);
  }

  // Changes a configuration in every part and saves it.
  static void ChangeEverything(TLexemeConfig& config) {
    config.MainDictionaries()->Add("British.lxm");
    config.SetActiveCustom("%AppDir%\\mine.lxu");
    config.MSWordCustomDictionaries()->Add("C:\\word.dic");
    config.SetOptions(TSpellOptions{soUpcase, soNumbers, soUser4});
    config.SetDialogX(120);
    config.SetDialogY(-1);
    config.NewPaths()->Add("C:\\Dictionaries");
    config.NewPaths()->Add("C:\\Dictionaries");
    config.SetUserValue("Colour", "red");
    config.SetUserValue("Size", "12");
    config.SetUserValue("Colour", "blue");
    config.Save();
  }

  static void ExpectEverything(TLexemeConfig& config) {
    EXPECT_EQ(Strings(config.MainDictionaries()), (List{"American.lxm", "British.lxm"}));
    EXPECT_EQ(Strings(config.CustomDictionaries()), List{"%AppDir%\\mine.lxu"});
    EXPECT_EQ(Strings(config.MSWordCustomDictionaries()), List{"C:\\word.dic"});
    EXPECT_EQ(config.GetActiveCustom(), "%AppDir%\\mine.lxu");
    AnsiString path;
    config.ActiveCustomPath(path);
    EXPECT_EQ(path, testing_support::ProgramFolder() + "mine.lxu");
    EXPECT_TRUE(config.Options() == (TSpellOptions{soUpcase, soNumbers, soUser4}));
    EXPECT_EQ(config.DialogX(), 120);
    EXPECT_EQ(config.DialogY(), -1);
    EXPECT_EQ(Strings(config.NewPaths()), List{"C:\\Dictionaries"});
    AnsiString value;
    config.GetUserValue("Colour", value);
    EXPECT_EQ(value, "blue");
    config.GetUserValue("Size", value);
    EXPECT_EQ(value, "12");
    config.GetUserValue("Missing", value);
    EXPECT_EQ(value, "");
  }
};

TEST_F(ConfigurationTest, FirstRunTakesTheDefaultsAndWritesNothing) {
  Owner owner;
  TLexemeConfig config(&owner);
  EXPECT_EQ(Strings(config.MainDictionaries()), List{"American.lxm"});
  EXPECT_EQ(Strings(config.CustomDictionaries()), List{});
  EXPECT_EQ(config.GetActiveCustom(), "Paratext.lxu");
  EXPECT_TRUE(config.Options() == owner.defaultOptions);
  EXPECT_EQ(config.DialogX(), -1);
  EXPECT_EQ(config.DialogY(), -1);
  EXPECT_EQ(owner.loaded, 1);
  EXPECT_EQ(owner.reopened, 1);  // the owner opens its dictionaries after loading
  EXPECT_FALSE(config.GetModified());
  config.Save();
  config.SetLoaded(false);
  EXPECT_EQ(RegistryValue("_FirstRun"), "(none)");
  EXPECT_EQ(owner.saved, 0);
}

TEST_F(ConfigurationTest, RoundTripThroughTheRegistry) {
  Owner owner;
  {
    TLexemeConfig config(&owner);
    ChangeEverything(config);
    EXPECT_FALSE(config.GetModified());
    EXPECT_EQ(owner.saved, 1);
  }
  const std::pair<const char*, const char*> stored[] = {
      {"_FirstRun", "+"},
      {"_Main_count", "2"},        {"_Main_0", "American.lxm"},       {"_Main_1", "British.lxm"},
      {"_Custom_count", "1"},      {"_Custom_0", "%AppDir%\\mine.lxu"},
      {"_MSWordCustom_count", "1"}, {"_MSWordCustom_0", "C:\\word.dic"},
      {"_ActiveCustom", "%AppDir%\\mine.lxu"},
      {"_soUpcase", "+"},          {"_soNumbers", "+"},                {"_soHTML", "-"},
      {"_soLiveSpelling", "-"},    {"_soUser4", "+"},                  {"_soUser3", "-"},
      {"_DialogX", "120"},         {"_DialogY", "-1"},
      {"_NewPaths_count", "1"},    {"_NewPaths_0", "C:\\Dictionaries"},
      {"_UserData_count", "2"},    {"_UserData_0", "Colour"},          {"_UserData_1", "Size"},
      {"User_Colour", "blue"},     {"User_Size", "12"},
  };
  for (const auto& [name, value] : stored) EXPECT_EQ(RegistryValue(name), value) << name;

  TLexemeConfig again(&owner);
  ExpectEverything(again);
  EXPECT_FALSE(again.GetModified());
}

TEST_F(ConfigurationTest, RoundTripThroughAnIniFileInNewFolders) {
  Owner owner;
  owner.storage = csFile;
  owner.fileName = temp_.Path() + "%UserName%\\settings\\Spell.cfg";
  {
    TLexemeConfig config(&owner);
    ChangeEverything(config);
  }
  char user[257];
  DWORD size = sizeof user;
  GetUserNameA(user, &size);
  const std::string file = temp_.Path() + user + "\\settings\\Spell.cfg";
  const std::string text = testing_support::ReadFileBytes(file);
  EXPECT_NE(text.find("[Paratext]"), std::string::npos) << text;
  EXPECT_NE(text.find("_Main_1=British.lxm"), std::string::npos) << text;
  EXPECT_NE(text.find("_soUpcase=+"), std::string::npos) << text;
  EXPECT_EQ(RegistryValue("_FirstRun"), "(none)");

  TLexemeConfig again(&owner);
  ExpectEverything(again);
}

TEST_F(ConfigurationTest, CallbackAndNoStorage) {
  Owner owner;
  owner.storage = csCallback;
  {
    TLexemeConfig config(&owner);
    ChangeEverything(config);
  }
  EXPECT_EQ(owner.callbackStore["Paratext/_FirstRun"], "+");
  EXPECT_EQ(owner.callbackStore["Paratext/User_Colour"], "blue");
  {
    TLexemeConfig again(&owner);
    ExpectEverything(again);
  }

  Owner none;
  none.storage = csNone;
  TLexemeConfig config(&none);
  config.MainDictionaries()->Add("Other.lxm");
  EXPECT_TRUE(config.GetModified());
  config.Save();
  EXPECT_EQ(none.saved, 1);
  EXPECT_TRUE(none.callbackStore.empty());
  config.Reload();
  EXPECT_EQ(Strings(config.MainDictionaries()), List{"American.lxm"});  // nothing was kept
}

TEST_F(ConfigurationTest, ListsKeepTheirItemsOnlyWhenNeverStored) {
  Owner owner;
  owner.storage = csCallback;
  TLexemeConfig config(&owner);
  config.EnsureLoaded();
  TStringList list;
  list.Add("kept");
  config.ListIO("_Never", &list, true);
  EXPECT_EQ(Strings(&list), List{"kept"});
  owner.callbackStore["Paratext/_Gaps_count"] = "3";
  owner.callbackStore["Paratext/_Gaps_0"] = "a";
  owner.callbackStore["Paratext/_Gaps_2"] = "c";
  config.ListIO("_Gaps", &list, true);
  EXPECT_EQ(Strings(&list), (List{"a", "c"}));  // empty items are left out
  TStringList empty;
  config.ListIO("_Empty", &empty, false);
  EXPECT_EQ(owner.callbackStore["Paratext/_Empty_count"], "0");
  config.ListIO("_Empty", &list, true);
  EXPECT_EQ(Strings(&list), List{});
}

TEST_F(ConfigurationTest, ChangesTellTheOwnerWhetherToReopen) {
  Owner owner;
  TLexemeConfig config(&owner);
  config.EnsureLoaded();
  owner.reopened = owner.reloaded = 0;
  config.CustomDictionaries()->Add("x.lxu");
  EXPECT_EQ(owner.reopened, 1);
  config.SetOptions(TSpellOptions{soNumbers});
  config.SetOptions(TSpellOptions{soNumbers});  // unchanged: nothing reported
  config.SetDialogX(5);
  EXPECT_EQ(owner.reloaded, 2);
  config.SetActiveCustom("Paratext.lxu");  // unchanged
  EXPECT_EQ(owner.reopened, 1);
  config.SetActiveCustom("y.lxu");
  EXPECT_EQ(Strings(config.CustomDictionaries()), (List{"x.lxu", "y.lxu"}));
  EXPECT_GE(owner.reopened, 2);
  EXPECT_TRUE(config.GetModified());

  // Without an owner nothing is ever marked changed.
  TLexemeConfig alone;
  alone.MainDictionaries()->Add("x.lxm");
  EXPECT_FALSE(alone.GetModified());
}

TEST_F(ConfigurationTest, ResetToDefaultsAndWordProcessorDefaults) {
  Owner owner;
  {
    TLexemeConfig config(&owner);
    ChangeEverything(config);
  }
  owner.defaultUseMSWord = true;
  TLexemeConfig config(&owner);
  EXPECT_EQ(Strings(config.MainDictionaries()), (List{"American.lxm", "British.lxm"}));
  config.ResetToDefaults();
  EXPECT_EQ(Strings(config.MainDictionaries()), List{"American.lxm"});
  EXPECT_EQ(Strings(config.MSWordCustomDictionaries()), List{"C:\\Users\\me\\custom.dic"});
  EXPECT_EQ(config.GetActiveCustom(), "Paratext.lxu");
  EXPECT_EQ(config.DialogX(), -1);
  config.Reload();  // the force is used once: the stored values come back
  EXPECT_EQ(Strings(config.MainDictionaries()), (List{"American.lxm", "British.lxm"}));
}

TEST_F(ConfigurationTest, DefaultActiveCustomExpandsOnlyNameMacros) {
  Owner owner;
  owner.configID = "%UserName%";
  owner.defaultActiveCustom = "%AppDir%\\%ConfigID%-%AppName%.lxu";
  TLexemeConfig config(&owner);
  char user[257];
  DWORD size = sizeof user;
  GetUserNameA(user, &size);
  EXPECT_EQ(config.GetActiveCustom(), std::string("%AppDir%\\") + user + "-spell_configuration_tests.lxu");
}

}  // namespace
