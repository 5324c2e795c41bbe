#include "cli/pcm_output_file.h"

#include <cerrno>
#include <cstring>
#include <strings.h>

namespace orvana::cli {

namespace {

constexpr size_t kBufferBytes = 1 << 20;
constexpr int kBitsPerSample = 16;

void PutLe16(uint8_t* at, uint32_t value) {
  at[0] = value & 0xFF;
  at[1] = (value >> 8) & 0xFF;
}
void PutLe32(uint8_t* at, uint32_t value) {
  PutLe16(at, value & 0xFFFF);
  PutLe16(at + 2, value >> 16);
}

}  // namespace

PcmOutputFile::~PcmOutputFile() {
  if (file_ && ownsFile_) std::fclose(file_);
}

bool PcmOutputFile::IsWavName(const std::string& path) {
  return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".wav") == 0;
}

bool PcmOutputFile::Open(const std::string& path, bool wav, int channels, int sampleRate,
                         std::string& error) {
  if (path == "-") {
    file_ = stdout;
    ownsFile_ = false;
    wav = false;
  } else {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) {
      error = std::strerror(errno);
      return false;
    }
    ownsFile_ = true;
  }
  wav_ = wav;
  channels_ = channels;
  sampleRate_ = sampleRate;
  buffer_.reserve(kBufferBytes);
  return !wav_ || WriteHeader(0, error);
}

bool PcmOutputFile::WriteHeader(uint32_t dataBytes, std::string& error) {
  uint8_t header[44];
  const uint32_t blockAlign = channels_ * kBitsPerSample / 8;
  std::memcpy(header, "RIFF", 4);
  PutLe32(header + 4, 36 + dataBytes);
  std::memcpy(header + 8, "WAVEfmt ", 8);
  PutLe32(header + 16, 16);
  PutLe16(header + 20, 1);  // PCM
  PutLe16(header + 22, channels_);
  PutLe32(header + 24, sampleRate_);
  PutLe32(header + 28, sampleRate_ * blockAlign);
  PutLe16(header + 32, blockAlign);
  PutLe16(header + 34, kBitsPerSample);
  std::memcpy(header + 36, "data", 4);
  PutLe32(header + 40, dataBytes);
  if (std::fwrite(header, 1, sizeof header, file_) != sizeof header) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

bool PcmOutputFile::Write(const void* bytes, size_t count, std::string& error) {
  const uint8_t* data = static_cast<const uint8_t*>(bytes);
  buffer_.insert(buffer_.end(), data, data + count);
  dataBytes_ += count;
  return buffer_.size() < kBufferBytes || Flush(error);
}

bool PcmOutputFile::Flush(std::string& error) {
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    error = std::strerror(errno);
    return false;
  }
  buffer_.clear();
  return true;
}

bool PcmOutputFile::Close(std::string& error) {
  if (!file_) return true;
  bool ok = Flush(error);
  // A WAV header holds 32-bit sizes; longer data keeps the largest.
  if (ok && wav_) {
    const uint32_t size = dataBytes_ > 0xFFFFFFFFull - 36 ? 0xFFFFFFFFu - 36 : static_cast<uint32_t>(dataBytes_);
    ok = std::fseek(file_, 0, SEEK_SET) == 0 ? WriteHeader(size, error) : true;
  }
  if (std::fflush(file_) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  if (ownsFile_ && std::fclose(file_) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  file_ = nullptr;
  return ok;
}

}  // namespace orvana::cli
