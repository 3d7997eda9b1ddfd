// The table as an item of its document: construction and registration, its answers to the
// document, the structural operations as undoable changes, the published properties and how a
// change of one becomes an undo record in an editor, and the chosen cell.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVEUVData.h"
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"
#include "richtext/edit/UVTableUndo.h"

TPenStyle UVTableGridStyle = psDot;

namespace {

// The table kind is known to the item factory as soon as the table unit is in the program.
const bool Registered = (RegisterUzurUvadItemClass<TUVTableItemInfo>(uvsTable), true);

// The program's row- and column-selection cursors go into the screen's cursor table once; a
// missing resource leaves the system's arrow.
void InstallCursors() {
  static bool installed = false;
  if (installed || !Screen) return;
  installed = true;
  auto load = [](const char* Name) {
    HCURSOR cursor = ::LoadCursorA(::GetModuleHandleA(nullptr), Name);
    if (!cursor) cursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    // A copy, which the screen may destroy.
    return static_cast<HCURSOR>(::CopyIcon(cursor));
  };
  Screen->SetCursors(crUVSelectCol, load("UV_SELECTCOL_CURSOR"));
  Screen->SetCursors(crUVSelectRow, load("UV_SELECTROW_CURSOR"));
}

// The value of line Index, "name=value".
Integer ValueAt(TStrings* Lines, Integer Index) {
  AnsiString line = Lines->GetStrings(Index);
  std::size_t equals = line.find('=');
  return StrToIntDef(equals == AnsiString::npos ? AnsiString() : line.substr(equals + 1), 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

TUVTableItemInfo::TUVTableItemInfo(TCustomUVData* UVData) : TUVFullLineItemInfo(UVData) { Init(1, 1); }

TUVTableItemInfo::TUVTableItemInfo(Integer RowCount, Integer ColCount, TCustomUVData* UVData)
    : TUVFullLineItemInfo(UVData) {
  Init(RowCount, ColCount);
}

void TUVTableItemInfo::Init(Integer RowCount, Integer ColCount) {
  (void)Registered;
  StyleNo = uvsTable;
  State = uvtsNew;
  Rows = new TUVTableRows(this);
  FormattingInfo = new TUVTableItemFormattingInfo();
  Rows->Reset(RowCount, ColCount);
  InstallCursors();
}

TUVTableItemInfo::~TUVTableItemInfo() {
  DropCellChange();
  DropInplaceEditor();
  delete Rows;
  Rows = nullptr;
  delete FormattingInfo;
}

TUVTableRows::~TUVTableRows() {
  // The cells go while the table still answers for them.
  Clear();
}

TUVTableItemFormattingInfo::~TUVTableItemFormattingInfo() { delete PrintCells; }

void TUVTableItemFormattingInfo::Clear() {
  ColWidths.clear();
  RowHeights.clear();
  ColStarts.clear();
  RowStarts.clear();
}

bool TUVTableItemInfo::FindCellPosition(TUVTableCellData* Cell, Integer& Row, Integer& Col) const {
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    for (Integer c = 0; c < row->GetCount(); ++c)
      if (row->GetCell(c) == Cell) {
        Row = r;
        Col = c;
        return true;
      }
  }
  Row = Col = -1;
  return false;
}

// ---------------------------------------------------------------------------------------------
// The document

Integer TUVTableItemInfo::GetItemIndex() {
  TCustomUVData* data = Rows->MainUVData;
  if (!data) return -1;
  if (FItemNoCache < 0 || FItemNoCache >= data->GetItemCount() || data->GetItem(FItemNoCache) != this)
    FItemNoCache = data->IndexOfItem(this);
  return FItemNoCache;
}

TCustomUVFormattedData* TUVTableItemInfo::GetFormattedParent() const {
  return dynamic_cast<TCustomUVFormattedData*>(Rows->MainUVData);
}

bool TUVTableItemInfo::GetDocumentPosition(Integer& X, Integer& Y) {
  X = Y = 0;
  TCustomUVFormattedData* data = GetFormattedParent();
  Integer itemNo = GetItemIndex();
  if (!data || itemNo < 0) return false;
  Integer d = DrawItemNo;
  if (d < 0 || d >= data->DrawItems->GetCount() || data->DrawItems->Get(d)->ItemNo != itemNo)
    d = data->FindFirstDrawItemOfItem(itemNo);
  if (d < 0) return false;
  X = data->DrawItems->Get(d)->Left;
  Y = data->DrawItems->Get(d)->Top;
  return true;
}

void TUVTableItemInfo::ChooseCell(TUVTableCellData* Cell) {
  FindCellPosition(Cell, ChosenRow, ChosenCol);
  TCustomUVFormattedData* data = GetFormattedParent();
  if (!data) return;
  auto* viewerData = dynamic_cast<VUzurUvadUVData*>(data);
  if (viewerData && viewerData->GetViewer()) {
    viewerData->GetViewer()->SetChosen(Cell, this);
  } else {
    data->ChosenUVData = Cell;
    data->ChosenItem = this;
  }
}

void TUVTableItemInfo::ReleaseChosenCell(TUVTableCellData* Cell) {
  TCustomUVFormattedData* data = GetFormattedParent();
  if (!data || data->GetChosenData() != Cell) return;
  auto* viewerData = dynamic_cast<VUzurUvadUVData*>(data);
  if (viewerData && viewerData->GetViewer()) {
    viewerData->GetViewer()->UnChoose(Cell);
  } else {
    data->ChosenUVData = nullptr;
    data->ChosenItem = nullptr;
    CleanUpChosen();
  }
}

void TUVTableItemInfo::CleanUpChosen() { LeaveChosenCell(); }

void TUVTableItemInfo::DeselectChosenCell() {
  bool valid = ChosenRow >= 0 && ChosenRow < GetRowCount() && ChosenCol >= 0 && ChosenCol < GetColCount();
  TUVTableCellData* cell = valid ? GetCells(ChosenRow, ChosenCol) : nullptr;
  TCustomUVFormattedData* data = GetFormattedParent();
  if (cell && data && data->GetChosenData() == cell)
    ReleaseChosenCell(cell);
  else
    LeaveChosenCell();
}

bool TUVTableItemInfo::IsInParentSelection() {
  TCustomUVFormattedData* data = GetFormattedParent();
  Integer itemNo = GetItemIndex();
  if (!data || itemNo < 0) return false;
  Integer si, so, ei, eo;
  data->GetSelectionItemBounds(true, si, so, ei, eo);
  if (si < 0 || ei < 0) return false;
  bool startsBefore = si < itemNo || (si == itemNo && so <= data->GetOffsBeforeItem(itemNo));
  bool endsAfter = ei > itemNo || (ei == itemNo && eo >= data->GetOffsAfterItem(itemNo));
  return startsBefore && endsAfter;
}

void TUVTableItemInfo::LeaveChosenCell() {
  // The document gives up the cell: its editor closes, keeping what was typed.
  CloseInplaceEditor(false);
  if (ChosenRow < 0 || ChosenRow >= GetRowCount() || ChosenCol < 0 || ChosenCol >= GetColCount()) {
    ChosenRow = ChosenCol = -1;
    return;
  }
  TUVTableCellData* cell = GetCells(ChosenRow, ChosenCol);
  ChosenRow = ChosenCol = -1;
  // The cell's own selection goes; the cell does not report back.
  if (cell) cell->TCustomUVFormattedData::Deselect(nullptr, false);
}

// ---------------------------------------------------------------------------------------------
// The item's answers

bool TUVTableItemInfo::QueryFlag(Integer Code) {
  if (Code == uvbpDrawingChangesFont || Code == uvbpCanSaveUnicode || Code == uvbpAlwaysInText) return true;
  return TUVFullLineItemInfo::QueryFlag(Code);
}

bool TUVTableItemInfo::QueryStyledFlag(Integer Code, TUVStyle* AStyle) {
  if (Code == uvbspPrintToBitmap) return false;
  return TUVFullLineItemInfo::QueryStyledFlag(Code, AStyle);
}

void TUVTableItemInfo::Inserting(TCustomUVData* UVData, AnsiString& Text, bool Safe) {
  Rows->MainUVData = UVData;
  FItemNoCache = -1;
  if (UVData) State |= uvtsInDocument;
  State &= ~static_cast<Word>(uvtsInEditor);
  if (UVData && dynamic_cast<TUVEditUVData*>(UVData->GetAbsoluteRootData())) State |= uvtsInEditor;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    for (Integer c = 0; c < row->GetCount(); ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell) continue;
      cell->SetRow(row);
      for (Integer i = 0; i < cell->GetItemCount(); ++i) {
        AnsiString text = cell->Items->GetStrings(i);
        cell->GetItem(i)->Inserting(cell, text, Safe);
        cell->Items->SetStrings(i, text);
      }
    }
  }
  TUVFullLineItemInfo::Inserting(UVData, Text, Safe);
}

