#pragma once
// A shared library opened when it is first needed rather than with the
// program, and its functions looked up by name. It stays loaded for the
// life of the process (its threads may outlive any owner).
namespace orvana::platform {

class TLoadedLibrary {
 public:
  explicit TLoadedLibrary(const char* soname);
  bool Loaded() const { return handle_ != nullptr; }

  // Sets `function` to the library's `name`; false (and nullptr) when absent.
  template <typename Function>
  bool Bind(const char* name, Function*& function) const {
    function = reinterpret_cast<Function*>(Symbol(name));
    return function != nullptr;
  }

 private:
  void* Symbol(const char* name) const;

  void* handle_ = nullptr;
};

}  // namespace orvana::platform

// Declares a member per function, typed from the library's own header.
#define ORVANA_LIBRARY_MEMBER(name) decltype(&::name) name = nullptr;
// Binds that member, within an expression `bound && ...`.
#define ORVANA_LIBRARY_BIND(name) &&library.Bind(#name, table.name)
