// Formatting and lookups on a windowless document with the Liberation fonts at 96 dpi. Every
// expected position is worked out from measured font metrics.
#include <vector>

#include "classlib/Bitmaps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

class FormatTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessData doc{&style};

  TEXTMETRICA Metrics(Integer StyleNo) {
    style.ApplyTextStyle(doc.GetCanvas(), StyleNo, uvbdUnspecified);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(doc.GetCanvas()->GetHandle(), &tm);
    return tm;
  }
  Integer Width(Integer StyleNo, const AnsiString& Text) {
    style.ApplyTextStyle(doc.GetCanvas(), StyleNo, uvbdUnspecified);
    SIZE sz{};
    ::GetTextExtentPoint32A(doc.GetCanvas()->GetHandle(), Text.data(), static_cast<int>(Text.size()), &sz);
    return sz.cx;
  }
  // The height of a text line in a style (the viewer adds the external leading).
  Integer LineHeight(Integer StyleNo) {
    TEXTMETRICA tm = Metrics(StyleNo);
    return tm.tmAscent + tm.tmExternalLeading + tm.tmDescent;
  }
  TUVDrawLineInfo* Dli(Integer i) { return doc.DrawItems->Get(i); }
  AnsiString PieceText(Integer i) {
    AnsiString s;
    doc.DrawItems->GetDrawItemText(i, &doc, s);
    return s;
  }
  // The texts of the visual lines.
  std::vector<AnsiString> Lines() {
    std::vector<AnsiString> lines;
    for (Integer i = 0; i < doc.DrawItems->GetCount(); ++i) {
      if (Dli(i)->FromNewLine) lines.emplace_back();
      lines.back() += PieceText(i);
    }
    return lines;
  }
  void Format() { doc.FormatDefault(false); }
};

TEST_F(FormatTest, OneShortParagraph) {
  doc.AddNL("Hello world", 0, 0);
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 1);
  TEXTMETRICA tm = Metrics(0);
  EXPECT_EQ(Dli(0)->Left, 5);
  EXPECT_EQ(Dli(0)->Top, 5);
  EXPECT_EQ(Dli(0)->Width, Width(0, "Hello world"));
  EXPECT_EQ(Dli(0)->Height, tm.tmHeight);
  EXPECT_TRUE(Dli(0)->FromNewLine);
  EXPECT_EQ(doc.DocumentWidth, 400 - 10);
  EXPECT_EQ(doc.DocumentHeight, 5 + LineHeight(0) + 5);
  EXPECT_EQ(doc.DocumentAreaHeight, doc.DocumentHeight);
  EXPECT_EQ(doc.DocumentAreaWidth, 400);
  EXPECT_EQ(doc.LastFormattedItem, 0);
  EXPECT_EQ(doc.GetItem(0)->DrawItemNo, 0);
}

TEST_F(FormatTest, LinesBreakAtSpacesThatAreDroppedAtTheWrap) {
  AnsiString text = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda";
  // A word fits when it fits with the space after it.
  doc.ClientWidth = 10 + Width(0, "alpha beta gamma ") + 1;
  doc.AddNL(text, 0, 0);
  Format();
  std::vector<AnsiString> lines = Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "alpha beta gamma");
  // Greedy reference: each line the longest run of whole words that fits.
  Integer width = doc.TextWidth;
  std::vector<AnsiString> words;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(' ', start);
    if (end == AnsiString::npos) end = text.size();
    words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::vector<AnsiString> expected;
  AnsiString current;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const AnsiString& w = words[i];
    AnsiString candidate = current.empty() ? w : current + " " + w;
    bool lastWord = i + 1 == words.size();
    if (!current.empty() && Width(0, lastWord ? candidate : candidate + " ") > width) {
      expected.push_back(current);
      current = w;
    } else {
      current = candidate;
    }
  }
  expected.push_back(current);
  EXPECT_EQ(lines, expected);
  TEXTMETRICA tm = Metrics(0);
  EXPECT_EQ(Dli(1)->Top, 5 + LineHeight(0));
  EXPECT_EQ(Dli(1)->Offs, static_cast<Integer>(lines[0].size()) + 2);  // after the dropped space
  (void)tm;
}

TEST_F(FormatTest, WithoutDroppingTheSpaceEndsTheLine) {
  doc.Flags &= static_cast<TUVFlags>(~uvflDropWrapSpace);
  doc.ClientWidth = 10 + Width(0, "alpha beta") + 4;
  doc.AddNL("alpha beta gamma", 0, 0);
  Format();
  EXPECT_EQ(Lines(), (std::vector<AnsiString>{"alpha beta ", "gamma"}));
}

