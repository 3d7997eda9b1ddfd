// Dialog placement.
#include "controls/VisDialogPlace.h"

#include <algorithm>

#include "classlib/Forms.h"

namespace {

TRect ScreenRect() { return Rect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

// Integer halves rounded toward zero.
Integer Half(Integer Value) { return Value / 2; }

}  // namespace

TRect GetRelateRect(TVisDlgPosRel Relation) {
  switch (Relation) {
    case brScreenWorkArea: {
      TRect work;
      if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, AsRECT(work), 0)) return work;
      return ScreenRect();
    }
    case brMainForm:
      if (Application && Application->GetMainForm()) return Application->GetMainForm()->GetBoundsRect();
      return ScreenRect();
    case brActiveWindow:
      if (Screen && Screen->GetActiveForm()) return Screen->GetActiveForm()->GetBoundsRect();
      return ScreenRect();
    default:
      return ScreenRect();
  }
}

namespace {

// Where a window of Width by Height sits at Position within R, before any correction.
TPoint AlignedPosition(const TRect& R, TVisDlgPosition Position, Integer Width, Integer Height) {
  Integer left = R.Left;
  Integer top = R.Top;
  const Integer centreX = R.Left + Half(R.Right - R.Left - Width);
  const Integer centreY = R.Top + Half(R.Bottom - R.Top - Height);
  switch (Position) {
    case bpCustom:
    case bpTopLeft: break;
    case bpTopCenter: left = centreX; break;
    case bpTopRight: left = R.Right - Width; break;
    case bpCenterLeft: top = centreY; break;
    case bpCenter: left = centreX; top = centreY; break;
    case bpCenterRight: left = R.Right - Width; top = centreY; break;
    case bpBottomLeft: top = R.Bottom - Height; break;
    case bpBottomCenter: left = centreX; top = R.Bottom - Height; break;
    case bpBottomRight: left = R.Right - Width; top = R.Bottom - Height; break;
  }
  return {left, top};
}

}  // namespace

TPoint PlacedPosition(const TRect& R, TVisDlgPosition Position, Integer Width, Integer Height) {
  auto [left, top] = AlignedPosition(R, Position, Width, Height);
  if (top + Height > ::GetSystemMetrics(SM_CYSCREEN)) top = R.Bottom - Height;
  if (left + Width > ::GetSystemMetrics(SM_CXSCREEN)) left = R.Right - Width;
  // A rectangle that itself reaches past the screen (a window moved partly off it) would still
  // leave the dialog there, its buttons out of reach: it is kept wholly inside the work area, and
  // a dialog larger than the work area shows its top left corner.
  const TRect work = GetRelateRect(brScreenWorkArea);
  left = std::max(std::min(left, work.Right - Width), work.Left);
  top = std::max(std::min(top, work.Bottom - Height), work.Top);
  return {left < 0 ? 0 : left, top < 0 ? 0 : top};
}

void PositionWindow(HWND Wnd, const TRect& Area, TVisDlgPosition Position) {
  RECT bounds{};
  if (!::GetWindowRect(Wnd, &bounds)) return;
  const auto [left, top] = AlignedPosition(Area, Position, bounds.right - bounds.left, bounds.bottom - bounds.top);
  ::SetWindowPos(Wnd, nullptr, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceWindow(HWND Wnd, const TRect& R, TVisDlgPosition Position) {
  RECT bounds{};
  if (!::GetWindowRect(Wnd, &bounds)) return;
  const TPoint p = PlacedPosition(R, Position, bounds.right - bounds.left, bounds.bottom - bounds.top);
  ::SetWindowPos(Wnd, nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
