// Generated texts in the loop-interval box (then "修改") and the run-count box (then "设置" in
// "自定义" mode): whatever is typed, nothing crashes; a refused text changes neither the store
// nor the value in memory and reports no success; an accepted one stores exactly the number a run
// will use, now and after a restart. Real store file (in /dev/shm when there is one, so the full
// syncs cost little); built with sanitizers in the test command too.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "AppFixture.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "settings/RunSettings.h"
#include "settings/Texts.h"
#include "FuzzText.h"
#include "util/TextToInt.h"

namespace xs {
namespace {

using testing::FakeViews;
using testing::FastDir;
using testing::GenerateUserText;

constexpr int kStoreTexts = 100000;  // per box, through the real store path



// The one rule for both boxes: a whole number of at least 1 within 32 bits.
std::optional<int32_t> AcceptedValue(const std::string& text) {
  const auto v = ParseInt32(text);
  return v && *v > 0 ? v : std::nullopt;
}


bool SaysSuccess(const std::string& text) { return text.find("成功") != std::string::npos; }

class SettingsFuzz : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Store::CreateIfMissing(path), CreateResult::Created);
    ASSERT_TRUE(store.Connect(path));
    testing::PrepareControls(views);
    settings.LoadAtStartup();
  }

  // Restarts on the same file and returns what a run would then use.
  struct Loaded {
    int32_t loopInterval;
    int selectedMode;
    std::optional<int32_t> runCount;  // the count box as RunController reads it
  };
  Loaded Reload() {
    store.Disconnect();
    EXPECT_TRUE(store.Connect(path));
    FakeViews fresh;
    testing::PrepareControls(fresh);
    RunState freshState;
    StatusLog freshLog{fresh};
    RunSettings reloaded{store, fresh, freshLog, freshState};
    reloaded.LoadAtStartup();
    return {freshState.loopInterval, fresh.Selection(Control::RunMode), ParseInt32(fresh.Text(Control::RunCount))};
  }

  void Report(const char* box, int accepted, std::chrono::steady_clock::time_point start) {
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ fuzz     ] %s: %d texts through the store path, %d accepted, %.1f s\n", box, kStoreTexts, accepted,
                s);
  }

  FastDir fast;
  std::string path = fast.Path("NBDA.rdb");
  Store store;
  FakeViews views;
  StatusLog log{views};
  RunState state;
  RunSettings settings{store, views, log, state};
  std::mt19937 rng{20170228};
};

TEST_F(SettingsFuzz, LoopIntervalStoresWhatTheTimerWillUseOrNothing) {
  const auto start = std::chrono::steady_clock::now();
  int accepted = 0;
  std::string storedBefore = store.ReadLoopInterval();
  for (int i = 0; i < kStoreTexts; ++i) {
    const std::string text = GenerateUserText(rng, 30);
    const int32_t memoryBefore = state.loopInterval;
    const size_t messagesBefore = views.messages.size();
    const int logWritesBefore = views.logWrites;
    views.SetText(Control::LoopInterval, text);
    settings.SaveLoopInterval();

    ASSERT_EQ(views.messages.size(), messagesBefore + 1) << text;  // one box, either way
    const testing::ShownMessage shown = views.messages.back();
    ASSERT_EQ(views.logWrites, logWritesBefore) << text;  // "修改" answers in a box, never in the log
    if (const auto v = AcceptedValue(text)) {
      ASSERT_EQ(shown.text, texts::kIntervalSaved) << text;
      ASSERT_EQ(shown.icon, MessageIcon::None) << text;
      storedBefore = store.ReadLoopInterval();
      ASSERT_EQ(storedBefore, IntToText(*v)) << text;
      ASSERT_EQ(state.loopInterval, *v) << text;
      ++accepted;
    } else {
      ASSERT_FALSE(SaysSuccess(shown.text)) << text;
      ASSERT_EQ(shown.icon, MessageIcon::Error) << text;
      ASSERT_EQ(store.ReadLoopInterval(), storedBefore) << text;
      ASSERT_EQ(state.loopInterval, memoryBefore) << text;
    }
  }
  EXPECT_GT(accepted, 2000) << "the generator hardly reaches the accepting path";
  EXPECT_EQ(Reload().loopInterval, state.loopInterval) << "the next start uses another interval";
  Report("loop interval", accepted, start);
}

TEST_F(SettingsFuzz, RunCountStoresWhatACountedRunWillUseOrNothing) {
  const auto start = std::chrono::steady_clock::now();
  int accepted = 0;
  std::optional<int32_t> last;
  for (int i = 0; i < kStoreTexts; ++i) {
    const std::string text = GenerateUserText(rng, 30);
    const auto storedBefore = store.ReadRunMode();
    ASSERT_TRUE(storedBefore.has_value());
    // The fake log box counts its lines by reading all of them: kept short, so the run stays fast.
    if (views.log.size() > 64 * 1024) views.log.clear();
    const size_t messagesBefore = views.messages.size();
    const int logWritesBefore = views.logWrites;
    views.SetSelection(Control::RunMode, static_cast<int>(RunMode::CustomCount));
    views.SetText(Control::RunCount, text);
    settings.SaveRunMode();

    if (const auto v = AcceptedValue(text)) {
      ASSERT_EQ(views.messages.size(), messagesBefore) << text;
      ASSERT_EQ(views.logWrites, logWritesBefore + 1) << text;
      ASSERT_TRUE(views.log.ends_with(texts::kSettingSaved)) << text;
      const auto stored = store.ReadRunMode();
      ASSERT_TRUE(stored.has_value());
      ASSERT_EQ(stored->loopFlag, "FALSE") << text;
      ASSERT_EQ(stored->count, IntToText(*v)) << text;
      last = v;
      ++accepted;
    } else {
      ASSERT_EQ(views.messages.size(), messagesBefore + 1) << text;
      ASSERT_EQ(views.messages.back().icon, MessageIcon::Error) << text;
      ASSERT_FALSE(SaysSuccess(views.messages.back().text)) << text;
      ASSERT_EQ(views.logWrites, logWritesBefore) << text;
      const auto stored = store.ReadRunMode();
      ASSERT_TRUE(stored.has_value());
      ASSERT_EQ(stored->loopFlag, storedBefore->loopFlag) << text;
      ASSERT_EQ(stored->count, storedBefore->count) << text;
    }
  }
  EXPECT_GT(accepted, 2000) << "the generator hardly reaches the accepting path";
  const Loaded next = Reload();
  EXPECT_EQ(next.selectedMode, static_cast<int>(RunMode::CustomCount));
  EXPECT_EQ(next.runCount, last) << "the next start offers another count";
  Report("run count", accepted, start);
}

}  // namespace
}  // namespace xs
