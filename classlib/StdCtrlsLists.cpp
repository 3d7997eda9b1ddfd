// List boxes and combo boxes, with their items kept by their windows.
#include <algorithm>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"

// The items of a list or combo box. While the control has a window they are the window's; while
// it has none (before it is first shown, or while a style change makes the window again) they
// are kept here, with the data of each, and given to the next window.
class TNativeListStrings : public TStrings {
  CLASS_INFO(TNativeListStrings, TStrings)
public:
  // The messages of one kind of native list.
  struct Messages {
    UINT getCount, getText, getTextLen, addString, insertString, deleteString, resetContent, getItemData,
        setItemData, findStringExact;
    LRESULT error;
  };

  TNativeListStrings() = default;
  TNativeListStrings(TWinControl* control, const Messages& messages, const bool* sorted)
      : control_(control), msg_(&messages), sorted_(sorted) {}

  Integer GetCount() const override {
    if (!Live()) return static_cast<Integer>(saved_.size());
    return static_cast<Integer>(Send(msg_->getCount));
  }

  Integer Add(const AnsiString& S) override {
    if (Live()) {
      const LRESULT index = Send(msg_->addString, 0, reinterpret_cast<LPARAM>(S.c_str()));
      if (index < 0) throw EOutOfResources("Insufficient memory for this operation");
      return static_cast<Integer>(index);
    }
    // Where the window would put it: after the items that do not sort after it.
    std::size_t at = saved_.size();
    if (*sorted_) {
      at = 0;
      while (at < saved_.size() && ::lstrcmpiA(saved_[at].text.c_str(), S.c_str()) <= 0) ++at;
    }
    saved_.insert(saved_.begin() + static_cast<std::ptrdiff_t>(at), Item{S, 0});
    return static_cast<Integer>(at);
  }

  void Insert(Integer Index, const AnsiString& S) override {
    if (Index < 0 || Index > GetCount()) Error(Index);
    if (Live()) {
      if (Send(msg_->insertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
        throw EOutOfResources("Insufficient memory for this operation");
      return;
    }
    saved_.insert(saved_.begin() + Index, Item{S, 0});
  }

  void Delete(Integer Index) override {
    Check(Index);
    DeleteItem(Index);
  }

  void Clear() override { ResetItems(); }

  // Many lines at once, as one update: the window makes room for all of them first, and a line
  // without an object is only added (a new line's data is nothing already). A list of thousands
  // of lines then costs one message a line.
  void AddStrings(TStrings* Strings) override {
    if (!Live() || Strings == this) {
      inherited::AddStrings(Strings);
      return;
    }
    const Integer count = Strings->GetCount();
    if (count > 1 && msg_->addString == LB_ADDSTRING) {
      std::size_t bytes = 0;
      for (Integer i = 0; i < count; ++i) bytes += Strings->GetStrings(i).size() + 1;
      Send(LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(bytes));
    }
    BeginUpdate();
    try {
      for (Integer i = 0; i < count; ++i) {
        const Integer index = Add(Strings->GetStrings(i));
        if (TObject* object = Strings->GetObjects(i)) PutObject(index, object);
      }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

  Integer IndexOf(const AnsiString& S) const override {
    if (!Live()) return inherited::IndexOf(S);
    // The window finds strings without regard to letter case, as the list sorts them.
    const LRESULT index = Send(msg_->findStringExact, WPARAM(-1), reinterpret_cast<LPARAM>(S.c_str()));
    return index == msg_->error ? -1 : static_cast<Integer>(index);
  }

  // Takes the window's items before it goes.
  void Save() {
    saved_.clear();
    const Integer count = GetCount();
    saved_.reserve(static_cast<std::size_t>(count));
    for (Integer i = 0; i < count; ++i) saved_.push_back(Item{Get(i), RawData(i)});
  }

  // Gives the kept items to the new window: in their order, or sorted for a sorted window.
  // Returns where each item went.
  std::vector<Integer> Restore() {
    std::vector<Item> items;
    items.swap(saved_);
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (*sorted_)
      std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ::lstrcmpiA(items[a].text.c_str(), items[b].text.c_str()) < 0;
      });
    std::vector<Integer> places(items.size());
    for (std::size_t at = 0; at < order.size(); ++at) {
      const Item& item = items[order[at]];
      Send(msg_->insertString, at, reinterpret_cast<LPARAM>(item.text.c_str()));
      SetRawData(static_cast<Integer>(at), item.data);
      places[order[at]] = static_cast<Integer>(at);
    }
    return places;
  }

  // The items kept while there is no window.
  void EraseSaved(Integer Index) { saved_.erase(saved_.begin() + Index); }
  void ClearSaved() { saved_.clear(); }
  LRESULT SavedData(Integer Index) const { return saved_[static_cast<std::size_t>(Index)].data; }
  void SetSavedData(Integer Index, LRESULT Data) { saved_[static_cast<std::size_t>(Index)].data = Data; }
  Integer SavedCount() const { return static_cast<Integer>(saved_.size()); }

  [[noreturn]] static void Error(Integer Index) {
    throw EStringListError(Format("List index out of bounds (%d)", {Index}));
  }
  void Check(Integer Index) const {
    if (Index < 0 || Index >= GetCount()) Error(Index);
  }

protected:
  AnsiString Get(Integer Index) const override {
    if (!Live()) {
      Check(Index);
      return saved_[static_cast<std::size_t>(Index)].text;
    }
    // The window refuses an index out of range: one message fewer than asking for the count
    // first, which counts when a list of thousands of lines is read.
    const LRESULT length = Index < 0 ? msg_->error : Send(msg_->getTextLen, static_cast<WPARAM>(Index));
    if (length == msg_->error) Error(Index);
    if (length <= 0) return AnsiString();
    AnsiString text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = Send(msg_->getText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, length)));
    return text;
  }

