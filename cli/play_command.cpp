// orvana-cli play [options] FILE|URL...: plays the files (and stations) one
// after another through the player component, without a gap between files,
// on the default device unless told otherwise, with a status line or
// (--events) one line per player event; a station plays until interrupted
// or --seconds.
// Exits with 3 when the sound device cannot be opened, 130 after Ctrl+C.
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "cli/command.h"
#include "cli/interrupt_signal.h"
#include "cli/play_options.h"
#include "cli/play_status_line.h"
#include "player/graphic_equalizer.h"
#include "player/host_hooks.h"
#include "player/mp3_player.h"
#include "player/wave_out_error.h"

namespace orvana::cli {
namespace {

using player::TMP3Player;

constexpr int kRefreshMs = 250;
// Exit statuses besides 0 (all played), 1 (a file failed) and 2 (usage).
constexpr int kNoDeviceStatus = 3;
constexpr int kInterruptedStatus = 130;

const char* StatusName(player::TMP3Status status) {
  switch (status) {
    case player::msPlaying: return "playing";
    case player::msPaused: return "paused";
    default: return "stopped";
  }
}

const char* ReasonName(player::TMP3EndPlayReason reason) {
  switch (reason) {
    case player::meprEndOfStream: return "EndOfStream";
    case player::meprError: return "Error";
    default: return "Stopped";
  }
}

class PlaySession {
 public:
  explicit PlaySession(const PlayOptions& options) : options_(options), statusLine_(stdout) {
    player::SetExceptionDisplay([this](const std::exception& error) {
      statusLine_.Finish();
      std::fprintf(stderr, "orvana-cli play: %s\n", error.what());
    });
    player_.SetAutoOpen(false);
    player_.SetAutoPlay(false);
    player_.SetDeviceID(options.device);
    if (options.volume) player_.SetVolume(*options.volume);
    if (options.balance) player_.SetVolBalance(*options.balance);
    if (options.equalizer) player::SetGraphicEqualizer(player_, true, options.preampDb, *options.equalizer);
    player::TReplayGainSettings replayGain;
    replayGain.mode = options.replayGain;
    player_.SetReplayGain(replayGain);
    player_.SetOnChangeStatus([this](TMP3Player& sender) { PrintEvent(std::string("status ") + StatusName(sender.Status())); });
    player_.SetOnChangePosition([this](TMP3Player& sender) {
      const std::int64_t position = sender.Position();
      PrintEvent("position " + std::to_string(position));
    });
    player_.SetOnChangeSong([this](TMP3Player& sender) {
      ++index_;
      title_ = sender.Title();
      length_ = sender.Length();
      PrintEvent("song " + sender.FileName());
      QueueFollowing();
    });
    player_.SetOnChangeStreamInfo([this](TMP3Player& sender) {
      title_ = sender.Title();
      PrintChanged("station ", sender.Station().name, station_);
      PrintChanged("title ", sender.StreamTitle(), streamTitle_);
    });
    player_.SetOnEndPlay([this](TMP3Player&, player::TMP3EndPlayReason reason) {
      ended_ = true;
      endReason_ = reason;
      PrintEvent(std::string("endplay ") + ReasonName(reason));
    });
  }

  ~PlaySession() { player::SetExceptionDisplay(nullptr); }

  int Run() {
    int status = 0;
    for (index_ = 0; index_ < options_.files.size(); ++index_) {
      if (interrupt_.Raised()) break;
      // Songs that followed without a gap move index_ on meanwhile.
      const int result = PlayFile(options_.files[index_]);
      if (result == kNoDeviceStatus) return kNoDeviceStatus;
      if (result != 0) status = 1;
    }
    return interrupt_.Raised() ? kInterruptedStatus : status;
  }

