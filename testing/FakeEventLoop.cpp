#include "FakeEventLoop.h"

#include <climits>

namespace xs::testing {

void FakeEventLoop::At(int64_t timeMs, std::function<void()> fn) {
  events_.emplace(std::make_pair(timeMs, seq_++), std::move(fn));
}

void FakeEventLoop::ArmRepeatTimer(int32_t periodMs) {
  period_ = periodMs > 0 ? periodMs : 0;
  nextTick_ = period_ > 0 ? now_ + period_ : 0;
}

int64_t FakeEventLoop::NextDueTime() const {
  int64_t t = events_.empty() ? INT64_MAX : events_.begin()->first.first;
  if (period_ > 0 && nextTick_ < t) t = nextTick_;
  return t;
}

bool FakeEventLoop::DispatchOneDue() {
  const bool eventDue = !events_.empty() && events_.begin()->first.first <= now_;
  const bool tickDue = period_ > 0 && nextTick_ <= now_;
  if (!eventDue && !tickDue) return false;
  // Earlier first; a tick and an event due at the same time: the event (posted earlier) first.
  if (eventDue && (!tickDue || events_.begin()->first.first <= nextTick_)) {
    auto node = events_.extract(events_.begin());
    node.mapped()();
    return true;
  }
  // Ticks that came due while busy are delivered once.
  while (nextTick_ <= now_) nextTick_ += period_;
  if (onTick_) onTick_();
  return true;
}

void FakeEventLoop::PumpPending() {
  ++pumps;
  while (DispatchOneDue()) {
  }
}

void FakeEventLoop::WaitUntil(int64_t deadlineMs, const std::function<bool()>& interrupted) {
  ++waits;
  for (;;) {
    if (DispatchOneDue()) {
      if (interrupted && interrupted()) return;
      continue;
    }
    if (now_ >= deadlineMs) return;
    const int64_t next = NextDueTime();
    if (next > deadlineMs) {
      now_ = deadlineMs;
      return;
    }
    if (next > now_) now_ = next;
  }
}

void FakeEventLoop::RunFor(int64_t ms) { WaitUntil(now_ + ms, nullptr); }

}  // namespace xs::testing
