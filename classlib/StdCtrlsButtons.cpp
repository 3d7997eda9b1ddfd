// Push buttons, check boxes, radio buttons and group boxes.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/StdCtrls.h"

// ---- TButtonControl ----

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButtonControl::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWnd();
}

// ---- TButton ----

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 75, 25); }

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  FActive = FDefault;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && ModalResult != mrNone) form->SetModalResult(ModalResult);
  inherited::Click();
}

void TButton::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  if (!HandleAllocated()) return;
  // The focused control decides whether this button shows as the default one now.
  TCustomForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->GetActiveControl() : nullptr;
  if (focused && focused->InheritsFrom(TButton::StaticClass()))
    FActive = focused == this;
  else
    FActive = FDefault;
  SetButtonStyle(FActive);
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated()) return;
  const LONG_PTR style = ::GetWindowLongPtrA(FHandle, GWL_STYLE) & 0x0F;
  const LONG_PTR wanted = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  // An owner-drawn descendant keeps its own style.
  if (style != wanted && (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON))
    Perform(BM_SETSTYLE, static_cast<WPARAM>(wanted), 1);
}

void TButton::CNCommand(TMessage& Message) {
  if (TWMCommand{Message}.NotifyCode() == BN_CLICKED) Click();
}

// Enter clicks the button that shows as the default one, Escape the Cancel button.
void TButton::CMDialogKey(TMessage& Message) {
  const TWMKey key{Message};
  const Word code = key.CharCode();
  if (((code == VK_RETURN && FActive) || (code == VK_ESCAPE && FCancel)) &&
      KeyDataToShiftState(key.KeyData()).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// While a button has the focus it is the one Enter clicks; otherwise the Default button is.
void TButton::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  if (focused && focused->InheritsFrom(TButton::StaticClass()))
    FActive = focused == this;
  else
    FActive = FDefault;
  SetButtonStyle(FActive);
  inherited::Dispatch(Message);
}

// ---- TCustomCheckBox ----

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if ((FAlignment == taLeftJustify) != UseRightToLeftAlignment()) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  if (HandleAllocated()) Perform(BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  if (!FClicksDisabled) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& Message) {
  const Word code = TWMCommand{Message}.NotifyCode();
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  // Only the checked radio button of a group is reached with Tab; the arrows move within it.
  SetTabStop(false);
}

void TRadioButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    default: inherited::Dispatch(Message);
  }
}

// The focus arriving by the keyboard (the arrow keys within a group) checks the button. The
// system's radio button reports that as a click on Windows but not under Wine, so it is done
// here for both.
void TRadioButton::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!(::GetKeyState(VK_LBUTTON) & 0x8000)) SetChecked(true);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if ((FAlignment == taLeftJustify) != UseRightToLeftAlignment()) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWindowHandleDone() {
  inherited::CreateWindowHandleDone();
  Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated()) Perform(BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (TWinControl* parent = GetParent()) {
    for (Integer i = 0; i < parent->GetControlCount(); ++i) {
      TControl* sibling = parent->GetControls(i);
      if (sibling != this && sibling->InheritsFrom(TRadioButton::StaticClass()))
        static_cast<TRadioButton*>(sibling)->SetChecked(false);
    }
  }
  if (!FClicksDisabled) Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  RecreateWnd();
}

// A click checks the button.
void TRadioButton::CNCommand(TMessage& Message) {
  switch (TWMCommand{Message}.NotifyCode()) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    default: break;
  }
}

void TRadioButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && CanFocus()) {
    SetFocus();
    if (Focused()) SetChecked(true);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

// ---- TCustomGroupBox ----

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                               csReplicatable};
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  // Sizing repaints only what is new; the frame is drawn whole each time anyway.
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

// The children go inside the frame, below the caption's line.
void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  const Integer textHeight = HandleAllocated() ? canvas->TextHeight("0") : 0;
  Rect.Left += 1;
  Rect.Right -= 1;
  Rect.Bottom -= 1;
  Rect.Top += 1 + textHeight;
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  const Integer h = canvas->TextHeight("0");
  TRect r = Rect(0, h / 2 - 1, FWidth, FHeight);
  if (GetCtl3D()) {
    r.Left += 1;
    r.Top += 1;
    canvas->GetBrush()->SetColor(clBtnHighlight);
    canvas->FrameRect(r);
    r = Rect(r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1);
    canvas->GetBrush()->SetColor(clBtnShadow);
  } else {
    canvas->GetBrush()->SetColor(clWindowFrame);
  }
  canvas->FrameRect(r);
  const AnsiString text = GetText();
  if (text.empty()) return;
  TRect textRect = Rect(8, 0, 0, h);
  UINT flags = static_cast<UINT>(DrawTextBiDiModeFlags(DT_LEFT | DT_SINGLELINE));
  canvas->GetBrush()->SetColor(GetColor());
  HDC dc = canvas->GetHandle();
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), AsRECT(textRect), flags | DT_CALCRECT);
  if (UseRightToLeftAlignment()) {
    const int w = textRect.Width();
    textRect.Right = FWidth - 8;
    textRect.Left = textRect.Right - w;
  }
  dc = canvas->GetHandle();
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(GetColor())));
  if (!GetEnabled()) ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clGrayText)));
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), AsRECT(textRect), flags);
}

// The caption's accelerator moves the focus to the first control inside.
void TCustomGroupBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
  Realign();
}
