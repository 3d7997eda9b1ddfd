// Dragging a control with the mouse and dropping it on another.
//
// While a drag runs, a hidden window holds the mouse capture; it follows the mouse, asks the
// control under it whether it accepts the source (CM_DRAG, OnDragOver), shows the drag or
// no-drop cursor, and on release drops the source on the target (OnDragDrop) and tells the
// source that the drag ended (OnEndDrag). Escape or a lost capture cancels.
#include <cstdlib>

#include "classlib/Controls.h"
#include "classlib/Forms.h"

namespace {

enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel };

// What CM_DRAG carries in LParam; the kind of drag message is in WParam.
struct TDragRec {
  TPoint Pos;  // screen coordinates
  TObject* Source;
  TControl* Target;
};

struct DragState {
  TControl* Control = nullptr;
  bool Started = false;
  TPoint StartPos;
  Integer Threshold = 5;
  TControl* Target = nullptr;
  bool Accepted = false;
  HWND Window = nullptr;
};

DragState& Drag() {
  static DragState state;
  return state;
}

LRESULT SendDrag(TControl* Target, TDragMessage Kind, const TPoint& Pos, TControl* Source = Drag().Control) {
  TDragRec rec{Pos, Source, Target};
  return Target->Perform(CM_DRAG, WPARAM(Kind), reinterpret_cast<LPARAM>(&rec));
}

void DragTo(const TPoint& Pos) {
  DragState& d = Drag();
  TControl* target = FindDragTarget(Pos, false);
  if (target != d.Target) {
    if (d.Target) SendDrag(d.Target, dmDragLeave, Pos);
    d.Target = target;
    d.Accepted = false;
    if (target) d.Accepted = SendDrag(target, dmDragEnter, Pos) != 0;
  }
  if (d.Target) d.Accepted = SendDrag(d.Target, dmDragMove, Pos) != 0;
  ::SetCursor(Screen->GetCursors(d.Accepted ? crDrag : crNoDrop));
}

void DragDone(bool Drop) {
  DragState& d = Drag();
  TControl* source = d.Control;
  if (!source) return;
  TControl* target = d.Target;
  const bool accepted = d.Accepted && d.Started;
  d.Control = nullptr;
  d.Target = nullptr;
  d.Started = false;
  d.Accepted = false;
  if (::GetCapture() == d.Window) ::ReleaseCapture();
  TPoint pos;
  ::GetCursorPos(AsPOINT(pos));
  TControl* dropTarget = nullptr;
  if (target) {
    if (Drop && accepted) {
      SendDrag(target, dmDragDrop, pos, source);
      dropTarget = target;
    } else {
      SendDrag(target, dmDragLeave, pos, source);
    }
  }
  const TPoint local = dropTarget ? dropTarget->ScreenToClient(pos) : pos;
  source->DoEndDrag(dropTarget, local.X, local.Y);
}

void DragWndProc(TMessage& Message) {
  DragState& d = Drag();
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      if (!d.Control) break;
      TPoint pos;
      ::GetCursorPos(AsPOINT(pos));
      if (!d.Started) {
        if (std::abs(pos.X - d.StartPos.X) < d.Threshold && std::abs(pos.Y - d.StartPos.Y) < d.Threshold) break;
        d.Started = true;
        d.Control->Perform(CM_DRAG, WPARAM(-1), 0);  // runs OnStartDrag
      }
      DragTo(pos);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: DragDone(true); break;
    case WM_CAPTURECHANGED:
      if (d.Control && reinterpret_cast<HWND>(Message.LParam) != d.Window) DragDone(false);
      break;
    default: Message.Result = ::DefWindowProcA(d.Window, Message.Msg, Message.WParam, Message.LParam); return;
  }
  Message.Result = 0;
}

}  // namespace

TControl* DragControl() { return Drag().Control; }

void CancelDrag() {
  if (Drag().Control) DragDone(false);
}

bool TControl::Dragging() const { return Drag().Control == this; }

void TControl::BeginDrag(bool Immediate, Integer Threshold) {
  DragState& d = Drag();
  if (d.Control) return;
  if (Threshold < 0) Threshold = Mouse->GetDragThreshold();
  if (!d.Window) d.Window = AllocateHWnd(TWndMethod::FromFunction(&DragWndProc));
  if (GetMouseCapture()) SetMouseCapture(false);
  ControlState >> csLButtonDown;
  ControlState >> csClicked;
  d.Control = this;
  d.Started = false;
  d.Threshold = Threshold;
  d.Target = nullptr;
  d.Accepted = false;
  ::GetCursorPos(AsPOINT(d.StartPos));
  ::SetCapture(d.Window);
  if (Immediate) {
    d.Started = true;
    DoStartDrag();
    DragTo(d.StartPos);
  }
}

void TControl::EndDrag(bool Drop) {
  if (Dragging()) DragDone(Drop);
}

void TControl::DoStartDrag() {
  if (OnStartDrag) OnStartDrag(this);
}

void TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(OnDragOver);
  if (Accept) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::CMDrag(TMessage& Message) {
  if (Message.WParam == WPARAM(-1)) {
    DoStartDrag();
    return;
  }
  const auto* rec = reinterpret_cast<const TDragRec*>(Message.LParam);
  if (!rec) return;
  const TPoint p = ScreenToClient(rec->Pos);
  switch (TDragMessage(Message.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      const TDragState state = Message.WParam == dmDragEnter   ? dsDragEnter
                               : Message.WParam == dmDragLeave ? dsDragLeave
                                                               : dsDragMove;
      bool accept = false;
      DragOver(rec->Source, p.X, p.Y, state, accept);
      Message.Result = accept ? 1 : 0;
      break;
    }
    case dmDragDrop: DragDrop(rec->Source, p.X, p.Y); break;
    default: break;
  }
}
