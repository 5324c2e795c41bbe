#pragma once
// THostileHttpServer: a small HTTP server of the tests' own on 127.0.0.1
// (a port of the kernel's choosing), on a thread of its own, that answers
// each path by a script: any bytes, paced or as fast as the connection
// takes them, dropped after a count or held open without a word. Scripts
// for the usual misbehaviours are in scripted_answers.h.
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace orvana::testing {

// What the server sends on one connection, in order: `head`, then what
// `more` gives (asked for at most the count it is given; an empty piece
// ends it), unless `more` is empty.
struct THostileReply {
  std::string head{};
  std::function<std::string(std::size_t)> more{};
  int bytesPerSecond = 0;        // 0: as fast as the connection takes them
  std::int64_t dropAfter = -1;   // closes after this many bytes in all; -1: never
  bool holdOpen = false;         // after the last byte, keeps the connection open in silence
};

class THostileHttpServer {
 public:
  // The reply to the `connection`th request for a path (0 first).
  using TScript = std::function<THostileReply(int connection)>;

  THostileHttpServer();
  ~THostileHttpServer();  // closes every connection and ends the thread
  THostileHttpServer(const THostileHttpServer&) = delete;
  THostileHttpServer& operator=(const THostileHttpServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:PORT/path".
  std::string Url(const std::string& path) const;

  // Paths without a script are answered 404.
  void Answer(const std::string& path, TScript script);
  // The same reply to every request.
  void AnswerAlways(const std::string& path, THostileReply reply);

  int Requests(const std::string& path) const;
  // The last request's head (request line and headers) for the path.
  std::string LastRequest(const std::string& path) const;
  // Bytes sent so far on every connection for the path.
  std::int64_t Sent(const std::string& path) const;

 private:
  struct TPathLog {
    TScript script;
    int requests = 0;
    std::string lastRequest;
    std::int64_t sent = 0;
  };
  struct TConnection;

  void Serve();
  THostileReply ReplyFor(const std::string& path, const std::string& request);
  void CountSent(const std::string& path, std::int64_t bytes);

  int listener_ = -1;
  int wake_ = -1;  // an eventfd: the destructor's stop
  int port_ = 0;
  mutable std::mutex lock_;
  std::map<std::string, TPathLog> paths_;
  std::thread thread_;
};

}  // namespace orvana::testing
