// The spin button and the spin edits.
#include "controls/VisExtSpinEdit.h"

#include <algorithm>

#include "classlib/ControlsPublished.h"
#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"
#include "controls/visuxtheme.h"

PUBLISHED(TVisSpinButton) {
  Prop("CtlXP", &TVisControl::GetCtlXP, &TVisControl::SetCtlXP).Default(true);
  Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);
  Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint).Default(false);
  Prop("Transparent", &TVisBaseGraphicControl::GetTransparent, &TVisBaseGraphicControl::SetTransparent)
      .Default(true);
  Prop("SpinButtons", &TVisSpinButton::GetSpinButtons, &TVisSpinButton::SetSpinButtons)
      .Default(TVisSpinButtons{sbUp});
  Prop("Color", &TControl::GetColor, &TControl::SetColor).Type(ColorTypeInfo()).Default(clBtnFace);
  Prop("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint).Default(true);
  Prop("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor).Default(false);
  Prop("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true);
  Prop("OnBottomClick", &TVisSpinButton::OnBottomClick);
  Prop("OnTopClick", &TVisSpinButton::OnTopClick);
  Prop("OnLeftClick", &TVisSpinButton::OnLeftClick);
  Prop("OnRightClick", &TVisSpinButton::OnRightClick);
}

PUBLISHED(TVisCustomExtSpinEdit) {
  Prop("Alignment", &TVisBaseEdit::GetAlignment, &TVisBaseEdit::SetAlignment).Default(taLeftJustify);
  Prop("SpinBtnWidth", &TVisCustomExtSpinEdit::GetSpinBtnWidth, &TVisCustomExtSpinEdit::SetSpinBtnWidth).Default(-1);
  Prop("Step", &TVisCustomExtSpinEdit::GetStep, &TVisCustomExtSpinEdit::SetStep);
  Prop("LargeStep", &TVisCustomExtSpinEdit::GetLargeStep, &TVisCustomExtSpinEdit::SetLargeStep);
  Prop("FractionStep", &TVisCustomExtSpinEdit::GetFractionStep, &TVisCustomExtSpinEdit::SetFractionStep);
  Prop("EditorEnabled", &TVisCustomExtSpinEdit::GetEditorEnabled, &TVisCustomExtSpinEdit::SetEditorEnabled)
      .Default(true);
  Prop("Decimals", &TVisCustomMaskEdit::GetDecimals, &TVisCustomExtSpinEdit::SetDecimals).Default(1);
}

PUBLISHED(TVisExtSpinEdit) {
  Prop("MinValue", &TVisCustomMaskEdit::GetMinValue, &TVisCustomMaskEdit::SetMinValue);
  Prop("MaxValue", &TVisCustomMaskEdit::GetMaxValue, &TVisCustomMaskEdit::SetMaxValue);
  Prop("Suffix", &TVisCustomMaskEdit::GetSuffix, &TVisCustomMaskEdit::SetSuffix);
  Prop("EditType", &TVisCustomExtSpinEdit::GetEditType, &TVisCustomExtSpinEdit::SetEditType).Default(ntInteger);
  Prop("Value", &TVisCustomExtSpinEdit::GetValue, &TVisCustomExtSpinEdit::SetValue);
}

bool visextspinedit_detail::RegisterClasses() {
  if (!GetClass("TVisExtSpinEdit")) RegisterClass(TVisExtSpinEdit::StaticClass());
  if (!GetClass("TVisSpinButton")) RegisterClass(TVisSpinButton::StaticClass());
  return true;
}

namespace {

constexpr TVisSingleSpinButton kButtons[] = {sbUp, sbDown, sbRight, sbLeft};

TColor ArrowColor(Byte State) {
  switch (State) {
    case 1: return RGB(255, 0, 0);
    case 3: return RGB(128, 128, 128);
    default: return clBlack;
  }
}

TRect Offset(const TRect& R, Integer DX) { return {R.Left + DX, R.Top, R.Right + DX, R.Bottom}; }

TVisMaskDataMode ModeOf(TVisNumberType Type) {
  switch (Type) {
    case ntInteger: return mdInteger;
    case ntFloat: return mdFloat;
    case ntFloatFixed: return mdFixed;
    case ntFloatNumber: return mdNumber;
    case ntCurrency: return mdCurrency;
  }
  return mdInteger;
}

}  // namespace

// --- TVisSpinButton --------------------------------------------------------------------------------------

Byte TVisSpinButton::LayoutOf(TVisSpinButtons Buttons) {
  static const TVisSpinButtons kLayouts[] = {
      {sbUp},          {sbUp, sbDown},         {sbUp, sbLeft},           {sbUp, sbRight},        {sbUp, sbDown, sbLeft},
      {sbUp, sbDown, sbRight}, {sbUp, sbLeft, sbRight}, {sbUp, sbDown, sbLeft, sbRight}, {sbDown}, {sbDown, sbRight},
      {sbDown, sbLeft}, {sbDown, sbLeft, sbRight}, {sbLeft}, {sbLeft, sbRight}, {sbRight}};
  for (Byte i = 0; i < 15; ++i)
    if (kLayouts[i] == Buttons) return Byte(i + 1);
  return 0;
}

int TVisSpinButton::Index(TVisSingleSpinButton Button) {
  switch (Button) {
    case sbUp: return 0;
    case sbDown: return 1;
    case sbRight: return 2;
    case sbLeft: return 3;
  }
  return 0;
}

TVisSpinButton::TVisSpinButton(TComponent* AOwner) : TVisGraphicControl(AOwner), FFaces(new TBitmap) {
  SetCtlXP(true);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetBounds(FLeft, FTop, 20, 20);
  UpdateGeometry();
}

TVisSpinButton::~TVisSpinButton() {
  StopRepeat();
  FreeRegions();
  delete FFaces;
}

void TVisSpinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      if (!GetEnabled()) StopRepeat();
      SetAllStates(GetEnabled() ? 0 : 3);
      Invalidate();
      break;
    case CM_COLORCHANGED:
    case VM_CHANGED:
    case WM_THEMECHANGED:
      inherited::Dispatch(Message);
      Changed();
      break;
    default: inherited::Dispatch(Message);
  }
}

