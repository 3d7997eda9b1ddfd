// The picture lists (bitmap list, image list, the connector of class-library image lists), the
// string and wave lists, and the container of all four kinds.
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Filer.h"
#include "classlib/ImgList.h"
#include "controls/viscont.h"
#include "controls/visgraph.h"

PUBLISHED(TVisBitmapList) {
  Prop("About", &TVisBitmapList::About).Stored(false);
  Prop("DefaultCompressed", &TVisBitmapList::DefaultCompressed).Default(false);
  Prop("DefaultPixelFormat", &TVisBitmapList::DefaultPixelFormat).Default(spfDefault);
}

PUBLISHED(TVisImageList) {
  Prop("About", &TVisImageList::About).Stored(false);
  Prop("DefaultCompressed", &TVisImageList::DefaultCompressed).Default(false);
  Prop("DefaultPixelFormat", &TVisImageList::DefaultPixelFormat).Default(spfDefault);
}

PUBLISHED(TVisStringList) {
  Prop("About", &TVisStringList::About).Stored(false);
  Prop("DefaultCompressed", &TVisStringList::DefaultCompressed).Default(false);
}

PUBLISHED(TVisWaveList) {
  Prop("About", &TVisWaveList::About).Stored(false);
  Prop("DefaultCompressed", &TVisWaveList::DefaultCompressed).Default(false);
}

PUBLISHED(TVisContainer) { Prop("About", &TVisContainer::About).Stored(false); }

PUBLISHED(TVisBorImageListItem) {
  Prop("Name", &TVisBorImageListItem::GetName, &TVisBorImageListItem::SetName);
  Prop("ImageList", &TVisBorImageListItem::GetImageList, &TVisBorImageListItem::SetImageList);
  Prop("Index", &TCollectionItem::GetIndex, &TCollectionItem::SetIndex).Stored(false);
}

PUBLISHED(TVisImageListConnector) {
  Prop("About", &TVisImageListConnector::About).Stored(false);
  Prop("ImageLists", &TVisImageListConnector::GetImageLists, &TVisImageListConnector::SetImageLists);
}

namespace {

constexpr TColor kNeutral = 0xFFFFFF;

TColor PlainColor(TColor Color) { return ColorToRGB(Color) & 0xFFFFFF; }

}  // namespace

// --- TVisCustomImageList ------------------------------------------------------------------------------

TCanvas* TVisCustomImageList::ItemCanvas(Integer) { return nullptr; }
TRect TVisCustomImageList::ItemRect(Integer, Integer) { return TRect{}; }
Integer TVisCustomImageList::ItemDimension(Integer, Integer) { return 0; }
Integer TVisCustomImageList::PictureCount(Integer) { return 0; }
bool TVisCustomImageList::IsValid(Integer, Integer) { return false; }
void TVisCustomImageList::AssignPicture(Integer, Integer, TBitmap*) {}
bool TVisCustomImageList::IsMasked(Integer) { return false; }
HPALETTE TVisCustomImageList::ItemPalette(Integer) { return nullptr; }
TColor TVisCustomImageList::TransparentColor(Integer, Integer) { return kNeutral; }
TColor TVisCustomImageList::PixelColor(Integer, Integer, TPoint) { return kNeutral; }
void TVisCustomImageList::Draw(TCanvas*, Integer, Integer, Integer, Integer) {}
void TVisCustomImageList::DrawInRect(TCanvas*, Integer, Integer, TRect&, Word) {}
void TVisCustomImageList::DrawEffect(TCanvas*, Integer, Integer, TRect&, Word, DWORD) {}

// --- TVisBitmapList -----------------------------------------------------------------------------------

TVisBitmapList::TVisBitmapList(TComponent* AOwner) : TVisCustomImageList(AOwner) {
  FKind = vlkBitmapList;
  StorageMode = 1;
}

TClass TVisBitmapList::ItemClass() const { return TVisBitmapListItem::StaticClass(); }

void TVisBitmapList::InitItem(TVisListItem* Item) {
  static_cast<TVisBitmapListItem*>(Item)->SetPixelFormat(DefaultPixelFormat);
}

TBitmap* TVisBitmapList::PictureOf(Integer ListIndex) {
  TVisBitmapListItem* item = GetItems(ListIndex);
  if (!item) return nullptr;
  TBitmap* bitmap = item->GetBitmap();
  return bitmap->GetEmpty() ? nullptr : bitmap;
}