TEST_F(FormatTest, ALongWordIsCutWhereItStopsFitting) {
  doc.Options << uvoClientTextWidth;  // else the document widens to the word
  doc.ClientWidth = 10 + Width(0, "abcdefghij");
  AnsiString word = "abcdefghijklmnopqrstuvwxyzabcdefghij";
  doc.AddNL(word, 0, 0);
  Format();
  std::vector<AnsiString> lines = Lines();
  ASSERT_GE(lines.size(), 3u);
  AnsiString joined;
  for (const AnsiString& l : lines) {
    EXPECT_LE(Width(0, l), doc.TextWidth);
    joined += l;
  }
  EXPECT_EQ(joined, word);
  // Each cut takes as many characters as fit: one more would not.
  AnsiString withNext = lines[0] + lines[1].substr(0, 1);
  EXPECT_GT(Width(0, withNext), doc.TextWidth);
}

TEST_F(FormatTest, AParagraphBeginningWithASpaceAndALongWordKeepsItsIndentAndTheSpacingAbove) {
  // The only break in the first line would be the paragraph's leading space: breaking there left
  // an empty line, lost the first-line indent and the line spacing of the line before.
  doc.Options << uvoClientTextWidth;
  TParaInfo* para = style.GetParaStyles()->Add();  // style 2
  para->FirstIndent = 12;
  para->LineSpacingType = uvlsSpaceBetween;
  para->LineSpacing = 4;
  doc.ClientWidth = 10 + 12 + Width(0, "abcdefghij");
  doc.AddNL("first", 0, 2);
  doc.AddNL(" abcdefghijklmnopqrstuvwxyz", 0, 2);
  Format();
  ASSERT_GE(doc.DrawItems->GetCount(), 3);
  EXPECT_EQ(Dli(1)->ItemNo, 1);
  EXPECT_EQ(Dli(1)->Offs, 1);  // the leading space stays at the paragraph's start
  EXPECT_EQ(Dli(1)->Left, 5 + 12);
  EXPECT_EQ(Dli(1)->Top, 5 + LineHeight(0) + 4);
}

TEST_F(FormatTest, AWordThatDoesNotFitAfterOthersMovesWhole) {
  doc.ClientWidth = 10 + Width(0, "abcdefghijklmnop");
  doc.AddNL("ab ", 0, 0);
  doc.Add("abcdefghijklmno", 1);
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 2);
  EXPECT_TRUE(Dli(1)->FromNewLine);
  EXPECT_EQ(Dli(1)->Length, 15);
}

TEST_F(FormatTest, IndentsAndParagraphSpacing) {
  TParaInfo* para = style.GetParaStyles()->Add();  // style 2
  para->LeftIndent = 20;
  para->FirstIndent = 15;
  para->RightIndent = 10;
  para->SpaceBefore = 7;
  para->SpaceAfter = 9;
  doc.ClientWidth = 10 + 30 + Width(0, "alpha beta gamma") + 2;
  doc.AddNL("alpha beta gamma delta epsilon", 0, 2);
  doc.AddNL("next", 0, 2);
  Format();
  ASSERT_GE(doc.DrawItems->GetCount(), 3);
  EXPECT_EQ(Dli(0)->Left, 5 + 20 + 15);
  EXPECT_EQ(Dli(0)->Top, 5 + 7);
  EXPECT_EQ(Dli(1)->Left, 5 + 20);
  Integer last = doc.DrawItems->GetCount() - 1;
  EXPECT_EQ(Dli(last)->Top, Dli(last - 1)->Top + LineHeight(0) + 9 + 7);
  EXPECT_EQ(doc.DocumentHeight, Dli(last)->Top + LineHeight(0) + 9 + 5);
  for (Integer i = 0; i < last; ++i) EXPECT_LE(Dli(i)->Left + Dli(i)->Width, 5 + doc.TextWidth - 10);
}

TEST_F(FormatTest, LineSpacingAddsExtraSpaceBelowALine) {
  TParaInfo* para = style.GetParaStyles()->Add();
  para->LineSpacing = 150;
  doc.AddNL("one", 0, 2);
  doc.AddNL("two", 0, 0);
  Format();
  Integer height = Dli(0)->Height;
  EXPECT_EQ(Dli(0)->ExtraSpaceBelow, height * 50 / 100);
  EXPECT_EQ(Dli(1)->Top, 5 + LineHeight(0) + height * 50 / 100);
  para->LineSpacingType = uvlsSpaceBetween;
  para->LineSpacing = 4;
  Format();
  EXPECT_EQ(Dli(0)->ExtraSpaceBelow, 4);
}

