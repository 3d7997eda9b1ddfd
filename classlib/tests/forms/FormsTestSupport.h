// Small controls and helpers shared by the window tests.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "tests/support/TestSupport.h"

namespace forms_test {

// A windowed control that paints its client area in one colour and counts what it sees.
class TColorBox : public TCustomControl {
  CLASS_INFO(TColorBox, TCustomControl)
public:
  explicit TColorBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 40, 30);
    SetTabStop(true);
  }
  TColor PaintColor = clRed;
  int Paints = 0;
  int Enters = 0;
  int Leaves = 0;

protected:
  void Paint() override {
    ++Paints;
    GetCanvas()->GetBrush()->SetColor(PaintColor);
    GetCanvas()->FillRect(GetClientRect());
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CM_MOUSEENTER: ++Enters; break;
      case CM_MOUSELEAVE: ++Leaves; break;
      default: break;
    }
    inherited::Dispatch(Message);
  }
};

// A windowless control that paints its rectangle in one colour.
class TColorSpot : public TGraphicControl {
  CLASS_INFO(TColorSpot, TGraphicControl)
public:
  explicit TColorSpot(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 10, 10); }
  TColor PaintColor = clBlue;
  int Enters = 0;
  int Leaves = 0;

protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(PaintColor);
    GetCanvas()->FillRect(GetClientRect());
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CM_MOUSEENTER: ++Enters; break;
      case CM_MOUSELEAVE: ++Leaves; break;
      default: break;
    }
    inherited::Dispatch(Message);
  }
};

// A control over the native edit window, as the standard controls make theirs.
class TNativeEdit : public TWinControl {
  CLASS_INFO(TNativeEdit, TWinControl)
public:
  explicit TNativeEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 80, 21);
    SetTabStop(true);
    FColor = clWindow;
    FBrush->SetColor(clWindow);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    inherited::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_AUTOHSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
};

// A windowed control that sets its form's ModalResult when clicked, like a dialog button.
class TResultButton : public TCustomControl {
  CLASS_INFO(TResultButton, TCustomControl)
public:
  explicit TResultButton(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 60, 24); }
  TModalResult ModalResult = mrNone;
  void Click() override {
    inherited::Click();
    if (TCustomForm* form = GetParentForm(this); form && ModalResult != mrNone) form->SetModalResult(ModalResult);
  }
};

// Runs the application's message handling until done() or the time-out.
inline bool ProcessUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    Application->ProcessMessages();
    if (done()) break;
    if (::GetTickCount() - start > timeoutMs) return done();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

inline void ProcessFor(DWORD ms) {
  ProcessUntil([] { return false; }, ms);
}

// Posts a key press to the window with the focus, as the keyboard would, and lets the
// application's loop route it.
inline void PressKey(Word key, bool shift = false, bool ctrl = false) {
  BYTE state[256];
  ::GetKeyboardState(state);
  BYTE saved[256];
  std::memcpy(saved, state, sizeof(state));
  if (shift) state[VK_SHIFT] = 0x80;
  if (ctrl) state[VK_CONTROL] = 0x80;
  ::SetKeyboardState(state);
  HWND focus = ::GetFocus();
  const UINT scan = ::MapVirtualKeyA(key, 0);
  ::PostMessageA(focus, WM_KEYDOWN, key, LPARAM(1 | (scan << 16)));
  ::PostMessageA(focus, WM_KEYUP, key, LPARAM(1 | (scan << 16) | (1u << 30) | (1u << 31)));
  Application->ProcessMessages();
  ::SetKeyboardState(saved);
}

// The colour of a pixel of what PaintTo draws of the control.
inline COLORREF PaintedPixel(TWinControl* control, int x, int y) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, control->GetWidth() + 10, control->GetHeight() + 10);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  RECT all{0, 0, control->GetWidth() + 10, control->GetHeight() + 10};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  control->PaintTo(dc, 0, 0);
  const COLORREF result = ::GetPixel(dc, x, y);
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return result;
}

// The colour on the screen at a point of a control's client area.
inline COLORREF ScreenPixel(TControl* control, int x, int y) {
  const TPoint p = control->ClientToScreen(Point(x, y));
  HDC screen = ::GetDC(nullptr);
  const COLORREF c = ::GetPixel(screen, p.X, p.Y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace forms_test
