// Reformatting only the paragraphs an edit touched: the result must be exactly what a full
// format of the edited document gives, and the draw lines after the range must move as a whole.
#include <random>
#include <vector>

#include "classlib/Bitmaps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "richtext/core/tests/support/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using Line = richtext_test::DrawLine;
using richtext_test::DrawLines;

class PartialFormatTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessData doc{&style};
  std::mt19937 rng;

  void SetUp() override {
    // Fonts of different families and sizes, so lines differ in height and external leading.
    richtext_test::AddLayoutStyles(style);
    style.GetTextStyles()->GetItem(3)->Size = 18;
    style.GetTextStyles()->GetItem(3)->VShift = -30;
  }

  Integer Random(Integer Low, Integer High) { return std::uniform_int_distribution<Integer>(Low, High)(rng); }

  AnsiString RandomText() {
    static const char* const words[] = {"in",     "the",  "beginning", "was",  "word",   "and",    "light",
                                        "shines", "dark", "grace",     "truth", "Jerusalem", "x"};
    AnsiString text;
    Integer count = Random(0, 14);
    for (Integer i = 0; i < count; ++i) {
      if (i > 0) text += ' ';
      text += words[Random(0, 12)];
    }
    return text;
  }

  TCustomUVItemInfo* RandomItem(Integer ParaNo, AnsiString& Text) {
    if (Random(0, 5) == 0) {
      auto* bitmap = new TBitmap();
      bitmap->SetSize(Random(5, 60), Random(5, 50));
      auto* picture = new TUVGraphicItemInfo(&doc, bitmap, static_cast<Byte>(Random(0, 1)));
      picture->ParaNo = ParaNo;
      Text = "pic";
      return picture;
    }
    Text = RandomText();
    TCustomUVItemInfo* item = UVTextItemConstructor(&doc);
    item->StyleNo = Random(0, 3);
    item->ParaNo = ParaNo;
    return item;
  }

  // Paragraphs of one to five items, some with line breaks inside, and horizontal lines.
  void BuildDocument() {
    Integer paragraphs = Random(3, 12);
    for (Integer p = 0; p < paragraphs; ++p) {
      if (p > 0 && Random(0, 7) == 0) {
        auto* line = new TUVBreakItemInfo(&doc);
        line->ParaNo = 0;
        doc.AddItem("", line);
        continue;
      }
      Integer paraNo = Random(0, 4);
      Integer items = Random(1, 5);
      for (Integer i = 0; i < items; ++i) {
        AnsiString text;
        TCustomUVItemInfo* item = RandomItem(i == 0 ? paraNo : -1, text);
        if (i > 0 && Random(0, 5) == 0) {
          item->ParaNo = paraNo;
          item->SetBreaksLine(true);
        }
        doc.AddItem(text, item);
      }
    }
    doc.ClientWidth = Random(150, 420);
  }

  // The items of the paragraph (a run from a paragraph start) that holds item ItemNo.
  void ParagraphOf(Integer ItemNo, Integer& First, Integer& Last) {
    First = doc.GetFirstParaItem(ItemNo);
    Last = First;
    while (Last + 1 < doc.GetItemCount() && !doc.IsParaStart(Last + 1)) ++Last;
  }

  // Inserts, deletes and changes items of the paragraph First..Last; the number of items
  // inserted less those deleted.
  Integer EditParagraph(Integer First, Integer& Last) {
    Integer inserted = 0;
    Integer edits = Random(1, 4);
    for (Integer e = 0; e < edits; ++e) {
      Integer kind = Random(0, 2);
      if (kind == 0) {
        Integer at = Random(First + 1, Last + 1);
        AnsiString text;
        TCustomUVItemInfo* item = RandomItem(doc.GetItemPara(First), text);
        item->SetContinuesPara(true);
        Integer unused;
        doc.InsertItem(at, text, item, false, unused);
        ++Last;
        ++inserted;
      } else if (kind == 1 && Last > First) {
        Integer at = Random(First, Last);
        if (at == First) {
          // The next item takes over the paragraph start.
          TCustomUVItemInfo* next = doc.GetItem(First + 1);
          next->ItemOptions &= static_cast<Byte>(~(uvioSameAsPrev | uvioBR));
          next->ParaNo = doc.GetItemPara(First);
        }
        doc.DeleteItems(at, 1);
        --Last;
        --inserted;
      } else {
        Integer at = Random(First, Last);
        if (doc.GetItemStyle(at) >= 0) doc.SetItemText(at, RandomText());
      }
    }
    return inserted;
  }

  // A paragraph to edit: not a horizontal line.
  Integer PickParagraph() {
    for (;;) {
      Integer itemNo = Random(0, doc.GetItemCount() - 1);
      if (doc.GetItemStyle(itemNo) != uvsBreak) return doc.GetFirstParaItem(itemNo);
    }
  }
};

