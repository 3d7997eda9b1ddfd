// Tables: one document item that holds a grid of cells, each cell a document of its own. The grid
// keeps for every position either the cell that starts there or nil where a merged cell from
// above or from the left covers it. The table merges cells and inserts and deletes columns and
// rows (recording, in an editor, the records that take each step back), lays out its columns and
// rows for a width, paints itself with its borders, rules and selected cells, selects cells and
// resizes columns and rows with the mouse, and answers what its document asks of an item; its
// cells answer what their items ask of a document through the document that holds the table.
#pragma once

#include <vector>

#include "classlib/Graphics.h"
#include "richtext/core/PtUVData.h"
#include "richtext/core/UVDataList.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVUndo.h"

class TUVTableItemInfo;
class TUVTableRows;
class TUVTableRow;
class TUVEditUVData;
class TUVTableInplaceEdit;
class TCustomUzurUvadEdit;
class TUVTableCellData;

// A length of HTML: positive pixels, negative percent of the available width, 0 automatic.
using TUVHTMLLength = Integer;

enum TUVCellVAlign : Byte { uvcTop, uvcMiddle, uvcBottom, uvcVDefault };
ENUM_NAMES(TUVCellVAlign, "uvcTop", "uvcMiddle", "uvcBottom", "uvcVDefault");

enum TUVTableBorderStyle : Byte { uvtbRaised, uvtbLowered, uvtbColor, uvtbRaisedColor, uvtbLoweredColor };
ENUM_NAMES(TUVTableBorderStyle, "uvtbRaised", "uvtbLowered", "uvtbColor", "uvtbRaisedColor", "uvtbLoweredColor");

enum TUVTableOption {
  uvtoEditing,    // cells are edited in place
  uvtoRowSizing,  // the mouse resizes rows and columns (in an editor)
  uvtoColSizing,
  uvtoRowSelect,  // a click on the left edge selects a row, on the top edge a column
  uvtoColSelect,
  uvtoRTFSaveCellPixelBestWidth,
  uvtoRTFAllowAutofit,
  uvtoHideGridLines,       // no dotted lines for borders of width 0 in an editor
  uvtoOverlappingCorners,  // border lines run the whole length of their box
  uvtoCellBelowBorders     // cell backgrounds reach under the cell borders
};
using TUVTableOptions = TSet<TUVTableOption>;
ENUM_NAMES(TUVTableOption, "uvtoEditing", "uvtoRowSizing", "uvtoColSizing", "uvtoRowSelect", "uvtoColSelect",
           "uvtoRTFSaveCellPixelBestWidth", "uvtoRTFAllowAutofit", "uvtoHideGridLines", "uvtoOverlappingCorners",
           "uvtoCellBelowBorders");
inline constexpr TUVTableOptions uvtoDefaultOptions = TUVTableOptions::FromBits(31);

enum TUVTablePrintOption { uvtoHalftoneBorders, uvtoRowsSplit, uvtoWhiteBackground };
using TUVTablePrintOptions = TSet<TUVTablePrintOption>;
ENUM_NAMES(TUVTablePrintOption, "uvtoHalftoneBorders", "uvtoRowsSplit", "uvtoWhiteBackground");
inline constexpr TUVTablePrintOptions uvtoDefaultPrintOptions = TUVTablePrintOptions::FromBits(3);

// State bits of a table.
enum : Word {
  uvtsInDocument = 0x001,     // inserted into a document; changes are recorded there (cleared while a property is set)
  uvtsInEditor = 0x002,       // the document's root is an editor's: zero-width borders show as grid lines
  uvtsRelayout = 0x004,       // the next formatting lays the table out even at the same width
  uvtsPaddingChanged = 0x008,  // the padding changed while a cell was edited in place
  uvtsColumnResize = 0x010,   // the border being dragged is a column border (else a row border)
  uvtsResizeShift = 0x020,    // Shift was held when the column border drag began
  uvtsNew = 0x040,            // made by a constructor and not inserted yet
  uvtsEditorRelayout = 0x080,  // the cell editor's document is being laid out again
  uvtsCellsSelected = 0x100,  // the cell selection covers more than its start cell
  uvtsWiderThanDrawing = 0x200,  // drawn into a canvas at the widest width allowed, narrower than asked
};

// The widest a table is laid out for drawing into a canvas (printing, images), in the canvas's
// device pixels.
constexpr Integer UVTableMaxDrawWidth = 10000;

// Takes an item out of a cell (or another sub-document) with its checkpoint, leaving the marker
// list when it is a list marker; Text receives its text. And moves Count items from First to the
// end of To.
TCustomUVItemInfo* UVTakeItem(TCustomUVFormattedData* From, Integer Index, AnsiString& Text);
void UVMoveItems(TCustomUVFormattedData* From, Integer First, Integer Count, TCustomUVData* To);

// Lets RTF imports build tables (the table files unit calls it when the program starts).
void UVRegisterTableRTFImport();

// The pen of the dotted lines that show zero-width borders in an editor; psClear draws none.
extern TPenStyle UVTableGridStyle;

// Cursors installed into the screen's cursor table from the program's resources.
enum : TCursor { crUVSelectRow = 104, crUVSelectCol = 105 };

// One cell: a document laid out inside its box in the table.
class TUVTableCellData : public TUVItemFormattedData {
  CLASS_INFO(TUVTableCellData, TUVItemFormattedData)
public:
  // A cell of Rows' table with one empty text item (style 0, paragraph 0).
  explicit TUVTableCellData(TUVTableRows* ARows);
  ~TUVTableCellData() override;

  TUVTableItemInfo* GetTable() const;
  TUVTableRows* GetRows() const { return FRows; }
  // The row that holds the cell; none while the cell sits in an undo record.
  TUVTableRow* GetRow() const { return FRow; }
  void SetRow(TUVTableRow* Row) { FRow = Row; }

