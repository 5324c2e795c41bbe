#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text_encoding.h"

namespace orvana::cli {

std::string JsonString(std::string_view text) {
  const std::string valid = platform::ReplaceInvalidUtf8(text);
  std::string out = "\"";
  for (const char c : valid) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void TJsonObjectWriter::AddKey(std::string_view key) {
  if (!members_.empty()) members_ += ",";
  members_ += JsonString(key);
  members_ += ":";
}

void TJsonObjectWriter::AddText(std::string_view key, std::string_view value) {
  AddKey(key);
  members_ += JsonString(value);
}

void TJsonObjectWriter::Append(const TJsonObjectWriter& other) {
  if (other.members_.empty()) return;
  if (!members_.empty()) members_ += ",";
  members_ += other.members_;
}

void TJsonObjectWriter::AddInteger(std::string_view key, std::int64_t value) {
  AddKey(key);
  members_ += std::to_string(value);
}

void TJsonObjectWriter::AddNumber(std::string_view key, double value) {
  if (!std::isfinite(value)) return AddNull(key);
  AddKey(key);
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  members_.append(digits, result.ptr);
}

void TJsonObjectWriter::AddObject(std::string_view key, const TJsonObjectWriter& value) {
  AddKey(key);
  members_ += value.Text();
}

void TJsonObjectWriter::AddNull(std::string_view key) {
  AddKey(key);
  members_ += "null";
}

void TJsonObjectWriter::AddOptionalInteger(std::string_view key, std::optional<std::int64_t> value) {
  if (value) AddInteger(key, *value);
  else AddNull(key);
}

void TJsonObjectWriter::AddTextArray(std::string_view key, const std::vector<std::string>& values) {
  AddKey(key);
  members_ += "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) members_ += ",";
    members_ += JsonString(values[i]);
  }
  members_ += "]";
}

}  // namespace orvana::cli
