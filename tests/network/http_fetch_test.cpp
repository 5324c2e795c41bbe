// FetchText: a playlist's text through redirects, and one sentence for
// every way it can fail, each within its time.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

#include "loopback_socket.h"
#include "player/network/http_fetch.h"
#include "player/stream.h"
#include "scripted_answers.h"

namespace orvana::player {
namespace {

using namespace orvana::testing;
using namespace std::chrono_literals;

constexpr const char* kPlaylist = "[playlist]\r\nFile1=http://example.org/live\r\nNumberOfEntries=1\r\n";

THostileReply TextAnswer(const std::string& text) {
  return {.head = "HTTP/1.1 200 OK\r\nContent-Type: audio/x-scpls\r\nContent-Length: " + std::to_string(text.size()) +
                  "\r\n\r\n" + text};
}

// The sentence FetchText raises; empty when it raised none.
std::string FailureOf(const std::string& url, std::size_t maxBytes, int timeoutMs,
                      const std::atomic<bool>* cancel = nullptr) {
  try {
    FetchText(url, maxBytes, timeoutMs, cancel);
  } catch (const EStreamError& error) {
    return error.what();
  }
  return {};
}

TEST(HttpFetch, TextAfterRedirects) {
  THostileHttpServer server;
  server.AnswerAlways("/radio.pls", TextAnswer(kPlaylist));
  server.AnswerAlways("/a", Redirect("/b"));
  server.AnswerAlways("/b", Redirect(server.Url("/radio.pls")));
  EXPECT_EQ(FetchText(server.Url("/a"), 4096, 5000), kPlaylist);
  // Exactly the bound is still within it.
  EXPECT_EQ(FetchText(server.Url("/radio.pls"), std::string(kPlaylist).size(), 5000), kPlaylist);
  EXPECT_NE(server.LastRequest("/radio.pls").find("\r\nUser-Agent: Orvana/0.1"), std::string::npos);
}

TEST(HttpFetch, EveryFailureIsOneSentence) {
  THostileHttpServer server;
  server.AnswerAlways("/missing.pls", ErrorPage(404, "Not Found"));
  server.AnswerAlways("/huge.m3u", TextAnswer(std::string(5000, '#')));
  server.AnswerAlways("/endless.m3u", {.head = "HTTP/1.0 200 OK\r\n\r\n", .more = [](std::size_t most) {
                                         return std::string(most, '#');
                                       }});
  server.AnswerAlways("/stalled.m3u", StalledHeaders());
  server.AnswerAlways("/loop", Redirect("/loop"));

  EXPECT_EQ(FailureOf(server.Url("/missing.pls"), 4096, 5000), "The address answered 404 Not Found.");
  EXPECT_EQ(FailureOf(server.Url("/huge.m3u"), 4096, 5000), "The address sends more than 4096 bytes.");
  EXPECT_EQ(FailureOf(server.Url("/endless.m3u"), 4096, 5000), "The address sends more than 4096 bytes.");
  EXPECT_EQ(FailureOf(server.Url("/loop"), 4096, 5000), "The address redirects more than 5 times.");
  EXPECT_TRUE(FailureOf("http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/x.pls", 4096, 5000)
                  .starts_with("The address does not answer ("));

  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(FailureOf(server.Url("/stalled.m3u"), 4096, 300).starts_with("The address does not answer in time ("));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(HttpFetch, CancelEndsAStalledFetch) {
  THostileHttpServer server;
  server.AnswerAlways("/stalled.pls", StalledHeaders());
  std::atomic<bool> cancel{false};
  auto fetch = std::async(std::launch::async, [&] { return FailureOf(server.Url("/stalled.pls"), 4096, 60000, &cancel); });
  while (server.Sent("/stalled.pls") == 0) ASSERT_EQ(fetch.wait_for(10ms), std::future_status::timeout);
  cancel = true;
  ASSERT_EQ(fetch.wait_for(1s), std::future_status::ready);
  EXPECT_EQ(fetch.get(), "Fetching the address was cancelled.");
}

}  // namespace
}  // namespace orvana::player
