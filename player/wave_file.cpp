#include "player/wave_file.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace orvana::player {
namespace {

void Put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

constexpr int kRiffSizeOffset = 4;
constexpr int kDataSizeOffset = 40;

}  // namespace

std::array<uint8_t, kWaveFileHeaderSize> MakeWaveHeader(const platform::WaveFormat& format) {
  std::array<uint8_t, kWaveFileHeaderSize> header{};
  std::memcpy(&header[0], "RIFF", 4);
  std::memcpy(&header[8], "WAVE", 4);
  std::memcpy(&header[12], "fmt ", 4);
  Put32(&header[16], 16);
  Put16(&header[20], format.formatTag);
  Put16(&header[22], format.channels);
  Put32(&header[24], format.samplesPerSec);
  Put32(&header[28], format.avgBytesPerSec);
  Put16(&header[32], format.blockAlign);
  Put16(&header[34], format.bitsPerSample);
  std::memcpy(&header[36], "data", 4);
  return header;
}

void PutWaveSizes(uint8_t* header, uint64_t sampleBytes) {
  constexpr uint32_t kRiffSizeAboveData = kWaveFileHeaderSize - 8;
  constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max() - kRiffSizeAboveData;
  const uint32_t dataSize = static_cast<uint32_t>(sampleBytes > kLargest ? kLargest : sampleBytes);
  Put32(header + kRiffSizeOffset, dataSize + kRiffSizeAboveData);
  Put32(header + kDataSizeOffset, dataSize);
}

WaveFile::WaveFile(const std::string& path, const platform::WaveFormat& format) : path_(path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) Fail("cannot create");
  const auto header = MakeWaveHeader(format);
  if (std::fwrite(header.data(), 1, header.size(), file_) != header.size()) {
    const int error = errno;
    std::fclose(file_);
    file_ = nullptr;
    errno = error;
    Fail("cannot write");
  }
}

WaveFile::~WaveFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void WaveFile::WriteSamples(const uint8_t* data, size_t length) {
  if (file_ == nullptr) Fail("cannot write (closed)");
  if (std::fwrite(data, 1, length, file_) != length) Fail("cannot write");
  sampleBytes_.fetch_add(length);
}

void WaveFile::Finish() {
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  std::array<uint8_t, kWaveFileHeaderSize> sizes{};
  PutWaveSizes(sizes.data(), sampleBytes_.load());
  bool ok = true;
  for (const int offset : {kRiffSizeOffset, kDataSizeOffset})
    ok = ok && std::fseek(file, offset, SEEK_SET) == 0 && std::fwrite(&sizes[offset], 1, 4, file) == 4;
  const int error = errno;
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) {
    errno = error != 0 ? error : errno;
    Fail("cannot finish");
  }
}

void WaveFile::Fail(const char* what) const {
  throw std::runtime_error(std::string(what) + " the wave file \"" + path_ + "\": " + std::strerror(errno));
}

}  // namespace orvana::player
