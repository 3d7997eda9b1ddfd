// The "Spelling Options" dialog driven by a user: the main dictionaries, the active custom
// dictionary and the options chosen with clicks and keys go to the configuration at once and are
// read back from the registry; the defaults, the folder row and the commands hidden.
#include <gtest/gtest.h>

#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3ConfigurationDialog.h"
#include "spell/tests/forms/SpellFormsFixture.h"

namespace {

using namespace spell_testing;
using namespace dialog_testing;

class OptionsDialogTest : public SpellFormsTest {
protected:
  void SetUp() override {
    SpellFormsTest::SetUp();
    // A second dictionary that is no dictionary at all, and two custom dictionaries.
    testing_support::WriteFileBytes(temp_.File("broken.lxm"), "not a dictionary");
    testing_support::WriteFileBytes(temp_.File("Paratext.lxu"), "");
    testing_support::WriteFileBytes(temp_.File("Names.lxu"), "");
  }

  // The options dialog as it shows.
  static TSpellCheckConfigDialog* Dialog(HWND wnd) { return dynamic_cast<TSpellCheckConfigDialog*>(FindControl(wnd)); }

  static List Rows(TListView* list) {
    List rows;
    for (Integer i = 0; i < list->GetItems()->GetCount(); ++i) {
      TListItem* item = list->GetItems()->GetItem(i);
      std::string row = item->GetCaption();
      if (item->GetSubItems()->GetCount()) row += " | " + std::string(item->GetSubItems()->GetStrings(0));
      if (item->GetChecked()) row += " [x]";
      rows.push_back(row);
    }
    return rows;
  }

  static List ShownOptions(TSpellCheckConfigDialog* d) {
    List shown;
    for (TCheckBox* box : d->Options)
      if (box->GetVisible()) shown.push_back(std::string(box->GetCaption()) + (box->GetChecked() ? " [x]" : ""));
    return shown;
  }

  // Clicks a row of the list at its text (or, with box, at its check box).
  static void ClickRow(TListView* list, Integer index, bool box) {
    TListItem* item = list->GetItems()->GetItem(index);
    const TRect label = item->DisplayRect(true);
    const TRect row = item->DisplayRect(false);
    const int y = (row.Top + row.Bottom) / 2;
    testing_support::MouseClick(list->GetHandle(), box ? row.Left + 8 : label.Left + 10, y);
    ProcessFor(150);
  }
};

TEST_F(OptionsDialogTest, EveryChoiceGoesToTheConfigurationAndIsReadBack) {
  SetLines(Spell3().GetConfigDefaultCustom(), {"Paratext.lxu"});
  ASSERT_TRUE(RunShown("Spelling Options", [&] { Spell3().ShowConfigDialog(); }, [&](HWND wnd) {
    TSpellCheckConfigDialog* d = Dialog(wnd);
    ASSERT_TRUE(d);
    testing_support::SaveScreenshot(wnd, "spell-options");
    EXPECT_EQ(Rows(d->MainDictionaries),
              (List{"??? | broken.lxm", "Test | test.lxm [x]", "Locate Dictionaries..."}));
    // The five options the program offers, in their order, and the form five rows shorter.
    EXPECT_EQ(ShownOptions(d), (List{"Ignore words in &UPPERCASE", "Ignore words containing numbers",
                                     "Suggest from main dictionaries only", "Prompt on repeated word [x]",
                                     "Automatically correct DUal capitals [x]"}));
    EXPECT_EQ(d->GetClientHeight(), 447 - 5 * 20);
    EXPECT_FALSE(d->HelpButton->GetVisible()) << "no help topic";
    EXPECT_EQ(d->CustomCombo->GetText(), "Paratext.lxu");

    // Tab goes through the options, the list, the combo and the buttons.
    d->Options[0]->SetFocus();
    List order;
    for (int i = 0; i < 9; ++i) {
      order.push_back(FindControl(GetFocus()) ? std::string(FindControl(GetFocus())->GetName()) : "?");
      PressKey(VK_TAB);
    }
    EXPECT_EQ(order, (List{"Option1", "Option2", "Option3", "Option4", "Option5", "MainDictionaries", "CustomCombo",
                           "DictionariesButton", "ResetButton"}));

    // Alt+U ticks "Ignore words in UPPERCASE"; a click takes "Prompt on repeated word" away.
    PressKey('U', true);
    EXPECT_TRUE(d->Options[0]->GetChecked());
    testing_support::MouseClick(d->Options[3]->GetHandle(), 6, 8);
    ProcessFor(150);
    EXPECT_FALSE(d->Options[3]->GetChecked());

    // A click on the text of a row ticks it as a click on its box does; the box of the other
    // takes its tick away.
    ClickRow(d->MainDictionaries, 0, false);
    ClickRow(d->MainDictionaries, 1, true);
    EXPECT_EQ(Rows(d->MainDictionaries), (List{"??? | broken.lxm [x]", "Test | test.lxm", "Locate Dictionaries..."}));
    EXPECT_EQ(Strings(Spell3().GetConfiguration()->MainDictionaries()), (List{"broken.lxm"}));

    // Alt+C reaches the custom dictionary; the arrow key chooses the other one.
    PressKey('C', true);
    EXPECT_EQ(GetFocus(), d->CustomCombo->GetHandle());
    PressKey(VK_UP);
    EXPECT_EQ(d->CustomCombo->GetText(), "Names.lxu");
    testing_support::SaveScreenshot(wnd, "spell-options-changed");
    PressKey(VK_RETURN);
  }));
  const TSpellOptions expected{soLiveSpelling, soLiveCorrect, soUpcase, soInternet, soAbbreviations, soDUalCaps};

  // What the dialog changed is stored when the component goes, and read back by a new one.
  spell_.reset();
  std::unique_ptr<TLexemeSpell3> again(Configure(new TLexemeSpell3(nullptr)));
  TLexemeConfig* config = again->GetConfiguration();
  config->EnsureLoaded();
  EXPECT_EQ(config->Options(), expected);
  EXPECT_EQ(Strings(config->MainDictionaries()), (List{"broken.lxm"}));
  EXPECT_EQ(config->GetActiveCustom(), "Names.lxu");
}

TEST_F(OptionsDialogTest, ResetRestoresTheDefaultsAndTheFolderRowStaysUnticked) {
  int browsed = 0;
  Spell3().OnShowAddDictionaryDir = TShowDialogEvent::FromFunction([&](TObject*, TComponent*) { ++browsed; });
  Spell3().GetConfiguration()->EnsureLoaded();
  Spell3().GetConfiguration()->SetOptions(TSpellOptions{soUpcase});
  Spell3().HelpCtxConfigDialog = 12;
  ASSERT_TRUE(RunShown("Spelling Options", [&] { Spell3().ShowConfigDialog(); }, [&](HWND wnd) {
    TSpellCheckConfigDialog* d = Dialog(wnd);
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->HelpButton->GetVisible());
    ClickRow(d->MainDictionaries, 2, true);
    EXPECT_EQ(browsed, 1);
    EXPECT_EQ(Rows(d->MainDictionaries), (List{"??? | broken.lxm", "Test | test.lxm [x]", "Locate Dictionaries..."}));
    EXPECT_EQ(ShownOptions(d)[0], "Ignore words in &UPPERCASE [x]");
    Click(wnd, "Reset Defaults");
    ProcessFor(50);
    EXPECT_EQ(ShownOptions(d)[0], "Ignore words in &UPPERCASE");
    EXPECT_EQ(ShownOptions(d)[3], "Prompt on repeated word [x]");
    Click(wnd, "&OK");
  }));
  EXPECT_EQ(Spell3().GetConfiguration()->Options(), Spell3().ConfigDefaultOptions);
}

