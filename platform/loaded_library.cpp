#include "platform/loaded_library.h"

#include <dlfcn.h>

namespace orvana::platform {

TLoadedLibrary::TLoadedLibrary(const char* soname) : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}

void* TLoadedLibrary::Symbol(const char* name) const { return handle_ == nullptr ? nullptr : ::dlsym(handle_, name); }

}  // namespace orvana::platform