  // The cell's own background (clNone: the table's shows).
  TColor GetCellColor() const { return FColor; }
  void SetCellColor(TColor Value);
  TUVBooleanRect* GetVisibleBorders() const { return FVisibleBorders; }
  // Takes the four flags over (the cell keeps its own record).
  void SetVisibleBorders(TUVBooleanRect* Value);
  // The alignment that applies: the cell's own, else its row's, else the middle.
  TUVCellVAlign GetVAlign();
  // The background the cell shows: its own colour, else the table's, else the paragraph style
  // of the table item, else the document's.
  TColor GetEffectiveColor();

  // Copies Color, BorderColor, BorderLightColor, VisibleBorders and VAlign; with CopySizes also
  // BestWidth div ColDivisor and BestHeight div RowDivisor.
  void AssignAttributesFrom(TUVTableCellData* Source, bool CopySizes, Integer RowDivisor, Integer ColDivisor);
  // False without items and for one text item with no text (Strict: only one of text and
  // paragraph style 0); true otherwise.
  bool HasData(bool Strict);
  // The cell may be emptied: none of its text is protected against deletion.
  bool CanClear();
  // The cell leaves the grid for an undo record (its items are told), and comes back.
  void MovingToUndoList(TObject* Record);
  void MovingFromUndoList();

  // --- Layout measures
  // The narrowest width of the content (device pixels with Sad).
  Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas);
  // The content's height, at least BestHeight.
  Integer GetCellHeight();
  // The height of the text, in the cell editor's document while the cell is edited in place.
  Integer ContentHeight();
  // How far the content lies below the content box's top for the alignment.
  Integer GetVAlignOffset();

  // --- What the cell answers as a document
  // The document of the undo record that holds the cell, else the table's.
  TCustomUVData* GetParentData() override;
  TCustomUVData* GetAbsoluteParentData() override { return GetParentData(); }
  // The options of the documents above, without uvoClientTextWidth.
  TUVOptions GetOptions() override;
  void ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) override;
  // The content box's corner in the table's document.
  void GetOrigin(Integer& X, Integer& Y) override;
  // The content box: the cell's box less the padding on each side.
  Integer GetWidth() override;
  Integer GetHeight() override;
  // The table paints cell backgrounds.
  TColor GetColor() override { return clNone; }
  TUVBackground* GetBackground() override { return nullptr; }
  bool SupportsPageBreaks() override { return false; }
  // The document's marker list is not the cell's to destroy.
  void DestroyMarkers() override {}
  // The cell's own chosen document.
  TCustomUVFormattedData* GetChosenData() override { return ChosenUVData; }
  TCustomUVItemInfo* GetChosenItem() override { return ChosenItem; }
  // The document is told what changed.
  void Deselect(TCustomUVItemInfo* NewPartiallySelected, bool MakeEvent) override;
  bool CanMoveChildren() override;
  // The table and its index in its document.
  void GetParentInfo(Integer& ParentItemNo, TCustomUVItemInfo*& Location) override;
  // The binary property "Data": the cell's document as UVF, stored when it has data.
  void DefineProperties(TFiler* Filer) override;

  TUVCellVAlign VAlign = uvcVDefault;
  TUVHTMLLength BestWidth = 0;
  Integer BestHeight = 0;  // 0: automatic
  Integer RowSpan = 1;
  Integer ColSpan = 1;
  // The border box inside the table, from layout.
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  // The undo record that keeps the cell while it is out of the grid.
  TObject* UndoHolder = nullptr;
  // clNone: the table's CellBorderColor and CellBorderLightColor apply.
  TColor BorderColor = clNone;
  TColor BorderLightColor = clNone;

private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  TColor FColor = clNone;
  TUVBooleanRect* FVisibleBorders;
  TUVTableRows* FRows;
  TUVTableRow* FRow = nullptr;
};

// One row of the grid: a slot per column, each a cell or nil.
class TUVTableRow : public TUVDataList {
  CLASS_INFO(TUVTableRow, TUVDataList)
public:
  TUVTableRow(TUVTableRows* ARows, Integer Capacity);
  TUVTableCellData* GetCell(Integer Col) const;
  // A slot's cell replaced (not freed), and a new slot before Col.
  void SetCell(Integer Col, TUVTableCellData* Cell);
  void InsertCell(Integer Col, TUVTableCellData* Cell);
  TObject* GetParentObject() override;

  TUVTableRows* Rows;
  TUVCellVAlign VAlign = uvcTop;
};

class TCustomUVUndoWithCells;
class TUVUndoMerge;

// The grid. Every step that changes it records, through the table, the step that takes it back.
class TUVTableRows : public TUVList {
  CLASS_INFO(TUVTableRows, TUVList)
public:
  explicit TUVTableRows(TUVTableItemInfo* ATable) : Table(ATable) {}
  ~TUVTableRows() override;

  TUVTableRow* GetRow(Integer Index) const { return static_cast<TUVTableRow*>(Get(Index)); }
  Integer GetRowCount() const { return GetCount(); }
  // The slots of row 0 (0 without rows).
  Integer GetColCount() const { return GetCount() > 0 ? GetRow(0)->GetCount() : 0; }
  bool IsEmpty() const { return GetColCount() == 0; }
  TUVTableCellData* GetCell(Integer Row, Integer Col) const { return GetRow(Row)->GetCell(Col); }
  // The cell that covers a position, and where it starts.
  TUVTableCellData* GetMainCell(Integer Row, Integer Col, Integer& MainRow, Integer& MainCol) const;
  // Rows x Cols new cells in place of everything.
  void Reset(Integer Rows, Integer Cols);

