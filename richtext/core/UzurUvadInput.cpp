// The viewer's input: the mouse with its auto-scroll timer and popup menu, the keyboard (copy,
// Tab among hyperlinks and controls, Enter), the focus, the Tab order of the controls placed in
// the document, and the records nested editors post to it.
#include <algorithm>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollPeriod = 100;

// The auto-scroll step for a mouse position relative to a client extent: fast beyond 20 pixels
// outside, slow just outside, none inside.
Integer AutoScrollDelta(Integer Pos, Integer Extent) {
  if (Pos < -20) return -10;
  if (Pos < 0) return -1;
  if (Pos <= Extent) return 0;
  if (Pos <= Extent + 20) return 1;
  return 10;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Mouse

void TCustomUzurUvad::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (!GetInplaceEditor() && !IsFocusedDeep() && CanFocus()) {
    // The click decides what gets the focus inside the document, not Tab order.
    FData->State |= uvstMouseFocus;
    SetFocus();
  }
  inherited::MouseDown(Button, Shift, X, Y);
  FData->MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) StartAutoScroll();
}

void TCustomUzurUvad::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FAutoScrollDY = AutoScrollDelta(Y, GetClientHeight());
  FAutoScrollDX = AutoScrollDelta(X, GetClientWidth());
  inherited::MouseMove(Shift, X, Y);
  FData->MouseMove(Shift, X, Y);
}

void TCustomUzurUvad::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) StopAutoScroll();
  FData->MouseUp(Button, Shift, X, Y);
  if (GetComponentState().Contains(csDesigning) || Button != mbRight) return;
  TPopupMenu* menu = GetPopupMenu();
  if (!menu || !menu->AutoPopup) return;
  bool handled = false;
  DoContextPopup(Point(X, Y), handled);
  if (handled) return;
  TPoint screen = ClientToScreen(Point(X, Y));
  SendCancelMode();
  menu->PopupComponent = this;
  menu->Popup(screen.X, screen.Y);
}

void TCustomUzurUvad::DblClick() {
  FData->DblClick();
  inherited::DblClick();
}

void TCustomUzurUvad::StartAutoScroll() {
  if (FScrollTimerActive || !HandleAllocated()) return;
  FScrollTimerActive = ::SetTimer(GetHandle(), kAutoScrollTimer, kAutoScrollPeriod, nullptr) != 0;
}

void TCustomUzurUvad::StopAutoScroll() {
  if (!FScrollTimerActive) return;
  if (HandleAllocated()) ::KillTimer(GetHandle(), kAutoScrollTimer);
  FScrollTimerActive = false;
}

void TCustomUzurUvad::WMTimer(TMessage& Message) {
  if (Message.WParam != kAutoScrollTimer) {
    inherited::Dispatch(Message);
    return;
  }
  if (FAutoScrollDY != 0) ScrollToPosition(GetVPos() + FAutoScrollDY, true);
  if (FAutoScrollDX != 0) ScrollToHPosition(GetHPos() + FAutoScrollDX);
  // The selection follows the text scrolled in, also while the mouse rests outside the window.
  if (FAutoScrollDY != 0 || FAutoScrollDX != 0) GenerateMouseMove(true);
}

void TCustomUzurUvad::GenerateMouseMove(bool EvenOutside) {
  if (!HandleAllocated()) return;
  POINT p;
  if (!::GetCursorPos(&p)) return;
  TPoint client = ScreenToClient(Point(p.x, p.y));
  bool inside = client.X >= 0 && client.X < GetClientWidth() && client.Y >= 0 && client.Y < GetClientHeight();
  if (inside || EvenOutside) MouseMove(KeyboardStateToShiftState(), client.X, client.Y);
}

void TCustomUzurUvad::DoVScroll() {
  inherited::DoVScroll();
  GenerateMouseMove(false);
  FData->NotifyCheckpointVisible();
}

