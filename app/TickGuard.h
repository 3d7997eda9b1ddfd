// The re-entry flag of a timer's state machine. A message loop run inside a tick (a dialog, a
// message box, a DDE call waiting for its answer) lets the same timer fire again; that inner tick
// must do nothing, or the machine would take a step in the middle of another.
#pragma once

class TTickGuard {
public:
  // Enters the tick unless `ticking` says that one runs; the flag is cleared again when the guard
  // goes, also when the tick raises.
  explicit TTickGuard(bool& ticking) : ticking_(ticking), entered_(!ticking) { ticking_ = true; }
  ~TTickGuard() {
    if (entered_) ticking_ = false;
  }
  TTickGuard(const TTickGuard&) = delete;
  TTickGuard& operator=(const TTickGuard&) = delete;

  // False inside a tick that another tick of the timer runs around.
  bool Entered() const { return entered_; }

private:
  bool& ticking_;
  bool entered_;
};