  // Replaces the text; the item keeps its data and, when it was selected, stays selected.
  void Put(Integer Index, const AnsiString& S) override {
    Check(Index);
    if (!Live()) {
      saved_[static_cast<std::size_t>(Index)].text = S;
      return;
    }
    const LRESULT data = RawData(Index);
    const bool selected = IsSelected(Index);
    DeleteItem(Index, /*keepData=*/true);
    Send(msg_->insertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
    SetRawData(Index, data);
    if (selected) Select(Index);
  }

  TObject* GetObject(Integer Index) const override {
    Check(Index);
    return reinterpret_cast<TObject*>(ObjectData(Index));
  }

  void PutObject(Integer Index, TObject* AObject) override {
    Check(Index);
    SetObjectData(Index, reinterpret_cast<LRESULT>(AObject));
  }

  void SetUpdateState(bool Updating) override {
    if (!Live()) return;
    Send(WM_SETREDRAW, Updating ? 0 : 1);
    if (!Updating) control_->Invalidate();
  }

  // Hooks for the kind of control.
  virtual LRESULT ObjectData(Integer Index) const { return RawData(Index); }
  virtual void SetObjectData(Integer Index, LRESULT Data) { SetRawData(Index, Data); }
  virtual void DeleteItem(Integer Index, bool keepData = false) {
    (void)keepData;
    if (Live())
      Send(msg_->deleteString, static_cast<WPARAM>(Index));
    else
      EraseSaved(Index);
  }
  virtual void ResetItems() {
    if (Live())
      Send(msg_->resetContent);
    else
      ClearSaved();
  }
  virtual bool IsSelected(Integer) const { return false; }
  virtual void Select(Integer) {}

  LRESULT RawData(Integer Index) const {
    if (!Live()) return saved_[static_cast<std::size_t>(Index)].data;
    const LRESULT data = Send(msg_->getItemData, static_cast<WPARAM>(Index));
    return data == msg_->error ? 0 : data;
  }
  void SetRawData(Integer Index, LRESULT Data) {
    if (!Live())
      saved_[static_cast<std::size_t>(Index)].data = Data;
    else
      Send(msg_->setItemData, static_cast<WPARAM>(Index), Data);
  }

  bool Live() const { return control_->HandleAllocated(); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
    return ::SendMessageA(control_->GetHandle(), msg, w, l);
  }

  TWinControl* control_ = nullptr;

private:
  struct Item {
    AnsiString text;
    LRESULT data;
  };
  const Messages* msg_ = nullptr;
  const bool* sorted_ = nullptr;
  std::vector<Item> saved_;
};

namespace {

const TNativeListStrings::Messages kListBoxMessages = {
    LB_GETCOUNT,    LB_GETTEXT,     LB_GETTEXTLEN,  LB_ADDSTRING,       LB_INSERTSTRING, LB_DELETESTRING,
    LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_FINDSTRINGEXACT, LB_ERR};

const TNativeListStrings::Messages kComboBoxMessages = {
    CB_GETCOUNT,    CB_GETLBTEXT,   CB_GETLBTEXTLEN, CB_ADDSTRING,       CB_INSERTSTRING, CB_DELETESTRING,
    CB_RESETCONTENT, CB_GETITEMDATA, CB_SETITEMDATA,  CB_FINDSTRINGEXACT, CB_ERR};

// The text of an owner-drawn item on its own line, vertically centred.
void DrawItemText(TCanvas* canvas, const TRect& rect, const AnsiString& text, Integer bidiFlags) {
  TRect r = rect;
  r.Left += 2;
  HDC dc = canvas->GetHandle();
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), AsRECT(r),
              static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | bidiFlags));
}

