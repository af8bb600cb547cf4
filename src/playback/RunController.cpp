#include "playback/RunController.h"

#include <string>

#include "app/Texts.h"
#include "playback/Texts.h"
#include "settings/RunSettings.h"
#include "util/TextToInt.h"

namespace xs {

RunController::RunController(RunState& state, PlaybackPass& pass, InputSynth& synth, RepeatTimer& timer,
                             EventLoop& loop, Views& views, StatusLog& log)
    : state_(state), pass_(pass), synth_(synth), timer_(timer), loop_(loop), views_(views), log_(log) {}

void RunController::RegisterHotKeys(HotKeys& hotKeys) {
  state_.startHotKeyId = hotKeys.Register(kVkF3);
  state_.stopHotKeyId = hotKeys.Register(kVkF4);
}

void RunController::OnHotKey(int id) {
  // 0 is what a failed registration left in the id: it names no hot key.
  if (id == 0) return;
  if (id == state_.startHotKeyId) Start();
  if (id == state_.stopHotKeyId) Stop();
}

bool RunController::RunActive() const { return state_.running == 1 || state_.countedRunActive; }

void RunController::Start() {
  if (RunActive() || state_.passActive) return;
  switch (static_cast<RunMode>(views_.Selection(Control::RunMode))) {
    case RunMode::InfiniteLoop: StartLoop(); return;
    case RunMode::CustomCount: RunCounted(); return;
  }
}

void RunController::StartLoop() {
  if (state_.loopInterval <= 0) {
    views_.ShowMessage(texts::kBadLoopInterval, MessageIcon::Error);
    return;
  }
  timer_.SetPeriod(state_.loopInterval);  // the first pass comes with the first tick
  views_.SetTitle(views_.Title() + texts::kRunningMark);
  log_.AppendLog(texts::kRunStarted);
  state_.running = 1;
}

void RunController::RunCounted() {
  const auto count = ParseInt32(views_.Text(Control::RunCount));
  if (!count || *count <= 0) {
    views_.ShowMessage(texts::kBadRunCount, MessageIcon::Error);
    return;
  }
  const uint64_t epoch = state_.stopEpoch;
  state_.countedRunActive = true;
  for (int32_t i = 0; i < *count; ++i) {
    if (i > 0) {
      // An empty list or a list of key rows never waits: let a stop in between passes.
      loop_.PumpPending();
      if (state_.stopEpoch != epoch) break;
    }
    if (!pass_.Run()) break;
  }
  // After a stop the flag is no longer this run's: a start nested in the pump above may own it.
  if (state_.stopEpoch == epoch) state_.countedRunActive = false;
}

void RunController::Stop() {
  if (!RunActive()) {
    // Nothing to stop; but a counted run that ended on a "按下" may have left a button down, and
    // F4 is where the user reaches for it.
    synth_.ReleaseHeldButtons();
    return;
  }
  ++state_.stopEpoch;  // the pass and the counted loop see this and return
  timer_.SetPeriod(0);
  if (state_.running == 1) views_.SetTitle(texts::kTitle);
  synth_.ReleaseHeldButtons();
  log_.AppendLog(texts::kRunStopped);
  state_.running = 0;
  state_.countedRunActive = false;
  state_.passCount = 0;
}

void RunController::OnTimerTick() {
  // Only a run arms the timer; a stray tick must not play the macro. A tick inside a pass's wait
  // is dropped by the pass itself (passes never nest).
  if (state_.running != 1) return;
  pass_.Run();
}

void RunController::OnClosing() { Stop(); }

}  // namespace xs
