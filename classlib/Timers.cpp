#include "classlib/Timers.h"

#include "classlib/ObjectInstances.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
  UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  ::KillTimer(FWindowHandle, 1);
  if (FInterval != 0 && FEnabled && !GetComponentState().Contains(csDestroying))
    if (::SetTimer(FWindowHandle, 1, FInterval, nullptr) == 0) throw EOutOfResources("Not enough timers available");
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    // A tick that was already queued when the timer was stopped is dropped.
    if (!FEnabled || FInterval == 0) return;
    try {
      Timer();
    } catch (...) {
      HandleBoundaryException(this);
    }
    return;
  }
  Message.Result = ::DefWindowProcA(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

PUBLISHED(TTimer) {
  Prop("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled).Default(true);
  Prop("Interval", &TTimer::GetInterval, &TTimer::SetInterval).Default(1000);
  Prop("OnTimer", &TTimer::OnTimer);
}
