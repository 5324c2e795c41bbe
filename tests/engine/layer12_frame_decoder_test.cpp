#include "engine/layer12_frame_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/frame_scanner.h"
#include "engine/layer12_tables.h"
#include "layer12_frames.h"
#include "test_streams.h"

namespace orvana::engine {
namespace {

using testing::BitWriter;
using testing::FinishFrame;
using testing::FrameBytes;
using testing::Layer12Header;
using testing::ParsedHeader;
using testing::PutRepeated;
using testing::ReadTestFile;
using testing::StartFrame;

constexpr int kLayerI = 3;
constexpr int kJoint = 1, kMono = 3;
constexpr int kRowFloats = 64;

int Open(EngineState& engine, const Layer12Header& h, int maxFrequency = kFullBandMaxFrequency,
         uint8_t flags = 0) {
  int length = 0;
  const FrameHeader header = ParsedHeader(h, length);
  return engine.InitDecoder(header, length, 0, 0, flags, maxFrequency);
}

std::unique_ptr<EngineState> Opened(const Layer12Header& h,
                                    int maxFrequency = kFullBandMaxFrequency) {
  auto engine = std::make_unique<EngineState>();
  EXPECT_EQ(Open(*engine, h, maxFrequency), 1);
  return engine;
}

float Sample(const EngineState& engine, int row, int index) {
  return engine.layer12.samples[row * kRowFloats + index];
}

float Amplitude(int value, int steps, int scaleIndex) {
  return static_cast<float>(value) * (2.0f / steps) * kLayer12ScaleFactor[scaleIndex];
}

// Allocation codes in bitstream order: `widths` bits per sub-band, code(sb,
// ch) for each channel below `bound`, code(sb, 0) alone from there on.
void PutAllocation(BitWriter& writer, const std::vector<int>& widths, int channels, int bound,
                   const std::function<int(int, int)>& code) {
  for (int sb = 0; sb < static_cast<int>(widths.size()); ++sb)
    for (int ch = 0; ch < (sb < bound ? channels : 1); ++ch) writer.Put(code(sb, ch), widths[sb]);
}

// 48 kHz, 64 kbit/s, two channels: table 2 (8 sub-bands), 192-byte frames.
const std::vector<int> kTable2Widths = {4, 4, 3, 3, 3, 3, 3, 3};
constexpr Layer12Header kTable2Stereo{2, 4, 1, 0, 0, 0, false, true};
// 48 kHz, 192 kbit/s, two channels: table 0 (27 sub-bands), 576-byte frames.
const std::vector<int> kTable0Widths = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3,
                                        3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2};
constexpr Layer12Header kTable0Stereo{2, 10, 1, 0, 0, 0, false, true};
// Layer I, 48 kHz, 448 kbit/s: 448-byte frames.
constexpr Layer12Header kLayerIWide{3, 14, 1, 0, 0, 0, false, true};

struct Pcm {
  Pcm() { std::fill(std::begin(samples), std::end(samples), int16_t{0x5A5A}); }
  int16_t samples[2 * 1152 + 64];
};

DecodeResult Decode(EngineState& engine, const std::vector<uint8_t>& frame, Pcm& pcm) {
  return engine.DecodeFrame(frame.data(), static_cast<int>(frame.size()), pcm.samples);
}

TEST(Layer12Open, RefusesWhatNoAllocationTableCovers) {
  EngineState engine;
  Layer12Header h = kTable2Stereo;
  h.sampleRateIndex = 0;
  h.bitrateIndex = 3;  // 56 kbit/s
  EXPECT_EQ(Open(engine, h), 0) << "two channels at 56 kbit/s";
  Pcm pcm;
  EXPECT_EQ(Decode(engine, std::vector<uint8_t>(400, 0xFF), pcm).bytesConsumed, 0)
      << "nothing open after a refusal";
  h.mode = kJoint;
  EXPECT_EQ(Open(engine, h), 0);
  h.mode = kMono;
  EXPECT_EQ(Open(engine, h), 1) << "one channel at 56 kbit/s";

  int length = 0;
  FrameHeader elevenBitSync = ParsedHeader(kTable2Stereo, length);
  elevenBitSync.syncKind = 2;
  elevenBitSync.versionId = 0;
  EXPECT_EQ(engine.InitDecoder(elevenBitSync, length, 0, 0, 0, kPlayerMaxFrequency), 0);
  FrameHeader layerI = ParsedHeader(kLayerIWide, length);
  layerI.syncKind = 2;
  layerI.versionId = 0;
  EXPECT_EQ(engine.InitDecoder(layerI, length, 0, 0, 0, kPlayerMaxFrequency), 0);
  FrameHeader reserved = ParsedHeader(kTable2Stereo, length);
  reserved.sampleRateIndex = 3;
  EXPECT_EQ(engine.InitDecoder(reserved, 192, 0, 0, 0, kPlayerMaxFrequency), 0);
}

TEST(Layer12Open, OutputFormatsOfBothLayers) {
  struct Case {
    Layer12Header header;
    OutputFormat format;
    int subbandLimit;  // at full band
  };
  Layer12Header mono = kTable0Stereo;
  mono.mode = kMono;
  Layer12Header lsf = kTable0Stereo;
  lsf.mpeg1 = false;  // 24 kHz, 144 kbit/s
  Layer12Header layerI44 = kLayerIWide;
  layerI44.sampleRateIndex = 0;
  Layer12Header layerILsf = kLayerIWide;
  layerILsf.mpeg1 = false;
  const Case cases[] = {
      {kTable0Stereo, {2, 2304, 48000, 16, 576, 0}, 27},
      {kTable2Stereo, {2, 2304, 48000, 16, 192, 0}, 8},
      {mono, {1, 1152, 48000, 16, 576, 0}, 27},
      {lsf, {2, 2304, 24000, 16, 576, 0}, 30},
      {kLayerIWide, {2, 768, 48000, 16, 448, 0}, 32},
      {layerI44, {2, 768, 44100, 16, 484, 0}, 32},
      {layerILsf, {2, 768, 24000, 16, 512, 0}, 32},
  };
  for (const Case& c : cases) {
    auto engine = Opened(c.header);
    OutputFormat format;
    engine->GetOutputFormat(format);
    const std::string label = "layer code " + std::to_string(c.header.layerCode) + ", " +
                              std::to_string(c.format.sampleRate) + " Hz";
    EXPECT_EQ(format.channels, c.format.channels) << label;
    EXPECT_EQ(format.samplesPerFrame, c.format.samplesPerFrame) << label;
    EXPECT_EQ(format.sampleRate, c.format.sampleRate) << label;
    EXPECT_EQ(format.bitsPerSample, 16) << label;
    EXPECT_EQ(format.frameLength, c.format.frameLength) << label;
    EXPECT_EQ(format.reserved, 0) << label;
    EXPECT_EQ(engine->config.outputBytes, 2 * c.format.samplesPerFrame) << label;
    EXPECT_EQ(engine->config.subbandLimit, c.subbandLimit) << label;
  }
  EXPECT_EQ(Opened(kLayerIWide, kPlayerMaxFrequency)->config.subbandLimit, 31)
      << "the player leaves out the top sub-band";
  EngineState mixed;
  ASSERT_EQ(Open(mixed, kTable0Stereo, kPlayerMaxFrequency, output_flags::kMixDown), 1);
  EXPECT_EQ(mixed.outputFormat.channels, 1);
  EXPECT_EQ(mixed.config.outputBytes, 2304);
}

TEST(Layer12Frame, AllZeroAllocationIsASilentFrameOfFullSize) {
  const std::vector<uint8_t> data = ReadTestFile("l2-48000-joint-cbr192.mp2");
  FrameScanner scanner(data.data(), data.size());
  ASSERT_TRUE(scanner.FindFirstFrame());
  ScannedFrame first;
  ASSERT_TRUE(scanner.Next(first));
  const std::vector<uint8_t> music(data.begin() + first.offset,
                                   data.begin() + first.offset + first.length);
  const std::vector<uint8_t> silent = FinishFrame(StartFrame(kTable0Stereo), kTable0Stereo);

  auto engine = Opened(kTable0Stereo);
  Pcm pcm;
  const DecodeResult result = Decode(*engine, silent, pcm);
  EXPECT_EQ(result.bytesConsumed, 576);
  EXPECT_EQ(result.bytesProduced, 4608);
  for (int i = 0; i < 2304; ++i) ASSERT_EQ(pcm.samples[i], 0) << i;
  EXPECT_EQ(pcm.samples[2304], 0x5A5A) << "nothing past the frame";

  ASSERT_EQ(Decode(*engine, music, pcm).bytesConsumed, first.length);
  ASSERT_TRUE(std::any_of(std::begin(engine->layer12.samples), std::end(engine->layer12.samples),
                          [](float s) { return s != 0.0f; }));
  ASSERT_EQ(Decode(*engine, silent, pcm).bytesConsumed, 576);
  EXPECT_TRUE(std::all_of(std::begin(engine->layer12.samples), std::end(engine->layer12.samples),
                          [](float s) { return s == 0.0f; }))
      << "no sample of the earlier frame is left";
}

TEST(Layer12Frame, LayerIPaddingCountsFourBytes) {
  Layer12Header h{3, 2, 1, 0, 0, 0, false, true};  // 64 kbit/s at 48 kHz: 64 bytes
  auto engine = Opened(h);
  Pcm pcm;
  EXPECT_EQ(Decode(*engine, FinishFrame(StartFrame(h), h), pcm).bytesConsumed, 64);
  h.padding = 1;
  const DecodeResult padded = Decode(*engine, FinishFrame(StartFrame(h), h), pcm);
  EXPECT_EQ(padded.bytesConsumed, 68);
  EXPECT_EQ(padded.bytesProduced, 1536);
  Layer12Header layerII = kTable2Stereo;
  auto layerIIEngine = Opened(layerII);
  layerII.padding = 1;
  EXPECT_EQ(Decode(*layerIIEngine, FinishFrame(StartFrame(layerII), layerII), pcm).bytesConsumed,
            193);
}

TEST(Layer12Frame, LayerIJointStereoSharesFromSubbandFourWithModeExtensionZero) {
  Layer12Header h = kLayerIWide;
  h.mode = kJoint;
  h.modeExtension = 0;
  BitWriter w = StartFrame(h);
  PutAllocation(w, std::vector<int>(32, 4), 2, 4, [](int sb, int ch) {
    if (sb == 3) return ch == 0 ? 1 : 2;
    return sb == 4 ? 3 : 0;
  });
  w.Put(1, 6).Put(2, 6);  // sub-band 3, both channels
  w.Put(6, 6).Put(9, 6);  // sub-band 4: one allocation, a scale factor per channel
  for (int r = 0; r < 12; ++r) w.Put(r % 3, 2).Put(r % 7, 3).Put(r, 4);
  auto engine = Opened(h);
  Pcm pcm;
  ASSERT_EQ(Decode(*engine, FinishFrame(w, h), pcm).bytesConsumed, 448);
  for (int r = 0; r < 12; ++r) {
    EXPECT_FLOAT_EQ(Sample(*engine, r, 2 * 3), Amplitude(r % 3 - 1, 3, 1)) << r;
    EXPECT_FLOAT_EQ(Sample(*engine, r, 2 * 3 + 1), Amplitude(r % 7 - 3, 7, 2)) << r;
    EXPECT_FLOAT_EQ(Sample(*engine, r, 2 * 4), Amplitude(r - 7, 15, 6)) << r;
    EXPECT_FLOAT_EQ(Sample(*engine, r, 2 * 4 + 1), Amplitude(r - 7, 15, 9)) << r;
    for (int index = 0; index < 64; ++index) {
      if (index >= 6 && index <= 9) continue;
      ASSERT_EQ(Sample(*engine, r, index), 0.0f) << r << " " << index;
    }
  }
}

TEST(Layer12Frame, LayerIIJointStereoSharesCodesButNotScaleFactors) {
  Layer12Header h = kTable2Stereo;
  h.mode = kJoint;
  h.modeExtension = 0;
  BitWriter w = StartFrame(h);
  // Sub-band 4: 15 steps; sub-band 5: 9 steps, grouped.
  PutAllocation(w, kTable2Widths, 2, 4, [](int sb, int) { return sb == 4 ? 4 : sb == 5 ? 3 : 0; });
  PutRepeated(w, 2, 2, 4);  // one scale factor each
  w.Put(0, 6).Put(9, 6).Put(3, 6).Put(12, 6);
  for (int g = 0; g < 12; ++g) w.Put(g, 4).Put(14 - g, 4).Put(7, 4).Put(35, 10);
  auto engine = Opened(h);
  Pcm pcm;
  ASSERT_EQ(Decode(*engine, FinishFrame(w, h), pcm).bytesConsumed, 192);
  const int nine[3] = {4, -1, -4};
  for (int g = 0; g < 12; ++g) {
    const int values[3] = {g - 7, 7 - g, 0};
    for (int k = 0; k < 3; ++k) {
      const int row = 3 * g + k;
      EXPECT_FLOAT_EQ(Sample(*engine, row, 8), Amplitude(values[k], 15, 0)) << row;
      EXPECT_FLOAT_EQ(Sample(*engine, row, 9), Amplitude(values[k], 15, 9)) << row;
      EXPECT_FLOAT_EQ(Sample(*engine, row, 10), Amplitude(nine[k], 9, 3)) << row;
      EXPECT_FLOAT_EQ(Sample(*engine, row, 11), Amplitude(nine[k], 9, 12)) << row;
    }
  }
}

TEST(Layer12Frame, ScaleFactorSelectionPatterns) {
  BitWriter w = StartFrame(kTable2Stereo);
  // Sub-bands 0..3 of the left channel at 15 steps.
  PutAllocation(w, kTable2Widths, 2, 8, [](int sb, int ch) { return sb < 4 && ch == 0 ? 4 : 0; });
  w.Put(0, 2).Put(1, 2).Put(2, 2).Put(3, 2);
  w.Put(3, 6).Put(6, 6).Put(9, 6);  // three factors
  w.Put(3, 6).Put(6, 6);            // parts 0 and 1 share the first
  w.Put(3, 6);                      // one for all
  w.Put(3, 6).Put(6, 6);            // parts 1 and 2 share the second
  for (int g = 0; g < 12; ++g)
    for (int sb = 0; sb < 4; ++sb) w.Put(8, 4).Put(9, 4).Put(10, 4);  // values 1, 2, 3
  auto engine = Opened(kTable2Stereo);
  Pcm pcm;
  ASSERT_EQ(Decode(*engine, FinishFrame(w, kTable2Stereo), pcm).bytesConsumed, 192);
  const int factorOf[4][3] = {{3, 6, 9}, {3, 3, 6}, {3, 3, 3}, {3, 6, 6}};
  for (int row = 0; row < 36; ++row) {
    const int part = row / 12;
    const int value = row % 3 + 1;
    for (int sb = 0; sb < 4; ++sb) {
      EXPECT_FLOAT_EQ(Sample(*engine, row, 2 * sb), Amplitude(value, 15, factorOf[sb][part]))
          << "row " << row << " sub-band " << sb;
      EXPECT_EQ(Sample(*engine, row, 2 * sb + 1), 0.0f);
    }
  }
}

// Sub-band 0: 3 steps left, 9 steps right; sub-band 1: 5 steps left.
BitWriter GroupedFrame(const Layer12Header& h) {
  BitWriter w = StartFrame(h);
  PutAllocation(w, kTable2Widths, 2, 8, [](int sb, int ch) {
    if (sb == 0) return ch == 0 ? 1 : 3;
    return sb == 1 && ch == 0 ? 2 : 0;
  });
  PutRepeated(w, 2, 2, 3);
  w.Put(0, 6).Put(3, 6).Put(6, 6);
  for (int g = 0; g < 12; ++g) w.Put(21, 5).Put(35, 10).Put(54, 7);
  return w;
}

TEST(Layer12Frame, GroupedCodesOfThreeFiveAndNineSteps) {
  auto engine = Opened(kTable2Stereo);
  Pcm pcm;
  ASSERT_EQ(
      Decode(*engine, FinishFrame(GroupedFrame(kTable2Stereo), kTable2Stereo), pcm).bytesConsumed,
      192);
  const int three[3] = {-1, 0, 1}, nine[3] = {4, -1, -4}, five[3] = {2, -2, 0};
  for (int row = 0; row < 36; ++row) {
    const int k = row % 3;
    EXPECT_FLOAT_EQ(Sample(*engine, row, 0), Amplitude(three[k], 3, 0)) << row;
    EXPECT_FLOAT_EQ(Sample(*engine, row, 1), Amplitude(nine[k], 9, 3)) << row;
    EXPECT_FLOAT_EQ(Sample(*engine, row, 2), Amplitude(five[k], 5, 6)) << row;
    EXPECT_EQ(Sample(*engine, row, 3), 0.0f) << row;
  }
}

TEST(Layer12Frame, CrcWordIsPassedOverUnchecked) {
  Layer12Header h = kTable2Stereo;
  auto plain = Opened(h);
  h.crc = true;
  auto checked = Opened(h);
  Pcm a, b;
  ASSERT_EQ(
      Decode(*plain, FinishFrame(GroupedFrame(kTable2Stereo), kTable2Stereo), a).bytesConsumed,
      192);
  ASSERT_EQ(Decode(*checked, FinishFrame(GroupedFrame(h), h), b).bytesConsumed, 192);
  EXPECT_TRUE(std::equal(std::begin(plain->layer12.samples), std::end(plain->layer12.samples),
                         std::begin(checked->layer12.samples)));
  EXPECT_TRUE(std::equal(a.samples, a.samples + 2304, b.samples));
}

TEST(Layer12Frame, LayerIForbiddenAllocationReadsItsBitsAndPlaysSilence) {
  Layer12Header h = kLayerIWide;
  h.mode = kMono;
  BitWriter w = StartFrame(h);
  PutAllocation(w, std::vector<int>(32, 4), 1, 32, [](int sb, int) {
    return sb == 0 ? 15 : sb == 1 ? 1 : 0;
  });
  w.Put(0, 6).Put(3, 6);
  for (int r = 0; r < 12; ++r) w.Put(0xFFFF, 16).Put(2, 2);
  auto engine = Opened(h);
  Pcm pcm;
  ASSERT_EQ(Decode(*engine, FinishFrame(w, h), pcm).bytesConsumed, 448);
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(Sample(*engine, r, 0), 0.0f) << r;
    EXPECT_FLOAT_EQ(Sample(*engine, r, 1), Amplitude(1, 3, 3)) << r;
  }
}

