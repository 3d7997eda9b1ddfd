// Gradients and fills: the gradient's colour table and its "ColorList", the shape fill and the
// fill object with the fill routine the controls call.
#include <algorithm>

#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "controls/VisObject.h"
#include "controls/viscaption.h"

bool VisSmallPatternBrushes = false;

PUBLISHED(TVisGradient) {
  Prop("Color", &TVisGradient::GetColor, &TVisGradient::SetColor).Type(ColorTypeInfo()).Default(clBlue);
  Prop("ColorCount", &TVisGradient::GetColorCount, &TVisGradient::SetColorCount).Default(16);
  Prop("Style", &TVisGradient::GetStyle, &TVisGradient::SetStyle).Default(gstVertical);
  Prop("EndColor", &TVisGradient::GetEndColor, &TVisGradient::SetEndColor).Type(ColorTypeInfo()).Default(clBlack);
  Prop("PaletteRealize", &TVisGradient::GetPaletteRealize, &TVisGradient::SetPaletteRealize).Default(false);
  Prop("TwoColors", &TVisGradient::GetTwoColors, &TVisGradient::SetTwoColors).Default(true);
}

PUBLISHED(TVisShapeFill) {
  Prop("Bitmap", &TVisShapeFill::GetBitmap, &TVisShapeFill::SetBitmap);
  Prop("Style", &TVisShapeFill::GetStyle, &TVisShapeFill::SetStyle).Default(sfBrush);
  Prop("Gradient", &TVisShapeFill::GetGradient, &TVisShapeFill::SetGradient);
  Prop("TileMode", &TVisShapeFill::GetTileMode, &TVisShapeFill::SetTileMode).Default(tmTile);
}

PUBLISHED(TVisFillObject) {
  Prop("Alignment", &TVisFillObject::GetAlignment, &TVisFillObject::SetAlignment).Default(agTopLeft);
  Prop("Brush", &TVisFillObject::GetBrush, &TVisFillObject::SetBrush);
  Prop("OffsetX", &TVisFillObject::GetOffsetX, &TVisFillObject::SetOffsetX).Default(0);
  Prop("OffsetY", &TVisFillObject::GetOffsetY, &TVisFillObject::SetOffsetY).Default(0);
  Prop("Options", &TVisFillObject::GetOptions, &TVisFillObject::SetOptions)
      .Default(TVisFillOptions{foFillInner, foGrUseBitmap});
  Prop("Style", &TVisFillObject::GetStyle, &TVisFillObject::SetStyle).Default(sfNone);
}

// --- TVisGradient ----------------------------------------------------------------------------------

TVisGradient::TVisGradient() { UpdateColors(); }

TVisGradient::~TVisGradient() {
  if (FPalette) ::DeleteObject(FPalette);
}

void TVisGradient::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisGradient*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  FColor = source->FColor;
  FColorCount = source->FColorCount;
  FStyle = source->FStyle;
  FEndColor = source->FEndColor;
  FPaletteRealize = source->FPaletteRealize;
  FTwoColors = source->FTwoColors;
  FColorList = source->FColorList;
  EndUpdate(true);
}

void TVisGradient::UpdateColors() {
  if (FPalette) {
    ::DeleteObject(FPalette);
    FPalette = nullptr;
  }
  FTable.clear();
  if (FTwoColors) {
    BuildColorSteps(FColor, FEndColor, FColorCount, true, &FTable);
  } else if (FColorList.size() > 1) {
    const auto steps = static_cast<Byte>(FColorCount / static_cast<Integer>(FColorList.size()));
    BuildColorSteps(FColorList[0], FColorList[1], steps, true, &FTable);
    for (std::size_t i = 1; i + 1 < FColorList.size(); ++i)
      BuildColorSteps(FColorList[i], FColorList[i + 1], steps, false, &FTable);
  }
  if (FPaletteRealize) FPalette = CreateGradientPalette(&FTable);
}

void TVisGradient::Change() {
  UpdateColors();
  inherited::Change();
}

AnsiString TVisGradient::GetSummary() {
  static const char* const names[] = {"horizontal", "vertical",     "square",       "elliptic",
                                      "top left",   "top right",    "bottom left",  "bottom right",
                                      "top left diag", "top right diag"};
  return AnsiString(names[FStyle]) + ", Col: " + IntToStr(FColorCount) +
         (FTwoColors ? ", 2 col mode" : ", mult. col mode");
}

