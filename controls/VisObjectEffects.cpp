// The alpha blend and bitmap effect objects.
#include <algorithm>
#include <cmath>

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"
#include "controls/viseffects.h"

PUBLISHED(TVisAlphaObject) {
  Prop("ImageList", &TVisAlphaObject::GetImageList, &TVisAlphaObject::SetImageList)
      .Stored(&TVisAlphaObject::IsImageListStored);
  Prop("ImageIndex", &TVisAlphaObject::GetImageIndex, &TVisAlphaObject::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisAlphaObject::GetListIndex, &TVisAlphaObject::SetListIndex).Default(0);
  Prop("Strength", &TVisAlphaObject::GetStrength, &TVisAlphaObject::SetStrength)
      .Stored(&TVisAlphaObject::IsStrengthStored);
  Prop("FillObject", &TVisAlphaObject::GetFillObject, &TVisAlphaObject::SetFillObject);
}

PUBLISHED(TVisBitmapEffectObject) {
  Prop("AlphaBlend", &TVisBitmapEffectObject::GetAlphaBlend, &TVisBitmapEffectObject::SetAlphaBlend);
  Prop("FlipVertical", &TVisBitmapEffectObject::GetFlipVertical, &TVisBitmapEffectObject::SetFlipVertical)
      .Default(false);
  Prop("FlipHorizontal", &TVisBitmapEffectObject::GetFlipHorizontal, &TVisBitmapEffectObject::SetFlipHorizontal)
      .Default(false);
  Prop("GrayScale", &TVisBitmapEffectObject::GetGrayScale, &TVisBitmapEffectObject::SetGrayScale).Default(false);
  Prop("Invert", &TVisBitmapEffectObject::GetInvert, &TVisBitmapEffectObject::SetInvert).Default(false);
  Prop("Buffered", &TVisBitmapEffectObject::GetBuffered, &TVisBitmapEffectObject::SetBuffered).Default(false);
  Prop("Brightness", &TVisBitmapEffectObject::GetBrightness, &TVisBitmapEffectObject::SetBrightness).Default(0);
}

// --- TVisAlphaObject -------------------------------------------------------------------------------

TVisAlphaObject::TVisAlphaObject() : FChangeLink(new TVisChangeLink), FFillObject(new TVisFillObject) {
  FChangeLink->Sender = this;
  FChangeLink->OnChange = TNotifyEvent(this, &TVisAlphaObject::Refresh);
  FFillObject->OnChange = TNotifyEvent(this, &TVisAlphaObject::GetChange);
}

TVisAlphaObject::~TVisAlphaObject() {
  delete FChangeLink;
  FFillObject->OnChange = nullptr;
  delete FFillObject;
}

void TVisAlphaObject::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisAlphaObject*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  FIndex[0] = source->FIndex[0];
  FIndex[1] = source->FIndex[1];
  FStrength = source->FStrength;
  FFillObject->Assign(source->FFillObject);
  SetImageList(source->GetImageList());
  EndUpdate(true);
}

AnsiString TVisAlphaObject::GetSummary() {
  if (!IsActive()) return "{Disabled}";
  const TVisFillStyle style = FFillObject->GetStyle();
  const char* fill = style == sfBrush ? "brush" : style == sfGradient ? "grad" : "bmp";
  // Seven significant digits: what a Single holds, so 0.6 reads "0.6".
  return AnsiString("{Enabled (") + fill + "), strength: " + FloatToStrF(FStrength, ffGeneral, 7, 0) + "}";
}

TVisCustomImageList* TVisAlphaObject::GetImageList() const {
  // The link is the reference: a list that is freed lets its links go.
  return static_cast<TVisCustomImageList*>(FChangeLink->GetContainer());
}

void TVisAlphaObject::SetImageList(TVisCustomImageList* Value) {
  if (TVisBaseContainer* old = FChangeLink->GetContainer()) old->UnRegisterChanges(FChangeLink);
  if (Value) Value->RegisterChanges(FChangeLink);
  Refresh();
}

void TVisAlphaObject::SetIndex(Integer Index, Integer Value) {
  FIndex[Index] = Value;
  Refresh();
}

void TVisAlphaObject::SetStrength(Single Value) {
  FStrength = Value;
  GetChange(this);
}

bool TVisAlphaObject::IsActive() const { return FFillObject->GetStyle() != sfNone && FStrength != 1.0f; }

bool TVisAlphaObject::IsImageListStored() const { return GetImageList() && !IsGlobalImageList(GetImageList()); }

bool TVisAlphaObject::IsStrengthStored() const {
  return Round(static_cast<Extended>(FStrength) * 1000000.0L) != 600000;
}

void TVisAlphaObject::Refresh(TObject*) {
  TVisCustomImageList* list = GetImageList();
  if (list && list->IsValid(FIndex[1], FIndex[0]))
    list->AssignPicture(FIndex[1], FIndex[0], FFillObject->GetListBitmap());
  else
    FFillObject->GetListBitmap()->Assign(nullptr);
  GetChange(FFillObject);
}

void TVisAlphaObject::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("Internal", TReaderProc(this, &TVisAlphaObject::ReadInternal),
                        TWriterProc(this, &TVisAlphaObject::WriteInternal), IsGlobalImageList(GetImageList()));
}

