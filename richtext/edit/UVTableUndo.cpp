// Performing the table records: each takes its step through the grid, which records the opposite
// step, and marks the table changed so that the document lays it out again.
#include "richtext/edit/UVTableUndo.h"

#include "richtext/edit/UVEUVData.h"

TUVTableItemInfo* UVUndoTableAt(TCustomUVData* UVData, Integer ItemNo) {
  auto* table = ItemNo >= 0 && ItemNo < UVData->GetItemCount() ? dynamic_cast<TUVTableItemInfo*>(UVData->GetItem(ItemNo))
                                                                : nullptr;
  if (!table) throw EUzurUvadError("Undo error");
  return table;
}

void TUVUndoModifyCellIntProperty::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  table->ChangeCellProperty(Row, Col, PropertyName, OldValue, AffectSize, AffectWidth);
  table->MarkChanged();
}

void TUVUndoModifyCellIntProperties::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  table->ChangeCellProperties(Row, Col, &PropList, HasBorders ? &OldBorders : nullptr, AffectSize, AffectWidth);
  table->MarkChanged();
}

void TUVUndoInsertTableRows::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Insert)
    table->Rows->InsertNewRows(Row, Count);
  else
    table->Rows->RemoveRows(Row, Count);
  table->MarkChanged();
}

void TUVUndoInsertTableCell::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Insert)
    table->Rows->InsertCell(Row, Col);
  else
    table->Rows->RemoveCell(Row, Col);
  table->MarkChanged();
}

void TUVUndoSpreadOverEmptyCells::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Spread)
    table->Rows->SpreadOverEmptyCells(Row, Col, Span);
  else
    table->Rows->UnspreadCell(Row, Col, Span);
  table->MarkChanged();
}

void TUVUndoSpan::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  table->Rows->SetSpan(Row, Col, RowSpanOfCell, OldValue);
  table->MarkChanged();
}

void TUVUndoFreeEmptyCell::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Free)
    table->Rows->FreeEmptyCells(Row, Col, RowCount, ColCount);
  else
    table->Rows->PutEmptyCells(Row, Col, RowCount, ColCount);
  table->MarkChanged();
}

void TUVUndoInsertEmptyCell::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Insert)
    table->Rows->InsertNilSlots(Row, Col, RowCount, ColCount);
  else
    table->Rows->RemoveNilSlots(Row, Col, RowCount, ColCount);
  table->MarkChanged();
}

void TUVUndoCellSpitVert::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Split)
    table->Rows->SplitCellVert(Row, Col, SplitCol, DecreaseWidth);
  else
    table->Rows->UnsplitCellVert(Row, Col, SplitCol, BestWidth, DecreaseWidth);
  table->MarkChanged();
}

TCustomUVUndoWithCells::~TCustomUVUndoWithCells() {
  for (TUVTableCellData* cell : Cells) delete cell;
}

void TCustomUVUndoWithCells::Keep(TUVTableCellData* Cell) {
  Cells.push_back(Cell);
  if (Cell) Cell->MovingToUndoList(this);
}

void TUVUndoDeleteCols::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (PutBack)
    table->Rows->PutBackCols(this);
  else
    table->Rows->RemoveCols(FirstCol, Count);
  table->MarkChanged();
}

void TUVUndoCellsClear::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (PutBack)
    table->Rows->PutBackClearedCells(this);
  else
    table->Rows->ClearCells(Rows, Cols);
  table->MarkChanged();
}

TUVUndoMergeItem::~TUVUndoMergeItem() { delete Cell; }

void TUVUndoMerge::Perform(TUVEditUVData* UVData) {
  TUVTableItemInfo* table = UVUndoTableAt(UVData, ItemNo);
  if (Unmerge)
    table->Rows->Unmerge(this);
  else
    table->Rows->MergeCells(TopRow, LeftCol, NewColSpan, NewRowSpan, true, true);
  table->MarkChanged();
}
