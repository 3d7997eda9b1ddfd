// List views: rows kept by the control and shown by the system's list view window.
#include <algorithm>
#include <unordered_map>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

namespace {

// The check box of a row is its state image: 1 unchecked, 2 checked.
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);

}  // namespace

// ---- TListItem ----

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner), FSubItems(new TStringList) {
  FSubItems->OnChange = TNotifyEvent(this, &TListItem::SubItemsChanged);
}

TListItem::~TListItem() {
  if (FOwner) FOwner->Remove(this);
  delete FSubItems;
}

void TListItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TListItem*>(Source)) {
    SetCaption(item->FCaption);
    SetImageIndex(item->FImageIndex);
    FSubItems->Assign(item->FSubItems);
    Data = item->Data;
    SetChecked(item->GetChecked());
    return;
  }
  inherited::Assign(Source);
}

void TListItem::Delete() { delete this; }

TListView* TListItem::GetListView() const { return FOwner ? FOwner->FOwner : nullptr; }

Integer TListItem::GetIndex() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TListItem::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  if (TListView* view = GetListView()) {
    view->UpdateRow(this);
    if (view->FSortType == stText || view->FSortType == stBoth) view->SortItems();
  }
}

void TListItem::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (TListView* view = GetListView()) view->UpdateRow(this);
}

void TListItem::SubItemsChanged(TObject*) {
  if (TListView* view = GetListView()) view->UpdateRow(this);
}

bool TListItem::GetChecked() {
  TListView* view = GetListView();
  if (view && view->HandleAllocated() && view->FCheckboxes)
    FChecked = view->RowState(this, LVIS_STATEIMAGEMASK) == kChecked;
  return FChecked;
}

