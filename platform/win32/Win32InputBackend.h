#pragma once
// InputBackend over SendInput: every batch of the core is one SendInput call, so the user's own
// input cannot come between its events.
#include <windows.h>

#include <span>

#include "playback/InputBackend.h"

namespace xs::win {

class Win32InputBackend final : public xs::InputBackend {
 public:
  void SetCursorPos(int32_t x, int32_t y) override;
  ScreenPoint CursorPos() override;
  void SendMouse(std::span<const MouseEvent> events) override;
  void SendKeys(std::span<const KeyEvent> events) override;
  int DoubleClickTimeMs() override;
};

// The keyboard event SendKeys sends for one key: both the virtual key and its scan code (a
// receiver that reads either sees the right key), and the extended flag for the keys of the
// navigation block, the right-hand modifiers and the like.
[[nodiscard]] INPUT KeyInput(BYTE virtualKey, bool down);

}  // namespace xs::win