// Prepares the canvas for one owner-drawn item (its context, font and the selection colours),
// calls draw for a real item (or fills the empty box) and draws the focus rectangle.
template <class Draw>
void OwnerDraw(TCanvas* canvas, TWinControl* control, const DRAWITEMSTRUCT& dis, Draw draw) {
  const TOwnerDrawState state = OwnerDrawState(dis.itemState);
  CanvasOnDC drawing(canvas, dis.hDC);
  canvas->SetFont(control->GetFont());
  canvas->SetBrush(control->GetBrush());
  const TRect rect{dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom};
  if (static_cast<int>(dis.itemID) >= 0 && state.Contains(odSelected)) {
    canvas->GetBrush()->SetColor(clHighlight);
    canvas->GetFont()->SetColor(clHighlightText);
  }
  if (static_cast<int>(dis.itemID) >= 0)
    draw(static_cast<Integer>(dis.itemID), rect, state);
  else
    canvas->FillRect(rect);
  if (state.Contains(odFocused) && !state.Contains(odNoFocusRect)) canvas->DrawFocusRect(rect);
}

TControlCanvas* NewCanvas(TControl* control) {
  auto* canvas = new TControlCanvas;
  canvas->SetControl(control);
  return canvas;
}

}  // namespace

// The items of a list box: the data the box keeps with each item goes through the box's
// virtual item-data calls, so that a descendant can keep more than the object.
class TListBoxStrings : public TNativeListStrings {
  CLASS_INFO(TListBoxStrings, TNativeListStrings)
public:
  TListBoxStrings() = default;
  explicit TListBoxStrings(TCustomListBox* box) : TNativeListStrings(box, kListBoxMessages, &box->FSorted) {}

protected:
  LRESULT ObjectData(Integer Index) const override { return Box()->GetItemData(Index); }
  void SetObjectData(Integer Index, LRESULT Data) override { Box()->SetItemData(Index, Data); }
  void DeleteItem(Integer Index, bool keepData) override {
    if (keepData)
      TNativeListStrings::DeleteItem(Index);
    else
      Box()->DeleteString(Index);
  }
  void ResetItems() override { Box()->ResetContent(); }
  bool IsSelected(Integer Index) const override { return Box()->GetSelected(Index); }
  void Select(Integer Index) override { Box()->SetSelected(Index, true); }

private:
  TCustomListBox* Box() const { return static_cast<TCustomListBox*>(control_); }
};

