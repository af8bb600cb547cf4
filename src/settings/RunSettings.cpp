#include "settings/RunSettings.h"

#include <optional>
#include <string>

#include "settings/Texts.h"
#include "util/TextToInt.h"

namespace xs {
namespace {

// A loop interval or a run count must be a whole number of at least 1: zero or a negative value
// would arm no timer or run no pass, and anything else is not a number the store should keep.
std::optional<int32_t> PositiveCount(const std::string& text) {
  const auto v = ParseInt32(text);
  if (!v || *v <= 0) return std::nullopt;
  return v;
}

}  // namespace

RunSettings::RunSettings(Store& store, Views& views, StatusLog& log, RunState& state)
    : store_(store), views_(views), log_(log), state_(state) {}

void RunSettings::LoadAtStartup() {
  state_.loopInterval = TextToInt(store_.ReadLoopInterval());
  views_.SetText(Control::LoopInterval, IntToText(state_.loopInterval));
  // The stored mode governs runs from the first start on, not only after the settings page has
  // been shown.
  LoadRunMode();
}

void RunSettings::SaveLoopInterval() {
  const std::string text = views_.Text(Control::LoopInterval);
  if (text.empty()) {
    views_.ShowMessage(texts::kIntervalEmpty, MessageIcon::Error);
    return;
  }
  const auto ms = PositiveCount(text);
  if (!ms) {
    views_.ShowMessage(texts::kIntervalInvalid, MessageIcon::Error);
    return;
  }
  if (!store_.SetLoopInterval(text)) {
    views_.ShowMessage(texts::kIntervalStoreFailed, MessageIcon::Error);
    return;
  }
  views_.ShowMessage(texts::kIntervalSaved, MessageIcon::None);
  // Taken only once the box is closed: a pass that runs while it shows still uses the old value.
  // The value is the one just stored, so memory and store always agree.
  state_.loopInterval = *ms;
}

void RunSettings::SaveRunMode() {
  if (views_.Selection(Control::RunMode) == static_cast<int>(RunMode::InfiniteLoop)) {
    if (store_.SetRunModeInfinite()) {
      log_.AppendLog(texts::kSettingSaved);
      views_.SetText(Control::RunCount, "");
    } else {
      log_.AppendLog(texts::kSettingFailed);
    }
  }
  if (views_.Selection(Control::RunMode) == static_cast<int>(RunMode::CustomCount)) {
    const std::string count = views_.Text(Control::RunCount);
    if (count.empty()) {
      views_.ShowMessage(texts::kCountEmpty, MessageIcon::Error);
      return;
    }
    if (!PositiveCount(count)) {
      views_.ShowMessage(texts::kCountInvalid, MessageIcon::Error);
      return;
    }
    log_.AppendLog(store_.SetRunModeCustom(count) ? texts::kSettingSaved : texts::kSettingFailed);
  }
}

void RunSettings::OnRunModeSelected() {
  if (views_.Selection(Control::RunMode) == static_cast<int>(RunMode::InfiniteLoop)) {
    views_.SetEnabled(Control::RunCount, false);
    views_.SetText(Control::RunCount, "");
  }
  if (views_.Selection(Control::RunMode) == static_cast<int>(RunMode::CustomCount)) {
    log_.AppendLog(texts::kCustomReminder);
    views_.SetEnabled(Control::RunCount, true);
    // Only on the settings page; the stored flag is not consulted: "自定义" always offers the
    // stored count.
    if (views_.CurrentPage() == 1) {
      const auto stored = store_.ReadRunMode();
      views_.SetText(Control::RunCount, stored ? stored->count : std::string());
    }
  }
}

void RunSettings::OnTabPageChanged() {
  if (views_.CurrentPage() == 1) LoadRunMode();
}

void RunSettings::LoadRunMode() {
  const auto stored = store_.ReadRunMode();
  if (!stored) return;  // no row: the controls keep what they show
  // Setting the selection from code raises no selection event, so no reminder line is logged.
  if (stored->loopFlag == "FALSE") {
    views_.SetSelection(Control::RunMode, static_cast<int>(RunMode::CustomCount));
    views_.SetEnabled(Control::RunCount, true);
    views_.SetText(Control::RunCount, stored->count);
  } else {
    views_.SetSelection(Control::RunMode, static_cast<int>(RunMode::InfiniteLoop));
    views_.SetEnabled(Control::RunCount, false);
    views_.SetText(Control::RunCount, "");
  }
}

}  // namespace xs
