// The advanced search dialog: the modes chosen with their buttons, a phrase search whose hits go to
// "pelorin.ref" and open in the results list window, the word list of mode 4 searched by mode 5,
// a search without a phrase refused, and "&OK" keeping what was typed.
#include <memory>

#include "app/AdvancedSearchUnit.h"
#include "app/PrintGeneralLists.h"
#include "app/tests/names/NamesDialogsSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/Graphics.h"

namespace {

using namespace names_testing;
using testing_support::ReadFileBytes;
using testing_support::SaveScreenshot;
using testing_support::WindowWatch;
using testing_support::WriteFileBytes;

class AdvancedSearchDialogTest : public app_testing::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteTestBook("MAT", {"\\id MAT", "\\c 1", "\\p", "\\v 1 The LORD said to my Lord: sit.",
                          "\\v 2 The lordship of the Lord is for ever."});
  }
  std::string ReferenceFile() const { return Projects() + "pelorin.ref"; }
  std::string WordList() const { return WorkFolder() + "SearchData.txt"; }
  static std::string Status(TAdvancedSearchForm* d) { return d->StatusBar1->GetSimpleText(); }
};

TEST_F(AdvancedSearchDialogTest, PhraseSearchHitsOpenInTheResultsListWindow) {
  std::unique_ptr<TAdvancedSearchForm> d(new TAdvancedSearchForm(nullptr));
  Lines hits, shown;
  std::string status, caption;
  RunModal(d.get(), [&](HWND wnd) {
    EXPECT_TRUE(d->SearchRadioButton->GetChecked());
    ClickOn(d->W);
    TypeText("lord");
    ClickOn(d->F[0]);
    TypeText("ship");
    ClickOn(d->P[1]);
    TypeText("my ");
    ClickOn(wnd, "&Search");
    hits = ItemsOf(d->ResultsBox->GetItems());
    status = Status(d.get());
    SaveScreenshot(wnd, "advanced-search");

    const ShownList list = OpenResultsList(wnd, "&Results to editor", "advanced-search-results");
    caption = list.Caption;
    shown = list.Text;
    ClickOn(wnd, "&OK");
  });
  const Lines expected = {"MAT 1:1 \t\t[1]LORD", "MAT 1:2 \t\t[2]Lord"};
  EXPECT_EQ(hits, expected);
  EXPECT_EQ(status, "Ready. The results (2) have been saved to " + ReferenceFile() + ".");
  EXPECT_EQ(ReadFileBytes(ReferenceFile()), CrLf(expected));
  EXPECT_EQ(caption, "Advanced Search");
  ASSERT_GE(shown.size(), 2u);
  EXPECT_NE(shown[0].find("MAT 1:1"), std::string::npos) << shown[0];
  EXPECT_NE(shown[0].find("LORD"), std::string::npos) << shown[0];
  // "&OK" stored what was typed.
  EXPECT_EQ(ReadSettingString("Search Word"), "lord");
  EXPECT_EQ(ReadSettingString("Search P2"), "my ");
  EXPECT_EQ(ReadSettingString("Search F1"), "ship");
  EXPECT_EQ(ReadSettingString("Search WW"), "");
}

