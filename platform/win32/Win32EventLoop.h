#pragma once
// EventLoop on the GUI thread of Win32: the performance counter as the clock, waits that sleep on
// a waitable timer while dispatching messages, and the main window's repetition timer.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "playback/EventLoop.h"

namespace xs::win {

// Timer id of the repetition timer 时钟1 on the main window; its WM_TIMER goes to the core.
inline constexpr UINT_PTR kRepeatTimerId = 1;

// The kind of timer a wait sleeps on. Each kind falls back to the next when the system refuses
// it; None waits on the message queue alone with a computed timeout.
enum class WaitTimerKind { HighResolution, Plain, None };

class Win32EventLoop final : public xs::EventLoop {
 public:
  Win32EventLoop() : Win32EventLoop(WaitTimerKind::HighResolution) {}
  // For tests and benchmarks that want a less capable timer than the system offers.
  explicit Win32EventLoop(WaitTimerKind preferred);

  void SetMainWindow(HWND main) { main_ = main; }

  int64_t NowMs() override;
  void PumpPending() override;
  // Re-entrant: a handler dispatched inside may start another wait; nothing is shared between
  // them, and each ends at its own deadline.
  void WaitUntil(int64_t deadlineMs, const std::function<bool()>& interrupted) override;
  void ArmRepeatTimer(int32_t periodMs) override;

 private:
  HWND main_ = nullptr;
  int64_t frequency_ = 1;  // performance-counter ticks per second
  WaitTimerKind preferred_;
};

}  // namespace xs::win
