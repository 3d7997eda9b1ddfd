// The keywords editor and the checklist export driven by a user's clicks and keys: keywords
// added and deleted, glosses and groups set, references typed, numbered, deleted, taken from and
// written to "pelorin.ref", and the files as they are saved or left.
#include <memory>

#include "app/CheckListsUnit.h"
#include "app/KeyWordsEditUnit.h"
#include "app/UnitMain.h"
#include "app/tests/consistency/ConsistencyTestSupport.h"
#include "classlib/Clipbrd.h"
#include "tools/ConsistencyListFiles.h"
#include "tools/ConsistencyLists.h"

namespace {

using namespace consistency_testing;
using dialog_testing::RunModal;
using testing_support::SaveScreenshot;

// Gives a drop-down list the focus and types a character, which selects the first line that
// begins with it.
void TypeKeyInto(TComboBox* combo, char c) {
  combo->SetFocus();
  ProcessFor(30);
  PressKey(LOBYTE(VkKeyScanA(c)));
}

class KeywordsEditorTest : public ConsistencyTest {
protected:
  void TearDown() override {
    ExpandedMode = false;
    ConsistencyTest::TearDown();
  }
  // The editor as the consistency-list dialog opens it on the keywords of the Old Testament.
  std::unique_ptr<TKeyWordsEditDialog> Make() {
    std::unique_ptr<TKeyWordsEditDialog> editor(new TKeyWordsEditDialog(nullptr));
    editor->ReferenceFileName = ReferenceFile();
    editor->DefinitionFileName = DefinitionFile();
    ListKindGroups(3, editor->GroupComboBox->GetItems());
    editor->OpenKeywordDatabases();
    return editor;
  }
  static std::string Status(TKeyWordsEditDialog* editor) { return editor->StatusBar1->GetSimpleText(); }
  // What the editor shows of the current keyword: keyword, gloss, group, references, item.
  static Lines Shown(TKeyWordsEditDialog* editor) {
    Lines shown = {editor->KeywordComboBox->GetText(), editor->EnglishEdit->GetText(), editor->GroupComboBox->GetText()};
    for (const std::string& reference : ItemsOf(editor->ReferencesListBox->GetItems())) shown.push_back(reference);
    shown.push_back(editor->ItemComboBox->GetText());
    return shown;
  }
};

TEST_F(KeywordsEditorTest, OpensOnTheFirstKeywordWithItsGlossGroupAndReferences) {
  auto editor = Make();
  Lines items, shown, second;
  std::string status, secondStatus;
  bool checkListsShown = true;
  RunModal(editor.get(), [&](HWND wnd) {
    items = ItemsOf(editor->ItemComboBox->GetItems());
    shown = Shown(editor.get());
    status = Status(editor.get());
    checkListsShown = IsWindowVisible(editor->CheckListsButton->GetHandle());
    SaveScreenshot(wnd, "keywords-editor");
    ChooseLine(editor->KeywordComboBox, 5);  // nephesh, whose group "x" is no group
    second = Shown(editor.get());
    secondStatus = Status(editor.get());
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(items, (Lines{"only item", "1st item", "2nd item", "3rd item", "4th item", "5th item", "6th item",
                          "7th item", "8th item", "9th item", "10th item", "11th item", "12th item", "13th item",
                          "14th item", "15th item"}));
  EXPECT_EQ(shown, (Lines{"bara", "create", "actions", "GEN 1:1", "GEN 1:21", "GEN 1:27", "GEN 1:27", "GEN 1:27",
                          "only item"}));
  EXPECT_EQ(status, "Keyword bara has 5 references");
  EXPECT_FALSE(checkListsShown) << "only in expanded mode";
  EXPECT_EQ(second, (Lines{"nephesh", "soul", "", "GEN 2:7", "only item"}));
  EXPECT_EQ(secondStatus, "Keyword nephesh has 1 references");
}

TEST_F(KeywordsEditorTest, KeywordsAreAddedAsSingleNewWordsAndGetTheirGlossAndGroup) {
  auto editor = Make();
  struct Step {
    const char* Typed;  // into the new keyword's edit, then "&Add it" (Alt+A)
    std::string Status;
    std::string LeftInEdit;
    std::string Shown;  // the keyword shown afterwards
  } steps[] = {
      {"", "First enter a new keyword", "", "bara"},
      {"ruach elohim", "The keyword cannot contain a space", "ruachelohim", "bara"},
      {nullptr, "ruachelohim has been added - enter translation, group and references also", "", "ruachelohim"},
      {"ELOHIM", "The keyword ELOHIM already exists", "", "elohim"},
  };
  std::vector<Lines> seen;
  Lines added;
  std::string glossStatus, groupStatus;
  RunModal(editor.get(), [&](HWND) {
    for (const Step& s : steps) {
      if (s.Typed) TypeInto(editor->NewEdit, s.Typed);
      PressKey('A', true);
      seen.push_back({Status(editor.get()), editor->NewEdit->GetText(), editor->KeywordComboBox->GetText()});
    }
    ChooseLine(editor->KeywordComboBox, 6);
    added = Shown(editor.get());
    TypeInto(editor->EnglishEdit, "spirit of God");
    glossStatus = Status(editor.get());
    ChooseLine(editor->GroupComboBox, 8);
    groupStatus = Status(editor.get());
    ClickOn(editor->OKBtn);
  });
  for (std::size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], (Lines{steps[i].Status, steps[i].LeftInEdit, steps[i].Shown})) << i;
  EXPECT_EQ(added, (Lines{"ruachelohim", "Enter English translation here", "clothes", ""}));
  EXPECT_EQ(glossStatus, "The English translation now is spirit of God");
  EXPECT_EQ(groupStatus, "The group into which the keyword falls is \"invisible things\"");
  EXPECT_EQ(ReadFileBytes(DefinitionFile()), Fixture("kwotdef.txt") + CrLf({"ruachelohim", "9", "spirit of God"}));
  EXPECT_EQ(ReadFileBytes(ReferenceFile()), Fixture("kwotref.txt")) << "nothing changed, nothing written";
}

TEST_F(KeywordsEditorTest, TypedReferencesAreResolvedNumberedSortedAndDeleted) {
  auto editor = Make();
  MessageAnswers question("Confirmation", {IDYES});
  struct Step {
    const char* Typed;  // into the new reference's edit, then "Add it"
    std::string Status;
    Lines References;
  } steps[] = {
      {"Genesis 2:3", "GEN 2:3 has been added", {"GEN 1:1", "GEN 2:3", "PSA 24:1"}},
      {"psalm 119:100", "PSA 119:100 has been added", {"GEN 1:1", "GEN 2:3", "PSA 24:1", "PSA 119:100"}},
      {" gen 10 5 ", "GEN 10:5 has been added", {"GEN 1:1", "GEN 2:3", "GEN 10:5", "PSA 24:1", "PSA 119:100"}},
      {"gen 2:3", "This reference has not been added, because it already exists",
       {"GEN 1:1", "GEN 2:3", "GEN 10:5", "PSA 24:1", "PSA 119:100"}},
      {"12", "Enter a proper reference", {"GEN 1:1", "GEN 2:3", "GEN 10:5", "PSA 24:1", "PSA 119:100"}},
  };
  std::vector<std::pair<std::string, Lines>> seen;
  std::string renumbered, refused, deleted, item;
  Lines twice, left;
  RunModal(editor.get(), [&](HWND) {
    ChooseLine(editor->KeywordComboBox, 2);  // erets
    for (const Step& s : steps) {
      TypeInto(editor->NewReferenceEdit, s.Typed);
      ClickOn(editor->AddReferenceButton);
      seen.emplace_back(Status(editor.get()), ItemsOf(editor->ReferencesListBox->GetItems()));
    }
    // GEN 10:5 becomes the second occurrence in its verse; added again it is the only one once
    // more, which may not take the number the other has.
    ClickLine(editor->ReferencesListBox, 2);
    TypeKeyInto(editor->ItemComboBox, '2');  // "2nd item"
    renumbered = Status(editor.get());
    TypeInto(editor->NewReferenceEdit, "GEN 10:5");
    ClickOn(editor->AddReferenceButton);
    twice = ItemsOf(editor->ReferencesListBox->GetItems());
    ClickLine(editor->ReferencesListBox, 2);  // the new one, sorted before the second occurrence
    TypeKeyInto(editor->ItemComboBox, '2');
    refused = Status(editor.get());
    item = editor->ItemComboBox->GetText();
    PressKey('R', true);  // "Delete selected &reference"
    deleted = Status(editor.get());
    left = ItemsOf(editor->ReferencesListBox->GetItems());
    ClickOn(editor->OKBtn);
  });
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].first, steps[i].Status) << steps[i].Typed;
    EXPECT_EQ(seen[i].second, steps[i].References) << steps[i].Typed;
  }
  EXPECT_EQ(question.Texts, Lines{"The name of the book is unclear. Do you mean Psalms?"});
  EXPECT_EQ(renumbered, "The item number within the verse has been changed");
  EXPECT_EQ(twice, (Lines{"GEN 1:1", "GEN 2:3", "GEN 10:5", "GEN 10:5", "PSA 24:1", "PSA 119:100"}));
  EXPECT_EQ(refused, "This item in the verse already exists - not changed");
  EXPECT_EQ(item, "only item");
  EXPECT_EQ(deleted, "Reference GEN 10:5 has been deleted");
  EXPECT_EQ(left, (Lines{"GEN 1:1", "GEN 2:3", "GEN 10:5", "PSA 24:1", "PSA 119:100"}));
  EXPECT_EQ(ReadFileBytes(ReferenceFile()),
            Records({kBara1, kElohim, kShamayim, kErets1, kBara21, kBara27a, kBara27b, kBara27c, {"erets", "GEN 2:3", "0"},
                     kNephesh, {"erets", "GEN 10:5", "2"}, kErets24, {"erets", "PSA 119:100", "0"}, kBaraIsa}));
  EXPECT_EQ(ReadFileBytes(DefinitionFile()), Fixture("kwotdef.txt"));
}

