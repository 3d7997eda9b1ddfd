// Text search: from the selection (or the part in view) forwards or backwards, with and without
// case, whole words or any occurrence, in 8-bit and UTF-16 items; the occurrence becomes the
// selection.
#include <vector>

#include "richtext/core/tests/viewer/ViewerTestSupport.h"

using namespace viewer_test;

namespace {

class SearchTest : public ViewerFixture {
protected:
  void SetUp() override {
    ViewerFixture::SetUp();
    viewer->AddNL("The Word was with God, and the Word was God.", kText, 0);                 // 0
    viewer->AddNL("In him was life; and the life was the light of men.", kText, 0);          // 1
    viewer->AddNL(UVUniWideStringToRaw(L"Das gro\x00DF" L"e Haus, CAF\x00C9 und caf\x00E9."), kUnicode, 0);  // 2
    viewer->AddNL("aaa swordsman words Word.", kText, 0);                                   // 3
    viewer->AddNL("xa a a CAF\xC9 here", kText, 0);                                          // 4
    viewer->Format();
    ShowForm();
  }
  // The selection as (start item, start offset, end item, end offset), in the order it was made.
  std::vector<Integer> Selection() {
    Integer si, so, ei, eo;
    viewer->GetSelectionBounds(si, so, ei, eo, false);
    return {si, so, ei, eo};
  }
};

TEST_F(SearchTest, ATableOfSearches) {
  struct Case {
    const char* what;
    std::vector<Integer> from;  // the selection to start from; empty: none
    AnsiString text;
    bool down, matchCase, wholeWords;
    std::vector<Integer> found;  // the selection afterwards; empty: not found (unchanged)
  };
  const std::vector<Case> cases = {
      {"any case, down from the top", {}, "word", true, false, false, {0, 5, 0, 9}},
      {"the next one, not the selected one", {0, 5, 0, 9}, "word", true, false, false, {0, 32, 0, 36}},
      {"on into the next item", {0, 32, 0, 36}, "word", true, false, false, {3, 6, 3, 10}},
      {"match case skips other cases", {}, "word", true, true, false, {3, 6, 3, 10}},
      {"match case finds its own", {}, "Word", true, true, false, {0, 5, 0, 9}},
      {"whole words skip words that hold it", {0, 32, 0, 36}, "word", true, false, true, {3, 21, 3, 25}},
      {"a full stop ends a word", {3, 1, 3, 1}, "Word", true, true, true, {3, 21, 3, 25}},
      {"up from a selection finds the previous one", {1, 26, 1, 30}, "life", false, false, false,
       {1, 16, 1, 12}},
      {"up within the start item stops before the offset", {1, 34, 1, 34}, "life", false, false, false,
       {1, 30, 1, 26}},
      {"up across items", {3, 1, 3, 1}, "god", false, false, true, {0, 44, 0, 41}},
      {"UTF-16 without case folds accented capitals", {}, "caf\xE9", true, false, false, {2, 17, 2, 21}},
      {"UTF-16 with case", {}, "caf\xE9", true, true, false, {2, 26, 2, 30}},
      {"8-bit without case folds accented capitals", {3, 1, 3, 1}, "caf\xE9", true, false, false, {4, 8, 4, 12}},
      {"whole words look before a start inside a word", {3, 17, 3, 17}, "rds", true, false, true, {}},
      {"without whole words the rest of the word counts", {3, 17, 3, 17}, "rds", true, false, false,
       {3, 17, 3, 20}},
      {"a rejected occurrence lets an overlapping one count", {4, 1, 4, 1}, "a a", true, false, true,
       {4, 4, 4, 7}},
      {"nothing found", {}, "zebra", true, false, false, {}},
      {"nothing before the start", {0, 1, 0, 1}, "The", false, true, false, {}},
  };
  for (const Case& c : cases) {
    if (c.from.empty())
      viewer->Deselect();
    else
      viewer->SetSelectionBounds(c.from[0], c.from[1], c.from[2], c.from[3]);
    std::vector<Integer> before = Selection();
    bool found = viewer->SearchText(c.text, c.down, c.matchCase, c.wholeWords);
    EXPECT_EQ(found, !c.found.empty()) << c.what;
    EXPECT_EQ(Selection(), c.found.empty() ? before : c.found) << c.what;
  }
  // Searching down twice moves on; searching up from there comes back.
  viewer->Deselect();
  ASSERT_TRUE(viewer->SearchText("was", true, false, true));
  EXPECT_EQ(Selection(), (std::vector<Integer>{0, 10, 0, 13}));
  ASSERT_TRUE(viewer->SearchText("was", true, false, true));
  EXPECT_EQ(Selection(), (std::vector<Integer>{0, 37, 0, 40}));
  ASSERT_TRUE(viewer->SearchText("was", false, false, true));
  EXPECT_EQ(Selection(), (std::vector<Integer>{0, 13, 0, 10}));
  EXPECT_EQ(viewer->GetSelText(), "was");
}

TEST_F(SearchTest, WithoutASelectionTheSearchStartsInView) {
  viewer->Clear();
  viewer->AddNL("target at the top", kText, 0);
  for (Integer i = 1; i < 60; ++i) viewer->AddNL("filler line " + IntToStr(i), kText, 0);
  viewer->AddNL("target further down", kText, 0);
  viewer->AddNL("last line", kText, 0);
  viewer->Format();
  Integer selects = 0;
  viewer->OnSelect = TNotifyEvent::FromFunction([&](TObject*) { ++selects; });
  Integer left, top;
  ASSERT_TRUE(viewer->GetItemCoords(30, left, top));
  viewer->ScrollTo(top);
  ASSERT_TRUE(viewer->SearchText("target", true, false, true));
  EXPECT_EQ(Selection(), (std::vector<Integer>{60, 1, 60, 7}));
  EXPECT_EQ(selects, 1);
  // The found line was scrolled into view.
  ASSERT_TRUE(viewer->GetItemCoords(60, left, top));
  EXPECT_GE(top, viewer->GetVOffs());
  EXPECT_LE(top, viewer->GetVOffs() + viewer->GetClientHeight());
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-search-found");
  // Nothing in an empty document, and nothing for an empty text.
  EXPECT_FALSE(viewer->SearchText("", true, false, false));
  viewer->Clear();
  viewer->Format();
  EXPECT_FALSE(viewer->SearchText("target", true, false, false));
}

}  // namespace
