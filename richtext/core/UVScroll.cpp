#include "richtext/core/UVScroll.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "richtext/core/CUVFData.h"

decltype(&::ShowScrollBar) UVShowScrollBar = &::ShowScrollBar;
decltype(&::GetScrollInfo) UVGetScrollInfo = &::GetScrollInfo;
decltype(&::GetScrollPos) UVGetScrollPos = &::GetScrollPos;
decltype(&::SetScrollPos) UVSetScrollPos = &::SetScrollPos;
decltype(&::SetScrollInfo) UVSetScrollInfo = &::SetScrollInfo;
decltype(&::EnableScrollBar) UVEnableScrollBar = &::EnableScrollBar;

namespace {

// Window-system coordinates beyond these make controls misbehave; controls scrolled further
// away are shown at the limit.
constexpr Integer kChildLimit = 10000;

// A bar given a page larger than its range (0..1, page 2) is hidden. A bar that shows that state
// already is left alone, so that formatting again does not redraw it.
void HideBar(HWND Window, Integer Bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  UVGetScrollInfo(Window, Bar, &si);
  if (si.nMin == 0 && si.nMax == 1 && si.nPage == 2 && si.nPos == 0) return;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 1;
  si.nPage = 2;
  si.nPos = 0;
  UVSetScrollInfo(Window, Bar, &si, TRUE);
}

// Whether the screen shows colours through a palette.
bool PaletteDisplay() {
  HDC screen = ::GetDC(nullptr);
  UniqueMemoryDC dc(::CreateCompatibleDC(screen));
  ::ReleaseDC(nullptr, screen);
  return dc && (::GetDeviceCaps(dc.get(), RASTERCAPS) & RC_PALETTE) != 0;
}

}  // namespace

TUVScroller::TUVScroller(TComponent* AOwner) : TCustomControl(AOwner) {
  SetTabStop(true);
  SetBorderWidth(0);
}

TUVScroller::~TUVScroller() {
  // The window goes after this class is gone (its DestroyWnd no longer runs): the theme is
  // closed here.
  FreeThemeHandle();
  FreePalette();
}

// ---------------------------------------------------------------------------------------------
// The window

void TUVScroller::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    // Windows since 95 draw the sunken client edge that 3-D controls show.
    if (GetCtl3D()) {
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
      Params.Style |= WS_BORDER;
    }
  }
  if (FBiDiMode == uvbdRightToLeft) Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
  Params.Style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
  FDisableNoScroll = false;
}

void TUVScroller::CreateWnd() {
  inherited::CreateWnd();
  FVSmallStep = 10;
  CreateThemeHandle();
  InitScrollState();
}

void TUVScroller::InitScrollState() {
  FHPos = 0;
  FVPos = 0;
  UpdateScrollBars(FXSize, FYSize, true, true);
}

void TUVScroller::DestroyWnd() {
  FreeThemeHandle();
  inherited::DestroyWnd();
}

void TUVScroller::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TUVScroller::SetUVBiDiMode(TUVBiDiMode Value) {
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  RecreateWnd();
}

