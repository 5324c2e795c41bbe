#include "cli/pcm_output_file.h"

#include <cerrno>
#include <cstring>
#include <strings.h>

#include "player/wave_file.h"

namespace orvana::cli {

namespace {

constexpr size_t kBufferBytes = 1 << 20;
constexpr int kBitsPerSample = 16;


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

bool PcmOutputFile::WriteHeader(uint64_t dataBytes, std::string& error) {
  auto header = player::MakeWaveHeader(
      platform::MakePcmFormat(sampleRate_, static_cast<uint16_t>(channels_), kBitsPerSample));
  player::PutWaveSizes(header.data(), dataBytes);
  if (std::fwrite(header.data(), 1, header.size(), file_) != header.size()) {
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
  if (ok && wav_) ok = std::fseek(file_, 0, SEEK_SET) == 0 ? WriteHeader(dataBytes_, error) : true;
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
