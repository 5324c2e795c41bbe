#pragma once
// Driving a TMP3Player from a test: pumping its main-thread queue until
// something has happened, recording its events, and the streams it plays.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/frame_scanner.h"
#include "player/mp3_player.h"
#include "player/player_messages.h"
#include "test_streams.h"

namespace orvana::player::testing {

inline void WriteBytes(const std::string& path, const TBytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The short streams made for these tests.
inline const std::string kCbrTone = "player/tone-44100-stereo-cbr.mp3";
inline const std::string kXingTone = "player/tone-44100-stereo-xing.mp3";
inline const std::string k48kTone = "player/tone-48000-stereo-cbr.mp3";

struct TFrameSpan {
  std::size_t offset;
  int length;
};

// The frames of a stream as the engine's scanner finds them.
inline std::vector<TFrameSpan> FramesOf(const TBytes& bytes) {
  std::vector<TFrameSpan> frames;
  engine::FrameScanner scanner(bytes.data(), bytes.size());
  if (!scanner.FindFirstFrame()) return frames;
  for (engine::ScannedFrame frame; scanner.Next(frame);) frames.push_back({frame.offset, frame.length});
  return frames;
}

inline TBytes Slice(const TBytes& bytes, std::size_t from, std::size_t to) {
  return TBytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

inline void AppendBytes(TBytes& to, const TBytes& more) { to.insert(to.end(), more.begin(), more.end()); }

// A file under /tmp removed with the object.
class TTempFile {
 public:
  explicit TTempFile(const std::string& suffix) {
    static int counter = 0;
    path_ = "/tmp/orvana-player-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + suffix;
  }
  ~TTempFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The sample bytes of a WAV file the player (or orvana-cli decode) wrote.
inline TBytes WaveSamples(const std::string& path) {
  const TBytes bytes = ReadBytes(path);
  return bytes.size() <= 44 ? TBytes() : TBytes(bytes.begin() + 44, bytes.end());
}

// What `orvana-cli decode` makes of a file, in the player's mode.
// `options` go before the paths, e.g. "--gapless".
inline TBytes CliDecode(const std::string& path, const std::string& options = {}) {
  TTempFile out(".wav");
  const std::string command =
      std::string("'") + ORVANA_CLI_PATH + "' decode " + options + " '" + path + "' '" + out.Path() + "'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("decode failed: " + command);
  return WaveSamples(out.Path());
}

// Records every event with the thread it fired on.
class TEventLog {
 public:
  explicit TEventLog(TMP3Player& player) {
    player.SetOnChangeStatus([this](TMP3Player& sender) { Add("status " + std::to_string(sender.Status())); });
    player.SetOnChangePosition([this](TMP3Player&) { Add("position"); });
    player.SetOnEndPlay([this](TMP3Player&, TMP3EndPlayReason reason) {
      reasons.push_back(reason);
      Add("endplay " + std::to_string(reason));
    });
  }

  int Count(const std::string& event) const {
    int count = 0;
    for (const std::string& e : events)
      if (e == event) ++count;
    return count;
  }

  std::vector<std::string> events;
  std::vector<TMP3EndPlayReason> reasons;
  std::vector<std::thread::id> threads;

 private:
  void Add(const std::string& event) {
    events.push_back(event);
    threads.push_back(std::this_thread::get_id());
  }
};

// Pumps the player's queue until `done` holds; false after `timeoutMs`.
inline bool PumpUntil(TMP3Player& player, const std::function<bool()>& done, int timeoutMs = 10000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    player.Messages().DispatchPending();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    player.Messages().WaitForPosted(20);
  }
}

// Pumps for a while, whatever happens.
inline void PumpFor(TMP3Player& player, int milliseconds) {
  PumpUntil(player, [] { return false; }, milliseconds);
}

// A player that neither opens on its own nor starts playing, on the null
// device: what most tests want.
class TQuietPlayer : public TMP3Player {
 public:
  TQuietPlayer() {
    SetAutoOpen(false);
    SetAutoPlay(false);
    SetDeviceID(platform::kNullWaveDevice);
  }
};

// Opens bytes held in memory, the player owning the stream.
inline void OpenBytes(TMP3Player& player, const TBytes& bytes, bool seekable = true) {
  player.OpenStream(new TMemoryStream(bytes, seekable), msoOwnsStream | (seekable ? msoSeekable : 0));
}

// Plays the open stream into a WAV file, as fast as it decodes, until play
// ends; returns the samples written (empty when play did not end in time).
inline TBytes PlayToWave(TMP3Player& player) {
  TTempFile wave(".wav");
  player.SetWaveFileName(wave.Path());
  player.Play();
  const bool ended = PumpUntil(player, [&] {
    return player.Status() == msStopped && !player.Messages().IsQueued(MPM_ENDPLAY);
  });
  return ended ? WaveSamples(wave.Path()) : TBytes();
}

// The Xing frame count of a stream whose first frame is MPEG-1 stereo
// without CRC, read straight from the bytes.
inline int XingFrameCount(const TBytes& bytes, std::size_t frameStart) {
  const std::uint8_t* field = bytes.data() + frameStart + 36 + 8;
  return field[0] << 24 | field[1] << 16 | field[2] << 8 | field[3];
}

}  // namespace orvana::player::testing