class TComboBoxStrings : public TNativeListStrings {
  CLASS_INFO(TComboBoxStrings, TNativeListStrings)
public:
  TComboBoxStrings() = default;
  explicit TComboBoxStrings(TCustomComboBox* box) : TNativeListStrings(box, kComboBoxMessages, &box->FSorted) {}

protected:
  bool IsSelected(Integer Index) const override {
    return static_cast<TCustomComboBox*>(control_)->GetItemIndex() == Index;
  }
  void Select(Integer Index) override { static_cast<TCustomComboBox*>(control_)->SetItemIndex(Index); }
};

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListBoxStrings(this)), FCanvas(NewCanvas(this)) {
  // The list reports a user's choice through its selection-change notification only, and a
  // double click through its own notification: the generic mouse clicks would add a second call
  // of each. The system list box captures the mouse itself.
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
  // The window goes first, while the items' keeper is still there.
  if (HandleAllocated()) DestroyHandle();
  delete FCanvas;
  delete FItems;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    case WM_SIZE: WMSize(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | styles[FStyle];
  if (FSorted) Params.Style |= LBS_SORT;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN;
  if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FTabWidth != 0) Params.Style |= LBS_USETABSTOPS;
  AddBorderStyle(Params, FBorderStyle, GetCtl3D());
  // Sizing repaints only what is new.
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  if (FTabWidth != 0) {
    INT width = FTabWidth;
    Perform(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&width));
  }
  SetColumnWidth();
  const std::vector<Integer> places = static_cast<TNativeListStrings*>(FItems)->Restore();
  auto place = [&](Integer old) { return old >= 0 && old < Integer(places.size()) ? places[old] : -1; };
  Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
  for (std::size_t i = 0; i < FSavedSelection.size() && i < places.size(); ++i)
    if (FSavedSelection[i]) Perform(LB_SETSEL, TRUE, static_cast<LPARAM>(places[i]));
  FSavedSelection.clear();
  SetItemIndex(place(FSavedIndex));
  Perform(LB_SETTOPINDEX, static_cast<WPARAM>(FSavedTop), 0);
}

void TCustomListBox::DestroyWnd() {
  FSavedIndex = GetItemIndex();
  FSavedTop = GetTopIndex();
  FSavedSelection.clear();
  if (FMultiSelect) {
    const Integer count = FItems->GetCount();
    for (Integer i = 0; i < count; ++i) FSavedSelection.push_back(GetSelected(i));
  }
  static_cast<TNativeListStrings*>(FItems)->Save();
  inherited::DestroyWnd();
}

