// The spell-check component as a form holds it: its published properties read from and written
// to the form stream, without loading the configuration while it is read.
#include <gtest/gtest.h>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"
#include "spell/tests/SpellComponentFixture.h"

namespace {

using namespace spell_testing;

TEST(SpellComponentForm, ReadsTheProgramsSettingsWithoutLoadingTheConfiguration) {
  testing_support::IsolatedRegistry registry;
  const std::string text =
      "object UVLexemeSpell31: TLexemeSpell3Base\r\n"
      "  ConfigID = 'Paratext'\r\n"
      "  ConfigRegistryKey = '\\Software\\Pelorin'\r\n"
      "  ConfigDictionaryDir.Strings = (\r\n"
      "    '%AppDir%'\r\n"
      "    '%AppData%\\Dictionaries')\r\n"
      "  ConfigAvailableOptions = [soUpcase, soNumbers, soPrimaryOnly, soRepeated, soDUalCaps]\r\n"
      "  SuggestionsLearningDict = '%AppDir%\\%UserName%_sp.lxl'\r\n"
      "  EndMessage = emNever\r\n"
      "  MaxSuggestions = 12\r\n"
      "  CommandsVisible = [sdcIgnore, sdcChange, sdcCancel]\r\n"
      "  PhoneticMaxDistance = 3\r\n"
      "  PhoneticDivisor = 3\r\n"
      "  PhoneticDepth = 1\r\n"
      "  AllowedCases = cmAnyCase\r\n"
      "  UIType = suiDialog\r\n"
      "end\r\n";
  TStringStream source(text);
  TMemoryStream binary;
  ObjectTextToBinary(&source, &binary);
  binary.SetPosition(0);
  TLexemeSpell3Base spell(nullptr);
  int loaded = 0;
  spell.OnConfigLoaded = TNotifyEvent::FromFunction([&](TObject*) { ++loaded; });
  ReadComponentFromStream(&binary, &spell);

  EXPECT_EQ(loaded, 0);
  EXPECT_FALSE(spell.GetConfiguration()->GetLoaded());
  EXPECT_EQ(spell.GetName(), "UVLexemeSpell31");
  EXPECT_EQ(spell.GetConfigID(), "Paratext");
  EXPECT_EQ(spell.GetConfigRegistryKey(), "\\Software\\Pelorin");
  EXPECT_EQ(spell.GetConfigStorage(), csRegistry);
  EXPECT_EQ(Strings(spell.GetConfigDictionaryDir()), (List{"%AppDir%", "%AppData%\\Dictionaries"}));
  EXPECT_EQ(Strings(spell.GetDictionaryFolders()), (List{"%AppDir%", "%AppData%\\Dictionaries"}));
  EXPECT_EQ(Strings(spell.GetConfigDefaultMain()), List{"American.lxm"});
  EXPECT_EQ(spell.EndMessage, emNever);
  EXPECT_EQ(spell.MaxSuggestions, 12);
  EXPECT_EQ(spell.CommandsVisible, (TSpellDialogCommands{sdcIgnore, sdcChange, sdcCancel}));
  EXPECT_EQ(spell.CommandsEnabled, AllSpellDialogCommands);
  EXPECT_EQ(spell.GetPhoneticMaxDistance(), 3);
  EXPECT_EQ(spell.GetPhoneticDivisor(), 3);
  EXPECT_EQ(spell.GetPhoneticDepth(), 1);
  EXPECT_EQ(spell.AllowedCases, cmAnyCase);
  EXPECT_EQ(spell.UIType, suiDialog);

  // Written back, properties at their defaults are left out, and so are the read-only ones.
  TMemoryStream written;
  WriteComponentToStream(&written, &spell);
  written.SetPosition(0);
  TStringStream back;
  ObjectBinaryToText(&written, &back);
  const std::string out = back.GetDataString();
  for (const char* present : {"ConfigID = 'Paratext'", "EndMessage = emNever", "UIType = suiDialog",
                              "CommandsVisible = [sdcIgnore, sdcChange, sdcCancel]", "'American.lxm'"})
    EXPECT_NE(out.find(present), std::string::npos) << present;
  for (const char* absent : {"ConfigStorage", "ConfigAvailableOptions", "MaxUndo", "CommandsEnabled", "LiveSpelling",
                             "Version", "UILanguage"})
    EXPECT_EQ(out.find(absent), std::string::npos) << absent;
}

}  // namespace
