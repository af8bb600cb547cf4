#pragma once
// A virtual clock: time moves only when something waits. Scripted events (a hot key, a button, a
// posted message) run at their virtual time inside whatever wait or pump is active, as window
// messages would; the repetition timer ticks at its period, and ticks due while busy come once.
#include <cstdint>
#include <functional>
#include <map>

#include "playback/EventLoop.h"

namespace xs::testing {

class FakeEventLoop : public EventLoop {
 public:
  int64_t NowMs() override { return now_; }
  void PumpPending() override;
  void WaitUntil(int64_t deadlineMs, const std::function<bool()>& interrupted) override;
  void ArmRepeatTimer(int32_t periodMs) override;

  // Scripted events.
  void At(int64_t timeMs, std::function<void()> fn);
  void After(int64_t delayMs, std::function<void()> fn) { At(now_ + delayMs, std::move(fn)); }
  void Post(std::function<void()> fn) { At(now_, std::move(fn)); }
  // What the timer's WM_TIMER calls.
  void SetTickHandler(std::function<void()> fn) { onTick_ = std::move(fn); }
  // The idle main loop for ms: dispatches events and ticks as they come due.
  void RunFor(int64_t ms);

  int32_t TimerPeriod() const { return period_; }
  int64_t NextTickAt() const { return nextTick_; }
  int waits = 0;       // WaitUntil calls
  int pumps = 0;       // PumpPending calls

 private:
  // Dispatches one due item (event or tick) at or before `now_`; false when none.
  bool DispatchOneDue();
  int64_t NextDueTime() const;  // earliest pending event or tick; INT64_MAX when none

  int64_t now_ = 0;
  uint64_t seq_ = 0;
  std::multimap<std::pair<int64_t, uint64_t>, std::function<void()>> events_;
  int32_t period_ = 0;
  int64_t nextTick_ = 0;
  std::function<void()> onTick_;
};

}  // namespace xs::testing
