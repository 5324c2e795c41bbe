#pragma once
// Layer III stream set-up and frame decoding: side information, reservoir,
// then per granule the scale factors, Huffman data, requantisation, stereo
// processing, alias reduction and line equaliser, and the channel stage.
#include <cstdint>

#include "engine/engine_state.h"
#include "engine/frame_header.h"

namespace orvana::engine {

// The Layer III part of InitDecoder: band tables and limits, reservoir and
// spectra cleared, frame decoder and stages chosen. Expects the common part
// of `engine.config` to be set.
void OpenLayer3Stream(EngineState& engine, const FrameHeader& header);

// The layer's frame decoder: runs the MPEG-1 or the low-sampling-frequency
// decoder chosen at open.
DecodeResult DecodeLayer3Frame(EngineState& engine, const uint8_t* frame, int available,
                               int16_t* pcm);

DecodeResult DecodeLayer3FrameMpeg1(EngineState& engine, const uint8_t* frame, int available,
                                    int16_t* pcm);
DecodeResult DecodeLayer3FrameLsf(EngineState& engine, const uint8_t* frame, int available,
                                  int16_t* pcm);

}  // namespace orvana::engine
