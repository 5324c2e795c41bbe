#pragma once
// Buffered 16-bit PCM output to a file or stdout, raw or as a RIFF/WAVE file
// whose 44-byte header gets its sizes when the file is closed.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace orvana::cli {

class PcmOutputFile {
 public:
  PcmOutputFile() = default;
  PcmOutputFile(const PcmOutputFile&) = delete;
  PcmOutputFile& operator=(const PcmOutputFile&) = delete;
  ~PcmOutputFile();

  // "-" is stdout (always raw). False with the system's error text in `error`.
  bool Open(const std::string& path, bool wav, int channels, int sampleRate, std::string& error);
  bool Write(const void* bytes, size_t count, std::string& error);
  // Flushes, completes the WAV header and closes.
  bool Close(std::string& error);

  static bool IsWavName(const std::string& path);

 private:
  bool Flush(std::string& error);
  bool WriteHeader(uint64_t dataBytes, std::string& error);

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  bool wav_ = false;
  int channels_ = 0;
  int sampleRate_ = 0;
  uint64_t dataBytes_ = 0;
  std::vector<uint8_t> buffer_;
};

}  // namespace orvana::cli
