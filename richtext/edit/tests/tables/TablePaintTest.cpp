// Drawing tables on bitmaps through the document's painter: the five border styles with their
// colours, cell borders and the hidden sides of cells, dotted grid lines for borders of width 0
// in an editor (not in a viewer, not in print, not when hidden), a drawing handler that takes a
// border over, the selection colours of selected cells, rules between columns and rows, the
// cells' text, and a view scrolled a few pixels at a time painting merged cells it only partly
// shows.
#include <memory>

#include "richtext/core/UVWindowless.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"

namespace {

using pixels::At;
using pixels::Sys;
using table_test::SetCellText;

// A document of one table, painted whole onto a white bitmap.
class TablePaint : public ::testing::Test {
protected:
  TablePaint() {
    edit_test::SetUpStyles(style);
    style.SelColor = clRed;
    style.InactiveSelColor = clGreen;
    doc.ClientWidth = 300;
    doc.ClientHeight = 200;
  }
  TUVTableItemInfo* Add(TCustomUVFormattedData& Data, Integer Rows, Integer Cols) {
    auto* table = new TUVTableItemInfo(Rows, Cols, &Data);
    table->ParaNo = 0;
    Data.AddItem(AnsiString(), table);
    return table;
  }
  std::unique_ptr<TBitmap> Paint(TCustomUVFormattedData& Data, bool Format = true) {
    if (Format) Data.Format(false, true, false, 0, nullptr, false, false);
    auto bitmap = pixels::Bitmap24(300, 200);
    Data.PaintTo(bitmap->GetCanvas(), Rect(0, 0, 300, 200));
    return bitmap;
  }
  // The table's box on the bitmap.
  TRect Box(TCustomUVFormattedData& Data, TUVTableItemInfo* Table) {
    TUVDrawLineInfo* line = Data.DrawItems->Get(Data.ItemToFirstDrawItem(Data.IndexOfItem(Table)));
    return Bounds(line->Left, line->Top, Table->FormattingInfo->Width, Table->FormattingInfo->Height);
  }
  // Pixels of Colour in a rectangle.
  static Integer CountIn(TBitmap& Bitmap, TRect R, TColor Colour) {
    Integer n = 0;
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x) n += At(Bitmap, x, y) == Sys(Colour);
    return n;
  }

  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};
};

TEST_F(TablePaint, TheTablesBorderInEachStyle) {
  struct Case {
    TUVTableBorderStyle Style;
    TColor Background;
    TColor TopLeft, BottomRight;
  } cases[] = {
      {uvtbRaised, clCream, clBtnHighlight, clBtnShadow},
      {uvtbLowered, clCream, clBtnShadow, clBtnHighlight},
      {uvtbColor, clCream, clRed, clRed},
      {uvtbRaisedColor, clCream, clLime, clRed},
      {uvtbLoweredColor, clCream, clRed, clLime},
      // On the colour of the highlight, the light edges take the face colour.
      {uvtbRaised, clBtnHighlight, clBtnFace, clBtnShadow},
      {uvtbLowered, clBtnHighlight, clBtnShadow, clBtnFace},
  };
  for (const Case& c : cases) {
    TUVWindowlessEditData data(&style);
    data.ClientWidth = 300;
    data.Color = c.Background;
    TUVTableItemInfo* table = Add(data, 1, 1);
    table->SetBorderWidth(2);
    table->SetBorderStyle(c.Style);
    table->SetBorderColor(clRed);
    table->SetBorderLightColor(clLime);
    table->SetColor(clYellow);
    auto bitmap = Paint(data);
    TRect box = Box(data, table);
    for (Integer i = 0; i < 2; ++i) {
      EXPECT_EQ(At(*bitmap, box.Left + i, box.Top + 5), Sys(c.TopLeft)) << Integer(c.Style) << " left " << i;
      EXPECT_EQ(At(*bitmap, box.Left + 5, box.Top + i), Sys(c.TopLeft)) << Integer(c.Style) << " top " << i;
      EXPECT_EQ(At(*bitmap, box.Right - 1 - i, box.Top + 5), Sys(c.BottomRight)) << Integer(c.Style) << " right " << i;
      EXPECT_EQ(At(*bitmap, box.Left + 5, box.Bottom - 1 - i), Sys(c.BottomRight)) << Integer(c.Style) << " bottom " << i;
    }
    EXPECT_EQ(At(*bitmap, box.Left + 2, box.Top + 5), Sys(clYellow)) << Integer(c.Style);
    EXPECT_EQ(At(*bitmap, box.Right, box.Top + 5), Sys(clWhite)) << Integer(c.Style);
    pixels::SaveForViewing(*bitmap, "table-border-" + std::to_string(Integer(c.Style)));
  }
}

