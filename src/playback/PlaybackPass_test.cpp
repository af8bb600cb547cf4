#include "playback/PlaybackPass.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "PlaybackRig.h"
#include "operations/Texts.h"
#include "playback/Texts.h"

namespace xs::testing {
namespace {

using Lines = std::vector<std::string>;
using Calls = std::vector<std::string>;

std::string Line(const char* text) {
  std::string s = text;
  return s.substr(0, s.size() - 2);  // without "\r\n", as LogLines gives it
}
std::string CountLine(int n) { return std::string(texts::kPassCountPrefix) + std::to_string(n); }

// For edits through "删除" and "清空操作", which need the rows' records.
class PlaybackPassOnStore : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.storeReady); }
  PlaybackRig rig;
};

// Everything else needs no store.
class PlaybackPassTest : public ::testing::Test {
 protected:
  PlaybackRig rig{PlaybackRig::WithStore::No};
};

TEST_F(PlaybackPassTest, EveryKindGivesItsInputLogAndPause) {
  rig.Rows()
      .Move("10", "20")
      .Click("右键", "双击")
      .Delay("250")
      .Keys("17", "67")
      .Keys("65")
      .Click("中键", "单击");
  EXPECT_TRUE(rig.pass.Run());
  EXPECT_EQ(rig.input.calls, (Calls{"move 10,20", "mouse R+ R- R+ R-", "keys 17+ 67+ 17- 67-", "keys 65+ 65-",
                                    "mouse M+ M-"}));
  // 500 after the move, 500 after each click, the delay's own 250; key rows are back to back.
  EXPECT_EQ(rig.input.callTimes, (std::vector<int64_t>{0, 500, 1250, 1250, 1250}));
  EXPECT_EQ(rig.loop.NowMs(), 1750);
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kDidMouse), Line(texts::kDidDelay), Line(texts::kDidKeys),
                                         Line(texts::kDidKeys), Line(texts::kDidMouse), CountLine(1)}));
  EXPECT_EQ(rig.state.passCount, 1);
  EXPECT_FALSE(rig.state.passActive);
}

struct CodeCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> clicks;  // (参数一, 参数二)
  Calls onePass;
};

TEST_F(PlaybackPassTest, ButtonAndActionCodesCarryFromRowToRowAndStartAgainEachPass) {
  const CodeCase cases[] = {
      {"unknown button first in the pass: left", {{"X", "单击"}}, {"mouse L+ L-"}},
      {"unknown button after a right click: right", {{"右键", "单击"}, {"左 键", "单击"}}, {"mouse R+ R-", "mouse R+ R-"}},
      {"the next pass starts from 0 again", {{"", "单击"}, {"右键", "单击"}}, {"mouse L+ L-", "mouse R+ R-"}},
      {"unknown action first in the pass: single click", {{"中键", "click"}}, {"mouse M+ M-"}},
      {"unknown action after a down: down again", {{"左键", "按下"}, {"右键", ""}}, {"mouse L+", "mouse R+"}},
      {"both known on every row", {{"左键", "按下"}, {"左键", "放开"}}, {"mouse L+", "mouse L-"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PlaybackRig r(PlaybackRig::WithStore::No);
    auto rows = r.Rows();
    for (const auto& [button, action] : c.clicks) rows.Row(texts::kKindClick, "0", "0", button, action, "0", "0");
    r.pass.Run();
    r.pass.Run();
    Calls twice = c.onePass;
    twice.insert(twice.end(), c.onePass.begin(), c.onePass.end());
    EXPECT_EQ(r.input.calls, twice);
  }
}

struct DelayCase {
  const char* cell;
  int64_t pausedMs;
};

TEST_F(PlaybackPassTest, ADelayCellIsReadLenientlyAndLogsEvenWithoutAPause) {
  const DelayCase cases[] = {{"0", 0},    {"", 0},     {"abc", 0},    {"-5", 0},    {"12ab", 12},
                             {" 7", 7},   {"+30", 30}, {"１２", 12},  {"2000", 2000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.Rows().Row(texts::kKindDelay, "0", "0", "0", "0", "0", c.cell);
    r.pass.Run();
    EXPECT_EQ(r.loop.NowMs(), c.pausedMs);
    EXPECT_EQ(r.views.LogLines(), (Lines{Line(texts::kDidDelay), CountLine(1)}));
  }
}

TEST_F(PlaybackPassTest, MoveCellsAreReadLenientlyToo) {
  auto& r = rig;
  r.Rows().Row(texts::kKindMove, " 12px", "-３", "0", "0", "0", "0").Row(texts::kKindMove, "", "x", "0", "0", "0", "0");
  r.pass.Run();
  EXPECT_EQ(r.input.calls, (Calls{"move 12,-3", "move 0,0"}));
  EXPECT_EQ(r.loop.NowMs(), 1000);
  EXPECT_EQ(r.views.LogLines(), (Lines{CountLine(1)})) << "a move logs nothing";
}

TEST_F(PlaybackPassTest, KindsAreComparedWholeAndUnknownRowsDoNothing) {
  auto& r = rig;
  r.state.running = 1;
  r.state.loopInterval = 700;
  r.timer.SetPeriod(700);
  for (const char* kind : {"延迟 ", " 鼠标点击", "键盘", "", "鼠标移动\r\n"})
    r.Rows().Row(kind, "5", "5", "左键", "单击", "0", "100");
  r.loop.RunFor(100);
  r.pass.Run();
  EXPECT_TRUE(r.input.calls.empty());
  EXPECT_EQ(r.loop.NowMs(), 100);
  EXPECT_EQ(r.views.LogLines(), (Lines{CountLine(1)}));
  // Each row still stopped the timer; the end armed it afresh, a full interval from now.
  EXPECT_EQ(r.loop.NextTickAt(), 800);
}

TEST_F(PlaybackPassTest, AnEmptyListCountsAndLeavesARunningTimerUndisturbed) {
  rig.state.running = 1;
  rig.state.loopInterval = 100;
  rig.timer.SetPeriod(100);
  rig.loop.At(30, [this] { EXPECT_TRUE(rig.pass.Run()); });
  rig.loop.RunFor(50);
  EXPECT_EQ(rig.state.passCount, 1);
  EXPECT_EQ(rig.views.LogLines(), (Lines{CountLine(1)}));
  EXPECT_EQ(rig.loop.NextTickAt(), 100) << "setting the same period keeps the countdown";
  EXPECT_TRUE(rig.input.calls.empty());
}

struct TimerCase {
  const char* name;
  int running;
  int32_t expectedPeriod;
};

TEST_F(PlaybackPassTest, EveryRowStopsTheTimerAndTheEndSetsItFromRunning) {
  const TimerCase cases[] = {{"running: the loop interval", 1, 400}, {"not running: stopped", 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PlaybackRig r(PlaybackRig::WithStore::No);
    r.state.running = c.running;
    r.state.loopInterval = 400;
    r.timer.SetPeriod(400);
    r.Rows().Delay("300").Keys("65");
    std::vector<int32_t> periods;
    r.loop.At(150, [&] { periods.push_back(r.loop.TimerPeriod()); });
    r.pass.Run();
    EXPECT_EQ(periods, (std::vector<int32_t>{0}));
    EXPECT_EQ(r.loop.TimerPeriod(), c.expectedPeriod);
    if (c.expectedPeriod > 0) EXPECT_EQ(r.loop.NextTickAt(), 300 + 400) << "the gap counts from the pass's end";
  }
}

TEST_F(PlaybackPassTest, ThePassCountWrapsLikeA32BitCounter) {
  rig.state.passCount = INT32_MAX;
  rig.pass.Run();
  EXPECT_EQ(rig.views.LogLines(), (Lines{CountLine(INT32_MIN)}));
}

// Edits made by handlers that run inside the pass's pauses.

TEST_F(PlaybackPassOnStore, ARowDeletedDuringItsMovePauseLetsTheNextRowMeetTheRemainingTests) {
  rig.Rows().Move("1", "1").Click("左键", "单击").Keys("65");
  rig.loop.At(100, [this] {
    rig.views.listSelection = 0;
    rig.list.DeleteSelected();
  });
  rig.pass.Run();
  // Position 0 now holds the click: the click test of row 0 performs it; then row 1 is the key row,
  // and position 2 reads empty.
  EXPECT_EQ(rig.input.calls, (Calls{"move 1,1", "mouse L+ L-", "keys 65+ 65-"}));
  EXPECT_EQ(rig.input.callTimes, (std::vector<int64_t>{0, 500, 1000}));
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kDeleted), Line(texts::kDidMouse), Line(texts::kDidKeys),
                                         CountLine(1)}));
}

