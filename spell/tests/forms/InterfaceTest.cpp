// The spell-check component with its interface: the interface fonts given to a dialog's
// controls, the dialog operations answered by the application's events, and the folder browser
// that adds a dictionary folder.
#include <gtest/gtest.h>

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3Spell.h"
#include "spell/tests/forms/SpellFormsFixture.h"

namespace {

using namespace spell_testing;

TEST_F(SpellFormsTest, TheComponentShowsDialogsByDefault) {
  TLexemeSpell3 spell(nullptr);
  EXPECT_EQ(spell.UIType, suiDialog);
  EXPECT_FALSE(spell.UILanguageUseFonts);
}

// Which font each kind of control takes: the controls font, or the text font when the dialog
// asks for text fonts.
TEST_F(SpellFormsTest, InterfaceFontsGoToEachKindOfControl) {
  TFont controls, text;
  controls.SetName("Tahoma");
  text.SetName("Courier New");
  Spell3().SetUILanguageFontControls(&controls);
  Spell3().SetUILanguageFontText(&text);
  controls.SetName("Arial");  // the component keeps its own copy
  EXPECT_EQ(Spell3().GetUILanguageFontControls()->GetName(), "Tahoma");

  TForm form(nullptr);
  struct Row {
    TControl* control;
    const char* withText;     // its font when the dialog asks for text fonts
    const char* withoutText;  // and when it does not
  };
  const std::vector<Row> rows = {
      {new TLabel(&form), "Tahoma", "Tahoma"},           {new TButton(&form), "Tahoma", "Tahoma"},
      {new TCheckBox(&form), "Tahoma", "Tahoma"},        {new TGroupBox(&form), "Tahoma", "Tahoma"},
      {new TPageControl(&form), "Tahoma", "Tahoma"},     {new TListView(&form), "Courier New", "Tahoma"},
      {new TListBox(&form), "Courier New", "Tahoma"},    {new TEdit(&form), "Courier New", "Tahoma"},
      {new TComboBox(&form), "Courier New", "Tahoma"},   {new TPanel(&form), "MS Sans Serif", "MS Sans Serif"},
  };
  for (const Row& r : rows) r.control->GetFont()->SetName("MS Sans Serif");

  Spell3().ApplyInterfaceFonts(&form, true);
  for (const Row& r : rows) EXPECT_EQ(r.control->GetFont()->GetName(), "MS Sans Serif") << "fonts not in use";

  Spell3().UILanguageUseFonts = true;
  Spell3().ApplyInterfaceFonts(&form, true);
  for (const Row& r : rows) EXPECT_EQ(r.control->GetFont()->GetName(), r.withText) << r.control->ClassName();
  Spell3().ApplyInterfaceFonts(&form, false);
  for (const Row& r : rows) EXPECT_EQ(r.control->GetFont()->GetName(), r.withoutText) << r.control->ClassName();
}

TEST_F(SpellFormsTest, AssignedEventsReplaceTheBuiltInDialogs) {
  std::vector<std::string> calls;
  auto record = [&](const char* name) {
    return TShowDialogEvent::FromFunction([&calls, name](TObject*, TComponent* owner) {
      calls.push_back(std::string(name) + (owner ? " " + owner->GetName() : ""));
    });
  };
  Spell3().SetName("Speller");
  Spell3().OnShowConfigDialog = record("options");
  Spell3().OnShowCustomDictionariesDialog = record("dictionaries");
  Spell3().OnShowAddDictionaryDir = record("folder");
  Spell3().OnShowEditCustomDictionaryDialog = TShowEditCustomDictionaryEvent::FromFunction(
      [&](TObject*, TComponent* owner, TCustomDictionary* d) {
        calls.push_back("edit " + owner->GetName() + (d == Spell3().GetInternalList() ? " internal" : ""));
      });
  Spell3().ShowConfigDialog();
  Spell3().ShowCustomDictionariesDialog();
  Spell3().ShowEditCustomDictionaryDialog(Spell3().GetInternalList());
  Spell3().ShowAddDictionaryDir();
  EXPECT_EQ(calls, (List{"options Speller", "dictionaries Speller", "edit Speller internal", "folder Speller"}));
}

// The folder chosen in the shell's browser is searched for dictionaries from then on, and kept
// in the configuration.
TEST_F(SpellFormsTest, AChosenFolderIsSearchedForDictionaries) {
  testing_support::TempFolder other;
  WriteMainDictionary(other.File("other.lxm"), {"word"});
  const std::string folder = other.Path().substr(0, other.Path().size() - 1);
  ASSERT_EQ(Strings(Spell3().AvailableMainDictionaries()), (List{"test.lxm"}));

  // The user picks the folder in the browser's tree and clicks OK. (Wine's browser has no edit
  // box to type into; it also now and then leaves the selection at the desktop when asked while
  // it still fills its tree, so the folder is asked for until the tree shows it.)
  WindowWatch watch(
      "Browse for Folder", [&](HWND browser) {
        const std::string name = folder.substr(folder.rfind('\\') + 1);
        const bool shown = testing_support::PumpUntil([&] {
          if (lstrcmpiA(testing_support::SelectedTreeItemText(browser).c_str(), name.c_str()) == 0) return true;
          SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
          return false;
        });
        EXPECT_TRUE(shown) << testing_support::SelectedTreeItemText(browser);
        testing_support::PressDialogButton(browser, shown ? IDOK : IDCANCEL);
      },
      10000, "#32770");
  Spell3().ShowAddDictionaryDir();
  ASSERT_TRUE(watch.Done());
  EXPECT_EQ(Strings(Spell3().AvailableMainDictionaries()), (List{"test.lxm", "other.lxm"}));
  EXPECT_EQ(Strings(Spell3().GetConfiguration()->NewPaths()), (List{folder}));

  // Saved when the component goes, and read back from the registry by a new one.
  spell_.reset();
  std::unique_ptr<TLexemeSpell3> again(Configure(new TLexemeSpell3(nullptr)));
  EXPECT_EQ(Strings(again->AvailableMainDictionaries()), (List{"test.lxm", "other.lxm"}));
}

}  // namespace
