#include "classlib/Lists.h"

#include <algorithm>
#include <cstring>

#include "classlib/SysUtils.h"

namespace {

// The largest count or capacity a list accepts.
constexpr Integer kMaxListSize = 0x7FFFFFFF / 16;
constexpr Integer kMaxBitSize = 0x7FFFFFFF;

const char kListIndexError[] = "List index out of bounds (%d)";
const char kListCapacityError[] = "List capacity out of bounds (%d)";
const char kListCountError[] = "List count out of bounds (%d)";

// Quicksort with the middle item as the pivot; the order of equal items follows from the
// partitioning and is part of the observable result.
void QuickSort(void** list, Integer l, Integer r, TListSortCompare compare) {
  Integer i;
  do {
    i = l;
    Integer j = r;
    void* p = list[(l + r) >> 1];
    do {
      while (compare(list[i], p) < 0) ++i;
      while (compare(list[j], p) > 0) --j;
      if (i <= j) {
        std::swap(list[i], list[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) QuickSort(list, l, j, compare);
    l = i;
  } while (i < r);
}

}  // namespace

// ---- TList ----

TList::~TList() { TList::Clear(); }

void TList::Error(const AnsiString& Msg, Integer Data) {
  throw EListError(Format(Msg, {Data}));
}

void* TList::Get(Integer Index) const {
  if (Index < 0 || Index >= FCount) Error(kListIndexError, Index);
  return FList[static_cast<std::size_t>(Index)];
}

void TList::Put(Integer Index, void* Item) {
  if (Index < 0 || Index >= FCount) Error(kListIndexError, Index);
  void*& slot = FList[static_cast<std::size_t>(Index)];
  if (Item == slot) return;
  void* old = slot;
  slot = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::Grow() {
  Integer capacity = GetCapacity();
  Integer delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
  SetCapacity(capacity + delta);
}

void TList::Notify(void*, TListNotification) {}

Integer TList::Add(void* Item) {
  Integer index = FCount;
  if (index == GetCapacity()) Grow();
  FList[static_cast<std::size_t>(index)] = Item;
  ++FCount;
  if (Item) Notify(Item, lnAdded);
  return index;
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Delete(Integer Index) {
  if (Index < 0 || Index >= FCount) Error(kListIndexError, Index);
  void** items = FList.data();
  void* old = items[Index];
  --FCount;
  std::memmove(items + Index, items + Index + 1, static_cast<std::size_t>(FCount - Index) * sizeof(void*));
  if (old) Notify(old, lnDeleted);
}

void TList::Exchange(Integer Index1, Integer Index2) {
  if (Index1 < 0 || Index1 >= FCount) Error(kListIndexError, Index1);
  if (Index2 < 0 || Index2 >= FCount) Error(kListIndexError, Index2);
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
}

TList* TList::Expand() {
  if (FCount == GetCapacity()) Grow();
  return this;
}

void* TList::Extract(void* Item) {
  Integer i = IndexOf(Item);
  if (i < 0) return nullptr;
  // Cleared first so that Delete does not report the item as deleted.
  FList[static_cast<std::size_t>(i)] = nullptr;
  Delete(i);
  Notify(Item, lnExtracted);
  return Item;
}

Integer TList::IndexOf(const void* Item) const {
  const void* const* items = FList.data();
  for (Integer i = 0; i < FCount; ++i)
    if (items[i] == Item) return i;
  return -1;
}

void TList::Insert(Integer Index, void* Item) {
  if (Index < 0 || Index > FCount) Error(kListIndexError, Index);
  if (FCount == GetCapacity()) Grow();
  void** items = FList.data();
  std::memmove(items + Index + 1, items + Index, static_cast<std::size_t>(FCount - Index) * sizeof(void*));
  items[Index] = Item;
  ++FCount;
  if (Item) Notify(Item, lnAdded);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= FCount) Error(kListIndexError, NewIndex);
  void* item = Get(CurIndex);
  // The item stays in the list, so nobody is told of it.
  void** items = FList.data();
  if (CurIndex < NewIndex)
    std::memmove(items + CurIndex, items + CurIndex + 1, static_cast<std::size_t>(NewIndex - CurIndex) * sizeof(void*));
  else
    std::memmove(items + NewIndex + 1, items + NewIndex, static_cast<std::size_t>(CurIndex - NewIndex) * sizeof(void*));
  items[NewIndex] = item;
}

Integer TList::Remove(void* Item) {
  Integer i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void TList::Pack() {
  for (Integer i = FCount - 1; i >= 0; --i)
    if (!FList[static_cast<std::size_t>(i)]) Delete(i);
}

void TList::Sort(TListSortCompare Compare) {
  if (FCount > 1) QuickSort(FList.data(), 0, FCount - 1, Compare);
}

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < FCount || NewCapacity > kMaxListSize) Error(kListCapacityError, NewCapacity);
  if (NewCapacity == GetCapacity()) return;
  std::vector<void*> items(static_cast<std::size_t>(NewCapacity));
  std::copy_n(FList.begin(), FCount, items.begin());
  FList.swap(items);
}

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0 || NewCount > kMaxListSize) Error(kListCountError, NewCount);
  if (NewCount > GetCapacity()) SetCapacity(NewCount);
  if (NewCount > FCount) {
    std::fill(FList.begin() + FCount, FList.begin() + NewCount, nullptr);
    FCount = NewCount;
  } else {
    for (Integer i = FCount - 1; i >= NewCount; --i) Delete(i);
  }
}

// ---- TObjectList ----

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (OwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
  inherited::Notify(Ptr, Action);
}

Integer TObjectList::FindInstanceOf(TClass AClass, bool AExact, Integer AStartAt) const {
  for (Integer i = std::max(AStartAt, 0); i < GetCount(); ++i) {
    TObject* item = GetItems(i);
    if (!item) continue;
    if (AExact ? item->ClassType() == AClass : item->InheritsFrom(AClass)) return i;
  }
  return -1;
}

// ---- TBits ----

namespace {
[[noreturn]] void BitsError() { throw EBitsError("Bits index out of range"); }
}  // namespace

bool TBits::GetBits(Integer Index) const {
  if (Index < 0 || Index >= GetSize()) BitsError();
  return FBits[static_cast<std::size_t>(Index)];
}

void TBits::SetBits(Integer Index, bool Value) {
  if (Index < 0) BitsError();
  if (Index >= GetSize()) SetSize(Index + 1);
  FBits[static_cast<std::size_t>(Index)] = Value;
}

Integer TBits::OpenBit() const {
  auto it = std::find(FBits.begin(), FBits.end(), false);
  return static_cast<Integer>(it - FBits.begin());
}

void TBits::SetSize(Integer Value) {
  if (Value < 0 || Value > kMaxBitSize) BitsError();
  FBits.resize(static_cast<std::size_t>(Value), false);
}
