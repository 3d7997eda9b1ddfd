// The tools of the results list window: the verse text added under each reference (with the
// expected translations highlighted, "Verse not found", and only the verses without a valid
// translation), and comparison output cut down to the lines with a change.
#include <memory>
#include <string>

#include "app/tests/results/ResultsSupport.h"
#include "classlib/Streams.h"
#include "core/FontTable.h"
#include "richtext/core/UVWindowless.h"

namespace {

using namespace results_testing;
using namespace dialog_testing;

const Lines kReferences = {
    "GEN 1:1 Translate as: God, heavens",
    "GEN 1:2 Translate as: void",
    "GEN 1:3 Translate as: lights",
    "GEN 1:5 Translate as: day",
    "GEN 2:1 Spelling: finised",
    "LEV 1:1 Translate as: offering",
    "EXO 1:1 Translate as: name",
};

// What each reference shows: its line, then its verse as runs of styles (0 text, 1 a word that
// holds an expected translation), or "Verse not found".
const std::vector<std::vector<StyledRun>> kShown[] = {
    {{{"GEN 1:1 Translate as: God, heavens", 0}},
     {{"In the beginning ", 0}, {"God", 1}, {" created the ", 0}, {"heavens", 1}, {" and the earth.", 0}}},
    {{{"GEN 1:2 Translate as: void", 0}}, {{"And the earth was without form; \\q and ", 0}, {"void", 1}, {".", 0}}},
    {{{"GEN 1:3 Translate as: lights", 0}}, {{"And God said, Let there be light: and there was light.", 0}}},
    {{{"GEN 1:5 Translate as: day", 0}}, {{"Verse not found", 0}}},
    {{{"GEN 2:1 Spelling: finised", 0}}, {{"Thus the heavens were finished.", 0}}},
    {{{"LEV 1:1 Translate as: offering", 0}}, {{"Verse not found", 0}}},
    {{{"EXO 1:1 Translate as: name", 0}}, {{"Now these are the ", 0}, {"names", 1}, {".", 0}}},
};

class ResultsVersesTest : public ResultsTest {
protected:
  void SetUp() override {
    ResultsTest::SetUp();
    WriteTestBook("GEN", {"\\id GEN", "\\c 1", "\\p", "\\v 1 In the beginning God created the heavens and the earth.",
                          "\\v 2 And the earth was without form;", "\\q and void.",
                          "\\v 3 And God said, Let there be light: and there was light. \\v 4 And God saw the light.",
                          "\\v 10 And God called the dry land Earth.", "\\c 2",
                          "\\v 1 Thus the heavens were finished."});
    WriteTestBook("EXO", {"\\id EXO", "\\c 1", "\\v 1 Now these are the names."});
    WriteReferenceFile(kReferences);
  }
};

TEST_F(ResultsVersesTest, EachReferenceGetsItsVerseWithTheExpectedTranslationsMarked) {
  Fonts[fiAddedText] = TFontRecord{"Courier New", 13, clGreen, TFontStyles{fsBold, fsUnderline}};
  auto dialog = Make("Names of the Old Testament");
  dialog->ShowList(lkReferenceFile);
  Lines statuses;
  std::vector<std::vector<StyledRun>> all, without, again;
  bool offeredBefore = true, offeredAfter = false;
  RunModal(dialog.get(), [&](HWND wnd) {
    StatusRecorder status(dialog->StatusBar1);
    offeredBefore = Enabled(dialog.get(), "ShowWithoutValidTranslation1");
    Command(dialog.get(), "AddVerseText1");
    all = StyledParagraphs(dialog->UzurUvadEdit1);
    offeredAfter = Enabled(dialog.get(), "ShowWithoutValidTranslation1");
    ProcessFor(100);
    testing_support::SaveScreenshot(wnd, "results-verse-text");
    Command(dialog.get(), "ShowWithoutValidTranslation1");
    without = StyledParagraphs(dialog->UzurUvadEdit1);
    Command(dialog.get(), "ShowWithoutValidTranslation1");
    again = StyledParagraphs(dialog->UzurUvadEdit1);
    statuses = status.Texts;
    Command(dialog.get(), "Exit1");
  });
  std::vector<std::vector<StyledRun>> expected;
  for (const auto& shown : kShown) expected.insert(expected.end(), shown.begin(), shown.end());
  EXPECT_EQ(all, expected);
  EXPECT_EQ(again, expected);
  // Only the references whose verse holds none of the expected words (or was not found).
  std::vector<std::vector<StyledRun>> expectedWithout;
  for (int i : {2, 3, 4, 5}) expectedWithout.insert(expectedWithout.end(), kShown[i].begin(), kShown[i].end());
  EXPECT_EQ(without, expectedWithout);
  EXPECT_FALSE(offeredBefore);
  EXPECT_TRUE(offeredAfter);
  const Lines steps = {"Loading all books...", "Extracting verses..."};
  Lines expectedStatuses;
  for (const char* end : {"Showing all verses ready", "Showing verses without valid translation ready",
                          "Showing all verses ready"}) {
    expectedStatuses.insert(expectedStatuses.end(), steps.begin(), steps.end());
    expectedStatuses.push_back(end);
  }
  EXPECT_EQ(statuses, expectedStatuses);
  TFontInfo* marked = dialog->UVStyle1->GetTextStyles()->GetItem(1);
  EXPECT_EQ(marked->FontName, "Courier New");
  EXPECT_EQ(marked->Size, 13);
  EXPECT_EQ(marked->Color, clGreen);
  EXPECT_EQ(marked->Style, (TFontStyles{fsBold, fsUnderline}));
}

TEST_F(ResultsVersesTest, WithoutTheReferenceFileTheListStaysEmpty) {
  auto dialog = Make();
  dialog->ShowList(lkReferenceFile);
  DeleteFile(ReferenceFile());
  Lines statuses;
  RunModal(dialog.get(), [&](HWND) {
    StatusRecorder status(dialog->StatusBar1);
    Command(dialog.get(), "AddVerseText1");
    statuses = status.Texts;
    Command(dialog.get(), "Exit1");
  });
  EXPECT_EQ(dialog->UzurUvadEdit1->GetItemCount(), 0);
  EXPECT_EQ(statuses, Lines{"File " + ReferenceFile() + " does not exist"});
}

// Comparison output as the comparison writes it: each line a paragraph, additions in style 1 and
// removals in style 2 of a style sheet of its own.
std::string ComparisonUvf(const std::vector<std::vector<StyledRun>>& paragraphs) {
  TUVStyle style(nullptr);
  style.GetTextStyles()->GetItem(1)->Style = TFontStyles{fsBold};
  style.GetTextStyles()->GetItem(2)->Style = TFontStyles{fsStrikeOut};
  TUVWindowlessData document(&style);
  for (const auto& paragraph : paragraphs) {
    document.AddNL(paragraph.front().first, paragraph.front().second, 0);
    for (std::size_t i = 1; i < paragraph.size(); ++i) document.Add(paragraph[i].first, paragraph[i].second);
  }
  TMemoryStream stream;
  document.SaveUVFToStream(&stream, false, clNone, nullptr, nullptr);
  return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

TEST_F(ResultsVersesTest, ComparisonOutputKeepsTheLinesWithAChangeUnderTheirReferences) {
  const std::vector<std::vector<StyledRun>> comparison = {
      {{"Comparison between the current version and an earlier version of Genesis.", 0}},
      {{"Words added to the current version are marked like this: ", 0}, {"Word added", 1}},
      {{"\\id GEN", 0}},
      {{"\\c 1", 0}},
      {{"\\p", 0}},
      {{"\\v 1 In the ", 0}, {"start", 1}, {"beginning", 2}, {" God", 0}},
      {{"\\v 2 And the earth", 0}},
      {{"\\p ", 0}, {"new", 1}},
      {{"\\s ", 0}, {"Heading", 2}},
      {{"\\c 2", 0}},
      {{"\\v 1 ", 0}, {"Thus", 1}},
      {{"Comparison finished - 5 changes.", 0}},
  };
  auto dialog = Make("Comparison of Genesis");
  const std::string uvf = ComparisonUvf(comparison);
  dialog->SourceStream->Write(uvf.data(), static_cast<Integer>(uvf.size()));
  dialog->ShowList(lkUVF);
  Lines statuses;
  std::vector<std::vector<StyledRun>> changes, complete;
  RunModal(dialog.get(), [&](HWND wnd) {
    StatusRecorder status(dialog->StatusBar1);
    Command(dialog.get(), "ShowOnlyChanges1");
    changes = StyledParagraphs(dialog->UzurUvadEdit1);
    ProcessFor(100);
    testing_support::SaveScreenshot(wnd, "results-only-changes");
    Command(dialog.get(), "ShowOnlyChanges1");
    complete = StyledParagraphs(dialog->UzurUvadEdit1);
    statuses = status.Texts;
    Command(dialog.get(), "Exit1");
  });
  const std::vector<std::vector<StyledRun>> expected = {
      comparison[0],
      comparison[1],
      {{"GEN 1:1 \\v 1 In the ", 0}, {"start", 1}, {"beginning", 2}, {" God", 0}},
      {{"GEN 1:2 \\p ", 0}, {"new", 1}},
      {{" \\s ", 0}, {"Heading", 2}},
      {{"GEN 2:1 \\v 1 ", 0}, {"Thus", 1}},
      comparison[11],
  };
  EXPECT_EQ(changes, expected);
  EXPECT_EQ(complete, comparison);
  EXPECT_FALSE(dialog->ShowOnlyChanges1->GetChecked());
  EXPECT_EQ(statuses, (Lines{"Loading text again ...", "Viewing complete text", "Looking for changes ...",
                             "Viewing only lines with changes", "Loading text again ...", "Viewing complete text"}));
}

}  // namespace
