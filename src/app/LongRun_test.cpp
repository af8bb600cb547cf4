// A week of unattended "无限循环" playback on the virtual clock: a move, a click and a 100 ms delay
// every second, every log line going through the real StatusLog. What must hold after days of it:
// the log stays bounded and its size flat, the pass count is exact, and memory does not creep.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <span>
#include <string>

#include "FakeEventLoop.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "ListBuilder.h"
#include "app/StatusLog.h"
#include "operations/OperationList.h"
#include "playback/InputSynth.h"
#include "playback/PlaybackPass.h"
#include "playback/RepeatTimer.h"
#include "playback/RunController.h"
#include "playback/RunState.h"
#include "store/Store.h"

#if defined(__SANITIZE_ADDRESS__)
#define XS_LONGRUN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define XS_LONGRUN_ASAN 1
#endif
#endif
#ifdef XS_LONGRUN_ASAN
// The sanitizer runtime's count of live heap bytes (its own interface; gcc ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace xs {
namespace {

using testing::FakeEventLoop;
using testing::FakeHotKeys;
using testing::FakeViews;

constexpr int64_t kSecond = 1000;
constexpr int64_t kDay = 24 * 60 * 60 * kSecond;

// The log box as the Win32 adapter keeps it: the line count is a running figure, not a scan of
// the whole text on every append (a week is ~900,000 appends).
class LongRunViews : public FakeViews {
 public:
  void LogAppend(std::string_view text) override {
    // What the box held once the previous AppendLog was done (its trim included).
    maxLines = std::max(maxLines, lines_);
    maxBytes = std::max(maxBytes, log.size());
    FakeViews::LogAppend(text);
    lines_ += static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    maxLinesInAppend = std::max(maxLinesInAppend, lines_);
  }
  int LogLineCount() override { return lines_; }
  void LogRemoveLeadingLines(int count) override {
    FakeViews::LogRemoveLeadingLines(count);
    lines_ = static_cast<int>(std::count(log.begin(), log.end(), '\n'));
    ++trims;
  }
  int maxLines = 0;
  size_t maxBytes = 0;
  int maxLinesInAppend = 0;  // inside an AppendLog, between its append and its trim
  int trims = 0;

 private:
  int lines_ = 0;
};

// Input that only counts: a recording of a week of input would itself be the memory growth.
class CountingInput : public InputBackend {
 public:
  void SetCursorPos(int32_t x, int32_t y) override {
    cursor = {x, y};
    ++moves;
  }
  ScreenPoint CursorPos() override { return cursor; }
  void SendMouse(std::span<const MouseEvent> events) override {
    ++mouseBatches;
    for (const MouseEvent& e : events) held += e.down ? 1 : -1;
  }
  void SendKeys(std::span<const KeyEvent>) override { ++keyBatches; }
  int DoubleClickTimeMs() override { return 500; }

  ScreenPoint cursor;
  int64_t moves = 0, mouseBatches = 0, keyBatches = 0;
  int held = 0;  // buttons down minus buttons up
};

// Resident memory of this process in KiB. Under the address sanitizer freed blocks sit in its
// quarantine, so resident size grows whatever the program does: the live heap is the figure there.
int64_t MemoryKb() {
#ifdef XS_LONGRUN_ASAN
  return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6));
  return -1;
#endif
}

// The playback part of the App, wired as the App wires it.
struct WeekRig {
  WeekRig() {
    views.SetItems(Control::RunMode, {"无限循环", "自定义"});
    views.SetSelection(Control::RunMode, 0);
    views.title = "星梭2.5.2";
    loop.SetTickHandler([this] { runs.OnTimerTick(); });
    runs.RegisterHotKeys(hotKeys);
    state.loopInterval = static_cast<int32_t>(kSecond);
  }
  void RunUntil(int64_t t) { loop.RunFor(t - loop.NowMs()); }

  LongRunViews views;
  FakeHotKeys hotKeys;
  FakeEventLoop loop;
  CountingInput input;
  Store store;  // not connected: the rows are only shown, as a list that was loaded at start
  StatusLog log{views};
  RunState state;
  OperationList list{store, views, log};
  RepeatTimer timer{loop};
  InputSynth synth{input, loop};
  PlaybackPass pass{list, synth, log, state, timer};
  RunController runs{state, pass, synth, timer, loop, views, log};
};

