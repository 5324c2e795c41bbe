#include "player/lyrics3_block.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "player/assertion.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

constexpr std::string_view kBegin = "LYRICSBEGIN";
constexpr std::string_view kEndVersion1 = "LYRICSEND";
constexpr std::string_view kEndVersion2 = "LYRICS200";
constexpr int kEndMarkerSize = 9;
constexpr int kSizeDigits = 6;
constexpr int kFieldIdSize = 3;
constexpr int kFieldLengthDigits = 5;
constexpr std::int64_t kVersion1Reach = 5100;

// A decimal number of exactly `digits` digits; 0 when it is not one.
std::int64_t DecimalField(const std::uint8_t* text, int digits) {
  std::int64_t value = 0;
  for (int i = 0; i < digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

TLyrics3Result ReadVersion1(TMPStreamReader& reader, std::int64_t marker, TKeyedList& values) {
  const std::int64_t from = std::max<std::int64_t>(0, marker - kVersion1Reach);
  reader.Seek(from, soBeginning);
  std::string bytes;
  if (!ReadRawText(reader, marker - from, bytes)) return {};
  const std::size_t begin = bytes.find(kBegin);
  if (begin == std::string::npos) return {};
  values.Add("LYRICS", platform::FileTextToUtf8(std::string_view(bytes).substr(begin + kBegin.size())));
  return {true, from + static_cast<std::int64_t>(begin)};
}

TLyrics3Result ReadVersion2(TMPStreamReader& reader, std::int64_t marker, TKeyedList& values) {
  const std::int64_t fieldsEnd = marker - kSizeDigits;
  if (fieldsEnd < 0) return {};
  reader.Seek(fieldsEnd, soBeginning);
  if (!reader.Need(kSizeDigits)) return {};
  const std::int64_t blockSize = DecimalField(reader.Data(), kSizeDigits);
  if (blockSize <= 0) return {};
  TLyrics3Result result{false, fieldsEnd - blockSize};
  if (result.position < 0) return result;
  reader.Seek(result.position, soBeginning);
  if (!reader.Need(static_cast<std::int64_t>(kBegin.size())) ||
      std::memcmp(reader.Data(), kBegin.data(), kBegin.size()) != 0)
    return result;
  reader.Skip(static_cast<std::int64_t>(kBegin.size()));
  while (reader.Position() < fieldsEnd) {
    constexpr int kFieldHeaderSize = kFieldIdSize + kFieldLengthDigits;
    if (!reader.Need(kFieldHeaderSize)) return result;
    std::string id = FixedText(reader.Data(), kFieldIdSize);
    const std::int64_t length = DecimalField(reader.Data() + kFieldIdSize, kFieldLengthDigits);
    if (length <= 0) return result;
    reader.Skip(kFieldHeaderSize);
    if (reader.Position() + length > fieldsEnd) return result;
    std::string bytes;
    if (!ReadRawText(reader, length, bytes)) return result;
    values.Add(std::move(id), platform::FileTextToUtf8(bytes));
  }
  result.read = reader.Position() == fieldsEnd;
  return result;
}

}  // namespace

TLyrics3Result ReadLyrics3Block(TMPStreamReader& reader, std::int64_t blockEnd, TKeyedList& values) {
  MPAssert(reader.Seekable());
  const std::int64_t marker = blockEnd - kEndMarkerSize;
  if (marker < 0 || marker > reader.Size()) return {};
  reader.Seek(marker, soBeginning);
  if (!reader.Need(kEndMarkerSize)) return {};
  const std::string_view found(reinterpret_cast<const char*>(reader.Data()), kEndMarkerSize);
  if (found == kEndVersion1) return ReadVersion1(reader, marker, values);
  if (found == kEndVersion2) return ReadVersion2(reader, marker, values);
  return {};
}

}  // namespace orvana::player