TEST_F(TablePaint, CellBordersAndBackgrounds) {
  TUVTableItemInfo* table = Add(doc, 2, 2);
  table->SetCellBorderWidth(1);
  table->SetCellBorderStyle(uvtbColor);
  table->SetCellBorderColor(clBlue);
  table->GetCells(0, 1)->BorderColor = clPurple;
  table->GetCells(1, 0)->SetCellColor(clAqua);
  auto bitmap = Paint(doc);
  TRect box = Box(doc, table);
  TUVTableCellData* cell = table->GetCells(0, 0);
  Integer x = box.Left + cell->Left, y = box.Top + cell->Top;
  EXPECT_EQ(At(*bitmap, x - 1, y + 3), Sys(clBlue));
  EXPECT_EQ(At(*bitmap, x + 3, y - 1), Sys(clBlue));
  EXPECT_EQ(At(*bitmap, x + cell->Width, y + 3), Sys(clBlue));
  TUVTableCellData* other = table->GetCells(0, 1);
  EXPECT_EQ(At(*bitmap, box.Left + other->Left - 1, box.Top + other->Top + 3), Sys(clPurple));
  TUVTableCellData* filled = table->GetCells(1, 0);
  EXPECT_EQ(CountIn(*bitmap, Bounds(box.Left + filled->Left, box.Top + filled->Top, filled->Width, filled->Height), clAqua),
            filled->Width * filled->Height);
  pixels::SaveForViewing(*bitmap, "table-cells");
}

TEST_F(TablePaint, GridLinesShowZeroWidthBordersOnlyInAnEditor) {
  TUVWindowlessData viewer(&style);
  viewer.ClientWidth = 300;
  struct Case {
    const char* What;
    TCustomUVFormattedData* Data;
    bool Hide;
    bool Printing;
    bool Grid;
  } cases[] = {
      {"editor", &doc, false, false, true},
      {"editor hiding them", &doc, true, false, false},
      {"editor printing", &doc, false, true, false},
      {"viewer", &viewer, false, false, false},
  };
  for (const Case& c : cases) {
    c.Data->Clear();
    TUVTableItemInfo* table = Add(*c.Data, 2, 2);
    if (c.Hide) table->SetOptions(table->GetOptions() << uvtoHideGridLines);
    auto bitmap = Paint(*c.Data);
    if (c.Printing) {
      bitmap = pixels::Bitmap24(300, 200);
      TUVDrawLineInfo* line = c.Data->DrawItems->Get(0);
      table->PaintTo(line->Left, line->Top, bitmap->GetCanvas(), Rect(0, 0, 300, 200), TUVTextDrawStates(),
                     table->FormattingInfo, true, 0, -1, false);
    }
    TRect box = Box(*c.Data, table);
    Integer onEdge = CountIn(*bitmap, TRect{box.Left, box.Top, box.Right, box.Top + 1}, clBtnFace);
    TUVTableCellData* cell = table->GetCells(1, 1);
    Integer onCell = CountIn(*bitmap, Bounds(box.Left + cell->Left, box.Top + cell->Top, cell->Width, 1), clBtnFace);
    if (c.Grid) {
      // Dotted: every other pixel.
      EXPECT_NEAR(onEdge, box.Right - box.Left, (box.Right - box.Left) / 2 + 1) << c.What;
      EXPECT_GT(onEdge, 0) << c.What;
      EXPECT_GT(onCell, 0) << c.What;
      EXPECT_LT(onCell, cell->Width) << c.What;
      pixels::SaveForViewing(*bitmap, "table-grid");
    } else {
      EXPECT_EQ(onEdge, 0) << c.What;
      EXPECT_EQ(onCell, 0) << c.What;
    }
  }
}

TEST_F(TablePaint, AHiddenCellSideShowsAGridLineUnlessItsNeighbourDrawsABorder) {
  for (bool neighbourDraws : {false, true}) {
    doc.Clear();
    TUVTableItemInfo* table = Add(doc, 1, 2);
    table->SetCellBorderWidth(1);
    table->SetCellBorderStyle(uvtbColor);
    table->SetCellBorderColor(clBlue);
    table->GetCells(0, 0)->GetVisibleBorders()->Right = false;
    if (neighbourDraws) table->SetCellHSpacing(-1);
    auto bitmap = Paint(doc);
    TRect box = Box(doc, table);
    TUVTableCellData* cell = table->GetCells(0, 0);
    Integer right = box.Left + cell->Left + cell->Width;  // the side's pixel column
    Integer grid = CountIn(*bitmap, TRect{right, box.Top + cell->Top, right + 1, box.Top + cell->Top + cell->Height},
                           clBtnFace);
    if (neighbourDraws)
      EXPECT_EQ(grid, 0);
    else
      EXPECT_GT(grid, 0);
  }
}

