// Reads and changes the taskbar's start button: its place, size, state and visibility.
#pragma once

#include "syscomp/sycComponentBase.h"

// The start button is the child window of class "Button" of the top-level window of class
// "Shell_TrayWnd"; without a taskbar every value reads 0 (or false) and writing changes nothing.
class TsycStartButtonProperties : public TsycComponent {
  CLASS_INFO(TsycStartButtonProperties, TsycComponent)
public:
  explicit TsycStartButtonProperties(TComponent* AOwner);

  // Reads the button's normal place and size again.
  virtual void ReadPlacement();
  // Moves and sizes the button when anything differs, without changing its order or activating it.
  virtual void SetBounds(Integer Left, Integer Top, Integer Height, Integer Width);

  // Each read looks at the window again.
  Integer GetButtonLeft();
  Integer GetButtonTop();
  Integer GetButtonWidth();
  Integer GetButtonHeight();
  void SetButtonLeft(Integer Value);
  void SetButtonTop(Integer Value);
  void SetButtonWidth(Integer Value);
  void SetButtonHeight(Integer Value);
  bool GetEnabled() const;
  void SetEnabled(bool Value);
  bool GetVisible() const;
  void SetVisible(bool Value);
  HWND GetButtonHandle() const { return FButton; }

private:
  struct Placement {
    Integer Left = 0;
    Integer Top = 0;
    Integer Width = 0;
    Integer Height = 0;
  };

  HWND FButton = nullptr;
  Placement FPlacement;  // the last reading
};
