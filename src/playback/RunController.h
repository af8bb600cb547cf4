#pragma once
// Start and stop, by button or hot key; the repetition timer's ticks.
#include "app/HotKeys.h"
#include "app/StatusLog.h"
#include "app/Views.h"
#include "playback/EventLoop.h"
#include "playback/InputSynth.h"
#include "playback/PlaybackPass.h"
#include "playback/RepeatTimer.h"
#include "playback/RunState.h"

namespace xs {

inline constexpr int kVkF3 = 114;
inline constexpr int kVkF4 = 115;

class RunController {
 public:
  RunController(RunState& state, PlaybackPass& pass, InputSynth& synth, RepeatTimer& timer,
                EventLoop& loop, Views& views, StatusLog& log);

  void RegisterHotKeys(HotKeys& hotKeys);  // F3 then F4; ids kept in RunState
  void OnHotKey(int id);
  void Start();
  void Stop();
  void OnTimerTick();
  // The main window is closing: acts as a stop (releases held buttons).
  void OnClosing();

 private:
  RunState& state_;
  PlaybackPass& pass_;
  InputSynth& synth_;
  RepeatTimer& timer_;
  EventLoop& loop_;
  Views& views_;
  StatusLog& log_;
};

}  // namespace xs
