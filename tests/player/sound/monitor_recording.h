#pragma once
// What a sound server plays, as a listener would hear it: parecord records a
// sink's monitor into a file from construction until Stop. Construction
// returns once sound is arriving (the file grows), never after a fixed wait.
#include <sys/types.h>

#include <cstdint>
#include <string>

namespace orvana::testing {

class TMonitorRecording {
 public:
  // `server` as PULSE_SERVER takes it; 16-bit stereo at `rate`.
  TMonitorRecording(const std::string& server, const std::string& monitor, int rate = 44100);
  ~TMonitorRecording();
  TMonitorRecording(const TMonitorRecording&) = delete;
  TMonitorRecording& operator=(const TMonitorRecording&) = delete;

  // Recording: parecord runs and its stream delivers.
  bool Started() const { return started_; }
  int Rate() const { return rate_; }
  // Frames (a left and a right sample each) recorded so far.
  std::int64_t Frames() const;
  // Waits until `frames` more have arrived since the call; false after `timeoutMs`.
  bool WaitForMore(std::int64_t frames, int timeoutMs);
  // The samples recorded so far (from frame `from` on), left and right interleaved.
  std::string SamplesSoFar(std::int64_t from = 0) const;
  // Ends the recording; its samples, left and right interleaved.
  std::string Stop();

 private:
  std::string path_;
  int rate_;
  pid_t pid_ = -1;
  bool started_ = false;
  bool stopped_ = false;
  std::string samples_;
};

}  // namespace orvana::testing
