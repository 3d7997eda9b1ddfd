// What the readers and writers of the file formats ask of a document: the answers of its owner
// (a nested document asks its root), the style context of its items, and the item list it may
// share with another document.
#include "richtext/core/CUVData.h"
#include "richtext/core/UVItem.h"

AnsiString TCustomUVData::GetURL(Integer Id) {
  TCustomUVData* root = GetAbsoluteRootData();
  return root && root != this ? root->GetURL(Id) : AnsiString();
}

AnsiString TCustomUVData::GetRTFExtra(Integer Area, TPersistent* Obj, Integer Index1, Integer Index2,
                                      bool InStyleSheet) {
  TCustomUVData* root = GetAbsoluteRootData();
  return root && root != this ? root->GetRTFExtra(Area, Obj, Index1, Index2, InStyleSheet) : AnsiString();
}

AnsiString TCustomUVData::GetHTMLExtra(Integer Area, bool CSSVersion) {
  TCustomUVData* root = GetAbsoluteRootData();
  return root && root != this ? root->GetHTMLExtra(Area, CSSVersion) : AnsiString();
}

void TCustomUVData::ReadHyperlink(const AnsiString& Target, const AnsiString& Extras, Integer DocFormat,
                                  Integer& StyleNo, TUVTag& ItemTag, AnsiString& ItemName) {
  TCustomUVData* root = GetAbsoluteRootData();
  if (root && root != this) {
    root->ReadHyperlink(Target, Extras, DocFormat, StyleNo, ItemTag, ItemName);
    return;
  }
  if (StyleNo == uvsBullet) StyleNo = uvsHotspot;
  if (StyleNo == uvsPicture) StyleNo = uvsHotPicture;
}

bool TCustomUVData::ImportRTFPicture(TUVRTFPicture* Picture, TGraphic* Graphic, bool Hyperlink,
                                     TCustomUVItemInfo*& Item, bool& FreeGraphic) {
  TCustomUVData* root = GetAbsoluteRootData();
  return root && root != this ? root->ImportRTFPicture(Picture, Graphic, Hyperlink, Item, FreeGraphic) : false;
}

TUVFStyleMaps::~TUVFStyleMaps() {
  delete TextStyles;
  delete ParaStyles;
  delete ListStyles;
}

TUVFStyleMaps* TCustomUVData::GetUVFStyleMaps() {
  TCustomUVData* root = GetAbsoluteRootData();
  if (root && root != this) return root->GetUVFStyleMaps();
  if (!FUVFStyleMaps) FUVFStyleMaps = new TUVFStyleMaps;
  ++FUVFStyleMaps->Users;
  return FUVFStyleMaps;
}

void TCustomUVData::ReleaseUVFStyleMaps() {
  TCustomUVData* root = GetAbsoluteRootData();
  if (root && root != this) {
    root->ReleaseUVFStyleMaps();
    return;
  }
  if (FUVFStyleMaps && --FUVFStyleMaps->Users <= 0) FreeAndNil(FUVFStyleMaps);
}

void TCustomUVData::GetWriteRange(bool SelectionOnly, Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo,
                                  Integer& EndOffs, TCustomUVItemInfo*& StartPartial, TCustomUVItemInfo*& EndPartial) {
  if (SelectionOnly)
    GetSelectionBoundsEx(StartItemNo, StartOffs, EndItemNo, EndOffs, StartPartial, EndPartial, true);
  else
    TCustomUVData::GetSelectionBoundsEx(StartItemNo, StartOffs, EndItemNo, EndOffs, StartPartial, EndPartial, true);
}

void TCustomUVData::UpdateItemsStyleContext() {
  if (ShareItems()) return;
  for (Integer i = 0; i < GetItemCount(); ++i) GetItem(i)->UpdateStyleContext(this);
}

void TCustomUVData::TakeItemsFrom(TCustomUVData* Source) {
  if (!ShareItems() || !Source) return;
  Clear();
  Items = Source->Items;
}
