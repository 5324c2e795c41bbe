#pragma once
// TMP3InfoType: the set of containers and tags found in a file, and of the
// sources the merged texts may use.
#include <cstdint>
#include <initializer_list>

namespace orvana::player {

enum TMP3InfoItem : std::uint8_t {
  mitID3V1 = 0,   // trailing ID3v1 tag read
  mitID3V2 = 1,   // leading ID3v2 tag passed
  mitRiff = 2,    // RIFF "data" chunk found
  mitMacBin = 3,  // MacBinary header found
  mitLyrics = 4,  // Lyrics3 block read
};

class TMP3InfoType {
 public:
  constexpr TMP3InfoType() = default;
  constexpr TMP3InfoType(std::initializer_list<TMP3InfoItem> items) {
    for (const TMP3InfoItem item : items) Include(item);
  }
  static constexpr TMP3InfoType FromBits(std::uint8_t bits) {
    TMP3InfoType set;
    set.bits_ = bits & 0x1F;
    return set;
  }

  constexpr bool Has(TMP3InfoItem item) const { return (bits_ >> item) & 1; }
  constexpr void Include(TMP3InfoItem item) { bits_ |= static_cast<std::uint8_t>(1u << item); }
  constexpr void Exclude(TMP3InfoItem item) { bits_ &= static_cast<std::uint8_t>(~(1u << item)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TMP3InfoType, TMP3InfoType) = default;

 private:
  std::uint8_t bits_ = 0;
};

}  // namespace orvana::player
