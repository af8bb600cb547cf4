#pragma once
// Port: the GUI thread's clock, its message dispatch, its sleeping waits and the main window's
// repetition timer. Handlers run nested inside PumpPending and WaitUntil.
#include <cstdint>
#include <functional>

namespace xs {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Monotonic milliseconds.
  virtual int64_t NowMs() = 0;
  // Dispatches every message already waiting, then returns.
  virtual void PumpPending() = 0;
  // Sleeps until NowMs() >= deadlineMs, dispatching messages as they come; after each dispatched
  // message it asks `interrupted` and returns early when it answers true. Never spins.
  virtual void WaitUntil(int64_t deadlineMs, const std::function<bool()>& interrupted) = 0;
  // The repetition timer 时钟1: 0 stops it; a positive period starts a new periodic countdown
  // whose first tick comes one period later. The core's RepeatTimer applies the rules about
  // negative and unchanged periods; the adapter just arms.
  virtual void ArmRepeatTimer(int32_t periodMs) = 0;
};

}  // namespace xs
