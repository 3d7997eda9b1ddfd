#include "richtext/core/DLines.h"

#include "classlib/WinApi.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVUni.h"

Integer TUVScreenAndDevice::XToDevice(Integer Value) const { return MulDiv(Value, DevicePpiX, ScreenPpiX); }
Integer TUVScreenAndDevice::YToDevice(Integer Value) const { return MulDiv(Value, DevicePpiY, ScreenPpiY); }
Integer TUVScreenAndDevice::XToScreen(Integer Value) const { return MulDiv(Value, ScreenPpiX, DevicePpiX); }
Integer TUVScreenAndDevice::YToScreen(Integer Value) const { return MulDiv(Value, ScreenPpiY, DevicePpiY); }

TUVDrawLineInfo::TUVDrawLineInfo(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight, Integer AItemNo,
                                 bool AFromNewLine) {
  TUVDrawLineInfo::SetData(ALeft, ATop, AItemNo, AFromNewLine);
  TUVDrawLineInfo::SetSize(AWidth, AHeight);
}

void TUVDrawLineInfo::SetData(Integer ALeft, Integer ATop, Integer AItemNo, bool AFromNewLine) {
  Left = ALeft;
  Top = ATop;
  ItemNo = AItemNo;
  FromNewLine = AFromNewLine;
}

void TUVDrawLineInfo::SetSize(Integer AWidth, Integer AHeight) {
  Width = AWidth;
  Height = AHeight;
}

bool TUVMultiDrawItemInfo::StartPages() {
  ResetPages();
  return false;
}
bool TUVMultiDrawItemInfo::CanSplitFirst(Integer) { return false; }
bool TUVMultiDrawItemInfo::SplitAt(Integer) { return false; }
void TUVMultiDrawItemInfo::ResetPages() { PartsList.Clear(); }

TUVDrawLines::~TUVDrawLines() { Clear(); }

void TUVDrawLines::Clear() {
  for (Integer i = 0; i < GetCount(); ++i) {
    TUVDrawLineInfo* item = Get(i);
    TList::SetItems(i, nullptr);
    delete item;
  }
  TList::Clear();
  DeleteFirst = -1;
  DeleteCount = 0;
}

void TUVDrawLines::Insert(Integer Index, TUVDrawLineInfo* Item) {
  if (DeleteCount > 0) {
    ++DeleteFirst;
    --DeleteCount;
    TList::SetItems(Index, Item);
  } else {
    TList::Insert(Index, Item);
  }
}

void TUVDrawLines::Delete(Integer Index) {
  TUVDrawLineInfo* item = Get(Index);
  TList::Delete(Index);
  delete item;
}

void TUVDrawLines::GetDrawItemText(Integer Index, TCustomUVData* UVData, AnsiString& Text) const {
  TUVDrawLineInfo* dli = Get(Index);
  Text = UVUniCopy(UVData->Items->GetStrings(dli->ItemNo), dli->Offs, dli->Length,
                   UVData->GetItemOptions(dli->ItemNo));
}

void TUVDrawLines::GetSubDrawItemText(Integer Index, TCustomUVData* UVData, AnsiString& Text, Integer From,
                                      Integer Count) const {
  TUVDrawLineInfo* dli = Get(Index);
  if (From < 1) From = 1;
  if (Count > dli->Length - From + 1) Count = dli->Length - From + 1;
  Text = UVUniCopy(UVData->Items->GetStrings(dli->ItemNo), dli->Offs + From - 1, Count,
                   UVData->GetItemOptions(dli->ItemNo));
}

void TUVDrawLines::Detach(Integer From, std::vector<TUVDrawLineInfo*>& Into) {
  Integer count = GetCount();
  Into.clear();
  for (Integer i = From; i < count; ++i) {
    Into.push_back(Get(i));
    TList::SetItems(i, nullptr);
  }
  if (From < count) TList::SetCount(From);
}

void TUVDrawLines::MarkForDelete(Integer First, Integer Last) {
  for (Integer i = First; i <= Last; ++i) {
    TUVDrawLineInfo* item = Get(i);
    TList::SetItems(i, nullptr);
    delete item;
  }
  DeleteFirst = First;
  DeleteCount = Last - First + 1;
}

void TUVDrawLines::DeleteMarked() {
  if (DeleteCount <= 0) return;
  // One block move: the entries after the window close the gap.
  void** list = GetList();
  Integer count = GetCount();
  for (Integer i = DeleteFirst + DeleteCount; i < count; ++i) list[i - DeleteCount] = list[i];
  for (Integer i = count - DeleteCount; i < count; ++i) list[i] = nullptr;
  TList::SetCount(count - DeleteCount);
  DeleteCount = 0;
}