void TUVTableItemInfo::Inserted(TCustomUVData* UVData, Integer ItemNo) {
  TUVFullLineItemInfo::Inserted(UVData, ItemNo);
  if (!(State & uvtsNew)) return;
  ScopeExit clear([this] { State &= ~static_cast<Word>(uvtsNew); });
  // Markers that were added to the cells before the table had a document join its list now.
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    for (Integer c = 0; c < row->GetCount(); ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell) continue;
      for (Integer i = 0; i < cell->GetItemCount(); ++i) {
        if (cell->GetItemStyle(i) == uvsListMarker) cell->AddMarkerToList(i);
        cell->GetItem(i)->Inserted(cell, i);
      }
    }
  }
}

void TUVTableItemInfo::SetPosition(Integer X, Integer Y, TCustomUVFormattedData* /*UVData*/) {
  ClientX = X;
  ClientY = Y;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    for (Integer c = 0; c < row->GetCount(); ++c)
      if (TUVTableCellData* cell = row->GetCell(c)) cell->AdjustChildrenCoords();
  }
  PlaceInplaceEditor();
}

void TUVTableItemInfo::MovingToUndoList(Integer ItemNo, TCustomUVData* UVData, TObject* Container) {
  CloseInplaceEditor(false);
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    for (Integer c = 0; c < row->GetCount(); ++c)
      if (TUVTableCellData* cell = row->GetCell(c)) cell->MovingToUndoList(Container);
  }
  Rows->MainUVData = nullptr;
  FItemNoCache = -1;
  TUVFullLineItemInfo::MovingToUndoList(ItemNo, UVData, Container);
}