bool TVisSpinButton::ThemedLook() {
  return GetCtlXP() && VisApplication && VisApplication->GetUseXPThemes() && ThemesAvailable();
}

void TVisSpinButton::Changed() {
  UpdateGeometry();
  FFacesValid = false;
  Invalidate();
}

void TVisSpinButton::SetSpinButtons(TVisSpinButtons Value) {
  FSpinButtons = Value;
  if (const Byte layout = LayoutOf(Value)) FLayout = layout;
  Changed();
}

void TVisSpinButton::SetThemeClass(Byte Value) {
  FThemeClass = Value;
  Changed();
}

void TVisSpinButton::SetDiagonalSplit(bool Value) {
  FDiagonal = Value;
  Changed();
}

void TVisSpinButton::SetFrameStyle(TVisBorderStyle Value) {
  FFrameStyle = Value;
  Changed();
}

void TVisSpinButton::BoundsChanged(Integer Changes) {
  if (Changes & bcSize) Changed();
  inherited::BoundsChanged(Changes);
}

void TVisSpinButton::FreeRegions() {
  for (HRGN& region : FRegions) {
    if (region) ::DeleteObject(region);
    region = nullptr;
  }
}

void TVisSpinButton::UpdateGeometry() {
  FreeRegions();
  const Integer w = GetWidth(), h = GetHeight();
  for (TRect& area : FAreas) area = TRect{};
  const bool up = FSpinButtons.Contains(sbUp), down = FSpinButtons.Contains(sbDown);
  const bool left = FSpinButtons.Contains(sbLeft), right = FSpinButtons.Contains(sbRight);
  if (FSpinButtons == TVisSpinButtons{sbUp, sbDown} && FDiagonal && !ThemedLook()) {
    // Split along the diagonal: the up button above it, the down button below it.
    const POINT upper[] = {{0, h}, {w, 0}, {0, 0}};
    const POINT lower[] = {{w, 0}, {w, h}, {0, h}};
    FRegions[0] = ::CreatePolygonRgn(upper, 3, WINDING);
    FRegions[1] = ::CreatePolygonRgn(lower, 3, WINDING);
    FAreas[0] = FAreas[1] = Rect(0, 0, w, h);
    return;
  }
  // Otherwise side by side: left, the up and down pair (one above the other), right.
  const Integer columns = Integer(left) + Integer(up || down) + Integer(right);
  Integer column = 0;
  const auto next = [&] {
    const TRect r = Rect(column * w / columns, 0, (column + 1) * w / columns, h);
    ++column;
    return r;
  };
  if (left) FAreas[3] = next();
  if (up || down) {
    const TRect middle = next();
    if (up && down) {
      // One row shared, as the styles draw the pair.
      FAreas[0] = Rect(middle.Left, 0, middle.Right, h / 2);
      FAreas[1] = Rect(middle.Left, h / 2 - 1, middle.Right, h);
    } else {
      FAreas[up ? 0 : 1] = middle;
    }
  }
  if (right) FAreas[2] = next();
  for (int i = 0; i < 4; ++i)
    if (FAreas[i].Width() > 0 && FAreas[i].Height() > 0) FRegions[i] = ::CreateRectRgn(FAreas[i].Left, FAreas[i].Top, FAreas[i].Right, FAreas[i].Bottom);
}

