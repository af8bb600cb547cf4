#include "playback/PlaybackPass.h"

#include <string>

#include "operations/Texts.h"
#include "playback/Texts.h"
#include "util/TextToInt.h"

namespace xs {
namespace {

// Clears RunState::passActive however the pass ends.
class PassActiveScope {
 public:
  explicit PassActiveScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~PassActiveScope() { flag_ = false; }
  PassActiveScope(const PassActiveScope&) = delete;
  PassActiveScope& operator=(const PassActiveScope&) = delete;

 private:
  bool& flag_;
};

// A text that matches none leaves the code as it was: a click row with an unknown button uses
// the button of the pass's previous click row.
void MatchButton(const std::string& text, int32_t& code) {
  if (text == texts::kButtonLeft) code = 1;
  else if (text == texts::kButtonRight) code = 2;
  else if (text == texts::kButtonMiddle) code = 3;
}

void MatchAction(const std::string& text, int32_t& code) {
  if (text == texts::kActionClick) code = 1;
  else if (text == texts::kActionDoubleClick) code = 2;
  else if (text == texts::kActionDown) code = 3;
  else if (text == texts::kActionUp) code = 4;
}

}  // namespace

PlaybackPass::PlaybackPass(OperationList& list, InputSynth& synth, StatusLog& log, RunState& state,
                           RepeatTimer& timer)
    : list_(list), synth_(synth), log_(log), state_(state), timer_(timer) {}

bool PlaybackPass::Run() {
  if (state_.passActive) return false;  // passes never nest
  PassActiveScope active(state_.passActive);
  const uint64_t epoch = state_.stopEpoch;
  const auto stopped = [this, epoch] { return state_.stopEpoch != epoch; };

  // Wraps like the 32-bit counter it is instead of overflowing.
  state_.passCount = static_cast<int32_t>(static_cast<uint32_t>(state_.passCount) + 1u);
  const int n = list_.RowCount();  // rows added during the pass wait for the next one
  int32_t button = 0;
  int32_t action = 0;
  // Each kind test rereads the kind cell: a row deleted during a pause lets the row that moved up
  // into its place meet the remaining tests. Cells are read by value, never held across a wait.
  const auto kindIs = [this](int r, const char* kind) { return list_.CellText(r, kColKind) == kind; };
  const auto number = [this](int r, int column) { return TextToInt(list_.CellText(r, column)); };
  for (int r = 0; r < n; ++r) {
    timer_.SetPeriod(0);
    if (kindIs(r, texts::kKindMove)) {
      synth_.MoveCursorTo(number(r, kColX), number(r, kColY));
      if (!synth_.Pause(kMovePauseMs, stopped)) return false;
    }
    if (kindIs(r, texts::kKindClick)) {
      MatchButton(list_.CellText(r, kColParam1), button);
      MatchAction(list_.CellText(r, kColParam2), action);
      synth_.SendMouseButton(button, action);
      log_.AppendLog(texts::kDidMouse);
      if (!synth_.Pause(kClickPauseMs, stopped)) return false;
    }
    if (kindIs(r, texts::kKindDelay)) {
      if (!synth_.Pause(number(r, kColDelay), stopped)) return false;
      log_.AppendLog(texts::kDidDelay);
    }
    if (kindIs(r, texts::kKindKeys)) {
      synth_.PressKeys(number(r, kColParam1), number(r, kColParam2), number(r, kColParam3));
      log_.AppendLog(texts::kDidKeys);
    }
    // Key rows have no wait: without this a stop could not reach a macro of key rows.
    synth_.PumpMessages();
    if (stopped()) return false;
  }
  timer_.SetPeriod(state_.running == 1 ? state_.loopInterval : 0);
  log_.AppendLog(std::string(texts::kPassCountPrefix) + IntToText(state_.passCount) + "\r\n");
  return true;
}

}  // namespace xs