TEST_F(FormatTest, AlignmentShiftsTheLine) {
  TParaInfo* right = style.GetParaStyles()->Add();  // 2
  right->Alignment = uvaRight;
  right->RightIndent = 6;
  doc.AddNL("right", 0, 2);
  doc.AddNL("centre", 0, 1);
  Format();
  EXPECT_EQ(Dli(0)->Left + Dli(0)->Width, 5 + doc.TextWidth - 6);
  EXPECT_EQ(Dli(1)->Left, 5 + (doc.TextWidth - Width(0, "centre")) / 2);
}

TEST_F(FormatTest, JustifiedLinesEndAtTheRightEdgeExceptTheLast) {
  TParaInfo* para = style.GetParaStyles()->Add();
  para->Alignment = uvaJustify;
  doc.ClientWidth = 10 + Width(0, "alpha beta gamma") + 9;
  doc.AddNL("alpha beta gamma delta epsilon zeta eta theta", 0, 2);
  Format();
  Integer right = 5 + doc.TextWidth;
  Integer lastLineStart = 0;
  for (Integer i = 0; i < doc.DrawItems->GetCount(); ++i)
    if (Dli(i)->FromNewLine) lastLineStart = i;
  for (Integer i = 0; i < doc.DrawItems->GetCount(); ++i) {
    bool endOfLine = i + 1 == doc.DrawItems->GetCount() || Dli(i + 1)->FromNewLine;
    if (endOfLine && i < lastLineStart) {
      EXPECT_EQ(Dli(i)->Left + Dli(i)->Width, right) << i;
    }
  }
  Integer last = doc.DrawItems->GetCount() - 1;
  EXPECT_LT(Dli(last)->Left + Dli(last)->Width, right);
  EXPECT_EQ(Dli(lastLineStart)->Left, 5);
  EXPECT_EQ(Dli(lastLineStart)->JustifySpace, 0);
}

TEST_F(FormatTest, NoWrapParagraphsStayOnOneLineAndWidenTheDocument) {
  TParaInfo* para = style.GetParaStyles()->Add();
  para->Options << uvpaoNoWrap;
  AnsiString text = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
  doc.ClientWidth = 100;
  doc.AddNL(text, 0, 2);
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 1);
  EXPECT_EQ(doc.DocumentWidth, Width(0, text));
  EXPECT_EQ(doc.CalculateMinDocWidth(nullptr, doc.GetCanvas()), Width(0, text));
}

TEST_F(FormatTest, TheMinimalWidthIsTheWidestWordWithIndents) {
  TParaInfo* para = style.GetParaStyles()->Add();
  para->LeftIndent = 12;
  para->FirstIndent = 3;
  doc.AddNL("a wonderfully long word", 0, 2);
  EXPECT_EQ(doc.CalculateMinDocWidth(nullptr, doc.GetCanvas()), 15 + Width(0, "wonderfully"));
  doc.ClientWidth = 20;
  Format();
  EXPECT_EQ(doc.DocumentWidth, 15 + Width(0, "wonderfully"));
}

// A caller that only needs widths above a floor gets the widest word when it is wider, and the
// floor otherwise, however the words are spread over the paragraphs.
TEST_F(FormatTest, TheMinimalWidthAboveAFloorIsTheWidestWordOrTheFloor) {
  TParaInfo* para = style.GetParaStyles()->Add();
  para->LeftIndent = 12;
  for (int i = 0; i < 20; ++i) doc.AddNL("in the beginning was the word", 0, i == 7 ? 2 : 0);
  doc.AddNL("and a wonderfully long one", 0, 2);
  doc.AddNL("at the end", 0, 0);
  const Integer widest = 12 + Width(0, "wonderfully");
  ASSERT_EQ(doc.CalculateMinDocWidth(nullptr, doc.GetCanvas()), widest);
  for (Integer floor : {-50, 0, 1, widest - 1, widest, widest + 1, 10 * widest})
    EXPECT_EQ(doc.CalculateMinDocWidth(nullptr, doc.GetCanvas(), floor), std::max(widest, floor)) << floor;
}

