#pragma once
// The repetition timer 时钟1 and its period rules.
#include <cstdint>
#include "playback/EventLoop.h"

namespace xs {

class RepeatTimer {
 public:
  explicit RepeatTimer(EventLoop& loop) : loop_(loop) {}
  // Negative is taken as 0; an unchanged period leaves a running countdown undisturbed; any
  // other value cancels it and, if positive, starts a new one.
  void SetPeriod(int32_t ms) {
    if (ms < 0) ms = 0;
    if (ms == period_) return;
    period_ = ms;
    loop_.ArmRepeatTimer(ms);
  }
  int32_t Period() const { return period_; }

 private:
  EventLoop& loop_;
  int32_t period_ = 0;
};

}  // namespace xs
