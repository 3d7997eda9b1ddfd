// The bevel of panels and edits.
#include "controls/VisBevel.h"

PUBLISHED(TVisBevel) {
  Prop("StyleInner", &TVisBevel::GetStyleInner, &TVisBevel::SetStyleInner).Default(int(TVisBevelStyle::bvNone));
  Prop("StyleOuter", &TVisBevel::GetStyleOuter, &TVisBevel::SetStyleOuter).Default(int(TVisBevelStyle::bvNone));
  Prop("WidthInner", &TVisBevel::GetWidthInner, &TVisBevel::SetWidthInner).Default(1);
  Prop("WidthOuter", &TVisBevel::GetWidthOuter, &TVisBevel::SetWidthOuter).Default(1);
  Prop("BorderColor", &TVisBevel::GetBorderColor, &TVisBevel::SetBorderColor).Type(ColorTypeInfo()).Default(clBtnFace);
  Prop("BorderSides", &TVisBevel::GetBorderSides, &TVisBevel::SetBorderSides)
      .Default(TVisFrameSides{fsBottom, fsLeft, fsRight, fsTop});
  Prop("BorderWidth", &TVisBevel::GetBorderWidth, &TVisBevel::SetBorderWidth).Default(0);
  Prop("BorderInnerWidth", &TVisBevel::GetBorderInnerWidth, &TVisBevel::SetBorderInnerWidth).Default(0);
  Prop("EdgeStyle", &TVisBevel::GetEdgeStyle, &TVisBevel::SetEdgeStyle).Default(etEtched);
  Prop("LightColor", &TVisBevel::GetLightColor, &TVisBevel::SetLightColor)
      .Type(ColorTypeInfo())
      .Default(clBtnHighlight);
  Prop("Mode", &TVisBevel::GetMode, &TVisBevel::SetMode).Default(bmStandard);
  Prop("ShadowColor", &TVisBevel::GetShadowColor, &TVisBevel::SetShadowColor)
      .Type(ColorTypeInfo())
      .Default(clBtnShadow);
  Prop("StandardStyle", &TVisBevel::GetStandardStyle, &TVisBevel::SetStandardStyle).Default(lsSingleLowered);
}

PUBLISHED(TVisScrollBoxBevel) { Prop("Mode", &TVisScrollBoxBevel::GetMode, &TVisScrollBoxBevel::SetMode).Default(bmWindows); }

