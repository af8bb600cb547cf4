#pragma once
// The loop interval, the run mode and the run count: shown, edited and stored.
#include "app/StatusLog.h"
#include "app/Views.h"
#include "playback/RunState.h"
#include "store/Store.h"

namespace xs {

enum class RunMode : int { InfiniteLoop = 0, CustomCount = 1 };

class RunSettings {
 public:
  RunSettings(Store& store, Views& views, StatusLog& log, RunState& state);

  // Start-up: loopInterval from the store into memory and 编辑框4, then the stored run mode and
  // count into their controls (no reminder line).
  void LoadAtStartup();

  void SaveLoopInterval();   // "修改"
  void SaveRunMode();        // "设置"
  void OnRunModeSelected();  // the user picked an entry of 组合框2
  void OnTabPageChanged();
  void LoadRunMode();

 private:
  Store& store_;
  Views& views_;
  StatusLog& log_;
  RunState& state_;
};

}  // namespace xs