void TUVTableItemInfo::MovingFromUndoList(Integer ItemNo, TCustomUVData* UVData) {
  TUVFullLineItemInfo::MovingFromUndoList(ItemNo, UVData);
  Rows->MainUVData = UVData;
  FItemNoCache = ItemNo;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    for (Integer c = 0; c < row->GetCount(); ++c)
      if (TUVTableCellData* cell = row->GetCell(c)) {
        cell->SetRow(row);
        cell->MovingFromUndoList();
      }
  }
  MarkChanged();
}

void TUVTableItemInfo::MarkUsedParaStyle(TUVStyleUsage& Used) {
  TUVFullLineItemInfo::MarkUsedParaStyle(Used);
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < GetColCount(); ++c)
      if (TUVTableCellData* cell = GetCells(r, c)) cell->MarkUsedStyles(Used);
}

void TUVTableItemInfo::RenumberParaStyle(TUVStyleUsage& Used) {
  TUVFullLineItemInfo::RenumberParaStyle(Used);
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < GetColCount(); ++c)
      if (TUVTableCellData* cell = GetCells(r, c)) cell->RenumberStyles(Used);
}

// ---------------------------------------------------------------------------------------------
// Changes and undo

TUVEditUVData* TUVTableItemInfo::GetEditData() { return dynamic_cast<TUVEditUVData*>(Rows->MainUVData); }

