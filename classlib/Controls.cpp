// TControl: geometry, properties shown, the message map shared by every control and the mouse.
#include "classlib/Controls.h"

#include <algorithm>

#include "classlib/ActnList.h"
#include "classlib/Handles.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"

TAnchors AnchorAlign(TAlign Align) {
  switch (Align) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akRight, akTop, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return {akLeft, akTop};
  }
}

TMouse* Mouse = new TMouse;

namespace {

struct CursorName {
  TCursor Cursor;
  const char* Name;
};

constexpr CursorName kCursorNames[] = {
    {crDefault, "crDefault"},   {crArrow, "crArrow"},         {crCross, "crCross"},
    {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},   {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},       {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},         {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},       {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},   {crNo, "crNo"},               {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
    {crSize, "crSize"},         {crNone, "crNone"},
};

}  // namespace

bool CursorToIdent(Integer Cursor, AnsiString& Ident) {
  for (const CursorName& c : kCursorNames)
    if (c.Cursor == Cursor) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(const AnsiString& Ident, Integer& Cursor) {
  for (const CursorName& c : kCursorNames)
    if (SameText(Ident, c.Name)) {
      Cursor = c.Cursor;
      return true;
    }
  return false;
}

AnsiString CursorToString(TCursor Cursor) {
  AnsiString ident;
  return CursorToIdent(Cursor, ident) ? ident : IntToStr(Cursor);
}

TCursor StringToCursor(const AnsiString& S) {
  Integer cursor;
  if (IdentToCursor(S, cursor)) return TCursor(cursor);
  return TCursor(StrToInt(S));
}

const TTypeInfo* CursorTypeInfo() {
  static const TTypeInfo info = TTypeInfo::NamedInteger("TCursor", IdentToCursor, CursorToIdent, otSWord);
  return &info;
}

// What every control offers to forms; the classes of the controls publish the rest.
PUBLISHED(TControl) {
  Prop("Left", &TControl::GetLeft, &TControl::SetLeft);
  Prop("Top", &TControl::GetTop, &TControl::SetTop);
  Prop("Width", &TControl::GetWidth, &TControl::SetWidth);
  Prop("Height", &TControl::GetHeight, &TControl::SetHeight);
  Prop("Cursor", &TControl::GetCursor, &TControl::SetCursor).Type(CursorTypeInfo()).Default(crDefault);
  Prop("Hint", &TControl::GetHint, &TControl::SetHint);
  Prop("HelpType", &TControl::HelpType).Default(htContext);
  Prop("HelpKeyword", &TControl::HelpKeyword);
  Prop("HelpContext", &TControl::HelpContext).Default(0);
}

PUBLISHED(TSizeConstraints) {
  Prop("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  Prop("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  Prop("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  Prop("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

// --- Helpers ----------------------------------------------------------------------------------------

TShiftState KeysToShiftState(Word Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s << ssShift;
  if (Keys & MK_CONTROL) s << ssCtrl;
  if (Keys & MK_LBUTTON) s << ssLeft;
  if (Keys & MK_RBUTTON) s << ssRight;
  if (Keys & MK_MBUTTON) s << ssMiddle;
  if (::GetKeyState(VK_MENU) < 0) s << ssAlt;
  return s;
}

TShiftState KeyDataToShiftState(Integer KeyData) {
  TShiftState s;
  if (::GetKeyState(VK_SHIFT) < 0) s << ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
  if (KeyData & 0x20000000) s << ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (::GetKeyState(VK_SHIFT) < 0) s << ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s << ssAlt;
  if (::GetKeyState(VK_LBUTTON) < 0) s << ssLeft;
  if (::GetKeyState(VK_RBUTTON) < 0) s << ssRight;
  if (::GetKeyState(VK_MBUTTON) < 0) s << ssMiddle;
  return s;
}

AnsiString GetShortHint(const AnsiString& Hint) {
  const auto bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint) {
  const auto bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

TPoint TMouse::GetCursorPos() const {
  TPoint p;
  ::GetCursorPos(AsPOINT(p));
  return p;
}

void TMouse::SetCursorPos(const TPoint& Value) { ::SetCursorPos(Value.X, Value.Y); }

void TMouse::SetCapture(HWND Value) {
  if (Value)
    ::SetCapture(Value);
  else
    ::ReleaseCapture();
}

Integer TMouse::GetWheelScrollLines() const {
  UINT lines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return Integer(lines);
}

// --- TSizeConstraints --------------------------------------------------------------------------

TSizeConstraints::TSizeConstraints(TControl* Control) : FControl(Control) {}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinHeight = s->FMinHeight;
    FMaxHeight = s->FMaxHeight;
    FMinWidth = s->FMinWidth;
    FMaxWidth = s->FMaxWidth;
    Change();
    return;
  }
  inherited::Assign(Source);
}

TPersistent* TSizeConstraints::GetOwner() const { return FControl; }

void TSizeConstraints::Change() {
  if (OnChange) OnChange(this);
}

// A maximum below the minimum raises the minimum's partner with it, so that the pair stays valid.
void TSizeConstraints::SetMaxHeight(Integer Value) {
  if (Value == FMaxHeight) return;
  FMaxHeight = std::max(Value, 0);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMinHeight = FMaxHeight;
  Change();
}

void TSizeConstraints::SetMaxWidth(Integer Value) {
  if (Value == FMaxWidth) return;
  FMaxWidth = std::max(Value, 0);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMinWidth = FMaxWidth;
  Change();
}

void TSizeConstraints::SetMinHeight(Integer Value) {
  if (Value == FMinHeight) return;
  FMinHeight = std::max(Value, 0);
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMaxHeight = FMinHeight;
  Change();
}

void TSizeConstraints::SetMinWidth(Integer Value) {
  if (Value == FMinWidth) return;
  FMinWidth = std::max(Value, 0);
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMaxWidth = FMinWidth;
  Change();
}

// --- TControl ----------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont = new TFont;
  FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
  FConstraints = new TSizeConstraints(this);
  FConstraints->OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
}

TControl::~TControl() {
  Application->ControlDestroyed(this);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (DragControl() == this) CancelDrag();
  SetAction(nullptr);
  if (FParent) FParent->RemoveControl(this);
  delete FConstraints;
  delete FFont;
}

void TControl::WndProc(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->WantChildKey(this, Message)) return;
  } else if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    if (!ControlStyle.Contains(csDoubleClicks)) {
      switch (msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: Message.Msg = msg - (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN); break;
        default: break;
      }
    }
    switch (Message.Msg) {
      case WM_MOUSEMOVE: Application->HintMouseMessage(this, Message); break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (FDragMode == dmAutomatic) {
          BeginDrag(Mouse->GetDragImmediate(), Mouse->GetDragThreshold());
          return;
        }
        ControlState << csLButtonDown;
        break;
      case WM_LBUTTONUP: ControlState >> csLButtonDown; break;
      default: break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); break;
    case CM_HINTSHOW: CMHintShow(Message); break;
    case CM_DRAG: CMDrag(Message); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); break;
    default: DefaultHandler(Message);
  }
}

