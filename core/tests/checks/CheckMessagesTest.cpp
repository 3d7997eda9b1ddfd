#include <memory>
#include <string>

#include "classlib/StringLists.h"
#include "core/CheckMessages.h"
#include "core/USFMUnit.h"
#include "tests/support/TestSupport.h"

namespace {

class CheckMessagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    usfm_->BookId = "MAT";
    usfm_->Chapter = 5;
    usfm_->Verse = 3;
  }
  void TearDown() override { SetMessageTarget(nullptr, nullptr); }

  std::unique_ptr<TUSFM> usfm_{new TUSFM(nullptr)};
  std::unique_ptr<TStringList> results_{new TStringList()};
  std::unique_ptr<TStringList> ignored_{new TStringList()};
};

TEST_F(CheckMessagesTest, LineFormat) {
  EXPECT_EQ(CheckMessageLine(usfm_.get(), "text", true), "MAT 5:3 text");
  EXPECT_EQ(CheckMessageLine(usfm_.get(), "text", false), "text");
  EXPECT_EQ(CheckMessageLine(nullptr, "text", false), "text");
  EXPECT_EQ(WindowMessageText(usfm_.get(), "found"), "----------------------- - found");
}

TEST_F(CheckMessagesTest, TheFilterDropsIgnoredLinesOnly) {
  ignored_->Add("mat 5:3 A SPACE precedes this punctuation character: ,");
  ignored_->Add("Superfluous double spaces have been removed from this line: a  b");
  SetMessageTarget(results_.get(), ignored_.get());
  AddCheckMessage(usfm_.get(), "A space precedes this punctuation character: ,", true);
  AddCheckMessage(usfm_.get(), "A space precedes this punctuation character: ;", true);
  AddCheckMessage(nullptr, "MAT 5:3 A space precedes this punctuation character: ,", false);
  AddPlainMessage("Superfluous double spaces have been removed from this line: a  b");
  AddWindowMessage(usfm_.get(), "A closing bracket found without matching opener: )");
  ASSERT_EQ(results_->GetCount(), 3);
  EXPECT_EQ(results_->GetStrings(0), "MAT 5:3 A space precedes this punctuation character: ;");
  EXPECT_EQ(results_->GetStrings(1), "Superfluous double spaces have been removed from this line: a  b");
  EXPECT_EQ(results_->GetStrings(2),
            "MAT 5:3 ----------------------- - A closing bracket found without matching opener: )");
  EXPECT_TRUE(IsIgnoredMessage("MAT 5:3 a space PRECEDES this punctuation character: ,", ignored_.get()));
  EXPECT_FALSE(IsIgnoredMessage("MAT 5:3 a space", nullptr));
}

TEST_F(CheckMessagesTest, WithoutTargetNothingIsKept) {
  SetMessageTarget(nullptr, nullptr);
  AddCheckMessage(usfm_.get(), "lost", true);
  AddPlainMessage("lost too");
  SetMessageTarget(results_.get(), nullptr);
  AddCheckMessage(usfm_.get(), "kept", true);
  EXPECT_EQ(MessageResults(), results_.get());
  EXPECT_EQ(MessageIgnoreList(), nullptr);
  ASSERT_EQ(results_->GetCount(), 1);
  EXPECT_EQ(results_->GetStrings(0), "MAT 5:3 kept");
}

}  // namespace
