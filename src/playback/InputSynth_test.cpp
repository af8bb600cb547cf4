#include "playback/InputSynth.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "FakeEventLoop.h"
#include "RecordingInput.h"

namespace xs::testing {
namespace {

using Calls = std::vector<std::string>;

struct SynthRig {
  FakeEventLoop loop;
  RecordingInput input{&loop};
  InputSynth synth{input, loop};
};

struct MouseCase {
  const char* name;
  int32_t button, action;
  Calls expected;
};

TEST(InputSynthMouse, EachButtonAndActionGivesItsEventsInOneBatch) {
  const MouseCase cases[] = {
      {"codes 0 act as left click", 0, 0, {"mouse L+ L-"}},
      {"left click", 1, 1, {"mouse L+ L-"}},
      {"right click", 2, 1, {"mouse R+ R-"}},
      {"middle click", 3, 0, {"mouse M+ M-"}},
      // Both clicks in one batch: a pause of the double-click time between them would make the
      // system see two single clicks.
      {"right double click", 2, 2, {"mouse R+ R- R+ R-"}},
      {"left down", 0, 3, {"mouse L+"}},
      {"middle up", 3, 4, {"mouse M-"}},
      {"unknown codes act as 0", 7, 9, {"mouse L+ L-"}},
      {"negative codes act as 0", -2, -1, {"mouse L+ L-"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SynthRig rig;
    rig.synth.SendMouseButton(c.button, c.action);
    EXPECT_EQ(rig.input.calls, c.expected);
    EXPECT_EQ(rig.loop.waits + rig.loop.pumps, 0) << "no wait inside a button action";
  }
}

TEST(InputSynthMouse, ADownStaysHeldUntilItsUpAndIsTracked) {
  SynthRig rig;
  rig.synth.SendMouseButton(3, 3);
  EXPECT_EQ(rig.input.heldButtons, (std::set<int>{3}));
  EXPECT_TRUE(rig.synth.AnyButtonHeld());
  rig.synth.SendMouseButton(1, 1);  // another button's click leaves it held
  EXPECT_TRUE(rig.synth.AnyButtonHeld());
  rig.synth.SendMouseButton(3, 4);
  EXPECT_FALSE(rig.synth.AnyButtonHeld());
  EXPECT_EQ(rig.input.calls, (Calls{"mouse M+", "mouse L+ L-", "mouse M-"}));
  EXPECT_TRUE(rig.input.heldButtons.empty());
}

TEST(InputSynthMouse, AClickOrDoubleClickOfAHeldButtonEndsReleased) {
  for (int32_t action : {1, 2}) {
    SCOPED_TRACE(action);
    SynthRig rig;
    rig.synth.SendMouseButton(2, 3);
    rig.synth.SendMouseButton(2, action);
    EXPECT_FALSE(rig.synth.AnyButtonHeld());
    rig.synth.ReleaseHeldButtons();
    EXPECT_EQ(rig.input.calls.size(), 2u) << "nothing left to release";
  }
}

TEST(InputSynthMouse, ReleaseHeldButtonsLetsGoOfEveryHeldButtonInOneBatch) {
  SynthRig rig;
  rig.synth.ReleaseHeldButtons();
  EXPECT_TRUE(rig.input.calls.empty()) << "nothing held, nothing sent";
  rig.synth.SendMouseButton(1, 3);
  rig.synth.SendMouseButton(3, 3);
  rig.synth.SendMouseButton(2, 3);
  rig.synth.SendMouseButton(2, 4);
  rig.synth.ReleaseHeldButtons();
  EXPECT_EQ(rig.input.calls.back(), "mouse L- M-");
  EXPECT_TRUE(rig.input.heldButtons.empty());
  EXPECT_FALSE(rig.synth.AnyButtonHeld());
  rig.synth.ReleaseHeldButtons();
  EXPECT_EQ(rig.input.calls.size(), 5u) << "a second release sends nothing";
}

struct KeyCase {
  const char* name;
  int32_t k1, k2, k3;
  const char* expected;
};

TEST(InputSynthKeys, ChordsPressInOrderAndReleaseInTheSameOrderInOneBatch) {
  const KeyCase cases[] = {
      {"key 0 alone is still sent", 0, 0, 0, "keys 0+ 0-"},
      {"one key", 65, 0, 0, "keys 65+ 65-"},
      {"only the low 8 bits count", 321, 0, 0, "keys 65+ 65-"},
      {"empty second key skipped", 65, 0, 66, "keys 65+ 66+ 65- 66-"},
      {"empty third key skipped", 17, 67, 0, "keys 17+ 67+ 17- 67-"},
      {"three keys, releases k1 first", 17, 16, 65, "keys 17+ 16+ 65+ 17- 16- 65-"},
      {"a second key that cuts to 0 is skipped", 65, 256, 0, "keys 65+ 65-"},
      {"negative codes keep their low bits", -1, 0, 0, "keys 255+ 255-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SynthRig rig;
    rig.synth.PressKeys(c.k1, c.k2, c.k3);
    EXPECT_EQ(rig.input.calls, (Calls{c.expected}));
    EXPECT_TRUE(rig.input.heldKeys.empty());
  }
}

TEST(InputSynthPause, ZeroOrNegativeReturnsAtOnceWithoutDispatching) {
  for (int32_t ms : {0, -5}) {
    SCOPED_TRACE(ms);
    SynthRig rig;
    bool dispatched = false;
    rig.loop.Post([&] { dispatched = true; });
    EXPECT_TRUE(rig.synth.Pause(ms, nullptr));
    EXPECT_FALSE(dispatched);
    EXPECT_EQ(rig.loop.NowMs(), 0);
    EXPECT_EQ(rig.loop.waits, 0);
  }
}

TEST(InputSynthPause, SleepsItsTimeAndDispatchesWhatComesMeanwhile) {
  SynthRig rig;
  std::vector<int64_t> seen;
  rig.loop.Post([&] { seen.push_back(rig.loop.NowMs()); });  // already waiting at the start
  rig.loop.At(120, [&] { seen.push_back(rig.loop.NowMs()); });
  rig.loop.At(301, [&] { seen.push_back(rig.loop.NowMs()); });
  EXPECT_TRUE(rig.synth.Pause(300, [] { return false; }));
  EXPECT_EQ(rig.loop.NowMs(), 300);
  EXPECT_EQ(seen, (std::vector<int64_t>{0, 120}));
}

TEST(InputSynthPause, AMessageWaitingAtTheStartIsDispatchedEvenInOneMillisecond) {
  SynthRig rig;
  bool dispatched = false;
  rig.loop.Post([&] { dispatched = true; });
  rig.synth.Pause(1, nullptr);
  EXPECT_TRUE(dispatched);
}

TEST(InputSynthPause, InterruptionEndsItEarlyAndSaysSo) {
  SynthRig rig;
  bool stop = false;
  rig.loop.At(40, [] {});
  rig.loop.At(70, [&] { stop = true; });
  EXPECT_FALSE(rig.synth.Pause(500, [&] { return stop; }));
  EXPECT_EQ(rig.loop.NowMs(), 70);
}

TEST(InputSynthPause, AnInterruptionAlreadyThereCostsNoTime) {
  SynthRig rig;
  EXPECT_FALSE(rig.synth.Pause(500, [] { return true; }));
  EXPECT_EQ(rig.loop.NowMs(), 0);
}

TEST(InputSynthMove, PutsTheCursorOnThePointWithoutWaiting) {
  SynthRig rig;
  rig.synth.MoveCursorTo(-5, 7);
  EXPECT_EQ(rig.input.calls, (Calls{"move -5,7"}));
  EXPECT_EQ(rig.loop.waits, 0);
}

}  // namespace
}  // namespace xs::testing
