#pragma once
// Turns the codes of an operation into input, and provides the waits of a pass.
#include <cstdint>
#include <functional>

#include "playback/EventLoop.h"
#include "playback/InputBackend.h"

namespace xs {

enum class ButtonAction : int { Click = 1, DoubleClick = 2, Down = 3, Up = 4 };

class InputSynth {
 public:
  InputSynth(InputBackend& input, EventLoop& loop);

  void MoveCursorTo(int32_t x, int32_t y);
  // Button code 0/1 left, 2 right, 3 middle; action 0/1 click, 2 double click, 3 down, 4 up.
  // Other codes act as 0. A double click is down, up, down, up in one batch: a full double-click
  // time between the two clicks would make the system see two single clicks.
  void SendMouseButton(int32_t button, int32_t action);
  // Codes cut to their low 8 bits; k1 always, k2/k3 when not 0 after the cut; presses then
  // releases in the same order (k1 first), all in one batch, so no key stays held.
  void PressKeys(int32_t k1, int32_t k2, int32_t k3);
  // Sleeps ms while dispatching messages; returns false when `interrupted` ended it early (or
  // already answered true when it was called). ms <= 0 returns at once without dispatching.
  bool Pause(int32_t ms, const std::function<bool()>& interrupted);
  // Dispatches the messages already waiting, without waiting for more.
  void PumpMessages();
  // Releases, in one batch, every button that a "按下" pressed and nothing released since.
  void ReleaseHeldButtons();
  bool AnyButtonHeld() const;

 private:
  InputBackend& input_;
  EventLoop& loop_;
  bool held_[4] = {false, false, false, false};  // indexed by MouseButtonCode
};

}  // namespace xs