TEST_F(TablePaint, ADrawingHandlerTakesTheBordersOver) {
  TUVTableItemInfo* table = Add(doc, 1, 2);
  table->SetBorderWidth(2);
  table->SetBorderStyle(uvtbColor);
  table->SetBorderColor(clRed);
  struct Call {
    TUVBooleanRect* Visible;
    Integer Width;
    bool Printing;
  };
  std::vector<Call> calls;
  struct Handler {
    std::vector<Call>* Calls;
    void Draw(TUVTableItemInfo*, TCanvas*, Integer, Integer, Integer, Integer, Integer Width, TColor, TColor, TColor,
              TUVTableBorderStyle, bool Printing, TUVBooleanRect* Visible, bool& DoDefault) {
      Calls->push_back({Visible, Width, Printing});
      DoDefault = false;
    }
  } handler{&calls};
  table->OnDrawBorder = TUVTableDrawBorderEvent(&handler, &Handler::Draw);
  auto bitmap = Paint(doc);
  // The table's own border (no visible sides record) and each cell's; nothing drawn, not even
  // the grid lines of the cells' zero-width borders.
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].Visible, nullptr);
  EXPECT_EQ(calls[0].Width, 2);
  EXPECT_EQ(calls[1].Visible, table->GetCells(0, 0)->GetVisibleBorders());
  EXPECT_FALSE(calls[1].Printing);
  EXPECT_EQ(pixels::Count(*bitmap, Sys(clRed)), 0);
  EXPECT_EQ(pixels::Count(*bitmap, Sys(clBtnFace)), 0);
}

TEST_F(TablePaint, SelectedCellsInTheSelectionColour) {
  TUVTableItemInfo* table = Add(doc, 2, 2);
  doc.AddNL("After", 0, 0);
  doc.Format(false, true, false, 0, nullptr, false, false);
  table->Select(0, 0, 0, 1);
  ASSERT_TRUE(table->IsCellSelected(0, 1));
  ASSERT_FALSE(table->IsCellSelected(1, 0));
  auto bitmap = Paint(doc);
  TRect box = Box(doc, table);
  // Inside the dotted lines of the cells' borders of width 0.
  auto filled = [&](TBitmap& Bitmap, Integer Row, Integer Col, TColor Colour) {
    TUVTableCellData* cell = table->GetCells(Row, Col);
    return CountIn(Bitmap, Bounds(box.Left + cell->Left + 1, box.Top + cell->Top + 1, cell->Width - 2, cell->Height - 2),
                   Colour) == (cell->Width - 2) * (cell->Height - 2);
  };
  // The document has no focus: the inactive colour.
  EXPECT_TRUE(filled(*bitmap, 0, 0, clGreen));
  EXPECT_TRUE(filled(*bitmap, 0, 1, clGreen));
  EXPECT_FALSE(filled(*bitmap, 1, 0, clGreen));
  pixels::SaveForViewing(*bitmap, "table-selected-cells");
  // Not in print.
  auto printed = pixels::Bitmap24(300, 200);
  table->PaintTo(box.Left, box.Top, printed->GetCanvas(), Rect(0, 0, 300, 200), TUVTextDrawStates(),
                 table->FormattingInfo, true, 0, -1, false);
  EXPECT_EQ(pixels::Count(*printed, Sys(clGreen)), 0);
  // The whole table inside the document's selection: every cell.
  table->Deselect();
  doc.SetSelectionBounds(0, 0, 1, 1);
  bitmap = Paint(doc, false);
  EXPECT_TRUE(filled(*bitmap, 1, 0, clGreen));
  EXPECT_TRUE(filled(*bitmap, 1, 1, clGreen));
}

