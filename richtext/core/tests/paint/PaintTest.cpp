// Painting formatted documents onto 24-bit bitmaps, with every expected position taken from the
// formatter's draw lines: text and its backgrounds, paragraph backgrounds and borders, list
// markers, pictures, selections, hyperlinks, checkpoints and page breaks, the clip rectangle
// and origins, the state passed to the drawing events, and the double-buffered paint.
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Metafiles.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// A 24-bit picture that a paint goes onto, filled first.
class Shot {
public:
  Shot(Integer Width, Integer Height, TColor Fill = clWhite) {
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(Width, Height);
    bmp.GetCanvas()->GetBrush()->SetColor(Fill);
    bmp.GetCanvas()->FillRect(Rect(0, 0, Width, Height));
  }
  TCanvas* Canvas() { return bmp.GetCanvas(); }
  Integer Width() { return bmp.GetWidth(); }
  Integer Height() { return bmp.GetHeight(); }
  // The pixel at (X, Y); CLR_INVALID outside.
  COLORREF At(Integer X, Integer Y) {
    if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return CLR_INVALID;
    ::GdiFlush();
    auto* row = static_cast<const Byte*>(bmp.GetScanLine(Y));
    return RGB(row[3 * X + 2], row[3 * X + 1], row[3 * X]);
  }
  // How many pixels of R (clipped to the picture) have the colour.
  Integer Count(TRect R, TColor Color) {
    COLORREF c = Rgb(Color);
    Integer n = 0;
    for (Integer y = std::max(R.Top, 0); y < std::min(R.Bottom, Height()); ++y)
      for (Integer x = std::max(R.Left, 0); x < std::min(R.Right, Width()); ++x)
        if (At(x, y) == c) ++n;
    return n;
  }
  // The first pixel that differs from Other's at (x + DX, y + DY); empty when all agree.
  std::string Differs(Shot& Other, Integer DX, Integer DY) {
    for (Integer y = 0; y < Height(); ++y)
      for (Integer x = 0; x < Width(); ++x)
        if (At(x, y) != Other.At(x + DX, y + DY))
          return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return std::string();
  }
  // Written as a PNG for people to look at, when PELORIN_SCREENSHOTS names a folder.
  void Save(const std::string& Name) {
    const char* folder = std::getenv("PELORIN_SCREENSHOTS");
    if (!folder || !*folder) return;
    testing_support::ScreenImage image;
    image.width = Width();
    image.height = Height();
    for (Integer y = 0; y < Height(); ++y)
      for (Integer x = 0; x < Width(); ++x) {
        COLORREF c = At(x, y);
        image.rgb += static_cast<char>(GetRValue(c));
        image.rgb += static_cast<char>(GetGValue(c));
        image.rgb += static_cast<char>(GetBValue(c));
      }
    testing_support::SavePng(image, std::string(folder) + "\\" + Name + ".png");
  }

private:
  TBitmap bmp;
};

// A windowless document that can say it has the focus.
class TestDoc : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  bool IsControlFocused() override { return Focused; }
  bool Focused = false;
};

// A picture whose data the system refuses to draw.
class TBrokenGraphic : public TBitmap {
public:
  TBrokenGraphic() { SetSize(10, 10); }

protected:
  void Draw(TCanvas*, const TRect&) override { throw EInvalidGraphic("Bitmap image is not valid"); }
};

// An item whose drawing fails.
class TFailingItem : public TUVRectItemInfo {
public:
  TFailingItem(TCustomUVData* Data) : TUVRectItemInfo(Data) { StyleNo = -100; }
  Integer GetBorderWidth() override { return 10; }
  Integer GetBorderHeight() override { return 10; }
  void Paint(Integer, Integer, TCanvas*, TUVTextDrawStates, TUVStyle*, TUVDrawLineInfo*) override {
    throw Exception("The item could not be drawn");
  }
};

// A line that reports page breaks inside itself: ExtraData pixels below its top.
class TSplitLine : public TUVBreakItemInfo {
public:
  using TUVBreakItemInfo::TUVBreakItemInfo;
  Integer GetSoftPageBreakDY(Integer Data) override { return Data; }
};

TBitmap* SolidBitmap(Integer Width, Integer Height, TColor Color) {
  auto* bitmap = new TBitmap;
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(Width, Height);
  bitmap->GetCanvas()->GetBrush()->SetColor(Color);
  bitmap->GetCanvas()->FillRect(Rect(0, 0, Width, Height));
  return bitmap;
}

class PaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Large bold letters, whose strokes hold pixels of exactly the text colour.
    for (Integer i = 0; i < style.GetTextStyles()->GetCount(); ++i) {
      TFontInfo* font = style.GetTextStyles()->GetItem(i);
      font->Size = 20;
      font->Style << fsBold;
    }
    doc.ClientWidth = 300;
  }

  TUVDrawLineInfo* Dli(Integer i) { return doc.DrawItems->Get(i); }
  TRect Box(Integer i) { return Bounds(Dli(i)->Left, Dli(i)->Top, Dli(i)->Width, Dli(i)->Height); }
  Integer TextWidth(Integer StyleNo, const AnsiString& Text) {
    style.ApplyTextStyle(doc.GetCanvas(), StyleNo, uvbdUnspecified);
    return UVUniTextWidth(Text, doc.GetCanvas(), 0);
  }
  void Format() { doc.FormatDefault(false); }
  // The whole document as the view shows it without scrolling.
  void PaintAll(Shot& S) { doc.PaintTo(S.Canvas(), Rect(0, 0, S.Width(), S.Height())); }

  TUVStyle style{nullptr};
  TestDoc doc{&style};
};

// --- Text, paragraphs, markers, pictures -----------------------------------------------------

TEST_F(PaintTest, TextIsPaintedInItsColourOnItsBackground) {
  struct {
    TColor back;
  } cases[] = {{clYellow}, {clNone}};
  for (auto c : cases) {
    TFontInfo* font = style.GetTextStyles()->GetItem(0);
    font->Color = clRed;
    font->BackColor = c.back;
    doc.Clear();
    doc.AddNL("Hello world", 0, 0);
    Format();
    Shot shot(300, 60);
    PaintAll(shot);
    TRect box = Box(0);
    EXPECT_GT(shot.Count(box, clRed), 20);
    if (c.back == clYellow) {
      EXPECT_EQ(shot.At(box.Left, box.Top), Rgb(clYellow));
      EXPECT_EQ(shot.At(box.Right - 1, box.Bottom - 1), Rgb(clYellow));
      EXPECT_EQ(shot.At(box.Right, box.Top), Rgb(clWhite));
      EXPECT_EQ(shot.At(box.Left, box.Bottom), Rgb(clWhite));
      shot.Save("text-on-yellow");
    } else {
      EXPECT_EQ(shot.Count(box, clYellow), 0);
      EXPECT_EQ(shot.At(box.Left, box.Top), Rgb(clWhite));
    }
    // Nothing outside the piece.
    EXPECT_EQ(shot.Count(Rect(0, box.Bottom + 1, 300, 60), clRed), 0);
  }
}

