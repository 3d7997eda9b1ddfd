// The consistency-list dialog driven by a user's clicks and keys: choosing a group and a word,
// typing its translation, saving or discarding it, producing the reference lists into the results
// window in the project's versification, and the files that are missing, damaged or cannot be
// written.
#include <memory>

#include "app/FloraAndFaunaUnit.h"
#include "app/KeyWordsEditUnit.h"
#include "app/tests/consistency/ConsistencyTestSupport.h"
#include "tools/ConsistencyListFiles.h"

namespace {

using namespace consistency_testing;
using dialog_testing::RunModal;
using testing_support::SaveScreenshot;

const char kCaption[] = "Keywords of the Old Testament";

const Lines& kAllLines = kFixtureReferenceList;

class ConsistencyDialogTest : public ConsistencyTest {
protected:
  // The dialog as the main menu makes it for the keywords of the Old Testament.
  std::unique_ptr<TFloraAndFaunaDlg> Make() {
    ForceDirectories(WorkFolder());
    std::unique_ptr<TFloraAndFaunaDlg> dialog(new TFloraAndFaunaDlg(nullptr));
    dialog->SetCaption(kCaption);
    dialog->LanguageLabel = "Hebrew";
    dialog->ReferenceFileName = ReferenceFile();
    dialog->DefinitionFileName = DefinitionFile();
    dialog->TranslationFileName = TranslationFile();
    dialog->ListKind = 3;
    dialog->SetupReferenceListDialog();
    return dialog;
  }
  static std::string Status(TFloraAndFaunaDlg* dialog) { return dialog->StatusBar1->GetSimpleText(); }
};

TEST_F(ConsistencyDialogTest, AGroupAndAWordShowTheTranslationAndReferencesAndTypingIsSavedWithOk) {
  auto dialog = Make();
  MessageAnswers questions("Pelorin", {IDNO});
  Lines groups, words, shown, secondShown;
  std::string label, status;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    groups = ItemsOf(dialog->GroupComboBox->GetItems());
    label = dialog->OriginalLanguageLabel->GetCaption();
    status = Status(dialog.get());
    ChooseLine(dialog->GroupComboBox, 7);  // "actions"
    words = ItemsOf(dialog->FloraFaunaListBox->GetItems());
    shown = {dialog->HebrewGreekEdit->GetText(), dialog->EnglishEdit->GetText(), dialog->TargetEdit->GetText(),
             dialog->ReferencesMemo->GetText()};
    ClickLine(dialog->FloraFaunaListBox, 1);
    TypeInto(dialog->TargetEdit, "Erschaffer");
    secondShown = {dialog->HebrewGreekEdit->GetText(), dialog->EnglishEdit->GetText(), dialog->TargetEdit->GetText(),
                   dialog->ReferencesMemo->GetText()};
    SaveScreenshot(wnd, "consistency-list");
    ClickOn(dialog->OKBtn);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(groups, (Lines{"clothes", "natural things", "holy things", "tools", "grammar", "", "", "actions",
                           "invisible things"}));
  EXPECT_EQ(label, "Hebrew:");
  EXPECT_EQ(status, "Ready");
  EXPECT_EQ(words, (Lines{"bara: create", "Bara: create (a second spelling)"}));
  EXPECT_EQ(shown, (Lines{"bara", "create", "erschaffen", "GEN 1:1\r\nGEN 1:21\r\nGEN 1:27\r\nGEN 1:27\r\nGEN 1:27"}));
  EXPECT_EQ(secondShown, (Lines{"Bara", "create (a second spelling)", "Erschaffer", "ISA 43:1"}));
  EXPECT_TRUE(questions.Texts.empty()) << "OK saves without asking";
  EXPECT_EQ(ReadFileBytes(TranslationFile()), Fixture("KeyWordsOTTranslation.txt") + CrLf({"Bara", "Erschaffer"}));
  // The program's own files are never written by this dialog.
  EXPECT_EQ(ReadFileBytes(ReferenceFile()), Fixture("kwotref.txt"));
  EXPECT_EQ(ReadFileBytes(DefinitionFile()), Fixture("kwotdef.txt"));
}

TEST_F(ConsistencyDialogTest, ClosingWithTranslationsTypedAsksWhetherToSaveThem) {
  struct Row {
    const char* Name;
    int Answer;
    std::string Saved;
  } rows[] = {
      {"No", IDNO, Fixture("KeyWordsOTTranslation.txt")},
      {"Yes", IDYES, CrLf({"bara", "schaffen", "elohim", "Gottheit", "bara", "erschaffen"})},
  };
  for (const Row& r : rows) {
    WriteFileBytes(TranslationFile(), Fixture("KeyWordsOTTranslation.txt"));
    auto dialog = Make();
    MessageAnswers questions("Pelorin", {r.Answer});
    RunModal(dialog.get(), [&](HWND) {
      ChooseLine(dialog->GroupComboBox, 2);  // "holy things": elohim
      ClickOn(dialog->TargetEdit);
      PressKey(VK_END);
      TypeText("heit");
      PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(questions.Texts, Lines{"Do you want to save the changes in the lists?"}) << r.Name;
    EXPECT_EQ(ReadFileBytes(TranslationFile()), r.Saved) << r.Name;
  }

  // Nothing typed: closing asks nothing.
  auto dialog = Make();
  MessageAnswers questions("Pelorin", {IDNO});
  RunModal(dialog.get(), [&](HWND) {
    ChooseLine(dialog->GroupComboBox, 1);
    ClickLine(dialog->FloraFaunaListBox, 1);
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(questions.Texts.empty());
}

TEST_F(ConsistencyDialogTest, TranslationsThatCannotBeSavedKeepTheDialogOpenUntilTheUserGivesThemUp) {
  auto dialog = Make();
  const std::string before = ReadFileBytes(TranslationFile());
  ASSERT_EQ(FileSetAttr(TranslationFile(), faReadOnly), 0);
  // OK: the save fails and says so; asked again on closing, Yes fails again and the dialog stays;
  // Cancel then, and No, closes it without saving.
  MessageAnswers answers("Pelorin", {IDOK, IDYES, IDOK, IDNO});
  bool openAfterOk = false;
  std::unique_ptr<Later> cancel;
  const Integer result = RunModal(dialog.get(), [&](HWND wnd) {
    ChooseLine(dialog->GroupComboBox, 2);
    TypeInto(dialog->TargetEdit, "Gottheit");
    ClickOn(dialog->OKBtn);
    cancel.reset(new Later(1500, [&, wnd] {
      openAfterOk = IsWindowVisible(wnd);
      ClickOn(dialog->CancelBtn);
    }));
  });
  FileSetAttr(TranslationFile(), 0);
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(result, mrCancel);
  const std::string error = "Cannot create file \"" + TranslationFile() + "\". ";
  ASSERT_EQ(answers.Texts.size(), 4u);
  EXPECT_EQ(answers.Texts[0].substr(0, error.size()), error);
  EXPECT_EQ(answers.Texts[1], "Do you want to save the changes in the lists?");
  EXPECT_EQ(answers.Texts[2].substr(0, error.size()), error);
  EXPECT_EQ(answers.Texts[3], "Do you want to save the changes in the lists?");
  EXPECT_EQ(ReadFileBytes(TranslationFile()), before);
}

TEST_F(ConsistencyDialogTest, ReferenceListsOpenInTheResultsWindowInTheProjectsVersification) {
  // The project counts verses as the English Bible does, which the map file gives for two of the
  // list's verses.
  WriteFileBytes(ProgramFolder + "English.map", CrLf({"GEN 1:27 - GEN 1:28", "PSA 24:1 - PSA 23:7"}));
  auto mapped = [](Lines lines) {
    for (std::string& line : lines) {
      if (line.rfind("GEN 1:27 ", 0) == 0) line.replace(0, 8, "GEN 1:28");
      if (line.rfind("PSA 24:1 ", 0) == 0) line.replace(0, 8, "PSA 23:7");
    }
    return lines;
  };
  struct Row {
    const char* Name;
    const char* Button;
    Lines Shown;
    std::string Status;
  } rows[] = {
      {"the word shown", "current", mapped(Lines(kAllLines.begin(), kAllLines.begin() + 5)),
       "Ready. The results have been saved to " + ExchangeFile()},
      {"every word", "all", mapped(kAllLines), "Ready"},
  };
  for (const Row& r : rows) {
    auto dialog = Make();
    ResultsLook results(kCaption, std::string("consistency-results-") + r.Button);
    std::string status;
    RunModal(dialog.get(), [&](HWND) {
      ChooseLine(dialog->GroupComboBox, 7);
      ClickOn(r.Button == std::string("current") ? dialog->ProduceSelectedButton : dialog->ProduceAllButton);
      ProcessFor(100);
      status = Status(dialog.get());
      PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(results.Done()) << r.Name;
    EXPECT_EQ(results.Caption, kCaption) << r.Name;
    EXPECT_EQ(results.Title, kCaption) << r.Name;
    EXPECT_EQ(results.Paragraphs, r.Shown) << r.Name;
    EXPECT_EQ(ReadFileBytes(ExchangeFile()), CrLf(r.Shown)) << r.Name;
    EXPECT_EQ(status, r.Status) << r.Name;
  }

  // A project in the lists' own versification takes the references as they are.
  WriteProject("TST", "Test Project", "", "TST.SFM", "test.sty", "1");
  auto dialog = Make();
  ResultsLook results(kCaption);
  RunModal(dialog.get(), [&](HWND) {
    ClickOn(dialog->ProduceAllButton);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(results.Paragraphs, kAllLines);
}

TEST_F(ConsistencyDialogTest, ProducingTheReferencesOfNoWordIsRefused) {
  auto dialog = Make();
  ResultsLook results(kCaption);
  std::string before, afterGroup;
  RunModal(dialog.get(), [&](HWND) {
    ClickOn(dialog->ProduceSelectedButton);
    before = Status(dialog.get());
    ChooseLine(dialog->GroupComboBox, 0);  // "clothes": no word
    ClickOn(dialog->ProduceSelectedButton);
    afterGroup = Status(dialog.get());
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(before, "No references available. First select a group.");
  EXPECT_EQ(afterGroup, "No references available. First select a group.");
  EXPECT_FALSE(results.Done());
  EXPECT_FALSE(FileExists(ExchangeFile()));
}

TEST_F(ConsistencyDialogTest, AReferenceFileThatCannotBeWrittenIsSaidAndNothingIsShown) {
  WriteFileBytes(ExchangeFile(), "GEN 1:1 earlier list\r\n");
  ASSERT_EQ(FileSetAttr(ExchangeFile(), faReadOnly), 0);
  auto dialog = Make();
  ResultsLook results(kCaption);
  MessageAnswers errors("Pelorin", {IDOK});
  std::string status;
  RunModal(dialog.get(), [&](HWND) {
    ClickOn(dialog->ProduceAllButton);
    ProcessFor(200);
    status = Status(dialog.get());
    PressKey(VK_ESCAPE);
  });
  FileSetAttr(ExchangeFile(), 0);
  ASSERT_EQ(errors.Texts.size(), 1u);
  EXPECT_EQ(errors.Texts[0].rfind("Cannot create file \"" + ExchangeFile() + "\". ", 0), 0u) << errors.Texts[0];
  EXPECT_FALSE(results.Done());
  EXPECT_EQ(status, "Wait ...");
  EXPECT_EQ(ReadFileBytes(ExchangeFile()), "GEN 1:1 earlier list\r\n");
}

TEST_F(ConsistencyDialogTest, MissingAndDamagedListFiles) {
  // Damaged references: the lines that cannot be read are named, the rest works.
  WriteFileBytes(ReferenceFile(), Fixture("kwotref-damaged.txt"));
  {
    MessageAnswers problems("Pelorin", {IDOK});
    auto dialog = Make();
    ASSERT_EQ(problems.Texts.size(), 1u);
    EXPECT_EQ(problems.Texts[0],
              "Some lines of the list files could not be read; they have been left out:\r\n\r\n"
              "File " + ReferenceFile() + ", lines 4 to 5: the reference \"0\" cannot be read - skipped\r\n"
              "File " + ReferenceFile() + ", lines 9 to 11: the reference \"GN 1:1\" cannot be read - skipped\r\n"
              "File " + ReferenceFile() + ", lines 12 to 14: the item number \"first\" is not a number - skipped\r\n"
              "File " + ReferenceFile() + ", lines 18 to 19: too few lines for a whole record - skipped");
    std::string memo;
    RunModal(dialog.get(), [&](HWND) {
      ChooseLine(dialog->GroupComboBox, 1);  // "natural things": erets first
      memo = dialog->ReferencesMemo->GetText();
      PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(memo, "PSA 24:1");
  }

  // No list files at all (they are not installed): empty groups, and an empty reference list.
  DeleteFile(ReferenceFile());
  DeleteFile(DefinitionFile());
  DeleteFile(TranslationFile());
  MessageAnswers problems("Pelorin", {IDOK});
  auto dialog = Make();
  ResultsLook results(kCaption);
  Lines words{"left over"};
  RunModal(dialog.get(), [&](HWND) {
    ChooseLine(dialog->GroupComboBox, 3);
    words = ItemsOf(dialog->FloraFaunaListBox->GetItems());
    ClickOn(dialog->ProduceAllButton);
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(problems.Texts.empty());
  EXPECT_TRUE(words.empty());
  EXPECT_TRUE(results.Done());
  EXPECT_TRUE(results.Paragraphs.empty());
  EXPECT_EQ(ReadFileBytes(ExchangeFile()), "");
  EXPECT_FALSE(FileExists(TranslationFile()));
}

TEST_F(ConsistencyDialogTest, KeywordsEditedAreShownOnReturnInTheGroupChosenBefore) {
  auto dialog = Make();
  Lines words;
  std::string status;
  bool edited = false;
  WindowWatch editor("Keywords", [&](HWND wnd) {
    auto* keywords = dynamic_cast<TKeyWordsEditDialog*>(FindControl(wnd));
    ASSERT_TRUE(keywords);
    SetForegroundWindow(wnd);
    TypeInto(keywords->NewEdit, "adam");
    ClickOn(keywords->AddKeywordButton);
    ChooseLine(keywords->GroupComboBox, 1);  // "natural things"
    TypeInto(keywords->EnglishEdit, "man");
    ClickOn(keywords->OKBtn);
    edited = true;
  });
  RunModal(dialog.get(), [&](HWND) {
    ChooseLine(dialog->GroupComboBox, 1);
    ClickOn(dialog->EditButton);
    ProcessFor(100);
    words = ItemsOf(dialog->FloraFaunaListBox->GetItems());
    status = Status(dialog.get());
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(edited);
  EXPECT_EQ(words, (Lines{"erets: earth", "shamayim: heaven", "adam: man"}));
  EXPECT_EQ(status, "Keywords edited");
  EXPECT_EQ(ReadFileBytes(DefinitionFile()), Fixture("kwotdef.txt") + CrLf({"adam", "2", "man"}));
}

}  // namespace
