#pragma once
// The time column: "mm:ss", or "--:--" while the length is unknown.
#include <string>
#include <string_view>

namespace orvana::app {

// Seconds of a time column text. Unknown, short or garbled texts count 0; a
// part that is not a number counts 0.
int ParseTimeText(std::string_view text);

// Minutes and seconds with two digits each; the minutes may take more.
std::string FormatTimeText(int seconds);

}  // namespace orvana::app
