// Labels and link labels.
#include "controls/VisLabel.h"

#include "classlib/ActnList.h"
#include "classlib/Filer.h"
#include "classlib/ControlsPublished.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "controls/VisObject.h"
#include "controls/visclass.h"
#include "controls/viscaption.h"

TVisShellExecute VisShellExecute = &::ShellExecuteA;

PUBLISHED(TVisCustomSimpleLabel) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clWindow);
  PELORIN_ALIGN_PROP;
  VIS_PUBLISH_LAYOUT_AND_DRAG;
  Prop("Action", &TControl::GetAction, &TControl::SetAction);
  Prop("About", &TVisCustomSimpleLabel::About).Stored(false);
  Prop("Alignment", &TVisBaseLabel::GetAlignment, &TVisBaseLabel::SetAlignment).Default(agTopLeft);
  Prop("AutoSize", &TControl::GetAutoSize, &TVisBaseLabel::SetAutoSize).Default(true);
  Prop("FocusControl", &TVisBaseLabel::GetFocusControl, &TVisBaseLabel::SetFocusControl);
  Prop("Font3D", &TVisCustomSimpleLabel::GetFont3D, &TVisCustomSimpleLabel::SetFont3D);
  Prop("MultiLine", &TVisBaseLabel::GetMultiLine, &TVisBaseLabel::SetMultiLine).Default(false);
  Prop("ShowAccelChar", &TVisBaseLabel::GetShowAccelChar, &TVisBaseLabel::SetShowAccelChar).Default(true);
  Prop("Transparent", &TVisBaseGraphicControl::GetTransparent, &TVisBaseGraphicControl::SetTransparent)
      .Default(true);
  Prop("Twinkle", &TVisBaseLabel::GetTwinkle, &TVisBaseLabel::SetTwinkle).Default(false);
  Prop("TwinkleColor", &TVisBaseLabel::GetTwinkleColor, &TVisBaseLabel::SetTwinkleColor)
      .Type(ColorTypeInfo())
      .Default(clVisNoColor);
  Prop("TwinkleVisible", &TVisBaseLabel::GetTwinkleVisible, &TVisBaseLabel::SetTwinkleVisible).Default(700);
  Prop("TwinkleInVisible", &TVisBaseLabel::GetTwinkleInVisible, &TVisBaseLabel::SetTwinkleInVisible).Default(700);
  Prop("OnMouseEnter", &TVisControl::OnMouseEnter);
  Prop("OnMouseExit", &TVisControl::OnMouseExit);
}

PUBLISHED(TVisSimpleLabel) {
  PELORIN_CAPTION_PROP;
  Prop("Jump", &TVisCustomSimpleLabel::GetJump, &TVisCustomSimpleLabel::SetJump);
  Prop("ActiveColor", &TVisCustomSimpleLabel::GetActiveColor, &TVisCustomSimpleLabel::SetActiveColor)
      .Type(ColorTypeInfo())
      .Default(8388736);
  Prop("InActiveColor", &TVisCustomSimpleLabel::GetInActiveColor, &TVisCustomSimpleLabel::SetInActiveColor)
      .Type(ColorTypeInfo())
      .Default(16711680);
  Prop("JumpUnderline", &TVisCustomSimpleLabel::GetJumpUnderline, &TVisCustomSimpleLabel::SetJumpUnderline)
      .Default(true);
  Prop("JumpMode", &TVisCustomSimpleLabel::GetJumpMode, &TVisCustomSimpleLabel::SetJumpMode).Default(jmNone);
  Prop("Options", &TVisBaseLabel::GetOptions, &TVisBaseLabel::SetOptions).Default(TVisLabelOptions{});
}

namespace {


bool Reading(const TComponent* Component) { return Component->GetComponentState().Contains(csReading); }

}  // namespace

// --- TVisBaseLabel ----------------------------------------------------------------------------------

TVisBaseLabel::TVisBaseLabel(TComponent* AOwner) : TVisBaseGraphicControl(AOwner) { FAutoSize = true; }

TVisBaseLabel::~TVisBaseLabel() { StopTwinkle(); }

void TVisBaseLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TVisBaseLabel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TVisBaseLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
  if (FTwinkle) StartTwinkle();
}

UINT TVisBaseLabel::TextFlags() const {
  static const UINT kColumns[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  UINT flags = DT_EXPANDTABS | kColumns[FAlignment % 3];
  if (FMultiLine) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FOptions.Contains(loPathEllipsis)) flags |= DT_PATH_ELLIPSIS;
  if (FOptions.Contains(loEndEllipsis)) flags |= DT_END_ELLIPSIS;
  if (FOptions.Contains(loEditControl)) flags |= DT_EDITCONTROL;
  return static_cast<UINT>(DrawTextBiDiModeFlags(static_cast<Integer>(flags)));
}

