// Pictures of controls for printing: a printer canvas cannot hold a window, so a control placed
// in a document is printed as a picture that imitates its look.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Controls.h"

// A new bitmap of the control's size with the control's picture drawn at (0, 0); the caller owns
// it.
TBitmap* GetControlImage(TControl* Control);
// Draws a picture of the control with its top-left corner at (X, Y): buttons, edit boxes and
// memos are imitated, a panel paints itself and then each of its controls by the same rules,
// other windowed controls paint themselves, other controls draw nothing.
void DrawControlImage(TControl* Control, TCanvas* Canvas, Integer X, Integer Y);