TEST_F(PaintTest, CapitalsAreDrawnAsTheyWereMeasured) {
  TFontInfo* font = style.GetTextStyles()->GetItem(0);
  font->StyleEx << uvfsAllCaps;
  font->BackColor = clYellow;
  doc.AddNL("mixed case", 0, 0);
  Format();
  EXPECT_EQ(Dli(0)->Width, TextWidth(0, "MIXED CASE"));
  Shot caps(300, 60), lower(300, 60);
  PaintAll(caps);
  // The same piece drawn by hand in capitals gives the same pixels.
  style.ApplyTextStyle(lower.Canvas(), 0, uvbdUnspecified);
  style.ApplyTextStyleColor(lower.Canvas(), 0, TUVTextDrawStates());
  style.DrawStyleText("MIXED CASE", lower.Canvas(), 0, 0, Dli(0)->Left, Dli(0)->Top, Dli(0)->Width, Dli(0)->Height,
                      TUVTextDrawStates(), false);
  EXPECT_EQ(caps.Differs(lower, 0, 0), "");
}

TEST_F(PaintTest, EveryCharacterIsDrawnWhereItWasMeasured) {
  // Some fonts the system would set closer together than it measures them when drawn without
  // advances: the text would end well before its measured end, where a caret would stand.
  struct {
    const char* Font;
    Integer Size;
    bool Unicode;
  } cases[] = {
      {"Times New Roman", 12, false},
      {"Times New Roman", 12, true},
      {"Arial", 10, false},
      {"Courier New", 11, false},
  };
  const wchar_t kText[] = L"In the beginning was the Word, and the Word was with God";
  doc.ClientWidth = 600;
  for (auto& c : cases) {
    TFontInfo* font = style.GetTextStyles()->GetItem(0);
    font->FontName = c.Font;
    font->Size = c.Size;
    font->Style.Clear();
    font->Unicode = c.Unicode;
    doc.Clear();
    doc.AddNL(c.Unicode ? UVUniWideStringToRaw(kText) : UnicodeToAnsiCP(0, UVUniWideStringToRaw(kText)), 0, 0);
    Format();
    Shot shot(600, 60);
    PaintAll(shot);
    TRect box = Box(0);
    ASSERT_EQ(Dli(0)->Length, 56) << c.Font;  // one line
    Integer inkRight = -1;
    for (Integer y = box.Top; y < box.Bottom; ++y)
      for (Integer x = box.Left; x < 600; ++x)
        if (shot.At(x, y) != Rgb(clWhite)) inkRight = std::max(inkRight, x);
    EXPECT_LT(inkRight, box.Right) << c.Font << (c.Unicode ? " UTF-16" : "");
    EXPECT_GE(inkRight, box.Right - 3) << c.Font << (c.Unicode ? " UTF-16" : "");
  }
}

TEST_F(PaintTest, ParagraphBackgroundAndBorderCoverTheWholeParagraph) {
  TParaInfo* para = style.GetParaStyles()->Add();  // 2
  para->LeftIndent = 20;
  para->FirstIndent = -10;
  para->RightIndent = 15;
  para->SpaceBefore = 12;
  para->GetBackground()->Color = clAqua;
  para->GetBorder()->Style = uvbSingle;
  para->GetBorder()->Color = clBlue;
  style.GetTextStyles()->GetItem(0)->Color = clBlack;
  doc.AddNL("before", 0, 0);
  doc.AddNL("a paragraph long enough to take three or four lines at this width", 0, 2);
  doc.AddNL("after", 0, 0);
  Format();
  Integer first = doc.GetItem(1)->DrawItemNo;
  Integer last = doc.GetItem(2)->DrawItemNo - 1;
  ASSERT_GE(last - first, 2);
  Integer top = Dli(first)->Top;
  Integer bottom = 0;
  for (Integer i = first; i <= last; ++i) bottom = std::max(bottom, Dli(i)->Top + Dli(i)->Height + Dli(i)->ExtraSpaceBelow);
  Integer left = 5 + 20 - 10;
  Integer right = 5 + doc.DocumentWidth - 15;
  Shot shot(300, doc.DocumentHeight);
  PaintAll(shot);
  shot.Save("paragraph");
  Integer middle = (top + bottom) / 2;
  // The border runs along the rectangle's edges, the background fills it.
  for (Integer y : {top, bottom}) EXPECT_EQ(shot.At((left + right) / 2, y), Rgb(clBlue)) << y;
  for (Integer x : {left, right}) EXPECT_EQ(shot.At(x, middle), Rgb(clBlue)) << x;
  EXPECT_EQ(shot.At(right - 2, middle), Rgb(clAqua));
  EXPECT_EQ(shot.At(left + 1, top + 1), Rgb(clAqua));
  EXPECT_EQ(shot.At(right + 1, middle), Rgb(clWhite));
  EXPECT_EQ(shot.At(left - 1, middle), Rgb(clWhite));
  EXPECT_EQ(shot.At(left + 1, top - 1), Rgb(clWhite));
  EXPECT_EQ(shot.At(left + 1, bottom + 1), Rgb(clWhite));
}

TEST_F(PaintTest, ParagraphEventGetsTheRectangleAndMayReplaceTheBackground) {
  TParaInfo* para = style.GetParaStyles()->GetItem(0);
  para->GetBackground()->Color = clAqua;
  std::vector<TRect> rects;
  struct Handler {
    std::vector<TRect>* rects;
    void OnBack(TUVStyle*, TCanvas* Canvas, Integer ParaNo, const TRect& R, bool& DoDefault) {
      rects->push_back(R);
      if (ParaNo == 0) {
        Canvas->GetBrush()->SetColor(clLime);
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->FillRect(R);
        DoDefault = false;
      }
    }
  } handler{&rects};
  style.OnDrawParaBack = TUVDrawParaRectEvent(&handler, &Handler::OnBack);
  doc.AddNL("one", 0, 0);
  doc.AddNL("two", 0, 1);  // no colours: painted only because the event is assigned
  Format();
  Shot shot(300, doc.DocumentHeight);
  PaintAll(shot);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].Top, Dli(0)->Top);
  EXPECT_EQ(rects[0].Bottom, Dli(0)->Top + Dli(0)->Height);
  EXPECT_EQ(rects[1].Top, Dli(1)->Top);
  EXPECT_EQ(shot.Count(Rect(0, 0, 300, doc.DocumentHeight), clAqua), 0);
  EXPECT_GT(shot.Count(rects[0], clLime), 0);
}

