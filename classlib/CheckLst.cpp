#include "classlib/CheckLst.h"

#include <algorithm>

#include "classlib/Handles.h"

// What a line keeps besides its text: the program's object and the check box's state.
struct TCheckListBox::ItemState {
  LRESULT object = 0;
  TCheckBoxState state = cbUnchecked;
  bool enabled = true;
};

namespace {

// The size of the box drawn in each line.
constexpr Integer kCheckSize = 13;

}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  SetStyle(lbOwnerDrawFixed);
  ResetItemHeight();
}

TCheckListBox::~TCheckListBox() {
  // The states go before the items that carry them.
  const Integer count = FItems->GetCount();
  for (Integer i = 0; i < count; ++i) {
    delete reinterpret_cast<ItemState*>(InternalGetItemData(i));
    InternalSetItemData(i, 0);
  }
}

void TCheckListBox::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == CM_FONTCHANGED) ResetItemHeight();
}

// Lines as tall as the font's text or the box, whichever is more.
void TCheckListBox::ResetItemHeight() {
  WindowDC dc(nullptr);
  SelectedObject font(dc, GetFont()->GetHandle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  SetItemHeight(std::max<Integer>(metrics.tmHeight, kCheckSize + 2));
}

void TCheckListBox::CreateWnd() {
  // Only an owner-drawn list can show the boxes.
  if (GetStyle() == lbStandard) SetStyle(lbOwnerDrawFixed);
  inherited::CreateWnd();
}

Integer TCheckListBox::CheckWidth() const { return kCheckSize + 4; }

TCheckListBox::ItemState* TCheckListBox::State(Integer Index, bool Make) {
  auto* state = reinterpret_cast<ItemState*>(InternalGetItemData(Index));
  if (!state && Make) {
    state = new ItemState;
    InternalSetItemData(Index, reinterpret_cast<LRESULT>(state));
  }
  return state;
}

LRESULT TCheckListBox::GetItemData(Integer Index) {
  ItemState* state = State(Index, false);
  return state ? state->object : 0;
}

void TCheckListBox::SetItemData(Integer Index, LRESULT Data) { State(Index, true)->object = Data; }

void TCheckListBox::DeleteString(Integer Index) {
  delete State(Index, false);
  inherited::DeleteString(Index);
}

void TCheckListBox::ResetContent() {
  const Integer count = FItems->GetCount();
  for (Integer i = 0; i < count; ++i) delete State(i, false);
  inherited::ResetContent();
}

bool TCheckListBox::GetChecked(Integer Index) { return GetState(Index) == cbChecked; }

void TCheckListBox::SetChecked(Integer Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }

TCheckBoxState TCheckListBox::GetState(Integer Index) {
  if (Index < 0 || Index >= FItems->GetCount()) FItems->GetStrings(Index);  // raises the index error
  ItemState* state = State(Index, false);
  return state ? state->state : cbUnchecked;
}

void TCheckListBox::SetState(Integer Index, TCheckBoxState Value) {
  if (Index < 0 || Index >= FItems->GetCount()) FItems->GetStrings(Index);
  ItemState* state = State(Index, true);
  if (state->state == Value) return;
  state->state = Value;
  InvalidateCheck(Index);
}

bool TCheckListBox::GetItemEnabled(Integer Index) {
  if (Index < 0 || Index >= FItems->GetCount()) FItems->GetStrings(Index);
  ItemState* state = State(Index, false);
  return !state || state->enabled;
}

void TCheckListBox::SetItemEnabled(Integer Index, bool Value) {
  if (Index < 0 || Index >= FItems->GetCount()) FItems->GetStrings(Index);
  ItemState* state = State(Index, true);
  if (state->enabled == Value) return;
  state->enabled = Value;
  InvalidateCheck(Index);
}

void TCheckListBox::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TCheckListBox::InvalidateCheck(Integer Index) {
  if (!HandleAllocated()) return;
  TRect r = ItemRect(Index);
  ::InvalidateRect(FHandle, AsRECT(r), FALSE);
}

void TCheckListBox::ToggleClickCheck(Integer Index) {
  if (Index < 0 || Index >= FItems->GetCount() || !GetItemEnabled(Index)) return;
  switch (GetState(Index)) {
    case cbUnchecked: SetState(Index, AllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(Index, cbUnchecked); break;
    case cbGrayed: SetState(Index, cbChecked); break;
  }
  ClickCheck();
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

// The box of a line is its first CheckWidth pixels (its last ones in right-to-left reading).
void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const Integer index = ItemAtPos(Point(X, Y), true);
  if (index < 0 || !GetItemEnabled(index)) return;
  const TRect r = ItemRect(index);
  const bool onBox = UseRightToLeftAlignment() ? X >= r.Right - CheckWidth() : X - r.Left < CheckWidth();
  if (onBox) ToggleClickCheck(index);
}

void TCheckListBox::KeyPress(char& Key) {
  if (Key == ' ') ToggleClickCheck(GetItemIndex());
  inherited::KeyPress(Key);
}

void TCheckListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  TCanvas* canvas = GetCanvas();
  TRect box = Rect;
  TRect text = Rect;
  if (UseRightToLeftAlignment()) {
    box.Left = Rect.Right - CheckWidth();
    text.Right = box.Left;
  } else {
    box.Right = Rect.Left + CheckWidth();
    text.Left = box.Right;
  }
  // The box stands on the list's own colour, not on the selection's.
  const TColor selectionColor = canvas->GetBrush()->GetColor();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(box);
  canvas->GetBrush()->SetColor(selectionColor);
  const TCheckBoxState state = GetState(Index);
  const bool enabled = GetEnabled() && GetItemEnabled(Index);
  UINT flags = DFCS_BUTTONCHECK;
  if (state == cbChecked) flags |= DFCS_CHECKED;
  if (state == cbGrayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (!enabled) flags |= DFCS_INACTIVE;
  if (FFlat) flags |= DFCS_FLAT;
  RECT r{box.Left + (box.Width() - kCheckSize) / 2, box.Top + (box.Height() - kCheckSize) / 2, 0, 0};
  r.right = r.left + kCheckSize;
  r.bottom = r.top + kCheckSize;
  ::DrawFrameControl(canvas->GetHandle(), &r, DFC_BUTTON, flags);
  if (!enabled) canvas->GetFont()->SetColor(clGrayText);
  inherited::DrawItem(Index, text, State);
}