void TListItem::SetChecked(bool Value) {
  FChecked = Value;
  TListView* view = GetListView();
  if (view && view->HandleAllocated() && view->FCheckboxes)
    view->SetRowState(this, Value ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
}

bool TListItem::GetSelected() {
  TListView* view = GetListView();
  if (view && view->HandleAllocated()) FSelected = view->RowState(this, LVIS_SELECTED) != 0;
  return FSelected;
}

void TListItem::SetSelected(bool Value) {
  FSelected = Value;
  TListView* view = GetListView();
  if (view && view->HandleAllocated()) view->SetRowState(this, Value ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TListItem::GetFocused() {
  TListView* view = GetListView();
  if (view && view->HandleAllocated()) FFocused = view->RowState(this, LVIS_FOCUSED) != 0;
  return FFocused;
}

void TListItem::SetFocused(bool Value) {
  FFocused = Value;
  TListView* view = GetListView();
  if (view && view->HandleAllocated()) view->SetRowState(this, Value ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

void TListItem::MakeVisible(bool PartialOK) {
  TListView* view = GetListView();
  if (view && view->HandleAllocated())
    view->Perform(LVM_ENSUREVISIBLE, static_cast<WPARAM>(view->RowOf(this)), PartialOK ? TRUE : FALSE);
}

void TListItem::EditCaption() {
  TListView* view = GetListView();
  if (!view) return;
  view->SetFocus();
  view->Perform(LVM_EDITLABELA, static_cast<WPARAM>(view->RowOf(this)), 0);
}

TRect TListItem::DisplayRect(bool LabelOnly) {
  TRect r;
  TListView* view = GetListView();
  if (!view || !view->HandleAllocated()) return r;
  r.Left = LabelOnly ? LVIR_LABEL : LVIR_BOUNDS;
  view->Perform(LVM_GETITEMRECT, static_cast<WPARAM>(view->RowOf(this)), reinterpret_cast<LPARAM>(AsRECT(r)));
  return r;
}

// ---- TListItems ----

TListItems::~TListItems() { Clear(); }

TPersistent* TListItems::GetOwner() const { return FOwner; }

void TListItems::Assign(TPersistent* Source) {
  if (auto* items = dynamic_cast<TListItems*>(Source)) {
    BeginUpdate();
    Clear();
    for (TListItem* item : items->FItems) Add()->Assign(item);
    EndUpdate();
    return;
  }
  inherited::Assign(Source);
}

TListItem* TListItems::Add() { return Insert(GetCount()); }

TListItem* TListItems::Insert(Integer Index) {
  Index = std::clamp(Index, 0, GetCount());
  auto* item = new TListItem(this);
  FItems.insert(FItems.begin() + Index, item);
  FOwner->InsertRow(item, Index);
  return item;
}

void TListItems::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  delete FItems[static_cast<std::size_t>(Index)];
}

void TListItems::Clear() {
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) FOwner->Perform(WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FOwner->HandleAllocated()) {
    FOwner->Perform(WM_SETREDRAW, TRUE, 0);
    FOwner->Invalidate();
  }
}

Integer TListItems::IndexOf(const TListItem* Value) const {
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

TListItem* TListItems::GetItem(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FItems[static_cast<std::size_t>(Index)];
}

// A row that goes: OnDeletion while the item is still whole, then out of the window.
void TListItems::Remove(TListItem* Item) {
  const Integer index = IndexOf(Item);
  if (index < 0) return;
  FOwner->Delete(Item);
  FItems.erase(FItems.begin() + index);
  FOwner->DeleteRow(index);
  Item->FOwner = nullptr;
}

// ---- TListColumn, TListColumns ----

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {
  if (auto* columns = dynamic_cast<TListColumns*>(Collection)) {
    columns->FAdding = nullptr;
    Changed(true);
  }
}

void TListColumn::Assign(TPersistent* Source) {
  if (auto* column = dynamic_cast<TListColumn*>(Source)) {
    FCaption = column->FCaption;
    FWidth = column->FWidth;
    FAlignment = column->FAlignment;
    Changed(true);
    return;
  }
  inherited::Assign(Source);
}

AnsiString TListColumn::GetDisplayName() { return FCaption.empty() ? inherited::GetDisplayName() : FCaption; }

TListView* TListColumn::ListView() const {
  auto* columns = dynamic_cast<TListColumns*>(GetCollection());
  return columns ? static_cast<TListView*>(columns->GetOwner()) : nullptr;
}

void TListColumn::SetCaption(const AnsiString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed(true);
}

Integer TListColumn::GetWidth() {
  TListView* view = ListView();
  if (view && view->HandleAllocated() && view->FViewStyle == vsReport)
    FWidth = static_cast<Integer>(view->Perform(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(GetIndex()), 0));
  return FWidth;
}

void TListColumn::SetWidth(Integer Value) {
  FWidth = Value;
  TListView* view = ListView();
  if (view && view->HandleAllocated())
    view->Perform(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(GetIndex()), Value);
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(true);
}

TListColumns::TListColumns(TListView* AOwner) : TCollection(TListColumn::StaticClass()), FOwner(AOwner) {}

TPersistent* TListColumns::GetOwner() const { return FOwner; }

void TListColumns::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  if (Action == cnAdded) FAdding = Item;
  inherited::Notify(Item, Action);
}

void TListColumns::Update(TCollectionItem*) {
  if (!FAdding) FOwner->UpdateColumns();
}

// ---- TListView ----

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListItems(this)), FColumns(new TListColumns(this)) {
  InitCommonControlClasses();
  // Clicks come from the window's notifications; it tracks the mouse itself.
  ControlStyle = TControlStyle{csDoubleClicks};
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TListView::~TListView() {
  // The rows go first, telling OnDeletion, while the control is still whole.
  FItems->Clear();
  if (HandleAllocated()) DestroyHandle();
  delete FItems;
  delete FColumns;
}

void TListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TListView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWA);
  static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  // The image lists belong to their components, not to the window.
  Params.Style |= views[FViewStyle] | LVS_SHAREIMAGELISTS | WS_CLIPCHILDREN;
  if (FViewStyle == vsIcon || FViewStyle == vsSmallIcon) Params.Style |= LVS_AUTOARRANGE;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
  if (!FColumnClick) Params.Style |= LVS_NOSORTHEADER;
  AddBorderStyle(Params, FBorderStyle, GetCtl3D());
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TListView::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  UpdateExtendedStyles();
  if (FSmallImages) Perform(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages->GetHandle()));
  if (FLargeImages) Perform(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages->GetHandle()));
  UpdateColumns();
  FFilling = true;
  for (Integer i = 0; i < FItems->GetCount(); ++i) InsertRow(FItems->FItems[static_cast<std::size_t>(i)], i);
  FFilling = false;
}

