// Playing: to a WAV file (as fast as it decodes) and on the null device (in
// real time), how play ends, the events and the thread they fire on, damaged
// streams, worker exceptions, and stopping while paused at the end.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <stdexcept>
#include <thread>

#include "player/assertion.h"
#include "player/player_messages.h"
#include "player_harness.h"
#include "recording_target.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using testing::DataPath;
using testing::OpenBytes;
using testing::PumpUntil;
using testing::ReadBytes;
using testing::TBytes;
using testing::TEventLog;
using testing::TQuietPlayer;

using Clock = std::chrono::steady_clock;

// Runs `operation` and fails (ending the run: a hung thread cannot be
// recovered) when it does not return within five seconds.
void ReturnsPromptly(const char* what, const std::function<void()>& operation) {
  auto done = std::async(std::launch::async, operation);
  if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    std::fprintf(stderr, "%s did not return\n", what);
    std::_Exit(1);
  }
  done.get();
}

TBytes WaveOf(const std::string& name) {
  TQuietPlayer player;
  player.SetFileName(DataPath(name));
  player.Open();
  return testing::PlayToWave(player);
}

TEST(PlayerPlayback, WaveFileHoldsWhatTheDecoderMakes) {
  for (const char* name : {"player/tone-44100-stereo-cbr.mp3", "l3-44100-stereo-cbr128-crc.mp3",
                           "lsf-l3-22050-stereo-cbr64.mp3", "m25-l3-11025-mono-cbr16.mp3",
                           "m25-l3-8000-stereo-cbr24.mp3", "l3-compl.bit"}) {
    const TBytes played = WaveOf(name);
    EXPECT_FALSE(played.empty()) << name;
    EXPECT_TRUE(played == testing::CliDecode(DataPath(name))) << name;
  }
}

TEST(PlayerPlayback, EndOfStreamEndsPlayOnceWithEventsOnThePumpingThread) {
  TQuietPlayer player;
  TEventLog log(player);
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  const auto started = Clock::now();
  player.Play();
  ASSERT_TRUE(PumpUntil(player, [&] { return !log.reasons.empty(); }));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
  testing::PumpFor(player, 100);
  EXPECT_GE(took, 1000) << "the null device plays in real time";
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});
  EXPECT_GE(log.Count("position"), 2);
  EXPECT_GE(log.Count("status 1"), 1);
  EXPECT_GE(log.Count("status 0"), 1);
  for (const auto& thread : log.threads) EXPECT_EQ(thread, std::this_thread::get_id());
  EXPECT_TRUE(player.Opened()) << "a seekable stream stays open";
  EXPECT_EQ(player.Status(), msStopped);
  EXPECT_EQ(player.Position(), 0);
}

TEST(PlayerPlayback, StopEndsPlayWithTheStoppedReasonAndPlayStartsAgainFromTheTop) {
  TQuietPlayer player;
  TEventLog log(player);
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  player.Play();
  testing::PumpFor(player, 300);
  EXPECT_GT(player.Position(), 0);
  ReturnsPromptly("Stop", [&] { player.Stop(); });
  EXPECT_EQ(player.Position(), 0);
  testing::PumpFor(player, 50);
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprStopped});
  player.Stop();  // nothing to stop
  testing::PumpFor(player, 50);
  EXPECT_EQ(log.reasons.size(), 1u);
  EXPECT_EQ(testing::PlayToWave(player), testing::CliDecode(DataPath(testing::kCbrTone)));
}

TEST(PlayerPlayback, DamagedStreamsPlayWhatTheyHold) {
  const TBytes tone = ReadBytes(DataPath(testing::kCbrTone));
  const auto frames = testing::FramesOf(tone);
  ASSERT_GT(frames.size(), 20u);
  const auto check = [](const std::string& what, const TBytes& bytes) {
    testing::TTempFile file(".mp3");
    testing::WriteBytes(file.Path(), bytes);
    TQuietPlayer player;
    TEventLog log(player);
    player.SetFileName(file.Path());
    player.Open();
    EXPECT_TRUE(testing::PlayToWave(player) == testing::CliDecode(file.Path())) << what;
    testing::PumpFor(player, 20);
    EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream}) << what;
  };

  TBytes garbageInside = testing::Slice(tone, 0, frames[10].offset);
  garbageInside.insert(garbageInside.end(), 3000, 0x00);
  testing::AppendBytes(garbageInside, testing::Slice(tone, frames[10].offset, tone.size()));
  check("garbage between frames", garbageInside);

  TBytes trailing = tone;
  trailing.insert(trailing.end(), 6000, 0xAA);
  check("trailing garbage", trailing);

  check("cut inside the last frame", testing::Slice(tone, 0, tone.size() - 100));
  check("cut inside a frame header", testing::Slice(tone, 0, frames[15].offset + 2));

  TBytes tagged = tone;
  testing::AppendBytes(tagged, testing::Bytes(testing::ID3v1Tag("Song", 12)));
  check("ID3v1 tag after the data", tagged);
}

