#include "player/macbinary_header.h"

#include "player/byte_order.h"

namespace orvana::player {

namespace {
constexpr int kHeaderSize = 128;
constexpr int kMaxNameLength = 31;
}  // namespace

std::optional<TMacBinaryForks> ReadMacBinaryHeader(TMPStreamReader& reader) {
  if (!reader.Need(kHeaderSize)) return std::nullopt;
  const std::uint8_t* header = reader.Data();
  const int nameLength = header[1];
  if (header[0] != 0 || header[74] != 0 || header[82] != 0 || nameLength < 1 || nameLength > kMaxNameLength)
    return std::nullopt;
  const std::int32_t dataFork = SignedBigEndian32(header + 83);
  const std::int32_t resourceFork = SignedBigEndian32(header + 87);
  if (dataFork < 0 || resourceFork < 0) return std::nullopt;
  reader.Skip(kHeaderSize);
  return TMacBinaryForks{dataFork, resourceFork};
}

}  // namespace orvana::player
