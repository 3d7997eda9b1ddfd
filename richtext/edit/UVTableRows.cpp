// The grid of a table: finding the cell that covers a position, merging, inserting columns and
// rows, deleting columns, and the steps these are made of. Every step records, through the table,
// the step that takes it back, so that undoing performs the steps backwards and redoing forwards.
#include <algorithm>

#include "richtext/core/UVMarker.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/UVTableUndo.h"

namespace {

[[noreturn]] void RaiseBadIndex() { throw EUzurUvadError("Invalid row or column index"); }

}  // namespace

TCustomUVItemInfo* UVTakeItem(TCustomUVFormattedData* From, Integer Index, AnsiString& Text) {
  TCustomUVItemInfo* item = From->GetItem(Index);
  Text = From->Items->GetStrings(Index);
  if (item->StyleNo == uvsListMarker) From->RemoveMarkerFromList(static_cast<TUVMarkerItemInfo*>(item), false);
  if (item->Checkpoint) {
    // The item takes its checkpoint along; the receiver links it in its own chain.
    From->UnlinkCheckpoint(item->Checkpoint);
    --From->CPCount;
  }
  From->ForgetItem(item);
  From->Items->Delete(Index);
  return item;
}

void UVMoveItems(TCustomUVFormattedData* From, Integer First, Integer Count, TCustomUVData* To) {
  for (Integer i = 0; i < Count; ++i) {
    AnsiString text;
    TCustomUVItemInfo* item = UVTakeItem(From, First, text);
    if (item->GetContinuesPara()) item->ParaNo = -1;
    To->AddItem(text, item);
  }
  From->ClearFormattingData();
}

// ---------------------------------------------------------------------------------------------
// Rows

TUVTableRow::TUVTableRow(TUVTableRows* ARows, Integer Capacity) : Rows(ARows) {
  if (Capacity > 0) SetCapacity(Capacity);
}

TUVTableCellData* TUVTableRow::GetCell(Integer Col) const { return static_cast<TUVTableCellData*>(Get(Col)); }

void TUVTableRow::SetCell(Integer Col, TUVTableCellData* Cell) { TList::SetItems(Col, static_cast<TObject*>(Cell)); }

void TUVTableRow::InsertCell(Integer Col, TUVTableCellData* Cell) { Insert(Col, static_cast<TObject*>(Cell)); }

TObject* TUVTableRow::GetParentObject() { return Rows; }

// ---------------------------------------------------------------------------------------------
// Looking up

TUVTableCellData* TUVTableRows::NewCell(TUVTableRow* Row) {
  auto* cell = new TUVTableCellData(this);
  cell->SetRow(Row);
  return cell;
}

TUVTableCellData* TUVTableRows::GetMainCell(Integer Row, Integer Col, Integer& MainRow, Integer& MainCol) const {
  if (TUVTableCellData* cell = GetCell(Row, Col)) {
    MainRow = Row;
    MainCol = Col;
    return cell;
  }
  for (Integer r = Row; r >= 0; --r) {
    TUVTableRow* row = GetRow(r);
    for (Integer c = Col; c >= 0; --c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell) continue;
      if (cell->ColSpan > Col - c && cell->RowSpan > Row - r) {
        MainRow = r;
        MainCol = c;
        return cell;
      }
      break;
    }
  }
  MainRow = MainCol = -1;
  return nullptr;
}

void TUVTableRows::Reset(Integer RowCount, Integer ColCount) {
  Clear();
  for (Integer r = 0; r < RowCount; ++r) {
    auto* row = new TUVTableRow(this, ColCount);
    row->VAlign = uvcTop;
    for (Integer c = 0; c < ColCount; ++c) row->InsertCell(c, NewCell(row));
    Add(row);
  }
}

// ---------------------------------------------------------------------------------------------
// Merging

