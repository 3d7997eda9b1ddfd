// The owner-drawn push button and the drop-down button.
#include "controls/VisPushButton.h"

#include "classlib/ActnList.h"
#include "classlib/ControlsPublished.h"
#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "controls/VisCustomControl.h"
#include "controls/VisObject.h"
#include "controls/viscaption.h"
#include "controls/visclass.h"
#include "controls/viscont.h"
#include "controls/visglyph.h"
#include "controls/visgraph.h"

PUBLISHED(TVisButton) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clWindow);
  PELORIN_WINCONTROL_PROPS;
  VIS_PUBLISH_LAYOUT_AND_DRAG;
  PELORIN_CAPTION_PROP;
  Prop("About", &TVisCustomButton::About).Stored(false);
  Prop("ButtonLayout", &TVisCustomButton::GetButtonLayout, &TVisCustomButton::SetButtonLayout);
  Prop("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false);
  Prop("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false);
  Prop("ExtStyle", &TVisCustomButton::GetExtStyle, &TVisCustomButton::SetExtStyle).Default(ubsAutoDetect);
  Prop("FontFX", &TVisCustomButton::GetFontFX, &TVisCustomButton::SetFontFX);
  Prop("Glyph", &TVisCustomButton::GetGlyph, &TVisCustomButton::SetGlyph).Stored(&TVisCustomButton::IsGlyphStored);
  Prop("HideHint", &TVisCustomButton::HideHint).Default(true);
  Prop("ImageList", &TVisCustomButton::GetImageList, &TVisCustomButton::SetImageList)
      .Stored(&TVisCustomButton::IsImageListStored);
  Prop("ImageIndex", &TVisCustomButton::GetImageIndex, &TVisCustomButton::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisCustomButton::GetListIndex, &TVisCustomButton::SetListIndex).Default(0);
  Prop("ModalResult", &TButton::ModalResult).Default(mrNone);
  Prop("MultiLine", &TVisCustomButton::GetMultiLine, &TVisCustomButton::SetMultiLine).Default(false);
  Prop("NumGlyphs", &TVisCustomButton::GetNumGlyphs, &TVisCustomButton::SetNumGlyphs).Default(1);
  Prop("RepeatedClick", &TVisCustomButton::RepeatedClick).Default(false);
  Prop("RepeatingInterval", &TVisCustomButton::RepeatingInterval).Default(100);
  Prop("RepeatingDelay", &TVisCustomButton::RepeatingDelay).Default(500);
  Prop("UseCaption", &TVisCustomButton::GetUseCaption, &TVisCustomButton::SetUseCaption).Default(true);
  Prop("OnMouseEnter", &TVisCustomButton::OnMouseEnter);
  Prop("OnMouseExit", &TVisCustomButton::OnMouseExit);
  Prop("DropDownMenu", &TVisButton::GetDropDownMenu, &TVisButton::SetDropDownMenu);
  Prop("DropDownIndent", &TVisButton::DropDownIndent).Default(0);
  Prop("DropDownRight", &TVisButton::DropDownRight).Default(false);
  Prop("OnDropDown", &TVisButton::OnDropDown);
}

TVisCustomButton::TVisCustomButton(TComponent* AOwner)
    : TButton(AOwner),
      FImages(this, TNotifyEvent(this, &TVisCustomButton::ImageChanged)),
      FCanvas(new TCanvas),
      FGlyph(new TVisGlyph),
      FButtonLayout(new TVisButtonLayout),
      FFontFX(new TVisFxCaption) {
  SetBounds(GetLeft(), GetTop(), 75, 25);
  SetParentColor(false);
  SetColor(clWindow);
  FGlyph->OnChange = TNotifyEvent(this, &TVisCustomButton::LayoutChanged);
  FButtonLayout->OnChange = TNotifyEvent(this, &TVisCustomButton::LayoutChanged);
  FFontFX->OnChange = TNotifyEvent(this, &TVisCustomButton::FontFXChanged);
}

TVisCustomButton::~TVisCustomButton() {
  StopRepeat();
  FGlyph->OnChange = nullptr;
  FButtonLayout->OnChange = nullptr;
  FFontFX->OnChange = nullptr;
  delete FFontFX;
  delete FButtonLayout;
  delete FGlyph;
  delete FCanvas;
}

void TVisCustomButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_VISIBLECHANGED:
      // A hidden button is released: it stops repeating at once.
      if (!GetVisible()) {
        FHeld = false;
        StopRepeat();
      }
      inherited::Dispatch(Message);
      break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TVisCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  FImages.Notification(AComponent, Operation);
}

void TVisCustomButton::Loaded() {
  inherited::Loaded();
  TakeGlyphFromList();
}

