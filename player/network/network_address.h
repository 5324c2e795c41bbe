#pragma once
// Addresses of network streams among the file names the player is given.
#include <string_view>

namespace orvana::player {

// An http:// or https:// address (the scheme in any case).
bool IsNetworkAddress(std::string_view name);

}  // namespace orvana::player