bool TUVTableRows::CanMerge(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan,
                            bool AllowMergeRC) const {
  Integer bottom = TopRow + RowSpan - 1;
  Integer right = LeftCol + ColSpan - 1;
  Integer cells = 0;
  // The rectangle must cover whole cells.
  for (Integer r = TopRow; r <= bottom; ++r)
    for (Integer c = LeftCol; c <= right; ++c) {
      Integer mr, mc;
      TUVTableCellData* cell = GetMainCell(r, c, mr, mc);
      if (!cell) return false;
      if (mr < TopRow || mc < LeftCol || mr + cell->RowSpan - 1 > bottom || mc + cell->ColSpan - 1 > right)
        return false;
      if (mr == r && mc == c) ++cells;
    }
  if (cells < 2) return false;
  if (AllowMergeRC) return true;
  // No column or row may be left without a cell of its own.
  for (Integer c = LeftCol + 1; c <= right; ++c) {
    bool own = false;
    for (Integer r = 0; r < GetRowCount() && !own; ++r)
      if ((r < TopRow || r > bottom) && GetCell(r, c)) own = true;
    if (!own) return false;
  }
  for (Integer r = TopRow + 1; r <= bottom; ++r) {
    bool own = false;
    TUVTableRow* row = GetRow(r);
    for (Integer c = 0; c < row->GetCount() && !own; ++c)
      if ((c < LeftCol || c > right) && row->GetCell(c)) own = true;
    if (!own) return false;
  }
  return true;
}

TUVHTMLLength TUVTableRows::GetMergedBestWidth(Integer TopRow, Integer LeftCol, Integer ColSpan,
                                               Integer RowSpan) const {
  TUVHTMLLength result = 0;
  for (Integer r = TopRow; r < TopRow + RowSpan; ++r) {
    TUVHTMLLength total = 0;
    bool percent = false;
    for (Integer c = LeftCol; c < LeftCol + ColSpan; ++c) {
      TUVTableCellData* cell = GetCell(r, c);
      if (!cell) continue;
      TUVHTMLLength width = cell->BestWidth;
      if (width < 0) {
        // The first percentage drops the pixels summed so far; pixels after it count nothing.
        if (!percent) total = 0;
        percent = true;
        total += width;
      } else if (width > 0 && !percent) {
        total += width;
      }
    }
    if ((result >= 0 && (total < 0 || total > result)) || (result < 0 && total < result)) result = total;
  }
  return result;
}

void TUVTableRows::MergeCells(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan, bool AllowMergeRC,
                              bool AdjustWidth) {
  RowSpan = std::min(RowSpan, GetRowCount() - TopRow);
  ColSpan = std::min(ColSpan, GetRow(TopRow)->GetCount() - LeftCol);
  if (RowSpan < 2 && ColSpan < 2) return;
  if (RowSpan < 1 || ColSpan < 1) throw EUzurUvadError("Parameters for cell merging are not correct");
  TUVTableCellData* main = GetCell(TopRow, LeftCol);
  if (!main || (main->RowSpan >= RowSpan && main->ColSpan >= ColSpan)) return;
  if (!CanMerge(TopRow, LeftCol, ColSpan, RowSpan, AllowMergeRC)) {
    if (MainUVData) MainUVData->Beep();
    return;
  }
  auto* record = new TUVUndoMerge();
  record->TopRow = TopRow;
  record->LeftCol = LeftCol;
  record->OldRowSpan = main->RowSpan;
  record->OldColSpan = main->ColSpan;
  record->OldBestWidth = main->BestWidth;
  record->NewRowSpan = RowSpan;
  record->NewColSpan = ColSpan;
  record->Unmerge = true;
  if (!Table->RecordUndo(record)) record = nullptr;
  if (AdjustWidth) main->BestWidth = GetMergedBestWidth(TopRow, LeftCol, ColSpan, RowSpan);
  for (Integer r = TopRow; r < TopRow + RowSpan; ++r) {
    TUVTableRow* row = GetRow(r);
    for (Integer c = LeftCol; c < LeftCol + ColSpan; ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell || cell == main) continue;
      Integer given = 0;
      if (cell->HasData(false)) {
        given = cell->GetItemCount();
        UVMoveItems(cell, 0, given, main);
      }
      row->SetCell(c, nullptr);
      if (record) {
        auto* merged = new TUVUndoMergeItem();
        merged->Row = r;
        merged->Col = c;
        merged->ItemCount = given;
        merged->Cell = cell;
        record->MergedItems.Add(merged);
        cell->MovingToUndoList(record);
      } else {
        delete cell;
      }
    }
  }
  main->ColSpan = ColSpan;
  main->RowSpan = RowSpan;
  main->ClearFormattingData();
}

