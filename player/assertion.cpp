#include "player/assertion.h"

#include <string>

namespace orvana::player {

void RaiseAssertionFailure(std::source_location where) {
  throw EAssertionFailed("Assertion failure (mp3plyr, line " + std::to_string(where.line()) + ")");
}

}  // namespace orvana::player
