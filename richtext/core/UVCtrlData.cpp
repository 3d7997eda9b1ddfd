#include "richtext/core/UVCtrlData.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "classlib/Forms.h"
#include "richtext/core/UVItem.h"

namespace {

bool IsInside(TControl* Control, TWinControl* Container) {
  for (TControl* c = Control; c; c = c->GetParent())
    if (c == Container) return true;
  return false;
}

// Where a document's (0, 0) lies in the coordinates of the outermost document.
void OriginInRoot(TCustomUVFormattedData* Data, Integer& X, Integer& Y) {
  X = Y = 0;
  TCustomUVData* data = Data;
  for (TCustomUVData* parent = data->GetAbsoluteParentData(); parent; parent = data->GetAbsoluteParentData()) {
    Integer ox = 0, oy = 0;
    if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(data)) formatted->GetOrigin(ox, oy);
    X += ox;
    Y += oy;
    data = parent;
  }
}

// Every item of the document that can take the focus, in reading order, through the documents
// nested in its items.
void CollectFocusable(TCustomUVFormattedData* Data, std::vector<std::pair<TCustomUVFormattedData*, Integer>>& Out) {
  TUVStyle* style = Data->GetUVStyle();
  for (Integer i = 0; i < Data->GetItemCount(); ++i) {
    TCustomUVItemInfo* item = Data->GetItem(i);
    if (item->QueryStyledFlag(uvbspAllowsFocus, style))
      Out.emplace_back(Data, i);
    else
      UVForEachSubDocument(item, true, [&](TCustomUVFormattedData* sub) {
        CollectFocusable(sub, Out);
        return false;
      });
  }
}

}  // namespace

void TUVControlData::DrawFocusRect(TCanvas* Canvas) {
  if (!Canvas || !HasFocusedItem()) return;
  FFocusedItemData->DrawItemFocusRect(Canvas, FFocusedItemData->FocusedItemNo);
}

void TUVControlData::PaintBuffered(TCanvas* Canvas, const TRect& ClipRect) {
  DrawFocusRect(Canvas);
  TCustomUVFormattedData::PaintBuffered(Canvas, ClipRect);
  DrawFocusRect(Canvas);
}

void TUVControlData::SetFocusedItem(TCustomUVFormattedData* Data, Integer ItemNo) {
  TCanvas* canvas = GetCanvas();
  DrawFocusRect(canvas);
  if (FFocusedItemData) FFocusedItemData->ClearFocusedItem();
  ClearFocusedItem();
  FFocusedItemData = ItemNo >= 0 ? Data : nullptr;
  if (FFocusedItemData) FFocusedItemData->SetFocusedItemNo(ItemNo);
  DrawFocusRect(canvas);
}

void TUVControlData::MouseFocusItem(TCustomUVFormattedData* Data, Integer ItemNo) {
  // The focus rectangle is hidden while the mouse is released and shown again afterwards.
  if (TabNavigation == uvtnNone) return;
  if (FFocusedItemData) FFocusedItemData->ClearFocusedItem();
  ClearFocusedItem();
  FFocusedItemData = Data;
  Data->SetFocusedItemNo(ItemNo);
}

void TUVControlData::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCanvas* canvas = GetCanvas();
  DrawFocusRect(canvas);
  TCustomUVFormattedData::MouseUp(Button, Shift, X, Y);
  DrawFocusRect(canvas);
}

void TUVControlData::ClearFormattingData() {
  if (FFocusedItemData) FFocusedItemData->ClearFocusedItem();
  FFocusedItemData = nullptr;
  ClearFocusedItem();
  TCustomUVFormattedData::ClearFormattingData();
}

void TUVControlData::Deselect(TCustomUVItemInfo* NewPartiallySelected, bool MakeEvent) {
  if (!(State & uvstDeselecting)) {
    State |= uvstDeselecting;
    if (HasFocusedItem()) {
      // What the focus rectangle covered is painted again.
      TCustomUVFormattedData* data = FFocusedItemData;
      Integer itemNo = data->FocusedItemNo;
      data->ClearFocusedItem();
      FFocusedItemData = nullptr;
      TWinControl* control = GetParentControl();
      if (control && control->HandleAllocated()) {
        Integer ox, oy;
        OriginInRoot(data, ox, oy);
        ox -= GetHOffs();
        oy -= GetVOffs();
        for (Integer d = data->ItemToFirstDrawItem(itemNo);
             d >= 0 && d < data->DrawItems->GetCount() && data->DrawItems->Get(d)->ItemNo == itemNo; ++d) {
          TUVDrawLineInfo* dli = data->DrawItems->Get(d);
          RECT r{dli->Left + ox - 1, dli->Top + oy - 1, dli->Left + ox + dli->Width + 1, dli->Top + oy + dli->Height + 1};
          ::InvalidateRect(control->GetHandle(), &r, FALSE);
        }
      }
    }
    FFocusedItemData = nullptr;
    ClearFocusedItem();
    State &= ~static_cast<Cardinal>(uvstDeselecting);
  }
  TCustomUVFormattedData::Deselect(NewPartiallySelected, MakeEvent);
}