void TUVTableRows::Unmerge(TUVUndoMerge* Record) {
  auto* opposite = new TUVUndoMerge();
  opposite->TopRow = Record->TopRow;
  opposite->LeftCol = Record->LeftCol;
  opposite->NewRowSpan = Record->NewRowSpan;
  opposite->NewColSpan = Record->NewColSpan;
  opposite->Unmerge = false;
  Table->RecordUndo(opposite);
  TUVTableCellData* main = GetCell(Record->TopRow, Record->LeftCol);
  main->BestWidth = Record->OldBestWidth;
  // The cells absorbed last come back first, each taking its items back from the end.
  for (Integer i = Record->MergedItems.GetCount() - 1; i >= 0; --i) {
    auto* merged = static_cast<TUVUndoMergeItem*>(Record->MergedItems.Get(i));
    TUVTableCellData* cell = merged->Cell;
    merged->Cell = nullptr;
    TUVTableRow* row = GetRow(merged->Row);
    cell->SetRow(row);
    cell->MovingFromUndoList();
    row->SetCell(merged->Col, cell);
    if (merged->ItemCount > 0)
      UVMoveItems(main, main->GetItemCount() - merged->ItemCount, merged->ItemCount, cell);
  }
  Record->MergedItems.Clear();
  main->ColSpan = Record->OldColSpan;
  main->RowSpan = Record->OldRowSpan;
  main->ClearFormattingData();
}

// ---------------------------------------------------------------------------------------------
// Inserting columns and rows

void TUVTableRows::InsertCols(Integer Index, Integer Count, bool AdjustWidth, Integer CopyIndex) {
  Integer colCount = GetColCount();
  if (Index < 0 || Index > colCount || CopyIndex < -1 || CopyIndex >= colCount) RaiseBadIndex();
  if (Count <= 0) return;
  Integer rowCount = GetRowCount();
  // Rows in which the new columns fall inside a cell that spans across Index.
  std::vector<bool> marked(static_cast<std::size_t>(rowCount), false);
  if (Index != colCount) {
    for (Integer r = rowCount - 1; r >= 0;) {
      Integer mr, mc;
      TUVTableCellData* cell = GetMainCell(r, Index, mr, mc);
      if (mc < Index) {
        for (Integer k = mr; k < mr + cell->RowSpan; ++k) marked[static_cast<std::size_t>(k)] = true;
        SetSpan(mr, mc, false, cell->ColSpan + Count);
      }
      r = mr - 1;
    }
  }
  for (Integer r = 0; r < rowCount;) {
    if (marked[static_cast<std::size_t>(r)]) {
      InsertNilSlots(r, Index, 1, Count);
      ++r;
      continue;
    }
    for (Integer k = 0; k < Count; ++k) InsertCell(r, Index + k);
    // The source is the cell of the column that was CopyIndex before the insertion.
    TUVTableCellData* source = nullptr;
    Integer sourceCol = CopyIndex >= Index ? CopyIndex + Count : CopyIndex;
    if (CopyIndex != -1) source = GetCell(r, sourceCol);
    if (!source) {
      ++r;
      continue;
    }
    if (AdjustWidth)
      Table->SetCellIntProperty("BestWidth", MulDiv(source->BestWidth, source->ColSpan, source->ColSpan + Count), r,
                                sourceCol, true, true);
    // The new cells span as many rows as the source, as far as the rows below take new cells
    // (a row marked above already covers its new slots with a widened cell).
    Integer span = 1;
    while (span < source->RowSpan && r + span < rowCount && !marked[static_cast<std::size_t>(r + span)]) ++span;
    for (Integer k = 0; k < Count; ++k) {
      Table->AssignCellAttributes(r, Index + k, source, true, 1, source->ColSpan);
      if (span > 1) SetSpan(r, Index + k, true, span);
    }
    for (Integer below = r + 1; below < r + span; ++below) InsertNilSlots(below, Index, 1, Count);
    r += span;
  }
}