LRESULT TCustomListBox::InternalGetItemData(Integer Index) {
  auto* items = static_cast<TNativeListStrings*>(FItems);
  if (!HandleAllocated()) return items->SavedData(Index);
  const LRESULT data = Perform(LB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
  return data == LB_ERR ? 0 : data;
}

void TCustomListBox::InternalSetItemData(Integer Index, LRESULT Data) {
  auto* items = static_cast<TNativeListStrings*>(FItems);
  if (!HandleAllocated())
    items->SetSavedData(Index, Data);
  else
    Perform(LB_SETITEMDATA, static_cast<WPARAM>(Index), Data);
}

void TCustomListBox::DeleteString(Integer Index) {
  if (HandleAllocated())
    Perform(LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
  else
    static_cast<TNativeListStrings*>(FItems)->EraseSaved(Index);
}

void TCustomListBox::ResetContent() {
  if (HandleAllocated())
    Perform(LB_RESETCONTENT, 0, 0);
  else
    static_cast<TNativeListStrings*>(FItems)->ClearSaved();
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

Integer TCustomListBox::GetItemIndex() {
  if (!HandleAllocated()) return FSavedIndex;
  const LRESULT index = Perform(FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<Integer>(index);
}

// In a multi-select box the item gets the focus rectangle and is selected too.
void TCustomListBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  if (!HandleAllocated()) {
    FSavedIndex = Value;
    return;
  }
  if (FMultiSelect) {
    if (Value >= 0) {
      Perform(LB_SETSEL, TRUE, Value);
      Perform(LB_SETCARETINDEX, static_cast<WPARAM>(Value), 0);
    }
  } else {
    Perform(LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

bool TCustomListBox::GetSelected(Integer Index) {
  static_cast<TNativeListStrings*>(FItems)->Check(Index);
  if (!HandleAllocated())
    return FMultiSelect ? (static_cast<std::size_t>(Index) < FSavedSelection.size() && FSavedSelection[Index])
                        : Index == FSavedIndex;
  return Perform(LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
}

void TCustomListBox::SetSelected(Integer Index, bool Value) {
  static_cast<TNativeListStrings*>(FItems)->Check(Index);
  if (FMultiSelect) {
    if (!HandleAllocated()) {
      if (FSavedSelection.size() <= static_cast<std::size_t>(Index)) FSavedSelection.resize(Index + 1);
      FSavedSelection[Index] = Value;
      return;
    }
    Perform(LB_SETSEL, Value ? TRUE : FALSE, Index);
  } else if (Value) {
    SetItemIndex(Index);
  } else if (GetItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

Integer TCustomListBox::GetSelCount() {
  if (!HandleAllocated()) {
    if (!FMultiSelect) return FSavedIndex >= 0 ? 1 : 0;
    return static_cast<Integer>(std::count(FSavedSelection.begin(), FSavedSelection.end(), true));
  }
  if (!FMultiSelect) return GetItemIndex() >= 0 ? 1 : 0;
  return static_cast<Integer>(Perform(LB_GETSELCOUNT, 0, 0));
}

Integer TCustomListBox::GetTopIndex() {
  if (!HandleAllocated()) return FSavedTop;
  return static_cast<Integer>(Perform(LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(Integer Value) {
  if (!HandleAllocated()) {
    FSavedTop = Value;
    return;
  }
  Perform(LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

Integer TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
  if (!HandleAllocated() || FItems->GetCount() == 0) return -1;
  const LRESULT hit = Perform(LB_ITEMFROMPOINT, 0, MAKELPARAM(Word(SmallInt(Pos.X)), Word(SmallInt(Pos.Y))));
  const Integer index = static_cast<Integer>(LOWORD(hit));
  if (HIWORD(hit) != 0) {
    // The point is outside every item: past the last one, or beside the items.
    if (Existing) return -1;
    return std::min(index, FItems->GetCount() - 1);
  }
  return index < FItems->GetCount() ? index : -1;
}

TRect TCustomListBox::ItemRect(Integer Index) {
  TRect r;
  if (HandleAllocated()) Perform(LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AsRECT(r)));
  return r;
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  FSavedSelection.clear();
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (Value == FExtendedSelect) return;
  FExtendedSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  // The items are sorted as the window takes them back.
  if (HandleAllocated()) {
    RecreateWnd();
  } else if (Value) {
    TStringList sorted;
    sorted.Assign(FItems);
    FItems->BeginUpdate();
    FItems->Clear();
    for (Integer i = 0; i < sorted.GetCount(); ++i) FItems->AddObject(sorted[i], sorted.GetObjects(i));
    FItems->EndUpdate();
  }
}

void TCustomListBox::SetColumns(Integer Value) {
  if (Value == FColumns) return;
  const bool styleChange = (Value > 0) != (FColumns > 0);
  FColumns = std::max(Value, 0);
  if (styleChange)
    RecreateWnd();
  else
    SetColumnWidth();
}

// The columns share the box's width.
void TCustomListBox::SetColumnWidth() {
  if (FColumns > 0 && HandleAllocated())
    Perform(LB_SETCOLUMNWIDTH, static_cast<WPARAM>((FWidth + FColumns - 3) / FColumns), 0);
}

void TCustomListBox::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  SetColumnWidth();
}

Integer TCustomListBox::GetScrollWidth() { return FScrollWidth; }

void TCustomListBox::SetScrollWidth(Integer Value) {
  FScrollWidth = std::max(Value, 0);
  if (HandleAllocated()) Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  RecreateWnd();
}

Integer TCustomListBox::GetItemHeight() {
  if (HandleAllocated() && FStyle == lbStandard) return static_cast<Integer>(Perform(LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(Integer Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (FStyle != lbStandard) RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (Value == FIntegralHeight) return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomListBox::SetTabWidth(Integer Value) {
  if (Value < 0 || Value == FTabWidth) return;
  FTabWidth = Value;
  RecreateWnd();
}

// A choice by the user (mouse or keys) is a click; choosing in code is not.
void TCustomListBox::CNCommand(TMessage& Message) {
  switch (TWMCommand{Message}.NotifyCode()) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    default: break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  const DRAWITEMSTRUCT& dis = *TWMDrawItem{Message}.DrawItemStruct();
  OwnerDraw(FCanvas, this, dis, [this](Integer index, const TRect& rect, TOwnerDrawState state) {
    DrawItem(index, rect, state);
  });
  Message.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* mis = const_cast<MEASUREITEMSTRUCT*>(TWMMeasureItem{Message}.MeasureItemStruct());
  Integer height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<Integer>(mis->itemID), height);
  mis->itemHeight = static_cast<UINT>(std::max(height, 1));
  Message.Result = TRUE;
}

void TCustomListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index < FItems->GetCount()) DrawItemText(FCanvas, Rect, FItems->GetStrings(Index), DrawTextBiDiModeFlags(0));
}

void TCustomListBox::MeasureItem(Integer Index, Integer& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TComboBoxStrings(this)), FCanvas(NewCanvas(this)) {
  ControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() {
  if (HandleAllocated()) DestroyHandle();
  delete FCanvas;
  delete FItems;
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[FStyle];
  if (FSorted) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  const std::vector<Integer> places = static_cast<TNativeListStrings*>(FItems)->Restore();
  if (FMaxLength > 0) Perform(CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FSavedIndex >= 0 && FSavedIndex < Integer(places.size())) SetItemIndex(places[FSavedIndex]);
  FSavedIndex = -1;
  AdjustDropDown();
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& Params) {
  inherited::CreateWindowHandle(Params);
  // The system's combo box does not show its window name in its edit: a text given before the
  // window was made is put there.
  if (FHandle && FStyle != csDropDownList && !Params.Caption.empty()) ::SetWindowTextA(FHandle, Params.Caption.c_str());
}

void TCustomComboBox::DestroyWnd() {
  FSavedIndex = GetItemIndex();
  static_cast<TNativeListStrings*>(FItems)->Save();
  inherited::DestroyWnd();
}

void TCustomComboBox::Clear() {
  SetText(AnsiString());
  FItems->Clear();
  FSavedIndex = -1;
}

void TCustomComboBox::SelectAll() {
  if (HandleAllocated()) Perform(CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
}

void TCustomComboBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

Integer TCustomComboBox::GetItemIndex() {
  if (!HandleAllocated()) return FSavedIndex;
  const LRESULT index = Perform(CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<Integer>(index);
}

void TCustomComboBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  if (!HandleAllocated()) {
    FSavedIndex = Value;
    FText = Value >= 0 ? FItems->GetStrings(Value) : AnsiString();
    return;
  }
  Perform(CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  if (HandleAllocated()) {
    RecreateWnd();
  } else if (Value) {
    TStringList sorted;
    sorted.Assign(FItems);
    FItems->Clear();
    for (Integer i = 0; i < sorted.GetCount(); ++i) FItems->AddObject(sorted[i], sorted.GetObjects(i));
  }
}

void TCustomComboBox::SetDropDownCount(Integer Value) {
  FDropDownCount = std::max(Value, 1);
  AdjustDropDown();
}

bool TCustomComboBox::GetDroppedDown() { return HandleAllocated() && Perform(CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (HandleAllocated()) Perform(CB_SHOWDROPDOWN, Value ? TRUE : FALSE, 0);
}

void TCustomComboBox::SetMaxLength(Integer Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) Perform(CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

Integer TCustomComboBox::GetItemHeight() {
  if (HandleAllocated() && (FStyle != csOwnerDrawFixed && FStyle != csOwnerDrawVariable))
    return static_cast<Integer>(Perform(CB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomComboBox::SetItemHeight(Integer Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) RecreateWnd();
}

Integer TCustomComboBox::GetSelStart() {
  DWORD start = 0;
  if (HandleAllocated()) Perform(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<Integer>(start);
}

void TCustomComboBox::SetSelStart(Integer Value) {
  if (HandleAllocated()) Perform(CB_SETEDITSEL, 0, MAKELPARAM(Value, Value));
}

Integer TCustomComboBox::GetSelLength() {
  DWORD start = 0, end = 0;
  if (HandleAllocated()) Perform(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<Integer>(end - start);
}

void TCustomComboBox::SetSelLength(Integer Value) {
  const Integer start = GetSelStart();
  if (HandleAllocated()) Perform(CB_SETEDITSEL, 0, MAKELPARAM(start, start + Value));
}

// The drop-down list is as tall as the window minus the closed box: the window is made as tall
// as DropDownCount items (or fewer when there are fewer) before it drops down.
void TCustomComboBox::AdjustDropDown() {
  if (!HandleAllocated() || FStyle == csSimple) return;
  const Integer count = std::max<Integer>(1, std::min(FDropDownCount, FItems->GetCount()));
  const Integer itemHeight = static_cast<Integer>(Perform(CB_GETITEMHEIGHT, 0, 0));
  RECT closed{};
  ::GetWindowRect(FHandle, &closed);
  ::SetWindowPos(FHandle, nullptr, 0, 0, FWidth, (closed.bottom - closed.top) + itemHeight * count + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (TWMCommand{Message}.NotifyCode()) {
    case CBN_DBLCLK: DblClick(); break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
      AdjustDropDown();
      if (OnDropDown) OnDropDown(this);
      break;
    case CBN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(this);
      break;
    case CBN_SELCHANGE: {
      // The edit shows the new item only after this notification; the handlers see it already.
      const Integer index = GetItemIndex();
      if (index >= 0 && FStyle != csDropDownList && FStyle != csOwnerDrawFixed && FStyle != csOwnerDrawVariable)
        Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FItems->GetStrings(index).c_str()));
      Click();
      Select();
      break;
    }
    default: break;
  }
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
  const DRAWITEMSTRUCT& dis = *TWMDrawItem{Message}.DrawItemStruct();
  OwnerDraw(FCanvas, this, dis, [this](Integer index, const TRect& rect, TOwnerDrawState state) {
    DrawItem(index, rect, state);
  });
  Message.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
  auto* mis = const_cast<MEASUREITEMSTRUCT*>(TWMMeasureItem{Message}.MeasureItemStruct());
  Integer height = FItemHeight;
  if (FStyle == csOwnerDrawVariable && static_cast<int>(mis->itemID) >= 0)
    MeasureItem(static_cast<Integer>(mis->itemID), height);
  mis->itemHeight = static_cast<UINT>(std::max(height, 1));
  Message.Result = TRUE;
}

void TCustomComboBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index < FItems->GetCount()) DrawItemText(FCanvas, Rect, FItems->GetStrings(Index), DrawTextBiDiModeFlags(0));
}

void TCustomComboBox::MeasureItem(Integer Index, Integer& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}