bool TUVTableItemInfo::CanRecordUndo() {
  // The root document decides, also for a table that lies in a cell.
  TCustomUVData* document = Rows->MainUVData;
  auto* root = document ? dynamic_cast<TUVEditUVData*>(document->GetAbsoluteRootData()) : nullptr;
  return (State & uvtsInDocument) && root && root->UndoList->GetLimit() != 0;
}

Integer TUVTableItemInfo::OwnItemIndex() { return CanRecordUndo() ? GetItemIndex() : -1; }

bool TUVTableItemInfo::RecordUndo(TUVUndoInfo* Record) {
  TUVEditUVData* data = IsUndoable() ? GetEditData() : nullptr;
  TUVUndoList* list = data ? data->GetUndoListForRecording() : nullptr;
  if (!list) {
    delete Record;
    return false;
  }
  Record->Kind = uvukModifyItem;
  list->AppendRecord(Record);
  return true;
}

bool TUVTableItemInfo::RecordUndo(TUVUndoModifyItemProps* Record) {
  Record->ItemNo = GetItemIndex();
  Record->SubObject = this;
  return RecordUndo(static_cast<TUVUndoInfo*>(Record));
}

void TUVTableItemInfo::BeginTableModify(bool Prepare) {
  if (FModifyDepth == 0) BeginCellChange();
  TUVEditUVData* data = GetEditData();
  if (!data || !(State & uvtsInDocument)) return;
  data->OpenUndoAction(uvutModifyTable, Prepare);
  data->ChangeGroupCounter(true);
  // The records of one change are bracketed: undo asks whether the document's minimal width
  // changes before the first and after the last, never while the grid is half changed.
  if (FModifyDepth++ == 0) data->RecordItemPropsBracket(GetItemIndex(), true);
}

void TUVTableItemInfo::EndTableModify() {
  TUVEditUVData* data = GetEditData();
  if (!data || !(State & uvtsInDocument)) return;
  if (--FModifyDepth == 0) {
    TUVUndoInfos* last = data->UndoList->LastAction();
    Integer count = last ? last->GetCount() : 0;
    if (count > 0 && dynamic_cast<TUVUndoModifyItemTerminator*>(last->GetRecord(count - 1))) {
      // A change that recorded nothing keeps no brackets.
      last->Delete(count - 1);
    } else {
      data->RecordItemPropsBracket(GetItemIndex(), false);
    }
  }
  data->ChangeGroupCounter(false);
  data->UndoList->DropEmptyLast();
  if (FModifyDepth == 0) EndCellChange();
}

void TUVTableItemInfo::FinishChange() {
  if (TUVEditUVData* data = GetEditData()) data->Change(true);
}

bool TUVTableItemInfo::CanChangeFromInside() {
  TUVEditUVData* data = GetEditData();
  return data && (State & uvtsInDocument) && !data->IsReadOnly();
}

void TUVTableItemInfo::BeforeUndoChangeProperty() { State &= ~static_cast<Word>(uvtsInDocument); }

void TUVTableItemInfo::AfterUndoChangeProperty() {
  State |= uvtsInDocument;
  MarkChanged();
}

