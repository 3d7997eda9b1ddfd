// Helpers for the application object's window: showing and hiding the program, and finding the
// window of an earlier running copy.
#pragma once

#include "classlib/WinApi.h"

// Shows (normal) or hides the application window; hiding only when it is visible.
void ShowApplicationWindow();
void HideApplicationWindow();
// As above, and the main form too.
void ShowApplication();
void HideApplication();
// The application window of another running copy of this program: a top-level window of the
// application object's class with the application's title, other than this program's own; null
// when there is none.
HWND FindPrevInstanceWindow();
// Brings that copy forward: restored when minimised, else made the foreground window. False
// when there is no such copy. (In a namespace of its own: the visual components have a routine of
// the same name that works differently, and a program links both libraries.)
namespace syc {
bool ActivatePrevInstance();
}  // namespace syc