TEST_F(TablePaint, RulesBetweenColumnsAndRows) {
  TUVTableItemInfo* table = Add(doc, 2, 3);
  table->SetVRuleWidth(1);
  table->SetVRuleColor(clBlue);
  table->SetHRuleWidth(3);
  table->SetHRuleColor(clRed);
  table->SetColor(clWhite);
  table->SetOptions(table->GetOptions() << uvtoHideGridLines);
  auto bitmap = Paint(doc);
  TRect box = Box(doc, table);
  const std::vector<Integer>& cols = table->FormattingInfo->ColStarts;
  const std::vector<Integer>& rows = table->FormattingInfo->RowStarts;
  // Between columns, in the middle of the spacing of 2.
  for (Integer c = 1; c < 3; ++c) {
    Integer x = box.Left + cols[static_cast<std::size_t>(c)] - 1;
    EXPECT_EQ(At(*bitmap, x, box.Top + rows[0] + 3), Sys(clBlue)) << c;
    EXPECT_NE(At(*bitmap, x + 2, box.Top + rows[0] + 3), Sys(clBlue)) << c;
  }
  // A rule three pixels wide centred between the rows.
  Integer y = box.Top + rows[1] - 1;
  for (Integer dy : {-1, 0, 1}) EXPECT_EQ(At(*bitmap, box.Left + 10, y + dy), Sys(clRed)) << dy;
  EXPECT_NE(At(*bitmap, box.Left + 10, y + 2), Sys(clRed));
  // No outermost rules unless asked for.
  EXPECT_NE(At(*bitmap, box.Left + 1, box.Top + rows[0] + 3), Sys(clBlue));
  table->SetVOutermostRule(true);
  bitmap = Paint(doc);
  EXPECT_EQ(At(*bitmap, box.Left + 1, box.Top + rows[0] + 3), Sys(clBlue));
  EXPECT_EQ(At(*bitmap, box.Right - 2, box.Top + rows[0] + 3), Sys(clBlue));
  pixels::SaveForViewing(*bitmap, "table-rules");
}

TEST_F(TablePaint, CellsPaintTheirText) {
  TUVTableItemInfo* table = Add(doc, 1, 2);
  SetCellText(table->GetCells(0, 1), "Word");
  table->GetCells(0, 1)->SetCellColor(clYellow);
  auto bitmap = Paint(doc);
  TRect box = Box(doc, table);
  TUVTableCellData* empty = table->GetCells(0, 0);
  TUVTableCellData* full = table->GetCells(0, 1);
  auto dark = [&](TUVTableCellData* Cell) {
    Integer n = 0;
    for (Integer y = box.Top + Cell->Top; y < box.Top + Cell->Top + Cell->Height; ++y)
      for (Integer x = box.Left + Cell->Left; x < box.Left + Cell->Left + Cell->Width; ++x)
        if ((At(*bitmap, x, y) & 0xFF) < 0x80) ++n;
    return n;
  };
  EXPECT_EQ(dark(empty), 0);
  EXPECT_GT(dark(full), 20);
}

// A view scrolled a few pixels at a time paints only the stripe that comes into view; a merged
// cell that starts above the stripe but reaches into it must be painted there too.
TEST_F(TablePaint, AViewScrolledInSmallStepsShowsMergedCellsWhole) {
  TUVTableItemInfo* table = Add(doc, 8, 3);
  for (Integer r = 0; r < 8; ++r) SetCellText(table->GetCells(r, 2), "Row " + std::to_string(r));
  table->MergeCells(0, 0, 2, 6, true);
  table->GetCells(0, 0)->SetCellColor(clYellow);
  doc.AddNL("After", 0, 0);
  const Integer width = 300, height = 60, step = 7;
  doc.ClientHeight = height;
  doc.Format(false, true, false, 0, nullptr, false, false);
  auto full = [&](Integer Offset) {
    doc.VOffs = Offset;
    auto bitmap = pixels::Bitmap24(width, height);
    doc.PaintTo(bitmap->GetCanvas(), Rect(0, 0, width, height));
    return bitmap;
  };
  auto screen = full(0);
  for (Integer offset = step; offset + height <= doc.DocumentHeight; offset += step) {
    // What scrolling does: the picture moves up, the stripe uncovered is painted alone.
    ::BitBlt(screen->GetCanvas()->GetHandle(), 0, 0, width, height - step, screen->GetCanvas()->GetHandle(), 0, step,
             SRCCOPY);
    doc.VOffs = offset;
    auto stripe = pixels::Bitmap24(width, step);
    doc.PaintTo(stripe->GetCanvas(), Rect(0, height - step, width, height));
    ::BitBlt(screen->GetCanvas()->GetHandle(), 0, height - step, width, step, stripe->GetCanvas()->GetHandle(), 0, 0,
             SRCCOPY);
    ::GdiFlush();
    auto expected = full(offset);
    Integer differing = 0;
    for (Integer y = 0; y < height; ++y)
      for (Integer x = 0; x < width; ++x) differing += At(*screen, x, y) != At(*expected, x, y);
    ASSERT_EQ(differing, 0) << "scrolled to " << offset;
  }
  pixels::SaveForViewing(*screen, "table-scrolled");
}

}  // namespace