void TCustomUzurUvad::DoHScroll() {
  inherited::DoHScroll();
  GenerateMouseMove(false);
}

void TCustomUzurUvad::WMContextMenu(TMessage& Message) {
  TPoint pos = TWMContextMenu{Message}.Pos();
  bool fromMouse = pos.X != -1 || pos.Y != -1;
  // A right click opened the popup menu already when the button was released.
  if (fromMouse && !GetComponentState().Contains(csDesigning)) {
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

bool TCustomUzurUvad::IsCopyShortcut(Word Key, TShiftState Shift) {
  return (Key == 'C' || Key == VK_INSERT) && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
}

bool TCustomUzurUvad::IsCutShortcut(Word Key, TShiftState Shift) {
  return (Key == 'X' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) ||
         (Key == VK_DELETE && Shift.Contains(ssShift));
}

bool TCustomUzurUvad::IsPasteShortcut(Word Key, TShiftState Shift) {
  return (Key == 'V' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) ||
         (Key == VK_INSERT && Shift.Contains(ssShift));
}

void TCustomUzurUvad::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (IsCopyShortcut(Key, Shift) && HandleAllocated()) {
    ::SendMessageA(GetHandle(), WM_COPY, 0, 0);
    return;
  }
  TUVTabNavigationType navigation = GetTabNavigation();
  if (Key == VK_TAB && !Shift.Contains(ssAlt) && navigation != uvtnNone) {
    if (Shift.Contains(ssCtrl) == (navigation == uvtnCtrlTab)) {
      FData->State &= ~static_cast<Cardinal>(uvstMouseFocus);
      FData->DoTabNavigation(Shift.Contains(ssShift), this);
      Key = 0;
    } else if (navigation == uvtnCtrlTab) {
      // A plain Tab moves on to the next control of the form, past the controls placed in the
      // document (the form's own Tab order lists the viewer again before them).
      TCustomForm* form = GetParentForm(this);
      if (TWinControl* next = FData->FindNextControl(form, this, !Shift.Contains(ssShift))) next->SetFocus();
      Key = 0;
    }
    return;
  }
  if (Key == VK_RETURN) FData->ExecuteFocused();
}

void TCustomUzurUvad::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS;
  TUVTabNavigationType navigation = GetTabNavigation();
  if (navigation == uvtnNone) return;
  Message.Result |= DLGC_WANTTAB;
  if (FData->HasFocusedItem()) Message.Result |= DLGC_WANTALLKEYS;
}

// ---------------------------------------------------------------------------------------------
// Focus

bool TCustomUzurUvad::SelectionColorsDiffer() const {
  return FStyle && (FStyle->SelColor != FStyle->InactiveSelColor || FStyle->SelTextColor != FStyle->InactiveSelTextColor);
}

void TCustomUzurUvad::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (GetComponentState().Contains(csDestroying)) return;
  if (GetTabNavigation() != uvtnNone) {
    HWND lost = TWMSetFocus{Message}.FocusedWnd();
    TWinControl* from = lost ? FindControl(lost) : nullptr;
    // The edit inside a combo box stands for the combo box.
    if (lost) {
      TWinControl* parent = FindControl(::GetParent(lost));
      if (parent && dynamic_cast<TCustomComboBox*>(parent)) from = parent;
    }
    if (!lost) FData->State |= uvstMouseFocus;
    // Coming from another control of the form, the focus starts again at the first (last)
    // hyperlink or control of the document (or, after a click, at none), unless it comes back
    // from one of those controls.
    if (from && from != this && FData->FindControlItemNo(from) < 0) FData->SetFocusedItem(nullptr, -1);
    FData->DoTabNavigation(::GetKeyState(VK_SHIFT) < 0, from);
  }
  if (SelectionColorsDiffer()) Invalidate();
}

void TCustomUzurUvad::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (SelectionColorsDiffer()) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Tab order

