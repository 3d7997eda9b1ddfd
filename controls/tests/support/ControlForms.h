// A shown form for the tests of the components' controls, and input through real window
// messages: mouse presses and moves posted to the window under a control, as the mouse sends
// them, and the pointer moved on the screen.
#pragma once

#include <memory>
#include <string>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "classlib/tests/forms/FormsTestSupport.h"
#include "classlib/Handles.h"
#include "classlib/Timers.h"
#include "tests/support/Pixels.h"
#include "controls/visclass.h"
#include "tests/support/TestSupport.h"

namespace control_forms {

using forms_test::PaintedPixel;
using forms_test::PressKey;
using forms_test::ProcessFor;
using forms_test::ProcessUntil;
using forms_test::ScreenPixel;

// Frees a component out of line: GCC 12 takes the component's destroying delete, seen through an
// inlined destructor, for a mismatch with the plain new.
[[gnu::noinline]] inline void Free(TComponent* Component) { delete Component; }

// Reads Text (one "object ... end" block in the text form) into Component, as a program reads
// its forms; Loaded runs at the end.
inline void ReadFormText(const AnsiString& Text, TComponent* Component) {
  TStringStream source(Text);
  TMemoryStream binary;
  ObjectTextToBinary(&source, &binary);
  binary.SetPosition(0);
  ReadComponentFromStream(&binary, Component);
}

// Component written as a form stream, in the text form.
inline AnsiString FormText(TComponent* Component) {
  TMemoryStream binary;
  WriteComponentToStream(&binary, Component);
  binary.SetPosition(0);
  TStringStream text("");
  ObjectBinaryToText(&binary, &text);
  return text.GetDataString();
}

inline COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// The windowed control that receives the mouse messages of a control: itself, or the parent
// of a windowless one; Point is moved into that window's client coordinates.
inline HWND MouseWindow(TControl* Control, TPoint& Point) {
  if (auto* windowed = dynamic_cast<TWinControl*>(Control)) return windowed->GetHandle();
  Point = {Point.X + Control->GetLeft(), Point.Y + Control->GetTop()};
  return Control->GetParent()->GetHandle();
}

// Sends a mouse message at (X, Y) of Control's client area (which may lie outside it).
inline void SendMouse(TControl* Control, UINT Msg, Integer X, Integer Y, WPARAM Keys = 0) {
  TPoint p{X, Y};
  HWND wnd = MouseWindow(Control, p);
  ::SendMessageA(wnd, Msg, Keys, MAKELPARAM(p.X, p.Y));
}

// The pointer on the screen at (X, Y) of Control's client area.
inline void PointAt(TControl* Control, Integer X, Integer Y) {
  const TPoint p = Control->ClientToScreen(Point(X, Y));
  ::SetCursorPos(p.X, p.Y);
}

// A left click: the pointer moves there, the button goes down and up again.
inline void ClickAt(TControl* Control, Integer X, Integer Y) {
  PointAt(Control, X, Y);
  SendMouse(Control, WM_MOUSEMOVE, X, Y);
  SendMouse(Control, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
  SendMouse(Control, WM_LBUTTONUP, X, Y);
  Application->ProcessMessages();
}

// What the screen shows of Control's client area, as a 24-bit bitmap.
inline std::unique_ptr<TBitmap> CaptureClient(TControl* Control) {
  const TRect client = Control->GetClientRect();
  auto bitmap = pixels::Bitmap24(client.Width(), client.Height());
  const TPoint origin = Control->ClientToScreen(Point(0, 0));
  WindowDC screen(nullptr);
  ::BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, client.Width(), client.Height(), screen, origin.X, origin.Y,
           SRCCOPY);
  return bitmap;
}

// Runs the application's loop, idle processing (which tells controls the mouse came or went)
// included, until done() or the time-out.
inline bool IdleUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
  // Idle processing waits for the next message; a timer makes one come soon.
  TTimer waker(nullptr);
  waker.SetInterval(10);
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    Application->HandleMessage();
  }
  return true;
}

// A test with a shown, active form of a known colour and font, freed afterwards, and the
// application's visual styles as the test left them restored.
class ControlFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    themes_ = VisApplication->GetUseXPThemes();
    form_ = new TForm(Application);
    form_->SetBounds(60, 60, 420, 300);
    form_->SetCaption("Controls");
    form_->SetColor(kFormColor);
    form_->GetFont()->SetName("Arial");
    form_->GetFont()->SetSize(10);
    form_->Show();
    ProcessUntil([&] { return form_->GetActive(); });
  }
  void TearDown() override {
    delete form_;
    VisApplication->SetUseXPThemes(themes_);
  }

  // A control of class T on the form (or on Parent) at the given place.
  template <class T>
  T* Add(Integer Left, Integer Top, Integer Width = -1, Integer Height = -1, TWinControl* Parent = nullptr) {
    T* control = new T(form_);
    control->SetParent(Parent ? Parent : form_);
    control->SetBounds(Left, Top, Width < 0 ? control->GetWidth() : Width,
                       Height < 0 ? control->GetHeight() : Height);
    return control;
  }

  // Lets the form paint and captures it from the screen (written as NAME.png when screenshots
  // are asked for).
  testing_support::ScreenImage Shot(const std::string& Name) {
    form_->Update();
    ProcessFor(50);
    testing_support::SaveScreenshot(form_->GetHandle(), Name);
    return testing_support::CaptureWindow(form_->GetHandle());
  }

  static constexpr TColor kFormColor = 0x00D8E4EC;
  TForm* form_ = nullptr;
  bool themes_ = true;
};

}  // namespace control_forms
