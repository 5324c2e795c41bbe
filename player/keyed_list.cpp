#include "player/keyed_list.h"

#include <algorithm>

namespace orvana::player {

namespace {
bool SameKey(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}
}  // namespace

std::string TKeyedList::Value(std::string_view key) const {
  for (const TEntry& entry : entries_)
    if (SameKey(entry.key, key)) return entry.value;
  return {};
}

std::vector<std::string> TKeyedList::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(entries_.size());
  for (const TEntry& entry : entries_) lines.push_back(entry.key + "=" + entry.value);
  return lines;
}

}  // namespace orvana::player
