#pragma once
// The one place where the GUI thread takes messages off its queue: the main loop and every nested
// wait go through here, so Esc behaves the same during playback as when idle.
#include <windows.h>

namespace xs::win {

// Top-level windows of ours have class names starting with this prefix; Esc (without Shift, Ctrl
// or Alt) pressed in any of them closes that top-level window.
inline constexpr wchar_t kClassPrefix[] = L"Xs";

// Translates and dispatches one message already taken off the queue (Esc rule first).
void DispatchOne(MSG& msg);
// Dispatches every waiting message; stops before WM_QUIT and leaves it queued. Returns false when
// WM_QUIT is waiting.
bool PumpPending();

}  // namespace xs::win
