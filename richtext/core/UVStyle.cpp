// The style sheet component: defaults, the collections, and the drawing operations with their
// events.
#include "richtext/core/UVStyle.h"
#include "classlib/TypInfo.h"

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFuncs.h"

TUVStyle::TUVStyle(TComponent* AOwner) : TComponent(AOwner) {
  FTextStyles = new TFontInfos(this, GetTextStyleClass());
  FParaStyles = new TParaInfos(this, GetParaStyleClass());
  FListStyles = new TUVListInfos(this, GetListStyleClass());
  FTextStyles->SetPropName("TextStyles");
  FParaStyles->SetPropName("ParaStyles");
  FListStyles->SetPropName("ListStyles");
  ResetParaStyles();
  ResetTextStyles();
  // Hyperlinks show the hand cursor under the style sheet's cursor number.
  if (Screen) Screen->SetCursors(JumpCursor, UVJumpCursorHandle());
}

TUVStyle::~TUVStyle() {
  delete FTextStyles;
  delete FParaStyles;
  delete FListStyles;
  delete FInvalidPicture;
}

void TUVStyle::ResetTextStyles() {
  FTextStyles->Clear();
  FTextStyles->Add()->StyleName = "Normal text";
  TFontInfo* heading = FTextStyles->Add();
  heading->StyleName = "Heading";
  heading->Style << fsBold;
  heading->Color = clBlue;
  TFontInfo* subheading = FTextStyles->Add();
  subheading->StyleName = "Subheading";
  subheading->Style << fsBold;
  subheading->Color = clNavy;
  TFontInfo* keywords = FTextStyles->Add();
  keywords->StyleName = "Keywords";
  keywords->Style << fsItalic;
  keywords->Color = clMaroon;
  for (const char* name : {"Jump 1", "Jump 2"}) {
    TFontInfo* jump = FTextStyles->Add();
    jump->StyleName = name;
    jump->Style << fsUnderline;
    jump->Color = clGreen;
    jump->Jump = true;
    jump->JumpCursor = JumpCursor;
  }
}

void TUVStyle::ResetParaStyles() {
  FParaStyles->Clear();
  FParaStyles->Add();
  TParaInfo* centered = FParaStyles->Add();
  centered->StyleName = "Centered";
  centered->Alignment = uvaCenter;
}

void TUVStyle::SetTextStyles(TFontInfos* Value) {
  if (Value != FTextStyles) FTextStyles->Assign(Value);
}

void TUVStyle::SetParaStyles(TParaInfos* Value) {
  if (Value != FParaStyles) FParaStyles->Assign(Value);
}

void TUVStyle::SetListStyles(TUVListInfos* Value) {
  if (Value != FListStyles) FListStyles->Assign(Value);
}

void TUVStyle::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  // Compared by address only: a component being freed is no longer of its own class here.
  if (Operation != opRemove) return;
  for (Integer i = 0; i < FListStyles->GetCount(); ++i) {
    TUVListLevelCollection* levels = FListStyles->GetItem(i)->GetLevels();
    for (Integer j = 0; j < levels->GetCount(); ++j)
      if (static_cast<TComponent*>(levels->GetItem(j)->GetImageList()) == AComponent)
        levels->GetItem(j)->SetImageList(nullptr);
  }
}

void TUVStyle::ApplyTextStyle(TCanvas* Canvas, Integer StyleNo, TUVBiDiMode DefBiDiMode) {
  bool doDefault = true;
  if (OnApplyStyle) OnApplyStyle(this, Canvas, StyleNo, doDefault);
  if (doDefault) FTextStyles->GetItem(StyleNo)->Apply(Canvas, DefBiDiMode);
}

void TUVStyle::ApplyTextStyleColor(TCanvas* Canvas, Integer StyleNo, TUVTextDrawStates DrawState) {
  bool doDefault = true;
  if (OnApplyStyleColor) OnApplyStyleColor(this, Canvas, StyleNo, DrawState, doDefault);
  if (doDefault) FTextStyles->GetItem(StyleNo)->ApplyColor(Canvas, this, DrawState);
}

