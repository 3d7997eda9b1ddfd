// Window procedures bound to objects.
//
// Windows calls a window procedure with a window handle and no object. MakeObjectInstance makes
// a small piece of executable code - a distinct procedure address per call - that calls a method
// of an object instead, with the message packed into a TMessage. It is what lets a control own
// its window, and what lets a component replace the window procedure of a window it does not
// own (subclassing with SetWindowLongPtrA(GWLP_WNDPROC) and passing the rest on with
// CallWindowProcA), however many such hooks are chained on one window.
//
// Every object instance is also the boundary where exceptions stop: an exception that escapes
// the method is handed to ApplicationHandleException (the application object shows it) and the
// message returns 0, because C++ exceptions must never unwind through the system's code.
#pragma once

#include "classlib/Messages.h"

// A method that handles messages of a window.
using TWndMethod = Closure<void(TMessage& Message)>;

// A window procedure that calls Method. Free it with FreeObjectInstance once no window uses it.
WNDPROC MakeObjectInstance(TWndMethod Method);
void FreeObjectInstance(WNDPROC ObjectInstance);

// A hidden window (class "TPUtilWindow") whose messages go to Method; for timers and other
// components that need a window to receive messages. Messages the method leaves alone should
// be passed to DefWindowProcA by the method itself.
HWND AllocateHWnd(TWndMethod Method);
// Destroys a window made by AllocateHWnd and frees its object instance.
void DeallocateHWnd(HWND Wnd);

// Called inside a catch block when an exception reached the boundary of an object instance or
// of a message loop. The application object installs its HandleException here; until then the
// exception's message is shown in a message box.
extern void (*ApplicationHandleException)(TObject* Sender);
// Calls ApplicationHandleException for the exception being handled; use inside catch (...).
void HandleBoundaryException(TObject* Sender);