  // --- Structural operations
  // Merges the rectangle into its top-left cell (refused with a beep when it does not cover
  // whole cells, or when, without AllowMergeRC, a row or column would keep no cell of its own).
  // Raises EUzurUvadError "Parameters for cell merging are not correct".
  void MergeCells(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan, bool AllowMergeRC,
                  bool AdjustWidth);
  bool CanMerge(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan, bool AllowMergeRC) const;
  // The best width the merged cell takes: a percentage wins over pixels, the largest row total
  // among like kinds.
  TUVHTMLLength GetMergedBestWidth(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan) const;
  // Count columns (rows) before Index, their cells' attributes copied from column (row)
  // CopyIndex (-1: none). Raise EUzurUvadError "Invalid row or column index".
  void InsertCols(Integer Index, Integer Count, bool AdjustWidth, Integer CopyIndex);
  void InsertRows(Integer Index, Integer Count, bool AdjustHeight, Integer CopyIndex);
  // Raises EUzurUvadError "Invalid row or column index".
  void DeleteCols(Integer Index, Integer Count, bool DecreaseWidth);

  // --- Steps, each recording the step that takes it back
  // Count new rows of new cells at Index, and those rows (with their cells) removed again.
  void InsertNewRows(Integer Index, Integer Count);
  void RemoveRows(Integer Index, Integer Count);
  // A new cell in a new slot of a row, and the slot removed with its cell.
  void InsertCell(Integer Row, Integer Col);
  void RemoveCell(Integer Row, Integer Col);
  // The cell at (Row, Col) spreads over Span columns, freeing the cells it covers; and back:
  // ColSpan 1 and new cells in the slots it covered.
  void SpreadOverEmptyCells(Integer Row, Integer Col, Integer Span);
  void UnspreadCell(Integer Row, Integer Col, Integer Span);
  // The cells of a rectangle freed (nil slots), and new cells put into its nil slots.
  void FreeEmptyCells(Integer Row, Integer Col, Integer RowCount, Integer ColCount);
  void PutEmptyCells(Integer Row, Integer Col, Integer RowCount, Integer ColCount);
  // Count nil slots at Col in RowCount rows from Row, and those slots removed.
  void InsertNilSlots(Integer Row, Integer Col, Integer RowCount, Integer Count);
  void RemoveNilSlots(Integer Row, Integer Col, Integer RowCount, Integer Count);
  // A row or column span set.
  void SetSpan(Integer Row, Integer Col, bool RowSpanOfCell, Integer Value);
  // The cell at (Row, Col) cut at column SplitCol: a new cell with its attributes takes the
  // columns from SplitCol; and back: the right cell freed, its columns and BestWidth given back.
  void SplitCellVert(Integer Row, Integer Col, Integer SplitCol, bool DecreaseWidth);
  void UnsplitCellVert(Integer Row, Integer Col, Integer SplitCol, TUVHTMLLength BestWidth, bool DecreaseWidth);
  // The columns removed, their cells kept by the undo record (freed without one); and put back
  // from a record.
  void RemoveCols(Integer Index, Integer Count);
  void PutBackCols(TCustomUVUndoWithCells* Record);
  // The cells at the positions replaced by empty cells of the same attributes and spans (their
  // contents kept by the undo record); and the kept cells put back.
  void ClearCells(const std::vector<Integer>& Rows, const std::vector<Integer>& Cols);
  void PutBackClearedCells(TCustomUVUndoWithCells* Record);
  // A merge taken back.
  void Unmerge(TUVUndoMerge* Record);

  // The document that holds the table (none while it is not in one).
  TCustomUVData* MainUVData = nullptr;
  TUVTableItemInfo* Table;

private:
  // A new cell that knows its row.
  TUVTableCellData* NewCell(TUVTableRow* Row);
  // The cells of a rectangle freed (nil slots), and new cells in its nil slots.
  void FreeSlots(Integer Row, Integer Col, Integer RowCount, Integer ColCount);
  void FillSlots(Integer Row, Integer Col, Integer RowCount, Integer ColCount);
};

// The result of a layout: column widths and starts, row heights and starts, the whole size, and
// while printing the cells' printable copies.
class TUVTableItemFormattingInfo : public TObject {
  CLASS_INFO(TUVTableItemFormattingInfo, TObject)
public:
  ~TUVTableItemFormattingInfo() override;
  void Clear();

  std::vector<Integer> ColWidths;  // content widths
  std::vector<Integer> RowHeights;
  std::vector<Integer> ColStarts;  // x of each column's border box from the table's left
  std::vector<Integer> RowStarts;
  Integer Width = 0;  // 0: not laid out
  Integer Height = 0;
  // One copy per position, row by row, nil where covered; only while printing (owned).
  TUVList* PrintCells = nullptr;
};

// The printable copy of a cell: the cell's document drawn inside the cell's box on the page.
class TCellPtblUVData : public TRectPtblUVData {
  CLASS_INFO(TCellPtblUVData, TRectPtblUVData)
public:
  using TRectPtblUVData::TRectPtblUVData;
};

// A run of rows printed on one page.
class TUVTablePrintPart : public TUVMultiDrawItemPart {
  CLASS_INFO(TUVTablePrintPart, TUVMultiDrawItemPart)
public:
  Integer FirstRow = 0;
  Integer RowCount = 0;
};

// A table laid out for a printer and cut between rows into pages; with heading rows that no
// merged cell joins to the body, every page starts with them.
class TUVTablePrintInfo : public TUVMultiDrawItemInfo {
  CLASS_INFO(TUVTablePrintInfo, TUVMultiDrawItemInfo)
public:
  TUVTablePrintInfo(TUVTableItemInfo* ATable, TCustomMainPtblUVData* Printable, const TUVScreenAndDevice& ASad);
  TUVTablePrintPart* GetTablePart(Integer Index) const { return static_cast<TUVTablePrintPart*>(GetPart(Index)); }
  bool StartPages() override;
  bool CanSplitFirst(Integer Y) override;
  bool SplitAt(Integer Y) override;