TEST_F(PlaybackPassOnStore, RowsDeletedBelowShiftUpAndPositionsPastTheEndDoNothing) {
  rig.Rows().Delay("100").Keys("65").Keys("66").Keys("67");
  rig.loop.At(50, [this] {
    rig.views.listSelection = 1;
    rig.list.DeleteSelected();
  });
  rig.pass.Run();
  EXPECT_EQ(rig.input.calls, (Calls{"keys 66+ 66-", "keys 67+ 67-"}));
}

TEST_F(PlaybackPassOnStore, AListClearedDuringADelayPerformsNothingMoreButStillCounts) {
  rig.Rows().Delay("100").Keys("65").Click("左键", "单击");
  rig.loop.At(50, [this] { rig.list.ClearAll(); });
  EXPECT_TRUE(rig.pass.Run());
  EXPECT_TRUE(rig.input.calls.empty());
  EXPECT_EQ(rig.views.LogLines(), (Lines{Line(texts::kCleared), Line(texts::kDidDelay), CountLine(1)}));
}

TEST_F(PlaybackPassOnStore, RowsAddedDuringAPassWaitForTheNextPass) {
  rig.Rows().Delay("100").Keys("65");
  rig.loop.At(50, [this] { rig.Rows().Keys("66"); });
  rig.pass.Run();
  EXPECT_EQ(rig.input.calls, (Calls{"keys 65+ 65-"}));
  rig.pass.Run();
  EXPECT_EQ(rig.input.calls, (Calls{"keys 65+ 65-", "keys 65+ 65-", "keys 66+ 66-"}));
}

TEST_F(PlaybackPassOnStore, ARowReplacedDuringAPauseIsReadAfresh) {
  // The click row is deleted and a key row appended in its place while the delay row waits.
  rig.Rows().Delay("100").Click("左键", "单击");
  rig.loop.At(50, [this] {
    rig.views.listSelection = 1;
    rig.list.DeleteSelected();
    rig.Rows().Keys("70");
  });
  rig.pass.Run();
  EXPECT_EQ(rig.input.calls, (Calls{"keys 70+ 70-"}));
}

TEST_F(PlaybackPassTest, MessagesAreDispatchedAfterEveryRowEvenWithoutWaits) {
  rig.Rows().Keys("65").Keys("66").Keys("67");
  std::vector<size_t> seenAfter;
  rig.input.afterCall = [this, &seenAfter] {
    rig.loop.Post([this, &seenAfter] { seenAfter.push_back(rig.input.calls.size()); });
  };
  rig.pass.Run();
  EXPECT_EQ(seenAfter, (std::vector<size_t>{1, 2, 3})) << "each row's posted message ran before the next row";
}

}  // namespace
}  // namespace xs::testing
