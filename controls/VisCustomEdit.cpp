// The custom edit: painting the text, the caret and the hit test, the password character, the
// embedded buttons and the automatic height; and what the edits publish.
#include "controls/VisCustomEdit.h"

#include <algorithm>
#include <vector>

#include "classlib/ControlsPublished.h"
#include "classlib/Handles.h"
#include "controls/VisEditAutoComplete.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"
#include "controls/viscaption.h"

PUBLISHED(TVisBaseEdit) {
  PELORIN_CONTROL_PROPS;
  PELORIN_COLOR_PROPS(clWhite);
  PELORIN_WINCONTROL_PROPS;
  VIS_PUBLISH_LAYOUT_AND_DRAG;
  Prop("About", &TVisBaseEdit::About).Stored(false);
  Prop("BackFX", &TVisCustomControl::GetBackFX, &TVisCustomControl::SetBackFX);
  Prop("Bevel", &TVisCustomBevelPanel::GetBevel, &TVisCustomBevelPanel::SetBevel);
  Prop("Ctl3D", &TWinControl::GetCtl3D, &TWinControl::SetCtl3D).Default(true);
  Prop("CtlXP", &TVisCustomControl::GetCtlXP, &TVisCustomControl::SetCtlXP).Default(true);
  Prop("Cursor", &TControl::GetCursor, &TControl::SetCursor).Type(CursorTypeInfo()).Default(crIBeam);
  Prop("Flat", &TVisCustomControl::GetFlat, &TVisCustomControl::SetFlat).Default(false);
  Prop("ImageList", &TVisCustomControl::GetImageList, &TVisCustomControl::SetImageList)
      .Stored(&TVisCustomControl::IsImageListStored);
  Prop("ImageIndex", &TVisCustomControl::GetImageIndex, &TVisCustomControl::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisCustomControl::GetListIndex, &TVisCustomControl::SetListIndex).Default(0);
  Prop("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor).Default(false);
  Prop("ParentCtl3D", &TWinControl::GetParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
  Prop("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop).Default(true);
  Prop("Transparent", &TVisCustomControl::GetTransparent, &TVisCustomControl::SetTransparent).Default(false);
  Prop("OnAfterEnter", &TVisCustomControl::OnAfterEnter);
  Prop("OnAfterExit", &TVisCustomControl::OnAfterExit);
  Prop("OnMouseEnter", &TVisCustomControl::OnMouseEnter);
  Prop("OnMouseExit", &TVisCustomControl::OnMouseExit);
  Prop("OnMouseWheel", &TControl::OnMouseWheel);
}

PUBLISHED(TVisCustomEdit) {
  PELORIN_FONT_PROPS;
  Prop("CharCase", &TVisBaseEdit::GetCharCase, &TVisBaseEdit::SetCharCase).Default(ecNormal);
  Prop("Font3D", &TVisBaseEdit::GetFont3D, &TVisBaseEdit::SetFont3D);
  Prop("MaxLength", &TVisBaseEdit::GetMaxLength, &TVisBaseEdit::SetMaxLength).Default(0);
  Prop("HideSelection", &TVisBaseEdit::GetHideSelection, &TVisBaseEdit::SetHideSelection).Default(true);
  Prop("AutoSelect", &TVisBaseEdit::GetAutoSelect, &TVisBaseEdit::SetAutoSelect).Default(false);
  Prop("OEMConvert", &TVisBaseEdit::GetOEMConvert, &TVisBaseEdit::SetOEMConvert).Default(false);
  Prop("AutoComplete", &TVisCustomEdit::GetAutoComplete, &TVisCustomEdit::SetAutoComplete);
}

namespace {

// The DrawText flags of the edit's single line.
constexpr UINT kLineFlags = DT_SINGLELINE | DT_NOPREFIX;

// Sets the canvas's extra spacing between characters while it lives.
class CharacterExtra {
public:
  CharacterExtra(TCanvas* Canvas, Integer Extra) : dc_(Canvas->GetHandle()), old_(::SetTextCharacterExtra(dc_, Extra)) {}
  ~CharacterExtra() { ::SetTextCharacterExtra(dc_, old_); }
  CharacterExtra(const CharacterExtra&) = delete;
  CharacterExtra& operator=(const CharacterExtra&) = delete;

private:
  HDC dc_;
  int old_;
};

// The width of the first n characters of Text for n = 0 .. length, in the canvas's font and
// spacing.
std::vector<Integer> PrefixWidths(TCanvas* Canvas, const AnsiString& Text) {
  std::vector<Integer> widths(Text.size() + 1, 0);
  if (Text.empty()) return widths;
  Canvas->RequiredState({csHandleValid, csFontValid});
  std::vector<INT> partial(Text.size(), 0);
  SIZE size{};
  ::GetTextExtentExPointA(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), 0, nullptr,
                          partial.data(), &size);
  for (std::size_t i = 0; i < Text.size(); ++i) widths[i + 1] = partial[i];
  return widths;
}

}  // namespace

TVisCustomEdit::TVisCustomEdit(TComponent* AOwner)
    : TVisBaseEdit(AOwner), FSpecialButtons(new TVisSpecialButtons(this, true)) {}

TVisCustomEdit::~TVisCustomEdit() { delete FSpecialButtons; }

void TVisCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case EM_SETPASSWORDCHAR: SetPasswordChar(char(Message.WParam)); break;
    case EM_GETPASSWORDCHAR: Message.Result = static_cast<Byte>(FPasswordChar); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TVisCustomEdit::Loaded() {
  inherited::Loaded();
  AdjustHeight();
}

void TVisCustomEdit::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  AdjustHeight();
}

void TVisCustomEdit::SetPasswordChar(char Value) {
  if (Value == FPasswordChar) return;
  FPasswordChar = Value;
  UpdateDisplayText();
  PaintText(-1);
  PlaceCaret();
}

void TVisCustomEdit::UpdateDisplayText() {
  const AnsiString& text = GetEditText();
  FDisplayText = FPasswordChar != '\0' ? AnsiString(text.size(), FPasswordChar) : text;
}

void TVisCustomEdit::SetButtonWidth(Integer Value) {
  if (Value == FButtonWidth) return;
  FButtonWidth = Value;
  SpecialButtonsChanged();
}

void TVisCustomEdit::SetButtonStyle(Byte Value) {
  if (Value == FButtonStyle) return;
  FButtonStyle = Value;
  SpecialButtonsChanged();
}

void TVisCustomEdit::SpecialButtonsChanged() {
  AdjustHeight();
  if (HandleAllocated()) {
    const TRect client = GetClientRect();
    ::PostMessageA(GetHandle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
  }
}

void TVisCustomEdit::AdjustHeight() {
  const TComponentState state = GetComponentState();
  if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying)) return;
  // The font is measured on the window, which needs a parent.
  if (!HandleAllocated() && !GetParent()) return;
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  const Integer textHeight = canvas->TextHeight("Qp");
  const Integer height = GetBevel()->GetMode() != bmWindows ? textHeight * 5 / 4 + 2 * GetBevel()->GetBevelExtent()
                                                            : textHeight * 5 / 4 + 5;
  const Integer width = std::max(GetWidth(), FSpecialButtons->GetCount() * FButtonWidth + 30);
  SetBounds(GetLeft(), GetTop(), width, height);
}

