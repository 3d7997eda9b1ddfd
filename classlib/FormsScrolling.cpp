// TScrollingWinControl and its scroll bars: children placed beyond the client area are
// reached by scrolling, which moves them all.
#include <algorithm>

#include "classlib/Forms.h"

#include "classlib/Handles.h"

// --- TControlScrollBar -------------------------------------------------------------------------------

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind)
    : FControl(AControl), FKind(AKind) {}

void TControlScrollBar::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TControlScrollBar*>(Source)) {
    FIncrement = s->FIncrement;
    FMargin = s->FMargin;
    FTracking = s->FTracking;
    SetVisible(s->FVisible);
    SetRange(s->FRange);
    SetPosition(s->FPosition);
    return;
  }
  inherited::Assign(Source);
}

TPersistent* TControlScrollBar::GetOwner() const { return FControl; }

Integer TControlScrollBar::ControlSize(bool, bool) {
  const TRect r = FControl->GetClientRect();
  return FKind == sbVertical ? r.Height() : r.Width();
}

Integer TControlScrollBar::GetScrollMax() { return std::max(FRange - ControlSize(false, false), 0); }

bool TControlScrollBar::IsScrollBarVisible() { return FVisible && FRange > ControlSize(false, false); }

void TControlScrollBar::SetMargin(Integer Value) {
  FMargin = Value;
  if (FControl->GetAutoScroll()) FControl->CalcAutoRange();
}

void TControlScrollBar::SetRange(Integer Value) {
  FRange = std::max(Value, 0);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  FVisible = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, 0, GetScrollMax());
  if (Value == FPosition) return;
  const Integer delta = FPosition - Value;
  FPosition = Value;
  if (FKind == sbHorizontal)
    FControl->ScrollBy(delta, 0);
  else
    FControl->ScrollBy(0, delta);
  if (FControl->HandleAllocated())
    ::SetScrollPos(FControl->GetHandle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, FPosition, TRUE);
}

void TControlScrollBar::Update(bool, bool) {
  if (!FControl->HandleAllocated()) return;
  const int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
  if (IsScrollBarVisible()) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = FRange - 1;
    si.nPage = UINT(ControlSize(false, false));
    si.nPos = FPosition;
    ::SetScrollInfo(FControl->GetHandle(), bar, &si, TRUE);
    ::ShowScrollBar(FControl->GetHandle(), bar, TRUE);
  } else {
    SetPosition(0);
    ::ShowScrollBar(FControl->GetHandle(), bar, FALSE);
  }
}

void TControlScrollBar::ScrollMessage(TMessage& Message) {
  const TWMScroll m{Message};
  const Integer page = std::max(ControlSize(false, false) * 9 / 10, 1);
  auto trackPos = [&] {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(FControl->GetHandle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, &si);
    return Integer(si.nTrackPos);
  };
  switch (m.ScrollCode()) {
    case SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case SB_PAGEUP: SetPosition(FPosition - page); break;
    case SB_PAGEDOWN: SetPosition(FPosition + page); break;
    case SB_THUMBPOSITION: SetPosition(trackPos()); break;
    case SB_THUMBTRACK:
      if (FTracking) SetPosition(trackPos());
      break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(GetScrollMax()); break;
    default: break;
  }
}

// --- TScrollingWinControl --------------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {
  FHorzScrollBar = new TControlScrollBar(this, sbHorizontal);
  FVertScrollBar = new TControlScrollBar(this, sbVertical);
  FAutoScroll = true;
}

TScrollingWinControl::~TScrollingWinControl() {
  DestroyHandle();
  delete FHorzScrollBar;
  delete FVertScrollBar;
}

void TScrollingWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: WMSize(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(Message); break;
    default: inherited::Dispatch(Message);
  }
}

void TScrollingWinControl::CreateWnd() {
  inherited::CreateWnd();
  UpdateScrollBars();
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (Value == FAutoScroll) return;
  FAutoScroll = Value;
  if (Value)
    CalcAutoRange();
  else {
    FHorzScrollBar->FRange = 0;
    FVertScrollBar->FRange = 0;
    UpdateScrollBars();
  }
}

void TScrollingWinControl::EnableAutoRange() {
  if (FAutoRangeCount > 0 && --FAutoRangeCount == 0) CalcAutoRange();
}

