// The share of a tick that the background work takes: its few milliseconds, or less once a key
// waits for the program's windows.
#include <gtest/gtest.h>

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
  SpendBudget(budget, ms, asked);
  EXPECT_GE(ms, TTickBudget::BudgetMs);
  EXPECT_LT(ms, TTickBudget::BudgetMs + 50);
  EXPECT_GT(asked, 100);

  // A window of this thread with the focus gets a key through the system's input queue.
  HWND window = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 80, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(window);
  SetForegroundWindow(window);
  SetFocus(window);
  testing_support::PumpFor(100);
  dialog_testing::SendKeyEvents({{VK_SHIFT, false}, {VK_SHIFT, true}});
  const DWORD waited = GetTickCount();
  while (!HIWORD(GetQueueStatus(QS_INPUT)) && GetTickCount() - waited < 5000) Sleep(1);
  ASSERT_TRUE(HIWORD(GetQueueStatus(QS_INPUT))) << "the key did not arrive";
  SpendBudget(budget, ms, asked);
  EXPECT_LE(asked, 16);
  EXPECT_LT(ms, TTickBudget::BudgetMs);
  testing_support::PumpFor(50);
  DestroyWindow(window);
}

}  // namespace