void TUVTableRows::InsertRows(Integer Index, Integer Count, bool AdjustHeight, Integer CopyIndex) {
  Integer rowCount = GetRowCount();
  if (Index < 0 || Index > rowCount || CopyIndex < -1 || CopyIndex >= rowCount) RaiseBadIndex();
  if (Count <= 0) return;
  Integer colCount = GetColCount();
  // Columns in which the new rows fall inside a cell that spans across Index.
  std::vector<bool> marked(static_cast<std::size_t>(colCount), false);
  if (Index != rowCount) {
    for (Integer c = colCount - 1; c >= 0;) {
      Integer mr, mc;
      TUVTableCellData* cell = GetMainCell(Index, c, mr, mc);
      if (mr < Index) {
        for (Integer k = mc; k < mc + cell->ColSpan; ++k) marked[static_cast<std::size_t>(k)] = true;
        SetSpan(mr, mc, true, cell->RowSpan + Count);
      }
      c = mc - 1;
    }
  }
  if (CopyIndex >= Index) CopyIndex += Count;
  InsertNewRows(Index, Count);
  for (Integer c = 0; c < colCount;) {
    if (marked[static_cast<std::size_t>(c)]) {
      FreeEmptyCells(Index, c, Count, 1);
      ++c;
      continue;
    }
    TUVTableCellData* source = CopyIndex != -1 ? GetCell(CopyIndex, c) : nullptr;
    if (!source) {
      ++c;
      continue;
    }
    if (AdjustHeight)
      Table->SetCellIntProperty("BestHeight", MulDiv(source->BestHeight, source->RowSpan, source->RowSpan + Count),
                                CopyIndex, c, false, true);
    // As many columns as the source spans, as far as the columns to the right take new cells.
    Integer span = 1;
    while (span < source->ColSpan && c + span < colCount && !marked[static_cast<std::size_t>(c + span)]) ++span;
    for (Integer k = 0; k < Count; ++k) {
      Table->AssignCellAttributes(Index + k, c, source, true, source->RowSpan, 1);
      if (span > 1) SpreadOverEmptyCells(Index + k, c, span);
    }
    c += span;
  }
}

// ---------------------------------------------------------------------------------------------
// Deleting columns

void TUVTableRows::DeleteCols(Integer Index, Integer Count, bool DecreaseWidth) {
  Integer colCount = GetColCount();
  if (Index < 0 || Index >= colCount || Count <= 0 || (Index == 0 && Count > colCount)) RaiseBadIndex();
  Count = std::min(Count, colCount - Index);
  Integer last = Index + Count - 1;
  // Cells that start inside the range and reach past it keep their part after it.
  for (Integer r = GetRowCount() - 1; r >= 0;) {
    Integer mr, mc;
    TUVTableCellData* cell = GetMainCell(r, last, mr, mc);
    if (mc >= Index && mc + cell->ColSpan - 1 > last) SplitCellVert(mr, mc, Index + Count, DecreaseWidth);
    r = mr - 1;
  }
  // Cells that start before the range lose the columns they had in it.
  for (Integer r = GetRowCount() - 1; r >= 0;) {
    Integer mr, mc;
    TUVTableCellData* cell = GetMainCell(r, Index, mr, mc);
    if (mc < Index) {
      Integer oldSpan = cell->ColSpan;
      Integer newSpan = mc + oldSpan - 1 > last ? oldSpan - Count : Index - mc;
      if (DecreaseWidth)
        Table->SetCellIntProperty("BestWidth", MulDiv(cell->BestWidth, newSpan, oldSpan), mr, mc, true, true);
      SetSpan(mr, mc, false, newSpan);
    }
    r = mr - 1;
  }
  RemoveCols(Index, Count);
}

// ---------------------------------------------------------------------------------------------
// Steps

void TUVTableRows::InsertNewRows(Integer Index, Integer Count) {
  Table->RecordUndo(new TUVUndoInsertTableRows(Index, Count, false));
  Integer colCount = GetColCount();
  for (Integer k = 0; k < Count; ++k) {
    auto* row = new TUVTableRow(this, colCount);
    row->VAlign = uvcTop;
    for (Integer c = 0; c < colCount; ++c) row->InsertCell(c, NewCell(row));
    Insert(Index + k, row);
  }
}

void TUVTableRows::RemoveRows(Integer Index, Integer Count) {
  Table->RecordUndo(new TUVUndoInsertTableRows(Index, Count, true));
  for (Integer k = 0; k < Count; ++k) Delete(Index);
}

void TUVTableRows::InsertCell(Integer Row, Integer Col) {
  Table->RecordUndo(new TUVUndoInsertTableCell(Row, Col, false));
  TUVTableRow* row = GetRow(Row);
  row->InsertCell(Col, NewCell(row));
}

