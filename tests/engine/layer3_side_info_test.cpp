#include "engine/layer3_side_info.h"

#include <gtest/gtest.h>

#include <vector>

#include "bit_writer.h"

namespace orvana::engine {
namespace {

using testing::BitWriter;

struct Header {
  int versionBit = 1;
  bool elevenBitSync = false;
  int protectionBit = 1;
  int bitrateIndex = 9;
  int sampleRateIndex = 0;
  int padding = 0;
  int mode = 1;
  int modeExtension = 0;
};

void WriteHeader(BitWriter& w, const Header& h) {
  w.Put(h.elevenBitSync ? 0xFFE : 0xFFF, 12).Put(h.versionBit, 1).Put(1, 2).Put(h.protectionBit, 1);
  w.Put(h.bitrateIndex, 4).Put(h.sampleRateIndex, 2).Put(h.padding, 1).Put(0, 1);
  w.Put(h.mode, 2).Put(h.modeExtension, 2).Put(0, 4);
  if (h.protectionBit == 0) w.Put(0xBEEF, 16);
}

struct Part {
  int part23 = 1000, bigValues = 100, globalGain = 150, scalefacCompress = 3;
  int windowSwitching = 0, blockType = 0, mixed = 0;
  int tables[3] = {1, 2, 3};
  int subblockGain[3] = {1, 2, 3};
  int region0 = 5, region1 = 3, preflag = 1, scalefacScale = 1, count1Table = 1;
};

void WritePart(BitWriter& w, const Part& p, bool lsf) {
  w.Put(p.part23, 12).Put(p.bigValues, 9).Put(p.globalGain, 8).Put(p.scalefacCompress, lsf ? 9 : 4);
  w.Put(p.windowSwitching, 1);
  if (p.windowSwitching) {
    w.Put(p.blockType, 2).Put(p.mixed, 1).Put(p.tables[0], 5).Put(p.tables[1], 5);
    for (int g : p.subblockGain) w.Put(g, 3);
  } else {
    for (int t : p.tables) w.Put(t, 5);
    w.Put(p.region0, 4).Put(p.region1, 3);
  }
  if (!lsf) w.Put(p.preflag, 1);
  w.Put(p.scalefacScale, 1).Put(p.count1Table, 1);
}

struct Decoded {
  int sideInfoEnd = 0;
  Layer3FrameInfo frame;
  GranuleChannelInfo granules[2][2];
};

Decoded ReadMpeg1(const Header& h, const std::vector<Part>& parts, int mainDataBegin = 300,
                  int gainOffset = 0, int presetLength = 1234) {
  BitWriter w;
  WriteHeader(w, h);
  const int channels = h.mode == 3 ? 1 : 2;
  w.Put(mainDataBegin, 9).Put(0, channels == 1 ? 5 : 3);
  for (int ch = 0; ch < channels; ++ch) w.Put(0xA, 4);
  for (int gr = 0; gr < 2; ++gr)
    for (int ch = 0; ch < channels; ++ch) WritePart(w, parts[gr * channels + ch], false);
  const std::vector<uint8_t> bytes = w.Bytes(w.bitCount() / 8 + 8);
  Layer3BitReader reader;
  reader.Start(bytes.data());
  EXPECT_EQ(reader.GetBits(12), 0xFFFu);
  Decoded d;
  d.frame.frameLength = presetLength;
  d.sideInfoEnd = ReadSideInfoMpeg1(reader, gainOffset, d.frame, d.granules);
  EXPECT_EQ(reader.Position(), static_cast<int>(w.bitCount())) << "every side-information bit";
  return d;
}

Decoded ReadLsf(const Header& h, const std::vector<Part>& parts, int slot,
                int presetLength = 1234) {
  BitWriter w;
  WriteHeader(w, h);
  const int channels = h.mode == 3 ? 1 : 2;
  w.Put(200, 8).Put(0, channels == 1 ? 1 : 2);
  for (int ch = 0; ch < channels; ++ch) WritePart(w, parts[ch], true);
  const std::vector<uint8_t> bytes = w.Bytes(w.bitCount() / 8 + 8);
  Layer3BitReader reader;
  reader.Start(bytes.data());
  reader.GetBits(12);
  Decoded d;
  d.frame.frameLength = presetLength;
  d.sideInfoEnd = ReadSideInfoLsf(reader, 0, h.elevenBitSync, slot, d.frame, d.granules);
  EXPECT_EQ(reader.Position(), static_cast<int>(w.bitCount()));
  return d;
}

TEST(Layer3SideInfo, Mpeg1StereoFieldsInOrder) {
  Part p;
  const Decoded d = ReadMpeg1(Header{}, {p, p, p, p});
  EXPECT_EQ(d.sideInfoEnd, 36);
  EXPECT_EQ(d.frame.mainDataBegin, 300);
  EXPECT_EQ(d.frame.channelCount, 2);
  EXPECT_EQ(d.frame.scfsi[0], 0xA);
  EXPECT_EQ(d.frame.scfsi[1], 0xA);
  EXPECT_EQ(d.frame.frameLength, 417);
  EXPECT_EQ(d.frame.crcBytes, 0);
  const GranuleChannelInfo& g = d.granules[1][1];
  EXPECT_EQ(g.part2_3_length, 1000);
  EXPECT_EQ(g.big_values, 100);
  EXPECT_EQ(g.global_gain, 150);
  EXPECT_EQ(g.scalefac_compress, 3);
  EXPECT_EQ(g.block_type, 0);
  EXPECT_EQ(g.table_select[2], 3);
  EXPECT_EQ(g.subblock_gain[0], 0);
  EXPECT_EQ(g.region0_count, 5);
  EXPECT_EQ(g.region1_count, 3);
  EXPECT_EQ(g.preflag, 1);
  EXPECT_EQ(g.scalefac_scale, 1);
  EXPECT_EQ(g.count1table_select, 1);
}

TEST(Layer3SideInfo, MidSideFoldsIntoTheGainOfBothChannels) {
  Part p;
  Header h;
  h.modeExtension = 2;
  Decoded d = ReadMpeg1(h, {p, p, p, p});
  EXPECT_EQ(d.frame.msStereo, 1);
  EXPECT_EQ(d.frame.intensityStereo, 0);
  EXPECT_EQ(d.granules[0][0].global_gain, 148);
  EXPECT_EQ(d.granules[1][1].global_gain, 148);
  d = ReadMpeg1(h, {p, p, p, p}, 0, -4);
  EXPECT_EQ(d.granules[0][1].global_gain, 144) << "mix-down offset as well";
}

TEST(Layer3SideInfo, ModeExtensionCountsOnlyInJointStereo) {
  Part p;
  Header h;
  h.mode = 0;
  h.modeExtension = 3;
  const Decoded d = ReadMpeg1(h, {p, p, p, p});
  EXPECT_EQ(d.frame.modeExtension, 0);
  EXPECT_EQ(d.frame.msStereo, 0);
  EXPECT_EQ(d.frame.intensityStereo, 0);
  EXPECT_EQ(d.granules[0][0].global_gain, 150);
}

TEST(Layer3SideInfo, WindowSwitchingImpliesRegionsAndReadsSubblockGains) {
  Part shortBlock;
  shortBlock.windowSwitching = 1;
  shortBlock.blockType = 2;
  shortBlock.mixed = 1;
  Part start = shortBlock;
  start.blockType = 1;
  const Decoded d = ReadMpeg1(Header{}, {shortBlock, start, shortBlock, start});
  const GranuleChannelInfo& g = d.granules[0][0];
  EXPECT_EQ(g.block_type, 2);
  EXPECT_EQ(g.mixed_block_flag, 1);
  EXPECT_EQ(g.table_select[0], 1);
  EXPECT_EQ(g.table_select[1], 2);
  EXPECT_EQ(g.table_select[2], 0);
  EXPECT_EQ(g.subblock_gain[2], 3);
  EXPECT_EQ(g.region0_count, 7);
  EXPECT_EQ(g.region1_count, 13);
  EXPECT_EQ(d.granules[0][1].block_type, 1);
  EXPECT_EQ(d.granules[0][1].mixed_block_flag, 1) << "kept: it selects the low sub-bands' window";
}

TEST(Layer3SideInfo, MonoCrcAndFreeFormat) {
  Part p;
  Header h;
  h.mode = 3;
  h.protectionBit = 0;
  h.bitrateIndex = 0;
  const Decoded d = ReadMpeg1(h, {p, p}, 511);
  EXPECT_EQ(d.sideInfoEnd, 21);
  EXPECT_EQ(d.frame.channelCount, 1);
  EXPECT_EQ(d.frame.crcBytes, 2);
  EXPECT_EQ(d.frame.mainDataBegin, 511);
  EXPECT_EQ(d.frame.frameLength, 1234) << "free format keeps the length given at open";
  EXPECT_EQ(d.granules[1][0].part2_3_length, 1000);
}

TEST(Layer3SideInfo, LowSamplingFrequencyLayout) {
  Part p;
  p.scalefacCompress = 505;
  Part shortBlock = p;
  shortBlock.windowSwitching = 1;
  shortBlock.blockType = 2;
  Header h;
  h.versionBit = 0;
  h.bitrateIndex = 8;  // 64 kbit/s
  const Decoded d = ReadLsf(h, {p, shortBlock}, 1);
  EXPECT_EQ(d.sideInfoEnd, 21);
  EXPECT_EQ(d.frame.mainDataBegin, 200);
  EXPECT_EQ(d.frame.frameLength, 64 * 1440 / 441);
  EXPECT_EQ(d.frame.scfsi[0], 0);
  const GranuleChannelInfo& g = d.granules[1][0];
  EXPECT_EQ(g.scalefac_compress, 505);
  EXPECT_EQ(g.preflag, 0);
  EXPECT_EQ(d.granules[1][1].region0_count, 5) << "short blocks";
  EXPECT_EQ(d.granules[1][1].region1_count, 15);

  Part start = shortBlock;
  start.blockType = 1;
  h.mode = 3;
  h.elevenBitSync = true;
  h.bitrateIndex = 1;
  h.sampleRateIndex = 2;
  const Decoded mono = ReadLsf(h, {start}, 0);
  EXPECT_EQ(mono.sideInfoEnd, 13);
  EXPECT_EQ(mono.frame.frameLength, 72) << "MPEG-2.5 keeps the factor 2880";
  EXPECT_EQ(mono.granules[0][0].region0_count, 7);
  EXPECT_EQ(mono.granules[0][0].region1_count, 13);
}

}  // namespace
}  // namespace orvana::engine
