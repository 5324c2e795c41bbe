#include "engine/frame_scanner.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/layer3_side_info.h"

namespace orvana::engine {

namespace {

constexpr int kHeaderBytes = 4;

int SearchLength(size_t available) {
  return static_cast<int>(std::min<size_t>(available, INT_MAX));
}

}  // namespace

size_t Id3v2TagSize(const uint8_t* data, size_t size) {
  constexpr size_t kTagHeader = 10;
  if (size < kTagHeader || std::memcmp(data, "ID3", 3) != 0) return 0;
  if (data[3] == 0xFF || data[4] == 0xFF) return 0;
  size_t body = 0;
  for (int i = 6; i < 10; ++i) {
    if (data[i] & 0x80) return 0;  // sizes are 7 bits a byte
    body = body << 7 | data[i];
  }
  constexpr uint8_t kFooterPresent = 0x10;
  const size_t footer = (data[5] & kFooterPresent) ? kTagHeader : 0;
  return kTagHeader + body + footer;
}

bool FrameScanner::FindFirstFrame() {
  size_t start = 0;
  // Tags may follow one another.
  for (size_t tag; (tag = Id3v2TagSize(data_ + start, size_ - start)) > 0;)
    start = std::min(size_, start + tag);
  FrameHeader header;
  int bitrate = 0;
  int offset = 0;
  const int length =
      FindFrameSync(data_ + start, SearchLength(size_ - start), header, bitrate, offset);
  if (length <= 0) return false;
  first_.offset = start + offset;
  first_.header = header;
  firstLengthWithoutPadding_ = length;
  firstBitrate_ = bitrate;
  first_.length = length + header.paddingBit * PaddingSlotBytes(header.layerCode);
  skipped_ = first_.offset;
  position_ = first_.offset;
  found_ = true;
  return true;
}

int FrameScanner::MatchingFrameLength(size_t offset, FrameHeader& header) const {
  if (offset + kHeaderBytes > size_) return 0;
  const uint8_t* bytes = data_ + offset;
  const uint8_t* first = data_ + first_.offset;
  // Version, layer and sampling frequency must be those of the first frame;
  // bit rate, padding, CRC and mode may change.
  if (bytes[0] != first[0] || (bytes[1] | 1) != (first[1] | 1) ||
      (bytes[2] & 0x0C) != (first[2] & 0x0C))
    return 0;
  int length = ParseFrameHeader(bytes, 0, header);
  if (header.syncKind != 0 && header.bitrateIndex == 0 && first_.header.bitrateIndex == 0)
    length = firstLengthWithoutPadding_;
  if (length <= 0) return 0;
  return length + header.paddingBit * PaddingSlotBytes(header.layerCode);
}

bool FrameScanner::Next(ScannedFrame& frame) {
  if (!found_) return false;
  while (position_ + kHeaderBytes <= size_) {
    FrameHeader header;
    const int length = MatchingFrameLength(position_, header);
    if (length > 0) {
      if (position_ + length > size_) return false;  // cut off by the end of the data
      frame.offset = position_;
      frame.length = length;
      frame.header = header;
      position_ += length;
      return true;
    }
    ++position_;
    ++skipped_;
  }
  return false;
}

int VbrHeaderOffset(const FrameHeader& header) {
  const int crcBytes = header.protectionBit == 0 ? 2 : 0;
  return Layer3SideInfoEnd(header.versionId == 1, ChannelsOfMode(header.mode)) + crcBytes;
}

namespace {

bool TagAfterSideInfo(const uint8_t* frame, int length, const FrameHeader& header, const char (&tag)[5]) {
  const int offset = VbrHeaderOffset(header);
  return offset + 4 <= length && std::memcmp(frame + offset, tag, 4) == 0;
}

}  // namespace

bool IsVbrHeaderFrame(const uint8_t* frame, int length, const FrameHeader& header) {
  return TagAfterSideInfo(frame, length, header, "Xing") || TagAfterSideInfo(frame, length, header, "VBRI");
}

bool IsInfoHeaderFrame(const uint8_t* frame, int length, const FrameHeader& header) {
  return TagAfterSideInfo(frame, length, header, "Info");
}

}  // namespace orvana::engine