void TVisCustomEdit::AdjustTextRect(TRect& Rect) {
  const Integer count = FSpecialButtons->GetCount();
  Rect.Right -= count * FButtonWidth + 1;
  const Integer top = GetBevel()->GetMode() == bmWindows && !DrawsThemed() ? 0 : Rect.Top;
  for (Integer i = 0; i < count; ++i) {
    TVisSpeedButton* button = FSpecialButtons->GetItems(i)->GetButton();
    button->SetBounds(Rect.Right + 1 + i * FButtonWidth, top, FButtonWidth, Rect.Height());
    button->SetStyle(static_cast<TVisUserButtonStyle>(FButtonStyle));
    // The tag follows the item's place, also after an item before it went.
    button->Tag = i;
  }
}

void TVisCustomEdit::TextReplaced() {
  UpdateDisplayText();
  Changed(1);
  PlaceCaret();
}

void TVisCustomEdit::Changed(Integer Position) {
  UpdateDisplayText();
  inherited::Changed(Position);
  if (FAutoComplete) FAutoComplete->TextChanged(this, GetEditText());
}

void TVisCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAutoComplete) FAutoComplete = nullptr;
}

void TVisCustomEdit::SetAutoComplete(TVisEditAutoComplete* Value) {
  if (Value == FAutoComplete) return;
  if (FAutoComplete) FAutoComplete->RemoveFreeNotification(this);
  FAutoComplete = Value;
  if (Value) Value->FreeNotification(this);
}

