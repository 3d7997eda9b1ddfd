// Window helpers of the drawing unit: bringing the first copy of the program forward, and the
// zoom animation of dialogs.
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"

void ActivatePrevInstance() {
  if (!VisApplication || !VisApplication->GetPrevInstance() || !Application) return;
  const AnsiString title = Application->GetTitle();
  ::SetWindowTextA(Application->GetHandle(), "");
  HWND first = ::FindWindowA("TApplication", title.c_str());
  if (!first) return;
  if (::IsIconic(first))
    ::ShowWindow(first, SW_RESTORE);
  else
    ::SetForegroundWindow(first);
}

std::vector<TRect> ZoomFrames(const TRect& From, const TRect& To, Integer Steps) {
  std::vector<TRect> frames;
  if (Steps < 1) return frames;
  frames.reserve(static_cast<std::size_t>(Steps));
  const auto between = [Steps](Integer a, Integer b, Integer i) { return a + ::MulDiv(b - a, i, Steps); };
  for (Integer i = 1; i <= Steps; ++i)
    frames.push_back({between(From.Left, To.Left, i), between(From.Top, To.Top, i), between(From.Right, To.Right, i),
                      between(From.Bottom, To.Bottom, i)});
  return frames;
}

namespace {

// The control's window rectangle on the screen.
TRect ScreenBounds(TControl* Control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && windowed->HandleAllocated()) {
    TRect r;
    ::GetWindowRect(windowed->GetHandle(), AsRECT(r));
    return r;
  }
  TRect r = Control->GetBoundsRect();
  if (TWinControl* parent = Control->GetParent()) {
    const TPoint origin = parent->ClientToScreen(Point(0, 0));
    r = {r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y};
  }
  return r;
}

TPoint StartPoint(Integer X, Integer Y) {
  if (X >= 0) return Point(X, Y);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return Point(cursor.x, cursor.y);
}

// Each frame is drawn, shown for a while and drawn again, which takes it off (the focus
// rectangle is drawn with XOR).
void RunFrames(HDC screen, const std::vector<TRect>& frames, Integer Delay) {
  for (const TRect& frame : frames) {
    ::DrawFocusRect(screen, AsRECT(frame));
    volatile Integer wait = 0;
    while (wait < Delay * 10000) wait = wait + 1;
    ::DrawFocusRect(screen, AsRECT(frame));
  }
}

}  // namespace

void ZoomRectAnimation(TControl* Control, Integer X, Integer Y, Integer Delay, Integer Steps) {
  if (!Control) return;
  if (Steps < 4) Steps = 40;
  if (Delay < 1) Delay = 1;
  const TPoint start = StartPoint(X, Y);
  WindowDC screen;
  RunFrames(screen, ZoomFrames(Rect(start.X, start.Y, start.X, start.Y), ScreenBounds(Control), Steps), Delay);
}

void ZoomRectAnimation2(TControl* Control, Integer X, Integer Y, bool Twice, Integer Delay, Integer DX, Integer DY,
                        Integer Steps) {
  if (!Control) return;
  if (Steps < 4) Steps = 40;
  if (Delay < 1) Delay = 1;
  const TPoint start = StartPoint(X, Y);
  const TRect bounds = ScreenBounds(Control);
  const TRect inner{bounds.Left + DX, bounds.Top + DY, bounds.Right - DX, bounds.Bottom - DY};
  const std::vector<TRect> first = ZoomFrames(Rect(start.X, start.Y, start.X, start.Y), inner, Steps);
  const std::vector<TRect> second = ZoomFrames(inner, bounds, Steps);
  WindowDC screen;
  for (int run = 0; run < (Twice ? 2 : 1); ++run) RunFrames(screen, first, Delay);
  for (int run = 0; run < (Twice ? 2 : 1); ++run) RunFrames(screen, second, Delay);
}
