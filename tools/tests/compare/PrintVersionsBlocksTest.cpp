// Verse blocks of several versions: which lines of each version join each verse of the first, the
// labels, the versions that lack a verse, the comparison's marks, the example, and the table a
// block goes into.
#include <memory>
#include <string>
#include <vector>

#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVTable.h"
#include "tools/PrintVersionsBlocks.h"
#include "tools/tests/support/CompareTestSupport.h"

namespace {

using namespace compare_testing;

// An item in style 0 as its text, in another style N as "<N:text>".
std::string BlockItem(const std::string& text, Integer style) {
  return style == 0 ? text : "<" + std::to_string(style) + ":" + text + ">";
}

// Each block as its entries, each entry its items joined by "|".
std::vector<Lines> DescribeBlocks(const std::vector<TVersionBlock>& blocks) {
  std::vector<Lines> described;
  for (const TVersionBlock& block : blocks) {
    Lines entries;
    for (const TBlockEntry& entry : block) {
      std::string line;
      for (std::size_t i = 0; i < entry.size(); ++i) line += (i ? "|" : "") + BlockItem(entry[i].Text, entry[i].Style);
      entries.push_back(line);
    }
    described.push_back(entries);
  }
  return described;
}

TPrintedVersion Version(const std::string& label, const Lines& lines) {
  TPrintedVersion version{label, {}};
  for (const std::string& line : lines) version.Lines.push_back(line);
  return version;
}

std::vector<Lines> Build(const std::vector<TPrintedVersion>& versions, const TPrintedComparison& comparison) {
  std::vector<TVersionBlock> blocks;
  BuildVersionBlocks(versions, comparison, [&](const TVersionBlock& block) { blocks.push_back(block); }, nullptr);
  return DescribeBlocks(blocks);
}

class PrintVersionsBlocksTest : public core_testing::CoreTest {};

TEST_F(PrintVersionsBlocksTest, EachVerseOfTheFirstVersionGathersTheOthers) {
  const std::vector<TPrintedVersion> versions = {
      Version("AAA", {"\\id GEN", "\\c 1", "\\s Heading", "\\v 1 In the beginning.", "\\v 2 And the earth."}),
      // Continued text (lines that begin with a blank) goes with its verse.
      Version("BBB", {"\\id GEN", "\\c 1", "\\v 1 Au commencement.", " suite du verset", "\\v 2 La terre."}),
      // A version that ends early has no more entries.
      Version("CCC", {"\\c 1", "\\v 1 One."}),
      // A version without the verse says so and keeps its place for the next one.
      Version("DDD", {"\\c 1", "\\v 2 Two."}),
      // A version without the book has no entries.
      Version("", {}),
  };
  EXPECT_EQ(Build(versions, {}),
            (std::vector<Lines>{
                {"AAA \\id G|<1:EN>", "AAA 1:\\c 1|<1:>", "BBB 1:\\id G|<2:EN>", "BBB 1:\\c 1|<2:>",
                 "CCC 1:\\c 1|<3:>", "DDD 1:\\c 1|<4:>"},
                {"AAA 1:\\s He|<1:ading>", "AAA 1:\\v 1 |<1:In the beginning.>", "BBB 1:\\v 1 |<2:Au commencement.>",
                 "<2: suite du verset>", "CCC 1:\\v 1 |<3:One.>", "DDD 1: verse not found"},
                {"AAA 1:\\v 2 |<1:And the earth.>", "BBB 1:\\v 2 |<2:La terre.>", "DDD 1:\\v 2 |<4:Two.>"},
            }));
}

TEST_F(PrintVersionsBlocksTest, ThreeDigitVersesAndFarVersesAndLongLines) {
  const std::string longText(1200, 'x');
  const std::vector<TPrintedVersion> versions = {
      Version("A", {"\\c 119", "\\v 100 Hundred.", "\\v 101 " + longText}),
      // The verse lies seven lines on: beyond the six looked at.
      Version("B", {"\\c 119", "\\q", "\\q", "\\q", "\\q", "\\q", "\\q", "\\v 100 Far."}),
  };
  const std::vector<Lines> blocks = Build(versions, {});
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0], (Lines{"A 119:\\c 11|<1:9>", "B 119:\\c 11|<2:9>"}));
  // The label takes the first five characters, so the last digit moves into the text.
  EXPECT_EQ(blocks[1], (Lines{"A 119:\\v 10|<1:0 Hundred.>", "B 119: verse not found"}));
  EXPECT_EQ(blocks[2][0], "A 119:\\v 10|<1:1 " + longText.substr(0, 998) + ">");
}

