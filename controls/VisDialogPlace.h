// Where the component set's dialogs appear: a relation rectangle (the screen, its work area, the
// main form or the active form) and a position within it.
#pragma once

#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

enum TVisDlgPosition {
  bpCustom,
  bpTopLeft,
  bpTopCenter,
  bpTopRight,
  bpCenterLeft,
  bpCenter,
  bpCenterRight,
  bpBottomLeft,
  bpBottomCenter,
  bpBottomRight
};
ENUM_NAMES(TVisDlgPosition, "bpCustom", "bpTopLeft", "bpTopCenter", "bpTopRight", "bpCenterLeft", "bpCenter",
           "bpCenterRight", "bpBottomLeft", "bpBottomCenter", "bpBottomRight");

enum TVisDlgPosRel { brScreen, brScreenWorkArea, brMainForm, brActiveWindow };
ENUM_NAMES(TVisDlgPosRel, "brScreen", "brScreenWorkArea", "brMainForm", "brActiveWindow");

// The rectangle a dialog is placed in: the screen, the desktop work area, or the bounds of the
// application's main form or of the active form (the screen when there is no such form).
TRect GetRelateRect(TVisDlgPosRel Relation);
// Moves Wnd, keeping its size, to Position within R; pulled back to end at R's right or bottom
// edge where it would reach past the screen's, and kept wholly inside the work area on every side
// (R itself may reach off the screen), never at a negative coordinate.
void PlaceWindow(HWND Wnd, const TRect& R, TVisDlgPosition Position);
// Where PlaceWindow puts a window of Width by Height.
TPoint PlacedPosition(const TRect& R, TVisDlgPosition Position, Integer Width, Integer Height);
// Moves Wnd, keeping its size, to Position within Area, without pulling it back onto the screen;
// only negative coordinates become 0. The drawing routines' placement of windows.
void PositionWindow(HWND Wnd, const TRect& Area, TVisDlgPosition Position);
