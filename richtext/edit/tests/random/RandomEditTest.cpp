// Random editing from fixed starting numbers: after every step the document keeps its invariants and its
// draw lines are those of a full format; undoing everything gives back the document as it was,
// and redoing everything gives back the edited one.
#include <random>

#include "classlib/Bitmaps.h"
#include "classlib/Streams.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace edit_test;

namespace {

class RandomEditTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
  std::mt19937 rng;

  void SetUp() override { SetUpStyles(style); }

  Integer Random(Integer Low, Integer High) { return std::uniform_int_distribution<Integer>(Low, High)(rng); }

  AnsiString Words(Integer Min, Integer Max) {
    static const char* const words[] = {"in", "the", "beginning", "was", "the", "word", "and", "light", "x",
                                        "shines", "in", "darkness", "Jerusalem", "grace", "upon", "grace"};
    AnsiString text;
    Integer count = Random(Min, Max);
    for (Integer i = 0; i < count; ++i) {
      if (i > 0) text += ' ';
      text += words[Random(0, 15)];
    }
    return text;
  }

  // Plain text styles the random edits use (the protected ones have tests of their own).
  Integer RandomTextStyle() {
    static const Integer styles[] = {tsNormal, tsBig, tsSmall, tsUnicode, tsUnicodeBig, tsJump};
    return styles[Random(0, 5)];
  }
  Integer RandomParaStyle() {
    static const Integer styles[] = {psNormal, psCentered, psJustified, psSpaced, psRight};
    return styles[Random(0, 4)];
  }

  AnsiString InStyle(const AnsiString& Text, Integer StyleNo) {
    if (!style.GetTextStyles()->GetItem(StyleNo)->Unicode) return Text;
    // A character of two UTF-16 units now and then.
    AnsiString raw = AnsiToUnicodeCP(1252, Text);
    if (Random(0, 3) == 0) raw += AnsiString("\x3D\xD8\x00\xDE", 4);
    return raw;
  }

  TGraphic* Picture() {
    auto* bitmap = new TBitmap();
    bitmap->SetSize(Random(8, 50), Random(8, 40));
    return bitmap;
  }

  void BuildDocument() {
    doc.Clear();
    Integer paragraphs = Random(2, 8);
    for (Integer p = 0; p < paragraphs; ++p) {
      Integer paraNo = RandomParaStyle();
      if (Random(0, 5) == 0) {
        auto* marker = new TUVMarkerItemInfo(&doc, Random(0, 1), 0, 1, false);
        marker->ParaNo = paraNo;
        doc.AddItem("", marker);
        Integer styleNo = RandomTextStyle();
        doc.AddTextItem(InStyle(Words(1, 6), styleNo), styleNo, -1);
        continue;
      }
      Integer items = Random(1, 4);
      for (Integer i = 0; i < items; ++i) {
        if (i > 0 && Random(0, 6) == 0) {
          auto* picture = new TUVGraphicItemInfo(&doc, Picture(), 0);
          picture->ParaNo = -1;
          doc.AddItem("pic", picture);
          continue;
        }
        Integer styleNo = RandomTextStyle();
        if (Random(0, 8) == 0) doc.AddNamedCheckpointExTag("cp" + std::to_string(p) + "_" + std::to_string(i), false, 0);
        doc.AddTextItem(InStyle(Words(0, 12), styleNo), styleNo, i == 0 ? paraNo : -1);
      }
      if (p + 1 < paragraphs && Random(0, 9) == 0) {
        auto* line = new TUVBreakItemInfo(&doc);
        line->ParaNo = 0;
        doc.AddItem("", line);
      }
    }
    doc.ClientWidth = Random(120, 420);
    doc.FormatDefault(false);
  }

  // A caret or a selection somewhere in the document.
  void RandomPlace(bool AllowSelection) {
    Integer count = doc.GetItemCount();
    auto randomPos = [&](Integer& ItemNo, Integer& Offs) {
      ItemNo = Random(0, count - 1);
      Offs = Random(doc.GetOffsBeforeItem(ItemNo), doc.GetOffsAfterItem(ItemNo));
      // Never between the two units of a pair.
      if (doc.GetItemStyle(ItemNo) >= 0 && doc.GetItem(ItemNo)->IsUnicode() && Offs > 1) {
        const AnsiString& text = doc.GetItemText(ItemNo);
        auto* w = reinterpret_cast<const WideChar*>(text.data());
        if (Offs - 1 < static_cast<Integer>(text.size() / 2) && w[Offs - 1] >= 0xDC00 && w[Offs - 1] < 0xE000) --Offs;
      }
    };
    Integer si, so;
    randomPos(si, so);
    if (AllowSelection && Random(0, 2) == 0) {
      Integer ei, eo;
      randomPos(ei, eo);
      doc.SetSelectionBounds(si, so, ei, eo);
    } else {
      SetCaret(doc, si, so);
    }
  }