void TUVScroller::CMCtl3DChanged(TMessage& Message) {
  if (FBorderStyle == bsSingle) RecreateWnd();
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Scroll bars and positions

void TUVScroller::UpdateScrollBars(Integer XS, Integer YS, bool VRedraw, bool UpdateH) {
  if (FUpdatingScrollBars || !HandleAllocated()) return;
  FUpdatingScrollBars = true;
  try {
    HWND window = GetHandle();
    TRect client = GetClientRect();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (UpdateH) {
      FXSize = XS;
      FHScrollPage = client.Right;
      FHScrollMax = XS - 1;
      if (FHScrollVisible) {
        FHPos = std::max(std::min(FHPos, FHScrollMax - (client.Right - 1)), 0);
        si.nMin = 0;
        si.nMax = FHScrollMax;
        si.nPage = static_cast<UINT>(std::max(client.Right, 0));
        si.nPos = FHPos;
        UVSetScrollInfo(window, SB_HORZ, &si, TRUE);
      } else {
        HideBar(window, SB_HORZ);
      }
    }
    // The horizontal bar may have come or gone.
    client = GetClientRect();
    FYSize = YS;
    FVScrollPage = client.Bottom / FVSmallStep;
    FVScrollMax = YS - 1;
    FVPos = std::max(std::min(FVPos, FVScrollMax - (FVScrollPage - 1)), 0);
    if (FVScrollVisible) {
      si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
      if (VRedraw && FDisableNoScroll) si.fMask |= SIF_DISABLENOSCROLL;
      si.nMin = 0;
      si.nMax = FVScrollMax;
      si.nPage = static_cast<UINT>(std::max(FVScrollPage, 0));
      si.nPos = FVPos;
      UVSetScrollInfo(window, SB_VERT, &si, VRedraw);
    } else {
      HideBar(window, SB_VERT);
    }
  } catch (...) {
    FUpdatingScrollBars = false;
    throw;
  }
  FUpdatingScrollBars = false;
}

void TUVScroller::SetVSmallStep(Integer Value) { FVSmallStep = Value; }

void TUVScroller::ScrollTo(Integer Y) { ScrollToPosition(Y / FVSmallStep, true); }

void TUVScroller::ScrollToNoRedraw(Integer Y) { ScrollToPosition(Y / FVSmallStep, false); }

Integer TUVScroller::LimitPosition(Integer Bar, Integer Position) {
  bool vertical = Bar == SB_VERT;
  if (!(vertical ? FVScrollVisible : FHScrollVisible)) {
    Integer max = vertical ? FVScrollMax : FHScrollMax;
    Integer page = vertical ? FVScrollPage : FHScrollPage;
    return std::max(std::min(Position, max - (page - 1)), 0);
  }
  // The scroll bar knows its limits: it is given the position and asked for it back.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = Position;
  UVSetScrollInfo(GetHandle(), Bar, &si, TRUE);
  si.fMask = SIF_POS;
  UVGetScrollInfo(GetHandle(), Bar, &si);
  return si.nPos;
}

void TUVScroller::MoveContents(Integer DX, Integer DY, bool Redraw) {
  if (!Redraw) {
    ScrollChildren(DX, DY);
    return;
  }
  if (!FFullRedraw) {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    ::ScrollWindowEx(GetHandle(), DX, DY, nullptr, &client, nullptr, nullptr, SW_INVALIDATE);
    ScrollChildren(DX, DY);
  } else {
    ScrollChildren(DX, DY);
    Invalidate();
  }
  Update();
}

void TUVScroller::ScrollToPosition(Integer Position, bool Redraw) {
  if (!HandleAllocated()) return;
  Integer old = FVPos;
  FVPos = LimitPosition(SB_VERT, Position);
  if (old == FVPos) return;
  MoveContents(0, (old - FVPos) * FVSmallStep, Redraw);
  DoVScroll();
}

void TUVScroller::ScrollToHPosition(Integer X) {
  if (!HandleAllocated()) return;
  Integer old = FHPos;
  FHPos = LimitPosition(SB_HORZ, X);
  if (old == FHPos) return;
  MoveContents(old - FHPos, 0, true);
  DoHScroll();
}

void TUVScroller::ScrollChildren(Integer DX, Integer DY) {
  if (DX == 0 && DY == 0) return;
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    Integer top = child->GetTop();
    if (DY != 0) {
      child->Tag += DY;
      top = std::clamp(child->Tag, -kChildLimit, kChildLimit);
    }
    child->SetBounds(child->GetLeft() + DX, top, child->GetWidth(), child->GetHeight());
  }
}

void TUVScroller::DoVScroll() {
  if (OnVScrolled) OnVScrolled(this);
}

void TUVScroller::DoHScroll() {
  if (OnHScrolled) OnHScrolled(this);
}

Integer TUVScroller::TrackPosition(Integer Bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  UVGetScrollInfo(GetHandle(), Bar, &si);
  return si.nTrackPos;
}

void TUVScroller::WMVScroll(TMessage& Message) {
  // A scroll-bar control placed on this one reports through its own CN_VSCROLL.
  if (Message.LParam) {
    inherited::Dispatch(Message);
    return;
  }
  Integer page = GetClientRect().Bottom / FVSmallStep;
  switch (TWMScroll{Message}.ScrollCode()) {
    case SB_LINEUP: ScrollToPosition(FVPos - 1, true); break;
    case SB_LINEDOWN: ScrollToPosition(FVPos + 1, true); break;
    case SB_PAGEUP: ScrollToPosition(FVPos - page, true); break;
    case SB_PAGEDOWN: ScrollToPosition(FVPos + page, true); break;
    case SB_THUMBPOSITION: ScrollToPosition(TrackPosition(SB_VERT), true); break;
    case SB_THUMBTRACK:
      if (FTracking) ScrollToPosition(TrackPosition(SB_VERT), true);
      break;
    case SB_TOP: ScrollToPosition(0, true); break;
    case SB_BOTTOM: ScrollToPosition(FYSize, true); break;
    default: break;
  }
  Message.Result = 0;
}

