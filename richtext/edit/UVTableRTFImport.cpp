// Tables read from RTF. Each row is assembled in a one-row scratch table while its cells are
// read; at the row's end it joins the table: its cell boundaries (\cellx, within 1 twip) name the
// columns, a boundary the table lacks splits a column (cells of earlier rows across it are
// merged again), and each cell spans the columns between its boundaries and takes its
// attributes. When the table ends, its borders, padding, spacing and width are settled from
// what the rows said, and the finished table goes where the table started.
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <vector>

#include "classlib/SysUtils.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVTable.h"

namespace {

// Boundaries further apart than any page are not believed.
constexpr Integer kMaxTwips = 10000000;

class TableImport : public TUVRTFTableImport {
public:
  explicit TableImport(TUVRTFReaderProperties* AProps) : Props(AProps) {}

  void Table(TUVRTFTableEventKind WhatHappens) override {
    switch (WhatHappens) {
      case rtf_te_TableStart:
        StartTable();
        break;
      case rtf_te_TableEnd:
        EndTable();
        break;
      case rtf_te_CellEnd:
        if (!Stack.empty()) EndCell();
        break;
      case rtf_te_RowEnd:
        if (!Stack.empty()) EndRow();
        break;
    }
  }

  TCustomUVData* CurrentCell() override {
    if (Stack.empty()) return nullptr;
    TableInfo& t = *Stack.back();
    return t.Scratch->GetCells(0, t.Col);
  }

private:
  struct TableInfo {
    std::unique_ptr<TUVTableItemInfo> Table;
    std::unique_ptr<TUVTableItemInfo> Scratch;  // one row: the cells being read
    Integer Col = 0;
    std::vector<Integer> Bounds;  // twips: the left edge, then each column's right edge
    // What the rows said, for the table's settings at its end.
    Integer PaddingSum = 0;
    bool VSpacingGiven = false, HSpacingGiven = false;
    Integer FirstTop = 0, LastBottom = 0, PrevBottom = 0, VSpacingSum = 0, HSpacingSum = 0;
    Integer TableBorderSum = 0, TableBorderCount = 0;
    Integer CellBorderSum = 0, CellBorderCount = 0;
    std::set<TColor> CellBorderColors;
    Integer BestWidth = 0;
    bool InPixels = false;
    bool PixelWidthGiven = false;
    TUVRTFAlignment Alignment = rtf_al_Left;
  };

  double Factor() const { return Props->GetPixelsPerTwip(); }
  Integer Px(Integer Twips) const { return static_cast<Integer>(Round(Twips * Factor())); }

  void StartTable();
  void EndCell();
  void EndRow();
  void EndTable();
  // The column whose left boundary lies within 1 twip of X, inserting one when there is none.
  Integer ColumnAt(TableInfo& T, Integer X);
  void InsertBoundary(TableInfo& T, std::size_t Index, Integer X);
  // A cell that no row filled: no borders, one empty paragraph.
  void ResetCell(TUVTableItemInfo* Table, TUVTableCellData* Cell);
  void FinishTable(TableInfo& T);

