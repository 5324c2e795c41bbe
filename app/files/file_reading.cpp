#include "app/files/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace orvana::app {
namespace {

constexpr std::size_t kPiece = 64 * 1024;

TFileRead Failed(int error, std::string& bytes) {
  bytes.clear();
  return {error, false};
}

}  // namespace

bool RegularFileExists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

TUniqueFd OpenForReading(const std::string& path) {
  return TUniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
}

TFileRead ReadRegularFile(const std::string& path, std::size_t limit, TOversize oversize, std::string& bytes) {
  bytes.clear();
  const TUniqueFd file = OpenForReading(path);
  if (!file) return Failed(errno, bytes);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return Failed(errno, bytes);
  if (S_ISDIR(status.st_mode)) return Failed(EISDIR, bytes);
  if (!S_ISREG(status.st_mode)) return Failed(EINVAL, bytes);
  const auto size = static_cast<std::uintmax_t>(status.st_size);
  if (oversize == TOversize::kRefuse && size > limit) return Failed(EFBIG, bytes);
  // One byte past the bound tells a cut file from a whole one. The size may
  // change while reading, so it only sets the first piece.
  const std::size_t bound = limit + 1;
  bytes.resize(std::min<std::uintmax_t>(bound, std::max<std::uintmax_t>(size, kPiece)));
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled == bound) break;
      bytes.resize(std::min(bound, filled + kPiece));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Failed(errno, bytes);
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  if (filled <= limit) return {};
  if (oversize == TOversize::kRefuse) return Failed(EFBIG, bytes);
  bytes.resize(limit);
  return {0, true};
}

}  // namespace orvana::app