TEST_F(PaintTest, ListMarkersArePaintedInTheLevelFont) {
  TUVListInfo* list = style.GetListStyles()->Add();
  TUVListLevel* level = list->GetLevels()->Add();
  level->ListType = uvlstDecimal;
  level->FormatString = "%0:s.";
  level->LeftIndent = 40;
  level->FirstIndent = 0;
  level->GetFont()->SetColor(clRed);
  level->GetFont()->SetSize(20);
  level->GetFont()->SetStyle(TFontStyles{fsBold});
  style.GetTextStyles()->GetItem(0)->Color = clBlue;
  for (int i = 0; i < 2; ++i) {
    doc.AddItem("", new TUVMarkerItemInfo(&doc, 0, 0, 1, false));
    doc.Add("item", 0);
  }
  Format();
  Shot shot(300, doc.DocumentHeight);
  PaintAll(shot);
  shot.Save("list");
  for (Integer item : {0, 2}) {
    Integer d = doc.GetItem(item)->DrawItemNo;
    EXPECT_GT(shot.Count(Box(d), clRed), 10) << item;
    EXPECT_EQ(shot.Count(Box(d), clBlue), 0) << item;
    // The text after the marker is in its own style again.
    EXPECT_GT(shot.Count(Box(d + 1), clBlue), 10) << item;
    EXPECT_EQ(shot.Count(Box(d + 1), clRed), 0) << item;
  }
}

TEST_F(PaintTest, PicturesAndPicturesThatCannotBeShown) {
  enum Kind { Green, Missing, Broken };
  for (Kind kind : {Green, Missing, Broken}) {
    doc.Clear();
    doc.AddNL("x", 0, 0);
    TGraphic* graphic = kind == Green ? SolidBitmap(32, 32, clGreen) : kind == Broken ? new TBrokenGraphic : nullptr;
    auto* picture = new TUVGraphicItemInfo(&doc, graphic, 0);
    picture->ImageWidth = 32;
    picture->ImageHeight = 32;
    picture->SetContinuesPara(true);
    doc.AddItem("picture", picture);
    Format();
    Integer d = picture->DrawItemNo;
    Shot shot(300, doc.DocumentHeight);
    ASSERT_NO_THROW(PaintAll(shot));
    TRect image = Bounds(Dli(d)->Left + 1, Dli(d)->Top + 1, 32, 32);
    if (kind == Green) {
      EXPECT_EQ(shot.Count(image, clGreen), 32 * 32);
      continue;
    }
    // The style sheet's invalid picture (here the crossed box, 16 pixels, shown twice as large).
    shot.Save(kind == Missing ? "missing-picture" : "broken-picture");
    EXPECT_EQ(shot.At(image.Left, image.Top + 16), Rgb(clRed)) << kind;
    EXPECT_EQ(shot.At(image.Left + 16, image.Top + 4), Rgb(clWhite)) << kind;
    EXPECT_EQ(shot.At(image.Left + 7, image.Top + 7), Rgb(clRed)) << kind;
    EXPECT_EQ(shot.Count(image, clGreen), 0) << kind;
  }
}

TEST_F(PaintTest, ABreakIsALineAcrossTheText) {
  style.GetTextStyles()->GetItem(0)->Color = clMaroon;
  doc.AddNL("above", 0, 0);
  doc.AddItem("", new TUVBreakItemInfo(&doc, 1, 0, clNone));
  doc.AddNL("below", 0, 0);
  Format();
  TUVDrawLineInfo* line = Dli(1);
  Shot shot(300, doc.DocumentHeight);
  PaintAll(shot);
  Integer y = line->Top + 5;
  EXPECT_EQ(shot.At(line->Left + 5, y), Rgb(clMaroon));
  EXPECT_EQ(shot.At(5 + doc.DocumentWidth - 6, y), Rgb(clMaroon));
  EXPECT_EQ(shot.At(line->Left + 4, y), Rgb(clWhite));
  EXPECT_EQ(shot.At(5 + doc.DocumentWidth - 4, y), Rgb(clWhite));
}

TEST_F(PaintTest, NothingIsPaintedWhileAPartialReformatHasFreedDrawLines) {
  doc.AddNL("one", 0, 0);
  doc.AddNL("two", 0, 0);
  doc.AddNL("three", 0, 0);
  Format();
  doc.DrawItems->MarkForDelete(1, 1);
  doc.State |= uvstPartialFormatting;
  Shot shot(300, doc.DocumentHeight);
  PaintAll(shot);
  EXPECT_EQ(shot.Count(Rect(0, 0, 300, doc.DocumentHeight), clWhite), 300 * doc.DocumentHeight);
  doc.State &= ~static_cast<Cardinal>(uvstPartialFormatting);
  doc.DrawItems->DeleteMarked();
  Format();
}

// --- Selection -------------------------------------------------------------------------------

class SelectionTest : public PaintTest {
protected:
  void SetUp() override {
    PaintTest::SetUp();
    style.GetTextStyles()->GetItem(0)->Color = clBlack;
    style.SelColor = clNavy;
    style.SelTextColor = clYellow;
    style.InactiveSelColor = clGray;
    style.InactiveSelTextColor = clLime;
  }
  // Pixels of a rectangle that are selection background (focused or not).
  Integer Selected(Shot& S, TRect R) { return S.Count(R, clNavy) + S.Count(R, clGray); }
};

TEST_F(SelectionTest, PartOfALineIsPaintedInTheSelectionColours) {
  struct {
    bool focused;
    TColor back, text;
  } cases[] = {{true, clNavy, clYellow}, {false, clGray, clLime}};
  doc.AddNL("Hello world", 0, 0);
  Format();
  for (auto c : cases) {
    doc.Focused = c.focused;
    doc.SetSelBoundsFromItems(0, 3, 0, 8);  // "llo w"
    Shot shot(300, 60);
    PaintAll(shot);
    shot.Save(c.focused ? "selection-focused" : "selection-inactive");
    TRect line = Box(0);
    Integer x0 = line.Left + TextWidth(0, "He");
    Integer x1 = x0 + TextWidth(0, "llo w");
    TRect sel = Rect(x0, line.Top, x1, line.Bottom);
    EXPECT_GT(shot.Count(sel, c.back), (x1 - x0) * (line.Bottom - line.Top) / 2);
    EXPECT_GT(shot.Count(sel, c.text), 10);
    EXPECT_EQ(shot.At(x0 - 1, line.Top), Rgb(clWhite));
    EXPECT_EQ(shot.At(x1, line.Top), Rgb(clWhite));
    EXPECT_GT(shot.Count(Rect(line.Left, line.Top, x0, line.Bottom), clBlack), 10);
    EXPECT_EQ(shot.Count(Rect(line.Left, line.Top, x0, line.Bottom), c.back), 0);
  }
}

