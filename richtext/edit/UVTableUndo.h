// The undo records of tables. Each names its table by the table's item index and says how to take
// one step of a table change back; performing it takes the step through the grid, which records
// the opposite step (so undoing fills the redo list and redoing the undo list). Records that
// take cells out of the grid own them until they are put back or the record is freed.
#pragma once

#include <vector>

#include "richtext/edit/UVTable.h"

// The table at ItemNo of UVData. Raises EUzurUvadError "Undo error" when the item is not one.
TUVTableItemInfo* UVUndoTableAt(TCustomUVData* UVData, Integer ItemNo);

// A cell's property set back.
class TUVUndoModifyCellIntProperty : public TUVUndoModifyItemIntProperty {
  CLASS_INFO(TUVUndoModifyCellIntProperty, TUVUndoModifyItemIntProperty)
public:
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Col = 0;
};

// Several properties of a cell set back, and its visible borders when they changed.
class TUVUndoModifyCellIntProperties : public TUVUndoModifyItemIntProperties {
  CLASS_INFO(TUVUndoModifyCellIntProperties, TUVUndoModifyItemIntProperties)
public:
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Col = 0;
  bool HasBorders = false;
  TUVBooleanRect OldBorders;
};

// Count rows at Row inserted (Insert) or removed.
class TUVUndoInsertTableRows : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoInsertTableRows, TUVUndoModifyItemProps)
public:
  TUVUndoInsertTableRows(Integer ARow = 0, Integer ACount = 0, bool AInsert = false)
      : Row(ARow), Count(ACount), Insert(AInsert) {}
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Count = 0;
  bool Insert = false;
};

// One cell with its slot inserted (Insert) or removed.
class TUVUndoInsertTableCell : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoInsertTableCell, TUVUndoModifyItemProps)
public:
  TUVUndoInsertTableCell(Integer ARow = 0, Integer ACol = 0, bool AInsert = false)
      : Row(ARow), Col(ACol), Insert(AInsert) {}
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Col = 0;
  bool Insert = false;
};

// A cell spread over Span columns (Spread) or taken back to one.
class TUVUndoSpreadOverEmptyCells : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoSpreadOverEmptyCells, TUVUndoModifyItemProps)
public:
  TUVUndoSpreadOverEmptyCells(Integer ARow = 0, Integer ACol = 0, Integer ASpan = 1, bool ASpread = false)
      : Row(ARow), Col(ACol), Span(ASpan), Spread(ASpread) {}
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Col = 0;
  Integer Span = 1;
  bool Spread = false;
};

// A span set back to OldValue.
class TUVUndoSpan : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoSpan, TUVUndoModifyItemProps)
public:
  TUVUndoSpan(Integer ARow = 0, Integer ACol = 0, bool ARowSpanOfCell = false, Integer AOldValue = 1)
      : Row(ARow), Col(ACol), RowSpanOfCell(ARowSpanOfCell), OldValue(AOldValue) {}
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Col = 0;
  bool RowSpanOfCell = false;
  Integer OldValue = 1;
};

// A rectangle of the grid: position and size.
class TUVUndoCellRect : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoCellRect, TUVUndoModifyItemProps)
public:
  TUVUndoCellRect(Integer ARow = 0, Integer ACol = 0, Integer ARowCount = 1, Integer AColCount = 1)
      : Row(ARow), Col(ACol), RowCount(ARowCount), ColCount(AColCount) {}
  Integer Row = 0;
  Integer Col = 0;
  Integer RowCount = 1;
  Integer ColCount = 1;
};

// The cells of the rectangle freed (Free) or new ones put into its nil slots.
class TUVUndoFreeEmptyCell : public TUVUndoCellRect {
  CLASS_INFO(TUVUndoFreeEmptyCell, TUVUndoCellRect)
public:
  TUVUndoFreeEmptyCell(Integer ARow = 0, Integer ACol = 0, Integer ARowCount = 1, Integer AColCount = 1,
                       bool AFree = false)
      : TUVUndoCellRect(ARow, ACol, ARowCount, AColCount), Free(AFree) {}
  void Perform(TUVEditUVData* UVData) override;
  bool Free = false;
};

// ColCount nil slots at Col of RowCount rows inserted (Insert) or removed.
class TUVUndoInsertEmptyCell : public TUVUndoCellRect {
  CLASS_INFO(TUVUndoInsertEmptyCell, TUVUndoCellRect)
public:
  TUVUndoInsertEmptyCell(Integer ARow = 0, Integer ACol = 0, Integer ARowCount = 1, Integer AColCount = 1,
                         bool AInsert = false)
      : TUVUndoCellRect(ARow, ACol, ARowCount, AColCount), Insert(AInsert) {}
  void Perform(TUVEditUVData* UVData) override;
  bool Insert = false;
};