void TUVStyle::DrawStyleText(const AnsiString& Text, TCanvas* Canvas, Integer StyleNo, Integer SpaceBefore,
                             Integer Left, Integer Top, Integer Width, Integer Height, TUVTextDrawStates DrawState,
                             bool Printing) {
  bool doDefault = true;
  if (OnDrawStyleText)
    OnDrawStyleText(this, Text, Canvas, StyleNo, SpaceBefore, Left, Top, Width, Height, DrawState, doDefault);
  if (doDefault) FTextStyles->GetItem(StyleNo)->Draw(Text, Canvas, SpaceBefore, Left, Top, Width, Height, Printing);
}

bool TUVStyle::StyleHoverSensitive(Integer StyleNo) {
  TFontInfo* style = FTextStyles->GetItem(StyleNo);
  bool sensitive = GetHoverColor(style->HoverColor) != clNone || style->HoverBackColor != style->BackColor;
  if (OnStyleHoverSensitive) OnStyleHoverSensitive(this, StyleNo, sensitive);
  return sensitive;
}

void TUVStyle::DrawTextBack(TCanvas* Canvas, Integer StyleNo, Integer Left, Integer Top, Integer Width, Integer Height,
                            TUVTextDrawStates DrawState) {
  ItemNo = StyleNo;
  bool doDefault = true;
  if (OnDrawTextBack) OnDrawTextBack(this, Canvas, StyleNo, Left, Top, Width, Height, DrawState, doDefault);
}

void TUVStyle::DrawCheckpoint(TCanvas* Canvas, Integer X, Integer Y, Integer AItemNo, Integer XShift,
                              bool RaiseEvent, Integer WindowWidth) {
  bool doDefault = true;
  if (OnDrawCheckpoint) OnDrawCheckpoint(this, Canvas, X, Y, AItemNo, XShift, RaiseEvent, WindowWidth, doDefault);
  if (!doDefault) return;
  TColor color = RaiseEvent ? CheckpointEvColor : CheckpointColor;
  TPen* pen = Canvas->GetPen();
  pen->SetColor(color);
  pen->SetWidth(1);
  if (AItemNo != -1) {
    pen->SetStyle(psSolid);
    Canvas->GetBrush()->SetColor(color);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->Ellipse(X - 2, Y - 2, X + 2, Y + 2);
  }
  Canvas->GetBrush()->SetStyle(bsClear);
  pen->SetStyle(psDot);
  Canvas->MoveTo(-XShift, Y);
  Canvas->LineTo(WindowWidth - XShift, Y);
  pen->SetStyle(psSolid);
}

void TUVStyle::DrawPageBreak(TCanvas* Canvas, Integer Y, Integer XShift, bool Hard, Integer WindowWidth) {
  bool doDefault = true;
  if (OnDrawPageBreak) OnDrawPageBreak(this, Canvas, Y, XShift, Hard, WindowWidth, doDefault);
  if (!doDefault) return;
  TPen* pen = Canvas->GetPen();
  pen->SetColor(Hard ? PageBreakColor : SoftPageBreakColor);
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  Canvas->GetBrush()->SetColor(clWindow);
  Canvas->GetBrush()->SetStyle(bsSolid);
  // A line that ends in a folded page corner.
  Integer w = WindowWidth - 8 - XShift;
  Canvas->MoveTo(-XShift, Y);
  Canvas->LineTo(w, Y);
  Canvas->GetBrush()->SetColor(pen->GetColor());
  Canvas->Polygon({Point(w, Y), Point(w + 8, Y + 8), Point(w, Y + 8)});
  Canvas->GetBrush()->SetStyle(bsClear);
}

void TUVStyle::DrawParaBack(TCanvas* Canvas, Integer ParaNo, const TRect& ARect, const TUVScreenAndDevice* Sad) {
  TUVBackgroundRect* background = FParaStyles->GetItem(ParaNo)->GetBackground();
  TRect r = ARect;
  if (Sad) background->GetBorderOffsets()->InflateRectScaled(r, *Sad);
  bool doDefault = true;
  if (OnDrawParaBack) OnDrawParaBack(this, Canvas, ParaNo, r, doDefault);
  if (!doDefault) return;
  if (Sad)
    background->Fill(r, Canvas);
  else
    background->Draw(r, Canvas);
}

TColor TUVStyle::GetHoverColor(TColor AColor) const { return AColor != clNone ? AColor : HoverColor; }

TColor TUVStyle::GetHoverColorByStyle(Integer StyleNo) {
  return GetHoverColor(FTextStyles->GetItem(StyleNo)->HoverColor);
}

