// Graphic buttons and speed buttons.
#include "controls/VisButtons.h"

#include "classlib/ControlsPublished.h"
#include "classlib/Forms.h"
#include "controls/VisObject.h"
#include "controls/visclass.h"
#include "controls/viscont.h"
#include "controls/visglyph.h"

PUBLISHED(TVisBaseGraphicButton) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clWindow);
  PELORIN_ALIGN_PROP;
  VIS_PUBLISH_LAYOUT_AND_DRAG;
  Prop("ButtonLayout", &TVisBaseGraphicButton::GetButtonLayout, &TVisBaseGraphicButton::SetButtonLayout);
  PELORIN_CAPTION_PROP;
  Prop("EnterColor", &TVisBaseGraphicButton::GetEnterColor, &TVisBaseGraphicButton::SetEnterColor)
      .Type(ColorTypeInfo())
      .Default(clCaptionText);
  Prop("EnterColorChange", &TVisBaseGraphicButton::GetEnterColorChange, &TVisBaseGraphicButton::SetEnterColorChange)
      .Default(false);
  Prop("Glyph", &TVisBaseGraphicButton::GetGlyph, &TVisBaseGraphicButton::SetGlyph)
      .Stored(&TVisBaseGraphicButton::IsGlyphStored);
  Prop("FontFX", &TVisBaseGraphicButton::GetFontFX, &TVisBaseGraphicButton::SetFontFX);
  Prop("HideHint", &TVisBaseGraphicButton::HideHint).Default(true);
  Prop("ImageList", &TVisBaseControl::GetImageList, &TVisBaseControl::SetImageList)
      .Stored(&TVisBaseControl::IsImageListStored);
  Prop("ImageIndex", &TVisBaseControl::GetImageIndex, &TVisBaseControl::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisBaseControl::GetListIndex, &TVisBaseControl::SetListIndex).Default(0);
  Prop("NumGlyphs", &TVisBaseGraphicButton::GetNumGlyphs, &TVisBaseGraphicButton::SetNumGlyphs).Default(1);
  Prop("RepeatedClick", &TVisBaseGraphicButton::RepeatedClick).Default(false);
  Prop("RepeatingInterval", &TVisBaseGraphicButton::RepeatingInterval).Default(100);
  Prop("RepeatingDelay", &TVisBaseGraphicButton::RepeatingDelay).Default(500);
  Prop("UseCaption", &TVisBaseGraphicButton::GetUseCaption, &TVisBaseGraphicButton::SetUseCaption).Default(true);
  Prop("OnMouseEnter", &TVisControl::OnMouseEnter);
  Prop("OnMouseExit", &TVisControl::OnMouseExit);
  Prop("OnDropDown", &TVisBaseGraphicButton::OnDropDown);
}

PUBLISHED(TVisSpeedButton) {
  Prop("AllowAllUp", &TVisBaseGraphicButton::GetAllowAllUp, &TVisBaseGraphicButton::SetAllowAllUp).Default(false);
  Prop("GroupIndex", &TVisBaseGraphicButton::GetGroupIndex, &TVisBaseGraphicButton::SetGroupIndex).Default(0);
  Prop("MultiLine", &TVisBaseGraphicButton::GetMultiLine, &TVisBaseGraphicButton::SetMultiLine).Default(false);
  Prop("Pressed", &TVisBaseGraphicButton::GetPressed, &TVisBaseGraphicButton::SetPressed).Default(false);
  Prop("DropDownCombo", &TVisBaseGraphicButton::GetDropDownCombo, &TVisBaseGraphicButton::SetDropDownCombo)
      .Default(false);
  Prop("DropDownComboWidth", &TVisBaseGraphicButton::GetDropDownComboWidth,
       &TVisBaseGraphicButton::SetDropDownComboWidth)
      .Default(12);
  Prop("DropDownMenu", &TVisBaseGraphicButton::GetDropDownMenu, &TVisBaseGraphicButton::SetDropDownMenu);
  Prop("DropDownIndent", &TVisBaseGraphicButton::GetDropDownIndent, &TVisBaseGraphicButton::SetDropDownIndent)
      .Default(0);
  Prop("DropDownRight", &TVisBaseGraphicButton::GetDropDownRight, &TVisBaseGraphicButton::SetDropDownRight)
      .Default(false);
  Prop("Style", &TVisCustomSpeedButton::GetStyle, &TVisCustomSpeedButton::SetStyle).Default(ubsAutoDetect);
}

