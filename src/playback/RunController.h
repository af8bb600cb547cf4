#pragma once
// Start and stop, by button or hot key; the repetition timer's ticks. Every handler here may run
// nested inside a pass (its waits dispatch messages); the RunState flags keep runs and passes
// from nesting.
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
  // Does nothing while a run or a pass is active. Refuses, with a message box, a count that is
  // not a whole number above 0 ("自定义") or a loop interval of 0 or less ("无限循环").
  void Start();
  // Ends any run at once, counted runs included; releases buttons the run left held.
  void Stop();
  void OnTimerTick();
  // The main window is closing: acts as a stop (releases held buttons).
  void OnClosing();

 private:
  bool RunActive() const;
  void StartLoop();
  void RunCounted();

  RunState& state_;
  PlaybackPass& pass_;
  InputSynth& synth_;
  RepeatTimer& timer_;
  EventLoop& loop_;
  Views& views_;
  StatusLog& log_;
};

}  // namespace xs
