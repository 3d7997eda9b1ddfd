// A shown form to put the controls of a test on, and small input helpers.
#pragma once

#include <string>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/forms/FormsTestSupport.h"

namespace stdctrls_test {

using forms_test::PaintedPixel;
using forms_test::PressKey;
using forms_test::ProcessFor;
using forms_test::ProcessUntil;

// A test with a shown, active form that is freed afterwards.
class FormTest : public ::testing::Test {
protected:
  void SetUp() override {
    form_ = new TForm(Application);
    form_->SetBounds(50, 50, 400, 300);
    form_->SetCaption("Standard controls");
    form_->GetFont()->SetName("Arial");
    form_->GetFont()->SetSize(10);
    form_->Show();
    ProcessUntil([&] { return form_->GetActive(); });
  }
  void TearDown() override { delete form_; }

  // A control of class T on the form (or on Parent) at the given place.
  template <class T>
  T* Add(Integer left, Integer top, Integer width = -1, Integer height = -1, TWinControl* parent = nullptr) {
    T* control = new T(form_);
    control->SetParent(parent ? parent : form_);
    control->SetBounds(left, top, width < 0 ? control->GetWidth() : width, height < 0 ? control->GetHeight() : height);
    return control;
  }

  TForm* form_ = nullptr;
};

// Types text into the focused window character by character, through the program's loop.
inline void Type(const std::string& text) {
  for (char c : text) {
    ::PostMessageA(::GetFocus(), WM_CHAR, static_cast<Byte>(c), 1);
    Application->ProcessMessages();
  }
}

// Alt with a letter, as the keyboard sends it to the focused window.
inline void PressAlt(char letter) {
  ::PostMessageA(::GetFocus(), WM_SYSCHAR, static_cast<Byte>(letter), LPARAM(1) | (LPARAM(1) << 29));
  Application->ProcessMessages();
}

// A left click at a point of a windowed control's client area.
inline void ClickAt(TWinControl* control, int x, int y) {
  const LPARAM pos = MAKELPARAM(x, y);
  ::PostMessageA(control->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, pos);
  ::PostMessageA(control->GetHandle(), WM_LBUTTONUP, 0, pos);
  ProcessFor(50);
}

inline COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

}  // namespace stdctrls_test