Integer TUVControlData::FocusStart() {
  if (!HasFocusedItem()) return -1;
  if (FFocusedItemData == this) return FocusedItemNo;
  return FindItemDeep(0, FFocusedItemData->GetItem(FFocusedItemData->FocusedItemNo));
}

void TUVControlData::ShowFocusedItem() {
  TCustomUVFormattedData* data = FFocusedItemData;
  Integer itemNo = data->FocusedItemNo;
  TCustomUVItemInfo* item = data->GetItem(itemNo);
  if (item->StyleNo == uvsComponent) {
    auto* control = dynamic_cast<TWinControl*>(static_cast<TUVControlItemInfo*>(item)->Control);
    if (control && control->CanFocus()) control->SetFocus();
    return;
  }
  Integer d = data->ItemToFirstDrawItem(itemNo);
  if (d < 0) return;
  Integer ox, oy;
  OriginInRoot(data, ox, oy);
  TUVDrawLineInfo* dli = data->DrawItems->Get(d);
  ScrollToShowRect(dli->Left + ox, dli->Top + oy, dli->Width, dli->Height);
}

void TUVControlData::DoTabNavigation(bool Backwards, TWinControl* FromControl) {
  // A press of the mouse gave the focus: the click decides what happens, not Tab order.
  if (State & uvstMouseFocus) {
    State &= ~static_cast<Cardinal>(uvstMouseFocus);
    return;
  }
  TWinControl* owner = GetParentControl();
  if (!owner) return;
  if (FromControl && GetParentForm(FromControl) != GetParentForm(owner)) return;
  if (!FromControl && HasFocusedItem()) return;
  for (Integer pass = 0; pass < 2; ++pass) {
    Integer start = FocusStart();
    TCustomUVFormattedData* startData = FFocusedItemData;
    // A hyperlink focused in a nested document: the search goes on from there.
    Integer startNested = startData && startData != this ? startData->FocusedItemNo : -1;
    // Leaving a control of the document by Tab: the search goes on from its item.
    if (FromControl && FromControl != owner) {
      Integer controlItem = FindControlItemNo(FromControl);
      if (controlItem >= 0) {
        start = controlItem;
        startData = this;
      } else {
        for (Integer i = 0; i < GetItemCount(); ++i) {
          TCustomUVFormattedData* nested = nullptr;
          Integer nestedNo = -1;
          if (GetItem(i)->LocateControl(FromControl, nested, nestedNo)) {
            start = i;
            startData = nested;
            startNested = nestedNo;
            break;
          }
        }
      }
    }
    bool hadFocus = start >= 0;
    TCustomUVFormattedData* found = nullptr;
    Integer next = -1;
    if (startData && startData != this && startNested >= 0) {
      // The control lies in a nested document: the search goes on from its item there, then
      // through the rest of the document.
      std::vector<std::pair<TCustomUVFormattedData*, Integer>> items;
      CollectFocusable(this, items);
      auto at = std::find(items.begin(), items.end(), std::make_pair(startData, startNested));
      if (at != items.end()) {
        if (!Backwards && at + 1 != items.end()) {
          found = (at + 1)->first;
          next = (at + 1)->second;
        } else if (Backwards && at != items.begin()) {
          found = (at - 1)->first;
          next = (at - 1)->second;
        }
      } else {
        next = FindNextFocusableItem(start, !Backwards, found);
      }
    } else {
      next = FindNextFocusableItem(start, !Backwards, found);
    }
    SetFocusedItem(found, next);
    if (next >= 0) {
      ShowFocusedItem();
      return;
    }
    // Arriving at a document with nothing to focus, the viewer itself keeps the focus, so that
    // the keyboard can reach and scroll a document without hyperlinks.
    if (FromControl != owner && !hadFocus) return;
    TCustomForm* form = GetParentForm(owner);
    if (TWinControl* control = FindNextControl(form ? static_cast<TWinControl*>(form) : owner->GetParent(), owner,
                                               !Backwards)) {
      control->SetFocus();
      return;
    }
    // Nothing else takes the focus: round again from the other end of the document.
    if (!hadFocus) return;
    FromControl = owner;
  }
}

TWinControl* TUVControlData::FindNextControl(TWinControl* Parent, TWinControl* Start, bool Forward) {
  if (!Parent) return nullptr;
  TWinControl* owner = GetParentControl();
  TList list;
  Parent->GetTabOrderList(&list);
  Integer count = list.GetCount();
  if (count == 0) return nullptr;
  Integer i = list.IndexOf(Start);
  if (i < 0) i = Forward ? count - 1 : 0;
  for (Integer n = 0; n < count; ++n) {
    i = Forward ? (i + 1) % count : (i + count - 1) % count;
    auto* control = static_cast<TWinControl*>(list.GetItems(i));
    if (control == owner || IsInside(control, owner)) continue;
    if (control->CanFocus() && control->GetTabStop()) return control;
  }
  return nullptr;
}

void TUVControlData::ExecuteFocused() {
  if (!HasFocusedItem()) return;
  TCustomUVFormattedData* data = FFocusedItemData;
  TCustomUVItemInfo* item = data->GetItem(data->FocusedItemNo);
  if (item->QueryStyledFlag(uvbspJump, GetUVStyle())) data->DoJump(item->HyperlinkId + FirstJumpNo);
}
