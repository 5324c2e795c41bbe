#pragma once
// Wave-output failures as exceptions: "<device's error text>(<operation>)".
#include <stdexcept>
#include <string>

#include "platform/wave_out.h"

namespace orvana::player {

class EWaveOutError : public std::runtime_error {
 public:
  EWaveOutError(const std::string& message, platform::MmResult code) : std::runtime_error(message), code_(code) {}
  platform::MmResult Code() const { return code_; }

 private:
  platform::MmResult code_;
};

// The message for `code` failing in `operation`.
std::string WaveOutErrorMessage(platform::MmResult code, const char* operation);

[[noreturn]] void RaiseWaveOutError(platform::MmResult code, const char* operation);

}  // namespace orvana::player
