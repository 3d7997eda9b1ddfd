// The form fills: background erasing taken over through the window-procedure hook.
#include "controls/VisFormFill.h"

#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "controls/viscont.h"
#include "controls/visgraph.h"

PUBLISHED(TVisCustomFormFill) {
  Prop("About", &TVisCustomFormFill::About).Stored(false);
  Prop("DefaultFill", &TVisCustomFormFill::DefaultFill).Default(true);
  Prop("Enabled", &TVisCustomFormFill::GetEnabled, &TVisCustomFormFill::SetEnabled).Default(true);
  Prop("ImageList", &TVisCustomFormFill::GetImageList, &TVisCustomFormFill::SetImageList)
      .Stored(&TVisCustomFormFill::IsImageListStored);
  Prop("ImageIndex", &TVisCustomFormFill::GetImageIndex, &TVisCustomFormFill::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisCustomFormFill::GetListIndex, &TVisCustomFormFill::SetListIndex).Default(0);
  Prop("PaintMode", &TVisCustomFormFill::GetPaintMode, &TVisCustomFormFill::SetPaintMode).Default(pcControl);
  Prop("OnPaint", &TVisCustomFormFill::OnPaint);
}

bool visformfill_detail::RegisterClasses() {
  if (!GetClass("TVisCustomFormFill")) RegisterClass(TVisCustomFormFill::StaticClass());
  if (!GetClass("TVisBack")) RegisterClass(TVisBack::StaticClass());
  return true;
}

TVisCustomFormFill::TVisCustomFormFill(TComponent* AOwner)
    : TVisWndProcComponent(AOwner), FImages(this, TNotifyEvent(this, &TVisCustomFormFill::ImagesChanged)) {}

TVisCustomFormFill::~TVisCustomFormFill() {
  // The hook goes while this object is whole; the base would only find its own Unhook.
  Unhook();
}

TCustomForm* TVisCustomFormFill::Form() const { return dynamic_cast<TCustomForm*>(GetOwner()); }

TRect TVisCustomFormFill::FormClientRect() const {
  TCustomForm* form = Form();
  if (!form) return TRect{};
  const TRect client = form->GetClientRect();
  return Rect(0, 0, client.Width(), client.Height());
}

void TVisCustomFormFill::ImagesChanged(TObject*) { Repaint(); }

void TVisCustomFormFill::SetPaintMode(TVisPaintMode Value) {
  if (Value == FPaintMode) return;
  FPaintMode = Value;
  Change();
  if (GetHooked()) Repaint();
}

void TVisCustomFormFill::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  FImages.DefineProperties(Filer);
}

void TVisCustomFormFill::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  FImages.Notification(AComponent, Operation);
}

void TVisCustomFormFill::Repaint() {
  HWND wnd = GetHookedWindow();
  if (!wnd) {
    TCustomForm* form = Form();
    if (!form || !form->HandleAllocated()) return;
    wnd = form->GetHandle();
  }
  ::InvalidateRect(wnd, nullptr, TRUE);
}

void TVisCustomFormFill::Hook() {
  if (!GetEnabled()) return;
  inherited::Hook();
  if (!GetComponentState().Contains(csLoading)) Repaint();
}

void TVisCustomFormFill::Unhook() {
  const bool wasHooked = GetHooked();
  inherited::Unhook();
  if (wasHooked && !GetComponentState().Contains(csDestroying)) Repaint();
}

void TVisCustomFormFill::WndProc(TMessage& Message) {
  if (GetEnabled()) {
    switch (Message.Msg) {
      case WM_SIZE:
        SizeChanged = true;
        ::InvalidateRect(GetHookedWindow(), nullptr, RepaintErase ? TRUE : FALSE);
        break;
      case WM_ERASEBKGND:
        if (PaintBackground(reinterpret_cast<HDC>(Message.WParam))) {
          Message.Result = 1;
          return;
        }
        break;
      case WM_HSCROLL:
      case WM_VSCROLL: ::InvalidateRect(GetHookedWindow(), nullptr, FALSE); break;
      case WM_PALETTECHANGED: Repaint(); break;
      default: break;
    }
  }
  inherited::WndProc(Message);
}

bool TVisCustomFormFill::PaintBackground(HDC DC) {
  if (GetComponentState().Contains(csLoading) || FPaintMode != pcOwnerDraw || !OnPaint) return false;
  TCanvas canvas;
  CanvasOnDC onDC(&canvas, DC);
  const TRect client = FormClientRect();
  if (DefaultFill) {
    if (TCustomForm* form = Form()) canvas.GetBrush()->SetColor(form->GetColor());
    canvas.GetBrush()->SetStyle(bsSolid);
    canvas.FillRect(client);
  }
  OnPaint(this, &canvas, client);
  return true;
}

bool TVisBack::PaintBackground(HDC DC) {
  if (GetPaintMode() != pcControl) return inherited::PaintBackground(DC);
  TVisCustomImageList* list = GetImageList();
  if (!list || !list->IsValid(GetListIndex(), GetImageIndex())) return false;
  TCanvas canvas;
  CanvasOnDC onDC(&canvas, DC);
  TRect area = FormClientRect();
  // On a palette display the picture's palette is realized first, unless the application's
  // graphic flags ask for quick drawing there.
  const Word flags = dbTile | (PalettesRealized() ? dbPalette : 0);
  list->DrawEffect(&canvas, GetListIndex(), GetImageIndex(), area, flags);
  return true;
}