TEST_F(SelectionTest, WhichLinesASelectionCovers) {
  doc.ClientWidth = 150;
  doc.AddNL("one two three four five six seven eight", 0, 0);
  Format();
  ASSERT_GE(doc.DrawItems->GetCount(), 3);
  auto selectedLines = [&]() {
    Shot shot(150, doc.DocumentHeight);
    PaintAll(shot);
    std::vector<bool> lines;
    for (Integer i = 0; i < doc.DrawItems->GetCount(); ++i) lines.push_back(Selected(shot, Box(i)) > 0);
    return lines;
  };
  // Offset 1 of a line to offset 0 of the next: only the first line.
  doc.FSelStartNo = 0;
  doc.FSelStartOffs = 1;
  doc.FSelEndNo = 1;
  doc.FSelEndOffs = 0;
  std::vector<bool> lines = selectedLines();
  EXPECT_TRUE(lines[0]);
  EXPECT_FALSE(lines[1]);
  EXPECT_FALSE(lines[2]);
  // Backwards from the end of line 2 to the middle of line 0: all three, line 0 from there on.
  doc.FSelStartNo = 2;
  doc.FSelStartOffs = Dli(2)->Length + 1;
  doc.FSelEndNo = 0;
  doc.FSelEndOffs = 5;
  Shot shot(150, doc.DocumentHeight);
  PaintAll(shot);
  Integer x = Dli(0)->Left + TextWidth(0, "one ");
  EXPECT_EQ(Selected(shot, Rect(Dli(0)->Left, Dli(0)->Top, x - 1, Box(0).Bottom)), 0);
  EXPECT_GT(Selected(shot, Rect(x, Dli(0)->Top, Box(0).Right, Box(0).Bottom)), 0);
  EXPECT_GT(Selected(shot, Box(1)), (Dli(1)->Width * Dli(1)->Height) / 2);
  // No selection, and everything drawn selected while the flag is set.
  doc.Deselect(nullptr, false);
  lines = selectedLines();
  EXPECT_EQ(lines, std::vector<bool>(lines.size(), false));
  doc.State |= uvstDrawAllSelected;
  lines = selectedLines();
  EXPECT_EQ(lines, std::vector<bool>(lines.size(), true));
}

TEST_F(SelectionTest, ASelectedPictureGetsAFrameInTheSelectionColour) {
  doc.AddNL("a", 0, 0);
  auto* picture = new TUVGraphicItemInfo(&doc, SolidBitmap(20, 20, clGreen), 0);
  picture->SetContinuesPara(true);
  doc.AddItem("picture", picture);
  doc.Add("b", 0);
  Format();
  Integer d = picture->DrawItemNo;
  struct {
    Integer startItem, startOffs, endItem, endOffs;
    bool selected;
  } cases[] = {{1, 0, 1, 1, true}, {0, 1, 2, 2, true}, {0, 1, 1, 0, false}, {1, 1, 2, 2, false}};
  doc.Focused = true;
  for (auto c : cases) {
    doc.SetSelBoundsFromItems(c.startItem, c.startOffs, c.endItem, c.endOffs);
    Shot shot(300, doc.DocumentHeight);
    PaintAll(shot);
    Integer midY = Dli(d)->Top + Dli(d)->Height / 2;
    EXPECT_EQ(shot.At(Dli(d)->Left, midY) == Rgb(clNavy), c.selected) << c.startItem << c.startOffs;
    EXPECT_EQ(shot.At(Dli(d)->Left + 1, midY), Rgb(clGreen));
  }
}

// --- Hyperlinks, checkpoints, page breaks ----------------------------------------------------

TEST_F(PaintTest, HyperlinksInTheirColoursAndTheOneUnderTheMouseInItsHoverColours) {
  TFontInfo* jump = style.GetTextStyles()->GetItem(4);  // "Jump 1": green
  jump->HoverColor = clRed;
  jump->HoverBackColor = clYellow;
  doc.AddNL("first", 4, 0);
  doc.AddNL("second", 4, 0);
  Format();
  ASSERT_EQ(doc.GetItem(0)->HyperlinkId, 0);
  ASSERT_EQ(doc.GetItem(1)->HyperlinkId, 1);
  struct {
    Integer hover;
    bool drawHover;
    bool firstHot, secondHot;
  } cases[] = {{-1, false, false, false}, {0, true, true, false}, {1, true, false, true}, {1, false, false, false}};
  for (auto c : cases) {
    doc.HoverJumpNo = c.hover;
    doc.State = c.drawHover ? Cardinal(uvstDrawHover) : 0;
    Shot shot(300, doc.DocumentHeight);
    PaintAll(shot);
    bool hot[] = {c.firstHot, c.secondHot};
    for (Integer i = 0; i < 2; ++i) {
      EXPECT_EQ(shot.Count(Box(i), clRed) > 10, hot[i]) << c.hover << " " << i;
      EXPECT_EQ(shot.Count(Box(i), clGreen) > 10, !hot[i]) << c.hover << " " << i;
      EXPECT_EQ(shot.At(Dli(i)->Left, Dli(i)->Top) == Rgb(clYellow), hot[i]) << c.hover << " " << i;
    }
  }
}

TEST_F(PaintTest, CheckpointsAreMarkedOnlyWhenShown) {
  style.CheckpointColor = clFuchsia;
  style.CheckpointEvColor = clTeal;
  doc.AddNL("first", 0, 0);
  doc.AddNamedCheckpointExTag("plain", false, 0);
  doc.AddNL("second", 0, 0);
  doc.AddNamedCheckpointExTag("event", true, 0);
  doc.AddNL("third", 0, 0);
  doc.AddNamedCheckpointExTag("end", false, 0);  // after the last item
  Format();
  ASSERT_NE(doc.NotAddedCP, nullptr);
  for (bool shown : {true, false}) {
    if (shown)
      doc.Options << uvoShowCheckpoints;
    else
      doc.Options >> uvoShowCheckpoints;
    Shot shot(300, doc.DocumentHeight + 5);
    PaintAll(shot);
    if (shown) shot.Save("checkpoints");
    struct {
      Integer y;
      TColor color;
    } marks[] = {{Dli(1)->Top, clFuchsia}, {Dli(2)->Top, clTeal}, {doc.DocumentHeight, clFuchsia}};
    for (auto m : marks) {
      // A dotted line across the document.
      Integer dots = shot.Count(Rect(0, m.y, 300, m.y + 1), m.color);
      if (shown) {
        EXPECT_GT(dots, 60) << m.y;
        EXPECT_LT(dots, 240) << m.y;
      } else {
        EXPECT_EQ(dots, 0) << m.y;
      }
    }
    // The item's mark: a small disc at its first piece's corner.
    EXPECT_EQ(shot.At(Dli(1)->Left, Dli(1)->Top + 1) == Rgb(clFuchsia), shown);
    EXPECT_EQ(shot.At(Dli(2)->Left, Dli(2)->Top + 1) == Rgb(clTeal), shown);
    EXPECT_EQ(shot.Count(Rect(0, 0, 300, doc.DocumentHeight + 5), clFuchsia) > 0, shown);
  }
}

