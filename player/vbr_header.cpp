#include "player/vbr_header.h"

#include <cstring>

#include "engine/layer3_side_info.h"
#include "player/byte_order.h"

namespace orvana::player {
namespace {

constexpr int32_t kXingFrameCountFlag = 0x1;
constexpr int32_t kXingByteCountFlag = 0x2;

// Reads big-endian 32-bit fields inside the frame only.
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

 private:
  const uint8_t* frame_;
  int length_;
};

}  // namespace

int VbrHeaderOffset(const engine::FrameHeader& header) {
  const int crcBytes = header.protectionBit == 0 ? 2 : 0;
  return engine::Layer3SideInfoEnd(header.versionId == 1, engine::ChannelsOfMode(header.mode)) + crcBytes;
}

TVbrHeader ReadVbrHeader(const uint8_t* frame, int length, const engine::FrameHeader& header) {
  const TFrameFields fields(frame, length);
  const int offset = VbrHeaderOffset(header);
  TVbrHeader found;
  if (fields.TagAt(offset, "Xing")) {
    found.kind = TVbrHeaderKind::kXing;
    const int32_t flags = fields.Int32At(offset + 4);
    int next = offset + 8;
    if (flags & kXingFrameCountFlag) {
      found.frames = fields.PositiveAt(next);
      next += 4;
    }
    if (flags & kXingByteCountFlag) found.bytes = fields.PositiveAt(next);
  } else if (fields.TagAt(offset, "VBRI")) {
    found.kind = TVbrHeaderKind::kVbri;
    found.bytes = fields.PositiveAt(offset + 10);
    found.frames = fields.PositiveAt(offset + 14);
  }
  return found;
}

}  // namespace orvana::player
