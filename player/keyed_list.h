#pragma once
// An ordered list of key=value lines; keys may repeat. A lookup finds the
// first line whose key matches, ignoring ASCII case.
#include <string>
#include <string_view>
#include <vector>

namespace orvana::player {

class TKeyedList {
 public:
  void Add(std::string key, std::string value) { entries_.push_back({std::move(key), std::move(value)}); }
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  std::size_t Count() const { return entries_.size(); }

  // Empty text when no line has the key.
  std::string Value(std::string_view key) const;
  // The lines as "key=value", in order.
  std::vector<std::string> Lines() const;

 private:
  struct TEntry {
    std::string key;
    std::string value;
  };

  std::vector<TEntry> entries_;
};

}  // namespace orvana::player