// The ranges reach to the far edge of the farthest child that is not stuck to the far side.
void TScrollingWinControl::CalcAutoRange() {
  if (FAutoRangeCount > 0 || !FAutoScroll) return;
  Integer horz = 0, vert = 0;
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (!c->GetVisible()) continue;
    const TAlign align = c->GetAlign();
    const TAnchors anchors = c->GetAnchors();
    if ((align == alNone && !anchors.Contains(akRight)) || align == alLeft)
      horz = std::max(horz, c->GetLeft() + c->GetWidth() + FHorzScrollBar->FPosition);
    if ((align == alNone && !anchors.Contains(akBottom)) || align == alTop)
      vert = std::max(vert, c->GetTop() + c->GetHeight() + FVertScrollBar->FPosition);
  }
  FHorzScrollBar->FRange = horz > 0 ? horz + FHorzScrollBar->FMargin : 0;
  FVertScrollBar->FRange = vert > 0 ? vert + FVertScrollBar->FMargin : 0;
  UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingScrollBars || !HandleAllocated()) return;
  FUpdatingScrollBars = true;
  ScopeExit updated([this] { FUpdatingScrollBars = false; });
  // Showing one bar narrows the client area, which may make the other one necessary.
  FVertScrollBar->Update(false, true);
  FHorzScrollBar->Update(false, true);
  FVertScrollBar->Update(false, true);
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect) {
  Rect = Bounds(-FHorzScrollBar->FPosition, -FVertScrollBar->FPosition, std::max(FHorzScrollBar->FRange, Rect.Width()),
                std::max(FVertScrollBar->FRange, Rect.Height()));
  inherited::AdjustClientRect(Rect);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  CalcAutoRange();
  inherited::AlignControls(AControl, Rect);
}

void TScrollingWinControl::WMSize(TMessage& Message) {
  {
    ++FAutoRangeCount;
    ScopeExit counted([this] { --FAutoRangeCount; });
    inherited::Dispatch(Message);
  }
  CalcAutoRange();
  UpdateScrollBars();
}

void TScrollingWinControl::WMScroll(TMessage& Message) {
  if (Message.LParam != 0) {
    inherited::Dispatch(Message);  // from a scroll-bar control among the children
    return;
  }
  (Message.Msg == WM_HSCROLL ? FHorzScrollBar : FVertScrollBar)->ScrollMessage(Message);
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || !ContainsControl(AControl) || AControl == this) return;
  TRect r = AControl->GetBoundsRect();
  for (TWinControl* p = AControl->GetParent(); p && p != this; p = p->GetParent())
    r = {r.Left + p->GetLeft(), r.Top + p->GetTop(), r.Right + p->GetLeft(), r.Bottom + p->GetTop()};
  const TRect client = GetClientRect();
  if (r.Left < 0)
    FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + r.Left);
  else if (r.Right > client.Right && r.Width() <= client.Width())
    FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + r.Right - client.Right);
  if (r.Top < 0)
    FVertScrollBar->SetPosition(FVertScrollBar->FPosition + r.Top);
  else if (r.Bottom > client.Bottom && r.Height() <= client.Height())
    FVertScrollBar->SetPosition(FVertScrollBar->FPosition + r.Bottom - client.Bottom);
}

void TScrollingWinControl::AutoScrollInView(TControl* AControl) {
  if (FAutoScroll && AControl && AControl->GetAlign() == alNone) ScrollInView(AControl);
}

PUBLISHED(TControlScrollBar) {
  Prop("Increment", &TControlScrollBar::GetIncrement, &TControlScrollBar::SetIncrement).Default(8);
  Prop("Margin", &TControlScrollBar::GetMargin, &TControlScrollBar::SetMargin).Default(0);
  Prop("Range", &TControlScrollBar::GetRange, &TControlScrollBar::SetRange).Default(0);
  Prop("Position", &TControlScrollBar::GetPosition, &TControlScrollBar::SetPosition).Default(0);
  Prop("Tracking", &TControlScrollBar::GetTracking, &TControlScrollBar::SetTracking).Default(false);
  Prop("Visible", &TControlScrollBar::GetVisible, &TControlScrollBar::SetVisible).Default(true);
}