TEST_F(PartialFormatTest, ReformattingTheEditedParagraphGivesTheFullLayout) {
  for (unsigned round = 1; round <= 120; ++round) {
    SCOPED_TRACE(round);
    rng = std::mt19937(round);
    doc.Clear();
    BuildDocument();
    doc.FormatDefault(false);
    for (Integer round = 0; round < 4; ++round) {
      SCOPED_TRACE(round);
      Integer first, last;
      ParagraphOf(PickParagraph(), first, last);
      // The editor's way (both paragraphs around included) or exactly the paragraph.
      bool withNeighbours = Random(0, 1) == 1;
      Integer firstDraw = doc.ItemToFirstDrawItem(first);
      Integer lastDraw = doc.ItemToFirstDrawItem(last);
      while (lastDraw + 1 < doc.DrawItems->GetCount() && doc.DrawItems->Get(lastDraw + 1)->ItemNo == last)
        ++lastDraw;
      if (withNeighbours) doc.GetParaBounds(firstDraw, lastDraw, firstDraw, lastDraw);
      std::vector<Line> before = DrawLines(doc);
      Integer inserted = EditParagraph(first, last);

      doc.FormatParas(firstDraw, lastDraw, inserted);
      std::vector<Line> partial = DrawLines(doc);
      Integer partialHeight = doc.DocumentHeight;
      // The lines after the range: the old ones moved by one distance, items shifted.
      std::size_t tail = before.size() - static_cast<std::size_t>(lastDraw + 1);
      ASSERT_GE(partial.size(), tail);
      if (tail > 0) {
        Integer delta = partial[partial.size() - tail].Top - before[before.size() - tail].Top;
        for (std::size_t i = 0; i < tail; ++i) {
          Line moved = before[before.size() - tail + i];
          moved.Top += delta;
          moved.ItemNo += inserted;
          ASSERT_EQ(partial[partial.size() - tail + i], moved) << "line " << i << " after the range";
        }
      }

      doc.FormatDefault(false);
      ASSERT_EQ(partial, DrawLines(doc));
      ASSERT_EQ(partialHeight, doc.DocumentHeight);
      for (Integer i = 0; i < doc.GetItemCount(); ++i) ASSERT_EQ(doc.ItemToFirstDrawItem(i), doc.GetItem(i)->DrawItemNo);
    }
  }
}

TEST_F(PartialFormatTest, TypingInsideALongParagraphMovesNothingElse) {
  doc.ClientWidth = 300;
  doc.AddNL("first paragraph", 0, 0);
  doc.AddNL("in the beginning was the word and the word was with God and the word was God", 0, 0);
  doc.AddNL("last paragraph", 1, 0);
  doc.FormatDefault(false);
  std::vector<Line> before = DrawLines(doc);
  Integer firstDraw = doc.GetItem(1)->DrawItemNo;
  Integer lastDraw = doc.GetItem(2)->DrawItemNo - 1;
  Integer notifications = doc.FormatNotifications;
  doc.SetItemText(1, "in the beginning was the word and the word was with God and the wordx was God");
  doc.FormatParas(firstDraw, lastDraw, 0);
  std::vector<Line> after = DrawLines(doc);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.back(), before.back());
  EXPECT_EQ(doc.FormatNotifications, notifications + 1);
  EXPECT_EQ(doc.State & uvstPartialFormatting, 0u);
}

TEST_F(PartialFormatTest, DeletingAWholeParagraphMovesTheRestUp) {
  doc.AddNL("one", 0, 0);
  doc.AddNL("two", 1, 0);
  doc.Add(" more", 0);
  doc.AddNL("three", 0, 0);
  doc.FormatDefault(false);
  Integer heightBefore = doc.DocumentHeight;
  Integer firstDraw = 1, lastDraw = 2;
  doc.GetParaBounds(firstDraw, lastDraw, firstDraw, lastDraw);
  EXPECT_EQ(firstDraw, 0);
  EXPECT_EQ(lastDraw, 3);
  doc.DeleteItems(1, 2);
  doc.FormatParas(firstDraw, lastDraw, -2);
  std::vector<Line> partial = DrawLines(doc);
  ASSERT_EQ(partial.size(), 2u);
  EXPECT_EQ(partial[1].ItemNo, 1);
  EXPECT_LT(doc.DocumentHeight, heightBefore);
  doc.FormatDefault(false);
  EXPECT_EQ(partial, DrawLines(doc));

  // Exactly the deleted paragraph's lines, with nothing of the range left to lay out.
  doc.AddNL("four", 0, 0);
  doc.FormatDefault(false);
  doc.DeleteItems(1, 1);
  doc.FormatParasExact(1, 1, -1, false);
  partial = DrawLines(doc);
  doc.FormatDefault(false);
  EXPECT_EQ(partial, DrawLines(doc));
}

TEST_F(PartialFormatTest, TheOwnerHearsOfANewHeightOnlyWhenItChanged) {
  doc.AddNL("one", 0, 0);
  doc.AddNL("two", 0, 0);
  doc.FormatDefault(false);
  doc.DocumentAreaHeight = -1;
  doc.SetItemText(1, "owt");
  doc.FormatParas(1, 1, 0);
  EXPECT_EQ(doc.DocumentAreaHeight, -1);
  doc.GetItem(1)->StyleNo = 1;  // a taller font
  doc.FormatParas(1, 1, 0);
  EXPECT_EQ(doc.DocumentAreaHeight, doc.DocumentHeight);
  Integer height = doc.DocumentHeight;
  doc.FormatDefault(false);
  EXPECT_EQ(doc.DocumentHeight, height);
}

}  // namespace