TCanvas* TVisBitmapList::ItemCanvas(Integer ListIndex) {
  TVisBitmapListItem* item = GetItems(ListIndex);
  return item ? item->GetBitmap()->GetCanvas() : nullptr;
}

TRect TVisBitmapList::ItemRect(Integer ListIndex, Integer) {
  TBitmap* bitmap = PictureOf(ListIndex);
  return bitmap ? Rect(0, 0, bitmap->GetWidth(), bitmap->GetHeight()) : TRect{};
}

Integer TVisBitmapList::ItemDimension(Integer ListIndex, Integer Which) {
  TBitmap* bitmap = PictureOf(ListIndex);
  if (!bitmap) return 0;
  return Which == 0 ? bitmap->GetWidth() : bitmap->GetHeight();
}

Integer TVisBitmapList::PictureCount(Integer ListIndex) { return PictureOf(ListIndex) ? 1 : 0; }

bool TVisBitmapList::IsValid(Integer ListIndex, Integer) { return PictureOf(ListIndex) != nullptr; }

void TVisBitmapList::AssignPicture(Integer ListIndex, Integer, TBitmap* Target) {
  TBitmap* bitmap = PictureOf(ListIndex);
  if (bitmap && Target) Target->Assign(bitmap);
}

HPALETTE TVisBitmapList::ItemPalette(Integer ListIndex) {
  TBitmap* bitmap = PictureOf(ListIndex);
  return bitmap ? bitmap->GetPalette() : nullptr;
}

TColor TVisBitmapList::TransparentColor(Integer ListIndex, Integer) {
  TBitmap* bitmap = PictureOf(ListIndex);
  return bitmap ? PlainColor(bitmap->GetTransparentColor()) : kNeutral;
}

TColor TVisBitmapList::PixelColor(Integer ListIndex, Integer, TPoint Point) {
  TBitmap* bitmap = PictureOf(ListIndex);
  if (!bitmap || Point.X < 0 || Point.Y < 0 || Point.X >= bitmap->GetWidth() || Point.Y >= bitmap->GetHeight())
    return kNeutral;
  return bitmap->GetCanvas()->GetPixels(Point.X, Point.Y);
}

void TVisBitmapList::Draw(TCanvas* Canvas, Integer ListIndex, Integer, Integer X, Integer Y) {
  if (TBitmap* bitmap = PictureOf(ListIndex)) Canvas->Draw(X, Y, bitmap);
}

void TVisBitmapList::DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer, TRect& Rect, Word Flags) {
  TBitmap* bitmap = PictureOf(ListIndex);
  if (!bitmap) return;
  DrawBitmapInRect(Canvas, Rect, bitmap, PlainColor(bitmap->GetTransparentColor()), nullptr, nullptr,
                   bitmap->GetPalette(), Flags & ~dbGraphic, ::Rect(0, 0, bitmap->GetWidth(), bitmap->GetHeight()));
}

void TVisBitmapList::DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer, TRect& Rect, Word Flags,
                                DWORD ClipOffset) {
  if (TBitmap* bitmap = PictureOf(ListIndex))
    DrawBitmapExt(Canvas, Rect, bitmap, Flags, PlainColor(bitmap->GetTransparentColor()), nullptr, ClipOffset);
}

void TVisBitmapList::LoadItemFile(TVisListItem* Item, const AnsiString& FileName) {
  if (auto* item = dynamic_cast<TVisBitmapListItem*>(Item)) item->GetBitmapNoLoad()->LoadFromFile(FileName);
}

// --- TVisImageList ------------------------------------------------------------------------------------

TVisImageList::TVisImageList(TComponent* AOwner) : TVisCustomImageList(AOwner) { FKind = vlkImageList; }

TClass TVisImageList::ItemClass() const { return TVisImageListItem::StaticClass(); }

void TVisImageList::InitItem(TVisListItem* Item) {
  static_cast<TVisImageListItem*>(Item)->SetPixelFormat(DefaultPixelFormat);
}

TVisImageListItem* TVisImageList::ValidItem(Integer ListIndex, Integer ImageIndex) {
  TVisImageListItem* item = GetItems(ListIndex);
  return item && ImageIndex >= 0 && ImageIndex < item->GetPictureCount() ? item : nullptr;
}