bool TVisCustomEdit::AutoCompleteActive() {
  return FAutoComplete && FAutoComplete->GetActive() && (FAutoComplete->GetCompletionOptions() & accInline);
}

void TVisCustomEdit::EditKeyDown(Word& Key) {
  const Word key = Key;
  inherited::EditKeyDown(Key);
  if (key == VK_RETURN && FAutoComplete && (FAutoComplete->GetAddOptions() & acaOnEnter))
    FAutoComplete->AddText(this, GetEditText());
}

void TVisCustomEdit::DoFocusLoss() {
  inherited::DoFocusLoss();
  if (FAutoComplete && (FAutoComplete->GetAddOptions() & acaOnExit)) FAutoComplete->AddText(this, GetEditText());
}

void TVisCustomEdit::TextOrigin(TCanvas* Canvas, Integer& Origin, Integer& Anchor) {
  const TRect& inner = GetInnerRect();
  const Integer width = Canvas->TextWidth(FDisplayText);
  switch (GetAlignment()) {
    case taLeftJustify: Origin = Anchor = inner.Left; break;
    case taRightJustify:
      Origin = inner.Right - width;
      Anchor = inner.Right;
      break;
    case taCenter:
      Origin = inner.Left + (inner.Right - inner.Left - width) / 2;
      Anchor = inner.Left + (inner.Right - inner.Left) / 2;
      break;
  }
}

void TVisCustomEdit::PlaceCaret() {
  if (!HandleAllocated() || !Focused() || !GetCaret()->GetVisible()) return;
  TCanvas* canvas = DrawingCanvas();
  canvas->RequiredState({csHandleValid, csFontValid});
  TVis3DCaption* font3D = GetFont3D();
  const TRect& inner = GetInnerRect();
  Integer x = 0, anchor = 0;
  std::vector<Integer> widths;
  {
    CharacterExtra spacing(canvas, font3D->GetTracing());
    TextOrigin(canvas, x, anchor);
    widths = PrefixWidths(canvas, FDisplayText);
  }
  switch (font3D->GetStyle()) {
    case tdSunken:
    case tdSunkenShadow: x += font3D->GetShadowDepth(); break;
    case tdRaised:
    case tdRaisedShadow: x += font3D->GetLightDepth(); break;
    default: break;
  }
  --x;
  const bool extrudedLeft = (font3D->GetStyle() == tdExtrude || font3D->GetStyle() == tdExtrudeEnh) &&
                            (font3D->GetOrientation() == toBottomLeft || font3D->GetOrientation() == toTopLeft);
  const auto caretX = [&] {
    if (FDisplayText.empty()) return anchor;
    const Integer n = std::clamp(GetCaretIndex() - 1, 0, Integer(FDisplayText.size()));
    Integer c = widths[static_cast<std::size_t>(n)] - FScrollOffset + x;
    if (extrudedLeft) c += font3D->GetShadowDepth();
    return c;
  };
  Integer c = caretX();
  // Past an edge the text scrolls so that the caret comes back inside.
  if (c > inner.Right) {
    c = c - inner.Right + inner.Left;
    FScrollOffset += c + 2;
    PaintText(-1);
  } else if (c < inner.Left && FScrollOffset != 0) {
    c = std::abs(c) + inner.Left;
    FScrollOffset = std::max(FScrollOffset - c - 2, 0);
    PaintText(-1);
  }
  c = FDisplayText.empty() ? x : caretX();
  SetCaretPosition(c + 1, inner.Top);
}