void TVisGradient::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("ColorList", TReaderProc(this, &TVisGradient::ReadColorList),
                        TWriterProc(this, &TVisGradient::WriteColorList), !FColorList.empty());
}

void TVisGradient::ReadColorList(TReader* Reader) {
  Reader->ReadListBegin();
  BeginUpdate();
  try {
    while (!Reader->EndOfList()) FColorList.push_back(Reader->ReadInteger());
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  Reader->ReadListEnd();
  EndUpdate(true);
}

void TVisGradient::WriteColorList(TWriter* Writer) {
  Writer->WriteListBegin();
  for (TColor color : FColorList) Writer->WriteInteger(color);
  Writer->WriteListEnd();
}

void TVisGradient::SetColor(TColor Value) {
  FColor = Value;
  UpdateColors();
  Change();
}

void TVisGradient::SetColorCount(TVisColorCount Value) {
  Value = std::clamp<TVisColorCount>(Value, 2, 236);
  if (Value == FColorCount) return;
  FColorCount = Value;
  Change();
}

void TVisGradient::SetStyle(TVisGradientStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TVisGradient::SetEndColor(TColor Value) {
  if (Value == FEndColor) return;
  FEndColor = Value;
  Change();
}

void TVisGradient::SetPaletteRealize(bool Value) {
  if (Value == FPaletteRealize) return;
  FPaletteRealize = Value;
  Change();
}

void TVisGradient::SetTwoColors(bool Value) {
  if (Value == FTwoColors) return;
  FTwoColors = Value;
  Change();
}

void TVisGradient::SetColorList(const std::vector<TColor>& Value) {
  FColorList = Value;
  Change();
}

void TVisGradient::AddColor(TColor Value) {
  FColorList.push_back(Value);
  Change();
}

void TVisGradient::ClearColors() {
  if (FColorList.empty()) return;
  FColorList.clear();
  Change();
}

// --- TVisShapeFill ---------------------------------------------------------------------------------

TVisShapeFill::TVisShapeFill() : FBitmap(new TBitmap), FGradient(new TVisGradient), FListBitmap(new TBitmap) {
  FBitmap->OnChange = TNotifyEvent(this, &TVisShapeFill::GetChange);
  FGradient->OnChange = TNotifyEvent(this, &TVisShapeFill::GetChange);
}

TVisShapeFill::~TVisShapeFill() {
  FBitmap->OnChange = nullptr;
  FGradient->OnChange = nullptr;
  delete FListBitmap;
  delete FGradient;
  delete FBitmap;
}

void TVisShapeFill::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisShapeFill*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  AssignFields(*source);
  EndUpdate(true);
}

void TVisShapeFill::AssignFields(const TVisShapeFill& Source) {
  FBitmap->Assign(Source.FBitmap);
  FStyle = Source.FStyle;
  FGradient->Assign(Source.FGradient);
  FTileMode = Source.FTileMode;
  FListBitmap->Assign(Source.FListBitmap);
}

AnsiString TVisShapeFill::GetSummary() {
  static const char* const names[] = {"Disabled", "", "Brush", "Bitmap", "BitmapList", "Gradient"};
  return AnsiString("{") + names[FStyle] + "}";
}

void TVisShapeFill::SetStyle(TVisFillStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Change();
}

void TVisShapeFill::SetTileMode(TVisTileMode Value) {
  if (Value == FTileMode) return;
  FTileMode = Value;
  Change();
}

bool TVisShapeFill::IsEmpty() {
  switch (FStyle) {
    case sfNone: return true;
    case sfBitmap: return FBitmap->GetEmpty();
    case sfBitmapList: return FListBitmap->GetEmpty();
    default: return false;
  }
}

HPALETTE TVisShapeFill::GetPalette() {
  switch (FStyle) {
    case sfBrushBitmap:
    case sfBitmap: return FBitmap->GetPalette();
    case sfBitmapList: return FListBitmap->GetPalette();
    case sfGradient: return FGradient->GetPalette();
    default: return nullptr;
  }
}

// --- TVisFillObject --------------------------------------------------------------------------------

TVisFillObject::TVisFillObject() : FBrush(new TBrush) {
  FStyle = sfNone;
  FBrush->OnChange = TNotifyEvent(this, &TVisFillObject::GetChange);
}

TVisFillObject::~TVisFillObject() {
  FBrush->OnChange = nullptr;
  delete FBrush;
}

void TVisFillObject::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisFillObject*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  AssignFields(*source);
  FAlignment = source->FAlignment;
  FBrush->Assign(source->FBrush);
  FOffset[0] = source->FOffset[0];
  FOffset[1] = source->FOffset[1];
  FOptions = source->FOptions;
  EndUpdate(true);
}

