#pragma once
// Layer III side information: the frame header read again bit by bit, then
// the per-granule, per-channel fields that steer the main-data decoding.
#include <cstdint>

#include "engine/bit_reader.h"

namespace orvana::engine {

struct GranuleChannelInfo {
  int32_t part2_3_length = 0;
  int32_t big_values = 0;
  int32_t global_gain = 0;  // with the engine's gain offsets added
  int32_t scalefac_compress = 0;
  int32_t window_switching_flag = 0;
  int32_t block_type = 0;
  // With block_type 2 a short block with long low sub-bands; with the other
  // window-switching types the two low sub-bands take the normal window.
  int32_t mixed_block_flag = 0;
  int32_t table_select[3] = {};
  int32_t subblock_gain[3] = {};
  int32_t region0_count = 0;
  int32_t region1_count = 0;
  int32_t preflag = 0;
  int32_t scalefac_scale = 0;
  int32_t count1table_select = 0;
};

// Values of the frame as a whole.
struct Layer3FrameInfo {
  int32_t versionId = 0;
  int32_t bitrateIndex = 0;
  int32_t sampleRateIndex = 0;
  int32_t paddingBit = 0;
  int32_t mode = 0;
  int32_t modeExtension = 0;  // 0 unless joint stereo
  int32_t msStereo = 0;
  int32_t intensityStereo = 0;
  int32_t crcBytes = 0;
  // Bytes without padding; recomputed from a fixed bit-rate index, left as
  // the caller set it (the length given at open) for free format.
  int32_t frameLength = 0;
  int32_t mainDataBegin = 0;
  int32_t channelCount = 0;
  int32_t scfsi[2] = {};
};

constexpr int kShortBlockType = 2;

// Bytes of a frame's header and side information, the CRC word not counted.
constexpr int Layer3SideInfoEnd(bool mpeg1, int channels) {
  constexpr int kHeaderBytes = 4;
  if (mpeg1) return kHeaderBytes + (channels == 1 ? 17 : 32);
  return kHeaderBytes + (channels == 1 ? 9 : 17);
}

// Both read from a reader started at the frame's first byte, after the caller
// consumed the 12 sync bits; both return the header plus side-information
// bytes (CRC not counted). `gainOffset` (0, or -4 for a mix-down) is added to
// every global_gain. MPEG-1 fills both granule slots of `granules`
// ([slot][channel]); the low-sampling-frequency reader fills slot `slot`.
int ReadSideInfoMpeg1(Layer3BitReader& reader, int gainOffset, Layer3FrameInfo& frame,
                      GranuleChannelInfo (&granules)[2][2]);
int ReadSideInfoLsf(Layer3BitReader& reader, int gainOffset, bool elevenBitSync, int slot,
                    Layer3FrameInfo& frame, GranuleChannelInfo (&granules)[2][2]);

}  // namespace orvana::engine
