// The caret: its stops, its moves by keys across wrapped lines, list markers, pictures and
// characters of two UTF-16 units, keyboard selection, and the system caret in a focused window.
#include <functional>

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace edit_test;

namespace {

// Item numbers of the document the movement tests share.
enum : Integer {
  iWords = 0,    // "abc def ghi"
  iMarker = 1,   // a numbered list's marker
  iListText = 2, // "list text"
  iOne = 3,      // "one "
  iPicture = 4,  // a picture on the same line
  iTwo = 5,      // " two"
  iWide = 6,     // "x", a character of two UTF-16 units, "y"
  iLong = 7,     // a paragraph that wraps over several lines
};

class CaretTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};

  void SetUp() override {
    SetUpStyles(style);
    doc.AddNL("abc def ghi", tsNormal, psNormal);
    auto* marker = new TUVMarkerItemInfo(&doc, 0, 0, 1, false);
    marker->ParaNo = psNormal;
    doc.AddItem("", marker);
    doc.AddTextItem("list text", tsNormal, -1);
    doc.AddNL("one ", tsNormal, psNormal);
    auto* bitmap = new TBitmap();
    bitmap->SetSize(20, 12);
    auto* picture = new TUVGraphicItemInfo(&doc, bitmap, 0);
    picture->ParaNo = -1;
    doc.AddItem("pic", picture);
    doc.Add(" two", tsNormal);
    doc.AddNL(AnsiString("x\0\x3D\xD8\x00\xDEy\0", 8), tsUnicode, psNormal);
    doc.AddNL("alpha beta gamma delta epsilon zeta eta theta iota kappa lambda", tsNormal, psNormal);
    doc.ClientWidth = 160;
    doc.ClientHeight = 60;
    doc.FormatDefault(false);
  }

  struct Place {
    Integer Item, Offs;
    bool operator==(const Place&) const = default;
  };
  Place Caret() { return {doc.GetCurItemNo(), doc.GetOffsetInCurItem()}; }
  // The item offset at which the visual line holding (Item, Offs) starts and ends.
  Place LineStart(Integer Line) { return LineEdge(Line, true); }
  Place LineEnd(Integer Line) { return LineEdge(Line, false); }
  Place LineEdge(Integer Line, bool Start) {
    Integer n = -1;
    for (Integer d = 0; d < doc.DrawItems->GetCount(); ++d) {
      if (doc.DrawItems->Get(d)->FromNewLine) ++n;
      if (n != Line) continue;
      Integer first, last;
      doc.GetScreenLineBounds(d, first, last);
      TUVDrawLineInfo* dli = doc.DrawItems->Get(Start ? first : last);
      if (Start && doc.GetItemStyle(dli->ItemNo) == uvsListMarker) dli = doc.DrawItems->Get(first + 1);
      Integer offs = Start ? (doc.GetItemStyle(dli->ItemNo) >= 0 ? dli->Offs : 0)
                           : (doc.GetItemStyle(dli->ItemNo) >= 0 ? dli->Offs + dli->Length : 1);
      return {dli->ItemNo, offs};
    }
    return {-1, -1};
  }
  // The visual line of the long paragraph, counted from its first.
  Integer LongLine(Integer n) {
    Integer line = -1;
    for (Integer d = 0; d < doc.DrawItems->GetCount(); ++d) {
      if (doc.DrawItems->Get(d)->FromNewLine) ++line;
      if (doc.DrawItems->Get(d)->ItemNo == iLong) return line + n;
    }
    return -1;
  }
};

