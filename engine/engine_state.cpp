#include "engine/engine_state.h"

#include <algorithm>

#include "engine/cpu_features.h"
#include "engine/kernel_selection.h"
#include "engine/layer12_frame_decoder.h"
#include "engine/layer12_tables.h"
#include "engine/layer3_frame_decoder.h"

namespace orvana::engine {

namespace {

constexpr int kHighestNyquistFrequency = 24000;

int SubbandLimit(int sampleRate, int rateShift, int maxFrequency) {
  const int64_t limit =
      (static_cast<int64_t>(maxFrequency) * 64 + sampleRate / 2) / sampleRate;
  int cap = 32 >> rateShift;
  // The top sub-band is left out unless the caller asked for more than any
  // stream can carry.
  if (cap > 8 && maxFrequency <= kHighestNyquistFrequency) cap -= 1;
  return static_cast<int>(std::clamp<int64_t>(limit, 1, cap));
}

bool UsableHeader(const FrameHeader& header) {
  return (header.syncKind == 1 || header.syncKind == 2) && header.layerCode >= 1 &&
         header.layerCode <= 3 && header.sampleRateIndex >= 0 && header.sampleRateIndex <= 2 &&
         (header.versionId == 0 || header.versionId == 1) &&
         !(header.syncKind == 2 && header.versionId == 1);
}

int SamplesPerChannel(const FrameHeader& header) {
  if (header.layerCode == kLayerIIICode) return header.versionId == 1 ? 1152 : 576;
  return header.layerCode == kLayerIICode ? 1152 : 384;
}

}  // namespace

bool OutputFormatFor(const FrameHeader& header, int frameLength, uint8_t outputFlags, OutputFormat& format) {
  if (!UsableHeader(header) || (outputFlags & output_flags::kEightBit)) return false;
  // Layers I and II have no version with the 11-bit sync, nor every mode at every bit rate.
  if (header.layerCode != kLayerIIICode && (header.syncKind != 1 || !AllocationLayoutFor(header))) return false;
  const int sampleRate = kSampleRateHz[header.versionId][header.sampleRateIndex] >> (header.syncKind == 2 ? 1 : 0);
  const int channels =
      (ChannelsOfMode(header.mode) == 1 || (outputFlags & output_flags::kChannelSelectMask) != 0) ? 1 : 2;
  format = {channels, channels * SamplesPerChannel(header), sampleRate, 16, frameLength, 0};
  return true;
}

EngineState::EngineState() { engine::SelectKernels(kernels, cpu::kFpu); }

void EngineState::SelectKernels(uint32_t capabilities) {
  engine::SelectKernels(kernels, capabilities);
}

void EngineState::SetPolarityInverted(bool on) { engine::SetPolarityInverted(synthesis, on); }

int EngineState::InitDecoder(const FrameHeader& header, int frameLength, int rateShift,
                             int /*reserved*/, uint8_t outputFlags, int maxFrequency) {
  frameDecoder = nullptr;
  OutputFormat described;
  if (!OutputFormatFor(header, frameLength, outputFlags, described)) return 0;

  StreamConfig& c = config;
  c.rateShift = std::clamp(rateShift, 0, 2);
  maxFrequency = std::max(maxFrequency, 1000);
  c.sampleRate = kSampleRateHz[header.versionId][header.sampleRateIndex] >>
                 (header.syncKind == 2 ? 1 : 0);
  c.subbandLimit = SubbandLimit(c.sampleRate, c.rateShift, maxFrequency);
  c.channelSelect = outputFlags & output_flags::kChannelSelectMask;
  c.eightBit = (outputFlags & output_flags::kEightBit) ? 1 : 0;
  // Only 16-bit output at the full rate has synthesis kernels.
  if (c.eightBit || c.rateShift != 0) return 0;
  c.streamChannels = ChannelsOfMode(header.mode);
  c.outChannels = (c.streamChannels == 1 || c.channelSelect != 0) ? 1 : 2;
  c.fillValue = 0;
  c.frameLength = frameLength;
  c.mpeg1 = header.versionId;

  if (header.layerCode == kLayerIIICode) {
    OpenLayer3Stream(*this, header);
    frameDecoder = &DecodeLayer3Frame;
  } else if (header.layerCode == kLayerIICode) {
    if (!OpenLayer2Stream(*this, header)) return 0;
    frameDecoder = &DecodeLayer2Frame;
  } else {
    if (!OpenLayer1Stream(*this, header)) return 0;
    frameDecoder = &DecodeLayer1Frame;
  }

  c.frameSamples = c.outChannels * c.samplesPerChannel;
  c.outputBytes = c.frameSamples * 2;
  c.halfOutputBytes = c.outputBytes / 2;
  outputFormat = {c.outChannels, c.frameSamples, c.sampleRate >> c.rateShift, 16, frameLength, 0};
  ResetSynthesis(synthesis);
  return 1;
}

DecodeResult EngineState::DecodeFrame(const uint8_t* frame, int available, int16_t* pcm) {
  if (!frameDecoder || !frame || available < 4) return {};
  return frameDecoder(*this, frame, available, pcm);
}

EngineState& GlobalEngineState() {
  static EngineState engine;
  return engine;
}

}  // namespace orvana::engine