// A windowless control keeps its caption itself.
void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<char*>(Message.LParam);
      const auto max = static_cast<std::size_t>(Message.WParam);
      if (!buffer || max == 0) {
        Message.Result = 0;
        break;
      }
      const std::size_t n = std::min(FText.size(), max - 1);
      std::memcpy(buffer, FText.data(), n);
      buffer[n] = '\0';
      Message.Result = LRESULT(n);
      break;
    }
    case WM_GETTEXTLENGTH: Message.Result = LRESULT(FText.size()); break;
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(Message.LParam);
      FText = text ? text : "";
      Message.Result = TRUE;
      break;
    }
    default: break;
  }
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

// --- Geometry

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight) {
  bool result = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, result);
  return result;
}

bool TControl::CanAutoSize(Integer&, Integer&) { return true; }

void TControl::ConstrainedResize(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth, Integer& MaxHeight) {
  if (OnConstrainedResize) OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

void TControl::DoConstrainedResize(Integer& NewWidth, Integer& NewHeight) {
  Integer minW = FConstraints->GetMinWidth(), minH = FConstraints->GetMinHeight();
  Integer maxW = FConstraints->GetMaxWidth(), maxH = FConstraints->GetMaxHeight();
  ConstrainedResize(minW, minH, maxW, maxH);
  if (maxW > 0 && NewWidth > maxW) NewWidth = maxW;
  if (minW > 0 && NewWidth < minW) NewWidth = minW;
  if (maxH > 0 && NewHeight > maxH) NewHeight = maxH;
  if (minH > 0 && NewHeight < minH) NewHeight = minH;
}

bool TControl::CheckNewSize(Integer& NewWidth, Integer& NewHeight) {
  Integer w = NewWidth, h = NewHeight;
  if (!CanResize(w, h)) return false;
  DoConstrainedResize(w, h);
  if (FAutoSize && !CanAutoSize(w, h)) return false;
  NewWidth = w;
  NewHeight = h;
  return true;
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  // The place the control leaves shows its parent again: erased even under an opaque control,
  // which paints only where it is now.
  if (FVisible && FParent && FParent->HandleAllocated()) {
    const TRect old = GetBoundsRect();
    ::InvalidateRect(FParent->GetHandle(), AsRECT(old), TRUE);
  }
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!GetComponentState().Contains(csLoading)) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R) {
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
  UpdateAnchorRules();
}

