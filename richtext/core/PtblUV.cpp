#include "richtext/core/PtblUV.h"

TCustomPrintableUV::TCustomPrintableUV(TCustomUVPrint* AOwner, TUVDataClass DataClass)
    : TCustomUzurUvad(AOwner, DataClass), PrintComponent(AOwner) {
  SetVisible(false);
  SetBorderStyle(bsNone);
  SetTopMargin(0);
  SetBottomMargin(0);
}

TCustomUVPrint::TCustomUVPrint(TComponent* AOwner) : TComponent(AOwner) {}

void TCustomUVPrint::SetPrintableViewer(TCustomPrintableUV* Viewer) { FViewer = Viewer; }

TCustomMainPtblUVData* TCustomUVPrint::GetPrintableData() const {
  return FViewer ? dynamic_cast<TCustomMainPtblUVData*>(FViewer->GetUVData()) : nullptr;
}

Integer TCustomUVPrint::GetPrintPageCount() const {
  TCustomMainPtblUVData* data = GetPrintableData();
  return data ? data->GetPageCount() : 0;
}

bool TCustomUVPrint::GetTransparentBackground() const {
  TCustomMainPtblUVData* data = GetPrintableData();
  return data && data->TransparentBackground;
}

void TCustomUVPrint::SetTransparentBackground(bool Value) {
  if (TCustomMainPtblUVData* data = GetPrintableData()) data->TransparentBackground = Value;
}

void TCustomUVPrint::Loaded() {
  TComponent::Loaded();
  if (FViewer) static_cast<TComponent*>(FViewer)->Loaded();
}

PUBLISHED(TCustomUVPrint) {
  Prop("PreviewCorrection", &TCustomUVPrint::PreviewCorrection).Default(true);
  Prop("TransparentBackground", &TCustomUVPrint::GetTransparentBackground, &TCustomUVPrint::SetTransparentBackground)
      .Default(false);
  Prop("OnPrintComponent", &TCustomUVPrint::OnPrintComponent);
}
