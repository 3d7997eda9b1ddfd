// Rectangles of offsets and flags, and the border and background of paragraph styles.
#include "classlib/SysUtils.h"
#include "richtext/core/UVMapWht.h"
#include "richtext/core/UVStyle.h"
#include "classlib/TypInfo.h"

// ---------------------------------------------------------------------------------------------
// TUVRect

void TUVRect::Assign(TPersistent* Source) {
  if (auto* r = dynamic_cast<TUVRect*>(Source)) {
    Top = r->Top;
    Left = r->Left;
    Right = r->Right;
    Bottom = r->Bottom;
    return;
  }
  TPersistent::Assign(Source);
}

void TUVRect::SetAll(Integer Value) { Top = Left = Right = Bottom = Value; }

void TUVRect::AssignToRect(TRect& R) const { R = {Left, Top, Right, Bottom}; }

void TUVRect::AssignToRectIfGreater(TRect& R) const {
  if (Left > R.Left) R.Left = Left;
  if (Top > R.Top) R.Top = Top;
  if (Right > R.Right) R.Right = Right;
  if (Bottom > R.Bottom) R.Bottom = Bottom;
}

void TUVRect::InflateRect(TRect& R) const {
  R.Left -= Left;
  R.Top -= Top;
  R.Right += Right;
  R.Bottom += Bottom;
}

void TUVRect::InflateRectScaled(TRect& R, const TUVScreenAndDevice& Sad) const {
  R.Left -= Sad.XToDevice(Left);
  R.Top -= Sad.YToDevice(Top);
  R.Right += Sad.XToDevice(Right);
  R.Bottom += Sad.YToDevice(Bottom);
}

bool TUVRect::IsEqual(const TUVRect* Value) const {
  return Top == Value->Top && Left == Value->Left && Right == Value->Right && Bottom == Value->Bottom;
}

bool TUVRect::IsEqualIgnoring(const TUVRect* Value, bool IgnoreLeft, bool IgnoreTop, bool IgnoreRight,
                              bool IgnoreBottom) const {
  return (IgnoreLeft || Left == Value->Left) && (IgnoreTop || Top == Value->Top) &&
         (IgnoreRight || Right == Value->Right) && (IgnoreBottom || Bottom == Value->Bottom);
}

Integer TUVRect::Similarity(const TUVRect* Value, Integer Weight) const {
  return UVIntSimilarity(Left, Value->Left, Weight) + UVIntSimilarity(Top, Value->Top, Weight) +
         UVIntSimilarity(Right, Value->Right, Weight) + UVIntSimilarity(Bottom, Value->Bottom, Weight);
}

// ---------------------------------------------------------------------------------------------
// TUVBooleanRect

void TUVBooleanRect::Assign(TPersistent* Source) {
  if (auto* r = dynamic_cast<TUVBooleanRect*>(Source)) {
    Top = r->Top;
    Left = r->Left;
    Right = r->Right;
    Bottom = r->Bottom;
    return;
  }
  TPersistent::Assign(Source);
}

void TUVBooleanRect::SetAll(bool Value) { Top = Left = Right = Bottom = Value; }

bool TUVBooleanRect::IsEqual(const TUVBooleanRect* Value) const {
  return Top == Value->Top && Left == Value->Left && Right == Value->Right && Bottom == Value->Bottom;
}

bool TUVBooleanRect::IsAllEqual(bool Value) const {
  return Top == Value && Left == Value && Right == Value && Bottom == Value;
}

bool TUVBooleanRect::IsEqualIgnoring(const TUVBooleanRect* Value, bool IgnoreLeft, bool IgnoreTop,
                                     bool IgnoreRight, bool IgnoreBottom) const {
  return (IgnoreLeft || Left == Value->Left) && (IgnoreTop || Top == Value->Top) &&
         (IgnoreRight || Right == Value->Right) && (IgnoreBottom || Bottom == Value->Bottom);
}

// ---------------------------------------------------------------------------------------------
// TUVBorder

TUVBorder::TUVBorder() : FVisibleBorders(new TUVBooleanRect(true)), FBorderOffsets(new TUVRect()) {}

TUVBorder::~TUVBorder() {
  delete FVisibleBorders;
  delete FBorderOffsets;
}

