#include "player/replay_gain_tags.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "player/ascii_text.h"
#include "player/id3v2_frame_text.h"
#include "player/replay_gain_limits.h"

namespace orvana::player {
namespace {

struct TUserTextField {
  std::string_view description;
  TReplayGainField field;
  bool gain;  // a gain in dB, not a peak
};

constexpr TUserTextField kUserTextFields[] = {
    {"REPLAYGAIN_TRACK_GAIN", &TReplayGainValues::trackGainDb, true},
    {"REPLAYGAIN_TRACK_PEAK", &TReplayGainValues::trackPeak, false},
    {"REPLAYGAIN_ALBUM_GAIN", &TReplayGainValues::albumGainDb, true},
    {"REPLAYGAIN_ALBUM_PEAK", &TReplayGainValues::albumPeak, false},
};

// RVA2: an identification, then per channel its type, the adjustment in
// 1/512 dB (signed 16 bits), the number of bits of the peak and the peak in
// as many whole bytes.
constexpr std::uint8_t kMasterVolume = 1;
constexpr double kRva2StepsPerDb = 512;
constexpr std::size_t kRva2ChannelHeaderSize = 4;

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// "-6.02 dB", "+1.5 dB", "-6.02", " 0.98 ": a decimal number with an
// optional sign, spaces around it and, for a gain, "dB" after it. Read the
// same whatever the locale, which may want a decimal comma.
std::optional<double> NumberText(std::string_view text, bool gain) {
  text = Trimmed(text);
  if (gain && text.size() >= 2 && EqualsIgnoringAsciiCase(text.substr(text.size() - 2), "dB"))
    text = Trimmed(text.substr(0, text.size() - 2));
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return gain ? AcceptedGainDb(value) : AcceptedPeak(value);
}

void ReadUserText(const TID3v2Frame& frame, TReplayGainValues& values) {
  const auto* body = reinterpret_cast<const std::uint8_t*>(frame.body.data());
  const TID3v2UserText text = ID3v2UserText(body, static_cast<std::int64_t>(frame.body.size()), frame.majorVersion);
  for (const TUserTextField& known : kUserTextFields) {
    if (!EqualsIgnoringAsciiCase(Trimmed(text.description), known.description)) continue;
    if (!(values.*known.field)) values.*known.field = NumberText(text.value, known.gain);
    return;
  }
}

// The peak's bits as a fraction of full scale: of samples that wide, signed.
double PeakFraction(std::string_view bytes, int bits) {
  double value = 0;
  for (const char byte : bytes) value = value * 256 + static_cast<std::uint8_t>(byte);
  return std::ldexp(value, 1 - bits);
}

void ReadRva2(std::string_view body, TReplayGainValues& values) {
  const std::size_t identificationEnd = body.find('\0');
  if (identificationEnd == std::string_view::npos) return;
  const std::string_view identification = body.substr(0, identificationEnd);
  const bool track = EqualsIgnoringAsciiCase(identification, "track");
  if (!track && !EqualsIgnoringAsciiCase(identification, "album")) return;
  const TReplayGainField gain = track ? &TReplayGainValues::trackGainDb : &TReplayGainValues::albumGainDb;
  const TReplayGainField peak = track ? &TReplayGainValues::trackPeak : &TReplayGainValues::albumPeak;
  if (values.*gain) return;
  for (std::string_view rest = body.substr(identificationEnd + 1); rest.size() >= kRva2ChannelHeaderSize;) {
    const auto byte = [&rest](std::size_t i) { return static_cast<std::uint8_t>(rest[i]); };
    const int bits = byte(3);
    const std::size_t peakSize = (static_cast<std::size_t>(bits) + 7) / 8;
    if (rest.size() - kRva2ChannelHeaderSize < peakSize) return;
    if (byte(0) == kMasterVolume) {
      const auto steps = static_cast<std::int16_t>(byte(1) << 8 | byte(2));
      values.*gain = AcceptedGainDb(steps / kRva2StepsPerDb);
      values.*peak = bits > 0 ? AcceptedPeak(PeakFraction(rest.substr(kRva2ChannelHeaderSize, peakSize), bits))
                              : std::nullopt;
      return;
    }
    rest.remove_prefix(kRva2ChannelHeaderSize + peakSize);
  }
}

}  // namespace

void ReadReplayGainFrame(const TID3v2Frame& frame, TReplayGainSources& sources) {
  if (frame.id == "TXXX" || frame.id == "TXX") ReadUserText(frame, sources.userText);
  else if (frame.id == "RVA2") ReadRva2(frame.body, sources.rva2);
}

}  // namespace orvana::player