TCanvas* TVisImageList::ItemCanvas(Integer ListIndex) {
  TVisImageListItem* item = GetItems(ListIndex);
  return item ? item->GetImage()->GetCanvas() : nullptr;
}

TRect TVisImageList::ItemRect(Integer ListIndex, Integer ImageIndex) {
  TVisImageListItem* item = ValidItem(ListIndex, ImageIndex);
  return item ? item->PictureRect(ImageIndex) : TRect{};
}

Integer TVisImageList::ItemDimension(Integer ListIndex, Integer Which) {
  TVisImageListItem* item = GetItems(ListIndex);
  if (!item) return 0;
  return Which == 0 ? item->GetWidth() : item->GetHeight();
}

Integer TVisImageList::PictureCount(Integer ListIndex) {
  TVisImageListItem* item = GetItems(ListIndex);
  return item ? item->GetPictureCount() : -1;
}

bool TVisImageList::IsValid(Integer ListIndex, Integer ImageIndex) { return ValidItem(ListIndex, ImageIndex); }

void TVisImageList::AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target) {
  if (TVisImageListItem* item = ValidItem(ListIndex, ImageIndex); item && Target) item->AssignPicture(ImageIndex, Target);
}

bool TVisImageList::IsMasked(Integer ListIndex) {
  TVisImageListItem* item = GetItems(ListIndex);
  return item && item->GetMasked();
}

HPALETTE TVisImageList::ItemPalette(Integer ListIndex) {
  TVisImageListItem* item = GetItems(ListIndex);
  return item ? item->GetImage()->GetPalette() : nullptr;
}

TColor TVisImageList::TransparentColor(Integer ListIndex, Integer ImageIndex) {
  TVisImageListItem* item = ValidItem(ListIndex, ImageIndex);
  return item ? PlainColor(item->TransparentColor(ImageIndex)) : kNeutral;
}

TColor TVisImageList::PixelColor(Integer ListIndex, Integer ImageIndex, TPoint Point) {
  TVisImageListItem* item = ValidItem(ListIndex, ImageIndex);
  if (!item || Point.X < 0 || Point.Y < 0 || Point.X >= item->GetWidth() || Point.Y >= item->GetHeight())
    return kNeutral;
  return PlainColor(item->PixelColor(ImageIndex, Point));
}

void TVisImageList::Draw(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y) {
  if (TVisImageListItem* item = ValidItem(ListIndex, ImageIndex)) item->Draw(Canvas, X, Y, ImageIndex);
}

void TVisImageList::DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags) {
  if (TVisImageListItem* item = ValidItem(ListIndex, ImageIndex)) item->DrawInRect(Canvas, ImageIndex, Rect, Flags);
}

void TVisImageList::DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags,
                               DWORD ClipOffset) {
  if (TVisImageListItem* item = ValidItem(ListIndex, ImageIndex))
    item->DrawInRect(Canvas, ImageIndex, Rect, Flags, ClipOffset);
}

// --- The connector of class-library image lists -------------------------------------------------------

TVisBorImageListItem::TVisBorImageListItem(TCollection* Collection)
    : TCollectionItem(Collection), FLink(new TChangeLink) {
  FLink->OnChange = TNotifyEvent(this, &TVisBorImageListItem::ListChanged);
}

TVisBorImageListItem::~TVisBorImageListItem() {
  if (FImageList) FImageList->UnRegisterChanges(FLink);
  delete FLink;
}

void TVisBorImageListItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisBorImageListItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FName = source->FName;
  SetImageList(source->FImageList);
}

AnsiString TVisBorImageListItem::GetDisplayName() {
  if (!FName.empty()) return FName;
  if (FImageList) return FImageList->GetName();
  return inherited::GetDisplayName();
}

void TVisBorImageListItem::SetName(const AnsiString& Value) {
  if (Value == FName) return;
  FName = Value;
  Changed();
}

