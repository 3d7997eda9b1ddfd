// Comparisons of whole KJV books with earlier versions that differ in nearly every verse: the
// document, the change positions and the count stay byte for byte what they were (fingerprints
// taken from the comparison as it was first written).
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "richtext/core/UzurUvad.h"
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

}  // namespace