namespace {


bool DisabledState(Byte State) { return State == bstDisabled || State == bstDisabledLatched; }

bool ThemesInUse() { return VisApplication && VisApplication->GetUseXPThemes(); }

}  // namespace

// --- TVisBaseGraphicButton ---------------------------------------------------------------------------

TVisBaseGraphicButton::TVisBaseGraphicButton(TComponent* AOwner)
    : TVisBaseControl(AOwner),
      FButtonLayout(new TVisButtonLayout),
      FFontFX(new TVisFxCaption),
      FGlyph(new TVisGlyph) {
  // The button gives its clicks itself (a release over it), so the control's own click
  // handling is left out.
  ControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque, csSetCaption};
  FParentColor = false;
  FColor = clWindow;
  SetBounds(FLeft, FTop, 25, 25);
  FFontFX->OnChange = TNotifyEvent(this, &TVisBaseGraphicButton::FontFXChanged);
  FButtonLayout->OnChange = TNotifyEvent(this, &TVisBaseGraphicButton::LayoutChanged);
  FGlyph->OnChange = TNotifyEvent(this, &TVisBaseGraphicButton::GlyphChanged);
}

TVisBaseGraphicButton::~TVisBaseGraphicButton() {
  StopTimer(0);
  StopTimer(1);
  FFontFX->OnChange = nullptr;
  FButtonLayout->OnChange = nullptr;
  FGlyph->OnChange = nullptr;
  delete FFontFX;
  delete FButtonLayout;
  delete FGlyph;
}

void TVisBaseGraphicButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_BUTTONPRESSED: CMButtonPressed(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      // A rotated caption needs an outline font; a font that cannot turn turns the caption back.
      if (FFontFX->GetAngle() != 0 && !IsTrueTypeFont(GetFont())) FFontFX->SetAngle(0);
      Invalidate();
      break;
    default: inherited::Dispatch(Message);
  }
}

void TVisBaseGraphicButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) {
    FDropDownMenu = nullptr;
    UpdateCombo();
  }
}

void TVisBaseGraphicButton::Loaded() {
  inherited::Loaded();
  UpdateCombo();
  TakeGlyphFromList();
}

void TVisBaseGraphicButton::GetChange(TObject*) {
  TakeGlyphFromList();
  Invalidate();
}

void TVisBaseGraphicButton::TakeGlyphFromList() {
  TVisCustomImageList* list = GetImageList();
  if (!list) return;
  FSettingGlyph = true;
  FGlyph->SetGlyphFromList(list, GetListIndex(), GetImageIndex());
  FSettingGlyph = false;
}

void TVisBaseGraphicButton::SetButtonLayout(TVisButtonLayout* Value) { FButtonLayout->Assign(Value); }

void TVisBaseGraphicButton::SetFontFX(TVisFxCaption* Value) { FFontFX->Assign(Value); }

void TVisBaseGraphicButton::SetEnterColor(TColor Value) {
  if (Value == FEnterColor) return;
  FEnterColor = Value;
  Invalidate();
}

void TVisBaseGraphicButton::SetEnterColorChange(bool Value) {
  if (Value == FEnterColorChange) return;
  FEnterColorChange = Value;
  Invalidate();
}

TBitmap* TVisBaseGraphicButton::GetGlyph() const { return FGlyph->GetGlyph(); }

void TVisBaseGraphicButton::SetGlyph(TBitmap* Value) {
  if (!Loading(this) && GetImageList()) Images().SetImageList(nullptr);
  FGlyph->SetGlyph(Value);
  Invalidate();
}

