// The bases of the component set's controls.
#include "controls/VisCustomControl.h"

#include "classlib/Handles.h"
#include "controls/VisObject.h"
#include "controls/visclass.h"
#include "controls/viscont.h"
#include "controls/visuxtheme.h"

namespace {

// Tells every child of Control the message.
void TellChildren(TWinControl* Control, UINT Msg) {
  TMessage message;
  message.Msg = Msg;
  Control->Broadcast(message);
}

// Marks the kept result of an effect stale without telling its owner.
void MarkStale(TVisBitmapEffectObject* Effect) {
  Effect->BeginUpdate();
  Effect->GetChange(Effect);
  Effect->EndUpdate(false);
}

}  // namespace

// --- TVisCustomControl ------------------------------------------------------------------------------

TVisCustomControl::TVisCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      FImages(this, TNotifyEvent(this, &TVisCustomControl::GetChange)),
      FBackFX(new TVisBitmapEffectObject) {
  FBackFX->OnChange = TNotifyEvent(this, &TVisCustomControl::BackFXChanged);
  SetBounds(FLeft, FTop, 100, 40);
  SetTabStop(false);
}

TVisCustomControl::~TVisCustomControl() {
  FBackFX->OnChange = nullptr;
  delete FBackFX;
}

void TVisCustomControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_SIZE:
    case WM_MOVE: WMSizeMove(Message); break;
    case WM_THEMECHANGED: VMChanged(Message); break;
    case VM_BACKCHANGED: VMBackChanged(Message); break;
    case VM_AFTERENTER: VMAfterEnter(Message); break;
    case VM_AFTEREXIT: VMAfterExit(Message); break;
    case VM_CHILDRENBACKCHANGED: VMChildrenBackChanged(Message); break;
    case VM_CHANGED: VMChanged(Message); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TVisCustomControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  FImages.Notification(AComponent, Operation);
}

void TVisCustomControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  FImages.DefineProperties(Filer);
}

void TVisCustomControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (FTransparent && FTransparencyMode == 1) Params.ExStyle |= WS_EX_TRANSPARENT;
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

bool TVisCustomControl::DrawsThemed() const {
  return FCtlXP && VisApplication && VisApplication->GetUseXPThemes();
}

int TVisCustomControl::EditThemeState() {
  int state = 1;
  if (FFocused) state = 5;
  if (FMouseInside) state = 2;
  if (IsReadOnly()) state = 6;
  if (!GetEnabled()) state = 4;
  return state;
}

void TVisCustomControl::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  FlatChanged();
  RedrawBorder();
}

void TVisCustomControl::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (Value)
    ControlStyle.Exclude(csOpaque);
  else
    ControlStyle.Include(csOpaque);
  RecreateWnd();
}

void TVisCustomControl::SetBackFX(TVisBitmapEffectObject* Value) { FBackFX->Assign(Value); }

void TVisCustomControl::SetCtlXP(bool Value) {
  if (Value == FCtlXP) return;
  FCtlXP = Value;
  GetChange(this);
}

void TVisCustomControl::GetChange(TObject*) {
  ImageListChanged(this);
  if (HandleAllocated()) TellChildren(this, VM_CHANGED);
}

bool TVisCustomControl::ThemeParentBackground() { return true; }

bool TVisCustomControl::UseThemeAtThisLevel() { return false; }

bool TVisCustomControl::IsThemedTransparent() { return FTransparent && DrawsThemed() && !IsTransparentSet(); }

void TVisCustomControl::BorderChanged() {}

void TVisCustomControl::FlatChanged() {}

bool TVisCustomControl::IsTransparent() { return FTransparent && IsTransparentSet(); }

void TVisCustomControl::PaintBackground(TCanvas* Canvas) {
  if (FSkipBackground) return;
  if (FTransparent && FTransparencyMode == 1) {
    if (FParent && FParent->HandleAllocated() && HandleAllocated()) {
      // The parent paints what lies under the control's visible part.
      TRect clip;
      ::GetClipBox(Canvas->GetHandle(), AsRECT(clip));
      ::MapWindowPoints(GetHandle(), FParent->GetHandle(), reinterpret_cast<POINT*>(&clip), 2);
      ::RedrawWindow(FParent->GetHandle(), AsRECT(clip), nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    }
    return;
  }
  if (IsThemedTransparent()) return;
  const TRect client = GetClientRect();
  if (IsTransparent() && DrawBackFX(Canvas, client)) return;
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(GetColor());
  Canvas->FillRect(client);
}

void TVisCustomControl::BackFXChanged(TObject*) {
  if (FRedrawOnChange) Invalidate();
}

bool TVisCustomControl::CanFocusThemed() { return true; }

bool TVisCustomControl::IsReadOnly() { return false; }

void TVisCustomControl::ImageListChanged(TObject* Sender) { BackFXChanged(Sender); }

void TVisCustomControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
  FMouseInside = true;
}

