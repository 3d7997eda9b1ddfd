// Comparisons of whole KJV books with earlier versions that differ in nearly every verse: the
// document, the change positions and the count stay byte for byte what they were (fingerprints
// taken from the comparison as it was first written).
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UzurUvad.h"
#include "tools/ComparisonReport.h"
#include "tools/DynamicCompareUnit.h"
#include "tools/tests/support/CompareTestSupport.h"
#include "tools/tests/support/DifferentVersions.h"
#include "tools/tests/support/KjvBooks.h"

namespace {

using namespace compare_testing;
using tools_testing::Fingerprint;

class LongComparisonTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    for (tools_testing::KjvBook& book : tools_testing::ReadKjvBooks()) books_[book.FileName.substr(2, 3)] = book.Lines;
  }
  Lines Book(const std::string& id) const {
    auto found = books_.find(id);
    return found == books_.end() ? Lines() : Lines(found->second.begin(), found->second.end());
  }
  std::map<std::string, TextLines> books_;
};

// The earlier versions: each verse with the text of a verse some lines on, or its words reversed.
TEST_F(LongComparisonTest, WholeBooksAgainstVeryDifferentVersionsGiveTheResultsTheyGave) {
  if (books_.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  struct Row {
    const char* Book;
    const char* Earlier;  // "shift", "reverse", "same" or "half" (the first half of its lines)
    Integer Count;
    std::string Print;
  } rows[] = {
      {"RUT", "shift", 7590, "5ca070d867ab2329"},
      {"PSA", "shift", 124912, "445be10be0944cc0"},
      {"JHN", "reverse", 52781, "130b96e361c66e40"},
      {"GEN", "same", 0, "19ab854ddaa47a9b"},
      {"JON", "half", 34, "af0bcec2dca2da6c"},
  };
  for (const Row& r : rows) {
    const Lines current = Book(r.Book);
    ASSERT_FALSE(current.empty()) << r.Book;
    const std::string how = r.Earlier;
    Lines earlier = how == "shift"     ? tools_testing::ShiftVerseTexts(current, 7)
                    : how == "reverse" ? tools_testing::ReverseVerseWords(current)
                    : how == "half"    ? Lines(current.begin(), current.begin() + current.size() / 2)
                                       : current;
    const std::string currentFile = temp_.File("current.sfm"), earlierFile = temp_.File("earlier.sfm");
    WriteLines(currentFile, current);
    WriteLines(earlierFile, earlier);
    std::unique_ptr<VUzurUvad> viewer(new VUzurUvad(nullptr));
    std::unique_ptr<TStringList> positions(new TStringList());
    const Integer count = CompareVersionTexts(currentFile, earlierFile, positions.get(), viewer.get(), nullptr);
    Fingerprint print;
    tools_testing::AddDocument(print, viewer->GetUVData());
    tools_testing::AddLines(print, positions.get());
    EXPECT_EQ(count, r.Count) << r.Book << " " << how;
    EXPECT_EQ(print.Hex(), r.Print) << r.Book << " " << how << ", " << viewer->GetItemCount() << " items";
  }
}

// A comparison made a line at a time gives the document, positions and count of the comparison
// made in one go, and a report made in steps the one written in one go.
TEST_F(LongComparisonTest, InStepsTheResultIsTheResultOfOneGo) {
  if (books_.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  struct Row {
    const char* Book;
    const char* Earlier;
  } rows[] = {{"RUT", "shift"}, {"JON", "half"}, {"OBA", "same"}, {"PHM", "reverse"}};
  for (const Row& r : rows) {
    const Lines current = Book(r.Book);
    const std::string how = r.Earlier;
    const Lines earlier = how == "shift"     ? tools_testing::ShiftVerseTexts(current, 7)
                          : how == "reverse" ? tools_testing::ReverseVerseWords(current)
                          : how == "half"    ? Lines(current.begin(), current.begin() + current.size() / 2)
                                             : current;
    const std::string currentFile = temp_.File("current.sfm"), earlierFile = temp_.File("earlier.sfm");
    WriteLines(currentFile, current);
    WriteLines(earlierFile, earlier);
    auto print = [](TCustomUVData* document, TStrings* positions) {
      Fingerprint p;
      tools_testing::AddDocument(p, document);
      tools_testing::AddLines(p, positions);
      return p.Hex();
    };
    std::unique_ptr<VUzurUvad> once(new VUzurUvad(nullptr)), stepped(new VUzurUvad(nullptr));
    std::unique_ptr<TStringList> oncePositions(new TStringList()), steppedPositions(new TStringList());
    const Integer count = CompareVersionTexts(currentFile, earlierFile, oncePositions.get(), once.get(), nullptr);
    TVersionComparison comparison(currentFile, earlierFile, steppedPositions.get(), stepped->GetUVData(), nullptr);
    int steps = 1;
    while (!comparison.Step([] { return true; })) ++steps;
    EXPECT_TRUE(comparison.Done()) << r.Book;
    EXPECT_GT(steps, how == "same" ? 1 : 10) << r.Book;  // equal chapters are copied a chapter a step
    EXPECT_EQ(comparison.Count(), count) << r.Book;
    EXPECT_EQ(print(stepped->GetUVData(), steppedPositions.get()), print(once->GetUVData(), oncePositions.get()))
        << r.Book << " " << how;

    const TComparedVersions versions{"Current", "Earlier", r.Book, currentFile, earlierFile};
    const TDateTime now = EncodeDate(2024, 5, 6);
    std::unique_ptr<VUzurUvad> written(new VUzurUvad(nullptr)), reported(new VUzurUvad(nullptr));
    std::unique_ptr<TStringList> writtenPositions(new TStringList()), reportedPositions(new TStringList());
    const Integer writtenCount =
        WriteComparisonReport(written->GetUVData(), versions, now, writtenPositions.get(), nullptr);
    TComparisonReport report(reported->GetUVData(), versions, now, reportedPositions.get(), nullptr);
    while (!report.Step([] { return true; })) {
    }
    EXPECT_EQ(report.Count(), writtenCount) << r.Book;
    EXPECT_EQ(print(reported->GetUVData(), reportedPositions.get()),
              print(written->GetUVData(), writtenPositions.get()))
        << r.Book << " " << how;
  }
}

}  // namespace
