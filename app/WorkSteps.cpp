#include "app/WorkSteps.h"

#include <utility>

#include "app/TickBudget.h"
#include "app/TickGuard.h"
#include "classlib/Forms.h"
#include "classlib/Timers.h"

TWorkSteps::TWorkSteps() : timer_(new TTimer(nullptr)) {
  timer_->SetEnabled(false);
  // As often as the system's timers go; a tick comes only when no other message waits.
  timer_->SetInterval(1);
  timer_->OnTimer = TNotifyEvent(this, &TWorkSteps::Tick);
}

TWorkSteps::~TWorkSteps() { Stop(); }

void TWorkSteps::Start(TStep step, std::function<void()> finished, std::function<void()> failed, bool firstStepNow) {
  Stop();
  step_ = std::move(step);
  finished_ = std::move(finished);
  failed_ = std::move(failed);
  timer_->SetEnabled(true);
  if (!firstStepNow) return;
  TTickGuard guard(ticking_);
  RunStep();
}

void TWorkSteps::Stop() {
  timer_->SetEnabled(false);
  step_ = nullptr;
  finished_ = nullptr;
  failed_ = nullptr;
}

void TWorkSteps::Tick(TObject*) {
  // A message loop run inside a step (a message box) lets the timer tick again: that tick waits.
  TTickGuard guard(ticking_);
  if (!guard.Entered() || !step_) return;
  RunStep();
}

void TWorkSteps::RunStep() {
  TTickBudget budget(StepMs);
  budget.Start();
  bool done = false;
  try {
    // The step may stop or restart the work itself: it is called through a copy.
    const TStep step = step_;
    done = step([&budget] { return budget.Spent(); });
  } catch (...) {
    const std::function<void()> failed = failed_;
    Stop();
    if (failed) failed();
    Application->HandleException(nullptr);
    return;
  }
  if (!done || !step_) return;
  const std::function<void()> finished = finished_;
  Stop();
  if (finished) finished();
}
