#include "player/assertion.h"

namespace orvana::player {

EAssertionFailed::EAssertionFailed(int line)
    : line_(line), message_("Assertion failure (mp3plyr, line " + std::to_string(line) + ")") {}

void RaiseAssertionFailure(int line) { throw EAssertionFailed(line); }

}  // namespace orvana::player
