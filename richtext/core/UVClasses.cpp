#include "richtext/core/UVClasses.h"

#include <algorithm>
#include <vector>

TUVList::~TUVList() { Clear(); }

void TUVList::Clear() {
  for (Integer i = 0; i < GetCount(); ++i) {
    TObject* item = Get(i);
    TList::SetItems(i, nullptr);
    delete item;
  }
  TList::Clear();
}

void TUVList::Delete(Integer Index) {
  TObject* item = Get(Index);
  TList::Delete(Index);
  delete item;
}

TUVIntegerList* TUVIntegerList::CreateFilled(Integer Count, Integer Value) {
  auto* list = new TUVIntegerList();
  list->SetCapacity(Count);
  for (Integer i = 0; i < Count; ++i) list->Add(Value);
  return list;
}

TUVIntegerList* TUVIntegerList::CreateCopy(TUVIntegerList* Source) {
  auto* list = new TUVIntegerList();
  list->Assign(Source);
  return list;
}

void TUVIntegerList::Assign(TUVIntegerList* Source) {
  Clear();
  SetCapacity(Source->GetCount());
  for (Integer i = 0; i < Source->GetCount(); ++i) Add(Source->Get(i));
}

Integer TUVIntegerList::AddUnique(Integer Value) {
  Integer index = IndexOf(Value);
  return index >= 0 ? index : Add(Value);
}

void TUVIntegerList::Sort() {
  std::vector<Integer> values(GetCount());
  for (Integer i = 0; i < GetCount(); ++i) values[i] = Get(i);
  std::sort(values.begin(), values.end());
  for (Integer i = 0; i < GetCount(); ++i) Put(i, values[i]);
}

void TUVColorList::AddUnique(TColor Color) {
  if (Color != clNone && IndexOf(Color) < 0) Add(Color);
}
