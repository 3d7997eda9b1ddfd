// Parent panels and panel fills: the back bitmap, its rebuilding, and the caption.
#include "controls/VisParentPanel.h"

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "controls/VisFormShape.h"
#include "controls/VisObject.h"
#include "controls/VisScrollBox.h"
#include "controls/viscaption.h"
#include "controls/visclass.h"
#include "controls/viscont.h"

namespace {


// The panel's size now: while the window is being resized (WM_SIZE) its bounds are not yet
// updated, so the window's own rectangle counts.
TSize CurrentSize(TWinControl* Control) {
  if (Control->HandleAllocated()) {
    RECT r;
    ::GetWindowRect(Control->GetHandle(), &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  return {Control->GetWidth(), Control->GetHeight()};
}

void TellChildren(TWinControl* Control, UINT Msg) {
  TMessage message;
  message.Msg = Msg;
  Control->Broadcast(message);
}

}  // namespace

// --- TVisCustomParentPanel ---------------------------------------------------------------------------

TVisCustomParentPanel::TVisCustomParentPanel(TComponent* AOwner) : TVisCustomBevelPanel(AOwner) {
  // A change of the bevel changes what the back bitmap holds as well as the layout.
  GetBevel()->OnChange = TNotifyEvent(this, &TVisCustomParentPanel::BevelChanged);
}

TVisCustomParentPanel::~TVisCustomParentPanel() { FreeBackBitmap(); }

void TVisCustomParentPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_SIZE && !Loading(this)) UpdateBackBitmap(false);
  inherited::Dispatch(Message);
}

void TVisCustomParentPanel::Loaded() {
  inherited::Loaded();
  UpdateBackBitmap(true);
  if (HandleAllocated()) TellChildren(this, VM_BACKCHANGED);
}

void TVisCustomParentPanel::Notification(TComponent* AComponent, TOperation Operation) {
  const bool listGone = Operation == opRemove && AComponent == GetImageList();
  inherited::Notification(AComponent, Operation);
  if (listGone) {
    FRedrawOnChange = true;
    if (GetImageList()) SetImageList(nullptr);
  }
}

void TVisCustomParentPanel::BevelChanged(TObject* Sender) { BackFXChanged(Sender); }

void TVisCustomParentPanel::BorderChanged() { BackFXChanged(GetBackFX()); }

bool TVisCustomParentPanel::IsTransparent() { return FBackBitmap || IsTransparentSet(); }

void TVisCustomParentPanel::PaintBackground(TCanvas* Canvas) {
  if (IsTransparent() && DrawBackFX(Canvas, GetClientRect())) return;
  inherited::PaintBackground(Canvas);
}

void TVisCustomParentPanel::BackFXChanged(TObject* Sender) {
  if (Loading(this)) return;
  UpdateBackBitmap(true);
  if (Sender && Sender == GetBevel()) {
    if (GetBevel()->TakeRecreateWanted() && HandleAllocated()) RecreateWnd();
    Realign();
  }
  Invalidate();
}

bool TVisCustomParentPanel::CanFocusThemed() { return inherited::CanFocusThemed() && !ImageShown(); }

void TVisCustomParentPanel::ImageListChanged(TObject* Sender) {
  BackFXChanged(Sender);
  if (HandleAllocated()) TellChildren(this, VM_BACKCHANGED);
}

TBitmap* TVisCustomParentPanel::GetBackEffect() {
  if (FBackBitmap) return FBackBitmap;
  if (!IsTransparentSet()) return nullptr;
  if (auto* parent = dynamic_cast<TVisCustomControl*>(FParent)) return parent->GetBackEffect();
  if (auto* form = dynamic_cast<TCustomForm*>(FParent))
    if (TVisFormShape* shape = FindFormShape(form)) return shape->GetBackgroundBitmap();
  if (auto* box = dynamic_cast<TVisCustomScrollBox*>(FParent)) return box->GetBackEffect();
  return nullptr;
}