void TVisCustomButton::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  FImages.DefineProperties(Filer);
  Filer->DefineProperty("Style", TReaderProc(this, &TVisCustomButton::ReadStyle), nullptr, false);
}

void TVisCustomButton::ReadStyle(TReader* Reader) {
  const AnsiString ident = Reader->ReadIdent();
  if (ident == "nbsAutoDetect")
    SetExtStyle(ubsAutoDetect);
  else if (ident == "nbsWin31")
    SetExtStyle(ubsWin31);
  else if (ident == "nbsWin40")
    SetExtStyle(ubsWin40);
}

void TVisCustomButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style & ~LONG_PTR(0x0F)) | BS_OWNERDRAW;
}

void TVisCustomButton::SetButtonStyle(bool ADefault) {
  if (ADefault == FDefaultLook) return;
  FDefaultLook = ADefault;
  Invalidate();
}

// --- Properties -----------------------------------------------------------------------------------------

void TVisCustomButton::SetButtonLayout(TVisButtonLayout* Value) { FButtonLayout->Assign(Value); }

void TVisCustomButton::SetFontFX(TVisFxCaption* Value) { FFontFX->Assign(Value); }

void TVisCustomButton::SetExtStyle(TVisUserButtonStyle Value) {
  FExtStyle = Value;
  FGlyph->SetDisabledMode(Value == ubsFlatUnColored || Value == ubsNavigator || Value == ubsExplorer ? 1 : 0);
  Invalidate();
}

TBitmap* TVisCustomButton::GetGlyph() const { return FGlyph->GetGlyph(); }

void TVisCustomButton::SetGlyph(TBitmap* Value) {
  // A glyph set directly replaces the list's picture.
  if (!Loading(this) && GetImageList()) FImages.SetImageList(nullptr);
  FGlyph->SetGlyph(Value);
  Invalidate();
}

Byte TVisCustomButton::GetNumGlyphs() const { return FGlyph->GetNumGlyphs(); }

void TVisCustomButton::SetNumGlyphs(Byte Value) {
  if (Value == FGlyph->GetNumGlyphs()) return;
  FGlyph->SetNumGlyphs(Value);
  Invalidate();
}

void TVisCustomButton::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  FMultiLine = Value;
  Invalidate();
}

void TVisCustomButton::SetUseCaption(bool Value) {
  if (Value == FUseCaption) return;
  FUseCaption = Value;
  Invalidate();
}

void TVisCustomButton::ImageChanged(TObject*) { TakeGlyphFromList(); }

void TVisCustomButton::TakeGlyphFromList() {
  TVisCustomImageList* list = GetImageList();
  if (!list || Loading(this)) return;
  FGlyph->SetGlyphFromList(list, GetListIndex(), GetImageIndex());
  Invalidate();
}

void TVisCustomButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  inherited::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  TCustomActionList* list = action ? action->GetActionList() : nullptr;
  TCustomImageList* images = list ? list->GetImages() : nullptr;
  if (!images || action->GetImageIndex() < 0 || action->GetImageIndex() >= images->GetCount()) return;
  TBitmap picture;
  if (images->GetBitmap(action->GetImageIndex(), &picture)) {
    FGlyph->SetGlyph(&picture);
    Invalidate();
  }
}

void TVisCustomButton::LayoutChanged(TObject*) { Invalidate(); }

void TVisCustomButton::FontFXChanged(TObject*) {
  if (!Loading(this)) {
    SetParentFont(false);
    // A turned caption needs an outline font.
    if (FFontFX->GetAngle() != 0 && !IsTrueTypeFont(GetFont())) GetFont()->SetName("Arial");
  }
  Invalidate();
}

void TVisCustomButton::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!Loading(this)) {
    SetParentFont(false);
    // A font that cannot turn turns the caption back.
    if (FFontFX->GetAngle() != 0 && !IsTrueTypeFont(GetFont())) FFontFX->SetAngle(0);
  }
  Invalidate();
}

// --- Mouse --------------------------------------------------------------------------------------------------

void TVisCustomButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FDrawState == 0 && OnMouseEnter) OnMouseEnter(this);
  FMouseInside = true;
  Invalidate();
}

void TVisCustomButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  if (OnMouseExit) OnMouseExit(this);
  FMouseInside = false;
  FDrawState = 0;
  Invalidate();
  if (HideHint && Application) Application->CancelHint();
}

void TVisCustomButton::WMLButtonDblClk(TMessage& Message) {
  // A quick second press is a press like the first.
  Message.Msg = WM_LBUTTONDOWN;
  Dispatch(Message);
}

void TVisCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FHeld = true;
  if (RepeatedClick && !FRepeatTimer && VisApplication)
    FRepeatTimer = VisApplication->AddTimer(RepeatingDelay, TNotifyEvent(this, &TVisCustomButton::RepeatTick));
}

void TVisCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft) {
    FHeld = false;
    StopRepeat();
  }
  inherited::MouseUp(Button, Shift, X, Y);
}

void TVisCustomButton::RepeatTick(TObject*) {
  if (FHeld) RepeatClick();
}

void TVisCustomButton::RepeatClick() {
  if (TVisTimerItem* timer = VisApplication ? VisApplication->GetTimer(FRepeatTimer) : nullptr)
    timer->SetInterval(RepeatingInterval);
  Click();
}

void TVisCustomButton::StopRepeat() {
  if (FRepeatTimer && VisApplication) VisApplication->RemoveTimer(FRepeatTimer);
  FRepeatTimer = 0;
}

// --- Drawing -----------------------------------------------------------------------------------------------

void TVisCustomButton::CNMeasureItem(TMessage& Message) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  mis->itemWidth = static_cast<UINT>(GetWidth());
  mis->itemHeight = static_cast<UINT>(GetHeight());
  Message.Result = 1;
}

void TVisCustomButton::CNDrawItem(TMessage& Message) {
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
  Message.Result = 1;
}

void TVisCustomButton::DrawItem(const DRAWITEMSTRUCT& Item) {
  if (Item.itemState & ODS_DISABLED)
    FDrawState = 1;
  else if (Item.itemState & ODS_SELECTED)
    FDrawState = 4;
  else if (FMouseInside)
    FDrawState = 2;
  else
    FDrawState = 0;
  Word flags = FDefaultLook ? 3 : 1;
  if (Item.itemState & ODS_FOCUS) flags |= 32;
  if (FMouseInside) flags |= 64;

  const int saved = ::SaveDC(Item.hDC);
  FCanvas->SetHandle(Item.hDC);
  TRect r = GetClientRect();
  const bool filled = FExtStyle == ubsExplorer || FExtStyle == ubsExplorerColored || FExtStyle == ubsWinXP ||
                      FExtStyle == ubsWinXPCombo || FExtStyle == ubsWinXPTool;
  if (filled) {
    FCanvas->GetBrush()->SetStyle(bsSolid);
    FCanvas->GetBrush()->SetColor(GetColor());
    FCanvas->FillRect(r);
  }
  DrawThemedButton(this, FCanvas, FMouseInside, flags, FDrawState, GetColor(), FExtStyle, r);
  const bool themes = VisApplication && VisApplication->GetUseXPThemes();
  if (!(FExtStyle == ubsWinXPCombo && themes)) {
    FCanvas->SetFont(GetFont());
    DrawContent(FCanvas, r);
  }
  FCanvas->SetHandle(nullptr);
  ::RestoreDC(Item.hDC, saved);
}

void TVisCustomButton::DrawContent(TCanvas* Canvas, const TRect& Rect) {
  Canvas->GetBrush()->SetStyle(bsClear);
  const Word flags = GetEnabled() ? cfEnabled : 0;
  const Byte state = FDrawState == 4 ? 4 : FDrawState == 1 ? 1 : FDrawState == 2 ? 2 : 0;
  FGlyph->Draw(Canvas, Rect, Point(0, 0), FUseCaption ? GetText() : AnsiString(), FButtonLayout, state, FFontFX,
               FMultiLine, static_cast<UINT>(DrawTextBiDiModeFlagsReadingOnly()), flags);
}

// --- TVisButton --------------------------------------------------------------------------------------------

void TVisButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TVisButton::SetDropDownMenu(TPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TVisButton::Click() {
  if (!FDropDownMenu) {
    inherited::Click();
    return;
  }
  if (FMenuDropped) return;
  inherited::Click();
  if (!GetDefaultLook() && CanFocus()) SetFocus();
  FMenuDropped = true;
  Perform(BM_SETSTATE, 1, 0);
  Repaint();
  if (OnDropDown) OnDropDown(this);
  const TPoint at = DropDownRight ? ClientToScreen(Point(GetWidth(), DropDownIndent))
                                  : ClientToScreen(Point(DropDownIndent, GetHeight()));
  FDropDownMenu->PopupComponent = this;
  try {
    FDropDownMenu->Popup(at.X, at.Y);
  } catch (...) {
    FMenuDropped = false;
    throw;
  }
  // The press that closed the menu must not press the button again.
  MSG message;
  while (::PeekMessageA(&message, GetHandle(), WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
  FMenuDropped = false;
  Perform(BM_SETSTATE, 0, 0);
  Invalidate();
}

bool vispushbutton_detail::RegisterClasses() {
  if (!GetClass("TVisButton")) RegisterClass(TVisButton::StaticClass());
  return true;
}
