#include "engine/main_data_reservoir.h"

#include <algorithm>
#include <cstring>

namespace orvana::engine {

void MainDataReservoir::Reset() {
  fill_ = 0;
  frameStart_ = 0;
  bitPosition_ = 0;
}

bool MainDataReservoir::Append(const uint8_t* frame, int frameBytes, int sideInfoEnd,
                               int crcBytes, int mainDataBegin) {
  frameStart_ = fill_ - mainDataBegin;
  if (fill_ > kCompactionFill) {
    std::memmove(buffer_, buffer_ + fill_ - mainDataBegin, mainDataBegin);
    frameStart_ = 0;
    fill_ = mainDataBegin;
  }
  const int dataOffset = sideInfoEnd + crcBytes;
  const int size = frameBytes - dataOffset;
  if (size < 0 || size > kCapacity || fill_ + size > kCapacity) return false;
  std::memcpy(buffer_ + fill_, frame + dataOffset, size);
  fill_ += size;
  if (frameStart_ >= 0) bitPosition_ = frameStart_ * 8;
  return true;
}

int MainDataReservoir::StartPart(Layer3BitReader& reader, int part2_3_length) {
  reader.Start(buffer_ + bitPosition_ / 8);
  const int skipped = bitPosition_ % 8;
  if (skipped != 0) reader.GetBits(skipped);
  // A part claiming more bits than were ever appended ends with the data.
  const int length = std::max(0, std::min(part2_3_length, fill_ * 8 - bitPosition_));
  bitPosition_ += length;
  reader.SetLimit(buffer_ + (bitPosition_ + 39) / 8);
  return skipped + length;
}

}  // namespace orvana::engine
