#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace orvana::platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

enum class TSequence { seqValid, seqInvalid, seqTruncated };

struct TSequenceScan {
  TSequence kind;
  std::size_t length;  // bytes of a valid sequence
};

// Looks at the UTF-8 sequence starting at bytes[at].
TSequenceScan ScanSequence(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80) return {TSequence::seqValid, 1};
  std::size_t length;
  std::uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return {TSequence::seqInvalid, 0};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (at + i >= bytes.size()) return {TSequence::seqTruncated, 0};
    const std::uint8_t next = byte(at + i);
    const bool inRange = i == 1 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
    if (!inRange) return {TSequence::seqInvalid, 0};
  }
  return {TSequence::seqValid, length};
}

void AppendCodePoint(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Closes the descriptor however the conversion ends.
class TIconv {
 public:
  TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~TIconv() {
    if (ok()) iconv_close(cd_);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const TSequenceScan scan = ScanSequence(bytes, at);
    if (scan.kind != TSequence::seqValid) return false;
    at += scan.length;
  }
  return true;
}

std::string FileTextToUtf8(std::string_view bytes) {
  bool multiByteSeen = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const TSequenceScan scan = ScanSequence(bytes, at);
    // A cut-off last character only counts as UTF-8 after an earlier whole
    // one: two CP932 bytes can look like the start of a UTF-8 sequence.
    if (scan.kind == TSequence::seqTruncated && multiByteSeen) return std::string(bytes.substr(0, at));
    if (scan.kind != TSequence::seqValid) return Cp932ToUtf8(bytes);
    multiByteSeen = multiByteSeen || scan.length > 1;
    at += scan.length;
  }
  return std::string(bytes);
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  TIconv converter("UTF-8", "CP932");
  if (!converter.ok()) {
    // Without the converter, keep what is certain: ASCII.
    for (const char c : bytes) {
      if (static_cast<std::uint8_t>(c) < 0x80) out += c;
      else out += kReplacement;
    }
    return out;
  }
  // A CP932 character never takes more than 3 UTF-8 bytes; U+FFFD takes 3 too.
  std::string buffer(bytes.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outStart = buffer.data();
    char* outPtr = outStart;
    std::size_t outLeft = buffer.size();
    const std::size_t result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(outStart, static_cast<std::size_t>(outPtr - outStart));
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == EINVAL) break;  // a lead byte cut off at the end
    if (errno == EILSEQ) {
      out += kReplacement;
      ++in;
      --inLeft;
      continue;
    }
    if (errno != E2BIG) break;
  }
  return out;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) AppendCodePoint(out, static_cast<std::uint8_t>(c));
  return out;
}

std::string Utf16ToUtf8(std::string_view bytes, TUtf16Order order) {
  const auto unitAt = [&](std::size_t at, bool bigEndian) -> std::uint32_t {
    const auto b0 = static_cast<std::uint8_t>(bytes[at]);
    const auto b1 = static_cast<std::uint8_t>(bytes[at + 1]);
    return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
  };
  bool bigEndian = order == TUtf16Order::utfBigEndian;
  std::size_t at = 0;
  if (bytes.size() >= 2) {
    const std::uint32_t mark = unitAt(0, false);
    if (mark == 0xFEFF || mark == 0xFFFE) {
      bigEndian = mark == 0xFFFE;
      at = 2;
    }
  }
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  while (at + 1 < bytes.size()) {
    const std::uint32_t unit = unitAt(at, bigEndian);
    at += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < bytes.size()) {
      const std::uint32_t low = unitAt(at, bigEndian);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        at += 2;
        AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) out += kReplacement;
    else AppendCodePoint(out, unit);
  }
  return out;
}

std::string ReplaceInvalidUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const TSequenceScan scan = ScanSequence(bytes, at);
    if (scan.kind == TSequence::seqValid) {
      out.append(bytes.substr(at, scan.length));
      at += scan.length;
    } else {
      out += kReplacement;
      ++at;
    }
  }
  return out;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text)
    if ((static_cast<std::uint8_t>(c) & 0xC0) != 0x80) ++count;
  return count;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t cut = limit;
  while (cut > 0 && (static_cast<std::uint8_t>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

}  // namespace orvana::platform
