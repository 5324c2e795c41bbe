// The ReplayGain values an open finds: in files made by lame, eyeD3 and
// id3v2, in frames laid out here, and in damaged or absurd ones.
#include <gtest/gtest.h>

#include "player/track.h"
#include "player_harness.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace std::string_literals;
using namespace testing;

// The decoded tone's peak (mpg123 measures the same), as LAME wrote it: 3995904 / 2^23.
constexpr double kLamePeak = 0.476348876953125;
constexpr std::size_t kLameExtension = 4 + 9 + 8 + 112;  // header, side information, every Xing field

struct TKind { std::optional<double> gainDb, peak; TReplayGainSource source; };

TReplayGainChoice Choice(const TKind& track, const TKind& album = {}) {
  return {{track.gainDb, track.peak, album.gainDb, album.peak}, track.source, album.source};
}

TReplayGainChoice Opened(const TBytes& bytes) {
  TMPTrack track(TMP3InfoType{});
  track.Open(new TMemoryStream(bytes), msoSeekable | msoOwnsStream, "song");
  return track.info.ReplayGain();
}

TBytes Tagged(const std::string& frames, char version, const std::string& fixture = "plain.mp3") {
  TBytes bytes = Bytes(ID3v2Tag(frames, version));
  AppendBytes(bytes, Fixture(fixture));
  return bytes;
}

// rg-lame-accurate.mp3 with `bytes` at `offset` of LAME's extension, its checksum made to hold again.
TBytes LameWith(std::size_t offset, const std::string& bytes) {
  TBytes file = Fixture("rg-lame-accurate.mp3");
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(kLameExtension + offset));
  std::uint16_t crc = 0;
  for (std::size_t i = 0; i < kLameExtension + 34; ++i) {
    crc ^= file[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  file[kLameExtension + 34] = static_cast<std::uint8_t>(crc >> 8);
  file[kLameExtension + 35] = static_cast<std::uint8_t>(crc);
  return file;
}

TEST(ReplayGain, FilesMadeByTheTools) {
  const std::pair<const char*, TReplayGainChoice> cases[] = {
      {"rg-lame-estimate.mp3", Choice({-9.2, {}, rgsEncoder})},
      {"rg-lame-accurate.mp3", Choice({-9.2, kLamePeak, rgsEncoder})},
      // UTF-16 user texts in mixed case, over LAME's track values.
      {"rg-eyed3-over-lame.mp3", Choice({-6.02, 0.98, rgsUserText}, {1.5, {}, rgsUserText})},
      {"rg-id3v2-album.mp3", Choice({}, {-3.1, {}, rgsUserText})},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(Opened(Fixture(name)), expected) << name;

  TQuietPlayer player;
  OpenBytes(player, Fixture("rg-eyed3-over-lame.mp3"), false);
  EXPECT_EQ(player.ReplayGainValues(), (TReplayGainValues{-6.02, 0.98, 1.5, {}}));
  player.Close();
  EXPECT_TRUE(player.ReplayGainValues().Empty());
}

TEST(ReplayGain, Rva2FramesAndWhichSourceCounts) {
  // A right channel before the master volume: -2 dB, a 16-bit peak.
  const std::string track = "Track\0"s + "\x02\x05\x00\x00"s + "\x01\xFC\x00\x10\x7F\xFF"s;
  const std::string album = "ALBUM\0"s + "\x01\x01\x00\x08\x40"s;  // +0.5 dB, peak 64/128
  const std::string frames = ID3v24Frame("RVA2", track) + ID3v24Frame("RVA2", album) +
                             ID3v24Frame("TXXX", "\3REPLAYGAIN_ALBUM_GAIN\0-4 dB"s);
  // RVA2 over LAME's track values; the user text over RVA2's album gain, and RVA2's peak with it.
  EXPECT_EQ(Opened(Tagged(frames, 4, "rg-lame-accurate.mp3")),
            Choice({-2, 32767.0 / 32768, rgsRva2}, {-4, {}, rgsUserText}));
  EXPECT_EQ(Opened(Tagged(ID3v22Frame("TXX", "\0replaygain_track_gain\0+1.5 dB"s), 2, "rg-lame-accurate.mp3")),
            Choice({1.5, {}, rgsUserText}))
      << "the tag's gain without a peak, not LAME's peak";
}

TEST(ReplayGain, DamagedOrAbsurdValuesCountAsAbsent) {
  const auto text = [](const std::string& description, const std::string& value) {
    return Tagged(ID3v23Frame("TXXX", '\0' + description + '\0' + value), 3);
  };
  const std::string gain = "replayGain_track_gain", peak = "REPLAYGAIN_TRACK_PEAK";
  const auto rva2 = [](const std::string& body) { return Tagged(ID3v24Frame("RVA2", body), 4); };
  const struct {
    const char* what;
    TBytes file;
    TReplayGainChoice expected;
  } cases[] = {
      {"not a number", text(gain, "nan dB"), {}},
      {"beyond a double", text(gain, "1e400 dB"), {}},
      {"beyond 64 dB", text(gain, "-64.5 dB"), {}},
      {"64 dB, the largest", text(gain, "+64 dB"), Choice({64, {}, rgsUserText})},
      {"two signs", text(gain, "+-3"), {}},
      {"a unit run on", text(gain, "-3 dBx"), {}},
      {"a decimal comma", text(gain, "-3,5 dB"), {}},
      {"no value, no terminator", Tagged(ID3v23Frame("TXXX", "\0REPLAYGAIN_TRACK_GAIN"s), 3), {}},
      {"an encoding byte only", Tagged(ID3v23Frame("TXXX", "\0"s), 3), {}},
      {"a negative peak", text(peak, "-0.5"), {}},
      {"a peak of ten times full scale and more", text(peak, "10.5"), {}},
      {"RVA2 without the end of its name", rva2("track"), {}},
      {"RVA2 peak cut short", rva2("track\0\x01\x00\x10\xFF\x7F"s), {}},
      {"RVA2 peak beyond reason", rva2("track\0\x01\xFE\x00\x01\xFF"s), Choice({-1, {}, rgsRva2})},
      {"LAME peak beyond reason", LameWith(11, "\xFF\xFF\xFF\xFF"), Choice({-9.2, {}, rgsEncoder})},
      {"LAME gain set by nobody", LameWith(15, "\x22\x5C"), Choice({{}, kLamePeak, rgsEncoder})},
  };
  for (const auto& c : cases) EXPECT_EQ(Opened(c.file), c.expected) << c.what;
}

}  // namespace
}  // namespace orvana::player
