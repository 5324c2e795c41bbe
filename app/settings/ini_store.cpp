#include "app/settings/ini_store.h"



#include "app/files/atomic_file.h"
#include "app/files/file_reading.h"
#include "app/files/path_text.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// What a written name or value becomes in the file and back.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return std::string(Trim(line));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// At most kMaxFileBytes of a regular file; an unfinished last line of a cut
// file is dropped. Nothing for a file that cannot be opened or read, nor for
// a FIFO or a device, so reading never blocks.
std::string ReadSettingsFile(const std::string& fileName) {
  std::string bytes;
  if (fileName.empty()) return bytes;
  if (ReadRegularFile(fileName, TIniStore::kMaxFileBytes, TOversize::kKeepStart, bytes).cut) {
    const std::size_t lastLineEnd = bytes.rfind('\n');
    bytes.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
  }
  return bytes;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const bool hex = text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex) text.remove_prefix(2);
  if (text.empty()) return std::nullopt;

  constexpr std::uint64_t kCeiling = 0xFFFFFFFFu;  // no accepted magnitude is larger
  const std::uint64_t base = hex ? 16 : 10;
  std::uint64_t magnitude = 0;
  for (const char c : text) {
    const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
    if (magnitude > kCeiling) return std::nullopt;
  }
  constexpr std::uint64_t kLowestMagnitude = 0x80000000u;  // of INT32_MIN
  if (negative) {
    if (magnitude > kLowestMagnitude) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  }
  if (hex) return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  if (magnitude >= kLowestMagnitude) return std::nullopt;
  return static_cast<std::int32_t>(magnitude);
}

TIniStore::TIniStore(std::string fileName) : fileName_(std::move(fileName)) {
  LoadFromText(ReadSettingsFile(fileName_));
}

void TIniStore::LoadFromText(std::string_view bytes) {
  sections_.clear();
  sectionIndex_.clear();
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());

  std::optional<std::size_t> current;  // the section the key lines go to
  std::size_t taken = 0;
  while (!bytes.empty() && taken < kMaxEntries) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    // "=" and ";" are never the second byte of a CP932 character, and a
    // line's first byte is never one: the kind of a line shows before its
    // text is decoded.
    if (line.empty() || line.front() == ';') continue;
    const bool sectionLine = line.front() == '[';
    if (!sectionLine && line.find('=') == std::string_view::npos) continue;
    ++taken;

    const std::string text = platform::FileTextToUtf8(line);
    if (sectionLine) {
      std::string_view name = std::string_view(text).substr(1);
      name = Trim(name.substr(0, name.find(']')));
      current = SectionForWriting(std::string(name));
      continue;
    }
    if (!current) continue;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) continue;  // the decoded text lost it
    const std::string_view key = Trim(std::string_view(text).substr(0, equals));
    if (key.empty()) continue;
    const std::string_view value = Trim(std::string_view(text).substr(equals + 1));
    Store(sections_[*current], std::string(key), std::string(value), /*replace=*/false);
  }
}

std::string TIniStore::Text() const {
  std::string text;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) text += kLineEnd;
    text += '[';
    text += sections_[i].name;
    text += ']';
    text += kLineEnd;
    for (const TEntry& entry : sections_[i].entries) {
      text += entry.key;
      text += '=';
      text += entry.value;
      text += kLineEnd;
    }
  }
  return text;
}

void TIniStore::UpdateFile() const {
  if (fileName_.empty()) throw TFileWriteError("the settings have no file name to be written to");
  WriteFileAtomically(fileName_, Text());
}

bool TIniStore::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TIniStore::ValueExists(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TIniStore::Sections() const {
  std::vector<std::string> names;
  for (const TSection& section : sections_) names.push_back(section.name);
  return names;
}

std::vector<std::string> TIniStore::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* found = FindSection(section))
    for (const TEntry& entry : found->entries) keys.push_back(entry.key);
  return keys;
}

std::string TIniStore::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  const TEntry* entry = FindEntry(section, key);
  return std::string(entry ? std::string_view(entry->value) : defaultValue);
}

std::int32_t TIniStore::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  const TEntry* entry = FindEntry(section, key);
  if (!entry) return defaultValue;
  return ParseIniInteger(entry->value).value_or(defaultValue);
}

bool TIniStore::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Store(sections_[SectionForWriting(OneLine(section))], OneLine(key), OneLine(value), /*replace=*/true);
}

void TIniStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniStore::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniStore::EraseKey(std::string_view section, std::string_view key) {
  const auto found = sectionIndex_.find(AsciiLower(section));
  if (found == sectionIndex_.end()) return;
  TSection& from = sections_[found->second];
  const auto entry = from.index.find(AsciiLower(key));
  if (entry == from.index.end()) return;
  from.entries.erase(from.entries.begin() + std::ptrdiff_t(entry->second));
  from.index.clear();
  for (std::size_t i = 0; i < from.entries.size(); ++i) from.index.emplace(AsciiLower(from.entries[i].key), i);
}

const TIniStore::TSection* TIniStore::FindSection(std::string_view section) const {
  const auto found = sectionIndex_.find(AsciiLower(section));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const TIniStore::TEntry* TIniStore::FindEntry(std::string_view section, std::string_view key) const {
  const TSection* found = FindSection(section);
  if (!found) return nullptr;
  const auto entry = found->index.find(AsciiLower(key));
  return entry == found->index.end() ? nullptr : &found->entries[entry->second];
}

std::size_t TIniStore::SectionForWriting(std::string name) {
  const auto [found, added] = sectionIndex_.try_emplace(AsciiLower(name), sections_.size());
  if (added) sections_.push_back(TSection{std::move(name), {}, {}});
  return found->second;
}

void TIniStore::Store(TSection& section, std::string key, std::string value, bool replace) {
  const auto [found, added] = section.index.try_emplace(AsciiLower(key), section.entries.size());
  if (added) {
    section.entries.push_back(TEntry{std::move(key), std::move(value)});
  } else if (replace) {
    section.entries[found->second].value = std::move(value);
  }
}

}  // namespace orvana::app