  TUVTableItemFormattingInfo FI;
  TUVScreenAndDevice Sad;
  TUVTableItemInfo* Table;
  bool RepeatHeadings = false;

private:
  // The first row below the repeated headings, and the height of all but the body rows: the
  // frame and the heading rows.
  Integer FirstBodyRow() const;
  Integer Overhead() const;
  Integer RowBottom(Integer Row) const;
};

// A cell's place, kept while the document changes.
class TUVTableStoreSubUVData : public TUVStoreSubUVData {
  CLASS_INFO(TUVTableStoreSubUVData, TUVStoreSubUVData)
public:
  TUVTableStoreSubUVData(Integer ARow = -1, Integer ACol = -1) : Row(ARow), Col(ACol) {}
  TUVStoreSubUVData* Duplicate() override { return new TUVTableStoreSubUVData(Row, Col); }
  Integer Row;
  Integer Col;
};

// The table asks before a cell is edited in place (Automatic: for an operation on selected
// cells, not for the user).
using TUVCellEditingEvent =
    Closure<void(TUVTableItemInfo* Sender, Integer Row, Integer Col, bool Automatic, bool& AllowEdit)>;
// Draws a border box in place of the table (VisibleBorders none for the table's own border).
using TUVTableDrawBorderEvent =
    Closure<void(TUVTableItemInfo* Sender, TCanvas* Canvas, Integer Left, Integer Top, Integer Right, Integer Bottom,
                 Integer Width, TColor LightColor, TColor Color, TColor BackgroundColor, TUVTableBorderStyle Style,
                 bool Printing, TUVBooleanRect* VisibleBorders, bool& DoDefault)>;

// Raised when the cell editor must close while the mouse button is held in it.
class EUVTableInplaceError : public EUzurUvadError {
  CLASS_INFO(EUVTableInplaceError, EUzurUvadError)
public:
  using EUzurUvadError::EUzurUvadError;
};

class TUVTableItemInfo : public TUVFullLineItemInfo {
  UVITEM_CLASS(TUVTableItemInfo, TUVFullLineItemInfo)
public:
  // One row of one cell.
  explicit TUVTableItemInfo(TCustomUVData* UVData);
  // Rows rows of Cols new cells.
  TUVTableItemInfo(Integer RowCount, Integer ColCount, TCustomUVData* UVData);
  ~TUVTableItemInfo() override;

  // --- The grid
  TUVTableRows* Rows;
  // The cell stored at the position; nil where a merged cell covers it.
  TUVTableCellData* GetCells(Integer Row, Integer Col) const { return Rows->GetCell(Row, Col); }
  Integer GetRowCount() const { return Rows->GetRowCount(); }
  Integer GetColCount() const { return Rows->GetColCount(); }
  // Each runs as one undoable change: the cell editor is closed first, the table marked
  // changed after.
  void MergeCells(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan, bool AllowMergeRC);
  void InsertCols(Integer Index, Integer Count, Integer CopyIndex, bool Select);
  void InsertRows(Integer Index, Integer Count, Integer CopyIndex, bool Select);
  void DeleteCols(Integer Index, Integer Count, bool DecreaseWidth);
  // Finds the position of a cell object; false (and -1, -1) when it is not in the grid.
  bool FindCellPosition(TUVTableCellData* Cell, Integer& Row, Integer& Col) const;

  // --- Changes and undo
  // In a document whose root is an editor's data that records undo.
  bool CanRecordUndo();
  // Recording now: in a document that records undo, and not suspended.
  bool IsUndoable() { return (State & uvtsInDocument) && CanRecordUndo(); }
  // The editor's data that holds the table, or none.
  TUVEditUVData* GetEditData();
  // The table's index in its document; -1 when undo is not possible.
  Integer OwnItemIndex();
  // Appends a record of the table's own (kind 15, naming the table by its index) to the action
  // being recorded; frees it when nothing is recorded. True when it was kept.
  bool RecordUndo(TUVUndoModifyItemProps* Record);
  // The same for a record that only needs appending.
  bool RecordUndo(TUVUndoInfo* Record);
  // Opens (and closes) the undo action of a change of the table; changes in between join it.
  void BeginTableModify(bool Prepare = true);
  void EndTableModify();
  // In an editor that lets the change happen.
  bool CanChangeFromInside();
  void MarkChanged() { State |= uvtsRelayout; }
  // Undoable when the table is in a document that records undo, else stored directly.
  void SetIntProperty(const AnsiString& Name, Integer Value, bool AffectsWidth, bool NeedsLayout);
  void SetCellIntProperty(const AnsiString& Name, Integer Value, Integer Row, Integer Col, bool AffectsWidth,
                          bool NeedsLayout);
  void SetCellBestWidth(Integer Row, Integer Col, TUVHTMLLength Value) {
    SetCellIntProperty("BestWidth", Value, Row, Col, true, true);
  }
  void SetCellBestHeight(Integer Row, Integer Col, Integer Value) {
    SetCellIntProperty("BestHeight", Value, Row, Col, false, true);
  }
  // Copies a cell's attributes into the cell at (Row, Col) as one record.
  void AssignCellAttributes(Integer Row, Integer Col, TUVTableCellData* Source, bool CopySizes, Integer RowDivisor,
                            Integer ColDivisor);
  // Changes stop being recorded, and start again (the table is then marked changed).
  void BeforeUndoChangeProperty() override;
  void AfterUndoChangeProperty() override;
  // The steps of cell property changes (recorded when the table is undoable, opening no action).
  void ChangeCellProperty(Integer Row, Integer Col, const AnsiString& Name, Integer Value, bool AffectSize,
                          bool AffectWidth);
  void ChangeCellProperties(Integer Row, Integer Col, TStrings* Values, const TUVBooleanRect* Borders,
                            bool AffectSize, bool AffectWidth);
  // The cell edited in place, or -1, -1.
  void GetEditedCell(Integer& Row, Integer& Col);
  // An editing operation applied to every selected cell as one undoable change: 0 converts text
  // styles (Value: the conversion's UserData), 1 applies paragraph style Value, 2 converts
  // paragraph styles.
  void ApplyToSelectedCells(Integer Operation, Integer Value);
  // The editor's style operations reach the selected cells through these.
  void ApplyStyleConversionToSubDocuments(Integer UserData, bool SelectedOnly) override;
  void ApplyParaStyleToSubDocuments(Integer ParaNo) override;
  void ApplyParaStyleConversionToSubDocuments(Integer UserData) override;
  // While locked, the mouse does nothing.
  void LockChanges() { ++FLockCount; }
  void UnlockChanges() { --FLockCount; }

