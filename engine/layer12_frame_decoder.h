#pragma once
// Layer I and II stream set-up and frame decoding: the frame's header checked
// against the stream's, then allocation, scale factors and samples read in
// place from the frame, then the synthesis of its 12 or 36 time slots.
#include <cstdint>

#include "engine/engine_state.h"
#include "engine/frame_header.h"

namespace orvana::engine {

// The Layer I and II parts of InitDecoder: allocation limits, sample rows
// cleared, output stage chosen. Expect the common part of `engine.config` to
// be set; false when no allocation table covers the stream.
bool OpenLayer1Stream(EngineState& engine, const FrameHeader& header);
bool OpenLayer2Stream(EngineState& engine, const FrameHeader& header);

// (0, 0) for a frame that does not belong to the open stream, is cut short,
// or whose allocation claims more bits than the frame holds.
DecodeResult DecodeLayer1Frame(EngineState& engine, const uint8_t* frame, int available,
                               int16_t* pcm);
DecodeResult DecodeLayer2Frame(EngineState& engine, const uint8_t* frame, int available,
                               int16_t* pcm);

}  // namespace orvana::engine
