#include "app/launcher/desktop_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include "app/files/path_text.h"
#include "app/settings/files_location.h"

namespace orvana::app {

std::vector<std::string> DesktopLibraryCandidates(const std::string& executablePath) {
  std::string folder(FolderPart(executablePath));
  if (folder.empty()) folder = "./";
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
