#pragma once
// TStreamOpener: connects to a station and opens it as a track on threads of
// its own, so that the player's host never waits on the network. It starts
// the stream, waits until a few seconds of sound are held, and reads the
// stream's first frames; within a bound of time it is done, opened or failed.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "player/mp3_info_type.h"
#include "player/network/http_stream.h"
#include "player/track.h"

namespace orvana::player {

class TStreamOpener {
 public:
  // Sound held before play starts, and the bound on connecting and opening.
  static constexpr int kPrebufferSeconds = 3;
  static constexpr int kOpenBoundMs = 9000;

  struct THooks {
    std::function<void()> changed;  // the station's info or title (stream's thread)
    std::function<void()> done;     // opened, failed or cancelled (opener's thread)
  };

  TStreamOpener(std::string url, TMP3InfoType needInfoType, THooks hooks);
  // Cancels and waits for its threads, which end at once then.
  ~TStreamOpener();
  TStreamOpener(const TStreamOpener&) = delete;
  TStreamOpener& operator=(const TStreamOpener&) = delete;

  // Once done: the opened track (it owns the stream), or null and Error().
  std::unique_ptr<TMPTrack> TakeTrack();
  const std::string& Error() const { return error_; }
  // The stream, alive as long as the opener or the track taken from it.
  THttpStream& Stream() const { return *stream_; }

 private:
  void Run();
  bool WaitForPrebuffer();
  void OpenTrack();

  const std::string url_;
  const TMP3InfoType needInfoType_;
  THooks hooks_;
  std::unique_ptr<THttpStream> ownedStream_;  // until the track takes it
  THttpStream* stream_;
  std::unique_ptr<TMPTrack> track_;
  std::string error_;
  std::atomic<bool> cancelled_{false};
  bool taken_ = false;
  std::thread thread_;
};

// Bytes of `seconds` of sound at the station's stated bit rate (128 kbit/s
// when it states none), within the stream's buffer.
int PrebufferBytes(const TStationInfo& station, int seconds, int bufferBytes);

}  // namespace orvana::player
