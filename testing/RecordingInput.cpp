#include "RecordingInput.h"

namespace xs::testing {

void RecordingInput::Record(std::string call) {
  calls.push_back(std::move(call));
  callTimes.push_back(clock_ ? clock_->NowMs() : 0);
}

void RecordingInput::SetCursorPos(int32_t x, int32_t y) {
  cursor = {x, y};
  Record("move " + std::to_string(x) + "," + std::to_string(y));
}

void RecordingInput::SendMouse(std::span<const MouseEvent> events) {
  static const char kNames[] = "?LRM";
  std::string s = "mouse";
  for (const auto& e : events) {
    const int b = static_cast<int>(e.button);
    s += ' ';
    s += (b >= 1 && b <= 3) ? kNames[b] : '?';
    s += e.down ? '+' : '-';
    if (e.down) heldButtons.insert(b); else heldButtons.erase(b);
  }
  ++batches;
  Record(std::move(s));
}

void RecordingInput::SendKeys(std::span<const KeyEvent> events) {
  std::string s = "keys";
  for (const auto& e : events) {
    s += ' ' + std::to_string(e.virtualKey) + (e.down ? '+' : '-');
    if (e.down) heldKeys.insert(e.virtualKey); else heldKeys.erase(e.virtualKey);
  }
  ++batches;
  Record(std::move(s));
}

}  // namespace xs::testing