  // --- Layout
  void CalculateTableLayout(Integer AvailWidth, TUVTableItemFormattingInfo* FI, bool Force);
  // A length of the table scaled to the device in force (unchanged without one).
  Integer ScaleX(Integer Value) const;
  Integer ScaleY(Integer Value) const;
  // The width that is not content or padding: spacing, borders.
  Integer GetHorzExtra() const;
  // Every column ends a cell of a pixel width, no cell has a percentage, every column has a
  // cell of its own: the table is as wide as its columns.
  bool AllColsFixed() const;
  // The device ratio in force while the table is laid out or drawn for a printer.
  void SetDeviceRatio(const TUVScreenAndDevice* Sad) { FDeviceRatio = Sad; }
  TUVTableItemFormattingInfo* FormattingInfo;

  // --- Drawing
  // Paints the table with its corner at (X, Y) of Canvas: the rows from FirstRow, RowCount of
  // them (-1: to the end), with FI's layout; heading rows first when asked (printing).
  void PaintTo(Integer X, Integer Y, TCanvas* Canvas, const TRect& ClipRect, TUVTextDrawStates State,
               TUVTableItemFormattingInfo* FI, bool Printing, Integer FirstRow, Integer RowCount,
               bool RepeatHeadings);
  // One border box; Row and Col are -1 for the table's own border.
  void PaintBorder(TCanvas* Canvas, Integer Left, Integer Top, Integer Right, Integer Bottom, Integer Width,
                   TColor LightColor, TColor Color, TColor BackgroundColor, TUVTableBorderStyle Style, bool Printing,
                   TUVBooleanRect* VisibleBorders, bool DrawGrid, Integer Row, Integer Col, const TRect& ClipRect);
  // Where the table was last painted (canvas of the document's paint), and where it lies in
  // its control's client area.
  Integer PaintX = 0;
  Integer PaintY = 0;
  Integer ClientX = 0;
  Integer ClientY = 0;

  // --- Cell selection and the mouse
  void Select(Integer StartRow, Integer StartCol, Integer RowOffs, Integer ColOffs);
  void SelectRows(Integer StartRow, Integer Count);
  void SelectCols(Integer StartCol, Integer Count);
  void Deselect();
  // The selected rectangle, whole merged cells included; with IncludeEditedCell the cell
  // edited in place when nothing else is selected. False when there is none.
  bool GetNormalizedSelectionBounds(bool IncludeEditedCell, Integer& TopRow, Integer& LeftCol, Integer& RowCount,
                                    Integer& ColCount);
  bool IsCellSelected(Integer Row, Integer Col);
  // The cell under a point relative to the table's corner.
  bool GetCellAt(Integer X, Integer Y, Integer& Row, Integer& Col);
  // The column border (0 the left edge, ColCount the right edge) under X; Limit receives the
  // start of the column left of it and Pos the border's drawing position. -1 when none.
  Integer FindColumnBorder(Integer X, Integer& Limit, Integer& Pos);
  Integer FindRowBorder(Integer Y, Integer& Limit, Integer& Pos);
  Integer SelStartRow = -1;
  Integer SelStartCol = -1;
  Integer SelRowOffs = 0;
  Integer SelColOffs = 0;

  // --- The document and the chosen cell
  // The table's index in its document (-1 when it is in none).
  Integer GetItemIndex();
  // The corner of the table's draw line in its document; false before it is formatted.
  bool GetDocumentPosition(Integer& X, Integer& Y);
  // The cell becomes the document's chosen sub-document (the one selection and copying go to),
  // and stops being it.
  void ChooseCell(TUVTableCellData* Cell);
  void ReleaseChosenCell(TUVTableCellData* Cell);
  void CleanUpChosen() override;
  // Forgets the chosen cell: its editor closes and its selection goes; the document is not told.
  void LeaveChosenCell();
  // Gives the chosen cell back to the document, which then lets the table forget it.
  void DeselectChosenCell();
  // Whether the document's selection covers the whole table item.
  bool IsInParentSelection();
  Integer ChosenRow = -1;
  Integer ChosenCol = -1;

