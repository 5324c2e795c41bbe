#include "engine/layer12_frame_decoder.h"

#include <algorithm>
#include <cstring>

#include "engine/layer12_samples.h"
#include "engine/layer12_side_info.h"
#include "engine/layer12_tables.h"

namespace orvana::engine {

namespace {

constexpr int kGranules = 12;

struct LayerShape {
  int samplesPerChannel;
  int granuleSamples;   // samples of one sub-band per granule
  int granulesPerPart;  // granules that share one set of scale factors
  int paddingSlot;      // bytes
  bool scaleFactorSelection;
};

constexpr LayerShape kLayerI{384, 1, kGranules, 4, false};
constexpr LayerShape kLayerII{1152, 3, 4, 1, true};

Layer12SynthesisDriver ChooseOutputStage(const StreamConfig& config) {
  if (config.streamChannels == 1) return &SynthesizeLayer12MonoStream;
  switch (config.channelSelect) {
    case output_flags::kMixDown:
      return &SynthesizeLayer12Mix;
    case output_flags::kLeftOnly:
      return &SynthesizeLayer12Left;
    case output_flags::kRightOnly:
      return &SynthesizeLayer12Right;
    default:
      return &SynthesizeLayer12Stereo;
  }
}

bool OpenStream(EngineState& engine, const FrameHeader& header, const LayerShape& shape) {
  // Layers I and II have no version with the 11-bit sync.
  if (header.syncKind != 1) return false;
  const Layer12AllocationLayout* layout = AllocationLayoutFor(header);
  if (!layout) return false;
  StreamConfig& config = engine.config;
  Layer12State& l12 = engine.layer12;
  l12.streamHeader = header;
  l12.decodeLimit = config.subbandLimit;
  config.subbandLimit = std::min<int32_t>(config.subbandLimit, layout->subbands);
  config.samplesPerChannel = shape.samplesPerChannel >> config.rateShift;
  config.gainOffset = 0;
  engine.layer12OutputStage = ChooseOutputStage(config);
  std::memset(l12.samples, 0, sizeof l12.samples);
  return true;
}

bool BelongsToStream(const FrameHeader& frame, const FrameHeader& stream) {
  return frame.syncKind == 1 && frame.layerCode == stream.layerCode &&
         frame.versionId == stream.versionId && frame.sampleRateIndex == stream.sampleRateIndex;
}

DecodeResult DecodeFrame(EngineState& engine, const uint8_t* frame, int available, int16_t* pcm,
                         const LayerShape& shape) {
  Layer12State& l12 = engine.layer12;
  const StreamConfig& config = engine.config;
  FrameHeader header;
  const int length = ParseFrameHeader(frame, 0, header);
  if (!BelongsToStream(header, l12.streamHeader)) return {};
  const int channels = ChannelsOfMode(header.mode);
  if (channels != config.streamChannels) return {};
  // Each frame is measured by its own bit rate; free-format frames by the
  // length found at open.
  const int body = header.bitrateIndex == 0 ? config.frameLength : length;
  const int frameBytes = body + header.paddingBit * shape.paddingSlot;
  const int headerBytes = header.protectionBit ? 4 : 6;
  if (body <= 0 || frameBytes < headerBytes || frameBytes > available) return {};
  // The table follows the frame's own bit rate, which may change within a
  // stream.
  const Layer12AllocationLayout* layout = AllocationLayoutFor(header);
  if (!layout) return {};

  Layer12BitReader& reader = l12.reader;
  Layer12FrameInfo& info = l12.frame;
  reader.Start(frame + headerBytes, frame + frameBytes);
  ReadLayer12Allocation(reader, *layout, channels,
                        JointStereoBound(header.mode, header.modeExtension), info);
  ReadLayer12ScaleFactors(reader, shape.scaleFactorSelection, info);
  // Samples read from missing bits would play at full scale: a frame whose
  // allocation claims more than it holds is refused instead.
  const int granuleBits = Layer12GranuleBits(info, 0, info.subbands);
  if (reader.BitsLeft() < kGranules * granuleBits) return {};

  const int limit = l12.decodeLimit;
  const int skipBits = Layer12GranuleBits(info, limit, info.subbands);
  for (int g = 0; g < kGranules; ++g)
    DecodeLayer12Granule(reader, info, g / shape.granulesPerPart, shape.granuleSamples, limit,
                         skipBits, l12.samples + g * shape.granuleSamples * kLayer12RowFloats);
  engine.layer12OutputStage(engine.synthesis, engine.kernels, engine.equalizer, l12.samples,
                            kGranules * shape.granuleSamples, pcm);
  return {frameBytes, config.outputBytes};
}

}  // namespace

bool OpenLayer1Stream(EngineState& engine, const FrameHeader& header) {
  return OpenStream(engine, header, kLayerI);
}

bool OpenLayer2Stream(EngineState& engine, const FrameHeader& header) {
  return OpenStream(engine, header, kLayerII);
}

DecodeResult DecodeLayer1Frame(EngineState& engine, const uint8_t* frame, int available,
                               int16_t* pcm) {
  return DecodeFrame(engine, frame, available, pcm, kLayerI);
}

DecodeResult DecodeLayer2Frame(EngineState& engine, const uint8_t* frame, int available,
                               int16_t* pcm) {
  return DecodeFrame(engine, frame, available, pcm, kLayerII);
}

}  // namespace orvana::engine
