#pragma once
// The in-memory INI document behind TIniGT: every section and key of one
// file, read whole when the store is made and written whole by UpdateFile.
//
// File format
// - Lines end in CR LF or in LF alone. A line's text is kept when it is valid
//   UTF-8 and is otherwise decoded as CP932 (a file written on Windows).
//   A UTF-8 byte-order mark at the start of the file is skipped.
// - "[name]" starts a section; "key=value" lines belong to the section above
//   them. Names and values are trimmed of blanks (spaces and tabs). Blank
//   lines, lines starting with ";" (comments), lines without "=", and keys
//   before the first section are ignored; so is a key repeated within its
//   section (the first one counts). A section that appears twice is one.
// - Only the first kMaxFileBytes bytes of a file are read (an unfinished
//   last line there is dropped), and only the first kMaxEntries section and
//   key lines are taken: a damaged or hostile file cannot make reading slow.
//   A file that is missing, unreadable or not a regular file gives an empty
//   store.
// Section and key names match ignoring ASCII case, and keep the spelling
// and the order in which they first appeared (in the file, or by a write).
//
// Writing: UpdateFile writes UTF-8 text with CR LF line ends: each section
// as "[name]" and its "key=value" lines, a blank line between sections. The
// file is replaced whole (WriteFileAtomically); a failure throws
// TFileWriteError. Comments and ignored lines of the old file are not kept.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvana::app {

// A settings integer: decimal with an optional sign, or hexadecimal after
// "0x"/"0X" (with an optional sign; up to 0xFFFFFFFF, taken as the 32-bit
// pattern so that 0x80000008 is a system colour); blanks around it allowed.
// Anything else, or a value outside 32 bits, gives nothing.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

class TIniStore {
 public:
  static constexpr std::size_t kMaxFileBytes = 4u << 20;
  static constexpr std::size_t kMaxEntries = 65536;

  // An empty store without a file (UpdateFile then throws).
  TIniStore() = default;
  // Reads `fileName` (see the file format above).
  explicit TIniStore(std::string fileName);

  const std::string& FileName() const { return fileName_; }

  // Replaces the contents with the document in `bytes` (the file format).
  void LoadFromText(std::string_view bytes);
  // The document as UpdateFile writes it.
  std::string Text() const;
  // Writes Text() to FileName(); throws TFileWriteError on failure.
  void UpdateFile() const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // Names in their order, as first spelled.
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  // Reading never adds anything.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // A new key goes to the end of its section, a new section to the end of
  // the document; an existing key keeps its place. Line breaks in a name or
  // value become spaces (they would split the line in the file), and the
  // blanks around them are trimmed, as reading the file would.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Drops the key; the section stays, empty or not.
  void EraseKey(std::string_view section, std::string_view key);

 private:
  struct TEntry {
    std::string key;
    std::string value;
  };
  struct TSection {
    std::string name;
    std::vector<TEntry> entries;
    std::unordered_map<std::string, std::size_t> index;  // folded key -> entry
  };

  const TSection* FindSection(std::string_view section) const;
  const TEntry* FindEntry(std::string_view section, std::string_view key) const;
  // The section's position; a new section is added at the end.
  std::size_t SectionForWriting(std::string name);
  void Store(TSection& section, std::string key, std::string value, bool replace);

  std::string fileName_;
  std::vector<TSection> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> section
};

}  // namespace orvana::app
