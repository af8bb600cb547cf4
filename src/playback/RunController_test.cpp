#include "playback/RunController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "PlaybackRig.h"
#include "app/Texts.h"
#include "playback/Texts.h"

namespace xs::testing {
namespace {

using Lines = std::vector<std::string>;
using Calls = std::vector<std::string>;
using Times = std::vector<int64_t>;

std::string Line(const char* text) {
  std::string s = text;
  return s.substr(0, s.size() - 2);  // without "\r\n", as LogLines gives it
}
std::string CountLine(int n) { return std::string(texts::kPassCountPrefix) + std::to_string(n); }
const std::string kMarkedTitle = std::string(texts::kTitle) + texts::kRunningMark;

class RunControllerTest : public ::testing::Test {
 protected:
  PlaybackRig rig{PlaybackRig::WithStore::No};
};

// "无限循环".

TEST_F(RunControllerTest, InfiniteStartMarksTheRunAndPassesComeOneIntervalAfterTheLastEnded) {
  rig.Rows().Delay("300").Keys("65");
  rig.Infinite(1000);
  rig.F3();
  EXPECT_EQ(rig.views.title, kMarkedTitle);
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted)}));
  EXPECT_EQ(rig.state.running, 1);
  EXPECT_TRUE(rig.input.calls.empty()) << "the first pass waits for the first tick";
  rig.loop.RunFor(3000);
  // Ticks at 1000 and 2300: each pass re-arms the timer at its end.
  EXPECT_EQ(rig.input.callTimes, (Times{1300, 2600}));
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted), Line(texts::kDidDelay), Line(texts::kDidKeys),
                                         CountLine(1), Line(texts::kDidDelay), Line(texts::kDidKeys), CountLine(2)}));
}

TEST_F(RunControllerTest, ASecondStartMarksAndLogsNothingMore) {
  rig.Infinite(1000);
  rig.F3();
  rig.runs.Start();  // the button
  EXPECT_EQ(rig.views.title, kMarkedTitle);
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted)}));
  EXPECT_EQ(rig.loop.NextTickAt(), 1000);
}

TEST_F(RunControllerTest, AnEmptyListLogsOnlyTheCountLineAtEachTickOneIntervalApart) {
  Times ticks;
  rig.loop.SetTickHandler([this, &ticks] {
    ticks.push_back(rig.loop.NowMs());
    rig.runs.OnTimerTick();
  });
  rig.Infinite(100);
  rig.F3();
  rig.loop.RunFor(350);
  EXPECT_EQ(ticks, (Times{100, 200, 300}));
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted), CountLine(1), CountLine(2), CountLine(3)}));
}

TEST_F(RunControllerTest, StartStopStartCountsFromOneAgain) {
  rig.Rows().Keys("65");
  rig.Infinite(100);
  rig.F3();
  rig.loop.RunFor(250);
  rig.F4();
  EXPECT_EQ(rig.views.title, texts::kTitle);
  EXPECT_EQ(rig.state.running, 0);
  EXPECT_EQ(rig.state.passCount, 0);
  EXPECT_EQ(rig.loop.TimerPeriod(), 0);
  rig.loop.RunFor(500);
  EXPECT_EQ(rig.input.calls.size(), 2u) << "no pass while stopped";
  rig.F3();
  rig.loop.RunFor(150);
  EXPECT_EQ(rig.views.LogLines(),
            (Lines{Line(texts::kRunStarted), Line(texts::kDidKeys), CountLine(1), Line(texts::kDidKeys), CountLine(2),
                   Line(texts::kRunStopped), Line(texts::kRunStarted), Line(texts::kDidKeys), CountLine(1)}));
}

TEST_F(RunControllerTest, AStopWhileIdleChangesAndSaysNothing) {
  rig.Rows().Keys("65");
  rig.Counted("2");
  rig.F3();
  const Lines before = rig.views.LogLines();
  rig.F4();
  rig.runs.Stop();
  EXPECT_EQ(rig.views.LogLines(), before);
  EXPECT_EQ(rig.views.title, texts::kTitle);
  EXPECT_EQ(rig.state.passCount, 2) << "only the stop of a run resets the count";
  EXPECT_EQ(rig.input.calls.size(), 2u);
}

// "自定义".