TEST_F(PrintVersionsBlocksTest, TheComparisonJoinsEachBlockWithItsMarks) {
  std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
  viewer->AddNL("\\id GEN", 0, 0);
  viewer->AddNL("\\c 1", 0, 0);
  viewer->AddNL("", 0, 0);
  for (const auto& [text, style] : std::vector<std::pair<std::string, int>>{
           {"\\", 0}, {"v", 0}, {" ", 0}, {"1", 0}, {" ", 0}, {"In", 0}, {" ", 0}, {"the", 1}, {"a", 2}, {".", 0}})
    viewer->Add(text, style);
  viewer->AddNL("\\v 2 And the earth.", 0, 0);
  const TPrintedComparison comparison = ReadPrintedComparison(viewer->GetUVData(), "AAA-BBB");
  EXPECT_EQ(comparison.Lines, (std::vector<AnsiString>{"\\id GEN", "\\c 1", "\\v 1 In thea.", "\\v 2 And the earth."}));

  const std::vector<TPrintedVersion> versions = {
      Version("AAA", {"\\id GEN", "\\c 1", "\\v 1 In the beginning.", "\\v 2 And the earth.", "\\v 3 More."})};
  EXPECT_EQ(Build(versions, comparison),
            (std::vector<Lines>{
                {"AAA \\id G|<1:EN>", "AAA 1:\\c 1|<1:>", "AAA-BBB 1:|\\id GEN", "AAA-BBB 1:|\\c 1"},
                {"AAA 1:\\v 1 |<1:In the beginning.>", "AAA-BBB 1:||\\|v| |1| |In| |<8:the>|<9:a>|."},
                {"AAA 1:\\v 2 |<1:And the earth.>", "AAA-BBB 1:|\\v 2 And the earth."},
                // No comparison line is left: nothing is said.
                {"AAA 1:\\v 3 |<1:More.>"},
            }));

  // A verse the comparison has not got within eight lines.
  const std::vector<TPrintedVersion> other = {Version("AAA", {"\\c 1", "\\v 9 Nine."})};
  EXPECT_EQ(Build(other, comparison), (std::vector<Lines>{{"AAA 1:\\c 1|<1:>", "AAA-BBB 1:|\\id GEN", "AAA-BBB 1:|\\c 1"},
                                                           {"AAA 1:\\v 9 |<1:Nine.>", "AAA-BBB 1: verse not found"}}));
}

TEST_F(PrintVersionsBlocksTest, TheComparisonTitleNamesTheVersionsThatHaveTheBook) {
  EXPECT_EQ(ComparisonTitle("NEW", true, "OLD", true), "NEW-OLD");
  EXPECT_EQ(ComparisonTitle("NEW", true, "OLD", false), "NEW");
  EXPECT_EQ(ComparisonTitle("NEW", false, "OLD", true), "-OLD");
  EXPECT_EQ(ComparisonTitle("NEW", false, "OLD", false), "");
}

TEST_F(PrintVersionsBlocksTest, TheExampleShowsTheFirstVerseOfEachVersion) {
  struct Row {
    const char* Title;
    bool NewerMissing, OlderMissing;
    Lines Expected;
  } rows[] = {
      {"", false, false, {"Example", "", "<1:1: \\v 1 In the beginning.>", "<3:1: \\v 1 One.>"}},
      {"NEW-OLD", false, false,
       {"Example", "", "<1:1: \\v 1 In the beginning.>", "<3:1: \\v 1 One.>",
        "1: NEW-OLD - comparison of newer and older versions"}},
      {"-OLD", true, false,
       {"Example", "", "<1:1: \\v 1 In the beginning.>", "<3:1: \\v 1 One.>",
        "1: -OLD - comparison of newer and older versions - newer file missing"}},
      {"NEW", false, true,
       {"Example", "", "<1:1: \\v 1 In the beginning.>", "<3:1: \\v 1 One.>",
        "1: NEW - comparison of newer and older versions - older file missing"}},
  };
  const std::vector<TPrintedVersion> versions = {Version("AAA", {"\\id GEN", "\\c 1", "\\v 1 In the beginning."}),
                                                 Version("", {}), Version("CCC", {"\\c 1", "\\v 1 One."})};
  for (const Row& r : rows) {
    std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
    WriteVersionsExample(viewer->GetUVData(), versions, r.Title, r.NewerMissing, r.OlderMissing);
    Lines paragraphs;
    for (Integer i = 0; i < viewer->GetItemCount(); ++i)
      paragraphs.push_back(BlockItem(viewer->GetItemText(i), viewer->GetItemStyle(i)));
    EXPECT_EQ(paragraphs, r.Expected) << r.Title;
  }
}

TEST_F(PrintVersionsBlocksTest, ABlockFillsTheSingleCellOfATable) {
  std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
  const TVersionBlock block = {{{"AAA 1:\\v 1 ", 0}, {"In the beginning.", 1}}, {{" more", 2}}};
  std::unique_ptr<TUVTableItemInfo> table(MakeBlockTable(block, viewer->GetUVData()));
  ASSERT_EQ(table->GetRowCount(), 1);
  ASSERT_EQ(table->GetColCount(), 1);
  EXPECT_EQ(DescribeParagraphs(table->GetCells(0, 0)), (Lines{"|AAA 1:\\v 1 |<+In the beginning.>", "|<-" " more>"}));
  EXPECT_EQ(table->GetBestWidth(), -100);
}

}  // namespace