TVisNumGlyphs TVisBaseGraphicButton::GetNumGlyphs() const { return FGlyph->GetNumGlyphs(); }

void TVisBaseGraphicButton::SetNumGlyphs(TVisNumGlyphs Value) {
  FGlyph->SetNumGlyphs(Value);
  Invalidate();
}

void TVisBaseGraphicButton::SetUseCaption(bool Value) {
  if (Value == FUseCaption) return;
  FUseCaption = Value;
  Invalidate();
}

void TVisBaseGraphicButton::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  FMultiLine = Value;
  Invalidate();
}

void TVisBaseGraphicButton::FontFXChanged(TObject*) {
  if (FFontFX->GetAngle() != 0 && !IsTrueTypeFont(GetFont())) GetFont()->SetName("Arial");
  Invalidate();
}

void TVisBaseGraphicButton::LayoutChanged(TObject*) { Invalidate(); }

void TVisBaseGraphicButton::GlyphChanged(TObject*) { Invalidate(); }

// --- States ---------------------------------------------------------------------------------------------

void TVisBaseGraphicButton::SetState(Byte Value) {
  if (Value == FState) return;
  const Byte old = FState;
  FOldState = old == bstHot && Value != bstLatched ? bstUp : old;
  FState = Value;
  // Where neither the face nor the picture nor the caption's colour follows the state, the
  // button looks the same and is not drawn again.
  const bool sameLook = !FaceDependsOnState() && FGlyph->GetNumGlyphs() < 3 && FGlyph->GetDisabledMode() == 0 &&
                        !(FAllowMouseOver && FEnterColorChange) && DisabledState(old) == DisabledState(Value);
  if (!sameLook) Invalidate();
  if (IsFlat()) {
    if (old == bstHot) StopTimer(0);
    if (Value == bstHot && !FPressed) StartTimer(0, 100);
  }
}

void TVisBaseGraphicButton::SetPressed(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FPressed) return;
  if (FPressed && !FAllowAllUp) return;
  FPressed = Value;
  if (Value) {
    SetState(GetEnabled() ? bstLatched : bstDisabledLatched);
    Invalidate();
    NotifyGroup();
  } else {
    SetState(GetEnabled() ? bstUp : bstDisabled);
    Invalidate();
  }
}

void TVisBaseGraphicButton::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  NotifyGroup();
}

void TVisBaseGraphicButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  NotifyGroup();
}

void TVisBaseGraphicButton::NotifyGroup() {
  if (FGroupIndex == 0 || !FParent) return;
  TMessage message;
  message.Msg = CM_BUTTONPRESSED;
  message.WParam = static_cast<WPARAM>(FGroupIndex);
  message.LParam = reinterpret_cast<LPARAM>(this);
  FParent->Broadcast(message);
}

void TVisBaseGraphicButton::CMButtonPressed(TMessage& Message) {
  auto* sender = reinterpret_cast<TVisBaseGraphicButton*>(Message.LParam);
  if (static_cast<Integer>(Message.WParam) != FGroupIndex || sender == this) return;
  if (sender->FPressed && FPressed) {
    FPressed = false;
    SetState(IsFlat() && PointerOverNow() ? bstHot : bstUp);
    Invalidate();
  }
  FAllowAllUp = sender->FAllowAllUp;
}

void TVisBaseGraphicButton::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (GetEnabled())
    SetState(FPressed ? bstLatched : bstUp);
  else
    SetState(FPressed ? bstDisabledLatched : bstDisabled);
  Invalidate();
}

void TVisBaseGraphicButton::WMLButtonDblClk(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FPressed) DblClick();
}

// --- The mouse ------------------------------------------------------------------------------------------

bool TVisBaseGraphicButton::HitTest(Integer X, Integer Y) {
  return X >= 0 && X <= GetWidth() && Y >= 0 && Y <= GetHeight();
}

