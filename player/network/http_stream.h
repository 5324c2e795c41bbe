#pragma once
// THttpStream: an internet radio station (any MPEG audio sent over HTTP or
// HTTPS) as a TStream. A thread of its own reads it with libcurl into a
// bounded buffer: it follows redirects, asks for ICY metadata and takes it
// out of the audio, and tries a dropped connection again a few times, with a
// growing pause. Read waits for data; Cancel, from any thread, ends every
// wait and the transfer at once.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "player/network/station_info.h"
#include "player/stream.h"

namespace orvana::player {

class TStationSession;

class THttpStream : public TStream {
 public:
  struct TOptions {
    int bufferBytes = 512 * 1024;  // the most held before the reader takes it
    int connectTimeoutMs = 5000;
    // Without a byte of audio this long after each connection starts, it has failed.
    int firstDataTimeoutMs = 8000;
    // Without a byte this long once audio came, the connection is dropped (and tried again).
    // Slower than a station can play counts as nothing: under 256 bytes a second, in
    // whole seconds. A full buffer is no stall.
    int stallTimeoutMs = 5000;
    int retries = 4;
    int firstRetryPauseMs = 500;  // doubled at each further try
  };
  // Called on the stream's thread when the station's info, the title or the
  // state has changed; must not block.
  using TOnChange = std::function<void()>;

  explicit THttpStream(std::string url);
  THttpStream(std::string url, TOptions options);
  // Cancels and waits for the thread.
  ~THttpStream() override;
  THttpStream(const THttpStream&) = delete;
  THttpStream& operator=(const THttpStream&) = delete;

  void SetOnChange(TOnChange onChange);  // before Start
  void Start();
  void Cancel();

  // Waits until at least one byte is held, the stream has ended or failed,
  // or Cancel: 0 then.
  std::int64_t Read(void* buffer, std::int64_t count) override;
  // Raises EStreamError, but for asking where it is.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return kDataSizeUnknown; }
  std::int64_t ReadyBytes() override;
  // Also true once the buffer holds all it can, while the reader takes nothing.
  bool WaitReady(std::int64_t bytes, int milliseconds) override;
  void CallWhenReady(std::int64_t bytes, std::function<void()> ready) override;
  bool TakeTitleStartingBefore(std::int64_t position, std::string& title) override;

  const std::string& Url() const { return url_; }
  TNetStreamState State() const;
  // One sentence of what went wrong once failed (the address, the server's
  // answer or the network's error).
  std::string Error() const;
  TStationInfo Station() const;
  // The latest StreamTitle, empty before the first.
  std::string Title() const;
  // Audio bytes received so far.
  std::int64_t Received() const;

 private:
  const std::string url_;
  const TOptions options_;
  std::unique_ptr<TStationSession> session_;
};

}  // namespace orvana::player
