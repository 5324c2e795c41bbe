#include "engine/layer3_frame_decoder.h"

#include <algorithm>
#include <cstring>

#include "engine/layer3_channel_stages.h"
#include "engine/layer3_huffman.h"
#include "engine/layer3_stereo.h"

namespace orvana::engine {

namespace {

constexpr uint32_t kSync12 = 0xFFF;
constexpr uint32_t kSync11 = 0xFFE;

ChannelStageFn ChooseChannelStage(const StreamConfig& config) {
  if (config.streamChannels == 1) return &Layer3MonoStageLeft;
  switch (config.channelSelect) {
    case output_flags::kMixDown:
      return &Layer3MixDownStage;
    case output_flags::kLeftOnly:
      return &Layer3MonoStageLeft;
    case output_flags::kRightOnly:
      return &Layer3MonoStageRight;
    default:
      return &Layer3StereoStage;
  }
}

// Starts the reader on a zero-padded copy of the frame's first bytes, which
// hold the header, the CRC word and the side information.
void StartOnSideInfo(Layer3State& l3, const uint8_t* frame, int available) {
  constexpr int kLongestSideInfo = Layer3SideInfoEnd(true, 2) + 2;  // with the CRC word
  static_assert(sizeof l3.sideInfoCopy >= kLongestSideInfo + 8);
  const int copied = std::min(available, kLongestSideInfo);
  std::memcpy(l3.sideInfoCopy, frame, copied);
  std::memset(l3.sideInfoCopy + copied, 0, sizeof l3.sideInfoCopy - copied);
  l3.reader.Start(l3.sideInfoCopy);
}

// A stereo stream's mono frame plays on both channels.
void DuplicateFirstChannel(Layer3State& l3, int slot) {
  std::memcpy(l3.hybridBuffer[1][slot], l3.hybridBuffer[0][slot], sizeof l3.hybridBuffer[0][slot]);
  l3.hybridCount[slot][1] = l3.hybridCount[slot][0];
  l3.granules[slot][1] = l3.granules[slot][0];
  l3.bandInfo[slot][1] = l3.bandInfo[slot][0];
}

void AliasReduceAndEqualize(EngineState& engine, int ch, int slot) {
  Layer3State& l3 = engine.layer3;
  const StereoBandInfo& band = l3.bandInfo[slot][ch];
  int32_t& count = l3.hybridCount[slot][ch];
  float* lines = l3.hybridBuffer[ch][slot];
  if (band.longBandCount != 0) {
    const bool mixed = band.shortStartBand != 12;
    const int boundaries = mixed ? 1 : std::min((count + 7) / kLinesPerSubband, 31);
    engine.kernels.AliasReduce.run(lines, boundaries);
    count = std::max(count, kLinesPerSubband * boundaries + 8);
  }
  ApplyLineGains(engine.equalizer, lines, count);
}

void DecodeGranule(EngineState& engine, int16_t* pcm, int slot) {
  Layer3State& l3 = engine.layer3;
  const StreamConfig& config = engine.config;
  const Layer3FrameInfo& frame = l3.frame;
  const int channels = frame.channelCount;

  for (int ch = 0; ch < channels; ++ch) {
    GranuleChannelInfo& info = l3.granules[slot][ch];
    const int partEnd = l3.reservoir.StartPart(l3.reader, info.part2_3_length);
    if (config.mpeg1)
      ReadScaleFactorsMpeg1(l3.reader, l3.scaleFactors[slot][ch], info, frame.scfsi[ch], slot,
                            l3.scaleFactors[0][ch]);
    else
      ReadScaleFactorsLsf(l3.reader, l3.scaleFactors[slot][ch], info,
                          ch == 1 && frame.intensityStereo, l3.lsfIntensity);
    l3.hybridCount[slot][ch] =
        DecodeSpectrum(l3.reader, partEnd, info, l3.bands, l3.quantized[ch]);
  }
  for (int ch = 0; ch < channels; ++ch)
    Requantize(l3.quantized[ch], l3.hybridBuffer[ch][slot], l3.hybridCount[slot][ch],
               l3.scaleFactors[slot][ch], l3.granules[slot][ch], l3.bands, l3.tables,
               l3.bandInfo[slot][ch]);

  if (channels == 2) {
    const StereoGranule granule{{l3.hybridBuffer[0][slot], l3.hybridBuffer[1][slot]},
                                {&l3.hybridCount[slot][0], &l3.hybridCount[slot][1]},
                                {&l3.bandInfo[slot][0], &l3.bandInfo[slot][1]},
                                &l3.scaleFactors[slot][1],
                                &l3.lsfIntensity};
    ProcessStereo(granule, frame, config.mpeg1, l3.bands, l3.tables);
  } else if (config.streamChannels == 2) {
    DuplicateFirstChannel(l3, slot);
  }
  for (int ch = 0; ch < config.streamChannels; ++ch) AliasReduceAndEqualize(engine, ch, slot);
  engine.channelStage(engine, pcm, slot);
}

// The steps after the side information: placing the main data, then the
// granules or, when the reservoir lacks their start, silence.
DecodeResult DecodeMainData(EngineState& engine, const uint8_t* frame, int available,
                            int sideInfoEnd, int16_t* pcm, int firstSlot, int granules) {
  Layer3State& l3 = engine.layer3;
  const StreamConfig& config = engine.config;
  const int frameBytes = l3.frame.frameLength + l3.frame.paddingBit;
  if (frameBytes > available) return {};
  if (!l3.reservoir.Append(frame, frameBytes, sideInfoEnd, l3.frame.crcBytes,
                           l3.frame.mainDataBegin))
    return {};
  if (!l3.reservoir.HasReferencedData()) {
    std::memset(pcm, config.fillValue, config.outputBytes);
    return {frameBytes, config.outputBytes};
  }
  const int granuleSamples = config.halfOutputBytes / 2;
  for (int g = 0; g < granules; ++g) DecodeGranule(engine, pcm + g * granuleSamples, firstSlot + g);
  return {frameBytes, config.outputBytes};
}

}  // namespace

void OpenLayer3Stream(EngineState& engine, const FrameHeader& header) {
  StreamConfig& config = engine.config;
  Layer3State& l3 = engine.layer3;
  l3.reservoir.Reset();
  const bool mpeg1 = header.versionId == 1;
  const VersionRow version = mpeg1                    ? VersionRow::kMpeg1
                             : header.syncKind == 2   ? VersionRow::kMpeg25
                                                      : VersionRow::kMpeg2;
  SetupBandLayout(l3.bands, version, header.sampleRateIndex, config.subbandLimit);
  config.gainOffset = (config.streamChannels == 2 && config.channelSelect == output_flags::kMixDown) ? -4 : 0;
  config.samplesPerChannel = (1152 >> config.rateShift) / (mpeg1 ? 1 : 2);
  engine.outputStage = config.outChannels == 2 ? &SynthesizeLayer3Stereo : &SynthesizeLayer3Mono;
  engine.channelStage = ChooseChannelStage(config);
  if (!l3.tablesBuilt) {
    BuildLayer3Tables(l3.tables);
    l3.tablesBuilt = true;
  }
  std::memset(l3.hybridOut, 0, sizeof l3.hybridOut);
  std::memset(l3.mixOut, 0, sizeof l3.mixOut);
  std::memset(l3.hybridBuffer, 0, sizeof l3.hybridBuffer);
  std::memset(l3.hybridCount, 0, sizeof l3.hybridCount);
  engine.layer3FrameDecoder = mpeg1 ? &DecodeLayer3FrameMpeg1 : &DecodeLayer3FrameLsf;
  l3.lsfGranuleSlot = 0;
}

DecodeResult DecodeLayer3Frame(EngineState& engine, const uint8_t* frame, int available,
                               int16_t* pcm) {
  return engine.layer3FrameDecoder(engine, frame, available, pcm);
}

DecodeResult DecodeLayer3FrameMpeg1(EngineState& engine, const uint8_t* frame, int available,
                                    int16_t* pcm) {
  Layer3State& l3 = engine.layer3;
  StartOnSideInfo(l3, frame, available);
  if (l3.reader.GetBits(12) != kSync12) return {};
  l3.frame.frameLength = engine.config.frameLength;
  const int sideInfoEnd = ReadSideInfoMpeg1(l3.reader, engine.config.gainOffset, l3.frame, l3.granules);
  return DecodeMainData(engine, frame, available, sideInfoEnd, pcm, 0, 2);
}

DecodeResult DecodeLayer3FrameLsf(EngineState& engine, const uint8_t* frame, int available,
                                  int16_t* pcm) {
  Layer3State& l3 = engine.layer3;
  StartOnSideInfo(l3, frame, available);
  const uint32_t sync = l3.reader.GetBits(12);
  if (sync != kSync12 && sync != kSync11) return {};
  l3.frame.frameLength = engine.config.frameLength;
  const int slot = l3.lsfGranuleSlot;
  const int sideInfoEnd = ReadSideInfoLsf(l3.reader, engine.config.gainOffset, sync == kSync11,
                                          slot, l3.frame, l3.granules);
  const DecodeResult result = DecodeMainData(engine, frame, available, sideInfoEnd, pcm, slot, 1);
  if (result.bytesConsumed > 0) l3.lsfGranuleSlot ^= 1;
  return result;
}

}  // namespace orvana::engine