  // --- Moving, searching and clearing through the cells
  // The cell next to the one at (Row, Col): 0 left, 1 up, 2 right, 3 down (past the cell's
  // span), 6 the next and 7 the previous cell in reading order. False at the table's edge.
  bool GetCellNeighbour(Integer Row, Integer Col, Integer Direction, Integer& NewRow, Integer& NewCol) const;
  // The cell searched or holding the focus, or -1, -1.
  Integer FocusedRow = -1;
  Integer FocusedCol = -1;
  // The cells' hyperlinks are numbered on from the document's, cell after cell in reading order,
  // so that each hyperlink of the document has its own number.
  void BuildJumps(Integer Left, Integer Top, Integer& JumpCount, TUVList* Jumps) override;
  // Makes the cell at (Row, Col) the one holding the document's focus.
  void SetFocusedCell(Integer Row, Integer Col);
  // Tab leaves a control placed in a cell: the cell holding it (through any nested table)
  // becomes the focused cell and its item the cell's focused item; the cell and the item are
  // returned when the item is the control's own.
  bool LocateControl(TControl* Control, TCustomUVFormattedData*& FocusedData, Integer& FocusedItemNo) override;
  TCustomUVFormattedData* GetSubDocument(TUVStoreSubUVData*& StoreState, TUVSubDocumentPosition Position) override;
  // The cell at a stored position becomes the chosen one (a search found text in it).
  TCustomUVFormattedData* ChooseSubDocument(TUVStoreSubUVData* StoreState) override;
  TCustomUVFormattedData* GetSubDocumentAtPos(Integer X, Integer Y) override;
  // Searches on from the searched cell's selection, then cell by cell in reading order; the
  // cell holding the text is chosen. False past the last cell.
  bool SearchText(bool Down, bool MatchCase, bool WholeWord, const AnsiString& Text) override;
  void StopSearch() override;
  // The selected cells emptied, keeping their attributes and spans, as one undoable change.
  bool CanClearSelectedCells();
  void ClearSelectedCells();
  bool CanDeletePartiallySelected() override { return CanClearSelectedCells(); }
  void DeletePartiallySelected() override { ClearSelectedCells(); }
  // The cells' plain text: TextColSeparator between the cells of a row, TextRowSeparator after
  // every row.
  AnsiString AsText(Integer LineWidth, TCustomUVData* UVData, const AnsiString& Text, const AnsiString& Path,
                    bool TextOnly, bool Unicode) override;
  // HeadingRowCount (at most the row count) is above 0 and no cell of its last row reaches below it.
  bool HeadingRowsValid() const;
  // The last (first) row of the rows that merged cells join to Row: a range of rows ending
  // (starting) there cuts no merged cell.
  Integer ExtendRowRangeDown(Integer Row) const;
  Integer ExtendRowRangeUp(Integer Row) const;

  // --- The cell editor
  // Opens the cell editor (in an editor's document, with uvtoEditing) on the cell covering
  // (Row, Col), or moves the open one there, with the caret at the start or the end of its text;
  // ByClick remembers the click's time. True when the editor edits that cell.
  bool EnterCell(Integer Row, Integer Col, bool AtEnd = false, bool ByClick = false);
  // The caret steps onto the table from outside: 0 from the left, 1 from the right, 2 from
  // above, 3 from below (Coord: its x from the table's left).
  bool EnterItem(Integer From, Integer Coord) override;
  // The editor lets go of its cell: the items go back, what it did becomes one undoable change
  // of the table, and the table is laid out again. The control itself is handed back (Detach)
  // or destroyed (Close).
  TUVTableInplaceEdit* DetachInplaceEditor();
  void CloseInplaceEditor(bool KeepCaret);
  // The editor destroyed with the cell's items, when the table itself goes.
  void DropInplaceEditor();
  // The editor closed for a while (a border is dragged), keeping its cell and selection, and
  // opened again. Raises EUVTableInplaceError while the mouse button is down in the editor.
  void SuspendInplaceEditor();
  void ResumeInplaceEditor();
  // The editor's move out of its cell (the direction codes of GetCellNeighbour, 4 and 5 the
  // start and the end of the document).
  void MoveFromCell(Integer Direction);
  TUVTableInplaceEdit* GetInplaceEditor() const { return FInplaceEditor; }
  // The document editing of a cell goes to: the cell editor's while it edits the cell.
  TCustomUVFormattedData* GetEditingData(TUVTableCellData* Cell);

  // --- Printing
  TUVDrawLineInfo* CreateDrawRecord(bool Printing, TCustomUVData* UVData, const TUVScreenAndDevice* Sad) override;
  // Part Part of a print record (the whole table when negative) with its corner at (X, Y).
  void Print(TCanvas* Canvas, Integer X, Integer Y, Integer X2, bool Preview, bool Correction,
             const TUVScreenAndDevice& Sad, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem, Integer Part) override;