void TUVBorder::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TUVBorder*>(Source)) {
    Color = b->Color;
    Style = b->Style;
    Width = b->Width;
    InternalWidth = b->InternalWidth;
    FVisibleBorders->Assign(b->FVisibleBorders);
    FBorderOffsets->Assign(b->FBorderOffsets);
    return;
  }
  TPersistent::Assign(Source);
}

Integer TUVBorder::GetTotalWidth() const {
  switch (Style) {
    case uvbSingle:
      return Width;
    case uvbDouble:
      return 2 * Width + InternalWidth;
    case uvbTriple:
      return 3 * Width + 2 * InternalWidth;
    case uvbThickInside:
    case uvbThickOutside:
      return 3 * Width + InternalWidth;
    default:
      return 0;
  }
}

void TUVBorder::DoDraw(TRect R, TCanvas* Canvas, Integer Width1, Integer InternalWidth1, Integer Unit) const {
  int lines = 0;
  switch (Style) {
    case uvbSingle:
      lines = 1;
      break;
    case uvbDouble:
    case uvbThickInside:
    case uvbThickOutside:
      lines = 2;
      break;
    case uvbTriple:
      lines = 3;
      break;
    default:
      return;
  }
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psSolid);
  pen->SetColor(Color);
  for (int line = 0; line < lines; ++line) {
    bool thick = (Style == uvbThickInside && line == 1) || (Style == uvbThickOutside && line == 0);
    pen->SetWidth(thick ? 2 * Width1 : Width1);
    if (FVisibleBorders->Top) {
      Canvas->MoveTo(R.Left, R.Top);
      Canvas->LineTo(R.Right, R.Top);
      Canvas->LineTo(R.Left, R.Top);
    }
    if (FVisibleBorders->Right) {
      Canvas->MoveTo(R.Right, R.Top);
      Canvas->LineTo(R.Right, R.Bottom);
      Canvas->LineTo(R.Right, R.Top);
    }
    if (FVisibleBorders->Bottom) {
      Canvas->MoveTo(R.Right, R.Bottom);
      Canvas->LineTo(R.Left, R.Bottom);
      Canvas->LineTo(R.Right, R.Bottom);
    }
    if (FVisibleBorders->Left) {
      Canvas->MoveTo(R.Left, R.Bottom);
      Canvas->LineTo(R.Left, R.Top);
      Canvas->LineTo(R.Left, R.Bottom);
    }
    Integer grow = InternalWidth1 + Unit;
    R.Left -= grow;
    R.Top -= grow;
    R.Right += grow;
    R.Bottom += grow;
    // A two-pixel line of a one-pixel border leans outwards by one unit.
    if (line == 0 && Width1 == 1) {
      if (Style == uvbThickOutside) {
        R.Right += Unit;
        R.Bottom += Unit;
      } else if (Style == uvbThickInside) {
        R.Left -= Unit;
        R.Top -= Unit;
      }
    }
  }
  pen->SetWidth(1);
}

void TUVBorder::Draw(TRect R, TCanvas* Canvas) const {
  if (Style == uvbNone) return;
  FBorderOffsets->InflateRect(R);
  DoDraw(R, Canvas, Width, InternalWidth, 1);
}

void TUVBorder::DrawScaled(TRect R, TCanvas* Canvas, const TUVScreenAndDevice& Sad) const {
  if (Style == uvbNone) return;
  FBorderOffsets->InflateRectScaled(R, Sad);
  DoDraw(R, Canvas, Sad.YToDevice(Width), Sad.YToDevice(InternalWidth), MulDiv(1, Sad.DevicePpiY, Sad.ScreenPpiY));
}

bool TUVBorder::IsEqual(const TUVBorder* Value) const {
  return Style == Value->Style && Color == Value->Color && Width == Value->Width &&
         InternalWidth == Value->InternalWidth && FBorderOffsets->IsEqual(Value->FBorderOffsets) &&
         FVisibleBorders->IsEqual(Value->FVisibleBorders);
}

bool TUVBorder::SideDrawn(int Side) const {
  if (Style == uvbNone) return false;
  switch (Side) {
    case 0:
      return FVisibleBorders->Left;
    case 1:
      return FVisibleBorders->Top;
    case 2:
      return FVisibleBorders->Right;
    default:
      return FVisibleBorders->Bottom;
  }
}

