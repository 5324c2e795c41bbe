#include "app/launcher/desktop_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace orvana::app {
namespace {

std::string ExecutablePath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, std::size_t(length)) : std::string();
}

}  // namespace

std::vector<std::string> DesktopLibraryCandidates(const std::string& executablePath) {
  const std::size_t slash = executablePath.rfind('/');
  const std::string folder = slash == std::string::npos ? "./" : executablePath.substr(0, slash + 1);
  return {folder + kDesktopLibraryName, folder + "../lib/orvana/" + kDesktopLibraryName};
}

TDesktopMain LoadDesktopProgram(std::string* problem) {
  std::string reasons;
  for (const std::string& candidate : DesktopLibraryCandidates(ExecutablePath())) {
    if (::access(candidate.c_str(), F_OK) != 0) {
      reasons += candidate + ": not found; ";
      continue;
    }
    void* library = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
      reasons += std::string(::dlerror()) + "; ";
      continue;
    }
    if (void* entry = ::dlsym(library, kDesktopMainSymbol)) return reinterpret_cast<TDesktopMain>(entry);
    reasons += candidate + ": no " + kDesktopMainSymbol + "; ";
    ::dlclose(library);
  }
  if (problem != nullptr) *problem = reasons.empty() ? reasons : reasons.substr(0, reasons.size() - 2);
  return nullptr;
}

}  // namespace orvana::app