TEST_F(FormatTest, HyperlinkAreasFollowTheirPieces) {
  doc.AddNL("see ", 0, 0);
  doc.Add("here", 4);
  doc.Add(" and ", 0);
  doc.Add("there", 5);
  Format();
  ASSERT_EQ(doc.Jumps->GetCount(), 2);
  for (Integer j = 0; j < 2; ++j) {
    auto* jump = static_cast<TUVJumpInfo*>(doc.Jumps->Get(j));
    TUVDrawLineInfo* dli = Dli(jump->DrawItemNo);
    EXPECT_EQ(jump->Id, j);
    EXPECT_EQ(jump->Left, dli->Left);
    EXPECT_EQ(jump->Top, dli->Top);
    EXPECT_EQ(jump->Width, dli->Width);
    EXPECT_EQ(jump->Cursor, 101);
  }
  EXPECT_EQ(doc.GetItem(1)->HyperlinkId, 0);
  EXPECT_EQ(doc.GetItem(3)->HyperlinkId, 1);
  EXPECT_EQ(doc.JumpCount, 2);
  doc.Flags &= static_cast<TUVFlags>(~uvflBuildJumps);
  Format();
  EXPECT_EQ(doc.Jumps->GetCount(), 0);
}

TEST_F(FormatTest, EmptyParagraphsAndBreaks) {
  doc.AddNL("", 1, 0);
  doc.AddItem("", new TUVBreakItemInfo(&doc));
  doc.AddNL("after", 0, 0);
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 3);
  EXPECT_EQ(Dli(0)->Width, 0);
  EXPECT_EQ(Dli(0)->Height, Metrics(1).tmHeight);
  EXPECT_EQ(Dli(1)->Height, 11);
  EXPECT_EQ(Dli(1)->Width, doc.TextWidth);
  EXPECT_EQ(Dli(1)->Left, 5);
  EXPECT_EQ(Dli(1)->Top, 5 + LineHeight(1));
  EXPECT_EQ(Dli(2)->Top, Dli(1)->Top + 11);
}

TEST_F(FormatTest, TallPicturesRaiseTheirLine) {
  auto* bitmap = new TBitmap();
  bitmap->SetSize(30, 60);
  doc.AddNL("text ", 0, 0);
  doc.AddItem("pic", new TUVGraphicItemInfo(&doc, bitmap, 0));
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 2);
  TEXTMETRICA tm = Metrics(0);
  // The picture stands on the baseline, reaching 1 pixel below it.
  Integer baseline = Dli(1)->Top + 62 - 1;
  EXPECT_EQ(Dli(1)->Top, 5);
  EXPECT_EQ(Dli(1)->Width, 32);
  EXPECT_EQ(Dli(0)->Top, baseline - tm.tmAscent - tm.tmExternalLeading);
  EXPECT_EQ(Dli(1)->Left, 5 + Width(0, "text "));
}

TEST_F(FormatTest, HitTestingPointsToCaretPositions) {
  doc.AddNL("abc def", 0, 0);
  doc.AddNL("second", 0, 0);
  Format();
  Integer d, o;
  doc.FindDrawItemAtPos(0, 6, false, d, o);  // left of the first piece
  EXPECT_EQ(d, 0);
  EXPECT_EQ(o, 1);
  doc.FindDrawItemAtPos(390, 6, false, d, o);  // right of the last piece
  EXPECT_EQ(d, 0);
  EXPECT_EQ(o, 8);
  Integer x = 5 + Width(0, "abc d") + 1;  // just after the fifth character
  doc.FindDrawItemAtPos(x, 6, false, d, o);
  EXPECT_EQ(o, 6);
  doc.FindDrawItemAtPos(10, Dli(1)->Top + 2, true, d, o);
  EXPECT_EQ(d, 1);
  doc.FindDrawItemAtPos(390, Dli(1)->Top + 2, true, d, o);
  EXPECT_EQ(d, -1);

  TCustomUVFormattedData* data;
  Integer itemNo, offs, styleNo;
  AnsiString word;
  ASSERT_TRUE(doc.GetItemAtPos(x, 6, data, itemNo, offs, styleNo, word));
  EXPECT_EQ(data, &doc);
  EXPECT_EQ(itemNo, 0);
  EXPECT_EQ(word, "def");
  EXPECT_EQ(offs, 5);
  EXPECT_FALSE(doc.GetItemAtPos(390, 6, data, itemNo, offs, styleNo, word));
  EXPECT_EQ(itemNo, -1);
}

