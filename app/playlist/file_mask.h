#pragma once
// File masks as the file dialogs write them: "*.mp3;*.m3u".
#include <string_view>
#include <vector>

namespace orvana::app {

// The patterns of a mask, split at ";", empty ones left out.
std::vector<std::string_view> MaskPatterns(std::string_view mask);

// "*" matches any run of characters, "?" one character; letters match
// whatever their case, as file names matched on the systems the masks come
// from ("A.MP3" is a "*.mp3").
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace orvana::app