TEST_F(PaintTest, PageBreaksAreLinesAboveTheirLinesWhenShown) {
  style.PageBreakColor = clPurple;
  style.SoftPageBreakColor = clOlive;
  doc.ClientWidth = 150;
  doc.AddNL("first", 0, 0);
  doc.AddNL("a paragraph that takes several lines here", 0, 0);
  doc.AddNL("forced", 0, 0);
  doc.GetItem(2)->SetPageBreakBefore(true);
  doc.AddItem("", new TSplitLine(&doc, 1, 0, clNone));
  Format();
  Integer second = doc.GetItem(1)->DrawItemNo;
  ASSERT_TRUE(Dli(second + 1)->FromNewLine);
  // A soft break at the second line of item 1, and one 4 pixels inside the last item.
  doc.SoftPageBreaks = {{1, Dli(second + 1)->Offs + 1, -1}, {3, 0, 4}};
  Integer hardY = Dli(doc.GetItem(2)->DrawItemNo)->Top - 1;
  Integer softY = Dli(second + 1)->Top - 1;
  Integer innerY = Dli(doc.GetItem(3)->DrawItemNo)->Top - 1 + 4;
  for (bool shown : {true, false}) {
    if (shown)
      doc.Options << uvoShowPageBreaks;
    else
      doc.Options >> uvoShowPageBreaks;
    Shot shot(150, doc.DocumentHeight);
    PaintAll(shot);
    if (shown) shot.Save("page-breaks");
    Integer full = 150 - 8;
    EXPECT_EQ(shot.Count(Rect(0, hardY, 150, hardY + 1), clPurple), shown ? full + 1 : 0);
    EXPECT_EQ(shot.Count(Rect(0, softY, 150, softY + 1), clOlive), shown ? full + 1 : 0);
    EXPECT_EQ(shot.Count(Rect(0, innerY, 150, innerY + 1), clOlive), shown ? full + 1 : 0);
    // The folded corner below the line's right end.
    EXPECT_EQ(shot.At(full + 1, hardY + 4) == Rgb(clPurple), shown);
  }
}

// --- Clip rectangle, scrolling, origins, canvases ---------------------------------------------

class ClipTest : public PaintTest {
protected:
  // A document with something of every kind, a selection and every mark shown.
  void SetUp() override {
    PaintTest::SetUp();
    doc.ClientWidth = 260;
    doc.Options << uvoShowCheckpoints << uvoShowPageBreaks;
    style.GetTextStyles()->GetItem(0)->BackColor = clSilver;
    TParaInfo* framed = style.GetParaStyles()->Add();  // 2
    framed->GetBackground()->Color = clAqua;
    framed->GetBorder()->Style = uvbDouble;
    framed->GetBorder()->Color = clNavy;
    framed->LeftIndent = 10;
    framed->RightIndent = 10;
    framed->SpaceBefore = 6;
    framed->SpaceAfter = 6;
    framed->Alignment = uvaJustify;
    doc.AddNL("A heading", 1, 1);
    doc.AddNL("The first paragraph is framed and long enough to wrap over several lines, ", 0, 2);
    doc.Add("with a link", 4);
    doc.Add(" in the middle of it and more words after the link to fill the lines.", 0);
    doc.AddNamedCheckpointExTag("cp", false, 0);
    doc.AddNL("Plain text that ends next to a picture ", 0, 0);
    picture = new TUVGraphicItemInfo(&doc, SolidBitmap(40, 50, clGreen), 0);
    picture->SetContinuesPara(true);
    doc.AddItem("picture", picture);
    doc.AddItem("", new TUVBreakItemInfo(&doc, 2, 0, clRed));
    doc.AddNL("After a page break.", 3, 0);
    doc.GetItem(doc.GetItemCount() - 1)->SetPageBreakBefore(true);
    doc.AddNL("The last framed paragraph also wraps over more than one line of text.", 0, 2);
    Format();
    doc.SetSelBoundsFromItems(1, 20, 3, 10);
    doc.Focused = true;
  }

  TUVGraphicItemInfo* picture = nullptr;
};

TEST_F(ClipTest, PaintingAClipRectangleGivesThePixelsOfTheWholePaint) {
  Shot whole(260, doc.DocumentHeight);
  PaintAll(whole);
  whole.Save("clip-whole");
  Integer middleOfFrame = Dli(doc.GetItem(1)->DrawItemNo + 1)->Top + 3;
  struct {
    TRect clip;
    Integer vOffs;
  } cases[] = {
      {Rect(0, 0, 260, 40), 0},
      {Rect(7, middleOfFrame, 200, middleOfFrame + 31), 0},  // starts inside a framed paragraph
      {Rect(0, 0, 260, 60), middleOfFrame},                  // the same, scrolled
      {Rect(100, 13, 180, 47), Dli(picture->DrawItemNo)->Top - 20},  // the picture's line
      {Rect(0, 30, 260, 90), doc.DocumentHeight - 90},                      // the end
  };
  for (auto c : cases) {
    doc.VOffs = c.vOffs;
    Shot part(c.clip.Right - c.clip.Left, c.clip.Bottom - c.clip.Top);
    doc.PaintTo(part.Canvas(), c.clip);
    EXPECT_EQ(part.Differs(whole, c.clip.Left, c.clip.Top + c.vOffs), "") << c.clip.Top << " " << c.vOffs;
  }
}