  void RandomEdit(Integer Kind) {
    switch (Kind) {
      case 0: {  // typing, sometimes in another style
        RandomPlace(false);
        if (Random(0, 4) == 0) doc.SetCurrentTextStyle(RandomTextStyle());
        Integer n = Random(1, 4);
        for (Integer i = 0; i < n; ++i) TypeChar(doc, "abc xyz"[Random(0, 6)]);
        break;
      }
      case 1:
        RandomPlace(true);
        PressReturn(doc, Random(0, 3) == 0);
        break;
      case 2:
        RandomPlace(true);
        PressDelete(doc, Random(0, 4) == 0);
        break;
      case 3:
        RandomPlace(true);
        PressBackspace(doc, Random(0, 4) == 0);
        break;
      case 4:
        RandomPlace(true);
        InsertText(doc, Random(0, 1) ? Words(1, 5) : Words(0, 3) + "\r\n" + Words(0, 3) + (Random(0, 1) ? "\r\n" : ""));
        break;
      case 5: {
        RandomPlace(true);

        Integer kind = Random(0, 2);
        if (kind == 0)
          InsertItem(doc, "pic", new TUVGraphicItemInfo(&doc, Picture(), 0));
        else if (kind == 1)
          InsertItem(doc, "", new TUVBreakItemInfo(&doc));
        else
          InsertItem(doc, "", new TUVMarkerItemInfo(&doc, Random(0, 1), 0, 1, false));
        break;
      }
      case 6:
        RandomPlace(true);
        ApplyParagraphStyle(doc, RandomParaStyle());
        break;
      case 7: {
        RandomPlace(true);
        Integer target = RandomTextStyle();
        doc.OnStyleConversion = [target](Integer, Integer, bool, Integer& NewStyleNo) { NewStyleNo = target; };
        ConvertTextStyles(doc, 0);
        break;
      }
      case 8:
        // A selection deleted on its own.
        RandomPlace(true);
        doc.DeleteSelection();
        break;
      case 9: {
        // A copied selection inserted somewhere as UVF.
        RandomPlace(true);
        TMemoryStream copy;
        if (!doc.SelectionExists() || !doc.SaveUVFToStream(&copy, true, clNone, nullptr, nullptr)) break;
        RandomPlace(true);
        copy.SetPosition(0);
        InsertUVF(doc, &copy);
        break;
      }
    }
  }
};

TEST_F(RandomEditTest, EditsKeepTheDocumentWholeAndUndoExactly) {
  for (unsigned round = 1; round <= 150; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    rng = std::mt19937(round);
    BuildDocument();
    ASSERT_EQ(CheckInvariants(doc), "");
    std::vector<std::string> original = Snapshot(doc);
    Integer steps = 40;
    for (Integer step = 0; step < steps; ++step) {
      Integer kind = Random(0, 9);
      SCOPED_TRACE("step " + std::to_string(step) + " kind " + std::to_string(kind));
      std::vector<std::string> before = Snapshot(doc);
      RandomEdit(kind);
      ASSERT_EQ(CheckInvariants(doc), "") << ::testing::PrintToString(before) << "\n"
                                          << ::testing::PrintToString(Snapshot(doc));
      ASSERT_EQ(CheckLayout(doc), "") << ::testing::PrintToString(before) << "\n"
                                      << ::testing::PrintToString(Snapshot(doc));
    }
    std::vector<std::string> edited = Snapshot(doc);
    ASSERT_NE(edited, original);
    Integer actions = doc.UndoList->GetCount();
    for (Integer i = 0; i < actions * 40 && doc.UndoList->GetCount() > 0; ++i) {
      Undo(doc);
      ASSERT_EQ(CheckInvariants(doc), "") << "undo " << i;
      ASSERT_EQ(CheckLayout(doc), "") << "undo " << i;
    }
    ASSERT_EQ(doc.UndoList->GetCount(), 0);
    ASSERT_EQ(Snapshot(doc), original);
    while (doc.RedoList->GetCount() > 0) {
      Redo(doc);
      ASSERT_EQ(CheckInvariants(doc), "");
      ASSERT_EQ(CheckLayout(doc), "");
    }
    ASSERT_EQ(Snapshot(doc), edited);
  }
}

}  // namespace
