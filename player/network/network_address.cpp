#include "player/network/network_address.h"

#include <cctype>

namespace orvana::player {
namespace {

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

}  // namespace

bool IsNetworkAddress(std::string_view name) {
  // Something must follow the scheme for it to name a place.
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
    if (StartsWithFolded(name, scheme) && name.size() > scheme.size()) return true;
  return false;
}

}  // namespace orvana::player
