#pragma once
// The text of an ICY metadata block ("StreamTitle='...';StreamUrl='...';"
// padded with NULs) and of a station's icy-* headers.
#include <optional>
#include <string>
#include <string_view>

namespace orvana::player {

struct TIcyMetadata {
  std::optional<std::string> title;  // StreamTitle as UTF-8, when the block has one
};

// What a block says; nullopt when it is not text (control bytes before its
// NUL padding), which no honest server sends.
std::optional<TIcyMetadata> ParseIcyMetadata(std::string_view block);

// Stations send UTF-8 or Latin-1 without saying which: kept when it is
// valid UTF-8, read as Latin-1 otherwise.
std::string IcyTextToUtf8(std::string_view bytes);

}  // namespace orvana::player