// A Spanish team's search typed in small letters finds the word in capitals too, in the phrase
// mode and in the word list.
TEST_F(AdvancedSearchDialogTest, AccentedWordsFoundInEveryLetterCase) {
  core_testing::WriteSpanishLetters();
  LoadCheckSettings();
  WriteTestBook("JHN", {"\\id JHN", "\\c 1", "\\p", "\\v 1 Jes\xFAs dijo: JES\xDAS es el SE\xD1OR.",
                        "\\v 2 Y jes\xFAs y el se\xF1or."});
  std::unique_ptr<TAdvancedSearchForm> d(new TAdvancedSearchForm(nullptr));
  std::string typed;
  Lines phraseHits, listHits;
  RunModal(d.get(), [&](HWND wnd) {
    ClickOn(d->W);
    TypeText("jes\xFAs");
    typed = d->W->GetText();
    ClickOn(wnd, "&Search");
    phraseHits = ItemsOf(d->ResultsBox->GetItems());
    SaveScreenshot(wnd, "advanced-search-accented");

    ClickOn(wnd, "&5 Search -->");
    ClickOn(d->PelorinTxtMemo);
    TypeText("se\xF1or");
    ClickOn(wnd, "&Search");
    listHits = ItemsOf(d->ResultsBox->GetItems());
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(typed, "jes\xFAs");
  EXPECT_EQ(phraseHits, (Lines{"JHN 1:1 \t\t[1]Jes\xFAs", "JHN 1:1 \t\t[2]JES\xDAS", "JHN 1:2 \t\t[1]jes\xFAs"}));
  EXPECT_EQ(listHits, (Lines{"JHN 1:1 \t\t[1]SE\xD1OR", "JHN 1:2 \t\t[1]se\xF1or"}));
}

TEST_F(AdvancedSearchDialogTest, ModesColourTheirControls) {
  std::unique_ptr<TAdvancedSearchForm> d(new TAdvancedSearchForm(nullptr));
  struct Row {
    const char* Button;
    bool Phrase, Verse, Containing, List;
  } rows[] = {
      {"&3 Search -->", false, true, false, false}, {"&4 Search -->", false, false, true, false},
      {"&5 Search -->", false, false, false, true}, {"&2 Search ALL CAPS", false, false, false, false},
      {"&1 Search -->", true, false, false, false},
  };
  RunModal(d.get(), [&](HWND wnd) {
    for (const Row& r : rows) {
      ClickOn(wnd, r.Button);
      const auto active = [](TControl* c) { return c->GetColor() == clWindow; };
      EXPECT_EQ(active(d->W), r.Phrase) << r.Button;
      EXPECT_EQ(active(d->P[3]), r.Phrase) << r.Button;
      EXPECT_EQ(active(d->F[2]), r.Phrase) << r.Button;
      EXPECT_EQ(active(d->V[1]), r.Verse) << r.Button;
      EXPECT_EQ(active(d->WW), r.Containing) << r.Button;
      EXPECT_EQ(active(d->PelorinTxtMemo), r.List) << r.Button;
      EXPECT_EQ(d->PelorinTxtMemo->GetReadOnly(), !r.List) << r.Button;
      EXPECT_TRUE(d->W->GetEnabled()) << r.Button;
      if (std::string(r.Button) == "&3 Search -->") SaveScreenshot(wnd, "advanced-search-mode-3");
    }
    PressKey(VK_ESCAPE);
  });
}

TEST_F(AdvancedSearchDialogTest, WordListOfModeFourIsSearchedByModeFive) {
  WriteFileBytes(ReferenceFile(), "old\r\n");
  std::unique_ptr<TAdvancedSearchForm> d(new TAdvancedSearchForm(nullptr));
  Lines words, memo, hits, statuses;
  RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&4 Search -->");
    ClickOn(d->WW);
    TypeText("ORD");
    ClickOn(wnd, "&Search");
    words = ItemsOf(d->ResultsBox->GetItems());
    memo = ItemsOf(d->PelorinTxtMemo->GetLines());
    statuses.push_back(Status(d.get()));

    ClickOn(wnd, "&5 Search -->");
    ClickOn(d->PelorinTxtMemo);
    SendKeyEvents({{VK_CONTROL, false}, {VK_END, false}, {VK_END, true}, {VK_CONTROL, true}});
    PressKey(VK_RETURN);  // the word list takes Enter as a new line
    PressKey(VK_RETURN);
    TypeText("sit");
    PressKey(VK_RETURN);
    ClickOn(wnd, "&Search");
    hits = ItemsOf(d->ResultsBox->GetItems());
    statuses.push_back(Status(d.get()));
    PressKey(VK_ESCAPE);  // "&OK" is also the cancel button
  });
  EXPECT_EQ(words, (Lines{"LORD", "lordship"}));
  EXPECT_EQ(memo, words);
  EXPECT_EQ(statuses, (Lines{"Ready. The results (2) have been saved to " + WordList() + ".",
                             "Ready. The results (5) have been saved to " + ReferenceFile() + "."}));
  EXPECT_EQ(hits, (Lines{"MAT 1:1 \t\t[1]LORD", "MAT 1:1 \t\t[2]Lord", "MAT 1:1 \t\t[3]sit", "MAT 1:2 \t\t[1]lordship",
                         "MAT 1:2 \t\t[2]Lord"}));
  // The empty lines went before the search; "&OK" saved the list.
  EXPECT_EQ(ReadFileBytes(WordList()), CrLf({"LORD", "lordship", "sit"}));
}

TEST_F(AdvancedSearchDialogTest, NothingToSearchForOrToShow) {
  WriteFileBytes(ReferenceFile(), "old\r\n");
  std::unique_ptr<TAdvancedSearchForm> d(new TAdvancedSearchForm(nullptr));
  Lines statuses;
  RunModal(d.get(), [&](HWND wnd) {
    ClickOn(wnd, "&Search");  // mode 1 without a phrase
    statuses.push_back(Status(d.get()));
    ClickOn(wnd, "&3 Search -->");
    ClickOn(wnd, "&Search");
    statuses.push_back(Status(d.get()));
    ClickOn(wnd, "&Results to editor");
    statuses.push_back(Status(d.get()));
    ClickOn(d->V[0]);
    TypeText("xyz");
    ClickOn(wnd, "&3 Search -->");
    ClickOn(wnd, "&Search");
    statuses.push_back(Status(d.get()));
    ClickOn(wnd, "&Results to editor");
    statuses.push_back(Status(d.get()));
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(statuses, (Lines{"First enter the search phrase, then press the Search button",
                             "First enter the search phrase, then press the Search button",
                             "There are no results to transfer to the editor", "No matches found.",
                             "There are no results to transfer to the editor"}));
  EXPECT_EQ(ReadFileBytes(ReferenceFile()), "");  // the search without a hit replaced it
}

TEST_F(AdvancedSearchDialogTest, TypedTextsAreReadBackWhenTheDialogOpens) {
  WriteSettingString("Search Word", "<any capital>ord");
  WriteSettingString("Search V3", "sit");
  WriteFileBytes(WordList(), CrLf({"lord", "sit"}));
  std::unique_ptr<TAdvancedSearchForm> d(new TAdvancedSearchForm(nullptr));
  Lines hits;
  std::string v3;
  Lines memo;
  RunModal(d.get(), [&](HWND wnd) {
    v3 = d->V[2]->GetText();
    memo = ItemsOf(d->PelorinTxtMemo->GetLines());
    ClickOn(wnd, "&Search");
    hits = ItemsOf(d->ResultsBox->GetItems());
    ClickOn(wnd, "&OK");
  });
  EXPECT_EQ(v3, "sit");
  EXPECT_EQ(memo, (Lines{"lord", "sit"}));
  EXPECT_EQ(hits, (Lines{"MAT 1:1 \t\t[1]LORD", "MAT 1:1 \t\t[2]Lord", "MAT 1:2 \t\t[1]Lord"}));
}

}  // namespace
