#pragma once
// Test helper: Layer I and II frames composed field by field. The header comes
// from a few numbers; everything after it is written by the test in
// bitstream order.
#include <cstdint>
#include <vector>

#include "bit_writer.h"
#include "engine/frame_header.h"

namespace orvana::engine::testing {

struct Layer12Header {
  int layerCode = 2;  // 3: Layer I, 2: Layer II
  int bitrateIndex = 4;
  int sampleRateIndex = 1;  // 48 kHz
  int padding = 0;
  int mode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
  int modeExtension = 0;
  bool crc = false;
  bool mpeg1 = true;
};

// Starts a frame: the header and, with `crc`, a check word (never verified).
inline BitWriter StartFrame(const Layer12Header& h) {
  BitWriter writer;
  writer.Put(0xFFF, 12).Put(h.mpeg1 ? 1 : 0, 1).Put(h.layerCode, 2).Put(h.crc ? 0 : 1, 1);
  writer.Put(h.bitrateIndex, 4).Put(h.sampleRateIndex, 2).Put(h.padding, 1).Put(0, 1);
  writer.Put(h.mode, 2).Put(h.modeExtension, 2).Put(0, 4);
  if (h.crc) writer.Put(0xBEEF, 16);
  return writer;
}

inline BitWriter& PutRepeated(BitWriter& writer, uint32_t value, int bits, int count) {
  for (int i = 0; i < count; ++i) writer.Put(value, bits);
  return writer;
}

inline FrameHeader ParsedHeader(const Layer12Header& h, int& lengthWithoutPadding) {
  const std::vector<uint8_t> bytes = StartFrame(h).Bytes(4);
  FrameHeader header;
  lengthWithoutPadding = ParseFrameHeader(bytes.data(), 4, header);
  return header;
}

// The frame's length in bytes, padding included.
inline int FrameBytes(const Layer12Header& h) {
  int length = 0;
  ParsedHeader(h, length);
  return length + h.padding * (h.layerCode == 3 ? 4 : 1);
}

// The written bits zero-padded to the frame's length: exactly the frame, so
// that a read past it is a read past the buffer.
inline std::vector<uint8_t> FinishFrame(const BitWriter& writer, const Layer12Header& h) {
  std::vector<uint8_t> frame = writer.Bytes(FrameBytes(h));
  frame.resize(FrameBytes(h));
  return frame;
}

}  // namespace orvana::engine::testing
