#pragma once
// One pass over the OperationList, row by row, reading each cell when it is needed.
#include "app/StatusLog.h"
#include "operations/OperationList.h"
#include "playback/InputSynth.h"
#include "playback/RepeatTimer.h"
#include "playback/RunState.h"

namespace xs {

class PlaybackPass {
 public:
  PlaybackPass(OperationList& list, InputSynth& synth, StatusLog& log, RunState& state, RepeatTimer& timer);
  // Runs one pass. Returns false when a stop ended it early (it then writes no count line).
  // Dispatches pending messages after every row, so a stop is seen even without waits.
  bool Run();

 private:
  OperationList& list_;
  InputSynth& synth_;
  StatusLog& log_;
  RunState& state_;
  RepeatTimer& timer_;
};

}  // namespace xs