// Passes begun by time t after a start at 0: the first tick comes one interval after the start,
// and each later one an interval after the previous pass ended.
int64_t PassesBegunBy(int64_t t, int64_t intervalMs, int64_t passMs) {
  return t < intervalMs ? 0 : (t - intervalMs) / (passMs + intervalMs) + 1;
}

std::string LastLine(const FakeViews& v) {
  const auto lines = v.LogLines();
  return lines.empty() ? std::string() : lines.back();
}

TEST(LongRun, AWeekOfLoopingKeepsTheLogBoundedAndMemoryFlat) {
  WeekRig rig;
  testing::ListBuilder(rig.list).Move("640", "360").Click("左键", "单击").Delay("100");
  constexpr int64_t kPassMs = 500 + 500 + 100;  // the move's and the click's pauses, the delay

  rig.runs.Start();
  ASSERT_EQ(rig.state.running, 1);

  rig.RunUntil(1 * kDay);
  const int64_t memDay1 = MemoryKb();
  rig.RunUntil(2 * kDay);
  const int64_t memDay2 = MemoryKb();
  const size_t bytesDay2 = rig.views.log.size();
  const int linesDay2 = rig.views.LogLineCount();
  rig.RunUntil(7 * kDay);
  const int64_t memDay7 = MemoryKb();
  const size_t bytesDay7 = rig.views.log.size();
  const int linesDay7 = rig.views.LogLineCount();

  // Every pass ran, at the pace the pauses and the interval give, and none was cut short.
  const int64_t passes = PassesBegunBy(rig.loop.NowMs(), kSecond, kPassMs);
  EXPECT_GT(passes, 280000);
  EXPECT_EQ(rig.state.passCount, passes);
  EXPECT_EQ(rig.input.moves, passes);
  EXPECT_EQ(rig.input.mouseBatches, passes);
  EXPECT_EQ(rig.input.held, 0);
  EXPECT_EQ(rig.state.running, 1);
  EXPECT_FALSE(rig.state.passActive) << "a pass was still running when the week ended";
  EXPECT_EQ(LastLine(rig.views), "系统提示：代码执行次数为：" + std::to_string(passes));

  // Bounded: never more than the kept lines plus one dropped chunk, and the oldest kept line is
  // whole (lines are dropped whole from the top).
  EXPECT_LE(rig.views.maxLines, 11000);
  EXPECT_GE(linesDay7, 10000);
  EXPECT_GT(rig.views.trims, 800) << "the log was not trimmed as it grew";
  EXPECT_EQ(rig.views.log.rfind("系统提示：", 0), 0u) << rig.views.log.substr(0, 80);

  // Flat: a day-7 log is the size of a day-2 log (the count line has one more digit by then).
  EXPECT_LT(static_cast<double>(bytesDay7), 1.1 * static_cast<double>(bytesDay2))
      << "day 2: " << bytesDay2 << " bytes, " << linesDay2 << " lines; day 7: " << bytesDay7 << " bytes, "
      << linesDay7 << " lines";

  // A generous bound only: memory is a figure here, not a timing.
  std::printf("[ LongRun  ] passes %lld; log day 2: %zu B / %d lines, day 7: %zu B / %d lines, peak %zu B / %d "
              "lines (%d inside an append); memory KiB after day 1 %lld, day 2 %lld, day 7 %lld%s\n",
              static_cast<long long>(passes), bytesDay2, linesDay2, bytesDay7, linesDay7, rig.views.maxBytes,
              rig.views.maxLines, rig.views.maxLinesInAppend, static_cast<long long>(memDay1), static_cast<long long>(memDay2),
              static_cast<long long>(memDay7),
#ifdef XS_LONGRUN_ASAN
              " (live heap)"
#else
              " (resident)"
#endif
  );
  ASSERT_GT(memDay2, 0);
  EXPECT_LT(memDay7 - memDay2, 16 * 1024) << "memory grew from day 2 to day 7";
  EXPECT_LT(memDay2 - memDay1, 16 * 1024) << "memory grew during day 2";
}

}  // namespace
}  // namespace xs
