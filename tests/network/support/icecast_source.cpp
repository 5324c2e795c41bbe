#include "icecast_source.h"

#include <pthread.h>
#include <unistd.h>

#include <chrono>

#include "icecast_server.h"
#include "loopback_socket.h"

namespace orvana::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kExchangeTimeoutMs = 2000;
constexpr auto kReconnectPause = std::chrono::milliseconds(100);
constexpr auto kPieceTime = std::chrono::milliseconds(50);

std::string BasicAuthorization(const std::string& user, const std::string& password) {
  return "Authorization: Basic " + Base64(user + ":" + password) + "\r\n";
}

}  // namespace

TIcecastSource::TIcecastSource(int port, std::string audio, TStation station)
    : port_(port), audio_(std::move(audio)), station_(std::move(station)) {
  thread_ = std::thread([this] { Run(); });
}

TIcecastSource::~TIcecastSource() {
  {
    std::lock_guard guard(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool TIcecastSource::WaitConnected(int connections, int timeoutMs) {
  std::unique_lock guard(lock_);
  return changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                           [&] { return connections_ >= connections; });
}

bool TIcecastSource::SetTitle(const std::string& title) {
  const int fd = ConnectLoopback(port_, kExchangeTimeoutMs);
  if (fd < 0) return false;
  const std::string request = "GET /admin/metadata?mount=" + UrlEncoded(station_.mount) +
                              "&mode=updinfo&charset=UTF-8&song=" + UrlEncoded(title) +
                              " HTTP/1.0\r\nHost: 127.0.0.1\r\n" +
                              BasicAuthorization(TIcecastServer::kAdminUser, TIcecastServer::kAdminPassword) +
                              "\r\n";
  const bool taken = SendAll(fd, request, kExchangeTimeoutMs) &&
                     StatusOfHead(ReceiveHead(fd, kExchangeTimeoutMs)) == 200;
  ::close(fd);
  return taken;
}

bool TIcecastSource::Connect(int& fd) {
  fd = ConnectLoopback(port_, kExchangeTimeoutMs);
  if (fd < 0) return false;
  const std::string request =
      "PUT " + station_.mount + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) + "\r\n" +
      BasicAuthorization("source", TIcecastServer::kSourcePassword) +
      "User-Agent: orvana-test-source\r\nContent-Type: audio/mpeg\r\nIce-Public: 0\r\n" +
      "Ice-Name: " + station_.name + "\r\nIce-Genre: " + station_.genre + "\r\nIce-Bitrate: " +
      std::to_string(station_.bitrateKbps) + "\r\n\r\n";
  if (SendAll(fd, request, kExchangeTimeoutMs) && StatusOfHead(ReceiveHead(fd, kExchangeTimeoutMs)) == 200)
    return true;
  ::close(fd);
  fd = -1;
  return false;
}

void TIcecastSource::Run() {
  // Benchmarks tell its wake-ups from the player's by this name.
  pthread_setname_np(pthread_self(), kThreadName);
  std::unique_lock guard(lock_);
  while (!stopping_) {
    guard.unlock();
    int fd = -1;
    const bool connected = Connect(fd);
    guard.lock();
    if (!connected) {
      changed_.wait_for(guard, kReconnectPause, [&] { return stopping_; });
      continue;
    }
    ++connections_;
    changed_.notify_all();
    guard.unlock();
    SendWhileConnected(fd);
    ::close(fd);
    guard.lock();
  }
}

void TIcecastSource::SendWhileConnected(int fd) {
  const std::size_t bytesPerSecond = std::size_t(station_.bitrateKbps) * 1000 / 8;
  const Clock::time_point start = Clock::now();
  std::size_t sent = 0;
  std::unique_lock guard(lock_);
  while (!stopping_) {
    // Everything due by now, so that the pace holds however the waits fall.
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    const std::size_t target = std::size_t(elapsed) * bytesPerSecond / 1000;
    std::size_t due = target > sent ? target - sent : 0;
    guard.unlock();
    while (due > 0) {
      const std::size_t at = sent % audio_.size();
      const std::size_t piece = std::min(due, audio_.size() - at);
      if (!SendAll(fd, std::string_view(audio_).substr(at, piece), kExchangeTimeoutMs)) return;
      sent += piece;
      due -= piece;
    }
    guard.lock();
    changed_.wait_for(guard, kPieceTime, [&] { return stopping_; });
  }
}

}  // namespace orvana::testing
