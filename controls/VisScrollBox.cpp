// The scroll box: its frame, its scroll event and the windows of its children.
#include "controls/VisScrollBox.h"
#include "controls/VisObject.h"

#include <algorithm>

#include "classlib/ControlsPublished.h"
#include "classlib/Handles.h"
#include "controls/VisCustomControl.h"
#include "controls/visclass.h"
#include "controls/visuxtheme.h"

PUBLISHED(TVisScrollBox) {
  PELORIN_CONTROL_PROPS;
  PELORIN_FONT_PROPS;
  PELORIN_COLOR_PROPS(clBtnFace);
  PELORIN_WINCONTROL_PROPS;
  PELORIN_ALIGN_PROP;
  Prop("About", &TVisCustomScrollBox::About).Stored(false);
  Prop("AutoScroll", &TScrollingWinControl::GetAutoScroll, &TScrollingWinControl::SetAutoScroll).Default(true);
  Prop("Bevel", &TVisCustomScrollBox::GetBevel, &TVisCustomScrollBox::SetBevel);
  Prop("Ctl3D", &TWinControl::GetCtl3D, &TWinControl::SetCtl3D).Default(true);
  Prop("ParentCtl3D", &TWinControl::GetParentCtl3D, &TWinControl::SetParentCtl3D).Default(false);
  Prop("FullRepaint", &TVisCustomScrollBox::GetFullRepaint, &TVisCustomScrollBox::SetFullRepaint).Default(false);
  Prop("HorzScrollBar", &TScrollingWinControl::GetHorzScrollBar, &TScrollingWinControl::SetHorzScrollBar);
  Prop("VertScrollBar", &TScrollingWinControl::GetVertScrollBar, &TScrollingWinControl::SetVertScrollBar);
  Prop("SaveResources", &TVisCustomScrollBox::GetSaveResources, &TVisCustomScrollBox::SetSaveResources)
      .Default(false);
  Prop("OnScroll", &TVisCustomScrollBox::OnScroll);
}

TVisCustomScrollBox::TVisCustomScrollBox(TComponent* AOwner)
    : TScrollBox(AOwner), FBevel(new TVisScrollBoxBevel), FCanvas(new TControlCanvas) {
  ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csReplicatable};
  SetBorderStyle(bsNone);
  SetCtl3D(true);
  SetParentCtl3D(false);
  SetBounds(GetLeft(), GetTop(), 185, 41);
  FCanvas->SetControl(this);
  FBevel->OnChange = TNotifyEvent(this, &TVisCustomScrollBox::BevelChanged);
}

TVisCustomScrollBox::~TVisCustomScrollBox() {
  FBevel->OnChange = nullptr;
  delete FBevel;
  delete FCanvas;
}

void TVisCustomScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(Message); break;
    case WM_NCHITTEST:
      inherited::Dispatch(Message);
      if (GetComponentState().Contains(csDesigning) && (Message.Result == HTNOWHERE || Message.Result == HTSIZE))
        Message.Result = HTCLIENT;
      break;
    case WM_SIZE:
      inherited::Dispatch(Message);
      RedrawFrame();
      if (FFullRepaint) Invalidate();
      break;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
      inherited::Dispatch(Message);
      if (!Loading(this)) {
        Invalidate();
        if (BothScrollBars()) RedrawFrame();
      }
      break;
    case CM_CTL3DCHANGED:
      if (FBevel->GetMode() == bmWindows && HandleAllocated()) RecreateWnd();
      inherited::Dispatch(Message);
      break;
    case WM_THEMECHANGED:
      DefaultHandler(Message);
      GetChange();
      break;
    case WM_PAINT:
      inherited::Dispatch(Message);
      if (!FPainted) {
        FPainted = true;
        if (FSaveResources) SaveResourcesNow();
      }
      break;
    default: inherited::Dispatch(Message);
  }
}

void TVisCustomScrollBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
  Params.Style |= WS_CLIPCHILDREN;
  Params.Style &= ~WS_BORDER;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (FBevel->GetMode() == bmWindows) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TVisCustomScrollBox::BevelChanged(TObject* Sender) {
  if (Sender == FBevel) {
    FBevel->TakeRecreateWanted();
    if (HandleAllocated()) RecreateWnd();
    return;
  }
  RedrawFrame();
  Invalidate();
}

void TVisCustomScrollBox::GetChange() {
  if (HandleAllocated()) RecreateWnd();
  TMessage message;
  message.Msg = VM_CHANGED;
  Broadcast(message);
}

bool TVisCustomScrollBox::UsesThemedFrame() {
  return FBevel->GetMode() == bmWindows && VisApplication && VisApplication->GetUseXPThemes() && FThemed;
}

bool TVisCustomScrollBox::BothScrollBars() {
  if (!HandleAllocated()) return false;
  const LONG_PTR style = ::GetWindowLongPtrA(GetHandle(), GWL_STYLE);
  return (style & WS_HSCROLL) && (style & WS_VSCROLL);
}