TEST_F(ClipTest, AnOriginPlacesTheDocumentAndARangePaintsOnlyItsLines) {
  Shot whole(260, doc.DocumentHeight);
  PaintAll(whole);
  TUVPaintRequest request;
  request.OriginX = 30;
  request.OriginY = 20;
  request.BaseState << uvtsControlFocused;
  request.ClipRect = Rect(0, 0, 320, doc.DocumentHeight + 40);
  Shot placed(320, doc.DocumentHeight + 40);
  request.Canvas = placed.Canvas();
  doc.PaintDrawLines(request);
  Shot inner(260, doc.DocumentHeight);
  inner.Canvas()->CopyRect(Rect(0, 0, 260, doc.DocumentHeight), placed.Canvas(),
                           Bounds(30, 20, 260, doc.DocumentHeight));
  EXPECT_EQ(inner.Differs(whole, 0, 0), "");

  // The lines of the last paragraph only: nothing above them, the same pixels on them.
  Integer first = doc.GetItem(doc.GetItemCount() - 1)->DrawItemNo;
  Shot range(260, doc.DocumentHeight);
  request = TUVPaintRequest();
  request.Canvas = range.Canvas();
  request.ClipRect = Rect(0, 0, 260, doc.DocumentHeight);
  request.BaseState << uvtsControlFocused;
  request.FirstDrawItem = first;
  request.LastDrawItem = doc.DrawItems->GetCount() - 1;
  doc.PaintDrawLines(request);
  Integer top = Dli(first)->Top;
  Shot below(260, doc.DocumentHeight - top - 1);
  below.Canvas()->CopyRect(Rect(0, 0, below.Width(), below.Height()), range.Canvas(),
                           Bounds(0, top + 1, below.Width(), below.Height()));
  EXPECT_EQ(below.Differs(whole, 0, top + 1), "");
  // The double border's outer line lies 2 pixels above the paragraph.
  EXPECT_EQ(range.Count(Rect(0, 0, 260, top - 2), clWhite), 260 * (top - 2));
}

// How many text outputs a metafile holds.
Integer TextOutputs(const TMetafile& Metafile) {
  Integer count = 0;
  auto countText = [](HDC, HANDLETABLE*, const ENHMETARECORD* Record, int, LPARAM Count) -> int {
    if (Record->iType == EMR_EXTTEXTOUTW || Record->iType == EMR_EXTTEXTOUTA) ++*reinterpret_cast<Integer*>(Count);
    return 1;
  };
  ::EnumEnhMetaFile(nullptr, Metafile.GetHandle(), countText, &count, nullptr);
  return count;
}

TEST_F(PaintTest, AViewIntoALongParagraphPaintsOnlyTheLinesItShows) {
  // A framed paragraph of some three hundred lines, seen from its middle.
  TParaInfo* framed = style.GetParaStyles()->Add();  // 2
  framed->GetBackground()->Color = clAqua;
  framed->GetBorder()->Style = uvbSingle;
  doc.AddNL("Before", 0, 0);
  for (Integer i = 0; i < 300; ++i) {
    if (i == 0)
      doc.AddNL("Verse " + IntToStr(i) + " of the long paragraph", 0, 2);
    else
      doc.Add(" and verse " + IntToStr(i) + " of the long paragraph", i % 2);
  }
  Format();
  ASSERT_GT(doc.DrawItems->GetCount(), 300);
  Integer middle = doc.DocumentHeight / 2;
  Shot whole(300, doc.DocumentHeight);
  PaintAll(whole);
  doc.VOffs = middle;
  TMetafile metafile;
  metafile.SetWidth(300);
  metafile.SetHeight(80);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    doc.PaintTo(&canvas, Rect(0, 0, 300, 80));
  }
  // The lines in view and the few next to them; the paragraph's frame still drawn whole.
  Integer shown = 0;
  for (Integer d = 0; d < doc.DrawItems->GetCount(); ++d)
    if (Dli(d)->Top < middle + 80 && Dli(d)->Top + Dli(d)->Height > middle) ++shown;
  EXPECT_LE(TextOutputs(metafile), shown + 8);
  Shot part(300, 80);
  doc.PaintTo(part.Canvas(), Rect(0, 0, 300, 80));
  EXPECT_EQ(part.Differs(whole, 0, middle), "");
}

TEST_F(ClipTest, AMetafileRecordsTheSamePaint) {
  Shot whole(260, doc.DocumentHeight);
  PaintAll(whole);
  TMetafile metafile;
  metafile.SetWidth(260);
  metafile.SetHeight(doc.DocumentHeight);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    doc.PaintTo(&canvas, Rect(0, 0, 260, doc.DocumentHeight));
  }
  Shot played(260, doc.DocumentHeight);
  played.Canvas()->Draw(0, 0, &metafile);
  played.Save("clip-metafile");
  // Backgrounds, borders, marks and pictures land on the same pixels; text may be placed by
  // other advances, so it is compared by colour only.
  for (TColor color : {clAqua, clNavy, clGreen, clSilver}) {
    Integer a = whole.Count(Rect(0, 0, 260, doc.DocumentHeight), color);
    Integer b = played.Count(Rect(0, 0, 260, doc.DocumentHeight), color);
    EXPECT_NEAR(a, b, a / 20) << std::hex << color;
    EXPECT_GT(b, 0) << std::hex << color;
  }
  Integer d = picture->DrawItemNo;
  EXPECT_EQ(played.Count(Bounds(Dli(d)->Left + 1, Dli(d)->Top + 1, 40, 50), clGreen), 40 * 50);
}

TEST_F(ClipTest, PrintingShowsNoSelectionOrMarks) {
  TUVPaintRequest request;
  Shot shot(260, doc.DocumentHeight);
  request.Canvas = shot.Canvas();
  request.ClipRect = Rect(0, 0, 260, doc.DocumentHeight);
  request.Printing = true;
  style.CheckpointColor = clFuchsia;
  doc.PaintDrawLines(request);
  EXPECT_EQ(shot.Count(Rect(0, 0, 260, doc.DocumentHeight), style.SelColor), 0);
  EXPECT_EQ(shot.Count(Rect(0, 0, 260, doc.DocumentHeight), style.CheckpointColor), 0);
  EXPECT_GT(shot.Count(Rect(0, 0, 260, doc.DocumentHeight), clAqua), 0);
}

// --- The drawing events --------------------------------------------------------------------