void TVisAlphaObject::ReadInternal(TReader* Reader) {
  if (TVisCustomImageList* list = ReadGlobalListRef(Reader)) SetImageList(list);
}

void TVisAlphaObject::WriteInternal(TWriter* Writer) { WriteGlobalListRef(Writer, GetImageList()); }

void TVisAlphaObject::Apply(TBitmap* Picture) {
  if (FFillObject->GetStyle() == sfNone || !Picture || Picture->GetEmpty()) return;
  const Integer w = Picture->GetWidth();
  const Integer h = Picture->GetHeight();
  TBitmap fill;
  fill.SetPixelFormat(pf24bit);
  fill.SetSize(w, h);
  FFillObject->FillArea(fill.GetCanvas(), Rect(0, 0, w, h), clWhite);
  fill.SetTransparentColor(FFillObject->GetBitmap()->GetTransparentColor());
  Picture->SetPixelFormat(pf24bit);
  AlphaBlendBitmaps(Picture, &fill, Rect(0, 0, w, h), Point(0, 0), FStrength, Picture, Point(0, 0));
}

// --- TVisBitmapEffectObject ------------------------------------------------------------------------

TVisBitmapEffectObject::TVisBitmapEffectObject() : FAlphaBlend(new TVisAlphaObject) {
  FAlphaBlend->OnChange = TNotifyEvent(this, &TVisBitmapEffectObject::GetChange);
}

TVisBitmapEffectObject::~TVisBitmapEffectObject() {
  delete FBuffer;
  FAlphaBlend->OnChange = nullptr;
  delete FAlphaBlend;
}

void TVisBitmapEffectObject::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisBitmapEffectObject*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  FAlphaBlend->Assign(source->FAlphaBlend);
  for (Integer i = 0; i < 6; ++i) SetFlag(i, source->FFlags[i]);
  SetBrightness(source->FBrightness);
  EndUpdate(true);
  FBufferValid = false;
}

void TVisBitmapEffectObject::GetChange(TObject* Sender) {
  inherited::GetChange(Sender);
  FBufferValid = false;
}

AnsiString TVisBitmapEffectObject::GetSummary() {
  AnsiString text;
  const auto add = [&text](bool on, const char* name) {
    if (!on) return;
    if (!text.empty()) text += ",";
    text += name;
  };
  add(FAlphaBlend->IsActive(), "alpha");
  add(FFlags[0], "FV");
  add(FFlags[1], "FH");
  add(FFlags[2], "GS");
  add(FFlags[3], "INV");
  add(FBrightness != 0, "B");
  return "{" + (text.empty() ? AnsiString("Disabled") : text) + "}";
}

void TVisBitmapEffectObject::SetFlag(Integer Index, bool Value) {
  if (Index < 0 || Index > 5 || Value == FFlags[Index]) return;
  FFlags[Index] = Value;
  if (Index == 4) {
    if (Value) {
      FBuffer = new TBitmap;
    } else {
      delete FBuffer;
      FBuffer = nullptr;
    }
  }
  GetChange(this);
}

void TVisBitmapEffectObject::SetBrightness(TVisBrightness Value) {
  Value = std::clamp<TVisBrightness>(Value, -255, 255);
  if (Value == FBrightness) return;
  FBrightness = Value;
  GetChange(this);
}

bool TVisBitmapEffectObject::IsEffective() const {
  return FFlags[0] || FFlags[1] || FFlags[2] || FFlags[3] || FAlphaBlend->IsActive() || FBrightness != 0;
}

void TVisBitmapEffectObject::Apply(TBitmap* Picture) {
  if (!Picture || Picture->GetEmpty()) return;
  if (FFlags[4] && FBuffer && FBufferValid) {
    Picture->GetCanvas()->Draw(0, 0, FBuffer);
    return;
  }
  Picture->SetPixelFormat(pf24bit);
  const TRect all = Rect(0, 0, Picture->GetWidth(), Picture->GetHeight());
  if (FFlags[0]) MirrorColumnsBitmap(Picture, all, Picture, Point(0, 0));
  if (FFlags[1]) MirrorRowsBitmap(Picture, all, Picture, Point(0, 0));
  if (FFlags[2]) GrayScaleBitmap(Picture, all, Picture, Point(0, 0));
  if (FFlags[3]) InvertBitmap(Picture, all, Picture, Point(0, 0));
  if (FFlags[5]) {
    Picture->SetMonochrome(true);
    // The later effects work on 24-bit rows; the black and white picture is widened again
    // rather than having its packed bits read as colour bytes.
    if (FBrightness != 0 || FAlphaBlend->GetFillObject()->GetStyle() != sfNone) Picture->SetPixelFormat(pf24bit);
  }
  if (FBrightness != 0) BrightnessBitmap(Picture, all, Picture, FBrightness, Point(0, 0));
  FAlphaBlend->Apply(Picture);
  if (FFlags[4] && FBuffer) {
    FBuffer->SetSize(Picture->GetWidth(), Picture->GetHeight());
    FBuffer->GetCanvas()->Draw(0, 0, Picture);
    FBufferValid = true;
  }
}
