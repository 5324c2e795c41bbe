#include "engine/frame_header.h"

#include <algorithm>

namespace orvana::engine {

const int16_t kBitrateKbps[2][4][16] = {
    {
        // MPEG-2 and MPEG-2.5
        {},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},  // Layer III
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},  // Layer II
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},  // Layer I
    },
    {
        // MPEG-1
        {},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    },
};

const int16_t kSampleRateUnits[2][4] = {{441, 480, 320, -999}, {882, 960, 640, -999}};

const int32_t kSampleRateHz[2][3] = {{22050, 24000, 16000}, {44100, 48000, 32000}};

namespace {

void ExtractFields(const uint8_t* bytes, FrameHeader& header) {
  header.versionId = (bytes[1] >> 3) & 1;
  header.layerCode = (bytes[1] >> 1) & 3;
  header.protectionBit = bytes[1] & 1;
  header.bitrateIndex = bytes[2] >> 4;
  header.sampleRateIndex = (bytes[2] >> 2) & 3;
  header.paddingBit = (bytes[2] >> 1) & 1;
  header.privateBit = bytes[2] & 1;
  header.mode = bytes[3] >> 6;
  header.modeExtension = (bytes[3] >> 4) & 3;
  header.copyStatusBit = (bytes[3] >> 3) & 1;
  header.originalBit = (bytes[3] >> 2) & 1;
  header.emphasis = bytes[3] & 3;
}

int FixedFrameLength(const FrameHeader& header) {
  const int kbps = kBitrateKbps[header.versionId][header.layerCode][header.bitrateIndex];
  const int units = kSampleRateUnits[header.versionId][header.sampleRateIndex];
  if (header.layerCode == kLayerICode) return (kbps * 240 / units) * 4;
  if (header.layerCode == kLayerIIICode && header.versionId == 0 && header.syncKind == 1)
    return kbps * 1440 / units;
  return kbps * 2880 / units;
}

int FreeFormatBitrate(const FrameHeader& header, int length) {
  const int64_t units = kSampleRateUnits[header.versionId][header.sampleRateIndex];
  int64_t bitrate;
  if (header.layerCode == kLayerICode)
    bitrate = length * units * 1000 / 960;
  else if (header.layerCode != kLayerIIICode || header.versionId == 1)
    bitrate = length * units * 1000 / 2880;
  else if (header.syncKind == 1)
    bitrate = length * units * 8 * 125 / 1440;
  else
    bitrate = length * units * 4 * 125 / 1440;
  return static_cast<int>(bitrate);
}

bool StartsWith(const uint8_t* bytes, uint8_t first, uint8_t second) {
  return bytes[0] == first && bytes[1] == second;
}

}  // namespace

int FreeFormatFrameLength(const uint8_t* bytes, int length, const FrameHeader& header) {
  length = std::min(length, kFrameSearchLimit);
  const int slot = PaddingSlotBytes(header.layerCode);
  const int limit = length - 3;
  const uint8_t first = bytes[0];
  const uint8_t second = bytes[1];
  constexpr int kFirstCandidate = 24;
  constexpr int kSearchEnd = 2000;

  for (int start = kFirstCandidate; start < kSearchEnd;) {
    int next = 0;
    for (int i = start; i < limit; ++i) {
      if (StartsWith(bytes + i, first, second)) {
        next = i;
        break;
      }
    }
    // The padding slot of the first frame is in bytes, so a padded Layer I
    // frame is 4 bytes longer than its candidate length.
    const int candidate = next - header.paddingBit * slot;
    if (candidate <= 0) return 0;

    int matches = 0;
    bool chainHolds = true;
    for (int index = 0;;) {
      const bool padded = (bytes[index + 2] >> 1) & 1;
      index += candidate + (padded ? slot : 0);
      if (index > limit) break;
      if (!StartsWith(bytes + index, first, second)) {
        chainHolds = false;
        break;
      }
      ++matches;
    }
    if (chainHolds && matches > 0) return candidate;
    start = next + 1;
  }
  return 0;
}

int ParseFrameHeader(const uint8_t* bytes, int length, FrameHeader& header) {
  length = std::min(length, kFrameSearchLimit);
  header.syncKind = 0;
  if (bytes[0] != 0xFF) return 0;
  const int highNibble = bytes[1] >> 4;
  if (highNibble == 0xF)
    header.syncKind = 1;
  else if (highNibble == 0xE)
    header.syncKind = 2;
  else
    return 0;
  ExtractFields(bytes, header);
  if (header.layerCode == 0) return 0;
  // An 11-bit sync with the MPEG-1 version bit is the reserved version.
  if (header.syncKind == 2 && header.versionId == 1) return 0;
  if (header.bitrateIndex == 0) {
    // A free-format frame of a reserved sampling frequency is as invalid as
    // any other frame of it.
    if (header.sampleRateIndex == 3) return -1;
    return FreeFormatFrameLength(bytes, length, header);
  }
  return FixedFrameLength(header);
}

int ReadFrameHeader(const uint8_t* bytes, int length, FrameHeader& header, int& bitrate) {
  const int frameLength = ParseFrameHeader(bytes, length, header);
  if (frameLength <= 0)
    bitrate = 0;
  else if (header.bitrateIndex == 0)
    bitrate = FreeFormatBitrate(header, frameLength);
  else
    bitrate = kBitrateKbps[header.versionId][header.layerCode][header.bitrateIndex] * 1000;
  return frameLength;
}

int FindFrameSync(const uint8_t* bytes, int length, FrameHeader& header, int& bitrate,
                  int& offset) {
  constexpr int kHeaderBytes = 4;
  for (int i = 0; i + 1 < length; ++i) {
    if (bytes[i] != 0xFF || (bytes[i + 1] & 0xE0) != 0xE0) continue;
    offset = i;
    // A candidate cut off by the end of the buffer cannot be parsed.
    if (length - i < kHeaderBytes) {
      header.syncKind = 0;
      bitrate = 0;
      return 0;
    }
    return ReadFrameHeader(bytes + i, length - i, header, bitrate);
  }
  return 0;
}

}  // namespace orvana::engine
