#pragma once
// Precondition checks of the player component. A failed check raises
// EAssertionFailed with "Assertion failure", the unit name and the line.
#include <source_location>
#include <stdexcept>

namespace orvana::player {

class EAssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

[[noreturn]] void RaiseAssertionFailure(std::source_location where);

inline void MPAssert(bool condition, std::source_location where = std::source_location::current()) {
  if (!condition) RaiseAssertionFailure(where);
}

}  // namespace orvana::player
