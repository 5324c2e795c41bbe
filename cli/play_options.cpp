#include "cli/play_options.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/wave_out.h"
#include "player/graphic_equalizer.h"

namespace orvana::cli {
namespace {

template <typename Integer>
std::optional<Integer> ParseInteger(std::string_view text, Integer low, Integer high) {
  Integer value{};
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<double> ParseDb(std::string_view text) {
  double value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!(std::fabs(value) <= player::kGraphicMostDb)) return std::nullopt;
  return value;
}

// Ten comma-separated levels in dB.
std::optional<std::array<double, player::kGraphicBands>> ParseBands(std::string_view text) {
  std::array<double, player::kGraphicBands> bands{};
  for (int band = 0; band < player::kGraphicBands; ++band) {
    const std::size_t comma = text.find(',');
    const bool last = band == player::kGraphicBands - 1;
    if (last != (comma == std::string_view::npos)) return std::nullopt;
    const auto level = ParseDb(text.substr(0, comma));
    if (!level) return std::nullopt;
    bands[band] = *level;
    if (!last) text.remove_prefix(comma + 1);
  }
  return bands;
}

}  // namespace

std::optional<PlayOptions> ParsePlayOptions(int argc, char** argv, std::string& error) {
  PlayOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const auto value = [&]() -> std::optional<std::string_view> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string_view(argv[++i]);
    };
    const auto fail = [&](const std::string& why) -> std::optional<PlayOptions> {
      error = why;
      return std::nullopt;
    };
    if (argument == "--events") {
      options.events = true;
    } else if (argument == "--device") {
      const auto name = value();
      const auto device = name ? platform::ParseWaveDeviceName(*name) : std::nullopt;
      if (!device) return fail("--device takes default, pulse, alsa, null or an ALSA device number");
      options.device = *device;
    } else if (argument == "--wave-out") {
      const auto name = value();
      if (!name || name->empty()) return fail("--wave-out takes a file name");
      options.waveOut = *name;
    } else if (argument == "--seek") {
      const auto ms = value();
      const auto parsed = ms ? ParseInteger<std::int64_t>(*ms, 0, INT64_MAX / 1000000) : std::nullopt;
      if (!parsed) return fail("--seek takes milliseconds (0 or more)");
      options.seekMs = *parsed;
    } else if (argument == "--seconds") {
      const auto text = value();
      options.seconds = text ? ParseInteger(*text, 1, 24 * 3600 * 365) : std::nullopt;
      if (!options.seconds) return fail("--seconds takes a number of seconds (1 or more)");
    } else if (argument == "--volume") {
      const auto text = value();
      options.volume = text ? ParseInteger(*text, 0, 100) : std::nullopt;
      if (!options.volume) return fail("--volume takes 0..100");
    } else if (argument == "--balance") {
      const auto text = value();
      options.balance = text ? ParseInteger(*text, -100, 100) : std::nullopt;
      if (!options.balance) return fail("--balance takes -100..100");
    } else if (argument == "--equalizer") {
      const auto text = value();
      options.equalizer = text ? ParseBands(*text) : std::nullopt;
      if (!options.equalizer) return fail("--equalizer takes ten levels in dB (-12..12), comma-separated");
    } else if (argument == "--preamp") {
      const auto text = value();
      const auto level = text ? ParseDb(*text) : std::nullopt;
      if (!level) return fail("--preamp takes a level in dB (-12..12)");
      options.preampDb = *level;
      if (!options.equalizer) options.equalizer.emplace();
    } else if (argument == "--replay-gain") {
      const auto text = value();
      if (text == "off") options.replayGain = player::rgmOff;
      else if (text == "track") options.replayGain = player::rgmTrack;
      else if (text == "album") options.replayGain = player::rgmAlbum;
      else return fail("--replay-gain takes off, track or album");
    } else if (argument.size() > 1 && argument.starts_with("-")) {
      return fail("unknown option " + std::string(argument));
    } else {
      options.files.emplace_back(argument);
    }
  }
  if (options.files.empty()) {
    error = "no FILE to play";
    return std::nullopt;
  }
  if (!options.waveOut.empty() && options.files.size() > 1) {
    error = "--wave-out writes one file: give one FILE";
    return std::nullopt;
  }
  if (!options.waveOut.empty() && options.seekMs > 0) {
    error = "--seek needs a sound device: the player does not seek while writing a file";
    return std::nullopt;
  }
  return options;
}

}  // namespace orvana::cli
