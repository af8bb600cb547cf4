// STUB: to be replaced.
#include "playback/RunController.h"
namespace xs {
RunController::RunController(RunState& state, PlaybackPass& pass, InputSynth& synth, RepeatTimer& timer, EventLoop& loop, Views& views, StatusLog& log) : state_(state), pass_(pass), synth_(synth), timer_(timer), loop_(loop), views_(views), log_(log) {}
void RunController::RegisterHotKeys(HotKeys& hotKeys) { state_.startHotKeyId = hotKeys.Register(kVkF3); state_.stopHotKeyId = hotKeys.Register(kVkF4); }
void RunController::OnHotKey(int) {}
void RunController::Start() {}
void RunController::Stop() {}
void RunController::OnTimerTick() {}
void RunController::OnClosing() {}
}  // namespace xs
