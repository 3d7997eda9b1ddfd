// The share of a tick that the background work takes: its few milliseconds, or less once a key
// waits for the program's windows.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/TickBudget.h"
#include "tests/support/DialogInput.h"
#include "tests/support/TestSupport.h"

namespace {

double ElapsedMs(const LARGE_INTEGER& since) {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - since.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Asks the budget until it is spent; the time that took and the number of times asked.
void SpendBudget(TTickBudget& budget, double& ms, int& asked) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  budget.Start();
  asked = 1;
  while (!budget.Spent()) ++asked;
  ms = ElapsedMs(start);
}

TEST(TickBudgetTest, ATickEndsAfterItsMillisecondsOrSoonAfterAKeyArrives) {
  testing_support::PumpFor(50);
  TTickBudget budget;
  double ms = 0;
  int asked = 0;
  // Not spent before its milliseconds...
  SpendBudget(budget, ms, asked);
  EXPECT_GE(ms, TTickBudget::BudgetMs);
  // How often it can be asked in a tick is a figure, not a bound: a busy machine takes the
  // thread away for part of the tick.
  std::printf("the budget was asked %d times in one tick of %.1f ms\n", asked, ms);
  // ...and spent at the first question after them, however late that comes.
  budget.Start();
  Sleep(static_cast<DWORD>(TTickBudget::BudgetMs) * 3);
  EXPECT_TRUE(budget.Spent());

  // A window of this thread with the focus gets a key through the system's input queue.
  HWND window = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 80, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(window);
  SetForegroundWindow(window);
  SetFocus(window);
  testing_support::PumpFor(100);
  dialog_testing::SendKeyEvents({{VK_SHIFT, false}, {VK_SHIFT, true}});
  const DWORD waited = GetTickCount();
  while (!HIWORD(GetQueueStatus(QS_INPUT)) && GetTickCount() - waited < 30000) Sleep(1);
  ASSERT_TRUE(HIWORD(GetQueueStatus(QS_INPUT))) << "the key did not arrive";
  // The queue is looked at every 16 questions: the key ends the tick at the 16th at the latest,
  // long before its milliseconds (only a machine that stopped this thread for them could make
  // the time end it first).
  SpendBudget(budget, ms, asked);
  EXPECT_LE(asked, 16);
  if (ms < TTickBudget::BudgetMs) EXPECT_EQ(asked, 16) << "the key ended the tick";
  testing_support::PumpFor(50);
  DestroyWindow(window);
}

}  // namespace