void TVisBorImageListItem::SetImageList(TCustomImageList* Value) {
  if (Value == FImageList) return;
  auto* lists = dynamic_cast<TVisBorImageListItems*>(GetCollection());
  TVisImageListConnector* connector = lists ? lists->GetConnector() : nullptr;
  if (FImageList) FImageList->UnRegisterChanges(FLink);
  FImageList = Value;
  if (FImageList) {
    FImageList->RegisterChanges(FLink);
    if (connector) FImageList->FreeNotification(connector);
  }
  Changed();
}

void TVisBorImageListItem::ListChanged(TObject*) { Changed(); }

void TVisBorImageListItem::Changed() {
  if (auto* lists = dynamic_cast<TVisBorImageListItems*>(GetCollection())) lists->GetConnector()->ListsChanged();
}

TVisBorImageListItems::TVisBorImageListItems(TVisImageListConnector* AOwner)
    : TCollection(TVisBorImageListItem::StaticClass()), FConnector(AOwner) {}

TPersistent* TVisBorImageListItems::GetOwner() const { return FConnector; }

void TVisBorImageListItems::Update(TCollectionItem*) { FConnector->ListsChanged(); }

TVisImageListConnector::TVisImageListConnector(TComponent* AOwner)
    : TVisCustomImageList(AOwner),
      FImageLists(new TVisBorImageListItems(this)),
      FSharedItem(new TVisListItem(nullptr)),
      FWork(new TBitmap) {}

TVisImageListConnector::~TVisImageListConnector() {
  // The entries let their lists go before the connector's parts go.
  BeginUpdate();
  delete FImageLists;
  FImageLists = nullptr;
  delete FSharedItem;
  delete FWork;
}

void TVisImageListConnector::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || !FImageLists) return;
  for (Integer i = 0; i < FImageLists->GetCount(); ++i)
    if (FImageLists->GetItems(i)->GetImageList() == AComponent) FImageLists->GetItems(i)->SetImageList(nullptr);
}

void TVisImageListConnector::SetImageLists(TVisBorImageListItems* Value) { FImageLists->Assign(Value); }

void TVisImageListConnector::ListsChanged() {
  if (FImageLists) DoChange();
}

Integer TVisImageListConnector::GetListCount() const { return FImageLists ? FImageLists->GetCount() : 0; }

Integer TVisImageListConnector::GetCount() const { return GetListCount(); }

TVisListItem* TVisImageListConnector::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetListCount()) return nullptr;
  FSharedItem->BeginUpdate();
  FSharedItem->SetDescription(FImageLists->GetItems(Index)->GetName());
  FSharedItem->EndUpdate(false);
  return FSharedItem;
}

TCustomImageList* TVisImageListConnector::ListOf(Integer ListIndex) {
  if (ListIndex < 0 || ListIndex >= GetListCount()) return nullptr;
  return FImageLists->GetItems(ListIndex)->GetImageList();
}

bool TVisImageListConnector::CopyToWork(Integer ListIndex, Integer ImageIndex) {
  if (!IsValid(ListIndex, ImageIndex)) return false;
  return ListOf(ListIndex)->GetBitmap(ImageIndex, FWork);
}

TCanvas* TVisImageListConnector::ItemCanvas(Integer) { return nullptr; }

TRect TVisImageListConnector::ItemRect(Integer ListIndex, Integer) {
  TCustomImageList* list = ListOf(ListIndex);
  return list ? Rect(0, 0, list->GetWidth(), list->GetHeight()) : TRect{};
}

Integer TVisImageListConnector::ItemDimension(Integer ListIndex, Integer Which) {
  TCustomImageList* list = ListOf(ListIndex);
  if (!list) return 0;
  return Which == 0 ? list->GetWidth() : list->GetHeight();
}

Integer TVisImageListConnector::PictureCount(Integer ListIndex) {
  if (ListIndex < 0 || ListIndex >= GetListCount()) return -1;
  TCustomImageList* list = ListOf(ListIndex);
  return list ? list->GetCount() : 0;
}

bool TVisImageListConnector::IsValid(Integer ListIndex, Integer ImageIndex) {
  TCustomImageList* list = ListOf(ListIndex);
  return list && ImageIndex >= 0 && ImageIndex < list->GetCount();
}

void TVisImageListConnector::AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target) {
  if (Target && IsValid(ListIndex, ImageIndex)) ListOf(ListIndex)->GetBitmap(ImageIndex, Target);
}

