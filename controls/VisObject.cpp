// The option object base, the glyph and button layouts, the 3D and rotated captions, and the
// shadow.
#include "controls/VisObject.h"

#include <algorithm>

#include "classlib/SysUtils.h"

PUBLISHED(TVisGlyphTextLayout) {
  // Written always, so that the button layout's centred default does not hide a top-left one.
  Prop("Alignment", &TVisGlyphTextLayout::GetAlignment, &TVisGlyphTextLayout::SetAlignment);
  Prop("AlignText2Glyph", &TVisGlyphTextLayout::GetAlignText2Glyph, &TVisGlyphTextLayout::SetAlignText2Glyph)
      .Default(taRight);
  Prop("OffsetX", &TVisGlyphTextLayout::GetOffsetX, &TVisGlyphTextLayout::SetOffsetX).Default(0);
  Prop("OffsetY", &TVisGlyphTextLayout::GetOffsetY, &TVisGlyphTextLayout::SetOffsetY).Default(0);
  Prop("Spacing", &TVisGlyphTextLayout::GetSpacing, &TVisGlyphTextLayout::SetSpacing).Default(2);
}

PUBLISHED(TVisButtonLayout) {
  Prop("Alignment", &TVisButtonLayout::GetAlignment, &TVisButtonLayout::SetAlignment).Default(agCenter);
  Prop("Arrow", &TVisButtonLayout::GetArrow, &TVisButtonLayout::SetArrow).Default(false);
  Prop("ArrowColor", &TVisButtonLayout::GetArrowColor, &TVisButtonLayout::SetArrowColor)
      .Type(ColorTypeInfo())
      .Default(clBlack);
  Prop("ArrowIndent", &TVisButtonLayout::GetArrowIndent, &TVisButtonLayout::SetArrowIndent).Default(3);
  Prop("ArrowPosition", &TVisButtonLayout::GetArrowPosition, &TVisButtonLayout::SetArrowPosition)
      .Default(apRightText);
  Prop("ArrowSize", &TVisButtonLayout::GetArrowSize, &TVisButtonLayout::SetArrowSize).Default(3);
}

PUBLISHED(TVis3DCaption) {
  Prop("DisabledStyle", &TVis3DCaption::GetDisabledStyle, &TVis3DCaption::SetDisabledStyle).Default(dsAuto);
  Prop("LightDepth", &TVis3DCaption::GetLightDepth, &TVis3DCaption::SetLightDepth).Default(1);
  Prop("ShadowDepth", &TVis3DCaption::GetShadowDepth, &TVis3DCaption::SetShadowDepth).Default(1);
  Prop("LightColor", &TVis3DCaption::GetLightColor, &TVis3DCaption::SetLightColor)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  Prop("ShadowColor", &TVis3DCaption::GetShadowColor, &TVis3DCaption::SetShadowColor)
      .Type(ColorTypeInfo())
      .Default(clBtnShadow);
  Prop("Orientation", &TVis3DCaption::GetOrientation, &TVis3DCaption::SetOrientation).Default(toTopLeft);
  Prop("Style", &TVis3DCaption::GetStyle, &TVis3DCaption::SetStyle).Default(tdNone);
  Prop("Tracing", &TVis3DCaption::GetTracing, &TVis3DCaption::SetTracing).Default(0);
}

PUBLISHED(TVisFxCaption) {
  Prop("Angle", &TVisFxCaption::GetAngle, &TVisFxCaption::SetAngle).Default(0);
  Prop("PosX", &TVisFxCaption::GetPosX, &TVisFxCaption::SetPosX).Default(0);
  Prop("PosY", &TVisFxCaption::GetPosY, &TVisFxCaption::SetPosY).Default(0);
}

PUBLISHED(TVisShadow) {
  Prop("Color", &TVisShadow::GetColor, &TVisShadow::SetColor).Type(ColorTypeInfo()).Default(clBtnShadow);
  Prop("Depth", &TVisShadow::GetDepth, &TVisShadow::SetDepth).Default(6);
  Prop("Style", &TVisShadow::GetStyle, &TVisShadow::SetStyle).Default(hssSolid);
}

// --- TVisObject ------------------------------------------------------------------------------------

void TVisObject::EndUpdate(bool Notify) {
  FUpdating = false;
  if (Notify) Change();
}

void TVisObject::Change() {
  if (!FUpdating && OnChange) OnChange(this);
}

void TVisObject::GetChange(TObject*) { Change(); }

AnsiString TVisObject::GetSummary() { return ""; }

// --- Layouts ---------------------------------------------------------------------------------------

void TVisGlyphTextLayout::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TVisGlyphTextLayout*>(Source)) {
    AssignFields(*source);
    Change();
    return;
  }
  inherited::Assign(Source);
}

void TVisGlyphTextLayout::AssignFields(const TVisGlyphTextLayout& Source) {
  FAlignment = Source.FAlignment;
  FAlignText2Glyph = Source.FAlignText2Glyph;
  FOffset[0] = Source.FOffset[0];
  FOffset[1] = Source.FOffset[1];
  FSpacing = Source.FSpacing;
}

void TVisGlyphTextLayout::SetAlignment(TVisAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Change();
}

void TVisGlyphTextLayout::SetAlignText2Glyph(TVisTextArrange Value) {
  if (Value == FAlignText2Glyph) return;
  FAlignText2Glyph = Value;
  Change();
}