void TUVTableItemInfo::SetIntProperty(const AnsiString& Name, Integer Value, bool AffectsWidth, bool NeedsLayout) {
  bool cellChange = FModifyDepth == 0 && !FCellChange;
  if (cellChange) BeginCellChange();
  ScopeExit endCellChange([this, cellChange] {
    if (cellChange) EndCellChange();
  });
  Word inDocument = State & uvtsInDocument;
  ScopeExit restore([this, inDocument] { State = static_cast<Word>((State & ~uvtsInDocument) | inDocument); });
  TUVEditUVData* data = GetEditData();
  if (data && CanRecordUndo()) {
    State &= ~static_cast<Word>(uvtsInDocument);
    // A change of the table's own properties is an action of its own.
    data->OpenUndoAction(uvutModifyTable, false);
    data->ChangeGroupCounter(true);
    {
      ScopeExit close([data] {
        data->ChangeGroupCounter(false);
        data->UndoList->DropEmptyLast();
      });
      data->UndoableModifyItemIntProperty(GetItemIndex(), this, nullptr, NeedsLayout, AffectsWidth, Value, Name);
    }
    data->Invalidate();
    State |= uvtsInDocument;
    MarkChanged();
    FinishChange();
    return;
  }
  State &= ~static_cast<Word>(uvtsInDocument);
  SetOrdProp(this, Name, Value);
  MarkChanged();
}

void TUVTableItemInfo::ChangeCellProperty(Integer Row, Integer Col, const AnsiString& Name, Integer Value,
                                          bool AffectSize, bool AffectWidth) {
  TUVTableCellData* cell = GetCells(Row, Col);
  if (!cell) return;
  TUVEditUVData* data = IsUndoable() ? GetEditData() : nullptr;
  if (!data) {
    SetOrdProp(cell, Name, Value);
    return;
  }
  // The record names the cell by its place: the cell object may be another one by the time the
  // record is performed (cells are made anew when undone insertions are redone).
  auto* record = static_cast<TUVUndoModifyCellIntProperty*>(data->UndoableModifyItemIntProperty(
      GetItemIndex(), cell, TUVUndoModifyCellIntProperty::StaticClass(), AffectSize, AffectWidth, Value, Name));
  if (record) {
    record->Row = Row;
    record->Col = Col;
    record->SubObject = this;
  }
}

void TUVTableItemInfo::ChangeCellProperties(Integer Row, Integer Col, TStrings* Values,
                                            const TUVBooleanRect* Borders, bool AffectSize, bool AffectWidth) {
  TUVTableCellData* cell = GetCells(Row, Col);
  if (!cell) return;
  auto* record = new TUVUndoModifyCellIntProperties();
  for (Integer i = 0; i < Values->GetCount(); ++i) {
    AnsiString name = Values->GetNames(i);
    auto current = static_cast<Integer>(GetOrdProp(cell, name));
    if (current != ValueAt(Values, i)) record->PropList.Add(name + "=" + IntToStr(current));
  }
  bool bordersChange = Borders && !Borders->IsEqual(cell->GetVisibleBorders());
  if (bordersChange) {
    record->HasBorders = true;
    record->OldBorders.Assign(cell->GetVisibleBorders());
  }
  if (record->PropList.GetCount() == 0 && !bordersChange) {
    delete record;
    return;
  }
  record->Row = Row;
  record->Col = Col;
  record->AffectSize = AffectSize;
  record->AffectWidth = AffectWidth;
  RecordUndo(record);
  for (Integer i = 0; i < Values->GetCount(); ++i)
    SetOrdProp(cell, Values->GetNames(i), ValueAt(Values, i));
  if (bordersChange) cell->GetVisibleBorders()->Assign(const_cast<TUVBooleanRect*>(Borders));
}

void TUVTableItemInfo::SetCellIntProperty(const AnsiString& Name, Integer Value, Integer Row, Integer Col,
                                          bool AffectsWidth, bool NeedsLayout) {
  TUVTableCellData* cell = GetCells(Row, Col);
  if (!cell) return;
  if (IsUndoable()) {
    BeginTableModify(false);
    {
      ScopeExit close([this] { EndTableModify(); });
      ChangeCellProperty(Row, Col, Name, Value, NeedsLayout, AffectsWidth);
    }
    if (TUVEditUVData* data = GetEditData()) data->Invalidate();
    FinishChange();
  } else {
    SetOrdProp(cell, Name, Value);
  }
  MarkChanged();
}

