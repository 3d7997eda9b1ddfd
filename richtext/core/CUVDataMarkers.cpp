// The document's list-marker bookkeeping and its chain of checkpoints.
#include "richtext/core/CUVData.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"

namespace {

// The last marker in Data before item Before, looking into items that hold documents, without
// leaving Data.
TUVMarkerItemInfo* LastMarkerBefore(TCustomUVData* Data, Integer Before) {
  for (Integer i = Before - 1; i >= 0; --i) {
    TCustomUVItemInfo* item = Data->GetItem(i);
    if (item->StyleNo == uvsListMarker) return static_cast<TUVMarkerItemInfo*>(item);
    TUVStoreSubUVData* state = nullptr;
    TCustomUVFormattedData* sub = item->GetSubDocument(state, uvsdLast);
    TUVMarkerItemInfo* found = nullptr;
    while (sub && !found) {
      found = LastMarkerBefore(sub, sub->GetItemCount());
      if (found) break;
      TUVStoreSubUVData* previous = state;
      sub = item->GetSubDocument(previous, uvsdPrev);
      if (previous != state) {
        delete state;
        state = previous;
      }
    }
    delete state;
    if (found) return found;
  }
  return nullptr;
}

}  // namespace

TUVMarkerItemInfo* TCustomUVData::FindPreviousMarker(Integer ItemNo) {
  TCustomUVData* data = this;
  Integer before = ItemNo;
  while (data) {
    if (TUVMarkerItemInfo* marker = LastMarkerBefore(data, before)) return marker;
    // Go on in the document that holds this one, from the item that holds it.
    Integer parentItemNo = -1;
    TCustomUVItemInfo* location = nullptr;
    data->GetParentInfo(parentItemNo, location);
    TCustomUVData* parent = data->GetAbsoluteParentData();
    if (!parent || parentItemNo < 0) break;
    data = parent;
    before = parentItemNo;
  }
  return nullptr;
}

void TCustomUVData::AddMarkerToList(Integer ItemNo) {
  auto* marker = dynamic_cast<TUVMarkerItemInfo*>(GetItem(ItemNo));
  if (!marker) return;
  TUVMarkerList* list = GetMarkers(true);
  if (!list || marker->GetIndexInList(list) >= 0) return;
  list->InsertAfter(marker, FindPreviousMarker(ItemNo));
  list->RecalcCounters(marker->IndexInList, GetUVStyle());
}

void TCustomUVData::RemoveMarkerFromList(TUVMarkerItemInfo* Marker, bool Clearing) {
  TUVMarkerList* list = GetMarkers(false);
  if (!list) return;
  Integer index = Marker->GetIndexInList(list);
  if (index < 0) return;
  list->Delete(index);
  Marker->IndexInList = -1;
  if (list->GetCount() == 0) {
    DestroyMarkers();
    return;
  }
  if (Clearing) return;
  // The markers of the removed marker's list after it count one less; markers of other lists
  // keep their numbers.
  for (Integer i = index; i < list->GetCount(); ++i)
    if (list->Get(i)->ListNo == Marker->ListNo) {
      list->RecalcCounters(i, GetUVStyle());
      break;
    }
}

void TCustomUVData::RecalcMarkersFrom(Integer ItemNo) {
  auto* marker = dynamic_cast<TUVMarkerItemInfo*>(GetItem(ItemNo));
  TUVMarkerList* list = GetMarkers(false);
  if (!marker || !list) return;
  list->RecalcCounters(marker->GetIndexInList(list), GetUVStyle());
}

// ---------------------------------------------------------------------------------------------
// Checkpoints

void TCustomUVData::UpdateCheckpointItemNumbers() {
  Integer found = 0;
  for (Integer i = 0; i < GetItemCount() && found < CPCount; ++i) {
    if (TUVCPInfo* cp = GetItem(i)->Checkpoint) {
      cp->ItemNo = i;
      ++found;
    }
  }
}

void TCustomUVData::LinkCheckpoint(TUVCPInfo* CP) {
  UpdateCheckpointItemNumbers();
  CP->Next = CP->Prev = nullptr;
  if (!FirstCP) {
    FirstCP = LastCP = CP;
    return;
  }
  if (CP->ItemNo < FirstCP->ItemNo) {
    CP->Next = FirstCP;
    FirstCP->Prev = CP;
    FirstCP = CP;
    return;
  }
  if (CP->ItemNo >= LastCP->ItemNo) {
    CP->Prev = LastCP;
    LastCP->Next = CP;
    LastCP = CP;
    return;
  }
  TUVCPInfo* after = FirstCP;
  while (after->Next && after->Next->ItemNo <= CP->ItemNo) after = after->Next;
  CP->Prev = after;
  CP->Next = after->Next;
  if (after->Next) after->Next->Prev = CP;
  after->Next = CP;
}

void TCustomUVData::UnlinkCheckpoint(TUVCPInfo* CP) {
  if (CP->Prev)
    CP->Prev->Next = CP->Next;
  else if (FirstCP == CP)
    FirstCP = CP->Next;
  if (CP->Next)
    CP->Next->Prev = CP->Prev;
  else if (LastCP == CP)
    LastCP = CP->Prev;
  CP->Next = CP->Prev = nullptr;
}

void TCustomUVData::FreeCheckpoint(TUVCPInfo*& CP, bool Unlink, bool DecCount) {
  if (!CP) return;
  if (Unlink) UnlinkCheckpoint(CP);
  FreeTag(CP->Tag);
  if (CP->ItemInfo && CP->ItemInfo->Checkpoint == CP) CP->ItemInfo->Checkpoint = nullptr;
  if (NotAddedCP == CP) NotAddedCP = nullptr;
  delete CP;
  CP = nullptr;
  if (DecCount) --CPCount;
}

TUVCPInfo* TCustomUVData::GetCheckpointBeforeItem(Integer ItemNo) {
  UpdateCheckpointItemNumbers();
  if (!FirstCP || FirstCP->ItemNo >= ItemNo) return nullptr;
  TUVCPInfo* cp = FirstCP;
  while (cp->Next && cp->Next->ItemNo < ItemNo) cp = cp->Next;
  return cp;
}