void TVisCustomControl::MouseExit() {
  FMouseInside = false;
  if (!FFocused) RedrawBorder();
  if (OnMouseExit) OnMouseExit(this);
}

TBitmap* TVisCustomControl::GetBackEffect() { return nullptr; }

bool TVisCustomControl::IsTransparentSet() { return false; }

bool TVisCustomControl::DrawBackFX(TCanvas*, const TRect&) { return false; }

TRect TVisCustomControl::GetImageRect(const TRect& Rect) { return Rect; }

HPALETTE TVisCustomControl::GetBackPalette() {
  if (IsTransparentSet()) return nullptr;
  if (auto* parent = dynamic_cast<TVisCustomControl*>(FParent))
    if (TBitmap* back = parent->GetBackEffect()) return back->GetPalette();
  return nullptr;
}

void TVisCustomControl::Paint() { PaintBackground(GetCanvas()); }

void TVisCustomControl::RedrawBorder() {
  // Only a window with a frame of its own has a border to draw.
  if (HasWindowFrame()) DrawBorder(FFlat && !FFocused);
}

bool TVisCustomControl::HasWindowFrame() {
  if (!HandleAllocated()) return false;
  return (::GetWindowLongPtrA(GetHandle(), GWL_STYLE) & WS_BORDER) ||
         (::GetWindowLongPtrA(GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

void TVisCustomControl::DrawBorder(bool Flat) {
  if (!HandleAllocated() || !::IsWindowVisible(GetHandle())) return;
  HWND wnd = GetHandle();
  if (HasWindowFrame()) {
    WholeWindowDC dc(wnd);
    TRect r;
    ::GetWindowRect(wnd, AsRECT(r));
    DrawBorderOn(dc, Rect(0, 0, r.Width(), r.Height()), Flat);
  } else {
    // Without a frame the border lies at the edges of the client area.
    WindowDC dc(wnd);
    DrawBorderOn(dc, GetClientRect(), Flat);
  }
}

void TVisCustomControl::DrawBorderOn(HDC dc, const TRect& r, bool Flat) {
  HWND wnd = GetHandle();

  if (DrawsThemed() && VisThemeLibrary.OpenThemeData) {
    if (HTHEME theme = VisThemeLibrary.OpenThemeData(wnd, L"EDIT")) {
      const int state = EditThemeState();
      // Only the frame: the client area keeps what the control painted.
      TRect inner = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
      ::ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
      VisThemeLibrary.DrawThemeBackground(theme, dc, 1, state, AsRECT(r), nullptr);
      VisThemeLibrary.CloseThemeData(theme);
      return;
    }
  }

  const auto frame = [&](TRect rect, TColor color) {
    UniqueGdiObject brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
    ::FrameRect(dc, AsRECT(rect), static_cast<HBRUSH>(brush.get()));
  };
  if (Flat) {
    frame(r, clBtnFace);
    if (GetCtl3D()) frame(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), clBtnFace);
  } else if (GetCtl3D()) {
    frame(r, clWindowFrame);
    TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    frame(inner, clBtnFace);
    inner = Rect(inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1);
    ::DrawEdge(dc, AsRECT(inner), EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else {
    frame(r, clWindowFrame);
  }
}

void TVisCustomControl::RefreshBackFX() { MarkStale(FBackFX); }

void TVisCustomControl::WMEraseBkgnd(TMessage& Message) {
  FSkipBackground = false;
  if (FTransparent && IsThemedTransparent() && ThemeParentBackground()) {
    if (VisThemeLibrary.DrawThemeParentBackground &&
        SUCCEEDED(VisThemeLibrary.DrawThemeParentBackground(GetHandle(), reinterpret_cast<HDC>(Message.WParam),
                                                            nullptr)))
      FSkipBackground = true;
    Message.Result = 1;
  } else if ((FTransparent && FTransparencyMode == 1) || IsTransparent()) {
    Message.Result = 1;
  } else {
    inherited::Dispatch(Message);
  }
}

void TVisCustomControl::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  FFocused = true;
  if (FFlat) RedrawBorder();
  if (HandleAllocated()) ::PostMessageA(GetHandle(), VM_AFTERENTER, 0, 0);
}

void TVisCustomControl::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  FFocused = false;
  if (FFlat) RedrawBorder();
  if (HandleAllocated()) ::PostMessageA(GetHandle(), VM_AFTEREXIT, 0, 0);
}

void TVisCustomControl::VMAfterEnter(TMessage&) {
  if (OnAfterEnter) OnAfterEnter(this);
}

void TVisCustomControl::VMAfterExit(TMessage&) {
  if (OnAfterExit) OnAfterExit(this);
}

void TVisCustomControl::WMSizeMove(TMessage& Message) {
  inherited::Dispatch(Message);
  VMBackChanged(Message);
}

void TVisCustomControl::VMBackChanged(TMessage&) {
  RefreshBackFX();
  Invalidate();
  if (FTransparent && HandleAllocated()) TellChildren(this, VM_BACKCHANGED);
}

void TVisCustomControl::VMChildrenBackChanged(TMessage&) {
  if (FTransparent && HandleAllocated()) TellChildren(this, VM_BACKCHANGED);
}

void TVisCustomControl::VMChanged(TMessage& Message) {
  if (Message.Msg == WM_THEMECHANGED) inherited::Dispatch(Message);
  GetChange(this);
}

void TVisCustomControl::CMSysColorChange(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!FTransparent) Invalidate();
}

void TVisCustomControl::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  MouseEnter();
}

