// TTimer: a component that calls OnTimer every Interval milliseconds through a window timer.
// Ticks are window messages of the thread that made the timer, so they arrive wherever that
// thread's messages are dispatched: in the program's loop, in a modal form and inside message
// boxes and menus.
#pragma once

#include "classlib/Components.h"
#include "classlib/Messages.h"

class TTimer : public TComponent {
  CLASS_INFO(TTimer, TComponent)
public:
  // Enabled, 1000 ms.
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool GetEnabled() const { return FEnabled; }
  // Starting, stopping or restarting counts the interval again from now.
  void SetEnabled(bool Value);
  Cardinal GetInterval() const { return FInterval; }
  // Restarts the countdown; 0 stops the ticks until another interval is set.
  void SetInterval(Cardinal Value);

  TNotifyEvent OnTimer;

protected:
  // Calls OnTimer.
  virtual void Timer();

private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  HWND FWindowHandle = nullptr;
  Cardinal FInterval = 1000;
  bool FEnabled = true;
};