AnsiString TVisBaseLabel::MeasuredText() {
  // An empty caption (or a lone accelerator mark) measures as a blank, so that an empty label
  // keeps the height of a line.
  AnsiString text = GetText();
  if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
  return text;
}

TRect TVisBaseLabel::MeasureText(Integer WidthLimit) {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  TRect box = Rect(0, 0, WidthLimit > 2 ? WidthLimit - 2 : 0, 0);
  // The ellipsis flags change the text being measured; the label measures the whole caption.
  const UINT flags = TextFlags() & ~(DT_PATH_ELLIPSIS | DT_END_ELLIPSIS);
  MeasureCaption(canvas, 0, FShowAccelChar, FMultiLine, flags, GetCaption3D(), MeasuredText(), box);
  return box;
}

void TVisBaseLabel::AdjustBounds() {
  if (Loading(this) || !GetAutoSize()) return;
  const TRect box = MeasureText(FMultiLine ? FWidth : 0);
  // The side (or centre) the alignment holds stays where it is.
  const Integer column = FAlignment % 3;
  const Integer row = FAlignment / 3;
  Integer left = FLeft;
  Integer top = FTop;
  if (column == 1) left += (FWidth - box.Width()) / 2;
  if (column == 2) left += FWidth - box.Width();
  if (row == 1) top += (FHeight - box.Height()) / 2;
  if (row == 2) top += FHeight - box.Height();
  SetBounds(left, top, box.Width(), box.Height());
}

void TVisBaseLabel::Paint() {
  TCanvas* canvas = GetCanvas();
  PaintBackground(canvas);
  if (FTwinkleHidden && FTwinkleColor == clVisNoColor) return;
  const TRect client = GetClientRect();
  TRect box;
  AlignBoxInRect(FAlignment, MeasureText(client.Width()), client, box);
  if (FTwinkleHidden) canvas->GetFont()->SetColor(FTwinkleColor);
  // The rows come from the measured box; across, the text spans the label (less a pixel of
  // margin) and the alignment flags place it, so that a line measured to fit is never broken
  // again and an ellipsis keeps the text inside the label.
  TRect text = Rect(client.Left + 1, box.Top + 1, client.Right - 1, box.Bottom - 1);
  canvas->GetBrush()->SetStyle(bsClear);
  const Word flags = GetEnabled() ? cfEnabled : 0;
  Draw3DText(canvas, GetText(), GetCaption3D(), nullptr, flags, TextFlags(), text);
}

void TVisBaseLabel::FontChanged() {
  if (Loading(this)) return;
  if (!Reading(this)) GetCanvas()->SetFont(GetFont());
  AdjustBounds();
  Invalidate();
}

void TVisBaseLabel::SetAlignment(TVisAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TVisBaseLabel::SetAutoSize(bool Value) {
  if (Value == GetAutoSize()) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TVisBaseLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TVisBaseLabel::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  FMultiLine = Value;
  AdjustBounds();
  Invalidate();
}

void TVisBaseLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TVisBaseLabel::SetOptions(TVisLabelOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  AdjustBounds();
  Invalidate();
}

void TVisBaseLabel::SetTwinkle(bool Value) {
  if (Value == FTwinkle) return;
  FTwinkle = Value;
  if (Loading(this) || GetComponentState().Contains(csDesigning)) return;
  if (Value)
    StartTwinkle();
  else
    StopTwinkle();
}

void TVisBaseLabel::SetTwinkleColor(TColor Value) {
  if (Value == FTwinkleColor) return;
  FTwinkleColor = Value;
  if (FTwinkleHidden) Invalidate();
}

void TVisBaseLabel::StartTwinkle() {
  if (FTwinkleTimer || !VisApplication) return;
  FTwinkleTimer = VisApplication->AddTimer(static_cast<Word>(FTwinkleVisible),
                                           TNotifyEvent(this, &TVisBaseLabel::TwinkleTick));
}

void TVisBaseLabel::StopTwinkle() {
  if (FTwinkleTimer && VisApplication) VisApplication->RemoveTimer(FTwinkleTimer);
  FTwinkleTimer = 0;
  if (FTwinkleHidden) {
    FTwinkleHidden = false;
    Invalidate();
  }
}

void TVisBaseLabel::TwinkleTick(TObject*) {
  FTwinkleHidden = !FTwinkleHidden;
  if (TVisTimerItem* timer = VisApplication->GetTimer(FTwinkleTimer))
    timer->SetInterval(static_cast<Word>(FTwinkleHidden ? FTwinkleInVisible : FTwinkleVisible));
  Invalidate();
}

void TVisBaseLabel::CMTextChanged(TMessage&) {
  AdjustBounds();
  Invalidate();
}

void TVisBaseLabel::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  FontChanged();
}