TEST(Layer12Frame, EachFrameTakesTheTableAndLengthOfItsOwnBitRate) {
  // A 192 kbit/s frame (table 0) with sub-band 20 in use, then a 64 kbit/s
  // frame (table 2, 8 sub-bands) of the same stream.
  BitWriter wide = StartFrame(kTable0Stereo);
  // Sub-band 20 reads 3-bit codes: 5 is 15 steps there.
  PutAllocation(wide, kTable0Widths, 2, 32,
                [](int sb, int ch) { return sb == 20 && ch == 0 ? 5 : 0; });
  wide.Put(2, 2).Put(0, 6);
  for (int g = 0; g < 12; ++g) PutRepeated(wide, 8, 4, 3);
  BitWriter narrow = StartFrame(kTable2Stereo);
  PutAllocation(narrow, kTable2Widths, 2, 8,
                [](int sb, int ch) { return sb == 0 && ch == 0 ? 4 : 0; });
  narrow.Put(2, 2).Put(0, 6);
  for (int g = 0; g < 12; ++g) PutRepeated(narrow, 9, 4, 3);

  auto engine = Opened(kTable0Stereo);
  Pcm pcm;
  ASSERT_EQ(Decode(*engine, FinishFrame(wide, kTable0Stereo), pcm).bytesConsumed, 576);
  EXPECT_FLOAT_EQ(Sample(*engine, 0, 40), Amplitude(1, 15, 0));
  const DecodeResult result = Decode(*engine, FinishFrame(narrow, kTable2Stereo), pcm);
  EXPECT_EQ(result.bytesConsumed, 192);
  EXPECT_EQ(result.bytesProduced, 4608);
  for (int row = 0; row < 36; ++row) {
    EXPECT_FLOAT_EQ(Sample(*engine, row, 0), Amplitude(2, 15, 0)) << row;
    EXPECT_EQ(Sample(*engine, row, 40), 0.0f) << "sub-band 20 of the wider frame: row " << row;
  }
}

