#include "syscomp/sycTimers.h"

#include "classlib/Forms.h"
#include "classlib/ObjectInstances.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycSysUtils.h"

TsycCustomTimer::TsycCustomTimer(TComponent* AOwner) : TsycComponent(AOwner) {
  FWindowHandle = AllocateHWnd(TWndMethod(this, &TsycCustomTimer::WndProc));
}

TsycCustomTimer::~TsycCustomTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TsycCustomTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      Application->HandleException(this);
    }
    return;
  }
  Message.Result = ::DefWindowProcA(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TsycCustomTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

void TsycCustomTimer::UpdateTimer() {
  ::KillTimer(FWindowHandle, 1);
  if (FInterval != 0 && FEnabled && NeedsTimer())
    if (::SetTimer(FWindowHandle, 1, FInterval, nullptr) == 0) throw EOutOfResources("Not enough timers available");
}

void TsycCustomTimer::SetInterval(Cardinal Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TsycCustomTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TsycCustomTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

TsycColorPicker::TsycColorPicker(TComponent* AOwner) : TsycCustomTimer(AOwner) { SetInterval(100); }

COLORREF TsycColorPicker::GetColor() const { return GetColorUnderCursor(); }

void TsycColorPicker::Timer() {
  inherited::Timer();
  UpdateCursor();
}

void TsycColorPicker::UpdateCursor() {
  if (FCursor != crDefault) ::SetCursor(Screen->GetCursors(FCursor));
}

void TsycColorPicker::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  UpdateCursor();
}

PUBLISHED(TsycColorPicker) {
  Prop("Enabled", &TsycColorPicker::GetEnabled, &TsycColorPicker::SetEnabled).Default(true);
  Prop("Interval", &TsycColorPicker::GetInterval, &TsycColorPicker::SetInterval).Default(100);
  Prop("OnTimer", &TsycColorPicker::GetOnTimer, &TsycColorPicker::SetOnTimer);
}