  // --- The item's answers to its document
  TCustomUVData* GetParentData() override { return Rows->MainUVData; }
  Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData) override;
  // Codes 4, 5 and 6 hold.
  bool QueryFlag(Integer Code) override;
  // A table is never printed through a bitmap.
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  void PaintFullWidth(Integer Left, Integer Right, Integer Top, TCanvas* Canvas, TUVTextDrawStates State,
                      TUVStyle* Style, const TRect& ClipRect, TCustomUVFormattedData* UVData) override;
  void Inserting(TCustomUVData* UVData, AnsiString& Text, bool Safe) override;
  void Inserted(TCustomUVData* UVData, Integer ItemNo) override;
  bool OnDocWidthChange(Integer DocWidth, TUVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                        TCustomUVData* UVData, const TUVScreenAndDevice* Sad, Integer& HShift,
                        bool NoCaching) override;
  Integer GetBorderWidth() override { return FormattingInfo->Width; }
  Integer GetBorderHeight() override { return FormattingInfo->Height; }
  void SetPosition(Integer X, Integer Y, TCustomUVFormattedData* UVData) override;
  void MovingToUndoList(Integer ItemNo, TCustomUVData* UVData, TObject* Container) override;
  void MovingFromUndoList(Integer ItemNo, TCustomUVData* UVData) override;
  bool HasPartialSelection() override { return (State & uvtsCellsSelected) != 0; }
  void DeselectPartial() override {
    if (!FKeepSelection) Deselect();
  }
  void MarkUsedParaStyle(TUVStyleUsage& Used) override;
  void RenumberParaStyle(TUVStyleUsage& Used) override;
  bool MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ItemNo,
                 TCustomUVFormattedData* UVData) override;
  bool MouseMove(TShiftState Shift, Integer X, Integer Y, Integer ItemNo, TCustomUVFormattedData* UVData) override;
  bool MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ItemNo,
               TCustomUVFormattedData* UVData) override;

  // --- Files (UVTableFiles.cpp)
  // The table's record in the native format: its properties and, cell by cell, each cell's
  // spans, attributes and document; binary when the document saves binary.
  bool ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo, Integer LineCount,
                   AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState& ReadState) override;
  void SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               bool ForceSameAsPrev) override;
  // The record of RowCount rows from FirstRow only (a vertically merged cell cut by the range
  // is written as far as it reaches into it).
  void SaveRowsUVF(TStream* Stream, TCustomUVData* UVData, const AnsiString& Name, bool ForceSameAsPrev,
                   Integer FirstRow, Integer RowCount);
  // A cell selection is written as the table of its rows.
  bool SaveUVFSelection(TStream* Stream, TCustomUVData* UVData, Integer ItemNo) override;
  void SaveRTF(TStream* Stream, const AnsiString& Path, TCustomUVData* UVData, Integer ItemNo,
               const AnsiString& Name, TUVRTFSaveContext& Context) override;
  void FillRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts, TCustomUVData* UVData) override;
  void SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Text,
                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo,
                TColor CurrentParaColor, Integer SaveOptions, bool UseCSS, TUVHTMLImageCache* Images) override;

  // --- Published properties
  TUVTableOptions GetOptions() const { return FOptions; }
  void SetOptions(TUVTableOptions Value);
  TUVTablePrintOptions GetPrintOptions() const { return FPrintOptions; }
  void SetPrintOptions(TUVTablePrintOptions Value);
  TUVHTMLLength GetBestWidth() const { return FBestWidth; }
  void SetBestWidth(TUVHTMLLength Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Integer GetHeadingRowCount() const { return FHeadingRowCount; }
  void SetHeadingRowCount(Integer Value);
  Integer GetTableBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor GetBorderLightColor() const { return FBorderLightColor; }
  void SetBorderLightColor(TColor Value);
  TUVTableBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TUVTableBorderStyle Value);
  Integer GetBorderVSpacing() const { return FBorderVSpacing; }
  void SetBorderVSpacing(Integer Value);
  Integer GetBorderHSpacing() const { return FBorderHSpacing; }
  void SetBorderHSpacing(Integer Value);
  Integer GetCellBorderWidth() const { return FCellBorderWidth; }
  void SetCellBorderWidth(Integer Value);
  TColor GetCellBorderColor() const { return FCellBorderColor; }
  void SetCellBorderColor(TColor Value);
  TColor GetCellBorderLightColor() const { return FCellBorderLightColor; }
  void SetCellBorderLightColor(TColor Value);
  Integer GetCellPadding() const { return FCellPadding; }
  void SetCellPadding(Integer Value);
  TUVTableBorderStyle GetCellBorderStyle() const { return FCellBorderStyle; }
  void SetCellBorderStyle(TUVTableBorderStyle Value);
  Integer GetVRuleWidth() const { return FVRuleWidth; }
  void SetVRuleWidth(Integer Value);
  TColor GetVRuleColor() const { return FVRuleColor; }
  void SetVRuleColor(TColor Value);
  Integer GetHRuleWidth() const { return FHRuleWidth; }
  void SetHRuleWidth(Integer Value);
  TColor GetHRuleColor() const { return FHRuleColor; }
  void SetHRuleColor(TColor Value);
  Integer GetCellVSpacing() const { return FCellVSpacing; }
  void SetCellVSpacing(Integer Value);
  Integer GetCellHSpacing() const { return FCellHSpacing; }
  void SetCellHSpacing(Integer Value);
  bool GetVOutermostRule() const { return FVOutermostRule; }
  void SetVOutermostRule(bool Value);
  bool GetHOutermostRule() const { return FHOutermostRule; }
  void SetHOutermostRule(bool Value);

  AnsiString TextRowSeparator = "\r\n";
  AnsiString TextColSeparator = "\r\n";
  TUVCellEditingEvent OnCellEditing;
  TUVTableDrawBorderEvent OnDrawBorder;
  Word State = 0;

