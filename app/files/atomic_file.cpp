#include "app/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orvana::app {
namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
  throw TFileWriteError(path + ": " + std::strerror(error));
}

class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::string& target) : path_(target + ".XXXXXX") {
    fd_ = ::mkstemp(path_.data());
    if (fd_ < 0) Fail(target, errno);
  }
  ~TTemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!kept_) ::unlink(path_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }
  // After a successful close the file is renamed and must not be removed.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  bool kept_ = false;
};

void WriteAll(int fd, std::string_view bytes, const std::string& target) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(target, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// A replaced file keeps the permissions it had (a user may have shared it).
void CopyMode(const std::string& from, int toFd) {
  struct stat status {};
  if (::stat(from.c_str(), &status) == 0) ::fchmod(toFd, status.st_mode & 07777);
}

void SyncFolder(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) {
    std::error_code error;
    if (std::filesystem::create_directories(folder, error))
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    if (error) Fail(path, error.value());
  }
  TTemporaryFile temporary(path);
  CopyMode(path, temporary.Fd());
  WriteAll(temporary.Fd(), bytes, path);
  if (::fsync(temporary.Fd()) != 0) Fail(path, errno);
  if (temporary.Close() != 0) Fail(path, errno);
  if (::rename(temporary.Path().c_str(), path.c_str()) != 0) Fail(path, errno);
  temporary.Keep();
  SyncFolder(path);
}

}  // namespace orvana::app
