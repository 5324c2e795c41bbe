#pragma once
// Precondition checks of the player component. A failed check raises
// EAssertionFailed, whose message names the player's source and the line.
#include <exception>
#include <source_location>
#include <string>

namespace orvana::player {

class EAssertionFailed : public std::exception {
 public:
  explicit EAssertionFailed(int line);
  const char* what() const noexcept override { return message_.c_str(); }
  int Line() const noexcept { return line_; }

 private:
  int line_;
  std::string message_;
};

[[noreturn]] void RaiseAssertionFailure(int line);

// The line defaults to the caller's.
inline void MPAssert(bool condition, int line = std::source_location::current().line()) {
  if (!condition) [[unlikely]]
    RaiseAssertionFailure(line);
}

}  // namespace orvana::player
