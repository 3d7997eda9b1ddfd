#include "syscomp/sycStartButton.h"

#include "classlib/TypInfo.h"

TsycStartButtonProperties::TsycStartButtonProperties(TComponent* AOwner) : TsycComponent(AOwner) {
  // A shell may keep a taskbar window without a start button (Wine's is one); the taskbar meant
  // is the one that has the button.
  for (HWND tray = nullptr; !FButton && (tray = ::FindWindowExA(nullptr, tray, "Shell_TrayWnd", nullptr));)
    FButton = ::FindWindowExA(tray, nullptr, "Button", nullptr);
}

void TsycStartButtonProperties::ReadPlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  FPlacement = Placement();
  if (!FButton || !::GetWindowPlacement(FButton, &placement)) return;
  const RECT& r = placement.rcNormalPosition;
  // Width and height are the rectangle's extent, so that writing back what was read changes
  // nothing.
  FPlacement = {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TsycStartButtonProperties::SetBounds(Integer Left, Integer Top, Integer Height, Integer Width) {
  ReadPlacement();
  if (!FButton ||
      (Left == FPlacement.Left && Top == FPlacement.Top && Width == FPlacement.Width && Height == FPlacement.Height))
    return;
  ::SetWindowPos(FButton, nullptr, Left, Top, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Integer TsycStartButtonProperties::GetButtonLeft() {
  ReadPlacement();
  return FPlacement.Left;
}

Integer TsycStartButtonProperties::GetButtonTop() {
  ReadPlacement();
  return FPlacement.Top;
}

Integer TsycStartButtonProperties::GetButtonWidth() {
  ReadPlacement();
  return FPlacement.Width;
}

Integer TsycStartButtonProperties::GetButtonHeight() {
  ReadPlacement();
  return FPlacement.Height;
}

void TsycStartButtonProperties::SetButtonLeft(Integer Value) {
  ReadPlacement();
  SetBounds(Value, FPlacement.Top, FPlacement.Height, FPlacement.Width);
}

void TsycStartButtonProperties::SetButtonTop(Integer Value) {
  ReadPlacement();
  SetBounds(FPlacement.Left, Value, FPlacement.Height, FPlacement.Width);
}

void TsycStartButtonProperties::SetButtonWidth(Integer Value) {
  ReadPlacement();
  SetBounds(FPlacement.Left, FPlacement.Top, FPlacement.Height, Value);
}

void TsycStartButtonProperties::SetButtonHeight(Integer Value) {
  ReadPlacement();
  SetBounds(FPlacement.Left, FPlacement.Top, Value, FPlacement.Width);
}

bool TsycStartButtonProperties::GetEnabled() const { return FButton && ::IsWindowEnabled(FButton); }

void TsycStartButtonProperties::SetEnabled(bool Value) {
  if (FButton) ::EnableWindow(FButton, Value);
}

bool TsycStartButtonProperties::GetVisible() const { return FButton && ::IsWindowVisible(FButton); }

void TsycStartButtonProperties::SetVisible(bool Value) {
  if (FButton) ::ShowWindow(FButton, Value ? SW_SHOW : SW_HIDE);
}

PUBLISHED(TsycStartButtonProperties) {
  Prop("ButtonLeft", &TsycStartButtonProperties::GetButtonLeft, &TsycStartButtonProperties::SetButtonLeft)
      .Stored(false);
  Prop("ButtonTop", &TsycStartButtonProperties::GetButtonTop, &TsycStartButtonProperties::SetButtonTop).Stored(false);
  Prop("ButtonWidth", &TsycStartButtonProperties::GetButtonWidth, &TsycStartButtonProperties::SetButtonWidth)
      .Stored(false);
  Prop("ButtonHeight", &TsycStartButtonProperties::GetButtonHeight, &TsycStartButtonProperties::SetButtonHeight)
      .Stored(false);
  Prop("Enabled", &TsycStartButtonProperties::GetEnabled, &TsycStartButtonProperties::SetEnabled).Default(true);
  Prop("Visible", &TsycStartButtonProperties::GetVisible, &TsycStartButtonProperties::SetVisible).Default(true);
}
