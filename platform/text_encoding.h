#pragma once
// Conversion of texts read from files into UTF-8, the system's code page.
#include <string>
#include <string_view>

namespace orvana::platform {

enum class TUtf16Order { utfLittleEndian, utfBigEndian };

// True when every byte belongs to a well-formed UTF-8 sequence (no overlong
// forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Bytes from a file whose encoding is not recorded: kept when they are UTF-8,
// otherwise decoded as CP932 (Japanese files written on Windows). A character
// cut off at the end of the bytes (a full fixed-size field) is dropped whole.
std::string FileTextToUtf8(std::string_view bytes);

// CP932 to UTF-8; bytes that are not CP932 become U+FFFD, and a lead byte
// without its trail byte at the end is dropped.
std::string Cp932ToUtf8(std::string_view bytes);

// ISO 8859-1 to UTF-8: every byte is the code point of its value.
std::string Latin1ToUtf8(std::string_view bytes);

// UTF-16 code units to UTF-8. A leading byte-order mark decides the order and
// is not part of the text; without one, `order` applies. Unpaired surrogates
// become U+FFFD; an odd last byte is ignored.
std::string Utf16ToUtf8(std::string_view bytes, TUtf16Order order);

// Any bytes as valid UTF-8: well-formed sequences kept, each other byte U+FFFD.
std::string ReplaceInvalidUtf8(std::string_view bytes);

// Number of characters (code points) of valid UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// At most `limit` bytes of UTF-8 text, never splitting a character.
std::string_view Utf8Prefix(std::string_view text, std::size_t limit);

}  // namespace orvana::platform