// Commands taken away hide their controls, and the lists take the space.
TEST_F(OptionsDialogTest, HiddenCommandsHideTheirControls) {
  Spell3().CommandsVisible = AllSpellDialogCommands;
  Spell3().CommandsVisible >> sdcResetDefaults >> sdcCustomDictionary >> sdcCustomDictionaries >>
      sdcMainDictFolderBrowse;
  Spell3().ConfigAvailableOptions = TSpellOptions{soUpcase, soNumbers, soHTML, soInternet, soQuoted, soAbbreviations,
                                                  soPrimaryOnly, soRepeated, soDUalCaps, soUser1, soUser2};
  Spell3().ConfigUserOption1 = "Ignore Strong's numbers";
  ASSERT_TRUE(RunShown("Spelling Options", [&] { Spell3().ShowConfigDialog(); }, [&](HWND wnd) {
    TSpellCheckConfigDialog* d = Dialog(wnd);
    ASSERT_TRUE(d);
    testing_support::SaveScreenshot(wnd, "spell-options-reduced");
    EXPECT_FALSE(d->ResetButton->GetVisible());
    EXPECT_FALSE(d->CustomCombo->GetVisible());
    EXPECT_FALSE(d->CustomLabel->GetVisible());
    EXPECT_FALSE(d->DictionariesButton->GetVisible());
    EXPECT_EQ(d->MainDictionaries->GetTop() + d->MainDictionaries->GetHeight(),
              d->DictionariesButton->GetTop() + d->DictionariesButton->GetHeight());
    // At most ten boxes: the eleventh option has none.
    const List shown = ShownOptions(d);
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[9], "Ignore Strong's numbers");
    EXPECT_EQ(d->GetClientHeight(), 447);
    EXPECT_EQ(Rows(d->MainDictionaries), (List{"??? | broken.lxm", "Test | test.lxm [x]"}));
    PressKey(VK_RETURN);
  }));
}

}  // namespace
