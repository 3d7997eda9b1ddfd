// A table's cells as documents: what a cell answers for its items through the document that holds
// the table (or, while the cell sits in an undo record, through that record's document), its
// place and content box inside the table, its measures for layout, its attributes and its
// published properties.
#include <algorithm>

#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "classlib/Streams.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEUVData.h"
#include "richtext/edit/UVTInplace.h"
#include "richtext/edit/UVTable.h"

// ---------------------------------------------------------------------------------------------
// The cell

TUVTableCellData::TUVTableCellData(TUVTableRows* ARows)
    : TUVItemFormattedData(ARows->Table), FVisibleBorders(new TUVBooleanRect()), FRows(ARows) {
  AddNL(AnsiString(), 0, 0);
}

TUVTableCellData::~TUVTableCellData() {
  // The items go while the cell still answers for them (its list markers leave the document's
  // list through it).
  Clear();
  delete FVisibleBorders;
}

TUVTableItemInfo* TUVTableCellData::GetTable() const { return FRows->Table; }

void TUVTableCellData::SetCellColor(TColor Value) { FColor = Value; }

void TUVTableCellData::SetVisibleBorders(TUVBooleanRect* Value) { FVisibleBorders->Assign(Value); }

TUVCellVAlign TUVTableCellData::GetVAlign() {
  if (VAlign != uvcVDefault) return VAlign;
  if (FRow && FRow->VAlign != uvcVDefault) return FRow->VAlign;
  return uvcMiddle;
}

TColor TUVTableCellData::GetEffectiveColor() {
  if (FColor != clNone) return FColor;
  TUVTableItemInfo* table = GetTable();
  if (table->GetColor() != clNone) return table->GetColor();
  TCustomUVData* parent = GetParentData();
  TUVStyle* style = parent ? parent->GetUVStyle() : nullptr;
  if (style && table->ParaNo >= 0 && table->ParaNo < style->GetParaStyles()->GetCount()) {
    TColor paraColor = style->GetParaStyles()->GetItem(table->ParaNo)->GetBackground()->Color;
    if (paraColor != clNone) return paraColor;
  }
  if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(parent)) return formatted->GetColor();
  return clWindow;
}

void TUVTableCellData::AssignAttributesFrom(TUVTableCellData* Source, bool CopySizes, Integer RowDivisor,
                                            Integer ColDivisor) {
  SetCellColor(Source->FColor);
  BorderColor = Source->BorderColor;
  BorderLightColor = Source->BorderLightColor;
  FVisibleBorders->Assign(Source->FVisibleBorders);
  VAlign = Source->VAlign;
  if (CopySizes) {
    BestWidth = Source->BestWidth / ColDivisor;
    BestHeight = Source->BestHeight / RowDivisor;
  }
}

bool TUVTableCellData::HasData(bool Strict) {
  // While the cell is edited in place its items are in the editor's document.
  TCustomUVData* doc = GetTable()->GetEditingData(this);
  Integer count = doc->GetItemCount();
  if (count == 0) return false;
  if (count == 1 && doc->GetItemStyle(0) >= 0 && doc->GetItemText(0).empty())
    return Strict && !(doc->GetItemStyle(0) == 0 && doc->GetItemPara(0) == 0);
  return true;
}

void TUVTableCellData::MovingToUndoList(TObject* Record) {
  for (Integer i = 0; i < GetItemCount(); ++i) GetItem(i)->MovingToUndoList(i, this, Record);
  UndoHolder = Record;
  FRow = nullptr;
}

void TUVTableCellData::MovingFromUndoList() {
  UndoHolder = nullptr;
  for (Integer i = 0; i < GetItemCount(); ++i) GetItem(i)->MovingFromUndoList(i, this);
}

// ---------------------------------------------------------------------------------------------
// Measures

Integer TUVTableCellData::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas) {
  // While the cell is edited in place its items are in the editor's document.
  TCustomUVFormattedData* doc = GetTable()->GetEditingData(this);
  Integer count = doc->GetItemCount();
  if (count == 0) return 0;
  if (count == 1 && doc->GetItemStyle(0) >= 0 && doc->GetItemText(0).empty()) {
    TUVStyle* style = GetUVStyle();
    if (!style) return 0;
    TParaInfo* para = style->GetParaStyles()->GetItem(doc->GetItemPara(0));
    Integer sum = para->FirstIndent + para->LeftIndent + para->RightIndent;
    return Sad ? MulDiv(sum, Sad->DevicePpiX, Sad->ScreenPpiX) : sum;
  }
  Integer width = doc == this ? CalculateMinDocWidth(Sad, Canvas) : doc->CalculateMinDocWidth(Sad, Canvas);
  return width == 0 ? 10 : width;
}

Integer TUVTableCellData::GetCellHeight() { return std::max(ContentHeight(), BestHeight); }