bool TVisBaseGraphicButton::PointerOver(Integer X, Integer Y) {
  if (FAllowTransparency) return HitTest(X, Y);
  return X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
}

bool TVisBaseGraphicButton::PointerOverNow() {
  if (!FParent || !FParent->HandleAllocated()) return false;
  POINT p;
  ::GetCursorPos(&p);
  const TPoint client = ScreenToClient(Point(p.x, p.y));
  return PointerOver(client.X, client.Y);
}

void TVisBaseGraphicButton::CMMouseEnter(TMessage& Message) {
  if (FAllowTransparency) return;
  inherited::Dispatch(Message);
  FMouseInside = true;
  if (FState == bstUp && GetEnabled() && FAllowMouseOver) SetState(bstHot);
}

void TVisBaseGraphicButton::CMMouseLeave(TMessage& Message) {
  if (FAllowTransparency) return;
  inherited::Dispatch(Message);
  FMouseInside = false;
  if (FState == bstHot) SetState(FOldState);
  if (HideHint && Application) Application->CancelHint();
}

void TVisBaseGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled() || !HitTest(X, Y)) return;
  if (FDropDownMenu) {
    if (FState == bstDropDown) {
      SetState(bstHot);
      return;
    }
    const TRect arrow = ArrowPart();
    if (!FCombo || (X >= arrow.Left && X < arrow.Right && Y >= arrow.Top && Y < arrow.Bottom)) {
      OpenDropDown();
      return;
    }
  }
  FHeld = true;
  if (FOldState == bstLatched && FState == bstHot && FGroupIndex != 0) {
    SetState(bstLatched);
    return;
  }
  Byte next = FState;
  if (!FPressed) {
    next = bstHeld;
    if (RepeatedClick) {
      RepeatClick();
      StartTimer(1, RepeatingDelay);
    }
  }
  SetState(next);
}

void TVisBaseGraphicButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  const bool over = PointerOver(X, Y);
  if (FHeld) {
    if (over)
      SetState(FPressed ? bstLatched : bstHeld);
    else if (FGroupIndex == 0)
      SetState(bstUp);
  } else if (over && IsFlat() && GetEnabled() && !FPressed && FState == bstUp) {
    SetState(bstHot);
  }
  if (IsFlat()) FMouseInside = over;
}

void TVisBaseGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (FState == bstDropDown || !FHeld) return;
  FHeld = false;
  if (RepeatedClick) StopTimer(1);
  const bool over = PointerOver(X, Y);
  Byte next = DisabledState(FState) ? FState : bstUp;
  if (FGroupIndex == 0) {
    if (over && IsFlat()) next = bstHot;
  } else if (!over) {
    if (FPressed) next = bstLatched;
  } else {
    // A latched button of a group that cannot be all up stays down and gives no click.
    if (FPressed && !FAllowAllUp) return;
    SetPressed(!FPressed);
    next = FPressed ? bstLatched : bstUp;
  }
  SetState(next);
  if (over && !RepeatedClick) Click();
}

void TVisBaseGraphicButton::RepeatClick() {
  if (TVisTimerItem* timer = VisApplication ? VisApplication->GetTimer(FTimers[1]) : nullptr)
    timer->SetInterval(RepeatingInterval);
  Click();
}

void TVisBaseGraphicButton::RepeatTick(TObject*) {
  if (PointerOverNow()) RepeatClick();
}

void TVisBaseGraphicButton::HotTick(TObject*) {
  if (GetEnabled() && !FPressed && !PointerOverNow()) {
    FMouseInside = false;
    SetState(bstUp);
  }
}

void TVisBaseGraphicButton::StartTimer(Integer Slot, Word Interval) {
  if (!VisApplication) return;
  if (TVisTimerItem* timer = VisApplication->GetTimer(FTimers[Slot])) {
    timer->SetInterval(Interval);
    return;
  }
  FTimers[Slot] = VisApplication->AddTimer(
      Interval, Slot == 0 ? TNotifyEvent(this, &TVisBaseGraphicButton::HotTick)
                          : TNotifyEvent(this, &TVisBaseGraphicButton::RepeatTick));
}