void TUVScroller::WMHScroll(TMessage& Message) {
  if (Message.LParam) {
    inherited::Dispatch(Message);
    return;
  }
  Integer page = GetClientRect().Right;
  switch (TWMScroll{Message}.ScrollCode()) {
    case SB_LINELEFT: ScrollToHPosition(FHPos - FVSmallStep); break;
    case SB_LINERIGHT: ScrollToHPosition(FHPos + FVSmallStep); break;
    case SB_PAGELEFT: ScrollToHPosition(FHPos - page); break;
    case SB_PAGERIGHT: ScrollToHPosition(FHPos + page); break;
    case SB_THUMBPOSITION: ScrollToHPosition(TrackPosition(SB_HORZ)); break;
    case SB_THUMBTRACK:
      if (FTracking) ScrollToHPosition(TrackPosition(SB_HORZ));
      break;
    case SB_LEFT: ScrollToHPosition(0); break;
    case SB_RIGHT: ScrollToHPosition(FXSize); break;
    default: break;
  }
  Message.Result = 0;
}

void TUVScroller::SetVScrollVisible(bool Value) {
  if (Value == FVScrollVisible) return;
  FVScrollVisible = Value;
  UpdateScrollBars(FXSize, FYSize, true, true);
}

void TUVScroller::SetHScrollVisible(bool Value) {
  if (Value == FHScrollVisible) return;
  FHScrollVisible = Value;
  UpdateScrollBars(FXSize, FYSize, true, true);
}

// ---------------------------------------------------------------------------------------------
// Keys and the wheel

void TUVScroller::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (!FKeyboardScroll) return;
  switch (Key) {
    case VK_PRIOR: Perform(WM_VSCROLL, SB_PAGEUP, 0); break;
    case VK_NEXT: Perform(WM_VSCROLL, SB_PAGEDOWN, 0); break;
    case VK_END: Perform(WM_VSCROLL, SB_BOTTOM, 0); break;
    case VK_HOME: Perform(WM_VSCROLL, SB_TOP, 0); break;
    case VK_UP: Perform(WM_VSCROLL, SB_LINEUP, 0); break;
    case VK_DOWN: Perform(WM_VSCROLL, SB_LINEDOWN, 0); break;
    case VK_LEFT: Perform(WM_HSCROLL, SB_LINELEFT, 0); break;
    case VK_RIGHT: Perform(WM_HSCROLL, SB_LINERIGHT, 0); break;
    default: break;
  }
}

void TUVScroller::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

bool TUVScroller::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (inherited::DoMouseWheelDown(Shift, MousePos)) return true;
  ScrollToPosition(FVPos + FWheelStep, true);
  return FWheelStep != 0;
}

bool TUVScroller::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (inherited::DoMouseWheelUp(Shift, MousePos)) return true;
  ScrollToPosition(FVPos - FWheelStep, true);
  return FWheelStep != 0;
}

// ---------------------------------------------------------------------------------------------
// Focus and nested editors

bool TUVScroller::IsDestroyingDeep() const {
  for (const TWinControl* c = this; c; c = c->GetParent())
    if (dynamic_cast<const TUVScroller*>(c) && c->GetComponentState().Contains(csDestroying)) return true;
  return false;
}

void TUVScroller::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsDestroyingDeep()) return;
  if (FInplaceEditor && FInplaceEditor->CanFocus()) FInplaceEditor->SetFocus();
}

bool TUVScroller::IsFocusedDeep() {
  if (HandleAllocated() && ::GetFocus() == FHandle) return true;
  TWinControl* editor = FInplaceEditor;
  while (editor) {
    if (editor->HandleAllocated() && ::GetFocus() == editor->GetHandle()) return true;
    auto* scroller = dynamic_cast<TUVScroller*>(editor);
    editor = scroller ? scroller->FInplaceEditor : nullptr;
  }
  return false;
}

void TUVScroller::SetActiveControlIfCanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form && CanFocus()) form->SetActiveControl(this);
}

void TUVScroller::CloseInplaceEditor() {
  if (FInplaceEditor && FChosenItem) FChosenItem->CleanUpChosen();
}

void TUVScroller::SetChosen(TCustomUVFormattedData* Data, TCustomUVItemInfo* Item) {
  if (Data != FChosenData) {
    CloseInplaceEditor();
    if (FChosenData) UnChoose(FChosenData);
  }
  FChosenData = Data;
  FChosenItem = Item;
}

void TUVScroller::UnChoose(TCustomUVFormattedData* Data) {
  if (!Data || GetComponentState().Contains(csDestroying)) return;
  if (Data != FChosenData && Data->GetRootData() != FChosenData) return;
  TCustomUVFormattedData* chosen = FChosenData;
  TCustomUVItemInfo* item = FChosenItem;
  FChosenData = nullptr;
  FChosenItem = nullptr;
  if (!chosen || (chosen->State & uvstUnchoosing)) return;
  chosen->State |= uvstUnchoosing;
  try {
    if (auto* root = dynamic_cast<TCustomUVFormattedData*>(chosen->GetRootData()))
      root->Deselect(nullptr, false);
    if (item) item->CleanUpChosen();
  } catch (...) {
    chosen->State &= ~static_cast<Cardinal>(uvstUnchoosing);
    throw;
  }
  chosen->State &= ~static_cast<Cardinal>(uvstUnchoosing);
}