Integer TUVTableCellData::ContentHeight() {
  TCustomUVFormattedData* doc = GetTable()->GetEditingData(this);
  if (doc == this) return DocumentHeight;
  // The editor's document counts the padding it keeps as its margins.
  Integer padding = GetTable()->GetCellPadding();
  return std::max(doc->DocumentHeight - 2 * padding, 0);
}

Integer TUVTableCellData::GetVAlignOffset() {
  Integer padding = GetTable()->GetCellPadding();
  switch (GetVAlign()) {
    case uvcMiddle:
      return (Height - ContentHeight()) / 2 - padding;
    case uvcBottom:
      return Height - ContentHeight() - 2 * padding;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// The cell as a document

TCustomUVData* TUVTableCellData::GetParentData() {
  if (UndoHolder) {
    auto* record = dynamic_cast<TUVUndoInfo*>(UndoHolder);
    return record && record->List ? record->List->Owner : nullptr;
  }
  return GetTable()->GetParentData();
}

TUVOptions TUVTableCellData::GetOptions() {
  TCustomUVData* parent = GetParentData();
  TUVOptions options = parent ? parent->GetOptions() : TUVOptions();
  // A cell is as wide as its column, never as its window.
  options.Exclude(uvoClientTextWidth);
  return options;
}

void TUVTableCellData::ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) {
  if (TCustomUVData* parent = GetParentData()) parent->ItemAction(Action, Item, Text);
}

void TUVTableCellData::GetOrigin(Integer& X, Integer& Y) {
  TUVTableItemInfo* table = GetTable();
  Integer tx = 0, ty = 0;
  table->GetDocumentPosition(tx, ty);
  Integer padding = table->GetCellPadding();
  X = tx + Left + padding;
  Y = ty + Top + padding + GetVAlignOffset();
}

Integer TUVTableCellData::GetWidth() { return Width - 2 * GetTable()->GetCellPadding(); }

Integer TUVTableCellData::GetHeight() { return Height - 2 * GetTable()->GetCellPadding(); }

void TUVTableCellData::Deselect(TCustomUVItemInfo* NewPartiallySelected, bool MakeEvent) {
  TUVItemFormattedData::Deselect(NewPartiallySelected, MakeEvent);
  if ((State & uvstDeselecting) || NewPartiallySelected || IsDestroying()) return;
  // The cell edited in place stays chosen: its selection is the cell editor's.
  if (GetTable()->GetEditingData(this) != this) return;
  State |= uvstDeselecting;
  ScopeExit restore([this] { State &= ~static_cast<Cardinal>(uvstDeselecting); });
  GetTable()->ReleaseChosenCell(this);
}

void TUVTableCellData::GetParentInfo(Integer& ParentItemNo, TCustomUVItemInfo*& Location) {
  TUVTableItemInfo* table = GetTable();
  ParentItemNo = UndoHolder ? -1 : table->GetItemIndex();
  Location = table;
}

bool TUVTableCellData::CanMoveChildren() {
  auto* parent = dynamic_cast<TCustomUVFormattedData*>(GetParentData());
  return parent && parent->CanMoveChildren();
}

void TUVTableCellData::DefineProperties(TFiler* Filer) {
  TUVItemFormattedData::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Data", TStreamProc(this, &TUVTableCellData::ReadData),
                              TStreamProc(this, &TUVTableCellData::WriteData), HasData(true));
}

void TUVTableCellData::ReadData(TStream* Stream) {
  Clear();
  const Cardinal nested = State & uvstInsertingNestedUVF;
  State |= uvstInsertingNestedUVF;
  ScopeExit restore([this, nested] { State = (State & ~static_cast<Cardinal>(uvstInsertingNestedUVF)) | nested; });
  // A damaged cell document fails the read of the table instead of leaving part of it.
  if (!InsertUVFFromStreamAt(Stream, 0, false, nullptr, nullptr, nullptr)) throw EReadError("Invalid UVF format");
}

void TUVTableCellData::WriteData(TStream* Stream) {
  GetTable()->GetEditingData(this)->SaveUVFToStreamEx(Stream, uvfss_Full, clNone, nullptr, nullptr);
}

PUBLISHED(TUVTableCellData) {
  Prop("Color", &TUVTableCellData::GetCellColor, &TUVTableCellData::SetCellColor)
      .Type(ColorTypeInfo())
      .Default(clNone);
  Prop("BorderColor", &TUVTableCellData::BorderColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("BorderLightColor", &TUVTableCellData::BorderLightColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("BestWidth", &TUVTableCellData::BestWidth).Default(0);
  Prop("BestHeight", &TUVTableCellData::BestHeight).Default(0);
  Prop("VisibleBorders", &TUVTableCellData::GetVisibleBorders, &TUVTableCellData::SetVisibleBorders);
  Prop("VAlign", &TUVTableCellData::VAlign).Default(uvcVDefault);
}