bool TVisCustomParentPanel::IsTransparentSet() {
  if (FBackBitmap) return true;
  if (!GetTransparent()) return false;
  if (auto* parent = dynamic_cast<TVisCustomControl*>(FParent))
    return parent->HandleAllocated() && parent->IsTransparentSet();
  if (auto* box = dynamic_cast<TVisCustomScrollBox*>(FParent))
    return box->HandleAllocated() && box->IsTransparentSet();
  if (auto* form = dynamic_cast<TCustomForm*>(FParent)) {
    TVisFormShape* shape = FindFormShape(form);
    return shape && shape->HasBackground();
  }
  return false;
}

bool TVisCustomParentPanel::DrawBackFX(TCanvas* Canvas, const TRect& Rect) {
  if (!FBackBitmap) return inherited::DrawBackFX(Canvas, Rect);
  TRect target = Rect;
  if (Rect == GetClientRect()) {
    // The whole client area: only what needs painting is copied.
    RECT clip;
    if (::GetClipBox(Canvas->GetHandle(), &clip) != ERROR) target = TRect{clip.left, clip.top, clip.right, clip.bottom};
  }
  Canvas->CopyRect(target, FBackBitmap->GetCanvas(), target);
  return true;
}

TRect TVisCustomParentPanel::GetImageRect(const TRect& Rect) {
  if (FBackBitmap) return Rect;
  return inherited::GetImageRect(Rect);
}

bool TVisCustomParentPanel::ImageShown() {
  TVisCustomImageList* list = GetImageList();
  return list && list->IsValid(GetListIndex(), GetImageIndex());
}

void TVisCustomParentPanel::FreeBackBitmap() {
  delete FBackBitmap;
  FBackBitmap = nullptr;
}

bool TVisCustomParentPanel::ClientFitsBitmap() {
  const TRect client = GetClientRect();
  const auto inside = [&](Integer X, Integer Y) {
    return X >= 0 && Y >= 0 && X < FBackBitmap->GetWidth() && Y < FBackBitmap->GetHeight();
  };
  return inside(client.Left, client.Top) && inside(client.Right, client.Bottom);
}

void TVisCustomParentPanel::UpdateBackBitmap(bool Force) {
  if (!ImageShown() || GetTransparent()) {
    // Nothing of its own to show: a transparent panel shows its parent's background.
    FreeBackBitmap();
    FRedrawOnChange = true;
    return;
  }
  if (!FBackBitmap) FBackBitmap = new TBitmap;
  else if (!Force && ClientFitsBitmap()) return;
  const TSize size = CurrentSize(this);
  FBackBitmap->SetSize(size.cx, size.cy);
  Word flags = dbTile;
  bool palette = true;
  if (VisApplication && (VisApplication->GraphicFlags & 1)) {
    HDC screen = ::GetDC(nullptr);
    palette = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES) > 8;
    ::ReleaseDC(nullptr, screen);
  }
  if (palette) flags |= dbPalette;
  TRect all = ::Rect(0, 0, FBackBitmap->GetWidth(), FBackBitmap->GetHeight());
  GetImageList()->DrawEffect(FBackBitmap->GetCanvas(), GetListIndex(), GetImageIndex(), all, flags);
}

HPALETTE TVisCustomParentPanel::GetPalette() {
  if (!ImageShown()) return nullptr;
  return GetImageList()->ItemPalette(GetListIndex());
}

void TVisCustomParentPanel::Paint() {
  if (Loading(this)) return;
  PaintBackground(GetCanvas());
  // Without a border of its own the panel shows its outline only while it is designed, which
  // the border painting does.
  if (!CanFocusThemed() || GetComponentState().Contains(csDesigning)) PaintBorder(GetCanvas());
}

// --- TVisCustomPanelFill -------------------------------------------------------------------------------

TVisCustomPanelFill::TVisCustomPanelFill(TComponent* AOwner)
    : TVisCustomParentPanel(AOwner), FFontFX(new TVisFxCaption), FFillObject(new TVisFillObject) {
  ControlStyle.Include(csSetCaption);
  FFontFX->OnChange = TNotifyEvent(this, &TVisCustomPanelFill::BackFXChanged);
  FFillObject->OnChange = TNotifyEvent(this, &TVisCustomPanelFill::BackFXChanged);
}

TVisCustomPanelFill::~TVisCustomPanelFill() {
  FFontFX->OnChange = nullptr;
  FFillObject->OnChange = nullptr;
  delete FFontFX;
  delete FFillObject;
}

