// A windowless control with a bevel.
#include "controls/VisGraphicControl.h"

TVisGraphicControl::TVisGraphicControl(TComponent* AOwner) : TVisBaseGraphicControl(AOwner), FBevel(new TVisBevel) {
  FBevel->OnChange = TNotifyEvent(this, &TVisGraphicControl::BevelChanged);
}

TVisGraphicControl::~TVisGraphicControl() {
  FBevel->OnChange = nullptr;
  delete FBevel;
}

void TVisGraphicControl::BevelChanged(TObject*) { Invalidate(); }

void TVisGraphicControl::Paint() {
  TCanvas* canvas = GetCanvas();
  PaintBackground(canvas);
  TRect area = GetClientRect();
  FBevel->Draw(canvas, area, GetTransparent(), GetColor());
}