void TVisSpinButton::BuildFaces() {
  const Integer w = std::max(GetWidth(), 1), h = std::max(GetHeight(), 1);
  FFaces->SetPixelFormat(pf24bit);
  FFaces->SetSize(4 * w, h);
  TCanvas* canvas = FFaces->GetCanvas();
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(Rect(0, 0, 4 * w, h));
  const bool diagonal = FSpinButtons == TVisSpinButtons{sbUp, sbDown} && FDiagonal && !ThemedLook();

  HTHEME theme = nullptr;
  if (ThemedLook() && GetParent() && GetParent()->HandleAllocated())
    theme = VisThemeLibrary.OpenThemeData(GetParent()->GetHandle(), FThemeClass == 0 ? L"SPIN" : L"SCROLLBAR");
  canvas->RequiredState({csHandleValid});
  for (Byte state = 0; state < 4; ++state) {
    const Integer dx = state * w;
    if (theme) {
      // The styles' own arrows, one image per state side by side.
      static constexpr int kSpinParts[] = {1, 2, 3, 4};
      static constexpr int kScrollBase[] = {1, 5, 13, 9};
      for (int i = 0; i < 4; ++i) {
        if (!FSpinButtons.Contains(kButtons[i])) continue;
        const TRect r = Offset(FAreas[i], dx);
        const int part = FThemeClass == 0 ? kSpinParts[i] : 1;
        const int stateId = FThemeClass == 0 ? state + 1 : kScrollBase[i] + state;
        VisThemeLibrary.DrawThemeBackground(theme, canvas->GetHandle(), part, stateId, AsRECT(r), nullptr);
      }
      continue;
    }
    const TVisBorderStyle frame = state == 2 ? lsLowered : FFrameStyle;
    for (int i = 0; i < 4; ++i) {
      if (!FSpinButtons.Contains(kButtons[i]) || (diagonal && i == 1)) continue;
      TRect r = Offset(FAreas[i], dx);
      DrawBorderEdge(canvas, r, frame);
    }
    // The arrows, centred in their buttons (at a third of the way in for the diagonal halves).
    const TColor color = ArrowColor(state);
    canvas->GetBrush()->SetColor(color);
    canvas->GetPen()->SetColor(color);
    for (int i = 0; i < 4; ++i) {
      if (!FSpinButtons.Contains(kButtons[i])) continue;
      const TRect& area = FAreas[i];
      Integer cx = (area.Left + area.Right) / 2, cy = (area.Top + area.Bottom) / 2;
      Integer extent = std::min(area.Width(), area.Height());
      if (diagonal) {
        cx = i == 0 ? w / 3 : 2 * w / 3;
        cy = i == 0 ? h / 3 : 2 * h / 3;
        extent /= 2;
      }
      const Integer a = std::max(extent / 5, 2);
      const Integer b = std::max(a / 2, 1);
      cx += dx;
      switch (kButtons[i]) {
        case sbUp: canvas->Polygon({{cx - a, cy + b}, {cx + a, cy + b}, {cx, cy + b - a}}); break;
        case sbDown: canvas->Polygon({{cx - a, cy - b}, {cx + a, cy - b}, {cx, cy - b + a}}); break;
        case sbLeft: canvas->Polygon({{cx + b, cy - a}, {cx + b, cy + a}, {cx + b - a, cy}}); break;
        case sbRight: canvas->Polygon({{cx - b, cy - a}, {cx - b, cy + a}, {cx - b + a, cy}}); break;
      }
    }
    canvas->GetBrush()->SetColor(GetColor());
  }
  if (theme) VisThemeLibrary.CloseThemeData(theme);
  FFacesValid = true;
}