void TVisGlyphTextLayout::SetOffset(Integer Index, Integer Value) {
  if (Value == FOffset[Index]) return;
  FOffset[Index] = Value;
  Change();
}

void TVisGlyphTextLayout::SetSpacing(Integer Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Change();
}

void TVisButtonLayout::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisButtonLayout*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  AssignFields(*source);
  FArrow = source->FArrow;
  FArrowColor = source->FArrowColor;
  FArrowIndent = source->FArrowIndent;
  FArrowPosition = source->FArrowPosition;
  FArrowSize = source->FArrowSize;
  EndUpdate(true);
}

void TVisButtonLayout::SetArrow(bool Value) {
  if (Value == FArrow) return;
  FArrow = Value;
  Change();
}

void TVisButtonLayout::SetArrowColor(TColor Value) {
  if (Value == FArrowColor) return;
  FArrowColor = Value;
  Change();
}

void TVisButtonLayout::SetArrowIndent(Integer Value) {
  if (Value == FArrowIndent) return;
  FArrowIndent = Value;
  Change();
}

void TVisButtonLayout::SetArrowPosition(TVisArrowPosition Value) {
  if (Value == FArrowPosition) return;
  FArrowPosition = Value;
  Change();
}

void TVisButtonLayout::SetArrowSize(TVisDDArrowSize Value) {
  Value = std::clamp<TVisDDArrowSize>(Value, 2, 10);
  if (Value == FArrowSize) return;
  FArrowSize = Value;
  Change();
}

Integer TVisButtonLayout::ArrowRoom() const { return FArrow ? FArrowSize * 2 - 1 + FArrowIndent : 0; }

// --- Captions --------------------------------------------------------------------------------------

void TVis3DCaption::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TVis3DCaption*>(Source)) {
    AssignFields(*source);
    Change();
    return;
  }
  inherited::Assign(Source);
}

void TVis3DCaption::AssignFields(const TVis3DCaption& Source) {
  FDisabledStyle = Source.FDisabledStyle;
  FDepth[0] = Source.FDepth[0];
  FDepth[1] = Source.FDepth[1];
  FColor[0] = Source.FColor[0];
  FColor[1] = Source.FColor[1];
  FOrientation = Source.FOrientation;
  FStyle = Source.FStyle;
  FTracing = Source.FTracing;
}

AnsiString TVis3DCaption::GetSummary() {
  static const char* const names[] = {"Disabled",      "sunken", "raised",  "sunken shadow", "raised shadow",
                                      "PColor sunken", "",       "shadow",  "outline",       "extrude",
                                      "extrude enh"};
  return AnsiString("{") + names[FStyle] + "}";
}

void TVis3DCaption::SetDisabledStyle(TVisDisabledStyle Value) {
  if (Value == FDisabledStyle) return;
  FDisabledStyle = Value;
  Change();
}

void TVis3DCaption::SetDepth(Integer Index, Byte Value) {
  if (Value == FDepth[Index]) return;
  FDepth[Index] = Value;
  Change();
}

void TVis3DCaption::SetColor(Integer Index, TColor Value) {
  if (Value == FColor[Index]) return;
  FColor[Index] = Value;
  Change();
}

void TVis3DCaption::SetOrientation(TVisThreeDOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Change();
}

void TVis3DCaption::SetStyle(TVisThreeDStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TVis3DCaption::SetTracing(Integer Value) {
  if (Value == FTracing) return;
  FTracing = Value;
  Change();
}

void TVisFxCaption::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TVisFxCaption*>(Source)) {
    AssignFields(*source);
    FAngle = source->FAngle;
    FPos[0] = source->FPos[0];
    FPos[1] = source->FPos[1];
    Change();
    return;
  }
  inherited::Assign(Source);
}

AnsiString TVisFxCaption::GetSummary() {
  AnsiString text = inherited::GetSummary();
  if (FAngle == 0) return text;
  if (text == "{Disabled}")
    text = "{";
  else
    text.back() = ',';
  return text + " rot: " + IntToStr(FAngle) + "}";
}

void TVisFxCaption::SetAngle(TVisAngle Value) {
  Value %= 360;
  if (Value == FAngle) return;
  FAngle = Value;
  Change();
}

void TVisFxCaption::SetPosition(Integer Index, Word Value) {
  if (Value == FPos[Index]) return;
  FPos[Index] = Value;
  Change();
}

void TVisFxCaption::SetPos(Word X, Word Y) {
  BeginUpdate();
  SetPosX(X);
  SetPosY(Y);
  EndUpdate(false);
}

// --- Shadow ----------------------------------------------------------------------------------------

void TVisShadow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisShadow*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  FColor = source->FColor;
  FDepth = source->FDepth;
  FStyle = source->FStyle;
  EndUpdate(true);
}

AnsiString TVisShadow::GetSummary() {
  static const char* const names[] = {"Disabled", "solid", "tracing"};
  AnsiString text = AnsiString("{") + names[FStyle];
  if (FStyle != hssNone) text += ", " + IntToStr(FDepth);
  return text + "}";
}

void TVisShadow::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Change();
}

void TVisShadow::SetDepth(TVisShadowDepth Value) {
  Value = std::min<TVisShadowDepth>(Value, 40);
  if (Value == FDepth) return;
  FDepth = Value;
  Change();
}

void TVisShadow::SetStyle(TVisShadowStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}
