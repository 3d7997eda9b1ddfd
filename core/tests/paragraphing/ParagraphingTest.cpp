#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "core/CheckMessages.h"
#include "core/ParagraphingUnit.h"
#include "core/ProgramFolderUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace {

using Lines = std::vector<std::string>;
using core_testing::CrLf;

// One record of "OTParagraphs.txt": verse, break (0 or percent), verse compared for paragraph starts.
struct Record {
  std::string Verse, Break, Start;
};

const char kNotStarting[] = " does not start a new paragraph, but according to the BHS it is advisable";
const char kNoNeed[] = " starts a new paragraph, but according to the BHS there is no need for it";
const char kWrongPosition[] =
    " is spread out over two paragraphs, but according to the BHS the break is not on the right position";
const char kNotSpread[] = " is not spread out over two paragraphs, but according to the BHS it is advisable";

class ParagraphingTest : public core_testing::CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    ProgramFolder = temp_.Path();
    results_.reset(new TStringList());
    ignored_.reset(new TStringList());
    SetMessageTarget(results_.get(), ignored_.get());
    UseProject("1");
  }
  void TearDown() override {
    SetMessageTarget(nullptr, nullptr);
    CoreTest::TearDown();
  }

  void UseProject(const std::string& versification) {
    WriteProject("TST", "Test Project", "", "TST.SFM", "test.sty", versification);
    MyReg->SetCurrentProject("Test Project");
  }

  void WriteReference(const std::vector<Record>& records) {
    std::string text;
    for (const Record& r : records) text += CrLf({r.Verse, r.Break, r.Start});
    testing_support::WriteFileBytes(temp_.File("OTParagraphs.txt"), text);
  }

  Lines Check(int book, const Lines& text) {
    results_->Clear();
    std::unique_ptr<TStringList> lines(new TStringList());
    for (const std::string& line : text) lines->Add(line);
    CheckParagraphing(book, lines.get());
    EXPECT_EQ(lines->GetCount(), static_cast<int>(text.size())) << "the book's own lines stay as they are";
    Lines messages;
    for (int i = 0; i < results_->GetCount(); ++i) messages.push_back(results_->GetStrings(i));
    return messages;
  }

  std::unique_ptr<TStringList> results_;
  std::unique_ptr<TStringList> ignored_;
};

TEST_F(ParagraphingTest, ReportsAgainstTheReference) {
  WriteReference({{"GEN 1:1", "0", "GEN 1:1"},
                  {"GEN 1:3", "0", "GEN 1:3"},
                  {"GEN 1:4", "0", "GEN 1:4"},
                  {"GEN 1:5", "60", "GEN 1:6"},
                  {"GEN 1:6", "30", "GEN 1:7"},
                  {"GEN 2:1", "0", "GEN 2:1"},
                  {"EXO 1:1", "30", "EXO 1:2"}});
  const Lines genesis = {
      "\\id GEN",
      "\\c 1",
      "\\s The creation",  // a heading right after a chapter line is no paragraph mark of its own
      "\\p",
      "\\v 1 In the beginning.",
      "\\v 2 The earth was empty.",
      "\\p",
      "\\v 3 And God said.",
      "\\v 4 And God saw the light.",
      "\\v 5 " + std::string(43, 'a'),  // 45 characters after "\v "
      "\\p " + std::string(55, 'b'),    // the verse goes on in a new paragraph at 45 percent
      "\\v 6 Let there be.",
      "\\v 7 The firmament.",
      "\\p",
      "\\v 8 Heaven.",
      "\\s Heading before a chapter",
      "\\c 2",
      "\\p",
      "\\v 1 Thus.",
      "\\p",
      "\\v 2 Rested.",
      "\\p",
  };
  EXPECT_EQ(Check(1, genesis), (Lines{std::string("GEN 1:4") + kNotStarting, std::string("GEN 1:8") + kNoNeed,
                                      std::string("GEN 2:2") + kNoNeed, std::string("GEN 1:6") + kNotSpread}));

  // The findings pass the message filter: an ignored line stays out, whatever its letter case.
  ignored_->Add("gen 2:2" + std::string(kNoNeed));
  EXPECT_EQ(Check(1, genesis), (Lines{std::string("GEN 1:4") + kNotStarting, std::string("GEN 1:8") + kNoNeed,
                                      std::string("GEN 1:6") + kNotSpread}));
}