// The rows' states go back into the items before the window goes.
void TListView::DestroyWnd() {
  for (TListItem* item : FItems->FItems) {
    item->GetChecked();
    item->GetSelected();
    item->GetFocused();
  }
  for (Integer i = 0; i < FColumns->GetCount(); ++i) FColumns->GetItems(i)->GetWidth();
  FFilling = true;
  inherited::DestroyWnd();
  FFilling = false;
}

void TListView::UpdateExtendedStyles() {
  if (!HandleAllocated()) return;
  DWORD styles = 0;
  if (FCheckboxes) styles |= LVS_EX_CHECKBOXES;
  if (FRowSelect) styles |= LVS_EX_FULLROWSELECT;
  if (FHotTrack) styles |= LVS_EX_TRACKSELECT;
  if (FHotTrackStyles.Contains(htHandPoint)) styles |= LVS_EX_ONECLICKACTIVATE;
  if (FHotTrackStyles.Contains(htUnderlineCold)) styles |= LVS_EX_UNDERLINECOLD;
  if (FHotTrackStyles.Contains(htUnderlineHot)) styles |= LVS_EX_UNDERLINEHOT;
  const DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE |
                     LVS_EX_UNDERLINECOLD | LVS_EX_UNDERLINEHOT;
  Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, static_cast<LPARAM>(styles));
}

void TListView::UpdateColumns() {
  if (!HandleAllocated()) return;
  while (Perform(LVM_DELETECOLUMN, 0, 0)) {
  }
  static const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
  for (Integer i = 0; i < FColumns->GetCount(); ++i) {
    TListColumn* column = FColumns->GetItems(i);
    AnsiString caption = column->FCaption;
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    lvc.fmt = i == 0 ? LVCFMT_LEFT : formats[column->FAlignment];  // the first column is always left-aligned
    lvc.cx = column->FWidth;
    lvc.pszText = caption.data();
    lvc.iSubItem = i;
    Perform(LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&lvc));
  }
  // Sub-items that now have a column show their text.
  for (TListItem* item : FItems->FItems) UpdateRow(item);
}

Integer TListView::RowOf(const TListItem* Item) const { return FItems->IndexOf(Item); }

TListItem* TListView::ItemOfRow(Integer Row) const {
  if (Row < 0 || Row >= FItems->GetCount()) return nullptr;
  return FItems->FItems[static_cast<std::size_t>(Row)];
}

