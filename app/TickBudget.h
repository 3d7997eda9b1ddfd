// The share of the main thread that one tick of background work may take. Work that comes in
// many small steps (the words of a book) is done a step at a time until the tick has used its
// few milliseconds or input waits for the windows; then the tick ends, so that the program's
// windows answer at once, and the timer's next tick goes on where this one stopped.
#pragma once

#include "classlib/WinApi.h"

class TTickBudget {
public:
  // The time one tick may take.
  static constexpr double BudgetMs = 4.0;

  // A tick of BudgetMs, or of the time given (a step of work the user waits for).
  explicit TTickBudget(double budgetMs = BudgetMs);
  // The tick begins now.
  void Start();
  // True once the tick has used its time or input (a key, a mouse message) waits in the thread's
  // queue. Cheap enough to ask after every step: the queue is looked at every few calls.
  bool Spent();

private:
  LARGE_INTEGER start_{};
  LONGLONG budgetCounts_ = 0;
  unsigned calls_ = 0;
};