void TUVTableRows::RemoveCell(Integer Row, Integer Col) {
  Table->RecordUndo(new TUVUndoInsertTableCell(Row, Col, true));
  GetRow(Row)->Delete(Col);
}

void TUVTableRows::SpreadOverEmptyCells(Integer Row, Integer Col, Integer Span) {
  Table->RecordUndo(new TUVUndoSpreadOverEmptyCells(Row, Col, Span, false));
  GetCell(Row, Col)->ColSpan = Span;
  FreeSlots(Row, Col + 1, 1, Span - 1);
}

void TUVTableRows::UnspreadCell(Integer Row, Integer Col, Integer Span) {
  Table->RecordUndo(new TUVUndoSpreadOverEmptyCells(Row, Col, Span, true));
  GetCell(Row, Col)->ColSpan = 1;
  FillSlots(Row, Col + 1, 1, Span - 1);
}

void TUVTableRows::FreeEmptyCells(Integer Row, Integer Col, Integer RowCount, Integer ColCount) {
  Table->RecordUndo(new TUVUndoFreeEmptyCell(Row, Col, RowCount, ColCount, false));
  FreeSlots(Row, Col, RowCount, ColCount);
}

void TUVTableRows::PutEmptyCells(Integer Row, Integer Col, Integer RowCount, Integer ColCount) {
  Table->RecordUndo(new TUVUndoFreeEmptyCell(Row, Col, RowCount, ColCount, true));
  FillSlots(Row, Col, RowCount, ColCount);
}

void TUVTableRows::FreeSlots(Integer Row, Integer Col, Integer RowCount, Integer ColCount) {
  for (Integer r = Row; r < Row + RowCount; ++r) {
    TUVTableRow* row = GetRow(r);
    for (Integer c = Col; c < Col + ColCount; ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      row->SetCell(c, nullptr);
      delete cell;
    }
  }
}

void TUVTableRows::FillSlots(Integer Row, Integer Col, Integer RowCount, Integer ColCount) {
  for (Integer r = Row; r < Row + RowCount; ++r) {
    TUVTableRow* row = GetRow(r);
    for (Integer c = Col; c < Col + ColCount; ++c)
      if (!row->GetCell(c)) row->SetCell(c, NewCell(row));
  }
}

void TUVTableRows::InsertNilSlots(Integer Row, Integer Col, Integer RowCount, Integer Count) {
  Table->RecordUndo(new TUVUndoInsertEmptyCell(Row, Col, RowCount, Count, false));
  for (Integer r = Row; r < Row + RowCount; ++r)
    for (Integer k = 0; k < Count; ++k) GetRow(r)->InsertCell(Col, nullptr);
}

void TUVTableRows::RemoveNilSlots(Integer Row, Integer Col, Integer RowCount, Integer Count) {
  Table->RecordUndo(new TUVUndoInsertEmptyCell(Row, Col, RowCount, Count, true));
  for (Integer r = Row; r < Row + RowCount; ++r)
    for (Integer k = 0; k < Count; ++k) GetRow(r)->Delete(Col);
}

void TUVTableRows::SetSpan(Integer Row, Integer Col, bool RowSpanOfCell, Integer Value) {
  TUVTableCellData* cell = GetCell(Row, Col);
  Integer& span = RowSpanOfCell ? cell->RowSpan : cell->ColSpan;
  if (span == Value) return;
  Table->RecordUndo(new TUVUndoSpan(Row, Col, RowSpanOfCell, span));
  span = Value;
}

void TUVTableRows::SplitCellVert(Integer Row, Integer Col, Integer SplitCol, bool DecreaseWidth) {
  TUVTableCellData* cell = GetCell(Row, Col);
  Table->RecordUndo(new TUVUndoCellSpitVert(Row, Col, SplitCol, cell->BestWidth, DecreaseWidth, false));
  Integer oldSpan = cell->ColSpan;
  Integer newSpan = Col + oldSpan - SplitCol;
  TUVTableRow* row = GetRow(Row);
  TUVTableCellData* right = NewCell(row);
  right->AssignAttributesFrom(cell, true, 1, 1);
  right->RowSpan = cell->RowSpan;
  right->ColSpan = newSpan;
  right->BestWidth = MulDiv(cell->BestWidth, newSpan, oldSpan);
  row->SetCell(SplitCol, right);
  if (DecreaseWidth) cell->BestWidth = MulDiv(oldSpan - newSpan, cell->BestWidth, oldSpan);
  cell->ColSpan = oldSpan - newSpan;
}

