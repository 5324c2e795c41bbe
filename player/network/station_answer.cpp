#include "player/network/station_answer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>

#include "player/network/icy_metadata.h"
#include "player/network/transfer_sentences.h"

namespace orvana::player {
namespace {

constexpr std::array<std::string_view, 9> kMpegAudioTypes = {
    "audio/mpeg", "audio/mp3",   "audio/x-mpeg",   "audio/mpeg3",  "audio/x-mp3",
    "audio/mpg",  "audio/x-mpg", "audio/x-mpeg-3", "application/octet-stream"};

std::string MediaType(std::string_view contentType) {
  std::string type(ShownText(contentType.substr(0, contentType.find(';'))));
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return type;
}

// Header text as UTF-8 for the display: no control characters.
std::string StationText(std::string_view raw) {
  std::string text = IcyTextToUtf8(raw);
  std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  return text;
}

// "128" or "128,128" (some servers repeat it); 0 when it is no number.
int BitrateOf(std::string_view value) {
  int kbits = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), kbits);
  return error == std::errc() && kbits > 0 && kbits <= 10000 ? kbits : 0;
}

// The interval in bytes, 0 when absent, nullopt when no server could mean it.
std::optional<std::size_t> MetaintOf(std::string_view value, bool present) {
  if (!present) return 0;
  std::size_t bytes = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), bytes);
  if (error != std::errc() || end != value.data() + value.size() || bytes == 0 || bytes > kMaxIcyMetaint)
    return std::nullopt;
  return bytes;
}

}  // namespace

bool IsMpegAudioType(std::string_view contentType) {
  const std::string type = MediaType(contentType);
  return type.empty() || std::find(kMpegAudioTypes.begin(), kMpegAudioTypes.end(), type) != kMpegAudioTypes.end();
}

TStationAnswer JudgeStationAnswer(const TResponseHeaders& answer) {
  TStationAnswer result;
  if (answer.Status() < 200 || answer.Status() >= 300) {
    result.refusal = StatusSentence("station", answer.Status(), answer.Reason());
    return result;
  }
  const std::string contentType = answer.Value("content-type");
  if (!IsMpegAudioType(contentType)) {
    result.refusal = "The address sends " + MediaType(contentType) + ", not MPEG audio.";
    return result;
  }
  const std::string metaintText = answer.Value("icy-metaint");
  const std::optional<std::size_t> metaint = MetaintOf(metaintText, answer.Has("icy-metaint"));
  if (!metaint) {
    result.refusal = "The station's metadata interval \"" + ShownText(metaintText, 24) + "\" is impossible.";
    result.lies = true;
    return result;
  }
  result.metaint = *metaint;
  result.station.name = StationText(answer.Value("icy-name"));
  result.station.genre = StationText(answer.Value("icy-genre"));
  result.station.description = StationText(answer.Value("icy-description"));
  result.station.homePage = StationText(answer.Value("icy-url"));
  result.station.contentType = ShownText(contentType, 128);
  result.station.bitrate = BitrateOf(answer.Value("icy-br"));
  return result;
}

}  // namespace orvana::player