TEST(PlayerPlayback, AChangeOfSamplingFrequencyEndsPlayAfter4096Bytes) {
  TBytes bytes = ReadBytes(DataPath(testing::kCbrTone));
  const TBytes first = bytes;
  testing::AppendBytes(bytes, ReadBytes(DataPath(testing::k48kTone)));  // 8448 bytes: past the garbage limit
  testing::AppendBytes(bytes, first);
  TQuietPlayer player;
  TEventLog log(player);
  OpenBytes(player, bytes);
  EXPECT_TRUE(testing::PlayToWave(player) == testing::CliDecode(DataPath(testing::kCbrTone)));
  testing::PumpFor(player, 20);
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});
}

TEST(PlayerPlayback, AStreamThatCannotBePositionedClosesAtItsEnd) {
  const TBytes tone = ReadBytes(DataPath(testing::kCbrTone));
  TQuietPlayer player;
  TEventLog log(player);
  OpenBytes(player, tone, false);
  EXPECT_FALSE(player.Capabilities().Has(mpcSeek));
  EXPECT_EQ(player.Length(), 0) << "no size, no length";
  EXPECT_TRUE(testing::PlayToWave(player) == testing::CliDecode(DataPath(testing::kCbrTone)));
  testing::PumpFor(player, 20);
  EXPECT_FALSE(player.Opened());
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});

  OpenBytes(player, tone, false);
  player.SetDeviceID(platform::kNullWaveDevice);
  player.Play();
  EXPECT_THROW(player.Seek(100), EAssertionFailed);
  player.Stop();
  EXPECT_FALSE(player.Opened()) << "stopping closes it too";
}

// A stream whose reads fail once it is armed, as a failing disk does.
class TFailingStream : public testing::TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  std::int64_t Read(void* buffer, std::int64_t count) override {
    if (armed.load()) throw EStreamError("cannot read file: Input/output error");
    return TMemoryStream::Read(buffer, count);
  }
  std::atomic<bool> armed{false};
};

TEST(PlayerPlayback, AnExceptionOnTheDecodeThreadIsShownAndEndsPlayWithTheErrorReason) {
  testing::DisplayCapture shown;
  TQuietPlayer player;
  TEventLog log(player);
  TBytes bytes = ReadBytes(DataPath("l3-44100-stereo-cbr128-crc.mp3"));
  auto* stream = new TFailingStream(bytes);
  player.OpenStream(stream, msoSeekable | msoOwnsStream);
  stream->armed = true;
  player.Play();
  ASSERT_TRUE(PumpUntil(player, [&] { return !log.reasons.empty(); }));
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprError});
  EXPECT_EQ(shown.Shown().at(0), "cannot read file: Input/output error");
  EXPECT_EQ(player.Status(), msStopped);
  // A read that failed again before the stop is shown too, and changes nothing.
  testing::PumpFor(player, 200);
  EXPECT_EQ(log.reasons.size(), 1u);
  stream->armed = false;
  EXPECT_FALSE(testing::PlayToWave(player).empty()) << "the player goes on working";
}

