#pragma once
// An open file descriptor that closes itself.
#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace orvana::app {

class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : fd_(fd) {}
  ~TFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_;
};

// Read-only and non-blocking, so that a FIFO or a device given as a file
// cannot stall the program; errno tells why it failed.
inline TFileDescriptor OpenForReading(const std::string& path) {
  return TFileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
}

}  // namespace orvana::app
