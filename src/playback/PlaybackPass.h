#pragma once
// One pass over the OperationList, row by row, reading each cell when it is needed.
#include <cstdint>

#include "app/StatusLog.h"
#include "operations/OperationList.h"
#include "playback/InputSynth.h"
#include "playback/RepeatTimer.h"
#include "playback/RunState.h"

namespace xs {

inline constexpr int32_t kMovePauseMs = 500;   // after a "鼠标移动" row
inline constexpr int32_t kClickPauseMs = 500;  // after a "鼠标点击" row

class PlaybackPass {
 public:
  PlaybackPass(OperationList& list, InputSynth& synth, StatusLog& log, RunState& state, RepeatTimer& timer);
  // Runs one pass. Returns false when it did not run to its end: a stop (a change of
  // RunState::stopEpoch) ended it, and it then writes no count line; or another pass was already
  // active, and it did nothing at all. Dispatches pending messages after every row, so a stop is
  // seen even in a list without waits. Handlers run nested inside it; it holds no reference to a
  // row across a wait, since those handlers may edit the list.
  bool Run();

 private:
  OperationList& list_;
  InputSynth& synth_;
  StatusLog& log_;
  RunState& state_;
  RepeatTimer& timer_;
};

}  // namespace xs
