// Waiting until the machine is idle, for at most a time-out, without blocking the window. A
// thread of idle priority adds 2 to a counter per channel each time the idle timer (10 ms) lets
// it run once; each tick of the timer takes 1 away again. So a counter grows by about one a tick
// while nothing else wants the processor and falls while the machine is busy. A channel's wait
// is done when its counter passes 100 or its time-out has passed.
//
// Channel 0 serves the reference-list exchange (up to 2 s), channel 1 the spelling helper's
// answer (up to 20 s).
#pragma once

#include <atomic>
#include <functional>

#include "classlib/System.h"

class TIdleThread;

class TIdleWaits : public TObject {
  CLASS_INFO(TIdleWaits, TObject)
public:
  static constexpr int ChannelCount = 2;
  static constexpr int ExchangeChannel = 0;
  static constexpr int HelperChannel = 1;
  // A counter above this means the machine has been idle long enough.
  static constexpr int IdleCount = 100;
  // The idle timer's interval: time-outs are counted in its ticks.
  static constexpr Cardinal TickMs = 10;

  // `enableTimer` switches the idle timer on and off. Without `withThread` no idle thread runs
  // and the counters change only by the ticks (and by a test).
  TIdleWaits(std::function<void(bool)> enableTimer, bool withThread);
  ~TIdleWaits() override;

  // The channel's counter and ticks start at 0, its time-out is `milliseconds` in ticks, and
  // the idle timer runs.
  void StartIdleWait(int channel, Cardinal milliseconds);
  bool IdleWaitDone(int channel) const { return channels_[channel].Done; }
  // One tick of the idle timer: lets the idle thread run once, counts and ends the waits that
  // are over; the timer stops once no wait is left.
  void Tick();

  struct Channel {
    std::atomic<int> Counter{0};
    int Ticks = 0;
    int TimeoutTicks = 0;
    bool Done = true;
  };
  Channel& GetChannel(int channel) { return channels_[channel]; }

private:
  Channel channels_[ChannelCount];
  std::function<void(bool)> enableTimer_;
  TIdleThread* thread_ = nullptr;
};
