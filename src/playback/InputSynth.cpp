#include "playback/InputSynth.h"

#include <array>

namespace xs {
namespace {

MouseButtonCode ButtonOf(int32_t code) {
  switch (code) {
    case 2: return MouseButtonCode::Right;
    case 3: return MouseButtonCode::Middle;
    default: return MouseButtonCode::Left;
  }
}

}  // namespace

InputSynth::InputSynth(InputBackend& input, EventLoop& loop) : input_(input), loop_(loop) {}

void InputSynth::MoveCursorTo(int32_t x, int32_t y) { input_.SetCursorPos(x, y); }

void InputSynth::SendMouseButton(int32_t button, int32_t action) {
  const MouseButtonCode b = ButtonOf(button);
  const MouseEvent down{b, true};
  const MouseEvent up{b, false};
  bool& held = held_[static_cast<int>(b)];
  switch (static_cast<ButtonAction>(action)) {
    case ButtonAction::DoubleClick: {
      const std::array<MouseEvent, 4> events{down, up, down, up};
      input_.SendMouse(events);
      held = false;
      return;
    }
    case ButtonAction::Down: {
      const std::array<MouseEvent, 1> events{down};
      input_.SendMouse(events);
      held = true;
      return;
    }
    case ButtonAction::Up: {
      const std::array<MouseEvent, 1> events{up};
      input_.SendMouse(events);
      held = false;
      return;
    }
    default: {
      const std::array<MouseEvent, 2> events{down, up};
      input_.SendMouse(events);
      held = false;
      return;
    }
  }
}

void InputSynth::PressKeys(int32_t k1, int32_t k2, int32_t k3) {
  const std::array<uint8_t, 3> keys{static_cast<uint8_t>(k1 & 0xFF), static_cast<uint8_t>(k2 & 0xFF),
                                    static_cast<uint8_t>(k3 & 0xFF)};
  std::array<KeyEvent, 6> events{};
  size_t n = 0;
  for (const bool down : {true, false}) {
    for (size_t i = 0; i < keys.size(); ++i)
      if (i == 0 || keys[i] != 0) events[n++] = KeyEvent{keys[i], down};
  }
  input_.SendKeys(std::span<const KeyEvent>(events.data(), n));
}

bool InputSynth::Pause(int32_t ms, const std::function<bool()>& interrupted) {
  if (ms <= 0) return true;
  // A stop that came before the wait must not cost the whole wait.
  if (interrupted && interrupted()) return false;
  loop_.WaitUntil(loop_.NowMs() + ms, interrupted);
  return !(interrupted && interrupted());
}

void InputSynth::PumpMessages() { loop_.PumpPending(); }

void InputSynth::ReleaseHeldButtons() {
  std::array<MouseEvent, 3> events{};
  size_t n = 0;
  for (const auto b : {MouseButtonCode::Left, MouseButtonCode::Right, MouseButtonCode::Middle}) {
    bool& held = held_[static_cast<int>(b)];
    if (!held) continue;
    events[n++] = MouseEvent{b, false};
    held = false;
  }
  if (n > 0) input_.SendMouse(std::span<const MouseEvent>(events.data(), n));
}

bool InputSynth::AnyButtonHeld() const { return held_[1] || held_[2] || held_[3]; }

}  // namespace xs