void TVisSpinButton::Paint() {
  if (!FFacesValid || FFaces->GetWidth() != 4 * GetWidth() || FFaces->GetHeight() != GetHeight()) {
    UpdateGeometry();
    BuildFaces();
  }
  TCanvas* canvas = GetCanvas();
  PaintBackground(canvas);
  canvas->RequiredState({csHandleValid});
  HDC dc = canvas->GetHandle();
  // Regions are in device units; the canvas draws at the control's place through its origins.
  POINT viewport{}, window{};
  ::GetViewportOrgEx(dc, &viewport);
  ::GetWindowOrgEx(dc, &window);
  HDC faces = FFaces->GetCanvas()->GetHandle();
  for (int i = 0; i < 4; ++i) {
    if (!FRegions[i]) continue;
    const int saved = ::SaveDC(dc);
    UniqueGdiObject clip(::CreateRectRgn(0, 0, 0, 0));
    ::CombineRgn(static_cast<HRGN>(clip.get()), FRegions[i], nullptr, RGN_COPY);
    ::OffsetRgn(static_cast<HRGN>(clip.get()), viewport.x - window.x, viewport.y - window.y);
    ::ExtSelectClipRgn(dc, static_cast<HRGN>(clip.get()), RGN_AND);
    ::BitBlt(dc, 0, 0, GetWidth(), GetHeight(), faces, FStates[i] * GetWidth(), 0, SRCCOPY);
    ::RestoreDC(dc, saved);
  }
}

bool TVisSpinButton::HitButton(TVisSingleSpinButton Button, Integer X, Integer Y) const {
  const HRGN region = FRegions[Index(Button)];
  return region && ::PtInRegion(region, X, Y);
}

bool TVisSpinButton::HitTest(TVisSingleSpinButton Button, Integer X, Integer Y, bool Held) {
  Byte state = 0;
  if (!GetEnabled())
    state = 3;
  else if (HitButton(Button, X, Y))
    state = Held ? 2 : 1;
  Byte& current = FStates[Index(Button)];
  if (state == current) return false;
  current = state;
  return true;
}

void TVisSpinButton::SetAllStates(Byte State) {
  for (Byte& state : FStates) state = State;
}

void TVisSpinButton::Fire(TVisSingleSpinButton Button) {
  switch (Button) {
    case sbUp:
      if (OnTopClick) OnTopClick(this);
      break;
    case sbDown:
      if (OnBottomClick) OnBottomClick(this);
      break;
    case sbLeft:
      if (OnLeftClick) OnLeftClick(this);
      break;
    case sbRight:
      if (OnRightClick) OnRightClick(this);
      break;
  }
}

void TVisSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  FPressed = true;
  // A button fires when it becomes pressed; one that only stops being hot does not.
  for (TVisSingleSpinButton b : {sbUp, sbDown, sbLeft, sbRight})
    if (HitTest(b, X, Y, true) && FStates[Index(b)] == 2) Fire(b);
  if (!FRepeatTimer && VisApplication)
    FRepeatTimer = VisApplication->AddTimer(Word(FRepeatInterval + 200), TNotifyEvent(this, &TVisSpinButton::RepeatTick));
  if (TVisTimerItem* timer = VisApplication ? VisApplication->GetTimer(FRepeatTimer) : nullptr) {
    timer->SetEnabled(true);
    timer->SetInterval(Word(FRepeatInterval + 200));
  }
  Invalidate();
}

void TVisSpinButton::RepeatTick(TObject*) {
  if (TVisTimerItem* timer = VisApplication->GetTimer(FRepeatTimer)) timer->SetInterval(FRepeatInterval);
  if (!GetMouseCapture()) return;
  try {
    for (TVisSingleSpinButton b : kButtons)
      if (FStates[Index(b)] == 2) Fire(b);
  } catch (...) {
    StopRepeat();
    throw;
  }
}

