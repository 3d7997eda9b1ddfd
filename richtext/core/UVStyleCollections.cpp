// What the style collections share: the common style fields, the fallback style and merging of
// an incoming collection.
#include <vector>

#include "classlib/StringLists.h"
#include "richtext/core/UVStyle.h"
#include "classlib/TypInfo.h"

bool UVClearStandardOnMerge = true;

TCustomUVInfo::TCustomUVInfo(TCollection* Collection) : TCollectionItem(Collection) {}

void TCustomUVInfo::Assign(TPersistent* Source) {
  if (auto* info = dynamic_cast<TCustomUVInfo*>(Source)) {
    StyleName = info->StyleName;
    BaseStyleNo = info->BaseStyleNo;
    Standard = info->Standard;
    return;
  }
  TCollectionItem::Assign(Source);
}

bool TCustomUVInfo::IsMappedEqual(TCustomUVInfo*, TUVIntegerList*) { return false; }

Integer TCustomUVInfo::SimilarityTo(TCustomUVInfo*) { return 0; }

bool TCustomUVInfo::InClosestPass(TCustomUVInfo*, Integer) { return true; }

void TCustomUVInfo::TranslateReferences(TUVIntegerList* Mapping) {
  if (BaseStyleNo >= 0 && BaseStyleNo < Mapping->GetCount()) BaseStyleNo = Mapping->Get(BaseStyleNo);
}

// ---------------------------------------------------------------------------------------------
// TCustomUVInfos

TCustomUVInfos::TCustomUVInfos(TPersistent* AOwner, TClass ItemClass) : TOwnedCollection(AOwner, ItemClass) {}

TCustomUVInfos::~TCustomUVInfos() { delete FInvalidItem; }

void TCustomUVInfos::AssignTo(TPersistent* Dest) {
  if (auto* strings = dynamic_cast<TStrings*>(Dest)) {
    strings->BeginUpdate();
    strings->Clear();
    for (Integer i = 0; i < GetCount(); ++i) strings->Add(static_cast<TCustomUVInfo*>(GetItems(i))->StyleName);
    strings->EndUpdate();
    return;
  }
  TOwnedCollection::AssignTo(Dest);
}

TCustomUVInfo* TCustomUVInfos::GetInvalidItem() {
  if (!FInvalidItem) {
    FInvalidItem = static_cast<TCustomUVInfo*>(GetItemClass()->Create(nullptr));
    InitInvalidItem(FInvalidItem);
  }
  return FInvalidItem;
}

bool TCustomUVInfos::CanTakeForMerge(TCustomUVInfo*, TCustomUVInfo*, const std::vector<bool>&) { return true; }

bool TCustomUVInfos::MarksTaken(TCustomUVInfo*) { return false; }

void TCustomUVInfos::MergeCollection(TCustomUVInfos* Incoming, TUVStyleMergeMode Mode, TUVIntegerList* Mapping) {
  Mapping->Clear();
  Integer oldCount = GetCount();
  std::vector<bool> taken;
  auto item = [this](Integer i) { return static_cast<TCustomUVInfo*>(GetItems(i)); };
  auto append = [this](TCustomUVInfo* source) {
    TCollectionItem* copy = Add();
    copy->Assign(source);
    return copy->GetIndex();
  };
  for (Integer i = 0; i < Incoming->GetCount(); ++i) {
    auto* in = static_cast<TCustomUVInfo*>(Incoming->GetItems(i));
    Integer index = -1;
    switch (Mode) {
      case uvsmMerge: {
        taken.resize(static_cast<std::size_t>(GetCount()), false);
        auto fits = [&](Integer j) { return CanTakeForMerge(item(j), in, taken) && item(j)->IsMappedEqual(in, Mapping); };
        if (i < GetCount() && fits(i)) {
          index = i;
        } else {
          for (Integer j = 0; j < GetCount() && index < 0; ++j)
            if (fits(j)) index = j;
        }
        if (index < 0) index = append(in);
        taken.resize(static_cast<std::size_t>(GetCount()), false);
        if (MarksTaken(in)) taken[static_cast<std::size_t>(index)] = true;
        break;
      }
      case uvsmClosest: {
        for (Integer pass = 0; pass < in->ClosestPassCount() && index < 0; ++pass) {
          Integer best = 0;
          for (Integer j = 0; j < oldCount; ++j) {
            if (!in->InClosestPass(item(j), pass)) continue;
            Integer value = in->SimilarityTo(item(j));
            if (index < 0 || value > best) {
              index = j;
              best = value;
            }
          }
        }
        if (index < 0) index = 0;
        break;
      }
      case uvsmAdd:
        index = append(in);
        break;
    }
    Mapping->Add(index);
  }
  for (Integer j = oldCount; j < GetCount(); ++j) {
    item(j)->TranslateReferences(Mapping);
    if (UVClearStandardOnMerge) item(j)->Standard = false;
  }
}

PUBLISHED(TCustomUVInfo) {
  Prop("BaseStyleNo", &TCustomUVInfo::BaseStyleNo).Default(-1);
  Prop("StyleName", &TCustomUVInfo::StyleName);
  Prop("Standard", &TCustomUVInfo::Standard).Default(true);
}