TEST_F(CaretTest, MovesByKeys) {
  ASSERT_GE(doc.DrawItems->GetCount(), 10);  // the long paragraph wraps
  using Move = std::function<bool(TUVEditUVData&)>;
  auto left = [](bool ctrl) -> Move { return [ctrl](TUVEditUVData& d) { return d.MoveCaretLeft(false, ctrl); }; };
  auto right = [](bool ctrl) -> Move { return [ctrl](TUVEditUVData& d) { return d.MoveCaretRight(false, ctrl); }; };
  Move up = [](TUVEditUVData& d) { return d.MoveCaretUp(false, false); };
  Move down = [](TUVEditUVData& d) { return d.MoveCaretDown(false, false); };
  auto home = [](bool ctrl) -> Move { return [ctrl](TUVEditUVData& d) { return d.MoveCaretHome(ctrl); }; };
  auto end = [](bool ctrl) -> Move { return [ctrl](TUVEditUVData& d) { return d.MoveCaretEnd(ctrl); }; };
  Integer longLength = doc.GetItemLength(iLong);
  struct Case {
    const char* what;
    Place from;
    Move move;
    Place to;
    bool atEdge;
  } cases[] = {
      {"a character left", {iWords, 5}, left(false), {iWords, 4}, false},
      {"a character right", {iWords, 4}, right(false), {iWords, 5}, false},
      {"a word left from a word's end", {iWords, 12}, left(true), {iWords, 9}, false},
      {"a word left from a word's start", {iWords, 5}, left(true), {iWords, 1}, false},
      {"a word right", {iWords, 1}, right(true), {iWords, 5}, false},
      {"a word right to the item's end", {iWords, 9}, right(true), {iWords, 12}, false},
      {"left at the document's start", {iWords, 1}, left(false), {iWords, 1}, true},
      {"Home of a list line goes after the marker", {iListText, 6}, home(false), {iListText, 1}, false},
      {"left from after a marker goes to the line before", {iListText, 1}, left(false), {iWords, 12}, false},
      {"right at a line's end skips the next line's marker", {iWords, 12}, right(false), {iListText, 1}, false},
      {"right onto a picture", {iOne, 5}, right(false), {iPicture, 1}, false},
      {"left off a picture", {iPicture, 1}, left(false), {iOne, 5}, false},
      {"End of the picture's line", {iOne, 2}, end(false), {iTwo, 5}, false},
      {"right over two UTF-16 units at once", {iWide, 2}, right(false), {iWide, 4}, false},
      {"left over two UTF-16 units at once", {iWide, 4}, left(false), {iWide, 2}, false},
      {"down keeps the column", {iWords, 1}, down, {iListText, 1}, false},
      {"up from a wrapped line's start", LineStart(LongLine(1)), up, LineStart(LongLine(0)), false},
      {"down to a wrapped line's start", LineStart(LongLine(0)), down, LineStart(LongLine(1)), false},
      {"End of a wrapped line", LineStart(LongLine(0)), end(false), LineEnd(LongLine(0)), false},
      {"Home of a wrapped line", {iLong, 12}, home(false), LineStart(LongLine(0)), false},
      {"up on the first line", {iWords, 3}, up, {iWords, 3}, true},
      {"down on the last line", {iLong, longLength + 1}, down, {iLong, longLength + 1}, true},
      {"right at the document's end", {iLong, longLength + 1}, right(false), {iLong, longLength + 1}, true},
      {"Ctrl+Home", {iLong, 5}, home(true), {iWords, 1}, true},
      {"Ctrl+End", {iWords, 5}, end(true), {iLong, longLength + 1}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetCaret(doc, c.from.Item, c.from.Offs);
    ASSERT_EQ(Caret(), c.from);
    EXPECT_EQ(c.move(doc), c.atEdge);
    EXPECT_EQ(Caret(), c.to);
  }
}

TEST_F(CaretTest, PagesMoveByTwoThirdsOfTheView) {
  SetCaret(doc, iWords, 1);
  Integer before = doc.CaretDrawItemNo;
  doc.MoveCaretPageDown();
  EXPECT_GT(doc.CaretDrawItemNo, before);
  // The new caret piece at the window's top (the caret reaches a pixel above it).
  Integer top = doc.DrawItems->Get(doc.CaretDrawItemNo)->Top;
  EXPECT_TRUE(doc.VOffs == top || doc.VOffs == top - 1) << doc.VOffs << " " << top;
  // Far enough down, page down ends at the document's end.
  for (Integer i = 0; i < 20; ++i) doc.MoveCaretPageDown();
  EXPECT_EQ(Caret(), (Place{iLong, doc.GetItemLength(iLong) + 1}));
  doc.MoveCaretPageUp();
  EXPECT_LT(doc.CaretDrawItemNo, doc.DrawItems->GetCount() - 1);
  for (Integer i = 0; i < 20; ++i) doc.MoveCaretPageUp();
  EXPECT_EQ(Caret(), (Place{iWords, 1}));
}

TEST_F(CaretTest, EveryStopOfALineIsACaretPlaceAndPairsHaveNoStopInside) {
  SetCaret(doc, iWide, 1);
  std::vector<Integer> offsets;
  for (Integer i = 0; i < doc.CharPositions->GetCount(); ++i) offsets.push_back(doc.CharPositions->Get(i)->Offset);
  EXPECT_EQ(offsets, (std::vector<Integer>{1, 2, 4, 5}));
  // Inside a line the end of one piece and the start of the next are one place.
  SetCaret(doc, iTwo, 1);
  EXPECT_EQ(Caret(), (Place{iPicture, 1}));
  EXPECT_TRUE(doc.CaretAtLineEnd() == false && doc.CaretAtLineStart() == false);
  SetCaret(doc, iOne, 1);
  EXPECT_TRUE(doc.CaretAtLineStart());
  SetCaret(doc, iTwo, 5);
  EXPECT_TRUE(doc.CaretAtLineEnd());
}

TEST_F(CaretTest, ShiftMovesExtendTheSelectionFromTheCaret) {
  SetCaret(doc, iWords, 5);
  doc.AnchorSelectionAtCaret();
  doc.MoveCaretRight(true, true);
  doc.ExtendSelectionToCaret();
  Integer si, so, ei, eo;
  doc.GetSelectionItemBounds(false, si, so, ei, eo);
  EXPECT_EQ((Place{si, so}), (Place{iWords, 5}));
  EXPECT_EQ((Place{ei, eo}), (Place{iWords, 9}));
  EXPECT_TRUE(doc.SelectionExists());
}

TEST_F(CaretTest, AnEmptyDocumentGetsAnEmptyItemWhenTheCaretIsAskedFor) {
  TUVWindowlessEditData empty(&style);
  empty.CurTextStyleNo = tsBig;
  empty.CurParaStyleNo = psCentered;
  EXPECT_EQ(empty.GetCurItemNo(), 0);
  ASSERT_EQ(empty.GetItemCount(), 1);
  EXPECT_EQ(empty.GetItemStyle(0), tsBig);
  EXPECT_EQ(empty.GetItemPara(0), psCentered);
  EXPECT_EQ(empty.GetOffsetInCurItem(), 1);
}

TEST_F(CaretTest, AnInvalidCaretGoesToTheStartAndRaises) {
  SetCaret(doc, iOne, 2);
  doc.CaretOffs = 500;
  try {
    doc.ChangeCaret(false, false, false);
    FAIL();
  } catch (const EUzurUvadError& e) {
    EXPECT_EQ(e.Message, "Invalid caret position. Please contact the developer, if you can reproduce this problem");
  }
  EXPECT_EQ(Caret(), (Place{iWords, 1}));
}

TEST_F(CaretTest, TheCaretTakesTheCurrentStylesUnlessTheItemsStyleSaysNot) {
  doc.AddNL("kept", tsBig, psRight);
  style.GetTextStyles()->GetItem(tsSmall)->Protection << uvprDoNotAutoSwitch;
  doc.AddNL("small", tsSmall, psCentered);
  doc.FormatDefault(false);
  SetCaret(doc, 8, 2);
  EXPECT_EQ(doc.CurTextStyleNo, tsBig);
  EXPECT_EQ(doc.CurParaStyleNo, psRight);
  Integer notices = doc.TextStyleChanges;
  SetCaret(doc, 9, 2);
  EXPECT_EQ(doc.CurTextStyleNo, tsBig);  // the last style switched to
  EXPECT_EQ(doc.CurParaStyleNo, psCentered);
  EXPECT_EQ(doc.TextStyleChanges, notices);
  EXPECT_GT(doc.CaretMoves, 0);
}

TEST_F(CaretTest, APictureAtTheCaretIsTheActiveItemAndAHyperlinkIsHighlighted) {
  SetCaret(doc, iPicture, 1);
  EXPECT_EQ(doc.ActiveItem, doc.GetItem(iPicture));
  SetCaret(doc, iOne, 2);
  EXPECT_EQ(doc.ActiveItem, nullptr);
  // A hyperlink whose look changes under the mouse is drawn so while the caret is on it.
  style.GetTextStyles()->GetItem(tsJump)->HoverColor = clRed;
  doc.AddNL("see", tsJump, psNormal);
  doc.FormatDefault(false);
  doc.EnableJumps(true);
  SetCaret(doc, 8, 2);
  EXPECT_TRUE(doc.State & uvstDrawHover);
  EXPECT_EQ(doc.HoverJumpNo, doc.GetItem(8)->HyperlinkId);
  SetCaret(doc, iWords, 2);
  EXPECT_FALSE(doc.State & uvstDrawHover);
  EXPECT_EQ(doc.HoverJumpNo, -1);
}

TEST_F(CaretTest, ASearchStartsAtTheCaretOrTheNeighbouringItem) {
  struct {
    Place caret;
    bool down;
    Place start;
  } cases[] = {
      {{iWords, 5}, true, {iWords, 5}},
      {{iWords, 12}, true, {iMarker, 0}},
      {{iListText, 1}, false, {iMarker, 1}},
      {{iOne, 3}, false, {iOne, 3}},
  };
  for (auto& c : cases) {
    SetCaret(doc, c.caret.Item, c.caret.Offs);
    Place start;
    doc.GetSearchStart(c.down, start.Item, start.Offs);
    EXPECT_EQ(start, c.start) << c.caret.Item << " " << c.caret.Offs << " " << c.down;
  }
}

// The system caret exists while the control has the focus.
class SystemCaretTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
  TForm* form = nullptr;

  void SetUp() override {
    SetUpStyles(style);
    form = new TForm(Application);
    form->SetBounds(40, 40, 300, 200);
    form->Show();
    ::SetForegroundWindow(form->GetHandle());
    ::SetFocus(form->GetHandle());
    ASSERT_TRUE(testing_support::PumpUntil([&] { return ::GetFocus() == form->GetHandle(); }));
    doc.ParentControl = form;
  }
  void TearDown() override {
    doc.ParentControl = nullptr;
    delete form;
  }
};