// Alt and the underlined letter (or the letter alone where no control takes characters) moves
// the focus to FocusControl.
void TVisBaseLabel::CMDialogChar(TMessage& Message) {
  if (FShowAccelChar && FFocusControl && GetEnabled() && IsAccel(static_cast<Word>(Message.WParam), GetText()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

// --- TVisCustomSimpleLabel --------------------------------------------------------------------------

TVisCustomSimpleLabel::TVisCustomSimpleLabel(TComponent* AOwner)
    : TVisBaseLabel(AOwner), FFont3D(new TVis3DCaption) {
  FFont3D->OnChange = TNotifyEvent(this, &TVisCustomSimpleLabel::Font3DChanged);
}

TVisCustomSimpleLabel::~TVisCustomSimpleLabel() {
  FFont3D->OnChange = nullptr;
  delete FFont3D;
}

void TVisCustomSimpleLabel::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("UseAsJump", TReaderProc(this, &TVisCustomSimpleLabel::ReadUseAsJump), nullptr, false);
}

void TVisCustomSimpleLabel::ReadUseAsJump(TReader* Reader) { FUseAsJump = Reader->ReadBoolean(); }

void TVisCustomSimpleLabel::Loaded() {
  inherited::Loaded();
  if (FUseAsJump) FJumpMode = jmInternet;
  if (FJumpMode != jmNone) ApplyLinkLook();
}

void TVisCustomSimpleLabel::SetFont3D(TVis3DCaption* Value) { FFont3D->Assign(Value); }

void TVisCustomSimpleLabel::Font3DChanged(TObject*) { FontChanged(); }

void TVisCustomSimpleLabel::SetInActiveColor(TColor Value) {
  if (Value == FInActiveColor) return;
  FInActiveColor = Value;
  if (FJumpMode != jmNone && !Loading(this)) GetFont()->SetColor(Value);
}

void TVisCustomSimpleLabel::SetJumpUnderline(bool Value) {
  if (Value == FJumpUnderline) return;
  FJumpUnderline = Value;
  if (FJumpMode != jmNone && !Loading(this)) {
    TFontStyles style = GetFont()->GetStyle();
    if (Value)
      style.Include(fsUnderline);
    else
      style.Exclude(fsUnderline);
    GetFont()->SetStyle(style);
  }
}

void TVisCustomSimpleLabel::SetJumpMode(TVisJumpModes Value) {
  if (Value == FJumpMode) return;
  FJumpMode = Value;
  if (!Loading(this)) ApplyLinkLook();
}

void TVisCustomSimpleLabel::ApplyLinkLook() {
  FVisits = 0;
  TFont* font = GetFont();
  TFontStyles style = font->GetStyle();
  if (FJumpMode != jmNone) {
    SetCursor(crHandPoint);
    font->SetColor(FInActiveColor);
    if (FJumpUnderline) style.Include(fsUnderline);
  } else {
    SetCursor(crDefault);
    font->SetColor(clBlack);
    if (FJumpUnderline) style.Exclude(fsUnderline);
  }
  font->SetStyle(style);
}

void TVisCustomSimpleLabel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && FJumpMode != jmNone) {
    ++FVisits;
    GetFont()->SetColor(FActiveColor);
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TVisCustomSimpleLabel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && FJumpMode != jmNone) GetFont()->SetColor(FInActiveColor);
  inherited::MouseUp(Button, Shift, X, Y);
}

AnsiString TVisCustomSimpleLabel::JumpTarget() const {
  if (FJumpMode == jmInternet ? !Trim(FJump).empty() : !FJump.empty()) return FJump;
  AnsiString caption = const_cast<TVisCustomSimpleLabel*>(this)->GetText();
  if (FJumpMode == jmInternet && caption.find('@') != AnsiString::npos) caption = "mailto:" + caption;
  return caption;
}

void TVisCustomSimpleLabel::Click() {
  if (FJumpMode != jmInternet && FJumpMode != jmApplication) {
    inherited::Click();
    return;
  }
  const AnsiString target = JumpTarget();
  HWND owner = Application ? Application->GetHandle() : nullptr;
  const auto result =
      reinterpret_cast<INT_PTR>(VisShellExecute(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // A link that cannot be opened is switched off rather than offered again.
  if (result <= 32 && FJumpMode == jmInternet) {
    SetJumpMode(jmNone);
    SetEnabled(false);
  }
}

bool vislabel_detail::RegisterClasses() {
  if (!GetClass("TVisSimpleLabel")) RegisterClass(TVisSimpleLabel::StaticClass());
  return true;
}
