#include "engine/layer3_side_info.h"

#include "engine/frame_header.h"

namespace orvana::engine {

namespace {

// The header after its sync bits, up to the end of the optional CRC word.
void ReadHeaderFields(Layer3BitReader& reader, Layer3FrameInfo& frame) {
  frame.versionId = reader.GetBits(1);
  reader.GetBits(2);  // layer
  const int protectionBit = reader.GetBits(1);
  frame.bitrateIndex = reader.GetBits(4);
  frame.sampleRateIndex = reader.GetBits(2);
  frame.paddingBit = reader.GetBits(1);
  reader.GetBits(1);  // private bit
  frame.mode = reader.GetBits(2);
  frame.modeExtension = reader.GetBits(2);
  if (frame.mode != kJointStereoMode) frame.modeExtension = 0;
  frame.msStereo = (frame.modeExtension >> 1) & 1;
  frame.intensityStereo = frame.modeExtension & 1;
  frame.channelCount = ChannelsOfMode(frame.mode);
  // Copy status, original and emphasis; with protection also the CRC word,
  // which is not verified.
  if (protectionBit == 1) {
    reader.GetBits(4);
    frame.crcBytes = 0;
  } else {
    reader.GetBits(20);
    frame.crcBytes = 2;
  }
}

void UpdateFrameLength(Layer3FrameInfo& frame, int factor) {
  if (frame.bitrateIndex == 0) return;
  const int kbps = kBitrateKbps[frame.versionId][kLayerIIICode][frame.bitrateIndex];
  frame.frameLength = kbps * factor / kSampleRateUnits[frame.versionId][frame.sampleRateIndex];
}

struct FieldWidths {
  int scalefacCompress;
  bool hasPreflag;
};

void ReadGranuleChannel(Layer3BitReader& reader, const FieldWidths& widths, int gain,
                        bool lowSamplingFrequency, GranuleChannelInfo& info) {
  info.part2_3_length = reader.GetBits(12);
  info.big_values = reader.GetBits(9);
  info.global_gain = static_cast<int>(reader.GetBits(8)) + gain;
  info.scalefac_compress = reader.GetBits(widths.scalefacCompress);
  info.window_switching_flag = reader.GetBits(1);
  if (info.window_switching_flag) {
    info.block_type = reader.GetBits(2);
    info.mixed_block_flag = reader.GetBits(1);
    info.table_select[0] = reader.GetBits(5);
    info.table_select[1] = reader.GetBits(5);
    info.table_select[2] = 0;
    for (int& gainStep : info.subblock_gain) gainStep = reader.GetBits(3);
    if (lowSamplingFrequency && info.block_type == kShortBlockType) {
      info.region0_count = 5;
      info.region1_count = 15;
    } else {
      info.region0_count = 7;
      info.region1_count = 13;
    }
  } else {
    info.block_type = 0;
    info.mixed_block_flag = 0;
    for (int& table : info.table_select) table = reader.GetBits(5);
    for (int& gainStep : info.subblock_gain) gainStep = 0;
    info.region0_count = reader.GetBits(4);
    info.region1_count = reader.GetBits(3);
  }
  info.preflag = widths.hasPreflag ? static_cast<int>(reader.GetBits(1)) : 0;
  info.scalefac_scale = reader.GetBits(1);
  info.count1table_select = reader.GetBits(1);
}

// The 1/sqrt(2) of mid/side reconstruction is folded into the gain.
int GainAdjustment(int gainOffset, const Layer3FrameInfo& frame) {
  return gainOffset - (frame.msStereo ? 2 : 0);
}

}  // namespace

int ReadSideInfoMpeg1(Layer3BitReader& reader, int gainOffset, Layer3FrameInfo& frame,
                      GranuleChannelInfo (&granules)[2][2]) {
  ReadHeaderFields(reader, frame);
  UpdateFrameLength(frame, 2880);
  frame.mainDataBegin = reader.GetBits(9);
  reader.GetBits(frame.channelCount == 1 ? 5 : 3);  // private bits
  for (int ch = 0; ch < frame.channelCount; ++ch) frame.scfsi[ch] = reader.GetBits(4);
  const int gain = GainAdjustment(gainOffset, frame);
  constexpr FieldWidths kWidths{4, true};
  for (int gr = 0; gr < 2; ++gr)
    for (int ch = 0; ch < frame.channelCount; ++ch)
      ReadGranuleChannel(reader, kWidths, gain, false, granules[gr][ch]);
  return Layer3SideInfoEnd(true, frame.channelCount);
}

int ReadSideInfoLsf(Layer3BitReader& reader, int gainOffset, bool elevenBitSync, int slot,
                    Layer3FrameInfo& frame, GranuleChannelInfo (&granules)[2][2]) {
  ReadHeaderFields(reader, frame);
  UpdateFrameLength(frame, elevenBitSync ? 2880 : 1440);
  frame.mainDataBegin = reader.GetBits(8);
  reader.GetBits(frame.channelCount == 1 ? 1 : 2);  // private bits
  frame.scfsi[0] = frame.scfsi[1] = 0;
  const int gain = GainAdjustment(gainOffset, frame);
  constexpr FieldWidths kWidths{9, false};
  for (int ch = 0; ch < frame.channelCount; ++ch)
    ReadGranuleChannel(reader, kWidths, gain, true, granules[slot][ch]);
  return Layer3SideInfoEnd(false, frame.channelCount);
}

}  // namespace orvana::engine