bool TVisFillObject::PositionMatters() const {
  return (FStyle == sfBitmap || FStyle == sfBitmapList) && GetTileMode() == tmNone;
}

void TVisFillObject::SetAlignment(TVisAlignment Value) {
  FAlignment = Value;
  if (PositionMatters()) Change();
}

void TVisFillObject::SetOffset(Integer Index, Integer Value) {
  FOffset[Index] = Value;
  if (PositionMatters()) Change();
}

void TVisFillObject::SetOptions(TVisFillOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Change();
}

void TVisFillObject::FillInner(TCanvas* Canvas, const TRect& Rect, TColor BackColor) {
  if (!FOptions.Contains(foFillInner)) return;
  TBrush* brush = Canvas->GetBrush();
  brush->SetStyle(bsSolid);
  brush->SetColor(BackColor);
  Canvas->FillRect(Rect);
}

bool TVisFillObject::FillArea(TCanvas* Canvas, const TRect& Rect, TColor BackColor) {
  switch (FStyle) {
    case sfNone: return false;

    case sfBrushBitmap: {
      TBitmap* pattern = GetBitmap();
      TBitmap corner;
      if (!pattern->GetEmpty()) {
        if (VisSmallPatternBrushes) {
          corner.SetPixelFormat(pf24bit);
          corner.SetSize(8, 8);
          corner.GetCanvas()->CopyRect(::Rect(0, 0, 8, 8), pattern->GetCanvas(), ::Rect(0, 0, 8, 8));
          pattern = &corner;
        }
        Canvas->GetBrush()->SetBitmap(pattern);
      }
      Canvas->FillRect(Rect);
      Canvas->GetBrush()->SetBitmap(nullptr);
      return true;
    }

    case sfBrush: {
      Canvas->SetBrush(FBrush);
      if (FBrush->GetStyle() == bsSolid) {
        Canvas->FillRect(Rect);
        return true;
      }
      // The gaps of a hatch show the control's background colour.
      Canvas->RequiredState({csHandleValid, csBrushValid});
      HDC dc = Canvas->GetHandle();
      const COLORREF back = ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(BackColor)));
      const int mode = ::SetBkMode(dc, OPAQUE);
      Canvas->FillRect(Rect);
      ::SetBkMode(dc, mode);
      ::SetBkColor(dc, back);
      return true;
    }

    case sfBitmap:
    case sfBitmapList: {
      TBitmap* picture = FStyle == sfBitmap ? GetBitmap() : GetListBitmap();
      if (picture->GetEmpty()) {
        FillInner(Canvas, Rect, BackColor);
        return false;
      }
      Word flags = FOptions.Contains(foQuickDraw) ? 0 : dbPalette;
      TRect target = Rect;
      switch (GetTileMode()) {
        case tmNone: {
          FillInner(Canvas, Rect, BackColor);
          AlignBoxInRect(FAlignment, ::Rect(0, 0, picture->GetWidth(), picture->GetHeight()), Rect, target);
          target = {target.Left + FOffset[0], target.Top + FOffset[1], target.Right + FOffset[0],
                    target.Bottom + FOffset[1]};
          break;
        }
        case tmCenter:
          FillInner(Canvas, Rect, BackColor);
          flags |= dbCenter;
          break;
        case tmStretch: flags |= dbStretch; break;
        case tmTile: flags |= dbTile; break;
      }
      DrawGraphicExt(Canvas, target, picture, flags);
      return true;
    }

    case sfGradient: {
      TVisGradient* gradient = GetGradient();
      Word flags = FOptions.Contains(foGrUseBitmap) ? gfBitmap : 0;
      if (gradient->GetPaletteRealize()) flags |= gfPalette;
      FillGradient(Canvas, Rect, gradient->GetStyle(), flags, gradient->GetPalette(), 0, &gradient->GetColorTable());
      return true;
    }
  }
  return false;
}