void TUVTableItemInfo::AssignCellAttributes(Integer Row, Integer Col, TUVTableCellData* Source, bool CopySizes,
                                            Integer RowDivisor, Integer ColDivisor) {
  TUVTableCellData* cell = GetCells(Row, Col);
  if (!cell || !Source) return;
  if (!IsUndoable()) {
    cell->AssignAttributesFrom(Source, CopySizes, RowDivisor, ColDivisor);
    MarkChanged();
    return;
  }
  TStringList values;
  values.Add("Color=" + IntToStr(Source->GetCellColor()));
  values.Add("BorderColor=" + IntToStr(Source->BorderColor));
  values.Add("BorderLightColor=" + IntToStr(Source->BorderLightColor));
  values.Add("VAlign=" + IntToStr(Source->VAlign));
  if (CopySizes) {
    values.Add("BestWidth=" + IntToStr(Source->BestWidth / ColDivisor));
    values.Add("BestHeight=" + IntToStr(Source->BestHeight / RowDivisor));
  }
  BeginTableModify(false);
  {
    ScopeExit close([this] { EndTableModify(); });
    ChangeCellProperties(Row, Col, &values, Source->GetVisibleBorders(), true, true);
  }
  MarkChanged();
  FinishChange();
}


// ---------------------------------------------------------------------------------------------
// Structural operations

template <class Change>
void TUVTableItemInfo::ModifyStructure(Change&& Step) {
  // The cell editor gives its edits back first: the grid changes under it.
  CloseInplaceEditor(false);
  BeginTableModify();
  {
    ScopeExit close([this] { EndTableModify(); });
    Step();
  }
  MarkChanged();
  FinishChange();
}

void TUVTableItemInfo::MergeCells(Integer TopRow, Integer LeftCol, Integer ColSpan, Integer RowSpan,
                                  bool AllowMergeRC) {
  ModifyStructure([&] { Rows->MergeCells(TopRow, LeftCol, ColSpan, RowSpan, AllowMergeRC, true); });
}

void TUVTableItemInfo::InsertCols(Integer Index, Integer Count, Integer CopyIndex, bool Select) {
  ModifyStructure([&] { Rows->InsertCols(Index, Count, false, CopyIndex); });
  if (Select) SelectCols(Index, Count);
}

void TUVTableItemInfo::InsertRows(Integer Index, Integer Count, Integer CopyIndex, bool Select) {
  ModifyStructure([&] { Rows->InsertRows(Index, Count, false, CopyIndex); });
  if (Select) SelectRows(Index, Count);
}