TEST(PlayerPlayback, StopSeekAndCloseGetThroughWhilePausedAtTheEnd) {
  TQuietPlayer player;
  TEventLog log(player);
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  const auto pausedAtTheEnd = [&] {
    player.Play();
    player.Pause();
    // The whole stream fits the output: decoding ends and waits for it.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  };

  pausedAtTheEnd();
  ReturnsPromptly("Stop", [&] { player.Stop(); });
  EXPECT_EQ(player.Status(), msStopped);

  pausedAtTheEnd();
  ReturnsPromptly("Seek", [&] { player.Seek(0); });
  EXPECT_EQ(player.Status(), msPaused);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  player.Resume();
  ASSERT_TRUE(PumpUntil(player, [&] { return log.reasons.size() == 2; }));
  EXPECT_EQ(log.reasons.back(), meprEndOfStream) << "after the seek the stream plays to its end";

  pausedAtTheEnd();
  ReturnsPromptly("Close", [&] { player.Close(); });
  EXPECT_FALSE(player.Opened());
  testing::PumpFor(player, 50);
  EXPECT_EQ(log.reasons, (std::vector<TMP3EndPlayReason>{meprStopped, meprEndOfStream, meprStopped}));
}

TEST(PlayerPlayback, DestroyingThePlayerWhilePausedAtTheEndReturns) {
  ReturnsPromptly("the destructor", [] {
    TQuietPlayer player;
    player.SetFileName(DataPath(testing::kCbrTone));
    player.Open();
    player.Play();
    player.Pause();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  });
}

TEST(PlayerPlayback, EqualizerAtUnityLeavesTheSoundAlone) {
  const TBytes plain = WaveOf(testing::kCbrTone);
  TQuietPlayer player;
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  player.SetEqualizerEnabled(true);
  player.Messages().DispatchPending();
  EXPECT_TRUE(testing::PlayToWave(player) == plain);
  for (int band = 0; band < 32; ++band) player.SetEqualizerGain(band, -100);
  player.Messages().DispatchPending();
  const TBytes quiet = testing::PlayToWave(player);
  ASSERT_EQ(quiet.size(), plain.size());
  const auto peak = [](const TBytes& pcm) {
    int peak = 0;
    for (std::size_t i = 0; i + 1 < pcm.size(); i += 2)
      peak = std::max(peak, std::abs(static_cast<int16_t>(pcm[i] | pcm[i + 1] << 8)));
    return peak;
  };
  EXPECT_LT(peak(quiet) * 5, peak(plain)) << "a tenth of the level";
  player.SetEqualizerEnabled(false);
  player.Messages().DispatchPending();
  EXPECT_TRUE(testing::PlayToWave(player) == plain);
}

TEST(PlayerPlayback, VolumeAndBalanceScaleTheDeviceNotTheFile) {
  // The WAV file gets the decoded samples whatever the volume.
  const TBytes plain = WaveOf(testing::kCbrTone);
  TQuietPlayer player;
  player.SetVolume(10);
  player.SetVolBalance(50);
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  EXPECT_TRUE(testing::PlayToWave(player) == plain);
}

TEST(PlayerPlayback, AnEndOfStreamNoticeLeftWaitingCannotStopTheNextPlayback) {
  TQuietPlayer player;
  TEventLog log(player);
  testing::TTempFile wave(".wav");
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  player.SetWaveFileName(wave.Path());
  player.Play();
  // The data runs out while nobody pumps: the notice waits in the queue.
  for (int wait = 0; wait < 500 && !player.Messages().IsQueued(MPM_ENDOFSTREAM); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(player.Messages().IsQueued(MPM_ENDOFSTREAM));
  player.Stop();
  player.Play();
  testing::PumpFor(player, 100);
  EXPECT_EQ(player.Status(), msPlaying) << "the old notice went with the Stop";
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprStopped});
}

// Bounded mutations of a real stream: each plays to some end (or is refused)
// and nothing reads outside its buffers.
TEST(PlayerPlayback, MutatedStreamsEndOrAreRefused) {
  const TBytes tone = ReadBytes(DataPath(testing::kCbrTone));
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  for (int round = 0; round < 24; ++round) {
    TBytes bytes = testing::Slice(tone, 0, tone.size() - next() % 2000);
    for (int flip = 0; flip < 40; ++flip) bytes[next() % bytes.size()] = static_cast<std::uint8_t>(next());
    if (round % 3 == 0) bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(next() % bytes.size()), 0xFF);
    TQuietPlayer player;
    try {
      OpenBytes(player, bytes, round % 4 != 1);
    } catch (const std::runtime_error&) {
      continue;  // refused
    }
    const TBytes played = testing::PlayToWave(player);
    EXPECT_LE(played.size(), tone.size() / 100 * 4608) << "round " << round;
    EXPECT_EQ(player.Status(), msStopped) << "round " << round;
  }
}

}  // namespace
}  // namespace orvana::player