TGraphic* TUVStyle::GetInvalidPicture() {
  if (FInvalidPicture) return FInvalidPicture;
  auto* bitmap = new TBitmap();
  try {
    bitmap->LoadFromResourceName(::GetModuleHandleA(nullptr), "UV_BAD_PICTURE");
  } catch (const EResNotFound&) {
    // A program without the resource still shows a recognisable mark: a crossed box.
    bitmap->SetSize(16, 16);
    UVDrawCrossedBox(bitmap->GetCanvas(), Rect(0, 0, 16, 16));
  }
  FInvalidPicture = bitmap;
  return FInvalidPicture;
}

void TUVStyle::SetInvalidPicture(TGraphic* Value) {
  if (!Value) {
    FreeAndNil(FInvalidPicture);
    return;
  }
  if (!FInvalidPicture || FInvalidPicture->ClassType() != Value->ClassType()) {
    delete FInvalidPicture;
    FInvalidPicture = static_cast<TGraphic*>(Value->ClassType()->Create(nullptr));
  }
  FInvalidPicture->Assign(Value);
}

HCURSOR UVJumpCursorHandle() {
  HCURSOR cursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  if (!cursor) cursor = ::LoadCursorA(::GetModuleHandleA(nullptr), "UV_JUMP_CURSOR");
  // A copy, so that whoever takes it over may destroy it without touching the shared cursor.
  return cursor ? static_cast<HCURSOR>(::CopyIcon(cursor)) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Published properties

PUBLISHED(TUVStyle) {
  Prop("TextStyles", &TUVStyle::GetTextStyles, &TUVStyle::SetTextStyles);
  Prop("ParaStyles", &TUVStyle::GetParaStyles, &TUVStyle::SetParaStyles);
  Prop("ListStyles", &TUVStyle::GetListStyles, &TUVStyle::SetListStyles);
  Prop("SpacesInTab", &TUVStyle::SpacesInTab).Default(8);
  Prop("JumpCursor", &TUVStyle::JumpCursor).Default(101);
  Prop("FullRedraw", &TUVStyle::FullRedraw).Default(false);
  Prop("UseSound", &TUVStyle::UseSound).Default(true);
  Prop("Color", &TUVStyle::Color).Type(ColorTypeInfo()).Default(clWindow);
  Prop("HoverColor", &TUVStyle::HoverColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("SelColor", &TUVStyle::SelColor).Type(ColorTypeInfo()).Default(clHighlight);
  Prop("SelTextColor", &TUVStyle::SelTextColor).Type(ColorTypeInfo()).Default(clHighlightText);
  Prop("InactiveSelColor", &TUVStyle::InactiveSelColor).Type(ColorTypeInfo()).Default(clHighlight);
  Prop("InactiveSelTextColor", &TUVStyle::InactiveSelTextColor).Type(ColorTypeInfo()).Default(clHighlightText);
  Prop("CheckpointColor", &TUVStyle::CheckpointColor).Type(ColorTypeInfo()).Default(clGreen);
  Prop("CheckpointEvColor", &TUVStyle::CheckpointEvColor).Type(ColorTypeInfo()).Default(clLime);
  Prop("PageBreakColor", &TUVStyle::PageBreakColor).Type(ColorTypeInfo()).Default(clBtnShadow);
  Prop("SoftPageBreakColor", &TUVStyle::SoftPageBreakColor).Type(ColorTypeInfo()).Default(clBtnFace);
  Prop("DefUnicodeStyle", &TUVStyle::DefUnicodeStyle).Default(-1);
  Prop("DefCodePage", &TUVStyle::DefCodePage).Default(0);
  Prop("OnApplyStyle", &TUVStyle::OnApplyStyle);
  Prop("OnApplyStyleColor", &TUVStyle::OnApplyStyleColor);
  Prop("OnDrawStyleText", &TUVStyle::OnDrawStyleText);
  Prop("OnStyleHoverSensitive", &TUVStyle::OnStyleHoverSensitive);
  Prop("OnDrawTextBack", &TUVStyle::OnDrawTextBack);
  Prop("OnDrawCheckpoint", &TUVStyle::OnDrawCheckpoint);
  Prop("OnDrawPageBreak", &TUVStyle::OnDrawPageBreak);
  Prop("OnDrawParaBack", &TUVStyle::OnDrawParaBack);
}

namespace {
// Forms name the style sheet by its class.
const bool kStyleRegistered = (RegisterClass(TUVStyle::StaticClass()), true);
}  // namespace