bool TVisImageListConnector::IsMasked(Integer ListIndex) {
  TCustomImageList* list = ListOf(ListIndex);
  return list && list->GetMasked();
}

HPALETTE TVisImageListConnector::ItemPalette(Integer) { return nullptr; }

TColor TVisImageListConnector::TransparentColor(Integer ListIndex, Integer ImageIndex) {
  return CopyToWork(ListIndex, ImageIndex) ? PlainColor(FWork->GetTransparentColor()) : kNeutral;
}

TColor TVisImageListConnector::PixelColor(Integer, Integer, TPoint) { return kNeutral; }

void TVisImageListConnector::Draw(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y) {
  if (IsValid(ListIndex, ImageIndex)) ListOf(ListIndex)->Draw(Canvas, X, Y, ImageIndex);
}

void TVisImageListConnector::DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect,
                                        Word Flags) {
  if (!CopyToWork(ListIndex, ImageIndex)) return;
  DrawBitmapInRect(Canvas, Rect, FWork, PlainColor(FWork->GetTransparentColor()), nullptr, nullptr, nullptr,
                   Flags & ~(dbGraphic | dbMask), ::Rect(0, 0, FWork->GetWidth(), FWork->GetHeight()));
}

void TVisImageListConnector::DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect,
                                        Word Flags, DWORD ClipOffset) {
  if (CopyToWork(ListIndex, ImageIndex))
    DrawBitmapExt(Canvas, Rect, FWork, Flags & ~dbMask, PlainColor(FWork->GetTransparentColor()), nullptr,
                  ClipOffset);
}

// --- String and wave lists ----------------------------------------------------------------------------

TVisStringList::TVisStringList(TComponent* AOwner) : TVisCustomContainer(AOwner) { FKind = vlkStringList; }

TClass TVisStringList::ItemClass() const { return TVisStringListItem::StaticClass(); }

void TVisStringList::InitItem(TVisListItem*) {}

TVisWaveList::TVisWaveList(TComponent* AOwner) : TVisCustomContainer(AOwner) { FKind = vlkWaveList; }

TClass TVisWaveList::ItemClass() const { return TVisWaveListItem::StaticClass(); }

void TVisWaveList::InitItem(TVisListItem*) {}

// --- TVisContainer --------------------------------------------------------------------------------------

TVisContainer::TVisContainer(TComponent* AOwner)
    : TVisBaseContainer(AOwner),
      FBitmapList(new TVisBitmapList(this)),
      FImageList(new TVisImageList(this)),
      FWaveList(new TVisWaveList(this)),
      FStringList(new TVisStringList(this)) {
  const char* names[] = {"BitmapList", "ImageList", "WaveList", "StringList"};
  TVisCustomContainer* lists[] = {FBitmapList, FImageList, FWaveList, FStringList};
  for (int i = 0; i < 4; ++i) {
    lists[i]->SetName(names[i]);
    lists[i]->SetSubComponent(true);
    lists[i]->OnChange = TNotifyEvent(this, &TVisContainer::ListChanged);
  }
}

void TVisContainer::ListChanged(TObject* Sender) {
  auto* changed = dynamic_cast<TVisCustomContainer*>(Sender);
  auto* global = dynamic_cast<TVisContainer*>(VisGlobalListOwner);
  if (changed && global && global != this && GetComponentState().Contains(csDesigning)) {
    TVisCustomContainer* same = nullptr;
    switch (changed->GetKind()) {
      case vlkBitmapList: same = global->FBitmapList; break;
      case vlkImageList: same = global->FImageList; break;
      case vlkWaveList: same = global->FWaveList; break;
      case vlkStringList: same = global->FStringList; break;
      default: break;
    }
    if (same) same->Assign(changed);
  }
  DoChange();
}

void TVisContainer::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  TVisCustomContainer* lists[] = {FBitmapList, FImageList, FWaveList, FStringList};
  for (TVisCustomContainer* list : lists) {
    Filer->DefineBinaryProperty(list == FBitmapList  ? "BitmapList"
                                : list == FImageList ? "ImageList"
                                : list == FWaveList  ? "WaveList"
                                                     : "StringList",
                                TStreamProc(list, &TVisCustomContainer::ReadContent),
                                TStreamProc(list, &TVisCustomContainer::WriteContent), list->GetCount() > 0);
  }
}