TEST_F(RunControllerTest, CountedRunsRunBackToBackAndContinueThePassCount) {
  rig.Rows().Keys("65");
  rig.Counted("3");
  rig.F3();
  rig.runs.Start();
  EXPECT_EQ(rig.views.LogLines(),
            (Lines{Line(texts::kDidKeys), CountLine(1), Line(texts::kDidKeys), CountLine(2), Line(texts::kDidKeys),
                   CountLine(3), Line(texts::kDidKeys), CountLine(4), Line(texts::kDidKeys), CountLine(5),
                   Line(texts::kDidKeys), CountLine(6)}));
  EXPECT_EQ(rig.views.title, texts::kTitle);
  EXPECT_EQ(rig.state.running, 0);
  EXPECT_FALSE(rig.state.countedRunActive);
  EXPECT_EQ(rig.loop.TimerPeriod(), 0);
  EXPECT_EQ(rig.loop.NowMs(), 0) << "no gap between passes";
}

struct CountCase {
  const char* text;
  int passes;  // -1: refused
};

TEST_F(RunControllerTest, TheCountMustBeAWholeNumberAboveZero) {
  const CountCase cases[] = {{"abc", -1}, {"-3", -1}, {"0", -1}, {"4294967299", -1}, {"", -1}, {" 3", -1},
                             {"3x", -1},  {"2", 2},   {"+2", 2}, {"３", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Rows().Keys("65");
    r.Counted(c.text);
    r.F3();
    if (c.passes < 0) {
      ASSERT_EQ(r.views.messages.size(), 1u);
      EXPECT_EQ(r.views.messages[0].text, texts::kBadRunCount);
      EXPECT_EQ(r.views.messages[0].icon, MessageIcon::Error);
      EXPECT_TRUE(r.input.calls.empty());
      EXPECT_TRUE(r.views.log.empty());
    } else {
      EXPECT_TRUE(r.views.messages.empty());
      EXPECT_EQ(r.input.calls.size(), static_cast<size_t>(c.passes));
    }
    EXPECT_FALSE(r.state.countedRunActive);
  }
}

TEST_F(RunControllerTest, AnInfiniteRunNeedsALoopIntervalAboveZero) {
  for (int32_t interval : {0, -5}) {
    SCOPED_TRACE(interval);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Infinite(interval);
    r.F3();
    ASSERT_EQ(r.views.messages.size(), 1u);
    EXPECT_EQ(r.views.messages[0].text, texts::kBadLoopInterval);
    EXPECT_EQ(r.views.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(r.views.title, texts::kTitle);
    EXPECT_TRUE(r.views.log.empty());
    EXPECT_EQ(r.state.running, 0);
    EXPECT_EQ(r.loop.TimerPeriod(), 0);
  }
}

// Stop always stops.

TEST_F(RunControllerTest, F4DuringACountedRunEndsItInThePauseInProgress) {
  rig.Rows().Click("左键", "单击").Delay("1000");
  rig.Counted("5");
  rig.loop.At(1200, [this] { rig.F4(); });
  rig.F3();
  EXPECT_EQ(rig.loop.NowMs(), 1200) << "the delay ended early";
  rig.loop.RunFor(10000);
  EXPECT_EQ(rig.input.calls, (Calls{"mouse L+ L-"}));
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kDidMouse), Line(texts::kRunStopped)}))
      << "the stopped pass writes no count line";
  EXPECT_EQ(rig.state.passCount, 0);
  EXPECT_FALSE(rig.state.countedRunActive);
  EXPECT_EQ(rig.views.title, texts::kTitle) << "a counted run never marked the title";
}

TEST_F(RunControllerTest, F4DuringAnInfinitePassEndsItAtOnce) {
  rig.Rows().Delay("1000").Keys("65");
  rig.Infinite(100);
  rig.loop.At(600, [this] { rig.F4(); });
  rig.F3();
  rig.loop.RunFor(10000);
  EXPECT_TRUE(rig.input.calls.empty());
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted), Line(texts::kRunStopped)}));
  EXPECT_EQ(rig.views.title, texts::kTitle);
  EXPECT_EQ(rig.loop.TimerPeriod(), 0);
  EXPECT_EQ(rig.state.passCount, 0);
}