TEST_F(FormatTest, HitTestingPicturesAndTallLines) {
  auto* bitmap = new TBitmap();
  bitmap->SetSize(40, 80);
  doc.AddNL("a", 0, 0);
  doc.AddNL("b ", 0, 0);
  doc.AddItem("pic", new TUVGraphicItemInfo(&doc, bitmap, 0));
  Format();
  TUVDrawLineInfo* pic = Dli(2);
  ASSERT_TRUE(Dli(1)->FromNewLine);
  Integer d, o;
  doc.FindDrawItemAtPos(pic->Left + 5, pic->Top + 40, true, d, o);
  EXPECT_EQ(d, 2);
  EXPECT_EQ(o, 0);
  doc.FindDrawItemAtPos(pic->Left + pic->Width - 5, pic->Top + 40, true, d, o);
  EXPECT_EQ(o, 1);
  // Over the text beside the picture's upper part, above the top of that text.
  Integer y = pic->Top + 2;
  ASSERT_LT(y, Dli(1)->Top);
  doc.FindDrawItemAtPos(Dli(1)->Left + 1, y, false, d, o);
  EXPECT_EQ(d, 1);
}

TEST_F(FormatTest, ItemsAndDrawLinesMapBothWays) {
  doc.ClientWidth = 10 + Width(0, "alpha beta ") + 1;
  doc.AddNL("alpha beta gamma", 0, 0);
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 2);
  Integer d, o, item, offs;
  doc.ItemToDrawItem(0, 11, d, o);  // just after "beta": the end of the first piece
  EXPECT_EQ(d, 0);
  EXPECT_EQ(o, 11);
  doc.ItemToDrawItem(0, 13, d, o);  // inside "gamma"
  EXPECT_EQ(d, 1);
  EXPECT_EQ(o, 2);
  doc.DrawItemToItem(1, 2, item, offs);
  EXPECT_EQ(item, 0);
  EXPECT_EQ(offs, 13);
  doc.DrawItemToItem(-1, 0, item, offs);
  EXPECT_EQ(item, -1);
  Integer first, last;
  doc.GetScreenLineBounds(1, first, last);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 1);
  Integer left, top;
  ASSERT_TRUE(doc.GetItemCoords(0, left, top));
  EXPECT_EQ(left, 5);
  EXPECT_EQ(top, 5);
  EXPECT_EQ(doc.FindDrawItemByY(Dli(1)->Top, uvfdyAtOrBelow), 1);
  EXPECT_EQ(doc.FindDrawItemByY(0, uvfdyAtOrBelow), 0);
  EXPECT_EQ(doc.FindDrawItemByY(100000, uvfdyAtOrBelow), 1);
  EXPECT_EQ(doc.FindDrawItemByPoint(6, Dli(1)->Top + 1), 1);
  doc.SetSelBoundsFromItems(0, 3, 0, 13);
  Integer si, so, ei, eo;
  doc.GetSelectionItemBounds(true, si, so, ei, eo);
  EXPECT_EQ(so, 3);
  EXPECT_EQ(eo, 13);
  EXPECT_TRUE(doc.SelectionExists());
  // The selection survives a reformat that keeps the position.
  doc.ClientWidth = 300;
  doc.Format(true, true, false, 0, nullptr, false, false);
  doc.GetSelectionItemBounds(true, si, so, ei, eo);
  EXPECT_EQ(si, 0);
  EXPECT_EQ(so, 3);
  EXPECT_EQ(eo, 13);
}

TEST_F(FormatTest, AnEmptyDocumentAnswersWithNothing) {
  Format();
  Integer d, o;
  doc.FindDrawItemAtPos(10, 10, false, d, o);
  EXPECT_EQ(d, -1);
  EXPECT_EQ(doc.FindDrawItemByPoint(10, 10), -1);
  EXPECT_EQ(doc.GetFirstVisibleItem(), -1);
  EXPECT_EQ(doc.ItemToFirstDrawItem(-1), -1);
  doc.SelectAll();
  EXPECT_FALSE(doc.SelectionExists());
  EXPECT_EQ(doc.DocumentHeight, 10);
}

// A document whose owner shows a scroll bar, narrowing the client area, once it is too high.
class TScrollingData : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  void SetDocumentAreaSize(Integer Width, Integer Height, bool UpdateH) override {
    TUVWindowlessData::SetDocumentAreaSize(Width, Height, UpdateH);
    ++Passes;
    if (Height > ClientHeight) ClientWidth = 380;
  }
  Integer Passes = 0;
};