void TVisBaseGraphicButton::StopTimer(Integer Slot) {
  if (FTimers[Slot] && VisApplication) VisApplication->RemoveTimer(FTimers[Slot]);
  FTimers[Slot] = 0;
}

// --- The drop-down menu ---------------------------------------------------------------------------------

void TVisBaseGraphicButton::SetDropDownMenu(TPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
  UpdateCombo();
  Invalidate();
}

void TVisBaseGraphicButton::SetDropDownCombo(bool Value) {
  if (Value == FDropDownCombo) return;
  FDropDownCombo = Value;
  if (!Loading(this)) SetWidth(GetWidth() + (Value ? FDropDownComboWidth : -FDropDownComboWidth));
  UpdateCombo();
  Invalidate();
}

void TVisBaseGraphicButton::SetDropDownComboWidth(Integer Value) {
  if (Value == FDropDownComboWidth) return;
  if (FDropDownCombo && !Loading(this)) SetWidth(GetWidth() + Value - FDropDownComboWidth);
  FDropDownComboWidth = Value;
  UpdateCombo();
  Invalidate();
}

void TVisBaseGraphicButton::SetDropDownIndent(Integer Value) {
  if (Value == FDropDownIndent) return;
  FDropDownIndent = Value;
  Invalidate();
}

void TVisBaseGraphicButton::SetDropDownRight(bool Value) {
  if (Value == FDropDownRight) return;
  FDropDownRight = Value;
  Invalidate();
}

void TVisBaseGraphicButton::UpdateCombo() { FCombo = FDropDownMenu && FDropDownCombo; }

TRect TVisBaseGraphicButton::ArrowPart() {
  const TRect client = GetClientRect();
  return {client.Right - FDropDownComboWidth, client.Top, client.Right, client.Bottom};
}

TRect TVisBaseGraphicButton::MainPart() {
  TRect client = GetClientRect();
  if (FCombo) client.Right -= FDropDownComboWidth;
  return client;
}

void TVisBaseGraphicButton::OpenDropDown() {
  if (!FDropDownMenu || FMenuShown) return;
  FMenuShown = true;
  SetState(bstDropDown);
  if (OnDropDown) OnDropDown(this);
  const TPoint at = FDropDownRight ? ClientToScreen(Point(GetWidth(), FDropDownIndent))
                                   : ClientToScreen(Point(FDropDownIndent, GetHeight()));
  FDropDownMenu->PopupComponent = this;
  try {
    FDropDownMenu->Popup(at.X, at.Y);
  } catch (...) {
    FMenuShown = false;
    throw;
  }
  // The press that closed the menu must not reach the button or what lies under it.
  MSG message;
  while (::PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_REMOVE)) {
  }
  if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
  FMenuShown = false;
  FHeld = false;
  SetState(bstHot);
}

// --- Painting --------------------------------------------------------------------------------------------

void TVisBaseGraphicButton::DrawCaption(TCanvas* Canvas, const TRect& Rect) {
  Canvas->SetFont(GetFont());
  if (FState >= bstHot && FState <= bstDropDown && FAllowMouseOver && FEnterColorChange)
    Canvas->GetFont()->SetColor(FEnterColor);
  Canvas->GetBrush()->SetStyle(bsClear);
  Byte state = FState;
  Word flags = cfEnabled;
  if (DisabledState(FState)) {
    if (FKeepDisabledLook)
      flags = 0;
    else
      state = FState == bstDisabled ? bstUp : bstLatched;
  }
  FGlyph->Draw(Canvas, Rect, Point(0, 0), FUseCaption ? GetText() : AnsiString(), FButtonLayout, state, FFontFX,
               FMultiLine, static_cast<UINT>(DrawTextBiDiModeFlagsReadingOnly()), flags);
}

void TVisBaseGraphicButton::Paint() {
  TCanvas* canvas = GetCanvas();
  if (!FTransparent) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(GetClientRect());
  }
  DrawCaption(canvas, GetClientRect());
}

