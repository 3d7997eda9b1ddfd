// What the table tests share: a table's grid described line by line (slots, spans, attributes
// and each cell's text), the grid invariants every structural change must keep, and tables
// filled with text.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "richtext/edit/UVTable.h"

namespace table_test {

// The text of a cell's items, paragraphs separated by "|".
inline std::string CellText(TUVTableCellData* Cell) {
  std::string text;
  for (Integer i = 0; i < Cell->GetItemCount(); ++i) {
    if (i > 0 && Cell->IsParaStart(i)) text += "|";
    text += Cell->GetItemText(i);
  }
  return text;
}

// One line per row: "-" for a covered slot, else the cell with its spans, attributes and text.
inline std::vector<std::string> DescribeGrid(TUVTableItemInfo* Table) {
  std::vector<std::string> lines;
  for (Integer r = 0; r < Table->GetRowCount(); ++r) {
    TUVTableRow* row = Table->Rows->GetRow(r);
    std::ostringstream out;
    out << "valign " << Integer(row->VAlign) << ":";
    for (Integer c = 0; c < row->GetCount(); ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell) {
        out << " -";
        continue;
      }
      TUVBooleanRect* v = cell->GetVisibleBorders();
      out << " [" << cell->RowSpan << "x" << cell->ColSpan << " w" << cell->BestWidth << " h" << cell->BestHeight
          << " c" << cell->GetCellColor() << " b" << cell->BorderColor << "/" << cell->BorderLightColor << " v"
          << Integer(cell->VAlign) << " " << v->Left << v->Top << v->Right << v->Bottom << " '" << CellText(cell)
          << "']";
    }
    lines.push_back(out.str());
  }
  return lines;
}

// The first grid invariant broken, or empty: rows of one slot count, every position covered by
// exactly one cell, spans inside the grid, each cell knowing its row and sitting in no undo record.
inline std::string CheckGrid(TUVTableItemInfo* Table) {
  Integer rows = Table->GetRowCount();
  Integer cols = Table->GetColCount();
  std::vector<Integer> covered(static_cast<std::size_t>(rows * cols), 0);
  for (Integer r = 0; r < rows; ++r)
    if (Table->Rows->GetRow(r)->GetCount() != cols)
      return "row " + std::to_string(r) + " has " + std::to_string(Table->Rows->GetRow(r)->GetCount()) +
             " slots, row 0 " + std::to_string(cols);
  for (Integer r = 0; r < rows; ++r) {
    TUVTableRow* row = Table->Rows->GetRow(r);
    for (Integer c = 0; c < cols; ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell) continue;
      std::string at = "cell " + std::to_string(r) + "," + std::to_string(c);
      if (cell->RowSpan < 1 || cell->ColSpan < 1) return at + " has a span below 1";
      if (r + cell->RowSpan > rows || c + cell->ColSpan > cols) return at + " reaches past the grid";
      if (cell->GetRow() != row) return at + " does not know its row";
      if (cell->UndoHolder) return at + " still belongs to an undo record";
      for (Integer i = r; i < r + cell->RowSpan; ++i)
        for (Integer j = c; j < c + cell->ColSpan; ++j) {
          if (i != r || j != c) {
            if (Table->GetCells(i, j)) return at + " covers a slot that holds a cell";
          }
          ++covered[static_cast<std::size_t>(i * cols + j)];
        }
    }
  }
  for (Integer i = 0; i < rows * cols; ++i)
    if (covered[static_cast<std::size_t>(i)] != 1)
      return "position " + std::to_string(i / cols) + "," + std::to_string(i % cols) + " covered " +
             std::to_string(covered[static_cast<std::size_t>(i)]) + " times";
  return std::string();
}

// Replaces a cell's content with one paragraph of text.
inline void SetCellText(TUVTableCellData* Cell, const AnsiString& Text, Integer StyleNo = 0) {
  Cell->Clear();
  Cell->AddNL(Text, StyleNo, 0);
}

// A table whose cells read "r,c".
inline TUVTableItemInfo* NumberedTable(Integer Rows, Integer Cols, TCustomUVData* Data) {
  auto* table = new TUVTableItemInfo(Rows, Cols, Data);
  table->ParaNo = 0;
  for (Integer r = 0; r < Rows; ++r)
    for (Integer c = 0; c < Cols; ++c) SetCellText(table->GetCells(r, c), IntToStr(r) + "," + IntToStr(c));
  return table;
}

}  // namespace table_test