void TVisCustomScrollBox::RedrawFrame() {
  if (HandleAllocated()) ::SendMessageA(GetHandle(), WM_NCPAINT, 1, 0);
}

void TVisCustomScrollBox::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  if (UsesThemedFrame() && GetCtl3D()) {
    // The styles' frame is one pixel wide, the system's client edge two.
    ::InflateRect(r, 1, 1);
    return;
  }
  // In bmWindows the system's frame already took the edge itself.
  const Integer system = FBevel->GetMode() == bmWindows ? 2 : 0;
  const Integer leading = std::max(FBevel->GetBevelExtent() - system, 0);
  const Integer trailing = std::max(FBevel->GetBevelExtentClient() - system, 0);
  r->left += leading;
  r->top += leading;
  r->right -= trailing;
  r->bottom -= trailing;
}

void TVisCustomScrollBox::WMNCPaint(TMessage& Message) {
  if (Loading(this) && !(HandleAllocated() && ::IsWindowVisible(GetHandle()))) return;
  inherited::Dispatch(Message);
  if (!HandleAllocated()) return;
  WholeWindowDC dc(GetHandle());
  FCanvas->SetHandle(dc);
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  const bool themed = UsesThemedFrame();
  HTHEME theme = themed && VisThemeLibrary.OpenThemeData ? VisThemeLibrary.OpenThemeData(GetHandle(), L"EDIT") : nullptr;
  if (theme) {
    int state = 1;
    if (Focused()) state = 5;
    if (!GetEnabled()) state = 4;
    ::ExcludeClipRect(dc, 1, 1, r.Right - 1, r.Bottom - 1);
    VisThemeLibrary.DrawThemeBackground(theme, dc, 1, state, AsRECT(r), nullptr);
    VisThemeLibrary.CloseThemeData(theme);
    ::SelectClipRgn(dc, nullptr);
    r = Rect(1, 1, r.Right - 1, r.Bottom - 1);
  } else {
    FBevel->Draw(FCanvas, r, false, GetParent() ? GetParent()->GetColor() : clBtnFace);
  }
  if (BothScrollBars()) {
    // The square between the two scroll bars.
    Integer inset = 0;
    if (FBevel->GetMode() == bmWindows) inset = GetCtl3D() && !theme ? 2 : 1;
    TRect corner;
    corner.Right = r.Right - inset;
    corner.Bottom = r.Bottom - inset;
    corner.Left = corner.Right - ::GetSystemMetrics(SM_CXVSCROLL);
    corner.Top = corner.Bottom - ::GetSystemMetrics(SM_CYHSCROLL);
    FCanvas->GetBrush()->SetStyle(bsSolid);
    FCanvas->GetBrush()->SetColor(GetColor());
    FCanvas->FillRect(corner);
  }
  FCanvas->SetHandle(nullptr);
}

void TVisCustomScrollBox::WMScroll(TMessage& Message) {
  TControlScrollBar* bar = Message.Msg == WM_HSCROLL ? GetHorzScrollBar() : GetVertScrollBar();
  const Integer before = bar->GetPosition();
  inherited::Dispatch(Message);
  if (FSaveResources) SaveResourcesNow();
  if (OnScroll && bar->GetPosition() != before) OnScroll(this);
}

void TVisCustomScrollBox::SetSaveResources(bool Value) {
  if (Value == FSaveResources) return;
  FSaveResources = Value;
  if (Value) SaveResourcesNow();
}

void TVisCustomScrollBox::SaveResourcesNow() {
  if (!HandleAllocated()) return;
  const Integer horz = GetHorzScrollBar()->GetPosition();
  const Integer vert = GetVertScrollBar()->GetPosition();
  const TRect client = GetClientRect();
  for (Integer i = 0; i < GetControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(GetControls(i));
    if (!child) continue;
    const TRect bounds = child->GetBoundsRect();
    const bool inView = bounds.Left < client.Right && bounds.Right > client.Left && bounds.Top < client.Bottom &&
                        bounds.Bottom > client.Top;
    if (inView) {
      if (!child->HandleAllocated()) {
        // A window made outside the parent's own creation starts hidden; made again, it shows.
        child->HandleNeeded();
        child->RecreateWnd();
      }
    } else if (child->HandleAllocated()) {
      child->DestroyHandle();
    }
  }
  if (GetHorzScrollBar()->GetPosition() != horz) GetHorzScrollBar()->SetPosition(horz);
  if (GetVertScrollBar()->GetPosition() != vert) GetVertScrollBar()->SetPosition(vert);
}

bool visscrollbox_detail::RegisterClasses() {
  if (!GetClass("TVisScrollBox")) RegisterClass(TVisScrollBox::StaticClass());
  return true;
}
