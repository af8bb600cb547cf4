#pragma once
// Port: system-wide mouse and keyboard input.
#include <cstdint>
#include <span>

namespace xs {

enum class MouseButtonCode : int { Left = 1, Right = 2, Middle = 3 };

struct MouseEvent {
  MouseButtonCode button;
  bool down;
};

struct KeyEvent {
  uint8_t virtualKey;
  bool down;
};

struct ScreenPoint {
  int32_t x = 0, y = 0;
};

class InputBackend {
 public:
  virtual ~InputBackend() = default;
  // Physical screen pixels; points left of or above the primary screen are negative.
  virtual void SetCursorPos(int32_t x, int32_t y) = 0;
  virtual ScreenPoint CursorPos() = 0;
  // Each call is one batch: the events go to the system together, so the user's own input cannot
  // come between them.
  virtual void SendMouse(std::span<const MouseEvent> events) = 0;
  virtual void SendKeys(std::span<const KeyEvent> events) = 0;
  virtual int DoubleClickTimeMs() = 0;
};

}  // namespace xs