void TVisCustomEdit::PaintText(Integer) {
  if (!HandleAllocated() || GetTextRect().Left == -1) return;
  TVisCaret* caret = GetCaret();
  const bool caretShown = caret->GetVisible() && Focused();
  if (caretShown) ::HideCaret(GetHandle());
  TCanvas* canvas = DrawingCanvas();
  canvas->GetFont()->SetColor(GetFont()->GetColor());
  const TRect textRect = GetTextRect();
  EraseTextBackground(textRect);
  PaintTextBackground(canvas, textRect);

  const TRect inner = GetInnerRect();
  TRect r = inner;
  canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = canvas->GetHandle();
  // The text is clipped to the inner rectangle, wherever the scroll offset and the alignment put it.
  UniqueGdiObject clip(::CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom));
  ::SelectClipRgn(dc, static_cast<HRGN>(clip.get()));
  r.Left -= FScrollOffset;

  TVis3DCaption* font3D = GetFont3D();
  std::vector<Integer> widths;
  {
    CharacterExtra spacing(canvas, font3D->GetTracing());
    widths = PrefixWidths(canvas, FDisplayText);
  }
  const Integer width = widths.back();
  if (GetAlignment() == taRightJustify) r.Left = r.Right - width;
  if (GetAlignment() == taCenter) r.Left += (r.Right - r.Left - width) / 2;

  const Integer length = Integer(FDisplayText.size());
  const Integer selStart = std::clamp(GetSelStart(), 1, length + 1);
  const Integer selLength = std::clamp(GetSelLength(), 0, length + 1 - selStart);
  const bool showSelection = selLength != 0 && !GetSelectionHidden();
  Integer left = 0, right = 0, d1 = 0, d2 = 0;
  if (showSelection) {
    left = r.Left + widths[static_cast<std::size_t>(selStart - 1)];
    right = std::min(r.Left + widths[static_cast<std::size_t>(selStart + selLength - 1)], r.Right);
    const Integer light = font3D->GetLightDepth();
    const Integer shadow = font3D->GetShadowDepth();
    switch (font3D->GetStyle()) {
      case tdSunken: d2 = light; break;
      case tdRaised: d1 = light; break;
      case tdSunkenShadow:
        d1 = shadow;
        d2 = light;
        break;
      case tdRaisedShadow:
      case tdExtrudeEnh:
        d1 = light;
        d2 = shadow;
        break;
      case tdExtrude: d1 = shadow; break;
      default: break;
    }
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetHighlightBack());
    canvas->GetPen()->SetStyle(psSolid);
    canvas->GetPen()->SetColor(GetHighlightBack());
    const Integer bottom = std::min(TextHeightOf(FDisplayText) + r.Top + d1 + d2, inner.Bottom);
    const bool extrudedLeft = font3D->GetStyle() == tdExtrudeEnh &&
                              (font3D->GetOrientation() == toBottomLeft || font3D->GetOrientation() == toTopLeft);
    const Integer shift = extrudedLeft ? d1 + d2 : d1;
    canvas->Rectangle(left + shift, r.Top, right + shift, bottom);
  }
  const Word enabled = GetEnabled() ? cfEnabled : 0;
  Draw3DText(canvas, FDisplayText, font3D, nullptr, enabled, kLineFlags, r);
  if (showSelection) {
    canvas->GetFont()->SetColor(GetHighlightText());
    TRect selected{left, r.Top, right + d1 + d2, r.Bottom};
    Draw3DText(canvas, FDisplayText.substr(static_cast<std::size_t>(selStart - 1), static_cast<std::size_t>(selLength)),
               font3D, nullptr, enabled, kLineFlags, selected);
    canvas->GetFont()->SetColor(GetFont()->GetColor());
  }
  ::SelectClipRgn(dc, nullptr);
  if (GetBufferBitmap() && GetBuffered()) GetCanvas()->CopyRect(textRect, canvas, textRect);
  if (caretShown) ::ShowCaret(GetHandle());
}

Integer TVisCustomEdit::CharFromX(Integer X) {
  const Integer x = SmallInt(X);
  TCanvas* canvas = DrawingCanvas();
  CharacterExtra spacing(canvas, GetFont3D()->GetTracing());
  Integer origin = 0, anchor = 0;
  TextOrigin(canvas, origin, anchor);
  const std::vector<Integer> widths = PrefixWidths(canvas, FDisplayText);
  const Integer length = Integer(FDisplayText.size());
  // The caret goes before the first character whose middle lies at or right of x.
  Integer i = 1;
  for (; i <= length; ++i) {
    const Integer character = widths[static_cast<std::size_t>(i)] - widths[static_cast<std::size_t>(i - 1)];
    if (widths[static_cast<std::size_t>(i)] - FScrollOffset - character / 2 + origin >= x) break;
  }
  return i;
}

Integer TVisCustomEdit::PosFromChar(Integer Count) {
  TCanvas* canvas = DrawingCanvas();
  CharacterExtra spacing(canvas, GetFont3D()->GetTracing());
  Integer origin = 0, anchor = 0;
  TextOrigin(canvas, origin, anchor);
  const std::vector<Integer> widths = PrefixWidths(canvas, FDisplayText);
  return widths[static_cast<std::size_t>(std::clamp(Count, 0, Integer(FDisplayText.size())))] - FScrollOffset + origin;
}
