// EventLoop over QueryPerformanceCounter, MsgWaitForMultipleObjectsEx and a one-shot waitable
// timer per wait; the repetition timer is a window timer of the main window.
#include "Win32EventLoop.h"

#include "Handles.h"
#include "MessagePump.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace xs::win {
namespace {

int64_t Counter() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart;
}

// a * b / c rounded up, without overflowing for counter values of a long uptime.
int64_t MulDivUp(int64_t a, int64_t b, int64_t c) {
  return (a / c) * b + ((a % c) * b + c - 1) / c;
}

UniqueHandle CreateWaitTimer(WaitTimerKind preferred) {
  if (preferred == WaitTimerKind::HighResolution) {
    // Older systems refuse the flag; a plain timer then ends up to a tick late but still sleeps.
    UniqueHandle t(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS));
    if (t) return t;
  }
  if (preferred != WaitTimerKind::None) {
    return UniqueHandle(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
  }
  return UniqueHandle();
}

// Sets the timer to fire after `ticks` performance-counter ticks; false when the system refuses.
bool SetRelative(HANDLE timer, int64_t ticks, int64_t frequency) {
  LARGE_INTEGER due;
  due.QuadPart = -MulDivUp(ticks, 10'000'000, frequency);  // negative: relative, 100 ns units
  if (due.QuadPart == 0) due.QuadPart = -1;
  return SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) != 0;
}

}  // namespace

Win32EventLoop::Win32EventLoop(WaitTimerKind preferred) : preferred_(preferred) {
  LARGE_INTEGER f;
  // Never fails on XP and later; the guard keeps a division by zero impossible.
  if (QueryPerformanceFrequency(&f) && f.QuadPart > 0) frequency_ = f.QuadPart;
}

int64_t Win32EventLoop::NowMs() {
  const int64_t c = Counter();
  return (c / frequency_) * 1000 + (c % frequency_) * 1000 / frequency_;
}

void Win32EventLoop::PumpPending() { xs::win::PumpPending(); }

void Win32EventLoop::WaitUntil(int64_t deadlineMs, const std::function<bool()>& interrupted) {
  // NowMs() >= deadlineMs exactly when the counter has reached this value.
  const int64_t endCount = MulDivUp(deadlineMs, frequency_, 1000);
  if (Counter() >= endCount) return;

  UniqueHandle timer = CreateWaitTimer(preferred_);
  if (timer && !SetRelative(timer.get(), endCount - Counter(), frequency_)) timer.reset();

  for (;;) {
    const int64_t left = endCount - Counter();
    if (left <= 0) return;
    DWORD result;
    if (timer) {
      HANDLE h = timer.get();
      result = MsgWaitForMultipleObjectsEx(1, &h, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    } else {
      // No timer: the message wait's own timeout, in whole milliseconds rounded up.
      const int64_t ms = MulDivUp(left, 1000, frequency_);
      const DWORD timeout = ms >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(ms);
      result = MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }

    if (timer && result == WAIT_OBJECT_0) {
      // A timer may fire a hair before the counter agrees; then sleep the rest.
      const int64_t rest = endCount - Counter();
      if (rest <= 0) return;
      if (!SetRelative(timer.get(), rest, frequency_)) timer.reset();
      continue;
    }
    if (result == WAIT_OBJECT_0 + (timer ? 1 : 0)) {
      // WM_QUIT stays queued for the main loop; waiting on would wake at once, again and again.
      if (!xs::win::PumpPending()) return;
      if (interrupted && interrupted()) return;
      continue;
    }
    if (result == WAIT_TIMEOUT) continue;  // the loop head decides whether the end has come
    // WAIT_FAILED. Without the timer the wait goes on on the queue alone; if even that fails,
    // sleep out the rest rather than spin.
    if (timer) {
      timer.reset();
      continue;
    }
    const int64_t rest = endCount - Counter();
    if (rest > 0) Sleep(static_cast<DWORD>(MulDivUp(rest, 1000, frequency_)));
    return;
  }
}

void Win32EventLoop::ArmRepeatTimer(int32_t periodMs) {
  if (main_ == nullptr) return;
  KillTimer(main_, kRepeatTimerId);
  if (periodMs > 0) SetTimer(main_, kRepeatTimerId, static_cast<UINT>(periodMs), nullptr);
}

}  // namespace xs::win