  TUVRTFReaderProperties* Props;
  std::vector<std::unique_ptr<TableInfo>> Stack;
};

void TableImport::StartTable() {
  auto info = std::make_unique<TableInfo>();
  TCustomUVData* target = Props->GetTarget();
  info->Table = std::make_unique<TUVTableItemInfo>(0, 0, target);
  info->Scratch = std::make_unique<TUVTableItemInfo>(1, 1, target);
  TUVTableItemInfo* table = info->Table.get();
  // The cells answer style questions through the document read into.
  table->Rows->MainUVData = target;
  info->Scratch->Rows->MainUVData = target;
  info->Scratch->GetCells(0, 0)->Clear();
  table->SetColor(clNone);
  table->SetBorderStyle(uvtbRaisedColor);
  table->SetCellBorderStyle(uvtbLoweredColor);
  table->SetBorderColor(clWindowText);
  table->SetBorderLightColor(clWindowText);
  table->SetCellBorderColor(clWindowText);
  table->SetCellBorderLightColor(clWindowText);
  Stack.push_back(std::move(info));
}

void TableImport::EndCell() {
  TableInfo& t = *Stack.back();
  TUVTableCellData* cell = t.Scratch->GetCells(0, t.Col);
  if (cell->GetItemCount() == 0) cell->AddNL(AnsiString(), Props->EmptyCellTextStyle(), 0);
  ++t.Col;
  if (t.Col >= t.Scratch->GetColCount()) {
    t.Scratch->Rows->InsertCols(t.Scratch->GetColCount(), 1, false, -1);
    t.Scratch->GetCells(0, t.Col)->Clear();
  }
}

void TableImport::InsertBoundary(TableInfo& T, std::size_t Index, Integer X) {
  TUVTableRows* rows = T.Table->Rows;
  T.Bounds.insert(T.Bounds.begin() + static_cast<std::ptrdiff_t>(Index), X);
  if (rows->GetRowCount() == 0) return;
  // A boundary between two others splits column Index - 1: the new column Index takes its right
  // part. Left of the first boundary or right of the last one, a new column is added there.
  const bool split = Index > 0 && Index + 1 < T.Bounds.size();
  const Integer col = static_cast<Integer>(Index) - 1;
  const Integer at = split || Index == 0 ? static_cast<Integer>(Index) : col;
  rows->InsertCols(at, 1, false, -1);
  for (Integer r = 0; r < rows->GetRowCount(); ++r) {
    TUVTableCellData* added = rows->GetCell(r, at);
    if (!added) continue;  // inside a cell that spans across the new column
    if (split) {
      // The cell that ended at the split column reaches over the new one again.
      Integer mr, mc;
      TUVTableCellData* main = rows->GetMainCell(r, col, mr, mc);
      if (main && mr == r && mc + main->ColSpan == at &&
          rows->CanMerge(mr, mc, main->ColSpan + 1, main->RowSpan, true)) {
        rows->MergeCells(mr, mc, main->ColSpan + 1, main->RowSpan, true, false);
        continue;
      }
      if (!rows->GetCell(r, at)) continue;
    }
    ResetCell(T.Table.get(), rows->GetCell(r, at));
  }
}

Integer TableImport::ColumnAt(TableInfo& T, Integer X) {
  for (std::size_t i = 0; i < T.Bounds.size(); ++i) {
    if (std::abs(T.Bounds[i] - X) <= 1) return static_cast<Integer>(i);
    if (T.Bounds[i] > X) {
      InsertBoundary(T, i, X);
      return static_cast<Integer>(i);
    }
  }
  InsertBoundary(T, T.Bounds.size(), X);
  return static_cast<Integer>(T.Bounds.size()) - 1;
}

void TableImport::ResetCell(TUVTableItemInfo* Table, TUVTableCellData* Cell) {
  Cell->GetVisibleBorders()->SetAll(false);
  Cell->Clear();
  Cell->AddNL(AnsiString(), Props->EmptyCellTextStyle(), Table->ParaNo >= 0 ? Table->ParaNo : 0);
}

void TableImport::EndRow() {
  TableInfo& t = *Stack.back();
  TUVRTFRowProperties* row = Props->GetReader()->GetRowProps();
  TUVTableItemInfo* table = t.Table.get();
  TUVTableRows* rows = table->Rows;
  // A row whose last cell was never ended still has that cell's content.
  const Integer scratchCells = t.Col + (t.Scratch->GetCells(0, t.Col)->GetItemCount() > 0 ? 1 : 0);
  const Integer defined = row->Cells.GetCount();
  const Integer cellCount = std::max(scratchCells, defined);
  if (cellCount == 0) return;

  // The row's boundaries, each right of the one before.
  std::vector<Integer> bounds;
  bounds.push_back(std::clamp(row->LeftTw, -kMaxTwips, kMaxTwips));
  for (Integer i = 0; i < cellCount; ++i) {
    Integer x = i < defined ? std::clamp(row->Cells.GetItem(i)->RightBoundaryTw, -kMaxTwips, kMaxTwips) : 0;
    if (x <= bounds.back() + 1) x = bounds.back() + 1440;
    bounds.push_back(x);
  }
  if (rows->GetRowCount() == 0) {
    t.Bounds = bounds;
    rows->Reset(1, cellCount);
    t.Alignment = row->Alignment;
  } else {
    for (Integer x : bounds) ColumnAt(t, x);
    rows->InsertRows(rows->GetRowCount(), 1, false, -1);
  }
  const Integer r = rows->GetRowCount() - 1;
  for (Integer c = 0; c < rows->GetColCount(); ++c)
    if (TUVTableCellData* cell = rows->GetCell(r, c)) ResetCell(table, cell);

  for (Integer i = 0; i < cellCount; ++i) {
    const Integer c0 = ColumnAt(t, bounds[static_cast<std::size_t>(i)]);
    const Integer c1 = ColumnAt(t, bounds[static_cast<std::size_t>(i) + 1]);
    if (c1 - c0 > 1 && rows->CanMerge(r, c0, c1 - c0, 1, true)) rows->MergeCells(r, c0, c1 - c0, 1, true, false);
    TUVTableCellData* cell = rows->GetCell(r, c0);
    if (!cell) continue;
    TUVRTFCellProperties* cp = i < defined ? row->Cells.GetItem(i) : nullptr;
    // The content read for the cell.
    if (i < t.Scratch->GetColCount()) {
      TUVTableCellData* scratch = t.Scratch->GetCells(0, i);
      if (scratch->GetItemCount() > 0) {
        cell->Clear();
        UVMoveItems(scratch, 0, scratch->GetItemCount(), cell);
      }
    }
    if (!cp) continue;
    cell->SetCellColor(cp->BackColor);
    if (row->InPixels)
      cell->BestHeight = std::max(cp->BestHeight, 0);
    else if (row->HeightTw > 0)
      cell->BestHeight = Px(std::min(row->HeightTw, kMaxTwips));
    const TUVRTFParaBorder& border = cp->Border;
    TUVBooleanRect* visible = cell->GetVisibleBorders();
    visible->Left = border.GetSide(rtf_side_Left).BorderType != 0;
    visible->Top = border.GetSide(rtf_side_Top).BorderType != 0;
    visible->Right = border.GetSide(rtf_side_Right).BorderType != 0;
    visible->Bottom = border.GetSide(rtf_side_Bottom).BorderType != 0;
    for (Integer side = 0; side < 4; ++side) {
      const TUVRTFBorderSide& s = border.Sides[side];
      if (s.BorderType == 0) continue;
      t.CellBorderSum += std::clamp(s.WidthTw, 0, kMaxTwips);
      ++t.CellBorderCount;
      t.CellBorderColors.insert(s.Color);
      if (s.Color != clNone) {
        if (side < 2)
          cell->BorderLightColor = s.Color;
        else
          cell->BorderColor = s.Color;
      }
    }
    cell->VAlign = cp->VAlign == rtf_val_Bottom ? uvcBottom : cp->VAlign == rtf_val_Center ? uvcMiddle : uvcTop;
    if (row->InPixels)
      cell->BestWidth = cp->BestWidth;
    else if (cp->BestWidthInPercent)
      cell->BestWidth = std::clamp(cp->BestWidth, -5000, 0) / 50;
    else
      cell->BestWidth = Px(bounds[static_cast<std::size_t>(i) + 1] - bounds[static_cast<std::size_t>(i)]);
  }
  // Old-style merges: into the cell before, and into the cell above.
  for (Integer i = 0; i < std::min(cellCount, defined); ++i) {
    TUVRTFCellProperties* cp = row->Cells.GetItem(i);
    const Integer c0 = ColumnAt(t, bounds[static_cast<std::size_t>(i)]);
    TUVTableCellData* cell = rows->GetCell(r, c0);
    if (!cell) continue;
    Integer mr, mc;
    if (cp->HMerge == rtf_cm_Merged && c0 > 0) {
      TUVTableCellData* main = rows->GetMainCell(r, c0 - 1, mr, mc);
      if (main && mr == r && rows->CanMerge(mr, mc, main->ColSpan + cell->ColSpan, main->RowSpan, true))
        rows->MergeCells(mr, mc, main->ColSpan + cell->ColSpan, main->RowSpan, true, false);
    } else if (cp->VMerge == rtf_cm_Merged && r > 0) {
      TUVTableCellData* main = rows->GetMainCell(r - 1, c0, mr, mc);
      if (main && mc == c0 && main->ColSpan == cell->ColSpan &&
          rows->CanMerge(mr, mc, main->ColSpan, main->RowSpan + 1, true))
        rows->MergeCells(mr, mc, main->ColSpan, main->RowSpan + 1, true, false);
    }
  }
  // The scratch row starts again.
  t.Scratch->Rows->Reset(1, 1);
  t.Scratch->GetCells(0, 0)->Clear();
  t.Col = 0;

  if (row->Heading) table->SetHeadingRowCount(rows->GetRowCount());
  for (Integer side = 0; side < 4; ++side)
    if (row->PaddingsInTwips[side]) t.PaddingSum += std::clamp(row->PaddingsTw[side], 0, kMaxTwips);
  // Spacing: each side in twips when given so, the row's gap otherwise.
  const bool vGiven = row->SpacingsInTwips[rtf_side_Top] || row->SpacingsInTwips[rtf_side_Bottom];
  const bool hGiven = row->SpacingsInTwips[rtf_side_Left] || row->SpacingsInTwips[rtf_side_Right];
  t.VSpacingGiven = t.VSpacingGiven || vGiven;
  t.HSpacingGiven = t.HSpacingGiven || hGiven;
  const Integer top = row->SpacingsInTwips[rtf_side_Top] ? std::clamp(row->SpacingsTw[rtf_side_Top], 0, kMaxTwips) : 0;
  const Integer bottom =
      row->SpacingsInTwips[rtf_side_Bottom] ? std::clamp(row->SpacingsTw[rtf_side_Bottom], 0, kMaxTwips) : 0;
  if (r == 0)
    t.FirstTop = top;
  else
    t.VSpacingSum += top + t.PrevBottom;
  t.PrevBottom = t.LastBottom = bottom;
  const Integer gap = std::clamp(row->GapHTw, 0, kMaxTwips);
  for (TUVRTFSide side : {rtf_side_Left, rtf_side_Right}) {
    if (row->SpacingsInTwips[side])
      t.HSpacingSum += std::clamp(row->SpacingsTw[side], 0, kMaxTwips);
    else if (row->PaddingsInTwips[side])
      t.HSpacingSum += std::max(gap - std::clamp(row->PaddingsTw[side], 0, kMaxTwips), 0);
    else
      t.HSpacingSum += gap;
  }
  // The table's border and its colours: light on the left and top, dark on the right and bottom.
  for (Integer side = 0; side < 4; ++side) {
    const TUVRTFBorderSide& s = row->Border.Sides[side];
    if (s.BorderType == 0) continue;
    t.TableBorderSum += std::clamp(s.WidthTw, 0, kMaxTwips);
    ++t.TableBorderCount;
    if (s.Color != clNone) {
      if (side < 2)
        table->SetBorderLightColor(s.Color);
      else
        table->SetBorderColor(s.Color);
    }
  }
  if (row->InPixels) {
    t.InPixels = true;
    t.PixelWidthGiven = true;
    t.BestWidth = row->BestWidth;
  } else if (!t.PixelWidthGiven) {
    const Integer w = std::clamp(row->BestWidth, -kMaxTwips, kMaxTwips);
    if (w < 0 ? (t.BestWidth <= 0 && w < t.BestWidth) : (t.BestWidth >= 0 && w > t.BestWidth)) t.BestWidth = w;
  }
}

void TableImport::FinishTable(TableInfo& T) {
  TUVTableItemInfo* table = T.Table.get();
  TUVTableRows* rows = table->Rows;
  const Integer rowCount = rows->GetRowCount();
  const double f = Factor();
  // Columns right of the last boundary a row used are not there: the grid ends with its bounds.
  table->ParaNo = Props->TableParaStyle(T.Alignment);

  // 1. Border styles.
  if (T.CellBorderColors.size() <= 1) table->SetCellBorderStyle(uvtbColor);
  if (table->GetBorderColor() == table->GetBorderLightColor()) table->SetBorderStyle(uvtbColor);
  // 2. Padding.
  const Integer padding = rowCount > 0 ? static_cast<Integer>(Round(T.PaddingSum * f / (4.0 * rowCount))) : 0;
  table->SetCellPadding(padding);
  // 3. Widths less the padding; empty cells get an empty paragraph.
  for (Integer r = 0; r < rowCount; ++r)
    for (Integer c = 0; c < rows->GetColCount(); ++c) {
      TUVTableCellData* cell = rows->GetCell(r, c);
      if (!cell) continue;
      if (!T.InPixels && cell->BestWidth > 2 * padding) cell->BestWidth -= 2 * padding;
      if (cell->GetItemCount() == 0) cell->AddNL(AnsiString(), Props->EmptyCellTextStyle(), table->ParaNo);
    }
  // 4. Borders between neighbours are drawn once.
  const bool collapse = Props->CollapseTableBorders;
  if (!T.VSpacingGiven || (!T.HSpacingGiven && !collapse)) {
    for (Integer r = 0; r < rowCount; ++r)
      for (Integer c = 0; c < rows->GetColCount(); ++c) {
        TUVTableCellData* cell = rows->GetCell(r, c);
        if (!cell) continue;
        Integer mr, mc;
        if (!T.HSpacingGiven && c > 0) {
          TUVTableCellData* left = rows->GetMainCell(r, c - 1, mr, mc);
          if (left && left->GetVisibleBorders()->Right) cell->GetVisibleBorders()->Left = false;
        }
        if (!T.VSpacingGiven && r > 0) {
          TUVTableCellData* above = rows->GetMainCell(r - 1, c, mr, mc);
          if (above && above->GetVisibleBorders()->Bottom) cell->GetVisibleBorders()->Top = false;
        }
      }
  }
  // 5. Spacing.
  const Integer notGiven = collapse ? -1 : 0;
  if (T.VSpacingGiven) {
    if (rowCount >= 2) table->SetCellVSpacing(static_cast<Integer>(Round(T.VSpacingSum * f / (rowCount - 1))));
    table->SetBorderVSpacing(static_cast<Integer>(Round((T.FirstTop + T.LastBottom) * f)));
  } else {
    table->SetCellVSpacing(notGiven);
    table->SetBorderVSpacing(notGiven);
  }
  if (T.HSpacingGiven && rowCount > 0)
    table->SetCellHSpacing(static_cast<Integer>(Round(T.HSpacingSum * f / rowCount)));
  else
    table->SetCellHSpacing(notGiven);
  table->SetBorderHSpacing(table->GetCellHSpacing());
  // 7 (the average borders are needed for the width).
  const Integer tableBorder =
      T.TableBorderCount > 0 ? static_cast<Integer>(Round(T.TableBorderSum * f / T.TableBorderCount)) : 0;
  const Integer cellBorder =
      T.CellBorderCount > 0 ? static_cast<Integer>(Round(T.CellBorderSum * f / T.CellBorderCount)) : 0;
  // 6. The table's width.
  if (T.InPixels) {
    table->SetBestWidth(T.BestWidth);
  } else if (T.BestWidth > 0) {
    const Integer averageTw = T.TableBorderCount > 0 ? T.TableBorderSum / T.TableBorderCount : 0;
    table->SetBestWidth(std::max(static_cast<Integer>(Round((T.BestWidth - averageTw) * f)), 0));
  } else if (T.BestWidth < 0) {
    table->SetBestWidth(std::max(T.BestWidth / 50, -100));
  } else if (Props->FixedTableWidth && T.Bounds.size() >= 2) {
    table->SetBestWidth(static_cast<Integer>(Round((T.Bounds.back() - T.Bounds.front()) * f)));
  }
  // 7.
  table->SetCellBorderWidth(cellBorder);
  table->SetBorderWidth(tableBorder);
  if (!T.VSpacingGiven && !T.HSpacingGiven && tableBorder == cellBorder) {
    table->SetBorderWidth(0);
    table->SetBorderHSpacing(0);
    table->SetBorderVSpacing(0);
  }
  // 8.
  if (Props->AutoHideTableGridLines) {
    TUVTableOptions options = table->GetOptions();
    table->SetOptions(options << uvtoHideGridLines);
  }
}

void TableImport::EndTable() {
  if (Stack.empty()) return;
  std::unique_ptr<TableInfo> info = std::move(Stack.back());
  Stack.pop_back();
  TCustomUVData* parent = CurrentCell();
  // Content of a row that never ended goes back as ordinary paragraphs.
  for (Integer c = 0; c < info->Scratch->GetColCount(); ++c) {
    TUVTableCellData* scratch = info->Scratch->GetCells(0, c);
    while (scratch->GetItemCount() > 0) {
      AnsiString text;
      TCustomUVItemInfo* item = UVTakeItem(scratch, 0, text);
      if (c > 0 && !item->GetContinuesPara()) item->ItemOptions &= static_cast<Byte>(~uvioBR);
      Props->PlaceTableItem(item, text, parent);
    }
  }
  TUVTableItemInfo* table = info->Table.get();
  if (table->GetRowCount() == 0 || table->GetColCount() == 0) return;
  FinishTable(*info);
  table->Rows->MainUVData = nullptr;
  Props->PlaceTableItem(info->Table.release(), AnsiString(), parent);
}

}  // namespace

void UVRegisterTableRTFImport() {
  RegisterUVRTFTableImport(
      [](TUVRTFReaderProperties* Props) -> std::unique_ptr<TUVRTFTableImport> {
        return std::make_unique<TableImport>(Props);
      });
}
