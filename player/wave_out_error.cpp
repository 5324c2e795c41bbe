#include "player/wave_out_error.h"

#include <cstdio>

namespace orvana::player {
namespace {

// Error texts have always come in a buffer of this many characters.
constexpr size_t kErrorTextCapacity = 128;

}  // namespace

std::string WaveOutErrorMessage(platform::MmResult code, const char* operation) {
  std::string text = platform::WaveOutErrorText(code).value_or("unknown wave out API error.");
  if (text.size() >= kErrorTextCapacity) text.resize(kErrorTextCapacity - 1);
  return text + "(" + operation + ")";
}

void RaiseWaveOutError(platform::MmResult code, const char* operation) {
  throw EWaveOutError(WaveOutErrorMessage(code, operation), code);
}

}  // namespace orvana::player
