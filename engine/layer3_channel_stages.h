#pragma once
// Layer III channel stages: the hybrid filterbank and synthesis for the
// output channels of one granule (mono stream or one channel of a stereo
// stream, stereo, mix-down).
#include <cstdint>

#include "engine/engine_state.h"

namespace orvana::engine {

void Layer3MonoStageLeft(EngineState& engine, int16_t* pcm, int slot);
void Layer3MonoStageRight(EngineState& engine, int16_t* pcm, int slot);
void Layer3StereoStage(EngineState& engine, int16_t* pcm, int slot);
// (left + right) / 2; the halving is in the gain offset of both channels.
void Layer3MixDownStage(EngineState& engine, int16_t* pcm, int slot);

}  // namespace orvana::engine