namespace {
Integer OffsetOfSide(const TUVRect* R, int Side) {
  switch (Side) {
    case 0:
      return R->Left;
    case 1:
      return R->Top;
    case 2:
      return R->Right;
    default:
      return R->Bottom;
  }
}
}  // namespace

Integer TUVBorder::Similarity(const TUVBorder* Value) const {
  Integer result = 0;
  int both = 0;
  for (int side = 0; side < 4; ++side)
    if (SideDrawn(side) && Value->SideDrawn(side)) ++both;
  if (both > 0) {
    Integer one = UVColorSimilarity(Color, Value->Color, 3333, 3000) + UVIntSimilarity(Width, Value->Width, 1000) +
                  UVIntSimilarity(InternalWidth, Value->InternalWidth, 1000) + (Style == Value->Style ? 1000 : 0);
    result += one * both;
  }
  for (int side = 0; side < 4; ++side) {
    bool a = SideDrawn(side);
    bool b = Value->SideDrawn(side);
    if (!a && !b)
      result += 20000;
    else if (a != b)
      result -= 20000;
  }
  for (int side = 0; side < 4; ++side)
    if (SideDrawn(side) && Value->SideDrawn(side))
      result += UVIntSimilarity(OffsetOfSide(FBorderOffsets, side), OffsetOfSide(Value->FBorderOffsets, side), 100);
  return result;
}

// ---------------------------------------------------------------------------------------------
// TUVBackgroundRect

TUVBackgroundRect::TUVBackgroundRect() : FBorderOffsets(new TUVRect()) {}

TUVBackgroundRect::~TUVBackgroundRect() { delete FBorderOffsets; }

void TUVBackgroundRect::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TUVBackgroundRect*>(Source)) {
    Color = b->Color;
    FBorderOffsets->Assign(b->FBorderOffsets);
    return;
  }
  TPersistent::Assign(Source);
}

void TUVBackgroundRect::Draw(TRect R, TCanvas* Canvas) const {
  FBorderOffsets->InflateRect(R);
  Fill(R, Canvas);
}

void TUVBackgroundRect::Fill(TRect R, TCanvas* Canvas) const {
  if (Color == clNone) return;
  ++R.Right;
  ++R.Bottom;
  Canvas->GetPen()->SetStyle(psClear);
  Canvas->GetBrush()->SetColor(Color);
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->Rectangle(R);
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetBrush()->SetStyle(bsClear);
}

bool TUVBackgroundRect::IsEqual(const TUVBackgroundRect* Value) const {
  return Color == Value->Color && FBorderOffsets->IsEqual(Value->FBorderOffsets);
}

// ---------------------------------------------------------------------------------------------
// Published properties

PUBLISHED(TUVRect) {
  Prop("Top", &TUVRect::Top).Default(0);
  Prop("Left", &TUVRect::Left).Default(0);
  Prop("Right", &TUVRect::Right).Default(0);
  Prop("Bottom", &TUVRect::Bottom).Default(0);
}

PUBLISHED(TUVBooleanRect) {
  Prop("Top", &TUVBooleanRect::Top).Default(true);
  Prop("Left", &TUVBooleanRect::Left).Default(true);
  Prop("Right", &TUVBooleanRect::Right).Default(true);
  Prop("Bottom", &TUVBooleanRect::Bottom).Default(true);
}

PUBLISHED(TUVBorder) {
  Prop("Color", &TUVBorder::Color).Type(ColorTypeInfo()).Default(clWindowText);
  Prop("Style", &TUVBorder::Style).Default(uvbNone);
  Prop("Width", &TUVBorder::Width).Default(1);
  Prop("InternalWidth", &TUVBorder::InternalWidth).Default(1);
  Prop("VisibleBorders", &TUVBorder::GetVisibleBorders, &TUVBorder::SetVisibleBorders);
  Prop("BorderOffsets", &TUVBorder::GetBorderOffsets, &TUVBorder::SetBorderOffsets);
}

PUBLISHED(TUVBackgroundRect) {
  Prop("BorderOffsets", &TUVBackgroundRect::GetBorderOffsets, &TUVBackgroundRect::SetBorderOffsets);
  Prop("Color", &TUVBackgroundRect::Color).Type(ColorTypeInfo()).Default(clNone);
}