TEST_F(PaintTest, TheTextEventsGetEachPieceWithItsState) {
  struct Call {
    AnsiString text;
    Integer left, width;
    Byte state;
    bool operator==(const Call&) const = default;
  };
  struct Recorder {
    std::vector<Call> texts;
    std::vector<std::pair<Integer, Byte>> backs;
    void OnText(TUVStyle*, const AnsiString& Text, TCanvas*, Integer, Integer, Integer Left, Integer, Integer Width,
                Integer, TUVTextDrawStates State, bool&) {
      texts.push_back({Text, Left, Width, static_cast<Byte>(State.Bits())});
    }
    void OnBack(TUVStyle*, TCanvas*, Integer StyleNo, Integer, Integer, Integer, Integer, TUVTextDrawStates State,
                bool&) {
      backs.push_back({StyleNo, static_cast<Byte>(State.Bits())});
    }
  } recorder;
  style.OnDrawStyleText = TUVDrawStyleTextEvent(&recorder, &Recorder::OnText);
  style.OnDrawTextBack = TUVDrawTextBackEvent(&recorder, &Recorder::OnBack);
  doc.AddNL("Hello world", 0, 0);
  doc.Add("link", 4);
  Format();
  doc.Focused = true;
  doc.SetSelBoundsFromItems(0, 3, 0, 8);
  doc.HoverJumpNo = 0;
  doc.State |= uvstDrawHover;
  Shot shot(300, 60);
  PaintAll(shot);
  Integer left = Dli(0)->Left;
  Integer x = left + TextWidth(0, "He");
  // 1 selected, 2 hover, 4/8 item start/end, 16/32 draw line start/end, 64 focused.
  std::vector<Call> expected = {{"Hello world", left, Dli(0)->Width, 64 | 4 | 8 | 16 | 32},
                                {"llo w", x, TextWidth(0, "llo w"), 64 | 1},
                                {"link", Dli(1)->Left, Dli(1)->Width, 64 | 2 | 4 | 8 | 16 | 32}};
  EXPECT_EQ(recorder.texts, expected);
  std::vector<std::pair<Integer, Byte>> backs = {{0, 0}, {4, 2}};
  EXPECT_EQ(recorder.backs, backs);
}

// --- The buffered paint, the background and focus rectangles ---------------------------------

TEST_F(PaintTest, TheBufferedPaintPutsTheDocumentOverTheBackground) {
  TUVBackground back;
  back.Bitmap->Assign(std::unique_ptr<TBitmap>(SolidBitmap(8, 8, clYellow)).get());
  back.Style = bsTiled;
  doc.Background = &back;
  style.GetTextStyles()->GetItem(0)->Color = clBlue;
  doc.AddNL("text", 0, 0);
  Format();
  Shot shot(300, 100, clBlack);
  doc.PaintBuffered(shot.Canvas(), Rect(10, 5, 200, 60));
  shot.Save("buffered");
  // The clip rectangle only: tiles under the text, the text on top, nothing outside.
  EXPECT_EQ(shot.At(12, 57), Rgb(clYellow));
  EXPECT_EQ(shot.At(9, 20), Rgb(clBlack));
  EXPECT_EQ(shot.At(100, 60), Rgb(clBlack));
  TRect text = Box(0);
  text.Left += 10;
  text.Right += 10;
  text.Top += 5;
  text.Bottom += 5;
  EXPECT_GT(shot.Count(text, clBlue), 10);
  doc.Background = nullptr;
  doc.Color = clLime;
  doc.PaintBuffered(shot.Canvas(), Rect(10, 5, 200, 60));
  EXPECT_EQ(shot.At(12, 57), Rgb(clLime));
}

TEST_F(PaintTest, AnItemThatFailsToDrawLeavesTheRestPaintedAndAnErrorText) {
  TParaInfo* para = style.GetParaStyles()->GetItem(0);
  para->GetBackground()->Color = clAqua;
  doc.AddNL("Some text before the item", 0, 0);
  doc.AddItem("fails", new TFailingItem(&doc));
  doc.AddNL("and after it", 0, 0);
  Format();
  Shot shot(300, doc.DocumentHeight, clBlack);
  EXPECT_NO_THROW(doc.PaintBuffered(shot.Canvas(), Rect(0, 0, 300, doc.DocumentHeight)));
  shot.Save("error-text");
  // "Error:" and the message in red on white at the top left.
  TSize extent;
  {
    TBitmap measure;
    measure.GetCanvas()->GetFont()->SetName("Arial");
    measure.GetCanvas()->GetFont()->SetSize(10);
    extent = measure.GetCanvas()->TextExtent(AnsiString("Error:The item could not be drawn"));
  }
  TRect text = Rect(0, 0, extent.cx, extent.cy);
  EXPECT_GT(shot.Count(text, clRed), 20);
  EXPECT_GT(shot.Count(text, clWhite), 20);
  EXPECT_EQ(shot.Count(text, clAqua), 0);
  // What was painted before the failure stays.
  EXPECT_GT(shot.Count(Rect(0, text.Bottom, 300, Dli(1)->Top), clAqua), 100);
}

TEST_F(PaintTest, AFocusRectangleAroundAHyperlinkComesAndGoes) {
  doc.ClientWidth = 120;
  doc.AddNL("plain ", 0, 0);
  doc.Add("a link over two lines", 4);
  Format();
  doc.VOffs = 3;
  Integer first = doc.GetItem(1)->DrawItemNo;
  ASSERT_LT(first + 1, doc.DrawItems->GetCount());
  Shot shot(120, doc.DocumentHeight);
  doc.DrawItemFocusRect(shot.Canvas(), 0);  // not a hyperlink
  EXPECT_EQ(shot.Count(Rect(0, 0, 120, doc.DocumentHeight), clWhite), 120 * doc.DocumentHeight);
  doc.DrawItemFocusRect(shot.Canvas(), 1);
  for (Integer d = first; d < doc.DrawItems->GetCount(); ++d) {
    TRect r = Bounds(Dli(d)->Left - 1, Dli(d)->Top - 3 - 1, Dli(d)->Width + 2, Dli(d)->Height + 2);
    // A dotted frame: about every other pixel of its edges inverted, its inside untouched.
    Integer inverted = 0, edge = 0;
    for (Integer x = r.Left; x < r.Right; ++x)
      for (Integer y : {r.Top, r.Bottom - 1}) {
        ++edge;
        inverted += shot.At(x, y) != Rgb(clWhite);
      }
    EXPECT_GT(inverted, edge / 3) << d;
    EXPECT_EQ(shot.Count(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), clWhite),
              (r.Right - r.Left - 2) * (r.Bottom - r.Top - 2))
        << d;
  }
  doc.DrawItemFocusRect(shot.Canvas(), 1);
  EXPECT_EQ(shot.Count(Rect(0, 0, 120, doc.DocumentHeight), clWhite), 120 * doc.DocumentHeight);
}

// --- The document background -------------------------------------------------------------------

// A picture whose every pixel tells where it lies: red = 16 x column, green = 16 x row.
TBitmap* Pattern(Integer Width, Integer Height) {
  auto* bitmap = SolidBitmap(Width, Height, clBlack);
  for (Integer y = 0; y < Height; ++y)
    for (Integer x = 0; x < Width; ++x) bitmap->GetCanvas()->SetPixels(x, y, RGB(16 * x, 16 * y, 99));
  return bitmap;
}

