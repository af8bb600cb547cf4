#pragma once
// Playback without the rest of the App: the list (on a real store file when asked, so rows can be
// deleted or cleared during a pass), the virtual clock, a recording input that can run a hook after
// each call, and the synth, the pass and the run controller wired as the App wires them.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FakeEventLoop.h"
#include "FakeSystem.h"
#include "FakeViews.h"
#include "ListBuilder.h"
#include "RecordingInput.h"
#include "app/StatusLog.h"
#include "operations/OperationList.h"
#include "playback/InputSynth.h"
#include "playback/PlaybackPass.h"
#include "playback/RepeatTimer.h"
#include "playback/RunController.h"
#include "playback/RunState.h"
#include "store/Store.h"

namespace xs::testing {

// A RecordingInput that calls afterCall once each call is recorded: a test can post a hot key
// "right after the 7th key batch" in a macro that never waits.
class HookedInput : public RecordingInput {
 public:
  using RecordingInput::RecordingInput;
  void SetCursorPos(int32_t x, int32_t y) override { RecordingInput::SetCursorPos(x, y); After(); }
  void SendMouse(std::span<const MouseEvent> events) override { RecordingInput::SendMouse(events); After(); }
  void SendKeys(std::span<const KeyEvent> events) override { RecordingInput::SendKeys(events); After(); }
  std::function<void()> afterCall;

 private:
  void After() {
    if (afterCall) afterCall();
  }
};

// FakeViews that calls afterLog with each appended log line: a test can post a hot key right after
// a pass's count line, between two passes of a counted run.
class HookedViews : public FakeViews {
 public:
  void LogAppend(std::string_view text) override {
    FakeViews::LogAppend(text);
    if (afterLog) afterLog(text);
  }
  std::function<void(std::string_view)> afterLog;
};

struct PlaybackRig {
  enum class WithStore { No, Yes };

  explicit PlaybackRig(WithStore withStore = WithStore::Yes) {
    views.title = "星梭2.5.2";
    views.SetItems(Control::RunMode, {"无限循环", "自定义"});
    views.SetSelection(Control::RunMode, 0);
    loop.SetTickHandler([this] { runs.OnTimerTick(); });
    runs.RegisterHotKeys(hotKeys);
    if (withStore == WithStore::Yes) {
      dir.emplace();
      const std::string path = dir->Path("NBDA.rdb");
      storeReady = Store::CreateIfMissing(path) == CreateResult::Created && store.Connect(path);
    }
  }

  ListBuilder Rows() { return ListBuilder(list, store.IsConnected() ? &store : nullptr); }

  void Infinite(int32_t intervalMs) {
    views.SetSelection(Control::RunMode, 0);
    state.loopInterval = intervalMs;
  }
  void Counted(const std::string& count) {
    views.SetSelection(Control::RunMode, 1);
    views.SetText(Control::RunCount, count);
  }
  void F3() { runs.OnHotKey(state.startHotKeyId); }
  void F4() { runs.OnHotKey(state.stopHotKeyId); }

  std::optional<TempDir> dir;
  bool storeReady = false;
  HookedViews views;
  FakeHotKeys hotKeys;
  FakeEventLoop loop;
  HookedInput input{&loop};
  Store store;
  StatusLog log{views};
  RunState state;
  OperationList list{store, views, log};
  RepeatTimer timer{loop};
  InputSynth synth{input, loop};
  PlaybackPass pass{list, synth, log, state, timer};
  RunController runs{state, pass, synth, timer, loop, views, log};
};

}  // namespace xs::testing
