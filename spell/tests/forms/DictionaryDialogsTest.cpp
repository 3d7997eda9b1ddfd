// The custom dictionary dialogs driven by a user: the list creates, ticks, renames, deletes and
// opens dictionaries, and the editor adds and removes words and pairs on each page; the files on
// disk show every change.
#include <gtest/gtest.h>

#include "classlib/ComCtrls.h"
#include "classlib/Graphics.h"
#include "classlib/Registry.h"
#include "classlib/StdCtrls.h"
#include "spell/lx3CustomDictionariesDialog.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3CustomDictionaryEditDialog.h"
#include "spell/tests/forms/SpellFormsFixture.h"

namespace {

using namespace spell_testing;
using namespace dialog_testing;

class DictionaryDialogsTest : public SpellFormsTest {
protected:
  void SetUp() override {
    SpellFormsTest::SetUp();
    for (const char* name : {"Paratext.lxu", "Names.lxu"}) {
      TCustomDictionary empty;
      empty.SetFileName(temp_.File(name));
      empty.SetActive(true);
      empty.SetModified(true);
      ASSERT_TRUE(empty.Save());
    }
    SetLines(Spell3().GetConfigDefaultCustom(), {"Paratext.lxu"});
  }

  template <class T>
  static T* Form(HWND wnd) {
    return dynamic_cast<T*>(FindControl(wnd));
  }

  static List Rows(TListView* list) {
    List rows;
    for (Integer i = 0; i < list->GetItems()->GetCount(); ++i) {
      TListItem* item = list->GetItems()->GetItem(i);
      std::string row = item->GetCaption();
      if (item->GetSubItems()->GetCount()) row += " > " + std::string(item->GetSubItems()->GetStrings(0));
      if (list->GetCheckboxes() && item->GetChecked()) row += " [x]";
      if (item->GetSelected()) row += " (selected)";
      rows.push_back(row);
    }
    return rows;
  }

  static void ClickBox(TListView* list, Integer index) {
    const TRect row = list->GetItems()->GetItem(index)->DisplayRect(false);
    testing_support::MouseClick(list->GetHandle(), row.Left + 8, (row.Top + row.Bottom) / 2);
    ProcessFor(150);
  }
  static void ClickRow(TListView* list, Integer index) {
    const TRect label = list->GetItems()->GetItem(index)->DisplayRect(true);
    testing_support::MouseClick(list->GetHandle(), label.Left + 10, (label.Top + label.Bottom) / 2);
    ProcessFor(150);
  }