// --- TVisCustomSpeedButton -------------------------------------------------------------------------------

TVisCustomSpeedButton::TVisCustomSpeedButton(TComponent* AOwner) : TVisBaseGraphicButton(AOwner) {
  SetBounds(FLeft, FTop, 23, 22);
  FAllowMouseOver = true;
  FAllowTransparency = false;
}

void TVisCustomSpeedButton::SetStyle(TVisUserButtonStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  GetGlyphObject()->SetDisabledMode(Value == ubsFlatUnColored || Value == ubsNavigator || Value == ubsExplorer ? 1
                                                                                                                : 0);
  if (Value == ubsExplorer || Value == ubsExplorerColored)
    ControlStyle.Exclude(csOpaque);
  else
    ControlStyle.Include(csOpaque);
  Invalidate();
}

bool TVisCustomSpeedButton::UseThemeAtThisLevel() { return FStyle == ubsAutoDetect || FStyle >= ubsWinXP; }

bool TVisCustomSpeedButton::IsFlat() {
  return (FStyle >= ubsDelphiFlat && FStyle <= ubsExplorerColored) || FStyle >= ubsWinXP ||
         (FStyle == ubsAutoDetect && ThemesInUse());
}

void TVisCustomSpeedButton::Paint() {
  TCanvas* canvas = GetCanvas();
  const TRect client = GetClientRect();
  const bool themes = ThemesInUse();
  const bool designing = GetComponentState().Contains(csDesigning);
  const Integer frame = TVisButtonFace::ButtonFrameWidth(FStyle);
  const Byte state = GetState();

  if (FStyle == ubsExplorer || FStyle == ubsExplorerColored || FStyle >= ubsWinXP) {
    // These faces leave parts of the button to what lies under it.
    bool covered = false;
    if (FTransparent)
      if (auto* parent = dynamic_cast<TVisCustomControl*>(FParent))
        if (TBitmap* back = parent->GetBackEffect()) {
          canvas->CopyRect(client, back->GetCanvas(), parent->GetImageRect(GetBoundsRect()));
          covered = true;
        }
    if (!covered) {
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(GetColor());
      canvas->FillRect(client);
    }
  }

  const Word flags = state == bstHot ? 69 : 5;
  TRect main = MainPart();
  if (!HasComboArrow()) {
    TRect r = client;
    DrawThemedButton(this, canvas, GetMouseInside(), flags, designing ? bstHot : state, GetColor(), FStyle, r);
  } else {
    TRect r = main;
    DrawThemedButton(this, canvas, GetMouseInside(), flags | bfSplit,
                     designing ? bstHot : state == bstDropDown ? bstHot : state, GetColor(), FStyle, r);
    TRect arrow = ArrowPart();
    TRect a = arrow;
    DrawThemedButton(this, canvas, GetMouseInside(), flags | bfSplit | bfSplitArrow,
                     designing ? bstHot : state == bstHeld ? bstHot : state, GetColor(), FStyle, a);
    if (!(themes && (FStyle == ubsWinXPCombo || FStyle == ubsWinXPTool))) {
      const Integer size = 3;
      DrawArrowGlyph(canvas, arrow.Left + (arrow.Width() - (2 * size - 1)) / 2, arrow.Top + (arrow.Height() - size) / 2,
                     GetEnabled(), true, clBtnText, size);
    }
  }

  TRect content{main.Left + frame, main.Top + frame, main.Right - frame, main.Bottom - frame};
  if (state == bstLatched || state == bstHeld || (!HasComboArrow() && state == bstDropDown))
    content = {content.Left + 1, content.Top + 1, content.Right + 1, content.Bottom + 1};
  if (!(FStyle == ubsWinXPCombo && themes)) DrawCaption(canvas, content);
}

bool visbuttons_detail::RegisterClasses() {
  if (!GetClass("TVisSpeedButton")) RegisterClass(TVisSpeedButton::StaticClass());
  return true;
}