void TUVTableRows::UnsplitCellVert(Integer Row, Integer Col, Integer SplitCol, TUVHTMLLength BestWidth,
                                   bool DecreaseWidth) {
  Table->RecordUndo(new TUVUndoCellSpitVert(Row, Col, SplitCol, 0, DecreaseWidth, true));
  TUVTableRow* row = GetRow(Row);
  TUVTableCellData* cell = row->GetCell(Col);
  TUVTableCellData* right = row->GetCell(SplitCol);
  cell->BestWidth = BestWidth;
  cell->ColSpan += right->ColSpan;
  row->SetCell(SplitCol, nullptr);
  delete right;
}

void TUVTableRows::RemoveCols(Integer Index, Integer Count) {
  auto* record = new TUVUndoDeleteCols(Index, Count, true);
  bool kept = Table->RecordUndo(record);
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = GetRow(r);
    for (Integer c = Index + Count - 1; c >= Index; --c) {
      TUVTableCellData* cell = row->GetCell(c);
      row->DeleteWithoutFree(c);
      if (kept)
        record->Keep(cell);
      else
        delete cell;
    }
  }
}

void TUVTableRows::PutBackCols(TCustomUVUndoWithCells* Record) {
  auto* source = static_cast<TUVUndoDeleteCols*>(Record);
  Table->RecordUndo(new TUVUndoDeleteCols(source->FirstCol, source->Count, false));
  Integer rowCount = GetRowCount();
  Integer perRow = rowCount > 0 ? static_cast<Integer>(source->Cells.size()) / rowCount : 0;
  std::size_t next = 0;
  for (Integer r = 0; r < rowCount; ++r) {
    TUVTableRow* row = GetRow(r);
    // Saved right to left, each inserted at the first column: they end up in their old order.
    for (Integer k = 0; k < perRow; ++k) {
      TUVTableCellData* cell = source->Cells[next];
      source->Cells[next++] = nullptr;
      if (cell) {
        cell->SetRow(row);
        cell->MovingFromUndoList();
      }
      row->InsertCell(source->FirstCol, cell);
    }
  }
  source->Cells.clear();
}

void TUVTableRows::ClearCells(const std::vector<Integer>& RowList, const std::vector<Integer>& ColList) {
  auto* record = new TUVUndoCellsClear(RowList, ColList, true);
  bool kept = Table->RecordUndo(record);
  for (std::size_t i = 0; i < RowList.size(); ++i) {
    TUVTableRow* row = GetRow(RowList[i]);
    TUVTableCellData* cell = row->GetCell(ColList[i]);
    TUVTableCellData* empty = NewCell(row);
    empty->AssignAttributesFrom(cell, true, 1, 1);
    empty->RowSpan = cell->RowSpan;
    empty->ColSpan = cell->ColSpan;
    // The empty cell sits in the same box until the table is laid out again.
    empty->Left = cell->Left;
    empty->Top = cell->Top;
    empty->Width = cell->Width;
    empty->Height = cell->Height;
    row->SetCell(ColList[i], empty);
    // A chosen cell hands the choice on; the cell kept for undo is no document's any more.
    auto* document = dynamic_cast<TCustomUVFormattedData*>(MainUVData);
    if (document && document->GetChosenData() == cell) Table->ChooseCell(empty);
    if (kept)
      record->Keep(cell);
    else
      delete cell;
  }
}

void TUVTableRows::PutBackClearedCells(TCustomUVUndoWithCells* Record) {
  auto* source = static_cast<TUVUndoCellsClear*>(Record);
  Table->RecordUndo(new TUVUndoCellsClear(source->Rows, source->Cols, false));
  for (std::size_t i = 0; i < source->Rows.size() && i < source->Cells.size(); ++i) {
    TUVTableRow* row = GetRow(source->Rows[i]);
    TUVTableCellData* cell = source->Cells[i];
    source->Cells[i] = nullptr;
    delete row->GetCell(source->Cols[i]);
    cell->SetRow(row);
    cell->MovingFromUndoList();
    row->SetCell(source->Cols[i], cell);
  }
  source->Cells.clear();
}