private:
  friend class TUVTableRows;
  // The common part of the constructors.
  void Init(Integer RowCount, Integer ColCount);
  // After a change made in an editor: the editor is told (it drops what it could redo).
  void FinishChange();
  // A structural change as one undoable change of the table.
  template <class Change>
  void ModifyStructure(Change&& Step);
  // Gives every cell the selected mark it has now.
  void RefreshCellMarks();
  // The document that holds the table, as a formatted document.
  TCustomUVFormattedData* GetFormattedParent() const;
  // Asks the owner whether a cell may be edited.
  bool AllowCellEditing(Integer Row, Integer Col, bool Automatic);
  // Layout steps.
  // The minimal width of a column (its cells of one column) and of a cell, with the layout's
  // device ratio and canvas.
  Integer ColumnMinWidth(Integer Col);
  Integer CellMinWidth(TUVTableCellData* Cell);
  // Widens the columns under the cell at (Row, Col) so that it gets Required: in minimum mode
  // every column, else the columns of a kind up to a level (up to MaxLevel), taking from Extra.
  void WidenSpannedColumns(Integer Row, Integer Col, Integer Required, bool MinimumMode, Integer MaxLevel,
                           std::vector<Integer>& Widths, std::vector<Byte>& Kinds, bool Fixed, Integer& Extra,
                           Integer& MinSum);
  // The border-box width (height) of a cell over Span columns from Col (rows from Row).
  Integer SpanWidth(TUVTableItemFormattingInfo* FI, Integer Col, Integer Span) const;
  Integer SpanHeight(TUVTableItemFormattingInfo* FI, Integer Row, Integer Span) const;
  void PlaceColumns(TUVTableItemFormattingInfo* FI);
  void PlaceRows(TUVTableItemFormattingInfo* FI);
  void CalculateRowHeights(TUVTableItemFormattingInfo* FI);
  // Painting steps.
  void PaintCell(TCanvas* Canvas, Integer X, Integer Y, Integer Row, Integer Col, TUVTableCellData* Cell,
                 TUVTableItemFormattingInfo* FI, bool Printing, const TRect& ClipRect, TUVTextDrawStates State,
                 TColor SelColor, bool DrawGrid);
  void DrawResizeLine(TObject* Sender, Integer X, Integer Y);
  // Mouse steps.
  void StartResize(bool Column, Integer Index, Integer Offset, Integer Limit, TShiftState Shift,
                   TCustomUVFormattedData* UVData);
  void FinishResize(Integer X, Integer Y, TCustomUVFormattedData* UVData);
  // Where border Index (1 .. count) is drawn, and the start of the column or row before it; -1
  // when there is no such border.
  Integer FindColumnBorderPos(Integer Index, Integer& Limit, Integer& Pos);
  Integer FindRowBorderPos(Integer Index, Integer& Limit, Integer& Pos);
  // The border dragged to Position becomes the cells' best widths (heights).
  void ResizeColumn(Integer Border, Integer Position);
  void ResizeRow(Integer Border, Integer Position);
  bool InsideContent(TUVTableCellData* Cell, Integer X, Integer Y) const;

  TUVTableOptions FOptions = uvtoDefaultOptions;
  TUVTablePrintOptions FPrintOptions = uvtoDefaultPrintOptions;
  TUVHTMLLength FBestWidth = 0;
  TColor FColor = clWindow;
  Integer FHeadingRowCount = 0;
  Integer FBorderWidth = 0;
  TColor FBorderColor = clWindowText;
  TColor FBorderLightColor = clBtnHighlight;
  TUVTableBorderStyle FBorderStyle = uvtbRaised;
  Integer FBorderVSpacing = 2;
  Integer FBorderHSpacing = 2;
  Integer FCellBorderWidth = 0;
  TColor FCellBorderColor = clWindowText;
  TColor FCellBorderLightColor = clBtnHighlight;
  Integer FCellPadding = 1;
  TUVTableBorderStyle FCellBorderStyle = uvtbLowered;
  Integer FVRuleWidth = 0;
  TColor FVRuleColor = clWindowText;
  Integer FHRuleWidth = 0;
  TColor FHRuleColor = clWindowText;
  Integer FCellVSpacing = 2;
  Integer FCellHSpacing = 2;
  bool FVOutermostRule = false;
  bool FHOutermostRule = false;

  // Places the cell editor over its cell.
  void PlaceInplaceEditor();
  // A drag that started in the cell editor, at a point of the table: over another cell the
  // cells from the edited one to it are selected and the editor looks selected with them; back
  // over the edited cell, only its text is.
  void DragFromInplaceEditor(TShiftState Shift, Integer X, Integer Y, TCustomUVFormattedData* UVData);
  // The cell editor changed its text: the table is laid out again when the text's size changed.
  void InplaceChanged(TObject* Sender);
  // The control showing the table when it is an editor.
  TCustomUzurUvadEdit* GetHostEditor() const;
  TUVTableInplaceEdit* FInplaceEditor = nullptr;
  // The minimal width of the table's paragraphs and the editor's text size when last laid out.
  Integer FSectionMinWidth = 0;
  Integer FEditorMinWidth = 0;
  Integer FEditorHeight = 0;
  // The mouse went down in the cell editor through the table.
  bool FEditorMouse = false;
  // The cell and the selection of a suspended editor (row -1: none).
  Integer FSuspendedRow = -1;
  Integer FSuspendedCol = -1;
  Integer FSuspendedSelection[4] = {0, 0, 0, 0};

  const TUVScreenAndDevice* FDeviceRatio = nullptr;
  // How the cells' print copies are drawn while the table is printed.
  bool FPrintPreview = false;
  bool FPrintCorrection = false;
  // The canvas the layout measures on (none: the cells' own formatting canvas).
  TCanvas* FLayoutCanvas = nullptr;
  Integer FItemNoCache = -1;
  Integer FLockCount = 0;
  // How deep BeginTableModify calls are nested.
  Integer FModifyDepth = 0;
  // A change of a table that lies in a cell of another table, not edited in place, in an
  // editor's document: the cell's items (this table with them) wait in a hidden editor document
  // while the change is recorded there; at its end they go back and what was recorded becomes
  // one undoable change of the table holding the cell, which records it in its own document the
  // same way (so a table at any depth records into the editor's document).
  struct TCellChange;
  TCellChange* FCellChange = nullptr;
  // Starts such a change when the table lies so and none runs yet.
  void BeginCellChange();
  void EndCellChange();
  void DropCellChange();
  // The cell found by the last hit test.
  Integer FHitRow = -1;
  Integer FHitCol = -1;
  // The cell of the last mouse-down, and whether a cell-selection drag runs.
  Integer FMouseDownRow = -1;
  Integer FMouseDownCol = -1;
  bool FSelectingCells = false;
  // Set while the document's selection is moved to the table: the cell selection stays.
  bool FKeepSelection = false;
  // The border being dragged, the mouse's offset from it, the drag's limits.
  Integer FResizeIndex = -1;
  Integer FResizeOffset = 0;
  Integer FResizeLimit = 0;
  Integer FResizeLimit2 = -1;
  bool FResizing = false;
};
