#include "player/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvana::player {

TMPFileStream::TMPFileStream(const std::string& path) : path_(path) {
  do {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) RaiseSystemError("cannot open file", errno);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(fd_);
    RaiseSystemError("cannot open file", error);
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(fd_);
    RaiseSystemError("cannot open file", EISDIR);
  }
  canSeek_ = S_ISREG(info.st_mode);
}

TMPFileStream::~TMPFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::int64_t TMPFileStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, static_cast<std::size_t>(count));
    if (got >= 0) return got;
    if (errno != EINTR) RaiseSystemError("cannot read file", errno);
  }
}

std::int64_t TMPFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t result = ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (result < 0) RaiseSystemError("cannot seek in file", errno);
  return result;
}

std::int64_t TMPFileStream::Size() {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) RaiseSystemError("cannot read the size of file", errno);
  return info.st_size;
}

void TMPFileStream::RaiseSystemError(const char* what, int error) const {
  throw EStreamError(std::string(what) + " \"" + path_ + "\": " + std::strerror(error));
}

}  // namespace orvana::player
