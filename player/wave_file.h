#pragma once
// A RIFF/WAVE file of 16- or 8-bit PCM: a 44-byte header whose two sizes
// stay 0 until Finish patches them, then the samples as written.
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/wave_out.h"

namespace orvana::player {

inline constexpr int kWaveFileHeaderSize = 44;

// The 44-byte header with both sizes 0, as it stands until the file is finished.
std::array<uint8_t, kWaveFileHeaderSize> MakeWaveHeader(const platform::WaveFormat& format);
// Writes the RIFF and data sizes for `sampleBytes` bytes of samples into a
// header. The sizes are 32 bits: longer data keeps the largest they can hold.
void PutWaveSizes(uint8_t* header, uint64_t sampleBytes);

class WaveFile {
 public:
  // Creates (or replaces) the file and writes the header; throws on failure.
  WaveFile(const std::string& path, const platform::WaveFormat& format);
  ~WaveFile();
  WaveFile(const WaveFile&) = delete;
  WaveFile& operator=(const WaveFile&) = delete;

  void WriteSamples(const uint8_t* data, size_t length);
  // Sample bytes written so far; safe to read from any thread.
  uint64_t SampleBytes() const { return sampleBytes_.load(); }
  // Patches the RIFF and data sizes and closes the file (closed even when
  // patching fails, which throws).
  void Finish();

 private:
  [[noreturn]] void Fail(const char* what) const;

  std::string path_;
  std::FILE* file_ = nullptr;
  std::atomic<uint64_t> sampleBytes_{0};
};

}  // namespace orvana::player
