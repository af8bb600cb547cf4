#pragma once
// The run state shared by the playback pass, the run controller and the run settings.
#include <cstdint>

namespace xs {

struct RunState {
  int running = 0;            // 1 while a "无限循环" run is active
  int32_t passCount = 0;      // passes begun since start-up or the last stop
  int startHotKeyId = 0;      // F3 registration, 0 when it failed
  int stopHotKeyId = 0;       // F4 registration
  int32_t loopInterval = 0;   // ms between timer-driven passes
  bool countedRunActive = false;  // a "自定义" run is in progress
  bool passActive = false;        // a pass is in progress (passes never nest)
  uint64_t stopEpoch = 0;         // raised by every effective stop; a pass ends when it changes
};

}  // namespace xs