TEST_F(FormatTest, AScrollBarThatAppearsCausesOneMorePass) {
  TScrollingData data(&style);
  data.ClientHeight = 30;
  for (int i = 0; i < 5; ++i) data.AddNL("line", 0, 0);
  data.FormatDefault(false);
  EXPECT_EQ(data.Passes, 2);
  EXPECT_EQ(data.DocumentWidth, 370);
}

TEST_F(FormatTest, OnlyTailAppendsLines) {
  doc.AddNL("one", 0, 0);
  Format();
  Integer height = doc.DocumentHeight;
  doc.AddNL("two", 0, 0);
  doc.Format(false, false, false, 0, nullptr, true, false);
  ASSERT_EQ(doc.DrawItems->GetCount(), 2);
  EXPECT_EQ(Dli(1)->Top, height - 5);
  EXPECT_EQ(doc.DocumentHeight, height + LineHeight(0));
  EXPECT_EQ(doc.VOffs, doc.DocumentHeight);  // scrolled to the end
}

}  // namespace

namespace {

TEST_F(FormatTest, ControlsTakeTheirBoxAndFollowThePercentWidth) {
  auto* control = new TWinControl(nullptr);
  control->SetBounds(0, 0, 50, 20);
  auto* item = new TUVControlItemInfo(&doc, control, 0);
  doc.AddNL("x ", 0, 0);
  doc.AddItem("ctl", item);
  EXPECT_FALSE(control->GetVisible());  // hidden until the owner places it
  EXPECT_EQ(doc.FindControlItemNo(control), 1);
  EXPECT_EQ(doc.FindControlItemNo(nullptr), -1);
  Format();
  ASSERT_EQ(doc.DrawItems->GetCount(), 2);
  EXPECT_EQ(Dli(1)->Width, 52);
  EXPECT_EQ(Dli(1)->Height, 22);
  EXPECT_EQ(item->GetMinWidth(nullptr, doc.GetCanvas(), &doc), 52);
  item->PercentWidth = 50;
  Format();
  EXPECT_EQ(control->GetWidth(), doc.TextWidth * 50 / 100 - 2);
  EXPECT_EQ(item->GetMinWidth(nullptr, doc.GetCanvas(), &doc), 20);
  doc.DeleteItems(1, 1);  // frees the control with its item
  EXPECT_EQ(doc.GetItemCount(), 1);
}

}  // namespace

namespace {

// A document that grows at its end and is laid out a tail at a time is laid out as a layout of
// the whole document lays it out, also when the tail holds a word wider than any before it.
TEST_F(FormatTest, ATailLaidOutAloneIsLaidOutAsTheWholeDocument) {
  struct Row {
    const char* Name;
    std::vector<AnsiString> Head, Tail;
  } rows[] = {
      {"paragraphs added",
       {"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi rho",
        "sigma tau upsilon"},
       {"phi chi psi omega", "", "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu"}},
      {"a word wider than the window added",
       {"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi rho"},
       {std::string(120, 'w') + " and more"}},
  };
  auto lines = [](TUVWindowlessData& d) {
    std::vector<std::string> out;
    for (Integer i = 0; i < d.DrawItems->GetCount(); ++i) {
      TUVDrawLineInfo* dli = d.DrawItems->Get(i);
      AnsiString text;
      d.DrawItems->GetDrawItemText(i, &d, text);
      out.push_back(std::to_string(dli->Left) + "," + std::to_string(dli->Top) + "," + std::to_string(dli->Width) +
                    " " + text);
    }
    out.push_back("height " + std::to_string(d.DocumentHeight) + ", width " + std::to_string(d.DocumentWidth));
    return out;
  };
  for (const Row& r : rows) {
    TUVWindowlessData grown(&style), whole(&style);
    grown.ClientWidth = whole.ClientWidth = 300;
    for (const AnsiString& p : r.Head) {
      grown.AddNL(p, 0, 0);
      whole.AddNL(p, 0, 0);
    }
    grown.FormatDefault(false);
    for (const AnsiString& p : r.Tail) {
      grown.AddNL(p, 0, 0);
      whole.AddNL(p, 0, 0);
    }
    grown.Format(false, false, false, 0, nullptr, true, false);
    whole.FormatDefault(false);
    EXPECT_EQ(lines(grown), lines(whole)) << r.Name;
    EXPECT_EQ(grown.LastFormattedItem, grown.GetItemCount() - 1) << r.Name;
  }
}

}  // namespace