TEST(BackgroundTest, EveryStyleCoversTheClipRectangle) {
  const Integer clientW = 100, clientH = 80, hOffs = 7, vOffs = 37;
  const TRect clip = Rect(10, 0, 90, 60);
  std::unique_ptr<TBitmap> picture(Pattern(10, 8));
  struct {
    TBackgroundStyle style;
    bool picture;
    // The picture pixel (column, row) expected at client point (x, y), or -1 for the colour.
    std::function<std::pair<Integer, Integer>(Integer, Integer)> expected;
  } cases[] = {
      {bsNoBitmap, true, [](Integer, Integer) { return std::make_pair(-1, -1); }},
      {bsTiled, false, [](Integer, Integer) { return std::make_pair(-1, -1); }},
      {bsTiled, true, [](Integer x, Integer y) { return std::make_pair(x % 10, y % 8); }},
      {bsTiledAndScrolled, true,
       [&](Integer x, Integer y) { return std::make_pair((x + hOffs) % 10, (y + vOffs) % 8); }},
      {bsCentered, true,
       [](Integer x, Integer y) {
         Integer px = x - 45, py = y - 36;  // (100 - 10) / 2, (80 - 8) / 2
         return px >= 0 && px < 10 && py >= 0 && py < 8 ? std::make_pair(px, py) : std::make_pair(-1, -1);
       }},
      {bsStretched, true, [](Integer x, Integer y) { return std::make_pair(x / 10, y / 10); }},
  };
  for (auto& c : cases) {
    TUVBackground back;
    if (c.picture) back.Bitmap->Assign(picture.get());
    back.Style = c.style;
    Shot shot(clip.Right - clip.Left, clip.Bottom - clip.Top, clBlack);
    back.Draw(shot.Canvas()->GetHandle(), clip, hOffs, vOffs, clientW, clientH, clFuchsia);
    for (Integer y = clip.Top; y < clip.Bottom; ++y)
      for (Integer x = clip.Left; x < clip.Right; ++x) {
        auto [px, py] = c.expected(x, y);
        COLORREF want = px < 0 ? Rgb(clFuchsia) : RGB(16 * px, 16 * py, 99);
        ASSERT_EQ(shot.At(x - clip.Left, y - clip.Top), want) << c.style << " at " << x << ", " << y;
      }
  }
}

TEST(BackgroundTest, ScrolledTilesAndPicturesLargerThanTheWindow) {
  // Tiles 32 pixels high scrolled by 37 start their first row at y = -5.
  std::unique_ptr<TBitmap> tall(Pattern(4, 32));
  TUVBackground back;
  back.Bitmap->Assign(tall.get());
  back.Style = bsTiledAndScrolled;
  Shot shot(8, 40);
  back.Draw(shot.Canvas()->GetHandle(), Rect(0, 0, 8, 40), 0, 37, 8, 40, clWhite);
  EXPECT_EQ(shot.At(0, 0), RGB(0, 16 * 5, 99));
  EXPECT_EQ(shot.At(1, 27), RGB(16, 0, 99));
  // A centred picture larger than the window is centred at negative coordinates.
  std::unique_ptr<TBitmap> large(Pattern(12, 12));
  back.Bitmap->Assign(large.get());
  back.Style = bsCentered;
  Shot small(6, 6);
  back.Draw(small.Canvas()->GetHandle(), Rect(0, 0, 6, 6), 0, 0, 6, 6, clWhite);
  EXPECT_EQ(small.At(0, 0), RGB(16 * 3, 16 * 3, 99));
  EXPECT_EQ(small.At(5, 5), RGB(16 * 8, 16 * 8, 99));
}

TEST(BackgroundTest, WhichStylesNeedTheWholeWindowRepaintedOnScrolling) {
  struct {
    TBackgroundStyle style;
    bool picture, full;
  } cases[] = {{bsNoBitmap, true, false}, {bsTiledAndScrolled, true, false}, {bsTiled, false, false},
               {bsTiled, true, true},     {bsStretched, true, true},         {bsCentered, true, true}};
  std::unique_ptr<TBitmap> picture(Pattern(4, 4));
  for (auto c : cases) {
    TUVBackground back;
    if (c.picture) back.Bitmap->Assign(picture.get());
    back.Style = c.style;
    EXPECT_EQ(back.ScrollRequiresFullRedraw(), c.full) << c.style << c.picture;
  }
}

TEST(BackgroundTest, ThePaletteCopyIsDrawnInsteadOfThePicture) {
  // Black on the left, white on the right, in two colours; the palette turns them red and blue.
  std::unique_ptr<TBitmap> picture(SolidBitmap(4, 4, clWhite));
  picture->GetCanvas()->GetBrush()->SetColor(clBlack);
  picture->GetCanvas()->FillRect(Rect(0, 0, 2, 4));
  picture->SetPixelFormat(pf1bit);
  struct {
    LOGPALETTE header;
    PALETTEENTRY more[1];
  } palette{{0x300, 2, {{255, 0, 0, 0}}}, {{0, 0, 255, 0}}};
  struct PalettedDoc : TUVWindowlessData {
    using TUVWindowlessData::TUVWindowlessData;
    LOGPALETTE* Log = nullptr;
    bool UpdatingSeen = false;
    LOGPALETTE* GetUVLogPalette() override {
      UpdatingSeen = IsUpdatingPalette();
      return Log;
    }
  };
  TUVStyle style(nullptr);
  struct {
    TUVPaletteAction action;
    COLORREF left, right;
  } cases[] = {{uvpaCreateCopies, RGB(255, 0, 0), RGB(0, 0, 255)}, {uvpaDoNothing, RGB(0, 0, 0), RGB(255, 255, 255)}};
  for (auto c : cases) {
    PalettedDoc doc(&style);
    doc.Log = &palette.header;
    doc.PaletteMode = c.action;
    TUVBackground back;
    back.Bitmap->Assign(picture.get());
    back.Style = bsTiled;
    doc.UpdateBackgroundPaletted(&back);
    EXPECT_TRUE(doc.UpdatingSeen);
    EXPECT_FALSE(doc.IsUpdatingPalette());
    Shot shot(4, 4);
    back.Draw(shot.Canvas()->GetHandle(), Rect(0, 0, 4, 4), 0, 0, 4, 4, clWhite);
    EXPECT_EQ(shot.At(0, 0), c.left) << c.action;
    EXPECT_EQ(shot.At(3, 3), c.right) << c.action;
    // The picture itself keeps its colours.
    EXPECT_EQ(static_cast<COLORREF>(back.Bitmap->GetCanvas()->GetPixels(0, 0)), RGB(0, 0, 0));
  }
}

}  // namespace