void TVisCustomPanelFill::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      inherited::Dispatch(Message);
      BackFXChanged(nullptr);
      break;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      // A font of its own (the parent's font arriving leaves the panel following it).
      SetParentFont(false);
      BackFXChanged(FFontFX);
      break;
    default: inherited::Dispatch(Message);
  }
}

void TVisCustomPanelFill::SetAlignment(TVisAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TVisCustomPanelFill::SetFontFX(TVisFxCaption* Value) { FFontFX->Assign(Value); }

void TVisCustomPanelFill::SetFillObject(TVisFillObject* Value) { FFillObject->Assign(Value); }

void TVisCustomPanelFill::UpdateBackBitmap(bool Force) {
  if (Loading(this) || GetComponentState().Contains(csDestroying)) return;
  if (FFillObject->IsEmpty() || GetTransparent()) {
    FreeBackBitmap();
    FRedrawOnChange = true;
    return;
  }
  if (!FBackBitmap) FBackBitmap = new TBitmap;
  else if (!Force && FFillObject->GetStyle() != sfGradient && ClientFitsBitmap()) return;
  const TSize size = CurrentSize(this);
  FBackBitmap->SetSize(size.cx, size.cy);
  FFillObject->FillArea(FBackBitmap->GetCanvas(), ::Rect(0, 0, FBackBitmap->GetWidth(), FBackBitmap->GetHeight()),
                        GetColor());
  FBackBitmap->SetPixelFormat(pf24bit);
  GetBackFX()->Apply(FBackBitmap);
}

void TVisCustomPanelFill::BackFXChanged(TObject* Sender) {
  inherited::BackFXChanged(Sender);
  if (Sender && Sender == FFontFX) {
    GetCanvas()->SetFont(GetFont());
    // A turned caption needs an outline font.
    if (FFontFX->GetAngle() != 0 && !IsTrueTypeFont(GetFont())) GetFont()->SetName("Arial");
    if (HandleAllocated()) TellChildren(this, CM_FONTCHANGED);
    return;
  }
  if (Loading(this) || !Sender) return;
  if (Sender == FFillObject || Sender == GetBackFX()) {
    UpdateBackBitmap(true);
    if (HandleAllocated()) TellChildren(this, VM_BACKCHANGED);
  } else if (Sender == GetBevel()) {
    if (HandleAllocated()) TellChildren(this, CM_COLORCHANGED);
  }
}

bool TVisCustomPanelFill::CanFocusThemed() {
  return inherited::CanFocusThemed() && GetText().empty() && FFillObject->IsEmpty();
}

HPALETTE TVisCustomPanelFill::GetPalette() { return FFillObject->GetPalette(); }

void TVisCustomPanelFill::Resize() {
  inherited::Resize();
  // Every size has a gradient of its own: what the children show of it changed.
  if (FFillObject->GetStyle() == sfGradient && HandleAllocated()) TellChildren(this, CM_COLORCHANGED);
}

void TVisCustomPanelFill::Paint() {
  if (Loading(this)) return;
  TCanvas* canvas = GetCanvas();
  PaintBackground(canvas);
  if (CanFocusThemed()) {
    if (GetComponentState().Contains(csDesigning)) PaintBorder(canvas);
    return;
  }
  const TRect client = GetClientRect();
  PaintBorder(canvas);
  const bool bevelled = !GetFlat() || GetFocusMark();
  DrawCaption(bevelled ? GetBevel()->GetClientRect(client) : client, FAlignment);
}

void TVisCustomPanelFill::DrawCaption(const TRect& Rect, TVisAlignment Alignment) {
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->SetFont(GetFont());
  const AnsiString text = GetText();
  TRect r = Rect;
  const UINT format = AlignmentFormat(Alignment) | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS |
                      static_cast<UINT>(DrawTextBiDiModeFlagsReadingOnly());
  // A turned caption is drawn from its origin in its box, so the box is placed first.
  if (FFontFX->GetAngle() != 0 && Alignment != agTopLeft)
    AlignCaption(Alignment, text, FFontFX, r, format, false, false, GetFont(), Rect);
  Draw3DText(canvas, text, FFontFX, &Rect, (GetEnabled() ? cfEnabled : 0) | cfClip, format, r);
}