void TVisSpinButton::StopRepeat() {
  if (FRepeatTimer && VisApplication) VisApplication->RemoveTimer(FRepeatTimer);
  FRepeatTimer = 0;
}

void TVisSpinButton::MouseAt(TShiftState Shift, Integer X, Integer Y) {
  bool changed = false;
  for (TVisSingleSpinButton b : {sbUp, sbDown, sbLeft, sbRight}) changed |= HitTest(b, X, Y, Shift.Contains(ssLeft));
  if (changed) Invalidate();
}

void TVisSpinButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  MouseAt(Shift, X, Y);
}

void TVisSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  FPressed = false;
  // The repeat ends with every release, inside the control or not: no press is held any more.
  StopRepeat();
  MouseAt(TShiftState{}, X, Y);
  Invalidate();
}

// --- TVisCustomExtSpinEdit -------------------------------------------------------------------------------

TVisCustomExtSpinEdit::TVisCustomExtSpinEdit(TComponent* AOwner)
    : TVisCustomMaskEdit(AOwner), FSpinButton(new TVisSpinButton(this)) {
  FSpinButton->SetParent(this);
  FSpinButton->SetColor(clBtnFace);
  FSpinButton->SetSpinButtons({sbUp, sbDown});
  FSpinButton->SetThemeClass(0);
  FSpinButton->OnTopClick = TNotifyEvent(this, &TVisCustomExtSpinEdit::StepUpClick);
  FSpinButton->OnLeftClick = TNotifyEvent(this, &TVisCustomExtSpinEdit::StepUpClick);
  FSpinButton->OnBottomClick = TNotifyEvent(this, &TVisCustomExtSpinEdit::StepDownClick);
  FSpinButton->OnRightClick = TNotifyEvent(this, &TVisCustomExtSpinEdit::StepDownClick);
  SetDataMode(mdInteger);
  SetMinValue(0.0);
  SetMaxValue(100.0);
}

TVisCustomExtSpinEdit::~TVisCustomExtSpinEdit() {
  delete FSpinButton;
  FSpinButton = nullptr;
}

void TVisCustomExtSpinEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_ENABLEDCHANGED) {
    inherited::Dispatch(Message);
    if (FSpinButton) FSpinButton->SetEnabled(GetEnabled());
    return;
  }
  inherited::Dispatch(Message);
}

void TVisCustomExtSpinEdit::Loaded() {
  inherited::Loaded();
  SetDataMode(ModeOf(FEditType));
  if (FEditType == ntInteger) SetMinValue(double(Round(GetMinValue())));
  FSpinButton->SetTransparent(false);
  FSpinButton->SetColor(clBtnFace);
  // The buttons are usable exactly when the edit is.
  FSpinButton->SetEnabled(GetEnabled());
  FSpinButton->SetCursor(crArrow);
}

void TVisCustomExtSpinEdit::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (control != FSpinButton && control->GetOwner() == Root) Proc(control);
  }
}

void TVisCustomExtSpinEdit::GetChange(TObject* Sender) {
  if (FSpinButton) FSpinButton->SetCtlXP(GetCtlXP());
  inherited::GetChange(Sender);
}

void TVisCustomExtSpinEdit::AdjustTextRect(TRect& Rect) {
  inherited::AdjustTextRect(Rect);
  const Integer width = FSpinBtnWidth == -1 ? Rect.Height() : FSpinBtnWidth;
  Rect.Right -= width;
  if (FSpinButton) FSpinButton->SetBounds(Rect.Right + 1, Rect.Top, width, Rect.Height());
}

bool TVisCustomExtSpinEdit::CanModify() { return inherited::CanModify() && FEditorEnabled; }

void TVisCustomExtSpinEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  FSpinButton->MouseAt(TShiftState{}, -1, -1);
}

void TVisCustomExtSpinEdit::MouseExit() {
  inherited::MouseExit();
  FSpinButton->MouseAt(TShiftState{}, -1, -1);
}

AnsiString TVisCustomExtSpinEdit::FormatValue(double Value) const {
  switch (FEditType) {
    case ntInteger: return IntToStr(Round(Value));
    case ntFloat: return FloatToStrF(Value, ffGeneral, 15, GetDecimals());
    case ntFloatFixed: return FloatToStrF(Value, ffFixed, 15, GetDecimals());
    case ntFloatNumber: return FloatToStrF(Value, ffNumber, 15, GetDecimals());
    case ntCurrency: return FloatToStrF(Value, ffCurrency, 15, CurrencyDecimals);
  }
  return AnsiString();
}