TEST_F(ParagraphingTest, BreakPositionInsideAVerse) {
  struct Row {
    int VerseLength, ParagraphLength, Percent;
    bool Reported;
  } rows[] = {
      {45, 55, 60, false}, {40, 60, 60, true},  {41, 59, 60, false}, {80, 20, 60, true},
      {79, 21, 60, false}, {10, 90, 30, true},
      {1, -1, 60, false},  // no text on either line: nothing to measure
      // A paragraph line of its own after a whole verse counts as a break beyond the verse's end.
      {20, -1, 60, true},
  };
  for (const Row& r : rows) {
    WriteReference({{"GEN 1:1", std::to_string(r.Percent), "GEN 1:2"}});
    // "\v 1 " and text make a line of the verse length + 3; "\p" and text one of the paragraph length + 3.
    const std::string verse = r.VerseLength == 1 ? "\\v 1" : "\\v 1 " + std::string(r.VerseLength - 2, 'v');
    const std::string paragraph = r.ParagraphLength < 0 ? "\\p" : "\\p " + std::string(r.ParagraphLength, 'p');
    const Lines expected = r.Reported ? Lines{std::string("GEN 1:1") + kWrongPosition} : Lines{};
    EXPECT_EQ(Check(1, {"\\id GEN", "\\c 1", verse, paragraph, "\\v 2 x"}), expected)
        << r.VerseLength << " " << r.ParagraphLength << " " << r.Percent;
  }
}

TEST_F(ParagraphingTest, BookWithoutRecordsReportsEveryParagraph) {
  WriteReference({{"GEN 1:1", "0", "GEN 1:1"}});
  const Lines exodus = {"\\id EXO",     "\\c 1", "\\s Heading", "\\v 1 a", "\\p", "\\v 2 b",
                        "\\cl Chapter", "\\p",   "\\v 3 c",     "\\c 2",   "\\p", "\\v 1 d", "\\p"};
  EXPECT_EQ(Check(2, exodus), (Lines{std::string("EXO 1:2") + kNoNeed, std::string("EXO 1:3") + kNoNeed}));
}

TEST_F(ParagraphingTest, MessagesInTheProjectsVersification) {
  testing_support::WriteFileBytes(temp_.File("English.map"),
                                  CrLf({"GEN 32:1 - GEN 31:55", "GEN 32:2 - GEN 32:1", "GEN 32:3 - GEN 32:2"}));
  WriteReference({{"GEN 32:1", "0", "GEN 32:1"}, {"GEN 32:2", "0", "GEN 32:2"}, {"GEN 32:3", "50", "GEN 32:4"}});
  UseProject("4");
  // In English numbering the paragraph before 31:55 is where the original starts chapter 32, so it
  // is not reported; English 32:1 is the original 32:2.
  const Lines english = {"\\id GEN", "\\c 31", "\\p", "\\v 54 a", "\\p", "\\v 55 b", "\\c 32", "\\v 1 c", "\\v 2 d"};
  EXPECT_EQ(Check(1, english), (Lines{std::string("GEN 32:1") + kNotStarting, std::string("GEN 32:2") + kNotSpread}));
}

TEST_F(ParagraphingTest, MissingReferenceFileStopsTheCheck) {
  EXPECT_THROW(Check(1, {"\\id GEN", "\\c 1", "\\p", "\\v 1 a"}), EFOpenError);
  EXPECT_EQ(results_->GetCount(), 0);
}

}  // namespace
