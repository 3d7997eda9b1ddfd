// Long work of a window done in steps, so that the window keeps answering while it runs: the
// first step runs at once, the next ones on a timer whose ticks come only when no input or paint
// waits, and each step works until it has used its share of the thread or input waits. Small work
// is thus done within the click that starts it; work on a whole Bible goes on between the user's
// clicks and keys, which the window serves as they come.
#pragma once

#include <functional>
#include <memory>

class TTimer;
class TObject;

class TWorkSteps {
public:
  // The time one step may take, in milliseconds: well within what a user takes for an answer.
  static constexpr double StepMs = 40.0;

  // Tells one step whether it has used its time (or input waits for the windows).
  using TSpent = std::function<bool()>;
  // Does a piece of the work; true when the work is done.
  using TStep = std::function<bool(const TSpent& spent)>;

  TWorkSteps();
  // A work still running is stopped as Stop does.
  ~TWorkSteps();
  TWorkSteps(const TWorkSteps&) = delete;
  TWorkSteps& operator=(const TWorkSteps&) = delete;

  // Starts the work (a work still running is stopped first). `step` is called until it returns
  // true; then `finished` is called. A step that raises ends the work: `failed` is called, then the
  // exception is shown as the application shows every exception of a handler. The first step runs
  // at once unless `firstStepNow` is false (the caller has just done work of its own), else on the
  // first tick.
  void Start(TStep step, std::function<void()> finished, std::function<void()> failed = {},
             bool firstStepNow = true);
  // Stops the work where it stands; neither `finished` nor `failed` is called.
  void Stop();
  bool Running() const { return static_cast<bool>(step_); }

private:
  void Tick(TObject* Sender);
  // One step; false when the work ended (done, or failed).
  void RunStep();

  std::unique_ptr<TTimer> timer_;
  TStep step_;
  std::function<void()> finished_;
  std::function<void()> failed_;
  bool ticking_ = false;
};
