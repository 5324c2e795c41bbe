#include "player/network/response_headers.h"

#include <algorithm>
#include <cctype>

namespace orvana::player {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

// "HTTP/1.1 404 Not Found", "HTTP/2 200", "ICY 200 OK": the code and reason,
// or a code of 0 when the line is no status line.
std::pair<int, std::string_view> StatusOf(std::string_view line) {
  if (!line.starts_with("HTTP/") && !line.starts_with("ICY ")) return {0, {}};
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) return {0, {}};
  std::string_view rest = line.substr(space + 1);
  if (rest.size() < 3 || !std::all_of(rest.begin(), rest.begin() + 3, [](unsigned char c) { return std::isdigit(c); }))
    return {0, {}};
  const int code = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
  return {code, Trimmed(rest.substr(3))};
}

}  // namespace

bool TResponseHeaders::Feed(std::string_view line) {
  const std::string_view text = Trimmed(line);
  if (text.empty()) return true;
  if (const auto [code, reason] = StatusOf(text); code != 0) {
    status_ = code;
    reason_ = reason;
    fields_.clear();
    return false;
  }
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  fields_.emplace_back(Lowered(Trimmed(text.substr(0, colon))), std::string(Trimmed(text.substr(colon + 1))));
  return false;
}

bool TResponseHeaders::IsRedirect() const {
  const bool redirectCode = (status_ >= 300 && status_ <= 303) || status_ == 307 || status_ == 308;
  return redirectCode && Has("location");
}

bool TResponseHeaders::Has(std::string_view name) const {
  const std::string key = Lowered(name);
  return std::any_of(fields_.begin(), fields_.end(), [&](const auto& field) { return field.first == key; });
}

std::string TResponseHeaders::Value(std::string_view name) const {
  const std::string key = Lowered(name);
  // The last of repeated fields wins, as a later header overrides.
  for (auto field = fields_.rbegin(); field != fields_.rend(); ++field)
    if (field->first == key) return field->second;
  return {};
}

}  // namespace orvana::player
