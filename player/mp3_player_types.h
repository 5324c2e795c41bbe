#pragma once
// The enumerations and small sets of the player component's interface.
#include <cstdint>

namespace orvana::player {

enum TMP3Status : std::uint8_t { msStopped = 0, msPlaying = 1, msPaused = 2 };
// A song is open: playing or paused.
constexpr bool IsSongOpen(TMP3Status status) { return status == msPlaying || status == msPaused; }

// Why play ended; the program acts only on the end of the data.
enum TMP3EndPlayReason : std::uint8_t {
  meprEndOfStream = 0,  // the data ran out
  meprStopped = 1,      // stopped by a call; the resting value
  meprError = 2,        // stopped after an exception on a worker thread
};

enum TMP3EqualizerMode : std::uint8_t { memSubBand = 0, memFreq = 1 };

enum TThreadPriority : std::uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The scheduling priority of each TThreadPriority on the -15..15 scale.
constexpr int ThreadPriorityValue(TThreadPriority priority) {
  constexpr int kValues[] = {-15, -2, -1, 0, 1, 2, 15};
  return kValues[priority <= tpTimeCritical ? priority : tpNormal];
}

// What the player can do now, one bit each.
enum TMP3PlayerCapability : std::uint8_t {
  mpcOpen = 0x01,
  mpcClose = 0x02,
  mpcPlay = 0x04,
  mpcStop = 0x08,
  mpcPause = 0x10,
  mpcResume = 0x20,
  mpcSeek = 0x40,
  mpcIdle = 0x80,
};

class TMP3PlayerCapabilities {
 public:
  constexpr TMP3PlayerCapabilities() = default;
  constexpr explicit TMP3PlayerCapabilities(std::uint8_t bits) : bits_(bits) {}
  constexpr bool Has(TMP3PlayerCapability capability) const { return (bits_ & capability) != 0; }
  constexpr void Include(TMP3PlayerCapability capability) { bits_ |= capability; }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TMP3PlayerCapabilities, TMP3PlayerCapabilities) = default;

 private:
  std::uint8_t bits_ = 0;
};

// How the player treats a stream it is given.
enum TMP3StreamOption : std::uint8_t {
  msoSeekable = 0x01,    // the stream can be positioned and has a size
  msoOwnsStream = 0x02,  // the player frees the stream when it closes it
};
using TMP3StreamOptions = std::uint8_t;

}  // namespace orvana::player