void TCustomUzurUvad::GetTabOrderList(TList* List) {
  inherited::GetTabOrderList(List);
  if (GetTabNavigation() == uvtnNone) return;
  // The viewer comes again before each of its own controls and after the last one, so that Tab
  // leaving such a control returns to the navigation among the document's hyperlinks.
  for (Integer i = List->GetCount() - 1; i >= 1; --i)
    if (static_cast<TControl*>(List->GetItems(i))->GetParent() == this) List->Insert(i, this);
  if (List->GetCount() > 1) List->Add(this);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomUzurUvad::PostUVEvent(TUVMessageData* Data) {
  if (!Data) return;
  FPendingEvents.push_back(Data);
  if (!HandleAllocated() ||
      !::PostMessageA(GetHandle(), WM_UVEVENT, reinterpret_cast<WPARAM>(Data), 0)) {
    FPendingEvents.pop_back();
    delete Data;
  }
}

void TCustomUzurUvad::WMUVEvent(TMessage& Message) {
  Message.Result = 0;
  // Only records this control was given and still holds are touched; any other value in
  // wParam is not a record of ours and is ignored.
  auto* posted = reinterpret_cast<TUVMessageData*>(Message.WParam);
  auto at = std::find(FPendingEvents.begin(), FPendingEvents.end(), posted);
  if (at == FPendingEvents.end()) return;
  FPendingEvents.erase(at);
  std::unique_ptr<TUVMessageData> data(posted);
  switch (data->Kind) {
    case uvmkDblClick: {
      auto* d = static_cast<TUVDblClickMessageData*>(data.get());
      FData->DoUVDblClick(d->ClickedWord, d->Style);
      break;
    }
    case uvmkJump: FData->DoJump(static_cast<TUVJumpMessageData*>(data.get())->Id); break;
    case uvmkMouseUp:
    case uvmkMouseDown: {
      auto* d = static_cast<TUVMouseUpDownMessageData*>(data.get());
      if (data->Kind == uvmkMouseUp)
        FData->DoUVMouseUp(d->Button, d->Shift, d->ItemNo, d->X, d->Y);
      else
        FData->DoUVMouseDown(d->Button, d->Shift, d->ItemNo, d->X, d->Y);
      break;
    }
    case uvmkClick: Click(); break;
    case uvmkDblClickControl: TControl::DblClick(); break;
    case uvmkMouseMove: {
      auto* d = static_cast<TUVMouseMoveMessageData*>(data.get());
      MouseMove(d->Shift, d->X, d->Y);
      break;
    }
    case uvmkDragDrop: {
      auto* d = static_cast<TUVDNDMessageData*>(data.get());
      DragDrop(d->Obj, d->X, d->Y);
      break;
    }
    case uvmkEndDrag: {
      auto* d = static_cast<TUVDNDMessageData*>(data.get());
      DoEndDrag(d->Obj, d->X, d->Y);
      break;
    }
    default: break;
  }
}

void TCustomUzurUvad::WMSize(TMessage& Message) {
  FormatData(true);
  inherited::Dispatch(Message);
}

void TCustomUzurUvad::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TCustomUzurUvad::WMCopy(TMessage& Message) {
  TWinControl* editor = GetInplaceEditor();
  if (editor && editor->HandleAllocated())
    ::PostMessageA(editor->GetHandle(), WM_COPY, 0, 0);
  else
    CopyToClipboard();
  Message.Result = 0;
}

void TCustomUzurUvad::WMDestroy(TMessage& Message) {
  StopAutoScroll();
  // Records still queued die with the window's queue.
  for (TUVMessageData* data : FPendingEvents) delete data;
  FPendingEvents.clear();
  inherited::Dispatch(Message);
}

void TCustomUzurUvad::CMColorChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  FData->ColorChanged();
}

void TCustomUzurUvad::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: WMSize(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_COPY: WMCopy(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_DESTROY: WMDestroy(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case WM_UVEVENT: WMUVEvent(Message); break;
    default: inherited::Dispatch(Message);
  }
}