  bool Exists(const char* name) const { return GetFileAttributesA(temp_.File(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

  // The file's entries, read by a dictionary of its own.
  List Entries(const char* name) {
    TCustomDictionary d;
    d.SetFileName(temp_.File(name));
    d.SetActive(true);
    List out;
    AnsiString word, replacement;
    for (Integer i = 0; i < d.IgnoreCount(); ++i) d.GetIgnoreWord(i, word), out.push_back("+" + word);
    for (Integer i = 0; i < d.ExcludeCount(); ++i) d.GetExcludeWord(i, word), out.push_back("-" + word);
    for (Integer i = 0; i < d.AutoCorrectCount(); ++i)
      d.GetAutoCorrect(i, word, replacement), out.push_back(word + ">" + replacement);
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(DictionaryDialogsTest, TheListCreatesTicksRenamesDeletesAndOpensDictionaries) {
  Spell3().GetInternalList()->AddIgnore("Jehovah");
  ASSERT_TRUE(RunShown("Dictionaries", [&] { Spell3().ShowCustomDictionariesDialog(); }, [&](HWND wnd) {
    auto* d = Form<TCustomDictionariesDialog>(wnd);
    ASSERT_TRUE(d);
    TListView* list = d->CustomDictionaries;
    testing_support::SaveScreenshot(wnd, "spell-dictionaries");
    EXPECT_EQ(Rows(list), (List{"(Ignore All / Change All) [x]", "Names.lxu", "Paratext.lxu [x]"}));
    EXPECT_FALSE(d->DeleteButton->GetEnabled());
    EXPECT_FALSE(d->EditButton->GetEnabled());

    // The internal list cannot be taken away; a tick uses another dictionary.
    ClickBox(list, 0);
    ClickBox(list, 1);
    EXPECT_EQ(Rows(list), (List{"(Ignore All / Change All) [x]", "Names.lxu [x]", "Paratext.lxu [x]"}));
    EXPECT_EQ(Strings(Spell3().GetConfiguration()->CustomDictionaries()), (List{"Paratext.lxu", "Names.lxu"}));

    // A new dictionary: Alt+N, its name typed, Enter. Cancelled, nothing is made.
    RunShown("New Custom Dictionary", [] { PressKey('N', true); }, [](HWND nd) {
      testing_support::SaveScreenshot(nd, "spell-new-dictionary");
      TypeText("Psalms");
      PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Exists("Psalms.lxu"));
    EXPECT_EQ(Rows(list), (List{"(Ignore All / Change All) [x]", "Names.lxu [x]", "Paratext.lxu [x]",
                                "Psalms.lxu [x] (selected)"}));
    EXPECT_EQ(GetFocus(), list->GetHandle());
    RunShown("New Custom Dictionary", [] { PressKey('N', true); }, [](HWND) {
      TypeText("Proverbs");
      PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Exists("Proverbs.lxu"));
    // No name, no dictionary (not one named only by its extension).
    RunShown("New Custom Dictionary", [] { PressKey('N', true); }, [](HWND) { PressKey(VK_RETURN); });
    EXPECT_FALSE(Exists(".lxu"));
    EXPECT_EQ(list->GetItems()->GetCount(), 4);
    // A name that is listed selects its row.
    RunShown("New Custom Dictionary", [] { PressKey('N', true); }, [](HWND) {
      TypeText("names");
      PressKey(VK_RETURN);
    });
    EXPECT_EQ(Rows(list), (List{"(Ignore All / Change All) [x]", "Names.lxu [x] (selected)", "Paratext.lxu [x]",
                                "Psalms.lxu [x]"}));

    // F2 renames a row in place; Enter ends the edit rather than closing the dialog. A name whose
    // file exists is refused.
    ClickRow(list, 3);
    PressKey(VK_F2);
    TypeText("Hymns");
    PressKey(VK_RETURN);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_TRUE(Exists("Hymns.lxu"));
    EXPECT_FALSE(Exists("Psalms.lxu"));
    EXPECT_EQ(list->GetItems()->GetItem(3)->GetCaption(), "Hymns.lxu");
    PressKey(VK_F2);
    TypeText("Names.lxu");
    PressKey(VK_RETURN);
    EXPECT_EQ(list->GetItems()->GetItem(3)->GetCaption(), "Hymns.lxu");
    EXPECT_TRUE(Exists("Hymns.lxu"));

    // Delete asks first. (The system's message box handles its keys only in its own loop, so
    // its buttons are clicked.)
    RunShown("Confirmation:", [] { PressKey('D', true); }, [](HWND box) {
      EXPECT_TRUE(Child(box, "Delete this custom dictionary?"));
      testing_support::PressDialogButton(box, IDNO);
    });
    EXPECT_TRUE(Exists("Hymns.lxu"));
    RunShown("Confirmation:", [] { PressKey('D', true); },
             [](HWND box) { testing_support::PressDialogButton(box, IDYES); });
    EXPECT_FALSE(Exists("Hymns.lxu"));
    EXPECT_EQ(Rows(list), (List{"(Ignore All / Change All) [x]", "Names.lxu [x]", "Paratext.lxu [x]"}));

    // The internal list can be neither deleted nor renamed; Edit opens it without excluded words.
    ClickRow(list, 0);
    EXPECT_FALSE(d->DeleteButton->GetEnabled());
    EXPECT_TRUE(d->EditButton->GetEnabled());
    RunShown("Words added with Ignore All / Change All", [] { PressKey('E', true); }, [](HWND ed) {
      auto* e = Form<TCustomDictionaryEditDialog>(ed);
      ASSERT_TRUE(e);
      testing_support::SaveScreenshot(ed, "spell-edit-internal");
      EXPECT_EQ(e->AddedWordsSheet->GetCaption(), "&Ignore All");
      EXPECT_EQ(e->AutoCorrectWordsSheet->GetCaption(), "&Change All");
      EXPECT_FALSE(e->ExcludedWordsSheet->GetTabVisible());
      EXPECT_EQ(e->IgnoreList->GetItems()->GetCount(), 1);
      PressKey('O', true);
    });
    PressKey(VK_F2);
    EXPECT_FALSE(list->IsEditing());
    PressKey(VK_RETURN);
  }));
  EXPECT_EQ(Strings(Spell3().GetConfiguration()->CustomDictionaries()), (List{"Paratext.lxu", "Names.lxu"}));
}

// The word processor's dictionaries are listed by file name and ticked like the others, but are
// never deleted from here.
TEST_F(DictionaryDialogsTest, WordProcessorDictionariesAreTickedButNotDeleted) {
  const std::string wordList = temp_.File("proof\\custom.dic");
  testing_support::WriteFileBytes(wordList, "Tiberias\r\n");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\Microsoft\\Shared Tools\\Proofing Tools\\Custom Dictionaries", true));
    registry.WriteString("1", wordList);
  }
  ASSERT_TRUE(RunShown("Dictionaries", [&] { Spell3().ShowCustomDictionariesDialog(); }, [&](HWND wnd) {
    auto* d = Form<TCustomDictionariesDialog>(wnd);
    ASSERT_TRUE(d);
    TListView* list = d->CustomDictionaries;
    EXPECT_EQ(Rows(list), (List{"Names.lxu", "Paratext.lxu [x]", "custom.dic"}));
    ClickBox(list, 2);
    EXPECT_EQ(Strings(Spell3().GetConfiguration()->MSWordCustomDictionaries()), (List{wordList}));
    ClickRow(list, 2);
    EXPECT_FALSE(d->DeleteButton->GetEnabled());
    EXPECT_TRUE(d->EditButton->GetEnabled());
    ClickBox(list, 2);
    EXPECT_EQ(Strings(Spell3().GetConfiguration()->MSWordCustomDictionaries()), List{});
    PressKey(VK_RETURN);
  }));
}

TEST_F(DictionaryDialogsTest, TheEditorChangesEveryPageOfTheFile) {
  {
    TCustomDictionary stored;
    stored.SetFileName(temp_.File("Paratext.lxu"));
    stored.SetActive(true);
    ASSERT_TRUE(stored.GetActive());
    stored.AddIgnore("Aaron");
    stored.AddIgnore("Zion");
    stored.AddAutoCorrect("adn", "and");
  }
  std::unique_ptr<TCustomDictionary> dictionary(Spell3().OpenCustomDictionary("Paratext.lxu"));
  ASSERT_TRUE(dictionary);
  // The editor asks for text fonts: its edits and lists take the text font, the rest the
  // controls font.
  TFont controls, text;
  controls.SetName("Tahoma");
  text.SetName("Courier New");
  Spell3().SetUILanguageFontControls(&controls);
  Spell3().SetUILanguageFontText(&text);
  Spell3().UILanguageUseFonts = true;
  ASSERT_TRUE(RunShown("Paratext.lxu", [&] { Spell3().ShowEditCustomDictionaryDialog(dictionary.get()); },
                       [&](HWND wnd) {
    auto* e = Form<TCustomDictionaryEditDialog>(wnd);
    ASSERT_TRUE(e);
    testing_support::SaveScreenshot(wnd, "spell-edit-added");
    EXPECT_EQ(Strings(e->IgnoreList->GetItems()), (List{"Aaron", "Zion"}));
    EXPECT_EQ(e->IgnoreEdit->GetFont()->GetName(), "Courier New");
    EXPECT_EQ(e->AutoCorrectList->GetFont()->GetName(), "Courier New");
    EXPECT_EQ(e->OK->GetFont()->GetName(), "Tahoma");
    EXPECT_EQ(e->IgnoreEditLabel->GetFont()->GetName(), "Tahoma");

    // Added words: typed and added with Enter; one removed, the row below it selected.
    PressKey('I', true);
    EXPECT_EQ(GetFocus(), e->IgnoreEdit->GetHandle());
    TypeText("Selah");
    PressKey(VK_RETURN);
    EXPECT_EQ(Strings(e->IgnoreList->GetItems()), (List{"Aaron", "Selah", "Zion"}));
    EXPECT_FALSE(e->AddIgnoreButton->GetEnabled());
    e->IgnoreEdit->SetText("");
    TypeText("Aaron");
    EXPECT_TRUE(e->DeleteIgnoreButton->GetEnabled());
    PressKey('D', true);
    EXPECT_EQ(Strings(e->IgnoreList->GetItems()), (List{"Selah", "Zion"}));
    EXPECT_EQ(e->IgnoreList->GetItemIndex(), 0);
    // The last word removed: the new last one is selected.
    RECT zion{};
    SendMessageA(e->IgnoreList->GetHandle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&zion));
    testing_support::MouseClick(e->IgnoreList->GetHandle(), zion.left + 10, (zion.top + zion.bottom) / 2);
    ProcessFor(150);
    EXPECT_EQ(e->IgnoreEdit->GetText(), "Zion");
    PressKey('D', true);
    EXPECT_EQ(Strings(e->IgnoreList->GetItems()), (List{"Selah"}));
    EXPECT_EQ(e->IgnoreList->GetItemIndex(), 0);

    // Auto-correct pairs: Replace, Enter to With, Enter adds; a word with a pair cannot be added.
    auto nextPage = [] {
      SendKeyEvents({{VK_CONTROL, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_CONTROL, true}});
      ProcessFor(80);
    };
    nextPage();
    EXPECT_EQ(e->PageControl->GetActivePage(), e->AutoCorrectWordsSheet);
    PressKey('R', true);
    EXPECT_EQ(GetFocus(), e->ReplaceEdit->GetHandle());
    TypeText("teh");
    PressKey(VK_RETURN);
    EXPECT_EQ(GetFocus(), e->WithEdit->GetHandle());
    TypeText("the");
    PressKey(VK_RETURN);
    EXPECT_EQ(Rows(e->AutoCorrectList), (List{"adn > and", "teh > the (selected)"}));
    testing_support::SaveScreenshot(wnd, "spell-edit-pairs");
    // The pair shown changes with its replacement; Delete removes the one selected.
    ClickRow(e->AutoCorrectList, 0);
    EXPECT_EQ(e->ReplaceEdit->GetText(), "adn");
    e->WithEdit->SetFocus();
    PressKey(VK_END);
    TypeText("d");
    EXPECT_EQ(Rows(e->AutoCorrectList), (List{"adn > andd (selected)", "teh > the"}));
    ClickRow(e->AutoCorrectList, 1);
    PressKey('D', true);
    EXPECT_EQ(Rows(e->AutoCorrectList), (List{"adn > andd (selected)"}));

    // Excluded words: an added word cannot be excluded; another can.
    nextPage();
    EXPECT_EQ(e->PageControl->GetActivePage(), e->ExcludedWordsSheet);
    PressKey('X', true);
    EXPECT_EQ(GetFocus(), e->ExcludeEdit->GetHandle());
    TypeText("Selah");
    EXPECT_FALSE(e->AddExcludeButton->GetEnabled());
    e->ExcludeEdit->SetText("");
    TypeText("adn");
    EXPECT_FALSE(e->AddExcludeButton->GetEnabled()) << "a word with an auto-correction";
    e->ExcludeEdit->SetText("");
    TypeText("wirds");
    PressKey(VK_RETURN);
    EXPECT_EQ(Strings(e->ExcludeList->GetItems()), (List{"wirds"}));
    testing_support::SaveScreenshot(wnd, "spell-edit-excluded");
    PressKey('O', true);
  }));
  dictionary.reset();
  EXPECT_EQ(Entries("Paratext.lxu"), (List{"+Selah", "-wirds", "adn>andd"}));
}

}  // namespace
