#include "app/desktop/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvana::app {
namespace {

std::string OctalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

// $XDG_RUNTIME_DIR is taken when it is an absolute folder of this user that
// nobody else may write into and whose name leaves room for the socket's.
bool IsUsableXdgFolder(const char* value) {
  if (value == nullptr || value[0] != '/') return false;
  if (std::strlen(value) > kMaxRuntimeFolderLength) return false;
  struct stat status {};
  if (::stat(value, &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  return status.st_uid == ::getuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// A shared parent such as /tmp lets anyone make the name first, so the folder
// found there must be a real folder (not a link) of this user, closed to others.
TRuntimeFolder PrivateFallbackFolder(const std::string& parent) {
  const std::string path = parent + "/orvana-" + std::to_string(::getuid());
  if (path.size() > kMaxRuntimeFolderLength) return {{}, path + ": name too long for a socket"};
  if (::mkdir(path.c_str(), 0700) == 0) {
    ::chmod(path.c_str(), 0700);  // a strict umask may have taken the owner's bits
  } else if (errno != EEXIST) {
    return {{}, path + ": " + std::strerror(errno)};
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return {{}, path + ": " + std::strerror(errno)};
  if (!S_ISDIR(status.st_mode)) return {{}, path + ": not a folder"};
  if (status.st_uid != ::getuid())
    return {{}, path + ": owned by user " + std::to_string(status.st_uid) + ", not by this user"};
  if ((status.st_mode & 077) != 0) return {{}, path + ": open to others (mode " + OctalMode(status.st_mode) + ")"};
  return {path, {}};
}

}  // namespace

TRuntimeFolder FindRuntimeFolder(const char* xdgRuntimeDir, const std::string& fallbackParent) {
  if (IsUsableXdgFolder(xdgRuntimeDir)) return {xdgRuntimeDir, {}};
  return PrivateFallbackFolder(fallbackParent);
}

TRuntimeFolder RuntimeFolderFromEnvironment() { return FindRuntimeFolder(std::getenv("XDG_RUNTIME_DIR")); }

}  // namespace orvana::app
