#pragma once
// An InputBackend that records every call, with the virtual time it came at, and tracks what is
// held down.
#include <set>
#include <string>
#include <vector>

#include "playback/EventLoop.h"
#include "playback/InputBackend.h"

namespace xs::testing {

class RecordingInput : public InputBackend {
 public:
  explicit RecordingInput(EventLoop* clock = nullptr) : clock_(clock) {}

  void SetCursorPos(int32_t x, int32_t y) override;
  ScreenPoint CursorPos() override { return cursor; }
  void SendMouse(std::span<const MouseEvent> events) override;
  void SendKeys(std::span<const KeyEvent> events) override;
  int DoubleClickTimeMs() override { return doubleClickTime; }

  // Calls as text: "move 10,20", "mouse L+ L-", "keys 17+ 65+ 17- 65-".
  std::vector<std::string> calls;
  std::vector<int64_t> callTimes;
  ScreenPoint cursor;
  int doubleClickTime = 500;
  std::set<int> heldButtons;  // MouseButtonCode values
  std::set<int> heldKeys;
  int batches = 0;

 private:
  void Record(std::string call);
  EventLoop* clock_;
};

}  // namespace xs::testing