TEST_F(SystemCaretTest, AVeryTallPieceGetsACaretOfAThousandPixelsAtItsBottom) {
  doc.AddNL("ab", tsNormal, psNormal);
  auto* bitmap = new TBitmap();
  bitmap->SetSize(10, 1500);
  auto* picture = new TUVGraphicItemInfo(&doc, bitmap, 0);
  picture->ParaNo = -1;
  doc.AddItem("tall", picture);
  doc.FormatDefault(false);
  SetCaret(doc, 1, 1);
  EXPECT_EQ(doc.CaretHeight, 1000);
  TUVDrawLineInfo* piece = doc.DrawItems->Get(doc.CaretDrawItemNo);
  POINT p{};
  ::GetCaretPos(&p);
  EXPECT_EQ(p.y, piece->Top + piece->Height - doc.VOffs - 1000);
  TUVCharPos* stop = doc.CharPositions->Get(doc.CaretOffs);
  EXPECT_EQ(p.x, stop->X - 1 + stop->Shift - doc.HOffs);

  // A text piece: two pixels above the piece, down to its bottom.
  SetCaret(doc, 0, 2);
  piece = doc.DrawItems->Get(doc.CaretDrawItemNo);
  EXPECT_EQ(doc.CaretHeight, piece->Height + 2);
  ::GetCaretPos(&p);
  EXPECT_EQ(p.y, piece->Top - 2 - doc.VOffs);
  EXPECT_EQ(doc.GetCaretClientPos().Y, piece->Top - 1 - doc.VOffs);
}

TEST_F(SystemCaretTest, AReadOnlyEditorCanHideItsCaretAndStillMoveIt) {
  doc.AddNL("abc", tsNormal, psNormal);
  doc.FormatDefault(false);
  doc.ReadOnly = true;
  doc.EditorOptions << uvoHideReadOnlyCaret;
  SetCaret(doc, 0, 2);
  EXPECT_EQ(doc.CaretHeight, 0);
  EXPECT_FALSE(doc.MoveCaretRight(false, false));
  EXPECT_EQ(doc.GetOffsetInCurItem(), 3);
  doc.EditorOptions >> uvoHideReadOnlyCaret;
  doc.ChangeCaret(false, false, false);
  EXPECT_GT(doc.CaretHeight, 0);
}

}  // namespace
