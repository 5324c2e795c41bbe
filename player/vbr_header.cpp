#include "player/vbr_header.h"

#include <cmath>
#include <cstring>

#include "player/byte_order.h"
#include "player/replay_gain_limits.h"

namespace orvana::player {
namespace {

constexpr int32_t kXingFrameCountFlag = 0x1;
constexpr int32_t kXingByteCountFlag = 0x2;
constexpr int32_t kXingTocFlag = 0x4;
constexpr int32_t kXingQualityFlag = 0x8;
constexpr int kXingTocSize = 100;

// LAME's extension after the Xing fields: the encoder's name, at 11 the peak
// amplitude, at 15 and 17 two ReplayGain fields, at 21 the delay and padding
// as two 12-bit numbers, and at 34 a CRC-16 of the frame up to there.
constexpr int kPeakOffset = 11;
constexpr int kPeakFractionBits = 23;  // the peak is fixed point, full scale at 2^23
constexpr int kGainFieldOffsets[] = {15, 17};
constexpr int kDelaysOffset = 21;
constexpr int kExtensionChecksumOffset = 34;
constexpr int kExtensionSize = 36;

// Reads big-endian fields inside the frame only.
class TFrameFields {
 public:
  TFrameFields(const uint8_t* frame, int length) : frame_(frame), length_(length) {}

  bool Holds(int offset, int size) const { return offset >= 0 && offset + size <= length_; }
  bool TagAt(int offset, const char (&tag)[5]) const {
    return Holds(offset, 4) && std::memcmp(frame_ + offset, tag, 4) == 0;
  }
  // 0 when the field lies past the end.
  int32_t Int32At(int offset) const {
    return Holds(offset, 4) ? SignedBigEndian32(frame_ + offset) : 0;
  }
  int32_t PositiveAt(int offset) const {
    const int32_t value = Int32At(offset);
    return value > 0 ? value : 0;
  }
  const uint8_t* At(int offset) const { return frame_ + offset; }

 private:
  const uint8_t* frame_;
  int length_;
};

// CRC-16 with the polynomial 0x8005, bits taken low first, starting at 0.
uint16_t ExtensionChecksum(const uint8_t* bytes, int size) {
  uint16_t crc = 0;
  for (int i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// A field of 16 bits: the name (1 radio, that is track; 2 audiophile, that
// is album; 0 not set), who set it (0 nobody), the sign, and tenths of a dB.
void ReadGainField(const uint8_t* field, TReplayGainValues& gains) {
  const int word = field[0] << 8 | field[1];
  const int name = word >> 13;
  const int originator = word >> 10 & 0x7;
  if (originator == 0) return;
  const double db = (word & 0x1FF) / 10.0 * ((word & 0x200) != 0 ? -1 : 1);
  if (name == 1 && !gains.trackGainDb) gains.trackGainDb = AcceptedGainDb(db);
  if (name == 2 && !gains.albumGainDb) gains.albumGainDb = AcceptedGainDb(db);
}

void ReadEncoderGain(const uint8_t* extension, TReplayGainValues& gains) {
  gains.trackPeak = AcceptedPeak(std::ldexp(BigEndian32(extension + kPeakOffset), -kPeakFractionBits));
  for (const int offset : kGainFieldOffsets) ReadGainField(extension + offset, gains);
}

// The checksum keeps a frame of random bytes from passing for delays or gains.
void ReadEncoderExtension(const TFrameFields& fields, int extension, TVbrHeader& found) {
  if (!fields.Holds(extension, kExtensionSize)) return;
  const uint8_t* stored = fields.At(extension + kExtensionChecksumOffset);
  const uint16_t checksum = static_cast<uint16_t>(stored[0] << 8 | stored[1]);
  if (ExtensionChecksum(fields.At(0), extension + kExtensionChecksumOffset) != checksum) return;
  const uint8_t* delays = fields.At(extension + kDelaysOffset);
  found.hasEncoderDelays = true;
  found.encoderDelay = delays[0] << 4 | delays[1] >> 4;
  found.encoderPadding = (delays[1] & 0x0F) << 8 | delays[2];
  ReadEncoderGain(fields.At(extension), found.encoderGain);
}

void ReadXingFields(const TFrameFields& fields, int offset, TVbrHeader& found) {
  const int32_t flags = fields.Int32At(offset + 4);
  int next = offset + 8;
  if (flags & kXingFrameCountFlag) {
    found.frames = fields.PositiveAt(next);
    next += 4;
  }
  if (flags & kXingByteCountFlag) {
    found.bytes = fields.PositiveAt(next);
    next += 4;
  }
  if (flags & kXingTocFlag) next += kXingTocSize;
  if (flags & kXingQualityFlag) next += 4;
  ReadEncoderExtension(fields, next, found);
}

}  // namespace

TVbrHeader ReadVbrHeader(const uint8_t* frame, int length, const engine::FrameHeader& header) {
  const TFrameFields fields(frame, length);
  const int offset = engine::VbrHeaderOffset(header);
  TVbrHeader found;
  const bool xing = fields.TagAt(offset, "Xing");
  if (xing || fields.TagAt(offset, "Info")) {
    found.kind = xing ? TVbrHeaderKind::kXing : TVbrHeaderKind::kInfo;
    ReadXingFields(fields, offset, found);
  } else if (fields.TagAt(offset, "VBRI")) {
    found.kind = TVbrHeaderKind::kVbri;
    found.bytes = fields.PositiveAt(offset + 10);
    found.frames = fields.PositiveAt(offset + 14);
  }
  return found;
}

}  // namespace orvana::player