void TVisCustomExtSpinEdit::SetValue(double Value) {
  if (Value == FValue) return;
  FValue = Value;
  if (FValue > GetMaxValue()) FValue = GetMaxValue();
  if (FValue < GetMinValue()) FValue = GetMinValue();
  ShowValueText(FormatValue(FValue));
}

void TVisCustomExtSpinEdit::SetEditType(TVisNumberType Value) {
  if (Value == FEditType) return;
  FEditType = Value;
  SetDataMode(ModeOf(Value));
}

void TVisCustomExtSpinEdit::SetSpinBtnWidth(Integer Value) {
  if (Value == FSpinBtnWidth) return;
  FSpinBtnWidth = Value;
  if (Focused())
    LayoutBuffered();
  else
    Layout();
  Invalidate();
}

void TVisCustomExtSpinEdit::SetDecimals(Integer Value) {
  if (Value == GetDecimals()) return;
  inherited::SetDecimals(Value);
  Changed(GetCaretIndex());
}

void TVisCustomExtSpinEdit::StepUpClick(TObject*) { StepUp(FStep); }

void TVisCustomExtSpinEdit::StepDownClick(TObject*) { StepDown(FStep); }

void TVisCustomExtSpinEdit::StepUp(double Amount) { Step(Amount, true); }

void TVisCustomExtSpinEdit::StepDown(double Amount) { Step(Amount, false); }

void TVisCustomExtSpinEdit::Step(double Amount, bool Up) {
  if (GetReadOnly()) return;
  const Integer selStart = GetSelStart();
  const double minValue = GetMinValue(), maxValue = GetMaxValue();
  if (GetDataMode() == mdInteger) {
    const Integer value = GetAsInteger();
    if (Up) {
      WriteValue(double(std::min(Round(value + Amount), Round(maxValue))));
    } else if (value - Amount <= double(Round(minValue))) {
      WriteValue(double(Round(minValue)));
    } else {
      WriteValue(double(Round(value - Amount)));
    }
  } else {
    const bool currency = GetDataMode() == mdCurrency;
    const auto read = [&] { return double(currency ? GetAsCurrency() : GetAsFloat()); };
    // With the caret after the decimal separator the step is the fraction step.
    const auto separator = GetEditText().find(GetDecimalSeparator());
    const bool fraction = separator != AnsiString::npos && Integer(separator) + 1 < GetCaretIndex();
    // Out of range on the far side, the value first comes to the near end of the range.
    if (!currency && Up && read() < minValue) WriteValue(minValue);
    if (!currency && !Up && read() > maxValue) WriteValue(maxValue);
    const double step = fraction ? FFractionStep : Amount;
    const double value = read();
    if (Up)
      WriteValue(value + step < maxValue ? value + step : maxValue);
    else
      WriteValue(value - step > minValue ? value - step : minValue);
  }
  if (selStart <= Integer(GetEditText().size()) + 1) {
    MoveCaretQuietly(selStart);
    SetSelStart(GetCaretIndex());
    CaretMoved();
  }
}

void TVisCustomExtSpinEdit::EditKeyDown(Word& Key) {
  switch (Key) {
    case VK_PRIOR: StepUp(FLargeStep); break;
    case VK_NEXT: StepDown(FLargeStep); break;
    case VK_UP: StepUp(FStep); break;
    case VK_DOWN: StepDown(FStep); break;
    default: inherited::EditKeyDown(Key); return;
  }
  Key = 0;
}

void TVisCustomExtSpinEdit::DoFocusLoss() {
  inherited::DoFocusLoss();
  double value = 0;
  switch (GetDataMode()) {
    case mdInteger: value = GetAsInteger(); break;
    case mdCurrency: value = double(GetAsCurrency()); break;
    default: value = double(GetAsFloat()); break;
  }
  SetValue(value);
  if (GetDataMode() == mdCurrency) {
    const AnsiString shown = FormatValue(FValue) + DisplayedSuffix();
    if (shown != GetEditText()) SetText(shown);
  }
}