// Decodes every frame of a stream at full band and with a low limit: the
// sub-bands below the limit must come out bit for bit the same (the skipped
// bits land the reader on the next granule) and those above must stay zero.
TEST(Layer12Limit, SkippedSubbandsLeaveTheOthersIntact) {
  const char* const names[] = {"l1-fl1.bit",
                               "l1-fl2.bit",
                               "l1-fl3.bit",
                               "l1-fl4.bit",
                               "l1-fl5.bit",
                               "l1-fl6.bit",
                               "l2-fl10.bit",
                               "l2-fl11.bit",
                               "l2-fl12.bit",
                               "l2-fl13.bit",
                               "l2-fl14.bit",
                               "l2-test32.bit",
                               "l2-48000-joint-cbr192.mp2",
                               "lsf-l2-24000-stereo-cbr96.mp2"};
  for (const char* name : names) {
    const std::vector<uint8_t> data = ReadTestFile(name);
    for (int maxFrequency : {1000, 6000}) {
      FrameScanner scanner(data.data(), data.size());
      ASSERT_TRUE(scanner.FindFirstFrame()) << name;
      const FrameHeader& header = scanner.firstHeader();
      auto full = std::make_unique<EngineState>();
      auto narrow = std::make_unique<EngineState>();
      ASSERT_EQ(
          full->InitDecoder(header, scanner.firstFrameLength(), 0, 0, 0, kFullBandMaxFrequency), 1);
      ASSERT_EQ(narrow->InitDecoder(header, scanner.firstFrameLength(), 0, 0, 0, maxFrequency), 1);
      const int limit = narrow->layer12.decodeLimit;
      ASSERT_LT(limit, 20) << name;
      const int rows = header.layerCode == kLayerI ? 12 : 36;
      const int channels = full->config.streamChannels;
      Pcm pcm;
      int frames = 0;
      for (ScannedFrame frame; scanner.Next(frame); ++frames) {
        const uint8_t* bytes = data.data() + frame.offset;
        ASSERT_GT(full->DecodeFrame(bytes, frame.length, pcm.samples).bytesConsumed, 0) << name;
        ASSERT_GT(narrow->DecodeFrame(bytes, frame.length, pcm.samples).bytesConsumed, 0) << name;
        for (int row = 0; row < rows; ++row)
          for (int sb = 0; sb < 32; ++sb)
            for (int ch = 0; ch < channels; ++ch) {
              const int index = sb * channels + ch;
              if (sb < limit)
                ASSERT_EQ(Sample(*narrow, row, index), Sample(*full, row, index))
                    << name << " frame " << frames << " row " << row << " sub-band " << sb;
              else
                ASSERT_EQ(Sample(*narrow, row, index), 0.0f) << name << " sub-band " << sb;
            }
      }
      EXPECT_GT(frames, 10) << name;
    }
  }
}