TEST_F(KeywordsEditorTest, ReferencesAreTakenFromAndWrittenToTheExchangeFile) {
  auto editor = Make();
  std::string missing, loaded, saved;
  Lines references;
  RunModal(editor.get(), [&](HWND) {
    ChooseLine(editor->KeywordComboBox, 1);  // elohim
    PressKey('L', true);
    missing = Status(editor.get());
    WriteFileBytes(ExchangeFile(), CrLf({"GEN 1:1 - Hebrew: elohim - already there", "Genesis:", "EXO 3:14 [1] I am",
                                         "GEN 1:26 - x", "EXO 3:14 - again", "", "PSA 82:1"}));
    PressKey('L', true);
    loaded = Status(editor.get());
    references = ItemsOf(editor->ReferencesListBox->GetItems());
    PressKey('S', true);
    saved = Status(editor.get());
    ClickOn(editor->OKBtn);
  });
  EXPECT_EQ(missing, "File " + ExchangeFile() + " not found");
  EXPECT_EQ(loaded, "There were already 1 references - 3 added");
  EXPECT_EQ(references, (Lines{"GEN 1:1", "GEN 1:26", "EXO 3:14", "PSA 82:1"}));
  EXPECT_EQ(saved, "Number of references saved: 4");
  EXPECT_EQ(ReadFileBytes(ExchangeFile()), CrLf({"GEN 1:1", "GEN 1:26", "EXO 3:14", "PSA 82:1"}));
  EXPECT_EQ(ReadFileBytes(ReferenceFile()),
            Records({kBara1, kElohim, kShamayim, kErets1, kBara21, {"elohim", "GEN 1:26", "0"}, kBara27a, kBara27b,
                     kBara27c, kNephesh, {"elohim", "EXO 3:14", "0"}, kErets24, {"elohim", "PSA 82:1", "0"},
                     kBaraIsa}));
}

