// STUB: to be replaced.
#include "playback/InputSynth.h"
namespace xs {
InputSynth::InputSynth(InputBackend& input, EventLoop& loop) : input_(input), loop_(loop) {}
void InputSynth::MoveCursorTo(int32_t, int32_t) {}
void InputSynth::SendMouseButton(int32_t, int32_t) {}
void InputSynth::PressKeys(int32_t, int32_t, int32_t) {}
bool InputSynth::Pause(int32_t, const std::function<bool()>&) { return true; }
void InputSynth::ReleaseHeldButtons() {}
bool InputSynth::AnyButtonHeld() const { return false; }
}  // namespace xs
