// The window-message timer of the system components and the colour picker built on it.
#pragma once

#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "syscomp/sycComponentBase.h"

// Calls OnTimer every Interval milliseconds through a window timer of a hidden window of its own,
// so that ticks come on the thread that made the component, in whatever message loop it runs.
class TsycCustomTimer : public TsycComponent {
  CLASS_INFO(TsycCustomTimer, TsycComponent)
public:
  explicit TsycCustomTimer(TComponent* AOwner);
  ~TsycCustomTimer() override;

  Cardinal GetInterval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  // The hidden window that receives the ticks.
  HWND GetWindowHandle() const { return FWindowHandle; }

protected:
  // The hidden window's messages: WM_TIMER runs Timer (an exception goes to the application's
  // handler); every other message goes to the default procedure.
  virtual void WndProc(TMessage& Message);
  // Calls OnTimer.
  virtual void Timer();
  // Whether a system timer is wanted at all; by default only when OnTimer is set.
  virtual bool NeedsTimer() const { return static_cast<bool>(FOnTimer); }
  // Sets the system timer again for the present settings, or kills it. Raises EOutOfResources
  // when no timer can be had.
  void UpdateTimer();

private:
  Cardinal FInterval = 1000;
  bool FEnabled = true;
  TNotifyEvent FOnTimer;
  HWND FWindowHandle = nullptr;
};

// Tells, every Interval milliseconds, the colour under the mouse cursor (GetColor) through OnTimer.
class TsycColorPicker : public TsycCustomTimer {
  CLASS_INFO(TsycColorPicker, TsycCustomTimer)
public:
  explicit TsycColorPicker(TComponent* AOwner);

  // The colour of the screen pixel under the mouse cursor.
  virtual COLORREF GetColor() const;
  // The cursor shown while picking; crDefault leaves the cursor alone.
  TCursor GetCursor() const { return FCursor; }
  virtual void SetCursor(TCursor Value);

protected:
  // OnTimer, then the cursor again (the system puts its own back as the mouse moves).
  void Timer() override;
  virtual void UpdateCursor();

private:
  TCursor FCursor = crDefault;
};