void TVisCustomControl::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  MouseExit();
}

// --- TVisControl ------------------------------------------------------------------------------------

TVisControl::TVisControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TVisControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      inherited::Dispatch(Message);
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      inherited::Dispatch(Message);
      MouseExit();
      break;
    default: inherited::Dispatch(Message);
  }
}

void TVisControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const TRect before = GetBoundsRect();
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  const TRect after = GetBoundsRect();
  Integer changes = 0;
  if (after.Width() != before.Width() || after.Height() != before.Height()) changes |= bcSize;
  if (after.Left != before.Left || after.Top != before.Top) changes |= bcPosition;
  if (changes != 0 && !GetComponentState().Contains(csLoading)) BoundsChanged(changes);
}

void TVisControl::SetCtlXP(bool Value) {
  if (Value == FCtlXP) return;
  FCtlXP = Value;
  RepaintIfVisible();
}

void TVisControl::RepaintIfVisible() {
  if (GetVisible()) Invalidate();
}

bool TVisControl::UseThemeAtThisLevel() { return false; }

void TVisControl::ChangeNotify(Integer Kind) {
  if (OnChange) OnChange(this, Kind);
}

void TVisControl::MouseEnter() {
  if (GetEnabled() && OnMouseEnter) OnMouseEnter(this);
}

void TVisControl::MouseExit() {
  if (GetEnabled() && OnMouseExit) OnMouseExit(this);
}

void TVisControl::BoundsChanged(Integer) {
  if (!GetComponentState().Contains(csLoading)) Invalidate();
}

bool TVisControl::ThemeParentBackground() { return true; }

// --- TVisBaseControl --------------------------------------------------------------------------------

TVisBaseControl::TVisBaseControl(TComponent* AOwner)
    : TVisControl(AOwner),
      FImages(this, TNotifyEvent(this, &TVisBaseControl::GetChange)),
      FBackFX(new TVisBitmapEffectObject) {
  FBackFX->OnChange = TNotifyEvent(this, &TVisBaseControl::BackFXChanged);
}

TVisBaseControl::~TVisBaseControl() {
  FBackFX->OnChange = nullptr;
  delete FBackFX;
}

void TVisBaseControl::Dispatch(TMessage& Message) {
  if (Message.Msg == VM_BACKCHANGED) {
    if (IsDrawnTransparent()) {
      MarkStale(FBackFX);
      Invalidate();
    }
    return;
  }
  inherited::Dispatch(Message);
}

void TVisBaseControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  FImages.Notification(AComponent, Operation);
}

void TVisBaseControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  FImages.DefineProperties(Filer);
}

void TVisBaseControl::SetBackFX(TVisBitmapEffectObject* Value) { FBackFX->Assign(Value); }

bool TVisBaseControl::IsTransparentSet() { return false; }

void TVisBaseControl::GetChange(TObject*) { Invalidate(); }

void TVisBaseControl::BackFXChanged(TObject*) { Invalidate(); }

// --- TVisBaseGraphicControl -------------------------------------------------------------------------

TVisBaseGraphicControl::TVisBaseGraphicControl(TComponent* AOwner) : TVisBaseControl(AOwner) {
  ControlStyle.Exclude(csOpaque);
  SetBounds(FLeft, FTop, 30, 30);
}

void TVisBaseGraphicControl::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (Value)
    ControlStyle.Exclude(csOpaque);
  else
    ControlStyle.Include(csOpaque);
  Invalidate();
}

void TVisBaseGraphicControl::PaintBackground(TCanvas* Canvas) {
  const TRect client = GetClientRect();
  if (!FTransparent) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(client);
    return;
  }
  // A parent of the components that keeps its background in a picture hands over the part
  // under this control; any other parent has painted under it already.
  if (auto* parent = dynamic_cast<TVisCustomControl*>(FParent))
    if (TBitmap* back = parent->GetBackEffect()) {
      const TRect source = parent->GetImageRect(GetBoundsRect());
      Canvas->CopyRect(client, back->GetCanvas(), source);
    }
}
