#include "app/TickBudget.h"

namespace {

// Asking the queue costs a call into the window system; a step costs about a microsecond. The
// queue is asked every this many calls, the clock every call.
constexpr unsigned kCallsPerQueueLook = 16;

}  // namespace

TTickBudget::TTickBudget(double budgetMs) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  budgetCounts_ = static_cast<LONGLONG>(frequency.QuadPart * budgetMs / 1000.0);
}

void TTickBudget::Start() {
  ::QueryPerformanceCounter(&start_);
  calls_ = 0;
}

bool TTickBudget::Spent() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  if (now.QuadPart - start_.QuadPart >= budgetCounts_) return true;
  return ++calls_ % kCallsPerQueueLook == 0 && HIWORD(::GetQueueStatus(QS_INPUT)) != 0;
}