TEST_F(KeywordsEditorTest, DeletingAKeywordDeletesItsReferences) {
  auto editor = Make();
  Lines after;
  std::string status;
  RunModal(editor.get(), [&](HWND) {
    PressKey('D', true);  // bara
    after = Shown(editor.get());
    status = Status(editor.get());
    ClickOn(editor->OKBtn);
  });
  EXPECT_EQ(status, "Definition bara has been deleted");
  EXPECT_EQ(after, (Lines{"elohim", "God", "holy things", "GEN 1:1", "only item"}));
  EXPECT_EQ(ReadFileBytes(DefinitionFile()),
            CrLf({"elohim", "3", "God", "erets", "2", "earth", "shamayim", "2", "heaven", "Bara", "8",
                  "create (a second spelling)", "nephesh", "x", "soul"}));
  // "Bara" is another keyword: its reference stays.
  EXPECT_EQ(ReadFileBytes(ReferenceFile()), Records({kElohim, kShamayim, kErets1, kErets24, kNephesh, kBaraIsa}));
}

TEST_F(KeywordsEditorTest, ClosingWithChangesAsksWhetherToSaveThem) {
  struct Row {
    const char* Name;
    int Answer;
    bool Saved;
  } rows[] = {{"No discards", IDNO, false}, {"Yes saves", IDYES, true}};
  for (const Row& r : rows) {
    WriteFileBytes(DefinitionFile(), Fixture("kwotdef.txt"));
    auto editor = Make();
    MessageAnswers question("Keywords", {r.Answer});
    const Integer result = RunModal(editor.get(), [&](HWND) {
      TypeInto(editor->EnglishEdit, "make");
      PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, mrCancel) << r.Name;
    EXPECT_EQ(question.Texts, Lines{"Do you want to save the changes?"}) << r.Name;
    const std::string changed = CrLf({"bara", "8", "make"}) + Fixture("kwotdef.txt").substr(CrLf({"bara", "8", "create"}).size());
    EXPECT_EQ(ReadFileBytes(DefinitionFile()), r.Saved ? changed : Fixture("kwotdef.txt")) << r.Name;
  }

  // Looking only changes nothing and asks nothing.
  auto editor = Make();
  MessageAnswers question("Keywords", {IDYES});
  RunModal(editor.get(), [&](HWND) {
    ChooseLine(editor->KeywordComboBox, 3);
    ClickLine(editor->ReferencesListBox, 0);
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(question.Texts.empty());
}

TEST_F(KeywordsEditorTest, DamagedFilesAreNamedAndTheRestIsEdited) {
  WriteFileBytes(ReferenceFile(), Fixture("kwotref-damaged.txt"));
  WriteFileBytes(DefinitionFile(), Fixture("kwotdef-short.txt"));
  MessageAnswers problems("Pelorin", {IDOK});
  auto editor = Make();
  ASSERT_EQ(problems.Texts.size(), 1u);
  EXPECT_NE(problems.Texts[0].find("File " + ReferenceFile() + ", lines 9 to 11: the reference \"GN 1:1\" cannot be read - skipped"),
            std::string::npos) << problems.Texts[0];
  EXPECT_NE(problems.Texts[0].find("File " + DefinitionFile() + ", lines 4 to 5: too few lines for a whole record - skipped"),
            std::string::npos) << problems.Texts[0];
  Lines shown;
  RunModal(editor.get(), [&](HWND) {
    shown = Shown(editor.get());
    ClickOn(editor->OKBtn);
  });
  EXPECT_EQ(shown, (Lines{"elohim", "God", "holy things", "GEN 1:1", "only item"}));
  // Nothing was changed, so the files keep even the lines that could not be read.
  EXPECT_EQ(ReadFileBytes(ReferenceFile()), Fixture("kwotref-damaged.txt"));
  EXPECT_EQ(ReadFileBytes(DefinitionFile()), Fixture("kwotdef-short.txt"));
}

TEST_F(KeywordsEditorTest, WithoutKeywordsNoReferenceIsAddedAndTheUserIsToldWhy) {
  // The list files are not installed.
  DeleteFile(ReferenceFile());
  DeleteFile(DefinitionFile());
  WriteFileBytes(ExchangeFile(), CrLf({"GEN 1:1 - a list"}));
  auto editor = Make();
  std::string typed, loaded;
  Lines shown;
  RunModal(editor.get(), [&](HWND) {
    shown = Shown(editor.get());
    TypeInto(editor->NewReferenceEdit, "Genesis 1:1");
    ClickOn(editor->AddReferenceButton);
    typed = Status(editor.get());
    PressKey('L', true);
    loaded = Status(editor.get());
    ClickOn(editor->OKBtn);
  });
  EXPECT_EQ(shown, (Lines{"", "", "", ""}));
  EXPECT_EQ(typed, "First enter a new keyword");
  EXPECT_EQ(loaded, "First enter a new keyword");
  EXPECT_FALSE(FileExists(ReferenceFile()));
  EXPECT_FALSE(FileExists(DefinitionFile()));
}

TEST_F(KeywordsEditorTest, InExpandedModeTheListBecomesAChecklistAsLastSaved) {
  ExpandedMode = true;
  auto editor = Make();
  MessageAnswers question("Keywords", {IDNO});
  std::string memo, copied;
  bool shown = false;
  WindowWatch checklists("Convert data to Paratext Checklists format", [&](HWND wnd) {
    auto* dialog = dynamic_cast<TCheckListsDialog*>(FindControl(wnd));
    ASSERT_TRUE(dialog);
    SetForegroundWindow(wnd);
    ProcessFor(50);
    dialog_testing::Click(wnd, "Convert");
    ProcessFor(50);
    memo = dialog->Memo1->GetText();
    Clipboard()->SetAsText("");
    dialog_testing::Click(wnd, "To clipboard");
    copied = Clipboard()->GetAsText();
    ProcessFor(100);
    SaveScreenshot(wnd, "checklists");
    dialog_testing::Click(wnd, "OK");
  });
  RunModal(editor.get(), [&](HWND wnd) {
    shown = IsWindowVisible(editor->CheckListsButton->GetHandle());
    SaveScreenshot(wnd, "keywords-editor-expanded");
    // A keyword added and not saved is not in the checklist.
    TypeInto(editor->NewEdit, "adam");
    PressKey('A', true);
    ClickOn(editor->CheckListsButton);
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(checklists.Done());
  const std::string expected = CrLf(kFixtureCheckList);
  EXPECT_EQ(memo, expected);
  EXPECT_EQ(copied, expected);
}

}  // namespace