 private:
  // 0, 1 for a file that failed, or kNoDeviceStatus.
  int PlayFile(const std::string& file) {
    try {
      player_.SetFileName(file);
      player_.Open();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "orvana-cli play: %s: %s\n", file.c_str(), error.what());
      return 1;
    }
    player_.SetWaveFileName(options_.waveOut);
    ended_ = false;
    endReason_ = player::meprStopped;
    try {
      player_.Play();
    } catch (const player::EWaveOutError& error) {
      std::fprintf(stderr,
                   "orvana-cli play: cannot open the sound device: %s\n"
                   "  try --device null (plays silently, in real time) or --wave-out FILE.wav\n",
                   error.what());
      return kNoDeviceStatus;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "orvana-cli play: %s: %s\n", file.c_str(), error.what());
      return 1;
    }
    title_ = player_.Title();
    length_ = player_.Length();
    shownPosition_ = 0;
    if (options_.seekMs > 0 && !player_.NetworkStream()) player_.Seek(options_.seekMs);
    QueueFollowing();
    PumpUntilEnded();
    // The player is back at the start (or closed) by now: show where play ended.
    ShowStatusLine(endReason_ == player::meprEndOfStream && length_ > 0 ? length_ : shownPosition_);
    statusLine_.Finish();
    if (!options_.waveOut.empty() && endReason_ == player::meprEndOfStream && !options_.events)
      std::fprintf(stderr, "orvana-cli play: wrote %s\n", options_.waveOut.c_str());
    return endReason_ == player::meprError ? 1 : 0;
  }

  // The file after the one heard, opened now to follow it without a gap. One
  // that cannot be opened is left for its turn, which says why.
  void QueueFollowing() {
    if (index_ + 1 >= options_.files.size()) return;
    try {
      player_.QueueNext(options_.files[index_ + 1]);
    } catch (const std::exception&) {
      // Its own turn tries it again and says what is wrong.
    }
  }

  void PumpUntilEnded() {
    bool stopRequested = false;
    while (!ended_) {
      if (!stopRequested && PastDeadline()) {
        stopRequested = true;
        player_.Stop();
        continue;
      }
      pollfd watched[2] = {{player_.Messages().NotifyFd(), POLLIN, 0}, {interrupt_.Fd(), POLLIN, 0}};
      const int ready = ::poll(watched, 2, kRefreshMs);
      if (ready < 0 && errno != EINTR) break;
      if (!stopRequested && interrupt_.Raised()) {
        stopRequested = true;
        player_.Stop();
      }
      player_.Messages().DispatchPending();
      if (!ended_) RefreshStatusLine();
    }
  }

  bool PastDeadline() const {
    return options_.seconds && std::chrono::steady_clock::now() - started_ >= std::chrono::seconds(*options_.seconds);
  }

  // One line each time a station's value changes to another that says something.
  void PrintChanged(const char* what, const std::string& value, std::string& shown) {
    if (value.empty() || value == shown) return;
    shown = value;
    PrintEvent(what + value);
  }

  void RefreshStatusLine() {
    shownPosition_ = player_.Position();
    ShowStatusLine(shownPosition_);
  }

  void ShowStatusLine(std::int64_t positionMs) {
    if (!options_.events) statusLine_.Show(StatusLineText(title_, positionMs, length_));
  }

  void PrintEvent(const std::string& line) {
    if (!options_.events) return;
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }

  const PlayOptions& options_;
  PlayStatusLine statusLine_;
  InterruptSignal interrupt_;
  std::size_t index_ = 0;  // of the file heard
  std::string title_;
  std::string station_;
  std::string streamTitle_;
  const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  std::int64_t length_ = 0;
  std::int64_t shownPosition_ = 0;
  bool ended_ = false;
  player::TMP3EndPlayReason endReason_ = player::meprStopped;
  TMP3Player player_;  // last: it goes first, before what its handlers use
};

int Run(int argc, char** argv) {
  std::string error;
  const auto options = ParsePlayOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "orvana-cli play: %s\nusage: orvana-cli %s\n", error.c_str(), kPlayUsage);
    return 2;
  }
  try {
    PlaySession session(*options);
    return session.Run();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "orvana-cli play: %s\n", failure.what());
    return 1;
  }
}

const CommandRegistration kReg{{"play", kPlayUsage, &Run}};

}  // namespace
}  // namespace orvana::cli