TEST(Layer12Hostile, AllocationClaimingMoreThanTheFrameIsRefused) {
  // Every sub-band at its widest: some 5000 sample bits in a 1536-bit frame.
  BitWriter w = StartFrame(kTable2Stereo);
  PutAllocation(w, kTable2Widths, 2, 8, [](int sb, int) { return sb < 2 ? 15 : 7; });
  PutRepeated(w, 0, 2, 16);
  PutRepeated(w, 5, 6, 48);
  for (int i = 0; w.bitCount() < 1536; ++i) w.Put(i * 37 & 0xFF, 8);
  auto engine = Opened(kTable2Stereo);
  Pcm pcm;
  const DecodeResult result = Decode(*engine, FinishFrame(w, kTable2Stereo), pcm);
  EXPECT_EQ(result.bytesConsumed, 0);
  EXPECT_EQ(result.bytesProduced, 0);
  EXPECT_EQ(pcm.samples[0], 0x5A5A) << "nothing written";

  // Layer I at 32 kbit/s: the allocation alone is longer than the frame.
  Layer12Header tiny{3, 1, 0, 0, 0, 0, false, true};
  auto layerI = Opened(tiny);
  BitWriter all = StartFrame(tiny);
  PutRepeated(all, 14, 4, 56);
  EXPECT_EQ(Decode(*layerI, FinishFrame(all, tiny), pcm).bytesConsumed, 0);
}

