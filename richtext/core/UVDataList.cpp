#include "richtext/core/UVDataList.h"

#include "richtext/core/UVItem.h"

TCustomUVData* TUVItemFormattedData::GetParentData() { return FOwner ? FOwner->GetParentData() : nullptr; }

TCustomUVData* TUVItemFormattedData::GetRootData() {
  TCustomUVData* parent = GetParentData();
  return parent ? parent->GetRootData() : this;
}

void TUVItemFormattedData::ConvertToRootCoords(Integer& X, Integer& Y) {
  Integer ox = 0, oy = 0;
  GetOrigin(ox, oy);
  X += ox;
  Y += oy;
  if (auto* parent = dynamic_cast<TCustomUVFormattedData*>(GetParentData())) parent->ConvertToRootCoords(X, Y);
}

void TUVItemFormattedData::ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) {
  if (TCustomUVData* parent = GetParentData()) parent->ItemAction(Action, Item, Text);
}

AnsiString TUVItemFormattedData::SaveImageFile(TGraphic* Graphic, Integer Format, const AnsiString& Path,
                                               const AnsiString& Prefix, Integer& Counter, TColor BackColor,
                                               bool Overwrite) {
  TCustomUVData* parent = GetParentData();
  if (!parent) return TCustomUVFormattedData::SaveImageFile(Graphic, Format, Path, Prefix, Counter, BackColor, Overwrite);
  return parent->SaveImageFile(Graphic, Format, Path, Prefix, Counter, BackColor, Overwrite);
}

AnsiString TUVItemFormattedData::GetUniqueImageFileName(AnsiString Path, const AnsiString& Prefix,
                                                        const AnsiString& Extension, Integer& Counter,
                                                        bool Overwrite) {
  TCustomUVData* parent = GetParentData();
  if (!parent) return TCustomUVFormattedData::GetUniqueImageFileName(Path, Prefix, Extension, Counter, Overwrite);
  return parent->GetUniqueImageFileName(Path, Prefix, Extension, Counter, Overwrite);
}

void TUVItemFormattedData::PaintBuffered(TCanvas*, const TRect&) {
  throw EUzurUvadError("This method is not supported for TUVItemFormattedData");
}
