#pragma once
// The message a second start sends to the running program: a magic word and
// a version, the number of arguments, then each argument as its length and
// its bytes (all numbers 32-bit little-endian). The receiver answers one
// acknowledgement byte. Sizes are capped so that a bad or hostile client
// costs the receiver a bounded amount of memory.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvana::app {

inline constexpr std::size_t kMaxHandOverArguments = 4096;
inline constexpr std::size_t kMaxHandOverArgumentBytes = 64 * 1024;
inline constexpr std::size_t kMaxHandOverTotalBytes = 4 * 1024 * 1024;
inline constexpr char kHandOverAcknowledgement = 0x06;

// Empty when the arguments fit the caps, else which cap they break.
std::string HandOverLimitProblem(const std::vector<std::string>& arguments);
// The arguments must fit the caps.
std::string EncodeHandOver(const std::vector<std::string>& arguments);

// Takes a message in pieces as they arrive.
class THandOverDecoder {
 public:
  enum class TState { kNeedMore, kComplete, kMalformed };

  // Bytes past a complete message, a wrong magic or version, a cap broken or
  // a NUL inside an argument make the message malformed for good.
  TState Feed(std::span<const char> bytes);
  TState State() const { return state_; }
  const std::vector<std::string>& Arguments() const { return arguments_; }

 private:
  TState Parse();
  bool Take(std::size_t count, std::string_view& taken);
  bool TakeNumber(uint32_t& number);

  TState state_ = TState::kNeedMore;
  std::string pending_;  // received but not yet parsed
  std::size_t parsed_ = 0;
  bool headerRead_ = false;
  uint32_t expectedCount_ = 0;
  std::size_t totalBytes_ = 0;
  std::vector<std::string> arguments_;
};

}  // namespace orvana::app