TEST_F(RunControllerTest, AStopReachesAMacroOfKeyRowsOnly) {
  struct Case {
    const char* name;
    bool counted;
  };
  for (const Case c : {Case{"counted", true}, Case{"infinite", false}}) {
    SCOPED_TRACE(c.name);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Rows().Keys("65").Keys("66");
    if (c.counted) r.Counted("100"); else r.Infinite(10);
    int batches = 0;
    r.input.afterCall = [&] {
      if (++batches == 7) r.loop.Post([&] { r.F4(); });
    };
    r.F3();
    r.loop.RunFor(1000);
    EXPECT_EQ(r.input.calls.size(), 7u);
    const Lines lines = r.views.LogLines();
    EXPECT_EQ(lines.back(), Line(texts::kRunStopped));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), CountLine(3)), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), CountLine(4)), 0) << "the fourth pass was stopped";
    EXPECT_EQ(r.state.passCount, 0);
  }
}

TEST_F(RunControllerTest, AStopBetweenCountedPassesIsSeenEvenWithAnEmptyList) {
  rig.Counted("1000");
  rig.views.afterLog = [this](std::string_view line) {
    if (line == CountLine(3) + "\r\n") rig.loop.Post([this] { rig.F4(); });
  };
  rig.F3();
  EXPECT_EQ(rig.views.LogLines(), (Lines{CountLine(1), CountLine(2), CountLine(3), Line(texts::kRunStopped)}));
}

TEST_F(RunControllerTest, AStartRightAfterAStopBetweenCountedPassesBeginsAFreshRun) {
  rig.Rows().Keys("65");
  rig.Counted("3");
  bool posted = false;
  rig.views.afterLog = [&](std::string_view line) {
    if (posted || line != CountLine(1) + "\r\n") return;
    posted = true;
    rig.loop.Post([this] { rig.F4(); });
    rig.loop.Post([this] { rig.F3(); });
  };
  rig.F3();
  EXPECT_EQ(rig.views.LogLines(),
            (Lines{Line(texts::kDidKeys), CountLine(1), Line(texts::kRunStopped), Line(texts::kDidKeys), CountLine(1),
                   Line(texts::kDidKeys), CountLine(2), Line(texts::kDidKeys), CountLine(3)}));
  EXPECT_FALSE(rig.state.countedRunActive);
  rig.F4();
  EXPECT_EQ(rig.views.LogLines().back(), CountLine(3)) << "nothing left running to stop";
}

// Nothing stays held.

TEST_F(RunControllerTest, ButtonsTheRunHoldsAreReleasedByAStopOrByClosing) {
  struct Case {
    const char* name;
    bool counted;
    bool closing;
  };
  const Case cases[] = {{"infinite, F4", false, false},
                        {"infinite, closing", false, true},
                        {"counted, F4", true, false},
                        {"counted, closing", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Rows().Click("左键", "按下").Click("右键", "按下").Delay("5000").Click("左键", "放开").Click("右键", "放开");
    if (c.counted) r.Counted("3"); else r.Infinite(100);
    r.loop.At(2000, [&] {
      if (c.closing) r.runs.OnClosing(); else r.F4();
    });
    r.F3();
    r.loop.RunFor(10000);
    const size_t n = r.input.calls.size();
    ASSERT_GE(n, 1u);
    EXPECT_EQ(r.input.calls.back(), "mouse L- R-");
    EXPECT_TRUE(r.input.heldButtons.empty());
    EXPECT_FALSE(r.synth.AnyButtonHeld());
    EXPECT_EQ(r.views.LogLines().back(), Line(texts::kRunStopped));
  }
}

TEST_F(RunControllerTest, AButtonLeftDownByAFinishedRunIsReleasedByF4OrClosingWithoutALine) {
  for (bool closing : {false, true}) {
    SCOPED_TRACE(closing ? "closing" : "F4");
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Rows().Click("中键", "按下");
    r.Counted("1");
    r.F3();
    ASSERT_EQ(r.input.heldButtons, (std::set<int>{3}));
    const Lines before = r.views.LogLines();
    if (closing) r.runs.OnClosing(); else r.F4();
    EXPECT_TRUE(r.input.heldButtons.empty());
    EXPECT_EQ(r.views.LogLines(), before);
    EXPECT_EQ(r.state.passCount, 1);
  }
}

TEST(RunControllerApp, ClosingTheMainWindowDuringARunStopsItAndReleasesTheButton) {
  AppFixture f;
  ASSERT_TRUE(f.Start());
  ListBuilder(f.app->List(), &f.app->GetStore()).Click("右键", "按下").Delay("3000");
  f.views.SetSelection(Control::RunMode, 0);
  f.app->State().loopInterval = 100;
  f.app->Runs().OnHotKey(f.app->State().startHotKeyId);
  f.loop.At(1000, [&] { f.app->OnMainWindowDestroying(); });
  f.loop.RunFor(5000);
  EXPECT_EQ(f.input.calls, (Calls{"mouse R+", "mouse R-"}));
  EXPECT_EQ(f.input.callTimes, (Times{100, 1000}));
  EXPECT_TRUE(f.input.heldButtons.empty());
  EXPECT_EQ(f.views.LogLines().back(), Line(texts::kRunStopped));
  EXPECT_EQ(f.loop.TimerPeriod(), 0);
}

// Passes never nest.

TEST_F(RunControllerTest, ATickDuringAPassDoesNotStartAPassInsideIt) {
  int ticksInsidePass = 0;
  rig.loop.SetTickHandler([&] {
    if (rig.state.passActive) ++ticksInsidePass;
    rig.runs.OnTimerTick();
  });
  rig.Rows().Delay("200");
  rig.Infinite(50);
  rig.F3();
  // Something arms the timer again while the first pass (50 to 250) waits.
  rig.loop.At(100, [this] { rig.timer.SetPeriod(30); });
  rig.loop.RunFor(260);
  EXPECT_GT(ticksInsidePass, 0);
  EXPECT_EQ(rig.state.passCount, 1);
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted), Line(texts::kDidDelay), CountLine(1)}));
  EXPECT_EQ(rig.loop.TimerPeriod(), 50) << "the pass re-armed the loop interval at its end";
  EXPECT_EQ(rig.loop.NextTickAt(), 300);
}