void TUVTableItemInfo::DeleteCols(Integer Index, Integer Count, bool DecreaseWidth) {
  if (Rows->IsEmpty()) return;
  // Where editing goes on afterwards: the edited cell where it moves to, else the first row at
  // the first deleted column.
  Integer row, col;
  GetEditedCell(row, col);
  if (row < 0) {
    row = 0;
    col = Index;
  } else if (Count > 0 && col >= Index + Count) {
    col -= Count;
  }
  Deselect();
  ModifyStructure([&] { Rows->DeleteCols(Index, Count, DecreaseWidth); });
  if (!GetEditData() || !FOptions.Contains(uvtoEditing) || Rows->IsEmpty()) return;
  row = std::clamp(row, 0, GetRowCount() - 1);
  col = std::clamp(col, 0, GetColCount() - 1);
  Integer mainRow, mainCol;
  if (Rows->GetMainCell(row, col, mainRow, mainCol)) EnterCell(mainRow, mainCol, false);
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {
Integer Ord(Integer Value) { return Value; }
Integer Ord(bool Value) { return Value ? 1 : 0; }
Integer Ord(TUVTableBorderStyle Value) { return static_cast<Integer>(Value); }
}  // namespace

// A setter: in a document the change goes through SetIntProperty (undoable in an editor), else
// the value is stored.
#define UV_TABLE_SETTER(Setter, Type, Field, Name, AffectsWidth, NeedsLayout) \
  void TUVTableItemInfo::Setter(Type Value) {                                  \
    if (State & uvtsInDocument)                                                \
      SetIntProperty(Name, Ord(Value), AffectsWidth, NeedsLayout);             \
    else                                                                       \
      Field = Value;                                                           \
  }

UV_TABLE_SETTER(SetColor, TColor, FColor, "Color", false, false)
UV_TABLE_SETTER(SetHeadingRowCount, Integer, FHeadingRowCount, "HeadingRowCount", false, false)
UV_TABLE_SETTER(SetBorderWidth, Integer, FBorderWidth, "BorderWidth", true, true)
UV_TABLE_SETTER(SetBorderColor, TColor, FBorderColor, "BorderColor", false, false)
UV_TABLE_SETTER(SetBorderLightColor, TColor, FBorderLightColor, "BorderLightColor", false, false)
UV_TABLE_SETTER(SetBorderStyle, TUVTableBorderStyle, FBorderStyle, "BorderStyle", false, false)
UV_TABLE_SETTER(SetBorderVSpacing, Integer, FBorderVSpacing, "BorderVSpacing", false, true)
UV_TABLE_SETTER(SetBorderHSpacing, Integer, FBorderHSpacing, "BorderHSpacing", true, true)
UV_TABLE_SETTER(SetCellBorderWidth, Integer, FCellBorderWidth, "CellBorderWidth", true, true)
UV_TABLE_SETTER(SetCellBorderColor, TColor, FCellBorderColor, "CellBorderColor", false, false)
UV_TABLE_SETTER(SetCellBorderLightColor, TColor, FCellBorderLightColor, "CellBorderLightColor", false, false)
UV_TABLE_SETTER(SetCellPadding, Integer, FCellPadding, "CellPadding", true, true)
UV_TABLE_SETTER(SetCellBorderStyle, TUVTableBorderStyle, FCellBorderStyle, "CellBorderStyle", false, false)
UV_TABLE_SETTER(SetVRuleWidth, Integer, FVRuleWidth, "VRuleWidth", false, false)
UV_TABLE_SETTER(SetVRuleColor, TColor, FVRuleColor, "VRuleColor", false, false)
UV_TABLE_SETTER(SetHRuleWidth, Integer, FHRuleWidth, "HRuleWidth", false, false)
UV_TABLE_SETTER(SetHRuleColor, TColor, FHRuleColor, "HRuleColor", false, false)
UV_TABLE_SETTER(SetCellVSpacing, Integer, FCellVSpacing, "CellVSpacing", false, true)
UV_TABLE_SETTER(SetCellHSpacing, Integer, FCellHSpacing, "CellHSpacing", true, true)
UV_TABLE_SETTER(SetVOutermostRule, bool, FVOutermostRule, "VOutermostRule", false, false)
UV_TABLE_SETTER(SetHOutermostRule, bool, FHOutermostRule, "HOutermostRule", false, false)

#undef UV_TABLE_SETTER

void TUVTableItemInfo::SetOptions(TUVTableOptions Value) { FOptions = Value; }
void TUVTableItemInfo::SetPrintOptions(TUVTablePrintOptions Value) { FPrintOptions = Value; }
void TUVTableItemInfo::SetBestWidth(TUVHTMLLength Value) { FBestWidth = Value; }

PUBLISHED(TUVTableItemInfo) {
  Prop("Options", &TUVTableItemInfo::GetOptions, &TUVTableItemInfo::SetOptions).Default(uvtoDefaultOptions);
  Prop("PrintOptions", &TUVTableItemInfo::GetPrintOptions, &TUVTableItemInfo::SetPrintOptions)
      .Default(uvtoDefaultPrintOptions);
  Prop("BestWidth", &TUVTableItemInfo::GetBestWidth, &TUVTableItemInfo::SetBestWidth).Default(0);
  Prop("Color", &TUVTableItemInfo::GetColor, &TUVTableItemInfo::SetColor).Type(ColorTypeInfo()).Default(clWindow);
  Prop("HeadingRowCount", &TUVTableItemInfo::GetHeadingRowCount, &TUVTableItemInfo::SetHeadingRowCount).Default(0);
  Prop("TextRowSeparator", &TUVTableItemInfo::TextRowSeparator);
  Prop("TextColSeparator", &TUVTableItemInfo::TextColSeparator);
  Prop("BorderWidth", &TUVTableItemInfo::GetTableBorderWidth, &TUVTableItemInfo::SetBorderWidth).Default(0);
  Prop("BorderColor", &TUVTableItemInfo::GetBorderColor, &TUVTableItemInfo::SetBorderColor)
      .Type(ColorTypeInfo())
      .Default(clWindowText);
  Prop("BorderLightColor", &TUVTableItemInfo::GetBorderLightColor, &TUVTableItemInfo::SetBorderLightColor)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  Prop("BorderStyle", &TUVTableItemInfo::GetBorderStyle, &TUVTableItemInfo::SetBorderStyle).Default(uvtbRaised);
  Prop("BorderVSpacing", &TUVTableItemInfo::GetBorderVSpacing, &TUVTableItemInfo::SetBorderVSpacing).Default(2);
  Prop("BorderHSpacing", &TUVTableItemInfo::GetBorderHSpacing, &TUVTableItemInfo::SetBorderHSpacing).Default(2);
  Prop("CellBorderWidth", &TUVTableItemInfo::GetCellBorderWidth, &TUVTableItemInfo::SetCellBorderWidth).Default(0);
  Prop("CellBorderColor", &TUVTableItemInfo::GetCellBorderColor, &TUVTableItemInfo::SetCellBorderColor)
      .Type(ColorTypeInfo())
      .Default(clWindowText);
  Prop("CellBorderLightColor", &TUVTableItemInfo::GetCellBorderLightColor,
       &TUVTableItemInfo::SetCellBorderLightColor)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  Prop("CellPadding", &TUVTableItemInfo::GetCellPadding, &TUVTableItemInfo::SetCellPadding).Default(1);
  Prop("CellBorderStyle", &TUVTableItemInfo::GetCellBorderStyle, &TUVTableItemInfo::SetCellBorderStyle)
      .Default(uvtbLowered);
  Prop("VRuleWidth", &TUVTableItemInfo::GetVRuleWidth, &TUVTableItemInfo::SetVRuleWidth).Default(0);
  Prop("VRuleColor", &TUVTableItemInfo::GetVRuleColor, &TUVTableItemInfo::SetVRuleColor)
      .Type(ColorTypeInfo())
      .Default(clWindowText);
  Prop("HRuleWidth", &TUVTableItemInfo::GetHRuleWidth, &TUVTableItemInfo::SetHRuleWidth).Default(0);
  Prop("HRuleColor", &TUVTableItemInfo::GetHRuleColor, &TUVTableItemInfo::SetHRuleColor)
      .Type(ColorTypeInfo())
      .Default(clWindowText);
  Prop("CellVSpacing", &TUVTableItemInfo::GetCellVSpacing, &TUVTableItemInfo::SetCellVSpacing).Default(2);
  Prop("CellHSpacing", &TUVTableItemInfo::GetCellHSpacing, &TUVTableItemInfo::SetCellHSpacing).Default(2);
  Prop("VOutermostRule", &TUVTableItemInfo::GetVOutermostRule, &TUVTableItemInfo::SetVOutermostRule).Default(false);
  Prop("HOutermostRule", &TUVTableItemInfo::GetHOutermostRule, &TUVTableItemInfo::SetHOutermostRule).Default(false);
  Prop("OnCellEditing", &TUVTableItemInfo::OnCellEditing);
  Prop("OnDrawBorder", &TUVTableItemInfo::OnDrawBorder);
}
