#pragma once
// MPEG audio frame headers: parsing the four header bytes, frame lengths and
// bit rates, the first-sync search and the free-format length search.
#include <cstdint>

namespace orvana::engine {

struct FrameHeader {
  int32_t syncKind = 0;  // 1: 12-bit sync (MPEG-1/2), 2: 11-bit sync (MPEG-2.5), 0: not parsed
  int32_t versionId = 0;  // 1: MPEG-1, 0: MPEG-2 or MPEG-2.5
  int32_t layerCode = 0;  // 3: Layer I, 2: Layer II, 1: Layer III
  int32_t protectionBit = 0;  // 0: a 16-bit CRC follows the header
  int32_t bitrateIndex = 0;  // 0: free format
  int32_t sampleRateIndex = 0;
  int32_t paddingBit = 0;
  int32_t privateBit = 0;
  int32_t mode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
  int32_t modeExtension = 0;
  int32_t copyStatusBit = 0;
  int32_t originalBit = 0;
  int32_t emphasis = 0;
};

// Values of FrameHeader::layerCode.
inline constexpr int kLayerIIICode = 1;
inline constexpr int kLayerIICode = 2;
inline constexpr int kLayerICode = 3;
// Values of FrameHeader::mode.
inline constexpr int kJointStereoMode = 1;
inline constexpr int kSingleChannelMode = 3;

// Channels coded in the frames of a `mode`.
constexpr int ChannelsOfMode(int mode) { return mode == kSingleChannelMode ? 1 : 2; }
// Bytes that a set padding bit adds to a frame of `layerCode`.
constexpr int PaddingSlotBytes(int layerCode) { return layerCode == kLayerICode ? 4 : 1; }

// kbit/s by [versionId][layerCode][bitrateIndex]; free format and the
// forbidden index are 0, as is the reserved layer code 0.
extern const int16_t kBitrateKbps[2][4][16];
// Sampling frequency in units of 50 Hz by [versionId][sampleRateIndex]; the
// reserved index holds a negative value so that lengths computed from it are
// negative. MPEG-2.5 uses the MPEG-2 row.
extern const int16_t kSampleRateUnits[2][4];
// Sampling frequency in Hz by [versionId][sampleRateIndex]; MPEG-2.5 halves it.
extern const int32_t kSampleRateHz[2][3];

// The frame finders never look further than this many bytes ahead.
constexpr int kFrameSearchLimit = 10000;

// Parses the 4 bytes at `bytes` into `header`; returns the frame length in
// bytes without the padding slot, 0 when the bytes are not a header, or a
// negative value for a reserved sampling frequency. `length` (bytes available
// at `bytes`, capped at kFrameSearchLimit) matters only for free-format frames;
// 0 makes every free-format frame report 0. Four bytes must be readable.
int ParseFrameHeader(const uint8_t* bytes, int length, FrameHeader& header);

// As ParseFrameHeader, and sets `bitrate` in bit/s (0 when the parse fails).
int ReadFrameHeader(const uint8_t* bytes, int length, FrameHeader& header, int& bitrate);

// Finds the first sync candidate among `length` bytes, sets `offset` to it and
// returns ReadFrameHeader there. Returns 0 and leaves `offset` alone when the
// buffer holds no candidate; a candidate that fails to parse is not passed
// over.
int FindFrameSync(const uint8_t* bytes, int length, FrameHeader& header, int& bitrate,
                  int& offset);

// Length (without padding) of the free-format frame at `bytes` whose parsed
// header is `header`: the distance to the next frame starting with the same
// two header bytes, confirmed by every further frame in the buffer. 0 when no
// such chain is found.
int FreeFormatFrameLength(const uint8_t* bytes, int length, const FrameHeader& header);

}  // namespace orvana::engine
