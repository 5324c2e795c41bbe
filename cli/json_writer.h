#pragma once
// Writes one JSON object on one line. Members are added in order; texts are
// written as valid UTF-8 whatever bytes they hold.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvana::cli {

class TJsonObjectWriter {
 public:
  void AddText(std::string_view key, std::string_view value);
  void AddInteger(std::string_view key, std::int64_t value);
  // The shortest decimal that reads back as `value`; null when not finite.
  void AddNumber(std::string_view key, double value);
  void AddNull(std::string_view key);
  // An integer, or null when there is none.
  void AddOptionalInteger(std::string_view key, std::optional<std::int64_t> value);
  void AddTextArray(std::string_view key, const std::vector<std::string>& values);
  // The members of `other`, after these.
  void Append(const TJsonObjectWriter& other);
  // `value` as a member object.
  void AddObject(std::string_view key, const TJsonObjectWriter& value);

  // The object as "{...}" without a line end.
  std::string Text() const { return "{" + members_ + "}"; }

 private:
  void AddKey(std::string_view key);

  std::string members_;
};

// A JSON string literal, quotes included.
std::string JsonString(std::string_view text);

}  // namespace orvana::cli
