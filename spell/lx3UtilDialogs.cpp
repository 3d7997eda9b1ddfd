// Placing the spell engine's dialogs on the screen.
#include "spell/lx3Util.h"

namespace {

TRect WorkArea() {
  TRect area;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, AsRECT(area), 0))
    area = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return area;
}

TRect WindowBounds(HWND form) {
  TRect r;
  GetWindowRect(form, AsRECT(r));
  return r;
}

}  // namespace

void ClampDialog(HWND Form, Integer X, Integer Y) {
  const TRect area = WorkArea();
  const TRect bounds = WindowBounds(Form);
  X = std::max<Integer>(X, area.Left);
  Y = std::max<Integer>(Y, area.Top);
  if (X + bounds.Width() > area.Right) X = area.Left + area.Width() - bounds.Width();
  if (Y + bounds.Height() > area.Bottom) Y = area.Top + area.Height() - bounds.Height();
  SetWindowPos(Form, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceDialogNear(HWND Form, const TRect& Word, bool Horizontally, bool Vertically) {
  const TRect area = WorkArea();
  const TRect bounds = WindowBounds(Form);
  Integer x = bounds.Left, y = bounds.Top;
  if (Horizontally) {
    x = Word.Left;
    if (x + bounds.Width() > area.Right) x = area.Right - bounds.Width();
  }
  if (Vertically) {
    y = Word.Bottom;
    if (y + bounds.Height() > area.Bottom) y = Word.Top - bounds.Height();
  }
  ClampDialog(Form, x, y);
}
