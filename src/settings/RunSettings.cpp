// STUB: to be replaced.
#include "settings/RunSettings.h"
namespace xs {
RunSettings::RunSettings(Store& store, Views& views, StatusLog& log, RunState& state) : store_(store), views_(views), log_(log), state_(state) {}
void RunSettings::LoadAtStartup() {}
void RunSettings::SaveLoopInterval() {}
void RunSettings::SaveRunMode() {}
void RunSettings::OnRunModeSelected() {}
void RunSettings::OnTabPageChanged() {}
void RunSettings::LoadRunMode() {}
}  // namespace xs