TEST_F(RunControllerTest, AStartDuringAPassIsIgnored) {
  struct Case {
    const char* name;
    int modeAtSecondStart;
  };
  for (const Case c : {Case{"counted again", 1}, Case{"switched to infinite", 0}}) {
    SCOPED_TRACE(c.name);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Rows().Delay("1000");
    r.Counted("2");
    r.loop.At(500, [&] {
      r.views.SetSelection(Control::RunMode, c.modeAtSecondStart);
      r.F3();
      r.runs.Start();
    });
    r.F3();
    r.loop.RunFor(5000);
    EXPECT_EQ(r.views.LogLines(),
              (Lines{Line(texts::kDidDelay), CountLine(1), Line(texts::kDidDelay), CountLine(2)}));
    EXPECT_EQ(r.views.title, texts::kTitle);
    EXPECT_EQ(r.state.running, 0);
    EXPECT_EQ(r.loop.TimerPeriod(), 0);
    EXPECT_TRUE(r.views.messages.empty());
  }
}

TEST_F(RunControllerTest, AStartInTheSameDispatchAsTheStopOfAPassIsIgnored) {
  // Both keys come before the stopped pass has returned: it is still active, so the start waits
  // for nothing and is dropped.
  rig.Rows().Keys("65").Keys("66");
  rig.Infinite(100);
  rig.input.afterCall = [this] {
    rig.input.afterCall = nullptr;
    rig.loop.Post([this] { rig.F4(); });
    rig.loop.Post([this] { rig.F3(); });
  };
  rig.F3();
  rig.loop.RunFor(1000);
  EXPECT_EQ(rig.input.calls, (Calls{"keys 65+ 65-"}));
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kRunStarted), Line(texts::kDidKeys), Line(texts::kRunStopped)}));
  EXPECT_EQ(rig.state.running, 0);
  EXPECT_EQ(rig.views.title, texts::kTitle);
}

TEST_F(RunControllerTest, AStrayTickWithoutARunPlaysNothing) {
  rig.Rows().Keys("65");
  rig.runs.OnTimerTick();
  EXPECT_TRUE(rig.input.calls.empty());
  EXPECT_TRUE(rig.views.log.empty());
  EXPECT_EQ(rig.state.passCount, 0);
}

// Hot keys.

