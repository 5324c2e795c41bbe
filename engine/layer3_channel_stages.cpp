#include "engine/layer3_channel_stages.h"

#include <algorithm>

#include "engine/hybrid_filterbank.h"

namespace orvana::engine {

namespace {

// Overlap of a channel whose transform is added into another's.
const float kSilentOverlap[kLinesPerGranule] = {};

struct HybridLimits {
  int longLimit;
  int shortLimit;
};

HybridLimits LimitsOf(const EngineState& engine, const GranuleChannelInfo& info, int count) {
  const Layer3BandLayout& bands = engine.layer3.bands;
  int longLimit = count;
  if (info.block_type == kShortBlockType)
    longLimit = info.mixed_block_flag ? bands.longBandEnd[bands.mixedLongBands - 1] : 0;
  return {std::min(longLimit, bands.bandLimit), std::min(count, bands.bandLimit)};
}

// Transforms channel `ch` of granule `slot` into `out` against `prev` and
// returns the new overlap count.
int TransformChannel(EngineState& engine, int ch, int slot, const float* prev, int prevCount,
                     float* out) {
  Layer3State& l3 = engine.layer3;
  const GranuleChannelInfo& info = l3.granules[slot][ch];
  const HybridLimits limits = LimitsOf(engine, info, l3.hybridCount[slot][ch]);
  // A start or stop block with the mixed flag set takes the normal window in
  // its two low sub-bands.
  const bool mixedLongBlock = info.window_switching_flag && info.mixed_block_flag &&
                              info.block_type != kShortBlockType;
  const int blockType = info.block_type | (mixedLongBlock ? kHybridMixedFlag : 0);
  return engine.kernels.Hybrid.run(engine.kernels, l3.hybridBuffer[ch][slot], prev, out, blockType,
                                   limits.longLimit, limits.shortLimit, prevCount,
                                   l3.bands.sbLimit);
}

// Channel `ch` through the filterbank into HybridOut and out through the
// synthesis (`ring` selects the stereo position).
void ChannelToPcm(EngineState& engine, int ch, int slot, int16_t* pcm, int ring) {
  Layer3State& l3 = engine.layer3;
  const int other = slot ^ 1;
  const int count = TransformChannel(engine, ch, slot, l3.hybridBuffer[ch][other],
                                     l3.hybridCount[other][ch], l3.hybridOut);
  l3.hybridCount[slot][ch] = count;
  FrequencyInvert(l3.hybridOut, count);
  engine.outputStage(engine.synthesis, engine.kernels, engine.equalizer, l3.hybridOut, pcm, ring);
}

}  // namespace

void Layer3MonoStageLeft(EngineState& engine, int16_t* pcm, int slot) {
  ChannelToPcm(engine, 0, slot, pcm, 0);
}

void Layer3MonoStageRight(EngineState& engine, int16_t* pcm, int slot) {
  ChannelToPcm(engine, 1, slot, pcm, 0);
}

void Layer3StereoStage(EngineState& engine, int16_t* pcm, int slot) {
  ChannelToPcm(engine, 0, slot, pcm, 0);
  ChannelToPcm(engine, 1, slot, pcm, 1);
}

// The mixed signal keeps one overlap, channel 0's. Channels of one block kind
// are added as lines and transformed once; otherwise channel 1 is
// transformed on its own and its output and overlap are added in.
void Layer3MixDownStage(EngineState& engine, int16_t* pcm, int slot) {
  Layer3State& l3 = engine.layer3;
  const GranuleChannelInfo& left = l3.granules[slot][0];
  const GranuleChannelInfo& right = l3.granules[slot][1];
  int32_t(&count)[2] = l3.hybridCount[slot];
  if (left.block_type == right.block_type && left.mixed_block_flag == right.mixed_block_flag &&
      !(left.block_type == kShortBlockType && left.mixed_block_flag)) {
    const int lines = std::min(std::max(count[0], count[1]), l3.bands.bandLimit);
    float* sum = l3.hybridBuffer[0][slot];
    const float* added = l3.hybridBuffer[1][slot];
    for (int i = 0; i < lines; ++i) sum[i] += added[i];
    count[0] = std::max(count[0], count[1]);
    ChannelToPcm(engine, 0, slot, pcm, 0);
    return;
  }
  const int other = slot ^ 1;
  const int leftCount = TransformChannel(engine, 0, slot, l3.hybridBuffer[0][other],
                                         l3.hybridCount[other][0], l3.hybridOut);
  const int rightCount = TransformChannel(engine, 1, slot, kSilentOverlap, 0, l3.mixOut);
  for (int i = 0; i < kLinesPerGranule; ++i) l3.hybridOut[i] += l3.mixOut[i];
  float* overlap = l3.hybridBuffer[0][slot];
  const float* rightOverlap = l3.hybridBuffer[1][slot];
  for (int i = 0; i < rightCount; ++i) overlap[i] += rightOverlap[i];
  const int mixedCount = std::max(leftCount, rightCount);
  count[0] = mixedCount;
  FrequencyInvert(l3.hybridOut, mixedCount);
  engine.outputStage(engine.synthesis, engine.kernels, engine.equalizer, l3.hybridOut, pcm, 0);
}

}  // namespace orvana::engine
