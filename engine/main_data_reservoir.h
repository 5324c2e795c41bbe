#pragma once
// The Layer III main-data reservoir: joins the main data of consecutive
// frames so that a granule can begin in an earlier frame (main_data_begin).
#include <cstdint>

#include "engine/bit_reader.h"

namespace orvana::engine {

class MainDataReservoir {
 public:
  static constexpr int kCapacity = 8192;
  // Above this fill the kept bytes move to the front before an append.
  static constexpr int kCompactionFill = kCapacity - 1500;
  // Bytes behind the capacity that absorb the reader's look-ahead: a part
  // never extends past `fill`; from a part's start the scale factors read at
  // most 20 bytes, the cache holds 4 more and its 4-byte loads touch 3 beyond
  // that before the Huffman decoder checks its limit.
  static constexpr int kSlack = 64;

  void Reset();

  // Appends the main data of one frame of `frameBytes` bytes (padding
  // included) whose header and side information end at `sideInfoEnd` (CRC not
  // counted). Returns false when the frame's main data cannot be placed.
  bool Append(const uint8_t* frame, int frameBytes, int sideInfoEnd, int crcBytes,
              int mainDataBegin);

  // False when main_data_begin reaches back past the data held: the frame
  // plays as silence.
  bool HasReferencedData() const { return frameStart_ >= 0; }

  // Positions `reader` on the next granule/channel part of `part2_3_length`
  // bits (cut at the end of the data held) and returns the reader position at
  // which the part ends.
  int StartPart(Layer3BitReader& reader, int part2_3_length);

  int fill() const { return fill_; }
  int frameStart() const { return frameStart_; }
  int bitPosition() const { return bitPosition_; }
  const uint8_t* data() const { return buffer_; }

 private:
  uint8_t buffer_[kCapacity + kSlack] = {};
  int fill_ = 0;
  int frameStart_ = 0;
  int bitPosition_ = 0;
};

}  // namespace orvana::engine