TEST(Layer12Frame, FrameFilledToItsLastBitDecodes) {
  // Layer I at 32 kbit/s and 44.1 kHz: 32 bytes, 36 with padding, and the
  // all-zero allocation of two channels takes 4 + 32 bytes.
  Layer12Header h{3, 1, 0, 1, 0, 0, false, true};
  BitWriter w = StartFrame(h);
  PutRepeated(w, 0, 4, 64);
  ASSERT_EQ(w.bitCount(), 36u * 8);
  auto engine = Opened(h);
  Pcm pcm;
  EXPECT_EQ(Decode(*engine, FinishFrame(w, h), pcm).bytesConsumed, 36);
  h.padding = 0;
  EXPECT_EQ(Decode(*engine, FinishFrame(StartFrame(h), h), pcm).bytesConsumed, 0)
      << "four bytes short of its allocation";
}

TEST(Layer12Hostile, FrameCutShortIsRefused) {
  const std::vector<uint8_t> frame = FinishFrame(GroupedFrame(kTable2Stereo), kTable2Stereo);
  auto engine = Opened(kTable2Stereo);
  Pcm pcm;
  for (int available : {4, 5, 6, 40, 191}) {
    const std::vector<uint8_t> cut(frame.begin(), frame.begin() + available);
    EXPECT_EQ(Decode(*engine, cut, pcm).bytesConsumed, 0) << available;
  }
  EXPECT_EQ(Decode(*engine, frame, pcm).bytesConsumed, 192);
}