// The cell at (Row, Col) cut at SplitCol (Split), or its right part joined back with the
// cell's old BestWidth.
class TUVUndoCellSpitVert : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoCellSpitVert, TUVUndoModifyItemProps)
public:
  TUVUndoCellSpitVert(Integer ARow = 0, Integer ACol = 0, Integer ASplitCol = 0, TUVHTMLLength ABestWidth = 0,
                      bool ADecreaseWidth = false, bool ASplit = false)
      : Row(ARow), Col(ACol), SplitCol(ASplitCol), BestWidth(ABestWidth), DecreaseWidth(ADecreaseWidth), Split(ASplit) {}
  void Perform(TUVEditUVData* UVData) override;
  Integer Row = 0;
  Integer Col = 0;
  Integer SplitCol = 0;
  TUVHTMLLength BestWidth = 0;
  bool DecreaseWidth = false;
  bool Split = false;
};

// A record that keeps cells out of the grid; it frees those still with it.
class TCustomUVUndoWithCells : public TUVUndoModifyItemProps {
  CLASS_INFO(TCustomUVUndoWithCells, TUVUndoModifyItemProps)
public:
  ~TCustomUVUndoWithCells() override;
  // Moves a cell (none for an empty slot) into the record.
  void Keep(TUVTableCellData* Cell);

  std::vector<TUVTableCellData*> Cells;
};

// Columns removed (their cells kept row by row, right to left within a row) or put back
// (PutBack).
class TUVUndoDeleteCols : public TCustomUVUndoWithCells {
  CLASS_INFO(TUVUndoDeleteCols, TCustomUVUndoWithCells)
public:
  TUVUndoDeleteCols(Integer AFirstCol = 0, Integer ACount = 0, bool APutBack = false)
      : FirstCol(AFirstCol), Count(ACount), PutBack(APutBack) {}
  void Perform(TUVEditUVData* UVData) override;
  Integer FirstCol = 0;
  Integer Count = 0;
  bool PutBack = false;
};

// The cells at the listed positions cleared, or their kept contents put back (PutBack).
class TUVUndoCellsClear : public TCustomUVUndoWithCells {
  CLASS_INFO(TUVUndoCellsClear, TCustomUVUndoWithCells)
public:
  TUVUndoCellsClear() = default;
  TUVUndoCellsClear(const std::vector<Integer>& ARows, const std::vector<Integer>& ACols, bool APutBack)
      : Rows(ARows), Cols(ACols), PutBack(APutBack) {}
  void Perform(TUVEditUVData* UVData) override;
  std::vector<Integer> Rows;
  std::vector<Integer> Cols;
  bool PutBack = false;
};

// A cell absorbed by a merge: where it was, and how many items it gave the merged cell.
class TUVUndoMergeItem : public TObject {
  CLASS_INFO(TUVUndoMergeItem, TObject)
public:
  ~TUVUndoMergeItem() override;
  Integer Row = 0;
  Integer Col = 0;
  TUVTableCellData* Cell = nullptr;  // owned while here
  Integer ItemCount = 0;
};

// A merge taken back (Unmerge), or done again.
class TUVUndoMerge : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoMerge, TUVUndoModifyItemProps)
public:
  void Perform(TUVEditUVData* UVData) override;
  Integer TopRow = 0;
  Integer LeftCol = 0;
  Integer OldRowSpan = 1;
  Integer OldColSpan = 1;
  TUVHTMLLength OldBestWidth = 0;
  Integer NewRowSpan = 1;
  Integer NewColSpan = 1;
  TUVList MergedItems;  // of TUVUndoMergeItem, in the order the cells were absorbed
  bool Unmerge = false;
};

// The editing operation applied to several selected cells, kept as each cell's own actions:
// performing it performs them again cell by cell in a hidden editor document.
class TUVUndoMultiCellsModify : public TUVCompositeUndo {
  CLASS_INFO(TUVUndoMultiCellsModify, TUVCompositeUndo)
public:
  void GetAffectedRange(Integer& First, Integer& Last) const override {
    First = ItemNo;
    Last = ItemNo;
  }
  // Whether the table's paragraph section may have changed the document's minimal width.
  bool MayChangeMinWidthBefore(TUVEditUVData* UVData) override;
  bool MayChangeMinWidthAfter(TUVEditUVData* UVData) override;
  void Perform(TUVEditUVData* UVData) override;

  Integer ItemNo = -1;
  std::vector<Integer> Rows;
  std::vector<Integer> Cols;
  std::vector<Integer> ActionCounts;  // how many actions of the inner list each cell has
  bool Redo = false;                  // the actions are redo actions (the opposite of an undo)
  Integer OldMinWidth = -1;
};
