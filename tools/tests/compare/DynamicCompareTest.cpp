// The comparison engine: the document it writes (item by item, with text styles), the change
// count and the change positions, for small books that show each rule; and over a whole book of
// the KJV, the current text read back whole from the document.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UzurUvad.h"
#include "tools/ComparisonReport.h"
#include "tools/DynamicCompareUnit.h"
#include "tools/tests/support/CompareTestSupport.h"

namespace {

using namespace compare_testing;

class DynamicCompareTest : public core_testing::CoreTest {
protected:
  struct Result {
    Lines Paragraphs;
    Integer Count;
    std::unique_ptr<VUzurUvad> Viewer;
  };
  // Compares the current lines with the earlier lines (none: no earlier file) into a fresh viewer.
  Result Compare(const Lines& current, const std::optional<Lines>& earlier) {
    const std::string currentFile = temp_.File("current.sfm"), earlierFile = temp_.File("earlier.sfm");
    WriteLines(currentFile, current);
    DeleteFile(earlierFile);
    if (earlier) WriteLines(earlierFile, *earlier);
    std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
    std::unique_ptr<TStringList> positions(new TStringList());
    const Integer count = CompareVersionTexts(currentFile, earlierFile, positions.get(), viewer.get(), nullptr);
    // Every changed item, and only those, has its position recorded, in document order.
    EXPECT_EQ(LinesOf(positions.get()), StyledItemPositions(viewer->GetUVData()));
    Lines paragraphs = DescribeParagraphs(viewer->GetUVData());
    return {std::move(paragraphs), count, std::move(viewer)};
  }
};

TEST_F(DynamicCompareTest, WritesTheCurrentVersionWithEveryChangeMarked) {
  struct Row {
    const char* Name;
    Lines Current;
    std::optional<Lines> Earlier;
    Lines Expected;
    Integer Count;
  } rows[] = {
      {"an identical book is copied line by line",
       {"\\id GEN", "\\c 1", "\\v 1 In the beginning.", "\\c 2", "\\v 1 Thus."},
       Lines{"\\id GEN", "\\c 1", "\\v 1 In the beginning.", "\\c 2", "\\v 1 Thus."},
       {"\\id GEN", "\\c 1", "\\v 1 In the beginning.", "\\c 2", "\\v 1 Thus."},
       0},
      {"a word changed: the tokens between are removed, blanks included",
       {"\\id GEN", "\\c 1", "\\v 1 In the beginning God made heaven."},
       Lines{"\\id GEN", "\\c 1", "\\v 1 In the beginning God created heaven."},
       {"\\id GEN", "|\\|c| |1",
        "|\\|v| |1| |In| |the| |beginning| |God| |<+made>| |<-created>|<- >|heaven|."},
       3},
      {"a verse added and another removed are whole lines",
       {"\\c 1", "\\v 1 A.", "\\v 2 B.", "\\v 4 D."},
       Lines{"\\c 1", "\\v 1 A.", "\\v 3 C.", "\\v 4 D."},
       {"|\\|c| |1", "|\\|v| |1| |A|.", "<+\\v 2 B.>", "<-\\v 3 C.>", "|\\|v| |4| |D|."},
       2},
      {"a chapter added is compared with nothing",
       {"\\c 1", "\\v 1 A.", "\\c 2", "\\v 1 New text."},
       Lines{"\\c 1", "\\v 1 A."},
       {"\\c 1", "\\v 1 A.", "<+\\c 2>", "<+\\v 1 New text.>"},
       2},
      {"an empty old version: every line is added",
       {"\\id GEN", "\\c 1", "\\v 1 A."},
       std::nullopt,
       {"<+\\id GEN>", "<+\\c 1>", "<+\\v 1 A.>"},
       3},
      {"an empty current version writes nothing", {}, Lines{"\\id GEN", "\\c 1", "\\v 1 A."}, {}, 0},
      {"chapters the earlier version has beyond the current one are left out",
       {"\\c 1", "\\v 1 A."},
       Lines{"\\c 1", "\\v 1 A.", "\\c 2", "\\v 1 B."},
       {"\\c 1", "\\v 1 A."},
       0},
      {"a word differing only in letter case counts two",
       {"\\c 1", "\\v 1 the Lord said"},
       Lines{"\\c 1", "\\v 1 the lord said"},
       {"|\\|c| |1", "|\\|v| |1| |the| |<+Lord>|<-lord>| |said"},
       2},
      {"a comma added before a word found later takes no earlier token; the earlier comma is removed",
       {"\\c 1", "\\v 1 Now, go!"},
       Lines{"\\c 1", "\\v 1 Now go, then!"},
       {"|\\|c| |1", "|\\|v| |1| |Now|<+,>| |go|<-,>|<- >|<-then>|!"},
       4},
      {"a full stop is added as a comma is, when the earlier one lies further on",
       {"\\c 1", "\\v 1 Now, go."},
       Lines{"\\c 1", "\\v 1 Now go, then."},
       {"|\\|c| |1", "|\\|v| |1| |Now|<+,>| |go|<+.>|<-,>|<- >|<-then>|<-.>"},
       6},
      {"a line without digits is paired by its first four characters",
       {"\\c 1", "\\s The flood", "\\p", "\\v 1 A."},
       Lines{"\\c 1", "\\s The deluge", "\\p", "\\v 1 A."},
       {"|\\|c| |1", "|\\|s| |The| |<+flood>|<-deluge>", "|\\|p", "|\\|v| |1| |A|."},
       2},
      {"a verse whose key is beyond the window is added, the earlier lines removed at the end",
       {"\\c 1", "\\v 9 Nine."},
       Lines{"\\c 1", "\\v 1 A.", "\\v 2 B.", "\\v 3 C.", "\\v 4 D.", "\\v 5 E.", "\\v 6 F.", "\\v 9 Nine."},
       {"|\\|c| |1", "<+\\v 9 Nine.>", "<-\\v 1 A.>", "<-\\v 2 B.>", "<-\\v 3 C.>", "<-\\v 4 D.>", "<-\\v 5 E.>",
        "<-\\v 6 F.>", "<-\\v 9 Nine.>"},
       8},
      {"a verse whose key is within the window: the lines before it are removed",
       {"\\c 1", "\\v 6 F."},
       Lines{"\\c 1", "\\v 1 A.", "\\v 2 B.", "\\v 3 C.", "\\v 4 D.", "\\v 5 E.", "\\v 6 F."},
       {"|\\|c| |1", "<-\\v 1 A.>", "<-\\v 2 B.>", "<-\\v 3 C.>", "<-\\v 4 D.>", "<-\\v 5 E.>", "|\\|v| |6| |F|."},
       5},
  };
  for (const Row& r : rows) {
    const Result result = Compare(r.Current, r.Earlier);
    EXPECT_EQ(result.Paragraphs, r.Expected) << r.Name;
    EXPECT_EQ(result.Count, r.Count) << r.Name;
  }
}

TEST_F(DynamicCompareTest, WordCharactersComeFromTheSettings) {
  // With the apostrophe a word character, "don't" is one token that pairs as a whole.
  WriteSettingString("Small Letters", "abcdefghijklmnopqrstuvwxyz'");
  const Result result = Compare({"\\c 1", "\\v 1 I don't go."}, Lines{"\\c 1", "\\v 1 I dont go."});
  EXPECT_EQ(result.Paragraphs, (Lines{"|\\|c| |1", "|\\|v| |1| |I| |<+don't>| |<-dont>|<- >|go|."}));
  EXPECT_EQ(result.Count, 3);
}

TEST_F(DynamicCompareTest, ChangePositionsAreSevenDigits) {
  struct Row {
    Integer Item;
    const char* Text;
  } rows[] = {{0, "0000000"}, {12, "0000012"}, {9999999, "9999999"}, {12345678, "2345678"}};
  for (const Row& r : rows) EXPECT_EQ(ChangePositionText(r.Item), r.Text) << r.Item;
}

TEST_F(DynamicCompareTest, TheChapterNumbersAreShownInTheStatusBar) {
  // A status bar needs its window; a plain form holds it.
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* bar = new TStatusBar(form.get());
  bar->SetParent(form.get());
  bar->SetSimplePanel(true);
  WriteLines(temp_.File("a.sfm"), {"\\id GEN", "\\c 1", "\\v 1 A.", "\\c 12", "\\v 1 B."});
  std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
  std::unique_ptr<TStringList> positions(new TStringList());
  CompareVersionTexts(temp_.File("a.sfm"), temp_.File("missing.sfm"), positions.get(), viewer.get(), bar);
  EXPECT_EQ(bar->GetSimpleText(), "Chapter 12");
}

TEST_F(DynamicCompareTest, TheReportNamesTheVersionsAndCountsTheChanges) {
  WriteSettingString("Date format", "yyyy-mm-dd");
  WriteLines(temp_.File("new.sfm"), {"\\c 1", "\\v 1 A b."});
  WriteLines(temp_.File("old.sfm"), {"\\c 1", "\\v 1 A."});
  const Lines header = {"2024-03-05", "Comparison between the current version (New Bible) and an earlier version (Old Bible) of Ruth."};
  const Lines legend = {"", "Words added to the current version are marked like this: |<+Word added>", "",
                        "Words removed from the current version are marked like this: |<-Word removed>", "", ""};
  struct Row {
    const char* Earlier;
    Lines Note;
    Lines Comparison;
    const char* Closing;
    Integer Count;
  } rows[] = {
      {"old.sfm", {}, {"|\\|c| |1", "|\\|v| |1| |A| |<+b>|."}, "Comparison finished - 1 changes.", 1},
      {"NEW.SFM",
       {"", "Note: the current version has been compared with itself, as both filenames are the same."},
       {"\\c 1", "\\v 1 A b."},
       "Comparison finished - 0 changes.", 0},
  };
  for (const Row& r : rows) {
    std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
    viewer->AddNL("kept", 0, 0);
    std::unique_ptr<TStringList> positions(new TStringList());
    const TComparedVersions versions{"New Bible", "Old Bible", "Ruth", temp_.File("new.sfm"), temp_.File(r.Earlier)};
    const Integer count = WriteComparisonReport(viewer->GetUVData(), versions, EncodeDate(2024, 3, 5) + 0.5,
                                                positions.get(), nullptr);
    Lines expected = {"kept"};
    for (const Lines* part : {&header, &r.Note, &legend, &r.Comparison}) expected.insert(expected.end(), part->begin(), part->end());
    expected.insert(expected.end(), {"", r.Closing, ""});
    EXPECT_EQ(DescribeParagraphs(viewer->GetUVData()), expected) << r.Earlier;
    EXPECT_EQ(count, r.Count) << r.Earlier;
  }
}

// Edits words of a KJV book in many places; the current text must read back exactly from the
// items not marked removed, and every word put in must be marked added.
TEST_F(DynamicCompareTest, AKjvBookReadsBackWholeWithItsEditsMarked) {
  const std::string kjv = testing_support::KjvDataFolder();
  ASSERT_FALSE(kjv.empty());
  std::unique_ptr<TStringList> book(new TStringList());
  book->LoadFromFile(kjv + "KJV\\19PSAKJV.SFM");
  const Lines earlier = LinesOf(book.get());
  Lines current = earlier;
  int edits = 0, caseChanges = 0;
  for (std::size_t i = 7; i < current.size(); i += 41) {
    std::string& line = current[i];
    const std::size_t blank = line.find(' ', 8);
    if (line.rfind("\\v ", 0) != 0 || blank == std::string::npos) continue;
    line.insert(blank + 1, "Zyzzyva ");  // a word no verse holds
    ++edits;
    const std::size_t the = line.find(" the ");
    if (the == std::string::npos) continue;
    line.replace(the + 1, 3, "THE");
    ++caseChanges;
  }
  ASSERT_GT(edits, 40);
  current.erase(current.begin() + 400);           // a line removed
  current.insert(current.begin() + 900, "\\q");  // a line added

  const Result result = Compare(current, earlier);
  TCustomUVData* document = result.Viewer->GetUVData();
  Lines readBack;
  int added = 0;
  bool removedLine = false;
  for (Integer i = 0; i < document->GetItemCount(); ++i) {
    const Integer style = document->GetItemStyle(i);
    if (document->IsParaStart(i)) {
      // A removed line is a paragraph of its own.
      removedLine = style == csRemoved;
      if (!removedLine) readBack.emplace_back();
    }
    if (removedLine) continue;
    if (style != csRemoved) readBack.back() += document->GetItemText(i);
    if (style == csAdded && document->GetItemText(i) == "Zyzzyva") ++added;
  }
  EXPECT_EQ(readBack, current);
  EXPECT_EQ(added, edits);
  // Each word put in counts one, each word whose case changed two, and each line one.
  EXPECT_EQ(result.Count, edits + 2 * caseChanges + 2);
}

}  // namespace