TEST_F(RunControllerTest, HotKeyIdsStartAndStopAndIdZeroDoesNothing) {
  struct Case {
    const char* name;
    std::set<int> taken;
    int startId, stopId;
  };
  const Case cases[] = {{"both free", {}, 1, 2}, {"F3 taken", {kVkF3}, 0, 1}, {"both taken", {kVkF3, kVkF4}, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.hotKeys = FakeHotKeys{};
    r.hotKeys.taken = c.taken;
    r.runs.RegisterHotKeys(r.hotKeys);
    EXPECT_EQ(r.hotKeys.registered, (std::vector<int>{kVkF3, kVkF4}));
    EXPECT_EQ(r.state.startHotKeyId, c.startId);
    EXPECT_EQ(r.state.stopHotKeyId, c.stopId);
    r.Infinite(100);
    r.runs.OnHotKey(0);  // a failed registration's 0 is no hot key
    EXPECT_EQ(r.state.running, 0);
    r.runs.Start();
    r.runs.OnHotKey(0);
    EXPECT_EQ(r.state.running, 1);
    if (c.stopId != 0) {
      r.runs.OnHotKey(c.stopId);
      EXPECT_EQ(r.state.running, 0);
    }
    if (c.startId != 0) {
      r.runs.OnHotKey(c.startId);
      EXPECT_EQ(r.state.running, 1);
    }
  }
}

// Stop under load: stops at pseudo-random moments of runs over macros that press and release
// buttons. Whatever the moment, nothing is held afterwards and no input follows the stop.

TEST(RunStopUnderLoad, AThousandStopsLeaveNothingHeldAndNoInputAfterThem) {
  std::mt19937 rng(20170228);  // fixed: a failure replays
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* const buttons[] = {"左键", "右键", "中键", "?"};
  const char* const actions[] = {"单击", "双击", "按下", "放开", "按下", "?"};
  int stoppedMidPass = 0;
  for (int i = 0; i < 1000; ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    PlaybackRig rig(PlaybackRig::WithStore::No);
    auto rows = rig.Rows();
    const int n = pick(1, 8);
    for (int r = 0; r < n; ++r) {
      switch (pick(0, 5)) {
        case 0: rows.Move(std::to_string(pick(-50, 2000)), std::to_string(pick(-50, 1200))); break;
        case 1:
        case 2:
        case 3: rows.Click(buttons[pick(0, 3)], actions[pick(0, 5)]); break;
        case 4: rows.Delay(std::to_string(pick(0, 700))); break;
        default:
          rows.Keys(std::to_string(pick(0, 300)), std::to_string(pick(0, 1) ? 0 : pick(1, 255)),
                    std::to_string(pick(0, 1) ? 0 : pick(1, 255)));
      }
    }
    if (pick(0, 1)) rig.Counted(std::to_string(pick(1, 6))); else rig.Infinite(pick(1, 400));

    bool stopped = false;
    bool runWasActive = false;
    size_t callsAtStop = 0;
    const auto stop = [&] {
      if (stopped) return;
      stopped = true;
      runWasActive = rig.state.running == 1 || rig.state.countedRunActive;
      if (rig.state.passActive) ++stoppedMidPass;
      rig.F4();
      callsAtStop = rig.input.calls.size();
    };
    if (pick(0, 1)) {
      // Right after the k-th input call: lands between rows of a macro that never waits, too.
      const int k = pick(1, 12);
      rig.input.afterCall = [&, k, calls = 0]() mutable {
        if (++calls == k) rig.loop.Post(stop);
      };
    }
    rig.loop.At(pick(0, 4000), stop);  // always, so that a macro without input gets its stop too
    rig.F3();
    rig.loop.RunFor(6000);

    ASSERT_TRUE(stopped);
    EXPECT_EQ(rig.input.calls.size(), callsAtStop) << "input after the stop";
    EXPECT_TRUE(rig.input.heldButtons.empty());
    EXPECT_TRUE(rig.input.heldKeys.empty());
    EXPECT_EQ(rig.state.running, 0);
    EXPECT_FALSE(rig.state.countedRunActive);
    EXPECT_FALSE(rig.state.passActive);
    EXPECT_EQ(rig.loop.TimerPeriod(), 0);
    if (runWasActive) {
      EXPECT_EQ(rig.views.LogLines().back(), Line(texts::kRunStopped));
      EXPECT_EQ(rig.state.passCount, 0);
    }
  }
  // The property means little unless most stops fell inside a pass.
  EXPECT_GT(stoppedMidPass, 500);
}

}  // namespace
}  // namespace xs::testing
