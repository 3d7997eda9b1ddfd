// Panels and bevelled panels.
#include "controls/VisPanel.h"

#include "classlib/Bitmaps.h"
#include "controls/VisObject.h"

// --- TVisCustomPanel --------------------------------------------------------------------------------

TVisCustomPanel::TVisCustomPanel(TComponent* AOwner) : TVisCustomControl(AOwner) {
  ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque,
                               csReplicatable};
  SetColor(clBtnFace);
}

bool TVisCustomPanel::IsTransparentSet() {
  if (!GetTransparent()) return false;
  auto* parent = dynamic_cast<TVisCustomControl*>(FParent);
  return parent && parent->IsTransparentSet();
}

TBitmap* TVisCustomPanel::GetBackEffect() {
  if (!IsTransparentSet()) return nullptr;
  auto* parent = dynamic_cast<TVisCustomControl*>(FParent);
  TBitmap* back = parent ? parent->GetBackEffect() : nullptr;
  if (back && GetBackFX()->IsEffective()) back->SetPixelFormat(pf24bit);
  return back;
}

TRect TVisCustomPanel::GetImageRect(const TRect& Rect) {
  // The client area's place in the parent: the panel's position and half the frame around it.
  const TRect client = GetClientRect();
  const Integer dx = FLeft + (FWidth - client.Width()) / 2;
  const Integer dy = FTop + (FHeight - client.Height()) / 2;
  return {Rect.Left + dx, Rect.Top + dy, Rect.Right + dx, Rect.Bottom + dy};
}

bool TVisCustomPanel::DrawBackFX(TCanvas* Canvas, const TRect& Rect) {
  TBitmap* back = GetBackEffect();
  if (!back) return false;
  const TRect source = GetImageRect(Rect);
  if (!GetBackFX()->IsEffective()) {
    Canvas->CopyRect(Rect, back->GetCanvas(), source);
    return true;
  }
  TBitmap piece;
  piece.SetPixelFormat(pf24bit);
  piece.SetSize(Rect.Width(), Rect.Height());
  piece.GetCanvas()->CopyRect(::Rect(0, 0, Rect.Width(), Rect.Height()), back->GetCanvas(), source);
  GetBackFX()->Apply(&piece);
  Canvas->Draw(Rect.Left, Rect.Top, &piece);
  return true;
}

// --- TVisCustomBevelPanel ---------------------------------------------------------------------------

TVisCustomBevelPanel::TVisCustomBevelPanel(TComponent* AOwner) : TVisCustomBevelPanel(AOwner, new TVisBevel) {}

TVisCustomBevelPanel::TVisCustomBevelPanel(TComponent* AOwner, TVisBevel* ABevel)
    : TVisCustomPanel(AOwner), FBevel(ABevel) {
  FBevel->OnChange = TNotifyEvent(this, &TVisCustomBevelPanel::BevelChanged);
}

TVisCustomBevelPanel::~TVisCustomBevelPanel() {
  FBevel->OnChange = nullptr;
  delete FBevel;
}

void TVisCustomBevelPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case VM_BEVELCHANGED: Relayout(); break;
    case WM_NCPAINT:
      inherited::Dispatch(Message);
      if (FBevel->GetMode() == bmWindows) DrawBorder(GetFlat() && !GetFocusMark());
      break;
    case CM_CTL3DCHANGED:
      inherited::Dispatch(Message);
      if (FBevel->GetMode() == bmWindows && !DrawsThemed()) RecreateWnd();
      break;
    default: inherited::Dispatch(Message);
  }
}

void TVisCustomBevelPanel::SetBevel(TVisBevel* Value) {
  FBevel->Assign(Value);
  Perform(VM_BEVELCHANGED, 0, 0);
}

bool TVisCustomBevelPanel::CanFocusThemed() {
  return FBevel->GetBevelExtent() == 0 && FBevel->GetMode() != bmWindows;
}

void TVisCustomBevelPanel::GetChange(TObject* Sender) {
  const bool themed = DrawsThemed();
  if (themed != FBevel->GetOwnerThemed()) {
    FBevel->SetOwnerThemed(themed);
    if (FBevel->GetMode() == bmWindows && HandleAllocated()) RecreateWnd();
    Relayout();
  }
  inherited::GetChange(Sender);
}

void TVisCustomBevelPanel::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  const bool themed = DrawsThemed();
  FBevel->SetOwnerThemed(themed);
  Params.Style &= ~WS_BORDER;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (FBevel->GetMode() == bmWindows && !themed) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TVisCustomBevelPanel::AdjustClientRect(TRect& Rect) {
  Rect = FBevel->GetClientRect(Rect);
  inherited::AdjustClientRect(Rect);
}

void TVisCustomBevelPanel::Paint() {
  inherited::Paint();
  PaintBorder(GetCanvas());
}

void TVisCustomBevelPanel::PaintBorder(TCanvas* Canvas) {
  const TRect client = GetClientRect();
  if (GetComponentState().Contains(csDesigning)) {
    // The panel's outline while it is designed.
    Canvas->GetPen()->SetStyle(psDash);
    Canvas->GetPen()->SetColor(clBlack);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(client);
    return;
  }
  if (GetFlat() && !GetFocusMark()) {
    DrawBorder(true);
    return;
  }
  if (FBevel->GetMode() == bmWindows) {
    DrawBorder(false);
    return;
  }
  TRect r = client;
  const TColor back = FParent ? FParent->GetColor() : clBtnFace;
  FBevel->Draw(Canvas, r, GetTransparent(), back);
}

void TVisCustomBevelPanel::RedrawBorder() {
  if (!HandleAllocated()) return;
  // The Windows edges lie partly in the window's frame, which a repaint of the client leaves.
  if (FBevel->GetMode() == bmWindows) DrawBorder(GetFlat() && !GetFocusMark());
  Invalidate();
}

void TVisCustomBevelPanel::BevelChanged(TObject*) {
  if (FBevel->TakeRecreateWanted()) RecreateWnd();
  Relayout();
}

void TVisCustomBevelPanel::Relayout() {
  Realign();
  Invalidate();
}