void TListView::InsertRow(TListItem* Item, Integer Row) {
  if (!HandleAllocated()) return;
  const bool filling = FFilling;
  FFilling = true;
  LVITEMA lvi{};
  lvi.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  lvi.iItem = Row;
  lvi.pszText = const_cast<char*>(Item->FCaption.c_str());
  lvi.iImage = Item->FImageIndex;
  lvi.lParam = reinterpret_cast<LPARAM>(Item);
  lvi.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  lvi.state = (Item->FSelected ? LVIS_SELECTED : 0) | (Item->FFocused ? LVIS_FOCUSED : 0);
  Perform(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
  if (FCheckboxes) SetRowState(Item, Item->FChecked ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
  FFilling = filling;
  UpdateRow(Item);
  if (!FFilling && FSortType != stNone) SortItems();
}

void TListView::UpdateRow(TListItem* Item) {
  if (!HandleAllocated()) return;
  const Integer row = RowOf(Item);
  if (row < 0) return;
  LVITEMA lvi{};
  lvi.mask = LVIF_TEXT | LVIF_IMAGE;
  lvi.iItem = row;
  lvi.pszText = const_cast<char*>(Item->FCaption.c_str());
  lvi.iImage = Item->FImageIndex;
  Perform(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
  for (Integer i = 0; i < Item->FSubItems->GetCount() && i + 1 < std::max(FColumns->GetCount(), 1); ++i) {
    const AnsiString text = Item->FSubItems->GetStrings(i);
    LVITEMA sub{};
    sub.iSubItem = i + 1;
    sub.pszText = const_cast<char*>(text.c_str());
    Perform(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
  }
}

void TListView::DeleteRow(Integer Row) {
  if (!HandleAllocated()) return;
  const bool filling = FFilling;
  FFilling = true;
  Perform(LVM_DELETEITEM, static_cast<WPARAM>(Row), 0);
  FFilling = filling;
}

UINT TListView::RowState(const TListItem* Item, UINT Mask) {
  return static_cast<UINT>(Perform(LVM_GETITEMSTATE, static_cast<WPARAM>(RowOf(Item)), Mask));
}

void TListView::SetRowState(const TListItem* Item, UINT State, UINT Mask) {
  LVITEMA lvi{};
  lvi.stateMask = Mask;
  lvi.state = State;
  Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(RowOf(Item)), reinterpret_cast<LPARAM>(&lvi));
}

// Puts the rows in the order SortType asks for, in the items and in the window alike.
void TListView::SortItems() {
  if (FSortType == stNone) return;
  auto less = [this](TListItem* a, TListItem* b) {
    Integer compare = 0;
    if (OnCompare) {
      OnCompare(this, a, b, 0, compare);
    } else {
      if (FSortType == stText || FSortType == stBoth) compare = AnsiCompareText(a->FCaption, b->FCaption);
      if (compare == 0 && (FSortType == stData || FSortType == stBoth))
        compare = a->Data < b->Data ? -1 : a->Data > b->Data ? 1 : 0;
    }
    return compare < 0;
  };
  auto& items = FItems->FItems;
  if (std::is_sorted(items.begin(), items.end(), less)) return;
  std::stable_sort(items.begin(), items.end(), less);
  if (!HandleAllocated()) return;
  std::unordered_map<const TListItem*, Integer> order;
  for (std::size_t i = 0; i < items.size(); ++i) order[items[i]] = static_cast<Integer>(i);
  auto compare = [](LPARAM a, LPARAM b, LPARAM data) -> int {
    auto& places = *reinterpret_cast<std::unordered_map<const TListItem*, Integer>*>(data);
    return places[reinterpret_cast<const TListItem*>(a)] - places[reinterpret_cast<const TListItem*>(b)];
  };
  Perform(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&order), reinterpret_cast<LPARAM>(+compare));
}

void TListView::AlphaSort() {
  const TSortType saved = FSortType;
  if (FSortType == stNone) FSortType = stText;
  SortItems();
  FSortType = saved;
}

TListItem* TListView::GetItemAt(Integer X, Integer Y) {
  if (!HandleAllocated()) return nullptr;
  LVHITTESTINFO hit{};
  hit.pt = POINT{X, Y};
  const Integer row = static_cast<Integer>(Perform(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) ? ItemOfRow(row) : nullptr;
}

TListItem* TListView::GetSelected() {
  if (!HandleAllocated()) {
    for (TListItem* item : FItems->FItems)
      if (item->FSelected) return item;
    return nullptr;
  }
  return ItemOfRow(static_cast<Integer>(Perform(LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)));
}

void TListView::SetSelected(TListItem* Value) {
  for (TListItem* item : FItems->FItems)
    if (item != Value && item->GetSelected()) item->SetSelected(false);
  if (Value) Value->SetSelected(true);
}

Integer TListView::GetSelCount() {
  if (HandleAllocated()) return static_cast<Integer>(Perform(LVM_GETSELECTEDCOUNT, 0, 0));
  return static_cast<Integer>(
      std::count_if(FItems->FItems.begin(), FItems->FItems.end(), [](TListItem* i) { return i->FSelected; }));
}

TListItem* TListView::GetItemFocused() {
  if (!HandleAllocated()) {
    for (TListItem* item : FItems->FItems)
      if (item->FFocused) return item;
    return nullptr;
  }
  return ItemOfRow(static_cast<Integer>(Perform(LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)));
}

void TListView::SetItemFocused(TListItem* Value) {
  if (Value)
    Value->SetFocused(true);
  else if (TListItem* focused = GetItemFocused())
    focused->SetFocused(false);
}

Integer TListView::GetItemIndex() {
  TListItem* selected = GetSelected();
  return selected ? selected->GetIndex() : -1;
}

void TListView::SetItemIndex(Integer Value) {
  SetSelected(Value >= 0 && Value < FItems->GetCount() ? FItems->GetItem(Value) : nullptr);
}

bool TListView::IsEditing() { return HandleAllocated() && Perform(LVM_GETEDITCONTROL, 0, 0) != 0; }

void TListView::SetViewStyle(TViewStyle Value) {
  if (Value == FViewStyle) return;
  FViewStyle = Value;
  RecreateWnd();
}

void TListView::SetCheckboxes(bool Value) {
  if (Value == FCheckboxes) return;
  // The check marks go with the window's state images; keep them across the change.
  if (HandleAllocated())
    for (TListItem* item : FItems->FItems) item->GetChecked();
  FCheckboxes = Value;
  UpdateExtendedStyles();
  if (Value && HandleAllocated()) {
    FFilling = true;
    for (TListItem* item : FItems->FItems) SetRowState(item, item->FChecked ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
    FFilling = false;
  }
}

void TListView::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  RecreateWnd();
}

void TListView::SetRowSelect(bool Value) {
  if (Value == FRowSelect) return;
  FRowSelect = Value;
  UpdateExtendedStyles();
}

void TListView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TListView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TListView::SetShowColumnHeaders(bool Value) {
  if (Value == FShowColumnHeaders) return;
  FShowColumnHeaders = Value;
  RecreateWnd();
}

void TListView::SetColumnClick(bool Value) {
  if (Value == FColumnClick) return;
  FColumnClick = Value;
  RecreateWnd();
}

void TListView::SetHotTrack(bool Value) {
  if (Value == FHotTrack) return;
  FHotTrack = Value;
  UpdateExtendedStyles();
}

void TListView::SetHotTrackStyles(TListHotTrackStyles Value) {
  if (Value == FHotTrackStyles) return;
  FHotTrackStyles = Value;
  UpdateExtendedStyles();
}

void TListView::SetSortType(TSortType Value) {
  if (Value == FSortType) return;
  FSortType = Value;
  SortItems();
}

void TListView::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TListView::SetSmallImages(TCustomImageList* Value) {
  if (Value == FSmallImages) return;
  FSmallImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated())
    Perform(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TListView::SetLargeImages(TCustomImageList* Value) {
  if (Value == FLargeImages) return;
  FLargeImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated())
    Perform(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSmallImages) SetSmallImages(nullptr);
  if (AComponent == FLargeImages) SetLargeImages(nullptr);
}

void TListView::Change(TListItem* Item, TItemChange Change) {
  if (OnChange) OnChange(this, Item, Change);
}

void TListView::Delete(TListItem* Item) {
  if (OnDeletion) OnDeletion(this, Item);
}

void TListView::CNNotify(TMessage& Message) {
  const NMHDR* header = TWMNotify{Message}.NMHdr();
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      if (FFilling) break;
      const auto* nm = reinterpret_cast<const NMLISTVIEW*>(header);
      TListItem* item = ItemOfRow(nm->iItem);
      if (!item) break;
      if (nm->uChanged & LVIF_TEXT) Change(item, ctText);
      if (nm->uChanged & LVIF_IMAGE) Change(item, ctImage);
      if (nm->uChanged & LVIF_STATE) {
        Change(item, ctState);
        if ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED && OnSelectItem)
          OnSelectItem(this, item, (nm->uNewState & LVIS_SELECTED) != 0);
      }
      break;
    }
    case LVN_BEGINLABELEDITA: {
      const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
      TListItem* item = ItemOfRow(info->item.iItem);
      bool allow = item && !FReadOnly;
      if (allow && OnEditing) OnEditing(this, item, allow);
      FEditing = allow ? item : nullptr;
      Message.Result = allow ? FALSE : TRUE;
      break;
    }
    case LVN_ENDLABELEDITA: {
      const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
      TListItem* item = FEditing;
      FEditing = nullptr;
      // A cancelled edit has no text; an accepted one may be changed or refused by OnEdited.
      if (item && info->item.pszText) {
        AnsiString text = info->item.pszText;
        if (OnEdited) OnEdited(this, item, text);
        item->SetCaption(text);
      }
      Message.Result = FALSE;
      break;
    }
    case LVN_COLUMNCLICK: {
      const auto* nm = reinterpret_cast<const NMLISTVIEW*>(header);
      if (OnColumnClick && nm->iSubItem >= 0 && nm->iSubItem < FColumns->GetCount())
        OnColumnClick(this, FColumns->GetItems(nm->iSubItem));
      break;
    }
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    default: break;
  }
}
