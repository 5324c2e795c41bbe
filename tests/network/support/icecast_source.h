#pragma once
// TIcecastSource: a source client of the tests' own. It sends an MP3 file's
// bytes in a loop, paced at their bit rate, to a mount of an Icecast server
// (HTTP PUT with Basic authentication, Ice-* headers), on a thread of its
// own; when the server goes away it connects again, from the file's start,
// until stopped. Titles go through Icecast's admin interface.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace orvana::testing {

class TIcecastSource {
 public:
  static constexpr const char* kThreadName = "test-source";
  struct TStation {
    std::string mount = "/live.mp3";
    std::string name = "Orvana Test Radio";
    std::string genre = "Test Tones";
    int bitrateKbps = 128;  // also the pace of the audio
  };

  TIcecastSource(int port, std::string audio, TStation station);
  ~TIcecastSource();  // stops sending and closes the connection
  TIcecastSource(const TIcecastSource&) = delete;
  TIcecastSource& operator=(const TIcecastSource&) = delete;

  // Waits until the server has taken the source `connections` times in all.
  bool WaitConnected(int connections, int timeoutMs);
  // The song title listeners get next, through /admin/metadata; true when
  // the server took it.
  bool SetTitle(const std::string& title);
  const std::string& Audio() const { return audio_; }

 private:
  void Run();
  // One connection, from the request until the server goes or Stop.
  void SendWhileConnected(int fd);
  bool Connect(int& fd);

  const int port_;
  const std::string audio_;
  const TStation station_;
  std::mutex lock_;
  std::condition_variable changed_;
  bool stopping_ = false;
  int connections_ = 0;
  std::thread thread_;
};

}  // namespace orvana::testing
