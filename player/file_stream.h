#pragma once
// A file opened for reading, as a TStream.
#include <string>

#include "player/stream.h"

namespace orvana::player {

class TMPFileStream : public TStream {
 public:
  // Raises EStreamError when the file cannot be opened or is a directory.
  explicit TMPFileStream(const std::string& path);
  ~TMPFileStream() override;
  TMPFileStream(const TMPFileStream&) = delete;
  TMPFileStream& operator=(const TMPFileStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;

  // Only regular files can be positioned; pipes and devices are read in order.
  bool CanSeek() const { return canSeek_; }
  const std::string& Path() const { return path_; }

 private:
  [[noreturn]] void RaiseSystemError(const char* what, int error) const;

  std::string path_;
  int fd_ = -1;
  bool canSeek_ = false;
};

}  // namespace orvana::player
