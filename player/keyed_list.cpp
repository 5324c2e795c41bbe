#include "player/keyed_list.h"

#include "player/ascii_text.h"

namespace orvana::player {

std::string TKeyedList::Value(std::string_view key) const {
  for (const TEntry& entry : entries_)
    if (EqualsIgnoringAsciiCase(entry.key, key)) return entry.value;
  return {};
}

std::vector<std::string> TKeyedList::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(entries_.size());
  for (const TEntry& entry : entries_) lines.push_back(entry.key + "=" + entry.value);
  return lines;
}

}  // namespace orvana::player