namespace {

using enum TVisBevelStyle;

// The pixels a bevel of the style takes on each side: its width, one more for the frames.
Integer BevelRoom(TVisBevelStyle Style, Integer Width) {
  if (Style == bvNone) return 0;
  return Width + (Style == bvFrameLowered || Style == bvFrameRaised ? 1 : 0);
}

UINT EdgeOf(TVisEdgeStyle Style) {
  switch (Style) {
    case etRaisedInner: return BDR_RAISEDINNER;
    case etRaisedOuter: return BDR_RAISEDOUTER;
    case etSunkenInner: return BDR_SUNKENINNER;
    case etSunkenOuter: return BDR_SUNKENOUTER;
    case etBump: return EDGE_BUMP;
    case etEtched: return EDGE_ETCHED;
    case etRaised: return EDGE_RAISED;
    case etSunken: return EDGE_SUNKEN;
  }
  return EDGE_ETCHED;
}

UINT SidesOf(TVisFrameSides Sides) {
  UINT flags = 0;
  if (Sides.Contains(fsBottom)) flags |= BF_BOTTOM;
  if (Sides.Contains(fsLeft)) flags |= BF_LEFT;
  if (Sides.Contains(fsRight)) flags |= BF_RIGHT;
  if (Sides.Contains(fsTop)) flags |= BF_TOP;
  return flags;
}

TRect Inset(const TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom) {
  return {R.Left + Left, R.Top + Top, R.Right - Right, R.Bottom - Bottom};
}

// Stores a changed value; true when it changed.
template <class T>
bool Store(T& Field, T Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

void TVisBevel::Changed() {
  UpdateExtent();
  Change();
}

void TVisBevel::UpdateExtent() {
  switch (FMode) {
    case bmCustom:
      if (FStyleInner == bvShadow)
        FExtent = FWidthInner + FBorderInnerWidth;
      else
        FExtent = FBorderWidth + FBorderInnerWidth + BevelRoom(FStyleOuter, FWidthOuter) +
                  BevelRoom(FStyleInner, FWidthInner);
      break;
    case bmStandard: FExtent = BorderWidth(FStandardStyle) + FBorderInnerWidth; break;
    case bmEdge: FExtent = (FBorderSides.Empty() ? 0 : 2) + FBorderInnerWidth; break;
    case bmWindows: FExtent = FOwnerThemed ? 0 : FBorderInnerWidth + 2; break;
  }
  FExtentClient = FMode == bmCustom && FStyleOuter == bvShadow ? FWidthInner + FWidthOuter + FBorderInnerWidth
                                                                : FExtent;
}

void TVisBevel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisBevel*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FStyleInner = source->FStyleInner;
  FStyleOuter = source->FStyleOuter;
  FWidthInner = source->FWidthInner;
  FWidthOuter = source->FWidthOuter;
  FBorderColor = source->FBorderColor;
  FBorderSides = source->FBorderSides;
  FBorderWidth = source->FBorderWidth;
  FBorderInnerWidth = source->FBorderInnerWidth;
  FEdgeStyle = source->FEdgeStyle;
  FLightColor = source->FLightColor;
  FMode = source->FMode;
  FShadowColor = source->FShadowColor;
  FStandardStyle = source->FStandardStyle;
  FOwnerThemed = source->FOwnerThemed;
  Changed();
}

void TVisBevel::SetStyleInner(TVisBevelStyle Value) {
  if (Store(FStyleInner, Value)) Changed();
}

void TVisBevel::SetStyleOuter(TVisBevelStyle Value) {
  if (Store(FStyleOuter, Value)) Changed();
}

void TVisBevel::SetWidthInner(TVisBevelWidth Value) {
  if (Store(FWidthInner, Value)) Changed();
}

void TVisBevel::SetWidthOuter(TVisBevelWidth Value) {
  if (Store(FWidthOuter, Value)) Changed();
}

void TVisBevel::SetBorderColor(TColor Value) {
  if (Store(FBorderColor, Value)) Changed();
}

void TVisBevel::SetBorderSides(TVisFrameSides Value) {
  if (Store(FBorderSides, Value)) Changed();
}

void TVisBevel::SetBorderWidth(TVisBorderWidth Value) {
  if (Store(FBorderWidth, Value)) Changed();
}

void TVisBevel::SetBorderInnerWidth(TVisBorderWidth Value) {
  if (Store(FBorderInnerWidth, Value)) Changed();
}

void TVisBevel::SetEdgeStyle(TVisEdgeStyle Value) {
  if (Store(FEdgeStyle, Value)) Changed();
}

void TVisBevel::SetLightColor(TColor Value) {
  if (Store(FLightColor, Value)) Changed();
}

void TVisBevel::SetMode(TVisBevelMode Value) {
  const TVisBevelMode old = FMode;
  if (!Store(FMode, Value)) return;
  // The owner's window border follows bmWindows (a client edge, none while themed): its window
  // is made again.
  if (old == bmWindows || Value == bmWindows) FRecreateWanted = true;
  Changed();
}

void TVisBevel::SetShadowColor(TColor Value) {
  if (Store(FShadowColor, Value)) Changed();
}

void TVisBevel::SetStandardStyle(TVisBorderStyle Value) {
  if (!Store(FStandardStyle, Value)) return;
  if (FMode == bmStandard)
    Changed();
  else
    UpdateExtent();
}

void TVisBevel::SetOwnerThemed(bool Value) {
  if (Store(FOwnerThemed, Value)) UpdateExtent();
}

bool TVisBevel::TakeRecreateWanted() {
  const bool wanted = FRecreateWanted;
  FRecreateWanted = false;
  return wanted;
}

TRect TVisBevel::GetClientRect(const TRect& Rect) const {
  if (FMode == bmCustom && FStyleOuter == bvShadow) {
    const Integer topLeft = FWidthInner + FBorderInnerWidth;
    const Integer bottomRight = FWidthInner + FWidthOuter + FBorderInnerWidth;
    return Inset(Rect, topLeft, topLeft, bottomRight, bottomRight);
  }
  return Inset(Rect, FExtent, FExtent, FExtent, FExtent);
}

void TVisBevel::DrawLayer(TCanvas* Canvas, TRect& Rect, Integer Width) {
  TBrush* brush = Canvas->GetBrush();
  brush->SetStyle(bsSolid);
  brush->SetColor(FBorderColor);
  for (Integer i = 0; i < Width; ++i) {
    Canvas->FrameRect(Rect);
    Rect = Inset(Rect, 1, 1, 1, 1);
  }
}

void TVisBevel::Draw(TCanvas* Canvas, TRect& Rect, bool AreaOnly, TColor BackColor) {
  if (AreaOnly || FMode == bmWindows) {
    Rect = GetClientRect(Rect);
    return;
  }
  const TRect inside = GetClientRect(Rect);
  Canvas->RequiredState({csHandleValid});
  switch (FMode) {
    case bmCustom: {
      // From the outside in: the outer bevel, the border, the inner bevel.
      if (FStyleInner == bvShadow) {
        DrawShadowFrame(Canvas, Rect, FBorderColor, false, 0, FWidthInner, BackColor, FShadowColor);
        break;
      }
      if (FStyleOuter == bvShadow)
        DrawShadowFrame(Canvas, Rect, FBorderColor, false, 0, FWidthOuter, BackColor, FShadowColor);
      else
        DrawBevelFrame(Canvas, Rect, FStyleOuter, FWidthOuter, FShadowColor, FLightColor);
      DrawLayer(Canvas, Rect, FBorderWidth);
      DrawBevelFrame(Canvas, Rect, FStyleInner, FWidthInner, FShadowColor, FLightColor);
      break;
    }
    case bmStandard: DrawBorderEdge(Canvas, Rect, FStandardStyle); break;
    case bmEdge:
      if (!FBorderSides.Empty()) {
        TRect r = Rect;
        ::DrawEdge(Canvas->GetHandle(), AsRECT(r), EdgeOf(FEdgeStyle), SidesOf(FBorderSides));
        Rect = Inset(Rect, 2, 2, 2, 2);
      }
      break;
    case bmWindows: break;
  }
  // The innermost layer ends where the extent says the border ends.
  TRect layer = Inset(inside, -FBorderInnerWidth, -FBorderInnerWidth, -FBorderInnerWidth, -FBorderInnerWidth);
  DrawLayer(Canvas, layer, FBorderInnerWidth);
  Rect = inside;
}

TVisScrollBoxBevel::TVisScrollBoxBevel() {
  FMode = bmWindows;
  UpdateExtent();
}