// ---------------------------------------------------------------------------------------------
// Palette

void TUVScroller::UpdatePaletteInfo() {
  bool wanted = !GetComponentState().Contains(csDesigning) && FDoInPaletteMode != uvpaDoNothing && PaletteDisplay();
  if (!wanted) {
    FreePalette();
    return;
  }
  if (FPalette) return;
  // Six levels of each of blue, green and red, red varying fastest.
  std::size_t size = sizeof(LOGPALETTE) + 215 * sizeof(PALETTEENTRY);
  FLogPalette = static_cast<LOGPALETTE*>(std::calloc(1, size));
  FLogPalette->palVersion = 0x300;
  FLogPalette->palNumEntries = 216;
  Integer n = 0;
  for (Integer b = 0; b < 6; ++b)
    for (Integer g = 0; g < 6; ++g)
      for (Integer r = 0; r < 6; ++r, ++n) {
        PALETTEENTRY& e = FLogPalette->palPalEntry[n];
        e.peRed = static_cast<BYTE>(r * 51);
        e.peGreen = static_cast<BYTE>(g * 51);
        e.peBlue = static_cast<BYTE>(b * 51);
        e.peFlags = 0;
      }
  FPalette = ::CreatePalette(FLogPalette);
}

void TUVScroller::FreePalette() {
  if (FPalette) ::DeleteObject(FPalette);
  FPalette = nullptr;
  std::free(FLogPalette);
  FLogPalette = nullptr;
}

void TUVScroller::SetDoInPaletteMode(TUVPaletteAction Value) {
  if (Value == FDoInPaletteMode) return;
  FDoInPaletteMode = Value;
  UpdatePaletteInfo();
}

void TUVScroller::WMPaletteMessage(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Themes and the frame

void TUVScroller::CreateThemeHandle() {
  FTheme = nullptr;
  if (FUseXPThemes && UV_IsThemeActive && UV_IsAppThemed && UV_OpenThemeData && HandleAllocated() &&
      UV_IsThemeActive() && UV_IsAppThemed())
    FTheme = UV_OpenThemeData(GetHandle(), L"Edit");
}

void TUVScroller::FreeThemeHandle() {
  if (FTheme && UV_CloseThemeData) UV_CloseThemeData(FTheme);
  FTheme = nullptr;
}

void TUVScroller::ReopenTheme() {
  FreeThemeHandle();
  CreateThemeHandle();
  ::SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TUVScroller::SetUseXPThemes(bool Value) {
  if (Value == FUseXPThemes) return;
  FUseXPThemes = Value;
  if (HandleAllocated()) ReopenTheme();
}

void TUVScroller::WMThemeChanged(TMessage& Message) {
  DefaultHandler(Message);
  ReopenTheme();
  Message.Result = 1;
}

void TUVScroller::WMNCPaint(TMessage& Message) {
  if (!FTheme || FBorderStyle != bsSingle || !UV_DrawThemeBackground) {
    inherited::Dispatch(Message);
    return;
  }
  DefaultHandler(Message);
  HWND window = GetHandle();
  HDC dc = ::GetWindowDC(window);
  if (!dc) return;
  RECT client, frame;
  ::GetClientRect(window, &client);
  ::GetWindowRect(window, &frame);
  LONG style = ::GetWindowLongA(window, GWL_STYLE);
  LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
  // The client part and the scroll bars are excluded: only the border is the theme's.
  if (style & WS_VSCROLL) {
    if (exStyle & WS_EX_LEFTSCROLLBAR)
      client.left -= ::GetSystemMetrics(SM_CXVSCROLL);
    else
      client.right += ::GetSystemMetrics(SM_CXVSCROLL);
  }
  if (style & WS_HSCROLL) client.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -frame.left, -frame.top);
  ::OffsetRect(&frame, -frame.left, -frame.top);
  ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  UV_DrawThemeBackground(FTheme, dc, 0, 0, &frame, nullptr);
  ::ReleaseDC(window, dc);
  Message.Result = 0;
}

// ---------------------------------------------------------------------------------------------

void TUVScroller::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_VSCROLL: WMVScroll(Message); break;
    case WM_HSCROLL: WMHScroll(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_THEMECHANGED: WMThemeChanged(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED: WMPaletteMessage(Message); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); break;
    default: inherited::Dispatch(Message);
  }
}
