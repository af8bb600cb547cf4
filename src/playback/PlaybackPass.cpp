// STUB: to be replaced.
#include "playback/PlaybackPass.h"
namespace xs {
PlaybackPass::PlaybackPass(OperationList& list, InputSynth& synth, StatusLog& log, RunState& state, RepeatTimer& timer) : list_(list), synth_(synth), log_(log), state_(state), timer_(timer) {}
bool PlaybackPass::Run() { return true; }
}  // namespace xs