TRect TControl::GetClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(Integer Value) { SetWidth(FWidth - GetClientWidth() + Value); }

void TControl::SetClientHeight(Integer Value) { SetHeight(FHeight - GetClientHeight() + Value); }

TPoint TControl::GetClientOrigin() {
  if (!FParent) throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
  TPoint p = FParent->GetClientOrigin();
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
  const TPoint origin = GetClientOrigin();
  return {Point.X + origin.X, Point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
  const TPoint origin = GetClientOrigin();
  return {Point.X - origin.X, Point.Y - origin.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  const TAlign old = FAlign;
  FAlign = Value;
  FAnchors = AnchorAlign(Value);
  // A control turned on its side (top to left) swaps its width and height, so that a bar
  // keeps its thickness.
  if (!GetComponentState().Contains(csLoading) && (old == alTop || old == alBottom) == (Value == alLeft || Value == alRight) &&
      old != alNone && old != alClient && old != alCustom && Value != alNone && Value != alClient &&
      Value != alCustom)
    SetBounds(FLeft, FTop, FHeight, FWidth);
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (Value == FAnchors) return;
  FAnchors = Value;
  if (!GetComponentState().Contains(csLoading)) UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (FAnchorMove || GetComponentState().Contains(csLoading)) return;
  if (FAnchors == TAnchors{akLeft, akTop}) {
    FOriginalParentSize = {0, 0};
    return;
  }
  if (FAnchors.Contains(akRight))
    FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
  else
    FAnchorRules.X = FLeft + FWidth / 2;
  if (FAnchors.Contains(akBottom))
    FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
  else
    FAnchorRules.Y = FTop + FHeight / 2;
  if (FParent) {
    // Measured the same way AlignControls measures the parent later, so that the distances
    // to the edges survive whether or not the parent had its window yet.
    const TRect r = FParent->GetClientRect();
    FOriginalParentSize = {r.Width(), r.Height()};
  }
}

void TControl::ConstraintsChanged(TObject*) {
  Integer w = FWidth, h = FHeight;
  DoConstrainedResize(w, h);
  if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
}

void TControl::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

void TControl::AdjustSize() {
  if (!GetComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// --- Parent and z-order

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::SetZOrder(bool TopMost) {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  InvalidateControl(FVisible, true);
}

void TControl::BringToFront() { SetZOrder(true); }

void TControl::SendToBack() { SetZOrder(false); }

// --- Visible, enabled, colour, font, text

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, WPARAM(Value), 0);
  RequestAlign();
}

void TControl::Show() {
  if (FParent) FParent->ShowControl(this);
  SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

bool TControl::IsVisibleOnScreen() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor && !FParentColor) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  if (FParent && Value && !GetComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  if (FParent && Value && !GetComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

Integer TControl::GetTextLen() { return Integer(Perform(WM_GETTEXTLENGTH, 0, 0)); }

Integer TControl::GetTextBuf(char* Buffer, Integer BufSize) {
  return Integer(Perform(WM_GETTEXT, WPARAM(BufSize), reinterpret_cast<LPARAM>(Buffer)));
}

void TControl::SetTextBuf(const char* Buffer) {
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Buffer));
  Perform(CM_TEXTCHANGED, 0, 0);
}

AnsiString TControl::GetText() {
  const Integer len = GetTextLen();
  if (len <= 0) return AnsiString();
  AnsiString result(static_cast<std::size_t>(len) + 1, '\0');
  const Integer got = GetTextBuf(result.data(), len + 1);
  result.resize(static_cast<std::size_t>(std::clamp(got, 0, len)));
  return result;
}

void TControl::SetText(const AnsiString& Value) {
  if (GetText() != Value) SetTextBuf(Value.c_str());
}

void TControl::ChangeName(const AnsiString& NewName) {
  const bool followName = ControlStyle.Contains(csSetCaption) && GetName() == GetText() &&
                          GetComponentState().Contains(csDesigning) && !GetComponentState().Contains(csLoading);
  inherited::ChangeName(NewName);
  if (followName) SetText(NewName);
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (Value == FShowHint && !FParentShowHint) return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == FParentShowHint) return;
  FParentShowHint = Value;
  if (FParent && Value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value == FPopupMenu) return;
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (Value == FBiDiMode && !FParentBiDiMode) return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (Value == FParentBiDiMode) return;
  FParentBiDiMode = Value;
  if (FParent && Value) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

Integer TControl::DrawTextBiDiModeFlags(Integer Flags) const {
  Integer result = Flags;
  if (UseRightToLeftAlignment()) {
    if ((Flags & DT_RIGHT) == DT_RIGHT)
      result &= ~DT_RIGHT;
    else if ((Flags & DT_CENTER) == 0)
      result |= DT_RIGHT;
  }
  return result | DrawTextBiDiModeFlagsReadingOnly();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (AComponent == FAction) FAction = nullptr;
}

void TControl::Loaded() {
  inherited::Loaded();
  if (FParent) {
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  UpdateAnchorRules();
  RequestAlign();
}

// --- Painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  const TRect r = GetBoundsRect();
  ::InvalidateRect(FParent->GetHandle(), AsRECT(r), !(IsOpaque || ControlStyle.Contains(csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(FVisible, ControlStyle.Contains(csOpaque)); }

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  if (ControlStyle.Contains(csOpaque)) {
    WindowDC dc(FParent->GetHandle());
    ::IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc, this);
  } else {
    Invalidate();
    Update();
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

HDC TControl::GetDeviceContext(HWND& WindowHandle) {
  if (!FParent) throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
  HDC dc = FParent->GetDeviceContext(WindowHandle);
  ::SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  ::IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

// --- Mouse

void TControl::SetMouseCapture(bool Value) {
  if (GetMouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
  // The action runs unless OnClick was bound to something else than the action's handler.
  if (FAction && (!OnClick || OnClick == FAction->OnExecute)) {
    FAction->Execute();
    return;
  }
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (ControlStyle.Contains(csNoStdEvents)) return;
  const TWMMouse m{Message};
  MouseDown(Button, KeysToShiftState(m.Keys()) + Shift, m.XPos(), m.YPos());
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  if (ControlStyle.Contains(csNoStdEvents)) return;
  const TWMMouse m{Message};
  MouseUp(Button, KeysToShiftState(m.Keys()), m.XPos(), m.YPos());
}

void TControl::SendCancelMode() {
  for (TControl* c = this; c; c = c->FParent)
    if (auto* form = dynamic_cast<TCustomForm*>(c)) form->SendCancelMode(this);
}

void TControl::WMLButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (ControlStyle.Contains(csClickEvents)) ControlState << csClicked;
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMRButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {});
}

void TControl::WMMButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode();
  DefaultHandler(Message);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (ControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (ControlStyle.Contains(csNoStdEvents)) return;
  const TWMMouse m{Message};
  MouseMove(KeysToShiftState(m.Keys()), m.XPos(), m.YPos());
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (ControlState.Contains(csClicked)) {
    ControlState >> csClicked;
    const TPoint p = TWMMouse{Message}.Pos();
    const TRect r = GetClientRect();
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbMiddle);
}

// The wheel goes to the control with the focus first (CM_MOUSEWHEEL), then up its parents,
// until one handles it. Left alone, it goes to a native control's own procedure (a list box
// scrolls); the default window procedure would only hand it to the parents again.
void TControl::WMMouseWheel(TMessage& Message) {
  Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  if (Message.Result != 0) return;
  auto* window = dynamic_cast<TWinControl*>(this);
  if (!window || window->FDefWndProc != &::DefWindowProcA) DefaultHandler(Message);
}

void TControl::CMMouseWheel(TMessage& Message) {
  const TWMMouseWheel m{Message};
  TShiftState shift = KeysToShiftState(m.Keys());
  if (!DoMouseWheel(shift, m.WheelDelta(), m.Pos())) {
    if (FParent) Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  } else {
    Message.Result = 1;
  }
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    if (WheelDelta < 0)
      handled = DoMouseWheelDown(Shift, MousePos);
    else if (WheelDelta > 0)
      handled = DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::WMCancelMode(TMessage&) {
  if (GetMouseCapture()) {
    SetMouseCapture(false);
    if (ControlState.Contains(csLButtonDown)) {
      ControlState >> csLButtonDown;
      ControlState >> csClicked;
      TMessage up{WM_LBUTTONUP, 0, LPARAM(-1), 0};
      DoMouseUp(up, mbLeft);
    }
  }
}

void TControl::WMWindowPosChanged(TMessage& Message) { DefaultHandler(Message); }

void TControl::DoContextPopup(const TPoint& MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

// The popup menu opens at the mouse, or at the control's corner when asked for from the
// keyboard (position -1, -1).
void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint pt = TWMContextMenu{Message}.Pos();
  const bool fromKeyboard = pt.X == -1 && pt.Y == -1;
  TPoint local = pt;
  if (!fromKeyboard) {
    local = ScreenToClient(pt);
    const TRect r = GetClientRect();
    if (local.X < r.Left || local.X >= r.Right || local.Y < r.Top || local.Y >= r.Bottom) {
      DefaultHandler(Message);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  Message.Result = handled ? 1 : 0;
  if (handled) return;
  TPopupMenu* menu = GetPopupMenu();
  if (menu && menu->AutoPopup) {
    SendCancelMode();
    menu->PopupComponent = this;
    if (fromKeyboard) pt = ClientToScreen(Point(0, 0));
    menu->Popup(pt.X, pt.Y);
    Message.Result = 1;
  }
  if (Message.Result == 0) DefaultHandler(Message);
}

// --- Property-change notifications

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && ControlStyle.Contains(csOpaque)); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

// WParam non-zero: the new font or colour is in LParam; otherwise take the parent's.
void TControl::CMParentFontChanged(TMessage& Message) {
  if (!FParentFont) return;
  if (Message.WParam != 0)
    SetFont(reinterpret_cast<TFont*>(Message.LParam));
  else if (FParent)
    SetFont(FParent->GetFont());
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!FParentColor) return;
  if (Message.WParam != 0)
    SetColor(TColor(Message.LParam));
  else if (FParent)
    SetColor(FParent->GetColor());
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  SetShowHint(FParent->GetShowHint());
  FParentShowHint = true;
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
  if (!FParentBiDiMode || !FParent) return;
  SetBiDiMode(FParent->GetBiDiMode());
  FParentBiDiMode = true;
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

// An action client's hint comes from the action.
void TControl::CMHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  if (FAction && info) {
    if (auto* action = dynamic_cast<TCustomAction*>(FAction)) {
      AnsiString hint = action->GetHint();
      bool canShow = true;
      if (!action->DoHint(hint, canShow) || !canShow) Message.Result = 1;
      else info->HintStr = GetShortHint(hint);
    }
  }
}

void TControl::CMSysColorChange(TMessage&) { Invalidate(); }

// --- Actions

void TControl::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(TNotifyEvent(this, &TControl::ActionChanged));
  FAction = Value;
  if (Value) {
    Value->RegisterChanges(TNotifyEvent(this, &TControl::ActionChanged));
    Value->FreeNotification(this);
    ActionChange(Value, GetComponentState().Contains(csLoading));
  }
}

void TControl::ActionChanged(TObject* Sender) { ActionChange(static_cast<TBasicAction*>(Sender), false); }

// Takes the caption, enabled state, hint, help context, visibility and click handler of a
// TCustomAction. With CheckDefaults a property is taken only while it still has its default.
void TControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || GetText().empty() || GetText() == GetName()) SetText(action->GetCaption());
  if (!CheckDefaults || FEnabled) SetEnabled(action->GetEnabled());
  if (!CheckDefaults || FHint.empty()) SetHint(action->GetHint());
  if (!CheckDefaults || HelpContext == 0) HelpContext = action->GetHelpContext();
  if (!CheckDefaults || FVisible) SetVisible(action->GetVisible());
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}

bool TControl::ExecuteAction(TBasicAction* Action) {
  if (Action->HandlesTarget(this)) {
    Action->ExecuteTarget(this);
    return true;
  }
  return false;
}

bool TControl::UpdateAction(TBasicAction* Action) {
  if (Action->HandlesTarget(this)) {
    Action->UpdateTarget(this);
    return true;
  }
  return false;
}
