#include "app/IdleWait.h"

#include "classlib/Threads.h"

// Runs only when no other thread wants the processor; each run adds 2 to every channel's
// counter and stops until the idle timer lets it run again.
class TIdleThread : public TThread {
  CLASS_INFO(TIdleThread, TThread)
public:
  explicit TIdleThread(TIdleWaits& waits) : TThread(true), waits_(waits) { SetPriority(tpIdle); }
  ~TIdleThread() override {
    Terminate();
    // A thread that stops itself must run once more to see that it is to end; it may stop just
    // after being let go, so it is let go until it has ended.
    do Resume();
    while (::WaitForSingleObject(GetHandle(), 10) == WAIT_TIMEOUT);
    WaitFor();
  }

protected:
  void Execute() override {
    while (!GetTerminated()) {
      for (int channel = 0; channel < TIdleWaits::ChannelCount; ++channel)
        waits_.GetChannel(channel).Counter.fetch_add(2, std::memory_order_relaxed);
      if (GetTerminated()) break;
      Suspend();
    }
  }

private:
  TIdleWaits& waits_;
};

TIdleWaits::TIdleWaits(std::function<void(bool)> enableTimer, bool withThread)
    : enableTimer_(std::move(enableTimer)) {
  if (withThread) thread_ = new TIdleThread(*this);
}

TIdleWaits::~TIdleWaits() { delete thread_; }

void TIdleWaits::StartIdleWait(int channel, Cardinal milliseconds) {
  Channel& c = channels_[channel];
  c.Counter = 0;
  c.Ticks = 0;
  c.TimeoutTicks = static_cast<int>(milliseconds / TickMs);
  c.Done = false;
  if (enableTimer_) enableTimer_(true);
}

void TIdleWaits::Tick() {
  // Let go unconditionally: the thread may be about to stop itself, and letting go a thread that
  // runs does nothing, so it never stays stopped for more than a tick.
  if (thread_) thread_->Resume();
  bool allDone = true;
  for (Channel& c : channels_) {
    if (c.Counter.load(std::memory_order_relaxed) > 0) c.Counter.fetch_sub(1, std::memory_order_relaxed);
    ++c.Ticks;
    if (c.Counter.load(std::memory_order_relaxed) > IdleCount || c.Ticks > c.TimeoutTicks) c.Done = true;
    allDone = allDone && c.Done;
  }
  if (allDone && enableTimer_) enableTimer_(false);
}