TEST(Layer12Hostile, FramesOfAnotherStreamAreRefused) {
  auto engine = Opened(kTable2Stereo);
  Pcm pcm;
  auto refused = [&](Layer12Header h, const char* what) {
    std::vector<uint8_t> frame = StartFrame(h).Bytes(600);
    EXPECT_EQ(Decode(*engine, frame, pcm).bytesConsumed, 0) << what;
  };
  Layer12Header h = kTable2Stereo;
  h.layerCode = kLayerI;
  refused(h, "Layer I in a Layer II stream");
  h = kTable2Stereo;
  h.mode = kMono;
  refused(h, "single channel in a two-channel stream");
  h = kTable2Stereo;
  h.sampleRateIndex = 0;
  refused(h, "another sampling frequency");
  h = kTable2Stereo;
  h.mpeg1 = false;
  refused(h, "another version");
  h = kTable2Stereo;
  h.bitrateIndex = 15;
  refused(h, "forbidden bit rate");
  h = kTable2Stereo;
  h.bitrateIndex = 1;
  refused(h, "a bit rate no table covers");
  std::vector<uint8_t> broken = FinishFrame(GroupedFrame(kTable2Stereo), kTable2Stereo);
  broken[1] &= 0xEF;  // 11-bit sync
  EXPECT_EQ(Decode(*engine, broken, pcm).bytesConsumed, 0) << "sync";
  EXPECT_EQ(pcm.samples[0], 0x5A5A);
}

}  // namespace
}  // namespace orvana::engine
